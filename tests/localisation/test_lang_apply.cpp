// Applying a language to the owner form through its published properties.
#include <gtest/gtest.h>

#include "localisation/lang_apply.h"
#include "localisation/lang_test_util.h"
#include "localisation/locale_settings.h"
#include "toolkit/core/text.h"

namespace {

// A part of the program's main window and of its table.
class ProgramForm : public ::testing::Test {
protected:
  TLangForm f;
  TTestButton* toolButton6 = f.Add<TTestButton>("ToolButton6");
  TTestButton* button6 = f.Add<TTestButton>("Button6");
  TTestRadioGroup* radioGroup3 = f.Add<TTestRadioGroup>("RadioGroup3");
  TTestMemo* helpmemo0 = f.Add<TTestMemo>("helpmemo0");
  TTestEdit* edit1 = f.Add<TTestEdit>("Edit1");
  TTestEdit* edit2 = f.Add<TTestEdit>("Edit2");
  TTestListBox* programlist = f.Add<TTestListBox>("programlist");
  int changes = 0;

  void SetUp() override {
    f.form->SetCaption("Quillimo v 1.1");
    toolButton6->SetCaption("Mesajları Başlat");
    button6->SetCaption("Sil");
    SetLines(*radioGroup3->GetItems(), {"Başlangıçta Çalıştır", "Başlangıçta Çalıştırma"});
    SetLines(*helpmemo0->GetLines(), {"Yardım", "metni"});
    edit1->SetText("2");
    edit2->SetText("40");
    SetLines(*programlist->GetItems(), {"Olumlama"});
    SetLines(f.Section(stCaptions),
             {Line({"TForm1", "Quillimo v 1.1", "Quillimo v 1.1"}),
              Line({"ToolButton6", "Mesajları Başlat", "Start Messages"}), Line({"Button6", "Sil", ""})});
    SetLines(f.Section(stMultiLines),
             {Line({"RadioGroup3.Items", "\"Başlangıçta Çalıştır\",\"Başlangıçta Çalıştırma\"",
                    "\"Run on Startup\",\"Do not Run on Startup\""}),
              Line({"helpmemo0.Lines", "Yardım,metni", ""}), Line({"programlist.Items", "", ""})});
    SetLines(f.Section(stOtherStrings), {Line({"Edit1.Text", "2", ""}), Line({"Edit2.Text", "40", ""})});
    f.lang->OnChangeLanguage = [this](TObject* sender) {
      EXPECT_EQ(sender, f.lang);
      ++changes;
    };
  }
};

}  // namespace

TEST_F(ProgramForm, SwitchingToEnglish) {
  f.form->SetCaption("something else");
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(f.lang->Language(), "English");
  EXPECT_EQ(toolButton6->GetCaption(), "Start Messages");
  EXPECT_EQ(button6->GetCaption(), "Sil");
  EXPECT_EQ(Lines(*radioGroup3->GetItems()), (std::vector<std::string>{"Run on Startup", "Do not Run on Startup"}));
  EXPECT_EQ(f.form->GetCaption(), "Quillimo v 1.1");
  EXPECT_EQ(Lines(*helpmemo0->GetLines()), (std::vector<std::string>{"Yardım", "metni"}));
  EXPECT_EQ(changes, 1);
}

TEST_F(ProgramForm, SwitchingBackWritesTheTurkishOtherStrings) {
  f.lang->SetActiveLanguage(2);
  edit1->SetText("7");
  edit2->SetText("99");
  PropertyWrites() = 0;
  f.lang->SetActiveLanguage(1);
  EXPECT_EQ(edit1->GetText(), "2");
  EXPECT_EQ(edit2->GetText(), "40");
  EXPECT_EQ(toolButton6->GetCaption(), "Mesajları Başlat");
  EXPECT_EQ(Lines(*programlist->GetItems()), std::vector<std::string>{"Olumlama"});
  EXPECT_EQ(changes, 2);
}

TEST_F(ProgramForm, SwitchingToTheActiveLanguageDoesNothing) {
  f.lang->SetActiveLanguage(2);
  toolButton6->SetCaption("changed");
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(toolButton6->GetCaption(), "changed");
  EXPECT_EQ(changes, 1);
}

