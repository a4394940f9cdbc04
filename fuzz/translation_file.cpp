// Text translation files from arbitrary bytes: loading, updating and reading one section
// never crash and never raise; lines of existing components that the file does not
// replace stay; what the component then holds can be saved and loaded again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "localisation/lang_component.h"
#include "localisation/lang_files.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

class TFuzzButton : public TComponent {
  QUILLIMO_CLASS(TFuzzButton, TComponent)
public:
  using TComponent::TComponent;
  std::string caption, hint, text;
};

class TForm1 : public TFuzzButton {
  QUILLIMO_CLASS(TForm1, TFuzzButton)
public:
  using TFuzzButton::TFuzzButton;
};

struct TFuzzForm {
  TForm1 form{nullptr};
  TlcLang* lang = new TlcLang(&form);
  TFuzzForm() {
    form.SetName("Form1");
    for (const char* name : {"Button1", "Button2", "Edit1"}) (new TFuzzButton(&form))->SetName(name);
    lang->SetNumOfLanguages(2);
    const char d = lang->Delim();
    auto line = [d](std::string key, std::string a, std::string b) { return key + d + a + d + b + d; };
    lang->SectionStrings(stCaptions)->Add(line("TForm1", "Başlık", "Title"));
    lang->SectionStrings(stCaptions)->Add(line("Button1", "Evet", "Yes"));
    lang->SectionStrings(stHints)->Add(line("Button2", "ipucu", "hint"));
    lang->SectionStrings(stOtherStrings)->Add(line("Edit1.Text", "2", ""));
    lang->SectionStrings(stStrings)->Add(line("Msg", "Merhaba", "Hello"));
  }
};

std::set<std::string> Keys(TlcCustomLang& lang, int t) {
  std::set<std::string> keys;
  TStrings* s = lang.SectionStrings(t);
  for (int i = 0; i < s->Count(); ++i) keys.insert(UpperCase(LineKey(s->Strings(i), lang.Delim())));
  return keys;
}

bool Contains(const std::set<std::string>& all, const std::set<std::string>& part) {
  for (const std::string& k : part)
    if (!all.contains(k)) return false;
  return true;
}

}  // namespace

QUILLIMO_REGISTER_CLASS(TFuzzButton, [](TPropertyTable& p) {
  p.String("Caption", &TFuzzButton::caption);
  p.String("Hint", &TFuzzButton::hint);
  p.String("Text", &TFuzzButton::text);
})
QUILLIMO_REGISTER_CLASS(TForm1)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  {
    TFuzzForm f;
    const std::set<std::string> before = Keys(*f.lang, stCaptions);
    TStringStream file(input);
    f.lang->Files().LoadFromStream(file, false);  // adding never loses a line of an existing component
    Check(Contains(Keys(*f.lang, stCaptions), before));
    Check(f.lang->Files().BatchDepth() == 0);
  }
  {
    TFuzzForm f;
    const std::set<std::string> captions = Keys(*f.lang, stCaptions), hints = Keys(*f.lang, stHints);
    TStringStream file(input);
    f.lang->Files().UpdateFromStream(file);  // keys the file lacks stay, failures restore
    Check(Contains(Keys(*f.lang, stCaptions), captions));
    Check(Contains(Keys(*f.lang, stHints), hints));
    f.lang->Files().LoadSectionFromStream(stStrings, file, true);
    f.lang->LookupText(stStrings, "Msg", true);
    Check(f.lang->Files().BatchDepth() == 0);

    // What the component holds now is written and read back alike.
    TStringStream saved;
    try {
      f.lang->Files().SaveToStream(saved, "~!@#");
    } catch (const EConvertError&) {
      return 0;  // a text the code page cannot hold is refused
    }
    TFuzzForm g;
    g.lang->Files().LoadFromStream(saved, true);
    Check(g.lang->Files().BatchDepth() == 0);
  }
  return 0;
}
