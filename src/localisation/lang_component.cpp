#include "localisation/lang_component.h"

#include "localisation/dialog_captions.h"
#include "localisation/lang_lookup.h"
#include "localisation/locale_settings.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/format.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

constexpr char kTab = '\t';

// The sections a DoNotTranslate name or an excluded property is removed from, with whether
// their keys are "Component.Property..." (name followed by ".") or a plain name.
constexpr int kComponentSections[] = {stCaptions, stHints,        stDisplayLabels, stFonts,
                                      stMultiLines, stOtherStrings, stCharSets,     stCollections};

bool IsDottedSection(int t) { return t == stMultiLines || t == stOtherStrings || t == stCollections; }

void ReplaceByte(std::string& s, char from, char to) {
  for (char& c : s)
    if (c == from) c = to;
}

void ReplaceInLines(TStrings& list, char from, char to) {
  for (int i = 0; i < list.Count(); ++i) {
    std::string line = list.Strings(i);
    if (line.find(from) == std::string::npos) continue;
    ReplaceByte(line, from, to);
    list.SetStrings(i, line);
  }
}

std::size_t CountByte(std::string_view s, char c) {
  std::size_t n = 0;
  for (char x : s) n += x == c;
  return n;
}

bool FirstLineHas(const TStrings* list, const std::function<bool(const std::string&)>& test) {
  return list && list->Count() > 0 && test(list->Strings(0));
}

// The property part of a dotted key: "Comp.Prop.Sub" -> "Prop", "Comp.Coll[0].Item" -> "Coll".
std::string KeyProperty(std::string_view key) {
  std::size_t dot = key.find('.');
  if (dot == std::string_view::npos) return {};
  std::string_view rest = key.substr(dot + 1);
  return std::string(rest.substr(0, rest.find_first_of(".[")));
}

std::string KeyComponent(std::string_view key) { return std::string(key.substr(0, key.find('.'))); }

TlcCustomLang*& ResourceHandler() {
  static TlcCustomLang* handler = nullptr;
  return handler;
}

// Restores the screen cursor when a language switch ends, however it ends.
class TCursorScope {
public:
  TCursorScope(int cursor, bool designing) {
    TLangCursorHooks& hooks = LangCursorHooks();
    if (cursor == -1 || designing || !hooks.Get || !hooks.Set || hooks.Get() != 0) return;
    saved_ = hooks.Get();
    active_ = true;
    hooks.Set(cursor);
  }
  ~TCursorScope() {
    if (active_) LangCursorHooks().Set(saved_);
  }
  TCursorScope(const TCursorScope&) = delete;
  TCursorScope& operator=(const TCursorScope&) = delete;

private:
  bool active_ = false;
  int saved_ = 0;
};

}  // namespace

TLangCursorHooks& LangCursorHooks() {
  static TLangCursorHooks hooks;
  return hooks;
}

// ---------------------------------------------------------------------------------------
// Construction

TlcCustomLang::TlcCustomLang(TComponent* owner) : TComponent(owner) {
  if (owner) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
      TComponent* other = owner->Components(i);
      if (other != this && dynamic_cast<TlcCustomLang*>(other)) throw ELanguageError(LanguageErrorText::OnlyOneComponent);
    }
  }
  for (int t = 0; t < StringsTypeCount; ++t)
    if (t != stListView_TreeView_Items) storage_[t] = std::make_unique<TStringList>();
  langNames_ = std::make_unique<TStringList>();
  langNames_->Add("Language N1");
  stringsTypes_ = std::make_unique<TStringList>();
  stringsTypes_->Add("TIB_STRINGLIST");
  stringsTypes_->Add("TSTRINGLIST");
  smartExcludeProps_ = std::make_unique<TStringList>();
  excludedProperties_ = std::make_unique<TStringList>();
  doNotTranslate_ = std::make_unique<TStringList>();
  fixedLanguages_ = std::make_unique<TStringList>();
  extended_ = std::make_unique<TlcExtendedItems>(this);
  stringsRows_ = std::make_unique<TlcStringsCollection>(this, 0);
  resourceRows_ = std::make_unique<TlcStringsCollection>(this, 1);
  localeSnapshot_ = SnapshotLocaleSettings();
  if (owner) {
    const TPropInfo* font = GetPropInfo(owner, "Font");
    const TClassInfo* cls = font && font->Kind() == tkClass ? GetObjectPropClass(*font) : nullptr;
    ownerHasFont_ = cls && SameText(cls->Name(), "TFont");
  }
  CreateDefaultDialogRows();
}

