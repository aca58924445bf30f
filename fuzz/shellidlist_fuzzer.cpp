// Shell ID list arrays (CIDA) arrive in data objects and on the clipboard
// from other programs: counts, offsets and lists must stay inside the block.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "shell/ShDataObject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size, so a read past it is caught.
  std::vector<uint8_t> block(data, data + size);
  TCommonShellIDList ids;
  if (!ids.AssignBlock(block.data(), block.size())) {
    if (ids.Block() || ids.ChildCount() != 0) __builtin_trap();
    return 0;
  }
  const size_t held = ids.BlockSize();
  for (int32_t i = -1; i < ids.ChildCount(); ++i) {
    const uint8_t* p = i < 0 ? ids.ParentPIDL() : ids.ChildPIDL(i);
    if (!p || p < ids.Block() || PIDLSizeWithin(p, size_t(ids.Block() + held - p)) == 0) __builtin_trap();
  }
  return 0;
}
