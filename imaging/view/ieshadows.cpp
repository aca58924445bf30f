#include "imaging/view/ieshadows.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieblurgray.h"
#include "imaging/core/ieconvert.h"
#include "platform/vcl/graphics.h"

namespace {

int32_t Sat(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Where a strip's pixels go: into the 24-bit bitmap when they lie inside it,
// through the canvas elsewhere. Reach is the only area where a pixel can
// change at all (the bitmap plus the canvas's clip box), so loops stay within
// it however far the strip's coordinates run.
class TShadowTarget {
public:
  TShadowTarget(TCanvas& canvas, TBitmap* bitmap) : canvas_(canvas) {
    if (bitmap && !bitmap->Empty() && bitmap->PixelFormat() == pf24bit) {
      bitmap_ = bitmap;
      width_ = bitmap->Width();
      height_ = bitmap->Height();
    }
    const TRect clip = canvas.ClipRect();
    reach_ = clip;
    if (bitmap_) {
      if (clip.IsEmpty()) {
        reach_ = Rect(0, 0, width_, height_);
      } else {
        reach_.Left = std::min(clip.Left, 0);
        reach_.Top = std::min(clip.Top, 0);
        reach_.Right = std::max(clip.Right, width_);
        reach_.Bottom = std::max(clip.Bottom, height_);
      }
    }
  }

  const TRect& Reach() const { return reach_; }

  void Darken(int32_t x, int32_t y, double factor) {
    if (bitmap_ && x >= 0 && y >= 0 && x < width_ && y < height_) {
      uint8_t* p = static_cast<uint8_t*>(bitmap_->ScanLine(y)) + 3 * size_t(x);
      for (int c = 0; c < 3; ++c) p[c] = uint8_t(p[c] * factor);
      return;
    }
    const TColor old = canvas_.Pixels(x, y);
    if (uint32_t(old) == win::CLR_INVALID) return;  // off the canvas's surface
    const uint32_t rgb = uint32_t(ColorToRGB(old));
    canvas_.SetPixels(x, y,
                      RGBColor(uint8_t(GetRValue(rgb) * factor), uint8_t(GetGValue(rgb) * factor),
                               uint8_t(GetBValue(rgb) * factor)));
  }

private:
  TCanvas& canvas_;
  TBitmap* bitmap_ = nullptr;
  int32_t width_ = 0, height_ = 0;
  TRect reach_;
};

int32_t GradientGray(double exponent) {
  return std::clamp(int32_t(std::trunc(std::exp(exponent) / std::numbers::e * 255)), 0, 255);
}

// The gray gradient of kind 3 in strip coordinates: `across` runs over the
// strip's length (0..length), `along` away from the image (first..depth).
// Put(across, along, gray) places the pixel.
template <class Put>
void GrayGradient(int64_t length, int64_t depth, int64_t acrossFrom, int64_t acrossTo, Put put) {
  if (length <= 0 || depth <= 0) return;
  for (int64_t i = std::max<int64_t>(acrossFrom, 0); i <= std::min(length, acrossTo); ++i) {
    const int32_t floor = GradientGray(double(length - 3 * i) / double(length));
    const int64_t first = std::max<int64_t>(0, i - (length - depth + 1));
    for (int64_t j = first; j <= depth; ++j) put(i, j, std::max(GradientGray(double(j) / double(depth)), floor));
  }
}

TColor Gray(int32_t g) { return RGBColor(uint8_t(g), uint8_t(g), uint8_t(g)); }

}  // namespace

void IEDrawRightShadow(TCanvas& canvas, TBitmap* bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                       int32_t kind, TColor /*color*/) {
  const int64_t w = int64_t(x2) - x1 + 1;
  switch (kind) {
    case 1:
      canvas.FillRect(Rect(x1, Sat(y1 + w), x2, Sat(int64_t(y2) + 1)));
      break;
    case 2: {
      if (w <= 0) return;
      TShadowTarget target(canvas, bitmap);
      const TRect& r = target.Reach();
      const double s = double(w) / 3;
      const int64_t fFrom = std::max<int64_t>(0, int64_t(r.Left) - x1);
      const int64_t fTo = std::min<int64_t>(w - 1, int64_t(r.Right) - 1 - x1);
      for (int64_t f = fFrom; f <= fTo; ++f) {
        const double l = double(w - f) / s;
        const double factor = std::exp(-0.1 - l * l / 6);
        const int64_t yFrom = std::max<int64_t>(int64_t(y1) + w, r.Top);
        const int64_t yTo = std::min<int64_t>(int64_t(y2) + f - w + 3, int64_t(r.Bottom) - 1);
        for (int64_t y = yFrom; y <= yTo; ++y) target.Darken(int32_t(x1 + f), int32_t(y), factor);
      }
      break;
    }
    case 3: {
      const TRect clip = canvas.ClipRect();
      GrayGradient(int64_t(y2) - y1 + 1, w, int64_t(clip.Top) - y1, int64_t(clip.Bottom) - 1 - y1,
                   [&](int64_t i, int64_t j, int32_t gray) {
                     const int64_t x = x1 + j;
                     if (x >= clip.Left && x < clip.Right) canvas.SetPixels(int32_t(x), int32_t(y1 + i), Gray(gray));
                   });
      break;
    }
    default:
      break;
  }
}

void IEDrawBottomShadow(TCanvas& canvas, TBitmap* bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                        int32_t kind, TColor /*color*/) {
  const int64_t h = int64_t(y2) - y1 + 1;
  switch (kind) {
    case 1:
      canvas.FillRect(Rect(Sat(x1 + h), y1, Sat(int64_t(x2) + 1), y2));
      break;
    case 2: {
      if (h <= 0) return;
      TShadowTarget target(canvas, bitmap);
      const TRect& r = target.Reach();
      const double third = double(h) / 3;
      const int64_t kFrom = std::max<int64_t>(0, int64_t(r.Top) - y1);
      const int64_t kTo = std::min<int64_t>(h - 1, int64_t(r.Bottom) - 1 - y1);
      for (int64_t k = kFrom; k <= kTo; ++k) {
        const double l = double(k - h) / third;
        const double factor = std::exp(-0.1 - l * l / 6);
        const int64_t xFrom = std::max<int64_t>(int64_t(x1) + h, r.Left);
        const int64_t xTo = std::min<int64_t>(int64_t(x2) + k - h + 1, int64_t(r.Right) - 1);
        for (int64_t x = xFrom; x <= xTo; ++x) target.Darken(int32_t(x), int32_t(y1 + k), factor);
      }
      break;
    }
    case 3: {
      const TRect clip = canvas.ClipRect();
      GrayGradient(int64_t(x2) - x1 + 1, h, int64_t(clip.Left) - x1, int64_t(clip.Right) - 1 - x1,
                   [&](int64_t i, int64_t j, int32_t gray) {
                     const int64_t y = y1 + j;
                     if (y >= clip.Top && y < clip.Bottom) canvas.SetPixels(int32_t(x1 + i), int32_t(y), Gray(gray));
                   });
      break;
    }
    default:
      break;
  }
}

void IEDrawSoftShadow(TBitmap& bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor /*color*/) {
  if (bitmap.Empty() || bitmap.PixelFormat() != pf24bit) return;
  const int64_t bw = bitmap.Width(), bh = bitmap.Height();
  // The mask spans the rectangle plus 5 pixels on every side. Only the part
  // that lies within the bitmap, and within reach of the blur kernel of it
  // (half-width at most 100), can change a pixel, so the mask is cut there:
  // a zoomed-in image would otherwise ask for a mask as large as the image
  // at that zoom. Inside the cut the result is the same as the full mask's.
  constexpr int64_t kReach = 101;
  const int64_t mx1 = std::max<int64_t>(int64_t(x1) - 5, -kReach), my1 = std::max<int64_t>(int64_t(y1) - 5, -kReach);
  const int64_t mx2 = std::min<int64_t>(int64_t(x2) + 5, bw - 1 + kReach);
  const int64_t my2 = std::min<int64_t>(int64_t(y2) + 5, bh - 1 + kReach);
  if (mx1 > mx2 || my1 > my2) return;
  // Beyond the bitmap (and the kernel's reach), nothing to darken.
  if (mx1 > bw - 1 || my1 > bh - 1 || mx2 < 0 || my2 < 0) return;

  TIEBitmap mask;
  if (!mask.Allocate(int32_t(mx2 - mx1 + 1), int32_t(my2 - my1 + 1), ie8g)) return;
  mask.Fill(0);
  // The rectangle and 3 more columns and rows to the right and below.
  auto clampMask = [](int64_t v, int64_t lo) { return int32_t(std::clamp<int64_t>(v - lo, -1, INT32_MAX)); };
  mask.FillRect(clampMask(x1, mx1), clampMask(y1, my1), clampMask(int64_t(x2) + 2, mx1),
                clampMask(int64_t(y2) + 2, my1), 255);
  GaussianBlurGray8(mask, 0, 0, 2.5, mask.GetHeight() - 1, mask.GetWidth() - 1);

  const int64_t fromY = std::max<int64_t>(my1, 0), toY = std::min<int64_t>(my2, bh - 1);
  const int64_t fromX = std::max<int64_t>(mx1, 0), toX = std::min<int64_t>(mx2, bw - 1);
  for (int64_t y = fromY; y <= toY; ++y) {
    const auto* m = static_cast<const uint8_t*>(mask.GetScanline(int32_t(y - my1)));
    auto* row = static_cast<uint8_t*>(bitmap.ScanLine(int32_t(y)));
    const bool rowInside = y >= y1 && y < y2;
    for (int64_t x = fromX; x <= toX; ++x) {
      if (rowInside && x >= x1 && x < x2) continue;
      const uint8_t v = m[x - mx1];
      if (v == 0) continue;
      const double factor = 1 - v / 255.0;
      uint8_t* p = row + 3 * x;
      for (int c = 0; c < 3; ++c) p[c] = uint8_t(p[c] * factor);
    }
  }
}

void IEDraw3DFrame(TCanvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor highlight,
                   TColor shadow) {
  TPen* pen = canvas.Pen();
  pen->SetMode(pmCopy);
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  pen->SetColor(highlight);
  canvas.MoveTo(x1, y2);
  canvas.LineTo(x1, y1);
  canvas.LineTo(x2, y1);
  pen->SetColor(shadow);
  canvas.MoveTo(x1, y2);
  canvas.LineTo(x2, y2);
  canvas.LineTo(x2, y1);
}
