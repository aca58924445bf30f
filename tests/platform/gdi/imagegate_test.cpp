#include "platform/gdi/imagegate.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace win;

TEST(ImageGate, BufferSizesInCheckedArithmetic) {
  const struct {
    const char* name;
    int64_t rowBytes, height, planes, maxBytes;
    bool ok;
    int64_t bytes;
  } cases[] = {
      {"small", 12, 5, 3, kMaxImageBufferBytes, true, 180},
      {"exactly the maximum", 1024, 1024, 4, 4 << 20, true, 4 << 20},
      {"one past the maximum", 1024, 1024, 4, (4 << 20) - 1, false, 0},
      {"past the absurd size", int64_t(1) << 20, int64_t(1) << 12, 2, kMaxImageBufferBytes, false, 0},
      {"rows times height overflows", INT64_MAX / 2, 3, 1, INT64_MAX, false, 0},
      {"times planes overflows", int64_t(1) << 31, int64_t(1) << 31, 4, INT64_MAX, false, 0},
      {"zero height", 12, 0, 1, kMaxImageBufferBytes, false, 0},
      {"negative row", -4, 5, 1, kMaxImageBufferBytes, false, 0},
      {"no planes", 4, 5, 0, kMaxImageBufferBytes, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int64_t bytes = -1;
    EXPECT_EQ(ImageBufferBytes(c.rowBytes, c.height, c.planes, bytes, c.maxBytes), c.ok);
    EXPECT_EQ(bytes, c.bytes);
  }
}

TEST(ImageGate, PromisedBytesAgainstTheFile) {
  const struct {
    int64_t offset, promised, available;
    bool fits;
  } cases[] = {
      {0, 100, 100, true},        {10, 90, 100, true},   {10, 91, 100, false},
      {100, 0, 100, true},        {101, 0, 100, false},  {-1, 10, 100, false},
      {10, -1, 100, false},       {INT64_MAX, INT64_MAX, 100, false},
      {50, INT64_MAX, 100, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ImageDataFits(c.offset, c.promised, c.available), c.fits)
        << c.offset << " + " << c.promised << " in " << c.available;
}

TEST(ImageGate, SaturatingProduct) {
  EXPECT_EQ(SaturatingProduct(121, 16257), 121 * 16257);
  EXPECT_EQ(SaturatingProduct(INT64_MAX / 2, 3), INT64_MAX);
  EXPECT_EQ(SaturatingProduct(-5, 3), 0);
  EXPECT_EQ(SaturatingProduct(5, 0), 0);
}

// Within the limit the header is believed; past it the data must fill the picture.
TEST(ImageGate, PixelLimitAndPlausibleData) {
  EXPECT_EQ(ImagePixelLimit(), kDefaultImagePixelLimit);
  {
    ScopedImagePixelLimit limit(1000);
    const struct {
      const char* name;
      int64_t width, height, plausible;
      bool allowed;
    } cases[] = {
        {"within the limit, no data", 40, 25, 0, true},
        {"one pixel past, no data", 1001, 1, 0, false},
        {"past, data one pixel short", 50, 50, 2499, false},
        {"past, data fills it", 50, 50, 2500, true},
        {"zero width", 0, 50, 1 << 20, false},
        {"overflowing area", INT64_MAX / 2, 3, INT64_MAX, false},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(ImagePixelsAllowed(c.width, c.height, c.plausible), c.allowed);
    }
    {
      ScopedImagePixelLimit inner(1 << 20);
      EXPECT_TRUE(ImagePixelsAllowed(1001, 1, 0));
    }
    EXPECT_EQ(ImagePixelLimit(), 1000);
  }
  EXPECT_EQ(ImagePixelLimit(), kDefaultImagePixelLimit);
}

}  // namespace
