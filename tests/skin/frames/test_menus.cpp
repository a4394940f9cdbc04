// The skinned menu bar on a real window: its buttons, opening items with and without submenus,
// moving along the bar with the arrow keys (wrapping at both ends) and with the mouse, nested
// submenus, disabled items and Alt accelerators; owner-drawn items painted from the skin, and the
// border and background of a wrapped pop-up menu window.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "frame_test_support.h"
#include "menu_test_support.h"
#include "skin/frames/menu_bar.h"
#include "skin/sliced_reference.h"
#include "toolkit/win/menus.h"

using namespace frametest;

namespace {
using menutest::MenuScript;
using menutest::VisibleMenuWindows;

// What the window's own DC holds over its whole area (the border included), read at once.
TBitmapPixels WindowPixels(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  TBitmap out(r.right - r.left, r.bottom - r.top);
  HDC dc = GetWindowDC(wnd);
  BitBlt(out.Canvas().Handle(), 0, 0, out.Width(), out.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  return out.Pixels();
}

// True when the pixels of the ring `width` wide along the edges are those of want.
::testing::AssertionResult SameRing(const TBitmapPixels& got, const TBitmapPixels& want, int width) {
  for (int y = 0; y < want.Height(); ++y)
    for (int x = 0; x < want.Width(); ++x) {
      const bool ring = x < width || y < width || x >= want.Width() - width || y >= want.Height() - width;
      if (ring && got.GetPixel(x, y) != want.GetPixel(x, y))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << got.GetPixel(x, y)
                                             << ", wanted " << want.GetPixel(x, y);
    }
  return ::testing::AssertionSuccess();
}

struct MenuBar : ::testing::Test {
  static void SetUpTestSuite() { skin = BuiltSkin("stored.skn").release(); }
  static void TearDownTestSuite() {
    delete skin;
    skin = nullptr;
  }
  MenuBar() : f(*skin, bsSizeable, 360, 200, true) {}
  TMenuBtn& Button(int index) { return *f.frame->Menus().Bar()->Buttons().at(static_cast<std::size_t>(index)); }
  // Opens the button's submenu as a click does and waits until the script has run and every
  // menu has closed.
  ::testing::AssertionResult RunFrom(int index, const MenuScript& script) {
    f.frame->Menus().PostOpenBarButton(Button(index));
    if (!PumpUntil([&] { return script.Done(); }, 5000))
      return ::testing::AssertionFailure() << "the script did not run";
    PumpUntil([&] { return !f.frame->Menus().Tracking() && VisibleMenuWindows() == 0; }, 3000);
    return ::testing::AssertionSuccess();
  }
  static inline TSkinSet* skin = nullptr;
  FramedForm f;
};
}  // namespace

TEST_F(MenuBar, StandsForTheNativeBarWithOneButtonPerItem) {
  ASSERT_NE(f.frame->Menus().Bar(), nullptr);
  auto& buttons = f.frame->Menus().Bar()->Buttons();
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(buttons[0]->Caption(), "&Dosya");
  EXPECT_NE(buttons[0]->SubMenu(), nullptr);
  EXPECT_EQ(buttons[1]->SubMenu(), nullptr);
  EXPECT_FALSE(buttons[2]->Enabled());
  // The buttons lie side by side in the bar below the caption.
  EXPECT_EQ(buttons[0]->Bounds.top, f.frame->Edges().Top);
  EXPECT_EQ(buttons[1]->Bounds.left, buttons[0]->Bounds.right);
  // The bar's background is the menu bar colour (this skin has no menu bar image).
  const TBitmapPixels painted = PaintedFrame(*f.frame);
  EXPECT_EQ(painted.GetPixel(painted.Width() - f.frame->Edges().Right - 2, f.frame->Edges().Top + 2),
            ColorToRGB(skin->Model().MenubarColour));
}

TEST_F(MenuBar, AnItemWithoutSubmenuOnlyRunsItsCommandAndADisabledOneOpensNothing) {
  int clicks = 0;
  f.form.Menu()->Items()->Items(1)->OnClick = [&](TObject*) { ++clicks; };
  MenuWatcher watcher(false);
  EXPECT_FALSE(f.frame->Menus().OpenBarButton(Button(1)));
  PumpFor(50);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(f.frame->Menus().OpenBarButton(Button(2)));
  PumpFor(50);
  EXPECT_EQ(watcher.Opened(), 0);
  EXPECT_FALSE(f.frame->Menus().Tracking());
  EXPECT_EQ(f.frame->Menus().OpenIndex(), -1);
}

TEST_F(MenuBar, ArrowKeysMoveAlongTheBarAndWrapAtBothEnds) {
  std::vector<HMENU> opened;
  auto note = [&](WPARAM vk) {
    return [&, vk](HWND menu) {
      opened.push_back(f.frame->Menus().TrackedMenu());
      PostMessageW(menu, WM_KEYDOWN, vk, 0);
    };
  };
  // Right on the last item opens the first; left on the first opens the last.
  MenuScript script({note(VK_RIGHT), note(VK_LEFT), note(VK_ESCAPE)});
  ASSERT_TRUE(RunFrom(3, script));
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], Button(3).SubMenu());
  EXPECT_EQ(opened[1], Button(0).SubMenu());
  EXPECT_EQ(opened[2], Button(3).SubMenu());
}

