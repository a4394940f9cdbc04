#pragma once
// Starting the program with the system: a string value under the Run key of
// HKEY_LOCAL_MACHINE, and, when the program runs under Wine (where nothing reads that key when
// the desktop session starts), a desktop entry in the user's autostart folder as well.
#include <string>

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Writes the string value name = command under the Run key, creating the key when it is
// missing: ERegistryException "Failed to create key <path>" or "Failed to set data for
// '<name>'" when the registry refuses.
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
// the same Wine prefix: writes the entry file, creating the folder; EFCreateError "Cannot
// create file ..." when it cannot be written. Does nothing when there is no folder.
void WriteDesktopAutostart(const std::string& name, const std::string& command);
// Removes that entry file, if there is one.
void RemoveDesktopAutostart(const std::string& name);
