#include "app/composition_clock.h"

#include <windows.h>
#include <dwmapi.h>

namespace {
// The three functions of dwmapi, looked up once; all empty where the library is missing.
struct TDwmFunctions {
  HRESULT(WINAPI* IsCompositionEnabled)(BOOL*) = nullptr;
  HRESULT(WINAPI* GetCompositionTimingInfo)(HWND, DWM_TIMING_INFO*) = nullptr;
  HRESULT(WINAPI* Flush)() = nullptr;
  bool Complete() const { return IsCompositionEnabled && GetCompositionTimingInfo && Flush; }
};

template <class F>
void Find(HMODULE module, const char* name, F& function) {
  function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const TDwmFunctions& Dwm() {
  static const TDwmFunctions functions = [] {
    TDwmFunctions f;
    // From the system's directory only, never from beside the program.
    HMODULE module = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return f;
    Find(module, "DwmIsCompositionEnabled", f.IsCompositionEnabled);
    Find(module, "DwmGetCompositionTimingInfo", f.GetCompositionTimingInfo);
    Find(module, "DwmFlush", f.Flush);
    return f;
  }();
  return functions;
}
}  // namespace

double TCompositionClock::FramePeriodMs() {
  const TDwmFunctions& dwm = Dwm();
  if (!dwm.Complete()) return 0;
  BOOL composed = FALSE;
  if (FAILED(dwm.IsCompositionEnabled(&composed)) || !composed) return 0;
  DWM_TIMING_INFO timing{};
  timing.cbSize = sizeof(timing);
  // The desktop's own timing: no window (since Windows 8.1 a window is refused).
  if (FAILED(dwm.GetCompositionTimingInfo(nullptr, &timing))) return 0;
  const UNSIGNED_RATIO rate = timing.rateRefresh;  // compositions per second
  if (rate.uiNumerator == 0 || rate.uiDenominator == 0) return 0;
  return 1000.0 * rate.uiDenominator / rate.uiNumerator;
}

void TCompositionClock::WaitForComposition() {
  // Composition turned off meanwhile: a frame of 60 Hz instead, so that no flash is cut short.
  if (!Dwm().Flush || FAILED(Dwm().Flush())) Sleep(17);
}
