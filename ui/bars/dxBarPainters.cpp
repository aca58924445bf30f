// The base bar painter: its metrics, margins, colours and brushes, the mark
// glyphs, the drop-down part and the small drawing the other operations build
// on. Operations that draw whole windows, menus or edit-like items with the
// windows' own state draw nothing here until those windows offer that state;
// the item controls' drawing lives in dxBarPainterItems.cpp.
#include "ui/bars/dxBarPainters.h"

#include <cmath>
#include <functional>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/stdctrlspaint.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarElements.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxOffice11.h"

win::HBRUSH SysColorBrushValue(int32_t AIndex) { return reinterpret_cast<win::HBRUSH>(uintptr_t(AIndex + 1)); }

namespace {

// A filled triangle row by row: ARow(0) .. ARow(ACount - 1) in a solid brush
// of AColor, which gives exact pixels without an outline pen.
void FillRows(win::HDC DC, TColor AColor, int32_t ACount, const std::function<TRect(int32_t)>& ARow) {
  win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(ColorToRGB(AColor)));
  for (int32_t k = 0; k < ACount; ++k) {
    const TRect r = ARow(k);
    win::FillRect(DC, &r, brush);
  }
  win::DeleteObject(brush);
}

// Pascal's div 2 rounded up, for either sign.
int32_t HalfUp(int32_t A) { return A >= 0 ? (A + 1) / 2 : A / 2; }

}  // namespace

// ---------------------------------------------------------------- general

void TdxBarPainter::BarPaintOwnFrame(TCustomdxBarControl*, win::HDC) {}

TRect TdxBarPainter::FloatingBarClientRect(const TRect& AWindowRect) {
  TRect r = AWindowRect;
  r.Inflate(-FrameWidth(), -FrameHeight());
  r.Bottom = r.Top + SmallCaptionHeight();
  return r;
}

bool TdxBarPainter::PaintsOwnFrames() { return false; }
bool TdxBarPainter::NeedsDoubleBuffer() { return false; }
bool TdxBarPainter::AllowsLargeIcons() { return true; }
bool TdxBarPainter::HasExtendedInterface() { return false; }

void TdxBarPainter::ApplyLookAndFeel(TdxBarManager* AManager, TcxLookAndFeel* ALookAndFeel) {
  if (AManager && ALookAndFeel) AManager->AssignLookAndFeelTo(ALookAndFeel);
}

// ---------------------------------------------------------------- items: answers

void TdxBarPainter::ItemDrawGlyphFrame(TdxBarItemControlDrawParams*, const TRect&) {}
void TdxBarPainter::ItemDrawCheckAt(TdxBarItemControlDrawParams*, const TRect&, int32_t) {}
void TdxBarPainter::ItemFrameSelection(TCustomdxBarControl*, win::HDC, const TRect&) {}

TColor TdxBarPainter::ItemTextColor(bool ASelected, bool ANonFlat) {
  return ASelected && ANonFlat ? clHighlightText : clBtnText;
}

void TdxBarPainter::ItemDisabledTextColors(bool ASelected, bool AFlat, TColor& ALightColor, TColor& ADarkColor) {
  if (ASelected || AFlat) {
    ALightColor = clGrayText;
    ADarkColor = clGrayText;
  } else {
    ALightColor = clBtnHighlight;
    ADarkColor = clBtnShadow;
  }
}

TColor TdxBarPainter::ItemCaptionTextColor(bool ASelected, bool ANonFlat) { return ItemTextColor(ASelected, ANonFlat); }

// No painter here uses item style colours, and items carry no style.
TColor TdxBarPainter::ItemStyleTextColor(TdxBarItemControl*) { return clDefault; }

bool TdxBarPainter::UseFadedImages(TCustomdxBarControl* ABarControl) {
  TdxBarManager* m = ABarControl ? ABarControl->GetBarManager() : nullptr;
  return m && m->MakeDisabledImagesFaded();
}

bool TdxBarPainter::IsStandardStyle() { return false; }
bool TdxBarPainter::SubMenuPlainSeparators() { return false; }
bool TdxBarPainter::KeepsPressedContentInPlace() { return false; }
bool TdxBarPainter::UsesItemStyleColors() { return false; }
TRect TdxBarPainter::ItemCaptionMargins() { return TRect(4, 0, 0, 0); }

TdxBarItemControlDrawParams* TdxBarPainter::AdjustDrawParams(TdxBarItemControlDrawParams* ADrawParams) {
  return ADrawParams;
}

void TdxBarPainter::FillRectByColorOn(TcxCanvas* ACanvas, const TRect& R, TColor AColor) {
  ACanvas->FillRect(R, AColor);
}

