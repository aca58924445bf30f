// How the base painter draws toolbar windows: their backgrounds, the
// separators between item groups, the size grip of status-like bars and,
// for toolbar windows, the non-client sizes, the floating caption and the
// mark. Every operation leaves the DC's objects, clip region and background
// mode as it found them, and draws nothing outside the rectangle it is given.
#include <algorithm>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarPainters.h"

using namespace win;

namespace {

TBitmap* ManagerBarBitmap(TCustomdxBarControl* ABarControl) {
  TdxBarManager* m = ABarControl ? ABarControl->GetBarManager() : nullptr;
  TdxBarBackgrounds* backgrounds = m ? m->Backgrounds() : nullptr;
  return backgrounds ? backgrounds->Bar() : nullptr;
}

bool IsNotEmpty(TBitmap* ABitmap) { return ABitmap && !ABitmap->Empty(); }

bool ThemesOn(TCustomdxBarControl* ABarControl) {
  TdxBarManager* m = ABarControl ? ABarControl->GetBarManager() : nullptr;
  return m && m->VisualStylesAvailable();
}

// The window's own background in R, as its background routine paints it.
void WindowBackground(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!R.IsEmpty()) ABarControl->DrawBackground(DC, R, false, clNone, ABarControl->GetBackgroundBrush());
}

// A strip of the bar background: the brush when one is given, else the window's own.
void BackgroundStrip(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R, HBRUSH ABrush) {
  if (R.IsEmpty()) return;
  if (ABrush)
    FillRect(DC, &R, ABrush);
  else if (ABarControl)
    WindowBackground(ABarControl, DC, R);
}

}  // namespace

// ---------------------------------------------------------------- backgrounds

void TdxBarPainter::BarFillClient(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  ABarControl->DrawBackground(DC, R, false, clNone, ABarControl->GetBackgroundBrush());
}

// AColor is the bar's own colour: clDefault and clNone leave the choice to
// the bar's place.
void TdxBarPainter::BarDrawBackgroundBitmap(TCustomdxBarControl* ABarControl, HDC DC, const TRect& ADest,
                                            const TRect& ASource, HBRUSH ABrush, TColor AColor) {
  if (!ABarControl || !DC || ADest.IsEmpty()) return;
  if (TBitmap* own = ABarControl->GetBackgroundBitmap(); IsNotEmpty(own)) {
    TileBitmap(DC, ADest, ASource, own);
    return;
  }
  if (ABarControl->IsBorderlessBottomBar() && !IsNotEmpty(ManagerBarBitmap(ABarControl))) {
    // The whole window is painted, the destination's clip keeps it in place.
    const int saved = SaveDC(DC);
    IntersectClipRect(DC, ADest.Left, ADest.Top, ADest.Right, ADest.Bottom);
    BarDrawBackgroundPart(ABarControl, DC, TRect(0, 0, ABarControl->Width(), ABarControl->Height()), ABrush);
    RestoreDC(DC, saved);
    return;
  }
  if (AColor != clDefault && AColor != clNone) {
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(AColor)));
    FillRect(DC, &ADest, brush);
    DeleteObject(brush);
    return;
  }
  BarFillBackground(ABarControl, DC, ADest, ASource, ABrush, AColor);
}

void TdxBarPainter::BarFillBackground(TCustomdxBarControl* ABarControl, HDC DC, const TRect& ADest,
                                      const TRect& ASource, HBRUSH ABrush, TColor AColor) {
  if (!DC || ADest.IsEmpty()) return;
  FillRectWithBitmapOrColor(DC, ADest, ASource, ManagerBarBitmap(ABarControl), AColor, ABrush);
}

void TdxBarPainter::BarDrawBackgroundPart(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R, HBRUSH ABrush) {
  if (!DC || R.IsEmpty()) return;
  // The base has no native look; the painter that has one draws it here.
  (void)ABarControl;
  if (ABrush) FillRect(DC, &R, ABrush);
}

// ---------------------------------------------------------------- separators

// AHorizontal: a horizontal line, the separator of a vertical bar.
//
//   vertical bar (AHorizontal)      horizontal bar
//   +------------+ indent           +--+--+--+
//   |============| etched top       |  |# |  |  indent | etched left | indent
//   +------------+ indent           +--+--+--+
void TdxBarPainter::BarDrawSeparator(TCustomdxBarControl* ABarControl, HDC DC, TRect R, HBRUSH ABrush,
                                     bool AHorizontal) {
  if (!DC || R.IsEmpty()) return;
  const int32_t indent = BarSeparatorIndent();
  if (AHorizontal) {
    BackgroundStrip(ABarControl, DC, TRect(R.Left, R.Top, R.Right, std::min(R.Bottom, R.Top + indent)), ABrush);
    BackgroundStrip(ABarControl, DC, TRect(R.Left, std::max(R.Top, R.Bottom - indent), R.Right, R.Bottom), ABrush);
    R.Inflate(0, -indent);
    if (!R.IsEmpty()) DrawEdge(DC, &R, EDGE_ETCHED, BF_TOP);
  } else {
    BackgroundStrip(ABarControl, DC, TRect(R.Left, R.Top, std::min(R.Right, R.Left + indent), R.Bottom), ABrush);
    BackgroundStrip(ABarControl, DC, TRect(std::max(R.Left, R.Right - indent), R.Top, R.Right, R.Bottom), ABrush);
    R.Inflate(-indent, 0);
    if (!R.IsEmpty()) DrawEdge(DC, &R, EDGE_ETCHED, BF_LEFT);
  }
}

// ---------------------------------------------------------------- size grip

void TdxBarPainter::BarDrawSizeGripArea(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  const TSize size = SizeGripSize();
  const TRect column(std::max(R.Left, R.Right - size.cx), R.Top, R.Right, R.Bottom);
  WindowBackground(ABarControl, DC, column);
  const TRect grip(column.Left, std::max(R.Top, R.Bottom - size.cy), R.Right, R.Bottom);
  BarDrawSizeGripGlyph(ABarControl, DC, grip);
}

void TdxBarPainter::BarDrawSizeGripGap(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  WindowBackground(ABarControl, DC, TRect(R.Left, R.Top, R.Right, std::min(R.Bottom, R.Top + SizeGripIndent())));
}

void TdxBarPainter::BarDrawSizeGripGlyph(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!DC || R.IsEmpty()) return;
  if (HasNativeBackground() && ThemesOn(ABarControl)) {
    const int saved = SaveDC(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    TRect r = R;
    DrawThemedSizeGrip(DC, r, 3);
    RestoreDC(DC, saved);
  } else
    DrawGripTransparently(DC, R);
}
