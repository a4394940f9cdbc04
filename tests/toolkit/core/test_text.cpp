#include <gtest/gtest.h>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/text.h"

TEST(Text, AsciiComparisonIgnoresCaseOfAsciiOnly) {
  EXPECT_TRUE(SameText("TForm1", "tform1"));
  EXPECT_FALSE(SameText("TForm1", "TForm"));
  EXPECT_FALSE(SameText("\xC3\x87", "\xC3\xA7"));  // Ç / ç are not ASCII
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abc", "AB"), 0);
  EXPECT_EQ(CompareText("", ""), 0);
  // "_" lies between the capitals and the small letters: upper-casing both sides puts it last.
  EXPECT_GT(CompareText("_", "a"), 0);
  EXPECT_GT(CompareText("_", "A"), 0);
  EXPECT_EQ(UpperCase("abz\xC3\xA7"), "ABZ\xC3\xA7");
  EXPECT_EQ(LowerCase("ABZ\xC3\x87"), "abz\xC3\x87");
  EXPECT_LT(CompareStr("B", "a"), 0);
}

TEST(Text, AnsiCaseMappingCoversLatinAndTurkishLetters) {
  EXPECT_EQ(AnsiUpperCase("\xC5\x9F\xC4\x9F\xC3\xBC\xC3\xB6\xC3\xA7\xC4\xB1i"),
            "\xC5\x9E\xC4\x9E\xC3\x9C\xC3\x96\xC3\x87II");
  EXPECT_EQ(AnsiLowerCase("\xC5\x9E\xC4\x9E\xC3\x9C\xC3\x96\xC3\x87\xC4\xB0I"),
            "\xC5\x9F\xC4\x9F\xC3\xBC\xC3\xB6\xC3\xA7ii");
  EXPECT_EQ(AnsiUpperCase("\xC3\xBF\xC3\xB7\xC5\xBE"), "\xC5\xB8\xC3\xB7\xC5\xBD");                  // ÿ÷ž -> Ÿ÷Ž
  EXPECT_EQ(AnsiUpperCase("\xD0\xB4\xD1\x91\xCE\xB1\xCF\x82"), "\xD0\x94\xD0\x81\xCE\x91\xCE\xA3");  // дёας
  EXPECT_EQ(AnsiLowerCase("\xCE\xA3"), "\xCF\x83");                                                  // Σ -> σ, not ς
  EXPECT_EQ(AnsiUpperCase("x\xFFy"), "X\xFFY");  // malformed bytes pass unchanged
  EXPECT_EQ(CharLower(U'\u0139'), U'\u013A');
  EXPECT_EQ(CharUpper(U'\u0138'), U'\u0138');  // ĸ has no capital
}

TEST(Text, AnsiCompareTextFoldsCase) {
  EXPECT_TRUE(
      AnsiSameText("\xC5\x9E"
                   "ARKI",
                   "\xC5\x9F"
                   "arki"));
  EXPECT_FALSE(AnsiSameText("a", "ab"));
  EXPECT_LT(AnsiCompareText("a", "ab"), 0);
  EXPECT_GT(AnsiCompareText("B", "a"), 0);
  EXPECT_EQ(AnsiCompareText("", ""), 0);
}

TEST(Text, TrimRemovesBlanksAndControls) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("   "), "");
}

TEST(Text, StringReplaceFlags) {
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
  EXPECT_EQ(StringReplace("aXbxc", "x", "_", rfReplaceAll), "aXb_c");
  EXPECT_EQ(StringReplace("aXbxc", "x", "_", rfReplaceAll | rfIgnoreCase), "a_b_c");
  EXPECT_EQ(StringReplace("\xC5\x9E"
                          "ek \xC5\x9F"
                          "ek",
                          "\xC5\x9F"
                          "EK",
                          "x", rfReplaceAll | rfIgnoreCase),
            "x x");
  EXPECT_EQ(StringReplace("aaa", "aa", "b", rfReplaceAll), "ba");
  EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
  EXPECT_EQ(StringReplace("ab", "abc", "x", rfIgnoreCase), "ab");
}

