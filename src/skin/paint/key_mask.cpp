#include "skin/paint/key_mask.h"

#include <algorithm>

bool TKeyMask::AllKey() const {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (!IsKey(x, y)) return false;
  return true;
}

TKeyMask MakeKeyMask(const TBitmapPixels& bitmap, TColor key) {
  TKeyMask mask;
  mask.Width = bitmap.Width();
  mask.Height = bitmap.Height();
  mask.RowBytes = (mask.Width + 15) / 16 * 2;
  mask.Bits.assign(static_cast<std::size_t>(mask.RowBytes) * static_cast<std::size_t>(mask.Height), 0);
  const int bpp = BytesPerPixel(bitmap.PixelFormat());
  const std::uint8_t kb = ColorBlue(key), kg = ColorGreen(key), kr = ColorRed(key);
  for (int y = 0; y < mask.Height; ++y) {
    const std::uint8_t* p = bitmap.ScanLine(y);
    std::uint8_t* row = mask.Bits.data() + static_cast<std::ptrdiff_t>(y) * mask.RowBytes;
    for (int x = 0; x < mask.Width; ++x, p += bpp)
      if (p[0] == kb && p[1] == kg && p[2] == kr) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  }
  return mask;
}

std::vector<TPixelRect> RegionRuns(const TBitmapPixels& bitmap, int dx, int dy, int toleranceBlue, int toleranceGreen,
                                   int toleranceRed, TColor key) {
  const int lowB = ColorBlue(key), lowG = ColorGreen(key), lowR = ColorRed(key);
  const int highB = std::min(lowB + std::max(toleranceBlue, 0), 255);
  const int highG = std::min(lowG + std::max(toleranceGreen, 0), 255);
  const int highR = std::min(lowR + std::max(toleranceRed, 0), 255);
  const int bpp = BytesPerPixel(bitmap.PixelFormat());
  std::vector<TPixelRect> runs;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    int start = -1;
    for (int x = 0; x <= bitmap.Width(); ++x) {
      bool solid = false;
      if (x < bitmap.Width()) {
        const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * bpp;
        solid = !(p[0] >= lowB && p[0] <= highB && p[1] >= lowG && p[1] <= highG && p[2] >= lowR && p[2] <= highR);
      }
      if (solid && start < 0) start = x;
      if (!solid && start >= 0) {
        runs.push_back({start + dx, y + dy, x + dx, y + 1 + dy});
        start = -1;
      }
    }
  }
  return runs;
}

std::vector<TPixelRect> MergeRunRows(const std::vector<TPixelRect>& runs) {
  std::vector<TPixelRect> merged;
  std::vector<std::size_t> open, next;  // rectangles that reached the previous row, left to right
  int openBottom = 0;
  std::size_t i = 0;
  while (i < runs.size()) {
    const int row = runs[i].Top;
    if (row != openBottom) open.clear();
    next.clear();
    std::size_t candidate = 0;
    for (; i < runs.size() && runs[i].Top == row; ++i) {
      const TPixelRect& run = runs[i];
      while (candidate < open.size() && merged[open[candidate]].Left < run.Left) ++candidate;
      if (candidate < open.size() && merged[open[candidate]].Left == run.Left &&
          merged[open[candidate]].Right == run.Right && merged[open[candidate]].Bottom == run.Top) {
        merged[open[candidate]].Bottom = run.Bottom;
        next.push_back(open[candidate++]);
      } else {
        merged.push_back(run);
        next.push_back(merged.size() - 1);
      }
    }
    open.swap(next);
    openBottom = row + 1;
  }
  return merged;
}
