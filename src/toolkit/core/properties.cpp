#include "toolkit/core/properties.h"

#include <charconv>
#include <cmath>

#include "toolkit/core/component.h"
#include "toolkit/core/format.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/text.h"

namespace {

constexpr const char* InvalidPropertyType = "Invalid property type: %s";
constexpr const char* ReadOnlyProperty = "Property %s is read-only";
constexpr const char* MethodNotFound = "Method %s not found";
constexpr const char* IncompatibleMethod = "Method %s is not compatible with this event";
constexpr const char* InvalidFloat = "'%s' is not a valid floating point value";

[[noreturn]] void WrongKind(const TPropInfo& prop) {
  throw EPropertyError(Format(InvalidPropertyType, {prop.PropType ? prop.PropType->Name : std::string("?")}));
}

void CheckObject(const TObject* obj) {
  if (!obj) throw EPropertyError(ExceptionText::InvalidPropertyValue);
}

const TPropInfo& Resolve(const TObject* obj, std::string_view name) {
  CheckObject(obj);
  const TPropInfo* prop = GetPropInfo(obj, name);
  if (!prop) throw EPropertyError(Format(ExceptionText::UnknownProperty, {name}));
  return *prop;
}

template <class F>
const F& Writer(const TPropInfo& prop, const F& setter) {
  if (!setter) throw EPropertyError(Format(ReadOnlyProperty, {prop.Name}));
  return setter;
}

template <class F>
const F& Reader(const TPropInfo& prop, const F& getter) {
  if (!getter) WrongKind(prop);
  return getter;
}

// The component that names objects and methods for a property of obj as text: its owner,
// or obj itself for a root.
TComponent* LookupRoot(TObject* obj) {
  auto* component = dynamic_cast<TComponent*>(obj);
  if (!component) return nullptr;
  return component->Owner() ? component->Owner() : component;
}

std::string CharToText(const TPropInfo& prop, std::int64_t code) {
  if (prop.Kind() == tkChar) return std::string(1, static_cast<char>(code));
  return Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(code)));
}

std::int64_t TextToChar(const TPropInfo& prop, std::string_view text) {
  if (prop.Kind() == tkChar) {
    if (text.size() != 1) throw EPropertyError(ExceptionText::InvalidPropertyValue);
    return static_cast<unsigned char>(text[0]);
  }
  WideString wide = Utf8ToUtf16(text);
  if (wide.size() != 1) throw EPropertyError(ExceptionText::InvalidPropertyValue);
  return wide[0];
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TPropertyTable

std::vector<const TPropInfo*> TPropertyTable::List() const {
  std::vector<const TPropInfo*> list;
  list.reserve(props_.size());
  for (const auto& p : props_) list.push_back(p.get());
  return list;
}

const TPropInfo* TPropertyTable::Find(std::string_view name) const {
  for (const auto& p : props_)
    if (SameText(p->Name, name)) return p.get();
  return nullptr;
}

const TMethodInfo* TPropertyTable::FindMethod(std::string_view name) const {
  for (const auto& m : methods_)
    if (SameText(m->Name, name)) return m.get();
  return nullptr;
}

std::vector<const TMethodInfo*> TPropertyTable::Methods() const {
  std::vector<const TMethodInfo*> list;
  for (const auto& m : methods_) list.push_back(m.get());
  return list;
}

TPropDecl TPropertyTable::Add(TPropInfo info) {
  auto prop = std::make_shared<TPropInfo>(std::move(info));
  for (auto& existing : props_) {
    if (SameText(existing->Name, prop->Name)) {
      existing = prop;
      return TPropDecl(*prop);
    }
  }
  props_.push_back(prop);
  return TPropDecl(*prop);
}

void TPropertyTable::AddMethod(TMethodInfo info) {
  auto method = std::make_shared<const TMethodInfo>(std::move(info));
  for (auto& existing : methods_) {
    if (SameText(existing->Name, method->Name)) {
      existing = method;
      return;
    }
  }
  methods_.push_back(method);
}

void TPropertyTable::InheritFrom(const TPropertyTable& parent) {
  props_ = parent.props_;
  methods_ = parent.methods_;
}

const TMethodInfo& quillimo_detail::FindPublishedMethod(TObject* data, const std::string& name,
                                                        const std::type_info& sig) {
  const TMethodInfo* method = data ? data->ClassInfo().FindMethod(name) : nullptr;
  if (!method) throw EPropertyError(Format(MethodNotFound, {name}));
  if (*method->Signature != sig) throw EPropertyError(Format(IncompatibleMethod, {name}));
  return *method;
}

// ---------------------------------------------------------------------------------------
// Lookup

std::vector<const TPropInfo*> GetPropList(const TClassInfo& cls) { return cls.Properties().List(); }

std::vector<const TPropInfo*> GetPropList(const TObject* obj) {
  CheckObject(obj);
  return GetPropList(obj->ClassInfo());
}

const TPropInfo* GetPropInfo(const TClassInfo& cls, std::string_view name) { return cls.Properties().Find(name); }

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
  return obj ? GetPropInfo(obj->ClassInfo(), name) : nullptr;
}

