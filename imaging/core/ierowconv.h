// Row colour conversion: rows of one colour layout to another, for the format
// readers and writers (through IEConvertColorRowProc) and the PNM writer.
//
// With colour management on and usable profiles in the image's parameters the
// row goes through the profiles; that step belongs to the I/O unit, which owns
// the parameters and their ICC profiles, and reaches this routine through
// IEColorRowProfileTransform. Otherwise plain per-pixel formulas apply.
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"

class TIOParamsVals;  // imaging/io: the image's parameters and ICC profiles

// Layouts of a row (those of the ICC transform).
enum TIEColorRowLayout : int32_t {
  iecrRGB = 0,         // bytes red, green, blue
  iecrBGR = 1,         // bytes blue, green, red (ie24RGB)
  iecrCMYK = 2,        // 4 bytes, stored inverted (255 = no ink)
  iecrCMYK6 = 3,       // ink values (not inverted) in the first 4 bytes of 6-byte pixels
  iecrCIELab = 4,      // bytes L, a, b
  iecrGray = 5,        // one gray byte
  iecrRGB48 = 6,       // three 16-bit values red, green, blue
  iecrRGB48Swapped = 7,  // the same with the two bytes of each value exchanged
  iecrYCbCr = 8        // three channel bytes
};

// The library-wide colour-management switch (False at start-up).
extern bool IEColorManagement;

// Converts count pixels from source (sourceLayout) to dest (destLayout);
// params may be null. A pair without a formula leaves dest as it is. Layout 3
// inverts the ink bytes of the source in place before reading them.
void IEConvertColorRow(void* source, int32_t sourceLayout, void* dest, int32_t destLayout, int32_t count,
                       TIOParamsVals* params);

using TIEConvertColorRowProc = void (*)(void* source, int32_t sourceLayout, void* dest, int32_t destLayout,
                                        int32_t count, TIOParamsVals* params);
// The procedure the readers call; IEConvertColorRow unless replaced.
extern TIEConvertColorRowProc IEConvertColorRowProc;

// Installed by the I/O unit: converts the row through the parameters' source
// and output profiles when they are usable and not yet applied; True when it
// did. Called only while IEColorManagement is on and params is given.
extern bool (*IEColorRowProfileTransform)(TIOParamsVals& params, const void* source, int32_t sourceLayout,
                                          void* dest, int32_t destLayout, int32_t count);

// One YCbCr sample to blue-green-red: each channel truncated, then clamped to 0..255.
void IEYCbCrToRGB(TRGB& pixel, int32_t y, int32_t cb, int32_t cr);
