// Bitmaps and DIBs: row layout, orientation, format conversion, colour tables.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "tests/support/surface_png.h"

using namespace win;
using testsupport::TestCanvas;

namespace {

HBITMAP MakeDib(int w, int h, int bpp, void** bits, const std::vector<RGBQUAD>& table = {}) {
  BITMAPINFO256 bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biBitCount = WORD(bpp);
  bi.bmiHeader.biClrUsed = DWORD(table.size());
  std::copy(table.begin(), table.end(), bi.bmiColors);
  return CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

TEST(Dib, RowsArePaddedToFourBytes) {
  for (int bpp : {1, 4, 8, 16, 24, 32})
    for (int w = 1; w <= 33; ++w) {
      void* bits = nullptr;
      HBITMAP b = MakeDib(w, 3, bpp, &bits);
      ASSERT_NE(b, nullptr);
      DIBSECTION ds{};
      ASSERT_EQ(GetObject(b, sizeof ds, &ds), int(sizeof ds));
      int want = (w * bpp + 31) / 32 * 4;
      EXPECT_EQ(ds.dsBm.bmWidthBytes, want) << bpp << " bpp, width " << w;
      EXPECT_EQ(ds.dsBmih.biSizeImage, DWORD(want * 3));
      EXPECT_EQ(ds.dsBm.bmBits, bits);
      EXPECT_EQ(ds.dsBm.bmBitsPixel, bpp);
      BITMAP bm{};
      EXPECT_EQ(GetObject(b, sizeof bm, &bm), int(sizeof bm));
      EXPECT_EQ(bm.bmWidth, w);
      DeleteObject(b);
    }
  // Device bitmaps pad their rows to two bytes.
  HBITMAP ddb = CreateBitmap(9, 2, 1, 1, nullptr);
  BITMAP bm{};
  GetObject(ddb, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidthBytes, 2);
  EXPECT_EQ(bm.bmBits, nullptr);
  DeleteObject(ddb);
}

TEST(Dib, BottomUpStoresTheBottomRowFirstTopDownTheTopRow) {
  for (int sign : {1, -1}) {
    BITMAPINFO256 bi{};
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = 3 * sign;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    SetPixel(dc, 0, 0, RGB(1, 2, 3));
    auto* px = static_cast<uint32_t*>(bits);
    EXPECT_EQ(px[sign > 0 ? 2 * 2 : 0], 0x010203u) << sign;
    SelectObject(dc, old);
    DeleteObject(b);
    DeleteDC(dc);
  }
}

TEST(Dib, SetDIBitsAndGetDIBitsRoundTripEveryFormat) {
  // A 5 x 3 picture in 16 colours so that every format can hold it exactly.
  const std::vector<RGBQUAD> table = {{0, 0, 0, 0},     {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
                                      {128, 0, 0, 0},   {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
                                      {128, 128, 128, 0}, {0, 0, 255, 0}, {0, 255, 0, 0},   {0, 255, 255, 0},
                                      {255, 0, 0, 0},   {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};
  auto colourAt = [&](int x, int y) { return table[size_t((x * 3 + y * 5) % 16)]; };
  TestCanvas ref(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      RGBQUAD q = colourAt(x, y);
      ref.At(x, y) = uint32_t(q.rgbRed) << 16 | uint32_t(q.rgbGreen) << 8 | q.rgbBlue;
    }
  for (int bpp : {4, 8, 24, 32}) {
    BITMAPINFO256 bi{};
    bi.bmiHeader.biWidth = 5;
    bi.bmiHeader.biHeight = 3;
    bi.bmiHeader.biBitCount = WORD(bpp);
    if (bpp <= 8) {
      bi.bmiHeader.biClrUsed = 16;
      std::copy(table.begin(), table.end(), bi.bmiColors);
    }
    std::vector<uint8_t> bits(size_t(DibRowBytes(5, bpp)) * 3, 0xEE);
    ASSERT_EQ(GetDIBits(ref.Dc(), ref.Bitmap(), 0, 3, bits.data(), bi.get(), DIB_RGB_COLORS), 3) << bpp;
    // Bottom-up: the first stored row is picture row 2.
    if (bpp == 24) {
      RGBQUAD q = colourAt(0, 2);
      EXPECT_EQ(bits[0], q.rgbBlue);
      EXPECT_EQ(bits[1], q.rgbGreen);
      EXPECT_EQ(bits[2], q.rgbRed);
    }
    TestCanvas back(5, 3, 0);
    ASSERT_EQ(SetDIBits(back.Dc(), back.Bitmap(), 0, 3, bits.data(), bi.get(), DIB_RGB_COLORS), 3) << bpp;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(back.Rgb(x, y), ref.Rgb(x, y)) << bpp << " bpp at " << x << "," << y;
  }
}

TEST(Dib, SixteenBitFormatsUnpackTheirChannels) {
  struct Case {
    DWORD compression;
    uint32_t masks[3];
    uint16_t pixel;
    COLORREF want;
  } cases[] = {
      {BI_RGB, {0, 0, 0}, 0x7FFF, RGB(255, 255, 255)},
      {BI_RGB, {0, 0, 0}, 0x7C00, RGB(255, 0, 0)},
      {BI_RGB, {0, 0, 0}, 0x0010, RGB(0, 0, 132)},  // 16 of 31 scaled to 0..255
      {BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, 0xFFFF, RGB(255, 255, 255)},
      {BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, 0x07E0, RGB(0, 255, 0)},
      {BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, 0x0020, RGB(0, 4, 0)},  // 1 of 63
  };
  for (const Case& k : cases) {
    BITMAPINFO256 bi{};
    bi.bmiHeader.biWidth = 1;
    bi.bmiHeader.biHeight = 1;
    bi.bmiHeader.biBitCount = 16;
    bi.bmiHeader.biCompression = k.compression;
    std::memcpy(bi.bmiColors, k.masks, 12);
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(b, nullptr);
    std::memcpy(bits, &k.pixel, 2);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    EXPECT_EQ(GetPixel(dc, 0, 0), k.want) << std::hex << k.pixel;
    SelectObject(dc, old);
    DeleteObject(b);
    DeleteDC(dc);
  }
}

TEST(Dib, PaletteBitmapsDrawThroughTheirColourTable) {
  void* bits = nullptr;
  HBITMAP b = MakeDib(4, 1, 8, &bits, {{0, 0, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 0}});
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, b);
  RECT r{1, 0, 3, 1};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 250));  // nearest entry: 2
  FillRect(dc, &r, blue);
  auto* p = static_cast<uint8_t*>(bits);
  EXPECT_EQ(p[0], 0);
  EXPECT_EQ(p[1], 2);
  EXPECT_EQ(p[2], 2);
  RGBQUAD t[4];
  EXPECT_EQ(GetDIBColorTable(dc, 0, 4, t), 3u);
  EXPECT_EQ(t[1], (RGBQUAD{0, 0, 255, 0}));
  RGBQUAD green{0, 255, 0, 0};
  EXPECT_EQ(SetDIBColorTable(dc, 2, 1, &green), 1u);
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
  SelectObject(dc, old);
  DeleteObject(blue);
  DeleteObject(b);
  DeleteDC(dc);
}

TEST(Dib, CompatibleBitmapTakesTheFormatOfTheDc) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAP bm{};
  // A fresh memory DC holds a 1 x 1 monochrome bitmap, so its compatible bitmaps are monochrome.
  HBITMAP mono = CreateCompatibleBitmap(mem, 8, 8);
  GetObject(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HBITMAP colour = CreateCompatibleBitmap(screen, 8, 8);
  GetObject(colour, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  void* bits = nullptr;
  HBITMAP dib = MakeDib(2, 2, 24, &bits);
  HGDIOBJ old = SelectObject(mem, dib);
  HBITMAP twin = CreateCompatibleBitmap(mem, 3, 3);
  DIBSECTION ds{};
  EXPECT_EQ(GetObject(twin, sizeof ds, &ds), int(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);
  SelectObject(mem, old);
  for (HBITMAP h : {mono, colour, dib, twin}) DeleteObject(h);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

TEST(Dib, BadFormatsAndSizesAreRefused) {
  struct Case {
    LONG w, h;
    WORD bpp;
    DWORD compression;
  } cases[] = {{0, 4, 32, BI_RGB}, {4, 0, 32, BI_RGB}, {-4, 4, 32, BI_RGB}, {4, 4, 7, BI_RGB},
               {4, 4, 8, BI_RLE8}, {4, 4, 24, BI_BITFIELDS}, {1 << 20, 1 << 20, 32, BI_RGB}, {1 << 30, 1, 32, BI_RGB},
               {INT32_MAX, -16, 1, BI_RGB}};
  for (const Case& k : cases) {
    BITMAPINFO256 bi{};
    bi.bmiHeader.biWidth = k.w;
    bi.bmiHeader.biHeight = k.h;
    bi.bmiHeader.biBitCount = k.bpp;
    bi.bmiHeader.biCompression = k.compression;
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << k.w << "x" << k.h;
    EXPECT_EQ(bits, nullptr);
  }
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(CreateBitmap(-1, 4, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 7, nullptr), nullptr);
  // As on the platform, a zero size gives the shared 1 x 1 monochrome bitmap.
  HBITMAP z = CreateBitmap(0, 4, 1, 32, nullptr);
  BITMAP bm{};
  ASSERT_NE(z, nullptr);
  GetObject(z, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_TRUE(DeleteObject(z));
  EXPECT_TRUE(IsValidGdiObject(z, OBJ_BITMAP));
}
