#pragma once
// The translation table of a localisation component: its sections (lists of translation lines,
// translation_data.h), the languages they hold (count, names, the active one) and the field
// delimiter; the normalising that loading and the component's settings ask for; the stored
// block "TranslationData"; the sorted rows of Strings for lookups at run time.
//
// A TlcCustomLang owns one. The component's property setters check their values and go on to
// apply or collect; the table's setters only store, which is what translation files, the binary
// file reader and the dispatcher need while they fill it.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "localisation/translation_data.h"

class TComponent;
class TStream;
class TStrings;
class TStringList;
class TlcCustomLang;
class TlcStringsCollection;

class TlcTranslationTable {
public:
  explicit TlcTranslationTable(TlcCustomLang& lang);
  ~TlcTranslationTable();
  TlcTranslationTable(const TlcTranslationTable&) = delete;
  TlcTranslationTable& operator=(const TlcTranslationTable&) = delete;

  // ---- Sections ----
  // The section list of a type when the component's class publishes it (the published object
  // property named after the type without "st"), or nullptr.
  TStrings* Section(int t) const;
  // The list a section type keeps, whether or not the class publishes it.
  TStrings* Storage(int t) const;
  // Each published section with its type, in type order.
  void ForEachSection(const std::function<void(int, TStrings&)>& fn) const;

  // ---- Languages (stored as they are: no checks, nothing applied) ----
  int NumOfLanguages() const { return numOfLanguages_; }
  void SetNumOfLanguages(int value) { numOfLanguages_ = value; }
  int ActiveLanguage() const { return activeLanguage_; }
  void SetActiveLanguage(int value) { activeLanguage_ = value; }
  const std::string& Language() const { return language_; }
  void SetLanguage(const std::string& value) { language_ = value; }
  TStringList& LangNames() const { return *langNames_; }
  // Copies the names; Language becomes the active language's name, and the count follows the
  // list (at least one language). The lines are left as they are.
  void AdoptLangNames(const TStrings* names);
  char Delim() const { return delim_; }
  // Replaces the delimiter byte in every line and every extended translation's values, and
  // keeps the new one.
  void ChangeDelim(char to);
  void SetDelim(char value) { delim_ = value; }

  // ---- Lines ----
  // key D value D
  std::string KeyValueLine(std::string_view key, std::string_view value) const;
  // Appends the delimiter to every line of Strings, DlgsCaptions and Locales until it holds
  // NumOfLanguages + 1 of them.
  void PadLines();
  // Cuts every line after the value of language `keep`.
  void CutLinesAfterLanguage(int keep);
  // Adds the Locales lines from locale setting `from` on, valued with the locale snapshot.
  void AddLocaleLines(int from);
  // Field 1 of line index of a section, "" outside the section.
  std::string LineDefault(int section, int index) const;

  // ---- Normalising ----
  // The message dialog rows a new component starts with.
  void AddDefaultDialogRows();
  // Adds the other dialog rows to the message dialog rows when all are needed, or drops them.
  void NormaliseDialogRows(bool needAll);
  // A table stored with tabs as delimiters takes the delimiter 1 instead.
  void MigrateTabDelimiters();
  // Drops the lines of the properties ExcludedProperties names.
  void RemoveExcludedLines();
  // Drops the lines of the components DoNotTranslate names.
  void RemoveDoNotTranslateLines();
  // A property not to translate: its name is in ExcludedProperties, or "Class.Property" or
  // "Component.Property" is in SmartExcludeProps. component may be nullptr (then only its name
  // is checked).
  bool IsPropExcluded(std::string_view componentName, const TComponent* component, std::string_view propName) const;
  bool IsDoNotTranslate(std::string_view name) const;

  // ---- Stored form: the "TranslationData" block, text in the Windows-1254 code page ----
  void Read(TStream& stream);
  void Write(TStream& stream) const;
  // The block as UTF-8 text (before the code page conversion).
  std::string Text() const;
  // Whether any section's text differs from the same section of another table.
  bool Differs(const TlcTranslationTable* other) const;

  // ---- Sorted rows of Strings ----
  // By key (sort column 0), for Strings lookups at run time.
  TlcStringsCollection& StringsRows() const { return *stringsRows_; }
  void RebuildStringsRows();
  // By the values of a language, for the resource string handler.
  TlcStringsCollection& ResourceRows() const { return *resourceRows_; }
  void RebuildResourceRows(int sortColumn);

  // Set while the binary translation file reader fills a table: such a component neither
  // normalises on load nor applies.
  bool IsTemporary() const { return temporary_; }
  void SetTemporary(bool value) { temporary_ = value; }

private:
  void ReplaceDelimiter(char from, char to);

  TlcCustomLang& lang_;
  std::array<std::unique_ptr<TStringList>, StringsTypeCount> storage_;
  mutable std::array<TStrings*, StringsTypeCount> sections_{};
  mutable bool sectionsResolved_ = false;
  int numOfLanguages_ = 1;
  int activeLanguage_ = 1;
  std::string language_ = "Language N1";
  std::unique_ptr<TStringList> langNames_;
  char delim_ = 1;
  // The texts of the fifteen locale settings as they were when the component was created.
  std::array<std::string, 15> localeSnapshot_;
  std::unique_ptr<TlcStringsCollection> stringsRows_;
  std::unique_ptr<TlcStringsCollection> resourceRows_;
  bool temporary_ = false;
};
