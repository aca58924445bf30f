// How the base painter draws static items (labels) and separators, the
// item brush and frame queries, the background ring of an item, and the
// three-dot glyph of drop-down parts.
//
// A captioned separator in a menu (S = SeparatorSize, 2 in the base):
//
//   +------------------------------+
//   |  upper line, S high          |  not for the first visible link
//   |  Caption (bold)              |  the base menu height
//   |  lower line, S high          |
//   +------------------------------+
#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/scopeexit.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxOffice11.h"

using namespace win;

namespace {

HDC ParamsDC(TdxBarItemControlDrawParams* AParams) {
  return AParams && AParams->Canvas ? AParams->Canvas->Handle() : nullptr;
}

TCustomdxBarControl* ParamsBar(TdxBarItemControlDrawParams* AParams) {
  TdxBarItemControl* control = AParams ? AParams->BarItemControl() : nullptr;
  return control ? control->Parent() : nullptr;
}

// DrawEdge's edge for each static border style; the fourth is drawn as two rings.
constexpr UINT kStaticBorderEdges[] = {0, BDR_SUNKENOUTER, BDR_RAISEDINNER, 0, EDGE_BUMP};

}  // namespace

// ---------------------------------------------------------------- brushes and frames of items

win::HBRUSH TdxBarPainter::ItemBrushFor(TdxBarItemControlDrawParams* ADrawParams) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  if (control && control->HasStyleBrush()) return control->BackgroundBrush();
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (bar && bar->ItemBrush()) return bar->ItemBrush();
  return bar ? ToolbarBrushFor(bar) : ToolbarBrush();
}

bool TdxBarPainter::ItemShowsFrame(TdxBarItemControlDrawParams* ADrawParams) {
  if (!ADrawParams) return false;
  auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(ADrawParams);
  if (button && button->Down) return true;
  return IsFlatStyle() && (ADrawParams->DrawSelected || ADrawParams->DroppedDown);
}

bool TdxBarPainter::ItemShowsFrameSelected(TdxBarItemControlDrawParams* ADrawParams) {
  if (!ADrawParams) return false;
  if (!IsFlatStyle()) return ButtonArrowFlat() && ADrawParams->DroppedDown;
  const bool inMenu = ADrawParams->PaintType == ptMenu;
  if (ADrawParams->DroppedDown && inMenu) return true;
  return ADrawParams->DrawSelected && IsHighContrastWhite() && (inMenu || !ADrawParams->DroppedDown);
}