TlcCustomLang::~TlcCustomLang() {
  if (ResourceHandler() == this) ResourceHandler() = nullptr;
  if (dispatcher_) SetLangDispatcher(nullptr);
}

void TlcCustomLang::CreateDefaultDialogRows() {
  TStrings* dialogs = storage_[stDlgsCaptions].get();
  for (int i = 0; i < MessageDialogCaptionCount; ++i) dialogs->Add(KeyValueLine(DialogCaptionKey(i), ToolkitMessageDialogCaption(i)));
}

// ---------------------------------------------------------------------------------------
// Sections

TStrings* TlcCustomLang::GetSectionStrings(int t) const {
  if (t < 0 || t >= StringsTypeCount) return nullptr;
  if (!sectionsResolved_) {
    // The class decides which sections exist: those it publishes as list properties.
    for (int i = 0; i < StringsTypeCount; ++i) {
      const TPropInfo* prop = GetPropInfo(this, SectionPropertyName(i));
      TObject* obj = prop && prop->Kind() == tkClass && prop->GetObject
                         ? prop->GetObject(const_cast<TlcCustomLang*>(this)) : nullptr;
      sections_[i] = dynamic_cast<TStrings*>(obj);
    }
    sectionsResolved_ = true;
  }
  return sections_[t];
}

TStrings* TlcCustomLang::FindSectionByName(std::string_view name) const {
  return GetSectionStrings(FindStringsTypeBySectionName(name));
}

TStrings* TlcCustomLang::StorageOf(int t) const {
  return t >= 0 && t < StringsTypeCount ? storage_[t].get() : nullptr;
}

void TlcCustomLang::ForEachSection(const std::function<void(int, TStrings&)>& fn) const {
  for (int t = 0; t < StringsTypeCount; ++t)
    if (TStrings* section = GetSectionStrings(t)) fn(t, *section);
}

void TlcCustomLang::SetSection(int t, TStrings* value) {
  TStrings* section = StorageOf(t);
  if (!section || value == section) return;
  section->Assign(value);
  if (t == stDlgsCaptions) return;
  onlyType_ = t;
  if (t == stStrings) RebuildStringsRows();
  ApplyTranslation();
}

void TlcCustomLang::PadLines() {
  for (int t : {stStrings, stDlgsCaptions, stLocales}) {
    TStrings* section = GetSectionStrings(t);
    if (!section) continue;
    for (int i = 0; i < section->Count(); ++i) {
      std::string line = section->Strings(i);
      std::size_t before = line.size();
      PadLine(line, delim_, numOfLanguages_);
      if (line.size() != before) section->SetStrings(i, line);
    }
  }
}

void TlcCustomLang::ReplaceDelimiter(char from, char to) {
  ForEachSection([&](int, TStrings& section) { ReplaceInLines(section, from, to); });
  for (int i = 0; i < extended_->Count(); ++i) {
    TlcExtendedItem* item = extended_->Item(i);
    std::string values = item->GetValues();
    ReplaceByte(values, from, to);
    item->SetValues(values);
  }
}

TStringList* TlcCustomLang::RemovedLines() {
  if (!removedLines_) removedLines_ = std::make_unique<TStringList>();
  return removedLines_.get();
}

// ---------------------------------------------------------------------------------------
// Languages

