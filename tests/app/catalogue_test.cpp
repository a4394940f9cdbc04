// The message catalogue of the main window: the real window created from its stored layout over
// a program directory of the test's own, driven through its controls (typed edit texts, button
// clicks, mouse clicks on the lists), with the files on disk and the lists read back.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/formats/catalogue_format.h"
#include "app/main_window.h"
#include "app/skin_engine_setup.h"
#include "app/program_directory.h"
#include "test_program_directory.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/win_test_support.h"

#include <windows.h>

namespace {

TCatalogueEntries Entries(const TCheckListBox* list) {
  TCatalogueEntries entries;
  for (int i = 0; i < list->Count(); ++i) entries.push_back({list->Items()->Strings(i), list->Checked(i)});
  return entries;
}

TCatalogueEntry On(std::string text) { return {std::move(text), true}; }
TCatalogueEntry Off(std::string text) { return {std::move(text), false}; }

// Typing into an edit box: the window's own text, as the user leaves it.
void Type(TEdit* edit, const std::string& text) { SetWindowTextW(edit->Handle(), Utf8ToWide(text).c_str()); }

void Press(TButton* button) { SendMessageW(button->Handle(), BM_CLICK, 0, 0); }

// A mouse click on an item of a list: on its text, or on its tick box.
void ClickItem(TCheckListBox* list, int index, bool onTickBox = false) {
  RECT item{};
  ASSERT_NE(SendMessageW(list->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)),
            LB_ERR);
  LPARAM at = MAKELPARAM(onTickBox ? item.left + 5 : item.left + 60, (item.top + item.bottom) / 2);
  SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, at);
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// Sets the system's ANSI code page for one test.
class CodePage {
public:
  explicit CodePage(int codePage) : previous_(SystemAnsiCodePage()) { SetSystemAnsiCodePage(codePage); }
  ~CodePage() { SetSystemAnsiCodePage(previous_); }

private:
  int previous_;
};

class Catalogue : public ::testing::Test {
protected:
  void SetUp() override {
    Application->SetTitle("Quillimo");
    dir = std::make_unique<TestProgramDirectory>(::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override {
    delete form;
    form = nullptr;
    dir.reset();
  }

  // The main window as start-up creates it: its stored layout, then its create handler, which
  // reads the catalogue of the current language from the test's directory.
  void Open() {
    UseProgramSkinEngine();
    form = new TForm1(nullptr);
    form->AfterConstruction();
    form->Show();
  }

  // Two programs: "Genel" with three messages, "Aksam" with one.
  void WriteTwoPrograms() {
    dir->Write("programlist0.txt", "Genel,1\r\nAksam,0\r\n");
    dir->Write("language0\\Genel.txt", "Bir,1\r\nIki,0\r\nUc,1\r\n");
    dir->Write("language0\\Aksam.txt", "Sakin ol,1\r\n");
  }

  const std::vector<MessageBoxCatcher::Box>& Boxes() const { return boxes.Boxes(); }

  MessageBoxCatcher boxes;
  std::unique_ptr<TestProgramDirectory> dir;
  TForm1* form = nullptr;
};

// ---- Reading the files ----

TEST_F(Catalogue, StartShowsTheProgramsAndTheMessagesOfTheFirst) {
  WriteTwoPrograms();
  Open();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Genel"), Off("Aksam")}));
  EXPECT_EQ(form->programlist->ItemIndex(), 0);
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Bir"), Off("Iki"), On("Uc")}));
  // The line buffer is left empty, and the help page of the language is shown.
  EXPECT_EQ(form->aramemo->Lines()->Count(), 0);
  EXPECT_TRUE(form->helpmemo0->Visible());
  EXPECT_FALSE(form->helpmemo1->Visible());
}

TEST_F(Catalogue, LinesAreReadFromTheirEndAndEveryLineIsAnEntry) {
  dir->Write("programlist0.txt", "Genel,1");  // no final line break
  // Three letters without a comma; a letter, comma, 1; commas inside a text; an empty line in
  // the middle; a one-character line; a last line without a line break.
  dir->Write("language0\\Genel.txt", "Abc\r\nX,1\r\nBir, iki, \xFC\xE7,1\r\n\r\nQ\r\nSon,0");
  Open();
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Genel")}));
  EXPECT_EQ(Entries(form->mesajlist),
            (TCatalogueEntries{Off("A"), On("X"), On("Bir, iki, üç"), Off(""), Off(""), Off("Son")}));

  // Any save writes every entry back as text, comma, flag and CR LF, the last line too.
  ClickItem(form->mesajlist, 1);
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "A,0\r\nX,1\r\nBir, iki, \xFC\xE7,1\r\n,0\r\n,0\r\nSon,0\r\n");
}

TEST_F(Catalogue, TurkishFilesAreReadAndWrittenInWindows1254) {
  CodePage turkish(cpWindows1254);
  dir->Write("programlist0.txt", "\xD6zg\xFCven,1\r\n");  // "Özgüven"
  dir->Write("language0\\Özgüven.txt", "Kendime g\xFCveniyorum.,1\r\n");
  Open();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Özgüven")}));
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Kendime güveniyorum.")}));
  Type(form->mesajedit, "Işığım parlıyor.");
  Press(form->Button3);
  EXPECT_EQ(dir->Read("language0\\Özgüven.txt"), "Kendime g\xFCveniyorum.,1\r\nI\xFE\xFD\xF0\xFDm parl\xFDyor.,1\r\n");
}

// ---- Start-up: the create handler ----

TEST_F(Catalogue, StartWithoutAProgramListShowsTheOpenErrorAndGoesOn) {
  Open();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].Title, "Quillimo");
  EXPECT_TRUE(StartsWith(Boxes()[0].Text, "Cannot open file \"" + dir->File("programlist0.txt") + "\". "))
      << Boxes()[0].Text;
  EXPECT_EQ(Boxes()[0].Style & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
  EXPECT_EQ(form->programlist->Count(), 0);
  EXPECT_EQ(form->mesajlist->Count(), 0);
  EXPECT_TRUE(form->Visible());
}

