// The binary layout stream: byte-for-byte agreement with Free Pascal's writer, reading a
// tree back (events, references, Loaded order), value encodings and corrupt streams.
#include <gtest/gtest.h>

#include <cmath>

#include "object_test_classes.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/writer.h"

namespace {

std::string Write(TComponent* root) {
  TMemoryStream stream;
  WriteComponentToStream(stream, root);
  return std::string(stream.Bytes());
}

TTestForm* Read(const std::string& bytes, TTestForm* form) {
  TBufferStream stream(bytes);
  ReadComponentFromStream(stream, form);
  return form;
}

// Bytes written by one TWriter call.
std::string Encoded(const std::function<void(TWriter&)>& write) {
  TMemoryStream stream;
  TWriter writer(stream);
  write(writer);
  return std::string(stream.Bytes());
}

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (char c : bytes) {
    out += digits[static_cast<std::uint8_t>(c) >> 4];
    out += digits[static_cast<std::uint8_t>(c) & 15];
  }
  return out;
}

// A stream with one form whose only property is given as raw bytes after its name.
std::string FormWithProperty(const std::string& nameAndValue) {
  std::string s = "TPF0";
  s += "\x09TTestForm\x05"
       "Form1";
  s += nameAndValue;
  s += std::string("\0\0", 2);
  return s;
}

std::string WidgetStream(const std::string& widgetProperties) {
  std::string s = "TPF0";
  s += "\x09TTestForm\x05"
       "Form1";
  s += '\0';
  s += "\x0bTTestWidget\x07Widget1";
  s += widgetProperties;
  s += std::string("\0\0\0", 3);
  return s;
}

}  // namespace

TEST(LayoutGolden, WriterMatchesFreePascalByteForByte) {
  std::string golden = ReadTestData("layout_golden.bin");
  ASSERT_FALSE(golden.empty());
  auto form = MakeGoldenForm();
  std::string ours = Write(form.get());
  EXPECT_EQ(ours.size(), golden.size());
  EXPECT_EQ(Hex(ours), Hex(golden));
}

TEST(LayoutGolden, ReaderRestoresEveryProperty) {
  TTestForm form(nullptr);
  Read(ReadTestData("layout_golden.bin"), &form);
  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.Caption, "Test form");
  ASSERT_EQ(form.ComponentCount(), 2);
  auto* w1 = dynamic_cast<TTestWidget*>(form.FindComponent("Widget1"));
  auto* w2 = dynamic_cast<TTestWidget*>(form.FindComponent("Widget2"));
  ASSERT_TRUE(w1 && w2);
  EXPECT_EQ(w1->Caption, "It's a widget\r\non two lines");
  EXPECT_EQ(w1->Count, 1000);
  EXPECT_EQ(w1->Small, 200);
  EXPECT_EQ(w1->Wide, 60000);
  EXPECT_EQ(w1->Big, 5000000000);
  EXPECT_EQ(w1->Letter, 'Z');
  EXPECT_EQ(w1->Initial, u'\u015F');
  EXPECT_EQ(w1->Align, taClient);
  EXPECT_FALSE(w1->Visible);
  EXPECT_EQ(w1->Options, (TTestOptions{toBold, toUnderline}));
  EXPECT_EQ(w1->Anchors, TTestOptions{toItalic});
  EXPECT_EQ(w1->Ratio, 0.1);
  EXPECT_EQ(w1->Hidden, 0);  // not stored
  EXPECT_EQ(w1->GetFont()->Name, "MS Sans Serif");
  EXPECT_EQ(w1->GetFont()->Height, -11);
  EXPECT_EQ(w1->GetFont()->Style, TTestOptions{toBold});
  EXPECT_EQ(w1->GetFont()->Color, 255);
  EXPECT_EQ(w1->GetLines()->Text(), "one\r\ntwo, three\r\n\r\n");
  ASSERT_EQ(w1->GetItems()->Count(), 2);
  EXPECT_EQ(w1->Item(0)->Caption, "First");
  EXPECT_EQ(w1->Item(0)->Value, 1);
  EXPECT_EQ(w1->Item(1)->Caption, "Second");
  ASSERT_EQ(w1->Data.size(), 40u);
  EXPECT_EQ(static_cast<std::uint8_t>(w1->Data[39]), 39 * 7 % 256);
  EXPECT_EQ(w2->Caption.size(), 300u);
  EXPECT_EQ(w2->Count, -5);
  EXPECT_EQ(w2->Big, -70000);
  EXPECT_EQ(w2->Ratio, -2.5);
  EXPECT_EQ(w2->Small, 9);
  EXPECT_TRUE(w2->Visible);
}

