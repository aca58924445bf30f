#include "imaging/core/iepixels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iecmyk.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/ielab.h"

namespace {

std::unique_ptr<TIEBitmap> Make(int32_t w, int32_t h, TIEPixelFormat f) {
  auto b = TIEBitmap::CreateSized(w, h, f);
  EXPECT_EQ(b->GetWidth(), w);
  return b;
}

// Each pixel of an ie8g image gets a value from its position, so moved pixels can be traced.
uint8_t Mark(int32_t x, int32_t y) { return uint8_t(1 + x + 16 * y); }
void MarkAll(TIEBitmap& b) {
  for (int32_t y = 0; y < b.GetHeight(); ++y)
    for (int32_t x = 0; x < b.GetWidth(); ++x) b.SetPixelByte(x, y, Mark(x, y));
}

TEST(Pixels, FillWithAColourValue) {
  auto b = Make(5, 3, ie24RGB);
  b->Fill(255);  // 0x0000FF: red in the platform's order
  EXPECT_EQ(b->GetPixel24(4, 2), (TRGB{0, 0, 255}));
  EXPECT_FALSE(b->FullyOpaque());
  b->Fill(16777215);
  EXPECT_EQ(b->GetPixel24(0, 0), (TRGB{255, 255, 255}));
  EXPECT_TRUE(b->FullyOpaque());
}

TEST(Pixels, FillOfEveryFormatWritesTheFormatsOwnValue) {
  const double blue = 0xFF0000;  // 0x00BBGGRR
  struct Case {
    TIEPixelFormat format;
    double value;
    bool opaque;
  };
  const Case cases[] = {{ie1g, 1, true},      {ie8g, 255, true},      {ie8g, 7, false},     {ie16g, 65535, true},
                        {ie16g, 300, false},   {ie32f, 1.0, true},     {ie32f, 0.5, false},  {ieCMYK, blue, false},
                        {ieRGB48, blue, false}, {ieCIELab, blue, false}, {ie24RGB, blue, false}};
  for (const Case& c : cases) {
    auto b = Make(9, 2, c.format);
    b->Fill(c.value);
    EXPECT_EQ(b->FullyOpaque(), c.opaque) << IEPixelFormatInfo(c.format).Name;
    switch (c.format) {
      case ie1g:
        EXPECT_EQ(static_cast<uint8_t*>(b->GetScanline(1))[1], 255);
        break;
      case ie8g:
        EXPECT_EQ(b->GetPixelByte(8, 1), uint8_t(c.value));
        break;
      case ie16g:
        EXPECT_EQ(b->GetPixelWord(8, 1), uint16_t(c.value));
        break;
      case ie32f:
        EXPECT_EQ(b->GetPixelFloat(8, 1), float(c.value));
        break;
      case ieCMYK:
        EXPECT_EQ(b->GetPixelDWord(8, 1), IERGBToCMYK(0x0000FF));
        break;
      case ieRGB48:
        EXPECT_EQ(b->GetPixel48(8, 1), (TRGB48{0, 0, 65535}));
        break;
      case ieCIELab: {
        TCIELab want;
        IEColorToCIELab(want, 0x0000FF);
        TCIELab got;
        std::memcpy(&got, static_cast<uint8_t*>(b->GetScanline(1)) + 24, 3);
        EXPECT_EQ(got, want);
        break;
      }
      default:
        EXPECT_EQ(b->GetPixel24(8, 1), (TRGB{255, 0, 0}));
        break;
    }
  }
}

TEST(Pixels, FloatFillKeepsTheValueButFillRectTruncates) {
  auto b = Make(4, 4, ie32f);
  b->Fill(0.5);
  EXPECT_FLOAT_EQ(b->GetPixelFloat(3, 3), 0.5f);
  b->FillRect(0, 0, 1, 1, 0.5);
  EXPECT_FLOAT_EQ(b->GetPixelFloat(1, 1), 0.0f);
  EXPECT_FLOAT_EQ(b->GetPixelFloat(2, 2), 0.5f);
}

TEST(Pixels, Fill32RGBLeavesTheFourthByte) {
  auto b = Make(3, 2, ie32RGB);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x) b->SetPixelDWord(x, y, 0x7F000000u | uint32_t(x + y));
  b->Fill(0x00332211);  // red 0x11, green 0x22, blue 0x33
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(b->GetPixelDWord(x, y), 0x7F112233u);
}

