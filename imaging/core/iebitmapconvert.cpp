// Pixel-format conversion of the image buffer: one row converter is chosen
// per format pair, then run over every row of the two buffers.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iecmyk.h"
#include "imaging/core/iecolorconv.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ielab.h"
#include "imaging/core/iepixels.h"
#include "imaging/core/neurquant.h"
#include "platform/vcl/graphics.h"

namespace {

// ---- sample access and the gray formulas ----------------------------------------------------

inline uint16_t Load16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void Store16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }
inline float LoadF(const uint8_t* p) {
  float v;
  std::memcpy(&v, p, 4);
  return v;
}
inline void StoreF(uint8_t* p, float v) { std::memcpy(p, &v, 4); }

inline uint8_t Gray8(uint32_t r, uint32_t g, uint32_t b) {
  return uint8_t((r * IELuminanceWeights.Red + g * IELuminanceWeights.Green + b * IELuminanceWeights.Blue) / 100);
}
// 257 x 212, 257 x 713, 257 x 75: the 16-bit weights of 8-bit channels.
inline uint16_t Gray16(uint32_t r, uint32_t g, uint32_t b) { return uint16_t((r * 54484 + g * 183241 + b * 19275) / 1000); }
inline uint16_t Gray16Of48(uint32_t r, uint32_t g, uint32_t b) { return uint16_t((r * 212 + g * 713 + b * 75) / 1000); }
inline float GrayF(long double r, long double g, long double b) {
  return float((0.2126L * r + 0.7152L * g + 0.0722L * b) / 255.0L);
}
inline uint8_t Gray8Of48(const uint8_t* p) { return Gray8(Load16(p) / 256, Load16(p + 2) / 256, Load16(p + 4) / 256); }

// trunc(v x scale); values outside 0..1 (and NaN) are held at the ends rather than wrapped.
inline uint32_t FloatTo(float v, uint32_t scale) {
  const double s = double(v) * scale;
  if (!(s > 0)) return 0;
  return s >= scale ? scale : uint32_t(s);
}

// ---- the row converters ---------------------------------------------------------------------

struct TRowContext {
  const TRGB* palette = nullptr;  // the source's palette, 256 entries
  int32_t y = 0;                  // the row, for the dither
  bool grayRange = false;
  double grayMin = 0, grayMax = 0;
  TIEQuantizer* quantizer = nullptr;
  mutable std::vector<uint8_t> scratch;  // gray levels of the row, for the dither
};

using TRowConverter = void (*)(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c);

// The gray levels of a row for the ordered dither, one converter per source format.
using TGrayRow = void (*)(const uint8_t* s, uint8_t* g, int32_t w, const TRowContext& c);

void GrayRow8p(const uint8_t* s, uint8_t* g, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) {
    const TRGB& e = c.palette[s[x]];
    g[x] = Gray8(e.r, e.g, e.b);
  }
}
void GrayRow8g(const uint8_t* s, uint8_t* g, int32_t w, const TRowContext&) { std::memcpy(g, s, size_t(w)); }
void GrayRow16g(const uint8_t* s, uint8_t* g, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) g[x] = uint8_t(Load16(s + 2 * x) >> 8);
}
void GrayRow24(const uint8_t* s, uint8_t* g, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x, s += 3) g[x] = Gray8(s[2], s[1], s[0]);
}
void GrayRow32f(const uint8_t* s, uint8_t* g, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) g[x] = uint8_t(FloatTo(LoadF(s + 4 * x), 255));
}
void GrayRow48(const uint8_t* s, uint8_t* g, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) g[x] = Gray8Of48(s + 6 * x);
}

template <TGrayRow Gray>
void DitherRow(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  c.scratch.resize(size_t(w));
  uint8_t* g = c.scratch.data();
  Gray(s, g, w, c);
  const int32_t yy = c.y & 7;
  // Whole bytes are written; the padding bits of the last one are 0.
  for (int32_t x0 = 0; x0 < w; x0 += 8) {
    uint8_t byte = 0;
    const int32_t n = std::min(8, w - x0);
    for (int32_t i = 0; i < n; ++i) {
      const int32_t x = x0 + i;
      if (IEDitherMatrix[x & 7][yy] < (g[x] >> 2)) byte |= uint8_t(0x80 >> i);
    }
    d[x0 >> 3] = byte;
  }
}

