// The standard, flat and ultra-flat painters, pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "tests/ui/lookandfeel/painter_surface.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace {

using painter_surface::kPaper;
using painter_surface::Surface;

TcxLookAndFeelPainterClass Standard() { return TcxStandardLookAndFeelPainter::Class(); }
TcxLookAndFeelPainterClass Flat() { return TcxFlatLookAndFeelPainter::Class(); }
TcxLookAndFeelPainterClass UltraFlat() { return TcxUltraFlatLookAndFeelPainter::Class(); }

constexpr TColor kBlack = 0x000000;

TColor Rgb(TColor c) { return ColorToRGB(c); }

// The middle pixel of each side of the ring `depth` pixels inside r.
struct Ring {
  TColor left, top, right, bottom;
};
Ring RingAt(Surface& s, const TRect& r, int32_t depth) {
  const int32_t mx = (r.Left + r.Right) / 2, my = (r.Top + r.Bottom) / 2;
  return {s.At(r.Left + depth, my), s.At(mx, r.Top + depth), s.At(r.Right - 1 - depth, my),
          s.At(mx, r.Bottom - 1 - depth)};
}

TEST(PainterButtonFrames, RingsAndWidthPerState) {
  struct Row {
    const char* name;
    TcxLookAndFeelPainterClass painter;
    TcxButtonPaintState state;
    std::vector<std::pair<TColor, TColor>> rings;  // top-left, bottom-right from the outside in
  };
  const std::pair<TColor, TColor> black{kBlack, kBlack};
  const std::vector<std::pair<TColor, TColor>> stdRaised = {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
  const std::vector<Row> rows = {
      {"standard pressed", Standard(), bpsPressed, {black, {clBtnShadow, clBtnShadow}}},
      {"standard default", Standard(), bpsDefault, {black, stdRaised[0], stdRaised[1]}},
      {"standard normal", Standard(), bpsNormal, stdRaised},
      {"standard hot", Standard(), bpsHot, stdRaised},
      {"standard disabled", Standard(), bpsDisabled, stdRaised},
      {"flat pressed", Flat(), bpsPressed, {{clBtnShadow, clBtnHighlight}}},
      {"flat default", Flat(), bpsDefault, {black, {clBtnHighlight, clBtnShadow}}},
      {"flat normal", Flat(), bpsNormal, {{clBtnHighlight, clBtnShadow}}},
      {"flat hot", Flat(), bpsHot, {{clBtnHighlight, clBtnShadow}}},
      {"ultra-flat default", UltraFlat(), bpsDefault, {{clWindowFrame, clWindowFrame}, {clWindowFrame, clWindowFrame}}},
      {"ultra-flat normal", UltraFlat(), bpsNormal, {{clBtnText, clBtnText}}},
      {"ultra-flat hot", UltraFlat(), bpsHot, {{clHighlight, clHighlight}}},
      {"ultra-flat pressed", UltraFlat(), bpsPressed, {{clHighlight, clHighlight}}},
      {"ultra-flat disabled", UltraFlat(), bpsDisabled, {{clBtnShadow, clBtnShadow}}},
  };
  for (const Row& row : rows) {
    Surface s(30, 30);
    const TRect r(5, 5, 25, 21);
    row.painter->PaintButtonFrame(&s.canvas, r, row.state);
    for (size_t k = 0; k < row.rings.size(); ++k) {
      const Ring got = RingAt(s, r, int32_t(k));
      const TColor tl = Rgb(row.rings[k].first), br = Rgb(row.rings[k].second);
      EXPECT_EQ(got.left, tl) << row.name << " ring " << k;
      EXPECT_EQ(got.top, tl) << row.name << " ring " << k;
      EXPECT_EQ(got.right, br) << row.name << " ring " << k;
      EXPECT_EQ(got.bottom, br) << row.name << " ring " << k;
    }
    const Ring inside = RingAt(s, r, int32_t(row.rings.size()));
    EXPECT_EQ(inside.left, kPaper) << row.name;
    EXPECT_EQ(inside.bottom, kPaper) << row.name;
    EXPECT_EQ(row.painter->ButtonFrameWidth(row.state), int32_t(row.rings.size())) << row.name;
    EXPECT_EQ(s.FirstOutside(r), "") << row.name;
  }
}

TEST(PainterScrollBars, DisabledThumbPaintsNothing) {
  for (const TcxLookAndFeelPainterClass p : {Standard(), Flat(), UltraFlat()})
    for (const bool horizontal : {false, true}) {
      Surface s(30, 30);
      p->PaintScrollBarPart(&s.canvas, horizontal, bpsDisabled, sbpThumbnail, TRect(2, 2, 20, 18));
      EXPECT_EQ(s.FirstOutside(TRect()), "") << int(p->StyleId());
    }
}

TEST(PainterScrollBars, HotIsNormalForStandardAndFlatOnly) {
  for (const TcxLookAndFeelPainterClass p : {Standard(), Flat(), UltraFlat()})
    for (const TcxScrollBarPaintPart part : {sbpLineUp, sbpLineDown, sbpThumbnail})
      for (const bool horizontal : {false, true}) {
        Surface hot(24, 24), normal(24, 24);
        const TRect r(2, 2, 19, 19);
        p->PaintScrollBarPart(&hot.canvas, horizontal, bpsHot, part, r);
        p->PaintScrollBarPart(&normal.canvas, horizontal, bpsNormal, part, r);
        const bool hotTracks = p == UltraFlat();
        EXPECT_EQ(hot.SameAs(normal), !hotTracks) << int(p->StyleId()) << " part " << int(part);
        if (hotTracks) {
          EXPECT_EQ(hot.At(3, 3), Rgb(GetLightHotColor()));
        }
      }
}

// The standard arrow button: the platform's frame control (moved by one pixel
// and flat when pressed), under the scroll bar's own two-ring frame.
TEST(PainterScrollBars, StandardArrowIsTheFrameControlUnderItsFrame) {
  struct Row {
    TcxButtonPaintState state;
    win::UINT extraFlags;
    std::pair<TColor, TColor> outer, inner;
  };
  const Row rows[] = {
      {bpsNormal, 0, {clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}},
      {bpsDisabled, win::DFCS_INACTIVE, {clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}},
      {bpsPressed, win::DFCS_FLAT, {clBtnShadow, clBtnShadow}, {clBtnFace, clBtnFace}},
  };
  struct Arrow {
    bool horizontal;
    TcxScrollBarPaintPart part;
    win::UINT kind;
  };
  const Arrow arrows[] = {{false, sbpLineUp, win::DFCS_SCROLLUP},
                          {false, sbpLineDown, win::DFCS_SCROLLDOWN},
                          {true, sbpLineUp, win::DFCS_SCROLLLEFT},
                          {true, sbpLineDown, win::DFCS_SCROLLRIGHT}};
  for (const Row& row : rows)
    for (const Arrow& a : arrows) {
      Surface s(30, 30), want(30, 30);
      const TRect r(4, 4, 21, 21);
      Standard()->PaintScrollBarPart(&s.canvas, a.horizontal, row.state, a.part, r);
      TRect moved = r;
      if (row.state == bpsPressed) moved.Offset(1, 1);
      win::RECT rc = moved;
      win::DrawFrameControl(want.bmp.Canvas()->Handle(), &rc, win::DFC_SCROLL, a.kind | row.extraFlags);
      const Ring outer = RingAt(s, r, 0), inner = RingAt(s, r, 1);
      EXPECT_EQ(outer.left, Rgb(row.outer.first));
      EXPECT_EQ(outer.bottom, Rgb(row.outer.second));
      EXPECT_EQ(inner.top, Rgb(row.inner.first));
      EXPECT_EQ(inner.right, Rgb(row.inner.second));
      for (int32_t y = r.Top + 2; y < r.Bottom - 2; ++y)
        for (int32_t x = r.Left + 2; x < r.Right - 2; ++x)
          ASSERT_EQ(s.At(x, y), want.At(x, y)) << int(row.state) << " kind " << a.kind << " at " << x << "," << y;
      EXPECT_EQ(s.FirstOutside(r), "") << int(row.state);
    }
}

// Flat arrows sit inside the button frame and move when pressed; ultra-flat
// arrows take the whole button and never move.
TEST(PainterScrollBars, ArrowRectOfFlatAndUltraFlat) {
  struct Row {
    const char* name;
    TcxLookAndFeelPainterClass painter;
    TcxButtonPaintState state;
    TColor glyph;
    TRect arrowRect;
  };
  const TRect r(3, 3, 22, 22);
  const Row rows[] = {
      {"flat normal", Flat(), bpsNormal, clBtnText, TRect(4, 4, 21, 21)},
      {"flat pressed", Flat(), bpsPressed, clBtnText, TRect(5, 5, 22, 22)},
      {"ultra-flat pressed", UltraFlat(), bpsPressed, clHighlightText, r},
  };
  for (const Row& row : rows) {
    Surface s(26, 26);
    row.painter->PaintScrollBarPart(&s.canvas, false, row.state, sbpLineDown, r);
    Surface want(26, 26);
    const TcxArrowPoints p = TcxCustomLookAndFeelPainter::ArrowTrianglePoints(row.arrowRect, 0, true, adDown);
    want.canvas.Brush()->SetColor(row.glyph);
    want.canvas.Pen()->SetColor(row.glyph);
    want.canvas.Polygon(p.data(), 3);
    EXPECT_EQ(s.Where(row.glyph), want.Where(row.glyph)) << row.name;
  }
}

TEST(PainterScrollBars, UltraFlatPressedButtonColours) {
  Surface s(26, 26);
  const TRect r(3, 3, 22, 22);
  UltraFlat()->PaintScrollBarPart(&s.canvas, true, bpsPressed, sbpLineUp, r);
  EXPECT_EQ(RingAt(s, r, 0).left, Rgb(clHighlight));
  EXPECT_EQ(s.At(4, 4), Rgb(GetLightDownColor()));
  EXPECT_FALSE(s.Where(clHighlightText).empty());
}

TEST(PainterScrollBars, PageAreasTileTheCheckerOfTheirState) {
  for (const TcxLookAndFeelPainterClass p : {Standard(), Flat(), UltraFlat()})
    for (const TcxButtonPaintState state : {bpsNormal, bpsPressed}) {
      TBitmap* checker = cxCheckerBitmap(state == bpsPressed ? 1 : 0);
      ASSERT_NE(checker, nullptr);
      Surface s(30, 30);
      const TRect r(3, 5, 27, 22);
      p->PaintScrollBarPart(&s.canvas, false, state, sbpPageDown, r);
      for (int32_t y = r.Top; y < r.Bottom; ++y)
        for (int32_t x = r.Left; x < r.Right; ++x)
          ASSERT_EQ(s.At(x, y), TColor(win::GetPixel(checker->Canvas()->Handle(), x % 8, y % 8)))
              << int(p->StyleId()) << " at " << x << "," << y;
      EXPECT_EQ(s.FirstOutside(r), "");
    }
}

// The sort arrow's shape: w x h, centred; the apex two pixels wide for an even
// width; the base filled; the legs light on the right, dark on the left.
TEST(PainterSortArrow, ShapeAndColours) {
  for (const TcxLookAndFeelPainterClass p : {Standard(), UltraFlat()})
    for (const bool ascending : {true, false}) {
      Surface s(21, 21);
      const TRect r(0, 0, 21, 21);
      p->PaintSortArrow(&s.canvas, r, ascending);
      const TPoint size = p->SortArrowSize();
      const int32_t w = size.X, h = size.Y;
      std::vector<TPoint> ink;
      for (int32_t y = 0; y < 21; ++y)
        for (int32_t x = 0; x < 21; ++x)
          if (s.At(x, y) != kPaper) ink.push_back({x, y});
      ASSERT_FALSE(ink.empty());
      int32_t x0 = 99, x1 = -1, y0 = 99, y1 = -1;
      for (const TPoint& q : ink) {
        x0 = std::min(x0, q.X), x1 = std::max(x1, q.X), y0 = std::min(y0, q.Y), y1 = std::max(y1, q.Y);
      }
      EXPECT_EQ(x1 - x0 + 1, w) << int(p->StyleId()) << ascending;
      EXPECT_EQ(y1 - y0 + 1, h) << int(p->StyleId()) << ascending;
      EXPECT_LE(std::abs((x0 + x1 + 1) - 21), 2);
      EXPECT_LE(std::abs((y0 + y1 + 1) - 21), 1);
      const int32_t apexRow = ascending ? y0 : y1, baseRow = ascending ? y1 : y0;
      int32_t apexCount = 0, baseCount = 0;
      for (const TPoint& q : ink) {
        apexCount += q.Y == apexRow;
        baseCount += q.Y == baseRow;
      }
      EXPECT_EQ(apexCount, w % 2 == 0 ? 2 : 1) << int(p->StyleId()) << ascending;
      EXPECT_EQ(baseCount, w) << int(p->StyleId()) << ascending;
      if (p == Standard()) {
        // Right leg light, left leg dark; the base light ascending, dark descending.
        const int32_t mid = (x0 + x1) / 2;
        EXPECT_EQ(s.At(mid, baseRow), Rgb(ascending ? clBtnHighlight : clBtnShadow)) << ascending;
        for (const TPoint& q : ink) {
          if (q.Y == baseRow) continue;
          if (q.X <= mid - 1) {
            EXPECT_EQ(s.At(q.X, q.Y), Rgb(clBtnShadow)) << q.X << "," << q.Y;
          } else if (q.X >= mid + 2) {
            EXPECT_EQ(s.At(q.X, q.Y), Rgb(clBtnHighlight)) << q.X << "," << q.Y;
          }
        }
      } else {
        EXPECT_EQ(s.Where(clBtnShadow).size(), ink.size());
      }
    }
}

TEST(PainterTabs, SideStripsOfClassicAndUltraFlatTabs) {
  struct Row {
    const char* name;
    TcxLookAndFeelPainterClass painter;
    bool vertical;
    TcxBorder side;
    TcxBorders borders;
    TRect rect, strip;
    TColor color;
    std::vector<TPoint> corners;  // clBtnHighlight
  };
  const std::vector<Row> rows = {
      {"vertical left", Standard(), true, bLeft, {bTop, bBottom}, {5, 5, 6, 25}, {5, 7, 6, 23}, clBtnHighlight,
       {{6, 6}, {6, 23}}},
      {"vertical left, no borders", Flat(), true, bLeft, {}, {5, 5, 6, 25}, {5, 6, 6, 24}, clBtnHighlight,
       {{6, 5}, {6, 24}}},
      {"vertical top", Standard(), true, bTop, {bLeft}, {5, 5, 25, 6}, {6, 5, 25, 6}, clBtnHighlight, {}},
      {"vertical bottom", Standard(), true, bBottom, {bLeft}, {5, 20, 25, 21}, {6, 20, 25, 21}, clBtnShadow, {}},
      {"horizontal left", Standard(), false, bLeft, {bTop, bBottom}, {5, 5, 6, 25}, {5, 7, 6, 24}, clBtnHighlight, {}},
      {"horizontal right", Flat(), false, bRight, {bTop}, {24, 5, 25, 25}, {24, 7, 25, 25}, clBtnShadow, {}},
      {"horizontal top", Standard(), false, bTop, {}, {5, 5, 25, 6}, {6, 5, 24, 6}, clBtnHighlight, {{5, 6}, {24, 6}}},
      {"ultra-flat horizontal right", UltraFlat(), false, bRight, {bTop}, {24, 5, 25, 25}, {24, 5, 25, 24}, clBtnText,
       {}},
      {"ultra-flat vertical bottom", UltraFlat(), true, bBottom, {bLeft}, {5, 20, 25, 21}, {5, 20, 25, 21}, clBtnText,
       {}},
      {"ultra-flat horizontal top", UltraFlat(), false, bTop, {}, {5, 5, 25, 6}, {5, 5, 25, 6}, clBtnShadow, {}},
  };
  for (const Row& row : rows) {
    Surface s(30, 30);
    row.painter->PaintTabFrame(&s.canvas, row.rect, row.vertical, row.borders, row.side);
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 30; ++x) {
        TColor want = kPaper;
        if (row.strip.Contains({x, y})) want = Rgb(row.color);
        if (std::find(row.corners.begin(), row.corners.end(), TPoint{x, y}) != row.corners.end())
          want = Rgb(clBtnHighlight);
        ASSERT_EQ(s.At(x, y), want) << row.name << " at " << x << "," << y;
      }
  }
}