void TlcCustomLang::SetNumOfLanguages(int value) {
  if (value < 1) throw ELanguageError(Format(LanguageErrorText::InvalidNumOfLanguages, {value}));
  if (value > LanguageErrorText::MaxNumOfLanguages)
    throw ELanguageError(
        Format(LanguageErrorText::TooManyLanguages, {value, LanguageErrorText::MaxNumOfLanguages}));
  if (value < numOfLanguages_) {
    ForEachSection([&](int, TStrings& section) {
      for (int i = 0; i < section.Count(); ++i) {
        std::string line = section.Strings(i);
        std::size_t before = line.size();
        CutLineAfterLanguage(line, delim_, value);
        if (line.size() != before) section.SetStrings(i, line);
      }
    });
  }
  numOfLanguages_ = value;
  while (langNames_->Count() < value) langNames_->Add("Language N" + IntToStr(langNames_->Count() + 1));
  while (langNames_->Count() > value) langNames_->Delete(langNames_->Count() - 1);
  if (!IsLoading() && !IsDesigning()) {
    PadLines();
    RebuildStringsRows();
  }
}

void TlcCustomLang::SetActiveLanguage(int value) {
  if (value == activeLanguage_) return;
  if (value < 1 || value > numOfLanguages_) {
    if (IsLoading()) return;
    throw ELanguageError(Format(LanguageErrorText::InvalidLanguage, {value, numOfLanguages_}));
  }
  onlyType_ = -1;
  TCursorScope cursor(changingCursor_, IsDesigning());
  if (IsDesigning() && (dispatcher_ || !IsLoading())) Collect();
  activeLanguage_ = value;
  if (!IsLoading() && langNames_->Count() >= value) language_ = langNames_->Strings(value - 1);
  if (dispatcher_ || !IsLoading()) ApplyTranslation();
}

void TlcCustomLang::SetLanguage(const std::string& value) {
  if (value == language_) return;
  int index = langNames_->IndexOf(value);
  if (index < 0) throw ELanguageError(LanguageErrorText::UnknownLanguageName);
  language_ = value;
  if (!IsLoading()) SetActiveLanguage(index + 1);
}

void TlcCustomLang::SetLangNames(TStrings* value) {
  if (value == langNames_.get()) return;
  langNames_->Assign(value);
  if (activeLanguage_ >= 1 && activeLanguage_ <= langNames_->Count()) language_ = langNames_->Strings(activeLanguage_ - 1);
  // Only the count follows the list; the lines are left as they are. At least one
  // language always remains.
  numOfLanguages_ = std::max(1, langNames_->Count());
}

void TlcCustomLang::SetLangDelim(std::uint8_t value) {
  char next = static_cast<char>(value);
  if (!IsLoading() && next != delim_) ReplaceDelimiter(delim_, next);
  delim_ = next;
}

// ---------------------------------------------------------------------------------------
// Other settings

void TlcCustomLang::SetNeedAllDlgs(bool value) {
  needAllDlgs_ = value;
  if (!IsLoading()) NormaliseDialogRows();
}

void TlcCustomLang::SetOptions(TlcLangOptions value) {
  options_ = value;
  if (IsDesigning() && !IsLoading() && value.Contains(loUseExtCommonStrings)) {
    storage_[stDlgsCaptions]->Clear();
    storage_[stLocales]->Clear();
  }
}

void TlcCustomLang::SetChangeLocales(bool value) {
  changeLocales_ = value;
  if (value && storage_[stLocales]->Count() == 0) AddLocaleLines(*storage_[stLocales], 0);
}

std::string TlcCustomLang::KeyValueLine(std::string_view key, std::string_view value) const {
  std::string line(key);
  line += delim_;
  line += value;
  line += delim_;
  return line;
}

void TlcCustomLang::AddLocaleLines(TStrings& locales, int from) {
  for (int i = from; i < LocaleSettingCount; ++i)
    locales.Add(KeyValueLine(LocaleSettingName(i), localeSnapshot_[static_cast<std::size_t>(i)]));
}

