#include "imaging/core/iedibbitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"

namespace {

uint8_t Pattern(int32_t i, int32_t y) { return uint8_t(i * 37 + y * 11 + (i ^ y) + 5); }

// Bytes per 32-bit aligned row, from the DIB layout rule.
int32_t DibRowLen(int32_t width, int32_t bits) { return int32_t((int64_t(width) * bits + 31) / 32 * 4); }

// Bytes of a row that hold pixels.
int32_t PixelBytes(int32_t width, int32_t bits) { return int32_t((int64_t(width) * bits + 7) / 8); }

void FillPattern(TIEBaseBitmap& b) {
  for (int32_t y = 0; y < b.GetHeight(); ++y) {
    auto* row = static_cast<uint8_t*>(b.GetScanline(y));
    for (int32_t i = 0; i < b.GetRowLen(); ++i) row[i] = Pattern(i, y);
  }
}

// Rows (pixel bytes only) whose bytes differ from the pattern.
int32_t RowsOffPattern(TIEBaseBitmap& b, int32_t bytes) {
  int32_t bad = 0;
  for (int32_t y = 0; y < b.GetHeight(); ++y) {
    const auto* row = static_cast<const uint8_t*>(b.GetScanline(y));
    if (!row) {
      ++bad;
      continue;
    }
    for (int32_t i = 0; i < bytes; ++i)
      if (row[i] != Pattern(i, y)) {
        ++bad;
        break;
      }
  }
  return bad;
}

// ---- TIEDibbitmap ----

struct LayoutCase {
  int32_t width, height, bits;
  TIEPixelFormat format;
};

class DibLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DibLayout, HeaderRowLengthAndBottomUpRows) {
  const LayoutCase c = GetParam();
  TIEDibbitmap dib;
  ASSERT_TRUE(dib.AllocateBits(c.width, c.height, c.bits));
  EXPECT_EQ(dib.GetWidth(), c.width);
  EXPECT_EQ(dib.GetHeight(), c.height);
  EXPECT_EQ(dib.GetBitCount(), c.bits);
  EXPECT_EQ(dib.GetPixelFormat(), c.format);
  const int32_t rowLen = DibRowLen(c.width, c.bits);
  EXPECT_EQ(dib.GetRowLen(), rowLen);
  ASSERT_NE(dib.DC(), nullptr);
  ASSERT_NE(dib.Bits(), nullptr);
  EXPECT_EQ(win::GetCurrentObject(dib.DC(), win::OBJ_BITMAP), dib.DibSection());

  const win::BITMAPINFOHEADER& h = dib.BitmapInfo()->bmiHeader;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biCompression, uint32_t(win::BI_RGB));
  EXPECT_EQ(h.biWidth, c.width);
  EXPECT_EQ(h.biHeight, c.height);
  EXPECT_EQ(h.biBitCount, c.bits);
  EXPECT_EQ(h.biSizeImage, uint32_t(rowLen * c.height));
  EXPECT_EQ(dib.BitmapInfo()->bmiColors[0], (win::RGBQUAD{0, 0, 0, 0}));
  EXPECT_EQ(dib.BitmapInfo()->bmiColors[1], (win::RGBQUAD{255, 255, 255, 0}));

  // Row 0 is the last one in memory.
  auto* base = static_cast<uint8_t*>(dib.Bits());
  for (int32_t y = 0; y < c.height; ++y)
    EXPECT_EQ(dib.GetScanline(y), base + int64_t(rowLen) * (c.height - 1 - y)) << "row " << y;
  EXPECT_EQ(dib.GetScanline(-1), nullptr);
  EXPECT_EQ(dib.GetScanline(c.height), nullptr);
  // The section starts zeroed.
  for (int32_t i = 0; i < rowLen * c.height; ++i) ASSERT_EQ(base[i], 0) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Depths, DibLayout,
                         ::testing::Values(LayoutCase{33, 3, 1, ie1g},  // 33 bits: row length 8
                                           LayoutCase{32, 2, 1, ie1g}, LayoutCase{1, 1, 1, ie1g},
                                           LayoutCase{10, 4, 24, ie24RGB},  // 30 bytes padded to 32
                                           LayoutCase{1, 5, 24, ie24RGB}, LayoutCase{5, 2, 8, ieNoFormat},
                                           LayoutCase{3, 2, 32, ieNoFormat}),
                         [](const auto& info) {
                           const LayoutCase& c = info.param;
                           return std::to_string(c.width) + "x" + std::to_string(c.height) + "_" +
                                  std::to_string(c.bits) + "bit";
                         });