void TdxBarPainter::DrawEmbossedArrow(win::HDC DC, const TRect& R, int32_t ADirection, bool AEnabled) {
  if (!AEnabled) {
    TRect light = R;
    light.Offset(1, 1);
    DrawItemArrowFitted(DC, light, ADirection, clBtnHighlight, true, true, false);
  }
  DrawItemArrowFitted(DC, R, ADirection, AEnabled ? clBtnText : clBtnShadow, true, true, false);
}

void TdxBarPainter::DrawCenteredText(win::HDC DC, const std::string& AText, TRect R, TPoint AOffset,
                                     bool ATransparent) {
  R.Offset(AOffset.X, AOffset.Y);
  const win::COLORREF text = win::SetTextColor(DC, win::GetSysColor(win::COLOR_BTNTEXT));
  const win::COLORREF back = win::SetBkColor(DC, win::GetSysColor(win::COLOR_BTNFACE));
  const int mode = win::SetBkMode(DC, ATransparent ? win::TRANSPARENT : win::OPAQUE);
  win::DrawText(DC, AText, -1, &R, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
  win::SetBkMode(DC, mode);
  win::SetBkColor(DC, back);
  win::SetTextColor(DC, text);
}

int32_t TdxBarPainter::HalfFontHeight(TcxCanvas* ACanvas) { return ACanvas->MeasureTextHeight("Wg") / 2; }
int32_t TdxBarPainter::CaptionHeightOf(TcxCanvas* ACanvas) { return ACanvas->MeasureTextHeight("Wg") + 6; }
int32_t TdxBarPainter::PopupBorderWidth() { return 2; }
void TdxBarPainter::ItemBeforePaint(TdxBarItemControlDrawParams*) {}

void TdxBarPainter::DrawLoweredFrame(win::HDC DC, TRect& R) {
  win::DrawEdge(DC, &R, win::BDR_SUNKENOUTER, win::BF_RECT);
  R.Inflate(-1, -1);
}

void TdxBarPainter::DrawButtonFace(TdxBarItemControlDrawParams*, const TRect&, int32_t) {}
TRect TdxBarPainter::CaptionOffsets() { return TRect(2, 2, 2, 3); }
int32_t TdxBarPainter::ItemGlyphDownShift() { return 0; }
int32_t TdxBarPainter::ItemGlyphPressedShift() { return 0; }
bool TdxBarPainter::UsesFlatGlyphShadow() { return false; }
bool TdxBarPainter::IsFlatStyle() { return false; }
bool TdxBarPainter::IsFlatNotThemed() { return IsFlatStyle() && !IsHighContrastWhite(); }
bool TdxBarPainter::ItemReservedQuery() { return false; }
bool TdxBarPainter::UsesGlyphShadow() { return false; }
bool TdxBarPainter::ButtonClassicLook() { return true; }
int32_t TdxBarPainter::ItemGapWidth() { return 0; }

int32_t TdxBarPainter::ItemBandIndent(bool AMenuFashion, int32_t ADefaultItemHeight) {
  return AMenuFashion ? ADefaultItemHeight + 1 : 0;
}

int32_t TdxBarPainter::ButtonArrowWidthOf(TdxBarManager* AManager) {
  const int32_t w = AManager->ButtonArrowWidth() * (AManager->LargeIcons() ? 2 : 1);
  return w % 2 == 0 ? w + 1 : w;
}

int32_t TdxBarPainter::LargeButtonArrowWidthOf(TdxBarManager* AManager) { return AManager->LargeButtonArrowWidth(); }

TRect TdxBarPainter::ItemTextMargins() { return TRect(3, 0, 3, 0); }
bool TdxBarPainter::ButtonArrowFlat() { return IsFlatStyle(); }
bool TdxBarPainter::ButtonArrowFlat2() { return IsFlatStyle(); }
int32_t TdxBarPainter::ButtonBorderHeight() { return 6; }
int32_t TdxBarPainter::ButtonBorderWidth() { return 7; }
int32_t TdxBarPainter::ButtonHeightWithBorder(int32_t AHeight) { return AHeight + ButtonBorderHeight(); }
int32_t TdxBarPainter::ButtonWidthWithBorder(int32_t AWidth) { return AWidth + ButtonBorderWidth(); }

TSize TdxBarPainter::ButtonSizeWithBorders(TSize ASize) {
  return TSize(ButtonWidthWithBorder(ASize.cx), ButtonHeightWithBorder(ASize.cy));
}

TSize TdxBarPainter::ArrowSize() { return TSize(5, 3); }
void TdxBarPainter::AdjustGlyphAreaWidth(TCustomdxBarControl*, int32_t&) {}
void TdxBarPainter::AdjustBackgroundOffset(TdxBarItemControlDrawParams*, TPoint&) {}
TColor TdxBarPainter::ButtonFrameColor() { return clBtnText; }
int32_t TdxBarPainter::DropDownArrowIndent() { return 1; }

// ---------------------------------------------------------------- hints

TPoint TdxBarPainter::HintPositionCalc(TCustomdxBarControl*, const TRect&, int32_t, TPoint ACursorPos) {
  return ACursorPos;
}

TdxBarHintViewInfo* TdxBarPainter::CreateHintViewInfo(TdxBarManager*, const std::string&, const std::string&) {
  return nullptr;
}

// ---------------------------------------------------------------- bars, docks, marks

bool TdxBarPainter::BarIsNarrow(const TRect& R) { return R.Height() < 17; }

TColor TdxBarPainter::BarCaptionBackColor(bool AMainFormActive) {
  return AMainFormActive ? clActiveCaption : clInactiveCaption;
}

TColor TdxBarPainter::BarCaptionTextColor(bool) { return clCaptionText; }
TColor TdxBarPainter::BarMarkArrowColorOf(int32_t) { return clCaptionText; }

//   x0 ....... x0+6
//   #######        row 0
//    #####         row 1
//     ###          row 2
//      #           row 3
void TdxBarPainter::BarDrawMarkArrow(win::HDC DC, const TRect& R, int32_t AMarkState) {
  const int32_t x = (R.Left + R.Right - 7) / 2;
  const int32_t y = HalfUp(R.Top + R.Bottom - 4);
  FillRows(DC, BarMarkArrowColorOf(AMarkState), 4,
           [&](int32_t k) { return TRect(x + k, y + k, x + 7 - k, y + k + 1); });
}

// Two polylines one pixel apart make the chevron two pixels thick; LineTo
// leaves out each end point.
void TdxBarPainter::BarDrawMarkChevron(win::HDC DC, int32_t X, bool AVertical, bool ANarrow, int32_t AClientWidth) {
  win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, win::GetSysColor(win::COLOR_BTNTEXT));
  win::HGDIOBJ previous = win::SelectObject(DC, pen);
  for (int32_t d = 0; d < 2; ++d) {
    if (AVertical) {
      const int32_t w = AClientWidth, y = X + d;
      win::MoveToEx(DC, w - 8, y, nullptr);
      win::LineTo(DC, w - 6, y + 2);
      win::LineTo(DC, w - 3, y - 1);
    } else {
      const int32_t t = ANarrow ? 3 : 4, x = X + d;
      win::MoveToEx(DC, x, t, nullptr);
      win::LineTo(DC, x + 2, t + 2);
      win::LineTo(DC, x - 1, t + 5);
    }
  }
  RestoreAndDeleteGdiObject(DC, previous);
}

