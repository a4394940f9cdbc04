#include "toolkit/win/datetime.h"

#include <commctrl.h>

QUILLIMO_REGISTER_CLASS(TDateTimePicker, [](TPropertyTable& p) {
  p.Enum("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode, dmComboBox);
});

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_DATE_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)registered;
  TWinControl::CreateParams(params);
  params.ClassName = DATETIMEPICK_CLASSW;
  params.OwnClass = false;
  if (dateMode_ == dmUpDown) params.Style |= DTS_UPDOWN;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}
