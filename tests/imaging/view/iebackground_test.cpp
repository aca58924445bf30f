// The view's background painting, checked pixel by pixel: colours from the
// colour rules, shadows from their formulas, the soft shadow from its mask
// built here with the library's blur, wallpaper positions from the tile grid.
#include "imaging/view/iebackground.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/processing/voviderproc.h"
#include "platform/gdi/syscolors.h"
#include "platform/win/winuser.h"

namespace {

struct Px {
  int r, g, b;
  friend bool operator==(const Px&, const Px&) = default;
};
std::ostream& operator<<(std::ostream& os, const Px& p) {
  return os << "rgb(" << p.r << "," << p.g << "," << p.b << ")";
}

Px FromColor(TColor c) {
  const uint32_t v = uint32_t(ColorToRGB(c));
  return {GetRValue(v), GetGValue(v), GetBValue(v)};
}
Px Inverse(Px p) { return {255 - p.r, 255 - p.g, 255 - p.b}; }

Px PatternAt(int x, int y) {
  return {(x * 7 + y * 3) % 200 + 30, (x * 5 + y * 11) % 180 + 60, (x + y * 13) % 190 + 50};
}

// A 24-bit bitmap with a pattern that no painter produces by itself.
void Prepare(TBitmap& bmp, int w, int h) {
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < w; ++x) {
      const Px p = PatternAt(x, y);
      row[3 * x] = uint8_t(p.b);
      row[3 * x + 1] = uint8_t(p.g);
      row[3 * x + 2] = uint8_t(p.r);
    }
  }
}

Px At(TBitmap& bmp, int x, int y) {
  const auto* p = static_cast<const uint8_t*>(bmp.ScanLine(y)) + 3 * x;
  return {p[2], p[1], p[0]};
}

// The call as the view makes it, with the settings that matter here.
struct Paint {
  TBitmap* bitmap = nullptr;
  TIEWallPaperStyle wallPaperStyle = iewoNormal;
  TPicture* wallPaper = nullptr;
  TColor gradientEnd = 0xFF0000;
  TBrushStyle chessStyle = bsSolid;
  int32_t chessSize = 16;
  TRect image{0, 0, 0, 0};
  TRect frame{0, 0, 0, 0};
  TColor background = clBlack;
  TIEBackgroundStyle style = iebsSolid;
  bool designing = false;

  void On(TCanvas& canvas) const {
    PaintViewBackground(canvas, bitmap, wallPaperStyle, wallPaper, gradientEnd, chessStyle, chessSize, image.Left,
                        image.Top, image.Right, image.Bottom, frame.Height(), frame.Width(), frame.Left, frame.Top,
                        background, style, designing);
  }
};

// Compares every pixel with want(x, y).
template <class F>
::testing::AssertionResult AllPixels(TBitmap& bmp, F want) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (!(At(bmp, x, y) == want(x, y)))
        return ::testing::AssertionFailure()
               << "pixel " << x << "," << y << " is " << At(bmp, x, y) << ", want " << want(x, y);
  return ::testing::AssertionSuccess();
}

TEST(BackgroundColors, ComplementIsTheInverseOfTheShownColour) {
  EXPECT_EQ(IEComplementColor(clBlack), RGBColor(255, 255, 255));
  EXPECT_EQ(IEComplementColor(RGBColor(10, 200, 30)), RGBColor(245, 55, 225));
  EXPECT_EQ(FromColor(IEComplementColor(clBtnFace)), Inverse(FromColor(clBtnFace)));
  EXPECT_FALSE(IsSystemColor(IEComplementColor(clWhite)));
}

