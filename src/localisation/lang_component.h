#pragma once
// The localisation component: a form's translation table in every interface language, and
// putting one language on the form.
//
// TlcCustomLang is the front: its published properties and the few methods a program calls.
// It owns a table (translation_table.h: sections, languages, normalising, the stored block
// "TranslationData"), an applier that puts a language on its owner (lang_apply.h) and the
// translation files (lang_files.h), and its extended translations (extended_items.h); it
// normalises the table when loading completes, looks texts up by key (lang_lookup.cpp) and
// collects the table from its owner (lang_collector.cpp). TlcLang publishes it all.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "localisation/extended_items.h"
#include "localisation/translation_data.h"
#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/typeinfo.h"

class TStream;
class TFiler;
class TlcCustomLang;
class TlcLangDispatcher;
class TlcLanguageApplier;
class TlcTranslationFiles;
class TlcTranslationTable;

QUILLIMO_EXCEPTION(ELanguageError, Exception);

namespace LanguageErrorText {
inline constexpr const char* InvalidLanguage = "%d - is not a valid property value!\rValue must be within [1..%d]!";
inline constexpr const char* InvalidNumOfLanguages =
    "%d - is not a valid property value !\rValue must be more than ZERO !";
// A stored count is outside data: a damaged form or file must not make the component
// allocate a name and a column for each of billions of languages.
inline constexpr int MaxNumOfLanguages = 1000;
inline constexpr const char* TooManyLanguages =
    "%d - is not a valid property value !\rValue must not be more than %d !";
inline constexpr const char* UnknownLanguageName = "Language name shall be included in LangNames property!";
inline constexpr const char* OnlyOneComponent = "Only one TlcCustomLang component per Form/DataModule allowed!";
inline constexpr const char* StringNotFound = "String identifier \"%s\" not found!";
}  // namespace LanguageErrorText

// What an empty translation does: keep the property's text, or take the default language's.
QUILLIMO_ENUM(TTranslateType, ttNoChange, ttGetDefault)

// loUseExtUDStrings: Strings come from the dispatcher's components; loUseExtCommonStrings:
// DlgsCaptions and Locales do.
QUILLIMO_ENUM(TlcLangOption, loUseExtUDStrings, loUseExtCommonStrings)
using TlcLangOptions = TSet<TlcLangOption>;

class TlcCustomLang : public TComponent {
  QUILLIMO_CLASS(TlcCustomLang, TComponent)
public:
  explicit TlcCustomLang(TComponent* owner);
  ~TlcCustomLang() override;

  // ---- Sections ----
  // The section list of a type: the published object property named after the type
  // without "st", or nullptr when the class has none.
  TStrings* SectionStrings(int t) const;
  // The section whose name (without "st") equals name, case-insensitive; nullptr if none.
  TStrings* FindSectionByName(std::string_view name) const;
  // Assigning a section: copies the lines, and (except DlgsCaptions) applies that section.
  void SetSection(int t, TStrings* value);
  // The eleven section properties ("Captions", ...) of TlcLang.
  template <int T>
  TStrings* SectionT() const {
    return SectionStorage(T);
  }
  template <int T>
  void SetSectionT(TStrings* value) {
    SetSection(T, value);
  }

  // ---- Languages ----
  int NumOfLanguages() const;
  void SetNumOfLanguages(int value);
  int ActiveLanguage() const;
  void SetActiveLanguage(int value);
  const std::string& Language() const;
  void SetLanguage(const std::string& value);
  TStrings* LangNames() const;
  void SetLangNames(TStrings* value);
  std::uint8_t LangDelim() const { return static_cast<std::uint8_t>(Delim()); }
  void SetLangDelim(std::uint8_t value);
  char Delim() const;

  // ---- Other published properties ----
  std::string Version() const { return "4.1.0"; }
  void SetVersion(const std::string&) {}
  bool IsInheritedOwner() const { return isInheritedOwner_; }
  void SetIsInheritedOwner(bool value) { isInheritedOwner_ = value; }
  TStrings* StringsTypes() const { return stringsTypes_.get(); }
  void SetStringsTypes(TStrings* value);
  TStrings* SmartExcludeProps() const { return smartExcludeProps_.get(); }
  void SetSmartExcludeProps(TStrings* value);
  TStrings* ExcludedProperties() const { return excludedProperties_.get(); }
  void SetExcludedProperties(TStrings* value);
  TStrings* DoNotTranslate() const { return doNotTranslate_.get(); }
  void SetDoNotTranslate(TStrings* value);
  bool HandleResourceStrings() const { return handleResourceStrings_; }
  void SetHandleResourceStrings(bool value) { handleResourceStrings_ = value; }
  std::uint16_t ResourceLanguageIndex() const { return resourceLanguageIndex_; }
  void SetResourceLanguageIndex(std::uint16_t value);
  bool UseInheritedData() const { return useInheritedData_; }
  void SetUseInheritedData(bool value) { useInheritedData_ = value; }
  bool TranslateExtendedFirst() const { return translateExtendedFirst_; }
  void SetTranslateExtendedFirst(bool value) { translateExtendedFirst_ = value; }
  bool ChangeLocales() const { return changeLocales_; }
  void SetChangeLocales(bool value);
  TTranslateType TranslateType() const { return translateType_; }
  void SetTranslateType(TTranslateType value) { translateType_ = value; }
  TlcLangOptions Options() const { return options_; }
  void SetOptions(TlcLangOptions value);
  bool NeedAllDlgs() const { return needAllDlgs_; }
  void SetNeedAllDlgs(bool value);
  int ChangingCursor() const { return changingCursor_; }
  void SetChangingCursor(int value) { changingCursor_ = value; }
  bool DoRaiseExceptions() const { return doRaiseExceptions_; }
  void SetDoRaiseExceptions(bool value) { doRaiseExceptions_ = value; }
  TlcExtendedItems* ExtendedTranslations() const { return extended_.get(); }
  void SetExtendedTranslations(TlcExtendedItems* value);
  TlcLangDispatcher* LangDispatcher() const { return dispatcher_; }
  // Links to (or unlinks from) a dispatcher; while loading only copies its NumOfLanguages.
  void SetLangDispatcher(TlcLangDispatcher* value);

