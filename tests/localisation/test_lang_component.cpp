// The component's settings and the normalisation at the end of loading.
#include <gtest/gtest.h>

#include "localisation/dialog_captions.h"
#include "localisation/lang_test_util.h"
#include "localisation/locale_settings.h"

TEST(LangComponent, NewComponentDefaults) {
  TForm1 form;
  TlcLang lang(&form);
  EXPECT_EQ(lang.Version(), "4.1.0");
  lang.SetVersion("9.9");
  EXPECT_EQ(lang.Version(), "4.1.0");
  EXPECT_EQ(lang.NumOfLanguages(), 1);
  EXPECT_EQ(lang.ActiveLanguage(), 1);
  EXPECT_EQ(lang.LangDelim(), 1);
  EXPECT_EQ(lang.Language(), "Language N1");
  EXPECT_EQ(Lines(*lang.LangNames()), std::vector<std::string>{"Language N1"});
  EXPECT_EQ(Lines(*lang.StringsTypes()), (std::vector<std::string>{"TIB_STRINGLIST", "TSTRINGLIST"}));
  EXPECT_EQ(lang.ChangingCursor(), -1);
  EXPECT_EQ(lang.ResourceLanguageIndex(), 1);
  EXPECT_EQ(lang.TranslateType(), ttNoChange);
  EXPECT_TRUE(lang.Options().Empty());
}

TEST(LangComponent, OnlyOneLangComponentPerOwner) {
  TForm1 form;
  auto* first = new TlcLang(&form);
  try {
    new TlcLang(&form);
    FAIL() << "a second component was accepted";
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "Only one TlcCustomLang component per Form/DataModule allowed!");
  }
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), first);
}

TEST(LangComponent, SectionsAreFoundByNameWithoutPrefix) {
  TLangForm f;
  EXPECT_EQ(f.lang->FindSectionByName("captions"), &f.Section(stCaptions));
  EXPECT_EQ(f.lang->FindSectionByName("DLGSCAPTIONS"), &f.Section(stDlgsCaptions));
  EXPECT_EQ(f.lang->FindSectionByName("ListView_TreeView_Items"), nullptr);
  EXPECT_EQ(f.lang->FindSectionByName("stCaptions"), nullptr);
}

TEST(LangComponent, NumOfLanguagesGrowsAndShrinksNamesAndLines) {
  TLangForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Tamam", "OK"})});
  f.lang->SetNumOfLanguages(3);
  EXPECT_EQ(Lines(*f.lang->LangNames()), (std::vector<std::string>{"Türkçe", "English", "Language N3"}));
  EXPECT_EQ(f.Section(stCaptions).Strings(0), Line({"Button1", "Tamam", "OK"}));
  // Run time: the looked-up sections are padded to the new count.
  EXPECT_EQ(f.Section(stDlgsCaptions).Strings(0), "Warning\x01Warning\x01\x01\x01");

  f.lang->SetNumOfLanguages(1);
  EXPECT_EQ(f.Section(stCaptions).Strings(0), Line({"Button1", "Tamam"}));
  EXPECT_EQ(Lines(*f.lang->LangNames()), std::vector<std::string>{"Türkçe"});

  try {
    f.lang->SetNumOfLanguages(0);
    FAIL();
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "0 - is not a valid property value !\rValue must be more than ZERO !");
  }
  EXPECT_EQ(f.lang->NumOfLanguages(), 1);
  // A damaged stored count is refused before anything grows.
  EXPECT_THROW(f.lang->SetNumOfLanguages(1 << 30), ELanguageError);
  EXPECT_EQ(f.lang->NumOfLanguages(), 1);
  EXPECT_EQ(f.lang->LangNames()->Count(), 1);
}

TEST(LangComponent, LangNamesSetTheCountAndTheLanguageName) {
  TLangForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Tamam", "OK"})});
  TStringList names;
  SetLines(names, {"A", "B", "C"});
  f.lang->SetLangNames(&names);
  EXPECT_EQ(f.lang->NumOfLanguages(), 3);
  EXPECT_EQ(f.lang->Language(), "A");
  EXPECT_EQ(f.Section(stCaptions).Strings(0), Line({"Button1", "Tamam", "OK"}));
  // An empty list leaves one language.
  names.Clear();
  f.lang->SetLangNames(&names);
  EXPECT_EQ(f.lang->NumOfLanguages(), 1);
}

