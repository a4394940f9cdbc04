// The skin loader: every element, its defaults, frame counts, system buttons and colours.
#include <gtest/gtest.h>

#include "skin_test_support.h"

namespace {

using skintest::Bmp;
using skintest::TLoadedModel;

TEST(SkinModel, EmptyIniGivesTheFixedElementsWithDefaults) {
  TLoadedModel m("", {});
  const TSkinModel& s = m.model;
  ASSERT_TRUE(s.BorderLeft && s.BorderRight && s.BorderTop && s.BorderBottom && s.Title && s.Buttons);
  EXPECT_EQ(s.BorderTop->Name, "Top");
  EXPECT_EQ(s.BorderLeft->FrameCount, 1);
  EXPECT_EQ(s.BorderLeft->Tile, 1);
  EXPECT_EQ(s.BorderLeft->Trans, 1);
  EXPECT_TRUE(s.BorderLeft->Image.Empty());
  EXPECT_EQ(s.Buttons->FrameCount, 5);
  EXPECT_EQ(s.Buttons->CheckFrameCount, 4);  // no strip: at least 4
  EXPECT_EQ(s.Title->FrameCount, 2);
  EXPECT_EQ(s.Title->FontHeight, 14);
  EXPECT_EQ(s.Title->ActiveTextColour, clNone);
  EXPECT_FALSE(s.Tabs || s.Progress || s.MenuBar || s.Scrollbar || s.GroupBox || s.UpDownVert || s.TrackbarThumbDown);
  EXPECT_EQ(s.ButtonFaceColour, clBtnFace);
  EXPECT_EQ(s.MenubarColour, clBtnFace);
  EXPECT_EQ(s.ButtonLightColour, clBtnHighlight);
  EXPECT_EQ(s.FaceBrush, clBtnFace);
  ASSERT_EQ(s.SysButtons.size(), 3u);  // the three MDI buttons are always there
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(s.SysButtons[k]->Action, 7 + k);
    EXPECT_EQ(s.SysButtons[k]->Align, 100);
    EXPECT_EQ(s.SysButtons[k]->Visibility1, 100);
    EXPECT_EQ(s.SysButtons[k]->FrameCount, 4);
    EXPECT_TRUE(s.SysButtons[k]->Image.Empty());
  }
}

TEST(SkinModel, BordersTakeTheirEndsAlongTheBorder) {
  TLoadedModel m(
      "[Personality]\nLeft=left.bmp\nLeftTopHeight=20\nLeftBotHeight=8\nLeftFrame=2\nLeftStretch=0\nLeftTrans=0\n"
      "Top=skins\\folder/Top.bmp\nTopTopHeight=30\nTopBotHeight=40\nTopFrame=2\n",
      {{"left.bmp", Bmp(8, 40, 1)}, {"top.bmp", Bmp(100, 56, 2)}});
  const TDataSkinBorder& left = *m.model.BorderLeft;
  EXPECT_EQ(left.TopHeight, 20);
  EXPECT_EQ(left.BottomHeight, 8);
  EXPECT_EQ(left.LeftWidth, 0);
  EXPECT_EQ(left.FrameCount, 2);
  EXPECT_EQ(left.Tile, 0);
  EXPECT_EQ(left.Trans, 0);
  EXPECT_EQ(left.Image.Width(), 8);
  const TDataSkinBorder& top = *m.model.BorderTop;
  EXPECT_EQ(top.LeftWidth, 30);
  EXPECT_EQ(top.RightWidth, 40);
  EXPECT_EQ(top.TopHeight, 0);
  EXPECT_EQ(top.Image.Height(), 56);  // only the file name of a path is looked up
  EXPECT_EQ(ColorBlue(top.Image.GetPixel(0, 0)), 2);
}

TEST(SkinModel, ImageReferencesNeedALowerCaseBmpExtensionAndAnEntry) {
  TLoadedModel m("[Personality]\nLeft=left.BMP\nRight=missing.bmp\nTop=top.png\nBottom=bottom.bmp\n",
                 {{"left.bmp", Bmp(4, 4)}, {"top.png", Bmp(4, 4)}, {"bottom.bmp", Bmp(5, 6)}});
  EXPECT_TRUE(m.model.BorderLeft->Image.Empty());
  EXPECT_TRUE(m.model.BorderRight->Image.Empty());
  EXPECT_TRUE(m.model.BorderTop->Image.Empty());
  EXPECT_EQ(m.model.BorderBottom->Image.Width(), 5);
}

