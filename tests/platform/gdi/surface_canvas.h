// A 32-bit pixel array with a device context over it, for tests that draw and
// then read pixels back (low 24 bits, 0x00RRGGBB as the surface stores them).
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"

namespace win::test {

struct SurfaceCanvas {
  int w, h;
  std::vector<uint32_t> px;
  HDC dc = nullptr;

  SurfaceCanvas(int width, int height, uint32_t fill) : w(width), h(height), px(size_t(width) * height, fill) {
    Surface s;
    s.Bits = reinterpret_cast<uint8_t*>(px.data());
    s.Width = w;
    s.Height = h;
    s.Stride = ptrdiff_t(w) * 4;
    s.BitCount = 32;
    dc = CreateSurfaceDC(s, {0, 0}, nullptr);
  }
  ~SurfaceCanvas() { DeleteDC(dc); }
  SurfaceCanvas(const SurfaceCanvas&) = delete;
  SurfaceCanvas& operator=(const SurfaceCanvas&) = delete;

  uint32_t At(int x, int y) const { return px[size_t(y) * w + x] & 0x00FFFFFF; }
  std::set<std::pair<int, int>> PixelsOf(uint32_t c) const {
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (At(x, y) == c) s.insert({x, y});
    return s;
  }
};

}  // namespace win::test
