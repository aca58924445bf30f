// The Office 2003 painter, pixel by pixel, without an Office 2003 scheme
// (visual styles never exist here): colours from the system-colour mixes.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "tests/ui/lookandfeel/painter_surface.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/dxOffice11.h"

namespace {

using painter_surface::kPaper;
using painter_surface::Surface;

const TcxOffice11LookAndFeelPainter& Office11() {
  return static_cast<const TcxOffice11LookAndFeelPainter&>(*TcxOffice11LookAndFeelPainter::Class());
}

TColor Rgb(TColor c) { return ColorToRGB(c); }

TColor Blend() { return MixColors(Office11GradientStartColor, Office11GradientEndColor, 50); }

TEST(Office11Painter, StatusFaceIsTheVerticalGradientOfTheSet) {
  Surface s(30, 40), want(30, 40);
  const TRect r(3, 2, 27, 37);
  Office11().PaintStatusFace(&s.canvas, r);
  PaintGradientRect(want.bmp.Canvas()->Handle(), r, Office11GradientStartColor, false, Office11GradientEndColor);
  EXPECT_NE(Rgb(Office11GradientStartColor), Rgb(Office11GradientEndColor));
  EXPECT_TRUE(s.SameAs(want));
}

TEST(Office11Painter, GlyphColoursWithoutAScheme) {
  ASSERT_FALSE(Office11ColorsAvailable());
  EXPECT_EQ(Office11().ButtonGlyphColor(bpsPressed, clDefault), clHighlightText);
  EXPECT_EQ(Office11().ButtonGlyphColor(bpsDisabled, clDefault), Office11DisabledGlyphColor);
  EXPECT_EQ(Office11().ButtonGlyphColor(bpsNormal, TColor(0x123456)), Office11GlyphColor);
  // And on the canvas: a pressed drop-down button's arrow.
  Surface s(24, 24);
  Office11().PaintDropDownButton(&s.canvas, TRect(2, 2, 20, 20), bpsPressed, false);
  EXPECT_EQ(s.At(11, 11), Rgb(clHighlightText));
  EXPECT_EQ(s.At(3, 3), Rgb(Office11PressedColor));
  EXPECT_EQ(s.At(2, 10), Rgb(Office11SelectedFrameColor));
}

// The 11 x 11 expand buttons, from their published pixel lists.
std::array<std::array<TColor, 11>, 11> ExpectedExpandButton(bool plus, TColor topLeftCorner, TColor otherCorners) {
  auto rgb = [](int r, int g, int b) { return RGBColor(uint8_t(r), uint8_t(g), uint8_t(b)); };
  const TColor dark = rgb(48, 72, 96);
  const TColor top[10] = {rgb(160, 176, 192), rgb(160, 176, 192), rgb(160, 176, 192), rgb(160, 168, 192),
                          rgb(160, 168, 192), rgb(160, 168, 192), rgb(144, 168, 192), rgb(144, 160, 192),
                          rgb(144, 160, 192), rgb(144, 160, 192)};
  const TColor left[10] = {rgb(160, 176, 192), rgb(160, 176, 192), rgb(160, 176, 192), rgb(160, 168, 192),
                           rgb(160, 168, 192), rgb(144, 168, 192), rgb(144, 168, 192), rgb(144, 168, 192),
                           rgb(144, 168, 192), rgb(144, 168, 192)};
  const TColor diagonal[17] = {rgb(255, 255, 255), rgb(255, 255, 255), rgb(255, 255, 255), rgb(240, 248, 255),
                               rgb(240, 248, 255), rgb(240, 240, 255), rgb(224, 240, 255), rgb(224, 232, 240),
                               rgb(224, 224, 240), rgb(208, 224, 240), rgb(208, 216, 240), rgb(208, 216, 240),
                               rgb(192, 208, 240), rgb(192, 208, 240), rgb(192, 208, 240), rgb(192, 200, 240),
                               rgb(176, 200, 240)};
  const TColor column9[8] = {rgb(192, 208, 224), rgb(176, 192, 224), rgb(176, 192, 224), rgb(176, 192, 224),
                             rgb(160, 184, 208), rgb(160, 184, 208), rgb(160, 184, 208), rgb(160, 184, 208)};
  const TColor row9[8] = {rgb(192, 208, 224), rgb(176, 200, 224), rgb(176, 192, 224), rgb(176, 192, 224),
                          rgb(160, 184, 208), rgb(160, 184, 208), rgb(160, 184, 208), rgb(160, 184, 208)};
  std::array<std::array<TColor, 11>, 11> px{};  // [y][x]
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 11; ++x) {
      TColor c;
      if (x == 10 || y == 10) c = dark;
      else if (y == 0) c = top[x];
      else if (x == 0) c = left[y];
      else c = diagonal[x + y - 2];
      if (y == 5 && x >= 3 && x <= 7) c = dark;
      if (plus && x == 5 && y >= 3 && y <= 7) c = dark;
      if (plus && x == 9 && y >= 2 && y <= 9) c = column9[y - 2];
      if (plus && y == 9 && x >= 2 && x <= 9) c = row9[x - 2];
      px[y][x] = c;
    }
  px[0][0] = topLeftCorner;
  px[10][10] = px[10][0] = px[0][10] = otherCorners;
  return px;
}

