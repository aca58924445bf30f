// Drawing routines of the view that go through the library's antialiased
// canvas (iegdiplus.h): the interaction hint, the dimming around the
// navigator's frame and the two-colour frame.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rtl/types.h"

class TCanvas;
class TIECanvas;

// A light-yellow, half-transparent box of Arial 9 pt black text whose
// top-left is (x, y), raised to 0 and handed back. The box is as wide as the
// wider of text and referenceText plus 12 and as high as text plus 12; its
// body (x + 6, y + 6)-(x + box width, y + box height) is framed white at the
// left and top and gray at the right and bottom; the text starts at (x + 9, y + 9).
void IEDrawInteractionHint(TCanvas& canvas, int32_t& x, int32_t& y, const std::string& text,
                           const std::string& referenceText);

// Darkens the area (x, y, width, height) outside the rectangle (left, top,
// right, bottom) with black at alpha 150; nothing when left >= right or
// top >= bottom.
void IEDimOutsideRect(TCanvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height, int32_t left,
                      int32_t top, int32_t right, int32_t bottom);

// Left and top edges of (x1, y1)-(x2, y2) in the highlight colour, bottom and
// right edges in the shadow colour, with the canvas's pen in copy mode and
// solid (its width kept).
void IEDraw3DFrameGDIPlus(TIECanvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor highlight,
                          TColor shadow);
