#pragma once
// Check boxes and radio buttons in the skin: the control paints itself, then the companion
// paints the box (or circle) over it from the skin's CheckImage or RadioImage strip, in the
// frame of its value and state, at the side the text is not on.
#include "skin/controls/skin_control.h"
#include "toolkit/core/bitmap.h"

class TSkinCheckBox : public TSkinControl {
  QUILLIMO_CLASS(TSkinCheckBox, TSkinControl)
public:
  explicit TSkinCheckBox(TComponent* owner) : TSkinControl(owner) {}
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  // The frame of the strip for the box's value and state.
  virtual int FrameIndex(int frameCount) const;

protected:
  // 1 unchecked, 2 checked; from the button's check state or a published Checked property.
  int Value() const;
  bool Grayed() const;
  // The strip and its frame count.
  virtual const TBitmapPixels& Strip() const;
  virtual int StripFrames() const;
  // The box's distance from the window's edge on the text-free side.
  virtual int Indent() const { return 2; }
};

class TSkinRadioButton : public TSkinCheckBox {
  QUILLIMO_CLASS(TSkinRadioButton, TSkinCheckBox)
public:
  explicit TSkinRadioButton(TComponent* owner) : TSkinCheckBox(owner) {}
  int FrameIndex(int frameCount) const override;

protected:
  const TBitmapPixels& Strip() const override;
  int StripFrames() const override;
  int Indent() const override { return 0; }
};
