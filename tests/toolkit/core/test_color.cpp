#include <gtest/gtest.h>

#include "toolkit/core/color.h"
#include "toolkit/core/exceptions.h"

TEST(Color, ValuesAreBgrWithSystemColorsNegative) {
  EXPECT_EQ(RGBToColor(0x12, 0x34, 0x56), 0x563412);
  EXPECT_EQ(ColorRed(0x563412), 0x12);
  EXPECT_EQ(ColorBlue(0x563412), 0x56);
  EXPECT_EQ(clRed, RGBToColor(255, 0, 0));
  EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
  EXPECT_EQ(static_cast<std::uint32_t>(clInfoBk), 0x80000018u);
  EXPECT_TRUE(IsSystemColor(clWindowText));
  EXPECT_FALSE(IsSystemColor(clNone));
}

TEST(Color, ColorToRgbUsesTheInstalledResolver) {
  EXPECT_EQ(ColorToRGB(clTeal), clTeal);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);

  TSysColorResolver previous = SetSysColorResolver([](int index) { return RGBToColor(index, 1, 2); });
  EXPECT_EQ(ColorToRGB(clBtnFace), RGBToColor(15, 1, 2));
  SetSysColorResolver(nullptr);  // back to the built-in table
  EXPECT_EQ(ColorToRGB(clBtnFace), DefaultSysColor(15));
  SetSysColorResolver(previous);
}

TEST(Color, ToAndFromText) {
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(clFuchsia), "clFuchsia");
  EXPECT_EQ(ColorToString(clNone), "clNone");
  EXPECT_EQ(ColorToString(0x00123ABC), "$00123ABC");
  EXPECT_EQ(ColorToString(SystemColor(0x30)), "$80000030");

  EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
  EXPECT_EQ(StringToColor("CL3DDKSHADOW"), cl3DDkShadow);
  EXPECT_EQ(StringToColor("$00FF00FF"), clFuchsia);
  EXPECT_EQ(StringToColor("$ff"), clRed);
  EXPECT_EQ(StringToColor("0x8000000F"), clBtnFace);
  EXPECT_EQ(StringToColor("$FFFFFFFF"), -1);
  EXPECT_EQ(StringToColor("65280"), clLime);
  EXPECT_EQ(StringToColor("-16777201"), static_cast<TColor>(0xFF00000F));

  for (const char* bad : {"", "$", "0x", "clPink", "12a", "$123456789", "2147483648", "--1", " 1", "$-1"}) {
    try {
      StringToColor(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }

  TColor c = clBlack;
  EXPECT_FALSE(IdentToColor("clBtn", c));
  EXPECT_TRUE(IdentToColor("clInfoBk", c));
  EXPECT_EQ(c, clInfoBk);
  for (TColor named : {clBlack, clWhite, clHighlightText, clInactiveCaptionText, clDefault, 0x123456})
    EXPECT_EQ(StringToColor(ColorToString(named)), named);
}
