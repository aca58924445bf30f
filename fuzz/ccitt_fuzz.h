// Shared by the CCITT decoder targets. Input: a flags byte (bit 0 FillOrder 2,
// bit 1 end-of-line codes expected), two bytes of row width, then the coded
// data; up to 64 rows are decoded the way the TIFF reader walks a strip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/formats/tifccitt.h"

struct TCCITTFuzzInput {
  int32_t fillOrder = 1;
  bool eolExpected = false;
  int32_t width = 0;
  std::vector<uint8_t> data;  // an exact copy, so that a read past it is seen
  std::vector<uint8_t> row, reference;
};

inline bool CCITTFuzzParse(const uint8_t* bytes, size_t size, TCCITTFuzzInput& in) {
  static const bool trees = [] {
    IECCITTInitialize();
    return true;
  }();
  (void)trees;
  if (size < 3) return false;
  in.fillOrder = bytes[0] & 1 ? 2 : 1;
  in.eolExpected = bytes[0] & 2;
  in.width = bytes[1] << 8 | bytes[2];
  in.data.assign(bytes + 3, bytes + size);
  in.row.assign(size_t(in.width + 7) / 8, 0);
  in.reference.assign(in.row.size(), 0xFF);
  return true;
}
