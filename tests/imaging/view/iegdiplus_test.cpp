// The engine binding's use count and the antialiased canvas, against the
// platform canvas and the source-over arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "imaging/core/ieinit.h"
#include "imaging/view/iegdiplus.h"
#include "tests/imaging/view/canvasboard.h"
#include "platform/gdi/text.h"
#include "platform/vcl/graphics.h"

namespace {

using viewtest::Board;

// Source over, rounded: what a channel becomes under alpha a.
int Over(int dst, int src, int a) { return int(std::lround((src * a + dst * (255.0 - a)) / 255.0)); }

class GdiPlusTest : public ::testing::Test {
protected:
  void SetUp() override { IEGDIPlusInitialize(); }
  void TearDown() override {
    while (IEGDIPlusUserCount() > 0) IEGDIPlusRelease();
    win::SmoothSetStartupFailure(false);
    IEGDIPlusInitialize();
  }
};

class EngineCanvas : public GdiPlusTest {
protected:
  void SetUp() override {
    GdiPlusTest::SetUp();
    IEGDIPlusAddRef();
    ASSERT_TRUE(IEGDIPlusEnabled());
  }
};

}  // namespace

// ---------------------------------------------------------------- binding
TEST_F(GdiPlusTest, TwoUsersStartTheEngineOnceAndTheLastReleaseStopsIt) {
  const int32_t before = win::SmoothStartupCount();
  EXPECT_FALSE(IEGDIPlusLoaded());
  IEGDIPlusAddRef();
  EXPECT_TRUE(IEGDIPlusLoaded());
  EXPECT_TRUE(IEGDIPlusEnabled());
  IEGDIPlusAddRef();
  EXPECT_EQ(IEGDIPlusUserCount(), 2);
  EXPECT_EQ(win::SmoothStartupCount(), before + 1);
  IEGDIPlusRelease();
  EXPECT_TRUE(IEGDIPlusLoaded());
  EXPECT_EQ(win::SmoothStartupCount(), before + 1);
  IEGDIPlusRelease();
  EXPECT_FALSE(IEGDIPlusLoaded());
  EXPECT_EQ(win::SmoothStartupCount(), before);
  IEGDIPlusRelease();  // one too many: the count stays at 0
  EXPECT_EQ(IEGDIPlusUserCount(), 0);
  IEGDIPlusAddRef();  // and the next user starts the engine again
  EXPECT_TRUE(IEGDIPlusLoaded());
}

TEST_F(GdiPlusTest, AFailedStartupLeavesTheEngineOffAndTheUserCounted) {
  win::SmoothSetStartupFailure(true);
  IEGDIPlusAddRef();
  EXPECT_EQ(IEGDIPlusUserCount(), 1);
  EXPECT_FALSE(IEGDIPlusLoaded());
  EXPECT_FALSE(IEGDIPlusEnabled());
  Board b(8, 8);
  TIECanvas c(b.Canvas(), true, true);
  EXPECT_FALSE(c.UsesGDIPlus());
  EXPECT_FALSE(c.Pen()->GdiPlusPen());
  EXPECT_FALSE(c.Brush()->GdiPlusBrush());
  // The next user tries again.
  win::SmoothSetStartupFailure(false);
  IEGDIPlusAddRef();
  EXPECT_TRUE(IEGDIPlusEnabled());
  IEGDIPlusRelease();
  EXPECT_TRUE(IEGDIPlusLoaded());
  IEGDIPlusRelease();
  EXPECT_FALSE(IEGDIPlusLoaded());
}

TEST_F(GdiPlusTest, TheAllowedFlagGatesTheEngine) {
  SetIEGDIPlusAllowed(false);
  IEGDIPlusAddRef();
  EXPECT_FALSE(IEGDIPlusLoaded());
  SetIEGDIPlusAllowed(true);
  IEGDIPlusAddRef();
  EXPECT_TRUE(IEGDIPlusEnabled());
  SetIEGDIPlusAllowed(false);
  EXPECT_TRUE(IEGDIPlusLoaded());
  EXPECT_FALSE(IEGDIPlusEnabled());
  Board b(8, 8);
  EXPECT_FALSE(TIECanvas(b.Canvas()).UsesGDIPlus());
  EXPECT_FALSE(TIECanvas(b.Canvas(), true, false).UsesGDIPlus());
}

