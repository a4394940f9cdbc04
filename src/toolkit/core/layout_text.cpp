#include "toolkit/core/layout_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

#include "toolkit/core/codepage.h"
#include "toolkit/core/component.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"
#include "toolkit/core/writer.h"

namespace {

constexpr std::size_t LineLength = 64;  // characters of a string per text line
constexpr std::size_t BytesPerLine = 32;

using Nesting = TFilerNesting<EReadError>;

// Float text that reads back as a float: the shortest exact form, with ".0" when it would
// otherwise look like an integer.
std::string FloatLiteral(double value) {
  std::string text = FloatToText(value);
  if (text.find_first_of(".eEIN") == std::string::npos) text += ".0";
  return text;
}

std::string SingleLiteral(float value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find_first_of(".eEin") == std::string::npos) text += ".0";
  return text;
}

// Ten-thousandths as an exact decimal ("1.25").
std::string CurrencyLiteral(std::int64_t raw) {
  bool negative = raw < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
  std::string text = std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
  return (negative ? "-" : "") + text + "." + fraction;
}

// ---------------------------------------------------------------------------------------
// Binary to text

class BinaryToText {
public:
  explicit BinaryToText(TReader& reader) : reader_(reader) {}

  std::string Run() {
    reader_.ReadSignature();
    ConvertObject(0);
    return std::move(out_);
  }

private:
  void Indent(int level) { out_.append(static_cast<std::size_t>(level) * 2, ' '); }

  // Names go into the text as identifiers (dotted ones for properties and references);
  // anything else could not be read back.
  static std::string Name(std::string name, bool dotted, bool emptyAllowed = false) {
    if (name.empty() && emptyAllowed) return name;
    std::size_t start = 0;
    for (;;) {
      std::size_t dot = dotted ? name.find('.', start) : std::string::npos;
      if (!IsValidIdent(std::string_view(name).substr(start, dot == std::string::npos ? dot : dot - start)))
        throw EReadError("Invalid name in layout stream: " + name.substr(0, 64));
      if (dot == std::string::npos) return name;
      start = dot + 1;
    }
  }
  void NewLine(int level) {
    while (!out_.empty() && out_.back() == ' ') out_.pop_back();  // "Caption =" before a wrapped string
    out_ += '\n';
    Indent(level);
  }

  void ConvertObject(int level) {
    Nesting nest(depth_);
    TFilerFlags flags;
    int childPos;
    reader_.ReadPrefix(flags, childPos);
    Indent(level);
    out_ += (flags & ffInherited) ? "inherited " : (flags & ffInline) ? "inline " : "object ";
    std::string className = Name(reader_.ReadStr(), false);
    std::string name = Name(reader_.ReadStr(), false, true);
    if (!name.empty()) out_ += name + ": ";
    out_ += className;
    if (flags & ffChildPos) out_ += " [" + std::to_string(childPos) + "]";
    out_ += '\n';
    while (!reader_.EndOfList()) ConvertProperty(level + 1);
    reader_.ReadListEnd();
    while (!reader_.EndOfList()) ConvertObject(level + 1);
    reader_.ReadListEnd();
    Indent(level);
    out_ += "end\n";
  }

  void ConvertProperty(int level) {
    Indent(level);
    std::string name = Name(reader_.ReadStr(), true);
    for (const char* keyword : {"end", "object", "inherited", "inline"})
      if (SameText(name, keyword)) throw EReadError("Invalid name in layout stream: " + name);
    out_ += name;
    out_ += " = ";
    ConvertValue(level);
    out_ += '\n';
  }

