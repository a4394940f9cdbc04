#include "skin/frames/text_painters.h"

#include "toolkit/core/utf8.h"

void DrawWideText(HDC dc, const std::string& text, RECT& rect, UINT format) {
  std::wstring wide = Utf8ToWide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

void DrawCenteredCaption(HDC dc, const RECT& rect, const std::string& text, UINT alignment, bool enabled) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = enabled ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  RECT measured = rect;
  DrawWideText(dc, text, measured, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  const int w = measured.right - measured.left, h = measured.bottom - measured.top;
  RECT at{rect.left + (rect.right - rect.left - w) / 2, rect.top + (rect.bottom - rect.top - h) / 2, 0, 0};
  at.right = at.left + w;
  at.bottom = at.top + h;
  DrawWideText(dc, text, at, DT_SINGLELINE | DT_EXPANDTABS | alignment);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}
