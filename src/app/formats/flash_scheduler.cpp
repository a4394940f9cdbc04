#include "app/formats/flash_scheduler.h"

#include <algorithm>
#include <climits>

#include "toolkit/core/text.h"

namespace {
int ClampInterval(std::int64_t ms) { return static_cast<int>(std::clamp<std::int64_t>(ms, 0, INT_MAX)); }
}  // namespace

TPoint2 CentredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  return {std::max(0, (screenWidth - windowWidth) / 2), std::max(0, (screenHeight - windowHeight) / 2)};
}

TFlashScheduler::TFlashScheduler(TFlashHost& host, TRandomSource& random) : host_(host), random_(random) {}

int TFlashScheduler::PeriodInterval(std::string_view periodSeconds) {
  return ClampInterval(static_cast<std::int64_t>(StrToInt(periodSeconds)) * 1000);
}

int TFlashScheduler::DurationInterval(std::string_view durationMs) { return ClampInterval(StrToInt(durationMs)); }

void TFlashScheduler::Start(const TGatherTicked& gather, std::string_view periodSeconds, std::string_view durationMs) {
  Stop();
  runList_.clear();
  gather([this](const std::string& text) { runList_.push_back(text); });
  host_.SetTimerInterval(TFlashTimer::Period, PeriodInterval(periodSeconds));
  host_.SetTimerInterval(TFlashTimer::Duration, DurationInterval(durationMs));
  host_.SetTimerEnabled(TFlashTimer::Period, true);
}

void TFlashScheduler::Stop() {
  host_.SetTimerEnabled(TFlashTimer::Period, false);
  host_.SetTimerEnabled(TFlashTimer::Duration, false);
}

void TFlashScheduler::PeriodTick() {
  // Exactly three draws per tick, in this order.
  const int n = static_cast<int>(runList_.size());
  const int k = random_.Random(n);
  const int x = random_.RandomRange(50, 900);
  const int y = random_.RandomRange(50, 700);
  if (placement_ == TFlashPlacement::Centre) centreArmed_ = true;
  // The centre placement applies once, when the window turns visible: a tick that comes while
  // a message is still shown leaves the window at the drawn point, and the placement waits.
  const bool centred = centreArmed_ && !host_.FlashVisible();
  if (centred) centreArmed_ = false;
  // An empty run list shows an empty text.
  host_.ShowFlash(k < n ? runList_[static_cast<std::size_t>(k)] : std::string(), x, y, centred);
  host_.SetTimerEnabled(TFlashTimer::Duration, true);
}

void TFlashScheduler::DurationTick() {
  host_.HideFlash();
  host_.SetTimerEnabled(TFlashTimer::Duration, false);
}
