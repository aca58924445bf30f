// PNG streams: the content test, then the reader for the parameters alone and
// for the pixels, with and without the native pixel formats (the input's last
// byte picks). The pixel limit is lowered so that both sides of the gate
// (believed headers, data that must be able to fill the picture) stay within
// reach of small inputs.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_start.h"
#include "imaging/core/iebitmap.h"
#include "imaging/core/iestreams.h"
#include "imaging/formats/iecodec.h"
#include "imaging/formats/pngfilt.h"
#include "imaging/io/ioparams.h"
#include "platform/gdi/imagegate.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartImageLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const win::ScopedImagePixelLimit limit(int64_t(1) << 22);
  TIEMemStream stream(data, int64_t(size));
  IsPNGStream(stream);
  for (bool preview : {true, false}) {
    stream.SetPosition(0);
    TIEBitmap bitmap;
    TIOParamsVals params;
    params.NativePixelFormat = size > 0 && (data[size - 1] & 1);
    bool aborting = false;
    TIECodecProgress progress;
    progress.Aborting = &aborting;
    ReadPNGStream(stream, bitmap, params, preview, progress);
  }
  return 0;
}
