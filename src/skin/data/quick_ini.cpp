#include "skin/data/quick_ini.h"

#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

bool IsHeader(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

// The key of a key line: the trimmed text before the first "=", lower-cased; empty without "=".
std::string KeyOf(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  return LowerCase(Trim(line.substr(0, eq)));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void TQuickIni::LoadFromStream(TStream& stream) { LoadFromText(stream.ReadToEnd()); }

void TQuickIni::LoadFromText(std::string_view text) {
  lines_.clear();
  sections_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string line = Trim(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n' && (start == end || text[start - 1] == '\r')) ++start;
    if (line.empty() || line.front() == ';') continue;
    if (IsHeader(line)) sections_.push_back({Trim(std::string_view(line).substr(1, line.size() - 2)), lines_.size()});
    lines_.push_back(std::move(line));
  }
}

std::ptrdiff_t TQuickIni::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < sections_.size(); ++i)
    if (SameText(sections_[i].name, section)) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key, const std::string& def) const {
  const std::ptrdiff_t s = FindSection(section);
  if (s < 0) return def;
  const std::string wanted = LowerCase(key);
  for (std::size_t i = sections_[static_cast<std::size_t>(s)].line + 1; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    if (IsHeader(line)) break;
    if (KeyOf(line) != wanted) continue;
    const std::size_t eq = line.find('=');
    std::string value = eq == std::string::npos ? std::string() : Trim(std::string_view(line).substr(eq + 1));
    return value.empty() ? def : value;
  }
  return def;
}

bool ParseSkinInteger(std::string_view text, std::int32_t& value) {
  std::string_view t = text;
  bool negative = false;
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  bool hex = false;
  if (!t.empty() && t.front() == '$') {
    hex = true;
    t.remove_prefix(1);
  } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    hex = true;
    t.remove_prefix(2);
  }
  if (t.empty()) return false;
  std::uint64_t v = 0;
  for (char c : t) {
    const int d = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (d < 0) return false;
    v = v * (hex ? 16 : 10) + static_cast<unsigned>(d);
    if (v > 0xFFFFFFFFu) return false;
  }
  if (!hex && v > (negative ? 0x80000000u : 0x7FFFFFFFu)) return false;
  // Hexadecimal values up to $FFFFFFFF wrap into the 32-bit range.
  std::uint32_t bits = static_cast<std::uint32_t>(v);
  if (negative) bits = 0u - bits;
  value = static_cast<std::int32_t>(bits);
  return true;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const {
  std::int32_t value;
  return ParseSkinInteger(ReadString(section, key, ""), value) ? value : def;
}

TColor ParseSkinColor(std::string_view text) {
  std::uint32_t rgb[3] = {0, 0, 0};
  int found = 0;
  std::size_t i = 0;
  while (i < text.size() && found < 3) {
    if (text[i] < '0' || text[i] > '9') {
      ++i;
      continue;
    }
    std::uint64_t v = 0;
    bool tooLarge = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      if (!tooLarge) v = v * 10 + static_cast<unsigned>(text[i] - '0');
      if (v > 0xFFFFFFFFu) tooLarge = true;
    }
    if (!tooLarge) rgb[found++] = static_cast<std::uint32_t>(v % 256);  // a number past 32 bits is skipped
  }
  return RGBToColor(static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]),
                    static_cast<std::uint8_t>(rgb[2]));
}

TColor TQuickIni::ReadColor(std::string_view section, std::string_view key, TColor def) const {
  const std::string value = ReadString(section, key, "");
  return value.empty() ? def : ParseSkinColor(value);
}

std::vector<std::string> TQuickIni::ReadSections() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const TSection& s : sections_) names.push_back(s.name);
  return names;
}
