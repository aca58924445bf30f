// The bar drawing routines on small bitmaps, their pixels checked against
// what each routine's geometry says: tiles, arrows, dotted frames, the dither
// pattern, clip handling, glyph draw modes and the glyph cache, themed colours
// and parts through a stand-in visual-styles library, and the menu fonts.
#include "ui/bars/dxBarDrawing.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "tests/ui/bars/bar_doubles.h"
#include "tests/ui/lookandfeel/fake_theme_provider.h"
#include "tests/ui/lookandfeel/painter_surface.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarStartup.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxThemeManager.h"

using painter_surface::kPaper;
using painter_surface::Surface;

namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

PixelSet PixelsOf(Surface& s, TColor color) {
  PixelSet set;
  for (const TPoint& p : s.Where(color)) set.insert({p.X, p.Y});
  return set;
}

// A 16 x 16 bitmap whose every pixel tells its own position.
TColor TilePixel(int32_t x, int32_t y) { return RGBColor(uint8_t(x * 16 + 8), uint8_t(y * 16 + 8), 0x5A); }

std::unique_ptr<TBitmap> PositionBitmap() {
  auto bmp = std::make_unique<TBitmap>(16, 16);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x) win::SetPixelV(bmp->Canvas()->Handle(), x, y, win::COLORREF(TilePixel(x, y)));
  return bmp;
}

int32_t Mod16(int64_t v) { return int32_t(((v % 16) + 16) % 16); }

// ---------------------------------------------------------------- tiles

TEST(TileBitmap, SourceSelectsThePartOfTheEndlessTilingThatLandsOnTheDestination) {
  auto bmp = PositionBitmap();
  const struct {
    TRect Dest, Source;
  } cases[] = {
      {{0, 0, 40, 20}, {8, 8, 48, 28}},      // 3 x 2 tiles, the first at (-8, -8)
      {{5, 7, 45, 30}, {0, 0, 40, 23}},      // tiles start at the destination's corner
      {{0, 0, 30, 30}, {-8, -3, 22, 27}},    // a source left of and above the origin stays seamless
      {{10, 10, 50, 40}, {33, 17, 73, 47}},  // an odd offset into the tiling
  };
  for (const auto& c : cases) {
    Surface s(60, 45);
    TileBitmap(s.bmp.Canvas()->Handle(), c.Dest, c.Source, bmp.get());
    for (int32_t y = 0; y < 45; ++y)
      for (int32_t x = 0; x < 60; ++x) {
        const TColor want = c.Dest.Contains({x, y}) ? TilePixel(Mod16(int64_t(x) - c.Dest.Left + c.Source.Left),
                                                                Mod16(int64_t(y) - c.Dest.Top + c.Source.Top))
                                                    : kPaper;
        ASSERT_EQ(s.At(x, y), want) << "at " << x << "," << y << " source " << c.Source.Left << "," << c.Source.Top;
      }
  }
}

TEST(TileBitmap, PutsTheClipBack) {
  auto bmp = PositionBitmap();
  Surface s(40, 40);
  win::HDC dc = s.bmp.Canvas()->Handle();
  win::HRGN probe = win::CreateRectRgn(0, 0, 0, 0);
  TileBitmap(dc, {20, 20, 30, 30}, {0, 0, 10, 10}, bmp.get());
  EXPECT_EQ(win::GetClipRgn(dc, probe), 0);  // none before, none after

  win::IntersectClipRect(dc, 2, 2, 30, 30);
  TileBitmap(dc, {0, 0, 10, 10}, {0, 0, 10, 10}, bmp.get());
  ASSERT_EQ(win::GetClipRgn(dc, probe), 1);
  win::RECT box;
  win::GetRgnBox(probe, &box);
  EXPECT_EQ(TRect(box), TRect(2, 2, 30, 30));
  win::SelectClipRgn(dc, nullptr);  // pixels outside a clip do not read back
  EXPECT_EQ(s.At(1, 1), kPaper);  // the old clip held during the blits too
  EXPECT_EQ(s.At(2, 2), TilePixel(2, 2));
  win::DeleteObject(probe);
}

TEST(TileBitmap, DrawsNothingForMissingOrEmptyInput) {
  auto bmp = PositionBitmap();
  TBitmap empty;
  const struct {
    const char* What;
    TBitmap* Bitmap;
    TRect Dest, Source;
  } cases[] = {
      {"no bitmap", nullptr, {0, 0, 20, 20}, {0, 0, 20, 20}},
      {"a 0 x 0 bitmap", &empty, {0, 0, 20, 20}, {0, 0, 20, 20}},
      {"a source of no width", bmp.get(), {0, 0, 20, 20}, {5, 0, 5, 20}},
      {"a source of no height", bmp.get(), {0, 0, 20, 20}, {0, 9, 20, 3}},
      {"an empty destination", bmp.get(), {10, 10, 10, 30}, {0, 0, 20, 20}},
  };
  for (const auto& c : cases) {
    Surface s(30, 30);
    TileBitmap(s.bmp.Canvas()->Handle(), c.Dest, c.Source, c.Bitmap);
    EXPECT_TRUE(s.Where(kPaper).size() == 900u) << c.What;
  }
}

TEST(TileBitmap, AHugeSourceOfOnePixelTilesOnlyWhatIsSeen) {
  TBitmap dot(1, 1);
  win::SetPixelV(dot.Canvas()->Handle(), 0, 0, win::RGB(0x12, 0x34, 0x56));
  Surface s(20, 20);
  TileBitmap(s.bmp.Canvas()->Handle(), {2, 2, 18, 18}, {INT_MIN / 2, INT_MIN / 2, INT_MAX, INT_MAX}, &dot);
  EXPECT_EQ(s.Where(RGBColor(0x12, 0x34, 0x56)).size(), 256u);
}

