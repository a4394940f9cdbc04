// Start-up against the system's floor: starts a program and the floor program (startup_floor,
// one window that loads the same system libraries) in turn, each from its own folder, and
// measures from the start of the process until it shows a window and waits for input (idle).
// Prints every time and the medians; the program is ended after each run, without saving.
//   wine bench_startup.exe PROGRAM.exe FLOOR.exe [runs]   (runs of each, default 9)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "window_clock.h"

namespace {

struct Search {
  DWORD process;
  bool shown = false;
};

BOOL CALLBACK FindShown(HWND wnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(wnd, &process);
  if (process == search->process && IsWindowVisible(wnd)) search->shown = true;
  return !search->shown;
}

// Milliseconds from CreateProcess until the process shows a window and is idle; -1 on failure.
double StartOnce(const std::wstring& program) {
  std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
  std::wstring command = L"\"" + program + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  const double start = NowMs();
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return -1;
  double elapsed = -1;
  while (NowMs() - start < 30000) {
    if (WaitForInputIdle(pi.hProcess, 30000) == WAIT_FAILED) break;
    Search search{pi.dwProcessId};
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    if (search.shown && WaitForInputIdle(pi.hProcess, 0) == 0) {
      elapsed = NowMs() - start;
      break;
    }
    Sleep(1);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return elapsed;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: bench_startup PROGRAM.exe FLOOR.exe [runs]\n", stderr);
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 9;
  std::vector<double> program, floor;
  StartOnce(argv[2]);  // the system's own first start (libraries into the cache) is not counted
  StartOnce(argv[1]);
  for (int i = 0; i < runs; ++i) {
    floor.push_back(StartOnce(argv[2]));
    program.push_back(StartOnce(argv[1]));
    std::printf("run %d: floor %7.1f ms  program %7.1f ms\n", i + 1, floor.back(), program.back());
  }
  const double p = Median(program), f = Median(floor);
  std::printf("median of %d: floor %.1f ms, program %.1f ms, %.2f x the floor\n", runs, f, p, f > 0 ? p / f : 0);
  return 0;
}
