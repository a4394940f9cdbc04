// Entry point of vesperin.exe: the application object, its title, the three windows in their
// order (main window first, so closing it ends the program), then the message loop.
#include <windows.h>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "toolkit/win/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
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
