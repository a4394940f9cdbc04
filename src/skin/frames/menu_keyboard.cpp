// The skinned bar driven by the keyboard, as the system's menu bar is: F10 or Alt alone selects
// the first item, and until the bar is left a message hook on the thread's queue takes the keys
// from whatever window has the focus (the bar is not a window and never has it). An opened item
// runs the bar's usual tracking (menu_tracking.cpp); the letters typed in its submenus come to
// the frame as WM_MENUCHAR, since the owner-drawn items show no access keys to the system.
// Assistive technology hears of the bar entered, each item selected and the bar left.
#include <vector>

#include "skin/frames/form_frame.h"
#include "skin/frames/frame_menus.h"
#include "skin/frames/menu_accessible.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/menu_items.h"
#include "skin/frames/menu_keys.h"

namespace {
// One bar at a time has the thread's keys: the menus of its frame, for the hook.
TFrameMenus* keyboardMenus = nullptr;
}  // namespace

TMenuBtn* TFrameMenus::SelectedButton() const { return dynamic_cast<TMenuBtn*>(frame_.HotObject()); }

void TFrameMenus::SelectBarItem(TMenuBtn& button) {
  if (keyboardMenus && keyboardMenus != this) keyboardMenus->LeaveBar();
  keyboardMenus = this;
  if (!keyboardMode_) NotifyMenuBarStart(frame_.Handle());
  keyboardMode_ = true;
  if (!barKeyHook_) barKeyHook_ = SetWindowsHookExW(WH_GETMESSAGE, BarKeyHookProc, nullptr, GetCurrentThreadId());
  button.Hover();
  NotifyMenuBarFocus(frame_.Handle(), button.Index());
}

void TFrameMenus::SelectBarByKeyboard() {
  if (!bar_) return;
  if (TMenuBtn* first = Neighbour(-1, +1)) SelectBarItem(*first);
}

void TFrameMenus::PostOpen(const TMenuBtn& button) {
  PostMessageW(frame_.Handle(), SkinMessage::OpenBarItem, static_cast<WPARAM>(button.Index()), 0);
}

bool TFrameMenus::OpenByKey(wchar_t key) {
  TMenuBtn* button = bar_ ? bar_->ButtonForKey(key) : nullptr;
  if (!button) return false;
  SelectBarItem(*button);
  PostOpen(*button);
  return true;
}

void TFrameMenus::StopBarKeys() {
  if (barKeyHook_) UnhookWindowsHookEx(barKeyHook_);
  barKeyHook_ = nullptr;
  if (keyboardMenus == this) keyboardMenus = nullptr;
  if (keyboardMode_) NotifyMenuBarEnd(frame_.Handle());
  keyboardMode_ = false;
}

void TFrameMenus::LeaveBar() {
  const bool wasSelecting = keyboardMode_;
  StopBarKeys();
  if (TMenuBtn* selected = SelectedButton(); selected && wasSelecting) selected->Leave();
}

void TFrameMenus::OpenSelected(int index) {
  if (!keyboardMode_ || !bar_ || index < 0 || index >= static_cast<int>(bar_->Buttons().size())) return;
  TMenuBtn& button = *bar_->Buttons()[static_cast<std::size_t>(index)];
  if (!button.Enabled()) return;  // a disabled item is only selected
  if (!button.SubMenu()) {
    LeaveBar();
    PostMessageW(frame_.Handle(), WM_COMMAND, button.CommandId(), 0);
    return;
  }
  barMenusOpen_ = true;
  TMenuBtn* back = RunBarMenus(button);
  barMenusOpen_ = false;
  if (back && keyboardMode_)
    SelectBarItem(*back);
  else
    LeaveBar();
}

LRESULT CALLBACK TFrameMenus::BarKeyHookProc(int code, WPARAM wp, LPARAM lp) {
  TFrameMenus* menus = keyboardMenus;
  if (code == HC_ACTION && wp == PM_REMOVE && menus && menus->bar_ && !menus->barMenusOpen_)
    menus->FilterBarMessage(*reinterpret_cast<MSG*>(lp));
  return CallNextHookEx(nullptr, code, wp, lp);
}

// A key taken by the bar reaches no window: the message becomes WM_NULL.
void TFrameMenus::FilterBarMessage(MSG& msg) {
  TMenuBtn* selected = SelectedButton();
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      switch (msg.wParam) {
        case VK_LEFT:
        case VK_RIGHT:
          if (TMenuBtn* next = Neighbour(selected ? selected->Index() : -1, msg.wParam == VK_LEFT ? -1 : +1))
            SelectBarItem(*next);
          break;
        case VK_DOWN:
        case VK_RETURN:
          if (selected) PostOpen(*selected);
          break;
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10: LeaveBar(); break;
        default: TranslateMessage(&msg); break;  // a letter comes back as WM_CHAR or WM_SYSCHAR
      }
      msg.message = WM_NULL;
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP: msg.message = WM_NULL; return;
    case WM_CHAR:
    case WM_SYSCHAR:
      msg.message = WM_NULL;
      if (!OpenByKey(static_cast<wchar_t>(msg.wParam))) MessageBeep(0);
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: LeaveBar(); return;  // the click itself goes on
    default: return;
  }
}

LRESULT TFrameMenus::MenuChar(WPARAM wp, LPARAM lp) const {
  auto menu = reinterpret_cast<HMENU>(lp);
  if (!menu || (HIWORD(wp) & MF_SYSMENU)) return 0;
  std::vector<TKeyedItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) items.push_back(KeyedItemAt(menu, i));
  const int index = ItemForKey(items, static_cast<wchar_t>(LOWORD(wp)));
  return index < 0 ? 0 : MAKELRESULT(index, MNC_EXECUTE);
}
