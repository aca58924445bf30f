// Measuring a JPEG inside a longer stream and copying one with a new EXIF
// segment, checked against exiftool (MP entries, tags, the thumbnail) and
// djpeg, and against the file's own segments read independently.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

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

std::string Gradient(int32_t w, int32_t h) {
  Raster r{w, h, 3, {}};
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) r.pixels.insert(r.pixels.end(), {uint8_t(x * 4), uint8_t(y * 4), uint8_t(x + y)});
  return testsupport::Cjpeg(r, {"-quality", "90"});
}

std::unique_ptr<TMemoryStream> StreamOf(const std::string& bytes) {
  auto s = std::make_unique<TMemoryStream>();
  s->WriteBuffer(bytes.data(), int64_t(bytes.size()));
  s->SetPosition(0);
  return s;
}

std::string BytesOf(TMemoryStream& s) { return {static_cast<const char*>(s.Memory()), size_t(s.Size())}; }

// The JPEG with its first APP0 segment taken out.
std::string WithoutApp0(const std::string& jpeg) {
  std::string out;
  bool dropped = false;
  for (const jpegtest::Segment& s : jpegtest::Segments(jpeg)) {
    if (s.Code == 0xE0 && !dropped) {
      dropped = true;
      continue;
    }
    out += s.Bytes;
  }
  return out;
}

TEST(JpegDataLength, AJpegBetweenJunkBytes) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  const std::string jpeg = Gradient(40, 30);
  ASSERT_FALSE(jpeg.empty());
  const std::string junk(100, '\xFF');  // fill bytes alone never end a picture
  struct Case {
    std::string bytes;
    int64_t at;
    int64_t expected;
  };
  const std::string noEnd = jpeg.substr(0, jpeg.size() - 2);
  std::string badLength = jpeg;
  badLength[4] = 0, badLength[5] = 1;  // the JFIF segment's length is 1
  std::string filled = jpeg.substr(0, jpeg.size() - 2) + "\xFF\xFF\xFF\xD9" + "tail";
  const Case cases[] = {
      {junk + jpeg + junk, int64_t(junk.size()), int64_t(jpeg.size())},
      {jpeg + jpeg, 0, int64_t(jpeg.size())},
      {"ab" + noEnd, 2, int64_t(noEnd.size())},                  // no EOI: to the end
      {badLength + "xyz", 0, int64_t(badLength.size()) + 3},     // a broken length: to the end
      {filled, 0, int64_t(filled.size()) - 4},                   // fill bytes before EOI
      {"", 0, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    std::unique_ptr<TMemoryStream> s = StreamOf(cases[i].bytes);
    s->SetPosition(cases[i].at);
    EXPECT_EQ(GetJpegDataLength(*s), cases[i].expected) << "case " << i;
    EXPECT_EQ(s->Position(), cases[i].at) << "case " << i;
  }
}

TEST(JpegDataLength, SecondPictureOfEachRealMpoEndsWhereExiftoolsMpEntrySays) {
  REQUIRE_SHARED_TESTDATA();
  REQUIRE_EXIFTOOL();
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(testsupport::SharedDataDir() / "real"))
    if (e.path().extension() == ".mpo") files.push_back(e.path());
  ASSERT_FALSE(files.empty());
  std::vector<exiftool::Job> jobs;
  for (const fs::path& f : files) jobs.push_back({{"-n", "-T", "-MPImage2:MPImageStart", "-MPImage2:MPImageLength"}, f});
  const std::vector<std::string> out = exiftool::RunEach(jobs);
  for (size_t i = 0; i < files.size(); ++i) {
    std::istringstream line(out[i]);
    int64_t start = -1, length = -1;
    line >> start >> length;
    ASSERT_GT(length, 0) << files[i] << ": " << out[i];
    std::unique_ptr<TMemoryStream> s = StreamOf(testsupport::ReadFileBytes(files[i]));
    s->SetPosition(start);
    EXPECT_EQ(GetJpegDataLength(*s), length) << files[i];
    EXPECT_EQ(s->Position(), start);
  }
}

struct Copy {
  bool Result = false;
  std::string Bytes;
};

Copy Replace(const std::string& source, TIOParamsVals& params, TStream* dest = nullptr) {
  std::unique_ptr<TMemoryStream> in = StreamOf(source);
  TMemoryStream out;
  TIEProgressRecord progress;
  Copy c;
  c.Result = JpegReplaceExifStream(*in, dest ? *dest : out, params, progress);
  c.Bytes = BytesOf(out);
  return c;
}

void FillExif(TIOParamsVals& p) {
  p.HasExif = true;
  p.ExifMake = "Duplexion";
  p.ExifModel = "Test bench";
  p.ExifThumbnail = std::make_unique<TIEBitmap>();
  p.ExifThumbnail->Assign(testsupport::BitmapOfRaster(testsupport::DjpegBytes(Gradient(40, 30))).get());
}

