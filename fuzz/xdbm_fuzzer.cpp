// Form data of a bitmap as the look-and-feel library reads it: an "XDBM"
// run-length block or plain bitmap data. The stream read error and the
// bitmap reader's own errors are expected; anything else is a finding. A
// block that expands must also survive being written again and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 16)) return 0;
  const std::vector<uint8_t> input(data, data + size);
  {
    TBytesStream in(input);
    std::vector<uint8_t> expanded;
    try {
      if (ReadXDBMBlock(in, expanded)) {
        const uint8_t blockSize = size ? uint8_t(data[size - 1] % 4 + 1) : 1;
        TBytesStream again;
        WriteXDBMBlock(again, expanded, blockSize);
        again.SetPosition(0);
        std::vector<uint8_t> back;
        if (!ReadXDBMBlock(again, back) || back != expanded || again.Position() != again.Size()) std::abort();
      }
    } catch (const EReadError&) {
    }
  }
  TBytesStream in(input);
  TcxBitmap bitmap;
  try {
    bitmap.ReadData(in);
  } catch (const Exception&) {
  }
  return 0;
}
