#pragma once
// Skin images hold `count` state frames of one element, side by side (each width / count wide)
// or stacked (each height / count high); frame k (1-based) is the k-th of them. Painters name
// a frame by its index: 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default.
#include "skin/paint/pixel_rect.h"
#include "toolkit/core/bitmap.h"

struct TFrameChoice {
  bool Stacked = false;
  int Count = 1;
  int Frame = 1;
};

// The source rectangle of the chosen frame. A count below 1 counts as 1 and a frame outside
// 1..count as the nearest one, so a damaged skin never reads outside its image; an image too
// small for its count gives an empty rectangle.
TPixelRect SourceFrame(const TBitmapPixels& image, const TFrameChoice& choice);

// The whole frame stretched to width x height (24-bit).
TBitmapPixels BuildFrameImage(int width, int height, const TBitmapPixels& image, int count, int frame);
