#pragma once
// A tiny anti-aliased rasteriser for the program's pictures: shapes are inside-tests over
// continuous coordinates, sampled 4 x 4 times per pixel, painted with a colour function and
// composited "over" the picture. Pixels are premultiplied RGBA in 0..1.
#include <functional>
#include <vector>

struct Vec {
  float x = 0, y = 0;
};

struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;  // straight (not premultiplied) colour
};

Rgba Hex(unsigned rgb, float alpha = 1.0f);
Rgba Mix(Rgba a, Rgba b, float t);

// True when the point lies inside the shape.
using Shape = std::function<bool(Vec)>;
// The colour of a painted shape at a point.
using Paint = std::function<Rgba(Vec)>;

class Image {
public:
  Image(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Premultiplied pixel.
  Rgba& At(int x, int y) { return px_[static_cast<size_t>(y) * width_ + x]; }
  const Rgba& At(int x, int y) const { return px_[static_cast<size_t>(y) * width_ + x]; }

  // Paints the shape with 4 x 4 supersampled coverage, times opacity.
  void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
  void Fill(const Shape& shape, Rgba color, float opacity = 1.0f);
  // A soft shadow of the shape: its coverage blurred by radius pixels, moved by (dx, dy).
  void Shadow(const Shape& shape, float dx, float dy, float radius, Rgba color);
  // Composites another image of the same size over this one.
  void Over(const Image& top, float opacity = 1.0f);
  // Copies other into this image at (x, y) (for strips of images).
  void Blit(const Image& other, int x, int y);

  // 8-bit straight BGRA rows, top row first.
  std::vector<unsigned char> Bgra() const;

private:
  std::vector<float> Coverage(const Shape& shape) const;
  void Composite(int x, int y, Rgba straight, float coverage);

  int width_, height_;
  std::vector<Rgba> px_;
};

// Shapes (coordinates in pixels; y grows downwards).
Shape Circle(Vec c, float r);
Shape Ellipse(Vec c, float rx, float ry);
Shape RoundRect(float left, float top, float right, float bottom, float radius);
Shape Polygon(std::vector<Vec> points);        // even-odd rule
Shape Capsule(Vec a, Vec b, float halfWidth);  // a thick line with round ends
// A thick circular arc from angle a0 to a1 (radians, a0 < a1, clockwise on screen), round ends.
Shape Arc(Vec c, float r, float a0, float a1, float halfWidth);
Shape Star(Vec c, float outer, float inner, int points, float rotation);
Shape Union(std::vector<Shape> shapes);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Moved(Shape s, float dx, float dy);

// Paints.
Paint Solid(Rgba c);
// Linear gradient from colour a at point p0 to colour b at point p1.
Paint Linear(Vec p0, Rgba a, Vec p1, Rgba b);
// Radial gradient from colour a at the centre to colour b at radius r.
Paint Radial(Vec c, float r, Rgba a, Rgba b);
