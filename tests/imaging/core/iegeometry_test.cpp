#include "imaging/core/iegeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iebits.h"

TEST(IEGeometry, FitSizeAndFitRect) {
  struct Case {
    int32_t sw, sh, bw, bh;
    bool enlarge;
    TSize expected;
  };
  const Case cases[] = {
      {4000, 3000, 800, 800, true, {800, 600}},
      {400, 300, 800, 800, true, {800, 600}},
      {400, 300, 800, 800, false, {400, 300}},
      {300, 400, 800, 800, true, {600, 800}},
      {1001, 1000, 3, 3, false, {3, 3}},  // 2.997 rounds to 3
      {0, 300, 800, 800, true, {0, 0}},
  };
  for (const Case& c : cases) {
    TSize s(-1, -1);
    IEFitSize(c.sw, c.sh, c.bw, c.bh, c.enlarge, false, s);
    EXPECT_EQ(s, c.expected) << c.sw << "x" << c.sh << " in " << c.bw << "x" << c.bh;
  }
  TSize inverted;
  IEFitSize(400, 300, 800, 800, true, true, inverted);  // fitted by the other side
  EXPECT_EQ(inverted, TSize(1067, 800));

  TRect r;
  IEFitRect(1000, 500, 500, 300, 0, 0, true, true, false, false, 10, false, r);
  EXPECT_EQ(r, TRect(0, 0, 556, 278));  // f = 500 / 900, wider than the box by the cropped share
  IEFitRect(1000, 500, 500, 300, 10, 20, true, true, true, true, 0, false, r);
  EXPECT_EQ(r, TRect(10, 45, 510, 295));  // 500 x 250 centred vertically: 20 + (150 - 125)
  for (auto [sw, sh, bw, bh] : {std::tuple{0, 5, 5, 5}, {5, 0, 5, 5}, {5, 5, 0, 5}, {5, 5, 5, 0}}) {
    IEFitRect(sw, sh, bw, bh, 7, 9, true, true, true, true, 0, false, r);
    EXPECT_EQ(r, TRect(7, 9, 0, 0));
  }
}

TEST(IEGeometry, PointInPolygonEdges) {
  const std::vector<TPoint> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(IEPointInPolygon(5, 5, square));
  EXPECT_FALSE(IEPointInPolygon(10, 5, square));  // right edge exclusive
  EXPECT_TRUE(IEPointInPolygon(0, 5, square));    // left edge inclusive
  EXPECT_TRUE(IEPointInPolygon(5, 0, square));    // top edge inclusive
  EXPECT_FALSE(IEPointInPolygon(5, 10, square));
  EXPECT_FALSE(IEPointInPolygon(5, 5, {}));
  const TPoint pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  // Scaled by 2 about the origin (5, 5), shifted by (100, 100): the square covers 90..110.
  EXPECT_TRUE(IEPointInScaledPolygon(95, 105, pts, 4, 5, 5, 100, 100, 2, 2));
  EXPECT_FALSE(IEPointInScaledPolygon(111, 100, pts, 4, 5, 5, 100, 100, 2, 2));
  EXPECT_FALSE(IEPointInScaledPolygon(100, 100, pts, 0, 5, 5, 100, 100, 2, 2));
}

TEST(IEGeometry, RotatePointsTurnsCounterClockwiseOnScreen) {
  std::vector<TPoint> p = {{10, 0}, {0, 10}, {15, 5}};
  IERotatePoints(p, 0, 0, 90);
  EXPECT_EQ(p[0], TPoint(0, -10));
  EXPECT_EQ(p[1], TPoint(10, 0));
  std::vector<TPoint> q = {{15, 5}};
  IERotatePoints(q, 5, 5, 180);
  EXPECT_EQ(q[0], TPoint(-5, 5));
}

