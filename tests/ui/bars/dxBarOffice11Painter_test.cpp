// The Office 2003 painter: its colour roles without a visual style and under
// the blue scheme, the dock and bar gradients, the rounded docked border with
// its dotted grip, separators, item states, sub-menu metrics and background;
// each pixel computed here from the system colours, the scheme rows and the
// colour formulas, and nothing painted outside the rectangle given.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "tests/ui/bars/bar_painter_doubles.h"
#include "tests/ui/bars/office11_painter_doubles.h"
#include "ui/bars/dxBarButtonControls.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxOffice11.h"

using namespace bartest;
using namespace office11test;
using painter_surface::kPaper;
using painter_surface::Surface;

namespace {

TColor Face() { return Sys(win::COLOR_BTNFACE); }
TColor Window() { return Sys(win::COLOR_WINDOW); }
TColor Shadow() { return Sys(win::COLOR_BTNSHADOW); }

// ---------------------------------------------------------------- colours

TEST(Office11PainterColours, WithoutAVisualStyleEveryRoleTakesItsFallback) {
  ASSERT_FALSE(Office11ColorsAvailable());
  const struct {
    const char* Name;
    TColor Actual, Want;
  } cases[] = {
      {"DockColor1", Office11DockColor1(), Face()},
      {"DockColor2", Office11DockColor2(), Mix(Face(), Window(), 20)},
      {"BarColor1", Office11BarColor1(), Mix(Face(), Window(), 22)},
      {"BarColor2", Office11BarColor2(), Mix(Face(), Window(), 96)},
      {"MarkColor1 normal", Office11MarkColor1(0), Mix(Shadow(), Window(), 74)},
      {"MarkColor2 normal", Office11MarkColor2(0), Shadow()},
      {"MarkColor1 hot", Office11MarkColor1(1), Light(-15, 29, 86)},
      {"MarkColor2 pressed", Office11MarkColor2(2), Light(42, 11, 47)},
      {"MarkEdgeColor normal", Office11MarkEdgeColor(0), Mix(Mix(Shadow(), Window(), 74), Window(), 50)},
      {"BarBorderColor", Office11BarBorderColor(), Mix(Face(), Window(), 85)},
      {"BarCornerColor", Office11BarCornerColor(), Face()},
      {"GripDarkColor", Office11GripDarkColor, Mix(Shadow(), Window(), 76)},
      {"GripLightColor", Office11GripLightColor, Window()},
      {"SeparatorDarkColor", Office11SeparatorDarkColor(), Mix(Shadow(), Window(), 70)},
      {"SeparatorLightColor", Office11SeparatorLightColor(), clWhite},
      {"MarkArrowColor", Office11MarkArrowColor(), Sys(win::COLOR_BTNTEXT)},
      {"MarkArrowShadowColor", Office11MarkArrowShadowColor(), Window()},
      {"FloatingCaptionColor", Office11FloatingCaptionColor, Shadow()},
      {"FloatingBorderColor", Office11FloatingBorderColor(), Mix(Face(), Window(), 96)},
      {"CaptionTextColor", Office11CaptionTextColor(), Sys(win::COLOR_BTNHIGHLIGHT)},
      {"MenuColor", Office11MenuColor, Window()},
      {"MenuBorderColor", Office11MenuBorderColor, Shadow()},
      {"SelectedColor", Office11SelectedColor, Light(-2, 30, 72)},
      {"SelectionFrameColor", Office11SelectionFrameColor(), Sys(win::COLOR_HIGHLIGHT)},
      {"HotColor1", Office11HotColor1(), Light(-2, 30, 72)},
      {"HotColor2", Office11HotColor2(), Light(-2, 30, 72)},
      {"PressedColor1", Office11PressedColor1(), Light(14, 44, 40)},
      {"PressedColor2", Office11PressedColor2(), Light(14, 44, 40)},
      {"FaceLightColor", Office11FaceLightColor(), Mix(Face(), Window(), 96)},
      {"DownColor", Office11DownColor(), Light(41, 11, 48)},
      {"DownSelectedColor", Office11DownSelectedColor(), Light(14, 44, 40)},
      {"DetachBandColor", Office11DetachBandColor(), Mix(Face(), Window(), 96)},
      {"MenuTextColor", Office11MenuTextColor(), Sys(win::COLOR_BTNTEXT)},
      {"DisabledTextColor", Office11DisabledTextColor(), Sys(win::COLOR_GRAYTEXT)},
      {"InPlaceLineColor", Office11InPlaceLineColor(), Mix(Shadow(), Face(), 50)},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorToRGB(c.Actual), ColorToRGB(c.Want)) << c.Name;
}

TEST(Office11PainterColours, TheBlueSchemeReachesTheRowEntries) {
  {
    ScopedBlueScheme blue;
    ASSERT_TRUE(Office11ColorsAvailable());
    const struct {
      const char* Name;
      TColor Actual, Want;
    } cases[] = {
        {"DockColor1 row 2", Office11DockColor1(), Row(0x9EBEF5)},
        {"DockColor2 row 3", Office11DockColor2(), Row(0xC3DAF9)},
        {"BarColor1 row 0", Office11BarColor1(), Row(0xDDECFE)},
        {"BarColor2 row 1", Office11BarColor2(), Row(0x81A9E2)},
        {"MarkColor1 normal row 5", Office11MarkColor1(0), Row(0x75A6F1)},
        {"MarkColor2 normal row 4", Office11MarkColor2(0), Row(0x003591)},
        {"BarBorderColor row 10", Office11BarBorderColor(), Row(0x3B619C)},
        {"SelectionFrameColor row 21", Office11SelectionFrameColor(), Row(0x000080)},
        {"PressedColor1 row 24", Office11PressedColor1(), Row(0xFFD38E)},
        {"PressedColor2 row 25", Office11PressedColor2(), Row(0xFE914E)},
        {"MarkArrowColor", Office11MarkArrowColor(), clBlack},
        {"MarkEdgeColor normal", Office11MarkEdgeColor(0), Mix(Row(0x75A6F1), Row(0xDDECFE), 90)},
    };
    for (const auto& c : cases) EXPECT_EQ(ColorToRGB(c.Actual), c.Want) << c.Name;
  }
  EXPECT_FALSE(Office11ColorsAvailable());
  EXPECT_EQ(ColorToRGB(Office11DockColor1()), ColorToRGB(Face()));
}

// ---------------------------------------------------------------- docks and bars

class Office11ToolbarTest : public BarManagerFormTest {
protected:
  void SetUp() override {
    BarManagerFormTest::SetUp();
    toolbar_ = new TTestToolbar(manager_);
    toolbar_->SetPainter(&painter_);
    toolbar_->SetBounds(0, 0, 120, 26);
    toolbar_->SetDockingStyle(dsTop);
  }
  void TearDown() override {
    toolbar_->SetDockControl(nullptr);
    toolbar_->SetBar(nullptr);
    delete toolbar_;
    BarManagerFormTest::TearDown();
  }
  TdxDockControl* NewDock(TdxBarDockingStyle ASide, int32_t AWidth, int32_t AHeight) {
    auto* dock = new TdxDockControl(form_.get());
    dock->SetEdgeSide(ASide);
    dock->SetBounds(0, 0, AWidth, AHeight);
    return dock;
  }
  TdxBarOffice11Painter painter_{nullptr};
  TTestToolbar* toolbar_ = nullptr;
};

TEST_F(Office11ToolbarTest, DockGradientRunsLeftToRightOnTopDocksAndIsOneColourAtTheSides) {
  const struct {
    TdxBarDockingStyle Side;
    TColor From, To;
  } cases[] = {
      {dsTop, Office11DockColor1(), Office11DockColor2()},
      {dsBottom, Office11DockColor1(), Office11DockColor2()},
      {dsLeft, Office11DockColor1(), Office11DockColor1()},
      {dsRight, Office11DockColor2(), Office11DockColor2()},
  };
  for (const auto& c : cases) {
    TdxDockControl* dock = NewDock(c.Side, 100, 30);
    TBitmap cache;
    ClippedSurface s(100, 30);
    const DcState before = StateOf(s.DC());
    painter_.DockFillBackground(dock, s.DC(), {0, 0, 100, 30}, {0, 0, 100, 30}, &cache, clNone);
    EXPECT_EQ(StateOf(s.DC()), before);
    EXPECT_EQ(cache.Width(), 100);
    EXPECT_EQ(cache.Height(), 30);
    for (int32_t x = 0; x < 100; ++x) {
      ASSERT_EQ(s.At(x, 7), Linear(c.From, c.To, x, 100)) << "side " << int(c.Side) << " x " << x;
      ASSERT_EQ(s.At(x, 29), s.At(x, 0));
    }
    // A part is copied from its place in the dock.
    Surface part(40, 20);
    painter_.DockFillBackground(dock, part.bmp.Canvas()->Handle(), {10, 5, 30, 15}, {50, 3, 70, 13}, &cache, clNone);
    EXPECT_EQ(part.At(10, 5), Linear(c.From, c.To, 50, 100));
    EXPECT_EQ(part.At(29, 14), Linear(c.From, c.To, 69, 100));
    EXPECT_EQ(part.FirstOutside({10, 5, 30, 15}), "");
    delete dock;
  }
}

TEST_F(Office11ToolbarTest, DockedBarTakesTheTwoPhaseGradientAcrossItsThickness) {
  const struct {
    TdxBarDockingStyle Side;
    int32_t Width, Height;
  } cases[] = {{dsTop, 120, 26}, {dsLeft, 26, 90}};
  for (const auto& c : cases) {
    toolbar_->SetDockingStyle(c.Side);
    toolbar_->SetBounds(0, 0, c.Width, c.Height);
    const TRect nc = painter_.BarCalcNonClient(toolbar_, false, false);
    const bool vertical = c.Side == dsLeft;
    // The window in client coordinates, less a pixel at both long edges.
    TRect whole(-nc.Left, -nc.Top, c.Width - nc.Left, c.Height - nc.Top);
    if (vertical)
      whole.Inflate(-1, 0);
    else
      whole.Inflate(0, -1);
    Surface want(c.Width, c.Height);
    FillTwoPhaseGradientRect(want.bmp.Canvas()->Handle(), whole, Office11BarColor1(), vertical, Office11BarColor2());
    const TRect dest(0, 0, c.Width - nc.Left - nc.Right, c.Height - nc.Top - nc.Bottom);
    ClippedSurface s(c.Width, c.Height);
    const DcState before = StateOf(s.DC());
    painter_.BarFillDockedBackground(toolbar_, s.DC(), dest);
    EXPECT_EQ(StateOf(s.DC()), before);
    for (int32_t y = 0; y < dest.Bottom; ++y)
      for (int32_t x = 0; x < dest.Right; ++x) ASSERT_EQ(s.At(x, y), want.At(x, y)) << x << "," << y;
    EXPECT_EQ(s.FirstOutside(dest), "");
    // Across the thickness the colour changes, along the length it does not.
    if (vertical) {
      EXPECT_NE(s.At(0, 5), s.At(dest.Right - 1, 5));
      EXPECT_EQ(s.At(3, 0), s.At(3, dest.Bottom - 1));
    } else {
      EXPECT_NE(s.At(5, 0), s.At(5, dest.Bottom - 1));
      EXPECT_EQ(s.At(0, 3), s.At(dest.Right - 1, 3));
    }
  }
}

TEST_F(Office11ToolbarTest, BorderedBarKeepsAGripAreaOfEight) {
  EXPECT_EQ(painter_.BarGripIndent(toolbar_), 3);
  EXPECT_EQ(painter_.BarGripAreaSize(toolbar_), 8);
  EXPECT_EQ(painter_.BarCalcNonClient(toolbar_, false, false), TRect(2 + 8, 2, 2, 2));
  toolbar_->SetDockingStyle(dsLeft);
  EXPECT_EQ(painter_.BarCalcNonClient(toolbar_, false, false), TRect(2, 2 + 8, 2, 2));
  toolbar_->Movable = false;
  EXPECT_EQ(painter_.BarCalcNonClient(toolbar_, false, false), TRect(2, 2 + 2, 2, 2));
}

// The grip of a top bar: a column 3 pixels wide at x = 2 + 3, from y = 2 + 3 to
// height - 2 - 3, with a dot cell every 4 pixels, the first shifted by half
// the rest of the length.
TEST_F(Office11ToolbarTest, GripDotsSitInFourPixelCells) {
  const TColor dark = ColorToRGB(Office11GripDarkColor), light = ColorToRGB(Office11GripLightColor);
  for (int32_t height : {26, 28}) {
    toolbar_->SetBounds(0, 0, 120, height);
    const int32_t top = 5, bottom = height - 5, length = bottom - top;
    const int32_t rest = length % 4, shift = rest >= 2 ? rest / 2 : rest;
    ClippedSurface s(120, height);
    const DcState before = StateOf(s.DC());
    painter_.BarDrawDockedBorder(toolbar_, s.DC(), {0, 0, 120, height});
    EXPECT_EQ(StateOf(s.DC()), before);
    int32_t cells = 0;
    for (int32_t y = top + shift; y + 4 <= bottom; y += 4, ++cells) {
      const std::string at = std::to_string(height) + " high, cell at " + std::to_string(y);
      for (const TPoint p : {TPoint{5, y}, TPoint{6, y}, TPoint{5, y + 1}, TPoint{6, y + 1}})
        EXPECT_EQ(s.At(p.X, p.Y), dark) << at;
      for (const TPoint p : {TPoint{7, y + 1}, TPoint{6, y + 2}, TPoint{7, y + 2}})
        EXPECT_EQ(s.At(p.X, p.Y), light) << at;
      EXPECT_NE(s.At(5, y + 3), dark) << at;
      EXPECT_NE(s.At(8, y + 1), light) << at;
    }
    EXPECT_EQ(cells, length / 4);
  }
}

TEST_F(Office11ToolbarTest, NoGripWhenDockingIsForbiddenOnAllFiveSides) {
  TdxBar* bar = manager_->Bars()->Add();
  toolbar_->SetBar(bar);
  const TColor dark = ColorToRGB(Office11GripDarkColor);
  auto darkPixels = [&] {
    ClippedSurface s(120, 26);
    painter_.BarDrawDockedBorder(toolbar_, s.DC(), {0, 0, 120, 26});
    return s.Where(dark).size();
  };
  EXPECT_GT(darkPixels(), 0u);
  bar->SetNotDocking(DockingStyleBit(dsNone) | DockingStyleBit(dsLeft) | DockingStyleBit(dsTop) |
                     DockingStyleBit(dsRight) | DockingStyleBit(dsBottom));
  EXPECT_EQ(darkPixels(), 0u);
  bar->SetNotDocking(DockingStyleBit(dsNone) | DockingStyleBit(dsLeft) | DockingStyleBit(dsTop) |
                     DockingStyleBit(dsRight));
  EXPECT_GT(darkPixels(), 0u) << "one side left to dock on";
}

TEST_F(Office11ToolbarTest, BorderedBarHasRoundedEndsOverTheDockAndABorderLineOnTheFarEdges) {
  ClippedSurface s(120, 26);
  painter_.BarDrawDockedBorder(toolbar_, s.DC(), {0, 0, 120, 26});
  const TColor dock = ColorToRGB(Office11DockColor1()), line = ColorToRGB(Office11BarBorderColor());
  const struct {
    const char* What;
    int32_t X, Y;
    TColor Want;
  } cases[] = {
      {"leading margin", 0, 12, dock},       {"leading margin", 1, 25, dock},
      {"near long edge", 40, 0, dock},       {"top-left corner", 2, 0, dock},
      {"bottom-right corner", 119, 25, dock}, {"top-right corner", 119, 0, dock},
      {"far long edge", 40, 25, line},       {"trailing end", 119, 12, line},
  };
  for (const auto& c : cases) EXPECT_EQ(s.At(c.X, c.Y), c.Want) << c.What << " at " << c.X << "," << c.Y;
  // The pixel diagonal to a corner is a half mix of the corner colour and the
  // bar gradient there (the window less a pixel at both long edges).
  Surface gradient(120, 26);
  FillTwoPhaseGradientRect(gradient.bmp.Canvas()->Handle(), {0, 1, 120, 25}, Office11BarColor1(), false,
                           Office11BarColor2());
  for (const TPoint p : {TPoint{3, 1}, TPoint{118, 1}, TPoint{3, 24}, TPoint{118, 24}})
    EXPECT_EQ(s.At(p.X, p.Y), Mix(Office11BarCornerColor(), gradient.At(p.X, p.Y), 50)) << p.X << "," << p.Y;
  EXPECT_EQ(s.At(40, 12), gradient.At(40, 12)) << "the body";
}

// Separators: the background, then, 2 pixels in, a dark line 3 pixels short of
// the start and 4 of the end, and a light one beside it 4 and 3 pixels short.
TEST_F(Office11ToolbarTest, SeparatorIsATwoToneLine) {
  const TColor dark = ColorToRGB(Office11SeparatorDarkColor()), light = ColorToRGB(Office11SeparatorLightColor());
  win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(0x406080));
  for (bool horizontalLine : {false, true}) {
    const TRect r = horizontalLine ? TRect(0, 10, 26, 15) : TRect(10, 0, 15, 26);
    ClippedSurface s(30, 30);
    const DcState before = StateOf(s.DC());
    painter_.BarDrawSeparator(toolbar_, s.DC(), r, brush, horizontalLine);
    EXPECT_EQ(StateOf(s.DC()), before);
    auto at = [&](int32_t along, int32_t across) {
      return horizontalLine ? s.At(along, 12 + across) : s.At(12 + across, along);
    };
    for (int32_t p = 0; p < 26; ++p) {
      EXPECT_EQ(at(p, 0) == dark, p >= 3 && p < 22) << "dark line at " << p;
      EXPECT_EQ(at(p, 1) == light, p >= 4 && p < 23) << "light line at " << p;
    }
    EXPECT_EQ(at(0, 0), ColorToRGB(0x406080)) << "the slot's background";
    EXPECT_EQ(s.FirstOutside(r), "");
  }
  win::DeleteObject(brush);
}

