#include "localisation/lang_files.h"

// Bad content never raises: foreign keys and missing values are skipped, and a file that
// cannot even be decoded changes nothing. Failed updates put the section back as it was.
#include <set>

#include "localisation/lang_apply.h"
#include "localisation/lang_component.h"
#include "localisation/lang_dispatcher.h"
#include "localisation/ltb_file.h"
#include "localisation/memini.h"
#include "localisation/restoring_scope.h"
#include "localisation/translation_table.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"

namespace {

constexpr const char* kOptions = "OPTIONS";
constexpr const char* kDelimiterKey = "DELIMITER";
constexpr const char* kDefaultDelimiter = "~!@#";
constexpr const char* kLanguageNames = "Language names - for internal use only!";
// The misspelt name older files used; erased when a file is written.
constexpr const char* kOldLanguageNames = "Language names - for intenal use only!";
constexpr const char* kExtended = "Extended";
constexpr const char* kTypeKindSuffix = "_TypeKind";
constexpr char kStoredCR = 0x19;
constexpr char kStoredLF = 0x1A;

// The ini section of each table section, in TStringsType order.
constexpr const char* kFileSections[StringsTypeCount] = {
    "Captions", "Hints", "DisplayLabels", "Fonts",       "Multilines", "Dialogs",
    "Strings",  "Other", "Locales",       "Collections", "CharSets",   "ListView_TreeView_Items"};

bool HasIndexedKeys(int t) { return t == stCollections || t == stListView_TreeView_Items; }

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = s.find(from, pos)) != std::string_view::npos; pos = hit + from.size()) {
    out.append(s.substr(pos, hit - pos));
    out.append(to);
  }
  out.append(s.substr(pos));
  return out;
}

void ReplaceChar(std::string& s, char from, char to) {
  for (char& c : s)
    if (c == from) c = to;
}

void ReplaceFirst(std::string& s, char from, char to) {
  if (std::size_t p = s.find(from); p != std::string::npos) s[p] = to;
}

bool StartsWithText(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

// A file's delimiter string; an empty one would make every value one field.
std::string FileDelimiter(const TMemIniFile& ini) {
  std::string d = ini.ReadString(kOptions, kDelimiterKey, kDefaultDelimiter);
  return d.empty() ? kDefaultDelimiter : d;
}

std::string UsableDelimiter(const std::string& delimiter) { return delimiter.empty() ? kDefaultDelimiter : delimiter; }

// File value (delimiter-separated, CR and LF stored as 0x19 and 0x1A) -> values each
// followed by D. A value without any delimiter string is language 1's alone.
std::string ValuesFromFile(const std::string& value, const std::string& delimiter, char delim) {
  std::string values = ReplaceAll(value, delimiter, std::string(1, delim));
  if (value.find(delimiter) == std::string::npos) values += delim;
  ReplaceChar(values, kStoredCR, '\r');
  ReplaceChar(values, kStoredLF, '\n');
  return values;
}

// Values each followed by D -> file value.
std::string ValuesToFile(std::string_view values, const std::string& delimiter, char delim) {
  std::string out = ReplaceAll(values, std::string_view(&delim, 1), delimiter);
  ReplaceChar(out, '\r', kStoredCR);
  ReplaceChar(out, '\n', kStoredLF);
  return out;
}

// Text of a stream from its start, decoded from the system's ANSI code page (UTF-8 after
// a byte-order mark). Raises EConvertError for bytes the code page cannot decode.
TMemIniFile ParseFile(TStream& stream) {
  stream.SetPosition(0);
  std::string bytes = stream.ReadToEnd();
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.erase(0, 3);
    if (!IsValidUtf8(bytes)) throw EConvertError("Invalid UTF-8 text");
    return TMemIniFile(bytes);
  }
  return TMemIniFile(AnsiToUtf8(bytes));
}

// Puts the ini text over the stream from its start; the stream then holds just that text.
// The text is encoded before anything is written.
void WriteFile(TStream& stream, const TMemIniFile& ini) {
  const std::string bytes = Utf8ToAnsi(ini.Text());
  stream.SetPosition(0);
  stream.WriteBuffer(bytes);
  stream.SetSize(static_cast<std::int64_t>(bytes.size()));
}

std::string ReadWholeFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  return file.ReadToEnd();
}