TEST_F(ProgramForm, OutOfRangeLanguageRaisesAndChangesNothing) {
  try {
    f.lang->SetActiveLanguage(3);
    FAIL();
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "3 - is not a valid property value!\rValue must be within [1..2]!");
  }
  EXPECT_EQ(f.lang->ActiveLanguage(), 1);
  EXPECT_EQ(changes, 0);
}

TEST_F(ProgramForm, LanguageByName) {
  f.lang->SetLanguage("english");
  EXPECT_EQ(f.lang->ActiveLanguage(), 2);
  EXPECT_EQ(toolButton6->GetCaption(), "Start Messages");
  try {
    f.lang->SetLanguage("Deutsch");
    FAIL();
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "Language name shall be included in LangNames property!");
  }
  EXPECT_EQ(f.lang->ActiveLanguage(), 2);
}

TEST_F(ProgramForm, AnApplicationThatChangesNothingWritesNoProperty) {
  // Every value of language 2 equals what the form shows already.
  for (int t : {stCaptions, stMultiLines, stOtherStrings}) {
    TStrings& section = f.Section(t);
    for (int i = 0; i < section.Count(); ++i) {
      std::string line = section.Strings(i);
      SetLangField(line, D, 2, ExtractLangField(line, D, 1));
      section.SetStrings(i, line);
    }
  }
  helpmemo0->SetWordWrap(true);
  radioGroup3->SetItemIndex(1);
  PropertyWrites() = 0;
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(PropertyWrites(), 0);
  EXPECT_EQ(changes, 1);
}

TEST_F(ProgramForm, DefaultLanguageFillsEmptyValuesWithTtGetDefault) {
  f.lang->SetActiveLanguage(2);
  button6->SetCaption("x");
  f.lang->SetTranslateType(ttGetDefault);
  f.lang->SetActiveLanguage(1);
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(button6->GetCaption(), "Sil");
  EXPECT_EQ(edit1->GetText(), "2");
}

TEST_F(ProgramForm, ListsAreUpdatedInPlaceKeepingTheSelection) {
  radioGroup3->SetItemIndex(1);
  helpmemo0->SetWordWrap(true);
  SetLines(f.Section(stMultiLines), {Line({"RadioGroup3.Items", "", "\"Run on Startup\",\"Do not Run on Startup\""}),
                                     Line({"helpmemo0.Lines", "", "Help,text,more"})});
  helpmemo0->wrapChanges = 0;
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(radioGroup3->GetItemIndex(), 1);
  EXPECT_EQ(Lines(*helpmemo0->GetLines()), (std::vector<std::string>{"Help", "text", "more"}));
  EXPECT_TRUE(helpmemo0->GetWordWrap());
  EXPECT_EQ(helpmemo0->wrapChanges, 2);  // off for the copy, on again after it
}

TEST_F(ProgramForm, SortedListsAreSortedAgainAfterTheCopy) {
  auto* sorted = static_cast<TStringList*>(programlist->GetItems());
  sorted->SetSorted(true);
  SetLines(f.Section(stMultiLines), {Line({"programlist.Items", "", "zeta,alpha"})});
  f.lang->SetActiveLanguage(2);
  EXPECT_TRUE(sorted->Sorted());
  EXPECT_EQ(Lines(*sorted), (std::vector<std::string>{"alpha", "zeta"}));
}

TEST_F(ProgramForm, AssigningASectionAppliesOnlyThatSection) {
  f.lang->SetActiveLanguage(2);
  toolButton6->SetCaption("c");
  edit1->SetText("t");
  TStringList others;
  SetLines(others, {Line({"Edit1.Text", "2", "English text"})});
  f.lang->SetSection(stOtherStrings, &others);
  EXPECT_EQ(f.lang->Applier().OnlyType(), stOtherStrings);
  EXPECT_EQ(edit1->GetText(), "English text");
  EXPECT_EQ(toolButton6->GetCaption(), "c");
}

