#include "imaging/core/iememblock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iefilestorage.h"
#include "platform/vcl/graphics.h"

namespace {

bool AllZero(const void* p, size_t n) {
  const auto* b = static_cast<const uint8_t*>(p);
  for (size_t i = 0; i < n; ++i)
    if (b[i]) return false;
  return true;
}

TEST(IELargeAlloc, SmallBlocksFromTheHeapLargeOnesZeroFilled) {
  void* small = IELargeAlloc(0xFFFFF);
  void* large = IELargeAlloc(0x100000);
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_FALSE(IELargeBlockIsGlobal(small));
  EXPECT_TRUE(IELargeBlockIsGlobal(large));
  EXPECT_TRUE(AllZero(large, 0x100000));
  // The whole requested range is usable (the sanitizer checks the bounds).
  std::memset(small, 0xAB, 0xFFFFF);
  std::memset(large, 0xCD, 0x100000);
  IELargeFree(small);
  IELargeFree(large);
  EXPECT_EQ(small, nullptr);
  EXPECT_EQ(large, nullptr);
  IELargeFree(small);  // freeing null is harmless
}

TEST(IEAllocators, RefuseWhatMemoryCannotHold) {
  const int64_t beyond = int64_t(IEGetPhysicalMemory(false)) + 1;
  EXPECT_EQ(IELargeAlloc(beyond), nullptr);
  EXPECT_EQ(IEGlobalAllocZero(beyond), nullptr);
  EXPECT_EQ(IELargeAlloc(-1), nullptr);
  void* p = reinterpret_cast<void*>(1);
  IETryGetMem(p, INT64_MAX);
  EXPECT_EQ(p, nullptr);

  void* g = IEGlobalAllocZero(4096);
  ASSERT_NE(g, nullptr);
  EXPECT_TRUE(AllZero(g, 4096));
  IEGlobalFreeAndNil(g);
  EXPECT_EQ(g, nullptr);
}

TEST(IEColorTables, GrayRampAndPalette) {
  TBitmap bmp(4, 2);
  bmp.SetPixelFormat(pf8bit);
  IEGrayColorTable(&bmp);
  EXPECT_TRUE(IEIsGrayColorTable(&bmp));

  std::vector<win::RGBQUAD> table = bmp.ColorTable();
  ASSERT_EQ(table.size(), 256u);
  table[5] = win::RGBQUAD{6, 5, 5, 0};  // blue 6, green 5, red 5
  bmp.SetColorTable(table);
  EXPECT_FALSE(IEIsGrayColorTable(&bmp));

  TIEBitmap image;
  ASSERT_TRUE(image.Allocate(4, 2, ie8p));
  IECopyColorTableToPalette(&bmp, &image);
  EXPECT_EQ(image.GetPaletteColor(5), (TRGB{6, 5, 5}));
  EXPECT_EQ(image.GetPaletteColor(200), (TRGB{200, 200, 200}));

  // Only an 8-bit bitmap into an ie8p image.
  TIEBitmap gray;
  ASSERT_TRUE(gray.Allocate(4, 2, ie8g));
  IECopyColorTableToPalette(&bmp, &gray);
  EXPECT_EQ(gray.GetPaletteLen(), 0);
}

}  // namespace
