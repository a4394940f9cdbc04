// The painting primitives pixel for pixel: which source pixel lands where for frames, nine
// slices (stretched and tiled centres, dropped margins), three-part strips, keyed copies, masks
// and the run scan of window regions.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "skin/paint/frame_strip.h"
#include "skin/paint/key_mask.h"
#include "skin/paint/pixel_copy.h"
#include "skin/paint/pixel_turns.h"
#include "skin/paint/sliced_image.h"
#include "skin/paint/three_part_image.h"
#include "skin/sliced_reference.h"

namespace {
// Every pixel has its own colour, so a copied pixel tells where it came from.
TColor Coded(int x, int y) { return RGBToColor(x * 7 % 250, y * 11 % 250, 30 + x + y); }

TBitmapPixels CodedImage(int w, int h, TPixelFormat format = pf24bit) {
  TBitmapPixels image(w, h, format);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, Coded(x, y));
  return image;
}

// The source column of destination pixel i when n pixels sample a piece of length len.
int Sampled(int i, int n, int len) { return (2 * i + 1) * len / (2 * n); }
}  // namespace

TEST(FrameStrip, FramesLieSideBySideOrStackedAndStayInsideTheImage) {
  TBitmapPixels image(100, 20);
  EXPECT_EQ(SourceFrame(image, {false, 5, 4}), (TPixelRect{60, 0, 80, 20}));
  EXPECT_EQ(SourceFrame(image, {true, 2, 2}), (TPixelRect{0, 10, 100, 20}));
  // A damaged count or frame index never reads outside the image.
  EXPECT_EQ(SourceFrame(image, {false, 0, 3}), (TPixelRect{0, 0, 100, 20}));
  EXPECT_EQ(SourceFrame(image, {false, 5, 9}), (TPixelRect{80, 0, 100, 20}));
  EXPECT_EQ(SourceFrame(image, {false, 5, -2}), (TPixelRect{0, 0, 20, 20}));
  EXPECT_TRUE(SourceFrame(image, {false, 200, 1}).Empty());
}

TEST(StretchCopy, NearestNeighbourBothWaysAndEitherPixelFormat) {
  const TBitmapPixels image = CodedImage(3, 2, pf32bit);
  TBitmapPixels wide(6, 4);
  StretchCopy(wide, {0, 0, 6, 4}, image, {0, 0, 3, 2});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(wide.GetPixel(x, y), Coded(x / 2, y / 2)) << x << "," << y;
  TBitmapPixels narrow(2, 1);
  StretchCopy(narrow, {0, 0, 2, 1}, CodedImage(5, 1), {0, 0, 5, 1});
  EXPECT_EQ(narrow.GetPixel(0, 0), Coded(Sampled(0, 2, 5), 0));
  EXPECT_EQ(narrow.GetPixel(1, 0), Coded(Sampled(1, 2, 5), 0));
  // Clipped to the destination; a source piece outside its image draws nothing.
  TBitmapPixels small(2, 2);
  StretchCopy(small, {-2, -2, 4, 4}, image, {0, 0, 3, 2});
  EXPECT_EQ(small.GetPixel(0, 0), Coded(Sampled(2, 6, 3), Sampled(2, 6, 2)));
  TBitmapPixels untouched(2, 2);
  StretchCopy(untouched, {0, 0, 2, 2}, image, {2, 0, 5, 2});
  EXPECT_EQ(untouched.GetPixel(1, 1), static_cast<TColor>(0));
}

