#pragma once
// What the screen shows, read back as pixels: the window tests check with it what reached the
// screen, and the picture tools (skinshots, skinview) take their photographs with it.
#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/graphics.h"

// What the screen shows in the rectangle (screen coordinates).
inline TBitmapPixels ScreenPixels(const RECT& r) {
  TBitmap out(r.right - r.left, r.bottom - r.top);
  TClientDC screen(nullptr);
  BitBlt(out.Canvas().Handle(), 0, 0, out.Width(), out.Height(), screen, r.left, r.top, SRCCOPY);
  return out.Pixels();
}

// What the screen shows over the window, its non-client area included.
inline TBitmapPixels ScreenPixelsOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return ScreenPixels(r);
}
