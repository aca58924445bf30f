// Lossless JPEG transforms, checked against libjpeg-turbo's jpegtran and
// djpeg (pixels), exiftool (the refreshed EXIF block) and identities.
#include "imaging/io/jpegtransform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/ioparams.h"
#include "imaging/io/jpegfilt.h"
#include "platform/classes/streams.h"
#include "tests/imaging/io/jpegsegments.h"
#include "tests/support/exiftool.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/testsupport.h"

namespace {

using testsupport::Raster;

struct Outcome {
  bool ok = false;
  std::string bytes;  // what Dest received
};

Outcome Transform(const std::string& jpeg, TIEJpegTransform t, bool gray = false, uint8_t copy = jcCopyAll,
                  TRect cut = {}, bool exif = false) {
  TIEMemStream source(jpeg.data(), int64_t(jpeg.size()));
  TMemoryStream dest;
  Outcome o;
  o.ok = JpegLosslessTransform(source, dest, t, gray, copy, cut, exif);
  o.bytes.assign(static_cast<const char*>(dest.Memory()), size_t(dest.Size()));
  return o;
}

// jpegtran's output for the same source; empty when it fails.
std::string Jpegtran(const std::string& jpeg, const std::vector<std::string>& args) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "in.jpg", jpeg);
  std::string command = "jpegtran";
  for (const std::string& a : args) command += " " + testsupport::ShellQuote(a);
  command += " -outfile " + testsupport::ShellQuote((dir / "out.jpg").string()) + " " +
             testsupport::ShellQuote((dir / "in.jpg").string()) + " 2>/dev/null";
  if (!testsupport::RunSucceeds(command)) return {};
  return testsupport::ReadFileBytes(dir / "out.jpg");
}

// A picture with detail everywhere, so that a block in the wrong place or
// with a wrong sign shows.
Raster Textured(int32_t w, int32_t h) {
  Raster r{w, h, 3, {}};
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      r.pixels.insert(r.pixels.end(), {uint8_t(x * 7 + y * 3), uint8_t((x * y) % 251), uint8_t(((x ^ y) * 29) & 0xFF)});
  return r;
}

std::string MakeJpeg(const Raster& r, const std::vector<std::string>& extra = {}) {
  std::vector<std::string> options{"-quality", "90"};
  options.insert(options.end(), extra.begin(), extra.end());
  return testsupport::Cjpeg(r, options);
}

bool HaveTools() { return testsupport::HaveJpegTools() && testsupport::HaveTool("jpegtran"); }

#define REQUIRE_JPEG_TOOLS() \
  if (!HaveTools()) GTEST_SKIP() << "djpeg, cjpeg or jpegtran is not installed"

// jpegtran's arguments for each code but the cut.
std::vector<std::string> JpegtranArgs(TIEJpegTransform t) {
  switch (t) {
    case jtHorizFlip: return {"-flip", "horizontal"};
    case jtVertFlip: return {"-flip", "vertical"};
    case jtTranspose: return {"-transpose"};
    case jtTransverse: return {"-transverse"};
    case jtRotate90: return {"-rotate", "90"};
    case jtRotate180: return {"-rotate", "180"};
    case jtRotate270: return {"-rotate", "270"};
    default: return {};
  }
}

// The size trimming leaves: whole units along every axis whose partial unit would change sides.
void TrimmedSize(TIEJpegTransform t, int32_t w, int32_t h, int32_t uw, int32_t uh, int32_t& ow, int32_t& oh) {
  const int32_t fw = w / uw * uw, fh = h / uh * uh;
  switch (t) {
    case jtHorizFlip: ow = fw; oh = h; break;
    case jtVertFlip: ow = w; oh = fh; break;
    case jtTranspose: ow = h; oh = w; break;
    case jtTransverse: ow = fh; oh = fw; break;
    case jtRotate90: ow = fh; oh = w; break;
    case jtRotate180: ow = fw; oh = fh; break;
    case jtRotate270: ow = h; oh = fw; break;
    default: ow = w; oh = h; break;
  }
}

struct Source {
  std::string what;
  std::string jpeg;
  int32_t width, height, unitW, unitH;
};

