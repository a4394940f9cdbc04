#pragma once
// Text translation files: the table as an ini file, one ini section per table section, each
// entry "OwnerClass.Key=value1<delimiter>value2<delimiter>...", plus the language names, the
// options and the extended translations. Binary (".LTB") files are read through TLTBFileManager.
//
// A TlcCustomLang owns one (its Files()). To finish an operation that loads means: prune every
// section, rebuild the sorted Strings rows and apply the language. While a multi-section
// operation (or an update of one section) runs, the per-section loads neither prune nor apply;
// the operation does both once at its end.
#include <functional>
#include <memory>
#include <string>

#include "localisation/restoring_scope.h"

class TMemIniFile;
class TStream;
class TStringList;
class TlcCustomLang;
class TlcLanguageApplier;
class TlcTranslationTable;

class TlcTranslationFiles {
public:
  TlcTranslationFiles(TlcCustomLang& lang, TlcTranslationTable& table, TlcLanguageApplier& applier);
  ~TlcTranslationFiles();
  TlcTranslationFiles(const TlcTranslationFiles&) = delete;
  TlcTranslationFiles& operator=(const TlcTranslationFiles&) = delete;

  // ---- Streams holding a text translation file ----
  // Number of keys read, -1 on failure.
  int LoadSectionFromStream(int t, TStream& stream, bool clearFirst);
  // The section's line count.
  int SaveSectionToStream(int t, TStream& stream, const std::string& delimiter);
  void LoadFromStream(TStream& stream, bool clearFirst);
  void SaveToStream(TStream& stream, const std::string& delimiter);
  bool UpdateSectionFromStream(int t, TStream& stream);
  bool UpdateAllFromStream(TStream& stream);
  bool UpdateFromStream(TStream& stream);

  // ---- Files (a missing file makes a load a no-op) ----
  int LoadSectionFromFile(int t, const std::string& fileName, bool clearFirst);
  int SaveSectionToFile(int t, const std::string& fileName, const std::string& delimiter);
  void LoadFromFile(const std::string& fileName, bool clearFirst);
  void SaveToFile(const std::string& fileName, const std::string& delimiter);
  // All sections and the extended translations, finished without applying.
  void ReadFromFile(const std::string& fileName, bool clearFirst);
  int LoadStringsFromFile(const std::string& fileName);
  int SaveStringsToFile(const std::string& fileName, const std::string& delimiter);
  // A ".LTB" file is read through TLTBFileManager.
  bool UpdateSectionFromFile(int t, const std::string& fileName);
  bool UpdateFromFile(const std::string& fileName);
  // Imports one language column of a text file (added as a new language when the component
  // has none of that name).
  void LoadLanguageFromFile(const std::string& fileName, const std::string& languageName);

  // Names of the languages that translation files mark as fixed.
  TStringList* FixedLanguages() { return fixedLanguages_.get(); }
  // Nesting count of multi-section operations; while above 0, single-section loads neither
  // prune nor apply.
  int BatchDepth() const { return batch_; }

private:
  // A multi-section operation for a scope: the batch state ends with it, however the
  // operation ends.
  TRestoringScope<int> Batch();
  // Building blocks of the operations above, on a parsed text translation file.
  int LoadSectionFromIni(int t, const TMemIniFile& ini, bool clearFirst);
  void WriteSectionToIni(int t, TMemIniFile& ini, const std::string& delimiter) const;
  void LoadExtendedFromIni(const TMemIniFile& ini, bool clearFirst);
  void WriteExtendedToIni(TMemIniFile& ini, const std::string& delimiter) const;
  // An update of one section: load (which clears the section and returns the number of keys
  // read, -1 on failure), then every former line whose key the load did not bring is appended
  // again; a failure restores the section.
  bool UpdateSectionWith(int t, const std::function<int()>& load);
  // Prunes every section, rebuilds the Strings rows and, when asked, applies the language.
  void FinishFileOperation(bool apply);

  TlcCustomLang& lang_;
  TlcTranslationTable& table_;
  TlcLanguageApplier& applier_;
  std::unique_ptr<TStringList> fixedLanguages_;
  int batch_ = 0;
};
