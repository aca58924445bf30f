#include "imaging/core/ierender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "imaging/core/ieblend.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/iepixels.h"
#include "imaging/core/ieresample.h"
#include "platform/vcl/graphics.h"
#include "tests/support/imaging/raster_bitmap.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

namespace {

namespace fs = std::filesystem;

std::unique_ptr<TIEBitmap> Random24(int32_t w, int32_t h, uint32_t seed) {
  auto b = TIEBitmap::CreateSized(w, h, ie24RGB);
  std::mt19937 rng(seed);
  for (int32_t y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(b->GetScanline(y));
    for (int32_t x = 0; x < w * 3; ++x) row[x] = uint8_t(rng());
  }
  return b;
}

std::unique_ptr<TIEBitmap> Filled24(int32_t w, int32_t h, TRGB c) {
  auto b = TIEBitmap::CreateSized(w, h, ie24RGB);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b->SetPixel24(x, y, c);
  return b;
}

// Every pixel of two ie24RGB buffers; the first difference is reported.
::testing::AssertionResult SamePixels(TIEBitmap& a, TIEBitmap& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
    return ::testing::AssertionFailure() << "sizes differ";
  for (int32_t y = 0; y < a.GetHeight(); ++y)
    for (int32_t x = 0; x < a.GetWidth(); ++x)
      if (!(a.GetPixel24(x, y) == b.GetPixel24(x, y)))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
  return ::testing::AssertionSuccess();
}

// ---- the stereo operations, evaluated here from their formulas ----

int Gray(const TRGB& p) { return (p.r * 21 + p.g * 71 + p.b * 8) / 100; }

uint8_t DuboisChannel(const long double (&c)[6], const TRGB& d, const TRGB& s) {
  const long double v = c[0] * d.r + c[1] * d.g + c[2] * d.b + c[3] * s.r + c[4] * s.g + c[5] * s.b;
  return uint8_t(std::clamp(std::nearbyint(v), 0.0L, 255.0L));
}

// The destination pixel after operation op of layer pixel s over d on destination row `row`.
TRGB Stereo(int op, const TRGB& s, const TRGB& d, int row) {
  switch (op) {
    case 0:
      return s;
    case 38:
      return TRGB{uint8_t(Gray(s)), uint8_t(Gray(s)), uint8_t(Gray(d))};
    case 39:
      return TRGB{s.b, s.g, d.r};
    case 40: {
      const long double r[6] = {0.4561L, 0.500484L, 0.176381L, -0.0434706L, -0.0879388L, -0.00155529L};
      const long double g[6] = {-0.0400822L, -0.0378246L, -0.0157589L, 0.378476L, 0.73364L, -0.0184503L};
      const long double b[6] = {-0.0152161L, -0.0205971L, -0.00546856L, -0.0721527L, -0.112961L, 1.2264L};
      return TRGB{DuboisChannel(b, d, s), DuboisChannel(g, d, s), DuboisChannel(r, d, s)};
    }
    case 41:
      return row % 2 == 0 ? s : d;
    case 42:
      return row % 2 == 1 ? s : d;
    case 43:
      return TRGB{0, s.g, d.r};
    default:
      return d;
  }
}
const int kStereoOps[] = {0, 38, 39, 40, 41, 42, 43};

// ---- nearest-pixel geometry, evaluated here from the clipping rules ----

struct Geometry {
  int32_t xd, yd, wd, hd, xs, ys, ws, hs;
};

// Source pixel of every destination pixel, or -1 where nothing is drawn.
std::vector<std::pair<int32_t, int32_t>> ExpectedMapping(int32_t sw, int32_t sh, int32_t W, int32_t H, Geometry g) {
  std::vector<std::pair<int32_t, int32_t>> map(size_t(W) * size_t(H), {-1, -1});
  if (g.wd == 0 || g.hd == 0 || g.ws == 0 || g.hs == 0 || g.yd > H - 1 || g.xd > W - 1) return map;
  const double ry = double(g.hs) / g.hd, rx = double(g.ws) / g.wd;
  double xd = g.xd, yd = g.yd, wd = g.wd, hd = g.hd, xs = g.xs, ys = g.ys, ws = g.ws, hs = g.hs;
  if (yd < 0) {
    const double k = std::nearbyint(-yd * ry);
    hd += yd, hs -= k, ys += k, yd = 0;
  }
  if (xd < 0) {
    const double k = std::nearbyint(-xd * rx);
    wd += xd, ws -= k, xs += k, xd = 0;
  }
  if (yd + hd > H) hs -= std::trunc((yd + hd - H) * ry), hd = H - yd;
  if (xd + wd > W) ws -= std::trunc((xd + wd - W) * rx), wd = W - xd;
  xd = std::clamp(xd, 0.0, W - 1.0), yd = std::clamp(yd, 0.0, H - 1.0);
  wd = std::clamp(wd, 0.0, double(W)), hd = std::clamp(hd, 0.0, double(H));
  xs = std::clamp(xs, 0.0, sw - 1.0), ys = std::clamp(ys, 0.0, sh - 1.0);
  ws = std::clamp(ws, 0.0, double(sw)), hs = std::clamp(hs, 0.0, double(sh));
  if (wd == 0 || hd == 0 || ws == 0 || hs == 0) return map;
  for (int32_t y = int32_t(yd); y <= std::min<int32_t>(int32_t(yd + hd) - 1, H - 1); ++y)
    for (int32_t x = int32_t(xd); x <= std::min<int32_t>(int32_t(xd + wd) - 1, W - 1); ++x) {
      const auto sx = std::clamp<int32_t>(int32_t(std::trunc((x - xd) * rx + xs)), 0, sw - 1);
      const auto sy = std::clamp<int32_t>(int32_t(std::trunc((y - yd) * ry + ys)), 0, sh - 1);
      map[size_t(y) * size_t(W) + size_t(x)] = {sx, sy};
    }
  return map;
}

void Render(TIEBitmap& src, TIEBitmap& dst, Geometry g, int32_t transparency = 255, uint8_t op = 0,
            const TRect* update = nullptr, bool reuse = false, bool alpha = true, TResampleFilter f = rfNone) {
  src.RenderToTIEBitmap(dst, nullptr, nullptr, nullptr, update, g.xd, g.yd, g.wd, g.hd, g.xs, g.ys, g.ws, g.hs, alpha,
                        reuse, transparency, f, true, op);
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    IELuminanceWeights = TIELuminanceWeights{};
  }
};

