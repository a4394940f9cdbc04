#include "toolkit/win/dpi_awareness.h"

namespace {

template <class F>
F User32Function(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The screen's resolution as older systems give it: one for all monitors.
int ScreenDcPixelsPerInch() {
  HDC dc = GetDC(nullptr);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}

}  // namespace

bool DeclarePerMonitorDpiAwareness() {
  using TSetContext = BOOL(WINAPI*)(HANDLE);
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (auto set = User32Function<TSetContext>("SetProcessDpiAwarenessContext"))
    return set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4))) != FALSE;
  return SetProcessDPIAware() != FALSE;
}

int SystemPixelsPerInch() {
  using TGetDpiForSystem = UINT(WINAPI*)();
  static const auto forSystem = User32Function<TGetDpiForSystem>("GetDpiForSystem");
  if (forSystem) return static_cast<int>(forSystem());
  return ScreenDcPixelsPerInch();
}

int WindowPixelsPerInch(HWND wnd) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto forWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
  if (forWindow && wnd) {
    const UINT dpi = forWindow(wnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemPixelsPerInch();
}
