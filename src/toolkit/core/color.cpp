#include "toolkit/core/color.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "toolkit/core/exceptions.h"

namespace {

// The Windows default colour scheme, by COLOR_xxx index (0 to 30).
constexpr std::array<TColor, 31> kDefaultSysColors = {
    RGBToColor(200, 200, 200),  // scroll bar
    RGBToColor(0, 0, 0),        // desktop background
    RGBToColor(153, 180, 209),  // active caption
    RGBToColor(191, 205, 219),  // inactive caption
    RGBToColor(240, 240, 240),  // menu
    RGBToColor(255, 255, 255),  // window
    RGBToColor(100, 100, 100),  // window frame
    RGBToColor(0, 0, 0),        // menu text
    RGBToColor(0, 0, 0),        // window text
    RGBToColor(0, 0, 0),        // caption text
    RGBToColor(180, 180, 180),  // active border
    RGBToColor(244, 247, 252),  // inactive border
    RGBToColor(171, 171, 171),  // application work space
    RGBToColor(51, 153, 255),   // highlight
    RGBToColor(255, 255, 255),  // highlight text
    RGBToColor(240, 240, 240),  // button face
    RGBToColor(160, 160, 160),  // button shadow
    RGBToColor(109, 109, 109),  // grey text
    RGBToColor(0, 0, 0),        // button text
    RGBToColor(67, 78, 84),     // inactive caption text
    RGBToColor(255, 255, 255),  // button highlight
    RGBToColor(105, 105, 105),  // 3-D dark shadow
    RGBToColor(227, 227, 227),  // 3-D light
    RGBToColor(0, 0, 0),        // tool tip text
    RGBToColor(255, 255, 225),  // tool tip background
    RGBToColor(0, 0, 0),        // (unused index)
    RGBToColor(0, 102, 204),    // hot-tracked item
    RGBToColor(185, 209, 234),  // active caption gradient
    RGBToColor(215, 228, 242),  // inactive caption gradient
    RGBToColor(51, 153, 255),   // menu highlight
    RGBToColor(240, 240, 240),  // menu bar
};

TSysColorResolver g_resolver = &DefaultSysColor;

struct ColorName {
  TColor color;
  const char* name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// "$" or "0x" followed by at most eight hex digits (taken as 32 bits, so "$FFFFFFFF" is -1),
// or a decimal number within 32-bit signed range.
bool ParseColorNumber(std::string_view text, TColor& value) {
  const char* end = text.data() + text.size();
  size_t hexPrefix = text.starts_with('$') ? 1 : (text.starts_with("0x") || text.starts_with("0X")) ? 2 : 0;
  if (hexPrefix > 0) {
    std::string_view hex = text.substr(hexPrefix);
    std::uint32_t bits = 0;
    if (hex.empty() || hex.size() > 8) return false;
    auto [ptr, ec] = std::from_chars(hex.data(), end, bits, 16);
    if (ec != std::errc() || ptr != end) return false;
    value = static_cast<TColor>(bits);
    return true;
  }
  std::string_view digits = text.starts_with('+') ? text.substr(1) : text;
  if (digits.empty()) return false;
  auto [ptr, ec] = std::from_chars(digits.data(), end, value, 10);
  return ec == std::errc() && ptr == end;
}

}  // namespace

TColor DefaultSysColor(int index) {
  if (index < 0 || index >= static_cast<int>(kDefaultSysColors.size())) return clBlack;
  return kDefaultSysColors[index];
}

TSysColorResolver SetSysColorResolver(TSysColorResolver resolver) {
  TSysColorResolver previous = g_resolver;
  g_resolver = resolver ? resolver : &DefaultSysColor;
  return previous;
}

TColor ColorToRGB(TColor color) {
  if (!IsSystemColor(color)) return color;
  return g_resolver(color & 0xFF);
}

bool IdentToColor(std::string_view ident, TColor& color) {
  for (const ColorName& entry : kColorNames) {
    if (SameTextAscii(ident, entry.name)) {
      color = entry.color;
      return true;
    }
  }
  return false;
}

bool ColorToIdent(TColor color, std::string& ident) {
  for (const ColorName& entry : kColorNames) {
    if (entry.color == color) {
      ident = entry.name;
      return true;
    }
  }
  return false;
}

std::string ColorToString(TColor color) {
  std::string ident;
  if (ColorToIdent(color, ident)) return ident;
  char text[16];
  std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(static_cast<std::uint32_t>(color)));
  return text;
}

TColor StringToColor(std::string_view text) {
  TColor color = clBlack;
  if (IdentToColor(text, color) || ParseColorNumber(text, color)) return color;
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}
