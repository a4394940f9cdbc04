// Settings, autostart and the language of the main window: the real window created from its
// stored layout over a program directory of the test's own (a Turkish and an English
// catalogue, and a settings file or none), driven through its tool bar, radio groups and spin
// buttons, with the settings file, the registry's start-up value and the window's texts read
// back.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/autostart.h"
#include "app/main_window.h"
#include "app/skin_engine_setup.h"
#include "app_test_support.h"
#include "test_program_directory.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/win_test_support.h"

#include <windows.h>

namespace {

// The autostart value, or nullptr when there is none.
std::unique_ptr<std::string> RunValue() {
  wchar_t data[1024] = {};
  DWORD size = sizeof(data);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, Utf8ToWide(kRunKeyPath).c_str(), L"Quillimo", RRF_RT_REG_SZ, nullptr, data,
                   &size) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<std::string>(WideToUtf8(data));
}

void DeleteRunValue() { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, Utf8ToWide(kRunKeyPath).c_str(), L"Quillimo"); }

void ClickRadioItem(TRadioGroup* group, int item) {
  SendMessageW(static_cast<TWinControl*>(group->Controls(item))->Handle(), BM_CLICK, 0, 0);
}

// A press and release of a spin button's upper or lower half.
void ClickSpin(TSpinButton* spin, bool up) {
  LPARAM at = MAKELPARAM(spin->Width() / 2, up ? 3 : spin->Height() - 3);
  SendMessageW(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(spin->Handle(), WM_LBUTTONUP, 0, at);
}

std::vector<std::string> Items(TStrings* list) {
  std::vector<std::string> items;
  for (int i = 0; i < list->Count(); ++i) items.push_back(list->Strings(i));
  return items;
}

std::vector<std::string> TrayCaptions(TForm1* form) {
  std::vector<std::string> captions;
  TMenuItem* items = form->PopupMenu1->Items();
  for (int i = 0; i < items->Count(); ++i) captions.push_back(items->Items(i)->Caption());
  return captions;
}

class Settings : public ::testing::Test {
protected:
  void SetUp() override {
    Application->SetTitle("Quillimo");
    dir = std::make_unique<TestProgramDirectory>(::testing::UnitTest::GetInstance()->current_test_info()->name());
    dir->Write("programlist0.txt", "Genel,1\r\n");
    dir->Write("language0\\Genel.txt", "Bir,1\r\n");
    dir->Write("programlist1.txt", "Calm,1\r\n");
    dir->Write("language1\\Calm.txt", "One,1\r\n");
    DeleteRunValue();
  }
  void TearDown() override {
    delete form;
    dir.reset();
    DeleteRunValue();
  }

  void Open() {
    UseProgramSkinEngine();
    form = new TForm1(nullptr);
    form->AfterConstruction();
    form->Show();
  }

  void ExpectTurkish() {
    EXPECT_EQ(form->langcode, "0");
    EXPECT_EQ(form->lcLang1->ActiveLanguage(), 1);
    EXPECT_EQ(form->RadioGroup2->ItemIndex(), 0);
    EXPECT_EQ(form->ToolButton6->Caption(), "Mesajlar Başlasın");
    EXPECT_EQ(form->TabSheet1->Caption(), "Programlar");
    EXPECT_EQ(Items(form->RadioGroup3->Items()),
              (std::vector<std::string>{"Windows açılınca başlat", "Windows açılınca başlatma"}));
    EXPECT_EQ(TrayCaptions(form),
              (std::vector<std::string>{"Göster", "-", "Mesajları Durdur", "Mesajlar Devam Etsin", "-", "Kapat"}));
    EXPECT_EQ(Items(form->programlist->Items()), std::vector<std::string>{"Genel"});
    EXPECT_TRUE(form->helpmemo0->Visible());
    EXPECT_FALSE(form->helpmemo1->Visible());
    EXPECT_EQ(form->Caption(), "Quillimo v 1.1");
  }

  void ExpectEnglish() {
    EXPECT_EQ(form->langcode, "1");
    EXPECT_EQ(form->lcLang1->ActiveLanguage(), 2);
    EXPECT_EQ(form->RadioGroup2->ItemIndex(), 1);
    EXPECT_EQ(form->ToolButton6->Caption(), "Start Messages");
    EXPECT_EQ(form->ToolButton4->Caption(), "Exit");
    EXPECT_EQ(form->TabSheet1->Caption(), "Programs");
    EXPECT_EQ(form->TabSheet4->Caption(), "Brelko  Website");
    EXPECT_EQ(form->GroupBox4->Caption(), "Message Period and Duration");
    EXPECT_EQ(form->Arayz1->Caption(), "Skins");
    EXPECT_EQ(form->Arayz61->Caption(), "Skin 6");
    EXPECT_EQ(form->Button6->Caption(), "www.brelko.com");  // no English text: kept
    EXPECT_EQ(Items(form->RadioGroup3->Items()), (std::vector<std::string>{"Run on Startup", "Do not Run on Startup"}));
    EXPECT_EQ(Items(form->RadioGroup4->Items()), (std::vector<std::string>{"Randomly on the Screen", "Screen Center"}));
    EXPECT_EQ(TrayCaptions(form),
              (std::vector<std::string>{"Show", "-", "Stop Messages", "Start Messages", "-", "Exit"}));
    EXPECT_EQ(Items(form->programlist->Items()), std::vector<std::string>{"Calm"});
    EXPECT_EQ(Items(form->mesajlist->Items()), std::vector<std::string>{"One"});
    EXPECT_TRUE(form->helpmemo1->Visible());
    EXPECT_FALSE(form->helpmemo0->Visible());
    EXPECT_EQ(form->Caption(), "Quillimo v 1.1");
  }

  MessageBoxCatcher boxes;
  std::unique_ptr<TestProgramDirectory> dir;
  TForm1* form = nullptr;
};

}  // namespace

