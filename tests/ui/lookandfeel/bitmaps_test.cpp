#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"
#include "tests/ui/lookandfeel/pixel_quads.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"
#include "ui/lookandfeel/dxCore.h"

namespace {

using namespace pixel_quads;

using Bytes = std::vector<uint8_t>;

Bytes Written(const Bytes& data, uint8_t blockSize) {
  TBytesStream s;
  WriteXDBMBlock(s, data, blockSize);
  return Bytes(s.Bytes().begin(), s.Bytes().begin() + s.Size());
}

Bytes Header(uint32_t size, uint16_t version) {
  return {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24), 'X', 'D', 'B', 'M',
          uint8_t(version), uint8_t(version >> 8)};
}

Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Read(const Bytes& block) {
  TBytesStream s(block);
  Bytes out;
  EXPECT_TRUE(ReadXDBMBlock(s, out));
  EXPECT_EQ(s.Position(), int64_t(block.size()));
  return out;
}

TEST(XDBMBlock, RunsAsWritten) {
  struct Case {
    const char* name;
    Bytes data;
    uint8_t s;
    Bytes payload;  // after the 10-byte header
  };
  const Bytes abc = {1, 2, 3};
  Bytes equal126;
  for (int i = 0; i < 126; ++i) equal126.insert(equal126.end(), abc.begin(), abc.end());
  const Case cases[] = {
      {"126 equal blocks: repeat 125, literal 1", equal126, 3, {3, 0, 0x7D, 1, 2, 3, 0x81, 1, 2, 3}},
      {"A B B: literal 1, repeat 2", {'A', 'B', 'B'}, 1, {1, 0, 0x81, 'A', 0x02, 'B'}},
      {"A B C D: one literal run", {'A', 'B', 'C', 'D'}, 1, {1, 0, 0x84, 'A', 'B', 'C', 'D'}},
      {"length 7 of 3-byte blocks: K = 1 raw byte first", {9, 5, 5, 5, 5, 5, 5}, 3, {3, 1, 9, 0x02, 5, 5, 5}},
      {"single block", {7, 7}, 2, {2, 0, 0x81, 7, 7}},
      {"empty", {}, 4, {4, 0}},
  };
  for (const Case& c : cases) {
    const Bytes block = Written(c.data, c.s);
    EXPECT_EQ(block, Cat(Header(uint32_t(c.payload.size()), 2), c.payload)) << c.name;
    EXPECT_EQ(Read(block), c.data) << c.name;
  }
}

TEST(XDBMBlock, LongLiteralRunsSplitAt125) {
  Bytes data;
  for (int i = 0; i < 300; ++i) data.push_back(uint8_t(i * 7 % 251));
  const Bytes block = Written(data, 1);
  EXPECT_EQ(block[12], 0x80 | 125);
  EXPECT_EQ(block[12 + 1 + 125], 0x80 | 125);
  EXPECT_EQ(block[12 + 2 + 250], 0x80 | 50);
  EXPECT_EQ(Read(block), data);
}

