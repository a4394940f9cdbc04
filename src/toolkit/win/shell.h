#pragma once
// Handing an address or a document to the system's shell.
#include <functional>
#include <string>

// Opens address with the shell's default action in a normal window (the user's browser for a
// web page): no owner window, verb, parameters or directory. The outcome is not looked at.
void ShellOpen(const std::string& address);

// Test seam: while set, ShellOpen hands the address to handler instead of the shell.
// Returns the previous handler. The shipped program never sets one.
using TShellOpenHandler = std::function<void(const std::string&)>;
TShellOpenHandler SetShellOpenHandler(TShellOpenHandler handler);
