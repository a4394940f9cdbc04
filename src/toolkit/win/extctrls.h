#pragma once
// TTimer (a component that fires OnTimer every Interval milliseconds while Enabled) and the
// panel-like controls of the classic "extra controls" family: TPanel, TImage.
#include "toolkit/win/system_timer.h"
#include "toolkit/win/wincontrol.h"

// A disabled timer never fires, nor does one whose interval is 0. Enabling an enabled timer
// changes nothing; disabling and enabling again starts a full interval anew; a new interval
// on an enabled timer starts a full new interval. The first tick comes one interval after
// enabling.
class TTimer : public TComponent {
  QUILLIMO_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* owner);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  int Interval() const { return interval_; }
  void SetInterval(int v);
  // The next tick as soon as the message loop is idle (TSystemTimer::FireSoon).
  void FireSoon() { timer_.FireSoon(); }

  TNotifyEvent OnTimer;
  void Loaded() override;

private:
  void Update();
  bool enabled_ = true;
  int interval_ = 1000;
  TSystemTimer timer_;
};
