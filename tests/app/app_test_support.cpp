#include "app_test_support.h"

#include <commctrl.h>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "app/skin_engine_setup.h"
#include "skin/data/skin_manager.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "win_test_support.h"

namespace apptest {

bool StartProgramWindows(std::string& failure) {
  static std::string startFailure;
  static bool started = false;
  if (!started) {
    started = true;
    // The create handler reads the catalogue: empty program lists of a directory of its own.
    static TestProgramDirectory startDirectory("startup");
    startDirectory.Write("programlist0.txt", "");
    startDirectory.Write("programlist1.txt", "");
    Application->Initialize();
    Application->SetTitle("Quillimo");
    try {
      UseProgramSkinEngine();
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

bool BringMainWindowToFront() {
  if (!Form1->Visible()) Form1->Show();
  return PumpApplicationUntil(
      [] {
        SetForegroundWindow(Form1->Handle());
        PumpApplicationFor(150);
        return GetForegroundWindow() == Form1->Handle();
      },
      4000);
}

namespace {
int counter = 0;
}

TempCatalogue::TempCatalogue() : directory_("catalogue" + std::to_string(++counter)) {}

void TempCatalogue::Write(const std::vector<Program>& programs) {
  std::string list;
  for (const Program& p : programs) {
    list += p.Name + (p.Ticked ? ",1\r\n" : ",0\r\n");
    std::string messages;
    for (const Message& m : p.Messages) messages += m.Text + (m.Ticked ? ",1\r\n" : ",0\r\n");
    directory_.Write("language0\\" + p.Name + ".txt", messages);
  }
  directory_.Write("programlist0.txt", list);
  Form1->LoadProgramList();
  Form1->programlist->SetItemIndex(0);
  if (!programs.empty()) Form1->LoadMessages();
}

void ShowSkinImage(const std::string& image) {
  Form1->skin->SetSkinFile("");
  Form1->skin->LoadSkinImage({reinterpret_cast<const std::uint8_t*>(image.data()), image.size()});
  TSkinManager& manager = *GetSkinManager();
  manager.SetPendingSkin(Form1->skin);
  manager.RequestAction(TSkinAction::ApplyChangedSkin, 250);
  PumpUntil([&] { return manager.PendingSkin() == nullptr; }, 3000);
}

void ClickToolButton(TToolButton* button) {
  TToolBar* bar = button->ToolBar();
  for (int i = 0; i < bar->ButtonCount(); ++i) {
    if (bar->Buttons(i) != button) continue;
    TBBUTTON tb{};
    SendMessageW(bar->Handle(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tb));
    SendMessageW(GetAncestor(bar->Handle(), GA_ROOT), WM_COMMAND, MAKEWPARAM(tb.idCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar->Handle()));
    return;
  }
}

}  // namespace apptest