TEST(DibBitmap, OneBitWidth33HasRowLength8) {
  TIEDibbitmap dib;
  ASSERT_TRUE(dib.Allocate(33, 2, ie1g));
  EXPECT_EQ(dib.GetRowLen(), 8);
}

struct RefusalCase {
  const char* name;
  int32_t width, height, bits;
  TIEPixelFormat format;  // ieNoFormat: AllocateBits with `bits`, else Allocate with the format
};

class DibRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DibRefusal, ReturnsFalseAndKeepsThePixels) {
  const RefusalCase c = GetParam();
  TIEDibbitmap dib;
  ASSERT_TRUE(dib.AllocateBits(6, 4, 24));
  FillPattern(dib);
  void* bits = dib.Bits();
  win::HDC dc = dib.DC();
  const bool ok = c.format == ieNoFormat ? dib.AllocateBits(c.width, c.height, c.bits)
                                         : dib.Allocate(c.width, c.height, c.format);
  EXPECT_FALSE(ok);
  EXPECT_EQ(dib.GetWidth(), 6);
  EXPECT_EQ(dib.GetHeight(), 4);
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.GetRowLen(), 20);
  EXPECT_EQ(dib.Bits(), bits);
  EXPECT_EQ(dib.DC(), dc);
  EXPECT_EQ(dib.BitmapInfo()->bmiHeader.biWidth, 6);
  EXPECT_EQ(RowsOffPattern(dib, 20), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, DibRefusal,
    ::testing::Values(RefusalCase{"Gray8Format", 10, 10, 0, ie8g}, RefusalCase{"NoFormat", 10, 10, 0, ieNoFormat},
                      RefusalCase{"ZeroWidth", 0, 5, 24, ieNoFormat}, RefusalCase{"ZeroHeight", 5, 0, 1, ieNoFormat},
                      RefusalCase{"NegativeWidth", -3, 5, 24, ieNoFormat},
                      RefusalCase{"NegativeHeight", 5, -1, 24, ieNoFormat},
                      RefusalCase{"NotADibDepth", 5, 5, 7, ieNoFormat},
                      RefusalCase{"ZeroDepth", 5, 5, 0, ieNoFormat},
                      // 3 GB of rows: more than the 32-bit image size a DIB header holds.
                      RefusalCase{"BeyondDibSize", 50000, 20000, 24, ieNoFormat},
                      // Row length x height overflows 32 bits and would wrap in 32-bit arithmetic.
                      RefusalCase{"Overflowing", INT32_MAX, INT32_MAX, 32, ieNoFormat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DibBitmap, AllocatingOverAnotherSizeReplacesTheSection) {
  TIEDibbitmap dib;
  ASSERT_TRUE(dib.AllocateBits(4, 4, 24));
  FillPattern(dib);
  ASSERT_TRUE(dib.AllocateBits(9, 3, 1));
  EXPECT_EQ(dib.GetRowLen(), 4);
  EXPECT_EQ(dib.BitmapInfo()->bmiHeader.biBitCount, 1);
  EXPECT_EQ(win::GetCurrentObject(dib.DC(), win::OBJ_BITMAP), dib.DibSection());
  dib.FreeBits();
  EXPECT_EQ(dib.GetWidth(), 0);
  EXPECT_EQ(dib.GetBitCount(), 0);
  EXPECT_EQ(dib.DC(), nullptr);
  EXPECT_EQ(dib.Bits(), nullptr);
  EXPECT_EQ(dib.GetScanline(0), nullptr);
  EXPECT_EQ(dib.GetPalette(), nullptr);
  EXPECT_EQ(dib.GetPaletteLen(), 0);
}

TEST(DibBitmap, DrawingThroughItsDCLandsInTheRows) {
  TIEDibbitmap dib;
  ASSERT_TRUE(dib.AllocateBits(7, 5, 24));
  const TRGB fill{30, 20, 10};  // b, g, r
  win::HBRUSH brush = win::CreateSolidBrush(win::RGB(fill.r, fill.g, fill.b));
  const win::RECT r{2, 1, 5, 3};  // columns 2..4, rows 1..2
  win::FillRect(dib.DC(), &r, brush);
  win::DeleteObject(brush);
  win::SetPixel(dib.DC(), 6, 4, win::RGB(200, 100, 50));

  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 7; ++x) {
      const auto* p = static_cast<const uint8_t*>(dib.GetScanline(y)) + 3 * x;
      TRGB want{};
      if (x >= 2 && x < 5 && y >= 1 && y < 3) want = fill;
      if (x == 6 && y == 4) want = TRGB{50, 100, 200};
      EXPECT_EQ((TRGB{p[0], p[1], p[2]}), want) << x << "," << y;
    }

  TIEDibbitmap mono;
  ASSERT_TRUE(mono.AllocateBits(33, 3, 1));
  win::SetPixel(mono.DC(), 32, 0, win::RGB(255, 255, 255));
  win::SetPixel(mono.DC(), 1, 2, win::RGB(255, 255, 255));
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 33; ++x) {
      const auto* row = static_cast<const uint8_t*>(mono.GetScanline(y));
      const bool white = (row[x >> 3] & (0x80 >> (x & 7))) != 0;
      EXPECT_EQ(white, (x == 32 && y == 0) || (x == 1 && y == 2)) << x << "," << y;
    }
}

