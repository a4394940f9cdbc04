// skinpack: makes and opens skin files (".skn").
//
//   skinpack pack DIR OUT.skn [ENTRY...]   packs the named files of DIR in that order (a name
//                                          may repeat); without names, every BMP file of DIR
//                                          (by name) followed by its ini file(s)
//   skinpack unpack IN.skn DIR             writes every entry into DIR
//   skinpack list IN.skn                   prints the entries and their sizes
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/data/skin_reader.h"
#include "skinpack/skin_container_writer.h"
#include "toolkit/core/text.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, std::span<const uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Extension(const fs::path& path) { return LowerCase(path.extension().string()); }

// Every BMP file of the folder in name order, then the ini file(s).
std::vector<std::string> DefaultEntries(const fs::path& dir) {
  std::vector<std::string> bitmaps, inis;
  for (const fs::directory_entry& file : fs::directory_iterator(dir)) {
    if (!file.is_regular_file()) continue;
    const std::string ext = Extension(file.path());
    if (ext == ".bmp") bitmaps.push_back(file.path().filename().string());
    if (ext == ".ini") inis.push_back(file.path().filename().string());
  }
  if (inis.empty()) throw std::runtime_error("no ini file in " + dir.string());
  const auto byName = [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; };
  std::sort(bitmaps.begin(), bitmaps.end(), byName);
  std::sort(inis.begin(), inis.end(), byName);
  bitmaps.insert(bitmaps.end(), inis.begin(), inis.end());
  return bitmaps;
}

int Pack(const fs::path& dir, const fs::path& out, std::vector<std::string> names) {
  if (names.empty()) names = DefaultEntries(dir);
  std::vector<TSkinEntry> entries;
  for (const std::string& name : names) entries.push_back({name, ReadFile(dir / name)});
  const std::vector<uint8_t> image = BuildSkinImage(entries);
  WriteFile(out, image);
  std::printf("%s: %zu entries, %zu bytes\n", out.string().c_str(), entries.size(), image.size());
  return 0;
}

TSkinReader Open(const fs::path& path) {
  TSkinReader reader;
  reader.OnMessage = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  if (!reader.Load(ReadFile(path))) throw std::runtime_error(path.string() + ": wrong format version");
  return reader;
}

// An entry name is written only as a plain file name inside the target folder.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

int Unpack(const fs::path& in, const fs::path& dir) {
  const TSkinReader reader = Open(in);
  fs::create_directories(dir);
  std::set<std::string> written;
  for (size_t i = 0; i < reader.EntryCount(); ++i) {
    const std::string& name = reader.Names()[i];
    if (!IsPlainFileName(name)) {
      std::fprintf(stderr, "skipped entry %zu: \"%s\" is not a plain file name\n", i, name.c_str());
    } else if (!written.insert(name).second) {
      std::fprintf(stderr, "skipped entry %zu: second copy of %s\n", i, name.c_str());
    } else {
      WriteFile(dir / name, reader.EntryData(i));
    }
  }
  std::printf("%s: %zu files written\n", dir.string().c_str(), written.size());
  return 0;
}

int List(const fs::path& in) {
  const TSkinReader reader = Open(in);
  size_t total = 0;
  for (size_t i = 0; i < reader.EntryCount(); ++i) {
    std::printf("%10zu  %s\n", reader.EntryData(i).size(), reader.Names()[i].c_str());
    total += reader.EntryData(i).size();
  }
  std::printf("%zu entries, %zu bytes of contents\n", reader.EntryCount(), total);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: skinpack pack DIR OUT.skn [ENTRY...]\n"
               "       skinpack unpack IN.skn DIR\n"
               "       skinpack list IN.skn\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() >= 3 && args[0] == "pack")
      return Pack(args[1], args[2], std::vector<std::string>(args.begin() + 3, args.end()));
    if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2]);
    if (args.size() == 2 && args[0] == "list") return List(args[1]);
    return Usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinpack: %s\n", e.what());
    return 1;
  }
}
