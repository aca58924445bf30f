#include "ui/lookandfeel/cxDrawImage.h"

#include <memory>

#include "platform/vcl/imglist.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"
#include "ui/lookandfeel/dxCore.h"

using namespace win;

TcxGlyphDrawHook GlyphDrawHook;

namespace {

struct SharedBuffers {
  std::unique_ptr<TcxAlphaBitmap> Draw, Image, Mask;
  bool Finalized = false;
};

SharedBuffers& Shared() {
  static SharedBuffers buffers;
  return buffers;
}

TcxAlphaBitmap* Ready(std::unique_ptr<TcxAlphaBitmap>& buffer, int32_t width, int32_t height) {
  if (Shared().Finalized) return nullptr;
  if (!buffer)
    buffer = std::make_unique<TcxAlphaBitmap>(width, height, true);
  else
    buffer->Reset(width, height);
  return buffer.get();
}

// The depth of the list's images: a list of the device's depth takes the screen's.
int32_t ImageListBitsPerPixel(TCustomImageList* images) {
  switch (images->ColorDepth()) {
    case cd4Bit: return 4;
    case cd8Bit: return 8;
    case cd16Bit: return 16;
    case cd24Bit: return 24;
    case cd32Bit: return 32;
    default: {
      HDC screen = GetDC(nullptr);
      const int bits = GetDeviceCaps(screen, BITSPIXEL);
      ReleaseDC(nullptr, screen);
      return bits;
    }
  }
}

// Image index of the list into image. The list keeps straight alpha; the
// blend takes premultiplied pixels.
void ReadListImage(TCustomImageList* images, int32_t index, TcxAlphaBitmap* image) {
  TBitmap pixels;
  if (!images->GetBitmap(index, &pixels)) return;
  pixels.SetAlphaFormat(afPremultiplied);
  image->BlitFrom(&pixels, SRCCOPY);
}

// Zeroes the pixels of maskBuffer that the list's own mask marks transparent.
void MaskOutByListMask(TCustomImageList* images, int32_t index, TcxAlphaBitmap* maskBuffer) {
  TBitmap listMask;
  if (!images->GetMask(index, &listMask)) return;
  TcxAlphaBitmap mask(maskBuffer->Width(), maskBuffer->Height(), true);
  mask.BlitFrom(&listMask, SRCCOPY);
  mask.Filter(bfCorrectAlpha);
  maskBuffer->MaskOut(&mask);
}

}  // namespace

TcxAlphaBitmap* GetSharedDrawBitmap(int32_t width, int32_t height) { return Ready(Shared().Draw, width, height); }
TcxAlphaBitmap* GetSharedImageBitmap(int32_t width, int32_t height) { return Ready(Shared().Image, width, height); }
TcxAlphaBitmap* GetSharedMaskBitmap(int32_t width, int32_t height) { return Ready(Shared().Mask, width, height); }

void cxDrawImageUnitStart() { Shared().Finalized = false; }

void cxDrawImageUnitStop() {
  SharedBuffers& s = Shared();
  s.Finalized = true;
  s.Draw.reset();
  s.Image.reset();
  s.Mask.reset();
}

bool IsValidImageIndex(TCustomImageList* images, int32_t index) {
  return images && index >= 0 && index < images->Count();
}

bool IsBitmapNotEmpty(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

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
      hasAlpha = ImageListBitsPerPixel(images) == 32;
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
