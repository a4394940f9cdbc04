// The skinned frame's window procedure, in three stages, each of which finishes the message
// (handles it, passes it on, or both): messages every frame handles (background, colours,
// destruction: FrameWndProc), the bookkeeping of a window with a skinned caption (size, state,
// activation, system commands: CaptionMessage), and the non-client work once the frame runs
// (size of the non-client area, hit testing, mouse, painting: NonClientMessage).
#include <algorithm>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/menu_accessible.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/window_side.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/dpi_awareness.h"
#include "toolkit/win/extctrls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"

namespace {
// The signed coordinates packed in an lParam (as windowsx.h's macros, whose other names clash
// with the canvas).
int XOf(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int YOf(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

bool MdiMaximized() { return GetSkinManager() && GetSkinManager()->MdiMaximized(); }

// The minimise and maximise animation is paused for the frame's own commands (not written to
// the profile). The setting is the whole desktop's, so it is given back as soon as the posted
// command was carried out, and at the latest when the frame goes.
int pausedAnimation = -1;  // the user's setting while paused, else -1

void AnimationOff() {
  if (pausedAnimation < 0) {
    pausedAnimation = TWindowAnimationSetting::Read();
    if (pausedAnimation < 0) return;
  }
  TWindowAnimationSetting::Write(0);
}

HBRUSH FaceBrush(const TSkinSet& skin) {
  static HBRUSH brush = nullptr;
  static COLORREF color = 0;
  const COLORREF want = static_cast<COLORREF>(ColorToRGB(skin.Model().ButtonFaceColour));
  if (!brush || color != want) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(want);
    color = want;
  }
  return brush;
}
}  // namespace

std::function<int()> TWindowAnimationSetting::Read = [] {
  ANIMATIONINFO info{sizeof(info), 0};
  return SystemParametersInfoW(SPI_GETANIMATION, sizeof(info), &info, 0) ? info.iMinAnimate : -1;
};
std::function<void(int)> TWindowAnimationSetting::Write = [](int minAnimate) {
  ANIMATIONINFO info{sizeof(info), minAnimate};
  SystemParametersInfoW(SPI_SETANIMATION, sizeof(info), &info, 0);
};

void ResumeWindowAnimation() {
  if (pausedAnimation < 0) return;
  const int setting = pausedAnimation;
  pausedAnimation = -1;
  TWindowAnimationSetting::Write(setting);
}

void TSkinFormFrame::FrameWndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_ERASEBKGND:
      if (!form_) {
        RECT r{};
        GetClientRect(handle_, &r);
        FillRect(reinterpret_cast<HDC>(msg.WParam), &r, FaceBrush(*skinData_));
        msg.Result = 1;
        return;
      }
      CallOldProc(msg);
      return;
    case WM_STYLECHANGED:
      if (msg.WParam == static_cast<WPARAM>(GWL_STYLE))
        style_ = reinterpret_cast<const STYLESTRUCT*>(msg.LParam)->styleNew;
      CallOldProc(msg);
      return;
    case WM_NCDESTROY: {
      frameState_ = TFrameState::Closing;
      QuietDetach();
      hook_.Detach();
      CallOldProc(msg);  // detached, the frame still passes this message on
      frameState_ = TFrameState::Dead;
      return;
    }
    case WM_CTLCOLORBTN:
      CallOldProc(msg);
      if (!form_) SetBkMode(reinterpret_cast<HDC>(msg.WParam), TRANSPARENT);
      return;
    case WM_CTLCOLORSTATIC:
      CallOldProc(msg);
      if (!form_) {
        SetBkMode(reinterpret_cast<HDC>(msg.WParam), TRANSPARENT);
        msg.Result = reinterpret_cast<LRESULT>(FaceBrush(*skinData_));
      }
      return;
    default: break;
  }
  if (msg.Msg == SkinMessage::QuerySkinned) {
    msg.Result = 1;
    return;
  }
  if (!skinFrame_) {
    CallOldProc(msg);
    return;
  }
  CaptionMessage(msg);
}

