// Lossless JPEG transforms over untrusted bytes, without the EXIF refresh.
// The last two bytes pick the code, grey, the marker option and a cut
// rectangle (a JPEG fixture then loses only its end-of-image marker, which the
// transform does without); the rest is the source. A refused or failed
// transform writes nothing.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_start.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/jpegtransform.h"
#include "platform/classes/streams.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartImageLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t pick = data[size - 2], corner = data[size - 1];
  const auto code = TIEJpegTransform(pick % 9);
  const bool gray = (pick & 0x10) != 0;
  const uint8_t copy = uint8_t((pick >> 5) % 3);
  const TRect cut(corner & 0x0F, corner >> 4, (corner & 0x0F) * 5, (corner >> 4) * 3);
  TIEMemStream source(data, int64_t(size - 2));
  TMemoryStream dest;
  const bool ok = JpegLosslessTransform(source, dest, code, gray, copy, cut, false);
  if (!ok && dest.Size() != 0) __builtin_trap();
  return 0;
}
