// The main window's skinned menu bar by keyboard, in the program's Turkish captions (run with
// LANG=tr_TR.UTF-8): Alt and a letter open the bar item whose caption begins with it, and a
// letter typed in the opened submenu chooses its item by the Turkish casing.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app_test_support.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/menu_test_support.h"
#include "skin/frames/window_side.h"
#include "win_test_support.h"

using namespace menutest;

// In Turkish the capital of 'i' is 'İ' and that of 'ı' is 'I': the typed 'i' chooses "İleti",
// not "Işık" above it. The two items are added to the Help menu for the test.
TEST(MainWindowMenuKeys, AltAndAFirstLetterOpenAnItemAndATurkishLetterChoosesInItsSubmenu) {
  std::string failure;
  ASSERT_TRUE(apptest::StartProgramWindows(failure)) << failure;
  TSkinFormFrame* frame = FrameWindowSide()->FindForm(Form1->Handle());
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->Menus().Bar(), nullptr);
  const auto& buttons = frame->Menus().Bar()->Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[1]->Caption(), "Yardım");
  int light = 0, message = 0;
  auto add = [&](const char* caption, int& clicks) {
    auto* item = new TMenuItem(Form1);
    item->SetCaption(caption);
    item->OnClick = [&clicks](TObject*) { ++clicks; };
    Form1->Yardm1->Add(item);
    return item;
  };
  TMenuItem* lightItem = add("Işık", light);
  TMenuItem* messageItem = add("İleti", message);
  ASSERT_TRUE(apptest::BringMainWindowToFront());

  HMENU opened = nullptr;
  {
    MenuScript script({[&](HWND) {
      opened = frame->Menus().TrackedMenu();
      TypeChar(L'i');
    }});
    PressKeys({VK_MENU, 'Y'});
    EXPECT_TRUE(PumpApplicationUntil([&] { return script.Done(); }, 5000));

    PumpApplicationUntil([&] { return !frame->Menus().Tracking() && VisibleMenuWindows() == 0; }, 3000);
    EXPECT_EQ(script.LeftOver(), 0);
  }
  EXPECT_EQ(opened, Form1->Yardm1->Handle());
  EXPECT_EQ(message, 1);
  EXPECT_EQ(light, 0);
  EXPECT_FALSE(frame->Menus().KeyboardMode());
  delete messageItem;
  delete lightItem;
  PumpApplicationFor(30);
}