TEST(LayoutGolden, EventsAreBoundToTheRootsMethodsAndReferencesResolved) {
  TTestForm form(nullptr);
  Read(ReadTestData("layout_golden.bin"), &form);
  auto* w1 = static_cast<TTestWidget*>(form.FindComponent("Widget1"));
  auto* w2 = static_cast<TTestWidget*>(form.FindComponent("Widget2"));
  EXPECT_EQ(w1->OnClick.MethodName(), "Button1Click");
  w1->OnClick(w1);
  EXPECT_EQ(form.clicks, 1);
  EXPECT_EQ(form.lastSender, w1);
  EXPECT_EQ(w1->GetBuddy(), w2);     // named before Widget2 was read
  EXPECT_EQ(w2->GetBuddy(), &form);  // "Owner"
  EXPECT_TRUE(w1->buddyResolvedAtLoaded);
}

TEST(LayoutGolden, ReadThenWriteGivesTheSameBytes) {
  std::string golden = ReadTestData("layout_golden.bin");
  TTestForm form(nullptr);
  Read(golden, &form);
  EXPECT_EQ(Hex(Write(&form)), Hex(golden));
}

TEST(LayoutReader, LoadedRunsAfterTheWholeTreeRootFirstThenInCreationOrder) {
  TestLog().clear();
  TTestForm form(nullptr);
  Read(ReadTestData("layout_golden.bin"), &form);
  EXPECT_EQ(TestLog(), (std::vector<std::string>{"Loaded Form1", "Loaded Widget1", "Loaded Widget2"}));
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(form.FindComponent("Widget2")->ComponentState().Contains(csReading));
}

TEST(LayoutReader, CreatesTheRootFromItsClassWhenNoneIsGiven) {
  std::string golden = ReadTestData("layout_golden.bin");
  TBufferStream stream(golden);
  std::unique_ptr<TComponent> root(ReadComponentFromStream(stream, nullptr));
  ASSERT_NE(dynamic_cast<TTestForm*>(root.get()), nullptr);
  EXPECT_EQ(root->ComponentCount(), 2);
}

TEST(LayoutReader, ParentedChildrenAreStoredInsideTheirParentAndOwnedByTheRoot) {
  TTestForm form(nullptr);
  form.SetName("Form1");
  auto* outer = new TTestPanel(&form);
  outer->SetName("Outer");
  auto* inner = new TTestPanel(&form);
  inner->SetName("Inner");
  inner->Width = 5;
  inner->SetParent(outer);
  auto* second = new TTestPanel(&form);
  second->SetName("Second");
  second->SetParent(outer);
  std::string bytes = Write(&form);

  TTestForm copy(nullptr);
  Read(bytes, &copy);
  auto* o = dynamic_cast<TTestPanel*>(copy.FindComponent("Outer"));
  auto* i = dynamic_cast<TTestPanel*>(copy.FindComponent("Inner"));
  ASSERT_TRUE(o && i);
  EXPECT_EQ(i->Owner(), &copy);
  EXPECT_EQ(i->GetParent(), o);
  EXPECT_EQ(i->Width, 5);
  ASSERT_EQ(o->Children().size(), 2u);
  EXPECT_EQ(o->Children()[1]->Name(), "Second");
  EXPECT_EQ(Write(&copy), bytes);
}

