// Catalogue files from arbitrary bytes: parsing never fails, every line gives one entry, and
// the entries written back as tick lines (and, for Windows-1254 bytes, encoded again) read
// back as the same entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/formats/catalogue_format.h"
#include "toolkit/core/exceptions.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string Written(const TCatalogueEntries& entries) {
  std::string text;
  for (const TCatalogueEntry& e : entries) {
    Check(e.Text.find_first_of("\r\n") == std::string::npos);
    text += TickLine(e) + "\r\n";
  }
  return text;
}

void RoundTrip(std::string_view text) {
  const TCatalogueEntries entries = ParseTickLines(text);
  Check(ParseTickLines(Written(entries)) == entries);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  RoundTrip(input);
  const TCatalogueEntry single = ParseTickLine(input);
  Check(single.Text.size() <= input.size());
  Check(single.Ticked == (!input.empty() && input.back() == '1'));
  try {
    const std::string utf8 = AnsiToUtf8(input, cpWindows1254);
    RoundTrip(utf8);
    const TCatalogueEntries entries = ParseTickLines(utf8);
    for (const TCatalogueEntry& e : entries) CheckCatalogueText(e.Text, cpWindows1254);
    Check(ParseTickLines(AnsiToUtf8(Utf8ToAnsi(Written(entries), cpWindows1254), cpWindows1254)) == entries);
  } catch (const EConvertError&) {
    // bytes Windows-1254 leaves undefined
  }
  return 0;
}
