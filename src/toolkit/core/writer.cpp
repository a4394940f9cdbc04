#include "toolkit/core/writer.h"

#include <bit>

#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

template <class T>
std::string LittleEndian(T value) {
  using U = std::make_unsigned_t<T>;
  auto bits = static_cast<U>(value);
  std::string bytes(sizeof(T), '\0');
  for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return bytes;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

using DepthGuard = TFilerNesting<EWriteError>;

// Sets a name prefix for its lifetime and puts the previous one back.
class PrefixScope {
public:
  PrefixScope(std::string& prefix, std::string next) : prefix_(prefix), saved_(std::move(prefix)) {
    prefix_ = std::move(next);
  }
  ~PrefixScope() { prefix_ = std::move(saved_); }
  PrefixScope(const PrefixScope&) = delete;
  PrefixScope& operator=(const PrefixScope&) = delete;

private:
  std::string& prefix_;
  std::string saved_;
};

}  // namespace

TWriter::TWriter(TStream& stream) : TFiler(stream) {}
TWriter::~TWriter() = default;

// ---------------------------------------------------------------------------------------
// Values

void TWriter::WriteBytes(std::string_view bytes) { Stream().WriteBuffer(bytes); }

void TWriter::WriteSignature() { WriteBytes(std::string_view(FilerSignature, 4)); }

void TWriter::WritePrefix(TFilerFlags flags, int childPos) {
  if (flags == 0) return;
  WriteBytes(std::string(1, static_cast<char>(0xF0 | (flags & 0x0F))));
  if (flags & ffChildPos) WriteInteger(childPos);
}

void TWriter::WriteValue(TValueType type) { WriteBytes(std::string(1, static_cast<char>(type))); }

void TWriter::WriteClassName(std::string_view name) {
  if (name.size() >= 0xF0)
    throw EWriteError("Class name too long for the layout stream: " + std::string(name.substr(0, 40)));
  WriteStr(name);
}

void TWriter::WriteStr(std::string_view bytes) {
  if (bytes.size() > 255) throw EWriteError("Name too long for the layout stream: " + std::string(bytes.substr(0, 40)));
  WriteBytes(std::string(1, static_cast<char>(bytes.size())));
  WriteBytes(bytes);
}

void TWriter::WriteLength(std::size_t length) {
  if (length > static_cast<std::size_t>(INT32_MAX)) throw EWriteError(ExceptionText::WriteError);
  WriteBytes(LittleEndian(static_cast<std::int32_t>(length)));
}

void TWriter::WriteInteger(std::int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(vaInt8);
    WriteBytes(LittleEndian(static_cast<std::int8_t>(value)));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(vaInt16);
    WriteBytes(LittleEndian(static_cast<std::int16_t>(value)));
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    WriteBytes(LittleEndian(static_cast<std::int32_t>(value)));
  } else {
    WriteValue(vaInt64);
    WriteBytes(LittleEndian(value));
  }
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }

void TWriter::WriteExtended(const std::uint8_t ext[10]) {
  WriteValue(vaExtended);
  WriteBytes(std::string_view(reinterpret_cast<const char*>(ext), 10));
}

void TWriter::WriteFloat(double value) {
  std::uint8_t ext[10];
  DoubleToExtended(value, ext);
  WriteExtended(ext);
}

void TWriter::WriteSingle(float value) {
  WriteValue(vaSingle);
  WriteBytes(LittleEndian(std::bit_cast<std::uint32_t>(value)));
}

void TWriter::WriteDate(double value) {
  WriteValue(vaDate);
  WriteBytes(LittleEndian(std::bit_cast<std::uint64_t>(value)));
}

void TWriter::WriteCurrency(std::int64_t tenThousandths) {
  WriteValue(vaCurrency);
  WriteBytes(LittleEndian(tenThousandths));
}

void TWriter::WriteAnsiBytes(std::string_view bytes) {
  if (bytes.size() < 256) {
    WriteValue(vaString);
    WriteStr(bytes);
  } else {
    WriteValue(vaLString);
    WriteLength(bytes.size());
    WriteBytes(bytes);
  }
}

void TWriter::WriteString(std::string_view text) {
  if (IsAscii(text))
    WriteAnsiBytes(text);
  else
    WriteWideString(Utf8ToUtf16(text));
}

namespace {
std::string Utf16Bytes(const WideString& text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) bytes += LittleEndian(static_cast<std::uint16_t>(unit));
  return bytes;
}
}  // namespace

void TWriter::WriteWideString(const WideString& text) {
  WriteValue(vaWString);
  WriteLength(text.size());
  WriteBytes(Utf16Bytes(text));
}

void TWriter::WriteUString(const WideString& text) {
  WriteValue(vaUString);
  WriteLength(text.size());
  WriteBytes(Utf16Bytes(text));
}

void TWriter::WriteUTF8String(std::string_view text) {
  WriteValue(vaUTF8String);
  WriteLength(text.size());
  WriteBytes(text);
}

