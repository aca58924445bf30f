// Separable Gaussian blur of single-channel 8-bit images (masks, alpha
// channels, the soft shadow of the view's background).
//
// The blur runs as two passes of one 1-D fixed-point kernel: every row of the
// rectangle, then every column. A line is convolved on its own samples only:
// taps that fall before its first or past its last sample repeat that sample,
// so pixels outside the rectangle never bleed into it.
#pragma once

#include <array>
#include <cstdint>

#include "imaging/core/iebitmap.h"

// The 1-D kernel of a radius: weights for offsets -100 .. 100 (index 100 is
// the centre), 16.16 fixed point summing to about 65536, and the half-width
// (1 .. 100) beyond which every weight is 0.
struct TIEGaussKernel {
  std::array<int32_t, 201> Weights{};
  uint8_t HalfWidth = 1;
};

// w(i) = Round(exp(-((i - 100) / radius)^2 / 2) * 65536 / sum), halves to
// even; the half-width shrinks from 100 while it is above 1 and both weights
// at the centre +- half-width are 0. The radius must be positive.
void IEBuildGaussKernel(double radius, TIEGaussKernel& kernel);

// Blurs the inclusive rectangle (x1, y1)-(x2, y2) of an ie8g bitmap in place,
// rectangle clamped to the bitmap. Other formats, a radius that is not
// positive, or a rectangle that misses the bitmap: nothing. (The argument
// order is the library's own and differs from the corner order.)
void GaussianBlurGray8(TIEBitmap& bitmap, int32_t x1, int32_t y1, double radius, int32_t y2, int32_t x2);