TEST_F(Office11ToolbarTest, DrawingStaysInsideDegenerateRectangles) {
  TdxDockControl* dock = NewDock(dsTop, 1, 1);
  toolbar_->SetBounds(0, 0, 1, 1);
  std::vector<TPaintOp> ops = {
      {"dock", [&](TcxCanvas* c, const TRect& r) { painter_.DockFillBackground(dock, c->Handle(), r, r, nullptr, clNone); }},
      {"bar background", [&](TcxCanvas* c, const TRect& r) { painter_.BarFillDockedBackground(toolbar_, c->Handle(), r); }},
      {"docked border", [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawDockedBorder(toolbar_, c->Handle(), r); }},
      {"grip dots", [&](TcxCanvas* c, const TRect& r) { painter_.Office11DrawGradient(c->Handle(), r, true); }},
      {"separator", [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawSeparator(toolbar_, c->Handle(), r, nullptr, false); }},
      {"mark", [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawMarkFaded(toolbar_, c->Handle(), r); }},
      {"arrow", [&](TcxCanvas* c, const TRect& r) { painter_.ItemDrawArrow(c->Handle(), r, 1, clDefault, true, false, true); }},
      {"drop-down border", [&](TcxCanvas* c, const TRect& r) { painter_.DropDownDrawBorder(c->Handle(), clWindow, r); }},
      {"floating border", [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawFloatingBorder(toolbar_, c->Handle(), r); }},
  };
  ExpectNothingOutsideDegenerateRects(ops);
  // A gradient between equal colours is a plain fill.
  toolbar_->SetBounds(0, 0, 120, 26);
  TdxDockControl* left = NewDock(dsLeft, 30, 60);
  Surface s(30, 60);
  painter_.DockFillBackground(left, s.bmp.Canvas()->Handle(), {0, 0, 30, 60}, {0, 0, 30, 60}, nullptr, clNone);
  EXPECT_EQ(s.Where(Office11DockColor1()).size(), size_t(30 * 60));
  delete left;
  delete dock;
}

