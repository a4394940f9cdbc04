// Skinned controls on a screen of any resolution draw the skin's images at the screen's scale.
// CTest runs this suite again on a display of 144 pixels per inch.
#include <gtest/gtest.h>

#include "companion_test_support.h"
#include "skin/controls/skin_buttons.h"
#include "toolkit/win/stdctrls.h"

using namespace controltest;

// A push button's edges are its frame of the Buttons image, sliced with margins at the scale.
TEST(ScaledControls, APushButtonShowsTheButtonsImageAtTheScreensScale) {
  const int dpi = frametest::ScreenPixelsPerInch();
  auto skin = BuiltSkin("1.skn");
  const TSkinModel& scaled = skin->ModelFor(dpi);
  const TDataSkinButton& source = *skin->Model().Buttons;
  // The skin drawn at the screen's scale: margins and frames of the skin's image at that scale.
  ASSERT_EQ(scaled.Buttons->LeftWidth, MulDiv(source.LeftWidth, dpi, 96));
  ASSERT_EQ(scaled.Buttons->Image.Width() / 5, MulDiv(source.Image.Width() / 5, dpi, 96));
  const int w = MulDiv(96, dpi, 96), h = MulDiv(30, dpi, 96);
  SkinnedForm f(*skin, true, MulDiv(460, dpi, 96), MulDiv(340, dpi, 96));
  auto* button = f.Add<TButton>(20, 20, w, h);
  auto* other = f.Add<TButton>(20, 40 + h, w, h);
  f.Frame();
  ASSERT_NE(dynamic_cast<TSkinButton*>(f.CompanionOf(button)), nullptr);
  SetFocus(other->Handle());
  EXPECT_EQ(EdgePixels(Repainted(button->Handle()), 0, 0, w, h),
            EdgePixels(ExpectedElement(*scaled.Buttons, w, h, 5, 1, scaled.ButtonFaceColour), 0, 0, w, h));
}