std::vector<Source> OracleSources() {
  std::vector<Source> s;
  const auto orig = testsupport::SharedDataDir().empty()
                        ? std::string()
                        : testsupport::ReadFileBytes(testsupport::SharedDataDir() / "real" / "testorig.jpg");
  if (!orig.empty()) s.push_back({"testorig.jpg, 4:2:0", orig, 227, 149, 16, 16});
  s.push_back({"block-aligned 4:2:0", MakeJpeg(Textured(64, 48)), 64, 48, 16, 16});
  s.push_back({"progressive 4:2:2", MakeJpeg(Textured(61, 37), {"-progressive", "-sample", "2x1"}), 61, 37, 16, 8});
  s.push_back({"restart markers, 4:4:4", MakeJpeg(Textured(45, 29), {"-restart", "1B", "-sample", "1x1"}), 45, 29, 8, 8});
  s.push_back({"grayscale", MakeJpeg(Textured(43, 21), {"-grayscale"}), 43, 21, 8, 8});
  return s;
}

const TIEJpegTransform kAllButCut[] = {jtNone,       jtHorizFlip, jtVertFlip,  jtTranspose,
                                       jtTransverse, jtRotate90,  jtRotate180, jtRotate270};

TEST(JpegLosslessTransform, EveryCodeMatchesJpegtranWithTrimming) {
  REQUIRE_JPEG_TOOLS();
  for (const Source& src : OracleSources()) {
    ASSERT_FALSE(src.jpeg.empty()) << src.what;
    for (TIEJpegTransform t : kAllButCut) {
      SCOPED_TRACE(src.what + ", code " + std::to_string(int(t)));
      const Outcome ours = Transform(src.jpeg, t);
      ASSERT_TRUE(ours.ok);
      std::vector<std::string> args{"-trim", "-copy", "all"};
      for (const std::string& a : JpegtranArgs(t)) args.push_back(a);
      const Raster expected = testsupport::DjpegBytes(Jpegtran(src.jpeg, args));
      const Raster got = testsupport::DjpegBytes(ours.bytes);
      ASSERT_FALSE(expected.Empty());
      ASSERT_FALSE(got.Empty());
      int32_t w = 0, h = 0;
      TrimmedSize(t, src.width, src.height, src.unitW, src.unitH, w, h);
      EXPECT_EQ(got.width, w);
      EXPECT_EQ(got.height, h);
      EXPECT_EQ(got.channels, expected.channels);
      EXPECT_TRUE(got.pixels == expected.pixels);
    }
  }
}

TEST(JpegLosslessTransform, GrayscaleKeepsTheLuminanceOnly) {
  REQUIRE_JPEG_TOOLS();
  for (const Source& src : OracleSources()) {
    for (TIEJpegTransform t : {jtNone, jtRotate90, jtVertFlip}) {
      SCOPED_TRACE(src.what + ", code " + std::to_string(int(t)));
      const Outcome ours = Transform(src.jpeg, t, true);
      ASSERT_TRUE(ours.ok);
      const Raster got = testsupport::DjpegBytes(ours.bytes);
      std::vector<std::string> args{"-trim", "-grayscale"};
      for (const std::string& a : JpegtranArgs(t)) args.push_back(a);
      const Raster expected = testsupport::DjpegBytes(Jpegtran(src.jpeg, args));
      EXPECT_EQ(got.channels, 1);
      EXPECT_EQ(got.width, expected.width);
      EXPECT_EQ(got.height, expected.height);
      EXPECT_TRUE(got.pixels == expected.pixels);
    }
  }
}

