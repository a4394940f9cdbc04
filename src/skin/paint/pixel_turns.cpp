#include "skin/paint/pixel_turns.h"

namespace {
// Each pixel (x, y) of source goes to place(x, y) of a w x h result.
template <class Place>
TBitmapPixels Remap(const TBitmapPixels& source, int w, int h, Place place) {
  TBitmapPixels out(w, h);
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x) {
      const auto [tx, ty] = place(x, y);
      out.SetPixel(tx, ty, source.GetPixel(x, y));
    }
  return out;
}
struct At {
  int X, Y;
};
}  // namespace

TBitmapPixels FlipVertically(const TBitmapPixels& s) {
  return Remap(s, s.Width(), s.Height(), [&](int x, int y) { return At{x, s.Height() - 1 - y}; });
}

TBitmapPixels RotateClockwise(const TBitmapPixels& s) {
  return Remap(s, s.Height(), s.Width(), [&](int x, int y) { return At{s.Height() - 1 - y, x}; });
}

TBitmapPixels RotateCounterClockwise(const TBitmapPixels& s) {
  return Remap(s, s.Height(), s.Width(), [&](int x, int y) { return At{y, s.Width() - 1 - x}; });
}

TBitmapPixels Transpose(const TBitmapPixels& s) {
  return Remap(s, s.Height(), s.Width(), [](int x, int y) { return At{y, x}; });
}