TEST(PainterMarkedHeader, NeighboursChooseTheBlackBorders) {
  struct Row {
    uint8_t neighbours;
    TcxBorders black;
  };
  const Row rows[] = {{0, cxBordersAll},
                      {4, {bLeft, bTop, bBottom}},
                      {1, {bTop, bRight, bBottom}},
                      {5, {bTop, bBottom}},
                      {2, cxBordersAll}};
  for (const Row& row : rows) {
    Surface s(44, 24);
    const TRect r(2, 2, 40, 20);
    Standard()->PaintMarkedHeader(&s.canvas, r, {}, {nullptr, TColor(0xFFFFFF)}, clWindowText, nullptr, {},
                                  row.neighbours, 2, 0);
    const Ring edge = RingAt(s, r, 0);
    EXPECT_EQ(edge.left == kBlack, row.black.Contains(bLeft)) << int(row.neighbours);
    EXPECT_EQ(edge.top == kBlack, row.black.Contains(bTop)) << int(row.neighbours);
    EXPECT_EQ(edge.right == kBlack, row.black.Contains(bRight)) << int(row.neighbours);
    EXPECT_EQ(edge.bottom == kBlack, row.black.Contains(bBottom)) << int(row.neighbours);
    EXPECT_EQ(s.At(20, 11), TColor(0xFFFFFF)) << int(row.neighbours);
    EXPECT_EQ(s.FirstOutside(r), "");
  }
}