TEST_F(Catalogue, StartWithAnEmptyProgramListShowsNoErrorAndTheHelp) {
  dir->Write("programlist0.txt", "");
  Open();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(form->programlist->Count(), 0);
  EXPECT_EQ(form->programlist->ItemIndex(), -1);
  EXPECT_EQ(form->mesajlist->Count(), 0);
  EXPECT_TRUE(form->helpmemo0->Visible());
  EXPECT_EQ(form->helpmemo0->Align(), alClient);
}

TEST_F(Catalogue, StartWithAMissingMessageFileShowsThatFileAndKeepsTheProgramList) {
  WriteTwoPrograms();
  dir->Remove("language0\\Genel.txt");
  Open();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_TRUE(StartsWith(Boxes()[0].Text, "Cannot open file \"" + dir->File("language0\\Genel.txt") + "\". "));
  EXPECT_EQ(form->programlist->Count(), 2);
  EXPECT_EQ(form->programlist->ItemIndex(), 0);
  EXPECT_EQ(form->mesajlist->Count(), 0);
}

// ---- Adding and deleting programs ----

TEST_F(Catalogue, AddingAProgramWritesItsEmptyMessageFileAndTheProgramList) {
  WriteTwoPrograms();
  Open();
  form->programlist->SetChecked(1, true);  // a tick changed on screen is written with the list
  Type(form->programedit, "Yeni, bir program");
  Press(form->Button1);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Genel"), On("Aksam"), On("Yeni, bir program")}));
  EXPECT_EQ(form->programlist->ItemIndex(), 2);
  EXPECT_EQ(form->mesajlist->Count(), 0);
  EXPECT_EQ(form->programedit->GetText(), "");
  EXPECT_TRUE(dir->Exists("language0\\Yeni, bir program.txt"));
  EXPECT_EQ(dir->Read("language0\\Yeni, bir program.txt"), "");
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\nAksam,1\r\nYeni, bir program,1\r\n");
  // The other programs' messages are untouched.
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1\r\nIki,0\r\nUc,1\r\n");
}

TEST_F(Catalogue, EmptyEditsMakeTheAddCommandsDoNothing) {
  dir->Write("programlist0.txt", "Genel,1");  // a save would add the final line break
  dir->Write("language0\\Genel.txt", "Bir,1");
  Open();
  form->mesajlist->SetChecked(0, false);  // a save would write this tick
  Press(form->Button1);
  Press(form->Button3);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1");
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1");
  EXPECT_EQ(form->programlist->Count(), 1);
  EXPECT_EQ(form->mesajlist->Count(), 1);
}

