// The gate before a TIFF page's buffer: strips and tiles inside the stream,
// and past the pixel limit, data that could fill the page.
#include <gtest/gtest.h>

#include <functional>

#include "imaging/formats/tiffilt.h"
#include "platform/gdi/imagegate.h"

namespace {

// 100 x 50 RGB, 8 bits a sample: 300-byte rows, one uncompressed strip of
// 15,000 bytes at offset 100 of a 15,100-byte file.
TTIFFVars OneStrip() {
  TTIFFVars v;
  v.ImageWidth = 100;
  v.ImageLength = 50;
  v.SamplesPerPixel = 3;
  v.BitsPerSample = 8;
  v.RowsPerStrip = 50;
  v.Compression = 1;
  v.StripOffsets = {100};
  v.StripByteCounts = {15000};
  return v;
}

TEST(TiffPageGate, StripsAndTilesMustLieInsideTheStream) {
  const struct {
    const char* name;
    std::function<void(TTIFFVars&)> change;
    int64_t base, streamSize;
    bool ok;
  } cases[] = {
      {"the strip fills the file", [](TTIFFVars&) {}, 0, 15100, true},
      {"byte count runs past the end", [](TTIFFVars& v) { v.StripByteCounts = {15001}; }, 0, 15100, false},
      {"offset past the end", [](TTIFFVars& v) { v.StripOffsets = {20000}; }, 0, 15100, false},
      {"offset past 2 GB", [](TTIFFVars& v) { v.StripOffsets = {-8}; }, 0, 15100, false},
      {"the base moves the strip past the end", [](TTIFFVars&) {}, 1, 15100, false},
      {"the base counted in", [](TTIFFVars&) {}, 40, 15140, true},
      {"no strips", [](TTIFFVars& v) { v.StripOffsets.clear(); }, 0, 15100, false},
      {"fewer byte counts than strips",
       [](TTIFFVars& v) {
         v.StripOffsets = {100, 7600};
         v.StripByteCounts = {7500};
       },
       0, 15100, false},
      {"no byte counts: uncompressed rows measured", [](TTIFFVars& v) { v.StripByteCounts.clear(); }, 0, 15099,
       false},
      {"no byte counts: the rows fit", [](TTIFFVars& v) { v.StripByteCounts.clear(); }, 0, 15100, true},
      {"tiles inside",
       [](TTIFFVars& v) {
         v.TileWidth = v.TileLength = 64;
         v.TileOffsets = {100, 12388};
         v.TileByteCounts = {12288, 2712};
       },
       0, 15100, true},
      {"a tile runs past the end",
       [](TTIFFVars& v) {
         v.TileWidth = v.TileLength = 64;
         v.TileOffsets = {100, 12388};
         v.TileByteCounts = {12288, 2713};
       },
       0, 15100, false},
      {"absurd page size",
       [](TTIFFVars& v) {
         v.ImageWidth = 1 << 30;
         v.ImageLength = 1 << 30;
       },
       0, 15100, false},
      {"no width", [](TTIFFVars& v) { v.ImageWidth = 0; }, 0, 15100, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TTIFFVars v = OneStrip();
    c.change(v);
    EXPECT_EQ(TIFFCheckPageData(v, c.base, c.streamSize), c.ok);
  }
}

// Past the limit the data must fill the page at its compression's best ratio:
// uncompressed exactly, deflate and LZW 4,096 bytes per byte (3 bytes make 40
// of the 50 rows, 4 bytes 54), a fax code a row per bit, an unknown scheme nothing.
TEST(TiffPageGate, PastThePixelLimitTheDataMustFillThePage) {
  win::ScopedImagePixelLimit limit(1000);
  const struct {
    const char* name;
    uint16_t compression;
    int32_t count;
    bool ok;
  } cases[] = {
      {"uncompressed, whole", 1, 15000, true},
      {"uncompressed, one row short", 1, 14700, false},
      {"deflate, 3 bytes", 8, 3, false},
      {"deflate, 4 bytes", 8, 4, true},
      {"LZW, 3 bytes", 5, 3, false},
      {"PackBits, 234 bytes", 32773, 234, false},
      {"PackBits, 235 bytes", 32773, 235, true},
      {"JPEG, 9 bytes", 7, 9, false},
      {"JPEG, 10 bytes", 7, 10, true},
      {"G4 fax, 7 bytes (56 rows)", 4, 7, true},
      {"G4 fax, 6 bytes (48 rows)", 4, 6, false},
      {"unknown scheme", 34712, 15000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TTIFFVars v = OneStrip();
    v.Compression = c.compression;
    v.StripByteCounts = {c.count};
    EXPECT_EQ(TIFFCheckPageData(v, 0, 15100), c.ok);
  }
  // Within the limit the same short data is believed.
  win::ScopedImagePixelLimit wide(5000);
  TTIFFVars v = OneStrip();
  v.Compression = 8;
  v.StripByteCounts = {3};
  EXPECT_TRUE(TIFFCheckPageData(v, 0, 15100));
}

}  // namespace
