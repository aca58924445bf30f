// JPEG decoding checked against independent tools: djpeg for pixels,
// exiftool for metadata, fixtures made by cjpeg, exiftool and PIL.
#include "imaging/io/jpegfilt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/core/ierowconv.h"
#include "imaging/formats/tiffilt.h"
#include "imaging/io/jpegerr.h"
#include "imaging/metadata/ieicc.h"

#include <jerror.h>
#include "platform/classes/streams.h"
#include "platform/gdi/imagegate.h"
#include "tests/support/exiftool.h"
#include "tests/support/imaging/raster_bitmap.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

using testsupport::Raster;

std::string Quote(const fs::path& p) { return testsupport::ShellQuote(p.string()); }

void RunTool(const std::string& command) {
  ASSERT_TRUE(testsupport::RunSucceeds(command + " >/dev/null 2>&1")) << command;
}

std::string RunOutput(const std::string& command) { return testsupport::RunCommand(command); }

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
std::vector<uint8_t> FileBytes(const fs::path& p) { return Bytes(testsupport::ReadFileBytes(p)); }

// A picture with smooth areas and sharp detail, so every scale and both chroma planes matter.
Raster Pattern(int32_t w, int32_t h) {
  Raster r{w, h, 3, std::vector<uint8_t>(size_t(w) * size_t(h) * 3)};
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* p = r.At(x, y);
      p[0] = uint8_t(x * 255 / (w - 1));
      p[1] = uint8_t(y * 255 / (h - 1));
      p[2] = uint8_t(((x / 7) ^ (y / 5)) * 37);
    }
  return r;
}

struct Decoded {
  std::unique_ptr<TIEBitmap> Bitmap = std::make_unique<TIEBitmap>();
  std::unique_ptr<TIOParamsVals> Params = std::make_unique<TIOParamsVals>();
  std::atomic<bool> Aborting{false};
  int32_t Rows = -1;
};

struct Options {
  int32_t Width = 0, Height = 0;
  int32_t Scale = 1;
  bool HeaderOnly = false;
  bool Native = false;
  bool Meta = true;
  int32_t MaxLines = -1;
};

void Decode(Decoded& d, TStream& s, const Options& o = {}) {
  d.Params->Width = o.Width;
  d.Params->Height = o.Height;
  d.Params->JpegScale = uint8_t(o.Scale);
  TIEProgressRecord progress;
  progress.Aborting = &d.Aborting;
  d.Rows = ReadJpegStream(s, *d.Bitmap, *d.Params, progress,
                          {.HeaderOnly = o.HeaderOnly, .LoadMetadata = o.Meta, .MaxLines = o.MaxLines,
                           .NativePixelFormat = o.Native});
}

void DecodeBytes(Decoded& d, const std::vector<uint8_t>& bytes, const Options& o = {}) {
  TBytesStream s(bytes);
  Decode(d, s, o);
}

// Every pixel of an ie24RGB bitmap (blue, green, red) against djpeg's picture (red first).
void ExpectEqualsDjpeg(TIEBitmap& bmp, const Raster& djpeg) {
  ASSERT_EQ(bmp.GetPixelFormat(), ie24RGB);
  ASSERT_EQ(djpeg.channels, 3);
  ASSERT_EQ(bmp.GetWidth(), djpeg.width);
  ASSERT_EQ(bmp.GetHeight(), djpeg.height);
  const Raster got = testsupport::RasterOfBitmap(bmp);
  int64_t mismatches = 0;
  for (size_t i = 0; i < got.pixels.size(); ++i) mismatches += got.pixels[i] != djpeg.pixels[i];
  EXPECT_EQ(mismatches, 0) << "samples differing from djpeg's decoding";
}