TEST_F(RenderTest, ClippingAndStretchingFollowTheRules) {
  struct Case {
    const char* name;
    int32_t sw, sh, W, H;
    Geometry g;
  };
  const Case cases[] = {
      {"at x -5, width 20", 10, 10, 30, 12, {-5, 0, 20, 10, 0, 0, 10, 10}},
      {"1:1 inside", 10, 10, 30, 12, {3, 1, 10, 10, 0, 0, 10, 10}},
      {"above the top, enlarged", 9, 11, 20, 15, {3, -7, 12, 25, 1, 2, 6, 7}},
      {"past right and bottom", 10, 10, 30, 12, {25, 5, 20, 20, 0, 0, 10, 10}},
      {"past every edge", 8, 8, 10, 10, {-6, -3, 25, 17, 0, 0, 8, 8}},
      {"reduced by odd ratios", 37, 29, 30, 20, {2, 1, 13, 9, 3, 2, 31, 25}},
      {"source rectangle past the source", 10, 10, 30, 12, {0, 0, 20, 12, 5, 5, 10, 10}},
      {"source rectangle beside the source", 10, 10, 30, 12, {0, 0, 6, 6, 20, 20, 5, 5}},
      {"source before the source", 10, 10, 30, 12, {0, 0, 6, 6, -4, -9, 5, 5}},
      {"wholly right of the destination", 10, 10, 30, 12, {30, 0, 10, 10, 0, 0, 10, 10}},
      {"wholly left of the destination", 10, 10, 30, 12, {-50, 0, 20, 10, 0, 0, 10, 10}},
      {"wholly below the destination", 10, 10, 30, 12, {0, 12, 10, 10, 0, 0, 10, 10}},
      {"negative sizes", 10, 10, 30, 12, {0, 0, -10, 10, 0, 0, 10, 10}},
      {"zero source size", 10, 10, 30, 12, {0, 0, 10, 10, 0, 0, 0, 10}},
      {"huge rectangles", 10, 10, 30, 12, {-2000000000, -2000000000, 2100000000, 2100000000, 0, 0, 10, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto src = Random24(c.sw, c.sh, 7);
    auto dst = Filled24(c.W, c.H, TRGB{1, 2, 3});
    Render(*src, *dst, c.g);
    const auto map = ExpectedMapping(c.sw, c.sh, c.W, c.H, c.g);
    int bad = 0;
    for (int32_t y = 0; y < c.H; ++y)
      for (int32_t x = 0; x < c.W; ++x) {
        const auto [sx, sy] = map[size_t(y) * size_t(c.W) + size_t(x)];
        const TRGB want = sx < 0 ? TRGB{1, 2, 3} : src->GetPixel24(sx, sy);
        if (!(dst->GetPixel24(x, y) == want) && ++bad <= 3) ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
      }
  }
}

TEST_F(RenderTest, HalfScaleAtMinusFiveStartsAtSourceColumnTwo) {
  // round(5 * 0.5) = 2 with halves to even: the destination's column 0 shows source column 2.
  auto src = TIEBitmap::CreateSized(10, 10, ie24RGB);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) src->SetPixel24(x, y, TRGB{uint8_t(x), uint8_t(y), 99});
  auto dst = Filled24(30, 10, TRGB{});
  Render(*src, *dst, {-5, 0, 20, 10, 0, 0, 10, 10});
  EXPECT_EQ(dst->GetPixel24(0, 0).b, 2);
  EXPECT_EQ(dst->GetPixel24(14, 0).b, 9);
  EXPECT_EQ(dst->GetPixel24(15, 0), TRGB{});  // 20 - 5 columns drawn
}

TEST_F(RenderTest, OneToOneCopiesRowsByteForByte) {
  auto src = Random24(33, 17, 3);
  auto dst = Filled24(33, 17, TRGB{});
  Render(*src, *dst, {0, 0, 33, 17, 0, 0, 33, 17});
  for (int32_t y = 0; y < 17; ++y)
    EXPECT_EQ(std::memcmp(dst->GetScanline(y), src->GetScanline(y), 33 * 3), 0) << "row " << y;
}

// The stereo operations at 1:1 and stretched, with the destination rectangle
// at an odd row so that the interlace parity is the destination's.
TEST_F(RenderTest, StereoOperationsMatchTheirFormulas) {
  struct Case {
    int32_t W, H;
    Geometry g;
  };
  const Case cases[] = {{40, 30, {0, 0, 40, 30, 0, 0, 40, 30}},
                        {40, 30, {3, 5, 31, 21, 2, 1, 31, 21}},
                        {40, 30, {1, 3, 37, 26, 0, 0, 19, 13}}};
  auto right = Random24(40, 30, 11);
  auto left = Random24(40, 30, 12);
  for (const Case& c : cases)
    for (int op : kStereoOps)
      for (bool reuse : {false, true}) {
        SCOPED_TRACE("operation " + std::to_string(op) + " at y " + std::to_string(c.g.yd) +
                     (reuse ? " reusing rows" : ""));
        // Rows are reused only over a plain background (the view's first layer): there a
        // copied row is what drawing it would give.
        auto before = reuse ? Filled24(40, 30, TRGB{90, 120, 200}) : TIEBitmap::CreateCopy(left.get());
        auto dst = TIEBitmap::CreateCopy(before.get());
        Render(*right, *dst, c.g, 255, uint8_t(op), nullptr, reuse);
        const auto map = ExpectedMapping(40, 30, c.W, c.H, c.g);
        int bad = 0;
        for (int32_t y = 0; y < c.H; ++y)
          for (int32_t x = 0; x < c.W; ++x) {
            const auto [sx, sy] = map[size_t(y) * size_t(c.W) + size_t(x)];
            const TRGB d = before->GetPixel24(x, y);
            const TRGB want = sx < 0 ? d : Stereo(op, right->GetPixel24(sx, sy), d, y);
            if (!(dst->GetPixel24(x, y) == want) && ++bad <= 3) ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
          }
      }
}

TEST_F(RenderTest, InterlaceAtAnOddDestinationRowSkipsTheSourcesFirstRow) {
  auto src = Filled24(4, 4, TRGB{200, 200, 200});
  auto dst = Filled24(4, 8, TRGB{});
  Render(*src, *dst, {0, 1, 4, 4, 0, 0, 4, 4}, 255, 41);
  EXPECT_EQ(dst->GetPixel24(0, 1), TRGB{});  // source row 0 on odd destination row 1
  EXPECT_EQ(dst->GetPixel24(0, 2), (TRGB{200, 200, 200}));
  EXPECT_EQ(dst->GetPixel24(0, 3), TRGB{});
  EXPECT_EQ(dst->GetPixel24(0, 4), (TRGB{200, 200, 200}));
  EXPECT_EQ(dst->GetPixel24(0, 5), TRGB{});  // below the rectangle
}

TEST_F(RenderTest, TransparencyAndAlphaMix) {
  // 0 + floor(128 * 255 / 256) = 127.
  auto white = Filled24(5, 5, TRGB{255, 255, 255});
  auto dst = Filled24(5, 5, TRGB{});
  Render(*white, *dst, {0, 0, 5, 5, 0, 0, 5, 5}, 128);
  EXPECT_EQ(dst->GetPixel24(2, 2), (TRGB{127, 127, 127}));

  // a = min(transparency, alpha); mixing towards a darker value floors too.
  auto src = Filled24(3, 1, TRGB{10, 100, 250});
  TIEBitmap* a = src->GetAlphaChannel();
  a->SetPixelByte(0, 0, 0);
  a->SetPixelByte(1, 0, 255);
  a->SetPixelByte(2, 0, 100);
  auto dst2 = Filled24(3, 1, TRGB{200, 50, 50});
  Render(*src, *dst2, {0, 0, 3, 1, 0, 0, 3, 1}, 200);
  const auto mix = [](int d, int p, int alpha) { return uint8_t(d + int(std::floor(alpha * (p - d) / 256.0))); };
  EXPECT_EQ(dst2->GetPixel24(0, 0), (TRGB{200, 50, 50}));
  EXPECT_EQ(dst2->GetPixel24(1, 0), (TRGB{mix(200, 10, 200), mix(50, 100, 200), mix(50, 250, 200)}));
  EXPECT_EQ(dst2->GetPixel24(2, 0), (TRGB{mix(200, 10, 100), mix(50, 100, 100), mix(50, 250, 100)}));

  // Alpha not enabled: drawn as opaque.
  auto dst3 = Filled24(3, 1, TRGB{200, 50, 50});
  Render(*src, *dst3, {0, 0, 3, 1, 0, 0, 3, 1}, 255, 0, nullptr, false, false);
  EXPECT_EQ(dst3->GetPixel24(0, 0), (TRGB{10, 100, 250}));
}

TEST_F(RenderTest, TransparentOperationMixesTheCombinedPixel) {
  auto right = Random24(9, 7, 21);
  auto left = Random24(9, 7, 22);
  auto dst = TIEBitmap::CreateCopy(left.get());
  Render(*right, *dst, {0, 0, 9, 7, 0, 0, 9, 7}, 90, 40);
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 9; ++x) {
      const TRGB d = left->GetPixel24(x, y), c = Stereo(40, right->GetPixel24(x, y), d, y);
      const auto mix = [](int dv, int pv) { return uint8_t(dv + int(std::floor(90 * (pv - dv) / 256.0))); };
      ASSERT_EQ(dst->GetPixel24(x, y), (TRGB{mix(d.b, c.b), mix(d.g, c.g), mix(d.r, c.r)})) << x << "," << y;
    }
}