TEST(LayoutReader, HonoursTheChildPositionPrefix) {
  // Outer with two children; the second is stored with ffChildPos 0.
  std::string s =
      "TPF0\x09TTestForm\x05"
      "Form1";
  s += '\0';
  s += "\x0aTTestPanel\x05Outer";
  s += '\0';
  s += "\x0aTTestPanel\x01"
       "A";
  s += std::string("\0\0", 2);
  s += "\xF2\x02";
  s += '\0';
  s += "\x0aTTestPanel\x01"
       "B";
  s += std::string("\0\0\0\0", 4);
  TTestForm form(nullptr);
  Read(s, &form);
  auto* outer = static_cast<TTestPanel*>(form.FindComponent("Outer"));
  ASSERT_EQ(outer->Children().size(), 2u);
  EXPECT_EQ(outer->Children()[0]->Name(), "B");
}

TEST(LayoutReader, ReportsFaultsWithTheComponentAndPropertyName) {
  TTestForm form(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read(WidgetStream("\x04Nope\x02\x01"), &form); }),
            "Error reading Widget1.Nope: Property Nope does not exist");
  TTestForm f2(nullptr);
  EXPECT_EQ(ErrorOf([&] {
              Read(WidgetStream("\x09"
                                "Font.Nope\x02\x01"),
                   &f2);
            }),
            "Error reading Widget1.Font.Nope: Property Font.Nope does not exist");
  TTestForm f3(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read(WidgetStream("\x05Small\x03\x2c\x01"), &f3); }),  // 300 in a Byte
            "Error reading Widget1.Small: Invalid property value");
  TTestForm f4(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read(WidgetStream("\x07OnClick\x07\x07Missing"), &f4); }),
            "Error reading Widget1.OnClick: Method Missing not found");
  TTestForm f5(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read(WidgetStream("\x07OnClick\x07\x07Resized"), &f5); }),
            "Error reading Widget1.OnClick: Method Resized is not compatible with this event");
  TTestForm f6(nullptr);
  EXPECT_EQ(ErrorOf([&] {
              Read(WidgetStream("\x07"
                                "Caption\x02\x01"),
                   &f6);
            }),
            "Error reading Widget1.Caption: Invalid property value");
  TTestForm f7(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read(WidgetStream("\x07Version\x06\x01x"), &f7); }),
            "Error reading Widget1.Version: Property is read-only");
  TTestForm f8(nullptr);
  EXPECT_EQ(ErrorOf([&] {
              Read(FormWithProperty("\x03"
                                    "Bad\x09"),
                   &f8);
            }),
            "Error reading Form1.Bad: Property Bad does not exist");
  EXPECT_THROW(Read(WidgetStream("\x04Nope\x02\x01"), &form), EReadError);
}

TEST(LayoutReader, OnErrorCanSkipABadProperty) {
  TTestForm form(nullptr);
  std::string bytes = WidgetStream("\x04Nope\x05" + std::string(10, '\0') +
                                   "\x05"
                                   "Count\x02\x07");
  TBufferStream stream(bytes);
  TReader reader(stream);
  std::vector<std::string> messages;
  reader.OnError = [&](const std::string& message) {
    messages.push_back(message);
    return true;
  };
  reader.ReadRootComponent(&form);
  EXPECT_EQ(messages, (std::vector<std::string>{"Error reading Widget1.Nope: Property Nope does not exist"}));
  EXPECT_EQ(static_cast<TTestWidget*>(form.FindComponent("Widget1"))->Count, 7);
}

