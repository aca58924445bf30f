#include "imaging/core/iebitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "imaging/core/ieglobals.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/graphics.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

// Temporary files go to a fresh folder, and the library-wide threshold is put back afterwards.
class BitmapTest : public ::testing::Test {
protected:
  void SetUp() override {
    env_.Set("TMPDIR", dir_.Path().string());
    savedThreshold_ = IEDefaultMemoryThreshold;
  }
  void TearDown() override {
    IEDefaultMemoryThreshold = savedThreshold_;
  }
  size_t FilesInFolder() const { return size_t(std::distance(fs::directory_iterator(dir_.Path()), {})); }

  testsupport::TempDir dir_;
  ScopedEnv env_;
  int64_t savedThreshold_ = -1;
};

uint8_t PatternByte(int32_t x, int32_t y, uint32_t seed) { return uint8_t(x * 31 + y * 17 + seed * 101 + (x ^ y)); }

// Writes a pattern into the first n bytes of every row.
void FillPattern(TIEBitmap& b, uint32_t seed, int32_t n = -1) {
  if (n < 0) n = b.GetRowLen();
  for (int32_t y = 0; y < b.GetHeight(); ++y) {
    auto* row = static_cast<uint8_t*>(b.GetScanline(y));
    ASSERT_NE(row, nullptr);
    for (int32_t x = 0; x < n; ++x) row[x] = PatternByte(x, y, seed);
  }
}

// Counts the rows whose first n bytes differ from the pattern.
int32_t RowsDifferingFromPattern(TIEBitmap& b, uint32_t seed, int32_t n, int32_t rows = -1) {
  if (rows < 0) rows = b.GetHeight();
  int32_t bad = 0;
  for (int32_t y = 0; y < rows; ++y) {
    const auto* row = static_cast<const uint8_t*>(b.GetScanline(y));
    if (!row) return -1;
    for (int32_t x = 0; x < n; ++x)
      if (row[x] != PatternByte(x, y, seed)) {
        ++bad;
        break;
      }
  }
  return bad;
}

std::string Row(TIEBitmap& b, int32_t y, int32_t n) { return std::string(static_cast<const char*>(b.GetScanline(y)), size_t(n)); }

TEST_F(BitmapTest, ANewBufferIsInFileUntilTheThresholdDecides) {
  TIEBitmap b;
  EXPECT_EQ(b.Location(), ieFile);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_TRUE(b.NeedsAllocation());
  ASSERT_TRUE(b.Allocate(100, 100, ie24RGB));
  EXPECT_EQ(b.Location(), ieMemory);
  EXPECT_FALSE(b.NeedsAllocation());
  EXPECT_EQ(b.GetBitCount(), 24);
  EXPECT_EQ(b.GetChannelCount(), 3);
  // Pixels start on a 64-byte boundary; rows lie bottom-up, one row length apart.
  const auto* top = static_cast<uint8_t*>(b.GetScanline(0));
  const auto* next = static_cast<uint8_t*>(b.GetScanline(1));
  const auto* bottom = static_cast<uint8_t*>(b.GetScanline(99));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bottom) % 64, 0u);
  EXPECT_EQ(top - next, 300);
  EXPECT_EQ(top - bottom, 300 * 99);
  EXPECT_EQ(b.GetScanline(100), nullptr);
  EXPECT_EQ(b.GetScanline(-1), nullptr);
}

TEST_F(BitmapTest, DefaultThresholdIsPhysicalMemoryOverOnePointThree) {
  IEDefaultMemoryThreshold = -1;
  const double total = double(TotalPhysicalMemory());
  EXPECT_EQ(TIEBitmap().MemoryThreshold(), int64_t(total / 1.3));
  IEDefaultMemoryThreshold = 12345;
  EXPECT_EQ(TIEBitmap().MemoryThreshold(), 12345);
}

