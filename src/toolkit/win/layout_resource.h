#pragma once
// Stored layouts embedded in the program: RCDATA resources named after the form class in
// upper case, holding the binary layout stream.
class TComponent;

// Reads the layout of root's class into root; false when the program has none.
bool ReadLayoutResource(TComponent* root);
