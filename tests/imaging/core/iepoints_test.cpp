#include "imaging/core/iepoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
constexpr long double kPi = std::numbers::pi_v<long double>;
}

TEST(IEPoints, PointInRectIncludesEveryEdge) {
  for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {0, 5}, {10, 5}, {4, 3}}) EXPECT_TRUE(IEPointInRect(x, y, 0, 0, 10, 5));
  for (auto [x, y] : {std::pair{-1, 0}, {11, 0}, {0, 6}, {5, -1}}) EXPECT_FALSE(IEPointInRect(x, y, 0, 0, 10, 5));
  EXPECT_TRUE(IEPointInNormalizedRect(3, 3, 10, 5, 0, 0));
  EXPECT_FALSE(IEPointInNormalizedRect(3, 6, 10, 5, 0, 0));
  EXPECT_TRUE(IESegmentBoxIntersectsRect(-5, -5, 0, 0, 0, 0, 10, 10));
  EXPECT_FALSE(IESegmentBoxIntersectsRect(-5, -5, -1, 20, 0, 0, 10, 10));
  TRect r(5, 5, 6, 6);
  IEExtendRectToPoint(r, 1, 9);
  EXPECT_EQ(r, TRect(1, 5, 6, 9));
}

TEST(IEPoints, SegmentDistances) {
  struct Case {
    int32_t x, y, x1, y1, x2, y2;
    long double expected;
  };
  const Case cases[] = {
      {0, 5, 0, 0, 10, 0, 5},        // above the segment
      {-3, 4, 0, 0, 10, 0, 5},       // before its start: distance to p1
      {13, 4, 0, 0, 10, 0, 5},       // past its end: distance to p2
      {100000, 0, 0, 0, 10, 0, 1000000},  // too far past the end
      {0, -100000, 0, 0, 0, 10, 1000000},
      {3, 4, 7, 7, 7, 7, 5},         // a segment of one point
      {5, 5, 0, 0, 10, 10, 0},       // on the diagonal
  };
  for (const Case& c : cases)
    EXPECT_NEAR(double(IEDistPointToSegment(c.x, c.y, c.x1, c.y1, c.x2, c.y2)), double(c.expected), 1e-9)
        << c.x << "," << c.y;
  EXPECT_NEAR(double(IEDistPointToLine(0, 5, 0, 0, 10, 0)), 5, 1e-12);
  EXPECT_NEAR(double(IEDistPointToLine(100, 5, 0, 0, 10, 0)), 5, 1e-12);  // the line is infinite
}

TEST(IEPoints, PolylineDistanceMapsVerticesAndClosesWhenAsked) {
  const TPoint pts[] = {{0, 0}, {10, 0}, {10, 10}};
  EXPECT_EQ(IEDistPointToPolyline(0, 0, pts, 0, 0, 0, 0, 0, 1, 1, 1, false), 1000000);
  EXPECT_EQ(IEDistPointToPolyline(0, 0, pts, 1, 0, 0, 0, 0, 1, 1, 1, false), 1000000);
  EXPECT_NEAR(double(IEDistPointToPolyline(3, 4, pts, 1, 0, 0, 0, 0, 1, 1, 1, true)), 5, 1e-9);
  // (0, 8) is 8 from the open path but close to the closing edge (10,10)->(0,0).
  EXPECT_NEAR(double(IEDistPointToPolyline(0, 8, pts, 3, 0, 0, 0, 0, 1, 1, 1, false)), 8, 1e-9);
  EXPECT_NEAR(double(IEDistPointToPolyline(0, 8, pts, 3, 0, 0, 0, 0, 1, 1, 1, true)), 8 / std::sqrt(2.0), 1e-9);
  // Zoom 2 about origin (10, 0), offset (100, 0): the vertices land on (80, 0), (100, 0), (100, 20).
  EXPECT_NEAR(double(IEDistPointToPolyline(90, 3, pts, 3, 10, 0, 100, 0, 2, 2, 1, false)), 3, 1e-9);
  EXPECT_NEAR(double(IEDistPointToPolyline(103, 20, pts, 3, 10, 0, 100, 0, 2, 2, 1, false)), 3, 1e-9);
  // A pen 4 wide adds copies shifted down by 2: (5, 2) lies on one.
  EXPECT_NEAR(double(IEDistPointToPolyline(5, 2, pts, 2, 0, 0, 0, 0, 1, 1, 4, false)), 0, 1e-9);
  EXPECT_NEAR(double(IEDistPointToPolyline(5, 2, pts, 2, 0, 0, 0, 0, 1, 1, 3, false)), 2, 1e-9);
}

