// A small bitmap to paint into, filled with a colour no painter uses, and the
// questions the painter tests ask of its pixels.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"
#include "ui/lookandfeel/cxGraphics.h"

namespace painter_surface {

constexpr TColor kPaper = 0x00E0F0;  // a colour no painter uses

struct Surface {
  TBitmap bmp;
  TcxCanvas canvas;
  Surface(int32_t w, int32_t h) : bmp(w, h), canvas(bmp.Canvas()) {
    bmp.Canvas()->Brush()->SetColor(kPaper);
    bmp.Canvas()->FillRect(TRect(0, 0, w, h));
  }
  TColor At(int32_t x, int32_t y) { return TColor(win::GetPixel(bmp.Canvas()->Handle(), x, y)); }
  // Pixels of colour within the whole surface, as a set of (x, y).
  std::vector<TPoint> Where(TColor color) {
    std::vector<TPoint> v;
    for (int32_t y = 0; y < bmp.Height(); ++y)
      for (int32_t x = 0; x < bmp.Width(); ++x)
        if (At(x, y) == ColorToRGB(color)) v.push_back({x, y});
    return v;
  }
  // The first pixel outside r that is not paper, or none.
  std::string FirstOutside(const TRect& r) {
    for (int32_t y = 0; y < bmp.Height(); ++y)
      for (int32_t x = 0; x < bmp.Width(); ++x)
        if (!r.Contains({x, y}) && At(x, y) != kPaper) return std::to_string(x) + "," + std::to_string(y);
    return {};
  }
  // Every pixel of both surfaces equal.
  bool SameAs(Surface& o) {
    for (int32_t y = 0; y < bmp.Height(); ++y)
      for (int32_t x = 0; x < bmp.Width(); ++x)
        if (At(x, y) != o.At(x, y)) return false;
    return true;
  }
};

}  // namespace painter_surface