TEST(Chessboard, CellsThroughTheCanvasStartWithTheComplement) {
  // As PaintBackgroundTo paints: no bitmap, no image, origin 0, the whole area as frame.
  for (TColor bg : {clBlack, RGBColor(10, 200, 30), clBtnFace}) {
    SCOPED_TRACE(bg);
    TBitmap bmp;
    Prepare(bmp, 100, 70);
    Paint p;
    p.frame = Rect(0, 0, 100, 70);
    p.background = bg;
    p.style = iebsChessboard;
    p.On(*bmp.Canvas());
    const Px back = FromColor(bg), comp = Inverse(back);
    EXPECT_EQ(At(bmp, 0, 0), comp);
    EXPECT_EQ(At(bmp, 16, 0), back);
    EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) { return (x / 16 + y / 16) % 2 ? back : comp; }));
  }
}

TEST(Chessboard, PixelsWrittenIntoA24BitBitmapStartWithTheBackground) {
  struct Case {
    TRect frame;
    int32_t size;
    const char* why;
  };
  const Case cases[] = {
      {Rect(0, 0, 100, 70), 16, "whole bitmap"},
      {Rect(5, 3, 55, 43), 7, "inner frame, cells from its origin, cut at its edges"},
      {Rect(-10, 0, 130, 70), 16, "frame wider than the bitmap: columns cut"},
  };
  const TColor bg = RGBColor(40, 90, 160);
  const Px back = FromColor(bg), comp = Inverse(back);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    TBitmap bmp;
    Prepare(bmp, 100, 70);
    Paint p;
    p.bitmap = &bmp;
    p.frame = c.frame;
    p.chessSize = c.size;
    p.background = bg;
    p.style = iebsChessboard;
    p.On(*bmp.Canvas());
    EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) {
      if (!c.frame.Contains({x, y})) return PatternAt(x, y);
      return ((x - c.frame.Left) / c.size + (y - c.frame.Top) / c.size) % 2 ? comp : back;
    }));
  }
}

TEST(Chessboard, FrameRowsBeyondTheBitmapLandOnItsEdgeRows) {
  // Rows above the bitmap are written to row 0 before row 0 itself; those
  // below overwrite the last row, which ends with the frame's last row.
  const TColor bg = RGBColor(40, 90, 160);
  const Px back = FromColor(bg), comp = Inverse(back);
  TBitmap bmp;
  Prepare(bmp, 50, 30);
  Paint p;
  p.bitmap = &bmp;
  p.frame = Rect(0, -20, 50, 45);
  p.chessSize = 8;
  p.background = bg;
  p.style = iebsChessboard;
  p.On(*bmp.Canvas());
  EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) {
    const int frameRow = y == 29 ? 44 : y;
    return (x / 8 + (frameRow + 20) / 8) % 2 ? comp : back;
  }));
}

TEST(Chessboard, OtherBitmapsAndBrushStylesUseCells) {
  // A 32-bit bitmap cannot take the direct path: cells, complement first.
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(40, 40);
  Paint p;
  p.bitmap = &bmp;
  p.frame = Rect(0, 0, 40, 40);
  p.background = RGBColor(200, 100, 0);
  p.style = iebsChessboard;
  p.On(*bmp.Canvas());
  EXPECT_EQ(uint32_t(bmp.Canvas()->Pixels(3, 3)) & 0xFFFFFF, uint32_t(IEComplementColor(p.background)));
  EXPECT_EQ(uint32_t(bmp.Canvas()->Pixels(20, 3)) & 0xFFFFFF, uint32_t(p.background));
}

TEST(Chessboard, CellSizeBelowOneFillsWithTheBackground) {
  for (int32_t size : {0, -5}) {
    for (bool direct : {true, false}) {
      TBitmap bmp;
      Prepare(bmp, 30, 20);
      Paint p;
      p.bitmap = direct ? &bmp : nullptr;
      p.frame = Rect(2, 2, 28, 18);
      p.chessSize = size;
      p.background = RGBColor(1, 2, 3);
      p.style = iebsChessboard;
      p.On(*bmp.Canvas());
      EXPECT_TRUE(AllPixels(bmp,
                            [&](int x, int y) {
                              return p.frame.Contains({x, y}) ? Px{1, 2, 3} : PatternAt(x, y);
                            }))
          << size << (direct ? " direct" : " cells");
    }
  }
}

