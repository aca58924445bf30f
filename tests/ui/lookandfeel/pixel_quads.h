// Pixels of 32-bit bitmaps as B | G << 8 | R << 16 | A << 24, and the blend of
// the drawing road evaluated independently in single precision.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"

namespace pixel_quads {

inline uint32_t Quad(uint8_t b, uint8_t g, uint8_t r, uint8_t a) { return b | g << 8 | r << 16 | uint32_t(a) << 24; }

// Pixel (x, y) of a 32-bit bitmap, y from the top.
inline uint32_t Pixel(TBitmap& b, int32_t x, int32_t y) {
  uint32_t v;
  std::memcpy(&v, static_cast<uint8_t*>(b.ScanLine(y)) + 4 * x, 4);
  return v;
}

inline void SetPixel(TBitmap& b, int32_t x, int32_t y, uint32_t v) {
  std::memcpy(static_cast<uint8_t*>(b.ScanLine(y)) + 4 * x, &v, 4);
}

inline win::RGBQUAD Q(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
inline uint32_t V(win::RGBQUAD q) { return Quad(q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved); }

// R x wR + G x wG + B x wB in single precision, to the nearest integer with ties to even.
inline uint8_t GreyOf(uint32_t p, float wR, float wG, float wB) {
  const float v = float((p >> 16) & 255) * wR + float((p >> 8) & 255) * wG + float(p & 255) * wB;
  return uint8_t(std::nearbyint(v));
}

inline uint32_t WithGrey(uint32_t p, uint8_t g) { return (p & 0xFF000000) | Quad(g, g, g, 0); }

// s (premultiplied) over d at constantAlpha / 255: c s + (1 - s.A c / 255) d per byte.
inline uint32_t Blended(uint32_t s, uint32_t d, uint8_t constantAlpha) {
  const float c = float(constantAlpha) / 255.0f;
  const float e = 1.0f - float(s >> 24) * c / 255.0f;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const float v = c * float((s >> shift) & 255) + e * float((d >> shift) & 255);
    out |= uint32_t(std::clamp(std::nearbyint(v), 0.0f, 255.0f)) << shift;
  }
  return out;
}

}  // namespace pixel_quads
