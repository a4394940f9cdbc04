#pragma once
// TReader: reads the binary layout stream (see filer.h) into components.
//
//   TReader reader(stream);
//   reader.ReadRootComponent(form);   // the form exists; its components are created
//
// The root's own properties are read into it; each child is created by class name from the
// class registry (EClassNotFound "Class X not found"), owned by the root, given as parent
// the component it is nested in (SetParentComponent) and named. Events are bound to the
// root's published methods by name; references to other components are resolved once the
// whole tree is read. While reading, every component has csLoading and csReading; at the
// end csReading is cleared and Loaded() is called on the root and then on each component
// in the order they were created.
//
// Every fault of the data (a truncated or corrupt stream, a value of the wrong kind, an
// unknown property) raises EReadError; property faults read "Error reading
// <Component>.<Property>: <reason>" unless OnError handles them. Sizes in the stream are
// checked against the bytes that remain before anything is allocated.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/core/filer.h"
#include "toolkit/core/utf8.h"

class TComponent;
class TCollection;
struct TPropInfo;

class TReader : public TFiler {
public:
  explicit TReader(TStream& stream);
  ~TReader() override;

  // Called with the message of a property fault; returning true skips the property's
  // value and goes on reading.
  std::function<bool(const std::string& message)> OnError;

  // ---- Components
  // Reads the signature and a whole component tree into root (nullptr: the root is
  // created from its class name, without owner). Returns the root.
  TComponent* ReadRootComponent(TComponent* root);
  // Reads the published and defined properties of instance until vaNull.
  void ReadProperties(TPersistent* instance);
  // Reads a vaCollection value's items into collection (replacing its items).
  void ReadCollection(TCollection& collection);

  TComponent* Root() const { return root_; }
  // The component whose properties or children are being read, and the stored name of
  // the property being read ("Font.Name").
  TComponent* Current() const { return current_; }
  const std::string& PropName() const { return propName_; }

  // ---- Values
  void ReadSignature();
  void ReadPrefix(TFilerFlags& flags, int& childPos);
  TValueType ReadValue();
  // The type of the next value, not consumed (and not checked: a byte that is no value
  // type comes back as it is).
  TValueType NextValue();
  bool EndOfList();  // the next value is vaNull (not consumed)
  void ReadListBegin();
  void ReadListEnd();
  // A short string (length byte and bytes, as stored).
  std::string ReadStr();
  // Integer values of any size.
  std::int64_t ReadInteger();
  bool ReadBoolean();
  // Float values of any kind (also integers).
  double ReadFloat();
  // String values of any kind, as UTF-8 (8-bit strings in the system ANSI code page).
  std::string ReadString();
  WideString ReadWideString();
  // vaIdent, and vaFalse/vaTrue/vaNil/vaNull as "False"/"True"/"nil"/"Null".
  std::string ReadIdent();
  // A one-character string value as its character code.
  std::int64_t ReadCharCode(bool wide);
  // Skips one value of any kind.
  void SkipValue();

  // Data of a value whose type ReadValue() returned.
  std::int64_t ReadIntegerData(TValueType type);
  double ReadFloatData(TValueType type);       // vaExtended, vaSingle, vaDate, vaCurrency
  std::int64_t ReadCurrencyData();             // ten-thousandths
  std::string ReadBytesData(TValueType type);  // vaString, vaLString, vaUTF8String, vaBinary: raw bytes
  WideString ReadWideData();                   // vaWString, vaUString
  void ReadExtendedData(std::uint8_t out[10]);
  std::string ReadStringData(TValueType type);  // any string type, as UTF-8

  // Raw bytes, checked against what remains.
  std::string ReadBytes(std::int64_t count);
  std::int64_t Remaining() const;

  void DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                      const std::function<void(TWriter&)>& writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& readData,
                            const std::function<void(TStream&)>& writeData, bool hasData) override;

private:
  struct Fixup {
    TPersistent* instance;
    const TPropInfo* prop;
    std::string name;
  };

  TComponent* ReadComponent(TComponent* parent);
  void ReadChildren(TComponent* parent);
  void ReadProperty(TPersistent* instance);
  void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
  void ReadOrdinalValue(TPersistent* instance, const TPropInfo& prop);
  void ReadObjectValue(TPersistent* instance, const TPropInfo& prop);
  void ReadMethodValue(TPersistent* instance, const TPropInfo& prop);
  void HandlePropertyError(const std::string& message);
  void ResolveFixups();
  std::uint8_t ReadByte();
  std::int32_t ReadLength(int unitSize);

  TComponent* root_ = nullptr;
  TComponent* current_ = nullptr;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
  std::string propName_;     // the property being read, as stored ("Font.Name")
  std::string pendingName_;  // the part DefineProperties may claim; empty once claimed
  int depth_ = 0;
};

// Reads a component tree from the stream's position into root (see TReader).
TComponent* ReadComponentFromStream(TStream& stream, TComponent* root);
