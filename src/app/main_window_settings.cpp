// The main window's settings: the create handler that restores them from the settings file,
// the Exit commands that write it, the period and duration spin buttons, and the autostart
// choice.
#include "app/main_window.h"

#include "app/autostart.h"
#include "app/formats/settings_format.h"
#include "app/program_directory.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"

#include <windows.h>

namespace {
bool FileExists(const std::string& fileName) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(fileName).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The edit box's number plus step; a result equal to from becomes to.
void Step(TEdit* edit, int step, std::int64_t from, std::int64_t to) {
  std::int64_t value = static_cast<std::int64_t>(StrToInt(edit->GetText())) + step;
  if (value == from) value = to;
  edit->SetText(IntToStr(value));
}
}  // namespace

// Restores the settings (or sets the defaults), then shows the catalogue and help of the
// language. A failure ends the handler at that step and shows the error box (the toolkit's
// form creation catches it); start-up goes on with the window as far as it was filled.
void TForm1::FormCreate(TObject*) {
  FollowHighContrast();
  TStrings& lines = *ayarmemo->Lines();
  lines.Clear();
  const std::string fileName = SettingsFileName(ProgramDirectory());
  if (FileExists(fileName)) {
    lines.LoadFromFile(fileName, SystemAnsiCodePage());
    // The defaults first: a file refused at its first line leaves the window as a first start
    // shows it, not with the layout's design texts.
    Edit1->SetText("2");
    Edit2->SetText("20");
    langcode = SettingsLangCode(lines);
    Edit1->SetText(SettingsLine(lines, 1));
    Edit2->SetText(SettingsLine(lines, 2));
    RadioGroup4->SetItemIndex(SettingsSelection(lines, 3));
    // The stored layout selects item 0 of both: a stored 1 runs their click handlers, which
    // write the autostart value and switch to English.
    RadioGroup3->SetItemIndex(SettingsSelection(lines, 4));
    RadioGroup2->SetItemIndex(SettingsSelection(lines, 5));
  } else {
    langcode = "0";
    ToolButton2Click(ToolButton2);
    Edit1->SetText("2");
    Edit2->SetText("20");
    // Already selected in the stored layout: no handler runs, no autostart value is written.
    RadioGroup4->SetItemIndex(0);
    RadioGroup3->SetItemIndex(0);
    RadioGroup2->SetItemIndex(0);
  }
  ShowCatalogue();
  ShowHelpForLanguage();
  lines.Clear();
}

void TForm1::SaveSettings() {
  TStrings& lines = *ayarmemo->Lines();
  lines.Clear();
  lines.Add(langcode);
  lines.Add(Edit1->GetText());
  lines.Add(Edit2->GetText());
  lines.Add(IntToStr(RadioGroup4->ItemIndex()));
  lines.Add(IntToStr(RadioGroup3->ItemIndex()));
  lines.Add(IntToStr(RadioGroup2->ItemIndex()));
  lines.SaveToFile(SettingsFileName(ProgramDirectory()), SystemAnsiCodePage());
  lines.Clear();
}

// The two Exit commands: the settings first; a file that cannot be written ends the command
// with the error box, and the program stays open.
void TForm1::ToolButton4Click(TObject*) {
  SaveSettings();
  Close();
}
void TForm1::Kapat1Click(TObject*) { ToolButton4Click(Kapat1); }

// The window has no close button and no system menu, but it is still closed by Alt+F4 and by
// whoever sends it WM_CLOSE, and a program that starts with the system is mostly ended by the
// session's end. Each writes the settings as Exit does. A close whose settings cannot be
// written shows the error box and leaves the window open; the session's end goes on whatever
// the file does.
void TForm1::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_CLOSE: SaveSettings(); break;
    case WM_QUERYENDSESSION: msg.Result = TRUE; return;
    case WM_SETTINGCHANGE: FollowHighContrast(); break;
    case WM_ENDSESSION:
      if (msg.WParam) {
        try {
          SaveSettings();
        } catch (...) {
        }
      }
      msg.Result = 0;
      return;
    default: break;
  }
  TForm::WndProc(msg);
}

// No upper limit; from at least 2 (and 10 in steps of 5), the down buttons stop at 2 and 10.
void TForm1::SpinButton1UpClick(TObject*) { Step(Edit1, 1, 0, 0); }
void TForm1::SpinButton1DownClick(TObject*) { Step(Edit1, -1, 1, 2); }
void TForm1::SpinButton2UpClick(TObject*) { Step(Edit2, 5, 0, 0); }
void TForm1::SpinButton2DownClick(TObject*) { Step(Edit2, -5, 5, 10); }

void TForm1::SetRunAtStartup(const std::string& name, const std::string& command) {
  WriteRunValue(name, command);
  if (command.empty())
    RemoveDesktopAutostart(name);
  else
    WriteDesktopAutostart(name, command);
}

// The command is the program directory and the program's fixed file name, unquoted, whatever
// name the program runs under; "do not start" writes the same value empty.
void TForm1::RadioGroup3Click(TObject*) {
  switch (RadioGroup3->ItemIndex()) {
    case 0: SetRunAtStartup("Quillimo", ProgramDirectory() + "\\vesperin.exe"); break;
    case 1: SetRunAtStartup("Quillimo", ""); break;
  }
}
