// Zoom and scrolling as the view performs them: which events fire in which
// order, what is rejected, how the wheel and the scroll bars drive the
// origin, and the delayed filter and smooth scrolling timers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "imaging/view/voviderview.h"
#include "platform/gdi/syscolors.h"
#include "tests/imaging/view/viewtest.h"

namespace {

using viewtest::ViewTest;

int32_t RoundEven(double v) { return int32_t(std::nearbyint(v)); }

class ViewZoomTest : public ViewTest {
protected:
  // Records the view's events as text: "changing k v", "change k", "render", "in z", "out z".
  void Record(TVovidErView* v) {
    v->OnViewChanging = [this](TObject*, int32_t k, double value) {
      log_.push_back("changing " + std::to_string(k) + " " + Num(value));
    };
    v->OnViewChange = [this](TObject*, int32_t k) { log_.push_back("change " + std::to_string(k)); };
    v->OnDrawBackBuffer = [this](TObject*) { log_.push_back("render"); };
    v->OnZoomIn = [this](TObject*, double& z) { log_.push_back("in " + Num(z)); };
    v->OnZoomOut = [this](TObject*, double& z) { log_.push_back("out " + Num(z)); };
  }
  static std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
  }
  // A view with a w x h image of a column/row pattern.
  TVovidErView* ViewWithImage(int32_t vw, int32_t vh, int32_t iw, int32_t ih, TScrollStyle bars = ssNone) {
    TVovidErView* v = MakeView(vw, vh, bars);
    FillImage(v, iw, ih, [](int32_t x, int32_t y) { return TRGB{uint8_t(x), uint8_t(y), 0}; });
    Pump();
    return v;
  }
  void SendWheel(TVovidErView* v, int32_t delta, int32_t x, int32_t y) {
    const TPoint s = v->ClientToScreen({x, y});
    win::SendMessage(v->Handle(), win::WM_MOUSEWHEEL, win::MAKEWPARAM(0, win::WORD(int16_t(delta))),
                     win::MAKELPARAM(s.X, s.Y));
  }
  // Written by the views' handlers: members, because the form frees the
  // views only at tear-down.
  std::vector<std::string> log_;
  int paints_ = 0;
  int renders_ = 0;
  std::vector<int32_t> origins_;
};

TEST_F(ViewZoomTest, ZoomsOfZeroOrBelowAreAnnouncedButNotApplied) {
  TVovidErView* v = ViewWithImage(100, 80, 50, 40);
  for (double z : {0.0, -5.0}) {
    log_.clear();
    Record(v);
    v->SetZoom(z);
    EXPECT_EQ(log_, std::vector<std::string>{"changing 2 " + Num(z)});
    EXPECT_EQ(v->ZoomPercentX(), 100);
    EXPECT_EQ(v->ZoomPercentY(), 100);
  }
  log_.clear();
  v->SetHorizontalZoom(-1);
  v->SetVerticalZoom(0);
  EXPECT_EQ(log_, (std::vector<std::string>{"changing 2 -1", "changing 2 0"}));
  EXPECT_EQ(v->ZoomPercentX(), 100);
  EXPECT_EQ(v->ZoomPercentY(), 100);
}

TEST_F(ViewZoomTest, TheCurrentZoomAgainChangesNothing) {
  TVovidErView* v = ViewWithImage(100, 80, 50, 40);
  v->OnPaint = [this](TObject*) { ++paints_; };
  Record(v);
  v->SetZoom(100);
  Pump();
  EXPECT_EQ(log_, std::vector<std::string>{"changing 2 100"});
  EXPECT_EQ(paints_, 0);
}

TEST_F(ViewZoomTest, SetZoomRepaintsThenReports) {
  TVovidErView* v = ViewWithImage(100, 80, 50, 40);
  Record(v);
  v->SetZoom(200);
  EXPECT_EQ(v->ZoomPercentX(), 200);
  EXPECT_EQ(v->ZoomPercentY(), 200);
  EXPECT_EQ(v->PaintLockCount(), 0);
  // Announced first, painted at once (not through a later paint message), reported last.
  ASSERT_GE(log_.size(), 3u);
  EXPECT_EQ(log_.front(), "changing 2 200");
  EXPECT_EQ(log_[log_.size() - 2], "render");
  EXPECT_EQ(log_.back(), "change 1");
  EXPECT_FALSE(v->BackBufferDirty());
  // No wheel or click was involved: no proposals.
  for (const std::string& e : log_) EXPECT_NE(e.substr(0, 3), "in ");
}