// ---------------------------------------------------------------- items

class Office11ItemTest : public ItemControlFormTest {
protected:
  void SetUp() override {
    ItemControlFormTest::SetUp();
    toolbar_->SetPainter(&painter_);
    button_ = NewItem<TdxBarButton>();
    control_ = NewControl<TdxBarButtonControl>(toolbar_, button_);
  }
  TdxBarOffice11Painter painter_{nullptr};
  TdxBarButton* button_ = nullptr;
  TdxBarButtonControl* control_ = nullptr;
};

// On a horizontal bar the state gradients run from top to bottom.
TEST_F(Office11ItemTest, ItemStatesByHotDownAndPressed) {
  ScopedBlueScheme blue;
  const TColor frame = Row(0x000080);
  const struct {
    const char* What;
    bool Selected, Down, Pressed, Open;
    TColor From, To;
    bool Framed;
  } cases[] = {
      {"hot", true, false, false, false, Row(0xFFF4CC), Row(0xFFD091), true},
      {"down, not hot", false, true, false, false, Row(0xFFD38E), Row(0xFE914E), false},
      {"down and hot", true, true, false, false, Row(0xFE914E), Row(0xFFD38E), true},
      {"pressed and hot", true, false, true, false, Row(0xFE914E), Row(0xFFD38E), true},
      {"open menu: the bar's own gradient", true, false, false, true, Row(0xDDECFE), Row(0x81A9E2), false},
  };
  const TRect r(2, 2, 26, 24);
  for (const auto& c : cases) {
    ClippedSurface s(30, 30);
    TcxCanvas canvas(s.bmp.Canvas());
    TdxBarButtonLikeControlDrawParams params(control_);
    params.Canvas = &canvas;
    params.DrawSelected = c.Selected;
    params.Down = c.Down;
    params.IsPressed = c.Pressed;
    params.DroppedDown = c.Open;
    const DcState before = StateOf(s.DC());
    painter_.ItemDrawGlyphFrame(&params, r);
    EXPECT_EQ(StateOf(s.DC()), before) << c.What;
    for (int32_t y = r.Top + 1; y < r.Bottom - 1; ++y)
      EXPECT_EQ(s.At(10, y), Linear(c.From, c.To, y - r.Top, r.Height())) << c.What << " row " << y;
    EXPECT_EQ(s.At(r.Left, 10) == frame, c.Framed) << c.What;
    EXPECT_EQ(s.At(12, r.Top) == frame, c.Framed) << c.What;
    if (!c.Framed) {
      EXPECT_EQ(s.At(r.Left, 10), Linear(c.From, c.To, 10 - r.Top, r.Height())) << c.What;
    }
    EXPECT_EQ(s.FirstOutside(r), "") << c.What;
  }
}

