#pragma once
// The main window's flashing engine: the engine's logic (TFlashScheduler) over a host that
// drives the main window's two timers, Timer1 (period) and Timer2 (duration), and the flash
// window Form3.
#include <string>

#include "app/formats/flash_scheduler.h"

class TForm1;

class TFlashEngineHost : public TFlashHost {
public:
  explicit TFlashEngineHost(TForm1& form) : form_(form) {}
  void SetTimerEnabled(TFlashTimer timer, bool enabled) override;
  void SetTimerInterval(TFlashTimer timer, int intervalMs) override;
  void ShowFlash(const std::string& text, int x, int y, bool centred) override;
  void HideFlash() override;
  bool FlashVisible() const override;

private:
  TForm1& form_;
};
