#include "program_process.h"

#include <string>

namespace quillimo::test {
namespace {

struct WindowSearch {
  DWORD process_id;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (*search->caption != text) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

ProgramProcess::ProgramProcess() : ProgramProcess(L"" QUILLIMO_VESPERIN_EXE) {}

ProgramProcess::ProgramProcess(const std::wstring& executable) {
  std::wstring command = L"\"" + executable + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
    info_ = {};
}

ProgramProcess::~ProgramProcess() {
  if (!Started()) return;
  Kill();
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

void ProgramProcess::Kill() {
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

HWND ProgramProcess::WaitForWindow(const std::wstring& caption, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  WaitForInputIdle(info_.hProcess, timeout_ms);
  do {
    WindowSearch search{info_.dwProcessId, &caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount64() < deadline);
  return nullptr;
}

DWORD ProgramProcess::WaitForExit(DWORD timeout_ms) {
  if (WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

std::vector<HWND> Children(HWND parent, const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    std::vector<HWND> found;
  } search{className, {}};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (lstrcmpiW(name, s->className) == 0) s->found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ChildWithText(HWND parent, const wchar_t* className, const std::wstring& text) {
  for (HWND child : Children(parent, className))
    if (Text(child) == text) return child;
  return nullptr;
}

void ClickToolBarButton(HWND mainWindow, ToolBarButton button) {
  HWND toolbar = FindWindowExW(mainWindow, nullptr, L"ToolbarWindow32", nullptr);
  const LPARAM centre = MAKELPARAM(button + 44, 26);
  PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageW(toolbar, WM_LBUTTONUP, 0, centre);
}

}  // namespace quillimo::test
