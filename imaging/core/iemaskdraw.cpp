// TIEMask drawing through the scaled cache, and copying through the mask.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "imaging/core/iebits.h"
#include "imaging/core/iemask.h"
#include "imaging/core/iepixels.h"
#include "platform/rtl/exceptions.h"
#include "platform/vcl/graphics.h"

namespace {

// 14-bit fixed-point ratio; at least 1 so that a huge zoom cannot divide by zero.
int64_t FixedStep(int32_t s, int32_t d) { return std::max<int64_t>(int64_t(double(s) / d * 16384.0), 1); }

}  // namespace

bool TIEMask::CachePixel(int32_t c, int32_t r) const {
  const uint8_t* row = cacheRows_[size_t(r)];
  return bitsPerPixel_ == 1 ? IEGetBit1(row, c) : row[c] != 0;
}

void TIEMask::RefreshCache(int32_t dw, int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
  if (dw != cacheWidth_ || dh != cacheHeight_ || !cache_) {
    FreeCache();
    const int64_t len = IEBitmapRowLen(dw, bitsPerPixel_, 32);
    if (len <= 0 || len > MaxBytes / dh) throw EOutOfMemory("Out of memory");
    cache_.reset(new (std::nothrow) uint8_t[size_t(len * dh)]);
    if (!cache_) throw EOutOfMemory("Out of memory");
    cacheRows_.resize(size_t(dh));
    for (int32_t r = 0; r < dh; ++r) cacheRows_[size_t(r)] = cache_.get() + len * (int64_t(dh) - r - 1);
    cacheWidth_ = dw;
    cacheHeight_ = dh;
    cacheRowLen_ = len;
  }
  std::memset(cache_.get(), 0, size_t(cacheRowLen_ * dh));
  const int64_t xstep = int64_t(double(sw) / dw * 16384.0), ystep = int64_t(double(sh) / dh * 16384.0);
  const int64_t c1 = std::max<int64_t>((int64_t(x1_) - sx) * dw / sw, 0);
  const int64_t c2 = std::min<int64_t>((int64_t(x2_) - sx + 1) * dw / sw, dw - 1);
  const int64_t r1 = std::max<int64_t>((int64_t(y1_) - sy) * dh / sh, 0);
  const int64_t r2 = std::min<int64_t>((int64_t(y2_) - sy + 1) * dh / sh, dh - 1);
  if (c2 < c1) return;
  for (int64_t r = r1; r <= r2; ++r) {
    const int64_t srcY = std::min<int64_t>(((ystep * r) >> 14) + sy, height_ - 1);
    if (srcY < 0) continue;  // a source origin above the mask shows nothing there
    const uint8_t* src = GetScanline(int32_t(srcY));
    uint8_t* dst = cacheRows_[size_t(r)];
    for (int64_t c = c1; c <= c2; ++c) {
      const int64_t srcX = std::min<int64_t>(((xstep * c) >> 14) + sx, width_ - 1);
      if (srcX < 0) continue;
      if (bitsPerPixel_ == 1)
        IESetBit1(dst, c, IEGetBit1(src, srcX));
      else
        dst[c] = src[srcX];
    }
  }
}

void TIEMask::DrawInverted(TCanvas* canvas, int32_t xDst, int32_t yDst, int32_t dw, int32_t dh, int32_t sx, int32_t sy,
                           int32_t sw, int32_t sh) {
  if (IsEmpty() || bitsPerPixel_ != 1 || !bits_ || !canvas) return;
  outlineInfo_.header.biWidth = width_;
  outlineInfo_.header.biHeight = height_;
  win::StretchDIBits(canvas->Handle(), xDst, yDst, dw, dh, sx, height_ - sh - sy, sw, sh, bits_.get(),
                     reinterpret_cast<const win::BITMAPINFO*>(&outlineInfo_), win::DIB_RGB_COLORS, win::SRCINVERT);
}

