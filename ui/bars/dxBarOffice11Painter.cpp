// The Office 2003 painter: the colour roles it reads of the colour set, the
// dock and bar gradients, the rounded docked border with its dotted grip, the
// two-tone separators, the gradient mark, the item states, menu entries and
// sub-menus, edits and combos, and the strip joining an open menu to its
// owner. Every operation leaves the DC's objects, clip region and background
// mode as it found them and paints nothing outside its rectangle.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarToolbarControl.h"
#include "ui/lookandfeel/dxOffice11.h"

using namespace win;

// ---------------------------------------------------------------- colour roles

TColor Office11DockColor1() { return Office11FaceColor; }
TColor Office11DockColor2() { return Office11LightFaceColor; }
TColor Office11BarColor1() { return Office11GradientStartColor; }
TColor Office11BarColor2() { return Office11GradientEndColor; }
TColor Office11MarkColor1(int32_t AMarkState) { return Office11MarkColors1[std::clamp(AMarkState, 0, 2)]; }
TColor Office11MarkColor2(int32_t AMarkState) { return Office11MarkColors2[std::clamp(AMarkState, 0, 2)]; }

// Blended from the mark's start colour, as the mark's own gradient begins there.
TColor Office11MarkEdgeColor(int32_t AMarkState) {
  return Office11ColorsAvailable() ? MixColors(Office11MarkColor1(AMarkState), Office11BarColor1(), 90)
                                   : MixColors(Office11MarkColor1(AMarkState), clWindow, 50);
}

TColor Office11BarBorderColor() { return Office11BarOutlineColor; }
TColor Office11BarCornerColor() { return Office11BarOutlineColor2; }
TColor Office11SeparatorDarkColor() { return Office11HeaderShadowColor; }
TColor Office11SeparatorLightColor() { return Office11HeaderLightColor; }
TColor Office11MarkArrowColor() { return Office11ArrowColor; }
TColor Office11MarkArrowShadowColor() { return Office11ArrowShadowColor; }
TColor Office11FloatingBorderColor() { return Office11FloatingBorderInnerColor; }
TColor Office11CaptionTextColor() { return Office11HighlightColor; }
TColor Office11SelectionFrameColor() { return Office11SelectedFrameColor; }
TColor Office11HotColor1() { return Office11HotColor; }
TColor Office11HotColor2() { return Office11HotEndColor; }
TColor Office11PressedColor1() { return Office11PressedColor; }
TColor Office11PressedColor2() { return Office11PressedEndColor; }
TColor Office11FaceLightColor() { return Office11ItemFaceColor; }
TColor Office11DownColor() { return Office11DownFaceColor; }
TColor Office11DownSelectedColor() { return Office11DownFaceColor2; }
TColor Office11DetachBandColor() { return Office11ItemDetailColor; }
TColor Office11MenuTextColor() { return Office11GlyphColor; }
TColor Office11DisabledTextColor() { return Office11DisabledGlyphColor; }
TColor Office11InPlaceLineColor() { return Office11MarkLineColor; }

namespace {

// The set's brush while the set is in use, else the system brush of the
// colour's fallback; brushes are shared and never deleted here.
HBRUSH SetBrushOr(HBRUSH ABrush, int32_t ASysColor) { return ABrush ? ABrush : SysColorBrushValue(ASysColor); }

void Fill(HDC DC, const TRect& R, TColor AColor) {
  if (!R.IsEmpty()) FillRectWithColor(DC, R, AColor);
}

void Pixel(HDC DC, int32_t X, int32_t Y, TColor AColor) { Fill(DC, TRect(X, Y, X + 1, Y + 1), AColor); }

// Runs ADraw with the DC clipped to R; the DC's clip comes back afterwards.
template <class F>
void Clipped(HDC DC, const TRect& R, F ADraw) {
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  ADraw();
  RestoreDC(DC, saved);
}

TCustomdxBarControl* BarOf(TdxBarItemControlDrawParams* AParams) {
  TdxBarItemControl* control = AParams ? AParams->BarItemControl() : nullptr;
  return control ? control->Parent() : nullptr;
}

HDC DCOf(TdxBarItemControlDrawParams* AParams) {
  return AParams && AParams->Canvas ? AParams->Canvas->Handle() : nullptr;
}

bool InMenu(TdxBarItemControlDrawParams* AParams) {
  TCustomdxBarControl* bar = BarOf(AParams);
  return bar && bar->IsMenuLike();
}

bool IsDown(TdxBarItemControlDrawParams* AParams) {
  auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(AParams);
  return button && button->Down;
}

// Bars docked left or right run their gradients from left to right.
bool GradientHorizontal(TCustomdxBarControl* ABar) { return ABar && ABar->IsVertical(); }

// A bordered toolbar that is not the main menu gets the rounded ends and the bar gradient.
bool HasRoundedFrame(TdxBarControl* ABar) {
  return ABar && ABar->HasBorder() && !ABar->IsMainMenuBar() && !ABar->GetBackgroundBitmap();
}

// The bar may be dragged: its window allows it and its docking is not
// forbidden on all five sides.
bool CanDrag(TdxBarControl* ABar) { return ABar->CanMove() && (!ABar->Bar() || ABar->Bar()->IsMovable()); }

// The bar window's whole rectangle in the coordinates of its client area.
TRect WholeInClient(TdxBarPainter& APainter, TdxBarControl* ABar) {
  const TRect nc = APainter.BarCalcNonClient(ABar, false, false);
  return TRect(-nc.Left, -nc.Top, ABar->Width() - nc.Left, ABar->Height() - nc.Top);
}

// The bar's two-phase gradient over AWhole (the window in the DC's
// coordinates, less one pixel at both long edges), painted only inside ADest.
void BarGradient(TdxBarControl* ABar, HDC DC, const TRect& ADest, TRect AWhole) {
  if (ADest.IsEmpty()) return;
  const bool horizontal = GradientHorizontal(ABar);
  if (horizontal)
    AWhole.Inflate(-1, 0);
  else
    AWhole.Inflate(0, -1);
  Clipped(DC, ADest, [&] { FillTwoPhaseGradientRect(DC, AWhole, Office11BarColor1(), horizontal, Office11BarColor2()); });
}

// The colour of the two-phase bar gradient at one pixel, read back from a
// one-line strip drawn the same way.
TColor BarGradientAt(TdxBarControl* ABar, const TRect& AWhole, TPoint P) {
  const bool horizontal = GradientHorizontal(ABar);
  TRect whole = AWhole;
  if (horizontal)
    whole.Inflate(-1, 0);
  else
    whole.Inflate(0, -1);
  const int32_t extent = horizontal ? whole.Width() : whole.Height();
  if (extent <= 0) return Office11BarColor1();
  TBitmap strip(horizontal ? extent : 1, horizontal ? 1 : extent);
  HDC dc = strip.Canvas()->Handle();
  FillTwoPhaseGradientRect(dc, TRect(0, 0, strip.Width(), strip.Height()), Office11BarColor1(), horizontal,
                           Office11BarColor2());
  const int32_t at = std::clamp(horizontal ? P.X - whole.Left : P.Y - whole.Top, 0, extent - 1);
  return TColor(GetPixel(dc, horizontal ? at : 0, horizontal ? 0 : at));
}

}  // namespace

