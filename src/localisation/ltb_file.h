#pragma once
// Binary translation files (".LTB"): the tables of several forms in one file.
//
//   header      42 bytes   "LTB file: TlcLang binary translation data" and a zero byte
//   form count   2 bytes   unsigned, little-endian
//   fixed flag   2 bytes   non-zero: the fixed language names follow as a 32-bit byte
//                          count and that many bytes of text (system ANSI code page), one
//                          name per line
//   directory    per form: name length (16-bit), the form's class name, offset of its data
//                          (signed 32-bit, from the start of the file)
//   form data    at each offset, a component in the binary layout stream ("TPF0" and one
//                component of the reading component's class, with its TranslationData
//                block, LangNames and extended translations)
//
// TLTBFileManager reads such files into a TlcCustomLang; MakeLTBImage writes them (the
// program never does; tests and the ltbwrite tool make files with it).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TStream;
class TComponent;
class TlcCustomLang;

inline constexpr std::string_view LTBHeader{"LTB file: TlcLang binary translation data\0", 42};
inline constexpr const char* LTBFormatError = "Unrecognized stream format!";

class TLTBFileManager {
public:
  // Reads the table stored for the owner form's class of lang into lang: every section
  // (in Captions, Hints, Fonts and CharSets the owner's entry is moved to line 0), the
  // language names and the extended translations. False, with lang unchanged, when the
  // file has no entry for that class. A file with another header raises EFilerError
  // "Unrecognized stream format!"; a truncated or corrupt file raises EReadError (lang is
  // unchanged then too).
  bool ReadTranslation(const std::string& fileName, TlcCustomLang& lang);
  bool ReadTranslation(TStream& stream, TlcCustomLang& lang);
  // The component stored for lang's owner class, read into a new component of lang's
  // class that belongs to no form; nullptr when the file has no entry for the class.
  std::unique_ptr<TlcCustomLang> ReadStored(TStream& stream, TlcCustomLang& lang);

  // The fixed language names of the last file read.
  const std::vector<std::string>& FixedLanguages() const { return fixedLanguages_; }

private:
  std::vector<std::string> fixedLanguages_;
};

// Copies section t of a stored table into a component's section; in Captions, Hints,
// Fonts and CharSets the first later line keyed with the owner's class moves to line 0.
void TakeStoredSection(int t, const TlcCustomLang& stored, TlcCustomLang& lang);
// Moves the first line after line 0 keyed with the owner's class name to line 0, in the
// sections that keep the owner's entry there (Captions, Hints, Fonts, CharSets).
void MoveOwnerEntryFirst(int t, TlcCustomLang& lang);

// One form of a file being written: its class name and its component as a binary layout
// stream.
struct TLTBForm {
  std::string className;
  std::string componentStream;
};

// The bytes of a binary translation file holding these forms.
std::string MakeLTBImage(const std::vector<TLTBForm>& forms, const std::vector<std::string>& fixedLanguages = {});
// A component (and what it owns) as a binary layout stream, "TPF0" first.
std::string ComponentStreamOf(TComponent& component);
