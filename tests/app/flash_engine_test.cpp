// The flashing engine in the real main window: Start gathering the run list from a catalogue
// in a temporary program directory, the timers, the flash window's text and place, the
// failures that end Start, and a flash that never takes the focus or a task-bar button.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/composition_clock.h"
#include "app/flash_window.h"
#include "app/formats/fake_frame_clock.h"
#include "app/formats/random_source.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "win_test_support.h"

namespace {

using apptest::Message;
using apptest::Program;

class FlashEngine : public ::testing::Test {
protected:
  static void SetUpTestSuite() { apptest::StartProgramWindows(startFailure); }
  void SetUp() override {
    ASSERT_TRUE(Form1 && Form3) << "start-up failed: " << startFailure;
    Form1->Edit1->SetText("2");
    Form1->Edit2->SetText("40");
    Form1->RadioGroup4->SetItemIndex(0);
  }
  void TearDown() override {
    if (!Form1) return;
    Form1->ToolButton3Click(nullptr);
    Form3->Hide();
    Form1->programlist->Items()->Clear();
    Form1->mesajlist->Items()->Clear();
  }

  // What the engine draws at its next tick: the message index below n, then x and y.
  struct Draw {
    int K, X, Y;
  };
  static Draw NextDraw(int n) {
    TRandomSource copy = ProgramRandom();
    Draw d;
    d.K = copy.Random(n);
    d.X = copy.RandomRange(50, 900);
    d.Y = copy.RandomRange(50, 700);
    return d;
  }
  static POINT Centred() {
    return {std::max(0, (GetSystemMetrics(SM_CXSCREEN) - Form3->Width()) / 2),
            std::max(0, (GetSystemMetrics(SM_CYSCREEN) - Form3->Height()) / 2)};
  }
  static RECT FlashRect() {
    RECT r{};
    GetWindowRect(Form3->Handle(), &r);
    return r;
  }
  static std::vector<std::string> MemoLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < Form1->mesajlar->Lines()->Count(); ++i) lines.push_back(Form1->mesajlar->Lines()->Strings(i));
    return lines;
  }
  static std::vector<std::string> ListTexts(TCheckListBox* list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->Count(); ++i) texts.push_back(list->Items()->Strings(i));
    return texts;
  }

  static inline std::string startFailure;
  apptest::TempCatalogue catalogue;
};

using Texts = std::vector<std::string>;

// The flash window is created with the centre placement armed, so this must be the first tick
// of the program (the first test of the engine that ticks).
TEST_F(FlashEngine, InRandomModeTheFirstMessageIsCentredAndLaterOnesAtTheDrawnPoint) {
  ASSERT_TRUE(Form1->flashEngine.CentreArmed()) << "a flash was shown before this test";
  catalogue.Write({{"Sabah", true, {{"Ben sakinim"}, {"Her gun daha iyi"}}}});
  Form1->ToolButton6Click(nullptr);
  ASSERT_EQ(Form1->flashEngine.RunList().size(), 2u);

  Draw first = NextDraw(2);
  Form1->Timer1Timer(Form1->Timer1);
  EXPECT_EQ(Form3->Label1->Caption(), Form1->flashEngine.RunList()[static_cast<std::size_t>(first.K)]);
  POINT centre = Centred();
  EXPECT_EQ(FlashRect().left, centre.x);
  EXPECT_EQ(FlashRect().top, centre.y);
  EXPECT_FALSE(Form1->flashEngine.CentreArmed());
  Form1->Timer2Timer(Form1->Timer2);

  for (int i = 0; i < 3; ++i) {
    Draw next = NextDraw(2);
    Form1->Timer1Timer(Form1->Timer1);
    EXPECT_EQ(Form3->Label1->Caption(), Form1->flashEngine.RunList()[static_cast<std::size_t>(next.K)]);
    EXPECT_EQ(FlashRect().left, next.X);
    EXPECT_EQ(FlashRect().top, next.Y);
    Form1->Timer2Timer(Form1->Timer2);
  }
}

