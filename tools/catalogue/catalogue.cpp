// catalogue: writes the delivered message catalogue in the form the program reads.
//
//   catalogue SOURCE OUT CODE=CODEPAGE...     e.g. catalogue resources/catalogue build 0=1254 1=1252
//
// For each language code, SOURCE/programlistCODE.txt names the programs, one per line, and
// SOURCE/languageCODE/NAME.txt holds the messages of program NAME, one per line; both are
// UTF-8, blank lines are skipped. Written: OUT/programlistCODE.txt and
// OUT/languageCODE/NAME.txt, every entry ticked, lines ending in CR LF, in CODEPAGE. The
// directories OUT/languageCODE are created (the program never creates them). A name that is
// not a plain file name, a name given twice, a missing or unlisted message file, or a text the
// code page cannot hold stops the tool with a message, so a bad catalogue never ships.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/formats/catalogue_format.h"
#include "toolkit/core/strings.h"

namespace fs = std::filesystem;

namespace {

// The non-blank lines of a UTF-8 source file.
std::vector<std::string> SourceLines(const fs::path& path) {
  if (!fs::is_regular_file(path)) throw std::runtime_error("missing " + path.string());
  TStringList lines;
  lines.LoadFromFile(path.string(), cpUtf8);
  std::vector<std::string> result;
  for (int i = 0; i < lines.Count(); ++i)
    if (lines[i].find_first_not_of(" \t") != std::string::npos) result.push_back(lines[i]);
  return result;
}

TCatalogueEntries Ticked(const std::vector<std::string>& texts) {
  TCatalogueEntries entries;
  for (const std::string& text : texts) entries.push_back({text, true});
  return entries;
}

void WriteLanguage(const fs::path& source, const fs::path& out, const std::string& code, int codePage) {
  const std::vector<std::string> names = SourceLines(source / ("programlist" + code + ".txt"));
  const fs::path sourceDir = source / ("language" + code);
  fs::create_directories(out / ("language" + code));

  std::vector<std::string> seen;
  for (const std::string& name : names) {
    CheckProgramName(name, codePage);
    for (const std::string& other : seen)
      if (SameProgramName(name, other)) throw std::runtime_error("program \"" + name + "\" is listed twice");
    seen.push_back(name);
    const TCatalogueEntries messages = Ticked(SourceLines(sourceDir / (name + ".txt")));
    WriteTickFile(MessageFileName(out.string(), code, name), messages, codePage);
  }
  // A message file that the program list does not name would never be shown.
  if (fs::is_directory(sourceDir)) {
    std::set<std::string> listed;
    for (const std::string& name : names) listed.insert(name + ".txt");
    for (const fs::directory_entry& file : fs::directory_iterator(sourceDir))
      if (!listed.count(file.path().filename().string()))
        throw std::runtime_error(file.path().string() + " is not in programlist" + code + ".txt");
  }
  WriteTickFile(ProgramListFileName(out.string(), code), Ticked(names), codePage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: catalogue SOURCE OUT CODE=CODEPAGE...\n");
    return 2;
  }
  try {
    const fs::path source = argv[1], out = argv[2];
    for (int i = 3; i < argc; ++i) {
      const std::string arg = argv[i];
      const std::size_t equals = arg.find('=');
      if (equals == 0 || equals == std::string::npos) throw std::runtime_error("not CODE=CODEPAGE: " + arg);
      const int codePage = std::stoi(arg.substr(equals + 1));
      if (!IsSupportedCodePage(codePage)) throw std::runtime_error("unsupported code page in " + arg);
      WriteLanguage(source, out, arg.substr(0, equals), codePage);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "catalogue: %s\n", e.what());
    return 1;
  }
  return 0;
}
