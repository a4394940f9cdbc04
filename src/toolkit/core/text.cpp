#include "toolkit/core/text.h"

#include <array>
#include <filesystem>
#include <limits>
#include <vector>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/utf8.h"

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Simple case mapping, stored as lower-case ranges and the distance to their capitals.
// "pairs" ranges alternate capital/small, the small letters sitting at first, first+2, ...
enum class Direction { Both, UpperOnly, LowerOnly };
struct CaseRange {
  char32_t first, last;
  int delta;  // capital = small + delta
  bool pairs;
  Direction direction;
};

constexpr CaseRange kCaseRanges[] = {
    {0x0061, 0x007A, -32, false, Direction::Both},              // a-z
    {0x00E0, 0x00F6, -32, false, Direction::Both},              // à-ö
    {0x00F8, 0x00FE, -32, false, Direction::Both},              // ø-þ
    {0x00FF, 0x00FF, 0x0178 - 0x00FF, false, Direction::Both},  // ÿ
    {0x0101, 0x012F, -1, true, Direction::Both},                // Latin Extended-A
    {0x0133, 0x0137, -1, true, Direction::Both},
    {0x013A, 0x0148, -1, true, Direction::Both},
    {0x014B, 0x0177, -1, true, Direction::Both},  // ş among them
    {0x017A, 0x017E, -1, true, Direction::Both},
    {0x01CE, 0x01DC, -1, true, Direction::Both},  // Latin Extended-B (ǎ ... ǜ, ș, ț)
    {0x01DF, 0x01EF, -1, true, Direction::Both},
    {0x01F9, 0x01FF, -1, true, Direction::Both},
    {0x0201, 0x021F, -1, true, Direction::Both},
    {0x0259, 0x0259, 0x018F - 0x0259, false, Direction::Both},  // ə
    {0x0223, 0x0233, -1, true, Direction::Both},
    {0x03B1, 0x03C1, -32, false, Direction::Both},  // Greek
    {0x03C3, 0x03CB, -32, false, Direction::Both},
    {0x03AC, 0x03AC, 0x0386 - 0x03AC, false, Direction::Both},
    {0x03AD, 0x03AF, 0x0388 - 0x03AD, false, Direction::Both},
    {0x03CC, 0x03CC, 0x038C - 0x03CC, false, Direction::Both},
    {0x03CD, 0x03CE, 0x038E - 0x03CD, false, Direction::Both},
    {0x0430, 0x044F, -32, false, Direction::Both},  // Cyrillic
    {0x0450, 0x045F, -80, false, Direction::Both},
    {0x0461, 0x0481, -1, true, Direction::Both},
    {0x048B, 0x04BF, -1, true, Direction::Both},
    {0x04C2, 0x04CE, -1, true, Direction::Both},
    {0x04D1, 0x04FF, -1, true, Direction::Both},
    {0x1E01, 0x1E95, -1, true, Direction::Both},  // Latin Extended Additional
    {0x1EA1, 0x1EFF, -1, true, Direction::Both},
    // Letters whose mapping does not go back the same way.
    {0x0131, 0x0131, 'I' - 0x0131, false, Direction::UpperOnly},     // ı -> I
    {0x017F, 0x017F, 'S' - 0x017F, false, Direction::UpperOnly},     // ſ -> S
    {0x00B5, 0x00B5, 0x039C - 0x00B5, false, Direction::UpperOnly},  // µ -> Μ
    {0x03C2, 0x03C2, 0x03A3 - 0x03C2, false, Direction::UpperOnly},  // ς -> Σ
    {0x0069, 0x0069, 0x0130 - 0x0069, false, Direction::LowerOnly},  // İ -> i
};

bool InRange(const CaseRange& r, char32_t cp) {
  return cp >= r.first && cp <= r.last && (!r.pairs || (cp - r.first) % 2 == 0);
}

template <class MapChar>
std::string MapUtf8(std::string_view s, MapChar map) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t start = pos;
    char32_t cp;
    if (Utf8TryDecode(s, pos, cp)) {
      Utf8Append(out, map(cp));
    } else {
      out.push_back(s[start]);  // malformed bytes pass through untouched
      pos = start + 1;
    }
  }
  return out;
}

// Code point at pos, lower-cased, advancing pos; malformed bytes compare as themselves.
char32_t NextLower(std::string_view s, std::size_t& pos) {
  char32_t cp;
  if (Utf8TryDecode(s, pos, cp)) return CharLower(cp);
  return 0x110000 + static_cast<unsigned char>(s[pos++]);
}

