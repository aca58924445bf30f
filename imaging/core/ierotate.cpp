#include "imaging/core/ierotate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

#include "imaging/core/ieglobals.h"
#include "imaging/core/iepixels.h"
#include "imaging/core/ieprocutils.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;

int32_t RoundI(double v) { return int32_t(std::clamp(std::nearbyint(v), -2.0e9, 2.0e9)); }  // halves to even
int32_t TruncI(double v) { return int32_t(std::clamp(v, -2.0e9, 2.0e9)); }


// Pixels of whole bytes, top row first, without row padding.
struct TRaster {
  int32_t w = 0, h = 0, bpp = 1;
  std::vector<uint8_t> px;
  TRaster() = default;
  TRaster(int32_t width, int32_t height, int32_t bytes, const uint8_t* fill) : w(width), h(height), bpp(bytes) {
    px.resize(size_t(w) * size_t(h) * size_t(bpp));
    for (size_t i = 0; i < px.size(); i += size_t(bpp)) std::memcpy(&px[i], fill, size_t(bpp));
  }
  uint8_t* At(int32_t x, int32_t y) { return px.data() + (size_t(y) * size_t(w) + size_t(x)) * size_t(bpp); }
  const uint8_t* At(int32_t x, int32_t y) const {
    return px.data() + (size_t(y) * size_t(w) + size_t(x)) * size_t(bpp);
  }
};

TRaster ReadRaster(TIEBitmap& b, int32_t bpp) {
  TRaster r;
  r.w = b.GetWidth();
  r.h = b.GetHeight();
  r.bpp = bpp;
  r.px.resize(size_t(r.w) * size_t(r.h) * size_t(bpp));
  TIEAccessScope readOnly(b, iedRead);
  for (int32_t y = 0; y < r.h; ++y)
    if (const auto* s = static_cast<const uint8_t*>(b.GetScanline(y)))
      std::memcpy(r.At(0, y), s, size_t(r.w) * size_t(bpp));
  return r;
}

// The image's content becomes result's; an alpha channel of another size no longer belongs to it.
void ReplaceImage(TIEBitmap& bitmap, TIEBitmap& result) {
  bitmap.AssignImage(&result);
  if (bitmap.HasAlphaChannel()) {
    TIEBitmap* a = bitmap.GetAlphaChannel();
    if (a->GetWidth() != bitmap.GetWidth() || a->GetHeight() != bitmap.GetHeight()) bitmap.RemoveAlphaChannel(false, 0);
  }
}

void StoreRaster(TIEBitmap& bitmap, const TRaster& r) {
  TIEBitmap out;
  if (!out.Allocate(r.w, r.h, bitmap.GetPixelFormat())) return;
  bitmap.CopyPaletteTo(&out);
  {
    TIEAccessScope writeOnly(out, iedWrite);
    for (int32_t y = 0; y < r.h; ++y)
      if (auto* d = static_cast<uint8_t*>(out.GetScanline(y))) {
        std::memset(d, 0, size_t(out.GetRowLen()));
        std::memcpy(d, r.At(0, y), size_t(r.w) * size_t(r.bpp));
      }
  }
  ReplaceImage(bitmap, out);
}

// ---- quarter turns of any format ----

enum class TTurn { CW, CCW, Half };

