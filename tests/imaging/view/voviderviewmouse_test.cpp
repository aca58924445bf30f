// Mouse and keyboard interaction of the view, driven through the headless
// display: real button and key messages, captured drags, the application
// loop's key routing. Expected values come from the interaction rules
// evaluated here (zoom steps, drag formulas, grip geometry).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ietext.h"
#include "imaging/processing/iealphabounds.h"
#include "imaging/view/voviderview.h"
#include "tests/imaging/view/viewtest.h"

namespace {

constexpr TIEMouseInteract Mi(std::initializer_list<TIEMouseInteractItems> items) {
  TIEMouseInteract r = 0;
  for (TIEMouseInteractItems i : items) r |= IEMI(i);
  return r;
}

// Every pixel different, so that moved or cropped content can be traced.
void FillPattern(TIEBitmap& b, int32_t w, int32_t h) {
  ASSERT_TRUE(b.Allocate(w, h, ie24RGB));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.SetPixel24(x, y, TRGB{uint8_t(x), uint8_t(y), uint8_t(x * 7 + y * 3)});
}

struct Notice {
  int32_t layer;
  TIELayerEvent event;
  TIESelectionBase base;  // SelectionBase as the handler saw it
};

class ViewMouseTest : public viewtest::ViewTest {
protected:
  // A view filling a borderless form at the screen's origin, so that client
  // and screen coordinates coincide; layer 0 holds a w x h picture. The view
  // has the focus and every layer notification is logged.
  TVovidErView* MakeMouseView(int32_t viewW, int32_t viewH, int32_t w, int32_t h) {
    view_ = MakeView(viewW, viewH, ssNone, 0, 0);
    form_ = view_->GetParentForm();
    FillSolid(view_, w, h, TRGB{40, 80, 120});
    Pump();
    view_->SetFocus();
    Pump();
    view_->OnLayerNotify = [this](TObject*, int32_t layer, TIELayerEvent event) {
      notices_.push_back({layer, event, view_->SelectionBase()});
    };
    return view_;
  }
  // Adds a layer with a w x h pattern at (posX, posY) and renders, so that
  // its drawn rectangle is known.
  TIELayer& AddLayer(int32_t w, int32_t h, int32_t posX, int32_t posY) {
    const int32_t i = view_->AddLayer();
    TIELayer& l = *view_->GetLayer(i);
    FillPattern(*l.Bitmap, w, h);
    l.PosX = posX;
    l.PosY = posY;
    Render();
    return l;
  }
  void Render() {
    view_->Update();
    Pump();
  }

  void Press(int x, int y, int button = 0) {
    backend_->MouseDown(button, x, y);
    Pump();
  }
  void Move(int x, int y) {
    backend_->MouseMove(x, y);
    Pump();
  }
  void Release(int x, int y, int button = 0) {
    backend_->MouseUp(button, x, y);
    Pump();
  }
  void ClickAt(int x, int y, int button = 0) {
    Move(x, y);
    Press(x, y, button);
    Release(x, y, button);
  }
  std::vector<TIELayerEvent> Events() const {
    std::vector<TIELayerEvent> r;
    for (const Notice& n : notices_) r.push_back(n.event);
    return r;
  }
  bool Has(TIELayerEvent e) const {
    for (const Notice& n : notices_)
      if (n.event == e) return true;
    return false;
  }

