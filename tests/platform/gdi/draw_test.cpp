// Lines, figures, brushes and rectangle fills against the platform's pixel rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "platform/gdi/gdi.h"
#include "tests/support/surface_png.h"

using namespace win;
using testsupport::RawOf;
using testsupport::TestCanvas;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255),
                   kBlack = RGB(0, 0, 0), kGreen = RGB(0, 255, 0);

// Selects a pen and a brush for the life of the object and deletes them after.
struct Tools {
  HDC dc;
  HGDIOBJ oldPen, oldBrush;
  HPEN pen;
  HBRUSH brush;
  Tools(HDC d, HPEN p, HBRUSH b) : dc(d), pen(p), brush(b) {
    oldPen = SelectObject(dc, pen);
    oldBrush = SelectObject(dc, brush);
  }
  ~Tools() {
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
  }
};

}  // namespace

TEST(Draw, RectangleCoversLeftTopInclusiveRightBottomExclusive) {
  TestCanvas c(12, 12);
  Tools t(c.Dc(), CreatePen(PS_SOLID, 1, kBlack), CreateSolidBrush(kRed));
  ASSERT_TRUE(Rectangle(c.Dc(), 0, 0, 10, 10));
  testsupport::SavePngIfAsked(c.Bitmap(), "rectangle");
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      bool inFigure = x < 10 && y < 10;
      bool edge = inFigure && (x == 0 || y == 0 || x == 9 || y == 9);
      uint32_t want = !inFigure ? RawOf(kWhite) : edge ? RawOf(kBlack) : RawOf(kRed);
      ASSERT_EQ(c.Rgb(x, y), want) << x << "," << y;
    }
}

TEST(Draw, NullPenShrinksFiguresByOnePixelAtRightAndBottom) {
  TestCanvas c(12, 12);
  Tools t(c.Dc(), static_cast<HPEN>(GetStockObject(NULL_PEN)), CreateSolidBrush(kRed));
  ASSERT_TRUE(Rectangle(c.Dc(), 0, 0, 10, 10));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(c.Rgb(x, y), (x < 9 && y < 9) ? RawOf(kRed) : RawOf(kWhite)) << x << "," << y;
}

TEST(Draw, LineToDrawsStartExcludesEndAndOnePixelPerMajorStep) {
  struct Case {
    TPoint a, b;
  } cases[] = {{{0, 0}, {9, 0}}, {{9, 4}, {0, 4}}, {{3, 0}, {3, 9}}, {{0, 0}, {7, 7}},
               {{1, 1}, {11, 4}}, {{10, 9}, {2, 1}}, {{2, 11}, {5, 0}}};
  for (const Case& k : cases) {
    TestCanvas c(14, 14);
    MoveToEx(c.Dc(), k.a.X, k.a.Y, nullptr);
    ASSERT_TRUE(LineTo(c.Dc(), k.b.X, k.b.Y));
    int dx = std::abs(k.b.X - k.a.X), dy = std::abs(k.b.Y - k.a.Y);
    int drawn = 0;
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 14; ++x) drawn += c.Rgb(x, y) == 0;
    EXPECT_EQ(drawn, std::max(dx, dy)) << k.a.X << "," << k.a.Y << " -> " << k.b.X << "," << k.b.Y;
    EXPECT_EQ(c.Rgb(k.a.X, k.a.Y), 0u);
    EXPECT_EQ(c.Rgb(k.b.X, k.b.Y), RawOf(kWhite));
    // Every pixel lies within half a pixel of the ideal line, measured across the major axis.
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 14; ++x) {
        if (c.Rgb(x, y)) continue;
        if (dx >= dy) {
          double ideal = k.a.Y + double(x - k.a.X) * (k.b.Y - k.a.Y) / (k.b.X - k.a.X);
          EXPECT_LE(std::abs(y - ideal), 0.5) << x << "," << y;
        } else {
          double ideal = k.a.X + double(y - k.a.Y) * (k.b.X - k.a.X) / (k.b.Y - k.a.Y);
          EXPECT_LE(std::abs(x - ideal), 0.5) << x << "," << y;
        }
      }
    POINT cur;
    GetCurrentPositionEx(c.Dc(), &cur);
    EXPECT_EQ(cur, k.b);
  }
}

