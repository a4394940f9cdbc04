#include "toolkit/win/range_controls.h"

#include <commctrl.h>

QUILLIMO_REGISTER_CLASS(TRangeControl, [](TPropertyTable& p) {
  p.Integer("Min", &TRangeControl::Min, &TRangeControl::SetMin, 0);
  p.Integer("Max", &TRangeControl::Max, &TRangeControl::SetMax, 100);
  p.Integer("Position", &TRangeControl::Position, &TRangeControl::SetPosition, 0);
});
QUILLIMO_REGISTER_CLASS(TTrackBar, [](TPropertyTable& p) {
  p.Enum("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation, trHorizontal);
});
QUILLIMO_REGISTER_CLASS(TUpDown, [](TPropertyTable& p) {
  p.Enum("Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation, udVertical);
});
QUILLIMO_REGISTER_CLASS(TProgressBar, [](TPropertyTable& p) {
  p.Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth, false);
});

void TRangeControl::SetMin(int v) {
  min_ = v;
  if (HandleAllocated()) SendRange();
}

void TRangeControl::SetMax(int v) {
  max_ = v;
  if (HandleAllocated()) SendRange();
}

int TRangeControl::Position() const { return HandleAllocated() ? ReadPosition() : position_; }

void TRangeControl::SetPosition(int v) {
  position_ = v;
  if (HandleAllocated()) SendPosition();
}

void TRangeControl::HandleCreated() {
  SendRange();
  SendPosition();
}

// ---- TTrackBar

TTrackBar::TTrackBar(TComponent* owner) : TRangeControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
}

void TTrackBar::CreateParams(TCreateParams& params) {
  TRangeControl::CreateParams(params);
  params.ClassName = TRACKBAR_CLASSW;
  params.OwnClass = false;
  params.Style |= TBS_AUTOTICKS | (orientation_ == trVertical ? TBS_VERT : TBS_HORZ);
}

void TTrackBar::SendRange() {
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, Min());
  SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, Max());
}
void TTrackBar::SendPosition() { SendMessageW(Handle(), TBM_SETPOS, TRUE, position_); }
int TTrackBar::ReadPosition() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }

// ---- TUpDown

TUpDown::TUpDown(TComponent* owner) : TRangeControl(owner) { SetBounds(0, 0, 17, 25); }

void TUpDown::CreateParams(TCreateParams& params) {
  TRangeControl::CreateParams(params);
  params.ClassName = UPDOWN_CLASSW;
  params.OwnClass = false;
  if (orientation_ == udHorizontal) params.Style |= UDS_HORZ;
}

void TUpDown::SendRange() { SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(Min()), Max()); }
void TUpDown::SendPosition() { SendMessageW(Handle(), UDM_SETPOS32, 0, position_); }
int TUpDown::ReadPosition() const { return static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0)); }

// ---- TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TRangeControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& params) {
  TRangeControl::CreateParams(params);
  params.ClassName = PROGRESS_CLASSW;
  params.OwnClass = false;
  if (smooth_) params.Style |= PBS_SMOOTH;
}

void TProgressBar::SendRange() { SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(Min()), Max()); }
void TProgressBar::SendPosition() { SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0); }
int TProgressBar::ReadPosition() const { return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0)); }
