#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxOffice11.h"

namespace {

// a * b / c rounded, halves away from zero.
int32_t Md(int32_t a, int32_t b, int32_t c) { return int32_t(std::lround(double(a) * b / c)); }

// A 32-bit memory surface of the given size, white to begin with.
class Surface {
public:
  Surface(int w, int h) : dc_(win::CreateCompatibleDC(nullptr)), bmp_(win::CreateBitmap(w, h, 1, 32, nullptr)) {
    old_ = win::SelectObject(dc_, bmp_);
    FillRectWithColor(dc_, TRect(0, 0, w, h), clWhite);
  }
  ~Surface() {
    win::SelectObject(dc_, old_);
    win::DeleteObject(bmp_);
    win::DeleteDC(dc_);
  }
  win::HDC Dc() const { return dc_; }
  TColor At(int x, int y) const { return TColor(win::GetPixel(dc_, x, y)); }

private:
  win::HDC dc_;
  win::HBITMAP bmp_;
  win::HGDIOBJ old_;
};

TEST(Office11Colors, MixColorsClampsEveryChannel) {
  struct Case {
    TColor a, b;
    int32_t percent;
    TColor expected;
  } cases[] = {
      {RGBColor(200, 100, 0), RGBColor(0, 100, 200), 50, RGBColor(100, 100, 100)},
      {RGBColor(255, 0, 0), RGBColor(0, 0, 255), 100, RGBColor(255, 0, 0)},
      {RGBColor(10, 20, 30), RGBColor(40, 50, 60), 0, RGBColor(40, 50, 60)},
      {RGBColor(255, 255, 255), RGBColor(0, 0, 0), 150, RGBColor(255, 255, 255)},  // capped
      {RGBColor(255, 255, 255), RGBColor(0, 0, 0), -50, RGBColor(0, 0, 0)},        // negative clamped to 0
      {RGBColor(0, 0, 0), RGBColor(255, 255, 255), -50, RGBColor(255, 255, 255)},
      {RGBColor(1, 2, 3), RGBColor(4, 5, 6), 33, RGBColor(Md(1, 33, 100) + Md(4, 67, 100), Md(2, 33, 100) + Md(5, 67, 100),
                                                         Md(3, 33, 100) + Md(6, 67, 100))},
  };
  for (const Case& c : cases) EXPECT_EQ(MixColors(c.a, c.b, c.percent), c.expected) << c.percent;
}

TEST(Office11Colors, ScreenColoursAreExact) {
  for (TColor c : {RGBColor(1, 2, 3), RGBColor(0xF0, 0xF0, 0xF0), RGBColor(0x33, 0x99, 0xFF)})
    EXPECT_EQ(NearestScreenColor(c), c);
}

TEST(Office11Colors, LightColourOnTheDefaultSystemColours) {
  // Button face F0F0F0, highlight 3399FF, window FFFFFF.
  const int32_t f[] = {0xF0, 0xF0, 0xF0}, h[] = {0x33, 0x99, 0xFF}, w[] = {0xFF, 0xFF, 0xFF};
  const int32_t weights[][3] = {{0, 20, 80}, {50, 50, 0}, {100, 0, 0}, {20, 80, 30}};
  for (const auto& k : weights) {
    int32_t ch[3];
    for (int i = 0; i < 3; ++i) {
      ch[i] = Md(f[i], k[0], 100) + Md(h[i], k[1], 100) + Md(w[i], k[2], 100);
      ch[i] = ch[i] < 0 ? 0 : ch[i] > 255 ? 255 : ch[i];
    }
    EXPECT_EQ(CalcLightColor(k[0], k[1], k[2]), RGBColor(ch[0], ch[1], ch[2])) << k[0] << " " << k[1] << " " << k[2];
  }
  EXPECT_FALSE(IsHighContrastBlackFace());
  EXPECT_FALSE(IsHighContrastWhite());
  EXPECT_FALSE(IsHighContrastColoredText());
  EXPECT_EQ(Office11GradientPercent(), 75);
  EXPECT_FALSE(DwmApiAvailable());
}

TEST(Office11Gradients, ThousandUnitsMakeAtMost256Bands) {
  Surface s(1000, 2);
  const TColor c1 = RGBColor(0, 0, 0), c2 = RGBColor(255, 128, 10);
  PaintGradientRect(s.Dc(), TRect(0, 0, 1000, 2), c1, true, c2);
  int runs = 1;
  for (int x = 1; x < 1000; ++x) runs += s.At(x, 0) != s.At(x - 1, 0);
  EXPECT_EQ(runs, 256);
  EXPECT_EQ(s.At(0, 1), c1);
  EXPECT_EQ(s.At(999, 1), c2);
  // Band i ends at Md(i + 1, 1000, 256) and has colour c1 + Md(i, c2 - c1, 255).
  for (int i : {0, 1, 100, 255}) {
    const int x = Md(i + 1, 1000, 256) - 1;
    EXPECT_EQ(s.At(x, 0), RGBColor(Md(i, 255, 255), Md(i, 128, 255), Md(i, 10, 255))) << i;
    EXPECT_EQ(GetGradientColorAt(TRect(0, 0, 1000, 2), x, c1, true, c2), s.At(x, 0)) << i;
  }
}

TEST(Office11Gradients, DegenerateExtents) {
  Surface s(8, 8);
  const TColor c1 = RGBColor(10, 20, 30), c2 = RGBColor(200, 100, 50);
  PaintGradientRect(s.Dc(), TRect(2, 0, 3, 8), c1, true, c2);  // one unit: Color1
  EXPECT_EQ(s.At(2, 4), c1);
  EXPECT_EQ(GetGradientColorAt(TRect(2, 0, 3, 8), 2, c1, true, c2), c1);
  PaintGradientRect(s.Dc(), TRect(5, 0, 5, 8), c1, true, c2);  // empty
  PaintGradientRect(s.Dc(), TRect(6, 0, 4, 8), c1, true, c2);  // negative
  FillTwoPhaseGradientRect(s.Dc(), TRect(0, 6, 8, 2), c1, false, c2);
  for (int x = 3; x < 8; ++x) EXPECT_EQ(s.At(x, 4), clWhite) << x;
  EXPECT_EQ(GetGradientColorAt(TRect(0, 0, 0, 0), 0, c1, true, c2), c1);
  PaintGradientRect(s.Dc(), TRect(0, 0, 2, 8), c2, false, c2);  // equal colours: solid
  EXPECT_EQ(s.At(1, 0), c2);
  EXPECT_EQ(s.At(1, 7), c2);
  PaintGradientRect(s.Dc(), TRect(3, 0, 8, 8), clNone, false, clDefault);  // white to black
  EXPECT_EQ(s.At(4, 0), clWhite);
  EXPECT_EQ(s.At(4, 7), clBlack);
  Surface wide(2, 2);
  PaintGradientRect(wide.Dc(), TRect(0, 0, 1000000, 2), c1, true, c2);  // clipped to the surface
  EXPECT_EQ(wide.At(0, 0), c1);
}

TEST(Office11Gradients, TwoPhaseOverTwoUnitsGivesColor1ThenMiddle) {
  Surface s(2, 2);
  const TColor c1 = RGBColor(200, 100, 0), c2 = RGBColor(0, 100, 200);
  FillTwoPhaseGradientRect(s.Dc(), TRect(0, 0, 2, 2), c1, true, c2);
  EXPECT_EQ(s.At(0, 0), c1);
  EXPECT_EQ(s.At(1, 0), RGBColor(200 - Md(200, 75, 200), 100, 0 - Md(-200, 75, 200)));
}

TEST(Office11Gradients, TwoPhaseRowByRow) {
  const int e = 20, h = e / 2;
  Surface s(3, e);
  const int32_t c1[] = {0xF0, 0xE0, 0x30}, c2[] = {0x20, 0x80, 0xF8};
  FillTwoPhaseGradientRect(s.Dc(), TRect(0, 0, 3, e), RGBColor(c1[0], c1[1], c1[2]), false,
                           RGBColor(c2[0], c2[1], c2[2]));
  for (int i = 0; i < e; ++i) {
    int32_t ch[3];
    for (int k = 0; k < 3; ++k) {
      const int32_t m = c1[k] - Md(c1[k] - c2[k], 75, 200);
      const int32_t sStart = c1[k] - Md(c1[k] - m, e, h), tStart = c2[k] + Md(m - c2[k], e, h);
      ch[k] = i < h ? c1[k] + Md(i, sStart - c1[k], e - 1) : i == h ? m : tStart + Md(i, c2[k] - tStart, e - 1);
      ch[k] = ch[k] < 0 ? 0 : ch[k] > 255 ? 255 : ch[k];
    }
    EXPECT_EQ(s.At(1, i), RGBColor(ch[0], ch[1], ch[2])) << "row " << i;
  }
}

TEST(Office11Drawing, FrameRectWithColourDrawsOnlyTheBorder) {
  Surface s(6, 6);
  FrameRectWithColor(s.Dc(), TRect(0, 0, 6, 6), RGBColor(1, 2, 3));
  EXPECT_EQ(s.At(0, 0), RGBColor(1, 2, 3));
  EXPECT_EQ(s.At(5, 3), RGBColor(1, 2, 3));
  EXPECT_EQ(s.At(3, 3), clWhite);
}

// Channels as written in the colour tables, red first.
struct Rgb {
  int32_t R, G, B;
  TColor Color() const { return RGBColor(uint8_t(R), uint8_t(G), uint8_t(B)); }
};

int32_t Clamp(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

Rgb Mix(Rgb a, Rgb b, int32_t p) {
  return {Clamp(Md(a.R, p, 100) + Md(b.R, 100 - p, 100)), Clamp(Md(a.G, p, 100) + Md(b.G, 100 - p, 100)),
          Clamp(Md(a.B, p, 100) + Md(b.B, 100 - p, 100))};
}

// The platform's system colours: button face, window, button shadow, highlight.
constexpr Rgb kFace{0xF0, 0xF0, 0xF0}, kWindow{0xFF, 0xFF, 0xFF}, kShadow{0xA0, 0xA0, 0xA0},
              kHighlight{0x33, 0x99, 0xFF};

Rgb Light(int32_t a, int32_t b, int32_t c) {
  auto ch = [&](int32_t f, int32_t h, int32_t w) { return Clamp(Md(f, a, 100) + Md(h, b, 100) + Md(w, c, 100)); };
  return {ch(kFace.R, kHighlight.R, kWindow.R), ch(kFace.G, kHighlight.G, kWindow.G),
          ch(kFace.B, kHighlight.B, kWindow.B)};
}

TEST(Office11ColorSet, WithoutASchemeFollowsTheSystemColours) {
  AcquireOffice11Colors();
  const Rgb e1 = Mix(kFace, kWindow, 96), e20 = Light(-2, 30, 72), e27 = Light(41, 11, 48), e28 = Light(14, 44, 40);
  const Rgb e6 = Light(-15, 29, 86), e8 = Light(42, 11, 47), e0 = Mix(kFace, kWindow, 22);
  const Rgb black{0, 0, 0}, btnText{0, 0, 0}, grayText{0x6D, 0x6D, 0x6D}, white{0xFF, 0xFF, 0xFF};
  struct Case {
    const char* name;
    TColor actual;
    Rgb expected;
  } cases[] = {
      {"GradientStart", Office11GradientStartColor, e0},
      {"GradientEnd", Office11GradientEndColor, e1},
      {"Face", Office11FaceColor, kFace},
      {"LightFace", Office11LightFaceColor, Mix(kFace, kWindow, 20)},
      {"MarkColors2 normal", Office11MarkColors2[0], kShadow},
      {"MarkColors1 normal", Office11MarkColors1[0], Mix(kShadow, kWindow, 74)},
      {"MarkColors2 hot", Office11MarkColors2[1], e6},
      {"MarkColors1 hot", Office11MarkColors1[1], e6},
      {"MarkColors2 pressed", Office11MarkColors2[2], e8},
      {"MarkColors1 pressed", Office11MarkColors1[2], e8},
      {"BarOutline", Office11BarOutlineColor, Mix(kFace, kWindow, 85)},
      {"BarOutline2", Office11BarOutlineColor2, kFace},
      {"GripDark", Office11GripDarkColor, Mix(kShadow, kWindow, 76)},
      {"GripLight", Office11GripLightColor, kWindow},
      {"HeaderShadow", Office11HeaderShadowColor, Mix(kShadow, kWindow, 70)},
      {"HeaderLight", Office11HeaderLightColor, white},
      {"Shadow", Office11ShadowColor, kShadow},
      {"FloatingBorderInner", Office11FloatingBorderInnerColor, e1},
      {"MenuBorder", Office11MenuBorderColor, kShadow},
      {"Menu", Office11MenuColor, kWindow},
      {"Selected", Office11SelectedColor, e20},
      {"SelectedFrame", Office11SelectedFrameColor, kHighlight},
      {"Hot", Office11HotColor, e20},
      {"HotEnd", Office11HotEndColor, e20},
      {"Pressed", Office11PressedColor, e28},
      {"PressedEnd", Office11PressedEndColor, e28},
      {"ItemFace", Office11ItemFaceColor, e1},
      {"DownFace", Office11DownFaceColor, e27},
      {"DownFace2", Office11DownFaceColor2, e28},
      {"ItemDetail", Office11ItemDetailColor, e1},
      {"Glyph", Office11GlyphColor, btnText},
      {"DisabledGlyph", Office11DisabledGlyphColor, grayText},
      {"PanelFace", Office11PanelFaceColor, kFace},
      {"PanelLight", Office11PanelLightColor, e27},
      {"PanelShade", Office11PanelShadeColor, kFace},
      {"OuterFrame", Office11OuterFrameColor, kShadow},
      {"MarkColors3 normal", Office11MarkColors3[0], Mix(kShadow, kWindow, 50)},
      {"MarkColors3 hot", Office11MarkColors3[1], Mix(e6, kWindow, 50)},
      {"MarkColors3 pressed", Office11MarkColors3[2], Mix(e8, kWindow, 50)},
      {"MarkColors4 normal", Office11MarkColors4[0], Mix(kShadow, kFace, 50)},
      {"MarkColors4 hot", Office11MarkColors4[1], Mix(e6, kFace, 50)},
      {"MarkColors4 pressed", Office11MarkColors4[2], Mix(e8, kFace, 50)},
      {"MarkLine", Office11MarkLineColor, Mix(kShadow, kFace, 50)},
      {"Arrow", Office11ArrowColor, btnText},
      {"ArrowShadow", Office11ArrowShadowColor, kWindow},
      {"Highlight", Office11HighlightColor, white},
      {"MarkArrowHot", Office11MarkArrowHotColor, btnText},
      {"MarkArrowPressed", Office11MarkArrowPressedColor, btnText},
      {"SelectedText", Office11SelectedTextColor, white},
      {"LinkGradientStart", Office11LinkGradientStartColor, e0},
      {"LinkGradientEnd", Office11LinkGradientEndColor, e1},
      {"MenuGradientStart", Office11MenuGradientStartColor, e0},
      {"MenuGradientEnd", Office11MenuGradientEndColor, e1},
      {"MenuGradientDarkStart", Office11MenuGradientDarkStartColor, Mix(e0, black, 92)},
      {"MenuGradientDarkEnd", Office11MenuGradientDarkEndColor, Mix(e1, black, 92)},
      {"FloatingBack", Office11FloatingBackColor, e0},
      {"FloatingCaption", Office11FloatingCaptionColor, kShadow},
      {"DateNavigatorHeader", Office11DateNavigatorHeaderColor, kFace},
      {"Frame", Office11FrameColor, kShadow},
  };
  for (const Case& c : cases) EXPECT_EQ(ColorToRGB(c.actual), c.expected.Color()) << c.name;
  // System colours stay system colours, so the set follows the user's colours when drawn.
  EXPECT_EQ(Office11FaceColor, clBtnFace);
  EXPECT_EQ(Office11SelectedFrameColor, clHighlight);
  EXPECT_EQ(CurrentOffice11Scheme(), 0);
  EXPECT_FALSE(Office11ColorsAvailable());
  EXPECT_EQ(Office11GradientPercent(), 75);
  FreeOffice11Colors();
}

// The colour a brush paints, read back from a one-pixel surface.
TColor BrushColor(win::HBRUSH brush) {
  Surface s(1, 1);
  const TRect r(0, 0, 1, 1);
  win::FillRect(s.Dc(), &r, brush);
  return s.At(0, 0);
}

TEST(Office11ColorSet, ObjectsLiveFromFirstAcquireToLastFree) {
  // The look-and-feel unit's system-colour listener holds a use while the unit
  // runs; it stops for this test so that the first acquire and the last free show.
  ASSERT_NE(Office11GripDarkBrush, nullptr);
  cxLookAndFeelsUnitStop();
  struct Restart {
    ~Restart() { cxLookAndFeelsUnitStart(); }
  } restart;
  ASSERT_EQ(Office11GripDarkBrush, nullptr);
  FreeOffice11Colors();  // without an acquire: ignored
  AcquireOffice11Colors();
  AcquireOffice11Colors();
  const win::HBRUSH grip = Office11GripDarkBrush, frame = Office11SelectedFrameBrush;
  ASSERT_NE(grip, nullptr);
  EXPECT_EQ(win::GetObjectType(grip), win::OBJ_BRUSH);
  EXPECT_EQ(BrushColor(grip), ColorToRGB(Office11GripDarkColor));
  EXPECT_EQ(BrushColor(Office11MarkLineBrush), ColorToRGB(Office11MarkLineColor));
  EXPECT_EQ(BrushColor(Office11MenuBrush), ColorToRGB(clWindow));
  ASSERT_NE(Office11SubMenuExpandBitmap(), nullptr);
  ASSERT_NE(Office11ExpandButtonPlusBitmap(), nullptr);
  FreeOffice11Colors();
  EXPECT_EQ(Office11GripDarkBrush, grip);  // one use remains
  RefreshOffice11Colors();                 // in use: objects made anew
  const win::HBRUSH refreshed = Office11GripDarkBrush;
  EXPECT_EQ(win::GetObjectType(frame), 0u);
  EXPECT_EQ(win::GetObjectType(refreshed), win::OBJ_BRUSH);
  FreeOffice11Colors();
  EXPECT_EQ(win::GetObjectType(refreshed), 0u);
  EXPECT_EQ(Office11GripDarkBrush, nullptr);
  EXPECT_EQ(Office11SelectedFrameBrush, nullptr);
  EXPECT_EQ(Office11SubMenuExpandBitmap(), nullptr);
  RefreshOffice11Colors();  // not in use: no objects
  EXPECT_EQ(Office11GripDarkBrush, nullptr);
  FreeOffice11Colors();
  AcquireOffice11Colors();  // the stray frees left the count at 0
  EXPECT_NE(Office11GripDarkBrush, nullptr);
  FreeOffice11Colors();
  EXPECT_EQ(Office11GripDarkBrush, nullptr);
}

// Shutting the library down is final for the process, so it runs in a child.
TEST(Office11ColorSetDeathTest, ShutdownFreesTheObjectsOfASetInUse) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        AcquireOffice11Colors();
        const win::HBRUSH brush = Office11GripLightBrush;
        cxStopLookAndFeel();
        bool ok = win::GetObjectType(brush) == 0 && Office11GripLightBrush == nullptr &&
                  Office11ExpandButtonMinusBitmap() == nullptr;
        FreeOffice11Colors();
        AcquireOffice11Colors();  // colours still computed, objects never made again
        ok = ok && Office11GripLightBrush == nullptr && ColorToRGB(Office11GripLightColor) == clWhite;
        FreeOffice11Colors();
        std::exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(Office11Bitmaps, ExpandButtonsCarryTheirPixelLists) {
  struct Case {
    int x, y;
    Rgb minus, plus;
  } cases[] = {
      {0, 0, {160, 176, 192}, {160, 176, 192}},  // frame, top-left
      {9, 0, {144, 160, 192}, {144, 160, 192}},  // top row end
      {0, 9, {144, 168, 192}, {144, 168, 192}},  // left column end
      {10, 0, {48, 72, 96}, {48, 72, 96}},       // right column
      {4, 10, {48, 72, 96}, {48, 72, 96}},       // bottom row
      {1, 1, {255, 255, 255}, {255, 255, 255}},  // shading, first entry
      {8, 1, {224, 232, 240}, {224, 232, 240}},  // shading, entry 7
      {5, 5, {48, 72, 96}, {48, 72, 96}},        // the sign's centre
      {3, 5, {48, 72, 96}, {48, 72, 96}},        // the bar's left end
      {5, 3, {224, 240, 255}, {48, 72, 96}},     // only the plus has the stroke
      {5, 8, {208, 216, 240}, {208, 216, 240}},  // below the stroke
      {9, 2, {208, 224, 240}, {192, 208, 224}},  // inner right edge of the plus
      {3, 9, {208, 216, 240}, {176, 200, 224}},  // inner bottom edge
      {9, 9, {176, 200, 240}, {160, 184, 208}},
  };
  const std::unique_ptr<TBitmap> minus = dxLoadOffice11Bitmap("DXEXPANDBUTTON_MINUS");
  const std::unique_ptr<TBitmap> plus = dxLoadOffice11Bitmap("DXEXPANDBUTTON_PLUS");
  ASSERT_TRUE(minus && plus);
  EXPECT_EQ(minus->Width(), 11);
  EXPECT_EQ(plus->Height(), 11);
  for (const Case& c : cases) {
    EXPECT_EQ(minus->Canvas()->Pixels(c.x, c.y), c.minus.Color()) << c.x << "," << c.y;
    EXPECT_EQ(plus->Canvas()->Pixels(c.x, c.y), c.plus.Color()) << c.x << "," << c.y;
  }
  EXPECT_EQ(dxLoadOffice11Bitmap("DXEXPANDBUTTON"), nullptr);
  EXPECT_EQ(dxLoadOffice11Bitmap(nullptr), nullptr);
}

TEST(Office11Bitmaps, RecolouringByRed) {
  const Rgb kMagenta{255, 0, 255};
  struct Case {
    const char* what;
    Rgb a, b;
    std::vector<Rgb> pixels;  // row 0; pixel 0 is the transparent colour
    std::vector<Rgb> expected;
  } cases[] = {
      {"spread",
       {200, 100, 0},
       {0, 50, 250},
       {kMagenta, {0, 0, 0}, {100, 9, 9}, {150, 0, 0}, {200, 7, 7}, kMagenta},
       {kMagenta, {0, 0, 0}, {0, 50, 250}, Mix({200, 100, 0}, {0, 50, 250}, 50), {200, 100, 0}, kMagenta}},
      {"equal colours: black as the second",
       {100, 100, 100},
       {100, 100, 100},
       {kMagenta, {10, 0, 0}, {20, 0, 0}},
       {kMagenta, {0, 0, 0}, {100, 100, 100}}},
      {"black twice: white as the second",
       {0, 0, 0},
       {0, 0, 0},
       {kMagenta, {10, 0, 0}, {30, 0, 0}},
       {kMagenta, {255, 255, 255}, {0, 0, 0}}},
      {"one red value: all first colour",
       {10, 20, 30},
       {200, 200, 200},
       {kMagenta, {90, 1, 2}, {90, 3, 4}},
       {kMagenta, {10, 20, 30}, {10, 20, 30}}},
  };
  for (const Case& c : cases) {
    TBitmap bitmap(int32_t(c.pixels.size()), 1);
    for (size_t x = 0; x < c.pixels.size(); ++x) bitmap.Canvas()->SetPixels(int32_t(x), 0, c.pixels[x].Color());
    RecolorOffice11Bitmap(bitmap, c.a.Color(), c.b.Color());
    for (size_t x = 0; x < c.expected.size(); ++x)
      EXPECT_EQ(bitmap.Canvas()->Pixels(int32_t(x), 0), c.expected[x].Color()) << c.what << " pixel " << x;
  }
}

TEST(Office11Bitmaps, SubMenuExpandTakesTheGradientColours) {
  AcquireOffice11Colors();
  TBitmap* recoloured = Office11SubMenuExpandBitmap();
  const std::unique_ptr<TBitmap> original = dxLoadOffice11Bitmap("DXSUBMENUEXPAND");
  ASSERT_TRUE(recoloured && original);
  ASSERT_EQ(recoloured->Width(), original->Width());
  ASSERT_EQ(recoloured->Height(), original->Height());
  TCanvas* canvas = recoloured->Canvas();
  const int w = recoloured->Width(), h = recoloured->Height();
  const TColor transparent = original->Canvas()->Pixels(0, 0);
  EXPECT_EQ(canvas->Pixels(0, 0), transparent);
  EXPECT_EQ(canvas->Pixels(w - 1, h - 1), transparent);
  // The top of the face is the light end, the bottom the dark end.
  EXPECT_EQ(canvas->Pixels(1, 0), ColorToRGB(Office11GradientStartColor));
  EXPECT_EQ(canvas->Pixels(1, h - 1), ColorToRGB(Office11GradientEndColor));
  int black = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) black += original->Canvas()->Pixels(x, y) == clBlack && canvas->Pixels(x, y) == clBlack;
  EXPECT_GT(black, 0);  // the chevrons stay black
  FreeOffice11Colors();
}

TEST(Office11Drawing, FrameOffice11RectInTheSelectionFrameColour) {
  for (bool acquired : {false, true}) {
    if (acquired) AcquireOffice11Colors();
    Surface s(6, 5);
    FrameOffice11Rect(s.Dc(), TRect(1, 1, 6, 5));
    EXPECT_EQ(s.At(1, 1), kHighlight.Color()) << acquired;
    EXPECT_EQ(s.At(5, 4), kHighlight.Color()) << acquired;
    EXPECT_EQ(s.At(3, 2), clWhite) << acquired;
    EXPECT_EQ(s.At(0, 0), clWhite) << acquired;
    if (acquired) FreeOffice11Colors();
  }
}

// Expected surface for grip dots whose dark squares start at the given points:
// a 2 x 2 light square one unit right and down, then the 2 x 2 dark square.
std::vector<std::string> DotsPicture(int w, int h, const std::vector<TPoint>& dots) {
  std::vector<std::string> rows(h, std::string(w, '.'));
  for (const TPoint& p : dots) {
    for (int y = p.Y + 1; y < p.Y + 3; ++y)
      for (int x = p.X + 1; x < p.X + 3; ++x)
        if (x >= 0 && y >= 0 && x < w && y < h) rows[y][x] = 'L';
    for (int y = p.Y; y < p.Y + 2; ++y)
      for (int x = p.X; x < p.X + 2; ++x)
        if (x >= 0 && y >= 0 && x < w && y < h) rows[y][x] = 'D';
  }
  return rows;
}

std::vector<std::string> Picture(const Surface& s, int w, int h, TColor light, TColor dark,
                                 TColor background = clWhite) {
  std::vector<std::string> rows(h, std::string(w, '?'));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TColor c = s.At(x, y);
      rows[y][x] = c == background ? '.' : c == light ? 'L' : c == dark ? 'D' : '?';
    }
  return rows;
}