TEST(PainterSplitter, LinePairsThenTheFill) {
  struct Row {
    const char* name;
    TcxLookAndFeelPainterClass painter;
    bool horizontal;
    std::vector<TColor> lines;  // by depth from the outside: first side, then the opposite
  };
  const TColor fill = 0x123456;
  const std::vector<Row> rows = {
      {"standard horizontal", Standard(), true, {clBtnFace, cl3DDkShadow, clBtnHighlight, clBtnShadow}},
      {"standard vertical", Standard(), false, {clBtnFace, cl3DDkShadow, clBtnHighlight, clBtnShadow}},
      {"flat horizontal", Flat(), true, {clBtnHighlight, clBtnShadow}},
      {"ultra-flat vertical", UltraFlat(), false, {clBtnShadow, clBtnShadow}},
  };
  for (const Row& row : rows) {
    Surface s(24, 24);
    const TRect r = row.horizontal ? TRect(2, 2, 22, 8) : TRect(2, 2, 8, 22);
    row.painter->PaintSplitterFrame(&s.canvas, r, row.horizontal, {nullptr, fill});
    const int32_t pairs = int32_t(row.lines.size()) / 2;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      for (int32_t x = r.Left; x < r.Right; ++x) {
        const int32_t depthFirst = row.horizontal ? y - r.Top : x - r.Left;
        const int32_t depthSecond = row.horizontal ? r.Bottom - 1 - y : r.Right - 1 - x;
        TColor want = fill;
        if (depthFirst < pairs) want = Rgb(row.lines[2 * depthFirst]);
        if (depthSecond < pairs) want = Rgb(row.lines[2 * depthSecond + 1]);
        ASSERT_EQ(s.At(x, y), want) << row.name << " at " << x << "," << y;
      }
    EXPECT_EQ(s.FirstOutside(r), "") << row.name;
  }
}

