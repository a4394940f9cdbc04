// The skin menu: each item gives the skin component one of the skin files beside the program;
// and the skin set aside while the system's high-contrast mode is on.
#include <string>

#include "app/main_window.h"
#include "app/program_directory.h"

// The skin component of the stored layout (the engine behind it: UseProgramSkinEngine).
QUILLIMO_LINK_CLASS(TSkinSet)
namespace {
// "\skins\<number>.skn" in the program directory. A missing file changes nothing; a file that
// cannot be read or holds no skin raises its error, which the command's error box shows, and
// the skin shown stays (the skin component sees to both).
void UseSkinFile(TForm1& form, int number) {
  form.skin->SetSkinFile(ProgramDirectory() + "\\skins\\" + std::to_string(number) + ".skn");
}
}  // namespace

void TForm1::FollowHighContrast() {
  if (!skin) return;
  if (!highContrast_) highContrast_.emplace(*skin);
  highContrast_->Follow();
}

void TForm1::Arayz11Click(TObject*) { UseSkinFile(*this, 1); }
void TForm1::Arayz21Click(TObject*) { UseSkinFile(*this, 2); }
void TForm1::Arayz31Click(TObject*) { UseSkinFile(*this, 3); }
void TForm1::Arayz41Click(TObject*) { UseSkinFile(*this, 4); }
void TForm1::Arayz51Click(TObject*) { UseSkinFile(*this, 5); }
void TForm1::Arayz61Click(TObject*) { UseSkinFile(*this, 6); }
