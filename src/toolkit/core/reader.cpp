#include "toolkit/core/reader.h"

#include <bit>
#include <cstring>
#include <memory>

#include "toolkit/core/codepage.h"
#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

constexpr const char* PropertyException = "Error reading %s.%s: %s";
constexpr const char* ReadOnlyProperty = "Property is read-only";
constexpr const char* InvalidName = "'%s' is not a valid component name";
constexpr const char* NotAComponent = "Class %s is not a component class";

template <class T>
T LittleEndian(const std::string& bytes) {
  using U = std::make_unsigned_t<T>;
  U value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) value |= static_cast<U>(static_cast<std::uint8_t>(bytes[i])) << (8 * i);
  return static_cast<T>(value);
}

bool IsIntegerValue(TValueType t) { return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64; }

bool IsStringValue(TValueType t) {
  return t == vaString || t == vaLString || t == vaWString || t == vaUString || t == vaUTF8String;
}

[[noreturn]] void InvalidValue() { throw EReadError(ExceptionText::InvalidPropertyValue); }

}  // namespace

using TReaderNesting = TFilerNesting<EReadError>;

TReader::TReader(TStream& stream) : TFiler(stream) {}
TReader::~TReader() = default;

// ---------------------------------------------------------------------------------------
// Raw data

std::int64_t TReader::Remaining() const {
  std::int64_t left = Stream().Size() - Stream().Position();
  return left > 0 ? left : 0;
}

std::string TReader::ReadBytes(std::int64_t count) {
  if (count < 0 || count > Remaining()) throw EReadError(ExceptionText::ReadError);
  std::string bytes(static_cast<std::size_t>(count), '\0');
  if (count > 0) Stream().ReadBuffer(bytes.data(), count);
  return bytes;
}

std::uint8_t TReader::ReadByte() { return static_cast<std::uint8_t>(ReadBytes(1)[0]); }

std::int32_t TReader::ReadLength(int unitSize) {
  auto length = LittleEndian<std::int32_t>(ReadBytes(4));
  if (length < 0 || static_cast<std::int64_t>(length) * unitSize > Remaining())
    throw EReadError(ExceptionText::ReadError);
  return length;
}

void TReader::ReadExtendedData(std::uint8_t out[10]) {
  std::string bytes = ReadBytes(10);
  std::memcpy(out, bytes.data(), 10);
}

std::int64_t TReader::ReadIntegerData(TValueType type) {
  switch (type) {
    case vaInt8: return static_cast<std::int8_t>(ReadByte());
    case vaInt16: return LittleEndian<std::int16_t>(ReadBytes(2));
    case vaInt32: return LittleEndian<std::int32_t>(ReadBytes(4));
    case vaInt64: return LittleEndian<std::int64_t>(ReadBytes(8));
    default: InvalidValue();
  }
}

std::int64_t TReader::ReadCurrencyData() { return LittleEndian<std::int64_t>(ReadBytes(8)); }

double TReader::ReadFloatData(TValueType type) {
  switch (type) {
    case vaExtended: {
      std::uint8_t ext[10];
      ReadExtendedData(ext);
      return ExtendedToDouble(ext);
    }
    case vaSingle: return std::bit_cast<float>(LittleEndian<std::uint32_t>(ReadBytes(4)));
    case vaDate: return std::bit_cast<double>(LittleEndian<std::uint64_t>(ReadBytes(8)));
    case vaCurrency: return static_cast<double>(ReadCurrencyData()) / 10000.0;
    default:
      if (IsIntegerValue(type)) return static_cast<double>(ReadIntegerData(type));
      InvalidValue();
  }
}

std::string TReader::ReadBytesData(TValueType type) {
  switch (type) {
    case vaString:
    case vaIdent: return ReadBytes(ReadByte());
    case vaLString:
    case vaUTF8String:
    case vaBinary: return ReadBytes(ReadLength(1));
    default: InvalidValue();
  }
}

