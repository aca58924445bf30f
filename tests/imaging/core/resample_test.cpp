// Resampling against direct evaluations of the filters, the fixed-point
// rules and the area coverage written out here, and the filtered drawing of
// the renderer, which goes through them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/iepixels.h"
#include "imaging/core/ierender.h"
#include "imaging/core/iecolorconv.h"
#include "imaging/core/ieprocutils.h"
#include "imaging/core/ieresample.h"
#include "tests/support/testsupport.h"

namespace {

// Samples of an image, top row first: ch per pixel (blue, green, red for 24-bit).
struct Img {
  int w = 0, h = 0, ch = 1;
  std::vector<int> v;
  Img(int width, int height, int channels) : w(width), h(height), ch(channels), v(size_t(w * h * ch)) {}
  int& at(int x, int y, int c) { return v[size_t((y * w + x) * ch + c)]; }
  int at(int x, int y, int c) const { return v[size_t((y * w + x) * ch + c)]; }
};

std::unique_ptr<TIEBitmap> RandomBitmap(int w, int h, TIEPixelFormat f, uint32_t seed) {
  auto b = TIEBitmap::CreateSized(w, h, f);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(b->GetScanline(y));
    for (int i = 0; i < b->GetRowLen(); ++i) row[i] = uint8_t(rng());
  }
  return b;
}

// The samples of a bitmap: 8-bit bytes, 16-bit words, 1-bit pixels as 0 / 255.
Img Samples(TIEBitmap& b) {
  const TIEPixelFormat f = b.GetPixelFormat();
  const int ch = f == ie24RGB || f == ieRGB48 ? 3 : 1;
  Img img(b.GetWidth(), b.GetHeight(), ch);
  for (int y = 0; y < img.h; ++y) {
    const auto* row = static_cast<const uint8_t*>(b.GetScanline(y));
    for (int x = 0; x < img.w; ++x)
      for (int c = 0; c < ch; ++c) {
        int s;
        if (f == ie1g) {
          s = IEGetBit1(row, x) ? 255 : 0;
        } else if (f == ie16g || f == ieRGB48) {
          uint16_t word;
          std::memcpy(&word, row + (x * ch + c) * 2, 2);
          s = word;
        } else {
          s = row[x * ch + c];
        }
        img.at(x, y, c) = s;
      }
  }
  return img;
}

::testing::AssertionResult SameImage(const Img& want, TIEBitmap& b) {
  const Img got = Samples(b);
  if (got.w != want.w || got.h != want.h || got.ch != want.ch)
    return ::testing::AssertionFailure() << "size " << got.w << "x" << got.h << "x" << got.ch << ", want " << want.w
                                         << "x" << want.h << "x" << want.ch;
  int bad = 0;
  ::testing::AssertionResult r = ::testing::AssertionSuccess();
  for (int y = 0; y < want.h; ++y)
    for (int x = 0; x < want.w; ++x)
      for (int c = 0; c < want.ch; ++c)
        if (got.at(x, y, c) != want.at(x, y, c)) {
          if (bad == 0) r = ::testing::AssertionFailure();
          if (++bad <= 4)
            r << "(" << x << "," << y << "," << c << ") got " << got.at(x, y, c) << " want " << want.at(x, y, c)
              << "; ";
        }
  if (bad) r << bad << " samples differ";
  return r;
}

// ---- the kernel convolution, written out ----

double Kernel(TResampleFilter f, double x) {
  const double a = std::fabs(x);
  const auto sinc = [](double t) { return t == 0 ? 1.0 : std::sin(M_PI * t) / (M_PI * t); };
  switch (f) {
    case rfTriangle:
      return a < 1 ? 1 - a : 0;
    case rfHermite:
      return a < 1 ? (2 * a - 3) * a * a + 1 : 0;
    case rfBell:
      return a < 0.5 ? 0.75 - a * a : a < 1.5 ? 0.5 * (a - 1.5) * (a - 1.5) : 0;
    case rfBSpline:
      return a < 1 ? a * a * a / 2 - a * a + 2.0 / 3 : a < 2 ? (2 - a) * (2 - a) * (2 - a) / 6 : 0;
    case rfLanczos3:
      return a < 3 ? sinc(x) * sinc(x / 3) : 0;
    case rfMitchell:
      return a < 1   ? (7 * a * a * a - 12 * a * a + 16.0 / 3) / 6
             : a < 2 ? (-7.0 / 3 * a * a * a + 12 * a * a - 20 * a + 32.0 / 3) / 6
                     : 0;
    case rfNearest:
      return x > -0.5 && x <= 0.5 ? 1 : 0;
    case rfLinear:
      return x >= -1 && x < 0 ? x + 1 : x >= 0 && x < 1 ? 1 - x : 0;
    default:
      return 0;
  }
}
double Support(TResampleFilter f) {
  switch (f) {
    case rfBell:
      return 1.5;
    case rfBSpline:
    case rfMitchell:
      return 2;
    case rfLanczos3:
      return 3;
    default:
      return 1;
  }
}

