// Fuzz target: arbitrary bytes as a compressed skin image (size field and LZHUF stream).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/data/lzh_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> image(data, size);
  try {
    const int32_t announced = TLZH::DecodedSizeOf(image);
    const std::vector<uint8_t> out = TLZH().DecodeImage(image);
    // Exactly the announced size, or a last match of at most 59 bytes beyond it.
    const size_t wanted = announced > 0 ? static_cast<size_t>(announced) : 0;
    if (out.size() < wanted || out.size() > wanted + 59) std::abort();
  } catch (const Exception&) {
    // Too short for a size field, or a size the stream cannot hold: refused cleanly.
  }
  return 0;
}