// ---------------------------------------------------------------- answers

TColor TdxBarOffice11Painter::ItemTextColor(bool ASelected, bool ANonFlat) {
  if (ASelected && ANonFlat) return IsHighContrastWhite() ? clWhite : Office11CaptionTextColor();
  return Office11MenuTextColor();
}

// Disabled text is drawn once in one colour, never embossed.
void TdxBarOffice11Painter::ItemDisabledTextColors(bool, bool, TColor& ALightColor, TColor& ADarkColor) {
  ALightColor = Office11DisabledTextColor();
  ADarkColor = Office11DisabledTextColor();
}

bool TdxBarOffice11Painter::UseFadedImages(TCustomdxBarControl*) { return true; }
bool TdxBarOffice11Painter::SubMenuPlainSeparators() { return true; }
TColor TdxBarOffice11Painter::BarCaptionBackColor(bool) { return Office11FloatingCaptionColor; }
TColor TdxBarOffice11Painter::BarCaptionTextColor(bool) { return Office11CaptionTextColor(); }

TColor TdxBarOffice11Painter::BarMarkArrowColorOf(int32_t AMarkState) {
  return AMarkState == 1 || AMarkState == 2 ? Office11MarkArrowColor() : Office11CaptionTextColor();
}

bool TdxBarOffice11Painter::UsesFlatGlyphShadow() { return false; }
bool TdxBarOffice11Painter::UsesGlyphShadow() { return false; }
bool TdxBarOffice11Painter::ButtonClassicLook() { return !Office11ColorsAvailable(); }
int32_t TdxBarOffice11Painter::BarGripIndent(TdxBarControl*) { return 1 + Office11EndMargin(); }
int32_t TdxBarOffice11Painter::FrameWidth() { return 3; }
int32_t TdxBarOffice11Painter::FrameHeight() { return 3; }
int32_t TdxBarOffice11Painter::BarNoGripIndent(TdxBarControl*) { return 2; }
bool TdxBarOffice11Painter::HasNativeBackground() { return true; }
// Only floating windows (the sub-menus among them) cast a shadow.
bool TdxBarOffice11Painter::BarHasShadow(bool ADocked) { return !ADocked; }
HBRUSH TdxBarOffice11Painter::BarOwnerBrush(TdxBarManager*) {
  return SetBrushOr(Office11ItemFaceBrush, COLOR_BTNFACE);
}
HBRUSH TdxBarOffice11Painter::ToolbarBrush() { return SetBrushOr(Office11MenuBrush, COLOR_WINDOW); }

HBRUSH TdxBarOffice11Painter::ToolbarBrushFor(TCustomdxBarControl* ABarControl) {
  if (ABarControl && (ABarControl->IsMainMenuBar() || ABarControl->IsBorderlessBottomBar()))
    return SysColorBrushValue(COLOR_BTNFACE);
  return ToolbarBrush();
}

HBRUSH TdxBarOffice11Painter::DownItemBrush() { return SetBrushOr(Office11DownFaceBrush, COLOR_BTNFACE); }
HBRUSH TdxBarOffice11Painter::DownSelectedItemBrush() { return SetBrushOr(Office11DownFaceBrush2, COLOR_BTNFACE); }
HBRUSH TdxBarOffice11Painter::SelectedItemBrush() { return SetBrushOr(Office11SelectedBrush, COLOR_HIGHLIGHT); }
int32_t TdxBarOffice11Painter::ComboDropDownButtonWidth(int32_t) { return 13; }

TRect TdxBarOffice11Painter::BarMargins(TdxBar* ABar, TdxBarDockingStyle AStyle) {
  TdxBarManager* m = ABar ? ABar->GetBarManager() : nullptr;
  if (m && m->GetMainMenuBar() == ABar)
    return AStyle == dsTop || AStyle == dsBottom ? TRect(0, 2, 0, 2) : TRect(2, 0, 2, 0);
  return TRect(2, 2, 2, 2);
}

HBRUSH TdxBarOffice11Painter::ToolbarBrushEx(TCustomdxBarControl*) { return ToolbarBrush(); }

HBRUSH TdxBarOffice11Painter::ItemBrushFor(TdxBarItemControlDrawParams* ADrawParams) {
  if (!ADrawParams) return ToolbarBrush();
  if (!ADrawParams->Enabled) return SysColorBrushValue(COLOR_BTNFACE);
  TCustomdxBarControl* bar = BarOf(ADrawParams);
  if (ADrawParams->DrawSelected) {
    if (!bar) return ADrawParams->DroppedDown ? DownSelectedItemBrush() : SelectedItemBrush();
    return ADrawParams->DroppedDown ? bar->GetDownSelectedItemBrush() : bar->GetSelectedItemBrush();
  }
  return bar ? bar->GetBackgroundBrush() : ToolbarBrush();
}