  void ConvertValue(int level) {
    TValueType type = reader_.ReadValue();
    switch (type) {
      case vaList: {
        Nesting nest(depth_);
        out_ += '(';
        while (!reader_.EndOfList()) {
          NewLine(level + 1);
          ConvertValue(level + 1);
        }
        reader_.ReadListEnd();
        out_ += ')';
        break;
      }
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64: out_ += IntToStr(reader_.ReadIntegerData(type)); break;
      case vaQWord: {
        std::string bytes = reader_.ReadBytes(8);
        std::uint64_t value = 0;
        for (int i = 7; i >= 0; --i)
          value = (value << 8) | static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(i)]);
        out_ += std::to_string(value);
        break;
      }
      case vaExtended:
      case vaDate:
        out_ += FloatLiteral(reader_.ReadFloatData(type));
        if (type == vaDate) out_ += 'd';
        break;
      case vaSingle: out_ += SingleLiteral(static_cast<float>(reader_.ReadFloatData(type))) + "s"; break;
      case vaCurrency: out_ += CurrencyLiteral(reader_.ReadCurrencyData()) + "c"; break;
      case vaString:
      case vaLString: ConvertAnsiString(reader_.ReadBytesData(type), level); break;
      case vaWString:
      case vaUString: ConvertWideString(reader_.ReadWideData(), level); break;
      case vaUTF8String: ConvertWideString(Utf8ToUtf16(reader_.ReadBytesData(type)), level); break;
      case vaIdent: out_ += Name(reader_.ReadStr(), true); break;
      case vaFalse: out_ += "False"; break;
      case vaTrue: out_ += "True"; break;
      case vaNil: out_ += "nil"; break;
      case vaNull: out_ += "Null"; break;
      case vaBinary: ConvertBinary(reader_.ReadBytesData(type), level); break;
      case vaSet: {
        out_ += '[';
        bool first = true;
        for (std::string name = reader_.ReadStr(); !name.empty(); name = reader_.ReadStr()) {
          if (!first) out_ += ", ";
          out_ += Name(name, false);
          first = false;
        }
        out_ += ']';
        break;
      }
      case vaCollection: ConvertCollection(level); break;
    }
  }

  void ConvertCollection(int level) {
    Nesting nest(depth_);
    out_ += '<';
    while (!reader_.EndOfList()) {
      NewLine(level + 1);
      out_ += "item";
      TValueType next = reader_.NextValue();
      if (next == vaInt8 || next == vaInt16 || next == vaInt32 || next == vaInt64)
        out_ += " [" + IntToStr(reader_.ReadInteger()) + "]";
      out_ += '\n';
      reader_.ReadListBegin();
      while (!reader_.EndOfList()) ConvertProperty(level + 2);
      reader_.ReadListEnd();
      Indent(level + 1);
      out_ += "end";
    }
    reader_.ReadListEnd();
    out_ += '>';
  }

  void ConvertBinary(const std::string& bytes, int level) {
    static const char Hex[] = "0123456789ABCDEF";
    out_ += '{';
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (i % BytesPerLine == 0) NewLine(level + 1);
      auto b = static_cast<std::uint8_t>(bytes[i]);
      out_ += Hex[b >> 4];
      out_ += Hex[b & 15];
    }
    out_ += '}';
  }

  // A string as pieces: runs of characters written inside quotes, and codes (#nnn).
  struct Piece {
    bool quoted;
    std::string text;  // quoted: the character (UTF-8); code: the number
  };

  void WritePieces(const std::vector<Piece>& pieces, int level) {
    if (pieces.empty()) {
      out_ += "''";
      return;
    }
    if (pieces.size() > LineLength) NewLine(level + 1);
    bool inQuote = false;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      const Piece& p = pieces[i];
      if (p.quoted != inQuote) {
        if (inQuote) out_ += '\'';
        inQuote = p.quoted;
        if (inQuote) out_ += '\'';
      }
      out_ += p.quoted ? (p.text == "'" ? std::string("''") : p.text) : "#" + p.text;
      if ((i + 1) % LineLength == 0 && i + 1 < pieces.size()) {
        if (inQuote) out_ += '\'';
        inQuote = false;
        out_ += " +";
        NewLine(level + 1);
      }
    }
    if (inQuote) out_ += '\'';
  }

  // 8-bit text: printable ASCII inside quotes; controls as their byte, and the characters
  // outside ASCII as their character code (what the byte stands for in the system's ANSI code
  // page), so that every reader of the text form gets the same string back.
  void ConvertAnsiString(const std::string& bytes, int level) {
    std::vector<Piece> pieces;
    pieces.reserve(bytes.size());
    for (char c : bytes) {
      auto b = static_cast<std::uint8_t>(c);
      if (b >= 32 && b < 127)
        pieces.push_back({true, std::string(1, c)});
      else
        pieces.push_back({false, std::to_string(b < 128 ? b : AnsiCharacterCode(b))});
    }
    WritePieces(pieces, level);
  }

  static unsigned AnsiCharacterCode(std::uint8_t byte) {
    try {
      const std::string utf8 = AnsiToUtf8(std::string(1, static_cast<char>(byte)), SystemAnsiCodePage());
      std::size_t pos = 0;
      return static_cast<unsigned>(Utf8Decode(utf8, pos));  // within the 16-bit range
    } catch (const EConvertError&) {
      return byte;  // a code page without a table: the byte as Latin-1
    }
  }

  // UTF-16 text: printable ASCII inside quotes, every other unit (controls, characters outside
  // ASCII, the halves of a surrogate pair) as its code, as the standard text form has it. A
  // UTF-16 string of ASCII and controls only reads back as an 8-bit string with the same
  // characters.
  void ConvertWideString(const WideString& text, int level) {
    std::vector<Piece> pieces;
    pieces.reserve(text.size());
    for (char16_t unit : text) {
      if (unit >= 32 && unit < 127)
        pieces.push_back({true, std::string(1, static_cast<char>(unit))});
      else
        pieces.push_back({false, std::to_string(static_cast<unsigned>(unit))});
    }
    WritePieces(pieces, level);
  }

  TReader& reader_;
  std::string out_;
  int depth_ = 0;
};

