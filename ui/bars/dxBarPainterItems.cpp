// How the base painter draws and measures item controls: glyphs, captions,
// buttons with their drop-down parts, check marks, arrows, the dots glyph,
// static items, separators and in-place sub-items. Until the item controls'
// draw parameters exist these operations draw nothing and answer neutrally.
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarPainters.h"

void TdxBarPainter::LargeButtonLayout(TdxBarButtonLikeControlDrawParams*, TRect&, TRect&, int32_t& AAlignment) {
  AAlignment = 0;
}

void TdxBarPainter::ItemDrawCheck(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::ItemDrawArrow(win::HDC DC, const TRect& R, int32_t ADirection, TColor AColor, bool AFlat,
                                  bool ASelected, bool AEnabled) {
  DrawItemArrowFitted(DC, R, ADirection, AColor, AFlat, AEnabled, ASelected);
}

void TdxBarPainter::ItemDrawLargeArrow(win::HDC DC, const TRect& R, int32_t ADirection, TColor AColor, bool AFlat,
                                       bool ASelected, bool AEnabled, int32_t ASize) {
  DrawItemArrow(DC, R, ADirection, AColor, AFlat, AEnabled, ASelected, ASize);
}

void TdxBarPainter::ItemDrawCaptionByParams(TdxBarItemControlDrawParams*, const std::string&, TRect, uint32_t,
                                            int32_t) {}

TRect TdxBarPainter::ItemCalcTextRect(TdxBarItemControlDrawParams*, const std::string&) { return TRect(); }

void TdxBarPainter::SubItemAdjustWidth(TdxBarItemControl*, int32_t&) {}

void TdxBarPainter::DropDownFillDot(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::DropDownDrawDots(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::ItemDrawLargeArrowByParams(TdxBarItemControlDrawParams*, const TRect&, int32_t, TColor) {}

void TdxBarPainter::ButtonCalcParts(TdxBarItemControl*, const TRect& AItemRect, TRect& AContentRect,
                                    TRect& AArrowRect) {
  AContentRect = AItemRect;
  AArrowRect = TRect(AItemRect.Right, AItemRect.Top, AItemRect.Right, AItemRect.Bottom);
}

void TdxBarPainter::ItemStyleColors(TdxBarItemControlDrawParams*, TColor& ALightColor, TColor& ADarkColor) {
  ALightColor = clDefault;
  ADarkColor = clDefault;
}

TRect TdxBarPainter::ItemDrawGlyphAndText(const TRect& R, TSize AGlyphSize, TdxBarGlyphLayout, bool) {
  return TRect(R.Left, R.Top, R.Left + AGlyphSize.cx, R.Top + AGlyphSize.cy);
}

void TdxBarPainter::ItemFillOrParentBackground(TdxBarItemControlDrawParams*, const TRect&, win::HBRUSH) {}

void TdxBarPainter::ItemDrawBackgroundBrush(TdxBarItemControlDrawParams*, const TRect&, win::HBRUSH) {}

void TdxBarPainter::ItemDrawDisabledShadow(win::HDC DC, const TRect& R) {
  win::FillRect(DC, &R, SysColorBrushValue(win::COLOR_BTNSHADOW));
}

void TdxBarPainter::ItemDrawTextByCanvas(TdxBarItemControlDrawParams*, const std::string&, TRect, uint32_t) {}

void TdxBarPainter::ItemDrawGlyph(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::ItemDrawGlyphEx(TdxBarItemControlDrawParams*, const TRect&, TSize) {}

void TdxBarPainter::ItemDrawCaption(TdxBarItemControl*, win::HDC, const std::string&, TRect, uint32_t, bool, bool,
                                    bool, bool, int32_t, bool) {}

win::HBRUSH TdxBarPainter::GlyphBackgroundBrush(TdxBarItemControlDrawParams*) { return nullptr; }

bool TdxBarPainter::ItemIsHighlighted(TdxBarItemControlDrawParams*) { return false; }

bool TdxBarPainter::ItemWantsGlyphArea(TdxBarItemControlDrawParams*) { return HasNativeBackground(); }

win::HBRUSH TdxBarPainter::ItemBrushFor(TdxBarItemControlDrawParams*) { return nullptr; }

bool TdxBarPainter::ItemShowsFrame(TdxBarItemControlDrawParams*) { return false; }

bool TdxBarPainter::ItemShowsFrameSelected(TdxBarItemControlDrawParams*) { return false; }

void TdxBarPainter::OffsetPressedContent(TdxBarItemControlDrawParams*, TRect&) {}

void TdxBarPainter::OffsetPressedContent2(TdxBarItemControlDrawParams*, TRect&) {}

void TdxBarPainter::ButtonDrawContent(TdxBarButtonLikeControlDrawParams*, const TRect&) {}

void TdxBarPainter::ButtonDrawLayoutCaption(TdxBarButtonLikeControlDrawParams*, const TRect&) {}

void TdxBarPainter::ButtonDrawDropDownArrow(TdxBarButtonLikeControlDrawParams*, const TRect&) {}

void TdxBarPainter::ButtonDrawDropDownFace(TdxBarButtonLikeControlDrawParams*, const TRect&) {}

void TdxBarPainter::ButtonDrawDropDownPart(TdxBarButtonLikeControlDrawParams*, const TRect&) {}

void TdxBarPainter::SubItemDrawArrow(TdxBarButtonLikeControlDrawParams*, const TRect&) {}

win::HBRUSH TdxBarPainter::ButtonBrushFor(TdxBarItemControlDrawParams* ADrawParams) {
  return ItemBrushFor(ADrawParams);
}

bool TdxBarPainter::InPlaceParamsField(TdxBarItemControlDrawParams*) { return false; }

void TdxBarPainter::InPlaceDrawArrow(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::InPlaceDrawBackground(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::InPlaceDrawContent(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::StaticDrawBackground(TdxBarStaticLikeControlDrawParams*, const TRect&) {}

void TdxBarPainter::StaticDrawBorder(TdxBarStaticLikeControlDrawParams*, TRect&) {}

void TdxBarPainter::StaticDraw(TdxBarStaticLikeControlDrawParams*, const TRect&) {}

TSize TdxBarPainter::StaticMeasure(TdxBarStaticLikeControlDrawParams*) { return TSize(); }

bool TdxBarPainter::StaticIsSelected(TdxBarStaticLikeControlDrawParams*) { return false; }

int32_t TdxBarPainter::StaticBorderMargins(int32_t ABorderStyle) {
  static constexpr int32_t margins[] = {0, 1, 1, 2, 2};
  return ABorderStyle >= 0 && ABorderStyle < 5 ? margins[ABorderStyle] : 0;
}

void TdxBarPainter::SeparatorDrawCaption(TdxBarSeparatorControlDrawParams*, const TRect&) {}

void TdxBarPainter::SeparatorDraw(TdxBarSeparatorControlDrawParams*, const TRect&) {}
