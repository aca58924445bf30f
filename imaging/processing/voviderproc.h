// The image library's processing unit: its chief header.
//
// Vocabulary (as in the core, imaging/core/ieutils.h): pixel, sample, row
// (scanline, stored bottom-up and padded to 32 bits), palette (up to 256 TRGB
// entries, blue-green-red). A colour packed in one 32-bit value is red shl 16
// or green shl 8 or blue; a TColor is the platform's 0x00BBGGRR.
//
// The unit's routines are the library's own: the core reaches the ones its
// pixel code needs (quantizer, bi-level conversion, bit-run copy, red/blue
// swap, HSL, the resamplers of filtered drawing, the gray blur of the soft
// shadow) through IEProcessingHooks, which the unit fills when it starts.
#pragma once

#include "imaging/processing/ieblurgray.h"   // Gaussian blur of 8-bit gray images
#include "imaging/processing/iecolorconv.h"  // gray, bi-level, colour reduction, row bit depths, YUV
#include "imaging/processing/ieprocutils.h"  // numbers, colours, HSL, bits
#include "imaging/processing/ieresample.h"   // resampling, worker threads, special resamplers
#include "imaging/processing/ierotate.h"     // rotation by any angle, flipping
#include "imaging/processing/neurquant.h"    // TIEQuantizer and the NeuQuant builder
#include "imaging/processing/stdquant.h"     // the median-cut builder

// The unit's library-init routine (seventh in the library's start-up): builds
// the bit-expansion table and installs the unit's hooks into the core.
void IEProcInitialize();
// The unit's library-fini routine.
void IEProcFinalize();
// Fills IEProcessingHooks with this unit's routines and installs the core's
// pixel-format conversion (TIEBitmap::SetPixelFormat); safe to call again.
void IEProcessingInstallHooks();
// Binds the unit's init and fini routines to its slot of the library start-up.
void IEProcBindLibrary();
