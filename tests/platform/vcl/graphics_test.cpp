// The framework's graphics classes: fonts, pens, brushes, the canvas, bitmaps
// with their BMP files, icons, metafiles and pictures.
#include "platform/vcl/graphics.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "platform/classes/typinfo.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/imagegate.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/vcl/pixelformat.h"
#include "tests/support/testsupport.h"

namespace {

// ---------------------------------------------------------------- helpers

// Little-endian byte writer for hand-made files.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& u8(uint32_t v) {
    b.push_back(uint8_t(v));
    return *this;
  }
  Bytes& u16(uint32_t v) { return u8(v).u8(v >> 8); }
  Bytes& u32(uint32_t v) { return u16(v).u16(v >> 16); }
  Bytes& raw(std::initializer_list<uint8_t> v) {
    b.insert(b.end(), v);
    return *this;
  }
  size_t size() const { return b.size(); }
};

// A BMP file: file header, a 40-byte info header, optional extra bytes (masks,
// colour table), then the pixel bytes. bfSize and bfOffBits are computed unless given.
std::vector<uint8_t> MakeBmp(int32_t w, int32_t h, uint16_t bits, uint32_t compression, const std::vector<uint8_t>& extra,
                             const std::vector<uint8_t>& pixels, uint32_t clrUsed = 0) {
  Bytes f;
  const uint32_t off = 14 + 40 + uint32_t(extra.size());
  f.raw({'B', 'M'}).u32(off + uint32_t(pixels.size())).u32(0).u32(off);
  f.u32(40).u32(uint32_t(w)).u32(uint32_t(h)).u16(1).u16(bits).u32(compression).u32(uint32_t(pixels.size()));
  f.u32(0).u32(0).u32(clrUsed).u32(0);
  f.b.insert(f.b.end(), extra.begin(), extra.end());
  f.b.insert(f.b.end(), pixels.begin(), pixels.end());
  return f.b;
}

void Load(TBitmap& bmp, const std::vector<uint8_t>& file) {
  TBytesStream s(file);
  bmp.LoadFromStream(s);
}

std::vector<uint8_t> Save(TBitmap& bmp) {
  TBytesStream s;
  bmp.SaveToStream(s);
  return std::vector<uint8_t>(s.Bytes().begin(), s.Bytes().begin() + ptrdiff_t(s.Size()));
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) | (uint32_t(b[at + 3]) << 24);
}

// Pixel (x, y) of a 24-bit bitmap as 0x00RRGGBB.
uint32_t Rgb24(TBitmap& bmp, int x, int y) {
  const auto* p = static_cast<const uint8_t*>(bmp.ScanLine(y)) + 3 * x;
  return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

TColor RGBc(uint8_t r, uint8_t g, uint8_t b) { return RGBColor(r, g, b); }

// ---------------------------------------------------------------- colours and objects

TEST(GraphicsColors, NamesAndSystemColours) {
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("clNavy"), clNavy);
  EXPECT_EQ(StringToColor("$0000FF00"), clLime);
  EXPECT_THROW(StringToColor("notAColour"), EConvertError);
  EXPECT_EQ(uint32_t(ColorToRGB(clBtnFace)), win::GetSysColor(win::COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
}

struct SizeCase {
  int ppi;
  int size;
  int height;
};

class FontSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FontSizeTest, SizeAndHeightConvertThroughPixelsPerInch) {
  const SizeCase& c = GetParam();
  TFont f;
  f.SetPixelsPerInch(c.ppi);
  f.SetSize(c.size);
  EXPECT_EQ(f.Height(), c.height);
  f.SetHeight(c.height);
  EXPECT_EQ(f.Size(), c.size);
}

// Height = -round(size * ppi / 72).
INSTANTIATE_TEST_SUITE_P(Sizes, FontSizeTest,
                         ::testing::Values(SizeCase{96, 8, -11}, SizeCase{96, 9, -12}, SizeCase{96, 10, -13},
                                           SizeCase{96, 12, -16}, SizeCase{120, 8, -13}, SizeCase{144, 10, -20}));

TEST(FontTest, DefaultsAndHandleDescription) {
  TFont f;
  EXPECT_EQ(f.Name(), "Tahoma");
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Color(), clWindowText);
  EXPECT_FALSE(f.HandleAllocated());
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetStyle({fsBold, fsItalic});
  f.SetName("Courier New");
  f.SetName("Courier New");  // no change
  EXPECT_EQ(changes, 2);
  win::LOGFONT lf;
  ASSERT_EQ(win::GetObject(f.Handle(), sizeof(lf), &lf), int(sizeof(lf)));
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, win::FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_STREQ(lf.lfFaceName, "Courier New");

  // A font taken over by handle describes it.
  win::LOGFONT other;
  other.lfHeight = -20;
  other.lfUnderline = 1;
  win::SetFaceName(other, "Verdana");
  TFont g;
  g.SetHandle(win::CreateFontIndirect(&other));
  EXPECT_EQ(g.Name(), "Verdana");
  EXPECT_EQ(g.Height(), -20);
  EXPECT_TRUE(g.Style().Contains(fsUnderline));
  EXPECT_FALSE(g.Style().Contains(fsBold));

  TFont copy;
  copy.Assign(&f);
  EXPECT_EQ(copy.Name(), "Courier New");
  EXPECT_EQ(copy.Style(), (TFontStyles{fsBold, fsItalic}));
}

TEST(FontTest, PublishedPropertiesReachTheFont) {
  RegisterGraphicsProperties();
  TFont f;
  SetSetProp(&f, "Style", "[fsBold,fsUnderline]");
  EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsUnderline}));
  SetStrProp(&f, "Name", "Arial");
  EXPECT_EQ(f.Name(), "Arial");
  SetOrdProp(&f, "Color", clRed);
  EXPECT_EQ(GetOrdProp(&f, "Color"), clRed);
  EXPECT_EQ(GetSetProp(&f, "Style"), "[fsBold,fsUnderline]");
}

// ---------------------------------------------------------------- canvas