TEST_F(RenderTest, UpdateAreaLimitsTheDrawing) {
  auto src = Random24(20, 10, 5);
  for (uint8_t op : {uint8_t(0), uint8_t(39)}) {
    auto dst = Filled24(20, 10, TRGB{});
    const TRect area{4, 2, 9, 6};
    // At 1:1 with operation 0 whole row segments are moved: they too stay inside the area.
    Render(*src, *dst, {0, 0, 20, 10, 0, 0, 20, 10}, 255, op, &area);
    for (int32_t y = 0; y < 10; ++y)
      for (int32_t x = 0; x < 20; ++x) {
        const bool inside = x >= 4 && x <= 9 && y >= 2 && y <= 6;
        const TRGB want = inside ? Stereo(op, src->GetPixel24(x, y), TRGB{}, y) : TRGB{};
        ASSERT_EQ(dst->GetPixel24(x, y), want) << int(op) << ": " << x << "," << y;
      }
    // An area beside the destination draws nothing.
    auto untouched = Filled24(20, 10, TRGB{});
    const TRect beside{25, 0, 30, 9};
    Render(*src, *untouched, {0, 0, 20, 10, 0, 0, 20, 10}, 255, op, &beside);
    EXPECT_TRUE(SamePixels(*untouched, *Filled24(20, 10, TRGB{})));
  }
}

