#include "imaging/core/iemask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/vcl/graphics.h"

namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;  // (x, y)

// Set pixels as read straight from the storage: row y at Bits + RowLen * (Height - y - 1),
// pixel x at bit 0x80 >> (x % 8) of byte x / 8 (1-bit) or byte x (8-bit).
Pixels StoredPixels(TIEMask& m) {
  Pixels out;
  for (int32_t y = 0; y < m.Height(); ++y) {
    const uint8_t* row = m.Bits() + int64_t(m.RowLen()) * (m.Height() - y - 1);
    for (int32_t x = 0; x < m.Width(); ++x) {
      const bool set = m.BitsPerPixel() == 1 ? (row[x / 8] & (0x80 >> (x % 8))) != 0 : row[x] != 0;
      if (set) out.insert({x, y});
    }
  }
  return out;
}

// x + k * dx / dy to the nearest integer, halves toward zero.
int64_t EdgeX(int64_t xTop, int64_t k, int64_t dx, int64_t dy) {
  const long double exact = static_cast<long double>(k) * dx / dy;
  const long double t = std::trunc(exact);
  // A fraction of exactly one half goes toward zero.
  return xTop + int64_t(std::fabs(exact - t) > 0.5L ? t + (exact < 0 ? -1 : 1) : t);
}

