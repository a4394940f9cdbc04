// What a message costs through the toolkit's window hooks, against the system's own ways of
// doing the same: a plain window, the same window behind one and three TWindowHooks, behind
// comctl32's subclass chain, and one window-property lookup (what finding a control by a
// property would add to a message).
//   wine bench_window_messages.exe [messages]   (default 20000)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/win/window_hook.h"
#include "window_clock.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

HWND MakeWindow() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

// Microseconds a sent message takes, over `count` messages.
double PerMessage(HWND wnd, int count) {
  const double start = NowMs();
  for (int i = 0; i < count; ++i) SendMessageW(wnd, kProbe, 0, 0);
  return (NowMs() - start) * 1000.0 / count;
}

void Print(const char* what, double us) { std::printf("  %-44s %9.2f us\n", what, us); }

LRESULT CALLBACK PassOn(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  return DefSubclassProc(wnd, msg, wp, lp);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
  InitCommonControls();
  std::printf("a sent message (%d messages)\n", count);
  HWND plain = MakeWindow();
  Print("plain window", PerMessage(plain, count));
  for (int hooks : {1, 3}) {
    HWND wnd = MakeWindow();
    std::vector<std::unique_ptr<TWindowHook>> chain;
    for (int i = 0; i < hooks; ++i) {
      chain.push_back(std::make_unique<TWindowHook>());
      TWindowHook* hook = chain.back().get();
      hook->SetHandler([hook](TMessage& m) { hook->CallPrevious(m); });
      hook->Attach(wnd);
    }
    Print(hooks == 1 ? "behind one TWindowHook" : "behind three TWindowHooks", PerMessage(wnd, count));
    chain.clear();
    DestroyWindow(wnd);
  }
  for (int hooks : {1, 3}) {
    HWND wnd = MakeWindow();
    for (int i = 0; i < hooks; ++i) SetWindowSubclass(wnd, &PassOn, static_cast<UINT_PTR>(i), 0);
    Print(hooks == 1 ? "behind one comctl32 subclass" : "behind three comctl32 subclasses", PerMessage(wnd, count));
    DestroyWindow(wnd);
  }
  SetPropW(plain, L"QuillimoBench", plain);
  const double start = NowMs();
  for (int i = 0; i < count; ++i) GetPropW(plain, L"QuillimoBench");
  Print("one GetPropW", (NowMs() - start) * 1000.0 / count);
  DestroyWindow(plain);
  return 0;
}