TEST_F(ViewZoomTest, OneAxisZoomsCompareOnlyTheirAxis) {
  TVovidErView* v = ViewWithImage(100, 80, 50, 40);
  v->SetHorizontalZoom(300);
  EXPECT_EQ(v->ZoomPercentX(), 300);
  EXPECT_EQ(v->ZoomPercentY(), 100);
  Record(v);
  v->SetVerticalZoom(100);  // the vertical zoom is 100 already
  EXPECT_EQ(log_, std::vector<std::string>{"changing 2 100"});
  v->SetVerticalZoom(50);
  EXPECT_EQ(v->ZoomPercentY(), 50);
  EXPECT_EQ(v->ZoomPercentX(), 300);
  EXPECT_EQ(log_.back(), "change 1");
}

TEST_F(ViewZoomTest, ScrollToClampsToTheMaximum) {
  TVovidErView* v = ViewWithImage(100, 80, 300, 400);
  int32_t maxX = 0, maxY = 0;
  v->GetMaxScroll(maxX, maxY);
  ASSERT_GT(maxY, 0);
  Record(v);
  v->ScrollTo(-10, 1000000);
  EXPECT_EQ(v->ScrollOriginX(), 0);
  EXPECT_EQ(v->ScrollOriginY(), maxY);
  ASSERT_GE(log_.size(), 4u);
  EXPECT_EQ(log_[0], "changing 0 -10");
  EXPECT_EQ(log_[1], "changing 1 1e+06");
  EXPECT_EQ(log_.back(), "change 0");
  // The same target again: announced, nothing else.
  log_.clear();
  v->ScrollTo(0, maxY);
  EXPECT_EQ(log_, (std::vector<std::string>{"changing 0 0", "changing 1 " + Num(maxY)}));
}

TEST_F(ViewZoomTest, TheWheelProposesAZoomBeforeApplyingIt) {
  struct Case {
    double start;
    int32_t delta;  // positive: rolled forward
    bool invert;
    std::string event;
    double applied;
  };
  // With the wheel value 8 in percent: a step of max(Round(8 z / 100), 1) points.
  const Case cases[] = {
      {100, 120, true, "in 108", 108},  {100, -120, true, "out 92", 92}, {5, 120, true, "in 6", 6},
      {100, 120, false, "out 92", 92},  {250, -120, true, "out 230", 230},
  };
  for (const Case& c : cases) {
    TVovidErView* v = ViewWithImage(100, 80, 60, 50);
    v->MouseWheelParams().SetWheelInvertDirection(c.invert);
    v->SetZoom(c.start);
    log_.clear();
    Record(v);
    SendWheel(v, c.delta, 30, 20);
    ASSERT_FALSE(log_.empty());
    EXPECT_EQ(log_.front(), c.event) << c.start << " " << c.delta;
    EXPECT_DOUBLE_EQ(v->ZoomPercentX(), c.applied);
  }
}

TEST_F(ViewZoomTest, TheApplicationMayChangeTheProposedZoom) {
  TVovidErView* v = ViewWithImage(100, 80, 60, 50);
  v->MouseWheelParams().SetWheelInvertDirection(true);
  v->OnZoomOut = [](TObject*, double& z) { z = std::max(z, 95.0); };
  SendWheel(v, -120, 10, 10);
  EXPECT_EQ(v->ZoomPercentX(), 95);
}

TEST_F(ViewZoomTest, TheWheelDoesNothingWithAutoFit) {
  TVovidErView* v = ViewWithImage(100, 80, 60, 50);
  v->SetAutoFit(true);
  v->Update();
  const double fitted = v->ZoomPercentX();
  Record(v);
  SendWheel(v, 120, 10, 10);
  SendWheel(v, -120, 10, 10);
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(v->ZoomPercentX(), fitted);
}

