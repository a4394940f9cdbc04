#pragma once
// TMemIniFile: an ini file held in memory, the form of the text translation files.
//
// Reading: an empty line or a line beginning with ";" is ignored; a line that begins with
// "[" and ends with "]" opens the section named between them; any other line inside a
// section is an entry, split at its first "=" into key and value (no trimming; a line
// without "=" is a key with an empty value). Lines before the first section are ignored.
//
// Sections and keys are kept sorted, case-insensitively. Sections are unique (a repeated
// header continues the section); keys may repeat and keep their file order among equals.
// Writing gives every section as "[name]", its entries as key=value in sorted order, and
// one empty line after each section, so a file always comes out sorted.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TMemIniFile {
public:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;  // sorted by key, equal keys in insertion order
  };

  TMemIniFile() = default;
  explicit TMemIniFile(std::string_view text) { SetText(text); }

  // Replaces the content by the parsed text (lines end in CR LF, CR or LF).
  void SetText(std::string_view text);
  // The whole file as text, lines ended by CR LF.
  std::string Text() const;

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // The first entry's value; nullopt when the section or key is missing.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // "0" is false, any other number true; anything else gives the default.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  // Replaces the first entry of that key, or adds the entry (creating the section).
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Section names, sorted.
  std::vector<std::string> ReadSections() const;
  // The keys of a section in order, repeated keys included.
  std::vector<std::string> ReadSection(std::string_view section) const;
  const Section* FindSection(std::string_view section) const;
  Section* FindSection(std::string_view section);

  void EraseSection(std::string_view section);
  // Deletes every entry of the section whose key satisfies the predicate.
  template <class Pred>
  void DeleteKeys(std::string_view section, Pred pred) {
    if (Section* s = FindSection(section)) std::erase_if(s->entries, [&](const Entry& e) { return pred(e.key); });
  }

private:
  Section& SectionFor(std::string_view name);
  void AddEntry(Section& section, std::string key, std::string value);

  std::vector<Section> sections_;  // sorted by name
};