TEST(SlicedImage, CornersKeepTheirSizeEdgesStretchAlongAndTheCentreFills) {
  const TBitmapPixels image = CodedImage(24, 8);  // two frames of 12 x 8
  const TSliceMargins m{3, 2, 4, 1};
  const TBitmapPixels out = BuildSlicedImage({5, 5, 35, 25}, image, m, false, false, 2, 2);
  ASSERT_EQ(out.Width(), 30);
  ASSERT_EQ(out.Height(), 20);
  const int fx = 12;  // frame 2
  EXPECT_EQ(out.GetPixel(0, 0), Coded(fx, 0));
  EXPECT_EQ(out.GetPixel(2, 1), Coded(fx + 2, 1));
  EXPECT_EQ(out.GetPixel(29, 0), Coded(fx + 11, 0));  // top-right corner
  EXPECT_EQ(out.GetPixel(26, 19), Coded(fx + 8, 7));  // bottom-right corner
  EXPECT_EQ(out.GetPixel(0, 19), Coded(fx, 7));       // bottom-left corner
  // The left edge runs rows 2..18 of the destination from rows 2..6 of the frame.
  for (int y = 2; y < 19; ++y) EXPECT_EQ(out.GetPixel(1, y), Coded(fx + 1, 2 + Sampled(y - 2, 17, 5))) << y;
  // The stretched centre: 23 columns from the frame's 5 middle columns.
  for (int x = 3; x < 26; ++x)
    EXPECT_EQ(out.GetPixel(x, 10), Coded(fx + 3 + Sampled(x - 3, 23, 5), 2 + Sampled(8, 17, 5)));
}

// Every pixel of every piece against the slicing rule, at the sizes where a bound is easiest
// to miss: the frame's own size, margins exactly filling the destination, one pixel short of
// them, and a destination one pixel wider and higher than the margins.
TEST(SlicedImage, EveryPixelComesFromItsPieceOfTheFrame) {
  const TSliceMargins m{3, 2, 4, 1};
  for (bool stacked : {false, true}) {
    const TBitmapPixels image = stacked ? CodedImage(12, 18) : CodedImage(24, 9);  // two frames of 12 x 9
    for (bool tile : {false, true})
      for (auto [w, h] : {std::pair{12, 9}, {30, 20}, {7, 3}, {6, 2}, {8, 4}, {5, 31}}) {
        SCOPED_TRACE(testing::Message() << "stacked " << stacked << " tile " << tile << " " << w << "x" << h);
        EXPECT_TRUE(skintest::SamePixels(BuildSlicedImage({0, 0, w, h}, image, m, stacked, tile, 2, 2),
                                         skintest::ReferenceSlices(image, w, h, 3, 2, 4, 1, stacked, tile, 2, 2)));
      }
  }
}

TEST(SlicedImage, MarginsThatDoNotFitAreDroppedInPairs) {
  const TBitmapPixels image = CodedImage(20, 4);
  const TBitmapPixels out = BuildSlicedImage({0, 0, 10, 10}, image, {8, 0, 8, 0}, false, false, 1, 1);
  // Only the centre, which is the whole frame stretched.
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(out.GetPixel(x, y), Coded(Sampled(x, 10, 20), Sampled(y, 10, 4)));
  // Negative margins count as 0.
  EXPECT_TRUE(image.SamePixels(BuildSlicedImage({0, 0, 20, 4}, image, {-3, -1, -2, -9}, false, false, 1, 1)));
}

TEST(SlicedImage, ATiledCentreRepeatsAndOverhangsUnderTheRightEdge) {
  // Frame 11 wide: left 2, centre piece 7, right 2; destination 24 wide: centre 20.
  const TBitmapPixels image = CodedImage(11, 3);
  const TBitmapPixels out = BuildSlicedImage({0, 0, 24, 3}, image, {2, 0, 2, 0}, false, true, 1, 1);
  for (int x = 2; x < 22; ++x) EXPECT_EQ(out.GetPixel(x, 1), Coded(2 + (x - 2) % 7, 1)) << x;
  // The third copy starts at 16 and would reach 23: its last pixel is under the right edge.
  EXPECT_EQ(out.GetPixel(22, 1), Coded(9, 1));
  EXPECT_EQ(out.GetPixel(23, 1), Coded(10, 1));
}