TEST_F(FlashEngine, StartGathersTheTickedMessagesOfEveryProgramInCatalogueOrder) {
  catalogue.Write({{"Sabah", true, {{"Ben sakinim"}, {"Atlanan", false}, {"Bir, iki, uc"}}},
                   {"Aksam", false, {{"Uyku kolay gelir"}, {"Ben sakinim"}}},
                   {"Bos", true, {}},
                   {"Bosluk", true, {{""}}},  // an empty text is a message too
                   {"Son", true, {{"Kapali", false}, {"Son mesaj"}}}});
  Form1->programlist->SetItemIndex(1);
  Form1->ToolButton6Click(nullptr);

  const Texts expected = {"Ben sakinim", "Bir, iki, uc", "Uyku kolay gelir", "Ben sakinim", "", "Son mesaj"};
  EXPECT_EQ(Form1->flashEngine.RunList(), expected);
  EXPECT_EQ(MemoLines(), expected);
  // The last program is selected and the message list shows its file.
  EXPECT_EQ(Form1->programlist->ItemIndex(), 4);
  EXPECT_EQ(ListTexts(Form1->mesajlist), (Texts{"Kapali", "Son mesaj"}));
  EXPECT_FALSE(Form1->mesajlist->Checked(0));
  EXPECT_TRUE(Form1->mesajlist->Checked(1));
  // Waiting: the period timer runs, the duration timer waits for the first flash.
  EXPECT_TRUE(Form1->Timer1->Enabled());
  EXPECT_EQ(Form1->Timer1->Interval(), 2000);
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_EQ(Form1->Timer2->Interval(), 40);

  // Every Start builds the list afresh: a changed file reaches the next one, not the running one.
  catalogue.WriteFile("language0\\Son.txt", "Yeni,1\r\n");
  EXPECT_EQ(Form1->flashEngine.RunList(), expected);
  Form1->MesajlarDevamEtsin1Click(Form1->MesajlarDevamEtsin1);
  const Texts renewed = {"Ben sakinim", "Bir, iki, uc", "Uyku kolay gelir", "Ben sakinim", "", "Yeni"};
  EXPECT_EQ(Form1->flashEngine.RunList(), renewed);
  EXPECT_EQ(MemoLines(), renewed);
}

TEST_F(FlashEngine, TicksShowAndHideTheFlashAndStopDisarmsBothTimers) {
  catalogue.Write({{"Sabah", true, {{"Tek mesaj"}}}});
  Form1->ToolButton6Click(nullptr);
  for (int i = 0; i < 2; ++i) {
    Draw d = NextDraw(1);
    EXPECT_EQ(d.K, 0);
    Form1->Timer1Timer(Form1->Timer1);
    EXPECT_TRUE(Form3->Visible());
    EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
    EXPECT_EQ(Form3->Label1->Caption(), "Tek mesaj");
    EXPECT_EQ(Form3->ClientWidth(), Form3->Label1->Width());
    EXPECT_EQ(FlashRect().left, d.X);
    EXPECT_TRUE(Form1->Timer2->Enabled());
    EXPECT_TRUE(Form1->Timer1->Enabled());
    Form1->Timer2Timer(Form1->Timer2);
    EXPECT_FALSE(IsWindowVisible(Form3->Handle()));
    EXPECT_FALSE(Form1->Timer2->Enabled());
    EXPECT_TRUE(Form1->Timer1->Enabled());
  }
  // Stop leaves a message on screen where it is, and keeps the run list.
  Form1->Timer1Timer(Form1->Timer1);
  Form1->MesajlarDurdur1Click(Form1->MesajlarDurdur1);
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
  EXPECT_EQ(Form1->flashEngine.RunList(), (Texts{"Tek mesaj"}));
  // Start from the tool bar, as a click sends it.
  apptest::ClickToolButton(Form1->ToolButton6);
  EXPECT_TRUE(Form1->Timer1->Enabled());
  apptest::ClickToolButton(Form1->ToolButton3);
  EXPECT_FALSE(Form1->Timer1->Enabled());
}

