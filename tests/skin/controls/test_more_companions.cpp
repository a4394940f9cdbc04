// Combo boxes, progress bars, tabs and status bars in the skin, read back from the screen
// against the skin's images.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "companion_test_support.h"
#include "skin/controls/skin_edits.h"
#include "skin/controls/skin_ranges.h"
#include "skin/controls/skin_statusbar.h"
#include "skin/controls/skin_tabs.h"
#include "skin/controls/toolkit_extras.h"
#include "skin/paint/pixel_turns.h"
#include "toolkit/win/combobox.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/range_controls.h"
#include "toolkit/win/statusbar.h"

using namespace controltest;

namespace {
struct Azure : ::testing::Test {
  static void SetUpTestSuite() {
    skin = BuiltSkin("1.skn").release();
    skin->OnSkinControl = SkinToolkitExtras;
  }
  static void TearDownTestSuite() {
    delete skin;
    skin = nullptr;
  }
  static inline TSkinSet* skin = nullptr;
};
}  // namespace

using MoreCompanions = Azure;

TEST_F(MoreCompanions, AComboBoxReadRightToLeftHasItsMirroredButtonOnTheLeft) {
  SkinnedForm f(*skin);
  auto* combo = f.Add<TComboBox>(20, 20, 160, 24);
  combo->SetStyle(csDropDownList);
  combo->Items()->Add("bir");
  combo->DestroyHandle();
  combo->HandleNeeded();
  SetWindowLongPtrW(combo->Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(combo->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  f.Frame();
  auto* companion = dynamic_cast<TSkinComBox*>(f.CompanionOf(combo));
  ASSERT_NE(companion, nullptr);
  SetFocus(f.form.Handle());
  const TBitmapPixels shown = Repainted(combo->Handle());
  RECT w{};
  GetWindowRect(combo->Handle(), &w);
  const RECT area = companion->ButtonArea({0, 0, w.right - w.left, w.bottom - w.top});
  EXPECT_EQ(area.left, 0);
  const TDataSkinBorder& button = *skin->Model().ComboButton;
  const int n = button.FrameCount;
  TBitmapPixels mirrored =
      skintest::ReferenceFrame(button.Image2, area.right - area.left, area.bottom - area.top, n, 1);
  // Only the button's edge column: the arrow from ExtraImages lies over its middle.
  TBitmapPixels edge(1, mirrored.Height());
  edge.CopyRect(0, 0, mirrored, 0, 0, 1, mirrored.Height());
  EXPECT_TRUE(ShowsKeyed(shown, area.left, area.top, edge));
}

TEST_F(MoreCompanions, AProgressBarAtZeroShowsOnlyItsTrough) {
  SkinnedForm f(*skin);
  auto* bar = f.Add<TProgressBar>(20, 20, 200, 18);
  f.Frame();
  ASSERT_NE(dynamic_cast<TSkinProgress*>(f.CompanionOf(bar)), nullptr);
  const TDataSkinBorder& e = *skin->Model().Progress;
  // The trough (frame 1 of 2, or the one frame of a chunked bar) over the face, magenta
  // transparent, and the filled part (frame 2) over it from the left edge.
  auto expected = [&](int filled) {
    TBitmapPixels out(200, 18);
    out.Fill(ColorToRGB(skin->Model().ButtonFaceColour));
    KeyedCopy(out, 0, 0, skintest::ReferenceElement(e, 200, 18, false, e.Tile == 1, e.Style == 1 ? 1 : 2, 1));
    if (filled) KeyedCopy(out, 0, 0, skintest::ReferenceElement(e, filled, 18, false, e.Tile == 1, 2, 2));
    return out;
  };
  EXPECT_TRUE(Repainted(bar->Handle()).SamePixels(expected(0)));
  bar->SetPosition(50);
  if (e.Style != 1) EXPECT_TRUE(Repainted(bar->Handle()).SamePixels(expected(100)));
}

TEST_F(MoreCompanions, BottomTabsShowTheTabImageUpsideDown) {
  SkinnedForm f(*skin);
  auto* pages = f.Add<TPageControl>(10, 10, 300, 200);
  for (const char* caption : {"Bir", "İki"}) {
    auto* sheet = new TTabSheet(&f.form);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
  }
  SetWindowLongPtrW(pages->Handle(), GWL_STYLE, GetWindowLongPtrW(pages->Handle(), GWL_STYLE) | TCS_BOTTOM);
  SetWindowPos(pages->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  f.Frame();
  auto* tabs = dynamic_cast<TSkinTab*>(f.CompanionOf(pages));
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->Orientation(), TabOrientation::Bottom);
  TBitmapPixels flipped = skin->Model().Tabs->Image;
  flipped.SetPixelFormat(pf24bit);
  EXPECT_TRUE(tabs->TabImage().SamePixels(FlipVertically(flipped)));
  const TBitmapPixels shown = Repainted(pages->Handle());
  RECT item{};
  SendMessageW(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  const TDataSkinObject& e = *skin->Model().Tabs;
  TBitmapPixels expected(item.right - item.left, item.bottom - item.top);
  expected.Fill(ColorToRGB(skin->Model().ButtonFaceColour));
  KeyedCopy(expected, 0, 0,
            skintest::ReferenceSlices(tabs->TabImage(), expected.Width(), expected.Height(), e.LeftWidth, e.TopHeight,
                                      e.RightWidth, e.BottomHeight, false, e.Tile == 1, e.FrameCount, 1));
  // The bottom row of the unselected tab (its caption lies in the middle).
  TBitmapPixels row(expected.Width() - 2, 1);
  row.CopyRect(0, 0, expected, 1, expected.Height() - 1, row.Width(), 1);
  EXPECT_TRUE(ShowsKeyed(shown, item.left + 1, item.bottom - 1, row));
}

TEST_F(MoreCompanions, StatusBarPanelsGetTheirFramesEvenWithoutText) {
  SkinnedForm f(*skin);
  auto* bar = f.Add<TStatusBar>(0, 0, 300, 22);
  bar->Panels().push_back({"", 120, pbLowered, taLeftJustify, false});
  bar->Panels().push_back({"Hazır", 100, pbRaised, taCenter, false});
  bar->PanelsChanged();
  f.Frame();
  auto* companion = dynamic_cast<TSkinStatusBar*>(f.CompanionOf(bar));
  ASSERT_NE(companion, nullptr);
  RECT w{};
  GetWindowRect(bar->Handle(), &w);
  const RECT whole{0, 0, w.right - w.left, w.bottom - w.top};
  const auto panels = companion->Panels(whole);
  ASSERT_EQ(panels.size(), 2u);
  const TBitmapPixels shown = Repainted(bar->Handle());
  const TDataSkinObject& edges = *skin->Model().StatusBarEdges;
  const RECT p = panels[0].Rect;
  const TBitmapPixels expected =
      ExpectedElement(edges, p.right - p.left, p.bottom - p.top, 3, 1, skin->Model().ButtonFaceColour);
  for (int x = 0; x < expected.Width(); x += 7)
    ASSERT_EQ(shown.GetPixel(p.left + x, p.top), expected.GetPixel(x, 0)) << x;
  EXPECT_EQ(panels[1].Frame, 2);
  bar->SetSimplePanel(true);
  const auto simple = companion->Panels(whole);
  ASSERT_EQ(simple.size(), 1u);
  EXPECT_EQ(simple[0].Rect.right, whole.right);
  EXPECT_EQ(simple[0].Frame, 1);
}