WideString TReader::ReadWideData() {
  std::int32_t count = ReadLength(2);
  std::string bytes = ReadBytes(static_cast<std::int64_t>(count) * 2);
  WideString text(static_cast<std::size_t>(count), u'\0');
  for (std::int32_t i = 0; i < count; ++i)
    text[static_cast<std::size_t>(i)] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                                              (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
  return text;
}

std::string TReader::ReadStringData(TValueType type) {
  switch (type) {
    case vaString:
    case vaLString: return AnsiToUtf8(ReadBytesData(type));
    case vaUTF8String: return ReadBytesData(type);
    case vaWString:
    case vaUString: return Utf16ToUtf8(ReadWideData());
    default: InvalidValue();
  }
}

// ---------------------------------------------------------------------------------------
// Values

void TReader::ReadSignature() {
  std::string signature = ReadBytes(4);
  if (std::memcmp(signature.data(), FilerSignature, 4) != 0) throw EReadError(ExceptionText::InvalidImage);
}

void TReader::ReadPrefix(TFilerFlags& flags, int& childPos) {
  flags = 0;
  childPos = 0;
  if (Remaining() == 0) return;
  std::uint8_t next = static_cast<std::uint8_t>(ReadBytes(1)[0]);
  if ((next & 0xF0) != 0xF0) {
    Stream().Seek(-1, soFromCurrent);
    return;
  }
  flags = next & 0x0F;
  if (flags & ffChildPos) {
    std::int64_t pos = ReadInteger();
    if (pos < INT32_MIN || pos > INT32_MAX) InvalidValue();
    childPos = static_cast<int>(pos);
  }
}

TValueType TReader::ReadValue() {
  std::uint8_t type = ReadByte();
  if (type >= ValueTypeCount) throw EReadError(ExceptionText::InvalidPropertyValue);
  return static_cast<TValueType>(type);
}

TValueType TReader::NextValue() {
  // Not checked: before a component the next byte may be a prefix ($F0 | flags).
  std::uint8_t type = ReadByte();
  Stream().Seek(-1, soFromCurrent);
  return static_cast<TValueType>(type);
}

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::ReadListBegin() {
  if (ReadValue() != vaList) InvalidValue();
}

void TReader::ReadListEnd() {
  if (ReadValue() != vaNull) InvalidValue();
}

std::string TReader::ReadStr() { return ReadBytes(ReadByte()); }

std::int64_t TReader::ReadInteger() { return ReadIntegerData(ReadValue()); }

bool TReader::ReadBoolean() {
  TValueType type = ReadValue();
  if (type == vaTrue) return true;
  if (type == vaFalse) return false;
  InvalidValue();
}

double TReader::ReadFloat() { return ReadFloatData(ReadValue()); }

std::string TReader::ReadString() {
  TValueType type = ReadValue();
  if (!IsStringValue(type)) InvalidValue();
  return ReadStringData(type);
}

WideString TReader::ReadWideString() {
  TValueType type = ReadValue();
  if (type == vaWString || type == vaUString) return ReadWideData();
  if (!IsStringValue(type)) InvalidValue();
  return Utf8ToUtf16(ReadStringData(type));
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: InvalidValue();
  }
}

std::int64_t TReader::ReadCharCode(bool wide) {
  TValueType type = ReadValue();
  if (type == vaWString || type == vaUString) {
    WideString text = ReadWideData();
    if (text.size() != 1) InvalidValue();
    if (wide) return text[0];
    if (text[0] >= 0xD800 && text[0] <= 0xDFFF) InvalidValue();
    // An 8-bit character written as its character code: its byte in the ANSI code page.
    const std::string utf8 = Utf16ToUtf8(text);
    if (CanEncode(utf8, SystemAnsiCodePage())) return static_cast<std::uint8_t>(Utf8ToAnsi(utf8)[0]);
    if (text[0] > 0xFF) InvalidValue();
    return text[0];
  }
  if (type == vaString || type == vaLString) {
    std::string bytes = ReadBytesData(type);
    if (bytes.size() != 1) InvalidValue();
    if (!wide) return static_cast<std::uint8_t>(bytes[0]);
    WideString text = Utf8ToUtf16(AnsiToUtf8(bytes));
    if (text.size() != 1) InvalidValue();
    return text[0];
  }
  if (IsIntegerValue(type)) return ReadIntegerData(type);  // some writers store characters as numbers
  InvalidValue();
}

