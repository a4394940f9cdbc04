#pragma once
// Guards for device contexts and the objects selected into them, so that every DC taken is
// given back and every selection undone on every path, exceptions included.
//
//   TPaintDC     BeginPaint/EndPaint, or the DC a WM_PAINT brought in wParam (not released)
//   TWindowDC    the whole window's DC (non-client area included): GetWindowDC, or GetDCEx
//                with flags and a region (WM_NCPAINT), released with ReleaseDC
//   TClientDC    GetDC of the client area
//   TMemoryDC    a memory DC compatible with another, with its own bitmap of a size, for
//                composing off screen; BlitTo copies it out in one operation
//   TSelectObject  SelectObject and back
#include "toolkit/win/messages.h"

class TPaintDC {
public:
  // dcFromMessage: the wParam of WM_PAINT (a DC when not 0).
  TPaintDC(HWND wnd, WPARAM dcFromMessage = 0) : wnd_(wnd) {
    dc_ = dcFromMessage ? reinterpret_cast<HDC>(dcFromMessage) : BeginPaint(wnd, &ps_);
    began_ = dcFromMessage == 0;
  }
  ~TPaintDC() {
    if (began_) EndPaint(wnd_, &ps_);
  }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Handle() const { return dc_; }
  operator HDC() const { return dc_; }
  const PAINTSTRUCT& Info() const { return ps_; }

private:
  HWND wnd_;
  HDC dc_ = nullptr;
  PAINTSTRUCT ps_{};
  bool began_ = false;
};

// A DC taken with GetDC, GetWindowDC or GetDCEx, released with ReleaseDC.
class TReleasedDC {
public:
  ~TReleasedDC() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  TReleasedDC(const TReleasedDC&) = delete;
  TReleasedDC& operator=(const TReleasedDC&) = delete;
  HDC Handle() const { return dc_; }
  operator HDC() const { return dc_; }

protected:
  TReleasedDC(HWND wnd, HDC dc) : wnd_(wnd), dc_(dc) {}

private:
  HWND wnd_;
  HDC dc_;
};

class TWindowDC : public TReleasedDC {
public:
  explicit TWindowDC(HWND wnd) : TReleasedDC(wnd, GetWindowDC(wnd)) {}
  // GetDCEx; the region belongs to the system once passed (DCX_INTERSECTRGN).
  TWindowDC(HWND wnd, HRGN region, DWORD flags) : TReleasedDC(wnd, GetDCEx(wnd, region, flags)) {}
};

class TClientDC : public TReleasedDC {
public:
  explicit TClientDC(HWND wnd) : TReleasedDC(wnd, GetDC(wnd)) {}
};

class TSelectObject {
public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

class TMemoryDC {
public:
  // A width x height bitmap compatible with like (the screen when like is nullptr).
  TMemoryDC(HDC like, int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(like);
    HDC screen = like ? like : GetDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
    if (!like) ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~TMemoryDC() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Handle() const { return dc_; }
  operator HDC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the whole bitmap to (x, y) of dest.
  void BlitTo(HDC dest, int x, int y) const { BitBlt(dest, x, y, width_, height_, dc_, 0, 0, SRCCOPY); }

private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  int width_, height_;
};
