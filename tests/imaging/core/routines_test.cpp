#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/core/iepixels.h"
#include "imaging/core/iecolorconv.h"
#include "imaging/core/ieprocutils.h"
#include "imaging/core/neurquant.h"
#include "platform/vcl/graphics.h"

namespace {

TEST(ProcRoutines, Numbers) {
  EXPECT_EQ(IECeil(2.0L), 2);
  EXPECT_EQ(IECeil(-1.5L), -1);
  EXPECT_EQ(IECeil(1.25L), 2);
  EXPECT_EQ(IEFloor(-1.5L), -2);
  EXPECT_EQ(IEFloor(1.5L), 1);
  EXPECT_EQ(IEClamp(5, 5, 3), 5);
  EXPECT_EQ(IEClamp(9, 0, 3), 3);
  EXPECT_EQ(ClampByte(-4), 0);
  EXPECT_EQ(ClampByte(300), 255);
  int32_t x1 = 5, y1 = 1, x2 = 2, y2 = 7;
  OrderCorners(x1, y1, x2, y2);
  EXPECT_EQ(x1, 2);
  EXPECT_EQ(x2, 5);
  EXPECT_EQ(y1, 1);
  EXPECT_TRUE(IsMultipleOf90(-270));
  EXPECT_FALSE(IsMultipleOf90(90.5));
  EXPECT_EQ(IEMinFloat(1.0, 1.0), 1.0);
}

TEST(ProcRoutines, Colours) {
  EXPECT_EQ(SwapRedBlue(0x7F112233), 0x00332211u);
  EXPECT_EQ(CreateRGB(1, 2, 3), (TRGB{3, 2, 1}));
  EXPECT_EQ(CreateCMYK(1, 2, 3, 4), 0x04030201u);
  EXPECT_EQ(ColorToTRGB(0x00332211), (TRGB{0x33, 0x22, 0x11}));
  EXPECT_EQ(ColorToARGB(0x00332211, 0x80), 0x80112233u);
  EXPECT_EQ(RGBToGray(0xFF0000), 53);
  EXPECT_TRUE(EqualRGB(0xFF123456, 0x00123456));
  const TRGB palette[3] = {{10, 10, 10}, {0, 0, 0}, {20, 20, 20}};
  EXPECT_EQ(NearestPaletteIndex(palette, 3, 0x0F0F0F), 0);  // 10 and 20 equally near: the first
  EXPECT_EQ(NearestPaletteIndex(palette, 0, 0x0F0F0F), 0);
  double h, s, l;
  RGBToHSL(0xFF0000, h, s, l);
  EXPECT_DOUBLE_EQ(h, 0);
  EXPECT_DOUBLE_EQ(s, 1);
  EXPECT_DOUBLE_EQ(l, 0.5);
  RGBToHSL(0x0000FF, h, s, l);
  EXPECT_DOUBLE_EQ(h, 4.0 / 6);
  TRGB a, b;
  HSLToRGB(a, 1.2, 0.7, 0.4);
  HSLToRGB(b, 0.2, 0.7, 0.4);
  EXPECT_EQ(a, b);
  HSLToRGB(a, 4.0 / 6, 1, 0.5);
  EXPECT_EQ(a, (TRGB{255, 0, 0}));
  HSLToRGB(a, 0.3, 0, 0.5);
  EXPECT_EQ(a, (TRGB{128, 128, 128}));  // 127.5 rounds to even
}

TEST(ProcRoutines, CopyBitRunMatchesBitByBitCopy) {
  const uint8_t source[4] = {0xA5, 0x3C, 0xF0, 0x69};
  for (int32_t ss = 0; ss < 12; ++ss)
    for (int32_t ds = 0; ds < 12; ++ds)
      for (int32_t count = 1; count + ss <= 32 && count <= 17; count += 3) {
        uint8_t run[4] = {0x5A, 0x5A, 0x5A, 0x5A}, single[4] = {0x5A, 0x5A, 0x5A, 0x5A};
        CopyBitRun(run, source, ds, 4, count, ss);
        CopyBitsOneByOne(single, source, ds, count, ss);
        ASSERT_EQ(std::memcmp(run, single, 4), 0) << ss << " " << ds << " " << count;
      }
  uint8_t d[2] = {0xFF, 0xFF};
  CopyBitRun(d, source, -1, 4, 8, 0);
  CopyBitRun(d, source, 0, 4, 0, 0);
  EXPECT_EQ(d[0], 0xFF);
  // Never past the source bytes it was given.
  CopyBitRun(d, source, 0, 1, 16, 4);
  EXPECT_EQ(d[0], 0x5F);
  EXPECT_EQ(d[1], 0xFF);
}

TEST(ProcRoutines, SwapsAndInversion) {
  uint8_t row[6] = {1, 2, 3, 4, 5, 6};
  SwapRBRow(row, 2);
  EXPECT_EQ(row[0], 3);
  EXPECT_EQ(row[5], 4);
  uint8_t copy[6];
  CopySwapRB(copy, row, 2);
  EXPECT_EQ(copy[0], 1);
  auto bits = TIEBitmap::CreateSized(8, 2, ie1g);
  bits->Fill(0);
  InvertBitmapBits(*bits);
  EXPECT_EQ(static_cast<uint8_t*>(bits->GetScanline(1))[0], 0xFF);
}

TEST(Bilevel, DitherKeepsWhiteWhite) {
  auto b = TIEBitmap::CreateSized(16, 16, ie24RGB);
  b->Fill(0xFCFCFC);  // every channel >= 251: always white
  DitherToBilevel(*b);
  ASSERT_EQ(b->GetPixelFormat(), ie1g);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x) ASSERT_TRUE(IEGetBit1(static_cast<uint8_t*>(b->GetScanline(y)), x));
  auto g = TIEBitmap::CreateSized(8, 8, ie24RGB);
  g->Fill(0x808080);  // level 128 shr 2 = 32: white where the matrix is below 32
  DitherToBilevel(*g);
  int32_t white = 0;
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x) white += IEGetBit1(static_cast<uint8_t*>(g->GetScanline(y)), x);
  EXPECT_EQ(white, 32);
}

