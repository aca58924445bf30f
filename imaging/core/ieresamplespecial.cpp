// The special resamplers: one-channel convolution (8-bit and 1-bit sources),
// fixed-point fast linear resampling, projections to 1 bit, area coverage for
// rfBilinear / rfBicubic, box averages of 1-bit images and the nearest-pixel
// stretch. Fixed-point fractions are in units of 1/131072 (17 bits).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "imaging/core/iepixels.h"
#include "imaging/core/ieprocutils.h"
#include "imaging/core/ieresample.h"

namespace {

constexpr int32_t kFracBits = 17;
constexpr double kFracOne = 131072.0;

bool EnsureFormat(TIEBitmap& bitmap, TIEPixelFormat format) {
  if (bitmap.GetPixelFormat() == format) return true;
  return bitmap.Allocate(bitmap.GetWidth(), bitmap.GetHeight(), format);
}


// Source rows as sample vectors: in ieFile a row address lives only until the
// next row access, so every row used is copied out first.
class TSourceRows {
 public:
  TSourceRows(TIEBitmap& b) : b_(b), len_(size_t(b.GetRowLen())), scope_(b, iedRead) {}
  const uint8_t* Row(int32_t y) {
    const auto* s = static_cast<const uint8_t*>(b_.GetScanline(y));
    if (!s) {
      buf_.assign(len_, 0);
      return buf_.data();
    }
    if (b_.Location() != ieFile) return s;
    buf_.assign(s, s + len_);
    return buf_.data();
  }

 private:
  TIEBitmap& b_;
  size_t len_;
  TIEAccessScope scope_;
  std::vector<uint8_t> buf_;
};

// ---- one-channel convolution ----

// Samples of one row: 8-bit bytes, or 1-bit pixels read as 0 / 255.
void ReadChannelRow(const uint8_t* s, bool bits, int32_t width, uint8_t* out) {
  if (!bits) {
    std::memcpy(out, s, size_t(width));
    return;
  }
  for (int32_t x = 0; x < width; ++x) out[x] = IEGetBit1(s, x) ? 255 : 0;
}

// The two-pass convolution with one channel on the calling thread; the
// destination value goes to one byte (8-bit dest) or a gray triple (24-bit).
void ConvolveOneChannel(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter, bool bits, bool tripleOut) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight(), dw = dest.GetWidth(), dh = dest.GetHeight();
  const TIEContributorList columns = IEBuildContributors(sw, dw, filter);
  const TIEContributorList rows = IEBuildContributors(sh, dh, filter);
  if (columns.empty() || rows.empty()) return;
  std::vector<uint8_t> work(size_t(dw) * size_t(sh));
  std::vector<uint8_t> line(static_cast<size_t>(sw));
  {
    TSourceRows src(source);
    for (int32_t y = 0; y < sh; ++y) {
      ReadChannelRow(src.Row(y), bits, sw, line.data());
      uint8_t* w = work.data() + size_t(y) * size_t(dw);
      for (int32_t x = 0; x < dw; ++x) {
        int32_t sum = 0, ws = 0;
        for (const TIEContributor& c : columns[size_t(x)]) {
          sum += c.Weight * line[size_t(c.Pixel)];
          ws += c.Weight;
        }
        if (ws == 0) ws = 256;
        w[x] = uint8_t(std::clamp(sum / ws, 0, 255));
      }
    }
  }
  TIEAccessScope writeOnly(dest, iedWrite);
  for (int32_t y = 0; y < dh; ++y) {
    auto* d = static_cast<uint8_t*>(dest.GetScanline(y));
    if (!d) continue;
    for (int32_t x = 0; x < dw; ++x) {
      int32_t sum = 0, ws = 0;
      for (const TIEContributor& c : rows[size_t(y)]) {
        sum += c.Weight * work[size_t(c.Pixel) * size_t(dw) + size_t(x)];
        ws += c.Weight;
      }
      const uint8_t v =
          ws != 0 ? uint8_t(std::clamp(sum / ws, 0, 255)) : uint8_t(std::min<uint32_t>(uint32_t(sum) >> 8, 255));
      if (tripleOut)
        d[x * 3] = d[x * 3 + 1] = d[x * 3 + 2] = v;
      else
        d[x] = v;
    }
  }
}

// ---- fast linear ----

