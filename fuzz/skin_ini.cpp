// Fuzz target: the skin ini reader and its value forms. Every section is read for a few keys
// as a string, an integer and a colour.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/data/quick_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TQuickIni ini;
  ini.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const std::string& section : ini.ReadSections())
    for (const char* key : {"Image", "Action", "color", "", "LeftWidth"}) {
      ini.ReadString(section, key, "d");
      ini.ReadInteger(section, key, -1);
      ini.ReadColor(section, key, clNone);
    }
  return 0;
}
