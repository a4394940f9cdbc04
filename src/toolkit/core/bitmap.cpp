#include "toolkit/core/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

void CheckSize(int width, int height, TPixelFormat format) {
  if (width < 0 || height < 0) throw EInvalidGraphicOperation("Invalid bitmap size");
  if (width > kMaxBitmapSide || height > kMaxBitmapSide || AlignedStride(width, format) * height > kMaxBitmapBytes)
    throw EOutOfResources("Out of system resources");
}

// Copies count pixels between rows of either format; the rows must not overlap unless the
// formats are equal (then it is a memmove).
void ConvertRow(std::uint8_t* dest, TPixelFormat destFormat, const std::uint8_t* src, TPixelFormat srcFormat,
                int count) {
  if (destFormat == srcFormat) {
    std::memmove(dest, src, static_cast<size_t>(count) * BytesPerPixel(srcFormat));
    return;
  }
  const int srcStep = BytesPerPixel(srcFormat);
  const int destStep = BytesPerPixel(destFormat);
  for (int i = 0; i < count; ++i, src += srcStep, dest += destStep) {
    dest[0] = src[0];
    dest[1] = src[1];
    dest[2] = src[2];
    if (destFormat == pf32bit) dest[3] = 0;
  }
}

void WritePixel(std::uint8_t* pixel, TPixelFormat format, TColor rgb) {
  pixel[0] = ColorBlue(rgb);
  pixel[1] = ColorGreen(rgb);
  pixel[2] = ColorRed(rgb);
  if (format == pf32bit) pixel[3] = 0;
}

// Clips a span [start, start + length) of a source and a destination axis to both extents.
// Returns false when nothing is left.
bool ClipAxis(std::int64_t& dest, std::int64_t& src, std::int64_t& length, int destExtent, int srcExtent) {
  if (src < 0) {
    dest -= src;
    length += src;
    src = 0;
  }
  if (dest < 0) {
    src -= dest;
    length += dest;
    dest = 0;
  }
  length = std::min({length, srcExtent - src, destExtent - dest});
  return length > 0;
}

}  // namespace

int BytesPerPixel(TPixelFormat format) { return format == pf32bit ? 4 : 3; }

std::ptrdiff_t AlignedStride(int width, TPixelFormat format) {
  return (static_cast<std::ptrdiff_t>(width) * BytesPerPixel(format) + 3) & ~std::ptrdiff_t{3};
}

TBitmapPixels::TBitmapPixels(int width, int height, TPixelFormat format) { Allocate(width, height, format); }

void TBitmapPixels::Allocate(int width, int height, TPixelFormat format) {
  CheckSize(width, height, format);
  const std::ptrdiff_t stride = AlignedStride(width, format);
  const size_t bytes = static_cast<size_t>(stride) * height;
  owned_ = bytes > 0 ? std::make_unique<std::uint8_t[]>(bytes) : nullptr;
  origin_ = owned_.get();
  width_ = width;
  height_ = height;
  format_ = format;
  stride_ = stride;
}

TBitmapPixels TBitmapPixels::Borrow(std::uint8_t* bits, int width, int height, TPixelFormat format,
                                    std::ptrdiff_t stride) {
  CheckSize(width, height, format);
  const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(width) * BytesPerPixel(format);
  const bool empty = width == 0 || height == 0;
  if (!empty && (bits == nullptr || std::abs(stride) < rowBytes))
    throw EInvalidGraphicOperation("Invalid bitmap memory");
  TBitmapPixels view;
  view.width_ = width;
  view.height_ = height;
  view.format_ = format;
  view.stride_ = empty ? 0 : stride;
  view.origin_ = empty ? nullptr : bits;
  return view;
}

TBitmapPixels::TBitmapPixels(const TBitmapPixels& other) { *this = other; }

TBitmapPixels& TBitmapPixels::operator=(const TBitmapPixels& other) {
  if (this == &other) return *this;
  TBitmapPixels copy(other.width_, other.height_, other.format_);
  copy.CopyRect(0, 0, other, 0, 0, other.width_, other.height_);
  return *this = std::move(copy);
}

TBitmapPixels::TBitmapPixels(TBitmapPixels&& other) noexcept { *this = std::move(other); }

