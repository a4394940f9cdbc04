// The skinned menu bar by keyboard, with real key presses to the focused window: F10 and Alt
// alone select the first item, the arrows move along the bar, Down and Enter open the selected
// item's submenu, Escape steps back, and letters choose bar items and submenu items.
#include <gtest/gtest.h>

#include <vector>

#include "frame_test_support.h"
#include "menu_test_support.h"
#include "win_test_support.h"
#include "skin/frames/menu_bar.h"

using namespace frametest;
using namespace menutest;

namespace {
struct MenuBarKeys : StoredSkin {
  MenuBarKeys() : f(*skin, bsSizeable, 360, 200, true) {
    SetForegroundWindow(f.form.Handle());
    SetFocus(f.form.Handle());
    PumpApplicationFor(50);
  }
  TFrameMenus& Menus() { return f.frame->Menus(); }
  TMenuBtn& Button(int index) { return *Menus().Bar()->Buttons().at(static_cast<std::size_t>(index)); }
  // The bar items the screen shows hot: framed in the skin's highlight colour.
  std::vector<int> HotItems() {
    PumpApplicationFor(40);
    const TBitmapPixels screen = ScreenOf(f.form.Handle());
    const TColor frame = ColorToRGB(skin->Model().ButtonHilightColour);
    std::vector<int> hot;
    for (auto& b : Menus().Bar()->Buttons())
      if (screen.GetPixel(b->Bounds.left, (b->Bounds.top + b->Bounds.bottom) / 2) == frame) hot.push_back(b->Index());
    return hot;
  }
  // Pumps until the script has run and every menu has closed.
  ::testing::AssertionResult RunScript(const MenuScript& script) {
    if (!PumpApplicationUntil([&] { return script.Done(); }, 5000))
      return ::testing::AssertionFailure() << "no menu opened for the script";
    PumpApplicationUntil([&] { return !Menus().Tracking() && VisibleMenuWindows() == 0; }, 3000);
    if (script.LeftOver() > 0) return ::testing::AssertionFailure() << "a menu stayed open after the script";
    return ::testing::AssertionSuccess();
  }
  // Alt and the key open a bar item; the letter is typed in the submenu that opens, which is
  // returned.
  HMENU AltAndThenType(WORD key, wchar_t letter) {
    HMENU opened = nullptr;
    MenuScript script({[&](HWND) {
      opened = Menus().TrackedMenu();
      TypeChar(letter);
    }});
    PressKeys({VK_MENU, key});
    EXPECT_TRUE(RunScript(script));
    return opened;
  }
  FramedForm f;
};
using Hot = std::vector<int>;
}  // namespace

TEST_F(MenuBarKeys, F10AndAltAloneSelectTheFirstItemAndTheArrowsMoveAlongTheBarWrapping) {
  ASSERT_NE(ColorToRGB(skin->Model().ButtonHilightColour), ColorToRGB(skin->Model().MenubarColour));
  EXPECT_EQ(HotItems(), Hot{});
  PressKeys({VK_F10});
  EXPECT_EQ(HotItems(), Hot{0});
  PressKeys({VK_LEFT});
  EXPECT_EQ(HotItems(), Hot{3});
  PressKeys({VK_RIGHT});
  EXPECT_EQ(HotItems(), Hot{0});
  PressKeys({VK_RIGHT});
  EXPECT_EQ(HotItems(), Hot{1});
  PressKeys({VK_ESCAPE});
  EXPECT_EQ(HotItems(), Hot{});
  EXPECT_FALSE(Menus().KeyboardMode());
  PressKeys({VK_MENU});
  EXPECT_EQ(HotItems(), Hot{0});
  PressKeys({VK_ESCAPE});
  EXPECT_EQ(HotItems(), Hot{});
}

TEST_F(MenuBarKeys, DownOrEnterOpensTheSelectedItemsSubmenuAndEscapeStepsBackTwice) {
  int shown = 0;
  HMENU opened = nullptr;
  auto look = [&](HWND) {
    shown = VisibleMenuWindows();
    opened = Menus().TrackedMenu();
    PressKeys({VK_ESCAPE});
  };
  PressKeys({VK_F10});
  PumpApplicationFor(40);
  {
    MenuScript script({look});
    PressKeys({VK_DOWN});
    ASSERT_TRUE(RunScript(script));
  }
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(opened, Button(0).SubMenu());
  EXPECT_EQ(HotItems(), Hot{0}) << "the first Escape closes the submenu only";
  PressKeys({VK_LEFT});
  {
    MenuScript script({look});
    PressKeys({VK_RETURN});
    ASSERT_TRUE(RunScript(script));
  }
  EXPECT_EQ(opened, Button(3).SubMenu());
  EXPECT_EQ(HotItems(), Hot{3});
  PressKeys({VK_ESCAPE});
  EXPECT_EQ(HotItems(), Hot{});
  EXPECT_FALSE(Menus().KeyboardMode());
}

// Right in the first item's submenu moves to "&Git", which has none: the bar only selects it
// (its command does not run) and keeps the keys.
TEST_F(MenuBarKeys, RightInASubmenuMovesToTheNeighbourAndOneWithoutASubmenuIsOnlySelected) {
  int go = 0;
  f.form.Menu()->Items()->Items(1)->OnClick = [&](TObject*) { ++go; };
  PressKeys({VK_F10});
  PumpApplicationFor(40);
  MenuScript script({[&](HWND) { PressKeys({VK_RIGHT}); }});
  PressKeys({VK_DOWN});
  ASSERT_TRUE(RunScript(script));
  EXPECT_EQ(HotItems(), Hot{1});
  EXPECT_EQ(go, 0);
  EXPECT_TRUE(Menus().KeyboardMode());
  PressKeys({VK_ESCAPE});
  EXPECT_EQ(HotItems(), Hot{});
}

// "G&it" is chosen by its access key, "Yardım" (no access key) by its first letter; a letter in
// an opened submenu chooses its item the same way and runs it.
TEST_F(MenuBarKeys, AltAndALetterChooseByAccessKeyElseByFirstLetterAndALetterInTheSubmenuRunsItsItem) {
  TMenuItem* items = f.form.Menu()->Items();
  int go = 0, about = 0, close = 0;
  items->Items(1)->SetCaption("G&it");
  items->Items(1)->OnClick = [&](TObject*) { ++go; };
  items->Items(3)->SetCaption("Yardım");
  items->Items(3)->Items(0)->OnClick = [&](TObject*) { ++about; };  // "Hakkında"
  items->Items(0)->Items(3)->OnClick = [&](TObject*) { ++close; };  // "Kapat" under "&Dosya"
  PumpApplicationFor(40);

  PressKeys({VK_MENU, 'I'});
  EXPECT_TRUE(PumpApplicationUntil([&] { return go == 1; }, 2000));
  EXPECT_EQ(AltAndThenType('Y', L'h'), Button(3).SubMenu());
  EXPECT_EQ(about, 1);
  EXPECT_EQ(AltAndThenType('D', L'k'), Button(0).SubMenu());
  EXPECT_EQ(close, 1);
  EXPECT_EQ(go, 1);
  // A chosen item closes the menus and leaves the bar.
  EXPECT_EQ(HotItems(), Hot{});
  EXPECT_FALSE(Menus().KeyboardMode());
}