TEST_F(Office11ItemTest, WithoutAStyleADownButtonIsTheSolidDownColour) {
  // Both pressed colours fall back to one light colour: the down colour shows instead.
  ClippedSurface s(30, 30);
  TcxCanvas canvas(s.bmp.Canvas());
  TdxBarButtonLikeControlDrawParams params(control_);
  params.Canvas = &canvas;
  params.Down = true;
  const TRect r(2, 2, 26, 24);
  painter_.ItemDrawGlyphFrame(&params, r);
  EXPECT_EQ(s.Where(Light(41, 11, 48)).size(), size_t(r.Width() * r.Height()));
}

TEST_F(Office11ItemTest, DisabledCaptionsAreOneColourAndGlyphsAlwaysFaded) {
  TColor light = clNone, dark = clNone;
  for (bool selected : {false, true}) {
    painter_.ItemDisabledTextColors(selected, false, light, dark);
    EXPECT_EQ(ColorToRGB(light), ColorToRGB(Sys(win::COLOR_GRAYTEXT)));
    EXPECT_EQ(ColorToRGB(dark), ColorToRGB(Sys(win::COLOR_GRAYTEXT)));
  }
  manager_->SetMakeDisabledImagesFaded(false);
  EXPECT_TRUE(painter_.UseFadedImages(toolbar_));
  EXPECT_FALSE(painter_.UsesGlyphShadow());
  EXPECT_FALSE(painter_.UsesFlatGlyphShadow());
}

