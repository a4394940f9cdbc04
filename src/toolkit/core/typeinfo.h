#pragma once
// Run-time type information of published properties: the type kinds, enumerations with
// their value names, bit sets of enumerations, and the descriptions the property system
// keeps of every property type.
//
// Declaring an enumeration whose values can be read and written by name (layout streams,
// translations):
//
//   QUILLIMO_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)
//
// declares the plain enumeration `enum TAlign { alNone, ... }` and its type description
// (found by argument-dependent lookup, so the macro goes at namespace scope, never inside a
// class). Values count from 0 without gaps; the names are the identifiers as written.
//
// A set of such an enumeration is TSet<E>, a bit set with bit n = ordinal n:
//
//   using TSkinControlTypes = TSet<TSkinControlType>;
//   TSkinControlTypes all{xcMainMenu, xcPopupMenu};
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

class TClassInfo;

// The classic type kinds, in their classic order (their ordinals are stored by some
// components, e.g. the "type-kind value" of an extended translation).
enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray
};
inline constexpr int TypeKindCount = tkDynArray + 1;
// "tkInteger", ...; empty for a value outside the enumeration.
std::string_view TypeKindName(int kind);

// Storage size and signedness of ordinal types.
enum TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// Description of one property type.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;            // "Integer", "Boolean", "TAlign", "string", "TFont", ...
  TOrdType OrdType = otSLong;  // tkInteger, tkChar, tkWChar, tkEnumeration
  std::int64_t MinValue = 0;   // ordinal range (tkInteger, tkChar, tkEnumeration, tkInt64)
  std::int64_t MaxValue = 0;
  TFloatType FloatType = ftDouble;            // tkFloat
  std::vector<std::string> EnumNames;         // tkEnumeration: name of each ordinal
  const TTypeInfo* CompType = nullptr;        // tkSet: the element enumeration
  const TClassInfo* ClassType = nullptr;      // tkClass: the declared class
  const std::type_info* Signature = nullptr;  // tkMethod: the handler's function type

  // Enumerations: the ordinal of a value name (case-insensitive), or -1.
  int EnumValue(std::string_view name) const;
  // Enumerations: the name of an ordinal; empty outside the range.
  std::string EnumName(std::int64_t ordinal) const;
};

// Builds the description of an enumeration from its name and the text of its value list
// ("alNone, alTop, alBottom"); used by QUILLIMO_ENUM.
TTypeInfo MakeEnumTypeInfo(std::string_view name, std::string_view valueList);

// Boolean is the enumeration (False, True).
const TTypeInfo& BooleanTypeInfo();
// The description of a class type (tkClass), one per class.
const TTypeInfo& ClassTypeInfo(const TClassInfo& cls);

// Type descriptions of the value types accessors may use.
const TTypeInfo& IntegerTypeInfo(TOrdType ordType);
const TTypeInfo& CharTypeInfo();
const TTypeInfo& WideCharTypeInfo();
const TTypeInfo& Int64TypeInfo();
const TTypeInfo& FloatTypeInfo(TFloatType floatType);
const TTypeInfo& StringTypeInfo();
const TTypeInfo& WideStringTypeInfo();
const TTypeInfo& MethodTypeInfo(const std::type_info& signature);

template <class V>
const TTypeInfo& IntegerTypeInfoOf() {
  static_assert(std::is_integral_v<V> && sizeof(V) <= 4, "integer properties are 8, 16 or 32 bits");
  if constexpr (sizeof(V) == 1)
    return IntegerTypeInfo(std::is_signed_v<V> ? otSByte : otUByte);
  else if constexpr (sizeof(V) == 2)
    return IntegerTypeInfo(std::is_signed_v<V> ? otSWord : otUWord);
  else
    return IntegerTypeInfo(std::is_signed_v<V> ? otSLong : otULong);
}

#define QUILLIMO_ENUM(Name, ...)                                         \
  enum Name { __VA_ARGS__ };                                             \
  [[maybe_unused]] inline const TTypeInfo& QuillimoTypeInfo(Name) {      \
    static const TTypeInfo info = MakeEnumTypeInfo(#Name, #__VA_ARGS__); \
    return info;                                                         \
  }

template <class E>
concept PublishedEnum = std::is_enum_v<E> && requires(E e) {
  { QuillimoTypeInfo(e) } -> std::same_as<const TTypeInfo&>;
};

template <PublishedEnum E>
const TTypeInfo& EnumTypeInfo() {
  return QuillimoTypeInfo(E{});
}

// A set of an enumeration with at most 64 values: bit n stands for ordinal n.
template <PublishedEnum E>
class TSet {
public:
  using Element = E;

  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr std::uint64_t Bits() const { return bits_; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }

  friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
  friend constexpr bool operator==(TSet a, TSet b) = default;

private:
  static constexpr std::uint64_t Bit(E e) {
    auto n = static_cast<unsigned>(e);
    return n < 64 ? std::uint64_t{1} << n : 0;
  }
  std::uint64_t bits_ = 0;
};

template <class T>
struct IsTSet : std::false_type {};
template <class E>
struct IsTSet<TSet<E>> : std::true_type {};

// The description of a set type over the given element enumeration, one per element type.
const TTypeInfo& SetTypeInfo(const TTypeInfo& elementType);

template <class S>
requires IsTSet<S>::value const TTypeInfo& SetTypeInfoOf() { return SetTypeInfo(EnumTypeInfo<typename S::Element>()); }

// Set notation: "[a,b]" (no blanks; without brackets when brackets is false), elements in
// ordinal order. Parsing accepts blanks and a missing pair of brackets; an unknown element
// raises EPropertyError "Invalid property element: <name>".
std::string SetToString(const TTypeInfo& setType, std::uint64_t bits, bool brackets = true);
std::uint64_t StringToSet(const TTypeInfo& setType, std::string_view text);
