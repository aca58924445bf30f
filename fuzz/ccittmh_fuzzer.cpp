// The CCITT modified Huffman decoder (TIFF Compression 2), row after row.
#include "fuzz/ccitt_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TCCITTFuzzInput in;
  if (!CCITTFuzzParse(data, size, in)) return 0;
  const int32_t length = int32_t(in.data.size());
  int32_t at = 0;
  for (int row = 0; row < 64; ++row)
    at += CCITTDecodeMH(in.row.data(), in.data.data() + at, length - at, in.fillOrder, in.width);
  return 0;
}