// Copies turned pixels into dest (allocated here); pixels of any bit count, 1-bit rows bit by bit.
bool QuarterTurn(TIEBitmap& source, TIEBitmap& dest, TTurn turn) {
  const int32_t w = source.GetWidth(), h = source.GetHeight(), bits = source.GetBitCount();
  if (w <= 0 || h <= 0 || (bits != 1 && bits % 8 != 0) || &source == &dest) return false;
  const int32_t dw = turn == TTurn::Half ? w : h, dh = turn == TTurn::Half ? h : w;
  const size_t len = size_t(source.GetRowLen());
  std::vector<uint8_t> rows(len * size_t(h));
  {
    TIEAccessScope readOnly(source, iedRead);
    for (int32_t y = 0; y < h; ++y)
      if (const auto* s = static_cast<const uint8_t*>(source.GetScanline(y)))
        std::memcpy(&rows[len * size_t(y)], s, len);
  }
  const TIEPixelFormat format = source.GetPixelFormat();
  if (!dest.Allocate(dw, dh, format)) return false;
  if (format == ie8p) source.CopyPaletteTo(&dest);
  const size_t bytes = size_t(bits / 8);
  TIEAccessScope writeOnly(dest, iedWrite);
  for (int32_t y = 0; y < dh; ++y) {
    auto* d = static_cast<uint8_t*>(dest.GetScanline(y));
    if (!d) continue;
    std::memset(d, 0, size_t(dest.GetRowLen()));  // a new 1-bit row starts cleared
    for (int32_t x = 0; x < dw; ++x) {
      int32_t sx, sy;
      if (turn == TTurn::CW) {
        sx = y;
        sy = h - 1 - x;
      } else if (turn == TTurn::CCW) {
        sx = w - 1 - y;
        sy = x;
      } else {
        sx = w - 1 - x;
        sy = h - 1 - y;
      }
      const uint8_t* s = &rows[len * size_t(sy)];
      if (bits == 1)
        IESetBit1(d, x, IEGetBit1(s, sx));
      else
        std::memcpy(d + size_t(x) * bytes, s + size_t(sx) * bytes, bytes);
    }
  }
  return true;
}

void TurnInPlace(TIEBitmap& bitmap, TTurn turn) {
  TIEBitmap turned;
  if (QuarterTurn(bitmap, turned, turn)) ReplaceImage(bitmap, turned);
}

// ---- three shears ----

inline uint8_t ShearBlend(int32_t previous, int32_t current, int32_t f) {
  const double v = std::nearbyint((double(previous) * f + double(current) * (4096 - f) + 2048) / 4096);
  return uint8_t(std::clamp(v, 0.0, 255.0));
}

// Writes n pixels (source stride srcStride bytes) to positions start .. start +
// n - 1 of a line of limit pixels (stride dstStride), dropping those outside.
// Antialiased, each pixel is blended with its predecessor by f / 4096 (the
// first predecessor being the background), and a positive f spills the last
// pixel's blend with the background one place further.
void ShearRun(const uint8_t* src, ptrdiff_t srcStride, int32_t n, uint8_t* dst, ptrdiff_t dstStride, int32_t start,
              int32_t limit, int32_t bpp, const uint8_t* bg, bool antiAlias, int32_t f) {
  uint8_t prev[4];
  std::memcpy(prev, bg, size_t(bpp));
  for (int32_t k = 0; k < n; ++k) {
    const uint8_t* cur = src + k * srcStride;
    const int64_t pos = int64_t(start) + k;
    if (pos >= 0 && pos < limit) {
      uint8_t* d = dst + pos * dstStride;
      if (!antiAlias)
        std::memcpy(d, cur, size_t(bpp));
      else
        for (int32_t c = 0; c < bpp; ++c) d[c] = ShearBlend(prev[c], cur[c], f);
    }
    std::memcpy(prev, cur, size_t(bpp));
  }
  const int64_t pos = int64_t(start) + n;
  if (antiAlias && f > 0 && n > 0 && pos >= 0 && pos < limit) {
    uint8_t* d = dst + pos * dstStride;
    for (int32_t c = 0; c < bpp; ++c) d[c] = ShearBlend(prev[c], bg[c], f);
  }
}

void MirrorRaster(TRaster& r) {
  for (int32_t y = 0; y < r.h; ++y)
    for (int32_t a = 0, b = r.w - 1; a < b; ++a, --b)
      for (int32_t c = 0; c < r.bpp; ++c) std::swap(r.At(a, y)[c], r.At(b, y)[c]);
}

