// Starting with the system: the Run values as a standard user meets them (a machine key that
// refuses writing, in memory), the real registry where both keys can be written (Wine), and the
// desktop session's entry under Wine, which carries the prefix and the locale.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "app/autostart.h"
#include "test_program_directory.h"
#include "toolkit/core/format.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/registry.h"

namespace {

constexpr char kName[] = "QuillimoTest";
constexpr char kCommand[] = "C:\\Quillimo\\vesperin.exe";

// Run keys in memory whose machine key refuses writing, as it does for a standard user or an
// administrator's program without elevation; values written there before (by an
// administrator) are put in directly.
class StandardUserRunValues : public TRunValues {
public:
  void Write(TRunHive hive, const std::string& name, const std::string& data) override {
    if (hive == TRunHive::Machine) throw ERegistryException(Format(RegistryText::CreateKeyError, {kRunKeyPath}));
    values[{hive, name}] = data;
  }
  std::optional<std::string> Read(TRunHive hive, const std::string& name) override {
    auto found = values.find({hive, name});
    if (found == values.end()) return {};
    return found->second;
  }
  void Delete(TRunHive hive, const std::string& name) override { values.erase({hive, name}); }

  std::map<std::pair<TRunHive, std::string>, std::string> values;
};

// A value of the real registry read without the seam; nothing when it does not exist.
std::optional<std::string> RegistryValue(HKEY root) {
  wchar_t data[1024] = {};
  DWORD size = sizeof(data);
  if (RegGetValueW(root, Utf8ToWide(kRunKeyPath).c_str(), Utf8ToWide(kName).c_str(), RRF_RT_REG_SZ, nullptr, data,
                   &size) != ERROR_SUCCESS)
    return {};
  return WideToUtf8(data);
}

// Sets an environment variable of the process (nullptr removes it) for the object's life.
class ScopedVariable {
public:
  ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
    wchar_t old[1024];
    const DWORD size = GetEnvironmentVariableW(name, old, 1024);
    if (size > 0 && size < 1024) old_ = old;
    SetEnvironmentVariableW(name, value);
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }

private:
  const wchar_t* name_;
  std::optional<std::wstring> old_;
};

}  // namespace

TEST(AutostartAsAStandardUser, GoesUnderTheUsersRunKeySilentlyAndIsEmptiedThere) {
  StandardUserRunValues values;
  EXPECT_NO_THROW(WriteRunValue(values, kName, kCommand));
  EXPECT_EQ(values.Read(TRunHive::User, kName), kCommand);
  EXPECT_NO_THROW(WriteRunValue(values, kName, ""));
  EXPECT_EQ(values.Read(TRunHive::User, kName), "");
  EXPECT_EQ(values.values.size(), 1u);  // nothing appeared under the machine's key
}

TEST(AutostartAsAStandardUser, AMachineValueOfAnAdministratorIsKeptAndReportedWhenItCannotBeEmptied) {
  StandardUserRunValues values;
  values.values[{TRunHive::Machine, kName}] = kCommand;
  // It starts the program already: a user's value would start it twice.
  EXPECT_NO_THROW(WriteRunValue(values, kName, kCommand));
  EXPECT_EQ(values.Read(TRunHive::User, kName), std::nullopt);
  // Not starting it is beyond a standard user: the error box says so.
  try {
    WriteRunValue(values, kName, "");
    ADD_FAILURE() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()), "Failed to create key Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  }
  // An empty machine value starts nothing: no error.
  values.values[{TRunHive::Machine, kName}] = "";
  EXPECT_NO_THROW(WriteRunValue(values, kName, ""));
}

// Both keys writable, as for an administrator under Wine: the machine's key takes the command,
// and a value the user's key got in an earlier session without the rights is emptied.
TEST(AutostartWithBothKeysWritable, TheMachineKeyTakesTheCommandAndTheUsersValueIsEmptied) {
  TRunValues& registry = SystemRunValues();
  registry.Delete(TRunHive::Machine, kName);
  registry.Write(TRunHive::User, kName, "C:\\Old\\vesperin.exe");
  WriteRunValue(registry, kName, kCommand);
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE), kCommand);
  EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER), "");
  EXPECT_EQ(registry.Read(TRunHive::Machine, kName), kCommand);

  registry.Delete(TRunHive::User, kName);
  EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER), std::nullopt);
  WriteRunValue(registry, kName, "");
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE), "");           // the value stays, empty
  EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER), std::nullopt);  // emptied only where it exists
  registry.Delete(TRunHive::Machine, kName);
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE), std::nullopt);
}

// The session starts the entry in its own environment; the locale the program runs under now
// (and with it the code page of the catalogue's file names) goes along, as the prefix does.
TEST(AutostartUnderWine, TheDesktopEntryCarriesTheLocaleThatIsSet) {
  if (!RunningUnderWine()) GTEST_SKIP() << "not under Wine";
  TestProgramDirectory dir("AutostartLocale");
  ScopedVariable config(L"XDG_CONFIG_HOME", Utf8ToWide(WineUnixFileName(dir.File("config"))).c_str());
  const std::string entryFile = "config\\autostart\\QuillimoTest.desktop";
  {
    ScopedVariable lang(L"LANG", L"tr_TR.UTF-8"), all(L"LC_ALL", nullptr), ctype(L"LC_CTYPE", L"tr_TR.UTF-8");
    WriteDesktopAutostart(kName, dir.Path() + "\\vesperin.exe");
    const std::string entry = dir.Read(entryFile);
    EXPECT_NE(entry.find(" LANG=tr_TR.UTF-8 LC_CTYPE=tr_TR.UTF-8 wine "), std::string::npos) << entry;
    EXPECT_EQ(entry.find("LC_ALL"), std::string::npos) << entry;
  }
  ScopedVariable lang(L"LANG", nullptr), all(L"LC_ALL", L"tr_TR.UTF-8"), ctype(L"LC_CTYPE", nullptr);
  WriteDesktopAutostart(kName, dir.Path() + "\\vesperin.exe");
  const std::string entry = dir.Read(entryFile);
  EXPECT_NE(entry.find(" LC_ALL=tr_TR.UTF-8 wine "), std::string::npos) << entry;
  EXPECT_EQ(entry.find("LANG="), std::string::npos) << entry;
}
