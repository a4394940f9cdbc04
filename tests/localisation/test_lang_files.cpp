#include <gtest/gtest.h>

#include <algorithm>

#include "lang_test_util.h"
#include "localisation/lang_apply.h"
#include "localisation/lang_files.h"
#include "localisation/memini.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/temp_dir.h"

namespace {

const std::string kNames = "[Language names - for internal use only!]\r\nLanguage_1=Türkçe\r\nLanguage_2=English\r\n";

// A text file image: the names section and the given lines.
std::string FileText(const std::string& body) { return kNames + body; }

struct FilesForm : TLangForm {
  TTestButton* button1 = Add<TTestButton>("Button1");
  TTestButton* button2 = Add<TTestButton>("Button2");
  TTestGrid* grid = Add<TTestGrid>("Grid1");
  TTestEdit* edit = Add<TTestEdit>("Edit1");
  FilesForm() {
    grid->GetColumns()->Add();
    button1->SetCaption("Evet");
  }
};

std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace

TEST(TranslationFile, SectionEntriesBecomeLinesOfTheOwnersKeys) {
  FilesForm f;
  f.lang->DoNotTranslate()->Add("Edit1");
  TStringStream file(FileText(
      "[Captions]\r\nTForm1.Button1=Yes~!@#Evet~!@#\r\nForm1.Button2=No~!@#Hayir~!@#\r\nTOther.Button1=x~!@#y~!@#\r\n"
      "TForm1.Edit1=e~!@#f~!@#\r\nTForm1.TForm1=Title~!@#Baslik~!@#\r\nTForm1.Missing=m~!@#n~!@#\r\n"));
  EXPECT_EQ(f.lang->Files().LoadSectionFromStream(stCaptions, file, true), 4);
  // In the file's sorted order, the owner's entry first; the line of a component the form
  // lacks is pruned.
  EXPECT_EQ(Lines(f.Section(stCaptions)),
            (std::vector<std::string>{Line({"TForm1", "Title", "Baslik"}), Line({"Button2", "No", "Hayir"}),
                                      Line({"Button1", "Yes", "Evet"})}));
  EXPECT_EQ(f.lang->Applier().RemovedLines()->Count(), 1);
  EXPECT_EQ(f.lang->Files().LoadSectionFromStream(stListView_TreeView_Items, file, true),
            -1);  // TlcLang has no such section
}

TEST(TranslationFile, TheOwnersEntryKeyedByTheFormsNameStaysTheOwnersThroughASaveAndLoad) {
  FilesForm f;
  TStringStream file(FileText("[Captions]\r\nForm1.Button1=Yes~!@#Evet~!@#\r\nForm1.Form1=Title~!@#Baslik~!@#\r\n"));
  f.lang->Files().LoadFromStream(file, false);
  const std::string owner = Line({"TForm1", "Title", "Baslik"});
  ASSERT_GT(f.Section(stCaptions).Count(), 0);
  EXPECT_EQ(f.Section(stCaptions).Strings(0), owner);
  TStringStream saved;
  f.lang->Files().SaveToStream(saved, "~!@#");
  FilesForm g;
  g.lang->Files().LoadFromStream(saved, true);
  ASSERT_GT(g.Section(stCaptions).Count(), 0);
  EXPECT_EQ(g.Section(stCaptions).Strings(0), owner);
}

TEST(TranslationFile, LoadingAppliesTheActiveLanguage) {
  FilesForm f;
  f.lang->SetActiveLanguage(2);
  TStringStream file(FileText("[Captions]\r\nTForm1.Button1=Yes~!@#Evet~!@#\r\n"));
  f.lang->Files().LoadSectionFromStream(stCaptions, file, true);
  EXPECT_EQ(f.button1->GetCaption(), "Evet");
}

TEST(TranslationFile, OptionsDelimiterLineBreaksAndFixedLanguages) {
  FilesForm f;
  TStringStream file(
      FileText("[OPTIONS]\r\nDELIMITER=|\r\nLanguage_Fixed2=1\r\n"
               "[Strings]\r\nTForm1.Greeting=Hi\x19\x1Athere|Merhaba|\r\nTForm1.Single=Only\r\n"));
  EXPECT_EQ(f.lang->Files().LoadSectionFromStream(stStrings, file, true), 2);
  EXPECT_EQ(Lines(f.Section(stStrings)),
            (std::vector<std::string>{Line({"Greeting", "Hi\r\nthere", "Merhaba"}), Line({"Single", "Only"})}));
  EXPECT_EQ(Lines(*f.lang->Files().FixedLanguages()), std::vector<std::string>{"English"});
}

TEST(TranslationFile, LanguageNamesOfTheFileReplaceTheComponents) {
  FilesForm f;
  TStringStream file(
      "[Language names - for internal use only!]\r\nLanguage_1=A\r\nLanguage_2=B\r\nLanguage_3=C\r\n"
      "Language_5=E\r\n[Captions]\r\n");
  f.lang->Files().LoadSectionFromStream(stCaptions, file, true);
  EXPECT_EQ(Lines(*f.lang->LangNames()), (std::vector<std::string>{"A", "B", "C"}));  // stops at the gap
  EXPECT_EQ(f.lang->NumOfLanguages(), 3);
}

TEST(TranslationFile, CollectionKeysAreWrittenWithoutBracketsAndReadBack) {
  FilesForm f;
  SetLines(f.Section(stCollections), {Line({"Grid1.Columns[0].Caption", "Ad", "Name"})});
  TStringStream file;
  EXPECT_EQ(f.lang->Files().SaveSectionToStream(stCollections, file, "~!@#"), 1);
  TMemIniFile ini(file.DataString());
  EXPECT_EQ(ini.ReadString("Collections", "TForm1.Grid1.Columns-0+.Caption", "?"), "Ad~!@#Name~!@#");
  EXPECT_EQ(ini.ReadString("OPTIONS", "DELIMITER", "?"), "~!@#");
  EXPECT_EQ(ini.ReadString("Language names - for internal use only!", "Language_2", "?"), "English");

  FilesForm g;
  EXPECT_EQ(g.lang->Files().LoadSectionFromStream(stCollections, file, true), 1);
  EXPECT_EQ(Lines(g.Section(stCollections)), Lines(f.Section(stCollections)));
}

TEST(TranslationFile, SavingOverALongerFileLeavesNoRemainder) {
  FilesForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Evet", "Yes"})});
  TStringStream file("[Captions]\r\nForm1.Button1=old~!@#\r\n[Junk]\r\n" + std::string(5000, 'x') +
                     "=1\r\n"
                     "[Language names - for intenal use only!]\r\nLanguage_1=x\r\n");
  f.lang->Files().SaveSectionToStream(stCaptions, file, "~!@#");
  const std::string text = file.DataString();
  EXPECT_EQ(static_cast<std::size_t>(file.Size()), text.size());
  TMemIniFile ini(text);
  EXPECT_EQ(ini.ReadSection("Captions"), std::vector<std::string>{"TForm1.Button1"});  // name-keyed entry gone
  EXPECT_FALSE(ini.SectionExists("Language names - for intenal use only!"));
  EXPECT_TRUE(ini.SectionExists("Junk"));  // other sections of the file stay
  EXPECT_EQ(ini.Text(), text);             // written sorted
}

// Runs a test with the system's 8-bit code page set to Turkish.
struct TurkishCodePage {
  int saved = SystemAnsiCodePage();
  TurkishCodePage() { SetSystemAnsiCodePage(cpWindows1254); }
  ~TurkishCodePage() { SetSystemAnsiCodePage(saved); }
};

TEST(TranslationFile, WholeTableRoundTripsThroughAFile) {
  TurkishCodePage turkish;
  TempDir dir;
  const std::string name = dir.Path("table.lng");
  FilesForm f;
  SetLines(f.Section(stCaptions), {Line({"TForm1", "Başlık", "Title"}), Line({"Button1", "Evet", "Yes"})});
  SetLines(f.Section(stHints), {Line({"Button2", "İpucu\r\niki", ""})});
  SetLines(f.Section(stOtherStrings), {Line({"Edit1.Text", "2", ""})});
  TlcExtendedItem* item = f.lang->ExtendedTranslations()->AddItem();
  item->SetIdentifier("Edit1.Text");
  item->SetPropertyType(tkLString);
  item->SetValues(Line({"bir", "one"}));
  f.lang->Files().SaveToFile(name, "~!@#");
  f.lang->Files().SaveToFile(name, "~!@#");  // saving again changes nothing
  const std::string saved = TempDir::Read(name);
  EXPECT_NE(saved.find("TForm1.Button1=Evet~!@#Yes~!@#\r\n"), std::string::npos);

  FilesForm g;
  g.lang->Files().LoadFromFile(name, true);
  // Lines come back in the file's sorted order, the owner's entry first.
  for (int t : {stCaptions, stHints, stOtherStrings, stDlgsCaptions})
    EXPECT_EQ(Sorted(Lines(g.Section(t))), Sorted(Lines(f.Section(t)))) << StringsTypeName(t);
  EXPECT_EQ(g.Section(stCaptions).Strings(0), Line({"TForm1", "Başlık", "Title"}));
  ASSERT_EQ(g.lang->ExtendedTranslations()->Count(), 1);
  TlcExtendedItem* back = g.lang->ExtendedTranslations()->Item(0);
  EXPECT_EQ(back->Identifier(), "Edit1.Text");
  EXPECT_EQ(back->PropertyType(), tkLString);
  EXPECT_EQ(back->Values(), Line({"bir", "one"}));
  EXPECT_EQ(TempDir::Read(name), saved);
}

TEST(TranslationFile, ATextTheCodePageCannotHoldIsRefusedBeforeTheFileChanges) {
  TempDir dir;
  const std::string name = dir.Path("t.lng");
  FilesForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Evet", "Yes"})});
  f.lang->Files().SaveToFile(name, "~!@#");
  const std::string before = TempDir::Read(name);
  SetLines(f.Section(stCaptions), {Line({"Button1", "Başla", "Start"})});
  EXPECT_THROW(f.lang->Files().SaveToFile(name, "~!@#"), EConvertError);  // Windows-1252 has no "ş"
  EXPECT_THROW(f.lang->Files().SaveSectionToFile(stCaptions, name, "~!@#"), EConvertError);
  EXPECT_EQ(TempDir::Read(name), before);
}

TEST(TranslationFile, ValuesWithLineBreaksAreStoredAsControlBytes) {
  TempDir dir;
  const std::string name = dir.Path("hints.lng");
  FilesForm f;
  SetLines(f.Section(stHints), {Line({"Button2", "a\r\nb", "c"})});
  f.lang->Files().SaveSectionToFile(stHints, name, "~!@#");
  TMemIniFile ini(TempDir::Read(name));
  EXPECT_EQ(ini.ReadString("Hints", "TForm1.Button2", ""),
            "a\x19\x1A"
            "b~!@#c~!@#");
}

TEST(TranslationFile, MissingFilesAreNoOpsAndSavesCreateThem) {
  TempDir dir;
  FilesForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Evet", "Yes"})});
  const std::vector<std::string> before = Lines(f.Section(stCaptions));
  EXPECT_EQ(f.lang->Files().LoadSectionFromFile(stCaptions, dir.Path("none.lng"), true), -1);
  f.lang->Files().LoadFromFile(dir.Path("none.lng"), true);
  f.lang->Files().ReadFromFile(dir.Path("none.lng"), true);
  EXPECT_FALSE(f.lang->Files().UpdateFromFile(dir.Path("none.lng")));
  EXPECT_EQ(Lines(f.Section(stCaptions)), before);
  EXPECT_EQ(f.lang->Files().SaveStringsToFile(dir.Path("new.lng"), "~!@#"), 0);
  EXPECT_TRUE(TempDir::Exists(dir.Path("new.lng")));
}

TEST(TranslationFile, UndecodableTextKeepsTheTable) {
  FilesForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Evet", "Yes"})});
  const std::vector<std::string> before = Lines(f.Section(stCaptions));
  TStringStream file("\xEF\xBB\xBF[Captions]\r\nTForm1.Button1=\xFF\xFE~!@#\r\n");
  f.lang->Files().LoadFromStream(file, true);
  EXPECT_EQ(Lines(f.Section(stCaptions)), before);
  EXPECT_EQ(f.lang->Files().LoadSectionFromStream(stCaptions, file, true), -1);
  EXPECT_FALSE(f.lang->Files().UpdateSectionFromStream(stCaptions, file));
  EXPECT_EQ(Lines(f.Section(stCaptions)), before);
  EXPECT_EQ(f.lang->Files().BatchDepth(), 0);
}

TEST(TranslationFile, UpdateKeepsLinesTheFileLacks) {
  FilesForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Evet", ""}), Line({"Button2", "Hayır", "No"})});
  TStringStream file(FileText("[Captions]\r\nTForm1.BUTTON1=Evet~!@#Yes~!@#\r\n"));
  EXPECT_TRUE(f.lang->Files().UpdateSectionFromStream(stCaptions, file));
  EXPECT_EQ(Lines(f.Section(stCaptions)),
            (std::vector<std::string>{Line({"BUTTON1", "Evet", "Yes"}), Line({"Button2", "Hayır", "No"})}));
  EXPECT_EQ(f.lang->Files().BatchDepth(), 0);

  TStringStream all(FileText("[Hints]\r\nTForm1.Button2=ipucu~!@#hint~!@#\r\n"));
  EXPECT_TRUE(f.lang->Files().UpdateFromStream(all));
  EXPECT_EQ(Lines(f.Section(stHints)), std::vector<std::string>{Line({"Button2", "ipucu", "hint"})});
  EXPECT_EQ(f.Section(stCaptions).Count(), 2);  // sections the file lacks keep their lines
}

// The section refuses a line twice, and the file names the same entry under the form's name and
// its class: the update fails halfway through reading and the section is as it was.
TEST(TranslationFile, AFailedUpdatePutsTheSectionBack) {
  FilesForm f;
  auto& captions = dynamic_cast<TStringList&>(f.Section(stCaptions));
  captions.SetSorted(true);
  captions.SetDuplicates(dupError);
  SetLines(captions, {Line({"Button1", "Evet", "Yes"}), Line({"Button2", "Hayır", "No"})});
  const std::vector<std::string> before = Lines(captions);
  TStringStream file(FileText("[Captions]\r\nTForm1.Button1=Tamam~!@#OK~!@#\r\nForm1.Button1=Tamam~!@#OK~!@#\r\n"));
  EXPECT_FALSE(f.lang->Files().UpdateSectionFromStream(stCaptions, file));
  EXPECT_EQ(Lines(captions), before);
  EXPECT_FALSE(f.lang->Files().UpdateFromStream(file));
  EXPECT_EQ(Lines(captions), before);
  EXPECT_EQ(f.lang->Files().BatchDepth(), 0);
}

TEST(TranslationFile, ImportingOneLanguageAddsItsColumn) {
  TempDir dir;
  const std::string name = dir.Path("de.lng");
  {
    std::FILE* out = std::fopen(name.c_str(), "wb");
    const std::string text =
        "[Language names - for internal use only!]\r\nLanguage_1=English\r\nLanguage_2=Deutsch\r\n"
        "[Captions]\r\nTForm1.Button1=Yes~!@#Ja~!@#\r\nTForm1.Button2=No~!@#Nein~!@#\r\n"
        "[Extended]\r\nTForm1.Edit1.Text=one~!@#eins~!@#\r\n";
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
  FilesForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Evet", "Yes"})});
  TlcExtendedItem* item = f.lang->ExtendedTranslations()->AddItem();
  item->SetIdentifier("Edit1.Text");
  item->SetValues(Line({"bir", "one"}));

  f.lang->Files().LoadLanguageFromFile(name, "English");  // known language: its column is refreshed
  EXPECT_EQ(f.lang->NumOfLanguages(), 2);
  f.lang->Files().LoadLanguageFromFile(name, "Deutsch");
  EXPECT_EQ(f.lang->NumOfLanguages(), 3);
  EXPECT_EQ(f.lang->LangNames()->Strings(2), "Deutsch");
  EXPECT_EQ(Lines(f.Section(stCaptions)),
            (std::vector<std::string>{Line({"Button1", "Evet", "Yes", "Ja"}), Line({"Button2", "", "No", "Nein"})}));
  EXPECT_EQ(item->Values(), Line({"bir", "one", "eins"}));

  f.lang->Files().LoadLanguageFromFile(name, "deutsch");  // names compare case-sensitively: nothing
  EXPECT_EQ(f.lang->NumOfLanguages(), 3);
  f.lang->SetDoRaiseExceptions(true);
  try {
    f.lang->Files().LoadLanguageFromFile(name, "Klingon");
    FAIL() << "no error";
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message(), "Klingon not found in " + name);
  }
}

TEST(TranslationFile, UpdateKeepsTheOwnersEntryFirst) {
  FilesForm f;
  SetLines(f.Section(stCaptions), {Line({"TForm1", "Başlık", "Title"}), Line({"Button1", "Evet", "Yes"})});
  TStringStream file(FileText("[Captions]\r\nTForm1.Button2=Hayir~!@#No~!@#\r\n"));
  EXPECT_TRUE(f.lang->Files().UpdateFromStream(file));
  EXPECT_EQ(Lines(f.Section(stCaptions)),
            (std::vector<std::string>{Line({"TForm1", "Başlık", "Title"}), Line({"Button2", "Hayir", "No"}),
                                      Line({"Button1", "Evet", "Yes"})}));
}
