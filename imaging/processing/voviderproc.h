// The image library's processing unit: its chief header.
//
// Vocabulary (as in the core, imaging/core/ieutils.h): pixel, sample, row
// (scanline, stored bottom-up and padded to 32 bits), palette (up to 256 TRGB
// entries, blue-green-red). A colour packed in one 32-bit value is red shl 16
// or green shl 8 or blue; a TColor is the platform's 0x00BBGGRR.
//
// The pixel kernels that the core's own code needs (quantizers, bi-level
// conversion, bit runs, HSL, resamplers, rotation, the gray blur) live in the
// core; this header gathers them with the unit's own routines.
#pragma once

#include "imaging/core/ieblurgray.h"   // Gaussian blur of 8-bit gray images
#include "imaging/core/iecolorconv.h"  // gray, bi-level, colour reduction, row bit depths, YUV
#include "imaging/core/ieprocutils.h"  // numbers, colours, HSL, bits
#include "imaging/core/ieresample.h"   // resampling, worker threads, special resamplers
#include "imaging/core/ierotate.h"     // rotation by any angle, flipping
#include "imaging/core/neurquant.h"    // TIEQuantizer and the NeuQuant builder
#include "imaging/core/stdquant.h"     // the median-cut builder

// The unit's library-init routine (seventh in the library's start-up): builds
// the bit-expansion table.
void IEProcInitialize();
// The unit's library-fini routine.
void IEProcFinalize();
// Binds the unit's init and fini routines to its slot of the library start-up.
void IEProcBindLibrary();