// From ie1g.
template <typename Put>
void FromBits(const uint8_t* s, uint8_t* d, int32_t w, Put put) {
  for (int32_t x = 0; x < w; ++x) put(d, x, IEGetBit1(s, x));
}
void Bits_8(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  FromBits(s, d, w, [](uint8_t* o, int32_t x, bool b) { o[x] = b ? 255 : 0; });
}
void Bits_8p(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  FromBits(s, d, w, [](uint8_t* o, int32_t x, bool b) { o[x] = b ? 1 : 0; });
}
void Bits_16(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  FromBits(s, d, w, [](uint8_t* o, int32_t x, bool b) { Store16(o + 2 * x, b ? 65535 : 0); });
}
void Bits_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  FromBits(s, d, w, [](uint8_t* o, int32_t x, bool b) { std::memset(o + 3 * x, b ? 255 : 0, 3); });
}
void Bits_32f(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  FromBits(s, d, w, [](uint8_t* o, int32_t x, bool b) { StoreF(o + 4 * x, b ? 1.0f : 0.0f); });
}
void Bits_48(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  FromBits(s, d, w, [](uint8_t* o, int32_t x, bool b) { std::memset(o + 6 * x, b ? 255 : 0, 6); });
}
void Bits_32RGB(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  FromBits(s, d, w, [](uint8_t* o, int32_t x, bool b) {
    std::memset(o + 4 * x, b ? 255 : 0, 3);
    o[4 * x + 3] = 255;
  });
}

// From RGB triples (ie24RGB rows, or ie8p rows read through the palette).
template <bool Palette>
inline const uint8_t* Triple(const uint8_t* s, int32_t x, const TRowContext& c) {
  if constexpr (Palette)
    return reinterpret_cast<const uint8_t*>(&c.palette[s[x]]);
  else
    return s + 3 * x;
}
template <bool P>
void Rgb_8g(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) {
    const uint8_t* p = Triple<P>(s, x, c);
    d[x] = Gray8(p[2], p[1], p[0]);
  }
}
template <bool P>
void Rgb_16g(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) {
    const uint8_t* p = Triple<P>(s, x, c);
    Store16(d + 2 * x, Gray16(p[2], p[1], p[0]));
  }
}
template <bool P>
void Rgb_32f(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) {
    const uint8_t* p = Triple<P>(s, x, c);
    StoreF(d + 4 * x, GrayF(p[2], p[1], p[0]));
  }
}
template <bool P>
void Rgb_48(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) {
    const uint8_t* p = Triple<P>(s, x, c);
    Store16(d + 6 * x, uint16_t(p[2] * 257));
    Store16(d + 6 * x + 2, uint16_t(p[1] * 257));
    Store16(d + 6 * x + 4, uint16_t(p[0] * 257));
  }
}
template <bool P>
void Rgb_32RGB(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) {
    std::memcpy(d + 4 * x, Triple<P>(s, x, c), 3);
    d[4 * x + 3] = 255;
  }
}
void Pal_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) std::memcpy(d + 3 * x, &c.palette[s[x]], 3);
}
void Rgb_CMYK(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  IERGBRowToCMYK(reinterpret_cast<const TRGB*>(s), d, w);
}
void Rgb_Lab(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x, s += 3, d += 3) {
    TCIELab lab;
    IEColorToCIELab(lab, uint32_t(s[0]) | uint32_t(s[1]) << 8 | uint32_t(s[2]) << 16);
    d[0] = lab.l;
    d[1] = uint8_t(lab.a);
    d[2] = uint8_t(lab.b);
  }
}
void Rgb_8p(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  if (c.quantizer)
    c.quantizer->ColorsToIndexes(reinterpret_cast<const TRGB*>(s), d, w);
  else
    std::memset(d, 0, size_t(w));
}

