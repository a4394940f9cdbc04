#pragma once
// TSystemTimer: a repeating timer of the user-interface thread. It calls its callback every
// interval milliseconds from the message loop until stopped. TTimer (the component) and the
// skin engine's timers sit on top of it.
//
// The timers are kept accurate to the millisecond (a flash of 20 ms must last 20 ms, not the
// system timer's 15.6 ms tick or more): TTimerQueue holds every running timer's due time on the
// high-resolution clock, and the application's message loop sleeps until the earliest one
// (TTimerQueue::WaitForMessageOrTimer). A plain SetTimer on a hidden window stays armed for the
// earliest due time as well, so the timers also fire, less precisely, inside message loops that
// are not the toolkit's own (message boxes, menus, moving a window, a test's own loop).
#include <cstdint>
#include <functional>
#include <vector>

class TSystemTimer {
public:
  using Callback = std::function<void()>;

  explicit TSystemTimer(Callback callback) : callback_(std::move(callback)) {}
  TSystemTimer(const TSystemTimer&) = delete;
  TSystemTimer& operator=(const TSystemTimer&) = delete;
  ~TSystemTimer() { Stop(); }

  // Starts a full interval anew (also when running). An interval of 0 or less never fires.
  void Start(int intervalMs);
  void Stop();
  bool Running() const { return running_; }
  // Brings the next tick forward to the moment the message loop is idle (a message posted to
  // the timers' window wakes whichever loop runs); the ticks after it keep the interval. Does
  // nothing while stopped.
  void FireSoon();

private:
  friend class TTimerQueue;
  void Fire();
  Callback callback_;
  bool running_ = false;
};

// The running timers of the thread, ordered by nothing: there are a handful.
class TTimerQueue {
public:
  static TTimerQueue& Get();

  // Fires every timer whose due time has come, each at most once, earliest first. A timer's
  // next due time is its last one plus its interval (so periods do not drift), or an interval
  // from now when it is that late already; missed ticks are not made up.
  void FireDue();
  // Returns when a message is waiting or a timer has fired: sleeps until shortly before the
  // earliest due time, spins the last stretch on the high-resolution clock, then fires.
  void WaitForMessageOrTimer();
  // WM_TIMER of the fallback system timer, inside whichever message loop runs.
  void OnFallbackTimer();

private:
  friend class TSystemTimer;
  struct Entry {
    TSystemTimer* timer;
    std::int64_t due;       // high-resolution clock ticks
    std::int64_t interval;  // ticks
  };
  TTimerQueue();
  void Add(TSystemTimer* timer, int intervalMs);
  void Remove(TSystemTimer* timer);
  void BringForward(TSystemTimer* timer);
  Entry* Earliest();
  void SpinUntil(std::int64_t due) const;
  std::int64_t SpinTicks() const;
  // Keeps the fallback system timer armed for the earliest due time.
  void ArmFallback();
  std::int64_t Now() const;

  static constexpr std::int64_t kNotArmed = -1, kArmAgain = -2;

  std::vector<Entry> entries_;
  std::int64_t ticksPerSecond_ = 1;
  void* fallbackWindow_ = nullptr;     // HWND of the hidden window that receives WM_TIMER
  std::int64_t armedFor_ = kNotArmed;  // the due time the fallback system timer is armed for
  bool finePeriod_ = false;            // the 1 ms timer period is in effect (asked for by short timers)
};