struct TColumnStep {
  int32_t left;
  int32_t fraction;  // 1/131072 units
  int32_t boxEnd;
};

// The same rule for rows (withEpsilon false) and columns (true).
std::vector<TColumnStep> FastLinearSteps(int32_t sourceLength, int32_t destLength, bool withEpsilon) {
  std::vector<TColumnStep> steps(static_cast<size_t>(destLength));
  const double scale = double(destLength) / sourceLength;
  for (int32_t i = 0; i < destLength; ++i) {
    const double position = i / scale;
    const auto left = int32_t(position);
    const auto fraction = int32_t((position - left) * kFracOne);
    const double end = std::min(i + 1, destLength - 1) / scale + (withEpsilon ? 1e-10 : 0.0);
    steps[size_t(i)] = {std::min(left, sourceLength - 1), fraction,
                        std::clamp(int32_t(end), std::min(left, sourceLength - 1), sourceLength - 1)};
  }
  return steps;
}

inline int32_t Lerp17(int32_t a, int32_t b, int32_t fraction) {
  return a + int32_t((int64_t(b - a) * fraction) >> kFracBits);  // arithmetic shift: floor
}

// Fast linear resampling of channels-byte pixels.
void FastLinear(TIEBitmap& source, TIEBitmap& dest, int32_t channels, const TIEProcProgress& progress) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight(), dw = dest.GetWidth(), dh = dest.GetHeight();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  if (double(dw) / sw == 1 && double(dh) / sh == 1) {
    dest.Assign(&source);
    return;
  }
  const bool enlargeX = double(dw) / sw > 1, enlargeY = double(dh) / sh > 1;
  const std::vector<TColumnStep> cols = FastLinearSteps(sw, dw, true);
  const std::vector<TColumnStep> rowSteps = FastLinearSteps(sh, dh, false);
  const size_t workRow = size_t(dw) * size_t(channels);
  std::vector<uint8_t> work(workRow * size_t(sh));
  const double t = 100 / (sh + dh + 0.5);
  TIEProgressReporter report(progress);
  {
    TSourceRows src(source);
    for (int32_t y = 0; y < sh; ++y) {
      const uint8_t* s = src.Row(y);
      uint8_t* w = work.data() + size_t(y) * workRow;
      for (int32_t i = 0; i < dw; ++i) {
        const TColumnStep& c = cols[size_t(i)];
        for (int32_t ch = 0; ch < channels; ++ch) {
          int32_t v;
          if (enlargeX) {
            const int32_t a = s[c.left * channels + ch], b = s[std::min(c.left + 1, sw - 1) * channels + ch];
            v = Lerp17(a, b, c.fraction);
          } else {
            int32_t sum = 0;
            for (int32_t x = c.left; x <= c.boxEnd; ++x) sum += s[x * channels + ch];
            v = sum / (c.boxEnd - c.left + 1);
          }
          w[size_t(i) * size_t(channels) + size_t(ch)] = uint8_t(v);
        }
      }
      report(int32_t(t * y));
    }
  }
  TIEAccessScope writeOnly(dest, iedWrite);
  for (int32_t j = 0; j < dh; ++j) {
    auto* d = static_cast<uint8_t*>(dest.GetScanline(j));
    if (d) {
      const TColumnStep& r = rowSteps[size_t(j)];
      const uint8_t* a = work.data() + size_t(r.left) * workRow;
      const uint8_t* b = work.data() + size_t(std::min(r.left + 1, sh - 1)) * workRow;
      for (size_t k = 0; k < workRow; ++k) {
        if (enlargeY) {
          d[k] = uint8_t(Lerp17(a[k], b[k], r.fraction));
        } else {
          int32_t sum = 0;
          for (int32_t y = r.left; y <= r.boxEnd; ++y) sum += work[size_t(y) * workRow + k];
          d[k] = uint8_t(sum / (r.boxEnd - r.left + 1));
        }
      }
    }
    report(int32_t(t * (sh + j)));
  }
}

// ---- area coverage ----

// One axis cut at every source and destination pixel boundary (in source
// units; destination boundaries at multiples of the ratio).
struct TSegment {
  int32_t source;  // source pixel the segment lies in
  int32_t dest;    // destination pixel it belongs to
  double length;
  double fraction;  // where it ends inside the source pixel; 1.0 at a source boundary
  bool endsDest;
};

