// Regions: combination against per-point set logic, shapes, clipping.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "tests/support/surface_png.h"

using namespace win;
using testsupport::RawOf;
using testsupport::TestCanvas;

namespace {

bool InRect(const RECT& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

}  // namespace

TEST(Region, CombineMatchesSetLogicAtEveryPoint) {
  const RECT a{0, 0, 10, 10}, b{5, 3, 15, 14};
  struct Case {
    int mode;
    int type;
    bool (*op)(bool, bool);
  } cases[] = {
      {RGN_AND, SIMPLEREGION, [](bool p, bool q) { return p && q; }},
      {RGN_OR, COMPLEXREGION, [](bool p, bool q) { return p || q; }},
      {RGN_XOR, COMPLEXREGION, [](bool p, bool q) { return p != q; }},
      {RGN_DIFF, COMPLEXREGION, [](bool p, bool q) { return p && !q; }},
      {RGN_COPY, SIMPLEREGION, [](bool p, bool) { return p; }},
  };
  for (const Case& k : cases) {
    HRGN ra = CreateRectRgnIndirect(&a), rb = CreateRectRgnIndirect(&b), d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, ra, rb, k.mode), k.type) << k.mode;
    for (int y = -2; y < 17; ++y)
      for (int x = -2; x < 17; ++x)
        ASSERT_EQ(PtInRegion(d, x, y) != 0, k.op(InRect(a, x, y), InRect(b, x, y))) << k.mode << " " << x << "," << y;
    for (HRGN h : {ra, rb, d}) DeleteObject(h);
  }
}

TEST(Region, CombineResultsReportEmptinessAndErrors) {
  HRGN a = CreateRectRgn(0, 0, 5, 5), b = CreateRectRgn(10, 10, 20, 20), d = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), NULLREGION);
  RECT box{1, 1, 1, 1};
  EXPECT_EQ(GetRgnBox(d, &box), NULLREGION);
  EXPECT_EQ(box, RECT(0, 0, 0, 0));
  EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(d, a, b, 99), ERROR);
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_OR), ERROR);
  EXPECT_EQ(CombineRgn(nullptr, a, b, RGN_OR), ERROR);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(GetRgnBox(d, &box), COMPLEXREGION);
  EXPECT_EQ(box, RECT(0, 0, 20, 20));
  for (HRGN h : {a, b, d}) DeleteObject(h);
}

TEST(Region, EqualRegionsBuiltDifferentlyCompareEqual) {
  HRGN left = CreateRectRgn(0, 0, 4, 10), right = CreateRectRgn(4, 0, 10, 10), whole = CreateRectRgn(10, 10, 0, 0);
  HRGN u = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(u, left, right, RGN_OR), SIMPLEREGION);  // touching halves merge into one rectangle
  EXPECT_TRUE(EqualRgn(u, whole));
  EXPECT_EQ(OffsetRgn(u, 3, -2), SIMPLEREGION);
  EXPECT_FALSE(EqualRgn(u, whole));
  RECT box;
  GetRgnBox(u, &box);
  EXPECT_EQ(box, RECT(3, -2, 13, 8));
  RECT touching{13, 0, 20, 5}, overlapping{12, 7, 20, 9};
  EXPECT_FALSE(RectInRegion(u, &touching));
  EXPECT_TRUE(RectInRegion(u, &overlapping));
  EXPECT_TRUE(SetRectRgn(u, 0, 0, 10, 10));
  EXPECT_TRUE(EqualRgn(u, whole));
  for (HRGN h : {left, right, whole, u}) DeleteObject(h);
}

