// JPEG encoding checked against independent tools: djpeg decodes what we
// write, cjpeg's tables are the reference for the quality scaling, exiftool
// reads the headers back. The raw-decoder bridge is checked against djpeg.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/io/jpegbridge.h"
#include "imaging/io/jpegfilt.h"
#include "platform/classes/streams.h"
#include "tests/imaging/io/jpegsegments.h"
#include "tests/support/exiftool.h"
#include "tests/support/imaging/raster_bitmap.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;
using testsupport::Raster;

namespace {

Raster Pattern(int32_t w, int32_t h) {
  Raster r{w, h, 3, std::vector<uint8_t>(size_t(w) * size_t(h) * 3)};
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* p = r.At(x, y);
      p[0] = uint8_t(x * 255 / (w - 1));
      p[1] = uint8_t(y * 255 / (h - 1));
      p[2] = uint8_t(128 + 100 * std::sin(x * 0.3) * std::cos(y * 0.2));
    }
  return r;
}

struct Encoded {
  std::string Bytes;
  bool Aborting = false;
};

Encoded Encode(TIEBitmap& bitmap, TIOParamsVals& params, TStream* into = nullptr) {
  TMemoryStream memory;
  TStream& stream = into ? *into : memory;
  std::atomic<bool> aborting{false};
  TIEProgressRecord progress;
  progress.Aborting = &aborting;
  WriteJpegStream(stream, bitmap, params, progress);
  Encoded e;
  e.Aborting = aborting.load();
  if (!into) e.Bytes.assign(static_cast<const char*>(memory.Memory()), size_t(memory.Size()));
  return e;
}

double Psnr(const Raster& a, const Raster& b) {
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const double d = double(a.pixels[i]) - double(b.pixels[i]);
    sum += d * d;
  }
  const double mse = sum / double(a.pixels.size());
  return 10 * std::log10(255.0 * 255.0 / mse);
}

std::vector<std::string> Split(const std::string& line, char sep) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, sep);) out.push_back(field);
  return out;
}

// A stream that takes at most limit bytes in all.
class TShortStream : public TMemoryStream {
public:
  explicit TShortStream(int64_t limit) : limit_(limit) {}
  int32_t Write(const void* buffer, int32_t count) override {
    const int32_t n = int32_t(std::min<int64_t>(count, std::max<int64_t>(0, limit_ - Size())));
    return n > 0 ? TMemoryStream::Write(buffer, n) : 0;
  }

private:
  int64_t limit_;
};

