#pragma once
// The program's windows are skinned by the windowed skin engine (its timer, its window side,
// the glyph resource, the reader's message box) with the control dispatch that skins their
// controls. Both have to be in place before the first stored layout is read: the program's
// entry point calls this first, as does every test and tool that makes the program's windows.
// Calling it again does nothing more.
void UseProgramSkinEngine();
