#pragma once
// The copies every skin painter is made of, on the toolkit bitmap: a stretched copy of a
// source piece (nearest neighbour, as the COLORONCOLOR stretch mode does), a piece repeated at
// its natural size, and a copy that leaves key-coloured pixels of the source out. All of them
// clip to both bitmaps and accept 24- and 32-bit pixels on either side.
#include "skin/paint/pixel_rect.h"
#include "toolkit/core/bitmap.h"

// Magenta: the transparent colour of every skin image ($00BBGGRR).
inline constexpr TColor kSkinKeyColor = 0xFF00FF;

// Copies source piece src stretched to dest piece dst. Nothing when either is empty.
void StretchCopy(TBitmapPixels& dest, const TPixelRect& dst, const TBitmapPixels& source, const TPixelRect& src);

// Repeats the source piece at its natural size from dst's top-left corner, left to right and
// top to bottom, as long as a copy starts inside dst; the last copies may overhang dst (they are
// clipped only by the bitmap). Nothing when the piece or dst is empty.
void TileCopy(TBitmapPixels& dest, const TPixelRect& dst, const TBitmapPixels& source, const TPixelRect& src);

// Like TileCopy, but every copy is clipped to dst.
void TileCopyClipped(TBitmapPixels& dest, const TPixelRect& dst, const TBitmapPixels& source, const TPixelRect& src);

// Copies the whole source to (x, y) of dest, leaving dest's pixel wherever the source pixel
// has the key colour.
void KeyedCopy(TBitmapPixels& dest, int x, int y, const TBitmapPixels& source, TColor key = kSkinKeyColor);
