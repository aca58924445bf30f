// Item-ID lists as another component could hand them over: the decoder must
// refuse what is malformed without reading past the block, and what it
// accepts must encode back to the same bytes and compare equal to itself.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/rtl/taskmem.h"
#include "platform/shell/pidl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 16)) return 0;
  size_t used = 0;
  const auto items = DecodePidl(data, size, &used);

  // The same bytes in a task-allocator block, as the shell's ordinals see them.
  auto* block = static_cast<uint8_t*>(TaskMemAlloc(size));
  if (!block) return 0;
  if (size) std::memcpy(block, data, size);
  const int32_t equal = ILIsEqual(block, block);
  const int32_t parent = ILIsParent(block, block, 0);
  if (equal != (items ? 1 : 0) || parent != equal) __builtin_trap();
  if (items && PidlSize(block) != used) __builtin_trap();
  TaskMemFree(block);

  if (!items) return 0;
  const auto again = EncodePidl(*items);
  if (!again || again->size() != used || std::memcmp(again->data(), data, used) != 0) __builtin_trap();
  return 0;
}
