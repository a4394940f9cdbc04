#pragma once
// Colours as the toolkit stores them: a 32-bit signed value $00BBGGRR for an RGB colour, or
// $80000000 | index for a system colour (the index is a Win32 COLOR_xxx number), which is
// resolved to RGB only when something is drawn. clNone and clDefault are markers, not colours.
#include <cstdint>
#include <string>
#include <string_view>

using TColor = std::int32_t;

// A system colour for the Win32 COLOR_xxx index.
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index)); }
constexpr bool IsSystemColor(TColor color) { return color < 0; }

constexpr TColor RGBToColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}
constexpr std::uint8_t ColorRed(TColor color) { return static_cast<std::uint8_t>(color); }
constexpr std::uint8_t ColorGreen(TColor color) { return static_cast<std::uint8_t>(color >> 8); }
constexpr std::uint8_t ColorBlue(TColor color) { return static_cast<std::uint8_t>(color >> 16); }

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// Turns a system-colour index into RGB. The Win32 toolkit installs one that asks
// GetSysColor; until then a built-in table of the usual Windows defaults answers.
using TSysColorResolver = TColor (*)(int index);
// Installs resolver (nullptr restores the built-in table); returns the previous one.
TSysColorResolver SetSysColorResolver(TSysColorResolver resolver);
// The built-in table: the Windows default scheme; black for unknown indexes.
TColor DefaultSysColor(int index);

// The RGB value of color: system colours are resolved, everything else (clNone and
// clDefault included) is returned as it is.
TColor ColorToRGB(TColor color);

// "clBtnFace" for a named colour, otherwise "$" and eight upper-case hex digits.
std::string ColorToString(TColor color);
// A colour name (case-insensitive), "$" hex or decimal; raises EConvertError otherwise.
TColor StringToColor(std::string_view text);
// Looks a colour name up (case-insensitive); false when it is not one.
bool IdentToColor(std::string_view ident, TColor& color);
// The name of a named colour; false when the colour has none.
bool ColorToIdent(TColor color, std::string& ident);
