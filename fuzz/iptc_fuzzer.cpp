// IPTC blocks, bare or in a Photoshop resource: load, save both ways, reload.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/metadata/ieiptc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEIPTCInfoList list;
  if (!list.LoadFromBuffer(data, int32_t(size))) return 0;
  for (bool header : {false, true}) {
    const std::vector<uint8_t> out = list.SaveToBuffer(header);
    TIEIPTCInfoList back;
    back.LoadFromBuffer(out.data(), int32_t(out.size()));
  }
  return 0;
}