TEST(LangComponent, LangDelimReplacesTheDelimiterEverywhere) {
  TLangForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Tamam", "OK"})});
  TlcExtendedItem* item = f.lang->ExtendedTranslations()->AddItem();
  item->SetValues(
      "a\x01"
      "b\x01");
  f.lang->SetLangDelim('|');
  EXPECT_EQ(f.Section(stCaptions).Strings(0), "Button1|Tamam|OK|");
  EXPECT_EQ(f.Section(stDlgsCaptions).Strings(0), "Warning|Warning||");
  EXPECT_EQ(item->Values(), "a|b|");
}

TEST(LangComponent, ChangeLocalesAddsTheFifteenSettingLines) {
  TLangForm f;
  f.lang->SetChangeLocales(true);
  TStrings& locales = f.Section(stLocales);
  ASSERT_EQ(locales.Count(), 15);
  EXPECT_EQ(locales.Strings(0), Line({"Currency String", FormatSettings.CurrencyString}));
  EXPECT_EQ(locales.Strings(2), Line({"Decimal Separator", FormatSettings.DecimalSeparator}));
  EXPECT_EQ(ExtractLangField(locales.Strings(14), D, 1), "Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday");
}

TEST(LangComponent, DoNotTranslateAtDesignTimeRemovesTheComponentsLines) {
  TLangForm f;
  f.lang->SetDesign(true);
  SetLines(f.Section(stCaptions),
           {Line({"TForm1", "a", "b"}), Line({"Button1", "a", "b"}), Line({"Button10", "a", "b"})});
  SetLines(f.Section(stOtherStrings), {Line({"Button1.Text", "a", "b"}), Line({"Button10.Text", "a", "b"})});
  TStringList names;
  SetLines(names, {"Button1", "TForm1"});
  f.lang->SetDoNotTranslate(&names);
  EXPECT_EQ(Lines(f.Section(stCaptions)), std::vector<std::string>{Line({"Button10", "a", "b"})});
  EXPECT_EQ(Lines(f.Section(stOtherStrings)), std::vector<std::string>{Line({"Button10.Text", "a", "b"})});
}

TEST(LangComponent, ResourceLanguageIndexIsRangeChecked) {
  TLangForm f;
  f.lang->SetResourceLanguageIndex(2);
  EXPECT_EQ(f.lang->ResourceLanguageIndex(), 2);
  try {
    f.lang->SetResourceLanguageIndex(3);
    FAIL();
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "3 - is not a valid property value!\rValue must be within [1..2]!");
  }
  EXPECT_EQ(f.lang->ResourceLanguageIndex(), 2);
}

TEST(LangComponent, RemovedComponentLeavesDoNotTranslateAndExtendedTranslations) {
  TLangForm f;
  auto* button = f.Add<TTestButton>("Button1");
  f.Add<TTestButton>("Button2");
  TStringList names;
  SetLines(names, {"Button1", "Button2"});
  f.lang->SetDoNotTranslate(&names);
  f.lang->ExtendedTranslations()->AddItem()->SetIdentifier("Button1.Caption");
  f.lang->ExtendedTranslations()->AddItem()->SetIdentifier("Button2.Caption");
  button->Free();
  EXPECT_EQ(Lines(*f.lang->DoNotTranslate()), std::vector<std::string>{"Button2"});
  ASSERT_EQ(f.lang->ExtendedTranslations()->Count(), 1);
  EXPECT_EQ(f.lang->ExtendedTranslations()->Item(0)->Identifier(), "Button2.Caption");
}

// ---------------------------------------------------------------------------------------
// End of loading

class LoadedLang : public ::testing::Test {
protected:
  TLangForm f;
  void SetUp() override { f.lang->StartLoading(); }
};

