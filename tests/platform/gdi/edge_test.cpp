// Classic 3-D borders and frame controls, checked pixel by pixel against the
// classic colour rules.
#include "platform/gdi/edge.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "tests/platform/gdi/surface_canvas.h"

namespace win {
namespace {

constexpr uint32_t kMagenta = 0x00FF00FF;

struct Canvas : test::SurfaceCanvas {
  Canvas(int width, int height, uint32_t fill = kMagenta) : SurfaceCanvas(width, height, fill) {}
};

// A system colour as the surface stores it (0x00RRGGBB).
uint32_t Sys(int index) {
  const COLORREF c = GetSysColor(index);
  return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

struct Ring {
  int topLeft;
  int bottomRight;
};

struct EdgeCase {
  const char* name;
  UINT edge;
  UINT flags;
  std::vector<Ring> rings;  // outermost first
  int middle;               // system colour filling the inside, -1 for none
};

// The documented classic colours of each layer.
const Ring kRaisedOuter{COLOR_3DLIGHT, COLOR_3DDKSHADOW};
const Ring kRaisedInner{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
const Ring kSunkenOuter{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
const Ring kSunkenInner{COLOR_3DDKSHADOW, COLOR_3DLIGHT};

class DrawEdgeTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(DrawEdgeTest, EveryPixelHasTheColourOfItsRingAndSide) {
  const EdgeCase& c = GetParam();
  Canvas cv(20, 14);
  const RECT r{3, 2, 15, 11};
  RECT io = r;
  ASSERT_TRUE(DrawEdge(cv.dc, &io, c.edge, c.flags));
  for (int y = 0; y < cv.h; ++y)
    for (int x = 0; x < cv.w; ++x) {
      uint32_t expected = kMagenta;
      if (r.Contains({x, y})) {
        const int k = std::min(std::min(x - r.Left, y - r.Top), std::min(r.Right - 1 - x, r.Bottom - 1 - y));
        if (k < int(c.rings.size())) {
          // The bottom-right lines own the far corners.
          const bool br = x == r.Right - 1 - k || y == r.Bottom - 1 - k;
          expected = Sys(br ? c.rings[size_t(k)].bottomRight : c.rings[size_t(k)].topLeft);
        } else if (c.middle >= 0) {
          expected = Sys(c.middle);
        }
      }
      EXPECT_EQ(cv.At(x, y), expected) << c.name << " at " << x << "," << y;
    }
  EXPECT_EQ(io, r);  // no BF_ADJUST: the rectangle is left alone
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DrawEdgeTest,
    ::testing::Values(
        EdgeCase{"raised", EDGE_RAISED, BF_RECT, {kRaisedOuter, kRaisedInner}, -1},
        EdgeCase{"sunken", EDGE_SUNKEN, BF_RECT, {kSunkenOuter, kSunkenInner}, -1},
        EdgeCase{"etched", EDGE_ETCHED, BF_RECT, {kSunkenOuter, kRaisedInner}, -1},
        EdgeCase{"bump", EDGE_BUMP, BF_RECT, {kRaisedOuter, kSunkenInner}, -1},
        EdgeCase{"raisedMiddle", EDGE_RAISED, BF_RECT | BF_MIDDLE, {kRaisedOuter, kRaisedInner}, COLOR_BTNFACE},
        EdgeCase{"raisedSoft",
                 EDGE_RAISED,
                 BF_RECT | BF_SOFT,
                 {{COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW}, {COLOR_3DLIGHT, COLOR_BTNSHADOW}},
                 -1},
        EdgeCase{"sunkenSoft",
                 EDGE_SUNKEN,
                 BF_RECT | BF_SOFT,
                 {{COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT}, {COLOR_BTNSHADOW, COLOR_3DLIGHT}},
                 -1},
        EdgeCase{"flat",
                 EDGE_RAISED,
                 BF_RECT | BF_FLAT | BF_MIDDLE,
                 {{COLOR_BTNSHADOW, COLOR_BTNSHADOW}, {COLOR_BTNFACE, COLOR_BTNFACE}},
                 COLOR_BTNFACE},
        EdgeCase{"mono",
                 EDGE_SUNKEN,
                 BF_RECT | BF_MONO | BF_MIDDLE,
                 {{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME}, {COLOR_WINDOW, COLOR_WINDOW}},
                 COLOR_WINDOW},
        EdgeCase{"innerOnly", BDR_RAISEDINNER, BF_RECT, {kRaisedInner}, -1},
        EdgeCase{"outerOnly", BDR_SUNKENOUTER, BF_RECT, {kSunkenOuter}, -1}),
    [](const ::testing::TestParamInfo<EdgeCase>& i) { return std::string(i.param.name); });

TEST(DrawEdgeSides, OnlyTheNamedSidesAreDrawnAndAdjusted) {
  Canvas cv(20, 14);
  RECT r{3, 2, 15, 11};
  ASSERT_TRUE(DrawEdge(cv.dc, &r, EDGE_SUNKEN, BF_LEFT | BF_BOTTOM | BF_ADJUST));
  EXPECT_EQ(r, (RECT{5, 2, 15, 9}));
  // Outer layer: left column down to the row above the bottom line, which runs the full width.
  for (int y = 2; y < 10; ++y) EXPECT_EQ(cv.At(3, y), Sys(COLOR_BTNSHADOW)) << y;
  for (int x = 3; x < 15; ++x) EXPECT_EQ(cv.At(x, 10), Sys(COLOR_BTNHIGHLIGHT)) << x;
  // Inner layer one pixel in.
  for (int y = 2; y < 9; ++y) EXPECT_EQ(cv.At(4, y), Sys(COLOR_3DDKSHADOW)) << y;
  for (int x = 4; x < 15; ++x) EXPECT_EQ(cv.At(x, 9), Sys(COLOR_3DLIGHT)) << x;
  // Top and right untouched.
  for (int x = 5; x < 15; ++x) EXPECT_EQ(cv.At(x, 2), kMagenta) << x;
  for (int y = 2; y < 9; ++y) EXPECT_EQ(cv.At(14, y), kMagenta) << y;
}

TEST(DrawEdgeSides, AdjustShrinksByEachDrawnLayer) {
  Canvas cv(20, 14);
  RECT both{0, 0, 20, 14}, one{0, 0, 20, 14};
  DrawEdge(cv.dc, &both, EDGE_RAISED, BF_RECT | BF_ADJUST);
  DrawEdge(cv.dc, &one, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  EXPECT_EQ(both, (RECT{2, 2, 18, 12}));
  EXPECT_EQ(one, (RECT{1, 1, 19, 13}));
  EXPECT_FALSE(DrawEdge(nullptr, &one, EDGE_RAISED, BF_RECT));
  EXPECT_FALSE(DrawEdge(cv.dc, nullptr, EDGE_RAISED, BF_RECT));
}

TEST(DrawEdgeDiagonal, RunsCornerToCorner) {
  Canvas cv(12, 12);
  RECT r{1, 1, 11, 11};
  ASSERT_TRUE(DrawEdge(cv.dc, &r, BDR_RAISEDOUTER, BF_DIAGONAL_ENDTOPRIGHT));
  // A "/" line from the bottom-left to the top-right corner, in the light colour.
  for (int i = 0; i < 10; ++i) EXPECT_EQ(cv.At(1 + i, 10 - i), Sys(COLOR_3DLIGHT)) << i;
  EXPECT_EQ(cv.PixelsOf(kMagenta).size(), size_t(12 * 12 - 10));
}

// ---------------------------------------------------------------- frame controls

TEST(FrameControlCheckBox, CheckedDiffersFromUncheckedOnlyInsideTheBox) {
  Canvas off(13, 13), on(13, 13);
  RECT r{0, 0, 13, 13};
  ASSERT_TRUE(DrawFrameControl(off.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK));
  ASSERT_TRUE(DrawFrameControl(on.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
  int changed = 0;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) {
      const bool inside = x >= 2 && x < 11 && y >= 2 && y < 11;
      if (!inside) {
        EXPECT_EQ(on.At(x, y), off.At(x, y)) << x << "," << y;
        continue;
      }
      EXPECT_EQ(off.At(x, y), Sys(COLOR_WINDOW)) << x << "," << y;
      if (on.At(x, y) != off.At(x, y)) {
        ++changed;
        EXPECT_EQ(on.At(x, y), Sys(COLOR_WINDOWTEXT));
      }
    }
  EXPECT_GE(changed, 7);  // at least a stroke as long as the mark is wide
  // The frame is the sunken edge.
  EXPECT_EQ(off.At(0, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(off.At(12, 12), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(off.At(1, 1), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(off.At(11, 11), Sys(COLOR_3DLIGHT));
}

TEST(FrameControlCheckBox, InactiveAndFlatLooks) {
  Canvas dim(13, 13), flat(13, 13);
  RECT r{0, 0, 13, 13};
  DrawFrameControl(dim.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
  EXPECT_TRUE(dim.PixelsOf(Sys(COLOR_WINDOWTEXT)).empty());
  EXPECT_FALSE(dim.PixelsOf(Sys(COLOR_BTNFACE)).empty());
  // The mark is drawn in the shadow colour inside the box.
  int mark = 0;
  for (auto [x, y] : dim.PixelsOf(Sys(COLOR_BTNSHADOW))) mark += x >= 2 && x < 11 && y >= 2 && y < 11;
  EXPECT_GE(mark, 7);
  DrawFrameControl(flat.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT);
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(flat.At(i, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(flat.At(0, i), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(flat.At(12, i), Sys(COLOR_BTNSHADOW));
  }
  EXPECT_EQ(flat.At(1, 1), Sys(COLOR_WINDOW));
}

TEST(FrameControlRadio, MaskIsASymmetricDiscAndTheDotSitsInItsMiddle) {
  Canvas mask(13, 13, 0);
  RECT r{0, 0, 13, 13};
  ASSERT_TRUE(DrawFrameControl(mask.dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT));
  const auto black = mask.PixelsOf(0);
  ASSERT_FALSE(black.empty());
  int l = 13, t = 13, rr = 0, b = 0;
  for (auto [x, y] : black) l = std::min(l, x), t = std::min(t, y), rr = std::max(rr, x + 1), b = std::max(b, y + 1);
  EXPECT_EQ(RECT(l, t, rr, b), RECT(0, 0, 12, 12));
  for (auto [x, y] : black) {
    EXPECT_TRUE(black.count({11 - x, y})) << x << "," << y;
    EXPECT_TRUE(black.count({x, 11 - y})) << x << "," << y;
  }
  EXPECT_EQ(black.size() + mask.PixelsOf(0x00FFFFFF).size(), size_t(13 * 13));
  EXPECT_FALSE(black.count({0, 0}));  // a disc, not a square

  Canvas image(13, 13);
  DrawFrameControl(image.dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
  const auto dot = image.PixelsOf(Sys(COLOR_WINDOWTEXT));
  ASSERT_FALSE(dot.empty());
  for (auto [x, y] : dot) {
    EXPECT_GE(x, 3);
    EXPECT_LT(x, 9);
    EXPECT_GE(y, 3);
    EXPECT_LT(y, 9);
    EXPECT_TRUE(dot.count({11 - x, 11 - y}));
  }
}

TEST(FrameControlButton, PushButtonRaisesSoftlyAndSinksWhenPushed) {
  Canvas up(30, 20), down(30, 20);
  RECT r{0, 0, 30, 20};
  ASSERT_TRUE(DrawFrameControl(up.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
  EXPECT_EQ(r, (RECT{2, 2, 28, 18}));
  EXPECT_EQ(up.At(0, 0), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(up.At(1, 1), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(up.At(29, 19), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(up.At(15, 10), Sys(COLOR_BTNFACE));
  RECT d{0, 0, 30, 20};
  DrawFrameControl(down.dc, &d, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  EXPECT_EQ(down.At(0, 0), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(down.At(29, 19), Sys(COLOR_BTNHIGHLIGHT));
}

// Widths of the rows (or heights of the columns) of pixels of one colour, in order.
std::vector<int> Runs(const Canvas& cv, uint32_t color, bool rows) {
  std::vector<int> out;
  for (int i = 0; i < (rows ? cv.h : cv.w); ++i) {
    int n = 0;
    for (int j = 0; j < (rows ? cv.w : cv.h); ++j) n += cv.At(rows ? j : i, rows ? i : j) == color;
    if (n) out.push_back(n);
  }
  return out;
}

struct ArrowCase {
  UINT state;
  bool rows;        // measure rows (up/down) or columns (left/right)
  bool shrinking;   // run lengths shrink along the measure direction
};

class ScrollArrowTest : public ::testing::TestWithParam<ArrowCase> {};

TEST_P(ScrollArrowTest, ArrowIsATrianglePointingTheRightWay) {
  const ArrowCase& c = GetParam();
  Canvas cv(16, 16);
  RECT r{0, 0, 16, 16};
  ASSERT_TRUE(DrawFrameControl(cv.dc, &r, DFC_SCROLL, c.state));
  const std::vector<int> runs = Runs(cv, Sys(COLOR_BTNTEXT), c.rows);
  ASSERT_GE(runs.size(), 3u);
  for (size_t i = 1; i < runs.size(); ++i) {
    if (c.shrinking) {
      EXPECT_LT(runs[i], runs[i - 1]);
    } else {
      EXPECT_GT(runs[i], runs[i - 1]);
    }
  }
  EXPECT_EQ(runs[c.shrinking ? runs.size() - 1 : 0], 1);  // a sharp tip
}

INSTANTIATE_TEST_SUITE_P(Directions, ScrollArrowTest,
                         ::testing::Values(ArrowCase{DFCS_SCROLLDOWN, true, true}, ArrowCase{DFCS_SCROLLUP, true, false},
                                           ArrowCase{DFCS_SCROLLRIGHT, false, true},
                                           ArrowCase{DFCS_SCROLLLEFT, false, false},
                                           ArrowCase{DFCS_SCROLLCOMBOBOX, true, true}));

std::set<std::pair<int, int>> Shifted(const std::set<std::pair<int, int>>& s, int dx, int dy) {
  std::set<std::pair<int, int>> out;
  for (auto [x, y] : s) out.insert({x + dx, y + dy});
  return out;
}

TEST(FrameControlGlyphs, PushedGlyphsMoveDownRightAndInactiveOnesAreEmbossed) {
  for (UINT type : {DFC_SCROLL, DFC_CAPTION}) {
    const UINT glyph = type == DFC_SCROLL ? DFCS_SCROLLDOWN : DFCS_CAPTIONCLOSE;
    Canvas normal(16, 14), pushed(16, 14), inactive(16, 14);
    RECT r{0, 0, 16, 14};
    DrawFrameControl(normal.dc, &r, type, glyph);
    DrawFrameControl(pushed.dc, &r, type, glyph | DFCS_PUSHED);
    DrawFrameControl(inactive.dc, &r, type, glyph | DFCS_INACTIVE);
    const auto ink = normal.PixelsOf(Sys(COLOR_BTNTEXT));
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(pushed.PixelsOf(Sys(COLOR_BTNTEXT)), Shifted(ink, 1, 1));
    EXPECT_TRUE(inactive.PixelsOf(Sys(COLOR_BTNTEXT)).empty());
    // The glyph in shadow where it was; its highlight copy shows one pixel down-right.
    for (auto p : ink) EXPECT_EQ(inactive.At(p.first, p.second), Sys(COLOR_BTNSHADOW));
    int highlight = 0;
    for (auto [x, y] : Shifted(ink, 1, 1))
      if (!ink.count({x, y})) highlight += inactive.At(x, y) == Sys(COLOR_BTNHIGHLIGHT);
    EXPECT_GT(highlight, 0);
  }
}

TEST(FrameControlGlyphs, CloseGlyphIsMirrorSymmetric) {
  Canvas cv(16, 14);
  RECT r{0, 0, 16, 14};
  DrawFrameControl(cv.dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
  const auto ink = cv.PixelsOf(Sys(COLOR_BTNTEXT));
  int l = 16, rr = 0;
  for (auto [x, y] : ink) l = std::min(l, x), rr = std::max(rr, x);
  for (auto [x, y] : ink) EXPECT_TRUE(ink.count({l + rr - x, y})) << x << "," << y;
}

TEST(FrameControlGlyphs, MenuGlyphsAreBlackOnWhiteAndSizeGripLinesAreDiagonal) {
  Canvas menu(13, 13);
  RECT r{0, 0, 13, 13};
  ASSERT_TRUE(DrawFrameControl(menu.dc, &r, DFC_MENU, DFCS_MENUCHECK));
  const size_t black = menu.PixelsOf(0).size();
  EXPECT_GT(black, 0u);
  EXPECT_EQ(black + menu.PixelsOf(0x00FFFFFF).size(), size_t(13 * 13));

  Canvas grip(16, 16);
  RECT g{0, 0, 16, 16};
  ASSERT_TRUE(DrawFrameControl(grip.dc, &g, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
  EXPECT_FALSE(grip.PixelsOf(Sys(COLOR_BTNSHADOW)).empty());
  EXPECT_FALSE(grip.PixelsOf(Sys(COLOR_BTNHIGHLIGHT)).empty());
  for (int y = 1; y < 16; ++y)
    for (int x = 0; x < 15; ++x) EXPECT_EQ(grip.At(x, y), grip.At(x + 1, y - 1)) << x << "," << y;
  EXPECT_FALSE(DrawFrameControl(grip.dc, &g, 99, 0));
}

}  // namespace
}  // namespace win