TEST(BackgroundStyles, SolidBlackFillsTheFrame) {
  TBitmap bmp;
  Prepare(bmp, 80, 50);
  Paint p;
  p.frame = Rect(10, 5, 60, 35);
  p.background = clBlack;
  p.On(*bmp.Canvas());
  EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) { return p.frame.Contains({x, y}) ? Px{0, 0, 0} : PatternAt(x, y); }));
}

TEST(BackgroundStyles, HatchedStylesStayInsideTheFrame) {
  for (TIEBackgroundStyle s : {iebsHorizontal, iebsVertical, iebsFDiagonal, iebsBDiagonal, iebsCross, iebsDiagCross}) {
    TBitmap bmp;
    Prepare(bmp, 60, 40);
    Paint p;
    p.frame = Rect(8, 6, 48, 36);
    p.background = RGBColor(255, 0, 255);
    p.style = s;
    p.On(*bmp.Canvas());
    int hatch = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) {
        if (!p.frame.Contains({x, y})) {
          ASSERT_EQ(At(bmp, x, y), PatternAt(x, y)) << int(s);
        } else {
          hatch += At(bmp, x, y) == Px{255, 0, 255};
        }
      }
    // Hatch lines in the background colour, but not a solid fill.
    EXPECT_GT(hatch, 40) << int(s);
    EXPECT_LT(hatch, 40 * 30) << int(s);
  }
}

TEST(BackgroundStyles, DiagonalsInTheComplement) {
  TBitmap bmp;
  Prepare(bmp, 100, 50);
  Paint p;
  p.frame = Rect(0, 0, 100, 50);
  p.background = RGBColor(20, 40, 60);
  p.style = iebsDiagonals;
  p.On(*bmp.Canvas());
  const Px back{20, 40, 60}, comp{235, 215, 195};
  // (0, 0) to (100, 50): every even column hits its row exactly.
  for (int k = 0; k < 50; ++k) EXPECT_EQ(At(bmp, 2 * k, k), comp) << k;
  // (100, 0) to (0, 50), end point left out: one pixel per column within a row of the ideal line.
  for (int x = 1; x < 100; ++x) {
    const double ideal = 50 - x / 2.0;
    bool hit = false;
    for (int y = std::max(0, int(ideal) - 1); y <= std::min(49, int(ideal) + 1); ++y) hit |= At(bmp, x, y) == comp;
    EXPECT_TRUE(hit) << x;
  }
  int lines = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) {
      const Px v = At(bmp, x, y);
      ASSERT_TRUE(v == back || v == comp) << x << "," << y;
      lines += v == comp;
    }
  EXPECT_GE(lines, 195);
  EXPECT_LE(lines, 200);
}

TEST(BackgroundStyles, CroppedDrawsASunkenEdgeAroundTheImage) {
  using namespace win;
  const int ex = GetSystemMetrics(SM_CXEDGE), ey = GetSystemMetrics(SM_CYEDGE);
  ASSERT_EQ(ex, 2);
  ASSERT_EQ(ey, 2);
  auto sys = [](int index) {
    const COLORREF c = GetSysColor(index);
    return Px{GetRValue(c), GetGValue(c), GetBValue(c)};
  };
  const Px face = sys(COLOR_BTNFACE);
  TBitmap bmp;
  Prepare(bmp, 60, 50);
  Paint p;
  p.frame = Rect(0, 0, 60, 50);
  p.image = Rect(15, 10, 45, 40);
  p.background = RGBColor(1, 2, 3);
  p.style = iebsCropped;
  p.On(*bmp.Canvas());
  // Outer ring 2 pixels out, inner ring 1 pixel out; the image area and all else in the face colour.
  EXPECT_EQ(At(bmp, 13, 25), sys(COLOR_BTNSHADOW));
  EXPECT_EQ(At(bmp, 30, 8), sys(COLOR_BTNSHADOW));
  EXPECT_EQ(At(bmp, 14, 25), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(At(bmp, 46, 25), sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(bmp, 30, 41), sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(bmp, 45, 25), sys(COLOR_3DLIGHT));
  EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) {
    const bool ring = Rect(13, 8, 47, 42).Contains({x, y}) && !Rect(15, 10, 45, 40).Contains({x, y});
    return ring ? At(bmp, x, y) : face;
  }));

  // A 1-pixel-wide image, or design time: the face colour or the background only.
  Prepare(bmp, 60, 50);
  p.image = Rect(15, 10, 16, 40);
  p.On(*bmp.Canvas());
  EXPECT_TRUE(AllPixels(bmp, [&](int, int) { return face; }));
  p.image = Rect(15, 10, 45, 40);
  p.designing = true;
  p.On(*bmp.Canvas());
  EXPECT_TRUE(AllPixels(bmp, [&](int, int) { return Px{1, 2, 3}; }));
}

