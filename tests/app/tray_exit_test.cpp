// vesperin.exe seen from outside: hidden into the notification area, it still ends by either
// Exit command, and its icon is gone afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "program_process.h"

namespace {

constexpr wchar_t kCaption[] = L"Quillimo v 1.1";

// Whether the notification area holds icon 1 of the window: it takes a change only of an icon
// it has (any process may ask).
bool IconShown(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = window;
  data.uID = 1;
  data.uFlags = 0;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

using quillimo::test::ClickToolBarButton;
using quillimo::test::WaitUntil;

class TrayExitTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(program.Started());
    window = program.WaitForWindow(kCaption, 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(IconShown(window));
    ClickToolBarButton(window, quillimo::test::kHideButton);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 10000));
    ASSERT_TRUE(WaitUntil([&] { return IconShown(window); }, 10000));
  }
  quillimo::test::ProgramProcess program;
  HWND window = nullptr;
};

TEST_F(TrayExitTest, ExitOnTheToolBarOfTheHiddenWindowEndsTheProgram) {
  ClickToolBarButton(window, quillimo::test::kExitButton);
  EXPECT_EQ(program.WaitForExit(10000), 0u);
  EXPECT_FALSE(IconShown(window));
}

TEST_F(TrayExitTest, ExitFromTheTrayMenuEndsTheProgram) {
  // The right button on the icon opens the tray menu; its last item is "Kapat".
  PostMessageW(window, WM_USER + 1, 1, WM_RBUTTONDOWN);
  HWND menu = nullptr;
  const DWORD start = GetTickCount();
  while (!(menu = FindWindowW(L"#32768", nullptr)) || !IsWindowVisible(menu)) {
    ASSERT_LT(GetTickCount() - start, 10000u) << "no tray menu";
    Sleep(20);
  }
  PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(program.WaitForExit(10000), 0u);
  EXPECT_FALSE(IconShown(window));
}

}  // namespace
