// Drop shadows and two-colour frames drawn around an image on a canvas.
//
// Strips (x1..x2 and y1..y2 are inclusive): the right strip starts at the
// image's right edge, its columns beginning w rows down and reaching one row
// further for each column outward; the bottom strip is the same transposed,
// so the two meet in a rounded corner:
//
//   +--------+
//   |        |#       right strip, darkest next to the image
//   | image  |##
//   |        |###
//   +--------+####
//      ########       bottom strip
//       ########
//
// The bitmap passed with a canvas is the 24-bit platform bitmap behind it (or
// null); the soft kind changes the pixels inside it in place and the rest
// through the canvas, which clips what lies off its surface.
#pragma once

#include <cstdint>

#include "platform/rtl/types.h"

class TBitmap;
class TCanvas;

// The strip x1..x2 to the right of an image whose right edge is at x1, rows
// y1..y2; w = x2 - x1 + 1. Kind 1: the canvas's current brush fills
// (x1, y1 + w)-(x2, y2 + 1), right and bottom exclusive. Kind 2: column f is
// darkened by e^(-0.1 - l^2 / 6), l = (w - f) / (w / 3), over rows y1 + w ..
// y2 + f - w + 3. Kind 3: a gray gradient, lighter outward, with a per-row
// floor. Other kinds: nothing. The colour is not used.
void IEDrawRightShadow(TCanvas& canvas, TBitmap* bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                       int32_t kind, TColor color);
// The strip y1..y2 below an image whose bottom edge is at y1, the right strip
// transposed; h = y2 - y1 + 1. Kind 1 fills (x1 + h, y1)-(x2 + 1, y2).
void IEDrawBottomShadow(TCanvas& canvas, TBitmap* bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                        int32_t kind, TColor color);
// Darkens a 24-bit bitmap around the rectangle (x1, y1)-(x2, y2) (right and
// bottom exclusive) by a blurred mask that reaches 5 pixels out (the shadow
// falls 3 pixels further right and down); the rectangle itself is untouched.
// Other pixel formats: nothing. The colour is not used.
void IEDrawSoftShadow(TBitmap& bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor color);
// A 1-pixel frame with the solid pen in copy mode: highlight on the left edge
// (drawn from (x1, y2) up) and the top, shadow on the bottom (from (x1, y2))
// and the right edge (up to (x2, y1)). Lines leave out their end points.
void IEDraw3DFrame(TCanvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor highlight,
                   TColor shadow);
