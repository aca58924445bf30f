#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "imaging/core/iebitmap.h"
#include "imaging/formats/tiffilt.h"
#include "tests/imaging/formats/tiffbuilder.h"
#include "tests/support/testsupport.h"

using tiffbuild::Builder;
using tiffbuild::StreamOf;

namespace {

TTIFFDirectory FirstIFD(TStream& s, bool big) {
  TTIFFDirectory d;
  d.LittleEndian = !big;
  d.Stream = &s;
  int32_t pages;
  TIEBoundedReader in(s);
  uint32_t first = 0;
  in.ReadU32(4, big, first);
  TIFFReadIFD(0, first, d, pages);
  return d;
}

struct ReadResult {
  bool aborted = false;
  int32_t pages = -1;
};

ReadResult Read(TStream& s, TIEMetaParams& p, bool preview = true, bool translate = false, bool thumb = false,
                bool exifData = false, TIEBitmap* bitmap = nullptr) {
  bool aborting = false;
  TIECodecProgress progress;
  progress.Aborting = &aborting;
  ReadResult r;
  TIEMask* mask = nullptr;
  ReadTIFFStream(bitmap, s, r.pages, p, progress, preview, mask, translate, false, thumb, exifData);
  r.aborted = aborting;
  return r;
}

}  // namespace