// Fixtures shared by the tests: made once in a temporary folder.
class JpegDecode : public testing::Test {
protected:
  static void SetUpTestSuite() {
    IEBindTIFFExifBridge();
    dir_ = new testsupport::TempDir();
    testsupport::WriteFileBytes(Tmp("big.jpg"), testsupport::Cjpeg(Pattern(4000, 3000), {"-quality", "90"}));
    // Solid colours in every colour model, so checks do not depend on any decoder's rounding.
    const std::string pil =
        "import sys, os\n"
        "from PIL import Image\n"
        "d = sys.argv[1]\n"
        "Image.new('L', (40, 24), 77).save(os.path.join(d, 'gray.jpg'), quality=95)\n"
        "Image.new('CMYK', (40, 24), (0, 255, 0, 0)).save(os.path.join(d, 'cmyk.jpg'), quality=95)\n";
    testsupport::RunSucceeds("/usr/bin/python3 -c " + testsupport::ShellQuote(pil) + " " + Quote(dir_->Path()));
    Raster solid{40, 24, 3, {}};
    for (int i = 0; i < 40 * 24; ++i) solid.pixels.insert(solid.pixels.end(), {200, 30, 90});
    testsupport::WriteFileBytes(Tmp("rgb.jpg"), testsupport::Cjpeg(solid, {"-rgb", "-quality", "95"}));
    testsupport::WriteFileBytes(Tmp("ycc.jpg"), testsupport::Cjpeg(solid, {"-quality", "95"}));
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static fs::path Tmp(const std::string& name) { return *dir_ / name; }
  static fs::path Real(const std::string& name) { return testsupport::SharedDataDir() / "real" / name; }

  static testsupport::TempDir* dir_;
};
testsupport::TempDir* JpegDecode::dir_ = nullptr;

// ---------------------------------------------------------------------------
// Pixels and scaling

struct ScaleCase {
  const char* File;  // "big" for the 4000 x 3000 picture made here
  int32_t Width, Height;
  int32_t Denominator;
};

TEST_F(JpegDecode, AutomaticScaleMatchesDjpegPixelForPixel) {
  REQUIRE_SHARED_TESTDATA();
  const ScaleCase cases[] = {
      {"big", 1920, 1080, 2}, {"big", 1000, 750, 4}, {"big", 0, 0, 1},      {"big", 5000, 100, 1},
      {"big", 500, 375, 8},   {"testorig.jpg", 227, 149, 1}, {"testorig.jpg", 113, 74, 2},
      {"testorig.jpg", 56, 37, 4}, {"testorig.jpg", 28, 18, 8}, {"testorig.jpg", 29, 18, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.File) + " " + std::to_string(c.Width) + "x" + std::to_string(c.Height));
    const fs::path jpg = std::string(c.File) == "big" ? Tmp("big.jpg") : Real(c.File);
    const Raster ref = testsupport::DjpegFile(jpg, {"-scale", "1/" + std::to_string(c.Denominator)});
    ASSERT_FALSE(ref.Empty());
    TFileStream s(jpg.string(), fmOpenRead);
    Decoded d;
    Decode(d, s, {.Width = c.Width, .Height = c.Height, .Scale = 0});
    EXPECT_FALSE(d.Aborting.load());
    EXPECT_EQ(d.Params->JpegScaleDenominator, c.Denominator);
    EXPECT_EQ(d.Rows, ref.height);
    EXPECT_EQ(d.Params->Width, ref.width);
    EXPECT_EQ(d.Params->Height, ref.height);
    ExpectEqualsDjpeg(*d.Bitmap, ref);
  }
}

TEST_F(JpegDecode, ExplicitScaleAndHeaderOnly) {
  const struct {
    int32_t Scale;
    bool HeaderOnly;
    int32_t Width, Height, Denominator;
  } cases[] = {
      {1, false, 4000, 3000, 1}, {2, false, 2000, 1500, 2}, {3, false, 1000, 750, 4}, {4, false, 500, 375, 8},
      {9, false, 4000, 3000, 1},  // unknown value: the library's default
      {4, true, 4000, 3000, 8},   // header-only: full size whatever the scale
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Scale);
    TFileStream s(Tmp("big.jpg").string(), fmOpenRead);
    Decoded d;
    Decode(d, s, {.Scale = c.Scale, .HeaderOnly = c.HeaderOnly});
    EXPECT_FALSE(d.Aborting.load());
    EXPECT_EQ(d.Params->Width, c.Width);
    EXPECT_EQ(d.Params->Height, c.Height);
    EXPECT_EQ(d.Params->FullWidth, 4000);
    EXPECT_EQ(d.Params->JpegScaleDenominator, c.Denominator);
    if (c.HeaderOnly) {
      EXPECT_EQ(d.Rows, 0);
      EXPECT_TRUE(d.Bitmap->IsEmpty());
    } else {
      EXPECT_EQ(d.Rows, c.Height);
      EXPECT_EQ(d.Bitmap->GetWidth(), c.Width);
    }
  }
}

TEST_F(JpegDecode, JunkBeforeStartOfImage) {
  REQUIRE_SHARED_TESTDATA();
  const auto jpeg = FileBytes(Real("testorig.jpg"));
  for (int32_t junk : {0, 1, 149, 150, 400}) {
    SCOPED_TRACE(junk);
    std::vector<uint8_t> bytes(size_t(junk), 0x5A);
    bytes.insert(bytes.end(), jpeg.begin(), jpeg.end());
    TBytesStream s(bytes);
    EXPECT_EQ(JpegFindSOI(s, true), junk < 150 ? junk : -1);
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(JpegFindSOI(s, false), junk == 0 ? 0 : -1);
    Decoded d;
    Decode(d, s);
    EXPECT_EQ(d.Aborting.load(), junk >= 150);
    EXPECT_EQ(d.Rows, junk < 150 ? 149 : 0);
    EXPECT_EQ(d.Bitmap->IsEmpty(), junk >= 150);
  }
}