TEST(Pixels, FillRectIsClippedToTheImage) {
  auto b = Make(20, 10, ie8g);
  b->Fill(0);
  b->FillRect(-10, -10, 1000, 1000, 9);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 20; ++x) ASSERT_EQ(b->GetPixelByte(x, y), 9);
  // Crossed corners fill nothing.
  b->FillRect(5, 5, 4, 4, 1);
  EXPECT_EQ(b->GetPixelByte(4, 4), 9);
  // One-bit rectangles touch only their bits.
  auto bits = Make(20, 2, ie1g);
  bits->Fill(0);
  bits->FillRect(3, 0, 10, 0, 1);
  const auto* row = static_cast<uint8_t*>(bits->GetScanline(0));
  EXPECT_EQ(row[0], 0x1F);
  EXPECT_EQ(row[1], 0xE0);
  EXPECT_EQ(static_cast<uint8_t*>(bits->GetScanline(1))[0], 0);
}

TEST(Pixels, CopyRectToANegativeDestinationSkipsSourceColumns) {
  auto src = Make(10, 10, ie8g);
  MarkAll(*src);
  auto dst = Make(10, 10, ie8g);
  dst->Fill(0);
  src->CopyRectTo(*dst, 0, 0, -3, 0, 10, 10);
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 0; x < 7; ++x) ASSERT_EQ(dst->GetPixelByte(x, y), Mark(x + 3, y));
    for (int32_t x = 7; x < 10; ++x) ASSERT_EQ(dst->GetPixelByte(x, y), 0);
  }
}

TEST(Pixels, CopyRectToClipsAtBothBuffers) {
  struct Case {
    int32_t sx, sy, dx, dy, w, h;
    int32_t copiedW, copiedH;  // expected extent at the clipped destination origin
  };
  const Case cases[] = {
      {0, 0, 6, 0, 10, 3, 2, 3},          // runs off the destination's right edge
      {5, 0, 0, 0, 100, 100, 3, 4},       // runs off the source
      {0, 0, 0, -2, 4, 4, 4, 2},          // negative y skips source rows
      {0, 0, 0, 0, 0, 3, 0, 0},           // nothing to copy
      {2000000000, 0, 0, 0, 5, 5, 1, 4},  // a far-off source start is clamped to the last column
  };
  for (const Case& c : cases) {
    auto src = Make(8, 4, ie8g);
    MarkAll(*src);
    auto dst = Make(8, 5, ie8g);
    dst->Fill(0);
    src->CopyRectTo(*dst, c.sx, c.sy, c.dx, c.dy, c.w, c.h);
    int32_t copied = 0;
    for (int32_t y = 0; y < 5; ++y)
      for (int32_t x = 0; x < 8; ++x) copied += dst->GetPixelByte(x, y) != 0;
    EXPECT_EQ(copied, c.copiedW * c.copiedH) << c.sx << " " << c.dx << " " << c.dy;
  }
}

TEST(Pixels, CopyRectToCopiesOnlyMatchingFormats) {
  auto a = Make(4, 4, ie32RGB);
  a->Fill(0xFFFFFF);
  auto b = Make(4, 4, ie32RGB);
  b->Fill(0);
  a->CopyRectTo(*b, 0, 0, 0, 0, 4, 4);
  EXPECT_EQ(b->GetPixelDWord(1, 1) & 0xFFFFFF, 0u);
  auto gray = Make(4, 4, ie8g);
  gray->Fill(3);
  auto rgb = Make(4, 4, ie24RGB);
  rgb->Fill(0);
  gray->CopyRectTo(*rgb, 0, 0, 0, 0, 4, 4);
  EXPECT_EQ(rgb->GetPixel24(1, 1), (TRGB{0, 0, 0}));
  // One bit into 24 bits: white or black.
  auto bits = Make(4, 4, ie1g);
  bits->Fill(0);
  bits->FillRect(1, 1, 1, 1, 1);
  bits->CopyRectTo(*rgb, 0, 0, 0, 0, 4, 4);
  EXPECT_EQ(rgb->GetPixel24(1, 1), (TRGB{255, 255, 255}));
  EXPECT_EQ(rgb->GetPixel24(2, 1), (TRGB{0, 0, 0}));
}

