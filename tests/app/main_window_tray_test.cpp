// The tray icon of the main window: its stored picture and menu, Hide and Show through the
// notification area, and the right button opening the tray menu.
// The main window's header first: the toolkit's headers keep the system's GetObject macro out
// of the way only when they come before <windows.h>.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "toolkit/win/graphics.h"
#include "win_test_support.h"

namespace {

class MainWindowTray : public ::testing::Test {
protected:
  static void SetUpTestSuite() { apptest::StartProgramWindows(startFailure); }
  void SetUp() override { ASSERT_NE(Form1, nullptr) << "start-up failed: " << startFailure; }
  void TearDown() override {
    if (!Form1) return;
    if (!Form1->Visible()) Form1->Show();
    Form1->TrayIcon1->HideIcon();
  }
  // Whether the notification area holds the icon: it takes a change only of an icon it has.
  static bool IconShown() { return Form1->TrayIcon1->NotifyShell(TTrayIcon::nsModify); }
  static LRESULT SendCallback(UINT action) {
    TTrayIcon* icon = Form1->TrayIcon1;
    return SendMessageW(icon->WindowHandle(), icon->CallbackMessage(), static_cast<WPARAM>(icon->IconID()), action);
  }
  static inline std::string startFailure;
};

TEST_F(MainWindowTray, TheIconComesFromTheLayoutWithItsPictureAndTheTrayMenu) {
  TTrayIcon* icon = Form1->TrayIcon1;
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Owner(), Form1);
  EXPECT_EQ(icon->WindowHandle(), Form1->Handle());
  EXPECT_TRUE(icon->Hooked());
  EXPECT_EQ(icon->IconID(), 1);
  EXPECT_EQ(icon->PopupMenu(), Form1->PopupMenu1);
  EXPECT_EQ(icon->Tip(), "");
  EXPECT_FALSE(icon->OnClick.Assigned());
  EXPECT_FALSE(icon->OnDblClick.Assigned());
  EXPECT_FALSE(icon->OnMouseDown.Assigned());
  EXPECT_FALSE(icon->OnMouseMove.Assigned());
  EXPECT_FALSE(icon->OnMouseUp.Assigned());

  // The picture: one 32 x 32 image in 256 colours, shown instead of the stock logo.
  ASSERT_FALSE(icon->Icon()->Empty());
  EXPECT_EQ(icon->Icon()->Width(), 32);
  EXPECT_EQ(icon->Icon()->Height(), 32);
  const std::vector<std::uint8_t> ico = icon->Icon()->SaveToBytes();
  ASSERT_GE(ico.size(), 22u);
  EXPECT_EQ(ico[4] | (ico[5] << 8), 1);  // one image
  EXPECT_EQ(ico[6], 32);
  EXPECT_EQ(ico[7], 32);
  EXPECT_EQ(ico[12] | (ico[13] << 8), 8);  // bits per pixel
  NOTIFYICONDATAW data = icon->NotifyRecord();
  EXPECT_EQ(data.hIcon, icon->Icon()->Handle());
  EXPECT_NE(data.hIcon, LoadIconW(nullptr, IDI_WINLOGO));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(data.hIcon, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 32);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(MainWindowTray, HideShowsTheIconAndHidesTheWindowAndShowDoesTheReverse) {
  ASSERT_TRUE(IsWindowVisible(Form1->Handle()));
  EXPECT_FALSE(IconShown());
  apptest::ClickToolButton(Form1->ToolButton5);
  EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
  EXPECT_FALSE(Form1->Visible());
  EXPECT_TRUE(IconShown());

  Form1->Gster1->Click();
  EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
  EXPECT_TRUE(Form1->Visible());
  EXPECT_FALSE(IconShown());
  // And again: Hide puts it back.
  apptest::ClickToolButton(Form1->ToolButton5);
  EXPECT_TRUE(IconShown());
  EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
  Form1->Gster1->Click();
  EXPECT_FALSE(IconShown());
}

TEST_F(MainWindowTray, TheRightButtonOpensTheTrayMenuAndShowFromItBringsTheWindowBack) {
  apptest::ClickToolButton(Form1->ToolButton5);
  ASSERT_FALSE(IsWindowVisible(Form1->Handle()));
  {
    MenuWatcher watcher(false);
    EXPECT_EQ(SendCallback(WM_RBUTTONDOWN), 0);
    EXPECT_EQ(watcher.Opened(), 1);
  }
  EXPECT_EQ(Form1->PopupMenu1->PopupComponent, Form1);
  EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
  {
    // The first item of the tray menu is "Göster".
    MenuWatcher watcher(true);
    SendCallback(WM_RBUTTONDOWN);
    EXPECT_EQ(watcher.Opened(), 1);
  }
  EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
  EXPECT_FALSE(IconShown());
}

TEST_F(MainWindowTray, LeftClicksAndDoubleClicksDoNothing) {
  apptest::ClickToolButton(Form1->ToolButton5);
  MenuWatcher watcher(false);
  for (UINT action : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MOUSEMOVE})
    EXPECT_EQ(SendCallback(action), 0) << action;
  PumpFor(100);
  EXPECT_EQ(watcher.Opened(), 0);
  EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
  EXPECT_TRUE(IconShown());
}

}  // namespace
