// The toolkit's timer queue driven by the application's own message loop: ticks never come
// before their due time, restarting starts a full interval, a pass fires each timer once, and
// timers may stop, free or fail in each other's callbacks.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "toolkit/core/exceptions.h"
#include "toolkit/win/application.h"
#include "toolkit/win/system_timer.h"
#include "win_test_support.h"

namespace {

double NowMs() {
  LARGE_INTEGER f, now;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// Runs the application's loop until done() or about two seconds. The loop waits for messages
// and timers, so a heartbeat timer keeps it turning when the test's own timers are stopped.
bool LoopUntil(const std::function<bool()>& done) {
  TSystemTimer heartbeat([] {});
  heartbeat.Start(5);
  const double start = NowMs();
  while (!done()) {
    if (NowMs() - start > 2000) return false;
    Application->HandleMessage();
  }
  return true;
}

}  // namespace

TEST(TimerQueue, TicksComeOneIntervalApartAndNeverEarly) {
  std::vector<double> ticks;
  TSystemTimer timer([&] { ticks.push_back(NowMs()); });
  const double start = NowMs();
  timer.Start(30);
  ASSERT_TRUE(LoopUntil([&] { return ticks.size() >= 3; }));
  timer.Stop();
  // Due times are start + k * interval; a tick may be late but never before its time.
  for (std::size_t k = 0; k < ticks.size(); ++k) EXPECT_GE(ticks[k] - start, 30.0 * static_cast<double>(k + 1));
  const std::size_t stopped = ticks.size();
  const double end = NowMs() + 80;
  LoopUntil([&] { return NowMs() > end; });
  EXPECT_EQ(ticks.size(), stopped);
  EXPECT_FALSE(timer.Running());
}

TEST(TimerQueue, StartingAgainBeginsAFullInterval) {
  double tick = 0;
  TSystemTimer timer([&] { tick = NowMs(); });
  const double start = NowMs();
  timer.Start(60);
  LoopUntil([&] { return NowMs() - start >= 30; });
  timer.Start(60);
  ASSERT_TRUE(LoopUntil([&] { return tick > 0; }));
  EXPECT_GE(tick - start, 90.0);
  // An interval of 0 or less never runs.
  timer.Start(0);
  EXPECT_FALSE(timer.Running());
  timer.Start(-5);
  EXPECT_FALSE(timer.Running());
}

TEST(TimerQueue, APassFiresEachDueTimerOnceEvenWithSlowCallbacks) {
  int a = 0, b = 0;
  TSystemTimer first([&] {
    ++a;
    Sleep(3);
  });
  TSystemTimer second([&] {
    ++b;
    Sleep(3);
  });
  first.Start(1);
  second.Start(1);
  Sleep(5);
  TTimerQueue::Get().FireDue();
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 1);
}

TEST(TimerQueue, CallbacksMayStopOrFreeOtherTimers) {
  int freedTicks = 0, stoppedTicks = 0, ownTicks = 0;
  auto freed = std::make_unique<TSystemTimer>([&] { ++freedTicks; });
  TSystemTimer stopped([&] { ++stoppedTicks; });
  TSystemTimer killer([&] {
    ++ownTicks;
    freed.reset();
    stopped.Stop();
  });
  killer.Start(5);
  freed->Start(6);
  stopped.Start(6);
  ASSERT_TRUE(LoopUntil([&] { return ownTicks >= 2; }));
  EXPECT_EQ(freedTicks, 0);
  EXPECT_EQ(stoppedTicks, 0);
  killer.Stop();
}

TEST(TimerQueue, AFailingCallbackEndsInTheErrorHandlerAndKeepsTicking) {
  std::vector<std::string> errors;
  Application->OnException = [&](const std::string& message) { errors.push_back(message); };
  TSystemTimer timer([] { throw Exception("tick failed"); });
  timer.Start(5);
  const bool twice = LoopUntil([&] { return errors.size() >= 2; });
  timer.Stop();
  Application->OnException = nullptr;
  ASSERT_TRUE(twice);
  EXPECT_EQ(errors[0], "tick failed");
}

TEST(TimerQueue, FiresInsideAForeignMessageLoopToo) {
  int ticks = 0;
  TSystemTimer timer([&] { ++ticks; });
  timer.Start(15);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 2000));  // a plain PeekMessage loop
}
