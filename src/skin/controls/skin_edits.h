#pragma once
// Combo boxes and edits in the skin. A combo box gets a sunken edge and its drop-down button
// from the skin (on the left for a right-to-left one, mirrored); an edit gets a flat one-pixel
// border in the shadow colour, and its spin child (an up-down or spin button inside it) a
// companion of its own.
#include "skin/controls/skin_control.h"

class TSkinUpDown;

class TSkinComBox : public TSkinControl {
  QUILLIMO_CLASS(TSkinComBox, TSkinControl)
public:
  explicit TSkinComBox(TComponent* owner) : TSkinControl(owner) {}
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  // The frame for the state: 2 pressed, 4 focused or hot, 1 enabled, 3 disabled.
  int StateIndex() const;
  // Where the drop-down button is drawn (window coordinates at 0, 0).
  RECT ButtonArea(const RECT& rect) const;

private:
  DWORD exStyle_ = 0;  // the window's extended style at the last paint (the button's side)
};

class TSkinEdit : public TSkinControl {
  QUILLIMO_CLASS(TSkinEdit, TSkinControl)
public:
  explicit TSkinEdit(TComponent* owner) : TSkinControl(owner) {}
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void FindSpinChild();
  void PaintPrintBorder(HDC dc);
  TSkinUpDown* upDown_ = nullptr;  // the companion of a spin button inside the edit
};
