#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "platform/gdi/gdi.h"
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

}  // namespace