TEST(FillRectWithBitmapOrColor, TilesABitmapElseFillsWithTheBrushElseTheColour) {
  auto bmp = PositionBitmap();
  TBitmap empty;
  win::HBRUSH red = win::CreateSolidBrush(win::RGB(255, 0, 0));
  const TRect dest{2, 3, 12, 9};
  struct Case {
    const char* What;
    TBitmap* Bitmap;
    win::HBRUSH Brush;
    TColor Inside;  // clNone: the tiles
  } cases[] = {
      {"bitmap", bmp.get(), red, clNone},
      {"empty bitmap, brush", &empty, red, clRed},
      {"no bitmap, no brush", nullptr, nullptr, ColorToRGB(clBtnFace)},
  };
  for (const Case& c : cases) {
    Surface s(16, 16);
    FillRectWithBitmapOrColor(s.bmp.Canvas()->Handle(), dest, {4, 4, 14, 10}, c.Bitmap, clBtnFace, c.Brush);
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 16; ++x) {
        TColor want = kPaper;
        if (dest.Contains({x, y})) want = c.Inside == clNone ? TilePixel(x - 2 + 4, y - 3 + 4) : c.Inside;
        ASSERT_EQ(s.At(x, y), want) << c.What << " at " << x << "," << y;
      }
  }
  win::DeleteObject(red);
}

// ---------------------------------------------------------------- arrows

// Lattice points of the closed triangle a, b, c.
PixelSet Triangle(TPoint a, TPoint b, TPoint c) {
  auto side = [](TPoint p, TPoint q, TPoint r) {
    return int64_t(q.X - p.X) * (r.Y - p.Y) - int64_t(q.Y - p.Y) * (r.X - p.X);
  };
  PixelSet set;
  for (int32_t y = std::min({a.Y, b.Y, c.Y}); y <= std::max({a.Y, b.Y, c.Y}); ++y)
    for (int32_t x = std::min({a.X, b.X, c.X}); x <= std::max({a.X, b.X, c.X}); ++x) {
      const int64_t d1 = side(a, b, {x, y}), d2 = side(b, c, {x, y}), d3 = side(c, a, {x, y});
      const bool neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
      if (!(neg && pos)) set.insert({x, y});
    }
  return set;
}

// The pixels of a one-pixel line from a towards b, b excluded (diagonal or straight).
PixelSet Line(TPoint a, TPoint b) {
  PixelSet set;
  const int32_t n = std::max(std::abs(b.X - a.X), std::abs(b.Y - a.Y));
  for (int32_t k = 0; k < n; ++k)
    set.insert({a.X + (b.X - a.X) / n * k, a.Y + (b.Y - a.Y) / n * k});
  return set;
}

struct ArrowGeometry {
  PixelSet Body, Emboss;
};

// The triangle and emboss lines of a DrawItemArrow of size s in r.
ArrowGeometry ExpectedArrow(const TRect& r, bool down, int32_t s) {
  ArrowGeometry g;
  if (down) {
    const int32_t x = (r.Left + r.Right - (2 * s - 1)) / 2, y = (r.Top + r.Bottom - s) / 2;
    g.Body = Triangle({x, y}, {x + 2 * s - 2, y}, {x + s - 1, y + s - 1});
    g.Emboss = Line({x + s, y + s - 1}, {x + 2 * s - 1, y});
    const PixelSet second = Line({x + s, y + s}, {x + 2 * s, y});
    g.Emboss.insert(second.begin(), second.end());
  } else {
    const int32_t x = (r.Left + r.Right - s) / 2, y = (r.Top + r.Bottom - (2 * s - 1)) / 2;
    g.Body = Triangle({x, y}, {x, y + 2 * s - 2}, {x + s - 1, y + s - 1});
    g.Emboss = Line({x + s - 1, y + s}, {x, y + 2 * s - 1});
    const PixelSet second = Line({x + s, y + s}, {x, y + 2 * s});
    g.Emboss.insert(second.begin(), second.end());
  }
  return g;
}

TEST(DrawItemArrowFitted, SizeFollowsTheRectangleAndIsNeverBelowThree) {
  const struct {
    const char* What;
    TRect R;
    int32_t Direction, S;
  } cases[] = {
      {"right in 16 x 16 (base 10)", {10, 10, 26, 26}, 2, 4},
      {"right in 16 x 10 (base 4)", {10, 10, 26, 20}, 2, 3},
      {"down 21 wide (base 13)", {10, 10, 31, 26}, 1, 7},
      {"down 11 wide (base 3)", {10, 10, 21, 26}, 1, 3},
      {"down 2 wide", {20, 20, 22, 22}, 1, 3},
      {"right 1 high", {20, 20, 30, 21}, 0, 3},
      {"down, inverted", {30, 30, 20, 20}, 1, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FittedItemArrowSize(c.R, c.Direction), c.S) << c.What;
    Surface s(48, 48);
    DrawItemArrowFitted(s.bmp.Canvas()->Handle(), c.R, c.Direction, clRed, false, true, false);
    EXPECT_EQ(PixelsOf(s, clRed), ExpectedArrow(c.R, c.Direction == 1, c.S).Body) << c.What;
    EXPECT_EQ(s.Where(kPaper).size() + PixelsOf(s, clRed).size(), 48u * 48u) << c.What;
  }
}