TEST(CanvasTest, RectangleFramesWithThePenAndFillsWithTheBrush) {
  TBitmap bmp(20, 16);
  bmp.SetPixelFormat(pf24bit);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(TRect(0, 0, 20, 16));
  c->Pen()->SetColor(clRed);
  c->Brush()->SetColor(clBlue);
  c->Rectangle(2, 3, 12, 10);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 2 && x < 12 && y >= 3 && y < 10;
      const bool border = inside && (x == 2 || x == 11 || y == 3 || y == 9);
      const uint32_t expected = border ? 0xFF0000u : (inside ? 0x0000FFu : 0xFFFFFFu);
      EXPECT_EQ(Rgb24(bmp, x, y), expected) << x << "," << y;
    }
}

TEST(CanvasTest, ObjectsAreSelectedLazilyAndReselectedAfterAChange) {
  TBitmap bmp(10, 10);
  TCanvas* c = bmp.Canvas();
  EXPECT_FALSE(c->Pen()->HandleAllocated());
  c->MoveTo(0, 0);  // needs no pen
  EXPECT_FALSE(c->Pen()->HandleAllocated());
  c->LineTo(5, 0);
  EXPECT_TRUE(c->Pen()->HandleAllocated());
  EXPECT_EQ(win::GetCurrentObject(c->Handle(), win::OBJ_PEN), c->Pen()->Handle());
  c->Pen()->SetWidth(3);  // a new pen replaces the selected one on the next drawing call
  EXPECT_EQ(win::GetCurrentObject(c->Handle(), win::OBJ_PEN), c->Pen()->Handle());
  win::LOGPEN lp;
  win::GetObject(win::GetCurrentObject(c->Handle(), win::OBJ_PEN), sizeof(lp), &lp);
  EXPECT_EQ(lp.lopnWidth.X, 3);
  EXPECT_EQ(c->PenPos(), TPoint(5, 0));
}

TEST(CanvasTest, XorPenModeUndoesItself) {
  TBitmap bmp(10, 4);
  bmp.SetPixelFormat(pf24bit);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(RGBc(10, 200, 30));
  c->FillRect(TRect(0, 0, 10, 4));
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetColor(clWhite);
  c->MoveTo(0, 1);
  c->LineTo(10, 1);
  EXPECT_EQ(Rgb24(bmp, 4, 1), 0xF537E1u);  // white xor (10, 200, 30)
  c->MoveTo(0, 1);
  c->LineTo(10, 1);
  EXPECT_EQ(Rgb24(bmp, 4, 1), 0x0AC81Eu);
}

TEST(CanvasTest, TextUsesTheFontColourAndMovesThePen) {
  TBitmap bmp(120, 30);
  bmp.SetPixelFormat(pf24bit);
  TCanvas* c = bmp.Canvas();
  c->Font()->SetQuality(fqNonAntialiased);
  c->Font()->SetColor(clRed);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(4, 2, "Hello");
  EXPECT_EQ(c->PenPos(), TPoint(4 + c->TextWidth("Hello"), 2));
  int red = 0, other = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x) {
      const uint32_t p = Rgb24(bmp, x, y);
      if (p == 0xFF0000u) ++red;
      else if (p != 0xFFFFFFu) ++other;
    }
  EXPECT_GT(red, 20);
  EXPECT_EQ(other, 0);
  // The extent is the DC's.
  win::SIZE sz;
  win::GetTextExtentPoint32(c->Handle(), "Hello", &sz);
  EXPECT_EQ(c->TextExtent("Hello"), TSize(sz.cx, sz.cy));
}

TEST(CanvasTest, TextRectCalcRectMatchesDrawText) {
  TBitmap bmp(10, 10);
  TCanvas* c = bmp.Canvas();
  std::string text = "one two three four five";
  TRect r(0, 0, 50, 0);
  c->TextRect(r, text, {tfCalcRect, tfWordBreak});
  win::RECT expected{0, 0, 50, 0};
  win::DrawText(c->Handle(), text, -1, &expected, win::DT_CALCRECT | win::DT_WORDBREAK);
  EXPECT_EQ(r, expected);
  EXPECT_GT(r.Height(), c->TextHeight("X"));

  std::string longText = "Supercalifragilistic";
  TRect narrow(0, 0, 40, 20);
  c->TextRect(narrow, longText, {tfSingleLine, tfEndEllipsis, tfModifyString});
  EXPECT_EQ(longText.substr(longText.size() - 3), "...");
  EXPECT_LE(c->TextWidth(longText), 40);
}

TEST(CanvasTest, ChangeEventsSurroundDrawing) {
  TBitmap bmp(4, 4);
  TCanvas* c = bmp.Canvas();
  std::vector<std::string> events;
  c->OnChanging = [&](TObject*) { events.push_back("changing"); };
  c->OnChange = [&](TObject*) { events.push_back("change"); };
  c->FillRect(TRect(0, 0, 2, 2));
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
}

