// The flat painter: its brushes and metrics from the system colours and the
// formulas of the flat look, the item states with their 1-pixel frame, the
// striped grip, separators, the tick and the sub-menu frame and entries; each
// pixel computed in the test, never taken from the painter.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "tests/ui/bars/bar_painter_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxGraphics.h"

using namespace bartest;
using painter_surface::kPaper;
using painter_surface::Surface;

namespace {

constexpr TColor kMenuColor = 0x906030;  // the test menu's brush, unlike every system colour

int32_t R(TColor c) { return int32_t(c & 0xFF); }
int32_t G(TColor c) { return int32_t((c >> 8) & 0xFF); }
int32_t B(TColor c) { return int32_t((c >> 16) & 0xFF); }
TColor Rgb(int32_t r, int32_t g, int32_t b) { return TColor(r | (g << 8) | (b << 16)); }
// x * n / d rounded half away from zero.
int32_t MulDivRound(int32_t x, int32_t n, int32_t d) { return int32_t(std::lround(double(x) * n / d)); }

// Each channel c of BTNFACE becomes c + (255 - c) x 16 / 100.
TColor FlatFace() {
  const TColor f = SysColor(win::COLOR_BTNFACE);
  auto ch = [](int32_t c) { return c + MulDivRound(255 - c, 16, 100); };
  return Rgb(ch(R(f)), ch(G(f)), ch(B(f)));
}

// Each channel of BTNSHADOW x 8 / 10.
TColor FlatBorder() {
  const TColor s = SysColor(win::COLOR_BTNSHADOW);
  auto ch = [](int32_t c) { return MulDivRound(c, 8, 10); };
  return Rgb(ch(R(s)), ch(G(s)), ch(B(s)));
}

// a% of the button face, b% of the highlight and c% of the window colour,
// each channel clipped; the highlight itself when the face is black or white.
TColor Light(int32_t a, int32_t b, int32_t c) {
  const TColor f = SysColor(win::COLOR_BTNFACE), h = SysColor(win::COLOR_HIGHLIGHT), w = SysColor(win::COLOR_WINDOW);
  if (f == 0 || f == 0xFFFFFF) return h;
  auto ch = [&](int32_t (*of)(TColor)) {
    return std::clamp(MulDivRound(of(f), a, 100) + MulDivRound(of(h), b, 100) + MulDivRound(of(w), c, 100), 0, 255);
  };
  return Rgb(ch(R), ch(G), ch(B));
}

TColor BrushColorOn(win::HBRUSH ABrush) {
  Surface s(4, 4);
  const TRect r(0, 0, 4, 4);
  win::FillRect(s.bmp.Canvas()->Handle(), &r, ABrush);
  return s.At(2, 2);
}

class FlatPainterTest : public ItemControlFormTest {
protected:
  void SetUp() override {
    ItemControlFormTest::SetUp();
    toolbar_->SetPainter(&painter_);
    menuBrush_ = win::CreateSolidBrush(win::COLORREF(kMenuColor));
    menu_ = new TTestSubMenu(manager_);
    menu_->SetPainter(&painter_);
    menu_->BackgroundBrush = menuBrush_;
    docked_ = new TTestToolbar(manager_);
    docked_->SetPainter(&painter_);
    docked_->SetBounds(0, 0, 120, 26);
  }
  void TearDown() override {
    delete docked_;
    delete menu_;
    win::DeleteObject(menuBrush_);
    ItemControlFormTest::TearDown();
  }

  TdxBarFlatPainter painter_{nullptr};
  win::HBRUSH menuBrush_ = nullptr;
  TTestSubMenu* menu_ = nullptr;
  TTestToolbar* docked_ = nullptr;
};

void ExpectRect(Surface& s, const TRect& R, TColor AWant, const std::string& what) {
  for (int32_t y = R.Top; y < R.Bottom; ++y)
    for (int32_t x = R.Left; x < R.Right; ++x)
      ASSERT_EQ(s.At(x, y), ColorToRGB(AWant)) << what << " at " << x << "," << y;
}

void ExpectFrame(Surface& s, const TRect& R, TColor AWant, const std::string& what) {
  ExpectRect(s, TRect(R.Left, R.Top, R.Right, R.Top + 1), AWant, what + ", top");
  ExpectRect(s, TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), AWant, what + ", bottom");
  ExpectRect(s, TRect(R.Left, R.Top, R.Left + 1, R.Bottom), AWant, what + ", left");
  ExpectRect(s, TRect(R.Right - 1, R.Top, R.Right, R.Bottom), AWant, what + ", right");
}

// ---------------------------------------------------------------- brushes and metrics