void TdxBarPainter::ItemDrawBackgroundBrush(TdxBarItemControlDrawParams* ADrawParams, const TRect& R,
                                            win::HBRUSH ABrush) {
  HDC dc = ParamsDC(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  if (ABrush) {
    FrameRect(dc, &R, ABrush);
    return;
  }
  // The parent's background goes into the 1-pixel ring only.
  const int saved = SaveDC(dc);
  TScopeExit restore([&] { RestoreDC(dc, saved); });
  ExcludeClipRect(dc, R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  ItemFillOrParentBackground(ADrawParams, R, nullptr);
}

// ---------------------------------------------------------------- the dots glyph

void TdxBarPainter::DropDownFillDot(TdxBarItemControlDrawParams* ADrawParams, const TRect& ADot) {
  HDC dc = ParamsDC(ADrawParams);
  if (!dc) return;
  TRect dot = ADot;
  OffsetPressedContent2(ADrawParams, dot);
  if (!ADrawParams->Enabled) {
    ItemDrawDisabledShadow(dc, dot);
    return;
  }
  const int color = ADrawParams->DrawSelected && IsHighContrastWhite() ? COLOR_BTNFACE : COLOR_BTNTEXT;
  FillRect(dc, &dot, SysColorBrushValue(color));
}

void TdxBarPainter::DropDownDrawDots(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  const int32_t w = R.Width() / 7;
  if (w <= 0 || R.Height() < 2 * w) return;
  // Three squares of side w, 2w from one to the next, w above the bottom.
  const int32_t left = R.Left + (R.Width() - 5 * w) / 2, bottom = R.Bottom - w;
  for (int32_t i = 0; i < 3; ++i)
    DropDownFillDot(ADrawParams, TRect(left + 2 * w * i, bottom - w, left + 2 * w * i + w, bottom));
}

// ---------------------------------------------------------------- static items

bool TdxBarPainter::StaticIsSelected(TdxBarStaticLikeControlDrawParams* ADrawParams) {
  return ADrawParams && ADrawParams->DrawSelected;
}

void TdxBarPainter::StaticDrawBackground(TdxBarStaticLikeControlDrawParams* ADrawParams, const TRect& R) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  const bool active = StaticIsSelected(ADrawParams) || (control && control->HasStyleBrush());
  ItemFillOrParentBackground(ADrawParams, R, active ? ItemBrushFor(ADrawParams) : nullptr);
}

void TdxBarPainter::StaticDrawBorder(TdxBarStaticLikeControlDrawParams* ADrawParams, TRect& R) {
  HDC dc = ParamsDC(ADrawParams);
  const int32_t style = ADrawParams ? ADrawParams->BorderStyle : sbsNone;
  if (!dc || style == sbsNone || style > sbsBump) return;
  if (style == sbsEtched) {
    DrawEdge(dc, &R, BDR_RAISEDINNER, BF_RECT);
    R.Inflate(-1, -1);
    DrawEdge(dc, &R, BDR_SUNKENOUTER, BF_RECT);
    R.Inflate(-1, -1);
    return;
  }
  DrawEdge(dc, &R, kStaticBorderEdges[style], BF_RECT);
  const int32_t m = StaticBorderMargins(style);
  R.Inflate(-m, -m);
}

void TdxBarPainter::StaticDraw(TdxBarStaticLikeControlDrawParams* ADrawParams, const TRect& R) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  HDC dc = ParamsDC(ADrawParams);
  if (!control || !dc || R.IsEmpty()) return;
  StaticDrawBackground(ADrawParams, R);
  TRect inner = R;
  StaticDrawBorder(ADrawParams, inner);
  if (inner.IsEmpty()) return;
  const bool inMenu = ADrawParams->PaintType == ptMenu, vertical = ADrawParams->PaintType == ptVert;
  const bool icon = ADrawParams->ShowsIcon(), text = ADrawParams->ShowsText();
  const int32_t glyphPart = control->GetGlyphPartWidth();
  // Nothing of a long caption or a large glyph lands outside the control.
  const int saved = SaveDC(dc);
  TScopeExit restore([&] { RestoreDC(dc, saved); });
  IntersectClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
  if (icon) {
    TRect glyph = inner;
    if (inMenu) {
      // A menu entry without caption shows its glyph centred.
      if (text) glyph = SubMenuIconRect(inner, glyphPart);
    } else if (text) {
      (vertical ? glyph.Bottom : glyph.Right) = (vertical ? glyph.Top : glyph.Left) + glyphPart;
    }
    ItemDrawGlyph(ADrawParams, glyph);
  }
  if (!text) return;
  TRect caption = inner;
  int32_t& leading = vertical ? caption.Top : caption.Left;
  if (icon)
    leading += inMenu ? SubMenuTextIndent(glyphPart) : glyphPart + 2;
  else if (TCustomdxBarControl* bar = control->Parent())
    leading += bar->GetDefaultItemHeight() / 4;
  // The labels of this system carry no alignment of their own: captions start at the leading edge.
  ItemDrawCaption(control, dc, ADrawParams->Caption, caption, DT_SINGLELINE, ADrawParams->Enabled,
                  ADrawParams->DrawSelected, inMenu, vertical, 0, true);
}

// ---------------------------------------------------------------- separators

void TdxBarPainter::SeparatorDrawCaption(TdxBarSeparatorControlDrawParams* ADrawParams, const TRect& R) {
  StaticDraw(ADrawParams, R);
}

void TdxBarPainter::SeparatorDraw(TdxBarSeparatorControlDrawParams* ADrawParams, const TRect& R) {
  HDC dc = ParamsDC(ADrawParams);
  TCustomdxBarControl* bar = ParamsBar(ADrawParams);
  if (!dc || !bar || R.IsEmpty()) return;
  if (!ADrawParams->ShowsText()) {
    if (ADrawParams->PaintType == ptMenu)
      SubMenuDrawSeparatorItem(ADrawParams, R);
    else
      BarDrawSeparator(bar, dc, R, bar->GetBackgroundBrush(), !bar->IsVertical());
    return;
  }
  const int32_t s = SeparatorSize();
  const TRect upper(R.Left, R.Top, R.Right, R.Top + s), lower(R.Left, R.Bottom - s, R.Right, R.Bottom);
  TRect caption = R;
  if (!ADrawParams->IsFirstInLinks) caption.Top = upper.Bottom;
  caption.Bottom = lower.Top;
  SeparatorDrawCaption(ADrawParams, caption);
  // Etched lines: the shadow row above the highlight row.
  auto line = [&](TRect ALine) { DrawEdge(dc, &ALine, EDGE_ETCHED, BF_TOP); };
  if (!ADrawParams->IsFirstInLinks) line(upper);
  line(lower);
}
