#pragma once
// Marks a phase of a start-up in the Wine server's request log: looking up an atom is one request
// whose log line carries the name. scripts/count-requests.sh counts the requests between marks.
// Outside a logged run the mark costs one request and finds nothing. With QUILLIMO_MARK_TIMES set
// in the environment each mark also writes the milliseconds since the previous one (stderr).
#include <windows.h>

#include <cstdio>
#include <string>

inline void MarkRequests(const wchar_t* phase) {
  GlobalFindAtomW((std::wstring(L"QUILLIMO_MARK_") + phase).c_str());
  static const bool timed = GetEnvironmentVariableW(L"QUILLIMO_MARK_TIMES", nullptr, 0) > 0;
  if (!timed) return;
  static LARGE_INTEGER frequency{}, last{};
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  if (last.QuadPart)
    std::fprintf(stderr, "%-8ls %7.2f ms\n", phase, (now.QuadPart - last.QuadPart) * 1000.0 / frequency.QuadPart);
  last = now;
}