double StripFactor(int o, int depth) {
  const double l = double(depth - o) / (double(depth) / 3);
  return std::exp(-0.1 - l * l / 6);
}

TEST(BackgroundStyles, CropShadowDarkensStripsRightOfAndBelowTheImage) {
  for (bool withBitmap : {true, false}) {
    TBitmap bmp;
    Prepare(bmp, 60, 50);
    Paint p;
    p.bitmap = withBitmap ? &bmp : nullptr;
    p.frame = Rect(0, 0, 60, 50);
    p.image = Rect(10, 10, 40, 30);
    p.background = RGBColor(200, 180, 160);
    p.style = iebsCropShadow;
    p.On(*bmp.Canvas());
    auto dark = [](double f) { return Px{int(200 * f), int(180 * f), int(160 * f)}; };
    EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) {
      // Right strip x 40..45, y 10..33 (w 6): column f over rows 16 .. 30 + f.
      const int f = x - 40;
      if (f >= 0 && f < 6 && y >= 16 && y <= 30 + f) return dark(StripFactor(f, 6));
      // Bottom strip y 30..35, x 10..44 (h 6): row k over columns 16 .. 39 + k.
      const int k = y - 30;
      if (k >= 0 && k < 6 && x >= 16 && x <= 39 + k) return dark(std::exp(-0.1 - std::pow((k - 6) / 2.0, 2) / 6));
      return Px{200, 180, 160};
    })) << (withBitmap ? "bitmap" : "canvas");
  }
}

// The soft shadow as its steps define it, with the library's blur, over a
// frame already filled with `bg`.
std::vector<std::vector<Px>> SoftShadowOver(int w, int h, Px bg, TRect r) {
  std::vector<std::vector<Px>> img(size_t(h), std::vector<Px>(size_t(w), bg));
  const int mw = r.Right - r.Left + 11, mh = r.Bottom - r.Top + 11;
  TIEBitmap mask;
  EXPECT_TRUE(mask.Allocate(mw, mh, ie8g));
  mask.Fill(0);
  for (int y = 5; y <= mh - 4; ++y)
    for (int x = 5; x <= mw - 4; ++x) mask.SetPixelByte(x, y, 255);
  GaussianBlurGray8(mask, 0, 0, 2.5, mh - 1, mw - 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int mx = x - r.Left + 5, my = y - r.Top + 5;
      if (mx < 0 || my < 0 || mx >= mw || my >= mh || r.Contains({x, y})) continue;
      const double f = 1 - mask.GetPixelByte(mx, my) / 255.0;
      Px& p = img[size_t(y)][size_t(x)];
      p = {int(p.r * f), int(p.g * f), int(p.b * f)};
    }
  return img;
}

