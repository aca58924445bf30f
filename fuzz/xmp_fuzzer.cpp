// APP1 payloads as XMP packets, and a marker list cut from the bytes sorted
// for writing (ICC chunks, EXIF and XMP APP1 markers).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/metadata/ieexifparams.h"
#include "imaging/metadata/iemarkers.h"
#include "imaging/metadata/iexmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEMetaParams params;
  if (IELoadXMPFromAPP1(data, int32_t(size), params)) {
    const std::vector<uint8_t> marker = IEBuildXMPMarker(params);
    IEGetXMPPacket(marker.data(), int32_t(marker.size()));
  }
  // Each piece: a code byte, a length byte, then that many payload bytes.
  TIEMarkerList markers;
  size_t pos = 0;
  while (pos + 2 <= size) {
    const int32_t code = 0xE0 + (data[pos] & 0x0F);
    const size_t length = std::min<size_t>(data[pos + 1], size - pos - 2);
    markers.AddMarker(code, data + pos + 2, int32_t(length));
    pos += 2 + length;
  }
  markers.SortMarkers();
  for (int32_t i = 0; i < markers.GetCount(); ++i) IEGetXMPPacket(markers.GetMarkerData(i), markers.GetMarkerLength(i));
  return 0;
}
