#include "toolkit/win/imagelist.h"

#include <algorithm>

#include "toolkit/core/bmp_codec.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/format.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/stored_block.h"

QUILLIMO_REGISTER_CLASS(TImageList, [](TPropertyTable& p) {
  p.Integer("Height", &TImageList::Height, &TImageList::SetHeight, 16);
  p.Integer("Width", &TImageList::Width, &TImageList::SetWidth, 16);
});

namespace {
constexpr const char* kInvalidImageSize = "Invalid image size";

struct Bgra {
  std::uint8_t b, g, r, a;
};

Bgra* Row(TBitmapPixels& px, int y) { return reinterpret_cast<Bgra*>(px.ScanLine(y)); }
const Bgra* Row(const TBitmapPixels& px, int y) { return reinterpret_cast<const Bgra*>(px.ScanLine(y)); }

// A 32-bit top-down DIB section of width x height; bits receives its memory.
void SetOpaque(TBitmapPixels& px) {
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) Row(px, y)[x].a = 255;
}

HBITMAP MakeDib(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
  if (!dib) throw EOutOfResources("Out of system resources");
  return dib;
}

}  // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() { DestroyHandle(); }

void TImageList::DestroyHandle() {
  if (handle_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TImageList::Changed() {
  DestroyHandle();
  OnChange(this);
}

void TImageList::SetWidth(int width) {
  if (width == width_) return;
  if (width <= 0 || width > kMaxBitmapSide) throw EInvalidOperation(kInvalidImageSize);
  width_ = width;
  Clear();
}

void TImageList::SetHeight(int height) {
  if (height == height_) return;
  if (height <= 0 || height > kMaxBitmapSide) throw EInvalidOperation(kInvalidImageSize);
  height_ = height;
  Clear();
}

void TImageList::Clear() {
  images_.clear();
  Changed();
}

void TImageList::Delete(int index) {
  Image(index);
  images_.erase(images_.begin() + index);
  Changed();
}

const TBitmapPixels& TImageList::Image(int index) const {
  if (index < 0 || index >= ImageCount()) throw EListError(Format(ExceptionText::ListIndexError, {index}));
  return images_[index];
}

// Splits strip (32-bit) into images; transparent, when given, marks pixels to clear.
int TImageList::AddStrip(const TBitmapPixels& strip, const std::vector<bool>* transparent) {
  if (strip.Height() != height_ || strip.Width() < width_ || strip.Width() % width_ != 0)
    throw EInvalidOperation(kInvalidImageSize);
  const int first = ImageCount();
  for (int k = 0; k < strip.Width() / width_; ++k) {
    TBitmapPixels image(width_, height_, pf32bit);
    image.CopyRect(0, 0, strip, k * width_, 0, width_, height_);
    if (transparent)
      for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
          if ((*transparent)[static_cast<std::size_t>(y) * strip.Width() + k * width_ + x]) Row(image, y)[x].a = 0;
    images_.push_back(std::move(image));
  }
  Changed();
  return first;
}

namespace {
// 32 bits with alpha as it stands, or opaque when the source had none (24-bit, or all alpha 0
// as GDI leaves it).
TBitmapPixels WithAlpha(const TBitmap& image) {
  TBitmapPixels px(image.Pixels());
  const bool hadAlpha = px.PixelFormat() == pf32bit;
  px.SetPixelFormat(pf32bit);
  bool anyAlpha = false;
  for (int y = 0; hadAlpha && !anyAlpha && y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) anyAlpha |= Row(px, y)[x].a != 0;
  if (!anyAlpha) SetOpaque(px);
  return px;
}
}  // namespace

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  const TBitmapPixels px = WithAlpha(image);
  if (!mask) return AddStrip(px, nullptr);
  const TBitmapPixels& m = mask->Pixels();
  std::vector<bool> clear(static_cast<std::size_t>(px.Width()) * px.Height());
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) {
      const TColor c = m.GetPixel(x, y);  // clNone outside a smaller mask: opaque
      clear[static_cast<std::size_t>(y) * px.Width() + x] = c != clNone && c != clBlack;
    }
  return AddStrip(px, &clear);
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  const TBitmapPixels px = WithAlpha(image);
  const TColor key = ColorToRGB(maskColor);
  std::vector<bool> clear(static_cast<std::size_t>(px.Width()) * px.Height());
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) clear[static_cast<std::size_t>(y) * px.Width() + x] = px.GetPixel(x, y) == key;
  return AddStrip(px, &clear);
}