// ---------------------------------------------------------------------------------------
// Text to binary

class TextToBinary {
public:
  TextToBinary(std::string_view text, TWriter& writer) : s_(text), writer_(writer) {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // UTF-8 byte-order mark
  }

  void Run() {
    Next();
    writer_.WriteSignature();
    ParseObject();
    if (kind_ != Kind::End) Error("End of text expected");
  }

private:
  enum class Kind { End, Symbol, Ident, Number, String };

  struct StringPiece {
    bool code;
    std::string text;     // quoted text (UTF-8)
    std::uint32_t value;  // code
  };

  [[noreturn]] void Error(const std::string& message) const {
    throw EReadError(message + " on line " + std::to_string(tokenLine_));
  }

  bool AtEnd() const { return pos_ >= s_.size(); }
  char Peek(std::size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : '\0'; }
  static bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
  static int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

  void SkipBlanks() {
    while (!AtEnd() && static_cast<std::uint8_t>(s_[pos_]) <= ' ') {
      if (s_[pos_] == '\n') ++line_;
      ++pos_;
    }
  }

  void Next() {
    SkipBlanks();
    tokenLine_ = line_;
    token_.clear();
    pieces_.clear();
    if (AtEnd()) {
      kind_ = Kind::End;
      return;
    }
    char c = s_[pos_];
    if (IsIdentStart(c)) {
      std::size_t start = pos_;
      while (!AtEnd() && (IsIdentStart(s_[pos_]) || IsDigit(s_[pos_]))) ++pos_;
      token_ = std::string(s_.substr(start, pos_ - start));
      kind_ = Kind::Ident;
    } else if (IsDigit(c) || c == '$' || (c == '-' && (IsDigit(Peek(1)) || Peek(1) == '$'))) {
      LexNumber();
    } else if (c == '\'' || c == '#') {
      LexString();
    } else {
      token_ = std::string(1, c);
      kind_ = Kind::Symbol;
      ++pos_;
    }
  }