TEST(CanvasTest, CanvasWithoutADeviceRefusesToDraw) {
  TCanvas c;
  EXPECT_THROW(c.FillRect(TRect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(CanvasTest, LockIsCountedAndExcludesOtherThreads) {
  TCanvas c;
  c.Lock();
  c.Lock();
  EXPECT_EQ(c.LockCount(), 2);
  std::atomic<bool> got{true};
  std::thread([&] { got = c.TryLock(); }).join();
  EXPECT_FALSE(got);
  c.Unlock();
  c.Unlock();
  EXPECT_EQ(c.LockCount(), 0);
  std::thread([&] {
    got = c.TryLock();
    if (got) c.Unlock();
  }).join();
  EXPECT_TRUE(got);
}

TEST(CanvasTest, CopyRectAndBrushCopy) {
  TBitmap src(4, 4), dst(8, 8);
  src.SetPixelFormat(pf24bit);
  dst.SetPixelFormat(pf24bit);
  src.Canvas()->Brush()->SetColor(clLime);
  src.Canvas()->FillRect(TRect(0, 0, 4, 4));
  src.Canvas()->SetPixels(1, 1, clRed);
  dst.Canvas()->CopyRect(TRect(2, 2, 6, 6), src.Canvas(), TRect(0, 0, 4, 4));
  EXPECT_EQ(Rgb24(dst, 3, 3), 0xFF0000u);
  EXPECT_EQ(Rgb24(dst, 2, 2), 0x00FF00u);
  EXPECT_EQ(Rgb24(dst, 1, 1), 0xFFFFFFu);

  // BrushCopy shows the brush where the bitmap has the given colour.
  dst.Canvas()->Brush()->SetColor(clBlue);
  dst.Canvas()->BrushCopy(TRect(2, 2, 6, 6), &src, TRect(0, 0, 4, 4), clLime);
  EXPECT_EQ(Rgb24(dst, 3, 3), 0xFF0000u);
  EXPECT_EQ(Rgb24(dst, 2, 2), 0x0000FFu);
}

// ---------------------------------------------------------------- bitmaps

TEST(BitmapTest, PixelFormatBitsMatchTheImageItMakes) {
  for (const TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap b;
    b.SetPixelFormat(f);
    b.SetSize(3, 2);
    win::BITMAP info;
    ASSERT_EQ(win::GetObject(b.Handle(), sizeof(info), &info), int(sizeof(info))) << int(f);
    EXPECT_EQ(PixelFormatBits(f), info.bmBitsPixel) << int(f);
  }
  EXPECT_EQ(PixelFormatBits(pfDevice), 0);
  EXPECT_EQ(PixelFormatBits(pfCustom), 0);
}

TEST(BitmapTest, ScanLineZeroIsTheTopRow) {
  TBitmap bmp(5, 3);
  bmp.SetPixelFormat(pf24bit);
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(TRect(0, 0, 5, 3));
  bmp.Canvas()->SetPixels(0, 0, clRed);
  EXPECT_EQ(Rgb24(bmp, 0, 0), 0xFF0000u);
  EXPECT_EQ(Rgb24(bmp, 0, 2), 0xFFFFFFu);
  // Bottom-up storage: the next row lies lower in memory.
  EXPECT_EQ(bmp.RowBytes(), -win::DibRowBytes(5, 24));
  EXPECT_EQ(static_cast<uint8_t*>(bmp.ScanLine(1)) - static_cast<uint8_t*>(bmp.ScanLine(0)), bmp.RowBytes());
  // Writing through a scan line is what the canvas sees.
  auto* row = static_cast<uint8_t*>(bmp.ScanLine(2));
  row[3] = 0xFF;  // pixel 1: blue
  row[4] = 0;
  row[5] = 0;
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 2), clBlue);
  EXPECT_THROW(bmp.ScanLine(3), EInvalidGraphicOperation);
  EXPECT_THROW(bmp.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(BitmapTest, DeviceBitmapsBecomeDibsForScanLines) {
  TBitmap bmp(4, 4);
  EXPECT_EQ(bmp.PixelFormat(), pfDevice);
  EXPECT_EQ(bmp.HandleType(), bmDDB);
  bmp.Canvas()->SetPixels(2, 1, clYellow);
  ASSERT_NE(bmp.ScanLine(1), nullptr);
  EXPECT_EQ(bmp.HandleType(), bmDIB);
  EXPECT_EQ(bmp.PixelFormat(), pf32bit);
  const auto* p = static_cast<const uint8_t*>(bmp.ScanLine(1)) + 8;
  EXPECT_EQ((uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0], 0xFFFF00u);
}

TEST(BitmapTest, SetSizeKeepsWhatFitsAndNewAreasAreWhite) {
  TBitmap bmp(4, 4);
  bmp.SetPixelFormat(pf24bit);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->FillRect(TRect(0, 0, 4, 4));
  bmp.SetSize(6, 5);
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  EXPECT_EQ(Rgb24(bmp, 3, 3), 0xFF0000u);
  EXPECT_EQ(Rgb24(bmp, 5, 0), 0xFFFFFFu);
  EXPECT_EQ(Rgb24(bmp, 0, 4), 0xFFFFFFu);
  bmp.SetWidth(2);
  EXPECT_EQ(bmp.Width(), 2);
  EXPECT_EQ(Rgb24(bmp, 1, 1), 0xFF0000u);
  bmp.SetHeight(0);
  EXPECT_TRUE(bmp.Empty());
}

TEST(BitmapTest, AssignIsDeep) {
  TBitmap a, b(3, 3);
  b.SetPixelFormat(pf24bit);
  b.Canvas()->Brush()->SetColor(clGreen);
  b.Canvas()->FillRect(TRect(0, 0, 3, 3));
  b.SetTransparent(true);
  b.SetTransparentColor(clGreen);
  a.Assign(&b);
  EXPECT_EQ(a.Width(), 3);
  EXPECT_EQ(a.PixelFormat(), pf24bit);
  EXPECT_TRUE(a.Transparent());
  EXPECT_EQ(a.TransparentColor(), clGreen);
  EXPECT_NE(a.Handle(), b.Handle());
  b.Canvas()->SetPixels(1, 1, clRed);
  EXPECT_EQ(Rgb24(b, 1, 1), 0xFF0000u);
  EXPECT_EQ(Rgb24(a, 1, 1), 0x008000u);
  a.Assign(nullptr);
  EXPECT_TRUE(a.Empty());
}

// A device-format bitmap drawn through its canvas is still selected into the
// canvas's DC when it is copied; the copy must hold its pixels, not black.
TEST(BitmapTest, AssignCopiesADeviceBitmapItsCanvasHoldsSelected) {
  TBitmap src(4, 2), copy;
  ASSERT_EQ(src.PixelFormat(), pfDevice);
  src.Canvas()->Brush()->SetColor(clBlue);
  src.Canvas()->FillRect(TRect(0, 0, 4, 2));
  src.Canvas()->SetPixels(3, 1, clYellow);
  copy.Assign(&src);
  EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(copy.Canvas()->Pixels(3, 1), clYellow);
  // The source's canvas still draws after lending its bitmap out.
  src.Canvas()->SetPixels(0, 0, clRed);
  EXPECT_EQ(src.Canvas()->Pixels(0, 0), clRed);
}

TEST(BitmapTest, PixelFormatConversionsKeepColoursThePaletteHas) {
  TBitmap bmp(3, 1);
  bmp.SetPixelFormat(pf24bit);
  bmp.Canvas()->SetPixels(0, 0, clRed);
  bmp.Canvas()->SetPixels(1, 0, clBlue);
  bmp.Canvas()->SetPixels(2, 0, clWhite);
  bmp.SetPixelFormat(pf8bit);
  EXPECT_EQ(bmp.ColorTable().size(), 256u);
  EXPECT_NE(bmp.Palette(), nullptr);
  bmp.SetPixelFormat(pf4bit);
  EXPECT_EQ(bmp.ColorTable().size(), 16u);
  bmp.SetPixelFormat(pf24bit);
  EXPECT_EQ(Rgb24(bmp, 0, 0), 0xFF0000u);
  EXPECT_EQ(Rgb24(bmp, 1, 0), 0x0000FFu);
  EXPECT_EQ(Rgb24(bmp, 2, 0), 0xFFFFFFu);
  bmp.SetMonochrome(true);
  EXPECT_TRUE(bmp.Monochrome());
  EXPECT_EQ(bmp.PixelFormat(), pf1bit);
  EXPECT_THROW(bmp.SetPixelFormat(pfCustom), EInvalidGraphic);
}

TEST(BitmapTest, DormantBitmapsWakeUpWithTheirPixels) {
  TBitmap bmp(4, 2);
  bmp.SetPixelFormat(pf24bit);
  bmp.Canvas()->SetPixels(3, 1, clTeal);
  bmp.Dormant();
  EXPECT_FALSE(bmp.HandleAllocated());
  EXPECT_EQ(bmp.Width(), 4);
  EXPECT_EQ(Rgb24(bmp, 3, 1), 0x008080u);
}

TEST(BitmapTest, TransparentDrawingSkipsTheKeyColour) {
  TBitmap sprite(2, 2), target(2, 2);
  sprite.SetPixelFormat(pf24bit);
  target.SetPixelFormat(pf24bit);
  sprite.Canvas()->Brush()->SetColor(clFuchsia);
  sprite.Canvas()->FillRect(TRect(0, 0, 2, 2));
  sprite.Canvas()->SetPixels(1, 0, clNavy);
  sprite.SetTransparent(true);  // automatic key: the bottom-left pixel's colour
  target.Canvas()->Brush()->SetColor(clYellow);
  target.Canvas()->FillRect(TRect(0, 0, 2, 2));
  target.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(Rgb24(target, 1, 0), 0x000080u);
  EXPECT_EQ(Rgb24(target, 0, 0), 0xFFFF00u);
  EXPECT_EQ(Rgb24(target, 1, 1), 0xFFFF00u);
}

TEST(BitmapTest, AlphaFormatPremultipliesAndDrawsBlended) {
  TBitmap src(1, 1), dst(1, 1);
  src.SetPixelFormat(pf32bit);
  auto* p = static_cast<uint8_t*>(src.ScanLine(0));
  p[0] = 0;
  p[1] = 0;
  p[2] = 200;
  p[3] = 100;  // red 200 at alpha 100
  src.SetAlphaFormat(afDefined);
  dst.SetPixelFormat(pf24bit);
  dst.Canvas()->Brush()->SetColor(clWhite);
  dst.Canvas()->FillRect(TRect(0, 0, 1, 1));
  dst.Canvas()->Draw(0, 0, &src);
  // Source over with straight alpha: c = s * a + d * (1 - a), per channel.
  auto over = [](int s, int d) { return (s * 100 + d * 155) / 255.0; };
  const uint32_t got = Rgb24(dst, 0, 0);
  EXPECT_NEAR(double((got >> 16) & 0xFF), over(200, 255), 1.0);
  EXPECT_NEAR(double((got >> 8) & 0xFF), over(0, 255), 1.0);
  src.SetAlphaFormat(afPremultiplied);
  EXPECT_EQ(static_cast<uint8_t*>(src.ScanLine(0))[2], (200 * 100 + 127) / 255);
}

// ---------------------------------------------------------------- BMP files

// Fills every byte of every row (padding included) with a pattern of row and column.
void FillPattern(TBitmap& bmp) {
  const int rowBytes = std::abs(bmp.RowBytes());
  for (int y = 0; y < bmp.Height(); ++y) {
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
    for (int i = 0; i < rowBytes; ++i) row[i] = uint8_t(y * 37 + i * 11 + 5);
  }
}

class BmpRoundTrip : public ::testing::TestWithParam<TPixelFormat> {};

TEST_P(BmpRoundTrip, EveryPixelFormatComesBackByteForByte) {
  const TPixelFormat f = GetParam();
  TBitmap bmp(13, 5);
  bmp.SetPixelFormat(f);
  FillPattern(bmp);
  const std::vector<uint8_t> file = Save(bmp);

  // The header as the BMP documents it.
  static const int kBits[] = {32, 1, 4, 8, 16, 16, 24, 32};
  const int bits = kBits[f];
  const uint32_t colors = bits <= 8 ? (1u << bits) : 0;
  const uint32_t masks = f == pf16bit ? 12 : 0;
  const uint32_t rowBytes = uint32_t(win::DibRowBytes(13, bits));
  ASSERT_GE(file.size(), 54u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Le32(file, 2), file.size());
  EXPECT_EQ(Le32(file, 10), 54 + masks + colors * 4);
  EXPECT_EQ(Le32(file, 18), 13u);
  EXPECT_EQ(Le32(file, 22), 5u);  // positive: bottom-up
  EXPECT_EQ(file[28], bits);
  EXPECT_EQ(file.size(), 54 + masks + colors * 4 + rowBytes * 5);
  // The first row in the file is the bottom row.
  EXPECT_EQ(0, std::memcmp(&file[Le32(file, 10)], bmp.ScanLine(4), rowBytes));

  TBitmap back;
  Load(back, file);
  EXPECT_EQ(back.PixelFormat(), f);
  EXPECT_EQ(back.Width(), 13);
  EXPECT_EQ(back.Height(), 5);
  EXPECT_EQ(back.ColorTable(), bmp.ColorTable());
  for (int y = 0; y < 5; ++y) EXPECT_EQ(0, std::memcmp(back.ScanLine(y), bmp.ScanLine(y), rowBytes)) << y;
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpRoundTrip,
                         ::testing::Values(pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit));

TEST(BmpReadTest, TopDownRowsAndCoreHeaders) {
  // 2 x 2, 24 bits, top-down: first row red, blue; second green, white.
  const std::vector<uint8_t> rows = {0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0, 0};
  TBitmap bmp;
  Load(bmp, MakeBmp(2, -2, 24, win::BI_RGB, {}, rows));
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  EXPECT_EQ(Rgb24(bmp, 0, 0), 0xFF0000u);
  EXPECT_EQ(Rgb24(bmp, 1, 0), 0x0000FFu);
  EXPECT_EQ(Rgb24(bmp, 0, 1), 0x00FF00u);
  EXPECT_EQ(Rgb24(bmp, 1, 1), 0xFFFFFFu);

  // The 12-byte core header with a 3-byte colour table, 1 bit, 2 x 1: black, white.
  Bytes f;
  f.raw({'B', 'M'}).u32(14 + 12 + 6 + 4).u32(0).u32(14 + 12 + 6);
  f.u32(12).u16(2).u16(1).u16(1).u16(1);
  f.raw({0, 0, 0, 255, 255, 255});
  f.raw({0x40, 0, 0, 0});
  TBitmap core;
  Load(core, f.b);
  EXPECT_TRUE(core.Monochrome());
  core.SetPixelFormat(pf24bit);
  EXPECT_EQ(Rgb24(core, 0, 0), 0x000000u);
  EXPECT_EQ(Rgb24(core, 1, 0), 0xFFFFFFu);
}

TEST(BmpReadTest, RunLengthCodedImages) {
  // 8 bits, 5 x 3. Bottom row: a run of 5 index 1, end of line. Middle row: an
  // absolute run of 3 bytes (2, 3, 4) padded to a word, then a delta of (0, 1)
  // that moves up to the top row at x 3, where a run of 2 index 5 follows.
  std::vector<uint8_t> table(16 * 4, 0);
  const std::vector<uint8_t> codes = {5, 1, 0, 0, 0, 3, 2, 3, 4, 0, 0, 2, 0, 1, 2, 5, 0, 1};
  TBitmap rle8;
  Load(rle8, MakeBmp(5, 3, 8, win::BI_RLE8, table, codes, 16));
  EXPECT_EQ(rle8.PixelFormat(), pf8bit);
  const uint8_t expected[3][5] = {{0, 0, 0, 5, 5}, {2, 3, 4, 0, 0}, {1, 1, 1, 1, 1}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(static_cast<uint8_t*>(rle8.ScanLine(y))[x], expected[y][x]) << x << "," << y;

  // 4 bits, 4 x 1: a run of 4 alternating nibbles 7 and 9.
  TBitmap rle4;
  Load(rle4, MakeBmp(4, 1, 4, win::BI_RLE4, table, {4, 0x79, 0, 1}, 16));
  EXPECT_EQ(rle4.PixelFormat(), pf4bit);
  const auto* row = static_cast<uint8_t*>(rle4.ScanLine(0));
  EXPECT_EQ(row[0], 0x79);
  EXPECT_EQ(row[1], 0x79);
}

// Codes land in the image's rows as they say: absolute runs and runs that
// start on odd pixels of 4-bit rows, runs cut at the row's end (the row's
// padding stays zero), end-of-line and delta escapes, and nothing after the
// end of the picture.
TEST(BmpReadTest, RunLengthCodesIntoTheRows) {
  const std::vector<uint8_t> table(16 * 4, 0);
  const struct {
    const char* name;
    int32_t w, h;
    uint16_t bits;
    std::vector<uint8_t> codes;
    std::vector<std::vector<uint8_t>> top;  // palette index per pixel, top row first
  } cases[] = {
      {"rle4",
       7,
       3,
       4,
       {
           0, 3, 0x12, 0x30,           // bottom row: absolute 1 2 3
           5, 0xAB,                    // A B A B, the fifth pixel cut
           0, 0,                       // end of line
           1, 0xE0,                    // middle row: E
           0, 2, 2, 1,                 // delta: up one row, right two columns to x 3
           3, 0xCD,                    // top row from the odd x 3: C D C
           0, 5, 0x45, 0x67, 0x80, 0,  // absolute 4 5 6 7 8 padded to a word; only 4 fits
           0, 1,                       // end of picture
           7, 0xFF,                    // ignored
       },
       {{0, 0, 0, 0xC, 0xD, 0xC, 4}, {0xE, 0, 0, 0, 0, 0, 0}, {1, 2, 3, 0xA, 0xB, 0xA, 0xB}}},
      {"rle8",
       3,
       3,
       8,
       {
           1, 7, 1, 8,  // bottom row: 7, then 8
           0, 2, 0, 2,  // delta: two rows up, same column
           4, 5,        // top row from x 2: four 5s, three of them cut
           0, 1,        // end of picture
       },
       {{0, 0, 5}, {0, 0, 0}, {7, 8, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap bmp;
    Load(bmp, MakeBmp(c.w, c.h, c.bits, c.bits == 4 ? win::BI_RLE4 : win::BI_RLE8, table, c.codes, 16));
    ASSERT_EQ(bmp.Width(), c.w);
    ASSERT_EQ(bmp.Height(), c.h);
    const int32_t rowBytes = win::DibRowBytes(c.w, c.bits);
    for (int32_t y = 0; y < c.h; ++y) {
      std::vector<uint8_t> expected(size_t(rowBytes), 0);
      for (int32_t x = 0; x < c.w; ++x) {
        const uint8_t v = c.top[size_t(y)][size_t(x)];
        if (c.bits == 8) expected[size_t(x)] = v;
        else expected[size_t(x / 2)] |= uint8_t((x & 1) ? v : v << 4);
      }
      const auto* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
      EXPECT_EQ(std::vector<uint8_t>(row, row + rowBytes), expected) << "row " << y;
    }
  }
}

// The pixel limit decides what a header alone buys: a picture within it is
// made whatever its codes; past it, only when the codes could fill it. The
// richest code, a delta, covers at most 255 x 255 pixels for 4 bytes, so
// 1,000 x 1,000 pixels need at least 62 bytes of codes.
TEST(BmpReadTest, RunLengthPicturesPastThePixelLimitNeedCodesThatFillThem) {
  auto codes = [](size_t deltas) {
    std::vector<uint8_t> c = {3, 7};  // three pixels of index 7 at the bottom left
    for (size_t i = 0; i < deltas; ++i) c.insert(c.end(), {0, 2, 0, 0});
    c.insert(c.end(), {0, 1});
    return c;
  };
  const struct {
    const char* name;
    int64_t limit;
    size_t deltas;
    bool loads;
  } cases[] = {
      {"at the limit, 6 bytes", 1000 * 1000, 0, true},
      {"one pixel past the limit, 6 bytes", 1000 * 1000 - 1, 0, false},
      {"past the limit, 64 bytes", 1000, 15, true},
      {"past the limit, 60 bytes", 1000, 14, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    win::ScopedImagePixelLimit limit(c.limit);
    TBitmap bmp;
    const std::vector<uint8_t> file = MakeBmp(1000, 1000, 8, win::BI_RLE8, std::vector<uint8_t>(1024, 0), codes(c.deltas));
    if (!c.loads) {
      EXPECT_THROW(Load(bmp, file), EInvalidGraphic);
      EXPECT_TRUE(bmp.Empty());
      continue;
    }
    Load(bmp, file);
    ASSERT_EQ(bmp.Width(), 1000);
    const auto* bottom = static_cast<const uint8_t*>(bmp.ScanLine(999));
    EXPECT_EQ(bottom[0], 7);
    EXPECT_EQ(bottom[2], 7);
    EXPECT_EQ(bottom[3], 0);
  }
}

// The reader refuses the file with its error, and the picture held before stays.
void ExpectRefusedKeepingTheOldImage(const std::vector<uint8_t>& file) {
  TBitmap bmp(3, 2);
  bmp.SetPixelFormat(pf24bit);
  try {
    Load(bmp, file);
    FAIL() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Bitmap image is not valid");
  }
  EXPECT_EQ(bmp.Width(), 3);
}

// Files found by fuzzing: each claims hundreds of millions of pixels for a
// few hundred bytes of codes, past the limit and far beyond what the codes
// can fill, so the header buys nothing. Their first byte is the fuzz
// target's choice of reader; the BMP starts after it.
TEST(BmpReadTest, RunLengthBombsAreRefusedBeforeAnyImageIsMade) {
  REQUIRE_SHARED_TESTDATA();
  for (const char* name : {"rle4-65536x8192.bmp", "rle4-35365x10500.bmp", "rle8-65536x4096.bmp"}) {
    SCOPED_TRACE(name);
    const std::string raw = testsupport::ReadFileBytes(testsupport::SharedDataDir() / "malformed" / name);
    ASSERT_GT(raw.size(), 55u);
    const std::vector<uint8_t> file(raw.begin() + 1, raw.end());
    const int64_t claimed = int64_t(Le32(file, 18)) * int64_t(Le32(file, 22));
    EXPECT_GT(claimed, win::ImagePixelLimit());
    ExpectRefusedKeepingTheOldImage(file);
  }
}

// Found by fuzzing pictures: an uncompressed core-header BMP claiming
// 29784 x 65523 pixels with 13 bytes of data. Even with the pixel limit out of
// the way, the rows the header promises are compared with the bytes the file
// holds before anything is allocated for them.
TEST(BmpReadTest, UncompressedRowsTheFileCannotHoldAreRefused) {
  const std::string raw = testsupport::ReadFileBytes(testsupport::DataFile("bmp_core_29784x65523_nodata.bmp"));
  const std::vector<uint8_t> file(raw.begin(), raw.end());
  const win::ScopedImagePixelLimit unlimited(int64_t(1) << 40);
  ExpectRefusedKeepingTheOldImage(file);
}

TEST(BmpReadTest, ChannelMasks) {
  // 16 bits with 5-6-5 masks stays 16-bit; one pixel of pure green.
  Bytes m565;
  m565.u32(0xF800).u32(0x07E0).u32(0x001F);
  TBitmap a;
  Load(a, MakeBmp(1, 1, 16, win::BI_BITFIELDS, m565.b, {0xE0, 0x07, 0, 0}));
  EXPECT_EQ(a.PixelFormat(), pf16bit);
  a.SetPixelFormat(pf24bit);
  EXPECT_EQ(Rgb24(a, 0, 0), 0x00FF00u);

  // 32 bits with unusual masks (red in the top byte): converted to 32-bit BGRA.
  Bytes odd;
  odd.u32(0xFF000000).u32(0x00FF0000).u32(0x0000FF00);
  TBitmap b;
  Load(b, MakeBmp(1, 1, 32, win::BI_BITFIELDS, odd.b, {0x00, 0x30, 0x20, 0x10}));  // r 0x10, g 0x20, b 0x30
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  const auto* p = static_cast<uint8_t*>(b.ScanLine(0));
  EXPECT_EQ(p[0], 0x30);
  EXPECT_EQ(p[1], 0x20);
  EXPECT_EQ(p[2], 0x10);
}

struct BadBmp {
  const char* name;
  std::vector<uint8_t> bytes;
};

std::vector<BadBmp> BadBmps() {
  const std::vector<uint8_t> px(8, 0);
  const std::vector<uint8_t> good = MakeBmp(2, 2, 8, win::BI_RGB, std::vector<uint8_t>(1024, 0), px);
  auto patched = [&](size_t at, uint32_t v, int n = 4) {
    std::vector<uint8_t> b = good;
    for (int i = 0; i < n; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
    return b;
  };
  std::vector<BadBmp> out;
  out.push_back({"empty", {}});
  out.push_back({"signatureOnly", {'B', 'M'}});
  out.push_back({"wrongSignature", patched(0, 'B' | ('N' << 8), 2)});
  out.push_back({"truncatedHeader", std::vector<uint8_t>(good.begin(), good.begin() + 30)});
  {
    std::vector<uint8_t> t(good.begin(), good.end() - 4);  // pixel rows cut short
    for (int i = 0; i < 4; ++i) t[2 + size_t(i)] = uint8_t(t.size() >> (8 * i));
    out.push_back({"truncatedPixels", t});
  }
  out.push_back({"offsetPastEnd", patched(10, uint32_t(good.size() + 100))});
  out.push_back({"offsetInsideHeader", patched(10, 20)});
  out.push_back({"absurdWidth", patched(18, 0x7FFFFFFF)});
  out.push_back({"absurdHeight", patched(22, 0x80000000)});
  out.push_back({"hugeArea", patched(18, 60000)});
  out.push_back({"zeroWidth", patched(18, 0)});
  out.push_back({"zeroHeight", patched(22, 0)});
  out.push_back({"bitCount7", patched(28, 7, 2)});
  out.push_back({"bitCount0", patched(28, 0, 2)});
  out.push_back({"headerSize7", patched(14, 7)});
  out.push_back({"headerSizePastEnd", patched(14, 124)});
  out.push_back({"jpegCompression", patched(30, 4)});
  out.push_back({"rle4WithEightBits", patched(30, win::BI_RLE4)});
  {
    std::vector<uint8_t> b = MakeBmp(2, -2, 8, win::BI_RLE8, std::vector<uint8_t>(1024, 0), {0, 1});
    out.push_back({"topDownRle", b});
  }
  {
    std::vector<uint8_t> b = MakeBmp(4, 1, 8, win::BI_RLE8, std::vector<uint8_t>(1024, 0), {0, 4, 1, 2});
    out.push_back({"rleAbsoluteRunPastEnd", b});
  }
  {
    std::vector<uint8_t> b = MakeBmp(1, 1, 8, win::BI_RGB, std::vector<uint8_t>(16, 0), {0, 0, 0, 0}, 0xFFFFFFFF);
    out.push_back({"colourTablePastEnd", b});
  }
  out.push_back({"bitfieldsWithoutMasks", MakeBmp(1, 1, 16, win::BI_BITFIELDS, {}, {0, 0, 0, 0})});
  return out;
}

class BmpMalformed : public ::testing::TestWithParam<BadBmp> {};

TEST_P(BmpMalformed, RaisesInvalidGraphicAndKeepsTheOldImage) {
  TBitmap bmp(3, 2);
  bmp.SetPixelFormat(pf24bit);
  bmp.Canvas()->SetPixels(2, 1, clRed);
  TBytesStream s(GetParam().bytes);
  try {
    bmp.LoadFromStream(s);
    FAIL() << "no exception";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Bitmap image is not valid");
  }
  EXPECT_EQ(bmp.Width(), 3);
  EXPECT_EQ(Rgb24(bmp, 2, 1), 0xFF0000u);
}

INSTANTIATE_TEST_SUITE_P(Cases, BmpMalformed, ::testing::ValuesIn(BadBmps()),
                         [](const ::testing::TestParamInfo<BadBmp>& i) { return std::string(i.param.name); });

TEST(BmpReadTest, TheHeadersFileSizeIsNotTrusted) {
  const std::vector<uint8_t> px = {0, 0, 255, 0};
  std::vector<uint8_t> file = MakeBmp(1, 1, 24, win::BI_RGB, {}, px);
  for (uint32_t wrong : {0u, 9u, 100000u}) {
    for (int i = 0; i < 4; ++i) file[2 + size_t(i)] = uint8_t(wrong >> (8 * i));
    TBitmap bmp;
    Load(bmp, file);
    EXPECT_EQ(Rgb24(bmp, 0, 0), 0xFF0000u) << wrong;
  }
}

TEST(BmpReadTest, FormDataCarriesItsSizeAndIsReadExactly) {
  TBitmap bmp(3, 3);
  bmp.SetPixelFormat(pf8bit);
  FillPattern(bmp);
  TBytesStream s;
  bmp.WriteData(s);
  const uint8_t tail[3] = {'e', 'n', 'd'};
  s.WriteBuffer(tail, 3);
  s.SetPosition(0);
  TBitmap back;
  back.ReadData(s);
  EXPECT_EQ(back.PixelFormat(), pf8bit);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(0, std::memcmp(back.ScanLine(y), bmp.ScanLine(y), 3));
  uint8_t rest[3];
  s.ReadBuffer(rest, 3);
  EXPECT_EQ(0, std::memcmp(rest, tail, 3));
}

// ---------------------------------------------------------------- icons, metafiles, pictures

// A .ico with one 2 x 2 image of the given depth: 32 bits with alpha, or 8 bits with a palette and mask.
std::vector<uint8_t> MakeIco(int bits) {
  Bytes img;
  img.u32(40).u32(2).u32(4).u16(1).u16(uint32_t(bits)).u32(0).u32(0).u32(0).u32(0).u32(bits == 8 ? 2 : 0).u32(0);
  if (bits == 8) {
    img.raw({0, 0, 255, 0, 255, 0, 0, 0});  // 0 red, 1 blue
    img.raw({1, 0, 0, 0, 0, 1, 0, 0});       // bottom row: blue red; top row: red blue
    img.raw({0x40, 0, 0, 0, 0x40, 0, 0, 0}); // AND: right column transparent... x 1 set
  } else {
    // Bottom row: red opaque, green half transparent; top row: blue opaque, fully transparent.
    img.u32(0xFFFF0000).u32(0x8000FF00).u32(0xFF0000FF).u32(0x00000000);
    img.raw({0, 0, 0, 0, 0, 0, 0, 0});
  }
  Bytes f;
  f.u16(0).u16(1).u16(1);
  f.u8(2).u8(2).u8(0).u8(0).u16(1).u16(uint32_t(bits)).u32(uint32_t(img.size())).u32(22);
  f.b.insert(f.b.end(), img.b.begin(), img.b.end());
  return f.b;
}

TEST(IconTest, EightBitIconsUseTheirMask) {
  TIcon icon;
  TBytesStream s(MakeIco(8));
  icon.LoadFromStream(s);
  EXPECT_EQ(icon.Width(), 2);
  EXPECT_EQ(icon.Height(), 2);
  EXPECT_TRUE(icon.Transparent());
  TBitmap bmp(2, 2);
  bmp.SetPixelFormat(pf24bit);
  bmp.Canvas()->Brush()->SetColor(clBlack);
  bmp.Canvas()->FillRect(TRect(0, 0, 2, 2));
  bmp.Canvas()->Draw(0, 0, &icon);
  EXPECT_EQ(Rgb24(bmp, 0, 0), 0xFF0000u);  // top row first pixel: red
  EXPECT_EQ(Rgb24(bmp, 0, 1), 0x0000FFu);  // bottom row first pixel: blue
  // Column 1 is transparent: the background xor the image.
  EXPECT_EQ(Rgb24(bmp, 1, 0), 0x0000FFu);
  EXPECT_THROW(icon.SetWidth(5), EInvalidGraphicOperation);
}

TEST(IconTest, AlphaIconsRoundTripAndBlend) {
  TIcon icon;
  const std::vector<uint8_t> file = MakeIco(32);
  TBytesStream in(file);
  icon.LoadFromStream(in);
  TBytesStream out;
  icon.SaveToStream(out);
  EXPECT_EQ(std::vector<uint8_t>(out.Bytes().begin(), out.Bytes().begin() + ptrdiff_t(out.Size())), file);

  TBitmap bmp(2, 2);
  bmp.SetPixelFormat(pf24bit);
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(TRect(0, 0, 2, 2));
  bmp.Canvas()->Draw(0, 0, &icon);
  EXPECT_EQ(Rgb24(bmp, 0, 0), 0x0000FFu);
  EXPECT_EQ(Rgb24(bmp, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(Rgb24(bmp, 0, 1), 0xFF0000u);
  const uint32_t half = Rgb24(bmp, 1, 1);
  EXPECT_EQ((half >> 8) & 0xFF, 0xFFu);
  EXPECT_NEAR(double(half >> 16), 255 * 127 / 255.0, 1.0);

  // An icon known only by its handle is written as a 32-bit .ico and reads back the same.
  TIcon copy;
  copy.Assign(&icon);
  TIcon fromHandle;
  fromHandle.SetHandle(win::CopyIcon(icon.Handle()));
  TBytesStream written;
  fromHandle.SaveToStream(written);
  written.SetPosition(0);
  TIcon reread;
  reread.LoadFromStream(written);
  TBitmap again(2, 2);
  again.SetPixelFormat(pf24bit);
  again.Canvas()->Brush()->SetColor(clWhite);
  again.Canvas()->FillRect(TRect(0, 0, 2, 2));
  again.Canvas()->Draw(0, 0, &reread);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(Rgb24(again, x, y), Rgb24(bmp, x, y));
}

TEST(IconTest, MalformedIconsRaise) {
  std::vector<uint8_t> bad = MakeIco(8);
  bad[4] = 9;  // nine entries, one present
  for (const std::vector<uint8_t>& bytes :
       {std::vector<uint8_t>{}, std::vector<uint8_t>{0, 0, 1, 0}, bad, std::vector<uint8_t>{0, 0, 3, 0, 1, 0}}) {
    TIcon icon;
    TBytesStream s(bytes);
    EXPECT_THROW(icon.LoadFromStream(s), EInvalidGraphic);
    EXPECT_TRUE(icon.Empty());
  }
}

TEST(MetafileTest, AlwaysEmpty) {
  TMetafile m;
  m.SetWidth(10);
  EXPECT_TRUE(m.Empty());
  TBitmap bmp(2, 2);
  bmp.Canvas()->Draw(0, 0, &m);  // nothing to draw
  TBytesStream s(std::vector<uint8_t>{1, 2, 3});
  EXPECT_THROW(m.LoadFromStream(s), EInvalidGraphic);
}

// A graphic class registered by a test.
class TTestGraphic : public TGraphic {
  DX_CLASS_WITH_FACTORY(TTestGraphic, TGraphic, [](TObject*) -> TObject* { return new TTestGraphic; })
public:
  bool Empty() const override { return bytes.empty(); }
  int32_t Width() const override { return int32_t(bytes.size()); }
  int32_t Height() const override { return 1; }
  void SetWidth(int32_t) override {}
  void SetHeight(int32_t) override {}
  void Draw(TCanvas*, const TRect&) override {}
  void LoadFromStream(TStream& s) override {
    bytes.resize(size_t(s.Size() - s.Position()));
    s.ReadBuffer(bytes.data(), int64_t(bytes.size()));
  }
  void SaveToStream(TStream& s) override { s.WriteBuffer(bytes.data(), int64_t(bytes.size())); }
  void Assign(TPersistent* src) override {
    if (auto* t = dynamic_cast<TTestGraphic*>(src)) bytes = t->bytes;
    else TGraphic::Assign(src);
  }
  std::vector<uint8_t> bytes;
};

TEST(PictureTest, LoadsByExtensionThroughTheRegistry) {
  testsupport::TempDir dir;
  TBitmap bmp(4, 3);
  bmp.SetPixelFormat(pf24bit);
  bmp.SaveToFile((dir / "image.BMP").string());
  testsupport::WriteFileBytes(dir / "data.tst", "12345");
  testsupport::WriteFileBytes(dir / "data.xyz", "12345");

  TPicture pic;
  int changes = 0;
  pic.OnChange = [&](TObject*) { ++changes; };
  pic.LoadFromFile((dir / "image.BMP").string());
  ASSERT_NE(dynamic_cast<TBitmap*>(pic.Graphic()), nullptr);
  EXPECT_EQ(pic.Width(), 4);
  EXPECT_EQ(pic.Height(), 3);
  EXPECT_GE(changes, 1);
  // Drawing on the held bitmap reaches the picture's listeners.
  const int before = changes;
  pic.Bitmap()->Canvas()->FillRect(TRect(0, 0, 1, 1));
  EXPECT_GT(changes, before);

  try {
    pic.LoadFromFile((dir / "data.xyz").string());
    FAIL() << "no exception";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
  }

  TPicture::RegisterFileFormat("tst", "Test files", TTestGraphic::StaticClass());
  pic.LoadFromFile((dir / "data.tst").string());
  auto* t = dynamic_cast<TTestGraphic*>(pic.Graphic());
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Width(), 5);
  EXPECT_NE(TPicture::GraphicFilter(TGraphic::StaticClass()).find("Test files (*.tst)|*.tst"), std::string::npos);
  EXPECT_EQ(TPicture::GraphicExtension(TBitmap::StaticClass()), "bmp");
  TPicture::UnregisterGraphicClass(TTestGraphic::StaticClass());
  EXPECT_EQ(TPicture::GraphicClassForExtension(".tst"), nullptr);
  EXPECT_THROW(pic.LoadFromFile((dir / "data.tst").string()), EInvalidGraphic);
}

TEST(PictureTest, GraphicsAreCopiedAndForcedToTheAskedType) {
  TBitmap bmp(2, 2);
  TPicture pic;
  pic.SetGraphic(&bmp);
  ASSERT_NE(pic.Graphic(), &bmp);
  EXPECT_EQ(pic.Width(), 2);
  TIcon* icon = pic.Icon();  // replaces the bitmap by an empty icon
  EXPECT_TRUE(icon->Empty());
  EXPECT_EQ(pic.Width(), 0);
  TPicture other;
  other.Assign(&pic);
  EXPECT_NE(dynamic_cast<TIcon*>(other.Graphic()), nullptr);
  other.Assign(nullptr);
  EXPECT_EQ(other.Graphic(), nullptr);
}

}  // namespace
