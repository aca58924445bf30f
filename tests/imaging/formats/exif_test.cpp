// The EXIF routines of the core running on this layer's TIFF reader and writer,
// checked against exiftool reading the same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "imaging/core/iebitmap.h"
#include "imaging/formats/tiffilt.h"
#include "imaging/metadata/ieexif.h"
#include "tests/imaging/formats/tiffbuilder.h"
#include "tests/support/testsupport.h"

using tiffbuild::Builder;
using tiffbuild::StreamOf;

namespace {

const uint8_t* U8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

class ExifTest : public testing::Test {
protected:
  void SetUp() override { IEBindTIFFExifBridge(); }
};

// A value as exiftool -n prints it: numbers compare as numbers, anything else as text.
void ExpectSame(const std::string& key, const std::string& exiftool, const std::string& ours) {
  char* end = nullptr;
  const double a = std::strtod(exiftool.c_str(), &end);
  const bool number = !exiftool.empty() && end && *end == '\0';
  if (number) {
    char* end2 = nullptr;
    const double b = std::strtod(ours.c_str(), &end2);
    EXPECT_NEAR(a, b, 1e-9 * std::max(1.0, std::fabs(a))) << key << ": exiftool " << exiftool << ", ours " << ours;
  } else {
    // exiftool shows texts without their trailing blanks.
    std::string trimmed = ours;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\0')) trimmed.pop_back();
    EXPECT_EQ(exiftool, trimmed) << key;
  }
}

std::string Num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// What the record says for each exiftool name this test compares.
std::map<std::string, std::function<std::string(const TIEMetaParams&)>> ExifFields() {
  using P = const TIEMetaParams&;
  return {
      {"IFD0:Make", [](P p) { return p.ExifMake; }},
      {"IFD0:Model", [](P p) { return p.ExifModel; }},
      {"IFD0:Orientation", [](P p) { return Num(p.ExifOrientation()); }},
      {"IFD0:XResolution", [](P p) { return Num(p.ExifXResolution); }},
      {"IFD0:ResolutionUnit", [](P p) { return Num(p.ExifResolutionUnit); }},
      {"IFD0:Software", [](P p) { return p.ExifSoftware; }},
      {"IFD0:ModifyDate", [](P p) { return p.ExifDateTime; }},
      {"IFD0:YCbCrPositioning", [](P p) { return Num(p.ExifYCbCrPositioning); }},
      {"IFD0:Artist", [](P p) { return p.ExifArtist; }},
      {"IFD0:XPTitle", [](P p) { return p.ExifXPTitle; }},
      {"ExifIFD:ExposureTime", [](P p) { return Num(p.ExifExposureTime()); }},
      {"ExifIFD:FNumber", [](P p) { return Num(p.ExifFNumber()); }},
      {"ExifIFD:ExposureProgram", [](P p) { return Num(p.ExifExposureProgram()); }},
      {"ExifIFD:ISO", [](P p) { return Num(p.GetExifISOSpeedRatings(0)); }},
      {"ExifIFD:ExifVersion", [](P p) { return p.ExifVersion; }},
      {"ExifIFD:DateTimeOriginal", [](P p) { return p.ExifDateTimeOriginal; }},
      {"ExifIFD:CreateDate", [](P p) { return p.ExifDateTimeDigitized; }},
      {"ExifIFD:CompressedBitsPerPixel", [](P p) { return Num(p.ExifCompressedBitsPerPixel()); }},
      {"ExifIFD:ShutterSpeedValue", [](P p) { return Num(std::pow(2.0, -p.ExifShutterSpeedValue())); }},
      {"ExifIFD:ApertureValue", [](P p) { return Num(std::pow(2.0, p.ExifApertureValue() / 2)); }},
      {"ExifIFD:BrightnessValue", [](P p) { return Num(p.ExifBrightnessValue()); }},
      {"ExifIFD:ExposureCompensation", [](P p) { return Num(p.ExifExposureBiasValue()); }},
      {"ExifIFD:MaxApertureValue", [](P p) { return Num(std::pow(2.0, p.ExifMaxApertureValue() / 2)); }},
      {"ExifIFD:MeteringMode", [](P p) { return Num(p.ExifMeteringMode()); }},
      {"ExifIFD:Flash", [](P p) { return Num(p.ExifFlash()); }},
      {"ExifIFD:FocalLength", [](P p) { return Num(p.ExifFocalLength()); }},
      {"ExifIFD:UserComment", [](P p) { return p.ExifUserComment; }},
      {"ExifIFD:FlashpixVersion", [](P p) { return p.ExifFlashPixVersion; }},
      {"ExifIFD:ColorSpace", [](P p) { return Num(p.ExifColorSpace()); }},
      {"ExifIFD:ExifImageWidth", [](P p) { return Num(p.ExifImageWidth()); }},
      {"ExifIFD:ExifImageHeight", [](P p) { return Num(p.ExifImageHeight()); }},
      {"ExifIFD:FocalPlaneXResolution", [](P p) { return Num(p.ExifFocalPlaneXResolution()); }},
      {"ExifIFD:FocalPlaneYResolution", [](P p) { return Num(p.ExifFocalPlaneYResolution()); }},
      {"ExifIFD:FocalPlaneResolutionUnit", [](P p) { return Num(p.ExifFocalPlaneResolutionUnit()); }},
      {"ExifIFD:SensingMethod", [](P p) { return Num(p.ExifSensingMethod()); }},
      {"ExifIFD:FileSource", [](P p) { return Num(p.ExifFileSource()); }},
      {"ExifIFD:SceneType", [](P p) { return Num(p.ExifSceneType()); }},
      {"GPS:GPSLatitudeRef", [](P p) { return p.ExifGPSLatitudeRef; }},
      {"GPS:GPSLatitude", [](P p) { return Num(p.ExifGPSLatitude[0] + p.ExifGPSLatitude[1] / 60 + p.ExifGPSLatitude[2] / 3600); }},
      {"GPS:GPSLongitude", [](P p) { return Num(p.ExifGPSLongitude[0] + p.ExifGPSLongitude[1] / 60 + p.ExifGPSLongitude[2] / 3600); }},
      {"GPS:GPSAltitude", [](P p) { return Num(p.ExifGPSAltitude); }},
      {"GPS:GPSAltitudeRef", [](P p) { return p.ExifGPSAltitudeRef; }},
  };
}

// The FujiFilm maker-note tags exiftool names, read through the note's IFD view.
std::map<std::string, std::function<std::string(const TTIFFDirectory&)>> FujiFields() {
  using D = const TTIFFDirectory&;
  auto integer = [](uint16_t tag) { return [tag](D d) { return Num(TIFFGetInteger(d, tag, -99999)); }; };
  return {
      {"FujiFilm:Version", [](D d) { const auto v = TIFFGetRawData(d, 0x0000); return std::string(v.begin(), v.end()); }},
      {"FujiFilm:Quality", [](D d) { return TIFFGetString(d, 0x1000, true); }},
      {"FujiFilm:Sharpness", integer(0x1001)},
      {"FujiFilm:WhiteBalance", integer(0x1002)},
      {"FujiFilm:FujiFlashMode", integer(0x1010)},
      {"FujiFilm:FlashExposureComp", [](D d) { return Num(TIFFGetRational(d, 0x1011, -99999)); }},
      {"FujiFilm:Macro", integer(0x1020)},
      {"FujiFilm:FocusMode", integer(0x1021)},
      {"FujiFilm:SlowSync", integer(0x1030)},
      {"FujiFilm:PictureMode", integer(0x1031)},
      {"FujiFilm:AutoBracketing", integer(0x1100)},
      {"FujiFilm:BlurWarning", integer(0x1300)},
      {"FujiFilm:FocusWarning", integer(0x1301)},
      {"FujiFilm:ExposureWarning", integer(0x1302)},
  };
}

// Compares every field exiftool reports with the record; returns how many were compared.
int CompareWithExiftool(const std::map<std::string, std::string>& tool, const TIEMetaParams& p) {
  int compared = 0;
  for (const auto& [key, ours] : ExifFields()) {
    const auto it = tool.find(key);
    if (it == tool.end()) continue;
    ExpectSame(key, it->second, ours(p));
    ++compared;
  }
  for (const auto& [key, ours] : FujiFields()) {
    const auto it = tool.find(key);
    if (it == tool.end()) continue;
    ExpectSame(key, it->second, ours(p.ExifMakerNote.IFD()));
    ++compared;
  }
  return compared;
}

std::string ExifPayload(const std::string& jpeg) { return tiffbuild::JpegApp1(jpeg, std::string("Exif\0\0", 6)); }

}  // namespace

