// Pixel-format conversion of TIEBitmap (TIEBitmap::CopyAndConvertFormat and
// ConvertToFormat, in iebitmapconvert.cpp), and the routines of the processing
// unit that the core's pixel code calls.
//
// The core may not include the processing unit, yet the conversion needs its
// quantizer and bi-level routines and the rectangle copy its bit-run copy. The
// processing unit installs them in IEProcessingHooks when it starts (and
// whenever IEProcessingInstallHooks is called); an entry left null makes the
// operation that needs it do nothing.
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieglobals.h"

struct TIEProcessingHooks {
  // Copies count bits, most significant first, from bit sourceStart of source
  // to bit destStart of dest, keeping the destination bits around the run; at
  // most sourceBytes bytes of the source are read.
  void (*CopyBitRun)(uint8_t* dest, const uint8_t* source, int32_t destStart, int32_t sourceBytes, int32_t count,
                     int32_t sourceStart) = nullptr;
  // Copies count 3-byte pixels, exchanging their first and third bytes.
  void (*CopySwapRB)(void* dest, const void* source, int32_t count) = nullptr;
  // Writes the bi-level image of the source into dest (ie1g, same size);
  // threshold -1: the gray level of the image's average colour.
  void (*ThresholdTo1Bit)(TIEBitmap& source, TIEBitmap& dest, int32_t threshold) = nullptr;
  // ie24RGB to ie1g in place: 8 x 8 ordered dither, or a threshold.
  void (*DitherToBilevel)(TIEBitmap& bitmap) = nullptr;
  void (*ThresholdToBilevel)(TIEBitmap& bitmap, int32_t threshold) = nullptr;
  // A monochrome platform bitmap as a 24-bit one of the same size.
  void (*Expand1BitTBitmapTo24)(TBitmap& source, TBitmap& dest) = nullptr;
  // The colour quantizer over an ie24RGB (or palette or gray) source: writes
  // up to `colors` palette entries and gives a handle for the index lookups.
  void* (*QuantizerCreate)(TIEBitmap& source, TRGB* palette, int32_t colors) = nullptr;
  // Palette indexes of count blue-green-red pixels (an index outside 0..255 becomes 0).
  void (*QuantizerRowToIndexes)(void* quantizer, const TRGB* pixels, uint8_t* indexes, int32_t count) = nullptr;
  void (*QuantizerFree)(void* quantizer) = nullptr;

  // HSL of a colour packed as red shl 16 or green shl 8 or blue (layer
  // operations 34..37), and back into a pixel.
  void (*RGBToHSL)(uint32_t packed, double& h, double& s, double& l) = nullptr;
  void (*HSLToRGB)(TRGB& pixel, double h, double s, double l) = nullptr;
  // The resamplers of the filtered drawing; dest is allocated at the target
  // size. ResampleEx: the filtered colour path (the result is ie24RGB);
  // Resample1BitEx: an ie1g source into ie24RGB, or into ie1g for the
  // projections; ResampleGray8: alpha channels.
  void (*ResampleEx)(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter) = nullptr;
  void (*Resample1BitEx)(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter) = nullptr;
  void (*ResampleGray8)(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter) = nullptr;
  // Box average of the inclusive source rectangle of an ie1g image into the
  // whole of an ie24RGB dest, as gray.
  void (*Average1BitToGray)(TIEBitmap& source, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            TIEBitmap& dest) = nullptr;
  // Nearest-pixel stretch of the whole source into dest (same format); the
  // resampling of a whole image, alpha channel included; a rotated copy
  // (background: a gray value or a 0x00BBGGRR colour, as Fill takes it).
  void (*IEBmpStretchEx)(TIEBitmap& source, TIEBitmap& dest) = nullptr;
  void (*ResampleBitmap)(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter) = nullptr;
  void (*RotateIntoBitmap)(TIEBitmap& source, TIEBitmap& dest, double background, double angle) = nullptr;
  // Gaussian blur in place of the inclusive rectangle (x1, y1)-(x2, y2) of an
  // ie8g image (note the argument order); other formats or radius <= 0: nothing.
  void (*GaussianBlurGray8)(TIEBitmap& bitmap, int32_t x1, int32_t y1, double radius, int32_t y2,
                            int32_t x2) = nullptr;
};
extern TIEProcessingHooks IEProcessingHooks;

// Switches of the colour quantizer, both set to -1 by the I/O unit's start-up.
// Method: -1 automatic (median cut below 128 colours, else NeuQuant), 0
// NeuQuant, 1 median cut. Quality: -1 automatic by pixel count, else 0..100.
extern int32_t IEQuantizerMethod;
extern int32_t IEQuantizerQuality;
// The quality switch under the name the I/O unit's defaults give it.
inline int32_t& IENeuQuantSampling = IEQuantizerQuality;

// Installs the conversion as IEBitmapHooks.ConvertToFormat, so that
// TIEBitmap::SetPixelFormat converts.
void IEInstallPixelFormatConversion();

// The 8 x 8 ordered-dither matrix, indexed [x mod 8][y mod 8]; a pixel of gray
// level g becomes white when the entry is below g shr 2.
extern const uint8_t IEDitherMatrix[8][8];
