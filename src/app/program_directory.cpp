#include "app/program_directory.h"

#include <windows.h>

#include "toolkit/core/utf8.h"

namespace {
std::string& Override() {
  static std::string directory;
  return directory;
}

std::string ExecutableDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash);
  return WideToUtf8(path);
}
}  // namespace

std::string ProgramDirectory() {
  if (!Override().empty()) return Override();
  static const std::string directory = ExecutableDirectory();
  return directory;
}

void SetProgramDirectory(const std::string& directory) { Override() = directory; }
