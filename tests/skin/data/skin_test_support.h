#pragma once
// Small skins made in the tests: an ini text and a few generated bitmaps in a container.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/quick_ini.h"
#include "skin/data/skin_model.h"
#include "skin/data/skin_reader.h"
#include "skinpack/skin_container_writer.h"
#include "toolkit/core/bmp_codec.h"

namespace skintest {

// A BMP of the size whose pixel (x, y) has red x, green y and blue `tag`.
inline std::vector<std::uint8_t> Bmp(int width, int height, std::uint8_t tag = 0) {
  TBitmapPixels b(width, height, pf24bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.SetPixel(x, y, RGBToColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), tag));
  return EncodeBmp(b);
}

inline std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The compressed skin image of the ini (entry "skin.ini") and the other entries.
inline std::vector<std::uint8_t> SkinImage(const std::string& ini, std::vector<TSkinEntry> entries) {
  entries.push_back({"skin.ini", Bytes(ini)});
  return BuildSkinImage(entries);
}

// The model of a skin made of the ini and the entries.
struct TLoadedModel {
  TSkinModel model;
  explicit TLoadedModel(const std::string& ini, std::vector<TSkinEntry> entries = {}) {
    entries.push_back({"skin.ini", Bytes(ini)});
    TSkinReader reader;
    reader.LoadContainer(BuildSkinContainer(entries));
    TQuickIni parsed;
    parsed.LoadFromText(ini);
    model.LoadModel(parsed, reader);
  }
};

}  // namespace skintest
