// The registry class on HKEY_CURRENT_USER\Software\QuillimoTest, and the shell seam.
#include <gtest/gtest.h>

#include "toolkit/win/registry.h"
#include "toolkit/win/shell.h"

namespace {
constexpr const char* kTestKey = "Software\\QuillimoTest";

class Registry : public ::testing::Test {
protected:
  void TearDown() override {
    TRegistry cleanup;
    cleanup.DeleteKey(kTestKey);
  }
};
}  // namespace

TEST_F(Registry, WritesReadsAndDeletesStringValues) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey(kTestKey, false));  // missing and not to be created
  ASSERT_TRUE(reg.OpenKey(std::string(kTestKey) + "\\Run", true));
  EXPECT_TRUE(reg.KeyExists(std::string(kTestKey) + "\\Run"));
  reg.WriteString("Quillimo", "C:\\Program Files\\Quillimo\\vesperin.exe");
  reg.WriteString("Empty", "");
  reg.WriteString("Türkçe", "Göster ş ğ ı İ");
  EXPECT_TRUE(reg.ValueExists("Quillimo"));
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_EQ(reg.ReadString("Missing"), "");
  reg.CloseKey();

  TRegistry again;
  ASSERT_TRUE(again.OpenKey(std::string(kTestKey) + "\\Run", false));
  EXPECT_EQ(again.ReadString("Quillimo"), "C:\\Program Files\\Quillimo\\vesperin.exe");
  EXPECT_EQ(again.ReadString("Empty"), "");
  EXPECT_EQ(again.ReadString("Türkçe"), "Göster ş ğ ı İ");
  again.WriteString("Quillimo", "");  // overwriting keeps the value, with empty data
  EXPECT_TRUE(again.ValueExists("Quillimo"));
  EXPECT_EQ(again.ReadString("Quillimo"), "");
  EXPECT_TRUE(again.DeleteValue("Empty"));
  EXPECT_FALSE(again.ValueExists("Empty"));
  EXPECT_FALSE(again.DeleteValue("Empty"));

  const DWORD number = 7;
  RegSetValueExW(again.CurrentKey(), L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  try {
    again.ReadString("Number");
    FAIL() << "a DWORD read as a string";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Number'");
  }
}

TEST_F(Registry, RefusalsRaiseTheirTexts) {
  TRegistry reg;
  reg.SetRootKey(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)));  // no such key handle
  try {
    reg.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Run", true);
    FAIL() << "key created under a bad root";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to create key Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  }
  try {
    reg.WriteString("Quillimo", "x");
    FAIL() << "value written under a bad root";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'Quillimo'");
  }
  EXPECT_FALSE(reg.OpenKey("Software", false));
}

TEST(Shell, OpenGoesThroughTheInstalledHandler) {
  std::vector<std::string> opened;
  TShellOpenHandler previous = SetShellOpenHandler([&](const std::string& a) { opened.push_back(a); });
  ShellOpen("http://www.brelko.com/software/58-software/406-quillimo.html");
  SetShellOpenHandler(previous);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "http://www.brelko.com/software/58-software/406-quillimo.html");
}
