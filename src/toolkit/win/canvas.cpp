#include "toolkit/win/canvas.h"

#include "toolkit/core/utf8.h"
#include "toolkit/win/font_handle.h"
#include "toolkit/win/graphics.h"

QUILLIMO_REGISTER_CLASS(TBrush,
                        [](TPropertyTable& p) { p.Integer("Color", &TBrush::Color, &TBrush::SetColor, clWhite); });
QUILLIMO_REGISTER_CLASS(TPen, [](TPropertyTable& p) {
  p.Integer("Color", &TPen::Color, &TPen::SetColor, clBlack);
  p.Integer("Width", &TPen::Width, &TPen::SetWidth, 1);
});
QUILLIMO_REGISTER_CLASS(TCanvas);

namespace {
template <class T, class V>
void Change(T& object, V& field, V value) {
  if (field == value) return;
  field = value;
  object.OnChange(&object);
}
}  // namespace

void TBrush::SetColor(TColor color) { Change(*this, color_, color); }
void TBrush::SetStyle(TBrushStyle style) { Change(*this, style_, style); }
void TBrush::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TBrush*>(source)) {
    color_ = other->color_;
    style_ = other->style_;
    OnChange(this);
    return;
  }
  TPersistent::Assign(source);
}

void TPen::SetColor(TColor color) { Change(*this, color_, color); }
void TPen::SetWidth(int width) { Change(*this, width_, width); }
void TPen::SetStyle(TPenStyle style) { Change(*this, style_, style); }
void TPen::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TPen*>(source)) {
    color_ = other->color_;
    width_ = other->width_;
    style_ = other->style_;
    OnChange(this);
    return;
  }
  TPersistent::Assign(source);
}

RECT Rect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }
RECT Bounds(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

TCanvas::TCanvas() {
  brush_.OnChange = [this](TObject*) { brushStale_ = true; };
  pen_.OnChange = [this](TObject*) { penStale_ = true; };
}

TCanvas::TCanvas(HDC dc) : TCanvas() { SetHandle(dc); }

TCanvas::~TCanvas() { SetHandle(nullptr); }

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Deselect();
  dc_ = dc;
}

// Puts the DC's own objects back and frees the ones the canvas made.
void TCanvas::Deselect() {
  if (dc_) {
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    if (oldPen_) SelectObject(dc_, oldPen_);
  }
  oldFont_ = oldBrush_ = oldPen_ = nullptr;
  if (brushHandle_) DeleteObject(brushHandle_);
  if (penHandle_) DeleteObject(penHandle_);
  brushHandle_ = nullptr;
  penHandle_ = nullptr;
  brushStale_ = penStale_ = true;
}

void TCanvas::RequireHandle() const {
  if (!dc_) throw EInvalidGraphicOperation("Canvas does not allow drawing");
}

POINT TCanvas::PenPos() const {
  RequireHandle();
  POINT p{};
  GetCurrentPositionEx(dc_, &p);
  return p;
}

void TCanvas::SelectFont() {
  RequireHandle();
  HGDIOBJ old = SelectObject(dc_, FontHandle(font_.Data()));
  if (!oldFont_) oldFont_ = old;
  SetTextColor(dc_, ColorToRGB(font_.Color()));
}

void TCanvas::SelectBrush() {
  RequireHandle();
  if (brushStale_) {
    HBRUSH made = brush_.Style() == bsClear ? nullptr : CreateSolidBrush(ColorToRGB(brush_.Color()));
    HGDIOBJ old = SelectObject(dc_, made ? made : GetStockObject(NULL_BRUSH));
    if (!oldBrush_) oldBrush_ = old;
    if (brushHandle_) DeleteObject(brushHandle_);
    brushHandle_ = made;
    brushStale_ = false;
  }
  const bool clear = brush_.Style() == bsClear;
  SetBkMode(dc_, clear ? TRANSPARENT : OPAQUE);
  if (!clear) SetBkColor(dc_, ColorToRGB(brush_.Color()));
}

void TCanvas::SelectPen() {
  RequireHandle();
  if (penStale_) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    HPEN made = CreatePen(styles[pen_.Style()], pen_.Width(), ColorToRGB(pen_.Color()));
    HGDIOBJ old = SelectObject(dc_, made);
    if (!oldPen_) oldPen_ = old;
    if (penHandle_) DeleteObject(penHandle_);
    penHandle_ = made;
    penStale_ = false;
  }
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  SelectFont();
  SelectBrush();
  const std::wstring w = Utf8ToWide(text);
  ::TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
  MoveToEx(dc_, x + TextWidth(text), y, nullptr);
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
  SelectFont();
  SelectBrush();
  const std::wstring w = Utf8ToWide(text);
  const UINT options = ETO_CLIPPED | (brush_.Style() == bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutW(dc_, x, y, options, &rect, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
  SelectFont();
  const std::wstring w = Utf8ToWide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
  return size;
}

void TCanvas::FillRect(const RECT& rect) {
  SelectBrush();
  if (brushHandle_) ::FillRect(dc_, &rect, brushHandle_);
}

void TCanvas::FrameRect(const RECT& rect) {
  SelectBrush();
  if (brushHandle_) ::FrameRect(dc_, &rect, brushHandle_);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  SelectPen();
  SelectBrush();
  ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  SelectPen();
  SelectBrush();
  ::RoundRect(dc_, left, top, right, bottom, cornerWidth, cornerHeight);
}

void TCanvas::MoveTo(int x, int y) {
  RequireHandle();
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  SelectPen();
  ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
  SelectPen();
  if (!points.empty()) ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  RequireHandle();
  source.RequireHandle();
  StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(), sourceRect.left,
             sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top, copyMode_);
}

TColor TCanvas::GetPixel(int x, int y) {
  RequireHandle();
  const COLORREF c = ::GetPixel(dc_, x, y);
  return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  RequireHandle();
  ::SetPixel(dc_, x, y, ColorToRGB(color));
}