TEST_F(RenderTest, ReturnedTablesDrawTheSameAgain) {
  auto src = Random24(13, 11, 8);
  auto first = Filled24(30, 20, TRGB{});
  std::vector<uint8_t*> rows;
  std::vector<int32_t> cmap, rmap;
  src->RenderToTIEBitmap(*first, &rows, &cmap, &rmap, nullptr, 2, 3, 25, 16, 0, 0, 13, 11, true, false, 255, rfNone,
                         false, 38);
  EXPECT_EQ(rows.size(), 20u);
  EXPECT_EQ(cmap.size(), 25u);
  EXPECT_EQ(rmap.size(), 16u);
  auto second = Filled24(30, 20, TRGB{});
  std::vector<uint8_t*> rows2;
  src->RenderToTIEBitmap(*second, &rows2, &cmap, &rmap, nullptr, 2, 3, 25, 16, 0, 0, 13, 11, true, false, 255, rfNone,
                         false, 38);
  EXPECT_TRUE(SamePixels(*first, *second));
  // A handed-in map pointing past the source is cut where it leaves the source.
  std::vector<int32_t> bad = rmap;
  bad.back() = 1000;
  auto third = Filled24(30, 20, TRGB{});
  src->RenderToTIEBitmap(*third, nullptr, &cmap, &bad, nullptr, 2, 3, 25, 16, 0, 0, 13, 11, true, false, 255, rfNone,
                         true, 38);
  EXPECT_EQ(third->GetPixel24(5, 3 + 15), TRGB{});
  EXPECT_EQ(third->GetPixel24(5, 3 + 14), second->GetPixel24(5, 3 + 14));
}

