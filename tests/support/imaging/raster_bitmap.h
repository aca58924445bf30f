// Pictures of the independent tools (testsupport::Raster, rows of R G B) and
// the library's image buffers (rows of B G R) in both directions, so tests
// compare them sample by sample.
#pragma once

#include <memory>

#include "imaging/core/iebitmap.h"
#include "tests/support/jpeg_oracle.h"

namespace testsupport {

// The bitmap's pixels as R G B rows; a raster of its size without pixels
// unless the bitmap is ie24RGB.
Raster RasterOfBitmap(TIEBitmap& bitmap);
// An ie24RGB bitmap of a three-channel raster; null for any other raster.
std::unique_ptr<TIEBitmap> BitmapOfRaster(const Raster& picture);

}  // namespace testsupport
