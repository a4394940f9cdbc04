#pragma once
// The main window's flashing engine: the engine's logic (TFlashScheduler) over a host that
// drives the main window's two timers, Timer1 (period) and Timer2 (duration), and the flash
// window Form3.
//
// Where the desktop is composed, a flash's duration is counted in whole compositions instead
// of by Timer2 (TFrameCountdown), so that no flash falls between two frames; its end comes
// back to the user-interface thread through a message window of the host and runs Timer2's
// handler.
// Elsewhere Timer2 keeps the time as it always did.
#include <memory>
#include <string>

#include "app/formats/flash_scheduler.h"
#include "app/formats/frame_countdown.h"

class TForm1;

class TFlashEngineHost : public TFlashHost {
public:
  explicit TFlashEngineHost(TForm1& form);
  ~TFlashEngineHost() override;
  void SetTimerEnabled(TFlashTimer timer, bool enabled) override;
  void SetTimerInterval(TFlashTimer timer, int intervalMs) override;
  void ShowFlash(const std::string& text, int x, int y, bool centred) override;
  void HideFlash() override;
  bool FlashVisible() const override;

  // The compositions the durations are counted in: the desktop window manager's unless
  // replaced (tests give a clock of their own, while no flash is counted).
  void UseFrameClock(std::unique_ptr<TFrameClock> clock);
  // Whether a flash's duration is being counted in compositions now.
  bool CountingFrames() const { return countdown_->Running(); }

private:
  void EnableDuration(bool enabled);
  void MakeMessageWindow();
  friend struct TFramesWindow;  // the message window's procedure

  TForm1& form_;
  int durationMs_ = 0;
  std::unique_ptr<TFrameClock> clock_;
  std::unique_ptr<TFrameCountdown> countdown_;
  void* messages_ = nullptr;  // the window where the counting thread posts the end of a count
};