TEST_F(BitmapTest, RowLengthsFollowFormatWidthAndAlignment) {
  struct Case {
    TIEPixelFormat format;
    int32_t width, alignment, rowLen, bits;
  };
  const Case cases[] = {
      {ie1g, 1, 32, 4, 1},       {ie24RGB, 3, 32, 12, 24}, {ie8g, 10, 8, 10, 8},     {ie8p, 5, 32, 8, 8},
      {ie16g, 3, 32, 8, 16},     {ie32f, 3, 32, 12, 32},   {ieCMYK, 2, 32, 8, 32},   {ieRGB48, 3, 32, 20, 48},
      {ieCIELab, 3, 8, 9, 24},   {ie32RGB, 1, 32, 4, 32},  {ie1g, 33, 16, 6, 1},
  };
  for (const Case& c : cases) {
    TIEBitmap b;
    b.SetRowAlignment(c.alignment);
    ASSERT_TRUE(b.Allocate(c.width, 7, c.format)) << IEPixelFormatInfo(c.format).Name;
    EXPECT_EQ(b.GetRowLen(), c.rowLen) << IEPixelFormatInfo(c.format).Name << " width " << c.width;
    EXPECT_EQ(b.GetBitCount(), c.bits);
    EXPECT_EQ(b.RowAlignment(), c.alignment);
    EXPECT_EQ(b.GetPaletteLen(), c.format == ie8p ? 256 : 0);
  }
}

TEST_F(BitmapTest, RefusesSizesThatCannotBeHeld) {
  struct Case {
    int32_t width, height;
    TIEPixelFormat format;
    const char* why;
  };
  const Case cases[] = {
      {INT32_MAX, INT32_MAX, ieRGB48, "bytes past 64 bits"},
      {INT32_MAX, 1, ieRGB48, "one row past 31 bits"},
      {536870911, 536870911, ie8g, "more than memory or any disk holds"},
      {0, 10, ie24RGB, "no width"},
      {10, 0, ie24RGB, "no height"},
      {-3, 10, ie24RGB, "negative width"},
      {10, 10, ieNoFormat, "no format"},
      {10, 10, TIEPixelFormat(11), "unknown format"},
  };
  for (const Case& c : cases) {
    TIEBitmap b;
    ASSERT_TRUE(b.Allocate(8, 8, ie8g));
    EXPECT_FALSE(b.Allocate(c.width, c.height, c.format)) << c.why;
    EXPECT_TRUE(b.IsEmpty()) << c.why;
    EXPECT_EQ(b.GetWidth(), 0) << c.why;
    EXPECT_EQ(b.GetHeight(), 0) << c.why;
    EXPECT_EQ(b.GetScanline(0), nullptr) << c.why;
  }
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(BitmapTest, AboveTheThresholdRowsLiveInATemporaryFile) {
  IEDefaultMemoryThreshold = 1000;
  {
    TIEBitmap b;
    ASSERT_TRUE(b.Allocate(100, 100, ie24RGB));  // row length 300, 30000 bytes
    EXPECT_EQ(b.Location(), ieFile);
    EXPECT_EQ(FilesInFolder(), 0u);  // the file has no name left in the folder

    auto* row0 = static_cast<uint8_t*>(b.GetScanline(0));
    for (int i = 0; i < 300; ++i) row0[i] = uint8_t(i);
    const auto* row1 = static_cast<uint8_t*>(b.GetScanline(1));  // writes row 0 back
    EXPECT_EQ(row1[0], 0);
    const auto* again = static_cast<uint8_t*>(b.GetScanline(0));
    for (int i = 0; i < 300; ++i) ASSERT_EQ(again[i], uint8_t(i)) << i;

    // Read-only access: changes stay in the view.
    b.SetAccess(iedRead);
    static_cast<uint8_t*>(b.GetScanline(5))[0] = 0xEE;
    b.GetScanline(6);
    EXPECT_EQ(static_cast<uint8_t*>(b.GetScanline(5))[0], 0);
    b.SetAccess(iedRead | iedWrite);

    FillPattern(b, 3);
    EXPECT_EQ(RowsDifferingFromPattern(b, 3, 300), 0);
  }
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(BitmapTest, LockedRowsStayValidTogether) {
  IEDefaultMemoryThreshold = 1000;
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(50, 40, ie8g));
  ASSERT_EQ(b.Location(), ieFile);
  auto* a = static_cast<uint8_t*>(b.LockScanline(3));
  auto* c = static_cast<uint8_t*>(b.LockScanline(7));
  std::memset(a, 0x33, 50);
  b.GetScanline(10);  // does not disturb the locked rows
  std::memset(c, 0x77, 50);
  b.UnlockScanline(3);
  b.UnlockScanline(7);
  b.UnlockScanline(9);  // never locked: ignored
  EXPECT_EQ(Row(b, 3, 50), std::string(50, '\x33'));
  EXPECT_EQ(Row(b, 7, 50), std::string(50, '\x77'));
}

TEST_F(BitmapTest, AllocateReallocatesOnlyWhenTheStorageWasInvalidated) {
  IEDefaultMemoryThreshold = 1000;
  // A file-located alpha channel: its fully-opaque flag shows whether storage was made anew.
  auto alpha = TIEBitmap::CreateAlphaChannel(100, 100, ieFile);
  ASSERT_EQ(alpha->Location(), ieFile);
  ASSERT_TRUE(alpha->FullyOpaque());
  ASSERT_TRUE(alpha->Allocate(100, 100, ie8g));
  EXPECT_TRUE(alpha->FullyOpaque());  // same size and format: nothing happened
  alpha->SetRowAlignment(8);           // in a file only the flag changes
  EXPECT_TRUE(alpha->NeedsAllocation());
  EXPECT_EQ(alpha->RowAlignment(), 32);
  ASSERT_TRUE(alpha->Allocate(100, 100, ie8g));
  EXPECT_FALSE(alpha->FullyOpaque());
}

TEST_F(BitmapTest, FreeImageKeepsTheFormat) {
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(10, 10, ie8p));
  b.GetAlphaChannel();
  b.FreeImage(true);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(b.GetPixelFormat(), ie8p);
  EXPECT_EQ(b.GetPaletteLen(), 0);
  EXPECT_FALSE(b.HasAlphaChannel());
}

