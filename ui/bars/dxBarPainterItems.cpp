// How the base painter draws and measures item controls: glyphs, captions,
// buttons with their drop-down parts, check marks, arrows, the dots glyph,
// static items, separators and in-place sub-items. Operations not yet
// reached by an item control of this system answer neutrally.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/scopeexit.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/lookandfeel/cxGraphics.h"

using namespace win;

namespace {

// Halves rounded down, also for a glyph larger than its room.
int32_t FloorHalf(int32_t A) { return A >= 0 ? A / 2 : -((-A + 1) / 2); }

TRect CentredRect(const TRect& R, int32_t AWidth, int32_t AHeight) {
  const int32_t left = R.Left + FloorHalf(R.Width() - AWidth), top = R.Top + FloorHalf(R.Height() - AHeight);
  return TRect(left, top, left + AWidth, top + AHeight);
}

HDC DCOf(TdxBarItemControlDrawParams* AParams) {
  return AParams && AParams->Canvas ? AParams->Canvas->Handle() : nullptr;
}

bool IsDown(TdxBarItemControlDrawParams* AParams) {
  auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(AParams);
  return button && button->Down;
}

// A menu entry of a check-style button that is on shows a check mark instead of a missing image.
bool ShowsCheckMark(TdxBarItemControlDrawParams* AParams) {
  return AParams->PaintType == ptMenu && IsDown(AParams);
}

}  // namespace

void TdxBarPainter::LargeButtonLayout(TdxBarButtonLikeControlDrawParams* ADrawParams, TRect& AGlyphRect,
                                      TRect& ACaptionRect, int32_t& AAlignment) {
  AAlignment = 0;
  if (!ADrawParams) return;
  TdxBarItemControl* control = ADrawParams->BarItemControl();
  const bool rotated = ADrawParams->PaintType == ptVert;
  if (ADrawParams->ViewSize() == ivsLarge) {
    TdxBarItem* item = control ? control->GetItem() : nullptr;
    switch (item ? item->GlyphLayout() : glTop) {
      case glLeft:
        (rotated ? ACaptionRect.Top : ACaptionRect.Left) = (rotated ? AGlyphRect.Bottom : AGlyphRect.Right) + 3;
        AAlignment = 0;
        break;
      case glRight:
        (rotated ? ACaptionRect.Bottom : ACaptionRect.Right) = (rotated ? AGlyphRect.Top : AGlyphRect.Left) - 3;
        AAlignment = 2;
        break;
      case glTop:
        (rotated ? ACaptionRect.Right : ACaptionRect.Top) = rotated ? AGlyphRect.Left : AGlyphRect.Bottom;
        AAlignment = 1;
        break;
      case glBottom:
        (rotated ? ACaptionRect.Left : ACaptionRect.Bottom) = rotated ? AGlyphRect.Right : AGlyphRect.Top;
        AAlignment = 1;
        break;
    }
    return;
  }
  if (ADrawParams->ShowsIcon()) {
    if (rotated)
      ACaptionRect.Top += ADrawParams->GlyphAreaSize.cy;
    else
      ACaptionRect.Left += ADrawParams->GlyphAreaSize.cx;
  }
  if (!KeepsPressedContentInPlace()) OffsetPressedContent(ADrawParams, ACaptionRect);
}

void TdxBarPainter::ItemDrawCheck(TdxBarItemControlDrawParams* ADrawParams, const TRect& AGlyphRect) {
  if (!ADrawParams || !ShowsCheckMark(ADrawParams)) return;
  TdxBarItemControl* control = ADrawParams->BarItemControl();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  const int32_t size = bar && bar->GetFont() && bar->GetFont()->Size() >= 16 ? 2 : 1;
  ItemDrawCheckAt(ADrawParams, CentredRect(AGlyphRect, 7 * size, 9 * size), size);
}

void TdxBarPainter::ItemDrawArrow(win::HDC DC, const TRect& R, int32_t ADirection, TColor AColor, bool AFlat,
                                  bool ASelected, bool AEnabled) {
  DrawItemArrowFitted(DC, R, ADirection, AColor, AFlat, AEnabled, ASelected);
}

void TdxBarPainter::ItemDrawLargeArrow(win::HDC DC, const TRect& R, int32_t ADirection, TColor AColor, bool AFlat,
                                       bool ASelected, bool AEnabled, int32_t ASize) {
  DrawItemArrow(DC, R, ADirection, AColor, AFlat, AEnabled, ASelected, ASize);
}

