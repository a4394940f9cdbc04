// The controls of the program's windows, driven with real messages on real windows.
#include <gtest/gtest.h>

#include "toolkit/core/exceptions.h"
#include "toolkit/win/checklst.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/extctrls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/spin.h"
#include "toolkit/win/stdctrls.h"
#include "screen_capture.h"
#include "win_test_support.h"

namespace {
struct FormFixture : ::testing::Test {
  FormFixture() {
    form.SetBounds(50, 50, 400, 300);
    form.Show();
  }
  TForm form{nullptr};
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
}  // namespace

using Controls = FormFixture;

TEST_F(Controls, WindowsAreMadeOnDemandParentsFirst) {
  auto* box = new TGroupBox(&form);
  box->SetBounds(10, 10, 200, 100);
  auto* edit = new TEdit(&form);
  edit->SetBounds(8, 20, 100, 21);
  edit->SetText("2");
  edit->SetParent(box);
  box->SetParent(&form);
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(GetParent(edit->Handle()), box->Handle());
  wchar_t cls[32];
  GetClassNameW(edit->Handle(), cls, 32);
  EXPECT_STREQ(cls, L"Edit");
  SetWindowTextW(edit->Handle(), L"Türkçe");
  EXPECT_EQ(edit->GetText(), "Türkçe");
  EXPECT_EQ(TWinControl::FindControl(edit->Handle()), edit);
}

TEST_F(Controls, ButtonClickRunsOnClickAndAFailureEndsInTheErrorBox) {
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetCaption("Yeni Program Ekle");
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    throw EConvertError("'' is not a valid integer value");
  };
  MessageBoxCatcher box;
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  PumpFor(50);
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(box.Boxes().size(), 1u);
  EXPECT_EQ(box.Boxes()[0].Text, "'' is not a valid integer value.");
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);  // the program goes on
  EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, WindowProcCanBeReplacedAndRestored) {
  auto* button = new TButton(&form);
  button->SetParent(&form);
  auto old = button->WindowProc;
  int enabledChanges = 0;
  button->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_ENABLEDCHANGED) ++enabledChanges;
    old(m);
  };
  button->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  button->WindowProc = old;
  button->SetEnabled(true);
  EXPECT_EQ(enabledChanges, 1);
}

TEST_F(Controls, CheckListBoxTicksOnAClickInTheTickBoxOnly) {
  auto* list = new TCheckListBox(&form);
  list->SetBounds(8, 8, 249, 217);
  list->SetParent(&form);
  list->Items()->Add("Olumlu");
  list->Items()->Add("Sağlık");
  list->Items()->Add("Başarı");
  list->SetChecked(2, true);
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  RECT r;
  SendMessageW(list->Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  // A click on the text selects the item without ticking it.
  SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(100, r.top + 3));
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, At(100, r.top + 3));
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_FALSE(list->Checked(1));
  EXPECT_EQ(clicks, 1);
  // A click in the tick box ticks it and reports a click, the selection being unchanged.
  SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, r.top + 3));
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, At(5, r.top + 3));
  EXPECT_TRUE(list->Checked(1));
  EXPECT_EQ(clicks, 2);
  // Ticks stay with their items when an item before them goes.
  list->Items()->Delete(0);
  EXPECT_TRUE(list->Checked(0));
  EXPECT_TRUE(list->Checked(1));
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_THROW(list->Checked(5), EListError);
  list->Items()->Clear();
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(Controls, ListSelectionMadeBeforeTheWindowExistsIsShownByIt) {
  auto* list = new TCheckListBox(&form);
  list->Items()->Add("Genel");
  list->Items()->Add("Akşam");
  list->SetItemIndex(1);
  EXPECT_FALSE(list->HandleAllocated());
  list->SetParent(&form);
  ASSERT_TRUE(list->HandleAllocated());
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(Controls, AnEraseAfterTheItemsWerePaintedLeavesThemStanding) {
  auto* list = new TCheckListBox(&form);
  list->SetBounds(8, 8, 150, 120);
  list->Items()->Add("Özgüven");
  list->Items()->Add("Huzur");
  list->SetParent(&form);
  const int row = static_cast<int>(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0));
  // A memory picture of the painted items (all in one marker colour), then an erase.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 150, 120);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 150, 120};
  HBRUSH marker = CreateSolidBrush(RGB(10, 200, 30));
  FillRect(dc, &all, marker);
  DeleteObject(marker);
  SendMessageW(list->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 60, row + row / 2), RGB(10, 200, 30)) << "the second item's row was erased";
  EXPECT_EQ(GetPixel(dc, 60, 2 * row + 4), static_cast<COLORREF>(ColorToRGB(list->Color()))) << "below the items";
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// A double-buffered window that paints what it is given.
class TPaintedControl : public TWinControl {
public:
  explicit TPaintedControl(TComponent* owner) : TWinControl(owner) { SetDoubleBuffered(true); }
  std::function<void(HDC)> OnPaintWindow;

protected:
  void PaintWindow(HDC dc) override {
    if (OnPaintWindow) OnPaintWindow(dc);
  }
};