// Rotates counter-clockwise by 0 < angle <= 45 degrees (radians theta).
//
//   shear 1 (rows right)   shear 2 (columns up)   shear 3 (rows right)
//     x1 = x + tau y         y2 = y - sigma x1      x3 = x1 + tau y2
//
// with tau = tan(theta / 2) and sigma = sin(theta), which together are the
// rotation; offsets keep every shear's shifts non-negative.
TRaster ShearRotate(const TRaster& in, double theta, bool antiAlias, const uint8_t* bg, TIEProgressReporter& report) {
  const int32_t w = in.w, h = in.h, bpp = in.bpp;
  const double tau = std::fabs(std::tan(theta / 2)), sigma = std::fabs(std::sin(theta));
  const int32_t W1 = std::max(1, RoundI(h * tau + w + 1));
  const int32_t H2 = RoundI(sigma * W1 + h + 1);
  const int32_t skew0 = RoundI((W1 - w) * sigma);
  const int32_t t = RoundI(tau * (H2 - h - skew0));
  const int32_t H3 = std::max(1, RoundI(H2 - 2.0 * skew0));
  const int32_t W3 = std::max(1, RoundI(tau * H3 + W1 + 1 - 2.0 * t));
  const double factor = 100.0 / (h + W1 + H3);
  int32_t done = 0;
  const auto step = [&] { report(int32_t(++done * factor)); };

  TRaster b1(W1, h, bpp, bg);
  for (int32_t r = 0; r < h; ++r) {
    const double shift = r * tau;
    const int32_t is = RoundI(shift);
    const auto f = int32_t((shift - is) * 4096);
    ShearRun(in.At(0, r), bpp, w, b1.At(0, r), bpp, is, W1, bpp, bg, antiAlias, f);
    step();
  }
  TRaster b2(W1, H3, bpp, bg);
  const ptrdiff_t column = ptrdiff_t(W1) * bpp;
  for (int32_t c = 0; c < W1; ++c) {
    // Columns further right move further up: counted from the right edge.
    const double shift = (W1 - c) * sigma - skew0;
    const int32_t is = RoundI(shift);
    const int32_t f = RoundI((shift - is) * 4096);
    ShearRun(b1.At(c, 0), column, h, b2.At(c, 0), column, is, H3, bpp, bg, antiAlias, f);
    step();
  }
  TRaster out(W3, H3, bpp, bg);
  for (int32_t n = 0; n < H3; ++n) {
    const double shift = n * tau - t;
    const int32_t is = RoundI(shift);
    const int32_t f = RoundI((shift - is) * 4096);
    ShearRun(b2.At(0, n), bpp, W1, out.At(0, n), bpp, is, W3, bpp, bg, antiAlias, f);
    step();
  }
  return out;
}

void RotateByShears(TIEBitmap& bitmap, bool antiAlias, const uint8_t* bg, int32_t bpp, const TIEProcProgress& progress,
                    double angle) {
  if (angle == 0 || bitmap.IsEmpty()) return;
  // Whole thousandths of a degree, the remainder keeping the dividend's sign.
  const int64_t a = int64_t(std::clamp(angle * 1000, -9.0e15, 9.0e15)) % 360000;
  angle = double(a) / 1000;
  while (angle > 45) {
    angle -= 90;
    TurnInPlace(bitmap, TTurn::CCW);
  }
  while (angle < -45) {
    angle += 90;
    TurnInPlace(bitmap, TTurn::CW);
  }
  if (angle == 0) return;
  TRaster in = ReadRaster(bitmap, bpp);
  TIEProgressReporter report(progress);
  // A clockwise turn is the counter-clockwise one of the mirrored image, mirrored back.
  const bool clockwise = angle < 0;
  if (clockwise) MirrorRaster(in);
  TRaster out = ShearRotate(in, std::fabs(angle) * kRadiansPerDegree, antiAlias, bg, report);
  if (clockwise) MirrorRaster(out);
  StoreRaster(bitmap, out);
}

// ---- nearest inverse mapping with 1/10000 trigonometry ----

