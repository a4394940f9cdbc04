// The language switch of the main window: the tool bar's two language buttons and the
// language radio group put the window into Turkish or English.
#include "app/formats/settings_format.h"
#include "app/main_window.h"

namespace {
// The tray menu's commands by their position in the menu (the separators keep theirs).
struct TTrayCaption {
  int Position;
  const char* Turkish;
  const char* English;
};
constexpr TTrayCaption kTrayCaptions[] = {
    {0, "Göster", "Show"},
    {2, "Mesajları Durdur", "Stop Messages"},
    {3, "Mesajlar Devam Etsin", "Start Messages"},
    {5, "Kapat", "Exit"},
};
}  // namespace

// Selecting the radio group's item, when that changes the selection, runs the same switch
// from the group's click handler first; that switch has then done the rest already (and a
// switch run twice gives the same result).
void TForm1::SwitchLanguage(int position) {
  const int switchesBefore = ++languageSwitches_;
  RadioGroup2->SetItemIndex(position);
  if (languageSwitches_ != switchesBefore) return;
  // Every control is renamed and the lists are filled anew: the window is painted once, at
  // the end, not after each change.
  TRedrawSuspension quiet(*this);
  langcode = LangCodeOf(position);
  ShowCatalogue();
  ShowHelpForLanguage();
  // The table puts the captions, items and texts of the language on the window; setting the
  // language that is active already changes nothing. The menu bar is redrawn once.
  MainMenu1->BeginUpdate();
  try {
    lcLang1->SetActiveLanguage(position + 1);
  } catch (...) {
    MainMenu1->EndUpdate();
    throw;
  }
  MainMenu1->EndUpdate();
  // The tray menu is not in the table: its captions are set here.
  for (const TTrayCaption& caption : kTrayCaptions)
    PopupMenu1->Items()->Items(caption.Position)->SetCaption(position == 1 ? caption.English : caption.Turkish);
  SetCaption("Quillimo v 1.1");
}

void TForm1::ToolButton1Click(TObject*) { SwitchLanguage(1); }
void TForm1::ToolButton2Click(TObject*) { SwitchLanguage(0); }

void TForm1::RadioGroup2Click(TObject*) {
  switch (RadioGroup2->ItemIndex()) {
    case 0: SwitchLanguage(0); break;
    case 1: SwitchLanguage(1); break;
  }
}
