// Component images as the program meets them: a description read from a
// stream, a binary ("TPF0") image converted and then read, and a form resource
// registered by class name and read through the resource lookup, all with the
// framework's control classes registered. Whatever was read must be written
// and read again without error; the reader's own errors on the input are
// expected, anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_framework.h"
#include "platform/classes/filer.h"
#include "platform/classes/formres.h"
#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartFramework();
  return 0;
}

namespace {

std::unique_ptr<TComponent> Read(const uint8_t* data, size_t size, uint8_t how) {
  switch (how % 3) {
    case 0: {
      TBytesStream in(std::vector<uint8_t>(data, data + size));
      return std::unique_ptr<TComponent>(ReadComponent(in, nullptr));
    }
    case 1: {
      TBytesStream in(std::vector<uint8_t>(data, data + size));
      TMemoryStream text;
      ObjectBinaryToText(in, text);
      text.SetPosition(0);
      return std::unique_ptr<TComponent>(ReadComponent(text, nullptr));
    }
    default: {
      // The lookup keeps a view of the description: it lives until it is unregistered.
      const std::string description(reinterpret_cast<const char*>(data), size);
      RegisterFormResource("TFuzzResource", description);
      try {
        std::unique_ptr<TComponent> c(ReadComponentRes("TFuzzResource", nullptr));
        UnregisterFormResource("TFuzzResource");
        return c;
      } catch (...) {
        UnregisterFormResource("TFuzzResource");
        throw;
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Text a person or a program writes: past 64 KiB size only slows the sanitizers down.
  if (size > (1 << 16)) return 0;
  if (size == 0) return 0;
  std::unique_ptr<TComponent> c;
  try {
    c = Read(data + 1, size - 1, data[0]);
  } catch (const Exception&) {
    return 0;
  }
  if (!c) return 0;
  // What the framework read it can write, and what it wrote it can read.
  TMemoryStream written;
  WriteComponent(written, c.get());
  written.SetPosition(0);
  std::unique_ptr<TComponent> back(ReadComponent(written, nullptr));
  return 0;
}