struct Tap {
  int pixel, weight;
};
std::vector<std::vector<Tap>> Taps(int sn, int dn, TResampleFilter f) {
  const double scale = sn == 1 || dn == 1 ? double(dn) / sn : double(dn - 1) / (sn - 1);
  std::vector<std::vector<Tap>> out(static_cast<size_t>(dn));
  for (int i = 0; i < dn; ++i) {
    const double center = i / scale;
    const double width = scale >= 1 ? Support(f) : Support(f) / scale;
    for (long j = long(std::floor(center - width)); j <= long(std::ceil(center + width)); ++j) {
      const double factor = 1 / scale;
      const double w = scale >= 1 ? Kernel(f, center - j) * 256 : Kernel(f, (center - j) / factor) * 256 / factor;
      const int weight = int(std::nearbyint(w));
      if (weight == 0) continue;
      long n = j < 0 ? -j : j >= sn ? 2L * sn - 1 - j : j;
      out[size_t(i)].push_back({int(std::clamp<long>(n, 0, sn - 1)), weight});
    }
  }
  return out;
}

Img RefConvolve(const Img& s, int dw, int dh, TResampleFilter f) {
  const auto cols = Taps(s.w, dw, f), rows = Taps(s.h, dh, f);
  Img mid(dw, s.h, s.ch), out(dw, dh, s.ch);
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < dw; ++x)
      for (int c = 0; c < s.ch; ++c) {
        int sum = 0, ws = 0;
        for (const Tap& t : cols[size_t(x)]) sum += t.weight * s.at(t.pixel, y, c), ws += t.weight;
        mid.at(x, y, c) = std::clamp(sum / (ws == 0 ? 256 : ws), 0, 255);
      }
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x)
      for (int c = 0; c < s.ch; ++c) {
        int sum = 0, ws = 0;
        for (const Tap& t : rows[size_t(y)]) sum += t.weight * mid.at(x, t.pixel, c), ws += t.weight;
        out.at(x, y, c) = ws != 0 ? std::clamp(sum / ws, 0, 255) : int(std::min<unsigned>(unsigned(sum) >> 8, 255));
      }
  return out;
}

// ---- fixed-point fast linear ----

Img RefFastLinear(const Img& s, int dw, int dh) {
  const double sx = double(dw) / s.w, sy = double(dh) / s.h;
  Img mid(dw, s.h, s.ch), out(dw, dh, s.ch);
  for (int y = 0; y < s.h; ++y)
    for (int i = 0; i < dw; ++i) {
      const double pos = i / sx;
      const int left = int(pos), frac = int((pos - left) * 131072);
      const int end = int(std::min(i + 1, dw - 1) / sx + 1e-10);
      for (int c = 0; c < s.ch; ++c) {
        if (sx > 1) {
          const int a = s.at(left, y, c), b = s.at(std::min(left + 1, s.w - 1), y, c);
          mid.at(i, y, c) = a + int(std::floor((b - a) * double(frac) / 131072));
        } else {
          int sum = 0;
          for (int x = left; x <= end; ++x) sum += s.at(x, y, c);
          mid.at(i, y, c) = sum / (end - left + 1);
        }
      }
    }
  for (int j = 0; j < dh; ++j) {
    const double pos = j / sy;
    const int top = int(pos), frac = int((pos - top) * 131072), end = int(std::min(j + 1, dh - 1) / sy);
    for (int x = 0; x < dw; ++x)
      for (int c = 0; c < s.ch; ++c) {
        if (sy > 1) {
          const int a = mid.at(x, top, c), b = mid.at(x, std::min(top + 1, s.h - 1), c);
          out.at(x, j, c) = a + int(std::floor((b - a) * double(frac) / 131072));
        } else {
          int sum = 0;
          for (int y = top; y <= end; ++y) sum += mid.at(x, y, c);
          out.at(x, j, c) = sum / (end - top + 1);
        }
      }
  }
  return out;
}

// ---- area coverage ----

