// Text translation files: the table as an ini file, one ini section per table section,
// each entry "OwnerClass.Key=value1<delimiter>value2<delimiter>...", plus the language names,
// the options and the extended translations. Binary (".LTB") files are read through
// TLTBFileManager.
//
// Bad content never raises: foreign keys and missing values are skipped, and a file that
// cannot even be decoded changes nothing. Failed updates put the section back as it was.
#include <set>

#include "localisation/lang_dispatcher.h"
#include "localisation/lang_component.h"
#include "localisation/ltb_file.h"
#include "localisation/memini.h"
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
    "Captions", "Hints",   "DisplayLabels", "Fonts",       "Multilines", "Dialogs",
    "Strings",  "Other",   "Locales",       "Collections", "CharSets",   "ListView_TreeView_Items"};

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
  const std::string& name = owner->GetName();
  const std::string& cls = owner->ClassName();
  const bool byName = !name.empty() && StartsWithText(key, name + ".");
  const bool byClass = StartsWithText(key, cls + ".");
  if (!byName && !byClass) return std::nullopt;
  const bool exactName = byName && key.starts_with(name + ".");
  const bool stripName = exactName || !byClass;
  TFileKey out;
  out.lineKey = key.substr((stripName ? name.size() : cls.size()) + 1);
  const std::string component = out.lineKey.substr(0, out.lineKey.find('.'));
  if (lang.GetDoNotTranslate()->IndexOf(component) >= 0) return std::nullopt;
  out.ownerEntry = SameText(out.lineKey, stripName ? name : cls);
  // The owner's own entry is kept under its class name, whichever prefix the file used: saving
  // writes every line under the class name, and only the class name reads back as the owner's
  // entry, so an entry kept under the form's name would be lost at the next save and load.
  if (out.ownerEntry) out.lineKey = cls;
  return out;
}

// Begins a multi-section operation for a scope: single-section loads inside it neither
// prune nor apply. The state ends with the scope, however the operation ends.
class TBatchScope {
public:
  explicit TBatchScope(TlcCustomLang& lang) : lang_(lang) { lang.BeginBatch(); }
  ~TBatchScope() { lang_.EndBatch(); }
  TBatchScope(const TBatchScope&) = delete;
  TBatchScope& operator=(const TBatchScope&) = delete;

private:
  TlcCustomLang& lang_;
};

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
    if (SameText(items.Item(i)->GetIdentifier(), identifier)) return items.Item(i);
  return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Building blocks

void TlcCustomLang::FinishFileOperation(bool apply) {
  ForEachSection([this](int t, TStrings& section) { PruneSection(&section, t); });
  RebuildStringsRows();
  if (!apply) return;
  onlyType_ = -1;
  ApplyTranslation();
}

int TlcCustomLang::LoadSectionFromIni(int t, const TMemIniFile& ini, bool clearFirst) {
  TStrings* section = GetSectionStrings(t);
  if (!section) return -1;
  int count = 0;
  try {
    if (clearFirst) section->Clear();
    const std::string delimiter = FileDelimiter(ini);
    if (ini.SectionExists(kLanguageNames)) {
      std::vector<std::string> names = FileLanguageNames(ini);
      if (!names.empty()) {
        langNames_->Clear();
        for (const std::string& n : names) langNames_->Add(n);
        if (activeLanguage_ >= 1 && activeLanguage_ <= langNames_->Count())
          language_ = langNames_->Strings(activeLanguage_ - 1);
      }
    }
    SetNumOfLanguagesDirect(std::max(1, langNames_->Count()));
    fixedLanguages_->Clear();
    for (int n = 1; n <= langNames_->Count(); ++n)
      if (ini.ReadBool(kOptions, "Language_Fixed" + IntToStr(n), false)) fixedLanguages_->Add(langNames_->Strings(n - 1));

    for (const std::string& fileKey : DistinctKeys(ini, kFileSections[t])) {
      std::optional<TFileKey> key = MapFileKey(*this, fileKey, t);
      if (!key) continue;
      std::optional<std::string> value = ini.Read(kFileSections[t], fileKey);
      if (!value) continue;
      std::string line = key->lineKey + delim_ + ValuesFromFile(*value, delimiter, delim_);
      ReplaceChar(line, kStoredCR, '\r');
      ReplaceChar(line, kStoredLF, '\n');
      if (key->ownerEntry)
        section->Insert(0, line);
      else
        section->Add(line);
      ++count;
    }
    if (batch_ == 0) {
      PruneSection(section, t);
      if (t == stStrings) RebuildStringsRows();
      onlyType_ = -1;
      ApplyTranslation();
    }
  } catch (const std::exception&) {
    return -1;
  }
  return count;
}