TEST(JpegWrite, ColourSpaceChromaProgressiveAndResolutionAsExiftoolReadsThem) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  REQUIRE_EXIFTOOL();
  struct Case {
    uint8_t space;
    uint8_t chroma;
    bool progressive;
    int32_t dpi;
    // What exiftool -n must read: JFIF X resolution ("-" without JFIF),
    // sampling of three-component files, encoding process, components, Adobe transform.
    const char* jfifX;
    const char* sampling;
    const char* process;
    const char* components;
    const char* transform;
  };
  const Case cases[] = {
      {2, 0, false, 72, "72", "2 1", "0", "3", "-"},
      {2, 1, true, 0, "300", "2 2", "2", "3", "-"},  // no resolution: the library default
      {2, 2, false, 96, "96", "1 1", "0", "3", "-"},
      {1, 1, false, 150, "150", "-", "0", "1", "-"},
      {1, 0, true, 600, "600", "-", "2", "1", "-"},
      {0, 1, false, 72, "-", "1 1", "0", "3", "0"},  // RGB: no JFIF, every component 1 x 1
      {0, 0, true, 72, "-", "1 1", "2", "3", "0"},
      {3, 1, false, 200, "200", "-", "0", "4", "0"},  // CMYK: JFIF and Adobe both
      {4, 1, true, 200, "-", "-", "2", "4", "2"},     // YCCK: Adobe only
      {9, 2, false, 72, "-", "1 1", "0", "3", "0"},   // any other value is RGB
  };
  const Raster source = Pattern(40, 32);
  testsupport::TempDir dir;
  std::vector<exiftool::Job> jobs;
  const std::vector<std::string> tags = {"-n", "-T", "-JFIF:XResolution", "-YCbCrSubSampling", "-EncodingProcess",
                                         "-ColorComponents", "-APP14:ColorTransform"};
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    std::unique_ptr<TIEBitmap> bitmap = testsupport::BitmapOfRaster(source);
    TIOParamsVals params;
    params.JpegColorSpace = c.space;
    params.JpegChromaSampling = c.chroma;
    params.JpegProgressive = c.progressive;
    params.SetDpiX(c.dpi);
    params.SetDpiY(c.dpi);
    params.JpegQuality = 90;
    const Encoded e = Encode(*bitmap, params);
    ASSERT_FALSE(e.Aborting) << "case " << i;
    const fs::path file = dir / ("c" + std::to_string(i) + ".jpg");
    testsupport::WriteFileBytes(file, e.Bytes);
    const Raster decoded = testsupport::DjpegBytes(e.Bytes);
    ASSERT_FALSE(decoded.Empty()) << "djpeg refused case " << i;
    EXPECT_EQ(decoded.width, 40);
    EXPECT_EQ(decoded.height, 32);
    jobs.push_back({tags, file});
  }
  const std::vector<std::string> out = exiftool::RunEach(jobs);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    std::string line = out[i];
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    const std::vector<std::string> f = Split(line, '\t');
    ASSERT_EQ(f.size(), 5u) << "case " << i << ": " << line;
    EXPECT_EQ(f[0], c.jfifX) << "case " << i;
    EXPECT_EQ(f[1], c.sampling) << "case " << i;
    EXPECT_EQ(f[2], c.process) << "case " << i;
    EXPECT_EQ(f[3], c.components) << "case " << i;
    EXPECT_EQ(f[4], c.transform) << "case " << i;
  }
}

TEST(JpegWrite, QuantisationTablesEqualCjpegsAtTheSameQualityWithBaselineForced) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  const Raster source = Pattern(16, 16);
  for (int quality : {5, 30, 75, 95, 100}) {
    std::unique_ptr<TIEBitmap> bitmap = testsupport::BitmapOfRaster(source);
    TIOParamsVals params;
    params.JpegQuality = quality;
    const std::string ours = Encode(*bitmap, params).Bytes;
    const std::string theirs = testsupport::Cjpeg(source, {"-quality", std::to_string(quality), "-baseline"});
    ASSERT_FALSE(theirs.empty());
    EXPECT_EQ(jpegtest::QuantTables(ours), jpegtest::QuantTables(theirs)) << "quality " << quality;
  }
}

TEST(JpegWrite, Quality95StaysCloseToTheSource) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  const Raster source = Pattern(64, 48);
  for (uint8_t space : {0, 2}) {
    std::unique_ptr<TIEBitmap> bitmap = testsupport::BitmapOfRaster(source);
    TIOParamsVals params;
    params.JpegQuality = 95;
    params.JpegColorSpace = space;
    params.JpegChromaSampling = 2;
    const Raster decoded = testsupport::DjpegBytes(Encode(*bitmap, params).Bytes);
    ASSERT_EQ(decoded.pixels.size(), source.pixels.size());
    EXPECT_GT(Psnr(source, decoded), 38.0) << "colour space " << int(space);
  }
}