struct Seg {
  int src, dst;
  double len, f;
  bool endsDest;
};
std::vector<Seg> Walk(int sn, int dn) {
  std::vector<Seg> out;
  const double ratio = double(sn) / dn;
  double p = 0;
  for (int s = 0, d = 0; d < dn;) {
    if (s + 1 + 0.0001 >= (d + 1) * ratio) {
      out.push_back({std::min(s, sn - 1), d, (d + 1) * ratio - p, (d + 1) * ratio - s, true});
      p = (d + 1) * ratio;
      ++d;
    } else {
      out.push_back({std::min(s, sn - 1), d, s + 1 - p, 1.0, false});
      p = s + 1;
      ++s;
    }
  }
  return out;
}

double Cubic(double p0, double p1, double p2, double p3, double t, double max) {
  const auto k = [](double x) {
    x = std::fabs(x);
    return x < 1 ? x * x * x - 2 * x * x + 1 : x < 2 ? -x * x * x + 5 * x * x - 8 * x + 4 : 0.0;
  };
  return std::clamp(p0 * k(t + 1) + p1 * k(t) + p2 * k(t - 1) + p3 * k(t - 2), 0.0, max);
}

Img RefArea(const Img& s, int dw, int dh, bool bicubic, double max, const Img* alpha = nullptr) {
  const double rx = double(s.w) / dw, ry = double(s.h) / dh;
  const int mode = rx < 1 && ry < 1 ? 0 : rx < 1 ? 1 : ry < 1 ? 2 : 3;
  const auto xs = Walk(s.w, dw), ys = Walk(s.h, dh);
  Img out(dw, dh, s.ch);
  const auto px = [&](int x, int y, int c) {
    return double(s.at(std::clamp(x, 0, s.w - 1), std::clamp(y, 0, s.h - 1), c));
  };
  for (int c = 0; c < s.ch; ++c)
    for (int j = 0; j < dh; ++j)
      for (int i = 0; i < dw; ++i) {
        double acc = 0;
        for (const Seg& vy : ys) {
          if (vy.dst != j) continue;
          for (const Seg& hx : xs) {
            if (hx.dst != i || hx.len == 0 || vy.len == 0) continue;
            const int x = hx.src, y = vy.src;
            const double fx = hx.f, fy = vy.f;
            double v;
            if (bicubic) {
              const auto row = [&](int yy) {
                return Cubic(px(x - 1, yy, c), px(x, yy, c), px(x + 1, yy, c), px(x + 2, yy, c), fx, max);
              };
              v = mode == 0   ? Cubic(std::nearbyint(row(y - 1)), std::nearbyint(row(y)), std::nearbyint(row(y + 1)),
                                      std::nearbyint(row(y + 2)), fy, max)
                  : mode == 1 ? row(y)
                  : mode == 2 ? Cubic(px(x, y - 1, c), px(x, y, c), px(x, y + 1, c), px(x, y + 2, c), fy, max)
                              : px(x, y, c);
            } else {
              double n[4] = {px(x, y, c), px(x + 1, y, c), px(x, y + 1, c), px(x + 1, y + 1, c)};
              if (mode == 0 && alpha && s.ch == 3) {
                const auto aw = [&](int xx, int yy) {
                  return alpha->at(std::clamp(xx, 0, s.w - 1), std::clamp(yy, 0, s.h - 1), 0) / 255.0;
                };
                const double w[4] = {aw(x, y), aw(x + 1, y), aw(x, y + 1), aw(x + 1, y + 1)};
                const double lo = std::min({w[0], w[1], w[2], w[3]});
                int pick = -1;
                for (int k = 0; k < 4; ++k)
                  if (w[k] > lo) pick = k;
                if (pick >= 0) n[0] = n[1] = n[2] = n[3] = n[pick];
              }
              v = mode == 0 ? (1 - fx) * (1 - fy) * n[0] + fx * (1 - fy) * n[1] + (1 - fx) * fy * n[2] + fx * fy * n[3]
                  : mode == 1 ? (1 - fx) * n[0] + fx * n[1]
                  : mode == 2 ? (1 - fy) * n[0] + fy * n[2]
                              : n[0];
            }
            acc += v * (hx.len * vy.len);
          }
        }
        out.at(i, j, c) = int(std::clamp(std::nearbyint(acc * (1 / (rx * ry))), 0.0, max));
      }
  return out;
}

// ---- projections, nearest pixels, 1-bit box averages ----