TEST_F(MenuBar, TheMouseOverAnotherBarItemSwitchesToItsSubmenuAndOverTheOpenOneChangesNothing) {
  std::vector<HMENU> opened;
  std::vector<HWND> windows;
  // The cursor put over a bar button, and a mouse move for the menu's loop to see there.
  auto moveOver = [&](int index) {
    return [&, index](HWND menu) {
      opened.push_back(f.frame->Menus().TrackedMenu());
      windows.push_back(menu);
      RECT wr{};
      GetWindowRect(f.form.Handle(), &wr);
      const RECT& b = Button(index).Bounds;
      SetCursorPos(wr.left + (b.left + b.right) / 2, wr.top + (b.top + b.bottom) / 2);
      PostMessageW(menu, WM_MOUSEMOVE, 0, 0);
    };
  };
  MenuScript script({moveOver(0), moveOver(3), [&](HWND menu) {
                       opened.push_back(f.frame->Menus().TrackedMenu());
                       windows.push_back(menu);
                       EndMenu();
                     }});
  ASSERT_TRUE(RunFrom(0, script));
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], Button(0).SubMenu());
  EXPECT_EQ(opened[1], Button(0).SubMenu());
  EXPECT_EQ(windows[1], windows[0]) << "the open item's submenu was opened again";
  EXPECT_EQ(opened[2], Button(3).SubMenu());
}

TEST_F(MenuBar, ArrowKeysInsideANestedSubmenuStayInTheSubmenu) {
  int nestedOpen = 0, afterLeft = 0;
  HMENU trackedAfter = nullptr;
  MenuScript script({
      [](HWND menu) { PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0); },   // to "Son", which has a submenu
      [](HWND menu) { PostMessageW(menu, WM_KEYDOWN, VK_RIGHT, 0); },  // opens it
      [&](HWND menu) {
        nestedOpen = VisibleMenuWindows();
        PostMessageW(menu, WM_KEYDOWN, VK_LEFT, 0);  // closes only the nested one
      },
      [&](HWND menu) {
        afterLeft = VisibleMenuWindows();
        trackedAfter = f.frame->Menus().TrackedMenu();
        EndMenu();
      },
  });
  ASSERT_TRUE(RunFrom(0, script));
  EXPECT_EQ(nestedOpen, 2);
  EXPECT_EQ(afterLeft, 1);
  EXPECT_EQ(trackedAfter, Button(0).SubMenu());
}

TEST_F(MenuBar, AltAcceleratorsOpenEnabledItemsOnly) {
  HWND wnd = f.form.Handle();
  // The system's keyboard menu is dropped for the bar's accelerators and for Alt alone.
  EXPECT_EQ(SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 'd'), 1);
  EXPECT_EQ(SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 0), 1);
  EXPECT_EQ(f.frame->Menus().Bar()->ButtonForAccel(L'y'), &Button(3));
  EXPECT_EQ(f.frame->Menus().Bar()->ButtonForAccel(L'a'), nullptr);  // disabled
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = 0x80;
  SetKeyboardState(keys);
  const LRESULT disabled = f.form.Perform(CM_DIALOGCHAR, 'a');
  std::vector<HMENU> opened;
  MenuScript script({[&](HWND) {
    opened.push_back(f.frame->Menus().TrackedMenu());
    EndMenu();
  }});
  const LRESULT taken = f.form.Perform(CM_DIALOGCHAR, 'y');
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(disabled, 0);
  EXPECT_EQ(taken, 1);
  ASSERT_TRUE(PumpUntil([&] { return script.Done(); }, 5000));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], Button(3).SubMenu());
}

