// The smooth engine against exact areas, source-over arithmetic and the
// platform's own pixel rules.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/gdi/smooth.h"
#include "tests/support/surface_png.h"

using namespace win;
using testsupport::RawOf;
using testsupport::TestCanvas;

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- exact areas
struct P {
  double x, y;
};

// The part of a polygon where a*x + b*y <= c.
std::vector<P> ClipHalfPlane(const std::vector<P>& poly, double a, double b, double c) {
  std::vector<P> out;
  for (size_t i = 0; i < poly.size(); ++i) {
    const P& p = poly[i];
    const P& q = poly[(i + 1) % poly.size()];
    const double fp = a * p.x + b * p.y - c, fq = a * q.x + b * q.y - c;
    if (fp <= 0) out.push_back(p);
    if ((fp < 0 && fq > 0) || (fp > 0 && fq < 0)) {
      const double t = fp / (fp - fq);
      out.push_back({p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t});
    }
  }
  return out;
}

double SignedArea(const std::vector<P>& poly) {
  double s = 0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const P& p = poly[i];
    const P& q = poly[(i + 1) % poly.size()];
    s += p.x * q.y - q.x * p.y;
  }
  return s / 2;
}

// Area of pixel (px, py) inside a convex polygon.
double PixelArea(const std::vector<P>& convex, int px, int py) {
  std::vector<P> sq{{double(px), double(py)}, {px + 1.0, double(py)}, {px + 1.0, py + 1.0}, {double(px), py + 1.0}};
  const double s = SignedArea(convex) > 0 ? 1 : -1;
  for (size_t i = 0; i < convex.size() && !sq.empty(); ++i) {
    const P& p = convex[i];
    const P& q = convex[(i + 1) % convex.size()];
    const double dx = q.x - p.x, dy = q.y - p.y;
    sq = ClipHalfPlane(sq, s * dy, -s * dx, s * (dy * p.x - dx * p.y));
  }
  return sq.size() < 3 ? 0 : std::fabs(SignedArea(sq));
}

// The area a pen of width w with flat ends sweeps along a segment.
std::vector<P> LineBody(P a, P b, double w) {
  const double l = std::hypot(b.x - a.x, b.y - a.y), nx = -(b.y - a.y) / l * w / 2, ny = (b.x - a.x) / l * w / 2;
  return {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
}

// Opaque black drawn on white leaves 255 - round(255 * coverage) in every channel.
int Expected(double coverage) { return 255 - int(std::lround(255 * coverage)); }
int Blue(TestCanvas& c, int x, int y) { return int(c.At(x, y) & 0xFF); }
double Drawn(TestCanvas& c, int x, int y) { return (255 - Blue(c, x, y)) / 255.0; }

constexpr ARGB kOpaqueBlack = 0xFF000000u;

// Source over, rounded: what a channel becomes under alpha a.
int Over(int dst, int src, int a) { return int(std::lround((src * a + dst * (255.0 - a)) / 255.0)); }

class Smooth : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(SmoothStartup(token_), SmoothOk); }
  void TearDown() override { SmoothShutdown(token_); }

  static std::unique_ptr<SmoothGraphics> Graphics(HDC dc, bool antialias = true) {
    auto g = SmoothGraphics::FromHDC(dc);
    EXPECT_TRUE(g);
    if (g) g->SetMode(antialias ? SmoothModeAntialiased : SmoothModeFast);
    return g;
  }
  static SmoothPen Pen(float width, ARGB color = kOpaqueBlack) { return *SmoothCreatePen(color, width); }
  static SmoothBrush Brush(ARGB color = kOpaqueBlack) { return *SmoothCreateSolidBrush(color); }

  SmoothToken token_ = 0;
};

}  // namespace

