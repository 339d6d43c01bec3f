// Saturating arithmetic for numbers that come from project data.
#include <gtest/gtest.h>

#include <limits>

#include "render/SafeMath.h"

namespace hopwerk {
namespace {

constexpr int64_t kMin = kInt32Min, kMax = kInt32Max;
constexpr int64_t kWideMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kWideMax = std::numeric_limits<int64_t>::max();

TEST(SafeMath, ResultsAreExactWithinRangeAndPinnedBeyondIt) {
  struct Case {
    int64_t a, b;
    int32_t sum, difference, product;
  };
  const Case cases[] = {
      {3, 4, 7, -1, 12},
      {-7, 2, -5, -9, -14},
      {kMin, 8, kMin + 8, kInt32Min, kInt32Min},  // the status screen's X minus a text width
      {kMax, 1, kInt32Max, kMax - 1, kInt32Max},
      {kMin, -1, kInt32Min, kMin + 1, kInt32Max},
      {kMin, kMin, kInt32Min, 0, kInt32Max},
      {kMax, kMin, -1, kInt32Max, kInt32Min},
      {kWideMax, 1, kInt32Max, kInt32Max, kInt32Max},  // 64-bit overflow itself
      {1, kWideMax, kInt32Max, kInt32Min, kInt32Max},
      {kWideMin, -1, kInt32Min, kInt32Min, kInt32Max},
      {-1, kWideMin, kInt32Min, kInt32Max, kInt32Max},
      {kWideMin, kWideMax, -1, kInt32Min, kInt32Min},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SatAdd(c.a, c.b), c.sum) << c.a << " + " << c.b;
    EXPECT_EQ(SatSub(c.a, c.b), c.difference) << c.a << " - " << c.b;
    EXPECT_EQ(SatMul(c.a, c.b), c.product) << c.a << " * " << c.b;
  }
  EXPECT_EQ(SatInt32(kMax + 1), kInt32Max);
  EXPECT_EQ(SatInt32(kMin - 1), kInt32Min);
  EXPECT_EQ(SatTruncate(-2.9), -2);
  EXPECT_EQ(SatTruncate(1e300), kInt32Max);
  EXPECT_EQ(SatTruncate(-1e300), kInt32Min);
  EXPECT_EQ(SatTruncate(std::numeric_limits<double>::quiet_NaN()), 0);
  static_assert(SatSub(kMin, 100) == kInt32Min);  // usable in constant expressions
}

}  // namespace
}  // namespace hopwerk
