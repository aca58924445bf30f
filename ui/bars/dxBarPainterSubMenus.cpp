// How the base painter draws sub-menu windows: the frame and detach band,
// separator entries, the expand button of menus that hide entries that are
// not recent, and the scroll buttons of menus taller than the work area.
//
// The scroll arrow, the scroll-button line and the expand button take their
// rectangles out of the DC's clip region, so that what the menu paints after
// them leaves them alone; the menu window saves the clip region before and
// restores it afterwards. Every other operation leaves the DC as it found it.
#include <algorithm>
#include <memory>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/dxOffice11.h"

using namespace win;

namespace {

void FillSysColor(HDC DC, const TRect& R, int32_t AIndex) {
  if (R.IsEmpty()) return;
  FillRect(DC, &R, SysColorBrushValue(AIndex));
}

// The region moved from DC's logical coordinates to its device coordinates,
// where clip regions live.
void RegionToDevice(HDC DC, HRGN ARegion) {
  POINT origin{0, 0};
  LPtoDP(DC, &origin, 1);
  OffsetRgn(ARegion, origin.X, origin.Y);
}

bool IsSeparatorControl(TdxBarItemControl* AControl) {
  return AControl && AControl->ItemLink() && dynamic_cast<TdxBarSeparator*>(AControl->GetItem()) != nullptr;
}

// An entry's background: the menu's bitmap when it has one, else the brush.
void FillEntryBackground(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R, HBRUSH ABrush) {
  if (R.IsEmpty()) return;
  FillRectWithBitmapOrColor(DC, R, R, ASubMenu->GetBackgroundBitmap(), clNone, ABrush);
}

}  // namespace

// ---------------------------------------------------------------- frame

// The window rectangle R: light lines on the left and top, a raised outer
// edge on the bottom and right; a detachable menu adds an inner edge and the
// framed detach band below the top.
void TdxBarPainter::SubMenuDrawBorder(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R) {
  if (!DC || R.IsEmpty()) return;
  // A window too low for its detach band keeps the band inside it.
  const int saved = SaveDC(DC);
  const TScopeExit restore([&] { RestoreDC(DC, saved); });
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  FillSysColor(DC, TRect(R.Left, R.Top, R.Left + 1, R.Bottom - 1), COLOR_BTNFACE);
  FillSysColor(DC, TRect(R.Left, R.Top, R.Right - 1, R.Top + 1), COLOR_BTNFACE);
  TRect r = R;
  DrawEdge(DC, &r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
  if (!ASubMenu || !ASubMenu->IsDetachable()) return;
  r = R;
  r.Inflate(-1, -1);
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_RIGHT);
  r.Inflate(-1, -1);
  const int32_t bandHeight = ASubMenu->GetDetachCaptionHeight();
  r.Bottom = r.Top + SubMenuDetachCaptionSize(bandHeight) - 1;
  if (!r.IsEmpty()) FrameRect(DC, &r, SysColorBrushValue(COLOR_BTNFACE));
  TRect band = SubMenuInnerRect(R);
  band.Bottom = band.Top + bandHeight;
  SubMenuDrawDetachBand(ASubMenu, DC, band, ASubMenu->IsDetachBandHot());
}

