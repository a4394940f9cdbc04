#include <gtest/gtest.h>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"

TEST(Format, MessagesOfTheExceptionFamily) {
  EXPECT_EQ(Format(ExceptionText::ListIndexError, {-1}), "List index out of bounds (-1)");
  EXPECT_EQ(Format(ExceptionText::FOpenError, {"C:\\p\\a.txt", "Access denied"}),
            "Cannot open file \"C:\\p\\a.txt\". Access denied");
  EXPECT_EQ(Format("100%% of %s", {std::string("x")}), "100% of x");
  EXPECT_EQ(Format("no arguments", {}), "no arguments");
}

TEST(Format, WidthPrecisionAndAlignment) {
  EXPECT_EQ(Format("[%5d]", {42}), "[   42]");
  EXPECT_EQ(Format("[%-5d]", {42}), "[42   ]");
  EXPECT_EQ(Format("[%.4d]", {-42}), "[-0042]");
  EXPECT_EQ(Format("[%6.3d]", {7}), "[   007]");
  EXPECT_EQ(Format("[%4s|%-4s]", {"ab", "cd"}), "[  ab|cd  ]");
  EXPECT_EQ(Format("[%.2s]", {"abcdef"}), "[ab]");
  EXPECT_EQ(Format("[%*d]", {4, 1}), "[   1]");
  EXPECT_EQ(Format("[%.*s]", {1, "xyz"}), "[x]");
  EXPECT_EQ(Format("[%1s]", {"long"}), "[long]");
}

TEST(Format, WidthAndPrecisionCountCharactersNotBytes) {
  EXPECT_EQ(Format("[%3s]", {"\xC5\x9F"}), "[  \xC5\x9F]");
  EXPECT_EQ(Format("[%.1s]", {"\xC5\x9F\xC4\x9F"}), "[\xC5\x9F]");
}

TEST(Format, IntegerKinds) {
  EXPECT_EQ(Format("%d", {INT64_MIN}), "-9223372036854775808");
  EXPECT_EQ(Format("%u", {-1}), "4294967295");
  EXPECT_EQ(Format("%x", {255}), "FF");
  EXPECT_EQ(Format("%.4x", {0x3502}), "3502");
  EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
  EXPECT_EQ(Format("%x", {std::int64_t{-1}}), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Format("%X %D %S", {10, 3, "s"}), "A 3 s");
  EXPECT_EQ(Format("%d", {std::size_t{17}}), "17");
}

TEST(Format, ArgumentIndexes) {
  EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b");
  EXPECT_EQ(Format("%0:d-%0:d", {5}), "5-5");
}

TEST(Format, BadSpecifiersRaise) {
  for (const char* fmt : {"%d", "%s %s", "%q", "abc %", "%5", "%-", "%2:s", "%99999999d"}) {
    try {
      Format(fmt, {"x"});
      ADD_FAILURE() << fmt;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("Format '") + fmt + "' invalid or incompatible with argument");
    }
  }
  EXPECT_THROW(Format("%s", {1}), EConvertError);
  EXPECT_THROW(Format("%*d", {"w", 1}), EConvertError);
}