TEST(XDBMBlock, MidStreamSizeCountsAfterHeader) {
  const Bytes data = {4, 4, 4, 4, 8, 1, 2, 2, 2};
  TBytesStream s(Bytes{0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
  s.SetPosition(5);
  WriteXDBMBlock(s, data, 1);
  EXPECT_EQ(s.Position(), s.Size());
  const Bytes& all = s.Bytes();
  const uint32_t size = all[5] | all[6] << 8 | all[7] << 16 | uint32_t(all[8]) << 24;
  EXPECT_EQ(int64_t(size), s.Size() - 5 - 10);
  s.SetPosition(5);
  Bytes back;
  ASSERT_TRUE(ReadXDBMBlock(s, back));
  EXPECT_EQ(back, data);
}

TEST(XDBMBlock, VersionOneHasNoBlockSizeAndShift) {
  const Bytes payload = {0x03, 'a', 0x82, 'b', 'c'};
  EXPECT_EQ(Read(Cat(Header(5, 1), payload)), (Bytes{'a', 'a', 'a', 'b', 'c'}));
}

TEST(XDBMBlock, StopsAtPayloadEnd) {
  // What follows the block in the form data is not part of it.
  const Bytes block = Cat(Header(4, 2), {1, 0, 0x01, 'x'});
  TBytesStream s(Cat(block, {0x05, 'y'}));
  Bytes out;
  ASSERT_TRUE(ReadXDBMBlock(s, out));
  EXPECT_EQ(out, Bytes{'x'});
  EXPECT_EQ(s.Position(), int64_t(block.size()));
}

TEST(XDBMBlock, OtherSignatureLeavesStreamAlone) {
  for (const Bytes& bytes : {Bytes{1, 0, 0, 0, 'B', 'M', 0, 0, 0, 0}, Bytes{0, 0, 0, 0}, Bytes{}}) {
    TBytesStream s(bytes);
    Bytes out{1};
    EXPECT_FALSE(ReadXDBMBlock(s, out));
    EXPECT_EQ(s.Position(), 0);
  }
}

TEST(XDBMBlock, MalformedBlocksFailCleanly) {
  struct Case {
    const char* name;
    Bytes block;
  };
  const Case cases[] = {
      {"size beyond the stream", Cat(Header(9, 2), {1, 0, 0x81, 'x'})},
      {"size near 2^32", Cat(Header(0xFFFFFFFF, 2), {1, 0, 0x81, 'x'})},
      {"header cut after the signature", {4, 0, 0, 0, 'X', 'D', 'B', 'M', 2}},
      {"version 0", Cat(Header(4, 0), {1, 0, 0x81, 'x'})},
      {"version 3", Cat(Header(4, 3), {1, 0, 0x81, 'x'})},
      {"code with N = 0", Cat(Header(4, 2), {1, 0, 0x80, 'x'})},
      {"repeat code with N = 126", Cat(Header(4, 2), {1, 0, 0x7E, 'x'})},
      {"literal code with N = 127", Cat(Header(4, 2), {1, 0, 0xFF, 'x'})},
      {"literal run past the payload", Cat(Header(4, 2), {1, 0, 0x83, 'x'})},
      {"literal run past the payload into later bytes", Cat(Cat(Header(4, 2), {1, 0, 0x83, 'x'}), {'y', 'z'})},
      {"repeat block cut short", Cat(Header(4, 2), {3, 0, 0x05, 'x'})},
      {"code without its block", Cat(Header(3, 2), {1, 0, 0x05})},
      {"K not below S", Cat(Header(5, 2), {2, 2, 'a', 'b', 0x01})},
      {"K bytes missing", Cat(Header(3, 2), {4, 3, 'a'})},
      {"block size 0", Cat(Header(4, 2), {0, 0, 0x01, 'x'})},
      {"version 2 without S and K", Cat(Header(1, 2), {1})},
  };
  for (const Case& c : cases) {
    TBytesStream s(c.block);
    Bytes out;
    try {
      ReadXDBMBlock(s, out);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Stream read error") << c.name;
    }
  }
}

// ---------------------------------------------------------------- TcxBitmap form data

std::unique_ptr<TcxBitmap> Patterned(TPixelFormat format, int32_t w, int32_t h) {
  auto b = std::make_unique<TcxBitmap>(w, h, format);
  if (format <= pf8bit) {
    std::vector<win::RGBQUAD> colors(format == pf1bit ? 2 : format == pf4bit ? 16 : 256);
    for (size_t i = 0; i < colors.size(); ++i) colors[i] = {uint8_t(i * 3), uint8_t(255 - i), uint8_t(i * 11), 0};
    b->SetColorTable(colors);
  }
  const int32_t rowBytes = std::abs(b->RowBytes());
  for (int32_t y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(b->ScanLine(y));
    // Runs of equal bytes and changing bytes, so that both codes occur.
    for (int32_t i = 0; i < rowBytes; ++i) row[i] = uint8_t(i < rowBytes / 2 ? 0x5A : (i * 37 + y * 11));
  }
  return b;
}

TEST(TcxBitmap, CompressedFormDataRoundTripsEveryDepth) {
  struct Case {
    TPixelFormat format;
    uint8_t s;
  };
  for (const Case c : {Case{pf1bit, 1}, Case{pf8bit, 1}, Case{pf16bit, 2}, Case{pf24bit, 3}, Case{pf32bit, 4}}) {
    std::unique_ptr<TcxBitmap> a = Patterned(c.format, 13, 5);
    a->SetCompressData(true);
    TBytesStream s;
    a->WriteData(s);
    ASSERT_GE(s.Size(), 12);
    EXPECT_EQ(std::memcmp(s.Bytes().data() + 4, "XDBM", 4), 0);
    EXPECT_EQ(s.Bytes()[10], c.s) << int(c.format);
    // K is the length of the plain data modulo S.
    TBytesStream plain;
    a->TBitmap::WriteData(plain);
    EXPECT_EQ(s.Bytes()[11], plain.Size() % c.s);

    s.SetPosition(0);
    TcxBitmap b;
    b.ReadData(s);
    ASSERT_EQ(b.PixelFormat(), c.format);
    ASSERT_EQ(b.Width(), 13);
    ASSERT_EQ(b.Height(), 5);
    const int32_t rowBytes = std::abs(a->RowBytes());
    for (int32_t y = 0; y < 5; ++y)
      EXPECT_EQ(std::memcmp(a->ScanLine(y), b.ScanLine(y), size_t(rowBytes)), 0) << int(c.format) << " row " << y;
    EXPECT_EQ(a->ColorTable(), b.ColorTable());
  }
}

TEST(TcxBitmap, MalformedBlockLeavesTheBitmapAlone) {
  std::unique_ptr<TcxBitmap> a = Patterned(pf24bit, 4, 3);
  a->SetCompressData(true);
  TBytesStream s;
  a->WriteData(s);
  Bytes block(s.Bytes().begin(), s.Bytes().begin() + s.Size());
  block[8] = 3;  // version
  TBytesStream bad(block);
  TcxBitmap b(2, 2);
  EXPECT_THROW(b.ReadData(bad), EReadError);
  EXPECT_EQ(b.Width(), 2);
  block[8] = 2;
  block.pop_back();  // the last run now reaches past the payload
  block[0] = uint8_t(block[0] - 1);
  TBytesStream cut(block);
  EXPECT_THROW(b.ReadData(cut), EReadError);
  EXPECT_EQ(b.Width(), 2);
}

TEST(TcxBitmap, PlainFormDataWhenNotCompressed) {
  std::unique_ptr<TcxBitmap> a = Patterned(pf24bit, 4, 3);
  TBytesStream s;
  a->WriteData(s);
  EXPECT_EQ(std::memcmp(s.Bytes().data() + 4, "BM", 2), 0);
  s.SetPosition(0);
  TcxBitmap b;
  b.SetCompressData(true);
  b.ReadData(s);
  EXPECT_EQ(std::memcmp(a->ScanLine(1), b.ScanLine(1), 12), 0);
}

TEST(TcxBitmap, ChangeNoticesAreBatched) {
  TcxBitmap b(2, 2);
  int notices = 0;
  b.OnChange = [&](TObject*) { ++notices; };
  b.BeginChange();
  b.BeginChange();
  b.SetSize(5, 5);
  b.SetSize(6, 6);
  b.EndChange();
  EXPECT_EQ(notices, 0);
  b.EndChange();
  EXPECT_EQ(notices, 1);
  b.BeginChange();
  b.EndChange(false);
  EXPECT_EQ(notices, 1);
  b.BeginChange();
  b.EndChange(true);
  EXPECT_EQ(notices, 2);
  b.SetSize(6, 6);  // unchanged
  EXPECT_EQ(notices, 2);
  b.SetSize(-3, 4);
  EXPECT_EQ(notices, 3);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 4);
}

TEST(TcxBitmap, ConstructorsGiveSizeAndFormat) {
  EXPECT_EQ(TcxBitmap(TRect(2, 3, 7, 5)).GetClientRect(), TRect(0, 0, 5, 2));
  EXPECT_EQ(TcxBitmap(3, 4).PixelFormat(), pf24bit);
  EXPECT_EQ(TcxBitmap(TRect(0, 0, 2, 2), pf8bit).PixelFormat(), pf8bit);
  EXPECT_EQ(TcxBitmap32(3, 4).PixelFormat(), pf32bit);
  EXPECT_EQ(TcxAlphaBitmap(TRect(0, 0, 3, 4).Width(), 4).PixelFormat(), pf32bit);
  TcxBitmap empty;
  EXPECT_TRUE(empty.Empty());
  EXPECT_NE(empty.cxCanvas(), nullptr);
}

TEST(TcxBitmap32, LeavingThirtyTwoBitsRaises) {
  TcxBitmap32 b(3, 3, true);
  try {
    b.SetPixelFormat(pf24bit);
    ADD_FAILURE() << "no error";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), "Wrong PixelFormat");
  }
  EXPECT_EQ(b.PixelFormat(), pf24bit);
}