// ---------------------------------------------------------------- lifetime
TEST(SmoothEngine, RunsWhileAnyStartupIsOutstanding) {
  const int32_t before = SmoothStartupCount();
  SmoothToken a = 0, b = 0;
  ASSERT_EQ(SmoothStartup(a), SmoothOk);
  ASSERT_EQ(SmoothStartup(b), SmoothOk);
  EXPECT_NE(a, b);
  EXPECT_EQ(SmoothStartupCount(), before + 2);
  SmoothShutdown(a);
  SmoothShutdown(a);  // a second time changes nothing
  EXPECT_EQ(SmoothStartupCount(), before + 1);
  EXPECT_TRUE(SmoothRunning());
  SmoothShutdown(b);
  EXPECT_EQ(SmoothStartupCount(), before);
}

TEST(SmoothEngine, NothingIsMadeWhileStoppedOrWhenStartupFails) {
  ASSERT_FALSE(SmoothRunning());
  TestCanvas c(4, 4);
  EXPECT_FALSE(SmoothGraphics::FromHDC(c.Dc()));
  EXPECT_FALSE(SmoothCreatePen(kOpaqueBlack, 1));
  EXPECT_FALSE(SmoothCreateSolidBrush(kOpaqueBlack));
  EXPECT_FALSE(SmoothCreateHatchBrush(HS_CROSS, kOpaqueBlack, 0));

  SmoothSetStartupFailure(true);
  SmoothToken t = 123;
  EXPECT_EQ(SmoothStartup(t), SmoothGenericError);
  EXPECT_EQ(t, 0u);
  EXPECT_FALSE(SmoothRunning());
  SmoothSetStartupFailure(false);
}

TEST_F(Smooth, RefusesBadArgumentsAndStaleDCs) {
  EXPECT_FALSE(SmoothCreatePen(kOpaqueBlack, -1));
  EXPECT_FALSE(SmoothCreatePen(kOpaqueBlack, NAN));
  EXPECT_FALSE(SmoothCreateHatchBrush(SmoothHatchCount, kOpaqueBlack, 0));
  EXPECT_FALSE(SmoothGraphics::FromHDC(nullptr));

  TestCanvas c(8, 8);
  auto g = Graphics(c.Dc());
  const SmoothPointF one[1] = {{1, 1}};
  EXPECT_EQ(g->DrawLines(Pen(1), one, 1), SmoothInvalidParameter);
  EXPECT_EQ(g->FillPolygon(Brush(), one, 1), SmoothInvalidParameter);
  EXPECT_EQ(g->DrawLine(Pen(1), 0, 0, INFINITY, 3), SmoothInvalidParameter);
  SmoothPen bad = Pen(1);
  bad.Width = -2;
  EXPECT_EQ(g->DrawLine(bad, 0, 0, 5, 5), SmoothInvalidParameter);
  EXPECT_EQ(g->SetMode(SmoothMode(5)), SmoothInvalidParameter);
  // A rectangle with a negative side is empty.
  EXPECT_EQ(g->FillRectangle(Brush(), 6, 6, -4, 2), SmoothOk);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(c.Rgb(x, y), 0xFFFFFFu);

  HDC dc = CreateCompatibleDC(nullptr);
  auto stale = Graphics(dc);
  DeleteDC(dc);
  EXPECT_EQ(stale->FillRectangle(Brush(), 0, 0, 4, 4), SmoothGenericError);
}

TEST(SmoothEngine, DrawingStopsWhenTheEngineStops) {
  SmoothToken t = 0;
  ASSERT_EQ(SmoothStartup(t), SmoothOk);
  TestCanvas c(8, 8);
  auto g = SmoothGraphics::FromHDC(c.Dc());
  const SmoothBrush b = *SmoothCreateSolidBrush(kOpaqueBlack);
  SmoothShutdown(t);
  EXPECT_EQ(g->FillRectangle(b, 0, 0, 8, 8), SmoothNotStarted);
  EXPECT_EQ(c.Rgb(3, 3), 0xFFFFFFu);
}

