#include <gtest/gtest.h>

#include "lang_test_util.h"
#include "localisation/lang_apply.h"
#include "localisation/lang_dispatcher.h"
#include "localisation/translation_table.h"

namespace {

bool HasLine(const TStrings& section, const std::string& line) { return section.IndexOf(line) >= 0; }

int LinesKeyed(const TStrings& section, const std::string& key) {
  int n = 0;
  for (int i = 0; i < section.Count(); ++i) n += LineKey(section.Strings(i), D) == key;
  return n;
}

struct CollectForm : TLangForm {
  CollectForm() { form->SetCaption("Quillimo"); }
};

}  // namespace

TEST(Collector, NewComponentsGetLinesWithTheirTextAsLanguageOne) {
  CollectForm f;
  f.Add<TTestButton>("Button1")->SetCaption("OK");
  f.Add<TMenuItem>("N1")->SetCaption("-");
  f.Add<TMenuItem>("Exit1")->SetCaption("Exit");
  f.lang->Collect();
  TStrings& captions = f.Section(stCaptions);
  EXPECT_EQ(captions.Strings(0), Line({"TForm1", "Quillimo", ""}));
  EXPECT_TRUE(HasLine(captions, Line({"Button1", "OK", ""})));
  EXPECT_TRUE(HasLine(captions, Line({"Exit1", "Exit", ""})));
  EXPECT_EQ(LinesKeyed(captions, "N1"), 0);  // a separator is no text
  EXPECT_TRUE(HasLine(f.Section(stHints), Line({"Button1", "", ""})));
  f.lang->Collect();  // a second pass adds nothing
  EXPECT_EQ(LinesKeyed(captions, "Button1"), 1);
  EXPECT_EQ(LinesKeyed(captions, "TForm1"), 1);
}

TEST(Collector, FontsBringTheirCharsetLines) {
  CollectForm f;
  TTestButton* b = f.Add<TTestButton>("Button1");
  b->GetFont()->SetName("Tahoma");
  b->GetFont()->SetCharset(162);
  TTestButton* child = f.Add<TTestButton>("Button2");
  child->SetParentFont(true);
  SetLines(f.Section(stFonts), {Line({"Button2", "Arial", ""})});
  SetLines(f.Section(stCharSets), {Line({"Button2", "ANSI_CHARSET", ""})});
  f.lang->Collect();
  EXPECT_EQ(f.Section(stFonts).Strings(0), Line({"TForm1", "MS Sans Serif", ""}));
  EXPECT_TRUE(HasLine(f.Section(stFonts), Line({"Button1", "Tahoma", ""})));
  EXPECT_EQ(f.Section(stCharSets).Strings(0), Line({"TForm1", "DEFAULT_CHARSET", ""}));
  EXPECT_TRUE(HasLine(f.Section(stCharSets), Line({"Button1", "TURKISH_CHARSET", "", ""})));
  EXPECT_EQ(LinesKeyed(f.Section(stFonts), "Button2"), 0);  // uses its parent's font
  EXPECT_EQ(LinesKeyed(f.Section(stCharSets), "Button2"), 0);
}

TEST(Collector, ListsOtherStringsAndCollectionItems) {
  CollectForm f;
  auto* memo = f.Add<TTestMemo>("Memo1");
  memo->GetLines()->Add("one two");
  memo->GetLines()->Add("three");
  auto* edit = f.Add<TTestEdit>("Edit1");
  edit->SetText("2");
  edit->SetDisplayLabel("label");
  auto* grid = f.Add<TTestGrid>("Grid1");
  grid->GetProperties()->SetCaption("Props");
  grid->GetProperties()->GetItems()->Add("a");
  static_cast<TTestColumn*>(grid->GetColumns()->Add())->SetCaption("Col");
  f.lang->Collect();
  EXPECT_TRUE(HasLine(f.Section(stMultiLines), Line({"Memo1.Lines", "\"one two\",three", ""})));
  EXPECT_TRUE(HasLine(f.Section(stMultiLines), Line({"Grid1.Properties.Items", "a", ""})));
  TStrings& other = f.Section(stOtherStrings);
  EXPECT_TRUE(HasLine(other, Line({"Edit1.Text", "2", ""})));
  EXPECT_EQ(LinesKeyed(other, "Edit1.WideText"), 1);
  EXPECT_EQ(LinesKeyed(other, "Edit1.ReadOnlyText"), 0);  // no write access
  EXPECT_EQ(LinesKeyed(other, "Edit1.DisplayLabel"), 0);
  EXPECT_EQ(LinesKeyed(other, "Edit1.Caption"), 0);
  EXPECT_TRUE(HasLine(other, Line({"Grid1.Properties.Caption", "Props", ""})));
  EXPECT_TRUE(HasLine(f.Section(stDisplayLabels), Line({"Edit1", "label", ""})));
  EXPECT_TRUE(HasLine(f.Section(stCollections), Line({"Grid1.Columns[0].Caption", "Col", ""})));
  EXPECT_EQ(LinesKeyed(f.Section(stOtherStrings), "lcLang1.Version"), 0);  // the component itself is left out
}

TEST(Collector, RenamedComponentKeepsItsTranslations) {
  CollectForm f;
  TTestButton* b = f.Add<TTestButton>("Button1");
  b->SetCaption("Tamam");
  SetLines(f.Section(stCaptions), {Line({"TForm1", "Quillimo", "Quillimo"}), Line({"Button1", "Tamam", "OK"})});
  b->SetName("OkButton");
  f.lang->Collect();
  EXPECT_EQ(Lines(f.Section(stCaptions)),
            (std::vector<std::string>{Line({"TForm1", "Quillimo", "Quillimo"}), Line({"OkButton", "Tamam", "OK"})}));
  EXPECT_EQ(f.lang->Applier().RemovedLines()->Count(), 0);  // the pool lives for one pass only
}