TEST_F(BitmapTest, AlphaChannelIsOpaqueGrayOfTheSameSize) {
  auto alpha = TIEBitmap::CreateAlphaChannel(7, 5, ieTBitmap);
  EXPECT_EQ(alpha->Location(), ieMemory);
  EXPECT_EQ(alpha->GetPixelFormat(), ie8g);
  EXPECT_TRUE(alpha->IsAlphaChannel());
  EXPECT_TRUE(alpha->FullyOpaque());
  for (int32_t y = 0; y < 5; ++y) EXPECT_EQ(Row(*alpha, y, 7), std::string(7, '\xFF'));
  EXPECT_EQ(alpha->GetAlphaChannel(), nullptr);

  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(7, 5, ie24RGB));
  EXPECT_FALSE(b.HasAlphaChannel());
  TIEBitmap* a = b.GetAlphaChannel();
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(b.HasAlphaChannel());
  EXPECT_EQ(a->GetWidth(), 7);
  EXPECT_EQ(a->GetHeight(), 5);
  EXPECT_EQ(b.GetAlphaChannel(), a);

  // Attaching hands the previous channel back to the caller.
  std::unique_ptr<TIEBitmap> previous = b.AttachAlphaChannel(std::move(alpha));
  EXPECT_EQ(previous.get(), a);
  EXPECT_NE(b.GetAlphaChannel(), a);
  EXPECT_TRUE(b.GetAlphaChannel()->IsAlphaChannel());
}

TEST_F(BitmapTest, RemoveAlphaChannelMergesTowardsTheBackground) {
  // Pixels (blue, green, red) above, below and at the background's values.
  const uint8_t pixels[4][3] = {{0, 128, 255}, {200, 10, 99}, {255, 255, 255}, {13, 14, 15}};
  const TColor background = RGBColor(100, 50, 200);  // red 100, green 50, blue 200
  const int32_t bg[3] = {200, 50, 100};              // as blue, green, red
  for (int32_t a : {0, 255, 128, 1}) {
    TIEBitmap b;
    ASSERT_TRUE(b.Allocate(4, 2, ie24RGB));
    for (int32_t y = 0; y < 2; ++y) std::memcpy(b.GetScanline(y), pixels, 12);
    TIEBitmap* alpha = b.GetAlphaChannel();
    for (int32_t y = 0; y < 2; ++y) std::memset(alpha->GetScanline(y), a, 4);
    b.RemoveAlphaChannel(true, background);
    EXPECT_FALSE(b.HasAlphaChannel());
    const auto* row = static_cast<const uint8_t*>(b.GetScanline(1));
    for (int x = 0; x < 4; ++x)
      for (int c = 0; c < 3; ++c) {
        const int32_t expected = bg[c] + int32_t(std::floor((pixels[x][c] - bg[c]) * a / 256.0));
        EXPECT_EQ(row[x * 3 + c], expected) << "alpha " << a << " pixel " << x << " channel " << c;
      }
  }
  // Without merge the pixels stay.
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(4, 1, ie24RGB));
  std::memcpy(b.GetScanline(0), pixels, 12);
  std::memset(b.GetAlphaChannel()->GetScanline(0), 0, 4);
  b.RemoveAlphaChannel(false, background);
  EXPECT_EQ(std::memcmp(b.GetScanline(0), pixels, 12), 0);
  EXPECT_FALSE(b.HasAlphaChannel());
}

