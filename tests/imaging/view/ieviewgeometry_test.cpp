// The view's geometry through a bare subclass whose sizes the tests set.
#include "imaging/view/ieviewgeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class Geometry : public TIEViewGeometry {
public:
  int32_t ViewW = 300, ViewH = 300, ControlW = 300, ControlH = 300;
  TScrollStyle Bars = ssBoth;
  bool Center = true, Designing = false, Empty = false;
  int32_t MarginX = 0, MarginY = 0;

  int32_t GetViewWidth() override { return ViewW; }
  int32_t GetViewHeight() override { return ViewH; }
  int32_t GeometryControlWidth() override { return ControlW; }
  int32_t GeometryControlHeight() override { return ControlH; }
  TScrollStyle GeometryScrollBars() override { return Bars; }
  bool GeometryCenter() override { return Center; }
  bool GeometryDesigning() override { return Designing; }
  bool GeometryBitmapEmpty() override { return Empty; }
  void GetFitMargins(bool, bool, int32_t& mx, int32_t& my) override {
    mx = MarginX;
    my = MarginY;
  }

  using TIEViewGeometry::SetExtent;
  using TIEViewGeometry::SetOriginRaw;

  void View(int32_t w, int32_t h) {
    ViewW = ControlW = w;
    ViewH = ControlH = h;
  }
  // What the view does before it renders.
  void Layout() {
    CalcImageRect();
    CalcVisibleArea();
    UpdateCoordTables();
  }
};

TEST(ViewGeometry, MaxScrollFollowsTheExtentViewAndControl) {
  struct Row {
    const char* What;
    int32_t W, H;
    double ZoomX, ZoomY;
    int32_t ViewW, ViewH, ControlW, ControlH;
    TScrollStyle Bars;
    int32_t MaxX, MaxY;
  };
  const Row rows[] = {
      // 800 %: Trunc(101 x 8) - 300 with bars, 800 - 300 without.
      {"800 % with bars", 100, 100, 800, 800, 300, 300, 300, 300, ssBoth, 508, 508},
      {"800 % without bars", 100, 100, 800, 800, 300, 300, 300, 300, ssNone, 500, 500},
      {"as wide as the control", 300, 200, 100, 100, 296, 296, 300, 300, ssBoth, 0, 0},
      {"wider: one more column", 400, 200, 100, 100, 300, 300, 300, 300, ssBoth, 101, 0},
      {"zooms differ: per axis", 100, 100, 200, 100, 150, 150, 150, 150, ssNone, 52, 0},
      {"empty image", 0, 0, 100, 100, 300, 300, 300, 300, ssBoth, 0, 0},
      {"no view", 100, 100, 100, 100, 0, 0, 0, 0, ssBoth, 101, 101},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    Geometry g;
    g.SetExtent(row.W, row.H);
    g.ViewW = row.ViewW;
    g.ViewH = row.ViewH;
    g.ControlW = row.ControlW;
    g.ControlH = row.ControlH;
    g.Bars = row.Bars;
    g.StoreZoom(row.ZoomX, row.ZoomY);
    int32_t mx = -1, my = -1;
    g.GetMaxScroll(mx, my);
    EXPECT_EQ(mx, row.MaxX);
    EXPECT_EQ(my, row.MaxY);
    EXPECT_EQ(g.CanScroll(), row.MaxX > 0 || row.MaxY > 0);
  }
}

TEST(ViewGeometry, OriginsAreClampedToTheScrollRange) {
  Geometry g;
  g.SetExtent(100, 100);
  g.StoreZoom(800, 800);
  EXPECT_TRUE(g.ClampAndStoreOrigin(-10, 1000000));
  EXPECT_EQ(g.ScrollOriginX(), 0);
  EXPECT_EQ(g.ScrollOriginY(), 508);
  EXPECT_FALSE(g.ClampAndStoreOrigin(-1, 509)) << "the same place again";
  EXPECT_TRUE(g.ClampAndStoreOriginX(250));
  EXPECT_EQ(g.ScrollOriginX(), 250);
  EXPECT_EQ(g.ScrollOriginY(), 508);
  // An image that fits cannot be moved at all.
  g.StoreZoom(100, 100);
  EXPECT_TRUE(g.ClampAndStoreOrigin(40, 40));
  EXPECT_EQ(g.ScrollOriginX(), 0);
  EXPECT_EQ(g.ScrollOriginY(), 0);
}

