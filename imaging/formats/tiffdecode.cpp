// Strip and tile decoding of a TIFF page (TIFF 6.0, sections 3-9 and 15-22).
//
// The decoder proper (uncompressed, PackBits, LZW, CCITT, deflate and JPEG
// strips and tiles into every sample layout) is its own unit of work and has
// not been written yet. Until it is, a page that asks for pixels ends here as
// data the reader cannot accept: the abort flag, and the bitmap untouched
// except that an EXIF thumbnail is first cleared, as the thumbnail mode promises.
// The gate in front of it is in force already: whatever decodes a page must
// find its strips or tiles inside the stream and a size its data can fill.

#include "imaging/core/iebitmap.h"
#include "imaging/formats/tiffilt.h"
#include "platform/gdi/imagegate.h"

namespace {

// The most pixels one byte of a page's strips or tiles can describe, by
// compression. Uncompressed data holds exactly its samples. PackBits repeats a
// byte at most 128 times for 2 bytes. LZW's longest string is 4,096 bytes for
// a 9-bit code at best, and deflate's ratio stays under 1,032, so 4,096
// decoded bytes per byte bounds both. A JPEG block costs at least one bit per
// 64 pixels. Fax codes may describe a whole row in one bit. An unknown scheme
// describes nothing we can vouch for. Rates in bytes turn into pixels through
// the page's row length.
struct Rate {
  int64_t bytesPerByte = 0;  // decoded bytes per data byte
  int64_t pixelsPerByte = 0;
  bool rowsPerBit = false;
};

Rate RateOf(uint16_t compression) {
  switch (compression) {
    case 1: return {1, 0, false};
    case 32773: return {64, 0, false};
    case 5:
    case 8:
    case 32946: return {4096, 0, false};
    case 6:
    case 7: return {0, 512, false};
    case 2:
    case 3:
    case 4: return {0, 0, true};
    default: return {};
  }
}

}  // namespace

bool TIFFCheckPageData(const TTIFFVars& v, int64_t base, int64_t streamSize) {
  if (v.ImageWidth <= 0 || v.ImageLength <= 0 || v.SamplesPerPixel <= 0 || v.BitsPerSample <= 0) return false;
  const bool tiled = v.TileWidth > 0 && v.TileLength > 0 && !v.TileOffsets.empty();
  const std::vector<int32_t>& offsets = tiled ? v.TileOffsets : v.StripOffsets;
  const std::vector<int32_t>& counts = tiled ? v.TileByteCounts : v.StripByteCounts;
  if (offsets.empty() || (!counts.empty() && counts.size() < offsets.size())) return false;

  const bool planar = v.PlanarConfig == 2;
  const int64_t planes = planar ? v.SamplesPerPixel : 1;
  const int64_t pixelBits = int64_t(v.BitsPerSample) * (planar ? 1 : v.SamplesPerPixel);
  const int64_t rowBytes = (int64_t(v.ImageWidth) * pixelBits + 7) / 8;
  int64_t pageBytes = 0;
  if (!win::ImageBufferBytes(rowBytes, v.ImageLength, planes, pageBytes)) return false;

  // Every piece inside the stream; without byte counts an uncompressed strip
  // is as long as its rows.
  const int64_t stripRows = v.RowsPerStrip > 0 ? v.RowsPerStrip : v.ImageLength;
  int64_t dataBytes = 0;
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] < 0) return false;
    int64_t count = 0;
    if (!counts.empty()) count = counts[i];
    else if (v.Compression == 1 && !tiled) count = rowBytes * stripRows;
    if (count < 0 || !win::ImageDataFits(base + offsets[i], count, streamSize)) return false;
    dataBytes += count;  // each count fits the stream, so the sum cannot overflow
  }

  const Rate rate = RateOf(v.Compression);
  int64_t plausible = 0;
  if (rate.rowsPerBit) {
    plausible = win::SaturatingProduct(win::SaturatingProduct(dataBytes, 8), v.ImageWidth);
  } else if (rate.pixelsPerByte) {
    plausible = win::SaturatingProduct(dataBytes, rate.pixelsPerByte);
  } else if (rate.bytesPerByte) {
    // Decoded bytes into pixels: a page's bytes describe pageBytes / planes / rowBytes rows of width pixels.
    const int64_t decoded = win::SaturatingProduct(dataBytes, rate.bytesPerByte);
    plausible = win::SaturatingProduct(decoded / (rowBytes * planes), v.ImageWidth);
  }
  return win::ImagePixelsAllowed(v.ImageWidth, v.ImageLength, plausible);
}

void TIFFDecodePage(TIEBitmap& bitmap, TTIFFVars& vars, TStream& stream, int64_t base, TIECodecProgress& progress,
                    bool isExifThumb) {
  if (isExifThumb) bitmap.FreeImage(true);
  if (!TIFFCheckPageData(vars, base, stream.Size())) {
    progress.Abort();
    return;
  }
  // No decoder yet: a page that passes the gate still ends here.
  progress.Abort();
}
