// The skinned frame's window procedure, in three stages: messages every frame handles
// (background, colours, destruction), the bookkeeping of a window with a skinned caption
// (size, state, activation, system commands), and the non-client work once the frame runs
// (size of the non-client area, hit testing, mouse, painting).
#include <algorithm>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/menu_items.h"
#include "skin/frames/window_side.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/extctrls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"

namespace {
// The signed coordinates packed in an lParam (as windowsx.h's macros, whose other names clash
// with the canvas).
int XOf(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int YOf(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

bool MdiMaximized() { return GetSkinManager() && GetSkinManager()->MdiMaximized; }

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
  static COLORREF colour = 0;
  const COLORREF want = static_cast<COLORREF>(ColorToRGB(skin.ButtonFaceColour));
  if (!brush || colour != want) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(want);
    colour = want;
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
      if (!Form) {
        RECT r{};
        GetClientRect(Handle, &r);
        FillRect(reinterpret_cast<HDC>(msg.WParam), &r, FaceBrush(*SkinData));
        msg.Result = 1;
        return;
      }
      hook_.CallPrevious(msg);
      return;
    case WM_STYLECHANGED:
      if (msg.WParam == static_cast<WPARAM>(GWL_STYLE))
        Style = reinterpret_cast<const STYLESTRUCT*>(msg.LParam)->styleNew;
      hook_.CallPrevious(msg);
      return;
    case WM_NCDESTROY: {
      FrameState = FrameStates::Closing;
      QuietDetach();
      hook_.Detach();
      hook_.CallPrevious(msg);  // the hook passes the message on while it handles it
      FrameState = FrameStates::Dead;
      return;
    }
    case WM_CTLCOLORBTN:
      hook_.CallPrevious(msg);
      if (!Form) SetBkMode(reinterpret_cast<HDC>(msg.WParam), TRANSPARENT);
      return;
    case WM_CTLCOLORSTATIC:
      hook_.CallPrevious(msg);
      if (!Form) {
        SetBkMode(reinterpret_cast<HDC>(msg.WParam), TRANSPARENT);
        msg.Result = reinterpret_cast<LRESULT>(FaceBrush(*SkinData));
      }
      return;
    default:
      break;
  }
  if (msg.Msg == SkinMessage::QuerySkinned) {
    msg.Result = 1;
    return;
  }
  if (!SkinFrame) {
    hook_.CallPrevious(msg);
    return;
  }
  if (!Stage2(msg)) return;
}

// Returns false when the message is finished.
bool TSkinFormFrame::Stage2(TMessage& msg) {
  if (!IsMdiChild() && (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_CHILD)) {
    hook_.CallPrevious(msg);
    return false;
  }
  bool defaultToOld = false;
  switch (msg.Msg) {
    case WM_SIZE: SizeChanged(msg); break;
    case WM_ACTIVATE:
      WindowActive = LOWORD(msg.WParam) != WA_INACTIVE;
      defaultToOld = true;
      break;
    case WM_GETMINMAXINFO: GetMinMaxInfo(msg); break;
    case WM_WINDOWPOSCHANGED:
      ReadWindowState();
      hook_.CallPrevious(msg);
      break;
    case WM_NCACTIVATE:
      WindowActive = msg.WParam != 0;
      defaultToOld = true;
      break;
    case WM_COMMAND:
      switch (LOWORD(msg.WParam) & 0xFFF0) {
        case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW: case SC_PREVWINDOW:
        case SC_CLOSE: case SC_RESTORE:
          if (LOWORD(msg.WParam) >= 0xF000) {
            PostMessageW(Handle, WM_SYSCOMMAND, LOWORD(msg.WParam), 0);
            return false;
          }
          break;
        default: break;
      }
      hook_.CallPrevious(msg);
      break;
    case WM_SYSCOMMAND: SysCommand(msg); break;
    case WM_MENUSELECT:
      if (MenuTracking) NoteMenuSelect(*this, msg.WParam, msg.LParam);
      defaultToOld = true;
      break;
    case SkinMessage::FinishAttach: FinishAttachment(); break;
    case CM_MENUCHANGED: {
      SkinData->FramePaint = false;
      hook_.CallPrevious(msg);
      SkinData->FramePaint = true;
      if (SkinMenu && SkinData->GetMenuUpdate()) {
        // A native menu handed back to the window is taken again; a toolkit menu changed in
        // place (the window has no native menu while it is skinned) is read from the menu.
        if (GetMenu(Handle))
          SkinMenu->BuildFromWindowMenu();
        else if (SkinMenu->Menu)
          SkinMenu->BuildFromMenu();
        PostMessageW(Handle, SkinMessage::RepaintFrame, 0, 0);
      }
      break;
    }
    default:
      defaultToOld = true;
      break;
  }
  const bool stage3 = !(IsMdiChild() && WindowState != 0) && WindowState != 2 && FrameState != FrameStates::Attached;
  if (stage3) {
    Stage3(msg, defaultToOld);
  } else if (defaultToOld) {
    hook_.CallPrevious(msg);
  }
  return false;
}

void TSkinFormFrame::Stage3(TMessage& msg, bool defaultToOld) {
  switch (msg.Msg) {
    case WM_SIZE: return;  // stage 2 has passed it on and brought the region up to date
    case WM_DRAWITEM:
      if (FrameDrawItem(*this, *reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam))) {
        msg.Result = TRUE;
        return;
      }
      break;
    case WM_MEASUREITEM:
      if (FrameMeasureItem(*this, *reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam))) {
        msg.Result = TRUE;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGING: hook_.CallPrevious(msg); return;
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
      hook_.CallPrevious(msg);
      return;
    case SkinMessage::RepaintFrame: PaintFrame(nullptr); return;
    default: break;
  }
  if (defaultToOld) hook_.CallPrevious(msg);
}

