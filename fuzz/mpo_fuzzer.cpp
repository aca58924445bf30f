// The viewer's load path for stereo files: the MPO and JPS readers as the
// registry calls them, the same files dispatched by the I/O component by
// format id, and the picture class that loads ".mpo" for the framework's
// picture container. The readers raise only the parser's errors and set the
// abort flag before doing so; an exception that leaves the flag down is a
// finding, as is any other exception or a sanitizer report. Pictures are
// decoded at one eighth: the JPEG target covers full-size decoding, this one
// the containers around it.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/MPOFormats.h"
#include "app/TiffTagList.h"
#include "fuzz/fuzz_start.h"
#include "imaging/core/iebitmap.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/ieprogress.h"
#include "imaging/io/ioparams.h"
#include "imaging/io/vovideriocomp.h"
#include "platform/rtl/exceptions.h"
#include "platform/vcl/graphics.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartImageLibrary();
  RegisterMPOFormats();
  return 0;
}

namespace {

// One reader call; the parser's errors must come with the abort flag raised.
template <class Reader>
void ReadChecked(Reader reader, const uint8_t* data, size_t size, int32_t index, bool preview) {
  TIEMemStream stream(data, int64_t(size));
  TIEBitmap bitmap;
  TIOParamsVals params;
  params.SetImageIndex(index);
  params.JpegScale = 4;
  std::atomic<bool> aborting{false};
  TIEProgressRecord progress;
  progress.Aborting = &aborting;
  try {
    reader(stream, bitmap, params, preview, progress);
  } catch (const EMPOFormatException&) {
    if (!aborting.load()) __builtin_trap();
  } catch (const EReadError&) {
    if (!aborting.load()) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the picture index and the preview flag, so one corpus of files serves all paths.
  const int32_t index = data[0] & 1;
  const bool preview = (data[0] & 2) != 0;
  ++data, --size;

  ReadChecked(ReadMPOImage, data, size, index, preview);
  ReadChecked(ReadJPSImage, data, size, index, preview);

  for (int32_t format : {ioMPO, ioJPS}) {
    TIEBitmap bitmap;
    std::unique_ptr<TVovidErIO> io = TVovidErIO::CreateFromBitmap(&bitmap);
    io->Params().SetImageIndex(index);
    io->Params().JpegScale = 4;
    TIEMemStream stream(data, int64_t(size));
    try {
      io->LoadFromStreamFormat(stream, format);
    } catch (const EMPOFormatException&) {
    } catch (const EReadError&) {
    }
  }

  TIEMPOImage picture;
  picture.IO()->Params().JpegScale = 4;
  TIEMemStream stream(data, int64_t(size));
  try {
    picture.LoadFromStream(stream);
    // A load that returns has a picture.
    if (picture.Empty()) __builtin_trap();
  } catch (const EInvalidGraphic&) {
  } catch (const EMPOFormatException&) {
  } catch (const EReadError&) {
  }
  return 0;
}
