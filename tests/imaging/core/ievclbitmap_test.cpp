#include "imaging/core/ievclbitmap.h"
#include "imaging/core/ieresample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "imaging/core/ieconvert.h"
#include "imaging/core/iemask.h"
#include "platform/rtl/exceptions.h"
#include "platform/vcl/graphics.h"

namespace {

uint8_t Pattern(int32_t x, int32_t y, int32_t c) { return uint8_t(x * 37 + y * 11 + c * 71 + (x ^ y)); }

int32_t PixelBytes(TIEPixelFormat f, int32_t width) {
  switch (f) {
    case ie1g: return (width + 7) / 8;
    case ie8p: case ie8g: return width;
    case ie24RGB: return width * 3;
    case ie32RGB: return width * 4;
    default: return 0;
  }
}

// Fills every pixel byte of the image with a pattern; 1-bit rows are masked to the width.
void FillPattern(TIEBitmap& b) {
  const int32_t n = PixelBytes(b.GetPixelFormat(), b.GetWidth());
  for (int32_t y = 0; y < b.GetHeight(); ++y) {
    auto* row = static_cast<uint8_t*>(b.GetScanline(y));
    for (int32_t i = 0; i < n; ++i) row[i] = Pattern(i, y, 0);
    if (b.GetPixelFormat() == ie1g && b.GetWidth() % 8)
      row[n - 1] &= uint8_t(0xFF << (8 - b.GetWidth() % 8));
  }
}

struct RoundTripCase {
  TIEPixelFormat format;
  TPixelFormat platform;
  TIEPixelFormat back;  // pf8bit always comes back as ie8p
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, KeepsPixelsAndColours) {
  const RoundTripCase c = GetParam();
  auto src = TIEBitmap::CreateSized(13, 5, c.format);
  ASSERT_TRUE(src);
  FillPattern(*src);
  if (c.format == ie8p)
    for (int32_t i = 0; i < 256; ++i) src->SetPaletteColor(i, TRGB{uint8_t(i), uint8_t(255 - i), uint8_t(i * 3)});
  TBitmap bmp;
  IECopyToTBitmap(*src, bmp);
  EXPECT_EQ(bmp.PixelFormat(), c.platform);
  EXPECT_EQ(bmp.Width(), 13);
  EXPECT_EQ(bmp.Height(), 5);
  if (c.format == ie1g) {
    EXPECT_TRUE(bmp.Monochrome());
  }

  TIEBitmap back;
  back.SetFullyOpaque(true);
  IECopyFromTBitmap(back, bmp);
  ASSERT_EQ(back.GetPixelFormat(), c.back);
  EXPECT_FALSE(back.FullyOpaque());
  ASSERT_EQ(back.GetWidth(), 13);
  ASSERT_EQ(back.GetHeight(), 5);
  const int32_t n = PixelBytes(c.format, 13);
  for (int32_t y = 0; y < 5; ++y)
    EXPECT_EQ(std::memcmp(back.GetScanline(y), src->GetScanline(y), size_t(n)), 0) << "row " << y;
  if (c.back == ie8p)
    for (int32_t i = 0; i < 256; i += 17) {
      const TRGB want = c.format == ie8g ? TRGB{uint8_t(i), uint8_t(i), uint8_t(i)} : src->GetPaletteColor(i);
      const TRGB got = back.GetPaletteColor(i);
      EXPECT_EQ(got.r, want.r);
      EXPECT_EQ(got.g, want.g);
      EXPECT_EQ(got.b, want.b);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip,
                         ::testing::Values(RoundTripCase{ie1g, pf1bit, ie1g}, RoundTripCase{ie8p, pf8bit, ie8p},
                                           RoundTripCase{ie8g, pf8bit, ie8p},
                                           RoundTripCase{ie24RGB, pf24bit, ie24RGB},
                                           RoundTripCase{ie32RGB, pf32bit, ie32RGB}));

TEST(CopyToTBitmap, SixteenBitGrayKeepsTheHighByte) {
  auto src = TIEBitmap::CreateSized(3, 2, ie16g);
  const uint16_t samples[3] = {0x1234, 0xFF01, 0x00FF};
  for (int32_t y = 0; y < 2; ++y) std::memcpy(src->GetScanline(y), samples, sizeof samples);
  TBitmap bmp;
  IECopyToTBitmap(*src, bmp);
  ASSERT_EQ(bmp.PixelFormat(), pf8bit);
  for (int32_t y = 0; y < 2; ++y) {
    const auto* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
    EXPECT_EQ(row[0], 0x12);
    EXPECT_EQ(row[1], 0xFF);
    EXPECT_EQ(row[2], 0x00);
  }
  EXPECT_EQ(bmp.ColorTable()[0x12].rgbGreen, 0x12);
}

TEST(CopyToTBitmap, FloatGrayIsTruncatedAndClamped) {
  const float samples[5] = {0.5f, 1.0f, 0.999f, 2.0f, -1.0f};
  auto src = TIEBitmap::CreateSized(5, 1, ie32f);
  std::memcpy(src->GetScanline(0), samples, sizeof samples);
  TBitmap bmp;
  IECopyToTBitmap(*src, bmp);
  const auto* row = static_cast<const uint8_t*>(bmp.ScanLine(0));
  EXPECT_EQ(row[0], uint8_t(std::trunc(0.5 * 255)));
  EXPECT_EQ(row[1], 255);
  EXPECT_EQ(row[2], uint8_t(std::trunc(double(0.999f) * 255)));
  EXPECT_EQ(row[3], 255);  // out of range: clamped instead of wrapping
  EXPECT_EQ(row[4], 0);
}

TEST(CopyToTBitmap, FormatsWithoutPlatformCounterpartRaise) {
  const std::pair<TIEPixelFormat, std::string> cases[] = {{ieCMYK, "CMYK to TBitmap not supported"},
                                                          {ieRGB48, "RGB48 to TBitmap not supported"},
                                                          {ieCIELab, "CIELab to TBitmap not supported"}};
  for (const auto& [format, text] : cases) {
    auto src = TIEBitmap::CreateSized(2, 2, format);
    TBitmap bmp;
    try {
      IECopyToTBitmap(*src, bmp);
      ADD_FAILURE() << text;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), text);
    }
  }
}

