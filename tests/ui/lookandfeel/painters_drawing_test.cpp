// The painter base's drawing, pixel by pixel, against the geometry rules
// evaluated here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/intmath.h"
#include "platform/rtl/sysutils.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "tests/ui/lookandfeel/painter_surface.h"

namespace {

const TcxCustomLookAndFeelPainter& Base() { return *TcxCustomLookAndFeelPainter::Class(); }

using painter_surface::kPaper;
using painter_surface::Surface;

TEST(PaintDropArrow, TriangleWidthAndHeightFollowTheRectWidth) {
  struct Row {
    int32_t width, w, h;
  };
  for (const Row row : {Row{10, 5, 3}, Row{12, 7, 4}}) {
    Surface s(30, 20);
    const TRect r(3, 2, 3 + row.width, 16);
    Base().PaintDropArrow(&s.canvas, r, TColor(0x0000FF));
    const int32_t x0 = (r.Left + r.Right - row.w) / 2, y0 = MulDiv(r.Top + r.Bottom - row.h, 1, 2);
    for (int32_t y = 0; y < 20; ++y)
      for (int32_t x = 0; x < 30; ++x) {
        // Row k of the triangle spans x0 + k .. x0 + w - 1 - k.
        const int32_t k = y - y0;
        const bool in = k >= 0 && k < row.h && x >= x0 + k && x <= x0 + row.w - 1 - k;
        EXPECT_EQ(s.At(x, y), in ? TColor(0x0000FF) : kPaper) << row.width << " wide, at " << x << "," << y;
      }
  }
}

TEST(ArrowTrianglePoints, SizeCentringAndDirection) {
  struct Row {
    TRect r;
    int32_t size;
    bool proportional;
    TcxArrowPaintDirection dir;
    TcxArrowPoints expected;
  };
  // Up in 9 x 9, size 0: size 3, 5 wide, 3 high at x = (9 - 5) div 2, y = round((9 - 3) / 2).
  const Row rows[] = {
      {{0, 0, 9, 9}, 0, false, adUp, {TPoint{2, 5}, TPoint{6, 5}, TPoint{4, 3}}},
      {{0, 0, 9, 9}, 0, false, adDown, {TPoint{2, 3}, TPoint{6, 3}, TPoint{4, 5}}},
      // Left and right take the size from the height: 3 wide, 5 high.
      {{0, 0, 9, 9}, 0, false, adLeft, {TPoint{5, 2}, TPoint{5, 6}, TPoint{3, 4}}},
      {{0, 0, 9, 9}, 0, false, adRight, {TPoint{3, 2}, TPoint{3, 6}, TPoint{5, 4}}},
      {{0, 0, 20, 9}, 0, false, adRight, {TPoint{8, 2}, TPoint{8, 6}, TPoint{10, 4}}},
      // Explicit size 4: 7 x 4, y = round(5 / 2) = 3.
      {{0, 0, 9, 9}, 4, false, adUp, {TPoint{1, 6}, TPoint{7, 6}, TPoint{4, 3}}},
      // Proportional: 15 x 9 becomes (3, 0, 12, 9) before sizing.
      {{0, 0, 15, 9}, 0, true, adUp, {TPoint{5, 5}, TPoint{9, 5}, TPoint{7, 3}}},
      // Not proportional: size from the full width 15 gives 4: 7 x 4.
      {{0, 0, 15, 9}, 0, false, adUp, {TPoint{4, 6}, TPoint{10, 6}, TPoint{7, 3}}},
  };
  for (const Row& row : rows) {
    const TcxArrowPoints p = TcxCustomLookAndFeelPainter::ArrowTrianglePoints(row.r, row.size, row.proportional, row.dir);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(p[size_t(i)], row.expected[size_t(i)])
          << "rect " << row.r.Width() << "x" << row.r.Height() << " dir " << int(row.dir) << " point " << i;
  }
}

TEST(PaintCheckBox, FaceAndMarkByState) {
  struct Row {
    const char* name;
    TcxButtonPaintState state;
    TcxCheckPaintState check;
    TColor face, mark;  // mark clNone: no mark
  };
  const Row rows[] = {
      {"grayed", bpsNormal, cbsGrayed, clWindow, clNone},
      {"unchecked", bpsNormal, cbsUnchecked, clWindow, clNone},
      {"checked", bpsNormal, cbsChecked, clWindow, clBtnText},
      {"disabled checked", bpsDisabled, cbsChecked, clBtnFace, clGrayText},
      {"pressed checked", bpsPressed, cbsChecked, clBtnFace, clBtnText},
  };
  for (const Row& row : rows) {
    Surface s(20, 20);
    const TRect r(2, 2, 17, 17), inner(4, 4, 15, 15);
    Base().PaintCheckBox(&s.canvas, r, row.state, row.check);
    EXPECT_EQ(s.FirstOutside(inner), "") << row.name;
    int32_t marks = 0;
    for (int32_t y = inner.Top; y < inner.Bottom; ++y)
      for (int32_t x = inner.Left; x < inner.Right; ++x) {
        const TColor c = s.At(x, y);
        if (row.mark != clNone && c == ColorToRGB(row.mark)) ++marks;
        else EXPECT_EQ(c, ColorToRGB(row.face)) << row.name << " at " << x << "," << y;
      }
    if (row.mark == clNone) continue;
    // Three strokes, each at least as long as the mark is wide.
    const int32_t w = inner.Width() - 2;
    EXPECT_GE(marks, 3 * w) << row.name;
    // The deepest point of the tick: (x, y + 2) with x = centre - 1.
    const int32_t x = (inner.Left + inner.Right) / 2 - 1, y = (inner.Top + inner.Bottom + inner.Height() - 4) / 2 - 2;
    EXPECT_EQ(s.At(x, y + 2), ColorToRGB(row.mark)) << row.name;
  }
}

// A painter whose pressed content moves by 2 pixels.
class TShiftingPainter : public TcxCustomLookAndFeelPainter {
public:
  int32_t PressedContentShift() const override { return 2; }
};

TEST(PaintButton, CaptionRectFollowsHeightAndPress) {
  static const TShiftingPainter shifting;
  struct Row {
    const TcxCustomLookAndFeelPainter* painter;
    int32_t height;
    TcxButtonPaintState state;
    TRect caption;  // where the caption must land, from the rules
  };
  const Row rows[] = {
      {&Base(), 20, bpsNormal, {0, 0, 40, 20}},
      {&Base(), 19, bpsNormal, {0, 0, 40, 18}},
      {&Base(), 17, bpsNormal, {0, -1, 40, 16}},  // made even, then one pixel higher
      {&Base(), 16, bpsNormal, {0, -1, 40, 16}},
      {&shifting, 16, bpsPressed, {2, 1, 42, 18}},
      {&shifting, 16, bpsHot, {0, -1, 40, 16}},
  };
  for (const Row& row : rows) {
    Surface got(48, 24), expected(48, 24);
    const TRect r(0, 0, 40, row.height);
    row.painter->PaintButton(&got.canvas, r, "Wg", row.state, TColor(0xFFFFFF), TColor(0x000000));
    expected.canvas.FillRect(r, TColor(0xFFFFFF));
    expected.canvas.Font()->SetColor(TColor(0));
    expected.canvas.Brush()->SetStyle(bsClear);
    expected.canvas.DrawText("Wg", row.caption, 0x0264);
    for (int32_t y = 0; y < 24; ++y)
      for (int32_t x = 0; x < 48; ++x)
        ASSERT_EQ(got.At(x, y), expected.At(x, y)) << "height " << row.height << " state " << int(row.state)
                                                   << " at " << x << "," << y;
  }
}

TEST(PaintClock, HandsPointByTheTime) {
  constexpr double pi = std::numbers::pi;
  const TRect r(0, 0, 61, 61);
  const int32_t cx = 30, cy = 30;
  const double rx = 61 / 2.0 - 2, ry = rx;
  const TColor hand = 0x808000, second = 0x0000FF, bk = 0xFFFFFF;
  {
    Surface s(61, 61);
    Base().PaintClock(&s.canvas, r, EncodeTime(3, 0, 0, 0), bk);
    // Hour hand right (to 0.75 rx), minute hand up (to 0.85 ry), nothing left or down beyond the tails.
    EXPECT_EQ(s.At(cx + int32_t(0.6 * rx), cy), hand);
    // The second hand (second 0) covers the minute hand's axis: look beside it.
    EXPECT_EQ(s.At(cx - 1, cy - int32_t(0.5 * ry)), hand);
    EXPECT_EQ(s.At(cx, cy - int32_t(0.8 * ry)), second);
    EXPECT_EQ(s.At(cx - int32_t(0.5 * rx), cy), bk);
    EXPECT_EQ(s.At(cx, cy + int32_t(0.5 * ry)), bk);
    // The twelve marks: the centre pixel of each dot, as in the rule.
    for (int i = 0; i < 60; i += 5) {
      const double a = i * 2 * pi / 60;
      const int32_t x = int32_t(std::lround(rx * std::cos(a) + cx)), y = int32_t(std::lround(ry * std::sin(a) + cy));
      EXPECT_EQ(s.At(x, y), TColor(0x808000)) << "mark " << i;
      EXPECT_EQ(s.At(x - 1, y - 1), TColor(0xFFFF00)) << "mark " << i;
      EXPECT_EQ(s.At(x + 1, y + 1), ColorToRGB(clBtnText)) << "mark " << i;
    }
  }
  {
    Surface s(61, 61);
    Base().PaintClock(&s.canvas, r, EncodeTime(0, 0, 15, 0), bk);
    for (int32_t x = cx + 6; x <= cx + int32_t(0.85 * rx); ++x) EXPECT_EQ(s.At(x, cy), second) << x;
    EXPECT_EQ(s.At(cx - 10, cy), bk);
    // Hour and minute hands both up.
    EXPECT_EQ(s.At(cx, cy - int32_t(0.6 * ry)), hand);
    EXPECT_EQ(s.At(cx + int32_t(0.5 * rx), cy - 3), bk);
  }
  for (const double bad : {std::numeric_limits<double>::quiet_NaN(), -0.25, std::numeric_limits<double>::infinity()}) {
    Surface s(61, 61);
    Base().PaintClock(&s.canvas, r, bad, bk);
    // Marks, background, no hands.
    EXPECT_EQ(s.At(cx + int32_t(std::lround(rx)), cy), TColor(0x808000));
    EXPECT_EQ(s.At(cx, cy), bk);
    EXPECT_EQ(s.At(cx + 10, cy), bk);
  }
}

TEST(PaintNavigationGlyph, ArrowheadWithBarAtItsTip) {
  for (const bool next : {true, false}) {
    Surface s(20, 20);
    const TRect r(5, 5, 12, 12);  // 7 x 7: n = 4
    Base().PaintNavigationGlyph(&s.canvas, r, TColor(0), next);
    EXPECT_EQ(s.FirstOutside(r), "") << next;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      // Rows i and 6 - i hold the 2 x 1 piece moved i times; the bar is the tip column.
      const int32_t i = std::min(y - r.Top, r.Bottom - 1 - y);
      const int32_t left = next ? r.Left + i : r.Right - 2 - i;
      for (int32_t x = r.Left; x < r.Right; ++x) {
        const bool bar = next ? x == r.Right - 1 : x == r.Left;
        const bool piece = x >= left && x < left + 2;
        EXPECT_EQ(s.At(x, y), bar || piece ? TColor(0) : kPaper) << next << " at " << x << "," << y;
      }
    }
  }
}

