#pragma once
// TWindowProcHook puts a handler in front of a toolkit control's WindowProc and takes it out
// again: the way a skin frame takes a form's messages and a skin companion its control's.
//
// The rule: on Detach the handler is taken out only while it is still in front. When another
// party put its own handler in front later, that one holds on to this hook's handler; it stays
// in the chain, and from Detach on it passes every message straight to the handler it replaced,
// so nothing in the chain calls the party that left.
#include <functional>
#include <memory>

#include "toolkit/win/messages.h"

class TControl;

class TWindowProcHook {
public:
  using Handler = std::function<void(TMessage&)>;

  TWindowProcHook() = default;
  TWindowProcHook(const TWindowProcHook&) = delete;
  TWindowProcHook& operator=(const TWindowProcHook&) = delete;
  ~TWindowProcHook() { Detach(); }

  // Puts handler in front of control's WindowProc (detaching from a previous control first).
  void Attach(TControl* control, Handler handler);
  // Takes the handler out (see the rule above). The handler it replaced is kept: the message
  // being handled while the hook lets go is still passed on through CallPrevious.
  void Detach();
  // The control is being freed: nothing is given back to it, and CallPrevious no longer reaches
  // the handler it had.
  void Forget();
  bool Attached() const { return control_ != nullptr; }
  // The control hooked, until Detach or Forget.
  TControl* Control() const { return control_; }
  // There is a handler this hook was put in front of.
  bool HasPrevious() const { return static_cast<bool>(previous_); }
  // Passes msg to the handler this hook was put in front of (nothing when there was none).
  void CallPrevious(TMessage& msg) const {
    if (previous_) previous_(msg);
  }

private:
  struct Front;
  TControl* control_ = nullptr;
  Handler previous_;
  // Shared with the handler put in front: once false, it only passes messages on.
  std::shared_ptr<bool> live_;
};
