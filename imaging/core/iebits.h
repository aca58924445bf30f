// Bit, byte and number routines shared by the image buffer, the format readers
// and writers, image processing and the view: row-length arithmetic, bit and
// byte order, bit-mask analysis, a power function, a tolerant number parser,
// fractions for rational tags, a checked stream write, font-style bits and
// identifier comparison. None keeps state.
#pragma once

#include <cstdint>
#include <string_view>

#include "imaging/core/iebitmap.h"
#include "platform/classes/streams.h"
#include "platform/gdi/gdi.h"
#include "platform/rtl/object.h"
#include "platform/vcl/graphics.h"

// Bytes per row of `width` pixels of `bitsPerPixel` bits, padded to `alignment`
// bits (32 for every buffer of the library unless set otherwise). Computed in
// 64 bits so that no width can wrap the result; 0 for a width or depth below 1
// and for an alignment that is not a positive multiple of 8.
int64_t IEBitmapRowLen(int32_t width, int32_t bitsPerPixel, int32_t alignment);

// Bits per pixel of a platform pixel format (0 for pfDevice and pfCustom).
int32_t IEVclPixelFormatBitCount(TPixelFormat format);
// pf1bit -> ie1g; pf4bit, pf8bit -> ie8p; any other -> ie24RGB.
TIEPixelFormat IEVclPixelFormatToIE(TPixelFormat format);
// Row length of a platform bitmap of that width and format (32-bit rows).
int64_t IEVclRowLen(int32_t width, TPixelFormat format);

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

// Settings of one scroll bar of the view.
class TIEScrollBarParams : public TObject {
  DX_CLASS(TIEScrollBarParams, TObject)
public:
  int32_t LineStep() const { return lineStep_; }
  void SetLineStep(int32_t v) { lineStep_ = v; }
  int32_t PageStep() const { return pageStep_; }
  void SetPageStep(int32_t v) { pageStep_ = v; }
  bool Tracking() const { return tracking_; }
  void SetTracking(bool v) { tracking_ = v; }

private:
  int32_t lineStep_ = -1;  // -1: one row or column
  int32_t pageStep_ = -1;  // -1: the view's extent
  bool tracking_ = true;
};

// Settings of the view's mouse wheel.
class TIEMouseWheelParams : public TObject {
  DX_CLASS(TIEMouseWheelParams, TObject)
public:
  bool WheelInvertDirection() const { return wheelInvertDirection_; }
  void SetWheelInvertDirection(bool v) { wheelInvertDirection_ = v; }
  // 0 nothing, 1 scroll, 2 zoom.
  uint8_t WheelAction() const { return wheelAction_; }
  void SetWheelAction(uint8_t v) { wheelAction_ = v; }
  // 0 absolute, 1 percentage.
  uint8_t WheelVariation() const { return wheelVariation_; }
  void SetWheelVariation(uint8_t v) { wheelVariation_ = v; }
  int32_t WheelValue() const { return wheelValue_; }
  void SetWheelValue(int32_t v) { wheelValue_ = v; }
  bool WheelZoomAtCursor() const { return wheelZoomAtCursor_; }
  void SetWheelZoomAtCursor(bool v) { wheelZoomAtCursor_ = v; }

private:
  bool wheelInvertDirection_ = false;
  uint8_t wheelAction_ = 2;
  uint8_t wheelVariation_ = 1;
  int32_t wheelValue_ = 8;
  bool wheelZoomAtCursor_ = false;
};