TEST(DrawItemArrow, AbsurdSizesAndRectanglesDrawNothing) {
  const struct {
    TRect R;
    int32_t Size;
  } cases[] = {
      {{0, 0, 20, 20}, 0},
      {{0, 0, 20, 20}, -5},
      {{0, 0, 20, 20}, INT_MAX},
      {{INT_MAX - 4, INT_MAX - 4, INT_MAX, INT_MAX}, 4},
  };
  for (const auto& c : cases) {
    Surface s(20, 20);
    DrawItemArrow(s.bmp.Canvas()->Handle(), c.R, 1, clRed, false, false, false, c.Size);
    DrawItemArrow(s.bmp.Canvas()->Handle(), c.R, 0, clRed, false, false, false, c.Size);
    EXPECT_EQ(s.Where(kPaper).size(), 400u) << c.Size;
  }
  Surface s(20, 20);
  DrawItemArrowFitted(s.bmp.Canvas()->Handle(), {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 1, clRed, false, true, false);
  DrawItemArrowFitted(nullptr, {0, 0, 20, 20}, 1, clRed, false, true, false);
  EXPECT_EQ(FittedItemArrowSize({INT_MIN, 0, INT_MAX, 10}, 1), int32_t((int64_t(UINT32_MAX) - 8) / 2 + 1));
}

TEST(DrawItemArrow, DisabledArrowsGetTwoHighlightLinesUnlessTheEmbossIsOff) {
  const TColor highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
  ASSERT_NE(highlight, shadow);
  for (const bool down : {true, false})
    for (const int32_t size : {3, 4, 6}) {
      const TRect r{8, 8, 28, 28};
      const ArrowGeometry want = ExpectedArrow(r, down, size);
      Surface s(40, 40);
      DrawItemArrow(s.bmp.Canvas()->Handle(), r, down ? 1 : 0, clDefault, false, false, false, size);
      EXPECT_EQ(PixelsOf(s, shadow), want.Body) << down << " " << size;
      EXPECT_EQ(PixelsOf(s, highlight), want.Emboss) << down << " " << size;

      Surface flat(40, 40);
      DrawItemArrow(flat.bmp.Canvas()->Handle(), r, down ? 1 : 0, clDefault, true, false, false, size);
      EXPECT_TRUE(PixelsOf(flat, highlight).empty());
      EXPECT_EQ(PixelsOf(flat, shadow), want.Body);
    }
}

TEST(DrawItemArrow, DefaultColourFollowsTheState) {
  const struct {
    bool Enabled, Selected;
    TColor Color, Want;
  } cases[] = {
      {false, false, clDefault, clBtnShadow},
      {false, true, clDefault, clBtnShadow},
      {true, false, clDefault, clBtnText},
      {true, true, clDefault, clHighlightText},
      {true, true, clRed, clRed},
  };
  const TRect r{4, 4, 20, 20};
  for (const auto& c : cases) {
    Surface s(24, 24);
    DrawItemArrow(s.bmp.Canvas()->Handle(), r, 1, c.Color, true, c.Enabled, c.Selected, 4);
    EXPECT_EQ(PixelsOf(s, ColorToRGB(c.Want)), ExpectedArrow(r, true, 4).Body) << c.Enabled << c.Selected;
  }
  // A white button face is the high-contrast white scheme: a selected arrow takes the face colour.
  const int index = win::COLOR_BTNFACE;
  const win::COLORREF saved = win::GetSysColor(index), white = win::RGB(255, 255, 255);
  win::SetSysColors(1, &index, &white);
  Surface s(24, 24);
  DrawItemArrow(s.bmp.Canvas()->Handle(), r, 1, clDefault, true, true, true, 4);
  win::SetSysColors(1, &index, &saved);
  EXPECT_EQ(PixelsOf(s, clWhite), ExpectedArrow(r, true, 4).Body);
}

// ---------------------------------------------------------------- frames and patterns

// The border pixels of r (rows and columns inside it) that pass keep.
template <class F>
PixelSet Border(const TRect& r, F keep) {
  PixelSet set;
  for (int32_t x = r.Left; x < r.Right; ++x)
    for (int32_t y : {r.Top, r.Bottom - 1})
      if (keep(x, y)) set.insert({x, y});
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x : {r.Left, r.Right - 1})
      if (keep(x, y)) set.insert({x, y});
  return set;
}

TEST(DrawDoubleFocusRect, DotsWhereTheCoordinatesSumToAnEvenNumber) {
  const auto even = [](int32_t x, int32_t y) { return (x + y) % 2 == 0; };
  for (const TRect& r : {TRect(3, 4, 13, 11), TRect(2, 2, 9, 8), TRect(5, 5, 7, 7)}) {
    Surface s(16, 16);
    DrawDoubleFocusRect(s.bmp.Canvas()->Handle(), r);
    PixelSet want = Border(r, even);
    const PixelSet inner = Border(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), even);
    want.insert(inner.begin(), inner.end());
    EXPECT_EQ(PixelsOf(s, ColorToRGB(clBtnText)), want) << r.Left << "," << r.Top;
    EXPECT_EQ(s.Where(kPaper).size() + want.size(), 256u);
  }
  for (const TRect& r : painter_surface::kDegenerateRects) {
    Surface s(40, 40);
    DrawDoubleFocusRect(s.bmp.Canvas()->Handle(), r);
    EXPECT_EQ(s.FirstOutside(r), "");
  }
  // A rectangle far larger than the surface: its visible left column and top row only.
  Surface s(16, 16);
  DrawDoubleFocusRect(s.bmp.Canvas()->Handle(), {0, 0, INT_MAX, INT_MAX});
  PixelSet want;  // the outer frame's row and column 0, the inner one's row and column 1
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x)
      if ((x + y) % 2 == 0 && std::min(x, y) <= 1) want.insert({x, y});
  EXPECT_EQ(PixelsOf(s, ColorToRGB(clBtnText)), want);
}

