// JPEG streams through the decoder: SOI search, the ICC chunk walk, the
// header with saved markers and EXIF/IPTC/XMP, and a full decode at a scale.
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iestreams.h"
#include "imaging/formats/tiffilt.h"
#include "imaging/io/jpegfilt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  IEBindTIFFExifBridge();
  TIEMemStream stream(data, int64_t(size));
  JpegFindSOI(stream, true);
  {
    TIOParamsVals params;
    ReadJpegICCProfile(stream, params);
  }
  TIEBitmap bitmap;
  TIOParamsVals params;
  std::atomic<bool> aborting{false};
  TIEProgressRecord progress;
  progress.Aborting = &aborting;
  ReadJpegStream(stream, bitmap, params, progress, {.HeaderOnly = true});
  // Keep each run short: decode only pictures of modest size.
  if (aborting.load() || int64_t(params.FullWidth) * params.FullHeight > 4'000'000) return 0;
  stream.SetPosition(0);
  TIOParamsVals full;
  full.JpegScale = uint8_t(size % 5);
  full.Width = 64;
  full.Height = 48;
  full.JpegApplyExifOrientation = (size & 8) != 0;
  ReadJpegStream(stream, bitmap, full, progress,
                 {.InvertCMYK = (size & 2) != 0, .NativePixelFormat = (size & 1) != 0});
  return 0;
}