TEST(LayoutReader, UnknownClassesAndBadNames) {
  std::string s =
      "TPF0\x09TTestForm\x05"
      "Form1";
  s += '\0';
  s += "\x05TNope\x01X";
  s += std::string("\0\0\0", 3);
  TTestForm form(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read(s, &form); }), "Class TNope not found");
  EXPECT_THROW(Read(s, &form), EClassNotFound);
  EXPECT_EQ(form.ComponentCount(), 0);

  std::string dup =
      "TPF0\x09TTestForm\x05"
      "Form1";
  dup += '\0';
  for (int i = 0; i < 2; ++i) {
    dup += "\x0bTTestWidget\x01W";
    dup += std::string("\0\0", 2);
  }
  dup += '\0';
  TTestForm f2(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read(dup, &f2); }), "A component named W already exists");
  EXPECT_EQ(f2.ComponentCount(), 1);  // the failed one is freed again

  TTestForm f3(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read("TPF1" + dup.substr(4), &f3); }), "Invalid stream format");
}

TEST(LayoutReader, EveryTruncationIsAReadErrorNeverACrash) {
  std::string golden = ReadTestData("layout_golden.bin");
  for (std::size_t n = 0; n < golden.size(); ++n) {
    TTestForm form(nullptr);
    EXPECT_THROW(Read(golden.substr(0, n), &form), EReadError) << "length " << n;
  }
}

TEST(LayoutReader, LengthsBeyondTheDataAreRefusedBeforeAllocating) {
  TTestForm form(nullptr);
  EXPECT_THROW(Read(WidgetStream("\x07"
                                 "Caption\x0c\xff\xff\xff\x7f"),
                    &form),
               EReadError);
  TTestForm f2(nullptr);
  EXPECT_THROW(Read(WidgetStream("\x04"
                                 "Data\x0a\x00\x00\x00\x80"),
                    &f2),
               EReadError);  // negative
  TTestForm f3(nullptr);
  EXPECT_THROW(Read(WidgetStream("\x07"
                                 "Caption\x12\xff\xff\xff\x3f"),
                    &f3),
               EReadError);
}

TEST(LayoutReader, DeepNestingIsRefused) {
  std::string s =
      "TPF0\x09TTestForm\x05"
      "Form1";
  s += '\0';
  for (int i = 0; i < 100000; ++i) s += std::string("\x0aTTestPanel\x00\x00", 13);
  TTestForm form(nullptr);
  EXPECT_EQ(ErrorOf([&] { Read(s, &form); }), "Layout nested too deeply");
  EXPECT_EQ(form.ComponentCount(), 0);

  // Skipping a value nests too.
  std::string bomb = WidgetStream("\x04Nope" + std::string(100000, '\x01'));
  TBufferStream stream(bomb);
  TReader reader(stream);
  reader.OnError = [](const std::string&) { return true; };
  TTestForm f2(nullptr);
  EXPECT_THROW(reader.ReadRootComponent(&f2), EReadError);
}

TEST(LayoutValues, IntegersTakeTheSmallestType) {
  auto integer = [](std::int64_t v) { return Hex(Encoded([v](TWriter& w) { w.WriteInteger(v); })); };
  EXPECT_EQ(integer(0), "0200");
  EXPECT_EQ(integer(-128), "0280");
  EXPECT_EQ(integer(127), "027F");
  EXPECT_EQ(integer(128), "038000");
  EXPECT_EQ(integer(-32768), "030080");
  EXPECT_EQ(integer(32768), "0400800000");
  EXPECT_EQ(integer(-2147483648LL), "0400000080");
  EXPECT_EQ(integer(2147483648LL), "130000008000000000");
}

TEST(LayoutValues, TextIsAnsiWhenAsciiAndUtf16Otherwise) {
  EXPECT_EQ(Hex(Encoded([](TWriter& w) { w.WriteString("ab"); })), "06026162");
  EXPECT_EQ(Hex(Encoded([](TWriter& w) { w.WriteString(std::string(256, 'x')); })).substr(0, 10), "0C00010000");
  EXPECT_EQ(Hex(Encoded([](TWriter& w) { w.WriteString("aş"); })),
            "12020000006100"
            "5F01");
  EXPECT_EQ(Hex(Encoded([](TWriter& w) { w.WriteIdent("true"); })), "09");
  EXPECT_EQ(Hex(Encoded([](TWriter& w) { w.WriteIdent("nil"); })), "0D");
  EXPECT_EQ(Hex(Encoded([](TWriter& w) { w.WriteIdent("alTop"); })), "0705616C546F70");
}