bool IsPublishedProp(const TObject* obj, std::string_view name) { return GetPropInfo(obj, name) != nullptr; }

bool PropIsType(const TObject* obj, std::string_view name, TTypeKind kind) { return Resolve(obj, name).Kind() == kind; }

TTypeKind PropType(const TObject* obj, std::string_view name) { return Resolve(obj, name).Kind(); }

bool IsStringKind(TTypeKind kind) { return kind == tkString || kind == tkLString || kind == tkWString; }

bool IsOrdinalKind(TTypeKind kind) {
  return kind == tkInteger || kind == tkChar || kind == tkWChar || kind == tkEnumeration || kind == tkSet ||
         kind == tkInt64;
}

bool IsDefaultPropValue(TObject* obj, const TPropInfo& prop) {
  TTypeKind kind = prop.Kind();
  if (IsOrdinalKind(kind)) return prop.HasDefault && prop.GetOrd(obj) == prop.Default;
  if (kind == tkFloat) return prop.GetFloat(obj) == 0.0;
  if (IsStringKind(kind)) return prop.GetStr(obj).empty();
  if (kind == tkClass) return prop.GetObject(obj) == nullptr;
  if (kind == tkMethod) return prop.GetMethod(obj).Name.empty();
  return true;
}

bool IsStoredProp(TObject* obj, const TPropInfo& prop) {
  if (!prop.StoredFlag) return false;
  if (prop.StoredFn && !prop.StoredFn(obj)) return false;
  return true;
}

// ---------------------------------------------------------------------------------------
// Ordinal kinds

std::int64_t GetOrdProp(TObject* obj, const TPropInfo& prop) {
  CheckObject(obj);
  return Reader(prop, prop.GetOrd)(obj);
}

void SetOrdProp(TObject* obj, const TPropInfo& prop, std::int64_t value) {
  CheckObject(obj);
  const auto& setter = Writer(prop, prop.SetOrd);
  const TTypeInfo& type = *prop.PropType;
  if (type.Kind == tkSet) {
    std::size_t count = type.CompType ? type.CompType->EnumNames.size() : 0;
    std::uint64_t valid = count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
    if (static_cast<std::uint64_t>(value) & ~valid) throw EPropertyError(ExceptionText::InvalidPropertyValue);
  } else if (value < type.MinValue || value > type.MaxValue) {
    throw EPropertyError(ExceptionText::InvalidPropertyValue);
  }
  setter(obj, value);
}

std::int64_t GetInt64Prop(TObject* obj, const TPropInfo& prop) { return GetOrdProp(obj, prop); }
void SetInt64Prop(TObject* obj, const TPropInfo& prop, std::int64_t value) { SetOrdProp(obj, prop, value); }

std::string GetEnumProp(TObject* obj, const TPropInfo& prop) {
  if (prop.Kind() != tkEnumeration) WrongKind(prop);
  return prop.PropType->EnumName(GetOrdProp(obj, prop));
}

void SetEnumProp(TObject* obj, const TPropInfo& prop, std::string_view value) {
  if (prop.Kind() != tkEnumeration) WrongKind(prop);
  int ordinal = prop.PropType->EnumValue(value);
  if (ordinal < 0) throw EPropertyError(Format("Invalid property element: %s", {value}));
  SetOrdProp(obj, prop, ordinal);
}

