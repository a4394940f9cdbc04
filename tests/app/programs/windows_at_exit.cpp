// The program's windows, started as at start-up, through a few Skin menu switches; then main
// returns while they are alive, as the program's main does when its start-up fails after the
// first window was made. The process must end with the code main returns (7).
#include "app/main_window.h"
#include "app/program_directory.h"
#include "app_test_support.h"
#include "skin/data/skin_manager.h"
#include "win_test_support.h"

int main() {
  std::string failure;
  if (!apptest::StartProgramWindows(failure)) return 1;
  SetProgramDirectory(QUILLIMO_PROGRAM_DIR);
  TMenuItem* items[] = {Form1->Arayz11, Form1->Arayz21, Form1->Arayz31};
  for (TMenuItem* item : items) {
    item->Click();
    PumpUntil([] { return GetSkinManager()->PendingSkin() == nullptr; }, 3000);
  }
  return 7;
}
