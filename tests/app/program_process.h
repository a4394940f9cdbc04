// Starts vesperin.exe as a separate process and finds its main window.
#pragma once

#include <windows.h>

#include <string>

namespace quillimo::test {

class ProgramProcess {
public:
    ProgramProcess();  // starts the program; check Started()
    ~ProgramProcess();  // ends the program if it is still running
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    // The process's visible top-level window with this caption, waiting up to timeout_ms.
    HWND WaitForWindow(const std::wstring& caption, DWORD timeout_ms);
    // Waits for the process to end; its exit code, or STILL_ACTIVE after timeout_ms.
    DWORD WaitForExit(DWORD timeout_ms);

private:
    PROCESS_INFORMATION info_{};
};

}  // namespace quillimo::test
