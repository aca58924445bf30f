#include "imaging/core/iecolorconv.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/core/iecmyk.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ielab.h"
#include "imaging/core/iepixels.h"
#include "imaging/core/ieprocutils.h"
#include "imaging/core/neurquant.h"
#include "platform/vcl/graphics.h"

namespace {

inline uint8_t Gray(const TRGB& c) { return uint8_t(IEGrayOf(c.r, c.g, c.b)); }

void Report(const TIEProcProgress& progress, int32_t y, int32_t height) {
  if (progress) progress(int32_t(100.0 / (height + 0.5) * (y + 1)));
}

// The gray levels of one row as the bi-level routines see them, per format.
void LevelRow(TIEPixelFormat f, const uint8_t* row, int32_t w, const TRGB* palette, TRGB* rgb, uint8_t* out) {
  switch (f) {
    case ie8g:
      std::memcpy(out, row, size_t(w));
      return;
    case ie16g:
      for (int32_t x = 0; x < w; ++x) out[x] = row[2 * x + 1];
      return;
    default:
      IERowToRGB(f, row, 0, w, palette, rgb);
      for (int32_t x = 0; x < w; ++x) out[x] = Gray(rgb[x]);
      return;
  }
}

// Walks the rows of a bitmap as gray levels.
template <typename Visit>
void ForEachLevelRow(TIEBitmap& bitmap, Visit visit) {
  const TIEPixelFormat f = bitmap.GetPixelFormat();
  const int32_t w = bitmap.GetWidth();
  TRGB palette[256];
  IEPalette256(bitmap, palette);
  std::vector<TRGB> rgb(size_t(std::max(w, 1)));
  std::vector<uint8_t> levels(size_t(std::max(w, 1)));
  TIEAccessScope scope(bitmap, iedRead);
  for (int32_t y = 0; y < bitmap.GetHeight(); ++y) {
    const auto* row = static_cast<const uint8_t*>(bitmap.GetScanline(y));
    if (!row) continue;
    LevelRow(f, row, w, palette, rgb.data(), levels.data());
    visit(y, levels.data());
  }
}

}  // namespace

void GrayscaleRect24(TIEBitmap& bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     const TIEProcProgress& progress) {
  if (bitmap.GetPixelFormat() != ie24RGB) return;
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, bitmap.GetWidth());
  y2 = std::min(y2, bitmap.GetHeight());
  TIEAccessScope scope(bitmap, iedRead | iedWrite);
  for (int32_t y = y1; y < y2; ++y) {
    auto* row = static_cast<TRGB*>(bitmap.GetScanline(y));
    if (row)
      for (int32_t x = x1; x < x2; ++x) {
        const uint8_t g = Gray(row[x]);
        row[x] = TRGB{g, g, g};
      }
    if (progress) progress(int32_t(100.0 / (y2 - y1 + 0.5) * (y - y1 + 1)));
  }
}

void ReduceColors24(TIEBitmap& bitmap, int32_t numColors, TRGB* palette, const TIEProcProgress& progress) {
  if (bitmap.GetPixelFormat() != ie24RGB || numColors < 1) return;
  std::vector<TRGB> own;
  if (!palette) {
    own.resize(size_t(numColors));
    palette = own.data();
  }
  TIEQuantizer quantizer(bitmap, palette, numColors);
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  TIEAccessScope scope(bitmap, iedRead | iedWrite);
  for (int32_t y = 0; y < h; ++y) {
    if (auto* row = static_cast<TRGB*>(bitmap.GetScanline(y)))
      for (int32_t x = 0; x < w; ++x) {
        const int32_t i = quantizer.ColorToIndex(row[x]);
        // A colour the quantizer has no entry for keeps its value.
        if (i >= 0 && i < numColors) row[x] = palette[i];
      }
    Report(progress, y, h);
  }
}

