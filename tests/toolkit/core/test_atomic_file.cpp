// Replacing a file's content as a whole: the new content arrives complete and alone, and every
// failure, early or late, leaves the old file byte for byte and names the target.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

#include "temp_dir.h"
#include "toolkit/core/atomic_file.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(TempDir::FromUtf8(dir_.Path(""))))
      names.insert(TempDir::ToUtf8(entry.path().filename()));
    return names;
  }
  // The message of the EFCreateError that f raises ("" if it raises none).
  template <class F>
  static std::string CreateError(F f) {
    try {
      f();
    } catch (const EFCreateError& e) {
      return e.Message();
    }
    return "";
  }
  static std::string Prefix(const std::string& target) {
    return "Cannot create file \"" + ExpandFileName(target) + "\". ";
  }
  static void ExpectNamesTarget(const std::string& message, const std::string& target) {
    EXPECT_EQ(message.rfind(Prefix(target), 0), 0u) << message;
    EXPECT_GT(message.size(), Prefix(target).size()) << "no reason given";
  }

  TempDir dir_;
};

TEST_F(AtomicFileTest, NewContentReplacesTheOldAndNothingIsLeftBeside) {
  const std::string name = Path("programlist0.txt");
  WriteFileAtomically(name, "first\r\n");
  EXPECT_EQ(TempDir::Read(name), "first\r\n");
  WriteFileAtomically(name, std::string(100000, 'x'));
  EXPECT_EQ(TempDir::Read(name), std::string(100000, 'x'));
  WriteFileAtomically(name, "short");
  EXPECT_EQ(TempDir::Read(name), "short");
  WriteFileAtomically(name, "");
  EXPECT_TRUE(TempDir::Exists(name));
  EXPECT_EQ(TempDir::Read(name), "");

  // The string lists' and memory streams' files go the same way, UTF-8 names included.
  TStringList list;
  list.Add("Mutluluk,1");
  list.SaveToFile(name);
  EXPECT_EQ(TempDir::Read(name), "Mutluluk,1\r\n");
  TStringStream stream("\xC3\xBC");
  stream.SaveToFile(
      Path("\xC5\x9F"
           "ark\xC4\xB1.txt"));
  EXPECT_EQ(TempDir::Read(Path("\xC5\x9F"
                               "ark\xC4\xB1.txt")),
            "\xC3\xBC");

  EXPECT_EQ(Names(), (std::set<std::string>{"programlist0.txt",
                                            "\xC5\x9F"
                                            "ark\xC4\xB1.txt"}));
}

TEST_F(AtomicFileTest, AFailureNamesTheTargetAndLeavesEverythingAsItWas) {
  // No such directory: nothing is created.
  const std::string nowhere = Path("language0") + PathDelim + "Yeni.txt";
  ExpectNamesTarget(CreateError([&] { WriteFileAtomically(nowhere, "x"); }), nowhere);
  TStringList list;
  list.Add("x");
  ExpectNamesTarget(CreateError([&] { list.SaveToFile(nowhere); }), nowhere);

  // A directory in the target's place stays a directory.
  const std::string folder = Path("folder");
  std::filesystem::create_directory(TempDir::FromUtf8(folder));
  ExpectNamesTarget(CreateError([&] { WriteFileAtomically(folder, "x"); }), folder);
  EXPECT_TRUE(std::filesystem::is_directory(TempDir::FromUtf8(folder)));

  EXPECT_EQ(Names(), std::set<std::string>{"folder"});
}

// A read-only target is refused as it was when the file was written in place: with the same
// text, and with the old content whole.
TEST_F(AtomicFileTest, AReadOnlyTargetIsRefusedAndKept) {
  const std::string name = Path("ayarlar.txt");
  const std::string old = "0\r\n2\r\n20\r\n0\r\n0\r\n0\r\n";
  TempDir::Write(name, old);
#ifdef _WIN32
  ASSERT_EQ(_wchmod(Utf8ToWide(name).c_str(), _S_IREAD), 0);
  const int probe = _wsopen(Utf8ToWide(name).c_str(), _O_WRONLY, _SH_DENYNO, 0);
#else
  ASSERT_EQ(chmod(name.c_str(), 0444), 0);
  const int probe = open(name.c_str(), O_WRONLY);
#endif
  if (probe >= 0) {
#ifdef _WIN32
    _close(probe);
    _wchmod(Utf8ToWide(name).c_str(), _S_IREAD | _S_IWRITE);
#else
    close(probe);
#endif
    GTEST_SKIP() << "this user may write read-only files (root)";
  }
  ExpectNamesTarget(CreateError([&] { WriteFileAtomically(name, "1\r\n"); }), name);
  EXPECT_EQ(TempDir::Read(name), old);
  EXPECT_EQ(Names(), std::set<std::string>{"ayarlar.txt"});
#ifdef _WIN32
  _wchmod(Utf8ToWide(name).c_str(), _S_IREAD | _S_IWRITE);
#else
  chmod(name.c_str(), 0644);
#endif
}

#ifdef _WIN32
// A target that another program holds open is refused with the old content whole: one that
// forbids writing as it was when the file was written in place, one that shares everything
// but deleting only after the new content was written beside it, when it cannot take the
// target's place.
TEST_F(AtomicFileTest, ALockedTargetIsRefusedAndKept) {
  const std::string name = Path("ayarlar.txt");
  const std::string old = "0\r\n2\r\n20\r\n0\r\n0\r\n0\r\n";
  TempDir::Write(name, old);
  {
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    ExpectNamesTarget(CreateError([&] { WriteFileAtomically(name, "1\r\n"); }), name);
    EXPECT_EQ(TempDir::Read(name), old);
  }
  {
    const int fd = _wsopen(Utf8ToWide(name).c_str(), _O_RDWR | _O_BINARY, _SH_DENYNO);
    ASSERT_GE(fd, 0);
    ExpectNamesTarget(CreateError([&] { WriteFileAtomically(name, "1\r\n"); }), name);
    _close(fd);
    EXPECT_EQ(TempDir::Read(name), old);
  }
  EXPECT_EQ(Names(), std::set<std::string>{"ayarlar.txt"});
  WriteFileAtomically(name, "1\r\n");
  EXPECT_EQ(TempDir::Read(name), "1\r\n");
}
#endif

}  // namespace