TEST(JpegWrite, MarkersSortedWithApp14LeftOut) {
  const Raster source = Pattern(16, 16);
  std::unique_ptr<TIEBitmap> bitmap = testsupport::BitmapOfRaster(source);
  TIOParamsVals params;
  const std::string xmp = std::string("http://ns.adobe.com/xap/1.0/") + '\0' + "<x/>";
  const std::string exif = std::string("Exif\0\0II*\0\x08\0\0\0\0\0\0\0\0\0", 20);
  auto chunk = [](int seq) { return std::string("ICC_PROFILE\0", 12) + char(seq) + char(2) + "data"; };
  params.JpegMarkers.AddMarker(0xFE, "note", 4);
  params.JpegMarkers.AddMarker(0xE1, xmp.data(), int32_t(xmp.size()));
  params.JpegMarkers.AddMarker(0xEE, "Adobe\0\0\0\0\0\0\0", 12);
  params.JpegMarkers.AddMarker(0xE2, chunk(2).data(), int32_t(chunk(2).size()));
  params.JpegMarkers.AddMarker(0xE1, exif.data(), int32_t(exif.size()));
  params.JpegMarkers.AddMarker(0xE2, chunk(1).data(), int32_t(chunk(1).size()));
  const std::vector<jpegtest::Segment> segments = jpegtest::Segments(Encode(*bitmap, params).Bytes);
  std::vector<std::string> payloads;
  std::vector<int> codes;
  for (const auto& s : segments)
    if ((s.Code >= 0xE1 && s.Code <= 0xEF) || s.Code == 0xFE) {
      codes.push_back(s.Code);
      payloads.push_back(s.Payload());
    }
  EXPECT_EQ(codes, (std::vector<int>{0xE1, 0xE1, 0xE2, 0xE2, 0xFE}));
  ASSERT_EQ(payloads.size(), 5u);
  EXPECT_EQ(payloads[0], exif);
  EXPECT_EQ(payloads[1], xmp);
  EXPECT_EQ(payloads[2], chunk(1));
  EXPECT_EQ(payloads[3], chunk(2));
  EXPECT_EQ(payloads[4], "note");
  EXPECT_EQ(segments[1].Code, 0xE0) << "the library's JFIF header comes first";
}

TEST(JpegWrite, BadInputAbortsOrRaisesAndWritesNothingUsable) {
  std::unique_ptr<TIEBitmap> empty = std::make_unique<TIEBitmap>();
  TIOParamsVals params;
  Encoded e = Encode(*empty, params);
  EXPECT_TRUE(e.Aborting);
  EXPECT_TRUE(e.Bytes.empty());

  // A marker no segment can hold is refused before a byte is written.
  std::unique_ptr<TIEBitmap> bitmap = testsupport::BitmapOfRaster(Pattern(16, 16));
  TIOParamsVals big;
  const std::vector<uint8_t> payload(65534, 7);
  big.JpegMarkers.AddMarker(0xE1, payload.data(), int32_t(payload.size()));
  TMemoryStream out;
  std::atomic<bool> aborting{false};
  TIEProgressRecord progress;
  progress.Aborting = &aborting;
  try {
    WriteJpegStream(out, *bitmap, big, progress);
    ADD_FAILURE() << "an oversized marker was written";
  } catch (const EIEJpegException& x) {
    EXPECT_STREQ(x.what(), "Bogus marker length");
  }
  EXPECT_TRUE(aborting.load());
  EXPECT_EQ(out.Size(), 0);

  // A library error: wider than a JPEG can be.
  std::unique_ptr<TIEBitmap> wide = TIEBitmap::CreateSized(65536, 1, ie24RGB);
  aborting = false;
  try {
    WriteJpegStream(out, *wide, params, progress);
    ADD_FAILURE() << "a picture wider than JPEG allows was written";
  } catch (const EIEJpegException& x) {
    EXPECT_STREQ(x.what(), "Maximum supported image dimension is ? pixels");
  }
  EXPECT_TRUE(aborting.load());

  // A stream that takes fewer bytes than given stops the rows.
  std::unique_ptr<TIEBitmap> large = testsupport::BitmapOfRaster(Pattern(400, 300));
  TShortStream shortStream(1000);
  e = Encode(*large, params, &shortStream);
  EXPECT_TRUE(e.Aborting);
  EXPECT_EQ(shortStream.Size(), 1000);
}