TEST(Frames, HighlightAndDoubleFramesUseTheirSystemBrush) {
  const auto all = [](int32_t, int32_t) { return true; };
  const TRect r{2, 3, 14, 12}, inner{3, 4, 13, 11};
  PixelSet both = Border(r, all);
  const PixelSet innerSet = Border(inner, all);
  both.insert(innerSet.begin(), innerSet.end());

  Surface one(16, 16);
  FrameWithHighlight(one.bmp.Canvas()->Handle(), r);
  EXPECT_EQ(PixelsOf(one, ColorToRGB(clHighlight)), Border(r, all));

  Surface two(16, 16);
  DrawDoubleFrame(two.bmp.Canvas()->Handle(), r, win::COLOR_BTNSHADOW);
  EXPECT_EQ(PixelsOf(two, ColorToRGB(clBtnShadow)), both);
}

TEST(BuildDitherBrush, PatternOfFaceOnEqualParityOverHighlightFollowsTheSystemColours) {
  const int elements[] = {win::COLOR_BTNFACE, win::COLOR_BTNHIGHLIGHT};
  const win::COLORREF saved[] = {win::GetSysColor(elements[0]), win::GetSysColor(elements[1])};
  const win::COLORREF changed[] = {win::RGB(0x30, 0x60, 0x90), win::RGB(0xF0, 0xE0, 0x10)};
  for (const win::COLORREF* colors : {saved, changed}) {
    win::SetSysColors(2, elements, colors);
    win::HBRUSH before = DitherBrush();
    BuildDitherBrush();
    ASSERT_NE(DitherBrush(), nullptr);
    EXPECT_FALSE(win::IsValidGdiObject(before)) << "the previous brush is deleted";
    Surface s(16, 16);
    const win::RECT all{0, 0, 16, 16};
    win::FillRect(s.bmp.Canvas()->Handle(), &all, DitherBrush());
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 16; ++x)
        ASSERT_EQ(win::COLORREF(s.At(x, y)), x % 2 == y % 2 ? colors[0] : colors[1]) << x << "," << y;
  }
  win::SetSysColors(2, elements, saved);
  BuildDitherBrush();
}

TEST(BuildDitherBrush, TheDrawingShutDownDeletesTheBrushAndItsStartUpBuildsOne) {
  dxBarDrawingUnitStop();
  EXPECT_EQ(DitherBrush(), nullptr);
  dxBarDrawingUnitStart();
  EXPECT_NE(DitherBrush(), nullptr);
}

TEST(BuildDitherBrushDeathTest, NothingIsBuiltOnceTheToolbarUnitStopped) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const bool before = DitherBrush() != nullptr;
        dxStopBars();
        const bool stopped = DitherBrush() == nullptr;
        BuildDitherBrush();
        const bool still = DitherBrush() == nullptr;
        std::exit((before ? 0 : 1) | (stopped ? 0 : 2) | (still ? 0 : 4));
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(HatchDisabledArea, ChangesOnlyTheRectangle) {
  const TRect r{3, 3, 13, 11};
  Surface s(16, 16);
  HatchDisabledArea(s.bmp.Canvas()->Handle(), r);
  EXPECT_EQ(s.FirstOutside(r), "");
  EXPECT_EQ(s.Where(kPaper).size(), 256u - 80u) << "every pixel of r is blended";
  for (const TRect& d : painter_surface::kDegenerateRects) {
    Surface e(40, 40);
    HatchDisabledArea(e.bmp.Canvas()->Handle(), d);
    EXPECT_EQ(e.FirstOutside(d), "");
  }
}

TEST(BitBltRect, CopiesTheRectangleFromTheSourceTopLeftWithTheRasterOperation) {
  auto source = PositionBitmap();
  const struct {
    TRect Dest;
    TPoint From;
    win::DWORD Rop;
  } cases[] = {
      {{2, 3, 7, 9}, {4, 1}, win::SRCCOPY},
      {{0, 0, 16, 16}, {0, 0}, win::SRCCOPY},
      {{10, 10, 14, 12}, {12, 14}, win::NOTSRCCOPY},
  };
  for (const auto& c : cases) {
    Surface s(16, 16);
    BitBltRect(s.bmp.Canvas()->Handle(), c.Dest, source->Canvas()->Handle(), c.From, c.Rop);
    EXPECT_EQ(s.FirstOutside(c.Dest), "");
    for (int32_t y = c.Dest.Top; y < c.Dest.Bottom; ++y)
      for (int32_t x = c.Dest.Left; x < c.Dest.Right; ++x) {
        TColor want = TilePixel(x - c.Dest.Left + c.From.X, y - c.Dest.Top + c.From.Y);
        if (c.Rop == win::NOTSRCCOPY) want = TColor(~uint32_t(want) & 0xFFFFFF);
        ASSERT_EQ(s.At(x, y), want) << x << "," << y;
      }
  }
}

TEST(CreateSizedBitmap, HasTheAskedSizeAndPixelFormat) {
  for (TPixelFormat f : {pf1bit, pf24bit, pf32bit}) {
    std::unique_ptr<TBitmap> b = CreateSizedBitmap(7, 5, f);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Width(), 7);
    EXPECT_EQ(b->Height(), 5);
    EXPECT_EQ(b->PixelFormat(), f);
  }
}

TEST(FillPolygonWithColors, OutlinesInThePenColourFillsInTheBrushColourAndRestoresTheDC) {
  Surface s(20, 20);
  win::HDC dc = s.bmp.Canvas()->Handle();
  win::HGDIOBJ pen = win::GetCurrentObject(dc, win::OBJ_PEN), brush = win::GetCurrentObject(dc, win::OBJ_BRUSH);
  const win::POINT square[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}};
  FillPolygonWithColors(dc, square, 3, win::RGB(0, 0, 255), win::RGB(255, 0, 0));
  const auto all = [](int32_t, int32_t) { return true; };
  EXPECT_EQ(PixelsOf(s, clRed), Border(TRect(2, 2, 13, 13), all));
  EXPECT_EQ(s.Where(clBlue).size(), 81u);
  EXPECT_EQ(win::GetCurrentObject(dc, win::OBJ_PEN), pen);
  EXPECT_EQ(win::GetCurrentObject(dc, win::OBJ_BRUSH), brush);

  FillPolygonWithColors(dc, nullptr, 3, 0, 0);
  FillPolygonWithColors(dc, square, -1, 0, 0);
  FillPolygonWithColors(nullptr, square, 3, 0, 0);
  EXPECT_EQ(s.Where(clBlack).size(), 0u);
}

