#include "imaging/core/ieblend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ieprocutils.h"

namespace {

// Byte offsets inside a blue-green-red pixel.
constexpr int kB = 0, kG = 1, kR = 2;

// One channel of the per-channel operations ieloAdd..ieloStamp. Every result
// stays within 0..255.
template <int Op>
inline int32_t Channel(int32_t s, int32_t d) {
  if constexpr (Op == ieloAdd) return std::min(255, d + s);
  if constexpr (Op == ieloDifference) return std::abs(d - s);
  if constexpr (Op == ieloDivide) return d / std::max(s, 1);
  if constexpr (Op == ieloMultiply) return (d * s) >> 8;
  if constexpr (Op == ieloOr) return d | s;
  if constexpr (Op == ieloAnd) return d & s;
  if constexpr (Op == ieloXor) return d ^ s;
  if constexpr (Op == ieloLighter) return std::max(d, s);
  if constexpr (Op == ieloDarker) return std::min(d, s);
  if constexpr (Op == ieloAverage) return (d + s) >> 1;
  if constexpr (Op == ieloScreen) return int32_t(255 - (255 - d) * (255 - s) / 255.0);
  if constexpr (Op == ieloNegation) return 255 - std::abs(255 - s - d);
  if constexpr (Op == ieloExclusion) return s + d - ((s * d) >> 7);
  if constexpr (Op == ieloOverlay) return d < 128 ? (s * d) >> 7 : 255 - (((255 - s) * (255 - d)) >> 7);
  if constexpr (Op == ieloHardLight) return s < 128 ? (s * d) >> 7 : 255 - (((255 - s) * (255 - d)) >> 7);
  if constexpr (Op == ieloSoftLight) {
    const double sf = s / 255.0, df = d / 255.0;
    const double r = sf < 0.5 ? df * df * (1 - 2 * sf) + 2 * sf * df : std::sqrt(df) * (2 * sf - 1) + 2 * df * (1 - sf);
    return int32_t(r * 255);
  }
  if constexpr (Op == ieloSoftLightMix) {
    const int32_t m = (d * s) >> 8;
    const int32_t k = 255 - (((255 - d) * (255 - s)) >> 8);
    return m + (((k - m) * d) >> 8);
  }
  if constexpr (Op == ieloColorDodge) return s == 255 ? 255 : std::min(255, (d << 8) / (255 - s));
  if constexpr (Op == ieloColorBurn) return s == 0 ? 0 : std::max(0, 255 - ((255 - d) << 8) / s);
  if constexpr (Op == ieloInverseDodge) return d == 255 ? 255 : std::min(255, (s << 8) / (255 - d));
  if constexpr (Op == ieloInverseBurn) return d == 0 ? 0 : std::max(0, 255 - ((255 - s) << 8) / d);
  if constexpr (Op == ieloSoftDodge) {
    if (s + d < 256) return s == 255 ? 255 : std::min(255, (d << 7) / (255 - s));
    return std::max(0, 255 - ((255 - s) << 7) / d);
  }
  if constexpr (Op == ieloSoftBurn) {
    if (s + d < 256) return d == 255 ? 255 : std::min(255, (s << 7) / (255 - d));
    return std::max(0, 255 - ((255 - d) << 7) / s);
  }
  if constexpr (Op == ieloReflect) return s == 255 ? 255 : std::min(255, (d * d) / (255 - s));
  if constexpr (Op == ieloGlow) return d == 255 ? 255 : std::min(255, (s * s) / (255 - d));
  if constexpr (Op == ieloFreeze) return s == 0 ? 0 : std::max(0, 255 - ((255 - d) * (255 - d)) / s);
  if constexpr (Op == ieloHeat) return d == 0 ? 0 : std::max(0, 255 - ((255 - s) * (255 - s)) / d);
  if constexpr (Op == ieloSubtract) return std::clamp(d + s - 256, 0, 255);
  if constexpr (Op == ieloCosine) return std::min(255, IECosineBlendTable[size_t(s)] + IECosineBlendTable[size_t(d)]);
  if constexpr (Op == ieloStamp) return std::clamp(d + 2 * s - 256, 0, 255);
  return d;
}

template <int Op>
void ChannelRow(const uint8_t* layer, uint8_t* dest, int32_t count) {
  for (int32_t i = 0; i < count * 3; ++i) dest[i] = uint8_t(Channel<Op>(layer[i], dest[i]));
}

using TChannelRowFn = void (*)(const uint8_t*, uint8_t*, int32_t);

template <size_t... I>
constexpr std::array<TChannelRowFn, sizeof...(I)> MakeChannelRows(std::index_sequence<I...>) {
  return {&ChannelRow<int(I)>...};
}
// Entry op for ieloAdd..ieloStamp; entry 0 is unused.
constexpr auto kChannelRows = MakeChannelRows(std::make_index_sequence<ieloStamp + 1>{});

// The Dubois matrix: rows red', green', blue'; columns Dr, Dg, Db, Sr, Sg, Sb.
constexpr long double kDubois[3][6] = {
    {0.4561L, 0.500484L, 0.176381L, -0.0434706L, -0.0879388L, -0.00155529L},
    {-0.0400822L, -0.0378246L, -0.0157589L, 0.378476L, 0.73364L, -0.0184503L},
    {-0.0152161L, -0.0205971L, -0.00546856L, -0.0721527L, -0.112961L, 1.2264L},
};

// Products coefficient x value, each rounded to extended precision exactly as
// the direct expression rounds it, so the table changes no result; and the
// same products as doubles for the fast path below.
struct TDuboisTables {
  long double t[3][6][256];
  double d[3][6][256];
  TDuboisTables() {
    for (int o = 0; o < 3; ++o)
      for (int k = 0; k < 6; ++k)
        for (int v = 0; v < 256; ++v) {
          t[o][k][v] = kDubois[o][k] * (long double)v;
          d[o][k][v] = double(t[o][k][v]);
        }
  }
};
const TDuboisTables& Dubois() {
  static const TDuboisTables tables;
  return tables;
}

inline uint8_t RoundClampByte(long double v) {
  const long double r = std::nearbyint(v);  // ties to even in the default rounding mode
  return r <= 0 ? 0 : r >= 255 ? 255 : uint8_t(r);
}

// One output channel. The sum is rounded from a double unless it lies within
// 1e-9 of a half, where the double's error (below 1e-12 for these magnitudes)
// could put it on the other side than the extended-precision sum; there the
// extended sum decides. The result is that of the extended evaluation.
inline uint8_t DuboisChannel(const TDuboisTables& tb, int o, const int (&in)[6]) {
  const auto& d = tb.d[o];
  const double v = d[0][in[0]] + d[1][in[1]] + d[2][in[2]] + d[3][in[3]] + d[4][in[4]] + d[5][in[5]];
  // Clamped first so that the common path has no data-dependent branch (photo
  // data makes them unpredictable); clamping changes no rounded result.
  const double c = std::clamp(v, 0.0, 255.0);
  const double frac = c - double(int32_t(c));
  if (std::fabs(frac - 0.5) < 1e-9) [[unlikely]] {
    const auto& t = tb.t[o];
    return RoundClampByte(t[0][in[0]] + t[1][in[1]] + t[2][in[2]] + t[3][in[3]] + t[4][in[4]] + t[5][in[5]]);
  }
  return uint8_t(int32_t(c + 0.5));  // never a tie here
}

inline void DuboisPixel(const TDuboisTables& tb, const uint8_t* s, uint8_t* d) {
  const int in[6] = {d[kR], d[kG], d[kB], s[kR], s[kG], s[kB]};
  const uint8_t r = DuboisChannel(tb, 0, in), g = DuboisChannel(tb, 1, in), b = DuboisChannel(tb, 2, in);
  d[kR] = r;
  d[kG] = g;
  d[kB] = b;
}

inline uint32_t Packed(const uint8_t* p) { return uint32_t(p[kR]) << 16 | uint32_t(p[kG]) << 8 | p[kB]; }

// The HSL mixes: hue (h), saturation (s) and lightness (l), each taken from
// the layer when its flag is set, else from the destination.
void HslMix(const uint8_t* layer, uint8_t* dest, bool h, bool s, bool l) {
  double lh, ls, ll, dh, ds, dl;
  RGBToHSL(Packed(layer), lh, ls, ll);
  RGBToHSL(Packed(dest), dh, ds, dl);
  TRGB out;
  HSLToRGB(out, h ? lh : dh, s ? ls : ds, l ? ll : dl);
  dest[kB] = out.b;
  dest[kG] = out.g;
  dest[kR] = out.r;
}

inline void GrayAnaglyph(const uint8_t* s, uint8_t* d) {
  const auto gl = uint8_t(IEGrayOf(d[kR], d[kG], d[kB]));
  const auto gr = uint8_t(IEGrayOf(s[kR], s[kG], s[kB]));
  d[kR] = gl;
  d[kG] = gr;
  d[kB] = gr;
}

}  // namespace

