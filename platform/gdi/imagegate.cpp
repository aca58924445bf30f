#include "platform/gdi/imagegate.h"

#include <atomic>

namespace win {

namespace {

std::atomic<int64_t> gPixelLimit{kDefaultImagePixelLimit};

bool Multiply(int64_t a, int64_t b, int64_t& out) { return !__builtin_mul_overflow(a, b, &out); }

}  // namespace

int64_t ImagePixelLimit() { return gPixelLimit.load(std::memory_order_relaxed); }

ScopedImagePixelLimit::ScopedImagePixelLimit(int64_t pixels)
    : previous_(gPixelLimit.exchange(pixels < 0 ? 0 : pixels, std::memory_order_relaxed)) {}

ScopedImagePixelLimit::~ScopedImagePixelLimit() { gPixelLimit.store(previous_, std::memory_order_relaxed); }

bool ImageBufferBytes(int64_t rowBytes, int64_t height, int64_t planes, int64_t& bytes, int64_t maxBytes) {
  bytes = 0;
  if (rowBytes <= 0 || height <= 0 || planes <= 0) return false;
  int64_t plane = 0, total = 0;
  if (!Multiply(rowBytes, height, plane) || !Multiply(plane, planes, total) || total > maxBytes) return false;
  bytes = total;
  return true;
}

int64_t SaturatingProduct(int64_t count, int64_t perUnit) {
  if (count <= 0 || perUnit <= 0) return 0;
  int64_t out = 0;
  return Multiply(count, perUnit, out) ? out : INT64_MAX;
}

bool ImagePixelsAllowed(int64_t width, int64_t height, int64_t plausiblePixels) {
  int64_t pixels = 0;
  if (width <= 0 || height <= 0 || !Multiply(width, height, pixels)) return false;
  return pixels <= ImagePixelLimit() || plausiblePixels >= pixels;
}

bool ImageDataFits(int64_t offset, int64_t promised, int64_t available) {
  if (offset < 0 || promised < 0 || available < 0 || offset > available) return false;
  return promised <= available - offset;
}

}  // namespace win
