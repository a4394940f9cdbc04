#include "localisation/charsets.h"

#include "toolkit/core/text.h"

namespace {

struct CharsetRow {
  const char* identifier;
  std::uint8_t charset;
};

constexpr CharsetRow kCharsets[CharsetCount] = {
    {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},    {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129},    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},      {"TURKISH_CHARSET", 162}, {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},      {"ARABIC_CHARSET", 178},     {"BALTIC_CHARSET", 186},  {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},        {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
};

}  // namespace

std::string_view CharsetIdentifier(int i) { return i >= 0 && i < CharsetCount ? kCharsets[i].identifier : ""; }

std::optional<std::uint8_t> CharsetFromIdentifier(std::string_view identifier, bool caseSensitive) {
  for (const CharsetRow& row : kCharsets)
    if (caseSensitive ? identifier == row.identifier : SameText(identifier, row.identifier)) return row.charset;
  return std::nullopt;
}

std::string CharsetToIdentifier(std::uint8_t charset) {
  for (const CharsetRow& row : kCharsets)
    if (row.charset == charset) return row.identifier;
  return {};
}
