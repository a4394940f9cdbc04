// langtable: builds a window's translation table from the window itself, as the window's stored
// layout has it, and the texts of a further language from a text translation file.
//
//   langtable LAYOUT.txt TRANSLATIONS.lng LANGUAGE OUT
//
// LAYOUT is the window's text layout with its localisation component but without a table. The
// window is read into the program's own classes; the component's collector then takes every
// caption, hint, string list and string property as it stands (the design texts are language
// 1). The values of LANGUAGE come from TRANSLATIONS, a text translation file in UTF-8; a key there that the window does
// not have is an error, so that a renamed component or a typing error cannot go unseen. Every line of the sections
// looked up by key is padded to its full count of fields. OUT receives the component's "TranslationData" block.
//
// A Windows program (it needs the real window classes), run under Wine while building.
#include "app/main_window.h"
#include "app/skin_engine_setup.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "localisation/lang_files.h"
#include "localisation/translation_table.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/layout_text.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"

#include <windows.h>

QUILLIMO_LINK_CLASS(TForm1)

namespace {

std::string ReadFileBytes(const std::string& name) {
  TFileStream file(name, fmOpenRead);
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  file.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return bytes;
}

TlcCustomLang* FindLang(TComponent& root) {
  for (int i = 0; i < root.ComponentCount(); ++i)
    if (auto* lang = dynamic_cast<TlcCustomLang*>(root.Components(i))) return lang;
  throw Exception("the layout has no localisation component");
}

std::set<std::string> LineKeys(TlcCustomLang& lang) {
  std::set<std::string> keys;
  for (int t = 0; t < StringsTypeCount; ++t)
    if (TStrings* section = lang.SectionStrings(t))
      for (int i = 0; i < section->Count(); ++i)
        keys.insert(std::to_string(t) + ":" + ExtractLangField(section->Strings(i), lang.Delim(), 0));
  return keys;
}

// A string list's value is compared with the list's comma text before it is written, so a value
// in another form than the list's own (quotes around an empty line, say) would be written again
// at every switch: it is refused, with the form to write.
void CheckCommaTexts(TlcCustomLang& lang, const std::string& translations, int language) {
  TStrings* lines = lang.SectionStrings(stMultiLines);
  for (int i = 0; i < lines->Count(); ++i) {
    const std::string value = ExtractLangField(lines->Strings(i), lang.Delim(), language);
    TStringList list;
    list.SetCommaText(value);
    if (list.CommaText() != value)
      throw Exception(translations + ": " + LineKey(lines->Strings(i), lang.Delim()) +
                      " is not in the lists' own comma text form; write it as: " + list.CommaText());
  }
}

void Run(const std::string& layout, const std::string& translations, const std::string& language,
         const std::string& out) {
  TStringStream binary(ObjectTextToBinary(ReadFileBytes(layout)));
  TReader reader(binary);
  std::unique_ptr<TComponent> root(reader.ReadRootComponent(nullptr));
  TlcCustomLang& lang = *FindLang(*root);

  lang.Collect();
  const std::set<std::string> collected = LineKeys(lang);
  lang.SetDoRaiseExceptions(true);  // a file without that language is an error
  lang.Files().LoadLanguageFromFile(translations, language);
  lang.SetDoRaiseExceptions(false);
  std::string unknown;
  for (const std::string& key : LineKeys(lang))
    if (!collected.count(key)) unknown += " " + key.substr(key.find(':') + 1);
  if (!unknown.empty()) throw Exception(translations + ": keys the window does not have:" + unknown);
  CheckCommaTexts(lang, translations, lang.LangNames()->IndexOf(language) + 1);
  lang.Table().PadLines();

  TMemoryStream block;
  lang.WriteTranslationData(block);
  TFileStream file(out, fmCreate);
  file.WriteBuffer(block.Memory(), block.Size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fputs("usage: langtable LAYOUT.txt TRANSLATIONS.lng LANGUAGE OUT\n", stderr);
    return 2;
  }
  UseProgramSkinEngine();  // the layout holds the main window's skin component
  try {
    Application->Initialize();
    SetSystemAnsiCodePage(cpUtf8);  // the translation file's 8-bit text
    Run(WideToUtf8(argv[1]), WideToUtf8(argv[2]), WideToUtf8(argv[3]), WideToUtf8(argv[4]));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "langtable: %s\n", e.what());
    return 1;
  }
}
