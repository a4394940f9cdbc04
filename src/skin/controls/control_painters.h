#pragma once
// The painters the companion family shares: skin elements in nine slices (onto a DC or the
// shared scratch bitmap), one frame of a strip drawn through the key colour, a glyph of a
// toolkit glyph strip, and captions (plain, or beside an image-list icon).
#include <string>

#include "toolkit/win/messages.h"

#include <commctrl.h>

#include "toolkit/core/bitmap.h"

class TBitmap;
class TDataSkinObject;

// Frame index of count frames of the element's image, sliced with its margins and Tile, copied
// to rect (through the key colour when its Trans is 1). Nothing for a missing element, an empty
// image or an inverted rectangle.
void DrawSkinElement(HDC dc, const RECT& rect, int count, int index, const TDataSkinObject* element);
// The same onto the shared scratch bitmap, whose rectangle is filled with face first.
void DrawSkinElementScratch(const RECT& rect, const TDataSkinObject* element, bool transparent, int count, int index,
                            TColor face);
// Frame index of count frames side by side, stretched to rect, key colour transparent.
void DrawFrameTransparent(HDC dc, const RECT& rect, int count, int index, const TBitmapPixels& strip);
// One glyph of a toolkit glyph strip at rect's top-left: of a strip of 4, the one of the state
// (1 up, 2 disabled, 3 down), else the first; disabled glyphs are grey; the colour of the
// glyph's lower-left pixel is transparent.
void DrawGlyph(HDC dc, const RECT& rect, int glyphCount, int glyphState, const TBitmap* glyph);
// The text centred vertically (then moved up a pixel), centred horizontally for DT_CENTER or
// kept at rect's sides, transparent; disabled text in the button-shadow colour.
void DrawCaption(HDC dc, const RECT& rect, UINT alignment, bool enabled, const std::string& text);
// An image-list icon (none for index -1, no list, or an icon not narrower than rect) followed by
// the text, laid out by alignment (left: x = 2; centre; right: right - 2; never below 2), both
// centred vertically; the text is one line, clipped to rect with an ellipsis.
void DrawIconCaption(HDC dc, const RECT& rect, UINT alignment, const std::string& text, int imageIndex,
                     HIMAGELIST images, bool enabled = true);
