// Rotation and flipping: exact quarter turns and mirrors (checked pixel by
// pixel and by identities), the nearest-pixel mappings against their formulas
// evaluated here, and the shear and interpolating engines against a rotated
// gradient.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "imaging/core/iepixels.h"
#include "imaging/core/iecolorconv.h"
#include "imaging/core/ieprocutils.h"
#include "imaging/core/ierotate.h"

namespace {

std::unique_ptr<TIEBitmap> RandomBitmap(int w, int h, TIEPixelFormat f, uint32_t seed) {
  auto b = TIEBitmap::CreateSized(w, h, f);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(b->GetScanline(y));
    for (int i = 0; i < b->GetRowLen(); ++i) row[i] = uint8_t(rng());
  }
  if (f == ie8p)
    for (int i = 0; i < 256; ++i) b->SetPaletteColor(i, TRGB{uint8_t(i), uint8_t(i * 3), uint8_t(255 - i)});
  return b;
}

// The bytes of pixel (x, y), or its bit.
std::vector<uint8_t> Pixel(TIEBitmap& b, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(b.GetScanline(y));
  if (b.GetBitCount() == 1) return {uint8_t(IEGetBit1(row, x))};
  const int n = b.GetBitCount() / 8;
  return std::vector<uint8_t>(row + x * n, row + x * n + n);
}

::testing::AssertionResult SamePixels(TIEBitmap& a, TIEBitmap& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || a.GetPixelFormat() != b.GetPixelFormat())
    return ::testing::AssertionFailure() << "size or format differs: " << a.GetWidth() << "x" << a.GetHeight()
                                         << " and " << b.GetWidth() << "x" << b.GetHeight();
  for (int y = 0; y < a.GetHeight(); ++y)
    for (int x = 0; x < a.GetWidth(); ++x)
      if (Pixel(a, x, y) != Pixel(b, x, y)) return ::testing::AssertionFailure() << "pixel " << x << "," << y;
  return ::testing::AssertionSuccess();
}

const TIEPixelFormat kFormats[] = {ie24RGB, ie8g, ie1g, ie8p, ie16g, ie32f, ieRGB48, ieCMYK, ie32RGB};

TEST(RotateTest, QuarterTurnsAreExactCopies) {
  for (TIEPixelFormat f : kFormats) {
    SCOPED_TRACE("format " + std::to_string(int(f)));
    auto src = RandomBitmap(13, 7, f, uint32_t(f));
    TIEBitmap ccw, cw, half;
    RotateIntoBitmap(*src, ccw, 0, {}, 90);
    RotateIntoBitmap(*src, cw, 0, {}, -90);
    RotateIntoBitmap(*src, half, 0, {}, 180);
    ASSERT_EQ(ccw.GetWidth(), 7);
    ASSERT_EQ(ccw.GetHeight(), 13);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 7; ++x) {
        ASSERT_EQ(Pixel(ccw, x, y), Pixel(*src, 13 - 1 - y, x)) << x << "," << y;
        ASSERT_EQ(Pixel(cw, x, y), Pixel(*src, y, 7 - 1 - x)) << x << "," << y;
      }
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x) ASSERT_EQ(Pixel(half, x, y), Pixel(*src, 12 - x, 6 - y)) << x << "," << y;
    if (f == ie8p) {
      EXPECT_EQ(ccw.GetPaletteColor(5), src->GetPaletteColor(5));
    }
    // Four quarter turns, or two half turns, give the original; 270 is -90.
    auto turned = TIEBitmap::CreateCopy(src.get());
    for (int i = 0; i < 4; ++i) RotateAnyFormat(*turned, 0, {}, 90);
    EXPECT_TRUE(SamePixels(*turned, *src));
    RotateAnyFormat(*turned, 0, {}, 270);
    EXPECT_TRUE(SamePixels(*turned, cw));
    RotateAnyFormat(*turned, 0, {}, -180);
    RotateAnyFormat(*turned, 0, {}, 180);
    EXPECT_TRUE(SamePixels(*turned, cw));
  }
}