TEST_F(Catalogue, AddingAProgramWithoutItsLanguageDirectoryFailsAfterListingIt) {
  WriteTwoPrograms();
  Open();
  dir->Remove("language0");
  Type(form->programedit, "Yeni");
  Press(form->Button1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].Title, "Quillimo");
  EXPECT_TRUE(StartsWith(Boxes()[0].Text, "Cannot create file \"" + dir->File("language0\\Yeni.txt") + "\". "))
      << Boxes()[0].Text;
  // The entry is already in the list; neither file was written; the name stays in the edit.
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Genel"), Off("Aksam"), On("Yeni")}));
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\nAksam,0\r\n");
  EXPECT_EQ(form->programedit->GetText(), "Yeni");
}

TEST_F(Catalogue, AddingANameThatIsThereSelectsThatProgramAndKeepsItsMessages) {
  WriteTwoPrograms();
  Open();
  ClickItem(form->programlist, 1);
  Type(form->programedit, "GENEL");
  Press(form->Button1);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Genel"), Off("Aksam")}));
  EXPECT_EQ(form->programlist->ItemIndex(), 0);
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Bir"), Off("Iki"), On("Uc")}));
  EXPECT_EQ(form->programedit->GetText(), "");
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1\r\nIki,0\r\nUc,1\r\n");
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\nAksam,0\r\n");
}

TEST_F(Catalogue, NamesThatAreNoPlainFileNameAndUnstorableTextsAreRefusedBeforeAnyChange) {
  WriteTwoPrograms();
  Open();
  for (const char* name : {"..\\Genel", "alt/dosya", "C:ana", "CON", "nul", "COM1", "soru?", "Ж"}) {
    SCOPED_TRACE(name);
    Type(form->programedit, name);
    Press(form->Button1);
    EXPECT_EQ(form->programedit->GetText(), name);
  }
  ASSERT_EQ(Boxes().size(), 8u);
  EXPECT_EQ(Boxes()[0].Text, "\"..\\Genel\" cannot be used as a program name.");
  EXPECT_EQ(Boxes()[3].Text, "\"CON\" cannot be used as a program name.");
  EXPECT_EQ(Boxes()[7].Text, "The character \"Ж\" (U+0416) cannot be stored in code page 1252.");
  Type(form->mesajedit, "Güneş doğuyor");  // "ş" and "ğ" are not in code page 1252
  Press(form->Button3);
  ASSERT_EQ(Boxes().size(), 9u);
  EXPECT_EQ(Boxes()[8].Text, "The character \"ş\" (U+015F) cannot be stored in code page 1252.");
  EXPECT_EQ(form->mesajedit->GetText(), "Güneş doğuyor");

  EXPECT_EQ(form->programlist->Count(), 2);
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Bir"), Off("Iki"), On("Uc")}));
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\nAksam,0\r\n");
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1\r\nIki,0\r\nUc,1\r\n");
  EXPECT_FALSE(dir->Exists("Genel.txt"));
}

TEST_F(Catalogue, AProgramNameFromTheFileThatLeavesTheLanguageDirectoryIsNeverWritten) {
  dir->Write("programlist0.txt", "..\\disari,1\r\n");
  dir->Write("disari.txt", "Bir,1\r\n");
  Open();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].Text, "\"..\\disari\" cannot be used as a program name.");
  Type(form->mesajedit, "Yeni");
  Press(form->Button3);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(dir->Read("disari.txt"), "Bir,1\r\n");
}

TEST_F(Catalogue, DeletingAProgramRemovesItsFileAndLineAndShowsTheFirstProgram) {
  WriteTwoPrograms();
  dir->Write("programlist0.txt", "Genel,1\r\nAksam,0\r\nYok,1\r\n");  // "Yok" has no message file
  Open();
  ClickItem(form->programlist, 1);
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Sakin ol")}));
  Press(form->Button2);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_FALSE(dir->Exists("language0\\Aksam.txt"));
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\nYok,1\r\n");
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Genel"), On("Yok")}));
  EXPECT_EQ(form->programlist->ItemIndex(), 0);
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Bir"), Off("Iki"), On("Uc")}));

  // A program without a message file is deleted without complaint.
  ClickItem(form->programlist, 1);
  ASSERT_EQ(Boxes().size(), 1u);  // selecting it could not open its file
  Press(form->Button2);
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\n");
  EXPECT_EQ(form->mesajlist->Count(), 3);
}

