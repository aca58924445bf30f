#include "imaging/metadata/iexmp.h"

#include <algorithm>
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
  // Sized once and filled: growing an empty vector by a range trips a false
  // overflow warning of GCC 12 at -O2.
  std::vector<uint8_t> out(size_t(IEXMPHeaderLength) + params.XMPPacket.size());
  std::copy(kSignature, kSignature + IEXMPHeaderLength, out.begin());
  std::copy(params.XMPPacket.begin(), params.XMPPacket.end(), out.begin() + IEXMPHeaderLength);
  return out;
}