TEST_F(MenuBar, OwnerDrawnItemsArePaintedFromTheSkinsMenuItemImage) {
  ASSERT_NE(skin->Model().MenuItem, nullptr);
  TMenuItem* open = f.form.Menu()->Items()->Items(0)->Items(0);
  TBitmap normal(120, 20), selected(120, 20);
  f.frame->Menus().DrawItem(*open, normal.Canvas().Handle(), {0, 0, 120, 20}, false);
  f.frame->Menus().DrawItem(*open, selected.Canvas().Handle(), {0, 0, 120, 20}, true);
  // Away from the text: the element's frame 1 or 4, sliced to the item's size.
  const TDataSkinObject& item = *skin->Model().MenuItem;
  const int frames = std::max(item.FrameCount, 1);
  const TBitmapPixels face1 = skintest::ReferenceElement(item, 120, 20, false, item.Tile == 1, frames, 1);
  const TBitmapPixels face4 = skintest::ReferenceElement(item, 120, 20, false, item.Tile == 1, frames, 4);
  for (POINT p : {POINT{1, 1}, POINT{118, 18}, POINT{110, 10}}) {
    if (face1.GetPixel(p.x, p.y) != kSkinKeyColor)
      EXPECT_EQ(normal.Pixels().GetPixel(p.x, p.y), face1.GetPixel(p.x, p.y));
    if (face4.GetPixel(p.x, p.y) != kSkinKeyColor)
      EXPECT_EQ(selected.Pixels().GetPixel(p.x, p.y), face4.GetPixel(p.x, p.y));
  }
  // Items are measured wider than the toolkit measures them: room for the glyph column.
  int w1 = 0, h1 = 0, w2 = 0, h2 = 0;
  TClientDC dc(nullptr);
  open->MeasureItem(dc, w1, h1);
  f.frame->Menus().MeasureMenuItem(*open, dc, w2, h2);
  EXPECT_EQ(w2, w1 + item.LeftWidth + 35);
}

// A pop-up menu of a skin with a MenuBackground image, wrapped by the manager: the 3-pixel ring
// of its border (WM_NCPAINT, on the window DC) and the background it prints when the system asks
// it to paint into a DC (WM_PRINT, the items painted inside the ring) are that image sliced to
// the window's size.
TEST(PopupMenu, TheBorderRingAndTheBackgroundAreTheSkinsMenuBackgroundSliced) {
  const std::unique_ptr<TSkinSet> skin = BuiltSkin("1.skn");
  ASSERT_NE(skin->Model().MenuBackground, nullptr);
  const TDataSkinObject& e = *skin->Model().MenuBackground;
  WindowedManager windowed;
  FramedForm f(*skin, bsSizeable, 360, 200, true);
  windowed.Serve(*skin);
  constexpr TColor untouched = RGBToColor(1, 2, 3);
  TBitmapPixels border, printed;
  MenuScript script({[&](HWND menu) {
    SendMessageW(menu, WM_NCPAINT, 1, 0);
    border = WindowPixels(menu);
    TBitmap out(border.Width(), border.Height());
    out.Pixels().Fill(untouched);
    SendMessageW(menu, WM_PRINT, reinterpret_cast<WPARAM>(out.Canvas().Handle()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    printed = out.Pixels();
    EndMenu();
  }});
  f.frame->Menus().PostOpenBarButton(*f.frame->Menus().Bar()->Buttons().at(0));
  ASSERT_TRUE(PumpUntil([&] { return script.Done(); }, 5000));
  PumpUntil([&] { return !f.frame->Menus().Tracking() && VisibleMenuWindows() == 0; }, 3000);
  const int w = border.Width(), h = border.Height();
  const TBitmapPixels expected = skintest::ReferenceSlices(e.Image, w, h, e.LeftWidth, e.TopHeight, e.RightWidth,
                                                           e.BottomHeight, false, e.Tile == 1, 1, 1);
  EXPECT_TRUE(SameRing(border, expected, 3));
  EXPECT_TRUE(SameRing(printed, expected, 3));
  EXPECT_NE(printed.GetPixel(w / 2, h / 2), untouched) << "no items inside the ring";
}
