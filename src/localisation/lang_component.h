#pragma once
// The localisation component: a form's translation table in every interface language, and
// putting one language on the form.
//
// TlcCustomLang holds the table (sections of translation lines, translation_data.h), reads
// and writes it as the form's binary block "TranslationData", normalises it when loading
// completes, applies a language to its owner through the published-property system
// (lang_apply.cpp) and looks texts up by key (lang_lookup.cpp). TlcLang publishes it all.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
class TlcStringsCollection;
class TMemIniFile;

QUILLIMO_EXCEPTION(ELanguageError, Exception);

namespace LanguageErrorText {
inline constexpr const char* InvalidLanguage = "%d - is not a valid property value!\rValue must be within [1..%d]!";
inline constexpr const char* InvalidNumOfLanguages = "%d - is not a valid property value !\rValue must be more than ZERO !";
// A stored count is outside data: a damaged form or file must not make the component
// allocate a name and a column for each of billions of languages.
inline constexpr int MaxNumOfLanguages = 1000;
inline constexpr const char* TooManyLanguages = "%d - is not a valid property value !\rValue must not be more than %d !";
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

// ---------------------------------------------------------------------------------------
// Extended translations: any published property of the owner or of one of its components,
// addressed by a dotted identifier, with one value per language.

class TlcExtendedItem : public TCollectionItem {
  QUILLIMO_CLASS(TlcExtendedItem, TCollectionItem)
public:
  explicit TlcExtendedItem(TCollection* collection = nullptr);

  // "Component.Property[.Sub...]" or "OwnerClass.Property..."; when the item remembers its
  // component, the first part reads as that component's current name.
  std::string GetIdentifier() const;
  void SetIdentifier(const std::string& value);
  // The identifier begins with the owner's class name and ".".
  bool GetIsRoot() const;
  TTypeKind GetPropertyType() const { return propertyType_; }
  void SetPropertyType(TTypeKind value) { propertyType_ = value; }
  // The per-language values, each followed by the delimiter (stored as block "ValuesEx").
  const std::string& GetValues() const { return values_; }
  void SetValues(const std::string& value) { values_ = value; }
  // The component the identifier refers to, if the item remembers one.
  TComponent* GetComponent() const { return component_; }
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

// ---------------------------------------------------------------------------------------

class TlcCustomLang : public TComponent {
  QUILLIMO_CLASS(TlcCustomLang, TComponent)
public:
  explicit TlcCustomLang(TComponent* owner);
  ~TlcCustomLang() override;

  // ---- Sections ----
  // The section list of a type: the published object property named after the type
  // without "st", or nullptr when the class has none.
  TStrings* GetSectionStrings(int t) const;
  // The section whose name (without "st") equals name, case-insensitive; nullptr if none.
  TStrings* FindSectionByName(std::string_view name) const;
  // Assigning a section: copies the lines, and (except DlgsCaptions) applies that section.
  void SetSection(int t, TStrings* value);
  // The list a section type keeps, whether or not the class publishes it.
  TStrings* StorageOf(int t) const;
  template <int T>
  TStrings* SectionT() const {
    return StorageOf(T);
  }
  template <int T>
  void SetSectionT(TStrings* value) {
    SetSection(T, value);
  }

  // ---- Languages ----
  int GetNumOfLanguages() const { return numOfLanguages_; }
  void SetNumOfLanguages(int value);
  int GetActiveLanguage() const { return activeLanguage_; }
  void SetActiveLanguage(int value);
  const std::string& GetLanguage() const { return language_; }
  void SetLanguage(const std::string& value);
  TStrings* GetLangNames() const { return langNames_.get(); }
  void SetLangNames(TStrings* value);
  std::uint8_t GetLangDelim() const { return static_cast<std::uint8_t>(delim_); }
  void SetLangDelim(std::uint8_t value);
  char Delim() const { return delim_; }

