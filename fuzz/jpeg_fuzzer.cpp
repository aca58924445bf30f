// JPEG streams: the SOI search and the ICC chunk walk, then the I/O
// component's JPEG load, first for the parameters alone and then for the
// pixels at a scale the input picks. Big pictures are decoded too, under
// limits this target sets: libjpeg may hold at most 256 MB (JPEGMEM, read when
// a decoder is made; past it a whole-picture buffer fails the decode), and a
// picture above 4 Mpixels is decoded at one eighth, which caps the bitmap at
// 4 Mpixels for pictures of up to 256 Mpixels. Larger ones stop at the header.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fuzz/fuzz_start.h"
#include "imaging/core/iebitmap.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/ioparams.h"
#include "imaging/io/jpegfilt.h"
#include "imaging/io/vovideriocomp.h"

namespace {
constexpr int64_t kFullScalePixels = 4'000'000;
constexpr int64_t kLargestPixels = int64_t(256) << 20;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("JPEGMEM", "256M", 1);
  FuzzStartImageLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEMemStream stream(data, int64_t(size));
  JpegFindSOI(stream, true);
  {
    stream.SetPosition(0);
    TIOParamsVals params;
    ReadJpegICCProfile(stream, params);
  }

  TIEBitmap bitmap;
  std::unique_ptr<TVovidErIO> io = TVovidErIO::CreateFromBitmap(&bitmap);
  stream.SetPosition(0);
  io->ParamsFromStreamFormat(stream, ioJPEG);
  if (io->Params().FileType != ioJPEG) return 0;
  const int64_t pixels = int64_t(io->Params().Width) * io->Params().Height;
  if (pixels <= 0 || pixels > kLargestPixels) return 0;

  TIOParamsVals& p = io->Params();
  p.JpegScale = pixels > kFullScalePixels ? 4 : uint8_t(size % 5);
  p.Width = 64;
  p.Height = 48;
  p.JpegApplyExifOrientation = (size & 8) != 0;
  io->SetNativePixelFormat((size & 1) != 0);
  stream.SetPosition(0);
  io->LoadFromStreamJpeg(stream);
  // What a load that did not abort holds fits its scale.
  if (!io->Aborting() && !bitmap.IsEmpty() && int64_t(bitmap.GetWidth()) * bitmap.GetHeight() > kFullScalePixels * 2)
    __builtin_trap();
  return 0;
}
