#pragma once
// UTF-8 helpers. Text inside the program is UTF-8 std::string; Win32 wants UTF-16, so the
// conversions to WideString (std::u16string) and to std::wstring (16-bit wchar_t under
// MinGW, 32-bit on the native build) live here.
#include <cstddef>
#include <string>
#include <string_view>

using WideString = std::u16string;

// The code point that stands for a malformed sequence when decoding leniently.
inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// Decodes the code point at text[pos] and advances pos past it. A malformed or truncated
// sequence, an overlong form, a surrogate or a value above U+10FFFF yields
// ReplacementCharacter and advances pos by one byte. pos must be < text.size().
char32_t Utf8Decode(std::string_view text, std::size_t& pos);

// Same as Utf8Decode, but reports a malformed sequence by returning false (pos unchanged).
bool Utf8TryDecode(std::string_view text, std::size_t& pos, char32_t& cp);

// Appends the UTF-8 form of cp; surrogates and values above U+10FFFF append U+FFFD.
void Utf8Append(std::string& out, char32_t cp);
std::string Utf8Encode(char32_t cp);

// True when text is well-formed UTF-8 (no overlong forms, surrogates or values above U+10FFFF).
bool IsValidUtf8(std::string_view text);
// Byte offset of the first malformed sequence, or std::string_view::npos.
std::size_t FindInvalidUtf8(std::string_view text);

// Number of code points (a malformed byte counts as one).
std::size_t Utf8Length(std::string_view text);

// Lenient conversions: malformed input becomes U+FFFD, unpaired surrogates too.
WideString Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
