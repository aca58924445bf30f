// The flat painter: selection frames one pixel wide, no raised edges, the
// manager's five flat brushes, striped grips and menus whose icon column
// keeps the light toolbar colour. Every operation leaves the DC's objects,
// clip region and background mode as it found them and paints nothing
// outside the rectangle it is given.
#include <algorithm>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/scopeexit.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarToolbarControl.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxOffice11.h"

using namespace win;

namespace {

// The manager's flat brushes, in the order the manager keeps them.
enum TFlatBrush : int32_t { fbBorder, fbFace, fbDown, fbDownSelected, fbSelected };

// The flat brush of AManager, or of the first registered manager without one;
// the system colour brush AFallback while no manager has made its brushes.
HBRUSH FlatBrushOf(TdxBarManager* AManager, TFlatBrush AIndex, int AFallback) {
  if (!AManager) {
    TdxBarManagerList* list = dxBarManagerList();
    if (list && list->Count() > 0) AManager = list->Items(0);
  }
  HBRUSH brush = AManager ? AManager->FlatBrush(AIndex) : nullptr;
  return brush ? brush : SysColorBrushValue(AFallback);
}

TdxBarManager* ManagerOf(TCustomdxBarControl* ABarControl) {
  return ABarControl ? ABarControl->GetBarManager() : nullptr;
}

HDC ParamsDC(TdxBarItemControlDrawParams* AParams) {
  return AParams && AParams->Canvas ? AParams->Canvas->Handle() : nullptr;
}

TCustomdxBarControl* ParamsBar(TdxBarItemControlDrawParams* AParams) {
  TdxBarItemControl* control = AParams ? AParams->BarItemControl() : nullptr;
  return control ? control->Parent() : nullptr;
}

bool ParamsDown(TdxBarItemControlDrawParams* AParams) {
  auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(AParams);
  return button && button->Down;
}

bool InMenu(TdxBarItemControlDrawParams* AParams) { return AParams->PaintType == ptMenu; }

void Fill(HDC DC, const TRect& R, HBRUSH ABrush) {
  if (!R.IsEmpty() && ABrush) FillRect(DC, &R, ABrush);
}

void Frame(HDC DC, const TRect& R, HBRUSH ABrush) {
  if (!R.IsEmpty() && ABrush) FrameRect(DC, &R, ABrush);
}

void FillColor(HDC DC, const TRect& R, TColor AColor) {
  if (R.IsEmpty()) return;
  HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(AColor)));
  FillRect(DC, &R, brush);
  DeleteObject(brush);
}

TRect Shrunk(const TRect& R, int32_t ABy) {
  TRect r = R;
  r.Inflate(-ABy, -ABy);
  return r;
}

// The child's link rectangle in the owner's coordinates: through the owner's
// client area, or its window when the link lies outside the client area, or
// as it stands (screen) when the owner has no window.
TRect OwnerLinkRect(TCustomdxBarControl* AOwnerBar, TCustomdxBarControl* AChild) {
  if (!AChild || !AChild->HandleAllocated()) return {};
  TRect r = AChild->GetOwnerJoinRect(true);
  if (r.IsEmpty() || !AOwnerBar || !AOwnerBar->HandleAllocated()) return r;
  TPoint origin{0, 0};
  ClientToScreen(AOwnerBar->Handle(), &origin);
  const TRect client(origin.X, origin.Y, origin.X + AOwnerBar->ClientWidth(), origin.Y + AOwnerBar->ClientHeight());
  TRect common;
  if (!IntersectRect(common, r, client)) {
    TRect window;
    GetWindowRect(AOwnerBar->Handle(), &window);
    origin = window.TopLeft();
  }
  r.Offset(-origin.X, -origin.Y);
  return r;
}

// The menu entry's icon column, its caption part and the 2-pixel column
// between them, inside the entry's 1-pixel ring.
struct TEntryParts {
  TRect Icon, Gap, Text;
};

}  // namespace

// ---------------------------------------------------------------- item states

