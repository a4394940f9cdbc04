// The catalogue's tick lines and files: parsing from the end, whole files in the ANSI code
// page, the file names, and the texts and names that cannot be stored.
#include <gtest/gtest.h>

#include "app/formats/catalogue_format.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/text.h"
#include "toolkit/core/temp_dir.h"

namespace {
TCatalogueEntry Entry(std::string text, bool ticked) { return {std::move(text), ticked}; }
}  // namespace

TEST(TickLine, IsParsedFromItsEnd) {
  EXPECT_EQ(ParseTickLine("Hello,1"), Entry("Hello", true));
  EXPECT_EQ(ParseTickLine("Hello,0"), Entry("Hello", false));
  // Commas inside the text are all kept: only the last two characters are taken off.
  EXPECT_EQ(ParseTickLine("a,b,,c,1"), Entry("a,b,,c", true));
  EXPECT_EQ(ParseTickLine(",,0"), Entry(",", false));
  // The character before the flag is not checked; only "1" ticks.
  EXPECT_EQ(ParseTickLine("abc"), Entry("a", false));
  EXPECT_EQ(ParseTickLine("xy;1"), Entry("xy", true));
  EXPECT_EQ(ParseTickLine("x,2"), Entry("x", false));
}

TEST(TickLine, ShortLinesGiveAnEmptyText) {
  EXPECT_EQ(ParseTickLine("a,1"), Entry("a", true));
  EXPECT_EQ(ParseTickLine(",1"), Entry("", true));
  EXPECT_EQ(ParseTickLine("1"), Entry("", true));
  EXPECT_EQ(ParseTickLine("x"), Entry("", false));
  EXPECT_EQ(ParseTickLine(""), Entry("", false));
}

TEST(TickLine, CountsCharactersNotBytes) {
  // In the 8-bit file each of these letters is one byte; in UTF-8 they are two.
  EXPECT_EQ(ParseTickLine("aş"), Entry("", false));
  EXPECT_EQ(ParseTickLine("Işık,1"), Entry("Işık", true));
  EXPECT_EQ(ParseTickLine("çğü"), Entry("ç", false));
  // Malformed bytes count as one character each and never read past the line.
  EXPECT_EQ(ParseTickLine("ab\xC3"), Entry("a", false));
  EXPECT_EQ(ParseTickLine("\xE2\x82,1"), Entry("\xE2\x82", true));
}

TEST(TickLine, WritesTextCommaFlag) {
  EXPECT_EQ(TickLine(Entry("a,b", true)), "a,b,1");
  EXPECT_EQ(TickLine(Entry("", false)), ",0");
  for (const auto& e : {Entry("x,y,z", true), Entry("", true), Entry("ğ", false)})
    EXPECT_EQ(ParseTickLine(TickLine(e)), e);
}

TEST(TickLines, EveryLineIsAnEntryAndTheFinalBreakNone) {
  const TCatalogueEntries expected{Entry("one", true), Entry("", false), Entry("three", false)};
  EXPECT_EQ(ParseTickLines("one,1\r\n\r\nthree,0\r\n"), expected);
  EXPECT_EQ(ParseTickLines("one,1\r\n\r\nthree,0"), expected);  // no final line break
  EXPECT_TRUE(ParseTickLines("").empty());
  EXPECT_EQ(ParseTickLines("\r\n"), TCatalogueEntries{Entry("", false)});
}

TEST(CatalogueFileNames, AreBuiltFromDirectoryLanguageAndName) {
  const std::string d(1, PathDelim);
  EXPECT_EQ(ProgramListFileName("C:" + d + "Q", "0"), "C:" + d + "Q" + d + "programlist0.txt");
  EXPECT_EQ(ProgramListFileName("dir", "1"), "dir" + d + "programlist1.txt");
  EXPECT_EQ(MessageFileName("dir", "1", "Sağlık, huzur"), "dir" + d + "language1" + d + "Sağlık, huzur.txt");
}

class TickFiles : public ::testing::Test {
protected:
  TempDir dir;
  std::string file = dir.Path("list.txt");
};

