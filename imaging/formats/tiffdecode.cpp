// Strip and tile decoding of a TIFF page (TIFF 6.0, sections 3-9 and 15-22).
//
// The decoder proper (uncompressed, PackBits, LZW, CCITT, deflate and JPEG
// strips and tiles into every sample layout) is its own unit of work and has
// not been written yet. Until it is, a page that asks for pixels ends here as
// data the reader cannot accept: the abort flag, and the bitmap untouched
// except that an EXIF thumbnail is first cleared, as the thumbnail mode promises.
#include "imaging/core/iebitmap.h"
#include "imaging/formats/tiffilt.h"

void TIFFDecodePage(TIEBitmap& bitmap, TTIFFVars& vars, TStream& stream, int64_t base, TIECodecProgress& progress,
                    bool isExifThumb) {
  (void)vars;
  (void)stream;
  (void)base;
  if (isExifThumb) bitmap.FreeImage(true);
  progress.Abort();
}
