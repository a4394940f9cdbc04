#include "skin/frames/popup_window.h"

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "toolkit/win/dc_guards.h"

namespace {
TSkinPopupWindow* pendingPopup = nullptr;
constexpr int kBorder = 3;
}  // namespace

TSkinPopupWindow* PendingPopup() { return pendingPopup; }
void SetPendingPopup(TSkinPopupWindow* popup) { pendingPopup = popup; }

TSkinPopupWindow::TSkinPopupWindow() {
  hook_.SetHandler([this](TMessage& m) { WndProc(m); });
}

TSkinPopupWindow::~TSkinPopupWindow() {
  Detach();
  if (pendingPopup == this) pendingPopup = nullptr;
}

void TSkinPopupWindow::Attach(HWND window, TSkinSet* skin, HMENU menu) {
  Handle = window;
  SkinData = skin;
  MenuHandle = menu;
  hook_.Attach(window);
}

void TSkinPopupWindow::Detach() {
  if (!Subclassed()) return;
  hook_.Detach();
  Background = TBitmapPixels();
}

bool TSkinPopupWindow::RenderBackground() {
  const TDataSkinObject* element = SkinData ? SkinData->Model().MenuBackground.get() : nullptr;
  if (!SkinData || SkinData->Loading() || !element || element->Image.Empty()) return false;
  RECT r{};
  GetWindowRect(Handle, &r);
  Background = BuildSlicedImage({0, 0, r.right - r.left, r.bottom - r.top}, element->Image, MarginsOf(*element), false,
                                element->Tile == 1, 1, 1);
  if (!MenuHandle) pendingPopup = this;
  return true;
}

void TSkinPopupWindow::WndProc(TMessage& msg) {
  if (msg.Msg == SkinMessage::QuerySkinned) {
    msg.Result = 1;
    return;
  }
  TSkinManager* manager = GetSkinManager();
  if (!manager || !manager->Active()) return hook_.CallPrevious(msg);
  switch (msg.Msg) {
    case WM_DESTROY:
      hook_.CallPrevious(msg);
      Detach();
      return;
    case WM_NCPAINT: {
      if (!RenderBackground()) return hook_.CallPrevious(msg);
      TWindowDC dc(Handle);
      const int w = Background.Width(), h = Background.Height();
      BlitPixelsPart(dc, 0, 0, Background, {0, 0, w, kBorder});
      BlitPixelsPart(dc, 0, h - kBorder, Background, {0, h - kBorder, w, h});
      BlitPixelsPart(dc, 0, kBorder, Background, {0, kBorder, kBorder, h - kBorder});
      BlitPixelsPart(dc, w - kBorder, kBorder, Background, {w - kBorder, kBorder, w, h - kBorder});
      msg.Result = 0;
      return;
    }
    case WM_PRINT: {
      if (!RenderBackground()) return hook_.CallPrevious(msg);
      auto dc = reinterpret_cast<HDC>(msg.WParam);
      BlitPixels(dc, 0, 0, Background);
      const int oldMode = SetBkMode(dc, TRANSPARENT);
      HRGN oldClip = CreateRectRgn(0, 0, 0, 0);
      const bool hadClip = GetClipRgn(dc, oldClip) == 1;
      IntersectClipRect(dc, kBorder, kBorder, Background.Width() - kBorder, Background.Height() - kBorder);
      hook_.CallPrevious(msg);
      SelectClipRgn(dc, hadClip ? oldClip : nullptr);
      DeleteObject(oldClip);
      SetBkMode(dc, oldMode);
      return;
    }
    default: hook_.CallPrevious(msg);
  }
}