TEST_F(FlatPainterTest, BrushesAreTheFlatColoursOfTheSystemColours) {
  const TColor window = SysColor(win::COLOR_WINDOW), face = SysColor(win::COLOR_BTNFACE);
  auto* statusLike = new TTestBarWindow(manager_);
  statusLike->StatusLike = true;
  const struct {
    const char* What;
    std::function<win::HBRUSH()> Brush;
    TColor Want;
  } cases[] = {
      {"toolbar", [&] { return painter_.ToolbarBrush(); }, FlatFace()},
      {"toolbar of a window", [&] { return painter_.ToolbarBrushFor(toolbar_); }, FlatFace()},
      {"status-like window", [&] { return painter_.ToolbarBrushFor(statusLike); }, face},
      {"item band", [&] { return painter_.FlatItemBrush(toolbar_); }, FlatFace()},
      {"down", [&] { return painter_.DownItemBrush(); }, Light(11, 9, 73)},
      {"down and selected", [&] { return painter_.DownSelectedItemBrush(); }, Light(14, 44, 40)},
      {"selected", [&] { return painter_.SelectedItemBrush(); }, Light(-2, 30, 72)},
      {"menu entries", [&] { return painter_.SubMenuItemBrush(); }, window},
      {"quick customization", [&] { return painter_.ToolbarBrushEx(toolbar_); }, window},
      {"static border", [&] { return painter_.FlatStaticBorderBrush(); }, SysColor(win::COLOR_BTNSHADOW)},
  };
  for (const auto& c : cases) EXPECT_EQ(BrushColorOn(c.Brush()), ColorToRGB(c.Want)) << c.What;
  delete statusLike;
  // The owner frame is the flat border brush.
  Surface s(10, 10);
  painter_.FlatDrawOwnerFrame(toolbar_, s.bmp.Canvas()->Handle(), {1, 1, 9, 9});
  ExpectFrame(s, {1, 1, 9, 9}, FlatBorder(), "owner frame");
  EXPECT_EQ(s.At(4, 4), kPaper);
}

