// The one gate every reader of untrusted pictures passes before it allocates
// a pixel buffer: sizes in checked 64-bit arithmetic, absurd sizes refused,
// and the rule that a header alone never buys memory.
//
// A file's header states a size; its data says how much of that size it can
// really describe. Up to the pixel limit a reader believes the header (the
// data may be short, and the picture is then partly blank, as readers have
// always done). Past the limit the reader also asks its format's own rule how
// many pixels the bytes that follow could fill at most, and refuses the
// picture when that falls short: a few hundred bytes never claim gigabytes.
#pragma once

#include <cstdint>

namespace win {

// Past this a buffer is absurd rather than large: rows are addressed by
// 32-bit indices and strides, and no desktop picture comes near it.
constexpr int64_t kMaxImageBufferBytes = int64_t(1) << 32;

// Pictures up to this many pixels (16384 x 8192, half a gigabyte at 32 bits
// per pixel, beyond the largest camera sensors) are allocated on the header's
// word; bigger ones must show data that could fill them.
constexpr int64_t kDefaultImagePixelLimit = int64_t(1) << 27;

// The pixel limit in force. Process-wide: one value for every reader.
int64_t ImagePixelLimit();

// Sets the process-wide pixel limit for its own lifetime and puts the previous
// one back: for tests that prove a reader's bound, and for hosts with little
// memory. Readers on other threads see the change at once.
class ScopedImagePixelLimit {
public:
  explicit ScopedImagePixelLimit(int64_t pixels);
  ~ScopedImagePixelLimit();
  ScopedImagePixelLimit(const ScopedImagePixelLimit&) = delete;
  ScopedImagePixelLimit& operator=(const ScopedImagePixelLimit&) = delete;

private:
  int64_t previous_;
};

// rowBytes x height x planes into bytes; false when a factor is not positive
// or the product overflows or passes maxBytes.
bool ImageBufferBytes(int64_t rowBytes, int64_t height, int64_t planes, int64_t& bytes,
                      int64_t maxBytes = kMaxImageBufferBytes);

// count x perUnit, saturating instead of overflowing; negative inputs give 0.
// Readers use it to turn "this many bytes of data" into "at most this many
// pixels" by their format's own rate.
int64_t SaturatingProduct(int64_t count, int64_t perUnit);

// Whether a width x height picture may be allocated when its data can
// describe at most plausiblePixels pixels: always within the pixel limit,
// past it only when the data could fill every pixel.
bool ImagePixelsAllowed(int64_t width, int64_t height, int64_t plausiblePixels);

// Whether the `promised` bytes a header announces at `offset` lie inside the
// `available` bytes the file really holds.
bool ImageDataFits(int64_t offset, int64_t promised, int64_t available);

}  // namespace win