// A dropped-down item shows its open menu's link; a pressed or down item, or
// a hot one outside menus, the 1-pixel selection frame; the rest a ring in
// the brush the item's state asks for.
void TdxBarFlatPainter::ItemDrawGlyphFrame(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  HDC dc = ParamsDC(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (ADrawParams->DroppedDown && !InMenu(ADrawParams)) {
    TdxBarItemControl* control = ADrawParams->BarItemControl();
    if (TCustomdxBarControl* child = control ? control->GetSubMenuControl() : nullptr)
      FlatDrawBarShadow(bar, child, dc);
    ItemFrameSelection(bar, dc, R);
    return;
  }
  if (ADrawParams->IsPressed || ParamsDown(ADrawParams) || (ADrawParams->DrawSelected && !InMenu(ADrawParams))) {
    ItemFrameSelection(bar, dc, R);
    return;
  }
  if (!InMenu(ADrawParams)) ItemDrawBackgroundBrush(ADrawParams, R, nullptr);
}

// The tick: 2s strokes of (x + s, y + k + 2s) -> (x + 3s, y + k + 4s) -> (x + 8s, y + k - s).
void TdxBarFlatPainter::ItemDrawCheckAt(TdxBarItemControlDrawParams* ADrawParams, const TRect& ACheckRect,
                                        int32_t ASize) {
  HDC dc = ParamsDC(ADrawParams);
  if (!dc || ACheckRect.IsEmpty()) return;
  const int32_t s = std::clamp(ASize, 1, 2), x = ACheckRect.Left, y = ACheckRect.Top;
  const bool enabled = ADrawParams->Enabled;
  TColor color = clBtnShadow;
  if (enabled) color = IsHighContrastWhite() || IsHighContrastColoredText() ? clWhite : clBlack;
  HPEN pen = CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(color)));
  HGDIOBJ previous = SelectObject(dc, pen);
  const int32_t first = enabled ? 0 : 1;
  for (int32_t k = first; k < first + 2 * s; ++k) {
    const POINT points[3] = {{x + s, y + k + 2 * s}, {x + 3 * s, y + k + 4 * s}, {x + 8 * s, y + k - s}};
    Polyline(dc, points, 3);
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}

void TdxBarFlatPainter::ItemFrameSelection(TCustomdxBarControl*, HDC DC, const TRect& R) {
  if (!DC) return;
  const bool inverse = IsHighContrastBlackFace() || IsHighContrastColoredText();
  Frame(DC, R, SysColorBrushValue(inverse ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT));
}

// ---------------------------------------------------------------- marks and captions

TColor TdxBarFlatPainter::BarCaptionBackColor(bool) { return clInactiveCaption; }

TColor TdxBarFlatPainter::BarMarkArrowColorOf(int32_t AMarkState) {
  return AMarkState == 1 || AMarkState == 2 ? clBtnText : clCaptionText;
}

void TdxBarFlatPainter::BarDrawMarkBackground(TdxBarControl* ABarControl, HDC DC, const TRect& R, int32_t AMarkState) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  if (AMarkState == 2) {
    FlatDrawBarFrame(ABarControl, DC, R);
  } else if (AMarkState == 1) {
    ItemFrameSelection(ABarControl, DC, R);
    Fill(DC, Shrunk(R, 1), ABarControl->GetSelectedItemBrush());
  } else {
    Frame(DC, R, ToolbarBrushFor(ABarControl));
    const TRect inside = Shrunk(R, 1);
    if (!inside.IsEmpty())
      ABarControl->DrawBackground(DC, inside, false, clNone, ABarControl->GetBackgroundBrush());
  }
}

int32_t TdxBarFlatPainter::FloatingCaptionTextOffset(const TRect& AMarkButtonRect) {
  return TdxBarPainter::FloatingCaptionTextOffset(AMarkButtonRect) + 2;
}

int32_t TdxBarFlatPainter::BarMarkElementColor() {
  return IsHighContrastWhite() ? COLOR_BTNFACE : COLOR_BTNTEXT;
}

// ---------------------------------------------------------------- sub-menu parts

void TdxBarFlatPainter::SubMenuDrawScrollButtonLine(TdxBarSubMenuControl*, HDC, const TRect&) {}

void TdxBarFlatPainter::SubMenuDrawExpandFrame(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R) {
  if (!ASubMenu || !DC || R.IsEmpty()) return;
  ItemFrameSelection(ASubMenu, DC, R);
  Fill(DC, Shrunk(R, 1), ASubMenu->GetSelectedItemBrush());
}

void TdxBarFlatPainter::DrawEmbossedArrow(HDC DC, const TRect& R, int32_t ADirection, bool AEnabled) {
  if (!DC || R.IsEmpty()) return;
  DrawItemArrowFitted(DC, R, ADirection, AEnabled ? clBtnText : clBtnShadow, true, true, false);
}

// ---------------------------------------------------------------- metrics

int32_t TdxBarFlatPainter::BarItemIndent(TCustomdxBarControl*) { return 1; }
bool TdxBarFlatPainter::UsesFlatGlyphShadow() { return true; }
bool TdxBarFlatPainter::IsFlatStyle() { return true; }
bool TdxBarFlatPainter::UsesGlyphShadow() { return true; }
int32_t TdxBarFlatPainter::ItemGapWidth() { return 1; }

int32_t TdxBarFlatPainter::ItemBandIndent(bool AMenuFashion, int32_t ADefaultItemHeight) {
  return AMenuFashion ? ADefaultItemHeight + 3 : 0;
}

int32_t TdxBarFlatPainter::BarGripIndent(TdxBarControl*) { return 1; }

