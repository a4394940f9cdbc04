#pragma once
// The binary layout stream, shared part of its reader and writer.
//
// A stream is the signature "TPF0" and one component:
//   [prefix]  optional: a byte $F0 | flags, then an integer value when ffChildPos is set
//   class name, component name          short strings (length byte, bytes)
//   properties                           (short-string name, value)... until vaNull
//   children                             components... until vaNull
// A value is a TValueType byte and its data (integers little-endian):
//   vaInt8/16/32/64   signed integer of that size
//   vaExtended        10-byte x87 extended float; vaSingle 4 bytes; vaDate 8-byte double;
//                     vaCurrency 8-byte integer of ten-thousandths
//   vaString          length byte + 8-bit bytes (system ANSI code page)
//   vaLString         32-bit length + 8-bit bytes
//   vaWString/vaUString 32-bit count + UTF-16 units
//   vaUTF8String      32-bit length + UTF-8 bytes
//   vaIdent           short string; vaFalse, vaTrue, vaNil, vaNull have no data
//   vaSet             short strings until an empty one
//   vaList            values until vaNull
//   vaCollection      items until vaNull; an item is an optional integer, vaList,
//                     properties until vaNull
//   vaBinary          32-bit length + bytes
// Nested objects' properties are stored under dotted names ("Font.Name"); properties that
// are not published (a string list's lines, binary blocks) are stored by the object's
// DefineProperties through TFiler::DefineProperty and DefineBinaryProperty.
#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/core/exceptions.h"

class TStream;
class TReader;
class TWriter;
class TPersistent;

enum TValueType : std::uint8_t {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaUTF8String,
  vaUString,
  vaQWord
};
inline constexpr int ValueTypeCount = vaQWord + 1;

// The flags of a component's prefix byte ($F0 | flags).
using TFilerFlags = unsigned;
inline constexpr TFilerFlags ffInherited = 1;
inline constexpr TFilerFlags ffChildPos = 2;
inline constexpr TFilerFlags ffInline = 4;

inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

class TFiler {
public:
  explicit TFiler(TStream& stream) : stream_(stream) {}
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;
  virtual ~TFiler() = default;

  TStream& Stream() const { return stream_; }
  // The ancestor of the object being written (inherited forms); this toolkit writes
  // whole forms only, so it is always nullptr. DefineProperties implementations use it to
  // decide whether their data differs from the ancestor's.
  TPersistent* Ancestor() const { return nullptr; }

  // Non-published data of an object. The reader calls readData when the stream holds a
  // property of this name; the writer stores the property (name, then whatever
  // writeData writes) when hasData is true.
  virtual void DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                              const std::function<void(TWriter&)>& writeData, bool hasData) = 0;
  // The same for a block of bytes (a vaBinary value): readData gets a stream holding just
  // the block, writeData writes the block into a stream.
  virtual void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& readData,
                                    const std::function<void(TStream&)>& writeData, bool hasData) = 0;

private:
  TStream& stream_;
};

// Objects, lists and collections nest at most this deep in a stream (deeper data is
// refused rather than overflowing the stack).
inline constexpr int MaxFilerDepth = 200;

// Counts one level of nesting for its lifetime; going past MaxFilerDepth raises E.
template <class E>
class TFilerNesting {
public:
  explicit TFilerNesting(int& depth) : depth_(depth) {
    if (depth_ >= MaxFilerDepth) throw E("Layout nested too deeply");
    ++depth_;
  }
  ~TFilerNesting() { --depth_; }
  TFilerNesting(const TFilerNesting&) = delete;
  TFilerNesting& operator=(const TFilerNesting&) = delete;

private:
  int& depth_;
};

// The 10-byte x87 extended format, converted without relying on long double. Values
// beyond the range of double become infinities, tiny ones zero.
void DoubleToExtended(double value, std::uint8_t out[10]);
double ExtendedToDouble(const std::uint8_t in[10]);
