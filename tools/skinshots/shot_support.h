#pragma once
// What skinshots photographs with: the screen in a rectangle (screen_capture.h), and shots taken
// from a timer inside a modal loop (a message box, an open menu).
#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/menu_bar.h"
#include "toolkit/core/bmp_codec.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/graphics.h"
#include "screen_capture.h"
#include "win_test_support.h"

namespace shots {
inline constexpr int kGap = 12;
inline constexpr TColor kSheet = 0x403830;

inline RECT WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

inline void Settle(int ms = 250) { PumpFor(ms); }

// Shots taken from timers inside modal loops (message box, menu).
struct ModalShot {
  static inline TBitmapPixels shot;
  static inline bool taken = false;
};

inline TBitmapPixels ErrorBoxShot() {
  ModalShot::taken = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowW(L"#32770", nullptr);
    if (!box) return;
    KillTimer(nullptr, id);
    ModalShot::shot = ScreenPixels(WindowRectOf(box));
    ModalShot::taken = true;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  MessageBoxW(Form1->Handle(), L"'abc' is not a valid integer value.", L"Quillimo", MB_OK | MB_ICONSTOP);
  KillTimer(nullptr, timer);
  return ModalShot::taken ? ModalShot::shot : TBitmapPixels();
}

inline TBitmapPixels SkinMenuShot(TSkinFormFrame& frame) {
  TMenuBtn* skins = nullptr;
  if (TSkinMenuBar* bar = frame.Menus().Bar())
    for (auto& b : bar->Buttons())
      if (b->SubMenu() == Form1->Arayz1->Handle()) skins = b.get();
  ModalShot::taken = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, id);
    RECT r = WindowRectOf(Form1->Handle()), m = WindowRectOf(menu);
    UnionRect(&r, &r, &m);
    ModalShot::shot = ScreenPixels(r);
    ModalShot::taken = true;
    EndMenu();
  });
  if (skins) {
    frame.Menus().PostOpenBarButton(*skins);
    PumpUntil([] { return ModalShot::taken; }, 3000);
  } else {
    // Without a skinned bar the native menu is opened by its key.
    ModalShot::shot = ScreenPixels(WindowRectOf(Form1->Handle()));
  }
  KillTimer(nullptr, timer);
  Settle(100);
  return ModalShot::shot;
}

inline void WriteBmp(const TBitmapPixels& pixels, const std::string& path) {
  const std::vector<std::uint8_t> bmp = EncodeBmp(pixels);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
}
}  // namespace shots
