// Applying a language to a form with 200 translated properties and a 1,000-line Strings
// section, and 10,000 LookupText calls. Prints the figures.
#include <chrono>
#include <cstdio>
#include <string>

#include "localisation/lang_component.h"
#include "localisation/test_components.h"

namespace {

constexpr char D = '\x01';

std::string Line(const std::string& key, const std::string& v1, const std::string& v2) {
  return key + D + v1 + D + v2 + D;
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  TForm1 form;
  auto* lang = new TlcLang(&form);
  lang->SetNumOfLanguages(2);
  TStringList names;
  names.Add("Türkçe");
  names.Add("English");
  lang->SetLangNames(&names);
  lang->SetNeedAllDlgs(true);

  TStrings* captions = lang->SectionStrings(stCaptions);
  TStrings* others = lang->SectionStrings(stOtherStrings);
  captions->Add(Line("TForm1", "Form", "Form"));
  for (int i = 0; i < 100; ++i) {
    auto* button = new TTestButton(&form);
    button->SetName("Button" + std::to_string(i));
    captions->Add(Line(button->Name(), "Düğme " + std::to_string(i), "Button " + std::to_string(i)));
    auto* edit = new TTestEdit(&form);
    edit->SetName("Edit" + std::to_string(i));
    others->Add(Line(edit->Name() + ".Text", "metin " + std::to_string(i), "text " + std::to_string(i)));
  }
  TStringList strings;
  for (int i = 0; i < 1000; ++i)
    strings.Add(Line("SString" + std::to_string(i), "dize " + std::to_string(i), "string " + std::to_string(i)));
  lang->SetSection(stStrings, &strings);

  constexpr int kSwitches = 200;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kSwitches; ++i) lang->SetActiveLanguage(i % 2 ? 1 : 2);
  double switching = MillisecondsSince(start);

  // Every value equals what the form shows: an application that writes nothing.
  PropertyWrites() = 0;
  TStringList same;
  same.Assign(captions);
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kSwitches; ++i) lang->SetSection(stCaptions, &same);
  double unchanged = MillisecondsSince(start);
  int writes = PropertyWrites();

  constexpr int kLookups = 10000;
  std::size_t total = 0;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kLookups; ++i)
    total += lang->LookupText(stStrings, "sstring" + std::to_string(i % 1000), true).size();
  double stringsLookup = MillisecondsSince(start);
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kLookups; ++i) total += lang->LookupText(stDlgsCaptions, i % 2 ? "Font:" : "(None)", true).size();
  double dialogLookup = MillisecondsSince(start);

  std::printf("language switch (200 properties, 1,000 Strings lines): %.3f ms each (%d switches)\n",
              switching / kSwitches, kSwitches);
  std::printf("re-applying unchanged Captions: %.3f ms each, %d property writes\n", unchanged / kSwitches, writes);
  std::printf("LookupText Strings (sorted rows): %d calls in %.2f ms (%.2f us each)\n", kLookups, stringsLookup,
              stringsLookup * 1000 / kLookups);
  std::printf("LookupText DlgsCaptions (82 rows, text search): %d calls in %.2f ms (%.2f us each)\n", kLookups,
              dialogLookup, dialogLookup * 1000 / kLookups);
  std::printf("(checksum %zu)\n", total);
  return 0;
}
