#include "localisation/lang_dispatcher.h"

#include <algorithm>

#include "localisation/lang_apply.h"
#include "localisation/lang_files.h"
#include "localisation/ltb_file.h"
#include "localisation/translation_table.h"
#include "toolkit/core/format.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"

// ---------------------------------------------------------------------------------------
// Test mode texts

namespace {

// A placeholder text never grows beyond this many times its source (a measuring function
// that reports no width for the padding character would otherwise never stop).
constexpr std::size_t kMaxGrowth = 64;

std::u32string CodePoints(const std::string& text) {
  std::u32string out;
  for (std::size_t pos = 0; pos < text.size();) out += Utf8Decode(text, pos);
  return out;
}

std::string FromCodePoints(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) Utf8Append(out, c);
  return out;
}

}  // namespace

TTextWidthFunction& TestModeTextWidth() {
  static TTextWidthFunction width = EstimatedTahomaWidth;
  return width;
}

int EstimatedTahomaWidth(const std::string& text) {
  // Average advance widths of 8-point Tahoma at 96 dpi, in pixels.
  int width = 0;
  for (char32_t c : CodePoints(text)) {
    if (c == 'i' || c == 'l' || c == 'j' || c == '.' || c == ',' || c == ':' || c == ';' || c == '\'' || c == '|' ||
        c == '!' || c == 'I')
      width += 2;
    else if (c == ' ' || c == 'f' || c == 't' || c == 'r' || c == '(' || c == ')' || c == '-')
      width += 3;
    else if (c == 'm' || c == 'w' || c == 'M' || c == 'W')
      width += 8;
    else if (c >= 'A' && c <= 'Z')
      width += 6;
    else if (c < 0x20)
      width += 0;
    else
      width += 5;
  }
  return width;
}

std::string ExpandWidthText(const std::string& text, int percent, char padding, const TTextWidthFunction& width) {
  std::u32string s = CodePoints(AnsiUpperCase(text));
  if (s.empty()) return {};
  const std::string upper = FromCodePoints(s);
  const int base = width ? width(upper) : EstimatedTahomaWidth(upper);
  const std::int64_t target = base + static_cast<std::int64_t>(base) * percent / 100;
  const std::size_t limit = s.size() * kMaxGrowth;
  // Insert before the last character, then two places further towards the start each time;
  // at the start, begin again before the second-to-last character.
  std::ptrdiff_t pos = static_cast<std::ptrdiff_t>(s.size()) - 1;
  std::string current = upper;
  while ((width ? width(current) : EstimatedTahomaWidth(current)) < target && s.size() < limit) {
    s.insert(s.begin() + pos, static_cast<unsigned char>(padding));
    current = FromCodePoints(s);
    pos -= 2;
    if (pos <= 0) pos = std::max<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(s.size()) - 2);
  }
  return current;
}

std::string FlipCaseText(const std::string& text) {
  std::u32string s = CodePoints(text);
  for (char32_t& c : s) c = CharLower(c) != c ? CharLower(c) : CharUpper(c);
  return FromCodePoints(s);
}

std::string ExpandCharsText(const std::string& text, int percent, char padding) {
  std::u32string s = CodePoints(text);
  const std::int64_t length = static_cast<std::int64_t>(s.size());
  std::int64_t remaining = std::max<std::int64_t>(0, length * percent / 100);
  remaining = std::min<std::int64_t>(remaining, length * static_cast<std::int64_t>(kMaxGrowth));
  std::u32string out;
  for (std::int64_t i = 1; i <= length; ++i) {
    out += s[static_cast<std::size_t>(i - 1)];
    std::int64_t n = remaining / (length - i + 1);
    out.append(static_cast<std::size_t>(n), static_cast<unsigned char>(padding));
    remaining -= n;
  }
  return FromCodePoints(out);
}

void TTestModeInfo::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TTestModeInfo*>(source)) {
    Active = other->Active;
    Kind = other->Kind;
    ExpandWidthPercent = other->ExpandWidthPercent;
    ExpandCharsPercent = other->ExpandCharsPercent;
    PaddingChar = other->PaddingChar;
    return;
  }
  inherited::Assign(source);
}

std::string TTestModeInfo::MakeText(const std::string& language1Value) const {
  switch (Kind) {
    case tmkFlipCase: return FlipCaseText(language1Value);
    case tmkExpandChars: return ExpandCharsText(language1Value, ExpandCharsPercent, PaddingChar);
    case tmkExpandWidth:
    default: return ExpandWidthText(language1Value, ExpandWidthPercent, PaddingChar, TestModeTextWidth());
  }
}

// ---------------------------------------------------------------------------------------
// Files