TColor TdxBarOffice11Painter::ButtonFrameColor() { return Office11MenuTextColor(); }

HBRUSH TdxBarOffice11Painter::ButtonBrushFor(TdxBarItemControlDrawParams* ADrawParams) {
  TCustomdxBarControl* bar = BarOf(ADrawParams);
  if (ADrawParams && bar && ADrawParams->DrawSelected) return bar->GetSelectedItemBrush();
  if (ADrawParams && bar && ADrawParams->DroppedDown) return bar->GetDownSelectedItemBrush();
  return ItemBrushFor(ADrawParams);
}

bool TdxBarOffice11Painter::SubMenuHasSideBand() { return true; }

void TdxBarOffice11Painter::SubMenuCalcItemMetrics(int32_t ADefaultItemHeight, int32_t AZeroHeight,
                                                   int32_t& AExpandButtonHeight, int32_t& AArrowPartWidth) {
  TdxBarFlatPainter::SubMenuCalcItemMetrics(ADefaultItemHeight, AZeroHeight, AExpandButtonHeight, AArrowPartWidth);
  if (TBitmap* expand = Office11SubMenuExpandBitmap(); expand && !expand->Empty())
    AArrowPartWidth = expand->Height() + 2;
}

int32_t TdxBarOffice11Painter::SubMenuDetachCaptionSize(int32_t ADetachCaptionHeight) {
  return ADetachCaptionHeight + 5;
}

TRect TdxBarOffice11Painter::SubMenuInnerRect(const TRect& R) {
  TRect r = R;
  r.Inflate(-2, -4);
  return r;
}

HBRUSH TdxBarOffice11Painter::SubMenuItemBrush() { return ToolbarBrush(); }
TColor TdxBarOffice11Painter::EditDisabledBackColor(TColor) { return clBtnFace; }
TColor TdxBarOffice11Painter::EditTextColorDisabled() { return Office11DisabledTextColor(); }
int32_t TdxBarOffice11Painter::EditBorderKind() { return 1; }
TRect TdxBarOffice11Painter::EditBorderRect() { return TRect(1, 1, 1, 1); }
bool TdxBarOffice11Painter::EditIsFlatKind() { return true; }
TColor TdxBarOffice11Painter::DateHeaderColor() { return Office11DockColor1(); }
HBRUSH TdxBarOffice11Painter::InPlaceSubItemBrush() { return SetBrushOr(Office11MarkLineBrush, COLOR_BTNSHADOW); }
HBRUSH TdxBarOffice11Painter::FlatItemBrush(TCustomdxBarControl* ABarControl) {
  return ABarControl ? ABarControl->GetBackgroundBrush() : ToolbarBrush();
}
HBRUSH TdxBarOffice11Painter::FlatStaticBorderBrush() { return SetBrushOr(Office11MenuBorderBrush, COLOR_BTNSHADOW); }
TColor TdxBarOffice11Painter::FlatSeparatorColor() { return Office11SeparatorDarkColor(); }
int32_t TdxBarOffice11Painter::Office11EndMargin() { return 2; }

// ---------------------------------------------------------------- docks and bars

void TdxBarOffice11Painter::DockFillBackground(TdxDockControl* ADockControl, HDC DC, const TRect& ADest,
                                               const TRect& ASource, TBitmap* ABitmap, TColor AColor) {
  if (!DC || ADest.IsEmpty()) return;
  if (!ADockControl) {
    TdxBarFlatPainter::DockFillBackground(ADockControl, DC, ADest, ASource, ABitmap, AColor);
    return;
  }
  TColor c1 = Office11DockColor1(), c2 = Office11DockColor2();
  if (ADockControl->EdgeSide() == dsLeft) c2 = c1;
  if (ADockControl->EdgeSide() == dsRight) c1 = c2;
  const TRect whole(0, 0, ADockControl->Width(), ADockControl->Height());
  if (ABitmap) {
    if (ABitmap->Empty()) {
      ABitmap->SetSize(whole.Width(), whole.Height());
      PaintGradientRect(ABitmap->Canvas()->Handle(), whole, c1, true, c2);
    }
    BitBlt(DC, ADest.Left, ADest.Top, ADest.Width(), ADest.Height(), ABitmap->Canvas()->Handle(), ASource.Left,
           ASource.Top, SRCCOPY);
    return;
  }
  // Without a cache the same gradient is laid over the dock's rectangle in place.
  TRect dock = whole;
  dock.Offset(ADest.Left - ASource.Left, ADest.Top - ASource.Top);
  Clipped(DC, ADest, [&] { PaintGradientRect(DC, dock, c1, true, c2); });
}

void TdxBarOffice11Painter::BarFillDockedBackground(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  if (!HasRoundedFrame(ABarControl)) {
    TdxBarFlatPainter::BarFillDockedBackground(ABarControl, DC, R);
    return;
  }
  BarGradient(ABarControl, DC, R, WholeInClient(*this, ABarControl));
}

void TdxBarOffice11Painter::BarFillBackground(TCustomdxBarControl* ABarControl, HDC DC, const TRect& ADest,
                                              const TRect& ASource, HBRUSH ABrush, TColor AColor) {
  if (!DC || ADest.IsEmpty()) return;
  auto* toolbar = dynamic_cast<TdxBarControl*>(ABarControl);
  if (!toolbar || toolbar->DockingStyle() != dsNone || toolbar->GetBackgroundBitmap() || toolbar->IsMenuLike()) {
    TdxBarFlatPainter::BarFillBackground(ABarControl, DC, ADest, ASource, ABrush, AColor);
    return;
  }
  const TRect client(0, 0, toolbar->ClientWidth(), toolbar->ClientHeight());
  Clipped(DC, ADest, [&] { PaintGradientRect(DC, client, Office11BarColor1(), false, Office11BarColor2()); });
}

