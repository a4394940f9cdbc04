// The thin control classes over the system's and comctl32's window classes (check box, combo
// box, scroll bar, track bar, up-down, progress bar, status bar, list view, date-time picker,
// rich edit, bitmap button) and the windowless speed button, which its parent hands paint and
// mouse messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "toolkit/core/utf8.h"
#include "toolkit/win/buttons.h"
#include "toolkit/win/checkbox.h"
#include "toolkit/win/combobox.h"
#include "toolkit/win/datetime.h"
#include "toolkit/win/form.h"
#include "toolkit/win/listview.h"
#include "toolkit/win/range_controls.h"
#include "toolkit/win/richedit.h"
#include "toolkit/win/scrollbar.h"
#include "toolkit/win/statusbar.h"
#include "win_test_support.h"

namespace {
struct MoreControls : ::testing::Test {
  MoreControls() {
    form.SetBounds(50, 50, 420, 320);
    form.Show();
  }
  template <class C>
  C* Make(int left = 10, int top = 10) {
    auto* c = new C(&form);
    c->SetLeft(left);
    c->SetTop(top);
    c->SetParent(&form);
    return c;
  }
  TForm form{nullptr};
};

std::wstring ClassOf(HWND wnd) {
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  return cls;
}
DWORD StyleOf(HWND wnd) { return static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)); }
}  // namespace