TEST_F(RenderTest, OtherSourceFormats) {
  const auto draw = [](TIEBitmap& src) {
    auto dst = Filled24(src.GetWidth(), src.GetHeight(), TRGB{7, 7, 7});
    src.RenderToTIEBitmap(*dst, nullptr, nullptr, nullptr, nullptr, 0, 0, src.GetWidth(), src.GetHeight(), 0, 0,
                          src.GetWidth(), src.GetHeight(), true, false, 255, rfNone, true, 38);
    return dst;
  };
  auto g8 = TIEBitmap::CreateSized(3, 1, ie8g);
  g8->SetPixelByte(0, 0, 0);
  g8->SetPixelByte(1, 0, 128);
  g8->SetPixelByte(2, 0, 255);
  auto d8 = draw(*g8);  // operation 38 is not applied to gray sources
  EXPECT_EQ(d8->GetPixel24(1, 0), (TRGB{128, 128, 128}));
  // Gray range 100..200: trunc((clamp(v) - 100) / 100 * 255).
  g8->SetDisplayGrayMin(100);
  g8->SetDisplayGrayMax(200);
  auto r8 = draw(*g8);
  EXPECT_EQ(r8->GetPixel24(0, 0).g, 0);
  EXPECT_EQ(r8->GetPixel24(1, 0).g, 71);
  EXPECT_EQ(r8->GetPixel24(2, 0).g, 255);

  auto g1 = TIEBitmap::CreateSized(9, 1, ie1g);
  g1->Fill(0);
  IESetBit1(static_cast<uint8_t*>(g1->GetScanline(0)), 8, true);
  auto d1 = draw(*g1);
  EXPECT_EQ(d1->GetPixel24(8, 0), (TRGB{255, 255, 255}));
  EXPECT_EQ(d1->GetPixel24(7, 0), TRGB{});

  auto g16 = TIEBitmap::CreateSized(1, 1, ie16g);
  g16->SetPixelWord(0, 0, 0xABCD);
  EXPECT_EQ(draw(*g16)->GetPixel24(0, 0), (TRGB{0xAB, 0xAB, 0xAB}));

  auto f32 = TIEBitmap::CreateSized(3, 1, ie32f);
  f32->SetPixelFloat(0, 0, 0.5f);
  f32->SetPixelFloat(1, 0, 7.0f);
  f32->SetPixelFloat(2, 0, -1.0f);
  auto df = draw(*f32);
  EXPECT_EQ(df->GetPixel24(0, 0).r, 127);
  EXPECT_EQ(df->GetPixel24(1, 0).r, 255);
  EXPECT_EQ(df->GetPixel24(2, 0).r, 0);

  // ieRGB48 and ie32RGB go through the operation: 38 of (R 255, G 0, B 0) over gray 7 gives (7, 53, 53).
  auto c48 = TIEBitmap::CreateSized(1, 1, ieRGB48);
  c48->SetPixel48(0, 0, TRGB48{0xFF00, 0, 0});
  EXPECT_EQ(draw(*c48)->GetPixel24(0, 0), (TRGB{53, 53, 7}));
  auto c32 = TIEBitmap::CreateSized(1, 1, ie32RGB);
  c32->SetPixelDWord(0, 0, 0x12FF0000);
  EXPECT_EQ(draw(*c32)->GetPixel24(0, 0), (TRGB{53, 53, 7}));

  // ie8p without a palette draws nothing; with one, its entries.
  auto p8 = TIEBitmap::CreateSized(2, 1, ie8p);
  p8->SetPixelByte(0, 0, 1);
  p8->SetPixelByte(1, 0, 200);
  for (int i = 0; i < 256; ++i) p8->SetPaletteColor(i, TRGB{uint8_t(i), 0, uint8_t(255 - i)});
  auto dp = draw(*p8);
  EXPECT_EQ(dp->GetPixel24(1, 0), (TRGB{200, 0, 55}));
  TIEBitmap noPalette;
  ASSERT_TRUE(noPalette.Allocate(2, 1, ie8g));
  noPalette.CopyPaletteTo(p8.get());  // no entries to give: p8 loses its palette
  EXPECT_EQ(p8->GetPaletteLen(), 0);
  auto dn = draw(*p8);
  EXPECT_EQ(dn->GetPixel24(0, 0), (TRGB{7, 7, 7}));
}

