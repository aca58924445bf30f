// The interaction hint, the dimming around the navigator frame and the
// two-colour frame, drawn through the antialiased canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "imaging/view/iecanvasdraw.h"
#include "imaging/view/iegdiplus.h"
#include "tests/imaging/view/canvasboard.h"
#include "platform/vcl/graphics.h"

namespace {

using viewtest::Board;

int Over(int dst, int src, int a) { return int(std::lround((src * a + dst * (255.0 - a)) / 255.0)); }
win::COLORREF Gray(int v) { return win::RGB(uint8_t(v), uint8_t(v), uint8_t(v)); }

class CanvasDraw : public ::testing::Test {
protected:
  void SetUp() override {
    IEGDIPlusInitialize();
    IEGDIPlusAddRef();
    ASSERT_TRUE(IEGDIPlusEnabled());
  }
  void TearDown() override {
    while (IEGDIPlusUserCount() > 0) IEGDIPlusRelease();
    IEGDIPlusInitialize();
  }
};

}  // namespace

TEST_F(CanvasDraw, DimOutsideRectDarkensTheAreaAroundTheRectangleOnce) {
  // Each strip's fill loses its right column and bottom row, so of the
  // rectangle's own border the left and right columns and the top row are
  // dimmed, the bottom row is not.
  struct Case {
    int x, y, w, h, left, top, right, bottom;
  } cases[] = {{0, 0, 40, 30, 10, 8, 25, 20}, {5, 4, 30, 20, 12, 9, 20, 15}};
  const win::COLORREF dim = Gray(Over(255, 0, 150));
  for (const Case& k : cases) {
    Board b(40, 30);
    IEDimOutsideRect(b.Canvas(), k.x, k.y, k.w, k.h, k.left, k.top, k.right, k.bottom);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inArea = x >= k.x && x < k.x + k.w && y >= k.y && y < k.y + k.h;
        const bool outsideRect = x <= k.left || x >= k.right || y <= k.top || y > k.bottom;
        ASSERT_EQ(b.At(x, y), inArea && outsideRect ? dim : 0xFFFFFFu) << x << "," << y;
      }
  }
}

TEST_F(CanvasDraw, DimOutsideRectIgnoresAnEmptyRectangle) {
  struct Case {
    int left, top, right, bottom;
  } cases[] = {{20, 8, 20, 15}, {25, 8, 10, 15}, {10, 15, 20, 15}, {10, 16, 20, 15}};
  for (const Case& k : cases) {
    Board b(40, 30);
    IEDimOutsideRect(b.Canvas(), 0, 0, 40, 30, k.left, k.top, k.right, k.bottom);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) ASSERT_EQ(b.At(x, y), 0xFFFFFFu) << k.left << "," << k.top;
  }
}

TEST_F(CanvasDraw, DimOutsideRectWithoutTheEngineIsOpaque) {
  SetIEGDIPlusAllowed(false);
  Board b(40, 30);
  IEDimOutsideRect(b.Canvas(), 0, 0, 40, 30, 10, 8, 25, 20);
  EXPECT_EQ(b.At(2, 2), 0u);
  EXPECT_EQ(b.At(30, 25), 0u);
  EXPECT_EQ(b.At(15, 12), 0xFFFFFFu);
}

TEST_F(CanvasDraw, InteractionHintIsAHalfTransparentFramedBox) {
  const std::string text = "x=12 y=7", reference = "x=0000 y=0000";
  for (bool engine : {true, false}) {
    SCOPED_TRACE(engine);
    SetIEGDIPlusAllowed(engine);
    Board b(160, 50, TColor(Gray(50)));
    int32_t x = -5, y = 3;
    IEDrawInteractionHint(b.Canvas(), x, y, text, reference);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 3);
    // The canvas keeps the hint's font, so the box can be measured with it.
    EXPECT_EQ(b.Canvas().Font()->Name(), "Arial");
    EXPECT_EQ(b.Canvas().Font()->Size(), 9);
    const int bw = std::max(b.Canvas().TextWidth(text), b.Canvas().TextWidth(reference)) + 12;
    const int bh = b.Canvas().TextHeight(text) + 12;
    ASSERT_GT(b.Canvas().TextWidth(reference), b.Canvas().TextWidth(text));
    const int midY = y + bh / 2;
    // Light yellow body, half transparent through the engine.
    const int a = engine ? 128 : 255;
    EXPECT_EQ(b.At(x + bw - 4, y + 8), win::RGB(uint8_t(Over(50, 255, a)), uint8_t(Over(50, 255, a)),
                                               uint8_t(Over(50, 96, a))));
    if (engine) {
      // One-pixel frame lines on pixel edges: half of the pixel outside the body.
      EXPECT_EQ(b.At(x + 5, midY), Gray(Over(50, 255, 128)));       // light, left
      EXPECT_EQ(b.At(x + bw - 1, midY), Gray(Over(50, 128, 128)));  // dark, right
    } else {
      EXPECT_EQ(b.At(x + 6, midY), Gray(255));
      EXPECT_EQ(b.At(x + bw - 1, midY), Gray(128));
    }
    // Black text inside the box, nothing drawn outside it.
    int darkest = 255;
    for (int py = y + 9; py < y + bh - 2; ++py)
      for (int px = x + 9; px < x + bw - 3; ++px) darkest = std::min(darkest, int(b.At(px, py) & 0xFF));
    EXPECT_LT(darkest, 60);
    for (int py = 0; py < 50; ++py)
      for (int px = 0; px < 160; ++px)
        if (px < x + 5 || px > x + bw || py < y + 5 || py > y + bh) {
          ASSERT_EQ(b.At(px, py), Gray(50)) << px << "," << py;
        }
  }
}

TEST_F(CanvasDraw, ThreeDFrameSetsCopyModeAndSolidStyleAndKeepsTheWidth) {
  struct Case {
    bool engine;
    int width;
  } cases[] = {{false, 1}, {true, 3}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.engine);
    SetIEGDIPlusAllowed(k.engine);
    Board b(30, 24);
    TIECanvas c(b.Canvas());
    ASSERT_EQ(c.UsesGDIPlus(), k.engine);
    c.Pen()->SetWidth(float(k.width));
    c.Pen()->SetStyle(psDash);
    c.Pen()->SetMode(pmXor);
    IEDraw3DFrameGDIPlus(c, 5, 5, 20, 15, clRed, clBlue);
    EXPECT_EQ(c.Pen()->Style(), psSolid);
    EXPECT_EQ(c.Pen()->Mode(), pmCopy);
    EXPECT_FLOAT_EQ(c.Pen()->Width(), float(k.width));
    const win::COLORREF red = win::RGB(255, 0, 0), blue = win::RGB(0, 0, 255);
    // Away from the corners, where a wide pen's lines overlap.
    for (int x = 7; x < 18; ++x) {
      ASSERT_EQ(b.At(x, 5), red) << x;    // top: highlight, solid
      ASSERT_EQ(b.At(x, 15), blue) << x;  // bottom: shadow
    }
    for (int y = 7; y < 13; ++y) {
      ASSERT_EQ(b.At(5, y), red) << y;    // left: highlight
      ASSERT_EQ(b.At(20, y), blue) << y;  // right: shadow
    }
    EXPECT_EQ(b.At(12, 10), 0xFFFFFFu);
  }
}