void TWriter::WriteIdent(std::string_view ident) {
  if (SameText(ident, "False"))
    WriteValue(vaFalse);
  else if (SameText(ident, "True"))
    WriteValue(vaTrue);
  else if (SameText(ident, "nil"))
    WriteValue(vaNil);
  else if (SameText(ident, "Null"))
    WriteValue(vaNull);
  else {
    WriteValue(vaIdent);
    WriteStr(ident);
  }
}

void TWriter::WriteChar(char c) {
  WriteValue(vaString);
  WriteStr(std::string_view(&c, 1));
}

void TWriter::WriteWideChar(char16_t c) { WriteWideString(WideString(1, c)); }

void TWriter::WriteBinary(std::string_view bytes) {
  WriteValue(vaBinary);
  WriteLength(bytes.size());
  WriteBytes(bytes);
}

// ---------------------------------------------------------------------------------------
// Components

void TWriter::WriteRootComponent(TComponent* root) {
  root_ = root;
  WriteSignature();
  WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component) {
  DepthGuard guard(depth_);
  if (!root_) root_ = component;
  component->IncludeState(csWriting);
  try {
    WriteClassName(component->ClassName());
    WriteStr(component->Name());
    WriteProperties(component);
    WriteListEnd();
    component->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
    WriteListEnd();
  } catch (...) {
    component->ExcludeState(csWriting);
    throw;
  }
  component->ExcludeState(csWriting);
}

void TWriter::WriteProperties(TPersistent* instance) {
  for (const TPropInfo* prop : GetPropList(instance)) WriteProperty(instance, *prop);
  instance->DefineProperties(*this);
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop) {
  TTypeKind kind = prop.Kind();
  if (!prop.IsReadable() || (!prop.IsWritable() && kind != tkClass)) return;
  if (!IsStoredProp(instance, prop)) return;
  if (kind == tkClass) {
    WriteObjectProperty(instance, prop);
    return;
  }
  if (IsDefaultPropValue(instance, prop)) return;
  WriteStr(prefix_ + prop.Name);
  switch (kind) {
    case tkInteger:
    case tkInt64: WriteInteger(prop.GetOrd(instance)); break;
    case tkChar: WriteChar(static_cast<char>(prop.GetOrd(instance))); break;
    case tkWChar: WriteWideChar(static_cast<char16_t>(prop.GetOrd(instance))); break;
    case tkEnumeration:
      if (prop.PropType == &BooleanTypeInfo())
        WriteBoolean(prop.GetOrd(instance) != 0);
      else
        WriteIdent(prop.PropType->EnumName(prop.GetOrd(instance)));
      break;
    case tkSet: {
      auto bits = static_cast<std::uint64_t>(prop.GetOrd(instance));
      const TTypeInfo* element = prop.PropType->CompType;
      WriteValue(vaSet);
      for (std::size_t i = 0; element && i < element->EnumNames.size() && i < 64; ++i)
        if ((bits >> i) & 1) WriteStr(element->EnumNames[i]);
      WriteStr("");
      break;
    }
    case tkFloat: WriteFloat(prop.GetFloat(instance)); break;
    case tkString:
    case tkLString:
    case tkWString: WriteString(prop.GetStr(instance)); break;
    case tkMethod: WriteIdent(prop.GetMethod(instance).Name); break;
    default: throw EWriteError("Property " + prop.Name + " cannot be stored");
  }
}

std::string TWriter::ReferenceName(TComponent* component) const {
  if (component == root_) return "Owner";
  if (!component->Owner() || component->Owner() == root_) return component->Name();
  if (component->Owner()->Name().empty()) return component->Name();
  return component->Owner()->Name() + "." + component->Name();
}

void TWriter::WriteObjectProperty(TPersistent* instance, const TPropInfo& prop) {
  TObject* value = prop.GetObject(instance);
  if (!value) return;
  if (auto* component = dynamic_cast<TComponent*>(value)) {
    if (component->Name().empty() || !prop.IsWritable()) return;
    WriteStr(prefix_ + prop.Name);
    WriteIdent(ReferenceName(component));
    return;
  }
  if (auto* collection = dynamic_cast<TCollection*>(value)) {
    WriteStr(prefix_ + prop.Name);
    WriteCollection(*collection);
    return;
  }
  if (auto* persistent = dynamic_cast<TPersistent*>(value)) {
    DepthGuard guard(depth_);
    PrefixScope scope(prefix_, prefix_ + prop.Name + ".");
    WriteProperties(persistent);
  }
}

void TWriter::WriteCollection(TCollection& collection) {
  DepthGuard guard(depth_);
  PrefixScope scope(prefix_, "");
  WriteValue(vaCollection);
  for (int i = 0; i < collection.Count(); ++i) {
    WriteListBegin();
    WriteProperties(collection.Items(i));
    WriteListEnd();
  }
  WriteListEnd();
}

void TWriter::DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                             const std::function<void(TWriter&)>& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  WriteStr(prefix_ + name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& readData,
                                   const std::function<void(TStream&)>& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream block;
  writeData(block);
  WriteStr(prefix_ + name);
  WriteBinary(block.Bytes());
}

void WriteComponentToStream(TStream& stream, TComponent* root) {
  TWriter writer(stream);
  writer.WriteRootComponent(root);
}