//   horizontal bar, R the window:     d = dock background, b = border line,
//   d d d . . . . . . . . . . c d      c = corner colour (rounded, blended)
//   d d c g g g g g g g g g g g b c    g = bar gradient
//   d d g ...                   g b
//   d d c g g g g g g g g g g g b c    (vertical bars turned by 90 degrees)
//   d d d b b b b b b b b b b b c d
void TdxBarOffice11Painter::BarDrawDockedBorder(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  const bool vertical = ABarControl->IsVertical();
  auto dockBackground = [&](const TRect& APart) {
    if (APart.IsEmpty()) return;
    TRect part;
    if (!IntersectRect(part, APart, R)) return;
    TdxDockControl* dock = ABarControl->DockControl();
    if (!dock) {
      Fill(DC, part, Office11DockColor1());
      return;
    }
    TRect source = part;
    source.Offset(ABarControl->Left() - R.Left, ABarControl->Top() - R.Top);
    DockFillBackground(dock, DC, part, source, nullptr, dock->Color());
  };
  if (ABarControl->IsMainMenuBar()) {
    if (vertical) {
      dockBackground(TRect(R.Left, R.Top, R.Left + 2, R.Bottom));
      dockBackground(TRect(R.Right - 2, R.Top, R.Right, R.Bottom));
    } else {
      dockBackground(TRect(R.Left, R.Top, R.Right, R.Top + 2));
      dockBackground(TRect(R.Left, R.Bottom - 2, R.Right, R.Bottom));
    }
    return;
  }
  TRect body = R;
  if (vertical)
    body.Top += Office11EndMargin();
  else
    body.Left += Office11EndMargin();
  if (ABarControl->HasBorder() && !ABarControl->GetBackgroundBitmap() && !body.IsEmpty()) {
    // The bar body: every edge pixel first takes the bar gradient.
    BarGradient(ABarControl, DC, body, R);
    // The leading margin and the near long edge show the dock.
    if (vertical) {
      dockBackground(TRect(R.Left, R.Top, R.Right, body.Top));
      dockBackground(TRect(body.Left, body.Top, body.Left + 1, body.Bottom));
    } else {
      dockBackground(TRect(R.Left, R.Top, body.Left, R.Bottom));
      dockBackground(TRect(body.Left, body.Top, body.Right, body.Top + 1));
    }
    // The far long edge and the trailing end carry the border line, up to the mark.
    const TColor line = Office11BarBorderColor();
    TRect mark = ABarControl->HasMark() ? BarMarkRectEx(ABarControl) : TRect();
    if (!mark.IsEmpty()) {
      const TRect nc = BarCalcNonClient(ABarControl, false, false);
      mark.Offset(nc.Left + R.Left, nc.Top + R.Top);
    }
    if (vertical) {
      const int32_t stop = mark.IsEmpty() ? body.Bottom - 1 : std::min(body.Bottom - 1, mark.Top);
      Fill(DC, TRect(body.Right - 1, body.Top + 1, body.Right, stop), line);
      if (mark.IsEmpty()) Fill(DC, TRect(body.Left + 1, body.Bottom - 1, body.Right - 1, body.Bottom), line);
    } else {
      const int32_t stop = mark.IsEmpty() ? body.Right - 1 : std::min(body.Right - 1, mark.Left);
      Fill(DC, TRect(body.Left + 1, body.Bottom - 1, stop, body.Bottom), line);
      if (mark.IsEmpty()) Fill(DC, TRect(body.Right - 1, body.Top + 1, body.Right, body.Bottom - 1), line);
    }
    // Rounded, anti-aliased corners: the corner pixel shows the dock, the two
    // pixels beside it along the edges a half mix with what lies under them.
    const TColor corner = Office11BarCornerColor();
    const TPoint corners[] = {{body.Left, body.Top}, {body.Right - 1, body.Top}, {body.Left, body.Bottom - 1},
                              {body.Right - 1, body.Bottom - 1}};
    for (const TPoint& p : corners) {
      dockBackground(TRect(p.X, p.Y, p.X + 1, p.Y + 1));
      const int32_t dx = p.X == body.Left ? 1 : -1, dy = p.Y == body.Top ? 1 : -1;
      const TPoint inner(p.X + dx, p.Y + dy);
      if (body.Contains(inner) && !mark.Contains(inner))
        Pixel(DC, inner.X, inner.Y,
              MixColors(corner, BarGradientAt(ABarControl, R, inner), 50));
    }
  }
  // The grip.
  if (!CanDrag(ABarControl)) return;
  TRect grip = R;
  grip.Inflate(-2, -2);
  if (vertical) {
    grip.Top += BarGripIndent(ABarControl);
    grip.Bottom = grip.Top + BarGripWidth();
    grip.Inflate(-3, 0);
  } else {
    grip.Left += BarGripIndent(ABarControl);
    grip.Right = grip.Left + BarGripWidth();
    grip.Inflate(0, -3);
  }
  if (IntersectRect(grip, grip, R)) Office11DrawGradient(DC, grip, !vertical);
}

void TdxBarOffice11Painter::Office11DrawGradient(HDC DC, const TRect& R, bool AVertical) {
  if (!DC || R.IsEmpty()) return;
  Clipped(DC, R, [&] { DrawGripDots(DC, R, AVertical); });
}

// AHorizontal: a horizontal line, the separator of a vertical bar.
void TdxBarOffice11Painter::BarDrawSeparator(TCustomdxBarControl* ABarControl, HDC DC, TRect R, HBRUSH ABrush,
                                             bool AHorizontal) {
  if (!DC || R.IsEmpty()) return;
  if (ABrush)
    FillRect(DC, &R, ABrush);
  else if (ABarControl)
    ABarControl->DrawBackground(DC, R, false, clNone, ABarControl->GetBackgroundBrush());
  const int32_t indent = BarSeparatorIndent();
  const TRect slot = R;
  Clipped(DC, slot, [&] {
    if (AHorizontal) {
      R.Inflate(0, -indent);
      Fill(DC, TRect(R.Left + 3, R.Top, R.Right - 4, R.Top + 1), Office11SeparatorDarkColor());
      Fill(DC, TRect(R.Left + 4, R.Top + 1, R.Right - 3, R.Top + 2), Office11SeparatorLightColor());
    } else {
      R.Inflate(-indent, 0);
      Fill(DC, TRect(R.Left, R.Top + 3, R.Left + 1, R.Bottom - 4), Office11SeparatorDarkColor());
      Fill(DC, TRect(R.Left + 1, R.Top + 4, R.Left + 2, R.Bottom - 3), Office11SeparatorLightColor());
    }
  });
}