// ---------------------------------------------------------------------------------------

TEST(ApplyPruning, LinesOfDeletedComponentsGoToTheRemovedLines) {
  TLangForm f;
  f.Add<TTestButton>("Button1");
  SetLines(f.Section(stCaptions), {Line({"TForm1", "a", "b"}), Line({"Gone", "x", "y"}), Line({"Button1", "c", "d"})});
  SetLines(f.Section(stOtherStrings), {Line({"TForm1.Hint", "a", "b"}), Line({"Gone.Text", "x", "y"})});
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(Lines(f.Section(stCaptions)),
            (std::vector<std::string>{Line({"TForm1", "a", "b"}), Line({"Button1", "c", "d"})}));
  EXPECT_EQ(Lines(f.Section(stOtherStrings)), std::vector<std::string>{Line({"TForm1.Hint", "a", "b"})});
  EXPECT_EQ(Lines(*f.lang->Applier().RemovedLines()),
            (std::vector<std::string>{Line({"Gone", "x", "y"}), Line({"Gone.Text", "x", "y"})}));
}

TEST(ApplyPruning, ComponentsWithAnActionKeepTheirCaption) {
  TLangForm f;
  auto* action = f.Add<TTestAction>("Action1");
  auto* button = f.Add<TTestButton>("Button1");
  button->SetAction(action);
  button->SetCaption("from action");
  SetLines(f.Section(stCaptions), {Line({"TForm1", "a", "b"}), Line({"Button1", "a", "b"})});
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(button->GetCaption(), "from action");
  EXPECT_EQ(f.Section(stCaptions).Count(), 1);
  EXPECT_EQ(f.lang->Applier().RemovedLines()->Count(), 0);
}

TEST(ApplyOwner, OwnerCaptionHintAndFont) {
  TLangForm f;
  SetLines(f.Section(stCaptions), {Line({"TFORM1", "Başlık", "Title"})});
  SetLines(f.Section(stHints), {Line({"TForm1", "ipucu", "hint"})});
  SetLines(f.Section(stFonts), {Line({"TForm1", "Tahoma", "Arial"})});
  SetLines(f.Section(stCharSets), {Line({"TForm1", "TURKISH_CHARSET", "ANSI_CHARSET"})});
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(f.form->GetCaption(), "Title");
  EXPECT_EQ(f.form->GetHint(), "hint");
  EXPECT_EQ(f.form->GetFont()->Name(), "Arial");
  EXPECT_EQ(f.form->GetFont()->Charset(), 0);

  // The owner's charset identifier must match exactly.
  SetLines(f.Section(stCharSets), {Line({"TForm1", "turkish_charset", "turkish_charset"})});
  f.lang->SetActiveLanguage(1);
  EXPECT_EQ(f.form->GetFont()->Charset(), 0);
  EXPECT_EQ(f.form->GetFont()->Name(), "Tahoma");
}

TEST(ApplyOwner, DoNotTranslateAndSmartExcludeProtectTheOwner) {
  TLangForm f;
  f.form->SetCaption("keep");
  f.form->SetHint("keep");
  SetLines(f.Section(stCaptions), {Line({"TForm1", "a", "b"})});
  SetLines(f.Section(stHints), {Line({"TForm1", "a", "b"})});
  TStringList smart;
  SetLines(smart, {"TForm1.Caption"});
  f.lang->SetSmartExcludeProps(&smart);
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(f.form->GetCaption(), "keep");
  EXPECT_EQ(f.form->GetHint(), "b");
  TStringList names;
  SetLines(names, {"TForm1"});
  f.lang->SetDoNotTranslate(&names);
  f.lang->SetActiveLanguage(1);
  EXPECT_EQ(f.form->GetHint(), "b");
}