  TNotifyEvent OnChangeLanguage;

  // Puts the active language on the owner (lang_apply.h).
  void ApplyTranslation();
  // The value of key in a section for the active language (DlgsCaptions, Strings, ...).
  std::string LookupText(int section, const std::string& key, bool useDefault);
  // The text the resource string handler gives for a loaded resource string.
  std::string TranslateResourceText(const std::string& loaded) const;
  // The process-wide resource string handler, or nullptr.
  static TlcCustomLang* ResourceStringHandler();
  // One pass of the collector: adds lines for texts the table lacks, refreshes existing
  // ones at design time, removes excluded and mistyped lines.
  void Collect();

  // ---- Stored form: the "TranslationData" block ----
  void ReadTranslationData(TStream& stream);
  void WriteTranslationData(TStream& stream) const;
  void DefineProperties(TFiler& filer) override;

  // ---- The parts the component is made of, for the localisation layer's own classes ----
  // The table: sections, languages and delimiter, normalising, sorted Strings rows.
  TlcTranslationTable& Table() const { return *table_; }
  // Applying a language and pruning sections.
  TlcLanguageApplier& Applier() const { return *applier_; }
  // Text and binary translation files.
  TlcTranslationFiles& Files() const { return *files_; }

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TStrings* SectionStorage(int t) const;
  std::string LookupOwnText(int section, const std::string& key, bool useDefault);

  std::unique_ptr<TlcTranslationTable> table_;
  std::unique_ptr<TlcLanguageApplier> applier_;
  std::unique_ptr<TlcTranslationFiles> files_;
  TlcLangDispatcher* dispatcher_ = nullptr;

  bool isInheritedOwner_ = false;
  std::unique_ptr<TStringList> stringsTypes_;
  std::unique_ptr<TStringList> smartExcludeProps_;
  std::unique_ptr<TStringList> excludedProperties_;
  std::unique_ptr<TStringList> doNotTranslate_;
  bool handleResourceStrings_ = false;
  std::uint16_t resourceLanguageIndex_ = 1;
  bool useInheritedData_ = false;
  bool translateExtendedFirst_ = false;
  bool changeLocales_ = false;
  TTranslateType translateType_ = ttNoChange;
  TlcLangOptions options_;
  bool needAllDlgs_ = false;
  int changingCursor_ = -1;
  bool doRaiseExceptions_ = false;
  std::unique_ptr<TlcExtendedItems> extended_;
};

// The component a form carries: publishes the table's eleven sections and every setting.
class TlcLang : public TlcCustomLang {
  QUILLIMO_CLASS(TlcLang, TlcCustomLang)
public:
  explicit TlcLang(TComponent* owner);
};

// The screen cursor while a language is applied (ChangingCursor). The portable engine has
// no screen; the windowing side installs these (both unset: the cursor is left alone).
struct TLangCursorHooks {
  std::function<int()> Get;
  std::function<void(int)> Set;
};
TLangCursorHooks& LangCursorHooks();

// ---- Dispatcher link (lang_dispatcher.cpp) ----
// What the component asks of its dispatcher while it applies and looks up texts.
TComponent* DispatcherComponent(TlcLangDispatcher* dispatcher);
bool DispatcherTestModeActive(const TlcLangDispatcher* dispatcher);
std::string DispatcherTestModeText(const TlcLangDispatcher* dispatcher, const std::string& language1Value);
// The dispatcher's test-mode text for a component: only when its dispatcher's test mode is on
// and a language above 1 is active, else "".
std::string LangTestModeText(const TlcCustomLang& lang, const std::string& language1Value);
// The components linked to the dispatcher, in link order.
std::vector<TlcCustomLang*> DispatcherLinkedLangs(const TlcLangDispatcher* dispatcher);
// Called by Loaded when the component has a dispatcher: links it (at run time this may
// read its table from the dispatcher's file and apply the dispatcher's language).
void DispatcherRegisterLoaded(TlcLangDispatcher* dispatcher, TlcCustomLang* lang);
// Declares TlcLang's published "LangDispatcher" property (class TlcLangDispatcher).
void DeclareLangDispatcherProperty(TPropertyTable& p);