TEST(DibBitmap, AssignCopiesOnlyFromAnotherDibBitmap) {
  TIEDibbitmap src;
  ASSERT_TRUE(src.AllocateBits(5, 3, 24));
  FillPattern(src);
  TIEDibbitmap dst;
  ASSERT_TRUE(dst.AllocateBits(40, 40, 1));
  dst.Assign(&src);
  EXPECT_EQ(dst.GetWidth(), 5);
  EXPECT_EQ(dst.GetHeight(), 3);
  EXPECT_EQ(dst.GetBitCount(), 24);
  EXPECT_EQ(dst.GetPixelFormat(), ie24RGB);
  EXPECT_NE(dst.Bits(), src.Bits());
  EXPECT_EQ(RowsOffPattern(dst, 16), 0);
  // The copy is its own: changing the source leaves it.
  static_cast<uint8_t*>(src.GetScanline(1))[4] ^= 0xFF;
  EXPECT_EQ(RowsOffPattern(dst, 16), 0);

  // Itself and other kinds of source change nothing.
  dst.Assign(&dst);
  EXPECT_EQ(RowsOffPattern(dst, 16), 0);
  TIEBitmap other;
  ASSERT_TRUE(other.Allocate(2, 2, ie24RGB));
  dst.Assign(&other);
  dst.Assign(nullptr);
  EXPECT_EQ(dst.GetWidth(), 5);
  EXPECT_EQ(RowsOffPattern(dst, 16), 0);

  // An empty source gives an empty copy, not the old pixels.
  TIEDibbitmap empty;
  dst.Assign(&empty);
  EXPECT_EQ(dst.GetWidth(), 0);
  EXPECT_EQ(dst.Bits(), nullptr);
}

// ---- TIEBitmap::CopyFromTDibBitmap ----

struct CopyCase {
  const char* name;
  int32_t bits;
  TIELocation location;
  TIEPixelFormat expected;  // ieNoFormat: nothing copied
};

class CopyFromDib : public ::testing::TestWithParam<CopyCase> {};

// An image in the wanted location holding a 2 x 2 ie24RGB image of 0x5A.
void Prepare(TIEBitmap& b, TIELocation location) {
  if (location == ieTBitmap)
    b.SetLocation(ieTBitmap);
  else
    b.SetMemoryThreshold(location == ieFile ? 0 : int64_t(1) << 40);
  ASSERT_TRUE(b.Allocate(2, 2, ie24RGB));
  ASSERT_EQ(b.Location(), location);
  b.Fill(0x5A5A5A);
}

