// Desktop entries found in any folder the viewer lists: the reader must
// refuse what is malformed without crashing, and what it accepts must have a
// type, as a link needs one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/shell/desktopentry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto entry = ParseDesktopEntry(std::string_view(reinterpret_cast<const char*>(data), size));
  if (entry && entry->Type.empty()) __builtin_trap();
  return 0;
}
