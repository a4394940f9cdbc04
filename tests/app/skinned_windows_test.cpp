// The program's windows in the skin: each gets its skinned frame when it is first activated
// (the main window, the About window, the error box, the font dialog), the tray menu is drawn
// by the pop-up wrapper, and a pop-up menu of the main window is owner-drawn in the skin.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "skin/data/skin_manager.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/high_contrast.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/window_side.h"
#include "toolkit/win/application.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/win_test_support.h"

namespace {
class SkinnedWindows : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    std::string failure;
    if (!apptest::StartProgramWindows(failure)) FAIL() << "start-up failed: " << failure;
  }
};

// Opens a modal window with `open`; from the window's own loop, once the window in front is
// another than the main window and its frame runs, notes its class and whether it is framed,
// then closes it.
struct ModalFrameCheck {
  std::string className;
  bool framed = false;
  bool answered = false;  // QuerySkinned answered 1
  void Run(const std::function<void()>& open) {
    current = this;
    UINT_PTR timer = SetTimer(nullptr, 0, 60, &ModalFrameCheck::Tick);
    open();
    KillTimer(nullptr, timer);
    current = nullptr;
    PumpFor(50);
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND front = GetActiveWindow();
    if (!current || !front || front == Form1->Handle() || current->answered) return;
    TSkinFormFrame* frame = FrameWindowSide() ? FrameWindowSide()->FindForm(front) : nullptr;
    if (!frame || frame->FrameState() != TFrameState::Running) return;
    wchar_t name[101] = {};
    GetClassNameW(front, name, 101);
    current->className = std::string(name, name + wcslen(name));
    current->framed = true;
    current->answered = SendMessageW(front, SkinMessage::QuerySkinned, 0, 0) == 1;
    PostMessageW(front, WM_CLOSE, 0, 0);
  }
  static inline ModalFrameCheck* current = nullptr;
};
}  // namespace

TEST_F(SkinnedWindows, EveryWindowIsFramedWhenFirstActivated) {
  TFrameWindowSide* side = FrameWindowSide();
  ASSERT_NE(side, nullptr);
  TSkinFormFrame* main = side->FindForm(Form1->Handle());
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->SkinData(), Form1->skin);
  EXPECT_NE(main->Menus().Bar(), nullptr);
  EXPECT_EQ(Form1->Color(), Form1->skin->Model().ButtonFaceColour);

  ModalFrameCheck about;
  about.Run([] { Form1->Hakknda1->Click(); });
  EXPECT_TRUE(about.framed);
  EXPECT_TRUE(about.answered);
  EXPECT_EQ(about.className, "TForm2");

  ModalFrameCheck error;
  error.Run([] { Application->ShowException("'abc' is not a valid integer value."); });
  EXPECT_TRUE(error.framed);
  EXPECT_EQ(error.className, "#32770");

  ModalFrameCheck font;
  font.Run([] { Form1->Button5Click(nullptr); });
  EXPECT_TRUE(font.framed);
  EXPECT_EQ(font.className, "#32770");
  // The frames of the dialogs go with their windows.
  side->PurgeDeadForms();
  for (TSkinFormFrame* frame : side->FormList()) EXPECT_TRUE(IsWindow(frame->Handle()));
}

TEST_F(SkinnedWindows, TheFlashWindowShownWithoutActivationIsFramedToo) {
  Form3->ShowMessageAt("Kendime güveniyorum.", 40, 40, false);
  PumpFor(50);
  EXPECT_NE(FrameWindowSide()->FindForm(Form3->Handle()), nullptr);
  EXPECT_NE(GetActiveWindow(), Form3->Handle());
  Form3->Hide();
  PumpFor(20);
}