TEST(JpegWrite, OtherPixelFormatsAreEncodedFromA24BitCopy) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  std::unique_ptr<TIEBitmap> gray = TIEBitmap::CreateSized(24, 8, ie8g);
  for (int32_t y = 0; y < 8; ++y) {
    auto* row = static_cast<uint8_t*>(gray->GetScanline(y));
    for (int32_t x = 0; x < 24; ++x) row[x] = uint8_t(x * 10);
  }
  TIOParamsVals params;
  params.JpegQuality = 100;
  int32_t last = -1, reports = 0;
  std::atomic<bool> aborting{false};
  TIEProgressRecord progress;
  progress.Aborting = &aborting;
  progress.fOnProgress = [&](TObject*, int32_t per) {
    EXPECT_GT(per, last);
    last = per;
    ++reports;
  };
  TMemoryStream out;
  WriteJpegStream(out, *gray, params, progress);
  EXPECT_EQ(gray->GetPixelFormat(), ie8g) << "the caller's bitmap is left as it is";
  EXPECT_EQ(last, 100);
  EXPECT_EQ(reports, 8);
  const Raster decoded =
      testsupport::DjpegBytes(std::string(static_cast<const char*>(out.Memory()), size_t(out.Size())));
  ASSERT_EQ(decoded.width, 24);
  for (int32_t x = 0; x < 24; ++x) EXPECT_NEAR(decoded.At(x, 4)[1], x * 10, 3) << x;
}

// ---- the raw-decoder bridge ----

struct TBridgeRun {
  Raster Picture;
  std::string Error;
};

std::string gMemoryInput;

int FillFromMemory(jpeg_decompress_struct* d) {
  JpegBridgeSetInput(d, reinterpret_cast<const uint8_t*>(gMemoryInput.data()), gMemoryInput.size());
  return 1;
}

TBridgeRun DecodeThroughBridge(TStream* stream, bool replaceFill) {
  TBridgeRun run;
  jpeg_decompress_struct* d = JpegBridgeAllocDecompressor();
  TIEJpegErrorMgr* err = JpegBridgeAttachErrorMgr(d);
  try {
    JpegBridgeCreate(d);
    JpegBridgeSetStream(d, stream);
    if (replaceFill) JpegBridgeSetFillRoutine(d, FillFromMemory);
    JpegBridgeReadHeader(d, true);
    JpegBridgeStart(d);
    const uint32_t w = JpegBridgeOutputWidth(d), h = JpegBridgeOutputHeight(d);
    const int32_t n = JpegBridgeOutputComponents(d);
    run.Picture = {int32_t(w), int32_t(h), n, std::vector<uint8_t>(size_t(w) * h * size_t(n))};
    uint8_t** rows = JpegBridgeAllocRows(d, 1 /* JPOOL_IMAGE */, w * uint32_t(n), 1);
    while (JpegBridgeOutputScanline(d) < h) {
      const uint32_t y = JpegBridgeOutputScanline(d);
      if (JpegBridgeReadScanlines(d, rows, 1) != 1) break;
      std::memcpy(&run.Picture.pixels[size_t(y) * w * size_t(n)], rows[0], size_t(w) * size_t(n));
    }
    JpegBridgeFinish(d);
  } catch (const EIEJpegException& x) {
    run.Error = x.what();
  }
  JpegBridgeDestroy(d);
  JpegBridgeFreeErrorMgr(err);
  JpegBridgeFreeDecompressor(d);
  return run;
}

TEST(JpegBridge, DecodesTestorigToDjpegsPixels) {
  REQUIRE_SHARED_TESTDATA();
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  const fs::path file = testsupport::SharedDataDir() / "real/testorig.jpg";
  const Raster reference = testsupport::DjpegFile(file);
  ASSERT_FALSE(reference.Empty());
  gMemoryInput = testsupport::ReadFileBytes(file);
  TMemoryStream stream;
  stream.WriteBuffer(gMemoryInput.data(), int64_t(gMemoryInput.size()));
  stream.SetPosition(0);
  for (bool replaceFill : {false, true}) {
    const TBridgeRun run = DecodeThroughBridge(replaceFill ? nullptr : &stream, replaceFill);
    EXPECT_EQ(run.Error, "");
    EXPECT_EQ(run.Picture.width, reference.width);
    EXPECT_EQ(run.Picture.height, reference.height);
    EXPECT_TRUE(run.Picture.pixels == reference.pixels) << "replaced fill routine: " << replaceFill;
  }
}

TEST(JpegBridge, LibraryErrorsRaise) {
  TMemoryStream stream;
  stream.WriteBuffer("not a jpeg at all", 17);
  stream.SetPosition(0);
  EXPECT_EQ(DecodeThroughBridge(&stream, false).Error, "Not a JPEG file: starts with ?");
}

}  // namespace
