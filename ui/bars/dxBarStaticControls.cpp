// The label and separator controls.
#include "ui/bars/dxBarStaticControls.h"

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxGraphics.h"

namespace {

bool ItemShowsCaption(const TdxBarItemControl* AControl) {
  TdxBarItem* item = AControl->GetItem();
  return item && item->ShowCaption();
}

}  // namespace

// ---------------------------------------------------------------- label

std::unique_ptr<TdxBarItemControlDrawParams> TdxBarCustomStaticControl::CreateDrawParams() {
  return std::make_unique<TdxBarStaticLikeControlDrawParams>(this);
}

bool TdxBarCustomStaticControl::CanSelect() {
  TdxBarManager* m = GetBarManager();
  return TdxBarItemControl::CanSelect() && m && m->IsCustomizing();
}

TdxBarItemViewStructure TdxBarCustomStaticControl::GetDefaultViewStructure() {
  TdxBarItemViewStructure structure = ItemShowsCaption(this) ? ivsText : 0;
  if (HasImage(GetViewSize())) structure |= ivsIcon;
  return structure;
}

void TdxBarCustomStaticControl::Draw(const TRect& ARect, TdxBarPaintType) {
  if (TdxBarPainter* painter = GetPainter())
    painter->StaticDraw(static_cast<TdxBarStaticLikeControlDrawParams*>(DrawParams()), ARect);
}

// ---------------------------------------------------------------- separator

std::unique_ptr<TdxBarItemControlDrawParams> TdxBarSeparatorControl::CreateDrawParams() {
  return std::make_unique<TdxBarSeparatorControlDrawParams>(this);
}

void TdxBarSeparatorControl::CalcDrawParams(bool AFull) {
  TdxBarCustomStaticControl::CalcDrawParams(AFull);
  auto* params = static_cast<TdxBarSeparatorControlDrawParams*>(DrawParams());
  params->IsFirstInLinks = ItemLink() && ItemLink()->GetVisibleIndex() == 0;
}

void TdxBarSeparatorControl::Draw(const TRect& ARect, TdxBarPaintType) {
  if (TdxBarPainter* painter = GetPainter())
    painter->SeparatorDraw(static_cast<TdxBarSeparatorControlDrawParams*>(DrawParams()), ARect);
}

TRect TdxBarSeparatorControl::GetTextMargins() {
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->SeparatorMargins() : TRect();
}

int32_t TdxBarSeparatorControl::LineCount() {
  CalcDrawParams(false);
  return static_cast<TdxBarSeparatorControlDrawParams*>(DrawParams())->IsFirstInLinks ? 1 : 2;
}

int32_t TdxBarSeparatorControl::GetMenuHeight() {
  if (!DrawParams()->ShowsText()) return Parent() ? Parent()->GetSeparatorSize() : 0;
  TdxBarPainter* painter = GetPainter();
  return (painter ? painter->SeparatorSize() * LineCount() : 0) + TdxBarCustomStaticControl::GetMenuHeight();
}

int32_t TdxBarSeparatorControl::GetMinWidth() {
  TCustomdxBarControl* bar = Parent();
  TdxBarPainter* painter = GetPainter();
  if (!bar || !painter) return 0;
  return painter->SeparatorBarMetric(bar) + bar->GetRowHeight();
}

int32_t TdxBarSeparatorControl::GetLength() { return Parent() ? Parent()->GetSeparatorSize() : 0; }

TdxBarItemViewStructure TdxBarSeparatorControl::GetDefaultViewStructure() {
  return GetPaintType() == ptMenu && ItemShowsCaption(this) ? ivsText : 0;
}

namespace {

// Measuring reads the DC straight, so the restyled font is selected at once.
void SetCanvasFontStyle(TcxCanvas* ACanvas, TFontStyles AStyle) {
  if (!ACanvas) return;
  ACanvas->Font()->SetStyle(AStyle);
  win::SelectObject(ACanvas->Handle(), ACanvas->Font()->Handle());
}

}  // namespace

void TdxBarSeparatorControl::BeginItemFont() { SetCanvasFontStyle(GetCanvas(), TFontStyles{fsBold}); }

void TdxBarSeparatorControl::EndItemFont() { SetCanvasFontStyle(GetCanvas(), TFontStyles{}); }