TEST_F(RenderTest, DisplayAdjustments) {
  auto src = TIEBitmap::CreateSized(3, 1, ie24RGB);
  src->SetPixel24(0, 0, TRGB{0, 100, 200});
  src->SetPixel24(1, 0, TRGB{128, 129, 127});
  src->SetPixel24(2, 0, TRGB{255, 60, 10});
  src->SetDisplayContrast(10);   // gain trunc((10 / 10 + 1) * 65536) = 131072
  src->SetChannelOffset(0, 5);   // red
  src->SetChannelOffset(2, -3);  // blue
  auto dst = Filled24(3, 1, TRGB{});
  Render(*src, *dst, {0, 0, 3, 1, 0, 0, 3, 1});
  const auto adjust = [](int v, int off) {
    return uint8_t(std::clamp(131072LL * (v + off - 128) / 65536 + 128, 0LL, 255LL));
  };
  for (int32_t x = 0; x < 3; ++x) {
    const TRGB s = src->GetPixel24(x, 0);
    EXPECT_EQ(dst->GetPixel24(x, 0), (TRGB{adjust(s.b, -3), adjust(s.g, 0), adjust(s.r, 5)})) << x;
  }
  EXPECT_EQ(IEContrastFactor(-25), int64_t((1 - 5.0 / 10) * 65536));
}

TEST_F(RenderTest, NothingIsDrawnOnEmptyOrForeignBuffers) {
  TIEBitmap empty;
  auto dst = Filled24(4, 4, TRGB{9, 9, 9});
  Render(empty, *dst, {0, 0, 4, 4, 0, 0, 4, 4});
  EXPECT_TRUE(SamePixels(*dst, *Filled24(4, 4, TRGB{9, 9, 9})));
  auto src = Random24(4, 4, 1);
  Render(*src, empty, {0, 0, 4, 4, 0, 0, 4, 4});
  EXPECT_TRUE(empty.IsEmpty());
  // A gray destination would be overrun by 3-byte pixels: it is left alone.
  auto gray = TIEBitmap::CreateSized(4, 4, ie8g);
  gray->Fill(17);
  Render(*src, *gray, {0, 0, 4, 4, 0, 0, 4, 4});
  EXPECT_EQ(gray->GetPixelByte(3, 3), 17);
}

