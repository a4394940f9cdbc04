#pragma once
// The pixels of a bitmap, independent of any device: 24-bit (B, G, R) or 32-bit (B, G, R, A)
// pixels in rows of a stride that is a multiple of 4 bytes, row 0 at the top. This is the
// memory layout of a top-down DIB section (biHeight = -Height), so the Win32 TBitmap creates
// its DIB section that way and lets a store work directly on the section's memory: a store
// either owns its buffer or works on memory lent to it (pointer and stride) that it never frees.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "toolkit/core/color.h"
#include "toolkit/core/exceptions.h"

QUILLIMO_EXCEPTION(EInvalidGraphicOperation, Exception);

enum TPixelFormat { pf24bit, pf32bit };

// Largest bitmap the toolkit creates or reads: this many pixels per side, this many bytes.
inline constexpr int kMaxBitmapSide = 32768;
inline constexpr std::int64_t kMaxBitmapBytes = std::int64_t{256} << 20;

int BytesPerPixel(TPixelFormat format);
// Bytes per row of width pixels, rounded up to a multiple of 4 (as in a DIB).
std::ptrdiff_t AlignedStride(int width, TPixelFormat format);

class TBitmapPixels {
public:
  TBitmapPixels() = default;
  // An owned, zero-filled (black) bitmap; raises EOutOfResources when larger than the limits.
  TBitmapPixels(int width, int height, TPixelFormat format = pf24bit);
  // Works on memory it does not own: row y starts at bits + y * stride (a negative stride
  // views a bottom-up DIB). The memory must outlive the store or its next SetSize.
  static TBitmapPixels Borrow(std::uint8_t* bits, int width, int height, TPixelFormat format, std::ptrdiff_t stride);

  // Copies always own their buffer.
  TBitmapPixels(const TBitmapPixels& other);
  TBitmapPixels& operator=(const TBitmapPixels& other);
  TBitmapPixels(TBitmapPixels&& other) noexcept;
  TBitmapPixels& operator=(TBitmapPixels&& other) noexcept;
  ~TBitmapPixels() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat PixelFormat() const { return format_; }
  std::ptrdiff_t Stride() const { return stride_; }
  bool OwnsMemory() const { return owned_ != nullptr || Empty(); }

  // The first byte of row y; raises EInvalidGraphicOperation "Scan line index out of range".
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;

  // $00BBGGRR of the pixel; clNone outside the bitmap.
  TColor GetPixel(int x, int y) const;
  // Writes ColorToRGB(color) (alpha 0 in 32 bits, as GDI draws); ignored outside the bitmap.
  void SetPixel(int x, int y, TColor color);

  // New size in owned memory; the overlapping top-left part is kept, the rest is black.
  void SetSize(int width, int height);
  // Converts every pixel; 24 to 32 bits gives alpha 0, 32 to 24 drops alpha.
  void SetPixelFormat(TPixelFormat format);

  void Fill(TColor color);
  // Fills the part of the rectangle that lies inside the bitmap.
  void FillRect(int x, int y, int width, int height, TColor color);
  // Copies a width x height block of source at (srcX, srcY) to (destX, destY), clipped to both
  // bitmaps, converting between 24 and 32 bits. Source may be this bitmap (blocks may overlap).
  void CopyRect(int destX, int destY, const TBitmapPixels& source, int srcX, int srcY, int width, int height);

  // Same size and colours, alpha included when both are 32-bit; padding is ignored.
  bool SamePixels(const TBitmapPixels& other) const;

private:
  void Allocate(int width, int height, TPixelFormat format);
  std::uint8_t* Row(int y) const { return origin_ + y * stride_; }

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pf24bit;
  std::ptrdiff_t stride_ = 0;
  std::uint8_t* origin_ = nullptr;  // row 0
  std::unique_ptr<std::uint8_t[]> owned_;
};
