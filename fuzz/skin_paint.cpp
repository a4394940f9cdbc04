// Fuzz target: the skin painting primitives on images, margins, frame counts and destination
// sizes as a damaged skin would give them. The first bytes choose the numbers, the rest are
// the pixels.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "skin/paint/frame_strip.h"
#include "skin/paint/key_mask.h"
#include "skin/paint/sliced_image.h"
#include "skin/paint/three_part_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 12) return 0;
  auto s8 = [&](std::size_t i) { return static_cast<int>(static_cast<std::int8_t>(data[i])); };
  const int w = data[0] % 64, h = data[1] % 64;
  const int destW = data[2] % 96 - 8, destH = data[3] % 96 - 8;
  const TSliceMargins margins{s8(4), s8(5), s8(6), s8(7)};
  const int count = s8(8) % 24, frame = s8(9) % 30;
  const bool stacked = data[10] & 1, tile = data[10] & 2, pf32 = data[10] & 4;
  TBitmapPixels image(w, h, pf32 ? pf32bit : pf24bit);
  const std::uint8_t* pixels = data + 11;
  std::size_t left = size - 11;
  for (int y = 0; y < h && w > 0 && left > 0; ++y) {
    const std::size_t n = std::min<std::size_t>(left, static_cast<std::size_t>(w) * (pf32 ? 4 : 3));
    std::memcpy(image.ScanLine(y), pixels, n);
    pixels += n;
    left -= n;
  }
  TPixelRect dest{0, 0, destW, destH};
  TBitmapPixels sliced = BuildSlicedImage(dest, image, margins, stacked, tile, count, frame);
  TBitmapPixels strip = BuildThreePartImage(destW, destH, image, {stacked, count, frame}, margins.Left, margins.Right);
  TBitmapPixels whole = BuildFrameImage(destW, destH, image, count, frame);
  DrawSlicedBorderPixels(sliced, {s8(4), s8(5), s8(6) + 40, s8(7) + 40}, image, margins, stacked, count, frame);
  KeyedCopy(strip, s8(6), s8(7), image);
  TKeyMask mask = MakeKeyMask(image);
  (void)mask.AllKey();
  (void)MergeRunRows(RegionRuns(whole, s8(4), s8(5), data[6], data[7], data[8]));
  return 0;
}
