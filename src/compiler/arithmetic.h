// Rounding and the small numeric rules every part of the compiler shares.
// All of it is exact integer arithmetic on 64 bits: no quotient is ever a
// floating-point number.
#pragma once

#include <cstdint>

namespace tarvosa {

// R(numerator / denominator): the nearest whole number, an exact half going
// to the even neighbour (R(24.5) = 24, R(25.5) = 26). The denominator is
// positive.
constexpr std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  std::int64_t remainder = numerator % denominator;
  if (remainder < 0) {  // make it the floor
    quotient -= 1;
    remainder += denominator;
  }
  const std::int64_t twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) quotient += 1;
  return quotient;
}

// The cell of a feature at progressive p: R(p / 50 + 1).
constexpr std::int64_t CellOf(std::int64_t progressive) {
  return RoundHalfEven(progressive + 50, 50);
}

// The smaller of two values, the first when they are equal.
template <typename T>
constexpr T minimo(const T& x, const T& y) {
  return x > y ? y : x;
}

}  // namespace tarvosa
