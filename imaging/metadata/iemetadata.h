// The image library's metadata unit: its chief header, which gathers what the
// unit offers. Metadata is what a picture carries beside its pixels; this unit
// parses, edits and writes it, and leaves the pixels to the core.
#pragma once

#include "imaging/metadata/ieannot.h"        // imaging annotations (TIFF tag 32932)
#include "imaging/metadata/iedicomtags.h"    // DICOM tag list
#include "imaging/metadata/ieexif.h"         // EXIF blocks to and from parameter records
#include "imaging/metadata/ieexifparams.h"   // EXIF and metadata fields of a parameter record
#include "imaging/metadata/ieicc.h"          // ICC profiles through LittleCMS
#include "imaging/metadata/ieiptc.h"         // IPTC records
#include "imaging/metadata/iemarkers.h"      // JPEG marker list
#include "imaging/metadata/ietiffhandler.h"  // TIFF tag handler and maker notes
#include "imaging/metadata/iexmp.h"          // XMP packets