TEST(CopyFromTBitmap, SixteenAndFifteenBitWordsExpandToBytes) {
  struct Case {
    TPixelFormat pf;
    uint16_t word;
  };
  const Case cases[] = {{pf16bit, 0xFFFF}, {pf16bit, 0x8410}, {pf16bit, 0x07E0},
                        {pf15bit, 0x7FFF}, {pf15bit, 0x4210}, {pf15bit, 0x03E0}};
  for (const Case& c : cases) {
    TBitmap bmp(2, 1);
    bmp.SetPixelFormat(c.pf);
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(0));
    row[2] = uint8_t(c.word);
    row[3] = uint8_t(c.word >> 8);
    TIEBitmap b;
    IECopyFromTBitmap(b, bmp);
    ASSERT_EQ(b.GetPixelFormat(), ie24RGB);
    const auto* px = static_cast<const uint8_t*>(b.GetScanline(0)) + 3;
    const uint32_t w = c.word;
    const int red = c.pf == pf16bit ? int(w >> 11) * 8 : int((w >> 10) & 31) * 8;
    const int green = c.pf == pf16bit ? int((w >> 5) & 63) * 4 : int((w >> 5) & 31) * 8;
    const int blue = int(w & 31) * 8;
    EXPECT_EQ(px[2], red) << std::hex << w;
    EXPECT_EQ(px[1], green) << std::hex << w;
    EXPECT_EQ(px[0], blue) << std::hex << w;
  }
  // The documented example.
  TBitmap bmp(1, 1);
  bmp.SetPixelFormat(pf16bit);
  std::memset(bmp.ScanLine(0), 0xFF, 2);
  TIEBitmap b;
  IECopyFromTBitmap(b, bmp);
  const auto* px = static_cast<const uint8_t*>(b.GetScanline(0));
  EXPECT_EQ(px[2], 248);
  EXPECT_EQ(px[1], 252);
  EXPECT_EQ(px[0], 248);
}