void TdxBarPainter::BarDrawMarkBackground(TdxBarControl*, win::HDC, const TRect&, int32_t) {}

void TdxBarPainter::BarDrawMark(win::HDC DC, const TRect& AMarkRect, bool AVertical, bool AHidesItems,
                                int32_t AClientWidth) {
  const bool narrow = BarIsNarrow(AMarkRect);
  if (BarShowsMark()) {
    const TColor color = TColor(0xFF000000u | uint32_t(BarMarkElementColor()));
    if (AVertical) {
      // Points right: columns of 5, 3 and 1 pixels.
      const int32_t x = AMarkRect.Left + 5, y = AMarkRect.Top + 3;
      FillRows(DC, color, 3, [&](int32_t k) { return TRect(x + k, y + k, x + k + 1, y + 5 - k); });
    } else {
      const int32_t x = AMarkRect.Left + 3, y = AMarkRect.Bottom - 7 + (narrow ? 1 : 0);
      FillRows(DC, color, 3, [&](int32_t k) { return TRect(x + k, y + k, x + 5 - k, y + k + 1); });
    }
  }
  if (AHidesItems) {
    const int32_t lead = AVertical ? AMarkRect.Top : AMarkRect.Left;
    BarDrawMarkChevron(DC, lead + 2, AVertical, narrow, AClientWidth);
    BarDrawMarkChevron(DC, lead + 6, AVertical, narrow, AClientWidth);
  }
}

int32_t TdxBarPainter::FloatingCaptionTextOffset(const TRect& AMarkButtonRect) { return AMarkButtonRect.Right + 3; }
int32_t TdxBarPainter::BarMarkElementColor() { return win::COLOR_BTNTEXT; }

int32_t TdxBarPainter::ToolbarsAutoAlignOffset() { return 0; }
int32_t TdxBarPainter::BarItemIndent(TCustomdxBarControl*) { return 0; }

int32_t TdxBarPainter::BarRowHeightByFont(int32_t AItemSize, double AScaleFactor, int32_t ADefaultItemHeight) {
  // Round half to even, as the window's other scaled sizes are rounded.
  return AItemSize != 0 ? int32_t(std::nearbyint(40 * AScaleFactor)) : ADefaultItemHeight;
}

