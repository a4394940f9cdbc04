// The message catalogue as the main window keeps it: the program list and the message files of
// the current language, read and written through the two check-list boxes, with the hidden
// memo aramemo as the line buffer between a file and a list.
#include "app/formats/catalogue_format.h"
#include "app/main_window.h"
#include "app/program_directory.h"
#include "toolkit/core/utf8.h"

#include <windows.h>

namespace {

// Reads a tick file into the line buffer and appends its entries to list (which the caller
// has emptied); the buffer is empty again afterwards.
void ReadIntoList(TMemo& buffer, const std::string& fileName, TCheckListBox& list) {
  TStrings& lines = *buffer.Lines();
  lines.Clear();
  lines.LoadFromFile(fileName, SystemAnsiCodePage());
  list.Items()->BeginUpdate();
  for (int i = 0; i < lines.Count(); ++i) {
    TCatalogueEntry entry = ParseTickLine(lines.Strings(i));
    int index = list.Items()->Add(entry.Text);
    if (entry.Ticked) list.SetChecked(index, true);
  }
  list.Items()->EndUpdate();
  lines.Clear();
}

// Writes the entries of list as a tick file through the line buffer, replacing the file.
// Every text is checked before the file is touched.
void WriteFromList(TMemo& buffer, TCheckListBox& list, const std::string& fileName) {
  TStrings& lines = *buffer.Lines();
  lines.Clear();
  lines.BeginUpdate();
  for (int i = 0; i < list.Count(); ++i) {
    TCatalogueEntry entry{list.Items()->Strings(i), list.Checked(i)};
    CheckCatalogueText(entry.Text);
    lines.Add(TickLine(entry));
  }
  lines.EndUpdate();
  lines.SaveToFile(fileName, SystemAnsiCodePage());
}

}  // namespace

std::string TForm1::SelectedProgramFile() const {
  // With no program selected the list's own index error ("List index out of bounds (-1)")
  // ends the caller before any file is touched.
  std::string name = programlist->Items()->Strings(programlist->ItemIndex());
  // A name read from the program list file is a file name too: one that would address a file
  // outside the language directory, or a device, is refused before it is opened or written.
  CheckProgramName(name);
  return MessageFileName(ProgramDirectory(), langcode, name);
}

void TForm1::LoadProgramList() {
  programlist->Items()->Clear();
  ReadIntoList(*aramemo, ProgramListFileName(ProgramDirectory(), langcode), *programlist);
}

void TForm1::LoadMessages() {
  mesajlist->Items()->Clear();
  ReadIntoList(*aramemo, SelectedProgramFile(), *mesajlist);
}

void TForm1::SaveProgramList() {
  WriteFromList(*aramemo, *programlist, ProgramListFileName(ProgramDirectory(), langcode));
}

void TForm1::SaveMessages() { WriteFromList(*aramemo, *mesajlist, SelectedProgramFile()); }

void TForm1::ShowCatalogue() {
  LoadProgramList();
  programlist->SetItemIndex(0);
  // An empty program list has no program to show: the message list is emptied, as LoadMessages
  // would empty it before failing on the missing selection, but no error is raised, so that
  // the caller goes on (a first start, or a language whose programs were all deleted).
  if (programlist->ItemIndex() >= 0)
    LoadMessages();
  else
    mesajlist->Items()->Clear();
}

// ---- The commands: adding, deleting and selecting programs and messages ----

void TForm1::Button1Click(TObject*) {
  const std::string name = programedit->GetText();
  if (name.empty()) return;
  // Refused before anything changes: the name is the message file's name as well.
  CheckProgramName(name);
  // A name that is already there (as the file system compares names) is that program: it is
  // selected and shown, and its message file is left as it is.
  for (int i = 0; i < programlist->Count(); ++i) {
    if (!SameProgramName(programlist->Items()->Strings(i), name)) continue;
    programlist->SetItemIndex(i);
    LoadMessages();
    programedit->SetText("");
    return;
  }
  int index = programlist->Items()->Add(name);
  programlist->SetItemIndex(index);
  programlist->SetChecked(index, true);
  mesajlist->Items()->Clear();
  SaveMessages();  // the new program's message file, empty
  SaveProgramList();
  programedit->SetText("");
}

void TForm1::Button2Click(TObject*) {
  const std::string file = SelectedProgramFile();
  // A message file that is not there is no error.
  DeleteFileW(Utf8ToWide(file).c_str());
  programlist->Items()->Delete(programlist->ItemIndex());
  mesajlist->Items()->Clear();
  SaveProgramList();
  programlist->SetItemIndex(0);
  LoadMessages();
}

void TForm1::Button3Click(TObject*) {
  const std::string text = mesajedit->GetText();
  if (text.empty()) return;
  // A text the message file cannot hold is refused before it reaches the list.
  CheckCatalogueText(text);
  int index = mesajlist->Items()->Add(text);
  mesajlist->SetItemIndex(index);
  mesajlist->SetChecked(index, true);
  SaveMessages();
  mesajedit->SetText("");
}

void TForm1::Button4Click(TObject*) {
  int index = mesajlist->ItemIndex();
  if (index >= 0) mesajlist->Items()->Delete(index);
  SaveMessages();
}

// A new selection, by mouse or keyboard; a click on a tick box selects that program as well.
void TForm1::programlistClick(TObject*) { LoadMessages(); }

// A new selection or a changed tick: the message file takes what the list holds now.
void TForm1::mesajlistClick(TObject*) { SaveMessages(); }