// The filter needs nothing installed: the resampler is the core's own.
TEST_F(RenderTest, FilteredDrawingIsTheResampledSourceDrawnOneToOne) {
  auto src = Random24(16, 12, 4);
  auto nearest = Filled24(10, 7, TRGB{});
  auto filtered = Filled24(10, 7, TRGB{});
  Render(*src, *nearest, {0, 0, 10, 7, 0, 0, 16, 12});
  Render(*src, *filtered, {0, 0, 10, 7, 0, 0, 16, 12}, 255, 0, nullptr, false, true, rfTriangle);
  auto resampled = TIEBitmap::CreateSized(10, 7, ie24RGB);
  _ResampleEx(*src, *resampled, nullptr, {}, rfTriangle);
  EXPECT_TRUE(SamePixels(*resampled, *filtered));
  EXPECT_FALSE(SamePixels(*nearest, *filtered));
}

// File-backed buffers: rows are views that live only until the next access.
class FileRenderTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    env_.Set("TMPDIR", dir_.Path().string());
    savedThreshold_ = IEDefaultMemoryThreshold;
  }
  void TearDown() override {
    IEDefaultMemoryThreshold = savedThreshold_;
    RenderTest::TearDown();
  }
  testsupport::TempDir dir_;
  ScopedEnv env_;
  int64_t savedThreshold_ = -1;
};

TEST_F(FileRenderTest, FileBackedBuffersDrawLikeMemoryOnes) {
  auto memSrc = Random24(150, 90, 31);
  auto memLeft = Random24(200, 140, 32);
  IEDefaultMemoryThreshold = 1000;
  TIEBitmap fileSrc, fileDst;
  fileSrc.Assign(memSrc.get());
  fileDst.Assign(memLeft.get());
  ASSERT_EQ(fileSrc.Location(), ieFile);
  ASSERT_EQ(fileDst.Location(), ieFile);
  const Geometry g{-3, 1, 180, 139, 2, 0, 148, 90};
  for (uint8_t op : {uint8_t(0), uint8_t(40), uint8_t(42)}) {
    auto memDst = TIEBitmap::CreateCopy(memLeft.get());
    TIEBitmap fileOut;
    fileOut.Assign(&fileDst);
    Render(*memSrc, *memDst, g, 255, op, nullptr, true);
    Render(fileSrc, fileOut, g, 255, op, nullptr, true);
    ASSERT_EQ(fileOut.Location(), ieFile);
    EXPECT_TRUE(SamePixels(fileOut, *memDst)) << "operation " << int(op);
  }
}

TEST_F(RenderTest, StretchRectToCopiesAndSetsAlpha) {
  auto src = Random24(6, 4, 2);
  auto dst = Filled24(12, 8, TRGB{});
  src->StretchRectTo(*dst, 0, 0, 12, 8, 0, 0, 6, 4, rfNone, 200);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 12; ++x) {
      ASSERT_EQ(dst->GetPixel24(x, y), src->GetPixel24(x / 2, y / 2)) << x << "," << y;
      ASSERT_EQ(dst->GetAlphaChannel()->GetPixelByte(x, y), 200);
    }
  // The source's alpha, limited by the alpha value; a rectangle past the destination is cut.
  src->GetAlphaChannel()->Fill(250);
  src->GetAlphaChannel()->SetPixelByte(0, 0, 40);
  auto dst2 = Filled24(5, 5, TRGB{});
  src->StretchRectTo(*dst2, -1, -1, 6, 4, 0, 0, 6, 4, rfNone, 100);
  EXPECT_EQ(dst2->GetPixel24(0, 0), src->GetPixel24(1, 1));
  EXPECT_EQ(dst2->GetAlphaChannel()->GetPixelByte(0, 0), 100);
  EXPECT_EQ(dst2->GetAlphaChannel()->GetPixelByte(4, 2), 100);
  auto dst3 = Filled24(6, 4, TRGB{});
  src->StretchRectTo(*dst3, 0, 0, 6, 4, 0, 0, 6, 4, rfNone, 100);
  EXPECT_EQ(dst3->GetAlphaChannel()->GetPixelByte(0, 0), 40);
  EXPECT_EQ(dst3->GetAlphaChannel()->GetPixelByte(1, 0), 100);
}