// The fill rule evaluated row by row: an edge crosses rows top..bottom-1; the
// crossings of a row, sorted, are paired and each pair fills left..right-1.
Pixels ExpectedFill(const std::vector<TPoint>& poly, int32_t w, int32_t h) {
  Pixels out;
  int64_t minY = poly[0].Y, maxY = poly[0].Y;
  for (const auto& p : poly) {
    minY = std::min<int64_t>(minY, p.Y);
    maxY = std::max<int64_t>(maxY, p.Y);
  }
  // Rows outside the mask write nothing.
  for (int64_t y = std::max<int64_t>(minY, 0); y < std::min<int64_t>(maxY, h); ++y) {
    std::vector<int64_t> xs;
    for (size_t i = 0; i < poly.size(); ++i) {
      TPoint a = poly[i], b = poly[(i + 1) % poly.size()];
      if (a.Y == b.Y) continue;
      if (a.Y > b.Y) std::swap(a, b);
      if (y < a.Y || y >= b.Y) continue;
      xs.push_back(EdgeX(a.X, y - a.Y, int64_t(b.X) - a.X, int64_t(b.Y) - a.Y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int64_t x = std::max<int64_t>(xs[i], 0); x < std::min<int64_t>(xs[i + 1], w); ++x)
        out.insert({int32_t(x), int32_t(y)});
  }
  return out;
}

TEST(MaskTest, NewMaskIsEmptyUnallocatedAndNotFull) {
  TIEMask m;
  EXPECT_EQ(m.Width(), 0);
  EXPECT_EQ(m.Height(), 0);
  EXPECT_EQ(m.BitsPerPixel(), 0);
  EXPECT_EQ(m.Bits(), nullptr);
  EXPECT_FALSE(m.Full());
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_EQ(m.GetPixel(0, 0), 0u);
  EXPECT_EQ(m.GetScanline(0), nullptr);
}

TEST(MaskTest, StorageIsBottomUpWith32BitRows) {
  struct Row {
    int32_t bpp, width, rowLen;
  } rows[] = {{1, 1, 4}, {1, 10, 4}, {1, 33, 8}, {8, 10, 12}, {8, 4, 4}};
  for (const auto& r : rows) {
    TIEMask m;
    m.AllocateBits(r.width, 3, r.bpp);
    EXPECT_EQ(m.RowLen(), r.rowLen) << r.bpp << "/" << r.width;
    EXPECT_EQ(m.GetScanline(0), m.Bits() + 2 * r.rowLen);
    EXPECT_EQ(m.GetScanline(2), m.Bits());
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_FALSE(m.Full());
  }
  TIEMask m;
  m.AllocateBits(10, 3, 1);
  m.SetPixel(9, 0, 1);
  EXPECT_EQ(m.Bits()[2 * 4 + 1], 0x40);
  EXPECT_EQ(m.GetPixel(9, 0), 64u);  // the bit, not 1
  EXPECT_TRUE(m.IsPointInside(9, 0));
  EXPECT_FALSE(m.IsPointInside(8, 0));
  TIEMask g;
  g.AllocateBits(10, 3, 8);
  g.SetPixel(4, 2, 300);  // low 8 bits
  EXPECT_EQ(g.Bits()[4], 300 & 0xFF);
  EXPECT_EQ(g.GetPixel(4, 2), uint32_t(300 & 0xFF));
}

TEST(MaskTest, AbsurdSizesAreRefused) {
  struct Row {
    int32_t w, h, bpp;
  } rows[] = {{1 << 20, 1 << 20, 1}, {100000, 100000, 8}, {2147483647, 2, 8}, {2147483647, 2147483647, 1},
              {2147483647, 1, 8}, {-1, 5, 1}, {5, -1, 8}, {5, 5, 4}, {5, 5, 0}};
  for (const auto& r : rows) {
    TIEMask m;
    m.AllocateBits(4, 4, 1);
    EXPECT_THROW(m.AllocateBits(r.w, r.h, r.bpp), EOutOfMemory) << r.w << "x" << r.h << "x" << r.bpp;
    EXPECT_EQ(m.Bits(), nullptr);
    EXPECT_EQ(m.Width(), 0);
    EXPECT_EQ(m.Height(), 0);
    m.SetPixel(0, 0, 1);  // harmless on an unallocated mask
    EXPECT_EQ(m.GetPixel(0, 0), 0u);
  }
  TIEMask m;
  m.AllocateBits(4, 4, 8);
  EXPECT_THROW(m.Resize(100000, 100000), EOutOfMemory);
  EXPECT_EQ(m.Width(), 4);  // the old block stays
}

TEST(MaskTest, BoundingBoxFollowsSetAndClear) {
  TIEMask m;
  m.AllocateBits(20, 20, 1);
  m.SetPixel(3, 4, 0);
  EXPECT_TRUE(m.IsEmpty());
  m.SetPixel(3, 4, 1);
  EXPECT_EQ(std::vector<int32_t>({m.X1(), m.Y1(), m.X2(), m.Y2()}), std::vector<int32_t>({3, 4, 3, 4}));
  m.SetPixel(10, 2, 1);
  EXPECT_EQ(std::vector<int32_t>({m.X1(), m.Y1(), m.X2(), m.Y2()}), std::vector<int32_t>({3, 2, 10, 4}));
  // Clearing a pixel leaves the box until it is recalculated.
  m.SetPixel(10, 2, 0);
  EXPECT_EQ(m.X2(), 10);
  m.RecalcBoundingBox();
  EXPECT_EQ(std::vector<int32_t>({m.X1(), m.Y1(), m.X2(), m.Y2()}), std::vector<int32_t>({3, 4, 3, 4}));
  m.Clear();
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_EQ(m.X1(), TIEMask::EmptyBox);
  EXPECT_EQ(m.Y1(), TIEMask::EmptyBox);
  EXPECT_EQ(m.X2(), 0);
  EXPECT_TRUE(StoredPixels(m).empty());
  m.RecalcBoundingBox();
  EXPECT_TRUE(m.IsEmpty());
  // 8-bit: any non-zero byte counts.
  TIEMask g;
  g.AllocateBits(9, 7, 8);
  g.GetScanline(6)[8] = 1;
  g.GetScanline(1)[2] = 200;
  g.RecalcBoundingBox();
  EXPECT_EQ(std::vector<int32_t>({g.X1(), g.Y1(), g.X2(), g.Y2()}), std::vector<int32_t>({2, 1, 8, 6}));
}

TEST(MaskTest, FullFlagRules) {
  TIEMask g;
  g.AllocateBits(5, 3, 8);
  g.Fill(255);
  EXPECT_TRUE(g.Full());
  g.Fill(254);
  EXPECT_FALSE(g.Full());
  g.Fill(255);
  g.SetPixel(1, 1, 128);
  EXPECT_FALSE(g.Full());
  g.Fill(255);
  g.FillRowSpan(255, 0, 4, 1);
  EXPECT_TRUE(g.Full());
  g.FillRowSpan(7, 0, 4, 1);
  EXPECT_FALSE(g.Full());

  // A 1-bit mask reports full after Clear until CheckFull tells the truth.
  TIEMask b;
  b.AllocateBits(10, 4, 1);
  EXPECT_FALSE(b.Full());
  b.Clear();
  EXPECT_TRUE(b.Full());
  b.CheckFull();
  EXPECT_FALSE(b.Full());
  b.Fill(1);  // every eighth pixel
  EXPECT_EQ(b.GetPixel(7, 0), 1u);
  EXPECT_EQ(b.GetPixel(0, 0), 0u);
  b.CheckFull();
  EXPECT_FALSE(b.Full());
}

TEST(MaskTest, CheckFullReadsOnlyPixelsInsideTheWidth) {
  // Width 10: one whole byte and two further pixels per row.
  TIEMask b;
  b.AllocateBits(10, 3, 1);
  for (int32_t y = 0; y < 3; ++y) b.FillRowSpan(1, 0, 9, y);
  for (int32_t y = 0; y < 3; ++y) EXPECT_EQ(b.GetScanline(y)[1], 0xC0);  // padding bits clear
  b.CheckFull();
  EXPECT_TRUE(b.Full());
  const struct {
    int32_t x, y;
  } holes[] = {{0, 0}, {7, 1}, {8, 2}, {9, 0}};
  for (const auto& h : holes) {
    b.SetPixel(h.x, h.y, 0);
    b.CheckFull();
    EXPECT_FALSE(b.Full()) << h.x << "," << h.y;
    b.SetPixel(h.x, h.y, 1);
    b.CheckFull();
    EXPECT_TRUE(b.Full());
  }
  TIEMask g;
  g.AllocateBits(3, 2, 8);
  g.Fill(255);
  g.GetScanline(1)[2] = 254;
  g.CheckFull();
  EXPECT_FALSE(g.Full());
  g.GetScanline(1)[3] = 0;  // padding byte
  g.GetScanline(1)[2] = 255;
  g.CheckFull();
  EXPECT_TRUE(g.Full());
}

TEST(MaskTest, OutOfRangeCoordinatesAreIgnored) {
  for (int32_t bpp : {1, 8}) {
    TIEMask m;
    m.AllocateBits(6, 4, bpp);
    const struct {
      int32_t x, y;
    } outside[] = {{-1, 0}, {6, 0}, {0, -1}, {0, 4}, {-2147483647 - 1, 2}, {2147483647, 2147483647}};
    for (const auto& p : outside) {
      m.SetPixel(p.x, p.y, 255);
      EXPECT_EQ(m.GetPixel(p.x, p.y), 0u);
    }
    EXPECT_TRUE(StoredPixels(m).empty());
    EXPECT_TRUE(m.IsEmpty());
    // Rows above or below the mask write nothing (not row 0 or the last row).
    EXPECT_EQ(m.FillRowSpan(bpp == 1 ? 1 : 255, 0, 5, -1), 0);
    EXPECT_EQ(m.FillRowSpan(bpp == 1 ? 1 : 255, 0, 5, 4), 0);
    EXPECT_TRUE(StoredPixels(m).empty());
    // Columns are clamped.
    EXPECT_EQ(m.FillRowSpan(bpp == 1 ? 1 : 255, -5, 100, 2), 6);
    EXPECT_EQ(m.FillRowSpan(bpp == 1 ? 1 : 255, 4, 2, 1), 0);
    Pixels want;
    for (int32_t x = 0; x < 6; ++x) want.insert({x, 2});
    EXPECT_EQ(StoredPixels(m), want);
    EXPECT_TRUE(m.IsEmpty());  // FillRowSpan leaves the box alone
    EXPECT_EQ(m.GetScanline(4), nullptr);
    EXPECT_EQ(m.GetScanline(-1), nullptr);
  }
  // 1-bit: value 1 sets, any other value clears.
  TIEMask b;
  b.AllocateBits(8, 1, 1);
  b.Fill(255);
  b.FillRowSpan(2, 2, 4, 0);
  EXPECT_EQ(b.GetScanline(0)[0], 0xC7);
}

TEST(MaskTest, SquareFillsColumnsAndRowsZeroToNine) {
  for (int32_t bpp : {1, 8}) {
    TIEMask m;
    m.AllocateBits(16, 16, bpp);
    const std::vector<TPoint> sq = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    m.AddPolygon(bpp == 1 ? 1 : 255, sq.data(), int32_t(sq.size()));
    Pixels want;
    for (int32_t y = 0; y <= 9; ++y)
      for (int32_t x = 0; x <= 9; ++x) want.insert({x, y});
    EXPECT_EQ(StoredPixels(m), want) << bpp;
    EXPECT_EQ(std::vector<int32_t>({m.X1(), m.Y1(), m.X2(), m.Y2()}), std::vector<int32_t>({0, 0, 9, 9}));
    // The boundary: column 10 and row 10 stay out.
    EXPECT_EQ(m.GetPixel(10, 5), 0u);
    EXPECT_EQ(m.GetPixel(5, 10), 0u);
    EXPECT_NE(m.GetPixel(9, 9), 0u);
  }
}

TEST(MaskTest, PolygonsMatchThePerPixelRule) {
  const std::vector<std::vector<TPoint>> polys = {
      {{2, 1}, {17, 6}, {5, 14}},                                   // triangle
      {{9, 0}, {1, 13}, {18, 11}},                                  // triangle, left edge steeper
      {{1, 1}, {18, 1}, {18, 15}, {10, 5}, {1, 15}},                // concave, notch from below
      {{0, 0}, {7, 3}, {14, 0}, {19, 9}, {12, 16}, {7, 8}, {2, 17}},  // concave zigzag
      {{3, 2}, {3, 12}, {12, 12}},                                   // vertical and horizontal edges
      {{-4, -3}, {25, 4}, {8, 30}},                                  // beyond the mask on three sides
      {{-2000000000, -2000000000}, {2000000000, 5}, {7, 2000000000}},  // far beyond: rows skipped, no overflow
      {{5, -2147483647 - 1}, {15, 2147483647}, {-3, 9}},              // the widest rows a point can give
  };
  for (int32_t bpp : {1, 8})
    for (size_t i = 0; i < polys.size(); ++i) {
      TIEMask m;
      m.AllocateBits(20, 18, bpp);
      m.AddPolygon(bpp == 1 ? 1 : 200, polys[i].data(), int32_t(polys[i].size()));
      const Pixels want = ExpectedFill(polys[i], 20, 18);
      ASSERT_FALSE(want.empty());
      EXPECT_EQ(StoredPixels(m), want) << "polygon " << i << " bpp " << bpp;
      if (bpp == 8) {
        for (const auto& p : want) EXPECT_EQ(m.GetPixel(p.first, p.second), 200u);
      }
    }
}

TEST(MaskTest, PolygonBoxFromVertices) {
  TIEMask m;
  m.AllocateBits(20, 20, 1);
  const std::vector<TPoint> tri = {{2, 1}, {17, 6}, {5, 14}};
  m.AddPolygon(1, tri.data(), 3);
  // Least x and y as they are; greatest x and y minus one.
  EXPECT_EQ(std::vector<int32_t>({m.X1(), m.Y1(), m.X2(), m.Y2()}), std::vector<int32_t>({2, 1, 16, 13}));
  TIEMask n;
  n.AllocateBits(10, 10, 1);
  const std::vector<TPoint> big = {{-5, -5}, {30, -5}, {30, 30}};
  n.AddPolygon(1, big.data(), 3);
  EXPECT_EQ(std::vector<int32_t>({n.X1(), n.Y1(), n.X2(), n.Y2()}), std::vector<int32_t>({0, 0, 9, 9}));
}

TEST(MaskTest, DegeneratePolygonFillsNothingAndEmptiesTheBox) {
  TIEMask m;
  m.AllocateBits(10, 10, 1);
  m.SetPixel(1, 1, 1);
  const std::vector<TPoint> flat = {{0, 4}, {9, 4}, {5, 4}};
  m.AddPolygon(1, flat.data(), 3);
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_EQ(StoredPixels(m), Pixels({{1, 1}}));
  // Entirely outside the mask: nothing written, box empty.
  const std::vector<TPoint> away = {{0, 20}, {9, 20}, {5, 30}};
  m.AddPolygon(1, away.data(), 3);
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_EQ(StoredPixels(m), Pixels({{1, 1}}));
}

TEST(MaskTest, AddPolygonsSplitsAtTheSeparator) {
  const std::vector<TPoint> p = {{1, 1}, {8, 2}, {3, 9}};
  const std::vector<TPoint> q = {{12, 3}, {19, 5}, {14, 15}};
  std::vector<TPoint> all = p;
  all.push_back({IEPolygonSeparator, 12345});
  all.insert(all.end(), q.begin(), q.end());
  TIEMask m;
  m.AllocateBits(20, 16, 1);
  m.AddPolygons(1, all.data(), int32_t(all.size()));
  Pixels want = ExpectedFill(p, 20, 16);
  const Pixels wq = ExpectedFill(q, 20, 16);
  want.insert(wq.begin(), wq.end());
  EXPECT_EQ(StoredPixels(m), want);
  EXPECT_FALSE(m.Full());  // AddPolygons ends with CheckFull
  // Covering everything makes the mask full.
  const std::vector<TPoint> cover = {{0, 0}, {20, 0}, {20, 16}, {0, 16}};
  m.AddPolygons(1, cover.data(), 4);
  EXPECT_TRUE(m.Full());
}

TEST(MaskTest, TranslateShrinksOrCuts) {
  const auto setup = [](TIEMask& m, int32_t bpp) {
    m.AllocateBits(12, 6, bpp);
    for (int32_t x = 2; x <= 7; ++x)
      for (int32_t y = 1; y <= 3; ++y) m.SetPixel(x, y, bpp == 1 ? 1 : 9);
  };
  for (int32_t bpp : {1, 8}) {
    TIEMask m;
    setup(m, bpp);
    int32_t dx = -5, dy = 0;
    m.Translate(dx, dy, false);
    EXPECT_EQ(dx, -2);
    EXPECT_EQ(dy, 0);
    Pixels want;
    for (int32_t x = 0; x <= 5; ++x)
      for (int32_t y = 1; y <= 3; ++y) want.insert({x, y});
    EXPECT_EQ(StoredPixels(m), want) << bpp;
    EXPECT_EQ(std::vector<int32_t>({m.X1(), m.Y1(), m.X2(), m.Y2()}), std::vector<int32_t>({0, 1, 5, 3}));

    TIEMask c;
    setup(c, bpp);
    dx = -5;
    dy = 0;
    c.Translate(dx, dy, true);
    EXPECT_EQ(dx, -5);
    want.clear();
    for (int32_t x = 0; x <= 2; ++x)  // columns 5..7 survive; 2..4 dropped
      for (int32_t y = 1; y <= 3; ++y) want.insert({x, y});
    EXPECT_EQ(StoredPixels(c), want) << bpp;

    TIEMask d;
    setup(d, bpp);
    dx = 3;
    dy = 4;  // bottom rows leave the mask
    d.Translate(dx, dy, true);
    want.clear();
    for (int32_t x = 5; x <= 10; ++x)
      for (int32_t y = 5; y <= 5; ++y) want.insert({x, y});
    EXPECT_EQ(StoredPixels(d), want) << bpp;
    EXPECT_EQ(std::vector<int32_t>({d.X1(), d.Y1(), d.X2(), d.Y2()}), std::vector<int32_t>({5, 5, 10, 5}));
  }
  TIEMask e;
  e.AllocateBits(5, 5, 1);
  int32_t dx = 2, dy = 2;
  e.Translate(dx, dy, false);  // nothing selected: nothing moves
  EXPECT_TRUE(e.IsEmpty());
}

TEST(MaskTest, ResizeKeepsTopLeftContent) {
  TIEMask m;
  m.AllocateBits(10, 6, 1);
  m.SetPixel(1, 0, 1);
  m.SetPixel(8, 5, 1);
  m.Resize(5, 3);
  EXPECT_EQ(m.Width(), 5);
  EXPECT_EQ(m.Height(), 3);
  EXPECT_EQ(StoredPixels(m), Pixels({{1, 0}}));
  EXPECT_EQ(std::vector<int32_t>({m.X1(), m.Y1(), m.X2(), m.Y2()}), std::vector<int32_t>({1, 0, 4, 2}));
  m.Resize(40, 9);
  EXPECT_EQ(StoredPixels(m), Pixels({{1, 0}}));
}

// A TIEBitmap whose pixels are a function of position.
void FillBitmap(TIEBitmap& b, int32_t w, int32_t h, TIEPixelFormat f, int32_t seed) {
  ASSERT_TRUE(b.Allocate(w, h, f));
  const int32_t n = IEPixelFormatInfo(f).BitsPerPixel / 8;
  for (int32_t y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(b.GetScanline(y));
    for (int32_t i = 0; i < w * n; ++i) row[i] = uint8_t(seed + 7 * i + 13 * y);
  }
}

TEST(MaskTest, CopyBitmapAreaWithOneBitMask) {
  TIEMask m;
  m.AllocateBits(8, 6, 1);
  m.SetPixel(2, 1, 1);
  m.SetPixel(5, 4, 1);
  m.SetPixel(3, 3, 1);
  m.SetPixel(3, 3, 0);  // inside the box but clear
  for (TIEPixelFormat f : {ie24RGB, ie8g, ieRGB48, ieCMYK}) {
    TIEBitmap src, dst, before;
    FillBitmap(src, 8, 6, f, 1);
    FillBitmap(dst, 8, 6, f, 100);
    FillBitmap(before, 8, 6, f, 100);
    m.CopyBitmapArea(dst, src, false, false, false);
    const int32_t n = IEPixelFormatInfo(f).BitsPerPixel / 8;
    for (int32_t y = 0; y < 6; ++y) {
      auto* s = static_cast<uint8_t*>(src.GetScanline(y));
      auto* d = static_cast<uint8_t*>(dst.GetScanline(y));
      auto* b = static_cast<uint8_t*>(before.GetScanline(y));
      for (int32_t x = 0; x < 8; ++x)
        EXPECT_EQ(std::memcmp(d + x * n, (m.GetPixel(x, y) ? s : b) + x * n, size_t(n)), 0)
            << int(f) << " " << x << "," << y;
    }
  }
  // Different formats copy nothing.
  TIEBitmap rgb, gray;
  FillBitmap(rgb, 8, 6, ie24RGB, 1);
  FillBitmap(gray, 8, 6, ie8g, 50);
  m.CopyBitmapArea(gray, rgb, false, false, false);
  EXPECT_EQ(static_cast<uint8_t*>(gray.GetScanline(1))[2], uint8_t(50 + 7 * 2 + 13));
}

TEST(MaskTest, CopyBitmapAreaBlendsWithEightBitMask) {
  TIEMask m;
  m.AllocateBits(6, 4, 8);
  const int32_t values[] = {0, 1, 128, 255};
  for (int32_t i = 0; i < 4; ++i) m.SetPixel(i + 1, 2, uint32_t(values[i]));
  m.SetX1(1);  // a 0 value inside the box must still leave the destination alone
  TIEBitmap src, dst, before;
  FillBitmap(src, 6, 4, ie24RGB, 200);
  FillBitmap(dst, 6, 4, ie24RGB, 10);
  FillBitmap(before, 6, 4, ie24RGB, 10);
  m.CopyBitmapArea(dst, src, false, false, false);
  for (int32_t y = 0; y < 4; ++y) {
    auto* s = static_cast<uint8_t*>(src.GetScanline(y));
    auto* d = static_cast<uint8_t*>(dst.GetScanline(y));
    auto* b = static_cast<uint8_t*>(before.GetScanline(y));
    for (int32_t i = 0; i < 18; ++i) {
      const int32_t mv = int32_t(m.GetPixel(i / 3, y));
      const int32_t sv = s[i], dv = b[i];
      // d + floor((s - d) * m / 256)
      const int32_t prod = (sv - dv) * mv;
      const int32_t fl = prod >= 0 ? prod / 256 : -((-prod + 255) / 256);
      EXPECT_EQ(d[i], dv + fl) << i << "," << y;
    }
  }
  // 24-bit to 8-bit gray: nothing.
  TIEBitmap gray;
  FillBitmap(gray, 6, 4, ie8g, 77);
  m.CopyBitmapArea(gray, src, false, false, false);
  EXPECT_EQ(static_cast<uint8_t*>(gray.GetScanline(2))[4], uint8_t(77 + 28 + 26));
}

TEST(MaskTest, CopyBitmapAreaBoxSizedAndAlpha) {
  TIEMask m;
  m.AllocateBits(10, 10, 1);
  m.SetPixel(4, 5, 1);
  m.SetPixel(6, 7, 1);  // box (4,5)-(6,7): 3 x 3
  TIEBitmap src, dst;
  FillBitmap(src, 3, 3, ie8g, 1);  // box-sized source
  FillBitmap(dst, 10, 10, ie8g, 0);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) static_cast<uint8_t*>(src.GetAlphaChannel()->GetScanline(y))[x] = uint8_t(90 + x);
  m.CopyBitmapArea(dst, src, false, true, true);
  auto* s = static_cast<uint8_t*>(src.GetScanline(0));
  EXPECT_EQ(static_cast<uint8_t*>(dst.GetScanline(5))[4], s[0]);
  EXPECT_EQ(static_cast<uint8_t*>(dst.GetScanline(7))[6], static_cast<uint8_t*>(src.GetScanline(2))[2]);
  TIEBitmap* a = dst.GetAlphaChannel();
  EXPECT_FALSE(a->FullyOpaque());
  for (int32_t y = 5; y <= 7; ++y)
    for (int32_t x = 4; x <= 6; ++x)
      EXPECT_EQ(static_cast<uint8_t*>(a->GetScanline(y))[x], m.GetPixel(x, y) ? 90 + (x - 4) : 0) << x << "," << y;
}

TEST(MaskTest, CopyBitmapAreaNeverOverrunsSmallBitmaps) {
  TIEMask m;
  m.AllocateBits(10, 10, 8);
  m.SetPixel(0, 0, 255);
  m.SetPixel(9, 9, 255);
  TIEBitmap src, dst;
  FillBitmap(src, 4, 4, ie24RGB, 1);
  FillBitmap(dst, 4, 4, ie24RGB, 2);
  m.CopyBitmapArea(dst, src, false, false, true);  // full-size flags, small bitmaps
  // (9, 9) lies outside both bitmaps and is skipped; (0, 0) blends as documented.
  const int32_t sv = static_cast<uint8_t*>(src.GetScanline(0))[0], dv = 2;
  const int32_t prod = (sv - dv) * 255;
  EXPECT_EQ(static_cast<uint8_t*>(dst.GetScanline(0))[0], dv + (prod >= 0 ? prod / 256 : -((-prod + 255) / 256)));
  EXPECT_EQ(static_cast<uint8_t*>(dst.GetAlphaChannel()->GetScanline(0))[0], 255);
  EXPECT_EQ(static_cast<uint8_t*>(dst.GetAlphaChannel()->GetScanline(0))[1], 0);
}

std::unique_ptr<TBitmap> Bitmap24(int32_t w, int32_t h, uint8_t value) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(w, h);
  for (int32_t y = 0; y < h; ++y) std::memset(b->ScanLine(y), value, size_t(w) * 3);
  return b;
}

