#include "toolkit/win/window_proc_hook.h"

#include "toolkit/win/control.h"

// The handler put in front of the control's own. It holds what it needs by value, so that it
// works on after its hook let go (or was freed), as long as a handler in front of it calls it.
struct TWindowProcHook::Front {
  std::shared_ptr<bool> live;
  TWindowProcHook::Handler handler;
  TWindowProcHook::Handler previous;
  void operator()(TMessage& m) const {
    if (*live)
      handler(m);  // may take this handler out of the chain: nothing of it is used after
    else if (previous)
      previous(m);
  }
};

void TWindowProcHook::Attach(TControl* control, Handler handler) {
  Detach();
  control_ = control;
  previous_ = control->WindowProc;
  live_ = std::make_shared<bool>(true);
  control->WindowProc = Front{live_, std::move(handler), previous_};
}

void TWindowProcHook::Detach() {
  if (!live_) return;
  *live_ = false;
  if (control_ && !control_->IsDestroying()) {
    const auto* front = control_->WindowProc.target<Front>();
    if (front && front->live == live_) control_->WindowProc = previous_;
  }
  live_.reset();
  control_ = nullptr;
}

void TWindowProcHook::Forget() {
  control_ = nullptr;
  previous_ = nullptr;
}