int32_t TdxBarFlatPainter::BarGripAreaSize(TdxBarControl* ABarControl) {
  return BarGripWidth() + BarGripIndent(ABarControl) + 2;
}

int32_t TdxBarFlatPainter::ButtonArrowWidthOf(TdxBarManager* AManager) {
  return TdxBarPainter::ButtonArrowWidthOf(AManager) - 1;
}

int32_t TdxBarFlatPainter::LargeButtonArrowWidthOf(TdxBarManager* AManager) {
  return TdxBarPainter::LargeButtonArrowWidthOf(AManager) - 1;
}

int32_t TdxBarFlatPainter::SubMenuGroupIndent() { return 8; }
bool TdxBarFlatPainter::BarChildShadows() { return true; }
int32_t TdxBarFlatPainter::BarSeparatorIndent() { return (BarSeparatorSize() - 1) / 2; }
int32_t TdxBarFlatPainter::BarSeparatorSize() { return 5; }
bool TdxBarFlatPainter::QuickPopupOnRight() { return true; }
void TdxBarFlatPainter::AdjustGlyphAreaWidth(TCustomdxBarControl*, int32_t& AWidth) { AWidth += 2; }
void TdxBarFlatPainter::AdjustBackgroundOffset(TdxBarItemControlDrawParams*, TPoint& AOffset) { AOffset.X += 9; }
TColor TdxBarFlatPainter::ButtonFrameColor() { return clBtnText; }
int32_t TdxBarFlatPainter::SubMenuScrollArrowsOffset() { return 1; }
int32_t TdxBarFlatPainter::SubMenuSeparatorHeight() { return 5; }
int32_t TdxBarFlatPainter::SubMenuDetachCaptionSize(int32_t ADetachCaptionHeight) { return ADetachCaptionHeight + 1; }
int32_t TdxBarFlatPainter::SubMenuItemMinHeight() { return 20; }
int32_t TdxBarFlatPainter::SubMenuTextIndent(int32_t AGlyphAreaWidth) {
  return TdxBarPainter::SubMenuTextIndent(AGlyphAreaWidth) + 6;
}
int32_t TdxBarFlatPainter::SubMenuCaptionHeight(TcxCanvas* ACanvas) {
  return TdxBarPainter::SubMenuCaptionHeight(ACanvas) + 1;
}
int32_t TdxBarFlatPainter::ContainerSubMenuOffset() { return 9; }

bool TdxBarFlatPainter::InPlaceParamsField(TdxBarItemControlDrawParams* ADrawParams) {
  return ADrawParams && ADrawParams->DrawSelected && IsFlatNotThemed();
}

bool TdxBarFlatPainter::InPlaceFlag() { return true; }

// The entries' arrow room h from the base, then 2b + 4 when b, the arrow
// base of h - 2, is odd.
void TdxBarFlatPainter::SubMenuCalcItemMetrics(int32_t ADefaultItemHeight, int32_t AZeroHeight,
                                               int32_t& AExpandButtonHeight, int32_t& AArrowPartWidth) {
  TdxBarPainter::SubMenuCalcItemMetrics(ADefaultItemHeight, AZeroHeight, AExpandButtonHeight, AArrowPartWidth);
  const int32_t b = SubMenuArrowBase(AArrowPartWidth - 2);
  if (b % 2 != 0) AArrowPartWidth = 2 * b + 4;
}

int32_t TdxBarFlatPainter::SubMenuArrowBase(int32_t AHeight) {
  int32_t b = (AHeight - 4) / 2;
  if (b >= 5 && b % 2 != 0) --b;
  return b;
}

TRect TdxBarFlatPainter::SubMenuIconRect(const TRect& AEntryRect, int32_t AGlyphAreaWidth) {
  return TdxBarPainter::SubMenuIconRect(Shrunk(AEntryRect, 1), AGlyphAreaWidth - 2);
}

TRect TdxBarFlatPainter::SubMenuTextRect(const TRect& AEntryRect, int32_t AGlyphAreaWidth) {
  TRect r = AEntryRect;
  r.Top += 1;
  r.Bottom -= 1;
  r.Right -= 1;
  return TdxBarPainter::SubMenuTextRect(r, AGlyphAreaWidth);
}

TRect TdxBarFlatPainter::SubMenuSeparatorRect(const TRect& AEntryRect, bool, int32_t) {
  TRect r = AEntryRect;
  r.Bottom = AEntryRect.Top;
  r.Top = AEntryRect.Top - SubMenuSeparatorHeight();
  return r;
}

TRect TdxBarFlatPainter::SubMenuInnerRect(const TRect& R) { return Shrunk(R, 2); }

// ---------------------------------------------------------------- brushes

HBRUSH TdxBarFlatPainter::ToolbarBrush() { return FlatBrushOf(nullptr, fbFace, COLOR_BTNFACE); }

