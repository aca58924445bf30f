// Integer arithmetic the platform's callers expect in one place.
#pragma once

#include <cstdint>

// a * b / c over a 64-bit product, rounded to the nearest integer with halves
// away from zero. -1 when c is 0 or the quotient does not fit 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