TEST_F(Controls, EachBufferedPaintStartsFromAFreshDeviceContextEvenWhenOneIsPaintedInsideAnother) {
  auto* outer = new TPaintedControl(&form);
  outer->SetBounds(10, 10, 120, 90);
  outer->SetParent(&form);
  auto* inner = new TPaintedControl(&form);
  inner->SetBounds(200, 10, 40, 30);
  inner->SetParent(&form);
  // The outer paint leaves its device context moved and with a red brush, and paints the inner
  // window from within its own paint before it finishes.
  outer->OnPaintWindow = [&](HDC dc) {
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, RGB(200, 0, 0));
    PatBlt(dc, 0, 0, 60, 90, PATCOPY);
    SetViewportOrgEx(dc, 5, 5, nullptr);
    InvalidateRect(inner->Handle(), nullptr, TRUE);
    UpdateWindow(inner->Handle());
    PatBlt(dc, 55, -5, 65, 90, PATCOPY);
  };
  inner->OnPaintWindow = [](HDC dc) { PatBlt(dc, 0, 0, 4, 4, PATCOPY); };  // the DC's own brush
  UpdateWindow(form.Handle());
  RedrawWindow(outer->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const TColor red = RGB(200, 0, 0), white = RGB(255, 255, 255);
  const TBitmapPixels outerPixels = ScreenPixelsOf(outer->Handle());
  EXPECT_EQ(outerPixels.GetPixel(20, 20), red) << "the inner paint wiped the outer one";
  EXPECT_EQ(outerPixels.GetPixel(100, 40), red);
  // Painted alone afterwards, the inner window sees none of the outer paint's state.
  RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const TBitmapPixels innerPixels = ScreenPixelsOf(inner->Handle());
  EXPECT_EQ(innerPixels.GetPixel(1, 1), white) << "the stock white brush at the origin";
  EXPECT_NE(innerPixels.GetPixel(7, 7), red);
}

TEST_F(Controls, TextsAreKeptAndFollowTheWindow) {
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetCaption("Yeni Program Ekle");
  SendMessageW(button->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Add New Program"));  // from outside
  EXPECT_EQ(button->Caption(), "Add New Program");
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  SendMessageW(edit->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"20"));  // as typed
  EXPECT_EQ(edit->GetText(), "20");
}

TEST_F(Controls, ARedrawSuspensionPaintsTheWindowOnceAtTheEnd) {
  auto* button = new TButton(&form);
  button->SetParent(&form);
  {
    TRedrawSuspension quiet(form);
    EXPECT_FALSE(IsWindowVisible(button->Handle()));  // nothing of the form paints meanwhile
    button->SetCaption("Start Messages");
  }
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_TRUE(IsWindowVisible(button->Handle()));
  RECT dirty{};
  EXPECT_TRUE(GetUpdateRect(button->Handle(), &dirty, FALSE));  // painted at the next turn of the loop
  EXPECT_EQ(button->Caption(), "Start Messages");
}