int TImageList::AddPixels(const TBitmapPixels& image) {
  if (image.Width() != width_ || image.PixelFormat() != pf32bit) throw EInvalidOperation(kInvalidImageSize);
  return AddStrip(image, nullptr);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  if (index < 0 || index >= ImageCount() || !canvas.HandleAllocated()) return;
  const TBitmapPixels& image = images_[index];
  void* bits = nullptr;
  HBITMAP dib = MakeDib(width_, height_, &bits);
  // AlphaBlend wants premultiplied colour.
  TBitmapPixels blend = TBitmapPixels::Borrow(static_cast<std::uint8_t*>(bits), width_, height_, pf32bit, width_ * 4);
  for (int row = 0; row < height_; ++row)
    for (int col = 0; col < width_; ++col) {
      Bgra p = Row(image, row)[col];
      if (!enabled) {
        const int grey = (p.r * 77 + p.g * 151 + p.b * 28) >> 8;
        p.r = p.g = p.b = static_cast<std::uint8_t>(grey + (255 - grey) * 2 / 5);
        p.a = static_cast<std::uint8_t>(p.a * 3 / 5);
      }
      Row(blend, row)[col] = {std::uint8_t(p.b * p.a / 255), std::uint8_t(p.g * p.a / 255),
                              std::uint8_t(p.r * p.a / 255), p.a};
    }
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, dib);
  const BLENDFUNCTION blendFunction{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(canvas.Handle(), x, y, width_, height_, source, 0, 0, width_, height_, blendFunction);
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(dib);
}

HIMAGELIST TImageList::Handle() {
  if (handle_) return handle_;
  handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, std::max(ImageCount(), 1), 4);
  if (!handle_) throw EOutOfResources("Out of system resources");
  const int maskRow = ((width_ + 15) / 16) * 2;
  for (const TBitmapPixels& image : images_) {
    void* bits = nullptr;
    HBITMAP dib = MakeDib(width_, height_, &bits);
    TBitmapPixels view = TBitmapPixels::Borrow(static_cast<std::uint8_t*>(bits), width_, height_, pf32bit, width_ * 4);
    view.CopyRect(0, 0, image, 0, 0, width_, height_);
    // The mask (1 = transparent) serves image lists that ignore alpha.
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskRow) * height_, 0);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (Row(image, y)[x].a < 128) maskBits[y * maskRow + x / 8] |= std::uint8_t(0x80 >> (x % 8));
    HBITMAP mask = CreateBitmap(width_, height_, 1, 1, maskBits.data());
    ImageList_Add(handle_, dib, mask);
    DeleteObject(mask);
    DeleteObject(dib);
  }
  return handle_;
}

void TImageList::ReadData(TStream& stream) {
  const std::uint32_t count = ReadBlock32(stream), width = ReadBlock32(stream), height = ReadBlock32(stream);
  // Every image needs at least its size field and a BMP header.
  const std::int64_t left = stream.Size() - stream.Position();
  if (count > left / 58 || width == 0 || height == 0 || width > unsigned(kMaxBitmapSide) ||
      height > unsigned(kMaxBitmapSide))
    throw EReadError(ExceptionText::ReadError);
  std::vector<TBitmapPixels> images;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::vector<std::uint8_t> bmp(ReadBlockSize(stream));
    stream.ReadBuffer(bmp.data(), static_cast<std::int64_t>(bmp.size()));
    TBitmapPixels image = DecodeBmp(bmp);
    if (image.Width() != int(width) || image.Height() != int(height)) throw EInvalidImage(kInvalidImageSize);
    const bool opaque = image.PixelFormat() == pf24bit;
    image.SetPixelFormat(pf32bit);
    if (opaque) SetOpaque(image);
    images.push_back(std::move(image));
  }
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  images_ = std::move(images);
  Changed();
}

void TImageList::WriteData(TStream& stream) const {
  WriteBlock32(stream, static_cast<std::uint32_t>(images_.size()));
  WriteBlock32(stream, static_cast<std::uint32_t>(width_));
  WriteBlock32(stream, static_cast<std::uint32_t>(height_));
  for (const TBitmapPixels& image : images_) {
    const std::vector<std::uint8_t> bmp = EncodeBmp(image);
    WriteBlock32(stream, static_cast<std::uint32_t>(bmp.size()));
    stream.WriteBuffer(bmp.data(), static_cast<std::int64_t>(bmp.size()));
  }
}

void TImageList::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Bitmap", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !images_.empty());
}
