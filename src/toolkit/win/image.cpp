#include "toolkit/win/image.h"

#include "toolkit/win/canvas.h"

QUILLIMO_REGISTER_CLASS(TImage, [](TPropertyTable& p) {
  p.Object("Picture", &TImage::Picture, &TImage::SetPicture);
  p.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch, false);
  p.Bool("Center", &TImage::Center, &TImage::SetCenter, false);
});

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = [this](TObject*) { Invalidate(); };
}

TImage::~TImage() = default;

void TImage::SetPicture(TPicture* picture) {
  picture_->Assign(picture);
  Invalidate();
}

void TImage::SetStretch(bool v) {
  stretch_ = v;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  center_ = v;
  Invalidate();
}

RECT TImage::DestRect() const {
  TGraphic* graphic = picture_->Graphic();
  if (!graphic || graphic->Empty()) return {0, 0, 0, 0};
  if (stretch_) return {0, 0, Width(), Height()};
  int w = graphic->Width(), h = graphic->Height();
  int x = center_ ? (Width() - w) / 2 : 0;
  int y = center_ ? (Height() - h) / 2 : 0;
  return {x, y, x + w, y + h};
}

void TImage::Paint(HDC dc) {
  TGraphic* graphic = picture_->Graphic();
  if (!graphic || graphic->Empty()) return;
  TCanvas canvas(dc);
  canvas.StretchDraw(DestRect(), *graphic);
}
