// Starts vesperin.exe as a separate process and finds its main window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillimo::test {

class ProgramProcess {
public:
  ProgramProcess();                                         // starts the program; check Started()
  explicit ProgramProcess(const std::wstring& executable);  // starts this copy of it
  ~ProgramProcess();                                        // ends the program if it is still running
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  // The process's visible top-level window with this caption, waiting up to timeout_ms.
  HWND WaitForWindow(const std::wstring& caption, DWORD timeout_ms);
  // Waits for the process to end; its exit code, or STILL_ACTIVE after timeout_ms.
  DWORD WaitForExit(DWORD timeout_ms);
  // Ends the process at once, wherever it is (as the task manager or a power cut would), and
  // waits until it is gone.
  void Kill();
  DWORD Id() const { return info_.dwProcessId; }

private:
  PROCESS_INFORMATION info_{};
};

// The text of a control of another process (GetWindowText gives only captions there).
std::wstring Text(HWND window);
// Every descendant window of parent with this class.
std::vector<HWND> Children(HWND parent, const wchar_t* className);
// The descendant window of parent with this class and text, or null.
HWND ChildWithText(HWND parent, const wchar_t* className, const std::wstring& text);

// The main window's tool-bar buttons by their left edge (buttons of 88, separators of 8):
// Start, Stop, |, English, Türkçe, |, Hide, Exit.
enum ToolBarButton : int { kStartButton = 0, kStopButton = 88, kHideButton = 368, kExitButton = 456 };
// Clicks a tool-bar button of the program's main window at the centre of its place; posted
// messages reach the tool bar also while the window is hidden.
void ClickToolBarButton(HWND mainWindow, ToolBarButton button);

// Polls condition every 10 ms until it holds (true) or timeout_ms have passed (false).
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
  return true;
}

}  // namespace quillimo::test
