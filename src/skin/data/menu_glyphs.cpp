#include "skin/data/menu_glyphs.h"

namespace {

// A window outline with a two-pixel title bar, inside one glyph cell.
void DrawWindow(TBitmapPixels& strip, int cell, int left, int top, int right, int bottom) {
  const int x0 = cell * kMenuGlyphSize;
  strip.FillRect(x0 + left, top, right - left + 1, 2, clBlack);     // title bar
  strip.FillRect(x0 + left, top, 1, bottom - top + 1, clBlack);     // left side
  strip.FillRect(x0 + right, top, 1, bottom - top + 1, clBlack);    // right side
  strip.FillRect(x0 + left, bottom, right - left + 1, 1, clBlack);  // bottom
}

}  // namespace

TBitmapPixels DrawSystemMenuGlyphs() {
  TBitmapPixels strip(kMenuGlyphSize * kMenuGlyphCount, kMenuGlyphSize, pf24bit);
  strip.Fill(clWhite);

  // Restore: the back window first, then the front one clears its own area and covers it.
  DrawWindow(strip, mgRestore, 5, 2, 12, 8);
  strip.FillRect(mgRestore * kMenuGlyphSize + 3, 5, 8, 7, clWhite);
  DrawWindow(strip, mgRestore, 3, 5, 10, 11);

  DrawWindow(strip, mgMaximize, 3, 3, 12, 12);

  strip.FillRect(mgMinimize * kMenuGlyphSize + 4, 10, 7, 2, clBlack);

  // Close: two diagonals, two pixels thick.
  const int x0 = mgClose * kMenuGlyphSize;
  for (int i = 0; i < 8; ++i) {
    strip.FillRect(x0 + 4 + i, 4 + i, 2, 1, clBlack);
    strip.FillRect(x0 + 10 - i, 4 + i, 2, 1, clBlack);
  }
  return strip;
}
