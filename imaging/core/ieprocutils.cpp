#include "imaging/core/ieprocutils.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/core/ieglobals.h"
#include "platform/vcl/graphics.h"

int64_t IECeil(long double x) {
  const auto t = int64_t(x);
  return x - t > 0 ? t + 1 : t;
}

int64_t IEFloor(long double x) {
  const auto t = int64_t(x);
  return x - t < 0 ? t - 1 : t;
}

void OrderCorners(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
  if (x2 < x1) IESwap(x1, x2);
  if (y2 < y1) IESwap(y1, y2);
}

bool IsMultipleOf90(double angle) {
  if (!std::isfinite(angle) || angle != std::trunc(angle) || std::fabs(angle) > 9e18) return false;
  return int64_t(angle) % 90 == 0;
}

TRGB ColorToTRGB(TColor color) {
  const auto c = uint32_t(ColorToRGB(color));
  return TRGB{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
}

uint32_t ColorToARGB(TColor color, uint8_t alpha) {
  const auto c = uint32_t(ColorToRGB(color));
  return uint32_t(alpha) << 24 | SwapRedBlue(c);
}

int32_t RGBToGray(uint32_t packed) {
  return IEGrayOf(int32_t((packed >> 16) & 0xFF), int32_t((packed >> 8) & 0xFF), int32_t(packed & 0xFF));
}

int32_t NearestPaletteIndex(const TRGB* palette, int32_t count, uint32_t packed) {
  const int32_t r = (packed >> 16) & 0xFF, g = (packed >> 8) & 0xFF, b = packed & 0xFF;
  int32_t best = 1000, index = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t d = std::abs(palette[i].r - r) + std::abs(palette[i].g - g) + std::abs(palette[i].b - b);
    if (d < best) {
      best = d;
      index = i;
    }
  }
  return index;
}

void RGBToHSL(uint32_t packed, double& h, double& s, double& l) {
  const double r = ((packed >> 16) & 0xFF) / 255.0, g = ((packed >> 8) & 0xFF) / 255.0, b = (packed & 0xFF) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  l = (mx + mn) / 2;
  if (mx == mn) {
    h = s = 0;
    return;
  }
  const double d = mx - mn;
  s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
  if (mx == r)
    h = (g - b) / d;
  else if (mx == g)
    h = (b - r) / d + 2;
  else
    h = (r - g) / d + 4;
  h /= 6;
  if (h < 0) h += 1;
}

namespace {
double HueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (6 * t < 1) return p + (q - p) * 6 * t;
  if (2 * t < 1) return q;
  if (3 * t < 2) return p + (q - p) * (2.0 / 3.0 - t) * 6;
  return p;
}
uint8_t ChannelByte(double v) {
  const double r = std::nearbyint(v * 255);  // halves to even
  return uint8_t(ClampByte(std::isfinite(r) ? int32_t(std::clamp(r, -1.0, 256.0)) : 0));
}
}  // namespace

void HSLToRGB(TRGB& pixel, double h, double s, double l) {
  if (h < 0)
    h += 1;
  else if (h > 1)
    h -= 1;
  s = std::clamp(s, 0.0, 1.0);
  l = std::clamp(l, 0.0, 1.0);
  if (s == 0) {
    pixel.r = pixel.g = pixel.b = ChannelByte(l);
    return;
  }
  const double q = l <= 0.5 ? l * (1 + s) : l + s - l * s;
  const double p = 2 * l - q;
  pixel.r = ChannelByte(HueToChannel(p, q, h + 1.0 / 3.0));
  pixel.g = ChannelByte(HueToChannel(p, q, h));
  pixel.b = ChannelByte(HueToChannel(p, q, h - 1.0 / 3.0));
}

void SetBit(uint8_t* row, int32_t n, bool value) {
  const auto mask = uint8_t(0x80 >> (n & 7));
  if (value)
    row[n >> 3] |= mask;
  else
    row[n >> 3] &= uint8_t(~mask);
}

void CopyBitsOneByOne(uint8_t* dest, const uint8_t* source, int32_t destStart, int32_t count, int32_t sourceStart) {
  for (int32_t i = 0; i < count; ++i) SetBit(dest, destStart + i, GetBit(source, sourceStart + i));
}

void CopyBitRun(uint8_t* dest, const uint8_t* source, int32_t destStart, int32_t sourceBytes, int32_t count,
                int32_t sourceStart) {
  if (count < 1 || destStart < 0 || sourceStart < 0) return;
  // The source bytes involved go through a copy: source and destination may be one row.
  const int64_t first = sourceStart >> 3;
  const int64_t last = (int64_t(sourceStart) + count - 1) >> 3;
  const int64_t available = std::min<int64_t>(last - first + 1, int64_t(sourceBytes) - first);
  if (available <= 0) return;
  std::vector<uint8_t> bits(size_t(last - first + 1), 0);
  std::memcpy(bits.data(), source + first, size_t(available));
  // Never past the bytes the source has.
  count = int32_t(std::min<int64_t>(count, available * 8 - (sourceStart & 7)));
  const int32_t shift = sourceStart & 7;
  int32_t i = 0;
  // Whole destination bytes where the run covers them, bit by bit at the ends.
  while (i < count) {
    const int32_t d = destStart + i;
    if ((d & 7) == 0 && count - i >= 8) {
      const int32_t s = shift + i;
      const size_t k = size_t(s >> 3);
      uint32_t v = uint32_t(bits[k]) << 8;
      if (k + 1 < bits.size()) v |= bits[k + 1];
      dest[d >> 3] = uint8_t(v >> (8 - (s & 7)));
      i += 8;
    } else {
      SetBit(dest, d, GetBit(bits.data(), shift + i));
      ++i;
    }
  }
}

void InvertBuffer(void* buffer, int32_t length) {
  auto* p = static_cast<uint8_t*>(buffer);
  for (int32_t i = 0; i < length; ++i) p[i] = uint8_t(~p[i]);
}

void InvertBitmapBits(TIEBitmap& bitmap) {
  TIEAccessScope scope(bitmap, iedRead | iedWrite);
  // Whole rows, 16 bits at a time over (row length div 2) words, as rows are 32-bit aligned.
  const int32_t n = (bitmap.GetRowLen() / 2) * 2;
  for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
    if (void* row = bitmap.GetScanline(y)) InvertBuffer(row, n);
}

void SwapRBRow(void* row, int32_t count) {
  auto* p = static_cast<uint8_t*>(row);
  for (int32_t i = 0; i < count; ++i, p += 3) std::swap(p[0], p[2]);
}

void CopySwapRB(void* dest, const void* source, int32_t count) {
  auto* d = static_cast<uint8_t*>(dest);
  const auto* s = static_cast<const uint8_t*>(source);
  for (int32_t i = 0; i < count; ++i, d += 3, s += 3) {
    const uint8_t r = s[0], g = s[1], b = s[2];
    d[0] = b;
    d[1] = g;
    d[2] = r;
  }
}