TEST_F(GdiPlusTest, LibraryStartupAllowsTheEngine) {
  // Started once by the test environment: shut down, then started again.
  ASSERT_EQ(IEInitializeCount(), 1);
  IEFinalize();
  SetIEGDIPlusAllowed(false);
  IEInitialize();
  EXPECT_TRUE(IEGDIPlusAllowed());
  EXPECT_FALSE(IEGDIPlusLoaded());
  EXPECT_EQ(IEGDIPlusUserCount(), 0);
}

// ---------------------------------------------------------------- without the engine
TEST_F(GdiPlusTest, WithoutTheEngineFiguresAreThePlatformCanvass) {
  struct Case {
    const char* name;
    std::function<void(TIECanvas&)> ie;
    std::function<void(TCanvas&)> plain;
  } cases[] = {
      {"rectangle", [](TIECanvas& c) { c.Rectangle(3, 4, 20, 15); }, [](TCanvas& c) { c.Rectangle(3, 4, 20, 15); }},
      {"ellipse", [](TIECanvas& c) { c.Ellipse(2, 3, 27, 18); }, [](TCanvas& c) { c.Ellipse(2, 3, 27, 18); }},
      {"fill rect", [](TIECanvas& c) { c.FillRect(TRect{5, 5, 15, 12}); },
       [](TCanvas& c) { c.FillRect(TRect{5, 5, 15, 12}); }},
      {"round rect", [](TIECanvas& c) { c.RoundRect(2, 2, 28, 18, 8, 6); },
       [](TCanvas& c) { c.RoundRect(2, 2, 28, 18, 8, 6); }},
      {"arc", [](TIECanvas& c) { c.Arc(2, 2, 26, 18, 26, 10, 14, 2); },
       [](TCanvas& c) { c.Arc(2, 2, 26, 18, 26, 10, 14, 2); }},
      {"polygon",
       [](TIECanvas& c) {
         const TPoint p[] = {{2, 2}, {25, 6}, {10, 18}};
         c.Polygon(p);
       },
       [](TCanvas& c) {
         const TPoint p[] = {{2, 2}, {25, 6}, {10, 18}};
         c.Polygon(p);
       }},
      {"line draws both ends",
       [](TIECanvas& c) { c.Line(3, 3, 20, 14); },
       [](TCanvas& c) {
         const TPoint p[] = {{3, 3}, {20, 14}};
         c.Polygon(p);
       }},
      {"move and line to",
       [](TIECanvas& c) {
         c.MoveTo(4, 15);
         c.LineTo(22, 3);
       },
       [](TCanvas& c) {
         c.MoveTo(4, 15);
         c.LineTo(22, 3);
       }},
  };
  for (bool failStartup : {false, true})
    for (const Case& k : cases) {
      SCOPED_TRACE(std::string(k.name) + (failStartup ? ", start-up failed" : ", not allowed"));
      IEGDIPlusInitialize();
      if (failStartup) {
        win::SmoothSetStartupFailure(true);
        IEGDIPlusAddRef();
      } else {
        SetIEGDIPlusAllowed(false);
      }
      Board mine(30, 20), theirs(30, 20);
      {
        TIECanvas c(mine.Canvas(), true, true);
        ASSERT_FALSE(c.UsesGDIPlus());
        c.Pen()->SetColor(clRed);
        c.Pen()->SetTransparency(128);  // the platform cannot draw it: lines stay opaque
        c.Brush()->SetColor(clBlue);
        c.Brush()->SetTransparency(60);
        k.ie(c);
      }
      theirs.Canvas().Pen()->SetColor(clRed);
      theirs.Canvas().Brush()->SetColor(clBlue);
      k.plain(theirs.Canvas());
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(mine.At(x, y), theirs.At(x, y)) << x << "," << y;
      TearDown();
    }
}

// ---------------------------------------------------------------- with the engine
TEST_F(EngineCanvas, FillRectCoversTheRectangleLessOnePixelAtRightAndBottom) {
  Board b(14, 14);
  TIECanvas c(b.Canvas());
  ASSERT_TRUE(c.UsesGDIPlus());
  c.Brush()->SetColor(clBlack);
  c.FillRect(TRect{10, 10, 0, 0});  // corners in any order
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 14; ++x) ASSERT_EQ(b.At(x, y), (x < 9 && y < 9) ? 0u : 0xFFFFFFu) << x << "," << y;
}

