#pragma once
// TDateTimePicker: the comctl32 date and time picker, shown with a drop-down calendar button
// (dmComboBox) or with up-down arrows (dmUpDown).
#include <cstdint>

#include "toolkit/win/wincontrol.h"

QUILLIMO_ENUM(TDTDateMode, dmComboBox, dmUpDown)

class TDateTimePicker : public TWinControl {
  QUILLIMO_CLASS(TDateTimePicker, TWinControl)
public:
  explicit TDateTimePicker(TComponent* owner);
  TDTDateMode DateMode() const { return dateMode_; }
  void SetDateMode(TDTDateMode v) { dateMode_ = v; }

protected:
  void CreateParams(TCreateParams& params) override;

private:
  TDTDateMode dateMode_ = dmComboBox;
};
