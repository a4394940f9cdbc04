#pragma once
// The translation table's lines and its stored form.
//
// A translation line is a key followed by one value per language, each followed by the
// delimiter byte:  key D value1 D value2 D ... valueN D.  The table is split into sections
// (TStringsType); the stored block "TranslationData" is every section's name on a line of
// its own followed by its lines, CR and LF inside a line being kept as 0x19 and 0x1A.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/typeinfo.h"

QUILLIMO_ENUM(TStringsType, stCaptions, stHints, stDisplayLabels, stFonts, stMultiLines, stDlgsCaptions, stStrings,
              stOtherStrings, stLocales, stCollections, stCharSets, stListView_TreeView_Items)
inline constexpr int StringsTypeCount = 12;

// "stCaptions", "stHints", ...; ordinal out of range gives "".
const std::string& StringsTypeName(int t);
// The name without its "st" prefix ("Captions"): the name of the section's list property.
std::string SectionPropertyName(int t);
// Ordinal of a section name given without the "st" prefix, case-insensitive; -1 if none.
int FindStringsTypeBySectionName(std::string_view name);
// Ordinal of a full header ("stCaptions"), case-insensitive; -1 if the line is no header.
int FindStringsTypeByHeader(std::string_view line);

// Field k of a line: 0 is the text before the first delimiter (the whole line if there is
// none); k >= 1 is the text after the k-th delimiter up to the next one or the end. Every
// delimiter counts, so empty fields keep their place; missing fields are empty.
std::string ExtractLangField(std::string_view line, char delim, int k);
// The key of a line: field 0.
inline std::string LineKey(std::string_view line, char delim) { return ExtractLangField(line, delim, 0); }
// Number of delimiter bytes in a line.
std::size_t CountDelims(std::string_view line, char delim);
// Appends delimiters until the line holds numLanguages + 1 of them.
void PadLine(std::string& line, char delim, int numLanguages);
// Cuts the line after the delimiter that follows value number `keep` (key and `keep`
// values stay, each with its delimiter); a line with fewer fields is left as it is.
void CutLineAfterLanguage(std::string& line, char delim, int keep);
// A new line: key D value, then D repeated numLanguages times (value is language 1's).
std::string MakeLine(std::string_view key, char delim, std::string_view value, int numLanguages);
// Replaces field k (k >= 1) of a line, adding empty fields (and the delimiter that ends
// field k) as needed.
void SetLangField(std::string& line, char delim, int k, std::string_view value);

// One section of a decoded block: its ordinal and its lines (CR/LF restored).
struct TranslationSection {
  int type = 0;
  std::vector<std::string> lines;
};

// Decodes a stored block (raw text, as stored): split at CR LF, CR or LF, a zero byte ends
// the text, lines before the first header are ignored, a repeated header starts its section
// afresh. Never fails.
std::vector<TranslationSection> DecodeTranslationBlock(std::string_view block);
// Encodes one section (header, lines with CR/LF as 0x19/0x1A, each ended by CR LF).
void EncodeTranslationSection(std::string& out, int type, const std::vector<std::string>& lines);
