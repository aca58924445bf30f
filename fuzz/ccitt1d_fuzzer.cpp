// The CCITT Group 3 one-dimensional decoder, row after row.
#include "fuzz/ccitt_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TCCITTFuzzInput in;
  if (!CCITTFuzzParse(data, size, in)) return 0;
  int64_t pos = 0;
  for (int row = 0; row < 64; ++row)
    pos = CCITTDecode1D(in.row.data(), in.data.data(), int32_t(in.data.size()), in.fillOrder, pos, in.width);
  return 0;
}
