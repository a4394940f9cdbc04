#pragma once
// The program-wide random source: a 32-bit linear congruential generator whose seed is 0 at
// program start and is never taken from the clock, so every run draws the same sequence.
// One step: seed = seed * 134775813 + 1 (mod 2^32).
#include <cstdint>

class TRandomSource {
public:
  explicit TRandomSource(std::uint32_t seed = 0) : seed_(seed) {}

  std::uint32_t Seed() const { return seed_; }
  void SetSeed(std::uint32_t seed) { seed_ = seed; }

  // One step, then the upper 32 bits of seed * n: a number from 0 to n - 1 (0 when n is 0).
  // A negative n gives a number from n to 0 (the same product taken signed, rounded down).
  int Random(int n);
  // min(a, b) + a draw below |b - a|: b itself is never reached.
  int RandomRange(int a, int b);

private:
  std::uint32_t Step();
  std::uint32_t seed_;
};

// The one source the whole program draws from.
TRandomSource& ProgramRandom();
