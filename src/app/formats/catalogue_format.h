#pragma once
// The message catalogue's files. A program list and each program's message file hold one
// tick line per entry: the entry's text, "," and "1" (ticked) or "0" (not ticked), each line
// ending in CR LF, in the system's ANSI code page. A line is read from its end, so commas
// inside a text need no escaping.
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/codepage.h"

struct TCatalogueEntry {
  std::string Text;
  bool Ticked = false;
  bool operator==(const TCatalogueEntry&) const = default;
};
using TCatalogueEntries = std::vector<TCatalogueEntry>;

// Text = the line without its last two characters (empty for two characters or fewer);
// ticked = the last character is "1". The character before the flag is not looked at.
TCatalogueEntry ParseTickLine(std::string_view line);
// text + ",1" or text + ",0".
std::string TickLine(const TCatalogueEntry& entry);

// Every line of a file's text is one entry, an empty line too; a final line break starts no
// further entry, and a last line without one counts.
TCatalogueEntries ParseTickLines(std::string_view text);

// File names: program directory + "\programlist" + language code + ".txt", and program
// directory + "\language" + language code + "\" + program name + ".txt". The separator is the
// platform's, "\" on Windows.
std::string ProgramListFileName(std::string_view programDir, std::string_view langCode);
std::string MessageFileName(std::string_view programDir, std::string_view langCode, std::string_view programName);

// Reads a tick file; EFOpenError "Cannot open file ..." when it cannot be opened.
TCatalogueEntries ReadTickFile(const std::string& fileName, int codePage = SystemAnsiCodePage());
// Replaces a tick file. Every text is checked (CheckCatalogueText) before the file is touched;
// EFCreateError "Cannot create file ..." when it cannot be written.
void WriteTickFile(const std::string& fileName, const TCatalogueEntries& entries, int codePage = SystemAnsiCodePage());

// Refuses, with EConvertError, a text that cannot be stored as one tick line: a character the
// code page has no byte for, or a line break (which would split the entry in two).
void CheckCatalogueText(std::string_view text, int codePage = SystemAnsiCodePage());
// A program name is also a file name in the language directory. Besides CheckCatalogueText it
// refuses names that would address another file or a device: path separators, a drive colon,
// the characters Windows keeps out of file names, and the reserved device names (CON, NUL, ...).
void CheckProgramName(std::string_view name, int codePage = SystemAnsiCodePage());
// Program names compare as Windows compares file names: without regard to letter case.
bool SameProgramName(std::string_view a, std::string_view b);