void WriteWholeFile(const std::string& fileName, std::string_view bytes) {
  TFileStream file(fileName, fmCreate);
  file.WriteBuffer(bytes);
}

// The language names of a file: "Language_1", "Language_2", ... up to the first missing or
// empty one.
std::vector<std::string> FileLanguageNames(const TMemIniFile& ini) {
  std::vector<std::string> names;
  for (int n = 1;; ++n) {
    std::string name = ini.ReadString(kLanguageNames, "Language_" + IntToStr(n), "");
    if (name.empty()) return names;
    names.push_back(std::move(name));
  }
}

// The keys of an ini section, each once (case-insensitive), in file order.
std::vector<std::string> DistinctKeys(const TMemIniFile& ini, std::string_view section) {
  std::vector<std::string> keys;
  for (const std::string& key : ini.ReadSection(section))
    if (keys.empty() || !SameText(keys.back(), key)) keys.push_back(key);
  return keys;
}

// A file key turned into the key of a table line, or nothing for a key of another form or
// of a component not to translate.
struct TFileKey {
  std::string lineKey;  // without the delimiter
  bool ownerEntry = false;
};

std::optional<TFileKey> MapFileKey(const TlcCustomLang& lang, std::string key, int t) {
  TComponent* owner = lang.Owner();
  if (!owner) return std::nullopt;
  if (HasIndexedKeys(t)) {
    ReplaceFirst(key, '-', '[');
    ReplaceFirst(key, '+', ']');
  }
  // A line's key ends at the table's own delimiter: a key holding that byte would become another
  // key, and the line would stand in for one it is not.
  if (key.find(lang.Delim()) != std::string::npos) return std::nullopt;
  const std::string& name = owner->Name();
  const std::string& cls = owner->ClassName();
  const bool byName = !name.empty() && StartsWithText(key, name + ".");
  const bool byClass = StartsWithText(key, cls + ".");
  if (!byName && !byClass) return std::nullopt;
  const bool exactName = byName && key.starts_with(name + ".");
  const bool stripName = exactName || !byClass;
  TFileKey out;
  out.lineKey = key.substr((stripName ? name.size() : cls.size()) + 1);
  const std::string component = out.lineKey.substr(0, out.lineKey.find('.'));
  if (lang.DoNotTranslate()->IndexOf(component) >= 0) return std::nullopt;
  out.ownerEntry = SameText(out.lineKey, stripName ? name : cls);
  // The owner's own entry is kept under its class name, whichever prefix the file used: saving
  // writes every line under the class name, and only the class name reads back as the owner's
  // entry, so an entry kept under the form's name would be lost at the next save and load.
  if (out.ownerEntry) out.lineKey = cls;
  return out;
}

std::vector<std::string> LinesOf(const TStrings& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

void SetLines(TStrings& list, const std::vector<std::string>& lines) {
  list.BeginUpdate();
  list.Clear();
  for (const std::string& line : lines) list.Add(line);
  list.EndUpdate();
}

TTypeKind TypeKindByName(std::string_view name) {
  for (int k = 0; k < TypeKindCount; ++k)
    if (SameText(TypeKindName(k), name)) return static_cast<TTypeKind>(k);
  return tkUnknown;
}

TlcExtendedItem* FindExtendedItem(TlcExtendedItems& items, const std::string& identifier) {
  for (int i = 0; i < items.Count(); ++i)
    if (SameText(items.Item(i)->Identifier(), identifier)) return items.Item(i);
  return nullptr;
}

}  // namespace

TlcTranslationFiles::TlcTranslationFiles(TlcCustomLang& lang, TlcTranslationTable& table, TlcLanguageApplier& applier)
    : lang_(lang), table_(table), applier_(applier), fixedLanguages_(std::make_unique<TStringList>()) {}

TlcTranslationFiles::~TlcTranslationFiles() = default;

TRestoringScope<int> TlcTranslationFiles::Batch() {
  return {batch_, batch_ + 1, [this](int depth) { batch_ = depth; }};
}

// ---------------------------------------------------------------------------------------
// Building blocks

void TlcTranslationFiles::FinishFileOperation(bool apply) {
  table_.ForEachSection([this](int t, TStrings& section) { applier_.PruneSection(&section, t); });
  table_.RebuildStringsRows();
  if (!apply) return;
  applier_.SetOnlyType(-1);
  applier_.Apply();
}

