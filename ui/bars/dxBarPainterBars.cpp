// How the base painter draws toolbar windows: their backgrounds, the
// separators between item groups, the size grip of status-like bars and,
// for toolbar windows, the non-client sizes, the floating caption and the
// mark. Every operation leaves the DC's objects, clip region and background
// mode as it found them, and draws nothing outside the rectangle it is given.
#include <algorithm>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarToolbarControl.h"
#include "ui/lookandfeel/dxFading.h"

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
  if (ABarControl->DockingStyle() != dsNone) {
    if (auto* toolbar = dynamic_cast<TdxBarControl*>(ABarControl)) {
      BarFillDockedBackground(toolbar, DC, ADest);
      return;
    }
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

// ---------------------------------------------------------------- toolbar windows: frame

// Border widths (left, top, right, bottom) that WM_NCCALCSIZE takes off.
TRect TdxBarPainter::BarCalcNonClient(TdxBarControl* ABarControl, bool AHasCaption, bool AWithSizeGrip) {
  TRect r;
  if (!ABarControl) return r;
  const TdxBarDockingStyle side = ABarControl->DockingStyle();
  if (side == dsNone) {
    r = TRect(FrameWidth(), FrameHeight(), FrameWidth(), FrameHeight());
    if (AHasCaption) {
      r.Left += FloatingFrameExtraWidth();
      r.Right += FloatingFrameExtraWidth();
      r.Top += FloatingCaptionHeightPlus1() + FloatingFrameExtraTop();
      r.Bottom += FloatingFrameExtraBottom();
    }
  } else if (ABarControl->HasBorder()) {
    r = BarMargins(ABarControl->Bar(), side);
    const int32_t grip = ABarControl->CanMove() ? BarGripAreaSize(ABarControl) : BarNoGripIndent(ABarControl);
    if (side == dsLeft || side == dsRight)
      r.Top += grip;
    else
      r.Left += grip;
  } else {
    if (ABarControl->IsBorderlessBottomBar()) r.Top += SizeGripIndent();
    if (AWithSizeGrip) r.Right += SizeGripSize().cx;
  }
  return r;
}

// State 0: the caption colour; 1 hot and 2 pressed: the selection frame round
// the window's selected or pressed brush.
void TdxBarPainter::BarDrawNonClient(TdxBarControl* ABarControl, HDC DC, const TRect& R, int32_t AState) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  if (AState != 1 && AState != 2) {
    TdxBarManager* m = ABarControl->GetBarManager();
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(BarCaptionBackColor(m && m->IsActive()))));
    FillRect(DC, &R, brush);
    DeleteObject(brush);
    return;
  }
  ItemFrameSelection(ABarControl, DC, R);
  TRect r = R;
  r.Inflate(-1, -1);
  if (!r.IsEmpty())
    FillRect(DC, &r, AState == 1 ? ABarControl->GetSelectedItemBrush() : ABarControl->GetDownSelectedItemBrush());
}

// ---------------------------------------------------------------- toolbar windows: floating caption

//   +-------------------------------------------+
//   | text ...                      [mark][close] |  R, SmallCaptionHeight high
//   +-------------------------------------------+
//   ---------------------------------------------   the line under it (caption brush)
void TdxBarPainter::BarDrawFloatingCaption(TdxBarControl* ABarControl, HDC DC, const TRect& R, HBRUSH ACaptionBrush) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  if (ACaptionBrush) {
    const TRect line(R.Left, R.Bottom, R.Right, R.Bottom + 1);
    FillRect(DC, &line, ACaptionBrush);
  }
  const bool filled = FillsCaptionBackground();
  if (filled) BarFillCaption(DC, R);
  TRect text = R;
  if (ABarControl->HasCloseButton()) {
    const int32_t side = SmallCaptionHeight();
    text.Right = std::max(text.Left, text.Right - side);
    BarDrawCaptionCloseButton(ABarControl, DC, TRect(text.Right, R.Top, R.Right, R.Bottom),
                              ABarControl->GetCloseButtonState());
  }
  const bool withMark = ABarControl->HasMark();
  const TRect mark = withMark ? BarMarkRect(ABarControl) : TRect();
  text.Left = R.Left + 2;
  if (withMark) {
    // A mark at the caption's start pushes the text behind it; one at its
    // end, where the base places it, ends the text.
    if (mark.Right <= text.Left + mark.Width())
      text.Left = FloatingCaptionTextOffset(mark);
    else
      text.Right = std::min(text.Right, mark.Left);
  }
  if (text.Right > text.Left) {
    TdxBarManager* m = ABarControl->GetBarManager();
    const bool active = m && m->IsActive();
    HFONT font = CreateSmallCaptionFont(ABarControl->GetFont(), m && m->UseSystemFont());
    HGDIOBJ previousFont = SelectObject(DC, font);
    const COLORREF previousText = SetTextColor(DC, COLORREF(ColorToRGB(BarCaptionTextColor(active))));
    const COLORREF previousBack = SetBkColor(DC, COLORREF(ColorToRGB(BarCaptionBackColor(active))));
    const int previousMode = SetBkMode(DC, filled ? TRANSPARENT : OPAQUE);
    const std::string caption = ABarControl->Bar() ? ABarControl->Bar()->Caption() : ABarControl->Caption();
    SIZE extent{0, 0};
    GetTextExtentPoint32(DC, caption, &extent);
    const int32_t y = text.Top + (text.Height() - extent.cy) / 2;
    ExtTextOut(DC, text.Left, y, filled ? ETO_CLIPPED : ETO_OPAQUE | ETO_CLIPPED, &text, caption);
    SetBkMode(DC, previousMode);
    SetBkColor(DC, previousBack);
    SetTextColor(DC, previousText);
    SelectObject(DC, previousFont);
    DeleteObject(font);
  }
  if (withMark) BarDrawCaptionMark(ABarControl, DC, mark, ABarControl->GetMarkState());
}