void TdxBarPainter::ItemDrawCaptionByParams(TdxBarItemControlDrawParams* ADrawParams, const std::string& ACaption,
                                            TRect R, uint32_t AFlags, int32_t AAlignment) {
  if (!ADrawParams) return;
  ItemDrawCaption(ADrawParams->BarItemControl(), DCOf(ADrawParams), ACaption, R, AFlags, ADrawParams->Enabled,
                  ADrawParams->DrawSelected, ADrawParams->PaintType == ptMenu, ADrawParams->PaintType == ptVert,
                  AAlignment, false);
}

TRect TdxBarPainter::ItemCalcTextRect(TdxBarItemControlDrawParams* ADrawParams, const std::string& AText) {
  HDC dc = DCOf(ADrawParams);
  RECT r{0, 0, 0, 0};
  if (dc) DrawText(dc, AText, -1, &r, DT_SINGLELINE | DT_CALCRECT);
  return r;
}

void TdxBarPainter::SubItemAdjustWidth(TdxBarItemControl*, int32_t&) {}

void TdxBarPainter::DropDownFillDot(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::DropDownDrawDots(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::ItemDrawLargeArrowByParams(TdxBarItemControlDrawParams*, const TRect&, int32_t, TColor) {}

void TdxBarPainter::ButtonCalcParts(TdxBarItemControl*, const TRect& AItemRect, TRect& AContentRect,
                                    TRect& AArrowRect) {
  AContentRect = AItemRect;
  AArrowRect = TRect(AItemRect.Right, AItemRect.Top, AItemRect.Right, AItemRect.Bottom);
}

void TdxBarPainter::ItemStyleColors(TdxBarItemControlDrawParams* ADrawParams, TColor& ALightColor,
                                    TColor& ADarkColor) {
  const bool selected = ADrawParams && ADrawParams->DrawSelected;
  if (ADrawParams && !ADrawParams->Enabled) {
    ItemDisabledTextColors(selected, IsFlatStyle(), ALightColor, ADarkColor);
    return;
  }
  TColor color = ADrawParams ? ItemStyleTextColor(ADrawParams->BarItemControl()) : clDefault;
  if (color == clDefault) color = ItemCaptionTextColor(selected, !IsFlatStyle());
  ALightColor = ADarkColor = color;
}

TRect TdxBarPainter::ItemDrawGlyphAndText(const TRect& R, TSize AGlyphSize, TdxBarGlyphLayout ALayout,
                                          bool ACaptionShown) {
  TRect g = CentredRect(R, AGlyphSize.cx, AGlyphSize.cy);
  if (!ACaptionShown) return g;
  switch (ALayout) {
    case glLeft: g.Offset(R.Left + 4 - g.Left, 0); break;
    case glRight: g.Offset(R.Right - AGlyphSize.cx - 4 - g.Left, 0); break;
    case glTop: g.Offset(0, R.Top + 2 - g.Top); break;
    case glBottom: g.Offset(0, R.Bottom - AGlyphSize.cy - 2 - g.Top); break;
  }
  return g;
}

void TdxBarPainter::ItemFillOrParentBackground(TdxBarItemControlDrawParams* ADrawParams, const TRect& R,
                                               win::HBRUSH ABrush) {
  HDC dc = DCOf(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  if (ABrush) {
    FillRect(dc, &R, ABrush);
    return;
  }
  TdxBarItemControl* control = ADrawParams->BarItemControl();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  FillRect(dc, &R, bar ? ToolbarBrushFor(bar) : ToolbarBrush());
}

void TdxBarPainter::ItemDrawBackgroundBrush(TdxBarItemControlDrawParams*, const TRect&, win::HBRUSH) {}

void TdxBarPainter::ItemDrawDisabledShadow(win::HDC DC, const TRect& R) {
  win::FillRect(DC, &R, SysColorBrushValue(win::COLOR_BTNSHADOW));
}

void TdxBarPainter::ItemDrawTextByCanvas(TdxBarItemControlDrawParams*, const std::string&, TRect, uint32_t) {}

void TdxBarPainter::ItemDrawGlyph(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  if (!control || R.IsEmpty()) return;
  const bool hasImage = control->HasImage(ADrawParams->ViewSize());
  if (!hasImage && !ShowsCheckMark(ADrawParams)) {
    ItemDrawGlyphFrame(ADrawParams, R);
    return;
  }
  const TSize imageSize = control->GetGlyphSize(ADrawParams->ViewSize());
  TSize size = imageSize;
  TdxBarManager* m = control->GetBarManager();
  if (ADrawParams->PaintType == ptVert && ADrawParams->ViewSize() == ivsLarge) {
    TdxBarItem* item = control->GetItem();
    control->ImageBounds = ItemDrawGlyphAndText(R, size, item ? item->GlyphLayout() : glTop, ADrawParams->ShowsText());
  } else {
    TCustomdxBarControl* bar = control->Parent();
    if (ADrawParams->PaintType == ptMenu && bar) {
      const double scale = bar->ScaleFactor() > 0 ? bar->ScaleFactor() : 1.0;
      const TSize scaled(int32_t(size.cx * scale + 0.5), int32_t(size.cy * scale + 0.5));
      // An enlarged glyph with odd room on both sides would sit between pixels.
      if ((scaled.cx > size.cx || scaled.cy > size.cy) && (R.Width() - scaled.cx) % 2 != 0 &&
          (R.Height() - scaled.cy) % 2 != 0)
        size = TSize(scaled.cx - 1, scaled.cy - 1);
      else
        size = scaled;
    } else if (ADrawParams->ViewSize() == ivsLargeIcon && m) {
      const bool keep = m->UseLargeImagesForLargeIcons() && control->GetLargeGlyph() && !control->GetLargeGlyph()->Empty();
      if (!keep) {
        if (TCustomImageList* large = m->LargeImages())
          size = TSize(large->Width(), large->Height());
        else
          size = TSize(2 * m->GetGlyphSize(), 2 * m->GetGlyphSize());
      }
    }
    TRect g = CentredRect(R, size.cx, size.cy);
    if (IsDown(ADrawParams)) g.Offset(ItemGlyphDownShift(), ItemGlyphDownShift());
    if (ADrawParams->IsPressed) g.Offset(ItemGlyphPressedShift(), ItemGlyphPressedShift());
    control->ImageBounds = g;
  }
  // A glyph larger than its room is cut at the room's edges.
  HDC dc = DCOf(ADrawParams);
  if (!dc) return;
  const int saved = SaveDC(dc);
  TScopeExit restore([&] { RestoreDC(dc, saved); });
  IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
  ItemDrawGlyphEx(ADrawParams, control->ImageBounds, hasImage ? imageSize : TSize());
}

void TdxBarPainter::ItemDrawGlyphEx(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, TSize AGlyphSize) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  HDC dc = DCOf(ADrawParams);
  if (!control || !dc || R.IsEmpty()) return;
  TdxBarManager* m = control->GetBarManager();
  const bool check = ShowsCheckMark(ADrawParams) && !control->HasImage(ADrawParams->ViewSize());
  TSize glyph = AGlyphSize;
  if (check) glyph = TSize(m ? m->GetGlyphSize() : 16, m ? m->GetGlyphSize() : 16);
  TRect inner = R;
  if (R.Width() >= glyph.cx + 2 && R.Height() >= glyph.cy + 2) inner.Inflate(-1, -1);
  // Nothing of the glyph lands outside its rectangle, whatever its size.
  const int saved = SaveDC(dc);
  TScopeExit restore([&] { RestoreDC(dc, saved); });
  IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
  const bool native = HasNativeBackground();
  if (native) ItemDrawGlyphFrame(ADrawParams, R);
  if (!native) ItemFillOrParentBackground(ADrawParams, inner, ItemIsHighlighted(ADrawParams) ? GlyphBackgroundBrush(ADrawParams) : nullptr);
  if (check) {
    ItemDrawCheck(ADrawParams, inner);
  } else {
    int32_t index;
    TCustomImageList* images;
    TBitmap* bitmap;
    if (control->GetImage(ADrawParams->ViewSize(), index, images, bitmap)) {
      TdxBarImageOptions* options = m ? m->ImageOptions() : nullptr;
      HBRUSH brush = ItemWantsGlyphArea(ADrawParams) ? nullptr : GlyphBackgroundBrush(ADrawParams);
      DrawItemGlyph(control, dc, brush, inner, inner, bitmap, images, index,
                    options ? options->ImageListBkColor() : clNone, control->DrawsDisabledImageAsIs(),
                    control->DrawsGrayScaleGlyph(), UsesGlyphShadow(), ADrawParams->DrawSelected,
                    IsDown(ADrawParams), ADrawParams->IsPressed, UsesFlatGlyphShadow(),
                    UseFadedImages(control->Parent()), options && options->SmoothGlyphs,
                    options && options->UseLeftBottomPixelAsTransparent());
    }
  }
  if (!native) ItemDrawGlyphFrame(ADrawParams, R);
}

void TdxBarPainter::ItemDrawCaption(TdxBarItemControl* AControl, win::HDC DC, const std::string& ACaption, TRect R,
                                    uint32_t AFlags, bool AEnabled, bool ASelected, bool AInMenu, bool AVertical,
                                    int32_t AAlignment, bool AClipped) {
  (void)AInMenu;
  if (!DC || R.IsEmpty()) return;
  TColor light, dark;
  if (AEnabled) {
    dark = AControl ? ItemStyleTextColor(AControl) : clDefault;
    if (dark == clDefault) dark = ItemCaptionTextColor(ASelected, !IsFlatStyle());
    light = dark;
  } else {
    ItemDisabledTextColors(ASelected, IsFlatStyle(), light, dark);
  }
  const int saved = SaveDC(DC);
  TScopeExit restore([&] { RestoreDC(DC, saved); });
  SetBkMode(DC, TRANSPARENT);
  UINT flags = AFlags | DT_NOCLIP;
  if (AClipped) {
    if (AVertical)
      IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    else
      flags &= ~UINT(DT_NOCLIP);
  }
  std::string text = ACaption;
  TRect textRect = R;
  int32_t underlineX = 0, underlineFrom = 0, underlineTo = 0;
  bool underline = false;
  if (AVertical) {
    // The caller has selected the rotated font; DrawText shows no prefix
    // underline turned with it, so the accelerator is underlined by hand.
    const int32_t accel = FindAcceleratorPos(text, true);
    TEXTMETRIC tm{};
    GetTextMetrics(DC, &tm);
    SIZE extent{};
    GetTextExtentPoint32(DC, text, &extent);
    textRect.Left += (R.Width() + tm.tmHeight) / 2;
    if (AAlignment == 1)
      textRect.Top += (R.Height() - extent.cx) / 2;
    else if (AAlignment == 2)
      textRect.Top += R.Height() - extent.cx;
    if (accel > 0) {
      flags |= DT_NOPREFIX;
      size_t at = size_t(accel - 1), next = at + 1;
      while (next < text.size() && (uint8_t(text[next]) & 0xC0) == 0x80) ++next;
      SIZE before{}, ch{};
      GetTextExtentPoint32(DC, std::string_view(text).substr(0, at), &before);
      GetTextExtentPoint32(DC, std::string_view(text).substr(at, next - at), &ch);
      underline = true;
      underlineX = (R.Left + R.Right - tm.tmHeight) / 2 + tm.tmDescent - 2;
      underlineFrom = textRect.Top + before.cx;
      underlineTo = underlineFrom + ch.cx;
    }
  } else {
    flags |= DT_VCENTER | (AAlignment == 1 ? DT_CENTER : AAlignment == 2 ? DT_RIGHT : DT_LEFT);
  }
  auto pass = [&](TColor AColor, int32_t AShift) {
    SetTextColor(DC, ColorToRGB(AColor));
    RECT r = textRect;
    r.Offset(AShift, AShift);
    DrawText(DC, text, -1, &r, flags);
    if (!underline) return;
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(AColor));
    HGDIOBJ old = SelectObject(DC, pen);
    MoveToEx(DC, underlineX + AShift, underlineFrom + AShift, nullptr);
    LineTo(DC, underlineX + AShift, underlineTo + AShift);
    SelectObject(DC, old);
    DeleteObject(pen);
  };
  // The embossed look: the light colour one pixel right and down, the dark one in place.
  if (light != dark) pass(light, 1);
  pass(dark, 0);
}

win::HBRUSH TdxBarPainter::GlyphBackgroundBrush(TdxBarItemControlDrawParams* ADrawParams) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  if (control && control->HasStyleBrush()) return control->BackgroundBrush();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  return bar ? ToolbarBrushFor(bar) : ToolbarBrush();
}