TEST_F(BitmapTest, AssignCopiesPixelsAlphaPaletteAndFlags) {
  struct Case {
    int64_t sourceThreshold, destThreshold;
    bool sourceAlpha, destAlpha;
  };
  const Case cases[] = {
      {INT64_MAX, INT64_MAX, true, false},  // memory to memory, the channel is made
      {INT64_MAX, INT64_MAX, false, true},  // the destination's channel goes
      {100, INT64_MAX, true, true},         // file to memory
      {INT64_MAX, 100, false, false},       // memory to file
      {100, 100, true, false},              // file to file, through the files
  };
  for (const Case& c : cases) {
    IEDefaultMemoryThreshold = c.sourceThreshold;
    TIEBitmap src;
    ASSERT_TRUE(src.Allocate(37, 23, ie8p));
    FillPattern(src, 1);
    src.SetPaletteColor(9, TRGB{1, 2, 3});
    src.SetBilevelMethod(0);
    if (c.sourceAlpha) {
      FillPattern(*src.GetAlphaChannel(), 2);
      src.GetAlphaChannel()->SetFullyOpaque(false);
    }
    IEDefaultMemoryThreshold = c.destThreshold;
    TIEBitmap dst;
    ASSERT_TRUE(dst.Allocate(5, 5, ie24RGB));
    if (c.destAlpha) dst.GetAlphaChannel();

    dst.Assign(&src);
    EXPECT_EQ(dst.GetWidth(), 37);
    EXPECT_EQ(dst.GetHeight(), 23);
    EXPECT_EQ(dst.GetPixelFormat(), ie8p);
    EXPECT_EQ(dst.Location(), c.destThreshold == 100 ? ieFile : ieMemory);
    EXPECT_EQ(RowsDifferingFromPattern(dst, 1, 40), 0);
    EXPECT_EQ(RowsDifferingFromPattern(src, 1, 40), 0);
    EXPECT_EQ(dst.GetPaletteColor(9), (TRGB{1, 2, 3}));
    EXPECT_EQ(dst.BilevelMethod(), 0);
    EXPECT_EQ(dst.HasAlphaChannel(), c.sourceAlpha);
    if (c.sourceAlpha) {
      EXPECT_EQ(RowsDifferingFromPattern(*dst.GetAlphaChannel(), 2, 37), 0);
      EXPECT_FALSE(dst.GetAlphaChannel()->FullyOpaque());
    }
    EXPECT_TRUE(dst.NeedsAllocation());

    // Again into the now equal layout: the storage is reused, the pixels are new.
    FillPattern(src, 12);
    src.RemoveAlphaChannel(false, 0);
    dst.Assign(&src);
    EXPECT_EQ(RowsDifferingFromPattern(dst, 12, 40), 0);
    EXPECT_FALSE(dst.HasAlphaChannel());
  }
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(BitmapTest, AssignImageKeepsTheOwnAlphaChannel) {
  TIEBitmap src;
  ASSERT_TRUE(src.Allocate(6, 4, ie8g));
  FillPattern(src, 4);
  src.SetFullyOpaque(true);
  TIEBitmap dst;
  ASSERT_TRUE(dst.Allocate(6, 4, ie24RGB));
  dst.SetBilevelMethod(0);
  std::memset(dst.GetAlphaChannel()->GetScanline(2), 9, 6);
  dst.AssignImage(&src);
  EXPECT_EQ(dst.GetPixelFormat(), ie8g);
  EXPECT_EQ(RowsDifferingFromPattern(dst, 4, 6), 0);
  ASSERT_TRUE(dst.HasAlphaChannel());
  EXPECT_EQ(Row(*dst.GetAlphaChannel(), 2, 6), std::string(6, '\x09'));
  EXPECT_FALSE(dst.FullyOpaque());
  EXPECT_EQ(dst.BilevelMethod(), 0);

  TIEBitmap empty;
  dst.AssignImage(&empty);  // nothing for an empty source
  EXPECT_EQ(dst.GetWidth(), 6);
}

TEST_F(BitmapTest, PaletteIndexesOutsideAreIgnored) {
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(4, 4, ie8p));
  b.SetPaletteColor(255, TRGB{7, 8, 9});
  b.SetPaletteColor(256, TRGB{1, 1, 1});
  b.SetPaletteColor(-1, TRGB{1, 1, 1});
  EXPECT_EQ(b.GetPaletteColor(255), (TRGB{7, 8, 9}));
  EXPECT_EQ(b.GetPaletteColor(256), TRGB{});
  EXPECT_EQ(b.GetPaletteColor(-1), TRGB{});

  TIEBitmap other;
  ASSERT_TRUE(other.Allocate(4, 4, ie8p));
  b.SetQuantizerColorCount(16);
  b.CopyPaletteTo(&other);
  EXPECT_EQ(other.GetPaletteLen(), 256);
  EXPECT_EQ(other.GetPaletteColor(255), (TRGB{7, 8, 9}));
  EXPECT_EQ(other.QuantizerColorCount(), 16);
  TIEBitmap gray;
  ASSERT_TRUE(gray.Allocate(4, 4, ie8g));
  gray.CopyPaletteTo(&other);  // no entries: the destination's palette goes
  EXPECT_EQ(other.GetPaletteLen(), 0);
  EXPECT_EQ(other.QuantizerColorCount(), 256);
}