TEST(RotateTest, EveryEngineTurnsQuartersExactly) {
  auto colour = RandomBitmap(11, 6, ie24RGB, 1);
  TIEBitmap want;
  RotateIntoBitmap(*colour, want, 0, {}, 90);
  for (bool antiAlias : {false, true}) {
    auto b = TIEBitmap::CreateCopy(colour.get());
    RotateByShears24(*b, antiAlias, {}, TRGB{}, 90);
    EXPECT_TRUE(SamePixels(*b, want));
    auto c = TIEBitmap::CreateCopy(colour.get());
    IERotate(*c, 90, antiAlias, 2, clBlack);
    EXPECT_TRUE(SamePixels(*c, want));
  }
  auto gray = RandomBitmap(11, 6, ie8g, 2);
  TIEBitmap grayWant;
  RotateIntoBitmap(*gray, grayWant, 0, {}, -90);
  auto g1 = TIEBitmap::CreateCopy(gray.get());
  RotateByShears8(*g1, true, 0, {}, -90);
  EXPECT_TRUE(SamePixels(*g1, grayWant));
  auto g2 = TIEBitmap::CreateCopy(gray.get());
  RotateGray8Nearest(*g2, 0, 270);
  EXPECT_TRUE(SamePixels(*g2, grayWant));
  auto bits = RandomBitmap(11, 6, ie1g, 3);
  TIEBitmap bitsWant;
  RotateIntoBitmap(*bits, bitsWant, 0, {}, 180);
  auto b1 = TIEBitmap::CreateCopy(bits.get());
  Rotate1Bit(*b1, false, {}, 180);
  EXPECT_TRUE(SamePixels(*b1, bitsWant));
}

TEST(RotateTest, FlipsMirrorAndTwiceRestore) {
  for (TIEPixelFormat f : kFormats)
    for (int w : {13, 16}) {
      SCOPED_TRACE("format " + std::to_string(int(f)) + " width " + std::to_string(w));
      auto src = RandomBitmap(w, 5, f, uint32_t(f + w));
      src->GetAlphaChannel()->Assign(RandomBitmap(w, 5, ie8g, 99).get());
      auto b = TIEBitmap::CreateCopy(src.get());
      FlipBitmap(*b, 0);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < w; ++x) {
          ASSERT_EQ(Pixel(*b, x, y), Pixel(*src, w - 1 - x, y)) << x << "," << y;
          ASSERT_EQ(b->GetAlphaChannel()->GetPixelByte(x, y), src->GetAlphaChannel()->GetPixelByte(w - 1 - x, y));
        }
      FlipBitmap(*b, 0);
      EXPECT_TRUE(SamePixels(*b, *src));
      FlipBitmap(*b, 1);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(Pixel(*b, x, y), Pixel(*src, x, 4 - y)) << x << "," << y;
      FlipBitmap(*b, 1);
      EXPECT_TRUE(SamePixels(*b, *src));
      EXPECT_TRUE(SamePixels(*b->GetAlphaChannel(), *src->GetAlphaChannel()));
    }
}

// RotateIntoBitmap's nearest mapping, evaluated here.
TEST(RotateTest, AnyAngleMapsEachPixelBackIntoTheSource) {
  for (TIEPixelFormat f : {ie24RGB, ie8g, ie1g})
    for (double angle : {30.0, -17.5, 123.0}) {
      SCOPED_TRACE("format " + std::to_string(int(f)) + " angle " + std::to_string(angle));
      auto src = RandomBitmap(23, 14, f, 5);
      TIEBitmap out;
      RotateIntoBitmap(*src, out, f == ie24RGB ? 0x00FF00 : 7, {}, angle);
      const double t = angle * M_PI / 180, c = std::cos(t), s = std::sin(t);
      const int W = int(std::nearbyint(std::fabs(s) * 14 + std::fabs(c) * 23));
      const int H = int(std::nearbyint(std::fabs(c) * 14 + std::fabs(s) * 23));
      ASSERT_EQ(out.GetWidth(), W);
      ASSERT_EQ(out.GetHeight(), H);
      const double scx = 11, scy = 6.5, dcx = (W - 1) / 2.0, dcy = (H - 1) / 2.0;
      const std::vector<uint8_t> back = f == ie24RGB ? std::vector<uint8_t>{0, 255, 0}
                                        : f == ie8g  ? std::vector<uint8_t>{7}
                                                     : std::vector<uint8_t>{0};
      for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i) {
          const long sx = long(std::nearbyint((i - dcx) * c + scx)) - long(std::nearbyint((j - dcy) * s));
          const long sy = long(std::nearbyint((i - dcx) * s + scy)) + long(std::nearbyint((j - dcy) * c));
          const bool inside = sx >= 0 && sx < 23 && sy >= 0 && sy < 14;
          ASSERT_EQ(Pixel(out, i, j), inside ? Pixel(*src, int(sx), int(sy)) : back) << i << "," << j;
        }
    }
}

