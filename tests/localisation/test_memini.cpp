#include <gtest/gtest.h>

#include "localisation/memini.h"

TEST(MemIniFile, ReadsSectionsEntriesAndIgnoresTheRest) {
  TMemIniFile ini("before=x\r\n[Main]\r\n; comment\r\n\r\nKey=a=b\r\nbare\r\n key = v \r\n[Other]\nz=1\n");
  EXPECT_FALSE(ini.ValueExists("Main", "before"));
  EXPECT_EQ(ini.ReadString("main", "KEY", "?"), "a=b");    // split at the first "=", any case
  EXPECT_EQ(ini.ReadString("Main", "bare", "?"), "");      // no "=": empty value
  EXPECT_EQ(ini.ReadString("Main", " key ", "?"), " v ");  // no trimming
  EXPECT_EQ(ini.ReadString("Main", "missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Other", "z", ""), "1");
  EXPECT_FALSE(ini.SectionExists("comment"));
}

TEST(MemIniFile, SectionsUniqueKeysRepeatInFileOrder) {
  TMemIniFile ini("[b]\r\nk=1\r\n[B]\r\nk=2\r\nA=0\r\n");
  EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"b"});
  EXPECT_EQ(ini.ReadSection("b"), (std::vector<std::string>{"A", "k", "k"}));
  EXPECT_EQ(ini.ReadString("b", "k", ""), "1");  // the first of the repeated keys
}

TEST(MemIniFile, WritesSortedWithAnEmptyLineAfterEachSection) {
  TMemIniFile ini;
  ini.WriteString("zeta", "b", "2");
  ini.WriteString("Alpha", "y", "1");
  ini.WriteString("zeta", "A", "1");
  ini.WriteString("ZETA", "B", "3");  // replaces the first "b"
  EXPECT_EQ(ini.Text(), "[Alpha]\r\ny=1\r\n\r\n[zeta]\r\nA=1\r\nb=3\r\n\r\n");
  TMemIniFile again(ini.Text());
  EXPECT_EQ(again.Text(), ini.Text());
}

TEST(MemIniFile, EraseAndDeleteKeys) {
  TMemIniFile ini("[s]\r\nForm1.a=1\r\nTForm1.a=2\r\n[t]\r\nx=1\r\n");
  ini.DeleteKeys("s", [](const std::string& k) { return k.starts_with("Form1."); });
  EXPECT_EQ(ini.ReadSection("s"), std::vector<std::string>{"TForm1.a"});
  ini.EraseSection("T");
  EXPECT_FALSE(ini.SectionExists("t"));
  EXPECT_TRUE(ini.ReadBool("s", "TForm1.a", false));
  EXPECT_FALSE(ini.ReadBool("s", "nothing", false));
}
