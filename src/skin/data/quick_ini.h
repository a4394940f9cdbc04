#pragma once
// TQuickIni: the small read-only ini parser of a skin's ini text.
//
// Lines end with CR, LF, CR LF or the end of the text and are trimmed of blanks and control
// characters; empty lines and lines beginning with ";" are dropped. "[name]" is a section
// header, anything else a "key = value" line (a line without "=" has an empty key). Section
// names and keys match without regard to ASCII case; the first header of a name wins, and
// within a section the first line with the key wins, even when its value is empty.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/color.h"

class TStream;

class TQuickIni {
public:
  // Parses from the stream's position to its end; replaces earlier content.
  void LoadFromStream(TStream& stream);
  void LoadFromText(std::string_view text);

  // The trimmed value, or def when the section, the key or the value is missing.
  std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;
  // Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X"; def otherwise.
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
  // Red, green and blue from the first three decimal numbers of the value (any other
  // characters separate them; missing ones are 0, each is taken modulo 256); def when the
  // value is missing or empty.
  TColor ReadColor(std::string_view section, std::string_view key, TColor def) const;
  // Section names in file order (repeated headers included).
  std::vector<std::string> ReadSections() const;

  // The kept lines, headers included, in file order.
  const std::vector<std::string>& Lines() const { return lines_; }

private:
  struct TSection {
    std::string name;
    std::size_t line;  // index of the header in lines_
  };
  // Index of the first header of that name, or -1.
  std::ptrdiff_t FindSection(std::string_view section) const;

  std::vector<std::string> lines_;
  std::vector<TSection> sections_;
};

// The value forms, on their own (ReadInteger and ReadColor use them).
bool ParseSkinInteger(std::string_view text, std::int32_t& value);
TColor ParseSkinColor(std::string_view text);
