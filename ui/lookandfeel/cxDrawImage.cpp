#include "ui/lookandfeel/cxDrawImage.h"

#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"
#include "ui/lookandfeel/cxImageList.h"
#include "ui/lookandfeel/dxCore.h"

using namespace win;

TcxGlyphDrawHook GlyphDrawHook;

namespace {

// The buffers live in cxGraphics' slots, whose shutdown frees them; a null
// slot means the unit has shut down.
TcxAlphaBitmap* Ready(TcxSharedGlyphBuffer which, int32_t width, int32_t height) {
  TObject** slot = cxSharedGlyphBuffer(which);
  if (!slot) return nullptr;
  // Only these getters fill the slots.
  auto* buffer = static_cast<TcxAlphaBitmap*>(*slot);
  if (!buffer)
    *slot = buffer = new TcxAlphaBitmap(width, height, true);
  else
    buffer->Reset(width, height);
  return buffer;
}

// Image index of the list into image: a TcxImageList's own source, else the
// image from the list's handle. Lists keep straight alpha; the blend takes
// premultiplied pixels.
void ReadListImage(TCustomImageList* images, int32_t index, TcxAlphaBitmap* image) {
  TBitmap pixels;
  if (auto* list = dynamic_cast<TcxImageList*>(images)) list->GetImage(index, &pixels, nullptr);
  // Also an image added past the sources, through the inherited Add.
  if (pixels.Empty()) TcxImageList::ReadImageBitmaps(images->Handle(), index, &pixels, nullptr);
  if (pixels.Empty()) return;
  image->BlitFrom(&pixels, SRCCOPY);
  // Without alpha the image is made opaque later; premultiplying by zero
  // alphas would blacken it.
  if (!image->IsAlphaUsed()) return;
  pixels.SetAlphaFormat(afDefined);
  pixels.SetAlphaFormat(afPremultiplied);
  image->BlitFrom(&pixels, SRCCOPY);
}

// Zeroes the pixels of maskBuffer that the list's own mask marks transparent.
// The mask comes from the handle for every list: a TcxImageList's 32-bit
// source made with a colour key has no mask of its own.
void MaskOutByListMask(TCustomImageList* images, int32_t index, TcxAlphaBitmap* maskBuffer) {
  TBitmap listMask;
  TcxImageList::ReadImageBitmaps(images->Handle(), index, nullptr, &listMask);
  if (listMask.Empty()) return;
  TcxAlphaBitmap mask(maskBuffer->Width(), maskBuffer->Height(), true);
  mask.BlitFrom(&listMask, SRCCOPY);
  mask.Filter(bfCorrectAlpha);
  maskBuffer->MaskOut(&mask);
}

}  // namespace

TcxAlphaBitmap* GetSharedDrawBitmap(int32_t width, int32_t height) { return Ready(sgbDraw, width, height); }
TcxAlphaBitmap* GetSharedImageBitmap(int32_t width, int32_t height) { return Ready(sgbImage, width, height); }
TcxAlphaBitmap* GetSharedMaskBitmap(int32_t width, int32_t height) { return Ready(sgbMask, width, height); }

bool IsValidImageIndex(TCustomImageList* images, int32_t index) {
  return images && index >= 0 && index < images->Count();
}