std::string GetSetProp(TObject* obj, const TPropInfo& prop, bool brackets) {
  if (prop.Kind() != tkSet) WrongKind(prop);
  return SetToString(*prop.PropType, static_cast<std::uint64_t>(GetOrdProp(obj, prop)), brackets);
}

void SetSetProp(TObject* obj, const TPropInfo& prop, std::string_view value) {
  if (prop.Kind() != tkSet) WrongKind(prop);
  SetOrdProp(obj, prop, static_cast<std::int64_t>(StringToSet(*prop.PropType, value)));
}

// ---------------------------------------------------------------------------------------
// Floats, strings, objects, methods

double GetFloatProp(TObject* obj, const TPropInfo& prop) {
  CheckObject(obj);
  return Reader(prop, prop.GetFloat)(obj);
}

void SetFloatProp(TObject* obj, const TPropInfo& prop, double value) {
  CheckObject(obj);
  if (!prop.GetFloat) WrongKind(prop);
  Writer(prop, prop.SetFloat)(obj, value);
}

std::string GetStrProp(TObject* obj, const TPropInfo& prop) {
  CheckObject(obj);
  return Reader(prop, prop.GetStr)(obj);
}

void SetStrProp(TObject* obj, const TPropInfo& prop, const std::string& value) {
  CheckObject(obj);
  if (!prop.GetStr) WrongKind(prop);
  Writer(prop, prop.SetStr)(obj, value);
}

WideString GetWideStrProp(TObject* obj, const TPropInfo& prop) { return Utf8ToUtf16(GetStrProp(obj, prop)); }

void SetWideStrProp(TObject* obj, const TPropInfo& prop, const WideString& value) {
  SetStrProp(obj, prop, Utf16ToUtf8(value));
}

TObject* GetObjectProp(TObject* obj, const TPropInfo& prop) {
  CheckObject(obj);
  return Reader(prop, prop.GetObject)(obj);
}

void SetObjectProp(TObject* obj, const TPropInfo& prop, TObject* value) {
  CheckObject(obj);
  if (!prop.GetObject) WrongKind(prop);
  Writer(prop, prop.SetObject)(obj, value);
}

const TClassInfo* GetObjectPropClass(const TPropInfo& prop) {
  return prop.PropType ? prop.PropType->ClassType : nullptr;
}

TMethod GetMethodProp(TObject* obj, const TPropInfo& prop) {
  CheckObject(obj);
  return Reader(prop, prop.GetMethod)(obj);
}

void SetMethodProp(TObject* obj, const TPropInfo& prop, const TMethod& method) {
  CheckObject(obj);
  if (!prop.GetMethod) WrongKind(prop);
  Writer(prop, prop.SetMethod)(obj, method);
}

// ---------------------------------------------------------------------------------------
// By name

std::int64_t GetOrdProp(TObject* obj, std::string_view name) { return GetOrdProp(obj, Resolve(obj, name)); }
void SetOrdProp(TObject* obj, std::string_view name, std::int64_t value) { SetOrdProp(obj, Resolve(obj, name), value); }
std::string GetEnumProp(TObject* obj, std::string_view name) { return GetEnumProp(obj, Resolve(obj, name)); }
void SetEnumProp(TObject* obj, std::string_view name, std::string_view value) {
  SetEnumProp(obj, Resolve(obj, name), value);
}
std::string GetSetProp(TObject* obj, std::string_view name, bool brackets) {
  return GetSetProp(obj, Resolve(obj, name), brackets);
}
void SetSetProp(TObject* obj, std::string_view name, std::string_view value) {
  SetSetProp(obj, Resolve(obj, name), value);
}
double GetFloatProp(TObject* obj, std::string_view name) { return GetFloatProp(obj, Resolve(obj, name)); }
void SetFloatProp(TObject* obj, std::string_view name, double value) { SetFloatProp(obj, Resolve(obj, name), value); }
std::int64_t GetInt64Prop(TObject* obj, std::string_view name) { return GetInt64Prop(obj, Resolve(obj, name)); }
void SetInt64Prop(TObject* obj, std::string_view name, std::int64_t value) {
  SetInt64Prop(obj, Resolve(obj, name), value);
}
std::string GetStrProp(TObject* obj, std::string_view name) { return GetStrProp(obj, Resolve(obj, name)); }
void SetStrProp(TObject* obj, std::string_view name, const std::string& value) {
  SetStrProp(obj, Resolve(obj, name), value);
}
WideString GetWideStrProp(TObject* obj, std::string_view name) { return GetWideStrProp(obj, Resolve(obj, name)); }
void SetWideStrProp(TObject* obj, std::string_view name, const WideString& value) {
  SetWideStrProp(obj, Resolve(obj, name), value);
}
TObject* GetObjectProp(TObject* obj, std::string_view name) { return GetObjectProp(obj, Resolve(obj, name)); }
void SetObjectProp(TObject* obj, std::string_view name, TObject* value) {
  SetObjectProp(obj, Resolve(obj, name), value);
}
TMethod GetMethodProp(TObject* obj, std::string_view name) { return GetMethodProp(obj, Resolve(obj, name)); }
void SetMethodProp(TObject* obj, std::string_view name, const TMethod& method) {
  SetMethodProp(obj, Resolve(obj, name), method);
}

