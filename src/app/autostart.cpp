#include "app/autostart.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "app/formats/desktop_entry.h"
#include "toolkit/core/atomic_file.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/registry.h"

void WriteRunValue(const std::string& name, const std::string& command) {
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  registry.OpenKey(kRunKeyPath, true);
  registry.WriteString(name, command);
  registry.CloseKey();
}

namespace {
// Wine's own exports for crossing between Windows and Unix file names; both results are
// allocated on the process heap.
using TUnixFileName = char*(CDECL*)(LPCWSTR);
using TDosFileName = WCHAR*(CDECL*)(LPCSTR);

// An export of one of Wine's modules as a function of type F; nullptr on Windows.
template <class F>
F WineExport(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  FARPROC address = handle ? GetProcAddress(handle, name) : nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

std::string Environment(const wchar_t* name) {
  DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return WideToUtf8(value);
}

}  // namespace

std::string WineUnixFileName(const std::string& windowsName) {
  auto convert = WineExport<TUnixFileName>(L"kernel32.dll", "wine_get_unix_file_name");
  if (!convert) return {};
  char* unix = convert(Utf8ToWide(windowsName).c_str());
  if (!unix) return {};
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

namespace {

// The Windows name of a Unix file name; empty when Wine cannot give one.
std::string DosFileName(const std::string& unixName) {
  auto convert = WineExport<TDosFileName>(L"kernel32.dll", "wine_get_dos_file_name");
  if (!convert) return {};
  WCHAR* dos = convert(unixName.c_str());
  if (!dos) return {};
  std::string result = WideToUtf8(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return result;
}
}  // namespace

bool RunningUnderWine() { return WineExport<void (*)()>(L"ntdll.dll", "wine_get_version") != nullptr; }

std::string DesktopAutostartFolder() {
  if (!RunningUnderWine()) return {};
  std::string config = Environment(L"XDG_CONFIG_HOME");
  if (config.empty() || config[0] != '/') {
    const std::string home = Environment(L"HOME");
    if (home.empty() || home[0] != '/') return {};
    config = home + "/.config";
  }
  return DosFileName(config + "/autostart");
}

std::string DesktopAutostartFile(const std::string& name) {
  const std::string folder = DesktopAutostartFolder();
  return folder.empty() ? std::string() : folder + "\\" + DesktopEntryFileName(name);
}

void WriteDesktopAutostart(const std::string& name, const std::string& command) {
  const std::string file = DesktopAutostartFile(name);
  if (file.empty()) return;
  std::vector<std::string> run;
  const std::string prefix = Environment(L"WINEPREFIX");
  if (!prefix.empty()) run = {"env", "WINEPREFIX=" + prefix};
  run.push_back("wine");
  const std::string program = WineUnixFileName(command);
  run.push_back(program.empty() ? command : program);
  // A folder that cannot be made shows as the file that cannot be created.
  SHCreateDirectoryExW(nullptr, Utf8ToWide(file.substr(0, file.rfind('\\'))).c_str(), nullptr);
  WriteFileAtomically(file, DesktopAutostartEntry(name, run));
}

void RemoveDesktopAutostart(const std::string& name) {
  const std::string file = DesktopAutostartFile(name);
  if (!file.empty()) DeleteFileW(Utf8ToWide(file).c_str());
}