std::vector<TSegment> CutAxis(int32_t sourceLength, int32_t destLength) {
  std::vector<TSegment> out;
  out.reserve(size_t(sourceLength) + size_t(destLength));
  const double ratio = double(sourceLength) / destLength;
  double p = 0;
  int32_t s = 0, d = 0;
  while (d < destLength) {
    const double nextSource = s + 1, nextDest = (d + 1) * ratio;
    const int32_t si = std::min(s, sourceLength - 1);
    if (nextSource + 0.0001 >= nextDest) {
      out.push_back({si, d, nextDest - p, nextDest - s, true});
      p = nextDest;
      ++d;
    } else {
      out.push_back({si, d, nextSource - p, 1.0, false});
      p = nextSource;
      ++s;
    }
  }
  return out;
}

// A window of source rows as int samples, rows clamped into the image.
class TRowWindow {
 public:
  TRowWindow(TIEBitmap& b, int32_t samplesPerRow, bool sixteen)
      : src_(b), h_(b.GetHeight()), n_(samplesPerRow), sixteen_(sixteen) {}
  const int32_t* Row(int32_t y) {
    y = std::clamp(y, 0, h_ - 1);
    for (auto& e : cache_)
      if (e.row == y) return e.samples.data();
    TEntry& e = cache_[next_];
    next_ = (next_ + 1) % cache_.size();
    e.row = y;
    e.samples.resize(size_t(n_));
    const uint8_t* s = src_.Row(y);
    for (int32_t i = 0; i < n_; ++i) {
      if (sixteen_) {
        uint16_t v;
        std::memcpy(&v, s + size_t(i) * 2, 2);
        e.samples[size_t(i)] = v;
      } else {
        e.samples[size_t(i)] = s[i];
      }
    }
    return e.samples.data();
  }

 private:
  struct TEntry {
    int32_t row = -1;
    std::vector<int32_t> samples;
  };
  TSourceRows src_;
  int32_t h_;
  int32_t n_;
  bool sixteen_;
  std::array<TEntry, 5> cache_{};
  size_t next_ = 0;
};

