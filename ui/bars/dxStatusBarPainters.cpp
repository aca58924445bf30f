// The status bar painters: frame, bevels, separators, panel backgrounds and
// the size grip, per paint style.
#include <algorithm>

#include "platform/gdi/edge.h"
#include "platform/rtl/scopeexit.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxStatusBar.h"
#include "ui/lookandfeel/cxGeometry.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxOffice11.h"
#include "ui/lookandfeel/dxThemeManager.h"

namespace {

void FillWithColor(TcxCanvas* ACanvas, const TRect& R, TColor color) {
  ACanvas->Brush()->SetColor(color);
  ACanvas->Canvas()->FillRect(R);
}

}  // namespace

// ---- base

void TdxStatusBarPainter::PaintContainerBackground(TdxStatusBarContainerPanelStyle* AStyle) const {
  TdxStatusBarContainerControl* container = AStyle->Container();
  TdxCustomStatusBar* bar = AStyle->GetStatusBar();
  if (!container || !bar) return;
  TRect R = RectOffset(bar->ClientBounds(), container->Left(), container->Top(), false);
  PaintFrame(bar, container->cxCanvas(), R);
  PaintPanelBackground(bar, AStyle->Owner(), container->ClientRect(), container->cxCanvas());
}

TRect TdxStatusBarPainter::GetFrameWidths(TdxCustomStatusBar* AStatusBar) const {
  const int32_t bw = AStatusBar->BorderWidth();
  return {bw, bw + GetTopBandHeight(), bw, bw};
}

void TdxStatusBarPainter::PaintFrame(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, TRect& R) const {
  PaintTopBand(AStatusBar, ACanvas, {R.Left, R.Top, R.Right, R.Top + GetTopBandHeight()});
  R.Top += GetTopBandHeight();
  const int32_t bw = AStatusBar->BorderWidth();
  if (bw < 1) return;
  const TColor color = AStatusBar->Color();
  FillWithColor(ACanvas, {R.Left, R.Top, R.Right, R.Top + bw}, color);
  R.Top += bw;
  FillWithColor(ACanvas, {R.Left, R.Bottom - bw, R.Right, R.Bottom}, color);
  R.Bottom -= bw;
  FillWithColor(ACanvas, {R.Left, R.Top, R.Left + bw, R.Bottom}, color);
  R.Left += bw;
  FillWithColor(ACanvas, {R.Right - bw, R.Top, R.Right, R.Bottom}, color);
  R.Right -= bw;
}

void TdxStatusBarPainter::PaintTopBand(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, const TRect& R) const {
  FillWithColor(ACanvas, R, AStatusBar->Color());
}

void TdxStatusBarPainter::PaintNoPanels(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, TRect R) const {
  PaintBevel(AStatusBar, dxpbLowered, R, ACanvas);
  PaintPanelBackground(AStatusBar, nullptr, R, ACanvas);
}

void TdxStatusBarPainter::PaintPanel(TdxCustomStatusBar* AStatusBar, TdxStatusBarPanel* APanel, TRect R,
                                     TcxCanvas* ACanvas) const {
  if (!APanel) {
    PaintNoPanels(AStatusBar, ACanvas, R);
    return;
  }
  if (!APanel->Visible()) {
    PaintPanelBackground(AStatusBar, nullptr, R, ACanvas);
    return;
  }
  if (!GripInsideLastPanel() && APanel->PanelStyle()) APanel->PanelStyle()->TrimForSizeGrip(R);
  PaintBevel(AStatusBar, GetEffectiveBevel(APanel), R, ACanvas);
  if (APanel->OnDrawPanel) {
    bool done = false;
    APanel->OnDrawPanel(APanel, ACanvas, R, done);
    if (done) return;
  }
  if (TdxStatusBarPanelStyle* style = APanel->PanelStyle())
    style->PaintContent(ACanvas, R, this);
  else
    PaintPanelBackground(AStatusBar, APanel, R, ACanvas);
}

void TdxStatusBarPainter::PaintSizeGrip(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, bool AOverlapped,
                                        const TRect& R) const {
  const TRect r = RectInflate(R, -1, -1);
  const TSize size = GetGripSize();
  const TRect grip{r.Right - size.cx, r.Bottom - size.cy, r.Right, r.Bottom};
  TRect back = grip;
  if (AOverlapped) ++back.Right;
  const TColor color = AStatusBar->Color();
  FillWithColor(ACanvas, back, color);
  DrawGripTransparently(ACanvas->Handle(), grip);
  const TSize edge = GetGripEdgeSize();
  const TRect bottom{r.Right - edge.cx, r.Bottom, r.Right + 1, r.Bottom + 1};
  const TRect right{r.Right, r.Bottom - edge.cy, r.Right + 1, r.Bottom};
  FillWithColor(ACanvas, bottom, color);
  FillWithColor(ACanvas, right, color);
  ACanvas->ExcludeClipRect(back);
  ACanvas->ExcludeClipRect(bottom);
  ACanvas->ExcludeClipRect(right);
}

TdxStatusBarPanelBevel TdxStatusBarPainter::GetEffectiveBevel(TdxStatusBarPanel* APanel) const {
  if (!APanel) return dxpbLowered;
  if (APanel->PanelStyle() && APanel->PanelStyle()->HasOwnBevels()) return dxpbNone;
  return APanel->Bevel();
}

TColor TdxStatusBarPainter::GetPanelBackColor(TdxCustomStatusBar* AStatusBar, TdxStatusBarPanel* APanel) const {
  return APanel && APanel->PanelStyle() ? APanel->PanelStyle()->Color() : AStatusBar->Color();
}