  void LexNumber() {
    std::size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (Peek() == '$') {
      ++pos_;
      while (!AtEnd() && IsHexDigit(s_[pos_])) ++pos_;
    } else {
      while (!AtEnd() && IsDigit(s_[pos_])) ++pos_;
      if (Peek() == '.' && IsDigit(Peek(1))) {
        ++pos_;
        while (!AtEnd() && IsDigit(s_[pos_])) ++pos_;
      }
      if ((Peek() == 'e' || Peek() == 'E') &&
          (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
        pos_ += 2;
        while (!AtEnd() && IsDigit(s_[pos_])) ++pos_;
      }
      char suffix = static_cast<char>(Peek() | 0x20);
      if ((suffix == 's' || suffix == 'c' || suffix == 'd') && !IsIdentStart(Peek(1)) && !IsDigit(Peek(1))) ++pos_;
    }
    token_ = std::string(s_.substr(start, pos_ - start));
    kind_ = Kind::Number;
  }

  void LexString() {
    kind_ = Kind::String;
    while (Peek() == '\'' || Peek() == '#') {
      if (Peek() == '\'') {
        ++pos_;
        std::string text;
        for (;;) {
          if (AtEnd() || s_[pos_] == '\n' || s_[pos_] == '\r') Error("Unterminated string");
          if (s_[pos_] == '\'') {
            if (Peek(1) != '\'') break;
            ++pos_;
          }
          text += s_[pos_++];
        }
        ++pos_;
        pieces_.push_back({false, std::move(text), 0});
      } else {
        ++pos_;
        std::uint32_t value = 0;
        bool hex = Peek() == '$';
        if (hex) ++pos_;
        std::size_t digits = 0;
        while (!AtEnd() && (hex ? IsHexDigit(s_[pos_]) : IsDigit(s_[pos_]))) {
          value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(hex ? HexValue(s_[pos_]) : s_[pos_] - '0');
          if (value > 0xFFFF) Error("Invalid character code");
          ++pos_;
          ++digits;
        }
        if (digits == 0) Error("Invalid character code");
        pieces_.push_back({true, {}, value});
      }
    }
  }

  bool IsSymbol(char c) const { return kind_ == Kind::Symbol && token_[0] == c; }
  bool IsKeyword(std::string_view word) const { return kind_ == Kind::Ident && SameText(token_, word); }
  bool IsObjectStart() const { return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"); }

  void Expect(char c) {
    if (!IsSymbol(c)) Error(std::string("'") + c + "' expected");
    Next();
  }

  std::string ExpectIdent() {
    if (kind_ != Kind::Ident) Error("Identifier expected");
    std::string ident = token_;
    Next();
    return ident;
  }

  std::string DottedIdent() {
    std::string ident = ExpectIdent();
    while (IsSymbol('.')) {
      Next();
      ident += "." + ExpectIdent();
    }
    return ident;
  }

  std::int64_t IntegerToken() {
    std::string_view text = token_;
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    std::uint64_t magnitude = 0;
    std::from_chars_result result{};
    if (!text.empty() && text[0] == '$')
      result = std::from_chars(text.data() + 1, text.data() + text.size(), magnitude, 16);
    else
      result = std::from_chars(text.data(), text.data() + text.size(), magnitude, 10);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) Error("Invalid number");
    if (!negative && text[0] != '$' && magnitude > static_cast<std::uint64_t>(INT64_MAX)) Error("Invalid number");
    if (negative && magnitude > static_cast<std::uint64_t>(INT64_MAX) + 1) Error("Invalid number");
    return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  }

  void WriteNumber() {
    std::string_view text = token_;
    char suffix = static_cast<char>(text.back() | 0x20);
    bool hex = text.find('$') != std::string_view::npos;  // "$1C" ends in a digit, not a suffix
    bool hasSuffix = !hex && (suffix == 's' || suffix == 'c' || suffix == 'd');
    if (hasSuffix) text.remove_suffix(1);
    bool isFloat = !hex && (hasSuffix || text.find_first_of(".eE") != std::string_view::npos);
    if (!isFloat) {
      writer_.WriteInteger(IntegerToken());
      return;
    }
    if (suffix == 'c') {
      writer_.WriteCurrency(CurrencyToken(text));
      return;
    }
    if (suffix == 's') {
      float single = 0;
      auto result = std::from_chars(text.data(), text.data() + text.size(), single);
      if (result.ec != std::errc() || result.ptr != text.data() + text.size()) Error("Invalid number");
      writer_.WriteSingle(single);
      return;
    }
    double value = 0;
    try {
      value = TextToFloat(text);
    } catch (const EConvertError&) {
      Error("Invalid number");
    }
    if (hasSuffix)
      writer_.WriteDate(value);
    else
      writer_.WriteFloat(value);
  }

  // A currency value in ten-thousandths, read exactly from its decimal digits (more than
  // four decimals are rounded half away from zero).
  std::int64_t CurrencyToken(std::string_view text) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    std::size_t dot = text.find('.');
    std::string_view whole = text.substr(0, dot);
    std::string_view fraction = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    std::uint64_t units = 0;
    auto result = std::from_chars(whole.data(), whole.data() + whole.size(), units);
    if (whole.empty() || result.ec != std::errc() || result.ptr != whole.data() + whole.size() ||
        units > static_cast<std::uint64_t>(INT64_MAX) / 10000)
      Error("Invalid number");
    std::uint64_t value = units * 10000;
    std::uint64_t scale = 1000;
    for (std::size_t i = 0; i < fraction.size(); ++i) {
      if (!IsDigit(fraction[i])) Error("Invalid number");
      if (i < 4) {
        value += static_cast<std::uint64_t>(fraction[i] - '0') * scale;
        scale /= 10;
      } else if (i == 4 && fraction[i] >= '5') {
        ++value;
      }
    }
    if (value > static_cast<std::uint64_t>(INT64_MAX)) Error("Invalid number");
    return negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
  }