TEST_F(ViewZoomTest, TheWheelScrollsWhenAskedTo) {
  TVovidErView* v = ViewWithImage(100, 80, 60, 500);
  TIEMouseWheelParams& p = v->MouseWheelParams();
  p.SetWheelAction(1);
  p.SetWheelVariation(1);
  // Rolled back (+1): one step of Round(80 x 8 / 100) = 6 rows.
  SendWheel(v, -120, 10, 10);
  EXPECT_EQ(v->ScrollOriginY(), RoundEven(80 * 8 / 100.0));
  p.SetWheelVariation(0);
  v->SetZoom(300);
  const int32_t before = v->ScrollOriginY();
  SendWheel(v, -120, 10, 10);
  EXPECT_EQ(v->ScrollOriginY(), before + 8 * 3);
}

TEST_F(ViewZoomTest, FitToClient) {
  // Empty image: nothing at all.
  TVovidErView* empty = MakeView(100, 80);
  empty->SetZoom(150);
  Record(empty);
  empty->FitToClient();
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(empty->ZoomPercentX(), 150);

  // The fit zoom measures the control: min(200 / (400 / 100), 100 / (100 / 100)).
  TVovidErView* v = ViewWithImage(200, 100, 400, 100, ssBoth);
  ASSERT_LT(v->ClientHeight(), 100) << "the horizontal bar is shown before the fit";
  v->FitToClient();
  EXPECT_DOUBLE_EQ(v->ZoomPercentX(), std::min(200 / 4.0, 100 / 1.0));
  Pump();
  EXPECT_EQ(v->ClientWidth(), 200) << "nothing to scroll after the fit: no bars";
  EXPECT_EQ(v->ClientHeight(), 100);
}

TEST_F(ViewZoomTest, ZoomAroundPointKeepsThePixelUnderThePoint) {
  struct Case {
    int32_t x, y;
    double zoom;
  };
  const Case cases[] = {{57, 41, 250}, {10, 90, 400}, {150, 5, 130}, {99, 70, 800}};
  for (const Case& c : cases) {
    TVovidErView* v = ViewWithImage(200, 150, 600, 500);
    v->ScrollTo(37, 23);
    const int32_t bx = v->ClientToBitmapX(c.x), by = v->ClientToBitmapY(c.y);
    v->ZoomAroundPoint(c.x, c.y, false, c.zoom);
    EXPECT_EQ(v->ZoomPercentX(), c.zoom);
    EXPECT_EQ(v->PaintLockCount(), 0);
    // Pixel bx starts within one zoomed pixel left of the point.
    const double f = c.zoom / 100;
    const int32_t cx = v->BitmapToClientX(bx), cy = v->BitmapToClientY(by);
    EXPECT_LE(cx, c.x) << c.x << " at " << c.zoom;
    EXPECT_GE(cx, c.x - std::ceil(f) - 1) << c.x << " at " << c.zoom;
    EXPECT_LE(cy, c.y) << c.y << " at " << c.zoom;
    EXPECT_GE(cy, c.y - std::ceil(f) - 1) << c.y << " at " << c.zoom;
    EXPECT_LE(std::abs(v->ClientToBitmapX(c.x) - bx), 1);
    EXPECT_LE(std::abs(v->ClientToBitmapY(c.y) - by), 1);
  }
}

TEST_F(ViewZoomTest, ZoomAroundPointCentred) {
  TVovidErView* v = ViewWithImage(200, 150, 600, 500);
  const int32_t bx = v->ClientToBitmapX(40), by = v->ClientToBitmapY(30);
  v->ZoomAroundPoint(40, 30, true, 300);
  EXPECT_EQ(v->ScrollOriginX(), int32_t(bx * 3.0 - 100));
  EXPECT_EQ(v->ScrollOriginY(), int32_t(by * 3.0 - 75));
}

TEST_F(ViewZoomTest, ZoomToARectangleCentresIt) {
  TVovidErView* v = ViewWithImage(200, 100, 400, 300);
  Record(v);
  v->ZoomToRect(10, 20, 59, 69, true, true);
  // 50 x 50 pixels into 200 x 100: min(100 / 0.5, 200 / 0.5) = 200 %.
  EXPECT_EQ(log_.front(), "in 200");
  EXPECT_EQ(v->ZoomPercentX(), 200);
  EXPECT_EQ(v->ScrollOriginX(), 0);  // 20 - (200 - 100) / 2 is below 0
  EXPECT_EQ(v->ScrollOriginY(), 40 - (100 - 100) / 2);
  log_.clear();
  v->ZoomToRect(10, 20, 10, 69, true, true);  // one column: too small
  EXPECT_TRUE(log_.empty());
  v->ZoomToSelection();  // no selection
  EXPECT_TRUE(log_.empty());
}