void TlcCustomLang::SetStringsTypes(TStrings* value) {
  if (value != stringsTypes_.get()) stringsTypes_->Assign(value);
  if (!IsLoading()) Collect();
}

void TlcCustomLang::SetSmartExcludeProps(TStrings* value) {
  if (value != smartExcludeProps_.get()) smartExcludeProps_->Assign(value);
  if (!IsLoading()) Collect();
}

void TlcCustomLang::SetExcludedProperties(TStrings* value) {
  if (value != excludedProperties_.get()) excludedProperties_->Assign(value);
  if (!IsLoading()) {
    RemoveExcludedLines();
    Collect();
  }
}

void TlcCustomLang::SetDoNotTranslate(TStrings* value) {
  if (value != doNotTranslate_.get()) doNotTranslate_->Assign(value);
  if (IsDesigning() && !IsLoading()) RemoveDoNotTranslateLines();
}

void TlcCustomLang::SetResourceLanguageIndex(std::uint16_t value) {
  if (IsLoading()) {
    resourceLanguageIndex_ = value;
    return;
  }
  if (value < 1 || value > numOfLanguages_)
    throw ELanguageError(Format(LanguageErrorText::InvalidLanguage, {static_cast<int>(value), numOfLanguages_}));
  resourceLanguageIndex_ = value;
  if (!IsDesigning()) RebuildResourceRows();
}

void TlcCustomLang::SetExtendedTranslations(TlcExtendedItems* value) {
  if (value != extended_.get()) extended_->Assign(value);
}

bool TlcCustomLang::IsDoNotTranslateStored() const { return doNotTranslate_->Count() > 0; }
bool TlcCustomLang::IsExcludedPropertiesStored() const { return excludedProperties_->Count() > 0; }
bool TlcCustomLang::IsSmartExcludePropsStored() const { return smartExcludeProps_->Count() > 0; }
bool TlcCustomLang::IsExtendedTranslationsStored() const { return extended_->Count() > 0; }

bool TlcCustomLang::IsPropExcluded(std::string_view componentName, const TComponent* component,
                                   std::string_view propName) const {
  std::string prop(propName);
  if (excludedProperties_->IndexOf(prop) >= 0) return true;
  if (smartExcludeProps_->Count() == 0) return false;
  if (smartExcludeProps_->IndexOf(std::string(componentName) + "." + prop) >= 0) return true;
  return component && smartExcludeProps_->IndexOf(component->ClassName() + "." + prop) >= 0;
}

// ---------------------------------------------------------------------------------------
// Normalisation when loading completes

void TlcCustomLang::NormaliseDialogRows() {
  TStrings* dialogs = GetSectionStrings(stDlgsCaptions);
  if (!dialogs) return;
  if (needAllDlgs_ && dialogs->Count() == MessageDialogCaptionCount) {
    for (int i = MessageDialogCaptionCount; i < DialogCaptionCount; ++i)
      dialogs->Add(KeyValueLine(DialogCaptionKey(i), DialogCaption(i)));
  } else if (!needAllDlgs_ && dialogs->Count() == DialogCaptionCount) {
    for (int i = dialogs->Count() - 1; i >= 0; --i)
      if (!IsMessageDialogKey(LineKey(dialogs->Strings(i), delim_))) dialogs->Delete(i);
  }
}

void TlcCustomLang::MigrateTabDelimiters() {
  if (delim_ == kTab) {
    delim_ = 1;
    ReplaceDelimiter(kTab, delim_);
  }
  const std::size_t canonical = static_cast<std::size_t>(numOfLanguages_) + 1;
  auto hasTab = [](const std::string& line) { return line.find(kTab) != std::string::npos; };
  auto tabDelimited = [canonical](const std::string& line) { return CountByte(line, kTab) == canonical; };
  bool looksTabbed = FirstLineHas(GetSectionStrings(stDlgsCaptions), hasTab) ||
                     FirstLineHas(GetSectionStrings(stLocales), hasTab) ||
                     FirstLineHas(GetSectionStrings(stCaptions), tabDelimited) ||
                     FirstLineHas(GetSectionStrings(stLocales), tabDelimited) ||
                     FirstLineHas(GetSectionStrings(stHints), tabDelimited);
  if (looksTabbed) ReplaceDelimiter(kTab, delim_);
}

