#pragma once
// Controls that show a value in a range, in the skin: progress bars (a trough and its filled
// part, or a trough with a row of chunks), track bars (the thumb from the skin, channel and
// tics drawn by the control) and up-down buttons (two arrows from an eight-frame strip with
// their glyphs).
#include "skin/controls/skin_control.h"

class TSkinProgress : public TSkinControl {
  QUILLIMO_CLASS(TSkinProgress, TSkinControl)
public:
  explicit TSkinProgress(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  // The filled width of a bar width wide: position x width / upper limit.
  int FilledWidth(int width) const;
};

class TSkinTrackBar : public TSkinControl {
  QUILLIMO_CLASS(TSkinTrackBar, TSkinControl)
public:
  explicit TSkinTrackBar(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override;

private:
  void DrawThumb(HDC dc, RECT thumb);
};

class TSkinUpDown : public TSkinControl {
  QUILLIMO_CLASS(TSkinUpDown, TSkinControl)
public:
  explicit TSkinUpDown(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  bool IsHorizontal() const;
  // The frame of the element for arrow 0..3 (up, down, left, right) in state 1..4.
  static int ArrowFrame(int arrow, int state) { return state + 4 * arrow - (arrow >= 2 ? 8 : 0); }
  // The buttons sit inside an edit's border: one pixel less each side.
  void SetInset(bool value) { inset_ = value; }
  // Drawn side by side whatever the window's style says (a tab strip's scroller).
  void SetHorizontal(bool value) { horizontal_ = value; }

private:
  bool inset_ = false;
  bool horizontal_ = false;
};