void TReader::SkipValue() {
  TValueType type = ReadValue();
  switch (type) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: return;
    case vaList: {
      TReaderNesting nest(depth_);
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      return;
    }
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: ReadIntegerData(type); return;
    case vaExtended: ReadBytes(10); return;
    case vaSingle: ReadBytes(4); return;
    case vaCurrency:
    case vaDate:
    case vaQWord: ReadBytes(8); return;
    case vaString:
    case vaIdent:
    case vaLString:
    case vaUTF8String:
    case vaBinary: ReadBytesData(type); return;
    case vaWString:
    case vaUString: ReadWideData(); return;
    case vaSet:
      while (!ReadStr().empty()) {
      }
      return;
    case vaCollection: {
      TReaderNesting nest(depth_);
      while (!EndOfList()) {
        if (IsIntegerValue(NextValue())) ReadInteger();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      return;
    }
  }
}

// ---------------------------------------------------------------------------------------
// Components

TComponent* TReader::ReadRootComponent(TComponent* root) {
  ReadSignature();
  TFilerFlags flags;
  int childPos;
  ReadPrefix(flags, childPos);
  std::string className = ReadStr();
  std::string name = ReadStr();

  std::unique_ptr<TComponent> created;
  if (!root) {
    const TClassInfo* cls = TClassInfo::Find(className);
    if (!cls || !cls->CanCreate()) throw EClassNotFound(Format(ExceptionText::ClassNotFound, {className}));
    TObject* object = cls->Create(nullptr);
    root = dynamic_cast<TComponent*>(object);
    if (!root) {
      delete object;
      throw EClassNotFound(Format(NotAComponent, {className}));
    }
    created.reset(root);
  }
  root_ = root;
  current_ = root;
  loaded_.clear();
  fixups_.clear();
  loaded_.push_back(root);
  root->IncludeState(csLoading);
  root->IncludeState(csReading);
  if (!name.empty() && !SameText(root->Name(), name)) {
    if (!IsValidIdent(name)) throw EReadError(Format(InvalidName, {name}));
    // A root of the same name may exist in the owner already (a second instance of a form).
    std::string unique = name;
    for (int n = 1;
         root->Owner() && root->Owner()->FindComponent(unique) && root->Owner()->FindComponent(unique) != root; ++n)
      unique = name + "_" + std::to_string(n);
    root->SetName(unique);
  }
  ReadProperties(root);
  ReadChildren(root);
  ResolveFixups();
  for (TComponent* c : loaded_) c->ExcludeState(csReading);
  std::vector<TComponent*> loaded = std::move(loaded_);
  loaded_.clear();
  for (TComponent* c : loaded) c->Loaded();
  created.release();
  return root;
}

void TReader::ReadChildren(TComponent* parent) {
  TReaderNesting nest(depth_);
  while (!EndOfList()) ReadComponent(parent->GetChildParent());
  ReadListEnd();
}

