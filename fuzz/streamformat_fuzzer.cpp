// Content sniffing: the format test over the registry's content tests, and the
// library's 12-byte stream header check. Both promise to leave the stream's
// position where it was and never to raise; each break of that is a finding.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_start.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/iestreamload.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartImageLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEMemStream stream(data, int64_t(size));
  // At the start and past a first byte, so that position-relative reads are reached.
  for (int64_t at : {int64_t(0), int64_t(1)}) {
    if (at > int64_t(size)) break;
    stream.SetPosition(at);
    IEDetectStreamFormat(stream);
    if (stream.Position() != at) __builtin_trap();
    IsAVIStream(stream);
    if (stream.Position() != at) __builtin_trap();
    for (std::string_view tag : {"JFIF", "PCX2", "TIFF"}) {
      int32_t length = -1;
      const TIEStreamHeaderState state = IECheckLibraryStreamHeader(stream, tag, &length);
      if (stream.Position() != at) __builtin_trap();
      // A valid header's data lies inside the stream.
      if (state == ieshValid && (length < 0 || at + 12 + length > int64_t(size))) __builtin_trap();
    }
  }
  return 0;
}