TEST(Region, EllipticAndRoundRectRegionsAreSymmetricInsideTheirBounds) {
  HRGN e = CreateEllipticRgn(2, 3, 19, 14);
  HRGN rr = CreateRoundRectRgn(0, 0, 20, 12, 8, 6);
  RECT box;
  GetRgnBox(e, &box);
  EXPECT_EQ(box, RECT(2, 3, 19, 14));
  for (int y = 3; y < 14; ++y)
    for (int x = 2; x < 19; ++x) {
      ASSERT_EQ(PtInRegion(e, x, y), PtInRegion(e, 2 + 19 - 1 - x, y));
      ASSERT_EQ(PtInRegion(e, x, y), PtInRegion(e, x, 3 + 14 - 1 - y));
    }
  EXPECT_TRUE(PtInRegion(e, 10, 8));
  EXPECT_FALSE(PtInRegion(e, 2, 3));
  // Rounded corners are cut, the straight sides are not.
  EXPECT_FALSE(PtInRegion(rr, 0, 0));
  EXPECT_FALSE(PtInRegion(rr, 19, 11));
  EXPECT_TRUE(PtInRegion(rr, 0, 6));
  EXPECT_TRUE(PtInRegion(rr, 10, 0));
  EXPECT_FALSE(PtInRegion(rr, 20, 6));
  DeleteObject(e);
  DeleteObject(rr);
}

TEST(Region, PolygonRegionFollowsTheFillMode) {
  POINT star[] = {{30, 2}, {48, 56}, {2, 22}, {58, 22}, {12, 56}};
  HRGN alt = CreatePolygonRgn(star, 5, ALTERNATE), wind = CreatePolygonRgn(star, 5, WINDING);
  EXPECT_FALSE(PtInRegion(alt, 30, 32));
  EXPECT_TRUE(PtInRegion(wind, 30, 32));
  EXPECT_TRUE(PtInRegion(alt, 30, 10));
  EXPECT_TRUE(PtInRegion(wind, 30, 10));
  // A square polygon covers what the rectangle region of the same corners covers.
  POINT sq[] = {{1, 1}, {9, 1}, {9, 6}, {1, 6}};
  HRGN p = CreatePolygonRgn(sq, 4, ALTERNATE), r = CreateRectRgn(1, 1, 9, 6);
  EXPECT_TRUE(EqualRgn(p, r));
  EXPECT_EQ(CreatePolygonRgn(sq, 1, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(sq, 4, 7), nullptr);
  for (HRGN h : {alt, wind, p, r}) DeleteObject(h);
}

TEST(Region, DrawingIsClippedToTheXorOfTwoRectangles) {
  const RECT a{2, 2, 12, 10}, b{7, 5, 18, 16};
  TestCanvas c(20, 18);
  HRGN ra = CreateRectRgnIndirect(&a), rb = CreateRectRgnIndirect(&b);
  CombineRgn(ra, ra, rb, RGN_XOR);
  EXPECT_EQ(SelectClipRgn(c.Dc(), ra), COMPLEXREGION);
  DeleteObject(ra);  // the DC keeps its own copy
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 20, 18};
  FillRect(c.Dc(), &all, red);
  testsupport::SavePngIfAsked(c.Bitmap(), "xor_clip");
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(c.Rgb(x, y), InRect(a, x, y) != InRect(b, x, y) ? RawOf(RGB(255, 0, 0)) : RawOf(RGB(255, 255, 255)))
          << x << "," << y;
  RECT box;
  EXPECT_EQ(GetClipBox(c.Dc(), &box), COMPLEXREGION);
  EXPECT_EQ(box, RECT(2, 2, 18, 16));
  DeleteObject(rb);
  DeleteObject(red);
}

TEST(Region, FrameRgnAndInvertRgnStayInsideTheRegion) {
  TestCanvas c(12, 12);
  HRGN r = CreateRectRgn(2, 2, 10, 9);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  ASSERT_TRUE(FrameRgn(c.Dc(), r, black, 2, 1));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      bool in = x >= 2 && x < 10 && y >= 2 && y < 9;
      bool frame = in && (x < 4 || x >= 8 || y == 2 || y == 8);
      ASSERT_EQ(c.Rgb(x, y), frame ? 0u : 0xFFFFFFu) << x << "," << y;
    }
  ASSERT_TRUE(InvertRgn(c.Dc(), r));
  EXPECT_EQ(c.Rgb(5, 5), 0u);
  EXPECT_EQ(c.Rgb(2, 2), 0xFFFFFFu);
  EXPECT_EQ(c.Rgb(0, 0), 0xFFFFFFu);
  DeleteObject(r);
}