TEST(TcxBitmap32, LoadsAnyDepthAsThirtyTwoBits) {
  std::unique_ptr<TcxBitmap> a = Patterned(pf24bit, 3, 2);
  TBytesStream s;
  a->SaveToStream(s);
  s.SetPosition(0);
  TcxBitmap32 b;
  b.LoadFromStream(s);
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  const auto* row = static_cast<const uint8_t*>(a->ScanLine(1));
  EXPECT_EQ(Pixel(b, 2, 1) & 0xFFFFFF, uint32_t(row[6] | row[7] << 8 | row[8] << 16));
}

TEST(TcxBitmap32, PixelsAlphaAndMask) {
  TcxBitmap32 b(2, 2, true);
  EXPECT_FALSE(b.IsAlphaUsed());
  SetPixel(b, 0, 0, Quad(1, 2, 3, 0));  // top left
  SetPixel(b, 1, 1, Quad(4, 5, 6, 0));  // bottom right
  EXPECT_FALSE(b.IsAlphaUsed());
  TRGBColors colors;
  b.GetPixels(colors);
  ASSERT_EQ(colors.size(), 4u);
  // Bottom row first.
  EXPECT_EQ(V(colors[1]), Quad(4, 5, 6, 0));
  EXPECT_EQ(V(colors[2]), Quad(1, 2, 3, 0));
  colors[0] = Q(Quad(9, 9, 9, 9));
  b.PutPixels(colors);
  EXPECT_EQ(Pixel(b, 0, 1), Quad(9, 9, 9, 9));
  EXPECT_TRUE(b.IsAlphaUsed());
  b.MakeOpaque();
  EXPECT_EQ(Pixel(b, 0, 0), Quad(1, 2, 3, 255));
  b.Clear();
  EXPECT_FALSE(b.IsAlphaUsed());
  EXPECT_EQ(Pixel(b, 1, 1), 0u);

  TcxBitmap32 c(2, 1, true);
  c.SetAlpha(200);
  TcxBitmap32 mask(2, 1, true);
  SetPixel(mask, 1, 0, 0xFFFFFFFF);
  c.MaskOut(&mask);
  EXPECT_EQ(Pixel(c, 0, 0), Quad(0, 0, 0, 200));
  EXPECT_EQ(Pixel(c, 1, 0), 0u);

  TcxBitmap32 none;
  EXPECT_FALSE(none.IsAlphaUsed());
}

