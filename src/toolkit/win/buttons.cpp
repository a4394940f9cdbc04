#include "toolkit/win/buttons.h"

#include <algorithm>

#include "toolkit/core/utf8.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"

namespace {
template <class C>
void RegisterGlyphProperties(TPropertyTable& p) {
  p.Object("Glyph", &C::Glyph, &C::SetGlyph);
  p.Integer("NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs, 1);
  p.Enum("Layout", &C::Layout, &C::SetLayout, blGlyphLeft);
  p.Integer("Margin", &C::Margin, &C::SetMargin, -1);
  p.Integer("Spacing", &C::Spacing, &C::SetSpacing, 4);
}
}  // namespace

QUILLIMO_REGISTER_CLASS(TSpeedButton, [](TPropertyTable& p) {
  p.String("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
  p.Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false);
  p.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0);
  p.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false);
  p.Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false);
  RegisterGlyphProperties<TSpeedButton>(p);
});
QUILLIMO_REGISTER_CLASS(TBitBtn, [](TPropertyTable& p) { RegisterGlyphProperties<TBitBtn>(p); });

TGlyphPlaces LayoutGlyphAndCaption(const RECT& client, SIZE glyph, SIZE caption, TButtonLayout layout, int margin,
                                   int spacing) {
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  const int avail = horizontal ? client.right - client.left : client.bottom - client.top;
  const int g = horizontal ? glyph.cx : glyph.cy;
  const int c = horizontal ? caption.cx : caption.cy;
  const bool both = g > 0 && c > 0;
  if (!both) spacing = spacing == -1 ? 0 : 0;
  if (margin == -1 && spacing == -1) {
    margin = spacing = std::max((avail - g - c) / 3, 0);
  } else if (margin == -1) {
    margin = std::max((avail - g - c - spacing) / 2, 0);
  } else if (spacing == -1) {
    spacing = std::max((avail - margin - g - c) / 2, 0);
  }
  // Distances along the layout axis from the side the glyph is on.
  const int glyphAt = margin, captionAt = margin + g + spacing;
  TGlyphPlaces places;
  const int w = client.right - client.left, h = client.bottom - client.top;
  auto place = [&](int along, SIZE size) {
    RECT r{};
    switch (layout) {
      case blGlyphLeft:
        r.left = along;
        r.top = (h - size.cy) / 2;
        break;
      case blGlyphRight:
        r.left = w - along - size.cx;
        r.top = (h - size.cy) / 2;
        break;
      case blGlyphTop:
        r.left = (w - size.cx) / 2;
        r.top = along;
        break;
      case blGlyphBottom:
        r.left = (w - size.cx) / 2;
        r.top = h - along - size.cy;
        break;
    }
    r.left += client.left;
    r.top += client.top;
    r.right = r.left + size.cx;
    r.bottom = r.top + size.cy;
    return r;
  };
  places.Glyph = place(glyphAt, glyph);
  places.Caption = place(g > 0 ? captionAt : (horizontal ? (w - caption.cx) / 2 : (h - caption.cy) / 2), caption);
  return places;
}

SIZE GlyphSize(const TBitmap* glyph, int count) {
  if (!glyph || glyph->Width() == 0) return {0, 0};
  return {glyph->Width() / std::max(count, 1), glyph->Height()};
}

TGlyphSettings::TGlyphSettings() : glyph_(std::make_unique<TBitmap>()) {}

void TGlyphSettings::SetGlyph(TBitmap* glyph) {
  if (glyph)
    glyph_->Assign(glyph);
  else
    glyph_ = std::make_unique<TBitmap>();
}

void TGlyphSettings::PaintContent(HDC dc, const RECT& client, const std::string& caption, const TFont& font,
                                  int state) const {
  const SIZE glyph = GlyphSize(glyph_.get(), numGlyphs_);
  TSelectObject selected(dc, FontHandle(font.Data()));
  RECT measured{0, 0, 0, 0};
  std::wstring text = Utf8ToWide(caption);
  if (!text.empty()) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
  const SIZE size{measured.right, measured.bottom};
  const TGlyphPlaces places = LayoutGlyphAndCaption(client, glyph, size, layout_, margin_, spacing_);
  if (glyph.cx > 0) {
    const int index = state <= numGlyphs_ ? state - 1 : 0;
    TBitmap& g = *glyph_;
    GdiTransparentBlt(dc, places.Glyph.left, places.Glyph.top, glyph.cx, glyph.cy, g.Canvas().Handle(),
                      index * glyph.cx, 0, glyph.cx, glyph.cy, static_cast<UINT>(ColorToRGB(g.TransparentColor())));
  }
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(state == 2 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT r = places.Caption;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOCLIP);
  }
}

// ---- TSpeedButton

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::SetDown(bool v) {
  if (v == down_) return;
  down_ = v;
  if (v && groupIndex_ && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
          other && other != this && other->groupIndex_ == groupIndex_)
        other->SetDown(false);
  Invalidate();
}

void TSpeedButton::SetFlat(bool v) {
  flat_ = v;
  Invalidate();
}

void TSpeedButton::Paint(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  FillRect(dc, &r, face);
  DeleteObject(face);
  const bool sunk = pressed_ || down_;
  if (sunk)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (!flat_ || hot_)
    DrawEdge(dc, &r, flat_ ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  RECT client{1, 1, Width() - 1, Height() - 1};
  if (sunk) OffsetRect(&client, 1, 1);
  glyphs_.PaintContent(dc, client, Caption(), *Font(), !Enabled() ? 2 : (sunk ? 3 : 1));
}

void TSpeedButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      Invalidate();
      return;
    case WM_LBUTTONUP: {
      const bool inside =
          static_cast<short>(LOWORD(msg.LParam)) >= 0 && static_cast<short>(LOWORD(msg.LParam)) < Width() &&
          static_cast<short>(HIWORD(msg.LParam)) >= 0 && static_cast<short>(HIWORD(msg.LParam)) < Height();
      const bool was = pressed_;
      pressed_ = false;
      Invalidate();
      if (was && inside) {
        if (groupIndex_) SetDown(allowAllUp_ ? !down_ : true);
        Click();
      }
      return;
    }
    case CM_MOUSEENTER:
      hot_ = true;
      if (flat_) Invalidate();
      return;
    case CM_MOUSELEAVE:
      hot_ = false;
      if (flat_) Invalidate();
      return;
    default: TGraphicControl::WndProc(msg);
  }
}

// ---- TBitBtn

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& msg) {
  if (msg.Msg == CN_DRAWITEM) {
    const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam);
    RECT r = dis.rcItem;
    const bool down = dis.itemState & ODS_SELECTED;
    DrawFrameControl(dis.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    RECT client{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    if (down) OffsetRect(&client, 1, 1);
    glyphs_.PaintContent(dis.hDC, client, Caption(), *Font(), (dis.itemState & ODS_DISABLED) ? 2 : (down ? 3 : 1));
    if (dis.itemState & ODS_FOCUS) {
      RECT focus{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
      DrawFocusRect(dis.hDC, &focus);
    }
    msg.Result = TRUE;
    return;
  }
  TButton::WndProc(msg);
}