HBRUSH TdxBarFlatPainter::ToolbarBrushFor(TCustomdxBarControl* ABarControl) {
  if (ABarControl && (ABarControl->IsMainMenuBar() || ABarControl->IsBorderlessBottomBar()))
    return SysColorBrushValue(COLOR_BTNFACE);
  return FlatBrushOf(ManagerOf(ABarControl), fbFace, COLOR_BTNFACE);
}

HBRUSH TdxBarFlatPainter::DownItemBrush() { return FlatBrushOf(nullptr, fbDown, COLOR_BTNFACE); }
HBRUSH TdxBarFlatPainter::DownSelectedItemBrush() { return FlatBrushOf(nullptr, fbDownSelected, COLOR_BTNFACE); }
HBRUSH TdxBarFlatPainter::SelectedItemBrush() { return FlatBrushOf(nullptr, fbSelected, COLOR_HIGHLIGHT); }
HBRUSH TdxBarFlatPainter::ToolbarBrushEx(TCustomdxBarControl*) { return SysColorBrushValue(COLOR_WINDOW); }
HBRUSH TdxBarFlatPainter::SubMenuItemBrush() { return SysColorBrushValue(COLOR_WINDOW); }

// By the glyph's state: pressed, selected, down, dropped down; idle glyphs in
// menus keep the icon column's colour.
HBRUSH TdxBarFlatPainter::GlyphBackgroundBrush(TdxBarItemControlDrawParams* ADrawParams) {
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (!ADrawParams || !bar) return TdxBarPainter::GlyphBackgroundBrush(ADrawParams);
  const bool down = ParamsDown(ADrawParams);
  if (ADrawParams->IsPressed || (down && ADrawParams->DrawSelected)) return bar->GetDownSelectedItemBrush();
  if (ADrawParams->DrawSelected) return bar->GetSelectedItemBrush();
  if (down) return bar->GetDownItemBrush();
  if (ADrawParams->DroppedDown) return bar->GetOwnerBrush();
  if (InMenu(ADrawParams)) return FlatItemBrush(bar);
  return TdxBarPainter::GlyphBackgroundBrush(ADrawParams);
}

bool TdxBarFlatPainter::ItemIsHighlighted(TdxBarItemControlDrawParams* ADrawParams) {
  if (!ADrawParams) return false;
  if (!InMenu(ADrawParams) && (ADrawParams->DrawSelected || ParamsDown(ADrawParams) || ADrawParams->IsPressed))
    return true;
  return TdxBarPainter::ItemIsHighlighted(ADrawParams);
}

HBRUSH TdxBarFlatPainter::ItemBrushFor(TdxBarItemControlDrawParams* ADrawParams) {
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (bar && ADrawParams->DrawSelected)
    return ADrawParams->DroppedDown || IsHighContrastWhite() ? bar->GetDownSelectedItemBrush()
                                                              : bar->GetSelectedItemBrush();
  return TdxBarPainter::ItemBrushFor(ADrawParams);
}

HBRUSH TdxBarFlatPainter::ButtonBrushFor(TdxBarItemControlDrawParams* ADrawParams) {
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (bar && InMenu(ADrawParams) && !ADrawParams->DrawSelected) return ToolbarBrushFor(bar);
  return TdxBarPainter::ButtonBrushFor(ADrawParams);
}

// ---------------------------------------------------------------- item faces

// The menu entry's background: the selection frame or a ring in the icon
// column's and the menu's colours; inside it the icon column, a 2-pixel
// column after it and the caption part.
//
//   +--+-----------+--+-------------------+
//   |  |  (above)  |  |                   |
//   |  |   icon    |gap|  text            |  ring: 1 pixel
//   |  |  (below)  |  |                   |
//   +--+-----------+--+-------------------+
void TdxBarFlatPainter::ItemBeforePaint(TdxBarItemControlDrawParams* ADrawParams) {
  HDC dc = ParamsDC(ADrawParams);
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (!dc || !bar || !InMenu(ADrawParams)) return;
  TdxBarItemControl* control = ADrawParams->BarItemControl();
  const TRect entry = bar->GetItemRect(control);
  if (entry.IsEmpty()) return;
  const int32_t glyphArea = bar->GetRowHeight();
  const TRect icon = SubMenuIconRect(entry, glyphArea);
  const bool selected = ADrawParams->DrawSelected;
  const int saved = SaveDC(dc);
  TScopeExit restore([&] { RestoreDC(dc, saved); });
  IntersectClipRect(dc, entry.Left, entry.Top, entry.Right, entry.Bottom);
  if (selected) {
    ItemFrameSelection(bar, dc, entry);
  } else {
    const int ringSaved = SaveDC(dc);
    ExcludeClipRect(dc, entry.Left + 1, entry.Top + 1, entry.Right - 1, entry.Bottom - 1);
    const int32_t split = std::min(entry.Right, icon.Right + 1);
    ItemFillOrParentBackground(ADrawParams, TRect(entry.Left, entry.Top, split, entry.Bottom), FlatItemBrush(bar));
    ItemFillOrParentBackground(ADrawParams, TRect(split, entry.Top, entry.Right, entry.Bottom), ItemBrushFor(ADrawParams));
    RestoreDC(dc, ringSaved);
  }
  const TRect inside = Shrunk(entry, 1);
  HBRUSH band = selected ? bar->GetSelectedItemBrush() : FlatItemBrush(bar);
  Fill(dc, TRect(icon.Left, inside.Top, icon.Right, icon.Top), band);
  Fill(dc, TRect(icon.Left, icon.Bottom, icon.Right, inside.Bottom), band);
  const TRect gap(icon.Right, inside.Top, std::min(inside.Right, icon.Right + 2), inside.Bottom);
  Fill(dc, gap, band);
  Fill(dc, TRect(gap.Right, inside.Top, inside.Right, inside.Bottom),
       selected ? bar->GetSelectedItemBrush() : ItemBrushFor(ADrawParams));
}

