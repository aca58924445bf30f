// The TIFF writer's thumbnail mode: an old-style JPEG page inserted into a
// TIFF structure, checked with exiftool and djpeg.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "imaging/formats/tiffilt.h"
#include "imaging/io/ioparams.h"
#include "platform/classes/streams.h"
#include "tests/support/exiftool.h"
#include "tests/support/imaging/raster_bitmap.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<TIEBitmap> Thumbnail() {
  testsupport::Raster r{32, 24, 3, {}};
  for (int32_t y = 0; y < 24; ++y)
    for (int32_t x = 0; x < 32; ++x) r.pixels.insert(r.pixels.end(), {uint8_t(x * 8), uint8_t(y * 10), 60});
  return testsupport::BitmapOfRaster(r);
}

// A metadata TIFF (IFD 0 only) with the thumbnail inserted at index; the pages it reports.
int32_t Build(TMemoryStream& stream, int32_t index) {
  TIOParamsVals params;
  params.SetDpiX(72);
  params.SetDpiY(72);
  TIECodecProgress progress;
  WriteTIFFStream(stream, false, nullptr, params, progress);
  EXPECT_FALSE(progress.Aborted());
  TIOParamsVals thumb;
  thumb.SetImageIndex(index);
  thumb.TIFFCompression = itcOldJPEG;
  stream.SetPosition(0);
  return WriteTIFFStream(stream, true, Thumbnail().get(), thumb, progress);
}

TEST(TiffThumbnail, OldStyleJpegPageAtItsIndexAsExiftoolReadsIt) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  REQUIRE_EXIFTOOL();
  testsupport::TempDir dir;
  std::vector<exiftool::Job> jobs;
  std::vector<std::string> files;
  // Index 1 follows IFD 0; an index past the chain's end goes last too; index 0 goes first.
  for (int32_t index : {1, 7, 0}) {
    TMemoryStream stream;
    EXPECT_EQ(Build(stream, index), 2) << "index " << index;
    const fs::path file = dir / ("t" + std::to_string(index) + ".tif");
    testsupport::WriteFileBytes(file, std::string(static_cast<const char*>(stream.Memory()), size_t(stream.Size())));
    files.push_back(testsupport::ReadFileBytes(file));
    if (index == 0)
      jobs.push_back({{"-n", "-T", "-IFD0:Compression", "-IFD1:XResolution"}, file});
    else
      jobs.push_back({{"-n", "-T", "-IFD1:Compression", "-IFD1:PhotometricInterpretation", "-IFD1:ImageWidth",
                       "-IFD1:YCbCrSubSampling", "-IFD1:ThumbnailOffset", "-IFD1:ThumbnailLength",
                       "-IFD1:StripOffsets"},
                      file});
  }
  const std::vector<std::string> out = exiftool::RunEach(jobs);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[2], "6\t72\n") << "the inserted page comes first, the old IFD 0 second";
  for (size_t i = 0; i < 2; ++i) {
    std::istringstream line(out[i]);
    int compression = 0, photometric = 0, width = 0, h = 0, v = 0;
    int64_t offset = 0, length = 0, strip = 0;
    line >> compression >> photometric >> width >> h >> v >> offset >> length >> strip;
    EXPECT_EQ(compression, 6) << out[i];
    EXPECT_EQ(photometric, 6);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(v, 2);
    ASSERT_GT(length, 0);
    ASSERT_LE(size_t(offset + length), files[i].size());
    EXPECT_EQ(files[i].substr(size_t(strip), 2), "\xFF\xDA") << "the strip starts at the start-of-scan marker";
    const testsupport::Raster decoded = testsupport::DjpegBytes(files[i].substr(size_t(offset), size_t(length)));
    EXPECT_EQ(decoded.width, 32);
    EXPECT_EQ(decoded.height, 24);
  }
}

TEST(TiffThumbnail, RefusedWhereNoPageCanGo) {
  TIOParamsVals thumb;
  thumb.SetImageIndex(1);
  thumb.TIFFCompression = itcOldJPEG;
  const std::string loop = std::string("II*\0\x08\0\0\0\0\0\x08\0\0\0", 14);  // IFD 0 links to itself
  for (const std::string& bytes : {std::string("MM\0*\0\0\0\x08", 8), loop, std::string("II*\0\xF0\0\0\0", 8)}) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    stream.SetPosition(0);
    TIECodecProgress progress;
    EXPECT_EQ(WriteTIFFStream(stream, true, Thumbnail().get(), thumb, progress), 0);
    EXPECT_TRUE(progress.Aborted());
    EXPECT_EQ(stream.Size(), int64_t(bytes.size())) << "nothing is added";
  }
}

}  // namespace
