#include "toolkit/core/filer.h"

#include <bit>
#include <cmath>
#include <cstring>

void DoubleToExtended(double value, std::uint8_t out[10]) {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  unsigned sign = static_cast<unsigned>(bits >> 63);
  unsigned exponent = static_cast<unsigned>((bits >> 52) & 0x7FF);
  std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  std::uint64_t mantissa = 0;
  unsigned biased = 0;
  if (exponent == 0x7FF) {  // infinity or NaN
    mantissa = (std::uint64_t{1} << 63) | (fraction << 11);
    biased = 0x7FFF;
  } else if (exponent != 0) {
    mantissa = (std::uint64_t{1} << 63) | (fraction << 11);
    biased = exponent - 1023 + 16383;
  } else if (fraction != 0) {  // subnormal double: normal in the wider format
    int shift = std::countl_zero(fraction);
    mantissa = fraction << shift;
    biased = static_cast<unsigned>(16383 - 1011 - shift);
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  unsigned top = (sign << 15) | biased;
  out[8] = static_cast<std::uint8_t>(top);
  out[9] = static_cast<std::uint8_t>(top >> 8);
}

double ExtendedToDouble(const std::uint8_t in[10]) {
  std::uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i) mantissa |= std::uint64_t{in[i]} << (8 * i);
  unsigned top = in[8] | (unsigned{in[9]} << 8);
  bool negative = (top & 0x8000) != 0;
  int exponent = static_cast<int>(top & 0x7FFF);
  double result;
  if (exponent == 0x7FFF)
    result = (mantissa << 1) == 0 ? INFINITY : NAN;
  else if (mantissa == 0)
    result = 0.0;
  else  // the integer bit is explicit; a zero exponent means 2^(1-16383)
    result = std::ldexp(static_cast<double>(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
  return negative ? -result : result;
}