  // ---- Other published properties ----
  std::string GetVersion() const { return "4.1.0"; }
  void SetVersion(const std::string&) {}
  bool GetIsInheritedOwner() const { return isInheritedOwner_; }
  void SetIsInheritedOwner(bool value) { isInheritedOwner_ = value; }
  TStrings* GetStringsTypes() const { return stringsTypes_.get(); }
  void SetStringsTypes(TStrings* value);
  TStrings* GetSmartExcludeProps() const { return smartExcludeProps_.get(); }
  void SetSmartExcludeProps(TStrings* value);
  TStrings* GetExcludedProperties() const { return excludedProperties_.get(); }
  void SetExcludedProperties(TStrings* value);
  TStrings* GetDoNotTranslate() const { return doNotTranslate_.get(); }
  void SetDoNotTranslate(TStrings* value);
  bool GetHandleResourceStrings() const { return handleResourceStrings_; }
  void SetHandleResourceStrings(bool value) { handleResourceStrings_ = value; }
  std::uint16_t GetResourceLanguageIndex() const { return resourceLanguageIndex_; }
  void SetResourceLanguageIndex(std::uint16_t value);
  bool GetUseInheritedData() const { return useInheritedData_; }
  void SetUseInheritedData(bool value) { useInheritedData_ = value; }
  bool GetTranslateExtendedFirst() const { return translateExtendedFirst_; }
  void SetTranslateExtendedFirst(bool value) { translateExtendedFirst_ = value; }
  bool GetChangeLocales() const { return changeLocales_; }
  void SetChangeLocales(bool value);
  TTranslateType GetTranslateType() const { return translateType_; }
  void SetTranslateType(TTranslateType value) { translateType_ = value; }
  TlcLangOptions GetOptions() const { return options_; }
  void SetOptions(TlcLangOptions value);
  bool GetNeedAllDlgs() const { return needAllDlgs_; }
  void SetNeedAllDlgs(bool value);
  int GetChangingCursor() const { return changingCursor_; }
  void SetChangingCursor(int value) { changingCursor_ = value; }
  bool GetDoRaiseExceptions() const { return doRaiseExceptions_; }
  void SetDoRaiseExceptions(bool value) { doRaiseExceptions_ = value; }
  TlcExtendedItems* GetExtendedTranslations() const { return extended_.get(); }
  void SetExtendedTranslations(TlcExtendedItems* value);
  // Not stored: exists for the stored-form rules (true when the list is not empty).
  bool IsDoNotTranslateStored() const;
  bool IsExcludedPropertiesStored() const;
  bool IsSmartExcludePropsStored() const;
  bool IsExtendedTranslationsStored() const;

  TNotifyEvent OnChangeLanguage;

  // ---- Applying (lang_apply.cpp) ----
  void ApplyTranslation();
  // Drops lines of vanished components into the removed-lines list (and, for Captions and
  // Hints, lines of components that take their caption from an action).
  void PruneSection(TStrings* section, int t);
  void ApplySection(TStrings* section, int t);
  void ApplyExtendedTranslations();
  // A property not to translate: its name is in ExcludedProperties, or "Class.Property" or
  // "Component.Property" is in SmartExcludeProps.
  // component may be nullptr (then only its name is checked).
  bool IsPropExcluded(std::string_view componentName, const TComponent* component, std::string_view propName) const;
  bool IsDoNotTranslate(std::string_view name) const;

  // ---- Lookup (lang_lookup.cpp) ----
  // The value of key in a section for the active language (DlgsCaptions, Strings, ...).
  std::string LookupText(int section, const std::string& key, bool useDefault);
  // Field 1 of line index of a section, "" outside the section.
  std::string LineDefault(int section, int index) const;
  // Rebuilds the sorted Strings rows (sort column 0).
  void RebuildStringsRows();
  void RebuildResourceRows();
  // The text the resource string handler gives for a loaded resource string.
  std::string TranslateResourceText(const std::string& loaded) const;
  // The process-wide resource string handler, or nullptr.
  static TlcCustomLang* ResourceStringHandler();

