// Fuzz target: a whole skin load (container, ini and bitmaps). An input that starts with the
// container's format version (20 4E 00 00) is read as an uncompressed container and built into
// a model directly; anything else goes to the skin component as a compressed skin image, which
// either loads or fails with a toolkit exception, and keeps no model when it cannot be read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "skin/data/quick_ini.h"
#include "skin/data/skin_model.h"
#include "skin/data/skin_reader.h"
#include "skin/data/skin_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  if (size >= 4 && data[0] == 0x20 && data[1] == 0x4E && data[2] == 0 && data[3] == 0) {
    try {
      TSkinReader reader;
      if (!reader.LoadContainer(input)) return 0;
      std::vector<uint8_t> text;
      reader.FindEntry(".ini", text);
      TQuickIni ini;
      ini.LoadFromText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
      TSkinModel model;
      model.LoadModel(ini, reader);
    } catch (const Exception&) {
    }
    return 0;
  }
  TSkinSet skin(nullptr);
  bool loaded = false;
  try {
    loaded = skin.LoadSkinImage(input);
  } catch (const Exception&) {
  }
  if (loaded == skin.Loading()) std::abort();  // a load that succeeded clears Loading, and only that
  return 0;
}