// ---------------------------------------------------------------- coverage
TEST_F(Smooth, AntialiasedPixelsTakeTheExactAreaOfConvexShapes) {
  struct Case {
    const char* name;
    std::vector<P> shape;  // filled: the polygon; stroked: a line (two points) of width w
    double width;          // 0: fill the polygon
  } cases[] = {
      {"edge at x = 10.25", {{10.25, 2}, {20, 2}, {20, 12}, {10.25, 12}}, 0},
      {"triangle", {{3.3, 2.7}, {27.6, 9.1}, {8.2, 25.4}}, 0},
      {"one-pixel line along y = 5.5", {{2, 5.5}, {12, 5.5}}, 1},
      {"one-pixel line along y = 5", {{2, 5}, {12, 5}}, 1},
      {"vertical line of width 2.5", {{7.3, 3}, {7.3, 20}}, 2.5},
      {"thick diagonal", {{4, 4}, {24, 24}}, 4},
      {"shallow thick line", {{2.2, 8.9}, {28.1, 14.3}}, 3.2},
      {"steep thin line", {{15.6, 1.3}, {12.1, 27.7}}, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TestCanvas c(32, 32);
    auto g = Graphics(c.Dc());
    std::vector<P> body = k.shape;
    if (k.width > 0) {
      ASSERT_EQ(g->DrawLine(Pen(float(k.width)), float(k.shape[0].x), float(k.shape[0].y), float(k.shape[1].x),
                            float(k.shape[1].y)),
                SmoothOk);
      body = LineBody(k.shape[0], k.shape[1], k.width);
    } else {
      std::vector<SmoothPointF> pts;
      for (const P& p : k.shape) pts.push_back({float(p.x), float(p.y)});
      ASSERT_EQ(g->FillPolygon(Brush(), pts.data(), int32_t(pts.size())), SmoothOk);
    }
    testsupport::SavePngIfAsked(c.Bitmap(), std::string("smooth_area_") + k.name);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) ASSERT_NEAR(Blue(c, x, y), Expected(PixelArea(body, x, y)), 1) << x << "," << y;
  }
}

TEST_F(Smooth, NamedPixelsOfTheSimplestShapes) {
  TestCanvas c(24, 16);
  auto g = Graphics(c.Dc());
  const SmoothPointF quad[4] = {{10.25f, 1}, {20, 1}, {20, 4}, {10.25f, 4}};
  g->FillPolygon(Brush(), quad, 4);
  g->DrawLine(Pen(1), 2, 8.5f, 12, 8.5f);
  g->DrawLine(Pen(1), 2, 12, 12, 12);
  EXPECT_EQ(Blue(c, 10, 2), Expected(0.75));  // column 10 is three quarters inside
  EXPECT_EQ(Blue(c, 9, 2), 255);
  EXPECT_EQ(Blue(c, 11, 2), 0);
  EXPECT_EQ(Blue(c, 5, 8), 0);  // a line centred on a pixel row covers it whole ...
  EXPECT_EQ(Blue(c, 5, 7), 255);
  EXPECT_EQ(Blue(c, 5, 9), 255);
  EXPECT_EQ(Blue(c, 5, 11), Expected(0.5));  // ... one on a row boundary halves two rows
  EXPECT_EQ(Blue(c, 5, 12), Expected(0.5));
}

TEST_F(Smooth, FilledEllipseHasTheEllipsesAreaAndFullInside) {
  TestCanvas c(48, 32);
  auto g = Graphics(c.Dc());
  const double cx = 24.3, cy = 15.8, rx = 18.5, ry = 11.25;
  ASSERT_EQ(g->FillEllipse(Brush(), float(cx - rx), float(cy - ry), float(2 * rx), float(2 * ry)), SmoothOk);
  double total = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 48; ++x) {
      total += Drawn(c, x, y);
      // Pixels whose every corner lies inside (outside) the ellipse are full (empty).
      int inside = 0;
      for (int corner = 0; corner < 4; ++corner) {
        const double px = x + (corner & 1), py = y + (corner >> 1);
        inside += std::pow((px - cx) / rx, 2) + std::pow((py - cy) / ry, 2) < 0.98;
      }
      const double outsideAll = std::pow(std::max(0.0, std::fabs(x + 0.5 - cx) - 0.71) / rx, 2) +
                                std::pow(std::max(0.0, std::fabs(y + 0.5 - cy) - 0.71) / ry, 2);
      if (inside == 4) {
        ASSERT_EQ(Blue(c, x, y), 0) << x << "," << y;
      }
      if (outsideAll > 1.02) {
        ASSERT_EQ(Blue(c, x, y), 255) << x << "," << y;
      }
    }
  // Chords lie inside the curve by at most 1/20 pixel: about perimeter / 30 less area.
  EXPECT_NEAR(total, kPi * rx * ry, 4.0);
}