TEST(LayoutValues, StringsOfEveryFormReadAsUtf8) {
  auto read = [](const std::string& bytes) {
    TBufferStream s(bytes);
    TReader r(s);
    return r.ReadString();
  };
  SetSystemAnsiCodePage(1254);
  EXPECT_EQ(read(std::string("\x06\x02\xFE\xF0", 4)), "şğ");  // 8-bit text in the ANSI code page
  SetSystemAnsiCodePage(1252);
  EXPECT_EQ(read(std::string("\x06\x01\xE9", 3)), "é");
  EXPECT_EQ(read(std::string("\x0C\x01\x00\x00\x00"
                             "a",
                             6)),
            "a");
  EXPECT_EQ(read(std::string("\x14\x02\x00\x00\x00\xC3\xA9", 7)), "é");                   // vaUTF8String
  EXPECT_EQ(read(std::string("\x15\x01\x00\x00\x00\x5F\x01", 7)), "ş");                   // vaUString
  EXPECT_EQ(read(std::string("\x12\x02\x00\x00\x00\x3D\xD8\x00\xDE", 9)), "\U0001F600");  // a pair
  EXPECT_THROW(read(std::string("\x02\x01", 2)), EReadError);
}

TEST(LayoutValues, ExtendedFloatsConvertExactlyForDoubles) {
  auto ext = [](double v) {
    std::uint8_t b[10];
    DoubleToExtended(v, b);
    return Hex(std::string_view(reinterpret_cast<char*>(b), 10));
  };
  EXPECT_EQ(ext(0.1), "00D0CCCCCCCCCCCCFB3F");  // as Free Pascal writes it
  EXPECT_EQ(ext(1.5), "00000000000000C0FF3F");
  EXPECT_EQ(ext(-2.5), "00000000000000A000C0");
  EXPECT_EQ(ext(0.0), "00000000000000000000");
  for (double v : {0.1, -2.5, 1e300, -1e-300, 4.9406564584124654e-324, 123456789.125, -0.0}) {
    std::uint8_t b[10];
    DoubleToExtended(v, b);
    EXPECT_EQ(ExtendedToDouble(b), v);
    EXPECT_EQ(std::signbit(ExtendedToDouble(b)), std::signbit(v));
  }
  std::uint8_t inf[10];
  DoubleToExtended(INFINITY, inf);
  EXPECT_EQ(ExtendedToDouble(inf), INFINITY);
  std::uint8_t huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F};  // far beyond double
  EXPECT_EQ(ExtendedToDouble(huge), INFINITY);
}

TEST(LayoutValues, FloatPropertiesAcceptEveryFloatForm) {
  auto ratio = [](const std::string& value) {
    TTestForm form(nullptr);
    Read(WidgetStream("\x05Ratio" + value), &form);
    return static_cast<TTestWidget*>(form.FindComponent("Widget1"))->Ratio;
  };
  EXPECT_EQ(ratio(std::string("\x02\x03", 2)), 3.0);
  EXPECT_EQ(ratio(std::string("\x0F\x00\x00\xC0\x3F", 5)), 1.5);                   // vaSingle
  EXPECT_EQ(ratio(std::string("\x10\xD4\x30\x00\x00\x00\x00\x00\x00", 9)), 1.25);  // vaCurrency
  EXPECT_EQ(ratio(std::string("\x11\x00\x00\x00\x00\x00\x00\x00\x40", 9)), 2.0);   // vaDate
}
