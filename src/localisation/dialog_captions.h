#pragma once
// The standard dialog captions the DlgsCaptions section translates. A row's key is its
// caption with every "&" removed ("N&o To All" -> "No To All").
#include <string>
#include <string_view>

inline constexpr int DialogCaptionCount = 82;
// Rows 1..15: the message dialog titles and button captions.
inline constexpr int MessageDialogCaptionCount = 15;

// Caption of row i (0-based), with its accelerators; "" outside the table.
std::string_view DialogCaption(int i);
// Key of row i: the caption without "&".
std::string DialogCaptionKey(int i);
// True when key is the key of one of the fifteen message dialog rows (exact comparison).
bool IsMessageDialogKey(std::string_view key);

// The toolkit's own text for message dialog row i (0..14): the dialog titles and button
// captions its message boxes show ("N&o to All", "Y&es to All", ...).
std::string_view ToolkitMessageDialogCaption(int i);

// Removes every "&".
std::string StripAccelerators(std::string_view caption);