TEST_F(Settings, FirstStartShowsTheDefaultsInTurkishAndWritesNoAutostartValue) {
  Open();
  EXPECT_TRUE(boxes.Boxes().empty());
  ExpectTurkish();
  EXPECT_EQ(form->Edit1->GetText(), "2");
  EXPECT_EQ(form->Edit2->GetText(), "20");
  EXPECT_EQ(form->RadioGroup4->ItemIndex(), 0);
  EXPECT_EQ(form->RadioGroup3->ItemIndex(), 0);
  EXPECT_EQ(RunValue(), nullptr);
  EXPECT_EQ(form->ayarmemo->Lines()->Count(), 0);
}

TEST_F(Settings, AStoredEnglishStartIsRestoredAndExitWritesTheSameSixLines) {
  dir->Write("ayarlar.txt", "1\r\n7\r\n35\r\n1\r\n1\r\n1\r\n");
  Open();
  EXPECT_TRUE(boxes.Boxes().empty());
  ExpectEnglish();
  // A switch to English keeps the edit boxes (the table has no English text for them).
  EXPECT_EQ(form->Edit1->GetText(), "7");
  EXPECT_EQ(form->Edit2->GetText(), "35");
  EXPECT_EQ(form->RadioGroup4->ItemIndex(), 1);
  EXPECT_EQ(form->RadioGroup3->ItemIndex(), 1);
  // The stored "do not start" ran the autostart handler: the value is there, empty.
  ASSERT_NE(RunValue(), nullptr);
  EXPECT_EQ(*RunValue(), "");

  dir->Remove("ayarlar.txt");
  apptest::ClickToolButton(form->ToolButton4);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(dir->Read("ayarlar.txt"), "1\r\n7\r\n35\r\n1\r\n1\r\n1\r\n");
  EXPECT_FALSE(form->Visible());
}

