// CIE L*a*b* pixels (the ieCIELab format) to and from blue-green-red, with the
// sRGB primaries and the D65 white point. Per-pixel routines in extended
// precision; whole-image callers run them per pixel.
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"

// One ieCIELab pixel: L* scaled to 0..255 for 0..100, a* and b* as signed bytes.
struct TCIELab {
  uint8_t l = 0;
  int8_t a = 0;
  int8_t b = 0;
  friend constexpr bool operator==(const TCIELab&, const TCIELab&) = default;
};
static_assert(sizeof(TCIELab) == 3);

// color: 0x00RRGGBB, an ie24RGB pixel read as a little-endian integer. Each
// channel is truncated and kept as its low 8 bits, so white gives (254, 0, 0).
void IEColorToCIELab(TCIELab& lab, uint32_t color);
// Rounded to nearest (ties to even) and clamped to 0..255.
void IECIELabToRGB(TRGB& rgb, const TCIELab& lab);
