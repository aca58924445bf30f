// Small bitmaps whose every pixel a formula gives, for the image-list tests.
#pragma once

#include <memory>

#include "platform/vcl/graphics.h"

namespace vcltest {

// w x h pixels in the given format; pixel (x, y) is colour(x, y).
template <class F>
std::unique_ptr<TBitmap> Painted(int w, int h, F colour, TPixelFormat format = pf24bit) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->Canvas()->SetPixels(x, y, colour(x, y));
  return b;
}

}  // namespace vcltest
