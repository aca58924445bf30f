// Pixel-format conversion of TIEBitmap (TIEBitmap::CopyAndConvertFormat and
// ConvertToFormat, in iebitmapconvert.cpp): the switches of its quantizer and
// the dither matrix of its bi-level route. The kernels it calls (quantizers,
// thresholds, bit runs) live beside it in the core.
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieglobals.h"

// Switches of the colour quantizer, both set to -1 by the I/O unit's start-up.
// Method: -1 automatic (median cut below 128 colours, else NeuQuant), 0
// NeuQuant, 1 median cut. Quality: -1 automatic by pixel count, else 0..100.
extern int32_t IEQuantizerMethod;
extern int32_t IEQuantizerQuality;
// The quality switch under the name the I/O unit's defaults give it.
inline int32_t& IENeuQuantSampling = IEQuantizerQuality;

// The 8 x 8 ordered-dither matrix, indexed [x mod 8][y mod 8]; a pixel of gray
// level g becomes white when the entry is below g shr 2.
extern const uint8_t IEDitherMatrix[8][8];
