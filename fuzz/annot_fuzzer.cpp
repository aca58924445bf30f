// Imaging-annotation blocks (TIFF tag 32932): load, save, load the saved block again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/metadata/ieannot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 20)) return 0;
  TIEImagingAnnot annot;
  annot.LoadFromBuffer(data, int32_t(size));
  const std::vector<uint8_t> saved = annot.SaveToBuffer();
  TIEImagingAnnot back;
  back.LoadFromBuffer(saved.data(), int32_t(saved.size()));
  TIEImagingAnnot copy;
  copy.Assign(&back);
  return 0;
}