// Colour models: made by cjpeg and PIL, decoded natively and as ie24RGB.
TEST_F(JpegDecode, ColourModels) {
  const struct {
    const char* File;
    bool Native;
    TIEPixelFormat Format;
    std::vector<int> Pixel;  // bytes of pixel (0, 0) as the format stores them
    uint8_t JpegColorSpace;
    int32_t Samples;
  } cases[] = {
      {"rgb.jpg", false, ie24RGB, {90, 30, 200}, 0, 3},
      {"ycc.jpg", false, ie24RGB, {90, 30, 200}, 2, 3},
      {"ycc.jpg", true, ie24RGB, {90, 30, 200}, 2, 3},
      {"gray.jpg", true, ie8g, {77}, 1, 1},
      {"gray.jpg", false, ie24RGB, {77, 77, 77}, 1, 1},
      // Adobe files store ink inverted; ieCMYK keeps that (255 = no ink).
      {"cmyk.jpg", true, ieCMYK, {255, 0, 255, 255}, 3, 4},
      {"cmyk.jpg", false, ie24RGB, {255, 0, 255}, 3, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.File) + (c.Native ? " native" : ""));
    ASSERT_TRUE(fs::exists(Tmp(c.File)));
    TFileStream s(Tmp(c.File).string(), fmOpenRead);
    Decoded d;
    Decode(d, s, {.Native = c.Native});
    ASSERT_FALSE(d.Aborting.load());
    EXPECT_EQ(d.Bitmap->GetPixelFormat(), c.Format);
    EXPECT_EQ(d.Params->JpegColorSpace, c.JpegColorSpace);
    EXPECT_EQ(d.Params->SamplesPerPixel, c.Samples);
    for (int32_t y : {0, 23}) {
      const auto* row = static_cast<const uint8_t*>(d.Bitmap->GetScanline(y));
      const size_t stride = c.Pixel.size();
      for (size_t i = 0; i < stride; ++i) {
        EXPECT_NEAR(row[i], c.Pixel[i], 3) << "byte " << i;
        EXPECT_NEAR(row[39 * stride + i], c.Pixel[i], 3) << "byte " << i;
      }
    }
  }
}

// TIFF pages store CMYK with ink as plain values; InvertCMYK turns them into
// the inverted layout first. Magenta stored that way reads as full cyan,
// yellow and black ink: black.
TEST_F(JpegDecode, InvertCmykBeforeConversion) {
  TFileStream s(Tmp("cmyk.jpg").string(), fmOpenRead);
  Decoded d;
  TIEProgressRecord progress;
  progress.Aborting = &d.Aborting;
  ReadJpegStream(s, *d.Bitmap, *d.Params, progress, {.LoadMetadata = false, .InvertCMYK = true});
  ASSERT_FALSE(d.Aborting.load());
  const auto* row = static_cast<const uint8_t*>(d.Bitmap->GetScanline(5));
  for (int i = 0; i < 3; ++i) EXPECT_LE(row[i], 3) << i;
}

TEST_F(JpegDecode, MaxLinesAndProgress) {
  REQUIRE_SHARED_TESTDATA();
  const auto jpeg = FileBytes(Real("testorig.jpg"));
  {
    Decoded d;
    DecodeBytes(d, jpeg, {.MaxLines = 10});
    EXPECT_EQ(d.Rows, 10);
    EXPECT_FALSE(d.Aborting.load());
    EXPECT_EQ(d.Params->JpegWarningCount, 0);
  }
  std::vector<int32_t> reports;
  TBytesStream s(jpeg);
  Decoded d;
  TIEProgressRecord progress;
  progress.Aborting = &d.Aborting;
  progress.fOnProgress = [&](TObject*, int32_t per) { reports.push_back(per); };
  ReadJpegStream(s, *d.Bitmap, *d.Params, progress);
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), 100);
  for (size_t i = 1; i < reports.size(); ++i) EXPECT_GT(reports[i], reports[i - 1]);
  EXPECT_EQ(progress.val, 149);

  // A flag raised by the progress handler (another thread's abort) stops within a row.
  TBytesStream s2(jpeg);
  Decoded d2;
  TIEProgressRecord stop;
  stop.Aborting = &d2.Aborting;
  stop.fOnProgress = [&](TObject*, int32_t per) {
    if (per >= 10) d2.Aborting.store(true);
  };
  const int32_t rows =
      ReadJpegStream(s2, *d2.Bitmap, *d2.Params, stop);
  EXPECT_TRUE(d2.Aborting.load());
  EXPECT_EQ(rows, 15);  // Trunc(15 * 100 / 149) is the first report of 10 or more
}

TEST_F(JpegDecode, ExifThumbnailMode) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path mpo = Real("Panasonic-DMC-GX8.mpo");
  const Raster ref = testsupport::DjpegBytes(RunOutput("exiftool -b -ThumbnailImage " + Quote(mpo)));
  ASSERT_FALSE(ref.Empty());
  {  // No thumbnail: the picture itself, at the size asked for.
    TFileStream s(Real("testorig.jpg").string(), fmOpenRead);
    Decoded d;
    d.Params->SetLoadThumbnail(true);
    Decode(d, s, {.Width = 100, .Height = 70, .Scale = 0});
    EXPECT_FALSE(d.Aborting.load());
    EXPECT_EQ(d.Rows, 75);
    EXPECT_EQ(d.Bitmap->GetWidth(), 114);
  }
  {
    TFileStream s(mpo.string(), fmOpenRead);
    Decoded probe;
    Decode(probe, s, {.HeaderOnly = true});
    if (!probe.Params->ExifThumbnail || probe.Params->ExifThumbnail->IsEmpty())
      GTEST_SKIP() << "the EXIF reader does not decode JPEG thumbnails yet";
  }
  {
    TFileStream s(mpo.string(), fmOpenRead);
    Decoded d;
    d.Params->SetLoadThumbnail(true);
    Decode(d, s);
    EXPECT_EQ(d.Rows, 0);
    EXPECT_FALSE(d.Aborting.load());
    EXPECT_TRUE(d.Params->JpegLoadExifThumbnail);
    ExpectEqualsDjpeg(*d.Bitmap, ref);
  }
}

