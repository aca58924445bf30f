// File-drop blocks (DROPFILES) arrive in data objects and on the clipboard
// from other programs: the names must be measured inside the block.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "shell/ShDataObject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> block(data, data + size);
  TCommonHDrop drop;
  if (drop.AssignStructure(block.data(), block.size())) {
    if (drop.StructureSize() > size || drop.StructureSize() < 21) __builtin_trap();
    // The kept block measures to itself.
    std::vector<uint8_t> kept(drop.DropFiles(), drop.DropFiles() + drop.StructureSize());
    TCommonHDrop again;
    if (!again.AssignStructure(kept.data(), kept.size()) || again.StructureSize() != kept.size()) __builtin_trap();
  } else if (drop.DropFiles()) {
    __builtin_trap();
  }
  return 0;
}
