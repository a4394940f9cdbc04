// The floor of a start-up on this system: a program of one window, 547 x 420 and centred like
// the main window, that loads the same system libraries as vesperin.exe (the common controls,
// the common dialogs and the shell) and then waits for messages. bench_startup runs it beside
// vesperin.exe.
//
// Built with QUILLIMO_WINDOW_TREE (startup_window_tree.exe), the window also gets the tree of
// windows the main window shows at start, made directly with the system's classes: a tool bar,
// a tab control of four tabs, and on its page two group boxes, each with an edit, two buttons
// and a list of four lines. No toolkit, no skin, no menu: what that tree costs the system alone.
// Its phases are marked in the Wine server's request log as bench_startup_split marks the
// program's; with --once it ends when it is first idle (scripts/count-requests.sh).
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <initializer_list>

#include "request_marks.h"

namespace {
LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command, int show) {
  MarkRequests(L"start");
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
  MarkRequests(L"read");
#ifdef QUILLIMO_WINDOW_TREE
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int cx, int cy, HWND parent) {
    HWND c =
        CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent, nullptr, instance, nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return c;
  };
  child(TOOLBARCLASSNAMEW, L"", 0, 0, 0, 547, 56, wnd);
  HWND tabs = child(WC_TABCONTROLW, L"", WS_CLIPCHILDREN, 0, 56, 547, 364, wnd);
  for (const wchar_t* caption : {L"Programlar", L"Ayarlar", L"Yardım", L"Brelko"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption);
    SendMessageW(tabs, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
  }
  HWND page = child(L"STATIC", L"", 0, 4, 24, 539, 336, tabs);
  for (int g = 0; g < 2; ++g) {
    HWND box = child(L"BUTTON", L"Program", BS_GROUPBOX, 4 + g * 266, 4, 262, 320, page);
    child(L"EDIT", L"", WS_BORDER, 8, 40, 240, 21, box);
    child(L"BUTTON", L"Yeni", 0, 8, 70, 100, 25, box);
    child(L"BUTTON", L"Sil", 0, 120, 70, 120, 25, box);
    HWND list = child(L"LISTBOX", L"", WS_BORDER | WS_VSCROLL, 8, 110, 240, 200, box);
    for (const wchar_t* line : {L"Özgüven", L"Huzur", L"Mutluluk", L"Hedefler"})
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  }
#endif
  MarkRequests(L"made");
  ShowWindow(wnd, show);
  MarkRequests(L"shown");
  UpdateWindow(wnd);
  MarkRequests(L"painted");
  MSG msg;
  if (wcsstr(command, L"--once")) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MarkRequests(L"idle");
    return 0;
  }
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