Img RefProject(const Img& s, int dw, int dh, bool whiteWins) {
  Img out(dw, dh, 1);
  const auto xm = [&](int i) { return int(double(s.w) / dw * i); };
  const auto ym = [&](int j) { return int(double(s.h) / dh * j); };
  for (int j = 0; j < dh; ++j)
    for (int i = 0; i < dw; ++i) {
      bool hit = false;
      for (int y = j == 0 ? 0 : ym(j - 1); y <= ym(j); ++y)
        for (int x = i == 0 ? 0 : xm(i - 1); x <= xm(i); ++x) {
          bool all = true;
          for (int c = 0; c < s.ch; ++c) all = all && (whiteWins ? s.at(x, y, c) > 128 : s.at(x, y, c) < 128);
          hit = hit || all;
        }
      out.at(i, j, 0) = hit == whiteWins ? 255 : 0;
    }
  return out;
}

Img RefNearest(const Img& s, int dw, int dh) {
  Img out(dw, dh, s.ch);
  for (int j = 0; j < dh; ++j)
    for (int i = 0; i < dw; ++i)
      for (int c = 0; c < s.ch; ++c) out.at(i, j, c) = s.at(int(double(s.w) / dw * i), int(double(s.h) / dh * j), c);
  return out;
}

Img RefAverage1Bit(const Img& bits, int x1, int y1, int x2, int y2, int dw, int dh) {
  Img out(dw, dh, 3);
  const double fx = double(x2 - x1 + 1) / dw, fy = double(y2 - y1 + 1) / dh;
  for (int j = 0; j < dh; ++j)
    for (int i = 0; i < dw; ++i) {
      const int c0 = std::clamp(x1 + int(fx * i - fx / 2), x1, x2), c1 = std::clamp(x1 + int(fx / 2 + fx * i), x1, x2);
      const int r0 = std::clamp(y1 + int(fy * j - fy / 2), y1, y2);
      const int r1 = std::clamp(y1 + int(std::trunc(fy) / 2 + fy * j), y1, y2);
      int set = 0, n = 0;
      for (int y = r0; y <= r1; ++y)
        for (int x = c0; x <= c1; ++x) set += bits.at(x, y, 0) ? 1 : 0, ++n;
      out.at(i, j, 0) = out.at(i, j, 1) = out.at(i, j, 2) = set * 255 / n;
    }
  return out;
}

// Gray triples from one-channel values.
Img Triples(const Img& g) {
  Img out(g.w, g.h, 3);
  for (size_t i = 0; i < g.v.size(); ++i) out.v[i * 3] = out.v[i * 3 + 1] = out.v[i * 3 + 2] = g.v[i];
  return out;
}

std::unique_ptr<TIEBitmap> Resampled(TIEBitmap& src, int dw, int dh, TResampleFilter f, TIEPixelFormat format) {
  auto dst = TIEBitmap::CreateSized(dw, dh, format);
  ResampleBitmap(src, *dst, f);
  return dst;
}

class ResampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedCores_ = IEProcessorCoresCache;
    savedThreshold_ = IEDefaultMemoryThreshold;
  }
  void TearDown() override {
    IEProcessorCoresCache = savedCores_;
    IEDefaultMemoryThreshold = savedThreshold_;
  }
  int32_t savedCores_ = -1;
  int64_t savedThreshold_ = -1;
};

const TResampleFilter kKernels[] = {rfTriangle, rfHermite,  rfBell,    rfBSpline,
                                    rfLanczos3, rfMitchell, rfNearest, rfLinear};

TEST_F(ResampleTest, EveryFilterHalvesALargeImageAsItsRuleSays) {
  auto src = RandomBitmap(1000, 750, ie24RGB, 1);
  const Img s = Samples(*src);
  for (TResampleFilter f : kKernels) {
    SCOPED_TRACE("filter " + std::to_string(int(f)));
    EXPECT_TRUE(SameImage(RefConvolve(s, 500, 375, f), *Resampled(*src, 500, 375, f, ie24RGB)));
  }
  EXPECT_TRUE(SameImage(RefFastLinear(s, 500, 375), *Resampled(*src, 500, 375, rfFastLinear, ie24RGB)));
  // At exactly half size every destination pixel covers a 2 x 2 block: its mean, halves to even.
  Img mean(500, 375, 3);
  for (int y = 0; y < 375; ++y)
    for (int x = 0; x < 500; ++x)
      for (int c = 0; c < 3; ++c)
        mean.at(x, y, c) = int(std::nearbyint((s.at(2 * x, 2 * y, c) + s.at(2 * x + 1, 2 * y, c) +
                                               s.at(2 * x, 2 * y + 1, c) + s.at(2 * x + 1, 2 * y + 1, c)) /
                                              4.0));
  EXPECT_TRUE(SameImage(mean, *Resampled(*src, 500, 375, rfBilinear, ie24RGB)));
  EXPECT_TRUE(SameImage(mean, *Resampled(*src, 500, 375, rfBicubic, ie24RGB)));
  EXPECT_TRUE(SameImage(RefProject(s, 500, 375, false), *Resampled(*src, 500, 375, rfProjectBW, ie1g)));
  EXPECT_TRUE(SameImage(RefProject(s, 500, 375, true), *Resampled(*src, 500, 375, rfProjectWB, ie1g)));
  EXPECT_TRUE(SameImage(RefNearest(s, 500, 375), *Resampled(*src, 500, 375, rfNone, ie24RGB)));
}

