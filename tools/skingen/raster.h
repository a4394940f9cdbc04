#pragma once
// Anti-aliased drawing for the skin generator: shapes are given as coverage functions and
// sampled 4 x 4 times per pixel, then blended into the bitmap.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "toolkit/core/bitmap.h"

namespace skingen {

struct TRgb {
  double r = 0, g = 0, b = 0;
};

inline TRgb Rgb(int r, int g, int b) { return {double(r), double(g), double(b)}; }
inline TRgb Mix(TRgb a, TRgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline TRgb Lighter(TRgb c, double t) { return Mix(c, Rgb(255, 255, 255), t); }
inline TRgb Darker(TRgb c, double t) { return Mix(c, Rgb(0, 0, 0), t); }
inline TColor ToColor(TRgb c) {
  auto clamp = [](double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
  return RGBToColor(clamp(c.r), clamp(c.g), clamp(c.b));
}
inline TRgb FromColor(TColor c) { return Rgb(ColorRed(c), ColorGreen(c), ColorBlue(c)); }
inline const TRgb kMagenta = Rgb(255, 0, 255);

// Inside test of a point (sub-pixel coordinates, pixel centres at x + 0.5).
using TShape = std::function<bool(double x, double y)>;
// Colour at a point.
using TPaint = std::function<TRgb(double x, double y)>;

TShape RoundRect(double x0, double y0, double x1, double y1, double radius);
TShape Ring(const TShape& outer, const TShape& inner);
TShape Circle(double cx, double cy, double radius);
TShape Polygon(std::vector<std::pair<double, double>> points);
// A line of the width between two points, with round ends.
TShape Stroke(double x0, double y0, double x1, double y1, double width);
TShape Union(const TShape& a, const TShape& b);

TPaint Solid(TRgb c);
// Vertical gradient between y0 (top colour) and y1 (bottom colour).
TPaint VerticalGradient(double y0, double y1, TRgb top, TRgb bottom);

class TCanvas {
public:
  explicit TCanvas(TBitmapPixels& bitmap) : b_(bitmap) {}
  // Fills the shape with the paint inside the clip rectangle (default: the whole bitmap).
  void Fill(const TShape& shape, const TPaint& paint, double opacity = 1.0);
  void Fill(const TShape& shape, TRgb color, double opacity = 1.0) { Fill(shape, Solid(color), opacity); }
  // Pixels that the shape covers less than half become magenta (the transparent key),
  // the rest stay: a hard outline for window and button corners.
  void KeyOutside(const TShape& shape);
  void SetClip(int x0, int y0, int x1, int y1) { clip_ = {x0, y0, x1, y1}; }
  void ResetClip() { clip_ = {0, 0, b_.Width(), b_.Height()}; }
  void Rect(int x0, int y0, int x1, int y1, TRgb c) { b_.FillRect(x0, y0, x1 - x0, y1 - y0, ToColor(c)); }
  TBitmapPixels& Bitmap() { return b_; }

private:
  double Coverage(const TShape& shape, int x, int y) const;
  TBitmapPixels& b_;
  struct {
    int x0, y0, x1, y1;
  } clip_{0, 0, b_.Width(), b_.Height()};
};

}  // namespace skingen
