// The skinned frame on a screen of any resolution: edges, corners, region and caption buttons
// drawn from the skin's images at the screen's scale. CTest runs this suite again on displays of
// 144 and 192 pixels per inch; at 96 every expectation is the skin's own number.
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "skin/data/skin_model.h"

using namespace frametest;

namespace {

// Nearest neighbour: the source pixel under the centre of destination pixel i, when `from`
// pixels are drawn as `to`.
int Nearest(int i, int from, int to) { return (2 * i + 1) * from / (2 * to); }

const TSkinTitleButton* CloseButton(const TSkinFormFrame& frame) {
  for (auto& b : frame.CaptionButtons())
    if (b->Visible && b->SkinButton->Action == 0) return b.get();
  return nullptr;
}

class ScaledFrame : public ::testing::Test {
protected:
  const int dpi = ScreenPixelsPerInch();
  int Scaled(int skinPixels) const { return MulDiv(skinPixels, dpi, 96); }
};

}  // namespace

TEST_F(ScaledFrame, EdgesCornersRegionAndCloseButtonAreTheSkinsAtTheScreensScale) {
  auto skin = BuiltSkin("1.skn");  // rounded corners keyed in magenta, a centred title
  const TSkinModel& source = skin->Model();
  FramedForm f(*skin);
  TSkinFormFrame& frame = *f.frame;
  ASSERT_EQ(frame.FrameState(), TFrameState::Running);
  const TDataSkinBorder& left = *source.BorderLeft;
  const int leftWidth = left.Image.Width() / left.FrameCount;
  EXPECT_EQ(frame.Edges().Top, Scaled(source.BorderTop->Image.Height() / source.BorderTop->FrameCount));
  EXPECT_EQ(frame.Edges().Left, Scaled(leftWidth));
  EXPECT_EQ(frame.Edges().Bottom, Scaled(source.BorderBottom->Image.Height() / source.BorderBottom->FrameCount));

  // The top-left corner block is the left border's fixed top end, each pixel the skin's pixel
  // under its centre (whole pixels: nothing blended, the key colour exact).
  const TBitmapPixels painted = PaintedFrame(frame);
  const int w = painted.Width();
  const int end = Scaled(left.TopHeight);
  ASSERT_GE(end, frame.Edges().Top);
  for (int y = 0; y < frame.Edges().Top; ++y)
    for (int x = 0; x < frame.Edges().Left; ++x)
      ASSERT_EQ(painted.GetPixel(x, y),
                left.Image.GetPixel(Nearest(x, leftWidth, frame.Edges().Left), Nearest(y, left.TopHeight, end)))
          << x << "," << y;

  // The region leaves out the keyed corner pixels of the scaled border.
  ASSERT_EQ(left.Image.GetPixel(0, 0), kSkinKeyColor);
  EXPECT_GT(ExpectRegionFollowsLeftBorder(f.form.Handle(), skin->ModelFor(dpi), frame.Edges().Left), 0);

  // The close button: its image's size and its place from the right edge at the scale; a click
  // where only the scaled button is closes the window.
  const TSkinTitleButton* close = CloseButton(frame);
  ASSERT_NE(close, nullptr);
  const TDataSkinSysButton* look = nullptr;
  for (auto& b : source.SysButtons)
    if (b->Action == 0) look = b.get();
  ASSERT_NE(look, nullptr);
  EXPECT_EQ(close->Bounds.left, w - Scaled(look->XCoord));
  EXPECT_EQ(close->Bounds.top, Scaled(look->YCoord));
  EXPECT_EQ(close->Bounds.right - close->Bounds.left, Scaled(look->Image.Width() / look->FrameCount));
  EXPECT_EQ(close->Bounds.bottom - close->Bounds.top, Scaled(look->Image.Height()));
  const int bw = look->Image.Width() / look->FrameCount;
  const POINT centre{(close->Bounds.left + close->Bounds.right) / 2, (close->Bounds.top + close->Bounds.bottom) / 2};
  EXPECT_EQ(painted.GetPixel(centre.x, centre.y),
            look->Image.GetPixel(
                Nearest(centre.x - close->Bounds.left, bw, close->Bounds.right - close->Bounds.left),
                Nearest(centre.y - close->Bounds.top, look->Image.Height(), close->Bounds.bottom - close->Bounds.top)));
  bool closed = false;
  f.form.OnClose = [&](TObject*, TCloseAction&) { closed = true; };
  const RECT wr = WindowRectOf(f.form.Handle());
  const LPARAM at = MAKELPARAM(wr.left + close->Bounds.right - 2, wr.top + close->Bounds.bottom - 2);
  ASSERT_EQ(SendMessageW(f.form.Handle(), WM_NCHITTEST, 0, at), HTCAPTION);
  SendMessageW(f.form.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
  EXPECT_EQ(close->State, 2);
  SendMessageW(f.form.Handle(), WM_NCLBUTTONUP, HTCAPTION, at);
  EXPECT_TRUE(PumpUntil([&] { return closed; }));
}

// A window moved to a monitor of another resolution takes the skin at that resolution.
TEST_F(ScaledFrame, ANewResolutionRescalesTheFrame) {
  auto skin = BuiltSkin("stored.skn");
  const TSkinModel& source = skin->Model();
  FramedForm f(*skin);
  HWND wnd = f.form.Handle();
  const RECT original = WindowRectOf(wnd);
  const int top = source.BorderTop->Image.Height() / source.BorderTop->FrameCount;
  const RECT bigger{20, 20, 20 + 640, 20 + 480};  // any rectangle the system suggests, on the screen
  SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&bigger));
  PumpFor(50);
  EXPECT_EQ(f.frame->Edges().Top, MulDiv(top, 2 * dpi, 96));
  const RECT now = WindowRectOf(wnd);
  EXPECT_TRUE(EqualRect(&now, &bigger));
  // Painted at the new size: the middle of the caption bar shows the top border's middle row.
  const TBitmapPixels painted = PaintedFrame(*f.frame);
  const TSkinFormFrame::TEdges e = f.frame->Edges();
  const int w = painted.Width() - e.Left - e.Right;
  const TBitmapPixels expected = ExpectedBorder(*skin->ModelFor(2 * dpi).BorderTop, true, w, e.Top);
  for (int x : {w / 2, w / 2 + 7})
    EXPECT_EQ(painted.GetPixel(e.Left + x, e.Top / 2), expected.GetPixel(x, e.Top / 2)) << x;
  RECT client{};
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.bottom, (now.bottom - now.top) - f.frame->Edges().Top - f.frame->Edges().Bottom);
  SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&original));
  PumpFor(50);
  EXPECT_EQ(f.frame->Edges().Top, MulDiv(top, dpi, 96));
}