TEST_F(FlashEngine, CentreModeCentresEveryMessageAndThePlacementIsReadAtEachTick) {
  catalogue.Write({{"Sabah", true, {{"Kisa"}, {"Bu mesaj digerinden cok daha uzundur"}}}});
  Form1->ToolButton6Click(nullptr);
  Form1->RadioGroup4->SetItemIndex(1);
  for (int i = 0; i < 4; ++i) {
    Form1->Timer1Timer(Form1->Timer1);
    POINT centre = Centred();
    EXPECT_EQ(FlashRect().left, centre.x) << Form3->Label1->Caption();
    EXPECT_EQ(FlashRect().top, centre.y);
    Form1->Timer2Timer(Form1->Timer2);
  }
  // A tick while the message is still on the screen (a duration not shorter than the period)
  // leaves the window at the drawn point.
  Form1->Timer1Timer(Form1->Timer1);
  Draw shown = NextDraw(2);
  Form1->Timer1Timer(Form1->Timer1);
  EXPECT_EQ(FlashRect().left, shown.X);
  EXPECT_EQ(FlashRect().top, shown.Y);
  Form1->Timer2Timer(Form1->Timer2);
  Form1->RadioGroup4->SetItemIndex(0);
  Form1->Timer1Timer(Form1->Timer1);  // the placement armed meanwhile centres this one
  EXPECT_EQ(FlashRect().left, Centred().x);
  Form1->Timer2Timer(Form1->Timer2);
  Draw d = NextDraw(2);
  Form1->Timer1Timer(Form1->Timer1);
  EXPECT_EQ(FlashRect().left, d.X);
  EXPECT_EQ(FlashRect().top, d.Y);
}

TEST_F(FlashEngine, WithNoTickedMessageEachTickShowsAnEmptyText) {
  catalogue.Write({{"Sabah", true, {{"Kapali", false}}}, {"Bos", true, {}}});
  Form1->ToolButton6Click(nullptr);
  EXPECT_TRUE(Form1->flashEngine.RunList().empty());
  EXPECT_EQ(Form1->mesajlar->Lines()->Count(), 0);
  EXPECT_TRUE(Form1->Timer1->Enabled());
  Form1->Timer1Timer(Form1->Timer1);
  EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
  EXPECT_EQ(Form3->Label1->Caption(), "");
  EXPECT_TRUE(Form1->Timer2->Enabled());
}

TEST_F(FlashEngine, TheRealTimersShowAndHideTheMessage) {
  catalogue.Write({{"Sabah", true, {{"Zamanli mesaj"}}}});
  Form1->Edit1->SetText("1");
  Form1->Edit2->SetText("30");
  Form1->ToolButton6Click(nullptr);
  EXPECT_TRUE(PumpUntil([] { return IsWindowVisible(Form3->Handle()) != FALSE; }, 10000));
  EXPECT_EQ(Form3->Label1->Caption(), "Zamanli mesaj");
  EXPECT_TRUE(PumpUntil([] { return IsWindowVisible(Form3->Handle()) == FALSE; }, 10000));
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_TRUE(Form1->Timer1->Enabled());
}

