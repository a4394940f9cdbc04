#include "localisation/extended_items.h"

#include "localisation/lang_component.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/streams.h"

namespace {

// The type description of TTypeKind values, so that PropertyType reads and writes by name.
const TTypeInfo& TypeKindTypeInfo() {
  static const TTypeInfo info = [] {
    std::string names;
    for (int k = 0; k < TypeKindCount; ++k) names += std::string(k ? ", " : "") + std::string(TypeKindName(k));
    return MakeEnumTypeInfo("TTypeKind", names);
  }();
  return info;
}

}  // namespace

std::string TlcExtendedItem::ValueFor(int language, char delim) const {
  int word = 0;
  std::size_t pos = 0;
  while (pos < values_.size()) {
    std::size_t end = values_.find(delim, pos);
    if (end == std::string::npos) end = values_.size();
    if (end > pos && ++word == language) return values_.substr(pos, end - pos);
    pos = end + 1;
  }
  return {};
}

TlcExtendedItem::TlcExtendedItem(TCollection* collection) : TCollectionItem(collection) {}

TlcCustomLang* TlcExtendedItem::Lang() const {
  auto* items = dynamic_cast<TlcExtendedItems*>(Collection());
  return items ? items->Lang() : nullptr;
}

std::string TlcExtendedItem::Identifier() const {
  if (!component_) return identifier_;
  TlcCustomLang* lang = Lang();
  bool isOwner = lang && component_ == lang->Owner();
  std::size_t dot = identifier_.find('.');
  std::string rest = dot == std::string::npos ? std::string() : identifier_.substr(dot);
  return (isOwner ? component_->ClassName() : component_->Name()) + rest;
}

void TlcExtendedItem::SetIdentifier(const std::string& value) { identifier_ = value; }

bool TlcExtendedItem::IsRoot() const {
  TlcCustomLang* lang = Lang();
  return lang && lang->Owner() && Identifier().starts_with(lang->Owner()->ClassName() + ".");
}

void TlcExtendedItem::Assign(const TPersistent* source) {
  if (const auto* item = dynamic_cast<const TlcExtendedItem*>(source)) {
    identifier_ = item->Identifier();
    propertyType_ = item->propertyType_;
    values_ = item->values_;
    component_ = nullptr;
    return;
  }
  inherited::Assign(source);
}

void TlcExtendedItem::DefineProperties(TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "ValuesEx", [this](TStream& s) { values_ = AnsiToUtf8(s.ReadToEnd(), cpWindows1254); },
      [this](TStream& s) { s.WriteBuffer(Utf8ToAnsi(values_, cpWindows1254)); }, !values_.empty());
}

TlcExtendedItems::TlcExtendedItems(TlcCustomLang* lang)
    : TCollection(TlcExtendedItem::StaticClassInfo(), lang), lang_(lang) {}

TlcExtendedItem* TlcExtendedItems::Item(int index) const { return static_cast<TlcExtendedItem*>(Items(index)); }

TlcExtendedItem* TlcExtendedItems::AddItem() { return static_cast<TlcExtendedItem*>(Add()); }

QUILLIMO_REGISTER_CLASS(TlcExtendedItem, [](TPropertyTable& p) {
  p.Bool("IsRoot", &TlcExtendedItem::IsRoot);
  p.String("Identifier", &TlcExtendedItem::Identifier, &TlcExtendedItem::SetIdentifier);
  TPropInfo kind;
  kind.Name = "PropertyType";
  kind.PropType = &TypeKindTypeInfo();
  kind.GetOrd = [](TObject* o) -> std::int64_t { return static_cast<TlcExtendedItem*>(o)->PropertyType(); };
  kind.SetOrd = [](TObject* o, std::int64_t v) {
    static_cast<TlcExtendedItem*>(o)->SetPropertyType(static_cast<TTypeKind>(v));
  };
  p.Add(std::move(kind));
  p.String("Values", &TlcExtendedItem::Values, &TlcExtendedItem::SetValues).Stored(false);
})

QUILLIMO_REGISTER_CLASS(TlcExtendedItems)