TEST(PaintSmallExpandBox, FrameFaceAndCross) {
  for (const bool expanded : {false, true}) {
    Surface s(20, 20);
    const TRect r(2, 2, 11, 11);  // 9 x 9: centre (6, 6), half 2
    Base().PaintSmallExpandBox(&s.canvas, r, TColor(0xFFFFFF), TColor(0x808080), expanded);
    for (int32_t y = 0; y < 20; ++y)
      for (int32_t x = 0; x < 20; ++x) {
        TColor want = kPaper;
        if (r.Contains({x, y})) want = TColor(0xFFFFFF);
        if (r.Contains({x, y}) && (x == 2 || x == 10 || y == 2 || y == 10)) want = TColor(0x808080);
        if (y == 6 && x >= 4 && x <= 8) want = ColorToRGB(clBtnText);
        if (!expanded && x == 6 && y >= 4 && y <= 8) want = ColorToRGB(clBtnText);
        EXPECT_EQ(s.At(x, y), want) << expanded << " at " << x << "," << y;
      }
  }
}

TEST(PaintShadowedFrame, TwoPixelShadowRightAndBelow) {
  Surface s(30, 30);
  const TRect frame(2, 2, 22, 22), content(5, 5, 15, 15);
  Base().PaintShadowedFrame(&s.canvas, frame, true, 1, content);
  // Kind 1: working rect (2, 2, 20, 20) in clHighlight, its (2, 2) offset in clWindowText behind.
  EXPECT_EQ(s.At(2, 2), ColorToRGB(clHighlight));
  EXPECT_EQ(s.At(19, 19), ColorToRGB(clHighlight));
  EXPECT_EQ(s.At(20, 20), ColorToRGB(clWindowText));
  EXPECT_EQ(s.At(21, 4), ColorToRGB(clWindowText));
  EXPECT_EQ(s.At(20, 3), kPaper);
  EXPECT_EQ(s.At(3, 20), kPaper);
  EXPECT_EQ(s.At(10, 10), ColorToRGB(clWindow));
  EXPECT_EQ(s.FirstOutside(frame), "");
}

