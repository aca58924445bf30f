#include "imaging/core/iebits.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "platform/classes/streams.h"
#include "platform/gdi/gdi.h"
#include "platform/rtl/sysutils.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

int64_t IEBitmapRowLen(int32_t width, int32_t bitsPerPixel, int32_t alignment) {
  if (width <= 0 || bitsPerPixel <= 0 || alignment <= 0 || alignment % 8 != 0) return 0;
  const int64_t bits = int64_t(width) * bitsPerPixel;
  return (bits + alignment - 1) / alignment * (alignment / 8);
}

int32_t IEMaskBitWidth(uint32_t mask) {
  if (mask == 0) return 0;
  int32_t first = 0;
  while (!(mask & (1u << first))) ++first;
  int32_t n = 0;
  for (int32_t bit = first; bit < 32 && (mask & (1u << bit)); ++bit) ++n;
  return n;
}

int32_t IEBitsForColorCount(uint32_t n) {
  if (n == 0) return -1;
  const int32_t highest = 31 - __builtin_clz(n);
  return (n & (n - 1)) == 0 ? highest : highest + 1;
}

namespace {

constexpr std::array<uint8_t, 256> MakeReverseTable() {
  std::array<uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) {
    uint8_t r = 0;
    for (int b = 0; b < 8; ++b)
      if (i & (1 << b)) r |= uint8_t(0x80 >> b);
    t[size_t(i)] = r;
  }
  return t;
}
constexpr std::array<uint8_t, 256> kReversedByte = MakeReverseTable();

}  // namespace

void IEReverseBitsInByte(uint8_t& b) { b = kReversedByte[b]; }

void IEReverseBits32(uint32_t& v) {
  const uint32_t s = IEByteSwap32(v);
  v = uint32_t(kReversedByte[s & 0xFF]) | uint32_t(kReversedByte[(s >> 8) & 0xFF]) << 8 |
      uint32_t(kReversedByte[(s >> 16) & 0xFF]) << 16 | uint32_t(kReversedByte[s >> 24]) << 24;
}

uint32_t IEByteSwap16(uint32_t v) { return (v & 0xFFFF0000u) | ((v & 0xFF) << 8) | ((v >> 8) & 0xFF); }

void IEByteSwap16Array(uint16_t* words, int32_t n) {
  for (int32_t i = 0; i < n; ++i) words[i] = uint16_t((words[i] >> 8) | (words[i] << 8));
}

uint32_t IEByteSwap32(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

long double IEPower(double base, double exponent) {
  constexpr double kLimit = 2147483647.0;
  const long double b = base;
  if (std::fabs(exponent) < kLimit && exponent == std::trunc(exponent)) {
    const auto n = int64_t(exponent);
    if (n == 0) return 1.0L;
    if (base == 0.0) return 0.0L;
    uint64_t k = uint64_t(n < 0 ? -n : n);
    long double result = 1.0L, square = b;
    while (k) {
      if (k & 1) result *= square;
      square *= square;
      k >>= 1;
    }
    return n < 0 ? 1.0L / result : result;
  }
  if (std::fabs(exponent) >= kLimit && base == 0.0) return 0.0L;
  return std::exp2l(exponent * std::log2l(b));
}

long double IEStrToFloatDefAnySeparator(std::string_view text, long double def) {
  long double v;
  if (TryStrToFloat(text, v)) return v;
  std::string s(text);
  if (const size_t comma = s.find(','); comma != std::string::npos)
    s[comma] = '.';
  else if (const size_t point = s.find('.'); point != std::string::npos)
    s[point] = ',';
  else
    return def;
  return TryStrToFloat(s, v) ? v : def;
}

void IEFloatToRational(int32_t& numerator, int32_t& denominator, double value, double precision) {
  constexpr double kMax = 2147483647.0;
  if (std::isnan(value)) {
    numerator = 0;
    denominator = 1;
    return;
  }
  const int32_t sign = value < 0 ? -1 : 1;
  const double v = std::fabs(value);
  // Past 32 bits neither a whole number nor a fraction fits; saturate as for the huge values.
  if (v > 1e19 || v >= kMax) {
    numerator = sign * 999999999;
    denominator = 1;
    return;
  }
  if (v == std::trunc(v)) {
    numerator = sign * int32_t(v);
    denominator = 1;
    return;
  }
  if (v < 1e-19) {
    numerator = sign;
    denominator = 999999999;
    return;
  }
  // The best pair so far; a step whose terms no longer fit in 32 bits ends the walk.
  int64_t num = int64_t(v + 0.5), den = 1, previous = 0;
  double z = v;
  for (;;) {
    const double frac = z - std::trunc(z);
    if (frac <= 0) break;
    z = 1.0 / frac;
    if (z >= kMax) break;
    const int64_t nextDen = den * int64_t(z) + previous;
    const double nextNum = std::trunc(double(nextDen) * v + 0.5);
    if (nextDen > int64_t(kMax) || nextNum > kMax) break;
    previous = den;
    den = nextDen;
    num = int64_t(nextNum);
    if (std::fabs(v - double(num) / double(den)) < precision || z == std::trunc(z)) break;
  }
  numerator = int32_t(num) * sign;
  denominator = int32_t(den);
}

int32_t IEGetWindowsVersion() { return 9; }

bool IEHasMMX() {
#if defined(__i386__) || defined(__x86_64__)
  unsigned eax, ebx, ecx, edx;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
  return (edx & (1u << 23)) != 0;
#else
  return false;
#endif
}

uint8_t IEFontStyleBits(const win::LOGFONT* font) {
  if (!font) return 0;
  uint8_t bits = 0;
  if (font->lfWeight >= 700) bits |= 1;
  if (font->lfItalic) bits |= 2;
  if (font->lfUnderline) bits |= 4;
  if (font->lfStrikeOut) bits |= 8;
  return bits;
}

bool IEEqualGUID(const void* a, const void* b) { return std::memcmp(a, b, 16) == 0; }

void IEStreamWriteChecked(TStream& stream, bool& error, const void* data, int32_t length) {
  if (stream.Write(data, length) < length) error = true;
}