TEST_F(ResampleTest, KernelsOnSmallImagesEnlargedAndReduced) {
  struct Size {
    int sw, sh, dw, dh;
  };
  const Size sizes[] = {{7, 5, 17, 11}, {13, 9, 6, 4}, {9, 1, 4, 3}, {2, 2, 4, 4}, {5, 6, 5, 14}, {1, 8, 3, 3}};
  for (const Size& z : sizes) {
    auto src = RandomBitmap(z.sw, z.sh, ie24RGB, uint32_t(z.sw * 100 + z.dw));
    const Img s = Samples(*src);
    for (TResampleFilter f : kKernels) {
      SCOPED_TRACE(std::to_string(z.sw) + "x" + std::to_string(z.sh) + " to " + std::to_string(z.dw) + "x" +
                   std::to_string(z.dh) + ", filter " + std::to_string(int(f)));
      EXPECT_TRUE(SameImage(RefConvolve(s, z.dw, z.dh, f), *Resampled(*src, z.dw, z.dh, f, ie24RGB)));
    }
    EXPECT_TRUE(SameImage(RefFastLinear(s, z.dw, z.dh), *Resampled(*src, z.dw, z.dh, rfFastLinear, ie24RGB)));
  }
}

TEST_F(ResampleTest, NewSizeFromTheArguments) {
  auto src = RandomBitmap(400, 200, ie24RGB, 15);
  struct Case {
    int32_t newWidth, newHeight;
    bool keepAspect;
    int32_t w, h;
  };
  const Case cases[] = {
      {-1, 100, false, 200, 100},                             // width from the height as passed: 100 * 400 div 200
      {300, 300, true, 300, 150},                             // fitted into the box
      {100, 300, true, 100, 50},  {800, 0, false, 800, 200},  // 0 keeps the height
      {-50, 30, true, 50, 30},                                // keepAspect ignored below 1; magnitudes
      {0, 0, false, 400, 200},
  };
  for (const Case& c : cases) {
    TIEBitmap dst;
    IEResampleTo(*src, dst, c.newWidth, c.keepAspect, rfFastLinear, c.newHeight);
    EXPECT_EQ(dst.GetWidth(), c.w) << c.newWidth << " x " << c.newHeight;
    EXPECT_EQ(dst.GetHeight(), c.h) << c.newWidth << " x " << c.newHeight;
  }
  // Both negative: keepAspect does not count then, and nothing is made.
  TIEBitmap untouched;
  IEResampleTo(*src, untouched, -50, true, rfFastLinear, -1);
  EXPECT_TRUE(untouched.IsEmpty());
}

TEST_F(ResampleTest, EnlargingKeepsTheOuterColumns) {
  // Scale (4 - 1) / (2 - 1) = 3: destination columns 0 and 3 sit on source columns 0 and 1.
  auto src = RandomBitmap(2, 2, ie24RGB, 5);
  auto dst = Resampled(*src, 4, 4, rfTriangle, ie24RGB);
  for (int y : {0, 3})
    for (int x : {0, 3}) EXPECT_EQ(dst->GetPixel24(x, y), src->GetPixel24(x / 3, y / 3));
}

