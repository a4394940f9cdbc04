// Scroll bars in the skin: the thumb's geometry, a thumb dragged by the companion itself to the
// end of a paged list, the corner square of a window with both bars, and short bars.
#include <gtest/gtest.h>

#include "companion_test_support.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/paint/frame_strip.h"
#include "toolkit/win/checklst.h"
#include "toolkit/win/stdctrls.h"

using namespace controltest;

TEST(ScrollGeometry, ThumbLengthAndOffsetFollowRangePageAndPosition) {
  const int s = 16;
  // Track 200: a page of a quarter of the range gives a 50-pixel thumb.
  TScrollBarGeometry g = ScrollThumbGeometry(232, s, 0, 400, 100, 150);
  EXPECT_EQ(g.TrackLength, 200);
  EXPECT_EQ(g.ThumbLength, 50);
  EXPECT_EQ(g.ThumbOffset, 150 * 150 / 300);
  // A page as large as the range: the whole track less a pixel, at the start.
  g = ScrollThumbGeometry(232, s, 0, 50, 50, 0);
  EXPECT_EQ(g.ThumbLength, 199);
  EXPECT_EQ(g.ThumbOffset, 0);
  // A tiny page still gives the shortest thumb; the end position puts it at the end.
  g = ScrollThumbGeometry(232, s, 0, 10000, 1, 9999);
  EXPECT_EQ(g.ThumbLength, 8);
  EXPECT_EQ(g.ThumbOffset, 192);
  // No range, no thumb; a bar shorter than two arrows has no track.
  EXPECT_EQ(ScrollThumbGeometry(232, s, 5, 5, 0, 5).ThumbLength, 0);
  g = ScrollThumbGeometry(20, s, 0, 100, 10, 0);
  EXPECT_EQ(g.ThumbLength, 0);
  EXPECT_EQ(ScrollHitTest(ScrollThumbGeometry(232, s, 0, 400, 100, 0), 20), SB_THUMBTRACK);
  EXPECT_EQ(ScrollHitTest(ScrollThumbGeometry(232, s, 0, 400, 100, 0), 100), SB_PAGEDOWN);
  EXPECT_EQ(ScrollHitTest(ScrollThumbGeometry(232, s, 0, 400, 100, 0), 220), SB_LINEDOWN);
}

TEST(ScrollBars, AThumbDraggedToTheEndOfAPagedListStopsAtMaxLessPagePlusOne) {
  auto skin = BuiltSkin("stored.skn");
  SkinnedForm f(*skin);
  auto* list = f.Add<TListBox>(20, 20, 160, 120);
  for (int i = 0; i < 60; ++i) list->Items()->Add("Satır " + std::to_string(i));
  f.Frame();
  auto* bars = dynamic_cast<TSkinScrollbar*>(f.CompanionOf(list));
  ASSERT_NE(bars, nullptr);
  ASSERT_TRUE(bars->DragsThumb());
  HWND wnd = list->Handle();
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(wnd, SB_VERT, &si);
  ASSERT_GT(static_cast<int>(si.nPage), 1);
  Repainted(wnd);
  // Press on the thumb, move beyond below the bar, release; the drag reads the queued moves.
  RECT r{};
  GetWindowRect(wnd, &r);
  const TSkinScrollbar::TBar& bar = bars->VertBar();
  const POINT thumb{r.left + bar.Rect.left + 4,
                    r.top + bar.Rect.top + bar.Geometry.ArrowLength + bar.Geometry.ThumbOffset + 2};
  POINT beyond{thumb.x, thumb.y + 2000};
  ScreenToClient(wnd, &beyond);
  PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(beyond.x, beyond.y));
  PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(beyond.x, beyond.y));
  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
  EXPECT_FALSE(bars->DraggingThumb());
  EXPECT_EQ(GetScrollPos(wnd, SB_VERT), si.nMax - static_cast<int>(si.nPage) + 1);
  EXPECT_EQ(SendMessageW(wnd, LB_GETTOPINDEX, 0, 0), si.nMax - static_cast<int>(si.nPage) + 1);
}

TEST(ScrollBars, AWindowWithBothBarsShowsTheCornerSquareAndSkinnedBars) {
  auto skin = BuiltSkin("3.skn");
  SkinnedForm f(*skin);
  auto* memo = f.Add<TMemo>(20, 20, 220, 140);
  memo->SetWordWrap(false);
  memo->SetScrollBars(ssBoth);
  for (int i = 0; i < 40; ++i) memo->Lines()->Add(std::string(120, 'x'));
  f.Frame();
  auto* bars = dynamic_cast<TSkinScrollbar*>(f.CompanionOf(memo));
  ASSERT_NE(bars, nullptr);
  const TBitmapPixels shown = Repainted(memo->Handle());
  const RECT c = bars->CornerRect();
  ASSERT_GT(c.right, c.left);
  const TColor face = ColorToRGB(skin->Model().ButtonFaceColour);
  for (int y = c.top; y < c.bottom; ++y)
    for (int x = c.left; x < c.right; ++x) ASSERT_EQ(shown.GetPixel(x, y), face) << x << "," << y;
  // The down arrow: frame 13 of the 23-frame Scrollbar image, stretched to the arrow square
  // (16 across, the system's arrow length along).
  const RECT v = bars->VertBar().Rect;
  const int s = bars->VertBar().Geometry.ArrowLength;
  const TBitmapPixels arrow = skintest::ReferenceFrame(skin->Model().Scrollbar->Image, v.right - v.left, s, 23, 13);
  TBitmapPixels under(arrow.Width(), arrow.Height());
  under.Fill(ColorToRGB(skin->Model().ScrollbarColour));
  KeyedCopy(under, 0, 0, arrow);
  EXPECT_TRUE(ShowsKeyed(shown, v.left, v.bottom - s, under));
}
