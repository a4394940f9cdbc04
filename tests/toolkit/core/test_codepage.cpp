#include <gtest/gtest.h>

#include "toolkit/core/codepage.h"
#include "toolkit/core/exceptions.h"

namespace {

std::string AllHighBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

}  // namespace

TEST(CodePage, TurkishLettersIn1254) {
  const std::string turkish = "\xC5\x9F\xC4\x9F\xC4\xB1\xC4\xB0\xC4\x9E\xC5\x9E\xC3\xA7\xC3\xB6\xC3\xBC";  // şğıİĞŞçöü
  EXPECT_EQ(Utf8ToAnsi(turkish, cpWindows1254), "\xFE\xF0\xFD\xDD\xD0\xDE\xE7\xF6\xFC");
  EXPECT_EQ(AnsiToUtf8("\xFE\xF0\xFD\xDD\xD0\xDE\xE7\xF6\xFC", cpWindows1254), turkish);
  EXPECT_EQ(AnsiToUtf8("T\xFCrk\xE7"
                       "e",
                       cpWindows1254),
            "T\xC3\xBCrk\xC3\xA7"
            "e");
}

TEST(CodePage, SameBytesDifferIn1252) {
  EXPECT_EQ(AnsiToUtf8("\xD0\xDD\xDE\xF0\xFD\xFE", cpWindows1252), "\xC3\x90\xC3\x9D\xC3\x9E\xC3\xB0\xC3\xBD\xC3\xBE");
  EXPECT_EQ(AnsiToUtf8("\x80\x8E\x9F", cpWindows1252), "\xE2\x82\xAC\xC5\xBD\xC5\xB8");  // € Ž Ÿ
  EXPECT_EQ(Utf8ToAnsi("\xE2\x80\x9C"
                       "a\xE2\x80\x9D",
                       cpWindows1252),
            "\x93"
            "a\x94");
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
  const std::string bytes = AllHighBytes();
  for (int cp : {cpWindows1252, cpWindows1254}) {
    const std::string text = AnsiToUtf8(bytes, cp);
    EXPECT_TRUE(CanEncode(text, cp));
    EXPECT_EQ(Utf8ToAnsi(text, cp), bytes) << cp;
  }
}

TEST(CodePage, UnencodableCharacterIsRefusedByName) {
  EXPECT_FALSE(CanEncode("a\xC5\x9F", cpWindows1252));
  EXPECT_TRUE(CanEncode("a\xC5\x9F", cpWindows1254));
  try {
    Utf8ToAnsi("Ba\xC5\x9Flat", cpWindows1252);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "The character \"\xC5\x9F\" (U+015F) cannot be stored in code page 1252");
  }
  EXPECT_THROW(Utf8ToAnsi("\xC5\xBD", cpWindows1254), EConvertError);  // Ž exists in 1252 only
  EXPECT_THROW(Utf8ToAnsi("\xE4\xB8\xAD", cpWindows1254), EConvertError);
  EXPECT_THROW(Utf8ToAnsi("\xF0\x9F\x98\x80", cpWindows1252), EConvertError);
}

TEST(CodePage, MalformedUtf8IsRefused) {
  EXPECT_THROW(Utf8ToAnsi("a\xC3", cpWindows1252), EConvertError);
  EXPECT_THROW(Utf8ToAnsi("a\xFF", cpUtf8), EConvertError);
  EXPECT_THROW(AnsiToUtf8("a\xFF", cpUtf8), EConvertError);
  EXPECT_FALSE(CanEncode("\xC3", cpWindows1254));
}

TEST(CodePage, Utf8PassesThrough) {
  const std::string text = "\xC5\x9F\xE4\xB8\xAD";
  EXPECT_EQ(Utf8ToAnsi(text, cpUtf8), text);
  EXPECT_EQ(AnsiToUtf8(text, cpUtf8), text);
  EXPECT_TRUE(CanEncode(text, cpUtf8));
}

TEST(CodePage, UnsupportedCodePagesAreRefusedBothWays) {
  EXPECT_FALSE(IsSupportedCodePage(1251));
  EXPECT_FALSE(CanEncode("abc", 1251));
  try {
    AnsiToUtf8("abc", 1251);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Code page 1251 is not supported");
  }
  EXPECT_THROW(Utf8ToAnsi("abc", 437), EConvertError);
}

TEST(CodePage, SystemCodePageDrivesTheShortForms) {
  EXPECT_EQ(SystemAnsiCodePage(), cpWindows1252);
  SetSystemAnsiCodePage(cpWindows1254);
  EXPECT_EQ(Utf8ToAnsi("\xC5\x9F"), "\xFE");
  EXPECT_EQ(AnsiToUtf8("\xFE"), "\xC5\x9F");
  SetSystemAnsiCodePage(1251);
  EXPECT_THROW(Utf8ToAnsi("a"), EConvertError);
  SetSystemAnsiCodePage(cpWindows1252);
  EXPECT_EQ(AnsiToUtf8("\xFE"), "\xC3\xBE");
}