TEST_F(BitmapTest, MoveContentToHandsOverEverything) {
  IEDefaultMemoryThreshold = 1000;
  TIEBitmap src;
  ASSERT_TRUE(src.Allocate(40, 30, ie24RGB));
  ASSERT_EQ(src.Location(), ieFile);
  FillPattern(src, 5);
  src.GetAlphaChannel();
  TIEBitmap dst;
  ASSERT_TRUE(dst.Allocate(3, 3, ie8g));
  src.MoveContentTo(dst);
  EXPECT_TRUE(src.IsEmpty());
  EXPECT_EQ(src.GetPixelFormat(), ieNoFormat);
  EXPECT_FALSE(src.HasAlphaChannel());
  EXPECT_TRUE(src.NeedsAllocation());
  EXPECT_EQ(dst.GetWidth(), 40);
  EXPECT_EQ(dst.GetHeight(), 30);
  EXPECT_EQ(dst.GetPixelFormat(), ie24RGB);
  EXPECT_EQ(dst.Location(), ieFile);
  EXPECT_TRUE(dst.HasAlphaChannel());
  EXPECT_EQ(RowsDifferingFromPattern(dst, 5, 120), 0);
}

TEST_F(BitmapTest, SetWidthAndHeightKeepTheCommonPixels) {
  struct Case {
    int64_t threshold;
    int32_t newWidth, newHeight;
  };
  const Case cases[] = {
      {INT64_MAX, 20, 15}, {INT64_MAX, 9, 15}, {INT64_MAX, 13, 40}, {INT64_MAX, 13, 4},
      {1000, 30, 15},      {1000, 5, 7},
  };
  for (const Case& c : cases) {
    IEDefaultMemoryThreshold = c.threshold;
    TIEBitmap b;
    ASSERT_TRUE(b.Allocate(13, 15, ie24RGB));
    FillPattern(b, 6);
    FillPattern(*b.GetAlphaChannel(), 7, 13);
    const int32_t oldRowLen = b.GetRowLen();
    b.SetWidth(c.newWidth);
    b.SetHeight(c.newHeight);
    EXPECT_EQ(b.GetWidth(), c.newWidth);
    EXPECT_EQ(b.GetHeight(), c.newHeight);
    EXPECT_EQ(b.GetRowLen(), (c.newWidth * 3 + 3) / 4 * 4);
    const int32_t rows = std::min(15, c.newHeight);
    EXPECT_EQ(RowsDifferingFromPattern(b, 6, std::min(oldRowLen, b.GetRowLen()), rows), 0)
        << c.newWidth << " x " << c.newHeight;
    TIEBitmap* alpha = b.GetAlphaChannel();
    EXPECT_EQ(alpha->GetWidth(), c.newWidth);
    EXPECT_EQ(alpha->GetHeight(), c.newHeight);
    EXPECT_EQ(RowsDifferingFromPattern(*alpha, 7, std::min(13, c.newWidth), rows), 0);
    EXPECT_TRUE(b.NeedsAllocation());
  }
}

