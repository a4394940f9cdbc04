#include "app/formats/random_source.h"

#include <algorithm>

std::uint32_t TRandomSource::Step() {
  seed_ = seed_ * 134775813u + 1u;  // unsigned arithmetic wraps modulo 2^32
  return seed_;
}

int TRandomSource::Random(int n) {
  const std::int64_t product = static_cast<std::int64_t>(Step()) * n;
  return static_cast<int>(product >> 32);  // arithmetic shift: a negative product rounds down
}

int TRandomSource::RandomRange(int a, int b) {
  // The distance can exceed the int range (e.g. INT_MIN to INT_MAX); it always fits 32 unsigned bits.
  const auto distance = static_cast<std::uint32_t>(std::max(a, b) - static_cast<std::int64_t>(std::min(a, b)));
  const auto below = static_cast<std::uint32_t>((static_cast<std::uint64_t>(Step()) * distance) >> 32);
  return static_cast<int>(std::min(a, b) + static_cast<std::int64_t>(below));
}

TRandomSource& ProgramRandom() {
  static TRandomSource source;
  return source;
}
