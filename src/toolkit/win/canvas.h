#pragma once
// TCanvas: drawing on a device context with a font, a brush and a pen. The canvas selects
// GDI objects for them on demand before each operation and frees the ones it made; text is
// UTF-8 and drawn through the W functions.
#include <windows.h>
// The canvas method keeps its plain name.
#undef TextOut

#include <string>
#include <vector>

#include "toolkit/core/color.h"
#include "toolkit/core/object.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/tfont.h"

class TGraphic;

enum TBrushStyle { bsSolid, bsClear };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TBrush : public TPersistent {
  QUILLIMO_CLASS(TBrush, TPersistent)
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

class TPen : public TPersistent {
  QUILLIMO_CLASS(TPen, TPersistent)
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
};

class TCanvas : public TPersistent {
  QUILLIMO_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  explicit TCanvas(HDC dc);
  ~TCanvas() override;

  // The device context; setting another one first puts back what the canvas selected.
  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont& Font() { return font_; }
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }
  // Raster operation of Draw, StretchDraw and CopyRect (SRCCOPY by default).
  DWORD CopyMode() const { return copyMode_; }
  void SetCopyMode(DWORD mode) { copyMode_ = mode; }
  POINT PenPos() const;

  void TextOut(int x, int y, const std::string& text);
  // Text clipped to rect, its top-left at (x, y); the rectangle is filled first unless the
  // brush is clear.
  void TextRect(const RECT& rect, int x, int y, const std::string& text);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<POINT>& points);

  // The graphic at its own size with its top-left at (x, y).
  void Draw(int x, int y, TGraphic& graphic);
  // The graphic stretched to rect.
  void StretchDraw(const RECT& rect, TGraphic& graphic);
  // The source rectangle of another canvas, stretched to dest.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

  // $00BBGGRR of a pixel (clNone outside the clipping region); setting resolves system colours.
  TColor GetPixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  // Selects the font, brush and pen for direct GDI calls on Handle().
  void SelectFont();
  void SelectBrush();
  void SelectPen();

private:
  void RequireHandle() const;
  void Deselect();

  HDC dc_ = nullptr;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  DWORD copyMode_ = SRCCOPY;
  HBRUSH brushHandle_ = nullptr;  // made by this canvas for brush_, selected while dc_ is set
  HPEN penHandle_ = nullptr;
  bool brushStale_ = true, penStale_ = true;
  HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
};

RECT Rect(int left, int top, int right, int bottom);
RECT Bounds(int left, int top, int width, int height);
