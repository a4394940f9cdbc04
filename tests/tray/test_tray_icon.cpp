// The tray icon on a real form: callback messages sent to the form's window, the pop-up menu
// opened on the right button, several icons and hooks on one window, the shell's answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/core/layout_text.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/form.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/menus.h"
#include "tray/tray_icon.h"
#include "win_test_support.h"

namespace {

// A 16 x 16 icon file, 32 bits per pixel, all pixels of one colour.
std::vector<std::uint8_t> IconFile(std::uint32_t argb) {
  const int size = 16;
  const std::uint32_t pixelBytes = size * size * 4, maskBytes = size * 4;  // mask rows are 4 bytes
  const std::uint32_t imageBytes = 40 + pixelBytes + maskBytes;
  std::vector<std::uint8_t> f;
  auto put16 = [&](unsigned v) { f.push_back(v & 0xFF), f.push_back((v >> 8) & 0xFF); };
  auto put32 = [&](std::uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
  put16(0), put16(1), put16(1);                                          // directory: one icon
  f.push_back(size), f.push_back(size), f.push_back(0), f.push_back(0);  // entry
  put16(1), put16(32), put32(imageBytes), put32(6 + 16);
  put32(40), put32(size), put32(size * 2), put16(1), put16(32);  // BITMAPINFOHEADER
  for (int i = 0; i < 6; ++i) put32(0);
  for (int i = 0; i < size * size; ++i) put32(argb);
  f.insert(f.end(), maskBytes, 0);
  return f;
}

// Counts every event of an icon.
struct EventLog {
  int click = 0, dblClick = 0, down = 0, move = 0, up = 0;
  void Attach(TTrayIcon& icon, bool withMouseDown = true) {
    icon.OnClick = [this](TObject*) { ++click; };
    icon.OnDblClick = [this](TObject*) { ++dblClick; };
    if (withMouseDown) icon.OnMouseDown = [this](TObject*) { ++down; };
    icon.OnMouseMove = [this](TObject*) { ++move; };
    icon.OnMouseUp = [this](TObject*) { ++up; };
  }
  int Total() const { return click + dblClick + down + move + up; }
};

struct TrayFixture : ::testing::Test {
  TrayFixture() {
    form.SetBounds(60, 60, 300, 200);
    form.SetCaption("Quillimo");
    form.HandleNeeded();
  }
  // Sends the callback message of icon with a mouse action, as the shell does.
  static LRESULT Send(TTrayIcon& icon, UINT action) {
    return SendMessageW(icon.WindowHandle(), icon.CallbackMessage(), icon.IconID(), action);
  }
  std::string FormText() {
    wchar_t buf[64] = {};
    GetWindowTextW(form.Handle(), buf, 64);
    return WideToUtf8(buf);
  }
  TForm form{nullptr};
};

}  // namespace

using TrayIcon = TrayFixture;

TEST_F(TrayIcon, WithoutAFormOwnerThereIsNoWindowAndTheShellRefusesQuietly) {
  TComponent owner(nullptr);
  auto* icon = new TTrayIcon(&owner);
  EXPECT_EQ(icon->WindowHandle(), nullptr);
  EXPECT_EQ(icon->IconID(), 0);
  EXPECT_FALSE(icon->Hooked());
  EXPECT_FALSE(icon->NotifyShell(TTrayIcon::nsAdd));
  icon->ShowIcon();
  icon->SetTip("x");
  icon->HideIcon();
}

TEST(TrayIconOfAFormBeingMade, JoinsTheFormsWindowWhenItIsMadeWithoutMakingItEarlier) {
  TForm form(nullptr);
  TTrayIcon icon(&form);
  EXPECT_FALSE(form.HandleAllocated());
  EXPECT_FALSE(icon.Hooked());
  EventLog log;
  log.Attach(icon);
  EXPECT_EQ(icon.WindowHandle(), form.Handle());
  EXPECT_TRUE(icon.Hooked());
  SendMessageW(icon.WindowHandle(), icon.CallbackMessage(), icon.IconID(), WM_MOUSEMOVE);
  EXPECT_EQ(log.move, 1);
}

TEST_F(TrayIcon, ItsHookFollowsTheFormsWindowWhenItIsMadeAgain) {
  TTrayIcon icon(&form);
  EventLog log;
  log.Attach(icon);
  HWND first = form.Handle();
  form.DestroyHandle();
  EXPECT_EQ(icon.WindowHandle(), nullptr);
  HWND second = form.Handle();
  (void)first;
  EXPECT_EQ(icon.WindowHandle(), second);
  EXPECT_TRUE(icon.Hooked());
  EXPECT_EQ(Send(icon, WM_MOUSEMOVE), 0);
  EXPECT_EQ(log.move, 1);
}

TEST_F(TrayIcon, EachMouseActionRunsItsEvent) {
  TTrayIcon icon(&form);
  EventLog log;
  log.Attach(icon);
  struct Case {
    UINT action;
    int EventLog::*event;
  } cases[] = {
      {WM_MOUSEMOVE, &EventLog::move},         {WM_LBUTTONDOWN, &EventLog::down},
      {WM_MBUTTONDOWN, &EventLog::down},       {WM_RBUTTONDOWN, &EventLog::down},
      {WM_LBUTTONUP, &EventLog::up},           {WM_RBUTTONUP, &EventLog::up},
      {WM_MBUTTONUP, &EventLog::up},           {WM_LBUTTONDBLCLK, &EventLog::dblClick},
      {WM_RBUTTONDBLCLK, &EventLog::dblClick}, {WM_MBUTTONDBLCLK, &EventLog::dblClick},
  };
  for (const Case& c : cases) {
    const EventLog before = log;
    EXPECT_EQ(Send(icon, c.action), 0) << c.action;
    EXPECT_EQ(log.*c.event, before.*c.event + 1) << c.action;
    EXPECT_EQ(log.Total(), before.Total() + 1) << c.action;
  }
  EXPECT_EQ(log.click, 0);
}

TEST_F(TrayIcon, AButtonPressWithoutOnMouseDownIsAClickAndOtherNumbersAnswerOne) {
  TTrayIcon icon(&form);
  EventLog log;
  log.Attach(icon, false);
  for (UINT action : {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN}) EXPECT_EQ(Send(icon, action), 0);
  EXPECT_EQ(log.click, 3);
  for (UINT action : {0u, 0x0203u + 0x100u, static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_MOUSEWHEEL)})
    EXPECT_EQ(Send(icon, action), 1) << action;
  EXPECT_EQ(log.Total(), 3);
  // Without any handler a handled action still answers 0.
  TTrayIcon bare(&form);
  EXPECT_EQ(Send(bare, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(Send(bare, WM_LBUTTONDOWN), 0);
}

TEST_F(TrayIcon, TheRightButtonPopsTheMenuUpForTheFormInsteadOfAnEvent) {
  form.Show();
  TTrayIcon icon(&form);
  EventLog log;
  log.Attach(icon);
  auto* menu = new TPopupMenu(&form);
  auto* item = new TMenuItem(menu);
  item->SetCaption("Göster");
  menu->Items()->Add(item);
  int chosen = 0;
  item->OnClick = [&](TObject*) { ++chosen; };
  icon.SetPopupMenu(menu);
  {
    MenuWatcher watcher(false);
    EXPECT_EQ(Send(icon, WM_RBUTTONDOWN), 0);
    EXPECT_EQ(watcher.Opened(), 1);
  }
  EXPECT_EQ(menu->PopupComponent, &form);
  EXPECT_EQ(chosen, 0);
  EXPECT_EQ(log.Total(), 0);
  {
    // The chosen item's command has run when the callback returns.
    MenuWatcher watcher(true);
    Send(icon, WM_RBUTTONDOWN);
    EXPECT_EQ(watcher.Opened(), 1);
    EXPECT_EQ(chosen, 1);
  }
  // The left button is still an event, and freeing the menu makes the right one an event again.
  Send(icon, WM_LBUTTONDOWN);
  EXPECT_EQ(log.down, 1);
  menu->Free();
  EXPECT_EQ(icon.PopupMenu(), nullptr);
  MenuWatcher watcher(false);
  Send(icon, WM_RBUTTONDOWN);
  EXPECT_EQ(watcher.Opened(), 0);
  EXPECT_EQ(log.down, 2);
}

TEST_F(TrayIcon, TwoIconsOnOneFormEachAnswerOnlyTheirOwnCallback) {
  TTrayIcon first(&form), second(&form);
  EXPECT_EQ(first.IconID(), 1);
  EXPECT_EQ(second.IconID(), 2);
  EXPECT_EQ(second.CallbackMessage(), WM_USER + 2u);
  EventLog one, two;
  one.Attach(first);
  two.Attach(second);
  Send(first, WM_LBUTTONDOWN);
  Send(second, WM_MOUSEMOVE);
  Send(second, WM_MOUSEMOVE);
  EXPECT_EQ(one.down, 1);
  EXPECT_EQ(one.Total(), 1);
  EXPECT_EQ(two.move, 2);
  EXPECT_EQ(two.Total(), 2);
  // Every other message reaches the form's own procedure.
  SetWindowTextW(form.Handle(), L"Mesajlar");
  EXPECT_EQ(FormText(), "Mesajlar");
  EXPECT_EQ(SendMessageW(form.Handle(), WM_USER + 3, 0, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(one.Total() + two.Total(), 3);
}

TEST_F(TrayIcon, AnIdentifierFreedEarlierIsNotSharedByANewIcon) {
  auto* first = new TTrayIcon(&form);
  auto* second = new TTrayIcon(&form);
  first->Free();
  TTrayIcon third(&form);  // two icons now: the count says 2, which the second one holds
  EXPECT_EQ(second->IconID(), 2);
  EXPECT_EQ(third.IconID(), 3);
  EventLog log;
  log.Attach(third);
  Send(*second, WM_LBUTTONDOWN);
  EXPECT_EQ(log.Total(), 0);
}

// The two hooks on one window come off in either order; what stays keeps working, and at the
// end the form's own procedure answers alone.
class TrayHookOrder : public TrayFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(TrayHookOrder, HooksComeOffInEitherOrder) {
  auto* first = new TTrayIcon(&form);
  auto* second = new TTrayIcon(&form);
  const UINT firstMessage = first->CallbackMessage(), secondMessage = second->CallbackMessage();
  EventLog one, two;
  one.Attach(*first);
  two.Attach(*second);
  TTrayIcon* gone = GetParam() ? first : second;
  TTrayIcon* kept = GetParam() ? second : first;
  EventLog& keptLog = GetParam() ? two : one;
  gone->Free();
  EXPECT_EQ(Send(*kept, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(keptLog.dblClick, 1);
  SetWindowTextW(form.Handle(), L"Bir");
  EXPECT_EQ(FormText(), "Bir");
  kept->Free();
  SendMessageW(form.Handle(), firstMessage, 1, WM_LBUTTONDOWN);
  SendMessageW(form.Handle(), secondMessage, 2, WM_LBUTTONDOWN);
  EXPECT_EQ(one.Total() + two.Total(), 1);
  SetWindowTextW(form.Handle(), L"İki");
  EXPECT_EQ(FormText(), "İki");
  form.Show();
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; }));
}

INSTANTIATE_TEST_SUITE_P(FirstOrSecondFirst, TrayHookOrder, ::testing::Bool());

TEST_F(TrayIcon, TheRecordIsTheFirstFormWithTheStockIconWhenThePictureIsEmpty) {
  TTrayIcon icon(&form);
  EXPECT_TRUE(icon.Hooked());
  EXPECT_TRUE(icon.Icon()->Empty());
  NOTIFYICONDATAW data = icon.NotifyRecord();
  EXPECT_EQ(data.cbSize, NOTIFYICONDATAW_V1_SIZE);
  EXPECT_EQ(data.hWnd, form.Handle());
  EXPECT_EQ(data.uID, 1u);
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
  EXPECT_EQ(data.uCallbackMessage, WM_USER + 1u);
  EXPECT_EQ(data.hIcon, LoadIconW(nullptr, IDI_WINLOGO));
  EXPECT_EQ(data.szTip[0], L'\0');
}

TEST_F(TrayIcon, ASetIconIsCopiedAndShownAndAnEmptyOneBringsTheStockIconBack) {
  TTrayIcon icon(&form);
  const std::vector<std::uint8_t> file = IconFile(0xFF00FF00);
  TIcon green;
  ASSERT_NO_THROW(green.LoadFromBytes(file.data(), file.size()));
  ASSERT_NO_THROW(icon.SetIcon(&green));
  EXPECT_EQ(icon.Icon()->Width(), 16);
  NOTIFYICONDATAW data = icon.NotifyRecord();
  EXPECT_EQ(data.hIcon, icon.Icon()->Handle());
  EXPECT_NE(data.hIcon, LoadIconW(nullptr, IDI_WINLOGO));
  icon.SetIcon(nullptr);
  EXPECT_EQ(icon.NotifyRecord().hIcon, LoadIconW(nullptr, IDI_WINLOGO));
}

TEST_F(TrayIcon, TheTipIsCutToSixtyThreeCharacters) {
  TTrayIcon icon(&form);
  icon.SetTip("Mesajlar devam ediyor");
  NOTIFYICONDATAW data = icon.NotifyRecord();
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_STREQ(data.szTip, L"Mesajlar devam ediyor");

  std::string longTip;
  for (int i = 0; i < 70; ++i) longTip += static_cast<char>('a' + i % 26);
  icon.SetTip(longTip);
  EXPECT_EQ(icon.Tip(), longTip);  // the property keeps the whole text
  data = icon.NotifyRecord();
  EXPECT_EQ(std::wcslen(data.szTip), 63u);
  EXPECT_EQ(std::wstring(data.szTip), std::wstring(longTip.begin(), longTip.begin() + 63));

  // Turkish letters count as one character each; a letter outside the basic plane is never cut
  // in half.
  std::string turkish;
  for (int i = 0; i < 70; ++i) turkish += "ş";
  icon.SetTip(turkish);
  EXPECT_EQ(std::wstring(icon.NotifyRecord().szTip), std::wstring(63, L'\u015F'));
  icon.SetTip(std::string(62, 'x') + "\xF0\x9F\x98\x80");  // 62 letters and one pair of units
  EXPECT_EQ(std::wstring(icon.NotifyRecord().szTip), std::wstring(62, L'x'));
}

TEST_F(TrayIcon, TheShellTakesTheIconAndGivesItBack) {
  form.Show();
  TTrayIcon icon(&form);
  EXPECT_TRUE(icon.NotifyShell(TTrayIcon::nsAdd));
  icon.SetTip("Quillimo");
  EXPECT_TRUE(icon.NotifyShell(TTrayIcon::nsModify));
  EXPECT_TRUE(icon.NotifyShell(TTrayIcon::nsDelete));
  EXPECT_FALSE(icon.NotifyShell(3));
  EXPECT_FALSE(icon.NotifyShell(-1));
  icon.ShowIcon();
  icon.HideIcon();
  icon.ShowIcon();  // removed again by the destructor
}

// The shell's own answer tells whether it holds the icon: it modifies only an icon it has.
static bool ShellHolds(TTrayIcon& icon) { return icon.NotifyShell(TTrayIcon::nsModify); }

// When Explorer restarts, the task bar comes back without any icon and says so with the
// registered message "TaskbarCreated" to every top-level window.
TEST_F(TrayIcon, AShownIconComesBackWhenTheTaskBarIsMadeAgain) {
  form.Show();
  TTrayIcon icon(&form);
  icon.ShowIcon();
  ASSERT_TRUE(ShellHolds(icon));
  NOTIFYICONDATAW record = icon.NotifyRecord();
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &record));  // the task bar went away with it
  ASSERT_FALSE(ShellHolds(icon));
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  SendMessageW(form.Handle(), taskbarCreated, 0, 0);
  EXPECT_TRUE(ShellHolds(icon));
  icon.HideIcon();
  SendMessageW(form.Handle(), taskbarCreated, 0, 0);
  EXPECT_FALSE(ShellHolds(icon));  // a hidden icon stays hidden
}

TEST(TrayIconWithoutAWindow, ShowingTheIconMakesTheFormsWindow) {
  TForm owner(nullptr);
  TTrayIcon icon(&owner);
  ASSERT_FALSE(owner.HandleAllocated());
  icon.ShowIcon();
  ASSERT_TRUE(owner.HandleAllocated());
  EXPECT_EQ(icon.WindowHandle(), owner.Handle());
  EXPECT_TRUE(ShellHolds(icon));
}

TEST_F(TrayIcon, AWindowMadeAnewWhileTheIconIsShownGetsTheIconBack) {
  TTrayIcon icon(&form);
  icon.ShowIcon();
  form.DestroyHandle();
  form.HandleNeeded();
  EXPECT_TRUE(ShellHolds(icon));
  icon.HideIcon();
  form.DestroyHandle();
  form.HandleNeeded();
  EXPECT_FALSE(ShellHolds(icon));
}

TEST_F(TrayIcon, AWindowDestroyedFirstTakesTheIconWithIt) {
  auto* owner = new TForm(nullptr);
  owner->HandleNeeded();
  auto* icon = new TTrayIcon(owner);
  ASSERT_TRUE(icon->NotifyShell(TTrayIcon::nsAdd));
  DestroyWindow(owner->Handle());
  EXPECT_EQ(icon->WindowHandle(), nullptr);
  EXPECT_FALSE(icon->Hooked());
  EXPECT_FALSE(icon->NotifyShell(TTrayIcon::nsModify));
  delete icon;
  delete owner;
}

TEST(TrayIconLayout, AStoredLayoutCarriesTheIconItsTipAndItsMenu) {
  const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (const TPropInfo* p : GetPropList(TTrayIcon::StaticClassInfo())) n.push_back(p->Name);
    return n;
  }();
  const std::vector<std::string> published = {"Icon",       "Tip",         "PopupMenu",   "OnClick",
                                              "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"};
  for (const std::string& name : published) EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  std::vector<std::string> order;
  for (const std::string& n : names)
    if (std::find(published.begin(), published.end(), n) != published.end()) order.push_back(n);
  EXPECT_EQ(order, published);

  const std::string text =
      "object Form1: TForm\n"
      "  object PopupMenu1: TPopupMenu\n"
      "  end\n"
      "  object TrayIcon1: TTrayIcon\n"
      "    Tip = 'Quillimo'\n"
      "    PopupMenu = PopupMenu1\n"
      "  end\n"
      "end\n";
  const std::string binary = ObjectTextToBinary(text);
  TMemoryStream stream;
  stream.Write(binary.data(), static_cast<std::int64_t>(binary.size()));
  stream.SetPosition(0);
  TForm form(nullptr);
  ReadComponentFromStream(stream, &form);
  auto* icon = dynamic_cast<TTrayIcon*>(form.FindComponent("TrayIcon1"));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Tip(), "Quillimo");
  EXPECT_EQ(icon->PopupMenu(), form.FindComponent("PopupMenu1"));
  EXPECT_EQ(icon->IconID(), 1);
  EXPECT_EQ(icon->WindowHandle(), form.Handle());
}
