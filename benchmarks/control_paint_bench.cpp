// Skinned controls: a full repaint of the main window's client area with every companion (each
// of its four tabs, the stored skin and a keyed one), and the GDI objects the process holds after
// the first Skin menu switch and after fifty more.
//
//   bash scripts/with-display.sh bash scripts/wine-run.sh build/windows/benchmarks/bench_control_paint.exe [rounds]
#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program_directory.h"
#include "app_test_support.h"
#include "program_start.h"
#include "figures.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/process_resources.h"
#include "win_test_support.h"

namespace {
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Invalidates the whole client area with every child window and paints it at once.
double FullRepaint(HWND wnd) {
  const auto start = Clock::now();
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return Ms(Clock::now() - start);
}

void SwitchSkin(int number) {
  void (TForm1::*commands[])(TObject*) = {&TForm1::Arayz11Click, &TForm1::Arayz21Click, &TForm1::Arayz31Click,
                                          &TForm1::Arayz41Click, &TForm1::Arayz51Click, &TForm1::Arayz61Click};
  (Form1->*commands[number % 6])(nullptr);
  PumpUntil([] { return GetSkinManager()->PendingSkin() == nullptr; }, 3000);
  PumpFor(30);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 50;
  if (!StartProgramForBenchmark()) return 1;
  SetProgramDirectory(QUILLIMO_PROGRAM_DIR);
  HWND main = Form1->Handle();
  SetForegroundWindow(main);
  PumpFor(500);

  for (int skin = -1; skin < 1; ++skin) {
    if (skin >= 0) SwitchSkin(skin);
    for (int page = 0; page < Form1->PageControl1->PageCount(); ++page) {
      Form1->PageControl1->SetActivePageIndex(page);
      PumpFor(100);
      Figures f;
      for (int i = 0; i < rounds; ++i) f.values.push_back(FullRepaint(main));
      const std::string what = "full client repaint, " + Form1->skin->Model().SkinName + ", tab " + std::to_string(page + 1);
      f.Print(what.c_str(), 5);
    }
  }
  Form1->PageControl1->SetActivePageIndex(0);

  SwitchSkin(1);
  const unsigned afterFirst = ProcessGdiObjects();
  for (int i = 0; i < 50; ++i) SwitchSkin(2 + i);
  // Back to the skin of the first count, so that both hold the same skin's objects.
  SwitchSkin(1);
  std::printf("GDI objects after the first skin switch %u, after 51 more %u\n", afterFirst, ProcessGdiObjects());
  return 0;
}