TEST(TIFFDirectory, GettersGiveTheSameValuesInBothByteOrders) {
  for (bool big : {false, true}) {
    SCOPED_TRACE(big ? "MM" : "II");
    Builder b(big);
    const std::string xp = std::string("H\0i\0\xE4\0\0\0", 8);
    const uint32_t ifd = b.AddIFD({
        b.Bytes(1, 1, "\xAB"),                                // BYTE
        b.Short(2, {0x1234}),                                 // SHORT inline
        b.Short(3, {5, 6}),                                   // two SHORTs inline
        b.Short(4, {7, 8, 9}),                                // out of line
        b.Long(5, {0x12345678}),
        b.Long(6, {11, 12}),
        b.Bytes(7, 7, "\x03"),                                // UNDEFINED
        {8, 8, 1, b.U16(0xFFFE), false},                      // SSHORT -2
        b.Bytes(9, 6, "\xFD"),                                // SBYTE -3
        b.Rational(10, {{3, 4}, {5, 0}}),
        b.Rational(11, {{uint32_t(-1), 2}}, 10),              // SRATIONAL -1/2
        b.Ascii(12, "abc"),                                   // inline with its NUL
        b.Ascii(13, "a longer text"),
        b.Bytes(14, 1, xp),                                   // XP text, UTF-16LE
        b.Bytes(15, 1, std::string("A\0\0\0", 4)),            // one character inline
        b.Raw(16, 2, 2000000, 8),                             // a count beyond the file
    });
    b.SetFirstIFD(ifd);
    auto s = StreamOf(b.Bytes());
    const TTIFFDirectory d = FirstIFD(*s, big);
    ASSERT_EQ(d.EntryCount, 16);
    EXPECT_EQ(TIFFGetInteger(d, 1, -1), 0xAB);
    EXPECT_EQ(TIFFGetInteger(d, 2, -1), 0x1234);
    EXPECT_EQ(TIFFGetInteger(d, 5, -1), 0x12345678);
    EXPECT_EQ(TIFFGetInteger(d, 7, -1), 3);
    EXPECT_EQ(TIFFGetInteger(d, 8, 0), -2);
    EXPECT_EQ(TIFFGetInteger(d, 9, 0), -3);
    EXPECT_EQ(TIFFGetInteger(d, 99, -7), -7);
    EXPECT_EQ(TIFFGetIntegerAt(d, 3, 0, -1), 5);
    EXPECT_EQ(TIFFGetIntegerAt(d, 3, 1, -1), 6);
    EXPECT_EQ(TIFFGetIntegerAt(d, 3, 2, -1), -1);
    EXPECT_EQ(TIFFGetIntegerAt(d, 4, 2, -1), 9);
    EXPECT_EQ(TIFFGetIntegerAt(d, 6, 1, -1), 12);
    EXPECT_EQ(TIFFGetIntegerAt(d, 10, 0, -1), -1);  // not SHORT or LONG
    EXPECT_EQ(TIFFGetIntegerArray(d, 4), (std::vector<int32_t>{7, 8, 9}));
    EXPECT_EQ(TIFFGetIntegerArray(d, 3), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(TIFFGetIntegerArray(d, 6), (std::vector<int32_t>{11, 12}));
    EXPECT_TRUE(TIFFGetIntegerArray(d, 16).empty());
    EXPECT_DOUBLE_EQ(TIFFGetRational(d, 10, -1), 0.75);
    EXPECT_DOUBLE_EQ(TIFFGetRationalAt(d, 10, 1, -1), 5);  // a zero denominator counts as 1
    EXPECT_DOUBLE_EQ(TIFFGetRationalAt(d, 10, 2, -9), -9);
    EXPECT_DOUBLE_EQ(TIFFGetRational(d, 11, 0), -0.5);
    EXPECT_EQ(TIFFGetString(d, 12, true), "abc");
    EXPECT_EQ(TIFFGetString(d, 12, false), std::string("abc\0", 4));
    EXPECT_EQ(TIFFGetString(d, 13, true), "a longer text");
    EXPECT_EQ(TIFFGetString(d, 16, true), "");
    EXPECT_EQ(TIFFGetWideString(d, 14), "Hiä");
    EXPECT_EQ(TIFFGetWideString(d, 15), "A");
    EXPECT_EQ(TIFFGetRawData(d, 4).size(), 6u);
    EXPECT_TRUE(TIFFGetRawData(d, 16).empty());
  }
}

TEST(TIFFDirectory, ChainWalkCountsPagesAndStops) {
  struct Case {
    const char* name;
    std::function<std::string(Builder&)> make;
    int32_t pageIndex;
    bool found;
    int32_t pages;
  };
  auto chain = [](Builder& b, int shape) {
    const uint32_t a = b.AddIFD({b.Short(256, {1})});
    const uint32_t c = b.AddIFD({b.Short(256, {2})});
    b.SetFirstIFD(a);
    b.SetNext(a, 1, shape == 1 ? a : c);
    b.SetNext(c, 1, shape == 2 ? a : shape == 3 ? 999999 : 0);
    return b.Bytes();
  };
  const std::vector<Case> cases = {
      {"two pages", [&](Builder& b) { return chain(b, 0); }, 1, true, 2},
      {"A -> A", [&](Builder& b) { return chain(b, 1); }, 0, true, 1},
      {"A -> B -> A", [&](Builder& b) { return chain(b, 2); }, 1, true, 2},
      {"B points past the end: it still counts", [&](Builder& b) { return chain(b, 3); }, 0, true, 2},
      {"a page beyond the chain", [&](Builder& b) { return chain(b, 0); }, 5, false, 2},
      {"an IFD without entries ends the walk",
       [](Builder& b) {
         const uint32_t a = b.AddIFD({});
         b.SetFirstIFD(a);
         return b.Bytes();
       },
       0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Builder b(true);
    auto s = StreamOf(c.make(b));
    TTIFFDirectory d;
    d.LittleEndian = false;
    d.Stream = s.get();
    int32_t pages = -1;
    TIEBoundedReader in(*s);
    uint32_t first;
    in.ReadU32(4, true, first);
    EXPECT_EQ(TIFFReadIFD(c.pageIndex, first, d, pages), c.found);
    EXPECT_EQ(pages, c.pages);
  }
}

TEST(TIFFDirectory, ContentTests) {
  auto tiff = [](bool big, std::vector<tiffbuild::Entry> (*entries)(Builder&), std::string before = "") {
    Builder b(big);
    if (!before.empty()) b.Append(before);
    const uint32_t ifd = b.AddIFD(entries(b));
    b.SetFirstIFD(ifd);
    return b.Bytes();
  };
  auto plain = [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(256, {64}), b.Long(257, {48})}; };
  auto noLength = [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(256, {64})}; };
  auto ep = [](Builder& b) {
    return std::vector<tiffbuild::Entry>{b.Long(256, {160}), b.Long(257, {120}), b.Long(330, {8}), b.Bytes(37398, 1, "\1\0\0\0")};
  };
  auto bigEp = [](Builder& b) {
    return std::vector<tiffbuild::Entry>{b.Long(256, {4000}), b.Long(257, {3000}), b.Long(330, {8}), b.Bytes(37398, 1, "\1\0\0\0")};
  };
  auto dng = [](Builder& b) {
    return std::vector<tiffbuild::Entry>{b.Long(256, {64}), b.Long(257, {48}), b.Bytes(50706, 1, std::string("\1\4\0\0", 4))};
  };
  auto cfa = [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(256, {64}), b.Long(257, {48}), b.Short(262, {32803})}; };
  auto hdp = [](Builder& b) {
    return std::vector<tiffbuild::Entry>{b.Long(48129, {1}), b.Long(48256, {64}), b.Long(48257, {48}), b.Long(48320, {8}),
                                         b.Long(48321, {8})};
  };
  auto hdpMissing = [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(48256, {64}), b.Long(48257, {48})}; };
  struct Case {
    const char* name;
    std::string bytes;
    bool tiff, raw, hdPhoto;
  };
  const std::vector<Case> cases = {
      {"plain II", tiff(false, plain), true, false, false},
      {"plain MM", tiff(true, plain), true, false, false},
      {"MM whose ninth byte is 0xBA", tiff(true, plain, "\xBA"), false, false, false},
      {"II whose ninth byte is 0xBA", tiff(false, plain, "\xBA"), true, false, false},
      {"no ImageLength", tiff(false, noLength), false, false, false},
      {"eight bytes", std::string("II\x2A\0\x08\0\0\0", 8), false, false, false},
      {"first IFD beyond the end", std::string("II\x2A\0\xFF\0\0\0", 8) + "zzzz", false, false, false},
      {"not TIFF", "GIF89a and more bytes", false, false, false},
      {"TIFF/EP with a small IFD 0", tiff(false, ep), true, true, false},
      {"TIFF/EP with a large IFD 0", tiff(false, bigEp), true, false, false},
      {"DNG", tiff(false, dng), true, true, false},
      {"colour filter array", tiff(true, cfa), true, true, false},
      {"HD Photo", tiff(false, hdp), false, false, true},
      {"HD Photo tags incomplete", tiff(false, hdpMissing), false, false, false},
      {"HD Photo tags in MM", tiff(true, hdp), false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = StreamOf(c.bytes);
    EXPECT_EQ(IsTIFFStream(*s), c.tiff);
    EXPECT_EQ(s->Position(), 0);
    EXPECT_EQ(IsTIFFCameraRawStream(*s), c.raw);
    EXPECT_EQ(s->Position(), 0);
    EXPECT_EQ(IsHDPhotoStream(*s), c.hdPhoto);
    EXPECT_EQ(s->Position(), 0);
  }
}