TEST_F(ResampleTest, AreaCoverageInEveryMode) {
  struct Size {
    int sw, sh, dw, dh;
  };
  // Both enlarged, horizontal only, vertical only, both reduced, and uneven ratios.
  const Size sizes[] = {{5, 4, 13, 9}, {6, 9, 14, 4}, {11, 3, 4, 8}, {17, 13, 6, 5}, {7, 7, 9, 7}};
  for (const Size& z : sizes)
    for (TIEPixelFormat f : {ie24RGB, ie8g, ie16g, ieRGB48})
      for (bool bicubic : {false, true}) {
        SCOPED_TRACE(std::to_string(z.sw) + "x" + std::to_string(z.sh) + " to " + std::to_string(z.dw) + "x" +
                     std::to_string(z.dh) + " format " + std::to_string(int(f)) + (bicubic ? " bicubic" : " bilinear"));
        auto src = RandomBitmap(z.sw, z.sh, f, uint32_t(z.dw * 7 + f));
        const bool sixteen = f == ie16g || f == ieRGB48;
        EXPECT_TRUE(SameImage(RefArea(Samples(*src), z.dw, z.dh, bicubic, sixteen ? 65535 : 255),
                              *Resampled(*src, z.dw, z.dh, bicubic ? rfBicubic : rfBilinear, f)));
      }
}

TEST_F(ResampleTest, AreaCoverageTakesTheOpaqueNeighbour) {
  auto src = RandomBitmap(4, 3, ie24RGB, 9);
  auto alpha = RandomBitmap(4, 3, ie8g, 10);
  alpha->SetPixelByte(1, 1, 255);
  alpha->SetPixelByte(2, 2, 0);
  auto dst = TIEBitmap::CreateSized(11, 7, ie24RGB);
  AreaResample8(*src, *dst, alpha.get(), false);
  const Img a = Samples(*alpha);
  EXPECT_TRUE(SameImage(RefArea(Samples(*src), 11, 7, false, 255, &a), *dst));
}

TEST_F(ResampleTest, ThreadCountDoesNotChangeTheResult) {
  auto src = RandomBitmap(301, 123, ie24RGB, 3);
  IEProcessorCoresCache = 1;
  auto one = Resampled(*src, 170, 211, rfLanczos3, ie24RGB);
  for (int32_t cores : {2, 3, 8, 200}) {
    IEProcessorCoresCache = cores;
    EXPECT_TRUE(SameImage(Samples(*one), *Resampled(*src, 170, 211, rfLanczos3, ie24RGB))) << cores << " cores";
  }
  const auto bands = IEResampleBands(10, 4);
  ASSERT_EQ(bands.size(), 4u);
  const int32_t want[][2] = {{0, 2}, {2, 2}, {4, 2}, {6, 4}};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(bands[k].FirstRow, want[k][0]);
    EXPECT_EQ(bands[k].RowCount, want[k][1]);
  }
  EXPECT_EQ(IEResampleBands(3, 8).size(), 3u);
  EXPECT_TRUE(IEResampleBands(0, 8).empty());
}

TEST_F(ResampleTest, FileBackedSourceResamplesAlike) {
  testsupport::TempDir tmp;
  std::optional<std::string> savedTmp;
  if (const char* old = std::getenv("TMPDIR")) savedTmp = old;
  setenv("TMPDIR", tmp.Path().c_str(), 1);
  auto src = RandomBitmap(64, 48, ie24RGB, 4);
  const Img s = Samples(*src);
  IEDefaultMemoryThreshold = 1000;
  TIEBitmap fileSrc;
  fileSrc.Assign(src.get());
  EXPECT_EQ(fileSrc.Location(), ieFile);
  for (TResampleFilter f : {rfMitchell, rfFastLinear, rfNone}) {
    auto dst = Resampled(fileSrc, 37, 29, f, ie24RGB);
    const Img want = f == rfMitchell     ? RefConvolve(s, 37, 29, f)
                     : f == rfFastLinear ? RefFastLinear(s, 37, 29)
                                         : RefNearest(s, 37, 29);
    EXPECT_TRUE(SameImage(want, *dst)) << "filter " << int(f);
  }
  if (savedTmp)
    setenv("TMPDIR", savedTmp->c_str(), 1);
  else
    unsetenv("TMPDIR");
}

