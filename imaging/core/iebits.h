// Bit, byte and number routines shared by the image buffer, the format readers
// and writers, image processing and the view: row-length arithmetic, bit and
// byte order, bit-mask analysis, a power function, a tolerant number parser,
// fractions for rational tags, a checked stream write, font-style bits and
// identifier comparison. None keeps state.
#pragma once

#include <cstdint>
#include <string_view>

class TStream;  // platform/classes/streams.h
namespace win {
struct LOGFONT;  // platform/gdi/gdi.h
}

// Bytes per row of `width` pixels of `bitsPerPixel` bits, padded to `alignment`
// bits (32 for every buffer of the library unless set otherwise). Computed in
// 64 bits so that no width can wrap the result; 0 for a width or depth below 1
// and for an alignment that is not a positive multiple of 8.
int64_t IEBitmapRowLen(int32_t width, int32_t bitsPerPixel, int32_t alignment);

// Length of the run of set bits starting at the lowest set bit (bit 31 counts
// only when bits 0..30 are clear); 0 for 0. 0x07E0 gives 6.
int32_t IEMaskBitWidth(uint32_t mask);
// Bits needed for n colours: log2 for a power of two, else the index of the
// highest set bit + 1; -1 for 0.
int32_t IEBitsForColorCount(uint32_t n);

void IEReverseBitsInByte(uint8_t& b);
void IEReverseBits32(uint32_t& v);
// Exchanges the two bytes of the low 16 bits; the upper 16 bits stay.
uint32_t IEByteSwap16(uint32_t v);
void IEByteSwap16Array(uint16_t* words, int32_t n);
uint32_t IEByteSwap32(uint32_t v);

// base ** exponent; integer exponents by repeated squaring (0 ** n is 0 for
// every n but 0), others through 2 ** (exponent * log2(base)).
long double IEPower(double base, double exponent);
// The text as a number with the current format settings; when that fails,
// again with its first "," turned into "." (or its first "." into ","); else def.
long double IEStrToFloatDefAnySeparator(std::string_view text, long double def);
// Numerator and denominator (32 bits each) whose quotient lies within
// `precision` of `value`, by continued fractions. Values beyond what 32 bits
// hold saturate at +-999999999 / 1; below 1e-19 they become +-1 / 999999999.
void IEFloatToRational(int32_t& numerator, int32_t& denominator, double value, double precision);

// Version class of the operating system: 0..8 name historic Windows releases;
// every other system, this one included, is 9.
int32_t IEGetWindowsVersion();
// True when the processor has the MMX instructions.
bool IEHasMMX();

// Style bits of a logical font: 1 bold (weight >= 700), 2 italic, 4 underline,
// 8 strike-out; 0 for null.
uint8_t IEFontStyleBits(const win::LOGFONT* font);
// True when the two 16-byte identifiers are byte-wise equal.
bool IEEqualGUID(const void* a, const void* b);
// Writes the block; a short write sets `error`, which is never cleared here,
// so a writer can check once at its end.
void IEStreamWriteChecked(TStream& stream, bool& error, const void* data, int32_t length);