void IEBlendPixel(const uint8_t* layer, uint8_t* dest, uint8_t operation, int32_t row) {
  switch (operation) {
    case ieloCopy:
      std::memcpy(dest, layer, 3);
      return;
    case ieloRed:
      dest[kR] = layer[kR];
      return;
    case ieloGreen:
      dest[kG] = layer[kG];
      return;
    case ieloBlue:
      dest[kB] = layer[kB];
      return;
    case ieloHue:
      HslMix(layer, dest, true, false, false);
      return;
    case ieloSaturation:
      HslMix(layer, dest, false, true, false);
      return;
    case ieloHueSaturation:
      HslMix(layer, dest, true, true, false);
      return;
    case ieloHueLightness:
      HslMix(layer, dest, true, false, true);
      return;
    case ieloAnaglyphGray:
      GrayAnaglyph(layer, dest);
      return;
    case ieloAnaglyphColor:
      dest[kG] = layer[kG];
      dest[kB] = layer[kB];
      return;
    case ieloAnaglyphDubois:
      DuboisPixel(Dubois(), layer, dest);
      return;
    case ieloInterlaceEven:
      if ((row & 1) == 0) std::memcpy(dest, layer, 3);
      return;
    case ieloInterlaceOdd:
      if ((row & 1) != 0) std::memcpy(dest, layer, 3);
      return;
    case ieloAnaglyphRedGreen:
      dest[kG] = layer[kG];
      dest[kB] = 0;
      return;
    default:
      if (operation <= ieloStamp) kChannelRows[operation](layer, dest, 1);
      return;
  }
}