// ---------------------------------------------------------------- clips

TEST(Clips, SaveAndRestoreKeepWhetherThereWasAClip) {
  Surface s(40, 40);
  win::HDC dc = s.bmp.Canvas()->Handle();
  win::HRGN saved;
  bool exists = true;
  EXPECT_EQ(SaveCurrentClip(dc, saved, exists), -1);
  EXPECT_FALSE(exists);
  win::IntersectClipRect(dc, 0, 0, 5, 5);
  RestoreSavedClip(dc, saved, exists);
  EXPECT_TRUE(win::PtVisible(dc, 30, 30)) << "no clip again";

  win::IntersectClipRect(dc, 10, 10, 20, 20);
  EXPECT_EQ(SaveCurrentClip(dc, saved, exists), 0);
  EXPECT_TRUE(exists);
  win::SelectClipRgn(dc, nullptr);
  AddRectToClip(dc, {0, 0, 1, 1});
  RestoreSavedClip(dc, saved, exists);
  EXPECT_TRUE(win::PtVisible(dc, 15, 15));
  EXPECT_FALSE(win::PtVisible(dc, 25, 25));
  EXPECT_FALSE(win::IsValidGdiObject(saved)) << "the saved region is deleted";

  AddRectToClip(dc, {30, 30, 35, 35});
  EXPECT_TRUE(win::PtVisible(dc, 15, 15));
  EXPECT_TRUE(win::PtVisible(dc, 32, 32));
  EXPECT_FALSE(win::PtVisible(dc, 25, 25));
}

TEST(Clips, ExcludeFrameFromClipLeavesTheRingUnpainted) {
  Surface s(30, 30);
  const TRect frame{4, 4, 24, 24}, content{7, 6, 21, 22};
  ExcludeFrameFromClip(&s.canvas, frame, content);
  s.canvas.FillRect(TRect(0, 0, 30, 30), clRed);
  win::SelectClipRgn(s.bmp.Canvas()->Handle(), nullptr);  // pixels outside a clip do not read back
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 30; ++x) {
      const bool ring = frame.Contains({x, y}) && !content.Contains({x, y});
      ASSERT_EQ(s.At(x, y), ring ? kPaper : clRed) << x << "," << y;
    }
  ExcludeFrameFromClip(nullptr, frame, content);
}

// ---------------------------------------------------------------- glyphs

// Records the draw mode of every glyph DrawImage is asked for, drawing nothing.
class ModeRecorder {
public:
  ModeRecorder() {
    GlyphDrawHook = [this](TCanvas*, TCustomImageList*, int32_t, TcxImageDrawMode mode, TRect&, TBitmap*) {
      Modes.push_back(mode);
      return true;
    };
  }
  ~ModeRecorder() { GlyphDrawHook = nullptr; }
  std::vector<TcxImageDrawMode> Modes;
};

std::unique_ptr<TBitmap> SolidGlyph(TColor color, TColor key) {
  auto glyph = std::make_unique<TBitmap>(6, 6);
  glyph->Canvas()->Brush()->SetColor(color);
  glyph->Canvas()->FillRect(TRect(0, 0, 6, 6));
  glyph->Canvas()->Brush()->SetColor(key);
  glyph->Canvas()->FillRect(TRect(0, 3, 3, 6));  // the bottom-left quarter, transparent
  return glyph;
}

TEST(DrawItemGlyph, DrawModeOfTheStateFlags) {
  // S1 .. S8, deep screen, mode. The first rule that matches wins.
  const struct {
    const char* Flags;
    bool Deep;
    TcxImageDrawMode Mode;
  } rows[] = {
      {"00000000", true, idmDisabled},   {"01111110", true, idmDisabled},  {"00000001", true, idmFaded},
      {"01111111", false, idmFaded},     {"11000000", true, idmGrayScale}, {"11111111", true, idmGrayScale},
      {"10011111", true, idmNormal},     {"10000001", false, idmNormal},   {"10100000", true, idmDingy},
      {"10100011", true, idmDingy},      {"10100000", false, idmNormal},   {"10110010", true, idmShadowed},
      {"10110010", false, idmShadowed},  {"10101010", true, idmNormal},    {"10111110", true, idmNormal},
      {"10110000", true, idmNormal},     {"10100110", false, idmNormal},   {"10110011", true, idmShadowed},
  };
  auto glyph = SolidGlyph(clRed, clLime);
  const int saved = win::SetScreenBitsPerPixel(32);
  for (const auto& row : rows) {
    win::SetScreenBitsPerPixel(row.Deep ? 32 : 8);
    ReadScreenColorDepth();
    bool s[8];
    for (int i = 0; i < 8; ++i) s[i] = row.Flags[i] == '1';
    ModeRecorder recorder;
    Surface surface(10, 10);
    DrawGlyphTransparent(surface.bmp.Canvas()->Handle(), nullptr, {0, 0, 10, 10}, {2, 2, 8, 8}, glyph.get(),
                         nullptr, -1, clNone, s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], false, true);
    ASSERT_EQ(recorder.Modes.size(), 1u) << row.Flags;
    EXPECT_EQ(int(recorder.Modes[0]), int(row.Mode)) << row.Flags << (row.Deep ? " deep" : " 8 bits");
    EXPECT_EQ(int(ItemGlyphDrawMode(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7])), int(row.Mode)) << row.Flags;
  }
  win::SetScreenBitsPerPixel(saved);
  ReadScreenColorDepth();
}