void TSkinFormFrame::CaptionMessage(TMessage& msg) {
  if (!IsMdiChild() && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD)) {
    CallOldProc(msg);
    return;
  }
  bool passOn = false;
  switch (msg.Msg) {
    case WM_SIZE: SizeChanged(msg); break;
    case WM_ACTIVATE:
      windowActive_ = LOWORD(msg.WParam) != WA_INACTIVE;
      if (!windowActive_) menus_->LeaveBar();
      passOn = true;
      break;
    case WM_GETMINMAXINFO: GetMinMaxInfo(msg); break;
    case WM_WINDOWPOSCHANGED:
      ReadWindowState();
      CallOldProc(msg);
      break;
    case WM_NCACTIVATE:
      windowActive_ = msg.WParam != 0;
      passOn = true;
      break;
    case WM_COMMAND:
      switch (LOWORD(msg.WParam) & 0xFFF0) {
        case SC_SIZE:
        case SC_MOVE:
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_CLOSE:
        case SC_RESTORE:
          if (LOWORD(msg.WParam) >= 0xF000) {
            PostMessageW(handle_, WM_SYSCOMMAND, LOWORD(msg.WParam), 0);
            return;
          }
          break;
        default: break;
      }
      CallOldProc(msg);
      break;
    case WM_SYSCOMMAND: SysCommand(msg); break;
    case WM_MENUSELECT:
      menus_->NoteMenuSelect(msg.WParam, msg.LParam);
      passOn = true;
      break;
    case WM_MENUCHAR:
      msg.Result = menus_->MenuChar(msg.WParam, msg.LParam);
      passOn = msg.Result == 0;
      break;
    case WM_GETOBJECT:  // the bar's items for assistive technology
      msg.Result = AnswerMenuBarObject(*this, msg.WParam, msg.LParam);
      passOn = msg.Result == 0;
      break;
    case SkinMessage::OpenBarItem: menus_->OpenSelected(static_cast<int>(msg.WParam)); break;
    case SkinMessage::FinishAttach: FinishAttachment(); break;
    case WM_DPICHANGED: FollowResolution(msg); break;
    case CM_MENUCHANGED: {
      skinData_->SetFramePaint(false);
      CallOldProc(msg);
      skinData_->SetFramePaint(true);
      menus_->RebuildChangedBar();
      break;
    }
    default: passOn = true; break;
  }
  const bool nonClient = !(IsMdiChild() && windowState_ != TFrameWindowState::Normal) &&
                         windowState_ != TFrameWindowState::Minimized && frameState_ != TFrameState::Attached;
  if (nonClient) {
    NonClientMessage(msg, passOn);
  } else if (passOn) {
    CallOldProc(msg);
  }
  return;
}

void TSkinFormFrame::NonClientMessage(TMessage& msg, bool passOn) {
  switch (msg.Msg) {
    case WM_SIZE: return;  // CaptionMessage has passed it on and brought the region up to date
    case WM_DRAWITEM:
      if (menus_->HandleDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam))) {
        msg.Result = TRUE;
        return;
      }
      break;
    case WM_MEASUREITEM:
      if (menus_->HandleMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam))) {
        msg.Result = TRUE;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGING:
      if ((reinterpret_cast<const WINDOWPOS*>(msg.LParam)->flags & SWP_SHOWWINDOW) &&
          !(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_VISIBLE))
        showingUnpainted_ = true;
      CallOldProc(msg);
      return;
    case WM_NCCALCSIZE: NcCalcSize(msg); return;
    case WM_NCHITTEST: NcHitTest(msg); return;
    case WM_NCPAINT: NcPaint(msg); return;
    case WM_NCACTIVATE: NcActivate(msg); return;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
      if (NcMouse(msg)) return;
      CallOldProc(msg);
      return;
    case SkinMessage::RepaintFrame: PaintFrame(nullptr); return;
    default: break;
  }
  if (passOn) CallOldProc(msg);
}

// A form's messages: the caption text, the skin re-applied and the menu bar's letters
// (a form with the skinned menu bar), then the frame's procedure.
void TSkinFormFrame::FormWndProc(TMessage& msg) {
  if (formCommands_) switch (msg.Msg) {
      case WM_SETTEXT:
        CallOldProc(msg);
        captionText_ = GetWindowTextString(handle_);
        FrameChanged();
        return;
      case SkinMessage::ReapplySkin: ReapplySkin(); return;
      case CM_DIALOGCHAR:
        if (GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0 &&
            menus_->OpenByKey(static_cast<wchar_t>(msg.WParam))) {
          msg.Result = 1;
          return;
        }
        CallOldProc(msg);
        return;
      default: break;
    }
  FrameWndProc(msg);
}