// On a composed desktop (here a clock the test composes) a flash stays for whole compositions,
// counted off the user-interface thread instead of by Timer2; the end hides it as Timer2's tick
// would, and a count stopped meanwhile hides nothing.
TEST_F(FlashEngine, OnAComposedDesktopTheFlashStaysForWholeFrames) {
  auto owned = std::make_unique<FakeFrameClock>(1000.0 / 60);
  FakeFrameClock& clock = *owned;
  Form1->flashHost.UseFrameClock(std::move(owned));
  struct Restore {
    FakeFrameClock& clock;
    ~Restore() {
      clock.Close();
      Form1->flashHost.UseFrameClock(std::make_unique<TCompositionClock>());
    }
  } restore{clock};
  catalogue.Write({{"Sabah", true, {{"Kare mesaj"}}}});
  Form1->Edit2->SetText("40");  // 2.4 frames at 60 Hz: two
  Form1->ToolButton6Click(nullptr);
  Form1->Timer1Timer(Form1->Timer1);
  EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_TRUE(Form1->flashHost.CountingFrames());
  ASSERT_TRUE(clock.AwaitWaits(1));
  clock.Compose();  // the flash is presented
  ASSERT_TRUE(clock.AwaitWaits(2));
  PumpFor(50);
  EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
  clock.Compose();  // and stays a second frame
  EXPECT_TRUE(PumpUntil([] { return IsWindowVisible(Form3->Handle()) == FALSE; }, 10000));
  EXPECT_FALSE(Form1->flashHost.CountingFrames());
  EXPECT_TRUE(Form1->Timer1->Enabled());

  Form1->Edit2->SetText("10");  // a single frame
  Form1->ToolButton6Click(nullptr);
  Form1->Timer1Timer(Form1->Timer1);
  ASSERT_TRUE(clock.AwaitWaits(3));
  Form1->ToolButton3Click(nullptr);  // Stop leaves the message on screen
  clock.Compose();
  PumpFor(100);
  EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
  EXPECT_FALSE(Form1->flashHost.CountingFrames());
}

TEST_F(FlashEngine, APeriodOfZeroShowsNothingAndADurationOfZeroLeavesTheMessageOnScreen) {
  catalogue.Write({{"Sabah", true, {{"Sifir"}}}});
  Form1->Edit1->SetText("0");
  Form1->ToolButton6Click(nullptr);
  EXPECT_TRUE(Form1->Timer1->Enabled());
  EXPECT_EQ(Form1->Timer1->Interval(), 0);
  PumpFor(300);
  EXPECT_FALSE(IsWindowVisible(Form3->Handle()));

  Form1->Edit1->SetText("1");
  Form1->Edit2->SetText("0");
  Form1->ToolButton6Click(nullptr);
  EXPECT_EQ(Form1->Timer2->Interval(), 0);
  EXPECT_TRUE(PumpUntil([] { return IsWindowVisible(Form3->Handle()) != FALSE; }, 10000));
  EXPECT_TRUE(Form1->Timer2->Enabled());
  PumpFor(300);
  EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
}

TEST_F(FlashEngine, APeriodOrDurationThatIsNoWholeNumberEndsStartWithTheErrorBox) {
  catalogue.Write({{"Sabah", true, {{"Ilk"}}}});
  Form1->ToolButton6Click(nullptr);
  Form1->Timer1Timer(Form1->Timer1);
  ASSERT_TRUE(Form1->Timer1->Enabled() && Form1->Timer2->Enabled());
  catalogue.WriteFile("language0\\Sabah.txt", "Yeni liste,1\r\n");

  Form1->Edit1->SetText("abc");
  {
    MessageBoxCatcher boxes;
    apptest::ClickToolButton(Form1->ToolButton6);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Title, "Quillimo");
    EXPECT_EQ(boxes.Boxes()[0].Text, "'abc' is not a valid integer value.");
    EXPECT_EQ(boxes.Boxes()[0].Style, static_cast<UINT>(MB_OK | MB_ICONSTOP));
  }
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_FALSE(Form1->Timer2->Enabled());
  // The run list was rebuilt before the failing step.
  EXPECT_EQ(Form1->flashEngine.RunList(), (Texts{"Yeni liste"}));
  EXPECT_EQ(MemoLines(), (Texts{"Yeni liste"}));

  Form1->Edit1->SetText("2");
  Form1->Edit2->SetText("x");
  {
    MessageBoxCatcher boxes;
    apptest::ClickToolButton(Form1->ToolButton6);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text, "'x' is not a valid integer value.");
  }
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_EQ(Form1->Timer1->Interval(), 2000);  // set at the step before the failing one
  EXPECT_FALSE(Form1->Timer2->Enabled());
}