TEST_F(BitmapTest, SetWidthWithoutFormatOrRowsChangesOnlyTheField) {
  TIEBitmap b;
  b.SetWidth(50);
  EXPECT_EQ(b.GetWidth(), 50);
  EXPECT_TRUE(b.IsEmpty());
  b.SetHeight(20);
  EXPECT_EQ(b.GetHeight(), 20);
  EXPECT_EQ(b.GetScanline(0), nullptr);
  EXPECT_EQ(b.GetPixelFormat(), ieNoFormat);
}

TEST_F(BitmapTest, SetRowAlignmentReLaysOnlyMemoryPixels) {
  TIEBitmap mem;
  ASSERT_TRUE(mem.Allocate(3, 6, ie24RGB));
  FillPattern(mem, 8, 9);
  mem.SetRowAlignment(8);
  EXPECT_EQ(mem.RowAlignment(), 8);
  EXPECT_EQ(mem.GetRowLen(), 9);
  EXPECT_EQ(RowsDifferingFromPattern(mem, 8, 9), 0);
  EXPECT_EQ(static_cast<uint8_t*>(mem.GetScanline(0)) - static_cast<uint8_t*>(mem.GetScanline(1)), 9);
  mem.SetRowAlignment(12);  // rows shorter than their pixels: refused
  EXPECT_EQ(mem.RowAlignment(), 8);

  IEDefaultMemoryThreshold = 10;
  TIEBitmap file;
  ASSERT_TRUE(file.Allocate(3, 6, ie24RGB));
  ASSERT_EQ(file.Location(), ieFile);
  FillPattern(file, 8, 9);
  file.SetRowAlignment(8);
  EXPECT_EQ(file.RowAlignment(), 32);
  EXPECT_EQ(file.GetRowLen(), 12);
  EXPECT_TRUE(file.NeedsAllocation());
  EXPECT_EQ(RowsDifferingFromPattern(file, 8, 9), 0);
}

TEST_F(BitmapTest, SetLocationMovesPixelsWhereTheThresholdAllows) {
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(21, 9, ie8p));
  FillPattern(b, 9);
  b.SetPaletteColor(3, TRGB{3, 4, 5});
  b.GetAlphaChannel()->SetFullyOpaque(false);

  b.SetLocation(ieFile);  // small: the threshold sends it back to memory
  EXPECT_EQ(b.Location(), ieMemory);
  EXPECT_EQ(RowsDifferingFromPattern(b, 9, 21), 0);
  EXPECT_TRUE(b.NeedsAllocation());

  b.SetMemoryThreshold(100);
  b.SetLocation(ieFile);
  EXPECT_EQ(b.Location(), ieFile);
  EXPECT_EQ(RowsDifferingFromPattern(b, 9, 21), 0);
  EXPECT_EQ(b.GetPaletteColor(3), (TRGB{3, 4, 5}));
  ASSERT_TRUE(b.HasAlphaChannel());
  EXPECT_FALSE(b.GetAlphaChannel()->FullyOpaque());

  b.SetMemoryThreshold(INT64_MAX);
  b.SetLocation(ieMemory);
  EXPECT_EQ(b.Location(), ieMemory);
  EXPECT_EQ(RowsDifferingFromPattern(b, 9, 21), 0);
  EXPECT_EQ(b.GetPaletteColor(3), (TRGB{3, 4, 5}));
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(BitmapTest, PlatformBitmapLocationTakesFourFormatsOnly) {
  struct Case {
    TIEPixelFormat format;
    bool ok;
    TIEPixelFormat result;
    TPixelFormat platform;
  };
  const Case cases[] = {
      {ie1g, true, ie1g, pf1bit},       {ie8p, true, ie8p, pf8bit},       {ie8g, true, ie8g, pf8bit},
      {ie16g, true, ie8g, pf8bit},      {ie24RGB, true, ie24RGB, pf24bit}, {ie32RGB, true, ie32RGB, pf32bit},
      {ie32f, false, ie32f, pfDevice},  {ieCMYK, false, ieCMYK, pfDevice}, {ieRGB48, false, ieRGB48, pfDevice},
      {ieCIELab, false, ieCIELab, pfDevice},
  };
  for (const Case& c : cases) {
    const char* name = IEPixelFormatInfo(c.format).Name;
    TIEBitmap b;
    b.SetLocation(ieTBitmap);
    ASSERT_EQ(b.Location(), ieTBitmap);
    EXPECT_EQ(b.Allocate(9, 4, c.format), c.ok) << name;
    if (!c.ok) {
      EXPECT_EQ(b.GetWidth(), 0) << name;
      EXPECT_EQ(b.GetHeight(), 0) << name;
      continue;
    }
    EXPECT_EQ(b.GetPixelFormat(), c.result) << name;
    ASSERT_NE(b.VclBitmap(), nullptr);
    EXPECT_EQ(b.VclBitmap()->PixelFormat(), c.platform) << name;
    EXPECT_EQ(b.GetRowLen(), (9 * IEPixelFormatInfo(c.result).BitsPerPixel + 31) / 32 * 4) << name;
    for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(b.GetScanline(y), b.VclBitmap()->ScanLine(y)) << name;
  }
}

