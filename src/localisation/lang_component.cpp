#include "localisation/lang_component.h"

#include <optional>

#include "localisation/lang_apply.h"
#include "localisation/lang_files.h"
#include "localisation/restoring_scope.h"
#include "localisation/translation_table.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/format.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

TlcCustomLang*& ResourceHandler() {
  static TlcCustomLang* handler = nullptr;
  return handler;
}

// Whether the screen cursor is changed while a language is applied: a cursor is set, the
// windowing side has installed its hooks, and the screen shows the default cursor.
bool ChangesCursor(int cursor, bool designing) {
  const TLangCursorHooks& hooks = LangCursorHooks();
  return cursor != -1 && !designing && hooks.Get && hooks.Set && hooks.Get() == 0;
}

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
      if (other != this && dynamic_cast<TlcCustomLang*>(other))
        throw ELanguageError(LanguageErrorText::OnlyOneComponent);
    }
  }
  stringsTypes_ = std::make_unique<TStringList>();
  stringsTypes_->Add("TIB_STRINGLIST");
  stringsTypes_->Add("TSTRINGLIST");
  smartExcludeProps_ = std::make_unique<TStringList>();
  excludedProperties_ = std::make_unique<TStringList>();
  doNotTranslate_ = std::make_unique<TStringList>();
  extended_ = std::make_unique<TlcExtendedItems>(this);
  table_ = std::make_unique<TlcTranslationTable>(*this);
  applier_ = std::make_unique<TlcLanguageApplier>(*this, *table_);
  files_ = std::make_unique<TlcTranslationFiles>(*this, *table_, *applier_);
  table_->AddDefaultDialogRows();
}

TlcCustomLang::~TlcCustomLang() {
  if (ResourceHandler() == this) ResourceHandler() = nullptr;
  if (dispatcher_) SetLangDispatcher(nullptr);
}

// ---------------------------------------------------------------------------------------
// Sections

TStrings* TlcCustomLang::SectionStrings(int t) const { return table_->Section(t); }

TStrings* TlcCustomLang::FindSectionByName(std::string_view name) const {
  return SectionStrings(FindStringsTypeBySectionName(name));
}

TStrings* TlcCustomLang::SectionStorage(int t) const { return table_->Storage(t); }

void TlcCustomLang::SetSection(int t, TStrings* value) {
  TStrings* section = SectionStorage(t);
  if (!section || value == section) return;
  section->Assign(value);
  if (t == stDlgsCaptions) return;
  applier_->SetOnlyType(t);
  if (t == stStrings) table_->RebuildStringsRows();
  ApplyTranslation();
}

void TlcCustomLang::ApplyTranslation() { applier_->Apply(); }

// ---------------------------------------------------------------------------------------
// Languages

void TlcCustomLang::SetNumOfLanguages(int value) {
  if (value < 1) throw ELanguageError(Format(LanguageErrorText::InvalidNumOfLanguages, {value}));
  if (value > LanguageErrorText::MaxNumOfLanguages)
    throw ELanguageError(Format(LanguageErrorText::TooManyLanguages, {value, LanguageErrorText::MaxNumOfLanguages}));
  if (value < table_->NumOfLanguages()) table_->CutLinesAfterLanguage(value);
  table_->SetNumOfLanguages(value);
  TStringList& names = table_->LangNames();
  while (names.Count() < value) names.Add("Language N" + IntToStr(names.Count() + 1));
  while (names.Count() > value) names.Delete(names.Count() - 1);
  if (!IsLoading() && !IsDesigning()) {
    table_->PadLines();
    table_->RebuildStringsRows();
  }
}

int TlcCustomLang::NumOfLanguages() const { return table_->NumOfLanguages(); }
int TlcCustomLang::ActiveLanguage() const { return table_->ActiveLanguage(); }
const std::string& TlcCustomLang::Language() const { return table_->Language(); }
TStrings* TlcCustomLang::LangNames() const { return &table_->LangNames(); }
char TlcCustomLang::Delim() const { return table_->Delim(); }

void TlcCustomLang::SetActiveLanguage(int value) {
  if (value == table_->ActiveLanguage()) return;
  if (value < 1 || value > table_->NumOfLanguages()) {
    if (IsLoading()) return;
    throw ELanguageError(Format(LanguageErrorText::InvalidLanguage, {value, table_->NumOfLanguages()}));
  }
  applier_->SetOnlyType(-1);
  std::optional<TRestoringScope<int>> cursor;
  if (ChangesCursor(changingCursor_, IsDesigning()))
    cursor.emplace(LangCursorHooks().Get(), changingCursor_, [](int shown) { LangCursorHooks().Set(shown); });
  if (IsDesigning() && (dispatcher_ || !IsLoading())) Collect();
  table_->SetActiveLanguage(value);
  if (!IsLoading() && table_->LangNames().Count() >= value) table_->SetLanguage(table_->LangNames().Strings(value - 1));
  if (dispatcher_ || !IsLoading()) ApplyTranslation();
}

