// A user's session with the real vesperin.exe, driven from outside like a user would: a copy of
// the program in a program directory of its own, a program and two messages added, the
// messages started and one flash caught on the screen, stopped, the window hidden to the
// notification area and shown again from the icon's menu, and Exit. The catalogue files on
// disk are checked at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "program_process.h"
#include "screen_capture.h"
#include "test_program_directory.h"
#include "toolkit/core/utf8.h"

using namespace quillimo::test;

namespace {

constexpr wchar_t kCaption[] = L"Quillimo v 1.1";

// A visible top-level window of the process other than the main window, waiting up to
// timeout_ms; with className, only windows of that class.
HWND WaitForOtherWindow(DWORD process, HWND main, const wchar_t* className, DWORD timeout_ms) {
  struct Search {
    DWORD process;
    HWND main;
    const wchar_t* className;
    HWND found;
  };
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  do {
    Search search{process, main, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner != s->process || window == s->main || !IsWindowVisible(window)) return TRUE;
          wchar_t name[64] = {};
          GetClassNameW(window, name, 64);
          if (s->className && lstrcmpiW(name, s->className) != 0) return TRUE;
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(5);
  } while (GetTickCount64() < deadline);
  return nullptr;
}

class EndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFileW(L"" QUILLIMO_VESPERIN_EXE, Utf8ToWide(dir.File("vesperin.exe")).c_str(), FALSE));
    // One program to begin with, and an English catalogue that must stay untouched.
    dir.Write("programlist0.txt", "Sabah,1\r\n");
    dir.Write("language0\\Sabah.txt", "Bugun harika bir gun,1\r\nBu satir gosterilmez,0\r\n");
    dir.Write("programlist1.txt", "Morning,1\r\n");
    dir.Write("language1\\Morning.txt", "Today is a good day,1\r\n");
  }

  TestProgramDirectory dir{"end_to_end"};
};

TEST_F(EndToEnd, AddStartSeeAFlashStopHideShowExit) {
  ProgramProcess program(Utf8ToWide(dir.File("vesperin.exe")));
  ASSERT_TRUE(program.Started());
  HWND window = program.WaitForWindow(kCaption, 20000);
  ASSERT_NE(window, nullptr);
  HWND toolbar = FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
  ASSERT_NE(toolbar, nullptr);

  // The Programs tab: the two boxes hold an edit, two buttons and a list each.
  HWND addProgram = ChildWithText(window, L"Button", L"Yeni Program Ekle");
  HWND addMessage = ChildWithText(window, L"Button", L"Yeni Mesaj Ekle");
  ASSERT_NE(addProgram, nullptr);
  ASSERT_NE(addMessage, nullptr);
  HWND programEdit = FindWindowExW(GetParent(addProgram), nullptr, L"Edit", nullptr);
  HWND messageEdit = FindWindowExW(GetParent(addMessage), nullptr, L"Edit", nullptr);
  HWND programList = FindWindowExW(GetParent(addProgram), nullptr, L"ListBox", nullptr);
  HWND messageList = FindWindowExW(GetParent(addMessage), nullptr, L"ListBox", nullptr);
  ASSERT_TRUE(programEdit && messageEdit && programList && messageList);
  EXPECT_EQ(SendMessageW(programList, LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(messageList, LB_GETCOUNT, 0, 0), 2);

  SendMessageW(programEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Huzur"));
  SendMessageW(addProgram, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(programList, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(programList, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Text(programEdit), L"");
  for (const wchar_t* message : {L"Sakinim, huzurluyum", L"Her gun daha iyiyim"}) {
    SendMessageW(messageEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(message));
    SendMessageW(addMessage, BM_CLICK, 0, 0);
  }
  EXPECT_EQ(SendMessageW(messageList, LB_GETCOUNT, 0, 0), 2);

  // On the settings tab: a period of 1 s, and a duration long enough to catch the flash on
  // the screen.
  HWND tabs = FindWindowExW(window, nullptr, L"SysTabControl32", nullptr);
  ASSERT_NE(tabs, nullptr);
  PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(115, 10));  // "Ayarlar"
  PostMessageW(tabs, WM_LBUTTONUP, 0, MAKELPARAM(115, 10));
  HWND period = nullptr, duration = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        period = ChildWithText(window, L"Edit", L"2");
        duration = ChildWithText(window, L"Edit", L"20");
        return period && duration && IsWindowVisible(period);
      },
      5000));
  ASSERT_TRUE(period && duration);
  SendMessageW(period, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1"));
  SendMessageW(duration, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1500"));

  HWND before = GetForegroundWindow();
  ClickToolBarButton(window, kStartButton);
  HWND flash = WaitForOtherWindow(program.Id(), window, nullptr, 10000);
  ASSERT_NE(flash, nullptr) << "no flash window within 10 s of Start";
  Sleep(100);  // let it paint
  // The flash takes nothing from the window the user works in.
  EXPECT_EQ(GetForegroundWindow(), before);
  EXPECT_NE(GetForegroundWindow(), flash);
  EXPECT_EQ(GetWindowLongPtrW(flash, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  // The first message after start is centred on the screen.
  RECT r{};
  GetWindowRect(flash, &r);
  EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, 1);
  EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 1);
  // Dark text on a light face (the button face) that fills the rest of the window.
  const TBitmapPixels shot = ScreenPixelsOf(flash);
  ASSERT_GT(shot.Width(), 20);
  int facePixels = 0, textPixels = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const auto c = static_cast<COLORREF>(shot.GetPixel(x, y));
      facePixels += GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
      textPixels += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
    }
  EXPECT_GT(facePixels, shot.Width() * shot.Height() / 2);
  EXPECT_GT(textPixels, 10);

  // It goes after its duration; then Stop, and nothing more is shown.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(flash); }, 5000));
  ClickToolBarButton(window, kStopButton);
  Sleep(200);
  EXPECT_FALSE(WaitUntil([&] { return IsWindowVisible(flash) != FALSE; }, 2500));

  // Hide to the notification area, then Show from the icon's menu.
  ClickToolBarButton(window, kHideButton);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 5000));
  PostMessageW(window, WM_USER + 1, 0, WM_RBUTTONDOWN);
  HWND menu = WaitForOtherWindow(program.Id(), window, L"#32768", 5000);
  ASSERT_NE(menu, nullptr) << "the icon's menu did not open";
  PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);  // "Göster", the first item
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000));

  ClickToolBarButton(window, kExitButton);
  EXPECT_EQ(program.WaitForExit(10000), 0u);

  EXPECT_EQ(dir.Read("programlist0.txt"), "Sabah,1\r\nHuzur,1\r\n");
  EXPECT_EQ(dir.Read("language0\\Huzur.txt"), "Sakinim, huzurluyum,1\r\nHer gun daha iyiyim,1\r\n");
  EXPECT_EQ(dir.Read("language0\\Sabah.txt"), "Bugun harika bir gun,1\r\nBu satir gosterilmez,0\r\n");
  EXPECT_EQ(dir.Read("programlist1.txt"), "Morning,1\r\n");
}

}  // namespace