TEST_F(Smooth, FillRulesDifferWhereAnOutlineWindsTwice) {
  // A five-pointed star: the pentagon in its middle winds twice.
  std::vector<SmoothPointF> star;
  for (int i = 0; i < 5; ++i) {
    const double a = -kPi / 2 + i * 4 * kPi / 5;
    star.push_back({float(20 + 18 * std::cos(a)), float(20 + 18 * std::sin(a))});
  }
  struct Case {
    SmoothFillMode mode;
    int centre;
  } cases[] = {{SmoothFillAlternate, 255}, {SmoothFillWinding, 0}};
  for (bool aa : {true, false})
    for (const Case& k : cases) {
      TestCanvas c(40, 40);
      auto g = Graphics(c.Dc(), aa);
      ASSERT_EQ(g->FillPolygon(Brush(), star.data(), 5, k.mode), SmoothOk);
      EXPECT_EQ(Blue(c, 20, 20), k.centre) << aa;
      EXPECT_EQ(Blue(c, 20, 5), 0) << aa;  // inside the top point either way
    }
}

// ---------------------------------------------------------------- aliased
TEST_F(Smooth, AliasedFiguresPaintThePixelsThePlatformPaints) {
  // One-pixel outlines at integer coordinates against the platform's own figures.
  struct Case {
    const char* name;
    void (*smooth)(SmoothGraphics&, const SmoothPen&);
    void (*platform)(HDC);
  } cases[] = {
      {"rectangle", [](SmoothGraphics& g, const SmoothPen& p) { g.DrawRectangle(p, 2, 3, 9, 6); },
       [](HDC dc) { Rectangle(dc, 2, 3, 12, 10); }},
      {"horizontal line", [](SmoothGraphics& g, const SmoothPen& p) { g.DrawLine(p, 2, 5, 12, 5); },
       [](HDC dc) {
         MoveToEx(dc, 2, 5, nullptr);
         LineTo(dc, 12, 5);
       }},
      {"vertical line", [](SmoothGraphics& g, const SmoothPen& p) { g.DrawLine(p, 7, 1, 7, 11); },
       [](HDC dc) {
         MoveToEx(dc, 7, 1, nullptr);
         LineTo(dc, 7, 11);
       }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TestCanvas mine(16, 14), theirs(16, 14);
    auto g = Graphics(mine.Dc(), false);
    k.smooth(*g, Pen(1));
    SelectObject(theirs.Dc(), GetStockObject(NULL_BRUSH));
    k.platform(theirs.Dc());
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 16; ++x) ASSERT_EQ(mine.Rgb(x, y), theirs.Rgb(x, y)) << x << "," << y;
  }
}

TEST_F(Smooth, AliasedFillPaintsPixelsWhoseCentresAreInside) {
  TestCanvas c(40, 30);
  auto g = Graphics(c.Dc(), false);
  const double cx = 19.7, cy = 14.2, rx = 15.3, ry = 9.6;
  ASSERT_EQ(g->FillEllipse(Brush(), float(cx - rx), float(cy - ry), float(2 * rx), float(2 * ry)), SmoothOk);
  ASSERT_EQ(g->FillRectangle(Brush(), 0, 0, 9, 2), SmoothOk);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const double e = std::pow((x + 0.5 - cx) / rx, 2) + std::pow((y + 0.5 - cy) / ry, 2);
      if (std::fabs(e - 1) < 0.02) continue;  // within the flattening of the curve
      const bool inside = e < 1 || (x < 9 && y < 2);
      ASSERT_EQ(Blue(c, x, y), inside ? 0 : 255) << x << "," << y;
    }
}

