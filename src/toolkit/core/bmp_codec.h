#pragma once
// Reading and writing Windows BMP files.
//
// Read: BITMAPCOREHEADER, BITMAPINFOHEADER and its V2 to V5 extensions; 1, 4 and 8 bits with a
// palette (BI_RGB, BI_RLE8, BI_RLE4), 16 bits (555 or BI_BITFIELDS), 24 bits, 32 bits (BI_RGB,
// the fourth byte kept as alpha, or BI_BITFIELDS); rows bottom-up or top-down. 32-bit files
// give a pf32bit bitmap, all others pf24bit. Anything else, and every file whose sizes or
// offsets do not fit inside the data, raises EInvalidImage "Bitmap image is not valid";
// nothing outside the data is ever read, and dimensions beyond kMaxBitmapSide or
// kMaxBitmapBytes are refused before any pixel memory is allocated.
//
// Write: BITMAPINFOHEADER, BI_RGB, bottom-up rows, 24 or 32 bits as the bitmap is.
#include <cstdint>
#include <span>
#include <vector>

#include "toolkit/core/bitmap.h"
#include "toolkit/core/streams.h"

TBitmapPixels DecodeBmp(std::span<const std::uint8_t> data);
// Raises EInvalidGraphicOperation for an empty bitmap (a BMP cannot hold one).
std::vector<std::uint8_t> EncodeBmp(const TBitmapPixels& bitmap);

// The same on streams: decoding takes every byte from the position to the end; encoding
// writes the file at the position.
TBitmapPixels DecodeBmp(TStream& stream);
void EncodeBmp(const TBitmapPixels& bitmap, TStream& stream);