// The bitmap column shown at zoomed position z, from the rules of the tables
// in exact integer arithmetic (zoom in whole percent): above 100 % the column
// whose zoomed span holds z; at or below it the first column that falls on z.
int32_t ColumnAt(int64_t z, int64_t zoom, int32_t extent) {
  const int64_t c = zoom > 100 ? z * 100 / zoom : (z * 100 + zoom - 1) / zoom;
  return int32_t(std::min<int64_t>(c, extent - 1));
}

// The first zoomed position of the column that holds zoomed position v.
int64_t Snapped(int64_t v, int64_t zoom) {
  if (zoom <= 100) return v;
  const int64_t c = v * 100 / zoom;
  return (c * zoom + 99) / 100;
}

TEST(ViewGeometry, ClientAndBitmapColumnsConvertBothWays) {
  struct Row {
    int64_t Zoom;
    int32_t Origin;  // asked for; clamped and then snapped to a column
    bool Exact;      // whole-number factors convert back exactly
  };
  const Row rows[] = {{25, 0, true},   {25, 30, true},   {33, 17, false}, {50, 41, true},
                      {100, 0, true},  {100, 57, true},  {150, 0, false}, {150, 101, false},
                      {200, 77, true}, {300, 250, true}, {800, 13, true}, {800, 1000, true}};
  constexpr int32_t W = 200;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.Zoom << " % from " << row.Origin);
    Geometry g;
    g.View(160, 160);
    g.SetExtent(W, W);
    g.StoreZoom(double(row.Zoom), double(row.Zoom));
    g.ClampAndStoreOrigin(row.Origin, row.Origin);
    g.Layout();
    const int64_t s = Snapped(g.ScrollOriginX(), row.Zoom);
    ASSERT_GT(g.PaintedWidth(), 0);
    ASSERT_EQ(g.ClientToBitmapMapX().size(), size_t(g.PaintedWidth()));
    EXPECT_EQ(g.SnapX(g.ScrollOriginX()), s);
    for (int32_t u = 0; u < g.PaintedWidth(); ++u) {
      const int32_t x = g.ImageOffsetX() + u;
      const int32_t bx = g.ClientToBitmapX(x);
      ASSERT_EQ(bx, ColumnAt(s + u, row.Zoom, W)) << "client " << x;
      EXPECT_EQ(g.ClientToBitmapMapX()[size_t(u)], bx);
      EXPECT_EQ(g.ClientToBitmapY(x), bx) << "same geometry vertically";
      // Back: the first client column that shows bx (above 100 %), or the
      // column itself (at or below, where every client column shows its own).
      int32_t first = x;
      while (first > g.ImageOffsetX() && g.ClientToBitmapX(first - 1) == bx) --first;
      const int32_t back = g.BitmapToClientX(bx);
      if (row.Exact)
        EXPECT_EQ(back, first) << "bitmap " << bx;
      else
        EXPECT_LE(std::abs(back - first), int32_t(std::ceil(row.Zoom / 100.0))) << "bitmap " << bx;
    }
  }
}