void TlcCustomLang::RemoveExcludedLines() {
  auto clear = [this](int t) {
    if (TStrings* s = GetSectionStrings(t)) s->Clear();
  };
  auto excluded = [this](const char* name) { return excludedProperties_->IndexOf(name) >= 0; };
  if (excluded("Caption")) clear(stCaptions);
  if (excluded("Hint")) clear(stHints);
  if (excluded("DisplayLabel")) clear(stDisplayLabels);
  if (excluded("Font")) {
    clear(stFonts);
    clear(stCharSets);
  }
  if (excluded("Charset")) clear(stCharSets);
  for (int t : {stMultiLines, stOtherStrings, stCollections}) {
    TStrings* section = GetSectionStrings(t);
    if (!section) continue;
    for (int i = section->Count() - 1; i >= 0; --i) {
      std::string key = LineKey(section->Strings(i), delim_);
      std::string name = KeyComponent(key);
      TComponent* component = Owner() ? Owner()->FindComponent(name) : nullptr;
      if (!component && Owner() && name == Owner()->ClassName()) component = Owner();
      if (IsPropExcluded(name, component, KeyProperty(key))) section->Delete(i);
    }
  }
}

void TlcCustomLang::RemoveDoNotTranslateLines() {
  for (int n = 0; n < doNotTranslate_->Count(); ++n) {
    const std::string name = doNotTranslate_->Strings(n);
    if (name.empty()) continue;
    for (int t : kComponentSections) {
      TStrings* section = GetSectionStrings(t);
      if (!section) continue;
      const std::string prefix = name + (IsDottedSection(t) ? '.' : delim_);
      for (int i = section->Count() - 1; i >= 0; --i)
        if (section->Strings(i).starts_with(prefix)) section->Delete(i);
    }
  }
}

void TlcCustomLang::Loaded() {
  inherited::Loaded();
  if (!Owner() || temporary_) return;
  NormaliseDialogRows();
  if (options_.Contains(loUseExtCommonStrings)) {
    storage_[stDlgsCaptions]->Clear();
    storage_[stLocales]->Clear();
  }
  MigrateTabDelimiters();
  TStrings* locales = GetSectionStrings(stLocales);
  if (locales && locales->Count() == 11) AddLocaleLines(*locales, 11);
  if (dispatcher_) DispatcherRegisterLoaded(dispatcher_, this);
  RemoveExcludedLines();
  if (IsDesigning()) PadLines();
  if (!IsDesigning()) RebuildStringsRows();
  if (isInheritedOwner_) ApplyTranslation();
  if (handleResourceStrings_ && !IsDesigning() && !ResourceHandler()) {
    ResourceHandler() = this;
    RebuildResourceRows();
  }
}

TlcCustomLang* TlcCustomLang::ResourceStringHandler() { return ResourceHandler(); }

void TlcCustomLang::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != opRemove || component == this) return;
  if (dispatcher_ && component == DispatcherComponent(dispatcher_)) dispatcher_ = nullptr;
  const std::string& name = component->GetName();
  if (!name.empty()) {
    for (int i = doNotTranslate_->Count() - 1; i >= 0; --i)
      if (SameText(doNotTranslate_->Strings(i), name)) doNotTranslate_->Delete(i);
  }
  for (int i = extended_->Count() - 1; i >= 0; --i) {
    TlcExtendedItem* item = extended_->Item(i);
    bool refersToIt = item->GetComponent() == component ||
                      (!name.empty() && item->GetIdentifier().starts_with(name + "."));
    if (refersToIt) extended_->Delete(i);
  }
}

