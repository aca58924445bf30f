// The segments of a JPEG file as the tests read them, independently of the
// library's walks: SOI, then each marker segment up to and including SOS,
// then the entropy-coded rest as one piece.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jpegtest {

struct Segment {
  uint8_t Code = 0;   // 0 for the entropy-coded rest
  std::string Bytes;  // the whole segment: marker, length, payload
  std::string Payload() const { return Bytes.size() > 4 ? Bytes.substr(4) : std::string(); }
};

inline std::vector<Segment> Segments(const std::string& jpeg) {
  std::vector<Segment> out;
  if (jpeg.size() < 2) return out;
  out.push_back({0xD8, jpeg.substr(0, 2)});
  size_t at = 2;
  while (at + 4 <= jpeg.size() && uint8_t(jpeg[at]) == 0xFF) {
    const uint8_t code = uint8_t(jpeg[at + 1]);
    const size_t length = (size_t(uint8_t(jpeg[at + 2])) << 8) | uint8_t(jpeg[at + 3]);
    out.push_back({code, jpeg.substr(at, 2 + length)});
    at += 2 + length;
    if (code == 0xDA) break;
  }
  out.push_back({0, jpeg.substr(at)});
  return out;
}

inline std::vector<int> Codes(const std::vector<Segment>& segments) {
  std::vector<int> codes;
  for (const Segment& s : segments) codes.push_back(s.Code);
  return codes;
}

// The quantisation tables' bytes (every DQT payload, in order).
inline std::string QuantTables(const std::string& jpeg) {
  std::string tables;
  for (const Segment& s : Segments(jpeg))
    if (s.Code == 0xDB) tables += s.Payload();
  return tables;
}

}  // namespace jpegtest