void DitherToBilevel(TIEBitmap& bitmap, const TIEProcProgress& progress) {
  if (bitmap.GetPixelFormat() != ie24RGB || bitmap.IsEmpty()) return;
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  TIEBitmap bits;
  bits.SetMemoryThreshold(bitmap.MemoryThreshold());
  if (!bits.Allocate(w, h, ie1g)) return;
  {
    TIEAccessScope from(bitmap, iedRead);
    TIEAccessScope to(bits, iedWrite);
    std::vector<TRGB> src(static_cast<size_t>(w));
    for (int32_t y = 0; y < h; ++y) {
      const auto* s = static_cast<const TRGB*>(bitmap.GetScanline(y));
      if (!s) continue;
      std::memcpy(src.data(), s, size_t(w) * 3);
      auto* d = static_cast<uint8_t*>(bits.GetScanline(y));
      if (!d) continue;
      std::memset(d, 0, size_t(bits.GetRowLen()));
      for (int32_t x = 0; x < w; ++x) {
        const TRGB& c = src[size_t(x)];
        const int32_t level = c.r >= 251 && c.g >= 251 && c.b >= 251 ? 64 : Gray(c) >> 2;
        if (IEDitherMatrix[x & 7][y & 7] < level) SetBit(d, x, true);
      }
      Report(progress, y, h);
    }
  }
  bitmap.AssignImage(&bits);
}

void ThresholdToBilevel(TIEBitmap& bitmap, int32_t threshold, const TIEProcProgress& progress) {
  if (bitmap.GetPixelFormat() != ie24RGB || bitmap.IsEmpty()) return;
  TIEBitmap bits;
  bits.SetMemoryThreshold(bitmap.MemoryThreshold());
  if (!bits.Allocate(bitmap.GetWidth(), bitmap.GetHeight(), ie1g)) return;
  ThresholdTo1Bit(bitmap, bits, threshold, progress);
  bitmap.AssignImage(&bits);
}

void GetAverageRGB(TIEBitmap& bitmap, int32_t& r, int32_t& g, int32_t& b) {
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  if (w <= 0 || h <= 0 || bitmap.GetPixelFormat() == ieNoFormat) {
    r = g = b = 128;
    return;
  }
  TRGB palette[256];
  IEPalette256(bitmap, palette);
  std::vector<TRGB> rgb(static_cast<size_t>(w));
  int64_t sr = 0, sg = 0, sb = 0;
  TIEAccessScope scope(bitmap, iedRead);
  for (int32_t y = 0; y < h; ++y) {
    const auto* row = static_cast<const uint8_t*>(bitmap.GetScanline(y));
    if (!row) continue;
    IERowToRGB(bitmap.GetPixelFormat(), row, 0, w, palette, rgb.data());
    int64_t rr = 0, rg = 0, rb = 0;
    for (const TRGB& c : rgb) {
      rr += c.r;
      rg += c.g;
      rb += c.b;
    }
    sr += rr / w;
    sg += rg / w;
    sb += rb / w;
  }
  r = int32_t(sr / h);
  g = int32_t(sg / h);
  b = int32_t(sb / h);
}

int32_t MaxEntropyThreshold(TIEBitmap& bitmap) {
  const int64_t total = int64_t(bitmap.GetWidth()) * bitmap.GetHeight();
  if (total <= 0) return -2;
  std::vector<int64_t> hist(256, 0);
  ForEachLevelRow(bitmap, [&](int32_t, const uint8_t* levels) {
    for (int32_t x = 0; x < bitmap.GetWidth(); ++x) ++hist[levels[x]];
  });
  double p[256], H = 0;
  for (int i = 0; i < 256; ++i) {
    p[i] = double(hist[size_t(i)]) / double(total);
    if (p[i] > 0) H -= p[i] * std::log(p[i]);
  }
  int32_t threshold = -2;
  double best = 0, score = 0, P = 0, Hs = 0;
  for (int t = 1; t <= 255; ++t) {
    P += p[t - 1];
    if (p[t - 1] > 0) Hs -= p[t - 1] * std::log(p[t - 1]);
    if (P > 0 && P < 1) score = std::log(P * (1 - P)) + Hs / P + (H - Hs) / (1 - P);
    if (score > best) {
      best = score;
      threshold = t;
    }
  }
  return threshold;
}

