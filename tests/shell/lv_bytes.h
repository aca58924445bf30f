// Byte strings for hand-written stream records.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/classes/streams.h"

using LvBytes = std::vector<uint8_t>;

inline void Append(LvBytes& b, std::initializer_list<uint8_t> more) { b.insert(b.end(), more); }
inline void AppendI32(LvBytes& b, int32_t v) {
  const uint32_t u = uint32_t(v);
  Append(b, {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)});
}
inline void AppendName(LvBytes& b, const std::string& name) {
  AppendI32(b, int32_t(name.size()));
  b.insert(b.end(), name.begin(), name.end());
}
// The element record with the marker.
inline void AppendElement(LvBytes& b, int32_t version, uint16_t state) {
  Append(b, {0xFF, 0xFE, 0xCE, 0x00});
  AppendI32(b, version);
  Append(b, {uint8_t(state), uint8_t(state >> 8)});
}
// A helper record with no entries: captions, details, images, overlays, and
// for items group keys and state images.
inline void AppendEmptyHelper(LvBytes& b, int arrays) {
  for (int i = 0; i < arrays; ++i) AppendI32(b, 0);
}

inline LvBytes StreamBytes(TMemoryStream& s) {
  const auto* p = static_cast<const uint8_t*>(s.Memory());
  return LvBytes(p, p + s.Size());
}

inline void LoadBytes(TMemoryStream& s, const LvBytes& b) {
  s.Clear();
  if (!b.empty()) s.WriteBuffer(b.data(), int64_t(b.size()));
  s.SetPosition(0);
}
