// The gray Gaussian blur: against the two-pass convolution evaluated here from
// the kernel's definition, against a floating-point 2-D Gaussian (within the
// rounding of two passes), and its refusals and clamping.
#include "imaging/core/ieblurgray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ieglobals.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

namespace {

using Image = std::vector<std::vector<int>>;  // [y][x]

Image RandomImage(int w, int h, uint32_t seed) {
  std::mt19937 rng(seed);
  Image img(size_t(h), std::vector<int>(size_t(w), 0));
  for (auto& row : img)
    for (int& v : row) v = int(rng() % 256);
  // A hard edge and a flat block, where blurring shows most.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w / 3; ++x) img[size_t(y)][size_t(x)] = (y / 4) % 2 ? 255 : 0;
  return img;
}

void Store(TIEBitmap& b, const Image& img) {
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) b.SetPixelByte(x, y, uint8_t(img[size_t(y)][size_t(x)]));
}

Image Load(TIEBitmap& b) {
  Image img(size_t(b.GetHeight()), std::vector<int>(size_t(b.GetWidth()), 0));
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) img[size_t(y)][size_t(x)] = b.GetPixelByte(x, y);
  return img;
}

// The kernel as defined: k(i) = exp(-((i - 100) / r)^2 / 2), weights rounded
// (halves to even) from k * 65536 / sum, half-width shrunk from 100.
struct Kernel {
  std::vector<long long> w = std::vector<long long>(201);
  int half = 100;
};
Kernel MakeKernel(double r) {
  Kernel k;
  std::vector<double> g(201);
  double sum = 0;
  for (int i = 0; i <= 200; ++i) sum += g[size_t(i)] = std::exp(-std::pow((i - 100) / r, 2) / 2);
  for (int i = 0; i <= 200; ++i) {
    const double v = g[size_t(i)] * 65536 / sum;
    double fl = std::floor(v);
    const double frac = v - fl;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(fl, 2) != 0)) fl += 1;
    k.w[size_t(i)] = (long long)fl;
  }
  while (k.half > 1 && k.w[size_t(100 - k.half)] == 0 && k.w[size_t(100 + k.half)] == 0) --k.half;
  return k;
}

// Rows of the rectangle, then its columns; each line on its own samples.
Image TwoPass(Image img, int x1, int y1, int x2, int y2, double r) {
  const Kernel k = MakeKernel(r);
  auto line = [&](auto get, auto set, int n) {
    std::vector<int> in(size_t(n), 0);
    for (int i = 0; i < n; ++i) in[size_t(i)] = get(i);
    for (int i = 0; i < n; ++i) {
      long long s = 0;
      for (int j = -k.half; j <= k.half; ++j) s += k.w[size_t(100 + j)] * in[size_t(std::clamp(i + j, 0, n - 1))];
      set(i, int(std::min<long long>((s + 32768) >> 16, 255)));
    }
  };
  for (int y = y1; y <= y2; ++y)
    line([&](int i) { return img[size_t(y)][size_t(x1 + i)]; },
         [&](int i, int v) { img[size_t(y)][size_t(x1 + i)] = v; }, x2 - x1 + 1);
  for (int x = x1; x <= x2; ++x)
    line([&](int i) { return img[size_t(y1 + i)][size_t(x)]; },
         [&](int i, int v) { img[size_t(y1 + i)][size_t(x)] = v; }, y2 - y1 + 1);
  return img;
}

class GaussianBlurGray8Test : public ::testing::Test {
protected:
  void SetUp() override {
    env_.Set("TMPDIR", dir_.Path().string());
    saved_ = IEDefaultMemoryThreshold;
  }
  void TearDown() override { IEDefaultMemoryThreshold = saved_; }
  testsupport::TempDir dir_;
  ScopedEnv env_;
  int64_t saved_ = -1;
};

TEST_F(GaussianBlurGray8Test, MatchesTheTwoPassConvolution) {
  struct Case {
    int w, h;
    int x1, y1, x2, y2;      // as passed
    int cx1, cy1, cx2, cy2;  // after clamping to the image
    double r;
    bool inFile;
  };
  const Case cases[] = {
      {40, 30, 0, 0, 39, 29, 0, 0, 39, 29, 2.5, false},
      {40, 30, 5, 7, 20, 25, 5, 7, 20, 25, 1.0, false},      // pixels around the rectangle stay
      {40, 30, -9, -4, 60, 90, 0, 0, 39, 29, 0.6, false},    // clamped to the image
      {40, 30, 30, 20, 80, 80, 30, 20, 39, 29, 7.3, false},  // wide kernel on a short line
      {33, 17, 3, 2, 31, 15, 3, 2, 31, 15, 2.5, true},       // rows kept in a temporary file
      {9, 250, 0, 0, 8, 249, 0, 0, 8, 249, 40.0, false},     // half-width near its cap of 100
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " r " << c.r);
    IEDefaultMemoryThreshold = c.inFile ? 100 : -1;
    TIEBitmap b;
    ASSERT_TRUE(b.Allocate(c.w, c.h, ie8g));
    EXPECT_EQ(b.Location(), c.inFile ? ieFile : ieMemory);
    const Image src = RandomImage(c.w, c.h, uint32_t(c.w * 7 + c.h));
    Store(b, src);
    GaussianBlurGray8(b, c.x1, c.y1, c.r, c.y2, c.x2);
    const Image want = TwoPass(src, c.cx1, c.cy1, c.cx2, c.cy2, c.r);
    const Image got = Load(b);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) ASSERT_EQ(got[size_t(y)][size_t(x)], want[size_t(y)][size_t(x)]) << x << "," << y;
  }
}

