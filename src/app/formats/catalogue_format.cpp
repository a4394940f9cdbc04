#include "app/formats/catalogue_format.h"

#include <array>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"

TCatalogueEntry ParseTickLine(std::string_view line) {
  // Offsets of the last two characters (code points; a malformed byte counts as one).
  std::size_t last = 0, beforeLast = 0, count = 0;
  for (std::size_t pos = 0; pos < line.size(); ++count) {
    beforeLast = last;
    last = pos;
    Utf8Decode(line, pos);
  }
  TCatalogueEntry entry;
  entry.Ticked = !line.empty() && line.back() == '1';
  if (count > 2) entry.Text = std::string(line.substr(0, beforeLast));
  return entry;
}

std::string TickLine(const TCatalogueEntry& entry) { return entry.Text + (entry.Ticked ? ",1" : ",0"); }

namespace {
TCatalogueEntries EntriesOf(const TStrings& lines) {
  TCatalogueEntries entries;
  entries.reserve(static_cast<std::size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) entries.push_back(ParseTickLine(lines[i]));
  return entries;
}
}  // namespace

TCatalogueEntries ParseTickLines(std::string_view text) {
  TStringList lines;
  lines.SetText(text);
  return EntriesOf(lines);
}

std::string ProgramListFileName(std::string_view programDir, std::string_view langCode) {
  return std::string(programDir) + PathDelim + "programlist" + std::string(langCode) + ".txt";
}

std::string MessageFileName(std::string_view programDir, std::string_view langCode, std::string_view programName) {
  return std::string(programDir) + PathDelim + "language" + std::string(langCode) + PathDelim +
         std::string(programName) + ".txt";
}

TCatalogueEntries ReadTickFile(const std::string& fileName, int codePage) {
  TStringList lines;
  lines.LoadFromFile(fileName, codePage);
  return EntriesOf(lines);
}

void WriteTickFile(const std::string& fileName, const TCatalogueEntries& entries, int codePage) {
  TStringList lines;
  for (const TCatalogueEntry& entry : entries) {
    CheckCatalogueText(entry.Text, codePage);
    lines.Add(TickLine(entry));
  }
  lines.SaveToFile(fileName, codePage);  // encodes everything before it creates the file
}

void CheckCatalogueText(std::string_view text, int codePage) {
  if (text.find_first_of("\r\n") != std::string_view::npos)
    throw EConvertError(Format("The text \"%s\" holds a line break", {text}));
  Utf8ToAnsi(text, codePage);  // raises EConvertError naming the first character it cannot store
}

namespace {
bool IsReservedDeviceName(std::string_view name) {
  static constexpr std::array<std::string_view, 6> plain{"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  // A device name stays one with an extension after it ("NUL.x"), and Windows ignores trailing
  // blanks; the message file adds ".txt" anyway.
  std::string stem = TrimRight(name.substr(0, name.find('.')));
  for (std::string_view device : plain)
    if (SameText(stem, device)) return true;
  if (stem.size() == 4 && (SameText(stem.substr(0, 3), "COM") || SameText(stem.substr(0, 3), "LPT")))
    return stem[3] >= '1' && stem[3] <= '9';
  return false;
}
}  // namespace

void CheckProgramName(std::string_view name, int codePage) {
  CheckCatalogueText(name, codePage);
  bool bad = IsReservedDeviceName(name);
  for (char c : name)
    if (static_cast<unsigned char>(c) < ' ' || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
      bad = true;
  if (bad) throw EConvertError(Format("\"%s\" cannot be used as a program name", {name}));
}

// Windows compares file names upper-cased, so "ı" and "i" both match "I".
bool SameProgramName(std::string_view a, std::string_view b) { return AnsiUpperCase(a) == AnsiUpperCase(b); }
