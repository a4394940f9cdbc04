// Where the focus is, in the skin: a focused push button shows the focused frame of the Buttons
// element, a focused check box a focus rectangle around its text, a focused tab control one on
// its tab, the tool bar's keyboard button the element's hot frame; the marks hide and come back
// with the system's keyboard cues (WM_UPDATEUISTATE). In two skins.
#include <gtest/gtest.h>

#include "companion_test_support.h"
#include "skin/controls/toolkit_extras.h"
#include "toolkit/win/checkbox.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/stdctrls.h"

using namespace controltest;

namespace {
struct FocusMarks : ::testing::TestWithParam<const char*> {
  void SetUp() override {
    skin = BuiltSkin(GetParam());
    skin->OnSkinControl = SkinToolkitExtras;  // the built-in rules do not name TCheckBox
  }
  // The keyboard cues the system gives a control: focus marks hidden or shown.
  static void HideFocusMarks(TWinControl* control, bool hide) {
    SendMessageW(control->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(hide ? UIS_SET : UIS_CLEAR, UISF_HIDEFOCUS), 0);
    PumpFor(20);
  }
  std::vector<TColor> ButtonEdges(int w, int h, int frame) const {
    const TDataSkinButton& b = *skin->Model().Buttons;
    return EdgePixels(ExpectedElement(b, w, h, 5, frame, skin->Model().ButtonFaceColour), 0, 0, w, h);
  }
  std::unique_ptr<TSkinSet> skin;
};

// The pixels of the area in which a and b differ, or an empty rectangle.
RECT Differences(const TBitmapPixels& a, const TBitmapPixels& b) {
  RECT r{a.Width(), a.Height(), 0, 0};
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
        r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
             std::max<LONG>(r.bottom, y + 1)};
      }
  return r.right > r.left ? r : RECT{};
}
bool Equal(const TBitmapPixels& a, const TBitmapPixels& b) {
  const RECT r = Differences(a, b);
  return IsRectEmpty(&r);
}
}  // namespace

TEST_P(FocusMarks, AFocusedButtonShowsTheFocusedFrameWhileTheKeyboardCuesLetIt) {
  constexpr int kW = 96, kH = 30;
  SkinnedForm f(*skin);
  auto* button = f.Add<TButton>(20, 20, kW, kH);
  button->SetCaption("Tamam");
  f.Frame();
  button->SetFocus();
  EXPECT_EQ(EdgePixels(Shown(button->Handle()), 0, 0, kW, kH), ButtonEdges(kW, kH, 4)) << "focused";
  HideFocusMarks(button, true);
  EXPECT_EQ(EdgePixels(Shown(button->Handle()), 0, 0, kW, kH), ButtonEdges(kW, kH, 1)) << "cues hidden";
  HideFocusMarks(button, false);
  EXPECT_EQ(EdgePixels(Shown(button->Handle()), 0, 0, kW, kH), ButtonEdges(kW, kH, 4)) << "cues shown again";
}

TEST_P(FocusMarks, AFocusedCheckBoxShowsAMarkAroundItsText) {
  SkinnedForm f(*skin);
  auto* check = f.Add<TCheckBox>(20, 70, 160, 22);
  check->SetCaption("Onay kutusu");
  auto* other = f.Add<TEdit>(20, 120, 80, 22);
  f.Frame();
  other->SetFocus();
  const TBitmapPixels alone = Repainted(check->Handle());
  check->SetFocus();
  const RECT mark = Differences(Shown(check->Handle()), alone);
  EXPECT_FALSE(IsRectEmpty(&mark)) << "a focused check box shows a mark";
  EXPECT_GE(mark.left, GetSystemMetrics(SM_CXMENUCHECK)) << "around the text, not on the box";
}

TEST_P(FocusMarks, AFocusedTabControlMarksItsTabWhileTheKeyboardCuesLetIt) {
  SkinnedForm f(*skin);
  auto* pages = f.Add<TPageControl>(10, 10, 300, 200);
  for (const char* caption : {"Birinci", "İkinci"}) {
    auto* page = new TTabSheet(&f.form);
    page->SetCaption(caption);
    page->SetPageControl(pages);
  }
  auto* other = f.Add<TEdit>(20, 230, 80, 22);
  f.Frame();
  other->SetFocus();
  RECT tab{};
  SendMessageW(pages->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  const TBitmapPixels alone = Repainted(pages->Handle());
  pages->SetFocus();
  const RECT mark = Differences(Shown(pages->Handle()), alone);
  ASSERT_FALSE(IsRectEmpty(&mark)) << "a focused tab control shows a mark";
  RECT inside{};
  EXPECT_TRUE(IntersectRect(&inside, &mark, &tab) && EqualRect(&inside, &mark)) << "on the selected tab";
  HideFocusMarks(pages, true);
  EXPECT_TRUE(Equal(Shown(pages->Handle()), alone)) << "cues hidden: no mark";
}

TEST_P(FocusMarks, TheToolBarsKeyboardButtonShowsTheHotFrame) {
  SkinnedForm f(*skin);
  auto* bar = f.Add<TToolBar>(0, 0, 300, 40);
  bar->SetShowCaptions(true);
  bar->SetButtonWidth(80);
  bar->SetButtonHeight(36);
  for (const char* caption : {"Başla", "Dur"}) {
    auto* b = new TToolButton(&f.form);
    b->SetLeft(bar->ButtonCount() * 80);
    b->SetCaption(caption);
    b->SetParent(bar);
  }
  f.Frame();
  SetCursorPos(0, 0);
  bar->SetFocus();
  PumpFor(20);
  SendMessageW(bar->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_EQ(bar->KeyboardButton(), bar->Buttons(1));
  RECT r = bar->Buttons(1)->ButtonRect();
  InflateRect(&r, -1, -1);  // the frame is drawn one pixel inside the button
  const int w = r.right - r.left, h = r.bottom - r.top;
  const TBitmapPixels shown = Shown(bar->Handle());
  EXPECT_EQ(EdgePixels(shown, r.left, r.top, w, h), ButtonEdges(w, h, 4));
}

// What assistive technology reads of a control stays the system's: its window class and text.
TEST_P(FocusMarks, SkinnedControlsKeepTheirWindowClassesAndTexts) {
  SkinnedForm f(*skin);
  auto* button = f.Add<TButton>(20, 20, 96, 30);
  button->SetCaption("Tamam");
  auto* check = f.Add<TCheckBox>(20, 70, 160, 22);
  check->SetCaption("Onay kutusu");
  auto* radio = f.Add<TRadioButton>(20, 100, 160, 22);
  radio->SetCaption("Seçenek");
  f.Frame();
  auto classAndText = [](TWinControl* c) {
    wchar_t name[64] = {}, text[64] = {};
    GetClassNameW(c->Handle(), name, 64);
    GetWindowTextW(c->Handle(), text, 64);
    return WideToUtf8(name) + "|" + WideToUtf8(text);
  };
  ASSERT_NE(f.CompanionOf(button), nullptr);
  ASSERT_NE(f.CompanionOf(check), nullptr);
  ASSERT_NE(f.CompanionOf(radio), nullptr);
  EXPECT_EQ(classAndText(button), "Button|Tamam");
  EXPECT_EQ(classAndText(check), "Button|Onay kutusu");
  EXPECT_EQ(classAndText(radio), "Button|Seçenek");
}

INSTANTIATE_TEST_SUITE_P(TwoSkins, FocusMarks, ::testing::Values("1.skn", "6.skn"));
