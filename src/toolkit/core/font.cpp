#include "toolkit/core/font.h"

#include <cstdint>
#include <limits>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0 or the
// result does not fit, as Win32 MulDiv does.
int RoundedMulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = std::int64_t{a} * b;
  const std::int64_t divisor = c < 0 ? -std::int64_t{c} : c;
  const std::int64_t signedProduct = c < 0 ? -product : product;
  const std::int64_t half = divisor / 2;
  const std::int64_t result = (signedProduct >= 0 ? signedProduct + half : signedProduct - half) / divisor;
  if (result > std::numeric_limits<int>::max() || result <= std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(result);
}

}  // namespace

int FontHeightForSize(int size, int pixelsPerInch) { return -RoundedMulDiv(size, pixelsPerInch, 72); }

int FontSizeForHeight(int height, int pixelsPerInch) { return -RoundedMulDiv(height, 72, pixelsPerInch); }

TFontData ScaledFontData(const TFontData& font, int pixelsPerInch) {
  TFontData scaled = font;
  scaled.PixelsPerInch = pixelsPerInch;
  if (pixelsPerInch == font.PixelsPerInch || pixelsPerInch <= 0 || font.PixelsPerInch <= 0) return scaled;
  const int size = font.Size();
  if (font.Height < 0 && FontHeightForSize(size, font.PixelsPerInch) == font.Height)
    scaled.Height = FontHeightForSize(size, pixelsPerInch);
  else
    scaled.Height = RoundedMulDiv(font.Height, pixelsPerInch, font.PixelsPerInch);
  return scaled;
}