TEST(PaintListGlyph, BulletedLines) {
  Surface s(20, 20);
  const TRect r(0, 2, 16, 17);
  Base().PaintListGlyph(&s.canvas, r, TColor(0));
  const int32_t top = (r.Top + r.Bottom - 9) / 2;
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 20; ++x) {
      const int32_t line = y - top;
      const bool onLine = line >= 0 && line <= 8 && line % 2 == 0;
      const bool want = onLine && ((x >= 5 && x < 13) || (x == 3 && line % 4 == 0));
      EXPECT_EQ(s.At(x, y), want ? TColor(0) : kPaper) << x << "," << y;
    }
}

TEST(PaintIndicatorImage, CentredAndKindsOutOfRangeDrawNothing) {
  {
    Surface s(20, 20);
    const TRect r(0, 0, 20, 21);
    Base().PaintIndicatorImage(&s.canvas, r, 4);  // the dot: rows 2-6
    const int32_t x0 = (20 - 8) / 2, y0 = (21 - 9) / 2;
    EXPECT_EQ(s.At(x0 + 3, y0 + 2), TColor(0));
    EXPECT_EQ(s.At(x0 + 2, y0 + 4), TColor(0));
    EXPECT_EQ(s.At(x0 + 2, y0 + 2), kPaper);  // white is transparent
  }
  for (const int32_t kind : {0, 7, -1, 1000}) {
    Surface s(20, 20);
    Base().PaintIndicatorImage(&s.canvas, TRect(0, 0, 20, 20), kind);
    EXPECT_EQ(s.FirstOutside(TRect()), "") << kind;
  }
}

