// How long the real main window takes to switch its language: the program's own windows are
// created as at start-up, over a Turkish and an English catalogue of a few programs in a
// temporary program directory on the local disk; the tool bar's two language commands are then
// run in turn (all seven steps of a switch: the language radio group, the language code, the
// catalogue and help of the language, the table's captions, the tray menu and the caption).
// Printed: the time per switch in each direction, the share of the table alone (lcLang1's
// ActiveLanguage), and the window texts written when the active language is set again and when
// the table is applied again unchanged (both must be 0).
//   wine bench_lang_switch.exe [switches]   (switches per direction, default 200)
#include "app/main_window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "program_start.h"
#include "window_clock.h"
#include "toolkit/win/application.h"

#include <windows.h>

namespace {

int textWrites = 0;
LRESULT CALLBACK CountTextWrites(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lp)->message == WM_SETTEXT) ++textWrites;
  return CallNextHookEx(nullptr, code, wp, lp);
}

void Print(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-28s n=%4zu  median %7.3f ms  min %7.3f ms  p90 %7.3f ms  max %7.3f ms\n", what, ms.size(),
              ms[ms.size() / 2], ms.front(), ms[ms.size() * 9 / 10], ms.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int switches = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
  if (!StartProgramForBenchmark()) return 1;
  static apptest::TempCatalogue catalogue;
  std::vector<apptest::Program> programs;
  for (const char* name : {"Sabah", "Aksam", "Gece", "Hedefler"})
    programs.push_back({name, true, {{"Ben sakinim"}, {"Her gun daha iyi"}, {"Kolayca odaklaniyorum"}}});
  catalogue.Write(programs);
  std::string english;
  for (const char* name : {"Calm", "Goals", "Confidence", "Happiness"}) {
    english += std::string(name) + ",1\r\n";
    catalogue.WriteFile(std::string("language1\\") + name + ".txt", "I am calm,1\r\nEvery day better,1\r\nFocus,0\r\n");
  }
  catalogue.WriteFile("programlist1.txt", english);

  std::vector<double> toEnglish, toTurkish, tableToEnglish, tableToTurkish;
  for (int i = 0; i < switches; ++i) {
    double start = NowMs();
    Form1->ToolButton1Click(Form1->ToolButton1);
    toEnglish.push_back(NowMs() - start);
    start = NowMs();
    Form1->ToolButton2Click(Form1->ToolButton2);
    toTurkish.push_back(NowMs() - start);
  }
  for (int i = 0; i < switches; ++i) {
    double start = NowMs();
    Form1->lcLang1->SetActiveLanguage(2);
    tableToEnglish.push_back(NowMs() - start);
    start = NowMs();
    Form1->lcLang1->SetActiveLanguage(1);
    tableToTurkish.push_back(NowMs() - start);
  }

  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &CountTextWrites, nullptr, GetCurrentThreadId());
  Form1->ToolButton1Click(Form1->ToolButton1);
  textWrites = 0;
  Form1->lcLang1->SetActiveLanguage(2);
  const int writesSetAgain = textWrites;
  textWrites = 0;
  Form1->lcLang1->ApplyTranslation();
  const int writesAppliedAgain = textWrites;
  UnhookWindowsHookEx(hook);

  std::printf("language switch of the main window, %d switches each way\n", switches);
  Print("switch to English", toEnglish);
  Print("switch to Turkish", toTurkish);
  Print(" table alone, to English", tableToEnglish);
  Print(" table alone, to Turkish", tableToTurkish);
  std::printf("window texts written: active language set again %d, table applied again %d\n", writesSetAgain,
              writesAppliedAgain);
  return 0;
}