void AreaResample(TIEBitmap& source, TIEBitmap& dest, TIEBitmap* sourceAlpha, bool bicubic, int32_t channels,
                  bool sixteen, const TIEProcProgress& progress) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight(), dw = dest.GetWidth(), dh = dest.GetHeight();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || &source == &dest) return;
  const double maxValue = sixteen ? 65535 : 255;
  const double rx = double(sw) / dw, ry = double(sh) / dh;
  const bool enlargeX = rx < 1, enlargeY = ry < 1;
  const int mode = enlargeX && enlargeY ? 0 : enlargeX ? 1 : enlargeY ? 2 : 3;
  const std::vector<TSegment> xs = CutAxis(sw, dw);
  const std::vector<TSegment> ys = CutAxis(sh, dh);
  const bool alphaRule = mode == 0 && !bicubic && channels == 3 && sourceAlpha && sourceAlpha != &source &&
                         sourceAlpha->GetWidth() == sw && sourceAlpha->GetHeight() == sh;
  TRowWindow rows(source, sw * channels, sixteen);
  std::unique_ptr<TRowWindow> alphaRows;
  if (alphaRule) alphaRows = std::make_unique<TRowWindow>(*sourceAlpha, sw, false);
  std::vector<double> acc(size_t(dw) * size_t(channels), 0.0);
  const double norm = 1 / (rx * ry);
  TIEProgressReporter report(progress);
  TIEAccessScope writeOnly(dest, iedWrite);
  int32_t rowsDone = 0;
  const auto at = [&](const int32_t* row, int32_t x, int32_t ch) {
    return double(row[std::clamp(x, 0, sw - 1) * channels + ch]);
  };
  for (const TSegment& vy : ys) {
    const int32_t sy = vy.source;
    const int32_t* above = rows.Row(sy - 1);
    const int32_t* cur = rows.Row(sy);
    const int32_t* below = rows.Row(sy + 1);
    const int32_t* below2 = rows.Row(sy + 2);
    const int32_t* aCur = nullptr;
    const int32_t* aBelow = nullptr;
    if (alphaRows) {
      aCur = alphaRows->Row(sy);
      aBelow = alphaRows->Row(sy + 1);
    }
    const double fy = vy.fraction;
    if (vy.length != 0) {
      for (const TSegment& hx : xs) {
        if (hx.length == 0) continue;
        const int32_t sx = hx.source;
        const double fx = hx.fraction, weight = hx.length * vy.length;
        double* a = acc.data() + size_t(hx.dest) * size_t(channels);
        // Mode 0, bilinear, colour with alpha: when the four neighbours' alpha
        // weights differ, the last one outweighing another gives all four samples.
        int32_t only = -1;
        if (alphaRule) {
          const double w[4] = {aCur[sx] / 255.0, aCur[std::min(sx + 1, sw - 1)] / 255.0, aBelow[sx] / 255.0,
                               aBelow[std::min(sx + 1, sw - 1)] / 255.0};
          const double lowest = std::min({w[0], w[1], w[2], w[3]});
          for (int32_t k = 0; k < 4; ++k)
            if (w[k] > lowest) only = k;
        }
        for (int32_t ch = 0; ch < channels; ++ch) {
          const double p = at(cur, sx, ch);
          double v;
          if (bicubic) {
            const auto h = [&](const int32_t* r) {
              return CubicConvolution(at(r, sx - 1, ch), at(r, sx, ch), at(r, sx + 1, ch), maxValue, 0,
                                      at(r, sx + 2, ch), fx);
            };
            if (mode == 0)
              v = CubicConvolution(std::nearbyint(h(above)), std::nearbyint(h(cur)), std::nearbyint(h(below)), maxValue,
                                   0, std::nearbyint(h(below2)), fy);
            else if (mode == 1)
              v = h(cur);
            else if (mode == 2)
              v = CubicConvolution(at(above, sx, ch), p, at(below, sx, ch), maxValue, 0, at(below2, sx, ch), fy);
            else
              v = p;
          } else {
            const double r = at(cur, sx + 1, ch), l = at(below, sx, ch), lr = at(below, sx + 1, ch);
            if (mode == 0) {
              if (only >= 0) {
                const double pick[4] = {p, r, l, lr};
                v = pick[only];
              } else {
                v = (1 - fx) * (1 - fy) * p + fx * (1 - fy) * r + (1 - fx) * fy * l + fx * fy * lr;
              }
            } else if (mode == 1) {
              v = (1 - fx) * p + fx * r;
            } else if (mode == 2) {
              v = (1 - fy) * p + fy * l;
            } else {
              v = p;
            }
          }
          a[ch] += v * weight;
        }
      }
    }
    if (!vy.endsDest) continue;
    auto* d = static_cast<uint8_t*>(dest.GetScanline(vy.dest));
    if (d) {
      for (size_t k = 0; k < acc.size(); ++k) {
        const double v = std::clamp(std::nearbyint(acc[k] * norm), 0.0, maxValue);
        if (sixteen) {
          const auto w = uint16_t(v);
          std::memcpy(d + k * 2, &w, 2);
        } else {
          d[k] = uint8_t(v);
        }
      }
    }
    std::fill(acc.begin(), acc.end(), 0.0);
    ++rowsDone;
    report(int32_t(double(rowsDone) / dh * 100));
  }
}

// ---- projections ----

