// The CCITT two-dimensional decoder (Group 3 with end-of-line codes, Group 4
// without), row after row against the previous row.
#include "fuzz/ccitt_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TCCITTFuzzInput in;
  if (!CCITTFuzzParse(data, size, in)) return 0;
  int64_t pos = 0;
  for (int row = 0; row < 64; ++row)
    pos = CCITTDecode2D(in.row.data(), in.data.data(), int32_t(in.data.size()), in.eolExpected, in.fillOrder, pos,
                        in.reference.data(), in.width);
  return 0;
}