// ---------------------------------------------------------------- compositing
TEST_F(Smooth, SourceOverWithTheColoursAlpha) {
  struct Case {
    uint32_t dst;  // 0xAARRGGBB raw
    ARGB src;
  } cases[] = {
      {0xFFFFFFFFu, 0x80000000u},  // alpha 128 black over white
      {0x00000000u, 0x80FFFFFFu},  // alpha 128 white over black
      {0x00336699u, 0x40C08020u},
      {0x12FFFFFFu, 0x96000000u},  // alpha 150 black
      {0x00ABCDEFu, 0xFF102030u},
  };
  for (const Case& k : cases) {
    TestCanvas c(6, 6, k.dst);
    auto g = Graphics(c.Dc());
    ASSERT_EQ(g->FillRectangle(Brush(k.src), 1, 1, 3, 3), SmoothOk);
    const int a = int(k.src >> 24);
    const uint32_t got = c.At(2, 2);
    for (int shift : {0, 8, 16})
      EXPECT_EQ(int((got >> shift) & 0xFF), Over(int((k.dst >> shift) & 0xFF), int((k.src >> shift) & 0xFF), a))
          << std::hex << k.src << " over " << k.dst << " channel " << shift;
    EXPECT_EQ(got >> 24, 0u);              // written pixels carry alpha 0
    EXPECT_EQ(c.At(0, 0), k.dst);          // untouched ones keep theirs
    EXPECT_EQ(c.At(4, 4), k.dst);
  }
}

TEST_F(Smooth, TransparentColoursDrawNothing) {
  TestCanvas c(8, 8, 0x11223344u);
  auto g = Graphics(c.Dc());
  EXPECT_EQ(g->FillRectangle(Brush(0x00FF0000u), 0, 0, 8, 8), SmoothOk);
  EXPECT_EQ(g->DrawLine(Pen(3, 0x00FF0000u), 0, 4, 8, 4), SmoothOk);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(c.At(x, y), 0x11223344u);
}

TEST_F(Smooth, BlendsOnTwentyFourBitSurfaces) {
  BITMAPINFO256 bi{};
  bi.bmiHeader.biWidth = 5;
  bi.bmiHeader.biHeight = -5;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(bmp);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 5, 5};
  HBRUSH white = CreateSolidBrush(RGB(200, 100, 50));
  FillRect(dc, &all, white);
  {
    auto g = Graphics(dc);
    ASSERT_EQ(g->FillRectangle(Brush(0x80000000u), 0, 0, 5, 5), SmoothOk);
  }
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(uint8_t(Over(200, 0, 128)), uint8_t(Over(100, 0, 128)), uint8_t(Over(50, 0, 128))));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
  DeleteObject(white);
}

// ---------------------------------------------------------------- DC state
TEST_F(Smooth, FollowsTheDCsOriginsAndClip) {
  struct Case {
    const char* name;
    void (*setup)(HDC);
    TRect expected;  // surface pixels filled by FillRectangle(0, 0, 4, 3)
  } cases[] = {
      {"plain", [](HDC) {}, {0, 0, 4, 3}},
      {"viewport origin", [](HDC dc) { SetViewportOrgEx(dc, 5, 3, nullptr); }, {5, 3, 9, 6}},
      {"window origin", [](HDC dc) { SetWindowOrgEx(dc, -2, -7, nullptr); }, {2, 7, 6, 10}},
      {"clip rect", [](HDC dc) { IntersectClipRect(dc, 1, 1, 3, 10); }, {1, 1, 3, 3}},
      {"excluded column", [](HDC dc) { ExcludeClipRect(dc, 0, 0, 2, 10); }, {2, 0, 4, 3}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TestCanvas c(12, 12);
    k.setup(c.Dc());
    auto g = Graphics(c.Dc());
    ASSERT_EQ(g->FillRectangle(Brush(), 0, 0, 4, 3), SmoothOk);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool in = x >= k.expected.Left && x < k.expected.Right && y >= k.expected.Top && y < k.expected.Bottom;
        ASSERT_EQ(c.Rgb(x, y), in ? 0u : 0xFFFFFFu) << x << "," << y;
      }
  }
}