TEST_F(ViewZoomTest, ScrollCodes) {
  TVovidErView* v = ViewWithImage(100, 100, 100, 400);
  int32_t maxX = 0, maxY = 0;
  v->GetMaxScroll(maxX, maxY);
  ASSERT_EQ(maxY, 300);
  struct Case {
    int32_t from, code, position, lineStep, pageStep, want;
  };
  const Case cases[] = {
      {10, 0, 50, -1, -1, 50},   {10, 1, 0, -1, -1, 300}, {90, 2, 0, -1, -1, 0},  {50, 3, 0, -1, -1, 51},
      {50, 4, 0, -1, -1, 49},    {50, 5, 0, -1, -1, 150}, {150, 6, 0, -1, -1, 50}, {50, 3, 0, 10, -1, 60},
      {50, 5, 0, 10, 3, 80},     {50, 9, 77, -1, -1, 0},  {290, 5, 0, -1, -1, 300}, {20, 6, 0, -1, -1, 0},
  };
  for (const Case& c : cases) {
    v->VScrollBarParams().SetLineStep(c.lineStep);
    v->VScrollBarParams().SetPageStep(c.pageStep);
    v->ScrollToY(c.from);
    v->ScrollVertically(c.code, c.position);
    EXPECT_EQ(v->ScrollOriginY(), c.want) << "code " << c.code << " from " << c.from;
  }
}

TEST_F(ViewZoomTest, ScrollBarMessages) {
  TVovidErView* v = ViewWithImage(120, 100, 100, 600, ssVertical);
  ASSERT_LT(v->ClientWidth(), 120) << "the vertical bar shows";
  int32_t maxX = 0, maxY = 0;
  v->GetMaxScroll(maxX, maxY);
  ASSERT_GT(maxY, 0);
  const double scale = (v->ClientHeight() + maxY) / 65536.0;
  auto send = [&](win::WORD code, win::WORD thumb) {
    win::SendMessage(v->Handle(), win::WM_VSCROLL, win::MAKEWPARAM(code, thumb), 0);
  };
  send(win::SB_LINEDOWN, 0);
  EXPECT_EQ(v->ScrollOriginY(), 1);
  send(win::SB_BOTTOM, 0);
  EXPECT_EQ(v->ScrollOriginY(), maxY);
  send(win::SB_TOP, 0);
  EXPECT_EQ(v->ScrollOriginY(), 0);
  send(win::SB_THUMBTRACK, 20000);
  EXPECT_EQ(v->ScrollOriginY(), RoundEven(20000 * scale));
  // The thumb follows the origin.
  EXPECT_EQ(win::GetScrollPos(v->Handle(), win::SB_VERT), int32_t(v->ScrollOriginY() / scale));
  v->VScrollBarParams().SetTracking(false);
  send(win::SB_THUMBTRACK, 30000);
  EXPECT_EQ(v->ScrollOriginY(), RoundEven(20000 * scale)) << "a drag without tracking waits for the release";
  send(win::SB_THUMBPOSITION, 30000);
  EXPECT_EQ(v->ScrollOriginY(), RoundEven(30000 * scale));
  send(win::SB_ENDSCROLL, 0);
  EXPECT_EQ(v->ScrollOriginY(), RoundEven(30000 * scale));

  // Leaving the bars out hides the one shown.
  v->SetScrollBars(ssNone);
  Pump();
  EXPECT_EQ(v->ClientWidth(), 120);
}