void TlcCustomLang::WriteSectionToIni(int t, TMemIniFile& ini, const std::string& delimiter) const {
  const std::string d = UsableDelimiter(delimiter);
  ini.WriteString(kOptions, kDelimiterKey, d);
  ini.EraseSection(kLanguageNames);
  for (int n = 1; n <= numOfLanguages_; ++n) {
    std::string name = n <= langNames_->Count() ? langNames_->Strings(n - 1) : std::string();
    if (name.empty()) name = "Language N" + IntToStr(n);
    ini.WriteString(kLanguageNames, "Language_" + IntToStr(n), name);
  }
  ini.EraseSection(kOldLanguageNames);
  TStrings* section = GetSectionStrings(t);
  TComponent* owner = Owner();
  if (!section || !owner) return;
  const std::string& cls = owner->ClassName();
  for (int i = 0; i < section->Count(); ++i) {
    const std::string line = section->Strings(i);
    const std::size_t first = line.find(delim_);
    std::string key = line.substr(0, first);
    if (HasIndexedKeys(t)) {
      ReplaceChar(key, '[', '-');
      ReplaceChar(key, ']', '+');
    }
    const std::string values = first == std::string::npos ? std::string() : line.substr(first + 1);
    ini.WriteString(kFileSections[t], cls + "." + key, ValuesToFile(values, d, delim_));
  }
  // Entries keyed by the owner's name are older forms of the class-keyed ones.
  const std::string& name = owner->GetName();
  if (!name.empty() && !SameText(name, cls))
    ini.DeleteKeys(kFileSections[t], [&](const std::string& key) { return StartsWithText(key, name + "."); });
}

void TlcCustomLang::LoadExtendedFromIni(const TMemIniFile& ini, bool clearFirst) {
  TComponent* owner = Owner();
  if (clearFirst) extended_->Clear();
  if (!owner) return;
  const std::string delimiter = FileDelimiter(ini);
  const std::string prefix = owner->ClassName() + ".";
  for (const std::string& key : DistinctKeys(ini, kExtended)) {
    if (key.size() >= 9 && SameText(std::string_view(key).substr(key.size() - 9), kTypeKindSuffix)) continue;
    if (!StartsWithText(key, prefix)) continue;
    const std::string identifier = key.substr(prefix.size());
    const std::optional<std::string> value = ini.Read(kExtended, key);
    if (identifier.empty() || !value) continue;
    TlcExtendedItem* item = FindExtendedItem(*extended_, identifier);
    if (!item) {
      item = extended_->AddItem();
      item->SetIdentifier(identifier);
    }
    item->SetValues(ValuesFromFile(*value, delimiter, delim_));
    item->SetPropertyType(TypeKindByName(ini.ReadString(kExtended, key + kTypeKindSuffix, "tkUnknown")));
  }
}

void TlcCustomLang::WriteExtendedToIni(TMemIniFile& ini, const std::string& delimiter) const {
  TComponent* owner = Owner();
  if (!owner) return;
  const std::string d = UsableDelimiter(delimiter);
  for (int i = 0; i < extended_->Count(); ++i) {
    const TlcExtendedItem* item = extended_->Item(i);
    const std::string key = owner->ClassName() + "." + item->GetIdentifier();
    ini.WriteString(kExtended, key, ValuesToFile(item->GetValues(), d, delim_));
    ini.WriteString(kExtended, key + kTypeKindSuffix, std::string(TypeKindName(item->GetPropertyType())));
  }
}

bool TlcCustomLang::UpdateSectionWith(int t, const std::function<int()>& load) {
  TStrings* section = GetSectionStrings(t);
  if (!section) return false;
  const std::vector<std::string> former = LinesOf(*section);
  int read = -1;
  try {
    TBatchScope batch(*this);
    read = load();
  } catch (const std::exception&) {
    read = -1;
  }
  if (read < 0) {
    SetLines(*section, former);
    return false;
  }
  std::set<std::string> keys;
  for (int i = 0; i < section->Count(); ++i) keys.insert(UpperCase(LineKey(section->Strings(i), delim_)));
  for (const std::string& line : former)
    if (!keys.contains(UpperCase(LineKey(line, delim_)))) section->Add(line);
  // A former owner entry that came back at the end belongs at the start again.
  if (section->Count() > 0 && !section->Strings(0).starts_with((Owner() ? Owner()->ClassName() : "") + delim_))
    MoveOwnerEntryFirst(t, *this);
  return true;
}