TEST(Draw, NotRopTwiceRestoresEveryPixel) {
  TestCanvas c(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) c.At(x, y) = uint32_t(x * 6 + (y * 5 << 8) + ((x ^ y) << 19));
  const auto before = c.Pixels();
  Tools t(c.Dc(), CreatePen(PS_SOLID, 1, kRed), CreateHatchBrush(HS_DIAGCROSS, kBlue));
  SetROP2(c.Dc(), R2_NOT);
  POINT star[] = {{20, 2}, {30, 36}, {2, 14}, {38, 14}, {9, 36}};
  auto drawAll = [&] {
    Rectangle(c.Dc(), 1, 1, 15, 12);
    Ellipse(c.Dc(), 18, 3, 37, 17);
    RoundRect(c.Dc(), 3, 20, 17, 38, 6, 6);
    Polygon(c.Dc(), star, 5);
    MoveToEx(c.Dc(), 0, 39, nullptr);
    LineTo(c.Dc(), 39, 21);
  };
  drawAll();
  EXPECT_EQ(c.At(1, 1), ~before[size_t(1 * 40 + 1)]);  // a pen pixel is inverted, alpha included
  EXPECT_NE(c.Pixels(), before);
  drawAll();
  EXPECT_EQ(c.Pixels(), before);
}

TEST(Draw, EllipseIsSymmetricAndTouchesItsBounds) {
  const TSize sizes[] = {{1, 1}, {2, 2}, {3, 5}, {8, 8}, {9, 4}, {16, 11}, {25, 25}, {30, 7}};
  for (TSize sz : sizes) {
    TestCanvas c(40, 40);
    Tools t(c.Dc(), CreatePen(PS_SOLID, 1, kBlack), CreateSolidBrush(kRed));
    const int l = 3, tp = 4, r = l + sz.cx, b = tp + sz.cy;
    ASSERT_TRUE(Ellipse(c.Dc(), l, tp, r, b));
    bool touchesLeft = false, touchesTop = false;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        uint32_t v = c.Rgb(x, y);
        if (x < l || x >= r || y < tp || y >= b) {
          ASSERT_EQ(v, RawOf(kWhite)) << sz.cx << "x" << sz.cy << " at " << x << "," << y;
          continue;
        }
        ASSERT_EQ(v, c.Rgb(l + r - 1 - x, y)) << "mirror x, " << sz.cx << "x" << sz.cy;
        ASSERT_EQ(v, c.Rgb(x, tp + b - 1 - y)) << "mirror y, " << sz.cx << "x" << sz.cy;
        touchesLeft |= x == l && v == 0;
        touchesTop |= y == tp && v == 0;
      }
    EXPECT_TRUE(touchesLeft && touchesTop) << sz.cx << "x" << sz.cy;
    if (sz.cx >= 5 && sz.cy >= 5) {
      EXPECT_EQ(c.Rgb(l + sz.cx / 2, tp + sz.cy / 2), RawOf(kRed));
    }
  }
}

