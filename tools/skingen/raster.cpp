#include "raster.h"

namespace skingen {

TShape RoundRect(double x0, double y0, double x1, double y1, double r) {
  r = std::max(0.0, std::min(r, std::min(x1 - x0, y1 - y0) / 2));
  return [=](double x, double y) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    const double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  };
}

TShape Ring(const TShape& outer, const TShape& inner) {
  return [=](double x, double y) { return outer(x, y) && !inner(x, y); };
}

TShape Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

TShape Polygon(std::vector<std::pair<double, double>> p) {
  return [p = std::move(p)](double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
      const auto [xi, yi] = p[i];
      const auto [xj, yj] = p[j];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
  };
}

TShape Stroke(double x0, double y0, double x1, double y1, double width) {
  const double dx = x1 - x0, dy = y1 - y0, len2 = std::max(1e-9, dx * dx + dy * dy), h = width / 2;
  return [=](double x, double y) {
    const double t = std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0, 1.0);
    const double ex = x0 + t * dx - x, ey = y0 + t * dy - y;
    return ex * ex + ey * ey <= h * h;
  };
}

TShape Union(const TShape& a, const TShape& b) {
  return [=](double x, double y) { return a(x, y) || b(x, y); };
}

TPaint Solid(TRgb c) {
  return [c](double, double) { return c; };
}

TPaint VerticalGradient(double y0, double y1, TRgb top, TRgb bottom) {
  return [=](double, double y) { return Mix(top, bottom, std::clamp((y - y0) / std::max(1e-9, y1 - y0), 0.0, 1.0)); };
}

double TCanvas::Coverage(const TShape& shape, int x, int y) const {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) hits += shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
  return hits / 16.0;
}

void TCanvas::Fill(const TShape& shape, const TPaint& paint, double opacity) {
  for (int y = std::max(0, clip_.y0); y < std::min(b_.Height(), clip_.y1); ++y)
    for (int x = std::max(0, clip_.x0); x < std::min(b_.Width(), clip_.x1); ++x) {
      const double a = Coverage(shape, x, y) * opacity;
      if (a <= 0) continue;
      const TRgb under = FromColor(b_.GetPixel(x, y));
      b_.SetPixel(x, y, ToColor(Mix(under, paint(x + 0.5, y + 0.5), a)));
    }
}

void TCanvas::KeyOutside(const TShape& shape) {
  for (int y = 0; y < b_.Height(); ++y)
    for (int x = 0; x < b_.Width(); ++x)
      if (Coverage(shape, x, y) < 0.5) b_.SetPixel(x, y, ToColor(kMagenta));
}

}  // namespace skingen
