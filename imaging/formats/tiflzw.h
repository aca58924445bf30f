// LZW for TIFF Compression 5, the flavour of TIFF 6.0 section 13: codes
// packed most significant bit first, Clear 256, EndOfInformation 257, and a
// code width that grows one code early (at 511, 1023 and 2047 entries).
//
// Both procedures work row by row over one strip and keep what the strip
// needs between rows in a state handle: a null handle starts a strip, a call
// with null data ends it and frees the handle. The TIFF reader and writer
// reach them through the procedure types of imaging/io/ioparams.h.
#pragma once

#include <cstdint>

class TStream;

// Decodes the next rowBytes bytes of the strip of dataSize bytes at data and
// returns them (valid until the next call), or null when the strip is broken
// (a bad code after Clear, a full string table). A null state starts the
// strip at data; null data releases the state and returns null. FillOrder 2
// reads every byte least significant bit first. No code is read beyond the
// strip's bytes: when they, or an EndOfInformation, end the strip, the rest of
// the row and every later row are zero.
uint8_t* TIFFLZWDecode(const uint8_t* data, int32_t dataSize, int32_t rowBytes, void*& state, int32_t fillOrder);

// Appends count bytes of the strip to its code stream on dest; the strip's
// bytes form one input string, rows are not separated. A null state starts
// the strip with Clear; null data finishes it (the last code,
// EndOfInformation, zero bits to a whole byte) and releases the state.
void TIFFLZWEncode(const uint8_t* data, int32_t count, TStream& dest, void*& state);