TEST_F(Catalogue, WithNoProgramLeftTheCommandsOnTheSelectedProgramFailWithTheIndexError) {
  dir->Write("programlist0.txt", "Genel,1\r\n");
  dir->Write("language0\\Genel.txt", "Bir,1\r\n");
  Open();
  // Deleting the last program is complete, then showing the first one fails.
  Press(form->Button2);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].Title, "Quillimo");
  EXPECT_EQ(Boxes()[0].Text, "List index out of bounds (-1)");
  EXPECT_FALSE(dir->Exists("language0\\Genel.txt"));
  EXPECT_EQ(dir->Read("programlist0.txt"), "");
  EXPECT_EQ(form->programlist->Count(), 0);
  EXPECT_EQ(form->mesajlist->Count(), 0);

  // Deleting again changes nothing.
  Press(form->Button2);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].Text, "List index out of bounds (-1)");
  EXPECT_EQ(dir->Read("programlist0.txt"), "");

  // A message added now stays in the list but is not written, and stays in the edit.
  Type(form->mesajedit, "Kayboldu");
  Press(form->Button3);
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Boxes()[2].Text, "List index out of bounds (-1)");
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Kayboldu")}));
  EXPECT_EQ(form->mesajedit->GetText(), "Kayboldu");

  // The program goes on: a new program can be added.
  Type(form->programedit, "Genel");
  Press(form->Button1);
  EXPECT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\n");
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "");
}

// ---- Messages ----

TEST_F(Catalogue, AddingAndDeletingMessagesRewritesTheSelectedProgramsFile) {
  WriteTwoPrograms();
  Open();
  Type(form->mesajedit, "Dört, üç");
  Press(form->Button3);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Bir"), Off("Iki"), On("Uc"), On("Dört, üç")}));
  EXPECT_EQ(form->mesajlist->ItemIndex(), 3);
  EXPECT_EQ(form->mesajedit->GetText(), "");
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1\r\nIki,0\r\nUc,1\r\nD\xF6rt, \xFC\xE7,1\r\n");
}

TEST_F(Catalogue, DeletingTheSelectedMessageSavesTheRest) {
  WriteTwoPrograms();
  Open();
  ClickItem(form->mesajlist, 1);
  Press(form->Button4);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Bir"), On("Uc")}));
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1\r\nUc,1\r\n");
  // Without a selection nothing is removed, but the list is still saved.
  dir->Write("language0\\Genel.txt", "Bir,1\r\nUc,1");
  form->mesajlist->SetItemIndex(-1);
  Press(form->Button4);
  EXPECT_EQ(form->mesajlist->Count(), 2);
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1\r\nUc,1\r\n");
  EXPECT_EQ(dir->Read("language0\\Aksam.txt"), "Sakin ol,1\r\n");
}

// ---- Selecting and ticking ----

TEST_F(Catalogue, ClickingAProgramShowsItsMessagesAndItsTickBoxSelectsIt) {
  WriteTwoPrograms();
  Open();
  ClickItem(form->programlist, 1);
  EXPECT_EQ(form->programlist->ItemIndex(), 1);
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Sakin ol")}));
  ClickItem(form->programlist, 0, true);
  EXPECT_EQ(form->programlist->ItemIndex(), 0);
  EXPECT_FALSE(form->programlist->Checked(0));
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Bir"), Off("Iki"), On("Uc")}));
  // The keyboard selects as well.
  SendMessageW(form->programlist->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form->programlist->ItemIndex(), 1);
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Sakin ol")}));
  // A program's tick is written only with the next save of the program list.
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\nAksam,0\r\n");
  form->ShowCatalogue();
  EXPECT_TRUE(form->programlist->Checked(0));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Catalogue, ClickingAMessageTickBoxWritesTheNewTick) {
  WriteTwoPrograms();
  Open();
  ClickItem(form->mesajlist, 1, true);
  EXPECT_TRUE(form->mesajlist->Checked(1));
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1\r\nIki,1\r\nUc,1\r\n");
  ClickItem(form->mesajlist, 0, true);
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,0\r\nIki,1\r\nUc,1\r\n");
  // Only the selected program's file is written.
  EXPECT_EQ(dir->Read("language0\\Aksam.txt"), "Sakin ol,1\r\n");
  EXPECT_TRUE(Boxes().empty());
}

// ---- The two languages ----

