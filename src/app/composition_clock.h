#pragma once
// The desktop window manager's compositions as a frame clock. dwmapi is loaded when first asked
// (and only then), by name, so that the program starts where it is missing; without it, with
// composition off (Wine, Windows 7's basic theme) or without its timing, there is no frame
// period and the flashes keep to the duration timer.
#include "app/formats/frame_countdown.h"

class TCompositionClock : public TFrameClock {
public:
  // The display's refresh period while the desktop is composed (DwmIsCompositionEnabled,
  // DwmGetCompositionTimingInfo); 0 otherwise.
  double FramePeriodMs() override;
  // DwmFlush: returns after the next composition.
  void WaitForComposition() override;
};
