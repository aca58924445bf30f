// Images for alpha-blended drawing. Every image is made through the image
// class: the null image while GDI+ is unavailable (as on this platform), which
// holds nothing and draws nothing. TdxGPImage itself works on its own pixels
// (32-bit, premultiplied alpha), so it serves wherever GDI+ would, given the
// image class.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

class TBitmap;

// Pixels top row first: blue, green, red, alpha bytes.
using TdxRGBColors = std::vector<win::RGBQUAD>;

class TdxGPBase : public TObject {
  DX_CLASS(TdxGPBase, TObject)
};

class TdxGPImage : public TdxGPBase {
  DX_CLASS_WITH_FACTORY(TdxGPImage, TdxGPBase, [](TObject*) -> TObject* { return new TdxGPImage; })
public:
  // An image is made empty through the image class, then filled by one of these.
  // The bitmap's pixels as a 32-bit top-down copy; alpha is kept for a 32-bit
  // bitmap, any other becomes opaque.
  virtual void CreateFromBitmap(TBitmap& bitmap);
  // Copies the pixels (the caller's array stays as it is); without alpha every
  // pixel becomes opaque. Sizes below 1 or too few pixels leave the image empty.
  virtual void CreateFromBits(int32_t width, int32_t height, const TdxRGBColors& bits, bool hasAlpha);

  bool Empty() const { return bits_.empty(); }
  const TdxRGBColors& Bits() const { return bits_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // A new image of the image class with the same pixels.
  std::unique_ptr<TdxGPImage> Clone() const;
  // Every byte of every pixel: Round((1 - alpha/255) * own + alpha/255 * other's).
  // Null when this image is empty or the other is not of the same size.
  std::unique_ptr<TdxGPImage> BlendWith(const TdxGPImage& other, uint8_t alpha) const;
  // Stretched into dest, blended over what is there by its alpha.
  void DrawToDC(win::HDC dc, const TRect& dest) const;

protected:
  int32_t width_ = 0, height_ = 0;
  TdxRGBColors bits_;
};

// What images are while GDI+ is unavailable: they take no pixels.
class TdxGPNullImage : public TdxGPImage {
  DX_CLASS_WITH_FACTORY(TdxGPNullImage, TdxGPImage, [](TObject*) -> TObject* { return new TdxGPNullImage; })
public:
  void CreateFromBitmap(TBitmap&) override {}
  void CreateFromBits(int32_t, int32_t, const TdxRGBColors&, bool) override {}
};

// The bitmap's pixels as 32-bit values, top row first; False when they cannot be read.
bool dxGetBitmapBits(TBitmap& bitmap, TdxRGBColors& pixels);

// The class every image is made of: TdxGPNullImage unless GDI+ was available
// at start-up. Setting a class that is not an image class is ignored.
TClass dxGPImageClass();
void SetdxGPImageClass(TClass imageClass);
std::unique_ptr<TdxGPImage> dxNewGPImage();

void dxGDIPlusClassesUnitStart();
void dxGDIPlusClassesUnitStop();
