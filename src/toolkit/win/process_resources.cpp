// The process's GDI objects, handles and private bytes.
//
// The GDI handle table is a table of 65,536 entries of 24 bytes that the process environment
// block points at (GdiSharedHandleTable, offset 0xF8 of the 64-bit block). An entry whose type
// byte (offset 14) is not 0 is a live object. Under Wine the table is the process's own and the
// owner field (offset 8) is 0; on Windows the table is shared and the owner field holds the
// process id of the object's owner.
//
// Wine answers 0 for the handle count and the private bytes too. The handles are then counted
// in the system's list of every open handle (NtQuerySystemInformation's extended handle
// information), and the private bytes are the page-file usage, which Windows gives the same
// value and Wine fills from the process's memory.
#include "toolkit/win/process_resources.h"

// GetProcessMemoryInfo as kernel32's K32GetProcessMemoryInfo: psapi.dll is not loaded for it.
#define PSAPI_VERSION 2
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kTableEntries = 65536;
constexpr std::size_t kEntrySize = 24;
constexpr std::size_t kOwnerOffset = 8;
constexpr std::size_t kTypeOffset = 14;

const std::uint8_t* GdiHandleTable() {
#if defined(_WIN64)
  const auto* peb = reinterpret_cast<const std::uint8_t*>(__readgsqword(0x60));
  const std::uint8_t* table = nullptr;
  std::memcpy(&table, peb + 0xF8, sizeof table);
  return table;
#else
  return nullptr;  // the program is built for 64 bits only
#endif
}

bool UnderWine() {
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

// Calls count(type) for each live entry of the process's objects; false without a table.
template <typename Count>
bool ForEachOwnObject(Count count) {
  const std::uint8_t* table = GdiHandleTable();
  if (!table) return false;
  const bool wine = UnderWine();
  const auto process = static_cast<std::uint16_t>(GetCurrentProcessId());
  for (std::size_t i = 0; i < kTableEntries; ++i) {
    const std::uint8_t* entry = table + i * kEntrySize;
    const std::uint8_t type = entry[kTypeOffset];
    if (type == 0) continue;
    std::uint16_t owner = 0;
    std::memcpy(&owner, entry + kOwnerOffset, sizeof owner);
    if (wine || owner == process) count(type);
  }
  return true;
}

// The handles of this process in the system's list of open handles; 0 when it cannot be read.
unsigned CountOwnHandles() {
  struct Entry {
    void* Object;
    ULONG_PTR ProcessId;
    ULONG_PTR Handle;
    ULONG Access;
    USHORT BackTraceIndex;
    USHORT TypeIndex;
    ULONG Attributes;
    ULONG Reserved;
  };
  struct List {
    ULONG_PTR Count;
    ULONG_PTR Reserved;
    Entry Handles[1];
  };
  constexpr int kExtendedHandleInformation = 64;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  using Query = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
  static const auto query =
      reinterpret_cast<Query>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation"));
  if (!query) return 0;
  std::vector<std::uint8_t> buffer(64 * 1024);
  LONG status = 0;
  ULONG needed = 0;
  while ((status = query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
         kInfoLengthMismatch)
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
  if (status != 0) return 0;
  const auto* list = reinterpret_cast<const List*>(buffer.data());
  const ULONG_PTR process = GetCurrentProcessId();
  unsigned own = 0;
  for (ULONG_PTR i = 0; i < list->Count; ++i) own += list->Handles[i].ProcessId == process;
  return own;
}

}  // namespace

unsigned ProcessGdiObjects() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) return reported;
  unsigned live = 0;
  ForEachOwnObject([&](int) { ++live; });
  return live;
}

std::map<int, unsigned> ProcessGdiObjectsByType() {
  std::map<int, unsigned> byType;
  ForEachOwnObject([&](int type) { ++byType[type]; });
  return byType;
}

unsigned ProcessHandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) return count;
  return CountOwnHandles();
}

std::size_t ProcessPrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters))
    return 0;
  return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}
