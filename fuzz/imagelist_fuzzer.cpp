// Form descriptions of the toolbar library's image list: the recorded image
// sources (bitmap data, masks, colour keys) are read and the system list is
// rebuilt from them, then every image is read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/classes/filer.h"
#include "platform/rtl/exceptions.h"
#include "ui/lookandfeel/cxImageList.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cxStartLookAndFeel();
  // The library's process-wide objects are freed the way the program frees them.
  std::atexit([] { cxStopLookAndFeel(); });
  cxRegisterImageListClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Text a program writes: past 64 KiB size only slows the sanitizers down.
  if (size > (1 << 16)) return 0;
  TcxImageList list(nullptr);
  try {
    ReadComponentText(std::string_view(reinterpret_cast<const char*>(data), size), &list);
  } catch (const Exception&) {
  }
  for (int32_t i = 0; i < list.Count(); ++i) {
    TBitmap image, mask;
    list.GetImage(i, &image, &mask);
  }
  TcxImageList copy(nullptr);
  copy.Assign(&list);
  SameImageListContent(&copy, &list);
  return 0;
}
