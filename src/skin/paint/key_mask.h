#pragma once
// Key-colour masks and the run scan that window regions are made from.
#include <cstdint>
#include <vector>

#include "skin/paint/pixel_copy.h"
#include "skin/paint/pixel_rect.h"
#include "toolkit/core/bitmap.h"

// A monochrome mask of the bitmap in the layout of a 1-bit device bitmap: rows top to bottom,
// each padded to a multiple of 16 bits, the leftmost pixel in the highest bit; a bit is 1 where
// the pixel has the key colour.
struct TKeyMask {
  int Width = 0, Height = 0;
  int RowBytes = 0;
  std::vector<std::uint8_t> Bits;
  bool IsKey(int x, int y) const { return (Bits[static_cast<std::size_t>(y * RowBytes + x / 8)] >> (7 - x % 8)) & 1; }
  // True when every pixel has the key colour (keyed drawing then changes nothing).
  bool AllKey() const;
};
TKeyMask MakeKeyMask(const TBitmapPixels& bitmap, TColor key = kSkinKeyColor);

// The rectangles of every maximal run of non-transparent pixels, row by row from the top, each
// one pixel high and moved by (dx, dy). A pixel is transparent when each of its red, green and
// blue values lies between the key's value and that value plus the channel's tolerance (capped
// at 255).
std::vector<TPixelRect> RegionRuns(const TBitmapPixels& bitmap, int dx, int dy, int toleranceBlue, int toleranceGreen,
                                   int toleranceRed, TColor key = kSkinKeyColor);

// The same pixels in fewer rectangles: a run that continues a run of the row above with the same
// left and right edges makes that rectangle one row taller (a straight border edge becomes one
// rectangle instead of one per row). Keeps the top-to-bottom, left-to-right order.
std::vector<TPixelRect> MergeRunRows(const std::vector<TPixelRect>& runs);