  // ---- Stored form (translation_data) ----
  void ReadTranslationData(TStream& stream);
  void WriteTranslationData(TStream& stream) const;
  // The block as UTF-8 text (before the code page conversion).
  std::string TranslationDataText() const;
  // Whether any section's text differs from the same section of another component.
  bool TranslationDataDiffers(const TlcCustomLang* ancestor) const;
  void DefineProperties(TFiler& filer) override;

  // ---- State used by the applying and collecting code ----
  // -1: all sections; otherwise the ordinal of the one section being applied.
  int OnlyType() const { return onlyType_; }
  // Lines dropped by PruneSection, created on first use.
  TStringList* RemovedLines();
  void ClearRemovedLines() { removedLines_.reset(); }
  // Set while the binary translation file reader fills a temporary component: such a
  // component neither normalises on load nor applies.
  bool IsTemporary() const { return temporary_; }
  void SetTemporary(bool value) { temporary_ = value; }
  // Nesting count of multi-section file operations; while above 0, single-section loads
  // neither prune nor apply.
  int BatchDepth() const { return batch_; }
  void BeginBatch() { ++batch_; }
  void EndBatch() { --batch_; }
  // Whether the owner has a published "Font" of class "TFont" (taken at creation).
  bool OwnerHasFont() const { return ownerHasFont_; }
  // The texts of the fifteen locale settings as they were when the component was created.
  const std::array<std::string, 15>& LocaleSnapshot() const { return localeSnapshot_; }
  // Appends the delimiter to every line of Strings, DlgsCaptions and Locales until it holds
  // NumOfLanguages + 1 of them.
  void PadLines();

  // ---- Translation files (lang_files.cpp) ----
  int LoadSectionFromStream(int t, TStream& stream, bool clearFirst);
  int SaveSectionToStream(int t, TStream& stream, const std::string& delimiter);
  void LoadFromStream(TStream& stream, bool clearFirst);
  void SaveToStream(TStream& stream, const std::string& delimiter);
  bool UpdateSectionFromStream(int t, TStream& stream);
  bool UpdateAllFromStream(TStream& stream);
  bool UpdateFromStream(TStream& stream);
  int LoadSectionFromFile(int t, const std::string& fileName, bool clearFirst);
  int SaveSectionToFile(int t, const std::string& fileName, const std::string& delimiter);
  void LoadFromFile(const std::string& fileName, bool clearFirst);
  void SaveToFile(const std::string& fileName, const std::string& delimiter);
  void ReadFromFile(const std::string& fileName, bool clearFirst);
  int LoadStringsFromFile(const std::string& fileName);
  int SaveStringsToFile(const std::string& fileName, const std::string& delimiter);
  bool UpdateSectionFromFile(int t, const std::string& fileName);
  bool UpdateFromFile(const std::string& fileName);
  void LoadLanguageFromFile(const std::string& fileName, const std::string& languageName);
  // Names of the languages that translation files mark as fixed.
  TStringList* FixedLanguages() { return fixedLanguages_.get(); }
  // Building blocks of the operations above, on a parsed text translation file.
  int LoadSectionFromIni(int t, const TMemIniFile& ini, bool clearFirst);
  void WriteSectionToIni(int t, TMemIniFile& ini, const std::string& delimiter) const;
  void LoadExtendedFromIni(const TMemIniFile& ini, bool clearFirst);
  void WriteExtendedToIni(TMemIniFile& ini, const std::string& delimiter) const;
  // An update of one section: load (which clears the section and returns the number of
  // keys read, -1 on failure), then every former line whose key the load did not bring is
  // appended again; a failure restores the section.
  bool UpdateSectionWith(int t, const std::function<int()>& load);
  // Prunes every section, rebuilds the Strings rows and, when asked, applies the language.
  void FinishFileOperation(bool apply);

  // ---- Collecting the table from the owner (lang_collector.cpp) ----
  // One pass of the collector: adds lines for texts the table lacks, refreshes existing
  // ones at design time, removes excluded and mistyped lines.
  void Collect();