// The second picture of a stereo file is read from the middle of its stream,
// also when the thumbnail pass has to go back for the full picture.
TEST_F(JpegDecode, PictureInsideALongerStream) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path mpo = Real("Panasonic-DMC-GX8.mpo");
  const std::string starts = RunOutput("exiftool -a -n -s -s -s -MPImageStart " + Quote(mpo));
  const int64_t second = std::atoll(starts.substr(starts.find('\n') + 1).c_str());
  ASSERT_GT(second, 0);
  const auto file = FileBytes(mpo);
  const std::vector<uint8_t> alone(file.begin() + second, file.end());
  Decoded ref;
  DecodeBytes(ref, alone, {.Scale = 4});
  ASSERT_FALSE(ref.Aborting.load());
  for (bool thumbnailFirst : {false, true}) {
    SCOPED_TRACE(thumbnailFirst);
    TBytesStream s(file);
    s.SetPosition(second);
    Decoded d;
    if (thumbnailFirst) {
      d.Params->SetLoadThumbnail(true);
      d.Params->JpegMarkers.Clear();
    }
    Decode(d, s, {.Scale = 4});
    EXPECT_FALSE(d.Aborting.load());
    if (d.Rows == 0) {  // the picture had a thumbnail of its own
      EXPECT_TRUE(thumbnailFirst);
      EXPECT_LE(d.Bitmap->GetWidth(), 160);
      continue;
    }
    ASSERT_EQ(d.Rows, ref.Rows);
    ASSERT_EQ(d.Bitmap->GetWidth(), ref.Bitmap->GetWidth());
    for (int32_t y = 0; y < d.Rows; y += 37)
      EXPECT_EQ(std::memcmp(d.Bitmap->GetScanline(y), ref.Bitmap->GetScanline(y), size_t(d.Bitmap->GetRowLen())), 0);
  }
}

// ---------------------------------------------------------------------------
// Markers and metadata

std::vector<uint8_t> Segment(uint8_t marker, const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> s = {0xFF, marker, uint8_t((payload.size() + 2) >> 8), uint8_t(payload.size() + 2)};
  s.insert(s.end(), payload.begin(), payload.end());
  return s;
}

// The JPEG with segments inserted right after its first segment (the JFIF APP0).
std::vector<uint8_t> InsertAfterApp0(const std::vector<uint8_t>& jpeg, const std::vector<uint8_t>& segments) {
  const size_t app0End = 4 + ((size_t(jpeg[4]) << 8) | jpeg[5]);
  std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(app0End));
  out.insert(out.end(), segments.begin(), segments.end());
  out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(app0End), jpeg.end());
  return out;
}

TEST_F(JpegDecode, SavedMarkersSkipOnlyTheFirstApp0) {
  REQUIRE_SHARED_TESTDATA();
  const auto jpeg = FileBytes(Real("testorig.jpg"));
  std::vector<uint8_t> extra = Segment(0xE0, Bytes("SECOND"));
  const auto com = Segment(0xFE, Bytes("a comment"));
  extra.insert(extra.end(), com.begin(), com.end());
  Decoded d;
  DecodeBytes(d, InsertAfterApp0(jpeg, extra), {.HeaderOnly = true});
  const TIEMarkerList& m = d.Params->JpegMarkers;
  ASSERT_EQ(m.GetCount(), 2);
  EXPECT_EQ(m.GetMarkerType(0), 0xE0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.GetMarkerData(0)), size_t(m.GetMarkerLength(0))), "SECOND");
  EXPECT_EQ(m.GetMarkerType(1), 0xFE);
}

