#pragma once
// Starting the program with the system: a string value under the Run key of
// HKEY_LOCAL_MACHINE, or of HKEY_CURRENT_USER where the machine's key refuses it, and, when the
// program runs under Wine (where nothing reads those keys when the desktop session starts), a
// desktop entry in the user's autostart folder as well.
#include <optional>
#include <string>

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The two Run keys: the machine's, read at every user's log-on, and the user's own.
enum class TRunHive { Machine, User };

// The string values of the Run keys, as the autostart choice writes, reads and deletes them.
class TRunValues {
public:
  virtual ~TRunValues() = default;
  // Writes name = data under the hive's Run key, creating the key when it is missing:
  // ERegistryException "Failed to create key <path>" or "Failed to set data for '<name>'" when
  // the registry refuses.
  virtual void Write(TRunHive hive, const std::string& name, const std::string& data) = 0;
  // The value's text; nothing when the value (or the key) does not exist or cannot be read.
  virtual std::optional<std::string> Read(TRunHive hive, const std::string& name) = 0;
  virtual void Delete(TRunHive hive, const std::string& name) = 0;
};

// The Run keys of the system's registry.
TRunValues& SystemRunValues();

// Makes the system start command at log-on. A command goes under the machine's Run key;
// where that key refuses it (a standard user, or an administrator's program without
// elevation), under the user's instead, silently, unless the machine's value names that
// command already. When the machine's key takes it, a value of the user's key is emptied, so
// that the program never starts twice. An empty command writes the machine's value empty and
// empties the user's where it exists; a refusal there is silent unless the machine's value
// still names a program: then ERegistryException, since the program would still start.
void WriteRunValue(TRunValues& values, const std::string& name, const std::string& command);
void WriteRunValue(const std::string& name, const std::string& command);

// True when the program runs under Wine.
bool RunningUnderWine();
// Under Wine: the Unix name of a Windows file name; empty elsewhere or when there is none.
std::string WineUnixFileName(const std::string& windowsName);

// Under Wine: the user's autostart folder as a Windows path ($XDG_CONFIG_HOME/autostart, or
// $HOME/.config/autostart); empty elsewhere or when neither variable is set.
std::string DesktopAutostartFolder();
// The desktop entry file of a value name in that folder; empty when there is no folder.
std::string DesktopAutostartFile(const std::string& name);

// Under Wine, makes the desktop session start the program of command (a Windows path) with
// the same Wine prefix and the same locale (WINEPREFIX, LANG, LC_ALL and LC_CTYPE, those that
// are set), so that file names outside ASCII read as they do now: writes the entry file,
// creating the folder; EFCreateError "Cannot create file ..." when it cannot be written. Does
// nothing when there is no folder.
void WriteDesktopAutostart(const std::string& name, const std::string& command);
// Removes that entry file, if there is one.
void RemoveDesktopAutostart(const std::string& name);
