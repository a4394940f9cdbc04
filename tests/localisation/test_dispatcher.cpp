#include <gtest/gtest.h>

#include "lang_test_util.h"
#include "localisation/lang_dispatcher.h"
#include "localisation/lang_files.h"
#include "toolkit/core/temp_dir.h"

namespace {

// A dispatcher with the two languages of the program.
std::unique_ptr<TlcLangDispatcher> TwoLanguageDispatcher() {
  auto d = std::make_unique<TlcLangDispatcher>(nullptr);
  TStringList names;
  names.Add("Türkçe");
  names.Add("English");
  d->SetLangNames(&names);
  return d;
}

struct DispatchedForm : TLangForm {
  TTestButton* button = Add<TTestButton>("Button1");
  DispatchedForm() {
    button->SetCaption("Evet");
    SetLines(Section(stCaptions), {Line({"Button1", "Evet", "Yes"})});
  }
};

}  // namespace

TEST(Dispatcher, NewDispatcherDefaults) {
  TlcLangDispatcher d(nullptr);
  EXPECT_EQ(d.ActiveLanguage(), 1);
  EXPECT_EQ(d.NumOfLanguages(), 1);
  EXPECT_EQ(Lines(*d.LangNames()), std::vector<std::string>{"Language N1"});
  EXPECT_EQ(d.Language(), "");
  const TTestModeInfo& info = *d.TestModeInfo();
  EXPECT_FALSE(info.Active);
  EXPECT_EQ(info.Kind, tmkExpandWidth);
  EXPECT_EQ(info.ExpandWidthPercent, 100);
  EXPECT_EQ(info.ExpandCharsPercent, 100);
  EXPECT_EQ(info.PaddingChar, '*');
  EXPECT_FALSE(GetPropInfo(&d, "TestMode")->StoredFlag);
}

TEST(Dispatcher, LanguageNamesCountAndLanguage) {
  auto d = TwoLanguageDispatcher();
  EXPECT_EQ(d->NumOfLanguages(), 2);
  EXPECT_EQ(d->Language(), "Türkçe");
  d->SetLanguage("English");
  EXPECT_EQ(d->ActiveLanguage(), 2);
  try {
    d->SetLanguage("Deutsch");
    FAIL() << "no error";
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message(), "Language name shall be included in LangNames property!");
  }
  d->SetNumOfLanguages(3);
  EXPECT_EQ(d->LangNames()->Strings(2), "Language N3");
  d->SetNumOfLanguages(1);
  EXPECT_EQ(Lines(*d->LangNames()), std::vector<std::string>{"Türkçe"});
}

TEST(Dispatcher, LinkingSwitchesTheComponentToTheDispatchersLanguage) {
  auto d = TwoLanguageDispatcher();
  d->SetActiveLanguage(2);
  DispatchedForm f;
  std::vector<TlcCustomLang*> linked;
  d->OnLinkToDispatcher = [&](TObject* sender, TlcCustomLang* lang) {
    EXPECT_EQ(sender, d.get());
    linked.push_back(lang);
  };
  f.lang->SetLangDispatcher(d.get());
  EXPECT_EQ(linked, std::vector<TlcCustomLang*>{f.lang});
  EXPECT_EQ(f.lang->ActiveLanguage(), 2);
  EXPECT_EQ(f.lang->Language(), "English");
  EXPECT_EQ(f.button->GetCaption(), "Yes");
  EXPECT_EQ(d->LinkedLangs(), std::vector<TlcCustomLang*>{f.lang});

  d->SetActiveLanguage(1);  // pushed to every linked component
  EXPECT_EQ(f.button->GetCaption(), "Evet");
  EXPECT_EQ(d->Language(), "Türkçe");
  EXPECT_THROW(d->SetActiveLanguage(3), ELanguageError);  // the component's own range check
}