  TCustomForm* form_ = nullptr;
  TVovidErView* view_ = nullptr;
  std::vector<Notice> notices_;
};

// ---------------------------------------------------------------- zoom clicks

struct ZoomClickCase {
  const char* name;
  int button;      // 0 left, 1 right
  double start;    // zoom before the click
  int clicks;
  double proposal;  // what OnZoomIn / OnZoomOut turn the proposed zoom into (0: keep it)
  double want;
};

class ZoomClickTest : public ViewMouseTest, public ::testing::WithParamInterface<ZoomClickCase> {};

TEST_P(ZoomClickTest, OneClickIsOneZoomStepAroundTheClickedPoint) {
  const ZoomClickCase& c = GetParam();
  MakeMouseView(200, 200, 400, 400);
  view_->SetMouseInteract(Mi({miZoom, miScroll}));
  view_->SetZoom(c.start);
  view_->ScrollTo(100, 100);
  Pump();
  ASSERT_DOUBLE_EQ(view_->ZoomPercentX(), c.start);
  std::vector<double> proposed;
  const auto handler = [&](TObject*, double& z) {
    proposed.push_back(z);
    if (c.proposal > 0) z = c.proposal;
  };
  (c.button == 0 ? view_->OnZoomIn : view_->OnZoomOut) = handler;
  int changes = 0, paints = 0;
  view_->OnViewChange = [&](TObject*, int32_t) { ++changes; };
  view_->OnPaint = [&](TObject*) { ++paints; };

  const int x = 130, y = 110;
  Move(x, y);
  const int32_t bx = view_->ClientToBitmapX(x), by = view_->ClientToBitmapY(y);
  for (int i = 0; i < c.clicks; ++i) ClickAt(x, y, c.button);

  EXPECT_DOUBLE_EQ(view_->ZoomPercentX(), c.want);
  EXPECT_DOUBLE_EQ(view_->ZoomPercentY(), c.want);
  EXPECT_EQ(int(proposed.size()), c.clicks) << "the handler sees every proposal";
  if (c.want == c.start) {
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(paints, 0) << "an unchanged zoom must not repaint";
  } else if (const double need = bx * c.want / 100 - x; need >= 0 && need <= 400 * c.want / 100 - 200) {
    // Where the scroll range lets it, the picture point under the click
    // stays there (within one zoomed pixel).
    EXPECT_NEAR(view_->ClientToBitmapX(x), bx, 1);
    EXPECT_NEAR(view_->ClientToBitmapY(y), by, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ZoomClickTest,
    ::testing::Values(ZoomClickCase{"LeftFrom100", 0, 100, 1, 0, 200}, ZoomClickCase{"LeftFrom30", 0, 30, 1, 0, 33},
                      ZoomClickCase{"LeftTwiceFrom100", 0, 100, 2, 0, 300},
                      ZoomClickCase{"RightFrom250", 1, 250, 1, 0, 150},
                      ZoomClickCase{"RightFrom150", 1, 150, 1, 0, 100}, ZoomClickCase{"RightFrom3", 1, 3, 1, 0, 2},
                      ZoomClickCase{"RightFrom2Stays", 1, 2, 1, 0, 2},
                      ZoomClickCase{"OnZoomInChangesTheProposal", 0, 100, 1, 150, 150},
                      ZoomClickCase{"OnZoomOutChangesTheProposal", 1, 100, 1, 80, 80},
                      ZoomClickCase{"OnZoomOutKeepsTheZoom", 1, 100, 1, 100, 100}),
    [](const ::testing::TestParamInfo<ZoomClickCase>& i) { return std::string(i.param.name); });

TEST_F(ViewMouseTest, AnEmptyViewDoesNotZoomOnClick) {
  MakeMouseView(200, 200, 1, 1);
  ASSERT_TRUE(view_->IsEmpty());
  view_->SetMouseInteract(Mi({miZoom, miScroll}));
  int proposals = 0;
  view_->OnZoomIn = view_->OnZoomOut = [&](TObject*, double&) { ++proposals; };
  ClickAt(100, 100, 0);
  ClickAt(100, 100, 1);
  EXPECT_DOUBLE_EQ(view_->ZoomPercentX(), 100);
  EXPECT_EQ(proposals, 0);
}

// ---------------------------------------------------------------- drag scrolling

struct DragCase {
  const char* name;
  double factor;
  TPoint startOrigin;
  std::vector<TPoint> path;  // from the press to the release
  TPoint want;               // origin after the release
  double wantZoom;
};

class DragScrollTest : public ViewMouseTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragScrollTest, ALeftDragMovesThePictureWithTheMouse) {
  const DragCase& c = GetParam();
  MakeMouseView(200, 200, 400, 400);
  view_->SetMouseInteract(Mi({miZoom, miScroll}));
  view_->SetScrollDragFactor(c.factor);
  view_->ScrollTo(c.startOrigin.X, c.startOrigin.Y);
  Pump();
  ASSERT_TRUE(view_->CanScroll());
  Move(c.path.front().X, c.path.front().Y);
  Press(c.path.front().X, c.path.front().Y);
  EXPECT_EQ(view_->Cursor(), crIEHand) << "the hand while the picture can be dragged";
  for (size_t i = 1; i < c.path.size(); ++i) Move(c.path[i].X, c.path[i].Y);
  if (c.path.size() > 1) {
    // Scrolled already while the button is down.
    EXPECT_EQ(view_->ScrollOriginX(), c.want.X);
    EXPECT_EQ(view_->ScrollOriginY(), c.want.Y);
  }
  Release(c.path.back().X, c.path.back().Y);
  EXPECT_DOUBLE_EQ(view_->ZoomPercentX(), c.wantZoom);
  if (c.wantZoom == 100) {
    EXPECT_EQ(view_->ScrollOriginX(), c.want.X);
    EXPECT_EQ(view_->ScrollOriginY(), c.want.Y);
  }
  EXPECT_EQ(view_->Cursor(), crIEDefault);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DragScrollTest,
    ::testing::Values(
        DragCase{"Plain", 1.0, {0, 0}, {{100, 100}, {80, 70}, {60, 50}}, {40, 50}, 100},
        DragCase{"FromAScrolledOrigin", 1.0, {100, 100}, {{100, 100}, {130, 120}}, {70, 80}, 100},
        DragCase{"DoubleFactor", 2.0, {0, 0}, {{100, 100}, {90, 80}}, {20, 40}, 100},
        DragCase{"HalfFactorTruncates", 0.5, {0, 0}, {{100, 100}, {95, 97}}, {2, 1}, 100},
        DragCase{"ClampedAtTheEnd", 1.0, {150, 150}, {{100, 100}, {0, 0}}, {200, 200}, 100},
        DragCase{"PressAndReleaseAtOnePixelZooms", 1.0, {0, 0}, {{100, 100}}, {0, 0}, 200}),
    [](const ::testing::TestParamInfo<DragCase>& i) { return std::string(i.param.name); });

TEST_F(ViewMouseTest, ARightClickWhileTheLeftButtonIsHeldDoesNothing) {
  MakeMouseView(200, 200, 400, 400);
  view_->SetMouseInteract(Mi({miZoom, miScroll}));
  int proposals = 0;
  view_->OnZoomIn = view_->OnZoomOut = [&](TObject*, double&) { ++proposals; };
  Move(100, 100);
  Press(100, 100, 0);
  Press(100, 100, 1);
  Release(100, 100, 1);
  EXPECT_DOUBLE_EQ(view_->ZoomPercentX(), 100);
  EXPECT_EQ(proposals, 0);
  // The left drag goes on as if nothing happened.
  Move(70, 90);
  Release(70, 90, 0);
  EXPECT_DOUBLE_EQ(view_->ZoomPercentX(), 100);
  EXPECT_EQ(view_->ScrollOriginX(), 30);
  EXPECT_EQ(view_->ScrollOriginY(), 10);
  EXPECT_EQ(proposals, 0);
  // A later right click zooms out as usual.
  view_->SetZoom(300);
  Pump();
  ClickAt(100, 100, 1);
  EXPECT_DOUBLE_EQ(view_->ZoomPercentX(), 200);
}

TEST_F(ViewMouseTest, MovingScrollFollowsTheMouseAcrossTheView) {
  MakeMouseView(200, 200, 400, 300);
  view_->SetMouseInteract(Mi({miMovingScroll}));
  view_->SetSmoothScrollDivisor(0);  // arrive at once
  int32_t maxX = 0, maxY = 0;
  view_->GetMaxScroll(maxX, maxY);
  ASSERT_EQ(maxX, 200);
  ASSERT_EQ(maxY, 100);
  struct Row {
    int x, y;
  };
  for (Row r : {Row{100, 60}, Row{0, 0}, Row{199, 199}, Row{40, 150}}) {
    SCOPED_TRACE(std::to_string(r.x) + "," + std::to_string(r.y));
    Move(r.x, r.y);
    const auto target = [](int v, int extent, int max) {
      const int t = int(std::trunc((double(v) / extent - 0.02) * 1.05 * max));
      return std::clamp(t, 0, max);
    };
    EXPECT_EQ(view_->ScrollOriginX(), target(r.x, 200, maxX));
    EXPECT_EQ(view_->ScrollOriginY(), target(r.y, 200, maxY));
  }
}

// ---------------------------------------------------------------- MouseInteract rules

struct InteractCase {
  const char* name;
  TIEMouseInteract before, asked, want;
};

class InteractRuleTest : public ViewMouseTest, public ::testing::WithParamInterface<InteractCase> {};

TEST_P(InteractRuleTest, TheFirstMatchingRuleChoosesTheBitsKept) {
  const InteractCase& c = GetParam();
  MakeMouseView(100, 100, 50, 50);
  view_->SetMouseInteract(c.before);
  ASSERT_EQ(view_->MouseInteract(), c.before);
  view_->SetMouseInteract(c.asked);
  EXPECT_EQ(view_->MouseInteract(), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, InteractRuleTest,
    ::testing::Values(
        InteractCase{"AddingSelectToZoomScroll", Mi({miZoom, miScroll}), Mi({miZoom, miScroll, miSelect}),
                     Mi({miZoom, miSelect})},
        InteractCase{"AllThreeLayerModesDropResize", 0, Mi({miMoveLayers, miResizeLayers, miRotateLayers}),
                     Mi({miMoveLayers, miRotateLayers})},
        InteractCase{"ZoomAndScrollFromNothing", 0, Mi({miZoom, miScroll}), Mi({miZoom, miScroll})},
        InteractCase{"PolygonBeatsZoom", 0, Mi({miZoom, miSelectPolygon}), Mi({miSelectPolygon})},
        InteractCase{"NewZoomDropsLayerModes", Mi({miMoveLayers, miResizeLayers}),
                     Mi({miMoveLayers, miResizeLayers, miZoom}), Mi({miZoom})},
        InteractCase{"NewMagicWandDropsZoom", Mi({miZoom, miSelect}), Mi({miZoom, miSelect, miSelectMagicWand}),
                     Mi({miSelectMagicWand})},
        InteractCase{"NewScrollKeepsMovingScroll", Mi({miZoom}), Mi({miZoom, miScroll, miMovingScroll}),
                     Mi({miZoom, miScroll, miMovingScroll})},
        InteractCase{"NoRuleStoresAsGiven", Mi({miZoom, miScroll}), Mi({miZoom, miScroll, miMovingScroll}),
                     Mi({miZoom, miScroll, miMovingScroll})},
        InteractCase{"MoveKeepsResize", Mi({miMoveLayers}), Mi({miMoveLayers, miResizeLayers}),
                     Mi({miMoveLayers, miResizeLayers})},
        InteractCase{"ResizeAloneAddsNoMove", 0, Mi({miResizeLayers, miSelectMagicWand}), Mi({miSelectMagicWand})},
        InteractCase{"ResizeRowKeepsResize", 0, Mi({miResizeLayers, miMovingScroll}),
                     Mi({miResizeLayers, miMovingScroll})}),
    [](const ::testing::TestParamInfo<InteractCase>& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------- moving layers

struct LayerMoveCase {
  const char* name;
  TPoint start;  // PosX, PosY before
  bool locked;
  std::vector<TPoint> path;  // client points from the press to the release
  TPoint want;
  bool wantMoved;   // ielMoved at the release
  const char* hint;  // during the last step ("" none)
};

class LayerMoveTest : public ViewMouseTest, public ::testing::WithParamInterface<LayerMoveCase> {};

// View 200 x 200, picture 100 x 100 centred at (50, 50), layer 1 40 x 30.
TEST_P(LayerMoveTest, ADragMovesTheLayerByTheMouseInBitmapPixels) {
  const LayerMoveCase& c = GetParam();
  MakeMouseView(200, 200, 100, 100);
  TIELayer& layer = AddLayer(40, 30, c.start.X, c.start.Y);
  layer.Locked = c.locked;
  view_->SetMouseInteract(Mi({miMoveLayers}));
  view_->SetSelectionBase(iesbBitmap);
  ASSERT_EQ(view_->ImageOffsetX(), 50);
  ASSERT_EQ(layer.DrawnRect, Rect(50 + c.start.X, 50 + c.start.Y, 90 + c.start.X, 80 + c.start.Y));

  Move(c.path.front().X, c.path.front().Y);
  EXPECT_EQ(view_->Cursor(), c.locked ? crIEDefault : crIEMoveAll) << "cursor over the layer";
  Press(c.path.front().X, c.path.front().Y);
  for (size_t i = 1; i < c.path.size(); ++i) Move(c.path[i].X, c.path[i].Y);
  EXPECT_EQ(view_->InteractionHintText(), c.hint);
  Release(c.path.back().X, c.path.back().Y);

  EXPECT_EQ(layer.PosX, c.want.X);
  EXPECT_EQ(layer.PosY, c.want.Y);
  EXPECT_EQ(view_->InteractionHintText(), "") << "the hint goes at mouse-up";
  EXPECT_EQ(view_->CurrentLayerIndex(), 1);
  ASSERT_GE(notices_.size(), 2u);
  EXPECT_EQ(notices_[0].event, ielSelected);
  EXPECT_EQ(notices_[1].event, ielBeginMoving);
  EXPECT_EQ(Has(ielMoving), !c.locked && c.path.size() > 1);
  EXPECT_EQ(Has(ielMoved), c.wantMoved);
  if (c.wantMoved) {
    EXPECT_EQ(notices_.back().event, ielMoved);
  }
  for (const Notice& n : notices_) {
    EXPECT_EQ(n.layer, 1);
    EXPECT_EQ(n.base, iesbBitmap) << "handlers see the application's SelectionBase";
  }
  EXPECT_EQ(view_->SelectionBase(), iesbBitmap);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, LayerMoveTest,
    ::testing::Values(
        LayerMoveCase{"To12Minus3", {0, 0}, false, {{60, 60}, {66, 58}, {72, 57}}, {12, -3}, true, "X=12 Y=-3"},
        // A jump beyond the layer's edge in one step still moves it by the whole distance.
        LayerMoveCase{"FarInOneStep", {0, 0}, false, {{60, 60}, {140, 130}}, {80, 70}, true, "X=80 Y=70"},
        // Back to the origin is still a move.
        LayerMoveCase{"BackToTheOrigin", {5, 4}, false, {{70, 70}, {65, 66}}, {0, 0}, true, "X=0 Y=0"},
        LayerMoveCase{"ClickWithoutMoving", {5, 4}, false, {{70, 70}}, {5, 4}, false, ""},
        LayerMoveCase{"LockedStays", {0, 0}, true, {{60, 60}, {72, 57}}, {0, 0}, false, ""}),
    [](const ::testing::TestParamInfo<LayerMoveCase>& i) { return std::string(i.param.name); });

// With DelayZoomFilter the filter is off from press to release (when the mode
// does not scroll); a right press during the drag must not lose it.
TEST_F(ViewMouseTest, TheZoomFilterIsOffDuringADragAndComesBack) {
  MakeMouseView(200, 200, 100, 100);
  AddLayer(40, 30, 0, 0);
  view_->SetMouseInteract(Mi({miMoveLayers}));
  view_->SetZoomFilter(rfFastLinear);
  view_->SetDelayZoomFilter(true);
  Move(60, 60);
  Press(60, 60);
  EXPECT_EQ(view_->ZoomFilter(), rfNone);
  Press(60, 60, 1);
  Release(60, 60, 1);
  Move(70, 65);
  EXPECT_EQ(view_->ZoomFilter(), rfNone);
  Release(70, 65);
  EXPECT_EQ(view_->ZoomFilter(), rfFastLinear);
}

// Dragging outside the picture scrolls one step; the grabbed picture point
// stays under the mouse.
TEST_F(ViewMouseTest, ALayerDraggedOutOfThePictureScrollsAndStaysUnderTheMouse) {
  MakeMouseView(200, 200, 400, 400);
  TIELayer& layer = AddLayer(40, 40, 0, 0);
  view_->SetMouseInteract(Mi({miMoveLayers}));
  Move(20, 20);
  Press(20, 20);
  Move(100, 20);
  Move(210, 20);  // 11 pixels right of the picture area
  EXPECT_EQ(view_->ScrollOriginX(), 11);
  EXPECT_EQ(view_->ClientToBitmapX(210) - layer.PosX, 20) << "grab offset within the layer";
  EXPECT_EQ(layer.PosY, 0);
  Release(210, 20);
}

// ---------------------------------------------------------------- resizing layers

struct ResizeCase {
  const char* name;
  int32_t aspectMode;
  bool constrain;  // acts as a held Alt
  TPoint to;       // where the bottom-right grip is dragged
  int32_t wantW, wantH;
};

class LayerResizeTest : public ViewMouseTest, public ::testing::WithParamInterface<ResizeCase> {};

// Layer 1: 40 x 30 at (10, 10) of a 100 x 100 picture centred at (50, 50):
// drawn at (60, 60)-(100, 90), bottom-right grip centred on (100, 90).
TEST_P(LayerResizeTest, TheBottomRightGripSizesTheLayer) {
  const ResizeCase& c = GetParam();
  MakeMouseView(200, 200, 100, 100);
  TIELayer& layer = AddLayer(40, 30, 10, 10);
  view_->SetMouseInteract(Mi({miMoveLayers, miResizeLayers}));
  view_->LayerResizeAspectMode = c.aspectMode;
  view_->ConstrainShapes = c.constrain;
  ASSERT_EQ(layer.DrawnRect, Rect(60, 60, 100, 90));
  ASSERT_EQ(view_->ClientToBitmapX(c.to.X), c.to.X - 50);

  Move(101, 89);
  EXPECT_EQ(view_->Cursor(), crIEMoveNWSE) << "cursor over the grip";
  Press(101, 89);
  Move(c.to.X, c.to.Y);
  EXPECT_EQ(view_->InteractionHintText(), std::to_string(c.wantW) + " x " + std::to_string(c.wantH));
  Release(c.to.X, c.to.Y);

  EXPECT_EQ(layer.GetWidth(), c.wantW);
  EXPECT_EQ(layer.GetHeight(), c.wantH);
  EXPECT_EQ(layer.PosX, 10);
  EXPECT_EQ(layer.PosY, 10);
  EXPECT_EQ(layer.Bitmap->GetWidth(), 40) << "the bitmap is only drawn larger";
  EXPECT_EQ(Events(), (std::vector<TIELayerEvent>{ielBeginResizing, ielResizing, ielResized}));
  EXPECT_EQ(view_->InteractionHintText(), "");
}

// Free: width = bitmap x at the mouse - left (10), height likewise.
// Kept ratio (30 / 40): y follows x, height = Trunc((x - 60) * 0.75).
INSTANTIATE_TEST_SUITE_P(Grips, LayerResizeTest,
                         ::testing::Values(ResizeCase{"Free", 1, false, {120, 100}, 60, 40},
                                           ResizeCase{"AltKeepsTheRatio", 1, true, {120, 100}, 60, 45},
                                           ResizeCase{"AlwaysKeepsTheRatio", 2, false, {120, 100}, 60, 45},
                                           ResizeCase{"CornersKeepTheRatio", 3, false, {130, 100}, 70, 52},
                                           ResizeCase{"NeverKeepsTheRatio", 0, true, {120, 100}, 60, 40},
                                           ResizeCase{"NotBelowOnePixel", 1, false, {40, 30}, 1, 1}),
                         [](const ::testing::TestParamInfo<ResizeCase>& i) { return std::string(i.param.name); });

TEST_F(ViewMouseTest, ALockedLayerOffersNoGrips) {
  MakeMouseView(200, 200, 100, 100);
  TIELayer& layer = AddLayer(40, 30, 10, 10);
  layer.Locked = true;
  view_->SetMouseInteract(Mi({miMoveLayers, miResizeLayers}));
  Move(100, 90);
  EXPECT_EQ(view_->Cursor(), crIEDefault);
  Press(100, 90);
  Move(130, 110);
  Release(130, 110);
  EXPECT_EQ(layer.GetWidth(), 40);
  EXPECT_EQ(layer.GetHeight(), 30);
  EXPECT_FALSE(Has(ielBeginResizing));
  EXPECT_FALSE(Has(ielResizing));
}

// ---------------------------------------------------------------- rotating layers

// Layer 1: 40 x 30 at (30, 30) of a 100 x 100 picture centred at (50, 50);
// its rotation centre is at client (100, 95).
class LayerRotateTest : public ViewMouseTest {
protected:
  void SetUp() override {
    ViewMouseTest::SetUp();
    MakeMouseView(200, 200, 100, 100);
    layer_ = &AddLayer(40, 30, 30, 30);
    view_->SetMouseInteract(Mi({miMoveLayers, miRotateLayers}));
    const TRect c = view_->GetGripRects(1)[8];
    centre_ = {(c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2};
    ASSERT_EQ(centre_, TPoint(100, 95));
  }
  // The angle the drag turns the layer by: a quarter of each step in bitmap
  // pixels, turning clockwise (negative) for moves right above the centre,
  // down right of it, left below it and up left of it.
  double Turn(const std::vector<TPoint>& path) {
    double a = 0;
    for (size_t i = 1; i < path.size(); ++i) {
      double dx = (view_->ClientToBitmapX(path[i].X) - view_->ClientToBitmapX(path[i - 1].X)) / 4.0;
      double dy = (view_->ClientToBitmapY(path[i].Y) - view_->ClientToBitmapY(path[i - 1].Y)) / 4.0;
      if (path[i].X > centre_.X) dy = -dy;
      if (path[i].Y < centre_.Y) dx = -dx;
      a += dx + dy;
    }
    return a;
  }
  void Drag(const std::vector<TPoint>& path, bool shift) {
    Move(path.front().X, path.front().Y);
    if (shift) backend_->KeyDown(win::VK_SHIFT);
    Press(path.front().X, path.front().Y);
    for (size_t i = 1; i < path.size(); ++i) Move(path[i].X, path[i].Y);
    hint_ = view_->InteractionHintText();
    Release(path.back().X, path.back().Y);
    if (shift) backend_->KeyUp(win::VK_SHIFT);
    Pump();
  }

  TIELayer* layer_ = nullptr;
  TPoint centre_;
  std::string hint_;
};

// Down the right side, then left along the bottom: all clockwise.
const std::vector<TPoint> kAroundTheRight = {{160, 20}, {160, 60}, {160, 110}, {160, 170}, {120, 170}, {61, 170}};

TEST_F(LayerRotateTest, DraggingAroundTheLayerTurnsIt) {
  const double want = Turn(kAroundTheRight);
  ASSERT_LT(want, -45);
  ASSERT_NE(want, std::trunc(want)) << "the path should give a fractional angle";
  Drag(kAroundTheRight, false);
  EXPECT_DOUBLE_EQ(layer_->Rotation(), want);
  EXPECT_EQ(hint_, IEFloatToStrDot(want) + "\u00B0");
  EXPECT_TRUE(Has(ielRotating));
  EXPECT_EQ(notices_.back().event, ielRotated);
  EXPECT_EQ(view_->InteractionHintText(), "");
}

TEST_F(LayerRotateTest, ShiftSnapsToTheSnapStep) {
  const double free = Turn(kAroundTheRight);
  const double want = std::trunc(free / 45) * 45;
  ASSERT_NE(want, 0);
  Drag(kAroundTheRight, true);
  EXPECT_DOUBLE_EQ(layer_->Rotation(), want);
  EXPECT_EQ(std::fmod(layer_->Rotation(), 45.0), 0);
  EXPECT_EQ(hint_, IEFloatToStrDot(want) + "\u00B0");
}

TEST_F(LayerRotateTest, ALockedLayerDoesNotTurn) {
  layer_->Locked = true;
  Drag(kAroundTheRight, false);
  EXPECT_EQ(layer_->Rotation(), 0);
  EXPECT_FALSE(Has(ielRotating));
}

TEST_F(LayerRotateTest, TheCursorShowsTheQuadrantAroundTheCentre) {
  struct Row {
    TPoint at;
    TCursor want;
  };
  for (Row r : {Row{{70, 60}, 1814}, Row{{70, 130}, 1811}, Row{{150, 60}, 1812}, Row{{150, 130}, 1813},
                Row{{100, 95}, crIEDefault}}) {
    SCOPED_TRACE(std::to_string(r.at.X) + "," + std::to_string(r.at.Y));
    Move(r.at.X, r.at.Y);
    EXPECT_EQ(view_->Cursor(), r.want);
  }
}

TEST_F(LayerRotateTest, LeavingRotationBakesTheTurnIntoTheBitmap) {
  TIEBitmap& b = *layer_->Bitmap;
  const TRGB topRight = b.GetPixel24(39, 0), bottomLeft = b.GetPixel24(0, 29);
  layer_->SetRotation(90);
  view_->SetMouseInteract(Mi({miMoveLayers}));
  // The corners turned about the centre (20, 15) give the new top-left.
  std::vector<TPoint> corners{{0, 0}, {40, 0}, {40, 30}, {0, 30}};
  const double a = -90 * std::numbers::pi / 180;
  int32_t minX = INT32_MAX, minY = INT32_MAX;
  for (TPoint p : corners) {
    minX = std::min(minX, 20 + int32_t(std::trunc(std::cos(a) * (p.X - 20) - std::sin(a) * (p.Y - 15))));
    minY = std::min(minY, 15 + int32_t(std::trunc(std::sin(a) * (p.X - 20) + std::cos(a) * (p.Y - 15))));
  }
  EXPECT_EQ(layer_->Rotation(), 0);
  EXPECT_EQ(b.GetWidth(), 30);
  EXPECT_EQ(b.GetHeight(), 40);
  EXPECT_EQ(layer_->PosX, 30 + minX);
  EXPECT_EQ(layer_->PosY, 30 + minY);
  // A quarter turn counter-clockwise: the top-right corner comes to the top-left.
  EXPECT_EQ(b.GetPixel24(0, 0), topRight);
  EXPECT_EQ(b.GetPixel24(29, 39), bottomLeft);
}

TEST_F(LayerRotateTest, BakingAnOddAngleKeepsTheCentreAndTrimsTheTransparentMargin) {
  TIEBitmap& b = *layer_->Bitmap;
  layer_->SetRotation(30);
  view_->BakeLayerRotation(1);
  EXPECT_EQ(layer_->Rotation(), 0);
  EXPECT_GT(b.GetWidth(), 40);
  EXPECT_GT(b.GetHeight(), 30);
  const TRect bounds = GetAlphaBounds(b);
  EXPECT_EQ(bounds, Rect(0, 0, b.GetWidth() - 1, b.GetHeight() - 1)) << "no transparent margin left";
  EXPECT_EQ(b.GetAlpha(0, 0), 0) << "the corner beside the turned picture is transparent";
  EXPECT_EQ(b.GetAlpha(b.GetWidth() / 2, b.GetHeight() / 2), 255);
  // The turn was about the layer's centre, which stays where it was.
  EXPECT_NEAR(layer_->PosX + b.GetWidth() / 2.0, 30 + 20, 1.5);
  EXPECT_NEAR(layer_->PosY + b.GetHeight() / 2.0, 30 + 15, 1.5);
}

// ---------------------------------------------------------------- layer bitmaps

struct CropCase {
  const char* name;
  bool cropOnRotate;
  TRect opaque;    // where the alpha is 255 (the rest 0); empty: no alpha channel
  TRect wantPart;  // the part of the old bitmap that remains
};

class CropToAlphaTest : public ViewMouseTest, public ::testing::WithParamInterface<CropCase> {};

TEST_P(CropToAlphaTest, SwitchingRotationOnTrimsTransparentMarginsInPlace) {
  const CropCase& c = GetParam();
  MakeMouseView(200, 200, 100, 100);
  TIELayer& layer = AddLayer(40, 30, 10, 20);
  TIEBitmap& b = *layer.Bitmap;
  if (!c.opaque.IsEmpty()) {
    TIEBitmap& alpha = *b.GetAlphaChannel();
    alpha.Fill(0);
    alpha.FillRect(c.opaque.Left, c.opaque.Top, c.opaque.Right - 1, c.opaque.Bottom - 1, 255);
  }
  TIEBitmap before;
  before.Assign(&b);
  view_->CropLayersToAlphaOnRotate = c.cropOnRotate;
  view_->SetMouseInteract(Mi({miRotateLayers}));
  ASSERT_EQ(b.GetWidth(), c.wantPart.Width());
  ASSERT_EQ(b.GetHeight(), c.wantPart.Height());
  EXPECT_EQ(layer.PosX, 10 + c.wantPart.Left);
  EXPECT_EQ(layer.PosY, 20 + c.wantPart.Top);
  for (int32_t y = 0; y < b.GetHeight(); ++y)
    for (int32_t x = 0; x < b.GetWidth(); ++x)
      ASSERT_EQ(b.GetPixel24(x, y), before.GetPixel24(x + c.wantPart.Left, y + c.wantPart.Top)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Margins, CropToAlphaTest,
                         ::testing::Values(CropCase{"Trimmed", true, Rect(5, 8, 25, 20), Rect(5, 8, 25, 20)},
                                           CropCase{"OptionOff", false, Rect(5, 8, 25, 20), Rect(0, 0, 40, 30)},
                                           CropCase{"NoAlphaChannel", true, TRect{}, Rect(0, 0, 40, 30)},
                                           CropCase{"AllOpaque", true, Rect(0, 0, 40, 30), Rect(0, 0, 40, 30)}),
                         [](const ::testing::TestParamInfo<CropCase>& i) { return std::string(i.param.name); });

TEST_F(ViewMouseTest, ApplyLayerSizeResamplesTheBitmapToTheDisplaySize) {
  MakeMouseView(200, 200, 100, 100);
  TIELayer& layer = AddLayer(20, 10, 0, 0);
  TIEBitmap before;
  before.Assign(layer.Bitmap);
  layer.Width = 60;
  layer.Height = 20;
  view_->ApplyLayerSize(-1);
  EXPECT_EQ(layer.Width, 0);
  EXPECT_EQ(layer.Height, 0);
  ASSERT_EQ(layer.Bitmap->GetWidth(), 60);
  ASSERT_EQ(layer.Bitmap->GetHeight(), 20);
  // No filter: each pixel is the nearest source pixel (three columns, two rows each).
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 60; ++x) ASSERT_EQ(layer.Bitmap->GetPixel24(x, y), before.GetPixel24(x / 3, y / 2));
}

// ---------------------------------------------------------------- keys

struct SpecialKeyCase {
  const char* name;
  bool handled;
};

class SpecialKeyTest : public ViewMouseTest, public ::testing::WithParamInterface<SpecialKeyCase> {};

TEST_P(SpecialKeyTest, OnSpecialKeyDecidesWhetherArrowsReachKeyDown) {
  const SpecialKeyCase& c = GetParam();
  MakeMouseView(200, 200, 100, 100);
  // A second focusable control: unwanted arrows move the focus to it.
  auto* other = Add<vcltest::TFakeButton>(form_, Rect(0, 0, 10, 10));
  other->SendToBack();
  view_->SetTabStop(true);
  view_->SetFocus();
  Pump();
  ASSERT_TRUE(view_->Focused());
  std::vector<win::WORD> asked, down;
  std::vector<std::pair<uint32_t, bool>> virtualKeys;
  view_->OnSpecialKey = [&](TObject*, uint16_t key, TShiftState, bool& handled) {
    asked.push_back(key);
    handled = c.handled;
  };
  view_->OnKeyDown = [&](TObject*, win::WORD& key, TShiftState) { down.push_back(key); };
  view_->OnVirtualKey = [&](TObject*, uint32_t key, uint32_t, bool isDown) { virtualKeys.push_back({key, isDown}); };
  backend_->Key(win::VK_LEFT);
  Pump();
  EXPECT_EQ(asked, std::vector<win::WORD>{win::VK_LEFT});
  const bool reached = std::find(down.begin(), down.end(), win::VK_LEFT) != down.end();
  EXPECT_EQ(reached, c.handled);
  ASSERT_FALSE(virtualKeys.empty());
  EXPECT_EQ(virtualKeys.front(), (std::pair<uint32_t, bool>{win::VK_LEFT, true}));
}

INSTANTIATE_TEST_SUITE_P(Arrows, SpecialKeyTest,
                         ::testing::Values(SpecialKeyCase{"Handled", true}, SpecialKeyCase{"NotHandled", false}),
                         [](const ::testing::TestParamInfo<SpecialKeyCase>& i) { return std::string(i.param.name); });

TEST_F(ViewMouseTest, ShiftShowsTheAddingCrossWhileHeld) {
  MakeMouseView(200, 200, 100, 100);
  ASSERT_EQ(view_->Cursor(), crIEDefault);
  backend_->KeyDown(win::VK_SHIFT);
  Pump();
  EXPECT_EQ(view_->Cursor(), crIECrossAdd);
  backend_->KeyUp(win::VK_SHIFT);
  Pump();
  EXPECT_EQ(view_->Cursor(), crIEDefault);
  view_->MultipleSelections = false;
  backend_->KeyDown(win::VK_SHIFT);
  Pump();
  EXPECT_EQ(view_->Cursor(), crIEDefault);
  backend_->KeyUp(win::VK_SHIFT);
  Pump();
}

}  // namespace
