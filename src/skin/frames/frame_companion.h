#pragma once
// What a skinned window's frame needs of the skin controls (companions) it lists: they are
// told when the skin changed, say when their window is gone, and a bare window's hot button is
// told when the mouse left it. The skinned-control family implements this.
class TFrameCompanion {
public:
  virtual ~TFrameCompanion() = default;
  virtual void NotifySkinChanged() = 0;
  // The companion's window received WM_NCDESTROY.
  virtual bool IsDead() const = 0;
  // The mouse left the companion (hot push buttons of bare windows).
  virtual void MouseLeft() {}
  // Serves this window (for bare windows, whose companions are found by handle).
  virtual bool Serves(HWND wnd) const { return false; }
};
