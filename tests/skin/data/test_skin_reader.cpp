#include <gtest/gtest.h>

#include <string>

#include "lzh/lzh_encoder.h"
#include "skin/data/lzh_decoder.h"
#include "skin/data/skin_reader.h"
#include "skinpack/skin_container_writer.h"
#include "toolkit/core/streams.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

void PutUInt32(Bytes& out, uint32_t v) {
  for (int s = 0; s < 32; s += 8) out.push_back(static_cast<uint8_t>(v >> s));
}

// A container written field by field, so that tests can make it inconsistent.
Bytes RawContainer(uint32_t version, const std::string& names, const std::vector<uint32_t>& sizes,
                   const Bytes& contents, int64_t nameLength = -1) {
  Bytes out;
  PutUInt32(out, version);
  PutUInt32(out, nameLength >= 0 ? static_cast<uint32_t>(nameLength) : static_cast<uint32_t>(names.size()));
  PutUInt32(out, 0xDEADBEEF);  // reserved values, never read
  PutUInt32(out, 0x12345678);
  out.insert(out.end(), names.begin(), names.end());
  for (uint32_t s : sizes) PutUInt32(out, s);
  out.insert(out.end(), contents.begin(), contents.end());
  return out;
}

std::string EntryText(const TSkinReader& reader, const std::string& name) {
  Bytes out;
  reader.GetEntry(name, out);
  return std::string(out.begin(), out.end());
}

class SkinReaderTest : public ::testing::Test {
protected:
  SkinReaderTest() {
    reader.OnMessage = [this](const std::string& text) { messages.push_back(text); };
  }
  TSkinReader reader;
  std::vector<std::string> messages;
};

TEST_F(SkinReaderTest, LoadsACompressedSkinAndHandsOutEntriesByName) {
  const TSkinEntry entries[] = {{"Top.BMP", AsBytes("BMtop")},
                                {"min.bmp", AsBytes("BMfirst")},
                                {"skin.ini", AsBytes("[Title]\r\n")},
                                {"MIN.bmp", AsBytes("BMsecond")},
                                {"empty.bmp", {}}};
  ASSERT_TRUE(reader.Load(BuildSkinImage(entries)));
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"top.bmp", "min.bmp", "skin.ini", "min.bmp", "empty.bmp"}));
  EXPECT_EQ(reader.Header().version, 20000u);
  EXPECT_EQ(EntryText(reader, "TOP.BMP"), "BMtop");
  EXPECT_EQ(EntryText(reader, "min.bmp"), "BMfirst");  // the first of two copies
  EXPECT_EQ(EntryText(reader, "skin.ini"), "[Title]\r\n");
  EXPECT_EQ(reader.IndexOf("Empty.Bmp"), 4);
  EXPECT_EQ(EntryText(reader, "empty.bmp"), "");
  EXPECT_TRUE(messages.empty());
}

TEST_F(SkinReaderTest, MissingNameGivesAnEmptyEntry) {
  ASSERT_TRUE(reader.LoadContainer(BuildSkinContainer(std::vector<TSkinEntry>{{"a.bmp", AsBytes("BM")}})));
  Bytes out = AsBytes("old contents");
  reader.GetEntry("b.bmp", out);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(reader.IndexOf("a.bm"), -1);
}

TEST_F(SkinReaderTest, FindEntrySearchesNamesForAText) {
  const TSkinEntry entries[] = {{"top.bmp", AsBytes("BM1")}, {"Skin.INI", AsBytes("ini")}, {"x.ini", AsBytes("2")}};
  ASSERT_TRUE(reader.LoadContainer(BuildSkinContainer(entries)));
  Bytes out;
  EXPECT_EQ(reader.FindEntry(".ini", out), "skin.ini");
  EXPECT_EQ(std::string(out.begin(), out.end()), "ini");
  // The names are lower-cased, the text is not.
  EXPECT_EQ(reader.FindEntry(".INI", out), "");
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(reader.FindEntry("op.b", out), "top.bmp");
  EXPECT_EQ(reader.FindEntry("", out), "");
  EXPECT_TRUE(out.empty());
}

TEST_F(SkinReaderTest, NameListLineBreaks) {
  // With or without a final line break, and with any of CR, LF, CR LF.
  for (const std::string names : {"a.bmp\r\nb.ini", "a.bmp\r\nb.ini\r\n", "a.bmp\nb.ini\n", "a.bmp\rb.ini"}) {
    ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, names, {2, 3}, AsBytes("BMini")))) << names;
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a.bmp", "b.ini"}));
    EXPECT_EQ(EntryText(reader, "b.ini"), "ini");
  }
  // An empty line in the middle is an entry of its own.
  ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, "a\r\n\r\nb", {1, 0, 1}, AsBytes("xy"))));
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(EntryText(reader, "b"), "y");
}

TEST_F(SkinReaderTest, EmptyNameListGivesNoEntries) {
  ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, "", {}, AsBytes("ignored"))));
  EXPECT_EQ(reader.EntryCount(), 0u);
  EXPECT_EQ(EntryText(reader, "top.bmp"), "");
  Bytes out;
  EXPECT_EQ(reader.FindEntry(".ini", out), "");
}

TEST_F(SkinReaderTest, OtherFormatVersionsAreRefusedWithTheMessage) {
  ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, "a.bmp", {2}, AsBytes("BM"))));
  for (uint32_t version : {19999u, 20001u, 0u}) {
    EXPECT_FALSE(reader.Load(lzh::Compress(RawContainer(version, "a.bmp", {2}, AsBytes("BM")))));
    EXPECT_EQ(reader.EntryCount(), 0u);
  }
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], "This is Older Skin File\rPlease update to new version !");
  // Without a handler the refusal is silent.
  TSkinReader quiet;
  EXPECT_FALSE(quiet.LoadContainer(RawContainer(1, "", {}, {})));
}

