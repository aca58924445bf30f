// The image-format unit's place in the library start-up: the formats sit above
// the I/O unit, so they hand it the routines that install and remove their
// content tests and the TIFF reader's bridge to the core's EXIF routines.
#pragma once

// Call before IEInitialize, beside IEIOBindLibrary and IEProcBindLibrary.
void IEFormatsBindLibrary();