TEST_F(ViewZoomTest, FlatScrollBarsAreTheSameBars) {
  TVovidErView* v = ViewWithImage(120, 100, 400, 400, ssBoth);
  ASSERT_LT(v->ClientWidth(), 120);
  // Switching hides both bars; the new client size lays the view out again,
  // which brings back the bars it needs.
  v->SetFlatScrollBars(true);
  EXPECT_TRUE(v->FlatScrollBars());
  EXPECT_EQ(v->ClientWidth(), 120 - win::GetSystemMetrics(win::SM_CXVSCROLL));
  EXPECT_EQ(v->ClientHeight(), 100 - win::GetSystemMetrics(win::SM_CYHSCROLL));
  int32_t maxX = 0, maxY = 0;
  v->GetMaxScroll(maxX, maxY);
  v->ScrollTo(50, 60);
  // The bar spans 0 .. 65535 over the client width plus the scrollable part.
  EXPECT_EQ(win::GetScrollPos(v->Handle(), win::SB_HORZ), int32_t(50 / ((v->ClientWidth() + maxX) / 65536.0)));
  // The view still knows them as shown: leaving them out hides them.
  v->SetScrollBars(ssNone);
  EXPECT_EQ(v->ClientWidth(), 120);
  EXPECT_EQ(v->ClientHeight(), 100);
}

TEST_F(ViewZoomTest, ABarThatAppearsMakesRoomForTheOther) {
  // 110 columns fit 120 pixels, but not the 120 less the vertical bar that
  // the 600 rows need: only a second layout sees that.
  TVovidErView* v = ViewWithImage(120, 100, 110, 600, ssBoth);
  EXPECT_EQ(v->ClientWidth(), 120 - win::GetSystemMetrics(win::SM_CXVSCROLL));
  EXPECT_EQ(v->ClientHeight(), 100 - win::GetSystemMetrics(win::SM_CYHSCROLL));
  int32_t maxX = 0, maxY = 0;
  v->GetMaxScroll(maxX, maxY);
  EXPECT_GT(maxX, 0);
  // The image area follows the final client size.
  EXPECT_EQ(v->DrawnWidth(), v->ClientWidth());
}

TEST_F(ViewZoomTest, TheDelayedFilterWaitsForTheTimer) {
  TVovidErView* v = ViewWithImage(100, 80, 60, 50);
  v->OnDrawBackBuffer = [this](TObject*) { ++renders_; };
  v->SetZoom(150);
  EXPECT_EQ(v->FilterDelayCounter(), 0) << "no delayed filter set";
  EXPECT_EQ(v->SettleCounter(), 1) << "set to 2, one paint since";

  v->SetZoomFilter(rfFastLinear);
  v->SetDelayZoomFilter(true);
  Pump();
  const int before = renders_;
  v->SetZoom(200);
  // Set to 4 when zooming from a zoom other than 100 %, then counted down by the paint.
  EXPECT_EQ(v->FilterDelayCounter(), 3);
  ASSERT_TRUE(PumpUntil([&] { return v->FilterDelayCounter() == 0 && v->SettleCounter() == 0; }));
  Pump();
  EXPECT_GE(renders_, before + 2) << "the end of the delay redraws with the filter";
}

TEST_F(ViewZoomTest, SmoothScrollingApproachesTheTarget) {
  TVovidErView* v = ViewWithImage(100, 100, 100, 2000);
  origins_ = {v->ScrollOriginY()};
  v->OnViewChange = [this, v](TObject*, int32_t k) {
    if (k == 0) origins_.push_back(v->ScrollOriginY());
  };
  v->ScrollToSmooth(0, 800);
  EXPECT_EQ(v->ScrollOriginY(), 100) << "the first step runs at once: an eighth of the way";
  ASSERT_TRUE(PumpUntil([&] { return !v->SmoothScrollRunning(); }));
  // Every step went an eighth of the remaining way, rounded.
  for (size_t i = 1; i < origins_.size(); ++i)
    EXPECT_EQ(origins_[i], RoundEven(origins_[i - 1] - (origins_[i - 1] - 800) / 8.0)) << i;
  // It stops when a step no longer moves: within half a divisor of the target.
  EXPECT_LE(std::abs(v->ScrollOriginY() - 800), 4);
  // A divisor of 0 jumps.
  v->SetSmoothScrollDivisor(0);
  v->ScrollToSmooth(0, 40);
  EXPECT_EQ(v->ScrollOriginY(), 40);
  // A zoom stops a running animation.
  v->SetSmoothScrollDivisor(8);
  v->ScrollToSmooth(0, 900);
  ASSERT_TRUE(v->SmoothScrollRunning());
  v->SetZoom(120);
  EXPECT_FALSE(v->SmoothScrollRunning());
}

}  // namespace
