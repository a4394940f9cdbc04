#include "toolkit/core/tfont.h"

#include "toolkit/core/typeinfo.h"

void TFont::Change(const TFontData& next) {
  if (next == data_) return;
  data_ = next;
  OnChange(this);
}

void TFont::SetData(const TFontData& data) { Change(data); }

void TFont::SetName(const std::string& name) {
  Edit([&](TFontData& d) { d.Name = name; });
}

void TFont::SetCharset(TFontCharset charset) {
  Edit([&](TFontData& d) { d.Charset = charset; });
}

void TFont::SetHeight(int height) {
  Edit([&](TFontData& d) { d.Height = height; });
}

void TFont::SetSize(int size) {
  Edit([&](TFontData& d) { d.SetSize(size); });
}

void TFont::SetStyle(TFontStyles style) {
  Edit([&](TFontData& d) { d.Style = style; });
}

void TFont::SetColor(TColor color) {
  Edit([&](TFontData& d) { d.Color = color; });
}

void TFont::Assign(const TPersistent* source) {
  if (const auto* font = dynamic_cast<const TFont*>(source)) {
    Change(font->data_);
    return;
  }
  inherited::Assign(source);
}

namespace {

// TFontStyle is a plain enumeration of font.h; its names for the set notation live here.
const TTypeInfo& FontStylesTypeInfo() {
  static const TTypeInfo style = MakeEnumTypeInfo("TFontStyle", "fsBold, fsItalic, fsUnderline, fsStrikeOut");
  return SetTypeInfo(style);
}

}  // namespace

QUILLIMO_REGISTER_CLASS(TFont, [](TPropertyTable& p) {
  p.Integer("Charset", &TFont::Charset, &TFont::SetCharset, DefaultFontCharset);
  p.Integer("Color", &TFont::Color, &TFont::SetColor).NoDefault();
  p.Integer("Height", &TFont::Height, &TFont::SetHeight);
  p.String("Name", &TFont::Name, &TFont::SetName);
  p.Integer("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  TPropInfo style;
  style.Name = "Style";
  style.PropType = &FontStylesTypeInfo();
  style.GetOrd = [](TObject* o) -> std::int64_t { return static_cast<TFont*>(o)->Style().Bits(); };
  style.SetOrd = [](TObject* o, std::int64_t bits) {
    static_cast<TFont*>(o)->SetStyle(TFontStyles::FromBits(static_cast<std::uint8_t>(bits)));
  };
  style.HasDefault = true;
  style.Default = 0;
  p.Add(std::move(style));
})
