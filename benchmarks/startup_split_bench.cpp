// Where the program's start-up goes, measured inside one process that starts as vesperin.exe
// does (over the program's own build folder: its catalogue and skins), then takes the main
// window's layout apart: the whole creation of each window, the reading of the main window's
// layout (components, pictures, the stored skin, the translation table) against its create
// handler (settings, catalogue, help), and the pieces of the layout that cost most on their own
// (the JPEG picture, the stored skin, the image lists). Then the main window is shown as the
// message loop shows it, framed by the skin engine and painted, until nothing is left to do,
// and each window of its first page is repainted on its own. The pieces are the medians of repeated runs on a second
// main window that is never shown. Each phase of the first start is marked in the Wine server's request log
// (request_marks.h); with --once the benchmark stops after the first start (scripts/count-requests.sh).
//   wine bench_startup_split.exe [repeats | --once]   (default 9)
#include "app/main_window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/program_directory.h"
#include "app/skin_engine_setup.h"
#include "toolkit/core/streams.h"
#include "toolkit/win/application.h"
#include "toolkit/win/jpeg.h"
#include "toolkit/win/jpeg_decode.h"
#include "request_marks.h"
#include "window_clock.h"

#include <windows.h>

namespace {

double Time(const std::function<void()>& step) {
  const double start = NowMs();
  step();
  return NowMs() - start;
}

double Median(int repeats, const std::function<void()>& step) {
  std::vector<double> ms;
  for (int i = 0; i < repeats; ++i) ms.push_back(Time(step));
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// Dispatches messages until none is waiting.
void UntilIdle() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Print(const char* what, double ms) { std::printf("  %-44s %8.2f ms\n", what, ms); }

}  // namespace

int main(int argc, char** argv) {
  const bool once = argc > 1 && std::string(argv[1]) == "--once";
  const int repeats = argc > 1 && !once ? std::max(1, std::atoi(argv[1])) : 9;
  // Writing to the console is a server request per line: under --once the figures are written
  // at the end, so that they do not count as the start-up's requests.
  if (once) std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  SetProgramDirectory(QUILLIMO_PROGRAM_DIR);
  MarkRequests(L"start");

  std::printf("start-up of the program's windows, in process\n");
  Print("application object and title", Time([] {
          UseProgramSkinEngine();
          Application->Initialize();
          Application->SetTitle("Quillimo");
        }));
  Print("main window (layout, fields, create handler)", Time([] { Application->CreateForm(Form1); }));
  Print("About window", Time([] { Application->CreateForm(Form2); }));
  Print("flash window", Time([] { Application->CreateForm(Form3); }));
  MarkRequests(L"read");
  const double made = Time([] { Form1->Handle(); });
  MarkRequests(L"made");
  Print("  main window's windows made", made);
  const double show = Time([] { Form1->Show(); });
  MarkRequests(L"shown");
  Print("  shown (framed, its controls skinned)", show);
  const double paint = Time([] { UpdateWindow(Form1->Handle()); });
  MarkRequests(L"painted");
  Print("  first paint", paint);
  const double idle = Time([] { UntilIdle(); });
  MarkRequests(L"idle");
  Print("  until idle (what the first paint left)", idle);
  Print("main window shown, framed and painted", made + show + paint + idle);
  if (once) {
    Application->DestroyComponents();
    return 0;
  }

  // Each window of the first page repainted whole (frame, background and face), as the first
  // paint paints it: what painting costs window by window.
  std::printf("each window of the first page repainted (median of %d)\n", repeats);
  EnumChildWindows(
      Form1->Handle(),
      [](HWND wnd, LPARAM repeats) -> BOOL {
        wchar_t name[64]{};
        GetClassNameW(wnd, name, 64);
        const double ms = Median(static_cast<int>(repeats), [wnd] {
          RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        });
        std::printf("    %-42ls %8.2f ms\n", name, ms);
        return TRUE;
      },
      repeats);

  std::printf("the main window taken apart (median of %d)\n", repeats);
  Print("whole window (a second one, not shown)", Median(repeats, [] {
          auto* form = new TForm1(nullptr);
          form->AfterConstruction();
          delete form;
        }));
  Print("layout alone (components, pictures, skin, table)", Median(repeats, [] {
          auto* form = new TForm1(nullptr);
          form->ReadLayout();
          delete form;
        }));
  std::unique_ptr<TForm1> form(new TForm1(nullptr));
  form->AfterConstruction();
  Print(" create handler (settings, catalogue, help)", Median(repeats, [&] { form->FormCreate(nullptr); }));
  Print("  the catalogue shown", Median(repeats, [&] { form->ShowCatalogue(); }));
  auto* image = dynamic_cast<TImage*>(form->FindComponent("Image1"));
  const std::vector<std::uint8_t> jpeg = image->Picture()->Graphic()->SaveToBytes();
  Print(" the JPEG picture decoded", Median(repeats, [&] { DecodeJpeg(jpeg.data(), jpeg.size()); }));
  auto* skin = dynamic_cast<TSkinSet*>(form->FindComponent("skin"));
  Print(" the stored skin decoded and loaded", Median(repeats, [&] { skin->LoadSkin(); }));
  auto* images = dynamic_cast<TImageList*>(form->FindComponent("ImageList1"));
  TMemoryStream stored;
  images->WriteData(stored);
  Print(" the tool bar's image list read", Median(repeats, [&] {
          stored.SetPosition(0);
          images->ReadData(stored);
        }));
  auto* lang = dynamic_cast<TlcLang*>(form->FindComponent("lcLang1"));
  TMemoryStream table;
  lang->WriteTranslationData(table);
  Print(" the translation table read", Median(repeats, [&] {
          table.SetPosition(0);
          lang->ReadTranslationData(table);
        }));
  form.reset();
  Application->DestroyComponents();
  return 0;
}
