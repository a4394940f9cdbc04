#pragma once
// A font as the toolkit describes it, independent of any device: a value that a TFont
// holds and that the Win32 toolkit turns into a LOGFONT when it draws.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "toolkit/core/color.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle values.
class TFontStyles {
public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle style : styles) Include(style);
  }
  constexpr bool Contains(TFontStyle style) const { return (bits_ & Bit(style)) != 0; }
  constexpr void Include(TFontStyle style) { bits_ |= Bit(style); }
  constexpr void Exclude(TFontStyle style) { bits_ &= static_cast<std::uint8_t>(~Bit(style)); }
  constexpr bool Empty() const { return bits_ == 0; }
  // Bit n stands for the style of ordinal n.
  constexpr std::uint8_t Bits() const { return bits_; }
  static constexpr TFontStyles FromBits(std::uint8_t bits) {
    TFontStyles styles;
    styles.bits_ = bits & 0x0F;
    return styles;
  }
  constexpr bool operator==(const TFontStyles&) const = default;

private:
  static constexpr std::uint8_t Bit(TFontStyle style) { return static_cast<std::uint8_t>(1u << style); }
  std::uint8_t bits_ = 0;
};

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = std::uint8_t;
inline constexpr TFontCharset DefaultFontCharset = 1;  // the Win32 DEFAULT_CHARSET

// The resolution a font's pixel height is meant for when nothing else is said: the one stored
// layouts are designed at.
inline constexpr int FontPixelsPerInch = 96;

// Height in pixels (negative: character height without internal leading) for a size in
// points at pixelsPerInch, and back; both round like Win32 MulDiv (halves away from zero).
int FontHeightForSize(int size, int pixelsPerInch = FontPixelsPerInch);
int FontSizeForHeight(int height, int pixelsPerInch = FontPixelsPerInch);

struct TFontData {
  std::string Name = "MS Sans Serif";
  int Height = -11;  // 8 points
  TFontStyles Style;
  TFontCharset Charset = DefaultFontCharset;
  TColor Color = clWindowText;
  TFontPitch Pitch = fpDefault;
  // The resolution Height is given at: Size converts through it.
  int PixelsPerInch = FontPixelsPerInch;

  int Size() const { return FontSizeForHeight(Height, PixelsPerInch); }
  void SetSize(int size) { Height = FontHeightForSize(size, PixelsPerInch); }

  bool operator==(const TFontData&) const = default;
};

// font shown at pixelsPerInch instead of its own resolution. A height that is exactly that of
// a whole point size (as the font dialog and Size give) keeps that point size; any other pixel
// height is scaled by the ratio of the resolutions.
TFontData ScaledFontData(const TFontData& font, int pixelsPerInch);
