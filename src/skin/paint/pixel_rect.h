#pragma once
// A rectangle of pixels (left and top inside, right and bottom outside), as the painters pass
// destination and source pieces around.
#include <algorithm>

struct TPixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  // Right < left or bottom < top: drawing primitives draw nothing for such a rectangle.
  bool Inverted() const { return Right < Left || Bottom < Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TPixelRect&) const = default;
};

inline TPixelRect PixelBounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