TEST_F(ExifTest, FujifilmExifAndMakerNoteAgreeWithExiftoolInBothByteOrders) {
  REQUIRE_SHARED_TESTDATA();
  if (!tiffbuild::HaveTool("exiftool")) GTEST_SKIP() << "exiftool missing";
  const std::vector<std::filesystem::path> files = {testsupport::SharedDataDir() / "real" / "FujiFilm.jpg",
                                                    testsupport::DataFile("FujiFilm-MM.jpg")};
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    const std::string payload = ExifPayload(testsupport::ReadFileBytes(file));
    ASSERT_FALSE(payload.empty());
    TIEMetaParams p;
    ASSERT_EQ(IELoadEXIFFromAPP1(U8(payload), int32_t(payload.size()), p), 1);
    EXPECT_TRUE(p.HasExif);
    EXPECT_EQ(p.ExifMakerNote.DeviceInfo().Header, "FUJIFILM");
    EXPECT_EQ(p.ExifMakerNote.IFD().EntryCount, 15);
    bool ok;
    const auto tool = tiffbuild::ExifTool(file.string(), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(tool.at("File:ExifByteOrder"), file.filename() == "FujiFilm.jpg" ? "II" : "MM");
    EXPECT_GE(CompareWithExiftool(tool, p), 45);
    // The thumbnail (old-style JPEG in IFD 1) needs the strip decoder: it is left empty.
    ASSERT_NE(p.ExifThumbnail, nullptr);
    EXPECT_TRUE(p.ExifThumbnail->IsEmpty());
  }
}

