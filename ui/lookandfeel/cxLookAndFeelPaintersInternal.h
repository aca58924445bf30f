// Drawing helpers shared by the files of the look-and-feel painters.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/rtl/types.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

// Glyph geometry never leaves the rectangle it is drawn for, however small.
class TClipTo {
public:
  TClipTo(TcxCanvas* c, const TRect& r) : c_(c) {
    c_->PushClipRegion();
    c_->IntersectClipRect(r.IsEmpty() ? TRect() : r);
  }
  ~TClipTo() { c_->PopClipRegion(); }
  TClipTo(const TClipTo&) = delete;
  TClipTo& operator=(const TClipTo&) = delete;

private:
  TcxCanvas* c_;
};

void FillSolid(TcxCanvas* c, const TRect& r, TColor color);
// Brush and pen in one colour, then the closed outline filled.
void SolidPolygon(TcxCanvas* c, const TPoint* points, int32_t count, TColor color);
// The cross of expand boxes: a horizontal bar, and a vertical one when collapsed.
void PaintExpandCross(TcxCanvas* c, const TRect& r, TColor color, bool expanded);
// The triangles beside a marked header's text, in clWindowText, below the
// control frame: kind 1 left, 2 right, 3 both.
void PaintHeaderSideMarks(TcxCanvas* c, const TRect& r, int32_t frameWidth, int32_t inset, uint8_t markKind);
// The content of a marked header: the parameters' colour, the text centred on one line.
TcxPainterContent MarkedHeaderContent(const TcxCustomDrawBackgroundEvent& customDraw, const TcxViewParams& params,
                                      TColor textColor, TFont* font, std::string_view text, const TRect& textRect);
// The header sort arrow of the given size, its legs and base drawn with the pen:
// the right leg in the light colour, the left leg in the dark one, the base
// light when ascending (at the bottom) and dark when descending (at the top).
void PaintSortArrowLines(TcxCanvas* c, const TRect& r, bool ascending, TPoint size, TColor light, TColor dark);
// The text of PaintContent, when there is one, in its text rect.
void PaintContentText(TcxCanvas* c, const TcxPainterContent& content);
