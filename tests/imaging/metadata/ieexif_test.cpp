#include "imaging/metadata/ieexif.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieinit.h"
#include "platform/rtl/scopeexit.h"
#include "tests/imaging/formats/tiffbuilder.h"

namespace {

const uint8_t* U8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

bool HasTag(const TIEExifParams& p, int32_t tag) {
  return std::find(p.ExifTags.begin(), p.ExifTags.end(), tag) != p.ExifTags.end();
}

}  // namespace

TEST(IEExif, ExifMarkerDataIsExifFollowedByAZeroByte) {
  struct Case {
    std::string data;
    bool expected;
  };
  const Case cases[] = {
      {std::string("Exif\0\0", 6), true},
      {std::string("Exif\0", 5), true},
      {std::string("Exifx\0", 6), false},
      {std::string("Exi\0\0\0", 6), false},
      {std::string("Exif", 4), false},  // no terminator inside the payload
      {std::string("exif\0\0", 6), false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IEIsExifMarkerData(U8(c.data), int32_t(c.data.size())), c.expected) << c.data;
  EXPECT_FALSE(IEIsExifMarkerData(nullptr, 10));
}

TEST(IEExif, FindTIFFHeaderInStream) {
  struct Case {
    const char* name;
    std::string bytes;
    size_t start;
    int64_t expected;
  };
  const std::string le("II\x2A\0\x08\0\0\0", 8);
  const Case cases[] = {
      {"after four other bytes", "abcd" + le, 0, 4},
      {"from a later position", "zzzzzz" + std::string("abcd") + le, 6, 4},
      {"big-endian offset beyond the size is skipped", std::string("MM\0\x2A\x7F\0\0\0", 8) + le, 0, 8},
      {"raw variants RO and RS", std::string("xxIIRO\x08\0\0\0", 10) + "pad", 0, 2},
      {"MMOR", std::string("MMOR\0\0\0\x08", 8) + "pad", 0, 0},
      {"version 43 is not TIFF", std::string("II\x2B\0\x08\0\0\0", 8), 0, -1},
      {"a header cut short", std::string("II\x2A\0\x08", 5), 0, -1},
      {"nothing", "no header in here at all", 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = tiffbuild::StreamOf(c.bytes);
    s->SetPosition(int64_t(c.start));
    TIEBufferedReadStream buffered(*s, 64);
    buffered.Seek(int64_t(c.start), soBeginning);
    EXPECT_EQ(IEFindTIFFHeaderInStream(buffered), c.expected);
    EXPECT_EQ(buffered.Position(), int64_t(c.start));
  }
  // Only the first 131,072 bytes count.
  auto far = tiffbuild::StreamOf(std::string(131072, 'x') + le);
  TIEBufferedReadStream buffered(*far, 4096);
  EXPECT_EQ(IEFindTIFFHeaderInStream(buffered), -1);
}

TEST(IEExifParams, SettersKeepThePresentTagsList) {
  TIEMetaParams p;
  struct Case {
    std::function<void(double)> set;
    int32_t tag;
    double absent;
  };
  const Case cases[] = {
      {[&](double v) { p.SetExifExposureTime(v); }, 33434, -1},
      {[&](double v) { p.SetExifBrightnessValue(v); }, 37379, -1000},
      {[&](double v) { p.SetExifCompressedBitsPerPixel(v); }, 37122, 0},
      {[&](double v) { p.SetExifImageWidth(int32_t(v)); }, 40962, 0},
      {[&](double v) { p.SetExifFlash(int32_t(v)); }, 37385, -1},
      {[&](double v) { p.SetExifSceneType(int32_t(v)); }, 41729, -1},
  };
  for (const Case& c : cases) {
    c.set(c.absent == -1 ? 5 : -1);
    c.set(c.absent == -1 ? 6 : -2);
    EXPECT_EQ(std::count(p.ExifTags.begin(), p.ExifTags.end(), c.tag), 1) << c.tag;
    c.set(c.absent);
    EXPECT_FALSE(HasTag(p, c.tag)) << c.tag;
  }
  p.SetExifBrightnessValue(-1);
  EXPECT_TRUE(HasTag(p, 37379));
  p.SetExifISOSpeedRatings(0, 400);
  p.SetExifISOSpeedRatings(7, 1);  // out of range: ignored
  EXPECT_EQ(p.GetExifISOSpeedRatings(0), 400);
  EXPECT_EQ(p.GetExifISOSpeedRatings(7), 0);
  EXPECT_FALSE(HasTag(p, 34855));
}

TEST(IEExifParams, OrientationsMirrorEachOtherAndResetKeepsTheTiffOne) {
  TIEMetaParams p;
  EXPECT_EQ(p.TIFFOrientation(), 1);
  EXPECT_EQ(p.ExifOrientation(), 0);
  p.SetExifOrientation(6);
  EXPECT_EQ(p.TIFFOrientation(), 6);
  p.SetTIFFOrientation(3);
  EXPECT_EQ(p.ExifOrientation(), 3);
  p.SetDpiXFloat(299.7);
  EXPECT_EQ(p.DpiX(), 299);
  EXPECT_DOUBLE_EQ(p.ExifXResolution, 299.7);

  const std::string exif("Exif\0\0MM", 8), xmp("http://ns.adobe.com/xap/1.0/\0x", 30);
  p.JpegMarkers.AddMarker(0xE1, xmp.data(), int32_t(xmp.size()));
  p.JpegMarkers.AddMarker(0xE1, exif.data(), int32_t(exif.size()));
  p.JpegMarkers.AddMarker(0xE1, exif.data(), int32_t(exif.size()));
  p.ExifMake = "Make";
  p.ExifThumbnail = TIEBitmap::CreateSized(2, 2, ie24RGB);
  p.HasExif = true;
  p.ResetEXIF();
  EXPECT_EQ(p.JpegMarkers.GetCount(), 2);  // only the first EXIF marker goes
  EXPECT_EQ(p.JpegMarkers.GetMarkerLength(0), int32_t(xmp.size()));
  EXPECT_TRUE(p.ExifMake.empty());
  EXPECT_EQ(p.ExifThumbnail, nullptr);
  EXPECT_FALSE(p.HasExif);
  EXPECT_EQ(p.ExifOrientation(), 0);
  EXPECT_EQ(p.TIFFOrientation(), 3);
  EXPECT_EQ(p.ExifBrightnessValue(), -1000);
  EXPECT_EQ(p.GetExifWhitePoint(1), -1);
}

TEST(IEExif, CopyExifParamsTakesTheWholeBlock) {
  TIEMetaParams s, d;
  s.TIFFImageDescription = "from the TIFF tag";
  s.ExifImageDescription = "not this one";
  s.ExifMake = "Make";
  s.ExifGPSLatitude = {47, 30, 0};
  s.ExifXPTitle = "Titel ä";
  s.ExifUserComment = "comment";
  s.SetExifOrientation(8);
  s.SetExifFNumber(2.8);
  s.SetExifISOSpeedRatings(1, 3200);
  s.SetExifReferenceBlackWhite(5, 255);
  s.HasExif = true;
  s.ExifThumbnail = TIEBitmap::CreateSized(4, 3, ie24RGB);
  const std::string note = std::string("FUJIFILM\x0C\0\0\0\x01\0", 14) + std::string("\x01\0\x03\0\x01\0\0\0\x07\0\0\0", 12) + std::string(8, '\0');
  auto ns = tiffbuild::StreamOf(note);
  s.ExifMakerNote.ReadFromStream(*ns, int32_t(note.size()), true);
  ASSERT_EQ(s.ExifMakerNote.IFD().EntryCount, 1);

  d.ExifThumbnail = TIEBitmap::CreateSized(1, 1, ie8g);
  IECopyEXIFParams(s, d, false);
  EXPECT_EQ(d.ExifThumbnail->GetWidth(), 1);  // without the thumbnail: the destination's stays
  EXPECT_EQ(d.ExifImageDescription, "from the TIFF tag");
  EXPECT_EQ(d.ExifMake, "Make");
  EXPECT_EQ(d.ExifGPSLatitude[1], 30);
  EXPECT_EQ(d.ExifXPTitle, "Titel ä");
  EXPECT_EQ(d.ExifUserComment, "comment");
  EXPECT_EQ(d.TIFFOrientation(), 8);
  EXPECT_EQ(d.ExifFNumber(), 2.8);
  EXPECT_EQ(d.GetExifISOSpeedRatings(1), 3200);
  EXPECT_EQ(d.GetExifReferenceBlackWhite(5), 255);
  EXPECT_TRUE(d.HasExif);
  EXPECT_TRUE(HasTag(d, 33437));
  EXPECT_EQ(d.ExifMakerNote.IFD().EntryCount, 1);
  EXPECT_EQ(d.ExifMakerNote.DeviceInfo().Header, "FUJIFILM");

  IECopyEXIFParams(s, d, true);
  ASSERT_NE(d.ExifThumbnail, nullptr);
  EXPECT_EQ(d.ExifThumbnail->GetWidth(), 4);
  EXPECT_NE(d.ExifThumbnail.get(), s.ExifThumbnail.get());
  s.ExifThumbnail.reset();
  IECopyEXIFParams(s, d, true);
  EXPECT_EQ(d.ExifThumbnail, nullptr);
}

TEST(IEExif, RawThumbnailIsTheNarrowerDecodedImageThatIsNotBlack) {
  auto make = [](int32_t w, uint8_t value) {
    auto b = std::make_unique<TIEBitmap>();
    if (w > 0) {
      b->Allocate(w, 2, ie24RGB);
      for (int32_t y = 0; y < 2; ++y) std::fill_n(static_cast<uint8_t*>(b->GetScanline(y)), b->GetRowLen(), value);
    }
    return b;
  };
  struct Case {
    const char* name;
    int32_t w0;
    uint8_t v0;
    int32_t w1;
    uint8_t v1;
    int chosen;  // 0, 1 or -1
  };
  const Case cases[] = {
      {"preview narrower", 160, 9, 3000, 9, 0},
      {"second narrower", 3000, 9, 160, 9, 1},
      {"black preview: the other one", 160, 0, 3000, 9, 1},
      {"both black", 160, 0, 3000, 0, -1},
      {"only the first decoded", 3000, 9, 0, 0, 0},
      {"only the second decoded", 0, 0, 50, 9, 1},
      {"neither", 0, 0, 0, 0, -1},
      {"equal widths", 100, 9, 100, 8, 0},
  };
  for (const Case& c : cases) {
    auto a = make(c.w0, c.v0), b = make(c.w1, c.v1);
    TIEBitmap* got = IEChooseRawThumbnail(*a, *b);
    TIEBitmap* want = c.chosen == 0 ? a.get() : c.chosen == 1 ? b.get() : nullptr;
    EXPECT_EQ(got, want) << c.name;
  }
}

TEST(IEExif, WithoutATIFFCodecBoundTheCallsNameTheMissingBridge) {
  // As if the format layer had not started.
  const TValueScope<TIEExifTIFFBridge> unbound(IEExifTIFFBridge, {});
  TIEMetaParams p;
  p.ExifMake = "kept";
  const std::string app1 = std::string("Exif\0\0II\x2A\0\x08\0\0\0", 14) + std::string(20, '\0');
  const auto message = [](auto&& call) {
    try {
      call();
    } catch (const EIESlotNotInstalled& e) {
      return std::string(e.Message());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { IELoadEXIFFromAPP1(U8(app1), int32_t(app1.size()), p); }),
            "IEExifTIFFBridge.Read is not installed");
  EXPECT_EQ(p.ExifMake, "kept");
  EXPECT_EQ(message([&] { IESaveEXIFToBuffer(p, true); }), "IEExifTIFFBridge.Write is not installed");
  // Bytes that are not EXIF never need the bridge.
  EXPECT_EQ(IELoadEXIFFromAPP1(U8(std::string(20, 'x')), 20, p), 0);
}
