#pragma once
// TSystemTimer: a repeating timer of the user-interface thread. It calls its callback every
// interval milliseconds from the message loop until stopped. TTimer (the component) and the
// skin engine's timers sit on top of it; this is the one place that talks to the system's
// timer service, so a finer-grained wait can be put in here later.
#include <functional>

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

private:
  friend struct TimerWindow;
  void Fire();
  Callback callback_;
  bool running_ = false;
};