TEST_F(LoadedLang, NeedAllDlgsAddsOrDropsTheDialogRows) {
  f.lang->SetNeedAllDlgs(true);
  f.lang->FinishLoading();
  TStrings& dialogs = f.Section(stDlgsCaptions);
  ASSERT_EQ(dialogs.Count(), 82);
  EXPECT_EQ(dialogs.Strings(15), Line({"Open", "&Open"}));
  EXPECT_EQ(dialogs.Strings(81), Line({"(None)", "(None)"}));

  TLangForm other;
  other.lang->StartLoading();
  other.lang->SetNeedAllDlgs(false);
  other.Section(stDlgsCaptions).Assign(&dialogs);
  other.lang->FinishLoading();
  ASSERT_EQ(other.Section(stDlgsCaptions).Count(), 15);
  EXPECT_EQ(other.Section(stDlgsCaptions).Strings(12), Line({"No To All", "N&o to All", ""}));
}

TEST_F(LoadedLang, NeedAllDlgsKeepsTheStoredEightyTwoRows) {
  f.lang->SetNeedAllDlgs(true);
  f.lang->FinishLoading();
  f.Section(stDlgsCaptions).SetStrings(20, Line({"Save", "&Kaydet", "&Save"}));
  TLangForm other;
  other.lang->StartLoading();
  other.lang->SetNeedAllDlgs(true);
  other.Section(stDlgsCaptions).Assign(&f.Section(stDlgsCaptions));
  other.lang->FinishLoading();
  EXPECT_EQ(Lines(other.Section(stDlgsCaptions)), Lines(f.Section(stDlgsCaptions)));
}

TEST_F(LoadedLang, TabDelimitedTableIsMigrated) {
  f.lang->SetLangDelim(9);
  SetLines(f.Section(stCaptions), {"Button1\tTamam\tOK\t"});
  f.lang->FinishLoading();
  EXPECT_EQ(f.lang->LangDelim(), 1);
  EXPECT_EQ(f.Section(stCaptions).Strings(0), Line({"Button1", "Tamam", "OK"}));
}

TEST_F(LoadedLang, TabsAreReplacedWhenTheTableLooksTabDelimited) {
  // The delimiter is already 1 but the lines came from an older, tab-delimited table.
  SetLines(f.Section(stCaptions), {"Button1\tTamam\tOK\t"});
  SetLines(f.Section(stHints), {"Button1\tipucu\thint\t"});
  f.lang->FinishLoading();
  EXPECT_EQ(f.Section(stCaptions).Strings(0), Line({"Button1", "Tamam", "OK"}));
  EXPECT_EQ(f.Section(stHints).Strings(0), Line({"Button1", "ipucu", "hint"}));

  TLangForm plain;
  plain.lang->StartLoading();
  SetLines(plain.Section(stCaptions), {Line({"Memo1", "a\tb", "c"})});
  plain.lang->FinishLoading();
  EXPECT_EQ(plain.Section(stCaptions).Strings(0), Line({"Memo1", "a\tb", "c"}));
}

TEST_F(LoadedLang, ElevenLocaleLinesGetTheFourNameLines) {
  std::vector<std::string> eleven;
  for (int i = 0; i < 11; ++i) f.Section(stLocales).Add(Line({std::string(LocaleSettingName(i)), "x", "y"}));
  f.lang->FinishLoading();
  ASSERT_EQ(f.Section(stLocales).Count(), 15);
  EXPECT_EQ(f.Section(stLocales).Strings(11), Line({"Short Month Names", LocaleSettingText(FormatSettings, 11)}));
}

TEST_F(LoadedLang, ExcludedPropertiesEmptyTheirSections) {
  TStringList excluded;
  SetLines(excluded, {"Hint", "Font", "Text"});
  f.lang->SetExcludedProperties(&excluded);
  SetLines(f.Section(stCaptions), {Line({"Button1", "a", "b"})});
  SetLines(f.Section(stHints), {Line({"Button1", "a", "b"})});
  SetLines(f.Section(stFonts), {Line({"Button1", "Arial", ""})});
  SetLines(f.Section(stCharSets), {Line({"Button1", "ANSI_CHARSET", ""})});
  SetLines(f.Section(stOtherStrings), {Line({"Edit1.Text", "a", "b"}), Line({"Edit1.Hint2", "a", "b"})});
  f.lang->FinishLoading();
  EXPECT_EQ(f.Section(stCaptions).Count(), 1);
  EXPECT_EQ(f.Section(stHints).Count(), 0);
  EXPECT_EQ(f.Section(stFonts).Count(), 0);
  EXPECT_EQ(f.Section(stCharSets).Count(), 0);
  EXPECT_EQ(Lines(f.Section(stOtherStrings)), std::vector<std::string>{Line({"Edit1.Hint2", "a", "b"})});
}

