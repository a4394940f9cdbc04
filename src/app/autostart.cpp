#include "app/autostart.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <vector>

#include "app/formats/desktop_entry.h"
#include "toolkit/core/atomic_file.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/registry.h"

namespace {
// The Run keys of the system's registry; written through TRegistry, for its error texts.
class TSystemRunValues : public TRunValues {
public:
  void Write(TRunHive hive, const std::string& name, const std::string& data) override {
    TRegistry registry;
    registry.SetRootKey(Root(hive));
    registry.OpenKey(kRunKeyPath, true);
    registry.WriteString(name, data);
  }
  // Read access alone: a standard user may read the machine's key but not open it to write.
  std::optional<std::string> Read(TRunHive hive, const std::string& name) override {
    const std::wstring path = Utf8ToWide(kRunKeyPath), value = Utf8ToWide(name);
    DWORD size = 0;
    if (RegGetValueW(Root(hive), path.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
      return {};
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegGetValueW(Root(hive), path.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, data.data(), &size) !=
        ERROR_SUCCESS)
      return {};
    data.resize(wcslen(data.c_str()));
    return WideToUtf8(data);
  }
  void Delete(TRunHive hive, const std::string& name) override {
    RegDeleteKeyValueW(Root(hive), Utf8ToWide(kRunKeyPath).c_str(), Utf8ToWide(name).c_str());
  }

private:
  static HKEY Root(TRunHive hive) { return hive == TRunHive::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
};

// Empties the hive's value where it exists and is not empty already.
void EmptyRunValue(TRunValues& values, TRunHive hive, const std::string& name) {
  const std::optional<std::string> data = values.Read(hive, name);
  if (data && !data->empty()) values.Write(hive, name, "");
}
}  // namespace

TRunValues& SystemRunValues() {
  static TSystemRunValues values;
  return values;
}

void WriteRunValue(TRunValues& values, const std::string& name, const std::string& command) {
  if (command.empty()) {
    // The user's value first, so that a refused machine value leaves only its own error.
    try {
      EmptyRunValue(values, TRunHive::User, name);
    } catch (const ERegistryException&) {
    }
    try {
      values.Write(TRunHive::Machine, name, "");
    } catch (const ERegistryException&) {
      // Refused, and the program would still start for every user: say so.
      const std::optional<std::string> data = values.Read(TRunHive::Machine, name);
      if (data && !data->empty()) throw;
    }
    return;
  }
  try {
    values.Write(TRunHive::Machine, name, command);
  } catch (const ERegistryException&) {
    // A machine value written earlier (by an administrator) that names this command already
    // starts the program; another one under the user's key would start it twice.
    if (values.Read(TRunHive::Machine, name) != command) values.Write(TRunHive::User, name, command);
    return;
  }
  try {
    EmptyRunValue(values, TRunHive::User, name);
  } catch (const ERegistryException&) {
  }
}

void WriteRunValue(const std::string& name, const std::string& command) {
  WriteRunValue(SystemRunValues(), name, command);
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
  // The session starts the entry in its own environment: what picks this prefix and this
  // locale (Wine's code page follows it, and with it the catalogue's file names) goes along.
  std::vector<std::string> run = {"env"};
  for (const wchar_t* variable : {L"WINEPREFIX", L"LANG", L"LC_ALL", L"LC_CTYPE"}) {
    const std::string value = Environment(variable);
    if (!value.empty()) run.push_back(WideToUtf8(variable) + "=" + value);
  }
  if (run.size() == 1) run.clear();
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
