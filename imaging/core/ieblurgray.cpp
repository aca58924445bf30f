#include "imaging/core/ieblurgray.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

void IEBuildGaussKernel(double radius, TIEGaussKernel& kernel) {
  std::array<double, 201> k{};
  double sum = 0;
  for (int i = 0; i <= 200; ++i) {
    const double t = (i - 100) / radius;
    k[size_t(i)] = std::exp(-t * t / 2);
    sum += k[size_t(i)];
  }
  for (int i = 0; i <= 200; ++i) kernel.Weights[size_t(i)] = int32_t(std::nearbyint(k[size_t(i)] * 65536 / sum));
  int hw = 100;
  while (hw > 1 && kernel.Weights[size_t(100 - hw)] == 0 && kernel.Weights[size_t(100 + hw)] == 0) --hw;
  kernel.HalfWidth = uint8_t(hw);
}

namespace {

// One line of n samples, `stride` bytes apart, convolved through `line`
// (a copy of the input, since the result overwrites it).
void ConvolveLine(uint8_t* first, ptrdiff_t stride, int32_t n, const TIEGaussKernel& kernel,
                  std::vector<uint8_t>& line) {
  line.resize(size_t(n));
  for (int32_t i = 0; i < n; ++i) line[size_t(i)] = first[i * stride];
  const int32_t hw = kernel.HalfWidth;
  for (int32_t i = 0; i < n; ++i) {
    int64_t sum = 0;
    for (int32_t j = -hw; j <= hw; ++j) {
      const int32_t p = std::clamp(i + j, 0, n - 1);
      sum += int64_t(kernel.Weights[size_t(100 + j)]) * line[size_t(p)];
    }
    // Rounded weights may sum to a little more than 65536.
    first[i * stride] = uint8_t(std::min<int64_t>((sum + 32768) >> 16, 255));
  }
}

}  // namespace

void GaussianBlurGray8(TIEBitmap& bitmap, int32_t x1, int32_t y1, double radius, int32_t y2, int32_t x2) {
  if (bitmap.GetPixelFormat() != ie8g || !(radius > 0)) return;
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, bitmap.GetWidth() - 1);
  y2 = std::min(y2, bitmap.GetHeight() - 1);
  if (x1 > x2 || y1 > y2) return;
  TIEGaussKernel kernel;
  IEBuildGaussKernel(radius, kernel);

  // The rectangle is worked on as a copy: a bitmap kept in a file gives one
  // row view at a time, which a column pass could not walk.
  const int32_t w = x2 - x1 + 1, h = y2 - y1 + 1;
  std::vector<uint8_t> block(size_t(w) * size_t(h));
  for (int32_t y = 0; y < h; ++y)
    std::memcpy(&block[size_t(y) * size_t(w)], static_cast<uint8_t*>(bitmap.GetScanline(y1 + y)) + x1, size_t(w));
  std::vector<uint8_t> line;
  for (int32_t y = 0; y < h; ++y) ConvolveLine(&block[size_t(y) * size_t(w)], 1, w, kernel, line);
  for (int32_t x = 0; x < w; ++x) ConvolveLine(&block[size_t(x)], w, h, kernel, line);
  for (int32_t y = 0; y < h; ++y)
    std::memcpy(static_cast<uint8_t*>(bitmap.GetScanline(y1 + y)) + x1, &block[size_t(y) * size_t(w)], size_t(w));
}