TEST(PainterBorrowedParts, StandardGroupExpandButtonHasTheFlatFrame) {
  for (const bool expanded : {false, true}) {
    Surface standard(24, 24), flat(24, 24);
    const TRect r(2, 2, 19, 19);
    Standard()->PaintGroupExpandButton(&standard.canvas, r, bpsNormal, expanded);
    Flat()->PaintGroupExpandButton(&flat.canvas, r, bpsNormal, expanded);
    EXPECT_TRUE(standard.SameAs(flat));
    EXPECT_EQ(RingAt(standard, r, 0).left, Rgb(clBtnHighlight));
    EXPECT_EQ(RingAt(standard, r, 1).left, Rgb(clBtnFace));
  }
}

TEST(UltraFlatPainter, GroupedButtonFrameWidths) {
  struct Row {
    int32_t count, index;
    TRect widths;
  };
  const Row rows[] = {{3, 0, {2, 2, 1, 2}}, {3, 1, {1, 2, 1, 2}}, {3, 2, {1, 2, 2, 2}}, {1, 0, {2, 2, 1, 2}}};
  for (const Row& row : rows) {
    const TRect w = UltraFlat()->GroupedButtonFrameWidths(row.count, row.index);
    EXPECT_EQ(w, row.widths) << row.count << " " << row.index;
  }
}

