#include "toolkit/win/checkbox.h"

QUILLIMO_REGISTER_CLASS(TCustomCheckBox, [](TPropertyTable& p) {
  p.String("Caption", &TCustomCheckBox::Caption, &TCustomCheckBox::SetCaption);
  p.Enum("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment, taRightSide);
  p.Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed, false);
  p.Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, false);
  p.Enum("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState, cbUnchecked);
});
QUILLIMO_REGISTER_CLASS(TCheckBox);

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.ClassName = L"BUTTON";
  params.OwnClass = false;
  params.Style |= BS_3STATE;
  if (alignment_ == taLeftSide) params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::HandleCreated() { SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0); }

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == state_) return;
  state_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(v), 0);
  if (!IsLoading()) Click();
}

void TCustomCheckBox::SetAlignment(TLeftRight v) {
  if (v == alignment_) return;
  alignment_ = v;
  if (!HandleAllocated()) return;
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = v == taLeftSide ? style | BS_LEFTTEXT : style & ~static_cast<LONG_PTR>(BS_LEFTTEXT);
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  Invalidate();
}

void TCustomCheckBox::Clicked() {
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbGrayed: SetState(cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
  }
}
