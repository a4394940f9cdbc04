// The text form of layouts: Free Pascal's text reads into its binary, conversions both
// ways keep every value, the written text has the classic shape, and bad text is refused
// with its line number.
#include <gtest/gtest.h>

#include "object_test_classes.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/layout_text.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/writer.h"

namespace {

// The binary of an object with one property whose value is given as text.
std::string ValueBinary(const std::string& valueText) {
  return ObjectTextToBinary("object A: TX\n  P = " + valueText + "\nend\n");
}

// The same value's bytes after the property name.
std::string ValueBytes(const std::string& valueText) {
  std::string bin = ValueBinary(valueText);
  // "TPF0" "\x02TX" "\x01A" "\x01P" value "\0" "\0"
  return bin.substr(4 + 3 + 2 + 2, bin.size() - 11 - 2);
}

std::string ValueText(const std::string& valueBytes) {
  std::string bin = std::string(
                        "TPF0\x02TX\x01"
                        "A\x01P",
                        11) +
                    valueBytes + std::string("\0\0", 2);
  std::string text = ObjectBinaryToText(bin);
  std::string head = "object A: TX\n  P =";
  EXPECT_EQ(text.substr(0, head.size()), head);
  std::string value = text.substr(head.size(), text.size() - head.size() - std::string("\nend\n").size());
  return value.starts_with(' ') ? value.substr(1) : value;
}

}  // namespace

TEST(LayoutTextGolden, FreePascalTextReadsIntoFreePascalBinary) {
  EXPECT_EQ(ObjectTextToBinary(ReadTestData("layout_golden.txt")), ReadTestData("layout_golden.bin"));
}

