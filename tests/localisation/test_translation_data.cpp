// The translation line format and the stored "TranslationData" block.
#include <gtest/gtest.h>

#include "localisation/dialog_captions.h"
#include "localisation/lang_test_util.h"
#include "localisation/translation_data.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/writer.h"

TEST(TranslationLine, FieldsCountEveryDelimiter) {
  const std::string edit =
      "Edit1.Text\x01"
      "2\x01\x01";
  EXPECT_EQ(ExtractLangField(edit, D, 0), "Edit1.Text");
  EXPECT_EQ(ExtractLangField(edit, D, 1), "2");
  EXPECT_EQ(ExtractLangField(edit, D, 2), "");
  const std::string charset =
      "mesajlar\x01"
      "DEFAULT_CHARSET\x01\x01\x01";
  EXPECT_EQ(ExtractLangField(charset, D, 1), "DEFAULT_CHARSET");
  EXPECT_EQ(ExtractLangField(charset, D, 2), "");
  // Empty fields keep their place; missing ones are empty; no delimiter: the whole line.
  EXPECT_EQ(ExtractLangField("k\x01\x01second\x01", D, 2), "second");
  EXPECT_EQ(ExtractLangField("k\x01v", D, 1), "v");
  EXPECT_EQ(ExtractLangField("k\x01v", D, 5), "");
  EXPECT_EQ(ExtractLangField("whole line", D, 0), "whole line");
  EXPECT_EQ(ExtractLangField("whole line", D, 1), "");
}

TEST(TranslationLine, PadCutAndSetFields) {
  std::string line =
      "key\x01"
      "a";
  PadLine(line, D, 2);
  EXPECT_EQ(line,
            "key\x01"
            "a\x01\x01");
  std::string three = Line({"k", "a", "b", "c"});
  CutLineAfterLanguage(three, D, 2);
  EXPECT_EQ(three, Line({"k", "a", "b"}));
  std::string shortLine =
      "k\x01"
      "a";
  CutLineAfterLanguage(shortLine, D, 2);
  EXPECT_EQ(shortLine,
            "k\x01"
            "a");
  std::string set = Line({"k", "a", ""});
  SetLangField(set, D, 2, "b");
  EXPECT_EQ(set, Line({"k", "a", "b"}));
  SetLangField(set, D, 4, "d");
  EXPECT_EQ(set,
            "k\x01"
            "a\x01"
            "b\x01\x01"
            "d\x01");
  EXPECT_EQ(MakeLine("Button1", D, "OK", 2), "Button1\x01OK\x01\x01");
}

TEST(TranslationBlock, DecodingSkipsForeignLinesAndFindsHeadersInAnyCase) {
  auto sections = DecodeTranslationBlock("junk\r\nSTCAPTIONS\r\na\x01x\x01\nb\rstHints\r\n\r\nh\x19\x1Ai\r\n");
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].type, stCaptions);
  EXPECT_EQ(sections[0].lines, (std::vector<std::string>{"a\x01x\x01", "b"}));
  EXPECT_EQ(sections[1].type, stHints);
  EXPECT_EQ(sections[1].lines, (std::vector<std::string>{"", "h\r\ni"}));
}

TEST(TranslationBlock, ZeroByteEndsTheTextAndRepeatedHeaderStartsAfresh) {
  auto sections = DecodeTranslationBlock(std::string("stHints\r\nold\r\nstHints\r\nnew\r\n\0stFonts\r\nx", 39));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].lines, std::vector<std::string>{"new"});
}

class StoredTable : public ::testing::Test {
protected:
  TLangForm f;
  std::string Write() {
    TMemoryStream s;
    f.lang->WriteTranslationData(s);
    return std::string(s.Bytes());
  }
  void Read(std::string_view bytes) {
    TBufferStream s(bytes);
    f.lang->ReadTranslationData(s);
  }
};

TEST_F(StoredTable, NewComponentHoldsTheFifteenMessageDialogRows) {
  TStrings& dialogs = f.Section(stDlgsCaptions);
  ASSERT_EQ(dialogs.Count(), 15);
  // Padded to the form's two languages.
  EXPECT_EQ(dialogs.Strings(0), Line({"Warning", "Warning", ""}));
  EXPECT_EQ(dialogs.Strings(12), Line({"No To All", "N&o to All", ""}));
  EXPECT_EQ(dialogs.Strings(13), Line({"Yes To All", "Y&es to All", ""}));
  TForm1 single;
  TlcLang one(&single);
  EXPECT_EQ(one.SectionStrings(stDlgsCaptions)->Strings(12), Line({"No To All", "N&o to All"}));
  for (int t = 0; t < StringsTypeCount; ++t)
    if (t != stDlgsCaptions && f.lang->SectionStrings(t)) EXPECT_EQ(f.lang->SectionStrings(t)->Count(), 0) << t;
  EXPECT_EQ(f.lang->SectionStrings(stListView_TreeView_Items), nullptr);
}

