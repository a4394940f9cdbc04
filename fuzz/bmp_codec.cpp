// BMP decoder on arbitrary bytes: it either raises EInvalidImage or gives a bitmap that the
// encoder writes and the decoder reads back with the same pixels.
#include <cstdint>
#include <cstdlib>

#include "toolkit/core/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TBitmapPixels decoded;
  try {
    decoded = DecodeBmp({data, size});
  } catch (const EInvalidImage&) {
    return 0;
  }
  const TBitmapPixels again = DecodeBmp(EncodeBmp(decoded));
  if (again.PixelFormat() != decoded.PixelFormat() || !again.SamePixels(decoded)) std::abort();
  return 0;
}
