// The visible part of an image by its alpha channel, and cropping an image
// with its alpha channel.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/processing/iealphabounds.h"
#include "imaging/core/ieprocutils.h"

namespace {

struct BoundsCase {
  const char* name;
  int32_t w, h;
  bool alpha;
  std::vector<TPoint> visible;  // pixels given alpha 1..255 (the rest 0)
  TRect want;
};

class AlphaBoundsTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(AlphaBoundsTest, BoundsOfTheNonTransparentPixels) {
  const BoundsCase& c = GetParam();
  TIEBitmap b;
  if (c.w > 0) {
    ASSERT_TRUE(b.Allocate(c.w, c.h, ie24RGB));
  }
  if (c.alpha) {
    TIEBitmap& a = *b.GetAlphaChannel();
    a.Fill(0);
    for (const TPoint& p : c.visible) a.SetPixelByte(p.X, p.Y, 1);
  }
  EXPECT_EQ(GetAlphaBounds(b), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlphaBoundsTest,
    ::testing::Values(BoundsCase{"NoAlphaIsWhole", 7, 5, false, {}, Rect(0, 0, 6, 4)},
                      BoundsCase{"AllTransparentIsEmpty", 7, 5, true, {}, Rect(0, 0, -1, -1)},
                      BoundsCase{"EmptyImage", 0, 0, false, {}, Rect(0, 0, -1, -1)},
                      BoundsCase{"OnePixel", 7, 5, true, {{3, 2}}, Rect(3, 2, 3, 2)},
                      BoundsCase{"Corners", 7, 5, true, {{0, 4}, {6, 0}}, Rect(0, 0, 6, 4)},
                      BoundsCase{"Spread", 9, 8, true, {{2, 6}, {5, 1}, {7, 3}}, Rect(2, 1, 7, 6)}),
    [](const ::testing::TestParamInfo<BoundsCase>& i) { return std::string(i.param.name); });

bool Bit(TIEBitmap& b, int32_t x, int32_t y) { return GetBit(static_cast<const uint8_t*>(b.GetScanline(y)), x); }

struct CropCase {
  const char* name;
  TIEPixelFormat format;
  TRect rect;
  bool wantOk;
  TRect wantPart;  // the part of the image kept, inclusive
};

class CropBitmapTest : public ::testing::TestWithParam<CropCase> {};

// Each pixel (and alpha value) is a function of its place, so the kept part
// can be checked pixel by pixel against where it came from.
TEST_P(CropBitmapTest, KeepsThePixelsAndAlphaOfTheRectangle) {
  const CropCase& c = GetParam();
  const int32_t w = 37, h = 13;  // 37: 1-bit rows that do not end on a byte
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(w, h, c.format));
  const auto value = [](int32_t x, int32_t y) { return uint8_t(x * 5 + y * 11); };
  const auto bit = [](int32_t x, int32_t y) { return (x * 3 + y) % 4 == 0; };
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      if (c.format == ie1g)
        SetBit(static_cast<uint8_t*>(b.GetScanline(y)), x, bit(x, y));
      else if (c.format == ie24RGB)
        b.SetPixel24(x, y, TRGB{value(x, y), uint8_t(x), uint8_t(y)});
      else
        b.SetPixelByte(x, y, value(x, y));
      b.GetAlphaChannel()->SetPixelByte(x, y, uint8_t(x + 100));
    }
  if (c.format == ie8p) b.SetPaletteColor(7, TRGB{1, 2, 3});

  EXPECT_EQ(IECropBitmap(b, c.rect), c.wantOk);
  const TRect& k = c.wantPart;
  ASSERT_EQ(b.GetWidth(), k.Right - k.Left + 1);
  ASSERT_EQ(b.GetHeight(), k.Bottom - k.Top + 1);
  EXPECT_EQ(b.GetPixelFormat(), c.format);
  ASSERT_TRUE(b.HasAlphaChannel());
  ASSERT_EQ(b.GetAlphaChannel()->GetWidth(), b.GetWidth());
  for (int32_t y = 0; y < b.GetHeight(); ++y)
    for (int32_t x = 0; x < b.GetWidth(); ++x) {
      const int32_t sx = x + k.Left, sy = y + k.Top;
      if (c.format == ie1g)
        ASSERT_EQ(Bit(b, x, y), bit(sx, sy)) << x << "," << y;
      else if (c.format == ie24RGB)
        ASSERT_EQ(b.GetPixel24(x, y), (TRGB{value(sx, sy), uint8_t(sx), uint8_t(sy)})) << x << "," << y;
      else
        ASSERT_EQ(b.GetPixelByte(x, y), value(sx, sy)) << x << "," << y;
      ASSERT_EQ(b.GetAlpha(x, y), uint8_t(sx + 100)) << x << "," << y;
    }
  if (c.format == ie8p) {
    EXPECT_EQ(b.GetPaletteColor(7), (TRGB{1, 2, 3}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CropBitmapTest,
    ::testing::Values(CropCase{"Rgb", ie24RGB, Rect(3, 2, 20, 9), true, Rect(3, 2, 20, 9)},
                      CropCase{"OneBitOffByteBoundaries", ie1g, Rect(3, 1, 30, 11), true, Rect(3, 1, 30, 11)},
                      CropCase{"Gray", ie8g, Rect(0, 0, 0, 0), true, Rect(0, 0, 0, 0)},
                      CropCase{"PaletteKept", ie8p, Rect(10, 4, 36, 12), true, Rect(10, 4, 36, 12)},
                      CropCase{"ClippedToTheImage", ie24RGB, Rect(-5, -5, 50, 6), true, Rect(0, 0, 36, 6)},
                      CropCase{"WholeImageChangesNothing", ie24RGB, Rect(0, 0, 36, 12), true, Rect(0, 0, 36, 12)},
                      CropCase{"OutsideIsRefused", ie24RGB, Rect(40, 0, 50, 5), false, Rect(0, 0, 36, 12)},
                      CropCase{"InvertedIsRefused", ie24RGB, Rect(0, 0, -1, -1), false, Rect(0, 0, 36, 12)}),
    [](const ::testing::TestParamInfo<CropCase>& i) { return std::string(i.param.name); });

}  // namespace