// ---------------------------------------------------------------- filters

int32_t RoundHalfUp(double v) { return int32_t(std::floor(v + 0.5)); }

std::unique_ptr<TcxAlphaBitmap> OnePixel(uint32_t p) {
  auto b = std::make_unique<TcxAlphaBitmap>(1, 1, true);
  SetPixel(*b, 0, 0, p);
  return b;
}

TEST(TcxAlphaBitmap, GreyFiltersUseTheirWeights) {
  const uint32_t pixels[] = {Quad(10, 200, 90, 255), Quad(255, 0, 0, 255), Quad(0, 0, 255, 128),
                             Quad(17, 171, 33, 255), Quad(250, 251, 252, 7)};
  struct Row {
    TcxBitmapFilter kind;
    float r, g, b;
  };
  for (const Row row : {Row{bfDisable, 0.0729f, 0.7146f, 0.2125f}, Row{bfFade, 0.299f, 0.587f, 0.114f}})
    for (uint32_t p : pixels) {
      auto b = OnePixel(p);
      b->Filter(row.kind);
      EXPECT_EQ(Pixel(*b, 0, 0), WithGrey(p, GreyOf(p, row.r, row.g, row.b))) << int(row.kind) << " " << p;
    }
  const uint32_t shadow = (ColorToRGBQuad(clBtnShadow) & 0xFFFFFF) | 0xC0000000u;
  for (uint32_t p : pixels) {
    auto b = OnePixel(p);
    b->Filter(bfDirty);
    EXPECT_EQ(Pixel(*b, 0, 0), Blended(shadow, WithGrey(p, GreyOf(p, 0.299f, 0.587f, 0.114f)), 238)) << p;
  }
}

TEST(TcxAlphaBitmap, DingyLightensOpaqueAndDimsTranslucent) {
  for (uint32_t c : {0u, 1u, 100u, 254u, 255u}) {
    auto b = OnePixel(Quad(uint8_t(c), uint8_t(c), uint8_t(c), 255));
    b->Filter(bfDingy);
    const auto up = uint8_t(c + RoundHalfUp((255.0 - c) * 3 / 10));
    EXPECT_EQ(Pixel(*b, 0, 0), Quad(up, up, up, 255)) << c;

    auto t = OnePixel(Quad(uint8_t(c), 0, uint8_t(c), 200));
    t->Filter(bfDingy);
    const auto down = uint8_t(RoundHalfUp(c * 200.0 / 255));
    EXPECT_EQ(Pixel(*t, 0, 0), Quad(down, 0, down, uint8_t(RoundHalfUp(200 * 200.0 / 255)))) << c;
  }
}

