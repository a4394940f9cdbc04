#pragma once
// TControl: the base of everything that sits on a form. It keeps its bounds, alignment,
// visibility, text, font and colour as published properties, so that stored layouts and the
// localisation engine can set them by name, and it receives its messages through WindowProc,
// a replaceable handler that defaults to the virtual WndProc (the skin engine puts its own
// handler in front of it and restores the old one afterwards).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "toolkit/core/color.h"
#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/typeinfo.h"
#include "toolkit/core/tfont.h"
#include "toolkit/win/font_handle.h"
#include "toolkit/win/messages.h"

QUILLIMO_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)

class TWinControl;

class TControl : public TComponent {
  QUILLIMO_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

  // The inner area, in the control's own coordinates.
  virtual RECT ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int v);
  void SetClientHeight(int v);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to a shown window.
  virtual bool Showing() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Caption and Text are one string; a class publishes the name that suits it.
  virtual std::string GetText() const { return text_; }
  void SetText(const std::string& text);
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& text) { SetText(text); }

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  // The message handler; replace it to see every message first (keep the old one and call
  // it for what you do not handle).
  std::function<void(TMessage&)> WindowProc;
  LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);

  virtual void Invalidate();
  virtual void Update() {}
  void Repaint() {
    Invalidate();
    Update();
  }
  // Fires OnClick.
  virtual void Click();

  // Scales the control from one resolution (pixels per inch) to another, as a layout made at
  // the first is shown at the second: its bounds and its own font (one taken from the parent
  // follows the parent's). A windowed control scales its children too.
  virtual void ChangeScale(int fromPixelsPerInch, int toPixelsPerInch);

  // Where the control's top-left corner is on the screen, and conversions.
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;
  // The offset of the control inside the nearest windowed ancestor that paints it
  // (0, 0 for a windowed control).
  virtual POINT ClientOrigin() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;

  // Streaming: controls are children of their parent control.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

protected:
  virtual void WndProc(TMessage& msg);
  // What happens to a message nobody handled: nothing for windowless controls, the
  // window's previous procedure for windowed ones.
  virtual void DefaultHandler(TMessage& msg) {}

  virtual void BoundsChanged() {}
  virtual void VisibleChanged();
  virtual void EnabledChanged() {}
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void ColorChanged() { Invalidate(); }
  void ParentFontChanged();
  void ParentColorChanged();

  // The font's part of ChangeScale: its height, unless it is the parent's.
  void ScaleFont(int fromPixelsPerInch, int toPixelsPerInch);

  // Sets Visible without any effect (forms start hidden).
  void SetVisibleFlag(bool v) { visible_ = v; }

  // The colour the control paints its background with, resolved to RGB.
  COLORREF BackgroundRGB() const;

private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool fontFromParent_ = false;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
};

// Windowless controls painted by their parent (labels, images).
class TGraphicControl : public TControl {
  QUILLIMO_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  void Invalidate() override;
  void Update() override;
  // Draws the control; dc's origin is the control's top-left corner.
  virtual void Paint(HDC dc) {}

protected:
  // WM_PAINT (wParam: the parent's DC, its origin moved to the control) paints the control.
  // The parent hands windowless controls their paint and mouse messages through Perform, so a
  // replaced WindowProc sees them too.
  void WndProc(TMessage& msg) override;
};