TEST(ApplyFonts, FontNameAndCharsetUnlessTheControlUsesItsParentsFont) {
  TLangForm f;
  auto* memo = f.Add<TTestMemo>("mesajlar");
  auto* button = f.Add<TTestButton>("Button1");
  button->SetParentFont(true);
  SetLines(f.Section(stFonts), {Line({"mesajlar", "Tahoma", "Arial"}), Line({"Button1", "Tahoma", "Arial"})});
  SetLines(f.Section(stCharSets), {Line({"MESAJLAR", "DEFAULT_CHARSET", "greek_charset"}),
                                   Line({"Button1", "DEFAULT_CHARSET", "GREEK_CHARSET"})});
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(memo->GetFont()->Name(), "Arial");
  EXPECT_EQ(memo->GetFont()->Charset(), 161);
  EXPECT_EQ(button->GetFont()->Name(), "MS Sans Serif");
  EXPECT_EQ(button->GetFont()->Charset(), 1);
}

TEST(ApplyPaths, RelativePathValueIsComparedAsItsFullPathAndWrittenAsItStands) {
  TLangForm f;
  auto* edit = f.Add<TTestEdit>("Edit1");
  const std::string relative = std::string(".") + "\\" + "help.txt";
  SetLines(f.Section(stDisplayLabels), {Line({"Edit1", relative, relative})});
  SetLines(f.Section(stOtherStrings), {Line({"Edit1.Text", relative, relative})});
  edit->SetDisplayLabel(ExpandFileName(relative));
  edit->SetText("other.txt");
  PropertyWrites() = 0;
  f.lang->SetActiveLanguage(2);
  // Holding the full path already: nothing is written.
  EXPECT_EQ(edit->GetDisplayLabel(), ExpandFileName(relative));
  // Holding another text: the table's text, not the path it was compared as.
  EXPECT_EQ(edit->GetText(), relative);
  EXPECT_EQ(PropertyWrites(), 1);
}

