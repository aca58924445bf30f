// Form descriptions holding a bar manager: its own streamed properties (the
// bars' property lists and the dock-site heights), its options and its bars
// are read into a form, written and read again. The reader's errors on the
// input are expected; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_framework.h"
#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarStartup.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStartFramework();
  dxStartBars();
  std::atexit([] { dxStopBars(); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 16)) return 0;
  TForm form(nullptr);
  try {
    ReadComponentText(std::string_view(reinterpret_cast<const char*>(data), size), &form);
  } catch (const Exception&) {
    return 0;
  }
  TStringStream out;
  WriteComponent(out, &form);
  TForm again(nullptr);
  ReadComponentText(out.DataString(), &again);
  return 0;
}