// Length in s of a case-insensitive match of pattern at s[at], or npos.
std::size_t MatchIgnoringCase(std::string_view s, std::size_t at, std::string_view pattern) {
  std::size_t p = 0;
  std::size_t q = at;
  while (p < pattern.size()) {
    if (q >= s.size() || NextLower(s, q) != NextLower(pattern, p)) return std::string_view::npos;
  }
  return q - at;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsHexDigit(char c, unsigned& value) {
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  else
    return false;
  return true;
}

// The classic integer syntax; decimal values must lie in [min, max], hex values up to
// hexLimit are taken as their bit pattern (so "$FFFFFFFF" is -1 for a 32-bit integer).
bool ParseInteger(std::string_view s, std::int64_t min, std::int64_t max, std::uint64_t hexLimit,
                  std::int64_t& result) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16, i += 1;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16, i += 2;
  }
  if (i == s.size()) return false;
  const std::uint64_t limit = base == 16 ? hexLimit
                              : negative ? static_cast<std::uint64_t>(-(min + 1)) + 1
                                         : static_cast<std::uint64_t>(max);
  std::uint64_t value = 0;
  for (; i < s.size(); ++i) {
    unsigned digit;
    if (!IsHexDigit(s[i], digit) || digit >= base) return false;
    if (value > (limit - digit) / base) return false;
    value = value * base + digit;
  }
  // Two's complement of the target width: the sign applies to the bit pattern of a hex value.
  const std::uint64_t bits = negative ? 0 - value : value;
  result = hexLimit == 0xFFFFFFFFu ? static_cast<std::int32_t>(static_cast<std::uint32_t>(bits))
                                   : static_cast<std::int64_t>(bits);
  return true;
}