bool TdxBarPainter::ItemIsHighlighted(TdxBarItemControlDrawParams* ADrawParams) {
  if (!ADrawParams) return false;
  TdxBarItemControl* control = ADrawParams->BarItemControl();
  if (control && control->NonRecent) return true;
  return ADrawParams->DrawSelected || IsDown(ADrawParams) || ADrawParams->IsPressed;
}

bool TdxBarPainter::ItemWantsGlyphArea(TdxBarItemControlDrawParams*) { return HasNativeBackground(); }

win::HBRUSH TdxBarPainter::ItemBrushFor(TdxBarItemControlDrawParams*) { return nullptr; }

bool TdxBarPainter::ItemShowsFrame(TdxBarItemControlDrawParams*) { return false; }

bool TdxBarPainter::ItemShowsFrameSelected(TdxBarItemControlDrawParams*) { return false; }

void TdxBarPainter::OffsetPressedContent(TdxBarItemControlDrawParams* ADrawParams, TRect& R) {
  if (ADrawParams && !IsFlatStyle() && (IsDown(ADrawParams) || ADrawParams->IsPressed)) R.Offset(1, 1);
}

void TdxBarPainter::OffsetPressedContent2(TdxBarItemControlDrawParams* ADrawParams, TRect& R) {
  if (ADrawParams && !IsFlatStyle() && ADrawParams->IsPressed) R.Offset(1, 1);
}

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
