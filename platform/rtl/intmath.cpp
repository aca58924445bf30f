#include "platform/rtl/intmath.h"

#include <limits>

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t product = int64_t(a) * int64_t(b);
  int64_t quotient = product / c;
  const int64_t rest = product % c;
  // |rest| * 2 fits: |rest| < |c| <= 2^31.
  const int64_t absRest = rest < 0 ? -rest : rest;
  const int64_t absDivisor = c < 0 ? -int64_t(c) : int64_t(c);
  if (2 * absRest >= absDivisor) quotient += ((product < 0) != (c < 0)) ? -1 : 1;
  if (quotient > std::numeric_limits<int32_t>::max() || quotient < std::numeric_limits<int32_t>::min()) return -1;
  return int32_t(quotient);
}
