#include "imaging/metadata/iexmp.h"

#include <cstring>

#include "imaging/metadata/ieexifparams.h"

namespace {

constexpr char kSignature[IEXMPHeaderLength] = "http://ns.adobe.com/xap/1.0/";
// Only this much is compared: writers differ in what follows "xap/1.0/".
constexpr int32_t kCompared = 24;

}  // namespace

const uint8_t* IEGetXMPPacket(const uint8_t* payload, int32_t length) {
  if (!payload || length < 30 || std::memcmp(payload, kSignature, kCompared) != 0) return nullptr;
  // The zero byte is looked for inside the payload only; a payload without one is not XMP.
  const void* zero = std::memchr(payload + kCompared, 0, size_t(length - kCompared));
  return zero ? static_cast<const uint8_t*>(zero) + 1 : nullptr;
}

bool IELoadXMPFromAPP1(const uint8_t* payload, int32_t length, TIEMetaParams& params) {
  const uint8_t* packet = IEGetXMPPacket(payload, length);
  if (!packet) return false;
  params.XMPPacket.assign(reinterpret_cast<const char*>(packet), size_t(payload + length - packet));
  return true;
}

std::vector<uint8_t> IEBuildXMPMarker(const TIEMetaParams& params) {
  std::vector<uint8_t> out(kSignature, kSignature + IEXMPHeaderLength);
  out.insert(out.end(), params.XMPPacket.begin(), params.XMPPacket.end());
  return out;
}
