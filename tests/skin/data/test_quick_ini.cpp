// The skin ini reader: line rules, first-wins lookups, integer and colour value forms.
#include <gtest/gtest.h>

#include "skin/data/quick_ini.h"
#include "toolkit/core/streams.h"

namespace {

TQuickIni Parse(std::string_view text) {
  TQuickIni ini;
  ini.LoadFromText(text);
  return ini;
}

TEST(QuickIni, LineEndsTrimmingCommentsAndHeaders) {
  const TQuickIni ini =
      Parse("  ; a comment\r\n[ Personality ]\rTop = top.bmp \n\n\t\r\nLeftFrame=2\r\n;Left=no\r\n[Buttons]");
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[ Personality ]", "Top = top.bmp", "LeftFrame=2", "[Buttons]"}));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Personality", "Buttons"}));
  EXPECT_EQ(ini.ReadString("personality", "TOP", "x"), "top.bmp");
  EXPECT_EQ(ini.ReadString("Personality", "Left", "none"), "none");  // the commented line is gone
}

TEST(QuickIni, LoadFromStreamStartsAtThePositionAndReplacesEarlierContent) {
  TQuickIni ini;
  ini.LoadFromText("[Old]\nA=1");
  TStringStream stream("junk\n[New]\nB=2");
  stream.SetPosition(5);
  ini.LoadFromStream(stream);
  EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"New"});
  EXPECT_EQ(ini.ReadString("Old", "A", "gone"), "gone");
  EXPECT_EQ(ini.ReadInteger("New", "B", 0), 2);
}

TEST(QuickIni, FirstHeaderAndFirstKeyWinEvenWhenEmpty) {
  const TQuickIni ini = Parse("[A]\nKey=\nKey=second\nOther = x = y\n[B]\nKey=b\n[a]\nKey=repeated\nLate=1\n");
  EXPECT_EQ(ini.ReadString("A", "key", "default"), "default");  // the first Key is empty
  EXPECT_EQ(ini.ReadString("A", "Other", ""), "x = y");         // split at the first "="
  EXPECT_EQ(ini.ReadString("B", "Key", ""), "b");
  EXPECT_EQ(ini.ReadString("A", "Late", "not under the first header"), "not under the first header");
  EXPECT_EQ(ini.ReadString("Missing", "Key", "d"), "d");
}

TEST(QuickIni, LineWithoutEqualsHasAnEmptyKey) {
  const TQuickIni ini = Parse("[S]\nno equals here\n=value of empty key\n");
  EXPECT_EQ(ini.ReadString("S", "", "d"), "d");  // the first line with the empty key has no "="
  EXPECT_EQ(ini.ReadString("S", "no equals here", "d"), "d");
}

TEST(QuickIni, IntegerForms) {
  const TQuickIni ini = Parse(
      "[I]\nDec=42\nNeg=-5\nPlus=+7\nHex0x=0x1F\nHexX=0X1f\nDollar=$FF\nBare=1F\nBlank=\nSpace=1 2\n"
      "Big=2147483648\nMin=-2147483648\nAllOnes=$FFFFFFFF\nTooLong=$100000000\nOnlyPrefix=0x\n");
  EXPECT_EQ(ini.ReadInteger("I", "Dec", 0), 42);
  EXPECT_EQ(ini.ReadInteger("I", "Neg", 0), -5);
  EXPECT_EQ(ini.ReadInteger("I", "Plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("I", "Hex0x", 0), 31);
  EXPECT_EQ(ini.ReadInteger("I", "HexX", 0), 31);
  EXPECT_EQ(ini.ReadInteger("I", "Dollar", 0), 255);
  EXPECT_EQ(ini.ReadInteger("I", "Bare", -9), -9);
  EXPECT_EQ(ini.ReadInteger("I", "Blank", -9), -9);
  EXPECT_EQ(ini.ReadInteger("I", "Space", -9), -9);
  EXPECT_EQ(ini.ReadInteger("I", "Big", -9), -9);
  EXPECT_EQ(ini.ReadInteger("I", "Min", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("I", "AllOnes", 0), -1);
  EXPECT_EQ(ini.ReadInteger("I", "TooLong", -9), -9);
  EXPECT_EQ(ini.ReadInteger("I", "OnlyPrefix", -9), -9);
  EXPECT_EQ(ini.ReadInteger("I", "Missing", 13), 13);
}

TEST(QuickIni, ColorForms) {
  const TQuickIni ini = Parse(
      "[C]\nBlanks=70 115 150\nCommas=1,2,3\nShort=200\nWrap=256 257 511\nExtra=1 2 3 4\nJunk=r:10;g:20;b:30\n"
      "Huge=99999999999 5 6 7\nEmpty=\n");
  EXPECT_EQ(ini.ReadColor("C", "Blanks", clNone), RGBToColor(70, 115, 150));
  EXPECT_EQ(ini.ReadColor("C", "Commas", clNone), RGBToColor(1, 2, 3));
  EXPECT_EQ(ini.ReadColor("C", "Short", clNone), RGBToColor(200, 0, 0));
  EXPECT_EQ(ini.ReadColor("C", "Wrap", clNone), RGBToColor(0, 1, 255));
  EXPECT_EQ(ini.ReadColor("C", "Extra", clNone), RGBToColor(1, 2, 3));
  EXPECT_EQ(ini.ReadColor("C", "Junk", clNone), RGBToColor(10, 20, 30));
  EXPECT_EQ(ini.ReadColor("C", "Huge", clNone), RGBToColor(5, 6, 7));  // the 32-bit overflow is skipped
  EXPECT_EQ(ini.ReadColor("C", "Empty", clBtnFace), clBtnFace);
  EXPECT_EQ(ini.ReadColor("C", "Missing", clMenu), clMenu);
}

}  // namespace
