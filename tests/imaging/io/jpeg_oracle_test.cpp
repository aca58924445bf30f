// The djpeg/cjpeg oracle that JPEG tests trust: its PNM reading and the way it
// hands files and options to the tools.
#include "tests/support/jpeg_oracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/support/testsupport.h"

namespace {

using testsupport::Raster;

TEST(PnmParse, HeaderFormsAndRefusals) {
  using namespace std::string_literals;
  const struct {
    const char* what;
    std::string bytes;
    int32_t width, height, channels;  // 0 channels: refused
    std::string pixels;
  } cases[] = {
      {"plain", "P6\n2 1\n255\nabcdef", 2, 1, 3, "abcdef"},
      {"comments and odd spacing", "P6 # made by hand\n\t2\r\n# width above\n1 255 abcdef", 2, 1, 3, "abcdef"},
      {"comment touching a field", "P5#x\n3#y\n1\n255\n\n\t ", 3, 1, 1, "\n\t "},
      {"pixels that look like white space or #", "P5 2 2 255\n# \n\r", 2, 2, 1, "# \n\r"},
      {"bytes after the picture are ignored", "P5 1 1 255 zTRAILER", 1, 1, 1, "z"},
      {"sixteen-bit samples", "P6 1 1 65535 abcdef", 0, 0, 0, ""},
      {"truncated pixels", "P6 2 1 255 abcde", 0, 0, 0, ""},
      {"ASCII pixmap", "P3 1 1 255 1 2 3", 0, 0, 0, ""},
      {"zero width", "P5 0 1 255 ", 0, 0, 0, ""},
      {"no white space after maxval", "P5 1 1 255", 0, 0, 0, ""},
      {"sign in a field", "P5 -1 1 255 a", 0, 0, 0, ""},
      {"empty", "", 0, 0, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Raster r = testsupport::ParsePnm(c.bytes);
    EXPECT_EQ(r.channels, c.channels);
    EXPECT_EQ(r.width, c.width);
    EXPECT_EQ(r.height, c.height);
    EXPECT_EQ(std::string(r.pixels.begin(), r.pixels.end()), c.pixels);
  }
}

TEST(PnmParse, ReadsWhatItWrites) {
  for (int32_t channels : {1, 3}) {
    Raster r{5, 3, channels, {}};
    for (int32_t i = 0; i < 5 * 3 * channels; ++i) r.pixels.push_back(uint8_t(i * 37 + 10));
    const Raster back = testsupport::ParsePnm(testsupport::EncodePnm(r));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.channels, channels);
    EXPECT_EQ(back.pixels, r.pixels);
  }
}

class JpegOracle : public testing::Test {
protected:
  void SetUp() override {
    if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
    source_ = Raster{32, 16, 3, {}};
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 32; ++x)
        source_.pixels.insert(source_.pixels.end(), {uint8_t(x * 8), uint8_t(y * 16), 128});
    jpeg_ = testsupport::Cjpeg(source_, {"-quality", "100", "-sample", "1x1"});
    ASSERT_GT(jpeg_.size(), 100u);
    ASSERT_EQ(jpeg_.substr(0, 2), "\xFF\xD8");
  }
  Raster source_;
  std::string jpeg_;
};

TEST_F(JpegOracle, DecodesWhatItEncodesFromEveryKindOfSource) {
  testsupport::TempDir dir;
  // A name the shell would split or unquote if the oracle did not quote it.
  const auto file = dir / "it's a $HOME \"picture\".jpg";
  testsupport::WriteFileBytes(file, jpeg_);
  testsupport::WriteFileBytes(dir / "padded", "0123456789" + jpeg_ + "tail");
  const Raster decoded[] = {testsupport::DjpegBytes(jpeg_), testsupport::DjpegFile(file),
                            testsupport::DjpegRange(dir / "padded", 10, jpeg_.size())};
  for (const Raster& r : decoded) {
    ASSERT_EQ(r.channels, 3);
    ASSERT_EQ(r.width, 32);
    ASSERT_EQ(r.height, 16);
    int worst = 0;
    for (size_t i = 0; i < r.pixels.size(); ++i) worst = std::max(worst, std::abs(r.pixels[i] - source_.pixels[i]));
    EXPECT_LE(worst, 4);
    EXPECT_EQ(r.pixels, decoded[0].pixels);
  }
}

TEST_F(JpegOracle, OptionsReachDjpegAndFailuresGiveNothing) {
  const Raster gray = testsupport::DjpegBytes(jpeg_, {"-grayscale"});
  EXPECT_EQ(gray.channels, 1);
  EXPECT_EQ(gray.width, 32);
  const Raster half = testsupport::DjpegBytes(jpeg_, {"-scale", "1/2", "-dct", "int"});
  EXPECT_EQ(half.channels, 3);
  EXPECT_EQ(half.width, 16);
  EXPECT_EQ(half.height, 8);
  EXPECT_TRUE(testsupport::DjpegBytes("not a JPEG at all").Empty());
  EXPECT_TRUE(testsupport::DjpegBytes(jpeg_, {"-no-such-option"}).Empty());
  EXPECT_TRUE(testsupport::DjpegRange(testsupport::DataFile("no such file"), 0, 10).Empty());
  EXPECT_TRUE(testsupport::Cjpeg(source_, {"-quality", "nonsense"}).empty());
}

}  // namespace
