#include "skin/paint/frame_strip.h"

#include <algorithm>

#include "skin/paint/pixel_copy.h"

TPixelRect SourceFrame(const TBitmapPixels& image, const TFrameChoice& choice) {
  const int count = std::max(choice.Count, 1);
  const int k = std::clamp(choice.Frame, 1, count) - 1;
  if (choice.Stacked) {
    const int fh = image.Height() / count;
    return {0, k * fh, image.Width(), (k + 1) * fh};
  }
  const int fw = image.Width() / count;
  return {k * fw, 0, (k + 1) * fw, image.Height()};
}

TBitmapPixels BuildFrameImage(int width, int height, const TBitmapPixels& image, int count, int frame) {
  TBitmapPixels out(std::max(width, 0), std::max(height, 0));
  StretchCopy(out, {0, 0, out.Width(), out.Height()}, image, SourceFrame(image, {false, count, frame}));
  return out;
}
