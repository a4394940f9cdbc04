#include <gtest/gtest.h>

#include "toolkit/core/font.h"
#include "toolkit/core/tfont.h"

TEST(FontData, SizeAndHeightRoundLikeTheClassicToolkit) {
  EXPECT_EQ(FontHeightForSize(8), -11);
  EXPECT_EQ(FontHeightForSize(9), -12);
  EXPECT_EQ(FontHeightForSize(10), -13);
  EXPECT_EQ(FontHeightForSize(12), -16);
  EXPECT_EQ(FontSizeForHeight(-11), 8);
  EXPECT_EQ(FontSizeForHeight(-13), 10);
  EXPECT_EQ(FontSizeForHeight(-14), 11);  // 10.5 rounds away from zero
  EXPECT_EQ(FontSizeForHeight(-15), 11);
  EXPECT_EQ(FontSizeForHeight(16), -12);  // a positive (cell) height gives a negative size
  EXPECT_EQ(FontSizeForHeight(0), 0);

  TFontData font;
  EXPECT_EQ(font.Size(), 8);
  font.SetSize(14);
  EXPECT_EQ(font.Height, -19);
  EXPECT_EQ(font.Size(), 14);
}

// A font read at one resolution and shown at another: whole point sizes stay whole point
// sizes, other pixel heights follow the ratio of the resolutions.
TEST(FontData, ScaledToAnotherResolution) {
  TFontData font;  // -11 px at 96: the height of 8 points
  TFontData at144 = ScaledFontData(font, 144);
  EXPECT_EQ(at144.PixelsPerInch, 144);
  EXPECT_EQ(at144.Height, -16);  // 8 points at 144, not -11 * 1.5
  EXPECT_EQ(at144.Size(), 8);
  EXPECT_EQ(ScaledFontData(at144, 96), font);
  EXPECT_EQ(ScaledFontData(font, 120).Height, -13);
  EXPECT_EQ(ScaledFontData(font, 192).Height, -21);

  font.Height = -14;  // 10.5 points: no whole size, scaled as pixels
  EXPECT_EQ(ScaledFontData(font, 144).Height, -21);
  font.Height = 15;  // a cell height
  EXPECT_EQ(ScaledFontData(font, 120).Height, 19);
  EXPECT_EQ(FontSizeForHeight(-16, 144), 8);
  EXPECT_EQ(FontHeightForSize(9, 120), -15);
}

TEST(FontData, StylesAndEquality) {
  TFontStyles styles{fsBold, fsStrikeOut};
  EXPECT_TRUE(styles.Contains(fsBold));
  EXPECT_FALSE(styles.Contains(fsItalic));
  EXPECT_EQ(styles.Bits(), 0b1001);
  styles.Exclude(fsBold);
  styles.Include(fsUnderline);
  EXPECT_EQ(styles, (TFontStyles{fsUnderline, fsStrikeOut}));
  EXPECT_EQ(TFontStyles::FromBits(0xFF).Bits(), 0x0F);

  TFontData a, b;
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.Charset, DefaultFontCharset);
  EXPECT_EQ(a.Color, clWindowText);
  b.Style.Include(fsItalic);
  EXPECT_NE(a, b);
  b = a;
  b.Charset = 162;  // Turkish
  EXPECT_NE(a, b);
}

TEST(Font, OnChangeFiresForAChangeOnlyAndOncePerChange) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &font);
    ++changes;
  };
  // Setting what the font already holds is no change.
  font.SetName(font.Name());
  font.SetCharset(font.Charset());
  font.SetHeight(font.Height());
  font.SetSize(font.Size());
  font.SetStyle(font.Style());
  font.SetColor(font.Color());
  font.SetData(font.Data());
  const TFont same;
  font.Assign(&same);
  EXPECT_EQ(changes, 0);

  font.SetSize(12);
  EXPECT_EQ(changes, 1);
  font.SetHeight(FontHeightForSize(12));
  EXPECT_EQ(changes, 1);
  TFont bold;
  bold.SetStyle({fsBold});
  font.Assign(&bold);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(font.Data(), bold.Data());
}