TEST(MaskTest, DrawOnBitmapCheckerboardOutsideSelectionOnly) {
  TIEMask m;
  m.AllocateBits(8, 6, 1);
  for (int32_t x = 2; x <= 4; ++x)
    for (int32_t y = 1; y <= 3; ++y) m.SetPixel(x, y, 1);
  auto bmp = Bitmap24(8, 6, 200);
  m.DrawOnBitmap(bmp.get(), 0, 0, 8, 6, 0, 0, 8, 6, -1, clRed);
  for (int32_t y = 0; y < 6; ++y) {
    auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
    for (int32_t x = 0; x < 8; ++x) {
      const uint8_t want = (!m.GetPixel(x, y) && (x + y) % 2 == 0) ? 97 : 200;
      for (int32_t ch = 0; ch < 3; ++ch) EXPECT_EQ(row[x * 3 + ch], want) << x << "," << y;
    }
  }
}

TEST(MaskTest, DrawOnBitmapTintsByOpacity) {
  TIEMask m;
  m.AllocateBits(4, 4, 8);
  m.SetPixel(1, 1, 255);
  m.SetPixel(2, 2, 3);  // any non-zero value counts as selected
  const TColor color = TColor(0x00 | (0x80 << 8) | (0xFF << 16));  // red 0, green 128, blue 255
  for (int32_t opacity : {0, 100, 255}) {
    auto bmp = Bitmap24(4, 4, 60);
    m.DrawOnBitmap(bmp.get(), 0, 0, 4, 4, 0, 0, 4, 4, opacity, color);
    const double a = opacity / 255.0;
    const uint8_t want[3] = {uint8_t(255 * a + 60 * (1 - a)), uint8_t(128 * a + 60 * (1 - a)),
                             uint8_t(0 * a + 60 * (1 - a))};  // blue, green, red
    for (int32_t y = 0; y < 4; ++y) {
      auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
      for (int32_t x = 0; x < 4; ++x)
        for (int32_t ch = 0; ch < 3; ++ch)
          EXPECT_EQ(row[x * 3 + ch], m.GetPixel(x, y) ? 60 : want[ch]) << opacity << " " << x << "," << y;
    }
  }
}

