#include <gtest/gtest.h>

#include <cstdio>

#include "lang_test_util.h"
#include "localisation/lang_dispatcher.h"
#include "localisation/lang_files.h"
#include "localisation/ltb_file.h"
#include "localisation/translation_table.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/layout_text.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/temp_dir.h"

namespace {

void WriteBytes(const std::string& name, const std::string& bytes) {
  std::FILE* out = std::fopen(name.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

// The stored component of a form's TlcLang with a small table; the owner's caption entry
// is not the first line, as an older writer may have left it.
std::string StoredTable() {
  TLangForm source;
  SetLines(source.Section(stCaptions), {Line({"Button1", "Evet", "Yes"}), Line({"TForm1", "Başlık", "Title"})});
  SetLines(source.Section(stStrings), {Line({"Msg", "Merhaba", "Hello"})});
  TStringList names;
  names.Add("Türkçe");
  names.Add("English");
  source.lang->SetLangNames(&names);
  TlcExtendedItem* item = source.lang->ExtendedTranslations()->AddItem();
  item->SetIdentifier("Button1.Hint");
  item->SetPropertyType(tkLString);
  item->SetValues(Line({"ipucu", "hint"}));
  return ComponentStreamOf(*source.lang);
}

struct LtbForm : TLangForm {
  TTestButton* button = Add<TTestButton>("Button1");
};

}  // namespace

TEST(LTBFile, ReadsTheTableOfTheOwnersClass) {
  TempDir dir;
  const std::string name = dir.Path("table.LTB");
  WriteBytes(name, MakeLTBImage({{"TOther", "garbage that is never read"}, {"TForm1", StoredTable()}}, {"English"}));
  LtbForm f;
  TLTBFileManager manager;
  ASSERT_TRUE(manager.ReadTranslation(name, *f.lang));
  EXPECT_EQ(Lines(f.Section(stCaptions)),
            (std::vector<std::string>{Line({"TForm1", "Başlık", "Title"}), Line({"Button1", "Evet", "Yes"})}));
  EXPECT_EQ(Lines(f.Section(stStrings)), std::vector<std::string>{Line({"Msg", "Merhaba", "Hello"})});
  EXPECT_EQ(f.lang->LangNames()->Strings(0), "Türkçe");
  ASSERT_EQ(f.lang->ExtendedTranslations()->Count(), 1);
  EXPECT_EQ(f.lang->ExtendedTranslations()->Item(0)->Values(), Line({"ipucu", "hint"}));
  EXPECT_EQ(manager.FixedLanguages(), std::vector<std::string>{"English"});
  EXPECT_FALSE(f.lang->Table().IsTemporary());
  EXPECT_EQ(f.button->GetCaption(), "");  // reading applies nothing
}

TEST(LTBFile, BadFilesRaiseAndKeepTheTable) {
  LtbForm f;
  SetLines(f.Section(stCaptions), {Line({"Button1", "Evet", "Yes"})});
  const std::vector<std::string> before = Lines(f.Section(stCaptions));
  TLTBFileManager manager;

  TStringStream other(std::string("LTB file: something else entirely!!!!!!!") + std::string(10, '\0'));
  try {
    manager.ReadTranslation(other, *f.lang);
    FAIL() << "no error";
  } catch (const EFilerError& e) {
    EXPECT_EQ(e.Message(), "Unrecognized stream format!");
  }
  const std::string good = MakeLTBImage({{"TForm1", StoredTable()}});
  for (std::size_t cut : {std::size_t{43}, std::size_t{50}, good.size() / 2, good.size() - 3}) {
    TStringStream truncated(good.substr(0, cut));
    EXPECT_THROW(manager.ReadTranslation(truncated, *f.lang), Exception) << cut;
  }
  std::string wrongOffset = good;
  wrongOffset[42 + 4 + 2 + 6] = '\x7F';  // the offset's high byte: far beyond the end
  TStringStream far(wrongOffset);
  EXPECT_THROW(manager.ReadTranslation(far, *f.lang), EReadError);

  TStringStream noEntry(MakeLTBImage({{"TForm2", StoredTable()}}));
  EXPECT_FALSE(manager.ReadTranslation(noEntry, *f.lang));
  EXPECT_EQ(Lines(f.Section(stCaptions)), before);
  EXPECT_FALSE(f.lang->Table().IsTemporary());
}

TEST(LTBFile, DispatcherFileAndSectionUpdate) {
  TempDir dir;
  const std::string name = dir.Path("table.ltb");
  WriteBytes(name, MakeLTBImage({{"TForm1", StoredTable()}}));
  TlcLangDispatcher d(nullptr);
  d.SetNumOfLanguages(2);
  d.SetActiveLanguage(2);
  d.SetFileName(name);
  LtbForm f;
  f.lang->SetLangDispatcher(&d);
  EXPECT_EQ(f.button->GetCaption(), "Yes");  // read, then applied
  EXPECT_EQ(f.lang->LookupText(stStrings, "Msg", false), "Hello");

  LtbForm g;
  SetLines(g.Section(stCaptions), {Line({"Button1", "x", "y"}), Line({"Button9", "keep", "me"})});
  g.Add<TTestButton>("Button9");
  EXPECT_TRUE(g.lang->Files().UpdateSectionFromFile(stCaptions, name));
  EXPECT_EQ(Lines(g.Section(stCaptions)),
            (std::vector<std::string>{Line({"TForm1", "Başlık", "Title"}), Line({"Button1", "Evet", "Yes"}),
                                      Line({"Button9", "keep", "me"})}));
  EXPECT_EQ(g.lang->Files().BatchDepth(), 0);

  WriteBytes(name, "not a translation file at all, not at all, no");
  EXPECT_THROW(g.lang->Files().UpdateFromFile(name), EFilerError);
  EXPECT_EQ(g.lang->Files().BatchDepth(), 0);  // the batch state ends with the failed operation
  EXPECT_EQ(g.Section(stCaptions).Count(), 3);
}

TEST(LTBFile, ReadsAFileMadeFromAStoredTextLayout) {
  TStringList layout;
  layout.LoadFromFile(std::string(QUILLIMO_TEST_DATA) + "/form1_lang.txt", cpUtf8);
  TStringStream file(MakeLTBImage({{"TForm1", ObjectTextToBinary(layout.Text())}}, {"English", "Türkçe"}));
  LtbForm f;
  TLTBFileManager manager;
  ASSERT_TRUE(manager.ReadTranslation(file, *f.lang));
  // The stored block is Windows-1254 text.
  EXPECT_EQ(Lines(f.Section(stCaptions)),
            (std::vector<std::string>{Line({"TForm1", "Başlık", "Title"}), Line({"Button1", "Evet", "Yes"})}));
  EXPECT_EQ(Lines(*f.lang->LangNames()), (std::vector<std::string>{"Türkçe", "English"}));
  EXPECT_EQ(f.Section(stDlgsCaptions).Count(), 15);  // not in the block: the defaults stay
  EXPECT_EQ(manager.FixedLanguages(), (std::vector<std::string>{"English", "Türkçe"}));
}
