#include "artwork.h"

#include <cmath>
#include <numbers>

#include "lettering.h"

namespace {
constexpr float kPi = std::numbers::pi_v<float>;

// The palette: each hue has a light (top of a shape), a base and a dark (bottom and edge) tone.
struct Tone {
  Rgba light, base, dark;
};
const Tone kBlue{Hex(0x7DB4F5), Hex(0x2F72C9), Hex(0x1B4888)};
const Tone kRed{Hex(0xF47A6C), Hex(0xD63A3A), Hex(0x9C1F27)};
const Tone kGreen{Hex(0x8EDB8A), Hex(0x36A852), Hex(0x1C6E35)};
const Tone kAmber{Hex(0xFFE08A), Hex(0xF3B33B), Hex(0xB27413)};
const Tone kSlate{Hex(0x9AA8BA), Hex(0x5B6B80), Hex(0x34404F)};
const Rgba kWhite = Hex(0xFFFFFF);
const Rgba kPaper = Hex(0xF7F9FC);
const Rgba kShadow = Hex(0x101828, 0.45f);

// A polygon with its corners rounded by radius (it grows by radius all round).
Shape RoundedPolygon(const std::vector<Vec>& pts, float radius) {
  std::vector<Shape> parts{Polygon(pts)};
  for (size_t i = 0; i < pts.size(); ++i) parts.push_back(Capsule(pts[i], pts[(i + 1) % pts.size()], radius));
  return Union(std::move(parts));
}

// The common look of an emblem: a soft shadow, a dark edge, a body shaded from light at the top
// to dark at the bottom, and a gloss over its upper half.
void Emblem(Image& img, const Shape& outer, const Shape& inner, const Tone& tone, float top, float bottom,
            float shadow = 1.0f) {
  img.Shadow(outer, 0, shadow, shadow, kShadow);
  img.Fill(outer, tone.dark);
  img.Fill(inner, Linear({0, top}, tone.light, {0, bottom}, tone.base));
  const float mid = (top + bottom) / 2;
  img.Fill(Intersect(inner, Ellipse({img.Width() / 2.0f, top}, img.Width() * 0.6f, mid - top)),
           Linear({0, top}, Hex(0xFFFFFF, 0.45f), {0, mid}, Hex(0xFFFFFF, 0.05f)));
}

// A white symbol with a faint dark edge under it, so it stands out on any body.
void Symbol(Image& img, const Shape& shape, float depth = 0.6f) {
  img.Shadow(shape, 0, depth, 0, Hex(0x000000, 0.25f));
  img.Fill(shape, Linear({0, 0}, kWhite, {0, float(img.Height())}, Hex(0xE4ECF7)));
}

Shape FlagCloth() { return RoundRect(3, 6, 29, 26, 3); }
Shape FlagInside() { return RoundRect(4, 7, 28, 25, 2.2f); }

Image Turkish() {
  Image img(32, 32);
  Emblem(img, FlagCloth(), FlagInside(), kRed, 7, 25);
  Symbol(img, Minus(Circle({12.5f, 16}, 6.2f), Circle({14.4f, 16}, 5.0f)));
  Symbol(img, Star({20.2f, 16}, 3.3f, 1.35f, 5, kPi));
  return img;
}

Image English() {
  Image img(32, 32);
  Emblem(img, FlagCloth(), FlagInside(), kBlue, 7, 25);
  const Shape inside = FlagInside();
  auto onFlag = [&](Shape s) { return Intersect(inside, std::move(s)); };
  Symbol(img, onFlag(Union({Capsule({4, 7}, {28, 25}, 2.2f), Capsule({28, 7}, {4, 25}, 2.2f)})));
  img.Fill(onFlag(Union({Capsule({4, 7}, {28, 25}, 0.8f), Capsule({28, 7}, {4, 25}, 0.8f)})), kRed.base);
  Symbol(img, onFlag(Union({Capsule({16, 2}, {16, 30}, 3.4f), Capsule({1, 16}, {31, 16}, 3.4f)})), 0.4f);
  img.Fill(onFlag(Union({Capsule({16, 2}, {16, 30}, 1.9f), Capsule({1, 16}, {31, 16}, 1.9f)})),
           Linear({0, 7}, kRed.light, {0, 25}, kRed.base));
  return img;
}

Image Hide() {
  Image img(32, 32);
  // The window.
  const Shape window = RoundRect(3, 3, 25, 21, 2.5f);
  img.Shadow(window, 0, 1, 1, kShadow);
  img.Fill(window, kSlate.dark);
  img.Fill(RoundRect(4, 4, 24, 20, 1.8f), kPaper);
  img.Fill(RoundRect(4, 4, 24, 8.5f, 1.8f), Linear({0, 4}, kBlue.light, {0, 8.5f}, kBlue.base));
  for (float y : {11.5f, 14.5f}) img.Fill(Capsule({7, y}, {y < 13 ? 19.0f : 15.0f, y}, 0.7f), kSlate.light);
  // The tray at the bottom with the program's place in it.
  Emblem(img, RoundRect(6, 24, 30, 30, 2.5f), RoundRect(7, 25, 29, 29, 1.8f), kSlate, 25, 29);
  img.Fill(Circle({25.5f, 27}, 1.6f), Radial({25, 26.4f}, 2, kAmber.light, kAmber.base));
  // The arrow from the window into the tray.
  const Shape shaft = Capsule({15, 12}, {22.2f, 19.6f}, 1.6f);
  const Shape head = RoundedPolygon({{25.2f, 23.2f}, {17.6f, 21.6f}, {23.6f, 15.6f}}, 0.9f);
  Emblem(img,
         Union({Capsule({15, 12}, {22.2f, 19.6f}, 2.5f),
                RoundedPolygon({{25.2f, 23.2f}, {17.6f, 21.6f}, {23.6f, 15.6f}}, 1.8f)}),
         Union({shaft, head}), kAmber, 12, 24);
  return img;
}

Image Exit() {
  Image img(32, 32);
  Emblem(img, Circle({16, 16}, 13.5f), Circle({16, 16}, 12.5f), kRed, 3.5f, 28.5f, 1.2f);
  Symbol(img, Union({Arc({16, 17}, 6.8f, -kPi / 2 + 0.75f, 1.5f * kPi - 0.75f, 1.7f),
                     Capsule({16, 8.2f}, {16, 15.5f}, 1.7f)}));
  return img;
}

Image Stop() {
  Image img(32, 32);
  Emblem(img, RoundRect(5, 5, 27, 27, 4.5f), RoundRect(6, 6, 26, 26, 3.6f), kRed, 6, 26, 1.2f);
  return img;
}

Image Start() {
  Image img(32, 32);
  const std::vector<Vec> tri{{9.5f, 6.5f}, {26, 16}, {9.5f, 25.5f}};
  Emblem(img, RoundedPolygon(tri, 3.0f), RoundedPolygon(tri, 2.0f), kGreen, 4, 28, 1.2f);
  return img;
}

Image Gear() {
  Image img(16, 16);
  const Vec c{8, 8};
  auto gear = [c](float grow) {
    return Shape([=](Vec p) {
      const float dx = p.x - c.x, dy = p.y - c.y, r = std::sqrt(dx * dx + dy * dy);
      const float a = std::atan2(dy, dx);
      const float reach = std::cos(8 * a) > -0.1f ? 7.0f : 5.3f;
      return r <= reach + grow && r >= 2.1f - grow;
    });
  };
  Emblem(img, gear(0), gear(-0.8f), kSlate, 1, 15, 0.6f);
  return img;
}

Image Help() {
  Image img(16, 16);
  Emblem(img, Circle({8, 8}, 7.3f), Circle({8, 8}, 6.5f), kBlue, 1, 15, 0.6f);
  Symbol(img,
         Union({Arc({8, 6.2f}, 2.5f, kPi, 2.5f * kPi, 1.15f), Capsule({8, 8.7f}, {8, 9.6f}, 1.15f),
                Circle({8, 12.2f}, 1.2f)}),
         0.4f);
  return img;
}

Image Programs() {
  Image img(16, 16);
  img.Shadow(RoundRect(2, 1, 14, 15, 1.8f), 0, 0.6f, 0.6f, kShadow);
  img.Fill(RoundRect(2, 1, 14, 15, 1.8f), kSlate.base);
  img.Fill(RoundRect(3, 2, 13, 14, 1.2f), Linear({0, 2}, kWhite, {0, 14}, Hex(0xE3EAF3)));
  for (float y : {5.0f, 8.0f, 11.0f}) {
    img.Fill(Circle({5.3f, y}, 1.15f), Radial({5, y - 0.4f}, 1.5f, kGreen.light, kGreen.base));
    img.Fill(Capsule({7.6f, y}, {11.2f, y}, 0.6f), kSlate.base);
  }
  return img;
}

Image Web() {
  Image img(16, 16);
  const Vec c{8, 8};
  img.Shadow(Circle(c, 7.3f), 0, 0.6f, 0.6f, kShadow);
  img.Fill(Circle(c, 7.3f), kBlue.dark);
  img.Fill(Circle(c, 6.5f), Radial({6, 5}, 9, kBlue.light, kBlue.base));
  const Shape inside = Circle(c, 6.5f);
  const Shape grid = Union({Minus(Ellipse(c, 3.3f, 6.6f), Ellipse(c, 2.5f, 5.8f)), Capsule({8, 1}, {8, 15}, 0.4f),
                            Capsule({1, 8}, {15, 8}, 0.4f), Capsule({2, 4.8f}, {14, 4.8f}, 0.4f),
                            Capsule({2, 11.2f}, {14, 11.2f}, 0.4f)});
  img.Fill(Intersect(inside, grid), Hex(0xFFFFFF, 0.8f));
  img.Fill(Intersect(inside, Ellipse({6, 4.5f}, 4, 2.5f)), Hex(0xFFFFFF, 0.18f));
  return img;
}
}  // namespace

