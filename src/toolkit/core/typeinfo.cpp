#include "toolkit/core/typeinfo.h"

#include <cstdint>
#include <map>
#include <memory>
#include <typeindex>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/object.h"
#include "toolkit/core/text.h"

namespace {

constexpr std::string_view TypeKindNames[TypeKindCount] = {
    "tkUnknown", "tkInteger", "tkChar",   "tkEnumeration", "tkFloat",   "tkString",
    "tkSet",     "tkClass",   "tkMethod", "tkWChar",       "tkLString", "tkWString",
    "tkVariant", "tkArray",   "tkRecord", "tkInterface",   "tkInt64",   "tkDynArray"};

constexpr const char* InvalidPropertyElement = "Invalid property element: %s";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string_view TypeKindName(int kind) {
  if (kind < 0 || kind >= TypeKindCount) return {};
  return TypeKindNames[kind];
}

int TTypeInfo::EnumValue(std::string_view name) const {
  for (std::size_t i = 0; i < EnumNames.size(); ++i)
    if (SameText(EnumNames[i], name)) return static_cast<int>(i);
  return -1;
}

std::string TTypeInfo::EnumName(std::int64_t ordinal) const {
  if (ordinal < 0 || ordinal >= static_cast<std::int64_t>(EnumNames.size())) return {};
  return EnumNames[static_cast<std::size_t>(ordinal)];
}

TTypeInfo MakeEnumTypeInfo(std::string_view name, std::string_view valueList) {
  TTypeInfo info;
  info.Kind = tkEnumeration;
  info.Name = std::string(name);
  while (!valueList.empty()) {
    std::size_t comma = valueList.find(',');
    info.EnumNames.emplace_back(TrimBlanks(valueList.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    valueList.remove_prefix(comma + 1);
  }
  info.MinValue = 0;
  info.MaxValue = static_cast<std::int64_t>(info.EnumNames.size()) - 1;
  info.OrdType = info.EnumNames.size() <= 256 ? otUByte : info.EnumNames.size() <= 65536 ? otUWord : otSLong;
  return info;
}

const TTypeInfo& BooleanTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo("Boolean", "False, True");
  return info;
}

const TTypeInfo& ClassTypeInfo(const TClassInfo& cls) {
  static std::map<const TClassInfo*, std::unique_ptr<TTypeInfo>> infos;
  auto& slot = infos[&cls];
  if (!slot) {
    slot = std::make_unique<TTypeInfo>();
    slot->Kind = tkClass;
    slot->Name = cls.Name();
    slot->ClassType = &cls;
  }
  return *slot;
}

const TTypeInfo& SetTypeInfo(const TTypeInfo& elementType) {
  static std::map<const TTypeInfo*, std::unique_ptr<TTypeInfo>> infos;
  auto& slot = infos[&elementType];
  if (!slot) {
    if (elementType.EnumNames.size() > 64)
      throw EPropertyError("Set of " + elementType.Name + " has more than 64 elements");
    slot = std::make_unique<TTypeInfo>();
    slot->Kind = tkSet;
    slot->Name = "set of " + elementType.Name;
    slot->CompType = &elementType;
    slot->OrdType = elementType.EnumNames.size() <= 8    ? otUByte
                    : elementType.EnumNames.size() <= 16 ? otUWord
                                                         : otULong;
  }
  return *slot;
}

std::string SetToString(const TTypeInfo& setType, std::uint64_t bits, bool brackets) {
  std::string result;
  const TTypeInfo* element = setType.CompType ? setType.CompType : &setType;
  for (std::size_t i = 0; i < element->EnumNames.size() && i < 64; ++i) {
    if ((bits >> i) & 1) {
      if (!result.empty()) result += ',';
      result += element->EnumNames[i];
    }
  }
  return brackets ? "[" + result + "]" : result;
}

std::uint64_t StringToSet(const TTypeInfo& setType, std::string_view text) {
  const TTypeInfo* element = setType.CompType ? setType.CompType : &setType;
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '[') {
    if (text.back() != ']') throw EPropertyError(Format(InvalidPropertyElement, {text}));
    text = text.substr(1, text.size() - 2);
  }
  std::uint64_t bits = 0;
  while (!TrimBlanks(text).empty()) {
    std::size_t comma = text.find(',');
    std::string_view name = TrimBlanks(text.substr(0, comma));
    int ordinal = element->EnumValue(name);
    if (ordinal < 0 || ordinal >= 64) throw EPropertyError(Format(InvalidPropertyElement, {name}));
    bits |= std::uint64_t{1} << ordinal;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return bits;
}

namespace {

TTypeInfo MakeOrdinal(TTypeKind kind, const char* name, TOrdType ordType, std::int64_t min, std::int64_t max) {
  TTypeInfo info;
  info.Kind = kind;
  info.Name = name;
  info.OrdType = ordType;
  info.MinValue = min;
  info.MaxValue = max;
  return info;
}

TTypeInfo MakeNamed(TTypeKind kind, const char* name) {
  TTypeInfo info;
  info.Kind = kind;
  info.Name = name;
  return info;
}

TTypeInfo MakeFloat(const char* name, TFloatType floatType) {
  TTypeInfo info = MakeNamed(tkFloat, name);
  info.FloatType = floatType;
  return info;
}

}  // namespace

const TTypeInfo& IntegerTypeInfo(TOrdType ordType) {
  static const TTypeInfo infos[] = {
      MakeOrdinal(tkInteger, "ShortInt", otSByte, -128, 127),
      MakeOrdinal(tkInteger, "Byte", otUByte, 0, 255),
      MakeOrdinal(tkInteger, "SmallInt", otSWord, -32768, 32767),
      MakeOrdinal(tkInteger, "Word", otUWord, 0, 65535),
      MakeOrdinal(tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX),
      MakeOrdinal(tkInteger, "Cardinal", otULong, 0, UINT32_MAX),
  };
  return infos[ordType];
}

const TTypeInfo& CharTypeInfo() {
  static const TTypeInfo info = MakeOrdinal(tkChar, "Char", otUByte, 0, 255);
  return info;
}

const TTypeInfo& WideCharTypeInfo() {
  static const TTypeInfo info = MakeOrdinal(tkWChar, "WideChar", otUWord, 0, 65535);
  return info;
}

const TTypeInfo& Int64TypeInfo() {
  static const TTypeInfo info = MakeOrdinal(tkInt64, "Int64", otSLong, INT64_MIN, INT64_MAX);
  return info;
}

const TTypeInfo& FloatTypeInfo(TFloatType floatType) {
  static const TTypeInfo infos[] = {MakeFloat("Single", ftSingle), MakeFloat("Double", ftDouble),
                                    MakeFloat("Extended", ftExtended), MakeFloat("Comp", ftComp),
                                    MakeFloat("Currency", ftCurr)};
  return infos[floatType];
}

const TTypeInfo& StringTypeInfo() {
  static const TTypeInfo info = MakeNamed(tkLString, "string");
  return info;
}

const TTypeInfo& WideStringTypeInfo() {
  static const TTypeInfo info = MakeNamed(tkWString, "WideString");
  return info;
}

const TTypeInfo& MethodTypeInfo(const std::type_info& signature) {
  static std::map<std::type_index, std::unique_ptr<TTypeInfo>> infos;
  auto& slot = infos[std::type_index(signature)];
  if (!slot) {
    slot = std::make_unique<TTypeInfo>(MakeNamed(tkMethod, "TMethod"));
    slot->Signature = &signature;
  }
  return *slot;
}