void TlcCustomLang::SetLanguage(const std::string& value) {
  if (value == table_->Language()) return;
  int index = table_->LangNames().IndexOf(value);
  if (index < 0) throw ELanguageError(LanguageErrorText::UnknownLanguageName);
  table_->SetLanguage(value);
  if (!IsLoading()) SetActiveLanguage(index + 1);
}

void TlcCustomLang::SetLangNames(TStrings* value) {
  if (value == &table_->LangNames()) return;
  table_->AdoptLangNames(value);
}

void TlcCustomLang::SetLangDelim(std::uint8_t value) {
  char next = static_cast<char>(value);
  if (IsLoading())
    table_->SetDelim(next);
  else if (next != table_->Delim())
    table_->ChangeDelim(next);
}

// ---------------------------------------------------------------------------------------
// Other settings

void TlcCustomLang::SetNeedAllDlgs(bool value) {
  needAllDlgs_ = value;
  if (!IsLoading()) table_->NormaliseDialogRows(value);
}

void TlcCustomLang::SetOptions(TlcLangOptions value) {
  options_ = value;
  if (IsDesigning() && !IsLoading() && value.Contains(loUseExtCommonStrings)) {
    SectionStorage(stDlgsCaptions)->Clear();
    SectionStorage(stLocales)->Clear();
  }
}

void TlcCustomLang::SetChangeLocales(bool value) {
  changeLocales_ = value;
  if (value && SectionStorage(stLocales)->Count() == 0) table_->AddLocaleLines(0);
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
    table_->RemoveExcludedLines();
    Collect();
  }
}

void TlcCustomLang::SetDoNotTranslate(TStrings* value) {
  if (value != doNotTranslate_.get()) doNotTranslate_->Assign(value);
  if (IsDesigning() && !IsLoading()) table_->RemoveDoNotTranslateLines();
}

void TlcCustomLang::SetResourceLanguageIndex(std::uint16_t value) {
  if (IsLoading()) {
    resourceLanguageIndex_ = value;
    return;
  }
  if (value < 1 || value > table_->NumOfLanguages())
    throw ELanguageError(
        Format(LanguageErrorText::InvalidLanguage, {static_cast<int>(value), table_->NumOfLanguages()}));
  resourceLanguageIndex_ = value;
  if (!IsDesigning()) table_->RebuildResourceRows(resourceLanguageIndex_);
}

void TlcCustomLang::SetExtendedTranslations(TlcExtendedItems* value) {
  if (value != extended_.get()) extended_->Assign(value);
}

// ---------------------------------------------------------------------------------------
// Loading and removal

void TlcCustomLang::Loaded() {
  inherited::Loaded();
  if (!Owner() || table_->IsTemporary()) return;
  table_->NormaliseDialogRows(needAllDlgs_);
  if (options_.Contains(loUseExtCommonStrings)) {
    SectionStorage(stDlgsCaptions)->Clear();
    SectionStorage(stLocales)->Clear();
  }
  table_->MigrateTabDelimiters();
  TStrings* locales = SectionStrings(stLocales);
  if (locales && locales->Count() == 11) table_->AddLocaleLines(11);
  if (dispatcher_) DispatcherRegisterLoaded(dispatcher_, this);
  table_->RemoveExcludedLines();
  if (IsDesigning()) table_->PadLines();
  if (!IsDesigning()) table_->RebuildStringsRows();
  if (isInheritedOwner_) ApplyTranslation();
  if (handleResourceStrings_ && !IsDesigning() && !ResourceHandler()) {
    ResourceHandler() = this;
    table_->RebuildResourceRows(resourceLanguageIndex_);
  }
}

TlcCustomLang* TlcCustomLang::ResourceStringHandler() { return ResourceHandler(); }

