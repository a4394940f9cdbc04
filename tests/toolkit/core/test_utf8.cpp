#include <gtest/gtest.h>

#include "toolkit/core/utf8.h"

TEST(Utf8, DecodesEveryLengthAndAdvances) {
  const std::string text = "a\xC3\xA7\xE2\x82\xAC\xF0\x9F\x98\x80";  // a ç € 😀
  std::size_t pos = 0;
  EXPECT_EQ(Utf8Decode(text, pos), U'a');
  EXPECT_EQ(Utf8Decode(text, pos), U'\u00E7');
  EXPECT_EQ(Utf8Decode(text, pos), U'\u20AC');
  EXPECT_EQ(Utf8Decode(text, pos), U'\U0001F600');
  EXPECT_EQ(pos, text.size());
  EXPECT_EQ(Utf8Length(text), 4u);
}

TEST(Utf8, MalformedInputIsReplacedByteByByte) {
  for (const std::string bad : {"\x80", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                "\xF8\x88\x80\x80\x80", "\xE2\x82"}) {
    std::size_t pos = 0;
    EXPECT_EQ(Utf8Decode(bad, pos), ReplacementCharacter) << bad.size();
    EXPECT_EQ(pos, 1u);
    EXPECT_FALSE(IsValidUtf8(bad));
    EXPECT_EQ(FindInvalidUtf8("ok" + bad), 2u);
  }
  EXPECT_TRUE(IsValidUtf8("plain \xC5\x9F"));
  EXPECT_EQ(Utf8Length("\xC3x"), 2u);
}

TEST(Utf8, EncodesAndRefusesNonCharacters) {
  EXPECT_EQ(Utf8Encode(U'\u015F'), "\xC5\x9F");
  EXPECT_EQ(Utf8Encode(0x10FFFF), "\xF4\x8F\xBF\xBF");
  EXPECT_EQ(Utf8Encode(0xD800), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8Encode(0x110000), "\xEF\xBF\xBD");
}

TEST(Utf8, Utf16RoundTripWithSurrogatePairs) {
  const std::string text =
      "T\xC3\xBCrk\xC3\xA7"
      "e \xF0\x9F\x98\x80";
  const WideString wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, u"Türkçe \U0001F600");
  EXPECT_EQ(Utf16ToUtf8(wide), text);
  EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  EXPECT_EQ(Utf8ToWide(text), L"Türkçe \U0001F600");
}

TEST(Utf8, UnpairedSurrogatesBecomeReplacementCharacters) {
  const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00, 0};
  EXPECT_EQ(Utf16ToUtf8(lone),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  const char16_t trailingHigh[] = {u'x', 0xDBFF, 0};
  EXPECT_EQ(Utf16ToUtf8(trailingHigh), "x\xEF\xBF\xBD");
}
