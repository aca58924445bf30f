// File lists dropped on a folder (CF_HDROP blocks) come from whatever put
// them in the data object: the reader must refuse what is malformed without
// reading past the block.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/shell/folders/shellitems.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size, so a read past it is caught.
  std::vector<uint8_t> block(data, data + size);
  const auto names = win::FilesOfDropBlock(block.data(), block.size());
  if (names)
    for (const std::string& n : *names)
      if (n.empty() || n.size() > 2 * size) __builtin_trap();  // UTF-8 takes at most 3 bytes per 2
  return 0;
}
