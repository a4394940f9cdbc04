// The skin model at other resolutions: images scaled frame by frame with crisp ends and exact
// key colours, pixel metrics scaled with them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/data/scaled_model.h"

namespace {

const TColor kKey = RGBToColor(255, 0, 255);

// A bitmap whose pixel (x, y) has red x, green y and blue `tag`: a scaled pixel tells where it
// came from. Every seventh pixel is the key colour.
TBitmapPixels Pattern(int width, int height, std::uint8_t tag, bool keyed = false) {
  TBitmapPixels b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.SetPixel(x, y,
                 keyed && (x + 3 * y) % 7 == 0
                     ? kKey
                     : RGBToColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), tag));
  return b;
}

// A model with an image in each kind of place: side borders with ends, stacked top frames, the
// caption with caps, a caption button strip, check boxes, an optional element with margins.
TSkinModel& SampleModel() {
  static TSkinModel m;
  if (!m.BorderLeft->Image.Empty()) return m;
  m.BorderLeft->Image = Pattern(4, 30, 1, true);
  m.BorderLeft->TopHeight = 9;
  m.BorderLeft->BottomHeight = 3;
  m.BorderLeft->Trans = 1;
  m.BorderTop->Image = Pattern(40, 2 * 13, 2, true);
  m.BorderTop->FrameCount = 2;
  m.BorderTop->LeftWidth = 5;
  m.BorderTop->RightWidth = 1;
  m.Title->Image = Pattern(21, 2 * 9, 3);
  m.Title->TXTBackleft = 4;
  m.Title->TXTBackRight = 3;
  m.Title->LeftWidth = 7;  // text offsets
  m.Title->TopHeight = 3;
  m.Title->FontHeight = 14;
  auto close = std::make_unique<TDataSkinSysButton>("BUTTON1");
  close->Image = Pattern(3 * 7, 7, 4, true);
  close->FrameCount = 3;
  close->Align = 1;
  close->XCoord = 25;
  close->YCoord = 5;
  m.SysButtons.push_back(std::move(close));
  m.Buttons->CheckImage = Pattern(4 * 13, 13, 5);
  m.Buttons->CheckFrameCount = 4;
  m.Scrollbar = std::make_unique<TDataSkinObject>("Scrollbar");
  m.Scrollbar->Image = Pattern(5 * 6, 7, 6, true);
  m.Scrollbar->FrameCount = 5;
  m.Scrollbar->LeftWidth = m.Scrollbar->RightWidth = m.Scrollbar->TopHeight = 1;
  m.Scrollbar->BottomHeight = 2;
  m.ButtonFaceColour = RGBToColor(1, 2, 3);
  return m;
}

TEST(ScaledModel, DoubleResolutionDoublesEveryPixelAndMetric) {
  const TSkinModel& m = SampleModel();
  const auto scaled = ScaleSkinModel(m, 192);
  auto expectDoubled = [](const TBitmapPixels& source, const TBitmapPixels& image) {
    ASSERT_EQ(image.Width(), 2 * source.Width());
    ASSERT_EQ(image.Height(), 2 * source.Height());
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) ASSERT_EQ(image.GetPixel(x, y), source.GetPixel(x / 2, y / 2));
  };
  expectDoubled(m.BorderLeft->Image, scaled->BorderLeft->Image);
  expectDoubled(m.BorderTop->Image, scaled->BorderTop->Image);
  expectDoubled(m.Title->Image, scaled->Title->Image);
  expectDoubled(m.SysButtons[0]->Image, scaled->SysButtons[0]->Image);
  expectDoubled(m.Buttons->CheckImage, scaled->Buttons->CheckImage);
  expectDoubled(m.Scrollbar->Image, scaled->Scrollbar->Image);
  EXPECT_EQ(scaled->BorderLeft->TopHeight, 18);
  EXPECT_EQ(scaled->BorderTop->LeftWidth, 10);
  EXPECT_EQ(scaled->Title->LeftWidth, 14);
  EXPECT_EQ(scaled->Title->TXTBackleft, 8);
  EXPECT_EQ(scaled->Title->FontHeight, 28);
  EXPECT_EQ(scaled->SysButtons[0]->XCoord, 50);
  EXPECT_EQ(scaled->SysButtons[0]->YCoord, 10);
  EXPECT_EQ(scaled->Scrollbar->BottomHeight, 4);
  EXPECT_EQ(scaled->ButtonFaceColour, m.ButtonFaceColour);
  EXPECT_EQ(scaled->BorderTop->FrameCount, 2);
}