TEST(Office11Drawing, GripDotsCentredByTheExtentModFour) {
  const TColor light = RGBColor(250, 200, 0), dark = RGBColor(0, 0, 160);
  win::HBRUSH lightBrush = win::CreateSolidBrush(win::COLORREF(light));
  win::HBRUSH darkBrush = win::CreateSolidBrush(win::COLORREF(dark));
  struct Case {
    int extent;
    std::vector<int> starts;  // of the cells, from the rectangle's start
  } cases[] = {{12, {0, 4, 8}}, {13, {1, 5, 9}}, {14, {1, 5, 9}}, {15, {1, 5, 9}}, {16, {0, 4, 8, 12}},
               {6, {1}},        {7, {1}},        {4, {0}},        {3, {}},          {0, {}}};
  for (const Case& c : cases)
    for (bool vertical : {false, true}) {
      const int w = vertical ? 6 : 20, h = vertical ? 20 : 6;
      Surface s(w, h);
      const TRect rect = vertical ? TRect(1, 2, 5, 2 + c.extent) : TRect(2, 1, 2 + c.extent, 5);
      DrawGripDots(s.Dc(), rect, vertical, lightBrush, darkBrush);
      std::vector<TPoint> dots;
      for (int start : c.starts) dots.push_back(vertical ? TPoint(1, 2 + start) : TPoint(2 + start, 1));
      EXPECT_EQ(Picture(s, w, h, light, dark), DotsPicture(w, h, dots)) << c.extent << (vertical ? " vertical" : "");
    }
  win::DeleteObject(lightBrush);
  win::DeleteObject(darkBrush);
}