// Every drawing operation keeps to its rectangle, however degenerate, and a
// clNone glyph colour draws no glyph.
TEST(TcxCustomLookAndFeelPainter, DegenerateRectanglesDrawNothingOutside) {
  const TcxCustomLookAndFeelPainter& p = Base();
  using Op = std::function<void(TcxCanvas*, const TRect&)>;
  const std::vector<std::pair<const char*, Op>> ops = {
      {"PaintDropArrow", [&](TcxCanvas* c, const TRect& r) { p.PaintDropArrow(c, r, 0); }},
      {"PaintArrow", [&](TcxCanvas* c, const TRect& r) { p.PaintArrow(c, r, 0, adRight); }},
      {"PaintArrowButton", [&](TcxCanvas* c, const TRect& r) { p.PaintArrowButton(c, r, true, adUp, bpsHot); }},
      {"PaintScrollArrow", [&](TcxCanvas* c, const TRect& r) { p.PaintScrollArrow(c, r, adDown, bpsDisabled); }},
      {"PaintButton", [&](TcxCanvas* c, const TRect& r) { p.PaintButton(c, r, {}, bpsPressed); }},
      {"PaintGroupExpandButton", [&](TcxCanvas* c, const TRect& r) { p.PaintGroupExpandButton(c, r, bpsNormal, true); }},
      {"PaintSmallExpandBox", [&](TcxCanvas* c, const TRect& r) { p.PaintSmallExpandBox(c, r, 0xFFFFFF, 0, false); }},
      {"PaintCheckBox", [&](TcxCanvas* c, const TRect& r) { p.PaintCheckBox(c, r, bpsNormal, cbsChecked); }},
      {"PaintCloseButton", [&](TcxCanvas* c, const TRect& r) { p.PaintCloseButton(c, r, bpsPressed); }},
      {"PaintNavigationButton", [&](TcxCanvas* c, const TRect& r) { p.PaintNavigationButton(c, r, r, true, bpsPressed); }},
      {"PaintNavigationGlyph", [&](TcxCanvas* c, const TRect& r) { p.PaintNavigationGlyph(c, r, 0, false); }},
      {"PaintListGlyph", [&](TcxCanvas* c, const TRect& r) { p.PaintListGlyph(c, r, 0); }},
      {"PaintIndicatorImage", [&](TcxCanvas* c, const TRect& r) { p.PaintIndicatorImage(c, r, 1); }},
      {"PaintIndicatorHeader", [&](TcxCanvas* c, const TRect& r) { p.PaintIndicatorHeader(c, r, {}, 0xFFFFFF, 5); }},
      {"PaintMarkedHeader",
       [&](TcxCanvas* c, const TRect& r) { p.PaintMarkedHeader(c, r, {}, {nullptr, 0xFFFFFF}, 0, nullptr, {}, 0, 2, 3); }},
      {"PaintClock", [&](TcxCanvas* c, const TRect& r) { p.PaintClock(c, r, EncodeTime(7, 35, 20, 0), 0xFFFFFF); }},
      {"PaintProgressBar", [&](TcxCanvas* c, const TRect& r) { p.PaintProgressBar(c, r, false, {nullptr, 0xFFFFFF}, r); }},
      {"PaintShadowedFrame", [&](TcxCanvas* c, const TRect& r) { p.PaintShadowedFrame(c, r, true, 0, r); }},
      {"PaintPanel", [&](TcxCanvas* c, const TRect& r) { p.PaintPanel(c, r, cxBordersAll); }},
      {"PaintEtchedLine", [&](TcxCanvas* c, const TRect& r) { p.PaintEtchedLine(c, r, true); }},
      {"PaintSizeGrip", [&](TcxCanvas* c, const TRect& r) { p.PaintSizeGrip(c, r, 0xFFFFFF); }},
      {"PaintNavigationButtonRotated",
       [&](TcxCanvas* c, const TRect& r) { p.PaintNavigationButtonRotated(c, r, r, r, "Next", bpsNormal, true); }},
  };
  const TRect rects[] = {{10, 10, 10, 10}, {20, 20, 10, 10}, {10, 10, 11, 11}, {10, 10, 14, 13}, {10, 10, 12, 30}};
  for (const auto& [name, op] : ops)
    for (const TRect& r : rects) {
      Surface s(40, 40);
      op(&s.canvas, r);
      EXPECT_EQ(s.FirstOutside(r), "") << name << " in " << r.Left << "," << r.Top << "," << r.Right << ","
                                        << r.Bottom;
    }
  const std::vector<std::pair<const char*, Op>> glyphs = {
      {"PaintDropArrow", [&](TcxCanvas* c, const TRect& r) { p.PaintDropArrow(c, r, clNone); }},
      {"PaintArrow", [&](TcxCanvas* c, const TRect& r) { p.PaintArrow(c, r, clNone, adLeft); }},
      {"PaintNavigationGlyph", [&](TcxCanvas* c, const TRect& r) { p.PaintNavigationGlyph(c, r, clNone, true); }},
      {"PaintListGlyph", [&](TcxCanvas* c, const TRect& r) { p.PaintListGlyph(c, r, clNone); }},
  };
  for (const auto& [name, op] : glyphs) {
    Surface s(40, 40);
    op(&s.canvas, TRect(5, 5, 30, 30));
    EXPECT_EQ(s.FirstOutside(TRect()), "") << name << " with clNone";
  }
}

}  // namespace

