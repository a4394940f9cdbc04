#include "lettering.h"

#include <numbers>
#include <vector>

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kGap = 0.24f;  // space between letters, in cap heights

struct Stroke {
  enum Kind { kLine, kArc } kind;
  Vec a, b;  // line ends, or the arc's centre in a
  float r = 0, a0 = 0, a1 = 0;
};

struct Glyph {
  float advance;
  std::vector<Stroke> strokes;
};

Stroke L(float x0, float y0, float x1, float y1) { return {Stroke::kLine, {x0, y0}, {x1, y1}}; }
Stroke A(float cx, float cy, float r, float a0, float a1) { return {Stroke::kArc, {cx, cy}, {}, r, a0, a1}; }

const Glyph* Find(char c) {
  static const Glyph B{
      0.59f,
      {L(0, 0, 0, 1), L(0, 0, 0.28f, 0), A(0.28f, 0.235f, 0.235f, -kPi / 2, kPi / 2), L(0.28f, 0.47f, 0, 0.47f),
       L(0, 0.47f, 0.32f, 0.47f), A(0.32f, 0.735f, 0.265f, -kPi / 2, kPi / 2), L(0.32f, 1, 0, 1)}};
  static const Glyph r{0.46f, {L(0, 0.4f, 0, 1), A(0.27f, 0.67f, 0.27f, kPi, kPi * 1.72f)}};
  static const Glyph e{0.6f, {L(0, 0.7f, 0.6f, 0.7f), A(0.3f, 0.7f, 0.3f, 0.75f, 2 * kPi)}};
  static const Glyph l{0.0f, {L(0, 0, 0, 1)}};
  static const Glyph k{0.46f, {L(0, 0, 0, 1), L(0.44f, 0.4f, 0.02f, 0.78f), L(0.16f, 0.64f, 0.46f, 1)}};
  static const Glyph o{0.6f, {A(0.3f, 0.7f, 0.3f, 0, 2 * kPi)}};
  switch (c) {
    case 'B': return &B;
    case 'r': return &r;
    case 'e': return &e;
    case 'l': return &l;
    case 'k': return &k;
    case 'o': return &o;
    default: return nullptr;
  }
}

float Advance(char c) {
  const Glyph* g = Find(c);
  return g ? g->advance : 0.4f;
}
}  // namespace

Shape Lettering(const std::string& word, Vec origin, float height, float stroke) {
  std::vector<Shape> parts;
  float x = origin.x;
  for (char c : word) {
    if (const Glyph* g = Find(c))
      for (const Stroke& s : g->strokes) {
        auto at = [&](Vec u) { return Vec{x + u.x * height, origin.y + u.y * height}; };
        parts.push_back(s.kind == Stroke::kLine ? Capsule(at(s.a), at(s.b), stroke / 2)
                                                : Arc(at(s.a), s.r * height, s.a0, s.a1, stroke / 2));
      }
    x += (Advance(c) + kGap) * height;
  }
  return Union(std::move(parts));
}

float LetteringWidth(const std::string& word, float height) {
  float w = 0;
  for (char c : word) w += (Advance(c) + kGap) * height;
  return word.empty() ? 0 : w - kGap * height;
}