void TdxBarFlatPainter::DrawLoweredFrame(HDC DC, TRect& R) {
  if (!DC) return;
  Frame(DC, R, SysColorBrushValue(COLOR_BTNSHADOW));
  R.Inflate(-1, -1);
}

// Selected: the selection frame round the pressed brush (AState 2) or the
// selected brush; otherwise the parent's brush throughout.
void TdxBarFlatPainter::DrawButtonFace(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, int32_t AState) {
  HDC dc = ParamsDC(ADrawParams);
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (!dc || !bar || R.IsEmpty()) return;
  if (ADrawParams->DrawSelected || AState != 0) {
    ItemFrameSelection(bar, dc, R);
    Fill(dc, Shrunk(R, 1), AState == 2 ? bar->GetDownSelectedItemBrush() : bar->GetSelectedItemBrush());
  } else {
    Fill(dc, R, ToolbarBrushFor(bar));
  }
}

void TdxBarFlatPainter::ButtonDrawDropDownFace(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R) {
  TdxBarPainter::ButtonDrawDropDownFace(ADrawParams, R);
  if (!ADrawParams || (ADrawParams->DroppedDown && !InMenu(ADrawParams))) return;
  TRect r = R;
  if (!InMenu(ADrawParams)) r.Offset(-1, 0);
  FlatDrawEditFrame(ADrawParams, r, ADrawParams->DrawSelected, ParamsDown(ADrawParams), InMenu(ADrawParams));
}

// Selected: one pixel wider, in the selection frame; else a frame and the left
// column in the control's brush (the window's background when disabled).
void TdxBarFlatPainter::ComboDrawPlainButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  HDC dc = ParamsDC(ADrawParams);
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (!dc || !bar || R.IsEmpty()) return;
  TRect r = R;
  if (ADrawParams->DrawSelected) {
    r.Left -= 1;
    ItemFrameSelection(bar, dc, r);
  } else {
    HBRUSH edge = ADrawParams->Enabled ? ItemBrushFor(ADrawParams) : bar->GetBackgroundBrush();
    Frame(dc, r, edge);
    Fill(dc, TRect(r.Left + 1, r.Top + 1, std::min(r.Right, r.Left + 2), r.Bottom - 1), edge);
  }
  Fill(dc, Shrunk(r, 1), ButtonBrushFor(ADrawParams));
}

// The ring of a static item's border in the flat border brush; R becomes the inside.
void TdxBarFlatPainter::StaticDrawBorder(TdxBarStaticLikeControlDrawParams* ADrawParams, TRect& R) {
  HDC dc = ParamsDC(ADrawParams);
  const int32_t style = ADrawParams ? ADrawParams->BorderStyle : sbsNone;
  if (!dc || style == sbsNone || style > sbsBump || R.IsEmpty()) return;
  const int32_t m = StaticBorderMargins(style);
  TRect inside = Shrunk(R, m);
  const int saved = SaveDC(dc);
  TScopeExit restore([&] { RestoreDC(dc, saved); });
  if (!inside.IsEmpty()) ExcludeClipRect(dc, inside.Left, inside.Top, inside.Right, inside.Bottom);
  Fill(dc, R, FlatStaticBorderBrush());
  R = inside;
}

// ---------------------------------------------------------------- bars

