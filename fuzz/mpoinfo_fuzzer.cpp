// Feeds arbitrary bytes to the MPO parser, then reads the second picture's
// range through the window the viewer opens and asks for the parallax. The
// parser's own failures are expected; anything else (a crash, a sanitizer
// report, another exception) is a finding.
#include <cstddef>
#include <cstdint>

#include "app/DUtil.h"
#include "app/MPOFileFormat.h"
#include "imaging/core/iestreams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEMemStream stream(data, int64_t(size));
  TMPOInfo info;
  try {
    info.LoadFromStream(stream);
    if (info.MPEntries().Count() > 1) {
      TClippedStream window(stream, info.GetImageOffset(1), info.GetImageSize(1));
      window.Seek(0, soBeginning);
      uint8_t buf[4096];
      while (window.Read(buf, sizeof buf) > 0) {
      }
    }
    info.GetParallax();
  } catch (const EMPOFormatException&) {
  } catch (const EReadError&) {
  }
  return 0;
}