TEST(JpegReplaceExif, ExiftoolReadsTheNewTagsAndTheThumbnailAndEverythingElseStays) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  REQUIRE_EXIFTOOL();
  const std::string source = Gradient(64, 48) + "trailing picture";
  TIOParamsVals params;
  FillExif(params);
  const Copy first = Replace(source, params);
  ASSERT_TRUE(first.Result);
  // A second pass replaces the EXIF segment the first one wrote.
  params.ExifModel = "Second pass";
  const Copy second = Replace(first.Bytes, params);
  ASSERT_TRUE(second.Result);

  std::vector<std::string> kept;
  int exifSegments = 0;
  for (const jpegtest::Segment& s : jpegtest::Segments(second.Bytes)) {
    if (s.Code == 0xE1) {
      ++exifSegments;
      continue;
    }
    kept.push_back(s.Bytes);
  }
  std::vector<std::string> original;
  for (const jpegtest::Segment& s : jpegtest::Segments(source)) original.push_back(s.Bytes);
  EXPECT_EQ(exifSegments, 1);
  EXPECT_EQ(kept, original) << "every other segment, the entropy-coded data and what follows EOI are copied as they are";
  EXPECT_EQ(jpegtest::Codes(jpegtest::Segments(second.Bytes))[2], 0xE1) << "the EXIF segment follows APP0";

  testsupport::TempDir dir;
  const fs::path file = dir / "copy.jpg";
  testsupport::WriteFileBytes(file, second.Bytes);
  const std::vector<std::string> out = exiftool::RunEach(
      {{{"-n", "-T", "-IFD0:Make", "-IFD0:Model", "-IFD1:Compression", "-IFD1:ImageWidth"}, file},
       {{"-b", "-ThumbnailImage"}, file}});
  EXPECT_EQ(out[0], "Duplexion\tSecond pass\t6\t40\n");
  const Raster thumb = testsupport::DjpegBytes(out[1]);
  ASSERT_FALSE(thumb.Empty()) << "the thumbnail does not decode";
  EXPECT_EQ(thumb.width, 40);
  EXPECT_EQ(thumb.height, 30);
  EXPECT_FALSE(testsupport::DjpegBytes(second.Bytes).Empty());
}

TEST(JpegReplaceExif, WithoutApp0OrApp1TheWholeFileIsCopiedAndTheAnswerIsFalse) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  const std::string bare = WithoutApp0(Gradient(16, 16));
  TIOParamsVals params;
  FillExif(params);
  const Copy c = Replace(bare, params);
  EXPECT_FALSE(c.Result);
  EXPECT_EQ(c.Bytes, bare);
}

TEST(JpegReplaceExif, MalformedStreams) {
  TIOParamsVals params;
  params.HasExif = true;
  params.ExifMake = "M";
  const std::string app0 = std::string("\xFF\xD8\xFF\xE0\x00\x04" "ab", 8);
  struct Case {
    std::string source;
    bool result;
    std::string copiedPrefix;  // what Dest must begin with
  };
  const Case cases[] = {
      {app0 + "\xFF\x10rest", false, app0},                          // a code that cannot stand in a JPEG
      {app0 + std::string("\xFF\xE2\x00\x01", 4), false, app0},      // a length below 2
      {app0 + std::string("\xFF\xE2\x00\x40zz", 6), false, app0},    // a segment past the end
      {std::string("\xFF\xFF\xFF\xD8", 4) + app0.substr(2) + "\xFF\xD9", true,
       std::string("\xFF\xFF\xFF\xD8", 4) + app0.substr(2)},         // fill bytes are copied and the walk goes on
      {app0, true, app0},                                            // no EOI
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Copy c = Replace(cases[i].source, params);
    EXPECT_EQ(c.Result, cases[i].result) << "case " << i;
    EXPECT_EQ(c.Bytes.substr(0, cases[i].copiedPrefix.size()), cases[i].copiedPrefix) << "case " << i;
    if (cases[i].result) {
      EXPECT_GT(c.Bytes.size(), cases[i].source.size()) << "case " << i << ": no EXIF written";
    }
  }
}

class TRefusingStream : public TMemoryStream {
public:
  int32_t Write(const void*, int32_t) override { return 0; }
};

TEST(JpegReplaceExif, RefusedWritesAndOversizedBlocksAnswerFalse) {
  const std::string jpeg = std::string("\xFF\xD8\xFF\xE0\x00\x04" "ab\xFF\xD9", 10);
  TIOParamsVals params;
  params.HasExif = true;
  params.ExifMake = "M";
  TRefusingStream refusing;
  EXPECT_FALSE(Replace(jpeg, params, &refusing).Result);

  // A block too large for one segment is refused before anything is copied.
  params.ExifImageDescription = std::string(70000, 'd');
  const Copy c = Replace(jpeg, params);
  EXPECT_FALSE(c.Result);
  EXPECT_TRUE(c.Bytes.empty());
}

}  // namespace