TComponent* TReader::ReadComponent(TComponent* parent) {
  TFilerFlags flags;
  int childPos;
  ReadPrefix(flags, childPos);
  std::string className = ReadStr();
  std::string name = ReadStr();

  TComponent* component = nullptr;
  bool isNew = false;
  if (flags & ffInherited) {
    component = root_->FindComponent(name);
    if (!component) throw EReadError(Format("Ancestor for '%s' not found", {name}));
  } else {
    const TClassInfo* cls = TClassInfo::Find(className);
    if (!cls || !cls->CanCreate()) throw EClassNotFound(Format(ExceptionText::ClassNotFound, {className}));
    TObject* object = cls->Create(root_);
    component = dynamic_cast<TComponent*>(object);
    if (!component) {
      delete object;
      throw EClassNotFound(Format(NotAComponent, {className}));
    }
    isNew = true;
  }
  TComponent* saved = current_;
  try {
    component->IncludeState(csLoading);
    component->IncludeState(csReading);
    if (isNew) {
      try {
        component->SetName(name);
      } catch (const EComponentError& e) {
        throw EReadError(e.Message());
      }
    }
    if (parent && parent != component) component->SetParentComponent(parent);
    if ((flags & ffChildPos) && parent) parent->SetChildOrder(component, childPos);
    loaded_.push_back(component);
    current_ = component;
    ReadProperties(component);
    ReadChildren(component);
  } catch (...) {
    current_ = saved;
    if (isNew) {
      std::erase(loaded_, component);
      std::erase_if(fixups_, [component](const Fixup& f) { return f.instance == component; });
      component->Free();
    }
    throw;
  }
  current_ = saved;
  return component;
}

void TReader::ReadProperties(TPersistent* instance) {
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
}

void TReader::HandlePropertyError(const std::string& message) {
  if (OnError && OnError(message)) {
    SkipValue();
    return;
  }
  throw EReadError(message);
}

void TReader::ReadProperty(TPersistent* instance) {
  const std::string name = ReadStr();
  propName_ = name;
  std::string message;
  std::int64_t valueStart = Stream().Position();
  try {
    // "Font.Name": walk the object properties down to the last part.
    TPersistent* target = instance;
    std::string_view path = name;
    std::size_t dot;
    while ((dot = path.find('.')) != std::string_view::npos) {
      const TPropInfo* objProp = GetPropInfo(target, path.substr(0, dot));
      auto* sub =
          objProp && objProp->Kind() == tkClass ? dynamic_cast<TPersistent*>(GetObjectProp(target, *objProp)) : nullptr;
      if (!sub) throw EPropertyError(Format(ExceptionText::UnknownProperty, {name}));
      target = sub;
      path.remove_prefix(dot + 1);
    }
    if (const TPropInfo* prop = GetPropInfo(target, path)) {
      ReadPropValue(target, *prop);
      return;
    }
    pendingName_ = std::string(path);
    target->DefineProperties(*this);
    bool claimed = pendingName_.empty();
    pendingName_.clear();
    if (!claimed) throw EPropertyError(Format(ExceptionText::UnknownProperty, {name}));
    return;
  } catch (const EReadError& e) {
    // Faults of the stream itself (truncation) are not the property's; keep their text
    // when it already names the property.
    if (e.Message().rfind("Error reading ", 0) == 0) throw;
    message = Format(PropertyException, {current_ ? current_->Name() : std::string(), name, e.Message()});
  } catch (const Exception& e) {
    message = Format(PropertyException, {current_ ? current_->Name() : std::string(), name, e.Message()});
  }
  pendingName_.clear();
  // The value may be partly read; skipping is possible only from its start.
  Stream().Seek(valueStart, soFromBeginning);
  HandlePropertyError(message);
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop) {
  TTypeKind kind = prop.Kind();
  if (!prop.IsWritable() && kind != tkClass) throw EPropertyError(ReadOnlyProperty);
  switch (kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64: ReadOrdinalValue(instance, prop); break;
    case tkFloat: SetFloatProp(instance, prop, ReadFloat()); break;
    case tkString:
    case tkLString:
    case tkWString: SetStrProp(instance, prop, ReadString()); break;
    case tkClass: ReadObjectValue(instance, prop); break;
    case tkMethod: ReadMethodValue(instance, prop); break;
    default: throw EPropertyError(ExceptionText::InvalidPropertyValue);
  }
}