namespace {

// Winding number of point (x, y) for a closed polygon, by signed crossings.
int Winding(const POINT* p, int n, double x, double y) {
  int w = 0;
  for (int i = 0; i < n; ++i) {
    POINT a = p[i], b = p[(i + 1) % n];
    if (a.Y <= y && b.Y > y && (b.X - a.X) * (y - a.Y) - (x - a.X) * (b.Y - a.Y) > 0) ++w;
    if (a.Y > y && b.Y <= y && (b.X - a.X) * (y - a.Y) - (x - a.X) * (b.Y - a.Y) < 0) --w;
  }
  return w;
}
double DistToSegment(POINT a, POINT b, double x, double y) {
  double dx = b.X - a.X, dy = b.Y - a.Y;
  double t = std::clamp(((x - a.X) * dx + (y - a.Y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(a.X + t * dx - x, a.Y + t * dy - y);
}

}  // namespace

TEST(Draw, PolygonAlternateLeavesTheStarCentreEmptyWindingFillsIt) {
  POINT star[] = {{30, 2}, {48, 56}, {2, 22}, {58, 22}, {12, 56}};
  for (int mode : {ALTERNATE, WINDING}) {
    TestCanvas c(60, 60);
    Tools t(c.Dc(), static_cast<HPEN>(GetStockObject(NULL_PEN)), CreateSolidBrush(kRed));
    EXPECT_EQ(SetPolyFillMode(c.Dc(), mode), ALTERNATE);
    ASSERT_TRUE(Polygon(c.Dc(), star, 5));
    testsupport::SavePngIfAsked(c.Bitmap(), mode == WINDING ? "star_winding" : "star_alternate");
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x) {
        double d = 1e9;
        for (int i = 0; i < 5; ++i) d = std::min(d, DistToSegment(star[i], star[(i + 1) % 5], x, y));
        if (d < 1.0) continue;  // edge pixels follow the fill convention, checked elsewhere
        int w = Winding(star, 5, x, y);
        bool inside = mode == WINDING ? w != 0 : (w & 1);
        ASSERT_EQ(c.Rgb(x, y), inside ? RawOf(kRed) : RawOf(kWhite)) << x << "," << y;
      }
    EXPECT_EQ(c.Rgb(30, 32), mode == WINDING ? RawOf(kRed) : RawOf(kWhite));
  }
}

TEST(Draw, HatchBrushesDrawTheirLinesEightPixelsApart) {
  struct Case {
    int style;
    bool horizontal, vertical, fdiag, bdiag;
  } cases[] = {{HS_HORIZONTAL, true, false, false, false}, {HS_VERTICAL, false, true, false, false},
               {HS_FDIAGONAL, false, false, true, false},  {HS_BDIAGONAL, false, false, false, true},
               {HS_CROSS, true, true, false, false},       {HS_DIAGCROSS, false, false, true, true}};
  for (const Case& k : cases) {
    TestCanvas c(24, 24);
    HBRUSH br = CreateHatchBrush(k.style, kRed);
    SetBkColor(c.Dc(), kBlue);
    RECT r{0, 0, 24, 24};
    ASSERT_TRUE(FillRect(c.Dc(), &r, br));
    // Find the line offsets from the first 8 x 8 cell, then demand the structure everywhere.
    auto on = [&](int x, int y) { return c.Rgb(x, y) == RawOf(kRed); };
    int hRow = -1, vCol = -1, fOff = -1, bOff = -1;
    for (int i = 0; i < 8; ++i) {
      bool fullRow = true, fullCol = true, fdiag = true, bdiag = true;
      for (int j = 0; j < 8; ++j) {
        fullRow &= on(j, i);
        fullCol &= on(i, j);
        fdiag &= on((i + j) % 8, j);
        bdiag &= on(((i - j) % 8 + 8) % 8, j);
      }
      if (fullRow) hRow = i;
      if (fullCol) vCol = i;
      if (fdiag) fOff = i;
      if (bdiag) bOff = i;
    }
    EXPECT_EQ(hRow >= 0, k.horizontal) << k.style;
    EXPECT_EQ(vCol >= 0, k.vertical) << k.style;
    EXPECT_EQ(fOff >= 0, k.fdiag) << k.style;
    EXPECT_EQ(bOff >= 0, k.bdiag) << k.style;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        bool want = (k.horizontal && y % 8 == hRow) || (k.vertical && x % 8 == vCol) ||
                    (k.fdiag && ((x - y) % 8 + 8) % 8 == fOff) || (k.bdiag && (x + y) % 8 == bOff);
        ASSERT_EQ(c.Rgb(x, y), want ? RawOf(kRed) : RawOf(kBlue)) << k.style << " at " << x << "," << y;
      }
    DeleteObject(br);
  }
}

TEST(Draw, HatchGapsKeepTheDestinationInTransparentModeAndFollowTheBrushOrigin) {
  TestCanvas ref(16, 16, RawOf(kGreen)), shifted(16, 16, RawOf(kGreen));
  HBRUSH br = CreateHatchBrush(HS_CROSS, kRed);
  RECT r{0, 0, 16, 16};
  SetBkMode(ref.Dc(), TRANSPARENT);
  SetBkMode(shifted.Dc(), TRANSPARENT);
  FillRect(ref.Dc(), &r, br);
  SetBrushOrgEx(shifted.Dc(), 3, 2, nullptr);
  FillRect(shifted.Dc(), &r, br);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t v = ref.Rgb(x, y);
      EXPECT_TRUE(v == RawOf(kRed) || v == RawOf(kGreen));
      EXPECT_EQ(shifted.Rgb(x, y), ref.Rgb((x - 3 + 16) % 16, (y - 2 + 16) % 16)) << x << "," << y;
    }
  DeleteObject(br);
}

TEST(Draw, MonochromePatternBrushUsesTextAndBackgroundColours) {
  // Each row one byte and a pad byte: rows of device bitmaps are even-length.
  const uint8_t rows[16] = {0xAA, 0, 0x55, 0, 0xF0, 0, 0x0F, 0, 0x81, 0, 0x42, 0, 0x24, 0, 0x18, 0};
  HBITMAP bmp = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH br = CreatePatternBrush(bmp);
  TestCanvas c(16, 16);
  SetTextColor(c.Dc(), kRed);
  SetBkColor(c.Dc(), kBlue);
  RECT r{0, 0, 16, 16};
  FillRect(c.Dc(), &r, br);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool bit = (rows[(y % 8) * 2] >> (7 - x % 8)) & 1;
      ASSERT_EQ(c.Rgb(x, y), bit ? RawOf(kBlue) : RawOf(kRed)) << x << "," << y;
    }
  DeleteObject(br);
  DeleteObject(bmp);
}