TEST(RotateTest, OneBitRotationUsesTruncatedTrigonometry) {
  auto src = RandomBitmap(31, 17, ie1g, 6);
  auto out = TIEBitmap::CreateCopy(src.get());
  Rotate1Bit(*out, true, {}, 10);
  const double t = 10 * M_PI / 180;
  const double c = std::trunc(std::cos(-t) * 10000) / 10000, s = std::trunc(std::sin(-t) * 10000) / 10000;
  const int nw = int(std::fabs(31 * c) + std::fabs(17 * s)), nh = int(std::fabs(-31 * s) + std::fabs(c * 17));
  ASSERT_EQ(out->GetWidth(), nw);
  ASSERT_EQ(out->GetHeight(), nh);
  const double wo = nw / 2.0 - 0.5, ho = nh / 2.0 - 0.5;
  for (int o = 0; o < nh; ++o)
    for (int k = 0; k < nw; ++k) {
      const int sx = int(s * (o - ho) + (31 / 2.0 - 0.5)) + int(c * (k - wo));
      const int sy = int(c * (o - ho) + (17 / 2.0 - 0.5)) + int(s * -(k - wo));
      const bool inside = sx >= 0 && sx < 31 && sy >= 0 && sy < 17;
      ASSERT_EQ(Pixel(*out, k, o)[0], inside ? Pixel(*src, sx, sy)[0] : 1) << k << "," << o;
    }
}

// A gradient, green = x and blue = 50 + y, so that a pixel's colour tells where it came from.
std::unique_ptr<TIEBitmap> Gradient(int w, int h) {
  auto b = TIEBitmap::CreateSized(w, h, ie24RGB);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->SetPixel24(x, y, TRGB{uint8_t(50 + y), uint8_t(x), 100});
  return b;
}

// Checks a rotated gradient: well inside the turned picture each pixel shows
// the source position the rotation about the centres gives (counter-clockwise
// on screen for positive angles) within tolerance; well outside, the background.
void ExpectRotatedGradient(TIEBitmap& out, int w, int h, double angle, TRGB bg, int tolerance) {
  const double t = angle * M_PI / 180, c = std::cos(t), s = std::sin(t);
  const double dcx = (out.GetWidth() - 1) / 2.0, dcy = (out.GetHeight() - 1) / 2.0;
  int inside = 0, outside = 0, bad = 0;
  for (int y = 0; y < out.GetHeight(); ++y)
    for (int x = 0; x < out.GetWidth(); ++x) {
      const double dx = x - dcx, dy = y - dcy;
      const double sx = dx * c - dy * s + (w - 1) / 2.0, sy = dx * s + dy * c + (h - 1) / 2.0;
      const TRGB p = out.GetPixel24(x, y);
      if (sx >= 3 && sx <= w - 4 && sy >= 3 && sy <= h - 4) {
        ++inside;
        if (std::abs(p.g - sx) > tolerance || std::abs(p.b - (50 + sy)) > tolerance || p.r != 100)
          if (++bad <= 3)
            ADD_FAILURE() << "(" << x << "," << y << ") shows (" << int(p.g) << "," << int(p.b) - 50 << "), from ("
                          << sx << "," << sy << ")";
      } else if (sx < -4 || sx > w + 3 || sy < -4 || sy > h + 3) {
        ++outside;
        if (!(p == bg) && ++bad <= 3) ADD_FAILURE() << "(" << x << "," << y << ") is not the background";
      }
    }
  EXPECT_GT(inside, w * h / 2);
  EXPECT_GT(outside, 0);
  EXPECT_EQ(bad, 0);
}