  // ---- Dispatcher link (lang_dispatcher.cpp) ----
  TlcLangDispatcher* GetLangDispatcher() const { return dispatcher_; }
  // Links to (or unlinks from) a dispatcher; while loading only copies its NumOfLanguages.
  void SetLangDispatcher(TlcLangDispatcher* value);
  // The dispatcher sets the linked component's names, language and active language
  // without the component's own setters when it links.
  friend class TlcLangDispatcher;
  // The binary file reader fills the component from a temporary one.
  friend class TLTBFileManager;

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  // Sets the language count without the checks and side effects of SetNumOfLanguages
  // (translation files use this).
  void SetNumOfLanguagesDirect(int value) { numOfLanguages_ = value; }

  TlcLangDispatcher* dispatcher_ = nullptr;

private:
  friend class TlcExtendedItem;
  void CreateDefaultDialogRows();
  // key D value D
  std::string KeyValueLine(std::string_view key, std::string_view value) const;
  void AddLocaleLines(TStrings& locales, int from);
  void NormaliseDialogRows();
  void MigrateTabDelimiters();
  void RemoveExcludedLines();
  void RemoveDoNotTranslateLines();
  void ReplaceDelimiter(char from, char to);
  void ForEachSection(const std::function<void(int, TStrings&)>& fn) const;
  // The value of a line for the active language with the ttGetDefault fallback; the
  // dispatcher's test-mode text when asked for and the value is empty.
  std::string LineValue(std::string_view line, bool allowTestMode) const;
  std::string TestModeText(const std::string& language1Value) const;
  std::string LookupOwnText(int section, const std::string& key, bool useDefault);
  // The owner's component of a name; the owner itself for its class name or own name.
  TComponent* ResolveComponent(std::string_view name) const;
  std::optional<std::uint8_t> CharsetFor(const std::string& key, bool caseSensitive) const;
  void ApplyOwnerText(int t, const char* propName);
  void ApplyOwnerFont();
  void ApplyText(TComponent* component, const TPropInfo& prop, int t, const std::string& value);
  void ApplySubProperty(TComponent* component, const TPropInfo& prop, const std::string& sub, const std::string& value);
  void ApplyFont(TComponent* component, const TPropInfo& prop, const std::string& key, const std::string& value);
  void ApplyMultiLines(TComponent* component, const TPropInfo& prop, const std::string& sub, const std::string& value);
  void ApplyCollections(TStrings* section);
  bool ApplyCollectionItem(TObject* item, const std::string& itemPath, const std::string& value);
  void WriteExtendedValue(const std::string& identifier, const std::string& value);

  std::array<std::unique_ptr<TStringList>, StringsTypeCount> storage_;
  mutable std::array<TStrings*, StringsTypeCount> sections_{};
  mutable bool sectionsResolved_ = false;

  int numOfLanguages_ = 1;
  int activeLanguage_ = 1;
  std::string language_ = "Language N1";
  std::unique_ptr<TStringList> langNames_;
  char delim_ = 1;
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
  std::unique_ptr<TStringList> fixedLanguages_;

  int onlyType_ = -1;
  std::unique_ptr<TStringList> removedLines_;
  bool temporary_ = false;
  int batch_ = 0;
  bool ownerHasFont_ = false;
  std::array<std::string, 15> localeSnapshot_;
  std::unique_ptr<TlcStringsCollection> stringsRows_;
  std::unique_ptr<TlcStringsCollection> resourceRows_;
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
// The components linked to the dispatcher, in link order.
std::vector<TlcCustomLang*> DispatcherLinkedLangs(const TlcLangDispatcher* dispatcher);
// Called by Loaded when the component has a dispatcher: links it (at run time this may
// read its table from the dispatcher's file and apply the dispatcher's language).
void DispatcherRegisterLoaded(TlcLangDispatcher* dispatcher, TlcCustomLang* lang);
// Declares TlcLang's published "LangDispatcher" property (class TlcLangDispatcher).
void DeclareLangDispatcherProperty(TPropertyTable& p);
