// Pixel-format conversions through the quantizers, thresholds and bit runs,
// and conversions of file-backed buffers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/iepixels.h"

namespace {

class Conversion : public ::testing::Test {
protected:
  void SetUp() override {
    savedThreshold_ = IEDefaultMemoryThreshold;
    savedMethod_ = IEQuantizerMethod;
    IEQuantizerMethod = -1;
  }
  void TearDown() override {
    IEDefaultMemoryThreshold = savedThreshold_;
    IEQuantizerMethod = savedMethod_;
  }
  int64_t savedThreshold_ = -1;
  int32_t savedMethod_ = -1;
};

// A colourful 24-bit test picture with `colors` distinct colours (at most 400).
std::unique_ptr<TIEBitmap> Picture(int32_t w, int32_t h, int32_t colors) {
  auto b = TIEBitmap::CreateSized(w, h, ie24RGB);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int32_t i = (x * 7 + y * 13) % colors;
      b->SetPixel24(x, y, TRGB{uint8_t((i * 7) % 256), uint8_t(i / 20 * 17), uint8_t(i % 20 * 13)});
    }
  return b;
}

int32_t Distance(const TRGB& a, const TRGB& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

TEST_F(Conversion, ToPaletteMapsEveryPixelToItsNearestEntry) {
  auto src = Picture(40, 30, 300);
  auto p = TIEBitmap::CreateCopy(src.get());
  p->ConvertToFormat(ie8p);
  ASSERT_EQ(p->GetPixelFormat(), ie8p);
  ASSERT_EQ(p->GetPaletteLen(), 256);
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 40; ++x) {
      const TRGB c = src->GetPixel24(x, y);
      int32_t best = 1 << 30;
      for (int32_t i = 0; i < 256; ++i) best = std::min(best, Distance(c, p->GetPaletteColor(i)));
      ASSERT_EQ(Distance(c, p->GetPaletteColor(p->GetPixelByte(x, y))), best);
    }
}

TEST_F(Conversion, FewColoursGoToThePaletteExactlyAndBack) {
  auto src = Picture(33, 17, 200);
  auto p = TIEBitmap::CreateCopy(src.get());
  p->ConvertToFormat(ie8p);
  p->ConvertToFormat(ie24RGB);
  for (int32_t y = 0; y < 17; ++y)
    for (int32_t x = 0; x < 33; ++x) ASSERT_EQ(p->GetPixel24(x, y), src->GetPixel24(x, y));
}

TEST_F(Conversion, QuantizerColourCountOfTheBuffer) {
  auto p = Picture(40, 30, 300);
  p->SetQuantizerColorCount(16);
  p->ConvertToFormat(ie8p);
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 40; ++x) ASSERT_LT(p->GetPixelByte(x, y), 16);
  // More colours than a palette holds are not asked for.
  auto q = Picture(40, 30, 300);
  q->SetQuantizerColorCount(5000);
  q->ConvertToFormat(ie8p);
  EXPECT_EQ(q->GetPixelFormat(), ie8p);
}

TEST_F(Conversion, ThresholdAtTheAverageGray) {
  auto g = TIEBitmap::CreateSized(10, 2, ie8g);
  for (int32_t x = 0; x < 10; ++x) {
    g->SetPixelByte(x, 0, uint8_t(x * 20));
    g->SetPixelByte(x, 1, uint8_t(x * 5));
  }
  // Row averages (sum div width), summed, div height; the gray of a gray is itself.
  const int32_t avg = ((20 * 45) / 10 + (5 * 45) / 10) / 2;
  auto bits = TIEBitmap::CreateCopy(g.get());
  bits->ConvertToFormat(ie1g);  // bi-level method 1 by default
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 10; ++x)
      EXPECT_EQ(IEGetBit1(static_cast<uint8_t*>(bits->GetScanline(y)), x), g->GetPixelByte(x, y) >= avg) << x;
}