TEST(Text, PosIsOneBased) {
  EXPECT_EQ(Pos("b", "abcb"), 2);
  EXPECT_EQ(Pos("b", "abcb", 3), 4);
  EXPECT_EQ(Pos("x", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
}

TEST(Text, IntegerConversions) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(StrToInt("123"), 123);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(StrToInt("  15"), 15);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
}

TEST(Text, InvalidIntegersRaiseWithTheText) {
  for (const char* bad : {"", " ", "-", "+", "$", "0x", "12 ", "1 2", "- 1", "12a", "$G", "2147483648", "-2147483649",
                          "$100000000", "1.0", "99999999999999999999"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
    }
  }
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_EQ(StrToIntDef("abc", -5), -5);
  EXPECT_EQ(StrToIntDef("12", -5), 12);
  EXPECT_EQ(StrToInt64Def("", 3), 3);
}

TEST(Text, FileNamePartsWithBothSeparators) {
  EXPECT_EQ(ExtractFilePath("C:\\prog\\skins\\1.skn"), "C:\\prog\\skins\\");
  EXPECT_EQ(ExtractFilePath("/opt/q/a.txt"), "/opt/q/");
  EXPECT_EQ(ExtractFilePath("dir\\sub/a.txt"), "dir\\sub/");
  EXPECT_EQ(ExtractFilePath("C:a.txt"), "C:");
  EXPECT_EQ(ExtractFilePath("a.txt"), "");
  EXPECT_EQ(ExtractFileName("C:\\prog\\vesperin.exe"), "vesperin.exe");
  EXPECT_EQ(ExtractFileName("dir/sub\\"), "");
  EXPECT_EQ(ExtractFileDir("C:\\prog\\a.txt"), "C:\\prog");
  EXPECT_EQ(ExtractFileDir("C:\\a.txt"), "C:\\");
  EXPECT_EQ(ExtractFileExt("x\\lang.LTB"), ".LTB");
  EXPECT_EQ(ExtractFileExt("x.d\\lang"), "");
  EXPECT_EQ(ChangeFileExt("a\\b.txt", ".bak"), "a\\b.bak");
  EXPECT_EQ(ChangeFileExt("a.d\\b", ".bak"), "a.d\\b.bak");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\prog"), std::string("C:\\prog") + PathDelim);
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\prog\\"), "C:\\prog\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/p/"), "/p/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/p/"), "/p");
}

TEST(Text, ExpandFileNameResolvesDots) {
  const std::string cwd = IncludeTrailingPathDelimiter(GetCurrentDir());
  EXPECT_EQ(ExpandFileName("a.txt"), cwd + "a.txt");
  EXPECT_EQ(ExpandFileName(".\\a.txt"), cwd + "a.txt");
  EXPECT_EQ(ExpandFileName("sub/./x/../a.txt"), cwd + "sub" + PathDelim + "a.txt");
  EXPECT_EQ(ExpandFileName("sub\\"), cwd + "sub" + PathDelim);
  EXPECT_EQ(ExpandFileName(""), "");
#ifdef _WIN32
  EXPECT_EQ(ExpandFileName("C:\\a\\..\\..\\b\\.\\c.txt"), "C:\\b\\c.txt");
  EXPECT_EQ(ExpandFileName("c:/x/y"), "c:\\x\\y");
  EXPECT_EQ(ExpandFileName("\\\\srv\\share\\a\\..\\b"), "\\\\srv\\share\\b");
#else
  EXPECT_EQ(ExpandFileName("/a/../../b/./c.txt"), "/b/c.txt");
  EXPECT_EQ(ExpandFileName("/a\\b//c"), "/a/b/c");
  EXPECT_EQ(ExpandFileName("/"), "/");
#endif
}
