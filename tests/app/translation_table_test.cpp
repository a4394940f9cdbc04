// The main window's stored translation table, as the build collected it from the window and
// the English source: read from the stored layout and held against the texts the window must
// show in each language.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "localisation/dialog_captions.h"
#include "toolkit/core/streams.h"

namespace {

class StoredTable : public ::testing::Test {
protected:
  void SetUp() override {
    form = std::make_unique<TForm1>(nullptr);
    ASSERT_TRUE(form->ReadLayout());  // the layout alone: no create handler
    lang = dynamic_cast<TlcLang*>(form->FindComponent("lcLang1"));
    ASSERT_NE(lang, nullptr);
  }

  // The line of a section whose key is key, "" when there is none.
  std::string Line(int section, const std::string& key) const {
    TStrings* lines = lang->SectionStrings(section);
    for (int i = 0; i < lines->Count(); ++i)
      if (LineKey(lines->Strings(i), lang->Delim()) == key) return lines->Strings(i);
    return {};
  }
  std::string Value(int section, const std::string& key, int language) const {
    return ExtractLangField(Line(section, key), lang->Delim(), language);
  }

  std::unique_ptr<TForm1> form;
  TlcLang* lang = nullptr;
};

}  // namespace

TEST_F(StoredTable, ComponentHasTheTwoLanguagesWithTurkishActive) {
  EXPECT_EQ(lang->NumOfLanguages(), 2);
  EXPECT_EQ(lang->LangNames()->Text(), "Türkçe\r\nEnglish\r\n");
  EXPECT_EQ(lang->Language(), "Türkçe");
  EXPECT_EQ(lang->ActiveLanguage(), 1);
  EXPECT_EQ(lang->LangDelim(), 1);
  EXPECT_TRUE(lang->NeedAllDlgs());
  EXPECT_EQ(lang->StringsTypes()->Text(), "TIB_STRINGLIST\r\nTSTRINGLIST\r\n");
  EXPECT_EQ(dynamic_cast<TlcFontDialog*>(form->FindComponent("FontDialog1"))->GetlcLang(), lang);
}

TEST_F(StoredTable, BlockHoldsTheElevenSectionsInOrderInWindows1254) {
  TMemoryStream stream;
  lang->WriteTranslationData(stream);
  const std::string block(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
  EXPECT_EQ(block.rfind("stCaptions\r\nTForm1\x01Quillimo v 1.1\x01Quillimo v 1.1\x01\r\n"
                        "ToolBar1\x01ToolBar1\x01\x01\r\n",
                        0),
            0u);
  std::size_t at = 0;
  for (const char* header : {"stCaptions", "stHints", "stDisplayLabels", "stFonts", "stMultiLines", "stDlgsCaptions",
                             "stStrings", "stOtherStrings", "stLocales", "stCollections", "stCharSets"}) {
    SCOPED_TRACE(header);
    std::size_t found = block.find(std::string(header) + "\r\n", at);
    ASSERT_NE(found, std::string::npos);
    at = found + 1;
  }
  EXPECT_EQ(block.find("stListView"), std::string::npos);
  EXPECT_NE(block.find("ToolButton6\x01Mesajlar Ba\xFElas\xFDn\x01Start Messages\x01"), std::string::npos);
}

TEST_F(StoredTable, EnglishTextsAndTheEmptyOnesThatKeepTheTurkish) {
  EXPECT_EQ(Value(stCaptions, "ToolButton6", 2), "Start Messages");
  EXPECT_EQ(Value(stCaptions, "TabSheet4", 2), "Brelko  Website");
  EXPECT_EQ(Value(stCaptions, "Arayz31", 2), "Skin 3");
  EXPECT_EQ(Value(stCaptions, "Button6", 1), "www.brelko.com");
  EXPECT_EQ(Value(stCaptions, "Button6", 2), "");
  EXPECT_EQ(Value(stCaptions, "Gster1", 2), "");  // the tray menu is captioned by the program
  EXPECT_EQ(Value(stMultiLines, "RadioGroup3.Items", 2), "\"Run on Startup\",\"Do not Run on Startup\"");
  EXPECT_FALSE(Value(stMultiLines, "helpmemo0.Lines", 1).empty());
  EXPECT_EQ(Value(stMultiLines, "helpmemo0.Lines", 2), "");
  for (const char* list : {"programlist.Items", "mesajlist.Items"}) {
    EXPECT_EQ(Line(stMultiLines, list), std::string(list) + "\x01\x01\x01");
  }
  EXPECT_EQ(Line(stOtherStrings, "Edit1.Text"),
            "Edit1.Text\x01"
            "2\x01\x01");
  EXPECT_EQ(Line(stOtherStrings, "Edit2.Text"),
            "Edit2.Text\x01"
            "40\x01\x01");
  EXPECT_EQ(Line(stCharSets, "TForm1"),
            "TForm1\x01"
            "DEFAULT_CHARSET\x01\x01");
  EXPECT_EQ(Line(stCharSets, "mesajlar"),
            "mesajlar\x01"
            "DEFAULT_CHARSET\x01\x01\x01");
}

TEST_F(StoredTable, AllDialogCaptionsInEnglishAsLanguageOneAndEmptyLanguageTwo) {
  TStrings* rows = lang->SectionStrings(stDlgsCaptions);
  ASSERT_EQ(rows->Count(), DialogCaptionCount);
  for (int i = MessageDialogCaptionCount; i < DialogCaptionCount; ++i)
    EXPECT_EQ(rows->Strings(i), DialogCaptionKey(i) + "\x01" + std::string(DialogCaption(i)) + "\x01\x01");
  EXPECT_EQ(Line(stDlgsCaptions, "No To All"), "No To All\x01N&o to All\x01\x01");
  EXPECT_EQ(lang->LookupText(stDlgsCaptions, "Font:", true), "&Font:");
  lang->SetActiveLanguage(2);
  EXPECT_EQ(lang->LookupText(stDlgsCaptions, "Font:", true), "&Font:");
  EXPECT_EQ(lang->LookupText(stDlgsCaptions, "Color", true), "Color");
  EXPECT_EQ(lang->LookupText(stDlgsCaptions, "Color:", true), "&Color:");
}
