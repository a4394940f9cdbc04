// The settings file's lines and the desktop entry that starts the program with a Unix
// desktop session.
#include <gtest/gtest.h>

#include "app/formats/desktop_entry.h"
#include "app/formats/settings_format.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/strings.h"

TEST(SettingsFile, LinesNumbersAndLanguageCodes) {
  TStringList lines;
  lines.SetText("1\r\n2\r\n20\r\n1\r\nx\r\n");
  EXPECT_EQ(SettingsLangCode(lines), "1");
  EXPECT_EQ(SettingsLine(lines, 2), "20");
  EXPECT_EQ(SettingsSelection(lines, 3), 1);
  EXPECT_EQ(SettingsLine(lines, 5), "");  // a missing line reads as empty text
  try {
    SettingsSelection(lines, 4);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x' is not a valid integer value");
  }
  EXPECT_THROW(SettingsSelection(lines, 5), EConvertError);
  for (const char* code : {"", "2", " 0", "..\\x"}) {
    lines.SetText(code);
    EXPECT_THROW(SettingsLangCode(lines), EConvertError) << code;
  }
  EXPECT_EQ(LangCodeOf(0), "0");
  EXPECT_EQ(LangCodeOf(1), "1");
}

TEST(DesktopEntry, ArgumentsAreQuotedAndEscapedForTheExecKey) {
  EXPECT_EQ(DesktopExecArgument("wine"), "wine");
  EXPECT_EQ(DesktopExecArgument("/home/a b/vesperin.exe"), "\"/home/a b/vesperin.exe\"");
  // Inside quotes " ` $ \ take a backslash; then the key's string form doubles each backslash.
  EXPECT_EQ(DesktopExecArgument("a\"b"), "\"a\\\\\"b\"");
  EXPECT_EQ(DesktopExecArgument("C:\\x"), "\"C:\\\\\\\\x\"");
  EXPECT_EQ(DesktopExecArgument("$HOME"), "\"\\\\$HOME\"");
  EXPECT_EQ(DesktopExecArgument("100%"), "100%%");
  EXPECT_EQ(DesktopExecArgument(""), "\"\"");
}

TEST(DesktopEntry, AutostartEntryRunsTheCommand) {
  EXPECT_EQ(DesktopAutostartEntry("Quillimo", {"env", "WINEPREFIX=/p", "wine", "/a b/vesperin.exe"}),
            "[Desktop Entry]\nType=Application\nName=Quillimo\n"
            "Exec=env WINEPREFIX=/p wine \"/a b/vesperin.exe\"\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
  EXPECT_EQ(DesktopEntryFileName("Quillimo"), "Quillimo.desktop");
}