// A selection outside a radio group's items, as a damaged or edited settings file may hold:
// below -1 selects none, above the last item the last one; Exit writes them back so.
TEST_F(Settings, SelectionsOutsideTheItemsAreBroughtIntoRange) {
  dir->Write("ayarlar.txt", "0\r\n2\r\n20\r\n-2\r\n2\r\n0\r\n");
  Open();
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(form->RadioGroup4->ItemIndex(), -1);
  EXPECT_EQ(form->RadioGroup3->ItemIndex(), 1);
  apptest::ClickToolButton(form->ToolButton4);
  EXPECT_EQ(dir->Read("ayarlar.txt"), "0\r\n2\r\n20\r\n-1\r\n1\r\n0\r\n");
}

TEST_F(Settings, TurkishToEnglishToTurkishByTheToolBarPutsTheStoredEditTextsBack) {
  Open();
  apptest::ClickToolButton(form->ToolButton2);  // Turkish already: nothing changes
  EXPECT_EQ(form->Edit1->GetText(), "2");
  EXPECT_EQ(form->Edit2->GetText(), "20");
  apptest::ClickToolButton(form->ToolButton1);
  ExpectEnglish();
  EXPECT_EQ(form->Edit2->GetText(), "20");
  apptest::ClickToolButton(form->ToolButton2);
  ExpectTurkish();
  EXPECT_EQ(form->Edit1->GetText(), "2");
  EXPECT_EQ(form->Edit2->GetText(), "40");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Settings, TheLanguageRadioGroupSwitchesAndTheSettingsKeepTheChoice) {
  Open();
  ClickRadioItem(form->RadioGroup2, 1);
  ExpectEnglish();
  ClickRadioItem(form->RadioGroup4, 1);
  form->Kapat1->Click();
  EXPECT_EQ(dir->Read("ayarlar.txt"), "1\r\n2\r\n20\r\n1\r\n0\r\n1\r\n");
}

TEST_F(Settings, SpinButtonsStepTheEditBoxesAndStopAtTheirFloors) {
  Open();
  ClickSpin(form->SpinButton1, false);
  EXPECT_EQ(form->Edit1->GetText(), "2");  // 2 - 1 = 1 becomes 2
  ClickSpin(form->SpinButton1, true);
  EXPECT_EQ(form->Edit1->GetText(), "3");
  ClickSpin(form->SpinButton2, true);
  EXPECT_EQ(form->Edit2->GetText(), "25");
  ClickSpin(form->SpinButton2, false);
  ClickSpin(form->SpinButton2, false);
  EXPECT_EQ(form->Edit2->GetText(), "15");
  ClickSpin(form->SpinButton2, false);
  EXPECT_EQ(form->Edit2->GetText(), "10");  // 15 - 5 = 10
  ClickSpin(form->SpinButton2, false);
  EXPECT_EQ(form->Edit2->GetText(), "10");  // 10 - 5 = 5 becomes 10
  EXPECT_TRUE(boxes.Boxes().empty());

  SetWindowTextW(form->Edit1->Handle(), L"iki");
  ClickSpin(form->SpinButton1, true);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "'iki' is not a valid integer value.");
  EXPECT_EQ(form->Edit1->GetText(), "iki");
}

TEST_F(Settings, TheAutostartChoiceWritesTheStartUpValueAtOnce) {
  Open();
  ClickRadioItem(form->RadioGroup3, 1);
  ASSERT_NE(RunValue(), nullptr);
  EXPECT_EQ(*RunValue(), "");
  ClickRadioItem(form->RadioGroup3, 0);
  ASSERT_NE(RunValue(), nullptr);
  EXPECT_EQ(*RunValue(), dir->Path() + "\\vesperin.exe");
  EXPECT_TRUE(boxes.Boxes().empty());
}