TEST_F(ExifTest, SavedExifBlockIsReadBackByExiftoolAndByTheReader) {
  REQUIRE_SHARED_TESTDATA();
  if (!tiffbuild::HaveTool("exiftool")) GTEST_SKIP() << "exiftool missing";
  const std::string payload = ExifPayload(testsupport::ReadFileBytes(testsupport::SharedDataDir() / "real" / "FujiFilm.jpg"));
  TIEMetaParams p;
  ASSERT_EQ(IELoadEXIFFromAPP1(U8(payload), int32_t(payload.size()), p), 1);
  p.ExifArtist = "A. Person";
  p.ExifXPTitle = "Titel ä";
  p.ExifUserComment = "hello ü";
  p.SetExifExposureBiasValue(-0.7);
  p.SetExifExposureTime(1.0 / 250);
  p.ExifGPSVersionID = "2.2.0.0";
  p.ExifGPSLatitudeRef = "N";
  p.ExifGPSLatitude = {47, 30, 0};
  p.ExifGPSLongitudeRef = "E";
  p.ExifGPSLongitude = {8, 15, 0};
  p.ExifGPSAltitudeRef = "0";
  p.ExifGPSAltitude = 412.5;

  const std::vector<uint8_t> block = IESaveEXIFToBuffer(p, true);
  ASSERT_GT(block.size(), 14u);
  EXPECT_EQ(std::string(block.begin(), block.begin() + 10), std::string("Exif\0\0II\x2A\0", 10));

  const std::string jpeg = testsupport::ReadFileBytes(testsupport::SharedDataDir() / "real" / "testorig.jpg");
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "exif.jpg", tiffbuild::InsertMarker(jpeg, 0xE1, std::string(block.begin(), block.end())));
  bool ok;
  const auto tool = tiffbuild::ExifTool((dir / "exif.jpg").string(), ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(tool.count("ExifTool:Warning"), 0u) << tool.at("ExifTool:Warning");
  EXPECT_GE(CompareWithExiftool(tool, p), 45);
  EXPECT_EQ(tool.at("GPS:GPSVersionID"), "2 2 0 0");

  TIEMetaParams back;
  ASSERT_EQ(IELoadEXIFFromAPP1(block.data(), int32_t(block.size()), back), 1);
  EXPECT_GE(CompareWithExiftool(tool, back), 45);
  EXPECT_EQ(back.ExifTags.size(), p.ExifTags.size());
}