bool IsLTBFileName(const std::string& fileName) { return SameText(ExtractFileExt(fileName), ".LTB"); }

bool FileExists(const std::string& fileName) {
  if (fileName.empty()) return false;
  try {
    TFileStream probe(fileName, fmOpenRead | fmShareDenyNone);
    return true;
  } catch (const EFOpenError&) {
    return false;
  }
}

// ---------------------------------------------------------------------------------------
// The dispatcher

TlcLangDispatcher::TlcLangDispatcher(TComponent* owner)
    : TComponent(owner), langNames_(std::make_unique<TStringList>()), testModeInfo_(std::make_unique<TTestModeInfo>()) {
  langNames_->Add("Language N1");
}

TlcLangDispatcher::~TlcLangDispatcher() {
  // Copied first: each component unlinks itself.
  const std::vector<TlcCustomLang*> linked = linked_;
  for (TlcCustomLang* lang : linked) lang->SetLangDispatcher(nullptr);
  linked_.clear();
}

void TlcLangDispatcher::SetActiveLanguage(int value) {
  activeLanguage_ = value;
  // Copied first: a component may unlink itself while it applies.
  const std::vector<TlcCustomLang*> linked = linked_;
  for (TlcCustomLang* lang : linked) lang->SetActiveLanguage(value);
  if (!IsLoading() && value >= 1 && value <= langNames_->Count()) language_ = langNames_->Strings(value - 1);
}

void TlcLangDispatcher::SetLanguage(const std::string& value) {
  if (value == language_) return;
  int index = langNames_->IndexOf(value);
  if (langNames_->Count() > 0 && index < 0) throw ELanguageError(LanguageErrorText::UnknownLanguageName);
  language_ = value;
  if (!IsLoading() && langNames_->Count() > 0) SetActiveLanguage(index + 1);
}

void TlcLangDispatcher::SetNumOfLanguages(int value) {
  if (value < 1) throw ELanguageError(Format(LanguageErrorText::InvalidNumOfLanguages, {value}));
  if (value > LanguageErrorText::MaxNumOfLanguages)
    throw ELanguageError(Format(LanguageErrorText::TooManyLanguages, {value, LanguageErrorText::MaxNumOfLanguages}));
  numOfLanguages_ = value;
  while (langNames_->Count() < value) langNames_->Add("Language N" + IntToStr(langNames_->Count() + 1));
  while (langNames_->Count() > value) langNames_->Delete(langNames_->Count() - 1);
  const std::vector<TlcCustomLang*> linked = linked_;
  for (TlcCustomLang* lang : linked) lang->SetNumOfLanguages(value);
}

void TlcLangDispatcher::SetLangNames(TStrings* value) {
  if (value != langNames_.get()) langNames_->Assign(value);
  const int count = langNames_->Count();
  if (count > 0 && activeLanguage_ >= 1 && activeLanguage_ <= count)
    language_ = langNames_->Strings(activeLanguage_ - 1);
  const std::vector<TlcCustomLang*> linked = linked_;
  for (TlcCustomLang* lang : linked) {
    lang->SetLangNames(langNames_.get());
    if (lang->LangNames()->IndexOf(language_) >= 0) lang->SetLanguage(language_);
  }
  SetNumOfLanguages(std::max(1, count));
}

void TlcLangDispatcher::SetTestModeInfo(TTestModeInfo* value) {
  if (value && value != testModeInfo_.get()) testModeInfo_->Assign(value);
}

void TlcLangDispatcher::Loaded() {
  inherited::Loaded();
  // Pushes the stored names to every component that linked while loading.
  SetLangNames(langNames_.get());
}

void TlcLangDispatcher::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == opRemove)
    if (auto* lang = dynamic_cast<TlcCustomLang*>(component)) Unlink(lang);
}

TLTBFileManager& TlcLangDispatcher::LTBFileManager() {
  if (!ltb_) ltb_ = std::make_unique<TLTBFileManager>();
  return *ltb_;
}

void TlcLangDispatcher::Unlink(TlcCustomLang* lang) { std::erase(linked_, lang); }

void TlcLangDispatcher::Link(TlcCustomLang* lang) {
  Unlink(lang);
  linked_.push_back(lang);
  lang->SetNumOfLanguages(numOfLanguages_);
  // The names go in as they are, without the component's own LangNames handling; the
  // language is put on the form below.
  TlcTranslationTable& table = lang->Table();
  table.LangNames().Assign(langNames_.get());
  if (table.LangNames().IndexOf(language_) >= 0) table.SetLanguage(language_);
  if (lang->IsDesigning()) {
    lang->SetActiveLanguage(activeLanguage_);
    return;
  }
  if (FileExists(fileName_)) {
    if (activeLanguage_ >= 1 && activeLanguage_ <= lang->NumOfLanguages()) table.SetActiveLanguage(activeLanguage_);
    LoadLinkedFromFile(lang);
  } else {
    lang->SetActiveLanguage(activeLanguage_);
  }
  OnLinkToDispatcher(this, lang);
}

