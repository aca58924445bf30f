// Blits: raster operations against their truth tables, stretching, blending,
// gradients and the monochrome colour rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "platform/gdi/gdi.h"
#include "tests/support/surface_png.h"

using namespace win;
using testsupport::RawOf;
using testsupport::TestCanvas;

namespace {

// The documented meaning of a ternary code: bit (p<<2 | s<<1 | d) of the
// code's third byte is the result for those three input bits.
uint32_t TruthTable(DWORD rop, uint32_t p, uint32_t s, uint32_t d) {
  uint8_t code = uint8_t(rop >> 16);
  uint32_t r = 0;
  for (int bit = 0; bit < 32; ++bit) {
    int idx = int(((p >> bit) & 1) << 2 | ((s >> bit) & 1) << 1 | ((d >> bit) & 1));
    r |= uint32_t((code >> idx) & 1) << bit;
  }
  return r;
}

}  // namespace

TEST(Blit, EveryTernaryRopFollowsItsTruthTable) {
  const DWORD rops[] = {SRCCOPY,  SRCPAINT,  SRCAND,    SRCINVERT, SRCERASE,  NOTSRCCOPY,
                        NOTSRCERASE, MERGECOPY, MERGEPAINT, PATCOPY, PATPAINT, PATINVERT,
                        DSTINVERT, BLACKNESS, WHITENESS, 0x00B8074A, 0x00E20746};
  // Source and destination values whose bits meet in every combination, alpha included.
  const uint32_t S[4] = {0xA5C30F5A, 0x00FF00FF, 0xFFFFFFFF, 0x12345678};
  const uint32_t D[4] = {0x3C96E1F0, 0xFF00FF00, 0x00000000, 0x87654321};
  const COLORREF brush = RGB(0xF0, 0x0F, 0xCC);  // stored as 0x00F00FCC
  const uint32_t P = RawOf(brush);
  for (DWORD rop : rops) {
    TestCanvas src(4, 1), dst(4, 1);
    for (int i = 0; i < 4; ++i) {
      src.At(i, 0) = S[i];
      dst.At(i, 0) = D[i];
    }
    HBRUSH b = CreateSolidBrush(brush);
    HGDIOBJ old = SelectObject(dst.Dc(), b);
    ASSERT_TRUE(BitBlt(dst.Dc(), 0, 0, 4, 1, src.Dc(), 0, 0, rop)) << std::hex << rop;
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(dst.At(i, 0), TruthTable(rop, P, S[i], D[i])) << std::hex << "rop " << rop << " pixel " << i;
    SelectObject(dst.Dc(), old);
    DeleteObject(b);
  }
}