// From gray samples; G reads sample x as an 8-bit level (for ie8p and ie32RGB).
void G8_16(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) Store16(d + 2 * x, uint16_t(s[x] * 257));
}
void G8_32f(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) StoreF(d + 4 * x, float(s[x] / 255.0L));
}
void G8_48(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x)
    for (int k = 0; k < 3; ++k) Store16(d + 6 * x + 2 * k, uint16_t(s[x] * 257));
}
void G8_32RGB(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) {
    std::memset(d + 4 * x, s[x], 3);
    d[4 * x + 3] = 255;
  }
}
void Copy8(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) { std::memcpy(d, s, size_t(w)); }

// The display gray range: lo and hi truncated for integer samples, the result a level 0..255.
inline uint8_t MapGray(double v, const TRowContext& c) {
  const double lo = std::trunc(c.grayMin), hi = std::trunc(c.grayMax);
  const double t = std::trunc((std::min(std::max(v, lo), hi) - lo) / (c.grayMax - c.grayMin) * 255.0);
  return t <= 0 ? 0 : t >= 255 ? 255 : uint8_t(t);
}
void G8_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) std::memset(d + 3 * x, c.grayRange ? MapGray(s[x], c) : s[x], 3);
}
void G16_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext& c) {
  for (int32_t x = 0; x < w; ++x) {
    const uint16_t v = Load16(s + 2 * x);
    std::memset(d + 3 * x, c.grayRange ? MapGray(v, c) : uint8_t(v >> 8), 3);
  }
}
void G16_8(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) d[x] = uint8_t(Load16(s + 2 * x) >> 8);
}
void G16_32f(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) StoreF(d + 4 * x, float(Load16(s + 2 * x) / 65535.0L));
}
void G16_48(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x)
    for (int k = 0; k < 3; ++k) Store16(d + 6 * x + 2 * k, Load16(s + 2 * x));
}
void G16_32RGB(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) {
    std::memset(d + 4 * x, Load16(s + 2 * x) >> 8, 3);
    d[4 * x + 3] = 255;
  }
}
void F_8(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) d[x] = uint8_t(FloatTo(LoadF(s + 4 * x), 255));
}
void F_16(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) Store16(d + 2 * x, uint16_t(FloatTo(LoadF(s + 4 * x), 65535)));
}
void F_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) std::memset(d + 3 * x, int(FloatTo(LoadF(s + 4 * x), 255)), 3);
}
void F_48(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) {
    const auto v = uint16_t(FloatTo(LoadF(s + 4 * x), 65535));
    for (int k = 0; k < 3; ++k) Store16(d + 6 * x + 2 * k, v);
  }
}
void F_32RGB(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) {
    std::memset(d + 4 * x, int(FloatTo(LoadF(s + 4 * x), 255)), 3);
    d[4 * x + 3] = 255;
  }
}

// From ieRGB48 (words red, green, blue).
void W_8(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) d[x] = Gray8Of48(s + 6 * x);
}
void W_16(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x, s += 6) Store16(d + 2 * x, Gray16Of48(Load16(s), Load16(s + 2), Load16(s + 4)));
}
void W_32f(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x, s += 6)
    StoreF(d + 4 * x, GrayF(Load16(s) / 256.0L, Load16(s + 2) / 256.0L, Load16(s + 4) / 256.0L));
}
void W_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x, s += 6, d += 3) {
    d[0] = s[5];
    d[1] = s[3];
    d[2] = s[1];
  }
}
void W_32RGB(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x, s += 6, d += 4) {
    d[0] = s[5];
    d[1] = s[3];
    d[2] = s[1];
    d[3] = 255;
  }
}