TEST(BackgroundStyles, SoftShadowNeedsTheBitmap) {
  // Without a platform bitmap (PaintBackgroundTo) nothing at all is painted.
  TBitmap bmp;
  Prepare(bmp, 70, 60);
  Paint p;
  p.frame = Rect(0, 0, 70, 60);
  p.image = Rect(12, 9, 50, 40);
  p.background = RGBColor(240, 230, 220);
  p.style = iebsSoftShadow;
  p.On(*bmp.Canvas());
  EXPECT_TRUE(AllPixels(bmp, PatternAt));

  // With it: the frame in the background, darkened around the image.
  struct Case {
    TRect image;
    const char* why;
  };
  const Case cases[] = {{Rect(12, 9, 50, 40), "inside"},
                        {Rect(-900, 20, 2000, 45), "much wider than the bitmap (a zoomed image)"},
                        {Rect(-3, 12, 72, 62), "edges just off the bitmap, within the blur's reach"},
                        {Rect(30, 30, 31, 31), "below 2 x 2: no shadow"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Prepare(bmp, 70, 60);
    p.bitmap = &bmp;
    p.image = c.image;
    p.On(*bmp.Canvas());
    const Px bg{240, 230, 220};
    const bool small = c.image.Width() < 2;
    const auto want =
        small ? std::vector<std::vector<Px>>(60, std::vector<Px>(70, bg)) : SoftShadowOver(70, 60, bg, c.image);
    EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) { return want[size_t(y)][size_t(x)]; }));
    if (!small && c.image.Right + 1 < 70) {
      EXPECT_EQ(At(bmp, c.image.Left + 1, c.image.Top + 1), bg);
      EXPECT_LT(At(bmp, c.image.Right + 1, c.image.Top + 10).r, 200);
    }
  }
}

TEST(BackgroundStyles, PhotoLikeFrameOutlineAndChessboardUnderTheImage) {
  const TColor bg = RGBColor(30, 60, 90);
  const Px back = FromColor(bg), comp = Inverse(back), gray{0xB0, 0xB0, 0xB0}, black{0, 0, 0};
  const TRect image = Rect(10, 8, 42, 30);
  for (bool withBitmap : {true, false}) {
    TBitmap bmp;
    Prepare(bmp, 60, 40);
    Paint p;
    p.bitmap = withBitmap ? &bmp : nullptr;
    p.frame = Rect(0, 0, 60, 40);
    p.image = image;
    p.chessSize = 8;
    p.background = bg;
    p.style = iebsPhotoLike;
    p.On(*bmp.Canvas());
    // Direct into the bitmap the first cell is the background; through the canvas, its complement.
    const Px first = withBitmap ? back : comp, second = withBitmap ? comp : back;
    EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) {
      if (image.Contains({x, y})) return ((x - 10) / 8 + (y - 8) / 8) % 2 ? second : first;
      if (Rect(9, 7, 43, 31).Contains({x, y})) return black;
      return gray;
    })) << (withBitmap ? "bitmap" : "canvas");
  }
}

TEST(BackgroundStyles, GradientRunsFromTheBackgroundDown) {
  const Px top{250, 10, 100};
  TBitmap bmp;
  Prepare(bmp, 30, 64);
  Paint p;
  p.frame = Rect(0, 0, 30, 64);
  p.background = RGBColor(250, 10, 100);
  p.gradientEnd = RGBColor(10, 200, 0);
  p.style = iebsGradient;
  p.On(*bmp.Canvas());
  EXPECT_EQ(At(bmp, 0, 0), top);
  EXPECT_EQ(At(bmp, 29, 0), top);
  for (int y = 0; y < 64; ++y) {
    // Linear from the top colour to the bottom one, reached one row past the frame.
    const Px v = At(bmp, 0, y);
    EXPECT_NEAR(v.r, 250 + (10 - 250) * y / 64.0, 1.0) << y;
    EXPECT_NEAR(v.g, 10 + (200 - 10) * y / 64.0, 1.0) << y;
    EXPECT_NEAR(v.b, 100 + (0 - 100) * y / 64.0, 1.0) << y;
    for (int x = 1; x < 30; ++x) ASSERT_EQ(At(bmp, x, y), v) << x << "," << y;
  }
  EXPECT_NEAR(At(bmp, 0, 63).r, 10, 4);
  EXPECT_NEAR(At(bmp, 0, 63).g, 200, 3);

  // Horizontal, from the left.
  Prepare(bmp, 64, 10);
  DrawGradient(Rect(0, 0, 64, 10), bmp.Canvas()->Handle(), clWhite, false, clBlack);
  EXPECT_EQ(At(bmp, 0, 5), (Px{255, 255, 255}));
  EXPECT_NEAR(At(bmp, 63, 5).r, 255 - 255 * 63 / 64.0, 1.0);
  EXPECT_NEAR(At(bmp, 32, 9).g, 255 - 255 * 32 / 64.0, 1.0);
}

