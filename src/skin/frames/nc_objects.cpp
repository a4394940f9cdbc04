#include "skin/frames/nc_objects.h"

#include "skin/frames/form_frame.h"

void TNCObject::Press() {
  if (Frame->HotObject() && Frame->HotObject() != this) Frame->HotObject()->Leave();
  if (!Visible) return;
  Frame->SetHotObject(this);
  State = 2;
  Paint();
}

void TNCObject::Release() {
  if (!Visible) return;
  State = 3;
  Paint();
}

void TNCObject::Hover() {
  if (Frame->HotObject() == this) return;
  if (Frame->HotObject()) Frame->HotObject()->Leave();
  if (!Visible) return;
  Frame->SetHotObject(this);
  State = 3;
  Paint();
}

void TNCObject::Leave() {
  if (!Visible) return;
  if (Frame->HotObject() == this) Frame->SetHotObject(nullptr);
  State = 1;
  Paint();
}