void TdxBarPainter::SubMenuDrawDetachBand(TdxBarSubMenuControl*, HDC DC, const TRect& R, bool AHot) {
  if (DC) FillSysColor(DC, R, AHot ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

// R comes back as what lies inside the frame.
void TdxBarPainter::SubMenuDrawClientEdge(TdxBarSubMenuControl* ASubMenu, HDC DC, TRect& R, HBRUSH ABrush) {
  if (!DC || R.IsEmpty()) return;
  TRect r = R;
  if (ASubMenu && ASubMenu->IsDetachable()) r.Top -= 2;
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
  r.Inflate(-1, -1);
  if (ABrush && !r.IsEmpty()) FrameRect(DC, &r, ABrush);
  r.Inflate(-1, -1);
  R = r;
}

void TdxBarPainter::SubMenuFillBackground(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R, HBRUSH ABrush) {
  if (!DC || R.IsEmpty()) return;
  TBitmap* bitmap = ASubMenu ? ASubMenu->GetBackgroundBitmap() : nullptr;
  FillRectWithBitmapOrColor(DC, R, R, bitmap, clNone, ABrush);
}

void TdxBarPainter::BarDrawOwnerFrame(TdxBarSubMenuControl* ASubMenu, HDC DC) {
  if (!ASubMenu || !DC) return;
  const TRect r = ASubMenu->GetOwnerGapRect();
  if (!r.IsEmpty()) FillRect(DC, &r, ASubMenu->GetOwnerBrush());
}

// ---------------------------------------------------------------- separator entries

void TdxBarPainter::SubMenuDrawSeparatorItem(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  if (!ADrawParams || !ADrawParams->Canvas || R.IsEmpty()) return;
  TdxBarItemControl* control = ADrawParams->BarItemControl();
  auto* menu = control ? dynamic_cast<TdxBarSubMenuControl*>(control->Parent()) : nullptr;
  // Inside a run of entries that are not recent the lighter item brush joins
  // the entries above and below over the menu's inner frame.
  if (menu && menu->IsNonRecentItemControl(control) && !menu->BeginsNonRecentRun(control)) {
    TRect r = R;
    if (menu->GetSideBarWidth() == 0) --r.Left;
    r.Right += 2;
    ItemFillOrParentBackground(ADrawParams, r, menu->ItemBrush());
  } else
    ItemFillOrParentBackground(ADrawParams, R, nullptr);
  const int32_t indent = SubMenuGroupIndent();
  SubMenuDrawSeparator(ADrawParams->Canvas->Handle(), TRect(R.Left + indent, R.Top + 4, R.Right - indent, R.Bottom - 4));
}

// ---------------------------------------------------------------- expand button

void TdxBarPainter::SubMenuDrawExpandButton(TdxBarSubMenuControl* ASubMenu, const TRect& R, bool AHot) {
  if (!ASubMenu || R.IsEmpty()) return;
  TcxCanvas* canvas = ASubMenu->GetCanvas();
  if (!canvas || !canvas->Handle()) return;
  // Off screen, so that the button never flickers between its layers.
  std::unique_ptr<TBitmap> buffer = CreateSizedBitmap(R.Width(), R.Height(), pf24bit);
  TcxPaintCanvas* paint = PaintCanvas();
  paint->BeginPaint(buffer->Canvas()->Handle());
  {
    const TScopeExit end([&] { paint->EndPaint(); });
    HDC dc = paint->Handle();
    POINT origin;
    SetWindowOrgEx(dc, R.Left, R.Top, &origin);
    const TScopeExit back([&] { SetWindowOrgEx(dc, origin.X, origin.Y, nullptr); });
    ASubMenu->DrawBackground(dc, R, false, clNone, ASubMenu->GetBackgroundBrush());
    if (AHot) SubMenuDrawExpandFrame(ASubMenu, dc, R);
    SubMenuDrawExpandArrows(ASubMenu, dc, R, AHot);
  }
  HDC dc = canvas->Handle();
  BitBlt(dc, R.Left, R.Top, R.Width(), R.Height(), buffer->Canvas()->Handle(), 0, 0, SRCCOPY);
  ExcludeClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
}

void TdxBarPainter::SubMenuDrawExpandFrame(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R) {
  if (!DC || R.IsEmpty()) return;
  TRect r = R;
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
  r.Inflate(-1, -1);
  if (ASubMenu && !r.IsEmpty()) ASubMenu->DrawBackground(DC, r, false, clNone, ASubMenu->GetBackgroundBrush());
}

// Two chevrons, each n div 2 strokes thick, one under the other:
//
//   #   #    rows top .. top + n div 2 - 1 start a stroke of the first
//   ## ##    chevron, the rest one of the second, n div 2 rows lower
//    ###
//     #
void TdxBarPainter::SubMenuDrawExpandArrows(TdxBarSubMenuControl*, HDC DC, const TRect& R, bool AHot) {
  if (!DC || R.IsEmpty()) return;
  const int32_t h = R.Height(), n = SubMenuArrowBase(h);
  if (n <= 0) return;
  const int32_t color = AHot && IsFlatStyle() && IsHighContrastWhite() ? COLOR_BTNFACE : COLOR_BTNTEXT;
  // Chevrons of a button narrower than they are stay inside it.
  const int saved = SaveDC(DC);
  const TScopeExit restore([&] { RestoreDC(DC, saved); });
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(color));
  HGDIOBJ previous = SelectObject(DC, pen);
  POINT position;
  MoveToEx(DC, 0, 0, &position);
  const int32_t x = (R.Left + R.Right - n - 1) / 2, top = R.Top + (h - 2 * n) / 2, half = n / 2;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t y = top + i + (i >= half ? half : 0);
    MoveToEx(DC, x, y, nullptr);
    LineTo(DC, x + half, y + half);
    LineTo(DC, x + n + 1, y - 1);
  }
  MoveToEx(DC, position.X, position.Y, nullptr);
  RestoreAndDeleteGdiObject(DC, previous);
}

// ---------------------------------------------------------------- scroll buttons

int32_t TdxBarPainter::SubMenuScrollButtonHeight(TdxBarSubMenuControl* ASubMenu) {
  return ASubMenu ? ASubMenu->GetDefaultItemHeight() : 0;
}

