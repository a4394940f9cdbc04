#pragma once
// TSpinButton: a pair of up and down arrow buttons in one window of class "TSpinButton".
// A press on either half fires OnUpClick or OnDownClick at once and, held down, again after
// 400 ms and then every 100 ms.
#include "toolkit/win/system_timer.h"
#include "toolkit/win/wincontrol.h"

class TSpinButton : public TWinControl {
  QUILLIMO_CLASS(TSpinButton, TWinControl)
public:
  explicit TSpinButton(TComponent* owner);
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;
  // 0 nothing pressed, 1 the up half, 2 the down half.
  int PressedHalf() const { return pressed_; }

protected:
  void WndProc(TMessage& msg) override;
  void PaintWindow(HDC dc) override;

private:
  void Press(int half);
  void Fire();
  int pressed_ = 0;
  TSystemTimer repeat_;
};
