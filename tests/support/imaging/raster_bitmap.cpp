#include "tests/support/imaging/raster_bitmap.h"

namespace testsupport {

Raster RasterOfBitmap(TIEBitmap& bitmap) {
  Raster p{bitmap.GetWidth(), bitmap.GetHeight(), 3, {}};
  if (bitmap.GetPixelFormat() != ie24RGB) return p;
  p.pixels.reserve(size_t(p.width) * size_t(p.height) * 3);
  for (int32_t y = 0; y < p.height; ++y) {
    const auto* r = static_cast<const uint8_t*>(bitmap.GetScanline(y));
    for (int32_t x = 0; x < p.width; ++x) p.pixels.insert(p.pixels.end(), {r[3 * x + 2], r[3 * x + 1], r[3 * x]});
  }
  return p;
}

std::unique_ptr<TIEBitmap> BitmapOfRaster(const Raster& picture) {
  if (picture.channels != 3) return nullptr;
  auto b = TIEBitmap::CreateSized(picture.width, picture.height, ie24RGB);
  for (int32_t y = 0; y < picture.height; ++y) {
    auto* d = static_cast<uint8_t*>(b->GetScanline(y));
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint8_t* s = picture.At(x, y);
      d[3 * x] = s[2];
      d[3 * x + 1] = s[1];
      d[3 * x + 2] = s[0];
    }
  }
  return b;
}

}  // namespace testsupport
