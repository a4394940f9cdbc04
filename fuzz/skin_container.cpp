// Fuzz target: the skin container reader. An input starting with the format version
// (20 4E 00 00) is read as an uncompressed container, anything else as a compressed skin
// image; then every entry is fetched by name and by text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "skin/data/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  TSkinReader reader;
  try {
    const bool raw = size >= 4 && data[0] == 0x20 && data[1] == 0x4E && data[2] == 0 && data[3] == 0;
    if (!(raw ? reader.LoadContainer(input) : reader.Load(input))) return 0;
  } catch (const Exception&) {
    return 0;
  }
  size_t total = 0;
  std::vector<uint8_t> out;
  for (size_t i = 0; i < reader.EntryCount(); ++i) {
    const std::string& name = reader.Names()[i];
    reader.GetEntry(name, out);
    const int first = reader.IndexOf(name);
    if (first < 0 || static_cast<size_t>(first) > i ||
        out.size() != reader.EntryData(static_cast<size_t>(first)).size())
      std::abort();
    total += reader.EntryData(i).size();
    if (!name.empty()) reader.FindEntry(name, out);
  }
  if (total > size * 48 + (size_t{1} << 20)) std::abort();  // never more than the data holds
  reader.FindEntry(".ini", out);
  return 0;
}