// Rotate1Bit's rule for 1-bit pixels or bytes.
void RotateNearest10000(TIEBitmap& bitmap, bool bits, uint8_t background, const TIEProcProgress& progress,
                        double angle) {
  if (bitmap.IsEmpty()) return;
  if (angle == 90) return TurnInPlace(bitmap, TTurn::CCW);
  if (angle == -90 || angle == 270) return TurnInPlace(bitmap, TTurn::CW);
  if (angle == 180 || angle == -180) return TurnInPlace(bitmap, TTurn::Half);
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  const double theta = angle * kRadiansPerDegree;
  const double c = std::trunc(std::cos(-theta) * 10000) / 10000, s = std::trunc(std::sin(-theta) * 10000) / 10000;
  const int32_t nw = std::max(1, TruncI(std::fabs(w * c) + std::fabs(h * s)));
  const int32_t nh = std::max(1, TruncI(std::fabs(-w * s) + std::fabs(c * h)));
  const double wo = nw / 2.0 - 0.5, ho = nh / 2.0 - 0.5;
  const size_t len = size_t(bitmap.GetRowLen());
  std::vector<uint8_t> rows(len * size_t(h));
  {
    TIEAccessScope readOnly(bitmap, iedRead);
    for (int32_t y = 0; y < h; ++y)
      if (const auto* p = static_cast<const uint8_t*>(bitmap.GetScanline(y)))
        std::memcpy(&rows[len * size_t(y)], p, len);
  }
  TIEBitmap out;
  if (!out.Allocate(nw, nh, bitmap.GetPixelFormat())) return;
  bitmap.CopyPaletteTo(&out);
  std::vector<int32_t> colX(static_cast<size_t>(nw)), colY(static_cast<size_t>(nw));
  for (int32_t k = 0; k < nw; ++k) {
    colX[size_t(k)] = TruncI(c * (k - wo));
    colY[size_t(k)] = TruncI(s * -(k - wo));
  }
  TIEProgressReporter report(progress);
  {
    TIEAccessScope writeOnly(out, iedWrite);
    for (int32_t o = 0; o < nh; ++o) {
      auto* d = static_cast<uint8_t*>(out.GetScanline(o));
      if (d) {
        std::memset(d, 0, size_t(out.GetRowLen()));
        const int32_t bx = TruncI(s * (o - ho) + (w / 2.0 - 0.5)), by = TruncI(c * (o - ho) + (h / 2.0 - 0.5));
        for (int32_t k = 0; k < nw; ++k) {
          const int64_t sx = int64_t(bx) + colX[size_t(k)], sy = int64_t(by) + colY[size_t(k)];
          const bool inside = sx >= 0 && sx < w && sy >= 0 && sy < h;
          const uint8_t* srow = inside ? &rows[len * size_t(sy)] : nullptr;
          if (bits)
            IESetBit1(d, k, inside ? IEGetBit1(srow, int32_t(sx)) : background != 0);
          else
            d[k] = inside ? srow[sx] : background;
        }
      }
      report(int32_t(o * 100.0 / nh));
    }
  }
  ReplaceImage(bitmap, out);
}

// ---- inverse mapping with interpolation ----

void RotateInterpolated(TIEBitmap& bitmap, const uint8_t* bg, int32_t bpp, int32_t quality, bool absolute,
                        const TIEProcProgress& progress, double angle) {
  if (bitmap.IsEmpty()) return;
  constexpr int32_t kPad = 3;
  const TRaster src0 = ReadRaster(bitmap, bpp);
  TRaster src(src0.w + 2 * kPad, src0.h + 2 * kPad, bpp, bg);
  for (int32_t y = 0; y < src0.h; ++y) std::memcpy(src.At(kPad, y + kPad), src0.At(0, y), size_t(src0.w) * size_t(bpp));
  const int32_t w = src.w, h = src.h;
  const double theta = angle * kRadiansPerDegree, cs = std::cos(theta), sn = std::sin(theta);
  const int32_t W = std::max(1, RoundI(std::fabs(sn) * (h - 1) + std::fabs(cs) * (w - 1)));
  const int32_t H = std::max(1, RoundI(std::fabs(cs) * (h - 1) + std::fabs(sn) * (w - 1)));
  const double scx = (w - 1) / 2.0, scy = (h - 1) / 2.0, dcx = (W - 1) / 2.0, dcy = (H - 1) / 2.0;
  TRaster out(W, H, bpp, bg);
  const auto pixel = [&](int64_t x, int64_t y, int32_t c) -> double {
    return x >= 0 && x < w && y >= 0 && y < h ? src.At(int32_t(x), int32_t(y))[c] : bg[c];
  };
  const auto cubicWeights = [](double t, double* wt) {
    wt[0] = -t * (1 - t) * (1 - t);
    wt[1] = 1 - 2 * t * t + t * t * t;
    wt[2] = t * (1 + t - t * t);
    wt[3] = -t * t * (1 - t);
  };
  TIEProgressReporter report(progress);
  for (int32_t j = 0; j < H; ++j) {
    for (int32_t i = 0; i < W; ++i) {
      const double x = (i - dcx) * cs + scx - (j - dcy) * sn;
      const double y = (i - dcx) * sn + scy + (j - dcy) * cs;
      if (!(std::fabs(x) < 1e9 && std::fabs(y) < 1e9)) continue;
      const auto tx = int64_t(x), ty = int64_t(y);
      const double fx = x - double(IEFloor(x)), fy = y - double(IEFloor(y));
      uint8_t* d = out.At(i, j);
      for (int32_t c = 0; c < bpp; ++c) {
        double v;
        if (quality == 2) {
          double wx[4], wy[4];
          cubicWeights(fx, wx);
          cubicWeights(fy, wy);
          // The weights sum to 1: summed as differences from the pixel itself, an even area
          // keeps its exact value instead of falling a rounding error short of it before
          // the truncation.
          const double base = pixel(tx, ty, c);
          v = base;
          for (int32_t m = 0; m < 4; ++m)
            for (int32_t k = 0; k < 4; ++k) v += wy[m] * wx[k] * (pixel(tx - 1 + k, ty - 1 + m, c) - base);
        } else {
          const double top = pixel(tx, ty, c) + (pixel(tx + 1, ty, c) - pixel(tx, ty, c)) * fx;
          const double bottom = pixel(tx, ty + 1, c) + (pixel(tx + 1, ty + 1, c) - pixel(tx, ty + 1, c)) * fx;
          v = top + (bottom - top) * fy;
        }
        auto n = int64_t(std::trunc(v));
        if (absolute) n = n < 0 ? -n : n;
        d[c] = uint8_t(std::clamp<int64_t>(n, 0, 255));
      }
    }
    report(int32_t(j * 100.0 / H));
  }
  // The padding comes off again: the image keeps only what lies inside it.
  const int32_t fw = std::max(1, W - 2 * kPad), fh = std::max(1, H - 2 * kPad);
  const int32_t ox = std::min(kPad, W - fw), oy = std::min(kPad, H - fh);
  TRaster cropped(fw, fh, bpp, bg);
  for (int32_t y = 0; y < fh; ++y) std::memcpy(cropped.At(0, y), out.At(ox, y + oy), size_t(fw) * size_t(bpp));
  StoreRaster(bitmap, cropped);
}

