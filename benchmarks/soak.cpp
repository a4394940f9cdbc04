// A soak of the real main window: 10,000 flashes, 200 Skin menu switches across the six skin
// files, 100 language switches and 50 rounds of the four tabs, in 50 rounds that mix them. The
// process's GDI objects, private bytes and handles are printed at the start, after a warm-up
// round of each kind, every ten rounds and at the end; after the warm-up they should stay level.
//
// The flashes come one after another as fast as the window shows and hides them: the period
// timer's handler (which picks the message and shows the flash window) and, once the flash window
// has painted, the duration timer's handler (which hides it) are called directly; the engine's
// own shortest period is a second.
//
//   bash scripts/with-display.sh bash scripts/wine-run.sh build/windows-release/benchmarks/soak.exe [divisor]
// A divisor of 10 runs a tenth of every count.
#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/flash_window.h"
#include "app/main_window.h"
#include "app/program_directory.h"
#include "app_test_support.h"
#include "program_start.h"
#include "skin/data/skin_manager.h"
#include "toolkit/win/process_resources.h"
#include "win_test_support.h"

namespace {

constexpr int kRounds = 50;
constexpr int kFlashesPerRound = 200;
constexpr int kSkinsPerRound = 4;
constexpr int kLanguageSwitchesPerRound = 2;

// Dispatches what is waiting, without waiting for more.
void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Flash() {
  Form1->Timer1Timer(Form1->Timer1);
  UpdateWindow(Form3->Handle());
  PumpPending();
  Form1->Timer2Timer(Form1->Timer2);
  PumpPending();
}

int skinsChosen = 0;
void NextSkin() {
  TMenuItem* items[] = {Form1->Arayz11, Form1->Arayz21, Form1->Arayz31, Form1->Arayz41, Form1->Arayz51, Form1->Arayz61};
  items[skinsChosen++ % 6]->Click();
  PumpUntil([] { return GetSkinManager()->PendingSkin() == nullptr; }, 3000);
  PumpPending();
}

int languageSwitches = 0;
void SwitchLanguage() {
  apptest::ClickToolButton(++languageSwitches % 2 ? Form1->ToolButton1 : Form1->ToolButton2);
  PumpPending();
}

void TabRound() {
  for (int page = 0; page < Form1->PageControl1->PageCount(); ++page) {
    Form1->PageControl1->SetActivePageIndex(page);
    UpdateWindow(Form1->Handle());
    PumpPending();
  }
  Form1->PageControl1->SetActivePageIndex(0);
  PumpPending();
}

// The skin in use is named: the objects of the window's frame differ a little between skins.
void Print(const char* when, double seconds) {
  std::printf("%-18s GDI objects %5u  private bytes %10zu  handles %5u  (%6.1f s, %s)\n", when, ProcessGdiObjects(),
              ProcessPrivateBytes(), ProcessHandleCount(), seconds, Form1->skin->Model().SkinName.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int divisor = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  const int flashes = std::max(1, kFlashesPerRound / divisor);
  const int rounds = std::max(1, kRounds / divisor);
  const auto start = std::chrono::steady_clock::now();
  auto seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };

  if (!StartProgramForBenchmark()) return 1;
  // The program's build directory: the delivered catalogue and the six skin files.
  SetProgramDirectory(QUILLIMO_PROGRAM_DIR);
  Form1->ShowCatalogue();
  SetForegroundWindow(Form1->Handle());
  PumpFor(300);
  Print("start", seconds());

  // Flashing as the Start command begins it (the run list of every ticked message); the timers
  // stop again, and their handlers are called here instead.
  Form1->ToolButton6Click(Form1->ToolButton6);
  Form1->ToolButton3Click(Form1->ToolButton3);
  if (Form1->flashEngine.RunList().empty()) {
    std::fprintf(stderr, "no ticked message in the catalogue of %s\n", QUILLIMO_PROGRAM_DIR);
    return 1;
  }
  for (int i = 0; i < flashes; ++i) Flash();
  for (int i = 0; i < 6; ++i) NextSkin();
  for (int i = 0; i < 2; ++i) SwitchLanguage();
  TabRound();
  Print("after warm-up", seconds());

  int flashesDone = 0, skinsDone = 0, languagesDone = 0;
  for (int round = 1; round <= rounds; ++round) {
    for (int i = 0; i < flashes; ++i, ++flashesDone) Flash();
    for (int i = 0; i < kSkinsPerRound; ++i, ++skinsDone) NextSkin();
    for (int i = 0; i < kLanguageSwitchesPerRound; ++i, ++languagesDone) SwitchLanguage();
    TabRound();
    if (round % 10 == 0 && round != rounds) Print(("after round " + std::to_string(round)).c_str(), seconds());
  }
  Print("end", seconds());
  std::printf("%d flashes, %d skin switches, %d language switches, %d tab rounds after the warm-up\n", flashesDone,
              skinsDone, languagesDone, rounds);
  return 0;
}