void TlcLangDispatcher::LoadLinkedFromFile(TlcCustomLang* lang) {
  if (IsLTBFileName(fileName_)) {
    LTBFileManager().ReadTranslation(fileName_, *lang);
    lang->Table().RebuildStringsRows();
    lang->Applier().SetOnlyType(-1);
    lang->ApplyTranslation();
  } else {
    lang->Files().LoadFromFile(fileName_, true);
  }
}

// ---------------------------------------------------------------------------------------
// What the component asks of its dispatcher

TComponent* DispatcherComponent(TlcLangDispatcher* dispatcher) { return dispatcher; }

bool DispatcherTestModeActive(const TlcLangDispatcher* dispatcher) {
  return dispatcher && dispatcher->TestModeInfo()->Active;
}

std::string DispatcherTestModeText(const TlcLangDispatcher* dispatcher, const std::string& language1Value) {
  return dispatcher ? dispatcher->TestModeInfo()->MakeText(language1Value) : std::string();
}

std::string LangTestModeText(const TlcCustomLang& lang, const std::string& language1Value) {
  TlcLangDispatcher* dispatcher = lang.LangDispatcher();
  if (!dispatcher || lang.ActiveLanguage() <= 1 || !DispatcherTestModeActive(dispatcher)) return {};
  return DispatcherTestModeText(dispatcher, language1Value);
}

std::vector<TlcCustomLang*> DispatcherLinkedLangs(const TlcLangDispatcher* dispatcher) {
  return dispatcher ? dispatcher->LinkedLangs() : std::vector<TlcCustomLang*>{};
}

void DispatcherRegisterLoaded(TlcLangDispatcher* dispatcher, TlcCustomLang* lang) {
  if (dispatcher) dispatcher->Link(lang);
}

void DeclareLangDispatcherProperty(TPropertyTable& p) {
  p.Object("LangDispatcher", &TlcCustomLang::LangDispatcher, &TlcCustomLang::SetLangDispatcher);
}

// The component's side of the link.
void TlcCustomLang::SetLangDispatcher(TlcLangDispatcher* value) {
  if (value == dispatcher_ && (!value || IsLoading())) return;
  if (dispatcher_ && dispatcher_ != value) {
    dispatcher_->Unlink(this);
    RemoveFreeNotification(dispatcher_);
  }
  dispatcher_ = value;
  if (!value) return;
  FreeNotification(value);
  if (IsLoading()) {
    // Linking waits for the end of loading; the count is needed for the stored lines.
    SetNumOfLanguages(value->NumOfLanguages());
    return;
  }
  value->Link(this);
}

// ---------------------------------------------------------------------------------------

QUILLIMO_REGISTER_CLASS(TTestModeInfo, [](TPropertyTable& p) {
  p.Bool("Active", &TTestModeInfo::Active, false);
  p.Enum("Kind", &TTestModeInfo::Kind, nullptr, tmkExpandWidth);
  p.Integer("ExpandWidthPercent", &TTestModeInfo::ExpandWidthPercent, 100);
  p.Integer("ExpandCharsPercent", &TTestModeInfo::ExpandCharsPercent, 100);
  p.Char("PaddingChar", &TTestModeInfo::PaddingChar, nullptr, '*');
})

QUILLIMO_REGISTER_CLASS(TlcLangDispatcher, [](TPropertyTable& p) {
  using D = TlcLangDispatcher;
  p.Integer("ActiveLanguage", &D::ActiveLanguage, &D::SetActiveLanguage, 1);
  p.Integer("NumOfLanguages", &D::NumOfLanguages, &D::SetNumOfLanguages, 1);
  p.Object("LangNames", &D::LangNames, &D::SetLangNames);
  p.String("Language", &D::Language, &D::SetLanguage);
  p.String("FileName", &D::FileName, &D::SetFileName);
  p.Event("OnLinkToDispatcher", &D::OnLinkToDispatcher);
  p.Object("TestModeInfo", &D::TestModeInfo, &D::SetTestModeInfo);
  p.Bool("TestMode", &D::TestMode, &D::SetTestMode, false).Stored(false);
  p.Integer("TestPercentage", &D::TestPercentage, &D::SetTestPercentage, 0).Stored(false);
})