TEST(DrawBitmapGlyph, DrawsTheGlyphWithoutItsTransparentCornerColour) {
  auto glyph = SolidGlyph(clRed, clLime);
  Surface s(10, 10);
  DrawBitmapGlyph(s.bmp.Canvas()->Handle(), {2, 2, 8, 8}, glyph.get(), true);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) {
      const bool glyphPixel = x >= 2 && x < 8 && y >= 2 && y < 8 && !(x < 5 && y >= 5);
      ASSERT_EQ(s.At(x, y), glyphPixel ? clRed : kPaper) << x << "," << y;
    }
  // A glyph bitmap never takes the background colour as a colour key.
  Surface keyed(10, 10);
  DrawGlyphTransparent(keyed.bmp.Canvas()->Handle(), nullptr, {0, 0, 10, 10}, {2, 2, 8, 8}, glyph.get(), nullptr, -1,
                       clRed, true, false, false, false, false, false, false, false, false, true);
  EXPECT_TRUE(keyed.SameAs(s));

  Surface disabled(10, 10);
  DrawBitmapGlyph(disabled.bmp.Canvas()->Handle(), {2, 2, 8, 8}, glyph.get(), false);
  EXPECT_TRUE(disabled.Where(clRed).empty());
  EXPECT_EQ(disabled.At(3, 6), kPaper);
  DrawBitmapGlyph(disabled.bmp.Canvas()->Handle(), {2, 2, 8, 8}, nullptr, true);
}

class GlyphCacheTest : public bartest::BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    manager_ = std::make_unique<TdxBarManager>(form_.get());
    bar_ = new bartest::TRecordingBarControl(manager_.get(), "bar", log_);
    control_ = std::make_unique<TdxBarItemControl>(bar_, nullptr);
  }
  void TearDown() override {
    control_.reset();
    manager_.reset();
    BarFormTest::TearDown();
  }
  // Draws the glyph through the control (or without one) with the hook
  // counting, and answers how often DrawImage offered it the glyph.
  int Draw(Surface& s, TBitmap* glyph, bool enabled, bool shadowed, TdxBarItemControl* control) {
    int offered = 0;
    GlyphDrawHook = [&](TCanvas*, TCustomImageList*, int32_t, TcxImageDrawMode, TRect&, TBitmap*) {
      ++offered;
      return false;
    };
    // S1 enabled; shadowed sets S3, S4 and S7, which picks the shadowed mode.
    DrawItemGlyph(control, s.bmp.Canvas()->Handle(), nullptr, {0, 0, 10, 10}, {2, 2, 8, 8}, glyph, nullptr, -1,
                  clNone, enabled, false, shadowed, shadowed, false, false, shadowed, false, false, true);
    EXPECT_TRUE(GlyphDrawHook) << "the hook is put back";
    GlyphDrawHook = nullptr;
    return offered;
  }
  bartest::TLog log_;
  std::unique_ptr<TdxBarManager> manager_;
  bartest::TRecordingBarControl* bar_ = nullptr;
  std::unique_ptr<TdxBarItemControl> control_;
};

TEST_F(GlyphCacheTest, CachedGlyphLooksLikeTheDirectOneAndIsReusedPerMode) {
  auto glyph = SolidGlyph(clRed, clLime);
  for (const bool enabled : {true, false}) {
    Surface direct(10, 10), cached(10, 10), again(10, 10);
    EXPECT_EQ(Draw(direct, glyph.get(), enabled, false, nullptr), 1);
    EXPECT_EQ(Draw(cached, glyph.get(), enabled, false, control_.get()), 1) << "offered once, to build the cache";
    EXPECT_TRUE(control_->CachedImageOptions()->HasCachedImage(enabled ? idmNormal : idmDisabled, glyph.get(), nullptr));
    EXPECT_EQ(Draw(again, glyph.get(), enabled, false, control_.get()), 0) << "drawn from the cache";
    EXPECT_TRUE(cached.SameAs(direct)) << enabled;
    EXPECT_TRUE(again.SameAs(direct)) << enabled;
  }
  auto other = SolidGlyph(clBlue, clLime);
  Surface s(10, 10);
  EXPECT_EQ(Draw(s, other.get(), true, false, control_.get()), 1) << "another glyph rebuilds";
  EXPECT_EQ(s.At(6, 3), clBlue);
}

TEST_F(GlyphCacheTest, ShadowedGlyphsAndManagersThatDoNotCacheDrawDirectly) {
  auto glyph = SolidGlyph(clRed, clLime);
  Surface s(10, 10);
  EXPECT_EQ(Draw(s, glyph.get(), true, true, control_.get()), 1);
  EXPECT_EQ(Draw(s, glyph.get(), true, true, control_.get()), 1);
  EXPECT_FALSE(control_->CachedImageOptions()->HasCachedImage(idmShadowed, glyph.get(), nullptr));

  manager_->ImageOptions()->CacheGlyphs = false;
  EXPECT_EQ(Draw(s, glyph.get(), true, false, control_.get()), 1);
  EXPECT_EQ(Draw(s, glyph.get(), true, false, control_.get()), 1);
  EXPECT_FALSE(control_->CachedImageOptions()->HasCachedImage(idmNormal, glyph.get(), nullptr));
}

// ---------------------------------------------------------------- window alpha

class WindowRoutines : public bartest::BarFormTest {};