TEST(MaskTest, DrawOnBitmapScalesThroughTheCache) {
  TIEMask m;
  m.AllocateBits(4, 4, 1);
  m.SetPixel(1, 2, 1);
  auto bmp = Bitmap24(8, 8, 200);
  m.DrawOnBitmap(bmp.get(), 0, 0, 8, 8, 0, 0, 4, 4, -1, clBlack);
  ASSERT_EQ(m.CacheWidth(), 8);
  ASSERT_EQ(m.CacheHeight(), 8);
  for (int32_t y = 0; y < 8; ++y) {
    auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
    for (int32_t x = 0; x < 8; ++x) {
      const bool selected = x / 2 == 1 && y / 2 == 2;  // each mask pixel shown 2 x 2
      EXPECT_EQ(row[x * 3], (!selected && (x + y) % 2 == 0) ? 97 : 200) << x << "," << y;
    }
  }
}

TEST(MaskTest, DrawOutlineMarksTheBoundary) {
  TIEMask m;
  m.AllocateBits(12, 10, 1);
  for (int32_t x = 3; x <= 8; ++x)
    for (int32_t y = 2; y <= 6; ++y) m.SetPixel(x, y, 1);
  auto bmp = Bitmap24(12, 10, 50);
  const TColor ca = TColor(0x0000FF), cb = TColor(0x00FF00);  // red, green
  TRect r;
  const int32_t phase = 3;
  m.DrawOutline(bmp->Canvas(), 0, 0, 12, 10, 0, 0, 12, 10, phase, ca, cb, &r);
  for (int32_t y = 0; y < 10; ++y) {
    auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
    for (int32_t x = 0; x < 12; ++x) {
      const bool inside = x >= 3 && x <= 8 && y >= 2 && y <= 6;
      const bool edge = inside && (x == 3 || x == 8 || y == 2 || y == 6);
      uint8_t want[3] = {50, 50, 50};
      if (edge) {
        const bool useB = ((x + y + phase) & 7) < 4;
        want[0] = 0;
        want[1] = useB ? 255 : 0;
        want[2] = useB ? 0 : 255;
      }
      for (int32_t ch = 0; ch < 3; ++ch) EXPECT_EQ(row[x * 3 + ch], want[ch]) << x << "," << y;
    }
  }
  // Scanned rows 2..8 and columns 3..10 (one past the box and one more).
  EXPECT_EQ(r.Left, 0 + 3 + 1);
  EXPECT_EQ(r.Top, 0 + 2 + 1);
  EXPECT_EQ(r.Right, 0 + 10 - 1);
  EXPECT_EQ(r.Bottom, 0 + 8 - 1);
}

