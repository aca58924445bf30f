// The hint box, the navigator dimming and the two-colour frame on the antialiased canvas.
#include "imaging/view/iecanvasdraw.h"

#include <algorithm>

#include "imaging/view/iegdiplus.h"
#include "platform/vcl/graphics.h"

void IEDrawInteractionHint(TCanvas& canvas, int32_t& x, int32_t& y, const std::string& text,
                           const std::string& referenceText) {
  TIECanvas c(canvas, true, true);
  c.Font()->SetName("Arial");
  c.Font()->SetSize(9);
  c.Font()->SetColor(clBlack);
  c.Brush()->SetColor(RGBColor(255, 255, 96));
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetTransparency(128);
  const int32_t bw = std::max(c.TextWidth(text), c.TextWidth(referenceText)) + 12;
  const int32_t bh = c.TextHeight(text) + 12;
  x = std::max(x, 0);
  y = std::max(y, 0);
  c.FillRect(TRect{x + 6, y + 6, x + bw, y + bh});
  // The text box's frame: top-left and bottom-left corners light, the other two dark.
  const int32_t x1 = x + 6, y1 = y + 6, x2 = x + bw - 1, y2 = y + bh - 1;
  c.Pen()->SetColor(clWhite);
  c.MoveTo(x1, y2);
  c.LineTo(x1, y1);
  c.LineTo(x2, y1);
  c.Pen()->SetColor(RGBColor(128, 128, 128));
  c.LineTo(x2, y2);
  c.LineTo(x1, y2);
  c.Brush()->SetStyle(bsClear);
  c.TextOut(x + 9, y + 9, text);
}

void IEDimOutsideRect(TCanvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height, int32_t left,
                      int32_t top, int32_t right, int32_t bottom) {
  if (left >= right || top >= bottom) return;
  TIECanvas c(canvas);
  c.Brush()->SetColor(clBlack);
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetTransparency(150);
  // Each strip loses a pixel at its right and bottom in the fill.
  c.FillRect(TRect{x, y, left + 2, y + height + 1});
  c.FillRect(TRect{right, y, x + width + 1, y + height + 1});
  c.FillRect(TRect{left + 1, y, right + 1, top + 2});
  c.FillRect(TRect{left + 1, bottom + 1, right + 1, y + height + 1});
}

void IEDraw3DFrameGDIPlus(TIECanvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor highlight,
                          TColor shadow) {
  canvas.Pen()->SetMode(pmCopy);
  canvas.Pen()->SetStyle(psSolid);
  canvas.Pen()->SetColor(highlight);
  canvas.MoveTo(x1, y2);
  canvas.LineTo(x1, y1);
  canvas.LineTo(x2, y1);
  canvas.Pen()->SetColor(shadow);
  canvas.MoveTo(x1, y2);
  canvas.LineTo(x2, y2);
  canvas.LineTo(x2, y1);
}
