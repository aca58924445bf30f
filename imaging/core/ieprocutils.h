// Small stateless routines that the whole image library shares: rounding, clamping and ordering of numbers, colour packing and
// conversion, gray level, HSL, nearest palette entry, and bit access in 1-bit
// rows (bit 7 of byte 0 is pixel 0).
//
// A colour packed in one 32-bit value is red shl 16 or green shl 8 or blue
// ("packed RGB"); a TColor is the platform's 0x00BBGGRR (system colours have
// the high byte 0xFF).
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "platform/rtl/types.h"

// Trunc(x) + 1 when the fractional part is positive / Trunc(x) - 1 when it is negative.
int64_t IECeil(long double x);
int64_t IEFloor(long double x);
inline int32_t IEMin(int32_t a, int32_t b) { return a < b ? a : b; }
inline int32_t IEMax(int32_t a, int32_t b) { return a > b ? a : b; }
// The first argument on a tie.
inline double IEMinFloat(double a, double b) { return b < a ? b : a; }
inline double IEMaxFloat(double a, double b) { return b > a ? b : a; }
// Min when value <= min, else value when value < max, else max (min wins when they cross).
inline int32_t IEClamp(int32_t value, int32_t min, int32_t max) {
  return value <= min ? min : value < max ? value : max;
}
inline int32_t ClampByte(int32_t value) { return value < 0 ? 0 : value > 255 ? 255 : value; }
inline void IESwap(int32_t& a, int32_t& b) {
  const int32_t t = a;
  a = b;
  b = t;
}
inline void IESwapBytes(uint8_t& a, uint8_t& b) {
  const uint8_t t = a;
  a = b;
  b = t;
}
// Makes x1 <= x2 and y1 <= y2.
void OrderCorners(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);
// True for a whole number of degrees that is a multiple of 90.
bool IsMultipleOf90(double angle);

inline TRGB CreateRGB(uint8_t r, uint8_t g, uint8_t b) { return TRGB{b, g, r}; }
// C in the lowest byte, K in the highest.
inline uint32_t CreateCMYK(uint8_t c, uint8_t m, uint8_t y, uint8_t k) {
  return uint32_t(c) | uint32_t(m) << 8 | uint32_t(y) << 16 | uint32_t(k) << 24;
}
// A platform colour (system colours resolved) as a pixel.
TRGB ColorToTRGB(TColor color);
// The resolved colour as AARRGGBB, the colour form of GDI+.
uint32_t ColorToARGB(TColor color, uint8_t alpha);
// Bytes 0 and 2 exchanged, byte 3 cleared: packed RGB to TColor order and back.
inline uint32_t SwapRedBlue(uint32_t value) { return (value & 0xFF) << 16 | (value & 0xFF00) | ((value >> 16) & 0xFF); }
// The library's gray level of a packed colour.
int32_t RGBToGray(uint32_t packed);
inline bool EqualRGB(uint32_t a, uint32_t b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); }
// The entry with the smallest sum of absolute channel differences; the first
// wins a tie; 0 when count is 0.
int32_t NearestPaletteIndex(const TRGB* palette, int32_t count, uint32_t packed);
// Hue, saturation and lightness 0..1 of a packed colour.
void RGBToHSL(uint32_t packed, double& h, double& s, double& l);
// Hue wrapped once into 0..1; saturation and lightness clamped.
void HSLToRGB(TRGB& pixel, double h, double s, double l);

inline bool GetBit(const uint8_t* row, int32_t n) { return (row[n >> 3] & (0x80 >> (n & 7))) != 0; }
void SetBit(uint8_t* row, int32_t n, bool value);
void CopyBitsOneByOne(uint8_t* dest, const uint8_t* source, int32_t destStart, int32_t count, int32_t sourceStart);
// Copies a run of count bits between bit offsets, keeping the destination bits
// before and after it; at most sourceBytes bytes of the source are read.
// Nothing when count < 1 or an offset is negative.
void CopyBitRun(uint8_t* dest, const uint8_t* source, int32_t destStart, int32_t sourceBytes, int32_t count,
                int32_t sourceStart);
void InvertBuffer(void* buffer, int32_t length);
// Complements the pixel bytes of every row.
void InvertBitmapBits(TIEBitmap& bitmap);
// Exchanges the first and third byte of count 3-byte pixels, in place or while copying.
void SwapRBRow(void* row, int32_t count);
void CopySwapRB(void* dest, const void* source, int32_t count);
