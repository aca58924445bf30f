// The image-format unit's place in the library start-up: the formats sit above
// the I/O unit, so they hand it the routines that install and remove their
// content tests, built-in readers, TIFF LZW procedures and the TIFF reader's
// bridge to the core's EXIF routines (the slot IEIOFormatsUnit of ieioset.h),
// and take the CCITT unit's place in the start-up order.
#pragma once

// Call before IEInitialize, beside IEIOBindLibrary and IEProcBindLibrary
// (IEStartLibrary, imaging/vector/iestartup.h, does it for a program).
void IEFormatsBindLibrary();
