// The Office 2003 set's bitmaps, drawn here pixel by pixel in place of
// resources, and the recolouring of the sub-menu expand arrows.
#include <algorithm>
#include <cstring>

#include "platform/rtl/intmath.h"
#include "platform/vcl/graphics.h"
#include "ui/lookandfeel/dxOffice11.h"

namespace {

struct Rgb {
  uint8_t R, G, B;
  TColor Color() const { return RGBColor(R, G, B); }
};

std::unique_ptr<TBitmap> NewBitmap(int32_t width, int32_t height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(width, height);
  return bitmap;
}

// The 11 x 11 expand button: a shaded box with a dark right and bottom edge and
// a minus, or a plus with a darker inner right and bottom edge.
std::unique_ptr<TBitmap> ExpandButton(bool plus) {
  constexpr Rgb kDark{48, 72, 96};
  constexpr Rgb kTop[10] = {{160, 176, 192}, {160, 176, 192}, {160, 176, 192}, {160, 168, 192}, {160, 168, 192},
                            {160, 168, 192}, {144, 168, 192}, {144, 160, 192}, {144, 160, 192}, {144, 160, 192}};
  constexpr Rgb kLeft[10] = {{160, 176, 192}, {160, 176, 192}, {160, 176, 192}, {160, 168, 192}, {160, 168, 192},
                             {144, 168, 192}, {144, 168, 192}, {144, 168, 192}, {144, 168, 192}, {144, 168, 192}};
  // Inside, pixel (x, y) takes entry x + y - 2: lighter towards the top-left.
  constexpr Rgb kShade[17] = {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {240, 248, 255}, {240, 248, 255},
                              {240, 240, 255}, {224, 240, 255}, {224, 232, 240}, {224, 224, 240}, {208, 224, 240},
                              {208, 216, 240}, {208, 216, 240}, {192, 208, 240}, {192, 208, 240}, {192, 208, 240},
                              {192, 200, 240}, {176, 200, 240}};
  constexpr Rgb kInnerRight[8] = {{192, 208, 224}, {176, 192, 224}, {176, 192, 224}, {176, 192, 224},
                                  {160, 184, 208}, {160, 184, 208}, {160, 184, 208}, {160, 184, 208}};
  constexpr Rgb kInnerBottom[8] = {{192, 208, 224}, {176, 200, 224}, {176, 192, 224}, {176, 192, 224},
                                   {160, 184, 208}, {160, 184, 208}, {160, 184, 208}, {160, 184, 208}};
  std::unique_ptr<TBitmap> bitmap = NewBitmap(11, 11);
  TCanvas* canvas = bitmap->Canvas();
  for (int32_t i = 0; i < 10; ++i) {
    canvas->SetPixels(i, 0, kTop[i].Color());
    canvas->SetPixels(0, i, kLeft[i].Color());
  }
  for (int32_t i = 0; i < 11; ++i) {
    canvas->SetPixels(10, i, kDark.Color());
    canvas->SetPixels(i, 10, kDark.Color());
  }
  for (int32_t y = 1; y <= 9; ++y)
    for (int32_t x = 1; x <= 9; ++x) canvas->SetPixels(x, y, kShade[x + y - 2].Color());
  if (plus)
    for (int32_t i = 0; i < 8; ++i) {
      canvas->SetPixels(9, 2 + i, kInnerRight[i].Color());
      canvas->SetPixels(2 + i, 9, kInnerBottom[i].Color());
    }
  for (int32_t i = 3; i <= 7; ++i) {
    canvas->SetPixels(i, 5, kDark.Color());
    if (plus) canvas->SetPixels(5, i, kDark.Color());
  }
  return bitmap;
}

// The sub-menu expand arrows, 9 x 8: two black chevrons pointing down on a
// gray face that darkens row by row (red 255 at the top to 143 at the bottom,
// in steps of 16), with magenta, the transparent colour, in the four corners.
// Recolouring turns the face into a gradient between two colours.
std::unique_ptr<TBitmap> SubMenuExpand() {
  constexpr int32_t kWidth = 9, kHeight = 8;
  std::unique_ptr<TBitmap> bitmap = NewBitmap(kWidth, kHeight);
  TCanvas* canvas = bitmap->Canvas();
  for (int32_t y = 0; y < kHeight; ++y) {
    const uint8_t gray = uint8_t(255 - 16 * y);
    for (int32_t x = 0; x < kWidth; ++x) canvas->SetPixels(x, y, RGBColor(gray, gray, gray));
  }
  for (int32_t top : {1, 4})
    for (int32_t k = 0; k < 3; ++k) {
      canvas->SetPixels(2 + k, top + k, clBlack);
      canvas->SetPixels(6 - k, top + k, clBlack);
    }
  for (int32_t x : {0, kWidth - 1})
    for (int32_t y : {0, kHeight - 1}) canvas->SetPixels(x, y, clFuchsia);
  return bitmap;
}

}  // namespace

std::unique_ptr<TBitmap> dxLoadOffice11Bitmap(const char* name) {
  if (name == nullptr) return nullptr;
  if (std::strcmp(name, "DXSUBMENUEXPAND") == 0) return SubMenuExpand();
  if (std::strcmp(name, "DXEXPANDBUTTON_MINUS") == 0) return ExpandButton(false);
  if (std::strcmp(name, "DXEXPANDBUTTON_PLUS") == 0) return ExpandButton(true);
  return nullptr;
}

void RecolorOffice11Bitmap(TBitmap& bitmap, TColor color1, TColor color2) {
  if (ColorToRGB(color1) == ColorToRGB(color2)) color2 = ColorToRGB(color1) == clBlack ? clWhite : clBlack;
  TCanvas* canvas = bitmap.Canvas();
  const TColor transparent = canvas->Pixels(0, 0);
  auto recoloured = [&](TColor pixel) { return pixel != transparent && pixel != clBlack; };
  int32_t least = 255, greatest = 1;
  for (int32_t y = 0; y < bitmap.Height(); ++y)
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      const TColor pixel = canvas->Pixels(x, y);
      if (!recoloured(pixel)) continue;
      least = std::min(least, int32_t(pixel & 0xFF));
      greatest = std::max(greatest, int32_t(pixel & 0xFF));
    }
  for (int32_t y = 0; y < bitmap.Height(); ++y)
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      const TColor pixel = canvas->Pixels(x, y);
      if (!recoloured(pixel)) continue;
      // One red value throughout (or a face redder than the scan's start): all color1.
      const int32_t red = pixel & 0xFF;
      const int32_t percent = greatest > least ? MulDiv(red - least, 100, greatest - least) : 100;
      canvas->SetPixels(x, y, MixColors(color1, color2, percent));
    }
}
