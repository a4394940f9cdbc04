#pragma once
// The common controls that show a value in a range: the track bar (TTrackBar), the up-down
// buttons (TUpDown) and the progress bar (TProgressBar). Each is its comctl32 window class
// with the range and position kept here and put into the window when it is made.
#include "toolkit/win/wincontrol.h"

QUILLIMO_ENUM(TTrackBarOrientation, trHorizontal, trVertical)
QUILLIMO_ENUM(TUDOrientation, udVertical, udHorizontal)

// What the three have in common: Min, Max and Position, sent to the window by a message pair.
class TRangeControl : public TWinControl {
  QUILLIMO_CLASS(TRangeControl, TWinControl)
public:
  explicit TRangeControl(TComponent* owner) : TWinControl(owner) {}
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  // The window's position when it has one (the user may have moved it).
  int Position() const;
  void SetPosition(int v);

protected:
  void HandleCreated() override;
  virtual void SendRange() = 0;
  virtual void SendPosition() = 0;
  virtual int ReadPosition() const = 0;
  int position_ = 0;

private:
  int min_ = 0, max_ = 100;
};

class TTrackBar : public TRangeControl {
  QUILLIMO_CLASS(TTrackBar, TRangeControl)
public:
  explicit TTrackBar(TComponent* owner);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation v) { orientation_ = v; }

protected:
  void CreateParams(TCreateParams& params) override;
  void SendRange() override;
  void SendPosition() override;
  int ReadPosition() const override;

private:
  TTrackBarOrientation orientation_ = trHorizontal;
};

class TUpDown : public TRangeControl {
  QUILLIMO_CLASS(TUpDown, TRangeControl)
public:
  explicit TUpDown(TComponent* owner);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation v) { orientation_ = v; }

protected:
  void CreateParams(TCreateParams& params) override;
  void SendRange() override;
  void SendPosition() override;
  int ReadPosition() const override;

private:
  TUDOrientation orientation_ = udVertical;
};

class TProgressBar : public TRangeControl {
  QUILLIMO_CLASS(TProgressBar, TRangeControl)
public:
  explicit TProgressBar(TComponent* owner);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v) { smooth_ = v; }

protected:
  void CreateParams(TCreateParams& params) override;
  void SendRange() override;
  void SendPosition() override;
  int ReadPosition() const override;

private:
  bool smooth_ = false;
};
