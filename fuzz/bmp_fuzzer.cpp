// BMP and icon files through the framework's graphic classes.
#include <cstddef>
#include <cstdint>

#include "platform/classes/streams.h"
#include "platform/gdi/imagegate.h"
#include "platform/rtl/exceptions.h"
#include "platform/vcl/graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A lower pixel limit than the program's keeps every run small while both
  // sides of the gate (believed headers, data that must fill the picture)
  // stay within reach of a few hundred bytes.
  static const win::ScopedImagePixelLimit limit(int64_t(1) << 22);
  if (size == 0) return 0;
  // The first byte picks the reader so one corpus serves both.
  const bool icon = data[0] & 1;
  TBytesStream stream(std::vector<uint8_t>(data + 1, data + size));
  try {
    if (icon) {
      TIcon i;
      i.LoadFromStream(stream);
    } else {
      TBitmap b;
      b.LoadFromStream(stream);
    }
  } catch (const Exception&) {
  }
  return 0;
}
