#include "toolkit/win/extctrls.h"

QUILLIMO_REGISTER_CLASS(TTimer, [](TPropertyTable& p) {
  p.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true);
  p.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000);
  p.Event("OnTimer", &TTimer::OnTimer);
});

TTimer::TTimer(TComponent* owner) : TComponent(owner), timer_([this] { OnTimer(this); }) { Update(); }

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Update();
}

void TTimer::SetInterval(int v) {
  if (v == interval_) return;
  interval_ = v;
  Update();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  Update();
}

void TTimer::Update() {
  if (enabled_ && interval_ > 0 && !IsLoading())
    timer_.Start(interval_);
  else
    timer_.Stop();
}
