#pragma once
// Containers in the skin: group boxes (a rounded frame in the shadow colour, the caption on the
// face colour), panels, tool bars and embedded forms (TSkinBox: only the skin's face colour) and
// size grips (a flat frame).
#include "skin/controls/skin_control.h"

class TSkinGroupBox : public TSkinControl {
  QUILLIMO_CLASS(TSkinGroupBox, TSkinControl)
public:
  explicit TSkinGroupBox(TComponent* owner) : TSkinControl(owner) {}
  void Paint(HDC dc, const RECT& rect) override;
};

class TSkinBox : public TSkinControl {
  QUILLIMO_CLASS(TSkinBox, TSkinControl)
public:
  explicit TSkinBox(TComponent* owner) : TSkinControl(owner) {}
  // Remembers the references and recolors the control; no message handler, no painting.
  void AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas) override;
  void AfterMessage(TMessage& msg) override {}
  void RestoreColor() override;
};

class TSkinSizer : public TSkinControl {
  QUILLIMO_CLASS(TSkinSizer, TSkinControl)
public:
  explicit TSkinSizer(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
};
