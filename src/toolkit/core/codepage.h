#pragma once
// 8-bit code pages. The program's text files are 8-bit text in the system's ANSI code page;
// inside the program everything is UTF-8. Supported: Windows-1252 (Western), Windows-1254
// (Turkish) and 65001 (UTF-8, passed through). A character the target code page cannot
// hold is refused with EConvertError naming it; it is never replaced by "?".
#include <string>
#include <string_view>

inline constexpr int cpWindows1252 = 1252;
inline constexpr int cpWindows1254 = 1254;
inline constexpr int cpUtf8 = 65001;

bool IsSupportedCodePage(int codePage);

// The code page of the system's 8-bit text: 1252 until the Windows start-up code sets the
// one Windows reports. An unsupported value is kept; conversions with it then fail.
int SystemAnsiCodePage();
void SetSystemAnsiCodePage(int codePage);

// Decodes 8-bit text. Raises EConvertError for an unsupported code page, and for 65001
// when the bytes are not well-formed UTF-8.
std::string AnsiToUtf8(std::string_view bytes, int codePage);
std::string AnsiToUtf8(std::string_view bytes);  // system code page

// Encodes UTF-8 text. Raises EConvertError for an unsupported code page, malformed UTF-8,
// or the first character the code page has no byte for.
std::string Utf8ToAnsi(std::string_view text, int codePage);
std::string Utf8ToAnsi(std::string_view text);  // system code page

// True when Utf8ToAnsi would succeed (false for an unsupported code page).
bool CanEncode(std::string_view text, int codePage);