TEST_F(SkinnedWindows, TheTrayMenuIsOwnerDrawnInTheSkinAndWrapped) {
  TPopupMenu* tray = Form1->PopupMenu1;
  EXPECT_TRUE(tray->OwnerDraw());
  ASSERT_GT(tray->Items()->Count(), 0);
  EXPECT_TRUE(static_cast<bool>(tray->Items()->Items(0)->OnAdvancedDrawItem));
  static int wrapped = -1;
  wrapped = -1;
  UINT_PTR timer = SetTimer(nullptr, 0, 60, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu) || wrapped != -1) return;
    wrapped = static_cast<int>(SendMessageW(menu, SkinMessage::QuerySkinned, 0, 0));
    EndMenu();
  });
  tray->Popup(100, 100);
  KillTimer(nullptr, timer);
  PumpFor(50);
  EXPECT_EQ(wrapped, 1);
}

// The About window is a dialog frame with a close button: the skin shows that button, and a
// click on it closes the window.
TEST_F(SkinnedWindows, TheAboutWindowClosesWithItsSkinnedCloseButton) {
  static bool clicked = false;
  clicked = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 60, [](HWND, UINT, UINT_PTR id, DWORD) {
    TSkinFormFrame* frame = FrameWindowSide() ? FrameWindowSide()->FindForm(Form2->Handle()) : nullptr;
    if (!frame || frame->FrameState() != TFrameState::Running || !Form2->Showing()) return;
    for (auto& b : frame->CaptionButtons()) {
      if (!b->Visible || b->SkinButton->Action != 0) continue;
      KillTimer(nullptr, id);
      RECT wr{};
      GetWindowRect(Form2->Handle(), &wr);
      const LPARAM at = MAKELPARAM(wr.left + b->Bounds.left + 3, wr.top + b->Bounds.top + 3);
      SendMessageW(Form2->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
      SendMessageW(Form2->Handle(), WM_NCLBUTTONUP, HTCAPTION, at);
      clicked = true;
      return;
    }
  });
  // Closes it anyway after a while, so that a missing button fails the test instead of hanging it.
  UINT_PTR fallback = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (Form2->Showing()) PostMessageW(Form2->Handle(), WM_CLOSE, 0, 0);
  });
  Form1->Hakknda1->Click();
  KillTimer(nullptr, timer);
  KillTimer(nullptr, fallback);
  EXPECT_TRUE(clicked);
  EXPECT_FALSE(Form2->Visible());
}

// The skinned menu bar draws the menu's own captions: a language switch renames them there too.
TEST_F(SkinnedWindows, TheSkinnedMenuBarFollowsALanguageSwitch) {
  TSkinFormFrame* main = FrameWindowSide() ? FrameWindowSide()->FindForm(Form1->Handle()) : nullptr;
  ASSERT_TRUE(main && main->Menus().Bar());
  auto captions = [&] {
    std::vector<std::string> shown;
    for (const auto& button : main->Menus().Bar()->Buttons()) shown.push_back(button->Caption());
    return shown;
  };
  apptest::ClickToolButton(Form1->ToolButton1);
  PumpFor(50);
  EXPECT_EQ(captions(), (std::vector<std::string>{"Skins", "Help", "About"}));
  apptest::ClickToolButton(Form1->ToolButton2);
  PumpFor(50);
  EXPECT_EQ(captions(), (std::vector<std::string>{"Arayüz", "Yardım", "Hakkında"}));
}

// While the system's high-contrast mode is on the windows keep their native frames and colours;
// when it goes off the skin comes back, without a restart. (Wine cannot switch the mode: the
// test answers for the system.)
TEST_F(SkinnedWindows, HighContrastSetsTheSkinAsideUntilItGoesOff) {
  bool on = true;
  SetHighContrastQuery([&] { return on; });
  const auto framed = [] { return FrameWindowSide()->FindForm(Form1->Handle()) != nullptr; };
  SendMessageW(Form1->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_TRUE(PumpUntil([&] { return !framed(); }, 3000));
  EXPECT_TRUE(IsSystemColor(Form1->Color()));  // the layout's own colour
  on = false;
  SendMessageW(Form1->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_TRUE(PumpUntil(framed, 3000));
  EXPECT_EQ(Form1->Color(), Form1->skin->Model().ButtonFaceColour);
  SetHighContrastQuery(nullptr);
}