TBitmapPixels& TBitmapPixels::operator=(TBitmapPixels&& other) noexcept {
  if (this == &other) return *this;
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  format_ = std::exchange(other.format_, pf24bit);
  stride_ = std::exchange(other.stride_, 0);
  origin_ = std::exchange(other.origin_, nullptr);
  owned_ = std::move(other.owned_);
  return *this;
}

std::uint8_t* TBitmapPixels::ScanLine(int y) {
  return const_cast<std::uint8_t*>(static_cast<const TBitmapPixels*>(this)->ScanLine(y));
}

const std::uint8_t* TBitmapPixels::ScanLine(int y) const {
  if (y < 0 || y >= height_) throw EInvalidGraphicOperation("Scan line index out of range");
  return Row(y);
}

TColor TBitmapPixels::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
  const std::uint8_t* pixel = Row(y) + static_cast<std::ptrdiff_t>(x) * BytesPerPixel(format_);
  return RGBToColor(pixel[2], pixel[1], pixel[0]);
}

void TBitmapPixels::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  WritePixel(Row(y) + static_cast<std::ptrdiff_t>(x) * BytesPerPixel(format_), format_, ColorToRGB(color));
}

void TBitmapPixels::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  TBitmapPixels resized(width, height, format_);
  resized.CopyRect(0, 0, *this, 0, 0, width_, height_);
  *this = std::move(resized);
}

void TBitmapPixels::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  TBitmapPixels converted(width_, height_, format);
  converted.CopyRect(0, 0, *this, 0, 0, width_, height_);
  *this = std::move(converted);
}

void TBitmapPixels::Fill(TColor color) { FillRect(0, 0, width_, height_, color); }

void TBitmapPixels::FillRect(int x, int y, int width, int height, TColor color) {
  std::int64_t left = x, top = y, w = width, h = height, unusedX = 0, unusedY = 0;
  if (!ClipAxis(left, unusedX, w, width_, width_) || !ClipAxis(top, unusedY, h, height_, height_)) return;
  const TColor rgb = ColorToRGB(color);
  const int step = BytesPerPixel(format_);
  std::uint8_t* first = Row(static_cast<int>(top)) + left * step;
  for (std::int64_t i = 0; i < w; ++i) WritePixel(first + i * step, format_, rgb);
  for (std::int64_t row = 1; row < h; ++row)
    std::memcpy(Row(static_cast<int>(top + row)) + left * step, first, static_cast<size_t>(w * step));
}

void TBitmapPixels::CopyRect(int destX, int destY, const TBitmapPixels& source, int srcX, int srcY, int width,
                             int height) {
  std::int64_t dx = destX, dy = destY, sx = srcX, sy = srcY, w = width, h = height;
  if (!ClipAxis(dx, sx, w, width_, source.width_) || !ClipAxis(dy, sy, h, height_, source.height_)) return;
  const std::ptrdiff_t destOffset = dx * BytesPerPixel(format_);
  const std::ptrdiff_t srcOffset = sx * BytesPerPixel(source.format_);
  // Within one bitmap a block moved down is copied bottom row first, so no row is
  // overwritten before it has been read.
  const bool bottomUp = &source == this && dy > sy;
  for (std::int64_t i = 0; i < h; ++i) {
    const std::int64_t row = bottomUp ? h - 1 - i : i;
    ConvertRow(Row(static_cast<int>(dy + row)) + destOffset, format_,
               source.Row(static_cast<int>(sy + row)) + srcOffset, source.format_, static_cast<int>(w));
  }
}

bool TBitmapPixels::SamePixels(const TBitmapPixels& other) const {
  if (width_ != other.width_ || height_ != other.height_) return false;
  const bool sameFormat = format_ == other.format_;
  const size_t rowBytes = static_cast<size_t>(width_) * BytesPerPixel(format_);
  for (int y = 0; y < height_; ++y) {
    if (sameFormat) {
      if (std::memcmp(Row(y), other.Row(y), rowBytes) != 0) return false;
      continue;
    }
    for (int x = 0; x < width_; ++x)
      if (GetPixel(x, y) != other.GetPixel(x, y)) return false;
  }
  return true;
}
