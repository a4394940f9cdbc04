#pragma once
// Whether two skin models hold the same skin: the values a load sets, compared element by
// element (name, colours, the frame and element images with their margins).
#include <gtest/gtest.h>

#include <string>

#include "skin/data/skin_model.h"

namespace skintest {

inline void ExpectSameElement(const TDataSkinObject* a, const TDataSkinObject* b, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(a == nullptr, b == nullptr);
  if (!a) return;
  EXPECT_TRUE(a->Image.SamePixels(b->Image));
  EXPECT_EQ(a->LeftWidth, b->LeftWidth);
  EXPECT_EQ(a->TopHeight, b->TopHeight);
  EXPECT_EQ(a->RightWidth, b->RightWidth);
  EXPECT_EQ(a->BottomHeight, b->BottomHeight);
  EXPECT_EQ(a->FrameCount, b->FrameCount);
  EXPECT_EQ(a->Trans, b->Trans);
  EXPECT_EQ(a->Tile, b->Tile);
}

inline void ExpectSameModel(const TSkinModel& a, const TSkinModel& b) {
  EXPECT_EQ(a.SkinName, b.SkinName);
  EXPECT_EQ(a.ButtonFaceColour, b.ButtonFaceColour);
  EXPECT_EQ(a.WindowTextColour, b.WindowTextColour);
  EXPECT_EQ(a.MenuColour, b.MenuColour);
  EXPECT_EQ(a.ColourTable, b.ColourTable);
  ExpectSameElement(a.BorderLeft.get(), b.BorderLeft.get(), "Left");
  ExpectSameElement(a.BorderRight.get(), b.BorderRight.get(), "Right");
  ExpectSameElement(a.BorderTop.get(), b.BorderTop.get(), "Top");
  ExpectSameElement(a.BorderBottom.get(), b.BorderBottom.get(), "Bottom");
  ExpectSameElement(a.Title.get(), b.Title.get(), "Title");
  ExpectSameElement(a.Buttons.get(), b.Buttons.get(), "Buttons");
  ExpectSameElement(a.Tabs.get(), b.Tabs.get(), "Tabs");
  ExpectSameElement(a.MenuBar.get(), b.MenuBar.get(), "MenuBar");
  ExpectSameElement(a.Scrollbar.get(), b.Scrollbar.get(), "Scrollbar");
  EXPECT_EQ(a.SysButtons.size(), b.SysButtons.size());
}

}  // namespace skintest