bool IsBitmapNotEmpty(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

void SetImageListReference(TCustomImageList* newList, TCustomImageList*& field, TChangeLink* changeLink,
                           TComponent* owner) {
  if (newList == field) return;
  if (field) {
    if (owner) field->RemoveFreeNotification(owner);
    if (changeLink) field->UnRegisterChanges(changeLink);
  }
  field = newList;
  if (newList) {
    if (changeLink) newList->RegisterChanges(changeLink);
    if (owner) newList->FreeNotification(owner);
  }
  if (changeLink) changeLink->Change();
}

void BlitBitmap(HDC dc, TBitmap* bitmap, const TRect& destRect, DWORD rop, TPoint sourcePoint) {
  HPALETTE palette = bitmap->Palette();
  HPALETTE previous = nullptr;
  if (palette && GetDeviceCaps(dc, BITSPIXEL) <= 8) {
    previous = SelectPalette(dc, palette, TRUE);
    RealizePalette(dc);
  }
  if (IsWin9xFamily && GetDeviceCaps(dc, BITSPIXEL) == 32 && GetBitsPerPixel(bitmap) < 32) {
    TcxAlphaBitmap copy(destRect.Width(), destRect.Height());
    copy.BlitFrom(bitmap, copy.GetClientRect(), SRCCOPY, sourcePoint);
    copy.Filter(bfResetAlpha);
    BitBlt(dc, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(), copy.Canvas()->Handle(), 0, 0, rop);
  } else {
    BitBlt(dc, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(), bitmap->Canvas()->Handle(),
           sourcePoint.X, sourcePoint.Y, rop);
  }
  if (previous) SelectPalette(dc, previous, TRUE);
}

void DrawHatchRect(HDC dc, const TRect& r, TColor color1, TColor color2, uint8_t step, uint8_t alpha1,
                   uint8_t alpha2) {
  if (r.IsEmpty()) return;
  TcxAlphaBitmap bitmap(r.Width(), r.Height());
  BitBlt(bitmap.Canvas()->Handle(), 0, 0, r.Width(), r.Height(), dc, r.Left, r.Top, SRCCOPY);
  bitmap.DrawHatch(color1, color2, step, alpha1, alpha2);
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), bitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void DrawImage(HDC dc, TRect glyphRect, const TRect& backgroundRect, TBitmap* glyph, TCustomImageList* images,
               int32_t imageIndex, TcxImageDrawMode mode, bool smooth, HBRUSH brush, TColor transparentColor,
               bool useGlyphTransparentColor) {
  const bool fromGlyph = IsBitmapNotEmpty(glyph);
  if (!fromGlyph && !IsValidImageIndex(images, imageIndex)) return;
  if (backgroundRect.IsEmpty()) return;
  TcxAlphaBitmap* buffer = GetSharedDrawBitmap(backgroundRect.Width(), backgroundRect.Height());
  if (!buffer) return;
  HDC bufferDC = buffer->Canvas()->Handle();
  if (brush) {
    const RECT all = buffer->GetClientRect();
    FillRect(bufferDC, &all, brush);
  } else {
    BitBlt(bufferDC, 0, 0, buffer->Width(), buffer->Height(), dc, backgroundRect.Left, backgroundRect.Top, SRCCOPY);
  }
  glyphRect.Offset(-backgroundRect.Left, -backgroundRect.Top);

  if (!GlyphDrawHook || !GlyphDrawHook(buffer->Canvas(), images, imageIndex, mode, glyphRect, glyph)) {
    const int32_t width = fromGlyph ? glyph->Width() : images->Width();
    const int32_t height = fromGlyph ? glyph->Height() : images->Height();
    TcxAlphaBitmap* image = GetSharedImageBitmap(width, height);
    bool hasAlpha;
    if (fromGlyph) {
      image->BlitFrom(glyph, SRCCOPY);
      hasAlpha = GetBitsPerPixel(glyph) == 32;
    } else {
      ReadListImage(images, imageIndex, image);
      hasAlpha = TcxImageList::GetImageBitsPerPixel(images->Handle()) == 32;
    }
    hasAlpha = hasAlpha && image->IsAlphaUsed();
    if (!hasAlpha) image->Filter(bfOpaque);

    TcxAlphaBitmap* mask = GetSharedMaskBitmap(width, height);
    mask->BlitFrom(image, SRCCOPY);
    if (!hasAlpha) {
      if (!fromGlyph) MaskOutByListMask(images, imageIndex, mask);
      if (transparentColor != clNone) mask->AddTransparentColor(transparentColor);
      if (useGlyphTransparentColor && fromGlyph) mask->AddTransparentColor(glyph->TransparentColor());
    }
    mask->Filter(bfMakeMask);
    image->MaskOut(mask);

    uint8_t constantAlpha = 255;
    switch (mode) {
      case idmDisabled:
        if (hasAlpha) {
          image->Filter(bfDisable);
          constantAlpha = 151;
        } else {
          image->Filter(bfDirty);
          image->DrawShadow(mask, 1, clBtnHighlight, false);
        }
        break;
      case idmFaded:
        image->Filter(bfFade);
        constantAlpha = 64;
        break;
      case idmGrayScale: image->Filter(bfGrayScale); break;
      case idmDingy: image->Filter(bfDingy); break;
      case idmShadowed:
        image->DrawShadow(mask, 2, clBtnShadow, true);
        glyphRect.Right += 2;
        glyphRect.Bottom += 2;
        glyphRect.Offset(-1, -1);
        break;
      default: break;
    }
    image->BlendInto(buffer, glyphRect, smooth, constantAlpha);
  }
  BlitBitmap(dc, buffer, backgroundRect, SRCCOPY, TPoint(0, 0));
}