void TIEMask::DrawOutline(TCanvas* canvas, int32_t xDst, int32_t yDst, int32_t dw, int32_t dh, int32_t sx, int32_t sy,
                          int32_t sw, int32_t sh, int32_t phase, TColor colorA, TColor colorB, TRect* rect) {
  if (dw < 1 || dh < 1 || IsEmpty() || !bits_ || !canvas || sw < 1 || sh < 1) return;
  const TColor a = ColorToRGB(colorA), b = ColorToRGB(colorB);
  RefreshCache(dw, dh, sx, sy, sw, sh);
  const int64_t fx = FixedStep(sw, dw), fy = FixedStep(sh, dh);
  const int64_t r1 = std::max<int64_t>(((int64_t(y1_) - sy) << 14) / fy, 0);
  const int64_t r2 = std::min<int64_t>(((int64_t(y2_) - sy + 1) << 14) / fy + 1, dh - 1);
  const int64_t c1 = std::max<int64_t>(((int64_t(x1_) - sx) << 14) / fx, 0);
  const int64_t c2 = std::min<int64_t>(((int64_t(x2_) - sx + 1) << 14) / fx + 1, dw - 1);
  if (rect) *rect = TRect(int32_t(xDst + c1 + 1), int32_t(yDst + r1 + 1), int32_t(xDst + c2 - 1), int32_t(yDst + r2 - 1));
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetMode(pmCopy);
  for (int64_t r = r1; r <= r2; ++r) {
    for (int64_t c = c1; c <= c2; ++c) {
      if (!CachePixel(int32_t(c), int32_t(r))) continue;
      bool draw;
      if (c == 0) {
        draw = ((c * fx) >> 14) + sx <= x1_;
      } else if (c == c2) {
        draw = ((c * fx) >> 14) + sx >= x2_ || sw == width_;
      } else if (r == 0) {
        draw = ((r * fy) >> 14) + sy <= y1_;
      } else if (r == r2) {
        draw = ((r * fy) >> 14) + sy >= y2_ || sh == height_;
      } else {
        draw = false;
        for (int64_t rr = std::max<int64_t>(r - 1, 0); rr <= std::min<int64_t>(r + 1, dh - 1) && !draw; ++rr)
          for (int64_t cc = c - 1; cc <= c + 1; ++cc)
            if (!CachePixel(int32_t(cc), int32_t(rr))) {
              draw = true;
              break;
            }
      }
      if (!draw) continue;
      const int64_t x = xDst + c, y = yDst + r;
      // Plotted straight onto the canvas: same colour and place as a 1 x 1 bitmap.
      canvas->SetPixels(int32_t(x), int32_t(y), ((x + y + phase) & 7) < 4 ? b : a);
    }
  }
}

void TIEMask::DrawOnBitmap(TBitmap* bitmap, int32_t xDst, int32_t yDst, int32_t dw, int32_t dh, int32_t sx, int32_t sy,
                           int32_t sw, int32_t sh, int32_t opacity, TColor color) {
  if (dw < 1 || dh < 1 || IsEmpty() || !bits_ || !bitmap || sw < 1 || sh < 1) return;
  if (bitmap->PixelFormat() != pf24bit) return;  // the tint writes three-byte pixels
  if (yDst < 0) {
    const double q = double(sh) / dh;
    const int64_t k = int64_t(std::nearbyint(yDst * q));
    dh = int32_t(dh - int64_t(yDst));
    sh = int32_t(sh - k);
    sy = int32_t(sy - k);
    yDst = 0;
  }
  if (xDst < 0) {
    const double q = double(sw) / dw;
    const int64_t k = int64_t(std::nearbyint(xDst * q));
    dw = int32_t(dw - int64_t(xDst));
    sw = int32_t(sw - k);
    sx = int32_t(sx - k);
    xDst = 0;
  }
  if (sw < 1 || sh < 1) return;
  RefreshCache(dw, dh, sx, sy, sw, sh);
  const int64_t fx = FixedStep(sw, dw), fy = FixedStep(sh, dh);
  const int32_t bw = bitmap->Width(), bh = bitmap->Height();
  const int64_t r1 = std::max<int64_t>((int64_t(-sy) << 14) / fy, 0);
  const int64_t r2 = std::min<int64_t>({((int64_t(height_) - sy) << 14) / fy + 1, int64_t(dh) - 1, int64_t(bh) - 1});
  const int64_t c1 = std::max<int64_t>((int64_t(-sx) << 14) / fx, 0);
  const int64_t c2 = std::min<int64_t>({((int64_t(width_) - sx) << 14) / fx + 1, int64_t(dw) - 1, int64_t(bw) - 1});
  const TColor rgb = ColorToRGB(color);
  const double alpha = opacity / 255.0;
  const double cr = rgb & 0xFF, cg = (rgb >> 8) & 0xFF, cb = (rgb >> 16) & 0xFF;
  for (int64_t r = r1; r <= r2; ++r) {
    const int64_t by = yDst + r;
    if (by >= bh) break;
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(int32_t(by)));
    for (int64_t c = c1; c <= c2 && xDst + c < bw; ++c) {
      if (CachePixel(int32_t(c), int32_t(r))) continue;
      uint8_t* px = row + (xDst + c) * 3;
      if (opacity == -1) {
        if (((c + r) & 1) == 0) px[0] = px[1] = px[2] = 97;
      } else {
        px[0] = uint8_t(std::clamp(std::trunc(cb * alpha + px[0] * (1 - alpha)), 0.0, 255.0));
        px[1] = uint8_t(std::clamp(std::trunc(cg * alpha + px[1] * (1 - alpha)), 0.0, 255.0));
        px[2] = uint8_t(std::clamp(std::trunc(cr * alpha + px[2] * (1 - alpha)), 0.0, 255.0));
      }
    }
  }
}