void TdxBarOffice11Painter::BarDrawNonClient(TdxBarControl* ABarControl, HDC DC, const TRect& R, int32_t AState) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  if (AState != 1 && AState != 2) {
    Fill(DC, R, BarCaptionBackColor(true));
    return;
  }
  ItemFrameSelection(ABarControl, DC, R);
  TRect inside = R;
  inside.Inflate(-1, -1);
  Fill(DC, inside, AState == 1 ? Office11HotColor1() : Office11HotColor2());
}

void TdxBarOffice11Painter::BarDrawFloatingBorder(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  TRect r = R;
  if (ABarControl->IsMenuLike()) {
    FrameRectWithColor(DC, r, Office11MenuBorderColor);
    r.Inflate(-1, -1);
    HBRUSH brush = ABarControl->GetBackgroundBrush();
    for (int32_t i = 1; i < FrameWidth() && !r.IsEmpty(); ++i) {
      if (brush) FrameRect(DC, &r, brush);
      r.Inflate(-1, -1);
    }
    return;
  }
  for (int i = 0; i < 2 && !r.IsEmpty(); ++i) {
    FrameRectWithColor(DC, r, Office11FloatingCaptionColor);
    r.Inflate(-1, -1);
  }
  if (r.IsEmpty()) return;
  FrameRectWithColor(DC, r, Office11FloatingBorderColor());
  for (const TPoint& p : {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top}, TPoint{r.Left, r.Bottom - 1},
                          TPoint{r.Right - 1, r.Bottom - 1}})
    Pixel(DC, p.X, p.Y, Office11FloatingCaptionColor);
}

TRect TdxBarOffice11Painter::BarMarkRectEx(TdxBarControl* ABarControl) {
  TRect r = TdxBarFlatPainter::BarMarkRectEx(ABarControl);
  if (!ABarControl || r.IsEmpty() || !ABarControl->HasBorder() || ABarControl->IsMainMenuBar()) return r;
  if (ABarControl->IsVertical()) {
    r.Left -= 1;
    r.Right += 1;
    r.Bottom += 2;
  } else {
    r.Top -= 1;
    r.Right += 2;
    r.Bottom += 1;
  }
  return r;
}

// ---------------------------------------------------------------- the mark

void TdxBarOffice11Painter::BarDrawMarkBackground(TdxBarControl* ABarControl, HDC DC, const TRect& R,
                                                  int32_t AMarkState) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  // Callers hand in the grown rectangle (BarMarkRectEx) where the mark may reach the border.
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  const bool horizontal = GradientHorizontal(ABarControl);
  TRect r = R;
  if (HasRoundedFrame(ABarControl)) {
    BarFillDockedBackground(ABarControl, DC, R);
    if (ABarControl->IsVertical()) {
      r.Top -= 2;
      r.Inflate(2, 0);
    } else {
      r.Left -= 2;
      r.Inflate(0, 2);
    }
  }
  FillTwoPhaseGradientRect(DC, r, Office11MarkColor1(AMarkState), horizontal, Office11MarkColor2(AMarkState));
  if (r != R) {
    const TPoint inner(r.Left, r.Top);  // the corner towards the bar's items
    Pixel(DC, inner.X, inner.Y,
          MixColors(Office11MarkEdgeColor(AMarkState),
                    BarGradientAt(ABarControl, WholeInClient(*this, ABarControl), inner), 50));
  }
  RestoreDC(DC, saved);
}

namespace {

// The dash and the small triangle under it at (X, Y), or turned for vertical bars.
void MarkArrowGlyph(HDC DC, int32_t X, int32_t Y, bool AVertical, TColor AColor) {
  if (AVertical) {
    Fill(DC, TRect(X, Y, X + 1, Y + 5), AColor);
    for (int32_t k = 0; k < 3; ++k) Fill(DC, TRect(X + 3 + k, Y + k, X + 4 + k, Y + 5 - k), AColor);
  } else {
    Fill(DC, TRect(X, Y, X + 5, Y + 1), AColor);
    for (int32_t k = 0; k < 3; ++k) Fill(DC, TRect(X + k, Y + 3 + k, X + 5 - k, Y + 4 + k), AColor);
  }
}

// Two chevrons 4 pixels apart, each (x, y), (x + 1, y + 1), (x, y + 2), turned for vertical bars.
void MarkChevrons(HDC DC, int32_t X, int32_t Y, bool AVertical, TColor AColor) {
  for (int32_t n = 0; n < 2; ++n) {
    const int32_t x = AVertical ? X : X + 4 * n, y = AVertical ? Y + 4 * n : Y;
    for (int32_t k = 0; k < 3; ++k) {
      const int32_t off = k == 1 ? 1 : 0;
      if (AVertical)
        Pixel(DC, x + k, y + off, AColor);
      else
        Pixel(DC, x + off, y + k, AColor);
    }
  }
}

}  // namespace