TEST_F(Catalogue, EachLanguageKeepsItsOwnPrograms) {
  WriteTwoPrograms();
  dir->Write("programlist1.txt", "Evening,1\r\n");
  dir->Write("language1\\Evening.txt", "I am calm.,1\r\n");
  Open();
  form->langcode = "1";
  form->ShowCatalogue();
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Evening")}));
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("I am calm.")}));
  Type(form->programedit, "Genel");  // the Turkish program's name, a new program here
  Press(form->Button1);
  Type(form->mesajedit, "I rest well.");
  Press(form->Button3);
  EXPECT_EQ(dir->Read("programlist1.txt"), "Evening,1\r\nGenel,1\r\n");
  EXPECT_EQ(dir->Read("language1\\Genel.txt"), "I rest well.,1\r\n");

  form->langcode = "0";
  form->ShowCatalogue();
  EXPECT_EQ(Entries(form->programlist), (TCatalogueEntries{On("Genel"), Off("Aksam")}));
  EXPECT_EQ(Entries(form->mesajlist), (TCatalogueEntries{On("Bir"), Off("Iki"), On("Uc")}));
  EXPECT_EQ(dir->Read("programlist0.txt"), "Genel,1\r\nAksam,0\r\n");
  EXPECT_EQ(dir->Read("language0\\Genel.txt"), "Bir,1\r\nIki,0\r\nUc,1\r\n");
  EXPECT_TRUE(Boxes().empty());
}

// ---- The catalogue delivered beside vesperin.exe ----

std::string DeliveredDirectory() {
  std::string exe = QUILLIMO_VESPERIN_EXE;
  for (char& c : exe)
    if (c == '/') c = '\\';
  return exe.substr(0, exe.find_last_of('\\'));
}

std::string ReadBytes(const std::string& file) {
  TFileStream stream(file, fmOpenRead);
  std::string bytes(static_cast<std::size_t>(stream.Size()), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return bytes;
}

TEST(DeliveredCatalogue, EachLanguageHasTickedProgramsOfTickedMessagesInItsCodePage) {
  const std::string dir = DeliveredDirectory();
  for (auto [code, codePage] : {std::pair<std::string, int>{"0", cpWindows1254}, {"1", cpWindows1252}}) {
    SCOPED_TRACE("language " + code);
    const std::string list = ReadBytes(ProgramListFileName(dir, code));
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list.substr(list.size() - 2), "\r\n");
    TCatalogueEntries programs = ParseTickLines(AnsiToUtf8(list, codePage));
    EXPECT_GE(programs.size(), 3u);
    EXPECT_LE(programs.size(), 4u);
    std::string allText;
    for (const TCatalogueEntry& program : programs) {
      SCOPED_TRACE(program.Text);
      EXPECT_TRUE(program.Ticked);
      const std::string file = ReadBytes(MessageFileName(dir, code, program.Text));
      EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
      TCatalogueEntries messages = ParseTickLines(AnsiToUtf8(file, codePage));
      EXPECT_GE(messages.size(), 8u);
      EXPECT_LE(messages.size(), 12u);
      for (const TCatalogueEntry& message : messages) {
        EXPECT_TRUE(message.Ticked);
        EXPECT_FALSE(message.Text.empty());
        allText += message.Text;
      }
      // Turkish names stay readable where the system's code page is Western.
      EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi(program.Text, codePage), cpWindows1252), program.Text);
    }
    if (code == "0") {
      for (const char* letter : {"ş", "ı", "ğ", "İ", "ç", "ö", "ü"})
        EXPECT_NE(allText.find(letter), std::string::npos) << letter;
    } else {
      for (char c : allText) EXPECT_LT(static_cast<unsigned char>(c), 0x80u);  // plain English
    }
  }
}

TEST(DeliveredCatalogue, StartShowsItsFirstTurkishProgram) {
  CodePage turkish(cpWindows1254);
  SetProgramDirectory(DeliveredDirectory());
  MessageBoxCatcher boxes;
  auto* form = new TForm1(nullptr);
  form->AfterConstruction();
  SetProgramDirectory("");
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(form->programlist->Count(), 4);
  EXPECT_EQ(form->programlist->ItemIndex(), 0);
  EXPECT_EQ(form->programlist->Items()->Strings(0), "Özgüven");
  EXPECT_EQ(form->mesajlist->Count(), 10);
  EXPECT_EQ(form->mesajlist->Items()->Strings(0), "Kendime güveniyorum.");
  delete form;
}

}  // namespace