// Under Wine nothing reads the Run key: the choice also writes and removes the desktop
// session's autostart entry, in the folder that XDG_CONFIG_HOME names.
TEST_F(Settings, UnderWineTheAutostartChoiceAlsoKeepsADesktopEntry) {
  if (!RunningUnderWine()) GTEST_SKIP() << "not under Wine";
  const std::string config = WineUnixFileName(dir->File("config"));
  ASSERT_FALSE(config.empty());
  SetEnvironmentVariableW(L"XDG_CONFIG_HOME", Utf8ToWide(config).c_str());
  Open();
  ClickRadioItem(form->RadioGroup3, 1);
  ClickRadioItem(form->RadioGroup3, 0);
  const std::string entry = dir->Read("config\\autostart\\Quillimo.desktop");
  EXPECT_NE(entry.find("[Desktop Entry]\nType=Application\nName=Quillimo\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find(" wine " + WineUnixFileName(dir->Path() + "\\vesperin.exe")), std::string::npos) << entry;
  ClickRadioItem(form->RadioGroup3, 1);
  EXPECT_FALSE(dir->Exists("config\\autostart\\Quillimo.desktop"));
  SetEnvironmentVariableW(L"XDG_CONFIG_HOME", nullptr);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Settings, ALineThatIsNotANumberEndsTheCreateHandlerBeforeTheCatalogue) {
  dir->Write("ayarlar.txt", "0\r\n2\r\n20\r\nbir\r\n0\r\n0\r\n");
  Open();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "'bir' is not a valid integer value.");
  EXPECT_EQ(form->programlist->Count(), 0);
  EXPECT_EQ(form->mesajlist->Count(), 0);
  EXPECT_TRUE(form->Visible());

  // A file of fewer lines reads the missing ones as empty text; a language code other than
  // "0" or "1" never names a catalogue file.
  for (const char* file : {"1\r\n2\r\n20\r\n0\r\n", "..\\x\r\n2\r\n20\r\n0\r\n0\r\n0\r\n"}) {
    delete form;
    form = nullptr;
    dir->Write("ayarlar.txt", file);
    Open();
    EXPECT_EQ(form->programlist->Count(), 0);
  }
  ASSERT_EQ(boxes.Boxes().size(), 3u);
  EXPECT_EQ(boxes.Boxes()[1].Text, "'' is not a valid integer value.");
  EXPECT_EQ(boxes.Boxes()[2].Text, "'..\\x' is not a valid language code.");
}

TEST_F(Settings, ASettingsFileThatCannotBeWrittenKeepsTheProgramOpen) {
  Open();
  CreateDirectoryW(Utf8ToWide(dir->File("ayarlar.txt")).c_str(), nullptr);  // where the file should be
  apptest::ClickToolButton(form->ToolButton4);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text.rfind("Cannot create file \"" + dir->File("ayarlar.txt") + "\". ", 0), 0u)
      << boxes.Boxes()[0].Text;
  EXPECT_TRUE(form->Visible());
}

TEST_F(Settings, EveryWayTheWindowClosesAndTheSessionsEndWriteTheSettingsFirst) {
  Open();
  form->Edit1->SetText("9");
  // Alt+F4 and the system's close command arrive as WM_CLOSE.
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(dir->Read("ayarlar.txt"), "0\r\n9\r\n20\r\n0\r\n0\r\n0\r\n");
  EXPECT_FALSE(form->Visible());

  // The session's end: the query is agreed to, the end itself writes.
  form->Show();
  dir->Remove("ayarlar.txt");
  form->Edit2->SetText("45");
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(dir->Read("ayarlar.txt"), "0\r\n9\r\n45\r\n0\r\n0\r\n0\r\n");

  // A file that cannot be written: a close shows the error box and the window stays; the
  // session's end goes on without a box.
  dir->Remove("ayarlar.txt");
  CreateDirectoryW(Utf8ToWide(dir->File("ayarlar.txt")).c_str(), nullptr);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(boxes.Boxes().empty());
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text.rfind("Cannot create file \"", 0), 0u) << boxes.Boxes()[0].Text;
  EXPECT_TRUE(form->Visible());
}

TEST_F(Settings, AFileRefusedAtItsLanguageLineLeavesTheEditBoxesAtTheirDefaults) {
  dir->Write("ayarlar.txt", "x\r\n7\r\n35\r\n0\r\n0\r\n0\r\n");
  Open();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "'x' is not a valid language code.");
  EXPECT_EQ(form->Edit1->GetText(), "2");
  EXPECT_EQ(form->Edit2->GetText(), "20");
}
