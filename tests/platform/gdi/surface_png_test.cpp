// The PNG helper writes what the surface holds, checked by decoding the file with libpng.
#include <gtest/gtest.h>
#include <png.h>

#include "tests/support/surface_png.h"
#include "tests/support/testsupport.h"

using namespace win;

TEST(SurfacePng, WritesThePixelsAsRgb) {
  testsupport::TempDir dir;
  testsupport::TestCanvas c(3, 2);
  c.At(0, 0) = 0x00FF0000;
  c.At(2, 1) = 0x80123456;
  ASSERT_TRUE(testsupport::WriteBitmapPng(c.Bitmap(), dir / "a.png"));
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&img, (dir / "a.png").c_str()));
  img.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> px(PNG_IMAGE_SIZE(img));
  ASSERT_TRUE(png_image_finish_read(&img, nullptr, px.data(), 0, nullptr));
  EXPECT_EQ(img.width, 3u);
  EXPECT_EQ(img.height, 2u);
  EXPECT_EQ((std::vector<uint8_t>(px.begin(), px.begin() + 3)), (std::vector<uint8_t>{255, 0, 0}));
  EXPECT_EQ((std::vector<uint8_t>(px.end() - 3, px.end())), (std::vector<uint8_t>{0x12, 0x34, 0x56}));
  EXPECT_EQ(px[3], 255);  // untouched white
  EXPECT_FALSE(testsupport::WriteSurfacePng(Surface{}, dir / "empty.png"));
}