void TlcCustomLang::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != opRemove || component == this) return;
  if (dispatcher_ && component == DispatcherComponent(dispatcher_)) dispatcher_ = nullptr;
  const std::string& name = component->Name();
  if (!name.empty()) {
    for (int i = doNotTranslate_->Count() - 1; i >= 0; --i)
      if (SameText(doNotTranslate_->Strings(i), name)) doNotTranslate_->Delete(i);
  }
  for (int i = extended_->Count() - 1; i >= 0; --i) {
    TlcExtendedItem* item = extended_->Item(i);
    bool refersToIt = item->Component() == component || (!name.empty() && item->Identifier().starts_with(name + "."));
    if (refersToIt) extended_->Delete(i);
  }
}

// ---------------------------------------------------------------------------------------
// Stored form: the table's "TranslationData" block.

void TlcCustomLang::ReadTranslationData(TStream& stream) { table_->Read(stream); }

void TlcCustomLang::WriteTranslationData(TStream& stream) const { table_->Write(stream); }

void TlcCustomLang::DefineProperties(TFiler& filer) {
  inherited::DefineProperties(filer);
  auto* ancestor = dynamic_cast<const TlcCustomLang*>(filer.Ancestor());
  bool hasData = !ancestor || (!useInheritedData_ && table_->Differs(&ancestor->Table()));
  filer.DefineBinaryProperty(
      "TranslationData", [this](TStream& s) { ReadTranslationData(s); },
      [this](TStream& s) { WriteTranslationData(s); }, hasData);
}

// ---------------------------------------------------------------------------------------

TlcLang::TlcLang(TComponent* owner) : TlcCustomLang(owner) {}

namespace {

// The stored-form rule of the lists and the collection stored only when not empty.
template <typename List>
std::function<bool(TObject*)> NotEmpty(List* (TlcCustomLang::*get)() const) {
  return [get](TObject* o) { return (static_cast<TlcCustomLang*>(o)->*get)()->Count() > 0; };
}

}  // namespace

QUILLIMO_REGISTER_CLASS(TlcCustomLang)

QUILLIMO_REGISTER_CLASS(TlcLang, [](TPropertyTable& p) {
  using L = TlcCustomLang;
  p.String("Version", &L::Version, &L::SetVersion);
  p.Bool("IsInheritedOwner", &L::IsInheritedOwner, &L::SetIsInheritedOwner, false);
  p.Object("StringsTypes", &L::StringsTypes, &L::SetStringsTypes);
  p.Object("SmartExcludeProps", &L::SmartExcludeProps, &L::SetSmartExcludeProps)
      .Stored(NotEmpty(&L::SmartExcludeProps));
  p.Bool("HandleResourceStrings", &L::HandleResourceStrings, &L::SetHandleResourceStrings, false);
  p.Integer("ResourceLanguageIndex", &L::ResourceLanguageIndex, &L::SetResourceLanguageIndex, 1);
  p.Bool("UseInheritedData", &L::UseInheritedData, &L::SetUseInheritedData, false);
  p.Bool("TranslateExtendedFirst", &L::TranslateExtendedFirst, &L::SetTranslateExtendedFirst, false);
  p.Integer("NumOfLanguages", &L::NumOfLanguages, &L::SetNumOfLanguages, 1);
  p.Integer("ActiveLanguage", &L::ActiveLanguage, &L::SetActiveLanguage, 1);
  p.Bool("ChangeLocales", &L::ChangeLocales, &L::SetChangeLocales, false);
  DeclareLangDispatcherProperty(p);
  p.Event("OnChangeLanguage", &L::OnChangeLanguage);
  p.Integer("LangDelim", &L::LangDelim, &L::SetLangDelim, 9);
  p.Object("DoNotTranslate", &L::DoNotTranslate, &L::SetDoNotTranslate).Stored(NotEmpty(&L::DoNotTranslate));
  p.Object("LangNames", &L::LangNames, &L::SetLangNames);
  p.String("Language", &L::Language, &L::SetLanguage);
  p.Enum("TranslateType", &L::TranslateType, &L::SetTranslateType, ttNoChange);
  p.Set("Options", &L::Options, &L::SetOptions, TlcLangOptions{});
  p.Bool("NeedAllDlgs", &L::NeedAllDlgs, &L::SetNeedAllDlgs, false);
  p.Integer("ChangingCursor", &L::ChangingCursor, &L::SetChangingCursor, -1);
  p.Object("ExcludedProperties", &L::ExcludedProperties, &L::SetExcludedProperties)
      .Stored(NotEmpty(&L::ExcludedProperties));
  p.Bool("DoRaiseExceptions", &L::DoRaiseExceptions, &L::SetDoRaiseExceptions, false);
  p.Object("ExtendedTranslations", &L::ExtendedTranslations, &L::SetExtendedTranslations)
      .Stored(NotEmpty(&L::ExtendedTranslations));
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