void Project(TIEBitmap& source, TIEBitmap& dest, bool whiteWins, bool oneBit, const TIEProcProgress& progress) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight();
  if (sw <= 0 || sh <= 0 || dest.GetWidth() <= 0 || dest.GetHeight() <= 0 || &source == &dest) return;
  if (!EnsureFormat(dest, ie1g)) return;
  const int32_t dw = dest.GetWidth(), dh = dest.GetHeight();
  std::vector<int32_t> xmap(static_cast<size_t>(dw)), ymap(static_cast<size_t>(dh));
  for (int32_t i = 0; i < dw; ++i) xmap[size_t(i)] = std::min(int32_t(double(sw) / dw * i), sw - 1);
  for (int32_t j = 0; j < dh; ++j) ymap[size_t(j)] = std::min(int32_t(double(sh) / dh * j), sh - 1);
  const auto decisive = [&](const uint8_t* s, int32_t x) {
    if (oneBit) return IEGetBit1(s, x) == whiteWins;
    const uint8_t* p = s + size_t(x) * 3;
    return whiteWins ? p[0] > 128 && p[1] > 128 && p[2] > 128 : p[0] < 128 && p[1] < 128 && p[2] < 128;
  };
  TSourceRows src(source);
  TIEAccessScope writeOnly(dest, iedWrite);
  TIEProgressReporter report(progress);
  std::vector<uint8_t> hit(static_cast<size_t>(dw));
  for (int32_t j = 0; j < dh; ++j) {
    std::fill(hit.begin(), hit.end(), 0);
    const int32_t y0 = j == 0 ? 0 : ymap[size_t(j - 1)], y1 = ymap[size_t(j)];
    for (int32_t y = y0; y <= y1; ++y) {
      const uint8_t* s = src.Row(y);
      for (int32_t i = 0; i < dw; ++i) {
        if (hit[size_t(i)]) continue;
        const int32_t x0 = i == 0 ? 0 : xmap[size_t(i - 1)], x1 = xmap[size_t(i)];
        for (int32_t x = x0; x <= x1; ++x)
          if (decisive(s, x)) {
            hit[size_t(i)] = 1;
            break;
          }
      }
    }
    auto* d = static_cast<uint8_t*>(dest.GetScanline(j));
    if (d) {
      std::memset(d, whiteWins ? 0 : 0xFF, size_t(dest.GetRowLen()));
      for (int32_t i = 0; i < dw; ++i)
        if (hit[size_t(i)]) IESetBit1(d, i, whiteWins);
    }
    report(int32_t(j * 100 / (dh + 0.5)));
  }
}

}  // namespace

void ResampleGray8(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight();
  if (sw <= 0 || sh <= 0 || dest.GetWidth() <= 0 || dest.GetHeight() <= 0 || &source == &dest) return;
  if (source.GetPixelFormat() != ie8g || !EnsureFormat(dest, ie8g)) return;
  switch (filter) {
    case rfBilinear:
    case rfBicubic:
      _ResampleEx(source, dest, nullptr, {}, filter);
      return;
    case rfFastLinear:
    case rfProjectBW:
    case rfProjectWB:
      FastLinearResample8(source, dest);
      return;
    case rfNone:
      _IEBmpStretchEx(source, dest);
      return;
    default:
      if (sw == 1 && sh == 1) return;
      ConvolveOneChannel(source, dest, filter, false, false);
      return;
  }
}

void _Resample1BitEx(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight();
  if (sw <= 0 || sh <= 0 || dest.GetWidth() <= 0 || dest.GetHeight() <= 0 || &source == &dest) return;
  if (source.GetPixelFormat() != ie1g) return;
  switch (filter) {
    case rfFastLinear:
    case rfBilinear:
    case rfBicubic:
      FastLinearResample1BitToGray(source, dest);
      return;
    case rfProjectBW:
    case rfProjectWB:
      ProjectToBilevel1Bit(source, dest, filter == rfProjectWB);
      return;
    case rfNone:
      if (EnsureFormat(dest, ie1g)) _IEBmpStretchEx(source, dest);
      return;
    default:
      if (sw == 1 && sh == 1) return;
      if (!EnsureFormat(dest, ie24RGB)) return;
      ConvolveOneChannel(source, dest, filter, true, true);
      return;
  }
}

void FastLinearResample24(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress) {
  if (&source == &dest || source.GetPixelFormat() != ie24RGB || !EnsureFormat(dest, ie24RGB)) return;
  FastLinear(source, dest, 3, progress);
}

void FastLinearResample8(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress) {
  if (&source == &dest || source.GetPixelFormat() != ie8g || !EnsureFormat(dest, ie8g)) return;
  FastLinear(source, dest, 1, progress);
}