TEST(LayoutTextGolden, BinaryToTextToBinaryIsIdentical) {
  std::string golden = ReadTestData("layout_golden.bin");
  std::string text = ObjectBinaryToText(golden);
  EXPECT_EQ(ObjectTextToBinary(text), golden);
  EXPECT_NE(text.find("    Initial = #351\n"), std::string::npos);
  EXPECT_NE(text.find("    Ratio = 0.1\n"), std::string::npos);
  EXPECT_NE(text.find("    Buddy = Owner\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 4), "end\n");

  auto form = MakeGoldenForm();
  TMemoryStream bin;
  WriteComponentToStream(bin, form.get());
  bin.SetPosition(0);
  TMemoryStream txt;
  ObjectBinaryToText(bin, txt);
  EXPECT_EQ(std::string(txt.Bytes()), text);
}

TEST(LayoutTextShape, ObjectsPropertiesListsCollectionsAndBinaryData) {
  std::string text =
      "object Form1: TForm1\n"
      "  Items.Strings = (\n"
      "    'one'\n"
      "    'two')\n"
      "  Empty = ()\n"
      "  Columns = <\n"
      "    item\n"
      "      Width = 40\n"
      "    end\n"
      "    item [3]\n"
      "    end>\n"
      "  None = <>\n"
      "  Data = {\n"
      "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
      "    20}\n"
      "  Flags = [a, b]\n"
      "  NoFlags = []\n"
      "  object Button1: TButton\n"
      "    OnClick = Button1Click\n"
      "  end\n"
      "  inherited Panel1: TPanel [2]\n"
      "  end\n"
      "  inline Frame1: TFrame1\n"
      "  end\n"
      "  object TUnnamed\n"
      "  end\n"
      "end\n";
  std::string bin = ObjectTextToBinary(text);
  EXPECT_EQ(ObjectBinaryToText(bin), text);
  EXPECT_NE(bin.find(std::string("\xF3\x02\x02\x06TPanel", 10)), std::string::npos);  // inherited + child pos 2
  EXPECT_NE(bin.find(std::string("\xF4\x07TFrame1", 9)), std::string::npos);
}

TEST(LayoutTextShape, LongStringsWrapAt64CharactersAndShortOnesStayInline) {
  std::string long1 = std::string("\x0c\x2c\x01\x00\x00", 5) + std::string(300, 'x');  // vaLString
  std::string line = "'" + std::string(64, 'x') + "' +\n    ";
  EXPECT_EQ(ValueText(long1), "\n    " + line + line + line + line + "'" + std::string(44, 'x') + "'");
  EXPECT_EQ(ValueBytes(ValueText(long1)), long1);
  EXPECT_EQ(ValueText(std::string("\x06\x00", 2)), "''");
  EXPECT_EQ(ValueText(std::string("\x06\x04It's", 6)), "'It''s'");
}

TEST(LayoutTextShape, NumbersKeepTheirKind) {
  EXPECT_EQ(ValueText(ValueBytes("-11")), "-11");
  EXPECT_EQ(ValueBytes("-11"), std::string("\x02\xF5", 2));
  EXPECT_EQ(ValueBytes("$FF"), std::string("\x03\xFF\x00", 3));
  EXPECT_EQ(ValueBytes("5000000000").substr(0, 1), "\x13");
  EXPECT_EQ(ValueText(ValueBytes("2.0")), "2.0");
  EXPECT_EQ(ValueBytes("2.0").substr(0, 1), "\x05");
  EXPECT_EQ(ValueText(ValueBytes("1.5e300")), "1.5e+300");
  EXPECT_EQ(ValueText(ValueBytes(" 1.00000000000000005551E-0001")), "0.1");  // Free Pascal's form
  EXPECT_EQ(ValueText(ValueBytes("1.5s")), "1.5s");
  EXPECT_EQ(ValueText(ValueBytes("1.25c")), "1.25c");
  EXPECT_EQ(ValueBytes("1.25c"), std::string("\x10\xD4\x30\x00\x00\x00\x00\x00\x00", 9));
  EXPECT_EQ(ValueText(ValueBytes("-3.0001c")), "-3.0001c");
  EXPECT_EQ(ValueText(ValueBytes("45000.5d")), "45000.5d");
  EXPECT_EQ(ValueText(ValueBytes("True")), "True");
  EXPECT_EQ(ValueBytes("true"), "\x09");
  EXPECT_EQ(ValueText(ValueBytes("nil")), "nil");
  EXPECT_EQ(ValueText(ValueBytes("Form2.Button1")), "Form2.Button1");
}

TEST(LayoutTextStrings, AsciiIsEightBitCodesFrom128OnAreCharacters) {
  EXPECT_EQ(ValueBytes("'ab'#13#10"), std::string("\x06\x04"
                                                  "ab\r\n",
                                                  6));
  EXPECT_EQ(ValueBytes("#127#$7F"), std::string("\x06\x02\x7F\x7F", 4));
  EXPECT_EQ(ValueBytes("'a' + 'b' +\n   #$41"), std::string("\x06\x03"
                                                            "abA",
                                                            5));
  // From 128 on a code is the character of that code, as Free Pascal reads it too.
  EXPECT_EQ(ValueBytes("#233"), std::string("\x12\x01\x00\x00\x00\xE9\x00", 7));
  EXPECT_EQ(ValueBytes("#128"), std::string("\x12\x01\x00\x00\x00\x80\x00", 7));
  EXPECT_EQ(ValueBytes("'ş'"), std::string("\x12\x01\x00\x00\x00\x5F\x01", 7));
  EXPECT_EQ(ValueBytes("#351'x'"), std::string("\x12\x02\x00\x00\x00\x5F\x01x\x00", 9));
  EXPECT_EQ(ValueBytes("#351"), ValueBytes("'ş'"));
  EXPECT_EQ(ValueBytes("'é'#13"), std::string("\x12\x02\x00\x00\x00\xE9\x00\x0D\x00", 9));
  EXPECT_EQ(ValueBytes("'😀'"), std::string("\x12\x02\x00\x00\x00\x3D\xD8\x00\xDE", 9));
  EXPECT_EQ(ValueBytes("#55357#56832"), ValueBytes("'😀'"));
}

// The text is the standard form (the one Free Pascal writes: printable ASCII quoted, every
// other character as its code), and reads back as the same text.
TEST(LayoutTextStrings, CharactersOutsideAsciiAreWrittenAsTheirCodes) {
  const std::string wide[][2] = {{std::string("\x12\x02\x00\x00\x00\xE9\x00\x0D\x00", 9), "#233#13"},
                                 {std::string("\x12\x04\x00\x00\x00"
                                              "B\x00\x5F\x01k\x00\x31\x01",
                                              13),
                                  "'B'#351'k'#305"},
                                 {std::string("\x12\x01\x00\x00\x00\x00\xD8", 7), "#55296"},  // an unpaired surrogate
                                 {std::string("\x12\x02\x00\x00\x00\x3D\xD8\x00\xDE", 9), "#55357#56832"},
                                 {std::string("\x12\x01\x00\x00\x00\x85\x00", 7), "#133"},  // a C1 control
                                 {std::string("\x12\x03\x00\x00\x00"
                                              "'\x00\xE7\x00'\x00",
                                              11),
                                  "''''#231''''"}};
  for (const auto& [bytes, text] : wide) {
    EXPECT_EQ(ValueText(bytes), text);
    EXPECT_EQ(ValueBytes(text), bytes) << text;
  }
  // UTF-8 text: the same codes.
  EXPECT_EQ(ValueText(std::string("\x14\x05\x00\x00\x00"
                                  "a\xC5\x9F\xC4\xB1",
                                  10)),
            "'a'#351#305");

  // 8-bit text: controls as their byte, other characters as what the byte stands for in the
  // ANSI code page; it reads back as the same characters in UTF-16.
  const std::string eightBit(
      "\x06\x04\xE9\x01"
      "a\x80",
      6);
  EXPECT_EQ(ValueText(eightBit), "#233#1'a'#8364");
  EXPECT_EQ(ValueBytes("#233#1'a'#8364"), std::string("\x12\x04\x00\x00\x00\xE9\x00\x01\x00"
                                                      "a\x00\xAC\x20",
                                                      13));
  SetSystemAnsiCodePage(cpWindows1254);
  EXPECT_EQ(ValueText(std::string("\x06\x02\xFE\xDD", 4)), "#351#304");  // "şİ"
  SetSystemAnsiCodePage(cpWindows1252);
  EXPECT_EQ(ValueText(std::string("\x06\x02\xFE\xDD", 4)), "#254#221");  // "þÝ"
}

// Free Pascal's text of its own binary: the strings come out as it writes them.
TEST(LayoutTextStrings, FreePascalWritesTheSameStrings) {
  const std::string ours = ObjectBinaryToText(ReadTestData("layout_golden.bin"));
  const std::string theirs = ReadTestData("layout_golden.txt");
  for (const char* line : {"    Caption = 'It''s a widget'#13#10'on two lines'\n", "    Letter = 'Z'\n",
                           "    Initial = #351\n", "    Letter = #0\n", "    Initial = #287\n"}) {
    EXPECT_NE(theirs.find(line), std::string::npos) << line;
    EXPECT_NE(ours.find(line), std::string::npos) << line;
  }
}

TEST(LayoutTextInput, AcceptsCrLfAByteOrderMarkAndAnyCase) {
  std::string text = "\xEF\xBB\xBFOBJECT A: TX\r\n  P = 1\r\nEND\r\n";
  EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(text)), "object A: TX\n  P = 1\nend\n");
}

