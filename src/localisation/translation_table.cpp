#include "localisation/translation_table.h"

#include <algorithm>

#include "localisation/dialog_captions.h"
#include "localisation/lang_component.h"
#include "localisation/lang_lookup.h"
#include "localisation/locale_settings.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

constexpr char kTab = '\t';

// The sections a DoNotTranslate name or an excluded property is removed from, with whether
// their keys are "Component.Property..." (name followed by ".") or a plain name.
constexpr int kComponentSections[] = {stCaptions,   stHints,        stDisplayLabels, stFonts,
                                      stMultiLines, stOtherStrings, stCharSets,      stCollections};

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

}  // namespace

TlcTranslationTable::TlcTranslationTable(TlcCustomLang& lang)
    : lang_(lang),
      langNames_(std::make_unique<TStringList>()),
      localeSnapshot_(SnapshotLocaleSettings()),
      stringsRows_(std::make_unique<TlcStringsCollection>(&lang, 0)),
      resourceRows_(std::make_unique<TlcStringsCollection>(&lang, 1)) {
  for (int t = 0; t < StringsTypeCount; ++t)
    if (t != stListView_TreeView_Items) storage_[t] = std::make_unique<TStringList>();
  langNames_->Add("Language N1");
}

TlcTranslationTable::~TlcTranslationTable() = default;

// ---------------------------------------------------------------------------------------
// Sections

TStrings* TlcTranslationTable::Section(int t) const {
  if (t < 0 || t >= StringsTypeCount) return nullptr;
  if (!sectionsResolved_) {
    // The class decides which sections exist: those it publishes as list properties.
    for (int i = 0; i < StringsTypeCount; ++i) {
      const TPropInfo* prop = GetPropInfo(&lang_, SectionPropertyName(i));
      TObject* obj = prop && prop->Kind() == tkClass && prop->GetObject ? prop->GetObject(&lang_) : nullptr;
      sections_[i] = dynamic_cast<TStrings*>(obj);
    }
    sectionsResolved_ = true;
  }
  return sections_[t];
}

TStrings* TlcTranslationTable::Storage(int t) const {
  return t >= 0 && t < StringsTypeCount ? storage_[t].get() : nullptr;
}

void TlcTranslationTable::ForEachSection(const std::function<void(int, TStrings&)>& fn) const {
  for (int t = 0; t < StringsTypeCount; ++t)
    if (TStrings* section = Section(t)) fn(t, *section);
}

// ---------------------------------------------------------------------------------------
// Languages and lines

void TlcTranslationTable::AdoptLangNames(const TStrings* names) {
  langNames_->Assign(names);
  if (activeLanguage_ >= 1 && activeLanguage_ <= langNames_->Count())
    language_ = langNames_->Strings(activeLanguage_ - 1);
  numOfLanguages_ = std::max(1, langNames_->Count());
}

void TlcTranslationTable::ChangeDelim(char to) {
  ReplaceDelimiter(delim_, to);
  delim_ = to;
}

void TlcTranslationTable::ReplaceDelimiter(char from, char to) {
  ForEachSection([&](int, TStrings& section) { ReplaceInLines(section, from, to); });
  TlcExtendedItems& extended = *lang_.ExtendedTranslations();
  for (int i = 0; i < extended.Count(); ++i) {
    TlcExtendedItem* item = extended.Item(i);
    std::string values = item->Values();
    ReplaceByte(values, from, to);
    item->SetValues(values);
  }
}

std::string TlcTranslationTable::KeyValueLine(std::string_view key, std::string_view value) const {
  std::string line(key);
  line += delim_;
  line += value;
  line += delim_;
  return line;
}

void TlcTranslationTable::PadLines() {
  for (int t : {stStrings, stDlgsCaptions, stLocales}) {
    TStrings* section = Section(t);
    if (!section) continue;
    for (int i = 0; i < section->Count(); ++i) {
      std::string line = section->Strings(i);
      std::size_t before = line.size();
      PadLine(line, delim_, numOfLanguages_);
      if (line.size() != before) section->SetStrings(i, line);
    }
  }
}

void TlcTranslationTable::CutLinesAfterLanguage(int keep) {
  ForEachSection([&](int, TStrings& section) {
    for (int i = 0; i < section.Count(); ++i) {
      std::string line = section.Strings(i);
      std::size_t before = line.size();
      CutLineAfterLanguage(line, delim_, keep);
      if (line.size() != before) section.SetStrings(i, line);
    }
  });
}

void TlcTranslationTable::AddLocaleLines(int from) {
  TStrings& locales = *storage_[stLocales];
  for (int i = from; i < LocaleSettingCount; ++i)
    locales.Add(KeyValueLine(LocaleSettingName(i), localeSnapshot_[static_cast<std::size_t>(i)]));
}

std::string TlcTranslationTable::LineDefault(int section, int index) const {
  TStrings* lines = Section(section);
  if (!lines || index < 0 || index >= lines->Count()) return {};
  return ExtractLangField(lines->Strings(index), delim_, 1);
}

// ---------------------------------------------------------------------------------------
// Normalising

void TlcTranslationTable::AddDefaultDialogRows() {
  TStrings* dialogs = storage_[stDlgsCaptions].get();
  for (int i = 0; i < MessageDialogCaptionCount; ++i)
    dialogs->Add(KeyValueLine(DialogCaptionKey(i), ToolkitMessageDialogCaption(i)));
}