// ---------------------------------------------------------------------------------------
// Stored form: the "TranslationData" block, text in the Windows-1254 code page.

void TlcCustomLang::ReadTranslationData(TStream& stream) {
  std::string raw = stream.ReadToEnd();
  raw.resize(std::min(raw.size(), raw.find('\0')));
  for (TranslationSection& decoded : DecodeTranslationBlock(AnsiToUtf8(raw, cpWindows1254))) {
    TStrings* section = FindSectionByName(SectionPropertyName(decoded.type));
    if (!section) continue;
    section->BeginUpdate();
    section->Clear();
    for (const std::string& line : decoded.lines) section->Add(line);
    section->EndUpdate();
  }
}

std::string TlcCustomLang::TranslationDataText() const {
  std::string text;
  ForEachSection([&](int t, TStrings& section) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(section.Count()));
    for (int i = 0; i < section.Count(); ++i) lines.push_back(section.Strings(i));
    EncodeTranslationSection(text, t, lines);
  });
  return text;
}

void TlcCustomLang::WriteTranslationData(TStream& stream) const {
  // Refuses (EConvertError) a text the code page cannot hold before anything is written.
  stream.WriteBuffer(Utf8ToAnsi(TranslationDataText(), cpWindows1254));
}

bool TlcCustomLang::TranslationDataDiffers(const TlcCustomLang* ancestor) const {
  if (!ancestor) return true;
  for (int t = 0; t < StringsTypeCount; ++t) {
    TStrings* mine = GetSectionStrings(t);
    TStrings* theirs = ancestor->GetSectionStrings(t);
    if (!mine || !theirs) {
      if (mine != theirs) return true;
      continue;
    }
    if (mine->Text() != theirs->Text()) return true;
  }
  return false;
}

void TlcCustomLang::DefineProperties(TFiler& filer) {
  inherited::DefineProperties(filer);
  auto* ancestor = dynamic_cast<const TlcCustomLang*>(filer.Ancestor());
  bool hasData = !ancestor || (!useInheritedData_ && TranslationDataDiffers(ancestor));
  filer.DefineBinaryProperty(
      "TranslationData", [this](TStream& s) { ReadTranslationData(s); },
      [this](TStream& s) { WriteTranslationData(s); }, hasData);
}

// ---------------------------------------------------------------------------------------

TlcLang::TlcLang(TComponent* owner) : TlcCustomLang(owner) {}

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

QUILLIMO_REGISTER_CLASS(TlcExtendedItem, [](TPropertyTable& p) {
  p.Bool("IsRoot", &TlcExtendedItem::GetIsRoot);
  p.String("Identifier", &TlcExtendedItem::GetIdentifier, &TlcExtendedItem::SetIdentifier);
  TPropInfo kind;
  kind.Name = "PropertyType";
  kind.PropType = &TypeKindTypeInfo();
  kind.GetOrd = [](TObject* o) -> std::int64_t { return static_cast<TlcExtendedItem*>(o)->GetPropertyType(); };
  kind.SetOrd = [](TObject* o, std::int64_t v) {
    static_cast<TlcExtendedItem*>(o)->SetPropertyType(static_cast<TTypeKind>(v));
  };
  p.Add(std::move(kind));
  p.String("Values", &TlcExtendedItem::GetValues, &TlcExtendedItem::SetValues).Stored(false);
})

QUILLIMO_REGISTER_CLASS(TlcExtendedItems)

QUILLIMO_REGISTER_CLASS(TlcCustomLang)

