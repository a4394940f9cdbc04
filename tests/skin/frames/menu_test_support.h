#pragma once
// Driving menus in tests: the pop-up menu windows on the screen, steps run inside an open
// menu's own loop, real key presses, and pumping messages the way the program's loop does.
#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include <functional>
#include <initializer_list>
#include <vector>

#include "toolkit/win/application.h"

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

// Real key presses through the system's input queue, to the window with the focus: the keys
// go down in order and come up in reverse order.
inline void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD k : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    input.push_back(i);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *--it;
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    input.push_back(i);
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// A character typed as such (any letter, whatever the keyboard layout).
inline void TypeChar(wchar_t ch) {
  INPUT input[2]{};
  for (INPUT& i : input) {
    i.type = INPUT_KEYBOARD;
    i.ki.wScan = ch;
    i.ki.dwFlags = KEYEVENTF_UNICODE;
  }
  input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

// Pumps as the program's message loop does (its dialog keys and Alt+letter handling
// included) until done() holds or timeoutMs passed; returns done().
inline bool PumpProgramUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Application->ProcessMessages();
    Sleep(1);
  }
  return true;
}
inline void PumpProgramFor(int ms) {
  const DWORD start = GetTickCount();
  PumpProgramUntil([&] { return static_cast<int>(GetTickCount() - start) >= ms; }, ms + 1000);
}

}  // namespace menutest
