#include <gtest/gtest.h>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/temp_dir.h"

namespace {

class FileStreamTest : public ::testing::Test {
protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  static std::string Slurp(const std::string& name) { return TempDir::Read(name); }

  TempDir dir_;
};

}  // namespace

TEST(MemoryStream, WriteSeekReadAndGrowth) {
  TMemoryStream m;
  m.WriteBuffer("hello");
  EXPECT_EQ(m.Size(), 5);
  EXPECT_EQ(m.Position(), 5);
  EXPECT_EQ(m.Seek(-2, soFromEnd), 3);
  char two[2];
  m.ReadBuffer(two, 2);
  EXPECT_EQ(std::string(two, 2), "lo");
  EXPECT_EQ(m.Read(two, 2), 0);
  EXPECT_THROW(m.ReadBuffer(two, 1), EReadError);

  // Writing past the end fills the gap with zeros.
  m.Seek(2, soFromCurrent);
  m.WriteBuffer("!");
  EXPECT_EQ(m.Bytes(), std::string("hello\0\0!", 8));
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);
  EXPECT_EQ(m.Bytes(), "he");
  EXPECT_THROW(m.Seek(-3, soFromCurrent), EStreamError);
  EXPECT_EQ(m.Position(), 2);
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
}

TEST(MemoryStream, CopyFromAndReadToEnd) {
  TStringStream source("abcdef");
  TMemoryStream dest;
  source.SetPosition(4);
  EXPECT_EQ(dest.CopyFrom(source, 0), 6);  // 0 = all of it, from the start
  EXPECT_EQ(dest.Bytes(), "abcdef");
  source.SetPosition(1);
  dest.CopyFrom(source, 2);
  EXPECT_EQ(dest.Bytes(), "abcdefbc");
  EXPECT_THROW(dest.CopyFrom(source, 10), EReadError);
  dest.SetPosition(3);
  EXPECT_EQ(dest.ReadToEnd(), "defbc");
  TMemoryStream whole;
  whole.LoadFromStream(source);
  EXPECT_EQ(whole.Bytes(), "abcdef");
  EXPECT_EQ(whole.Position(), 0);
}

TEST(MemoryStream, RunTimeClass) {
  TStringStream s;
  EXPECT_EQ(s.ClassName(), "TStringStream");
  EXPECT_TRUE(s.InheritsFrom("TStream"));
}

TEST(BufferStream, ReadsForeignBytesAndRefusesWrites) {
  const std::string data = "xyz";
  TBufferStream view(data);
  EXPECT_EQ(view.Memory(), data.data());
  EXPECT_EQ(view.Size(), 3);
  EXPECT_EQ(view.ReadToEnd(), "xyz");
  EXPECT_THROW(view.WriteBuffer("a"), EWriteError);
  EXPECT_THROW(view.SetSize(1), EStreamError);
  view.Seek(10, soFromBeginning);  // beyond the end is allowed; reads give nothing
  char c;
  EXPECT_EQ(view.Read(&c, 1), 0);
}

TEST_F(FileStreamTest, CreateWriteReopenRead) {
  const std::string name = Path("data.bin");
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("0123456789");
    EXPECT_EQ(f.Size(), 10);
    f.SetPosition(4);
    char four[2];
    f.ReadBuffer(four, 2);
    EXPECT_EQ(std::string(four, 2), "45");
  }
  EXPECT_EQ(Slurp(name), "0123456789");
  {
    TFileStream f(name, fmOpenReadWrite | fmShareExclusive);
    f.Seek(-1, soFromEnd);
    f.WriteBuffer("X");
    f.SetSize(5);
    EXPECT_EQ(f.Size(), 5);
    EXPECT_EQ(f.Position(), 5);
  }
  EXPECT_EQ(Slurp(name), "01234");
  TFileStream r(name, fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(r.ReadToEnd(), "01234");
  EXPECT_THROW(r.WriteBuffer("a"), EWriteError);
  EXPECT_EQ(r.FileName(), name);
}

TEST_F(FileStreamTest, CreateEmptiesAnExistingFileAndOpenWriteDoesNot) {
  const std::string name = Path("a.txt");
  { TFileStream(name, fmCreate).WriteBuffer("long old text"); }
  { TFileStream(name, fmOpenWrite).WriteBuffer("NEW"); }
  EXPECT_EQ(Slurp(name), "NEWg old text");
  { TFileStream(name, fmCreate).WriteBuffer("x"); }
  EXPECT_EQ(Slurp(name), "x");
}

TEST_F(FileStreamTest, Utf8FileNames) {
  const std::string name = Path(
      "\xC5\x9F"
      "ark\xC4\xB1.txt");
  TMemoryStream m;
  m.WriteBuffer("\xC3\xBC");
  m.SaveToFile(name);
  EXPECT_TRUE(TempDir::Exists(name));
  TMemoryStream back;
  back.LoadFromFile(name);
  EXPECT_EQ(back.Bytes(), "\xC3\xBC");
  EXPECT_EQ(back.Position(), 0);
}

TEST_F(FileStreamTest, OpenFailuresNameTheFileAndTheReason) {
  const std::string missing = Path("missing.txt");
  try {
    TFileStream f(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << e.Message();
    EXPECT_GT(e.Message().size(), ("Cannot open file \"" + missing + "\". ").size());
  }
  try {
    TFileStream f(Path("no_dir/new.txt"), fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot create file \"", 0), 0u) << e.Message();
  }
  // A directory is not a file.
  EXPECT_THROW(TFileStream(Path(""), fmOpenRead), EFOpenError);
  { TFileStream(Path("x"), fmCreate); }
  EXPECT_THROW(TFileStream(Path("x"), 0x3), EFOpenError);  // no such access mode
  EXPECT_THROW(TMemoryStream().LoadFromFile(missing), EFOpenError);
}