TEST(Bilevel, ThresholdsPerFormat) {
  auto w = TIEBitmap::CreateSized(2, 1, ie16g);
  w->SetPixelWord(0, 0, 0x7FFF);
  w->SetPixelWord(1, 0, 0x8000);
  auto bits = TIEBitmap::CreateSized(2, 1, ie1g);
  ThresholdTo1Bit(*w, *bits, 128);
  const auto* row = static_cast<uint8_t*>(bits->GetScanline(0));
  EXPECT_FALSE(IEGetBit1(row, 0));
  EXPECT_TRUE(IEGetBit1(row, 1));
  // A destination of another size or format is left alone.
  auto wrong = TIEBitmap::CreateSized(3, 1, ie1g);
  wrong->Fill(0);
  ThresholdTo1Bit(*w, *wrong, 0);
  EXPECT_TRUE(wrong->IsAllZero());
  // Maximum entropy over levels 10, 20, 200, 210, a quarter each: t = 11 scores about 1.10,
  // t = 21 scores ln(1/4) + 4 ln 2 = 1.39 (the best), and past 200 the scores fall back to 1.10.
  auto g = TIEBitmap::CreateSized(8, 1, ie8g);
  const uint8_t levels[4] = {10, 20, 200, 210};
  for (int32_t x = 0; x < 8; ++x) g->SetPixelByte(x, 0, levels[x % 4]);
  EXPECT_EQ(MaxEntropyThreshold(*g), 21);
  // Two levels always score 0, and one level everywhere too: no positive score, every pixel white.
  for (int32_t x = 0; x < 8; ++x) g->SetPixelByte(x, 0, x < 4 ? 40 : 200);
  EXPECT_EQ(MaxEntropyThreshold(*g), -2);
  g->Fill(90);
  EXPECT_EQ(MaxEntropyThreshold(*g), -2);
  auto all = TIEBitmap::CreateSized(8, 1, ie1g);
  ThresholdTo1Bit(*g, *all, -2);
  EXPECT_EQ(static_cast<uint8_t*>(all->GetScanline(0))[0], 0xFF);
}

TEST(Bilevel, AverageColour) {
  auto b = TIEBitmap::CreateSized(3, 2, ie24RGB);
  b->Fill(0);
  b->SetPixel24(0, 0, TRGB{0, 0, 200});
  b->SetPixel24(1, 0, TRGB{0, 0, 101});
  int32_t r, g, bl;
  GetAverageRGB(*b, r, g, bl);
  EXPECT_EQ(r, ((200 + 101) / 3 + 0) / 2);
  EXPECT_EQ(g, 0);
  TIEBitmap empty;
  GetAverageRGB(empty, r, g, bl);
  EXPECT_EQ(r, 128);
}

