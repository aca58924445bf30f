#include "imaging/metadata/ieannot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "tests/support/testsupport.h"

namespace {

std::string I32(int32_t v) {
  const uint32_t u = uint32_t(v);
  return {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
}

std::string Named(int32_t record, const std::string& name, const std::string& data, bool sizeFlagZero = false) {
  std::string padded = name;
  padded.resize(8, '\0');
  return I32(record) + I32(12) + padded + I32(int32_t(data.size())) + (sizeFlagZero ? I32(0) : "") + data;
}

std::string Header(int32_t flag = 1) { return I32(0) + I32(flag); }

std::string Attributes(int32_t type, int32_t at48 = 0) {
  std::string a(164, '\0');
  for (size_t i = 4; i < a.size(); ++i) a[i] = char(i * 3);
  std::memcpy(a.data(), I32(type).data(), 4);
  std::memcpy(a.data() + 48, I32(at48).data(), 4);
  return a;
}

std::string Mark(int32_t type, int32_t at48 = 0) { return I32(5) + I32(164) + Attributes(type, at48); }

std::string TextBlock(int32_t scale, const std::string& text) {
  return Named(6, "OiAnText", I32(0) + I32(1000) + I32(scale) + I32(int32_t(text.size())) + text + std::string(1, '\0'));
}

// Loads from an exact-size heap copy, so that a read past the block is caught.
void Load(TIEImagingAnnot& annot, const std::string& block) {
  auto copy = std::make_unique<uint8_t[]>(block.size() + 1);
  std::memcpy(copy.get(), block.data(), block.size());
  annot.LoadFromBuffer(copy.get(), int32_t(block.size()));
}

int32_t At48(const TIEImagingObject& o) {
  int32_t v;
  std::memcpy(&v, o.Attributes.data() + 48, 4);
  return v;
}

// The attribute bytes the fixture's script writes for a mark.
std::array<uint8_t, 164> FixtureAttributes(int32_t type, int32_t fill, int32_t at48 = -1) {
  std::array<uint8_t, 164> a{};
  for (size_t i = 0; i < a.size(); ++i) a[i] = uint8_t((fill + 7 * i) % 256);
  std::memcpy(a.data(), I32(type).data(), 4);
  if (at48 >= 0) std::memcpy(a.data() + 48, I32(at48).data(), 4);
  return a;
}

std::string Fixture() { return testsupport::ReadFileBytes(testsupport::DataFile("annot_marks.bin")); }

std::string Saved(const TIEImagingAnnot& annot) {
  const std::vector<uint8_t> b = annot.SaveToBuffer();
  return {b.begin(), b.end()};
}

// A packed bitmap header of the BITMAPINFOHEADER layout.
std::string DibHeader(int32_t width, int32_t height, int32_t bits, int32_t compression = 0, int32_t colorsUsed = 0,
                      int32_t headerSize = 40) {
  std::string h = I32(headerSize) + I32(width) + I32(height) + std::string("\x01\x00", 2) +
                  std::string{char(bits), 0} + I32(compression) + I32(0) + I32(0) + I32(0) + I32(colorsUsed) +
                  I32(0);
  h.resize(size_t(headerSize), '\0');
  return h;
}

std::string Quad(uint8_t r, uint8_t g, uint8_t b) { return {char(b), char(g), char(r), 0}; }

}  // namespace

TEST(IEImagingAnnot, ReadsEveryKindOfMarkOfTheFixture) {
  TIEImagingAnnot annot;
  Load(annot, Fixture());
  ASSERT_EQ(annot.ObjectsCount(), 5);

  const TIEImagingObject& points = annot.Objects(0);
  EXPECT_EQ(points.ObjectType(), 3);
  EXPECT_EQ(points.Attributes, FixtureAttributes(3, 11));
  EXPECT_EQ(points.Points, (std::vector<TPoint>{{10, 20}, {-5, 7}, {300, 400}}));
  EXPECT_FALSE(points.HasText);
  EXPECT_EQ(points.Image, nullptr);

  const TIEImagingObject& text = annot.Objects(1);
  EXPECT_EQ(text.Attributes, FixtureAttributes(7, 23, 150));
  EXPECT_TRUE(text.HasText);
  EXPECT_EQ(text.Text, "Hello annotations");

  const TIEImagingObject& bilevel = annot.Objects(2);
  EXPECT_EQ(bilevel.Attributes, FixtureAttributes(1, 37));
  ASSERT_NE(bilevel.Image, nullptr);
  ASSERT_EQ(bilevel.Image->GetPixelFormat(), ie1g);
  ASSERT_EQ(bilevel.Image->GetWidth(), 10);
  ASSERT_EQ(bilevel.Image->GetHeight(), 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 10; ++x) {
      const auto* row = static_cast<const uint8_t*>(bilevel.Image->GetScanline(y));
      EXPECT_EQ((row[x / 8] >> (7 - x % 8)) & 1, (x + y) % 3 == 0 ? 1 : 0) << x << "," << y;
    }

  EXPECT_EQ(annot.Objects(3).Attributes, FixtureAttributes(5, 41));
  EXPECT_TRUE(annot.Objects(3).Points.empty());
  EXPECT_FALSE(annot.Objects(3).HasText);

  const TIEImagingObject& colour = annot.Objects(4);
  ASSERT_NE(colour.Image, nullptr);
  ASSERT_EQ(colour.Image->GetPixelFormat(), ie24RGB);
  EXPECT_EQ(colour.Image->GetPixel24(0, 0), (TRGB{0, 0, 255}));      // red, top left
  EXPECT_EQ(colour.Image->GetPixel24(1, 0), (TRGB{0, 255, 0}));      // green
  EXPECT_EQ(colour.Image->GetPixel24(0, 1), (TRGB{255, 0, 0}));      // blue, bottom left
  EXPECT_EQ(colour.Image->GetPixel24(1, 1), (TRGB{255, 255, 255}));  // white
  EXPECT_THROW(annot.Objects(5), EListError);
  EXPECT_THROW(annot.Objects(-1), EListError);
}

TEST(IEImagingAnnot, LoadingAndSavingGivesTheSameBytes) {
  const std::string fixture = Fixture();
  TIEImagingAnnot annot;
  Load(annot, fixture);
  const std::string saved = Saved(annot);
  EXPECT_EQ(saved, fixture);
  TIEImagingAnnot again;
  Load(again, saved);
  EXPECT_EQ(Saved(again), fixture);
  TIEImagingAnnot empty;
  EXPECT_TRUE(empty.SaveToBuffer().empty());
}

TEST(IEImagingAnnot, LoadingTwiceAppends) {
  TIEImagingAnnot annot;
  Load(annot, Fixture());
  Load(annot, Fixture());
  ASSERT_EQ(annot.ObjectsCount(), 10);
  EXPECT_EQ(annot.Objects(5).Points, annot.Objects(0).Points);
  annot.Clear();
  EXPECT_EQ(annot.ObjectsCount(), 0);
}

TEST(IEImagingAnnot, SaveDropsNamesItDoesNotKeepAndWritesGroupsAndIndexes) {
  // A file-name block, a group other than "0" and a 56-byte block of a type-2 mark are not kept.
  const std::string block = Header() + Named(2, "OiFilNam", std::string("c:\\x.tif\0", 9)) + Mark(2) +
                            Named(6, "OiAnoDat", std::string(56, '\x05')) + Named(6, "OiGroup", std::string("7\0", 2)) +
                            Mark(4) + Named(6, "OiAnoDat", I32(99) + I32(1) + I32(-3) + I32(8));
  TIEImagingAnnot annot;
  Load(annot, block);
  ASSERT_EQ(annot.ObjectsCount(), 2);
  EXPECT_EQ(annot.Objects(1).Points, (std::vector<TPoint>{{-3, 8}}));
  const std::string expected = Header() + Named(2, "OiGroup", std::string("0\0", 2)) +
                               Named(2, "OiIndex", std::string("1\0", 2)) + Mark(2) +
                               Named(6, "OiGroup", std::string("0\0", 2)) + Named(6, "OiIndex", std::string("0\0", 2)) +
                               Mark(4) + Named(6, "OiAnoDat", I32(1) + I32(1) + I32(-3) + I32(8)) +
                               Named(6, "OiGroup", std::string("0\0", 2)) + Named(6, "OiIndex", std::string("1\0", 2));
  EXPECT_EQ(Saved(annot), expected);
}

TEST(IEImagingAnnot, TextSizesAreRescaledToTheScaleOf7500) {
  struct Row {
    int32_t scale, size, expected;
  } rows[] = {
      {7500, 150, 150},     // 20 on the 1000 scale, back to 150
      {0, 150, 150},        // scale 0 is read as 7500
      {0, 100, 98},         // 13.33 -> 13, 97.5 -> 98 (halves to even)
      {7500, 105, 105},     // 14 -> 105
      {1000, 100, 750},
      {3, 2, 5002},         // 666.67 -> 667, 5002.5 -> 5002
      {1, 0x7FFFFFFF, 0x7FFFFFFF},  // beyond 32 bits: held at the largest value
      {-1000, 20, -150},
  };
  for (const Row& r : rows) {
    TIEImagingAnnot annot;
    Load(annot, Header() + Mark(8, r.size) + TextBlock(r.scale, "t"));
    ASSERT_EQ(annot.ObjectsCount(), 1);
    EXPECT_EQ(At48(annot.Objects(0)), r.expected) << r.scale << " " << r.size;
    EXPECT_EQ(annot.Objects(0).Text, "t");
  }
}

TEST(IEImagingAnnot, RecordRules) {
  struct Row {
    const char* name;
    std::string block;
    int32_t count;
    std::string firstText;  // of mark 0 when it has text
  } rows[] = {
      {"a mark block before any mark belongs to none", Header() + TextBlock(0, "lost") + Mark(7, 75) + Mark(3), 2, ""},
      {"type 0 and negative marks are not made", Header() + Mark(0) + Mark(-4) + Mark(9) + TextBlock(0, "x"), 1, "x"},
      {"unknown records take 8 bytes", Header() + I32(77) + I32(123) + Mark(7) + TextBlock(0, "y"), 1, "y"},
      {"flag 0: 4 bytes between size and data", Header(0) + Named(2, "OiGroup", std::string("0\0", 2), true) + Mark(10) +
                                                    Named(6, "OiAnText", I32(0) + I32(0) + I32(0) + I32(1) + "z" +
                                                                             std::string(1, '\0'), true),
       1, "z"},
      {"a later block of a name replaces", Header() + Mark(7) + TextBlock(0, "old") + TextBlock(0, "new"), 1, "new"},
      {"names compare with case", Header() + Mark(7) + Named(6, "oiantext", I32(0) + I32(0) + I32(0) + I32(0) + "q"), 1,
       ""},
      {"a text without terminator ends with its block",
       Header() + Mark(7) + Named(6, "OiAnText", I32(0) + I32(0) + I32(0) + I32(0) + "open"), 1, "open"},
  };
  for (const Row& r : rows) {
    TIEImagingAnnot annot;
    Load(annot, r.block);
    ASSERT_EQ(annot.ObjectsCount(), r.count) << r.name;
    EXPECT_EQ(annot.Objects(0).Text, r.firstText) << r.name;
  }
}

TEST(IEImagingAnnot, MalformedBlocksEndTheParseWithoutReadingPastThem) {
  const std::string good = Header() + Mark(3) + Named(6, "OiAnoDat", I32(1) + I32(1) + I32(4) + I32(5));
  struct Row {
    const char* name;
    std::string block;
    int32_t count;
    size_t pointsOfLast;
  } rows[] = {
      {"empty", "", 0, 0},
      {"shorter than the header", std::string("\0\0\0\0\1\0", 6), 0, 0},
      {"record cut inside its type", Header() + "\5\0", 0, 0},
      {"mark cut inside its attributes", Header() + I32(5) + I32(164) + std::string(100, '\3'), 0, 0},
      {"named block claims more than the block holds", good + Mark(4) + I32(6) + I32(12) + "OiAnoDat" + I32(1000) + "ab",
       2, 0},
      {"named block with a negative size", good + Mark(4) + I32(6) + I32(12) + "OiAnoDat" + I32(-8) + I32(0), 2, 0},
      {"named block cut inside its name", good + I32(6) + I32(12) + "OiAn", 1, 1},
      {"flag 0 and no room for the extra 4 bytes", Header(0) + Mark(3) + I32(6) + I32(12) + "OiAnoDat" + I32(0), 1, 0},
      {"point count past its block", Header() + Mark(3) + Named(6, "OiAnoDat", I32(9) + I32(0x7FFFFFFF) + I32(1) + I32(2)),
       1, 0},
      {"negative point count", Header() + Mark(3) + Named(6, "OiAnoDat", I32(9) + I32(-1)), 1, 0},
      {"point block shorter than its count", Header() + Mark(4) + Named(6, "OiAnoDat", I32(2)), 1, 0},
      {"text block shorter than its four values", Header() + Mark(7, 3) + Named(6, "OiAnText", I32(0) + I32(0)), 1, 0},
      {"unreadable picture", Header() + Mark(1) + Named(6, "OiDIB", DibHeader(100000, 100000, 24)), 1, 0},
  };
  for (const Row& r : rows) {
    TIEImagingAnnot annot;
    Load(annot, r.block);
    ASSERT_EQ(annot.ObjectsCount(), r.count) << r.name;
    if (r.count == 0) continue;
    const TIEImagingObject& last = annot.Objects(r.count - 1);
    EXPECT_EQ(last.Points.size(), r.pointsOfLast) << r.name;
    EXPECT_FALSE(last.HasText) << r.name;
    EXPECT_EQ(last.Image, nullptr) << r.name;
  }
}

TEST(IEImagingAnnot, AssignCopiesEveryMarkDeeply) {
  TIEImagingAnnot source;
  Load(source, Fixture());
  int owner = 0;
  TIEImagingAnnot copy(reinterpret_cast<TIEMetaParams*>(&owner));
  Load(copy, Header() + Mark(9) + TextBlock(0, "gone"));
  copy.Assign(&source);
  EXPECT_EQ(copy.Parent(), reinterpret_cast<TIEMetaParams*>(&owner));
  ASSERT_EQ(copy.ObjectsCount(), source.ObjectsCount());
  EXPECT_EQ(Saved(copy), Saved(source));
  copy.Objects(0).Points[0] = TPoint(-1, -1);
  copy.Objects(0).Attributes[10] ^= 0xFF;
  copy.Objects(1).Text = "changed";
  copy.Objects(4).Image->SetPixel24(0, 0, TRGB{1, 2, 3});
  EXPECT_EQ(source.Objects(0).Points[0], TPoint(10, 20));
  EXPECT_EQ(source.Objects(0).Attributes, FixtureAttributes(3, 11));
  EXPECT_EQ(source.Objects(1).Text, "Hello annotations");
  EXPECT_EQ(source.Objects(4).Image->GetPixel24(0, 0), (TRGB{0, 0, 255}));
  EXPECT_EQ(Saved(source), Fixture());
  copy.Assign(nullptr);
  EXPECT_EQ(copy.ObjectsCount(), 0);
}

TEST(IEImagingAnnot, ImageMarksWithoutPictureSaveWithoutPictureBlock) {
  TIEImagingAnnot annot;
  annot.AddObject().Attributes[0] = 1;
  TIEImagingAnnot back;
  Load(back, Saved(annot));
  ASSERT_EQ(back.ObjectsCount(), 1);
  EXPECT_EQ(back.Objects(0).ObjectType(), 1);
  EXPECT_EQ(back.Objects(0).Image, nullptr);
  EXPECT_EQ(Saved(back), Saved(annot));
}

TEST(IEPackedDIB, WritesBottomUpRowsWithTheirFormatsTable) {
  struct Row {
    TIEPixelFormat format;
    int32_t bits;
    size_t tableEntries;
  } rows[] = {{ie1g, 1, 2}, {ie8g, 8, 256}, {ie8p, 8, 256}, {ie24RGB, 24, 0}, {ieCMYK, 24, 0}, {ieRGB48, 24, 0}};
  for (const Row& r : rows) {
    auto b = TIEBitmap::CreateSized(5, 3, r.format);
    b->Fill(0);
    if (r.format == ie8p) b->SetPaletteColor(7, TRGB{10, 20, 30});
    const std::vector<uint8_t> dib = IEBitmapToPackedDIB(*b, 200, 96);
    const int64_t rowBytes = (5 * int64_t(r.bits) + 31) / 32 * 4;
    ASSERT_EQ(dib.size(), 40 + r.tableEntries * 4 + size_t(rowBytes) * 3) << int(r.format);
    int32_t h[10];
    std::memcpy(h, dib.data(), 40);
    EXPECT_EQ(h[0], 40);
    EXPECT_EQ(h[1], 5);
    EXPECT_EQ(h[2], 3);  // positive: bottom-up
    EXPECT_EQ(dib[14], r.bits);
    EXPECT_EQ(h[4], 0);  // no compression
    EXPECT_EQ(h[6], 7874);  // 200 per inch
    EXPECT_EQ(h[7], 3780);  // 96 per inch
    if (r.format == ie8p) {
      EXPECT_EQ(std::memcmp(&dib[40 + 7 * 4], "\x0A\x14\x1E\x00", 4), 0);
    } else if (r.format == ie8g) {
      EXPECT_EQ(std::memcmp(&dib[40 + 200 * 4], "\xC8\xC8\xC8\x00", 4), 0);
    } else if (r.format == ie1g) {
      EXPECT_EQ(std::memcmp(&dib[40], "\0\0\0\0\xFF\xFF\xFF\0", 8), 0);
    }
  }
  // The top row is stored last.
  auto b = TIEBitmap::CreateSized(2, 2, ie24RGB);
  b->Fill(0);
  b->SetPixel24(0, 0, TRGB{1, 2, 3});
  const std::vector<uint8_t> dib = IEBitmapToPackedDIB(*b, 200, 200);
  EXPECT_EQ(std::memcmp(&dib[40 + 8], "\x01\x02\x03", 3), 0);
  TIEBitmap empty;
  EXPECT_TRUE(IEBitmapToPackedDIB(empty, 200, 200).empty());
}

TEST(IEPackedDIB, ReadsEveryUncompressedDepth) {
  // 3 x 2 pictures, top row first in the comments; rows stored bottom-up.
  const std::string table4 = Quad(0, 0, 0) + Quad(255, 0, 0) + Quad(0, 255, 0) + Quad(0, 0, 255);
  struct Row {
    const char* name;
    std::string dib;
    TRGB topLeft, bottomRight;
  } rows[] = {
      {"4 bits", DibHeader(3, 2, 4, 0, 4) + table4 + std::string("\x30\x10\x00\x00", 4) + std::string("\x20\x00\x00\x00", 4),
       TRGB{0, 255, 0}, TRGB{0, 0, 255}},
      {"8 bits, index past the table is black", DibHeader(3, 2, 8, 0, 2) + Quad(9, 9, 9) + Quad(200, 100, 50) +
                                                    std::string("\x00\x00\x05\x00", 4) + std::string("\x01\x00\x00\x00", 4),
       TRGB{50, 100, 200}, TRGB{0, 0, 0}},
      {"16 bits 5-5-5", DibHeader(3, 2, 16) + std::string("\x00\x00\x00\x00\x1F\x00\x00\x00", 8) +
                            std::string("\x00\x7C\x00\x00\x00\x00\x00\x00", 8),
       TRGB{0, 0, 255}, TRGB{255, 0, 0}},
      {"32 bits", DibHeader(3, 2, 32) + std::string(8, '\0') + std::string("\x07\x08\x09\xFF", 4) +
                      std::string("\x01\x02\x03\xFF", 4) + std::string(8, '\0'),
       TRGB{1, 2, 3}, TRGB{7, 8, 9}},
      {"top-down", DibHeader(3, -2, 24) + std::string("\x01\x02\x03", 3) + std::string(9, '\0') + std::string(6, '\0') +
                       std::string("\x07\x08\x09", 3) + std::string(3, '\0'),
       TRGB{1, 2, 3}, TRGB{7, 8, 9}},
  };
  for (const Row& r : rows) {
    auto bitmap = IEPackedDIBToBitmap(reinterpret_cast<const uint8_t*>(r.dib.data()), int32_t(r.dib.size()));
    ASSERT_NE(bitmap, nullptr) << r.name;
    ASSERT_EQ(bitmap->GetPixelFormat(), ie24RGB) << r.name;
    EXPECT_EQ(bitmap->GetPixel24(0, 0), r.topLeft) << r.name;
    EXPECT_EQ(bitmap->GetPixel24(2, 1), r.bottomRight) << r.name;
  }
  // 1 bit with white first: the bits are turned so that 1 stays white.
  const std::string inverted = DibHeader(8, 1, 1) + Quad(255, 255, 255) + Quad(0, 0, 0) + std::string("\x0F\0\0\0", 4);
  auto bilevel = IEPackedDIBToBitmap(reinterpret_cast<const uint8_t*>(inverted.data()), int32_t(inverted.size()));
  ASSERT_NE(bilevel, nullptr);
  EXPECT_EQ(*static_cast<uint8_t*>(bilevel->GetScanline(0)), 0xF0);
}

TEST(IEPackedDIB, RefusesWhatDoesNotFit) {
  const std::string rows24 = std::string(16, '\0');  // 3 x 2 at 24 bits: 2 rows of 12 bytes would be 24
  struct Row {
    const char* name;
    std::string dib;
  } rows[] = {
      {"shorter than a header", DibHeader(1, 1, 24).substr(0, 39)},
      {"header size past the data", DibHeader(1, 1, 24, 0, 0, 40).replace(0, 4, I32(400)) + std::string(4, '\0')},
      {"header size below 40", DibHeader(1, 1, 24).replace(0, 4, I32(12)) + std::string(4, '\0')},
      {"zero width", DibHeader(0, 1, 24) + std::string(4, '\0')},
      {"negative width", DibHeader(-3, 1, 24) + std::string(12, '\0')},
      {"zero height", DibHeader(1, 0, 24) + std::string(4, '\0')},
      {"most negative height", DibHeader(1, INT32_MIN, 24) + std::string(4, '\0')},
      {"bit count 7", DibHeader(1, 1, 7) + std::string(4, '\0')},
      {"run-length compressed", DibHeader(1, 1, 8, 1) + std::string(1024 + 4, '\0')},
      {"bit-field masks", DibHeader(1, 1, 32, 3) + std::string(16, '\0')},
      {"more colours than the depth has", DibHeader(1, 1, 1, 0, 3) + std::string(16, '\0')},
      {"colour table past the data", DibHeader(1, 1, 8) + std::string(100, '\0')},
      {"rows past the data", DibHeader(3, 2, 24) + rows24},
      {"huge size", DibHeader(0x7FFFFFFF, 0x7FFFFFFF, 32) + std::string(64, '\0')},
  };
  for (const Row& r : rows) {
    auto copy = std::make_unique<uint8_t[]>(r.dib.size());
    std::memcpy(copy.get(), r.dib.data(), r.dib.size());
    EXPECT_EQ(IEPackedDIBToBitmap(copy.get(), int32_t(r.dib.size())), nullptr) << r.name;
  }
}
