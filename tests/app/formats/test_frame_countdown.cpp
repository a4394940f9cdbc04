// A flash's duration counted in compositions, against a frame clock the test composes by hand:
// the frame arithmetic, when the end is handed back, and what starting and stopping do.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "app/formats/frame_countdown.h"
#include "app/formats/fake_frame_clock.h"

namespace {

// The user-interface thread's message queue: the tickets the countdown posts.
struct PostedTickets {
  void Post(unsigned ticket) {
    std::lock_guard lock(mutex);
    tickets.push_back(ticket);
    posted.notify_all();
  }
  // The next ticket; 0 when none comes (a guard ends a hang).
  unsigned Await() {
    std::unique_lock lock(mutex);
    if (!posted.wait_for(lock, std::chrono::seconds(30), [&] { return !tickets.empty(); })) return 0;
    const unsigned ticket = tickets.front();
    tickets.pop_front();
    return ticket;
  }
  bool Empty() {
    std::lock_guard lock(mutex);
    return tickets.empty();
  }
  std::mutex mutex;
  std::condition_variable posted;
  std::deque<unsigned> tickets;
};

class FrameCountdown : public ::testing::Test {
protected:
  void TearDown() override {
    clock.Close();
    countdown.reset();
  }
  FakeFrameClock clock{1000.0 / 60};
  PostedTickets queue;
  std::unique_ptr<TFrameCountdown> countdown =
      std::make_unique<TFrameCountdown>(clock, [this](unsigned ticket) { queue.Post(ticket); });
};

}  // namespace

TEST(FlashFrames, TheDurationRoundedToWholeFramesAndAtLeastOne) {
  const double at60 = 1000.0 / 60;
  EXPECT_EQ(FlashFrames(10, at60), 1);  // 0.6 frames: never less than one
  EXPECT_EQ(FlashFrames(1, at60), 1);
  EXPECT_EQ(FlashFrames(20, at60), 1);  // 1.2
  EXPECT_EQ(FlashFrames(30, at60), 2);  // 1.8
  EXPECT_EQ(FlashFrames(40, at60), 2);  // 2.4
  EXPECT_EQ(FlashFrames(1000, at60), 60);
  EXPECT_EQ(FlashFrames(40, 1000.0 / 144), 6);  // 5.76
}

TEST_F(FrameCountdown, TheEndComesAfterTheCompositionThatShowsTheFlashAndTheFramesAfterIt) {
  countdown->Start(countdown->Frames(40));  // two frames
  EXPECT_TRUE(countdown->Running());
  ASSERT_TRUE(clock.AwaitWaits(1));
  clock.Compose();  // the flash is on the screen
  ASSERT_TRUE(clock.AwaitWaits(2));
  EXPECT_TRUE(queue.Empty());
  clock.Compose();  // and stays for a second frame
  const unsigned ticket = queue.Await();
  ASSERT_NE(ticket, 0u);
  EXPECT_TRUE(countdown->Running());  // until the user-interface thread takes the end
  EXPECT_TRUE(countdown->Elapsed(ticket));
  EXPECT_FALSE(countdown->Running());
  EXPECT_FALSE(countdown->Elapsed(ticket));  // taken once
}

TEST_F(FrameCountdown, TheShortestFlashStaysOneWholeFrame) {
  countdown->Start(countdown->Frames(10));
  ASSERT_TRUE(clock.AwaitWaits(1));
  EXPECT_TRUE(queue.Empty());
  clock.Compose();
  EXPECT_TRUE(countdown->Elapsed(queue.Await()));
}

TEST_F(FrameCountdown, StartingWhileCountingKeepsTheCountAndStoppingForgetsIt) {
  countdown->Start(1);
  ASSERT_TRUE(clock.AwaitWaits(1));
  countdown->Start(60);  // like enabling an enabled timer: the count goes on
  clock.Compose();
  const unsigned first = queue.Await();
  EXPECT_TRUE(countdown->Elapsed(first));

  countdown->Start(1);
  ASSERT_TRUE(clock.AwaitWaits(2));
  countdown->Stop();
  EXPECT_FALSE(countdown->Running());
  countdown->Start(1);  // a new flash: its own count
  clock.Compose();      // ends the stopped count's wait, without an end
  ASSERT_TRUE(clock.AwaitWaits(3));
  clock.Compose();
  const unsigned second = queue.Await();
  EXPECT_TRUE(countdown->Elapsed(second));
  EXPECT_TRUE(queue.Empty());
}

TEST(FrameCountdownFrames, AreNoneWhereTheScreenIsNotComposedOrTheDurationNeverEnds) {
  FakeFrameClock uncomposed(0), composed(1000.0 / 60);
  TFrameCountdown onUncomposed(uncomposed, [](unsigned) {}), onComposed(composed, [](unsigned) {});
  EXPECT_EQ(onUncomposed.Frames(20), 0);  // the duration timer keeps the time
  EXPECT_EQ(onComposed.Frames(0), 0);     // a duration of 0 never ends, as its timer never fires
  EXPECT_EQ(onComposed.Frames(-5), 0);
  EXPECT_EQ(onComposed.Frames(40), 2);
}