// The background of RotateAnyFormat for a format, from a platform colour.
double BackgroundValue(TIEBitmap& bitmap, TColor color) {
  const TRGB c = ColorToTRGB(color);
  const int32_t gray = IEGrayOf(c.r, c.g, c.b);
  switch (bitmap.GetPixelFormat()) {
    case ie1g:
      return gray >= 128 ? 1 : 0;
    case ie8g:
      return gray;
    case ie16g:
      return gray * 257.0;
    case ie32f:
      return gray / 255.0;
    case ie8p:
      return NearestPaletteIndex(bitmap.GetPalette(), bitmap.GetPaletteLen(),
                                 uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b);
    default:
      return double(uint32_t(c.r) | uint32_t(c.g) << 8 | uint32_t(c.b) << 16);
  }
}

}  // namespace

void Rotate90CW24(TIEBitmap& source, TIEBitmap& dest) {
  if (source.GetPixelFormat() == ie24RGB) QuarterTurn(source, dest, TTurn::CW);
}
void Rotate90CCW24(TIEBitmap& source, TIEBitmap& dest) {
  if (source.GetPixelFormat() == ie24RGB) QuarterTurn(source, dest, TTurn::CCW);
}
void Rotate90CW8(TIEBitmap& source, TIEBitmap& dest) {
  if (source.GetBitCount() == 8) QuarterTurn(source, dest, TTurn::CW);
}
void Rotate90CCW8(TIEBitmap& source, TIEBitmap& dest) {
  if (source.GetBitCount() == 8) QuarterTurn(source, dest, TTurn::CCW);
}

void RotateByShears24(TIEBitmap& bitmap, bool antiAlias, const TIEProcProgress& progress, TRGB background,
                      double angle) {
  if (angle == 0) return;
  if (bitmap.GetPixelFormat() != ie24RGB) {
    Rotate1Bit(bitmap, background.r != 0 && background.g != 0 && background.b != 0, progress, angle);
    return;
  }
  const uint8_t bg[3] = {background.b, background.g, background.r};
  RotateByShears(bitmap, antiAlias, bg, 3, progress, angle);
}

void RotateByShears8(TIEBitmap& bitmap, bool antiAlias, uint8_t background, const TIEProcProgress& progress,
                     double angle) {
  const TIEPixelFormat f = bitmap.GetPixelFormat();
  if (f != ie8g && f != ie8p) return;
  RotateByShears(bitmap, antiAlias, &background, 1, progress, angle);
}