TEST_F(FlatPainterTest, MetricsOfTheFlatLook) {
  const struct {
    const char* What;
    int32_t Got, Want;
  } cases[] = {
      {"bar separator size", painter_.BarSeparatorSize(), 5},
      {"bar separator indent", painter_.BarSeparatorIndent(), (5 - 1) / 2},
      {"grip indent", painter_.BarGripIndent(docked_), 1},
      {"grip area: width 3 + indent 1 + 2", painter_.BarGripAreaSize(docked_), 3 + 1 + 2},
      {"item indent", painter_.BarItemIndent(toolbar_), 1},
      {"item gap", painter_.ItemGapWidth(), 1},
      {"band indent in the menu fashion", painter_.ItemBandIndent(true, 18), 18 + 3},
      {"band indent otherwise", painter_.ItemBandIndent(false, 18), 0},
      {"group indent", painter_.SubMenuGroupIndent(), 8},
      {"sub-menu separator height", painter_.SubMenuSeparatorHeight(), 5},
      {"entry minimum height", painter_.SubMenuItemMinHeight(), 20},
      {"detach caption", painter_.SubMenuDetachCaptionSize(5), 6},
      {"text indent: glyph area + 3 + 6", painter_.SubMenuTextIndent(20), 29},
      {"scroll arrows offset", painter_.SubMenuScrollArrowsOffset(), 1},
      {"container sub-menu offset", painter_.ContainerSubMenuOffset(), 9},
      {"flat style", painter_.IsFlatStyle(), 1},
      {"glyph shadows", painter_.UsesGlyphShadow() && painter_.UsesFlatGlyphShadow(), 1},
      {"child shadows", painter_.BarChildShadows(), 1},
      {"quick popup on the right", painter_.QuickPopupOnRight(), 1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Got, c.Want) << c.What;
  EXPECT_EQ(painter_.BarCaptionBackColor(true), clInactiveCaption);
  EXPECT_EQ(painter_.BarMarkArrowColorOf(0), clCaptionText);
  EXPECT_EQ(painter_.BarMarkArrowColorOf(1), clBtnText);
  EXPECT_EQ(painter_.BarMarkArrowColorOf(2), clBtnText);
  EXPECT_EQ(painter_.SubMenuSeparatorRect({0, 30, 80, 50}, true, 10), TRect(0, 25, 80, 30))
      << "5 pixels above the entry, no extra pixel for a non-recent run";
  EXPECT_EQ(painter_.SubMenuIconRect({0, 30, 80, 50}, 20), TRect(1, 31, 19, 49));
  EXPECT_EQ(painter_.SubMenuTextRect({0, 30, 80, 50}, 20), TRect(29, 31, 79, 49));
  EXPECT_EQ(painter_.SubMenuInnerRect({0, 0, 80, 50}), TRect(2, 2, 78, 48));
}

TEST_F(FlatPainterTest, ArrowWidthsAreOneLessThanTheBase) {
  manager_->SetButtonArrowWidth(11);
  manager_->SetLargeIcons(false);
  EXPECT_EQ(painter_.ButtonArrowWidthOf(manager_), 10);
  manager_->SetLargeIcons(true);
  EXPECT_EQ(painter_.ButtonArrowWidthOf(manager_), 22) << "22 made odd, less 1";
  manager_->SetLargeIcons(false);
  EXPECT_EQ(painter_.LargeButtonArrowWidthOf(manager_), manager_->LargeButtonArrowWidth() - 1);
}

TEST_F(FlatPainterTest, NonClientSizesHoldTheFlatGripArea) {
  const struct {
    const char* What;
    TdxBarDockingStyle Side;
    bool Movable;
    TRect Want;
  } cases[] = {
      {"top: margins and the grip area 6 on the left", dsTop, true, {2 + 6, 2, 2, 2}},
      {"left: the grip area on top", dsLeft, true, {2, 2 + 6, 2, 2}},
      {"not movable: no grip area", dsBottom, false, {2, 2, 2, 2}},
  };
  for (const auto& c : cases) {
    docked_->SetDockingStyle(c.Side);
    docked_->Movable = c.Movable;
    EXPECT_EQ(painter_.BarCalcNonClient(docked_, false, false), c.Want) << c.What;
  }
}

// ---------------------------------------------------------------- items

TEST_F(FlatPainterTest, ItemStatesShowAOnePixelFrameAndTheStateBrushNeverARaisedEdge) {
  auto* control = NewControl<TdxBarItemControl>(toolbar_, NewItem<TdxBarButton>());
  const TColor highlight = SysColor(win::COLOR_HIGHLIGHT);
  const struct {
    const char* What;
    bool Selected, Down, Pressed, Enabled;
    TColor Frame, Inside;
  } cases[] = {
      {"hot", true, false, false, true, highlight, Light(-2, 30, 72)},
      {"down, not hot", false, true, false, true, highlight, Light(11, 9, 73)},
      {"down and hot", true, true, false, true, highlight, Light(14, 44, 40)},
      {"pressed", true, false, true, true, highlight, Light(14, 44, 40)},
      {"idle", false, false, false, true, FlatFace(), FlatFace()},
      {"disabled", false, false, false, false, FlatFace(), FlatFace()},
  };
  const TRect area(10, 5, 34, 27);  // a button's glyph area, 24 x 22
  for (const auto& c : cases) {
    ClippedSurface s(60, 40);
    TcxCanvas canvas(s.bmp.Canvas());
    TdxBarButtonLikeControlDrawParams params(control);
    params.Canvas = &canvas;
    params.DrawSelected = c.Selected;
    params.Down = c.Down;
    params.IsPressed = c.Pressed;
    params.Enabled = c.Enabled;
    const DcState before = StateOf(s.DC());
    painter_.ItemDrawGlyphEx(&params, area, TSize(16, 16));
    EXPECT_EQ(StateOf(s.DC()), before) << c.What;
    win::SelectClipRgn(s.DC(), nullptr);
    EXPECT_EQ(s.FirstOutside(area), "") << c.What;
    ExpectFrame(s, area, c.Frame, c.What);
    ExpectRect(s, TRect(11, 6, 33, 26), c.Inside, c.What);
    // No raised or sunken edge: the 3-D colours appear nowhere.
    for (int edge : {win::COLOR_BTNHIGHLIGHT, win::COLOR_3DDKSHADOW}) {
      const TColor e = ColorToRGB(SysColor(edge));
      if (e != ColorToRGB(c.Frame) && e != ColorToRGB(c.Inside)) {
        EXPECT_TRUE(s.Where(e).empty()) << c.What << " shows an edge colour";
      }
    }
  }
}

TEST_F(FlatPainterTest, HighContrastBlackFramesInTheHighlightText) {
  const int elements[2] = {win::COLOR_BTNFACE, win::COLOR_HIGHLIGHTTEXT};
  const win::COLORREF scheme[2] = {0x000000, 0x00FFFF};
  const win::COLORREF saved[2] = {win::GetSysColor(elements[0]), win::GetSysColor(elements[1])};
  ASSERT_TRUE(win::SetSysColors(2, elements, scheme));
  Surface s(20, 20);
  painter_.ItemFrameSelection(toolbar_, s.bmp.Canvas()->Handle(), {2, 2, 18, 18});
  win::SetSysColors(2, elements, saved);
  ExpectFrame(s, {2, 2, 18, 18}, 0x00FFFF, "frame");
  EXPECT_EQ(s.At(5, 5), kPaper);
}

TEST_F(FlatPainterTest, TickIsTwoSStrokesOfTheFormulaBlackOrShadowOneRowLower) {
  auto* control = NewControl<TdxBarItemControl>(toolbar_, NewItem<TdxBarButton>());
  for (int32_t size : {1, 2})
    for (bool enabled : {true, false}) {
      Surface s(40, 40);
      TcxCanvas canvas(s.bmp.Canvas());
      TdxBarItemControlDrawParams params(control);
      params.Canvas = &canvas;
      params.Enabled = enabled;
      // The tick at (x, y) = (left - s, top + s) fills the 7s columns of its rectangle.
      const TRect mark(10, 12, 10 + 7 * size, 12 + 9 * size);
      const int32_t x = mark.Left - size, y = mark.Top + size;
      painter_.ItemDrawCheckAt(&params, mark, size);
      // Both legs of each stroke are diagonals, so their pixels are exact:
      // (x + s, y + k + 2s) .. (x + 3s, y + k + 4s) .. (x + 8s, y + k - s), the end left out.
      std::vector<std::pair<int32_t, int32_t>> want;
      const int32_t first = enabled ? 0 : 1;
      for (int32_t k = first; k < first + 2 * size; ++k) {
        for (int32_t i = 0; i < 2 * size; ++i) want.push_back({x + size + i, y + k + 2 * size + i});
        for (int32_t i = 0; i < 5 * size; ++i) want.push_back({x + 3 * size + i, y + k + 4 * size - i});
      }
      const TColor color = enabled ? clBlack : SysColor(win::COLOR_BTNSHADOW);
      const std::string what = std::to_string(size) + (enabled ? " enabled" : " disabled");
      PixelSet expected(want.begin(), want.end());
      EXPECT_EQ(Describe(PaintedPixels(s)), Describe(expected)) << what;
      for (const auto& [px, py] : expected) EXPECT_EQ(s.At(px, py), ColorToRGB(color)) << what;
      EXPECT_EQ(s.FirstOutside(mark), "") << what;
    }
}

TEST_F(FlatPainterTest, FramesOfEditPartsStaticsAndButtonFaces) {
  auto* control = NewControl<TdxBarItemControl>(toolbar_, NewItem<TdxBarButton>());
  const TColor highlight = SysColor(win::COLOR_HIGHLIGHT), shadow = SysColor(win::COLOR_BTNSHADOW);
  const TRect R(4, 4, 30, 20);
  const struct {
    const char* What;
    std::function<void(TdxBarButtonLikeControlDrawParams*)> Draw;
    TColor Frame, Inside;  // kPaper: left as it was
  } cases[] = {
      {"edit part, idle: the parent's brush", [&](auto* p) { painter_.FlatDrawEditFrame(p, R, false, false, false); },
       FlatFace(), kPaper},
      {"edit part, selected", [&](auto* p) { painter_.FlatDrawEditFrame(p, R, true, false, false); }, highlight,
       kPaper},
      {"edit part, down", [&](auto* p) { painter_.FlatDrawEditFrame(p, R, false, true, true); }, highlight, kPaper},
      {"edit part in a menu", [&](auto* p) { painter_.FlatDrawEditFrame(p, R, false, false, true); }, shadow, kPaper},
      {"button face, hot", [&](auto* p) { p->DrawSelected = true; painter_.DrawButtonFace(p, R, 1); }, highlight,
       Light(-2, 30, 72)},
      {"button face, pressed", [&](auto* p) { p->DrawSelected = true; painter_.DrawButtonFace(p, R, 2); },
       highlight, Light(14, 44, 40)},
      {"button face, idle", [&](auto* p) { painter_.DrawButtonFace(p, R, 0); }, FlatFace(), FlatFace()},
      {"lowered frame", [&](auto* p) { TRect r = R; painter_.DrawLoweredFrame(p->Canvas->Handle(), r); }, shadow,
       kPaper},
  };
  for (const auto& c : cases) {
    ClippedSurface s(40, 30);
    TcxCanvas canvas(s.bmp.Canvas());
    TdxBarButtonLikeControlDrawParams params(control);
    params.Canvas = &canvas;
    const DcState before = StateOf(s.DC());
    c.Draw(&params);
    EXPECT_EQ(StateOf(s.DC()), before) << c.What;
    win::SelectClipRgn(s.DC(), nullptr);
    EXPECT_EQ(s.FirstOutside(R), "") << c.What;
    ExpectFrame(s, R, c.Frame, c.What);
    ExpectRect(s, TRect(5, 5, 29, 19), c.Inside, c.What);
  }
  // A static border: the ring of its margins in COLOR_BTNSHADOW, the rectangle becomes the inside.
  for (TdxBarStaticBorderStyle style : {sbsLowered, sbsRaised, sbsEtched, sbsBump}) {
    ClippedSurface s(40, 30);
    TcxCanvas canvas(s.bmp.Canvas());
    TdxBarStaticLikeControlDrawParams params(control);
    params.Canvas = &canvas;
    params.BorderStyle = style;
    TRect r = R;
    painter_.StaticDrawBorder(&params, r);
    const int32_t m = painter_.StaticBorderMargins(style);
    EXPECT_EQ(r, TRect(R.Left + m, R.Top + m, R.Right - m, R.Bottom - m)) << int(style);
    win::SelectClipRgn(s.DC(), nullptr);
    for (int32_t i = 0; i < m; ++i)
      ExpectFrame(s, TRect(R.Left + i, R.Top + i, R.Right - i, R.Bottom - i), shadow, "static");
    ExpectRect(s, r, kPaper, "static inside");
  }
}

TEST_F(FlatPainterTest, FloatingBorderIsTheFlatBorderThenAHighlightRingThenTheBarBrush) {
  docked_->SetDockingStyle(dsNone);
  const TRect R(0, 0, 40, 30);
  ClippedSurface s(40, 30);
  const DcState before = StateOf(s.DC());
  painter_.BarDrawFloatingBorder(docked_, s.DC(), R);
  EXPECT_EQ(StateOf(s.DC()), before);
  win::SelectClipRgn(s.DC(), nullptr);
  ExpectFrame(s, R, FlatBorder(), "outer");
  ExpectFrame(s, TRect(1, 1, 39, 29), SysColor(win::COLOR_BTNHIGHLIGHT), "highlight");
  const int32_t width = std::max(win::GetSystemMetrics(win::SM_CXFRAME), win::GetSystemMetrics(win::SM_CYFRAME));
  for (int32_t i = 2; i < width; ++i) ExpectFrame(s, TRect(i, i, 40 - i, 30 - i), FlatFace(), "bar brush");
  EXPECT_EQ(s.At(20, 15), kPaper);
}

// ---------------------------------------------------------------- bars

TEST_F(FlatPainterTest, BarSeparatorIsAShadowLineBetweenStripsOfTheBarBrush) {
  const TColor shadow = SysColor(win::COLOR_BTNSHADOW), bar = 0x804020;
  win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(bar));
  for (bool horizontal : {false, true}) {
    ClippedSurface s(40, 40);
    const DcState before = StateOf(s.DC());
    const TRect slot = horizontal ? TRect(4, 10, 30, 15) : TRect(10, 4, 15, 30);  // 5 across
    painter_.BarDrawSeparator(toolbar_, s.DC(), slot, brush, horizontal);
    EXPECT_EQ(StateOf(s.DC()), before);
    win::SelectClipRgn(s.DC(), nullptr);
    EXPECT_EQ(s.FirstOutside(slot), "");
    for (int32_t across = 0; across < 5; ++across)
      for (int32_t along : {5, 17, 29}) {
        const int32_t px = horizontal ? along : 10 + across, py = horizontal ? 10 + across : along;
        EXPECT_EQ(s.At(px, py), ColorToRGB(across == 2 ? shadow : bar)) << horizontal << " " << px << "," << py;
      }
  }
  win::DeleteObject(brush);
}