int32_t TdxBarPainter::BarGripIndent(TdxBarControl*) { return 0; }
int32_t TdxBarPainter::FrameWidth() { return win::GetSystemMetrics(win::SM_CXFRAME); }
int32_t TdxBarPainter::FrameHeight() { return win::GetSystemMetrics(win::SM_CYFRAME); }
int32_t TdxBarPainter::BarNoGripIndent(TdxBarControl*) { return 0; }
int32_t TdxBarPainter::BarGripAreaSize(TdxBarControl*) { return 0; }
int32_t TdxBarPainter::BarGripWidth() { return 3; }

void TdxBarPainter::DockFillBackground(TdxDockControl*, win::HDC DC, const TRect& ADest, const TRect& ASource,
                                       TBitmap* ABitmap, TColor AColor) {
  FillRectWithBitmapOrColor(DC, ADest, ASource, ABitmap, AColor, nullptr);
}

bool TdxBarPainter::HasNativeBackground() { return false; }
bool TdxBarPainter::BarChildShadows() { return false; }
bool TdxBarPainter::BarHasShadow(bool ADocked) { return ButtonArrowFlat() && !ADocked; }
bool TdxBarPainter::BarShadowJoinsOwner(bool ADocked, bool AParentDocked) {
  return BarHasShadow(ADocked) && AParentDocked;
}
// The manager keeps no owner brush of its own: owners are drawn in the toolbar brush.
win::HBRUSH TdxBarPainter::BarOwnerBrush(TdxBarManager*) { return ToolbarBrush(); }
int32_t TdxBarPainter::DockRowSpacing() { return 0; }

win::HBRUSH TdxBarPainter::ToolbarBrush() { return SysColorBrushValue(win::COLOR_BTNFACE); }
win::HBRUSH TdxBarPainter::ToolbarBrushFor(TCustomdxBarControl*) { return ToolbarBrush(); }
win::HBRUSH TdxBarPainter::DownItemBrush() { return DitherBrush(); }
win::HBRUSH TdxBarPainter::DownSelectedItemBrush() { return SysColorBrushValue(win::COLOR_BTNFACE); }
win::HBRUSH TdxBarPainter::SelectedItemBrush() { return SysColorBrushValue(win::COLOR_HIGHLIGHT); }
int32_t TdxBarPainter::ComboDropDownButtonWidth(int32_t AZeroWidth) { return 2 * AZeroWidth - 1; }

int32_t TdxBarPainter::BarRowHeightFull(int32_t ARowHeight) {
  // The bar's border sizes are taken off and added back: they cancel.
  const TRect edit = EditBorderRect(), offsets = CaptionOffsets();
  return ARowHeight + edit.Top + edit.Bottom + offsets.Top + offsets.Bottom;
}

void TdxBarPainter::BarBorderSizes(TdxBar*, TdxBarDockingStyle, int32_t& AWidth, int32_t& AHeight) {
  AWidth = 2;
  AHeight = 2;
}

void TdxBarPainter::BarResizeHook(TCustomdxBarControl*) {}
bool TdxBarPainter::HasFlatLook() { return true; }
bool TdxBarPainter::BarShowsMark() { return true; }
int32_t TdxBarPainter::BarSeparatorIndent() { return (BarSeparatorSize() - 2) / 2; }
int32_t TdxBarPainter::BarSeparatorSize() { return 6; }

TRect TdxBarPainter::BarContentMargins() {
  const int32_t m = BarContentMargin();
  return TRect(m, m, m, m);
}

int32_t TdxBarPainter::BarContentMargin() { return 1; }
TRect TdxBarPainter::BarMargins(TdxBar*, TdxBarDockingStyle) { return TRect(2, 2, 2, 2); }
int32_t TdxBarPainter::FloatingCaptionHeightPlus1() { return SmallCaptionHeight() + 1; }
void TdxBarPainter::BarFillCaption(win::HDC DC, const TRect& R) { win::FillRect(DC, &R, ToolbarBrush()); }
int32_t TdxBarPainter::SmallCaptionHeight() { return ReadNonClientMetrics().iSmCaptionHeight; }
bool TdxBarPainter::FillsCaptionBackground() { return false; }

TSize TdxBarPainter::CloseButtonSize() {
  const int32_t h = SmallCaptionHeight();
  return TSize(h, h);
}

void TdxBarPainter::BarDrawCaptionCloseButton(TdxBarControl*, win::HDC, const TRect&, int32_t) {}
void TdxBarPainter::BarDrawDockedBorder(TdxBarControl*, win::HDC, const TRect&) {}
void TdxBarPainter::BarDrawFloatingBorder(TdxBarControl*, win::HDC, const TRect&) {}

void TdxBarPainter::BarDrawCaptionMark(TdxBarControl*, win::HDC DC, const TRect& R, int32_t AMarkState) {
  BarDrawMarkArrow(DC, R, AMarkState);
}