TEST(UltraFlatPainter, StatusSeparatorLightensTheShadowByAThird) {
  Surface s(10, 10);
  UltraFlat()->PaintStatusSeparator(&s.canvas, TRect(2, 2, 4, 8));
  const TColor shadow = Rgb(clBtnShadow);
  auto third = [](int v) { return v + (255 - v) / 3; };
  const TColor want = RGBColor(uint8_t(third(GetRValue(shadow))), uint8_t(third(GetGValue(shadow))),
                               uint8_t(third(GetBValue(shadow))));
  EXPECT_NE(want, shadow);
  EXPECT_EQ(s.At(3, 5), want);
  EXPECT_EQ(s.FirstOutside(TRect(2, 2, 4, 8)), "");
}

TEST(UltraFlatPainter, CloseCrossNeverMovesWhenPressed) {
  Surface normal(24, 24), pressed(24, 24);
  const TRect r(2, 2, 18, 17);
  UltraFlat()->PaintCloseButton(&normal.canvas, r, bpsNormal);
  UltraFlat()->PaintCloseButton(&pressed.canvas, r, bpsPressed);
  // The glyph is clBtnText when normal, clHighlightText when pressed; only the
  // inside counts, where the frame does not reach.
  auto glyph = [&](Surface& s, TColor color) {
    std::vector<TPoint> v;
    for (const TPoint& q : s.Where(color))
      if (q.X > r.Left && q.X < r.Right - 1 && q.Y > r.Top && q.Y < r.Bottom - 1) v.push_back(q);
    return v;
  };
  const std::vector<TPoint> n = glyph(normal, clBtnText), p = glyph(pressed, clHighlightText);
  EXPECT_FALSE(n.empty());
  EXPECT_EQ(n, p);
  EXPECT_EQ(pressed.At(r.Left + 1, r.Top + 1), Rgb(GetLightDownColor()));
}

