// ICC profiles: structure check, text reading, opening through LittleCMS and,
// when it opens, a transform of a few pixels to sRGB in the layout of its colour space.
#include <cstddef>
#include <cstdint>

#include "imaging/metadata/ieicc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 20)) return 0;
  TIEICC icc;
  icc.LoadFromBuffer(data, int32_t(size));
  TIEICC copy;
  copy.Assign(&icc);
  if (!icc.IsValid()) return 0;
  TIEICC srgb;
  srgb.LoadSRGB();
  uint8_t in[8 * 6], out[8 * 6];
  for (size_t i = 0; i < sizeof in; ++i) in[i] = uint8_t(i * 37);
  for (int32_t code : {1, 5, 2, 4, 8})
    if (icc.Transform(srgb, code, 1, 0, 0, in, out, 8)) break;
  icc.FreeTransform();
  return 0;
}