TEST(TIFFReader, PageFieldsFromCraftedFiles) {
  struct Case {
    const char* name;
    std::function<std::vector<tiffbuild::Entry>(Builder&)> entries;
    std::function<void(const TIEMetaParams&, const ReadResult&)> check;
  };
  const std::vector<Case> cases = {
      {"bilevel CCITT without photometric reads as WhiteIsZero",
       [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(256, {8}), b.Long(257, {8}), b.Short(259, {3})}; },
       [](const TIEMetaParams& p, const ReadResult& r) {
         EXPECT_FALSE(r.aborted);
         EXPECT_EQ(p.TIFFPhotometric, itpWhiteIsZero);
         EXPECT_EQ(p.TIFFCompression, itcG3Fax1D);
         EXPECT_EQ(p.BitsPerSample, 1);
       }},
      {"centimetres",
       [](Builder& b) {
         return std::vector<tiffbuild::Entry>{b.Long(256, {8}), b.Long(257, {8}), b.Rational(282, {{100, 1}}),
                                              b.Rational(283, {{3, 2}}), b.Short(296, {3})};
       },
       [](const TIEMetaParams& p, const ReadResult&) {
         EXPECT_EQ(p.DpiX(), 254);
         EXPECT_EQ(p.DpiY(), 4);  // 3.81 rounds to 4
         EXPECT_DOUBLE_EQ(p.ExifXResolution, 254);
       }},
      {"a zero resolution reports the default",
       [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(256, {8}), b.Long(257, {8}), b.Rational(282, {{0, 1}})}; },
       [](const TIEMetaParams& p, const ReadResult&) {
         EXPECT_EQ(p.DpiX(), IEDefaultDpiX);
         EXPECT_EQ(p.DpiY(), IEDefaultDpiY);  // absent: the default too
       }},
      {"a colour map below 256 is taken as 8-bit values",
       [](Builder& b) {
         std::vector<uint32_t> map;
         for (int ch = 0; ch < 3; ++ch)
           for (uint32_t k = 0; k < 4; ++k) map.push_back(k * 10 + uint32_t(ch));
         return std::vector<tiffbuild::Entry>{b.Long(256, {8}), b.Long(257, {8}), b.Short(258, {2}), b.Short(262, {3}),
                                              b.Short(320, map)};
       },
       [](const TIEMetaParams& p, const ReadResult&) {
         ASSERT_EQ(p.ColorMapCount(), 4);
         EXPECT_EQ(p.ColorMap[3], (TRGB{32, 31, 30}));
         EXPECT_EQ(p.TIFFPhotometric, itpRGBPalette);
       }},
      {"a 16-bit colour map gives its high bytes",
       [](Builder& b) {
         std::vector<uint32_t> map;
         for (int ch = 0; ch < 3; ++ch)
           for (uint32_t k = 0; k < 2; ++k) map.push_back((k * 100 + uint32_t(ch)) * 257);
         return std::vector<tiffbuild::Entry>{b.Long(256, {8}), b.Long(257, {8}), b.Short(320, map)};
       },
       [](const TIEMetaParams& p, const ReadResult&) {
         ASSERT_EQ(p.ColorMapCount(), 2);
         EXPECT_EQ(p.ColorMap[1], (TRGB{102, 101, 100}));
       }},
      {"unequal BitsPerSample",
       [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(256, {8}), b.Long(257, {8}), b.Short(258, {8, 8, 4})}; },
       [](const TIEMetaParams&, const ReadResult& r) { EXPECT_TRUE(r.aborted); }},
      {"equal BitsPerSample",
       [](Builder& b) {
         return std::vector<tiffbuild::Entry>{b.Long(256, {8}), b.Long(257, {8}), b.Short(258, {16, 16, 16}), b.Short(277, {3})};
       },
       [](const TIEMetaParams& p, const ReadResult& r) {
         EXPECT_FALSE(r.aborted);
         EXPECT_EQ(p.BitsPerSample, 16);
         EXPECT_EQ(p.SamplesPerPixel, 3);
       }},
      {"no width",
       [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(257, {8})}; },
       [](const TIEMetaParams&, const ReadResult& r) { EXPECT_TRUE(r.aborted); }},
      {"LZW with the installed decoder",
       [](Builder& b) { return std::vector<tiffbuild::Entry>{b.Long(256, {8}), b.Long(257, {8}), b.Short(259, {5})}; },
       [](const TIEMetaParams& p, const ReadResult& r) {
         EXPECT_FALSE(r.aborted);
         EXPECT_EQ(p.TIFFCompression, itcLZW);
       }},
      {"page fields",
       [](Builder& b) {
         return std::vector<tiffbuild::Entry>{b.Long(256, {640}), b.Short(257, {480}), b.Short(274, {8}), b.Short(259, {32773}),
                                              b.Ascii(269, "doc"), b.Ascii(270, "description"), b.Ascii(285, "page"),
                                              b.Short(297, {2, 9}), b.Short(266, {7}), b.Rational(286, {{3, 2}})};
       },
       [](const TIEMetaParams& p, const ReadResult& r) {
         EXPECT_FALSE(r.aborted);
         EXPECT_EQ(r.pages, 1);
         EXPECT_EQ(p.Width, 640);
         EXPECT_EQ(p.FullHeight, 480);
         EXPECT_EQ(p.ImageCount(), 1);
         EXPECT_EQ(p.TIFFOrientation(), 8);
         EXPECT_EQ(p.ExifOrientation(), 8);
         EXPECT_EQ(p.TIFFCompression, itcPackBits);
         EXPECT_EQ(p.TIFFDocumentName, "doc");
         EXPECT_EQ(p.TIFFImageDescription, "description");
         EXPECT_EQ(p.ExifImageDescription, "description");
         EXPECT_EQ(p.TIFFPageName, "page");
         EXPECT_EQ(p.TIFFPageNumber, 2);
         EXPECT_EQ(p.TIFFPageCount, 9);
         EXPECT_EQ(p.TIFFFillOrder, 1);  // 7 is no fill order
         EXPECT_EQ(p.TIFFXPos, 1);
         EXPECT_FALSE(p.HasExif);
       }},
  };
  for (bool big : {false, true})
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << (big ? " MM" : " II"));
      Builder b(big);
      b.SetFirstIFD(b.AddIFD(c.entries(b)));
      auto s = StreamOf(b.Bytes());
      TIEMetaParams p;
      c.check(p, Read(*s, p));
    }
}

