#pragma once
// The clickable objects of a skinned window's non-client area: title-bar buttons here, menu-bar
// items in menu_bar.h. Each has bounds in window coordinates (origin at the window's top-left
// corner) and a state (1 normal, 2 pressed, 3 hot); the frame keeps the one under the mouse as
// its HotObject.
#include "toolkit/win/messages.h"

class TSkinFormFrame;
class TDataSkinSysButton;

class TNCObject {
public:
  explicit TNCObject(TSkinFormFrame* frame) : Frame(frame) {}
  virtual ~TNCObject() = default;

  // Becomes the hot object, pressed (another hot object leaves first).
  virtual void Press();
  // Back to hot after a press.
  virtual void Release();
  // Becomes the hot object (another hot object leaves first).
  virtual void Hover();
  // No longer hot.
  virtual void Leave();
  virtual void Paint() {}

  TSkinFormFrame* Frame;
  RECT Bounds{};
  bool Visible = true;
  int State = 1;
};

// A title-bar button, described by one of the skin's system buttons.
class TSkinTitleButton : public TNCObject {
public:
  TSkinTitleButton(TSkinFormFrame* frame, TDataSkinSysButton* button) : TNCObject(frame), SkinButton(button) {}
  // Draws the button in its state straight onto the window (the frame paints it).
  void Paint() override;
  TDataSkinSysButton* SkinButton;
};