void TdxBarPainter::BarPaintMDIButton(TdxBarControl*, win::HDC, const TRect&, int32_t, int32_t) {}
int32_t TdxBarPainter::FloatingFrameExtraWidth() { return 0; }
TRect TdxBarPainter::BarMarkRectEx(TdxBarControl* ABarControl) { return BarMarkRect(ABarControl); }
int32_t TdxBarPainter::FloatingFrameExtraTop() { return 0; }
int32_t TdxBarPainter::FloatingFrameExtraBottom() { return 0; }
bool TdxBarPainter::StandardFloatingQuery() { return false; }
bool TdxBarPainter::StandardMarkQuery() { return false; }
int32_t TdxBarPainter::BarMarkSize() { return 11; }
TRect TdxBarPainter::EmptyRect() { return TRect(); }
int32_t TdxBarPainter::SizeGripIndent() { return 2; }

TSize TdxBarPainter::SizeGripSize() {
  if (HasNativeBackground()) {
    TSize themed;
    ThemedSizeGripSize(themed);
    if (themed.cx > 0 && themed.cy > 0) return themed;
  }
  return TSize(win::GetSystemMetrics(win::SM_CXHSCROLL), win::GetSystemMetrics(win::SM_CYHSCROLL));
}

win::HBRUSH TdxBarPainter::ToolbarBrushEx(TCustomdxBarControl* ABarControl) { return ToolbarBrushFor(ABarControl); }

int32_t TdxBarPainter::QuickCustButtonRect(TRect& R) {
  R.Right = R.Left + R.Height();
  return R.Right;
}

void TdxBarPainter::QuickCustDrawButton(TdxBarItemControlDrawParams*, const TRect&, bool) {}
bool TdxBarPainter::QuickPopupOnRight() { return false; }
int32_t TdxBarPainter::SeparatorBarMetric(TCustomdxBarControl*) { return 0; }

// ---------------------------------------------------------------- drop-downs

TRect TdxBarPainter::DropDownButtonRect(const TRect& R, bool AHasDropDownPart) {
  const TRect indents = DropDownButtonIndents();
  TRect part(R.Left, R.Top + indents.Top, R.Right - indents.Right, R.Bottom - indents.Bottom);
  const int32_t w = DropDownButtonWidth(R.Height());
  if (!AHasDropDownPart || w >= R.Width() / 2)
    part.Left = part.Right;
  else
    part.Left = part.Right - w;
  return part;
}

int32_t TdxBarPainter::DropDownButtonWidth(int32_t AHeight) {
  const TRect indents = DropDownButtonIndents();
  return (AHeight - 4) / 7 * 7 - indents.Left - indents.Right + 4;
}

TRect TdxBarPainter::ComboBorderRect() { return EditBorderRect(); }

void TdxBarPainter::ComboDrawButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  ComboDrawPlainButton(ADrawParams, R);
  ItemDrawLargeArrowByParams(ADrawParams, R, 1, ButtonFrameColor());
}

void TdxBarPainter::ComboDrawPlainButton(TdxBarItemControlDrawParams*, const TRect&) {}
int32_t TdxBarPainter::DropDownBorderSize() { return 2; }

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

TRect TdxBarPainter::DropDownButtonIndents() { return TRect(1, 2, 1, 2); }
void TdxBarPainter::DropDownButtonState(TdxBarItemControlDrawParams*, const TRect&, int32_t) {}
void TdxBarPainter::DropDownDrawButton(TdxBarItemControlDrawParams*, const TRect&, int32_t) {}
void TdxBarPainter::DropDownDrawNonClient(TCustomdxBarControl*, win::HDC, const TRect&, bool, bool) {}
void TdxBarPainter::DropDownDrawGripArea(win::HDC, const TRect&, bool, bool) {}

int32_t TdxBarPainter::DropDownBottomPanelHeight() {
  const int32_t size = win::GetSystemMetrics(win::SM_CYSIZE), scroll = win::GetSystemMetrics(win::SM_CYHSCROLL);
  return scroll + 2 < size ? size + 1 : scroll + 3;
}

bool TdxBarPainter::DateIsFlat() { return false; }
void TdxBarPainter::DateDrawButton(win::HDC, const TRect&, const std::string&, bool) {}
TColor TdxBarPainter::DateHeaderColor() { return clBtnFace; }

// ---------------------------------------------------------------- sub-menus


void TdxBarPainter::DivideByThree(int32_t A, int32_t& AQuotient, int32_t& ARemainder) {
  AQuotient = A / 3 - 1;
  ARemainder = A % 3;
}

bool TdxBarPainter::SubMenuDetachQuery(TdxBarSubMenuControl*) { return false; }
int32_t TdxBarPainter::SubMenuGroupIndent() { return 0; }
bool TdxBarPainter::SubMenuHasSideBand() { return false; }
bool TdxBarPainter::SubMenuOffsetRecentGroup() { return false; }
int32_t TdxBarPainter::SubMenuScrollArrowsOffset() { return 2; }
int32_t TdxBarPainter::SubMenuExpandButtonSize(int32_t ADefaultItemHeight) { return ADefaultItemHeight / 4 * 3 + 1; }
int32_t TdxBarPainter::SubMenuSeparatorHeight() { return 10; }
int32_t TdxBarPainter::SubMenuItemHeightSum() { return SubMenuItemSpacing() + SubMenuBorderWidth(); }
int32_t TdxBarPainter::SubMenuItemSpacing() { return 1; }
int32_t TdxBarPainter::SubMenuBorderWidth() { return 1; }

