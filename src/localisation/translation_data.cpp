#include "localisation/translation_data.h"

#include "toolkit/core/text.h"

namespace {

constexpr char kStoredCR = 0x19;
constexpr char kStoredLF = 0x1A;

void MapBytes(std::string& text, char from, char to) {
  for (char& c : text)
    if (c == from) c = to;
}

// Position just after the k-th delimiter, or npos when the line has fewer.
std::size_t AfterDelim(std::string_view line, char delim, int k) {
  std::size_t pos = 0;
  for (int i = 0; i < k; ++i) {
    std::size_t d = line.find(delim, pos);
    if (d == std::string_view::npos) return std::string_view::npos;
    pos = d + 1;
  }
  return pos;
}

}  // namespace

const std::string& StringsTypeName(int t) {
  static const std::string empty;
  const auto& names = EnumTypeInfo<TStringsType>().EnumNames;
  return t >= 0 && t < StringsTypeCount ? names[t] : empty;
}

std::string SectionPropertyName(int t) { return StringsTypeName(t).substr(t >= 0 && t < StringsTypeCount ? 2 : 0); }

int FindStringsTypeBySectionName(std::string_view name) {
  for (int t = 0; t < StringsTypeCount; ++t)
    if (SameText(std::string_view(StringsTypeName(t)).substr(2), name)) return t;
  return -1;
}

int FindStringsTypeByHeader(std::string_view line) {
  for (int t = 0; t < StringsTypeCount; ++t)
    if (SameText(StringsTypeName(t), line)) return t;
  return -1;
}

std::string ExtractLangField(std::string_view line, char delim, int k) {
  if (k < 0) return {};
  std::size_t start = AfterDelim(line, delim, k);
  if (start == std::string_view::npos) return {};
  std::size_t end = line.find(delim, start);
  return std::string(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::size_t CountDelims(std::string_view line, char delim) {
  std::size_t n = 0;
  for (char c : line) n += c == delim;
  return n;
}

void PadLine(std::string& line, char delim, int numLanguages) {
  std::size_t want = numLanguages < 0 ? 1 : static_cast<std::size_t>(numLanguages) + 1;
  for (std::size_t have = CountDelims(line, delim); have < want; ++have) line += delim;
}

void CutLineAfterLanguage(std::string& line, char delim, int keep) {
  std::size_t end = AfterDelim(line, delim, keep + 1);
  if (end != std::string::npos) line.resize(end);
}

std::string MakeLine(std::string_view key, char delim, std::string_view value, int numLanguages) {
  std::string line(key);
  line += delim;
  line += value;
  line.append(numLanguages > 0 ? static_cast<std::size_t>(numLanguages) : 0, delim);
  return line;
}

void SetLangField(std::string& line, char delim, int k, std::string_view value) {
  if (k < 1) return;
  while (CountDelims(line, delim) < static_cast<std::size_t>(k) + 1) line += delim;
  std::size_t start = AfterDelim(line, delim, k);
  std::size_t end = line.find(delim, start);
  line.replace(start, end == std::string::npos ? std::string::npos : end - start, value);
}

std::vector<TranslationSection> DecodeTranslationBlock(std::string_view block) {
  block = block.substr(0, block.find('\0'));
  std::vector<TranslationSection> sections;
  TranslationSection* current = nullptr;
  std::size_t pos = 0;
  while (pos < block.size()) {
    std::size_t end = block.find_first_of("\r\n", pos);
    std::string_view line = block.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    if (end == std::string_view::npos)
      pos = block.size();
    else
      pos = end + (block[end] == '\r' && end + 1 < block.size() && block[end + 1] == '\n' ? 2 : 1);

    int header = FindStringsTypeByHeader(line);
    if (header >= 0) {
      // A repeated header starts its section afresh, as the reader empties it.
      std::erase_if(sections, [header](const TranslationSection& s) { return s.type == header; });
      sections.push_back({header, {}});
      current = &sections.back();
    } else if (current) {
      std::string text(line);
      MapBytes(text, kStoredCR, '\r');
      MapBytes(text, kStoredLF, '\n');
      current->lines.push_back(std::move(text));
    }
  }
  return sections;
}

void EncodeTranslationSection(std::string& out, int type, const std::vector<std::string>& lines) {
  out += StringsTypeName(type);
  out += "\r\n";
  for (const std::string& line : lines) {
    std::size_t start = out.size();
    out += line;
    for (std::size_t i = start; i < out.size(); ++i) {
      if (out[i] == '\r')
        out[i] = kStoredCR;
      else if (out[i] == '\n')
        out[i] = kStoredLF;
    }
    out += "\r\n";
  }
}
