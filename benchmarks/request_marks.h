#pragma once
// Marks a phase of a start-up in the Wine server's request log: looking up an atom is one request
// whose log line carries the name. scripts/count-requests.sh counts the requests between marks.
// Outside a logged run the mark costs one request and finds nothing.
#include <windows.h>

#include <string>

inline void MarkRequests(const wchar_t* phase) { GlobalFindAtomW((std::wstring(L"QUILLIMO_MARK_") + phase).c_str()); }
