#pragma once
// The skin viewer's window: one of every control the skin engine draws, on two tabs (buttons,
// check and radio buttons, edits, combo boxes, pickers, ranges and boxes; then the scrolling
// lists), a tool bar, a menu bar, a pop-up menu (right click) and a button that opens a message
// box, a status bar below. Its skin component shows the skin of a file and reads the file
// again whenever it changes.
#include <cstdint>
#include <string>

#include "toolkit/win/form.h"

class TComboBox;
class TPageControl;
class TPopupMenu;
class TSkinSet;
class TStatusBar;
class TTimer;

class TSkinViewer : public TForm {
  QUILLIMO_CLASS(TSkinViewer, TForm)
public:
  TSkinViewer(TComponent* owner, std::string skinFile);
  // Reads the file into the skin (and the change is shown on every window); a file that cannot
  // be read leaves the skin shown and says so in the status bar.
  void LoadSkinFile();
  TPageControl* Pages() const { return pages_; }
  TSkinSet* Skin() const { return skin_; }

protected:
  void WndProc(TMessage& msg) override;

private:
  void BuildMenus();
  void BuildControlsPage();
  void BuildListsPage();
  void CheckFile();
  void Status(const std::string& text);

  std::string skinFile_;
  std::int64_t fileStamp_ = -1;
  TSkinSet* skin_ = nullptr;
  TPageControl* pages_ = nullptr;
  TPopupMenu* popup_ = nullptr;
  TStatusBar* status_ = nullptr;
  TTimer* watch_ = nullptr;
};
