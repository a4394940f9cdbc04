#pragma once
// Desktop entries of a Unix desktop session: a program is started with the session when its
// entry lies in the user's autostart folder. Under Wine the program writes one for itself,
// since the registry's start-up list is read by no one there.
#include <string>
#include <string_view>
#include <vector>

// One argument as the entry's Exec key holds it: quoted when it holds a character the key
// reserves, with the escapes that quoting and the key's string form ask for (so a backslash
// in a quoted argument is written as four), "%" doubled.
std::string DesktopExecArgument(std::string_view argument);

// The text of an entry named name that runs the command (program and arguments), lines
// ending in LF.
std::string DesktopAutostartEntry(std::string_view name, const std::vector<std::string>& command);

// The entry's file name in the autostart folder: the name and ".desktop".
std::string DesktopEntryFileName(std::string_view name);