TEST_F(RenderTest, DrawsIntoA24BitPlatformBitmap) {
  auto src = Random24(5, 3, 6);
  TBitmap bmp(5, 3);
  bmp.SetPixelFormat(pf24bit);
  src->DrawToTBitmap(bmp, 0, 0, 5, 3, 0, 0, 5, 3, 255, rfNone, 0);
  for (int32_t y = 0; y < 3; ++y) EXPECT_EQ(std::memcmp(bmp.ScanLine(y), src->GetScanline(y), 15), 0) << y;
}

// ---- end to end: a real MPO pair decoded by independent decoders ----

// Both pictures of an MPO as independent decoders see them: exiftool extracts
// the second picture and djpeg decodes both; PIL can do both instead.
bool DecodeMpoPair(const fs::path& mpo, testsupport::Raster& left, testsupport::Raster& right) {
  using testsupport::ShellQuote;
  if (testsupport::HaveTool("exiftool") && testsupport::HaveTool("djpeg")) {
    left = testsupport::DjpegFile(mpo);
    right = testsupport::DjpegBytes(testsupport::RunCommand("exiftool -b -MPImage2 " + ShellQuote(mpo.string()) +
                                                            " 2>/dev/null"));
    if (!left.Empty() && !right.Empty()) return true;
  }
  testsupport::TempDir tmp;
  const fs::path l = tmp / "left.ppm", r = tmp / "right.ppm";
  if (!testsupport::RunSucceeds("/usr/bin/python3 -c " +
                                ShellQuote("import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n"
                                           "im.seek(0)\nim.convert('RGB').save(sys.argv[2], 'PPM')\n"
                                           "im.seek(1)\nim.convert('RGB').save(sys.argv[3], 'PPM')\n") +
                                " " + ShellQuote(mpo.string()) + " " + ShellQuote(l.string()) + " " +
                                ShellQuote(r.string()) + " >/dev/null 2>&1"))
    return false;
  left = testsupport::ReadPnmFile(l);
  right = testsupport::ReadPnmFile(r);
  return true;
}

TEST(RenderMpoTest, StereoOperationsOverARealPair) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path mpo = testsupport::SharedDataDir() / "real" / "sugarshack.mpo";
  if (!fs::exists(mpo)) GTEST_SKIP() << mpo << " is missing";
  testsupport::Raster leftPicture, rightPicture;
  if (!DecodeMpoPair(mpo, leftPicture, rightPicture))
    GTEST_SKIP() << "neither exiftool with djpeg nor Python's PIL could decode the MPO pair";
  auto l = testsupport::BitmapOfRaster(leftPicture), r = testsupport::BitmapOfRaster(rightPicture);
  ASSERT_TRUE(l && r);
  ASSERT_GT(l->GetWidth(), 100);
  const int32_t w = std::min(l->GetWidth(), r->GetWidth()), h = std::min(l->GetHeight(), r->GetHeight());
  IELuminanceWeights = TIELuminanceWeights{};
  // The whole pair, and the pair one row down so that row parity is the destination's.
  for (int32_t yd : {0, 1}) {
    for (int op : kStereoOps) {
      SCOPED_TRACE("operation " + std::to_string(op) + " at row " + std::to_string(yd));
      auto dst = TIEBitmap::CreateCopy(l.get());
      r->RenderToTIEBitmap(*dst, nullptr, nullptr, nullptr, nullptr, 0, yd, w, h, 0, 0, w, h, true, false, 255, rfNone,
                           true, uint8_t(op));
      int64_t bad = 0;
      for (int32_t y = 0; y < l->GetHeight(); ++y)
        for (int32_t x = 0; x < l->GetWidth(); ++x) {
          const TRGB d = l->GetPixel24(x, y);
          const bool drawn = x < w && y >= yd && y - yd < h;
          const TRGB want = drawn ? Stereo(op, r->GetPixel24(x, y - yd), d, y) : d;
          if (!(dst->GetPixel24(x, y) == want) && ++bad <= 3) ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
        }
      EXPECT_EQ(bad, 0);
    }
  }
}

}  // namespace
