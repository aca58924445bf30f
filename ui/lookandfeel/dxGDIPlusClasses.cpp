#include "ui/lookandfeel/dxGDIPlusClasses.h"

#include <algorithm>
#include <cstring>

#include "platform/vcl/graphics.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"
#include "ui/lookandfeel/dxGDIPlusAPI.h"

using namespace win;

namespace {

TClass imageClass = TdxGPNullImage::StaticClass();

// The PNG picture class is not offered: reading and writing PNG needs GDI+'s codecs.
void InitializeImageClass() {
  imageClass = TdxGPNullImage::StaticClass();
  if (GdiPlusAvailable()) {
    dxEnsurePngEncoder();
    imageClass = TdxGPImage::StaticClass();
  }
}

void FinalizeImageClass() { imageClass = TdxGPNullImage::StaticClass(); }

uint8_t BlendByte(uint8_t own, uint8_t other, uint32_t alpha) {
  // (255 - a) * own + a * other never lies halfway between two multiples of 255.
  return uint8_t(((255 - alpha) * own + alpha * other + 127) / 255);
}

}  // namespace

TClass dxGPImageClass() { return imageClass; }

void SetdxGPImageClass(TClass cls) {
  if (cls && cls->Create && cls->InheritsFrom(TdxGPImage::StaticClass())) imageClass = cls;
}

std::unique_ptr<TdxGPImage> dxNewGPImage() {
  return std::unique_ptr<TdxGPImage>(static_cast<TdxGPImage*>(imageClass->Create(nullptr)));
}

bool dxGetBitmapBits(TBitmap& bitmap, TdxRGBColors& pixels) {
  if (GetBitmapPixels(&bitmap, true, pixels)) return true;
  const int32_t w = bitmap.Width(), h = bitmap.Height();
  if (w < 1 || h < 1 || bitmap.PixelFormat() != pf32bit) {
    pixels.clear();
    return false;
  }
  for (int32_t y = 0; y < h; ++y)
    std::memcpy(&pixels[size_t(y) * size_t(w)], bitmap.ScanLine(y), size_t(w) * sizeof(RGBQUAD));
  return true;
}

void TdxGPImage::CreateFromBitmap(TBitmap& bitmap) {
  TdxRGBColors pixels;
  if (dxGetBitmapBits(bitmap, pixels))
    CreateFromBits(bitmap.Width(), bitmap.Height(), pixels, bitmap.PixelFormat() == pf32bit);
}

void TdxGPImage::CreateFromBits(int32_t width, int32_t height, const TdxRGBColors& bits, bool hasAlpha) {
  width_ = height_ = 0;
  bits_.clear();
  if (width < 1 || height < 1 || bits.size() / size_t(width) < size_t(height)) return;
  bits_.assign(bits.begin(), bits.begin() + ptrdiff_t(size_t(width) * size_t(height)));
  if (!hasAlpha)
    for (RGBQUAD& p : bits_) p.rgbReserved = 255;
  width_ = width;
  height_ = height;
}

std::unique_ptr<TdxGPImage> TdxGPImage::Clone() const {
  std::unique_ptr<TdxGPImage> copy = dxNewGPImage();
  copy->CreateFromBits(width_, height_, bits_, true);
  return copy;
}

std::unique_ptr<TdxGPImage> TdxGPImage::BlendWith(const TdxGPImage& other, uint8_t alpha) const {
  if (Empty() || other.width_ != width_ || other.height_ != height_) return nullptr;
  TdxRGBColors blended(bits_.size());
  for (size_t i = 0; i < bits_.size(); ++i) {
    const RGBQUAD &a = bits_[i], &b = other.bits_[i];
    blended[i] = {BlendByte(a.rgbBlue, b.rgbBlue, alpha), BlendByte(a.rgbGreen, b.rgbGreen, alpha),
                  BlendByte(a.rgbRed, b.rgbRed, alpha), BlendByte(a.rgbReserved, b.rgbReserved, alpha)};
  }
  std::unique_ptr<TdxGPImage> image = dxNewGPImage();
  image->CreateFromBits(width_, height_, blended, true);
  return image;
}

void TdxGPImage::DrawToDC(HDC dc, const TRect& dest) const {
  if (Empty() || dest.IsEmpty()) return;
  BITMAPINFO info;
  InitBitmapInfoHeader32(info.bmiHeader, width_, height_, true);
  void* pixels = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!dib) return;
  std::memcpy(pixels, bits_.data(), bits_.size() * sizeof(RGBQUAD));
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ saved = SelectObject(source, dib);
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  AlphaBlend(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), source, 0, 0, width_, height_, blend);
  SelectObject(source, saved);
  DeleteDC(source);
  DeleteObject(dib);
}

void dxGDIPlusClassesUnitStart() { GetUnitsLoader().RegisterUnit(&InitializeImageClass, &FinalizeImageClass); }
void dxGDIPlusClassesUnitStop() { GetUnitsLoader().UnregisterUnit(&FinalizeImageClass); }