TEST(RotateTest, ShearsTurnByAnyAngle) {
  const TRGB bg{255, 0, 0};
  for (double angle : {30.0, -30.0, 44.0, 100.0, -161.0})
    for (bool antiAlias : {false, true}) {
      SCOPED_TRACE("angle " + std::to_string(angle) + (antiAlias ? " antialiased" : ""));
      auto b = Gradient(200, 100);
      RotateByShears24(*b, antiAlias, {}, bg, angle);
      // The sizes of the three shears, for the angle left after quarter turns.
      double rest = angle;
      int w = 200, h = 100;
      while (rest > 45) rest -= 90, std::swap(w, h);
      while (rest < -45) rest += 90, std::swap(w, h);
      const double tau = std::fabs(std::tan(rest * M_PI / 360)), sigma = std::fabs(std::sin(rest * M_PI / 180));
      const double W1 = std::nearbyint(h * tau + w + 1), H2 = std::nearbyint(sigma * W1 + h + 1);
      const double skew0 = std::nearbyint((W1 - w) * sigma), t = std::nearbyint(tau * (H2 - h - skew0));
      const double H3 = std::nearbyint(H2 - 2 * skew0), W3 = std::nearbyint(tau * H3 + W1 + 1 - 2 * t);
      EXPECT_EQ(b->GetWidth(), int(W3));
      EXPECT_EQ(b->GetHeight(), int(H3));
      // Each antialiased shear rounds (v + 2048 / 4096) half to even, which lifts values by up
      // to one level: three shears may add 3 to the placement error.
      ExpectRotatedGradient(*b, 200, 100, angle, bg, antiAlias ? 5 : 3);
    }
}

TEST(RotateTest, ShearAngleCountsThousandthsOfADegree) {
  auto a = Gradient(60, 40), b = Gradient(60, 40);
  RotateByShears24(*a, true, {}, TRGB{}, 45.0004);
  RotateByShears24(*b, true, {}, TRGB{}, 45.0);
  EXPECT_TRUE(SamePixels(*a, *b));
}

TEST(RotateTest, InterpolatedRotation) {
  const TRGB bg{0, 0, 255};
  for (int quality : {1, 2})
    for (double angle : {30.0, -75.0}) {
      SCOPED_TRACE("quality " + std::to_string(quality) + " angle " + std::to_string(angle));
      auto b = Gradient(200, 100);
      RotateInterpolated24(*b, bg, quality, {}, angle);
      const double t = angle * M_PI / 180;
      // Turned with a 3-pixel border (206 x 106), which comes off again.
      EXPECT_EQ(b->GetWidth(), int(std::nearbyint(std::fabs(std::sin(t)) * 105 + std::fabs(std::cos(t)) * 205)) - 6);
      EXPECT_EQ(b->GetHeight(), int(std::nearbyint(std::fabs(std::cos(t)) * 105 + std::fabs(std::sin(t)) * 205)) - 6);
      ExpectRotatedGradient(*b, 200, 100, angle, bg, 2);
    }
}

TEST(RotateTest, RotateFillsTheCornersAndClearsTheirAlpha) {
  for (int quality : {0, 1}) {
    auto b = Gradient(200, 100);
    b->GetAlphaChannel()->Fill(255);
    b->GetAlphaChannel()->SetPixelByte(0, 0, 254);  // not fully opaque
    IERotate(*b, 30, true, quality, TColor(0x0000FF));
    ASSERT_TRUE(b->HasAlphaChannel());
    TIEBitmap* a = b->GetAlphaChannel();
    ASSERT_EQ(a->GetWidth(), b->GetWidth());
    ASSERT_EQ(a->GetHeight(), b->GetHeight());
    const int W = b->GetWidth(), H = b->GetHeight();
    for (auto [x, y] : {std::pair{0, 0}, {W - 1, 0}, {0, H - 1}, {W - 1, H - 1}}) {
      EXPECT_EQ(b->GetPixel24(x, y), (TRGB{0, 0, 255})) << x << "," << y;
      EXPECT_EQ(a->GetPixelByte(x, y), 0) << x << "," << y;
    }
    EXPECT_EQ(a->GetPixelByte(W / 2, H / 2), 255);
    ExpectRotatedGradient(*b, 200, 100, 30, TRGB{0, 0, 255}, quality == 0 ? 5 : 2);
  }
  // Without antialiasing, and for other formats, the nearest mapping.
  auto g = RandomBitmap(40, 20, ie8g, 7);
  TIEBitmap want;
  RotateIntoBitmap(*g, want, 0, {}, 30);
  IERotate(*g, 30, true, 2, clBlack);
  EXPECT_TRUE(SamePixels(*g, want));
}

}  // namespace