TEST_F(ResampleTest, EdgeCases) {
  // A 1 x 1 source leaves the destination as it was.
  auto dot = RandomBitmap(1, 1, ie24RGB, 1);
  auto dst = TIEBitmap::CreateSized(3, 3, ie24RGB);
  dst->Fill(0x00010203);
  _ResampleEx(*dot, *dst, nullptr, {}, rfTriangle);
  EXPECT_EQ(dst->GetPixel24(2, 2), (TRGB{1, 2, 3}));
  // The same size is a copy.
  auto src = RandomBitmap(6, 5, ie24RGB, 2);
  EXPECT_TRUE(SameImage(Samples(*src), *Resampled(*src, 6, 5, rfLanczos3, ie24RGB)));
  // A palette image is resampled from its colours and becomes ie24RGB.
  auto pal = RandomBitmap(8, 6, ie8p, 3);
  for (int i = 0; i < 256; ++i) pal->SetPaletteColor(i, TRGB{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
  auto asColour = TIEBitmap::CreateSized(8, 6, ie24RGB);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) asColour->SetPixel24(x, y, pal->GetPaletteColor(pal->GetPixelByte(x, y)));
  auto out = Resampled(*pal, 5, 4, rfLanczos3, ie8p);
  EXPECT_EQ(out->GetPixelFormat(), ie24RGB);
  EXPECT_TRUE(SameImage(RefConvolve(Samples(*asColour), 5, 4, rfLanczos3), *out));
  // Nearest-pixel stretching keeps the palette.
  auto stretched = Resampled(*pal, 3, 9, rfNone, ie8p);
  EXPECT_EQ(stretched->GetPixelFormat(), ie8p);
  EXPECT_EQ(stretched->GetPaletteColor(77), pal->GetPaletteColor(77));
  EXPECT_TRUE(SameImage(RefNearest(Samples(*pal), 3, 9), *stretched));
  // An empty destination or source is left alone.
  TIEBitmap empty;
  _ResampleEx(*src, empty, nullptr, {}, rfTriangle);
  ResampleBitmap(empty, *dst, rfTriangle);
  EXPECT_EQ(dst->GetPixel24(2, 2), (TRGB{1, 2, 3}));
}

TEST_F(ResampleTest, AlphaChannelIsResampledAlong) {
  auto src = RandomBitmap(20, 14, ie24RGB, 6);
  auto alpha = RandomBitmap(20, 14, ie8g, 7);
  src->GetAlphaChannel()->Assign(alpha.get());
  for (TResampleFilter f : {rfHermite, rfFastLinear, rfBilinear, rfNone}) {
    auto dst = Resampled(*src, 9, 23, f, ie24RGB);
    ASSERT_TRUE(dst->HasAlphaChannel());
    const Img a = Samples(*alpha);
    const Img want = f == rfHermite      ? RefConvolve(a, 9, 23, f)
                     : f == rfFastLinear ? RefFastLinear(a, 9, 23)
                     : f == rfBilinear   ? RefArea(a, 9, 23, false, 255)
                                         : RefNearest(a, 9, 23);
    EXPECT_TRUE(SameImage(want, *dst->GetAlphaChannel())) << "filter " << int(f);
    EXPECT_FALSE(dst->GetAlphaChannel()->FullyOpaque());
  }
}

TEST_F(ResampleTest, OneBitSources) {
  auto bits = RandomBitmap(37, 23, ie1g, 8);
  const Img b = Samples(*bits);
  // The convolution reads a set pixel as 255 and gives gray triples.
  Img oneChannel(b.w, b.h, 1);
  oneChannel.v = b.v;
  EXPECT_TRUE(SameImage(Triples(RefConvolve(oneChannel, 15, 31, rfBell)), *Resampled(*bits, 15, 31, rfBell, ie24RGB)));
  // Reduced both ways: the box average; otherwise the interpolation of 0 / 255.
  EXPECT_TRUE(SameImage(RefAverage1Bit(b, 0, 0, 36, 22, 12, 9), *Resampled(*bits, 12, 9, rfFastLinear, ie24RGB)));
  auto up = Resampled(*bits, 50, 20, rfBilinear, ie24RGB);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) {
      const auto lerp = [](int a, int c, double pos) {
        const int l = int(pos), f = int((pos - l) * 131072);
        return a + int(std::floor((c - a) * double(f) / 131072));
      };
      const auto rowValue = [&](int sy) {
        const double pos = x / (50.0 / 37);
        const int l = int(pos);
        return lerp(b.at(l, sy, 0), b.at(std::min(l + 1, 36), sy, 0), pos);
      };
      const double pos = y / (20.0 / 23);
      const int t = int(pos);
      const int want = lerp(rowValue(t), rowValue(std::min(t + 1, 22)), pos);
      ASSERT_EQ(up->GetPixel24(x, y), (TRGB{uint8_t(want), uint8_t(want), uint8_t(want)})) << x << "," << y;
    }
  // Projections stay 1-bit.
  EXPECT_TRUE(SameImage(RefProject(b, 9, 6, true), *Resampled(*bits, 9, 6, rfProjectWB, ie1g)));
  EXPECT_TRUE(SameImage(RefProject(b, 9, 6, false), *Resampled(*bits, 9, 6, rfProjectBW, ie1g)));
}