TEST_F(Smooth, SurfaceDCsDrawAtTheirOriginWithinTheirVisibleRegion) {
  std::vector<uint32_t> pixels(20 * 20, 0x00FFFFFFu);
  Surface s;
  s.Bits = reinterpret_cast<uint8_t*>(pixels.data());
  s.Width = 20;
  s.Height = 20;
  s.Stride = 20 * 4;
  Region vis(TRect{0, 0, 6, 6});
  HDC dc = CreateSurfaceDC(s, {7, 4}, &vis);
  {
    auto g = Graphics(dc);
    ASSERT_EQ(g->FillRectangle(Brush(), -3, -3, 30, 30), SmoothOk);
  }
  DeleteDC(dc);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool in = x >= 7 && x < 13 && y >= 4 && y < 10;
      ASSERT_EQ(pixels[size_t(y * 20 + x)] & 0xFFFFFFu, in ? 0u : 0xFFFFFFu) << x << "," << y;
    }
}

// ---------------------------------------------------------------- pens and brushes
TEST_F(Smooth, DashPatternsAreMeasuredInPenWidths) {
  struct Case {
    SmoothDashStyle style;
    std::vector<int> pattern;  // on, off, ... in pen widths
  } cases[] = {{SmoothDashDash, {3, 1}}, {SmoothDashDot, {1, 1}}, {SmoothDashDashDot, {3, 1, 1, 1}},
               {SmoothDashDashDotDot, {3, 1, 1, 1, 1, 1}}};
  for (const Case& k : cases)
    for (int width : {1, 2}) {
      TestCanvas c(64, 8);
      auto g = Graphics(c.Dc());
      SmoothPen pen = Pen(float(width));
      pen.DashStyle = k.style;
      ASSERT_EQ(g->DrawLine(pen, 0, 4, 60, 4), SmoothOk);
      int period = 0;
      for (int v : k.pattern) period += v * width;
      for (int x = 0; x < 60; ++x) {
        int pos = x % period, i = 0;
        while (pos >= k.pattern[size_t(i)] * width) pos -= k.pattern[size_t(i++)] * width;
        const bool on = i % 2 == 0;
        ASSERT_EQ(Blue(c, x, 4 - width / 2), on ? Expected(width == 1 ? 0.5 : 1.0) : 255)
            << int(k.style) << " width " << width << " x " << x;
      }
    }
}

TEST_F(Smooth, LineJoinsFillTheOuterCornerAsTheirShapeSays) {
  // A pen of width 10 turns from rightwards to upwards at (30, 30); the outer
  // corner is the bottom right. Miter: up to (35, 35). Round: within 5 of the
  // vertex. Bevel: below the line x + y = 65.
  struct Case {
    SmoothLineJoin join;
    double at3232, at3434;
  } cases[] = {{SmoothJoinMiter, 1, 1}, {SmoothJoinRound, 1, 0}, {SmoothJoinBevel, 0.5, 0}};
  const SmoothPointF pts[3] = {{10, 30}, {30, 30}, {30, 10}};
  for (const Case& k : cases) {
    TestCanvas c(40, 40);
    auto g = Graphics(c.Dc());
    SmoothPen pen = Pen(10);
    pen.LineJoin = k.join;
    ASSERT_EQ(g->DrawLines(pen, pts, 3), SmoothOk);
    EXPECT_EQ(Blue(c, 32, 32), Expected(k.at3232)) << int(k.join);
    EXPECT_EQ(Blue(c, 34, 34), Expected(k.at3434)) << int(k.join);
    EXPECT_EQ(Blue(c, 27, 27), 0) << int(k.join);  // the inner corner is covered once, fully
    EXPECT_EQ(Blue(c, 24, 24), 255) << int(k.join);
  }
}