QUILLIMO_REGISTER_CLASS(TlcLang, [](TPropertyTable& p) {
  using L = TlcCustomLang;
  p.String("Version", &L::GetVersion, &L::SetVersion);
  p.Bool("IsInheritedOwner", &L::GetIsInheritedOwner, &L::SetIsInheritedOwner, false);
  p.Object("StringsTypes", &L::GetStringsTypes, &L::SetStringsTypes);
  p.Object("SmartExcludeProps", &L::GetSmartExcludeProps, &L::SetSmartExcludeProps).Stored(&L::IsSmartExcludePropsStored);
  p.Bool("HandleResourceStrings", &L::GetHandleResourceStrings, &L::SetHandleResourceStrings, false);
  p.Integer("ResourceLanguageIndex", &L::GetResourceLanguageIndex, &L::SetResourceLanguageIndex, 1);
  p.Bool("UseInheritedData", &L::GetUseInheritedData, &L::SetUseInheritedData, false);
  p.Bool("TranslateExtendedFirst", &L::GetTranslateExtendedFirst, &L::SetTranslateExtendedFirst, false);
  p.Integer("NumOfLanguages", &L::GetNumOfLanguages, &L::SetNumOfLanguages, 1);
  p.Integer("ActiveLanguage", &L::GetActiveLanguage, &L::SetActiveLanguage, 1);
  p.Bool("ChangeLocales", &L::GetChangeLocales, &L::SetChangeLocales, false);
  DeclareLangDispatcherProperty(p);
  p.Event("OnChangeLanguage", &L::OnChangeLanguage);
  p.Integer("LangDelim", &L::GetLangDelim, &L::SetLangDelim, 9);
  p.Object("DoNotTranslate", &L::GetDoNotTranslate, &L::SetDoNotTranslate).Stored(&L::IsDoNotTranslateStored);
  p.Object("LangNames", &L::GetLangNames, &L::SetLangNames);
  p.String("Language", &L::GetLanguage, &L::SetLanguage);
  p.Enum("TranslateType", &L::GetTranslateType, &L::SetTranslateType, ttNoChange);
  p.Set("Options", &L::GetOptions, &L::SetOptions, TlcLangOptions{});
  p.Bool("NeedAllDlgs", &L::GetNeedAllDlgs, &L::SetNeedAllDlgs, false);
  p.Integer("ChangingCursor", &L::GetChangingCursor, &L::SetChangingCursor, -1);
  p.Object("ExcludedProperties", &L::GetExcludedProperties, &L::SetExcludedProperties)
      .Stored(&L::IsExcludedPropertiesStored);
  p.Bool("DoRaiseExceptions", &L::GetDoRaiseExceptions, &L::SetDoRaiseExceptions, false);
  p.Object("ExtendedTranslations", &L::GetExtendedTranslations, &L::SetExtendedTranslations)
      .Stored(&L::IsExtendedTranslationsStored);
  // The sections travel in "TranslationData", not as properties of their own.
  p.Object("Captions", &L::SectionT<stCaptions>, &L::SetSectionT<stCaptions>).Stored(false);
  p.Object("Hints", &L::SectionT<stHints>, &L::SetSectionT<stHints>).Stored(false);
  p.Object("DisplayLabels", &L::SectionT<stDisplayLabels>, &L::SetSectionT<stDisplayLabels>).Stored(false);
  p.Object("Fonts", &L::SectionT<stFonts>, &L::SetSectionT<stFonts>).Stored(false);
  p.Object("MultiLines", &L::SectionT<stMultiLines>, &L::SetSectionT<stMultiLines>).Stored(false);
  p.Object("DlgsCaptions", &L::SectionT<stDlgsCaptions>, &L::SetSectionT<stDlgsCaptions>).Stored(false);
  p.Object("Strings", &L::SectionT<stStrings>, &L::SetSectionT<stStrings>).Stored(false);
  p.Object("OtherStrings", &L::SectionT<stOtherStrings>, &L::SetSectionT<stOtherStrings>).Stored(false);
  p.Object("Locales", &L::SectionT<stLocales>, &L::SetSectionT<stLocales>).Stored(false);
  p.Object("Collections", &L::SectionT<stCollections>, &L::SetSectionT<stCollections>).Stored(false);
  p.Object("CharSets", &L::SectionT<stCharSets>, &L::SetSectionT<stCharSets>).Stored(false);
})