void ThresholdTo1Bit(TIEBitmap& source, TIEBitmap& dest, int32_t threshold, const TIEProcProgress& progress) {
  if (&source == &dest || dest.GetPixelFormat() != ie1g || source.GetWidth() != dest.GetWidth() ||
      source.GetHeight() != dest.GetHeight() || source.GetPixelFormat() == ieNoFormat)
    return;
  if (source.GetPixelFormat() == ie1g) {
    dest.AssignImage(&source);
    return;
  }
  if (threshold == -1) {
    int32_t r, g, b;
    GetAverageRGB(source, r, g, b);
    threshold = IEGrayOf(r, g, b);
  } else if (threshold == -2) {
    threshold = MaxEntropyThreshold(source);
  }
  const int32_t w = source.GetWidth(), h = source.GetHeight();
  TIEAccessScope to(dest, iedWrite);
  ForEachLevelRow(source, [&](int32_t y, const uint8_t* levels) {
    if (auto* d = static_cast<uint8_t*>(dest.GetScanline(y))) {
      std::memset(d, 0, size_t(dest.GetRowLen()));
      for (int32_t x = 0; x < w; ++x)
        if (levels[x] >= threshold) SetBit(d, x, true);
    }
    Report(progress, y, h);
  });
}

std::unique_ptr<TIEBitmap> MakeBilevelFromTwoColors(TIEBitmap& bitmap, TRGB& color0, TRGB& color1) {
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  auto bits = std::make_unique<TIEBitmap>();
  bits->SetMemoryThreshold(bitmap.MemoryThreshold());
  if (w <= 0 || h <= 0 || !bits->Allocate(w, h, ie1g)) return nullptr;
  TRGB palette[256];
  IEPalette256(bitmap, palette);
  std::vector<TRGB> rgb(static_cast<size_t>(w));
  TRGB seen[3];
  int32_t count = 0;
  {
    TIEAccessScope from(bitmap, iedRead);
    TIEAccessScope to(*bits, iedWrite);
    for (int32_t y = 0; y < h && count <= 2; ++y) {
      const auto* row = static_cast<const uint8_t*>(bitmap.GetScanline(y));
      if (!row) continue;
      IERowToRGB(bitmap.GetPixelFormat(), row, 0, w, palette, rgb.data());
      auto* d = static_cast<uint8_t*>(bits->GetScanline(y));
      if (!d) continue;
      std::memset(d, 0, size_t(bits->GetRowLen()));
      for (int32_t x = 0; x < w; ++x) {
        const TRGB& c = rgb[size_t(x)];
        if (std::find(seen, seen + count, c) == seen + count && count < 3) seen[count++] = c;
        if (!(c == seen[0])) SetBit(d, x, true);
      }
    }
  }
  if (count != 2) return nullptr;
  color0 = seen[0];
  color1 = seen[1];
  const auto level = [](const TRGB& c) {
    return std::nearbyint(double(c.r * IELuminanceWeights.Red + c.g * IELuminanceWeights.Green +
                                 c.b * IELuminanceWeights.Blue) / 100.0);
  };
  if (level(color1) < level(color0)) {
    InvertBitmapBits(*bits);
    std::swap(color0, color1);
  }
  return bits;
}

void MatchHistograms(TIEBitmap& reference, TIEBitmap& bitmap) {
  if (reference.GetPixelFormat() != ie24RGB || reference.IsEmpty() || bitmap.IsEmpty()) return;
  const TIEPixelFormat f = bitmap.GetPixelFormat();
  if (f != ie24RGB && f != ieRGB48) return;
  int64_t refHist[3][256] = {};
  const int64_t n = int64_t(reference.GetWidth()) * reference.GetHeight();
  {
    TIEAccessScope scope(reference, iedRead);
    for (int32_t y = 0; y < reference.GetHeight(); ++y)
      if (const auto* row = static_cast<const uint8_t*>(reference.GetScanline(y)))
        for (int32_t x = 0; x < reference.GetWidth(); ++x)
          for (int c = 0; c < 3; ++c) ++refHist[c][row[3 * x + c]];
  }
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  const double pixels = double(w) * h;
  const bool wide = f == ieRGB48;
  TIEAccessScope scope(bitmap, iedRead | iedWrite);
  // Blue, green, red: bytes 0, 1, 2 of ie24RGB, words 2, 1, 0 of ieRGB48.
  for (int c = 0; c < 3; ++c) {
    const int32_t offset = wide ? (2 - c) * 2 : c;
    const auto sample = [&](uint8_t* p) -> int32_t {
      if (!wide) return p[0];
      uint16_t v;
      std::memcpy(&v, p, 2);
      return v / 256;
    };
    const auto apply = [&](const auto& map) {
      for (int32_t y = 0; y < h; ++y)
        if (auto* row = static_cast<uint8_t*>(bitmap.GetScanline(y)))
          for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = row + x * (wide ? 6 : 3) + offset;
            const int32_t v = map[sample(p)];
            if (wide) {
              const auto v16 = uint16_t(v * 257);
              std::memcpy(p, &v16, 2);
            } else {
              *p = uint8_t(v);
            }
          }
    };
    int64_t hist[256] = {};
    for (int32_t y = 0; y < h; ++y)
      if (auto* row = static_cast<uint8_t*>(bitmap.GetScanline(y)))
        for (int32_t x = 0; x < w; ++x) ++hist[sample(row + x * (wide ? 6 : 3) + offset)];
    int32_t equalize[256];
    int64_t cum = 0;
    for (int i = 0; i < 256; ++i) {
      cum += hist[i];
      equalize[i] = std::clamp(int32_t(double(cum) * 255 / pixels), 0, 255);
    }
    apply(equalize);
    double r[256];
    cum = 0;
    for (int j = 0; j < 256; ++j) {
      cum += refHist[c][j];
      r[j] = 255.0 / double(n) * double(cum);
    }
    int32_t inverse[256];
    for (int i = 0; i < 256; ++i) {
      int32_t best = 0;
      for (int j = 1; j < 256; ++j)
        if (std::fabs(i - r[j]) < std::fabs(i - r[best])) best = j;
      inverse[i] = best;
    }
    apply(inverse);
  }
}

