#include "skin/paint/sliced_image.h"

#include <algorithm>

#include "skin/paint/pixel_copy.h"

namespace {
// Drops a pair of margins (left and right, or top and bottom) that does not fit the extent.
void FitPair(int& a, int& b, int extent) {
  a = std::max(a, 0);
  b = std::max(b, 0);
  if (extent < a + b) a = b = 0;
}
}  // namespace

std::vector<TSlicePiece> SlicePieces(int width, int height, const TBitmapPixels& image, TSliceMargins m,
                                     const TFrameChoice& frame) {
  std::vector<TSlicePiece> pieces;
  const TPixelRect f = SourceFrame(image, frame);
  if (width <= 0 || height <= 0 || f.Empty()) return pieces;
  FitPair(m.Left, m.Right, f.Width());
  FitPair(m.Top, m.Bottom, f.Height());
  FitPair(m.Left, m.Right, width);
  FitPair(m.Top, m.Bottom, height);
  const int W = width, H = height, l = m.Left, t = m.Top, r = m.Right, b = m.Bottom;
  auto add = [&](TSlicePiece::Kind kind, TPixelRect dest, TPixelRect source) {
    if (!dest.Empty() && !source.Empty()) pieces.push_back({kind, dest, source});
  };
  add(TSlicePiece::TopLeft, {0, 0, l, t}, {f.Left, f.Top, f.Left + l, f.Top + t});
  add(TSlicePiece::BottomLeft, {0, H - b, l, H}, {f.Left, f.Bottom - b, f.Left + l, f.Bottom});
  add(TSlicePiece::TopRight, {W - r, 0, W, t}, {f.Right - r, f.Top, f.Right, f.Top + t});
  add(TSlicePiece::LeftEdge, {0, t, l, H - b}, {f.Left, f.Top + t, f.Left + l, f.Bottom - b});
  add(TSlicePiece::TopEdge, {l, 0, W - r, t}, {f.Left + l, f.Top, f.Right - r, f.Top + t});
  add(TSlicePiece::Centre, {l, t, W - r, H - b}, {f.Left + l, f.Top + t, f.Right - r, f.Bottom - b});
  add(TSlicePiece::BottomRight, {W - r, H - b, W, H}, {f.Right - r, f.Bottom - b, f.Right, f.Bottom});
  add(TSlicePiece::RightEdge, {W - r, t, W, H - b}, {f.Right - r, f.Top + t, f.Right, f.Bottom - b});
  add(TSlicePiece::BottomEdge, {l, H - b, W - r, H}, {f.Left + l, f.Bottom - b, f.Right - r, f.Bottom});
  return pieces;
}

TBitmapPixels BuildSlicedImage(const TPixelRect& dest, const TBitmapPixels& image, TSliceMargins margins, bool stacked,
                               bool tile, int count, int frame) {
  TBitmapPixels out(std::max(dest.Width(), 0), std::max(dest.Height(), 0));
  for (const TSlicePiece& p : SlicePieces(out.Width(), out.Height(), image, margins, {stacked, count, frame})) {
    if (p.Part == TSlicePiece::Centre && tile)
      TileCopy(out, p.Dest, image, p.Source);
    else
      StretchCopy(out, p.Dest, image, p.Source);
  }
  return out;
}

void DrawSlicedBorderPixels(TBitmapPixels& dest, const TPixelRect& dst, const TBitmapPixels& image,
                            TSliceMargins margins, bool stacked, int count, int frame) {
  if (dst.Inverted()) return;
  for (TSlicePiece p : SlicePieces(dst.Width(), dst.Height(), image, margins, {stacked, count, frame})) {
    if (p.Part == TSlicePiece::Centre) continue;
    p.Dest = {p.Dest.Left + dst.Left, p.Dest.Top + dst.Top, p.Dest.Right + dst.Left, p.Dest.Bottom + dst.Top};
    StretchCopy(dest, p.Dest, image, p.Source);
  }
}
