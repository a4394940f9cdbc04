#include "localisation/memini.h"

#include <algorithm>
#include <utility>

#include "toolkit/core/text.h"

namespace {

bool LessText(std::string_view a, std::string_view b) { return CompareText(a, b) < 0; }

// Calls fn for every line of text: split at CR LF, CR or LF; a last line without a line
// break counts.
template <class Fn>
void ForEachLine(std::string_view text, Fn fn) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      fn(text.substr(pos));
      return;
    }
    fn(text.substr(pos, end - pos));
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
}

}  // namespace

void TMemIniFile::SetText(std::string_view text) {
  sections_.clear();
  Section* current = nullptr;
  ForEachLine(text, [&](std::string_view line) {
    if (line.empty() || line.front() == ';') return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &SectionFor(line.substr(1, line.size() - 2));
      return;
    }
    if (!current) return;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
      AddEntry(*current, std::string(line), {});
    else
      AddEntry(*current, std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
  });
}

std::string TMemIniFile::Text() const {
  std::string out;
  for (const Section& s : sections_) {
    out += '[';
    out += s.name;
    out += "]\r\n";
    for (const Entry& e : s.entries) {
      out += e.key;
      out += '=';
      out += e.value;
      out += "\r\n";
    }
    out += "\r\n";
  }
  return out;
}

TMemIniFile::Section& TMemIniFile::SectionFor(std::string_view name) {
  auto it = std::lower_bound(sections_.begin(), sections_.end(), name,
                             [](const Section& s, std::string_view n) { return LessText(s.name, n); });
  if (it != sections_.end() && SameText(it->name, name)) return *it;
  // Inserting may move the other sections; callers hold no references across it.
  return *sections_.insert(it, Section{std::string(name), {}});
}

void TMemIniFile::AddEntry(Section& section, std::string key, std::string value) {
  // After the equal keys, so that repeated keys keep their order.
  auto it = std::upper_bound(section.entries.begin(), section.entries.end(), key,
                             [](const std::string& k, const Entry& e) { return LessText(k, e.key); });
  section.entries.insert(it, Entry{std::move(key), std::move(value)});
}

const TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) const {
  auto it = std::lower_bound(sections_.begin(), sections_.end(), name,
                             [](const Section& s, std::string_view n) { return LessText(s.name, n); });
  return it != sections_.end() && SameText(it->name, name) ? &*it : nullptr;
}

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

bool TMemIniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view key) const {
  return Read(section, key).has_value();
}

std::optional<std::string> TMemIniFile::Read(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  auto it = std::lower_bound(s->entries.begin(), s->entries.end(), key,
                             [](const Entry& e, std::string_view k) { return LessText(e.key, k); });
  if (it == s->entries.end() || !SameText(it->key, key)) return std::nullopt;
  return it->value;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  std::optional<std::string> value = Read(section, key);
  return value ? *value : std::string(defaultValue);
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  std::optional<std::string> value = Read(section, key);
  int n = 0;
  if (!value || !TryStrToInt(*value, n)) return defaultValue;
  return n != 0;
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Section& s = SectionFor(section);
  auto it = std::lower_bound(s.entries.begin(), s.entries.end(), key,
                             [](const Entry& e, std::string_view k) { return LessText(e.key, k); });
  if (it != s.entries.end() && SameText(it->key, key))
    it->value = std::string(value);
  else
    s.entries.insert(it, Entry{std::string(key), std::string(value)});
}

void TMemIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> TMemIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> TMemIniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->entries) keys.push_back(e.key);
  return keys;
}

void TMemIniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const Section& s) { return SameText(s.name, section); });
}
