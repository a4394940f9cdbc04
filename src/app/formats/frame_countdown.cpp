#include "app/formats/frame_countdown.h"

#include <algorithm>
#include <cmath>
#include <utility>

int FlashFrames(int durationMs, double framePeriodMs) {
  if (framePeriodMs <= 0) return 1;
  return std::max(1, static_cast<int>(std::lround(durationMs / framePeriodMs)));
}

TFrameCountdown::TFrameCountdown(TFrameClock& clock, TPost post) : clock_(clock), post_(std::move(post)) {}

TFrameCountdown::~TFrameCountdown() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();  // at most the composition it waits for
}

int TFrameCountdown::Frames(int durationMs) {
  const double period = durationMs > 0 ? clock_.FramePeriodMs() : 0;
  return period > 0 ? FlashFrames(durationMs, period) : 0;
}

void TFrameCountdown::Start(int frames) {
  if (running_ || frames <= 0) return;
  {
    std::lock_guard lock(mutex_);
    ++ticket_;
    frames_ = frames;
  }
  running_ = true;
  if (!thread_.joinable()) thread_ = std::thread([this] { Count(); });
  wake_.notify_all();
}

void TFrameCountdown::Stop() {
  if (!running_) return;
  running_ = false;
  std::lock_guard lock(mutex_);
  ++ticket_;
  frames_ = 0;
}

bool TFrameCountdown::Elapsed(unsigned ticket) {
  std::lock_guard lock(mutex_);
  if (!running_ || ticket != ticket_) return false;
  running_ = false;
  return true;
}

// The first wait ends with the composition that presents the flash, each further one adds a
// frame; the hide follows the last of them. A count stopped meanwhile ends at the next
// composition without a post.
void TFrameCountdown::Count() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || frames_ > 0; });
    if (quit_) return;
    const unsigned ticket = ticket_;
    int left = std::exchange(frames_, 0);
    while (left > 0 && ticket == ticket_ && !quit_) {
      lock.unlock();
      clock_.WaitForComposition();
      lock.lock();
      --left;
    }
    if (left > 0 || ticket != ticket_ || quit_) continue;
    lock.unlock();
    post_(ticket);
    lock.lock();
  }
}
