#include "skin/controls/skin_control.h"

#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/dpi_awareness.h"
#include "toolkit/win/wincontrol.h"

QUILLIMO_REGISTER_CLASS(TSkinControl)

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {
  windowHook_.SetHandler([this](TMessage& m) { HandleMessage(m); });
}

TSkinControl::~TSkinControl() {
  *alive_ = false;
  // Out of the control's handler first: the colour given back below reaches the control alone.
  UnhookControlProc();
  // A live control gets its own colour back.
  if (recolor_ && control_ && phase_ == TSkinControlPhase::Attached && !control_->IsDestroying())
    control_->SetColor(savedColor_);
  windowHook_.Detach();
  StopWatching();
  if (frame_) frame_->RemoveSkinControl(this);
}

// A control that goes first is only forgotten: its handler and windows went with it.
void TSkinControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || !component) return;
  if (component == procHook_.Control()) procHook_.Forget();
  if (component == watched_) {
    watched_ = nullptr;
    watchId_ = 0;
  }
  if (component == control_ || component == graphicControl_) {
    control_ = nullptr;
    graphicControl_ = nullptr;
    handle_ = nullptr;
    phase_ = TSkinControlPhase::Dead;
  }
}

void TSkinControl::Watch(TWinControl* control) {
  if (watched_ == control) return;
  StopWatching();
  watched_ = control;
  FreeNotification(control);
  watchId_ = control->AddHandleWatch([this](HWND wnd) {
    handle_ = wnd;
    if (wnd) {
      if (hookFollows_) windowHook_.Attach(wnd);
      phase_ = TSkinControlPhase::Attached;
    }
    WindowRecreated(wnd);
  });
  // The control's painting is buffered while the companion follows it (its erase and its
  // drawing reach the screen in one blit); its own setting is given back after.
  savedDoubleBuffered_ = control->DoubleBuffered();
  control->SetDoubleBuffered(true);
}

void TSkinControl::StopWatching() {
  if (watched_ && !watched_->IsDestroying()) {
    watched_->RemoveHandleWatch(watchId_);
    watched_->SetDoubleBuffered(savedDoubleBuffered_);
  }
  watched_ = nullptr;
  watchId_ = 0;
}

// A companion that cannot take its handler out (another one was put in front of it later)
// leaves a pass-through behind, nothing that points at freed memory (TWindowProcHook).
void TSkinControl::HookControlProc(TControl* control) {
  FreeNotification(control);
  procHook_.Attach(control, [this](TMessage& m) { HandleMessage(m); });
}

void TSkinControl::UnhookControlProc() { procHook_.Detach(); }

void TSkinControl::HookWindow(HWND wnd) {
  windowHook_.Attach(wnd);
  if (TWinControl* control = TWinControl::FindControl(wnd)) {
    hookFollows_ = true;
    Watch(control);
  }
}

void TSkinControl::ReadWindowState() {
  if (!handle_) return;
  focused_ = GetFocus() == handle_;
  enabled_ = !(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_DISABLED);
  text_ = GetWindowTextString(handle_);
}

bool TSkinControl::BeginAttach(TSkinFormFrame* frame, TSkinSet* skin, TCanvas* canvas) {
  if (attached_) return false;
  skin_ = skin;
  frame_ = frame;
  canvas_ = canvas;
  return true;
}

void TSkinControl::TakeFaceColor(TWinControl* control) {
  if (!recolor_) return;
  savedColor_ = control->Color();
  control->SetColor(skin_->Model().ButtonFaceColour);
}

void TSkinControl::FinishAttach() {
  if (frame_) frame_->AddSkinControl(this);
  attached_ = true;
  phase_ = TSkinControlPhase::Attached;
}

void TSkinControl::AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas) {
  auto* control = dynamic_cast<TWinControl*>(Owner());
  if (!control || !BeginAttach(frame, skin, canvas)) return;
  recolor_ = recolor;
  control_ = control;
  // A control whose window is not made yet (on a page not shown) is joined when it is made.
  handle_ = control->HandleAllocated() ? control->Handle() : nullptr;
  HookControlProc(control);
  Watch(control);
  ReadWindowState();
  TakeFaceColor(control);
  control->Invalidate();
  FinishAttach();
}

void TSkinControl::AttachHandle(HWND wnd, TSkinSet* skin, TSkinFormFrame* frame, TCanvas* canvas) {
  if (!BeginAttach(frame, skin, canvas)) return;
  handle_ = wnd;
  enabled_ = true;
  text_ = GetWindowTextString(wnd);
  HookWindow(wnd);
  FinishAttach();
}