TEST(SlicedImage, TheBorderAloneLeavesTheCentreAndDrawsAtTheRectangle) {
  const TBitmapPixels image = CodedImage(6, 6);
  TBitmapPixels dest(20, 20);
  dest.Fill(clWhite);
  DrawSlicedBorderPixels(dest, {4, 4, 16, 16}, image, {2, 2, 2, 2}, false, 1, 1);
  EXPECT_EQ(dest.GetPixel(4, 4), Coded(0, 0));
  EXPECT_EQ(dest.GetPixel(15, 15), Coded(5, 5));
  EXPECT_EQ(dest.GetPixel(10, 10), static_cast<TColor>(clWhite));
  EXPECT_EQ(dest.GetPixel(3, 3), static_cast<TColor>(clWhite));
  // Stacked frames choose rows; an inverted rectangle draws nothing.
  TBitmapPixels again(20, 20);
  DrawSlicedBorderPixels(again, {16, 4, 4, 16}, image, {2, 2, 2, 2}, false, 1, 1);
  EXPECT_EQ(again.GetPixel(10, 5), static_cast<TColor>(0));
}

TEST(ThreePartImage, CapsStretchToTheHeightAndTheMiddleRepeatsAtItsWidth) {
  const TBitmapPixels image = CodedImage(8, 6);  // two stacked frames of 8 x 3
  const TBitmapPixels out = BuildThreePartImage(20, 6, image, {true, 2, 2}, 2, 3);
  for (int y = 0; y < 6; ++y) {
    const int sy = 3 + Sampled(y, 6, 3);
    EXPECT_EQ(out.GetPixel(1, y), Coded(1, sy));
    EXPECT_EQ(out.GetPixel(17, y), Coded(5, sy));
    EXPECT_EQ(out.GetPixel(19, y), Coded(7, sy));
    for (int x = 2; x < 17; ++x) EXPECT_EQ(out.GetPixel(x, y), Coded(2 + (x - 2) % 3, sy)) << x;
  }
  // Without a middle piece the frame is stretched whole.
  const TBitmapPixels whole = BuildThreePartImage(16, 3, image, {true, 2, 1}, 5, 5);
  EXPECT_EQ(whole.GetPixel(15, 2), Coded(7, 2));
  EXPECT_EQ(whole.GetPixel(8, 0), Coded(4, 0));
}

TEST(KeyedDrawing, KeyPixelsLeaveTheDestinationAndMasksMarkThem) {
  TBitmapPixels image = CodedImage(18, 2);
  image.SetPixel(0, 0, kSkinKeyColor);
  image.SetPixel(17, 1, kSkinKeyColor);
  TBitmapPixels dest(20, 3);
  dest.Fill(clWhite);
  KeyedCopy(dest, 1, 1, image);
  EXPECT_EQ(dest.GetPixel(1, 1), static_cast<TColor>(clWhite));
  EXPECT_EQ(dest.GetPixel(2, 1), Coded(1, 0));
  EXPECT_EQ(dest.GetPixel(18, 2), static_cast<TColor>(clWhite));
  const TKeyMask mask = MakeKeyMask(image);
  EXPECT_EQ(mask.RowBytes, 4);  // 18 pixels: two 16-bit words
  EXPECT_EQ(mask.Bits[0], 0x80);
  EXPECT_TRUE(mask.IsKey(17, 1));
  EXPECT_FALSE(mask.IsKey(16, 1));
  EXPECT_FALSE(mask.AllKey());
  // An image all of the key colour changes nothing.
  TBitmapPixels key(4, 4);
  key.Fill(kSkinKeyColor);
  TBitmapPixels before = dest;
  KeyedCopy(dest, 0, 0, key);
  EXPECT_TRUE(dest.SamePixels(before));
  EXPECT_TRUE(MakeKeyMask(key).AllKey());
}

TEST(RegionRuns, RunsOfSolidPixelsRowByRowWithTolerance) {
  TBitmapPixels image(9, 3);
  image.Fill(clBlack);
  for (int y = 0; y < 3; ++y) image.SetPixel(4, y, kSkinKeyColor);
  const auto runs = RegionRuns(image, 10, 20, 1, 1, 1);
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[0], (TPixelRect{10, 20, 14, 21}));
  EXPECT_EQ(runs[1], (TPixelRect{15, 20, 19, 21}));
  EXPECT_EQ(runs[5], (TPixelRect{15, 22, 19, 23}));
  // Within the tolerance above the key a pixel is transparent too; beyond it, solid.
  image.SetPixel(0, 0, RGBToColor(255, 1, 255));
  image.SetPixel(1, 0, RGBToColor(255, 2, 255));
  const auto tolerant = RegionRuns(image, 0, 0, 1, 1, 1);
  EXPECT_EQ(tolerant[0], (TPixelRect{1, 0, 4, 1}));
  TBitmapPixels empty(5, 5);
  empty.Fill(kSkinKeyColor);
  EXPECT_TRUE(RegionRuns(empty, 0, 0, 1, 1, 1).empty());
}