TEST(CopyFromTBitmap, FourBitNibblesAndColouredOneBitBecomePaletteIndices) {
  TBitmap four(5, 2);
  four.SetPixelFormat(pf4bit);
  std::vector<win::RGBQUAD> table(16);
  for (int i = 0; i < 16; ++i) table[size_t(i)] = win::RGBQUAD{uint8_t(i * 16), uint8_t(i), uint8_t(255 - i), 0};
  four.SetColorTable(table);
  for (int32_t y = 0; y < 2; ++y) {
    auto* row = static_cast<uint8_t*>(four.ScanLine(y));
    row[0] = uint8_t(0x1F + y);
    row[1] = 0xA3;
    row[2] = 0x70;
  }
  TIEBitmap b;
  IECopyFromTBitmap(b, four);
  ASSERT_EQ(b.GetPixelFormat(), ie8p);
  for (int32_t y = 0; y < 2; ++y) {
    const auto* row = static_cast<const uint8_t*>(b.GetScanline(y));
    const uint8_t first = uint8_t(0x1F + y);
    const uint8_t want[5] = {uint8_t(first >> 4), uint8_t(first & 15), 0xA, 0x3, 0x7};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(row[x], want[x]) << x << "," << y;
  }
  EXPECT_EQ(b.GetPaletteColor(5).b, 80);
  EXPECT_EQ(b.GetPaletteColor(5).g, 5);
  EXPECT_EQ(b.GetPaletteColor(5).r, 250);

  TBitmap one(10, 1);
  one.SetPixelFormat(pf1bit);
  one.SetColorTable({win::RGBQUAD{10, 20, 30, 0}, win::RGBQUAD{200, 100, 50, 0}});
  one.SetMonochrome(false);
  if (one.Monochrome()) GTEST_SKIP() << "the platform bitmap keeps a coloured 1-bit table monochrome";
  auto* row = static_cast<uint8_t*>(one.ScanLine(0));
  row[0] = 0xA5;
  row[1] = 0x40;
  TIEBitmap c;
  IECopyFromTBitmap(c, one);
  ASSERT_EQ(c.GetPixelFormat(), ie8p);
  const auto* idx = static_cast<const uint8_t*>(c.GetScanline(0));
  for (int x = 0; x < 10; ++x) EXPECT_EQ(idx[x], (row[x / 8] >> (7 - x % 8)) & 1) << x;
  EXPECT_EQ(c.GetPaletteColor(1).r, 50);
  EXPECT_EQ(c.GetPaletteColor(0).b, 10);
}

TEST(CopyFromTBitmap, AssignCopiesPlatformBitmaps) {
  TBitmap bmp(4, 3);
  bmp.SetPixelFormat(pf24bit);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t i = 0; i < 12; ++i) static_cast<uint8_t*>(bmp.ScanLine(y))[i] = Pattern(i, y, 2);
  TIEBitmap b;
  b.Assign(&bmp);
  ASSERT_EQ(b.GetPixelFormat(), ie24RGB);
  for (int32_t y = 0; y < 3; ++y) EXPECT_EQ(std::memcmp(b.GetScanline(y), bmp.ScanLine(y), 12), 0);
}

TEST(CopyFromTBitmap, IntoPlatformLocationSwitchesOtherFormatsTo24Bit) {
  TBitmap src(3, 2);
  src.SetPixelFormat(pf8bit);
  std::vector<win::RGBQUAD> table(256);
  for (int i = 0; i < 256; ++i) table[size_t(i)] = win::RGBQUAD{uint8_t(i), uint8_t(i / 2), uint8_t(255 - i), 0};
  src.SetColorTable(table);
  static_cast<uint8_t*>(src.ScanLine(1))[2] = 40;

  TBitmap target(1, 1);
  target.SetPixelFormat(pf24bit);
  TIEBitmap b;
  b.EncapsulateTBitmap(&target, true);
  ASSERT_EQ(b.Location(), ieTBitmap);
  IECopyFromTBitmap(b, src);
  EXPECT_EQ(src.PixelFormat(), pf24bit);
  EXPECT_EQ(b.GetPixelFormat(), ie24RGB);
  ASSERT_EQ(b.GetWidth(), 3);
  ASSERT_EQ(b.GetHeight(), 2);
  const auto* px = static_cast<const uint8_t*>(b.GetScanline(1)) + 6;
  EXPECT_EQ(px[0], 40);
  EXPECT_EQ(px[1], 20);
  EXPECT_EQ(px[2], 215);
}

TEST(EncapsulateTBitmap, TwentyFourBitBitmapIsUsedInPlace) {
  TBitmap bmp(4, 4);
  bmp.SetPixelFormat(pf24bit);
  {
    TIEBitmap b;
    b.EncapsulateTBitmap(&bmp, true);
    EXPECT_EQ(b.GetPixelFormat(), ie24RGB);
    EXPECT_EQ(b.Location(), ieTBitmap);
  }
  EXPECT_EQ(bmp.Width(), 4);
}

// ---- canvas output ----