void Rotate1Bit(TIEBitmap& bitmap, bool backgroundBit, const TIEProcProgress& progress, double angle) {
  if (bitmap.GetPixelFormat() != ie1g) return;
  RotateNearest10000(bitmap, true, backgroundBit ? 1 : 0, progress, angle);
}

void RotateGray8Nearest(TIEBitmap& bitmap, uint8_t background, double angle) {
  const TIEPixelFormat f = bitmap.GetPixelFormat();
  if (f != ie8g && f != ie8p) return;
  RotateNearest10000(bitmap, false, background, {}, angle);
}

void RotateInterpolated24(TIEBitmap& bitmap, TRGB background, int32_t quality, const TIEProcProgress& progress,
                          double angle) {
  if (bitmap.GetPixelFormat() != ie24RGB) return;
  const uint8_t bg[3] = {background.b, background.g, background.r};
  RotateInterpolated(bitmap, bg, 3, quality, false, progress, angle);
}

void RotateInterpolated8(TIEBitmap& bitmap, uint8_t background, int32_t quality, double angle) {
  if (bitmap.GetBitCount() != 8) return;
  RotateInterpolated(bitmap, &background, 1, quality, true, {}, angle);
}

void RotateIntoBitmap(TIEBitmap& source, TIEBitmap& dest, double background, const TIEProcProgress& progress,
                      double angle) {
  const int32_t w = source.GetWidth(), h = source.GetHeight(), bits = source.GetBitCount();
  if (w <= 0 || h <= 0 || &source == &dest || (bits != 1 && bits % 8 != 0)) return;
  if (IsMultipleOf90(angle)) {
    switch (int64_t(angle) % 360) {
      case 90:
      case -270:
        QuarterTurn(source, dest, TTurn::CCW);
        return;
      case 270:
      case -90:
        QuarterTurn(source, dest, TTurn::CW);
        return;
      case 180:
      case -180:
        QuarterTurn(source, dest, TTurn::Half);
        return;
      default:
        dest.Assign(&source);
        return;
    }
  }
  const double theta = angle * kRadiansPerDegree, cs = std::cos(theta), sn = std::sin(theta);
  const int32_t W = std::max(1, RoundI(std::fabs(sn) * h + std::fabs(cs) * w));
  const int32_t H = std::max(1, RoundI(std::fabs(cs) * h + std::fabs(sn) * w));
  const TIEPixelFormat format = source.GetPixelFormat();
  if (!dest.Allocate(W, H, format)) return;
  if (format == ie8p) source.CopyPaletteTo(&dest);
  dest.Fill(format == ie1g ? 0 : background);
  const size_t len = size_t(source.GetRowLen()), bytes = size_t(bits / 8);
  std::vector<uint8_t> rows(len * size_t(h));
  {
    TIEAccessScope readOnly(source, iedRead);
    for (int32_t y = 0; y < h; ++y)
      if (const auto* p = static_cast<const uint8_t*>(source.GetScanline(y)))
        std::memcpy(&rows[len * size_t(y)], p, len);
  }
  const double scx = (w - 1) / 2.0, scy = (h - 1) / 2.0, dcx = (W - 1) / 2.0, dcy = (H - 1) / 2.0;
  std::vector<int32_t> X(static_cast<size_t>(W)), Y(static_cast<size_t>(W));
  for (int32_t i = 0; i < W; ++i) {
    X[size_t(i)] = RoundI((i - dcx) * cs + scx);
    Y[size_t(i)] = RoundI((i - dcx) * sn + scy);
  }
  TIEProgressReporter report(progress);
  TIEAccessScope readWrite(dest, iedRead | iedWrite);
  for (int32_t j = 0; j < H; ++j) {
    auto* d = static_cast<uint8_t*>(dest.GetScanline(j));
    if (d) {
      const int32_t dx = RoundI((j - dcy) * sn), dy = RoundI((j - dcy) * cs);
      for (int32_t i = 0; i < W; ++i) {
        const int64_t sx = int64_t(X[size_t(i)]) - dx, sy = int64_t(Y[size_t(i)]) + dy;
        if (sx < 0 || sx >= w || sy < 0 || sy >= h) continue;
        const uint8_t* s = &rows[len * size_t(sy)];
        if (bits == 1)
          IESetBit1(d, i, IEGetBit1(s, int32_t(sx)));
        else
          std::memcpy(d + size_t(i) * bytes, s + size_t(sx) * bytes, bytes);
      }
    }
    report(int32_t(j * 100.0 / H));
  }
}

