// Fuzz target: arbitrary bytes as a compressed skin image (size field and LZHUF stream).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/data/lzh_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> image(data, size);
  std::vector<uint8_t> out;
  try {
    out = TLZH().DecodeImage(image);
  } catch (const Exception&) {
    // Too short for a size field, a size the stream cannot hold, or a stream cut short:
    // refused cleanly.
    return 0;
  }
  // Exactly the announced size, or a last match of at most 59 bytes beyond it.
  const int32_t announced = TLZH::DecodedSizeOf(image);
  const size_t wanted = announced > 0 ? static_cast<size_t>(announced) : 0;
  if (out.size() < wanted || out.size() > wanted + 59) std::abort();
  // A stream that decoded did not need anything behind it: more bytes change nothing.
  std::vector<uint8_t> longer(image.begin(), image.end());
  longer.insert(longer.end(), 9, 0xFF);
  if (TLZH().DecodeImage(longer) != out) std::abort();
  return 0;
}