TEST_F(ExifTest, MalformedApp1Payloads) {
  struct Case {
    const char* name;
    std::string payload;
    int32_t result;
  };
  auto exif = [](const std::string& tiff) { return std::string("Exif\0\0", 6) + tiff; };
  Builder loop(true);
  // IFD 0 (after its 5-byte Make text, at 14) whose Exif pointer is IFD 0 itself, and a
  // maker note claiming 2 GB.
  loop.SetFirstIFD(loop.AddIFD({loop.Ascii(271, "Make"), loop.Long(34665, {14}), loop.Raw(37500, 7, 0x7FFFFFF0, 8)}));
  ASSERT_EQ(uint8_t(loop.Bytes()[7]), 14);
  Builder farExif(false);
  farExif.SetFirstIFD(farExif.AddIFD({farExif.Long(34665, {0x7FFFFFF0}), farExif.Long(34853, {0xFFFFFFF0})}));
  const std::vector<Case> cases = {
      {"not EXIF", std::string(40, 'x'), 0},
      {"only the signature", std::string("Exif\0", 5), 0},
      {"signature and no TIFF header", exif("II"), 0},
      {"a header that is not TIFF", exif("garbage bytes here"), 1},
      {"IFD 0 beyond the end", exif(std::string("MM\0\x2A\x7F\0\0\0", 8)), 1},
      {"pointers that loop and a note larger than everything", exif(loop.Bytes()), 1},
      {"sub-IFDs beyond the end", exif(farExif.Bytes()), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIEMetaParams p;
    p.ExifMake = "before";
    EXPECT_EQ(IELoadEXIFFromAPP1(U8(c.payload), int32_t(c.payload.size()), p), c.result);
    if (c.result == 0) {
      EXPECT_EQ(p.ExifMake, "before");
      EXPECT_FALSE(p.HasExif);
    } else {
      EXPECT_TRUE(p.HasExif);
      ASSERT_NE(p.ExifThumbnail, nullptr);
      EXPECT_TRUE(p.ExifThumbnail->IsEmpty());
    }
  }
}

TEST_F(ExifTest, TiffStreamsInsideLargerFiles) {
  if (!tiffbuild::HaveTool("exiftool")) GTEST_SKIP() << "exiftool missing";
  const std::string tiff = testsupport::ReadFileBytes(testsupport::DataFile("exif_gps.tif"));
  bool ok;
  const auto tool = tiffbuild::ExifTool(testsupport::DataFile("exif_gps.tif").string(), ok);
  ASSERT_TRUE(ok);

  // A camera file with the TIFF structure 100 bytes in: found, then read from there.
  auto s = StreamOf(std::string(100, '.') + tiff);
  TIEBufferedReadStream buffered(*s, 4096);
  EXPECT_EQ(IEFindTIFFHeaderInStream(buffered), 100);
  buffered.Seek(100, soBeginning);
  TIEMetaParams p;
  ASSERT_EQ(IELoadEXIFFromTIFFStream(buffered, p), 1);
  EXPECT_EQ(buffered.Position(), 100);
  EXPECT_TRUE(p.HasExif);
  EXPECT_GE(CompareWithExiftool(tool, p), 20);
  EXPECT_EQ(p.ExifUserCommentCode, std::string("ASCII\0\0\0", 8));
  EXPECT_EQ(p.ExifGPSVersionID, "2.2.0.0");
  EXPECT_TRUE(p.ExifThumbnail->IsEmpty());  // no image could be decoded without the strip decoder

  // The full reader on the record itself.
  auto whole = StreamOf(tiff);
  TIEMetaParams q;
  ASSERT_EQ(IEReadTIFFIntoParams(*whole, q), 1);
  EXPECT_EQ(whole->Position(), 0);
  EXPECT_EQ(q.Width, 3);
  EXPECT_EQ(q.Height, 2);
  EXPECT_EQ(q.TIFFOrientation(), 6);
  EXPECT_GE(CompareWithExiftool(tool, q), 20);
}

TEST_F(ExifTest, WriterWithoutExifWritesDescriptionAndResolution) {
  TIEMetaParams p;
  p.TIFFImageDescription = "a picture";
  p.SetDpiX(150);
  p.SetDpiY(75);
  TMemoryStream out;
  bool aborting = false;
  TIECodecProgress progress;
  progress.Aborting = &aborting;
  EXPECT_EQ(WriteTIFFStream(out, false, nullptr, p, progress), 1);
  EXPECT_FALSE(aborting);
  const std::string bytes = tiffbuild::BytesOf(out);
  ASSERT_EQ(bytes.substr(0, 4), std::string("II\x2A\0", 4));
  TTIFFDirectory d;
  d.Stream = &out;
  int32_t pages;
  ASSERT_TRUE(TIFFReadIFD(0, uint8_t(bytes[4]) | (uint8_t(bytes[5]) << 8), d, pages));
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(d.EntryCount, 4);
  EXPECT_EQ(TIFFGetString(d, 270, true), "a picture");
  EXPECT_DOUBLE_EQ(TIFFGetRational(d, 282, 0), 150);
  EXPECT_DOUBLE_EQ(TIFFGetRational(d, 283, 0), 75);
  EXPECT_EQ(TIFFGetInteger(d, 296, 0), 2);

  // Pages with pixels are not written by this writer.
  TIEBitmap bitmap;
  bitmap.Allocate(2, 2, ie24RGB);
  EXPECT_EQ(WriteTIFFStream(out, false, &bitmap, p, progress), 0);
  EXPECT_TRUE(aborting);
}
