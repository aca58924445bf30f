#include "imaging/view/iedrawdib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/core/iedibbitmap.h"

namespace {

TEST(DrawDibHandle, OpenGivesDistinctHandlesThatCloseOnce) {
  HDRAWDIB a = IEDrawDibOpen();
  HDRAWDIB b = IEDrawDibOpen();
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_EQ(IEDrawDibRealize(a, nullptr, false), 0u);
  EXPECT_TRUE(IEDrawDibClose(a));
  EXPECT_FALSE(IEDrawDibClose(a));
  EXPECT_FALSE(IEDrawDibClose(nullptr));
  EXPECT_TRUE(IEDrawDibClose(b));
}

// A 3 x 2 image, pixel (x, y) counted from the top-left.
TRGB Source(int32_t x, int32_t y) { return TRGB{uint8_t(10 + x), uint8_t(100 + 40 * y), uint8_t(200 + 20 * x + y)}; }
constexpr int32_t kW = 3, kH = 2;

// A packed DIB (header, colour table, rows) of the source image: 24 bits, or
// 8 bits whose colour table holds one entry per pixel.
std::vector<uint8_t> PackedSource(int32_t bits, bool topDown) {
  const int32_t colors = bits == 8 ? 256 : 0;
  const int32_t rowLen = (kW * bits / 8 + 3) / 4 * 4;
  std::vector<uint8_t> block(40 + 4 * colors + rowLen * kH, 0);
  win::BITMAPINFOHEADER h;
  h.biWidth = kW;
  h.biHeight = topDown ? -kH : kH;
  h.biBitCount = uint16_t(bits);
  h.biSizeImage = uint32_t(rowLen * kH);
  std::memcpy(block.data(), &h, 40);
  uint8_t* rows = block.data() + 40 + 4 * colors;
  for (int32_t y = 0; y < kH; ++y) {
    uint8_t* row = rows + rowLen * (topDown ? y : kH - 1 - y);
    for (int32_t x = 0; x < kW; ++x) {
      const TRGB c = Source(x, y);
      if (bits == 8) {
        const int32_t index = 7 + y * kW + x;
        row[x] = uint8_t(index);
        uint8_t* entry = block.data() + 40 + 4 * index;
        entry[0] = c.b;
        entry[1] = c.g;
        entry[2] = c.r;
      } else {
        row[3 * x] = c.b;
        row[3 * x + 1] = c.g;
        row[3 * x + 2] = c.r;
      }
    }
  }
  return block;
}

struct DrawCase {
  const char* name;
  int32_t bits;
  bool topDown;
  bool packed;  // pass no bits: they follow the colour table
  int32_t xDst, yDst, dxDst, dyDst;
  int32_t xSrc, ySrc, dxSrc, dySrc;  // a whole fraction of the destination, so every nearest rule agrees
  uint32_t flags;
};

class DrawDib : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawDib, PlacesTheSourceRectangleStretched) {
  const DrawCase c = GetParam();
  TIEDibbitmap target;
  ASSERT_TRUE(target.AllocateBits(20, 16, 24));
  std::memset(target.Bits(), 0xFF, size_t(target.GetRowLen()) * 16);
  const int modeBefore = win::GetStretchBltMode(target.DC());

  const std::vector<uint8_t> dib = PackedSource(c.bits, c.topDown);
  const auto* header = reinterpret_cast<const win::BITMAPINFOHEADER*>(dib.data());
  const void* bits = c.packed ? nullptr : dib.data() + 40 + (c.bits == 8 ? 1024 : 0);
  HDRAWDIB handle = IEDrawDibOpen();
  EXPECT_TRUE(IEDrawDibDraw(handle, target.DC(), c.xDst, c.yDst, c.dxDst, c.dyDst, header, bits, c.xSrc, c.ySrc,
                            c.dxSrc, c.dySrc, c.flags));
  IEDrawDibClose(handle);
  EXPECT_EQ(win::GetStretchBltMode(target.DC()), modeBefore);

  const bool drawn = !(c.flags & DDF_DONTDRAW);
  const int32_t dw = c.dxDst == -1 ? kW : c.dxDst, dh = c.dyDst == -1 ? kH : c.dyDst;
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 20; ++x) {
      const auto* p = static_cast<const uint8_t*>(target.GetScanline(y)) + 3 * x;
      TRGB want{255, 255, 255};
      if (drawn && x >= c.xDst && x < c.xDst + dw && y >= c.yDst && y < c.yDst + dh)
        want = Source(c.xSrc + (x - c.xDst) * c.dxSrc / dw, c.ySrc + (y - c.yDst) * c.dySrc / dh);
      ASSERT_EQ((TRGB{p[0], p[1], p[2]}), want) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Placements, DrawDib,
    ::testing::Values(DrawCase{"WholeImageDoubled", 24, false, false, 4, 5, 6, 4, 0, 0, 3, 2, 0},
                      DrawCase{"WholeImageOneToOne", 24, false, false, 0, 0, 3, 2, 0, 0, 3, 2, 0},
                      // The lower row's right two pixels, counted from the top-left.
                      DrawCase{"LowerRightCorner", 24, false, false, 7, 2, 6, 3, 1, 1, 2, 1, 0},
                      DrawCase{"UpperLeftTopDown", 24, true, false, 1, 1, 4, 4, 0, 0, 2, 1, 0},
                      DrawCase{"PackedPaletted", 8, false, true, 10, 8, 9, 6, 0, 0, 3, 2, 0},
                      DrawCase{"PackedTrueColour", 24, true, true, 2, 3, 3, 4, 0, 0, 3, 2, DDF_SAME_HDC},
                      DrawCase{"ImageSizeForMinusOne", 24, false, false, 5, 6, -1, -1, 0, 0, 3, 2, 0},
                      DrawCase{"HalftoneKeepsWholeMultiples", 24, false, false, 4, 5, 6, 4, 0, 0, 3, 2, DDF_HALFTONE},
                      DrawCase{"DontDraw", 24, false, false, 4, 5, 6, 4, 0, 0, 3, 2, DDF_DONTDRAW}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawDibErrors, RefusedWithoutAValidHandleOrHeader) {
  TIEDibbitmap target;
  ASSERT_TRUE(target.AllocateBits(4, 4, 24));
  const std::vector<uint8_t> dib = PackedSource(24, false);
  const auto* header = reinterpret_cast<const win::BITMAPINFOHEADER*>(dib.data());
  HDRAWDIB handle = IEDrawDibOpen();
  EXPECT_FALSE(IEDrawDibDraw(handle, target.DC(), 0, 0, 3, 2, nullptr, nullptr, 0, 0, 3, 2, 0));
  EXPECT_FALSE(IEDrawDibDraw(nullptr, target.DC(), 0, 0, 3, 2, header, nullptr, 0, 0, 3, 2, 0));
  IEDrawDibClose(handle);
  EXPECT_FALSE(IEDrawDibDraw(handle, target.DC(), 0, 0, 3, 2, header, nullptr, 0, 0, 3, 2, 0));
  // Nothing reached the target.
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t i = 0; i < 12; ++i) EXPECT_EQ(static_cast<const uint8_t*>(target.GetScanline(y))[i], 0);
}

}  // namespace