void TIEMask::CopyBitmapArea(TIEBitmap& dst, TIEBitmap& src, bool dstIsBoxSized, bool srcIsBoxSized, bool withAlpha) {
  if (IsEmpty() || !bits_) return;
  int64_t ax2 = x2_, ay2 = y2_;
  if (srcIsBoxSized) {
    ax2 = x1_ + std::min<int64_t>({int64_t(x2_) - x1_, src.GetWidth() - 1, dst.GetWidth() - 1});
    ay2 = y1_ + std::min<int64_t>({int64_t(y2_) - y1_, src.GetHeight() - 1, dst.GetHeight() - 1});
  }
  if (ax2 < x1_ || ay2 < y1_) return;
  const int64_t sox = srcIsBoxSized ? x1_ : 0, soy = srcIsBoxSized ? y1_ : 0;
  const int64_t dox = dstIsBoxSized ? x1_ : 0, doy = dstIsBoxSized ? y1_ : 0;
  const TIEPixelFormat sf = src.GetPixelFormat(), df = dst.GetPixelFormat();
  const int64_t srcBpp = IEPixelFormatInfo(sf).BitsPerPixel;
  const bool simple = sf == df && (sf == ie24RGB || sf == ie8g || sf == ie8p);
  const bool typed = sf == df && (sf == ie16g || sf == ie32f || sf == ieCMYK || sf == ieRGB48 || sf == ieCIELab);
  // Mask points whose source or destination pixel lies outside its bitmap are
  // skipped, so that a bitmap smaller than the mask is never overrun.
  const auto inside = [&](int64_t x, int64_t y) {
    return x - sox >= 0 && x - sox < src.GetWidth() && y - soy >= 0 && y - soy < src.GetHeight() && x - dox >= 0 &&
           x - dox < dst.GetWidth() && y - doy >= 0 && y - doy < dst.GetHeight();
  };
  const int64_t y0 = std::max<int64_t>(y1_, 0), yEnd = std::min<int64_t>(ay2, height_ - 1);
  const int64_t x0 = std::max<int64_t>(x1_, 0), xEnd = std::min<int64_t>(ax2, width_ - 1);
  for (int64_t y = y0; y <= yEnd; ++y) {
    if (y - soy < 0 || y - soy >= src.GetHeight() || y - doy < 0 || y - doy >= dst.GetHeight()) continue;
    const uint8_t* m = GetScanline(int32_t(y));
    auto* d = static_cast<uint8_t*>(dst.LockScanline(int32_t(y - doy)));
    auto* s = static_cast<uint8_t*>(src.LockScanline(int32_t(y - soy)));
    for (int64_t x = x0; x <= xEnd; ++x) {
      if (!inside(x, y)) continue;
      const int64_t sx = x - sox, dx = x - dox;
      if (bitsPerPixel_ == 1) {
        if (!IEGetBit1(m, x)) continue;
        if (simple || typed) {
          const int64_t n = srcBpp / 8;
          std::memcpy(d + dx * n, s + sx * n, size_t(n));
        } else if (sf == ie1g && df == ie1g) {
          IESetBit1(d, dx, IEGetBit1(s, sx));
        }
      } else {
        const int32_t mv = m[x];
        if (simple) {
          const int64_t n = srcBpp / 8;
          for (int64_t i = 0; i < n; ++i) {
            const int32_t sv = s[sx * n + i], dv = d[dx * n + i];
            d[dx * n + i] = uint8_t(dv + (((sv - dv) * mv) >> 8));  // arithmetic shift: floor
          }
        } else if (sf == ie1g && df == ie1g && mv != 0) {
          IESetBit1(d, dx, IEGetBit1(s, sx));
        }
      }
    }
    src.UnlockScanline(int32_t(y - soy));
    dst.UnlockScanline(int32_t(y - doy));
  }
  if (!withAlpha) return;
  TIEBitmap* da = dst.GetAlphaChannel();
  TIEBitmap* sa = src.HasAlphaChannel() ? src.GetAlphaChannel() : nullptr;
  if (!da) return;
  for (int64_t y = y0; y <= yEnd; ++y) {
    if (y - soy < 0 || y - soy >= src.GetHeight() || y - doy < 0 || y - doy >= dst.GetHeight()) continue;
    const uint8_t* m = GetScanline(int32_t(y));
    auto* d = static_cast<uint8_t*>(da->LockScanline(int32_t(y - doy)));
    auto* s = sa ? static_cast<uint8_t*>(sa->LockScanline(int32_t(y - soy))) : nullptr;
    for (int64_t x = x0; x <= xEnd; ++x) {
      if (!inside(x, y)) continue;
      const int32_t sv = s ? s[x - sox] : 255;
      if (bitsPerPixel_ == 1)
        d[x - dox] = IEGetBit1(m, x) ? uint8_t(sv) : 0;
      else
        d[x - dox] = m[x] != 0 ? uint8_t(std::min<int32_t>(sv, m[x])) : 0;
    }
    if (sa) sa->UnlockScanline(int32_t(y - soy));
    da->UnlockScanline(int32_t(y - doy));
  }
  da->SetFullyOpaque(false);
}
