#pragma once
// The text form of the layout stream, and conversion both ways:
//
//   object Form1: TForm1
//     Caption = 'Quillimo v 1.1'
//     Font.Height = -11
//     Options = [biBold, biItalic]
//     Items.Strings = (
//       'one'
//       'two')
//     Columns = <
//       item
//         Width = 40
//       end>
//     Data = {
//       0A0B0C}
//     object Button1: TButton
//       OnClick = Button1Click
//     end
//   end
//
// Objects begin with "object", "inherited" or "inline" (the stream's ffInherited and
// ffInline flags), optionally followed by "[n]" (ffChildPos). Values: integers (decimal
// or $hex), floats (with a "." or an exponent; suffix "s" Single, "c" Currency, "d" Date),
// strings, identifiers (False, True, nil and Null are their own value types), sets in
// brackets, lists in parentheses, collections in angle brackets, binary data as hex digits
// in braces.
//
// Strings are quoted pieces ('it''s') and character codes (#13, #$0D) written next to each
// other, and several of those joined with "+". Text files are UTF-8: a quoted piece may hold
// any UTF-8 text. A code below 128 is that ASCII character; a code from 128 on is the
// character of that code (a UTF-16 unit), as in the standard text form. A string whose pieces
// are ASCII and whose codes are all below 128 is an 8-bit string (vaString/vaLString); any
// other is a UTF-16 string (vaWString). Converting to text writes the standard form: printable
// ASCII inside quotes, everything else as codes (#351 for "ş"), the characters of 8-bit
// strings outside ASCII as what their bytes stand for in the system's ANSI code page. Every
// string so reads back as the same text, and an 8-bit string holding characters outside ASCII
// reads back as a UTF-16 one. Lines end in LF (CR LF is read too); long strings are split into
// 64-character pieces joined with "+", binary data into lines of 32 bytes.
#include <string>
#include <string_view>

class TStream;

// Reads a text layout from input's position and writes its binary form (with the
// signature). Syntax errors raise EParserError-like EReadError "<message> on line <n>".
void ObjectTextToBinary(TStream& input, TStream& output);
// Reads a binary layout (with the signature) and writes its text form.
void ObjectBinaryToText(TStream& input, TStream& output);

// The same on strings.
std::string ObjectTextToBinary(std::string_view text);
std::string ObjectBinaryToText(std::string_view binary);

// True when the bytes start with the binary signature "TPF0".
bool IsBinaryLayout(std::string_view bytes);
