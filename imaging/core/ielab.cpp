#include "imaging/core/ielab.h"

#include <cmath>

#include "imaging/core/iebits.h"

namespace {

using real = long double;

real Linearize(real c) { return c <= 0.04045L ? c / 12.92L : IEPower(double((c + 0.055L) / 1.055L), 2.4); }

real LabF(real t) { return t > 0.008856L ? IEPower(double(t), 1.0 / 3.0) : 7.787L * t + 16.0L / 116.0L; }

real LabFInverse(real f) {
  const real f3 = f * f * f;
  return f3 > 0.008856L ? f3 : (f - 0.13793103448L) / 7.787L;
}

real Compand(real c) { return c <= 0.0031308L ? 12.92L * c : 1.055L * IEPower(double(c), 1.0 / 2.4) - 0.055L; }

uint8_t ToByte(real c) {
  // nearbyint rounds halves to even in the default rounding mode.
  const real v = std::nearbyint(c * 255.0L);
  return v <= 0 ? 0 : v >= 255 ? 255 : uint8_t(v);
}

// Truncated toward zero, then kept as its low 8 bits.
uint8_t LowByte(real v) {
  if (!(v > -1e9L && v < 1e9L)) return 0;
  return uint8_t(int64_t(v) & 0xFF);
}

}  // namespace

void IEColorToCIELab(TCIELab& lab, uint32_t color) {
  const real r = Linearize(real((color >> 16) & 0xFF) / 255.0L);
  const real g = Linearize(real((color >> 8) & 0xFF) / 255.0L);
  const real b = Linearize(real(color & 0xFF) / 255.0L);
  const real x = (0.412453L * r + 0.35758L * g + 0.180423L * b) / 0.95047L;
  const real y = 0.212671L * r + 0.71516L * g + 0.072169L * b;
  const real z = (0.019334L * r + 0.119193L * g + 0.950227L * b) / 1.088883L;
  const real fx = LabF(x), fy = LabF(y), fz = LabF(z);
  const real l = y > 0.008856L ? 116.0L * fy - 16.0L : 903.3L * y;
  // 2.55 as a double lies just below 2.55, so L* = 100 gives 254: the stored white.
  lab.l = LowByte(l * 2.55);
  lab.a = int8_t(LowByte(500.0L * (fx - fy)));
  lab.b = int8_t(LowByte(200.0L * (fy - fz)));
}

void IECIELabToRGB(TRGB& rgb, const TCIELab& lab) {
  const real fy = (real(lab.l) * 0.39215686275L + 16.0L) / 116.0L;
  const real fx = fy + real(lab.a) / 500.0L;
  const real fz = fy - real(lab.b) / 200.0L;
  const real x = LabFInverse(fx) * 0.95047L;
  const real y = LabFInverse(fy);
  const real z = LabFInverse(fz) * 1.08883L;
  const real r = 3.2406L * x - 1.5372L * y - 0.4986L * z;
  const real g = -0.9689L * x + 1.8758L * y + 0.0415L * z;
  const real b = 0.0557L * x - 0.204L * y + 1.057L * z;
  rgb.r = ToByte(Compand(r));
  rgb.g = ToByte(Compand(g));
  rgb.b = ToByte(Compand(b));
}