// The base strips, then a 1-pixel COLOR_BTNSHADOW line: the top row (or left
// column) of what lies between them.
void TdxBarFlatPainter::BarDrawSeparator(TCustomdxBarControl* ABarControl, HDC DC, TRect R, HBRUSH ABrush,
                                         bool AHorizontal) {
  if (!DC || R.IsEmpty()) return;
  const int32_t indent = BarSeparatorIndent();
  auto strip = [&](const TRect& AStrip) {
    if (AStrip.IsEmpty()) return;
    if (ABrush)
      FillRect(DC, &AStrip, ABrush);
    else if (ABarControl)
      ABarControl->DrawBackground(DC, AStrip, false, clNone, ABarControl->GetBackgroundBrush());
  };
  TRect line = R;
  if (AHorizontal) {
    strip(TRect(R.Left, R.Top, R.Right, std::min(R.Bottom, R.Top + indent)));
    strip(TRect(R.Left, std::max(R.Top, R.Bottom - indent), R.Right, R.Bottom));
    line.Top = R.Top + indent;
    line.Bottom = std::min(R.Bottom - indent, line.Top + 1);
  } else {
    strip(TRect(R.Left, R.Top, std::min(R.Right, R.Left + indent), R.Bottom));
    strip(TRect(std::max(R.Left, R.Right - indent), R.Top, R.Right, R.Bottom));
    line.Left = R.Left + indent;
    line.Right = std::min(R.Right - indent, line.Left + 1);
  }
  Fill(DC, line, SysColorBrushValue(COLOR_BTNSHADOW));
}

// The face by state, then a cross: two parallel 1-pixel lines per diagonal
// in a square made from the rectangle less 3 across and 4 down.
void TdxBarFlatPainter::BarDrawCaptionCloseButton(TdxBarControl* ABarControl, HDC DC, const TRect& R, int32_t AState) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  const int saved = SaveDC(DC);
  TScopeExit restore([&] { RestoreDC(DC, saved); });
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  BarDrawNonClient(ABarControl, DC, R, AState);
  TRect c = R;
  c.Inflate(-3, -4);
  if (c.Width() % 2 != 0) --c.Right;
  c.Bottom = c.Top + c.Width() - 1;
  if (c.Width() < 2) return;
  const int32_t n = c.Width() - 1;
  HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(BarMarkArrowColorOf(AState))));
  for (int32_t i = 0; i < n; ++i)
    for (int32_t dx : {0, 1}) {
      const TRect down(c.Left + i + dx, c.Top + i, c.Left + i + dx + 1, c.Top + i + 1);
      const TRect up(c.Left + i + dx, c.Bottom - i, c.Left + i + dx + 1, c.Bottom - i + 1);
      FillRect(DC, &down, brush);
      FillRect(DC, &up, brush);
    }
  DeleteObject(brush);
}

// A COLOR_BTNFACE ring with rounded corners, then the striped grip.
void TdxBarFlatPainter::BarDrawDockedBorder(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  HBRUSH face = SysColorBrushValue(COLOR_BTNFACE);
  Frame(DC, R, face);
  TRect r = Shrunk(R, 1);
  if (r.IsEmpty()) return;
  for (const TPoint& p : {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top}, TPoint{r.Left, r.Bottom - 1},
                          TPoint{r.Right - 1, r.Bottom - 1}})
    Fill(DC, TRect(p.X, p.Y, p.X + 1, p.Y + 1), face);
  r.Inflate(-1, -1);
  if (r.IsEmpty() || !ABarControl->CanMove()) return;
  const TdxBarDockingStyle side = ABarControl->DockingStyle();
  const bool vertical = side == dsLeft || side == dsRight;
  const int32_t indent = BarGripIndent(ABarControl), width = BarGripWidth();
  TRect grip;
  if (vertical)
    grip = TRect(r.Left + 3, r.Top + indent, r.Right - 3, r.Top + indent + width);
  else
    grip = TRect(r.Left + indent, r.Top + 3, r.Left + indent + width, r.Bottom - 3);
  IntersectRect(grip, grip, r);
  if (grip.IsEmpty()) return;
  HBRUSH barBrush = ToolbarBrushFor(ABarControl);
  // Horizontal bars stack horizontal lines down the grip, vertical bars vertical lines across it.
  const int32_t count = vertical ? grip.Width() : grip.Height();
  for (int32_t i = 0; i < count; ++i) {
    const TRect line = vertical ? TRect(grip.Left + i, grip.Top, grip.Left + i + 1, grip.Bottom)
                                : TRect(grip.Left, grip.Top + i, grip.Right, grip.Top + i + 1);
    Fill(DC, line, i % 2 == 0 ? SysColorBrushValue(COLOR_BTNSHADOW) : barBrush);
  }
}

// The flat border brush, a COLOR_BTNHIGHLIGHT ring inside it, then rings in
// the bar brush down to the frame width.
void TdxBarFlatPainter::BarDrawFloatingBorder(TdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  Frame(DC, R, FlatBrushOf(ManagerOf(ABarControl), fbBorder, COLOR_BTNSHADOW));
  TRect r = Shrunk(R, 1);
  Frame(DC, r, SysColorBrushValue(COLOR_BTNHIGHLIGHT));
  HBRUSH brush = ToolbarBrushFor(ABarControl);
  for (int32_t i = 2; i < std::max(FrameWidth(), FrameHeight()) && !r.IsEmpty(); ++i) {
    r.Inflate(-1, -1);
    Frame(DC, r, brush);
  }
}

