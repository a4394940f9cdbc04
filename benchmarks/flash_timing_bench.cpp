// How exactly the real flashing engine keeps its times: the program's own windows are created
// as at start-up, with a catalogue of a few ticked messages in a temporary program directory;
// the main window's engine is started with a period of 1 s and, in turn, durations of 10, 20
// and 40 ms. The moments the flash window Form3 is shown and hidden are stamped on the
// high-resolution clock from its own window messages (WM_WINDOWPOSCHANGED with SWP_SHOWWINDOW
// or SWP_HIDEWINDOW); the figures are the errors of the visible time against the duration and
// of the time between two shows against the period.
// "timer" is the duration timer's firing against the show, "hiding" the time from there until
// the window is hidden (the system's share).
// Where the desktop is composed, durations are counted in whole compositions instead of by the
// timer; the first lines say which path the engine takes here (under Wine: composition off,
// every flash hidden by the duration timer's tick, as it always was).
//   wine bench_flash_timing.exe [seconds]   (seconds per duration, default 60: 60 flashes each)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/composition_clock.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "program_start.h"
#include "window_clock.h"
#include "toolkit/win/application.h"

namespace {

std::vector<double> shows, hides, hideCalls;

LRESULT CALLBACK StampFlash(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_WINDOWPOSCHANGED) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
    if (pos->flags & SWP_SHOWWINDOW) shows.push_back(NowMs());
    if (pos->flags & SWP_HIDEWINDOW) hides.push_back(NowMs());
  }

  return DefSubclassProc(wnd, msg, wp, lp);
}

struct Figures {
  double median, p99, max, mean;
};

Figures Errors(std::vector<double> errors) {
  if (errors.empty()) return {};
  double sum = 0;
  for (double& e : errors) sum += e;
  const double mean = sum / static_cast<double>(errors.size());
  for (double& e : errors) e = std::fabs(e);
  std::sort(errors.begin(), errors.end());
  auto at = [&](double q) {
    return errors[std::min(errors.size() - 1, static_cast<std::size_t>(q * static_cast<double>(errors.size())))];
  };
  return {at(0.5), at(0.99), errors.back(), mean};
}

void Print(const char* what, int setting, std::size_t n, const Figures& f) {
  std::printf("%-9s %5d ms  n=%4zu  median |error| %6.3f ms  p99 %6.3f ms  max %6.3f ms  mean error %+7.3f ms\n", what,
              setting, n, f.median, f.p99, f.max, f.mean);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 60;
  if (!StartProgramForBenchmark()) return 1;
  static apptest::TempCatalogue catalogue;
  catalogue.Write({{"Sabah", true, {{"Ben sakinim"}, {"Her gun daha iyi"}, {"Kapali", false}}},
                   {"Aksam", false, {{"I am calm and focused"}, {"Uyku kolay gelir"}}}});
  SetWindowSubclass(Form3->Handle(), &StampFlash, 1, 0);
  // The moment the duration timer fires, to tell the timer's lateness from the time the system
  // takes to hide the window.
  Form1->Timer2->OnTimer = [](TObject*) {
    hideCalls.push_back(NowMs());
    Form1->Timer2Timer(Form1->Timer2);
  };

  std::printf("flash timing of the main window's engine, %d s per duration (period 1000 ms)\n", seconds);
  const double framePeriod = TCompositionClock().FramePeriodMs();
  if (framePeriod > 0)
    std::printf("desktop composed, a frame every %.3f ms: durations counted in whole frames\n", framePeriod);
  else
    std::printf("desktop not composed (or no timing): durations kept by the duration timer, unchanged\n");
  for (int duration : {10, 20, 40}) {
    shows.clear();
    hides.clear();
    hideCalls.clear();
    Form1->Edit1->SetText("1");
    Form1->Edit2->SetText(std::to_string(duration));
    Form1->ToolButton6Click(Form1->ToolButton6);
    const double start = NowMs();
    while (NowMs() - start < seconds * 1000.0 + 500.0) Application->HandleMessage();
    Form1->ToolButton3Click(Form1->ToolButton3);
    Form3->Hide();

    std::vector<double> visible, period;
    for (std::size_t k = 0; k < hides.size() && k < shows.size(); ++k)
      visible.push_back(hides[k] - shows[k] - duration);
    for (std::size_t k = 1; k < shows.size(); ++k) period.push_back(shows[k] - shows[k - 1] - 1000.0);
    if (std::getenv("FLASH_TIMING_RAW")) {
      for (double e : visible) std::printf(" %.2f", e);
      std::printf("\n");
    }
    std::vector<double> timerLate, hideTime;
    for (std::size_t k = 0; k < hideCalls.size() && k < shows.size() && k < hides.size(); ++k) {
      timerLate.push_back(hideCalls[k] - shows[k] - duration);
      hideTime.push_back(hides[k] - hideCalls[k]);
    }
    std::printf("duration %d ms: %zu flashes hidden, %zu of them by the duration timer's tick", duration, hides.size(),
                hideCalls.size());
    if (framePeriod > 0) std::printf(", %d frames each otherwise", FlashFrames(duration, framePeriod));
    std::printf("\n");
    Print("visible", duration, visible.size(), Errors(visible));
    Print(" timer", duration, timerLate.size(), Errors(timerLate));
    Print(" hiding", 0, hideTime.size(), Errors(hideTime));
    Print("period", 1000, period.size(), Errors(period));
  }
  RemoveWindowSubclass(Form3->Handle(), &StampFlash, 1);
  return 0;
}