TEST(Blit, PatBltRefusesRopsThatNeedASource) {
  TestCanvas c(2, 2);
  EXPECT_FALSE(PatBlt(c.Dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_TRUE(PatBlt(c.Dc(), 0, 0, 2, 2, BLACKNESS));
  EXPECT_EQ(c.At(1, 1), 0u);
  // Negative extents count from the other corner.
  EXPECT_TRUE(PatBlt(c.Dc(), 2, 2, -1, -1, WHITENESS));
  EXPECT_EQ(c.At(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(c.At(0, 0), 0u);
}

TEST(Blit, StretchBltColorOnColorPicksTheNearestSourcePixel) {
  TestCanvas src(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) src.At(x, y) = uint32_t(0x010000 * (x + 1) + 0x000100 * (y + 1));
  struct Case {
    int w, h;
  } cases[] = {{13, 7}, {2, 2}, {5, 3}, {3, 9}, {-7, 4}, {6, -5}};
  for (const Case& k : cases) {
    int aw = std::abs(k.w), ah = std::abs(k.h);
    TestCanvas dst(aw, ah);
    SetStretchBltMode(dst.Dc(), COLORONCOLOR);
    int x0 = k.w < 0 ? aw : 0, y0 = k.h < 0 ? ah : 0;
    ASSERT_TRUE(StretchBlt(dst.Dc(), x0, y0, k.w, k.h, src.Dc(), 0, 0, 5, 3, SRCCOPY));
    for (int y = 0; y < ah; ++y)
      for (int x = 0; x < aw; ++x) {
        // Source pixel under the destination pixel's centre, measured in the mirrored direction when flipped.
        int fx = k.w < 0 ? aw - 1 - x : x, fy = k.h < 0 ? ah - 1 - y : y;
        int sx = int(std::floor((fx + 0.5) * 5 / aw)), sy = int(std::floor((fy + 0.5) * 3 / ah));
        ASSERT_EQ(dst.At(x, y), src.At(sx, sy)) << k.w << "x" << k.h << " at " << x << "," << y;
      }
  }
}

TEST(Blit, HalftoneAveragesTheSourceFootprint) {
  TestCanvas src(4, 2), dst(2, 1);
  const uint8_t v[2][4] = {{0, 100, 40, 41}, {200, 60, 255, 0}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) src.At(x, y) = uint32_t(v[y][x]) << 8;
  SetStretchBltMode(dst.Dc(), HALFTONE);
  ASSERT_TRUE(StretchBlt(dst.Dc(), 0, 0, 2, 1, src.Dc(), 0, 0, 4, 2, SRCCOPY));
  for (int i = 0; i < 2; ++i) {
    double mean = (v[0][2 * i] + v[0][2 * i + 1] + v[1][2 * i] + v[1][2 * i + 1]) / 4.0;
    EXPECT_NEAR(double((dst.At(i, 0) >> 8) & 0xFF), mean, 0.51) << i;
  }
}

TEST(Blit, BitBltWithinOneSurfaceCopiesAsIfThroughATemporary) {
  TestCanvas c(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) c.At(x, y) = uint32_t(y * 8 + x);
  const auto before = c.Pixels();
  ASSERT_TRUE(BitBlt(c.Dc(), 2, 1, 6, 7, c.Dc(), 0, 0, SRCCOPY));
  for (int y = 1; y < 8; ++y)
    for (int x = 2; x < 8; ++x) EXPECT_EQ(c.At(x, y), before[size_t((y - 1) * 8 + x - 2)]) << x << "," << y;
  EXPECT_EQ(c.At(0, 0), before[0]);
}

TEST(Blit, SourceOutsideItsSurfaceLeavesTheDestination) {
  TestCanvas src(4, 4, 0x112233), dst(8, 8);
  ASSERT_TRUE(BitBlt(dst.Dc(), 0, 0, 8, 8, src.Dc(), -2, -1, SRCCOPY));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool covered = x >= 2 && x < 6 && y >= 1 && y < 5;
      EXPECT_EQ(dst.At(x, y), covered ? 0x112233u : 0xFFFFFFu) << x << "," << y;
    }
}

namespace {

uint32_t Blend(uint32_t s, uint32_t d, uint32_t sca, bool perPixel) {
  uint32_t sa = s >> 24, out = 0;
  for (int ch = 0; ch < 32; ch += 8) {
    double sc = (s >> ch) & 0xFF, dc = (d >> ch) & 0xFF;
    double v = perPixel ? sc * sca / 255.0 + dc * (1.0 - sa * sca / 255.0 / 255.0) : sc * sca / 255.0 + dc * (1.0 - sca / 255.0);
    out |= uint32_t(std::min(255.0, std::floor(v + 0.5))) << ch;
  }
  return out;
}

void ExpectNear(uint32_t got, uint32_t want, const char* what) {
  for (int ch = 0; ch < 32; ch += 8)
    EXPECT_LE(std::abs(int((got >> ch) & 0xFF) - int((want >> ch) & 0xFF)), 1)
        << what << std::hex << " got " << got << " want " << want;
}

}  // namespace

TEST(Blit, AlphaBlendWithConstantAlphaFollowsTheFormula) {
  const uint32_t S[3] = {0x00FF0000, 0x00204080, 0x80FFFFFF};
  const uint32_t D[3] = {0x000000FF, 0x00C0C0C0, 0x00000000};
  TestCanvas src(3, 1), dst(3, 1);
  for (int i = 0; i < 3; ++i) {
    src.At(i, 0) = S[i];
    dst.At(i, 0) = D[i];
  }
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 128, 0};
  ASSERT_TRUE(AlphaBlend(dst.Dc(), 0, 0, 3, 1, src.Dc(), 0, 0, 3, 1, bf));
  for (int i = 0; i < 3; ++i) ExpectNear(dst.At(i, 0), Blend(S[i], D[i], 128, false), "constant");
}

TEST(Blit, AlphaBlendWithPerPixelAlphaTreatsTheSourceAsPremultiplied) {
  // Premultiplied: no channel exceeds alpha.
  const uint32_t S[4] = {0xFF102030, 0x80404000, 0x00000000, 0x40202020};
  const uint32_t D[4] = {0x00FFFFFF, 0x000000FF, 0x00ABCDEF, 0xFF808080};
  for (uint32_t sca : {255u, 128u}) {
    TestCanvas src(4, 1), dst(4, 1);
    for (int i = 0; i < 4; ++i) {
      src.At(i, 0) = S[i];
      dst.At(i, 0) = D[i];
    }
    BLENDFUNCTION bf{AC_SRC_OVER, 0, BYTE(sca), AC_SRC_ALPHA};
    ASSERT_TRUE(AlphaBlend(dst.Dc(), 0, 0, 4, 1, src.Dc(), 0, 0, 4, 1, bf));
    for (int i = 0; i < 4; ++i) ExpectNear(dst.At(i, 0), Blend(S[i], D[i], sca, true), "per-pixel");
  }
  TestCanvas src(2, 2), dst(2, 2);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_FALSE(AlphaBlend(dst.Dc(), 0, 0, 2, 2, src.Dc(), 1, 0, 2, 2, bf));  // source rectangle leaves the source
  EXPECT_FALSE(AlphaBlend(dst.Dc(), 0, 0, -2, 2, src.Dc(), 0, 0, 2, 2, bf));
}

TEST(Blit, GradientFillRectRunsFromFirstToLastColour) {
  TRIVERTEX v[2];
  v[0].x = 0;
  v[0].y = 0;
  v[0].Red = 0xFF00;
  v[0].Green = 0x1000;
  v[0].Blue = 0x0000;
  v[1].x = 10;
  v[1].y = 6;
  v[1].Red = 0x0000;
  v[1].Green = 0x8000;
  v[1].Blue = 0xFF00;
  GRADIENT_RECT gr{0, 1};
  for (ULONG mode : {GRADIENT_FILL_RECT_H, GRADIENT_FILL_RECT_V}) {
    TestCanvas c(12, 8);
    ASSERT_TRUE(GradientFill(c.Dc(), v, 2, &gr, 1, mode));
    const bool h = mode == GRADIENT_FILL_RECT_H;
    const int n = h ? 10 : 6;
    auto at = [&](int i) {  // channel values expected at step i of n
      auto ch = [&](int a, int b) { return uint32_t((a + (b - a) * i / n) >> 8); };
      return (ch(v[0].Red, v[1].Red) << 16) | (ch(v[0].Green, v[1].Green) << 8) | ch(v[0].Blue, v[1].Blue);
    };
    for (int y = 0; y < 6; ++y) {
      EXPECT_EQ(c.Rgb(0, y), at(h ? 0 : y));
      EXPECT_EQ(c.Rgb(9, y), at(h ? 9 : y));
    }
    for (int x = 0; x < 10; ++x) {
      EXPECT_EQ(c.Rgb(x, 0), at(h ? x : 0));
      EXPECT_EQ(c.Rgb(x, 5), at(h ? x : 5));
    }
    EXPECT_EQ(c.Rgb(10, 0), 0xFFFFFFu);
    EXPECT_EQ(c.Rgb(0, 6), 0xFFFFFFu);
  }
  TestCanvas c(2, 2);
  GRADIENT_RECT bad{0, 5};
  EXPECT_FALSE(GradientFill(c.Dc(), v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
}

TEST(Blit, MonochromeBitmapsMapThroughTextAndBackgroundColours) {
  const uint8_t rows[4] = {0xA0, 0, 0x50, 0};  // 4 x 2: 1010 / 0101
  HBITMAP mono = CreateBitmap(4, 2, 1, 1, rows);
  HDC mdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mdc, mono);
  TestCanvas dst(4, 2);
  SetTextColor(dst.Dc(), RGB(255, 0, 0));
  SetBkColor(dst.Dc(), RGB(0, 0, 255));
  ASSERT_TRUE(BitBlt(dst.Dc(), 0, 0, 4, 2, mdc, 0, 0, SRCCOPY));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      bool one = (rows[y * 2] >> (7 - x)) & 1;
      EXPECT_EQ(dst.Rgb(x, y), one ? 0x0000FFu : 0xFF0000u) << x << "," << y;
    }
  // Back to monochrome: pixels equal to the source DC's background colour become 1.
  TestCanvas colour(4, 2, 0x00FF00);
  colour.At(1, 0) = 0x123456;
  colour.At(3, 1) = 0x123456;
  SetBkColor(colour.Dc(), RGB(0x12, 0x34, 0x56));
  ASSERT_TRUE(BitBlt(mdc, 0, 0, 4, 2, colour.Dc(), 0, 0, SRCCOPY));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      bool want = (x == 1 && y == 0) || (x == 3 && y == 1);
      EXPECT_EQ(GetPixel(mdc, x, y), want ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x << "," << y;
    }
  SelectObject(mdc, old);
  DeleteObject(mono);
  DeleteDC(mdc);
}

TEST(Blit, TransparentBltSkipsTheTransparentColour) {
  TestCanvas src(3, 1), dst(6, 2, 0x000000);
  src.At(0, 0) = 0xFF00FF;
  src.At(1, 0) = 0x102030;
  src.At(2, 0) = 0xFF00FF;
  ASSERT_TRUE(TransparentBlt(dst.Dc(), 0, 0, 6, 2, src.Dc(), 0, 0, 3, 1, RGB(255, 0, 255)));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(dst.Rgb(x, y), (x / 2 == 1) ? 0x102030u : 0u) << x;
}

TEST(Blit, MaskBltChoosesForegroundWhereTheMaskIsSet) {
  const uint8_t rows[2] = {0xC0, 0};  // 4 x 1: 1100
  HBITMAP mask = CreateBitmap(4, 1, 1, 1, rows);
  TestCanvas src(4, 1, 0x0000AA), dst(4, 1, 0x00BB00);
  ASSERT_TRUE(MaskBlt(dst.Dc(), 0, 0, 4, 1, src.Dc(), 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, DSTINVERT)));
  EXPECT_EQ(dst.At(0, 0), 0x0000AAu);
  EXPECT_EQ(dst.At(1, 0), 0x0000AAu);
  EXPECT_EQ(dst.At(2, 0), ~0x00BB00u);
  EXPECT_EQ(dst.At(3, 0), ~0x00BB00u);
  HBITMAP notMono = CreateBitmap(4, 1, 1, 32, nullptr);
  EXPECT_FALSE(MaskBlt(dst.Dc(), 0, 0, 4, 1, src.Dc(), 0, 0, notMono, 0, 0, MAKEROP4(SRCCOPY, DSTINVERT)));
  DeleteObject(mask);
  DeleteObject(notMono);
}

TEST(Blit, StretchDIBitsReadsBottomUpRowsFromTheBottom) {
  // 3 x 2 24-bit bottom-up: first stored row is the bottom one; rows padded to 12 bytes.
  uint8_t bits[24] = {};
  auto put = [&](int row, int x, uint8_t b, uint8_t g, uint8_t r) {
    bits[row * 12 + x * 3] = b;
    bits[row * 12 + x * 3 + 1] = g;
    bits[row * 12 + x * 3 + 2] = r;
  };
  put(0, 0, 1, 2, 3);  // bottom-left
  put(1, 2, 4, 5, 6);  // top-right
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = 2;
  bi.bmiHeader.biBitCount = 24;
  TestCanvas c(3, 2);
  SetStretchBltMode(c.Dc(), COLORONCOLOR);
  EXPECT_EQ(StretchDIBits(c.Dc(), 0, 0, 3, 2, 0, 0, 3, 2, bits, &bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(c.At(0, 1), 0x030201u);
  EXPECT_EQ(c.At(2, 0), 0x060504u);
  // Source y counts from the bottom: row 0 from the bottom is the image's last row.
  TestCanvas one(3, 1);
  StretchDIBits(one.Dc(), 0, 0, 3, 1, 0, 0, 3, 1, bits, &bi, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(one.At(0, 0), 0x030201u);
  TestCanvas viaDevice(3, 2);
  EXPECT_EQ(SetDIBitsToDevice(viaDevice.Dc(), 0, 0, 3, 2, 0, 0, 0, 2, bits, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(viaDevice.Pixels(), c.Pixels());
}