void TSkinFormFrame::ClientWndProc(TMessage& msg) {
  TFrameWindowSide* side = FrameWindowSide();
  switch (msg.Msg) {
    case WM_NCCALCSIZE:
      if (skinFrame_) {
        LONG_PTR style = GetWindowLongPtrW(mdiClientWindow_, GWL_STYLE);
        SetWindowLongPtrW(mdiClientWindow_, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
      }
      clientHook_.CallPrevious(msg);
      return;
    case WM_MDICREATE:
      skinData_->SetMenuUpdate(false);
      clientHook_.CallPrevious(msg);
      newMdiChild_ = reinterpret_cast<HWND>(msg.Result);
      return;
    case WM_MDIDESTROY:
      clientHook_.CallPrevious(msg);
      if (skinFrame_ && side) {
        BOOL maximized = FALSE;
        SendMessageW(mdiClientWindow_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
        side->SetMdiMaximized(maximized != FALSE);
        if (menus_->Bar() && side->CountMdiChildren() <= 1) menus_->RebuildBarForFrame();
      }
      return;
    case WM_MDITILE:
    case WM_MDICASCADE:
      if (skinFrame_ && side && MdiMaximized()) side->SetMdiMaximized(false);
      clientHook_.CallPrevious(msg);
      return;
    case WM_MDISETMENU: {
      auto newMenu = reinterpret_cast<HMENU>(msg.WParam);
      clientHook_.CallPrevious(msg);
      if (skinFrame_ && newMenu) menus_->TakeMdiMenu(newMenu, static_cast<LONG_PTR>(msg.WParam) < 0 || newMdiChild_);
      return;
    }
    case WM_MDIREFRESHMENU:
      clientHook_.CallPrevious(msg);
      if (newMdiChild_) {
        if (TSkinManager* manager = GetSkinManager())
          manager->AttachWindow(reinterpret_cast<TSkinWindow>(newMdiChild_));
        PostMessageW(newMdiChild_, SkinMessage::RepaintFrame, 0, 0);
        newMdiChild_ = nullptr;
      }
      return;
    default: clientHook_.CallPrevious(msg);
  }
}

void TSkinFormFrame::FinishAttachment() {
  if (frameState_ != TFrameState::Attached) return;
  if (IsMdiChild() && MdiMaximized()) {
    SetNativeCaption(true);
    FrameChanged();
  } else if (windowState_ != TFrameWindowState::Minimized && borderKind_ != TFrameBorder::None) {
    frameState_ = TFrameState::Resizing;
    FitWindow(false);
    frameState_ = TFrameState::Running;
    UpdateRegion();
  }
  frameState_ = TFrameState::Running;
  if (hoverTimer_) hoverTimer_->SetEnabled(true);
}

void TSkinFormFrame::SizeChanged(TMessage& msg) {
  CallOldProc(msg);
  switch (msg.WParam) {
    case SIZE_RESTORED: windowState_ = TFrameWindowState::Normal; break;
    case SIZE_MINIMIZED: windowState_ = TFrameWindowState::Minimized; break;
    case SIZE_MAXIMIZED: windowState_ = TFrameWindowState::Maximized; break;
    default: break;
  }
  if (windowState_ == TFrameWindowState::Minimized) return;
  if (IsMdiChild() && (MdiMaximized() || windowState_ != TFrameWindowState::Normal)) return;
  if (frameState_ == TFrameState::Running || frameState_ == TFrameState::Refreshing) UpdateRegion();
}

void TSkinFormFrame::GetMinMaxInfo(TMessage& msg) {
  CallOldProc(msg);
  ReadWindowState();
  if (windowState_ == TFrameWindowState::Minimized) {
    SetNativeCaption(true);
  } else if (!IsMdiChild()) {
    SetNativeCaption(false);
  } else if (windowState_ == TFrameWindowState::Normal) {
    if (MdiMaximized())
      if (TFrameWindowSide* side = FrameWindowSide()) side->SetMdiMaximized(false);
    SetNativeCaption(false);
  } else if (windowState_ == TFrameWindowState::Maximized) {
    SetNativeCaption(true);
  }
  if (borderKind_ == TFrameBorder::Sizeable) {
    auto* info = reinterpret_cast<MINMAXINFO*>(msg.LParam);
    info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  }
}

void TSkinFormFrame::SysCommand(TMessage& msg) {
  const UINT command = static_cast<UINT>(msg.WParam & 0xFFF0);
  if (!menus_->Tracking() && command == SC_KEYMENU && msg.LParam != 32 && msg.LParam != 45 && !GetCapture()) {
    // The window has no native bar while it is skinned: the system's keyboard menu would open
    // the system menu instead. Alone, the key selects the skinned bar; a letter that chooses a
    // bar item is dropped (a form opens the item from the letter before it gets here).
    const auto key = static_cast<wchar_t>(msg.LParam);
    if (key == 0) menus_->SelectBarByKeyboard();
    if (key == 0 || menus_->HasItemForKey(key)) {
      msg.Result = 1;
      return;
    }
  }
  switch (command) {
    case SC_MINIMIZE:
      windowState_ = TFrameWindowState::Minimized;
      if (IsMdiChild()) SetNativeCaption(true);
      break;
    case SC_MAXIMIZE: windowState_ = TFrameWindowState::Maximized; break;
    case SC_RESTORE:
      windowState_ = TFrameWindowState::Normal;
      if (IsMdiChild()) SetNativeCaption(false);
      break;
    default: break;
  }
  CallOldProc(msg);
  ResumeWindowAnimation();
}

void TSkinFormFrame::NcCalcSize(TMessage& msg) {
  CallOldProc(msg);
  if (!msg.WParam) {
    msg.Result = 0;
    return;
  }
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.LParam);
  if ((IsMdiChild() && windowState_ != TFrameWindowState::Normal) || borderKind_ == TFrameBorder::None) {
    params->rgrc[1] = params->rgrc[0];
    msg.Result = WVR_VALIDRECTS;
    return;
  }
  const WINDOWPOS& pos = *params->lppos;
  const RECT client{pos.x + edgeLeft_, pos.y + edgeTop_ + MenuBarHeight(), pos.x + pos.cx - edgeRight_,
                    pos.y + pos.cy - edgeBottom_};
  params->rgrc[0] = client;
  params->rgrc[1] = client;
  msg.Result = WVR_VALIDRECTS;
}

void TSkinFormFrame::NcHitTest(TMessage& msg) {
  CallOldProc(msg);
  if (msg.Result != HTNOWHERE && msg.Result != HTCAPTION) return;
  const POINT p = ToFrameCoords(XOf(msg.LParam), YOf(msg.LParam));
  if (p.y > 3) msg.Result = HTCAPTION;
  if (p.y > edgeTop_) msg.Result = HTMENU;
}

TNCObject* TSkinFormFrame::ObjectAt(POINT p) const {
  for (auto& b : captionButtons_)
    if (b->Visible && b->SkinButton->Action >= 0 && PtInRect(&b->Bounds, p)) return b.get();
  return menus_->Bar() ? menus_->Bar()->ButtonAt(p) : nullptr;
}

// True when the message was consumed.
bool TSkinFormFrame::NcMouse(TMessage& msg) {
  const POINT screen{XOf(msg.LParam), YOf(msg.LParam)};
  const POINT p = ToFrameCoords(screen.x, screen.y);
  TNCObject* object = ObjectAt(p);
  switch (msg.Msg) {
    case WM_NCMOUSEMOVE:
      if (!windowActive_) {
        msg.Result = 0;
        return true;
      }
      if (object) {
        object->Hover();
        return true;
      }
      if (hotObject_ && !menus_->KeyboardMode()) hotObject_->Leave();  // the keyboard's item stays selected
      return false;
    case WM_NCLBUTTONDOWN:
      if (object) {
        if (!windowActive_) SetForegroundWindow(handle_);
        object->Press();
        if (auto* button = dynamic_cast<TMenuBtn*>(object)) menus_->OpenBarButton(*button);
        return true;
      }
      if (windowState_ == TFrameWindowState::Maximized && windowActive_ && msg.WParam == HTCAPTION) msg.WParam = HTMENU;
      return false;
    case WM_NCLBUTTONUP:
      if (object) {
        if (auto* button = dynamic_cast<TSkinTitleButton*>(object); button && hotObject_ == button) {
          button->Release();
          ButtonAction(button->SkinButton->Action, screen);
        }
        return true;
      }
      return false;
    case WM_NCLBUTTONDBLCLK:
      if (windowState_ != TFrameWindowState::Normal)
        Restore();
      else if (borderIcons_ & kMaximizeBox)
        Maximize();
      return true;
    case WM_NCRBUTTONDOWN:
      if (msg.WParam == HTCAPTION && !IsMdiChild()) {
        ShowSystemMenu(screen.x, screen.y);
        return true;
      }
      return false;
    default: return false;
  }
}

void TSkinFormFrame::NcActivate(TMessage& msg) {
  windowActive_ = msg.WParam != 0;
  if (hoverTimer_) hoverTimer_->SetEnabled(windowActive_);
  if (!windowActive_ && hotButton_) {
    hotButton_->MouseLeft();
    hotButton_ = nullptr;
  }
  if (!(IsMdiChild() && windowState_ != TFrameWindowState::Normal) && !showingUnpainted_) PaintFrame(nullptr);
  msg.Result = 1;
}

void TSkinFormFrame::NcPaint(TMessage& msg) {
  msg.Result = 0;
  showingUnpainted_ = false;
  if (!skinData_->FramePaint()) return;
  if ((IsMdiChild() && windowState_ != TFrameWindowState::Normal) || borderKind_ == TFrameBorder::None) {
    CallOldProc(msg);
    return;
  }
  // wParam is 1 for the whole window, else an update region that GetDCEx takes over: a copy is
  // passed, the message's own region stays the caller's.
  HRGN region = nullptr;
  if (msg.WParam > 1) {
    region = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(region, reinterpret_cast<HRGN>(msg.WParam), nullptr, RGN_COPY);
  }
  TWindowDC dc(handle_, region, DCX_WINDOW | DCX_CACHE | (region ? DCX_INTERSECTRGN : 0));
  PaintFrame(dc);
}

void TSkinFormFrame::HoverCheck() {
  if (menus_->Tracking() || menus_->KeyboardMode()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT p = ToFrameCoords(cursor.x, cursor.y);
  if (hotObject_ && !PtInRect(&hotObject_->Bounds, p)) hotObject_->Leave();
  if (!form_ && hotButton_ && !hotButton_->Serves(WindowFromPoint(cursor))) {
    hotButton_->MouseLeft();
    hotButton_ = nullptr;
  }
}

// ---- Actions ----

void TSkinFormFrame::Maximize() {
  AnimationOff();
  windowState_ = TFrameWindowState::Maximized;
  PostMessageW(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  hotObject_ = nullptr;
}

void TSkinFormFrame::Minimize() {
  AnimationOff();
  windowState_ = TFrameWindowState::Minimized;
  PostMessageW(handle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TSkinFormFrame::Restore() {
  windowState_ = TFrameWindowState::Normal;
  PostMessageW(handle_, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TSkinFormFrame::CloseWindow() {
  if (hoverTimer_) hoverTimer_->SetEnabled(false);
  PostMessageW(handle_, WM_CLOSE, 0, 0);
}

void TSkinFormFrame::MdiChildCommand(UINT command) {
  AnimationOff();
  if (frameKind_ != TFrameKind::MdiFrame || !mdiClientWindow_) return;
  BOOL maximized = FALSE;
  auto active =
      reinterpret_cast<HWND>(SendMessageW(mdiClientWindow_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  if (active) SendMessageW(active, WM_SYSCOMMAND, command, 0);
  if (MdiMaximized()) {
    maximized = FALSE;
    SendMessageW(mdiClientWindow_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    if (!maximized)
      if (TFrameWindowSide* side = FrameWindowSide()) side->SetMdiMaximized(false);
  }
}

void TSkinFormFrame::ButtonAction(int action, POINT releasePoint) {
  switch (action) {
    case 0: CloseWindow(); break;
    case 1:
    case 22:
      if (windowState_ == TFrameWindowState::Maximized)
        Restore();
      else
        Maximize();
      break;
    case 2:
    case 23:
      if (windowState_ == TFrameWindowState::Minimized)
        Restore();
      else
        Minimize();
      break;
    case 3:
    case 11:
    case 12: ShowSystemMenu(releasePoint.x + 1, releasePoint.y + 1); break;
    case 7:
    case 60: MdiChildCommand(SC_MINIMIZE); break;
    case 8:
    case 61: MdiChildCommand(SC_RESTORE); break;
    case 9:
    case 62: MdiChildCommand(SC_CLOSE); break;
    default: PostMessageW(handle_, SkinMessage::TitleButton, static_cast<WPARAM>(action), 0); break;
  }
}
