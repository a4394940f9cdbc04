#include "skin/controls/control_painters.h"

#include <algorithm>

#include "skin/data/skin_model.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/text_painters.h"
#include "skin/paint/frame_strip.h"
#include "toolkit/win/canvas.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/graphics.h"

void DrawSkinElement(HDC dc, const RECT& rect, int count, int index, const TDataSkinObject* element) {
  if (!element || element->Image.Empty() || rect.right < rect.left || rect.bottom < rect.top) return;
  DrawSlicedImage(dc, rect, element->Image, false, element->Tile == 1, element->Trans == 1, count, index,
                  MarginsOf(*element));
}

void DrawSkinElementScratch(const RECT& rect, const TDataSkinObject* element, bool transparent, int count, int index,
                            TColor face) {
  if (!element || element->Image.Empty() || rect.right < rect.left || rect.bottom < rect.top) return;
  TBitmap& scratch = SharedScratchBitmap();
  HDC dc = scratch.Canvas().Handle();
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(face)));
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
  DrawSlicedImage(dc, rect, element->Image, false, element->Tile == 1, transparent, count, index, MarginsOf(*element));
}

void DrawFrameTransparent(HDC dc, const RECT& rect, int count, int index, const TBitmapPixels& strip) {
  if (strip.Empty() || rect.right < rect.left || rect.bottom < rect.top) return;
  DrawFrameImage(dc, rect, strip, true, count, index);
}

void DrawGlyph(HDC dc, const RECT& rect, int glyphCount, int glyphState, const TBitmap* glyph) {
  if (!glyph || glyph->Width() == 0 || glyph->Height() == 0) return;
  const TBitmapPixels& strip = glyph->Pixels();
  const int count = std::max(glyphCount, 1);
  const int w = strip.Width() / count, h = strip.Height();
  if (w <= 0) return;
  const int index = count == 4 ? std::clamp(glyphState, 1, 3) - 1 : 0;
  TBitmapPixels one(w, h);
  one.CopyRect(0, 0, strip, index * w, 0, w, h);
  const TColor key = one.GetPixel(0, h - 1);
  if (glyphState == 2) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const TColor c = one.GetPixel(x, y);
        if (c == key) continue;
        const int mean = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
        one.SetPixel(x, y, RGBToColor(mean, mean, mean));
      }
  }
  TransparentBlit(dc, rect.left, rect.top, one, key);
}

void DrawCaption(HDC dc, const RECT& rect, UINT alignment, bool enabled, const std::string& text) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = enabled ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  RECT measured = rect;
  DrawWideText(dc, text, measured, DT_CALCRECT | DT_EXPANDTABS | DT_NOCLIP);
  const int w = measured.right - measured.left, h = measured.bottom - measured.top;
  RECT at = rect;
  if (alignment & DT_CENTER) {
    at.left = rect.left + (rect.right - rect.left - w) / 2;
    at.right = at.left + w;
  }
  at.top = rect.top + (rect.bottom - rect.top - h) / 2 - 1;
  at.bottom = at.top + h;
  DrawWideText(dc, text, at, DT_EXPANDTABS | DT_NOCLIP | alignment);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void DrawIconCaption(HDC dc, const RECT& rect, UINT alignment, const std::string& text, int imageIndex,
                     HIMAGELIST images, bool enabled) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  int iconW = 0, iconH = 0;
  if (imageIndex >= 0 && images) {
    ImageList_GetIconSize(images, &iconW, &iconH);
    if (iconW >= width) iconW = iconH = 0;
  }
  constexpr UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;
  RECT measured{0, 0, 0, 0};
  if (!text.empty()) DrawWideText(dc, text, measured, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  const int textW = measured.right - measured.left, textH = measured.bottom - measured.top;
  const int block = iconW + (iconW ? 1 : 0) + textW;
  int x = 2;
  if (alignment & DT_CENTER)
    x = (width - block) / 2;
  else if (alignment & DT_RIGHT)
    x = width - block - 2;
  x = std::max(x, 2) + rect.left;
  if (iconW) {
    ImageList_Draw(images, imageIndex, dc, x, rect.top + (height - iconH) / 2, ILD_TRANSPARENT);
    x += iconW + 1;
  }
  if (text.empty()) return;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = enabled ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  RECT at{x, rect.top + (height - textH) / 2, rect.right, rect.top + (height - textH) / 2 + textH};
  DrawWideText(dc, text, at, format | DT_LEFT);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}
