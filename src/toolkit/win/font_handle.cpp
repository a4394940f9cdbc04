#include "toolkit/win/font_handle.h"

#include <utility>
#include <vector>

#include "toolkit/core/utf8.h"

LOGFONTW FontToLogFont(const TFontData& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.Height;
  lf.lfWeight = font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Style.Contains(fsItalic);
  lf.lfUnderline = font.Style.Contains(fsUnderline);
  lf.lfStrikeOut = font.Style.Contains(fsStrikeOut);
  lf.lfCharSet = font.Charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  std::wstring name = Utf8ToWide(font.Name);
  name.resize(std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
  std::copy(name.begin(), name.end(), lf.lfFaceName);
  return lf;
}

HFONT FontHandle(const TFontData& font) {
  static std::vector<std::pair<TFontData, HFONT>> cache;
  TFontData key = font;
  key.Color = 0;  // the colour and the resolution are not part of the GDI font
  key.PixelsPerInch = 0;
  for (auto& [data, handle] : cache)
    if (data == key) return handle;
  LOGFONTW lf = FontToLogFont(key);
  HFONT handle = CreateFontIndirectW(&lf);
  cache.emplace_back(key, handle);
  return handle;
}