TEST_F(FlashEngine, AMessageFileThatCannotBeReadEndsStartWithTheErrorBox) {
  catalogue.Write({{"Sabah", true, {{"Ilk"}}}, {"Kayip", true, {}}});
  DeleteFileW(Utf8ToWide(catalogue.Directory() + "\\language0\\Kayip.txt").c_str());
  {
    MessageBoxCatcher boxes;
    apptest::ClickToolButton(Form1->ToolButton6);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(
        boxes.Boxes()[0].Text.rfind("Cannot open file \"" + catalogue.Directory() + "\\language0\\Kayip.txt\".", 0), 0u)
        << boxes.Boxes()[0].Text;
  }
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_EQ(Form1->flashEngine.RunList(), (Texts{"Ilk"}));
}

TEST_F(FlashEngine, TheEngineRunsFromTheTrayMenuWhileTheMainWindowIsHidden) {
  catalogue.Write({{"Sabah", true, {{"Gizliyken de"}}}});
  Form1->ToolButton5Click(Form1->ToolButton5);
  Form1->MesajlarDevamEtsin1->Click();
  EXPECT_TRUE(Form1->Timer1->Enabled());
  EXPECT_EQ(Form1->flashEngine.RunList(), (Texts{"Gizliyken de"}));
  Form1->Timer1Timer(Form1->Timer1);
  EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
  EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
  Form1->Timer2Timer(Form1->Timer2);
  Form1->MesajlarDurdur1->Click();
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_FALSE(IsWindowVisible(Form3->Handle()));
  Form1->Gster1Click(Form1->Gster1);
  EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
}

// A plain window of another program stands for what the user works in.
class OtherProgramWindow {
public:
  OtherProgramWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillimoTestOtherProgram";
    RegisterClassW(&wc);
    wnd = CreateWindowExW(0, wc.lpszClassName, L"Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                          nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(wnd);
    SetActiveWindow(wnd);
    SetFocus(wnd);
    PumpFor(50);
  }
  ~OtherProgramWindow() { DestroyWindow(wnd); }
  HWND wnd = nullptr;
};

