// The image library's core: its chief header, which gathers what the core offers.
//
// Vocabulary used throughout the library:
// - pixel: one picture element; sample: one channel value of a pixel;
// - row (scanline): the pixels of one line, stored bottom-up and padded to 32 bits;
// - library unit: a part of the library with a library-init and a library-fini
//   routine, run in a fixed order by IEInitialize and IEFinalize (ieinit.h).
//
// Metadata has its own chief header, imaging/metadata/iemetadata.h.
// Add further core headers below, one line each.
#pragma once

#include "imaging/core/iebitmap.h"    // the image buffer TIEBitmap
#include "imaging/core/iebits.h"      // bit, byte and number routines
#include "imaging/core/ieblend.h"     // layer pixel operations, the stereo combiner
#include "imaging/core/iecmyk.h"      // CMYK pixels to RGB and back
#include "imaging/core/ieconvert.h"   // pixel-format conversion, processing hooks, quantizer switches
#include "imaging/core/iefilestorage.h"  // file-backed pixel storage, temporary files
#include "imaging/core/iegeometry.h"  // fitting, orientation and sorting routines
#include "imaging/core/ieglobals.h"   // library-wide values and defaults
#include "imaging/core/ieinit.h"      // library start-up and shut-down
#include "imaging/core/ielab.h"       // CIE L*a*b* pixels
#include "imaging/core/ielists.h"     // item lists, byte array, hash set
#include "imaging/core/iedrawing.h"   // preview backgrounds, Gaussian curve, clipboard retries
#include "imaging/core/ievclbitmap.h"  // TBitmap exchange, packed DIBs, canvas output
#include "imaging/core/iememblock.h"  // large blocks, colour tables of platform bitmaps
#include "imaging/core/iemask.h"  // selection and transparency mask
#include "imaging/core/iepixels.h"    // any pixel as RGB, row readers
#include "imaging/core/iepoints.h"  // point, segment and angle routines
#include "imaging/core/ierender.h"    // drawing one image buffer into another
#include "imaging/core/ierowconv.h"   // row colour conversion between layouts
#include "imaging/core/iestreams.h"   // buffered, file, memory and counting streams
#include "imaging/core/ietext.h"      // text, number, file-name and Base64 routines
#include "imaging/core/iethreadpool.h"  // worker thread pool, processor core count
#include "imaging/core/iezlib.h"      // deflate streams
