#pragma once
// TScreen: what the program knows about the desktop: its forms in creation order, the active
// form, the desktop size, the cursor and the menu font.
#include <windows.h>

#include <string>
#include <vector>

class TCustomForm;

class TScreen {
public:
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(static_cast<std::size_t>(index)); }
  // The form whose window is the active window, or nullptr.
  TCustomForm* ActiveForm() const;

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  // The primary monitor's resolution, pixels per inch (dpi_awareness.h).
  int PixelsPerInch() const;
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  // The work area: the desktop without the task bar.
  RECT WorkArea() const;
  POINT CursorPos() const;
  void SetCursorPos(POINT p) const { ::SetCursorPos(p.x, p.y); }

  // The system's menu font.
  std::string MenuFontName() const;
  int MenuFontHeight() const;
  HFONT MenuFontHandle();

  ~TScreen();

private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form) { forms_.push_back(form); }
  void RemoveForm(TCustomForm* form);
  std::vector<TCustomForm*> forms_;
  HFONT menuFont_ = nullptr;
};

extern TScreen* Screen;
