// Decode throughput of the LZH decoder: 10 MB of mixed data, each kind of data on its own, and
// a skin-sized image (about 390 kB of bitmaps and an ini, like the skin stored with the main
// window). Prints MB/s of decoded output (1 MB = 10^6 bytes), best of several runs, timed in
// CPU time of the thread so that other work on the machine disturbs the figures less.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "lzh/lzh_encoder.h"
#include "skin/data/lzh_decoder.h"
#include "skin/data/lzh_reference_decoder.h"
#include "skin/data/skin_reader.h"
#include "skin/data/sample_data.h"
#include "skinpack/skin_container_writer.h"

namespace {

using sample::Bytes;

double ThreadSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A bottom-up 24-bit BMP file of the given size, drawn like a skin element: a gradient face,
// a darker border, magenta corners.
Bytes SkinBitmap(int width, int height, uint32_t seed) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t pixels = static_cast<uint32_t>(stride * height), fileSize = 54 + pixels;
  Bytes out = {'B', 'M'};
  auto put = [&out](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put(fileSize, 4), put(0, 4), put(54, 4), put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2);
  put(0, 4), put(pixels, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
  const uint8_t hue = static_cast<uint8_t>(seed * 37);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool corner = (x < 3 || x >= width - 3) && (y < 3 || y >= height - 3);
      const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      if (corner)
        out.insert(out.end(), {255, 0, 255});
      else if (border)
        out.insert(out.end(), {40, 40, static_cast<uint8_t>(hue / 2)});
      else
        out.insert(out.end(), {static_cast<uint8_t>(hue + y * 2), static_cast<uint8_t>(120 + y),
                               static_cast<uint8_t>(200 - x % 50)});
    }
    out.resize(out.size() + static_cast<size_t>(stride - width * 3), 0);
  }
  return out;
}

Bytes SkinImage() {
  std::vector<TSkinEntry> entries;
  const int sizes[][2] = {{400, 30}, {400, 8},  {8, 300}, {8, 300},  {200, 22}, {300, 120}, {208, 13},
                          {208, 13}, {100, 18}, {60, 60}, {120, 90}, {300, 66}, {64, 21},   {40, 40},
                          {120, 17}, {68, 17},  {17, 68}, {68, 17},  {17, 68},  {200, 16},  {120, 24},
                          {84, 21},  {84, 21},  {84, 21}, {84, 21},  {16, 16}};
  int n = 0;
  for (const auto& s : sizes) entries.push_back({"entry" + std::to_string(n) + ".bmp", SkinBitmap(s[0], s[1], n++)});
  entries.push_back({"skin.ini", sample::TextLike(4009, 1)});
  return BuildSkinImage(entries);
}

double BestSeconds(int runs, const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const double start = ThreadSeconds();
    work();
    best = std::min(best, ThreadSeconds() - start);
  }
  return best;
}

void Report(const char* name, const Bytes& data, int runs) {
  const Bytes image = lzh::Compress(data);
  TLZH lzh;
  size_t decoded = 0;
  const double seconds = BestSeconds(runs, [&] { decoded = lzh.DecodeImage(image).size(); });
  if (decoded != data.size()) std::printf("DECODE MISMATCH in %s\n", name);
  // The plain decoder written straight after the published algorithm, for comparison.
  const std::span<const uint8_t> stream(image.data() + 4, image.size() - 4);
  const double plain = BestSeconds(std::max(2, runs / 3),
                                   [&] { TReferenceLzhDecoder().Decode(static_cast<int32_t>(data.size()), stream); });
  std::printf("%-18s %9zu -> %9zu bytes %8.2f ms %7.1f MB/s   (plain decoder %6.1f MB/s)\n", name, image.size(),
              data.size(), seconds * 1e3, static_cast<double>(data.size()) / seconds / 1e6,
              static_cast<double>(data.size()) / plain / 1e6);
}

}  // namespace

// "bench_lzh_decode profile" decodes the mixed data once, for a profiler such as
// valgrind --tool=callgrind --toggle-collect='TLZH::Decode*'.
int main(int argc, char** argv) {
  const size_t tenMB = 10'000'000;
  if (argc > 1 && std::string(argv[1]) == "profile") {
    const Bytes image = lzh::Compress(sample::Mixed(tenMB, 42));
    return TLZH().DecodeImage(image).size() == tenMB ? 0 : 1;
  }
  Report("mixed 10 MB", sample::Mixed(tenMB, 42), 5);
  Report("text 10 MB", sample::TextLike(tenMB, 43), 3);
  Report("binary 10 MB", sample::BinaryLike(tenMB, 44), 3);
  Report("bitmap 10 MB", sample::BitmapLike(tenMB, 45), 3);
  Report("noise 10 MB", sample::Noise(tenMB, 46), 3);

  const Bytes skin = SkinImage();
  const Bytes container = TLZH().DecodeImage(skin);
  Report("skin-sized image", container, 50);
  TSkinReader reader;
  const double load = BestSeconds(50, [&] { reader.Load(skin); });
  std::printf("TSkinReader::Load of the skin-sized image (%zu entries): %.2f ms\n", reader.EntryCount(), load * 1e3);
  return 0;
}
