#pragma once
// The program directory: the directory of the running executable, without a trailing
// separator. The catalogue, the settings and the skin files are named from it with a
// leading "\".
#include <string>

std::string ProgramDirectory();
// Points ProgramDirectory somewhere else (an empty text goes back to the executable's
// directory); tests run the windows against a directory of their own.
void SetProgramDirectory(const std::string& directory);
