#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "platform/rtl/intmath.h"

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  const int32_t cases[][3] = {
      {1, 100, 3},   {2, 100, 3},   {1, 1, 2},     {-1, 1, 2},   {1, -1, 2},   {-1, -1, 2},       {3, 1, 2},
      {-3, 1, 2},    {5, 7, -3},    {-5, 7, -3},   {7, 1, 4},    {-7, 1, 4},   {0, 123, 7},       {10, 60, 4},
      {INT32_MAX, 2, 2}, {INT32_MIN, 1, 1}, {100000, 100000, 7}, {INT32_MAX, INT32_MAX, INT32_MAX},
  };
  for (const auto& c : cases) {
    // Exact in double: the products stay below 2^62 and the quotients well inside 2^53.
    const long double exact = (long double)c[0] * c[1] / c[2];
    EXPECT_EQ(MulDiv(c[0], c[1], c[2]), int32_t(std::round(exact))) << c[0] << " * " << c[1] << " / " << c[2];
  }
}

TEST(MulDiv, ZeroDivisorAndOverflowAnswerMinusOne) {
  EXPECT_EQ(MulDiv(5, 7, 0), -1);
  EXPECT_EQ(MulDiv(0, 0, 0), -1);
  EXPECT_EQ(MulDiv(INT32_MAX, 4, 2), -1);
  EXPECT_EQ(MulDiv(INT32_MIN, -1, 1), -1);
}

}  // namespace