TEST_F(EngineCanvas, PenTransparencyIsAlphaAndAClearPenDrawsNothing) {
  Board b(20, 20);
  TIECanvas c(b.Canvas());
  c.Pen()->SetColor(clBlack);
  c.Pen()->SetWidth(2);
  c.Pen()->SetTransparency(128);
  EXPECT_EQ(c.Pen()->GetARGB(), 0x80000000u);
  c.Pen()->SetStyle(psClear);
  EXPECT_EQ(c.Pen()->GetARGB(), 0x00000000u);
  c.Line(2, 5, 16, 5);
  EXPECT_EQ(b.At(8, 5), 0xFFFFFFu);
  c.Pen()->SetStyle(psSolid);
  EXPECT_EQ(c.Pen()->GetARGB(), 0x80000000u);
  c.Line(2, 5, 16, 5);  // width 2 centred on y = 5: rows 4 and 5 whole
  EXPECT_EQ(b.Red(8, 4), Over(255, 0, 128));
  EXPECT_EQ(b.Red(8, 5), Over(255, 0, 128));
  EXPECT_EQ(b.Red(8, 6), 255);
  EXPECT_EQ(c.Pen()->PlatformPen()->Width(), 2);
  c.Pen()->SetWidth(2.7f);
  EXPECT_EQ(c.Pen()->PlatformPen()->Width(), 2);  // truncated
  EXPECT_FLOAT_EQ(c.Pen()->GdiPlusPen()->Width, 2.7f);
}

TEST_F(EngineCanvas, BrushTransparencyAndColoursReachEngineAndPlatform) {
  Board b(20, 20);
  TIECanvas c(b.Canvas());
  c.Brush()->SetColor(RGBColor(10, 200, 40));
  c.Brush()->SetTransparency(100);
  EXPECT_EQ(c.Brush()->GetARGB(), 0x640AC828u);
  EXPECT_EQ(c.Brush()->PlatformBrush()->Color(), RGBColor(10, 200, 40));
  c.FillRect(TRect{2, 2, 12, 12});
  EXPECT_EQ(b.At(5, 5), win::RGB(uint8_t(Over(255, 10, 100)), uint8_t(Over(255, 200, 100)), uint8_t(Over(255, 40, 100))));
  c.Brush()->SetStyle(bsClear);
  EXPECT_EQ(c.Brush()->GetARGB() >> 24, 0u);
  EXPECT_EQ(c.Brush()->PlatformBrush()->Style(), bsClear);
}

TEST_F(EngineCanvas, HatchedBrushesLeaveTheirGapsUntouched) {
  Board mine(24, 24, clYellow), theirs(24, 24, clYellow);
  {
    TIECanvas c(mine.Canvas());
    c.Brush()->SetColor(clRed);
    c.Brush()->SetStyle(bsDiagCross);
    c.FillRect(TRect{0, 0, 25, 25});
  }
  theirs.Canvas().Brush()->SetColor(clRed);
  theirs.Canvas().Brush()->SetStyle(bsDiagCross);  // the platform canvas draws hatches with transparent gaps
  theirs.Canvas().FillRect(TRect{0, 0, 24, 24});
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_EQ(mine.At(x, y), theirs.At(x, y)) << x << "," << y;
}

TEST_F(EngineCanvas, TransparencyIsHalfUnderTheEngineAndOpaqueWithoutIt) {
  for (bool engine : {true, false}) {
    Board b(20, 12);
    TIECanvas c(b.Canvas(), true, engine);
    c.Pen()->SetColor(clBlack);
    c.Pen()->SetWidth(3);
    c.Pen()->SetTransparency(128);
    c.MoveTo(2, 6);
    c.LineTo(18, 6);
    EXPECT_EQ(b.Red(10, 6), engine ? Over(255, 0, 128) : 0) << engine;
  }
}

TEST_F(EngineCanvas, RoundRectCornersAreAtMostTheBox) {
  auto draw = [](Board& b, int cw, int ch) {
    TIECanvas c(b.Canvas());
    c.Pen()->SetStyle(psClear);
    c.Brush()->SetColor(clBlack);
    c.RoundRect(2, 3, 32, 19, cw, ch);
  };
  Board huge(36, 22), exact(36, 22), small(36, 22);
  draw(huge, 500, 400);
  draw(exact, 30, 16);
  draw(small, 6, 6);
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 36; ++x) ASSERT_EQ(huge.At(x, y), exact.At(x, y)) << x << "," << y;
  // Corners the size of the box make the ellipse inscribed in it.
  EXPECT_EQ(huge.Red(3, 4), 255);
  EXPECT_EQ(small.Red(3, 4), 0);
  EXPECT_EQ(huge.Red(17, 11), 0);
  const double cx = 17, cy = 11, rx = 15, ry = 8;
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 36; ++x) {
      const double e = std::pow((x + 0.5 - cx) / rx, 2) + std::pow((y + 0.5 - cy) / ry, 2);
      if (e < 0.75) {
        ASSERT_EQ(huge.Red(x, y), 0) << x << "," << y;
      }
      if (e > 1.3) {
        ASSERT_EQ(huge.Red(x, y), 255) << x << "," << y;
      }
    }
}