TEST_F(StoredTable, WritesElevenSectionsInOrderWithLineBreaksEncoded) {
  SetLines(f.Section(stCaptions),
           {Line({"TForm1", "Quillimo v 1.1", "Quillimo v 1.1"}), Line({"ToolBar1", "ToolBar1", ""})});
  SetLines(f.Section(stDlgsCaptions), {});
  SetLines(f.Section(stStrings), {Line({"Multi", "one\r\ntwo", "x\ny"})});
  std::string block = Write();
  EXPECT_TRUE(
      block.starts_with("stCaptions\r\nTForm1\x01Quillimo v 1.1\x01Quillimo v 1.1\x01\r\n"
                        "ToolBar1\x01ToolBar1\x01\x01\r\nstHints\r\nstDisplayLabels\r\nstFonts\r\n"
                        "stMultiLines\r\nstDlgsCaptions\r\nstStrings\r\nMulti\x01one\x19\x1Atwo\x01x\x1Ay\x01\r\n"));
  EXPECT_TRUE(block.ends_with("stOtherStrings\r\nstLocales\r\nstCollections\r\nstCharSets\r\n"));
  EXPECT_EQ(block.find("ListView"), std::string::npos);

  TLangForm other;
  TBufferStream s(block);
  other.lang->ReadTranslationData(s);
  EXPECT_EQ(Lines(other.Section(stStrings)), Lines(f.Section(stStrings)));
  EXPECT_EQ(other.Section(stDlgsCaptions).Count(), 0);
}

TEST_F(StoredTable, BlockWithOneSectionLeavesTheOthersAlone) {
  SetLines(f.Section(stCaptions), {Line({"Button1", "a", "b"})});
  Read(
      "stHints\r\nX\x01"
      "a\x01"
      "b\x01\r\n");
  EXPECT_EQ(Lines(f.Section(stHints)), std::vector<std::string>{Line({"X", "a", "b"})});
  EXPECT_EQ(Lines(f.Section(stCaptions)), std::vector<std::string>{Line({"Button1", "a", "b"})});
  EXPECT_EQ(f.Section(stDlgsCaptions).Count(), 15);
}

TEST_F(StoredTable, TextIsWindows1254AndUnencodableTextIsRefused) {
  SetLines(f.Section(stCaptions), {Line({"Button1", "Başla", "Start"})});
  std::string block = Write();
  EXPECT_NE(block.find("Ba\xFEla"), std::string::npos);
  Read(block);
  EXPECT_EQ(f.Section(stCaptions).Strings(0), Line({"Button1", "Başla", "Start"}));

  SetLines(f.Section(stCaptions), {Line({"Button1", "日本", ""})});
  EXPECT_THROW(Write(), EConvertError);
}

TEST_F(StoredTable, TravelsWithTheFormThroughTheLayoutStream) {
  f.Add<TTestButton>("Button1")->SetCaption("Başla");
  SetLines(f.Section(stCaptions), {Line({"Button1", "Başla", "Start"})});
  f.lang->SetNeedAllDlgs(true);
  TMemoryStream stream;
  WriteComponentToStream(stream, f.form.get());

  TForm1 copy;
  stream.SetPosition(0);
  ReadComponentFromStream(stream, &copy);
  auto* lang = dynamic_cast<TlcCustomLang*>(copy.FindComponent("lcLang1"));
  ASSERT_NE(lang, nullptr);
  EXPECT_EQ(lang->NumOfLanguages(), 2);
  EXPECT_EQ(lang->LangNames()->Strings(1), "English");
  EXPECT_EQ(lang->Language(), "Türkçe");
  EXPECT_EQ(lang->LangDelim(), 1);
  EXPECT_EQ(Lines(*lang->SectionStrings(stCaptions)), Lines(f.Section(stCaptions)));
  EXPECT_EQ(lang->SectionStrings(stDlgsCaptions)->Count(), DialogCaptionCount);
  // Nothing is applied while loading: the button keeps its design text.
  EXPECT_EQ(static_cast<TTestButton*>(copy.FindComponent("Button1"))->GetCaption(), "Başla");
}
