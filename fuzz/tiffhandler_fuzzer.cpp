// TIFF structures through the tag handler (load, save, reload), and the same
// bytes as an EXIF maker note of every byte order (read, write back, reread).
#include <cstddef>
#include <cstdint>

#include "imaging/core/iestreams.h"
#include "imaging/metadata/ietiffhandler.h"
#include "platform/rtl/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIEMemStream in(data, int64_t(size));
  TIETIFFHandler handler;
  if (handler.LoadFromStream(in)) {
    TMemoryStream out;
    handler.SaveToStream(out, -1);
    out.SetPosition(0);
    TIETIFFHandler again;
    again.LoadFromStream(out);
    if (handler.PageCount() > 0) {
      TMemoryStream one;
      handler.SaveToStream(one, 0);
    }
  }
  for (bool little : {true, false}) {
    in.SetPosition(0);
    TIETagsHandler note;
    note.ReadFromStream(in, int32_t(size), little);
    TMemoryStream written;
    written.WriteBuffer("pad", 3);
    const int32_t n = IEWriteMakerNoteBlock(note, written);
    if (n > 0) {
      written.SetPosition(3);
      TIETagsHandler back;
      back.ReadFromStream(written, n, true);
    }
  }
  return 0;
}
