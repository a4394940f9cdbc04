// Opening a skinned menu-bar item and moving between bar items while its submenu is open: a
// message-filter hook on the menu's modal loop turns the left and right arrow keys at the ends
// of a submenu, and the mouse over another bar item, into opening that item instead.
#include <algorithm>

#include "skin/frames/form_frame.h"
#include "skin/frames/frame_menus.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/menu_items.h"
#include "toolkit/win/menus.h"

namespace {
// One bar submenu can be open at a time in the thread: the menus of its frame, for the hook.
TFrameMenus* openMenus = nullptr;
}  // namespace

TMenuBtn* TFrameMenus::Neighbour(int index, int step) const {
  const auto& buttons = bar_->Buttons();
  const int n = static_cast<int>(buttons.size());
  if (n == 0) return nullptr;
  for (int tries = 0; tries < n; ++tries) {
    index = (index + step + n) % n;
    TMenuBtn* b = buttons[static_cast<std::size_t>(index)].get();
    if (b->Visible && !b->Caption().empty()) return b;
  }
  return nullptr;
}

LRESULT CALLBACK TFrameMenus::MenuHookProc(int code, WPARAM wp, LPARAM lp) {
  TFrameMenus* menus = openMenus;
  const LRESULT next = CallNextHookEx(menus ? menus->menuHook_ : nullptr, code, wp, lp);
  if (next == 0 && code == MSGF_MENU && menus && menus->bar_) menus->FilterMenuMessage(*reinterpret_cast<MSG*>(lp));
  return next;
}

void TFrameMenus::FilterMenuMessage(const MSG& msg) {
  if (!firstMessageSeen_) {
    // The first item of the opened submenu is selected, as a keyboard-opened menu does.
    firstMessageSeen_ = true;
    if (msg.hwnd) PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  TMenuBtn* candidate = nullptr;
  // Inside a nested submenu Left and Escape close that submenu only.
  const bool nested = currentParent_ && currentParent_ != trackedMenu_;
  switch (msg.message) {
    case WM_KEYDOWN:
      steppedBack_ = false;
      if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) {
        switching_ = false;
        steppedBack_ = msg.wParam == VK_ESCAPE && !nested;
      } else if (msg.wParam == VK_LEFT) {
        if (!nested) candidate = Neighbour(openIndex_, -1);
      } else if (msg.wParam == VK_RIGHT) {
        if (!currentSubMenu_) candidate = Neighbour(openIndex_, +1);
      }
      break;
    case WM_SYSKEYDOWN:
      steppedBack_ = false;
      if (msg.wParam == VK_MENU) tracking_ = false;
      return;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: steppedBack_ = false; return;
    case WM_MOUSEMOVE: {
      POINT p = msg.pt;
      if (p.x != lastMousePoint_.x || p.y != lastMousePoint_.y) {
        RECT wr{};
        GetWindowRect(frame_.Handle(), &wr);
        candidate = bar_->ButtonAt({p.x - wr.left, p.y - wr.top});
        lastMousePoint_ = p;
      }
      break;
    }
    default: break;
  }
  if (candidate && candidate->Index() != openIndex_) {
    // The open submenu closes and OpenBarButton opens the candidate's when it returns.
    switching_ = true;
    switchTo_ = candidate;
    EndMenu();
  }
}

// The messages of the menu loop go through the hook only while it runs.
void TFrameMenus::StartTracking(HMENU menu) {
  tracking_ = true;
  trackedMenu_ = menu;
  switching_ = false;
  firstMessageSeen_ = false;
  GetCursorPos(&lastMousePoint_);
  if (!menuHook_) menuHook_ = SetWindowsHookExW(WH_MSGFILTER, MenuHookProc, nullptr, GetCurrentThreadId());
}

void TFrameMenus::EndTracking() {
  if (menuHook_) UnhookWindowsHookEx(menuHook_);
  menuHook_ = nullptr;
  currentSubMenu_ = currentParent_ = nullptr;
  openIndex_ = -1;
  firstMessageSeen_ = false;
  switching_ = false;
  switchTo_ = nullptr;
  if (openMenus == this) openMenus = nullptr;
  tracking_ = false;
}

void TFrameMenus::NoteMenuSelect(WPARAM wp, LPARAM lp) {
  if (!tracking_ || openMenus != this) return;
  const UINT flags = HIWORD(wp);
  if (flags == 0xFFFF && lp == 0) {
    // The menu closes.
    if (!switching_) tracking_ = false;
    return;
  }
  auto menu = reinterpret_cast<HMENU>(lp);
  currentParent_ = menu;
  currentSubMenu_ = (flags & MF_POPUP) ? GetSubMenu(menu, LOWORD(wp)) : nullptr;
}

// Opens one button's submenu; returns the button to switch to when the arrow keys or the mouse
// asked for another bar item while it was open.
TMenuBtn* TFrameMenus::TrackButton(TMenuBtn& button) {
  PostMessageW(frame_.Handle(), WM_COMMAND, button.CommandId(), 0);
  if (!button.SubMenu()) return nullptr;
  openIndex_ = button.Index();
  openMenus = this;
  switchTo_ = nullptr;
  const RECT wr = frame_.CurrentWindowRect();
  MakeOwnerDrawn(button.SubMenu());
  POINT at{wr.left + button.Bounds.left, wr.top + button.Bounds.bottom};
  StartTracking(button.SubMenu());
  if (button.Enabled())
    TrackPopupMenu(button.SubMenu(), TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, frame_.Handle(), nullptr);
  TMenuBtn* next = switching_ ? switchTo_ : nullptr;
  EndTracking();
  if (button.State != 1) button.Leave();
  return next;
}

TMenuBtn* TFrameMenus::RunBarMenus(TMenuBtn& button) {
  steppedBack_ = false;
  TMenuBtn* next = &button;
  TMenuBtn* last = &button;
  // A switch opens the neighbour at once; a bound keeps a broken skin or menu from looping.
  for (int switches = 0; next && switches < 64; ++switches) {
    // A neighbour with no submenu to open is only selected: its command does not run.
    if (switches > 0 && (!next->SubMenu() || !next->Enabled())) return next;
    last = next;
    next->Press();
    next = TrackButton(*next);
  }
  return steppedBack_ ? last : nullptr;
}

bool TFrameMenus::OpenBarButton(TMenuBtn& button) {
  if (!button.SubMenu()) {
    PostMessageW(frame_.Handle(), WM_COMMAND, button.CommandId(), 0);
    return false;
  }
  if (TMenuBtn* last = RunBarMenus(button); last && last->State != 1) last->Leave();
  return true;
}

void TFrameMenus::PostOpenBarButton(const TMenuBtn& button) {
  RECT wr{};
  GetWindowRect(frame_.Handle(), &wr);
  PostMessageW(frame_.Handle(), WM_NCLBUTTONDOWN, 1,
               MAKELPARAM(wr.left + button.Bounds.left + 1, wr.top + button.Bounds.top + 1));
}
