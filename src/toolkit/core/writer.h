#pragma once
// TWriter: writes components as the binary layout stream (see filer.h).
//
//   TWriter writer(stream);
//   writer.WriteRootComponent(form);
//
// A component is written as its class name and name, its stored properties and its
// children (GetChildren). A property is stored when its Stored rule holds and its value is
// not the default (see TPropInfo); read-only properties are not stored, except objects,
// whose own properties are. Properties of a persistent sub-object are written under dotted
// names ("Font.Name"), a collection as a collection value, a reference to another
// component as its name ("Owner" for the root, "Form2.Button1" for one of another root), an event bound to a published
// method as the method's name.
//
// Values take the smallest form: integers the smallest integer type that holds them;
// text that is pure ASCII an 8-bit string (vaString, or vaLString from 256 bytes on),
// other text a UTF-16 string (vaWString); floats the 10-byte extended type.
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/core/filer.h"
#include "toolkit/core/utf8.h"

class TComponent;
class TCollection;
struct TPropInfo;

class TWriter : public TFiler {
public:
  explicit TWriter(TStream& stream);
  ~TWriter() override;

  // ---- Components
  // The signature and the whole tree of root.
  void WriteRootComponent(TComponent* root);
  // One component with its properties and children (root is the lookup root for names).
  void WriteComponent(TComponent* component);
  // The stored properties of instance and what its DefineProperties defines (no end marker).
  void WriteProperties(TPersistent* instance);
  void WriteCollection(TCollection& collection);

  TComponent* Root() const { return root_; }

  // ---- Values
  void WriteSignature();
  void WritePrefix(TFilerFlags flags, int childPos);
  void WriteValue(TValueType type);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  // A short string (length byte and bytes); longer than 255 bytes raises EWriteError.
  void WriteStr(std::string_view bytes);
  // The class name that opens a component: a short string whose length byte must not look like
  // the prefix byte (0xF0 and above) that may stand in its place, so at most 239 bytes.
  void WriteClassName(std::string_view name);
  void WriteInteger(std::int64_t value);
  void WriteBoolean(bool value);
  void WriteFloat(double value);  // vaExtended
  void WriteExtended(const std::uint8_t ext[10]);
  void WriteSingle(float value);
  void WriteDate(double value);
  void WriteCurrency(std::int64_t tenThousandths);
  // UTF-8 text: ASCII as an 8-bit string, anything else as vaWString.
  void WriteString(std::string_view text);
  void WriteWideString(const WideString& text);  // vaWString
  void WriteUString(const WideString& text);     // vaUString
  void WriteUTF8String(std::string_view text);   // vaUTF8String
  // 8-bit bytes as they are: vaString below 256 bytes, vaLString from then on.
  void WriteAnsiBytes(std::string_view bytes);
  // "False", "True", "nil" and "Null" (any case) as their own value types, others vaIdent.
  void WriteIdent(std::string_view ident);
  void WriteChar(char c);          // a one-character vaString
  void WriteWideChar(char16_t c);  // a one-character vaWString
  void WriteBinary(std::string_view bytes);
  void WriteBytes(std::string_view bytes);  // raw

  void DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                      const std::function<void(TWriter&)>& writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& readData,
                            const std::function<void(TStream&)>& writeData, bool hasData) override;

private:
  void WriteProperty(TPersistent* instance, const TPropInfo& prop);
  void WriteObjectProperty(TPersistent* instance, const TPropInfo& prop);
  void WriteLength(std::size_t length);
  std::string ReferenceName(TComponent* component) const;

  TComponent* root_ = nullptr;
  std::string prefix_;  // "Font." while a sub-object's properties are written
  int depth_ = 0;
};

// Writes the signature and the component tree of root at the stream's position.
void WriteComponentToStream(TStream& stream, TComponent* root);