TEST(ViewGeometry, ASmallImageIsCentredAndConvertsAroundItsOffset) {
  Geometry g;
  g.View(160, 160);
  g.SetExtent(50, 40);
  g.Layout();
  EXPECT_EQ(g.ImageOffsetX(), 55);
  EXPECT_EQ(g.ImageOffsetY(), 60);
  EXPECT_EQ(g.DrawnWidth(), 50);
  EXPECT_EQ(g.ClientToBitmapX(55), 0);
  EXPECT_EQ(g.ClientToBitmapX(104), 49);
  EXPECT_EQ(g.ClientToBitmapX(105), 50) << "past the image: the formula, callers clip";
  EXPECT_EQ(g.BitmapToClientX(0), 55);
  EXPECT_EQ(g.BitmapToClientY(39), 99);
  g.Center = false;
  g.Layout();
  EXPECT_EQ(g.ImageOffsetX(), 0);
  EXPECT_EQ(g.BitmapToClientX(10), 10);
}

TEST(ViewGeometry, ZoomingKeepsTheCentrePointUnlessTheRangeEnds) {
  struct Row {
    double From, To;
    int32_t Origin;
    bool Clamped;
  };
  const Row rows[] = {{100, 200, 350, false}, {100, 50, 350, false}, {200, 300, 900, false},
                      {100, 150, 123, false}, {100, 25, 350, true},  {50, 800, 0, false}};
  constexpr int32_t W = 1000;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.From << " -> " << row.To);
    Geometry g;
    g.SetExtent(W, W);
    g.StoreZoom(row.From, row.From);
    g.ClampAndStoreOrigin(row.Origin, row.Origin);
    g.CalcImageRect();
    const double hw = g.GetViewWidth() / 2;
    const double before = (g.ScrollOriginX() + hw - g.ImageOffsetX()) * 100 / row.From;
    g.ApplyZoom(row.To);
    EXPECT_EQ(g.ZoomPercentX(), row.To);
    EXPECT_EQ(g.ZoomPercentY(), row.To);
    EXPECT_DOUBLE_EQ(g.ZoomFactorX(), row.To / 100);
    EXPECT_DOUBLE_EQ(g.ZoomInverseY(), 100 / row.To);
    int32_t mx, my;
    g.GetMaxScroll(mx, my);
    if (row.Clamped) {
      EXPECT_EQ(g.ScrollOriginX(), std::clamp(int32_t(before * row.To / 100 - hw), 0, mx));
    } else {
      const double after = (g.ScrollOriginX() + hw) * 100 / row.To;
      EXPECT_NEAR(after, before, 0.5 + 100 / row.To) << "the same bitmap point, within a zoomed pixel";
      EXPECT_EQ(g.ScrollOriginX(), g.ScrollOriginY());
    }
  }
  // One axis alone leaves the other as it was.
  Geometry g;
  g.SetExtent(W, W);
  g.ClampAndStoreOrigin(350, 350);
  g.ApplyZoomX(200);
  EXPECT_EQ(g.ZoomPercentX(), 200);
  EXPECT_EQ(g.ZoomPercentY(), 100);
  EXPECT_EQ(g.ScrollOriginX(), 850);
  EXPECT_EQ(g.ScrollOriginY(), 350);
  // A zoom not above 0 changes nothing.
  for (double bad : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
    g.ApplyZoom(bad);
    g.StoreZoom(bad, bad);
    EXPECT_EQ(g.ZoomPercentX(), 200);
    EXPECT_EQ(g.ZoomPercentY(), 100);
    EXPECT_EQ(g.ScrollOriginX(), 850);
  }
}

TEST(ViewGeometry, FitZoomsMeasureTheControlLessItsMargins) {
  Geometry g;
  g.ControlW = 400;
  g.ControlH = 300;
  g.ViewW = g.ViewH = 200;  // scroll bars shown now do not count
  g.SetExtent(800, 300);
  EXPECT_DOUBLE_EQ(g.GetFitZoomOfControl(), 50);
  g.MarginX = 10;
  g.MarginY = 20;
  double fx, fy;
  g.GetFitZoomXY(fx, fy);
  EXPECT_DOUBLE_EQ(fx, 380.0 / 8);
  EXPECT_DOUBLE_EQ(fy, 260.0 / 3);
  EXPECT_DOUBLE_EQ(g.GetFitZoom(), 380.0 / 8);
  // Nothing to fit: a finite 100 instead of a division by zero.
  g.SetExtent(0, 0);
  EXPECT_EQ(g.GetFitZoomOfControl(), 100);
  EXPECT_EQ(g.GetFitZoom(), 100);
}