TEST_F(WindowRoutines, SetWindowAlphaLayersTheWindowBelowOpaque) {
  win::HWND wnd = form_->Handle();
  const auto layered = [&] { return (win::GetWindowLong(wnd, win::GWL_EXSTYLE) & win::WS_EX_LAYERED) != 0; };
  SetWindowAlpha(wnd, 128);
  ASSERT_TRUE(layered());
  win::BYTE alpha = 0;
  win::DWORD flags = 0;
  ASSERT_TRUE(win::GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags, win::LWA_ALPHA);
  SetWindowAlpha(wnd, 255);
  EXPECT_FALSE(layered());

  // A platform without the entry point: the start-up binds nothing and the window stays as it is.
  dxBarDrawingUnitStop();
  win::HideModuleExport("user32.dll", "SetLayeredWindowAttributes", win::TRUE);
  dxBarDrawingUnitStart();
  win::HideModuleExport("user32.dll", "SetLayeredWindowAttributes", win::FALSE);
  EXPECT_EQ(dxSetLayeredWindowAttributes, nullptr);
  SetWindowAlpha(wnd, 100);
  EXPECT_FALSE(layered());
  dxBarDrawingUnitStop();
  dxBarDrawingUnitStart();
  EXPECT_NE(dxSetLayeredWindowAttributes, nullptr);
  SetWindowAlpha(nullptr, 100);
}

TEST(FreeGdiObject, DeletesAndClearsOnce) {
  win::HGDIOBJ pen = win::CreatePen(win::PS_SOLID, 1, 0);
  win::HGDIOBJ kept = pen;
  FreeGdiObject(pen);
  EXPECT_EQ(pen, nullptr);
  EXPECT_FALSE(win::IsValidGdiObject(kept));
  FreeGdiObject(pen);
}

// ---------------------------------------------------------------- themes

// The visual-styles stand-in, bound for the length of a test; its size box
// marks its bottom-right pixel so that mirroring shows.
class MarkingThemeProvider : public FakeThemeProvider {
public:
  static constexpr win::COLORREF kMark = win::RGB(0x01, 0x02, 0x03);
  win::HRESULT DrawThemeBackground(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                   const TRect* clip) override {
    const win::HRESULT hr = FakeThemeProvider::DrawThemeBackground(theme, dc, part, state, rect, clip);
    if (part == 10) win::SetPixelV(dc, rect.Right - 1, rect.Bottom - 1, kMark);
    return hr;
  }
};

class ThemedTest : public ::testing::Test {
protected:
  void SetUp() override { Bind(&fake_); }
  void TearDown() override { Bind(nullptr); }
  static void Bind(TdxThemeProvider* provider) {
    dxThemeManagerUnitStop();
    dxBindThemeProvider(provider);
    dxThemeManagerUnitStart();
  }
  MarkingThemeProvider fake_;
};

TEST_F(ThemedTest, ColoursComeFromTheThemeElseFromTheSystem) {
  const win::COLORREF fill = win::RGB(1, 2, 3), text = win::RGB(4, 5, 6);
  EXPECT_EQ(ToolbarColorFromTheme(), win::GetSysColor(win::COLOR_BTNFACE));
  EXPECT_EQ(EditBackColorFromTheme(5, 4), win::GetSysColor(win::COLOR_WINDOW));
  EXPECT_EQ(EditTextColorFromTheme(5, 4), win::GetSysColor(win::COLOR_GRAYTEXT));
  EXPECT_EQ(EditTextColorFromTheme(5, 1), win::GetSysColor(win::COLOR_WINDOWTEXT));

  fake_.Colors[{0, 3802}] = fill;
  fake_.Colors[{1, 3802}] = fill;
  fake_.Colors[{1, 3803}] = text;
  EXPECT_EQ(ToolbarColorFromTheme(), fill);
  EXPECT_EQ(EditBackColorFromTheme(5, 4), fill);
  EXPECT_EQ(EditBackColorFromTheme(5, 1), win::GetSysColor(win::COLOR_WINDOW)) << "only the disabled state";
  EXPECT_EQ(EditTextColorFromTheme(5, 1), text);
  EXPECT_EQ(EditTextColorFromTheme(0, 1), win::GetSysColor(win::COLOR_WINDOWTEXT)) << "no theme handle";
  EXPECT_EQ(EditBackColorFromTheme(0, 4), win::GetSysColor(win::COLOR_WINDOW));
}

TEST_F(ThemedTest, CloseButtonSitsAtItsSideCentredAndShowsItsState) {
  fake_.PartSize = {13, 11};
  TSize size;
  ThemedCloseButtonSize(size);
  EXPECT_EQ(size, TSize(13, 11));
  const struct {
    int32_t Side;
    bool Hot, Pressed;
    TRect Want;
    int32_t State;
  } cases[] = {
      {0, false, false, {23, 4, 36, 15}, 1},
      {2, true, false, {23, 4, 36, 15}, 2},
      {1, true, true, {4, 4, 17, 15}, 3},
      {3, false, true, {4, 4, 17, 15}, 3},
  };
  for (const auto& c : cases) {
    Surface s(40, 20);
    TRect r{0, 0, 40, 20};  // d = (20 - 11) div 2 = 4
    DrawThemedCloseButton(s.bmp.Canvas()->Handle(), r, c.Hot, c.Side, c.Pressed);
    EXPECT_EQ(r, c.Want) << c.Side;
    EXPECT_EQ(s.Where(TColor(FakeThemeProvider::FillOf(19, c.State))).size(), size_t(13 * 11)) << c.Side;
    EXPECT_EQ(s.FirstOutside(c.Want), "");
  }
  TRect low{0, 0, 40, 8};  // lower than the button: no centring
  Surface s(40, 20);
  DrawThemedCloseButton(s.bmp.Canvas()->Handle(), low, false, 0, false);
  EXPECT_EQ(low, TRect(27, 0, 40, 11));
}