TEST(TcxAlphaBitmap, FiltersRespectTransparentColours) {
  const uint32_t bk = Quad(1, 2, 3, 4), keyed = Quad(50, 60, 70, 99), plain = Quad(30, 60, 90, 255);
  struct Row {
    TcxBitmapFilter kind;
    uint32_t bk, keyed, plain;  // expected
  };
  const Row rows[] = {
      {bfGrayScale, bk, keyed, Quad(60, 60, 60, 255)},
      {bfOpaque, bk | 0xFF000000, keyed | 0xFF000000, plain},
      {bfMakeMask, 0xFFFFFFFF, 0xFFFFFFFF, 0},
      {bfClearColor, bk, bk, bk},
      {bfResetAlpha, bk & 0xFFFFFF, keyed & 0xFFFFFF, plain & 0xFFFFFF},
      {bfFade, bk, keyed, WithGrey(plain, GreyOf(plain, 0.299f, 0.587f, 0.114f))},
  };
  for (const Row& row : rows) {
    TcxAlphaBitmap b(3, 1, bk);
    b.AddTransparentColor(TColor(0x323C46));  // R 70, G 60, B 50
    SetPixel(b, 0, 0, bk);
    SetPixel(b, 1, 0, keyed);
    SetPixel(b, 2, 0, plain);
    b.Filter(row.kind);
    EXPECT_EQ(Pixel(b, 0, 0), row.bk) << int(row.kind);
    EXPECT_EQ(Pixel(b, 1, 0), row.keyed) << int(row.kind);
    EXPECT_EQ(Pixel(b, 2, 0), row.plain) << int(row.kind);
  }
  // Correct alpha: only untransparent pixels with alpha 0.
  TcxAlphaBitmap c(3, 1, true);
  SetPixel(c, 1, 0, Quad(5, 5, 5, 0));
  SetPixel(c, 2, 0, Quad(5, 5, 5, 9));
  c.Filter(bfCorrectAlpha);
  EXPECT_EQ(Pixel(c, 0, 0), 0u);
  EXPECT_EQ(Pixel(c, 1, 0), Quad(5, 5, 5, 255));
  EXPECT_EQ(Pixel(c, 2, 0), Quad(5, 5, 5, 9));
}

TEST(TcxAlphaBitmap, ClearAndReset) {
  TcxAlphaBitmap b(2, 2, Quad(7, 7, 7, 7));
  b.Clear();
  EXPECT_EQ(Pixel(b, 1, 1), Quad(7, 7, 7, 7));
  b.AddTransparentColor(clRed);
  b.Reset(3, 1);
  EXPECT_TRUE(b.TransparentColors().empty());
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(Pixel(b, 2, 0), Quad(7, 7, 7, 7));
  TcxAlphaBitmap z(2, 1, uint32_t(0x00FFFFFF));  // alpha byte 0: cleared to zeros
  SetPixel(z, 0, 0, 0x12345678);
  z.Clear();
  EXPECT_EQ(Pixel(z, 0, 0), 0u);
}

TEST(TcxAlphaBitmap, HatchCountsSquaresFromBottomLeft) {
  TcxAlphaBitmap b(4, 3, true);
  b.DrawHatch(clRed, clBlue, 2, 255, 128);
  const uint32_t red = Quad(0, 0, 255, 255);
  const uint32_t blue = Blended(Quad(255, 0, 0, 255), 0, 128);
  for (int32_t top = 0; top < 3; ++top)
    for (int32_t x = 0; x < 4; ++x) {
      const int32_t fromBottom = 2 - top;
      const bool odd = (x / 2 + fromBottom / 2) % 2 == 1;
      EXPECT_EQ(Pixel(b, x, top), odd ? blue : red) << x << "," << top;
    }
  TcxAlphaBitmap z(2, 2, true);
  z.DrawHatch(clRed, clBlue, 0, 255, 255);  // step 0 taken as 1
  EXPECT_EQ(Pixel(z, 0, 1), red);
  EXPECT_EQ(Pixel(z, 1, 1), Quad(255, 0, 0, 255));
}