// From ieCMYK, ieCIELab, ie32RGB to the two RGB formats.
void Cmyk_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  IECMYKRowToRGB(s, reinterpret_cast<TRGB*>(d), w);
}
void Lab_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  IERowToRGB(ieCIELab, s, 0, w, nullptr, reinterpret_cast<TRGB*>(d));
}
void X_32RGB(TIEPixelFormat f, const uint8_t* s, uint8_t* d, int32_t w) {
  TRGB rgb[256];
  for (int32_t x0 = 0; x0 < w; x0 += 256) {
    const int32_t n = std::min(256, w - x0);
    IERowToRGB(f, s, x0, n, nullptr, rgb);
    for (int32_t i = 0; i < n; ++i) {
      std::memcpy(d + 4 * (x0 + i), &rgb[i], 3);
      d[4 * (x0 + i) + 3] = 255;
    }
  }
}
void Cmyk_32RGB(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) { X_32RGB(ieCMYK, s, d, w); }
void Lab_32RGB(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) { X_32RGB(ieCIELab, s, d, w); }
void RGB32_24(const uint8_t* s, uint8_t* d, int32_t w, const TRowContext&) {
  for (int32_t x = 0; x < w; ++x) std::memcpy(d + 3 * x, s + 4 * x, 3);
}

// ---- routes ---------------------------------------------------------------------------------

enum class TRoute { None, Rows, Through24, Threshold, Quantize };

struct TPlan {
  TRoute route = TRoute::None;
  TRowConverter rows = nullptr;
  bool grayRampPalette = false;  // the destination ie8p gets the gray ramp
  bool blackWhitePalette = false;
};

TPlan Plan(TIEPixelFormat sf, TIEPixelFormat df, uint8_t bilevelMethod) {
  TPlan p;
  const auto rows = [&p](TRowConverter r) {
    p.route = TRoute::Rows;
    p.rows = r;
    return p;
  };
  const auto through = [&p] {
    p.route = TRoute::Through24;
    return p;
  };
  if (sf == df || sf == ieNoFormat || df == ieNoFormat) return p;
  if (df == ie1g && bilevelMethod != 0) {
    if (sf == ieCMYK || sf == ieCIELab || sf == ie32RGB || sf == ieRGB48) return through();
    p.route = TRoute::Threshold;
    return p;
  }
  switch (sf) {
    case ie1g:
      switch (df) {
        case ie8p:
          p.blackWhitePalette = true;
          return rows(&Bits_8p);
        case ie8g: return rows(&Bits_8);
        case ie16g: return rows(&Bits_16);
        case ie24RGB: return rows(&Bits_24);
        case ie32f: return rows(&Bits_32f);
        case ieRGB48: return rows(&Bits_48);
        case ie32RGB: return rows(&Bits_32RGB);
        default: return through();
      }
    case ie8p:
      switch (df) {
        case ie1g: return rows(&DitherRow<GrayRow8p>);
        case ie8g: return rows(&Rgb_8g<true>);
        case ie16g: return rows(&Rgb_16g<true>);
        case ie24RGB: return rows(&Pal_24);
        case ie32f: return rows(&Rgb_32f<true>);
        case ieRGB48: return rows(&Rgb_48<true>);
        case ie32RGB: return rows(&Rgb_32RGB<true>);
        default: return through();
      }
    case ie8g:
      switch (df) {
        case ie1g: return rows(&DitherRow<GrayRow8g>);
        case ie8p:
          p.grayRampPalette = true;
          return rows(&Copy8);
        case ie16g: return rows(&G8_16);
        case ie24RGB: return rows(&G8_24);
        case ie32f: return rows(&G8_32f);
        case ieRGB48: return rows(&G8_48);
        case ie32RGB: return rows(&G8_32RGB);
        default: return through();
      }
    case ie16g:
      switch (df) {
        case ie1g: return rows(&DitherRow<GrayRow16g>);
        case ie8p:
          p.grayRampPalette = true;
          return rows(&G16_8);
        case ie8g: return rows(&G16_8);
        case ie24RGB: return rows(&G16_24);
        case ie32f: return rows(&G16_32f);
        case ieRGB48: return rows(&G16_48);
        case ie32RGB: return rows(&G16_32RGB);
        default: return through();
      }
    case ie24RGB:
      switch (df) {
        case ie1g: return rows(&DitherRow<GrayRow24>);
        case ie8p:
          p.route = TRoute::Quantize;
          p.rows = &Rgb_8p;
          return p;
        case ie8g: return rows(&Rgb_8g<false>);
        case ie16g: return rows(&Rgb_16g<false>);
        case ie32f: return rows(&Rgb_32f<false>);
        case ieCMYK: return rows(&Rgb_CMYK);
        case ieRGB48: return rows(&Rgb_48<false>);
        case ieCIELab: return rows(&Rgb_Lab);
        case ie32RGB: return rows(&Rgb_32RGB<false>);
        default: return p;
      }
    case ie32f:
      switch (df) {
        case ie1g: return rows(&DitherRow<GrayRow32f>);
        case ie8p:
          p.grayRampPalette = true;
          return rows(&F_8);
        case ie8g: return rows(&F_8);
        case ie16g: return rows(&F_16);
        case ie24RGB: return rows(&F_24);
        case ieRGB48: return rows(&F_48);
        case ie32RGB: return rows(&F_32RGB);
        default: return through();
      }
    case ieRGB48:
      switch (df) {
        case ie1g: return rows(&DitherRow<GrayRow48>);
        case ie8g: return rows(&W_8);
        case ie16g: return rows(&W_16);
        case ie32f: return rows(&W_32f);
        case ie24RGB: return rows(&W_24);
        case ie32RGB: return rows(&W_32RGB);
        default: return through();
      }
    case ieCMYK:
      if (df == ie24RGB) return rows(&Cmyk_24);
      if (df == ie32RGB) return rows(&Cmyk_32RGB);
      return through();
    case ieCIELab:
      if (df == ie24RGB) return rows(&Lab_24);
      if (df == ie32RGB) return rows(&Lab_32RGB);
      return through();
    case ie32RGB:
      if (df == ie24RGB) return rows(&RGB32_24);
      return through();
    default:
      return p;
  }
}

}  // namespace

