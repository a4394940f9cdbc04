// How exactly the flashing engine keeps its times with the toolkit's timers: engines with a
// period of 1 s and durations of 10, 20 and 40 ms, each showing and hiding a real borderless
// window without activating it, started a third of a second apart so that their flashes never
// meet. Show and hide are stamped on the high-resolution clock; the figures are the errors of
// the visible time against the duration and of the time between two shows against the period.
//   wine bench_flash_timing.exe [seconds]   (default 120: 120 flashes per duration)
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/formats/flash_scheduler.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/extctrls.h"

namespace {

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

LRESULT CALLBACK FlashProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 0, 0, text, lstrlenW(text));
    EndPaint(w, &ps);
    return 0;
  }
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(w, msg, wp, lp);
}

// An engine's host: two toolkit timers and a borderless flash window, with the times of every
// show and hide.
class BenchHost : public TFlashHost {
public:
  explicit BenchHost(HWND window) : window_(window) {
    period.OnTimer = [this](TObject*) { engine->PeriodTick(); };
    duration.OnTimer = [this](TObject*) { engine->DurationTick(); };
    period.SetEnabled(false);
    duration.SetEnabled(false);
  }
  void SetTimerEnabled(TFlashTimer t, bool enabled) override { Timer(t).SetEnabled(enabled); }
  void SetTimerInterval(TFlashTimer t, int ms) override { Timer(t).SetInterval(ms); }
  void ShowFlash(const std::string& text, int x, int y, bool centred) override {
    SetWindowTextW(window_, Utf8ToWide(text).c_str());
    SetWindowPos(window_, HWND_TOP, x, y, 120, 16, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window_);
    shows.push_back(NowMs());
  }
  void HideFlash() override {
    ShowWindow(window_, SW_HIDE);
    hides.push_back(NowMs());
  }

  TFlashScheduler* engine = nullptr;
  TTimer period{nullptr};
  TTimer duration{nullptr};
  std::vector<double> shows, hides;

private:
  TTimer& Timer(TFlashTimer t) { return t == TFlashTimer::Period ? period : duration; }
  HWND window_;
};

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
  auto at = [&](double q) { return errors[std::min(errors.size() - 1, static_cast<std::size_t>(q * static_cast<double>(errors.size())))]; };
  return {at(0.5), at(0.99), errors.back(), mean};
}

void Print(const char* what, int setting, std::size_t n, const Figures& f) {
  std::printf("%-9s %5d ms  n=%4zu  median |error| %6.3f ms  p99 %6.3f ms  max %6.3f ms  mean error %+7.3f ms\n",
              what, setting, n, f.median, f.p99, f.max, f.mean);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 120;
  Application->Initialize();
  WNDCLASSW wc{};
  wc.lpfnWndProc = FlashProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"TFlashBench";
  RegisterClassW(&wc);

  const int durations[] = {10, 20, 40};
  std::vector<std::unique_ptr<BenchHost>> hosts;
  std::vector<std::unique_ptr<TFlashScheduler>> engines;
  TRandomSource random;
  for (int duration : durations) {
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 120, 16, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    hosts.push_back(std::make_unique<BenchHost>(window));
    engines.push_back(std::make_unique<TFlashScheduler>(*hosts.back(), random));
    hosts.back()->engine = engines.back().get();
    (void)duration;
  }

  const double start = NowMs();
  std::size_t started = 0;
  while (NowMs() - start < seconds * 1000.0 + 1500.0) {
    // Start the engines a third of a second apart.
    if (started < engines.size() && NowMs() - start >= 333.0 * static_cast<double>(started)) {
      const std::string duration = std::to_string(durations[started]);
      engines[started]->Start([](const TFlashScheduler::TAddText& add) { add("I am calm and focused"); }, "1",
                              duration);
      ++started;
    }
    Application->HandleMessage();
  }
  for (auto& engine : engines) engine->Stop();

  std::printf("flash timing over %d s (period 1000 ms)\n", seconds);
  for (std::size_t i = 0; i < hosts.size(); ++i) {
    const BenchHost& h = *hosts[i];
    std::vector<double> visible, period;
    for (std::size_t k = 0; k < h.hides.size() && k < h.shows.size(); ++k)
      visible.push_back(h.hides[k] - h.shows[k] - durations[i]);
    for (std::size_t k = 1; k < h.shows.size(); ++k) period.push_back(h.shows[k] - h.shows[k - 1] - 1000.0);
    if (std::getenv("FLASH_TIMING_RAW")) {
      for (double e : visible) std::printf(" %.2f", e);
      std::printf("\n");
    }
    Print("visible", durations[i], visible.size(), Errors(visible));
    Print("period", 1000, period.size(), Errors(period));
  }
  return 0;
}