int TlcTranslationFiles::LoadSectionFromIni(int t, const TMemIniFile& ini, bool clearFirst) {
  TStrings* section = table_.Section(t);
  if (!section) return -1;
  int count = 0;
  try {
    if (clearFirst) section->Clear();
    const std::string delimiter = FileDelimiter(ini);
    if (ini.SectionExists(kLanguageNames)) {
      std::vector<std::string> names = FileLanguageNames(ini);
      if (!names.empty()) {
        table_.LangNames().Clear();
        for (const std::string& n : names) table_.LangNames().Add(n);
        if (table_.ActiveLanguage() >= 1 && table_.ActiveLanguage() <= table_.LangNames().Count())
          table_.SetLanguage(table_.LangNames().Strings(table_.ActiveLanguage() - 1));
      }
    }
    table_.SetNumOfLanguages(std::max(1, table_.LangNames().Count()));
    fixedLanguages_->Clear();
    for (int n = 1; n <= table_.LangNames().Count(); ++n)
      if (ini.ReadBool(kOptions, "Language_Fixed" + IntToStr(n), false))
        fixedLanguages_->Add(table_.LangNames().Strings(n - 1));

    for (const std::string& fileKey : DistinctKeys(ini, kFileSections[t])) {
      std::optional<TFileKey> key = MapFileKey(lang_, fileKey, t);
      if (!key) continue;
      std::optional<std::string> value = ini.Read(kFileSections[t], fileKey);
      if (!value) continue;
      std::string line = key->lineKey + table_.Delim() + ValuesFromFile(*value, delimiter, table_.Delim());
      ReplaceChar(line, kStoredCR, '\r');
      ReplaceChar(line, kStoredLF, '\n');
      if (key->ownerEntry)
        section->Insert(0, line);
      else
        section->Add(line);
      ++count;
    }
    if (batch_ == 0) {
      applier_.PruneSection(section, t);
      if (t == stStrings) table_.RebuildStringsRows();
      applier_.SetOnlyType(-1);
      applier_.Apply();
    }
  } catch (const std::exception&) {
    return -1;
  }
  return count;
}

void TlcTranslationFiles::WriteSectionToIni(int t, TMemIniFile& ini, const std::string& delimiter) const {
  const std::string d = UsableDelimiter(delimiter);
  ini.WriteString(kOptions, kDelimiterKey, d);
  ini.EraseSection(kLanguageNames);
  for (int n = 1; n <= table_.NumOfLanguages(); ++n) {
    std::string name = n <= table_.LangNames().Count() ? table_.LangNames().Strings(n - 1) : std::string();
    if (name.empty()) name = "Language N" + IntToStr(n);
    ini.WriteString(kLanguageNames, "Language_" + IntToStr(n), name);
  }
  ini.EraseSection(kOldLanguageNames);
  TStrings* section = table_.Section(t);
  TComponent* owner = lang_.Owner();
  if (!section || !owner) return;
  const std::string& cls = owner->ClassName();
  for (int i = 0; i < section->Count(); ++i) {
    const std::string line = section->Strings(i);
    const std::size_t first = line.find(table_.Delim());
    std::string key = line.substr(0, first);
    if (HasIndexedKeys(t)) {
      ReplaceChar(key, '[', '-');
      ReplaceChar(key, ']', '+');
    }
    const std::string values = first == std::string::npos ? std::string() : line.substr(first + 1);
    ini.WriteString(kFileSections[t], cls + "." + key, ValuesToFile(values, d, table_.Delim()));
  }
  // Entries keyed by the owner's name are older forms of the class-keyed ones.
  const std::string& name = owner->Name();
  if (!name.empty() && !SameText(name, cls))
    ini.DeleteKeys(kFileSections[t], [&](const std::string& key) { return StartsWithText(key, name + "."); });
}