namespace {

// The mark's glyphs in AMarkRect: m = 2 and n = 1 move them further in on
// borderless bars and main menus, whose marks have no rounded end to grow into.
void MarkGlyphs(HDC DC, const TRect& AMarkRect, bool AVertical, bool AHidesItems, int32_t m, int32_t n) {
  if (!DC || AMarkRect.IsEmpty()) return;
  Clipped(DC, AMarkRect, [&] {
    for (int pass = 0; pass < 2; ++pass) {
      const int32_t d = pass == 0 ? 1 : 0;  // the shadow first, one pixel right and down
      const TColor c = pass == 0 ? Office11MarkArrowShadowColor() : Office11MarkArrowColor();
      if (AVertical) {
        MarkArrowGlyph(DC, AMarkRect.Right - n - 8 + d, AMarkRect.Bottom - m - 6 + d, true, c);
        if (AHidesItems) MarkChevrons(DC, AMarkRect.Left - m + 3 + d, AMarkRect.Bottom - n - 7 + d, true, c);
      } else {
        MarkArrowGlyph(DC, AMarkRect.Right - m - 6 + d, AMarkRect.Bottom - n - 8 + d, false, c);
        if (AHidesItems) MarkChevrons(DC, AMarkRect.Right - m - 7 + d, AMarkRect.Top - n + 3 + d, false, c);
      }
    }
  });
}

}  // namespace

// Without the window at hand the mark is taken for that of a bordered bar.
void TdxBarOffice11Painter::BarDrawMark(HDC DC, const TRect& AMarkRect, bool AVertical, bool AHidesItems, int32_t) {
  MarkGlyphs(DC, AMarkRect, AVertical, AHidesItems, 0, 0);
}

void TdxBarOffice11Painter::BarDrawMarkFaded(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  BarDrawMarkFadedBackground(ABarControl, DC, R);
  const bool inner = !ABarControl->HasBorder() || ABarControl->IsMainMenuBar();
  MarkGlyphs(DC, R, ABarControl->IsVertical(), ABarControl->HiddenLinks, inner ? 2 : 0, inner ? 1 : 0);
}

// ---------------------------------------------------------------- items

void TdxBarOffice11Painter::ItemFrameSelection(TCustomdxBarControl*, HDC DC, const TRect& R) {
  if (DC && !R.IsEmpty()) FrameOffice11Rect(DC, R);
}

void TdxBarOffice11Painter::ItemDrawArrow(HDC DC, const TRect& R, int32_t ADirection, TColor, bool, bool ASelected,
                                          bool AEnabled) {
  if (!DC || R.IsEmpty()) return;
  const bool down = ADirection == 1;
  const int32_t f = down ? R.Height() - 6 : R.Width() - 8;
  int32_t size = (f - 1) / 2 + (f % 2 != 0 ? 1 : 0);
  size = std::max(size, 3);
  Clipped(DC, R, [&] { DrawArrowGlyph(DC, R, down, AEnabled, ASelected, size); });
}

void TdxBarOffice11Painter::ItemDrawLargeArrow(HDC DC, const TRect& R, int32_t ADirection, TColor, bool,
                                               bool ASelected, bool AEnabled, int32_t ASize) {
  if (!DC || R.IsEmpty()) return;
  Clipped(DC, R, [&] { DrawArrowGlyph(DC, R, ADirection == 1, AEnabled, ASelected, ASize); });
}

