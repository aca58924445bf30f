// Shadow strips, the soft shadow and the 3-D frame, each checked pixel by
// pixel against its formula evaluated here.
#include "imaging/view/ieshadows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieblurgray.h"
#include "imaging/core/ieconvert.h"
#include "platform/vcl/graphics.h"

namespace {

struct Px {
  int b, g, r;
  friend bool operator==(const Px&, const Px&) = default;
};

std::ostream& operator<<(std::ostream& os, const Px& p) { return os << "(" << p.b << "," << p.g << "," << p.r << ")"; }

Px PatternAt(int x, int y) {
  return {(x * 7 + y * 3 + 40) % 216 + 40, (x * 5 + y * 11 + 90) % 200 + 55, (x + y * 13) % 190 + 65};
}

// A 24-bit bitmap holding the pattern, shifted by (dx, dy) into pattern coordinates.
void FillPattern(TBitmap& bmp, int w, int h, int dx = 0, int dy = 0) {
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < w; ++x) {
      const Px p = PatternAt(x + dx, y + dy);
      row[3 * x] = uint8_t(p.b);
      row[3 * x + 1] = uint8_t(p.g);
      row[3 * x + 2] = uint8_t(p.r);
    }
  }
}

Px At(TBitmap& bmp, int x, int y) {
  const auto* p = static_cast<const uint8_t*>(bmp.ScanLine(y)) + 3 * x;
  return {p[0], p[1], p[2]};
}

Px Darkened(Px p, double factor) {
  return {int(std::trunc(p.b * factor)), int(std::trunc(p.g * factor)), int(std::trunc(p.r * factor))};
}

// Kind 2's factor for strip offset `o` (0 next to the image) of a strip `depth` wide.
double SoftFactor(int o, int depth) {
  const double l = double(depth - o) / (double(depth) / 3);
  return std::exp(-0.1 - l * l / 6);
}

TEST(ShadowStrips, SoftKindFactorsAtBothEdgesOfASixPixelStrip) {
  // Column 0 next to the image: l = 3, e^(-0.1 - 9/6); column 5: l = 0.5.
  EXPECT_DOUBLE_EQ(SoftFactor(0, 6), std::exp(-1.6));
  EXPECT_NEAR(std::exp(-1.6), 0.202, 0.001);
  EXPECT_DOUBLE_EQ(SoftFactor(5, 6), std::exp(-0.1 - 0.25 / 6));
  EXPECT_NEAR(std::exp(-0.1 - 0.25 / 6), 0.868, 0.001);

  for (bool right : {true, false}) {
    SCOPED_TRACE(right ? "right" : "bottom");
    TBitmap bmp;
    FillPattern(bmp, 40, 40);
    if (right)
      IEDrawRightShadow(*bmp.Canvas(), &bmp, 10, 5, 15, 25, 2, clRed);
    else
      IEDrawBottomShadow(*bmp.Canvas(), &bmp, 5, 10, 25, 15, 2, clRed);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        // In strip coordinates: o across the strip, t along it.
        const int o = right ? x - 10 : y - 10, t = right ? y : x;
        const int from = 5 + 6, to = right ? 25 + o - 6 + 3 : 25 + o - 6 + 1;
        Px want = PatternAt(x, y);
        if (o >= 0 && o < 6 && t >= from && t <= to) {
          want = Darkened(want, o == 0 ? std::exp(-1.6) : o == 5 ? std::exp(-0.1 - 0.25 / 6) : SoftFactor(o, 6));
        }
        ASSERT_EQ(At(bmp, x, y), want) << x << "," << y;
      }
  }
}

// Kind 2 with the pixels split between the bitmap and the canvas: the bitmap
// passed covers the canvas's pixels (ox, oy)-(ox + 20, oy + 15) (a copy of
// them), and pixels off it go through the canvas with the same factors.
TEST(ShadowStrips, SoftKindReachesPixelsOffTheBitmapThroughTheCanvas) {
  struct Case {
    bool right;
    int x1, y1, x2, y2;
    bool withBitmap;
  };
  const Case cases[] = {
      {true, 12, 3, 17, 30, true},    // the strip runs off the bitmap's bottom and right
      {true, -3, -6, 2, 20, true},    // starts above and left of everything: row 0 is an ordinary row
      {false, 4, 10, 45, 14, true},   // runs off the bitmap and the canvas to the right
      {false, -8, -2, 30, 3, false},  // no bitmap: all through the canvas
      {true, 5, 2, 9, 12, false},     // w = 5: a third that is not whole
  };
  const int ox = 6, oy = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2);
    TBitmap canvasBmp, part;
    FillPattern(canvasBmp, 40, 30);
    FillPattern(part, 20, 15, ox, oy);
    // The canvas shows the bitmap's area at (0, 0): pixels inside `part` are
    // changed there, so the canvas keeps the pattern under them.
    const int depth = c.right ? c.x2 - c.x1 + 1 : c.y2 - c.y1 + 1;
    TBitmap* bitmap = c.withBitmap ? &part : nullptr;
    if (c.right)
      IEDrawRightShadow(*canvasBmp.Canvas(), bitmap, c.x1, c.y1, c.x2, c.y2, 2, 0);
    else
      IEDrawBottomShadow(*canvasBmp.Canvas(), bitmap, c.x1, c.y1, c.x2, c.y2, 2, 0);
    auto factorAt = [&](int x, int y) {
      const int o = c.right ? x - c.x1 : y - c.y1, t = c.right ? y : x;
      const int from = (c.right ? c.y1 : c.x1) + depth;
      const int to = c.right ? c.y2 + o - depth + 3 : c.x2 + o - depth + 1;
      return o >= 0 && o < depth && t >= from && t <= to ? SoftFactor(o, depth) : 1.0;
    };
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inPart = c.withBitmap && x < 20 && y < 15;
        const Px want = inPart ? PatternAt(x, y) : Darkened(PatternAt(x, y), factorAt(x, y));
        ASSERT_EQ(At(canvasBmp, x, y), want) << "canvas " << x << "," << y;
      }
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 20; ++x) {
        const Px orig = PatternAt(x + ox, y + oy);
        ASSERT_EQ(At(part, x, y), c.withBitmap ? Darkened(orig, factorAt(x, y)) : orig) << "bitmap " << x << "," << y;
      }
  }
}

