#include <gtest/gtest.h>

#include <vector>

#include "toolkit/core/bitmap.h"

namespace {

// A bitmap whose every pixel has its own colour.
TBitmapPixels Numbered(int width, int height, TPixelFormat format) {
  TBitmapPixels b(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, RGBToColor(x + 1, y + 1, 7));
  return b;
}

}  // namespace

TEST(BitmapPixels, LayoutIsATopDownDibWithAlignedRows) {
  TBitmapPixels b(3, 2, pf24bit);
  EXPECT_EQ(b.Stride(), 12);
  EXPECT_EQ(TBitmapPixels(3, 2, pf32bit).Stride(), 12);
  EXPECT_EQ(TBitmapPixels(5, 1, pf24bit).Stride(), 16);
  EXPECT_EQ(b.GetPixel(2, 1), clBlack);  // new bitmaps are black
  b.SetPixel(1, 1, RGBToColor(0x10, 0x20, 0x30));
  const std::uint8_t* row = b.ScanLine(1);
  EXPECT_EQ(row - b.ScanLine(0), 12);
  EXPECT_EQ(row[3], 0x30);  // blue, green, red
  EXPECT_EQ(row[4], 0x20);
  EXPECT_EQ(row[5], 0x10);
  EXPECT_THROW(b.ScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(BitmapPixels, PixelsOutsideAreIgnoredAndSystemColorsResolved) {
  TBitmapPixels b(2, 2, pf32bit);
  EXPECT_EQ(b.GetPixel(2, 0), clNone);
  EXPECT_EQ(b.GetPixel(0, -1), clNone);
  b.SetPixel(-1, 0, clWhite);
  b.SetPixel(0, 2, clWhite);
  b.ScanLine(0)[3] = 0x99;
  b.SetPixel(0, 0, clBtnFace);
  EXPECT_EQ(b.GetPixel(0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(b.ScanLine(0)[3], 0);  // GDI-style write: alpha 0
  EXPECT_EQ(b.GetPixel(1, 1), clBlack);
}

TEST(BitmapPixels, SizeLimits) {
  EXPECT_THROW(TBitmapPixels(-1, 5), EInvalidGraphicOperation);
  EXPECT_THROW(TBitmapPixels(kMaxBitmapSide + 1, 1), EOutOfResources);
  EXPECT_THROW(TBitmapPixels(20000, 20000), EOutOfResources);
  TBitmapPixels empty(0, 4);
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.Height(), 4);
}

TEST(BitmapPixels, BorrowedMemory) {
  std::vector<std::uint8_t> memory(2 * 8, 0xEE);  // 2 rows of 2 pixels, 8-byte stride
  TBitmapPixels view = TBitmapPixels::Borrow(memory.data(), 2, 2, pf32bit, 8);
  EXPECT_FALSE(view.OwnsMemory());
  view.SetPixel(1, 1, RGBToColor(1, 2, 3));
  EXPECT_EQ(memory[12], 3);
  EXPECT_EQ(view.GetPixel(0, 0), 0xEEEEEE);

  // A bottom-up DIB seen through a negative stride: row 0 is the last in memory.
  TBitmapPixels upside = TBitmapPixels::Borrow(memory.data() + 8, 2, 2, pf32bit, -8);
  EXPECT_EQ(upside.GetPixel(1, 0), RGBToColor(1, 2, 3));

  TBitmapPixels copy = view;
  EXPECT_TRUE(copy.OwnsMemory());
  copy.Fill(clRed);
  EXPECT_EQ(view.GetPixel(0, 0), 0xEEEEEE);

  view.SetSize(3, 2);  // leaves the borrowed memory alone
  EXPECT_TRUE(view.OwnsMemory());
  EXPECT_EQ(view.GetPixel(1, 1), RGBToColor(1, 2, 3));
  view.Fill(clWhite);
  EXPECT_EQ(memory[0], 0xEE);

  EXPECT_THROW(TBitmapPixels::Borrow(memory.data(), 3, 2, pf32bit, 8), EInvalidGraphicOperation);
  EXPECT_THROW(TBitmapPixels::Borrow(nullptr, 1, 1, pf24bit, 4), EInvalidGraphicOperation);
}

TEST(BitmapPixels, ResizeAndConvertKeepPixels) {
  TBitmapPixels b = Numbered(3, 3, pf24bit);
  b.SetSize(4, 2);
  EXPECT_EQ(b.GetPixel(2, 1), RGBToColor(3, 2, 7));
  EXPECT_EQ(b.GetPixel(3, 0), clBlack);
  b.SetSize(4, 2);

  TBitmapPixels original = Numbered(5, 2, pf24bit);
  TBitmapPixels c = original;
  c.SetPixelFormat(pf32bit);
  EXPECT_EQ(c.PixelFormat(), pf32bit);
  EXPECT_EQ(c.ScanLine(1)[4 * 4 + 3], 0);
  EXPECT_TRUE(c.SamePixels(original));
  c.ScanLine(0)[3] = 0x80;
  c.SetPixelFormat(pf24bit);
  EXPECT_EQ(c.Stride(), 16);
  EXPECT_TRUE(c.SamePixels(original));
}

TEST(BitmapPixels, FillAndCopyAreClipped) {
  TBitmapPixels b(4, 3, pf24bit);
  b.FillRect(-2, 2, 4, 10, clRed);
  EXPECT_EQ(b.GetPixel(0, 2), clRed);
  EXPECT_EQ(b.GetPixel(1, 2), clRed);
  EXPECT_EQ(b.GetPixel(2, 2), clBlack);
  EXPECT_EQ(b.GetPixel(0, 1), clBlack);
  b.FillRect(1, 1, -3, 2, clRed);  // negative size: nothing
  EXPECT_EQ(b.GetPixel(1, 1), clBlack);

  const TBitmapPixels source = Numbered(3, 3, pf32bit);
  b.Fill(clWhite);
  b.CopyRect(2, -1, source, 0, 0, 3, 3);  // converts 32 to 24 bits on the way
  EXPECT_EQ(b.GetPixel(2, 0), RGBToColor(1, 2, 7));
  EXPECT_EQ(b.GetPixel(3, 1), RGBToColor(2, 3, 7));
  EXPECT_EQ(b.GetPixel(1, 0), clWhite);
  EXPECT_EQ(b.GetPixel(2, 2), clWhite);
  b.CopyRect(0, 0, source, -5, -5, 2, 2);  // entirely outside the source
  EXPECT_EQ(b.GetPixel(0, 0), clWhite);
}

TEST(BitmapPixels, CopyWithinOneBitmapHandlesOverlap) {
  TBitmapPixels b = Numbered(4, 4, pf24bit);
  const TBitmapPixels before = b;
  b.CopyRect(1, 1, b, 0, 0, 3, 3);  // down and right
  for (int y = 1; y < 4; ++y)
    for (int x = 1; x < 4; ++x) EXPECT_EQ(b.GetPixel(x, y), before.GetPixel(x - 1, y - 1));
  b = before;
  b.CopyRect(0, 0, b, 1, 1, 3, 3);  // up and left
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.GetPixel(x, y), before.GetPixel(x + 1, y + 1));
}