// The background and frame of a button, or of an item's glyph part, by state:
//   open menu or drop-down (toolbar)  bar gradient, the open menu's shadow
//   hot                               hot gradient, selection frame
//   down or pressed, and hot          pressed gradient reversed, selection frame
//   down or pressed, not hot          pressed gradient (a solid down colour
//                                     when its ends are equal), no frame
void TdxBarOffice11Painter::ItemDrawGlyphFrame(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  HDC dc = DCOf(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  TdxBarItemControl* control = ADrawParams->BarItemControl();
  if (control && control->HasStyleBrush()) {
    FillRect(dc, &R, control->BackgroundBrush());
    return;
  }
  TCustomdxBarControl* bar = BarOf(ADrawParams);
  const bool menu = InMenu(ADrawParams);
  const bool down = IsDown(ADrawParams), pressed = ADrawParams->IsPressed, selected = ADrawParams->DrawSelected;
  const bool open = ADrawParams->DroppedDown && !pressed && !menu;
  const bool active = pressed || selected || down;
  const bool horizontal = GradientHorizontal(bar);
  if (open) {
    PaintGradientRect(dc, R, Office11BarColor1(), horizontal, Office11BarColor2());
  } else if (active && !menu) {
    if (selected && !(down || pressed))
      PaintGradientRect(dc, R, Office11HotColor1(), horizontal, Office11HotColor2());
    else if (selected)
      PaintGradientRect(dc, R, Office11PressedColor2(), horizontal, Office11PressedColor1());
    else if (ColorToRGB(Office11PressedColor1()) == ColorToRGB(Office11PressedColor2()))
      Fill(dc, R, Office11DownColor());
    else
      PaintGradientRect(dc, R, Office11PressedColor1(), horizontal, Office11PressedColor2());
  } else {
    ItemFillOrParentBackground(ADrawParams, R, active ? ItemBrushFor(ADrawParams) : nullptr);
  }
  if (open) {
    // The open menu's shadow joins it to the bar.
    if (TCustomdxBarControl* child = control ? control->GetSubMenuControl() : nullptr)
      Clipped(dc, R, [&] { FlatDrawBarShadow(bar, child, dc); });
    return;
  }
  if (selected && !menu)
    ItemFrameSelection(bar, dc, R);
  else if (pressed)
    FrameRectWithColor(dc, R, Office11SelectionFrameColor());
}

void TdxBarOffice11Painter::DrawButtonFace(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, int32_t AState) {
  HDC dc = DCOf(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  TCustomdxBarControl* bar = BarOf(ADrawParams);
  TRect inside = R;
  inside.Inflate(-1, -1);
  if (ADrawParams->DrawSelected) {
    ItemFrameSelection(bar, dc, R);
    HBRUSH brush = AState == 2 ? (bar ? bar->GetDownSelectedItemBrush() : DownSelectedItemBrush())
                               : (bar ? bar->GetSelectedItemBrush() : SelectedItemBrush());
    if (!inside.IsEmpty() && brush) FillRect(dc, &inside, brush);
  } else if (ADrawParams->Enabled) {
    if (HBRUSH parent = bar ? bar->GetBackgroundBrush() : ToolbarBrush()) FrameRect(dc, &R, parent);
    Fill(dc, inside, Office11FaceLightColor());
  } else {
    FrameRectWithColor(dc, R, Office11DisabledTextColor());
    Fill(dc, inside, clBtnFace);
  }
}

// Menu entries: the selection frame round a selected entry, the menu
// background in the idle entry's ring, and the parts round the icon.
void TdxBarOffice11Painter::ItemBeforePaint(TdxBarItemControlDrawParams* ADrawParams) {
  HDC dc = DCOf(ADrawParams);
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(BarOf(ADrawParams));
  if (!dc || !menu) return;
  const TRect entry = menu->GetItemRect(ADrawParams->BarItemControl());
  if (entry.IsEmpty()) return;
  const int32_t glyphArea = menu->GetGlyphAreaWidth();
  const TRect icon = SubMenuIconRect(entry, glyphArea);
  const bool selected = ADrawParams->DrawSelected;
  HBRUSH selectedBrush = menu->GetSelectedItemBrush();
  auto fill = [&](const TRect& part) {
    if (part.IsEmpty()) return;
    if (selected && selectedBrush)
      FillRect(dc, &part, selectedBrush);
    else
      menu->DrawBackground(dc, part, false, clNone, menu->GetBackgroundBrush());
  };
  if (selected) {
    ItemFrameSelection(menu, dc, entry);
  } else {
    const TRect ring[] = {TRect(entry.Left, entry.Top, entry.Right, entry.Top + 1),
                          TRect(entry.Left, entry.Bottom - 1, entry.Right, entry.Bottom),
                          TRect(entry.Left, entry.Top + 1, entry.Left + 1, entry.Bottom - 1),
                          TRect(entry.Right - 1, entry.Top + 1, entry.Right, entry.Bottom - 1)};
    for (const TRect& part : ring) fill(part);
  }
  TRect inner = entry;
  inner.Inflate(-1, -1);
  Clipped(dc, inner, [&] {
    fill(TRect(icon.Right, inner.Top, icon.Right + 2, inner.Bottom));
    fill(TRect(icon.Left, inner.Top, icon.Right, icon.Top));
    fill(TRect(icon.Left, icon.Bottom, icon.Right, inner.Bottom));
    fill(TRect(icon.Right + 2, inner.Top, inner.Right, inner.Bottom));
  });
}

// ---------------------------------------------------------------- sub-menus

void TdxBarOffice11Painter::SubMenuFillBackground(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R,
                                                  HBRUSH ABrush) {
  if (!ASubMenu || !DC || R.IsEmpty()) return;
  if (TBitmap* bitmap = ASubMenu->GetBackgroundBitmap(); bitmap && !bitmap->Empty()) {
    TdxBarFlatPainter::SubMenuFillBackground(ASubMenu, DC, R, ABrush);
    return;
  }
  const int32_t band = SubMenuRecentAreaWidth(ASubMenu, ASubMenu->GetGlyphAreaWidth(), ASubMenu->GetSideBarWidth());
  Clipped(DC, R, [&] {
    const TRect bandRect(0, R.Top, band, R.Bottom);
    FillTwoPhaseGradientRect(DC, bandRect, Office11BarColor1(), true, Office11BarColor2());
    int32_t x = band;
    if (SubMenuOffsetRecentGroup()) {
      const int32_t strip = ASubMenu->GetDefaultItemHeight() + 2;
      Fill(DC, TRect(x, R.Top, x + strip, R.Bottom), Office11BarColor2());
      x += strip;
    }
    const TRect rest(std::max(x, R.Left), R.Top, R.Right, R.Bottom);
    if (!rest.IsEmpty()) FillRect(DC, &rest, SubMenuItemBrush());
  });
}

void TdxBarOffice11Painter::BarDrawOwnerFrame(TdxBarSubMenuControl* ASubMenu, HDC DC) {
  if (!ASubMenu || !DC) return;
  const TRect gap = ASubMenu->GetOwnerGapRect();
  if (!gap.IsEmpty()) FillRect(DC, &gap, SubMenuItemBrush());
}

void TdxBarOffice11Painter::SubMenuDrawBorder(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R) {
  if (!ASubMenu || !DC || R.IsEmpty()) return;
  FrameRectWithColor(DC, R, Office11MenuBorderColor);
  BarDrawOwnerFrame(ASubMenu, DC);
  if (!ASubMenu->IsDetachable()) return;
  TRect band = R;
  band.Inflate(-1, -1);
  band.Bottom = std::min(band.Bottom, band.Top + SubMenuDetachCaptionSize(ASubMenu->GetDetachCaptionHeight()));
  if (band.IsEmpty()) return;
  Fill(DC, TRect(band.Left, band.Top, band.Right, std::min(band.Bottom, band.Top + 2)), Office11MenuColor);
  Fill(DC, TRect(band.Left, std::max(band.Top, band.Bottom - 1), band.Right, band.Bottom), Office11MenuColor);
  band.Top += 2;
  band.Bottom -= 1;
  band.Inflate(-1, 0);
  if (!band.IsEmpty()) SubMenuDrawDetachBand(ASubMenu, DC, band, ASubMenu->IsDetachBandHot());
}

void TdxBarOffice11Painter::SubMenuDrawClientEdge(TdxBarSubMenuControl* ASubMenu, HDC DC, TRect& R, HBRUSH) {
  if (!ASubMenu || !DC || R.IsEmpty()) return;
  TBitmap* bitmap = ASubMenu->GetBackgroundBitmap();
  if ((bitmap && !bitmap->Empty()) || ASubMenu->GetSideBarWidth() > 0) {
    FrameRectWithColor(DC, R, Office11MenuColor);
  } else {
    Fill(DC, TRect(R.Left, R.Top, R.Right, R.Top + 1), Office11MenuColor);
    Fill(DC, TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Office11MenuColor);
    Fill(DC, TRect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), Office11MenuColor);
    Fill(DC, TRect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), Office11BarColor1());
  }
  R.Inflate(-1, -1);
}

