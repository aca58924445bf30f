// Median-cut palette builder: recursive box splitting in a colour cube of 5
// bits per channel ("cells", number r5 shl 10 or g5 shl 5 or b5), and a
// 32768-entry table from cell to palette index.
#pragma once

#include <cstdint>
#include <memory>

#include "imaging/core/iebitmap.h"

struct TStdQuantState;
struct TStdQuantDeleter {
  void operator()(TStdQuantState* state) const;
};
using TStdQuantPtr = std::unique_ptr<TStdQuantState, TStdQuantDeleter>;

// Builds at most min(colors, 256) boxes from the ie24RGB bitmap (read up to
// 65535 x 65535 pixels) and writes their colours into palette[0..M-1].
TStdQuantPtr StdQuantCreate(TIEBitmap& bitmap, TRGB* palette, int32_t colors);
// color: packed red shl 16 or green shl 8 or blue. A cell outside every box gives 0.
int32_t StdQuantColorIndex(const TStdQuantState& state, uint32_t color);
// Number of boxes, that is of palette entries written.
int32_t StdQuantColorCount(const TStdQuantState& state);
void StdQuantFree(TStdQuantState* state);
