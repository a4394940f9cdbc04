// Skinned frames: PaintFrame of the 547 x 420 main window into a memory DC, UpdateRegion for a
// skin with keyed corners, and the time from a Skin menu command to the main window's new
// frame repainted and to the last open window repainted, on the program's real windows.
//
//   bash scripts/with-display.sh bash scripts/wine-run.sh build/windows/benchmarks/bench_frame_paint.exe [rounds]
#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/program_directory.h"
#include "app_test_support.h"
#include "program_start.h"
#include "figures.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/window_side.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/graphics.h"
#include "win_test_support.h"

namespace {
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The time of the last paint message any framed window got, and the main window's last
// frame paint.
Clock::time_point lastPaint, lastMainFramePaint;
HWND mainWindow = nullptr;
HHOOK paintHook = nullptr;
LRESULT CALLBACK PaintWatch(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (m->message == WM_NCPAINT || m->message == WM_PAINT) lastPaint = Clock::now();
    if (m->message == WM_NCPAINT && m->hwnd == mainWindow) lastMainFramePaint = lastPaint;
  }
  return CallNextHookEx(paintHook, code, wp, lp);
}

TSkinFormFrame* FrameOf(HWND wnd) { return FrameWindowSide() ? FrameWindowSide()->FindForm(wnd) : nullptr; }
}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 30;
  if (!StartProgramForBenchmark()) return 1;
  // The Skin menu reads skins\N.skn of the program directory: the build tree's, beside vesperin.exe.
  SetProgramDirectory(QUILLIMO_PROGRAM_DIR);
  HWND main = Form1->Handle();
  SetForegroundWindow(main);
  PumpUntil([&] { return FrameOf(main) && FrameOf(main)->FrameState() == TFrameState::Running; }, 3000);
  TSkinFormFrame* frame = FrameOf(main);
  if (!frame) {
    std::fprintf(stderr, "the main window got no frame\n");
    return 1;
  }
  RECT client{};
  GetClientRect(main, &client);
  std::printf("main window client %ld x %ld, skin %s\n", client.right, client.bottom,
              Form1->skin->Model().SkinName.c_str());

  // PaintFrame into a memory DC of the window's size.
  {
    RECT r{};
    GetWindowRect(main, &r);
    TBitmap target(r.right - r.left, r.bottom - r.top);
    HDC dc = target.Canvas().Handle();
    Figures f;
    for (int i = 0; i < rounds * 10; ++i) {
      const auto start = Clock::now();
      frame->PaintFrame(dc);
      f.values.push_back(Ms(Clock::now() - start));
    }
    f.Print("PaintFrame, stored skin, memory DC", 1);
  }

  // Skin 1 has keyed corners: UpdateRegion traces them (anew each time: the frame forgets the
  // shape it was cut for).
  Form1->Arayz11Click(nullptr);
  PumpUntil([&] { return GetSkinManager()->PendingSkin() == nullptr; }, 3000);
  PumpFor(100);
  {
    Figures f;
    for (int i = 0; i < rounds * 10; ++i) {
      frame->ForgetRegionShape();
      const auto start = Clock::now();
      frame->UpdateRegion();
      f.values.push_back(Ms(Clock::now() - start));
    }
    f.Print("UpdateRegion, keyed skin (1.skn)", 2);
    // Of which the system's part: handing the finished region to the window.
    Figures set;
    for (int i = 0; i < rounds * 10; ++i) {
      HRGN copy = CreateRectRgn(0, 0, 0, 0);
      CombineRgn(copy, frame->Region(), nullptr, RGN_COPY);
      const auto start = Clock::now();
      SetWindowRgn(main, copy, TRUE);
      set.values.push_back(Ms(Clock::now() - start));
    }
    set.Print("  of which SetWindowRgn alone", 2);
  }
  {
    RECT r{};
    GetWindowRect(main, &r);
    TBitmap target(r.right - r.left, r.bottom - r.top);
    Figures f;
    for (int i = 0; i < rounds * 10; ++i) {
      const auto start = Clock::now();
      frame->PaintFrame(target.Canvas().Handle());
      f.values.push_back(Ms(Clock::now() - start));
    }
    f.Print("PaintFrame, keyed skin (1.skn), memory DC", 1);
  }

  // Skin menu command to the last repaint of an open window (main and About: the About window
  // is shown without its modal loop so that both are open).
  Form2->Show();
  PumpFor(300);
  paintHook = SetWindowsHookExW(WH_CALLWNDPROCRET, PaintWatch, nullptr, GetCurrentThreadId());
  void (TForm1::*commands[])(TObject*) = {&TForm1::Arayz21Click, &TForm1::Arayz31Click, &TForm1::Arayz41Click,
                                          &TForm1::Arayz51Click, &TForm1::Arayz61Click, &TForm1::Arayz11Click};
  mainWindow = main;
  Figures f, toMain;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    lastPaint = lastMainFramePaint = start;
    (Form1->*commands[i % 6])(nullptr);
    PumpUntil([&] { return GetSkinManager()->PendingSkin() == nullptr; }, 3000);
    // Then until the windows have been quiet for 150 ms.
    PumpUntil([&] { return Clock::now() - lastPaint > std::chrono::milliseconds(150); }, 3000);
    toMain.values.push_back(Ms(lastMainFramePaint - start));
    f.values.push_back(Ms(lastPaint - start));
  }
  UnhookWindowsHookEx(paintHook);
  toMain.Print("Skin menu command to main window's new frame", 60);
  f.Print("Skin menu command to last window repainted", 300);
  Form2->Hide();
  return 0;
}