TEST_F(FlatPainterTest, DockedBorderHasRoundedCornersAndAStripedGrip) {
  const TColor face = SysColor(win::COLOR_BTNFACE), shadow = SysColor(win::COLOR_BTNSHADOW);
  for (TdxBarDockingStyle side : {dsTop, dsLeft}) {
    const bool vertical = side == dsLeft;
    docked_->SetDockingStyle(side);
    docked_->Movable = true;
    // The grip 10 long: 2 of frame and corners, 3 of indent at each end.
    const TRect R = vertical ? TRect(0, 0, 20, 30) : TRect(0, 0, 30, 20);
    ClippedSurface s(40, 40);
    const DcState before = StateOf(s.DC());
    painter_.BarDrawDockedBorder(docked_, s.DC(), R);
    EXPECT_EQ(StateOf(s.DC()), before);
    win::SelectClipRgn(s.DC(), nullptr);
    const std::string what = vertical ? "left" : "top";
    EXPECT_EQ(s.FirstOutside(R), "") << what;
    ExpectFrame(s, R, face, what);
    for (TPoint p : {TPoint{1, 1}, TPoint{R.Right - 2, 1}, TPoint{1, R.Bottom - 2}, TPoint{R.Right - 2, R.Bottom - 2}})
      EXPECT_EQ(s.At(p.X, p.Y), ColorToRGB(face)) << what << " corner " << p.X << "," << p.Y;
    // Across the grip: from 2 + 1, 3 wide; along it: from 2 + 3 to the end less 2 + 3.
    int32_t shadowLines = 0;
    for (int32_t along = 5; along < 15; ++along) {
      const bool dark = (along - 5) % 2 == 0;
      shadowLines += dark;
      for (int32_t across = 3; across < 6; ++across) {
        const int32_t px = vertical ? along : across, py = vertical ? across : along;
        EXPECT_EQ(s.At(px, py), ColorToRGB(dark ? shadow : FlatFace())) << what << " at " << px << "," << py;
      }
    }
    EXPECT_EQ(shadowLines, 5);
    EXPECT_EQ(s.At(vertical ? 4 : 2, vertical ? 2 : 4), kPaper) << what << ": nothing before the grip";
    EXPECT_EQ(s.At(vertical ? 15 : 4, vertical ? 4 : 15), kPaper) << what << ": nothing after the grip";
  }
  docked_->Movable = false;
  docked_->SetDockingStyle(dsTop);
  Surface s(40, 40);
  painter_.BarDrawDockedBorder(docked_, s.bmp.Canvas()->Handle(), {0, 0, 30, 20});
  EXPECT_EQ(s.At(3, 5), kPaper) << "no grip on a bar that cannot move";
}

