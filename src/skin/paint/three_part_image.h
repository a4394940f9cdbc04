#pragma once
// Three-part strips: a left cap, a middle piece repeated at its width (and stretched to the
// height) and a right cap, as the menu bar and the caption text background are drawn.
#include "skin/paint/frame_strip.h"
#include "skin/paint/pixel_rect.h"
#include "toolkit/core/bitmap.h"

// A new 24-bit width x height bitmap of the chosen frame: the left cap (left wide) stretched to
// (0, 0, left, H), the middle piece copied at x = left, left + m, ... while x < W - right (the
// last copy may reach under the right cap), the right cap stretched to (W - right, 0, W, H)
// last. A frame without a middle piece (width <= left + right) is stretched whole; negative
// caps count as 0.
TBitmapPixels BuildThreePartImage(int width, int height, const TBitmapPixels& image, const TFrameChoice& frame,
                                  int left, int right);
