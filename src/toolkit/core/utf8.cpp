#include "toolkit/core/utf8.h"

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

bool IsEncodable(char32_t cp) { return cp <= 0x10FFFF && !IsSurrogate(cp); }

template <class WideChar>
void AppendUtf16(std::basic_string<WideChar>& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<WideChar>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<WideChar>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<WideChar>(0xDC00 + (cp & 0x3FF)));
  }
}

template <class WideChar>
std::basic_string<WideChar> ToUtf16(std::string_view text) {
  std::basic_string<WideChar> out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) AppendUtf16(out, Utf8Decode(text, pos));
  return out;
}

// Reads UTF-16 units (char16_t, or a 16-bit wchar_t); unpaired surrogates become U+FFFD.
template <class WideChar>
std::string FromUtf16(std::basic_string_view<WideChar> text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t unit = static_cast<char16_t>(text[i]);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
      char32_t low = static_cast<char16_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        Utf8Append(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    Utf8Append(out, IsSurrogate(unit) ? ReplacementCharacter : unit);
  }
  return out;
}

}  // namespace

bool Utf8TryDecode(std::string_view text, std::size_t& pos, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    cp = lead;
    ++pos;
    return true;
  }
  int extra;
  char32_t value;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, value = lead & 0x07, minimum = 0x10000;
  } else {
    return false;
  }
  if (text.size() - pos <= static_cast<std::size_t>(extra)) return false;
  for (int i = 1; i <= extra; ++i) {
    const auto c = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(c)) return false;
    value = (value << 6) | (c & 0x3F);
  }
  if (value < minimum || !IsEncodable(value)) return false;
  cp = value;
  pos += extra + 1;
  return true;
}

char32_t Utf8Decode(std::string_view text, std::size_t& pos) {
  char32_t cp;
  if (Utf8TryDecode(text, pos, cp)) return cp;
  ++pos;
  return ReplacementCharacter;
}

void Utf8Append(std::string& out, char32_t cp) {
  if (!IsEncodable(cp)) cp = ReplacementCharacter;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string Utf8Encode(char32_t cp) {
  std::string out;
  Utf8Append(out, cp);
  return out;
}

std::size_t FindInvalidUtf8(std::string_view text) {
  char32_t cp;
  for (std::size_t pos = 0; pos < text.size();) {
    if (!Utf8TryDecode(text, pos, cp)) return pos;
  }
  return std::string_view::npos;
}

bool IsValidUtf8(std::string_view text) { return FindInvalidUtf8(text) == std::string_view::npos; }

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) Utf8Decode(text, pos);
  return count;
}

WideString Utf8ToUtf16(std::string_view text) { return ToUtf16<char16_t>(text); }

std::string Utf16ToUtf8(std::u16string_view text) { return FromUtf16(text); }

std::wstring Utf8ToWide(std::string_view text) {
  if constexpr (sizeof(wchar_t) == 2) {
    return ToUtf16<wchar_t>(text);
  } else {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) out.push_back(static_cast<wchar_t>(Utf8Decode(text, pos)));
    return out;
  }
}

std::string WideToUtf8(std::wstring_view text) {
  if constexpr (sizeof(wchar_t) == 2) {
    return FromUtf16(text);
  } else {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) Utf8Append(out, static_cast<char32_t>(c));
    return out;
  }
}