// Converts the source's pixels into this buffer (same size, already allocated).
void TIEBitmap::ConvertPixelsFrom(TIEBitmap& source) {
  const TIEPixelFormat sf = source.GetPixelFormat();
  const TIEPixelFormat df = pixelFormat_;
  const TPlan plan = Plan(sf, df, bilevelMethod_);
  switch (plan.route) {
    case TRoute::None:
      return;
    case TRoute::Through24:
      source.ConvertToFormat(ie24RGB);
      if (source.GetPixelFormat() == ie24RGB) ConvertPixelsFrom(source);
      return;
    case TRoute::Threshold:
      ThresholdTo1Bit(source, *this, -1);
      return;
    default:
      break;
  }
  TRowContext ctx;
  TRGB sourcePalette[256];
  if (sf == ie8p) {
    IEPalette256(source, sourcePalette);
    ctx.palette = sourcePalette;
  }
  if (df == ie24RGB && (sf == ie8g || sf == ie16g) && grayMax_ - grayMin_ != 0) {
    ctx.grayRange = true;
    ctx.grayMin = grayMin_;
    ctx.grayMax = grayMax_;
  }
  if (df == ie8p && palette_) {
    std::fill_n(palette_.get(), paletteCount_, TRGB{});
    if (plan.grayRampPalette)
      for (int32_t i = 0; i < std::min(paletteCount_, 256); ++i) palette_[size_t(i)] = TRGB{uint8_t(i), uint8_t(i), uint8_t(i)};
    if (plan.blackWhitePalette && paletteCount_ >= 2) palette_[1] = TRGB{255, 255, 255};
  }
  std::unique_ptr<TIEQuantizer> quantizer;
  if (plan.route == TRoute::Quantize && palette_) {
    // The palette holds 256 entries: no more colours can be asked for.
    const int32_t colors = std::clamp(quantizerColorCount_, 1, std::min(paletteCount_, 256));
    quantizer = std::make_unique<TIEQuantizer>(source, palette_.get(), colors);
    ctx.quantizer = quantizer.get();
  }
  {
    TIEAccessScope from(source, iedRead);
    TIEAccessScope to(*this, iedWrite);
    const int32_t w = width_;
    for (int32_t y = 0; y < height_; ++y) {
      const auto* s = static_cast<const uint8_t*>(source.GetScanline(y));
      auto* d = static_cast<uint8_t*>(GetScanline(y));
      if (!s || !d) continue;
      ctx.y = y;
      plan.rows(s, d, w, ctx);
    }
  }
  if (ctx.grayRange) grayMin_ = grayMax_ = 0;
}

