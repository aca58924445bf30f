// The framework's picture container loading by content (the signature picks
// bitmap or icon), then a copy of the picture and a save and reload of what
// it holds. A picture that loaded must save and load again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"
#include "platform/vcl/graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TBytesStream in(std::vector<uint8_t>(data, data + size));
  TPicture picture;
  try {
    picture.LoadFromStream(in);
  } catch (const EInvalidGraphic&) {
    return 0;
  } catch (const EOutOfMemory&) {  // a size the bitmap refuses to allocate
    return 0;
  }
  TPicture copy;
  copy.Assign(&picture);
  if (copy.Width() != picture.Width() || copy.Height() != picture.Height()) __builtin_trap();
  if (!picture.Graphic()) return 0;
  TMemoryStream saved;
  picture.SaveToStream(saved);
  saved.SetPosition(0);
  TPicture back;
  back.LoadFromStream(saved);
  if (back.Width() != picture.Width() || back.Height() != picture.Height()) __builtin_trap();
  return 0;
}
