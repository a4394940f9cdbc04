#pragma once
// Extended translations: any published property of the owner or of one of its components,
// addressed by a dotted identifier, with one value per language.
#include <string>

#include "toolkit/core/collection.h"
#include "toolkit/core/typeinfo.h"

class TComponent;
class TFiler;
class TPersistent;
class TlcCustomLang;

class TlcExtendedItem : public TCollectionItem {
  QUILLIMO_CLASS(TlcExtendedItem, TCollectionItem)
public:
  explicit TlcExtendedItem(TCollection* collection = nullptr);

  // "Component.Property[.Sub...]" or "OwnerClass.Property..."; when the item remembers its
  // component, the first part reads as that component's current name.
  std::string Identifier() const;
  void SetIdentifier(const std::string& value);
  // The identifier begins with the owner's class name and ".".
  bool IsRoot() const;
  TTypeKind PropertyType() const { return propertyType_; }
  void SetPropertyType(TTypeKind value) { propertyType_ = value; }
  // The per-language values, each followed by the delimiter (stored as block "ValuesEx").
  const std::string& Values() const { return values_; }
  void SetValues(const std::string& value) { values_ = value; }
  // The component the identifier refers to, if the item remembers one.
  TComponent* Component() const { return component_; }
  void SetComponent(TComponent* component) { component_ = component; }

  // The value for a language (1-based): values are found by word position, so consecutive
  // delimiters collapse; "" when there is none.
  std::string ValueFor(int language, char delim) const;

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  TlcCustomLang* Lang() const;

private:
  std::string identifier_;
  TTypeKind propertyType_ = tkUnknown;
  std::string values_;
  TComponent* component_ = nullptr;
};

class TlcExtendedItems : public TCollection {
  QUILLIMO_CLASS(TlcExtendedItems, TCollection)
public:
  explicit TlcExtendedItems(TlcCustomLang* lang = nullptr);
  TlcExtendedItem* Item(int index) const;
  TlcExtendedItem* AddItem();
  TlcCustomLang* Lang() const { return lang_; }

private:
  TlcCustomLang* lang_;
};