void TdxBarOffice11Painter::SubMenuDrawDetachBand(TdxBarSubMenuControl*, HDC DC, const TRect& R, bool AHot) {
  if (!DC || R.IsEmpty()) return;
  if (AHot) {
    FrameOffice11Rect(DC, R);
    TRect inside = R;
    inside.Inflate(-1, -1);
    Fill(DC, inside, Office11SelectedColor);
  } else {
    Fill(DC, R, Office11DetachBandColor());
  }
  TRect dots = R;
  dots.Inflate(-R.Width() / 4, AHot ? 0 : -1);
  Office11DrawGradient(DC, dots, false);
}

void TdxBarOffice11Painter::SubMenuDrawExpandArrows(TdxBarSubMenuControl*, HDC DC, const TRect& R, bool) {
  TBitmap* bitmap = Office11SubMenuExpandBitmap();
  if (!DC || R.IsEmpty() || !bitmap || bitmap->Empty()) return;
  const int32_t side = R.Height() - 2;
  if (side <= 0) return;
  const TRect square(R.Left + (R.Width() - side) / 2, R.Top + 1, R.Left + (R.Width() - side) / 2 + side, R.Top + 1 + side);
  Clipped(DC, R, [&] {
    // Pixel (0, 0) of the bitmap is its transparent colour.
    TransparentBlt(DC, square.Left + (side - bitmap->Width()) / 2, square.Top + (side - bitmap->Height()) / 2,
                   bitmap->Width(), bitmap->Height(), bitmap->Canvas()->Handle(), 0, 0, bitmap->Width(),
                   bitmap->Height(), UINT(GetPixel(bitmap->Canvas()->Handle(), 0, 0)));
  });
}

// ---------------------------------------------------------------- owner links

void TdxBarOffice11Painter::FlatDrawOwnerFrame(TCustomdxBarControl*, HDC DC, const TRect& R) {
  if (DC && !R.IsEmpty()) FrameRectWithColor(DC, R, Office11MenuBorderColor);
}

// The strip joining an open menu to its toolbar owner takes the bar colour of
// the owner's half it lies on.
void TdxBarOffice11Painter::FlatDrawOwnerLink(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!DC || R.IsEmpty()) return;
  TCustomdxBarControl* ownerBar = nullptr;
  if (ABarControl) ownerBar = dynamic_cast<TCustomdxBarControl*>(ABarControl->OwnerControl());
  if (!ABarControl || !dynamic_cast<TdxBarControl*>(ownerBar)) {
    TdxBarFlatPainter::FlatDrawOwnerLink(ABarControl, DC, R);
    return;
  }
  const TRect owner = ABarControl->OwnerRect();
  const bool far = R.Width() > R.Height() ? R.Top >= (owner.Top + owner.Bottom) / 2
                                          : R.Left >= (owner.Left + owner.Right) / 2;
  Fill(DC, R, far ? Office11BarColor2() : Office11BarColor1());
}

// ---------------------------------------------------------------- edits and combos

void TdxBarOffice11Painter::DropDownDrawBorder(HDC DC, TColor, const TRect& R) {
  if (!DC || R.IsEmpty()) return;
  FrameRectWithColor(DC, R, Office11MenuBorderColor);
  TRect inside = R;
  inside.Inflate(-1, -1);
  if (!inside.IsEmpty()) FrameRectWithColor(DC, inside, Office11MenuColor);
}

void TdxBarOffice11Painter::EditDrawBackground(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R) {
  HDC dc = DCOf(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  if (InMenu(ADrawParams))
    Fill(dc, R, Office11FaceLightColor());
  else
    ItemFillOrParentBackground(ADrawParams, R, ADrawParams->DrawSelected ? ItemBrushFor(ADrawParams) : nullptr);
}

void TdxBarOffice11Painter::EditDrawBorderByState(TdxBarEditLikeControlDrawParams* ADrawParams, TRect& R) {
  HDC dc = DCOf(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  if (ADrawParams->DrawSelected)
    FrameOffice11Rect(dc, R);
  else if (!ADrawParams->Enabled)
    FrameRectWithColor(dc, R, Office11DisabledTextColor());
  else if (!InMenu(ADrawParams) || ADrawParams->DroppedDown)
    ItemDrawBackgroundBrush(ADrawParams, R, nullptr);
  else
    FrameRectWithColor(dc, R, Office11FaceLightColor());
  R.Inflate(-1, -1);
}

void TdxBarOffice11Painter::ComboDrawPlainButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  HDC dc = DCOf(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  TCustomdxBarControl* bar = BarOf(ADrawParams);
  if (ADrawParams->DrawSelected) {
    TRect r = R;
    r.Inflate(1, 1);
    Clipped(dc, r, [&] {
      FrameOffice11Rect(dc, r);
      TRect inside = r;
      inside.Inflate(-1, -1);
      const bool horizontal = GradientHorizontal(bar);
      if (ADrawParams->DroppedDown)
        PaintGradientRect(dc, inside, Office11PressedColor2(), horizontal, Office11PressedColor1());
      else
        PaintGradientRect(dc, inside, Office11HotColor1(), horizontal, Office11HotColor2());
    });
    return;
  }
  HBRUSH frame = ADrawParams->Enabled ? ItemBrushFor(ADrawParams) : SysColorBrushValue(COLOR_BTNFACE);
  // The frame's left column is the line between the edit and its button.
  if (frame) FrameRect(dc, &R, frame);
  TRect inside = R;
  inside.Inflate(-1, -1);
  if (inside.IsEmpty()) return;
  if (ADrawParams->Enabled && InMenu(ADrawParams))
    Fill(dc, inside, Office11FaceLightColor());
  else if (ADrawParams->Enabled)
    ItemFillOrParentBackground(ADrawParams, inside, nullptr);
  else
    FillRect(dc, &inside, SysColorBrushValue(COLOR_BTNFACE));
}