TEST_F(MoreControls, EachIsItsWindowClassWithItsStyles) {
  auto* check = Make<TCheckBox>();
  check->SetAlignment(taLeftSide);
  EXPECT_EQ(ClassOf(check->Handle()), L"Button");
  EXPECT_EQ(StyleOf(check->Handle()) & BS_TYPEMASK, static_cast<DWORD>(BS_3STATE));
  EXPECT_TRUE(StyleOf(check->Handle()) & BS_LEFTTEXT);

  auto* combo = Make<TComboBox>();
  combo->SetStyle(csDropDownList);
  combo->DestroyHandle();
  EXPECT_EQ(ClassOf(combo->Handle()), L"ComboBox");
  EXPECT_EQ(StyleOf(combo->Handle()) & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));

  auto* bar = Make<TScrollBar>();
  bar->SetKind(sbVertical);
  bar->DestroyHandle();
  EXPECT_EQ(ClassOf(bar->Handle()), L"ScrollBar");
  EXPECT_TRUE(StyleOf(bar->Handle()) & SBS_VERT);

  auto* track = Make<TTrackBar>();
  EXPECT_EQ(ClassOf(track->Handle()), TRACKBAR_CLASSW);
  auto* updown = Make<TUpDown>();
  updown->SetOrientation(udHorizontal);
  updown->DestroyHandle();
  EXPECT_EQ(ClassOf(updown->Handle()), UPDOWN_CLASSW);
  EXPECT_TRUE(StyleOf(updown->Handle()) & UDS_HORZ);
  auto* progress = Make<TProgressBar>();
  EXPECT_EQ(ClassOf(progress->Handle()), PROGRESS_CLASSW);
  auto* status = Make<TStatusBar>();
  EXPECT_EQ(ClassOf(status->Handle()), STATUSCLASSNAMEW);
  EXPECT_TRUE(StyleOf(status->Handle()) & SBARS_SIZEGRIP);
  auto* list = Make<TListView>();
  EXPECT_EQ(ClassOf(list->Handle()), WC_LISTVIEWW);
  EXPECT_EQ(StyleOf(list->Handle()) & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
  EXPECT_NE(list->HeaderHandle(), nullptr);
  auto* picker = Make<TDateTimePicker>();
  picker->SetDateMode(dmUpDown);
  picker->DestroyHandle();
  EXPECT_EQ(ClassOf(picker->Handle()), DATETIMEPICK_CLASSW);
  EXPECT_TRUE(StyleOf(picker->Handle()) & DTS_UPDOWN);
  auto* rich = Make<TRichEdit>();
  EXPECT_EQ(ClassOf(rich->Handle()), L"RichEdit20W");
  EXPECT_TRUE(StyleOf(rich->Handle()) & ES_MULTILINE);
  auto* bit = Make<TBitBtn>();
  EXPECT_EQ(StyleOf(bit->Handle()) & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(MoreControls, ValuesReachTheWindowAndComeBack) {
  auto* check = Make<TCheckBox>();
  int clicks = 0;
  check->OnClick = [&](TObject*) { ++clicks; };
  check->SetAllowGrayed(true);
  SendMessageW(check->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(check->State(), cbGrayed);
  SendMessageW(check->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks, 2);

  auto* combo = Make<TComboBox>();
  combo->Items()->Add("bir");
  combo->Items()->Add("iki");
  combo->SetItemIndex(1);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(combo->ItemIndex(), 1);

  auto* progress = Make<TProgressBar>();
  progress->SetMax(200);
  progress->SetPosition(50);
  EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETRANGE, FALSE, 0), 200);
  EXPECT_EQ(progress->Position(), 50);

  auto* bar = Make<TScrollBar>();
  bar->SetPageSize(10);
  bar->SetLargeChange(10);
  int changes = 0;
  bar->OnChange = [&](TObject*) { ++changes; };
  SendMessageW(form.Handle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 10);
  EXPECT_EQ(changes, 1);

  auto* status = Make<TStatusBar>();
  status->Panels().push_back({"Hazır", 80, pbLowered, taLeftJustify, false});
  status->Panels().push_back({"İki", 60, pbRaised, taCenter, false});
  status->PanelsChanged();
  EXPECT_EQ(SendMessageW(status->Handle(), SB_GETPARTS, 0, 0), 2);
  wchar_t text[32] = {};
  const LRESULT second = SendMessageW(status->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(WideToUtf8(text), "İki");
  EXPECT_TRUE(HIWORD(second) & SBT_POPOUT);
}

TEST_F(MoreControls, ASpeedButtonGetsItsPaintAndMouseFromItsParent) {
  auto* speed = Make<TSpeedButton>(20, 20);
  speed->SetBounds(20, 20, 60, 24);
  speed->SetCaption("Hız");
  speed->SetGroupIndex(1);
  auto* other = Make<TSpeedButton>(90, 20);
  other->SetBounds(90, 20, 60, 24);
  other->SetGroupIndex(1);
  other->SetDown(true);
  std::vector<UINT> seen;
  auto previous = speed->WindowProc;
  speed->WindowProc = [&](TMessage& m) {
    seen.push_back(m.Msg);
    previous(m);
  };
  int clicks = 0;
  speed->OnClick = [&](TObject*) { ++clicks; };
  HWND parent = form.Handle();
  SendMessageW(parent, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
  SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
  EXPECT_TRUE(speed->Pressed());
  // Released over the other button: the press belongs to the first, which was left.
  SendMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(100, 30));
  EXPECT_EQ(clicks, 0);
  SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
  SendMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(31, 31));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(speed->Down());
  EXPECT_FALSE(other->Down());
  InvalidateRect(parent, nullptr, TRUE);
  UpdateWindow(parent);
  EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(CM_MOUSEENTER)), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_PAINT)), seen.end());
  speed->WindowProc = previous;
}

TEST(GlyphLayout, MarginAndSpacingPlaceGlyphAndCaption) {
  const RECT client{0, 0, 100, 30};
  // Centred block: 16 + 4 + 40 = 60 wide, 20 each side.
  TGlyphPlaces p = LayoutGlyphAndCaption(client, {16, 16}, {40, 13}, blGlyphLeft, -1, 4);
  EXPECT_EQ(p.Glyph.left, 20);
  EXPECT_EQ(p.Glyph.top, 7);
  EXPECT_EQ(p.Caption.left, 40);
  // Margin and spacing both -1: the free 44 pixels in three parts of 14.
  p = LayoutGlyphAndCaption(client, {16, 16}, {40, 13}, blGlyphRight, -1, -1);
  EXPECT_EQ(p.Glyph.right, 100 - 14);
  EXPECT_EQ(p.Caption.right, 100 - 14 - 16 - 14);
  // A glyph on top with a margin of 2; without a caption the spacing does not count.
  p = LayoutGlyphAndCaption({0, 0, 40, 40}, {16, 16}, {0, 0}, blGlyphTop, 2, 4);
  EXPECT_EQ(p.Glyph.top, 2);
  EXPECT_EQ(p.Glyph.left, 12);
}