TEST(ShadowStrips, SolidKindFillsWithTheCanvasBrush) {
  for (bool right : {true, false}) {
    TBitmap bmp;
    FillPattern(bmp, 30, 30);
    TCanvas& canvas = *bmp.Canvas();
    canvas.Brush()->SetColor(RGBColor(10, 20, 30));
    canvas.Brush()->SetStyle(bsSolid);
    // Right: (x1, y1 + w)-(x2, y2 + 1) exclusive; bottom: (x1 + h, y1)-(x2 + 1, y2).
    TRect filled;
    if (right) {
      IEDrawRightShadow(canvas, &bmp, 8, 2, 12, 20, 1, clRed);
      filled = Rect(8, 2 + 5, 12, 21);
    } else {
      IEDrawBottomShadow(canvas, &bmp, 2, 8, 20, 12, 1, clRed);
      filled = Rect(2 + 5, 8, 21, 12);
    }
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x)
        ASSERT_EQ(At(bmp, x, y), (filled.Contains({x, y}) ? Px{30, 20, 10} : PatternAt(x, y)))
            << (right ? "right " : "bottom ") << x << "," << y;
  }
}

int GrayOf(double e) { return std::clamp(int(std::trunc(std::exp(e) / std::numbers::e * 255)), 0, 255); }

TEST(ShadowStrips, GrayGradientKind) {
  for (bool right : {true, false}) {
    SCOPED_TRACE(right ? "right" : "bottom");
    TBitmap bmp;
    FillPattern(bmp, 40, 40);
    // A strip 5 deep and 12 long, starting at (6, 4).
    const int depth = 5, length = 12;
    if (right)
      IEDrawRightShadow(*bmp.Canvas(), &bmp, 6, 4, 6 + depth - 1, 4 + length - 1, 3, 0);
    else
      IEDrawBottomShadow(*bmp.Canvas(), &bmp, 6, 4, 6 + length - 1, 4 + depth - 1, 3, 0);
    std::vector<std::vector<int>> want(40, std::vector<int>(40, -1));
    for (int i = 0; i <= length; ++i) {
      const int floor = GrayOf(double(length - 3 * i) / length);
      const int first = std::max(0, i - (length - depth + 1));
      for (int j = first; j <= depth; ++j) {
        const int x = right ? 6 + j : 6 + i, y = right ? 4 + i : 4 + j;
        want[size_t(y)][size_t(x)] = std::max(GrayOf(double(j) / depth), floor);
      }
    }
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        const int g = want[size_t(y)][size_t(x)];
        ASSERT_EQ(At(bmp, x, y), (g < 0 ? PatternAt(x, y) : Px{g, g, g})) << x << "," << y;
      }
  }
}

TEST(ShadowStrips, OtherKindsAndEmptyStripsDrawNothing) {
  struct Case {
    int kind;
    int x1, y1, x2, y2;
  };
  const Case cases[] = {{4, 5, 5, 10, 20}, {0, 5, 5, 10, 20},  {-1, 5, 5, 10, 20}, {2, 10, 5, 9, 20},
                        {3, 10, 5, 9, 20}, {3, 5, 20, 10, 19}, {2, 5, 20, 10, 19}};
  for (const Case& c : cases) {
    for (bool right : {true, false}) {
      TBitmap bmp;
      FillPattern(bmp, 30, 30);
      if (right)
        IEDrawRightShadow(*bmp.Canvas(), &bmp, c.x1, c.y1, c.x2, c.y2, c.kind, 0);
      else
        IEDrawBottomShadow(*bmp.Canvas(), &bmp, c.y1, c.x1, c.y2, c.x2, c.kind, 0);
      for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
          ASSERT_EQ(At(bmp, x, y), PatternAt(x, y)) << "kind " << c.kind << " " << x << "," << y;
    }
  }
}