// ---------------------------------------------------------------- toolbar windows: mark

// Client coordinates for a docked bar; window coordinates (in the caption)
// for a floating one.
TRect TdxBarPainter::BarMarkRect(TdxBarControl* ABarControl) {
  if (!ABarControl) return {};
  const TdxBarDockingStyle side = ABarControl->DockingStyle();
  const int32_t size = ABarControl->GetMarkSize();
  const int32_t w = ABarControl->ClientWidth(), h = ABarControl->ClientHeight();
  if (side == dsLeft || side == dsRight) return TRect(0, h - size, w, h);
  if (side == dsTop || side == dsBottom) return TRect(w - size, 0, w, h);
  const TRect caption = FloatingBarClientRect(TRect(0, 0, ABarControl->Width(), ABarControl->Height()));
  TRect r = caption;
  r.Left = r.Right - r.Height();
  if (ABarControl->HasCloseButton()) r.Offset(-(CloseButtonSize().cx + 1), 0);
  if (r.Left < caption.Left) r.Offset(caption.Left - r.Left, 0);
  return r;
}

void TdxBarPainter::BarDrawMarkFadedBackground(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  TdxFadingObjectHelper* fading = ABarControl->GetMarkFadingHelper();
  if (fading && !fading->IsEmpty())
    fading->DrawFrame(DC, R);
  else
    BarDrawMarkBackground(ABarControl, DC, R, ABarControl->GetMarkState());
}

void TdxBarPainter::BarDrawMarkFaded(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  BarDrawMarkFadedBackground(ABarControl, DC, R);
  const TdxBarDockingStyle side = ABarControl->DockingStyle();
  BarDrawMark(DC, R, side == dsLeft || side == dsRight, ABarControl->HiddenLinks, ABarControl->ClientWidth());
}

void TdxBarPainter::BarRepaintMark(TdxBarControl* ABarControl) {
  if (!ABarControl || !ABarControl->HandleAllocated()) return;
  const TRect r = BarMarkRect(ABarControl);
  if (ABarControl->DockingStyle() != dsNone) {
    InvalidateRect(ABarControl->Handle(), &r, FALSE);
    return;
  }
  HDC dc = ABarControl->GetNonClientDC();
  if (!dc) return;
  BarDrawNonClient(ABarControl, dc, r, ABarControl->GetMarkState());
  BarDrawCaptionMark(ABarControl, dc, r, ABarControl->GetMarkState());
  ABarControl->ReleaseNonClientDC(dc);
}

// The dock site's background under the bar: its rectangle in the dock's
// coordinates is the bar's position plus R.
void TdxBarPainter::BarFillDockedBackground(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  TdxDockControl* dock = ABarControl->DockControl();
  if (!dock) {
    BarFillBackground(ABarControl, DC, R, R, ABarControl->GetBackgroundBrush(), clNone);
    return;
  }
  TRect source = R;
  source.Offset(ABarControl->Left(), ABarControl->Top());
  DockFillBackground(dock, DC, R, source, nullptr, dock->Color());
}