TEST(JpegLosslessTransform, TurnsAndFlipsUndoThemselvesOnABlockAlignedPicture) {
  REQUIRE_JPEG_TOOLS();
  const std::string source = MakeJpeg(Textured(64, 48));
  const Raster original = testsupport::DjpegBytes(source);
  ASSERT_FALSE(original.Empty());
  const struct {
    const char* what;
    std::vector<TIEJpegTransform> steps;
  } cases[] = {
      {"four quarter turns", {jtRotate90, jtRotate90, jtRotate90, jtRotate90}},
      {"two half turns", {jtRotate180, jtRotate180}},
      {"a quarter turn each way", {jtRotate90, jtRotate270}},
      {"two horizontal flips", {jtHorizFlip, jtHorizFlip}},
      {"two vertical flips", {jtVertFlip, jtVertFlip}},
      {"two transposes", {jtTranspose, jtTranspose}},
      {"two transverses", {jtTransverse, jtTransverse}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string jpeg = source;
    for (TIEJpegTransform t : c.steps) {
      const Outcome o = Transform(jpeg, t);
      ASSERT_TRUE(o.ok);
      jpeg = o.bytes;
    }
    const Raster back = testsupport::DjpegBytes(jpeg);
    EXPECT_EQ(back.width, original.width);
    EXPECT_EQ(back.height, original.height);
    EXPECT_TRUE(back.pixels == original.pixels);
  }
  // One quarter turn alone is no identity: the check above can fail.
  EXPECT_FALSE(testsupport::DjpegBytes(Transform(source, jtRotate180).bytes).pixels == original.pixels);
}

TEST(JpegLosslessTransform, CutIsClampedAndWidenedToWholeUnits) {
  REQUIRE_SHARED_TESTDATA();
  REQUIRE_JPEG_TOOLS();
  const std::string source = testsupport::ReadFileBytes(testsupport::SharedDataDir() / "real" / "testorig.jpg");
  const int32_t w = 227, h = 149, unit = 16;  // 4:2:0
  const TRect cuts[] = {
      {10, 5, 40, 20},        // inside: grows outwards to the units around it
      {16, 32, 31, 47},       // exactly one unit
      {100, 100, 300, 300},   // past the right and bottom: clamped, ends at the picture's edge
      {-5, -7, 0, 0},         // before the top-left corner: one pixel, then its unit
      {0, 0, w - 1, h - 1},   // the whole picture
  };
  for (const TRect& r : cuts) {
    SCOPED_TRACE(std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
                 std::to_string(r.Bottom));
    const int32_t l = std::max(r.Left, 0), t = std::max(r.Top, 0);
    const int32_t rr = std::min(r.Right, w - 1), bb = std::min(r.Bottom, h - 1);
    const int32_t x0 = l / unit * unit, y0 = t / unit * unit;
    const int32_t x1 = std::min((rr + unit) / unit * unit, w), y1 = std::min((bb + unit) / unit * unit, h);
    const Outcome ours = Transform(source, jtCut, false, jcCopyAll, r);
    ASSERT_TRUE(ours.ok);
    const Raster got = testsupport::DjpegBytes(ours.bytes);
    EXPECT_EQ(got.width, x1 - x0);
    EXPECT_EQ(got.height, y1 - y0);
    std::ostringstream crop;
    crop << (x1 - x0) << "x" << (y1 - y0) << "+" << x0 << "+" << y0;
    const Raster expected = testsupport::DjpegBytes(Jpegtran(source, {"-copy", "all", "-crop", crop.str()}));
    ASSERT_FALSE(expected.Empty());
    EXPECT_EQ(expected.width, x1 - x0);
    EXPECT_TRUE(got.pixels == expected.pixels);
  }
}

// A source with every kind of extra segment after its JFIF header.
std::string WithMarkers(const std::string& jpeg) {
  auto segment = [](uint8_t code, const std::string& payload) {
    const size_t n = payload.size() + 2;
    return std::string{char(0xFF), char(code), char(n >> 8), char(n & 0xFF)} + payload;
  };
  using namespace std::string_literals;
  const std::string extra = segment(0xE1, "Exif\0\0II*\0\x08\0\0\0\0\0\0\0\0\0"s) +
                            segment(0xE2, "ICC_PROFILE\0\x01\x01 not a real profile"s) +
                            segment(0xFE, "first comment") + segment(0xED, "Photoshop 3.0\0 8BIM"s) +
                            segment(0xEF, "\x01\x02\x03"s) + segment(0xFE, "second comment");
  const auto segs = jpegtest::Segments(jpeg);
  const size_t afterApp0 = 2 + segs[1].Bytes.size();  // SOI, then cjpeg's JFIF APP0
  return jpeg.substr(0, afterApp0) + extra + jpeg.substr(afterApp0);
}

std::vector<std::string> ExtraSegments(const std::string& jpeg) {
  std::vector<std::string> out;
  for (const auto& s : jpegtest::Segments(jpeg))
    if ((s.Code >= 0xE0 && s.Code <= 0xEF) || s.Code == 0xFE) out.push_back(s.Bytes);
  return out;
}

TEST(JpegLosslessTransform, MarkerOptionsKeepAllCommentsOrNone) {
  REQUIRE_JPEG_TOOLS();
  const std::string plain = MakeJpeg(Textured(64, 48));
  const std::string source = WithMarkers(plain);
  const std::vector<std::string> all = ExtraSegments(source);
  ASSERT_EQ(all.size(), 7u);
  const std::string& jfif = all[0];
  std::vector<std::string> comments{jfif};
  for (const std::string& s : all)
    if (uint8_t(s[1]) == 0xFE) comments.push_back(s);
  const struct {
    uint8_t option;
    const std::vector<std::string>* kept;
  } cases[] = {{jcCopyAll, &all}, {jcCopyComments, &comments}};
  for (TIEJpegTransform t : {jtNone, jtRotate90}) {
    for (const auto& c : cases) {
      SCOPED_TRACE("code " + std::to_string(int(t)) + ", option " + std::to_string(c.option));
      const Outcome o = Transform(source, t, false, c.option);
      ASSERT_TRUE(o.ok);
      EXPECT_EQ(ExtraSegments(o.bytes), *c.kept);
    }
    // Option 0: only the JFIF header that the encoder writes itself.
    EXPECT_EQ(ExtraSegments(Transform(source, t, false, jcCopyNone).bytes), std::vector<std::string>{jfif});
  }
}

TEST(JpegLosslessTransform, NoTransformKeepsTheCoefficients) {
  REQUIRE_JPEG_TOOLS();
  for (const Source& src : OracleSources()) {
    SCOPED_TRACE(src.what);
    const Outcome o = Transform(src.jpeg, jtNone);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(jpegtest::QuantTables(o.bytes), jpegtest::QuantTables(src.jpeg));
    // jpegtran re-encodes coefficients with fixed tables: equal output means equal coefficients.
    const std::string a = Jpegtran(src.jpeg, {"-copy", "none"}), b = Jpegtran(o.bytes, {"-copy", "none"});
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b);
  }
}