// At 150 %: frames of an odd size stay whole and equal, each pixel comes from its own frame and
// near its place (nothing blended: the key colour is exact), and the ends stay the ends.
TEST(ScaledModel, OneAndAHalfKeepsFramesWholeKeysExactAndEndsCrisp) {
  const TSkinModel& m = SampleModel();
  const auto scaled = ScaleSkinModel(m, 144);

  struct Strip {
    const TBitmapPixels &source, &image;
    int count;
    bool stacked;
    int lead, trail;  // the ends across the frames' width (or, stacked, their height)
  };
  const TDataSkinSysButton& button = *m.SysButtons[0];
  for (const Strip& s : {Strip{button.Image, scaled->SysButtons[0]->Image, 3, false, 0, 0},
                         Strip{m.Scrollbar->Image, scaled->Scrollbar->Image, 5, false, 1, 1},
                         Strip{m.BorderTop->Image, scaled->BorderTop->Image, 2, true, 5, 1}}) {
    const int fw = s.stacked ? s.source.Width() : s.source.Width() / s.count;
    const int fh = s.stacked ? s.source.Height() / s.count : s.source.Height();
    const int sw = (fw * 3 + 1) / 2, sh = (fh * 3 + 1) / 2;  // 1.5 times, halves rounded up
    ASSERT_EQ(s.image.Width(), s.stacked ? sw : sw * s.count);
    ASSERT_EQ(s.image.Height(), s.stacked ? sh * s.count : sh);
    int keys = 0;
    for (int f = 0; f < s.count; ++f)
      for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x) {
          const int dx = s.stacked ? x : f * sw + x, dy = s.stacked ? f * sh + y : y;
          const int ox = s.stacked ? 0 : f * fw, oy = s.stacked ? f * fh : 0;  // the source frame
          const TColor c = s.image.GetPixel(dx, dy);
          // Where a pixel at (x, y) comes from: a neighbour of (x / 1.5, y / 1.5) in its frame.
          const int nx = x * 2 / 3, ny = y * 2 / 3;
          bool found = false;
          for (int sy = std::max(ny - 1, 0); sy <= std::min(ny + 1, fh - 1) && !found; ++sy)
            for (int sx = std::max(nx - 1, 0); sx <= std::min(nx + 1, fw - 1) && !found; ++sx)
              found = s.source.GetPixel(ox + sx, oy + sy) == c;
          ASSERT_TRUE(found) << "frame " << f << " at " << x << "," << y;
          if (c == kKey) {
            ++keys;
            continue;
          }
          // The ends: the first and last scaled columns come from the source's ends only.
          const int leadCols = (s.lead * 3 + 1) / 2, trailCols = (s.trail * 3 + 1) / 2;
          const int column = ColorRed(c) - ox;
          if (x < leadCols) EXPECT_LT(column, s.lead) << x;
          if (x >= sw - trailCols) EXPECT_GE(column, fw - s.trail) << x;
          if (x >= leadCols && x < sw - trailCols) EXPECT_TRUE(column >= s.lead && column < fw - s.trail) << x;
        }
    EXPECT_GT(keys, 0);
  }
  EXPECT_EQ(scaled->BorderLeft->TopHeight, 14);    // 13.5
  EXPECT_EQ(scaled->BorderLeft->BottomHeight, 5);  // 4.5
  EXPECT_EQ(scaled->Title->TXTBackRight, 5);
  EXPECT_EQ(scaled->Title->TopHeight, 5);
  EXPECT_EQ(scaled->SysButtons[0]->XCoord, 38);  // 37.5
  EXPECT_EQ(scaled->Scrollbar->LeftWidth, 2);
}

}  // namespace