TEST(IEPoints, Angles) {
  EXPECT_NEAR(double(IELineAngle(0, 0, 10, -10)), double(kPi / 4), 1e-12);
  EXPECT_NEAR(double(IELineAngle(0, 0, -10, 10)), double(5 * kPi / 4), 1e-12);
  EXPECT_EQ(IELineAngle(0, 0, 10, 0), 0);
  EXPECT_NEAR(double(IELineAngle(0, 0, 0, -7)), double(kPi / 2), 1e-12);
  EXPECT_NEAR(double(IELineAngle(0, 0, -7, 0)), double(kPi), 1e-12);
  EXPECT_NEAR(double(IELineAngle(0, 0, 0, 7)), double(3 * kPi / 2), 1e-12);
  EXPECT_EQ(IELineAngle(3, 3, 3, 3), 0);
  EXPECT_EQ(IEArcCos(-1), 0);
  EXPECT_EQ(IEArcCos(1), 0);
  EXPECT_NEAR(double(IEArcCos(0)), double(kPi / 2), 1e-12);
  EXPECT_NEAR(double(IESegmentsAngle(0, 0, 10, 0, 10, 10)), double(kPi / 2), 1e-12);
  EXPECT_EQ(IESegmentsAngle(0, 0, 0, 0, 10, 10), 0);
  // The same right angle, walked one way and the other.
  EXPECT_NEAR(double(IEVertexAngle(0, 10, 0, 0, 10, 0)), double(kPi / 2), 1e-9);
  EXPECT_NEAR(double(IEVertexAngle(10, 0, 0, 0, 0, 10)), double(3 * kPi / 2), 1e-9);
  EXPECT_NEAR(double(IEArcTan2(1, -1)), double(3 * kPi / 4), 1e-12);
}

TEST(IEPoints, OrientationOfThreePoints) {
  struct Case {
    int32_t x1, y1, x2, y2, x3, y3, expected;
  };
  const Case cases[] = {
      {0, 0, 1, 0, 2, 0, 1},   // collinear, p3 farther
      {0, 0, 2, 0, 1, 0, 0},   // collinear, p3 nearer
      {0, 0, 1, 0, -1, 0, -1}, // collinear, opposite
      {0, 0, 1, 0, 1, 1, 1},
      {0, 0, 1, 0, 1, -1, -1},
      {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MIN, -1},  // no overflow
  };
  for (const Case& c : cases) EXPECT_EQ(IEPointsOrientation(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3), c.expected);
}

TEST(IEPoints, FitKeepingAspectAndSnapping) {
  int32_t w = -1, h = -1;
  IEFitKeepingAspect(400, 200, 100, 100, w, h);
  EXPECT_EQ(std::pair(w, h), std::pair(100, 50));
  IEFitKeepingAspect(1, 1000, 10, 10, w, h);
  EXPECT_EQ(std::pair(w, h), std::pair(1, 10));
  IEFitKeepingAspect(20, 10, 100, 100, w, h);  // enlarges too
  EXPECT_EQ(std::pair(w, h), std::pair(100, 50));
  w = h = 7;
  IEFitKeepingAspect(0, 10, 100, 100, w, h);
  EXPECT_EQ(std::pair(w, h), std::pair(7, 7));

  struct Snap {
    int32_t x, y, ex, ey;
  };
  const Snap snaps[] = {
      {100, 20, 100, 0},  // horizontal
      {20, 100, 0, 100},  // vertical
      {50, 40, 50, 50},   // right and below: the smaller offset grows
      {40, 50, 50, 50},
      {-50, -40, -40, -40},  // left and above: the larger offset shrinks
      {-50, 40, -50, 50},    // left and below
      {-40, 50, -50, 50},
      {50, -40, 50, -50},    // above and right
      {40, -50, 50, -50},
      {0, 20, 0, 20},        // straight below: unchanged
  };
  for (const Snap& s : snaps) {
    int32_t x = s.x, y = s.y;
    IESnapTo45Degrees(0, 0, x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(s.ex, s.ey)) << s.x << "," << s.y;
  }
}
