// The message catalogue as the main window keeps it: the program list and the message files of
// the current language, read and written through the two check-list boxes, with the hidden
// memo aramemo as the line buffer between a file and a list.
#include "app/formats/catalogue_format.h"
#include "app/main_window.h"
#include "app/program_directory.h"

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
  return MessageFileName(ProgramDirectory(), langcode, programlist->Items()->Strings(programlist->ItemIndex()));
}

void TForm1::LoadProgramList() {
  programlist->Items()->Clear();
  ReadIntoList(*aramemo, ProgramListFileName(ProgramDirectory(), langcode), *programlist);
}

void TForm1::LoadMessages() {
  mesajlist->Items()->Clear();
  aramemo->Lines()->Clear();
  ReadIntoList(*aramemo, SelectedProgramFile(), *mesajlist);
}

void TForm1::SaveProgramList() {
  WriteFromList(*aramemo, *programlist, ProgramListFileName(ProgramDirectory(), langcode));
}

void TForm1::SaveMessages() {
  aramemo->Lines()->Clear();
  WriteFromList(*aramemo, *mesajlist, SelectedProgramFile());
}

// The commands: adding, deleting and selecting programs and messages.
void TForm1::Button1Click(TObject*) {}
void TForm1::Button2Click(TObject*) {}
void TForm1::Button3Click(TObject*) {}
void TForm1::Button4Click(TObject*) {}
void TForm1::programlistClick(TObject*) {}
void TForm1::mesajlistClick(TObject*) {}