TEST(JpegLosslessTransform, JunkBeforeTheStartIsSkippedUpTo149Bytes) {
  REQUIRE_JPEG_TOOLS();
  const std::string jpeg = MakeJpeg(Textured(32, 32));
  const Raster expected = testsupport::DjpegBytes(jpeg);
  for (const size_t junk : {size_t(0), size_t(1), size_t(149), size_t(150), size_t(400)}) {
    SCOPED_TRACE(junk);
    const std::string source = std::string(junk, '\xD8') + jpeg;
    TIEMemStream in(source.data(), int64_t(source.size()));
    TMemoryStream dest;
    dest.WriteBuffer("abc", 3);  // the result goes after what Dest holds
    const bool ok = JpegLosslessTransform(in, dest, jtNone, false, jcCopyAll, {}, false);
    EXPECT_EQ(ok, junk < 150);
    const std::string out(static_cast<const char*>(dest.Memory()), size_t(dest.Size()));
    EXPECT_EQ(out.substr(0, 3), "abc");
    if (ok)
      EXPECT_TRUE(testsupport::DjpegBytes(out.substr(3)).pixels == expected.pixels);
    else
      EXPECT_EQ(out.size(), 3u);
  }
}

// A CMYK JPEG made by the library's own encoder.
std::string CmykJpeg() {
  TIEBitmap bitmap;
  bitmap.Allocate(32, 16, ie24RGB);
  for (int32_t y = 0; y < 16; ++y) {
    auto* row = static_cast<uint8_t*>(bitmap.GetScanline(y));
    for (int32_t x = 0; x < 32 * 3; ++x) row[x] = uint8_t(x * 5 + y * 9);
  }
  TIOParamsVals params;
  params.JpegColorSpace = 3;
  std::atomic<bool> aborting{false};
  TIEProgressRecord progress;
  progress.Aborting = &aborting;
  TMemoryStream out;
  WriteJpegStream(out, bitmap, params, progress);
  return std::string(static_cast<const char*>(out.Memory()), size_t(out.Size()));
}

