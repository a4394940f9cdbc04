// The main window "Quillimo v 1.1": client area 547 x 420, centred on the screen, fixed border.
#pragma once

#include <windows.h>

namespace quillimo::app {

inline constexpr wchar_t kMainWindowCaption[] = L"Quillimo v 1.1";
inline constexpr int kMainClientWidth = 547;
inline constexpr int kMainClientHeight = 420;

// Registers the window class and creates the (still hidden) main window; null on failure.
// Closing the window ends the message loop.
HWND CreateMainWindow(HINSTANCE instance);

}  // namespace quillimo::app