void TdxBarFlatPainter::BarDrawCaptionMark(TdxBarControl* ABarControl, HDC DC, const TRect& R, int32_t AMarkState) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  if (ABarControl->HasCloseButton()) {
    TdxBarManager* m = ABarControl->GetBarManager();
    FillColor(DC, TRect(R.Right, R.Top, R.Right + 1, R.Bottom), BarCaptionBackColor(m && m->IsActive()));
  }
  if (AMarkState == 2)
    FlatDrawBarFrame(ABarControl, DC, R);
  else
    BarDrawNonClient(ABarControl, DC, R, AMarkState);
  TdxBarPainter::BarDrawCaptionMark(ABarControl, DC, R, AMarkState);
}

// The system caption glyph, flat, over the button's face by state.
void TdxBarFlatPainter::BarPaintMDIButton(TdxBarControl* ABarControl, HDC DC, const TRect& R, int32_t AButton,
                                          int32_t AState) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  if (AState >= 2 && AState <= 4) {
    HBRUSH brush = AState == 2   ? ABarControl->GetSelectedItemBrush()
                   : AState == 3 ? ABarControl->GetDownItemBrush()
                                 : ABarControl->GetDownSelectedItemBrush();
    Fill(DC, R, brush);
    ItemFrameSelection(ABarControl, DC, R);
  } else {
    ABarControl->DrawBackground(DC, R, false, clNone, ABarControl->GetBackgroundBrush());
  }
  TRect glyph = Shrunk(R, 1);
  if (glyph.IsEmpty()) return;
  const int saved = SaveDC(DC);
  TScopeExit restore([&] { RestoreDC(DC, saved); });
  IntersectClipRect(DC, glyph.Left, glyph.Top, glyph.Right, glyph.Bottom);
  // The frame control's own border falls outside the clip: only its glyph shows.
  TRect frame = Shrunk(glyph, -1);
  const int modeSaved = SetBkMode(DC, TRANSPARENT);
  DrawFrameControl(DC, &frame, DFC_CAPTION, UINT(AButton) | DFCS_FLAT | DFCS_TRANSPARENT |
                                                (AState == 1 ? DFCS_INACTIVE : 0));
  SetBkMode(DC, modeSaved);
}

// ---------------------------------------------------------------- quick customization

int32_t TdxBarFlatPainter::QuickCustButtonRect(TRect& R) {
  const int32_t right = TdxBarPainter::QuickCustButtonRect(R);
  R.Inflate(-1, -1);
  return right;
}

void TdxBarFlatPainter::QuickCustDrawButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, bool AChecked) {
  HDC dc = ParamsDC(ADrawParams);
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (!dc || !bar || R.IsEmpty()) return;
  if (!AChecked) {
    Frame(dc, Shrunk(R, -1), ToolbarBrushFor(bar));
    return;
  }
  ItemFrameSelection(bar, dc, R);
  Fill(dc, TRect(R.Right, R.Top, R.Right + 2, R.Bottom), bar->GetSelectedItemBrush());
}

// ---------------------------------------------------------------- sub-menus

// A frame in the flat border brush and the owner's link; detachable menus
// get COLOR_WINDOW lines round the detach area and the band.
void TdxBarFlatPainter::SubMenuDrawBorder(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R) {
  if (!ASubMenu || !DC || R.IsEmpty()) return;
  Frame(DC, R, FlatBrushOf(ManagerOf(ASubMenu), fbBorder, COLOR_BTNSHADOW));
  BarDrawOwnerFrame(ASubMenu, DC);
  if (!ASubMenu->IsDetachable()) return;
  TRect area = Shrunk(R, 1);
  area.Bottom = std::min(area.Bottom, area.Top + SubMenuDetachCaptionSize(ASubMenu->GetDetachCaptionHeight()) + 1);
  Frame(DC, area, SysColorBrushValue(COLOR_WINDOW));
  TRect band = Shrunk(area, 1);
  SubMenuDrawDetachBand(ASubMenu, DC, band, ASubMenu->IsDetachBandHot());
}

void TdxBarFlatPainter::SubMenuDrawClientEdge(TdxBarSubMenuControl* ASubMenu, HDC DC, TRect& R, HBRUSH ABrush) {
  if (!ASubMenu || !DC || R.IsEmpty()) return;
  Frame(DC, R, ASubMenu->GetBackgroundBrush());
  Fill(DC, TRect(R.Left + 1, R.Top + 1, std::min(R.Right, R.Left + 2), R.Bottom - 1), ABrush);
}