TEST(SkinModel, AnEntryThatIsNoBitmapFailsTheLoad) {
  EXPECT_THROW(TLoadedModel("[Buttons]\nBitmap=b.bmp\n", {{"b.bmp", skintest::Bytes("not a bitmap")}}), EInvalidImage);
}

TEST(SkinModel, ColorsAndColorTable) {
  TLoadedModel m(
      "[Colours]\nButtonFace=10 20 30\nMenuText=1 1 1\nActiveBorder=9 9 9\n[Colour0]\ncolor=255 0 "
      "0\n[Colours]\nButtonFace=0\n"
      "[ColourX]\nnothing=1\n[Colour1]\ncolor=0 0 255\n[Colour0]\ncolor=1 2 3\n");
  const TSkinModel& s = m.model;
  EXPECT_EQ(s.ButtonFaceColour, RGBToColor(10, 20, 30));
  EXPECT_EQ(s.MenubarColour, RGBToColor(10, 20, 30));  // defaults to ButtonFace as read
  EXPECT_EQ(s.MenuTextColour, RGBToColor(1, 1, 1));
  EXPECT_EQ(s.WindowTextColour, clWindowText);
  EXPECT_EQ(s.FaceBrush, RGBToColor(10, 20, 30));
  EXPECT_EQ(s.ColourTable, (std::vector<TColor>{RGBToColor(255, 0, 0), clWindowText, RGBToColor(0, 0, 255)}));
}

TEST(SkinModel, ButtonsWithTheirStripsAndTextColors) {
  TLoadedModel m(
      "[Colours]\nButtonText=5 5 "
      "5\n[Buttons]\nBitmap=b.bmp\nCheckButton=c.bmp\nRadioButton=r.bmp\nLeftWidth=3\nTile=1\n"
      "NormalColour2=1 2 3\nMouseOverColour2=\nNormalColour=$FF\n",
      {{"b.bmp", Bmp(50, 20)}, {"c.bmp", Bmp(156, 13)}, {"r.bmp", Bmp(128, 16)}});
  const TDataSkinButton& b = *m.model.Buttons;
  EXPECT_EQ(b.LeftWidth, 3);
  EXPECT_EQ(b.Tile, 1);
  EXPECT_EQ(b.NormalColour, 255);
  EXPECT_EQ(b.MouseOverColour, -1);
  EXPECT_TRUE(b.HasNormalColour2);
  EXPECT_FALSE(b.HasMouseOverColour2);
  EXPECT_FALSE(b.HasPressedColour2);
  EXPECT_EQ(b.NormalColour2, RGBToColor(1, 2, 3));
  EXPECT_EQ(b.MouseOverColour2, RGBToColor(5, 5, 5));
  EXPECT_EQ(b.CheckFrameCount, 12);  // 156 / 13: lower than 16 pixels
  EXPECT_EQ(b.RadioFrameCount, 8);   // 128 / 16
}

TEST(SkinModel, TitleTextOffsetsAndColorsNeedAllThreeComponents) {
  TLoadedModel m(
      "[Personality]\nTextShift=12\nTextShiftVert=3\nTextRightClip=60\nTextAlignment=1\nTXTBackleft=4\n"
      "ActiveTextR=255\nActiveTextG=300\nActiveTextB=0\nInactiveTextR=10\nInActiveTextG=10\n[Fonts]\nFontHeight=16\n");
  const TDataSkinTitle& t = *m.model.Title;
  EXPECT_EQ(t.LeftWidth, 12);
  EXPECT_EQ(t.TopHeight, 3);
  EXPECT_EQ(t.RightWidth, 60);
  EXPECT_EQ(t.TextAlignment, 1);
  EXPECT_EQ(t.TXTBackleft, 4);
  EXPECT_EQ(t.FontHeight, 16);
  EXPECT_EQ(t.ActiveTextColour, RGBToColor(255, 44, 0));
  EXPECT_EQ(t.InActiveTextColour, clNone);  // blue missing
}