TEST(Office11Painter, ExpandButtonsFollowThePixelListsWithCornersOnTheCanvas) {
  for (const bool expanded : {false, true}) {
    Surface s(20, 20);
    const TRect r(4, 5, 15, 16);
    // A different canvas colour under the bottom-right corner.
    s.canvas.FillRect(TRect(14, 15, 15, 16), TColor(0x4080C0));
    Office11().PaintExpandBox(&s.canvas, r, clDefault, expanded);
    const auto want = ExpectedExpandButton(!expanded, MixColors(RGBColor(0x9E, 0xAE, 0xBF), kPaper, 25),
                                           MixColors(RGBColor(0x2E, 0x46, 0x5F), TColor(0x4080C0), 25));
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 11; ++x)
        ASSERT_EQ(s.At(r.Left + x, r.Top + y), Rgb(want[y][x])) << (expanded ? "minus" : "plus") << " at " << x
                                                                 << "," << y;
    EXPECT_EQ(s.FirstOutside(r), "");
  }
  // The set's own bitmaps are not changed by painting.
  AcquireOffice11Colors();
  Surface s(20, 20);
  Office11().PaintExpandBox(&s.canvas, TRect(2, 2, 13, 13), clDefault, false);
  TBitmap* plus = Office11ExpandButtonPlusBitmap();
  ASSERT_NE(plus, nullptr);
  EXPECT_EQ(TColor(win::GetPixel(plus->Canvas()->Handle(), 10, 10)), RGBColor(48, 72, 96));
  FreeOffice11Colors();
}

// While the set is in use its bitmaps are drawn: the same pixels, the corners
// mixed with the canvas, and the set's bitmaps keep their own corners.
TEST(Office11Painter, ExpandButtonsFromTheSetInUseMatchTheFreshOnes) {
  AcquireOffice11Colors();
  for (const bool expanded : {false, true}) {
    Surface s(20, 20);
    const TRect r(3, 4, 14, 15);
    s.canvas.FillRect(TRect(3, 4, 4, 5), TColor(0x204060));
    Office11().PaintExpandBox(&s.canvas, r, clDefault, expanded);
    const auto want = ExpectedExpandButton(!expanded, MixColors(RGBColor(0x9E, 0xAE, 0xBF), TColor(0x204060), 25),
                                           MixColors(RGBColor(0x2E, 0x46, 0x5F), kPaper, 25));
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 11; ++x)
        ASSERT_EQ(s.At(r.Left + x, r.Top + y), Rgb(want[y][x])) << (expanded ? "minus" : "plus") << " at " << x
                                                                 << "," << y;
    EXPECT_EQ(s.FirstOutside(r), "");
    TBitmap* own = expanded ? Office11ExpandButtonMinusBitmap() : Office11ExpandButtonPlusBitmap();
    ASSERT_NE(own, nullptr);
    const auto raw = ExpectedExpandButton(!expanded, RGBColor(160, 176, 192), RGBColor(48, 72, 96));
    for (const TPoint corner : {TPoint{0, 0}, TPoint{10, 0}, TPoint{0, 10}, TPoint{10, 10}})
      EXPECT_EQ(TColor(win::GetPixel(own->Canvas()->Handle(), corner.X, corner.Y)), Rgb(raw[corner.Y][corner.X]))
          << corner.X << "," << corner.Y;
  }
  FreeOffice11Colors();
}

