// Form descriptions (text) and component images in the binary streaming format,
// read with the framework's control classes registered, so that typed
// properties (fonts, colours, sets, collections, pictures) are reached.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz/fuzz_framework.h"
#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartFramework();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Text a person or a program writes: past 64 KiB size only slows the sanitizers down.
  if (size > (1 << 16)) return 0;
  if (size == 0) return 0;
  const bool binary = data[0] & 1;
  try {
    if (binary) {
      TBytesStream in(std::vector<uint8_t>(data + 1, data + size));
      TMemoryStream out;
      ObjectBinaryToText(in, out);
    } else {
      std::unique_ptr<TComponent> c(
          ReadComponentText(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)));
    }
  } catch (const Exception&) {
  }
  return 0;
}