TEST(Bilevel, TwoColourImages) {
  auto b = TIEBitmap::CreateSized(9, 3, ie24RGB);
  b->Fill(0xFFFFFF);
  b->SetPixel24(4, 1, TRGB{0, 0, 255});
  b->SetPixel24(8, 2, TRGB{0, 0, 255});
  TRGB c0, c1;
  auto bits = MakeBilevelFromTwoColors(*b, c0, c1);
  ASSERT_NE(bits, nullptr);
  EXPECT_EQ(c0, (TRGB{0, 0, 255}));
  EXPECT_EQ(c1, (TRGB{255, 255, 255}));
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 9; ++x)
      EXPECT_EQ(IEGetBit1(static_cast<uint8_t*>(bits->GetScanline(y)), x), b->GetPixel24(x, y) == c1);
  b->Fill(0x123456);
  EXPECT_EQ(MakeBilevelFromTwoColors(*b, c0, c1), nullptr);
  b->SetPixel24(0, 0, TRGB{1, 1, 1});
  b->SetPixel24(1, 0, TRGB{2, 2, 2});
  EXPECT_EQ(MakeBilevelFromTwoColors(*b, c0, c1), nullptr);
}

TEST(Bilevel, ReduceAndGray) {
  auto b = TIEBitmap::CreateSized(4, 1, ie24RGB);
  b->SetPixel24(0, 0, TRGB{0, 0, 255});
  b->SetPixel24(1, 0, TRGB{0, 255, 0});
  b->SetPixel24(2, 0, TRGB{255, 0, 0});
  b->SetPixel24(3, 0, TRGB{0, 0, 250});
  std::vector<TRGB> palette(3);
  ReduceColors24(*b, 3, palette.data());
  EXPECT_EQ(b->GetPixel24(1, 0), palette[size_t(NearestPaletteIndex(palette.data(), 3, 0x00FF00))]);
  GrayscaleRect24(*b, 0, 0, 2, 1);
  const TRGB g = b->GetPixel24(1, 0);
  EXPECT_EQ(g.r, g.b);
  EXPECT_NE(b->GetPixel24(2, 0).r, b->GetPixel24(2, 0).b);  // outside the rectangle
}

TEST(RowBitDepth, Table) {
  const TRGB palette[2] = {{1, 2, 3}, {4, 5, 6}};
  uint8_t dst[16];
  const uint8_t bits[1] = {0xA0};  // 1, 0, 1, 0
  std::memset(dst, 0, sizeof dst);
  EXPECT_EQ(ConvertRowBitDepth(bits, dst, 1, nullptr, palette, 2, 3, 24), 9);
  EXPECT_EQ(dst[0], 4);
  EXPECT_EQ(dst[3], 1);
  std::memset(dst, 0, sizeof dst);
  EXPECT_EQ(ConvertRowBitDepth(bits, dst, 1, nullptr, palette, 2, 3, 4), 2);
  EXPECT_EQ(dst[0], 0x10);
  EXPECT_EQ(dst[1], 0x10);
  const uint8_t bytes[9] = {1, 0, 1, 1, 0, 0, 0, 1, 1};
  EXPECT_EQ(ConvertRowBitDepth(bytes, dst, 8, nullptr, palette, 2, 9, 1), 2);
  EXPECT_EQ(dst[0], 0xB1);
  EXPECT_EQ(dst[1], 0x80);
  // An index past the palette reads black.
  const uint8_t far[1] = {200};
  ConvertRowBitDepth(far, dst, 8, nullptr, palette, 2, 1, 24);
  EXPECT_EQ(dst[0], 0);
  EXPECT_EQ(ConvertRowBitDepth(bytes, dst, 16, nullptr, palette, 2, 9, 8), 9);
}

TEST(RowBitDepth, TwentyFourToFourBitsWithAnOddWidth) {
  auto image = TIEBitmap::CreateSized(3, 1, ie24RGB);
  const TRGB colors[3] = {{0, 0, 0}, {255, 255, 255}, {0, 0, 255}};
  for (int32_t x = 0; x < 3; ++x) image->SetPixel24(x, 0, colors[x]);
  std::vector<TRGB> palette(16);
  TIEQuantizer q(*image, palette.data(), 16);
  uint8_t dst[3] = {0, 0x05, 0x77};  // the last low nibble stays
  EXPECT_EQ(ConvertRowBitDepth(reinterpret_cast<const uint8_t*>(colors), dst, 24, &q, nullptr, 0, 3, 4), 2);
  EXPECT_EQ(dst[0], 0x01);
  EXPECT_EQ(dst[1], 0x25);
  EXPECT_EQ(dst[2], 0x77);
}