TEST_F(EngineCanvas, ArcRunsCounterClockwiseBetweenTheRadialLines) {
  // The arc of the circle in the box (1, 1, 42, 42), from the radial line
  // through (x3, y3) counter-clockwise on the screen to the one through
  // (x4, y4): every pixel drawn lies between the two lines (a few degrees'
  // tolerance for the width of the line), and the circle is drawn all along.
  struct Case {
    int x3, y3, x4, y4;
  } cases[] = {{40, 20, 20, 0}, {20, 0, 40, 20}, {0, 30, 40, 10}, {30, 39, 30, 40}, {3, 3, 3, 40}};
  constexpr double kTwoPi = 2 * 3.14159265358979323846, tol = 4 * kTwoPi / 360;
  const double cx = 21.5, cy = 21.5, r = 20.5;
  auto angle = [&](double x, double y) {
    const double a = std::atan2(cy - y, x - cx);
    return a < 0 ? a + kTwoPi : a;
  };
  auto ccw = [&](double from, double to) { return std::fmod(to - from + 2 * kTwoPi, kTwoPi); };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.x3 << "," << k.y3 << " -> " << k.x4 << "," << k.y4);
    Board b(44, 44);
    {
      TIECanvas c(b.Canvas());
      c.Pen()->SetColor(clBlack);
      c.Arc(1, 1, 41, 41, k.x3, k.y3, k.x4, k.y4);
    }
    const double a3 = angle(k.x3, k.y3), sweep = ccw(a3, angle(k.x4, k.y4));
    for (int y = 0; y < 44; ++y)
      for (int x = 0; x < 44; ++x)
        if (b.Red(x, y) < 100) {
          ASSERT_LE(ccw(a3 - tol, angle(x + 0.5, y + 0.5)), sweep + 2 * tol) << x << "," << y;
          ASSERT_NEAR(std::hypot(x + 0.5 - cx, y + 0.5 - cy), r, 1.0) << x << "," << y;
        }
    for (double t = tol; t < sweep - tol; t += 0.05) {
      const double a = a3 + t;
      const int x = int(std::floor(cx + r * std::cos(a))), y = int(std::floor(cy - r * std::sin(a)));
      int darkest = 255;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) darkest = std::min(darkest, b.Red(x + dx, y + dy));
      ASSERT_LT(darkest, 140) << "angle " << a * 360 / kTwoPi;
    }
  }
}

TEST_F(EngineCanvas, PolygonOutlineThenAlternateFill) {
  // A bow tie: the alternate rule fills both wings; the fill goes over the inner half of the outline.
  Board b(30, 20);
  TIECanvas c(b.Canvas());
  c.Pen()->SetColor(clRed);
  c.Pen()->SetWidth(4);
  c.Brush()->SetColor(clBlue);
  const TPoint pts[] = {{3, 3}, {27, 17}, {27, 3}, {3, 17}};
  c.Polygon(pts);
  EXPECT_EQ(b.At(8, 10), win::RGB(0, 0, 255));   // inside the left wing
  EXPECT_EQ(b.At(15, 3), 0xFFFFFFu);              // between the wings
  EXPECT_EQ(b.At(27, 10), win::RGB(255, 0, 0));   // outer half of the right side
  EXPECT_EQ(b.At(26, 10), win::RGB(0, 0, 255));   // inner half, under the fill
}

