// A handler put in front of a control's WindowProc is taken out again only while it is in
// front; under a handler that came later it stays as a pass-through, also once its hook is gone.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "toolkit/win/control.h"
#include "toolkit/win/window_proc_hook.h"

TEST(WindowProcHook, GivesTheHandlerBackOnlyWhileInFront) {
  TControl control(nullptr);
  std::string seen;
  auto own = [&](TMessage&) { seen += "own "; };
  control.WindowProc = own;
  auto hook = std::make_unique<TWindowProcHook>();
  hook->Attach(&control, [&](TMessage& m) {
    seen += "hook ";
    hook->CallPrevious(m);
  });
  control.Perform(WM_USER);
  EXPECT_EQ(seen, "hook own ");
  hook->Detach();
  EXPECT_NE(control.WindowProc.target<decltype(own)>(), nullptr) << "the control's own handler is in front again";

  // Another party comes in front of the hook; the hook lets go and is freed; the other leaves.
  hook->Attach(&control, [&](TMessage&) { seen += "hook "; });
  const auto below = control.WindowProc;
  auto other = [&](TMessage& m) {
    seen += "other ";
    below(m);
  };
  control.WindowProc = other;
  hook.reset();
  EXPECT_NE(control.WindowProc.target<decltype(other)>(), nullptr) << "the handler in front stays";
  seen.clear();
  control.Perform(WM_USER);
  EXPECT_EQ(seen, "other own ");
}
