// The flashing engine's decisions against a host that behaves as the toolkit's timers do and
// records what the flash window is told.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/formats/flash_scheduler.h"
#include "toolkit/core/exceptions.h"

namespace {

struct Shown {
  std::string Text;
  int X, Y;
  bool Centred;
  bool operator==(const Shown&) const = default;
};

class FakeHost : public TFlashHost {
public:
  struct Timer {
    bool Enabled = false;
    int Interval = 1000;
    int Restarts = 0;  // times a countdown began anew
  };
  void SetTimerEnabled(TFlashTimer t, bool enabled) override {
    Timer& timer = timers[t];
    if (enabled && !timer.Enabled) ++timer.Restarts;  // enabling an enabled timer changes nothing
    timer.Enabled = enabled;
  }
  void SetTimerInterval(TFlashTimer t, int ms) override { timers[t].Interval = ms; }
  void ShowFlash(const std::string& text, int x, int y, bool centred) override {
    shown.push_back({text, x, y, centred});
    visible = true;
  }
  void HideFlash() override { visible = false; }
  bool FlashVisible() const override { return visible; }

  bool Running(TFlashTimer t) { return timers[t].Enabled && timers[t].Interval > 0; }

  std::map<TFlashTimer, Timer> timers;
  std::vector<Shown> shown;
  bool visible = false;
};

TFlashScheduler::TGatherTicked Texts(std::vector<std::string> texts) {
  return [texts](const TFlashScheduler::TAddText& add) {
    for (const auto& t : texts) add(t);
  };
}

class FlashScheduler : public ::testing::Test {
protected:
  FakeHost host;
  TRandomSource random;
  TFlashScheduler engine{host, random};
};

}  // namespace

TEST_F(FlashScheduler, StartArmsThePeriodTimerWithTheIntervals) {
  engine.Start(Texts({"a", "b", "a"}), "2", "20");
  EXPECT_EQ(engine.RunList(), (std::vector<std::string>{"a", "b", "a"}));
  EXPECT_TRUE(host.timers[TFlashTimer::Period].Enabled);
  EXPECT_EQ(host.timers[TFlashTimer::Period].Interval, 2000);
  EXPECT_FALSE(host.timers[TFlashTimer::Duration].Enabled);
  EXPECT_EQ(host.timers[TFlashTimer::Duration].Interval, 20);
  // A second Start disables first, so the period countdown begins anew, with a fresh list.
  engine.Start(Texts({"c"}), "1", "10");
  EXPECT_EQ(host.timers[TFlashTimer::Period].Restarts, 2);
  EXPECT_EQ(engine.RunList(), std::vector<std::string>{"c"});
}

TEST_F(FlashScheduler, TicksWalkThroughShowingAndWaiting) {
  engine.Start(Texts({"only"}), "1", "20");
  engine.PeriodTick();  // Waiting -> Showing
  EXPECT_TRUE(host.visible);
  EXPECT_TRUE(host.timers[TFlashTimer::Duration].Enabled);
  engine.DurationTick();  // Showing -> Waiting
  EXPECT_FALSE(host.visible);
  EXPECT_FALSE(host.timers[TFlashTimer::Duration].Enabled);
  EXPECT_TRUE(host.timers[TFlashTimer::Period].Enabled);
  engine.PeriodTick();
  engine.Stop();  // Stop disables both timers and leaves the message and the list alone
  EXPECT_FALSE(host.timers[TFlashTimer::Period].Enabled);
  EXPECT_FALSE(host.timers[TFlashTimer::Duration].Enabled);
  EXPECT_TRUE(host.visible);
  EXPECT_EQ(engine.RunList(), std::vector<std::string>{"only"});
}

TEST_F(FlashScheduler, ATickWhileShowingKeepsTheDurationCountdown) {
  engine.Start(Texts({"x"}), "1", "5000");
  engine.PeriodTick();
  engine.PeriodTick();  // duration longer than the period
  EXPECT_EQ(host.timers[TFlashTimer::Duration].Restarts, 1);
  EXPECT_EQ(host.shown.size(), 2u);
}

TEST_F(FlashScheduler, MessagesAndPositionsFollowTheRandomSource) {
  engine.Start(Texts({"a", "b", "c"}), "1", "20");
  for (int i = 0; i < 6; ++i) engine.PeriodTick();
  // Three draws per tick: k below 3, x in 50..899, y in 50..699. The first show is centred
  // because the flash window starts with the centre placement armed.
  const std::vector<Shown> expected{{"a", 76, 609, true},   {"a", 281, 486, false}, {"a", 187, 291, false},
                                    {"b", 119, 358, false}, {"a", 764, 88, false},  {"a", 829, 289, false}};
  EXPECT_EQ(host.shown, expected);
  EXPECT_EQ(random.Seed(), [] {
    TRandomSource r;
    for (int i = 0; i < 18; ++i) r.Random(1);
    return r.Seed();
  }());
}