// ---------------------------------------------------------------- sub-menus

TEST(Office11SubMenuMetrics, ExpandButtonAndEntryArrowWidths) {
  TdxBarOffice11Painter painter(nullptr);
  const int32_t arrow = dxLoadOffice11Bitmap("DXSUBMENUEXPAND")->Height() + 2;
  for (int32_t d : {18, 23, 31}) {
    int32_t expand = 0, width = 0;
    painter.SubMenuCalcItemMetrics(d, 13, expand, width);
    EXPECT_EQ(expand, d / 4 * 3 + 1) << d;
    EXPECT_EQ(width, arrow) << d;
  }
  EXPECT_EQ(painter.SubMenuInnerRect({0, 0, 50, 40}), TRect(2, 4, 48, 36));
  EXPECT_EQ(painter.SubMenuDetachCaptionSize(5), 10);
}

class Office11SubMenuTest : public BarManagerFormTest {
protected:
  void SetUp() override {
    BarManagerFormTest::SetUp();
    menu_ = new TTestSubMenu(manager_);
    menu_->SetPainter(&painter_);
    menu_->SetBounds(0, 0, 80, 40);
  }
  void TearDown() override {
    delete menu_;
    BarManagerFormTest::TearDown();
  }
  TdxBarOffice11Painter painter_{nullptr};
  TTestSubMenu* menu_ = nullptr;
};

