// The skinned menu bar as assistive technology sees it: the object the system's accessibility
// library gets from the window for its menu, its items' names, roles and states, and the
// events raised as the keyboard enters the bar, moves along it and leaves it.
#include <gtest/gtest.h>

#include "toolkit/win/messages.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "frame_test_support.h"
#include "skin/frames/menu_accessible.h"
#include "skin/frames/menu_bar.h"
#include "win_test_support.h"

using namespace frametest;

namespace {
VARIANT Child(long id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

struct MenuBarAccessible : StoredSkin {
  MenuBarAccessible() : f(*skin, bsSizeable, 360, 200, true) {
    SetForegroundWindow(f.form.Handle());
    SetFocus(f.form.Handle());
    PumpApplicationFor(50);
    CoInitialize(nullptr);
  }
  ~MenuBarAccessible() override {
    if (bar) bar->Release();
    CoUninitialize();
  }
  // The object the frame hands the system for its menu. Wine's accessibility library cannot
  // carry an object of the program's own through the message's answer (it is marshalled, and
  // taking it back fails with E_NOINTERFACE), so the tests ask the object itself, and check
  // that the window answers the system's question with one.
  ::testing::AssertionResult GetBar() {
    const LRESULT answer =
        SendMessageW(f.form.Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<DWORD>(OBJID_MENU)));
    if (answer <= 0) return ::testing::AssertionFailure() << "WM_GETOBJECT gave no object for the menu";
    bar = NewMenuBarObject(*f.frame);
    return ::testing::AssertionSuccess();
  }
  std::wstring Name(long id) {
    BSTR name = nullptr;
    if (bar->get_accName(Child(id), &name) != S_OK) return L"?";
    std::wstring s(name, SysStringLen(name));
    SysFreeString(name);
    return s;
  }
  long Long(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) {
    VARIANT v{};
    if ((bar->*get)(Child(id), &v) != S_OK || v.vt != VT_I4) return -1;
    return v.lVal;
  }
  long Role(long id) { return Long(&IAccessible::get_accRole, id); }
  long State(long id) { return Long(&IAccessible::get_accState, id); }
  FramedForm f;
  IAccessible* bar = nullptr;
};

// The events of the system that name the window's menu, in order: (event, child id).
std::vector<std::pair<DWORD, long>> events;
HWND eventWindow = nullptr;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
  if (wnd == eventWindow && object == OBJID_MENU) events.emplace_back(event, child);
}
}  // namespace

TEST_F(MenuBarAccessible, TheMenuObjectHasTheBarsItemsWithTheirNamesRolesAndStates) {
  ASSERT_TRUE(GetBar());
  LONG count = 0;
  ASSERT_EQ(bar->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(Role(CHILDID_SELF), ROLE_SYSTEM_MENUBAR);
  const std::wstring names[] = {L"Dosya", L"Git", L"Ayarlar", L"Yardım"};
  for (long id = 1; id <= 4; ++id) {
    EXPECT_EQ(Name(id), names[id - 1]) << id;
    EXPECT_EQ(Role(id), ROLE_SYSTEM_MENUITEM) << id;
  }
  // Nothing selected: an item that opens a submenu, one that runs a command, a disabled one.
  EXPECT_EQ(State(1) & (STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_HASPOPUP);
  EXPECT_EQ(State(2) & (STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_UNAVAILABLE), 0);
  EXPECT_EQ(State(3) & STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_UNAVAILABLE);
  // F10 selects the first item, Right the next one: it is hot and has the focus.
  PressKeys({VK_F10});
  PressKeys({VK_RIGHT});
  PumpApplicationFor(60);
  EXPECT_EQ(State(2) & (STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED),
            STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED);
  EXPECT_EQ(State(1) & (STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED), 0);
  VARIANT focus{};
  EXPECT_EQ(bar->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.lVal, 2);
  // Each item's place is the bar button's on the screen.
  const RECT& b = f.frame->Menus().Bar()->Buttons()[1]->Bounds;
  RECT window{};
  GetWindowRect(f.form.Handle(), &window);
  LONG x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(bar->accLocation(&x, &y, &w, &h, Child(2)), S_OK);
  EXPECT_EQ(x, window.left + b.left);
  EXPECT_EQ(y, window.top + b.top);
  EXPECT_EQ(w, b.right - b.left);
  PressKeys({VK_ESCAPE});
  PumpApplicationFor(60);
  EXPECT_EQ(State(2) & (STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED), 0);
}

TEST_F(MenuBarAccessible, TheKeyboardOnTheBarRaisesMenuStartFocusAndMenuEnd) {
  events.clear();
  eventWindow = f.form.Handle();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_MENUSTART, EVENT_OBJECT_FOCUS, nullptr, &OnEvent,
                                       GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  PressKeys({VK_F10});
  PressKeys({VK_LEFT});
  PressKeys({VK_ESCAPE});
  PumpApplicationFor(100);
  UnhookWinEvent(hook);
  const std::vector<std::pair<DWORD, long>> expected = {{EVENT_SYSTEM_MENUSTART, CHILDID_SELF},
                                                        {EVENT_OBJECT_FOCUS, 1},
                                                        {EVENT_OBJECT_FOCUS, 4},
                                                        {EVENT_SYSTEM_MENUEND, CHILDID_SELF}};
  EXPECT_EQ(events, expected);
}
