// The least drawing of the bar painters that the bar manager's windows rely on.
#include "ui/bars/dxBarPainters.h"

#include "platform/vcl/graphics.h"
#include "platform/vcl/stdctrlspaint.h"

void TdxBarPainter::DropDownDrawBorder(win::HDC DC, TColor AColor, const TRect& R) {
  const int32_t b = DropDownBorderSize();
  // Four strips round the inside, so a clip that excludes the client area is not needed.
  const TRect inner{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  FillColorRect(DC, {inner.Left, inner.Top, inner.Right, inner.Top + b - 1}, AColor);
  FillColorRect(DC, {inner.Left, inner.Bottom - b + 1, inner.Right, inner.Bottom}, AColor);
  FillColorRect(DC, {inner.Left, inner.Top, inner.Left + b - 1, inner.Bottom}, AColor);
  FillColorRect(DC, {inner.Right - b + 1, inner.Top, inner.Right, inner.Bottom}, AColor);
  FillColorRect(DC, {R.Left, R.Top, R.Right, R.Top + 1}, clWindowFrame);
  FillColorRect(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, clWindowFrame);
  FillColorRect(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, clWindowFrame);
  FillColorRect(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, clWindowFrame);
}
