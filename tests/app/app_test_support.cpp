#include "app_test_support.h"

#include <commctrl.h>

#include <filesystem>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "app/program_directory.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "win_test_support.h"

namespace apptest {

bool StartProgramWindows(std::string& failure) {
  static std::string startFailure;
  static bool started = false;
  if (!started) {
    started = true;
    Application->Initialize();
    Application->SetTitle("Quillimo");
    try {
      if (!Form1) Application->CreateForm(Form1);
      if (!Form2) Application->CreateForm(Form2);
      if (!Form3) Application->CreateForm(Form3);
      Form1->Show();
      PumpFor(100);
    } catch (...) {
      startFailure = CurrentExceptionMessage();
    }
  }
  failure = startFailure;
  return Form1 && Form2 && Form3;
}

namespace {
int counter = 0;
}

TempCatalogue::TempCatalogue() {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("quillimo-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "language0");
  directory_ = WideToUtf8(dir.wstring());
  SetProgramDirectory(directory_);
}

TempCatalogue::~TempCatalogue() {
  SetProgramDirectory("");
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(Utf8ToWide(directory_)), ignored);
}

void TempCatalogue::WriteFile(const std::string& name, const std::string& content) {
  HANDLE file = CreateFileW(Utf8ToWide(directory_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

void TempCatalogue::Write(const std::vector<Program>& programs) {
  std::string list;
  for (const Program& p : programs) {
    list += p.Name + (p.Ticked ? ",1\r\n" : ",0\r\n");
    std::string messages;
    for (const Message& m : p.Messages) messages += m.Text + (m.Ticked ? ",1\r\n" : ",0\r\n");
    WriteFile("language0\\" + p.Name + ".txt", messages);
  }
  WriteFile("programlist0.txt", list);
  Form1->LoadProgramList();
  Form1->programlist->SetItemIndex(0);
  if (!programs.empty()) Form1->LoadMessages();
}

void ClickToolButton(TToolButton* button) {
  TToolBar* bar = Form1->ToolBar1;
  for (int i = 0; i < bar->ButtonCount(); ++i) {
    if (bar->Buttons(i) != button) continue;
    TBBUTTON tb{};
    SendMessageW(bar->Handle(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tb));
    SendMessageW(Form1->Handle(), WM_COMMAND, MAKEWPARAM(tb.idCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar->Handle()));
    return;
  }
}

}  // namespace apptest