TEST(JpegLosslessTransform, RefusedRequestsAndBrokenDataWriteNothing) {
  REQUIRE_JPEG_TOOLS();
  const std::string good = MakeJpeg(Textured(64, 48));
  const auto segs = jpegtest::Segments(good);
  size_t sofEnd = 0, scanStart = 0;
  for (size_t i = 0, at = 0; i < segs.size(); at += segs[i].Bytes.size(), ++i) {
    if (segs[i].Code == 0xC0) sofEnd = at + segs[i].Bytes.size();
    if (segs[i].Code == 0) scanStart = at;
  }
  ASSERT_GT(sofEnd, 0u);
  const size_t scanLength = good.size() - scanStart;
  std::string ones = good;  // 64 set bits are no Huffman code of any table
  for (size_t i = 0; i < 16; i += 2) {
    ones[scanStart + scanLength / 2 + i] = char(0xFF);
    ones[scanStart + scanLength / 2 + i + 1] = 0;
  }
  const std::string cmyk = CmykJpeg();
  ASSERT_FALSE(cmyk.empty());
  const std::string tiny = MakeJpeg(Textured(8, 8));  // 4:2:0: less than one 16 x 16 unit
  const struct {
    const char* what;
    std::string source;
    TIEJpegTransform code;
    bool gray;
    uint8_t copy;
    TRect cut;
  } cases[] = {
      {"no JPEG at all", "just some text, no start of image", jtNone, false, jcCopyAll, {}},
      {"cut off after the frame header", good.substr(0, sofEnd), jtRotate90, false, jcCopyAll, {}},
      {"cut off in the scan's header", good.substr(0, scanStart - 3), jtNone, false, jcCopyAll, {}},
      {"cut off in the middle of the scan", good.substr(0, scanStart + scanLength / 2), jtRotate90, false, jcCopyAll, {}},
      {"cut off in the middle of the scan, no transform", good.substr(0, scanStart + scanLength / 2), jtNone, false,
       jcCopyAll, {}},
      {"entropy data overwritten", ones, jtHorizFlip, false, jcCopyAll, {}},
      {"grey from CMYK", cmyk, jtRotate90, true, jcCopyAll, {}},
      {"cut outside the picture", good, jtCut, false, jcCopyAll, {64, 0, 100, 10}},
      {"cut above the picture", good, jtCut, false, jcCopyAll, {0, -20, 10, -1}},
      {"cut inverted", good, jtCut, false, jcCopyAll, {30, 10, 20, 40}},
      {"cut empty", good, jtCut, false, jcCopyAll, {20, 10, 19, 40}},
      {"a turn that trimming would leave empty", tiny, jtRotate90, false, jcCopyAll, {}},
      {"a flip that trimming would leave empty", tiny, jtHorizFlip, false, jcCopyAll, {}},
      {"an unknown code", good, TIEJpegTransform(9), false, jcCopyAll, {}},
  };
  for (const auto& c : cases) {
    for (const bool exif : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (exif ? ", with the EXIF refresh" : ""));
      Outcome o;
      EXPECT_NO_THROW(o = Transform(c.source, c.code, c.gray, c.copy, c.cut, exif));
      EXPECT_FALSE(o.ok);
      EXPECT_EQ(o.bytes.size(), 0u);
    }
  }
  // The controls: the same sources with requests that can be met.
  EXPECT_TRUE(Transform(good.substr(0, good.size() - 2), jtRotate90).ok) << "only the end-of-image marker missing";
  EXPECT_TRUE(Transform(cmyk, jtRotate90).ok);
  EXPECT_TRUE(Transform(tiny, jtTranspose).ok);
  EXPECT_TRUE(Transform(good, jtCut, false, jcCopyAll, {63, 47, 63, 47}).ok);
}

