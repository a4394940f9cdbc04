#include "docs_pictures.h"

#include <cstdio>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/program_directory.h"
#include "shot_support.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/window_side.h"
#include "toolkit/core/codepage.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/stdctrls.h"

namespace {
using namespace shots;

void UseSkin(void (TForm1::*command)(TObject*)) {
  (Form1->*command)(nullptr);
  PumpUntil([] { return GetSkinManager() && GetSkinManager()->PendingSkin() == nullptr; }, 3000);
  Settle(400);
}

// The main window on one of its tabs, with the first program of the catalogue selected.
TBitmapPixels MainWindow(int page) {
  Form1->PageControl1->SetActivePageIndex(page);
  SetForegroundWindow(Form1->Handle());
  Settle(400);
  return ScreenPixels(WindowRectOf(Form1->Handle()));
}

// A message of the catalogue flashing over the main window and the About window.
TBitmapPixels Flash() {
  Form2->Show();
  SetWindowPos(Form2->Handle(), nullptr, Form1->Left() + 260, Form1->Top() + 190, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Settle(400);
  RECT main = WindowRectOf(Form1->Handle()), about = WindowRectOf(Form2->Handle()), r{};
  UnionRect(&r, &main, &about);
  std::string text = Form1->mesajlist->Items()->Count() > 0 ? Form1->mesajlist->Items()->Get(0) : "Quillimo";
  // In a larger font, as a user would choose it on the settings tab.
  Form3->Label1->Font()->SetSize(18);
  Form3->Label1->Font()->SetColor(RGBToColor(180, 30, 40));
  Form1->flashHost.ShowFlash(text, main.left + 190, main.top + 290, false);
  Settle(300);
  TBitmapPixels shot = ScreenPixels(r);
  Form1->flashHost.HideFlash();
  Form2->Hide();
  Settle(200);
  return shot;
}

// The tray icon's menu, opened beside the main window's lower right corner.
TBitmapPixels TrayMenu() {
  ModalShot::taken = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, id);
    RECT m = WindowRectOf(menu);
    InflateRect(&m, 16, 16);
    ModalShot::shot = ScreenPixels(m);
    ModalShot::taken = true;
    EndMenu();
  });
  const RECT main = WindowRectOf(Form1->Handle());
  Form1->PopupMenu1->Popup(main.right - 40, main.bottom - 120);
  PumpUntil([] { return ModalShot::taken; }, 3000);
  KillTimer(nullptr, timer);
  Settle(100);
  return ModalShot::shot;
}

void Write(const std::string& dir, const char* name, const TBitmapPixels& shot) {
  if (shot.Width() == 0) {
    std::fprintf(stderr, "%s: nothing to photograph\n", name);
    return;
  }
  WriteBmp(shot, dir + "\\" + name + ".bmp");
  std::fprintf(stderr, "%s: %d x %d\n", name, shot.Width(), shot.Height());
}
}  // namespace

int WriteDocsPictures(const std::string& dir) {
  // The catalogue's files are in the system's ANSI code page, as the program reads them.
  if (IsSupportedCodePage(static_cast<int>(GetACP()))) SetSystemAnsiCodePage(static_cast<int>(GetACP()));
  // The delivered catalogue beside the program, its first program selected.
  SetProgramDirectory(QUILLIMO_PROGRAM_DIR);
  Form1->LoadProgramList();
  Form1->programlist->SetItemIndex(0);
  Form1->LoadMessages();
  Settle(300);
  Write(dir, "main-turkish", MainWindow(0));
  Write(dir, "flash", Flash());
  Write(dir, "tray-menu", TrayMenu());

  Form1->SwitchLanguage(1);
  Form1->programlist->SetItemIndex(0);
  Form1->LoadMessages();
  UseSkin(&TForm1::Arayz11Click);
  Write(dir, "main-english", MainWindow(0));
  UseSkin(&TForm1::Arayz31Click);
  Write(dir, "settings-english", MainWindow(1));
  UseSkin(&TForm1::Arayz61Click);
  Form1->PageControl1->SetActivePageIndex(0);
  if (TSkinFormFrame* frame = FrameWindowSide() ? FrameWindowSide()->FindForm(Form1->Handle()) : nullptr)
    Write(dir, "skin-menu", SkinMenuShot(*frame));
  // Back to Turkish, as the build tree's settings file had it.
  Form1->SwitchLanguage(0);
  return 0;
}
