#include "skin/paint/pixel_copy.h"

#include <cstdint>
#include <vector>

namespace {
// Index of the source pixel that destination pixel i of n samples (n > 0, length > 0): the
// pixel under the centre of the destination pixel.
inline int Sample(int i, int n, int length) {
  return static_cast<int>((static_cast<std::int64_t>(2 * i + 1) * length) / (2 * static_cast<std::int64_t>(n)));
}

inline void CopyPixel(std::uint8_t* d, int destBpp, const std::uint8_t* s) {
  d[0] = s[0];
  d[1] = s[1];
  d[2] = s[2];
  if (destBpp == 4) d[3] = 0;
}

// A source piece clipped to its bitmap; false when nothing of it lies inside.
bool InsideSource(const TBitmapPixels& source, const TPixelRect& src) {
  return !src.Empty() && src.Left >= 0 && src.Top >= 0 && src.Right <= source.Width() && src.Bottom <= source.Height();
}

// A straight copy of width x height from (sx, sy) to (dx, dy), clipped to the destination and to
// the source piece limits [sx, sxEnd) x [sy, syEnd).
void BlockCopy(TBitmapPixels& dest, int dx, int dy, const TBitmapPixels& source, int sx, int sy, int width,
               int height) {
  if (dx < 0) {
    sx -= dx;
    width += dx;
    dx = 0;
  }
  if (dy < 0) {
    sy -= dy;
    height += dy;
    dy = 0;
  }
  width = std::min(width, dest.Width() - dx);
  height = std::min(height, dest.Height() - dy);
  if (width <= 0 || height <= 0) return;
  dest.CopyRect(dx, dy, source, sx, sy, width, height);
}
}  // namespace

void StretchCopy(TBitmapPixels& dest, const TPixelRect& dst, const TBitmapPixels& source, const TPixelRect& src) {
  if (dst.Empty() || !InsideSource(source, src) || dest.Empty()) return;
  const int dw = dst.Width(), dh = dst.Height(), sw = src.Width(), sh = src.Height();
  if (dw == sw && dh == sh) {
    BlockCopy(dest, dst.Left, dst.Top, source, src.Left, src.Top, sw, sh);
    return;
  }
  const int x0 = std::max(dst.Left, 0), x1 = std::min(dst.Right, dest.Width());
  const int y0 = std::max(dst.Top, 0), y1 = std::min(dst.Bottom, dest.Height());
  if (x0 >= x1 || y0 >= y1) return;
  const int destBpp = BytesPerPixel(dest.PixelFormat()), srcBpp = BytesPerPixel(source.PixelFormat());
  std::vector<int> columns(static_cast<std::size_t>(x1 - x0));
  for (int x = x0; x < x1; ++x)
    columns[static_cast<std::size_t>(x - x0)] = (src.Left + Sample(x - dst.Left, dw, sw)) * srcBpp;
  for (int y = y0; y < y1; ++y) {
    const std::uint8_t* row = source.ScanLine(src.Top + Sample(y - dst.Top, dh, sh));
    std::uint8_t* d = dest.ScanLine(y) + static_cast<std::ptrdiff_t>(x0) * destBpp;
    for (int column : columns) {
      CopyPixel(d, destBpp, row + column);
      d += destBpp;
    }
  }
}

void TileCopy(TBitmapPixels& dest, const TPixelRect& dst, const TBitmapPixels& source, const TPixelRect& src) {
  if (dst.Empty() || !InsideSource(source, src)) return;
  const int pw = src.Width(), ph = src.Height();
  for (int y = dst.Top; y < dst.Bottom; y += ph)
    for (int x = dst.Left; x < dst.Right; x += pw) BlockCopy(dest, x, y, source, src.Left, src.Top, pw, ph);
}

void TileCopyClipped(TBitmapPixels& dest, const TPixelRect& dst, const TBitmapPixels& source, const TPixelRect& src) {
  if (dst.Empty() || !InsideSource(source, src)) return;
  const int pw = src.Width(), ph = src.Height();
  for (int y = dst.Top; y < dst.Bottom; y += ph)
    for (int x = dst.Left; x < dst.Right; x += pw)
      BlockCopy(dest, x, y, source, src.Left, src.Top, std::min(pw, dst.Right - x), std::min(ph, dst.Bottom - y));
}

void KeyedCopy(TBitmapPixels& dest, int x, int y, const TBitmapPixels& source, TColor key) {
  const int destBpp = BytesPerPixel(dest.PixelFormat()), srcBpp = BytesPerPixel(source.PixelFormat());
  const std::uint8_t kb = ColorBlue(key), kg = ColorGreen(key), kr = ColorRed(key);
  for (int sy = std::max(0, -y); sy < source.Height() && y + sy < dest.Height(); ++sy) {
    const std::uint8_t* s = source.ScanLine(sy);
    std::uint8_t* d = dest.ScanLine(y + sy);
    for (int sx = std::max(0, -x); sx < source.Width() && x + sx < dest.Width(); ++sx) {
      const std::uint8_t* p = s + static_cast<std::ptrdiff_t>(sx) * srcBpp;
      if (p[0] == kb && p[1] == kg && p[2] == kr) continue;
      CopyPixel(d + static_cast<std::ptrdiff_t>(x + sx) * destBpp, destBpp, p);
    }
  }
}