TEST_F(JpegDecode, ResolutionFromJfifAndExif) {
  REQUIRE_SHARED_TESTDATA();
  const struct {
    const char* Name;
    const char* ExiftoolArgs;  // empty: the file as it is (JFIF aspect ratio 1:1)
    int32_t Dpi;
  } cases[] = {
      {"aspect", "", 1},
      {"jfif72", "-JFIF:ResolutionUnit=inches -JFIF:XResolution=72 -JFIF:YResolution=72", 72},
      {"jfif118cm", "-JFIF:ResolutionUnit=cm -JFIF:XResolution=118 -JFIF:YResolution=118", 299},
      {"exif300", "-EXIF:ResolutionUnit=inches -EXIF:XResolution=300 -EXIF:YResolution=300", 300},
      {"exif118cm", "-EXIF:ResolutionUnit=cm -EXIF:XResolution=118 -EXIF:YResolution=118", 299},
      // A real JFIF density wins over the EXIF one.
      {"both", "-JFIF:ResolutionUnit=inches -JFIF:XResolution=96 -JFIF:YResolution=96 "
               "-EXIF:ResolutionUnit=inches -EXIF:XResolution=300 -EXIF:YResolution=300", 96},
  };
  std::vector<exiftool::Job> edits;
  for (const auto& c : cases) {
    const fs::path f = Tmp(std::string(c.Name) + ".jpg");
    fs::copy_file(Real("testorig.jpg"), f, fs::copy_options::overwrite_existing);
    fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write);
    if (!*c.ExiftoolArgs) continue;
    std::istringstream words(c.ExiftoolArgs);
    exiftool::Job edit{{"-overwrite_original"}, f};
    for (std::string w; words >> w;) edit.args.push_back(w);
    edits.push_back(edit);
  }
  for (const std::string& out : exiftool::RunEach(edits))
    ASSERT_NE(out.find("1 image files updated"), std::string::npos) << out;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const fs::path f = Tmp(std::string(c.Name) + ".jpg");
    TFileStream s(f.string(), fmOpenRead);
    Decoded d;
    Decode(d, s, {.HeaderOnly = true});
    EXPECT_EQ(d.Params->DpiX(), c.Dpi);
    EXPECT_EQ(d.Params->DpiY(), c.Dpi);
  }
}

TEST_F(JpegDecode, IsoSpeedEqualsExiftool) {
  REQUIRE_SHARED_TESTDATA();
  const char* names[] = {"FujiFilm.jpg", "Panasonic-DMC-GX8.mpo"};
  std::vector<exiftool::Job> jobs;
  for (const char* name : names) jobs.push_back({{"-s", "-s", "-s", "-ISO"}, Real(name)});
  const std::vector<std::string> iso = exiftool::RunEach(jobs);
  for (size_t i = 0; i < std::size(names); ++i) {
    const char* name = names[i];
    SCOPED_TRACE(name);
    const int expected = std::atoi(iso[i].c_str());
    ASSERT_GT(expected, 0);
    TFileStream s(Real(name).string(), fmOpenRead);
    Decoded d;
    Decode(d, s, {.HeaderOnly = true});
    EXPECT_TRUE(d.Params->HasExif);
    EXPECT_EQ(d.Params->GetExifISOSpeedRatings(0), expected);
  }
}

TEST_F(JpegDecode, IptcXmpAndOrientationFromExiftoolFixture) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path f = Tmp("meta.jpg");
  fs::copy_file(Real("testorig.jpg"), f, fs::copy_options::overwrite_existing);
  fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write);
  RunTool("exiftool -overwrite_original -IPTC:Keywords=stereo -IPTC:City=Lyon -XMP-dc:Title=Duplex "
          "-EXIF:Orientation=6 -n " + Quote(f));
  for (bool upright : {false, true}) {
    SCOPED_TRACE(upright);
    TFileStream s(f.string(), fmOpenRead);
    Decoded d;
    d.Params->JpegApplyExifOrientation = upright;
    Decode(d, s);
    ASSERT_FALSE(d.Aborting.load());
    // Orientation 6: the stored rows are turned a quarter clockwise to stand upright.
    EXPECT_EQ(d.Bitmap->GetWidth(), upright ? 149 : 227);
    EXPECT_EQ(d.Params->ExifOrientation(), upright ? 1 : 6);
    std::vector<std::string> iptc;
    for (int32_t i = 0; i < d.Params->IPTCInfoList.GetCount(); ++i)
      if (d.Params->IPTCInfoList.GetRecordNumber(i) == 2 && d.Params->IPTCInfoList.GetDataSet(i) != 0)
        iptc.emplace_back(reinterpret_cast<const char*>(d.Params->IPTCInfoList.GetItemData(i)),
                          size_t(d.Params->IPTCInfoList.GetItemLength(i)));
    EXPECT_NE(std::find(iptc.begin(), iptc.end(), "stereo"), iptc.end());
    EXPECT_NE(std::find(iptc.begin(), iptc.end(), "Lyon"), iptc.end());
    EXPECT_NE(d.Params->XMPPacket.find("Duplex"), std::string::npos);
  }
}

// ---------------------------------------------------------------------------
// ICC profiles

std::vector<uint8_t> IccChunk(int seq, int count, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> p = Bytes(std::string("ICC_PROFILE", 12));
  p.push_back(uint8_t(seq));
  p.push_back(uint8_t(count));
  p.insert(p.end(), data.begin(), data.end());
  return Segment(0xE2, p);
}

std::vector<uint8_t> Part(const std::vector<uint8_t>& v, size_t from, size_t to) {
  return {v.begin() + std::ptrdiff_t(from), v.begin() + std::ptrdiff_t(to)};
}