TEST_F(FlatPainterTest, MarkBackgroundByState) {
  docked_->SetDockingStyle(dsTop);
  const TRect mark(40, 2, 51, 24);
  for (int32_t state : {0, 1}) {
    ClippedSurface s(60, 30);
    const DcState before = StateOf(s.DC());
    painter_.BarDrawMarkBackground(docked_, s.DC(), mark, state);
    EXPECT_EQ(StateOf(s.DC()), before);
    win::SelectClipRgn(s.DC(), nullptr);
    EXPECT_EQ(s.FirstOutside(mark), "");
    if (state == 1) {
      ExpectFrame(s, mark, SysColor(win::COLOR_HIGHLIGHT), "hot");
      ExpectRect(s, TRect(41, 3, 50, 23), Light(-2, 30, 72), "hot inside");
    } else {
      ExpectFrame(s, mark, FlatFace(), "normal");
    }
  }
}

TEST_F(FlatPainterTest, CloseButtonCrossIsTwoLinesPerDiagonalInASquare) {
  docked_->SetDockingStyle(dsNone);
  const TRect button(10, 10, 26, 26);  // less 3 across and 4 down: 10 wide, square 10 x 10 from (13, 14)
  ClippedSurface s(40, 40);
  const DcState before = StateOf(s.DC());
  painter_.BarDrawCaptionCloseButton(docked_, s.DC(), button, 0);
  EXPECT_EQ(StateOf(s.DC()), before);
  win::SelectClipRgn(s.DC(), nullptr);
  EXPECT_EQ(s.FirstOutside(button), "");
  const TColor cross = SysColor(win::COLOR_CAPTIONTEXT);
  for (int32_t i = 0; i < 9; ++i)
    for (int32_t dx : {0, 1}) {
      EXPECT_EQ(s.At(13 + i + dx, 14 + i), ColorToRGB(cross)) << "down " << i;
      EXPECT_EQ(s.At(13 + i + dx, 23 - i), ColorToRGB(cross)) << "up " << i;
    }
  EXPECT_EQ(s.At(10, 10), ColorToRGB(SysColor(win::COLOR_INACTIVECAPTION))) << "the face around it";
}