TEST_P(CopyFromDib, RowsArriveInTheFormatOfTheDepth) {
  const CopyCase c = GetParam();
  const int32_t w = 33, h = 4;
  TIEDibbitmap dib;
  ASSERT_TRUE(dib.AllocateBits(w, h, c.bits));
  FillPattern(dib);
  TIEBitmap b;
  Prepare(b, c.location);

  b.CopyFromTDibBitmap(&dib);
  EXPECT_EQ(b.Location(), c.location);
  if (c.expected == ieNoFormat) {
    EXPECT_EQ(b.GetWidth(), 2);
    EXPECT_EQ(b.GetPixelFormat(), ie24RGB);
    EXPECT_EQ(b.GetPixel24(1, 1), (TRGB{0x5A, 0x5A, 0x5A}));
    return;
  }
  ASSERT_EQ(b.GetPixelFormat(), c.expected);
  ASSERT_EQ(b.GetWidth(), w);
  ASSERT_EQ(b.GetHeight(), h);
  EXPECT_EQ(RowsOffPattern(b, PixelBytes(w, c.bits)), 0);
  if (c.location == ieTBitmap) {
    ASSERT_NE(b.VclBitmap(), nullptr);
    EXPECT_EQ(b.VclBitmap()->PixelFormat(), c.bits == 1 ? pf1bit : pf24bit);
    EXPECT_EQ(b.VclBitmap()->Width(), w);
  }
}

