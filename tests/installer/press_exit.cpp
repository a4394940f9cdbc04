// Presses Exit in a running Quillimo the way a user does: a click on the tool bar's Exit
// button of the main window. Waits up to a minute for the window to appear, then for the
// program to end.
//   press_exit.exe        exit code 0 when the program ended, 1 when no window came or it stayed
//   press_exit.exe wait   only waits for the window: exit code 0 when it came
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {
// The main window's caption, and the Exit button: the tool bar's last, at 456 and 88 pixels
// wide in a tool bar of 52-pixel buttons (resources/Form1.txt).
constexpr wchar_t kCaption[] = L"Quillimo v 1.1";
constexpr int kExitX = 456 + 88 / 2;
constexpr int kExitY = 52 / 2;

HWND WaitForWindow(const wchar_t* cls, HWND parent) {
  for (int i = 0; i < 600; ++i) {
    HWND window = parent ? FindWindowExW(parent, nullptr, cls, nullptr) : FindWindowW(nullptr, kCaption);
    if (window && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  return nullptr;
}
}  // namespace

int main(int argc, char** argv) {
  HWND main = WaitForWindow(nullptr, nullptr);
  HWND toolbar = main ? WaitForWindow(TOOLBARCLASSNAMEW, main) : nullptr;
  if (!toolbar) {
    std::puts("press_exit: no Quillimo window");
    return 1;
  }
  if (argc > 1 && std::strcmp(argv[1], "wait") == 0) return 0;
  DWORD process = 0;
  GetWindowThreadProcessId(main, &process);
  HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
  const LPARAM at = MAKELPARAM(kExitX, kExitY);
  PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
  const bool ended = handle && WaitForSingleObject(handle, 60000) == WAIT_OBJECT_0;
  std::puts(ended ? "press_exit: the program ended" : "press_exit: the program is still running");
  return ended ? 0 : 1;
}