class JpegIcc : public JpegDecode {
protected:
  void SetUp() override {
    REQUIRE_SHARED_TESTDATA();
    const fs::path icc = Tmp("srgb.icc");
    if (!fs::exists(icc))
      RunTool("/usr/bin/python3 -c " +
              testsupport::ShellQuote("import sys\nfrom PIL import ImageCms\nopen(sys.argv[1], 'wb').write("
                                      "ImageCms.ImageCmsProfile(ImageCms.createProfile('sRGB')).tobytes())\n") +
              " " + Quote(icc));
    profile_ = FileBytes(icc);
    jpeg_ = FileBytes(Real("testorig.jpg"));
    ASSERT_GT(profile_.size(), 300u);
  }
  // The profile in three chunks, written in the given order of sequence numbers.
  std::vector<uint8_t> WithChunks(std::initializer_list<int> order) const {
    const size_t n = profile_.size(), a = n / 3, b = 2 * n / 3;
    const std::vector<uint8_t> parts[3] = {Part(profile_, 0, a), Part(profile_, a, b), Part(profile_, b, n)};
    std::vector<uint8_t> segs;
    for (int seq : order) {
      const auto c = IccChunk(seq, 3, parts[seq - 1]);
      segs.insert(segs.end(), c.begin(), c.end());
    }
    return InsertAfterApp0(jpeg_, segs);
  }
  std::vector<uint8_t> profile_, jpeg_;
};

TEST_F(JpegIcc, ChunksOutOfOrderAssembleLikeExiftool) {
  const auto bytes = WithChunks({2, 1, 3});
  const fs::path f = Tmp("icc3.jpg");
  testsupport::WriteFileBytes(f, std::string(bytes.begin(), bytes.end()));
  const std::string fromExiftool = RunOutput("exiftool -icc_profile -b " + Quote(f));
  ASSERT_EQ(fromExiftool.size(), profile_.size());

  TBytesStream s(bytes);
  TIOParamsVals params;
  ReadJpegICCProfile(s, params);
  EXPECT_EQ(s.Position(), 0);
  ASSERT_NE(params.InputICCProfile(), nullptr);
  const TIEICC& icc = *params.InputICCProfile();
  ASSERT_EQ(size_t(icc.RawLength()), fromExiftool.size());
  EXPECT_EQ(std::memcmp(icc.Raw(), fromExiftool.data(), fromExiftool.size()), 0);
  EXPECT_TRUE(icc.IsValid());
}