TEST(TcxAlphaBitmap, ShadowFallsRightAndDownWhereTheGlyphIsNot) {
  // A 2 x 2 glyph at the top left of a 3 x 3 bitmap.
  TcxAlphaBitmap glyph(3, 3, true), mask(3, 3, true);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) {
      const bool in = x < 2 && y < 2;
      SetPixel(glyph, x, y, in ? Quad(0, 200, 0, 255) : 0);
      SetPixel(mask, x, y, in ? 0 : 0xFFFFFFFF);
    }
  TcxAlphaBitmap same(3, 3, true);
  same.BlitFrom(&glyph);
  same.DrawShadow(&mask, 1, clRed, false);
  const uint32_t red = Quad(0, 0, 255, 255);
  const uint32_t expected[3][3] = {{Quad(0, 200, 0, 255), Quad(0, 200, 0, 255), 0},
                                   {Quad(0, 200, 0, 255), Quad(0, 200, 0, 255), red},
                                   {0, red, red}};
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(Pixel(same, x, y), expected[y][x]) << x << "," << y;

  glyph.DrawShadow(&mask, 2, clRed, true);
  ASSERT_EQ(glyph.Width(), 5);
  ASSERT_EQ(glyph.Height(), 5);
  EXPECT_EQ(Pixel(glyph, 3, 3), red);
  EXPECT_EQ(Pixel(glyph, 2, 2), red);
  EXPECT_EQ(Pixel(glyph, 1, 1), Quad(0, 200, 0, 255));
  EXPECT_EQ(Pixel(glyph, 4, 4), 0u);
  EXPECT_EQ(Pixel(glyph, 4, 0), 0u);
}

// ---------------------------------------------------------------- blending

TEST(BlendPixel, PremultipliedOverWithConstantAlpha) {
  struct Case {
    uint32_t s, d;
    uint8_t ca;
    uint32_t expected;  // worked by hand
  };
  const Case cases[] = {
      // c = 1, e = 1 - 128/255: R = 0.498 x 200 = 99.6 -> 100; A = 128 + 0.498 x 255 = 255.
      {Quad(100, 0, 0, 128), Quad(0, 0, 200, 255), 255, Quad(100, 0, 100, 255)},
      {Quad(100, 50, 25, 255), Quad(9, 9, 9, 9), 0, Quad(9, 9, 9, 9)},
      {Quad(100, 50, 25, 255), Quad(9, 9, 9, 9), 255, Quad(100, 50, 25, 255)},
      // An inconsistent premultiplied source overflows and is clamped.
      {Quad(255, 255, 255, 0), Quad(255, 1, 0, 0), 255, Quad(255, 255, 255, 0)},
      // c = 51/255 = 0.2, e = 0.8: 0.2 x 100 + 0.8 x 50 = 60; alpha 0.2 x 255 + 0 = 51.
      {Quad(100, 0, 0, 255), Quad(50, 0, 0, 0), 51, Quad(60, 0, 0, 51)},
  };
  for (const Case& c : cases) {
    win::RGBQUAD d = Q(c.d);
    BlendPixel(Q(c.s), d, c.ca);
    EXPECT_EQ(V(d), c.expected) << std::hex << c.s << " over " << c.d;
  }
}

TEST(AlphaBlendRect, SoftwareRoadBlendsAndScales) {
  TcxBitmap32 dest(4, 2, true);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 4; ++x) SetPixel(dest, x, y, Quad(0, 0, 200, 255));
  TcxBitmap32 source(1, 1, true);
  SetPixel(source, 0, 0, Quad(100, 0, 0, 128));
  source.BlendInto(&dest, TRect(1, 0, 3, 2));
  EXPECT_EQ(Pixel(dest, 0, 0), Quad(0, 0, 200, 255));
  EXPECT_EQ(Pixel(dest, 1, 0), Quad(100, 0, 100, 255));
  EXPECT_EQ(Pixel(dest, 2, 1), Quad(100, 0, 100, 255));
  EXPECT_EQ(Pixel(dest, 3, 1), Quad(0, 0, 200, 255));
  source.BlendInto(&dest, TRect(0, 0, 1, 1), false, 0);
  EXPECT_EQ(Pixel(dest, 0, 0), Quad(0, 0, 200, 255));
}

// ---------------------------------------------------------------- resampling

double SincD(double x) { return x == 0 ? 1 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x); }

// One Lanczos-3 pass evaluated directly: weights from the kernel, mirrored
// indices, then divided by 256 as the drawing road does.
std::vector<int> LanczosLine(const std::vector<int>& src, int m) {
  const int n = int(src.size());
  const double s = (n == 1 || m == 1) ? double(m) / n : double(m - 1) / (n - 1);
  const double w = s >= 1 ? 1 : 1 / s;
  std::vector<int> out;
  for (int i = 0; i < m; ++i) {
    const double c = i / s;
    long sum = 0;
    for (int j = int(std::floor(c - 3 * w)); j <= int(std::ceil(c + 3 * w)); ++j) {
      const double x = (c - j) / w;
      const double l = std::fabs(x) < 3 ? SincD(x) * SincD(x / 3) : 0;
      const long weight = std::lround(l / w * 256);
      int k = j;
      while (k < 0 || k >= n) k = k < 0 ? -k : 2 * n - 1 - k;
      sum += weight * src[size_t(k)];
    }
    out.push_back(sum < 0 ? 0 : int(std::min<long>(255, sum / 256)));
  }
  return out;
}

