#include "skin/paint/three_part_image.h"

#include <algorithm>

#include "skin/paint/pixel_copy.h"

TBitmapPixels BuildThreePartImage(int width, int height, const TBitmapPixels& image, const TFrameChoice& frame,
                                  int left, int right) {
  TBitmapPixels out(std::max(width, 0), std::max(height, 0));
  const TPixelRect f = SourceFrame(image, frame);
  if (out.Empty() || f.Empty()) return out;
  left = std::max(left, 0);
  right = std::max(right, 0);
  const int m = f.Width() - left - right;
  const int W = out.Width(), H = out.Height();
  if (m <= 0) {
    StretchCopy(out, {0, 0, W, H}, image, f);
    return out;
  }
  StretchCopy(out, {0, 0, left, H}, image, {f.Left, f.Top, f.Left + left, f.Bottom});
  for (int x = left; x < W - right; x += m)
    StretchCopy(out, {x, 0, x + m, H}, image, {f.Left + left, f.Top, f.Right - right, f.Bottom});
  StretchCopy(out, {W - right, 0, W, H}, image, {f.Right - right, f.Top, f.Right, f.Bottom});
  return out;
}