int32_t ConvertRowBitDepth(const uint8_t* src, uint8_t* dst, int32_t srcBits, TIEQuantizer* quantizer,
                           const TRGB* palette, int32_t paletteCount, uint16_t width, int32_t dstBits) {
  const int32_t w = width;
  const int32_t result = dstBits == 1 ? (w + 7) / 8 : dstBits == 4 ? (w + 1) / 2 : dstBits == 8 ? w : dstBits == 24 ? 3 * w : 0;
  TRGB pal[256] = {};
  if (palette) std::copy_n(palette, std::clamp(paletteCount, 0, 256), pal);
  const auto index = [&](const uint8_t* p) -> uint8_t {
    const int32_t i = quantizer->ColorToIndex(TRGB{p[0], p[1], p[2]});
    return i >= 0 && i <= 255 ? uint8_t(i) : 0;
  };
  const auto nibble = [](const uint8_t* row, int32_t x) -> uint8_t { return x & 1 ? row[x / 2] & 0x0F : row[x / 2] >> 4; };
  const auto orNibble = [](uint8_t* row, int32_t x, uint8_t v) { row[x / 2] |= x & 1 ? (v & 0x0F) : uint8_t(v << 4); };
  switch (srcBits * 100 + dstBits) {
    case 2404:
      if (!quantizer) return result;
      for (int32_t x = 0; x < w; ++x) orNibble(dst, x, index(src + 3 * x));
      return result;
    case 2408:
      if (!quantizer) return result;
      for (int32_t x = 0; x < w; ++x) dst[x] = index(src + 3 * x);
      return result;
    case 2424:
      std::memmove(dst, src, size_t(3 * w));
      return result;
    case 3224:
      for (int32_t x = 0; x < w; ++x) std::memmove(dst + 3 * x, src + 4 * x, 3);
      return result;
    case 801:
      std::memset(dst, 0, size_t(result));
      for (int32_t x = 0; x < w; ++x) dst[x / 8] |= uint8_t((src[x] & 1) << (7 - x % 8));
      return result;
    case 808:
      std::memmove(dst, src, size_t(w));
      return result;
    case 824:
      for (int32_t x = 0; x < w; ++x) std::memcpy(dst + 3 * x, &pal[src[x]], 3);
      return result;
    case 404:
      std::memmove(dst, src, size_t((w + 1) / 2));
      return result;
    case 408:
      for (int32_t x = 0; x < w; ++x) dst[x] = nibble(src, x);
      return result;
    case 424:
      for (int32_t x = 0; x < w; ++x) std::memcpy(dst + 3 * x, &pal[nibble(src, x)], 3);
      return result;
    case 101:
      std::memmove(dst, src, size_t((w + 7) / 8));
      return result;
    case 104:
      for (int32_t x = 0; x < w; ++x) orNibble(dst, x, GetBit(src, x) ? 1 : 0);
      return result;
    case 108:
      for (int32_t x = 0; x < w; ++x) dst[x] = GetBit(src, x) ? 1 : 0;
      return result;
    case 124:
      for (int32_t x = 0; x < w; ++x) std::memcpy(dst + 3 * x, &pal[GetBit(src, x) ? 1 : 0], 3);
      return result;
    default:
      return result;
  }
}

