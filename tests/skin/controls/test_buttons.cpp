// Push buttons in the skin: the frame of the Buttons element each state shows (normal, focused,
// hot, pressed, disabled, default), read back from the screen against the skin's image, and a
// click that counts wherever the mouse is released; speed buttons on the scratch bitmap.
#include <gtest/gtest.h>

#include "companion_test_support.h"
#include "skin/controls/skin_buttons.h"
#include "toolkit/win/buttons.h"
#include "toolkit/win/stdctrls.h"

using namespace controltest;

namespace {
struct ButtonSkin : ::testing::Test {
  static void SetUpTestSuite() { skin = BuiltSkin("1.skn").release(); }
  static void TearDownTestSuite() {
    delete skin;
    skin = nullptr;
  }
  // The edges of the button as shown, against the edges of the element's frame.
  static std::vector<TColor> ExpectedEdges(int w, int h, int frame) {
    return EdgePixels(ExpectedElement(*skin->Model().Buttons, w, h, 5, frame, skin->Model().ButtonFaceColour), 0, 0, w, h);
  }
  static inline TSkinSet* skin = nullptr;
};
constexpr int kW = 96, kH = 30;
}  // namespace

using PushButton = ButtonSkin;

TEST_F(PushButton, EachStateShowsItsFrameOfTheButtonsImage) {
  // The five frames differ along the edges, so each check tells the states apart.
  for (int a = 1; a <= 5; ++a)
    for (int b = a + 1; b <= 5; ++b)
      if (!(a == 4 && b == 5)) ASSERT_NE(ExpectedEdges(kW, kH, a), ExpectedEdges(kW, kH, b)) << a << " " << b;
  SkinnedForm f(*skin);
  auto* button = f.Add<TButton>(20, 20, kW, kH);
  button->SetCaption("Tamam");
  auto* other = f.Add<TButton>(20, 80, kW, kH);
  f.Frame();
  auto* companion = dynamic_cast<TSkinButton*>(f.CompanionOf(button));
  ASSERT_NE(companion, nullptr);
  HWND wnd = button->Handle();
  SetFocus(other->Handle());
  EXPECT_EQ(EdgePixels(Repainted(wnd), 0, 0, kW, kH), ExpectedEdges(kW, kH, 1)) << "normal";
  SetFocus(wnd);
  EXPECT_EQ(EdgePixels(Shown(wnd), 0, 0, kW, kH), ExpectedEdges(kW, kH, 4)) << "focused";
  SetFocus(other->Handle());
  button->Perform(CM_MOUSEENTER);
  EXPECT_EQ(f.frame->HotButton(), companion);
  EXPECT_EQ(EdgePixels(Shown(wnd), 0, 0, kW, kH), ExpectedEdges(kW, kH, 4)) << "hot";
  button->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(f.frame->HotButton(), nullptr);
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(EdgePixels(Shown(wnd), 0, 0, kW, kH), ExpectedEdges(kW, kH, 2)) << "pressed";
  SendMessageW(wnd, WM_KEYUP, VK_SPACE, 0);
  ReleaseCapture();
  companion->SetStateBit(SkinControlState::Pressed, false);
  button->SetEnabled(false);
  EXPECT_EQ(EdgePixels(Repainted(wnd), 0, 0, kW, kH), ExpectedEdges(kW, kH, 3)) << "disabled";
  button->SetEnabled(true);
  button->SetDefault(true);
  SetFocus(other->Handle());
  EXPECT_EQ(EdgePixels(Repainted(wnd), 0, 0, kW, kH), ExpectedEdges(kW, kH, 5)) << "default";
  SetFocus(wnd);
  EXPECT_EQ(EdgePixels(Repainted(wnd), 0, 0, kW, kH), ExpectedEdges(kW, kH, 4)) << "default and focused";
}

TEST_F(PushButton, APressReleasedOutsideTheButtonStillClicks) {
  SkinnedForm f(*skin);
  auto* button = f.Add<TButton>(20, 20, kW, kH);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  f.Frame();
  HWND wnd = button->Handle();
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(GetCapture(), wnd) << "the button holds the mouse until the release";
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(-200, 300));
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(GetCapture(), wnd);
  // The space bar clicks through the button's own key handling, once.
  SetFocus(wnd);
  SendMessageW(wnd, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(wnd, WM_KEYUP, VK_SPACE, 0);
  PumpFor(20);
  EXPECT_EQ(clicks, 2);
}

TEST_F(PushButton, ASpeedButtonShowsItsFrameAndAHeldOrDownOneThePressedFrame) {
  SkinnedForm f(*skin);
  auto* speed = new TSpeedButton(&f.form);
  speed->SetBounds(30, 30, 60, 26);
  speed->SetParent(&f.form);
  speed->SetGroupIndex(3);
  f.Frame();
  ASSERT_NE(dynamic_cast<TSkinSpeedButton*>(f.CompanionOf(speed)), nullptr);
  auto shownEdges = [&] {
    const TBitmapPixels client = Repainted(f.form.Handle());
    POINT at{30, 30};
    ClientToScreen(f.form.Handle(), &at);
    RECT w{};
    GetWindowRect(f.form.Handle(), &w);
    return EdgePixels(client, at.x - w.left, at.y - w.top, 60, 26);
  };
  const int count = skin->Model().Buttons->FrameCount;
  auto expected = [&](int frame) {
    return EdgePixels(ExpectedElement(*skin->Model().Buttons, 60, 26, count, frame, skin->Model().ButtonFaceColour), 0, 0, 60, 26);
  };
  EXPECT_EQ(shownEdges(), expected(1));
  // Held down by the mouse, it shows pressed until the release.
  speed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(shownEdges(), expected(2)) << "held";
  speed->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  speed->SetDown(false);
  EXPECT_EQ(shownEdges(), expected(1)) << "released";
  speed->SetDown(true);
  EXPECT_EQ(shownEdges(), expected(2)) << "down";
}