void TReader::ReadOrdinalValue(TPersistent* instance, const TPropInfo& prop) {
  switch (prop.Kind()) {
    case tkInteger:
    case tkInt64: SetOrdProp(instance, prop, ReadInteger()); break;
    case tkChar:
    case tkWChar: SetOrdProp(instance, prop, ReadCharCode(prop.Kind() == tkWChar)); break;
    case tkEnumeration: {
      if (IsIntegerValue(NextValue())) {
        SetOrdProp(instance, prop, ReadInteger());
        break;
      }
      std::string ident = ReadIdent();
      int ordinal = prop.PropType->EnumValue(ident);
      if (ordinal < 0) throw EPropertyError(ExceptionText::InvalidPropertyValue);
      SetOrdProp(instance, prop, ordinal);
      break;
    }
    case tkSet: {
      if (ReadValue() != vaSet) InvalidValue();
      const TTypeInfo* element = prop.PropType->CompType;
      std::uint64_t bits = 0;
      for (std::string name = ReadStr(); !name.empty(); name = ReadStr()) {
        int ordinal = element ? element->EnumValue(name) : -1;
        if (ordinal < 0 || ordinal >= 64) throw EPropertyError(ExceptionText::InvalidPropertyValue);
        bits |= std::uint64_t{1} << ordinal;
      }
      SetOrdProp(instance, prop, static_cast<std::int64_t>(bits));
      break;
    }
    default: break;
  }
}

void TReader::ReadObjectValue(TPersistent* instance, const TPropInfo& prop) {
  TValueType type = NextValue();
  if (type == vaCollection) {
    auto* collection = dynamic_cast<TCollection*>(GetObjectProp(instance, prop));
    if (!collection) throw EPropertyError(ExceptionText::InvalidPropertyValue);
    ReadValue();
    ReadCollection(*collection);
    return;
  }
  if (!prop.IsWritable()) throw EPropertyError(ReadOnlyProperty);
  std::string ident = ReadIdent();
  if (ident == "nil" || ident == "Null") {
    SetObjectProp(instance, prop, nullptr);
    return;
  }
  // A reference to another component: resolved when the whole tree is read.
  fixups_.push_back({instance, &prop, ident});
}

void TReader::ReadMethodValue(TPersistent* instance, const TPropInfo& prop) {
  std::string ident = ReadIdent();
  TMethod method;
  if (ident != "nil" && ident != "Null") {
    method.Data = root_;
    method.Name = ident;
  }
  SetMethodProp(instance, prop, method);
}

void TReader::ReadCollection(TCollection& collection) {
  TReaderNesting nest(depth_);
  collection.BeginUpdate();
  try {
    collection.Clear();
    while (!EndOfList()) {
      if (IsIntegerValue(NextValue())) ReadInteger();  // the item's stored index: items keep stream order
      ReadListBegin();
      TCollectionItem* item = collection.Add();
      ReadProperties(item);
    }
    ReadListEnd();
  } catch (...) {
    collection.EndUpdate();
    throw;
  }
  collection.EndUpdate();
}

void TReader::ResolveFixups() {
  std::vector<Fixup> fixups = std::move(fixups_);
  fixups_.clear();
  for (const Fixup& f : fixups) {
    // "Owner" (or the root's own name) is the root itself.
    bool isRoot = SameText(f.name, "Owner") || SameText(root_->Name(), f.name);
    TComponent* target = isRoot ? root_ : root_->FindComponent(f.name);
    // A reference that names nothing here (another form's component) stays unset.
    if (target) SetObjectProp(f.instance, *f.prop, target);
  }
}

void TReader::DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                             const std::function<void(TWriter&)>& writeData, bool hasData) {
  if (pendingName_.empty() || !readData || !SameText(name, pendingName_)) return;
  pendingName_.clear();
  readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& readData,
                                   const std::function<void(TStream&)>& writeData, bool hasData) {
  if (pendingName_.empty() || !readData || !SameText(name, pendingName_)) return;
  pendingName_.clear();
  if (ReadValue() != vaBinary) InvalidValue();
  TStringStream block(ReadBytesData(vaBinary));
  readData(block);
}

TComponent* ReadComponentFromStream(TStream& stream, TComponent* root) {
  TReader reader(stream);
  return reader.ReadRootComponent(root);
}
