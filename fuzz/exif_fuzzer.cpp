// EXIF APP1 payloads and TIFF streams through the EXIF routines and the TIFF
// directory reader: load, save the block again, reload; content tests.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/formats/tiffilt.h"
#include "imaging/metadata/ieexif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  IEBindTIFFExifBridge();
  std::vector<uint8_t> app1 = {'E', 'x', 'i', 'f', 0, 0};
  app1.insert(app1.end(), data, data + size);
  TIEMetaParams params;
  if (IELoadEXIFFromAPP1(app1.data(), int32_t(app1.size()), params)) {
    const std::vector<uint8_t> block = IESaveEXIFToBuffer(params, true);
    TIEMetaParams back;
    IELoadEXIFFromAPP1(block.data(), int32_t(block.size()), back);
  }

  TIEMemStream stream(data, int64_t(size));
  IsTIFFStream(stream);
  IsTIFFCameraRawStream(stream);
  IsHDPhotoStream(stream);
  TIEBufferedReadStream buffered(stream, 4096);
  const int64_t at = IEFindTIFFHeaderInStream(buffered);
  if (at >= 0) {
    buffered.Seek(at, soBeginning);
    TIEMetaParams raw;
    IELoadEXIFFromTIFFStream(buffered, raw);
  }
  for (int32_t page = 0; page < 2; ++page) {
    stream.SetPosition(0);
    TIEMetaParams p;
    p.SetImageIndex(page);
    p.TIFFSubIndex = page - 1;
    bool aborting = false;
    TIECodecProgress progress;
    progress.Aborting = &aborting;
    int32_t pages = 0;
    TIEMask* mask = nullptr;
    ReadTIFFStream(nullptr, stream, pages, p, progress, true, mask, page == 1, false, false, false);
  }
  return 0;
}