TEST(Collector, ExistingLinesFollowTheDesignerOnlyAtDesignTime) {
  CollectForm f;
  TTestButton* b = f.Add<TTestButton>("Button1");
  b->SetCaption("Shown");
  SetLines(f.Section(stCaptions), {Line({"TForm1", "Quillimo", ""}), Line({"Button1", "Evet", ""})});
  f.lang->Collect();  // run time: existing lines stay
  EXPECT_TRUE(HasLine(f.Section(stCaptions), Line({"Button1", "Evet", ""})));

  f.lang->SetDesign(true);
  f.lang->SetActiveLanguage(2);  // collects first, in the language being left
  EXPECT_TRUE(HasLine(f.Section(stCaptions), Line({"Button1", "Shown", ""})));
  f.lang->Collect();  // language 2 is empty: the designer's text does not fill it
  EXPECT_TRUE(HasLine(f.Section(stCaptions), Line({"Button1", "Shown", ""})));
  SetLines(f.Section(stCaptions), {Line({"TForm1", "Quillimo", ""}), Line({"Button1", "Evet", "Yes"})});
  b->SetCaption("Yes!");
  f.lang->Collect();
  EXPECT_TRUE(HasLine(f.Section(stCaptions), Line({"Button1", "Evet", "Yes!"})));
}

TEST(Collector, OwnerEntryIsReKeyedToTheClassName) {
  CollectForm f;
  SetLines(f.Section(stCaptions), {Line({"Form1", "Başlık", "Title"})});
  SetLines(f.Section(stHints), {Line({"OldName", "", "tip"})});
  f.form->SetHint("");
  f.lang->Collect();
  EXPECT_EQ(f.Section(stCaptions).Strings(0), Line({"TForm1", "Quillimo", "Title"}));
  EXPECT_EQ(f.Section(stHints).Strings(0), Line({"TForm1", "", "tip"}));
  EXPECT_EQ(f.Section(stCaptions).Count(), 1);
}

TEST(Collector, ExcludedActionsAndForeignLines) {
  CollectForm f;
  auto* edit = f.Add<TTestEdit>("Edit1");
  edit->SetText("x");
  auto* action = f.Add<TTestAction>("Action1");
  action->SetCaption("Run");
  auto* run = f.Add<TTestButton>("RunButton");
  run->SetAction(action);
  f.Add<TTestButton>("Secret")->SetCaption("s");
  f.lang->DoNotTranslate()->Add("Secret");
  SetLines(f.Section(stOtherStrings), {Line({"Edit1.Nothing", "a", ""}), Line({"Edit1.Font", "b", ""})});
  SetLines(f.Section(stMultiLines), {Line({"Edit1.Text", "c", ""})});
  f.lang->Collect();
  EXPECT_EQ(LinesKeyed(f.Section(stCaptions), "RunButton"), 0);  // shows its action's caption
  EXPECT_EQ(LinesKeyed(f.Section(stCaptions), "Secret"), 0);
  EXPECT_TRUE(HasLine(f.Section(stCaptions), Line({"Action1", "Run", ""})));
  // Missing properties and properties of the wrong kind are dropped.
  EXPECT_EQ(LinesKeyed(f.Section(stOtherStrings), "Edit1.Nothing"), 0);
  EXPECT_EQ(LinesKeyed(f.Section(stOtherStrings), "Edit1.Font"), 0);
  EXPECT_EQ(f.Section(stMultiLines).Count(), 0);

  TStringList smart;
  smart.Add("Edit1.Text");
  f.lang->SetSmartExcludeProps(&smart);  // collects again, without Edit1.Text
  EXPECT_EQ(LinesKeyed(f.Section(stOtherStrings), "Edit1.Text"), 0);
  TStringList excluded;
  excluded.Add("Caption");
  f.lang->SetExcludedProperties(&excluded);
  EXPECT_EQ(f.Section(stCaptions).Count(), 0);
}

TEST(Collector, ExtendedTranslationsFollowTheShownValue) {
  CollectForm f;
  f.Add<TTestEdit>("Edit1")->SetText("yeni");
  TlcExtendedItem* item = f.lang->ExtendedTranslations()->AddItem();
  item->SetIdentifier("Edit1.Text");
  item->SetValues(Line({"eski", "old"}));
  TlcExtendedItem* gone = f.lang->ExtendedTranslations()->AddItem();
  gone->SetIdentifier("Edit1.Missing");
  gone->SetValues(Line({"a", "b"}));
  f.lang->SetDoRaiseExceptions(true);
  f.lang->Collect();
  EXPECT_EQ(item->Values(), Line({"yeni", "old"}));
  EXPECT_EQ(gone->Values(), Line({"a", "b"}));
  EXPECT_TRUE(f.lang->DoRaiseExceptions());  // restored after the pass
}

TEST(Collector, TemporaryOrOwnerlessComponentsCollectNothing) {
  TlcLang alone(nullptr);
  alone.Collect();
  EXPECT_EQ(alone.SectionStrings(stCaptions)->Count(), 0);
  CollectForm f;
  f.lang->Table().SetTemporary(true);
  f.lang->Collect();
  EXPECT_EQ(f.Section(stCaptions).Count(), 0);
}