void TlcTranslationTable::NormaliseDialogRows(bool needAll) {
  TStrings* dialogs = Section(stDlgsCaptions);
  if (!dialogs) return;
  if (needAll && dialogs->Count() == MessageDialogCaptionCount) {
    for (int i = MessageDialogCaptionCount; i < DialogCaptionCount; ++i)
      dialogs->Add(KeyValueLine(DialogCaptionKey(i), DialogCaption(i)));
  } else if (!needAll && dialogs->Count() == DialogCaptionCount) {
    for (int i = dialogs->Count() - 1; i >= 0; --i)
      if (!IsMessageDialogKey(LineKey(dialogs->Strings(i), delim_))) dialogs->Delete(i);
  }
}

void TlcTranslationTable::MigrateTabDelimiters() {
  if (delim_ == kTab) ChangeDelim(1);
  const std::size_t canonical = static_cast<std::size_t>(numOfLanguages_) + 1;
  auto hasTab = [](const std::string& line) { return line.find(kTab) != std::string::npos; };
  auto tabDelimited = [canonical](const std::string& line) { return CountByte(line, kTab) == canonical; };
  bool looksTabbed = FirstLineHas(Section(stDlgsCaptions), hasTab) || FirstLineHas(Section(stLocales), hasTab) ||
                     FirstLineHas(Section(stCaptions), tabDelimited) ||
                     FirstLineHas(Section(stLocales), tabDelimited) || FirstLineHas(Section(stHints), tabDelimited);
  if (looksTabbed) ReplaceDelimiter(kTab, delim_);
}

bool TlcTranslationTable::IsPropExcluded(std::string_view componentName, const TComponent* component,
                                         std::string_view propName) const {
  const TStrings& excluded = *lang_.ExcludedProperties();
  const TStrings& smart = *lang_.SmartExcludeProps();
  std::string prop(propName);
  if (excluded.IndexOf(prop) >= 0) return true;
  if (smart.Count() == 0) return false;
  if (smart.IndexOf(std::string(componentName) + "." + prop) >= 0) return true;
  return component && smart.IndexOf(component->ClassName() + "." + prop) >= 0;
}

bool TlcTranslationTable::IsDoNotTranslate(std::string_view name) const {
  return lang_.DoNotTranslate()->IndexOf(std::string(name)) >= 0;
}

void TlcTranslationTable::RemoveExcludedLines() {
  auto clear = [this](int t) {
    if (TStrings* s = Section(t)) s->Clear();
  };
  auto excluded = [this](const char* name) { return lang_.ExcludedProperties()->IndexOf(name) >= 0; };
  if (excluded("Caption")) clear(stCaptions);
  if (excluded("Hint")) clear(stHints);
  if (excluded("DisplayLabel")) clear(stDisplayLabels);
  if (excluded("Font")) {
    clear(stFonts);
    clear(stCharSets);
  }
  if (excluded("Charset")) clear(stCharSets);
  TComponent* owner = lang_.Owner();
  for (int t : {stMultiLines, stOtherStrings, stCollections}) {
    TStrings* section = Section(t);
    if (!section) continue;
    for (int i = section->Count() - 1; i >= 0; --i) {
      std::string key = LineKey(section->Strings(i), delim_);
      std::string name = KeyComponent(key);
      TComponent* component = owner ? owner->FindComponent(name) : nullptr;
      if (!component && owner && name == owner->ClassName()) component = owner;
      if (IsPropExcluded(name, component, KeyProperty(key))) section->Delete(i);
    }
  }
}

void TlcTranslationTable::RemoveDoNotTranslateLines() {
  const TStrings& doNotTranslate = *lang_.DoNotTranslate();
  for (int n = 0; n < doNotTranslate.Count(); ++n) {
    const std::string name = doNotTranslate.Strings(n);
    if (name.empty()) continue;
    for (int t : kComponentSections) {
      TStrings* section = Section(t);
      if (!section) continue;
      const std::string prefix = name + (IsDottedSection(t) ? '.' : delim_);
      for (int i = section->Count() - 1; i >= 0; --i)
        if (section->Strings(i).starts_with(prefix)) section->Delete(i);
    }
  }
}

// ---------------------------------------------------------------------------------------
// Stored form

void TlcTranslationTable::Read(TStream& stream) {
  std::string raw = stream.ReadToEnd();
  raw.resize(std::min(raw.size(), raw.find('\0')));
  for (TranslationSection& decoded : DecodeTranslationBlock(AnsiToUtf8(raw, cpWindows1254))) {
    TStrings* section = Section(decoded.type);
    if (!section) continue;
    section->BeginUpdate();
    section->Clear();
    for (const std::string& line : decoded.lines) section->Add(line);
    section->EndUpdate();
  }
}

std::string TlcTranslationTable::Text() const {
  std::string text;
  ForEachSection([&](int t, TStrings& section) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(section.Count()));
    for (int i = 0; i < section.Count(); ++i) lines.push_back(section.Strings(i));
    EncodeTranslationSection(text, t, lines);
  });
  return text;
}

void TlcTranslationTable::Write(TStream& stream) const {
  // Refuses (EConvertError) a text the code page cannot hold before anything is written.
  stream.WriteBuffer(Utf8ToAnsi(Text(), cpWindows1254));
}

bool TlcTranslationTable::Differs(const TlcTranslationTable* other) const {
  if (!other) return true;
  for (int t = 0; t < StringsTypeCount; ++t) {
    TStrings* mine = Section(t);
    TStrings* theirs = other->Section(t);
    if (!mine || !theirs) {
      if (mine != theirs) return true;
      continue;
    }
    if (mine->Text() != theirs->Text()) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------
// Sorted rows

void TlcTranslationTable::RebuildStringsRows() {
  if (TStrings* strings = Section(stStrings)) stringsRows_->Rebuild(*strings, delim_, numOfLanguages_, 0);
}

void TlcTranslationTable::RebuildResourceRows(int sortColumn) {
  if (TStrings* strings = Section(stStrings)) resourceRows_->Rebuild(*strings, delim_, numOfLanguages_, sortColumn);
}
