// Point, segment and angle routines on integer coordinates: hit tests of the
// view and the vector objects, measurement angles and 45-degree snapping.
//
// Coordinates are screen coordinates, y growing downward. Angles are radians.
// None keeps state.
#pragma once

#include <cstdint>

#include "platform/rtl/types.h"

// Bounds inclusive.
bool IEPointInRect(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom);
// The corners may come in any order.
bool IEPointInNormalizedRect(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// False only when the box spanned by the two points lies wholly outside the rectangle.
bool IESegmentBoxIntersectsRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t left, int32_t top,
                                int32_t right, int32_t bottom);
void IEExtendRectToPoint(TRect& rect, int32_t x, int32_t y);
// Scales width x height into the box, enlarging as well as reducing; each side
// at least 1. Nothing when width or height is 0.
void IEFitKeepingAspect(int32_t width, int32_t height, int32_t boxWidth, int32_t boxHeight, int32_t& newWidth,
                        int32_t& newHeight);

long double IEPointDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Distance to the infinite line through p1 and p2.
long double IEDistPointToLine(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Distance to the segment p1 p2; 1,000,000 when the point lies 45,001 or more
// beyond an end in either direction (the hit tests' "far away").
long double IEDistPointToSegment(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Smallest distance to the polyline whose vertices map to the screen as
// (Round(zoomX * (px - originX) + offsetX), Round(zoomY * (py - originY) + offsetY)).
// A pen width from 4 on adds shifted copies of every segment.
long double IEDistPointToPolyline(int32_t x, int32_t y, const TPoint* points, int32_t count, int32_t originX,
                                  int32_t originY, int32_t offsetX, int32_t offsetY, double zoomX, double zoomY,
                                  int32_t penWidth, bool closed);

long double IEArcTan2(long double y, long double x);
// ArcTan2(sqrt(1 - v^2), v); 0 for both v = 1 and v = -1.
long double IEArcCos(long double v);
// Angle between the directions p1->p2 and p2->p3; 0 when either has length 0.
long double IESegmentsAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
// Direction of p1->p2 in [0, 2 pi), counter-clockwise on screen: right 0, up pi/2.
long double IELineAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// 1, -1 or 0 by the turn p1 -> p2 -> p3 and, for collinear points, their order.
int32_t IEPointsOrientation(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
// Angle at vertex p2 in [0, 2 pi).
long double IEVertexAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);

// Moves (x, y) so that the line from the anchor becomes vertical, horizontal or diagonal.
void IESnapTo45Degrees(int32_t anchorX, int32_t anchorY, int32_t& x, int32_t& y);