TEST_F(GaussianBlurGray8Test, IsCloseToAFloatingPointGaussian) {
  // Independent of the fixed-point kernel: a 2-D Gaussian of the same sigma
  // with edge samples repeated; two rounded passes stay within 2 levels.
  const int w = 24, h = 20;
  const double r = 1.7;
  const Image src = RandomImage(w, h, 99);
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(w, h, ie8g));
  Store(b, src);
  GaussianBlurGray8(b, 0, 0, r, h - 1, w - 1);
  double norm = 0;
  for (int d = -40; d <= 40; ++d) norm += std::exp(-d * d / (2 * r * r));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double s = 0;
      for (int dy = -40; dy <= 40; ++dy)
        for (int dx = -40; dx <= 40; ++dx)
          s += std::exp(-(dx * dx + dy * dy) / (2 * r * r)) *
               src[size_t(std::clamp(y + dy, 0, h - 1))][size_t(std::clamp(x + dx, 0, w - 1))];
      EXPECT_NEAR(b.GetPixelByte(x, y), s / (norm * norm), 2.0) << x << "," << y;
    }
}

TEST_F(GaussianBlurGray8Test, KernelFollowsItsDefinition) {
  for (double r : {0.1, 0.5, 1.0, 2.5, 10.0, 1000.0}) {
    SCOPED_TRACE(r);
    TIEGaussKernel k;
    IEBuildGaussKernel(r, k);
    const Kernel want = MakeKernel(r);
    EXPECT_EQ(k.HalfWidth, want.half);
    long long sum = 0;
    for (int i = 0; i <= 200; ++i) {
      EXPECT_EQ(k.Weights[size_t(i)], want.w[size_t(i)]) << i;
      sum += k.Weights[size_t(i)];
    }
    EXPECT_NEAR(double(sum), 65536.0, 101.0);
  }
  // A tiny radius puts all the weight in the centre tap: the image is unchanged.
  TIEGaussKernel k;
  IEBuildGaussKernel(0.1, k);
  EXPECT_EQ(k.HalfWidth, 1);
  EXPECT_EQ(k.Weights[100], 65536);
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(12, 9, ie8g));
  const Image src = RandomImage(12, 9, 5);
  Store(b, src);
  GaussianBlurGray8(b, 0, 0, 0.1, 8, 11);
  EXPECT_EQ(Load(b), src);
}

TEST_F(GaussianBlurGray8Test, RefusesWhatItCannotBlur) {
  const Image src = RandomImage(16, 12, 3);
  // Radius not positive, or a rectangle that misses the image or is inverted.
  struct Case {
    double r;
    int x1, y1, x2, y2;
  };
  const Case cases[] = {
      {0, 0, 0, 15, 11},    {-2.5, 0, 0, 15, 11}, {std::numeric_limits<double>::quiet_NaN(), 0, 0, 15, 11},
      {2.5, 16, 0, 30, 11}, {2.5, 0, -9, 15, -1}, {2.5, 10, 0, 4, 11}};
  for (const Case& c : cases) {
    TIEBitmap b;
    ASSERT_TRUE(b.Allocate(16, 12, ie8g));
    Store(b, src);
    GaussianBlurGray8(b, c.x1, c.y1, c.r, c.y2, c.x2);
    EXPECT_EQ(Load(b), src) << c.r << " " << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2;
  }
  // Formats other than ie8g are left alone.
  for (TIEPixelFormat f : {ie24RGB, ie8p, ie16g, ie1g}) {
    auto b = TIEBitmap::CreateSized(16, 12, f);
    for (int y = 0; y < 12; ++y) {
      auto* row = static_cast<uint8_t*>(b->GetScanline(y));
      for (int i = 0; i < b->GetRowLen(); ++i) row[i] = uint8_t(i * 37 + y * 11);
    }
    GaussianBlurGray8(*b, 0, 0, 2.5, 11, 15);
    for (int y = 0; y < 12; ++y) {
      const auto* row = static_cast<const uint8_t*>(b->GetScanline(y));
      for (int i = 0; i < b->GetRowLen(); ++i) ASSERT_EQ(row[i], uint8_t(i * 37 + y * 11)) << int(f);
    }
  }
}

}  // namespace