TEST(Office11Painter, HeaderFrameLinesWithBlendedCorners) {
  const TColor light = Rgb(Office11HeaderLightColor), dark = Rgb(Office11HeaderShadowColor), blend = Rgb(Blend()),
               bottom = Rgb(Office11GradientEndColor);
  const TColor leftLow = Rgb(MixColors(Blend(), Office11GradientEndColor, 25));
  const TRect r(2, 2, 22, 14);  // left 2, right column 21, top 2, bottom row 13
  for (const uint8_t flags : {uint8_t(0), uint8_t(5)}) {
    Surface s(24, 16);
    Office11().PaintHeaderFrame(&s.canvas, r, cxBordersAll, flags);
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 24; ++x) {
        TColor want = kPaper;
        const bool rounded = x == 2 ? (flags & 1) != 0 : (flags & 4) != 0;
        if (x == 2 && y >= 3 && y <= 12) {
          want = light;
          if (y == 3 || (rounded && y == 4)) want = blend;
          if (rounded && y == 11) want = leftLow;
          if (y == 12) want = bottom;
        } else if (x == 21 && y >= 3 && y <= 12) {
          want = dark;
          if (rounded && (y == 3 || y == 4)) want = blend;
          if (rounded && y == 11) want = leftLow;
          if (y == 12) want = rounded ? bottom : Rgb(MixColors(Office11GradientEndColor, Office11HeaderShadowColor, 50));
        } else if (y == 2 && x >= 2 && x <= 21) {
          want = x == 21 && !rounded ? Rgb(MixColors(Blend(), Office11HeaderShadowColor, 50)) : blend;
        } else if (y == 13 && x >= 2 && x <= 21) {
          want = dark;
        }
        ASSERT_EQ(s.At(x, y), want) << int(flags) << " at " << x << "," << y;
      }
  }
}

// The header background: blend colour, then a four-row gradient to the bottom
// colour; hot: the gradient start colour with a three-row highlight at the bottom.
TEST(Office11Painter, ContentGradientByState) {
  const TRect r(3, 3, 27, 17);
  {
    Surface s(30, 22), want(30, 22);
    Office11().PaintContent(&s.canvas, r, TcxPainterContent{}, bpsNormal, false);
    want.canvas.FillRect(TRect(3, 3, 27, 14), Blend());
    PaintGradientRect(want.bmp.Canvas()->Handle(), TRect(3, 13, 27, 17), Blend(), false, Office11GradientEndColor);
    EXPECT_TRUE(s.SameAs(want));
    EXPECT_NE(s.At(10, 16), s.At(10, 5));
  }
  {
    Surface s(30, 22), want(30, 22);
    Office11().PaintContent(&s.canvas, r, TcxPainterContent{}, bpsNormal, true);
    want.canvas.FillRect(r, Blend());
    EXPECT_TRUE(s.SameAs(want));
  }
  {
    Surface s(30, 22), want(30, 22);
    Office11().PaintContent(&s.canvas, r, TcxPainterContent{}, bpsHot, false);
    want.canvas.FillRect(r, Office11GradientStartColor);
    PaintGradientRect(want.bmp.Canvas()->Handle(), TRect(2, 15, 27, 18), Office11HotColor, false,
                      Office11HotEndColor);
    EXPECT_TRUE(s.SameAs(want));
  }
  {
    // A custom draw that paints keeps the gradient away.
    Surface s(30, 22);
    TcxPainterContent content;
    content.CustomDraw = [](TcxCanvas*, const TRect&) { return true; };
    Office11().PaintContent(&s.canvas, r, content, bpsNormal, false);
    EXPECT_EQ(s.FirstOutside(TRect()), "");
  }
}

TEST(Office11Painter, PressedHeaderSectionIsTheNormalOneInverted) {
  Surface normal(30, 20), pressed(30, 20);
  const TRect r(2, 2, 28, 18);
  Office11().PaintHeaderSection(&normal.canvas, r, r, bpsNormal, cxBordersAll, TcxPainterContent{});
  Office11().PaintHeaderSection(&pressed.canvas, r, r, bpsPressed, cxBordersAll, TcxPainterContent{});
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x)
      ASSERT_EQ(pressed.At(x, y), normal.At(x, y) ^ 0xFFFFFF) << x << "," << y;
  EXPECT_EQ(pressed.FirstOutside(r), "");
}

