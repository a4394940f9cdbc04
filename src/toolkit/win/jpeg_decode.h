#pragma once
// JPEG decoding with libjpeg into the core pixel store. Needs nothing of Windows, so the
// native build can fuzz it.
#include <cstddef>
#include <cstdint>

#include "toolkit/core/bitmap.h"

// A 24-bit bitmap of the JPEG file. Data libjpeg cannot read, a file that ends early and
// images beyond the bitmap limits raise EInvalidImage "JPEG error #N" (N is libjpeg's
// message code); libjpeg never ends the program or prints anything.
TBitmapPixels DecodeJpeg(const std::uint8_t* data, std::size_t size);