namespace {

// The pixels of a two-segment chevron row (x, y) - (x + 3, y + arm) - (x + 6, y),
// end point left out: three steps down the first diagonal, three up the second.
void AddChevronRow(std::vector<TPoint>& v, int32_t x, int32_t y, int32_t arm) {
  const int32_t step = arm > 0 ? 1 : -1;
  for (int32_t k = 0; k < 3; ++k) {
    v.push_back({x + k, y + step * k});
    v.push_back({x + 3 + k, y + arm - step * k});
  }
}

bool Has(const std::vector<TPoint>& v, TPoint p) { return std::find(v.begin(), v.end(), p) != v.end(); }

TEST(PaintGroupExpandButton, DoubleChevronPointsByState) {
  for (const bool expanded : {false, true}) {
    Surface s(24, 24);
    const TRect r(2, 2, 17, 17);
    Base().PaintGroupExpandButton(&s.canvas, r, bpsNormal, expanded);
    const int32_t x = (r.Left + r.Right - 7) / 2, y0 = (r.Top + r.Bottom - 9) / 2 + (expanded ? 3 : 0);
    std::vector<TPoint> glyph;
    for (int32_t i = 0; i < 4; ++i) AddChevronRow(glyph, x, y0 + i + (i >= 2 ? 2 : 0), expanded ? -3 : 3);
    for (int32_t y = 0; y < 24; ++y)
      for (int32_t px = 0; px < 24; ++px) {
        TColor want = kPaper;
        if (r.Contains({px, y})) want = ColorToRGB(Has(glyph, {px, y}) ? clBtnText : clBtnFace);
        EXPECT_EQ(s.At(px, y), want) << expanded << " at " << px << "," << y;
      }
  }
}

TEST(PaintCloseButton, TwoPixelWideCrossMovedWhenPressed) {
  for (const TcxButtonPaintState state : {bpsNormal, bpsPressed, bpsDisabled}) {
    Surface s(24, 24);
    const TRect r(1, 1, 17, 15);  // 16 x 14: n = 7
    Base().PaintCloseButton(&s.canvas, r, state);
    const int32_t shift = state == bpsPressed ? 1 : 0;
    const int32_t x = r.Left + (16 - 7) / 2 + shift, y = r.Top + (14 - 7) / 2 + shift;
    std::vector<TPoint> cross;
    for (int32_t dx = 0; dx < 2; ++dx)
      for (int32_t k = 0; k < 7; ++k) {
        cross.push_back({x + dx + k, y + k});
        cross.push_back({x + dx + k, y + 6 - k});
      }
    const TColor glyph = state == bpsDisabled ? clBtnShadow : clBtnText;
    for (int32_t py = 0; py < 24; ++py)
      for (int32_t px = 0; px < 24; ++px) {
        TColor want = kPaper;
        if (r.Contains({px, py})) want = ColorToRGB(Has(cross, {px, py}) ? glyph : clBtnFace);
        EXPECT_EQ(s.At(px, py), want) << int(state) << " at " << px << "," << py;
      }
  }
}

TEST(PaintContent, CustomDrawDecidesTheBackground) {
  const TRect r(2, 2, 30, 20);
  struct Row {
    const char* name;
    bool hasCustomDraw, customPaints;
    TColor expected;
  };
  const Row rows[] = {{"no custom draw", false, false, TColor(0x00FF00)},
                      {"custom draw paints", true, true, TColor(0x0000FF)},
                      {"custom draw declines", true, false, TColor(0x00FF00)}};
  for (const Row& row : rows) {
    Surface s(32, 24);
    TcxPainterContent content;
    content.BkColor = 0x00FF00;
    TRect seen;
    if (row.hasCustomDraw)
      content.CustomDraw = [&](TcxCanvas* c, const TRect& area) {
        seen = area;
        c->FillRect(area, TColor(0x0000FF));
        return row.customPaints;
      };
    Base().PaintContent(&s.canvas, r, content);
    if (row.hasCustomDraw) {
      EXPECT_EQ(seen, r) << row.name;
    }
    for (int32_t y = 0; y < 24; ++y)
      for (int32_t x = 0; x < 32; ++x)
        EXPECT_EQ(s.At(x, y), r.Contains({x, y}) ? row.expected : kPaper) << row.name << " at " << x << "," << y;
  }
}

TEST(PaintContent, TextInTheTextRectWithItsFlags) {
  Surface got(60, 24), expected(60, 24);
  TcxPainterContent content;
  content.BkColor = 0xFFFFFF;
  content.TextColor = 0x0000FF;
  content.Text = "Ab";
  content.AlignHorz = TAlignment(1);  // right
  content.AlignVert = vaBottom;
  content.TextRect = TRect(4, 2, 50, 20);
  Base().PaintContent(&got.canvas, TRect(0, 0, 60, 24), content);
  expected.canvas.FillRect(TRect(0, 0, 60, 24), TColor(0xFFFFFF));
  expected.canvas.Font()->SetColor(TColor(0x0000FF));
  expected.canvas.Brush()->SetStyle(bsClear);
  expected.canvas.DrawText("Ab", TRect(4, 2, 50, 20), cxAlignRight | cxAlignBottom | cxSingleLine);
  int32_t red = 0;  // inked pixels: the caption is smoothed
  for (int32_t y = 0; y < 24; ++y)
    for (int32_t x = 0; x < 60; ++x) {
      ASSERT_EQ(got.At(x, y), expected.At(x, y)) << x << "," << y;
      red += got.At(x, y) != TColor(0xFFFFFF);
    }
  EXPECT_GT(red, 0);
}

TEST(PaintMarkedText, InversionShowsTheBackgroundInverted) {
  const TColor bg = 0x406080;
  Surface s(80, 30);
  s.canvas.FillRect(TRect(0, 0, 80, 30), bg);
  const TRect r(5, 5, 75, 25);
  Base().PaintMarkedText(&s.canvas, r, r, "Marked", false, clDefault, false);
  int32_t changed = 0;
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 80; ++x) {
      const TColor c = s.At(x, y);
      if (c == bg) continue;
      ASSERT_TRUE(r.Contains({x, y})) << x << "," << y;
      // A glyph pixel is the background XOR a grey of the text mask.
      const uint32_t d = uint32_t(c) ^ uint32_t(bg);
      EXPECT_TRUE((d & 0xFF) == ((d >> 8) & 0xFF) && (d & 0xFF) == ((d >> 16) & 0xFF)) << x << "," << y;
      ++changed;
    }
  EXPECT_GT(changed, 0);
  // Plain text is drawn in the colour given.
  Surface plain(80, 30);
  Base().PaintMarkedText(&plain.canvas, r, r, "Marked", false, TColor(0x0000FF), true);
  EXPECT_FALSE(plain.Where(TColor(0x0000FF)).empty());
}

}  // namespace