TEST_F(LoadedLang, NothingIsAppliedUnlessTheOwnerIsInherited) {
  auto* button = f.Add<TTestButton>("Button1");
  button->SetCaption("Tamam");
  SetLines(f.Section(stCaptions), {Line({"Button1", "Tamam", "OK"})});
  f.lang->SetActiveLanguage(2);
  f.lang->FinishLoading();
  EXPECT_EQ(f.lang->ActiveLanguage(), 2);
  EXPECT_EQ(button->GetCaption(), "Tamam");

  TLangForm inherited;
  auto* other = inherited.Add<TTestButton>("Button1");
  inherited.lang->StartLoading();
  SetLines(inherited.Section(stCaptions), {Line({"Button1", "Tamam", "OK"})});
  inherited.lang->SetIsInheritedOwner(true);
  inherited.lang->SetActiveLanguage(2);
  inherited.lang->FinishLoading();
  EXPECT_EQ(other->GetCaption(), "OK");
}

TEST_F(LoadedLang, OutOfRangeLanguageWhileLoadingIsIgnored) {
  f.lang->SetActiveLanguage(7);
  EXPECT_EQ(f.lang->ActiveLanguage(), 1);
}

TEST(LangComponent, ChangingCursorShowsWhileTheLanguageIsApplied) {
  TLangForm f;
  int screen = 0;
  std::vector<int> shown;
  LangCursorHooks().Get = [&] { return screen; };
  LangCursorHooks().Set = [&](int c) {
    screen = c;
    shown.push_back(c);
  };
  f.lang->SetChangingCursor(-11);
  int seenDuringApply = 0;
  f.lang->OnChangeLanguage = [&](TObject*) { seenDuringApply = screen; };
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(seenDuringApply, -11);
  EXPECT_EQ(screen, 0);
  // A cursor other than the default one is left alone.
  screen = -2;
  shown.clear();
  f.lang->SetActiveLanguage(1);
  EXPECT_TRUE(shown.empty());
  LangCursorHooks() = {};
}

TEST(LangComponent, CommonStringsOptionEmptiesDialogsAndLocalesAtDesignTime) {
  TLangForm f;
  f.lang->SetChangeLocales(true);
  f.lang->SetOptions(TlcLangOptions{loUseExtCommonStrings});
  EXPECT_EQ(f.Section(stDlgsCaptions).Count(), 15);
  f.lang->SetDesign(true);
  f.lang->SetOptions(TlcLangOptions{loUseExtCommonStrings});
  EXPECT_EQ(f.Section(stDlgsCaptions).Count(), 0);
  EXPECT_EQ(f.Section(stLocales).Count(), 0);
  // Such a component looks its dialog captions up elsewhere: without a dispatcher, nothing.
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Warning", true), "");
}

TEST(LangComponent, ExtendedTranslationsFirstOrLast) {
  for (bool first : {false, true}) {
    TLangForm f;
    auto* button = f.Add<TTestButton>("Button1");
    SetLines(f.Section(stCaptions), {Line({"TForm1", "", ""}), Line({"Button1", "a", "from section"})});
    TlcExtendedItem* item = f.lang->ExtendedTranslations()->AddItem();
    item->SetIdentifier("Button1.Caption");
    item->SetValues(
        "a\x01"
        "from extended\x01");
    f.lang->SetTranslateExtendedFirst(first);
    f.lang->SetActiveLanguage(2);
    EXPECT_EQ(button->GetCaption(), first ? "from section" : "from extended");
  }
}
