// Looking texts up by key: dialog captions, Strings rows, the search and the sorting.
#include <gtest/gtest.h>

#include "localisation/dialog_captions.h"
#include "localisation/lang_lookup.h"
#include "localisation/lang_test_util.h"
#include "localisation/text_search.h"
#include "localisation/translation_table.h"
#include "toolkit/core/text.h"

TEST(HorspoolSearch, FindsFirstMatchFromAPosition) {
  THorspoolSearch search("abcab");
  EXPECT_EQ(search.Find("xxabcabyabcab"), 2u);
  EXPECT_EQ(search.Find("xxabcabyabcab", 3), 8u);
  EXPECT_EQ(search.Find("abca"), std::string::npos);
  EXPECT_EQ(THorspoolSearch("").Find("text"), 0u);
  EXPECT_EQ(THorspoolSearch("\x01\xFF").Find(std::string("a\x01\xFF", 3)), 1u);
}

class DialogLookup : public ::testing::Test {
protected:
  TLangForm f;
  void SetUp() override {
    f.lang->SetNeedAllDlgs(true);
    f.lang->Table().PadLines();
  }
};

TEST_F(DialogLookup, EmptyValueFallsBackToTheDefaultLanguageWhenAsked) {
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Font:", true), "&Font:");
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "font:", false), "");
  f.lang->SetActiveLanguage(1);
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Font:", false), "&Font:");
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Warning", false), "Warning");
}

TEST_F(DialogLookup, KeysMatchWholeKeysOnly) {
  TStrings& dialogs = f.Section(stDlgsCaptions);
  dialogs.SetStrings(dialogs.IndexOf(Line({"Color", "Color", ""})), Line({"Color", "Renk", ""}));
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Color", false), "Renk");
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Color:", false), "&Color:");
  dialogs.Delete(dialogs.IndexOf(Line({"Color:", "&Color:", ""})));
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Color:", false), "");
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Warning", false), "Warning");  // the first line
}

TEST_F(DialogLookup, KeyInsideAMultiLineValueIsNoLineStart) {
  SetLines(f.Section(stDlgsCaptions), {Line({"First", "a\r\nSecond\x01trap", ""}), Line({"Second", "right", ""})});
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Second", false), "right");
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "First", false), "a\r\nSecond");
}

TEST_F(DialogLookup, MissingKeyRaisesOnlyWhenAsked) {
  EXPECT_EQ(f.lang->LookupText(stDlgsCaptions, "Nothing", true), "");
  f.lang->SetDoRaiseExceptions(true);
  try {
    f.lang->LookupText(stDlgsCaptions, "Nothing", true);
    FAIL();
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "String identifier \"Nothing\" not found!");
  }
}

TEST(StringsLookup, SortedRowsAreSearchedCaseInsensitively) {
  TLangForm f;
  TStringList strings;
  SetLines(strings, {Line({"zeta", "z1", "z2"}), Line({"Alpha", "a1", ""}), Line({"mid", "m1", "m2"}),
                     Line({"beta", "", "b2"})});
  f.lang->SetSection(stStrings, &strings);
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(f.lang->LookupText(stStrings, "ZETA", false), "z2");
  EXPECT_EQ(f.lang->LookupText(stStrings, "alpha", false), "");
  EXPECT_EQ(f.lang->LookupText(stStrings, "alpha", true), "a1");
  EXPECT_EQ(f.lang->LookupText(stStrings, "Beta", true), "b2");
  EXPECT_EQ(f.lang->LookupText(stStrings, "gamma", true), "");
  f.lang->SetDoRaiseExceptions(true);
  try {
    f.lang->LookupText(stStrings, "gamma", true);
    FAIL();
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "String identifier \"gamma\" not found!");
  }
}

TEST(StringsLookup, RowsFollowTheLanguageCountAndLineDefault) {
  TLangForm f;
  TStringList strings;
  SetLines(strings, {Line({"k", "one", "two"})});
  f.lang->SetSection(stStrings, &strings);
  f.lang->SetNumOfLanguages(3);
  f.lang->SetActiveLanguage(3);
  EXPECT_EQ(f.lang->LookupText(stStrings, "k", true), "one");
  EXPECT_EQ(f.lang->Table().LineDefault(stStrings, 0), "one");
  EXPECT_EQ(f.lang->Table().LineDefault(stStrings, 1), "");
  EXPECT_EQ(f.lang->Table().LineDefault(stStrings, -1), "");
}

TEST(StringsLookup, ResourceTextIsTranslatedThroughItsLanguageColumn) {
  TLangForm f;
  TStringList strings;
  SetLines(strings, {Line({"SOK", "Tamam", "OK"}), Line({"SCancel", "İptal", "Cancel"})});
  f.lang->SetSection(stStrings, &strings);
  f.lang->SetResourceLanguageIndex(2);
  f.lang->SetActiveLanguage(1);
  EXPECT_EQ(f.lang->TranslateResourceText("cancel"), "İptal");
  EXPECT_EQ(f.lang->TranslateResourceText("unknown"), "unknown");
  f.lang->SetActiveLanguage(2);
  EXPECT_EQ(f.lang->TranslateResourceText("Cancel"), "Cancel");
}

TEST(SortCollection, QuicksortOrdersAllItemsAndKeepsThem) {
  TlcStringsCollection rows(nullptr, 0);
  TStringList lines;
  for (int i = 0; i < 200; ++i) lines.Add("k" + std::to_string((i * 7919) % 200) + "\x01v\x01");
  rows.Rebuild(lines, D, 1, 0);
  ASSERT_EQ(rows.Count(), 200);
  for (int i = 1; i < rows.Count(); ++i) EXPECT_LE(CompareText(rows.Row(i - 1)->Key, rows.Row(i)->Key), 0);
  EXPECT_NE(rows.FindSorted("K199"), nullptr);
  EXPECT_EQ(rows.FindSorted("k200"), nullptr);
}

TEST(DialogCaptions, TableKeysAndToolkitTexts) {
  EXPECT_EQ(DialogCaptionKey(12), "No To All");
  EXPECT_EQ(DialogCaptionKey(81), "(None)");
  EXPECT_EQ(DialogCaptionKey(28), "|Solid");
  EXPECT_EQ(ToolkitMessageDialogCaption(12), "N&o to All");
  EXPECT_TRUE(IsMessageDialogKey("Help"));
  EXPECT_FALSE(IsMessageDialogKey("Open"));
}

TEST(StringsLookup, OneComponentIsTheResourceStringHandlerUntilItGoes) {
  auto first = std::make_unique<TLangForm>();
  first->lang->StartLoading();
  first->lang->SetHandleResourceStrings(true);
  first->lang->FinishLoading();
  EXPECT_EQ(TlcCustomLang::ResourceStringHandler(), first->lang);
  TLangForm second;
  second.lang->StartLoading();
  second.lang->SetHandleResourceStrings(true);
  second.lang->FinishLoading();
  EXPECT_EQ(TlcCustomLang::ResourceStringHandler(), first->lang);
  first.reset();
  EXPECT_EQ(TlcCustomLang::ResourceStringHandler(), nullptr);
}