TEST(Office11Drawing, SizeGripIsATriangleOfSixDots) {
  const TColor dark = RGBColor(90, 0, 0), light = RGBColor(0, 200, 100);
  Surface s(22, 22);
  DrawSizeGripDots(s.Dc(), TRect(2, 2, 20, 20), dark, light);
  const std::vector<TPoint> dots = {{8, 17}, {12, 17}, {16, 17}, {12, 13}, {16, 13}, {16, 9}};
  EXPECT_EQ(Picture(s, 22, 22, light, dark), DotsPicture(22, 22, dots));
  // clDefault takes the set's grip colours.
  AcquireOffice11Colors();
  Surface d(22, 22);
  FillRectWithColor(d.Dc(), TRect(0, 0, 22, 22), clGray);  // the light dots are white
  DrawSizeGripDots(d.Dc(), TRect(2, 2, 20, 20));
  EXPECT_EQ(Picture(d, 22, 22, ColorToRGB(Office11GripLightColor), ColorToRGB(Office11GripDarkColor), clGray),
            DotsPicture(22, 22, dots));
  FreeOffice11Colors();
}

// The cells an arrow of size s covers: its rows (down) or columns (right)
// shrink by one unit on each side per step.
std::vector<std::string> ArrowPicture(int w, int h, bool down, int x0, int y0, int s) {
  std::vector<std::string> rows(h, std::string(w, '.'));
  for (int k = 0; k < s; ++k)
    for (int i = k; i <= 2 * s - 2 - k; ++i) {
      const int x = down ? x0 + i : x0 + k, y = down ? y0 + k : y0 + i;
      if (x >= 0 && y >= 0 && x < w && y < h) rows[y][x] = 'D';
    }
  return rows;
}

