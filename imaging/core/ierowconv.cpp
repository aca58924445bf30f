#include "imaging/core/ierowconv.h"

#include <cstring>

#include "imaging/core/iecmyk.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ieinit.h"
#include "imaging/core/ielab.h"
#include "imaging/core/ieprocutils.h"

bool IEColorManagement = false;
TIEConvertColorRowProc IEConvertColorRowProc = &IEConvertColorRow;
bool (*IEColorRowProfileTransform)(TIOParamsVals& params, const void* source, int32_t sourceLayout, void* dest,
                                   int32_t destLayout, int32_t count) = nullptr;

namespace {

uint8_t ClampTrunc(double v) {
  if (!(v > 0)) return 0;
  return v >= 255 ? 255 : uint8_t(v);
}

uint32_t Packed(const uint8_t* bgr) { return uint32_t(bgr[0]) | uint32_t(bgr[1]) << 8 | uint32_t(bgr[2]) << 16; }

}  // namespace

void IEYCbCrToRGB(TRGB& pixel, int32_t y, int32_t cb, int32_t cr) {
  pixel.r = ClampTrunc(double(y) + 1.402 * (cr - 128));
  pixel.g = ClampTrunc(double(y) - 0.34414 * (cb - 128) - 0.71414 * (cr - 128));
  pixel.b = ClampTrunc(double(y) + 1.772 * (cb - 128));
}

void IEConvertColorRow(void* source, int32_t sourceLayout, void* dest, int32_t destLayout, int32_t count,
                       TIOParamsVals* params) {
  if (!source || !dest || count <= 0) return;
  if (IEColorManagement && params) {
    if (!IEColorRowProfileTransform) IERaiseSlotNotInstalled("IEColorRowProfileTransform");
    if (IEColorRowProfileTransform(*params, source, sourceLayout, dest, destLayout, count)) return;
  }
  auto* s = static_cast<uint8_t*>(source);
  auto* d = static_cast<uint8_t*>(dest);
  const size_t n = size_t(count);
  if (destLayout == iecrBGR) {
    auto* out = static_cast<TRGB*>(dest);
    switch (sourceLayout) {
      case iecrRGB:
        CopySwapRB(dest, source, count);
        return;
      case iecrBGR:
        std::memmove(d, s, n * 3);
        return;
      case iecrCMYK:
        IECMYKRowToRGB(s, out, count);
        return;
      case iecrCMYK6:
        for (size_t i = 0; i < n; ++i) {
          uint8_t* p = s + i * 6;
          for (int c = 0; c < 4; ++c) p[c] = uint8_t(255 - p[c]);
          IECMYKRowToRGB(p, &out[i], 1);
        }
        return;
      case iecrCIELab:
        for (size_t i = 0; i < n; ++i) {
          const uint8_t* p = s + i * 3;
          IECIELabToRGB(out[i], TCIELab{p[0], int8_t(p[1]), int8_t(p[2])});
        }
        return;
      case iecrRGB48:
        // High byte of each little-endian word.
        for (size_t i = 0; i < n; ++i) out[i] = TRGB{s[i * 6 + 5], s[i * 6 + 3], s[i * 6 + 1]};
        return;
      case iecrRGB48Swapped:
        for (size_t i = 0; i < n; ++i) out[i] = TRGB{s[i * 6 + 4], s[i * 6 + 2], s[i * 6]};
        return;
      case iecrYCbCr:
        for (size_t i = 0; i < n; ++i) IEYCbCrToRGB(out[i], s[i * 3], s[i * 3 + 1], s[i * 3 + 2]);
        return;
      default:
        return;
    }
  }
  if (sourceLayout != iecrBGR) return;
  const auto* in = static_cast<const TRGB*>(source);
  switch (destLayout) {
    case iecrCMYK:
      IERGBRowToCMYK(in, d, count);
      return;
    case iecrCIELab:
      for (size_t i = 0; i < n; ++i) {
        TCIELab lab;
        IEColorToCIELab(lab, Packed(s + i * 3));
        d[i * 3] = lab.l;
        d[i * 3 + 1] = uint8_t(lab.a);
        d[i * 3 + 2] = uint8_t(lab.b);
      }
      return;
    case iecrGray:
      for (size_t i = 0; i < n; ++i) d[i] = uint8_t(IEGrayOf(in[i].r, in[i].g, in[i].b));
      return;
    default:
      return;
  }
}