void TdxBarPainter::SubMenuCalcItemMetrics(int32_t ADefaultItemHeight, int32_t AZeroHeight,
                                           int32_t& AExpandButtonHeight, int32_t& AArrowPartWidth) {
  AExpandButtonHeight = SubMenuExpandButtonSize(ADefaultItemHeight);
  int32_t h = AZeroHeight + 1;
  const int32_t b = SubMenuArrowBase(h);
  if (b % 2 != 0) h = 2 * b + 4;
  AArrowPartWidth = h;
}

TRect TdxBarPainter::SubMenuClientMargins() {
  const int32_t w = SubMenuBorderWidth();
  return TRect(w, w, w, w);
}

int32_t TdxBarPainter::SubMenuDetachCaptionSize(int32_t ADetachCaptionHeight) { return ADetachCaptionHeight + 3; }
int32_t TdxBarPainter::SubMenuFieldMetric(int32_t ARowHeightByFont) { return ARowHeightByFont; }

int32_t TdxBarPainter::SubMenuRecentAreaWidth(TCustomdxBarControl* ABarControl, int32_t AGlyphAreaWidth,
                                              int32_t ARecentIndent) {
  int32_t w = AGlyphAreaWidth + ARecentIndent;
  AdjustGlyphAreaWidth(ABarControl, w);
  return w;
}

int32_t TdxBarPainter::SubMenuCaptionInset() { return 0; }
int32_t TdxBarPainter::SubMenuReservedQuery() { return 0; }
int32_t TdxBarPainter::SubMenuArrowBase(int32_t AHeight) { return (AHeight - 6) / 2; }
int32_t TdxBarPainter::SubMenuItemMinHeight() { return 19; }

TRect TdxBarPainter::SubMenuIconRect(const TRect& AEntryRect, int32_t AGlyphAreaWidth) {
  TRect r = AEntryRect;
  r.Right = r.Left + AGlyphAreaWidth;
  return r;
}

TRect TdxBarPainter::SubMenuTextRect(const TRect& AEntryRect, int32_t AGlyphAreaWidth) {
  TRect r = AEntryRect;
  r.Left += SubMenuTextIndent(AGlyphAreaWidth);
  return r;
}

int32_t TdxBarPainter::SubMenuTextIndent(int32_t AGlyphAreaWidth) { return AGlyphAreaWidth + 3; }

TRect TdxBarPainter::SubMenuSeparatorRect(const TRect& AEntryRect, bool AFirstNonRecent, int32_t ASeparatorThickness) {
  TRect r = AEntryRect;
  r.Bottom = AEntryRect.Top - (AFirstNonRecent ? 1 : 0);
  r.Top = AEntryRect.Top - ASeparatorThickness;
  return r;
}

TRect TdxBarPainter::SubMenuInnerRect(const TRect& R) {
  TRect r = R;
  r.Inflate(-3, -3);
  return r;
}