TEST_F(FlatPainterTest, OpenMenuPaintsItsLinkOnTheOwnerInTheOwnersCoordinates) {
  // A menu window right under the toolbar, opened from the item at (20, 40) .. (50, 60).
  auto* child = new TTestBarWindow(manager_);
  child->SetParent(form_.get());
  child->SetBounds(20, 60, 80, 40);
  child->HandleNeeded();
  TPoint itemTopLeft{20, 40}, itemBottomRight{50, 60};
  win::ClientToScreen(toolbar_->Handle(), &itemTopLeft);
  win::ClientToScreen(toolbar_->Handle(), &itemBottomRight);
  child->SetOwnerRect(TRect(itemTopLeft, itemBottomRight));
  ClippedSurface s(80, 70);
  const DcState before = StateOf(s.DC());
  painter_.FlatDrawBarShadow(toolbar_, child, s.DC());
  EXPECT_EQ(StateOf(s.DC()), before);
  win::SelectClipRgn(s.DC(), nullptr);
  // The link: the owner's bottom row over the common width less a pixel at each end.
  const TRect link(21, 59, 49, 60);
  EXPECT_EQ(s.FirstOutside(link), "");
  ExpectRect(s, link, FlatFace(), "link");
  // Without a handle the child has no link to show.
  delete child;
  ClippedSurface none(80, 70);
  auto* closed = new TTestBarWindow(manager_);
  painter_.FlatDrawBarShadow(toolbar_, closed, none.DC());
  win::SelectClipRgn(none.DC(), nullptr);
  EXPECT_EQ(none.FirstOutside(TRect()), "");
  delete closed;
}

