#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <array>
#include <map>
#include <memory>
#include <vector>

#include "imaging/core/ieconvert.h"
#include "imaging/core/iecolorconv.h"
#include "imaging/core/neurquant.h"
#include "imaging/core/stdquant.h"

namespace {

class Quantizer : public ::testing::Test {
protected:
  void SetUp() override {
    savedMethod_ = IEQuantizerMethod;
    savedQuality_ = IEQuantizerQuality;
    IEQuantizerMethod = -1;
    IEQuantizerQuality = -1;
  }
  void TearDown() override {
    IEQuantizerMethod = savedMethod_;
    IEQuantizerQuality = savedQuality_;
  }
  int32_t savedMethod_ = -1, savedQuality_ = -1;
};

// n distinct colours, one per pixel, in a 20-column image; colour i sits at pixel i.
TRGB ColorNumber(int32_t i) { return TRGB{uint8_t((i * 7) % 256), uint8_t(i / 20 * 17), uint8_t(i % 20 * 13)}; }
std::unique_ptr<TIEBitmap> DistinctColors(int32_t n) {
  const int32_t h = (n + 19) / 20;
  auto b = TIEBitmap::CreateSized(20, h, ie24RGB);
  for (int32_t i = 0; i < 20 * h; ++i) b->SetPixel24(i % 20, i / 20, ColorNumber(std::min(i, n - 1)));
  return b;
}

int32_t Distance(const TRGB& a, const TRGB& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

// Every pixel's index names an entry no farther (sum of channel differences) than any other entry.
void ExpectNearest(TIEBitmap& image, TIEQuantizer& q, const std::vector<TRGB>& palette) {
  for (int32_t y = 0; y < image.GetHeight(); ++y)
    for (int32_t x = 0; x < image.GetWidth(); ++x) {
      const TRGB c = image.GetPixel24(x, y);
      const int32_t i = q.ColorToIndex(c);
      ASSERT_GE(i, 0);
      ASSERT_LT(i, int32_t(palette.size()));
      int32_t best = 1 << 30;
      for (const TRGB& p : palette) best = std::min(best, Distance(c, p));
      ASSERT_EQ(Distance(c, palette[size_t(i)]), best) << x << "," << y;
    }
}

TEST_F(Quantizer, ThreeHundredColoursToNeuQuantPalettesMapToTheNearestEntry) {
  auto image = DistinctColors(300);
  IEQuantizerMethod = 0;
  for (int32_t n : {256, 16}) {
    std::vector<TRGB> palette(static_cast<size_t>(n));
    TIEQuantizer q(*image, palette.data(), n);
    EXPECT_TRUE(q.HasBuilder());
    EXPECT_EQ(q.Method(), 0);
    ExpectNearest(*image, q, palette);
  }
}

TEST_F(Quantizer, MedianCutPaletteIsTheMeanOfTheCellsMappedToIt) {
  auto image = DistinctColors(300);
  std::vector<TRGB> palette(16);
  TIEQuantizer q(*image, palette.data(), 16);  // automatic: below 128 colours
  ASSERT_EQ(q.Method(), 1);
  std::map<int32_t, std::array<double, 4>> sums;  // index -> r5, g5, b5 sums and count
  for (int32_t y = 0; y < image->GetHeight(); ++y)
    for (int32_t x = 0; x < image->GetWidth(); ++x) {
      const TRGB c = image->GetPixel24(x, y);
      auto& s = sums[q.ColorToIndex(c)];
      s[0] += c.r >> 3;
      s[1] += c.g >> 3;
      s[2] += c.b >> 3;
      s[3] += 1;
    }
  EXPECT_EQ(sums.size(), 16u);
  for (const auto& [index, s] : sums) {
    const TRGB& p = palette[size_t(index)];
    EXPECT_EQ(p.r, int(std::nearbyint(s[0] / s[3])) * 8) << index;
    EXPECT_EQ(p.g, int(std::nearbyint(s[1] / s[3])) * 8) << index;
    EXPECT_EQ(p.b, int(std::nearbyint(s[2] / s[3])) * 8) << index;
  }
}

TEST_F(Quantizer, MethodSwitch) {
  auto image = DistinctColors(300);
  std::vector<TRGB> palette(256);
  struct Case {
    int32_t method, colors, expected;
  };
  const Case cases[] = {{-1, 127, 1}, {-1, 128, 0}, {0, 16, 0}, {1, 200, 1}, {7, 16, 0}};
  for (const Case& c : cases) {
    IEQuantizerMethod = c.method;
    TIEQuantizer q(*image, palette.data(), c.colors);
    EXPECT_EQ(q.Method(), c.expected) << c.method << " " << c.colors;
  }
}

TEST_F(Quantizer, ExactPaletteInOrderOfFirstAppearance) {
  auto image = DistinctColors(40);
  std::vector<TRGB> palette(40);
  TIEQuantizer q(*image, palette.data(), 40);
  EXPECT_FALSE(q.HasBuilder());
  for (int32_t i = 0; i < 40; ++i) {
    EXPECT_EQ(palette[size_t(i)], ColorNumber(i));
    EXPECT_EQ(q.ColorToIndex(ColorNumber(i)), i);
  }
  EXPECT_EQ(q.ColorToIndex(TRGB{1, 1, 250}), -1);
  std::vector<TRGB> fewer(39);
  TIEQuantizer q2(*image, fewer.data(), 39);
  EXPECT_TRUE(q2.HasBuilder());
  EXPECT_TRUE(q2.ExactPalette().empty());
}

TEST_F(Quantizer, GrayImagesGetTheRamp) {
  auto gray = TIEBitmap::CreateSized(256, 1, ie24RGB);
  for (int32_t x = 0; x < 256; ++x) gray->SetPixel24(x, 0, TRGB{uint8_t(x), uint8_t(x), uint8_t(x)});
  std::vector<TRGB> palette(16);
  TIEQuantizer q(*gray, palette.data(), 16);
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(palette[size_t(i)], (TRGB{uint8_t(16 * i), uint8_t(16 * i), uint8_t(16 * i)}));
  for (int32_t v = 0; v < 256; ++v) EXPECT_EQ(q.ColorToIndex(TRGB{uint8_t(v), uint8_t(v), uint8_t(v)}), v / 16);
  std::vector<TRGB> two(2);
  auto bits = TIEBitmap::CreateSized(4, 4, ie1g);
  TIEQuantizer q2(*bits, two.data(), 2);
  EXPECT_EQ(two[1], (TRGB{128, 128, 128}));
  // A gray palette image keeps its own entries.
  auto p = TIEBitmap::CreateSized(2, 2, ie8p);
  for (int32_t i = 0; i < 256; ++i) p->SetPaletteColor(i, TRGB{uint8_t(255 - i), uint8_t(255 - i), uint8_t(255 - i)});
  std::vector<TRGB> own(4);
  TIEQuantizer q3(*p, own.data(), 4);
  EXPECT_EQ(own[1], (TRGB{254, 254, 254}));
}

TEST_F(Quantizer, ColourPaletteImageLooksUpItsOwnPalette) {
  auto p = TIEBitmap::CreateSized(2, 2, ie8p);
  for (int32_t i = 0; i < 256; ++i) p->SetPaletteColor(i, TRGB{uint8_t(i), 0, uint8_t(255 - i)});
  std::vector<TRGB> palette(256);
  TIEQuantizer q(*p, palette.data(), 256);
  EXPECT_EQ(palette[9], (TRGB{9, 0, 246}));
  EXPECT_EQ(q.ColorToIndex(TRGB{9, 0, 246}), 9);
  // Not in the palette: the nearest entry, inside the palette.
  const int32_t i = q.ColorToIndex(TRGB{10, 3, 244});
  EXPECT_GE(i, 0);
  EXPECT_LT(i, 256);
  EXPECT_EQ(i, 10);
}

TEST(NeuQuant, SamplingFactor) {
  struct Case {
    int64_t pixels;
    int32_t quality, factor;
  };
  const Case cases[] = {{1999, -1, 1}, {2000, -1, 2}, {150000, -1, int32_t(std::nearbyint(148000.0 * 13 / 148000 + 2))},
                        {12000000, -1, 30}, {10, 100, 1}, {10, 50, 15}, {10, 0, 30}};
  for (const Case& c : cases) EXPECT_EQ(NeuQuantSamplingFactor(c.pixels, c.quality), c.factor) << c.pixels;
}

TEST(NeuQuant, TooFewPixelsLearnNothing) {
  // Quality 0 samples every 30th pixel: 25 pixels give no sample at all.
  auto image = TIEBitmap::CreateSized(5, 5, ie24RGB);
  image->Fill(0x0000FF);
  const int32_t n = 10;
  std::vector<TRGB> palette(n);
  auto state = NeuQuantCreate(*image, palette.data(), 0, n);
  for (int32_t i = 0; i < n; ++i) {
    const auto v = uint8_t(std::min(255, (i * 4096 / n + 8) >> 4));
    EXPECT_EQ(palette[size_t(i)], (TRGB{v, v, v})) << i;
  }
  // An entry is found at distance 0.
  for (int32_t i = 0; i < n; ++i) {
    const TRGB& p = palette[size_t(i)];
    EXPECT_EQ(NeuQuantColorIndex(*state, uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b), i);
  }
}

TEST(NeuQuant, SmallNetworksMoveNoNeighbours) {
  // 8 colours: initrad 1, so only the winning neuron learns; every pixel colour is red or blue.
  auto image = TIEBitmap::CreateSized(64, 64, ie24RGB);
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 64; ++x) image->SetPixel24(x, y, (x + y) % 2 ? TRGB{255, 0, 0} : TRGB{0, 0, 255});
  std::vector<TRGB> palette(8);
  auto state = NeuQuantCreate(*image, palette.data(), 100, 8);
  const int32_t red = NeuQuantColorIndex(*state, 0xFF0000), blue = NeuQuantColorIndex(*state, 0x0000FF);
  EXPECT_NE(red, blue);
  EXPECT_GT(palette[size_t(red)].r, 200);
  EXPECT_GT(palette[size_t(blue)].b, 200);
}

TEST(MedianCut, OneColourMakesOneBox) {
  auto image = TIEBitmap::CreateSized(7, 3, ie24RGB);
  image->Fill(0x3060A0);  // red 0xA0, green 0x60, blue 0x30
  std::vector<TRGB> palette(16, TRGB{1, 1, 1});
  auto state = StdQuantCreate(*image, palette.data(), 16);
  EXPECT_EQ(StdQuantColorCount(*state), 1);
  EXPECT_EQ(palette[0], (TRGB{0x30, 0x60, 0xA0}));
  EXPECT_EQ(palette[1], (TRGB{1, 1, 1}));
  EXPECT_EQ(StdQuantColorIndex(*state, 0x000000), 0);
  EXPECT_EQ(StdQuantColorIndex(*state, 0xA06030), 0);
}

TEST(MedianCut, ColoursOutsideEveryBoxMapToZero) {
  auto image = TIEBitmap::CreateSized(2, 1, ie24RGB);
  image->SetPixel24(0, 0, TRGB{0, 0, 0});
  image->SetPixel24(1, 0, TRGB{255, 255, 255});
  std::vector<TRGB> palette(4);
  auto state = StdQuantCreate(*image, palette.data(), 4);
  EXPECT_EQ(StdQuantColorCount(*state), 2);
  const int32_t white = StdQuantColorIndex(*state, 0xFFFFFF);
  EXPECT_EQ(palette[size_t(white)], (TRGB{248, 248, 248}));
  EXPECT_NE(white, StdQuantColorIndex(*state, 0));
  EXPECT_EQ(StdQuantColorIndex(*state, 0x808080), 0);
}

}  // namespace
