#include "toolkit/win/system_timer.h"

#include <windows.h>

#include <algorithm>

#include "toolkit/win/callback_errors.h"

namespace {
// The fallback timer's id on its window.
constexpr UINT_PTR kFallbackTimerId = 1;
// Posted to the timers' window when a timer's tick was brought forward.
constexpr UINT kFireNowMessage = WM_APP + 1;
// How long before a due time the wait stops and the spin on the clock begins. A wait of the
// system (with a 1 ms timer period) ends up to about a millisecond late.
constexpr std::int64_t kSpinMicroseconds = 1500;

// Timers shorter than this ask for the system's 1 ms timer period. Longer ones are not hurt by
// the default tick (about 16 ms), so a run that never flashes never needs the period.
constexpr int kFinePeriodBelowMs = 100;

// timeBeginPeriod(1), kept for the process's life. winmm is loaded here, at the first need, not
// linked: every linked library is loaded before the program's first line, at each start.
bool BeginMillisecondPeriod() {
  HMODULE winmm = LoadLibraryW(L"winmm.dll");
  if (!winmm) return false;
  using BeginPeriod = UINT(WINAPI*)(UINT);
  auto begin = reinterpret_cast<BeginPeriod>(reinterpret_cast<void*>(GetProcAddress(winmm, "timeBeginPeriod")));
  return begin && begin(1) == 0 /* TIMERR_NOERROR */;
}

LRESULT CALLBACK FallbackProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == kFallbackTimerId) {
    TTimerQueue::Get().OnFallbackTimer();
    return 0;
  }
  if (msg == kFireNowMessage) {
    TTimerQueue::Get().FireDue();
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}
}  // namespace

TTimerQueue& TTimerQueue::Get() {
  // Never destroyed: timers that are static objects may stop after the end of main.
  static TTimerQueue* instance = new TTimerQueue;
  return *instance;
}

TTimerQueue::TTimerQueue() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  ticksPerSecond_ = frequency.QuadPart;
  WNDCLASSW wc{};
  wc.lpfnWndProc = FallbackProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TTimerWindow";
  RegisterClassW(&wc);
  fallbackWindow_ =
      CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

std::int64_t TTimerQueue::Now() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

void TTimerQueue::Add(TSystemTimer* timer, int intervalMs) {
  if (!finePeriod_ && intervalMs < kFinePeriodBelowMs) finePeriod_ = BeginMillisecondPeriod();
  const std::int64_t interval = ticksPerSecond_ * intervalMs / 1000;
  entries_.push_back({timer, Now() + interval, interval});
  ArmFallback();
}

void TTimerQueue::Remove(TSystemTimer* timer) {
  std::erase_if(entries_, [timer](const Entry& e) { return e.timer == timer; });
  ArmFallback();
}

void TTimerQueue::BringForward(TSystemTimer* timer) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [timer](const Entry& e) { return e.timer == timer; });
  if (it == entries_.end()) return;
  it->due = Now();
  PostMessageW(static_cast<HWND>(fallbackWindow_), kFireNowMessage, 0, 0);
}

TTimerQueue::Entry* TTimerQueue::Earliest() {
  auto it =
      std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.due < b.due; });
  return it == entries_.end() ? nullptr : &*it;
}

void TTimerQueue::ArmFallback() {
  HWND wnd = static_cast<HWND>(fallbackWindow_);
  const Entry* first = Earliest();
  // The loop calls this after every message: a system timer already armed for the same due
  // time is left as it is (each SetTimer is a request to the system's server).
  const std::int64_t due = first ? first->due : kNotArmed;
  if (due == armedFor_) return;
  armedFor_ = due;
  if (!first) {
    KillTimer(wnd, kFallbackTimerId);
    return;
  }
  const std::int64_t ms = std::max<std::int64_t>(0, (first->due - Now()) * 1000 / ticksPerSecond_);
  SetTimer(wnd, kFallbackTimerId, static_cast<UINT>(std::min<std::int64_t>(ms, USER_TIMER_MAXIMUM)), nullptr);
}

void TTimerQueue::FireDue() {
  // Only timers due when this pass began fire, so a slow callback cannot keep the loop here.
  const std::int64_t passStart = Now();
  while (Entry* entry = Earliest()) {
    if (entry->due > passStart) break;
    std::int64_t next = entry->due + entry->interval;
    if (next <= passStart) next = passStart + entry->interval;
    entry->due = next;
    TSystemTimer* timer = entry->timer;  // the entry may go while the callback runs
    try {
      timer->Fire();
    } catch (...) {
      ReportCallbackException();
    }
  }
  ArmFallback();
}

void TTimerQueue::SpinUntil(std::int64_t due) const {
  while (Now() < due) YieldProcessor();
}

std::int64_t TTimerQueue::SpinTicks() const { return ticksPerSecond_ * kSpinMicroseconds / 1000000; }

void TTimerQueue::OnFallbackTimer() {
  armedFor_ = kArmAgain;  // the system timer repeats its whole period: it is armed anew below
  // The system timer may come a little early; a due time that close is waited for here.
  if (const Entry* first = Earliest(); first && first->due - Now() <= SpinTicks()) SpinUntil(first->due);
  FireDue();
}

void TTimerQueue::WaitForMessageOrTimer() {
  const Entry* first = Earliest();
  if (!first) {
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return;
  }
  const std::int64_t due = first->due;
  const std::int64_t sleepTicks = due - SpinTicks() - Now();
  if (sleepTicks > 0) {
    const auto ms = static_cast<DWORD>(sleepTicks * 1000 / ticksPerSecond_);
    if (MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT) return;
  }
  SpinUntil(due);
  FireDue();
}

void TSystemTimer::Start(int intervalMs) {
  Stop();
  if (intervalMs <= 0) return;
  TTimerQueue::Get().Add(this, intervalMs);
  running_ = true;
}

void TSystemTimer::Stop() {
  if (!running_) return;
  TTimerQueue::Get().Remove(this);
  running_ = false;
}

void TSystemTimer::FireSoon() {
  if (running_) TTimerQueue::Get().BringForward(this);
}

void TSystemTimer::Fire() {
  if (callback_) callback_();
}
