#pragma once
// The push buttons in the skin: TSkinButton (push buttons, drawn whole from the five-frame
// Buttons element), TSkinBitButton (bitmap buttons: glyph and caption over the element) and
// TSkinSpeedButton (the windowless speed buttons, composed on the shared scratch bitmap).
#include "skin/controls/skin_control.h"
#include "toolkit/win/graphics.h"

class TGlyphSettings;

class TSkinButton : public TSkinControl {
  QUILLIMO_CLASS(TSkinButton, TSkinControl)
public:
  explicit TSkinButton(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  // The frame of the Buttons element for the button's state: 2 pressed, 4 hot or focused,
  // 5 default, 1 normal; 3 when disabled.
  int StateIndex() const;

protected:
  // Refreshes Enabled, Focused, Text and Default from the window (and the control).
  void ReadButtonState();
  // The button's click: the toolkit control's, or WM_COMMAND to a bare window's parent.
  void ClickButton();
  // Buffer at w x h with the face and frame state of count frames of the Buttons element.
  HDC BufferWithFrame(int w, int h, int count, int state);

private:
  TBitmap buffer_;
  bool default_ = false;  // the dialog's default button
};

class TSkinBitButton : public TSkinButton {
  QUILLIMO_CLASS(TSkinBitButton, TSkinButton)
public:
  explicit TSkinBitButton(TComponent* owner) : TSkinButton(owner) {}
  void Paint(HDC dc, const RECT& rect) override;

protected:
  // The state (1 normal, 2 pressed, 3 disabled, 4 hot or focused) of a glyph button.
  int GlyphButtonState() const;
  // Glyph and caption of the glyph settings laid out in rect of dc, in the state's colours.
  void PaintGlyphAndCaption(HDC dc, const RECT& rect, const TGlyphSettings& glyphs, HFONT font, int state);
};

class TSkinSpeedButton : public TSkinBitButton {
  QUILLIMO_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
  explicit TSkinSpeedButton(TComponent* owner) : TSkinBitButton(owner) {}
  // Attaches to the owner, a windowless control.
  void AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas) override;
  bool HandleBefore(TMessage& msg) override;
  void AfterMessage(TMessage& msg) override;
  void Redraw(HDC dc = nullptr) override;
  void Paint(HDC dc, const RECT& rect) override;
};
