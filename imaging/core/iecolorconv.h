// Colour and bit-depth conversion routines: gray,
// colour reduction through the quantizer, bi-level images (ordered dither and
// thresholds), two-colour detection, histogram matching, row bit-depth
// conversion for the writers, YUV rows, and platform monochrome bitmaps.
//
// Progress is reported as a whole percentage through an optional callback;
// the caller binds its sender (and abort flag) into it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "imaging/core/iebitmap.h"

class TIEQuantizer;
class TBitmap;

using TIEProcProgress = std::function<void(int32_t percent)>;

// Passes a percentage on only when it changed since the last call, so loops
// can report every row without flooding the handler.
class TIEProgressReporter {
public:
  explicit TIEProgressReporter(const TIEProcProgress& p) : p_(p) {}
  void operator()(int32_t percent) {
    if (!p_ || percent == last_) return;
    last_ = percent;
    p_(percent);
  }

private:
  const TIEProcProgress& p_;
  int32_t last_ = -1;
};

// ie24RGB only: columns x1 .. min(x2, width) - 1 of rows y1 .. min(y2, height) - 1
// get their gray level in all three channels.
void GrayscaleRect24(TIEBitmap& bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     const TIEProcProgress& progress = {});
// ie24RGB only: every pixel becomes the quantizer's palette colour for it.
// palette: numColors entries to fill, or null for a temporary one.
void ReduceColors24(TIEBitmap& bitmap, int32_t numColors, TRGB* palette, const TIEProcProgress& progress = {});
// ie24RGB only, to ie1g in place: 8 x 8 ordered dither of the gray level
// (pixels with every channel at least 251 always white).
void DitherToBilevel(TIEBitmap& bitmap, const TIEProcProgress& progress = {});
// ie24RGB only, to ie1g in place through ThresholdTo1Bit.
void ThresholdToBilevel(TIEBitmap& bitmap, int32_t threshold, const TIEProcProgress& progress = {});
// Writes the bi-level image of any source into dest, an ie1g buffer of the
// source's size (else nothing): a level below the threshold is black.
// Threshold -1: the gray level of the average colour; -2: the maximum-entropy
// threshold. An ie1g source is copied.
void ThresholdTo1Bit(TIEBitmap& source, TIEBitmap& dest, int32_t threshold, const TIEProcProgress& progress = {});
// The maximum-entropy threshold of the per-format gray levels; -2 when no
// score is positive.
int32_t MaxEntropyThreshold(TIEBitmap& bitmap);
// Average red, green and blue levels (per-row averages, averaged); 128 each for an empty image.
void GetAverageRGB(TIEBitmap& bitmap, int32_t& r, int32_t& g, int32_t& b);
// A new ie1g image when the image holds exactly two colours (bit 0 = color0,
// the darker), else null.
std::unique_ptr<TIEBitmap> MakeBilevelFromTwoColors(TIEBitmap& bitmap, TRGB& color0, TRGB& color1);
// Makes each channel of an ie24RGB or ieRGB48 bitmap follow the histogram of
// the ie24RGB reference.
void MatchHistograms(TIEBitmap& reference, TIEBitmap& bitmap);
// Converts one row of width pixels from srcBits to dstBits (1, 4, 8, 24; 32 to
// 24) and returns the bytes of a dstBits row. Palette reads (to 24 bits) see
// paletteCount entries; indexes past them give black. 24 to 4 or 8 bits needs
// the quantizer; 4-bit output is ORed into dst, which the caller clears first.
int32_t ConvertRowBitDepth(const uint8_t* src, uint8_t* dst, int32_t srcBits, TIEQuantizer* quantizer,
                           const TRGB* palette, int32_t paletteCount, uint16_t width, int32_t dstBits);
// One YUV sample to blue-green-red.
void YUVToRGBPixel(int32_t y, int32_t u, int32_t v, TRGB& pixel);

// Fills every row of an allocated ie24RGB bitmap from YUV data of the layout a
// FOURCC names; the first data row goes to row 0 when topDown, else to the
// last row. Reads at most dataSize bytes; pixels without data stay as they are.
// False for a FOURCC without a converter.
bool YUVToBitmap(std::string_view fourcc, const uint8_t* data, int64_t dataSize, TIEBitmap& bitmap, bool topDown);

// The 256 x 24-byte table: entry i is 8 pixels of 3 bytes, 255 where bit
// 0x80 >> j of i is set, else 0. Built on first use (and by the unit's start-up).
const uint8_t (&IEBitExpansionTable())[256][24];
// A monochrome platform bitmap into a pf24bit one of the same size.
void Expand1BitTBitmapTo24(TBitmap& source, TBitmap& dest, const TIEProcProgress& progress = {});
// Copies size, pixel format and pixels of a platform bitmap.
void CopyTBitmap(TBitmap& source, TBitmap& dest);
std::unique_ptr<TBitmap> CloneTBitmap(TBitmap& source);