TEST(Dispatcher, CountAndNamesArePushedToLinkedComponents) {
  auto d = TwoLanguageDispatcher();
  DispatchedForm f;
  f.lang->SetLangDispatcher(d.get());
  d->SetNumOfLanguages(3);
  EXPECT_EQ(f.lang->NumOfLanguages(), 3);
  TStringList names;
  names.Add("A");
  names.Add("B");
  d->SetLangNames(&names);
  EXPECT_EQ(Lines(*f.lang->LangNames()), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(f.lang->Language(), "A");
  EXPECT_EQ(f.lang->NumOfLanguages(), 2);
}

TEST(Dispatcher, UnlinksWhenEitherSideGoes) {
  auto d = TwoLanguageDispatcher();
  {
    DispatchedForm f;
    f.lang->SetLangDispatcher(d.get());
    f.lang->SetLangDispatcher(nullptr);
    EXPECT_TRUE(d->LinkedLangs().empty());
    f.lang->SetLangDispatcher(d.get());
  }
  EXPECT_TRUE(d->LinkedLangs().empty());  // the form and its component are gone
  DispatchedForm f;
  f.lang->SetLangDispatcher(d.get());
  d.reset();
  EXPECT_EQ(f.lang->LangDispatcher(), nullptr);
}

TEST(Dispatcher, LinkingReadsTheTableFromTheDispatchersFile) {
  TempDir dir;
  const std::string name = dir.Path("all.lng");
  {
    DispatchedForm source;
    SetLines(source.Section(stCaptions), {Line({"Button1", "Tamam", "OK"})});
    source.lang->Files().SaveToFile(name, "~!@#");
  }
  auto d = TwoLanguageDispatcher();
  d->SetActiveLanguage(2);
  d->SetFileName(name);
  DispatchedForm f;
  f.lang->SetLangDispatcher(d.get());
  EXPECT_EQ(Lines(f.Section(stCaptions)), std::vector<std::string>{Line({"Button1", "Tamam", "OK"})});
  EXPECT_EQ(f.lang->ActiveLanguage(), 2);
  EXPECT_EQ(f.button->GetCaption(), "OK");
}

TEST(TestMode, FlipCaseAndExpandChars) {
  EXPECT_EQ(FlipCaseText("Abc ı-İ"), "aBC I-i");
  EXPECT_EQ(ExpandCharsText("abc", 100, '*'), "a*b*c*");
  EXPECT_EQ(ExpandCharsText("abc", 50, '*'), "abc*");
  EXPECT_EQ(ExpandCharsText("abcd", 250, '#'), "a##b##c###d###");  // 10 spread: 10/4, 8/3, 6/2, 3/1
  EXPECT_EQ(ExpandCharsText("", 100, '*'), "");
}

TEST(TestMode, ExpandWidthPadsFromTheEndTowardsTheStart) {
  auto length = [](const std::string& s) { return static_cast<int>(s.size()); };
  // Target 8: before the last character, then two places further left, then again from
  // before the second-to-last character.
  EXPECT_EQ(ExpandWidthText("abcd", 100, '*', length), "A**BC**D");
  EXPECT_EQ(ExpandWidthText("abcd", 0, '*', length), "ABCD");
  EXPECT_EQ(ExpandWidthText("x", 200, '*', length), "**X");
  // A measure that never grows still ends.
  EXPECT_FALSE(ExpandWidthText("ab", 100, '*', [](const std::string&) { return 1; }).empty());
  // The default measure: a wider text needs padding.
  EXPECT_GT(EstimatedTahomaWidth("WWW"), EstimatedTahomaWidth("iii"));
  EXPECT_GE(EstimatedTahomaWidth(ExpandWidthText("Hello", 100, '*', EstimatedTahomaWidth)),
            2 * EstimatedTahomaWidth("HELLO"));
}

TEST(TestMode, FillsUntranslatedTextsOfLinkedComponents) {
  auto d = TwoLanguageDispatcher();
  d->TestModeInfo()->Active = true;
  d->TestModeInfo()->Kind = tmkFlipCase;
  DispatchedForm f;
  TTestButton* other = f.Add<TTestButton>("Button2");
  SetLines(f.Section(stCaptions), {Line({"Button1", "Evet", "Yes"}), Line({"Button2", "Hayır", ""})});
  SetLines(f.Section(stStrings), {Line({"Msg", "Merhaba", ""})});
  f.lang->SetLangDispatcher(d.get());
  d->SetActiveLanguage(2);
  EXPECT_EQ(f.button->GetCaption(), "Yes");
  EXPECT_EQ(other->GetCaption(), "hAYIR");
  EXPECT_EQ(f.lang->LookupText(stStrings, "Msg", false), "mERHABA");
  d->TestModeInfo()->Active = false;
  EXPECT_EQ(f.lang->LookupText(stStrings, "Msg", false), "");
}