void TlcTranslationFiles::LoadExtendedFromIni(const TMemIniFile& ini, bool clearFirst) {
  TComponent* owner = lang_.Owner();
  if (clearFirst) lang_.ExtendedTranslations()->Clear();
  if (!owner) return;
  const std::string delimiter = FileDelimiter(ini);
  const std::string prefix = owner->ClassName() + ".";
  for (const std::string& key : DistinctKeys(ini, kExtended)) {
    if (key.size() >= 9 && SameText(std::string_view(key).substr(key.size() - 9), kTypeKindSuffix)) continue;
    if (!StartsWithText(key, prefix)) continue;
    const std::string identifier = key.substr(prefix.size());
    const std::optional<std::string> value = ini.Read(kExtended, key);
    if (identifier.empty() || !value) continue;
    TlcExtendedItem* item = FindExtendedItem(*lang_.ExtendedTranslations(), identifier);
    if (!item) {
      item = lang_.ExtendedTranslations()->AddItem();
      item->SetIdentifier(identifier);
    }
    item->SetValues(ValuesFromFile(*value, delimiter, table_.Delim()));
    item->SetPropertyType(TypeKindByName(ini.ReadString(kExtended, key + kTypeKindSuffix, "tkUnknown")));
  }
}

void TlcTranslationFiles::WriteExtendedToIni(TMemIniFile& ini, const std::string& delimiter) const {
  TComponent* owner = lang_.Owner();
  if (!owner) return;
  const std::string d = UsableDelimiter(delimiter);
  for (int i = 0; i < lang_.ExtendedTranslations()->Count(); ++i) {
    const TlcExtendedItem* item = lang_.ExtendedTranslations()->Item(i);
    const std::string key = owner->ClassName() + "." + item->Identifier();
    ini.WriteString(kExtended, key, ValuesToFile(item->Values(), d, table_.Delim()));
    ini.WriteString(kExtended, key + kTypeKindSuffix, std::string(TypeKindName(item->PropertyType())));
  }
}

bool TlcTranslationFiles::UpdateSectionWith(int t, const std::function<int()>& load) {
  TStrings* section = table_.Section(t);
  if (!section) return false;
  const std::vector<std::string> former = LinesOf(*section);
  int read = -1;
  try {
    const auto batch = Batch();
    read = load();
  } catch (const std::exception&) {
    read = -1;
  }
  if (read < 0) {
    SetLines(*section, former);
    return false;
  }
  std::set<std::string> keys;
  for (int i = 0; i < section->Count(); ++i) keys.insert(UpperCase(LineKey(section->Strings(i), table_.Delim())));
  for (const std::string& line : former)
    if (!keys.contains(UpperCase(LineKey(line, table_.Delim())))) section->Add(line);
  // A former owner entry that came back at the end belongs at the start again.
  if (section->Count() > 0 &&
      !section->Strings(0).starts_with((lang_.Owner() ? lang_.Owner()->ClassName() : "") + table_.Delim()))
    MoveOwnerEntryFirst(t, lang_);
  return true;
}

// ---------------------------------------------------------------------------------------
// Streams

int TlcTranslationFiles::LoadSectionFromStream(int t, TStream& stream, bool clearFirst) {
  if (!table_.Section(t)) return -1;
  try {
    return LoadSectionFromIni(t, ParseFile(stream), clearFirst);
  } catch (const std::exception&) {
    return -1;
  }
}

int TlcTranslationFiles::SaveSectionToStream(int t, TStream& stream, const std::string& delimiter) {
  TStrings* section = table_.Section(t);
  if (!section) return -1;
  TMemIniFile ini = ParseFile(stream);
  WriteSectionToIni(t, ini, delimiter);
  WriteFile(stream, ini);
  return section->Count();
}

void TlcTranslationFiles::LoadFromStream(TStream& stream, bool clearFirst) {
  TMemIniFile ini;
  try {
    ini = ParseFile(stream);
  } catch (const std::exception&) {
    return;  // undecodable text: the table stays as it is
  }
  {
    const auto batch = Batch();
    for (int t = 0; t < StringsTypeCount; ++t) LoadSectionFromIni(t, ini, clearFirst);
    LoadExtendedFromIni(ini, clearFirst);
  }
  if (batch_ == 0) FinishFileOperation(true);
}

void TlcTranslationFiles::SaveToStream(TStream& stream, const std::string& delimiter) {
  TMemIniFile ini;
  for (int t = 0; t < StringsTypeCount; ++t)
    if (table_.Section(t)) WriteSectionToIni(t, ini, delimiter);
  WriteExtendedToIni(ini, delimiter);
  const std::string bytes = Utf8ToAnsi(ini.Text());
  stream.Seek(0, soFromEnd);
  stream.WriteBuffer(bytes);
}

bool TlcTranslationFiles::UpdateSectionFromStream(int t, TStream& stream) {
  TMemIniFile ini;
  try {
    ini = ParseFile(stream);
  } catch (const std::exception&) {
    return false;
  }
  const bool ok = UpdateSectionWith(t, [&] { return LoadSectionFromIni(t, ini, true); });
  if (batch_ == 0) FinishFileOperation(true);
  return ok;
}

