#include "skin/controls/skin_control.h"

#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/wincontrol.h"

QUILLIMO_REGISTER_CLASS(TSkinControl)

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {
  WindowProcInstance.SetHandler([this](TMessage& m) { HandleMessage(m); });
}

TSkinControl::~TSkinControl() {
  *alive_ = false;
  // A live control gets its own colour back.
  if (Recolour && Control && Phase == SkinControlPhase::Attached && !Control->IsDestroying())
    Control->SetColor(SavedColor);
  UnhookControlProc();
  WindowProcInstance.Detach();
  StopWatching();
  if (Frame) Frame->RemoveSkinControl(this);
}

// A control that goes first is only forgotten: its handler and windows went with it.
void TSkinControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || !component) return;
  if (component == hooked_) {
    hooked_ = nullptr;
    OldControlProc = nullptr;
  }
  if (component == watched_) {
    watched_ = nullptr;
    watchId_ = 0;
  }
  if (component == Control || component == GraphicControl) {
    Control = nullptr;
    GraphicControl = nullptr;
    Handle = nullptr;
    Phase = SkinControlPhase::Dead;
  }
}

void TSkinControl::Watch(TWinControl* control) {
  if (watched_ == control) return;
  StopWatching();
  watched_ = control;
  FreeNotification(control);
  watchId_ = control->AddHandleWatch([this](HWND wnd) {
    Handle = wnd;
    if (wnd) {
      if (hookFollows_) WindowProcInstance.Attach(wnd);
      Phase = SkinControlPhase::Attached;
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

// The handler put in front of a control's own. It keeps the handler it replaced, so that once
// its companion is gone it passes every message straight on: a companion that cannot take its
// handler out (another one was put in front of it later) leaves nothing behind that points at
// freed memory.
struct TSkinControl::ControlHook {
  TSkinControl* companion;
  std::shared_ptr<bool> alive;
  std::function<void(TMessage&)> previous;
  void operator()(TMessage& m) const {
    if (*alive)
      companion->HandleMessage(m);
    else if (previous)
      previous(m);
  }
};

void TSkinControl::HookControlProc(TControl* control) {
  hooked_ = control;
  FreeNotification(control);
  OldControlProc = control->WindowProc;
  control->WindowProc = ControlHook{this, alive_, OldControlProc};
}

void TSkinControl::UnhookControlProc() {
  // Only the handler in front is taken out; one further down the chain stays as a pass-through.
  if (hooked_ && !hooked_->IsDestroying()) {
    const auto* front = hooked_->WindowProc.target<ControlHook>();
    if (front && front->companion == this) hooked_->WindowProc = front->previous;
  }
  OldControlProc = nullptr;
  hooked_ = nullptr;
}

void TSkinControl::HookWindow(HWND wnd) {
  WindowProcInstance.Attach(wnd);
  if (TWinControl* control = TWinControl::FindControl(wnd)) {
    hookFollows_ = true;
    Watch(control);
  }
}

void TSkinControl::ReadWindowState() {
  if (!Handle) return;
  Focused = GetFocus() == Handle;
  Enabled = !(GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED);
  Text = GetWindowTextString(Handle);
}

void TSkinControl::AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolour, TCanvas* canvas) {
  if (Attached) return;
  auto* control = dynamic_cast<TWinControl*>(Owner());
  if (!control) return;
  Recolour = recolour;
  Skin = skin;
  Frame = frame;
  Canvas = canvas;
  Control = control;
  // A control whose window is not made yet (on a page not shown) is joined when it is made.
  Handle = control->HandleAllocated() ? control->Handle() : nullptr;
  HookControlProc(control);
  Watch(control);
  if (Frame) Frame->AddSkinControl(this);
  ReadWindowState();
  if (Recolour) {
    SavedColor = control->Color();
    control->SetColor(skin->ButtonFaceColour);
  }
  control->Invalidate();
  Attached = true;
  Phase = SkinControlPhase::Attached;
}

void TSkinControl::AttachHandle(HWND wnd, TSkinSet* skin, TSkinFormFrame* frame, TCanvas* canvas) {
  if (Attached) return;
  Skin = skin;
  Canvas = canvas;
  Frame = frame;
  Handle = wnd;
  Enabled = true;
  if (Frame) Frame->AddSkinControl(this);
  Text = GetWindowTextString(wnd);
  HookWindow(wnd);
  Attached = true;
  Phase = SkinControlPhase::Attached;
}

void TSkinControl::RestoreColor() {
  if (Recolour && Control) Control->SetColor(SavedColor);
}

void TSkinControl::HandleMessage(TMessage& msg) {
  // The companion may be freed while the control handles the message (an event handler that
  // destroys the window): nothing of it is touched after that.
  const std::shared_ptr<bool> alive = alive_;
  if (BeforeMessage(msg) && *alive) {
    CallPrevious(msg);
    if (*alive) AfterMessage(msg);
  }
}

void TSkinControl::CallPrevious(TMessage& msg) {
  if (OldControlProc)
    OldControlProc(msg);
  else if (WindowProcInstance.Attached())
    WindowProcInstance.CallPrevious(msg);
}

bool TSkinControl::BeforeMessage(TMessage& msg) {
  if (msg.Msg == WM_NCDESTROY) {
    CallPrevious(msg);
    Phase = SkinControlPhase::Dead;
    RestoreColor();
    return false;
  }
  return true;
}

void TSkinControl::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      RepaintNow();
      break;
    case WM_SETTEXT:
      if (Handle) Text = GetWindowTextString(Handle);
      RepaintNow();
      break;
    case WM_PAINT:
      Redraw(reinterpret_cast<HDC>(msg.WParam));
      break;
    default:
      break;
  }
}

void TSkinControl::Redraw(HDC dc) {
  if (!Handle || !GetWindowRect(Handle, &WindowRect)) return;
  const RECT r{0, 0, WindowRect.right - WindowRect.left, WindowRect.bottom - WindowRect.top};
  try {
    if (dc) {
      Paint(dc, r);
    } else {
      // Painting outside a paint cycle: the child windows (the list inside a group box) are
      // left alone, or they would stay covered until they repaint for another reason.
      TWindowDC own(Handle, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS);
      Paint(own, r);
    }
  } catch (...) {
    // A broken paint never breaks the message loop.
  }
}

void TSkinControl::NotifySkinChanged() {
  if (Recolour && Control) Control->SetColor(Skin->ButtonFaceColour);
  if (Handle)
    InvalidateRect(Handle, nullptr, TRUE);
  else if (GraphicControl)
    GraphicControl->Invalidate();
}

void TSkinControl::MouseLeft() {
  if (hooked_)
    hooked_->Perform(CM_MOUSELEAVE);
  else if (Handle)
    SendMessageW(Handle, CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::RepaintNow() {
  if (!Handle || !GetParent(Handle)) return;
  InvalidateRect(Handle, nullptr, FALSE);
  UpdateWindow(Handle);
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const {
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Skin->ButtonFaceColour)));
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void TSkinControl::HandlePaintMessage(TMessage& msg) {
  TPaintDC dc(Handle, msg.WParam);
  if (!GetWindowRect(Handle, &WindowRect)) return;
  const RECT r{0, 0, WindowRect.right - WindowRect.left, WindowRect.bottom - WindowRect.top};
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
