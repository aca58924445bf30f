// Rotation by any angle and flipping of image buffers.
//
// Angles are degrees; positive angles turn the image counter-clockwise on the
// screen (rows are numbered downward). Every engine enlarges the image to the
// bounding box of the turned image and gives the uncovered corners the
// background; quarter turns are exact copies. The engines:
//
//   RotateByShears24 / 8     quarter turns, then three shears (x, y, x) with
//                            optional fixed-point antialiasing (24- / 8-bit)
//   Rotate1Bit               1-bit: exact quarter turns, else nearest pixel
//   RotateGray8Nearest       the same with bytes
//   RotateInterpolated24 / 8 inverse mapping, bilinear (quality 1) or bicubic (2)
//   RotateAnyFormat          every format: exact quarter turns, else nearest
//                            inverse mapping through RotateIntoBitmap
//
// An engine replaces the bitmap's pixels and size and keeps its format and
// palette; an alpha channel that no longer fits the new size is removed
// (IERotate turns the alpha channel along with the image).
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iecolorconv.h"  // TIEProcProgress
#include "platform/rtl/types.h"

// Quarter-turn copies into dest (allocated here with swapped sides):
// clockwise dest(x, y) = source(y, h - 1 - x), counter-clockwise
// dest(x, y) = source(w - 1 - y, x). 24: ie24RGB sources, 8: one byte per pixel.
void Rotate90CW24(TIEBitmap& source, TIEBitmap& dest);
void Rotate90CCW24(TIEBitmap& source, TIEBitmap& dest);
void Rotate90CW8(TIEBitmap& source, TIEBitmap& dest);
void Rotate90CCW8(TIEBitmap& source, TIEBitmap& dest);

// ie24RGB (ie1g images go to Rotate1Bit, with background bit 1 when all three
// bytes of the background are non-zero). The angle is used to 1/1000 degree.
void RotateByShears24(TIEBitmap& bitmap, bool antiAlias, const TIEProcProgress& progress, TRGB background,
                      double angle);
// ie8g and ie8p (background: a gray value or palette index); other formats are left alone.
void RotateByShears8(TIEBitmap& bitmap, bool antiAlias, uint8_t background, const TIEProcProgress& progress,
                     double angle);
// ie1g only; other angles than quarter turns use sine and cosine truncated to 1/10000.
void Rotate1Bit(TIEBitmap& bitmap, bool backgroundBit, const TIEProcProgress& progress, double angle);
// ie8g and ie8p, by the rule of Rotate1Bit.
void RotateGray8Nearest(TIEBitmap& bitmap, uint8_t background, double angle);
// Quality 1 bilinear, 2 bicubic (other values: bilinear).
void RotateInterpolated24(TIEBitmap& bitmap, TRGB background, int32_t quality, const TIEProcProgress& progress,
                          double angle);
void RotateInterpolated8(TIEBitmap& bitmap, uint8_t background, int32_t quality, double angle);
// Background as TIEBitmap::Fill takes it: a gray value, or a 0x00BBGGRR colour
// for colour formats (1-bit images get 0).
void RotateAnyFormat(TIEBitmap& bitmap, double background, const TIEProcProgress& progress, double angle);
// Allocates dest in the source's format at the turned size and fills it.
void RotateIntoBitmap(TIEBitmap& source, TIEBitmap& dest, double background, const TIEProcProgress& progress,
                      double angle);

// Mirrors the image and its alpha channel: direction 0 left to right, 1 top to bottom.
void FlipBitmap(TIEBitmap& bitmap, uint8_t direction);

// Rotates an image and its alpha channel the way the processing component
// does (without undo): angle 0 does nothing; without antialiasing, or for
// formats other than ie24RGB and ie1g, RotateAnyFormat; with antialiasing, a
// quality other than 0 and an angle that is not a multiple of 90, an ie24RGB
// image is rotated by RotateInterpolated24; otherwise by the shears. The
// background is a platform colour; the alpha channel's new area is 0.
void IERotate(TIEBitmap& bitmap, double angle, bool antiAlias, int32_t quality, TColor background,
              const TIEProcProgress& progress = {});