TEST_F(TickFiles, ReadInTheCodePage) {
  TempDir::Write(file, "I\xFE\xFDk,1\r\nG\xFCne\xFE,0\r\nson");  // Windows-1254, last line unbroken
  const TCatalogueEntries entries = ReadTickFile(file, cpWindows1254);
  EXPECT_EQ(entries, (TCatalogueEntries{Entry("Işık", true), Entry("Güneş", false), Entry("s", false)}));
}

TEST_F(TickFiles, WriteEveryLineWithCrLf) {
  WriteTickFile(file, {Entry("Işık, su", true), Entry("", false)}, cpWindows1254);
  EXPECT_EQ(TempDir::Read(file), "I\xFE\xFDk, su,1\r\n,0\r\n");
  WriteTickFile(file, {}, cpWindows1254);
  EXPECT_EQ(TempDir::Read(file), "");  // an empty list is an empty file
}

TEST_F(TickFiles, RoundTripKeepsEntries) {
  const TCatalogueEntries entries{Entry("a,1,0", false), Entry("", true), Entry("çok, güzel", true)};
  WriteTickFile(file, entries, cpWindows1254);
  EXPECT_EQ(ReadTickFile(file, cpWindows1254), entries);
}

TEST_F(TickFiles, UnstorableTextLeavesTheFileAsItWas) {
  TempDir::Write(file, "old,1\r\n");
  // Greek letters have no byte in Windows-1254; a line break would split the entry.
  EXPECT_THROW(WriteTickFile(file, {Entry("fine", true), Entry("αβ", true)}, cpWindows1254), EConvertError);
  EXPECT_THROW(WriteTickFile(file, {Entry("two\r\nlines", true)}, cpWindows1254), EConvertError);
  EXPECT_EQ(TempDir::Read(file), "old,1\r\n");
}

TEST_F(TickFiles, FailuresNameTheFile) {
  const std::string missing = dir.Path("nope.txt");
  try {
    ReadTickFile(missing, cpWindows1254);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << e.Message();
  }
  const std::string inMissingDir = MessageFileName(dir.Path("x"), "0", "p");
  try {
    WriteTickFile(inMissingDir, {Entry("a", true)}, cpWindows1254);
    FAIL() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot create file \"" + inMissingDir + "\". ", 0), 0u) << e.Message();
  }
}

TEST(CatalogueTexts, RefusedWhenTheyCannotBeStored) {
  EXPECT_NO_THROW(CheckCatalogueText("Işık, güneş", cpWindows1254));
  EXPECT_NO_THROW(CheckCatalogueText("", cpWindows1254));
  EXPECT_THROW(CheckCatalogueText("Işık", cpWindows1252), EConvertError);
  EXPECT_THROW(CheckCatalogueText("a\nb", cpWindows1254), EConvertError);
  EXPECT_THROW(CheckCatalogueText("a\rb", cpWindows1254), EConvertError);
}

TEST(ProgramNames, ThatAddressAnotherFileAreRefused) {
  for (const char* good : {"Sağlık", "a, b", "v1.2", "CONSOLE", "COM0", "..."})
    EXPECT_NO_THROW(CheckProgramName(good, cpWindows1254)) << good;
  for (const char* bad : {"..\\ayarlar", "a/b", "C:x", "a?", "a*", "\"q\"", "<x>", "a|b", "tab\there", "CON", "nul",
                          "Com3", "lpt9", "aux.txt", "PRN "})
    EXPECT_THROW(CheckProgramName(bad, cpWindows1254), EConvertError) << bad;
  EXPECT_THROW(CheckProgramName("αβ", cpWindows1254), EConvertError);
}

TEST(ProgramNames, CompareWithoutLetterCase) {
  EXPECT_TRUE(SameProgramName("Sağlık", "SAĞLIK"));
  EXPECT_TRUE(SameProgramName("abc", "ABC"));
  EXPECT_TRUE(SameProgramName("ılık", "ilik"));
  EXPECT_FALSE(SameProgramName("abc", "abd"));
}
