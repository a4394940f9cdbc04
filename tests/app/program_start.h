#pragma once
// The program's start-up inside a test executable, up to the message loop: the application
// object, its title and the three windows in their order. Run once; every test file that
// needs the windows asks for it. (Pumping messages: toolkit/win/win_test_support.h.)
#include <string>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "toolkit/win/application.h"  // and <windows.h>

namespace quillimo::test {

// Empty when the windows are there (made now or before), otherwise what went wrong.
inline std::string StartProgramWindows() {
  if (Form1) return {};
  Application->Initialize();
  Application->SetTitle("Quillimo");
  try {
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(Form3);
  } catch (...) {
    return CurrentExceptionMessage();
  }
  return {};
}

}  // namespace quillimo::test