void FastLinearResample1BitToGray(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight(), dw = dest.GetWidth(), dh = dest.GetHeight();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || &source == &dest || source.GetPixelFormat() != ie1g) return;
  const double sx = double(dw) / sw, sy = double(dh) / sh;
  if (sx == 1 && sy == 1) {
    dest.Assign(&source);
    return;
  }
  if (!EnsureFormat(dest, ie24RGB)) return;
  if (sx < 1 && sy < 1) {
    Average1BitToGray(source, 0, 0, sw - 1, sh - 1, dest);
    return;
  }
  const std::vector<TColumnStep> cols = FastLinearSteps(sw, dw, false);
  const std::vector<TColumnStep> rowSteps = FastLinearSteps(sh, dh, false);
  std::vector<uint8_t> work(size_t(dw) * size_t(sh));
  const double t = 100 / (sh + dh + 0.5);
  TIEProgressReporter report(progress);
  {
    TSourceRows src(source);
    for (int32_t y = 0; y < sh; ++y) {
      const uint8_t* s = src.Row(y);
      for (int32_t i = 0; i < dw; ++i) {
        const TColumnStep& c = cols[size_t(i)];
        const int32_t a = IEGetBit1(s, c.left) ? 255 : 0, b = IEGetBit1(s, std::min(c.left + 1, sw - 1)) ? 255 : 0;
        work[size_t(y) * size_t(dw) + size_t(i)] = uint8_t(Lerp17(a, b, c.fraction));
      }
      report(int32_t(t * y));
    }
  }
  TIEAccessScope writeOnly(dest, iedWrite);
  for (int32_t j = 0; j < dh; ++j) {
    auto* d = static_cast<uint8_t*>(dest.GetScanline(j));
    if (d) {
      const TColumnStep& r = rowSteps[size_t(j)];
      const uint8_t* a = work.data() + size_t(r.left) * size_t(dw);
      const uint8_t* b = work.data() + size_t(std::min(r.left + 1, sh - 1)) * size_t(dw);
      for (int32_t i = 0; i < dw; ++i) d[i * 3] = d[i * 3 + 1] = d[i * 3 + 2] = uint8_t(Lerp17(a[i], b[i], r.fraction));
    }
    report(int32_t(t * (sh + j)));
  }
}

void ProjectToBilevel24(TIEBitmap& source, TIEBitmap& dest, bool whiteWins, const TIEProcProgress& progress) {
  if (source.GetPixelFormat() != ie24RGB) return;
  Project(source, dest, whiteWins, false, progress);
}

void ProjectToBilevel1Bit(TIEBitmap& source, TIEBitmap& dest, bool whiteWins, const TIEProcProgress& progress) {
  if (source.GetPixelFormat() != ie1g) return;
  Project(source, dest, whiteWins, true, progress);
}

void AreaResample8(TIEBitmap& source, TIEBitmap& dest, TIEBitmap* sourceAlpha, bool bicubic,
                   const TIEProcProgress& progress) {
  const TIEPixelFormat f = source.GetPixelFormat();
  if ((f != ie8g && f != ie24RGB) || !EnsureFormat(dest, f)) return;
  AreaResample(source, dest, sourceAlpha, bicubic, f == ie8g ? 1 : 3, false, progress);
}

void AreaResample16(TIEBitmap& source, TIEBitmap& dest, bool bicubic, const TIEProcProgress& progress) {
  const TIEPixelFormat f = source.GetPixelFormat();
  if ((f != ie16g && f != ieRGB48) || !EnsureFormat(dest, f)) return;
  AreaResample(source, dest, nullptr, bicubic, f == ie16g ? 1 : 3, true, progress);
}