TEST_F(FlashScheduler, EveryTextCanBeChosenTheLastToo) {
  engine.Start(Texts({"a", "b", "c", "d"}), "1", "20");
  std::map<std::string, int> seen;
  for (int i = 0; i < 200; ++i) {
    engine.PeriodTick();
    ++seen[host.shown.back().Text];
  }
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_GT(seen["d"], 0);
  for (const Shown& s : host.shown) {
    EXPECT_TRUE(s.X >= 50 && s.X <= 899 && s.Y >= 50 && s.Y <= 699) << s.X << "," << s.Y;
  }
}

TEST_F(FlashScheduler, CentreModeCentresEveryShowing) {
  engine.SetPlacement(TFlashPlacement::Centre);
  engine.Start(Texts({"a"}), "1", "20");
  for (int i = 0; i < 3; ++i) {
    engine.PeriodTick();
    engine.DurationTick();
  }
  for (const Shown& s : host.shown) EXPECT_TRUE(s.Centred);
  // Back to random mode: the armed placement was used up, so the next one is not centred.
  engine.SetPlacement(TFlashPlacement::Random);
  engine.PeriodTick();
  EXPECT_FALSE(host.shown.back().Centred);
  EXPECT_FALSE(engine.CentreArmed());
}

// With a duration not shorter than the period, a tick comes while the message is still shown:
// the window stays at the drawn point, and the placement waits for the next showing.
TEST_F(FlashScheduler, ATickWhileTheMessageIsShownIsNotCentred) {
  engine.SetPlacement(TFlashPlacement::Centre);
  engine.Start(Texts({"a"}), "1", "2000");
  engine.PeriodTick();
  engine.PeriodTick();
  ASSERT_EQ(host.shown.size(), 2u);
  EXPECT_TRUE(host.shown[0].Centred);
  EXPECT_FALSE(host.shown[1].Centred);
  EXPECT_TRUE(engine.CentreArmed());
  engine.DurationTick();
  engine.SetPlacement(TFlashPlacement::Random);
  engine.PeriodTick();
  EXPECT_TRUE(host.shown.back().Centred);
}

TEST_F(FlashScheduler, AnEmptyRunListShowsAnEmptyText) {
  engine.Start(Texts({}), "1", "20");
  engine.PeriodTick();
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0].Text, "");
  EXPECT_TRUE(host.timers[TFlashTimer::Duration].Enabled);
}

TEST_F(FlashScheduler, ZeroPeriodOrDurationNeverFires) {
  engine.Start(Texts({"a"}), "0", "0");
  EXPECT_FALSE(host.Running(TFlashTimer::Period));
  engine.Start(Texts({"a"}), "1", "0");
  engine.PeriodTick();
  EXPECT_FALSE(host.Running(TFlashTimer::Duration));  // the message stays until the next tick
  // Negative values never fire either; huge ones are held at the largest interval.
  engine.Start(Texts({"a"}), "-3", "-1");
  EXPECT_EQ(host.timers[TFlashTimer::Period].Interval, 0);
  EXPECT_EQ(host.timers[TFlashTimer::Duration].Interval, 0);
  engine.Start(Texts({"a"}), "2147483647", "20");
  EXPECT_EQ(host.timers[TFlashTimer::Period].Interval, INT32_MAX);
}

TEST_F(FlashScheduler, InvalidNumbersEndStartWithTheEngineStopped) {
  engine.Start(Texts({"old"}), "1", "20");
  try {
    engine.Start(Texts({"new1", "new2"}), "2s", "20");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'2s' is not a valid integer value");
  }
  EXPECT_FALSE(host.timers[TFlashTimer::Period].Enabled);
  EXPECT_EQ(engine.RunList(), (std::vector<std::string>{"new1", "new2"}));  // already rebuilt
  EXPECT_THROW(engine.Start(Texts({"a"}), "1", ""), EConvertError);
  EXPECT_FALSE(host.timers[TFlashTimer::Period].Enabled);
}

TEST_F(FlashScheduler, AFailingGatherEndsStartStopped) {
  engine.Start(Texts({"old"}), "1", "20");
  auto failing = [](const TFlashScheduler::TAddText& add) {
    add("first");
    throw EFOpenError("Cannot open file \"p.txt\". gone");
  };
  EXPECT_THROW(engine.Start(failing, "1", "20"), EFOpenError);
  EXPECT_FALSE(host.timers[TFlashTimer::Period].Enabled);
  EXPECT_EQ(engine.RunList(), std::vector<std::string>{"first"});
}

TEST(FlashPlacement, CentredOriginIsRaisedToZero) {
  EXPECT_EQ(CentredOrigin(1280, 1024, 100, 20), (TPoint2{590, 502}));
  EXPECT_EQ(CentredOrigin(1280, 1024, 101, 21), (TPoint2{589, 501}));
  EXPECT_EQ(CentredOrigin(100, 50, 300, 80), (TPoint2{0, 0}));
}

TEST(FlashRuns, TwoRunsShowTheSameSequence) {
  auto run = [] {
    FakeHost host;
    TRandomSource random;
    TFlashScheduler engine(host, random);
    engine.Start(Texts({"a", "b", "c", "d", "e"}), "1", "20");
    for (int i = 0; i < 50; ++i) engine.PeriodTick();
    return host.shown;
  };
  EXPECT_EQ(run(), run());
}