TEST_F(BitmapTest, PlatformBitmapLocationKeepsPixelsAndFollowsTheBitmap) {
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(11, 6, ie24RGB));
  FillPattern(b, 10, 33);
  b.SetLocation(ieTBitmap);
  ASSERT_EQ(b.Location(), ieTBitmap);
  EXPECT_EQ(RowsDifferingFromPattern(b, 10, 33), 0);

  // Changed behind the buffer's back: rows and the next query follow the bitmap.
  b.VclBitmap()->SetSize(20, 3);
  EXPECT_EQ(b.GetScanline(1), b.VclBitmap()->ScanLine(1));
  EXPECT_EQ(b.GetScanline(3), nullptr);
  EXPECT_EQ(b.GetWidth(), 20);
  EXPECT_EQ(b.GetHeight(), 3);
  EXPECT_EQ(b.GetScanline(2), b.VclBitmap()->ScanLine(2));
  EXPECT_EQ(RowsDifferingFromPattern(b, 10, 33, 3), 0);

  b.SetWidth(5);
  EXPECT_EQ(b.VclBitmap()->Width(), 5);
  EXPECT_EQ(RowsDifferingFromPattern(b, 10, 15, 3), 0);

  b.SetLocation(ieMemory);
  EXPECT_EQ(b.Location(), ieMemory);
  EXPECT_EQ(b.VclBitmap(), nullptr);
  EXPECT_EQ(RowsDifferingFromPattern(b, 10, 15), 0);
}

TEST_F(BitmapTest, PlatformBitmapLocationRefusesCMYKButKeepsTheAlphaChannel) {
  TIEBitmap b;
  ASSERT_TRUE(b.Allocate(8, 8, ieCMYK));
  FillPattern(*b.GetAlphaChannel(), 11, 8);
  b.SetLocation(ieTBitmap);
  EXPECT_EQ(b.GetWidth(), 0);
  EXPECT_EQ(b.GetHeight(), 0);
  ASSERT_TRUE(b.HasAlphaChannel());
  EXPECT_EQ(RowsDifferingFromPattern(*b.GetAlphaChannel(), 11, 8), 0);
}

TEST_F(BitmapTest, EncapsulatedBitmapIsUsedInPlaceAndOutlivesTheBuffer) {
  TBitmap bmp(6, 5);
  bmp.SetPixelFormat(pf24bit);
  static_cast<uint8_t*>(bmp.ScanLine(2))[4] = 0x5A;
  {
    TIEBitmap b;
    b.EncapsulateTBitmap(&bmp, true);
    EXPECT_EQ(b.Location(), ieTBitmap);
    EXPECT_EQ(b.GetPixelFormat(), ie24RGB);
    EXPECT_TRUE(b.VclBitmapNotOwned());
    EXPECT_EQ(b.GetWidth(), 6);
    EXPECT_EQ(b.GetScanline(2), bmp.ScanLine(2));
    EXPECT_EQ(static_cast<uint8_t*>(b.GetScanline(2))[4], 0x5A);
    static_cast<uint8_t*>(b.GetScanline(4))[0] = 0x66;
  }
  EXPECT_EQ(bmp.Width(), 6);
  EXPECT_EQ(static_cast<uint8_t*>(bmp.ScanLine(4))[0], 0x66);
}

}  // namespace