TEST(ApplySubProperties, PropertiesObjectListsAndTexts) {
  TLangForm f;
  auto* grid = f.Add<TTestGrid>("Grid1");
  auto* edit = f.Add<TTestEdit>("Edit1");
  SetLines(f.Section(stMultiLines), {Line({"Grid1.Properties.Items", "bir,iki", "one,two"})});
  SetLines(
      f.Section(stOtherStrings),
      {Line({"Grid1.Properties.Caption", "başlık", "caption"}), Line({"Grid1.Properties.Title", "başlık", "wide ş"}),
       Line({"Edit1.WideText", "a", "wide ğ"}), Line({"Edit1.ReadOnlyText", "a", "never"})});
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(Lines(*grid->GetProperties()->GetItems()), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(grid->GetProperties()->GetCaption(), "caption");
  EXPECT_EQ(grid->GetProperties()->Title(), Utf8ToUtf16("wide ş"));
  EXPECT_EQ(edit->GetWideText(), Utf8ToUtf16("wide ğ"));
  EXPECT_EQ(edit->GetText(), "");
}

TEST(ApplyCollections, ItemsOfCollectionsAndOfThePropertiesObject) {
  TLangForm f;
  auto* grid = f.Add<TTestGrid>("Grid1");
  grid->GetColumns()->Add();
  grid->GetColumns()->Add();
  grid->GetProperties()->GetColumns()->Add();
  SetLines(f.Section(stCollections),
           {Line({"Grid1.Columns[0].Caption", "Ad", "Name"}), Line({"Grid1.Columns[1].Font.Name", "Arial", "Tahoma"}),
            Line({"Grid1.Columns[1].Lines", "a", "x\r\ny"}),
            Line({"Grid1.Properties.Columns[0].Caption", "a", "Inner"}), Line({"Grid1.Columns[5].Caption", "a", "b"}),
            Line({"Grid1.Missing[0].Caption", "a", "b"}), Line({"Grid1.Columns[0].NoSuchProperty", "a", "b"})});
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(grid->Column(0)->GetCaption(), "Name");
  EXPECT_EQ(grid->Column(1)->GetFont()->Name(), "Tahoma");
  EXPECT_EQ(Lines(*grid->Column(1)->GetLines()), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(static_cast<TTestColumn*>(grid->GetProperties()->GetColumns()->Items(0))->GetCaption(), "Inner");
  // An index past the items is pruned; a missing collection or item property drops the line.
  EXPECT_EQ(Lines(*f.lang->Applier().RemovedLines()),
            std::vector<std::string>{Line({"Grid1.Columns[5].Caption", "a", "b"})});
  EXPECT_EQ(f.Section(stCollections).Count(), 4);
}

TEST(ApplyLocales, LocaleSettingsGoIntoTheFormatSettings) {
  const TFormatSettings saved = FormatSettings;
  TLangForm f;
  f.lang->SetChangeLocales(true);
  SetLines(f.Section(stLocales), {Line({"Decimal Separator", ".", ",;"}), Line({"Currency String", "$", "TL"}),
                                  Line({"Short Month Names", "", "Oca,Şub"}), Line({"decimal separator", "", "#"})});
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(FormatSettings.DecimalSeparator, ",");
  EXPECT_EQ(FormatSettings.CurrencyString, "TL");
  EXPECT_EQ(FormatSettings.ShortMonthNames[0], "Oca");
  EXPECT_EQ(FormatSettings.ShortMonthNames[1], "Şub");
  EXPECT_EQ(FormatSettings.ShortMonthNames[2], "Mar");
  FormatSettings = saved;

  f.lang->SetChangeLocales(false);
  f.lang->SetActiveLanguage(1);
  EXPECT_EQ(FormatSettings.DecimalSeparator, saved.DecimalSeparator);
}

TEST(ApplyExtended, ExtendedTranslationsWriteAnyKind) {
  TLangForm f;
  auto* grid = f.Add<TTestGrid>("Grid1");
  auto* list = f.Add<TTestListBox>("List1");
  grid->GetColumns()->Add();
  auto add = [&](const std::string& id, const std::string& values) {
    TlcExtendedItem* item = f.lang->ExtendedTranslations()->AddItem();
    item->SetIdentifier(id);
    item->SetValues(values);
    return item;
  };
  TlcExtendedItem* root = add("TForm1.Caption", "Başlık\x01Title\x01");
  add("Grid1.Font.Name",
      "Tahoma\x01"
      "Arial\x01");
  add("List1.Items", "a\x01\"x y\",z\x01");
  add("List1.ItemIndex",
      "0\x01"
      "1\x01");
  add("Grid1.ParentFont", "False\x01True\x01");
  EXPECT_TRUE(root->IsRoot());
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(f.form->GetCaption(), "Title");
  EXPECT_EQ(grid->GetFont()->Name(), "Arial");
  EXPECT_EQ(list->GetItemIndex(), 1);
  EXPECT_EQ(Lines(*list->GetItems()), (std::vector<std::string>{"x y", "z"}));
  EXPECT_TRUE(grid->GetParentFont());
}

TEST(ApplyExtended, ValuesAreFoundByWordPosition) {
  TlcExtendedItem item(nullptr);
  item.SetValues(
      "\x01"
      "a\x01\x01"
      "b\x01");
  EXPECT_EQ(item.ValueFor(1, D), "a");
  EXPECT_EQ(item.ValueFor(2, D), "b");
  EXPECT_EQ(item.ValueFor(3, D), "");
}

TEST(ApplyExtended, RememberedComponentGivesTheIdentifierItsCurrentName) {
  TLangForm f;
  auto* button = f.Add<TTestButton>("Button1");
  TlcExtendedItem* item = f.lang->ExtendedTranslations()->AddItem();
  item->SetIdentifier("Button1.Caption");
  item->SetComponent(button);
  button->SetName("StartButton");
  EXPECT_EQ(item->Identifier(), "StartButton.Caption");
  item->SetComponent(f.form.get());
  EXPECT_EQ(item->Identifier(), "TForm1.Caption");
}

TEST(ApplyMenus, DoNotTranslateSkipsAComponent) {
  TLangForm f;
  auto* item = f.Add<TMenuItem>("N1");
  item->SetCaption("Dosya");
  SetLines(f.Section(stCaptions), {Line({"N1", "Dosya", "File"})});
  TStringList names;
  SetLines(names, {"n1"});
  f.lang->SetDoNotTranslate(&names);
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(item->GetCaption(), "Dosya");
}
