#pragma once
// Nine-slice rendering: a frame of a skin image drawn at any size, its four margins (the fixed
// border of the frame) kept at their size, the edges stretched along their length and the centre
// stretched or tiled.
#include <vector>

#include "skin/paint/frame_strip.h"
#include "skin/paint/pixel_rect.h"
#include "toolkit/core/bitmap.h"

// The widths of the fixed border of a frame (the element's LeftWidth, TopHeight, RightWidth,
// BottomHeight).
struct TSliceMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// One piece of a sliced image: where it goes in the destination and where it comes from.
struct TSlicePiece {
  enum Kind { TopLeft, BottomLeft, TopRight, LeftEdge, TopEdge, Centre, BottomRight, RightEdge, BottomEdge };
  Kind Part;
  TPixelRect Dest;
  TPixelRect Source;
};

// The pieces of a width x height rendering of the chosen frame, in drawing order (top-left,
// bottom-left, top-right, left, top, centre, bottom-right, right, bottom), empty ones left out.
// Margins that do not fit the destination are dropped in pairs (left with right when width <
// left + right, top with bottom likewise); negative margins count as 0 and margins that do not
// fit the source frame are dropped in pairs as well.
std::vector<TSlicePiece> SlicePieces(int width, int height, const TBitmapPixels& image, TSliceMargins margins,
                                     const TFrameChoice& frame);

// A new 24-bit bitmap of the destination size (only its size counts) with the sliced frame;
// the centre is tiled from its top-left corner (the right and bottom pieces, drawn after it,
// cover the overhang) or stretched.
TBitmapPixels BuildSlicedImage(const TPixelRect& dest, const TBitmapPixels& image, TSliceMargins margins, bool stacked,
                               bool tile, int count, int frame);

// Draws only the eight border pieces of the sliced frame into dest at dst (the centre stays).
void DrawSlicedBorderPixels(TBitmapPixels& dest, const TPixelRect& dst, const TBitmapPixels& image,
                            TSliceMargins margins, bool stacked, int count, int frame);
