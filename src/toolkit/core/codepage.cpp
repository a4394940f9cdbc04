#include "toolkit/core/codepage.h"

#include <array>
#include <optional>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/utf8.h"

namespace {

using HighHalf = std::array<char16_t, 128>;  // code points of the bytes 0x80..0xFF

// Windows-1252. The five bytes Windows leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map
// to the C1 control of the same value, as Windows' own conversion does, so every byte
// survives a round trip.
constexpr HighHalf MakeWindows1252() {
  HighHalf table{};
  constexpr char16_t k80To9F[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  for (int i = 0; i < 32; ++i) table[i] = k80To9F[i];
  for (int i = 32; i < 128; ++i) table[i] = static_cast<char16_t>(0x80 + i);  // Latin-1
  return table;
}

// Windows-1254: Windows-1252 with the Turkish letters in place of six Latin-1 ones, and
// 0x8E and 0x9E undefined.
constexpr HighHalf MakeWindows1254() {
  HighHalf table = MakeWindows1252();
  table[0x8E - 0x80] = 0x008E;
  table[0x9E - 0x80] = 0x009E;
  table[0xD0 - 0x80] = 0x011E;  // Ğ
  table[0xDD - 0x80] = 0x0130;  // İ
  table[0xDE - 0x80] = 0x015E;  // Ş
  table[0xF0 - 0x80] = 0x011F;  // ğ
  table[0xFD - 0x80] = 0x0131;  // ı
  table[0xFE - 0x80] = 0x015F;  // ş
  return table;
}

constexpr HighHalf kWindows1252 = MakeWindows1252();
constexpr HighHalf kWindows1254 = MakeWindows1254();

int systemCodePage = cpWindows1252;

[[noreturn]] void Unsupported(int codePage) {
  throw EConvertError(Format("Code page %d is not supported", {codePage}));
}

[[noreturn]] void InvalidUtf8(std::size_t offset) {
  throw EConvertError(Format("Invalid UTF-8 sequence at byte %d", {offset}));
}

const HighHalf* TableOf(int codePage) {
  switch (codePage) {
    case cpWindows1252: return &kWindows1252;
    case cpWindows1254: return &kWindows1254;
    default: return nullptr;
  }
}

const HighHalf& RequireTable(int codePage) {
  const HighHalf* table = TableOf(codePage);
  if (!table) Unsupported(codePage);
  return *table;
}

std::string CheckedUtf8(std::string_view text) {
  const std::size_t bad = FindInvalidUtf8(text);
  if (bad != std::string_view::npos) InvalidUtf8(bad);
  return std::string(text);
}

std::optional<char> EncodeChar(const HighHalf& table, char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] == cp) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

bool IsSupportedCodePage(int codePage) { return codePage == cpUtf8 || TableOf(codePage) != nullptr; }

int SystemAnsiCodePage() { return systemCodePage; }

void SetSystemAnsiCodePage(int codePage) { systemCodePage = codePage; }

std::string AnsiToUtf8(std::string_view bytes, int codePage) {
  if (codePage == cpUtf8) return CheckedUtf8(bytes);
  const HighHalf& table = RequireTable(codePage);
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80)
      out.push_back(c);
    else
      Utf8Append(out, table[b - 0x80]);
  }
  return out;
}

std::string AnsiToUtf8(std::string_view bytes) { return AnsiToUtf8(bytes, SystemAnsiCodePage()); }

std::string Utf8ToAnsi(std::string_view text, int codePage) {
  if (codePage == cpUtf8) return CheckedUtf8(text);
  const HighHalf& table = RequireTable(codePage);
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    char32_t cp;
    if (!Utf8TryDecode(text, pos, cp)) InvalidUtf8(start);
    const std::optional<char> byte = EncodeChar(table, cp);
    if (!byte) {
      throw EConvertError(Format("The character \"%s\" (U+%.4x) cannot be stored in code page %d",
                                 {text.substr(start, pos - start), static_cast<std::uint32_t>(cp), codePage}));
    }
    out.push_back(*byte);
  }
  return out;
}

std::string Utf8ToAnsi(std::string_view text) { return Utf8ToAnsi(text, SystemAnsiCodePage()); }

bool CanEncode(std::string_view text, int codePage) {
  if (codePage == cpUtf8) return IsValidUtf8(text);
  const HighHalf* table = TableOf(codePage);
  if (!table) return false;
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t cp;
    if (!Utf8TryDecode(text, pos, cp) || !EncodeChar(*table, cp)) return false;
  }
  return true;
}