std::vector<Image> ToolBarImages() { return {Turkish(), English(), Hide(), Exit(), Stop(), Start()}; }

std::vector<Image> TabImages() { return {Gear(), Help(), Programs(), Web()}; }

Image ProgramIcon(int size) {
  Image img(size, size);
  const float s = size / 32.0f;
  auto at = [s](float x, float y) { return Vec{x * s, y * s}; };
  Emblem(img, RoundRect(1.5f * s, 1.5f * s, 30.5f * s, 30.5f * s, 7 * s),
         RoundRect(2.5f * s, 2.5f * s, 29.5f * s, 29.5f * s, 6.2f * s), kBlue, 2.5f * s, 29.5f * s, std::max(0.6f, s));
  // A lightning flash across the tile.
  const std::vector<Vec> flash{at(18.5f, 3.5f),  at(7.5f, 18),     at(15, 18),
                               at(12.5f, 28.5f), at(24.5f, 13.5f), at(17, 13.5f)};
  img.Shadow(Polygon(flash), 0, 0.8f * s, 0.8f * s, Hex(0x000000, 0.35f));
  img.Fill(RoundedPolygon(flash, 0.9f * s), kAmber.dark);
  img.Fill(Polygon(flash), Linear(at(0, 4), kAmber.light, at(0, 28), kAmber.base));
  return img;
}