// A white 24-bit canvas to draw on.
struct Surface {
  TBitmap bmp;
  explicit Surface(int32_t w, int32_t h) : bmp(w, h) {
    bmp.SetPixelFormat(pf24bit);
    for (int32_t y = 0; y < h; ++y) std::memset(bmp.ScanLine(y), 0xFF, size_t(w) * 3);
  }
  TRGB At(int32_t x, int32_t y) {
    const auto* p = static_cast<const uint8_t*>(bmp.ScanLine(y)) + 3 * x;
    return TRGB{p[0], p[1], p[2]};
  }
};

std::unique_ptr<TIEBitmap> ColourImage(int32_t w, int32_t h) {
  auto b = TIEBitmap::CreateSized(w, h, ie24RGB);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      for (int32_t c = 0; c < 3; ++c) static_cast<uint8_t*>(b->GetScanline(y))[3 * x + c] = Pattern(x, y, c);
  return b;
}

struct StretchCase {
  int32_t x, y, w, h;  // destination; a whole multiple of the 3 x 2 image, so every nearest-pixel rule agrees
};

class RenderToCanvas : public ::testing::TestWithParam<StretchCase> {};

TEST_P(RenderToCanvas, NearestPixelStretchAtOffset) {
  const StretchCase c = GetParam();
  auto img = ColourImage(3, 2);
  Surface s(20, 16);
  IERenderToCanvas(*img, *s.bmp.Canvas(), c.x, c.y, c.w, c.h, rfNone, 1.0);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 20; ++x) {
      const TRGB got = s.At(x, y);
      const bool inside = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
      TRGB want{255, 255, 255};
      if (inside) {
        const int32_t sx = (x - c.x) * 3 / c.w, sy = (y - c.y) * 2 / c.h;
        want = TRGB{Pattern(sx, sy, 0), Pattern(sx, sy, 1), Pattern(sx, sy, 2)};
      }
      ASSERT_EQ(got.b, want.b) << x << "," << y;
      ASSERT_EQ(got.g, want.g) << x << "," << y;
      ASSERT_EQ(got.r, want.r) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Placements, RenderToCanvas,
                         ::testing::Values(StretchCase{0, 0, 3, 2}, StretchCase{5, 4, 3, 2}, StretchCase{2, 3, 9, 8},
                                           StretchCase{1, 1, 6, 2}, StretchCase{4, 0, 15, 14}));

TEST(RenderToCanvasGray, PaletteFormatsDrawTheirColours) {
  auto gray = TIEBitmap::CreateSized(4, 1, ie8g);
  const uint8_t g[4] = {0, 77, 200, 255};
  std::memcpy(gray->GetScanline(0), g, 4);
  auto mono = TIEBitmap::CreateSized(4, 1, ie1g);
  static_cast<uint8_t*>(mono->GetScanline(0))[0] = 0x50;  // pixels 1 and 3 white
  Surface s(4, 2);
  IERenderToCanvas(*gray, *s.bmp.Canvas(), 0, 0, 4, 1, rfNone, 1.0);
  IERenderToCanvas(*mono, *s.bmp.Canvas(), 0, 1, 4, 1, rfNone, 1.0);
  for (int32_t x = 0; x < 4; ++x) {
    EXPECT_EQ(s.At(x, 0).r, g[x]);
    EXPECT_EQ(s.At(x, 0).b, g[x]);
    EXPECT_EQ(s.At(x, 1).g, (x % 2) ? 255 : 0);
  }
}

TEST(RenderToCanvasGamma, EveryChannelGoesThroughTheTable) {
  auto img = ColourImage(4, 3);
  Surface s(4, 3);
  const double gamma = 2.2;
  IERenderToCanvas(*img, *s.bmp.Canvas(), 0, 0, 4, 3, rfNone, gamma);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) {
      const TRGB got = s.At(x, y);
      const uint8_t ch[3] = {got.b, got.g, got.r};
      for (int32_t c = 0; c < 3; ++c) {
        const double v = std::pow(Pattern(x, y, c) / 255.0, 1 / gamma) * 255;
        EXPECT_NEAR(ch[c], v, 0.5) << x << "," << y << "," << c;
      }
    }
  // Halves round to even.
  const std::vector<uint8_t> t = IEGammaTable(1.0);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t[size_t(i)], i);
}