TEST(Office11Painter, ScrollBarsAreTheStandardOnesAndTheGripIsDotted) {
  for (const TcxScrollBarPaintPart part : {sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp})
    for (const TcxButtonPaintState state : {bpsNormal, bpsHot, bpsPressed, bpsDisabled}) {
      Surface s(24, 24), want(24, 24);
      const TRect r(2, 2, 19, 19);
      Office11().PaintScrollBarPart(&s.canvas, true, state, part, r);
      TcxStandardLookAndFeelPainter::Class()->PaintScrollBarPart(&want.canvas, true, state, part, r);
      EXPECT_TRUE(s.SameAs(want)) << int(part) << " " << int(state);
    }
  Surface s(24, 24);
  const TRect r(2, 2, 22, 22);
  Office11().PaintSizeGrip(&s.canvas, r, TColor(0xFFFFFF));
  EXPECT_EQ(s.At(3, 3), TColor(0xFFFFFF));
  EXPECT_FALSE(s.Where(Office11GripDarkColor).empty());
  for (const TPoint& q : s.Where(Office11GripDarkColor)) EXPECT_GE(q.X + q.Y, 22) << q.X << "," << q.Y;
  EXPECT_EQ(s.FirstOutside(r), "");
}

TEST(Office11Painter, MarkedHeaderFillsInsideAOnePixelMargin) {
  Surface s(30, 20);
  const TRect r(2, 2, 28, 18);
  Office11().PaintMarkedHeader(&s.canvas, r, {}, {nullptr, TColor(0x336699)}, clWindowText, nullptr, {}, 0, 2, 0);
  EXPECT_EQ(s.At(3, 3), TColor(0x336699));
  EXPECT_EQ(s.At(26, 16), TColor(0x336699));
  EXPECT_EQ(s.FirstOutside(TRect(3, 3, 27, 17)), "");
}

TEST(Office11Painter, DegenerateRectanglesDrawNothingOutside) {
  using Op = std::function<void(TcxCanvas*, const TRect&)>;
  const TcxOffice11LookAndFeelPainter& p = Office11();
  const TcxViewParams params{nullptr, TColor(0xFFFFFF)};
  const std::vector<std::pair<const char*, Op>> ops = {
      {"PaintContent", [&](TcxCanvas* c, const TRect& r) { p.PaintContent(c, r, TcxPainterContent{}); }},
      {"NavigationButton", [&](TcxCanvas* c, const TRect& r) { p.PaintNavigationButton(c, r, r, true, bpsHot); }},
      {"ButtonFrame", [&](TcxCanvas* c, const TRect& r) { p.PaintButtonFrame(c, r, bpsDefault); }},
      {"ExpandBox", [&](TcxCanvas* c, const TRect& r) { p.PaintExpandBox(c, r, clDefault, true); }},
      {"SmallExpandBox", [&](TcxCanvas* c, const TRect& r) { p.PaintSmallExpandBox(c, r, clDefault, 0, false); }},
      {"HeaderFrame", [&](TcxCanvas* c, const TRect& r) { p.PaintHeaderFrame(c, r, cxBordersAll, 5); }},
      {"HeaderFrame plain", [&](TcxCanvas* c, const TRect& r) { p.PaintHeaderFrame(c, r, cxBordersAll, 0); }},
      {"HeaderSection pressed",
       [&](TcxCanvas* c, const TRect& r) {
         p.PaintHeaderSection(c, r, r, bpsPressed, cxBordersAll, TcxPainterContent{});
       }},
      {"SortArrow", [&](TcxCanvas* c, const TRect& r) { p.PaintSortArrow(c, r, true); }},
      {"SizeGrip", [&](TcxCanvas* c, const TRect& r) { p.PaintSizeGrip(c, r, clDefault); }},
      {"MarkedHeader",
       [&](TcxCanvas* c, const TRect& r) { p.PaintMarkedHeader(c, r, {}, params, 0, nullptr, "A", 0, 2, 3); }},
      {"ControlFrameAlias", [&](TcxCanvas* c, const TRect& r) { p.PaintControlFrameAlias(c, r); }},
      {"ToolButton", [&](TcxCanvas* c, const TRect& r) { p.PaintToolButton(c, r, bpsHot); }},
      {"CaptionBar",
       [&](TcxCanvas* c, const TRect& r) {
         TRect w = r;
         p.PaintCaptionBar(c, w);
       }},
      {"GroupBoxBackground",
       [&](TcxCanvas* c, const TRect& r) {
         TRect w = r;
         p.PaintGroupBoxBackground(c, nullptr, TColor(0x102030), TColor(0x405060), w);
       }},
      {"StatusFace", [&](TcxCanvas* c, const TRect& r) { p.PaintStatusFace(c, r); }},
  };
  for (const auto& [name, op] : ops)
    for (const TRect& r : painter_surface::kDegenerateRects)
      EXPECT_EQ(painter_surface::PaintsOutside(op, r), "") << name;
}

}  // namespace