TEST_F(FlatPainterTest, MdiButtonIsTheFlatCaptionGlyphOverTheFaceOfItsState) {
  docked_->SetDockingStyle(dsTop);
  const TRect R(4, 4, 22, 20);
  const struct {
    int32_t State;
    TColor Inside;
  } cases[] = {{2, Light(-2, 30, 72)}, {3, Light(11, 9, 73)}, {4, Light(14, 44, 40)}};
  for (const auto& c : cases) {
    ClippedSurface s(30, 30);
    const DcState before = StateOf(s.DC());
    painter_.BarPaintMDIButton(docked_, s.DC(), R, win::DFCS_CAPTIONCLOSE, c.State);
    EXPECT_EQ(StateOf(s.DC()), before) << c.State;
    win::SelectClipRgn(s.DC(), nullptr);
    EXPECT_EQ(s.FirstOutside(R), "") << c.State;
    ExpectFrame(s, R, SysColor(win::COLOR_HIGHLIGHT), "MDI button " + std::to_string(c.State));
    // Inside: the state's brush and the glyph, never the frame control's own face or border.
    int32_t glyph = 0;
    for (int32_t y = R.Top + 1; y < R.Bottom - 1; ++y)
      for (int32_t x = R.Left + 1; x < R.Right - 1; ++x) {
        const TColor p = s.At(x, y);
        if (p == ColorToRGB(c.Inside)) continue;
        EXPECT_EQ(p, ColorToRGB(SysColor(win::COLOR_BTNTEXT))) << c.State << " at " << x << "," << y;
        ++glyph;
      }
    EXPECT_GT(glyph, 0) << c.State;
  }
}

// ---------------------------------------------------------------- sub-menus

TEST_F(FlatPainterTest, EntryArrowWidthIsLoweredToTwoBPlusFourWhenBIsOdd) {
  auto base = [](int32_t h) {
    int32_t b = (h - 4) / 2;
    if (b >= 5 && b % 2 != 0) --b;
    return b;
  };
  for (int32_t zero = 6; zero <= 24; ++zero) {
    for (int32_t d : {18, 22}) {
      int32_t h = zero + 1;
      if (base(h) % 2 != 0) h = 2 * base(h) + 4;
      if (base(h - 2) % 2 != 0) h = 2 * base(h - 2) + 4;
      int32_t expand = 0, arrow = 0;
      painter_.SubMenuCalcItemMetrics(d, zero, expand, arrow);
      EXPECT_EQ(arrow, h) << "height of 0: " << zero;
      EXPECT_EQ(expand, d / 4 * 3 + 1) << d;
    }
  }
}

TEST_F(FlatPainterTest, MenuFrameIsTheFlatBorderAndTheDetachBandIsStriped) {
  const TRect R(0, 0, 60, 40);
  for (bool detachable : {false, true})
    for (bool hot : {false, true}) {
      if (!detachable && hot) continue;
      menu_->Detachable = detachable;
      menu_->DetachBandHot = hot;
      menu_->DetachCaptionHeight = 5;
      ClippedSurface s(60, 40);
      const DcState before = StateOf(s.DC());
      painter_.SubMenuDrawBorder(menu_, s.DC(), R);
      EXPECT_EQ(StateOf(s.DC()), before);
      win::SelectClipRgn(s.DC(), nullptr);
      const std::string what = !detachable ? "plain" : hot ? "hot band" : "band";
      ExpectFrame(s, R, FlatBorder(), what);
      EXPECT_EQ(s.At(30, 20), kPaper) << what;
      if (!detachable) continue;
      // COLOR_WINDOW round the detach area (1, 1) .. (59, 1 + 6 + 1), the band inside it.
      ExpectFrame(s, TRect(1, 1, 59, 8), SysColor(win::COLOR_WINDOW), what);
      const TRect band(2, 2, 58, 7);
      const TColor inside = hot ? Light(-2, 30, 72) : FlatFace();
      const TColor stripe = SysColor(hot ? win::COLOR_BTNTEXT : win::COLOR_BTNSHADOW);
      if (hot) ExpectFrame(s, band, SysColor(win::COLOR_HIGHLIGHT), what);
      // A grip 33 wide, centred: from 2 + (56 - 33) / 2 = 13; every other row from the band's top + 1.
      for (int32_t y = 3; y < 6; ++y) {
        const TColor want = (y - 3) % 2 == 0 ? stripe : inside;
        EXPECT_EQ(s.At(13, y), ColorToRGB(want)) << what << " row " << y;
        EXPECT_EQ(s.At(45, y), ColorToRGB(want)) << what << " row " << y;
        EXPECT_EQ(s.At(12, y), ColorToRGB(inside)) << what << " row " << y;
        EXPECT_EQ(s.At(46, y), ColorToRGB(inside)) << what << " row " << y;
      }
    }
}

TEST_F(FlatPainterTest, SeparatorEntryKeepsTheBandColourAndItsLineStaysInside) {
  auto* control = NewControl<TdxBarItemControl>(menu_, NewItem<TdxBarSeparator>());
  menu_->GlyphAreaWidth = 20;
  menu_->NonRecent = {control};
  ClippedSurface s(80, 20);
  TcxCanvas canvas(s.bmp.Canvas());
  TdxBarItemControlDrawParams params(control);
  params.Canvas = &canvas;
  params.PaintType = ptMenu;
  const TRect entry(5, 2, 70, 12);
  const DcState before = StateOf(s.DC());
  painter_.SubMenuDrawSeparatorItem(&params, entry);
  EXPECT_EQ(StateOf(s.DC()), before);
  win::SelectClipRgn(s.DC(), nullptr);
  EXPECT_EQ(s.FirstOutside(entry), "");
  ExpectRect(s, TRect(5, 2, 25, 12), FlatFace(), "icon column");
  // The line at the middle row 7 from the column's right + 8 to the entry's right.
  ExpectRect(s, TRect(33, 7, 70, 8), SysColor(win::COLOR_BTNSHADOW), "line");
  EXPECT_NE(s.At(32, 7), ColorToRGB(SysColor(win::COLOR_BTNSHADOW)));
}

