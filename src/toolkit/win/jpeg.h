#pragma once
// TJPEGImage: a JPEG file, decoded with libjpeg into a bitmap when it is loaded.
#include "toolkit/win/graphics.h"

class TJPEGImage : public TGraphic {
  QUILLIMO_CLASS(TJPEGImage, TGraphic)
public:
  TJPEGImage() = default;

  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }

  // The decoded picture.
  const TBitmap& Bitmap() const { return bitmap_; }

  // Stretches with halftoning, so a scaled picture stays smooth.
  void Draw(TCanvas& canvas, const RECT& rect) override;
  // Raises EInvalidImage "JPEG error #N" for data libjpeg cannot read; the image is unchanged.
  void LoadFromBytes(const std::uint8_t* data, std::size_t size) override;
  std::vector<std::uint8_t> SaveToBytes() const override { return jpeg_; }
  void Assign(const TPersistent* source) override;

private:
  std::vector<std::uint8_t> jpeg_;
  TBitmap bitmap_;
};
