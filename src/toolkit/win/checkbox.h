#pragma once
// TCheckBox: the system "BUTTON" with the three-state check-box style. A click moves the state
// on (unchecked, checked, and grayed when AllowGrayed) and fires OnClick.
#include "toolkit/win/stdctrls.h"

QUILLIMO_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
QUILLIMO_ENUM(TLeftRight, taLeftSide, taRightSide)

class TCustomCheckBox : public TButtonControl {
  QUILLIMO_CLASS(TCustomCheckBox, TButtonControl)
public:
  explicit TCustomCheckBox(TComponent* owner);
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState v);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  // The side the text is on: taLeftSide puts the box at the right edge.
  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight v);

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void Clicked() override;

private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TLeftRight alignment_ = taRightSide;
};

class TCheckBox : public TCustomCheckBox {
  QUILLIMO_CLASS(TCheckBox, TCustomCheckBox)
public:
  explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};