void IEBlendRow(const uint8_t* layer, uint8_t* dest, int32_t count, uint8_t operation, int32_t row) {
  if (count <= 0) return;
  const size_t bytes = size_t(count) * 3;
  switch (operation) {
    case ieloCopy:
      std::memmove(dest, layer, bytes);
      return;
    case ieloAnaglyphGray:
      for (size_t i = 0; i < bytes; i += 3) GrayAnaglyph(layer + i, dest + i);
      return;
    case ieloAnaglyphColor:
      for (size_t i = 0; i < bytes; i += 3) {
        dest[i + kG] = layer[i + kG];
        dest[i + kB] = layer[i + kB];
      }
      return;
    case ieloAnaglyphDubois: {
      const TDuboisTables& tb = Dubois();
      for (size_t i = 0; i < bytes; i += 3) DuboisPixel(tb, layer + i, dest + i);
      return;
    }
    case ieloInterlaceEven:
    case ieloInterlaceOdd:
      // The parity is the destination row's, so a whole row is taken or left.
      if ((row & 1) == (operation == ieloInterlaceEven ? 0 : 1)) std::memmove(dest, layer, bytes);
      return;
    case ieloAnaglyphRedGreen:
      for (size_t i = 0; i < bytes; i += 3) {
        dest[i + kG] = layer[i + kG];
        dest[i + kB] = 0;
      }
      return;
    default:
      if (operation >= ieloAdd && operation <= ieloStamp) {
        kChannelRows[operation](layer, dest, count);
        return;
      }
      if (operation >= IELayerOperationCount) return;
      for (size_t i = 0; i < bytes; i += 3) IEBlendPixel(layer + i, dest + i, operation, row);
      return;
  }
}
