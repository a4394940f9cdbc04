// Entry point of vesperin.exe: the application object, its title, the three windows in their
// order (main window first, so closing it ends the program), then the message loop.
#include <windows.h>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "app/skin_engine_setup.h"
#include "toolkit/core/codepage.h"
#include "toolkit/win/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The catalogue and settings files are 8-bit text in the system's ANSI code page (1254 on
  // a Turkish system). A code page without a table here keeps the Western one.
  const int codePage = static_cast<int>(GetACP());
  if (IsSupportedCodePage(codePage)) SetSystemAnsiCodePage(codePage);
  try {
    UseProgramSkinEngine();
    Application->Initialize();
    Application->SetTitle("Quillimo");
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(Form3);
    Application->Run();
  } catch (...) {
    Application->HandleException();
    return 1;
  }
  // The windows go before the process ends, while the toolkit's objects still exist.
  Application->DestroyComponents();
  return 0;
}