// The mask of the soft shadow built by its definition over the full mask:
// (x2 - x1 + 11) x (y2 - y1 + 11), 255 over (5, 5)-(x2 - x1 + 7, y2 - y1 + 7),
// blurred by `blur`, then every bitmap pixel under it outside the rectangle
// darkened by 1 - m / 255.
void ExpectedSoftShadow(std::vector<std::vector<Px>>& img, int x1, int y1, int x2, int y2,
                        const std::function<void(std::vector<std::vector<int>>&)>& blur) {
  const int mw = x2 - x1 + 11, mh = y2 - y1 + 11;
  std::vector<std::vector<int>> mask(size_t(mh), std::vector<int>(size_t(mw), 0));
  for (int y = 5; y <= y2 - y1 + 7; ++y)
    for (int x = 5; x <= x2 - x1 + 7; ++x) mask[size_t(y)][size_t(x)] = 255;
  if (blur) blur(mask);
  const int h = int(img.size()), w = int(img[0].size());
  for (int y = std::max(0, y1 - 5); y < std::min(h, y2 + 6); ++y)
    for (int x = std::max(0, x1 - 5); x < std::min(w, x2 + 6); ++x) {
      if (x >= x1 && x < x2 && y >= y1 && y < y2) continue;
      img[size_t(y)][size_t(x)] =
          Darkened(img[size_t(y)][size_t(x)], 1 - mask[size_t(y - y1 + 5)][size_t(x - x1 + 5)] / 255.0);
    }
}

// The mask blurred as the shadow must blur it: the whole mask at radius 2.5
// (the blur itself is checked against its formula in ieblurgray_test.cpp).
void GaussianBlur25(std::vector<std::vector<int>>& m) {
  const int h = int(m.size()), w = int(m[0].size());
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(w, h, ie8g));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixelByte(x, y, uint8_t(m[size_t(y)][size_t(x)]));
  GaussianBlurGray8(b, 0, 0, 2.5, h - 1, w - 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m[size_t(y)][size_t(x)] = b.GetPixelByte(x, y);
}

TEST(SoftShadow, DarkensAroundTheRectangleByTheBlurredMask) {
  struct Case {
    int x1, y1, x2, y2;
  };
  const Case cases[] = {
      {12, 10, 25, 18},        // well inside
      {-4, 2, 8, 37},          // crosses the left and bottom edges
      {-600, -450, 3000, 14},  // far larger than the bitmap (a zoomed-in image)
      {20, 20, 21, 21},        // a 1 x 1 rectangle
  };
  const int w = 40, h = 36;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2);
    TBitmap bmp;
    FillPattern(bmp, w, h);
    IEDrawSoftShadow(bmp, c.x1, c.y1, c.x2, c.y2, clRed);
    std::vector<std::vector<Px>> want(size_t(h), std::vector<Px>(size_t(w), Px{}));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) want[size_t(y)][size_t(x)] = PatternAt(x, y);
    ExpectedSoftShadow(want, c.x1, c.y1, c.x2, c.y2, &GaussianBlur25);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        ASSERT_EQ(At(bmp, x, y), want[size_t(y)][size_t(x)]) << x << "," << y;
        if (x >= c.x1 && x < c.x2 && y >= c.y1 && y < c.y2) {
          ASSERT_EQ(At(bmp, x, y), PatternAt(x, y));
        }
      }
  }
}

TEST(SoftShadow, OtherPixelFormatsAreLeftAlone) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(20, 20);
  for (int y = 0; y < 20; ++y) std::fill_n(static_cast<uint8_t*>(bmp.ScanLine(y)), 80, uint8_t(200));
  IEDrawSoftShadow(bmp, 5, 5, 10, 10, 0);
  for (int y = 0; y < 20; ++y)
    for (int i = 0; i < 80; ++i) ASSERT_EQ(static_cast<const uint8_t*>(bmp.ScanLine(y))[i], 200);
}

TEST(Frame3D, HighlightLeftAndTopShadowBottomAndRight) {
  TBitmap bmp;
  FillPattern(bmp, 20, 20);
  TCanvas& canvas = *bmp.Canvas();
  // Whatever the pen was, the frame is drawn solid, 1 pixel wide, in copy mode.
  canvas.Pen()->SetMode(pmXor);
  canvas.Pen()->SetWidth(3);
  canvas.Pen()->SetStyle(psDot);
  IEDraw3DFrame(canvas, 2, 3, 12, 9, RGBColor(250, 0, 0), RGBColor(0, 0, 250));
  const Px hi{0, 0, 250}, sh{250, 0, 0};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      Px want = PatternAt(x, y);
      if ((x == 2 && y >= 4 && y <= 8) || (y == 3 && x >= 2 && x <= 11)) want = hi;
      if ((y == 9 && x >= 2 && x <= 11) || (x == 12 && y >= 4 && y <= 9)) want = sh;
      ASSERT_EQ(At(bmp, x, y), want) << x << "," << y;
    }
  EXPECT_EQ(canvas.Pen()->Mode(), pmCopy);
}

}  // namespace
