#include "localisation/ltb_file.h"

#include "localisation/lang_component.h"
#include "localisation/restoring_scope.h"
#include "localisation/translation_table.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/writer.h"

namespace {

// Little-endian fields read from a block of bytes; running short raises EReadError.
class TByteCursor {
public:
  explicit TByteCursor(std::string_view bytes) : bytes_(bytes) {}

  std::string_view Take(std::size_t count) {
    if (count > bytes_.size() - pos_) throw EReadError(ExceptionText::ReadError);
    std::string_view out = bytes_.substr(pos_, count);
    pos_ += count;
    return out;
  }
  std::uint32_t Unsigned(std::size_t size) {
    std::string_view b = Take(size);
    std::uint32_t v = 0;
    for (std::size_t i = size; i-- > 0;) v = (v << 8) | static_cast<std::uint8_t>(b[i]);
    return v;
  }

private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

void PutUnsigned(std::string& out, std::uint32_t value, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Marks a table temporary for a scope, putting the former mark back.
TRestoringScope<bool> TemporaryMark(TlcTranslationTable& table) {
  return {table.IsTemporary(), true, [&table](bool value) { table.SetTemporary(value); }};
}

}  // namespace

std::unique_ptr<TlcCustomLang> TLTBFileManager::ReadStored(TStream& stream, TlcCustomLang& lang) {
  const std::string bytes = stream.ReadToEnd();
  TByteCursor cursor(bytes);
  if (bytes.size() < LTBHeader.size() || std::string_view(bytes).substr(0, LTBHeader.size()) != LTBHeader)
    throw EFilerError(LTBFormatError);
  cursor.Take(LTBHeader.size());
  const std::uint32_t forms = cursor.Unsigned(2);
  fixedLanguages_.clear();
  if (cursor.Unsigned(2) != 0) {
    const std::uint32_t length = cursor.Unsigned(4);
    TStringList names;
    names.SetText(AnsiToUtf8(cursor.Take(length)));
    for (int i = 0; i < names.Count(); ++i) fixedLanguages_.push_back(names.Strings(i));
  }
  if (!lang.Owner()) return nullptr;
  const std::string& formClass = lang.Owner()->ClassName();
  for (std::uint32_t f = 0; f < forms; ++f) {
    const std::uint32_t nameLength = cursor.Unsigned(2);
    const std::string_view name = cursor.Take(nameLength);
    const auto offset = static_cast<std::int32_t>(cursor.Unsigned(4));
    if (name != formClass) continue;
    if (offset < 0 || static_cast<std::size_t>(offset) >= bytes.size()) throw EReadError(ExceptionText::ReadError);

    TObject* created = lang.ClassInfo().Create(nullptr);
    std::unique_ptr<TlcCustomLang> stored(dynamic_cast<TlcCustomLang*>(created));
    if (!stored) {
      delete created;
      throw EFilerError(LTBFormatError);
    }
    stored->Table().SetTemporary(true);
    TBufferStream data(std::string_view(bytes).substr(static_cast<std::size_t>(offset)));
    ReadComponentFromStream(data, stored.get());
    return stored;
  }
  return nullptr;
}

void MoveOwnerEntryFirst(int t, TlcCustomLang& lang) {
  TStrings* section = lang.SectionStrings(t);
  if (!section || !lang.Owner() || !(t == stCaptions || t == stHints || t == stFonts || t == stCharSets)) return;
  const std::string prefix = lang.Owner()->ClassName() + lang.Delim();
  for (int i = 1; i < section->Count(); ++i) {
    if (section->Strings(i).starts_with(prefix)) {
      section->Move(i, 0);
      return;
    }
  }
}

void TakeStoredSection(int t, const TlcCustomLang& stored, TlcCustomLang& lang) {
  TStrings* from = stored.SectionStrings(t);
  TStrings* to = lang.SectionStrings(t);
  if (!from || !to) return;
  to->Assign(from);
  MoveOwnerEntryFirst(t, lang);
}

bool TLTBFileManager::ReadTranslation(TStream& stream, TlcCustomLang& lang) {
  std::unique_ptr<TlcCustomLang> stored;
  {
    const auto mark = TemporaryMark(lang.Table());
    stored = ReadStored(stream, lang);
  }
  if (!stored) return false;
  const auto mark = TemporaryMark(lang.Table());
  for (int t = 0; t < StringsTypeCount; ++t) TakeStoredSection(t, *stored, lang);
  lang.SetLangNames(stored->LangNames());
  TlcExtendedItems* items = lang.ExtendedTranslations();
  items->Clear();
  TlcExtendedItems* storedItems = stored->ExtendedTranslations();
  for (int i = 0; i < storedItems->Count(); ++i) {
    TlcExtendedItem* source = storedItems->Item(i);
    TlcExtendedItem* item = items->AddItem();
    item->SetIdentifier(source->Identifier());
    item->SetPropertyType(source->PropertyType());
    item->SetValues(source->Values());
  }
  return true;
}

bool TLTBFileManager::ReadTranslation(const std::string& fileName, TlcCustomLang& lang) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
  return ReadTranslation(file, lang);
}

// ---------------------------------------------------------------------------------------
// Writing

std::string MakeLTBImage(const std::vector<TLTBForm>& forms, const std::vector<std::string>& fixedLanguages) {
  std::string head(LTBHeader);
  PutUnsigned(head, static_cast<std::uint32_t>(forms.size()), 2);
  PutUnsigned(head, fixedLanguages.empty() ? 0 : 1, 2);
  if (!fixedLanguages.empty()) {
    std::string text;
    for (const std::string& name : fixedLanguages) text += name + "\r\n";
    text = Utf8ToAnsi(text);
    PutUnsigned(head, static_cast<std::uint32_t>(text.size()), 4);
    head += text;
  }
  std::size_t offset = head.size();
  for (const TLTBForm& form : forms) offset += 2 + form.className.size() + 4;
  std::string data;
  for (const TLTBForm& form : forms) {
    PutUnsigned(head, static_cast<std::uint32_t>(form.className.size()), 2);
    head += form.className;
    PutUnsigned(head, static_cast<std::uint32_t>(offset + data.size()), 4);
    data += form.componentStream;
  }
  return head + data;
}

std::string ComponentStreamOf(TComponent& component) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteRootComponent(&component);
  }
  return std::string(stream.Bytes());
}
