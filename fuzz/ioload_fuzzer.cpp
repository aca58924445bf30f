// The I/O component's stream loads: by content (the format test, then the
// chosen reader through the component's dispatch) and as JPEG, each first for
// the parameters alone and then for the pixels. Readers report failure through
// the abort flag; any exception out of the component is a finding.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/fuzz_start.h"
#include "imaging/core/iebitmap.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/ioparams.h"
#include "imaging/io/vovideriocomp.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartImageLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEBitmap bitmap;
  std::unique_ptr<TVovidErIO> io = TVovidErIO::CreateFromBitmap(&bitmap);
  // Small scaled decodes keep each run short; the JPEG target decodes big pictures.
  io->Params().JpegScale = 4;
  TIEMemStream stream(data, int64_t(size));

  io->ParamsFromStream(stream);
  stream.SetPosition(0);
  io->LoadFromStream(stream);

  stream.SetPosition(0);
  io->ParamsFromStreamFormat(stream, ioJPEG);
  stream.SetPosition(0);
  io->LoadFromStreamJpeg(stream);
  return 0;
}
