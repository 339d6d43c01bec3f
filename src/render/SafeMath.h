// Arithmetic on coordinates and sizes that come from project data. A hostile project can put
// any 32-bit number in any field, and overflowing `int` arithmetic is undefined behaviour, so
// every sum, difference or product that involves such a number goes through these helpers.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace hopwerk {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// SatAdd/SatSub/SatMul(a, b) and SatInt32(v): the exact result pinned into int32's range.
constexpr int32_t SatInt32(int64_t v) {
  if (v < kInt32Min) return kInt32Min;
  if (v > kInt32Max) return kInt32Max;
  return static_cast<int32_t>(v);
}

constexpr int32_t SatAdd(int64_t a, int64_t b) {
  int64_t sum = 0;
  // Only 64-bit operands can overflow here, and only when both have the sign of the result.
  if (__builtin_add_overflow(a, b, &sum)) return b < 0 ? kInt32Min : kInt32Max;
  return SatInt32(sum);
}

constexpr int32_t SatSub(int64_t a, int64_t b) {
  int64_t difference = 0;
  if (__builtin_sub_overflow(a, b, &difference)) return b < 0 ? kInt32Max : kInt32Min;
  return SatInt32(difference);
}

constexpr int32_t SatMul(int64_t a, int64_t b) {
  int64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) {
    return (a < 0) != (b < 0) ? kInt32Min : kInt32Max;
  }
  return SatInt32(product);
}

// A real number truncated toward zero as a cast would, pinned likewise; NaN gives 0.
inline int32_t SatTruncate(double v) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<double>(kInt32Min)) {
    return kInt32Min;
  }
  if (v >= static_cast<double>(kInt32Max)) {
    return kInt32Max;
  }
  return static_cast<int32_t>(v);
}

}  // namespace hopwerk