TEST(ResampleBitmapSmooth, LanczosPassesMatchTheKernel) {
  struct Case {
    std::vector<int> row;
    int width;
  };
  const Case cases[] = {{{10, 200, 30, 90, 250}, 1}, {{0, 255}, 3}, {{40, 80, 120, 160, 200, 240}, 4},
                        {{100, 100, 100, 100}, 1}, {{255, 0, 255, 0, 255, 0, 255}, 13}};
  for (const Case& c : cases) {
    const int32_t n = int32_t(c.row.size());
    TcxBitmap32 src(n, 1, true);
    for (int32_t x = 0; x < n; ++x) SetPixel(src, x, 0, Quad(uint8_t(c.row[size_t(x)]), 0, 77, 255));
    TcxBitmap32 dst(c.width, 1, true);
    ResampleBitmapSmooth(&src, &dst, true);
    const std::vector<int> blue = LanczosLine(c.row, c.width);
    const std::vector<int> red = LanczosLine(std::vector<int>(size_t(n), 77), c.width);
    for (int32_t x = 0; x < c.width; ++x) {
      const uint32_t p = Pixel(dst, x, 0);
      // Single against double precision may move a weight by one step.
      EXPECT_NEAR(int(p & 255), blue[size_t(x)], 1) << n << "->" << c.width << " at " << x;
      EXPECT_NEAR(int((p >> 16) & 255), red[size_t(x)], 1);
    }
  }
  // The same through the columns.
  TcxBitmap32 tall(1, 5, true), one(1, 1, true);
  const int column[5] = {10, 200, 30, 90, 250};
  for (int32_t y = 0; y < 5; ++y) SetPixel(tall, 0, 4 - y, Quad(uint8_t(column[y]), 0, 0, 255));
  ResampleBitmapSmooth(&tall, &one, true);
  EXPECT_NEAR(int(Pixel(one, 0, 0) & 255), LanczosLine({10, 200, 30, 90, 250}, 1)[0], 1);
}

TEST(ResampleBitmapSmooth, WidthOneAveragesTheRow) {
  TcxBitmap32 src(8, 2, true), dst(1, 2, true);
  for (int32_t x = 0; x < 8; ++x) {
    SetPixel(src, x, 0, Quad(120, 60, 30, 255));
    SetPixel(src, x, 1, Quad(uint8_t(x % 2 ? 200 : 100), 0, 0, 255));
  }
  ResampleBitmapSmooth(&src, &dst, true);
  EXPECT_NEAR(int(Pixel(dst, 0, 0) & 255), 120, 2);
  EXPECT_NEAR(int((Pixel(dst, 0, 0) >> 16) & 255), 30, 2);
  EXPECT_NEAR(int(Pixel(dst, 0, 1) & 255), 150, 3);
}

TEST(ResampleBitmapSmooth, HalftoneStretchOnTheNTFamily) {
  ASSERT_TRUE(IsWinNTFamily);
  TcxBitmap32 src(4, 4, true), dst(2, 2, true);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) SetPixel(src, x, y, Quad(uint8_t(x < 2 ? 40 : 240), 0, 0, 0));
  ResampleBitmapSmooth(&src, &dst);
  EXPECT_EQ(Pixel(dst, 0, 1) & 0xFFFFFF, 40u);
  EXPECT_EQ(Pixel(dst, 1, 0) & 0xFFFFFF, 240u);
  EXPECT_EQ(GetStretchBltMode(dst.Canvas()->Handle()), win::BLACKONWHITE);
  TcxBitmap32 empty;
  ResampleBitmapSmooth(&src, &empty, true);  // nothing to do
  EXPECT_TRUE(empty.Empty());
}

// ---------------------------------------------------------------- copies and DIB access