TEST(IEGeometry, OutlineDistances) {
  EXPECT_NEAR(IEDistToRectOutline(5, 5, 0, 0, 10, 10, false, 0), 5, 1e-9);
  EXPECT_EQ(IEDistToRectOutline(5, 5, 0, 0, 10, 10, true, 0), 0);
  EXPECT_NEAR(IEDistToRectOutline(13, 5, 0, 0, 10, 10, true, 0), 3, 1e-9);
  // Pen width 4 moves the rectangle by -2..2 along the diagonal: (13, 5) is then 1 from x = 12.
  EXPECT_NEAR(IEDistToRectOutline(13, 5, 0, 0, 10, 10, false, 4), 1, 1e-9);

  // Circle of radius 50 about (50, 50): a point on it is close, the centre is 50 away.
  EXPECT_LT(IEDistToEllipseOutline(100, 50, 0, 0, 100, 100, false, 0), 1.0);
  EXPECT_NEAR(IEDistToEllipseOutline(50, 50, 0, 0, 100, 100, false, 0), 50, 2.0);  // a polygon of 39 chords
  EXPECT_NEAR(IEDistToEllipseOutline(160, 50, 0, 0, 100, 100, false, 0), 60, 1.0);
  EXPECT_EQ(IEDistToEllipseOutline(50, 50, 0, 0, 100, 100, true, 0), 0);
  // An absurd ellipse still answers, and far away (the walk is bounded).
  EXPECT_GE(IEDistToEllipseOutline(0, 0, -2000000000, -2000000000, 2000000000, 2000000000, false, 0), 1e6);
}

TEST(IEGeometry, FloatToRational) {
  struct Case {
    double value, precision;
    int32_t num, den;
  };
  const Case cases[] = {
      {0.5, 5e-9, 1, 2},           {0.333333, 1e-5, 1, 3},      {-2.0, 5e-9, -2, 1},
      {1e-20, 5e-9, 1, 999999999}, {-1e-20, 5e-9, -1, 999999999}, {1e20, 5e-9, 999999999, 1},
      {0.004, 5e-9, 1, 250},       {-0.7, 5e-9, -7, 10},
  };
  for (const Case& c : cases) {
    int32_t n = 0, d = 0;
    IEFloatToRational(n, d, c.value, c.precision);
    EXPECT_EQ(std::pair(n, d), std::pair(c.num, c.den)) << c.value;
  }
  int32_t n, d;
  IEFloatToRational(n, d, std::numbers::pi, 5e-9);
  EXPECT_LT(std::fabs(double(n) / d - std::numbers::pi), 5e-9);
}

TEST(IEGeometry, SortByCallbacksSortsAnyArray) {
  std::mt19937 rng(7);
  for (int32_t n : {0, 1, 2, 3, 10, 257}) {
    std::vector<int32_t> v(static_cast<size_t>(n));
    for (auto& x : v) x = int32_t(rng() % 16);  // many duplicates
    std::vector<int32_t> expected = v;
    std::sort(expected.begin(), expected.end());
    IESortByCallbacks(
        n, [&](int32_t i, int32_t j) { return v[size_t(i)] - v[size_t(j)]; },
        [&](int32_t i, int32_t j) { std::swap(v[size_t(i)], v[size_t(j)]); });
    EXPECT_EQ(v, expected) << n;
  }
  // A comparison that is no order at all must not walk outside the items.
  std::vector<int32_t> v(50, 0);
  IESortByCallbacks(
      50,
      [&](int32_t i, int32_t j) {
        EXPECT_TRUE(i >= 0 && i < 50 && j >= 0 && j < 50);
        return (i * 7 + j * 3) % 5 - 2;
      },
      [&](int32_t i, int32_t j) { EXPECT_TRUE(i >= 0 && i < 50 && j >= 0 && j < 50); });
}

// ---- EXIF orientation ----------------------------------------------------------------------

namespace {

// Where the stored rows and columns lie in the upright picture, word for word
// from the EXIF definition of tag 274: (side of row 0, side of column 0).
enum Side { Top, Bottom, Left, Right };
struct Orientation {
  Side row0, col0;
};
const Orientation kExif[9] = {{Top, Left},    {Top, Left},   {Top, Right},  {Bottom, Right}, {Bottom, Left},
                              {Left, Top},    {Right, Top},  {Right, Bottom}, {Left, Bottom}};

// The upright picture's (x, y) of the stored pixel (sx, sy) of a w x h image.
std::pair<int32_t, int32_t> Upright(int32_t o, int32_t sx, int32_t sy, int32_t w, int32_t h) {
  const Orientation& e = kExif[o];
  if (e.row0 == Top || e.row0 == Bottom) {
    const int32_t y = e.row0 == Top ? sy : h - 1 - sy;
    const int32_t x = e.col0 == Left ? sx : w - 1 - sx;
    return {x, y};
  }
  // Rows become columns: the upright picture is h wide and w tall.
  const int32_t x = e.row0 == Left ? sy : h - 1 - sy;
  const int32_t y = e.col0 == Top ? sx : w - 1 - sx;
  return {x, y};
}

uint32_t PixelValue(int32_t x, int32_t y) { return uint32_t(1 + x + 10 * y); }

std::unique_ptr<TIEBitmap> Make(TIEPixelFormat format, int32_t w, int32_t h, bool alpha) {
  auto b = TIEBitmap::CreateSized(w, h, format);
  for (int32_t y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(b->GetScanline(y));
    std::fill(row, row + b->GetRowLen(), 0);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t v = PixelValue(x, y);
      if (format == ie24RGB) {
        row[3 * x] = uint8_t(v);
        row[3 * x + 1] = uint8_t(v * 3);
        row[3 * x + 2] = uint8_t(v * 7);
      } else if (format == ie8g) {
        row[x] = uint8_t(v);
      } else if (format == ie1g && v % 2) {
        row[x / 8] |= uint8_t(0x80 >> (x % 8));
      }
    }
  }
  if (alpha) {
    TIEBitmap* a = b->GetAlphaChannel();
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) static_cast<uint8_t*>(a->GetScanline(y))[x] = uint8_t(200 + PixelValue(x, y));
  }
  return b;
}