TEST_F(Controls, RadioGroupClicksOnlyWhenTheSelectionChanges) {
  auto* group = new TRadioGroup(&form);
  group->SetBounds(8, 8, 361, 63);
  group->SetColumns(2);
  group->SetParent(&form);
  group->Items()->Add("Türkçe");
  group->Items()->Add("English");
  std::vector<int> clicks;
  group->OnClick = [&](TObject*) { clicks.push_back(group->ItemIndex()); };
  group->SetItemIndex(0);
  group->SetItemIndex(0);  // already selected: nothing
  ASSERT_EQ(group->ControlCount(), 2);
  auto* second = static_cast<TWinControl*>(group->Controls(1));
  EXPECT_GT(second->Left(), group->Controls(0)->Left());  // two columns side by side
  SendMessageW(second->Handle(), BM_CLICK, 0, 0);
  SendMessageW(second->Handle(), BM_CLICK, 0, 0);  // the selected item again: nothing
  EXPECT_EQ(clicks, (std::vector<int>{0, 1}));
  EXPECT_EQ(SendMessageW(second->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(static_cast<TWinControl*>(group->Controls(0))->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Controls, RadioGroupBringsAnIndexOutsideItsItemsIntoRange) {
  auto* group = new TRadioGroup(&form);
  group->SetParent(&form);
  group->Items()->Add("Windows açılınca başlat");
  group->Items()->Add("Windows açılınca başlatma");
  std::vector<int> clicks;
  group->OnClick = [&](TObject*) { clicks.push_back(group->ItemIndex()); };
  group->SetItemIndex(7);  // above the last item: the last
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(SendMessageW(static_cast<TWinControl*>(group->Controls(1))->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  group->SetItemIndex(2);   // the last again: no click
  group->SetItemIndex(-5);  // below -1: none
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(clicks, (std::vector<int>{1, -1}));
}

TEST_F(Controls, RadioGroupShowsASelectionMadeBeforeItsWindowsExist) {
  auto* group = new TRadioGroup(&form);
  group->SetBounds(8, 8, 361, 63);
  group->Items()->Add("Ekranın herhangi bir yerinde");
  group->Items()->Add("Ekranın tam ortasında");
  group->SetItemIndex(1);
  group->SetParent(&form);
  ASSERT_EQ(group->ControlCount(), 2);
  EXPECT_EQ(SendMessageW(static_cast<TWinControl*>(group->Controls(0))->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(static_cast<TWinControl*>(group->Controls(1))->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  // The buttons wear the group's colour, also one given later.
  group->SetColor(RGBToColor(200, 220, 240));
  EXPECT_EQ(group->Controls(0)->Color(), RGBToColor(200, 220, 240));
}

TEST_F(Controls, SpinButtonHalvesFireUpAndDown) {
  auto* spin = new TSpinButton(&form);
  spin->SetBounds(162, 18, 20, 25);
  spin->SetParent(&form);
  wchar_t cls[32];
  GetClassNameW(spin->Handle(), cls, 32);
  EXPECT_STREQ(cls, L"TSpinButton");
  int up = 0, down = 0;
  spin->OnUpClick = [&](TObject*) { ++up; };
  spin->OnDownClick = [&](TObject*) { ++down; };
  SendMessageW(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 3));
  SendMessageW(spin->Handle(), WM_LBUTTONUP, 0, At(10, 3));
  SendMessageW(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 20));
  SendMessageW(spin->Handle(), WM_LBUTTONUP, 0, At(10, 20));
  EXPECT_EQ(up, 1);
  EXPECT_EQ(down, 1);
}

TEST_F(Controls, MemoLinesAndWindowTextFollowEachOther) {
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->Lines()->Add("Olumlu,1");
  memo->Lines()->Add("Sağlık,0");
  EXPECT_EQ(memo->GetText(), "Olumlu,1\r\nSağlık,0");
  SetWindowTextW(memo->Handle(), L"a\r\nb\r\nc");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Get(2), "c");

  // Word wrap is a style of the window: turned off and on again before the messages are
  // handled, the window stays; turned off, it is made again without wrapping.
  HWND before = memo->Handle();
  memo->SetWordWrap(false);
  memo->SetWordWrap(true);
  PumpFor(50);
  EXPECT_EQ(memo->Handle(), before);
  memo->SetWordWrap(false);
  PumpFor(50);
  EXPECT_NE(memo->Handle(), before);
  EXPECT_TRUE(GetWindowLongW(memo->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_EQ(memo->GetText(), "a\r\nb\r\nc");
}

TEST_F(Controls, AChildWhollyOutsideItsParentGetsItsWindowWhenItComesIntoView) {
  TForm other(nullptr);
  other.SetBounds(60, 60, 300, 200);
  auto* inside = new TEdit(&other);
  inside->SetBounds(10, 10, 100, 21);
  inside->SetParent(&other);
  auto* right = new TMemo(&other);
  right->SetBounds(400, 10, 100, 50);
  right->SetParent(&other);
  right->Lines()->Add("kept");
  auto* below = new TButton(&other);
  below->SetBounds(10, 500, 80, 25);
  below->SetParent(&other);
  auto* left = new TButton(&other);
  left->SetBounds(-200, 10, 80, 25);
  left->SetParent(&other);
  other.HandleNeeded();
  EXPECT_TRUE(inside->HandleAllocated());
  EXPECT_FALSE(right->HandleAllocated());
  EXPECT_FALSE(below->HandleAllocated());
  EXPECT_FALSE(left->HandleAllocated());
  other.SetWidth(600);  // the parent grows over it
  ASSERT_TRUE(right->HandleAllocated());
  EXPECT_EQ(GetParent(right->Handle()), other.Handle());
  EXPECT_EQ(right->Lines()->Get(0), "kept");
  below->SetTop(100);  // moved into view
  EXPECT_TRUE(below->HandleAllocated());
  EXPECT_NE(left->Handle(), nullptr);  // asked for
}

TEST_F(Controls, WhileAlignIsDisabledSizeChangesLayNothingOutAndEnablingLaysOutOnce) {
  auto* fill = new TPanel(&form);
  fill->SetParent(&form);
  fill->SetAlign(alClient);
  int resized = 0;
  fill->OnResize = [&](TObject*) { ++resized; };
  const int width = form.Width(), clientWidth = form.ClientWidth();
  form.DisableAlign();
  form.DisableAlign();
  form.SetWidth(width + 40);
  form.SetWidth(width);
  form.EnableAlign();  // still disabled once: nothing yet
  EXPECT_EQ(resized, 0);
  form.EnableAlign();  // the client is as it was: the child keeps its size
  EXPECT_EQ(resized, 0);
  EXPECT_EQ(fill->Width(), clientWidth);
  form.DisableAlign();
  form.SetWidth(width + 40);
  form.EnableAlign();
  EXPECT_EQ(resized, 1);
  EXPECT_EQ(fill->Width(), clientWidth + 40);
}

TEST_F(Controls, PageControlShowsTheActivePageOnly) {
  auto* pages = new TPageControl(&form);
  pages->SetParent(&form);
  pages->SetAlign(alClient);
  auto* one = new TTabSheet(&form);
  one->SetCaption("Programlar");
  one->SetPageControl(pages);
  auto* two = new TTabSheet(&form);
  two->SetCaption("Ayarlar");
  two->SetPageControl(pages);
  EXPECT_EQ(pages->ActivePage(), one);
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_TRUE(IsWindowVisible(one->Handle()));
  pages->SetActivePageIndex(1);
  EXPECT_FALSE(IsWindowVisible(one->Handle()));
  EXPECT_TRUE(IsWindowVisible(two->Handle()));
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(pages->Width(), form.ClientWidth());
  // A renamed page shows its new caption on its tab.
  one->SetCaption("Programs");
  wchar_t text[32] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 32;
  SendMessageW(pages->Handle(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, L"Programs");
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
}

TEST_F(Controls, ToolBarButtonsClickTheirToolButtons) {
  auto* bar = new TToolBar(&form);
  bar->SetParent(&form);
  bar->SetShowCaptions(true);
  bar->SetButtonWidth(88);
  bar->SetButtonHeight(52);
  auto* start = new TToolButton(&form);
  start->SetLeft(0);
  start->SetCaption("Mesajlar Başlasın");
  start->SetParent(bar);
  auto* sep = new TToolButton(&form);
  sep->SetLeft(100);
  sep->SetStyle(tbsSeparator);
  sep->SetWidth(8);
  sep->SetParent(bar);
  auto* stop = new TToolButton(&form);
  stop->SetLeft(200);
  stop->SetCaption("Mesajlar Dursun");
  stop->SetParent(bar);
  int clicked = 0;
  stop->OnClick = [&](TObject*) { ++clicked; };
  EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
  RECT r = stop->ButtonRect();
  EXPECT_EQ(r.right - r.left, 88);
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), reinterpret_cast<LPARAM>(bar->Handle()));
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(bar->Align(), alTop);
  // A renamed button shows its new caption and keeps its place and command.
  stop->SetCaption("Stop Messages");
  wchar_t text[32] = {};
  SendMessageW(bar->Handle(), TB_GETBUTTONTEXTW, 1002, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Stop Messages");
  EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
  EXPECT_EQ(stop->ButtonRect().left, r.left);
}

TEST(Timer, FiresOnlyWhenEnabledWithAnInterval) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(0);
  PumpFor(80);
  EXPECT_EQ(ticks, 0);  // interval 0 never fires
  timer.SetInterval(20);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 2000));
  timer.SetEnabled(false);
  int stopped = ticks;
  PumpFor(80);
  EXPECT_EQ(ticks, stopped);
}

TEST(Timer, EnablingAnEnabledTimerKeepsItsCountdown) {
  TTimer timer(nullptr);
  timer.SetInterval(150);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  DWORD start = GetTickCount();
  PumpFor(100);
  timer.SetEnabled(true);  // changes nothing
  ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }, 2000));
  EXPECT_LT(GetTickCount() - start, 240u);
  // Disabling and enabling starts a full interval anew.
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  int before = ticks;
  PumpFor(100);
  EXPECT_EQ(ticks, before);
}

TEST_F(Controls, MenuCommandsClickTheirItems) {
  auto* menu = new TMainMenu(&form);
  auto* skins = new TMenuItem(&form);
  skins->SetCaption("&Arayüz");
  menu->Items()->Add(skins);
  auto* skin1 = new TMenuItem(&form);
  skin1->SetCaption("Arayüz 1");
  skin1->SetShortCut(MakeShortCut('S', false, true, false));
  skins->Add(skin1);
  auto* about = new TMenuItem(&form);
  about->SetCaption("Hakkında");
  menu->Items()->Add(about);
  form.SetMenu(menu);
  ASSERT_EQ(GetMenu(form.Handle()), menu->Handle());
  EXPECT_EQ(GetMenuItemCount(menu->Handle()), 2);
  wchar_t text[64];
  GetMenuStringW(skins->Handle(), 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Arayüz 1\tCtrl+S");
  int clicks = 0;
  about->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(form.Handle(), WM_COMMAND, about->Command(), 0);
  EXPECT_EQ(clicks, 1);
  // Renamed items show their new captions in place; in an update the bar is redrawn once.
  menu->BeginUpdate();
  skins->SetCaption("Skins");
  skin1->SetCaption("Skin 1");
  menu->EndUpdate();
  GetMenuStringW(menu->Handle(), 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Skins");
  GetMenuStringW(skins->Handle(), 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Skin 1\tCtrl+S");
  about->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(menu->Handle()), 1);
  skin1->SetChecked(true);
  EXPECT_TRUE(GetMenuState(skins->Handle(), 0, MF_BYPOSITION) & MF_CHECKED);
  int skinClicks = 0;
  skin1->OnClick = [&](TObject*) { ++skinClicks; };
  EXPECT_TRUE(form.IsShortCut('S', false, true, false));
  EXPECT_EQ(skinClicks, 1);
}

TEST_F(Controls, OwnerDrawnMenusAskTheirItems) {
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(nullptr);
  item->SetCaption("Göster");
  menu.Items()->Add(item);
  menu.SetOwnerDraw(true);
  item->OnMeasureItem = [](TObject*, HDC, int& w, int& h) {
    w = 120;
    h = 22;
  };
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = item->Command();
  mis.itemData = reinterpret_cast<ULONG_PTR>(item);
  SendMessageW(TPopupMenu::PopupWindow(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(mis.itemWidth, 120u);
  EXPECT_EQ(mis.itemHeight, 22u);
  MENUITEMINFOW mi{sizeof(mi), MIIM_FTYPE};
  GetMenuItemInfoW(menu.Handle(), 0, TRUE, &mi);
  EXPECT_TRUE(mi.fType & MFT_OWNERDRAW);
  EXPECT_EQ(ShortCutToText(MakeShortCut(VK_F4, true, false, false)), "Shift+F4");
}
