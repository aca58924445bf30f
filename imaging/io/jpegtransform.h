// Lossless JPEG transforms: turning, flipping or cutting a JPEG by moving its
// DCT coefficient blocks (ISO/IEC 10918-1, A.3.3), so that nothing is decoded
// and no quality is lost.
//
// A block can only move whole. The unit of a transform is the iMCU: 8 x 8
// pixels times the largest sampling factors (16 x 16 for 4:2:0), or 8 x 8 for
// a one-component result. An edge unit that the picture covers only in part
// cannot change sides, so the transforms that would move it there drop it
// (trimming):
//
//   horizontal flip, rotate 90   the partial column at the right of the result
//   vertical flip, rotate 270    the partial row at the bottom of the result
//   transverse, rotate 180       both
//   none, transpose, cut         nothing
#pragma once

#include <cstdint>

#include "imaging/io/ieprogress.h"
#include "platform/rtl/types.h"

class TStream;

enum TIEJpegTransform : uint8_t {
  jtNone = 0,       // coefficients copied unchanged
  jtCut = 1,        // keeps the cut rectangle
  jtHorizFlip = 2,
  jtVertFlip = 3,
  jtTranspose = 4,  // across the upper-left to lower-right diagonal
  jtTransverse = 5, // across the upper-right to lower-left diagonal
  jtRotate90 = 6,   // clockwise
  jtRotate180 = 7,
  jtRotate270 = 8,
};

// Which extra markers travel with the picture.
enum : uint8_t {
  jcCopyNone = 0,
  jcCopyComments = 1,
  jcCopyAll = 2,  // comments and every APPn
};

// Transforms the JPEG found at Source's position (or within the 150 bytes
// after it) into Dest at its position. GrayScale keeps the luminance alone
// and is refused unless the source is YCbCr or grayscale. CutRect (inclusive
// corners, used by jtCut only) is clamped to the picture; the result starts
// at the unit holding its left and top edges and grows to whole units, never
// beyond the picture. With UpdateEXIF the result's EXIF block is rebuilt:
// orientation 1 (except for jtCut), the new pixel size and a new thumbnail.
//
// False, with nothing written to Dest, when no JPEG start is found, the data
// is broken or cut short, the request cannot be met (a cut rectangle outside
// the picture, empty or inverted; a picture that trimming would leave empty;
// grey from CMYK), or the EXIF block cannot be replaced. Errors of the JPEG
// library never leave this routine; an exception of the EXIF step's reload
// of the new picture does, after everything made is released.
bool JpegLosslessTransform(TStream& Source, TStream& Dest, TIEJpegTransform Transform, bool GrayScale,
                           uint8_t CopyMarkers, TRect CutRect, bool UpdateEXIF);

// The same, reporting failure through *Progress.Aborting (the only field
// used; a record without one aborts to a flag of its own).
void JpegTransformStream(TStream& Source, TStream& Dest, TIEProgressRecord& Progress, TIEJpegTransform Transform,
                         bool ForceGrayscale, uint8_t CopyMarkers, const TRect& CropRect, bool UpdateExif);
