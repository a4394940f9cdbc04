#pragma once
// TImage: a windowless control that shows a TPicture (a bitmap, icon or JPEG), at its own
// size in the top-left corner, centred, or stretched to fill the control.
#include <memory>

#include "toolkit/win/control.h"
#include "toolkit/win/graphics.h"

class TImage : public TGraphicControl {
  QUILLIMO_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture* Picture() const { return picture_.get(); }
  // Takes a copy of the picture's graphic.
  void SetPicture(TPicture* picture);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);

  // Where the graphic is drawn, in the control's coordinates (empty without a graphic).
  RECT DestRect() const;
  void Paint(HDC dc) override;

private:
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool center_ = false;
};