TEST(Draw, DottedPenAlternatesThreeOnThreeOffAndFillsGapsOnlyWhenOpaque) {
  for (int mode : {OPAQUE, TRANSPARENT}) {
    TestCanvas c(20, 1, RawOf(kGreen));
    HPEN pen = CreatePen(PS_DOT, 1, kRed);
    HGDIOBJ old = SelectObject(c.Dc(), pen);
    SetBkMode(c.Dc(), mode);
    SetBkColor(c.Dc(), kBlue);
    MoveToEx(c.Dc(), 0, 0, nullptr);
    LineTo(c.Dc(), 20, 0);
    for (int x = 0; x < 20; ++x) {
      bool dash = (x / 3) % 2 == 0;
      uint32_t gap = mode == OPAQUE ? RawOf(kBlue) : RawOf(kGreen);
      EXPECT_EQ(c.Rgb(x, 0), dash ? RawOf(kRed) : gap) << x;
    }
    SelectObject(c.Dc(), old);
    DeleteObject(pen);
  }
}

TEST(Draw, WidePenIsCentredOnTheLine) {
  TestCanvas c(20, 10);
  HPEN pen = CreatePen(PS_SOLID, 3, kRed);
  HGDIOBJ old = SelectObject(c.Dc(), pen);
  MoveToEx(c.Dc(), 5, 5, nullptr);
  LineTo(c.Dc(), 15, 5);
  for (int x = 6; x < 15; ++x)
    for (int y = 0; y < 10; ++y) EXPECT_EQ(c.Rgb(x, y), (y >= 4 && y <= 6) ? RawOf(kRed) : RawOf(kWhite)) << x << "," << y;
  SelectObject(c.Dc(), old);
  DeleteObject(pen);
}

TEST(Draw, FocusRectInvertsEveryOtherFramePixelAndUndoesItself) {
  TestCanvas c(12, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) c.At(x, y) = uint32_t(0x102030 * (x + 1) + y);
  const auto before = c.Pixels();
  RECT r{1, 1, 11, 9};
  ASSERT_TRUE(DrawFocusRect(c.Dc(), &r));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      bool frame = x >= 1 && x < 11 && y >= 1 && y < 9 && (x == 1 || x == 10 || y == 1 || y == 8);
      bool dot = frame && ((x - 1) + (y - 1)) % 2 == 0;
      uint32_t was = before[size_t(y * 12 + x)];
      EXPECT_EQ(c.At(x, y), dot ? (was ^ 0x00FFFFFFu) : was) << x << "," << y;
    }
  DrawFocusRect(c.Dc(), &r);
  EXPECT_EQ(c.Pixels(), before);
}

TEST(Draw, FrameRectFillRectAndInvertRect) {
  TestCanvas c(10, 10);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{2, 2, 8, 7};
  ASSERT_EQ(FrameRect(c.Dc(), &r, red), 1);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      bool frame = x >= 2 && x < 8 && y >= 2 && y < 7 && (x == 2 || x == 7 || y == 2 || y == 6);
      ASSERT_EQ(c.Rgb(x, y), frame ? RawOf(kRed) : RawOf(kWhite));
    }
  // A system colour index + 1 stands for that colour's brush.
  RECT all{0, 0, 10, 10};
  ASSERT_EQ(FillRect(c.Dc(), &all, reinterpret_cast<HBRUSH>(uintptr_t(5 + 1))), 1);  // COLOR_WINDOW: white
  EXPECT_EQ(c.Rgb(2, 2), RawOf(kWhite));
  ASSERT_TRUE(InvertRect(c.Dc(), &r));
  EXPECT_EQ(c.Rgb(3, 3), 0u);
  EXPECT_EQ(c.Rgb(1, 1), RawOf(kWhite));
  DeleteObject(red);
}

TEST(Draw, SetPixelAndGetPixelRespectTheSurfaceAndClip) {
  TestCanvas c(4, 4);
  EXPECT_EQ(SetPixel(c.Dc(), 1, 2, RGB(10, 20, 30)), RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(c.Dc(), 1, 2), RGB(10, 20, 30));
  EXPECT_EQ(c.At(1, 2), 0x000A141Eu);
  const TPoint outside[] = {{-1, 0}, {0, -1}, {4, 0}, {0, 4}, {100000, 3}};
  for (TPoint p : outside) {
    EXPECT_EQ(GetPixel(c.Dc(), p.X, p.Y), CLR_INVALID);
    EXPECT_EQ(SetPixel(c.Dc(), p.X, p.Y, 0), CLR_INVALID);
  }
  IntersectClipRect(c.Dc(), 0, 0, 2, 2);
  EXPECT_EQ(GetPixel(c.Dc(), 3, 3), CLR_INVALID);
  EXPECT_EQ(GetPixel(c.Dc(), 1, 1), kWhite);
}