Image WebSitePicture() {
  const int w = 240, h = 180;
  Image img(w, h);
  // Sky: deep blue overhead, warm and pale towards the horizon, with a low sun.
  img.Fill([](Vec) { return true; }, Linear({0, 0}, Hex(0x3C74C4), {0, 125}, Hex(0xF7DDBE)));
  img.Fill(Circle({176, 96}, 70), Radial({176, 96}, 70, Hex(0xFFF3D2, 0.85f), Hex(0xFFF3D2, 0)));
  img.Fill(Circle({176, 96}, 13), Hex(0xFFF8E6));
  // Soft clouds.
  auto cloud = [](float x, float y, float k) {
    return Union({Ellipse({x, y}, 20 * k, 7 * k), Circle({x - 8 * k, y - 4 * k}, 8 * k),
                  Circle({x + 5 * k, y - 6 * k}, 10 * k)});
  };
  for (const Shape& c : {cloud(48, 104, 1.0f), cloud(126, 86, 0.7f), cloud(212, 56, 0.8f)}) {
    img.Shadow(c, 0, 0, 3, Hex(0xFFFFFF, 0.35f));
    img.Fill(c, Linear({0, 70}, Hex(0xFFFFFF, 0.9f), {0, 112}, Hex(0xF3E6DA, 0.75f)));
  }
  // Rolling hills, hazy in the distance, deeper green in front.
  auto hill = [](float base, float a1, float f1, float a2, float f2, float phase) {
    return Shape([=](Vec p) { return p.y >= base + a1 * std::sin(p.x / f1 + phase) + a2 * std::sin(p.x / f2); });
  };
  img.Fill(hill(124, 7, 26, 3, 9, 1), Linear({0, 112}, Hex(0x8FA7C8), {0, 140}, Hex(0x7890B4)));
  img.Fill(hill(138, 10, 34, 4, 12, 0), Linear({0, 124}, Hex(0x6FAE7C), {0, 170}, Hex(0x3F7E57)));
  img.Fill(hill(156, 9, 44, 3, 15, 2), Linear({0, 144}, Hex(0x4C9466), {0, 180}, Hex(0x24573B)));
  // The name, in white with a soft shadow.
  const float height = 36, stroke = 6;
  const Shape word = Lettering("Brelko", {(w - LetteringWidth("Brelko", height)) / 2, 30}, height, stroke);
  img.Shadow(word, 1.5f, 2.5f, 2.5f, Hex(0x12305C, 0.45f));
  img.Fill(word, Linear({0, 30}, kWhite, {0, 66}, Hex(0xEAF1FB)));
  return img;
}
