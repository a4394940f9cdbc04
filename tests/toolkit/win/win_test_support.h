#pragma once
// Helpers for tests that drive real windows: pumping the message loop until something has
// happened, and catching the modal message boxes that a test provokes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches messages until done() holds or timeoutMs passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Dispatches messages for about ms milliseconds.
void PumpFor(int ms);

// While alive, every message box of this thread is read (title, text, style) and closed with
// its first button as soon as it opens.
class MessageBoxCatcher {
public:
  struct Box {
    std::string Title;
    std::string Text;
    UINT Style = 0;
  };
  MessageBoxCatcher();
  ~MessageBoxCatcher();
  const std::vector<Box>& Boxes() const { return boxes_; }

private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
  static void CALLBACK CloseTimer(HWND, UINT, UINT_PTR, DWORD);
  HHOOK hook_ = nullptr;
  std::vector<Box> boxes_;
};

// While alive, watches for the window of a pop-up menu ("#32768") and, from a timer that the
// menu's own loop dispatches, either chooses its first item or dismisses it.
class MenuWatcher {
public:
  explicit MenuWatcher(bool chooseFirst);
  ~MenuWatcher();
  int Opened() const { return opened_; }

private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
  static void CALLBACK Act(HWND, UINT, UINT_PTR id, DWORD);
  static inline MenuWatcher* current_ = nullptr;
  HHOOK hook_ = nullptr;
  HWND menu_ = nullptr;
  bool chooseFirst_ = false;
  int opened_ = 0;
};