TEST(Pixels, EmptyBuffersAreLeftAlone) {
  TIEBitmap empty;
  auto b = Make(4, 4, ie8g);
  b->Fill(5);
  empty.CopyRectTo(*b, 0, 0, 0, 0, 4, 4);
  b->CopyRectTo(empty, 0, 0, 0, 0, 4, 4);
  empty.Fill(1);
  empty.FillRect(0, 0, 3, 3, 1);
  empty.MoveRect(0, 0, 3, 3, 1, 1, 0, true);
  EXPECT_EQ(empty.GetPixelByte(0, 0), 0);
  EXPECT_EQ(IEGetPixelRGB(empty, 0, 0), (TRGB{}));
  EXPECT_TRUE(empty.IsAllZero());
  EXPECT_EQ(b->GetPixelByte(3, 3), 5);
}

TEST(Pixels, TypedAccessOutsideTheImageReadsZeroAndWritesNothing) {
  auto b = Make(3, 3, ie24RGB);
  b->Fill(0xFFFFFF);
  b->SetPixel24(3, 0, TRGB{1, 2, 3});
  b->SetPixel24(-1, 0, TRGB{1, 2, 3});
  EXPECT_EQ(b->GetPixel24(0, 3), (TRGB{}));
  EXPECT_EQ(b->GetPixel24Address(5, 5), nullptr);
  EXPECT_EQ(b->GetPixel24(2, 2), (TRGB{255, 255, 255}));
}

TEST(Pixels, PixelAsRGBForEveryFormat) {
  auto p = Make(2, 1, ie8p);
  p->SetPaletteColor(3, TRGB{1, 2, 3});
  p->SetPixelByte(0, 0, 3);
  EXPECT_EQ(IEGetPixelRGB(*p, 0, 0), (TRGB{1, 2, 3}));
  auto g16 = Make(1, 1, ie16g);
  g16->SetPixelWord(0, 0, 0xAB12);
  EXPECT_EQ(IEGetPixelRGB(*g16, 0, 0), (TRGB{0xAB, 0xAB, 0xAB}));
  auto f = Make(1, 1, ie32f);
  f->SetPixelFloat(0, 0, 0.5f);
  EXPECT_EQ(IEGetPixelRGB(*f, 0, 0), (TRGB{127, 127, 127}));
  auto w = Make(1, 1, ieRGB48);
  w->SetPixel48(0, 0, TRGB48{0x1100, 0x2200, 0x33FF});
  EXPECT_EQ(IEGetPixelRGB(*w, 0, 0), (TRGB{0x33, 0x22, 0x11}));
  auto c = Make(1, 1, ieCMYK);
  c->SetPixelDWord(0, 0, 0xFFFFFFFFu);
  EXPECT_EQ(IEGetPixelRGB(*c, 0, 0), (TRGB{255, 255, 255}));
  auto x = Make(1, 1, ie32RGB);
  x->SetPixelDWord(0, 0, 0x00ABCDEF);
  EXPECT_EQ(IEGetPixelRGB(*x, 0, 0), (TRGB{0xEF, 0xCD, 0xAB}));
}

TEST(Pixels, MoveRectFillsTheVacatedArea) {
  auto b = Make(6, 3, ie8g);
  MarkAll(*b);
  b->MoveRect(0, 0, 1, 2, 3, 0, 0, true);
  for (int32_t y = 0; y < 3; ++y) {
    EXPECT_EQ(b->GetPixelByte(0, y), 0);
    EXPECT_EQ(b->GetPixelByte(1, y), 0);
    EXPECT_EQ(b->GetPixelByte(2, y), Mark(2, y));
    EXPECT_EQ(b->GetPixelByte(3, y), Mark(0, y));
    EXPECT_EQ(b->GetPixelByte(4, y), Mark(1, y));
  }
}

