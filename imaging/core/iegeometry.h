// Geometry, fitting and sorting routines of the core unit: fitting an image
// size into a box, rotating point lists, point-in-polygon tests, distances to
// shape outlines (the vector objects' hit tests), a quicksort driven by
// callbacks and turning an image upright by its EXIF orientation.
//
// Rounding: "nearest" is round half to even; Trunc cuts toward zero. None keeps state.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/types.h"

class TIEBitmap;

// Where an image of the source size goes inside the box at (x, y). Any zero
// size gives the empty rectangle at (x, y). With a crop percentage p > 0 the
// fitted side is scaled as if p percent of it were cut away, unless the other
// side would then leave the box.
void IEFitRect(int32_t srcWidth, int32_t srcHeight, int32_t boxWidth, int32_t boxHeight, int32_t x, int32_t y,
               bool enlarge, bool shrink, bool centerHorz, bool centerVert, double cropPercentage, bool invert,
               TRect& rect);
// IEFitRect at (0, 0), shrinking allowed, no centring or cropping: the fitted size.
void IEFitSize(int32_t srcWidth, int32_t srcHeight, int32_t boxWidth, int32_t boxHeight, bool enlarge, bool invert,
               TSize& size);

// Rotates every point about (cx, cy) by `angle` degrees, counter-clockwise on
// screen (y down); the results are truncated toward zero.
void IERotatePoints(std::vector<TPoint>& points, int32_t cx, int32_t cy, double angle);
// Even-odd rule over the closed polygon; the top and left edges belong to it.
bool IEPointInPolygon(int32_t x, int32_t y, const std::vector<TPoint>& points);
// The same over the points mapped to the view: (p - origin) * scale + offset.
bool IEPointInScaledPolygon(int32_t x, int32_t y, const TPoint* points, int32_t count, int32_t originX,
                            int32_t originY, int32_t offsetX, int32_t offsetY, double scaleX, double scaleY);
// Distance to the outline of the ellipse inscribed in (x1, y1)-(x2, y2), or to
// its area when filled, over every pen offset.
double IEDistToEllipseOutline(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool filled,
                              int32_t penWidth);
// Distance to the rectangle's four edges over every pen offset; 0 inside when filled.
double IEDistToRectOutline(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool filled,
                           int32_t penWidth);

// The sort's callbacks reach the container being sorted: compare (i, j) is
// negative, zero or positive as item i sorts before, with or after item j.
using TIECompareCallback = std::function<int32_t(int32_t i, int32_t j)>;
using TIEExchangeCallback = std::function<void(int32_t i, int32_t j)>;
// Quicksort of the items low..high, middle pivot, not stable.
void IEQuickSortByCallbacks(int32_t low, int32_t high, const TIECompareCallback& compare,
                            const TIEExchangeCallback& exchange);
// Sorts items 0..count-1; nothing for count <= 0.
void IESortByCallbacks(int32_t count, const TIECompareCallback& compare, const TIEExchangeCallback& exchange);

// Turns the image (and its alpha channel) upright by its EXIF orientation,
// undoing what the value says about the stored rows: 2 mirror left-right,
// 3 half turn, 4 mirror top-bottom, 5 transpose (column x, row y goes to
// column y, row x), 6 quarter turn clockwise, 7 transpose about the other
// diagonal, 8 quarter turn counter-clockwise. 1 and any other value: nothing.
void IEApplyExifOrientation(TIEBitmap& bitmap, int32_t orientation);
// The image operations behind it, for every pixel format.
// Left-right (direction 0) or top-bottom (1), with the alpha channel.
void IEFlipBitmap(TIEBitmap& bitmap, uint8_t direction);
// A quarter turn, counter-clockwise on screen unless clockwise, with the alpha channel.
void IERotateBitmap90(TIEBitmap& bitmap, bool clockwise);