TEST(RenderToCanvasEdge, AnyZeroSizeDrawsNothing) {
  auto img = ColourImage(3, 2);
  TIEBitmap empty;
  const StretchCase cases[] = {{0, 0, 0, 4}, {0, 0, 4, 0}};
  for (const StretchCase& c : cases) {
    Surface s(6, 6);
    IERenderToCanvas(*img, *s.bmp.Canvas(), c.x, c.y, c.w, c.h, rfNone, 1.0);
    for (int32_t y = 0; y < 6; ++y)
      for (int32_t x = 0; x < 6; ++x) ASSERT_EQ(s.At(x, y).g, 255);
  }
  Surface s(6, 6);
  IERenderToCanvas(empty, *s.bmp.Canvas(), 0, 0, 6, 6, rfNone, 1.0);
  EXPECT_EQ(s.At(0, 0).r, 255);
}

TEST(FilteredRender, ResampledOnceAndSentInStripsThatCoverEveryRow) {
  struct Case {
    int64_t threshold;  // 5-pixel rows are 16 bytes: threshold / 64 rows per strip
    int32_t h;
    double gamma;
  };
  const Case cases[] = {{128, 5, 1.0}, {128, 7, 1.0}, {64, 3, 1.0}, {1 << 20, 6, 1.0}, {192, 7, 0.5}};
  for (const Case& c : cases) {
    auto img = ColourImage(3, 2);
    img->SetMemoryThreshold(c.threshold);
    // What the strips must show, whatever their height: one resampling of the whole image.
    auto whole = TIEBitmap::CreateSized(5, c.h, ie24RGB);
    _ResampleEx(*img, *whole, nullptr, {}, rfTriangle);
    Surface s(12, 12);
    IERenderToCanvas(*img, *s.bmp.Canvas(), 2, 3, 5, c.h, rfTriangle, c.gamma);
    for (int32_t y = 0; y < 12; ++y)
      for (int32_t x = 0; x < 12; ++x) {
        const bool inside = x >= 2 && x < 7 && y >= 3 && y < 3 + c.h;
        uint8_t want[3] = {255, 255, 255};
        for (int32_t ch = 0; ch < 3 && inside; ++ch) {
          const double v = static_cast<const uint8_t*>(whole->GetScanline(y - 3))[3 * (x - 2) + ch];
          want[ch] = c.gamma == 1.0 ? uint8_t(v) : uint8_t(std::nearbyint(std::pow(v / 255, 1 / c.gamma) * 255));
        }
        const TRGB got = s.At(x, y);
        ASSERT_EQ(got.b, want[0]) << x << "," << y << " h=" << c.h;
        ASSERT_EQ(got.g, want[1]) << x << "," << y << " h=" << c.h;
        ASSERT_EQ(got.r, want[2]) << x << "," << y << " h=" << c.h;
      }
  }
}

TEST(PrintPict, CopiesTheRectangleOneToOne) {
  auto img = ColourImage(6, 5);
  Surface s(10, 10);
  IEPrintPict(*s.bmp.Canvas(), 4, 3, *img, 2, 1, 3, 4);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) {
      const bool inside = x >= 4 && x < 7 && y >= 3 && y < 7;
      const TRGB want = inside ? TRGB{Pattern(x - 2, y - 2, 0), Pattern(x - 2, y - 2, 1), Pattern(x - 2, y - 2, 2)}
                               : TRGB{255, 255, 255};
      ASSERT_EQ(s.At(x, y).r, want.r) << x << "," << y;
      ASSERT_EQ(s.At(x, y).b, want.b) << x << "," << y;
    }
}

TEST(PackedDIB, HeaderColourTableAndBottomUpRows) {
  auto img = TIEBitmap::CreateSized(10, 3, ie1g);
  for (int32_t y = 0; y < 3; ++y) {
    static_cast<uint8_t*>(img->GetScanline(y))[0] = uint8_t(0x0F << y);
    static_cast<uint8_t*>(img->GetScanline(y))[1] = 0xC0;
  }
  const std::vector<uint8_t> dib = IEBitmapToPackedDIB(*img, 3, 0, 7, 3, 200, 200);
  ASSERT_EQ(dib.size(), 40u + 8 + 4 * 3);
  EXPECT_EQ(dib[4], 7);
  EXPECT_EQ(dib[8], 3);
  EXPECT_EQ(dib[14], 1);
  EXPECT_EQ(dib[24] | dib[25] << 8, int(std::lround(200 / 0.0254)));
  EXPECT_EQ(dib[44], 255);  // entry 1 white
  for (int32_t y = 0; y < 3; ++y) {
    // Image pixels 3..9 of row y, shifted to start at bit 7.
    const uint32_t bits = (uint32_t(uint8_t(0x0F << y)) << 8 | 0xC0) << 3;
    const uint8_t* row = dib.data() + 48 + 4 * (2 - y);
    EXPECT_EQ(row[0], uint8_t(bits >> 8)) << y;
    EXPECT_EQ(row[1], 0) << y;  // padding stays clear
  }
}

