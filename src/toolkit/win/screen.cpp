#include "toolkit/win/screen.h"

#include <algorithm>

#include "toolkit/core/utf8.h"
#include "toolkit/win/dpi_awareness.h"
#include "toolkit/win/form.h"

namespace {
TScreen& TheScreen() {
  static TScreen screen;
  return screen;
}

NONCLIENTMETRICSW NonClientMetrics() {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof(m);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0);
  return m;
}
}  // namespace

TScreen* Screen = &TheScreen();

TScreen::~TScreen() {
  if (menuFont_) DeleteObject(menuFont_);
}

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* form : forms_)
    if (form->HandleAllocated() && form->Handle() == active) return form;
  return nullptr;
}

int TScreen::PixelsPerInch() const { return SystemPixelsPerInch(); }

RECT TScreen::WorkArea() const {
  RECT r{0, 0, Width(), Height()};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

POINT TScreen::CursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

std::string TScreen::MenuFontName() const { return WideToUtf8(NonClientMetrics().lfMenuFont.lfFaceName); }

int TScreen::MenuFontHeight() const { return NonClientMetrics().lfMenuFont.lfHeight; }

HFONT TScreen::MenuFontHandle() {
  if (!menuFont_) {
    LOGFONTW lf = NonClientMetrics().lfMenuFont;
    menuFont_ = CreateFontIndirectW(&lf);
  }
  return menuFont_;
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}