TEST(LayoutTextInput, RefusesBadTextWithItsLineNumber) {
  auto error = [](const std::string& text) { return ErrorOf([&] { ObjectTextToBinary(text); }); };
  EXPECT_EQ(error("object A: TX\n  P = 'abc\nend\n"), "Unterminated string on line 2");
  EXPECT_EQ(error("object A: TX\n  P = 1\n"), "'end' expected on line 3");
  EXPECT_EQ(error("object A: TX\n\n  P 1\nend"), "'=' expected on line 3");
  EXPECT_EQ(error("object A: TX\n  P = {0A1}\nend"), "Invalid binary value on line 2");
  EXPECT_EQ(error("object A: TX\n  P = {0AZZ}\nend"), "Invalid binary value on line 2");
  EXPECT_EQ(error("object A: TX\n  P = 99999999999999999999\nend"), "Invalid number on line 2");
  EXPECT_EQ(error("object A: TX\n  P = #70000\nend"), "Invalid character code on line 2");
  EXPECT_EQ(error("object A: TX\n  P = 'a' +\nend"), "String expected on line 3");
  EXPECT_EQ(error("object A: TX\n  P = [a,]\nend"), "Identifier expected on line 2");
  EXPECT_EQ(error("object A: TX\n  P = <\n  thing\n  end>\nend"), "'item' expected on line 3");
  EXPECT_EQ(error("thing A: TX\nend"), "'object' expected on line 1");
  EXPECT_EQ(error("object A: TX\nend\nmore"), "End of text expected on line 3");
  EXPECT_EQ(error(""), "'object' expected on line 1");
  EXPECT_EQ(error("object A: TX\n  P = )\nend"), "Value expected on line 2");
  EXPECT_THROW(ObjectTextToBinary("object A: TX\n  P = " + std::string(100000, '(') + "\nend"), EReadError);
  // A class name's length byte from 0xF0 on would read back as a prefix byte.
  const std::string longest = "T" + std::string(238, 'x');
  EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary("object A: " + longest + "\nend\n")),
            "object A: " + longest + "\nend\n");
  EXPECT_THROW(ObjectTextToBinary("object A: " + longest + "x\nend\n"), EWriteError);
}

TEST(LayoutTextInput, BinaryInputMustBeALayout) {
  EXPECT_TRUE(IsBinaryLayout("TPF0..."));
  EXPECT_FALSE(IsBinaryLayout("object"));
  EXPECT_EQ(ErrorOf([] { ObjectBinaryToText("object A: TX"); }), "Invalid stream format");
  EXPECT_THROW(ObjectBinaryToText(std::string("TPF0\x02TX\x01"
                                              "A\x01P\x06\x09x",
                                              14)),
               EReadError);
  // Names that would not read back as identifiers are refused.
  EXPECT_EQ(ErrorOf([] {
              ObjectBinaryToText(
                  std::string("TPF0\x02TX\x01"
                              "A\x03"
                              "a b\x08\x00\x00",
                              16));
            }),
            "Invalid name in layout stream: a b");
  EXPECT_EQ(ErrorOf([] {
              ObjectBinaryToText(
                  std::string("TPF0\x02TX\x01"
                              "A\x03"
                              "end\x08\x00\x00",
                              16));
            }),
            "Invalid name in layout stream: end");
  EXPECT_EQ(ErrorOf([] { ObjectBinaryToText(std::string("TPF0\x02T-\x00\x00\x00", 10)); }),
            "Invalid name in layout stream: T-");
}