TEST(StripHeight, BoundedByQuarterThresholdAnd40MiB) {
  // w = 1000: 3000-byte rows; 100 MiB / 4 / 3000 = 8738.
  EXPECT_EQ(IECanvasStripHeight(1000, 20000, 100LL << 20), 8738);
  EXPECT_EQ(IECanvasStripHeight(1000, 500, 100LL << 20), 500);
  // A huge threshold: 40 MiB / 3000 = 13981 rows.
  EXPECT_EQ(IECanvasStripHeight(1000, 100000, 1LL << 40), 41943040 / 3000);
  EXPECT_EQ(IECanvasStripHeight(1000, 100000, 16), 1);
}


TEST(MaskExchange, NullMaskGivesAnOpaqueAll255Image) {
  auto b = TIEBitmap::CreateSized(5, 3, ie8g);
  b->SetFullyOpaque(false);
  IECopyFromTIEMask(*b, nullptr);
  EXPECT_TRUE(b->FullyOpaque());
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) ASSERT_EQ(static_cast<const uint8_t*>(b->GetScanline(y))[x], 255);
}

TEST(MaskExchange, GrayAndBilevelRoundTripWithTheFullFlag) {
  struct Case {
    TIEPixelFormat format;
    int32_t bpp;
    bool opaque;
  };
  for (const Case& c : {Case{ie1g, 1, true}, Case{ie8g, 8, false}, Case{ie8g, 8, true}}) {
    auto src = TIEBitmap::CreateSized(11, 4, c.format);
    FillPattern(*src);
    if (c.format == ie8g)
      for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 11; ++x) static_cast<uint8_t*>(src->GetScanline(y))[x] = Pattern(x, y, 4);
    src->SetFullyOpaque(c.opaque);
    TIEMask mask;
    IECopyBitmapToMask(*src, mask);
    ASSERT_EQ(mask.BitsPerPixel(), c.bpp);
    ASSERT_EQ(mask.Width(), 11);
    EXPECT_EQ(mask.Full(), c.opaque);
    TIEBitmap back;
    IECopyFromTIEMask(back, &mask);
    ASSERT_EQ(back.GetPixelFormat(), c.format);
    EXPECT_EQ(back.FullyOpaque(), c.opaque);
    const int32_t n = PixelBytes(c.format, 11);
    for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(std::memcmp(back.GetScanline(y), src->GetScanline(y), size_t(n)), 0);
  }
}

TEST(MaskExchange, ColourImageBecomesQuarterGray) {
  auto src = TIEBitmap::CreateSized(4, 2, ie24RGB);
  const uint8_t px[4][3] = {{255, 255, 255}, {0, 0, 0}, {10, 200, 30}, {255, 0, 0}};  // b, g, r
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 4; ++x) std::memcpy(static_cast<uint8_t*>(src->GetScanline(y)) + 3 * x, px[x], 3);
  TIEMask mask;
  IECopyBitmapToMask(*src, mask);
  ASSERT_EQ(mask.BitsPerPixel(), 8);
  for (int32_t x = 0; x < 4; ++x) {
    const int gray = (px[x][2] * 21 + px[x][1] * 71 + px[x][0] * 8) / 100;
    EXPECT_EQ(mask.GetScanline(1)[x], gray >> 2) << x;
  }
  EXPECT_EQ(mask.GetScanline(0)[0], 63);
}

TEST(IEVclPixelFormat, BitsAndImageFormats) {
  struct Case {
    TPixelFormat pf;
    int32_t bits;
    TIEPixelFormat format;
  };
  const Case cases[] = {
      {pfDevice, 0, ie24RGB}, {pf1bit, 1, ie1g},     {pf4bit, 4, ie8p},     {pf8bit, 8, ie8p},
      {pf15bit, 15, ie24RGB}, {pf16bit, 16, ie24RGB}, {pf24bit, 24, ie24RGB}, {pf32bit, 32, ie24RGB},
      {pfCustom, 0, ie24RGB},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IEVclPixelFormatBitCount(c.pf), c.bits) << int(c.pf);
    EXPECT_EQ(IEVclPixelFormatToIE(c.pf), c.format) << int(c.pf);
  }
  EXPECT_EQ(IEVclRowLen(3, pf24bit), 12);
  EXPECT_EQ(IEVclRowLen(5, pf4bit), 4);
}

}  // namespace