void RotateAnyFormat(TIEBitmap& bitmap, double background, const TIEProcProgress& progress, double angle) {
  if (bitmap.IsEmpty()) return;
  TIEBitmap turned;
  RotateIntoBitmap(bitmap, turned, background, progress, angle);
  if (!turned.IsEmpty()) ReplaceImage(bitmap, turned);
}

void FlipBitmap(TIEBitmap& bitmap, uint8_t direction) {
  const auto flip = [direction](TIEBitmap& b) {
    const int32_t w = b.GetWidth(), h = b.GetHeight(), bits = b.GetBitCount();
    if (w <= 0 || h <= 0 || (bits != 1 && bits % 8 != 0)) return;
    const size_t len = size_t(b.GetRowLen()), bytes = size_t(bits / 8);
    std::vector<uint8_t> rows(len * size_t(h));
    {
      TIEAccessScope readOnly(b, iedRead);
      for (int32_t y = 0; y < h; ++y)
        if (const auto* p = static_cast<const uint8_t*>(b.GetScanline(y))) std::memcpy(&rows[len * size_t(y)], p, len);
    }
    TIEBitmap out;
    if (!out.Allocate(w, h, b.GetPixelFormat())) return;
    b.CopyPaletteTo(&out);
    {
      TIEAccessScope writeOnly(out, iedWrite);
      for (int32_t y = 0; y < h; ++y) {
        auto* d = static_cast<uint8_t*>(out.GetScanline(y));
        if (!d) continue;
        if (direction != 0) {
          std::memcpy(d, &rows[len * size_t(h - 1 - y)], len);
          continue;
        }
        const uint8_t* s = &rows[len * size_t(y)];
        std::memset(d, 0, len);
        for (int32_t x = 0; x < w; ++x) {
          if (bits == 1)
            IESetBit1(d, x, IEGetBit1(s, w - 1 - x));
          else
            std::memcpy(d + size_t(x) * bytes, s + size_t(w - 1 - x) * bytes, bytes);
        }
      }
    }
    const bool opaque = b.FullyOpaque();
    b.AssignImage(&out);
    b.SetFullyOpaque(opaque);  // mirroring changes no value
  };
  flip(bitmap);
  if (bitmap.HasAlphaChannel()) flip(*bitmap.GetAlphaChannel());
}

void IERotate(TIEBitmap& bitmap, double angle, bool antiAlias, int32_t quality, TColor background,
              const TIEProcProgress& progress) {
  if (angle == 0 || bitmap.IsEmpty()) return;
  std::unique_ptr<TIEBitmap> alpha;
  if (bitmap.HasAlphaChannel()) alpha = TIEBitmap::CreateCopy(bitmap.GetAlphaChannel());
  const TIEPixelFormat format = bitmap.GetPixelFormat();
  if (!antiAlias || (format != ie24RGB && format != ie1g)) {
    RotateAnyFormat(bitmap, BackgroundValue(bitmap, background), progress, angle);
    if (alpha) RotateAnyFormat(*alpha, 0, {}, angle);
  } else if (quality != 0 && !IsMultipleOf90(angle) && format == ie24RGB) {
    RotateInterpolated24(bitmap, ColorToTRGB(background), quality, progress, angle);
    if (alpha) RotateInterpolated8(*alpha, 0, quality, angle);
  } else {
    if (alpha) {
      if (format == ie1g)
        RotateGray8Nearest(*alpha, 0, angle);
      else
        RotateByShears8(*alpha, antiAlias, 0, {}, angle);
    }
    RotateByShears24(bitmap, antiAlias, progress, ColorToTRGB(background), angle);
  }
  if (alpha && alpha->GetWidth() == bitmap.GetWidth() && alpha->GetHeight() == bitmap.GetHeight()) {
    alpha->SetFullyOpaque(false);
    bitmap.GetAlphaChannel()->Assign(alpha.get());
  } else if (bitmap.HasAlphaChannel()) {
    bitmap.RemoveAlphaChannel(false, 0);
  }
}
