#pragma once
// Helpers for tests that drive real windows: pumping the message loop until something has
// happened, and catching the modal message boxes that a test provokes.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Dispatches messages until done() holds or timeoutMs passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Dispatches messages for about ms milliseconds.
void PumpFor(int ms);
// The same through the application's message handling, which gives the dialog keys (Tab,
// arrows, Alt and a letter) to the focused form's navigation as the program's own loop does.
bool PumpApplicationUntil(const std::function<bool()>& done, int timeoutMs = 3000);
void PumpApplicationFor(int ms);
// Real key presses through the system's input queue, to the window with the focus: the keys
// go down in order and come up in reverse order. Nothing is pumped.
void PressKeys(std::initializer_list<WORD> keys);
// A character typed as such (any letter, whatever the keyboard layout). Nothing is pumped.
void TypeChar(wchar_t ch);
// Presses and releases a key as the user does (with Shift held when shift), then lets the
// application handle what comes of it.
void PressKey(WORD key, bool shift = false);
// The text the tooltip of a tool bar's native button (by index) shows, asked of the tooltip.
std::string ToolTipText(HWND toolBar, int index);

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

// While alive, records the messages that windows of this thread receive, in the order their
// procedures get them: sent messages (WH_CALLWNDPROC) and messages taken from the queue
// (WH_GETMESSAGE). Windows made while recording are seen from their first message.
class MessageRecorder {
public:
  struct Entry {
    HWND Window;
    UINT Msg;
    WPARAM WParam;
    bool Posted;  // taken from the queue (posted, or made there: paint, timer, input), else sent
  };
  MessageRecorder();
  ~MessageRecorder();
  // The messages of one window, in order.
  std::vector<UINT> Of(HWND wnd) const;
  // The messages of the window that belong to the given set, in order.
  std::vector<UINT> Of(HWND wnd, const std::vector<UINT>& only) const;
  const std::vector<Entry>& All() const { return entries_; }
  void Clear() { entries_.clear(); }

private:
  static LRESULT CALLBACK SentProc(int code, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK QueueProc(int code, WPARAM wp, LPARAM lp);
  static inline MessageRecorder* current_ = nullptr;
  HHOOK sent_ = nullptr;
  HHOOK queue_ = nullptr;
  std::vector<Entry> entries_;
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