bool TlcTranslationFiles::UpdateAllFromStream(TStream& stream) {
  TMemIniFile ini;
  try {
    ini = ParseFile(stream);
  } catch (const std::exception&) {
    return false;
  }
  bool ok = true;
  {
    const auto batch = Batch();
    for (int t = 0; t < StringsTypeCount && ok; ++t)
      if (table_.Section(t)) ok = UpdateSectionWith(t, [&] { return LoadSectionFromIni(t, ini, true); });
  }
  if (batch_ == 0) FinishFileOperation(false);
  return ok;
}

bool TlcTranslationFiles::UpdateFromStream(TStream& stream) {
  bool ok;
  {
    const auto batch = Batch();
    ok = UpdateAllFromStream(stream);
  }
  if (batch_ == 0) FinishFileOperation(true);
  return ok;
}

// ---------------------------------------------------------------------------------------
// Files

int TlcTranslationFiles::LoadSectionFromFile(int t, const std::string& fileName, bool clearFirst) {
  if (!FileExists(fileName)) return -1;
  try {
    TStringStream data(ReadWholeFile(fileName));
    return LoadSectionFromStream(t, data, clearFirst);
  } catch (const EStreamError&) {
    return -1;
  }
}

int TlcTranslationFiles::SaveSectionToFile(int t, const std::string& fileName, const std::string& delimiter) {
  // Made in memory first: a text the code page cannot hold leaves the file untouched.
  TStringStream data(FileExists(fileName) ? ReadWholeFile(fileName) : std::string());
  int count = SaveSectionToStream(t, data, delimiter);
  WriteWholeFile(fileName, data.Bytes());
  return count;
}

void TlcTranslationFiles::LoadFromFile(const std::string& fileName, bool clearFirst) {
  if (!FileExists(fileName)) return;
  std::string bytes;
  try {
    bytes = ReadWholeFile(fileName);
  } catch (const EStreamError&) {
    return;
  }
  TStringStream data(bytes);
  LoadFromStream(data, clearFirst);
}

void TlcTranslationFiles::SaveToFile(const std::string& fileName, const std::string& delimiter) {
  TStringStream data(FileExists(fileName) ? ReadWholeFile(fileName) : std::string());
  TMemIniFile ini = ParseFile(data);
  for (int t = 0; t < StringsTypeCount; ++t)
    if (table_.Section(t)) WriteSectionToIni(t, ini, delimiter);
  WriteExtendedToIni(ini, delimiter);
  WriteFile(data, ini);
  WriteWholeFile(fileName, data.Bytes());
}

void TlcTranslationFiles::ReadFromFile(const std::string& fileName, bool clearFirst) {
  if (!FileExists(fileName)) return;
  TMemIniFile ini;
  try {
    TStringStream data(ReadWholeFile(fileName));
    ini = ParseFile(data);
  } catch (const std::exception&) {
    return;
  }
  {
    const auto batch = Batch();
    for (int t = 0; t < StringsTypeCount; ++t) LoadSectionFromIni(t, ini, clearFirst);
    LoadExtendedFromIni(ini, clearFirst);
  }
  if (batch_ == 0) FinishFileOperation(false);
}

int TlcTranslationFiles::LoadStringsFromFile(const std::string& fileName) {
  return LoadSectionFromFile(stStrings, fileName, true);
}

int TlcTranslationFiles::SaveStringsToFile(const std::string& fileName, const std::string& delimiter) {
  return SaveSectionToFile(stStrings, fileName, delimiter);
}

bool TlcTranslationFiles::UpdateSectionFromFile(int t, const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  if (!IsLTBFileName(fileName)) {
    std::string bytes;
    try {
      bytes = ReadWholeFile(fileName);
    } catch (const EStreamError&) {
      return false;
    }
    TStringStream data(bytes);
    return UpdateSectionFromStream(t, data);
  }
  TLTBFileManager localManager;
  TLTBFileManager& manager = lang_.LangDispatcher() ? lang_.LangDispatcher()->LTBFileManager() : localManager;
  bool ok = false;
  {
    const auto batch = Batch();
    TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
    std::unique_ptr<TlcCustomLang> stored = manager.ReadStored(file, lang_);
    TStrings* from = stored ? stored->SectionStrings(t) : nullptr;
    ok = from && UpdateSectionWith(t, [&] {
           TakeStoredSection(t, *stored, lang_);
           return from->Count();
         });
  }
  if (batch_ == 0) FinishFileOperation(true);
  return ok;
}