// ---------------------------------------------------------------------------------------
// As text

std::string FloatToText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double TextToFloat(std::string_view text) {
  std::string_view s = text;
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double value = 0;
  auto result = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || result.ec != std::errc() || result.ptr != s.data() + s.size())
    throw EConvertError(Format(InvalidFloat, {text}));
  return value;
}

std::string GetPropValue(TObject* obj, const TPropInfo& prop) {
  switch (prop.Kind()) {
    case tkInteger:
    case tkInt64: return IntToStr(GetOrdProp(obj, prop));
    case tkChar:
    case tkWChar: return CharToText(prop, GetOrdProp(obj, prop));
    case tkEnumeration: return GetEnumProp(obj, prop);
    case tkSet: return GetSetProp(obj, prop);
    case tkFloat: return FloatToText(GetFloatProp(obj, prop));
    case tkString:
    case tkLString:
    case tkWString: return GetStrProp(obj, prop);
    case tkClass: {
      TObject* object = GetObjectProp(obj, prop);
      if (auto* strings = dynamic_cast<TStrings*>(object)) return strings->CommaText();
      auto* component = dynamic_cast<TComponent*>(object);
      return component ? component->Name() : std::string();
    }
    case tkMethod: return GetMethodProp(obj, prop).Name;
    default: WrongKind(prop);
  }
}

void SetPropValue(TObject* obj, const TPropInfo& prop, std::string_view value) {
  switch (prop.Kind()) {
    case tkInteger:
    case tkInt64: SetOrdProp(obj, prop, StrToInt64(value)); break;
    case tkChar:
    case tkWChar: SetOrdProp(obj, prop, TextToChar(prop, value)); break;
    case tkEnumeration: SetEnumProp(obj, prop, value); break;
    case tkSet: SetSetProp(obj, prop, value); break;
    case tkFloat: SetFloatProp(obj, prop, TextToFloat(value)); break;
    case tkString:
    case tkLString:
    case tkWString: SetStrProp(obj, prop, std::string(value)); break;
    case tkClass: {
      if (auto* strings = dynamic_cast<TStrings*>(GetObjectProp(obj, prop))) {
        strings->SetCommaText(value);
        break;
      }
      TObject* target = nullptr;
      if (!value.empty()) {
        TComponent* root = LookupRoot(obj);
        target = root ? root->FindComponent(value) : nullptr;
        if (!target && root && SameText(root->Name(), value)) target = root;
        if (!target) throw EPropertyError(ExceptionText::InvalidPropertyValue);
      }
      SetObjectProp(obj, prop, target);
      break;
    }
    case tkMethod: {
      TMethod method;
      if (!value.empty()) {
        method.Data = LookupRoot(obj);
        method.Name = std::string(value);
      }
      SetMethodProp(obj, prop, method);
      break;
    }
    default: WrongKind(prop);
  }
}

std::string GetPropValue(TObject* obj, std::string_view name) { return GetPropValue(obj, Resolve(obj, name)); }
void SetPropValue(TObject* obj, std::string_view name, std::string_view value) {
  SetPropValue(obj, Resolve(obj, name), value);
}