[[noreturn]] void InvalidInteger(std::string_view s) {
  throw EConvertError(Format(ExceptionText::InvalidInteger, {s}));
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int CompareStr(std::string_view a, std::string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

char32_t CharUpper(char32_t cp) {
  for (const CaseRange& r : kCaseRanges) {
    if (r.direction != Direction::LowerOnly && InRange(r, cp)) return cp + r.delta;
  }
  return cp;
}

char32_t CharLower(char32_t cp) {
  for (const CaseRange& r : kCaseRanges) {
    if (r.direction != Direction::UpperOnly && InRange(r, cp - r.delta)) return cp - r.delta;
  }
  return cp;
}

std::string AnsiUpperCase(std::string_view s) { return MapUtf8(s, CharUpper); }
std::string AnsiLowerCase(std::string_view s) { return MapUtf8(s, CharLower); }

int AnsiCompareText(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t ca = NextLower(a, i);
    const char32_t cb = NextLower(b, j);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  return j < b.size() ? -1 : 0;
}

bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

std::string TrimLeft(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags) {
  if (oldPattern.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t length = (flags & rfIgnoreCase)                             ? MatchIgnoringCase(s, i, oldPattern)
                               : s.compare(i, oldPattern.size(), oldPattern) == 0 ? oldPattern.size()
                                                                                  : std::string_view::npos;
    if (length == std::string_view::npos) {
      out.push_back(s[i++]);
      continue;
    }
    out += newPattern;
    i += length;
    if (!(flags & rfReplaceAll)) break;
  }
  out += s.substr(i);
  return out;
}

int Pos(std::string_view sub, std::string_view s, int offset) {
  if (sub.empty() || offset < 1) return 0;
  const std::size_t at = s.find(sub, static_cast<std::size_t>(offset - 1));
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::uint64_t value, int digits) { return Format("%.*x", {digits, value}); }

bool TryStrToInt64(std::string_view s, std::int64_t& value) {
  return ParseInteger(s, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                      std::numeric_limits<std::uint64_t>::max(), value);
}

bool TryStrToInt(std::string_view s, int& value) {
  std::int64_t wide;
  if (!ParseInteger(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 0xFFFFFFFFu, wide)) {
    return false;
  }
  value = static_cast<int>(wide);
  return true;
}

int StrToInt(std::string_view s) {
  int value;
  if (!TryStrToInt(s, value)) InvalidInteger(s);
  return value;
}

std::int64_t StrToInt64(std::string_view s) {
  std::int64_t value;
  if (!TryStrToInt64(s, value)) InvalidInteger(s);
  return value;
}

int StrToIntDef(std::string_view s, int defaultValue) {
  int value;
  return TryStrToInt(s, value) ? value : defaultValue;
}

std::int64_t StrToInt64Def(std::string_view s, std::int64_t defaultValue) {
  std::int64_t value;
  return TryStrToInt64(s, value) ? value : defaultValue;
}

// ---- File names ----

namespace {

// Index just past the last separator (or drive colon), 0 when there is none.
std::size_t NameStart(std::string_view fileName) {
  for (std::size_t i = fileName.size(); i > 0; --i) {
    const char c = fileName[i - 1];
    if (IsPathDelimiter(c) || (c == ':' && i == 2)) return i;
  }
  return 0;
}

[[maybe_unused]] bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Splits an absolute name into its root ("/", "C:\", "\\server\share\") and the rest.
std::string_view SplitRoot(std::string_view name, std::string& root) {
#ifdef _WIN32
  if (IsPathDelimiter(name[0]) && IsPathDelimiter(name[1])) {
    std::size_t i = 2;
    for (int separators = 0; i < name.size(); ++i) {
      if (IsPathDelimiter(name[i]) && ++separators == 2) break;
    }
    root = std::string(name.substr(0, i)) + PathDelim;
    for (char& c : root)
      if (IsPathDelimiter(c)) c = PathDelim;
    return name.substr(std::min(i + 1, name.size()));
  }
  root = std::string(name.substr(0, 2)) + PathDelim;
  return name.substr(3);
#else
  root = std::string(1, PathDelim);
  return name.substr(1);
#endif
}

bool IsAbsolute(std::string_view name) {
#ifdef _WIN32
  return (name.size() >= 3 && IsDriveLetter(name[0]) && name[1] == ':' && IsPathDelimiter(name[2])) ||
         (name.size() >= 2 && IsPathDelimiter(name[0]) && IsPathDelimiter(name[1]));
#else
  return !name.empty() && IsPathDelimiter(name[0]);
#endif
}

}  // namespace

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

std::string ExtractFilePath(std::string_view fileName) { return std::string(fileName.substr(0, NameStart(fileName))); }

std::string ExtractFileDir(std::string_view fileName) {
  std::size_t n = NameStart(fileName);
  // Keep the separator of a root ("\", "C:\").
  if (n > 0 && IsPathDelimiter(fileName[n - 1]) && n != 1 && !(n == 3 && fileName[1] == ':')) --n;
  return std::string(fileName.substr(0, n));
}

std::string ExtractFileName(std::string_view fileName) { return std::string(fileName.substr(NameStart(fileName))); }

std::string ExtractFileExt(std::string_view fileName) {
  const std::size_t start = NameStart(fileName);
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos || dot < start ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  const std::size_t start = NameStart(fileName);
  std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot < start) dot = fileName.size();
  return std::string(fileName.substr(0, dot)) + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (out.empty() || !IsPathDelimiter(out.back())) out.push_back(PathDelim);
  return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (!out.empty() && IsPathDelimiter(out.back())) out.pop_back();
  return out;
}

std::string GetCurrentDir() {
  const std::u8string dir = std::filesystem::current_path().u8string();
  return std::string(dir.begin(), dir.end());
}

std::string ExpandFileName(std::string_view fileName) {
  if (fileName.empty()) return std::string();
  std::string full;
  if (IsAbsolute(fileName)) {
    full = fileName;
  } else {
    const std::string dir = GetCurrentDir();
#ifdef _WIN32
    // "\name" is rooted on the current drive, "X:name" is relative to drive X's root.
    if (IsPathDelimiter(fileName[0]))
      full = dir.substr(0, 2) + std::string(fileName);
    else if (fileName.size() >= 2 && fileName[1] == ':')
      full = std::string(fileName.substr(0, 2)) + PathDelim + std::string(fileName.substr(2));
    else
      full = IncludeTrailingPathDelimiter(dir) + std::string(fileName);
#else
    full = IncludeTrailingPathDelimiter(dir) + std::string(fileName);
#endif
  }
  std::string root;
  const std::string_view rest = SplitRoot(full, root);
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= rest.size(); ++i) {
    if (i < rest.size() && !IsPathDelimiter(rest[i])) continue;
    const std::string_view part = rest.substr(start, i - start);
    start = i + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out = root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out.push_back(PathDelim);
    out += parts[i];
  }
  if (!parts.empty() && IsPathDelimiter(fileName.back())) out.push_back(PathDelim);
  return out;
}
