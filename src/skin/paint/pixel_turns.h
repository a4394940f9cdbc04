#pragma once
// Turned copies of a bitmap (24-bit), for elements drawn in another orientation than their
// image: tabs at the bottom or the sides, vertical scroll bars composed along x.
#include "toolkit/core/bitmap.h"

// Upside down.
TBitmapPixels FlipVertically(const TBitmapPixels& source);
// A quarter turn clockwise: the left column becomes the top row.
TBitmapPixels RotateClockwise(const TBitmapPixels& source);
// A quarter turn counter-clockwise: the top row becomes the left column.
TBitmapPixels RotateCounterClockwise(const TBitmapPixels& source);
// Mirrored over the diagonal: pixel (x, y) goes to (y, x).
TBitmapPixels Transpose(const TBitmapPixels& source);