TEST_F(Office11SubMenuTest, BackgroundIsAGradientBandBesideTheMenuColour) {
  menu_->GlyphAreaWidth = 20;
  const int32_t band = painter_.SubMenuRecentAreaWidth(menu_, 20, 0);
  ASSERT_GT(band, 20);
  Surface want(80, 40);
  FillTwoPhaseGradientRect(want.bmp.Canvas()->Handle(), {0, 0, band, 40}, Office11BarColor1(), true,
                           Office11BarColor2());
  ClippedSurface s(80, 40);
  const DcState before = StateOf(s.DC());
  const TRect dest(0, 5, 80, 35);
  painter_.SubMenuFillBackground(menu_, s.DC(), dest, nullptr);
  EXPECT_EQ(StateOf(s.DC()), before);
  for (int32_t x = 0; x < 80; ++x)
    EXPECT_EQ(s.At(x, 20), x < band ? want.At(x, 20) : ColorToRGB(Window())) << x;
  EXPECT_NE(s.At(0, 20), s.At(band - 1, 20));
  EXPECT_EQ(s.FirstOutside(dest), "");
}

TEST_F(Office11SubMenuTest, DetachBandAndClientEdge) {
  ClippedSurface s(60, 20);
  painter_.SubMenuDrawDetachBand(menu_, s.DC(), {0, 0, 60, 9}, false);
  EXPECT_EQ(s.At(2, 4), ColorToRGB(Office11DetachBandColor()));
  EXPECT_GT(s.Where(Office11GripDarkColor).size(), 0u);
  EXPECT_EQ(s.FirstOutside({0, 0, 60, 9}), "");
  ClippedSurface edge(30, 20);
  TRect r(0, 0, 30, 20);
  painter_.SubMenuDrawClientEdge(menu_, edge.DC(), r, nullptr);
  EXPECT_EQ(r, TRect(1, 1, 29, 19));
  EXPECT_EQ(edge.At(0, 10), ColorToRGB(Office11BarColor1())) << "the band meets the border";
  EXPECT_EQ(edge.At(29, 10), ColorToRGB(Window()));
  EXPECT_EQ(edge.At(10, 0), ColorToRGB(Window()));
}

}  // namespace