TEST_F(FlashEngine, AFlashLeavesTheForegroundActiveAndFocusedWindowAsTheyWere) {
  catalogue.Write({{"Sabah", true, {{"Odak sende kalir"}}}});
  Form1->Edit2->SetText("0");  // the message stays until hidden here
  Form1->ToolButton6Click(nullptr);
  for (bool mainWindowActive : {false, true}) {
    SCOPED_TRACE(mainWindowActive ? "main window active" : "another window active");
    OtherProgramWindow other;
    if (mainWindowActive) {
      SetForegroundWindow(Form1->Handle());
      SetActiveWindow(Form1->Handle());
      SetFocus(Form1->programedit->Handle());
      PumpFor(50);
    }
    HWND foreground = GetForegroundWindow(), active = GetActiveWindow(), focus = GetFocus();
    ASSERT_EQ(active, mainWindowActive ? Form1->Handle() : other.wnd);
    for (int i = 0; i < 2; ++i) {  // the second tick finds the window shown already
      Form1->Timer1Timer(Form1->Timer1);
      PumpFor(30);
      EXPECT_TRUE(IsWindowVisible(Form3->Handle()));
      EXPECT_EQ(GetForegroundWindow(), foreground);
      EXPECT_EQ(GetActiveWindow(), active);
      EXPECT_EQ(GetFocus(), focus);
      EXPECT_FALSE(Form3->Active());
    }
    // A click on the message does not activate it either.
    EXPECT_EQ(SendMessageW(Form3->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Form3->Handle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    Form1->Timer2Timer(Form1->Timer2);
    PumpFor(30);
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_EQ(GetFocus(), focus);
  }
}

// Whether a window is above another one.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

TEST_F(FlashEngine, TheFlashWindowIsAnOrdinaryOwnedWindowInFrontWithoutATaskBarButton) {
  catalogue.Write({{"Sabah", true, {{"Onde duran mesaj"}}}});
  Form1->Edit2->SetText("0");
  Form1->ToolButton6Click(nullptr);
  Form1->Timer1Timer(Form1->Timer1);
  HWND flash = Form3->Handle();
  const LONG_PTR style = GetWindowLongPtrW(flash, GWL_STYLE), ex = GetWindowLongPtrW(flash, GWL_EXSTYLE);
  // Owned by the main window: an owned window has no task-bar button, and none asks for one.
  EXPECT_EQ(GetWindow(flash, GW_OWNER), Form1->Handle());
  EXPECT_EQ(ex & WS_EX_APPWINDOW, 0);
  EXPECT_EQ(ex & WS_EX_TOPMOST, 0);
  EXPECT_EQ(style & WS_POPUP, WS_POPUP);
  EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU), 0);
  EXPECT_EQ(style & WS_CHILD, 0);
  // In front of the main window and of another program's window that was active.
  OtherProgramWindow other;
  Form1->Timer1Timer(Form1->Timer1);
  EXPECT_TRUE(Above(flash, Form1->Handle()));
  EXPECT_TRUE(Above(flash, other.wnd));
  EXPECT_EQ(GetForegroundWindow(), other.wnd);
  // It paints its text in the window-text colour on the skin's button face (the skin engine
  // took the window over at its first showing), in its own fixed font.
  EXPECT_EQ(Form3->Color(), Form1->skin->Model().ButtonFaceColour);
  EXPECT_EQ(Form3->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(Form3->Font()->Size(), 8);
  UpdateWindow(flash);
  PumpFor(50);
  RECT r = FlashRect();
  HDC screen = GetDC(nullptr);
  int face = 0, text = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      COLORREF c = GetPixel(screen, x, y);
      if (c == static_cast<COLORREF>(ColorToRGB(Form1->skin->Model().ButtonFaceColour)))
        ++face;
      else if (c == static_cast<COLORREF>(ColorToRGB(clWindowText)))
        ++text;
    }
  ReleaseDC(nullptr, screen);
  EXPECT_GT(face, text);
  EXPECT_GT(text, 10);
}

// Not a check: with QUILLIMO_FLASH_LOOK_MS set, the engine flashes a message in the centre of
// the screen, over the main window, for that many milliseconds, so that the screen can be
// photographed from outside while it is shown.
TEST_F(FlashEngine, AMessageShownForLooking) {
  wchar_t value[32] = {};
  if (!GetEnvironmentVariableW(L"QUILLIMO_FLASH_LOOK_MS", value, 32)) GTEST_SKIP() << "not asked for";
  catalogue.Write({{"Sabah", true, {{"Ben sakinim ve her gun daha iyiyim"}}}});
  Form1->PageControl1->SetActivePageIndex(1);
  SetForegroundWindow(Form1->Handle());
  Form1->Edit1->SetText("1");
  Form1->Edit2->SetText(std::to_string(_wtoi(value)));
  Form1->RadioGroup4->SetItemIndex(1);
  Form1->ToolButton6Click(nullptr);
  EXPECT_TRUE(PumpUntil([] { return IsWindowVisible(Form3->Handle()) != FALSE; }, 10000));
  EXPECT_TRUE(PumpUntil([] { return IsWindowVisible(Form3->Handle()) == FALSE; }, _wtoi(value) + 10000));
  Form1->PageControl1->SetActivePageIndex(0);
}

}  // namespace