TEST(Histograms, MatchAgainstAOneLevelReference) {
  auto ref = TIEBitmap::CreateSized(4, 4, ie24RGB);
  ref->Fill(0xC8C8C8);  // 200 everywhere
  auto b = TIEBitmap::CreateSized(4, 1, ie24RGB);
  for (int32_t x = 0; x < 4; ++x) b->SetPixel24(x, 0, x < 2 ? TRGB{10, 10, 10} : TRGB{20, 20, 20});
  MatchHistograms(*ref, *b);
  // 10 equalizes to 127, nearest to reference level 0; 20 to 255, nearest to 200.
  EXPECT_EQ(b->GetPixel24(0, 0), (TRGB{0, 0, 0}));
  EXPECT_EQ(b->GetPixel24(3, 0), (TRGB{200, 200, 200}));
}

TEST(YUV, PixelsAndRows) {
  TRGB p;
  YUVToRGBPixel(16, 128, 128, p);
  EXPECT_EQ(p, (TRGB{0, 0, 0}));
  YUVToRGBPixel(235, 128, 128, p);
  EXPECT_EQ(p, (TRGB{255, 255, 255}));  // 219 x 1.164 = 254.9
  YUVToRGBPixel(100, 90, 200, p);
  EXPECT_EQ(p.r, ClampByte(int(std::nearbyint(84 * 1.164 + 1.596 * 72))));
  EXPECT_EQ(p.b, ClampByte(int(std::nearbyint(84 * 1.164 + 2.018 * -38))));

  auto b = TIEBitmap::CreateSized(4, 2, ie24RGB);
  b->Fill(0);
  const uint8_t yuy2[16] = {16, 128, 235, 128, 16, 128, 16, 128, 235, 128, 235, 128, 235, 128, 235, 128};
  ASSERT_TRUE(YUVToBitmap("YUY2", yuy2, sizeof yuy2, *b, true));
  EXPECT_EQ(b->GetPixel24(0, 0), (TRGB{0, 0, 0}));
  EXPECT_EQ(b->GetPixel24(1, 0), (TRGB{255, 255, 255}));
  EXPECT_EQ(b->GetPixel24(3, 1), (TRGB{255, 255, 255}));
  // Bottom-up data puts the first row last; short data stops without reading past it.
  b->Fill(0x0000FF);
  ASSERT_TRUE(YUVToBitmap("YUY2", yuy2, 8, *b, false));
  EXPECT_EQ(b->GetPixel24(1, 1), (TRGB{255, 255, 255}));
  EXPECT_EQ(b->GetPixel24(1, 0), (TRGB{0, 0, 255}));
  // Planar: one chroma sample per 2 x 2 pixels.
  const uint8_t i420[4 * 2 + 2 + 2] = {235, 235, 16, 16, 235, 235, 16, 16, 128, 128, 128, 128};
  ASSERT_TRUE(YUVToBitmap("I420", i420, sizeof i420, *b, true));
  EXPECT_EQ(b->GetPixel24(0, 1), (TRGB{255, 255, 255}));
  EXPECT_EQ(b->GetPixel24(3, 1), (TRGB{0, 0, 0}));
  EXPECT_FALSE(YUVToBitmap("ABCD", i420, sizeof i420, *b, true));
}

TEST(PlatformBitmaps, ExpandAndCopy) {
  TBitmap mono;
  mono.SetPixelFormat(pf1bit);
  mono.SetSize(10, 2);
  std::memset(mono.ScanLine(0), 0, 2);
  std::memset(mono.ScanLine(1), 0, 2);
  static_cast<uint8_t*>(mono.ScanLine(1))[1] = 0x40;  // pixel 9 of row 1
  TBitmap wide;
  Expand1BitTBitmapTo24(mono, wide);
  ASSERT_EQ(wide.PixelFormat(), pf24bit);
  ASSERT_EQ(wide.Width(), 10);
  const auto* row = static_cast<uint8_t*>(wide.ScanLine(1));
  EXPECT_EQ(row[27], 255);
  EXPECT_EQ(row[24], 0);
  auto clone = CloneTBitmap(wide);
  EXPECT_EQ(clone->Width(), 10);
  EXPECT_EQ(clone->PixelFormat(), pf24bit);
  EXPECT_EQ(std::memcmp(clone->ScanLine(1), wide.ScanLine(1), 30), 0);
  EXPECT_EQ(IEBitExpansionTable()[0x81][0], 255);
  EXPECT_EQ(IEBitExpansionTable()[0x81][3], 0);
  EXPECT_EQ(IEBitExpansionTable()[0x81][21], 255);
}

}  // namespace
