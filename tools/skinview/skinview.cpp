// skinview: a live viewer for people who make skins.
//
//   skinview.exe FILE.skn                 shows the viewer in the skin of FILE.skn and reloads
//                                         the skin whenever the file changes
//   skinview.exe FILE.skn --shot OUT.bmp  photographs both tabs of the viewer side by side into
//                                         OUT.bmp and ends (scripts/contact-sheet.sh)
#include <windows.h>

#include <shellapi.h>

#include <fstream>
#include <string>
#include <vector>

#include "skin/controls/control_dispatch.h"
#include "skin/frames/skin_engine.h"
#include "screen_capture.h"
#include "skin_viewer.h"
#include "toolkit/core/bmp_codec.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/graphics.h"

namespace {
// Dispatches messages for about ms milliseconds (Wine shows window drawing as the queue waits).
void Settle(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - GetTickCount()) > 0) {
    Application->ProcessMessages();
    Sleep(10);
  }
}

void WriteShot(TSkinViewer& viewer, const std::string& path) {
  SetForegroundWindow(viewer.Handle());
  Settle(1200);
  const TBitmapPixels controls = ScreenPixelsOf(viewer.Handle());
  viewer.Pages()->SetActivePageIndex(1);
  Settle(500);
  const TBitmapPixels lists = ScreenPixelsOf(viewer.Handle());
  TBitmapPixels both(controls.Width() + 12 + lists.Width(), std::max(controls.Height(), lists.Height()));
  both.Fill(0x403830);
  both.CopyRect(0, 0, controls, 0, 0, controls.Width(), controls.Height());
  both.CopyRect(controls.Width() + 12, 0, lists, 0, 0, lists.Width(), lists.Height());
  const std::vector<std::uint8_t> bmp = EncodeBmp(both);
  std::ofstream(Utf8ToWide(path).c_str(), std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 2) {
    MessageBoxW(nullptr, L"Usage: skinview FILE.skn [--shot OUT.bmp]", L"Skin viewer", MB_OK);
    return 2;
  }
  const std::string file = WideToUtf8(argv[1]);
  const std::string shot = argc >= 4 && std::wstring(argv[2]) == L"--shot" ? WideToUtf8(argv[3]) : "";
  LocalFree(argv);
  UseWindowsSkinEngine();
  UseSkinControlDispatch();
  try {
    Application->Initialize();
    Application->SetTitle("Skin viewer");
    auto* viewer = new TSkinViewer(Application, file);
    viewer->Show();
    if (!shot.empty()) {
      WriteShot(*viewer, shot);
      Application->DestroyComponents();
      return 0;
    }
    viewer->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
    while (!Application->Terminated()) Application->HandleMessage();
  } catch (...) {
    Application->HandleException();
    return 1;
  }
  Application->DestroyComponents();
  return 0;
}
