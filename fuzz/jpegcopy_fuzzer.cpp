// JPEG segment walks over untrusted bytes: measuring a JPEG from a position
// the input picks, then copying it with a new EXIF segment. The measure stays
// inside the stream and restores the position; the copy holds at most the
// source and one EXIF segment.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_start.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/ioparams.h"
#include "imaging/io/jpegfilt.h"
#include "platform/classes/streams.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartImageLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEMemStream stream(data, int64_t(size));
  const int64_t start = size > 0 ? int64_t(data[0] % size) : 0;
  stream.SetPosition(start);
  const int64_t length = GetJpegDataLength(stream);
  if (stream.Position() != start || length < 0 || start + length > int64_t(size)) __builtin_trap();

  TIOParamsVals params;
  params.HasExif = (size & 1) != 0;
  params.ExifMake = "fuzz";
  TMemoryStream dest;
  TIEProgressRecord progress;
  stream.SetPosition(0);
  JpegReplaceExifStream(stream, dest, params, progress);
  if (dest.Size() > int64_t(size) + 4 + JpegMaxMarkerPayload) __builtin_trap();
  return 0;
}
