// A program whose main returns while its windows are alive (the program's start-up failing
// after its main window was made) ends with the code main returned, not in a fault of the
// static teardown.
#include <gtest/gtest.h>

#include "program_process.h"

TEST(WindowsAtExit, AProgramEndingWithItsWindowsAliveEndsWithItsOwnCode) {
  quillimo::test::ProgramProcess program(L"" QUILLIMO_WINDOWS_AT_EXIT_EXE);
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(program.WaitForExit(30000), 7u);  // a fault waits in the debugger: STILL_ACTIVE
}