// Each channel on its own, around a key away from 0 and 255: one below the key's value is solid,
// the value itself and the value plus the channel's tolerance are transparent, one more is solid.
TEST(RegionRuns, EachChannelIsTransparentFromTheKeyToTheKeyPlusItsTolerance) {
  const TColor key = RGBToColor(40, 80, 120);
  const int tolerance[3] = {1, 2, 3};  // blue, green, red
  for (int c = 0; c < 3; ++c)
    for (int d : {-1, 0, tolerance[c], tolerance[c] + 1}) {
      TBitmapPixels pixel(1, 1);
      pixel.SetPixel(0, 0, key);
      pixel.ScanLine(0)[c] = static_cast<std::uint8_t>(pixel.ScanLine(0)[c] + d);  // bytes lie blue, green, red
      const bool solid = !RegionRuns(pixel, 0, 0, tolerance[0], tolerance[1], tolerance[2], key).empty();
      EXPECT_EQ(solid, d < 0 || d > tolerance[c]) << "channel " << c << " key + " << d;
    }
}

TEST(RegionRuns, MergedRowsCoverTheSamePixelsInFewerRectangles) {
  // A rounded corner over a straight edge: the straight part becomes one rectangle.
  TBitmapPixels image(6, 40);
  image.Fill(clBlack);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3 - y; ++x) image.SetPixel(x, y, kSkinKeyColor);
  image.SetPixel(4, 20, kSkinKeyColor);
  const auto runs = RegionRuns(image, 2, 3, 1, 1, 1);
  const auto merged = MergeRunRows(runs);
  EXPECT_LT(merged.size(), 8u);
  auto covered = [](const std::vector<TPixelRect>& rects, int x, int y) {
    int n = 0;
    for (const TPixelRect& r : rects) n += x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
    return n;
  };
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 6; ++x) {
      const int expected = image.GetPixel(x, y) == kSkinKeyColor ? 0 : 1;
      ASSERT_EQ(covered(merged, x + 2, y + 3), expected) << x << "," << y;
    }
  // The straight edge above the hole and below it: two tall rectangles of the full width.
  EXPECT_TRUE(std::find(merged.begin(), merged.end(), TPixelRect{2, 6, 8, 23}) != merged.end());
  EXPECT_TRUE(std::find(merged.begin(), merged.end(), TPixelRect{2, 24, 8, 43}) != merged.end());
}

TEST(PixelTurns, FlipsAndQuarterTurnsMoveEveryPixelWhereItBelongs) {
  // A 3 x 2 image with a different colour in every pixel.
  TBitmapPixels image(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      image.SetPixel(x, y, RGBToColor(static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 90), 7));
  const TBitmapPixels flipped = FlipVertically(image);
  const TBitmapPixels cw = RotateClockwise(image), ccw = RotateCounterClockwise(image), t = Transpose(image);
  ASSERT_EQ(cw.Width(), 2);
  ASSERT_EQ(cw.Height(), 3);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const TColor c = image.GetPixel(x, y);
      EXPECT_EQ(flipped.GetPixel(x, 1 - y), c);
      EXPECT_EQ(cw.GetPixel(1 - y, x), c);   // the left column becomes the top row
      EXPECT_EQ(ccw.GetPixel(y, 2 - x), c);  // the top row becomes the left column
      EXPECT_EQ(t.GetPixel(y, x), c);
    }
  EXPECT_TRUE(RotateClockwise(ccw).SamePixels(image));
  EXPECT_TRUE(Transpose(t).SamePixels(image));
}