TEST(Office11Drawing, ArrowGlyphPoints) {
  const TColor disabled = RGBColor(0x6D, 0x6D, 0x6D);  // clGrayText
  AcquireOffice11Colors();
  struct Case {
    TRect rect;
    bool down;
    int size, x0, y0;
  } cases[] = {
      {TRect(0, 0, 20, 20), true, 4, 6, 8},   // (20 - 7) div 2, (20 - 4) div 2
      {TRect(0, 0, 20, 20), false, 4, 8, 6},  // pointing right
      {TRect(3, 2, 10, 7), true, 3, 4, 3},
      {TRect(3, 2, 10, 7), false, 2, 5, 3},
  };
  for (const Case& c : cases) {
    Surface s(22, 22);
    DrawArrowGlyph(s.Dc(), c.rect, c.down, false, false, c.size);
    EXPECT_EQ(Picture(s, 22, 22, clNone, disabled), ArrowPicture(22, 22, c.down, c.x0, c.y0, c.size))
        << c.size << (c.down ? " down" : " right");
  }
  Surface enabled(10, 10);
  DrawArrowGlyph(enabled.Dc(), TRect(0, 0, 10, 10), true, true, true, 3);
  EXPECT_EQ(enabled.At(4, 4), ColorToRGB(Office11GlyphColor));
  FreeOffice11Colors();
}

