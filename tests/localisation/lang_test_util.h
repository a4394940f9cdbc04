#pragma once
// Helpers of the localisation tests: translation lines, a form with a TlcLang, and a
// component that can be put through the end of loading.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "localisation/lang_component.h"
#include "localisation/test_components.h"

inline constexpr char D = '\x01';

// key D v1 D v2 D ...
inline std::string Line(std::initializer_list<std::string> fields) {
  std::string line;
  for (const std::string& f : fields) line += f + D;
  return line;
}

inline std::vector<std::string> Lines(const TStrings& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

inline void SetLines(TStrings& list, std::initializer_list<std::string> lines) {
  list.Clear();
  for (const std::string& l : lines) list.Add(l);
}

// A TlcLang whose loading can be simulated: StartLoading sets the loading state,
// FinishLoading runs the normalisation of the end of loading.
class TLoadableLang : public TlcLang {
public:
  using TlcLang::TlcLang;
  void StartLoading() { IncludeState(csLoading); }
  void FinishLoading() { Loaded(); }
  void SetDesign(bool designing) { SetDesigning(designing, false); }
};

// A two-language form: Turkish first, English second.
struct TLangForm {
  std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
  TLoadableLang* lang = new TLoadableLang(form.get());

  TLangForm() {
    form->SetName("Form1");
    lang->SetName("lcLang1");
    lang->SetNumOfLanguages(2);
    TStringList names;
    names.Add("Türkçe");
    names.Add("English");
    lang->SetLangNames(&names);
  }
  template <class T>
  T* Add(const std::string& name) {
    T* c = new T(form.get());
    c->SetName(name);
    return c;
  }
  TStrings& Section(int t) { return *lang->SectionStrings(t); }
};