void YUVToRGBPixel(int32_t y, int32_t u, int32_t v, TRGB& pixel) {
  const double yy = (y - 16) * 1.164, uu = u - 128, vv = v - 128;
  const auto channel = [](double c) { return uint8_t(ClampByte(int32_t(std::clamp(std::nearbyint(c), -1.0, 256.0)))); };
  pixel.b = channel(yy + 2.018 * uu);
  pixel.g = channel(yy - 0.813 * vv - 0.391 * uu);
  pixel.r = channel(yy + 1.596 * vv);
}

// ---- YUV rows -----------------------------------------------------------------------------------

namespace {

// A packed layout: a group of bytes giving ppg pixels, each with its Y, U and V byte offsets.
struct TPackedYUV {
  const char* fourcc[3];
  int32_t groupBytes;
  int32_t ppg;
  int8_t y[8], u[8], v[8];
};

constexpr TPackedYUV kPacked[] = {
    {{"IYU1"}, 6, 4, {1, 2, 4, 5}, {0, 0, 0, 0}, {3, 3, 3, 3}},
    {{"IYU2"}, 3, 1, {1}, {0}, {2}},
    {{"UYVY", "UYNV", "cyuv"}, 4, 2, {1, 3}, {0, 0}, {2, 2}},
    {{"YUY2", "YUNV"}, 4, 2, {0, 2}, {1, 1}, {3, 3}},
    {{"YVYU"}, 4, 2, {0, 2}, {3, 3}, {1, 1}},
    {{"Y211"}, 4, 4, {0, 0, 2, 2}, {1, 1, 1, 1}, {3, 3, 3, 3}},
    {{"Y41P"}, 12, 8, {1, 3, 5, 7, 8, 9, 10, 11}, {0, 0, 0, 0, 4, 4, 4, 4}, {2, 2, 2, 2, 6, 6, 6, 6}},
};

// Planar: chroma planes subsampled by `sub` in both directions, V before U unless uFirst.
struct TPlanarYUV {
  const char* fourcc[2];
  int32_t sub;
  bool uFirst;
};
constexpr TPlanarYUV kPlanar[] = {{{"YVU9"}, 4, false}, {{"YV12"}, 2, false}, {{"I420", "IYUV"}, 2, true}};

template <size_t N>
bool Names(const char* const (&names)[N], std::string_view fourcc) {
  for (const char* n : names)
    if (n && fourcc == n) return true;
  return false;
}

}  // namespace