TEST_F(ThemedTest, SizeGripFacesItsCorner) {
  fake_.PartSize = {13, 12};
  TSize size;
  ThemedSizeGripSize(size);
  EXPECT_EQ(size, TSize(15, 14));
  const TColor face = ColorToRGB(clBtnFace), grip = TColor(FakeThemeProvider::FillOf(10, 1));
  const struct {
    int32_t Corner;
    TRect R, P;
    TPoint Mark;
  } cases[] = {
      {3, {24, 16, 40, 30}, {26, 18, 40, 30}, {39, 29}},
      {0, {0, 0, 16, 14}, {0, 0, 14, 12}, {0, 0}},
      {1, {24, 0, 40, 14}, {26, 0, 40, 12}, {39, 0}},
      {2, {0, 16, 16, 30}, {0, 18, 14, 30}, {0, 29}},
  };
  for (const auto& c : cases) {
    Surface s(40, 30);
    TRect r{0, 0, 40, 30};
    DrawThemedSizeGrip(s.bmp.Canvas()->Handle(), r, c.Corner);
    EXPECT_EQ(r, c.R) << c.Corner;
    EXPECT_EQ(s.At(c.Mark.X, c.Mark.Y), TColor(MarkingThemeProvider::kMark)) << c.Corner;
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 40; ++x) {
        if (TPoint{x, y} == c.Mark) continue;
        const TColor want = c.P.Contains({x, y}) ? grip : c.R.Contains({x, y}) ? face : kPaper;
        ASSERT_EQ(s.At(x, y), want) << c.Corner << " at " << x << "," << y;
      }
  }
}

TEST(ThemedWithoutStyles, NothingIsDrawnAndTheSystemColourAnswers) {
  EXPECT_EQ(ToolbarColorFromTheme(), win::GetSysColor(win::COLOR_BTNFACE));
  TSize size{5, 5};
  ThemedCloseButtonSize(size);
  EXPECT_EQ(size, TSize(0, 0));
  ThemedSizeGripSize(size);
  EXPECT_EQ(size, TSize(0, 0));
  Surface s(20, 20);
  TRect r{0, 0, 20, 20};
  DrawThemedCloseButton(s.bmp.Canvas()->Handle(), r, true, 0, false);
  DrawThemedSizeGrip(s.bmp.Canvas()->Handle(), r, 3);
  EXPECT_EQ(r, TRect(0, 0, 20, 20));
  EXPECT_EQ(s.Where(kPaper).size(), 400u);
}

// ---------------------------------------------------------------- fonts

win::LOGFONT LogFontOf(win::HFONT font) {
  win::LOGFONT lf{};
  win::GetObject(font, sizeof(lf), &lf);
  return lf;
}

std::string FaceOf(const win::LOGFONT& lf) {
  std::string face;
  for (auto c : lf.lfFaceName) {
    if (!c) break;
    face += char(c);
  }
  return face;
}

TEST(Fonts, SmallCaptionFontIsAtLeastElevenPixelsInTheGivenFaceUnlessSystem) {
  TFont font;
  font.SetName("Liberation Serif");
  const struct {
    int32_t System;
    bool UseSystem;
    int32_t Height;
    const char* Face;
  } cases[] = {
      {-9, false, -11, "Liberation Serif"},
      {-14, false, -14, "Liberation Serif"},
      {-9, true, -9, "DejaVu Sans"},
  };
  for (const auto& c : cases) {
    bartest::NonClientFontOverride caption(&win::NONCLIENTMETRICS::lfSmCaptionFont, "DejaVu Sans", c.System);
    win::HFONT made = CreateSmallCaptionFont(&font, c.UseSystem);
    const win::LOGFONT lf = LogFontOf(made);
    EXPECT_EQ(lf.lfHeight, c.Height);
    EXPECT_EQ(FaceOf(lf), c.Face);
    win::DeleteObject(made);
  }
}

class ManagerFonts : public bartest::BarFormTest {};

TEST_F(ManagerFonts, TheCaptionFontFollowsTheManagerFontUnlessItIsTheSystemFont) {
  bartest::NonClientFontOverride caption(&win::NONCLIENTMETRICS::lfSmCaptionFont, "DejaVu Sans", -9);
  TdxBarManager m(form_.get());
  m.SetScaled(false);
  TFont f;
  f.SetName("Liberation Serif");
  f.SetHeight(-13);
  m.SetFont(&f);  // no longer the system font
  EXPECT_EQ(m.BarCaptionFont()->Height(), -11);
  EXPECT_EQ(m.BarCaptionFont()->Name(), "Liberation Serif");
  m.SetUseSystemFont(true);
  EXPECT_EQ(m.BarCaptionFont()->Height(), -9);
  EXPECT_EQ(m.BarCaptionFont()->Name(), "DejaVu Sans");
}

TEST(Fonts, CloneAndCopyGiveNewHandlesOfTheSameDescription) {
  TFont font;
  font.SetName("Liberation Mono");
  font.SetHeight(-9);
  win::HFONT clone = CloneFontHandle(font.Handle());
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(clone, font.Handle());
  EXPECT_EQ(LogFontOf(clone).lfHeight, -9);
  EXPECT_EQ(FaceOf(LogFontOf(clone)), "Liberation Mono");
  win::DeleteObject(clone);
  EXPECT_EQ(CloneFontHandle(nullptr), nullptr);

  TFont copy;
  CopyFontWithSystemSize(&font, &copy, false);
  EXPECT_EQ(copy.Height(), -9);
  EXPECT_EQ(copy.Name(), "Liberation Mono");
  win::LOGFONT icon{};
  win::SystemParametersInfoW(win::SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0);
  CopyFontWithSystemSize(&font, &copy, true);
  EXPECT_EQ(copy.Height(), std::min(-11, int32_t(icon.lfHeight)));
  EXPECT_EQ(copy.Name(), "Liberation Mono");
  CopyFontWithSystemSize(nullptr, &copy, true);
  CopyFontWithSystemSize(&font, nullptr, true);
}

}  // namespace
