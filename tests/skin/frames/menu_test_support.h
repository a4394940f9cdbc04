#pragma once
// Driving menus in tests: the pop-up menu windows on the screen and steps run inside an open
// menu's own loop. Key presses and pumping are win_test_support's.
#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include <functional>
#include <vector>

namespace menutest {

inline int VisibleMenuWindows() {
  int n = 0;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr))
    n += IsWindowVisible(w) ? 1 : 0;
  return n;
}

// Drives an open menu from a timer that the menu's own loop dispatches: each tick that finds a
// pop-up menu window runs the next step with it. A menu still open two ticks after the last
// step (the step did not close it, as it should have) is ended and counted as left over, so
// that a failing test does not hang in the menu's loop.
class MenuScript {
public:
  using Step = std::function<void(HWND menu)>;
  explicit MenuScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 60, &MenuScript::Tick);
  }
  ~MenuScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  MenuScript(const MenuScript&) = delete;
  MenuScript& operator=(const MenuScript&) = delete;
  bool Done() const { return next_ >= steps_.size(); }
  int LeftOver() const { return leftOver_; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuScript* s = current_;
    if (!s) return;
    HWND menu = FindWindowW(L"#32768", nullptr);
    const bool open = menu && IsWindowVisible(menu);
    if (!s->Done()) {
      if (open) s->steps_[s->next_++](menu);
      return;
    }
    if (!open) {
      s->idleTicks_ = 0;
    } else if (++s->idleTicks_ >= 2) {
      ++s->leftOver_;
      EndMenu();
    }
  }
  static inline MenuScript* current_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int idleTicks_ = 0;
  int leftOver_ = 0;
  UINT_PTR timer_ = 0;
};

}  // namespace menutest