TEST(Office11Drawing, ArrowInRectNeverBelowThree) {
  const TColor glyph = clBlack;
  struct Case {
    TRect rect;
    bool down;
    int size;
  } cases[] = {
      {TRect(0, 0, 17, 20), true, 5},   // n = 9: 4 + 1
      {TRect(0, 0, 18, 20), true, 4},   // n = 10: 9 div 2, even
      {TRect(0, 0, 20, 13), false, 4},  // n = 7
      {TRect(0, 0, 20, 12), false, 3},  // n = 6: 2, raised to 3
      {TRect(0, 0, 8, 8), true, 3},     // n = 0
      {TRect(5, 5, 8, 7), true, 3},     // n < 0
  };
  for (const Case& c : cases) {
    Surface s(24, 24);
    DrawArrowInRect(s.Dc(), c.rect, c.down, true, false);
    // The painted cells' extent: 2s - 1 across, s along the point.
    int left = 99, right = -1, top = 99, bottom = -1;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x)
        if (s.At(x, y) == glyph) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    const int across = c.down ? right - left + 1 : bottom - top + 1;
    const int along = c.down ? bottom - top + 1 : right - left + 1;
    EXPECT_EQ(across, 2 * c.size - 1) << c.rect.Width() << "x" << c.rect.Height();
    EXPECT_EQ(along, c.size) << c.rect.Width() << "x" << c.rect.Height();
  }
}

TEST(Office11Gradients, SystemColoursAreResolved) {
  Surface s(4, 4);
  PaintGradientRect(s.Dc(), TRect(0, 0, 4, 4), clBtnFace, false, clHighlight);
  EXPECT_EQ(s.At(1, 0), kFace.Color());
  EXPECT_EQ(s.At(1, 3), kHighlight.Color());
  FillTwoPhaseGradientRect(s.Dc(), TRect(0, 0, 4, 4), clWindow, true, clWindow);  // equal: solid
  EXPECT_EQ(s.At(3, 3), kWindow.Color());
}

}  // namespace
