#pragma once
// Buttons with a glyph beside their caption: the windowless speed button (TSpeedButton), which
// can stay down in a group, and the bitmap button (TBitBtn), an owner-drawn push button. Both
// take their glyph from a strip of NumGlyphs pictures (up, disabled, down) and lay glyph and
// caption out by Layout, Margin and Spacing (LayoutGlyphAndCaption).
#include <memory>

#include "toolkit/win/graphics.h"
#include "toolkit/win/stdctrls.h"

QUILLIMO_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

struct TGlyphPlaces {
  RECT Glyph{};
  RECT Caption{};
};

// Where glyph and caption go inside client. A margin of -1 centres the block (with a spacing of
// -1 as well, the free space is shared three ways: margin, spacing and the rest); a spacing of
// -1 with a margin shares what is left after the margin. Spacing counts only when there are
// both a glyph and a caption.
TGlyphPlaces LayoutGlyphAndCaption(const RECT& client, SIZE glyph, SIZE caption, TButtonLayout layout, int margin,
                                   int spacing);

// The size of one glyph of a strip of count glyphs (0 x 0 without a picture).
SIZE GlyphSize(const TBitmap* glyph, int count);

// The glyph and caption settings both buttons share.
class TGlyphSettings {
public:
  TGlyphSettings();
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* glyph);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v) { numGlyphs_ = v < 1 ? 1 : (v > 4 ? 4 : v); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v) { layout_ = v; }
  int Margin() const { return margin_; }
  void SetMargin(int v) { margin_ = v; }
  int Spacing() const { return spacing_; }
  void SetSpacing(int v) { spacing_ = v; }
  // Draws glyph and caption of the state (1 up, 2 disabled, 3 down) natively.
  void PaintContent(HDC dc, const RECT& client, const std::string& caption, const TFont& font, int state) const;

private:
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
};

// The published glyph accessors of a button that holds a TGlyphSettings in glyphs_ (the
// property tables take member functions of the class itself).
#define QUILLIMO_GLYPH_ACCESSORS                            \
  const TGlyphSettings& Glyphs() const { return glyphs_; }  \
  TBitmap* Glyph() const { return glyphs_.Glyph(); }        \
  void SetGlyph(TBitmap* g) { glyphs_.SetGlyph(g); }        \
  int NumGlyphs() const { return glyphs_.NumGlyphs(); }     \
  void SetNumGlyphs(int v) { glyphs_.SetNumGlyphs(v); }     \
  TButtonLayout Layout() const { return glyphs_.Layout(); } \
  void SetLayout(TButtonLayout v) { glyphs_.SetLayout(v); } \
  int Margin() const { return glyphs_.Margin(); }           \
  void SetMargin(int v) { glyphs_.SetMargin(v); }           \
  int Spacing() const { return glyphs_.Spacing(); }         \
  void SetSpacing(int v) { glyphs_.SetSpacing(v); }

class TSpeedButton : public TGraphicControl {
  QUILLIMO_CLASS(TSpeedButton, TGraphicControl)
public:
  QUILLIMO_GLYPH_ACCESSORS
  explicit TSpeedButton(TComponent* owner);
  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v) { allowAllUp_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  // Held down by the mouse right now.
  bool Pressed() const { return pressed_; }
  void Paint(HDC dc) override;

protected:
  void WndProc(TMessage& msg) override;

private:
  TGlyphSettings glyphs_;
  bool down_ = false, pressed_ = false, hot_ = false, flat_ = false, allowAllUp_ = false;
  int groupIndex_ = 0;
};

class TBitBtn : public TButton {
  QUILLIMO_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  QUILLIMO_GLYPH_ACCESSORS

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& msg) override;

private:
  TGlyphSettings glyphs_;
};
