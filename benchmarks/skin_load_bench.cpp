// Time of a whole LoadSkin of the stored skin (decompress, read the container, parse the ini,
// decode every bitmap, build the model), as the program does at every start. Target: < 20 ms.
// Then the model scaled to 120, 144 and 192 pixels per inch (ModelFor), as a window on such a
// screen asks for it once per skin.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "skin/data/skin_set.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : QUILLIMO_STORED_SKIN;
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (image.empty()) {
    std::fprintf(stderr, "cannot read %s\n", path);
    return 1;
  }
  TSkinSet skin(nullptr);
  std::vector<double> ms;
  for (int i = 0; i < 100; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!skin.LoadSkinImage(image)) {
      std::fprintf(stderr, "%s does not load\n", path);
      return 1;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf(
      "LoadSkin of the stored skin (%zu bytes, \"%s\"): median %.2f ms, best %.2f ms, worst %.2f ms (target < 20 ms)\n",
      image.size(), skin.Model().SkinName.c_str(), ms[ms.size() / 2], ms.front(), ms.back());
  for (int dpi : {120, 144, 192}) {
    std::vector<double> scaling;
    for (int i = 0; i < 100; ++i) {
      const auto start = std::chrono::steady_clock::now();
      const auto scaled = ScaleSkinModel(skin.Model(), dpi);
      scaling.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(scaling.begin(), scaling.end());
    std::printf("the model scaled to %d pixels per inch: median %.2f ms, best %.2f ms\n", dpi,
                scaling[scaling.size() / 2], scaling.front());
  }
  return 0;
}
