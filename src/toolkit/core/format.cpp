#include "toolkit/core/format.h"

#include <algorithm>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/utf8.h"

namespace {

[[noreturn]] void FormatError(std::string_view fmt) {
  throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Cuts text to at most maxChars code points.
std::string_view CutToChars(std::string_view text, std::size_t maxChars) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < maxChars && pos < text.size(); ++n) Utf8Decode(text, pos);
  return text.substr(0, pos);
}

std::string Digits(std::uint64_t value, unsigned base) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value % base]);
    value /= base;
  } while (value != 0);
  return out;
}

class Formatter {
public:
  Formatter(std::string_view fmt, std::initializer_list<TVarRec> args) : fmt_(fmt), args_(args) {}

  std::string Run() {
    std::string out;
    out.reserve(fmt_.size() + 16);
    while (pos_ < fmt_.size()) {
      const char c = fmt_[pos_++];
      if (c != '%') {
        out.push_back(c);
        continue;
      }
      Specifier(out);
    }
    return out;
  }

private:
  const TVarRec& NextArg() {
    if (next_ >= args_.size()) FormatError(fmt_);
    return args_.begin()[next_++];
  }

  char Peek() const { return pos_ < fmt_.size() ? fmt_[pos_] : '\0'; }

  // Digits; -1 when there are none.
  long ReadDigits() {
    if (!IsDigit(Peek())) return -1;
    long value = 0;
    while (IsDigit(Peek())) {
      value = value * 10 + (fmt_[pos_++] - '0');
      if (value > kMaxWidth) FormatError(fmt_);  // no sensible width is that large
    }
    return value;
  }

  // Digits or "*" (the next argument); -1 when neither is there.
  long Number() {
    if (Peek() != '*') return ReadDigits();
    ++pos_;
    const TVarRec& arg = NextArg();
    if (arg.kind() != TVarRec::Kind::Integer) FormatError(fmt_);
    return static_cast<long>(std::clamp<std::int64_t>(arg.integer(), 0, kMaxWidth));
  }

  void Specifier(std::string& out) {
    if (Peek() == '%') {
      ++pos_;
      out.push_back('%');
      return;
    }
    const std::size_t start = pos_;
    const long index = ReadDigits();
    if (index >= 0 && Peek() == ':') {
      ++pos_;
      next_ = static_cast<std::size_t>(index);
    } else {
      pos_ = start;
    }
    const bool leftAlign = Peek() == '-';
    if (leftAlign) ++pos_;
    const long width = Number();
    long precision = -1;
    if (Peek() == '.') {
      ++pos_;
      precision = Number();
      if (precision < 0) precision = 0;
    }
    if (pos_ >= fmt_.size()) FormatError(fmt_);
    const char type = static_cast<char>(fmt_[pos_++] | 0x20);
    const std::string field = Field(type, precision);
    const std::size_t chars = Utf8Length(field);
    const std::size_t padding = width > 0 && static_cast<std::size_t>(width) > chars ? width - chars : 0;
    if (!leftAlign) out.append(padding, ' ');
    out += field;
    if (leftAlign) out.append(padding, ' ');
  }

  std::string Field(char type, long precision) {
    const TVarRec& arg = NextArg();
    if (type == 's') {
      if (arg.kind() != TVarRec::Kind::String) FormatError(fmt_);
      return std::string(precision >= 0 ? CutToChars(arg.text(), precision) : arg.text());
    }
    if (arg.kind() != TVarRec::Kind::Integer) FormatError(fmt_);
    std::string digits;
    bool negative = false;
    switch (type) {
      case 'd':
        negative = arg.integer() < 0;
        digits = Digits(negative ? 0 - static_cast<std::uint64_t>(arg.integer()) : arg.integer(), 10);
        break;
      case 'u': digits = Digits(arg.unsignedValue(), 10); break;
      case 'x': digits = Digits(arg.unsignedValue(), 16); break;
      default: FormatError(fmt_);
    }
    if (precision > 0 && digits.size() < static_cast<std::size_t>(precision)) {
      digits.insert(0, precision - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
  }

  static constexpr long kMaxWidth = 1 << 20;

  std::string_view fmt_;
  std::initializer_list<TVarRec> args_;
  std::size_t pos_ = 0;
  std::size_t next_ = 0;
};

}  // namespace

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args) { return Formatter(fmt, args).Run(); }
