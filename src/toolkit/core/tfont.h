#pragma once
// TFont: the persistent font of a control or form, a TFontData with published properties
// (Name, Charset, Height, Size, Style, Color) and an OnChange event fired after each change.
// The Win32 side turns the description into an HFONT when it draws.
#include <string>

#include "toolkit/core/font.h"
#include "toolkit/core/object.h"
#include "toolkit/core/properties.h"

class TFont : public TPersistent {
  QUILLIMO_CLASS(TFont, TPersistent)
public:
  TFont() = default;

  const TFontData& Data() const { return data_; }
  void SetData(const TFontData& data);

  const std::string& Name() const { return data_.Name; }
  void SetName(const std::string& name);
  TFontCharset Charset() const { return data_.Charset; }
  void SetCharset(TFontCharset charset);
  int Height() const { return data_.Height; }
  void SetHeight(int height);
  int Size() const { return data_.Size(); }
  void SetSize(int size);
  TFontStyles Style() const { return data_.Style; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return data_.Color; }
  void SetColor(TColor color);

  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

private:
  // Stores next and fires OnChange, when it differs from what the font holds.
  void Change(const TFontData& next);
  // A copy of the font's data changed by edit, then Change: what every single setter does.
  template <class F>
  void Edit(F edit) {
    TFontData next = data_;
    edit(next);
    Change(next);
  }
  TFontData data_;
};
