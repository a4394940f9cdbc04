#include "raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr int kSamples = 4;  // per axis: 16 samples per pixel

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float Length(Vec v) { return std::sqrt(v.x * v.x + v.y * v.y); }

float SegmentDistance(Vec p, Vec a, Vec b) {
  const Vec ab{b.x - a.x, b.y - a.y}, ap{p.x - a.x, p.y - a.y};
  const float len2 = ab.x * ab.x + ab.y * ab.y;
  const float t = len2 > 0 ? Clamp01((ap.x * ab.x + ap.y * ab.y) / len2) : 0.0f;
  return Length({ap.x - t * ab.x, ap.y - t * ab.y});
}

// Box blur of a coverage plane, run three times (close to a Gaussian).
void Blur(std::vector<float>& plane, int w, int h, int radius) {
  if (radius <= 0) return;
  std::vector<float> tmp(plane.size());
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        float sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += plane[y * w + std::clamp(x + k, 0, w - 1)];
        tmp[y * w + x] = sum / (2 * radius + 1);
      }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        float sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += tmp[std::clamp(y + k, 0, h - 1) * w + x];
        plane[y * w + x] = sum / (2 * radius + 1);
      }
  }
}
}  // namespace

Rgba Hex(unsigned rgb, float alpha) {
  return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, alpha};
}

Rgba Mix(Rgba a, Rgba b, float t) {
  t = Clamp01(t);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Image::Image(int width, int height) : width_(width), height_(height), px_(static_cast<size_t>(width) * height) {}

std::vector<float> Image::Coverage(const Shape& shape) const {
  std::vector<float> cov(px_.size());
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) hits += shape({x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples});
      cov[y * width_ + x] = hits / float(kSamples * kSamples);
    }
  return cov;
}

void Image::Composite(int x, int y, Rgba c, float coverage) {
  const float a = Clamp01(c.a * coverage);
  if (a <= 0) return;
  Rgba& d = At(x, y);
  d.r = c.r * a + d.r * (1 - a);
  d.g = c.g * a + d.g * (1 - a);
  d.b = c.b * a + d.b * (1 - a);
  d.a = a + d.a * (1 - a);
}

void Image::Fill(const Shape& shape, const Paint& paint, float opacity) {
  const std::vector<float> cov = Coverage(shape);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (const float c = cov[y * width_ + x]; c > 0) Composite(x, y, paint({x + 0.5f, y + 0.5f}), c * opacity);
}

void Image::Fill(const Shape& shape, Rgba color, float opacity) { Fill(shape, Solid(color), opacity); }

void Image::Shadow(const Shape& shape, float dx, float dy, float radius, Rgba color) {
  std::vector<float> cov = Coverage(Moved(shape, dx, dy));
  Blur(cov, width_, height_, static_cast<int>(std::lround(radius)));
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) Composite(x, y, color, cov[y * width_ + x]);
}

void Image::Over(const Image& top, float opacity) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Rgba& s = top.At(x, y);
      Rgba& d = At(x, y);
      const float a = s.a * opacity;
      d.r = s.r * opacity + d.r * (1 - a);
      d.g = s.g * opacity + d.g * (1 - a);
      d.b = s.b * opacity + d.b * (1 - a);
      d.a = a + d.a * (1 - a);
    }
}

void Image::Blit(const Image& other, int x0, int y0) {
  for (int y = 0; y < other.Height(); ++y)
    for (int x = 0; x < other.Width(); ++x)
      if (x0 + x >= 0 && x0 + x < width_ && y0 + y >= 0 && y0 + y < height_) At(x0 + x, y0 + y) = other.At(x, y);
}

std::vector<unsigned char> Image::Bgra() const {
  std::vector<unsigned char> out;
  out.reserve(px_.size() * 4);
  auto byte = [](float v) { return static_cast<unsigned char>(std::lround(Clamp01(v) * 255)); };
  for (const Rgba& p : px_) {
    const float a = Clamp01(p.a);
    const float k = a > 0 ? 1 / a : 0;  // back to straight colour
    out.push_back(byte(p.b * k));
    out.push_back(byte(p.g * k));
    out.push_back(byte(p.r * k));
    out.push_back(byte(a));
  }
  return out;
}

Shape Circle(Vec c, float r) {
  return [=](Vec p) { return (p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y) <= r * r; };
}

Shape Ellipse(Vec c, float rx, float ry) {
  return [=](Vec p) {
    const float u = (p.x - c.x) / rx, v = (p.y - c.y) / ry;
    return u * u + v * v <= 1;
  };
}

Shape RoundRect(float left, float top, float right, float bottom, float radius) {
  return [=](Vec p) {
    if (p.x < left || p.x > right || p.y < top || p.y > bottom) return false;
    const float cx = std::clamp(p.x, left + radius, right - radius);
    const float cy = std::clamp(p.y, top + radius, bottom - radius);
    return (p.x - cx) * (p.x - cx) + (p.y - cy) * (p.y - cy) <= radius * radius;
  };
}

Shape Polygon(std::vector<Vec> pts) {
  return [pts = std::move(pts)](Vec p) {
    bool inside = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const Vec a = pts[i], b = pts[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  };
}

Shape Capsule(Vec a, Vec b, float halfWidth) {
  return [=](Vec p) { return SegmentDistance(p, a, b) <= halfWidth; };
}

Shape Arc(Vec c, float r, float a0, float a1, float halfWidth) {
  const Vec e0{c.x + r * std::cos(a0), c.y + r * std::sin(a0)};
  const Vec e1{c.x + r * std::cos(a1), c.y + r * std::sin(a1)};
  return [=](Vec p) {
    const float twoPi = 2 * std::numbers::pi_v<float>;
    float angle = std::atan2(p.y - c.y, p.x - c.x);
    while (angle < a0) angle += twoPi;
    float d;
    if (angle <= a1)
      d = std::fabs(Length({p.x - c.x, p.y - c.y}) - r);
    else
      d = std::min(Length({p.x - e0.x, p.y - e0.y}), Length({p.x - e1.x, p.y - e1.y}));
    return d <= halfWidth;
  };
}

Shape Star(Vec c, float outer, float inner, int points, float rotation) {
  std::vector<Vec> pts;
  for (int i = 0; i < points * 2; ++i) {
    const float r = i % 2 ? inner : outer;
    const float a = rotation + i * std::numbers::pi_v<float> / points;
    pts.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return Polygon(std::move(pts));
}

Shape Union(std::vector<Shape> shapes) {
  return [shapes = std::move(shapes)](Vec p) {
    return std::any_of(shapes.begin(), shapes.end(), [&](const Shape& s) { return s(p); });
  };
}

Shape Minus(Shape a, Shape b) {
  return [=](Vec p) { return a(p) && !b(p); };
}

Shape Intersect(Shape a, Shape b) {
  return [=](Vec p) { return a(p) && b(p); };
}

Shape Moved(Shape s, float dx, float dy) {
  return [=](Vec p) { return s({p.x - dx, p.y - dy}); };
}

Paint Solid(Rgba c) {
  return [=](Vec) { return c; };
}

Paint Linear(Vec p0, Rgba a, Vec p1, Rgba b) {
  const Vec d{p1.x - p0.x, p1.y - p0.y};
  const float len2 = d.x * d.x + d.y * d.y;
  return [=](Vec p) { return Mix(a, b, ((p.x - p0.x) * d.x + (p.y - p0.y) * d.y) / len2); };
}

Paint Radial(Vec c, float r, Rgba a, Rgba b) {
  return [=](Vec p) { return Mix(a, b, Length({p.x - c.x, p.y - c.y}) / r); };
}