TRect TdxBarPainter::SubMenuScrollButtonRect(TdxBarSubMenuControl* ASubMenu, bool AUp) {
  if (!ASubMenu) return {};
  const TRect area = ASubMenu->GetScrollAreaRect();
  const int32_t h = SubMenuScrollButtonHeight(ASubMenu);
  return AUp ? TRect(area.Left, area.Top, area.Right, area.Top + h)
             : TRect(area.Left, area.Bottom - h, area.Right, area.Bottom);
}

void TdxBarPainter::SubMenuDrawScrollButtons(TdxBarSubMenuControl* ASubMenu, HDC DC) {
  if (!ASubMenu || !DC) return;
  HRGN saved = nullptr;
  bool hadClip = false;
  SaveCurrentClip(DC, saved, hadClip);
  for (const bool up : {true, false}) {
    if (!ASubMenu->IsScrollButtonVisible(up)) continue;
    const TRect r = SubMenuScrollButtonRect(ASubMenu, up);
    if (r.IsEmpty()) continue;
    SubMenuDrawScrollArrow(ASubMenu, DC, r, up, clBtnText);
    SubMenuScrollHook(ASubMenu);
    if (up) SubMenuDrawScrollButtonLine(ASubMenu, DC, r);
    SubMenuDrawScrollButtonBack(ASubMenu, DC, r);
  }
  RestoreSavedClip(DC, saved, hadClip);
}

// The triangle of the look-and-feel arrow geometry, filled through a clip
// region of its shape. The region is laid row by row, w, w - 2, ... 1 pixels
// wide, so that its pixels do not depend on how polygons are rasterized:
//
//   down:  #########   top           up:      #      top
//           #######                          ###
//             ...                            ...
//              #       top + s - 1        #########  top + s - 1
void TdxBarPainter::SubMenuDrawScrollArrow(TdxBarSubMenuControl*, HDC DC, const TRect& AButtonRect, bool AUp,
                                           TColor AColor) {
  if (!DC || AButtonRect.IsEmpty()) return;
  int32_t size = 0, remainder = 0;
  DivideByThree(AButtonRect.Height(), size, remainder);
  if (size <= 0) return;
  TcxArrowPoints p =
      TcxCustomLookAndFeelPainter::ArrowTrianglePoints(AButtonRect, size, false, AUp ? adUp : adDown);
  const int32_t shift = (AButtonRect.Height() + remainder) % 2 != 0 ? 1 : 0;
  const int32_t x = p[0].X, w = 2 * size - 1;
  const int32_t top = std::min({p[0].Y, p[1].Y, p[2].Y}) + shift;
  HRGN arrow = CreateRectRgn(0, 0, 0, 0);
  for (int32_t k = 0; k < size; ++k) {
    const int32_t y = AUp ? top + size - 1 - k : top + k;
    HRGN row = CreateRectRgn(x + k, y, x + w - k, y + 1);
    CombineRgn(arrow, arrow, row, RGN_OR);
    DeleteObject(row);
  }
  // A button narrower than its arrow keeps the arrow inside it.
  HRGN button = CreateRectRgn(AButtonRect.Left, AButtonRect.Top, AButtonRect.Right, AButtonRect.Bottom);
  CombineRgn(arrow, arrow, button, RGN_AND);
  DeleteObject(button);
  RegionToDevice(DC, arrow);
  const int saved = SaveDC(DC);
  ExtSelectClipRgn(DC, arrow, RGN_AND);
  HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(AColor)));
  const TRect bounds(x, top, x + w, top + size);
  FillRect(DC, &bounds, brush);
  DeleteObject(brush);
  RestoreDC(DC, saved);
  ExtSelectClipRgn(DC, arrow, RGN_DIFF);
  DeleteObject(arrow);
}

// A separator right under the top button gets a line of its own colour
// across the button's foot.
void TdxBarPainter::SubMenuDrawScrollButtonLine(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R) {
  if (!ASubMenu || !DC) return;
  TdxBarItemControl* first = ASubMenu->GetFirstVisibleItemControl();
  if (!IsSeparatorControl(first)) return;
  const TRect line(R.Left - 1, R.Bottom, R.Right + 1, R.Bottom + 1);
  const int32_t color = ASubMenu->IsNonRecentItemControl(first) ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
  FillEntryBackground(ASubMenu, DC, line, SysColorBrushValue(color));
  ExcludeClipRect(DC, line.Left, line.Top, line.Right, line.Bottom);
}

void TdxBarPainter::SubMenuDrawScrollButtonBack(TdxBarSubMenuControl* ASubMenu, HDC DC, const TRect& R) {
  if (!ASubMenu || !DC) return;
  FillEntryBackground(ASubMenu, DC, R, ASubMenu->GetBackgroundBrush());
}
