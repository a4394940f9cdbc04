#pragma once
// Tabs in the skin: tab controls (TSkinTab: the tab strip from the Tabs image and the page
// border from its Border image, in any of the four orientations) and tab sets (TSkinTab31: a
// row of tabs hanging downward, a control of another toolkit found by its class name).
#include "skin/controls/skin_control.h"
#include "toolkit/core/bitmap.h"
#include "toolkit/win/graphics.h"

class TSkinUpDown;

namespace TabOrientation {
inline constexpr int Top = 0, Bottom = 1, Left = 2, Right = 3;
}

class TSkinTab : public TSkinControl {
  QUILLIMO_CLASS(TSkinTab, TSkinControl)
public:
  explicit TSkinTab(TComponent* owner) : TSkinControl(owner) {}
  void AttachHandle(HWND wnd, TSkinSet* skin, TSkinFormFrame* frame, TCanvas* canvas) override;
  void NotifySkinChanged() override;
  bool HandleBefore(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  // The page area: the display area inflated by 4 and moved a pixel toward the tabs.
  RECT PageArea() const;
  // The side the tabs are on (TabOrientation), read from the window's style.
  int Orientation() const { return orientation_; }
  // The Tabs image as the tabs are drawn: turned for the orientation.
  const TBitmapPixels& TabImage() const { return tabImage_; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  // Orientation and the turned working copies of the Tabs images.
  void PrepareImages();
  void FindScroller();
  int orientation_ = TabOrientation::Top;
  TBitmapPixels tabImage_, borderImage_;
  TBitmap buffer_;                 // the tab strip, laid out horizontally
  TSkinUpDown* upDown_ = nullptr;  // the companion of the tab scroller
};

class TSkinTab31 : public TSkinControl {
  QUILLIMO_CLASS(TSkinTab31, TSkinControl)
public:
  explicit TSkinTab31(TComponent* owner) : TSkinControl(owner) {}
  // Attaches to the owner's window (a tab set).
  void AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas) override;
  bool HandleBefore(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  TBitmapPixels tabImage_;           // the Tabs image upside down (the tabs hang below)
  TSkinUpDown* upDown_ = nullptr;    // the companion of the scroller
  TWinControl* scroller_ = nullptr;  // the tab set's scroller
};
