#include "toolkit/win/jpeg.h"

#include "toolkit/win/canvas.h"
#include "toolkit/win/jpeg_decode.h"

QUILLIMO_REGISTER_CLASS(TJPEGImage);

void TJPEGImage::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  TBitmapPixels pixels = DecodeJpeg(data, size);
  jpeg_.assign(data, data + size);
  bitmap_.SetPixels(pixels);
  Changed();
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& rect) {
  if (Empty()) return;
  HDC dc = canvas.Handle();
  const bool scaled = rect.right - rect.left != Width() || rect.bottom - rect.top != Height();
  const int oldMode = scaled ? SetStretchBltMode(dc, HALFTONE) : 0;
  POINT oldOrigin{};
  if (scaled) SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  bitmap_.Draw(canvas, rect);
  if (scaled) {
    SetStretchBltMode(dc, oldMode);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  }
}

void TJPEGImage::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TJPEGImage*>(source)) {
    jpeg_ = other->jpeg_;
    bitmap_.Assign(&other->bitmap_);
    Changed();
    return;
  }
  TGraphic::Assign(source);
}
