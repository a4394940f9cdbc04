#pragma once
// The settings file "ayarlar.txt" in the program directory: six lines ending in CR LF, in the
// system's ANSI code page:
//   1 language code ("0" Turkish, "1" English)
//   2 period in seconds and 3 duration in milliseconds, as typed in their edit boxes
//   4 placement, 5 autostart choice, 6 language choice: the selected items of their radio
//     groups as decimal numbers
// The main window reads it line by line in its create handler and writes it on Exit.
#include <string>
#include <string_view>

class TStrings;

inline constexpr int SettingsLineCount = 6;

// Program directory + "\ayarlar.txt" (the platform's separator).
std::string SettingsFileName(std::string_view programDir);

// Line i (0-based) as read; a line the file does not have reads as "".
std::string SettingsLine(const TStrings& lines, int i);

// The language code of line 1. Only "0" and "1" are language codes: the code becomes part of
// the catalogue's file names, so any other text (a hand-edited or damaged file) is refused
// with EConvertError "'<text>' is not a valid language code" before a file is named from it.
std::string SettingsLangCode(const TStrings& lines);

// The selection stored in line i (3, 4 or 5): EConvertError "'<text>' is not a valid integer
// value" when the line is not a whole number.
int SettingsSelection(const TStrings& lines, int i);

// The language code of a language position (0 Turkish, 1 English).
std::string LangCodeOf(int position);
