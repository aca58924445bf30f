// The image library's input/output unit: its chief header, which gathers what
// the unit offers.
//
// Vocabulary of the unit: a reader fills a TIEBitmap and the image's parameter
// record (TIOParamsVals) from a stream; a writer does the reverse; a record's
// metadata is what it holds beyond sizes and format options (markers, IPTC,
// XMP, DICOM tags, ICC profiles, imaging annotations, EXIF).
#pragma once

#include "imaging/io/iedefs.h"      // library defaults, message tables
#include "imaging/io/ieencoders.h"  // ASCII85, PackBits, line writer
#include "imaging/io/jpegfilt.h"    // JPEG decoding
#include "imaging/io/ioparams.h"    // the image parameter record TIOParamsVals
#include "imaging/io/ieregistry.h"  // file-format registry
#include "imaging/io/vovideriocomp.h"  // the load-and-save component TVovidErIO
#include "imaging/metadata/ieannot.h"   // imaging annotations of a record
#include "imaging/metadata/ieicc.h"     // ICC profiles of a record
