#include "imaging/core/ielab.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

// The conversion to Lab evaluated here in double precision, from the formulas.
TCIELab ReferenceLab(int r8, int g8, int b8) {
  const auto lin = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  const double r = lin(r8 / 255.0), g = lin(g8 / 255.0), b = lin(b8 / 255.0);
  const double x = (0.412453 * r + 0.35758 * g + 0.180423 * b) / 0.95047;
  const double y = 0.212671 * r + 0.71516 * g + 0.072169 * b;
  const double z = (0.019334 * r + 0.119193 * g + 0.950227 * b) / 1.088883;
  const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
  const double l = y > 0.008856 ? 116 * f(y) - 16 : 903.3 * y;
  return TCIELab{uint8_t(int(l * 2.55) & 0xFF), int8_t(int(500 * (f(x) - f(y))) & 0xFF),
                 int8_t(int(200 * (f(y) - f(z))) & 0xFF)};
}

uint32_t Packed(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

TEST(CIELab, WhiteIsJustBelowFullLightness) {
  TCIELab lab;
  IEColorToCIELab(lab, 0xFFFFFF);
  EXPECT_EQ(lab, (TCIELab{254, 0, 0}));
  IEColorToCIELab(lab, 0);
  EXPECT_EQ(lab, (TCIELab{0, 0, 0}));
}

TEST(CIELab, BlackAndFullLightnessBack) {
  TRGB rgb{1, 2, 3};
  IECIELabToRGB(rgb, TCIELab{0, 0, 0});
  EXPECT_EQ(rgb, (TRGB{0, 0, 0}));
  IECIELabToRGB(rgb, TCIELab{255, 0, 0});
  EXPECT_GE(rgb.r, 254);
  EXPECT_GE(rgb.g, 254);
  EXPECT_GE(rgb.b, 254);
}

TEST(CIELab, MatchesTheFormulaAndStoresNegativeChannelsAsHighBytes) {
  struct Case {
    int r, g, b;
  };
  const Case cases[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 128, 255}, {12, 200, 90}, {3, 3, 3}, {250, 240, 10}};
  for (const Case& c : cases) {
    TCIELab lab;
    IEColorToCIELab(lab, Packed(c.r, c.g, c.b));
    const TCIELab want = ReferenceLab(c.r, c.g, c.b);
    EXPECT_NEAR(lab.l, want.l, 1) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(lab.a, want.a, 1) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(lab.b, want.b, 1) << c.r << "," << c.g << "," << c.b;
  }
  // Green has a strongly negative a*: its byte lies in 128..255.
  TCIELab green;
  IEColorToCIELab(green, Packed(0, 255, 0));
  EXPECT_GE(uint8_t(green.a), 128);
  EXPECT_LT(green.a, 0);
  // Blue has a negative b*; read back it keeps its sign and the colour stays blue.
  TCIELab blue;
  IEColorToCIELab(blue, Packed(0, 0, 255));
  EXPECT_LT(blue.b, 0);
  TRGB back;
  IECIELabToRGB(back, blue);
  EXPECT_GT(back.b, 200);
  EXPECT_LT(back.r, 60);
}

TEST(CIELab, GraysRoundTripWithinOne) {
  for (int v = 0; v < 256; v += 5) {
    TCIELab lab;
    IEColorToCIELab(lab, Packed(v, v, v));
    TRGB back;
    IECIELabToRGB(back, lab);
    EXPECT_LE(std::abs(back.r - v), 1) << v;
    EXPECT_LE(std::abs(back.g - v), 1) << v;
    EXPECT_LE(std::abs(back.b - v), 1) << v;
  }
}

}  // namespace