TEST(TIFFDirectory, LZWWithoutAnInstalledDecoderAborts) {
  Builder b(false);
  b.SetFirstIFD(b.AddIFD({b.Long(256, {8}), b.Long(257, {8}), b.Short(259, {5})}));
  auto s = StreamOf(b.Bytes());
  TIEMetaParams p;
  const TTIFFLZWDecodeProc installed = IETIFFLZWDecode;
  IETIFFLZWDecode = nullptr;
  const ReadResult r = Read(*s, p);
  IETIFFLZWDecode = installed;
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(p.TIFFCompression, itcLZW);
}

TEST(TIFFReader, WhereTheReadEndsWithoutTouchingTheParameters) {
  struct Case {
    const char* name;
    std::function<std::string()> bytes;
    int32_t imageIndex;
    bool aborted;
    int32_t pages;
  };
  const std::vector<Case> cases = {
      {"wrong byte order mark", [] { return std::string("IM\x2A\0\x08\0\0\0", 8) + std::string(20, '\0'); }, 0, true, 0},
      {"empty stream", [] { return std::string(); }, 0, true, 0},
      {"first IFD offset 0", [] { return std::string("II\x2A\0\0\0\0\0", 8); }, 0, false, 0},
      {"page beyond the chain",
       [] {
         Builder b(false);
         b.SetFirstIFD(b.AddIFD({b.Long(256, {8}), b.Long(257, {8})}));
         return b.Bytes();
       },
       3, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = StreamOf(c.bytes());
    TIEMetaParams p;
    p.Width = 12345;
    p.SetImageIndex(c.imageIndex);
    const ReadResult r = Read(*s, p);
    EXPECT_EQ(r.aborted, c.aborted);
    EXPECT_EQ(r.pages, c.pages);
    EXPECT_EQ(p.Width, 12345);
  }
}

TEST(TIFFReader, SubImagesTranslatedBasesAndModes) {
  // A structure 100 bytes into the stream, its offsets counting from there.
  Builder b(false, 100);
  const uint32_t sub = b.AddIFD({b.Long(256, {32}), b.Long(257, {16})});
  const uint32_t ifd = b.AddIFD({b.Long(256, {640}), b.Long(257, {480}), b.Long(330, {sub}),
                                 b.Rational(33434, {{1, 250}})});
  b.SetFirstIFD(ifd);
  auto s = StreamOf(b.Bytes());
  s->SetPosition(100);
  TIEMetaParams p;
  ReadResult r = Read(*s, p, true, true);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(p.Width, 640);
  p.TIFFSubIndex = 0;
  s->SetPosition(100);
  r = Read(*s, p, true, true);
  EXPECT_EQ(p.Width, 32);
  EXPECT_EQ(p.Height, 16);

  // EXIF-data mode: IFD 0 stands in for the missing Exif IFD; no pixels, no abort.
  TIEMetaParams e;
  s->SetPosition(100);
  r = Read(*s, e, false, true, false, true);
  EXPECT_FALSE(r.aborted);
  EXPECT_DOUBLE_EQ(e.ExifExposureTime(), 0.004);
  EXPECT_EQ(e.Width, 0);  // only the EXIF fields are filled

  // Thumbnail mode refuses anything over 400 pixels a side and leaves the bitmap alone.
  TIEBitmap bitmap;
  bitmap.Allocate(3, 3, ie8g);
  s->SetPosition(100);
  TIEMetaParams t;
  r = Read(*s, t, false, true, true, false, &bitmap);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(bitmap.GetWidth(), 3);
}

TEST(TIFFReader, FullLoadFillsTheParametersAndFailsCleanlyWithoutTheStripDecoder) {
  auto file = testsupport::ReadFileBytes(testsupport::DataFile("twopage_le.tif"));
  auto s = StreamOf(file);
  TIEMetaParams p;
  p.SetImageIndex(1);
  TIEBitmap bitmap;
  const ReadResult r = Read(*s, p, false, false, false, false, &bitmap);
  // The pixels need the strip decoder, which is not part of this reader yet: the abort flag says so.
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.pages, 2);
  EXPECT_EQ(p.Width, 2);
  EXPECT_EQ(p.Height, 2);
  EXPECT_EQ(p.SamplesPerPixel, 1);
  EXPECT_EQ(p.BitsPerSample, 8);
  EXPECT_EQ(p.TIFFPhotometric, itpBlackIsZero);
  EXPECT_EQ(p.ImageCount(), 2);
  EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(CodecProgress, ReportsEachPercentageOnceAndHonoursAbort) {
  std::vector<int32_t> seen;
  bool aborting = false;
  TIECodecProgress p;
  p.Aborting = &aborting;
  p.OnProgress = [&](TObject*, int32_t percent) { seen.push_back(percent); };
  p.Begin(300);
  for (int i = 0; i < 300; ++i) ASSERT_FALSE(p.Step());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_LE(seen.size(), 101u);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_GT(seen[i], seen[i - 1]);
  p.OnProgress = [&](TObject*, int32_t) { aborting = true; };
  p.Begin(3);
  EXPECT_TRUE(p.Step());
  TIECodecProgress unattached;
  unattached.Abort();
  EXPECT_TRUE(unattached.Aborted());
}