TEST(EllipseBox, AdjustsForThePensWidth) {
  struct Case {
    float pen;
    TRect in, out;
  } cases[] = {
      {1, {5, 5, 6, 6}, {5, 5, 6, 6}},            // a one-pixel pen changes nothing
      {3, {10, 10, 30, 20}, {10, 10, 30, 20}},    // wide and high enough
      {6, {10, 10, 12, 30}, {7, 10, 13, 30}},     // thinner than the pen: 2e wide
      {4, {10, 10, 10, 10}, {8, 8, 12, 12}},      // empty: 2e square
      {5, {10, 10, 11, 40}, {8, 10, 12, 40}},     // e = 2.5 rounded to even
      {0.5f, {5, 5, 6, 6}, {5, 5, 6, 6}},         // e = 0: kept at one pixel
      {0.5f, {5, 5, 5, 9}, {5, 5, 6, 9}},         // e = 0: an empty side gets one pixel
      {4, {30, 10, 10, 20}, {30, 10, 9, 20}},     // mirrored: shifted by e and e - 1
  };
  for (const Case& k : cases) {
    TRect r = k.in;
    IEAdjustEllipseBox(k.pen, r.Left, r.Top, r.Right, r.Bottom);
    EXPECT_EQ(r, k.out) << k.pen << ": " << k.in.Left << "," << k.in.Top << "," << k.in.Right << "," << k.in.Bottom;
  }
}

// ---------------------------------------------------------------- failures and text
TEST_F(GdiPlusTest, FailuresRaiseTheirTexts) {
  IEGDIPlusAddRef();
  {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    TCanvas gone;
    gone.SetHandle(dc);
    win::DeleteDC(dc);
    try {
      TIECanvas c(gone);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Cannot create TIECanvas. GdipCreateFromHDC failed.");
    }
    gone.SetHandle(nullptr);
  }
  // Pens and brushes made while the engine ran cannot be made anew once it stopped.
  Board b(4, 4);
  TIECanvas c(b.Canvas());
  IEGDIPlusRelease();
  struct Case {
    std::function<void()> call;
    const char* text;
  } cases[] = {
      {[&] { c.Pen()->Recreate(); }, "Cannot create TIEPen. GdipCreatePen1 failed."},
      {[&] { c.Brush()->Recreate(); }, "Cannot create TIEBrush. GdipCreateSolidFill failed."},
      {[&] {
         c.Brush()->SetStyle(bsCross);  // the engine is off: only stored
         c.Brush()->Recreate();
       },
       "Cannot create TIEBrush. GdipCreateHatchBrush failed."},
  };
  for (const Case& k : cases) {
    try {
      k.call();
      ADD_FAILURE() << "no exception for " << k.text;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), k.text);
      EXPECT_EQ(e.ClassName(), "Exception");
    }
  }
}

TEST_F(EngineCanvas, ClippedTextOutClipsAndShiftsRightToLeftText) {
  auto leftmostInk = [](Board& b) {
    for (int x = 0; x < 120; ++x)
      for (int y = 0; y < 30; ++y)
        if (b.At(x, y) != 0xFFFFFFu) return x;
    return -1;
  };
  Board plain(120, 30);
  int width = 0;
  {
    TIECanvas c(plain.Canvas());
    c.Canvas().Brush()->SetStyle(bsClear);
    width = c.TextWidth("Hello");
    c.ClippedTextOut(TRect{0, 0, 120, 30}, 10, 5, "Hello");
  }
  const int base = leftmostInk(plain);
  ASSERT_GE(base, 10);
  struct Case {
    bool rtlFlag, rtlCanvas;
    int shift;
  } cases[] = {{true, true, width + 1}, {true, false, 0}, {false, true, 0}};
  for (const Case& k : cases) {
    Board b(120, 30);
    TIECanvas c(b.Canvas());
    c.Canvas().Brush()->SetStyle(bsClear);
    c.Canvas().SetTextFlags(k.rtlFlag ? int32_t(win::ETO_RTLREADING) : 0);
    win::SetTextAlign(c.Handle(), k.rtlCanvas ? win::TA_RTLREADING : win::TA_LEFT);
    c.ClippedTextOut(TRect{0, 0, 120, 30}, 10, 5, "Hello");
    EXPECT_EQ(leftmostInk(b), base + k.shift) << k.rtlFlag << k.rtlCanvas;
  }
  // Clipped to the rectangle.
  Board clipped(120, 30);
  {
    TIECanvas c(clipped.Canvas());
    c.Canvas().Brush()->SetStyle(bsClear);
    c.ClippedTextOut(TRect{12, 8, 20, 14}, 10, 5, "Hello");
  }
  int inside = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      if (clipped.At(x, y) != 0xFFFFFFu) {
        ASSERT_TRUE(x >= 12 && x < 20 && y >= 8 && y < 14) << x << "," << y;
        ++inside;
      }
  EXPECT_GT(inside, 0);
}