TEST_F(ResampleTest, BlackProjectionKeepsAThinLine) {
  auto src = TIEBitmap::CreateSized(40, 40, ie24RGB);
  src->Fill(0xFFFFFF);
  for (int y = 0; y < 40; ++y) src->SetPixel24(17, y, TRGB{});
  auto dst = Resampled(*src, 10, 10, rfProjectBW, ie1g);
  int black = 0;
  for (int x = 0; x < 10; ++x) black += IEGetBit1(static_cast<const uint8_t*>(dst->GetScanline(5)), x) ? 0 : 1;
  EXPECT_EQ(black, 1);
}

// ---- filtered drawing ----

TEST_F(ResampleTest, FilteredDrawingResamplesTheSourceRectangle) {
  auto src = RandomBitmap(60, 50, ie24RGB, 11);
  auto dst = TIEBitmap::CreateSized(40, 30, ie24RGB);
  dst->Fill(0);
  src->RenderToTIEBitmap(*dst, nullptr, nullptr, nullptr, nullptr, 3, 2, 20, 15, 5, 4, 40, 30, true, false, 255,
                         rfTriangle, true, 0);
  Img part(40, 30, 3);
  const Img s = Samples(*src);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      for (int c = 0; c < 3; ++c) part.at(x, y, c) = s.at(x + 5, y + 4, c);
  const Img want = RefConvolve(part, 20, 15, rfTriangle);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 3 && x < 23 && y >= 2 && y < 17;
      const TRGB p = dst->GetPixel24(x, y);
      const int w[3] = {inside ? want.at(x - 3, y - 2, 0) : 0, inside ? want.at(x - 3, y - 2, 1) : 0,
                        inside ? want.at(x - 3, y - 2, 2) : 0};
      ASSERT_EQ(p, (TRGB{uint8_t(w[0]), uint8_t(w[1]), uint8_t(w[2])})) << x << "," << y;
    }
}

TEST_F(ResampleTest, FilteredDrawingMixesByTheResampledAlpha) {
  auto src = RandomBitmap(24, 18, ie24RGB, 12);
  auto alpha = RandomBitmap(24, 18, ie8g, 13);
  src->GetAlphaChannel()->Assign(alpha.get());
  auto dst = TIEBitmap::CreateSized(12, 9, ie24RGB);
  dst->Fill(0x00402010);
  src->RenderToTIEBitmap(*dst, nullptr, nullptr, nullptr, nullptr, 0, 0, 12, 9, 0, 0, 24, 18, true, false, 200,
                         rfHermite, true, 0);
  const Img colour = RefConvolve(Samples(*src), 12, 9, rfHermite), a = RefConvolve(Samples(*alpha), 12, 9, rfHermite);
  const int back[3] = {0x40, 0x20, 0x10};  // blue, green, red of the colour 0x00402010
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) {
      const int m = std::min(200, a.at(x, y, 0));
      const TRGB p = dst->GetPixel24(x, y);
      const uint8_t got[3] = {p.b, p.g, p.r};
      for (int c = 0; c < 3; ++c)
        ASSERT_EQ(got[c], back[c] + int(std::floor(m * (colour.at(x, y, c) - back[c]) / 256.0))) << x << "," << y;
    }
}

TEST_F(ResampleTest, FilteredDrawingOfOnePixelFillsWithIt) {
  auto dot = RandomBitmap(5, 5, ie24RGB, 16);
  auto dst = TIEBitmap::CreateSized(6, 4, ie24RGB);
  dst->Fill(0);
  dot->RenderToTIEBitmap(*dst, nullptr, nullptr, nullptr, nullptr, 0, 0, 6, 4, 2, 3, 1, 1, false, false, 255,
                         rfLanczos3, true, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(dst->GetPixel24(x, y), dot->GetPixel24(2, 3)) << x << "," << y;
}

TEST_F(ResampleTest, FilteredDrawingOfA1BitReductionAveragesBoxes) {
  auto bits = RandomBitmap(50, 40, ie1g, 14);
  auto dst = TIEBitmap::CreateSized(20, 20, ie24RGB);
  dst->Fill(0);
  bits->RenderToTIEBitmap(*dst, nullptr, nullptr, nullptr, nullptr, 0, 0, 20, 16, 2, 3, 45, 33, false, false, 255,
                          rfLanczos3, true, 0);
  const Img want = RefAverage1Bit(Samples(*bits), 2, 3, 46, 35, 20, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(dst->GetPixel24(x, y).g, want.at(x, y, 0)) << x << "," << y;
  EXPECT_EQ(dst->GetPixel24(3, 17), TRGB{});
}

}  // namespace