TEST(Pixels, ResizeAlignsTheOldPixels) {
  struct Case {
    int32_t w, h, W, H, ha, va;
    int32_t offsetX, offsetY;  // where old pixel (0, 0) lands (negative: cut off)
  };
  const Case cases[] = {
      {4, 4, 8, 4, 1, 0, 2, 0},   // centred: old columns at 2..5
      {8, 4, 4, 4, 2, 0, -4, 0},  // right: old columns 4..7 kept
      {4, 4, 4, 7, 0, 2, 0, 3},   // bottom
      {6, 6, 4, 4, 1, 1, -1, -1}, // centred shrink
      {4, 4, 6, 6, 0, 0, 0, 0},   // top-left grow
  };
  for (const Case& c : cases) {
    auto b = Make(c.w, c.h, ie8g);
    MarkAll(*b);
    b->GetAlphaChannel()->Fill(255);
    b->Resize(c.W, c.H, 0, 7, c.ha, c.va);
    ASSERT_EQ(b->GetWidth(), c.W);
    ASSERT_EQ(b->GetHeight(), c.H);
    for (int32_t y = 0; y < c.H; ++y)
      for (int32_t x = 0; x < c.W; ++x) {
        const int32_t ox = x - c.offsetX, oy = y - c.offsetY;
        const bool old = ox >= 0 && oy >= 0 && ox < c.w && oy < c.h;
        EXPECT_EQ(b->GetPixelByte(x, y), old ? Mark(ox, oy) : 0) << x << "," << y << " case " << c.W << "x" << c.H;
        EXPECT_EQ(b->GetAlpha(x, y), old ? 255 : 7) << x << "," << y;
      }
  }
}

TEST(Pixels, GrayTestsAndOpacity) {
  auto g = Make(2, 2, ie8g);
  EXPECT_TRUE(g->IsGrayScale());  // without reading the uninitialised pixels
  auto rgb = Make(2, 2, ie24RGB);
  rgb->Fill(0x808080);
  EXPECT_TRUE(rgb->IsGrayScale());
  rgb->SetPixel24(1, 1, TRGB{1, 2, 1});
  EXPECT_FALSE(rgb->IsGrayScale());
  auto p = Make(1, 1, ie8p);
  for (int i = 0; i < 256; ++i) p->SetPaletteColor(i, TRGB{uint8_t(i), uint8_t(i), uint8_t(i)});
  EXPECT_TRUE(p->IsGrayScale());
  p->SetPaletteColor(255, TRGB{0, 0, 1});
  EXPECT_FALSE(p->IsGrayScale());

  auto a = Make(3, 3, ie8g);
  a->Fill(255);
  a->SetFullyOpaque(false);
  a->UpdateAlphaFull();
  EXPECT_TRUE(a->FullyOpaque());
  a->SetPixelByte(2, 2, 254);
  EXPECT_FALSE(a->FullyOpaque());
  a->Fill(0);
  EXPECT_TRUE(a->IsAllZero());
}

TEST(Pixels, AlphaValues) {
  auto b = Make(2, 2, ie24RGB);
  b->SetFullyOpaque(true);
  b->GetAlphaChannel();
  b->SetAlphaValue(1, 1, 255);
  EXPECT_TRUE(b->FullyOpaque());
  EXPECT_TRUE(b->GetAlphaChannel()->FullyOpaque());
  b->SetAlphaValue(1, 1, 10);
  EXPECT_EQ(b->GetAlpha(1, 1), 10);
  EXPECT_FALSE(b->FullyOpaque());
  EXPECT_FALSE(b->GetAlphaChannel()->FullyOpaque());
  // Merging keeps the larger alpha value.
  auto d = Make(2, 2, ie24RGB);
  d->GetAlphaChannel()->Fill(20);
  b->MergeAlphaRectTo(*d, 0, 0, 0, 0, 2, 2);
  EXPECT_EQ(d->GetAlpha(1, 1), 20);
  EXPECT_EQ(d->GetAlpha(0, 0), 255);
}

}  // namespace