TEST(DIBPixels, TopDownAndBottomUp) {
  win::BITMAPINFOHEADER h;
  h.biXPelsPerMeter = 5;
  InitBitmapInfoHeader32(h, 3, 2, true);
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 3);
  EXPECT_EQ(h.biHeight, -2);
  EXPECT_EQ(h.biBitCount, 32);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biCompression, win::BI_RGB);
  EXPECT_EQ(h.biXPelsPerMeter, 0);
  InitBitmapInfoHeader32(h, 3, 2, false);
  EXPECT_EQ(h.biHeight, 2);

  TBitmap b(1, 2);
  b.SetPixelFormat(pf24bit);
  b.Canvas()->SetPixels(0, 0, clRed);
  b.Canvas()->SetPixels(0, 1, clBlue);
  TRGBColors c;
  ASSERT_TRUE(GetBitmapPixels(&b, true, c));
  EXPECT_EQ(V(c[0]) & 0xFFFFFF, Quad(0, 0, 255, 0));
  ASSERT_TRUE(GetBitmapPixels(&b, false, c));
  EXPECT_EQ(V(c[0]) & 0xFFFFFF, Quad(255, 0, 0, 0));
  c[0] = Q(Quad(0, 255, 0, 0));
  ASSERT_TRUE(SetBitmapPixels(&b, c, false));
  EXPECT_TRUE(c.empty());
  EXPECT_EQ(b.Canvas()->Pixels(0, 1), clLime);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);

  TBitmap empty;
  win::RGBQUAD q;
  EXPECT_FALSE(ReadDIBPixels(&empty, &q, true));
  EXPECT_FALSE(WriteDIBPixels(&empty, &q, true));
}

TEST(BitmapCopies, KeepEveryPixel) {
  TBitmap src(3, 2);
  src.SetPixelFormat(pf24bit);
  src.Canvas()->Brush()->SetColor(clYellow);
  src.Canvas()->FillRect(TRect(0, 0, 3, 2));
  src.Canvas()->SetPixels(2, 1, clNavy);

  std::unique_ptr<TBitmap> part = CopyDCRectToBitmap32(src.Canvas()->Handle(), TRect(1, 0, 3, 2));
  EXPECT_EQ(part->PixelFormat(), pf32bit);
  EXPECT_EQ(part->Width(), 2);
  EXPECT_EQ(part->Canvas()->Pixels(1, 1), clNavy);
  EXPECT_EQ(part->Canvas()->Pixels(0, 0), clYellow);

  TBitmap dest;
  dest.SetPixelFormat(pf24bit);
  int notices = 0;
  dest.OnChange = [&](TObject*) { ++notices; };
  CopyBitmapAndSize(&dest, &src);
  EXPECT_EQ(dest.Width(), 3);
  EXPECT_EQ(dest.Canvas()->Pixels(2, 1), clNavy);
  EXPECT_GE(notices, 2);  // the resize and the copy

  TBitmap big(6, 4);
  big.SetPixelFormat(pf24bit);
  StretchBitmap(&big, &src);
  EXPECT_EQ(big.Canvas()->Pixels(5, 3), clNavy);
  EXPECT_EQ(big.Canvas()->Pixels(4, 2), clNavy);
  EXPECT_EQ(big.Canvas()->Pixels(3, 1), clYellow);

  std::unique_ptr<TBitmap> dup = DuplicateBitmap(&src);
  EXPECT_EQ(dup->Canvas()->Pixels(2, 1), clNavy);
  dup->Canvas()->SetPixels(2, 1, clWhite);
  EXPECT_EQ(src.Canvas()->Pixels(2, 1), clNavy);

  for (TPixelFormat f : {pf8bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap b(3, 2);
    b.SetPixelFormat(f);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, 3, 2));
    b.Canvas()->SetPixels(1, 1, clBlack);
    win::HBITMAP copy = DuplicateImageHandle(b.Handle());
    ASSERT_NE(copy, nullptr) << int(f);
    TBitmap back;
    back.SetHandle(copy);
    EXPECT_EQ(back.PixelFormat(), f);
    EXPECT_EQ(back.Canvas()->Pixels(1, 1), clBlack) << int(f);
    EXPECT_EQ(back.Canvas()->Pixels(2, 1), clWhite) << int(f);
  }
  EXPECT_EQ(DuplicateImageHandle(nullptr), nullptr);
}

TEST(TcxBitmap32, HugeAndEmptySizes) {
  TcxBitmap32 empty(0, 0, true);
  TRGBColors c{win::RGBQUAD{}};
  empty.GetPixels(c);
  EXPECT_TRUE(c.empty());
  TcxAlphaBitmap e;
  e.Filter(bfOpaque);
  EXPECT_TRUE(e.Empty());
  // 2^31 pixels: the platform refuses the memory.
  EXPECT_THROW(TcxBitmap32(1 << 16, 1 << 15), Exception);
}

}  // namespace