void TSkinControl::RestoreColor() {
  if (recolor_ && control_) control_->SetColor(savedColor_);
}

void TSkinControl::HandleMessage(TMessage& msg) {
  // The companion may be freed while the control handles the message (an event handler that
  // destroys the window): nothing of it is touched after that.
  const std::shared_ptr<bool> alive = alive_;
  if (!HandleBefore(msg) && *alive) {
    CallPrevious(msg);
    if (*alive) AfterMessage(msg);
  }
}

void TSkinControl::CallPrevious(TMessage& msg) {
  if (procHook_.HasPrevious())
    procHook_.CallPrevious(msg);
  else if (windowHook_.Attached())
    windowHook_.CallPrevious(msg);
}

bool TSkinControl::HandleBefore(TMessage& msg) {
  if (msg.Msg == WM_NCDESTROY) {
    CallPrevious(msg);
    phase_ = TSkinControlPhase::Dead;
    RestoreColor();
    return true;
  }
  return false;
}

void TSkinControl::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_UPDATEUISTATE:
      if (HIWORD(msg.WParam) & UISF_HIDEFOCUS) {
        if (LOWORD(msg.WParam) == UIS_SET) focusMarksHidden_ = true;
        if (LOWORD(msg.WParam) == UIS_CLEAR) focusMarksHidden_ = false;
      }
      RepaintNow();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED: RepaintNow(); break;
    case WM_SETTEXT:
      if (handle_) text_ = GetWindowTextString(handle_);
      RepaintNow();
      break;
    case WM_PAINT: Redraw(reinterpret_cast<HDC>(msg.WParam)); break;
    default: break;
  }
}

bool TSkinControl::ShowsFocus() const {
  return focused_ && handle_ && !focusMarksHidden_ && !(SendMessageW(handle_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

bool TSkinControl::WindowArea(RECT& area) const {
  RECT window{};
  if (!GetWindowRect(handle_, &window)) return false;
  area = {0, 0, window.right - window.left, window.bottom - window.top};
  return true;
}

void TSkinControl::Redraw(HDC dc) {
  RECT r{};
  if (!handle_ || !WindowArea(r)) return;
  try {
    if (dc) {
      Paint(dc, r);
    } else {
      // Painting outside a paint cycle: the child windows (the list inside a group box) are
      // left alone, or they would stay covered until they repaint for another reason.
      TWindowDC own(handle_, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS);
      Paint(own, r);
    }
  } catch (...) {
    // A broken paint never breaks the message loop.
  }
}

int TSkinControl::PixelsPerInch() const { return frame_ ? frame_->PixelsPerInch() : WindowPixelsPerInch(handle_); }

const TSkinModel& TSkinControl::SkinModel() const { return skin_->ModelFor(PixelsPerInch()); }

void TSkinControl::NotifySkinChanged() {
  if (recolor_ && control_) control_->SetColor(skin_->Model().ButtonFaceColour);
  if (handle_)
    InvalidateRect(handle_, nullptr, TRUE);
  else if (graphicControl_)
    graphicControl_->Invalidate();
}

void TSkinControl::MouseLeft() {
  if (TControl* hooked = procHook_.Control())
    hooked->Perform(CM_MOUSELEAVE);
  else if (handle_)
    SendMessageW(handle_, CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::RedrawWithState(std::uint8_t bit, bool on) {
  SetStateBit(bit, on);
  Redraw();
}

bool TSkinControl::PressAfterPrevious(TMessage& msg) {
  CallPrevious(msg);
  RedrawWithState(SkinControlState::Pressed, true);
  return true;
}

void TSkinControl::RepaintNow() {
  if (!handle_ || !GetParent(handle_)) return;
  InvalidateRect(handle_, nullptr, FALSE);
  UpdateWindow(handle_);
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const {
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(skin_->Model().ButtonFaceColour)));
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void TSkinControl::HandlePaintMessage(TMessage& msg) {
  TPaintDC dc(handle_, msg.WParam);
  RECT r{};
  if (!WindowArea(r)) return;
  try {
    Paint(dc, r);
  } catch (...) {
  }
}

bool TSkinControl::PaintsWholeWindow(TMessage& msg) {
  if (msg.Msg == WM_PAINT) {
    HandlePaintMessage(msg);
    return true;
  }
  if (msg.Msg == WM_ERASEBKGND) {
    msg.Result = 1;
    return true;
  }
  return false;
}