void TdxBarPainter::SubMenuScrollHook(TdxBarSubMenuControl*) {}
void TdxBarPainter::SubMenuDrawItemSelection(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::SubMenuDrawSeparator(win::HDC DC, const TRect& R) {
  TRect r = R;
  win::DrawEdge(DC, &r, win::EDGE_ETCHED, win::BF_TOP);
}

void TdxBarPainter::SubMenuItemBrushQuery(TdxBarSubMenuControl*, win::HBRUSH& ABrush) {
  if (HasFlatLook()) ABrush = SubMenuItemBrush();
}

int32_t TdxBarPainter::SubMenuCaptionHeight(TcxCanvas* ACanvas) { return CaptionHeightOf(ACanvas); }
win::HBRUSH TdxBarPainter::SubMenuItemBrush() { return SysColorBrushValue(win::COLOR_BTNFACE); }
void TdxBarPainter::AppMenuDrawBorder(TdxBarApplicationMenuControl*, win::HDC, const TRect&) {}
void TdxBarPainter::AppMenuButtonDraw(TdxBarApplicationMenuControl*, win::HDC, const TRect&) {}
void TdxBarPainter::AppMenuFillBackground(TdxBarApplicationMenuControl*, win::HDC, const TRect&, const TRect&,
                                          win::HBRUSH) {}
TRect TdxBarPainter::AppMenuMargins() { return TRect(); }
void TdxBarPainter::ExtraPaneFillBackground(TdxBarExtraPaneControl*, win::HDC, const TRect&, TBitmap*, win::HBRUSH) {}
void TdxBarPainter::ExtraPaneDrawCaption(TdxBarExtraPaneControl*, win::HDC, const TRect&, win::HBRUSH) {}

// ---------------------------------------------------------------- edits, combos, spins, progress

TRect TdxBarPainter::EditTextMargins(TdxBar* ABar, const TRect& R) {
  const TRect offsets = CaptionOffsets();
  int32_t w = 0, h = 0;
  BarBorderSizes(ABar, dsTop, w, h);
  return TRect(R.Left + offsets.Left + w, R.Top + offsets.Top + h, R.Right - offsets.Right - w,
               R.Bottom - offsets.Bottom - h);
}

void TdxBarPainter::ItemCalcPartsCommon(TdxBarItemControl*, const TRect&) {}
void TdxBarPainter::ComboCalcParts(TdxBarComboControl*, const TRect&) {}
void TdxBarPainter::EditCalcParts(TdxBarCustomEditControl*, const TRect&) {}
void TdxBarPainter::SpinCalcParts(TdxBarCustomEditControl*, const TRect&) {}
void TdxBarPainter::EditDrawCaptionPart(TdxBarEditLikeControlDrawParams*, const TRect&) {}
TColor TdxBarPainter::EditBackColor() { return clWindow; }
TColor TdxBarPainter::EditDisabledBackColor(TColor ABarBrushColor) { return ABarBrushColor; }

TColor TdxBarPainter::EditBackColorFor(bool AEnabled, TColor AStyleColor, TColor ABarBrushColor) {
  if (!AEnabled) return EditDisabledBackColor(ABarBrushColor);
  return AStyleColor != clDefault ? AStyleColor : EditBackColor();
}

TColor TdxBarPainter::EditTextColorEnabled() { return clWindowText; }
TColor TdxBarPainter::EditTextColorDisabled() { return clGrayText; }

TColor TdxBarPainter::EditTextColorFor(bool AEnabled, TColor AStyleTextColor) {
  if (!AEnabled) return EditTextColorDisabled();
  return AStyleTextColor != clDefault ? AStyleTextColor : EditTextColorEnabled();
}

void TdxBarPainter::EditColors(bool AEnabled, TColor AStyleTextColor, TColor AStyleColor, TColor ABarBrushColor,
                               TColor& ATextColor, TColor& ABackColor) {
  ATextColor = EditTextColorFor(AEnabled, AStyleTextColor);
  ABackColor = EditBackColorFor(AEnabled, AStyleColor, ABarBrushColor);
}

bool TdxBarPainter::EditAllowsFrame() { return true; }
int32_t TdxBarPainter::EditReservedQueryA() { return 0; }
bool TdxBarPainter::EditParamsField(TdxBarEditLikeControlDrawParams*) { return false; }
int32_t TdxBarPainter::EditReservedQueryB() { return 0; }
int32_t TdxBarPainter::EditBorderKind() { return 0; }
void TdxBarPainter::EditHookA(TdxBarEditLikeControlDrawParams*) {}
void TdxBarPainter::EditDrawBackground(TdxBarEditLikeControlDrawParams*, const TRect&) {}
void TdxBarPainter::EditHookB(TdxBarEditLikeControlDrawParams*) {}
void TdxBarPainter::ComboDrawItem(TdxBarComboControl*, TcxCanvas*, int32_t, const TRect&) {}
void TdxBarPainter::EditDrawContent(TdxBarEditLikeControlDrawParams*, const TRect&) {}
TRect TdxBarPainter::EditBorderRect() { return TRect(2, 2, 2, 2); }
void TdxBarPainter::EditDrawCaptionArea(TdxBarEditLikeControlDrawParams*, const TRect&) {}
void TdxBarPainter::EditDrawBorderByState(TdxBarEditLikeControlDrawParams*, TRect&) {}
void TdxBarPainter::EditDrawCaptionText(TdxBarEditLikeControlDrawParams*, const TRect&) {}
void TdxBarPainter::EditDrawArrowFrame(TdxBarEditLikeControlDrawParams*, const TRect&) {}
void TdxBarPainter::EditDrawGlyphPart(TdxBarEditLikeControlDrawParams*, const TRect&) {}
bool TdxBarPainter::EditSelectedInMenu(bool AInMenu, bool ASelected, bool ADown) {
  return AInMenu && (ASelected || ADown);
}
bool TdxBarPainter::EditActiveInMenu(bool AInMenu, bool ADown) { return AInMenu && ADown; }
void TdxBarPainter::EditPaint(TdxBarEditLikeControlDrawParams*, const TRect&) {}
bool TdxBarPainter::EditIsFlatKind() { return false; }
TRect TdxBarPainter::EditCaptionRect(TdxBarEditLikeControlDrawParams*, const TRect&) { return TRect(); }
int32_t TdxBarPainter::EditCaptionIndent(bool AInMenu) { return AInMenu ? EditIndentInMenu() : EditIndent(); }
int32_t TdxBarPainter::EditIndentInMenu() { return 2; }
int32_t TdxBarPainter::EditIndent() { return 2; }
int32_t TdxBarPainter::EditGlyphIndent() { return 4; }
TRect TdxBarPainter::EditTextOffset() { return TRect(4, 0, 0, 0); }
win::HBRUSH TdxBarPainter::EditBrushOf(TCustomdxBarControl* ABarControl) { return ToolbarBrushFor(ABarControl); }
bool TdxBarPainter::EditGlyphSelected() { return false; }
void TdxBarPainter::EditRefreshWindowText(TdxBarWinControl*, const std::string&) {}
bool TdxBarPainter::EditSelectedInMenuKind() { return false; }
bool TdxBarPainter::ColorComboFullFrame() { return false; }
bool TdxBarPainter::ColorComboHasColorRect(const TRect& AColorRect) { return AColorRect.Right > AColorRect.Left; }
void TdxBarPainter::ColorComboCalcParts(TdxBarComboControl*, const TRect&) {}

TPoint TdxBarPainter::SpinArrowPos(const TRect& AButtonRect, bool) { return TPoint(AButtonRect.Left, AButtonRect.Top); }
int32_t TdxBarPainter::SpinCalcButtonWidth(int32_t) { return 0; }

void TdxBarPainter::SpinArrowSize(int32_t AButtonHeight, int32_t& AHalfHeight, int32_t& ARows, int32_t& AWidth) {
  AHalfHeight = AButtonHeight / 2;
  ARows = (AHalfHeight - 2) / 2;
  AWidth = 2 * ARows - 1;
}

void TdxBarPainter::SpinCalcButtonRects(const TRect& R, TRect& AUpRect, TRect& ADownRect) {
  const int32_t middle = R.Top + R.Height() / 2;
  AUpRect = TRect(R.Left, R.Top, R.Right, middle);
  ADownRect = TRect(R.Left, middle, R.Right, R.Bottom);
}

TRect TdxBarPainter::SpinButtonIndents() { return TRect(1, 0, 1, 0); }
int32_t TdxBarPainter::SpinButtonsWidth(int32_t) { return 0; }

int32_t TdxBarPainter::SpinButtonState(bool AEnabled, bool APressed, bool AHot) {
  if (!AEnabled) return 4;
  if (APressed) return 3;
  return AHot ? 2 : 1;
}

void TdxBarPainter::SpinDrawButton(TdxBarEditLikeControlDrawParams*, const TRect&, bool, int32_t) {}
void TdxBarPainter::SpinDrawFrame(TdxBarEditLikeControlDrawParams*, const TRect&) {}
TColor TdxBarPainter::ProgressBarColor() { return clHighlight; }
bool TdxBarPainter::ProgressStyleFlag() { return false; }
int32_t TdxBarPainter::ProgressBarHeight() { return 12; }
int32_t TdxBarPainter::ItemSideBandWidth() { return 0; }
void TdxBarPainter::ProgressDrawBar(TdxBarItemControlDrawParams*, const TRect&, int32_t, int32_t, int32_t, bool) {}
void TdxBarPainter::ProgressDrawFrame(TdxBarItemControlDrawParams*, TRect&) {}
void TdxBarPainter::ProgressDrawChunks(TdxBarItemControlDrawParams*, const TRect&, bool) {}
void TdxBarPainter::FillRectByBrush(TdxBarItemControlDrawParams*, const TRect&, win::HBRUSH) {}

void TdxBarPainter::FillRectByBrush2(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, win::HBRUSH ABrush) {
  FillRectByBrush(ADrawParams, R, ABrush);
}

int32_t TdxBarPainter::ContainerSubMenuOffset() { return 0; }
win::HBRUSH TdxBarPainter::InPlaceSubItemBrush() { return SysColorBrushValue(win::COLOR_BTNSHADOW); }
int32_t TdxBarPainter::InPlaceSubItemMetric(TCustomdxBarControl*) { return 0; }
int32_t TdxBarPainter::InPlaceSubItemIndent() { return 5; }
bool TdxBarPainter::InPlaceFlag() { return true; }

// ---------------------------------------------------------------- separators

TRect TdxBarPainter::SeparatorMargins() { return TRect(6, 0, 0, 0); }
int32_t TdxBarPainter::SeparatorSize() { return 2; }
TColor TdxBarPainter::SeparatorColor1() { return clDefault; }
TColor TdxBarPainter::SeparatorColor2() { return clDefault; }
int32_t TdxBarPainter::SeparatorSpacing() { return 3; }
void TdxBarPainter::PaintHookA(TdxBarItemControlDrawParams*) {}
void TdxBarPainter::PaintHookB(TdxBarItemControlDrawParams*) {}