namespace {

// Turning the button a quarter and back is an identity: with no caption the
// rotated road paints exactly what the plain one does.
TEST(PaintNavigationButtonRotated, RotationRoundTripAndCaption) {
  const TRect r(3, 2, 23, 62), glyph(8, 6, 15, 13), text(5, 20, 21, 58);
  Surface plain(28, 66), rotated(28, 66), captioned(28, 66);
  Base().PaintNavigationButton(&plain.canvas, r, glyph, true, bpsNormal);
  Base().PaintNavigationButtonRotated(&rotated.canvas, r, glyph, text, "", bpsNormal, true);
  for (int32_t y = 0; y < 66; ++y)
    for (int32_t x = 0; x < 28; ++x) ASSERT_EQ(rotated.At(x, y), plain.At(x, y)) << x << "," << y;
  captioned.canvas.Font()->SetColor(TColor(0x0000FF));
  Base().PaintNavigationButtonRotated(&captioned.canvas, r, glyph, text, "Next", bpsNormal, true);
  int32_t caption = 0;
  for (int32_t y = 0; y < 66; ++y)
    for (int32_t x = 0; x < 28; ++x) {
      if (captioned.At(x, y) == plain.At(x, y)) continue;
      // Only the text rect changes, and only toward the caption's colour.
      ASSERT_TRUE(text.Contains({x, y})) << x << "," << y;
      ++caption;
    }
  EXPECT_GT(caption, 0);
  EXPECT_FALSE(captioned.Where(TColor(0x0000FF)).empty());
}

}  // namespace