// ---- standard and flat

void TdxStatusBarStandardPainter::PaintBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R,
                                             TcxCanvas* ACanvas) const {
  static constexpr win::UINT kEdge[] = {0, win::BDR_SUNKENOUTER, win::BDR_RAISEDINNER};
  win::DrawEdge(ACanvas->Handle(), &R, kEdge[ABevel], win::BF_RECT | win::BF_ADJUST);
}

void TdxStatusBarStandardPainter::PaintSeparator(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas,
                                                 const TRect& R) const {
  FillWithColor(ACanvas, R, AStatusBar->Color());
}

void TdxStatusBarStandardPainter::PaintPanelBackground(TdxCustomStatusBar* AStatusBar, TdxStatusBarPanel* APanel,
                                                       const TRect& R, TcxCanvas* ACanvas) const {
  FillWithColor(ACanvas, R, GetPanelBackColor(AStatusBar, APanel));
}

void TdxStatusBarFlatPainter::PaintBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R,
                                         TcxCanvas* ACanvas) const {
  if (ABevel == dxpbNone) return;
  FrameRectWithColor(ACanvas->Handle(), R, clBtnShadow);
  R = RectInflate(R, -1, -1);
}

// ---- Office 2003

void TdxStatusBarOffice11Painter::PaintFrame(TdxCustomStatusBar*, TcxCanvas* ACanvas, TRect& R) const {
  FillTwoPhaseGradientRect(ACanvas->Handle(), R, Office11GradientStartColor, false, Office11GradientEndColor);
  R = RectInflate(R, -1, -1);
}

void TdxStatusBarOffice11Painter::PaintBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R,
                                             TcxCanvas* ACanvas) const {
  if (ABevel == dxpbNone) return;
  FrameRectWithColor(ACanvas->Handle(), R, MixColors(Office11GradientEndColor, clBlack, 90));
  R = RectInflate(R, -1, -1);
}

void TdxStatusBarOffice11Painter::PaintSizeGrip(TdxCustomStatusBar*, TcxCanvas* ACanvas, bool AOverlapped,
                                                const TRect& R) const {
  const TRect r = RectInflate(R, 0, -1);
  const TSize size = GetGripSize();
  const TRect grip{r.Right - size.cx, r.Bottom - size.cy, r.Right, r.Bottom};
  TRect back = grip;
  if (!AOverlapped) --back.Right;
  DrawSizeGripDots(ACanvas->Handle(), grip, clDefault, clDefault);
  ACanvas->ExcludeClipRect(back);
}

// ---- XP (the "Status" visual style)

namespace {

enum : int32_t { kStatusBackground = 0, kStatusPane = 1, kStatusGripper = 3 };

// The part's true size on the screen DC; fallback when the style cannot tell.
TSize StatusPartSize(int32_t part, TSize fallback) {
  const HTHEME theme = OpenThemeOfType(totStatus);
  if (!theme) return fallback;
  win::HDC screen = win::GetDC(nullptr);
  TSize size;
  const win::HRESULT result = GetThemePartSize(theme, screen, part, 0, TS_TRUE, size);
  win::ReleaseDC(nullptr, screen);
  return result == win::S_OK ? size : fallback;
}

void DrawStatusPart(TcxCanvas* ACanvas, int32_t part, const TRect& R) {
  if (const HTHEME theme = OpenThemeOfType(totStatus)) DrawThemeBackground(theme, ACanvas->Handle(), part, 0, R);
}

}  // namespace

TSize TdxStatusBarXPPainter::GetGripSize() const {
  return StatusPartSize(kStatusGripper, TdxStatusBarPainter::GetGripSize());
}

int32_t TdxStatusBarXPPainter::SeparatorThickness() const {
  return StatusPartSize(kStatusPane, {TdxStatusBarPainter::SeparatorThickness(), 0}).cx;
}

void TdxStatusBarXPPainter::PaintFrame(TdxCustomStatusBar*, TcxCanvas* ACanvas, TRect& R) const {
  DrawStatusPart(ACanvas, kStatusBackground, R);
  R.Top += GetTopBandHeight();
}

void TdxStatusBarXPPainter::PaintSeparator(TdxCustomStatusBar*, TcxCanvas* ACanvas, const TRect& R) const {
  DrawStatusPart(ACanvas, kStatusPane, R);
}

void TdxStatusBarXPPainter::PaintSizeGrip(TdxCustomStatusBar*, TcxCanvas* ACanvas, bool AOverlapped,
                                          const TRect& R) const {
  const TRect r = RectInflate(R, -1, 0);
  const TSize size = GetGripSize();
  const TRect grip{r.Right - size.cx, r.Bottom - size.cy, r.Right, r.Bottom};
  TRect back = grip;
  if (AOverlapped) ++back.Right;
  DrawStatusPart(ACanvas, kStatusGripper, grip);
  ACanvas->ExcludeClipRect(back);
}

TdxStatusBarPainterClass dxStatusBarStandardPainter() {
  static const TdxStatusBarStandardPainter painter;
  return &painter;
}

TdxStatusBarPainterClass dxStatusBarFlatPainter() {
  static const TdxStatusBarFlatPainter painter;
  return &painter;
}

TdxStatusBarPainterClass dxStatusBarOffice11Painter() {
  static const TdxStatusBarOffice11Painter painter;
  return &painter;
}

TdxStatusBarPainterClass dxStatusBarXPPainter() {
  static const TdxStatusBarXPPainter painter;
  return &painter;
}