// ---------------------------------------------------------------------------------------
// Streams

int TlcCustomLang::LoadSectionFromStream(int t, TStream& stream, bool clearFirst) {
  if (!GetSectionStrings(t)) return -1;
  try {
    return LoadSectionFromIni(t, ParseFile(stream), clearFirst);
  } catch (const std::exception&) {
    return -1;
  }
}

int TlcCustomLang::SaveSectionToStream(int t, TStream& stream, const std::string& delimiter) {
  TStrings* section = GetSectionStrings(t);
  if (!section) return -1;
  TMemIniFile ini = ParseFile(stream);
  WriteSectionToIni(t, ini, delimiter);
  WriteFile(stream, ini);
  return section->Count();
}

void TlcCustomLang::LoadFromStream(TStream& stream, bool clearFirst) {
  TMemIniFile ini;
  try {
    ini = ParseFile(stream);
  } catch (const std::exception&) {
    return;  // undecodable text: the table stays as it is
  }
  {
    TBatchScope batch(*this);
    for (int t = 0; t < StringsTypeCount; ++t) LoadSectionFromIni(t, ini, clearFirst);
    LoadExtendedFromIni(ini, clearFirst);
  }
  if (batch_ == 0) FinishFileOperation(true);
}

void TlcCustomLang::SaveToStream(TStream& stream, const std::string& delimiter) {
  TMemIniFile ini;
  for (int t = 0; t < StringsTypeCount; ++t)
    if (GetSectionStrings(t)) WriteSectionToIni(t, ini, delimiter);
  WriteExtendedToIni(ini, delimiter);
  const std::string bytes = Utf8ToAnsi(ini.Text());
  stream.Seek(0, soFromEnd);
  stream.WriteBuffer(bytes);
}