TEST(MaskTest, DrawOutlineLeavesTheSideThatContinuesOutOfView) {
  // Selection x 2..8, y 2..6; the view shows source columns 4..11 at 1:1, so
  // the selection goes on past the view's left side and that side gets no line.
  TIEMask m;
  m.AllocateBits(12, 10, 1);
  for (int32_t x = 2; x <= 8; ++x)
    for (int32_t y = 2; y <= 6; ++y) m.SetPixel(x, y, 1);
  auto bmp = Bitmap24(8, 10, 50);
  m.DrawOutline(bmp->Canvas(), 0, 0, 8, 10, 4, 0, 8, 10, 0, clBlack, clBlack, nullptr);
  for (int32_t y = 0; y < 10; ++y) {
    auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
    for (int32_t c = 0; c < 8; ++c) {
      // View column c shows source column 4 + c; the selection covers view columns 0..4.
      const bool drawn = c >= 1 && c <= 4 && y >= 2 && y <= 6 && (y == 2 || y == 6 || c == 4);
      EXPECT_EQ(row[c * 3], drawn ? 0 : 50) << c << "," << y;
    }
  }
}

TEST(MaskTest, DrawOnBitmapNegativeOffsetSkipsHiddenRows) {
  // Destination row -2 is off the bitmap: bitmap row y shows mask row y + 2.
  TIEMask m;
  m.AllocateBits(4, 6, 1);
  m.SetPixel(1, 3, 1);
  m.SetPixel(2, 4, 1);
  auto bmp = Bitmap24(4, 4, 200);
  m.DrawOnBitmap(bmp.get(), 0, -2, 4, 6, 0, 0, 4, 6, -1, clBlack);
  for (int32_t y = 0; y < 4; ++y) {
    auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
    for (int32_t x = 0; x < 4; ++x)
      EXPECT_EQ(row[x * 3], (!m.GetPixel(x, y + 2) && (x + y) % 2 == 0) ? 97 : 200) << x << "," << y;
  }
}

TEST(MaskTest, DrawInvertedInvertsSelectedPixelsOfOneBitMasksOnly) {
  TIEMask g;
  g.AllocateBits(4, 4, 8);
  g.Fill(255);
  g.SetPixel(0, 0, 255);
  auto bmp = Bitmap24(4, 4, 40);
  g.DrawInverted(bmp->Canvas(), 0, 0, 4, 4, 0, 0, 4, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t i = 0; i < 12; ++i) EXPECT_EQ(static_cast<uint8_t*>(bmp->ScanLine(y))[i], 40);

  TIEMask m;
  m.AllocateBits(4, 4, 1);
  m.SetPixel(1, 0, 1);
  m.SetPixel(2, 3, 1);
  m.DrawInverted(bmp->Canvas(), 0, 0, 4, 4, 0, 0, 4, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x)
      EXPECT_EQ(static_cast<uint8_t*>(bmp->ScanLine(y))[x * 3], m.GetPixel(x, y) ? 255 - 40 : 40) << x << "," << y;
}

}  // namespace
