#include "localisation/lang_apply.h"

// A property is written only when its text changes, and string lists are updated line by line,
// so that controls that already show the right text get no change notification.
#include <optional>

#include "localisation/charsets.h"
#include "localisation/lang_component.h"
#include "localisation/locale_settings.h"
#include "localisation/translation_table.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/tfont.h"
#include "toolkit/core/text.h"

namespace {

bool IsReadWrite(const TPropInfo* prop) { return prop && prop->IsReadable() && prop->IsWritable(); }

bool HasStringProp(const TObject* obj, std::string_view name) {
  const TPropInfo* prop = GetPropInfo(obj, name);
  return prop && IsStringKind(prop->Kind());
}

TObject* ObjectPropOrNull(TObject* obj, std::string_view name) {
  const TPropInfo* prop = obj ? GetPropInfo(obj, name) : nullptr;
  return prop && prop->Kind() == tkClass && prop->IsReadable() ? GetObjectProp(obj, *prop) : nullptr;
}

bool HasFontProp(const TObject* obj) {
  const TPropInfo* prop = GetPropInfo(obj, "Font");
  const TClassInfo* cls = prop && prop->Kind() == tkClass ? GetObjectPropClass(*prop) : nullptr;
  return cls && SameText(cls->Name(), "TFont");
}

// A component that shows its action's caption: its published "Action" refers to one.
bool TakesCaptionFromAction(TComponent* component) { return ObjectPropOrNull(component, "Action") != nullptr; }

// A control that uses its parent's font ("ParentFont" true).
bool UsesParentFont(TComponent* component) {
  const TPropInfo* prop = GetPropInfo(component, "ParentFont");
  return prop && prop->Kind() == tkEnumeration && prop->IsReadable() && GetOrdProp(component, *prop) != 0;
}

std::vector<std::string> SplitLines(std::string_view text) {
  TStringList list;
  list.SetText(text);
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
  TStringList list;
  list.SetCommaText(text);
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

// Copies lines into a list in place: changed lines are replaced, new ones appended, surplus
// ones deleted from the end; a sorted list is unsorted meanwhile and sorted again after.
// Nothing at all happens when the list holds these lines already.
void CopyLinesInPlace(TStrings& list, const std::vector<std::string>& lines) {
  bool same = list.Count() == static_cast<int>(lines.size());
  for (int i = 0; same && i < list.Count(); ++i) same = list.Strings(i) == lines[i];
  if (same) return;
  auto* sortedList = dynamic_cast<TStringList*>(&list);
  bool wasSorted = sortedList && sortedList->Sorted();
  if (wasSorted) sortedList->SetSorted(false);
  list.BeginUpdate();
  try {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      int index = static_cast<int>(i);
      if (index < list.Count()) {
        if (list.Strings(index) != lines[i]) list.SetStrings(index, lines[i]);
      } else {
        list.Add(lines[i]);
      }
    }
    while (list.Count() > static_cast<int>(lines.size())) list.Delete(list.Count() - 1);
  } catch (...) {
    list.EndUpdate();
    if (wasSorted) sortedList->SetSorted(true);
    throw;
  }
  list.EndUpdate();
  if (wasSorted) sortedList->SetSorted(true);
}

// Writes a string-kind property when the text differs.
void WriteTextIfChanged(TObject* obj, const TPropInfo& prop, const std::string& value) {
  if (GetStrProp(obj, prop) == value) return;
  if (prop.Kind() == tkWString)
    SetWideStrProp(obj, prop, Utf8ToUtf16(value));
  else
    SetStrProp(obj, prop, value);
}

// A value that names a relative path (".." or ".\\") stands for its full path.
bool IsRelativePath(const std::string& value) {
  return value.find("..") != std::string::npos || value.find(".\\") != std::string::npos;
}

struct DottedKey {
  std::string component;
  std::string property;
  std::string subProperty;  // empty for Component.Property
};

DottedKey ParseDottedKey(std::string_view key) {
  DottedKey k;
  std::size_t dot = key.find('.');
  k.component = std::string(key.substr(0, dot));
  if (dot == std::string_view::npos) return k;
  std::string_view path = key.substr(dot + 1);
  std::size_t sub = path.find('.');
  k.property = std::string(path.substr(0, sub));
  if (sub != std::string_view::npos) k.subProperty = std::string(path.substr(sub + 1));
  return k;
}

// Component.[Object.]Collection[Index].ItemPath
struct CollectionKey {
  std::string component;
  std::string objectProperty;  // the object holding the collection, or empty
  std::string collection;
  std::optional<int> index;
  std::string itemPath;
};

CollectionKey ParseCollectionKey(std::string_view key) {
  CollectionKey k;
  std::size_t dot = key.find('.');
  k.component = std::string(key.substr(0, dot));
  if (dot == std::string_view::npos) return k;
  std::size_t open = key.find('[', dot + 1);
  std::string_view path = key.substr(dot + 1, open == std::string_view::npos ? std::string_view::npos : open - dot - 1);
  std::size_t inner = path.find('.');
  if (inner != std::string_view::npos) {
    k.objectProperty = std::string(path.substr(0, inner));
    k.collection = std::string(path.substr(inner + 1));
  } else {
    k.collection = std::string(path);
  }
  if (open == std::string_view::npos) return k;
  std::size_t close = key.find(']', open);
  if (close == std::string_view::npos) return k;
  int index = 0;
  if (TryStrToInt(key.substr(open + 1, close - open - 1), index) && index >= 0) k.index = index;
  if (close + 1 < key.size() && key[close + 1] == '.') k.itemPath = std::string(key.substr(close + 2));
  return k;
}

// The collection the key names on a component: the first published property of that name
// (on the component, or on its object property) whose value is a collection.
TCollection* FindCollection(TComponent* component, const CollectionKey& key) {
  TObject* holder = component;
  if (!key.objectProperty.empty()) holder = ObjectPropOrNull(component, key.objectProperty);
  if (!holder) return nullptr;
  for (const TPropInfo* prop : GetPropList(holder)) {
    if (!SameText(prop->Name, key.collection) || prop->Kind() != tkClass || !prop->IsReadable()) continue;
    if (auto* collection = dynamic_cast<TCollection*>(GetObjectProp(holder, *prop))) return collection;
  }
  return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------

std::string TlcLanguageApplier::LineValue(std::string_view line, bool allowTestMode) const {
  std::string value = ExtractLangField(line, table_.Delim(), table_.ActiveLanguage());
  if (value.empty() && lang_.TranslateType() == ttGetDefault) value = ExtractLangField(line, table_.Delim(), 1);
  if (value.empty() && allowTestMode) value = LangTestModeText(lang_, ExtractLangField(line, table_.Delim(), 1));
  return value;
}

TComponent* TlcLanguageApplier::ResolveComponent(std::string_view name) const {
  TComponent* owner = lang_.Owner();
  if (!owner) return nullptr;
  if (TComponent* found = owner->FindComponent(name)) return found;
  if (name == owner->ClassName() || name == owner->Name()) return owner;
  return nullptr;
}

TlcLanguageApplier::TlcLanguageApplier(TlcCustomLang& lang, TlcTranslationTable& table)
    : lang_(lang), table_(table), ownerHasFont_(lang.Owner() && HasFontProp(lang.Owner())) {}

TlcLanguageApplier::~TlcLanguageApplier() = default;

TStringList* TlcLanguageApplier::RemovedLines() {
  if (!removedLines_) removedLines_ = std::make_unique<TStringList>();
  return removedLines_.get();
}

void TlcLanguageApplier::ClearRemovedLines() { removedLines_.reset(); }

// ---------------------------------------------------------------------------------------
// The whole application

void TlcLanguageApplier::Apply() {
  TComponent* owner = lang_.Owner();
  if (!owner || table_.IsTemporary()) return;
  const bool all = onlyType_ == -1;
  auto wanted = [this](int t) { return onlyType_ == -1 || onlyType_ == t; };
  auto apply = [this](int t) {
    if (TStrings* section = table_.Section(t)) ApplySection(section, t);
  };

  if (lang_.TranslateExtendedFirst() && all) ApplyExtendedTranslations();
  for (auto [t, prop] : {std::pair{stCaptions, "Caption"}, std::pair{stHints, "Hint"}}) {
    try {
      ApplyOwnerText(t, prop);
    } catch (const Exception&) {
      // A failing owner caption or hint does not stop the rest of the switch.
    }
  }
  for (int t : {stCaptions, stHints, stDisplayLabels})
    if (wanted(t)) apply(t);
  if ((all || onlyType_ == stFonts || onlyType_ == stCharSets) && ownerHasFont_) apply(stFonts);
  ApplyOwnerFont();
  for (int t : {stMultiLines, stOtherStrings, stLocales, stCollections}) {
    if (t == stLocales && !lang_.ChangeLocales()) continue;
    if (wanted(t)) apply(t);
  }
  if (!lang_.TranslateExtendedFirst() && all) ApplyExtendedTranslations();
  lang_.OnChangeLanguage(&lang_);
}

void TlcLanguageApplier::ApplyOwnerText(int t, const char* propName) {
  TComponent* owner = lang_.Owner();
  TStrings* section = table_.Section(t);
  const std::string& cls = owner->ClassName();
  if (!section || section->Count() == 0 || table_.IsDoNotTranslate(cls)) return;
  if (lang_.SmartExcludeProps()->IndexOf(cls + "." + propName) >= 0) return;
  const TPropInfo* prop = GetPropInfo(owner, propName);
  if (!prop || !IsStringKind(prop->Kind())) return;
  const std::string line = section->Strings(0);
  if (!SameText(LineKey(line, table_.Delim()), cls)) return;
  std::string value = LineValue(line, true);
  if (value.empty() || TakesCaptionFromAction(owner)) return;
  WriteTextIfChanged(owner, *prop, value);
}

void TlcLanguageApplier::ApplyOwnerFont() {
  TComponent* owner = lang_.Owner();
  TStrings* fonts = table_.Section(stFonts);
  const std::string& cls = owner->ClassName();
  if (!fonts || fonts->Count() == 0 || table_.IsDoNotTranslate(cls)) return;
  if (lang_.SmartExcludeProps()->IndexOf(cls + ".Font") >= 0 || !HasFontProp(owner)) return;
  const std::string line = fonts->Strings(0);
  if (!SameText(LineKey(line, table_.Delim()), cls)) return;
  auto* font = dynamic_cast<TFont*>(ObjectPropOrNull(owner, "Font"));
  if (!font) return;
  std::string name = LineValue(line, false);
  if (!name.empty() && font->Name() != name) font->SetName(name);
  if (std::optional<std::uint8_t> charset = CharsetFor(cls, true); charset && font->Charset() != *charset)
    font->SetCharset(*charset);
}

// The charset the CharSets line of key gives for the active language, if it names one.
std::optional<std::uint8_t> TlcLanguageApplier::CharsetFor(const std::string& key, bool caseSensitive) const {
  TStrings* charsets = table_.Section(stCharSets);
  if (!charsets) return std::nullopt;
  for (int i = 0; i < charsets->Count(); ++i) {
    const std::string line = charsets->Strings(i);
    if (!SameText(LineKey(line, table_.Delim()), key)) continue;
    return CharsetFromIdentifier(ExtractLangField(line, table_.Delim(), table_.ActiveLanguage()), caseSensitive);
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------------------
// Pruning

void TlcLanguageApplier::PruneSection(TStrings* section, int t) {
  TComponent* owner = lang_.Owner();
  if (!section || !owner || t == stDlgsCaptions || t == stStrings || t == stLocales) return;
  auto move = [this, section](int i) {
    RemovedLines()->Add(section->Strings(i));
    section->Delete(i);
  };

  if (t == stCollections) {
    for (int i = 0; i < section->Count();) {
      CollectionKey key = ParseCollectionKey(LineKey(section->Strings(i), table_.Delim()));
      TComponent* component = ResolveComponent(key.component);
      if (!component) {
        move(i);
        continue;
      }
      TCollection* collection = FindCollection(component, key);
      if (collection && (!key.index || *key.index >= collection->Count())) {
        move(i);
        continue;
      }
      ++i;
    }
    return;
  }

  int first = 0;
  if (t == stCaptions || t == stHints || t == stFonts || t == stCharSets) {
    bool ownerHasProp = t == stCaptions ? HasStringProp(owner, "Caption")
                        : t == stHints  ? HasStringProp(owner, "Hint")
                                        : HasFontProp(owner);
    first = ownerHasProp ? 1 : 0;
  }
  const bool dotted = t == stMultiLines || t == stOtherStrings || t == stListView_TreeView_Items;
  for (int i = first; i < section->Count();) {
    const std::string key = LineKey(section->Strings(i), table_.Delim());
    const std::string name = dotted ? key.substr(0, key.find('.')) : key;
    TComponent* component = owner->FindComponent(name);
    bool exists = component || (dotted && name == owner->ClassName());
    if (!exists) {
      move(i);
      continue;
    }
    if ((t == stCaptions || t == stHints) && component && TakesCaptionFromAction(component)) {
      section->Delete(i);
      continue;
    }
    ++i;
  }
}

// ---------------------------------------------------------------------------------------
// One section

void TlcLanguageApplier::ApplySection(TStrings* section, int t) {
  PruneSection(section, t);
  if (!section || section->Count() == 0) return;
  if (t == stCollections) {
    ApplyCollections(section);
    return;
  }
  TComponent* owner = lang_.Owner();
  int first = 0;
  if ((t == stCaptions || t == stHints || t == stFonts) && !table_.IsDoNotTranslate(owner->ClassName()) &&
      section->Strings(0).find(owner->ClassName() + table_.Delim()) != std::string::npos)
    first = 1;

  for (int i = first; i < section->Count(); ++i) {
    const std::string line = section->Strings(i);
    const std::string key = LineKey(line, table_.Delim());
    const bool dotted = t == stMultiLines || t == stOtherStrings;
    DottedKey k;
    if (dotted) {
      k = ParseDottedKey(key);
    } else {
      k.component = key;
      k.property = t == stCaptions ? "Caption" : t == stHints ? "Hint" : t == stDisplayLabels ? "DisplayLabel" : "Font";
    }
    if (table_.IsDoNotTranslate(k.component)) continue;
    const std::string value = LineValue(line, t != stFonts && t != stLocales);

    if (t == stLocales) {
      int setting = FindLocaleSetting(key);
      if (!value.empty() && setting >= 0) ApplyLocaleSetting(FormatSettings, setting, value);
      continue;
    }
    TComponent* component = ResolveComponent(k.component);
    if (!component) continue;
    const TPropInfo* prop = GetPropInfo(component, k.property);
    if (!IsReadWrite(prop)) continue;

    const bool textSection = t == stCaptions || t == stHints || t == stDisplayLabels || t == stOtherStrings;
    try {
      if (t == stFonts)
        ApplyFont(component, *prop, key, value);
      else if (t == stMultiLines)
        ApplyMultiLines(component, *prop, k.subProperty, value);
      else if (t == stOtherStrings && !k.subProperty.empty())
        ApplySubProperty(component, *prop, k.subProperty, value);
      else if (textSection)
        ApplyText(component, *prop, t, value);
    } catch (const EListError&) {
      // A list index error never stops the switch.
    } catch (const std::exception&) {
      if (!textSection) throw;
    }
  }
}

void TlcLanguageApplier::ApplyText(TComponent* component, const TPropInfo& prop, int t, const std::string& value) {
  if (value.empty() || !IsStringKind(prop.Kind())) return;
  if ((t == stCaptions || t == stHints) && TakesCaptionFromAction(component)) return;
  // A relative path is compared as the full path it stands for: a property that holds that
  // path already is left alone; otherwise it gets the table's text.
  if ((t == stDisplayLabels || t == stOtherStrings) && IsRelativePath(value) &&
      ExpandFileName(value) == GetStrProp(component, prop))
    return;
  WriteTextIfChanged(component, prop, value);
}

void TlcLanguageApplier::ApplySubProperty(TComponent* component, const TPropInfo& prop, const std::string& sub,
                                          const std::string& value) {
  if (value.empty() || prop.Kind() != tkClass) return;
  TObject* obj = GetObjectProp(component, prop);
  const TPropInfo* subProp = obj ? GetPropInfo(obj, sub) : nullptr;
  if (!IsReadWrite(subProp) || !IsStringKind(subProp->Kind())) return;
  WriteTextIfChanged(obj, *subProp, value);
}

void TlcLanguageApplier::ApplyFont(TComponent* component, const TPropInfo& prop, const std::string& key,
                                   const std::string& value) {
  auto* font = prop.Kind() == tkClass ? dynamic_cast<TFont*>(GetObjectProp(component, prop)) : nullptr;
  if (!font || UsesParentFont(component)) return;
  bool changed = false;
  if (std::optional<std::uint8_t> charset = CharsetFor(key, false); charset && font->Charset() != *charset) {
    font->SetCharset(*charset);
    changed = true;
  }
  if (!value.empty() && font->Name() != value) {
    font->SetName(value);
    changed = true;
  }
  if (changed) SetObjectProp(component, prop, font);
}

void TlcLanguageApplier::ApplyMultiLines(TComponent* component, const TPropInfo& prop, const std::string& sub,
                                         const std::string& value) {
  if (value.empty() || prop.Kind() != tkClass) return;
  TObject* obj = GetObjectProp(component, prop);
  auto* list = dynamic_cast<TStrings*>(sub.empty() ? obj : ObjectPropOrNull(obj, sub));
  if (!list || list->CommaText() == value) return;
  const std::vector<std::string> lines = SplitCommaText(value);
  if (!sub.empty()) {
    CopyLinesInPlace(*list, lines);
    return;
  }
  // A list control keeps its selected item; a word-wrapping memo is unwrapped meanwhile.
  const TPropInfo* itemIndex = GetPropInfo(component, "ItemIndex");
  if (!IsReadWrite(itemIndex) || itemIndex->Kind() != tkInteger) itemIndex = nullptr;
  const TPropInfo* wordWrap = GetPropInfo(component, "WordWrap");
  if (!IsReadWrite(wordWrap) || wordWrap->Kind() != tkEnumeration || GetOrdProp(component, *wordWrap) == 0)
    wordWrap = nullptr;
  std::int64_t savedIndex = itemIndex ? GetOrdProp(component, *itemIndex) : 0;
  if (wordWrap) SetOrdProp(component, *wordWrap, 0);
  CopyLinesInPlace(*list, lines);
  if (itemIndex && GetOrdProp(component, *itemIndex) != savedIndex) SetOrdProp(component, *itemIndex, savedIndex);
  if (wordWrap) SetOrdProp(component, *wordWrap, 1);
}

void TlcLanguageApplier::ApplyCollections(TStrings* section) {
  for (int i = 0; i < section->Count();) {
    const std::string line = section->Strings(i);
    CollectionKey key = ParseCollectionKey(LineKey(line, table_.Delim()));
    auto removeLine = [&] { section->Delete(i); };
    if (table_.IsDoNotTranslate(key.component)) {
      ++i;
      continue;
    }
    const std::string value = LineValue(line, true);
    TComponent* component = ResolveComponent(key.component);
    TCollection* collection = component ? FindCollection(component, key) : nullptr;
    if (!component || !key.index) {
      ++i;
      continue;
    }
    if (!collection) {
      removeLine();
      continue;
    }
    if (*key.index >= collection->Count()) {  // a list index error: skipped
      ++i;
      continue;
    }
    TObject* item = collection->Items(*key.index);
    if (!ApplyCollectionItem(item, key.itemPath, value)) {
      removeLine();
      continue;
    }
    ++i;
  }
}

// False when the item path names nothing writable: the caller drops the line.
bool TlcLanguageApplier::ApplyCollectionItem(TObject* item, const std::string& itemPath, const std::string& value) {
  std::size_t dot = itemPath.find('.');
  if (dot != std::string::npos) {
    const TPropInfo* objProp = GetPropInfo(item, itemPath.substr(0, dot));
    if (!IsReadWrite(objProp) || objProp->Kind() != tkClass) return false;
    TObject* obj = GetObjectProp(item, *objProp);
    const TPropInfo* prop = obj ? GetPropInfo(obj, itemPath.substr(dot + 1)) : nullptr;
    if (!IsReadWrite(prop) || !IsStringKind(prop->Kind())) return false;
    std::string current;
    try {
      current = GetStrProp(obj, *prop);
    } catch (const Exception&) {
    }
    if (!value.empty() && current != value) SetStrProp(obj, *prop, value);
    return true;
  }
  const TPropInfo* prop = GetPropInfo(item, itemPath);
  if (!prop) return false;
  if (prop->Kind() == tkClass) {
    auto* list = prop->IsReadable() ? dynamic_cast<TStrings*>(GetObjectProp(item, *prop)) : nullptr;
    if (list && !value.empty() && value != list->Text()) CopyLinesInPlace(*list, SplitLines(value));
    return true;
  }
  if (!IsReadWrite(prop)) return false;
  if (IsStringKind(prop->Kind()) && !value.empty()) WriteTextIfChanged(item, *prop, value);
  return true;
}

// ---------------------------------------------------------------------------------------
// Extended translations

void TlcLanguageApplier::ApplyExtendedTranslations() {
  TComponent* owner = lang_.Owner();
  if (!owner) return;
  for (int i = 0; i < lang_.ExtendedTranslations()->Count(); ++i) {
    TlcExtendedItem* item = lang_.ExtendedTranslations()->Item(i);
    std::string value = item->ValueFor(table_.ActiveLanguage(), table_.Delim());
    if (value.empty() && lang_.TranslateType() == ttGetDefault) value = item->ValueFor(1, table_.Delim());
    if (value.empty()) continue;
    try {
      WriteExtendedValue(item->Identifier(), value);
    } catch (const Exception&) {
      // A value that does not fit its property leaves the property as it is.
    }
  }
}

void TlcLanguageApplier::WriteExtendedValue(const std::string& identifier, const std::string& value) {
  TComponent* owner = lang_.Owner();
  TStringList parts;
  parts.SetDelimiter('.');
  parts.SetStrictDelimiter(true);
  parts.SetDelimitedText(identifier);
  if (parts.Count() < 2) return;
  TObject* obj = parts.Strings(0) == owner->ClassName() ? owner : owner->FindComponent(parts.Strings(0));
  for (int p = 1; obj && p + 1 < parts.Count(); ++p) obj = ObjectPropOrNull(obj, parts.Strings(p));
  if (!obj) return;
  const TPropInfo* prop = GetPropInfo(obj, parts.Strings(parts.Count() - 1));
  if (!IsReadWrite(prop)) return;
  if (prop->Kind() == tkClass) {
    if (auto* list = dynamic_cast<TStrings*>(GetObjectProp(obj, *prop)); list && list->CommaText() != value)
      CopyLinesInPlace(*list, SplitCommaText(value));
    return;
  }
  if (prop->Kind() == tkMethod) return;
  if (GetPropValue(obj, *prop) != value) SetPropValue(obj, *prop, value);
}