  void WriteStringValue() {
    std::vector<StringPiece> pieces = std::move(pieces_);
    Next();
    while (IsSymbol('+')) {
      Next();
      if (kind_ != Kind::String) Error("String expected");
      for (auto& p : pieces_) pieces.push_back(std::move(p));
      Next();
    }
    // Codes from 128 on are characters (UTF-16 units), as in the standard text form, and so is
    // UTF-8 text inside quotes: either makes the string a UTF-16 one.
    bool wide = false;
    for (const StringPiece& p : pieces) {
      if (p.code ? p.value >= 128 : std::any_of(p.text.begin(), p.text.end(), [](char c) {
            return static_cast<std::uint8_t>(c) >= 0x80;
          }))
        wide = true;
    }
    if (wide) {
      WideString text;
      for (const StringPiece& p : pieces) {
        if (p.code)
          text += static_cast<char16_t>(p.value);
        else
          text += Utf8ToUtf16(p.text);
      }
      writer_.WriteWideString(text);
    } else {
      std::string bytes;
      for (const StringPiece& p : pieces) {
        if (p.code)
          bytes += static_cast<char>(p.value);
        else
          bytes += p.text;
      }
      writer_.WriteAnsiBytes(bytes);
    }
  }

  void WriteBinaryValue() {
    // The token was "{": the hex digits follow as raw characters up to "}".
    std::string bytes;
    int high = -1;
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Error("'}' expected");
      char c = s_[pos_++];
      if (c == '}') break;
      if (!IsHexDigit(c)) Error("Invalid binary value");
      if (high < 0) {
        high = HexValue(c);
      } else {
        bytes += static_cast<char>((high << 4) | HexValue(c));
        high = -1;
      }
    }
    if (high >= 0) Error("Invalid binary value");
    writer_.WriteBinary(bytes);
    Next();
  }

  void ParseValue() {
    Nesting nest(depth_);
    switch (kind_) {
      case Kind::Number:
        WriteNumber();
        Next();
        return;
      case Kind::String: WriteStringValue(); return;
      case Kind::Ident: writer_.WriteIdent(DottedIdent()); return;
      case Kind::Symbol: break;
      case Kind::End: Error("Value expected");
    }
    char c = token_[0];
    if (c == '{') {
      WriteBinaryValue();
    } else if (c == '[') {
      Next();
      writer_.WriteValue(vaSet);
      while (!IsSymbol(']')) {
        writer_.WriteStr(ExpectIdent());
        if (IsSymbol(',')) {
          Next();
          if (IsSymbol(']')) Error("Identifier expected");
        } else if (!IsSymbol(']')) {
          Error("']' expected");
        }
      }
      writer_.WriteStr("");
      Next();
    } else if (c == '(') {
      Next();
      writer_.WriteListBegin();
      while (!IsSymbol(')')) ParseValue();
      writer_.WriteListEnd();
      Next();
    } else if (c == '<') {
      Next();
      writer_.WriteValue(vaCollection);
      while (!IsSymbol('>')) {
        if (!IsKeyword("item")) Error("'item' expected");
        Next();
        if (IsSymbol('[')) {
          Next();
          if (kind_ != Kind::Number) Error("Number expected");
          writer_.WriteInteger(IntegerToken());
          Next();
          Expect(']');
        }
        writer_.WriteListBegin();
        while (!IsKeyword("end")) ParseProperty();
        writer_.WriteListEnd();
        Next();
      }
      writer_.WriteListEnd();
      Next();
    } else {
      Error("Value expected");
    }
  }

  void ParseProperty() {
    writer_.WriteStr(DottedIdent());
    Expect('=');
    ParseValue();
  }

  void ParseObject() {
    Nesting nest(depth_);
    TFilerFlags flags = 0;
    if (IsKeyword("inherited"))
      flags = ffInherited;
    else if (IsKeyword("inline"))
      flags = ffInline;
    else if (!IsKeyword("object"))
      Error("'object' expected");
    Next();
    std::string name;
    std::string className = ExpectIdent();
    if (IsSymbol(':')) {
      Next();
      name = className;
      className = ExpectIdent();
    }
    int childPos = 0;
    if (IsSymbol('[')) {
      Next();
      if (kind_ != Kind::Number) Error("Number expected");
      std::int64_t pos = IntegerToken();
      if (pos < INT32_MIN || pos > INT32_MAX) Error("Invalid number");
      childPos = static_cast<int>(pos);
      flags |= ffChildPos;
      Next();
      Expect(']');
    }
    writer_.WritePrefix(flags, childPos);
    writer_.WriteClassName(className);
    writer_.WriteStr(name);
    while (kind_ == Kind::Ident && !IsKeyword("end") && !IsObjectStart()) ParseProperty();
    writer_.WriteListEnd();
    while (IsObjectStart()) ParseObject();
    if (!IsKeyword("end")) Error("'end' expected");
    Next();
    writer_.WriteListEnd();
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int tokenLine_ = 1;
  Kind kind_ = Kind::End;
  std::string token_;
  std::vector<StringPiece> pieces_;
  TWriter& writer_;
  int depth_ = 0;
};

}  // namespace

bool IsBinaryLayout(std::string_view bytes) {
  return bytes.size() >= 4 && std::memcmp(bytes.data(), FilerSignature, 4) == 0;
}

std::string ObjectTextToBinary(std::string_view text) {
  TMemoryStream output;
  TWriter writer(output);
  TextToBinary(text, writer).Run();
  return std::string(output.Bytes());
}

std::string ObjectBinaryToText(std::string_view binary) {
  TBufferStream input(binary);
  TReader reader(input);
  return BinaryToText(reader).Run();
}

void ObjectTextToBinary(TStream& input, TStream& output) { output.WriteBuffer(ObjectTextToBinary(input.ReadToEnd())); }

void ObjectBinaryToText(TStream& input, TStream& output) {
  TReader reader(input);
  output.WriteBuffer(BinaryToText(reader).Run());
}
