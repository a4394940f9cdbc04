// The GDI side of the painting primitives: key-coloured pixels keep what was under them,
// through a shifted window origin and inside the clip the caller had set, which stays as it was;
// the window region of a keyed image leaves the key out.
#include <gtest/gtest.h>

#include "skin/frames/gdi_paint.h"
#include "skin/paint/pixel_copy.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/graphics.h"

namespace {

std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(v); }

// A 7 x 5 image whose pixels alternate between colours and the key in an uneven pattern, so
// every row has key runs of its own.
TBitmapPixels KeyedImage() {
  TBitmapPixels image(7, 5);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      image.SetPixel(x, y, (x * 3 + y) % 4 == 0 ? kSkinKeyColor : RGBToColor(Byte(20 * x + 10), Byte(40 * y + 5), 90));
  return image;
}

void FillBackground(TBitmap& target) {
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x) target.Pixels().SetPixel(x, y, RGBToColor(Byte(x * 10), Byte(200 - y * 10), 30));
}

}  // namespace

TEST(KeyedCopy, KeyPixelsKeepTheBackgroundThroughAnOriginShiftAndTheCallersClip) {
  const TBitmapPixels image = KeyedImage();
  for (bool shifted : {false, true}) {
    SCOPED_TRACE(shifted ? "window origin shifted, clip set" : "plain");
    TBitmap target(24, 16);
    FillBackground(target);
    const TBitmapPixels before = target.Pixels();
    HDC dc = target.Canvas().Handle();
    // Logical (4, 3) lies at device (6, 4) when the origin is shifted; the clip then leaves out
    // the image's last device column.
    const POINT device = shifted ? POINT{6, 4} : POINT{4, 3};
    if (shifted) {
      SetWindowOrgEx(dc, -2, -1, nullptr);
      IntersectClipRect(dc, -2, -1, device.x + image.Width() - 1 - 2, 16);
    }
    HRGN clipBefore = CreateRectRgn(0, 0, 0, 0);
    const int hadClip = GetClipRgn(dc, clipBefore);

    TransparentBlit(dc, 4, 3, image);
    GdiFlush();

    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 24; ++x) {
        const int ix = x - device.x, iy = y - device.y;
        const bool inImage = ix >= 0 && iy >= 0 && ix < image.Width() && iy < image.Height();
        const bool clipped = shifted && ix == image.Width() - 1;
        const TColor expected = inImage && !clipped && image.GetPixel(ix, iy) != kSkinKeyColor ? image.GetPixel(ix, iy)
                                                                                               : before.GetPixel(x, y);
        ASSERT_EQ(target.Pixels().GetPixel(x, y), expected) << x << "," << y;
      }
    HRGN clipAfter = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, clipAfter), hadClip);
    if (hadClip == 1) EXPECT_TRUE(EqualRgn(clipBefore, clipAfter));
    DeleteObject(clipBefore);
    DeleteObject(clipAfter);
  }
}

// The window region of a keyed skin image, as the frame makes it: the key and a green one step
// above it are left out, anything further from the key stays in; moved by the offsets.
TEST(WindowRegion, LeavesOutTheKeyAndColorsWithinOneStepAboveIt) {
  const TColor colors[] = {kSkinKeyColor, RGBToColor(255, 1, 255), RGBToColor(255, 2, 255), RGBToColor(254, 0, 255),
                           RGBToColor(255, 0, 254)};
  const bool shown[] = {false, false, true, true, true};
  TBitmapPixels image(5, 1);
  for (int x = 0; x < 5; ++x) image.SetPixel(x, 0, colors[x]);
  HRGN region = RegionFromBitmap(image, 10, 20);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(PtInRegion(region, 10 + x, 20) != FALSE, shown[x]) << x;
  DeleteObject(region);
}
