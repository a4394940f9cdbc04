// skinshots: the program's own windows in each of the seven skins, as a user sees them, for the
// contact sheet. One row per skin (the stored skin, then "Arayüz 1" ... "Arayüz 6" from the
// Skin menu): the main window on each of its tabs, the About window, an error box, and the main
// window with the Skin menu open. Written as one 24-bit BMP.
//
//   skinshots.exe OUT.bmp      (under Wine, on a virtual display: scripts/contact-sheet.sh)
//   skinshots.exe OUT.bmp --skins 0,1   only those rows (0 the stored skin, 1 ... 6 the menu's)
//   skinshots.exe --docs DIR   the README's pictures (scripts/docs-pictures.sh)
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
#include "docs_pictures.h"
#include "shot_support.h"
#include "win_test_support.h"

namespace {
using namespace shots;

std::vector<TBitmapPixels> Row() {
  std::vector<TBitmapPixels> shots;
  HWND main = Form1->Handle();
  SetForegroundWindow(main);
  // The main window once per tab, then back on the first.
  const int pages = Form1->PageControl1->PageCount();
  for (int page = 0; page < pages; ++page) {
    Form1->PageControl1->SetActivePageIndex(page);
    Settle();
    shots.push_back(ScreenPixels(WindowRectOf(main)));
  }
  Form1->PageControl1->SetActivePageIndex(0);
  Settle();
  Form2->Show();
  SetForegroundWindow(Form2->Handle());
  Settle(400);
  shots.push_back(ScreenPixels(WindowRectOf(Form2->Handle())));
  Form2->Hide();
  Settle();
  shots.push_back(ErrorBoxShot());
  TSkinFormFrame* frame = FrameWindowSide() ? FrameWindowSide()->FindForm(main) : nullptr;
  if (frame) shots.push_back(SkinMenuShot(*frame));
  return shots;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || (std::string(argv[1]) == "--docs" && argc < 3)) {
    std::fprintf(stderr, "usage: skinshots OUT.bmp | skinshots --docs DIR\n");
    return 2;
  }
  std::string failure;
  if (!apptest::StartProgramWindows(failure)) {
    std::fprintf(stderr, "start-up failed: %s\n", failure.c_str());
    return 1;
  }
  if (std::string(argv[1]) == "--docs") return WriteDocsPictures(argv[2]);
  SetProgramDirectory(QUILLIMO_PROGRAM_DIR);
  void (TForm1::*commands[])(TObject*) = {nullptr,
                                          &TForm1::Arayz11Click,
                                          &TForm1::Arayz21Click,
                                          &TForm1::Arayz31Click,
                                          &TForm1::Arayz41Click,
                                          &TForm1::Arayz51Click,
                                          &TForm1::Arayz61Click};
  const std::string chosen = argc > 3 && std::string(argv[2]) == "--skins" ? argv[3] : "0,1,2,3,4,5,6";
  std::vector<std::vector<TBitmapPixels>> rows;
  for (int k = 0; k < 7; ++k) {
    if (chosen.find(static_cast<char>('0' + k)) == std::string::npos) continue;
    auto command = commands[k];
    if (command) {
      (Form1->*command)(nullptr);
      PumpUntil([] { return GetSkinManager() && GetSkinManager()->PendingSkin() == nullptr; }, 3000);
    }
    Settle(400);
    rows.push_back(Row());
    std::fprintf(stderr, "row %zu: %s\n", rows.size(), Form1->skin->Model().SkinName.c_str());
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
  std::ofstream(argv[1], std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  return 0;
}