TEST(SkinModel, MenuBarAndProgress) {
  TLoadedModel m(
      "[Personality]\nmenuBar=m.bmp\nTileMenu=0\nTileLeftMenu=6\n[Progress]\nBitmap=p.bmp\nChunk=c.bmp\nTile=3\n",
      {{"m.bmp", Bmp(40, 40)}, {"p.bmp", Bmp(20, 10)}, {"c.bmp", Bmp(6, 8)}});
  ASSERT_TRUE(m.model.MenuBar);
  EXPECT_EQ(m.model.MenuBar->LeftWidth, 6);
  EXPECT_EQ(m.model.MenuBar->RightWidth, 1);
  EXPECT_EQ(m.model.MenuBar->Tile, 0);
  EXPECT_EQ(m.model.MenuBar->FrameCount, 2);
  ASSERT_TRUE(m.model.Progress);
  EXPECT_EQ(m.model.Progress->Image2.Width(), 6);
  EXPECT_EQ(m.model.Progress->Tile, 3);  // kept as read
  EXPECT_EQ(m.model.Progress->FrameCount, 2);
}

TEST(SkinModel, PlainAndTwoImageElements) {
  TLoadedModel m(
      "[Tabs]\nImage=t.bmp\nBorder=tb.bmp\nTile=2\n[ComboButton]\nImage=cb.bmp\nStyle=1\n[GroupBox]\nImage=g.bmp\n"
      "BackgroundLeftShift=-5\nBackgroundAlignment=2\n[UpDown.Vert]\nImage=u.bmp\nGlyphImage=ug.bmp\n"
      "[HorzScrollThumb]\nImage=h.bmp\nFrameCount=4\n[VertScrollThumb]\nImage=v.bmp\n[Scrollbar]\nImage=s.bmp\n"
      "[Trackbar.ThumbUp]\nImage=tu.bmp\n[SunkEdge]\nImage=\n",
      {{"t.bmp", Bmp(50, 20)},
       {"tb.bmp", Bmp(9, 9)},
       {"cb.bmp", Bmp(64, 16)},
       {"g.bmp", Bmp(8, 8)},
       {"u.bmp", Bmp(64, 8)},
       {"ug.bmp", Bmp(32, 4)},
       {"h.bmp", Bmp(48, 16)},
       {"v.bmp", Bmp(48, 16)},
       {"s.bmp", Bmp(368, 16)},
       {"tu.bmp", Bmp(55, 11)}});
  const TSkinModel& s = m.model;
  ASSERT_TRUE(s.Tabs && s.ComboButton && s.GroupBox && s.UpDownVert && s.HorzScrollThumb && s.VertScrollThumb &&
              s.Scrollbar && s.TrackbarThumbUp);
  EXPECT_FALSE(s.SunkEdge);  // an empty Image creates nothing
  EXPECT_EQ(s.Tabs->Image2.Width(), 9);
  EXPECT_EQ(s.Tabs->Tile, 0);  // above 1 becomes 0
  EXPECT_EQ(s.Tabs->FrameCount, 5);
  EXPECT_EQ(s.ComboButton->Style, 1);
  EXPECT_EQ(s.ComboButton->FrameCount, 4);
  // The mirrored copy: pixel x of the mirror is pixel 63 - x of the image.
  EXPECT_EQ(s.ComboButton->Image2.GetPixel(0, 5), s.ComboButton->Image.GetPixel(63, 5));
  EXPECT_EQ(s.ComboButton->Image2.GetPixel(63, 5), s.ComboButton->Image.GetPixel(0, 5));
  EXPECT_EQ(s.GroupBox->BackgroundLeftShift, -5);
  EXPECT_EQ(s.GroupBox->BackgroundAlignment, 2);
  EXPECT_EQ(s.GroupBox->FrameCount, 1);
  EXPECT_EQ(s.UpDownVert->Image2.Width(), 32);
  EXPECT_EQ(s.UpDownVert->FrameCount, 8);
  EXPECT_EQ(s.HorzScrollThumb->FrameCount, 4);
  EXPECT_EQ(s.VertScrollThumb->FrameCount, 3);
  EXPECT_EQ(s.Scrollbar->FrameCount, 23);
  EXPECT_EQ(s.TrackbarThumbUp->FrameCount, 5);
  EXPECT_EQ(s.Tabs->NormalColour, -1);
  EXPECT_EQ(s.Tabs->NormalColour2, clBtnText);
}

