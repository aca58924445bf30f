// Bilevel fax coding for TIFF Compression 2 (modified Huffman), 3 (Group 3,
// one- or two-dimensional) and 4 (Group 4), after ITU-T T.4 and T.6.
//
// Rows are packed one bit per pixel, the first pixel in the most significant
// bit. The decoders give rows with 1 for white and 0 for black (ie1g); the
// encoders code the 1 bits of a row as black runs. FillOrder 2 means the
// coded bytes hold their first bit in the least significant position.
//
// Decoders read one row at a time from a buffer and never past its end: bad
// codes are skipped bit by bit, an end of line or the end of the data ends the
// row, and what was not decoded stays white. Encoders append one row at a time
// to a stream; the one-, two-dimensional and Group 4 ones carry the strip's
// unfinished byte and reference line from call to call, and a call with a null
// row (and width 0) finishes the strip.
#pragma once

#include <cstdint>
#include <vector>

class TStream;

// Library hooks: build and free the two decoding trees.
void IECCITTInitialize();
void IECCITTFinalize();

// ---- run-length codes -------------------------------------------------------------------------

// Entries of the run-length table per colour (0 white, 1 black): 0-63
// terminating codes, 64-90 make-up codes for 64-1728, 91-103 extended make-up
// codes for 1792-2560, 104 end of line, 105-107 codes to skip, 108-127 end of
// line after 1 to 20 more zero bits.
struct TCCITTRunCode {
  uint8_t Length = 0;  // bits
  uint32_t Code = 0;   // most significant bit first
  int32_t Run = 0;     // pixels; -3 end of line, -1 skip
};
constexpr int32_t kCCITTEntries = 128;
constexpr int32_t kCCITTNoCode = 128;   // no code starts here
constexpr int32_t kCCITTPastEnd = 127;  // the position lies beyond the buffer
const TCCITTRunCode& CCITTRunCode(int32_t colour, int32_t entry);

// The 32 bits from bit bitPos of the buffer; bits beyond it read as 0.
uint32_t CCITTFetchBits(const uint8_t* buffer, int32_t length, int64_t bitPos, int32_t fillOrder);

// The run-length entry whose code starts at bitPos, for the colour;
// kCCITTNoCode when none does, kCCITTPastEnd when bitPos is beyond the buffer.
int32_t CCITTDecodeRunCode(const uint8_t* buffer, int32_t length, int64_t bitPos, int32_t fillOrder, int32_t colour);

// ---- decoders: row holds (width + 7) / 8 bytes ------------------------------------------------

// One modified Huffman row from the buffer's first bit; returns the whole
// bytes it used (at most length).
int32_t CCITTDecodeMH(uint8_t* row, const uint8_t* source, int32_t length, int32_t fillOrder, int32_t width);
// One one-dimensional row from bitPos; returns the bit position after it (at most length * 8).
int64_t CCITTDecode1D(uint8_t* row, const uint8_t* source, int32_t length, int32_t fillOrder, int64_t bitPos,
                      int32_t width);
// One two-dimensional row from bitPos against the reference line (the previous
// row, all white before the first), which then becomes this row. Rows of a
// Group 3 strip begin with an end of line and a bit that says whether the row
// is coded one-dimensionally (1) or not (0). Returns the bit position after it.
int64_t CCITTDecode2D(uint8_t* row, const uint8_t* source, int32_t length, bool eolExpected, int32_t fillOrder,
                      int64_t bitPos, uint8_t* referenceLine, int32_t width);

// ---- encoders ---------------------------------------------------------------------------------

// Short writes set abortFlag (and nothing clears it here).
//
// One modified Huffman row, padded with zero bits to a whole byte.
void CCITTEncodeMH(const uint8_t* row, int32_t width, TStream& stream, int32_t fillOrder, bool& abortFlag);
// Group 3 one-dimensional: an end of line and the row's runs. The finishing
// call pads the last byte with zero bits.
void CCITTEncodeG3_1D(const uint8_t* row, int32_t width, TStream& stream, int32_t fillOrder, bool& abortFlag,
                      int32_t& pendingBits, uint8_t& pendingByte);
// Group 3 two-dimensional: the strip's first row one-dimensionally after an
// end of line and a 1 bit, each later row two-dimensionally after an end of
// line and a 0 bit. The finishing call writes one more end of line, pads the
// last byte and empties the reference line.
void CCITTEncodeG3_2D(const uint8_t* row, int32_t width, TStream& stream, int32_t fillOrder, bool& abortFlag,
                      std::vector<uint8_t>& referenceLine, int32_t& pendingBits, uint8_t& pendingByte);
// Group 4: every row two-dimensionally, the first against an all-white line.
// The finishing call writes the end of facsimile block (two end of line
// codes), pads the last byte and empties the reference line.
void CCITTEncodeG4(const uint8_t* row, int32_t width, TStream& stream, int32_t fillOrder, bool& abortFlag,
                   std::vector<uint8_t>& referenceLine, int32_t& pendingBits, uint8_t& pendingByte);
