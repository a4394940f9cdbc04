#pragma once
// Helpers for the in-process tests of the program's windows: the program's start-up up to its
// message loop (once per test executable), a catalogue in a temporary program directory, and
// clicks that take the way a user's click takes.
#include <windows.h>

#include <string>
#include <vector>

#include "test_program_directory.h"

class TToolButton;

namespace apptest {

// Creates Form1, Form2 and Form3 as the program's start-up does and shows the main window;
// later calls do nothing. False (with the message in failure) when start-up failed.
bool StartProgramWindows(std::string& failure);

// Shows the main window and makes it the active window in front, for tests that type into it.
// The programs that earlier tests started may take the activation away while their windows
// close: it is taken back until it stays. False when it did not stay within a few seconds.
bool BringMainWindowToFront();

struct Message {
  std::string Text;
  bool Ticked = true;
};
struct Program {
  std::string Name;
  bool Ticked = true;
  std::vector<Message> Messages;
};

// A Turkish catalogue in a program directory of its own; the windows read their files from it
// while it lives.
class TempCatalogue {
public:
  TempCatalogue();

  const std::string& Directory() const { return directory_.Path(); }
  // Writes programlist0.txt and one message file per program in language0 ("text,1" lines,
  // CR LF), then has the main window read the program list and select the first program.
  void Write(const std::vector<Program>& programs);
  // Writes a file of the directory as it stands (a relative name).
  void WriteFile(const std::string& name, const std::string& content) const { directory_.Write(name, content); }

private:
  TestProgramDirectory directory_;
};

// Puts the skin of a skin file's bytes (no file name) on the main window's skin component and
// re-frames the open windows in it at once, as a Skin menu command does on the manager's timer.
void ShowSkinImage(const std::string& image);

// Sends the window of a tool-bar button the button's command, as the tool bar does when the
// button is clicked: a failure in the handler reaches the error box.
void ClickToolButton(TToolButton* button);

}  // namespace apptest
