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

// Clicks a button of the main window's tool bar by the centre of its place (buttons of 88,
// separators of 8); posted messages reach the tool bar also while the window is hidden.
void ClickToolBarAt(HWND window, int left) {
  HWND toolbar = FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
  const LPARAM centre = MAKELPARAM(left + 44, 26);
  PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageW(toolbar, WM_LBUTTONUP, 0, centre);
}

bool WaitFor(bool (*done)(HWND), HWND window, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done(window)) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

class TrayExitTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(program.Started());
    window = program.WaitForWindow(kCaption, 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(IconShown(window));
    ClickToolBarAt(window, 368);  // "Sakla"
    ASSERT_TRUE(WaitFor([](HWND w) { return !IsWindowVisible(w); }, window, 10000));
    ASSERT_TRUE(WaitFor(IconShown, window, 10000));
  }
  quillimo::test::ProgramProcess program;
  HWND window = nullptr;
};

TEST_F(TrayExitTest, ExitOnTheToolBarOfTheHiddenWindowEndsTheProgram) {
  ClickToolBarAt(window, 456);  // "Kapat"
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
