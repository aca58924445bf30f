// The TIFF LZW decoder over one strip, row by row. Input: a byte whose low
// bit picks FillOrder 2, two bytes of row length, then the strip.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/formats/tiflzw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int32_t fillOrder = data[0] & 1 ? 2 : 1;
  const int32_t rowBytes = 1 + ((data[1] << 8 | data[2]) & 0x1FFF);
  // An exact copy, so that a read past the strip is seen; never empty, as a
  // null strip means "release".
  const std::vector<uint8_t> strip(data + 3, data + size);
  const uint8_t none = 0;
  const uint8_t* bytes = strip.empty() ? &none : strip.data();
  void* state = nullptr;
  for (int row = 0; row < 64; ++row) {
    const uint8_t* out = TIFFLZWDecode(bytes, int32_t(strip.size()), rowBytes, state, fillOrder);
    if (!out) break;
    volatile uint8_t sink = out[rowBytes - 1];
    (void)sink;
  }
  TIFFLZWDecode(nullptr, 0, 0, state, fillOrder);
  return 0;
}