TEST_F(JpegIcc, MalformedChunksSkipTheProfile) {
  const size_t n = profile_.size();
  const auto whole = Part(profile_, 0, n);
  const struct {
    const char* Name;
    std::vector<uint8_t> Segments;
  } cases[] = {
      {"sequence 0", IccChunk(0, 1, whole)},
      {"sequence beyond count", IccChunk(3, 2, whole)},
      {"count changes", [&] {
         auto a = IccChunk(1, 2, Part(profile_, 0, n / 2));
         auto b = IccChunk(2, 3, Part(profile_, n / 2, n));
         a.insert(a.end(), b.begin(), b.end());
         return a;
       }()},
      {"repeated chunk", [&] {
         auto a = IccChunk(1, 2, whole);
         auto b = IccChunk(1, 2, whole);
         a.insert(a.end(), b.begin(), b.end());
         return a;
       }()},
      {"missing chunk", IccChunk(1, 2, whole)},
      {"shorter than its header", Segment(0xE2, Bytes(std::string("ICC_PROFILE\0\1", 13)))},
      {"header only", IccChunk(1, 1, {})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto bytes = InsertAfterApp0(jpeg_, c.Segments);
    TBytesStream s(bytes);
    TIOParamsVals params;
    ReadJpegICCProfile(s, params);
    EXPECT_EQ(params.InputICCProfile(), nullptr);
    // The image itself still decodes.
    Decoded d;
    DecodeBytes(d, bytes);
    EXPECT_FALSE(d.Aborting.load());
    EXPECT_EQ(d.Rows, 149);
  }
}

TEST(JpegIccWalk, SegmentLengthsAreCheckedAgainstTheEnd) {
  const std::vector<uint8_t> soi = {0xFF, 0xD8};
  const std::vector<uint8_t> chunk = IccChunk(1, 1, Bytes("profile bytes"));
  auto join = [](std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  };
  const struct {
    const char* Name;
    std::vector<uint8_t> File;
    bool Found;
  } cases[] = {
      {"a whole chunk", join({soi, chunk, {0xFF, 0xD9}}), true},
      {"the chunk's length runs past the end", join({soi, Part(chunk, 0, chunk.size() - 1)}), false},
      {"the length field is cut in half", join({soi, {0xFF, 0xE2, 0x00}}), false},
      {"a length below its own two bytes", join({soi, {0xFF, 0xE2, 0x00, 0x01}, chunk}), false},
      {"a skipped segment runs past the end", join({soi, {0xFF, 0xE1, 0xFF, 0xFF}, chunk}), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBytesStream s(c.File);
    s.SetPosition(0);
    TIOParamsVals params;
    ReadJpegICCProfile(s, params);
    EXPECT_EQ(s.Position(), 0);
    if (!c.Found) {
      EXPECT_EQ(params.InputICCProfile(), nullptr);
      continue;
    }
    ASSERT_NE(params.InputICCProfile(), nullptr);
    const TIEICC& icc = *params.InputICCProfile();
    ASSERT_EQ(icc.RawLength(), 13);
    EXPECT_EQ(std::memcmp(icc.Raw(), "profile bytes", 13), 0);
  }
}

TEST_F(JpegIcc, AppliedProfileDropsApp2WithColourManagement) {
  const bool saved = IEColorManagement;
  for (bool managed : {false, true}) {
    SCOPED_TRACE(managed);
    IEColorManagement = managed;
    Decoded d;
    DecodeBytes(d, WithChunks({1, 2, 3}));
    ASSERT_FALSE(d.Aborting.load());
    ASSERT_NE(d.Params->InputICCProfile(), nullptr);
    EXPECT_EQ(d.Params->InputICCProfile()->Applied, managed);
    EXPECT_EQ(d.Params->JpegMarkers.IndexOf(0xE2) >= 0, !managed);
  }
  IEColorManagement = saved;
}

// ---------------------------------------------------------------------------
// Bad input

TEST_F(JpegDecode, MalformedInput) {
  REQUIRE_SHARED_TESTDATA();
  const auto jpeg = FileBytes(Real("testorig.jpg"));
  auto patched = [&](size_t at, std::vector<uint8_t> with) {
    auto b = jpeg;
    std::copy(with.begin(), with.end(), b.begin() + std::ptrdiff_t(at));
    return b;
  };
  // Offset of the frame header's height field.
  size_t sof = 2;
  while (!(jpeg[sof] == 0xFF && jpeg[sof + 1] == 0xC0)) ++sof;
  const struct {
    const char* Name;
    std::vector<uint8_t> Bytes;
    bool Aborting;
    int32_t Rows;
    bool Warnings;
  } cases[] = {
      {"empty", {}, true, 0, false},
      {"not a JPEG", Bytes("GIF89a this is not a JPEG at all"), true, 0, false},
      {"start of image only", {0xFF, 0xD8, 0xFF}, true, 0, false},
      {"cut inside the header", Part(jpeg, 0, 300), true, 0, true},
      {"cut inside the data", Part(jpeg, 0, jpeg.size() / 2), false, 149, true},
      {"zero height", patched(sof + 5, {0, 0}), true, 0, false},
      {"12-bit samples", patched(sof + 4, {12}), true, 0, false},
      {"two start-of-image markers", patched(2, {0xFF, 0xD8}), true, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Decoded d;
    DecodeBytes(d, c.Bytes);
    EXPECT_EQ(d.Aborting.load(), c.Aborting);
    EXPECT_EQ(d.Rows, c.Rows);
    EXPECT_EQ(d.Params->JpegWarningCount > 0, c.Warnings);
    if (c.Warnings && !c.Aborting) {
      // Which of the two the library reports depends on where the data stops.
      const std::string last = JpegMessageText(d.Params->JpegLastWarningCode);
      EXPECT_TRUE(last == "Premature end of JPEG file" || last == "Corrupt JPEG data: premature end of data segment")
          << last;
    }
  }
}

// A header alone never buys memory: past the pixel limit the data after the
// header must hold at least one byte per 512 pixels (a Huffman-coded block of
// 64 pixels costs at least a bit), or the read fails before anything is made.
TEST_F(JpegDecode, PicturesPastThePixelLimitNeedDataThatCanFillThem) {
  REQUIRE_SHARED_TESTDATA();
  const auto jpeg = FileBytes(Real("testorig.jpg"));  // 227 x 149: 33,823 pixels
  size_t sof = 0, scan = 0;
  for (size_t i = 2; i + 4 <= jpeg.size() && !scan;) {
    ASSERT_EQ(jpeg[i], 0xFF);
    const size_t length = size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
    if (jpeg[i + 1] == 0xC0) sof = i;
    if (jpeg[i + 1] == 0xDA) scan = i + 2 + length;
    i += 2 + length;
  }
  ASSERT_GT(sof, 0u);
  ASSERT_GT(scan, sof);
  auto huge = Part(jpeg, 0, scan + 200);
  for (size_t k : {5, 7}) {  // height, then width: 65,500 each
    huge[sof + k] = 0xFF;
    huge[sof + k + 1] = 0xDC;
  }
  const struct {
    const char* Name;
    std::vector<uint8_t> Bytes;
    int64_t Limit;
    bool Aborting;
    int32_t Rows;
  } cases[] = {
      {"65,500 x 65,500 with 200 bytes of data", huge, win::kDefaultImagePixelLimit, true, 0},
      {"the whole picture past a lowered limit", jpeg, 1000, false, 149},
      {"cut to 100 bytes of data past a lowered limit", Part(jpeg, 0, scan + 100), 1000, false, 149},
      {"cut to 60 bytes of data past a lowered limit", Part(jpeg, 0, scan + 60), 1000, true, 0},
      {"cut to 60 bytes of data within the limit", Part(jpeg, 0, scan + 60), 40000, false, 149},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    win::ScopedImagePixelLimit limit(c.Limit);
    Decoded d;
    DecodeBytes(d, c.Bytes);
    EXPECT_EQ(d.Aborting.load(), c.Aborting);
    EXPECT_EQ(d.Rows, c.Rows);
    EXPECT_EQ(d.Bitmap->GetHeight(), c.Rows);
  }
}

// TIFF pages keep their quantization and Huffman tables apart from each
// strip: the tables stream is read first, then the abbreviated image.
TEST_F(JpegDecode, TablesFromASeparateStream) {
  REQUIRE_SHARED_TESTDATA();
  const auto jpeg = FileBytes(Real("testorig.jpg"));
  std::vector<uint8_t> tables = {0xFF, 0xD8}, image = {0xFF, 0xD8};
  size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
    const size_t end = at + 2 + ((size_t(jpeg[at + 2]) << 8) | jpeg[at + 3]);
    auto& to = jpeg[at + 1] == 0xDB || jpeg[at + 1] == 0xC4 ? tables : image;
    to.insert(to.end(), jpeg.begin() + std::ptrdiff_t(at), jpeg.begin() + std::ptrdiff_t(end));
    at = end;
  }
  ASSERT_GT(tables.size(), 100u);
  tables.insert(tables.end(), {0xFF, 0xD9});
  image.insert(image.end(), jpeg.begin() + std::ptrdiff_t(at), jpeg.end());

  Decoded whole;
  DecodeBytes(whole, jpeg);
  {  // Without its tables the image cannot be decoded.
    Decoded d;
    DecodeBytes(d, image);
    EXPECT_TRUE(d.Aborting.load());
  }
  TBytesStream tableStream(tables), imageStream(image);
  Decoded d;
  TIEProgressRecord progress;
  progress.Aborting = &d.Aborting;
  d.Rows = ReadJpegStream(imageStream, *d.Bitmap, *d.Params, progress,
                          {.TablesStream = &tableStream, .LoadMetadata = false});
  ASSERT_FALSE(d.Aborting.load());
  ASSERT_EQ(d.Rows, 149);
  for (int32_t y = 0; y < 149; ++y)
    ASSERT_EQ(std::memcmp(d.Bitmap->GetScanline(y), whole.Bitmap->GetScanline(y), size_t(d.Bitmap->GetRowLen())), 0)
        << y;
}

TEST_F(JpegDecode, BadTablesStreamRaises) {
  REQUIRE_SHARED_TESTDATA();
  TBytesStream tables(Bytes("no tables here"));
  TFileStream s(Real("testorig.jpg").string(), fmOpenRead);
  Decoded d;
  TIEProgressRecord progress;
  progress.Aborting = &d.Aborting;
  try {
    ReadJpegStream(s, *d.Bitmap, *d.Params, progress, {.TablesStream = &tables, .LoadMetadata = false});
    ADD_FAILURE() << "no exception";
  } catch (const EIEJpegException& e) {
    EXPECT_EQ(e.Message(), "Not a JPEG file: starts with ?");
  }
  EXPECT_TRUE(d.Aborting.load());
}

TEST(JpegErrorManager, MessagesAndTheScanlineShortfall) {
  const struct {
    int32_t Code;
    const char* Text;
  } texts[] = {{0, "Bogus message code ?"}, {53, "Not a JPEG file: starts with ?"},
               {67, "Application transferred too few scanlines"}, {73, ""},
               {123, "Application transferred too many scanlines"}, {124, "Corrupted"}, {-1, "Corrupted"}};
  for (const auto& t : texts) EXPECT_EQ(JpegMessageText(t.Code), t.Text) << t.Code;
  EXPECT_EQ(JpegMessageIndex(JERR_NO_SOI), 53);
  EXPECT_EQ(JpegMessageIndex(JWRN_JPEG_EOF), 120);

  std::atomic<bool> aborting{false};
  TIEJpegErrorMgr err;
  JpegInitErrorMgr(err, &aborting);
  jpeg_decompress_struct ci{};
  ci.err = &err.pub;
  err.pub.msg_code = JERR_TOO_LITTLE_DATA;
  JpegErrorExit(reinterpret_cast<j_common_ptr>(&ci));  // returns
  EXPECT_TRUE(aborting.load());

  err.pub.msg_code = JWRN_HIT_MARKER;
  JpegEmitMessage(reinterpret_cast<j_common_ptr>(&ci), 1);  // a trace: not counted
  JpegEmitMessage(reinterpret_cast<j_common_ptr>(&ci), -1);
  JpegEmitMessage(reinterpret_cast<j_common_ptr>(&ci), -1);
  EXPECT_EQ(err.pub.num_warnings, 2);
  JpegResetErrorMgr(reinterpret_cast<j_common_ptr>(&ci));
  EXPECT_EQ(err.pub.num_warnings, 0);
}

}  // namespace
