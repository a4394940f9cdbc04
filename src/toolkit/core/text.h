#pragma once
// String routines of the toolkit with the classic names. Text is UTF-8. The plain
// routines (SameText, UpperCase, ...) touch ASCII letters only; the Ansi ones apply the
// Unicode simple case mapping of the Latin, Greek and Cyrillic letters (Turkish letters
// included: "ı" upper-cases to "I", "İ" lower-cases to "i", no locale rules).
#include <cstdint>
#include <string>
#include <string_view>

// ASCII case-insensitive comparison: <0, 0, >0 like strcmp, comparing upper-cased bytes
// (the classic order: "_" sorts after the letters).
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Byte (code point) order, case-sensitive.
int CompareStr(std::string_view a, std::string_view b);

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);

// Simple case mapping of one code point.
char32_t CharUpper(char32_t cp);
char32_t CharLower(char32_t cp);

std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
// Case-insensitive comparison of lower-cased code points (ordered by code point value).
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

// Remove characters <= ' ' (spaces and control characters) at the ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
// Replaces the first (or, with rfReplaceAll, every) occurrence of oldPattern; rfIgnoreCase
// matches with the simple case mapping. An empty pattern replaces nothing.
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags);

// 1-based position of sub in s, 0 when absent (an empty sub is never found).
int Pos(std::string_view sub, std::string_view s, int offset = 1);

std::string IntToStr(std::int64_t value);
std::string IntToHex(std::uint64_t value, int digits);

// Integers as the classic RTL reads them: leading blanks, an optional sign, then decimal
// digits or "$"/"0x" and hex digits. Anything else (trailing blanks, blanks between sign and
// digits, no digits, a value out of range) raises EConvertError
// "'<text>' is not a valid integer value". Hex values up to $FFFFFFFF wrap into Integer, as
// the classic RTL does.
int StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int defaultValue);
std::int64_t StrToInt64Def(std::string_view s, std::int64_t defaultValue);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, std::int64_t& value);

// File names. Both "\" and "/" separate directories on every platform; a drive "X:" ends a
// path too. PathDelim is the separator this platform writes.
#ifdef _WIN32
inline constexpr char PathDelim = '\\';
#else
inline constexpr char PathDelim = '/';
#endif
bool IsPathDelimiter(char c);
std::string ExtractFilePath(std::string_view fileName);  // with its trailing separator
std::string ExtractFileDir(std::string_view fileName);   // without it
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);  // ".txt", or empty
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// The absolute form of fileName against the current directory, "." and ".." resolved and
// separators written as PathDelim; a trailing separator is kept. Empty stays empty.
std::string ExpandFileName(std::string_view fileName);
std::string GetCurrentDir();