void TdxBarFlatPainter::SubMenuDrawDetachBand(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R, bool AHot) {
  if (!ASubMenu || !DC || R.IsEmpty()) return;
  if (AHot) {
    ItemFrameSelection(ASubMenu, DC, R);
    Fill(DC, Shrunk(R, 1), ASubMenu->GetSelectedItemBrush());
  } else {
    Fill(DC, R, FlatItemBrush(ASubMenu));
  }
  // Every other row of a 33-pixel grip, centred, a pixel in from top and bottom.
  const int32_t left = R.Left + (R.Width() - 33) / 2;
  const TRect grip(std::max(R.Left, left), R.Top + 1, std::min(R.Right, left + 33), R.Bottom - 1);
  HBRUSH stripe = SysColorBrushValue(AHot ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
  for (int32_t y = grip.Top; y < grip.Bottom; y += 2) Fill(DC, TRect(grip.Left, y, grip.Right, y + 1), stripe);
}

void TdxBarFlatPainter::SubMenuDrawSeparatorItem(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  HDC dc = ParamsDC(ADrawParams);
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(bar);
  if (!dc || !menu || R.IsEmpty()) return;
  const int32_t glyphArea = menu->GetGlyphAreaWidth();
  const TRect column(R.Left, R.Top, std::min(R.Right, R.Left + glyphArea), R.Bottom);
  const TRect rest(column.Right, R.Top, R.Right, R.Bottom);
  const bool nonRecent = menu->IsNonRecentItemControl(ADrawParams->BarItemControl()) && !SubMenuPlainSeparators();
  ItemFillOrParentBackground(ADrawParams, column, nonRecent ? FlatItemBrush(menu) : nullptr);
  ItemFillOrParentBackground(ADrawParams, rest, nonRecent ? menu->ItemBrush() : nullptr);
  const int32_t middle = R.Top + R.Height() / 2;
  SubMenuDrawSeparator(dc, TRect(column.Right + SubMenuGroupIndent(), middle, R.Right + 1, middle + 1));
}

void TdxBarFlatPainter::SubMenuDrawSeparator(HDC DC, const TRect& R) {
  if (!DC || R.IsEmpty()) return;
  FillColor(DC, TRect(R.Left, R.Top, R.Right, R.Top + 1), FlatSeparatorColor());
}

// ---------------------------------------------------------------- the flat family's own slots

void TdxBarFlatPainter::FlatDrawEditFrame(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, bool ASelected,
                                          bool ADown, bool AInMenu) {
  HDC dc = ParamsDC(ADrawParams);
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  if (ASelected || ADown)
    ItemFrameSelection(bar, dc, R);
  else if (AInMenu)
    Frame(dc, R, SysColorBrushValue(COLOR_BTNSHADOW));
  else
    Frame(dc, R, bar ? ToolbarBrushFor(bar) : ToolbarBrush());
}

HBRUSH TdxBarFlatPainter::FlatItemBrush(TCustomdxBarControl* ABarControl) {
  return FlatBrushOf(ManagerOf(ABarControl), fbFace, COLOR_BTNFACE);
}

HBRUSH TdxBarFlatPainter::FlatStaticBorderBrush() { return SysColorBrushValue(COLOR_BTNSHADOW); }

// The open child's link first, kept out of the fill of the inside.
void TdxBarFlatPainter::FlatDrawBarFrame(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC || R.IsEmpty()) return;
  const int saved = SaveDC(DC);
  TScopeExit restore([&] { RestoreDC(DC, saved); });
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  TCustomdxBarControl* child = ABarControl->ChildBar();
  FlatDrawBarShadow(ABarControl, child, DC);
  const TRect link = OwnerLinkRect(ABarControl, child);
  if (!link.IsEmpty()) ExcludeClipRect(DC, link.Left, link.Top, link.Right, link.Bottom);
  Fill(DC, Shrunk(R, 1), ABarControl->GetOwnerBrush());
}

void TdxBarFlatPainter::FlatDrawBarShadow(TCustomdxBarControl* AOwnerBar, TCustomdxBarControl* AChild, HDC DC) {
  if (!DC) return;
  const TRect link = OwnerLinkRect(AOwnerBar, AChild);
  if (link.IsEmpty() || !AOwnerBar) return;
  FlatDrawOwnerLink(AOwnerBar, DC, link);
}

void TdxBarFlatPainter::FlatDrawOwnerFrame(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!DC) return;
  Frame(DC, R, FlatBrushOf(ManagerOf(ABarControl), fbBorder, COLOR_BTNSHADOW));
}

void TdxBarFlatPainter::FlatDrawOwnerLink(TCustomdxBarControl* ABarControl, HDC DC, const TRect& R) {
  if (!ABarControl || !DC) return;
  Fill(DC, R, ABarControl->GetOwnerBrush());
}

TColor TdxBarFlatPainter::FlatSeparatorColor() { return clBtnShadow; }