void ExpectDamaged(TSkinReader& reader, const Bytes& container, const char* text = SkinReaderText::Damaged) {
  try {
    reader.LoadContainer(container);
    ADD_FAILURE() << "no exception";
  } catch (const ESkinFileError& e) {
    EXPECT_STREQ(e.what(), text);
  }
  EXPECT_EQ(reader.EntryCount(), 0u);
}

TEST_F(SkinReaderTest, InconsistentContainersAreRefused) {
  ExpectDamaged(reader, {});
  ExpectDamaged(reader, Bytes{0x20, 0x4E, 0, 0, 0, 0, 0});         // short header
  ExpectDamaged(reader, RawContainer(20000, "a.bmp", {}, {}, 6));  // name list past the end
  ExpectDamaged(reader, RawContainer(20000, "a.bmp", {}, {}, 0xFFFFFFFF));
  ExpectDamaged(reader, RawContainer(20000, "a.bmp\r\nb.bmp", {4}, {}));                      // size table cut short
  ExpectDamaged(reader, RawContainer(20000, "a.bmp\r\nb.bmp", {4, 5}, AsBytes("12345678")));  // entry past end
  ExpectDamaged(reader, RawContainer(20000, "a\r\nb", {0xFFFFFFFF, 2}, AsBytes("xy")));       // no wrap-around
  EXPECT_TRUE(messages.empty());
}

TEST_F(SkinReaderTest, AtMost1001Entries) {
  std::string names;
  for (int i = 0; i < 1001; ++i) names += "e" + std::to_string(i) + "\r\n";
  const std::vector<uint32_t> sizes(1001, 1);
  ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, names, sizes, Bytes(1001, 'x'))));
  EXPECT_EQ(reader.EntryCount(), 1001u);
  EXPECT_EQ(EntryText(reader, "e1000"), "x");

  const std::vector<uint32_t> more(1002, 1);
  ExpectDamaged(reader, RawContainer(20000, names + "e1001", more, Bytes(1002, 'x')), SkinReaderText::TooManyEntries);
  // Millions of empty lines are refused without being collected.
  ExpectDamaged(reader, RawContainer(20000, std::string(5000000, '\n'), {}, {}), SkinReaderText::TooManyEntries);
}

TEST_F(SkinReaderTest, BytesAfterTheLastEntryAreKeptOutOfEveryEntry) {
  ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, "a\r\nb", {1, 2}, AsBytes("xyzTRAILING"))));
  EXPECT_EQ(EntryText(reader, "a"), "x");
  EXPECT_EQ(EntryText(reader, "b"), "yz");
}

TEST_F(SkinReaderTest, DamagedCompressedImagesThrow) {
  EXPECT_THROW(reader.Load(Bytes{1, 2}), EReadError);
  EXPECT_THROW(reader.Load(Bytes{0xFF, 0xFF, 0xFF, 0x7F, 0}), ElzhException);
  // A stream cut short is refused by the decoder, however little is missing, before the
  // container is looked at.
  const TSkinEntry entries[] = {{"a.bmp", Bytes(30000, 'a')}, {"s.ini", AsBytes("[x]")}};
  const Bytes image = BuildSkinImage(entries);
  ASSERT_TRUE(reader.Load(image));
  for (size_t keep : {size_t{6}, size_t{40}, image.size() - 1}) {
    try {
      reader.Load(Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(keep)));
      ADD_FAILURE() << keep;
    } catch (const ElzhException& e) {
      EXPECT_STREQ(e.what(), "LZH : Unexpected end of compressed data");
    }
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(SkinReaderTest, WorksWithStreams) {
  const TSkinEntry entries[] = {{"top.bmp", AsBytes("BMtop")}, {"skin.ini", AsBytes("[x]")}};
  const Bytes image = BuildSkinImage(entries);
  TMemoryStream input;
  input.WriteBuffer(image.data(), static_cast<int64_t>(image.size()));  // left at its end
  ASSERT_TRUE(reader.Load(input));

  TMemoryStream out;
  out.WriteBuffer("old");
  reader.GetEntry("TOP.bmp", out);
  EXPECT_EQ(out.Position(), 0);
  EXPECT_EQ(out.Bytes(), "BMtop");
  EXPECT_EQ(reader.FindEntry(".ini", out), "skin.ini");
  EXPECT_EQ(out.Bytes(), "[x]");
  reader.GetEntry("none.bmp", out);
  EXPECT_EQ(out.Size(), 0);
}

TEST(SkinContainerWriter, RefusesWhatTheReaderCouldNotRead) {
  EXPECT_THROW(BuildSkinContainer(std::vector<TSkinEntry>{{"", {}}}), std::invalid_argument);
  EXPECT_THROW(BuildSkinContainer(std::vector<TSkinEntry>{{"a\r\nb", {}}}), std::invalid_argument);
  EXPECT_THROW(BuildSkinContainer(std::vector<TSkinEntry>(1002, TSkinEntry{"a", {}})), std::invalid_argument);
  const Bytes expected = {0x20, 0x4E, 0,   0,   7,   0,   0,    0,    0, 0, 0, 0, 0,   0,  0,
                          0,    'a',  '.', 'b', 'm', 'p', '\r', '\n', 2, 0, 0, 0, 'B', 'M'};
  EXPECT_EQ(BuildSkinContainer(std::vector<TSkinEntry>{{"a.bmp", AsBytes("BM")}}), expected);
}

}  // namespace