bool YUVToBitmap(std::string_view fourcc, const uint8_t* data, int64_t dataSize, TIEBitmap& bitmap, bool topDown) {
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  const auto target = [&](int32_t r) -> TRGB* {
    return static_cast<TRGB*>(bitmap.GetScanline(topDown ? r : h - 1 - r));
  };
  const bool ready = bitmap.GetPixelFormat() == ie24RGB && data && dataSize > 0;
  TIEAccessScope scope(bitmap, iedRead | iedWrite);
  for (const TPackedYUV& l : kPacked) {
    if (!Names(l.fourcc, fourcc)) continue;
    if (!ready) return true;
    const int64_t rowBytes = int64_t((w + l.ppg - 1) / l.ppg) * l.groupBytes;
    for (int32_t r = 0; r < h; ++r) {
      TRGB* row = target(r);
      if (!row) continue;
      for (int32_t x = 0; x < w - 1; x += l.ppg) {
        const int64_t at = rowBytes * r + int64_t(x / l.ppg) * l.groupBytes;
        if (at + l.groupBytes > dataSize) return true;
        const uint8_t* g = data + at;
        for (int32_t i = 0; i < l.ppg && x + i < w; ++i) YUVToRGBPixel(g[l.y[i]], g[l.u[i]], g[l.v[i]], row[x + i]);
      }
    }
    return true;
  }
  if (fourcc == "CLJR") {
    if (!ready) return true;
    const int64_t rowBytes = int64_t((w + 3) / 4) * 4;
    for (int32_t r = 0; r < h; ++r) {
      TRGB* row = target(r);
      if (!row) continue;
      for (int32_t x = 0; x < w - 1; x += 4) {
        const int64_t at = rowBytes * r + x;
        if (at + 4 > dataSize) return true;
        const uint32_t word = uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
                              uint32_t(data[at + 3]) << 24;
        const int32_t v = word & 0x3F, u = (word >> 6) & 0x3F;
        for (int32_t i = 0; i < 4 && x + i < w; ++i) YUVToRGBPixel(int32_t((word >> (12 + 5 * i)) & 0x1F), u, v, row[x + i]);
      }
    }
    return true;
  }
  for (const TPlanarYUV& l : kPlanar) {
    if (!Names(l.fourcc, fourcc)) continue;
    if (!ready) return true;
    const int64_t cw = w / l.sub, ch = h / l.sub;
    const int64_t ySize = int64_t(w) * h, cSize = cw * ch;
    const int64_t first = ySize, second = ySize + cSize;
    const int64_t uPlane = l.uFirst ? first : second, vPlane = l.uFirst ? second : first;
    for (int32_t r = 0; r < h; ++r) {
      TRGB* row = target(r);
      if (!row) continue;
      const int64_t cr = std::min<int64_t>(r / l.sub, ch - 1);
      for (int32_t x = 0; x < w; ++x) {
        const int64_t yAt = int64_t(r) * w + x;
        if (yAt >= dataSize) return true;
        int32_t u = 128, v = 128;
        if (cw > 0 && ch > 0) {
          const int64_t cAt = cr * cw + std::min<int64_t>(x / l.sub, cw - 1);
          if (uPlane + cAt < dataSize) u = data[uPlane + cAt];
          if (vPlane + cAt < dataSize) v = data[vPlane + cAt];
        }
        YUVToRGBPixel(data[yAt], u, v, row[x]);
      }
    }
    return true;
  }
  return false;
}

// ---- platform monochrome bitmaps ----------------------------------------------------------------

const uint8_t (&IEBitExpansionTable())[256][24] {
  static const auto table = [] {
    struct {
      uint8_t t[256][24];
    } e{};
    for (int i = 0; i < 256; ++i)
      for (int j = 0; j < 8; ++j) std::memset(&e.t[i][j * 3], i & (0x80 >> j) ? 255 : 0, 3);
    return e;
  }();
  return table.t;
}

void Expand1BitTBitmapTo24(TBitmap& source, TBitmap& dest, const TIEProcProgress& progress) {
  const int32_t w = source.Width(), h = source.Height();
  dest.SetPixelFormat(pf24bit);
  dest.SetSize(w, h);
  if (w <= 0 || h <= 0 || source.PixelFormat() != pf1bit) return;
  const auto& table = IEBitExpansionTable();
  for (int32_t y = 0; y < h; ++y) {
    const auto* s = static_cast<const uint8_t*>(source.ScanLine(y));
    auto* d = static_cast<uint8_t*>(dest.ScanLine(y));
    for (int32_t i = 0; i < w / 8; ++i) std::memcpy(d + 24 * i, table[s[i]], 24);
    if (w % 8) std::memcpy(d + 24 * (w / 8), table[s[w / 8]], size_t(w % 8) * 3);
    if (progress) progress(int32_t((y + 1) * 100 / (h + 0.5)));
  }
}

void CopyTBitmap(TBitmap& source, TBitmap& dest) {
  if (&source == &dest) return;
  const TPixelFormat pf = source.PixelFormat();
  const int32_t w = source.Width(), h = source.Height();
  if (w <= 0 || h <= 0) {
    dest.SetSize(1, 1);
    dest.SetPixelFormat(pf);
    return;
  }
  if (dest.Width() != w || dest.Height() != h || dest.PixelFormat() != pf) {
    dest.SetSize(1, 1);
    dest.SetPixelFormat(pf);
    dest.SetSize(w, h);
  }
  const int32_t n = std::min(std::abs(source.RowBytes()), std::abs(dest.RowBytes()));
  for (int32_t y = 0; y < h; ++y) std::memcpy(dest.ScanLine(y), source.ScanLine(y), size_t(n));
}

std::unique_ptr<TBitmap> CloneTBitmap(TBitmap& source) {
  auto copy = std::make_unique<TBitmap>();
  CopyTBitmap(source, *copy);
  return copy;
}
