#pragma once
// The glyphs of the skinned system menu, as the "SYSMENUGLYPHS" bitmap holds them: four
// 16 x 16 monochrome pictures side by side (restore: two overlapping windows, maximize: one
// window, minimize: a bar, close: a cross), black on a white mask colour.
#include "toolkit/core/bitmap.h"

inline constexpr int kMenuGlyphSize = 16;
inline constexpr int kMenuGlyphCount = 4;
enum TMenuGlyph { mgRestore, mgMaximize, mgMinimize, mgClose };

// The 64 x 16 strip, 24-bit, pixels pure black or pure white.
TBitmapPixels DrawSystemMenuGlyphs();
