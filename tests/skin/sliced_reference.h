#pragma once
// The pixels a sliced skin element should show, for tests: each destination pixel looked up by
// the slicing rule, one axis at a time, with none of the painters' pieces or copies. The frames
// of an image lie side by side (or stacked), each width / count wide (height / count high); the
// margins keep their size, edges stretch along their length, the middle stretches or repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <ios>

#include "skin/data/skin_model.h"
#include "toolkit/core/bitmap.h"

namespace skintest {

// Where a destination position along one axis takes its source pixel from, inside the frame.
class SliceAxis {
public:
  // Negative margins count as 0; margins that do not fit the frame or the extent both go.
  SliceAxis(int extent, int length, int low, int high)
      : extent_(extent), length_(length), low_(std::max(low, 0)), high_(std::max(high, 0)) {
    if (low_ + high_ > length_ || low_ + high_ > extent_) low_ = high_ = 0;
  }
  bool Middle(int i) const { return i >= low_ && i < extent_ - high_; }
  // The offset in the frame, or -1 where the frame has no middle to show. The stretched middle
  // takes the pixel under the centre of the destination pixel.
  int Source(int i, bool repeat) const {
    if (i < low_) return i;
    if (i >= extent_ - high_) return length_ - (extent_ - i);
    const int from = length_ - low_ - high_, to = extent_ - low_ - high_, k = i - low_;
    if (from <= 0) return -1;
    return low_ + (repeat ? k % from : (2 * k + 1) * from / (2 * to));
  }

private:
  int extent_, length_, low_, high_;
};

// Frame `frame` (1-based) of `count` sliced to width x height with the margins; only the middle
// piece repeats when tile is set. Pixels without a source stay black.
inline TBitmapPixels ReferenceSlices(const TBitmapPixels& image, int width, int height, int left, int top, int right,
                                     int bottom, bool stacked, bool tile, int count, int frame) {
  count = std::max(count, 1);
  frame = std::clamp(frame, 1, count) - 1;
  const int fw = stacked ? image.Width() : image.Width() / count;
  const int fh = stacked ? image.Height() / count : image.Height();
  const int fx = stacked ? 0 : frame * fw, fy = stacked ? frame * fh : 0;
  const SliceAxis across(width, fw, left, right), down(height, fh, top, bottom);
  TBitmapPixels out(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool repeat = tile && across.Middle(x) && down.Middle(y);
      const int sx = across.Source(x, repeat), sy = down.Source(y, repeat);
      if (sx >= 0 && sy >= 0) out.SetPixel(x, y, image.GetPixel(fx + sx, fy + sy));
    }
  return out;
}

// A skin element's image sliced by the element's own margins.
inline TBitmapPixels ReferenceElement(const TDataSkinObject& e, int width, int height, bool stacked, bool tile,
                                      int count, int frame) {
  return ReferenceSlices(e.Image, width, height, e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight, stacked, tile,
                         count, frame);
}

// The whole frame stretched (no margins).
inline TBitmapPixels ReferenceFrame(const TBitmapPixels& image, int width, int height, int count, int frame) {
  return ReferenceSlices(image, width, height, 0, 0, 0, 0, false, false, count, frame);
}

// Same size and every pixel the same; otherwise the first pixel that differs.
inline ::testing::AssertionResult SamePixels(const TBitmapPixels& got, const TBitmapPixels& want) {
  if (got.Width() != want.Width() || got.Height() != want.Height())
    return ::testing::AssertionFailure() << "size " << got.Width() << "x" << got.Height() << ", wanted " << want.Width()
                                         << "x" << want.Height();
  for (int y = 0; y < want.Height(); ++y)
    for (int x = 0; x < want.Width(); ++x)
      if (got.GetPixel(x, y) != want.GetPixel(x, y))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << got.GetPixel(x, y)
                                             << ", wanted " << want.GetPixel(x, y);
  return ::testing::AssertionSuccess();
}

}  // namespace skintest
