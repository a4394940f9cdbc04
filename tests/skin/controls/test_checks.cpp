// Check boxes and radio buttons in the skin: the frame of the CheckImage or RadioImage strip
// the box shows for its value and state (12-frame strips with their mixed frames), and the box
// at the right edge when the text is on the left.
#include <gtest/gtest.h>

#include "companion_test_support.h"
#include "skin/controls/skin_checks.h"
#include "skin/controls/toolkit_extras.h"
#include "toolkit/win/checkbox.h"
#include "toolkit/win/stdctrls.h"

using namespace controltest;

namespace {
// Where the box of a w-wide strip frame is drawn in a control of the given size.
POINT BoxAt(int width, int height, int w, int h, bool leftText, int indent) {
  const int top = (height - h) / 2;
  if (leftText) return {(w < 15 ? width - (14 - w) / 2 : width - 1) - w, top};
  return {w < 15 ? indent + (14 - w) / 2 : indent, top};
}

struct Box {
  TBitmapPixels Shown;
  POINT At{};
  TBitmapPixels Frame;
};

// The control's pixels and the frame of the strip that should show at the box's place.
Box Read(HWND wnd, const TBitmapPixels& strip, int count, int frame, bool leftText, int indent) {
  Box b;
  b.Frame = FrameOf(strip, count, frame);
  RECT r{};
  GetWindowRect(wnd, &r);
  b.At = BoxAt(r.right - r.left, r.bottom - r.top, b.Frame.Width(), b.Frame.Height(), leftText, indent);
  b.Shown = Repainted(wnd);
  return b;
}
}  // namespace

TEST(CheckBoxes, TwelveFramesGiveTheMixedFramesAndFourFramesTheDisabledChecked) {
  auto twelve = BuiltSkin("2.skn");
  ASSERT_EQ(twelve->Model().Buttons->CheckFrameCount, 12);
  twelve->OnSkinControl = SkinToolkitExtras;  // the built-in rules do not name TCheckBox
  {
    SkinnedForm f(*twelve);
    auto* check = f.Add<TCheckBox>(20, 20, 140, 20);
    check->SetCaption("Karışık");
    check->SetState(cbGrayed);
    f.Frame();
    ASSERT_NE(dynamic_cast<TSkinCheckBox*>(f.CompanionOf(check)), nullptr);
    Box b = Read(check->Handle(), twelve->Model().Buttons->CheckImage, 12, 9, false, 2);
    EXPECT_TRUE(ShowsKeyed(b.Shown, b.At.x, b.At.y, b.Frame)) << "indeterminate";
    check->SetEnabled(false);
    b = Read(check->Handle(), twelve->Model().Buttons->CheckImage, 12, 12, false, 2);
    EXPECT_TRUE(ShowsKeyed(b.Shown, b.At.x, b.At.y, b.Frame)) << "indeterminate and disabled";
    check->SetEnabled(true);
    check->SetState(cbChecked);
    b = Read(check->Handle(), twelve->Model().Buttons->CheckImage, 12, 5, false, 2);
    EXPECT_TRUE(ShowsKeyed(b.Shown, b.At.x, b.At.y, b.Frame)) << "checked";
  }
  auto four = BuiltSkin("stored.skn");
  ASSERT_EQ(four->Model().Buttons->CheckFrameCount, 4);
  four->OnSkinControl = SkinToolkitExtras;
  SkinnedForm f(*four);
  auto* check = f.Add<TCheckBox>(20, 20, 140, 20);
  check->SetChecked(true);
  check->SetEnabled(false);
  f.Frame();
  const Box b = Read(check->Handle(), four->Model().Buttons->CheckImage, 4, 4, false, 2);
  EXPECT_TRUE(ShowsKeyed(b.Shown, b.At.x, b.At.y, b.Frame)) << "checked and disabled";
}

TEST(RadioButtons, TextOnTheLeftPutsTheCircleAtTheRightEdge) {
  auto skin = BuiltSkin("6.skn");
  const int n = skin->Model().Buttons->RadioFrameCount;
  SkinnedForm f(*skin);
  auto* left = f.Add<TRadioButton>(20, 20, 150, 20);
  left->SetCaption("Solda yazı");
  SetWindowLongPtrW(left->Handle(), GWL_STYLE, GetWindowLongPtrW(left->Handle(), GWL_STYLE) | BS_LEFTTEXT);
  auto* right = f.Add<TRadioButton>(20, 60, 150, 20);
  right->SetCaption("Sağda yazı");
  right->SetChecked(true);
  f.Frame();
  Box b = Read(left->Handle(), skin->Model().Buttons->RadioImage, n, 1, true, 0);
  EXPECT_GT(b.At.x, 150 - 20);
  EXPECT_TRUE(ShowsKeyed(b.Shown, b.At.x, b.At.y, b.Frame)) << "text on the left";
  // A checked one with eight frames shows the first frame of the checked four.
  b = Read(right->Handle(), skin->Model().Buttons->RadioImage, n, n == 8 ? 5 : 2, false, 0);
  EXPECT_LT(b.At.x, 10);
  EXPECT_TRUE(ShowsKeyed(b.Shown, b.At.x, b.At.y, b.Frame)) << "checked";
}