TEST(UltraFlatPainter, ToolButtonFramedOnlyWhenHotOrPressed) {
  for (const TcxButtonPaintState state : {bpsNormal, bpsHot, bpsPressed, bpsDisabled}) {
    Surface s(24, 24);
    const TRect r(2, 2, 20, 20);
    UltraFlat()->PaintToolButton(&s.canvas, r, state);
    const bool framed = state == bpsHot || state == bpsPressed;
    EXPECT_EQ(s.At(2, 10), Rgb(framed ? clHighlight : UltraFlat()->ButtonFaceColor(state))) << int(state);
  }
}

// Every drawing operation keeps to its rectangle, however degenerate.
TEST(PainterDrawing, DegenerateRectanglesDrawNothingOutside) {
  using Op = std::function<void(TcxLookAndFeelPainterClass, TcxCanvas*, const TRect&)>;
  const TcxViewParams params{nullptr, TColor(0xFFFFFF)};
  const std::vector<std::pair<const char*, Op>> ops = {
      {"ControlFrame", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintControlFrame(c, r); }},
      {"ButtonFrame default", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintButtonFrame(c, r, bpsDefault); }},
      {"ButtonFrame pressed", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintButtonFrame(c, r, bpsPressed); }},
      {"ExpandBox", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintExpandBox(c, r, clDefault, false); }},
      {"GroupExpandButton",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintGroupExpandButton(c, r, bpsHot, true); }},
      {"CheckFrame", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintCheckFrame(c, r, bpsNormal); }},
      {"HeaderFrame", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintHeaderFrame(c, r, cxBordersAll, 5); }},
      {"HeaderSectionFrame",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintHeaderSectionFrame(c, r, bpsNormal, cxBordersAll); }},
      {"SortArrow", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintSortArrow(c, r, false); }},
      {"PanelFrame", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintPanelFrame(c, r); }},
      {"PanelCellFrame", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintPanelCellFrame(c, r); }},
      {"DropDownButton",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintDropDownButton(c, r, bpsPressed, true); }},
      {"TabFrame", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintTabFrame(c, r, true, cxBordersAll, bLeft); }},
      {"TabFrame top", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintTabFrame(c, r, false, {}, bTop); }},
      {"TabsRoot", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintTabsRoot(c, r, false, cxBordersAll); }},
      {"ScrollBar arrow pressed",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintScrollBarPart(c, false, bpsPressed, sbpLineDown, r); }},
      {"ScrollBar thumb",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintScrollBarPart(c, true, bpsNormal, sbpThumbnail, r); }},
      {"ScrollBar page",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintScrollBarPart(c, true, bpsPressed, sbpPageUp, r); }},
      {"MarkedHeader",
       [&](auto p, TcxCanvas* c, const TRect& r) { p->PaintMarkedHeader(c, r, {}, params, 0, nullptr, "A", 5, 2, 3); }},
      {"SplitterFrame", [&](auto p, TcxCanvas* c, const TRect& r) { p->PaintSplitterFrame(c, r, true, params); }},
      {"GroupBoxFrame",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintGroupBoxFrame(c, r, cxBordersAll, 0, true); }},
      {"GroupedButton",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintGroupedButton(c, r, bpsHot, 1, 3); }},
      {"NavigationButton",
       [](auto p, TcxCanvas* c, const TRect& r) { p->PaintNavigationButton(c, r, r, false, bpsHot); }},
      {"ToolButton", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintToolButton(c, r, bpsPressed); }},
      {"StatusSeparator", [](auto p, TcxCanvas* c, const TRect& r) { p->PaintStatusSeparator(c, r); }},
      {"CaptionBar",
       [](auto p, TcxCanvas* c, const TRect& r) {
         TRect w = r;
         p->PaintCaptionBar(c, w);
       }},
  };
  const TRect rects[] = {{10, 10, 10, 10}, {20, 20, 10, 10}, {10, 10, 11, 11}, {10, 10, 12, 30}, {10, 10, 30, 13}};
  for (const TcxLookAndFeelPainterClass p : {Standard(), Flat(), UltraFlat()})
    for (const auto& [name, op] : ops)
      for (const TRect& r : rects) {
        Surface s(40, 40);
        op(p, &s.canvas, r);
        EXPECT_EQ(s.FirstOutside(r), "") << int(p->StyleId()) << " " << name << " in " << r.Left << "," << r.Top
                                          << "," << r.Right << "," << r.Bottom;
      }
}

}  // namespace