TEST(ViewGeometry, AutoFitZoomShrinksOrStretchesAlongTheLimitingSide) {
  struct Row {
    const char* What;
    int32_t W, H, AvailW, AvailH;
    bool Stretch, Shrink;
    double Expected;  // the control is 400 x 300 without margins
  };
  const Row rows[] = {
      {"width limits, larger, shrink", 800, 300, 400, 300, false, true, 50},
      {"width limits, larger, no shrink", 800, 300, 400, 300, true, false, 100},
      {"width limits, smaller, stretch", 200, 100, 400, 300, true, false, 200},
      {"width limits, smaller, no stretch", 200, 100, 400, 300, false, true, 100},
      {"height limits, larger, shrink", 100, 600, 400, 300, false, true, 50},
      {"height limits, smaller, stretch", 100, 150, 400, 300, true, false, 200},
      {"height limits, smaller, no stretch", 100, 150, 400, 300, false, true, 100},
      {"no width", 0, 100, 400, 300, true, true, 100},
      {"no room", 100, 100, 0, 300, true, true, 100},
      {"room below zero", 100, 100, -20, 300, true, true, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    Geometry g;
    g.ControlW = 400;
    g.ControlH = 300;
    g.SetExtent(row.W, row.H);
    EXPECT_DOUBLE_EQ(g.GetAutoFitZoom(row.W, row.H, row.AvailW, row.AvailH, row.Stretch, row.Shrink), row.Expected);
  }
}

TEST(ViewGeometry, VisibleAreaCoversWholeColumnsAboveOneHundredPercent) {
  struct Row {
    double Zoom;
    int32_t Origin;
  };
  for (Row row : {Row{800, 0}, Row{800, 301}, Row{400, 0}, Row{150, 37}, Row{100, 10}, Row{50, 5}}) {
    SCOPED_TRACE(row.Zoom);
    Geometry g;
    g.SetExtent(100, 100);
    g.StoreZoom(row.Zoom, row.Zoom);
    g.ClampAndStoreOrigin(row.Origin, row.Origin);
    g.Layout();
    const double f = row.Zoom / 100;
    EXPECT_EQ(g.ZoomedWidth(), std::lround(100 * f));
    EXPECT_EQ(g.DrawnWidth(), std::min(g.ZoomedWidth(), 300));
    EXPECT_LE(g.VisibleFirstColumn() + g.VisibleColumns(), 100);
    if (row.Zoom > 100) {
      // Whole columns up to the edge, the last one cut there.
      EXPECT_EQ(g.PaintedWidth(), std::min(int32_t(g.VisibleColumns() * f), g.DrawnWidth()));
      EXPECT_GT(g.VisibleColumns() * f, g.DrawnWidth() - f);
    } else {
      EXPECT_EQ(g.PaintedWidth(), g.DrawnWidth());
    }
    EXPECT_EQ(g.VisibleFirstColumn(), g.ClientToBitmapX(g.ImageOffsetX()));
  }
  // Half a column rounds to the even count: 100 / 800 x 300 = 37.5 -> 38.
  Geometry g;
  g.SetExtent(100, 100);
  g.StoreZoom(800, 800);
  g.Layout();
  EXPECT_EQ(g.VisibleColumns(), 38);
  EXPECT_EQ(g.PaintedWidth(), 300) << "304 of whole columns, cut at the view";
}

TEST(ViewGeometry, MouseZoomProposals) {
  struct Wheel {
    double Zoom;
    int32_t Direction, Variation, Value;
    double Expected;
  };
  const Wheel wheels[] = {
      {100, 1, 1, 8, 108}, {100, -1, 1, 8, 92}, {5, 1, 1, 8, 6},  {5, -1, 1, 8, 4},   {50, 1, 1, 8, 54},
      {25, 1, 1, 10, 27},  // 2.5 rounds to the even 2
      {35, 1, 1, 10, 39},  // 3.5 rounds to the even 4
      {100, 1, 0, 8, 108}, {100, -1, 0, 8, 92}, {100, 1, 2, 8, 100},
  };
  for (const Wheel& w : wheels)
    EXPECT_EQ(IEWheelZoom(w.Zoom, w.Direction, w.Variation, w.Value), w.Expected)
        << w.Zoom << " dir " << w.Direction << " var " << w.Variation;
  struct Click {
    double Zoom, In, Out;
  };
  const Click clicks[] = {{100, 200, 75}, {30, 33, 25}, {250, 350, 150}, {150, 250, 100}, {3, 5, 2},
                          {2, 5, 2},      {1, 2, 2},    {200, 300, 100}, {99, 100, 75},   {33, 50, 25}};
  for (const Click& c : clicks) {
    EXPECT_EQ(IEClickZoomIn(c.Zoom), c.In) << c.Zoom;
    EXPECT_EQ(IEClickZoomOut(c.Zoom), c.Out) << c.Zoom;
  }
  EXPECT_EQ(IEClickZoomIn(IEClickZoomIn(100)), 300);
}

TEST(ViewGeometry, ScrollCodesAndWheelStepsAimAtOrigins) {
  Geometry g;
  g.SetExtent(100, 100);
  g.StoreZoom(800, 800);
  g.ClampAndStoreOrigin(200, 100);
  struct Row {
    bool Horizontal;
    int32_t Code, Position, LineStep, PageStep, Expected;
  };
  const Row rows[] = {
      {false, 0, 77, -1, -1, 77},  {false, 1, 0, -1, -1, 508}, {false, 2, 0, -1, -1, 0},
      {false, 3, 0, -1, -1, 108},  {false, 4, 0, -1, -1, 92},  {true, 3, 0, 3, -1, 224},
      {true, 5, 0, -1, -1, 500},   {true, 6, 0, -1, -1, -100}, {true, 5, 0, 2, 4, 264},
      {true, 9, 123, -1, -1, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(g.ScrollCodeTarget(r.Horizontal, r.Code, r.Position, r.LineStep, r.PageStep), r.Expected)
        << "code " << r.Code << (r.Horizontal ? " x" : " y");
  bool onX = false;
  int32_t to = 0;
  ASSERT_TRUE(g.WheelScrollTarget(1, false, 0, 8, onX, to));
  EXPECT_FALSE(onX);
  EXPECT_EQ(to, 100 + 8 * 8);
  ASSERT_TRUE(g.WheelScrollTarget(-1, true, 1, 8, onX, to));
  EXPECT_TRUE(onX);
  EXPECT_EQ(to, 200 - 24);
  EXPECT_FALSE(g.WheelScrollTarget(1, false, 2, 8, onX, to));
  // Only the horizontal axis can scroll: the wheel moves it.
  Geometry wide;
  wide.SetExtent(1000, 100);
  ASSERT_TRUE(wide.WheelScrollTarget(1, false, 0, 8, onX, to));
  EXPECT_TRUE(onX);
  EXPECT_EQ(to, 8);
}

TEST(ViewGeometry, ScrollBarUnitsConvertBackToTheOrigin) {
  for (int32_t origin : {0, 1, 250, 507, 508}) {
    const TIEScrollBarSetup s = IEScrollBarSetup(300, 508, origin);
    EXPECT_DOUBLE_EQ(s.Scale, 808.0 / 65536);
    EXPECT_LE(s.Position + s.Page, 65536);
    EXPECT_NEAR(IEScrollThumbToOrigin(s.Position, s.Scale), origin, s.Scale);
  }
  const TIEScrollBarSetup none = IEScrollBarSetup(0, 0, 5);
  EXPECT_EQ(none.Page, 0);
  EXPECT_EQ(none.Position, 0);
}

TEST(ViewGeometry, ZoomIsCappedSoZoomedExtentsStayInRange) {
  Geometry g;
  g.SetExtent(1000, 10);
  const double capX = 100.0 * IEMaxZoomedExtent / 1000, capY = 100.0 * IEMaxZoomedExtent / 10;
  EXPECT_DOUBLE_EQ(g.MaxZoom(), capX);
  g.StoreZoom(1e12, 1e12);
  EXPECT_DOUBLE_EQ(g.ZoomPercentX(), capX);
  EXPECT_DOUBLE_EQ(g.ZoomPercentY(), capY);
  g.CalcImageRect();
  EXPECT_LE(g.ZoomedWidth(), IEMaxZoomedExtent);
  EXPECT_LE(g.ZoomedHeight(), IEMaxZoomedExtent);
  // The largest tables still build, and every conversion stays inside the image.
  Geometry one;
  one.SetExtent(1, 1);
  one.ApplyZoom(1e15);
  int32_t mx, my;
  one.GetMaxScroll(mx, my);
  EXPECT_EQ(one.ScrollOriginX(), mx) << "the centre point lies far out: the origin stops at the end";
  EXPECT_GT(mx, 0);
  EXPECT_LE(mx, 2 * IEMaxZoomedExtent);
  one.Layout();
  EXPECT_EQ(one.PaintedWidth(), 0) << "scrolled past the one column";
  one.StoreZoom(1e15, 100);  // the large table on one axis is enough
  one.ClampAndStoreOrigin(0, 0);
  one.Layout();
  EXPECT_EQ(one.ZoomedWidth(), IEMaxZoomedExtent);
  ASSERT_EQ(one.PaintedWidth(), 300);
  ASSERT_EQ(one.ClientToBitmapMapX().size(), 300u);
  for (int32_t u = 0; u < one.PaintedWidth(); ++u) EXPECT_EQ(one.ClientToBitmapX(u), 0);
  EXPECT_EQ(one.BitmapToClientX(0), 0);
}

TEST(ViewGeometry, EmptyImagesAndViewsDivideByNothing) {
  struct Row {
    const char* What;
    int32_t W, H, ViewW, ViewH;
    bool Empty;
    double Zoom;
  };
  const Row rows[] = {
      {"empty image", 0, 0, 300, 300, true, 100},   {"no width", 0, 50, 300, 300, true, 250},
      {"no view", 100, 100, 0, 0, false, 100},      {"negative view", 100, 100, -5, -5, false, 300},
      {"tiny zoom", 100, 100, 300, 300, false, 1e-9}, {"bitmap reported empty", 100, 100, 300, 300, true, 50},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    Geometry g;
    g.SetExtent(row.W, row.H);
    g.ViewW = row.ViewW;
    g.ViewH = row.ViewH;
    g.Empty = row.Empty;
    g.StoreZoom(row.Zoom, row.Zoom);
    EXPECT_GT(g.ZoomPercentX(), 0);
    EXPECT_TRUE(std::isfinite(g.ZoomInverseX()));
    g.ApplyZoom(row.Zoom * 2);
    g.ClampAndStoreOrigin(50, 50);
    g.Layout();
    EXPECT_GE(g.DrawnWidth(), 0);
    EXPECT_GE(g.PaintedWidth(), 0);
    EXPECT_GE(g.VisibleColumns(), 0);
    EXPECT_EQ(g.ClientToBitmapMapX().size(), row.Empty || row.ViewW <= 0 ? 0u : size_t(g.PaintedWidth()));
    // Conversions answer without overflow (the sanitizers would stop the test).
    for (int32_t x : {-1, 0, 1, 299, std::numeric_limits<int32_t>::max()}) {
      (void)g.ClientToBitmapX(x);
      (void)g.BitmapToClientY(x);
    }
    EXPECT_TRUE(std::isfinite(g.GetFitZoom()));
    EXPECT_TRUE(std::isfinite(g.GetFitZoomOfControl()));
  }
}

}  // namespace