bool TlcTranslationFiles::UpdateFromFile(const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  bool ok = true;
  {
    const auto batch = Batch();
    for (int t = 0; t < StringsTypeCount && ok; ++t)
      if (table_.Section(t)) ok = UpdateSectionFromFile(t, fileName);
  }
  if (batch_ == 0) FinishFileOperation(true);
  return ok;
}

void TlcTranslationFiles::LoadLanguageFromFile(const std::string& fileName, const std::string& languageName) {
  TMemIniFile ini;
  int column = 0;  // of the language in the file
  try {
    if (FileExists(fileName)) {
      TStringStream data(ReadWholeFile(fileName));
      ini = ParseFile(data);
      std::vector<std::string> names = FileLanguageNames(ini);
      for (std::size_t i = 0; i < names.size() && !column; ++i)
        if (names[i] == languageName) column = static_cast<int>(i) + 1;
    }
  } catch (const std::exception&) {
    column = 0;
  }
  if (!column) {
    if (lang_.DoRaiseExceptions()) throw ELanguageError(languageName + " not found in " + fileName);
    return;
  }
  int target = 0;  // the component's language of that name
  for (int i = 0; i < table_.LangNames().Count() && !target; ++i)
    if (table_.LangNames().Strings(i) == languageName) target = i + 1;
  if (!target) {
    lang_.SetNumOfLanguages(table_.NumOfLanguages() + 1);
    target = table_.NumOfLanguages();
    table_.LangNames().SetStrings(target - 1, languageName);
  }
  const std::string delimiter = FileDelimiter(ini);
  auto fileField = [&](const std::string& value) {
    return ExtractLangField(table_.Delim() + ValuesFromFile(value, delimiter, table_.Delim()), table_.Delim(), column);
  };
  {
    const auto batch = Batch();
    for (int t = 0; t < StringsTypeCount; ++t) {
      TStrings* section = table_.Section(t);
      if (!section) continue;
      for (const std::string& fileKey : DistinctKeys(ini, kFileSections[t])) {
        std::optional<TFileKey> key = MapFileKey(lang_, fileKey, t);
        std::optional<std::string> value = ini.Read(kFileSections[t], fileKey);
        if (!key || !value) continue;
        const std::string text = fileField(*value);
        int index = -1;
        for (int i = 0; i < section->Count() && index < 0; ++i)
          if (SameText(LineKey(section->Strings(i), table_.Delim()), key->lineKey)) index = i;
        std::string line = index >= 0 ? section->Strings(index) : key->lineKey + table_.Delim();
        SetLangField(line, table_.Delim(), target, text);
        PadLine(line, table_.Delim(), table_.NumOfLanguages());
        if (index >= 0)
          section->SetStrings(index, line);
        else if (key->ownerEntry)
          section->Insert(0, line);
        else
          section->Add(line);
      }
    }
    if (lang_.Owner()) {
      const std::string prefix = lang_.Owner()->ClassName() + ".";
      for (const std::string& fileKey : DistinctKeys(ini, kExtended)) {
        const std::optional<std::string> value = ini.Read(kExtended, fileKey);
        if (!value || !StartsWithText(fileKey, prefix) || fileKey.ends_with(kTypeKindSuffix)) continue;
        const std::string identifier = fileKey.substr(prefix.size());
        TlcExtendedItem* item = FindExtendedItem(*lang_.ExtendedTranslations(), identifier);
        if (!item) {
          item = lang_.ExtendedTranslations()->AddItem();
          item->SetIdentifier(identifier);
          item->SetPropertyType(TypeKindByName(ini.ReadString(kExtended, fileKey + kTypeKindSuffix, "tkUnknown")));
        }
        // Item values are found by word position: rebuilt word by word.
        std::string values;
        for (int k = 1; k <= table_.NumOfLanguages(); ++k) {
          values += k == target ? fileField(*value) : item->ValueFor(k, table_.Delim());
          values += table_.Delim();
        }
        item->SetValues(values);
      }
    }
  }
  if (batch_ == 0) FinishFileOperation(true);
}
