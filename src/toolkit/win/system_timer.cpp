#include "toolkit/win/system_timer.h"

#include <windows.h>

#include <unordered_set>

#include "toolkit/win/application.h"

// One hidden message-only window receives WM_TIMER for every timer; the timer id is the
// object's address, checked against the set of running timers before it is used.
struct TimerWindow {
  static TimerWindow& Get() {
    static TimerWindow instance;
    return instance;
  }

  TimerWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TimerWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TTimerWindow";
    RegisterClassW(&wc);
    wnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          wc.hInstance, nullptr);
  }

  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_TIMER) return DefWindowProcW(w, msg, wp, lp);
    auto* timer = reinterpret_cast<TSystemTimer*>(wp);
    if (Get().running.count(timer)) {
      try {
        timer->Fire();
      } catch (...) {
        Application->HandleException();
      }
    }
    return 0;
  }

  HWND wnd = nullptr;
  std::unordered_set<TSystemTimer*> running;
};

void TSystemTimer::Start(int intervalMs) {
  Stop();
  if (intervalMs <= 0) return;
  TimerWindow& tw = TimerWindow::Get();
  if (!SetTimer(tw.wnd, reinterpret_cast<UINT_PTR>(this), static_cast<UINT>(intervalMs), nullptr))
    return;
  tw.running.insert(this);
  running_ = true;
}

void TSystemTimer::Stop() {
  if (!running_) return;
  TimerWindow& tw = TimerWindow::Get();
  KillTimer(tw.wnd, reinterpret_cast<UINT_PTR>(this));
  tw.running.erase(this);
  running_ = false;
}

void TSystemTimer::Fire() {
  if (callback_) callback_();
}