uint32_t Read(TIEBitmap& b, int32_t x, int32_t y) {
  const auto* row = static_cast<const uint8_t*>(b.GetScanline(y));
  switch (b.GetPixelFormat()) {
    case ie24RGB:
      return row[3 * x] | (uint32_t(row[3 * x + 1]) << 8) | (uint32_t(row[3 * x + 2]) << 16);
    case ie8g:
      return row[x];
    default:
      return (row[x / 8] >> (7 - x % 8)) & 1;
  }
}

uint32_t Expected(TIEPixelFormat f, uint32_t v) {
  if (f == ie24RGB) return uint8_t(v) | (uint32_t(uint8_t(v * 3)) << 8) | (uint32_t(uint8_t(v * 7)) << 16);
  if (f == ie8g) return v;
  return v % 2;
}

}  // namespace

TEST(IEGeometry, ApplyExifOrientationMatchesTheExifDefinition) {
  constexpr int32_t w = 3, h = 2;
  for (TIEPixelFormat format : {ie24RGB, ie8g, ie1g}) {
    for (int32_t o = 1; o <= 8; ++o) {
      SCOPED_TRACE(testing::Message() << "format " << int(format) << " orientation " << o);
      auto b = Make(format, w, h, format == ie24RGB);
      IEApplyExifOrientation(*b, o);
      const bool turned = o >= 5;
      ASSERT_EQ(b->GetWidth(), turned ? h : w);
      ASSERT_EQ(b->GetHeight(), turned ? w : h);
      ASSERT_EQ(b->GetPixelFormat(), format);
      for (int32_t sy = 0; sy < h; ++sy)
        for (int32_t sx = 0; sx < w; ++sx) {
          const auto [x, y] = Upright(o, sx, sy, w, h);
          EXPECT_EQ(Read(*b, x, y), Expected(format, PixelValue(sx, sy))) << "stored " << sx << "," << sy;
          if (format == ie24RGB) {
            TIEBitmap* a = b->GetAlphaChannel();
            ASSERT_EQ(a->GetWidth(), b->GetWidth());
            EXPECT_EQ(static_cast<const uint8_t*>(a->GetScanline(y))[x], 200 + PixelValue(sx, sy));
          }
        }
    }
  }
}

TEST(IEGeometry, OtherOrientationValuesLeaveTheImageAlone) {
  for (int32_t o : {1, 0, 9, -1, 1000}) {
    auto b = Make(ie24RGB, 3, 2, false);
    IEApplyExifOrientation(*b, o);
    ASSERT_EQ(b->GetWidth(), 3);
    for (int32_t y = 0; y < 2; ++y)
      for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(Read(*b, x, y), Expected(ie24RGB, PixelValue(x, y)));
  }
  TIEBitmap empty;
  IEApplyExifOrientation(empty, 6);
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(IEGeometry, FourQuarterTurnsAndTwoFlipsAreIdentities) {
  auto b = Make(ie24RGB, 5, 3, true);
  auto original = Make(ie24RGB, 5, 3, true);
  for (int k = 0; k < 4; ++k) IERotateBitmap90(*b, true);
  IEFlipBitmap(*b, 0);
  IEFlipBitmap(*b, 0);
  IEFlipBitmap(*b, 1);
  IEFlipBitmap(*b, 1);
  ASSERT_EQ(b->GetWidth(), 5);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(Read(*b, x, y), Read(*original, x, y));
  IERotateBitmap90(*b, true);
  IERotateBitmap90(*b, false);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(Read(*b, x, y), Read(*original, x, y));
}
