#pragma once
// The skin painting primitives on device contexts. The pixel work is done by the portable
// painters (skin/paint); this side only blits the result, draws it through the key-colour
// mask, and turns the run scan into a window region.
#include <string>

#include "toolkit/win/messages.h"

#include "skin/paint/key_mask.h"
#include "skin/paint/pixel_rect.h"
#include "skin/paint/sliced_image.h"
#include "toolkit/core/bitmap.h"

class TBitmap;
class TCanvas;
class TDataSkinObject;

inline TPixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const TPixelRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
TSliceMargins MarginsOf(const TDataSkinObject& element);

// Copies the pixels to (x, y) of dc in one operation.
void BlitPixels(HDC dc, int x, int y, const TBitmapPixels& pixels);
// Copies the part src of the pixels to (x, y) of dc.
void BlitPixelsPart(HDC dc, int x, int y, const TBitmapPixels& pixels, const TPixelRect& src);
// Draws the pixels at (x, y) leaving the destination wherever a pixel has the key colour.
void TransparentBlit(HDC dc, int x, int y, const TBitmapPixels& pixels, TColor key = kSkinKeyColor);

// The primitives of the skin painters (all draw nothing for an inverted rectangle).
void DrawSlicedImage(HDC dc, const RECT& rect, const TBitmapPixels& image, bool stacked, bool tile, bool colorKey,
                     int count, int frame, TSliceMargins margins);
void DrawSlicedBorder(HDC dc, const RECT& rect, const TBitmapPixels& image, bool stacked, int count, int frame,
                      TSliceMargins margins);
void DrawThreePartImage(HDC dc, const RECT& rect, const TBitmapPixels& image, bool stacked, bool colorKey, int count,
                        int frame, int left, int right);
void DrawFrameImage(HDC dc, const RECT& rect, const TBitmapPixels& image, bool colorKey, int count, int frame);
void TileImage(HDC dc, const RECT& rect, const TBitmapPixels& image, const RECT& source);

// A region covering every pixel of the bitmap that is not within the tolerance above the key,
// moved by the offsets; built in batches of 2000 rectangles. An empty region for a bitmap
// without solid pixels. The caller owns it.
HRGN RegionFromBitmap(const TBitmapPixels& bitmap, int dx, int dy, int toleranceBlue = 1, int toleranceGreen = 1,
                      int toleranceRed = 1, TColor key = kSkinKeyColor);

// The window's text (WM_GETTEXT, at most 1000 characters) and class name (at most 100).
std::string GetWindowTextString(HWND wnd);
std::string GetClassNameString(HWND wnd);

// The scratch bitmap that the menu bar and the skin controls compose in before copying to the
// screen; one user at a time.
TBitmap& SharedScratchBitmap();