void TSkinFormFrame::FormWndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_SETTEXT:
      oldFormWndProc_(msg);
      CaptionText = GetWindowTextString(Handle);
      FrameChanged();
      return;
    case SkinMessage::ReapplySkin:
      ReapplySkin();
      return;
    case CM_DIALOGCHAR:
      if (SkinMenu && GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0)
        if (TMenuBtn* button = SkinMenu->ButtonForAccel(static_cast<wchar_t>(msg.WParam))) {
          PostOpenMenuButton(*this, *button);
          msg.Result = 1;
          return;
        }
      oldFormWndProc_(msg);
      return;
    default:
      oldFormWndProc_(msg);
  }
}

void TSkinFormFrame::ClientWndProc(TMessage& msg) {
  TFrameWindowSide* side = FrameWindowSide();
  switch (msg.Msg) {
    case WM_NCCALCSIZE:
      if (SkinFrame) {
        LONG_PTR style = GetWindowLongPtrW(MdiClientWindow, GWL_STYLE);
        SetWindowLongPtrW(MdiClientWindow, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
      }
      clientHook_.CallPrevious(msg);
      return;
    case WM_MDICREATE:
      SkinData->SetMenuUpdate(false);
      clientHook_.CallPrevious(msg);
      NewMdiChild = reinterpret_cast<HWND>(msg.Result);
      return;
    case WM_MDIDESTROY:
      clientHook_.CallPrevious(msg);
      if (SkinFrame && side) {
        BOOL maximized = FALSE;
        SendMessageW(MdiClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
        side->SetMdiMaximized(maximized != FALSE);
        if (SkinMenu && side->CountMdiChildren() <= 1) {
          SkinData->SetMenuUpdate(SavedMenuUpdate);
          if (SkinMenu->Menu) SkinMenu->BuildFromMenu();
          else SkinMenu->BuildFromHandle(SkinMenu->MenuHandle);
        }
      }
      return;
    case WM_MDITILE:
    case WM_MDICASCADE:
      if (SkinFrame && side && MdiMaximized()) side->SetMdiMaximized(false);
      clientHook_.CallPrevious(msg);
      return;
    case WM_MDISETMENU: {
      auto newMenu = reinterpret_cast<HMENU>(msg.WParam);
      clientHook_.CallPrevious(msg);
      if (SkinFrame && newMenu) {
        if (SkinMenu && (static_cast<LONG_PTR>(msg.WParam) < 0 || newMenu != SkinMenu->MenuHandle || NewMdiChild))
          SkinMenu->BuildFromHandle(GetMenu(Handle) ? GetMenu(Handle) : newMenu);
        SetMenu(Handle, nullptr);
      }
      return;
    }
    case WM_MDIREFRESHMENU:
      clientHook_.CallPrevious(msg);
      if (NewMdiChild) {
        if (TSkinManager* manager = GetSkinManager()) manager->AttachWindow(reinterpret_cast<TSkinWindow>(NewMdiChild));
        PostMessageW(NewMdiChild, SkinMessage::RepaintFrame, 0, 0);
        NewMdiChild = nullptr;
      }
      return;
    default:
      clientHook_.CallPrevious(msg);
  }
}

void TSkinFormFrame::FinishAttachment() {
  if (FrameState != FrameStates::Attached) return;
  if (IsMdiChild() && MdiMaximized()) {
    SetNativeCaption(true);
    FrameChanged();
  } else if (WindowState != 2 && BorderKind != 2) {
    FrameState = FrameStates::Resizing;
    FitWindow(false);
    FrameState = FrameStates::Running;
    UpdateRegion();
  }
  FrameState = FrameStates::Running;
  if (HoverTimer) HoverTimer->SetEnabled(true);
}

void TSkinFormFrame::SizeChanged(TMessage& msg) {
  hook_.CallPrevious(msg);
  switch (msg.WParam) {
    case SIZE_RESTORED: WindowState = 0; break;
    case SIZE_MINIMIZED: WindowState = 2; break;
    case SIZE_MAXIMIZED: WindowState = 1; break;
    default: break;
  }
  if (WindowState == 2) return;
  if (IsMdiChild() && (MdiMaximized() || WindowState != 0)) return;
  if (FrameState == FrameStates::Running || FrameState == FrameStates::Refreshing) UpdateRegion();
}

void TSkinFormFrame::GetMinMaxInfo(TMessage& msg) {
  hook_.CallPrevious(msg);
  ReadWindowState();
  if (WindowState == 2) {
    SetNativeCaption(true);
  } else if (!IsMdiChild()) {
    SetNativeCaption(false);
  } else if (WindowState == 0) {
    if (MdiMaximized())
      if (TFrameWindowSide* side = FrameWindowSide()) side->SetMdiMaximized(false);
    SetNativeCaption(false);
  } else if (WindowState == 1) {
    SetNativeCaption(true);
  }
  if (BorderKind == 0) {
    auto* info = reinterpret_cast<MINMAXINFO*>(msg.LParam);
    info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  }
}

void TSkinFormFrame::SysCommand(TMessage& msg) {
  const UINT command = static_cast<UINT>(msg.WParam & 0xFFF0);
  if (!MenuTracking && command == SC_KEYMENU && msg.LParam != 32 && msg.LParam != 45 && !GetCapture()) {
    const auto key = static_cast<wchar_t>(msg.LParam);
    if (key == 0 || (SkinMenu && SkinMenu->ButtonForAccel(key))) {
      msg.Result = 1;
      return;
    }
  }
  switch (command) {
    case SC_MINIMIZE:
      WindowState = 2;
      if (IsMdiChild()) SetNativeCaption(true);
      break;
    case SC_MAXIMIZE: WindowState = 1; break;
    case SC_RESTORE:
      WindowState = 0;
      if (IsMdiChild()) SetNativeCaption(false);
      break;
    default: break;
  }
  hook_.CallPrevious(msg);
  ResumeWindowAnimation();
}

void TSkinFormFrame::NcCalcSize(TMessage& msg) {
  hook_.CallPrevious(msg);
  if (!msg.WParam) {
    msg.Result = 0;
    return;
  }
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.LParam);
  if ((IsMdiChild() && WindowState != 0) || BorderKind == 2) {
    params->rgrc[1] = params->rgrc[0];
    msg.Result = WVR_VALIDRECTS;
    return;
  }
  const WINDOWPOS& pos = *params->lppos;
  const RECT client{pos.x + EdgeLeft, pos.y + EdgeTop + MenuBarHeight, pos.x + pos.cx - EdgeRight,
                    pos.y + pos.cy - EdgeBottom};
  params->rgrc[0] = client;
  params->rgrc[1] = client;
  msg.Result = WVR_VALIDRECTS;
}

void TSkinFormFrame::NcHitTest(TMessage& msg) {
  hook_.CallPrevious(msg);
  if (msg.Result != HTNOWHERE && msg.Result != HTCAPTION) return;
  const POINT p = ToFrameCoords(XOf(msg.LParam), YOf(msg.LParam));
  if (p.y > 3) msg.Result = HTCAPTION;
  if (p.y > EdgeTop) msg.Result = HTMENU;
}

TNCObject* TSkinFormFrame::ObjectAt(POINT p) const {
  for (auto& b : CaptionButtons)
    if (b->Visible && b->SkinButton->Action >= 0 && PtInRect(&b->Bounds, p)) return b.get();
  return SkinMenu ? SkinMenu->ButtonAt(p) : nullptr;
}

// True when the message was consumed.
bool TSkinFormFrame::NcMouse(TMessage& msg) {
  const POINT screen{XOf(msg.LParam), YOf(msg.LParam)};
  const POINT p = ToFrameCoords(screen.x, screen.y);
  TNCObject* object = ObjectAt(p);
  switch (msg.Msg) {
    case WM_NCMOUSEMOVE:
      if (!WindowActive) {
        msg.Result = 0;
        return true;
      }
      if (object) {
        object->Hover();
        return true;
      }
      if (HotObject) HotObject->Leave();
      return false;
    case WM_NCLBUTTONDOWN:
      if (object) {
        if (!WindowActive) SetForegroundWindow(Handle);
        object->Press();
        if (auto* button = dynamic_cast<TMenuBtn*>(object)) OpenMenuButton(*this, *button);
        return true;
      }
      if (WindowState == 1 && WindowActive && msg.WParam == HTCAPTION) msg.WParam = HTMENU;
      return false;
    case WM_NCLBUTTONUP:
      if (object) {
        if (auto* button = dynamic_cast<TSkinTitleButton*>(object); button && HotObject == button) {
          button->Release();
          ButtonAction(button->SkinButton->Action, screen);
        }
        return true;
      }
      return false;
    case WM_NCLBUTTONDBLCLK:
      if (WindowState != 0)
        Restore();
      else if (BorderIcons & kMaximizeBox)
        Maximize();
      return true;
    case WM_NCRBUTTONDOWN:
      if (msg.WParam == HTCAPTION && !IsMdiChild()) {
        ShowSystemMenu(screen.x, screen.y);
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TSkinFormFrame::NcActivate(TMessage& msg) {
  WindowActive = msg.WParam != 0;
  if (HoverTimer) HoverTimer->SetEnabled(WindowActive);
  if (!WindowActive && HotButton) {
    HotButton->MouseLeft();
    HotButton = nullptr;
  }
  if (!(IsMdiChild() && WindowState != 0)) PaintFrame(nullptr);
  msg.Result = 1;
}

void TSkinFormFrame::NcPaint(TMessage& msg) {
  msg.Result = 0;
  if (!SkinData->FramePaint) return;
  if ((IsMdiChild() && WindowState != 0) || BorderKind == 2) {
    hook_.CallPrevious(msg);
    return;
  }
  // wParam is 1 for the whole window, else an update region that GetDCEx takes over: a copy is
  // passed, the message's own region stays the caller's.
  HRGN region = nullptr;
  if (msg.WParam > 1) {
    region = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(region, reinterpret_cast<HRGN>(msg.WParam), nullptr, RGN_COPY);
  }
  TWindowDC dc(Handle, region, DCX_WINDOW | DCX_CACHE | (region ? DCX_INTERSECTRGN : 0));
  PaintFrame(dc);
}

void TSkinFormFrame::HoverCheck() {
  if (MenuTracking) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT p = ToFrameCoords(cursor.x, cursor.y);
  if (HotObject && !PtInRect(&HotObject->Bounds, p)) HotObject->Leave();
  if (!Form && HotButton && !HotButton->Serves(WindowFromPoint(cursor))) {
    HotButton->MouseLeft();
    HotButton = nullptr;
  }
}

// ---- Actions ----

void TSkinFormFrame::Maximize() {
  AnimationOff();
  WindowState = 1;
  PostMessageW(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  HotObject = nullptr;
}

void TSkinFormFrame::Minimize() {
  AnimationOff();
  WindowState = 2;
  PostMessageW(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TSkinFormFrame::Restore() {
  WindowState = 0;
  PostMessageW(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TSkinFormFrame::CloseWindow() {
  if (HoverTimer) HoverTimer->SetEnabled(false);
  PostMessageW(Handle, WM_CLOSE, 0, 0);
}

void TSkinFormFrame::MdiChildCommand(UINT command) {
  AnimationOff();
  if (FrameKind != kFrameMdi || !MdiClientWindow) return;
  BOOL maximized = FALSE;
  auto active = reinterpret_cast<HWND>(SendMessageW(MdiClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  if (active) SendMessageW(active, WM_SYSCOMMAND, command, 0);
  if (MdiMaximized()) {
    maximized = FALSE;
    SendMessageW(MdiClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    if (!maximized)
      if (TFrameWindowSide* side = FrameWindowSide()) side->SetMdiMaximized(false);
  }
}

void TSkinFormFrame::ButtonAction(int action, POINT releasePoint) {
  switch (action) {
    case 0: CloseWindow(); break;
    case 1: case 22:
      if (WindowState == 1) Restore(); else Maximize();
      break;
    case 2: case 23:
      if (WindowState == 2) Restore(); else Minimize();
      break;
    case 3: case 11: case 12: ShowSystemMenu(releasePoint.x + 1, releasePoint.y + 1); break;
    case 7: case 60: MdiChildCommand(SC_MINIMIZE); break;
    case 8: case 61: MdiChildCommand(SC_RESTORE); break;
    case 9: case 62: MdiChildCommand(SC_CLOSE); break;
    default: PostMessageW(Handle, SkinMessage::TitleButton, static_cast<WPARAM>(action), 0); break;
  }
}