TEST_F(Conversion, OneBitRectanglesCopyBitRuns) {
  auto src = TIEBitmap::CreateSized(20, 1, ie1g);
  src->Fill(0);
  src->FillRect(3, 0, 12, 0, 1);
  auto dst = TIEBitmap::CreateSized(20, 1, ie1g);
  dst->Fill(1);
  src->CopyRectTo(*dst, 2, 0, 5, 0, 4, 1);  // source bits 2..5 = 0,1,1,1
  const auto* row = static_cast<uint8_t*>(dst->GetScanline(0));
  for (int32_t x = 0; x < 20; ++x) EXPECT_EQ(IEGetBit1(row, x), x != 5) << x;
}

// The pixel bytes of every row (padding excluded).
std::vector<uint8_t> PixelBytes(TIEBitmap& b) {
  std::vector<uint8_t> out;
  const auto n = size_t((int64_t(b.GetWidth()) * b.GetBitCount() + 7) / 8);
  for (int32_t y = 0; y < b.GetHeight(); ++y) {
    const auto* row = static_cast<const uint8_t*>(b.GetScanline(y));
    out.insert(out.end(), row, row + n);
  }
  if (b.GetPixelFormat() == ie8p)
    for (int32_t i = 0; i < b.GetPaletteLen(); ++i) {
      const TRGB c = b.GetPaletteColor(i);
      out.insert(out.end(), {c.b, c.g, c.r});
    }
  return out;
}

TEST_F(Conversion, FileBackedBuffersConvertToTheSamePixels) {
  const TIEPixelFormat formats[] = {ie1g, ie8p, ie8g, ie16g, ie24RGB, ie32f, ieCMYK, ieRGB48, ieCIELab, ie32RGB};
  for (TIEPixelFormat from : formats)
    for (TIEPixelFormat to : formats) {
      if (from == to) continue;
      std::vector<uint8_t> results[2];
      for (int pass = 0; pass < 2; ++pass) {
        IEDefaultMemoryThreshold = pass == 0 ? -1 : 1000;
        auto b = Picture(300, 40, 300);
        b->SetBilevelMethod(from == ie8g ? 0 : 1);
        b->ConvertToFormat(from);
        b->ConvertToFormat(to);
        ASSERT_EQ(b->GetPixelFormat(), to);
        ASSERT_EQ(b->Location(), pass == 0 ? ieMemory : ieFile) << IEPixelFormatInfo(to).Name;
        results[pass] = PixelBytes(*b);
      }
      EXPECT_EQ(results[0], results[1]) << IEPixelFormatInfo(from).Name << " -> " << IEPixelFormatInfo(to).Name;
    }
}

}  // namespace

namespace {

TEST_F(Conversion, PlatformBitmapLocationConvertsTheFourPairs) {
  auto b = std::make_unique<TIEBitmap>();
  b->SetLocation(ieTBitmap);
  ASSERT_TRUE(b->Allocate(16, 8, ie24RGB));
  b->Fill(0xFFFFFF);
  b->SetPixel24(3, 2, TRGB{0, 0, 0});
  b->ConvertToFormat(ie1g);  // threshold at the average gray
  ASSERT_EQ(b->GetPixelFormat(), ie1g);
  EXPECT_FALSE(IEGetBit1(static_cast<uint8_t*>(b->GetScanline(2)), 3));
  EXPECT_TRUE(IEGetBit1(static_cast<uint8_t*>(b->GetScanline(2)), 4));
  b->ConvertToFormat(ie24RGB);
  ASSERT_EQ(b->GetPixelFormat(), ie24RGB);
  EXPECT_EQ(b->GetPixel24(3, 2), (TRGB{0, 0, 0}));
  EXPECT_EQ(b->GetPixel24(4, 2), (TRGB{255, 255, 255}));
  b->SetPixel24(0, 0, TRGB{0, 0, 255});
  b->ConvertToFormat(ie8g);
  ASSERT_EQ(b->GetPixelFormat(), ie8g);
  EXPECT_EQ(b->GetPixelByte(0, 0), 53);
  EXPECT_EQ(b->Location(), ieTBitmap);
}

}  // namespace
