// skinshots: the program's own windows in each of the seven skins, as a user sees them, for the
// contact sheet. One row per skin (the stored skin, then "Arayüz 1" ... "Arayüz 6" from the
// Skin menu): the main window on each of its tabs, the About window, an error box, and the main
// window with the Skin menu open. Written as one 24-bit BMP.
//
//   skinshots.exe OUT.bmp      (under Wine, on a virtual display: scripts/contact-sheet.sh)
#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/program_directory.h"
#include "app_test_support.h"
#include "skin/data/skin_manager.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/window_side.h"
#include "toolkit/core/bmp_codec.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/menus.h"
#include "win_test_support.h"

namespace {
constexpr int kGap = 12;
constexpr TColor kSheet = 0x403830;

// What the screen shows in the rectangle.
TBitmapPixels Grab(const RECT& r) {
  TBitmap out(r.right - r.left, r.bottom - r.top);
  TClientDC screen(nullptr);
  BitBlt(out.Canvas().Handle(), 0, 0, out.Width(), out.Height(), screen, r.left, r.top, SRCCOPY);
  return out.Pixels();
}

RECT WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

void Settle(int ms = 250) { PumpFor(ms); }

// Shots taken from timers inside modal loops (message box, menu).
struct ModalShot {
  static inline TBitmapPixels shot;
  static inline bool taken = false;
};

TBitmapPixels ErrorBoxShot() {
  ModalShot::taken = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowW(L"#32770", nullptr);
    if (!box) return;
    KillTimer(nullptr, id);
    ModalShot::shot = Grab(WindowRectOf(box));
    ModalShot::taken = true;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  MessageBoxW(Form1->Handle(), L"'abc' is not a valid integer value.", L"Quillimo", MB_OK | MB_ICONSTOP);
  KillTimer(nullptr, timer);
  return ModalShot::taken ? ModalShot::shot : TBitmapPixels();
}

TBitmapPixels SkinMenuShot(TSkinFormFrame& frame) {
  TMenuBtn* skins = nullptr;
  if (frame.SkinMenu)
    for (auto& b : frame.SkinMenu->MenuButtons)
      if (b->SubMenu == Form1->Arayz1->Handle()) skins = b.get();
  ModalShot::taken = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, id);
    RECT r = WindowRectOf(Form1->Handle()), m = WindowRectOf(menu);
    UnionRect(&r, &r, &m);
    ModalShot::shot = Grab(r);
    ModalShot::taken = true;
    EndMenu();
  });
  if (skins) {
    PostOpenMenuButton(frame, *skins);
    PumpUntil([] { return ModalShot::taken; }, 3000);
  } else {
    // Without a skinned bar the native menu is opened by its key.
    ModalShot::shot = Grab(WindowRectOf(Form1->Handle()));
  }
  KillTimer(nullptr, timer);
  Settle(100);
  return ModalShot::shot;
}

std::vector<TBitmapPixels> Row() {
  std::vector<TBitmapPixels> shots;
  HWND main = Form1->Handle();
  SetForegroundWindow(main);
  // The main window once per tab, then back on the first.
  const int pages = Form1->PageControl1->PageCount();
  for (int page = 0; page < pages; ++page) {
    Form1->PageControl1->SetActivePageIndex(page);
    Settle();
    shots.push_back(Grab(WindowRectOf(main)));
  }
  Form1->PageControl1->SetActivePageIndex(0);
  Settle();
  Form2->Show();
  SetForegroundWindow(Form2->Handle());
  Settle(400);
  shots.push_back(Grab(WindowRectOf(Form2->Handle())));
  Form2->Hide();
  Settle();
  shots.push_back(ErrorBoxShot());
  TSkinFormFrame* frame = FrameWindowSide() ? FrameWindowSide()->FindForm(main) : nullptr;
  if (frame) shots.push_back(SkinMenuShot(*frame));
  return shots;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skinshots OUT.bmp\n");
    return 2;
  }
  std::string failure;
  if (!apptest::StartProgramWindows(failure)) {
    std::fprintf(stderr, "start-up failed: %s\n", failure.c_str());
    return 1;
  }
  SetProgramDirectory(QUILLIMO_PROGRAM_DIR);
  void (TForm1::*commands[])(TObject*) = {nullptr, &TForm1::Arayz11Click, &TForm1::Arayz21Click, &TForm1::Arayz31Click,
                                          &TForm1::Arayz41Click, &TForm1::Arayz51Click, &TForm1::Arayz61Click};
  std::vector<std::vector<TBitmapPixels>> rows;
  for (auto command : commands) {
    if (command) {
      (Form1->*command)(nullptr);
      PumpUntil([] { return GetSkinManager() && GetSkinManager()->PendingSkin == nullptr; }, 3000);
    }
    Settle(400);
    rows.push_back(Row());
    std::fprintf(stderr, "row %zu: %s\n", rows.size(), Form1->skin->SkinName.c_str());
  }
  int width = 0, height = kGap;
  for (auto& row : rows) {
    int w = kGap, h = 0;
    for (auto& shot : row) {
      w += shot.Width() + kGap;
      h = std::max(h, shot.Height());
    }
    width = std::max(width, w);
    height += h + kGap;
  }
  TBitmapPixels sheet(width, height);
  sheet.Fill(kSheet);
  int y = kGap;
  for (auto& row : rows) {
    int x = kGap, h = 0;
    for (auto& shot : row) {
      sheet.CopyRect(x, y, shot, 0, 0, shot.Width(), shot.Height());
      x += shot.Width() + kGap;
      h = std::max(h, shot.Height());
    }
    y += h + kGap;
  }
  const std::vector<std::uint8_t> bmp = EncodeBmp(sheet);
  std::ofstream(argv[1], std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  return 0;
}
