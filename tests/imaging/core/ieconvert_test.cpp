// Pixel-format conversions by plain formulas (no quantizer or threshold
// involved; those are in conversion_test.cpp).
#include "imaging/core/ieconvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iecmyk.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ielab.h"
#include "imaging/core/iepixels.h"

namespace {

std::unique_ptr<TIEBitmap> Rgb(int32_t w, int32_t h, TRGB c) {
  auto b = TIEBitmap::CreateSized(w, h, ie24RGB);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b->SetPixel24(x, y, c);
  return b;
}

TEST(Convert, RedThroughTheGrayFormulas) {
  // gray8 = (255 x 21) div 100; gray16 = (255 x 54484) div 1000; float = 0.2126 x 255 / 255.
  auto b = Rgb(3, 2, TRGB{0, 0, 255});
  auto g8 = TIEBitmap::CreateSized(3, 2, ie8g);
  g8->CopyAndConvertFormat(*b);
  EXPECT_EQ(g8->GetPixelByte(2, 1), 255 * 21 / 100);
  EXPECT_EQ(g8->GetPixelByte(2, 1), 53);
  auto g16 = TIEBitmap::CreateSized(3, 2, ie16g);
  g16->CopyAndConvertFormat(*b);
  EXPECT_EQ(g16->GetPixelWord(2, 1), 255 * 54484 / 1000);
  EXPECT_EQ(g16->GetPixelWord(2, 1), 13893);
  auto f = TIEBitmap::CreateSized(3, 2, ie32f);
  f->CopyAndConvertFormat(*b);
  EXPECT_EQ(f->GetPixelFloat(2, 1), float(0.2126L * 255 / 255));
  EXPECT_FLOAT_EQ(f->GetPixelFloat(2, 1), 0.2126f);
}

TEST(Convert, GrayWidthsAndBack) {
  auto g = TIEBitmap::CreateSized(2, 1, ie8g);
  g->SetPixelByte(0, 0, 128);
  g->SetPixelByte(1, 0, 255);
  g->ConvertToFormat(ie16g);
  ASSERT_EQ(g->GetPixelFormat(), ie16g);
  EXPECT_EQ(g->GetPixelWord(0, 0), 128 * 257);
  EXPECT_EQ(g->GetPixelWord(0, 0), 32896);
  EXPECT_EQ(g->GetPixelWord(1, 0), 65535);
  g->ConvertToFormat(ie8g);
  EXPECT_EQ(g->GetPixelByte(0, 0), 128);
  EXPECT_EQ(g->GetPixelByte(1, 0), 255);
}

TEST(Convert, EveryPairFromTheFormulaTable) {
  // One source pixel per format and what each destination holds, from the documented formulas.
  const TRGB c{40, 120, 200};  // blue, green, red
  const int32_t g8 = (200 * 21 + 120 * 71 + 40 * 8) / 100;
  const int32_t g16 = (200 * 54484 + 120 * 183241 + 40 * 19275) / 1000;
  auto src = Rgb(1, 1, c);
  struct Check {
    TIEPixelFormat to;
    std::function<void(TIEBitmap&)> expect;
  };
  const Check checks[] = {
      {ie8g, [&](TIEBitmap& b) { EXPECT_EQ(b.GetPixelByte(0, 0), g8); }},
      {ie16g, [&](TIEBitmap& b) { EXPECT_EQ(b.GetPixelWord(0, 0), g16); }},
      {ie32f, [&](TIEBitmap& b) { EXPECT_NEAR(b.GetPixelFloat(0, 0), (0.2126 * 200 + 0.7152 * 120 + 0.0722 * 40) / 255, 1e-6); }},
      {ieRGB48, [&](TIEBitmap& b) { EXPECT_EQ(b.GetPixel48(0, 0), (TRGB48{200 * 257, 120 * 257, 40 * 257})); }},
      {ie32RGB, [&](TIEBitmap& b) { EXPECT_EQ(b.GetPixelDWord(0, 0), 0xFFC87828u); }},
      {ieCMYK, [&](TIEBitmap& b) { EXPECT_EQ(b.GetPixelDWord(0, 0), IERGBToCMYK(0xC87828)); }},
      {ieCIELab, [&](TIEBitmap& b) {
         TCIELab want;
         IEColorToCIELab(want, 0xC87828);
         TCIELab got;
         std::memcpy(&got, b.GetScanline(0), 3);
         EXPECT_EQ(got, want);
       }},
  };
  for (const Check& k : checks) {
    auto b = TIEBitmap::CreateCopy(src.get());
    b->ConvertToFormat(k.to);
    ASSERT_EQ(b->GetPixelFormat(), k.to);
    k.expect(*b);
  }
}

TEST(Convert, SixteenBitChannelsUseTheirOwnWeights) {
  auto w = TIEBitmap::CreateSized(1, 1, ieRGB48);
  w->SetPixel48(0, 0, TRGB48{51200, 30000, 1000});
  auto g16 = TIEBitmap::CreateSized(1, 1, ie16g);
  g16->CopyAndConvertFormat(*w);
  EXPECT_EQ(g16->GetPixelWord(0, 0), (51200 * 212 + 30000 * 713 + 1000 * 75) / 1000);
  auto g8 = TIEBitmap::CreateSized(1, 1, ie8g);
  g8->CopyAndConvertFormat(*w);
  EXPECT_EQ(g8->GetPixelByte(0, 0), ((51200 / 256) * 21 + (30000 / 256) * 71 + (1000 / 256) * 8) / 100);
  auto rgb = TIEBitmap::CreateSized(1, 1, ie24RGB);
  rgb->CopyAndConvertFormat(*w);
  EXPECT_EQ(rgb->GetPixel24(0, 0), (TRGB{1000 >> 8, 30000 >> 8, 51200 >> 8}));
}

TEST(Convert, FloatSamplesAreTruncated) {
  auto f = TIEBitmap::CreateSized(3, 1, ie32f);
  f->SetPixelFloat(0, 0, 0.999f);
  f->SetPixelFloat(1, 0, 1.0f);
  f->SetPixelFloat(2, 0, 0.5f);
  auto g = TIEBitmap::CreateSized(3, 1, ie8g);
  g->CopyAndConvertFormat(*f);
  EXPECT_EQ(g->GetPixelByte(0, 0), int(0.999f * 255));
  EXPECT_EQ(g->GetPixelByte(1, 0), 255);
  EXPECT_EQ(g->GetPixelByte(2, 0), 127);
  auto w = TIEBitmap::CreateSized(3, 1, ie16g);
  w->CopyAndConvertFormat(*f);
  EXPECT_EQ(w->GetPixelWord(2, 0), 32767);
}

// White except where the matrix entry is 63: one pixel in 64, at x mod 8 = 7, y mod 8 = 0.
void ExpectOrderedDitherOfWhite(TIEBitmap& bits) {
  int32_t black = 0;
  for (int32_t y = 0; y < bits.GetHeight(); ++y) {
    const auto* row = static_cast<const uint8_t*>(bits.GetScanline(y));
    for (int32_t x = 0; x < bits.GetWidth(); ++x) {
      const bool white = IEGetBit1(row, x);
      EXPECT_EQ(white, IEDitherMatrix[x % 8][y % 8] < 63) << x << "," << y;
      black += !white;
    }
  }
  EXPECT_EQ(black, bits.GetWidth() * bits.GetHeight() / 64);
}

TEST(Convert, OrderedDitherOfFullGray) {
  EXPECT_EQ(IEDitherMatrix[7][0], 63);
  auto g = TIEBitmap::CreateSized(16, 16, ie8g);
  g->Fill(255);
  g->SetBilevelMethod(0);
  g->ConvertToFormat(ie1g);
  ASSERT_EQ(g->GetPixelFormat(), ie1g);
  ExpectOrderedDitherOfWhite(*g);
  auto f = TIEBitmap::CreateSized(16, 16, ie32f);
  f->Fill(1.0);
  f->SetBilevelMethod(0);
  f->ConvertToFormat(ie1g);
  ExpectOrderedDitherOfWhite(*f);
}

TEST(Convert, DisplayGrayRangeIsAppliedOnceAndReset) {
  auto g = TIEBitmap::CreateSized(3, 1, ie8g);
  g->SetPixelByte(0, 0, 150);
  g->SetPixelByte(1, 0, 250);
  g->SetPixelByte(2, 0, 50);
  g->SetDisplayGrayMin(100);
  g->SetDisplayGrayMax(200);
  g->ConvertToFormat(ie24RGB);
  EXPECT_EQ(g->GetPixel24(0, 0), (TRGB{127, 127, 127}));
  EXPECT_EQ(g->GetPixel24(1, 0), (TRGB{255, 255, 255}));
  EXPECT_EQ(g->GetPixel24(2, 0), (TRGB{0, 0, 0}));
  EXPECT_EQ(g->DisplayGrayMin(), 0);
  EXPECT_EQ(g->DisplayGrayMax(), 0);
}

TEST(Convert, OneBitToLabGoesThroughRGBAndChangesTheSource) {
  auto bits = TIEBitmap::CreateSized(9, 1, ie1g);
  bits->Fill(0);
  bits->FillRect(8, 0, 8, 0, 1);
  auto lab = TIEBitmap::CreateSized(9, 1, ieCIELab);
  lab->CopyAndConvertFormat(*bits);
  EXPECT_EQ(bits->GetPixelFormat(), ie24RGB);
  const auto* row = static_cast<const uint8_t*>(lab->GetScanline(0));
  EXPECT_EQ(row[0], 0);
  EXPECT_EQ(row[24], 254);
}

TEST(Convert, ThirtyTwoBitRGB) {
  auto x = TIEBitmap::CreateSized(1, 1, ie32RGB);
  x->SetPixelDWord(0, 0, 0x12ABCDEF);
  x->ConvertToFormat(ie24RGB);
  EXPECT_EQ(x->GetPixel24(0, 0), (TRGB{0xEF, 0xCD, 0xAB}));
  x->ConvertToFormat(ie32RGB);
  EXPECT_EQ(x->GetPixelDWord(0, 0), 0xFFABCDEFu);
}

TEST(Convert, SameFormatCopiesOnlyTheAlphaChannel) {
  auto a = Rgb(2, 2, TRGB{1, 2, 3});
  a->SetAlphaValue(1, 1, 77);
  auto b = Rgb(2, 2, TRGB{9, 9, 9});
  b->CopyAndConvertFormat(*a);
  EXPECT_EQ(b->GetPixel24(1, 1), (TRGB{9, 9, 9}));
  EXPECT_EQ(b->GetAlpha(1, 1), 77);
}

TEST(Convert, SizeMismatchOrNoFormatDoesNothing) {
  auto a = Rgb(2, 2, TRGB{1, 2, 3});
  auto g = TIEBitmap::CreateSized(3, 2, ie8g);
  g->Fill(5);
  g->CopyAndConvertFormat(*a);
  EXPECT_EQ(g->GetPixelByte(0, 0), 5);
  TIEBitmap none;
  auto h = TIEBitmap::CreateSized(2, 2, ie8g);
  h->Fill(6);
  h->CopyAndConvertFormat(none);
  EXPECT_EQ(h->GetPixelByte(0, 0), 6);
}

TEST(Convert, AlphaAndSettingsStayWithTheBuffer) {
  auto b = Rgb(2, 2, TRGB{0, 0, 255});
  b->SetAlphaValue(0, 1, 33);
  b->SetBilevelMethod(0);
  b->SetQuantizerColorCount(17);
  b->ConvertToFormat(ie8g);
  EXPECT_EQ(b->GetAlpha(0, 1), 33);
  EXPECT_EQ(b->BilevelMethod(), 0);
  EXPECT_EQ(b->QuantizerColorCount(), 17);
}

TEST(Convert, SetPixelFormatConverts) {
  auto b = Rgb(2, 2, TRGB{0, 0, 255});
  b->SetPixelFormat(ie8g);
  EXPECT_EQ(b->GetPixelFormat(), ie8g);
  EXPECT_EQ(b->GetPixelByte(1, 1), 53);
}

TEST(Convert, EmptyBufferTakesTheFormatOnly) {
  TIEBitmap b;
  b.ConvertToFormat(ie24RGB);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(b.GetPixelFormat(), ie24RGB);
}

}  // namespace
