// JPEG decoding: any input gives a bitmap or EInvalidImage, never a crash or an exit.
#include <cstddef>
#include <cstdint>

#include "toolkit/win/jpeg_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const TBitmapPixels pixels = DecodeJpeg(data, size);
    if (!pixels.Empty()) (void)pixels.GetPixel(pixels.Width() - 1, pixels.Height() - 1);
  } catch (const EInvalidImage&) {
  }
  return 0;
}
