// Drawing one image buffer into another: TIEBitmap::RenderToTIEBitmap and its
// wrappers (ierender.cpp), the per-format row renderers (ierenderrows.cpp)
// and TIEBitmap::StretchRectTo.
//
// The destination is an ie24RGB buffer (the view's back buffer); a
// destination of another format is left alone. A source rectangle is mapped
// onto a destination rectangle by nearest pixel through a column map and a
// row map (for each destination column / row of the area drawn, the source
// column / row), or, with a resampling filter and different sizes, resampled
// first into a temporary of the destination size and then drawn 1:1. On the
// way each pixel gets the source's display adjustments, its alpha channel or
// a global transparency, and the layer operation (ieblend.h):
//
//      source rect            destination rect
//   +-----------+          +---------------------+
//   | sx..      |  maps    | first..last column  |  rows first..last,
//   |           | -------> | (clipped to the     |  each through the
//   +-----------+          |  update area)       |  row renderer
//                          +---------------------+
//
// Tables (destination row addresses, column map, row map) may be handed in
// for reuse; those built by a call are freed by it or handed back, and are
// valid only for the geometry they were built for.
#pragma once

#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieblend.h"

// Arguments of the row renderers (TIEBitmap::StretchRows_* and StretchRowsAlpha_*).
struct TIEStretchRowsParams {
  // Destination row addresses by destination row index; rows outside the
  // area may be null.
  uint8_t* const* RowTable = nullptr;
  TIEBitmap* Dest = nullptr;
  // Alpha variants: a = min(transparency, source alpha); the source alpha is
  // the alpha channel's byte when UseAlpha, else TransparencyRow's (a row of
  // the source's width filled with the transparency).
  int32_t Transparency = 255;
  bool UseAlpha = false;
  const uint8_t* TransparencyRow = nullptr;
  // Source column of every destination column FirstColumn..LastColumn (entry
  // 0 for FirstColumn) and source row of every row FirstRow..LastRow; the
  // column map may be null where the ie24RGB block path needs none.
  const int32_t* ColumnMap = nullptr;
  const int32_t* RowMap = nullptr;
  int32_t SourceX = 0, SourceY = 0;
  int32_t DestX = 0, DestY = 0;
  int32_t FirstColumn = 0, FirstRow = 0, LastColumn = -1, LastRow = -1;
  // Source units per destination pixel, 14-bit fixed point (16384 = 1:1).
  int32_t XStep = 16384, YStep = 16384;
  // Copy the previous destination row when a row maps to the same source row.
  bool ReuseRows = false;
  uint8_t Operation = ieloCopy;  // a TIELayerOperation
};

// Contrast factor of the display adjustments: a 16.16 fixed-point gain.
int64_t IEContrastFactor(int32_t contrast);
