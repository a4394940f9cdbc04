// Moving the focus with Tab, Shift+Tab, Ctrl+Tab and Ctrl+Shift+Tab in a form of panels, group
// boxes and a page control, as in a dialog: real key presses through the application's
// message handling, the focus read back from the system.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "toolkit/win/comctrls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/stdctrls.h"
#include "win_test_support.h"

namespace {
// A form: a button, then a page control of two pages. The first page holds a group box (an
// edit and a button, made in the reverse of their tab order), a radio group of three, a
// disabled edit and a hidden one; the second a panel with a button in it.
struct TabNavigation : ::testing::Test {
  template <class T>
  T* Add(TWinControl* parent, int tabOrder, int left, int top, int width = 90, int height = 24) {
    auto* control = new T(&form);
    control->SetBounds(left, top, width, height);
    control->SetTabOrder(tabOrder);
    control->SetParent(parent);
    return control;
  }
  TabNavigation() {
    form.SetBounds(60, 60, 460, 330);
    first = Add<TButton>(&form, 0, 8, 8);
    pages = Add<TPageControl>(&form, 1, 8, 40, 430, 240);
    for (auto*& page : sheets) {
      page = new TTabSheet(&form);
      page->SetParent(pages);
    }
    auto* group = Add<TGroupBox>(sheets[0], 0, 4, 4, 200, 80);
    groupButton = Add<TButton>(group, 1, 8, 44);
    groupEdit = Add<TEdit>(group, 0, 8, 16);
    radio = Add<TRadioGroup>(sheets[0], 1, 210, 4, 200, 100);
    radio->Items()->SetText("one\ntwo\nthree");
    radio->SetItemIndex(1);
    Add<TEdit>(sheets[0], 2, 4, 110)->SetEnabled(false);
    Add<TEdit>(sheets[0], 3, 4, 140)->SetVisible(false);
    lastEdit = Add<TEdit>(sheets[0], 4, 4, 170);
    auto* panel = Add<TPanel>(sheets[1], 0, 4, 4, 200, 60);
    panelButton = Add<TButton>(panel, 0, 8, 8);
    pages->OnChange = [this](TObject*) { ++pageChanges; };
    pages->SetActivePageIndex(0);
    form.Show();
    SetForegroundWindow(form.Handle());
    first->SetFocus();
    PumpApplicationFor(50);
  }
  HWND RadioButton(int index) const { return dynamic_cast<TWinControl*>(radio->Controls(index))->Handle(); }
  // The windows the focus visits over count presses of the key.
  std::vector<HWND> Walk(int count, bool shift) {
    std::vector<HWND> seen;
    for (int i = 0; i < count; ++i) {
      PressKey(VK_TAB, shift);
      seen.push_back(GetFocus());
    }
    return seen;
  }
  TForm form{nullptr};
  TButton* first = nullptr;
  TPageControl* pages = nullptr;
  TTabSheet* sheets[2] = {};
  TEdit* groupEdit = nullptr;
  TButton* groupButton = nullptr;
  TRadioGroup* radio = nullptr;
  TEdit* lastEdit = nullptr;
  TButton* panelButton = nullptr;
  int pageChanges = 0;
};
}  // namespace

// Forward and back through every tab stop of the shown page in tab order, wrapping round: the
// tabs, into the group box, the radio group's chosen button only, over the disabled and the
// hidden edit. An edit reached by Tab has its text selected.
TEST_F(TabNavigation, TabAndShiftTabGoThroughTheTabStopsOfTheShownPageInOrder) {
  groupEdit->SetText("typed");
  const std::vector<HWND> forward = {pages->Handle(), groupEdit->Handle(), groupButton->Handle(),
                                     RadioButton(1),  lastEdit->Handle(),  first->Handle()};
  EXPECT_EQ(Walk(6, false), forward);
  std::vector<HWND> back(forward.rbegin() + 1, forward.rend());
  back.push_back(first->Handle());
  EXPECT_EQ(Walk(6, true), back);
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), groupEdit->Handle());
  DWORD from = 0, to = 0;
  SendMessageW(groupEdit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 5u);
  // The arrow keys move between the radio buttons and choose; Tab then leaves the group from
  // the chosen one.
  SetFocus(RadioButton(1));
  PressKey(VK_DOWN);
  EXPECT_EQ(GetFocus(), RadioButton(2));
  EXPECT_EQ(radio->ItemIndex(), 2);
  PressKey(VK_TAB, true);
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), RadioButton(2));
}

// Ctrl+Tab turns to the next page and Ctrl+Shift+Tab back, wrapping round, as the user's
// choice; a focus on the page that went away moves to the new page's first tab stop, a focus
// outside the pages stays.
TEST_F(TabNavigation, CtrlTabTurnsThePagesAndTheFocusFollowsIntoTheNewPage) {
  groupEdit->SetFocus();
  PressKeys({VK_CONTROL, VK_TAB});
  PumpApplicationFor(60);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_EQ(GetFocus(), panelButton->Handle());
  EXPECT_EQ(pageChanges, 1);
  PressKeys({VK_CONTROL, VK_TAB});
  PumpApplicationFor(60);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_EQ(GetFocus(), groupEdit->Handle());
  first->SetFocus();
  PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
  PumpApplicationFor(60);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_EQ(GetFocus(), first->Handle());
  EXPECT_EQ(pageChanges, 3);
  // Tab now walks the second page.
  EXPECT_EQ(Walk(3, false), (std::vector<HWND>{pages->Handle(), panelButton->Handle(), first->Handle()}));
}
