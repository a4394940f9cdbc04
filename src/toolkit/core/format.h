#pragma once
// Format: the classic formatted-text routine of the toolkit.
//
//   Format("List index out of bounds (%d)", {index})
//   Format("Cannot open file \"%s\". %s", {name, reason})
//
// Specifiers: "%" [index ":"] ["-"] [width] ["." precision] type, width and precision being
// digits or "*" (taken from the next argument). Types:
//   s  text; precision = most characters shown
//   d  signed decimal; precision = fewest digits (zero-filled)
//   u  unsigned decimal (a negative 32-bit argument reads as its 32-bit pattern)
//   x  upper-case hexadecimal, same rule
//   %  a percent sign
// Width pads with blanks on the left, or on the right with "-". Width and precision count
// characters (code points), not bytes. A bad specifier, a missing argument or one of the
// wrong kind raises EConvertError "Format '<fmt>' invalid or incompatible with argument".
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class TVarRec {
public:
  enum class Kind { String, Integer };

  TVarRec(const char* s) : kind_(Kind::String), text_(s ? s : "") {}
  TVarRec(std::string_view s) : kind_(Kind::String), text_(s) {}
  TVarRec(const std::string& s) : kind_(Kind::String), text_(s) {}
  TVarRec(char c) : kind_(Kind::String), text_(1, c) {}
  template <std::integral T>
  requires(!std::same_as<T, char> && !std::same_as<T, bool>) TVarRec(T value)
      : kind_(Kind::Integer), integer_(static_cast<std::int64_t>(value)), wide_(sizeof(T) > 4) {}

  Kind kind() const { return kind_; }
  const std::string& text() const { return text_; }
  std::int64_t integer() const { return integer_; }
  // The bit pattern an unsigned or hex specifier shows.
  std::uint64_t unsignedValue() const {
    return wide_ ? static_cast<std::uint64_t>(integer_) : static_cast<std::uint32_t>(integer_);
  }

private:
  Kind kind_;
  std::string text_;
  std::int64_t integer_ = 0;
  bool wide_ = false;
};

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args);