void TIEBitmap::CopyAndConvertFormat(TIEBitmap& source) {
  if (&source == this || location_ == ieTBitmap || source.GetPixelFormat() == ieNoFormat) return;
  if (source.GetWidth() != GetWidth() || source.GetHeight() != GetHeight()) return;
  ConvertPixelsFrom(source);
  if (source.HasAlphaChannel() && !isAlpha_)
    if (TIEBitmap* alpha = GetAlphaChannel()) alpha->Assign(source.GetAlphaChannel());
  SyncPaletteToVclBitmap();
}

void TIEBitmap::ConvertToFormat(TIEPixelFormat format) {
  // A conversion to the same format would reallocate and copy nothing: keep the pixels instead.
  if (format == GetPixelFormat()) return;
  if (location_ == ieTBitmap) {
    ConvertVclToFormat(format);
    return;
  }
  TIEBitmap temp;
  MoveContentTo(temp);
  // What MoveContentTo handed over but belongs to this buffer rather than to its pixels.
  bilevelMethod_ = temp.bilevelMethod_;
  rowAlignment_ = temp.rowAlignment_;
  allocatorKind_ = temp.allocatorKind_;
  location_ = temp.location_;
  isAlpha_ = temp.isAlpha_;
  width_ = temp.width_;
  height_ = temp.height_;
  pixelFormat_ = format;
  if (!AllocateStorage()) {
    FreeStorageNoThrow();
    width_ = height_ = bitCount_ = channelCount_ = rowLen_ = 0;
    needsAllocation_ = true;
    return;
  }
  needsAllocation_ = false;
  if (temp.pixelFormat_ != ieNoFormat) ConvertPixelsFrom(temp);
  // The old pixels are thrown away: their alpha channel can simply move over.
  alpha_ = std::move(temp.alpha_);
}

void TIEBitmap::ConvertVclToFormat(TIEPixelFormat format) {
  if (!vclBitmap_) return;
  TBitmap& bmp = *vclBitmap_;
  const TPixelFormat pf = bmp.PixelFormat();
  if (bmp.Width() > 0 && bmp.Height() > 0) {
    if (pf == pf1bit && format == ie24RGB) {
      TBitmap expanded;
      Expand1BitTBitmapTo24(bmp, expanded);
      bmp.Assign(&expanded);
    } else if (pf == pf24bit && format == ie1g) {
      TIEBitmap wrapper;
      wrapper.EncapsulateTBitmap(&bmp, false);
      wrapper.SetBilevelMethod(bilevelMethod_);
      if (bilevelMethod_ == 0)
        DitherToBilevel(wrapper);
      else
        ThresholdToBilevel(wrapper, -1);
    } else if (pf == pf24bit && format == ie8g) {
      TIEBitmap temp;
      temp.SetMemoryThreshold(memoryThreshold_);
      temp.AssignImage(this);
      temp.ConvertToFormat(ie8g);
      AssignImage(&temp);
    }
  } else if (format == ie1g) {
    bmp.SetPixelFormat(pf1bit);
  } else if (format == ie24RGB) {
    bmp.SetPixelFormat(pf24bit);
  }
  pixelFormat_ = format;
  ComputeRowLayout();
  BuildRowPointerTable();
}
