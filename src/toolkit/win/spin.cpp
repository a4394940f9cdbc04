#include "toolkit/win/spin.h"

#include <windowsx.h>

QUILLIMO_REGISTER_CLASS(TSpinButton, [](TPropertyTable& p) {
  p.Event("OnUpClick", &TSpinButton::OnUpClick);
  p.Event("OnDownClick", &TSpinButton::OnDownClick);
});

TSpinButton::TSpinButton(TComponent* owner)
    : TWinControl(owner), repeat_([this] {
        repeat_.Start(100);
        Fire();
      }) {
  SetBounds(0, 0, 20, 25);
}

void TSpinButton::Fire() {
  if (pressed_ == 1) OnUpClick(this);
  if (pressed_ == 2) OnDownClick(this);
}

void TSpinButton::Press(int half) {
  pressed_ = half;
  Invalidate();
  if (half) {
    repeat_.Start(400);
    Fire();
  } else {
    repeat_.Stop();
  }
}

void TSpinButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!Enabled()) return;
      SetCapture(Handle());
      Press(GET_Y_LPARAM(msg.LParam) < Height() / 2 ? 1 : 2);
      return;
    case WM_LBUTTONUP:
      if (pressed_) {
        ReleaseCapture();
        Press(0);
      }
      return;
    case WM_CAPTURECHANGED:
      if (pressed_) Press(0);
      break;
    default: break;
  }
  TWinControl::WndProc(msg);
}

void TSpinButton::PaintWindow(HDC dc) {
  int half = Height() / 2;
  RECT up{0, 0, Width(), half};
  RECT down{0, half, Width(), Height()};
  UINT inactive = Enabled() ? 0 : DFCS_INACTIVE;
  DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | inactive | (pressed_ == 1 ? DFCS_PUSHED : 0));
  DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | inactive | (pressed_ == 2 ? DFCS_PUSHED : 0));
}
