// Opening a skinned menu-bar item and moving between bar items while its submenu is open: a
// message-filter hook on the menu's modal loop turns the left and right arrow keys at the ends
// of a submenu, and the mouse over another bar item, into opening that item instead.
#include <algorithm>

#include "skin/frames/form_frame.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/menu_items.h"
#include "toolkit/win/menus.h"

namespace {
// One bar submenu can be open at a time in the thread.
struct TMenuTracking {
  TSkinFormFrame* Frame = nullptr;
  int OpenIndex = -1;
  TMenuItem* CurrentItem = nullptr;
  HMENU CurrentSubMenu = nullptr;  // the submenu handle of the selected item, when it has one
  HMENU CurrentParent = nullptr;   // the menu that holds the selected item
  bool Switching = false;
  TMenuBtn* SwitchTo = nullptr;  // the bar item to open once the open submenu has closed
  bool FirstMessageSeen = false;
  POINT LastMousePoint{};
  HHOOK MenuHook = nullptr;
} tracking;

TMenuBtn* Neighbour(TSkinMenuBar& bar, int step) {
  const int n = static_cast<int>(bar.MenuButtons.size());
  if (n == 0) return nullptr;
  int index = tracking.OpenIndex;
  for (int tries = 0; tries < n; ++tries) {
    index = (index + step + n) % n;
    TMenuBtn* b = bar.MenuButtons[static_cast<std::size_t>(index)].get();
    if (b->Visible && !b->Caption.empty()) return b;
  }
  return nullptr;
}

LRESULT CALLBACK MenuHookProc(int code, WPARAM wp, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  const LRESULT next = CallNextHookEx(tracking.MenuHook, code, wp, lp);
  if (next != 0 || code != MSGF_MENU || !tracking.Frame || !tracking.Frame->SkinMenu()) return next;
  TSkinFormFrame& frame = *tracking.Frame;
  TSkinMenuBar& bar = *frame.SkinMenu();
  if (!tracking.FirstMessageSeen) {
    // The first item of the opened submenu is selected, as a keyboard-opened menu does.
    tracking.FirstMessageSeen = true;
    if (msg->hwnd) PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  TMenuBtn* candidate = nullptr;
  switch (msg->message) {
    case WM_KEYDOWN:
      if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) {
        tracking.Switching = false;
      } else if (msg->wParam == VK_LEFT) {
        // Inside a nested submenu the key closes that submenu instead.
        const bool nested = tracking.CurrentParent && tracking.CurrentParent != frame.TrackedMenu();
        if (!nested) candidate = Neighbour(bar, -1);
      } else if (msg->wParam == VK_RIGHT) {
        if (!tracking.CurrentSubMenu) candidate = Neighbour(bar, +1);
      }
      break;
    case WM_SYSKEYDOWN:
      if (msg->wParam == VK_MENU) frame.EndMenuTracking();
      return next;
    case WM_MOUSEMOVE: {
      POINT p = msg->pt;
      if (p.x != tracking.LastMousePoint.x || p.y != tracking.LastMousePoint.y) {
        RECT wr{};
        GetWindowRect(frame.Handle(), &wr);
        candidate = bar.ButtonAt({p.x - wr.left, p.y - wr.top});
        tracking.LastMousePoint = p;
      }
      break;
    }
    default: break;
  }
  if (candidate && candidate->Index != tracking.OpenIndex) {
    // The open submenu closes and OpenMenuButton opens the candidate's when it returns.
    tracking.Switching = true;
    tracking.SwitchTo = candidate;
    EndMenu();
  }
  return next;
}

// The messages of the menu loop go through the hook only while it runs.
void StartTracking() {
  tracking.Switching = false;
  tracking.FirstMessageSeen = false;
  GetCursorPos(&tracking.LastMousePoint);
  if (!tracking.MenuHook)
    tracking.MenuHook = SetWindowsHookExW(WH_MSGFILTER, MenuHookProc, nullptr, GetCurrentThreadId());
}

void EndTracking(TSkinFormFrame& frame) {
  if (tracking.MenuHook) UnhookWindowsHookEx(tracking.MenuHook);
  tracking.MenuHook = nullptr;
  tracking.CurrentItem = nullptr;
  tracking.CurrentSubMenu = tracking.CurrentParent = nullptr;
  tracking.OpenIndex = -1;
  tracking.FirstMessageSeen = false;
  tracking.Switching = false;
  tracking.SwitchTo = nullptr;
  tracking.Frame = nullptr;
  frame.EndMenuTracking();
}
}  // namespace

int OpenMenuIndex() { return tracking.OpenIndex; }

// WM_MENUSELECT is sent to the frame's window (the menu's owner), so it never passes the
// message filter: the frame hands it over here.
void NoteMenuSelect(TSkinFormFrame& frame, WPARAM wp, LPARAM lp) {
  if (tracking.Frame != &frame) return;
  const UINT flags = HIWORD(wp);
  if (flags == 0xFFFF && lp == 0) {
    // The menu closes.
    if (!tracking.Switching) frame.EndMenuTracking();
    return;
  }
  auto menu = reinterpret_cast<HMENU>(lp);
  tracking.CurrentParent = menu;
  tracking.CurrentSubMenu = (flags & MF_POPUP) ? GetSubMenu(menu, LOWORD(wp)) : nullptr;
  tracking.CurrentItem = (flags & MF_POPUP) ? nullptr : TMenuItem::FindCommand(LOWORD(wp));
}

namespace {
// Opens one button's submenu; returns the button to switch to when the arrow keys or the mouse
// asked for another bar item while it was open.
TMenuBtn* TrackButton(TSkinFormFrame& frame, TMenuBtn& button) {
  PostMessageW(frame.Handle(), WM_COMMAND, button.CommandId, 0);
  if (!button.SubMenu) return nullptr;
  tracking.OpenIndex = button.Index;
  tracking.Frame = &frame;
  tracking.SwitchTo = nullptr;
  const RECT wr = frame.CurrentWindowRect();
  MakeOwnerDrawn(button.SubMenu);
  frame.BeginMenuTracking(button.SubMenu);
  POINT at{wr.left + button.Bounds.left, wr.top + button.Bounds.bottom};
  StartTracking();
  if (button.Enabled)
    TrackPopupMenu(button.SubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, frame.Handle(), nullptr);
  TMenuBtn* next = tracking.Switching ? tracking.SwitchTo : nullptr;
  EndTracking(frame);
  if (button.State != 1) button.Leave();
  return next;
}
}  // namespace

bool OpenMenuButton(TSkinFormFrame& frame, TMenuBtn& button) {
  if (!button.SubMenu) {
    PostMessageW(frame.Handle(), WM_COMMAND, button.CommandId, 0);
    return false;
  }
  TMenuBtn* next = &button;
  // A switch opens the neighbour at once; a bound keeps a broken skin or menu from looping.
  for (int switches = 0; next && switches < 64; ++switches) {
    next->Press();
    next = TrackButton(frame, *next);
  }
  return true;
}

void PostOpenMenuButton(TSkinFormFrame& frame, const TMenuBtn& button) {
  RECT wr{};
  GetWindowRect(frame.Handle(), &wr);
  PostMessageW(frame.Handle(), WM_NCLBUTTONDOWN, 1,
               MAKELPARAM(wr.left + button.Bounds.left + 1, wr.top + button.Bounds.top + 1));
}
