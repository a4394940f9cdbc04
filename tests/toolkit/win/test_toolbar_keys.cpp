// The tool bar with the keyboard: a tab stop that Tab reaches, Left/Right moving the keyboard
// button (drawn as the mouse's hot button is), Space and Enter clicking it, and a tooltip that
// is the button's caption. Real key presses through the application's message handling.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "screen_capture.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/stdctrls.h"
#include "win_test_support.h"

namespace {
struct ToolBarKeys : ::testing::Test {
  ToolBarKeys() {
    form.SetBounds(60, 60, 420, 200);
    bar->SetParent(&form);
    bar->SetFlat(true);
    bar->SetShowCaptions(true);
    bar->SetButtonWidth(70);
    bar->SetButtonHeight(36);
    const char* captions[] = {"Start", "Stop", "", "Hide", "Gone"};
    for (int i = 0; i < 5; ++i) {
      auto* b = new TToolButton(&form);
      b->SetLeft(i * 70);
      b->SetCaption(captions[i]);
      if (i == 2) b->SetStyle(tbsSeparator);
      b->OnClick = [this, i](TObject*) { clicked.push_back(i); };
      b->SetParent(bar);
      buttons.push_back(b);
    }
    buttons[4]->SetEnabled(false);
    edit->SetBounds(10, 120, 100, 22);
    edit->SetParent(&form);
    form.Show();
    SetForegroundWindow(form.Handle());
    SetCursorPos(0, 0);
    PumpApplicationFor(50);
  }
  int Hot() const { return static_cast<int>(SendMessageW(bar->Handle(), TB_GETHOTITEM, 0, 0)); }
  // What the screen shows of a button.
  TBitmapPixels ButtonPixels(int index) {
    RECT r = buttons[static_cast<std::size_t>(index)]->ButtonRect();
    MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    UpdateWindow(bar->Handle());
    PumpFor(30);
    return ScreenPixels(r);
  }
  TForm form{nullptr};
  TToolBar* bar = new TToolBar(&form);
  TEdit* edit = new TEdit(&form);
  std::vector<TToolButton*> buttons;
  std::vector<int> clicked;
};

bool Same(const TBitmapPixels& a, const TBitmapPixels& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
  return true;
}
}  // namespace

TEST_F(ToolBarKeys, TabReachesTheBarAndArrowsMoveAHotButtonOverSeparatorsAndDisabledOnes) {
  EXPECT_TRUE(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & WS_TABSTOP);
  const TBitmapPixels normal = ButtonPixels(1);
  // The mouse's hot look of the second button, the look the keyboard's button must have.
  RECT r = buttons[1]->ButtonRect();
  MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PumpApplicationFor(60);
  ASSERT_EQ(Hot(), 1);
  const TBitmapPixels mouseHot = ButtonPixels(1);
  ASSERT_FALSE(Same(normal, mouseHot));
  SetCursorPos(0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Hot() == -1; })) << "the mouse left the bar";

  edit->SetFocus();
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), bar->Handle());
  EXPECT_EQ(bar->KeyboardButton(), buttons[0]) << "the focus comes to the first button";
  PressKey(VK_RIGHT);
  EXPECT_EQ(bar->KeyboardButton(), buttons[1]);
  EXPECT_TRUE(Same(ButtonPixels(1), mouseHot)) << "the keyboard's button is drawn hot";
  PressKey(VK_RIGHT);
  EXPECT_EQ(bar->KeyboardButton(), buttons[3]) << "over the separator";
  PressKey(VK_RIGHT);
  EXPECT_EQ(bar->KeyboardButton(), buttons[0]) << "over the disabled button, round to the first";
  PressKey(VK_LEFT);
  EXPECT_EQ(bar->KeyboardButton(), buttons[3]);
  PressKey(VK_TAB, true);
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(Hot(), -1) << "no hot button is left behind";
}

TEST_F(ToolBarKeys, SpaceAndEnterClickTheKeyboardButton) {
  bar->SetFocus();
  PumpApplicationFor(20);
  PressKey(VK_SPACE);
  PressKey(VK_RIGHT);
  PressKey(VK_RETURN);
  EXPECT_EQ(clicked, (std::vector<int>{0, 1}));
}

TEST_F(ToolBarKeys, EachButtonsTooltipIsItsCaption) {
  EXPECT_EQ(ToolTipText(bar->Handle(), 0), "Start");
  EXPECT_EQ(ToolTipText(bar->Handle(), 3), "Hide");
  buttons[0]->SetCaption("Başla");
  EXPECT_EQ(ToolTipText(bar->Handle(), 0), "Başla") << "the tooltip follows the caption";
}