void Average1BitToGray(TIEBitmap& source, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TIEBitmap& dest) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight(), dw = dest.GetWidth(), dh = dest.GetHeight();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || &source == &dest) return;
  if (source.GetPixelFormat() != ie1g || dest.GetPixelFormat() != ie24RGB) return;
  const double fx = (double(x2) - x1 + 1) / dw, fy = (double(y2) - y1 + 1) / dh;
  // Ranges stay inside the rectangle and inside the image.
  const int64_t cx0 = std::max<int64_t>(x1, 0), cx1 = std::min<int64_t>(x2, sw - 1);
  const int64_t cy0 = std::max<int64_t>(y1, 0), cy1 = std::min<int64_t>(y2, sh - 1);
  if (cx0 > cx1 || cy0 > cy1 || fx <= 0 || fy <= 0) return;
  std::vector<int32_t> c0(static_cast<size_t>(dw)), c1(static_cast<size_t>(dw));
  for (int32_t i = 0; i < dw; ++i) {
    c0[size_t(i)] = int32_t(std::clamp<int64_t>(x1 + int64_t(fx * i - fx / 2), cx0, cx1));
    c1[size_t(i)] = int32_t(std::clamp<int64_t>(x1 + int64_t(fx / 2 + fx * i), cx0, cx1));
  }
  // A copy of the covered rows: the image is read many times over.
  const int32_t rows = int32_t(cy1 - cy0 + 1);
  std::vector<std::vector<uint8_t>> bits(static_cast<size_t>(rows));
  {
    TSourceRows src(source);
    for (int32_t y = 0; y < rows; ++y) {
      const uint8_t* s = src.Row(int32_t(cy0) + y);
      bits[size_t(y)].resize(size_t(sw));
      for (int32_t x = 0; x < sw; ++x) bits[size_t(y)][size_t(x)] = IEGetBit1(s, x) ? 1 : 0;
    }
  }
  TIEAccessScope writeOnly(dest, iedWrite);
  for (int32_t j = 0; j < dh; ++j) {
    const int64_t r0 = std::clamp<int64_t>(y1 + int64_t(fy * j - fy / 2), cy0, cy1);
    const int64_t r1 = std::clamp<int64_t>(y1 + int64_t(std::trunc(fy) / 2 + fy * j), cy0, cy1);
    auto* d = static_cast<uint8_t*>(dest.GetScanline(j));
    if (!d) continue;
    for (int32_t i = 0; i < dw; ++i) {
      int64_t set = 0, count = 0;
      for (int64_t y = r0; y <= r1; ++y) {
        const std::vector<uint8_t>& row = bits[size_t(y - cy0)];
        for (int32_t x = c0[size_t(i)]; x <= c1[size_t(i)]; ++x) set += row[size_t(x)];
        count += c1[size_t(i)] - c0[size_t(i)] + 1;
      }
      const auto v = uint8_t(count > 0 ? set * 255 / count : 0);
      d[i * 3] = d[i * 3 + 1] = d[i * 3 + 2] = v;
    }
  }
}

void _IEBmpStretchEx(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress) {
  const int32_t dw = dest.GetWidth(), dh = dest.GetHeight(), sw = source.GetWidth(), sh = source.GetHeight();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || &source == &dest) return;
  const TIEPixelFormat format = source.GetPixelFormat();
  if (!EnsureFormat(dest, format)) return;
  if (format == ie8p) source.CopyPaletteTo(&dest);
  const int32_t bits = source.GetBitCount();
  const size_t bytes = size_t(bits / 8);
  std::vector<int32_t> xmap(static_cast<size_t>(dw));
  for (int32_t i = 0; i < dw; ++i) xmap[size_t(i)] = std::min(int32_t(double(sw) / dw * i), sw - 1);
  TSourceRows src(source);
  TIEAccessScope writeOnly(dest, iedWrite);
  TIEProgressReporter report(progress);
  for (int32_t j = 0; j < dh; ++j) {
    const uint8_t* s = src.Row(std::min(int32_t(double(sh) / dh * j), sh - 1));
    auto* d = static_cast<uint8_t*>(dest.GetScanline(j));
    if (d) {
      if (bits == 1) {
        for (int32_t i = 0; i < dw; ++i) IESetBit1(d, i, IEGetBit1(s, xmap[size_t(i)]));
      } else {
        for (int32_t i = 0; i < dw; ++i) std::memcpy(d + size_t(i) * bytes, s + size_t(xmap[size_t(i)]) * bytes, bytes);
      }
    }
    report(int32_t(j * 100 / (dh + 0.5)));
  }
}

double CubicConvolution(double p0, double p1, double p2, double max, double min, double p3, double t) {
  const auto k = [](double x) {
    x = std::fabs(x);
    if (x < 1) return x * x * x - 2 * x * x + 1;
    if (x < 2) return -x * x * x + 5 * x * x - 8 * x + 4;
    return 0.0;
  };
  const double v = p0 * k(t + 1) + p1 * k(t) + p2 * k(t - 1) + p3 * k(t - 2);
  return v < min ? min : v > max ? max : v;
}

std::vector<double> AlphaRowToWeights(const uint8_t* row, int32_t count) {
  std::vector<double> w(static_cast<size_t>(std::max(count, 0)));
  for (int32_t i = 0; i < count; ++i) w[size_t(i)] = row[i] / 255.0;
  return w;
}

std::vector<double> UnitWeights(int32_t count) {
  return std::vector<double>(static_cast<size_t>(std::max(count, 0)), 1.0);
}
