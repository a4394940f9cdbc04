#pragma once
// A frame clock for tests: the desktop composes when the test says so.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "app/formats/frame_countdown.h"

// A desktop that composes when the test says so; each wait of the countdown's thread ends with
// the next composition after it began.
class FakeFrameClock : public TFrameClock {
public:
  explicit FakeFrameClock(double periodMs) : period_(periodMs) {}
  double FramePeriodMs() override { return period_; }
  void WaitForComposition() override {
    std::unique_lock lock(mutex_);
    const int target = composed_ + 1;
    ++waits_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return composed_ >= target || closed_; });
  }
  void Compose() {
    std::lock_guard lock(mutex_);
    ++composed_;
    changed_.notify_all();
  }
  // Blocks until the countdown's thread has begun its n-th wait (a guard ends a hang).
  bool AwaitWaits(int n) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(30), [&] { return waits_ >= n; });
  }
  // Ends every wait, now and later.
  void Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
  }

private:
  double period_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int composed_ = 0, waits_ = 0;
  bool closed_ = false;
};
