#pragma once
// Stored layouts embedded in the program: RCDATA resources named after the form class in
// upper case, holding the binary layout stream.
class TComponent;
class TStream;

// Reads the layout of root's class into root; false when the program has none.
bool ReadLayoutResource(TComponent* root);
// Reads a binary layout stream into root (build tools read a layout from a file this way).
void ReadLayoutStream(TComponent* root, TStream& stream);
