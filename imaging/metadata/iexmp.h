// XMP packets in JPEG APP1 markers (the XMP standard, its third volume, section 1.1.3): the
// payload is the namespace signature "http://ns.adobe.com/xap/1.0/" (28
// characters), one zero byte, then the packet text to the payload's end.
#pragma once

#include <cstdint>
#include <vector>

class TIEMetaParams;

// The 29 signature bytes, the zero byte included.
constexpr int32_t IEXMPHeaderLength = 29;

// The start of the packet inside an APP1 payload, or null: the payload must be
// at least 30 bytes, open with the signature's first 24 characters and hold a
// zero byte after them (the packet starts just past it, up to the payload's end).
const uint8_t* IEGetXMPPacket(const uint8_t* payload, int32_t length);
// Takes the packet into the record's XMPPacket; False (record unchanged) when the payload is not XMP.
bool IELoadXMPFromAPP1(const uint8_t* payload, int32_t length, TIEMetaParams& params);
// The APP1 payload for the record's XMPPacket: signature, zero byte, packet.
std::vector<uint8_t> IEBuildXMPMarker(const TIEMetaParams& params);
