// A 128-bit globally unique identifier in the platform's layout: one 32-bit,
// two 16-bit fields and eight bytes. Bytes on disk or in an item-ID list are
// written little-endian for the first three fields, as the platform stores them.
#pragma once

#include <cstdint>
#include <cstring>

struct TGUID {
  uint32_t D1 = 0;
  uint16_t D2 = 0, D3 = 0;
  uint8_t D4[8] = {};

  friend bool operator==(const TGUID& a, const TGUID& b) {
    return a.D1 == b.D1 && a.D2 == b.D2 && a.D3 == b.D3 && std::memcmp(a.D4, b.D4, 8) == 0;
  }
};

// The 16 stored bytes of a GUID and back.
inline void GuidToBytes(const TGUID& g, uint8_t out[16]) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t(g.D1 >> (8 * i));
  out[4] = uint8_t(g.D2), out[5] = uint8_t(g.D2 >> 8);
  out[6] = uint8_t(g.D3), out[7] = uint8_t(g.D3 >> 8);
  std::memcpy(out + 8, g.D4, 8);
}
inline TGUID GuidFromBytes(const uint8_t in[16]) {
  TGUID g;
  g.D1 = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
  g.D2 = uint16_t(in[4] | in[5] << 8);
  g.D3 = uint16_t(in[6] | in[7] << 8);
  std::memcpy(g.D4, in + 8, 8);
  return g;
}
