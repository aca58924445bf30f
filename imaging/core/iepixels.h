// Format-independent pixel reading, and the per-format row readers and
// writers that the conversions, fills and pixel reads share. The typed
// accessors, fills and rectangle operations are members of TIEBitmap
// (iebitmappixels.cpp).
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"

// The pixel as blue-green-red for any format: gray formats in all three
// channels (ie16g its high byte, ie32f trunc(v x 255)), ie8p its palette entry,
// ieCMYK and ieCIELab converted, ieRGB48 the high bytes. Black for no format,
// a coordinate outside the image or an index beyond the palette.
TRGB IEGetPixelRGB(TIEBitmap& bitmap, int32_t x, int32_t y);

// Row x0 .. x0 + count - 1 of a pixel row of the given format as blue-green-red
// (palette: 256 entries, those past the palette black). Rows of a format
// without a reading give black.
void IERowToRGB(TIEPixelFormat format, const uint8_t* row, int32_t x0, int32_t count, const TRGB* palette,
                TRGB* out);
// The palette of a buffer as 256 entries, those past its palette length black,
// so that any index byte reads inside it.
void IEPalette256(TIEBitmap& bitmap, TRGB* out);

// Bit x of a 1-bit row (0x80 >> x mod 8 of byte x div 8).
inline bool IEGetBit1(const uint8_t* row, int64_t x) { return (row[x >> 3] & (0x80 >> (x & 7))) != 0; }
inline void IESetBit1(uint8_t* row, int64_t x, bool v) {
  const uint8_t mask = uint8_t(0x80 >> (x & 7));
  if (v)
    row[x >> 3] |= mask;
  else
    row[x >> 3] &= uint8_t(~mask);
}