bool TlcCustomLang::UpdateSectionFromStream(int t, TStream& stream) {
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

bool TlcCustomLang::UpdateAllFromStream(TStream& stream) {
  TMemIniFile ini;
  try {
    ini = ParseFile(stream);
  } catch (const std::exception&) {
    return false;
  }
  bool ok = true;
  {
    TBatchScope batch(*this);
    for (int t = 0; t < StringsTypeCount && ok; ++t)
      if (GetSectionStrings(t)) ok = UpdateSectionWith(t, [&] { return LoadSectionFromIni(t, ini, true); });
  }
  if (batch_ == 0) FinishFileOperation(false);
  return ok;
}

bool TlcCustomLang::UpdateFromStream(TStream& stream) {
  bool ok;
  {
    TBatchScope batch(*this);
    ok = UpdateAllFromStream(stream);
  }
  if (batch_ == 0) FinishFileOperation(true);
  return ok;
}

// ---------------------------------------------------------------------------------------
// Files

int TlcCustomLang::LoadSectionFromFile(int t, const std::string& fileName, bool clearFirst) {
  if (!FileExists(fileName)) return -1;
  try {
    TStringStream data(ReadWholeFile(fileName));
    return LoadSectionFromStream(t, data, clearFirst);
  } catch (const EStreamError&) {
    return -1;
  }
}

int TlcCustomLang::SaveSectionToFile(int t, const std::string& fileName, const std::string& delimiter) {
  // Made in memory first: a text the code page cannot hold leaves the file untouched.
  TStringStream data(FileExists(fileName) ? ReadWholeFile(fileName) : std::string());
  int count = SaveSectionToStream(t, data, delimiter);
  WriteWholeFile(fileName, data.Bytes());
  return count;
}

void TlcCustomLang::LoadFromFile(const std::string& fileName, bool clearFirst) {
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

void TlcCustomLang::SaveToFile(const std::string& fileName, const std::string& delimiter) {
  TStringStream data(FileExists(fileName) ? ReadWholeFile(fileName) : std::string());
  TMemIniFile ini = ParseFile(data);
  for (int t = 0; t < StringsTypeCount; ++t)
    if (GetSectionStrings(t)) WriteSectionToIni(t, ini, delimiter);
  WriteExtendedToIni(ini, delimiter);
  WriteFile(data, ini);
  WriteWholeFile(fileName, data.Bytes());
}

void TlcCustomLang::ReadFromFile(const std::string& fileName, bool clearFirst) {
  if (!FileExists(fileName)) return;
  TMemIniFile ini;
  try {
    TStringStream data(ReadWholeFile(fileName));
    ini = ParseFile(data);
  } catch (const std::exception&) {
    return;
  }
  {
    TBatchScope batch(*this);
    for (int t = 0; t < StringsTypeCount; ++t) LoadSectionFromIni(t, ini, clearFirst);
    LoadExtendedFromIni(ini, clearFirst);
  }
  if (batch_ == 0) FinishFileOperation(false);
}

int TlcCustomLang::LoadStringsFromFile(const std::string& fileName) {
  return LoadSectionFromFile(stStrings, fileName, true);
}

int TlcCustomLang::SaveStringsToFile(const std::string& fileName, const std::string& delimiter) {
  return SaveSectionToFile(stStrings, fileName, delimiter);
}

bool TlcCustomLang::UpdateSectionFromFile(int t, const std::string& fileName) {
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
  TLTBFileManager& manager = dispatcher_ ? dispatcher_->LTBFileManager() : localManager;
  bool ok = false;
  {
    TBatchScope batch(*this);
    TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
    std::unique_ptr<TlcCustomLang> stored = manager.ReadStored(file, *this);
    TStrings* from = stored ? stored->GetSectionStrings(t) : nullptr;
    ok = from && UpdateSectionWith(t, [&] {
           TakeStoredSection(t, *stored, *this);
           return from->Count();
         });
  }
  if (batch_ == 0) FinishFileOperation(true);
  return ok;
}

bool TlcCustomLang::UpdateFromFile(const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  bool ok = true;
  {
    TBatchScope batch(*this);
    for (int t = 0; t < StringsTypeCount && ok; ++t)
      if (GetSectionStrings(t)) ok = UpdateSectionFromFile(t, fileName);
  }
  if (batch_ == 0) FinishFileOperation(true);
  return ok;
}

void TlcCustomLang::LoadLanguageFromFile(const std::string& fileName, const std::string& languageName) {
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
    if (doRaiseExceptions_) throw ELanguageError(languageName + " not found in " + fileName);
    return;
  }
  int target = 0;  // the component's language of that name
  for (int i = 0; i < langNames_->Count() && !target; ++i)
    if (langNames_->Strings(i) == languageName) target = i + 1;
  if (!target) {
    SetNumOfLanguages(numOfLanguages_ + 1);
    target = numOfLanguages_;
    langNames_->SetStrings(target - 1, languageName);
  }
  const std::string delimiter = FileDelimiter(ini);
  auto fileField = [&](const std::string& value) {
    return ExtractLangField(delim_ + ValuesFromFile(value, delimiter, delim_), delim_, column);
  };
  {
    TBatchScope batch(*this);
    for (int t = 0; t < StringsTypeCount; ++t) {
      TStrings* section = GetSectionStrings(t);
      if (!section) continue;
      for (const std::string& fileKey : DistinctKeys(ini, kFileSections[t])) {
        std::optional<TFileKey> key = MapFileKey(*this, fileKey, t);
        std::optional<std::string> value = ini.Read(kFileSections[t], fileKey);
        if (!key || !value) continue;
        const std::string text = fileField(*value);
        int index = -1;
        for (int i = 0; i < section->Count() && index < 0; ++i)
          if (SameText(LineKey(section->Strings(i), delim_), key->lineKey)) index = i;
        std::string line = index >= 0 ? section->Strings(index) : key->lineKey + delim_;
        SetLangField(line, delim_, target, text);
        PadLine(line, delim_, numOfLanguages_);
        if (index >= 0)
          section->SetStrings(index, line);
        else if (key->ownerEntry)
          section->Insert(0, line);
        else
          section->Add(line);
      }
    }
    if (Owner()) {
      const std::string prefix = Owner()->ClassName() + ".";
      for (const std::string& fileKey : DistinctKeys(ini, kExtended)) {
        const std::optional<std::string> value = ini.Read(kExtended, fileKey);
        if (!value || !StartsWithText(fileKey, prefix) || fileKey.ends_with(kTypeKindSuffix)) continue;
        const std::string identifier = fileKey.substr(prefix.size());
        TlcExtendedItem* item = FindExtendedItem(*extended_, identifier);
        if (!item) {
          item = extended_->AddItem();
          item->SetIdentifier(identifier);
          item->SetPropertyType(TypeKindByName(ini.ReadString(kExtended, fileKey + kTypeKindSuffix, "tkUnknown")));
        }
        // Item values are found by word position: rebuilt word by word.
        std::string values;
        for (int k = 1; k <= numOfLanguages_; ++k) {
          values += k == target ? fileField(*value) : item->ValueFor(k, delim_);
          values += delim_;
        }
        item->SetValues(values);
      }
    }
  }
  if (batch_ == 0) FinishFileOperation(true);
}