INSTANTIATE_TEST_SUITE_P(
    DepthsAndLocations, CopyFromDib,
    ::testing::Values(CopyCase{"Mono_Memory", 1, ieMemory, ie1g}, CopyCase{"Gray_Memory", 8, ieMemory, ie8g},
                      CopyCase{"Colour_Memory", 24, ieMemory, ie24RGB}, CopyCase{"Mono_File", 1, ieFile, ie1g},
                      CopyCase{"Gray_File", 8, ieFile, ie8g}, CopyCase{"Colour_File", 24, ieFile, ie24RGB},
                      CopyCase{"Mono_Platform", 1, ieTBitmap, ie1g},
                      CopyCase{"Colour_Platform", 24, ieTBitmap, ie24RGB},
                      // No platform layout takes 8-bit gray rows; no image layout takes 4- or 32-bit ones.
                      CopyCase{"Gray_Platform", 8, ieTBitmap, ieNoFormat},
                      CopyCase{"FourBit_Memory", 4, ieMemory, ieNoFormat},
                      CopyCase{"ThirtyTwoBit_File", 32, ieFile, ieNoFormat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CopyFromDibEdge, NullOrEmptyDibLeavesTheImage) {
  TIEBitmap b;
  Prepare(b, ieMemory);
  b.CopyFromTDibBitmap(nullptr);
  TIEDibbitmap empty;
  b.CopyFromTDibBitmap(&empty);
  EXPECT_EQ(b.GetWidth(), 2);
  EXPECT_EQ(b.GetPixel24(0, 0), (TRGB{0x5A, 0x5A, 0x5A}));
}

// ---- TIEWorkBitmap ----

TEST(WorkBitmap, SameSizeAndDepthKeepsTheBlock) {
  TIEWorkBitmap wb(17, 6, 24);
  void* bits = wb.Bits();
  ASSERT_NE(bits, nullptr);
  EXPECT_TRUE(wb.Allocate(17, 6, 24));
  EXPECT_EQ(wb.Bits(), bits);

  ASSERT_TRUE(wb.Allocate(17, 6, 8));
  EXPECT_EQ(wb.BitsPerPixel(), 8);
  EXPECT_EQ(wb.RowLen(), DibRowLen(17, 8));
}

struct WorkCase {
  int32_t width, height, bits;
};

class WorkLayout : public ::testing::TestWithParam<WorkCase> {};

TEST_P(WorkLayout, RowsAreBottomUpAndAligned) {
  const WorkCase c = GetParam();
  TIEWorkBitmap wb(c.width, c.height, c.bits);
  EXPECT_EQ(wb.Width(), c.width);
  EXPECT_EQ(wb.Height(), c.height);
  EXPECT_EQ(wb.BitsPerPixel(), c.bits);
  const int32_t rowLen = DibRowLen(c.width, c.bits);
  ASSERT_EQ(wb.RowLen(), rowLen);
  // Every byte of every row is writable (the sanitizer checks the extent).
  for (int32_t y = 0; y < c.height; ++y) std::memset(wb.GetScanline(y), y + 1, size_t(rowLen));
  const auto* base = static_cast<const uint8_t*>(wb.Bits());
  for (int32_t y = 0; y < c.height; ++y) {
    EXPECT_EQ(base[int64_t(rowLen) * (c.height - 1 - y)], y + 1) << "row " << y;
    EXPECT_EQ(base[int64_t(rowLen) * (c.height - 1 - y) + rowLen - 1], y + 1) << "row " << y;
  }
  EXPECT_EQ(wb.GetScanline(-1), nullptr);
  EXPECT_EQ(wb.GetScanline(c.height), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Depths, WorkLayout,
                         ::testing::Values(WorkCase{33, 3, 1}, WorkCase{10, 4, 24}, WorkCase{7, 2, 32},
                                           WorkCase{5, 5, 8}, WorkCase{3, 1, 48}),
                         [](const auto& info) {
                           const WorkCase& c = info.param;
                           return std::to_string(c.width) + "x" + std::to_string(c.height) + "_" +
                                  std::to_string(c.bits) + "bit";
                         });

TEST(WorkBitmap, ZeroSizeIsEmpty) {
  TIEWorkBitmap none(0, 5, 24);
  EXPECT_EQ(none.Bits(), nullptr);
  EXPECT_EQ(none.Height(), 0);
  TIEWorkBitmap wb(4, 4, 24);
  EXPECT_TRUE(wb.Allocate(4, 0, 24));
  EXPECT_EQ(wb.Bits(), nullptr);
  EXPECT_EQ(wb.Width(), 0);
  EXPECT_EQ(wb.GetScanline(0), nullptr);
}

struct WorkRefusal {
  const char* name;
  int32_t width, height, bits;
};

class WorkRefused : public ::testing::TestWithParam<WorkRefusal> {};

TEST_P(WorkRefused, KeepsTheBlock) {
  const WorkRefusal c = GetParam();
  TIEWorkBitmap wb(6, 3, 24);
  void* bits = wb.Bits();
  EXPECT_FALSE(wb.Allocate(c.width, c.height, c.bits));
  EXPECT_EQ(wb.Bits(), bits);
  EXPECT_EQ(wb.Width(), 6);
  EXPECT_EQ(wb.Height(), 3);
  EXPECT_EQ(wb.BitsPerPixel(), 24);
  EXPECT_EQ(wb.RowLen(), 20);
}

INSTANTIATE_TEST_SUITE_P(Requests, WorkRefused,
                         ::testing::Values(WorkRefusal{"NegativeWidth", -1, 3, 24},
                                           WorkRefusal{"NegativeHeight", 3, -7, 24},
                                           WorkRefusal{"NegativeDepth", 3, 3, -24},
                                           WorkRefusal{"ZeroDepth", 3, 3, 0},
                                           // A row of INT32_MAX * 32 bits does not fit the 32-bit row length.
                                           WorkRefusal{"RowBeyond31Bits", INT32_MAX, 1, 32}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WorkBitmap, MemoryThatCannotBeHadLeavesItEmpty) {
  // About 2^61 bytes: more than any machine holds.
  TIEWorkBitmap wb(4, 4, 24);
  EXPECT_FALSE(wb.Allocate(INT32_MAX / 4, INT32_MAX, 32));
  EXPECT_EQ(wb.Bits(), nullptr);
  EXPECT_EQ(wb.Width(), 0);
  EXPECT_EQ(wb.Height(), 0);
  EXPECT_EQ(wb.RowLen(), 0);
  EXPECT_EQ(wb.GetScanline(0), nullptr);
  EXPECT_TRUE(wb.Allocate(4, 4, 24));
  EXPECT_NE(wb.GetScanline(3), nullptr);
}

}  // namespace