TEST(BackgroundStyles, GradientWithoutTheGradientLibraryPaintsNothing) {
  IEFreeGradientFill();
  {
    win::ScopedModuleTable none({});
    EXPECT_FALSE(LoadGradientFill());
    TBitmap bmp;
    Prepare(bmp, 20, 20);
    Paint p;
    p.frame = Rect(0, 0, 20, 20);
    p.style = iebsGradient;
    p.background = clWhite;
    p.On(*bmp.Canvas());
    EXPECT_TRUE(AllPixels(bmp, PatternAt));
    IEFreeGradientFill();
  }
  EXPECT_TRUE(LoadGradientFill());
  EXPECT_TRUE(LoadGradientFill());
  IEFreeGradientFill();
}

// Wallpaper: a 30 x 20 picture whose pixels tell their own position.
Px WallPaperAt(int x, int y) { return {x * 8, y * 12, 77}; }

TEST(WallPaper, DrawnNormalStretchedOrTiledOverTheFrame) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(30, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) source.Canvas()->SetPixels(x, y, RGBColor(uint8_t(x * 8), uint8_t(y * 12), 77));
  TPicture picture;
  picture.SetBitmap(&source);
  ASSERT_EQ(picture.Width(), 30);

  const Px back{0, 0, 0};
  for (TIEWallPaperStyle style : {iewoNormal, iewoStretch, iewoTile}) {
    SCOPED_TRACE(int(style));
    TBitmap bmp;
    Prepare(bmp, 100, 50);
    Paint p;
    p.frame = Rect(0, 0, 100, 50);
    p.background = clBlack;
    p.wallPaper = &picture;
    p.wallPaperStyle = style;
    p.On(*bmp.Canvas());
    switch (style) {
      case iewoNormal:
        EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) { return x < 30 && y < 20 ? WallPaperAt(x, y) : back; }));
        break;
      case iewoTile:
        // At x 0, 30, 60, 90 in rows 0, 20, 40, cut at the frame.
        EXPECT_TRUE(AllPixels(bmp, [&](int x, int y) { return WallPaperAt(x % 30, y % 20); }));
        EXPECT_EQ(At(bmp, 90, 40), WallPaperAt(0, 0));
        EXPECT_EQ(At(bmp, 99, 49), WallPaperAt(9, 9));
        break;
      case iewoStretch:
        // Corners map to corners, the middle to the middle.
        EXPECT_EQ(At(bmp, 0, 0), WallPaperAt(0, 0));
        EXPECT_EQ(At(bmp, 99, 49), WallPaperAt(29, 19));
        EXPECT_EQ(At(bmp, 50, 25), WallPaperAt(15, 10));
        break;
    }
  }

  // An empty picture draws nothing over the fill.
  TPicture empty;
  TBitmap bmp;
  Prepare(bmp, 40, 30);
  Paint p;
  p.frame = Rect(0, 0, 40, 30);
  p.wallPaper = &empty;
  p.wallPaperStyle = iewoTile;
  p.On(*bmp.Canvas());
  EXPECT_TRUE(AllPixels(bmp, [&](int, int) { return back; }));
}

}  // namespace