TEST_F(FlatPainterTest, MenuEntryBackgroundHasTheBandColumnAndTheSelectionFrame) {
  auto* control = NewControl<TdxBarItemControl>(menu_, NewItem<TdxBarButton>());
  const TRect entry(2, 3, 100, 25);
  control->ItemLink()->SetItemRect(entry);
  menu_->GlyphAreaWidth = 22;
  const int32_t column = 22;
  for (bool selected : {false, true}) {
    ClippedSurface s(110, 30);
    TcxCanvas canvas(s.bmp.Canvas());
    TdxBarButtonLikeControlDrawParams params(control);
    params.Canvas = &canvas;
    params.PaintType = ptMenu;
    params.DrawSelected = selected;
    const DcState before = StateOf(s.DC());
    painter_.ItemBeforePaint(&params);
    EXPECT_EQ(StateOf(s.DC()), before);
    win::SelectClipRgn(s.DC(), nullptr);
    const std::string what = selected ? "selected" : "idle";
    EXPECT_EQ(s.FirstOutside(entry), "") << what;
    // The icon rectangle: the entry less 1, the column less 2 wide: its right is 2 + 1 + column - 2.
    const int32_t iconRight = entry.Left + 1 + column - 2;
    const TColor band = selected ? Light(-2, 30, 72) : FlatFace();
    if (selected) {
      ExpectFrame(s, entry, SysColor(win::COLOR_HIGHLIGHT), what);
    } else {
      EXPECT_EQ(s.At(entry.Left, 10), ColorToRGB(FlatFace())) << "ring over the icon column";
      EXPECT_EQ(s.At(entry.Right - 1, 10), ColorToRGB(kMenuColor)) << "ring over the text";
    }
    ExpectRect(s, TRect(iconRight, entry.Top + 1, iconRight + 2, entry.Bottom - 1), band, what + " gap column");
    // The text part in the item's brush (the window's while it paints its items).
    ExpectRect(s, TRect(iconRight + 2, entry.Top + 1, entry.Right - 1, entry.Bottom - 1),
               selected ? Light(-2, 30, 72) : BrushColorOn(painter_.ItemBrushFor(&params)), what + " text part");
  }
}

TEST_F(FlatPainterTest, NothingIsDrawnOutsideDegenerateRectangles) {
  auto* control = NewControl<TdxBarItemControl>(toolbar_, NewItem<TdxBarButton>());
  docked_->SetDockingStyle(dsTop);
  auto params = [control](TcxCanvas* c) {
    auto p = std::make_unique<TdxBarButtonLikeControlDrawParams>(control);
    p->Canvas = c;
    p->DrawSelected = true;
    return p;
  };
  ExpectNothingOutsideDegenerateRects({
      {"selection frame", [&](auto* c, const auto& r) { painter_.ItemFrameSelection(toolbar_, c->Handle(), r); }},
      {"glyph frame", [&](auto* c, const auto& r) { painter_.ItemDrawGlyphFrame(params(c).get(), r); }},
      {"tick", [&](auto* c, const auto& r) { painter_.ItemDrawCheckAt(params(c).get(), r, 1); }},
      {"separator",
       [&](auto* c, const auto& r) { painter_.BarDrawSeparator(toolbar_, c->Handle(), r, nullptr, false); }},
      {"docked border", [&](auto* c, const auto& r) { painter_.BarDrawDockedBorder(docked_, c->Handle(), r); }},
      {"floating border", [&](auto* c, const auto& r) { painter_.BarDrawFloatingBorder(docked_, c->Handle(), r); }},
      {"close button", [&](auto* c, const auto& r) { painter_.BarDrawCaptionCloseButton(docked_, c->Handle(), r, 1); }},
      {"mark", [&](auto* c, const auto& r) { painter_.BarDrawMarkBackground(docked_, c->Handle(), r, 1); }},
      {"menu border", [&](auto* c, const auto& r) { painter_.SubMenuDrawBorder(menu_, c->Handle(), r); }},
      {"detach band", [&](auto* c, const auto& r) { painter_.SubMenuDrawDetachBand(menu_, c->Handle(), r, true); }},
      {"menu separator", [&](auto* c, const auto& r) { painter_.SubMenuDrawSeparator(c->Handle(), r); }},
      {"button face", [&](auto* c, const auto& r) { painter_.DrawButtonFace(params(c).get(), r, 2); }},
  });
}

}  // namespace
