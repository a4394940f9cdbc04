#pragma once
// A flash's duration counted in the desktop's compositions. Where a window manager composes
// the screen once per display frame, a window shown and hidden between two compositions is
// never seen; counted in whole frames, every flash is composed at least once. Where the screen
// is not composed (or its timing is not known) nothing is counted here and the duration timer
// keeps the time as before.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// The compositions of the desktop.
class TFrameClock {
public:
  virtual ~TFrameClock() = default;
  // The time between two compositions in milliseconds; 0 when the screen is not composed or
  // the timing is not known.
  virtual double FramePeriodMs() = 0;
  // Returns once the next composition has been presented (it may block for a frame).
  virtual void WaitForComposition() = 0;
};

// The whole frames a flash of durationMs stays on a screen composed every framePeriodMs: the
// duration rounded to the nearest count of frames, at least one.
int FlashFrames(int durationMs, double framePeriodMs);

// Counts the frames of a flash on a thread of its own (the waits block) and hands the end back
// to the user-interface thread. All members but the constructor's post are called on that
// thread; it behaves like the duration timer it stands for: starting while counting changes
// nothing, stopping forgets the count.
class TFrameCountdown {
public:
  // Called on the counting thread when a count has ended; the user-interface thread gives the
  // ticket back to Elapsed.
  using TPost = std::function<void(unsigned ticket)>;

  TFrameCountdown(TFrameClock& clock, TPost post);
  ~TFrameCountdown();
  TFrameCountdown(const TFrameCountdown&) = delete;
  TFrameCountdown& operator=(const TFrameCountdown&) = delete;

  // The frames a flash of durationMs stays on the clock's screen (FlashFrames); 0 when the
  // screen is not composed or durationMs is not positive (a timer of interval 0 never fires
  // either): then the duration timer keeps the time.
  int Frames(int durationMs);
  // Starts counting for a flash just shown and painted: the composition that presents it and
  // then frames - 1 more. Nothing when counting already.
  void Start(int frames);
  void Stop();
  bool Running() const { return running_; }
  // The end of a count, with the ticket its post handed over: true when it is the running
  // count's (which then stops); false for the end of a count stopped since.
  bool Elapsed(unsigned ticket);

private:
  void Count();

  TFrameClock& clock_;
  TPost post_;
  bool running_ = false;  // the user-interface thread's view

  std::mutex mutex_;
  std::condition_variable wake_;
  unsigned ticket_ = 0;  // of the latest count; a stopped count's ticket is outdated
  int frames_ = 0;       // of a count the thread has not taken yet
  bool quit_ = false;
  std::thread thread_;  // made by the first count
};
