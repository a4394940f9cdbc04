// The floor of a start-up on this system: a program of one window, 547 x 420 and centred like
// the main window, that loads the same system libraries as vesperin.exe (the common controls,
// the common dialogs and the shell) and then waits for messages. bench_startup runs it beside
// vesperin.exe.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace {
LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  CommDlgExtendedError();
  WNDCLASSW cls{};
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = L"StartupFloor";
  RegisterClassW(&cls);
  RECT r{0, 0, 547, 420};
  AdjustWindowRect(&r, WS_CAPTION | WS_BORDER, FALSE);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HWND wnd = CreateWindowW(L"StartupFloor", L"Floor", WS_CAPTION | WS_BORDER, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr, instance, nullptr);
  DragAcceptFiles(wnd, FALSE);
  ShowWindow(wnd, show);
  UpdateWindow(wnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