TEST_F(Smooth, HatchBrushesPaintThePlatformsCells) {
  for (int style = 0; style < SmoothHatchCount; ++style) {
    TestCanvas mine(20, 20), theirs(20, 20);
    auto g = Graphics(mine.Dc());
    ASSERT_EQ(g->FillRectangle(*SmoothCreateHatchBrush(style, 0xFFFF0000u, 0xFF00FF00u), 0, 0, 20, 20), SmoothOk);
    HBRUSH b = CreateHatchBrush(style, RGB(255, 0, 0));
    SetBkColor(theirs.Dc(), RGB(0, 255, 0));
    RECT r{0, 0, 20, 20};
    FillRect(theirs.Dc(), &r, b);
    DeleteObject(b);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(mine.Rgb(x, y), theirs.Rgb(x, y)) << style << ": " << x << "," << y;
  }
}

// ---------------------------------------------------------------- arcs and paths
TEST_F(Smooth, ArcAnglesAreDirectionsFromTheCentre) {
  // Ellipse centred at (30, 30), radii 20 and 10; the arc from 0 through 45
  // degrees ends where the ellipse meets the diagonal, at curve parameter
  // atan2(20, 10) = 63.4 degrees, so the point at parameter 55 is on it and
  // the one at 75 is not.
  TestCanvas c(60, 50);
  auto g = Graphics(c.Dc());
  ASSERT_EQ(g->DrawArc(Pen(3), 10, 20, 40, 20, 0, 45), SmoothOk);
  auto at = [&](double degrees) {
    const double t = degrees * kPi / 180;
    return Blue(c, int(30 + 20 * std::cos(t)), int(30 + 10 * std::sin(t)));
  };
  EXPECT_LT(at(10), 64);
  EXPECT_LT(at(55), 64);
  EXPECT_EQ(at(75), 255);
  EXPECT_EQ(at(-20), 255);
  // Negative sweeps run counter-clockwise on the screen.
  TestCanvas d(60, 50);
  auto h = Graphics(d.Dc());
  ASSERT_EQ(h->DrawArc(Pen(3), 10, 20, 40, 20, 0, -90), SmoothOk);
  EXPECT_LT(Blue(d, 30 + 14, 30 - 7), 64);
  EXPECT_EQ(Blue(d, 30 + 14, 30 + 7), 255);
}

TEST_F(Smooth, PathsFillByTheirRuleAndStrokeOpenFiguresOpen) {
  SmoothPath path;
  path.AddLine(2, 2, 30, 2);
  path.AddLine(30, 2, 30, 30);
  path.AddLine(30, 30, 2, 30);
  path.CloseFigure();
  path.AddLine(10, 10, 22, 10);
  path.AddLine(22, 10, 22, 22);
  path.AddLine(22, 22, 10, 22);
  for (SmoothFillMode mode : {SmoothFillAlternate, SmoothFillWinding}) {
    path.SetFillMode(mode);
    TestCanvas c(32, 32);
    auto g = Graphics(c.Dc());
    ASSERT_EQ(g->FillPath(Brush(), path), SmoothOk);
    EXPECT_EQ(Blue(c, 5, 5), 0);
    EXPECT_EQ(Blue(c, 16, 16), mode == SmoothFillAlternate ? 255 : 0);
  }
  // Stroked: the first figure is closed, the second lacks its left side.
  TestCanvas c(32, 32);
  auto g = Graphics(c.Dc());
  ASSERT_EQ(g->DrawPath(Pen(1), path), SmoothOk);
  EXPECT_EQ(Blue(c, 1, 16), Expected(0.5));   // closing side of the first figure
  EXPECT_EQ(Blue(c, 22, 16), Expected(0.5));  // right side of the second
  EXPECT_EQ(Blue(c, 9, 16), 255);             // no closing side on the second
}