TEST(SkinModel, SystemButtons) {
  TLoadedModel m(
      "[Button]\nAction=0\n[Buttons]\nBitmap=x.bmp\n[Button.Radio]\n[BUTTON.CHECKBOX]\n"
      "[ButtonClose]\nAction=0\nAlign=1\nXCoord=30\nYCoord=4\nButtonImage=close.bmp\n"
      "[ButtonWide]\nAction=1\nButtonImage=wide.bmp\n"
      "[Button5]\nAction=3\nButtonImage=\n"
      "[ButtonHidden]\nAction=-1\n"
      "[ButtonShown]\nAction=-1\nVisibility=0\nButtonImage=close.bmp\n"
      "[ButtonFramed]\nAction=11\nframe=2\nButtonImage=close.bmp\n"
      "[buttonclose]\nAction=5\n",
      {{"close.bmp", Bmp(54, 18)}, {"wide.bmp", Bmp(120, 18)}});
  const auto& b = m.model.SysButtons;
  ASSERT_EQ(b.size(), 5u + 3u);
  EXPECT_EQ(b[0]->Name, "BUTTONCLOSE");
  EXPECT_EQ(b[0]->Align, 1);
  EXPECT_EQ(b[0]->XCoord, 30);
  EXPECT_EQ(b[0]->YCoord, 4);
  EXPECT_EQ(b[0]->CombineOp, -1);
  EXPECT_EQ(b[0]->FrameCount, 3);  // 54 / 18 = 3 <= 3.8
  EXPECT_EQ(b[1]->FrameCount, 6);  // 120 / 18 > 3.8
  EXPECT_EQ(b[2]->Name, "BUTTON5");
  EXPECT_TRUE(b[2]->Image.Empty());
  EXPECT_EQ(b[2]->FrameCount, 6);
  EXPECT_EQ(b[3]->Name, "BUTTONSHOWN");
  EXPECT_EQ(b[3]->FrameCount, 6);  // negative action
  EXPECT_EQ(b[3]->Visibility1, -1);
  EXPECT_EQ(b[4]->FrameCount, 2);
  EXPECT_FALSE(b[4]->Image.Empty());  // a frame count of its own keeps the image
  EXPECT_EQ(b[5]->Action, 7);
}

TEST(SkinModel, MdiButtonsCutFromTwelveFrames) {
  TLoadedModel m("[MDICONTROLS]\nImage=mdi.bmp\n", {{"mdi.bmp", Bmp(12 * 10, 9)}});
  const auto& b = m.model.SysButtons;
  ASSERT_EQ(b.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(b[k]->Image.Width(), 40);
    EXPECT_EQ(b[k]->Image.Height(), 9);
    EXPECT_EQ(ColorRed(b[k]->Image.GetPixel(0, 0)), 40 * k);  // frames 4k to 4k + 3
    EXPECT_EQ(b[k]->XCoord, 14 * (3 - k));
  }
}

TEST(SkinModel, BadFrameCountsAreSafe) {
  TLoadedModel m(
      "[Personality]\nLeftFrame=0\nTopFrame=-3\n[HorzScrollThumb]\nImage=h.bmp\nFrameCount=0\n"
      "[ButtonX]\nframe=-2\n",
      {{"h.bmp", Bmp(4, 4)}});
  EXPECT_EQ(m.model.BorderLeft->FrameCount, 1);
  EXPECT_EQ(m.model.BorderTop->FrameCount, 1);
  EXPECT_EQ(m.model.HorzScrollThumb->FrameCount, 1);
  EXPECT_EQ(m.model.SysButtons[0]->FrameCount, 6);
}

TEST(SkinModel, TakeModelKeepsTheFixedObjects) {
  TLoadedModel first("[Buttons]\nLeftWidth=1\n", {});
  TLoadedModel second("[Buttons]\nLeftWidth=7\n[Tabs]\nImage=t.bmp\n[TitlebarSkin]\nSkinName=Second\n",
                      {{"t.bmp", Bmp(5, 5)}});
  TDataSkinButton* buttons = first.model.Buttons.get();
  first.model.TakeModel(std::move(second.model));
  EXPECT_EQ(first.model.Buttons.get(), buttons);
  EXPECT_EQ(buttons->LeftWidth, 7);
  EXPECT_EQ(first.model.SkinName, "Second");
  EXPECT_TRUE(first.model.Tabs);
  EXPECT_TRUE(second.model.Buttons);  // the other model stays usable
}

}  // namespace
