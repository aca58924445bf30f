// Internals of the smooth drawing engine (smooth.h): curve flattening, the
// stroker that turns a pen's path into outlines, and the coverage rasteriser.
// Everything here works in surface coordinates, doubles.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/types.h"

namespace win::smooth {

struct Pt {
  double x = 0;
  double y = 0;
};
// A closed outline; the last point connects back to the first.
using Contour = std::vector<Pt>;

// Largest distance between a flattened curve and the true one, in pixels.
constexpr double kFlatness = 0.05;

// Number of segments that keep an arc of the given sweep (radians) and
// radius within kFlatness of the circle.
int32_t ArcSegments(double radius, double sweep);

// Appends the points of an arc of the ellipse centred at (cx, cy) with radii
// rx, ry, from the direction startDeg through sweepDeg (degrees, clockwise on
// screen; directions seen from the centre), both ends included.
void AppendArc(std::vector<Pt>& out, double cx, double cy, double rx, double ry, double startDeg, double sweepDeg);

struct StrokeStyle {
  double width = 1;       // narrower pens stroke one pixel wide
  int32_t join = 0;       // SmoothLineJoin
  double miterLimit = 10;
  int32_t dash = 0;       // SmoothDashStyle
};

// Appends the outlines whose non-zero fill is the stroke of one figure.
// Repeated points are dropped; a figure of one distinct point draws nothing.
void StrokeFigure(const std::vector<Pt>& points, bool closed, const StrokeStyle& style, std::vector<Contour>& out);

// One row of coverage: pixels x0 .. x0 + count - 1 of row y, 0 (outside) to 1 (covered).
using CoverageRow = std::function<void(int32_t y, int32_t x0, const float* coverage, int32_t count)>;

// Scan-converts the contours within box (half-open, surface pixels) and
// hands every row that has any coverage to row, top to bottom. Antialiased:
// exact area per pixel; aliased: pixel centres (see smooth.h). Points must be
// finite.
void Rasterize(const std::vector<Contour>& contours, bool evenOdd, bool antialias, const TRect& box,
               const CoverageRow& row);

}  // namespace win::smooth