TEST(JpegLosslessTransform, AFailedExifReplacementWritesNothing) {
  // The CMYK result has no JFIF header, and with no markers copied no APP1
  // either: nowhere to put the EXIF segment.
  const std::string cmyk = CmykJpeg();
  const Outcome o = Transform(cmyk, jtRotate180, false, jcCopyNone, {}, true);
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.bytes.size(), 0u);
  EXPECT_TRUE(Transform(cmyk, jtRotate180, false, jcCopyNone, {}, false).ok);
}

// A 72 x 40 picture, bright in its top-left quarter, with EXIF orientation 6.
std::string ExifSource(const testsupport::TempDir& dir) {
  Raster r{72, 40, 3, {}};
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 72; ++x) {
      const uint8_t v = (x < 36 && y < 20) ? 250 : 10;
      r.pixels.insert(r.pixels.end(), {v, v, v});
    }
  const auto file = dir / "src.jpg";
  testsupport::WriteFileBytes(file, MakeJpeg(r));
  exiftool::Run({"-overwrite_original", "-Make=Duplexion Test", "-DateTimeOriginal=2024:05:06 07:08:09",
                 "-Orientation#=6", "-ExifImageWidth=72", "-ExifImageHeight=40"},
                file);
  return testsupport::ReadFileBytes(file);
}

// Mean of the thumbnail's pixels in [x0, x1) x [y0, y1), given as fractions of its size.
double Mean(const Raster& r, double x0, double x1, double y0, double y1) {
  double sum = 0;
  int n = 0;
  for (int32_t y = int32_t(y0 * r.height); y < int32_t(y1 * r.height); ++y)
    for (int32_t x = int32_t(x0 * r.width); x < int32_t(x1 * r.width); ++x, ++n) sum += r.At(x, y)[0];
  return n ? sum / n : -1;
}

TEST(JpegLosslessTransform, ExifRefreshDescribesTheNewPicture) {
  REQUIRE_JPEG_TOOLS();
  REQUIRE_EXIFTOOL();
  testsupport::TempDir dir;
  const std::string source = ExifSource(dir);
  ASSERT_EQ(exiftool::Run({"-n", "-s3", "-Orientation"}, dir / "src.jpg"), "6\n");
  const struct {
    const char* what;
    TIEJpegTransform code;
    TRect cut;
    const char* orientation;
    int32_t width, height;
  } cases[] = {
      // 40 rows hold two whole 16-pixel units: the turned picture is 32 wide.
      {"quarter turn", jtRotate90, {}, "1", 32, 72},
      {"cut keeps the orientation", jtCut, {20, 0, 50, 10}, "6", 48, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome o = Transform(source, c.code, false, jcCopyAll, c.cut, true);
    ASSERT_TRUE(o.ok);
    const auto file = dir / "out.jpg";
    testsupport::WriteFileBytes(file, o.bytes);
    const auto runs = exiftool::RunEach({{{"-n", "-s3", "-Orientation", "-ExifImageWidth", "-ExifImageHeight",
                                           "-ImageWidth", "-ImageHeight", "-Make", "-DateTimeOriginal"},
                                          file},
                                         {{"-b", "-ThumbnailImage"}, file}});
    std::ostringstream expected;
    expected << c.orientation << "\n"
             << c.width << "\n"
             << c.height << "\n"
             << c.width << "\n"
             << c.height << "\nDuplexion Test\n2024:05:06 07:08:09\n";
    EXPECT_EQ(runs[0], expected.str());
    const Raster thumb = testsupport::DjpegBytes(runs[1]);
    ASSERT_FALSE(thumb.Empty());
    EXPECT_EQ(thumb.width, 160);
    EXPECT_NEAR(thumb.height, 160 * c.height / c.width, 1);
    if (c.code == jtRotate90) {
      // The bright quarter went from the top left to the top right.
      EXPECT_GT(Mean(thumb, 0.5, 1.0, 0.05, 0.45), 200);
      EXPECT_LT(Mean(thumb, 0.0, 0.3, 0.0, 1.0), 60);
      EXPECT_LT(Mean(thumb, 0.0, 1.0, 0.55, 1.0), 60);
    }
  }
}

}  // namespace
