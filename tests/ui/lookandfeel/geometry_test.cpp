#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/object.h"
#include "ui/lookandfeel/cxGeometry.h"

namespace {

struct RectCase {
  const char* what;
  TRect actual;
  TRect expected;
};

TEST(CxGeometry, RectFunctionsTable) {
  const TRect r{0, 0, 10, 10};
  const RectCase cases[] = {
      {"centre 3x4 in 10x10", RectCenterWidthHeight(r, 3, 4), {3, 3, 6, 7}},
      {"centre by size", RectCenterSize(r, TSize{3, 4}), {3, 3, 6, 7}},
      // (-3 + 0 - 0) / 2 truncates toward zero: -1, not -2.
      {"centre of a negative odd span", RectCenterWidthHeight({-3, -3, 0, 0}, 0, 0), {-1, -1, -1, -1}},
      {"union with empty B far away", RectUnion({1, 2, 3, 4}, {100, 100, 100, 200}), {1, 2, 3, 4}},
      {"union with B of negative height", RectUnion({1, 2, 3, 4}, {-50, 10, 60, 5}), {1, 2, 3, 4}},
      {"union keeps an empty A's coordinates", RectUnion({5, 5, 5, 5}, {0, 0, 2, 2}), {0, 0, 5, 5}},
      {"union of two", RectUnion({0, 0, 2, 2}, {1, -1, 4, 1}), {0, -1, 4, 2}},
      {"inflate", RectInflate(r, 2, 3), {-2, -3, 12, 13}},
      {"inflate sides", RectInflateSides(r, 1, 2, 3, 4), {-1, -2, 13, 14}},
      {"offset add", RectOffset(r, 5, -1, true), {5, -1, 15, 9}},
      {"offset subtract", RectOffset(r, 5, -1, false), {-5, 1, 5, 11}},
      {"offset by point", RectOffsetByPoint(r, TPoint{2, 3}, false), {-2, -3, 8, 7}},
      {"offset horizontally", RectOffsetHorz(r, 4), {4, 0, 14, 10}},
      {"bounds", MakeBounds(2, 3, 4, 5), {2, 3, 6, 8}},
      {"from points", RectFromPoints({1, 2}, {3, 4}), {1, 2, 3, 4}},
      {"set bottom", RectSetBottom(r, 20, 5), {0, 15, 10, 20}},
      {"set top", RectSetTop(r, 20, 5), {0, 20, 10, 25}},
      {"set left", RectSetLeft(r, 20, 5), {20, 0, 25, 10}},
      {"set width", RectSetWidth(r, 4), {0, 0, 4, 10}},
      {"set width at x", RectSetWidth(r, 7, 4), {7, 0, 11, 10}},
      {"content margins", RectContent(r, {1, 2, 3, 4}), {1, 2, 7, 6}},
  };
  for (const RectCase& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
}

TEST(CxGeometry, CentrePointTruncatesTowardZero) {
  EXPECT_EQ(RectCenterPoint({-3, -3, 0, 0}), TPoint(-1, -1));
  EXPECT_EQ(RectCenterPoint({3, 3, 0, 0}), TPoint(1, 1));
  // Sums past the 32-bit range still halve correctly.
  EXPECT_EQ(RectCenterPoint({INT32_MAX - 1, 0, INT32_MAX, 0}).X, INT32_MAX - 1);
}

TEST(CxGeometry, ContainsIsHalfOpen) {
  const TRect r{0, 0, 10, 10};
  EXPECT_TRUE(RectContainsXY(r, 0, 0));
  EXPECT_TRUE(RectContainsXY(r, 9, 9));
  EXPECT_FALSE(RectContainsXY(r, 10, 5));
  EXPECT_FALSE(RectContainsXY(r, 5, 10));
  EXPECT_FALSE(RectContainsPoint(r, {-1, 5}));
  EXPECT_TRUE(RectContainsPoint(r, {5, 5}));
}

TEST(CxGeometry, PointsAndSizes) {
  EXPECT_EQ(PointInvert({3, -4}), TPoint(-3, 4));
  EXPECT_EQ(PointOffset({1, 1}, 2, 3, true), TPoint(3, 4));
  EXPECT_EQ(PointOffset({1, 1}, 2, 3, false), TPoint(-1, -2));
  EXPECT_EQ(PointOffsetByPoint({1, 1}, {2, 3}, false), TPoint(-1, -2));
  EXPECT_TRUE(SizeIsEqual(MakeSize(1, 2), TSize(1, 2)));
  EXPECT_FALSE(PointIsEqual(MakePoint(1, 2), {2, 1}));
}

class TShrinkingRect : public TcxRect {
public:
  using TcxRect::TcxRect;

protected:
  void AdjustRect(TRect& R) override { R.Right = std::min(R.Right, 100); }
};

TEST(CxGeometry, TcxRectReportsOnlyRealChanges) {
  TcxRect rect(nullptr);
  std::vector<TRect> seen;
  rect.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &rect);
    seen.push_back(rect.Rect());
  };
  rect.SetLeft(0);  // already 0
  rect.SetRect({0, 0, 0, 0});
  EXPECT_TRUE(seen.empty());
  rect.SetRight(5);
  rect.SetRight(5);
  rect.SetBottom(7);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1], TRect(0, 0, 5, 7));
  EXPECT_EQ(rect.GetValue(3), 7);
  EXPECT_EQ(rect.GetValue(42), 7);  // any other index reads Bottom
}

TEST(CxGeometry, TcxRectAdjustHookSeesEveryStore) {
  TShrinkingRect rect(nullptr);
  int changes = 0;
  rect.OnChange = [&](TObject*) { ++changes; };
  rect.SetRect({0, 0, 500, 5});
  EXPECT_EQ(rect.Rect(), TRect(0, 0, 100, 5));
  rect.SetRight(300);  // adjusted back to the stored value: no change
  EXPECT_EQ(changes, 1);
}

TEST(CxGeometry, TcxRectAssign) {
  TcxRect a(nullptr), b(nullptr);
  b.SetRect({1, 2, 3, 4});
  a.Assign(&b);
  EXPECT_TRUE(a.IsEqual({1, 2, 3, 4}));
  TPersistent other;
  EXPECT_NO_THROW(a.Assign(&other));
  EXPECT_NO_THROW(a.Assign(nullptr));
  EXPECT_TRUE(a.IsEqual({1, 2, 3, 4}));
}

TEST(CxGeometry, TcxRectIsStreamableByName) { EXPECT_EQ(GetClass("TcxRect"), TcxRect::StaticClass()); }

}  // namespace
