// How the base painter draws and measures item controls: glyphs, captions,
// buttons with their drop-down parts, check marks, arrows and in-place
// sub-items (static items, separators and the dots glyph: dxBarPainterStatic.cpp).
// Operations not yet reached by an item control of this system answer neutrally.
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

// The room of a button's drop-down arrow part (0 for other controls).
int32_t ArrowPartWidth(TdxBarItemControlDrawParams* AParams) {
  auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(AParams);
  return button ? button->DropDownArrowSize.cx : 0;
}

int32_t DefaultItemHeightOf(TdxBarItemControlDrawParams* AParams) {
  TdxBarItemControl* control = AParams ? AParams->BarItemControl() : nullptr;
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  return bar ? bar->GetDefaultItemHeight() : 0;
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

void TdxBarPainter::SubItemAdjustWidth(TdxBarItemControl* AControl, int32_t& AWidth) {
  if (!AControl || AControl->IsMenu()) return;
  TdxBarItemControlDrawParams* params = AControl->DrawParams();
  auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(params);
  if (!button) return;
  if (AControl->IsDropDown())
    AWidth += ItemCaptionMargins().Left + button->DropDownArrowSize.cx;
  else if (!button->IsButton)
    AWidth += DefaultItemHeightOf(params) / 2;
}

void TdxBarPainter::ItemDrawLargeArrowByParams(TdxBarItemControlDrawParams* ADrawParams, const TRect& R,
                                               int32_t ADirection, TColor AColor) {
  HDC dc = DCOf(ADrawParams);
  if (!dc) return;
  auto* button = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(ADrawParams);
  const int32_t size = button ? button->DropDownArrowSize.cy : FittedItemArrowSize(R, ADirection);
  const TColor color = IsFlatStyle() || ADrawParams->Enabled ? AColor : clDefault;
  ItemDrawLargeArrow(dc, R, ADirection, color, ButtonArrowFlat(), ItemShowsFrameSelected(ADrawParams),
                     ADrawParams->Enabled, size);
}

// The arrow part takes the drop-down width at the item's far end; without a
// drop-down part it is empty there.
void TdxBarPainter::ButtonCalcParts(TdxBarItemControl* AControl, const TRect& AItemRect, TRect& AContentRect,
                                    TRect& AArrowRect) {
  AContentRect = AItemRect;
  AArrowRect = TRect(AItemRect.Right, AItemRect.Top, AItemRect.Right, AItemRect.Bottom);
  if (!AControl || !AControl->IsDropDown()) return;
  const int32_t width = std::clamp(ArrowPartWidth(AControl->DrawParams()), 0, std::max(AItemRect.Width(), 0));
  AArrowRect.Left = AItemRect.Right - width;
  AContentRect.Right = AArrowRect.Left;
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

void TdxBarPainter::OffsetPressedContent(TdxBarItemControlDrawParams* ADrawParams, TRect& R) {
  if (ADrawParams && !IsFlatStyle() && (IsDown(ADrawParams) || ADrawParams->IsPressed)) R.Offset(1, 1);
}

void TdxBarPainter::OffsetPressedContent2(TdxBarItemControlDrawParams* ADrawParams, TRect& R) {
  if (ADrawParams && !IsFlatStyle() && ADrawParams->IsPressed) R.Offset(1, 1);
}

// Lowered frame, then the menu entry or the glyph and caption, then the
// drop-down part (a separate arrow part, or the arrow inside a sub-item).
void TdxBarPainter::ButtonDrawContent(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  HDC dc = DCOf(ADrawParams);
  if (!control || !dc || R.IsEmpty()) return;
  TRect r = R;
  if (ADrawParams->Lowered) DrawLoweredFrame(dc, r);
  const int32_t arrow = ADrawParams->IsDropDown ? std::clamp(ArrowPartWidth(ADrawParams), 0, r.Width()) : 0;
  TRect content = r;
  content.Right -= arrow;
  if (ADrawParams->PaintType == ptMenu) {
    SubMenuDrawItemContent(ADrawParams, content);
  } else {
    const bool large = ADrawParams->ViewSize() == ivsLarge;
    if (large) {
      content.Inflate(-1, -1);
      OffsetPressedContent(ADrawParams, content);
    }
    if (ADrawParams->ShowsIcon()) {
      TRect glyph = content;
      const bool rotated = ADrawParams->PaintType == ptVert;
      if (large && !rotated) {
        TdxBarItem* item = control->GetItem();
        glyph = ItemDrawGlyphAndText(content, control->GetGlyphSize(ivsLarge), item ? item->GlyphLayout() : glTop,
                                     ADrawParams->ShowsText());
      } else if (!large && ADrawParams->ShowsText()) {
        if (rotated)
          glyph.Bottom = glyph.Top + ADrawParams->GlyphAreaSize.cy;
        else
          glyph.Right = glyph.Left + ADrawParams->GlyphAreaSize.cx;
      }
      ItemDrawGlyph(ADrawParams, glyph);
    } else {
      control->ImageBounds = TRect(content.Left, content.Top, content.Left, content.Top);
    }
    ButtonDrawLayoutCaption(ADrawParams, content);
  }
  if (ADrawParams->IsCustomizing) return;
  if (arrow > 0)
    ButtonDrawDropDownPart(ADrawParams, r);
  else if (!ADrawParams->IsButton)
    SubItemDrawArrow(ADrawParams, r);
}

// A caption without a glyph on a small toolbar button sits centred: the
// button is as wide as the caption and its indents on both sides.
void TdxBarPainter::ButtonDrawLayoutCaption(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R) {
  if (!ADrawParams || !ADrawParams->ShowsText()) return;
  TdxBarItemControl* control = ADrawParams->BarItemControl();
  TRect caption = R;
  TRect glyph = control ? control->ImageBounds : TRect();
  int32_t alignment = 0;
  LargeButtonLayout(ADrawParams, glyph, caption, alignment);
  if (!ADrawParams->ShowsIcon() && ADrawParams->ViewSize() != ivsLarge) alignment = 1;
  ItemDrawCaption(control, DCOf(ADrawParams), ADrawParams->Caption, caption, DT_SINGLELINE | DT_END_ELLIPSIS,
                  ADrawParams->Enabled, ADrawParams->DrawSelected, false, ADrawParams->PaintType == ptVert, alignment,
                  false);
}

// Non-flat painters sink a pressed arrow part wider than 9 pixels (any in
// menus); menus point the large arrow right, bars the small one down.
void TdxBarPainter::ButtonDrawDropDownArrow(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R) {
  HDC dc = DCOf(ADrawParams);
  if (!dc || R.IsEmpty()) return;
  const bool menu = ADrawParams->PaintType == ptMenu;
  const bool pressed =
      ADrawParams->DroppedDown || (ADrawParams->IsPressed && ADrawParams->HotPartIndex == dxBarArrowHotPart);
  TRect r = R;
  if (!IsFlatStyle() && pressed && (r.Width() > 9 || menu)) r.Offset(1, 1);
  TColor color = ItemStyleTextColor(ADrawParams->BarItemControl());
  if (color == clDefault) color = ItemCaptionTextColor(ItemShowsFrameSelected(ADrawParams), !IsFlatStyle());
  if (menu)
    ItemDrawLargeArrowByParams(ADrawParams, r, 0, color);
  else
    ItemDrawArrow(dc, r, 1, ADrawParams->Enabled ? color : clDefault, ButtonArrowFlat(),
                  ItemShowsFrameSelected(ADrawParams), ADrawParams->Enabled);
}

void TdxBarPainter::ButtonDrawDropDownFace(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R) {
  if (!ADrawParams) return;
  TRect r = R;
  if (IsFlatStyle()) {
    if (ADrawParams->DroppedDown) return;
    if (ADrawParams->PaintType != ptMenu) r.Offset(-1, 0);
  }
  ItemFillOrParentBackground(ADrawParams, r, ItemShowsFrame(ADrawParams) ? ButtonBrushFor(ADrawParams) : nullptr);
}

void TdxBarPainter::ButtonDrawDropDownPart(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R) {
  if (!ADrawParams) return;
  TRect part = R;
  part.Left = std::max(R.Left, R.Right - ArrowPartWidth(ADrawParams));
  ButtonDrawDropDownFace(ADrawParams, part);
  ButtonDrawDropDownArrow(ADrawParams, part);
}

// The arrow of a sub-item at the item's far end: right in menus, down in bars.
void TdxBarPainter::SubItemDrawArrow(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  HDC dc = DCOf(ADrawParams);
  if (!control || !dc) return;
  const bool menu = ADrawParams->PaintType == ptMenu;
  const int32_t hotPartWidth = ArrowPartWidth(ADrawParams);
  const int32_t itemHeight = DefaultItemHeightOf(ADrawParams);
  TRect r = R;
  int32_t size = hotPartWidth;
  if (menu) {
    r.Left = R.Right + hotPartWidth - itemHeight;
  } else {
    OffsetPressedContent(ADrawParams, r);
    TCustomdxBarControl* bar = control->Parent();
    const int32_t fontHeight = bar && bar->GetFont() ? bar->GetFont()->Height() : 0;
    r.Left = r.Right + fontHeight / 2 - itemHeight / 2;
    size = hotPartWidth - 1;
  }
  TColor color = ItemStyleTextColor(control);
  if (color == clDefault) color = ItemCaptionTextColor(ADrawParams->DrawSelected, !IsFlatStyle());
  ItemDrawLargeArrow(dc, r, menu ? 0 : 1, ADrawParams->Enabled ? color : clDefault, ButtonArrowFlat(),
                     ItemShowsFrameSelected(ADrawParams), ADrawParams->Enabled, size);
}

win::HBRUSH TdxBarPainter::ButtonBrushFor(TdxBarItemControlDrawParams* ADrawParams) {
  return ItemBrushFor(ADrawParams);
}

bool TdxBarPainter::InPlaceParamsField(TdxBarItemControlDrawParams*) { return false; }

void TdxBarPainter::InPlaceDrawArrow(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::InPlaceDrawBackground(TdxBarItemControlDrawParams*, const TRect&) {}

void TdxBarPainter::InPlaceDrawContent(TdxBarItemControlDrawParams*, const TRect&) {}

// The control's own measure with the border's margin on both edges along the
// paint direction. Measuring draws nothing: there is no rectangle to draw in.
TSize TdxBarPainter::StaticMeasure(TdxBarStaticLikeControlDrawParams* ADrawParams) {
  TdxBarItemControl* control = ADrawParams ? ADrawParams->BarItemControl() : nullptr;
  if (!control) return TSize();
  TSize size(control->GetWidth(), control->GetHeight());
  const int32_t border = 2 * StaticBorderMargins(ADrawParams->BorderStyle);
  if (ADrawParams->PaintType == ptVert)
    size.cy += border;
  else
    size.cx += border;
  return size;
}

int32_t TdxBarPainter::StaticBorderMargins(int32_t ABorderStyle) {
  static constexpr int32_t margins[] = {0, 1, 1, 2, 2};
  return ABorderStyle >= 0 && ABorderStyle < 5 ? margins[ABorderStyle] : 0;
}
