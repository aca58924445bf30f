// Pixel access, fills and rectangle operations of the image buffer.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iecmyk.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/ielab.h"
#include "imaging/core/iepixels.h"
#include "imaging/core/ieprocutils.h"
#include "platform/vcl/graphics.h"

namespace {

// trunc(value) without the undefined conversion of NaN or huge values.
int64_t TruncValue(double value) {
  if (!(value == value)) return 0;
  if (value >= 9.2e18) return INT64_MAX;
  if (value <= -9.2e18) return INT64_MIN;
  return int64_t(value);
}

// A fill value as a colour: 0x00BBGGRR, system colours resolved.
TRGB FillColor(double value) {
  const TColor rgb = ColorToRGB(TColor(uint32_t(TruncValue(value))));
  return TRGB{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
}

uint32_t PackedOf(const TRGB& c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }

int32_t BytesPerPixel(TIEPixelFormat f) { return IEPixelFormatInfo(f).BitsPerPixel / 8; }

// The bytes of one pixel of the fill value for the byte-sized formats (not ie1g).
std::vector<uint8_t> PixelPattern(TIEPixelFormat format, double value, bool truncFloat) {
  const int64_t v = TruncValue(value);
  std::vector<uint8_t> p(size_t(std::max(BytesPerPixel(format), 1)));
  switch (format) {
    case ie8p:
    case ie8g:
      p[0] = uint8_t(v);
      break;
    case ie16g: {
      const auto w = uint16_t(v);
      std::memcpy(p.data(), &w, 2);
      break;
    }
    case ie32f: {
      const float f = truncFloat ? float(v) : float(value);
      std::memcpy(p.data(), &f, 4);
      break;
    }
    case ie24RGB:
    case ie32RGB: {
      const TRGB c = FillColor(value);
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
      break;
    }
    case ieCMYK: {
      const uint32_t cmyk = IERGBToCMYK(PackedOf(FillColor(value)));
      std::memcpy(p.data(), &cmyk, 4);
      break;
    }
    case ieRGB48: {
      const TRGB c = FillColor(value);
      const uint16_t w[3] = {uint16_t(c.r * 257), uint16_t(c.g * 257), uint16_t(c.b * 257)};
      std::memcpy(p.data(), w, 6);
      break;
    }
    case ieCIELab: {
      TCIELab lab;
      IEColorToCIELab(lab, PackedOf(FillColor(value)));
      p[0] = lab.l;
      p[1] = uint8_t(lab.a);
      p[2] = uint8_t(lab.b);
      break;
    }
    default:
      break;
  }
  return p;
}

// The clipped rectangle of a copy between two buffers; false when nothing is left.
struct TCopyRect {
  int32_t sx, sy, dx, dy, w, h;
};

bool ClipCopyRect(int32_t sw, int32_t sh, int32_t dw, int32_t dh, int32_t sourceX, int32_t sourceY, int32_t destX,
                  int32_t destY, int32_t width, int32_t height, TCopyRect& r) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return false;
  r.dx = std::min(std::max(destX, 0), dw - 1);
  r.dy = std::min(std::max(destY, 0), dh - 1);
  // Clamped in 64 bits: offsets near the integer limits must not wrap.
  const auto clamp = [](int64_t v, int64_t hi) { return int32_t(std::min(std::max(v, int64_t(0)), hi)); };
  r.sx = clamp(int64_t(sourceX) + (destX < 0 ? -int64_t(destX) : 0), sw - 1);
  r.sy = clamp(int64_t(sourceY) + (destY < 0 ? -int64_t(destY) : 0), sh - 1);
  int64_t w = int64_t(width) + (destX < 0 ? destX : 0);
  int64_t h = int64_t(height) + (destY < 0 ? destY : 0);
  w = std::min({w, int64_t(sw) - r.sx, int64_t(dw) - r.dx});
  h = std::min({h, int64_t(sh) - r.sy, int64_t(dh) - r.dy});
  if (w <= 0 || h <= 0) return false;
  r.w = int32_t(w);
  r.h = int32_t(h);
  return true;
}

}  // namespace

// ---- typed access -----------------------------------------------------------------------------

uint8_t* TIEBitmap::PixelAddress(int32_t x, int32_t y, int32_t bytesPerPixel) {
  if (x < 0 || y < 0 || x >= GetWidth() || y >= height_) return nullptr;
  if ((int64_t(x) + 1) * bytesPerPixel > rowLen_) return nullptr;
  auto* row = static_cast<uint8_t*>(GetScanline(y));
  return row ? row + int64_t(x) * bytesPerPixel : nullptr;
}

uint8_t TIEBitmap::GetPixelByte(int32_t x, int32_t y) {
  const uint8_t* p = PixelAddress(x, y, 1);
  return p ? *p : 0;
}

void TIEBitmap::SetPixelByte(int32_t x, int32_t y, uint8_t v) {
  if (uint8_t* p = PixelAddress(x, y, 1)) {
    *p = v;
    if (v != 255) fullyOpaque_ = false;
  }
}

uint16_t TIEBitmap::GetPixelWord(int32_t x, int32_t y) {
  uint16_t v = 0;
  if (const uint8_t* p = PixelAddress(x, y, 2)) std::memcpy(&v, p, 2);
  return v;
}

void TIEBitmap::SetPixelWord(int32_t x, int32_t y, uint16_t v) {
  if (uint8_t* p = PixelAddress(x, y, 2)) {
    std::memcpy(p, &v, 2);
    if (v != 65535) fullyOpaque_ = false;
  }
}

float TIEBitmap::GetPixelFloat(int32_t x, int32_t y) {
  float v = 0;
  if (const uint8_t* p = PixelAddress(x, y, 4)) std::memcpy(&v, p, 4);
  return v;
}

void TIEBitmap::SetPixelFloat(int32_t x, int32_t y, float v) {
  if (uint8_t* p = PixelAddress(x, y, 4)) {
    std::memcpy(p, &v, 4);
    if (!(v >= 1.0f)) fullyOpaque_ = false;
  }
}

uint32_t TIEBitmap::GetPixelDWord(int32_t x, int32_t y) {
  uint32_t v = 0;
  if (const uint8_t* p = PixelAddress(x, y, 4)) std::memcpy(&v, p, 4);
  return v;
}

void TIEBitmap::SetPixelDWord(int32_t x, int32_t y, uint32_t v) {
  if (uint8_t* p = PixelAddress(x, y, 4)) std::memcpy(p, &v, 4);
}

TRGB TIEBitmap::GetPixel24(int32_t x, int32_t y) {
  TRGB v;
  if (const uint8_t* p = PixelAddress(x, y, 3)) std::memcpy(&v, p, 3);
  return v;
}

void TIEBitmap::SetPixel24(int32_t x, int32_t y, const TRGB& color) {
  if (uint8_t* p = PixelAddress(x, y, 3)) std::memcpy(p, &color, 3);
}

TRGB* TIEBitmap::GetPixel24Address(int32_t x, int32_t y) {
  return reinterpret_cast<TRGB*>(PixelAddress(x, y, 3));
}

TRGB48 TIEBitmap::GetPixel48(int32_t x, int32_t y) {
  TRGB48 v;
  if (const uint8_t* p = PixelAddress(x, y, 6)) std::memcpy(&v, p, 6);
  return v;
}

void TIEBitmap::SetPixel48(int32_t x, int32_t y, const TRGB48& words) {
  if (uint8_t* p = PixelAddress(x, y, 6)) {
    std::memcpy(p, &words, 6);
    if (words.r != 65535 || words.g != 65535 || words.b != 65535) fullyOpaque_ = false;
  }
}

uint8_t TIEBitmap::GetAlpha(int32_t x, int32_t y) {
  if (isAlpha_) return GetPixelByte(x, y);
  return GetAlphaChannel()->GetPixelByte(x, y);
}

void TIEBitmap::SetAlphaValue(int32_t x, int32_t y, uint8_t v) {
  if (isAlpha_) {
    SetPixelByte(x, y, v);
    return;
  }
  TIEBitmap* alpha = GetAlphaChannel();
  alpha->SetPixelByte(x, y, v);
  if (v != 255) {
    alpha->fullyOpaque_ = false;
    fullyOpaque_ = false;
  }
}

// ---- any format as RGB ----------------------------------------------------------------------

void IEPalette256(TIEBitmap& bitmap, TRGB* out) {
  const int32_t n = std::min(bitmap.GetPaletteLen(), 256);
  const TRGB* pal = bitmap.GetPalette();
  for (int32_t i = 0; i < 256; ++i) out[i] = pal && i < n ? pal[i] : TRGB{};
}

void IERowToRGB(TIEPixelFormat format, const uint8_t* row, int32_t x0, int32_t count, const TRGB* palette,
                TRGB* out) {
  const auto gray = [](uint8_t g) { return TRGB{g, g, g}; };
  switch (format) {
    case ie1g:
      for (int32_t i = 0; i < count; ++i) out[i] = gray(IEGetBit1(row, x0 + i) ? 255 : 0);
      return;
    case ie8p:
      for (int32_t i = 0; i < count; ++i) out[i] = palette ? palette[row[x0 + i]] : TRGB{};
      return;
    case ie8g:
      for (int32_t i = 0; i < count; ++i) out[i] = gray(row[x0 + i]);
      return;
    case ie16g:
      for (int32_t i = 0; i < count; ++i) out[i] = gray(row[(x0 + i) * 2 + 1]);
      return;
    case ie24RGB:
      std::memcpy(out, row + size_t(x0) * 3, size_t(count) * 3);
      return;
    case ie32f:
      for (int32_t i = 0; i < count; ++i) {
        float v;
        std::memcpy(&v, row + size_t(x0 + i) * 4, 4);
        const double s = double(v) * 255;
        out[i] = gray(s > 0 ? (s < 255 ? uint8_t(s) : 255) : 0);
      }
      return;
    case ieCMYK:
      IECMYKRowToRGB(row + size_t(x0) * 4, out, count);
      return;
    case ieRGB48:
      for (int32_t i = 0; i < count; ++i) {
        const uint8_t* p = row + size_t(x0 + i) * 6;
        out[i] = TRGB{p[5], p[3], p[1]};
      }
      return;
    case ieCIELab:
      for (int32_t i = 0; i < count; ++i) {
        const uint8_t* p = row + size_t(x0 + i) * 3;
        IECIELabToRGB(out[i], TCIELab{p[0], int8_t(p[1]), int8_t(p[2])});
      }
      return;
    case ie32RGB:
      for (int32_t i = 0; i < count; ++i) std::memcpy(&out[i], row + size_t(x0 + i) * 4, 3);
      return;
    default:
      std::fill_n(out, count, TRGB{});
      return;
  }
}

TRGB IEGetPixelRGB(TIEBitmap& bitmap, int32_t x, int32_t y) {
  const TIEPixelFormat f = bitmap.GetPixelFormat();
  if (f == ieNoFormat || x < 0 || y < 0 || x >= bitmap.GetWidth() || y >= bitmap.GetHeight()) return {};
  const auto* row = static_cast<const uint8_t*>(bitmap.GetScanline(y));
  if (!row) return {};
  TRGB out;
  if (f == ie8p) {
    // Only this pixel's entry: no 256-entry copy per call.
    const uint8_t index = row[x];
    return index < bitmap.GetPaletteLen() && bitmap.GetPalette() ? bitmap.GetPalette()[index] : TRGB{};
  }
  IERowToRGB(f, row, x, 1, nullptr, &out);
  return out;
}

// ---- fills ----------------------------------------------------------------------------------

void TIEBitmap::Fill(double value) {
  const TIEPixelFormat f = GetPixelFormat();
  if (IsEmpty() || f == ieNoFormat) return;
  const int64_t v = TruncValue(value);
  if (f == ie1g) {
    FillWithByte(v != 0 ? 255 : 0);
    fullyOpaque_ = v != 0;
    return;
  }
  FillRows(0, 0, width_ - 1, height_ - 1, value, true);
  switch (f) {
    case ie8p:
    case ie8g:
      fullyOpaque_ = v == 255;
      break;
    case ie16g:
      fullyOpaque_ = v == 65535;
      break;
    case ie32f:
      fullyOpaque_ = value == 1.0;
      break;
    default: {
      const TRGB c = FillColor(value);
      fullyOpaque_ = c.r == 255 && c.g == 255 && c.b == 255;
      break;
    }
  }
}

void TIEBitmap::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, double value) {
  if (IsEmpty() || pixelFormat_ == ieNoFormat) return;
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, width_ - 1);
  y2 = std::min(y2, height_ - 1);
  if (y2 < y1 || x2 < x1) return;
  FillRows(x1, y1, x2, y2, value, false);
}

// Writes the value into the inclusive, already clipped rectangle. A whole-image
// fill writes whole rows (write-only access) and keeps ie32f's value as it is.
void TIEBitmap::FillRows(int32_t x1, int32_t y1, int32_t x2, int32_t y2, double value, bool wholeImage) {
  const TIEPixelFormat f = pixelFormat_;
  const int32_t n = x2 - x1 + 1;
  if (f == ie1g) {
    const bool set = TruncValue(value) != 0;
    for (int32_t y = y1; y <= y2; ++y)
      if (auto* row = static_cast<uint8_t*>(GetScanline(y)))
        for (int32_t x = x1; x <= x2; ++x) IESetBit1(row, x, set);
    return;
  }
  const std::vector<uint8_t> pixel = PixelPattern(f, value, !wholeImage);
  const size_t bpp = pixel.size();
  if (f == ie32RGB) {
    // The fourth byte of every pixel stays, so rows are read even by a whole-image fill.
    for (int32_t y = y1; y <= y2; ++y)
      if (auto* row = static_cast<uint8_t*>(GetScanline(y)))
        for (int32_t x = x1; x <= x2; ++x) std::memcpy(row + size_t(x) * 4, pixel.data(), 3);
    return;
  }
  std::vector<uint8_t> span(size_t(n) * bpp);
  for (size_t i = 0; i < span.size(); i += bpp) std::memcpy(&span[i], pixel.data(), bpp);
  std::optional<TIEAccessScope> writeOnly;
  if (wholeImage) writeOnly.emplace(*this, iedWrite);
  for (int32_t y = y1; y <= y2; ++y)
    if (auto* row = static_cast<uint8_t*>(GetScanline(y))) std::memcpy(row + size_t(x1) * bpp, span.data(), span.size());
}

// ---- rectangles -----------------------------------------------------------------------------

void TIEBitmap::CopyRectTo(TIEBitmap& destination, int32_t sourceX, int32_t sourceY, int32_t destX, int32_t destY,
                           int32_t width, int32_t height) {
  const TIEPixelFormat sf = GetPixelFormat();
  const TIEPixelFormat df = destination.GetPixelFormat();
  const bool bits = sf == ie1g && df == ie1g;
  const bool expand = sf == ie1g && df == ie24RGB;
  const bool same = sf == df && sf != ie1g && sf != ie32RGB && sf != ieNoFormat;
  if (!bits && !expand && !same) return;
  TCopyRect r;
  if (!ClipCopyRect(GetWidth(), GetHeight(), destination.GetWidth(), destination.GetHeight(), sourceX, sourceY, destX,
                    destY, width, height, r))
    return;
  // Each source row goes through a copy of its own: in ieFile, and when both
  // buffers are one, fetching the destination row ends the source row's view.
  std::vector<uint8_t> src(static_cast<size_t>(rowLen_));
  std::vector<uint8_t> expanded(expand ? size_t(r.w) * 3 : 0);
  TIEAccessScope from(*this, iedRead);
  const int32_t bpp = BytesPerPixel(sf);
  for (int32_t i = 0; i < r.h; ++i) {
    const auto* s = static_cast<const uint8_t*>(GetScanline(r.sy + i));
    if (!s) continue;
    std::memcpy(src.data(), s, src.size());
    // Partial rows are written, so the destination's rows must be read as well.
    TIEAccessScope to(destination, iedRead | iedWrite);
    auto* d = static_cast<uint8_t*>(destination.GetScanline(r.dy + i));
    if (!d) continue;
    if (bits) {
      CopyBitRun(d, src.data(), r.dx, int32_t(src.size()), r.w, r.sx);
    } else if (expand) {
      for (int32_t x = 0; x < r.w; ++x) {
        const uint8_t v = IEGetBit1(src.data(), r.sx + x) ? 255 : 0;
        expanded[size_t(x) * 3] = expanded[size_t(x) * 3 + 1] = expanded[size_t(x) * 3 + 2] = v;
      }
      std::memcpy(d + size_t(r.dx) * 3, expanded.data(), expanded.size());
    } else {
      std::memcpy(d + size_t(r.dx) * size_t(bpp), src.data() + size_t(r.sx) * size_t(bpp), size_t(r.w) * size_t(bpp));
    }
  }
}

void TIEBitmap::MergeAlphaRectTo(TIEBitmap& destination, int32_t sourceX, int32_t sourceY, int32_t destX,
                                 int32_t destY, int32_t width, int32_t height) {
  TIEBitmap* sa = isAlpha_ ? this : GetAlphaChannel();
  TIEBitmap* da = destination.isAlpha_ ? &destination : destination.GetAlphaChannel();
  if (!sa || !da || sa->GetPixelFormat() != ie8g || da->GetPixelFormat() != ie8g) return;
  TCopyRect r;
  if (!ClipCopyRect(sa->GetWidth(), sa->GetHeight(), da->GetWidth(), da->GetHeight(), sourceX, sourceY, destX, destY,
                    width, height, r))
    return;
  std::vector<uint8_t> src(size_t(r.w));
  for (int32_t i = 0; i < r.h; ++i) {
    const auto* s = static_cast<const uint8_t*>(sa->GetScanline(r.sy + i));
    if (!s) continue;
    std::memcpy(src.data(), s + r.sx, src.size());
    auto* d = static_cast<uint8_t*>(da->GetScanline(r.dy + i));
    if (!d) continue;
    for (int32_t x = 0; x < r.w; ++x) d[r.dx + x] = std::max(d[r.dx + x], src[size_t(x)]);
  }
}

void TIEBitmap::MoveRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t destX, int32_t destY, double value,
                         bool fillSource) {
  const int64_t w = int64_t(x2) - x1 + 1;
  const int64_t h = int64_t(y2) - y1 + 1;
  if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX || IsEmpty()) return;
  TIEBitmap temp;
  temp.SetMemoryThreshold(memoryThreshold_);
  // Only the part inside the image is ever copied: the temporary need not be larger.
  if (!temp.Allocate(int32_t(std::min<int64_t>(w, width_)), int32_t(std::min<int64_t>(h, height_)), pixelFormat_))
    return;
  CopyRectTo(temp, x1, y1, 0, 0, int32_t(w), int32_t(h));
  if (fillSource) FillRect(x1, y1, x2, y2, value);
  temp.CopyRectTo(*this, 0, 0, destX, destY, int32_t(w), int32_t(h));
}

void TIEBitmap::Resize(int32_t newWidth, int32_t newHeight, double fillValue, double alphaFillValue, int32_t hAlign,
                       int32_t vAlign) {
  const int32_t w = GetWidth(), h = GetHeight();
  const int32_t W = newWidth, H = newHeight;
  // Shrinking: the kept part goes to the top-left corner first.
  const auto shrink = [&](TIEBitmap& b, double fill) {
    if (W < w) {
      if (hAlign == 1) b.MoveRect((w - W) / 2, 0, (w - W) / 2 + W - 1, h - 1, 0, 0, fill, true);
      if (hAlign == 2) b.MoveRect(w - W, 0, w - 1, h - 1, 0, 0, fill, true);
    }
    if (H < h) {
      if (vAlign == 1) b.MoveRect(0, (h - H) / 2, w - 1, (h - H) / 2 + H - 1, 0, 0, fill, true);
      if (vAlign == 2) b.MoveRect(0, h - H, w - 1, h - 1, 0, 0, fill, true);
    }
  };
  const auto grow = [&](TIEBitmap& b, double fill) {
    if (w < W) {
      b.FillRect(w, 0, W - 1, H - 1, fill);
      if (hAlign == 1) b.MoveRect(0, 0, w - 1, h - 1, (W - w) / 2, 0, fill, true);
      if (hAlign == 2) b.MoveRect(0, 0, w - 1, h - 1, W - w, 0, fill, true);
    }
    if (h < H) {
      b.FillRect(0, h, W - 1, H - 1, fill);
      if (vAlign == 1) b.MoveRect(0, 0, W - 1, h - 1, 0, (H - h) / 2, fill, true);
      if (vAlign == 2) b.MoveRect(0, 0, W - 1, h - 1, 0, H - h, fill, true);
    }
  };
  TIEBitmap* alpha = isAlpha_ ? nullptr : alpha_.get();
  shrink(*this, fillValue);
  if (alpha) shrink(*alpha, alphaFillValue);
  SetWidth(W);
  SetHeight(H);
  grow(*this, fillValue);
  if (alpha_ && !isAlpha_) grow(*alpha_, alphaFillValue);
}

// ---- tests over the pixels ------------------------------------------------------------------

bool TIEBitmap::IsGrayScale() {
  const TIEPixelFormat f = GetPixelFormat();
  if (f == ie8p) {
    const TRGB* pal = palette_.get();
    for (int32_t i = 0; pal && i < paletteCount_; ++i)
      if (pal[i].r != pal[i].g || pal[i].g != pal[i].b) return false;
    return true;
  }
  if (f != ie24RGB && f != ie32RGB && f != ieRGB48) return true;
  TIEAccessScope scope(*this, iedRead);
  const int32_t step = f == ie24RGB ? 3 : f == ie32RGB ? 4 : 6;
  for (int32_t y = 0; y < height_; ++y) {
    const auto* row = static_cast<const uint8_t*>(GetScanline(y));
    if (!row) continue;
    for (int32_t x = 0; x < width_; ++x) {
      const uint8_t* p = row + size_t(x) * size_t(step);
      if (f == ieRGB48) {
        if (std::memcmp(p, p + 2, 2) != 0 || std::memcmp(p, p + 4, 2) != 0) return false;
      } else if (p[0] != p[1] || p[1] != p[2]) {
        return false;
      }
    }
  }
  return true;
}

void TIEBitmap::UpdateAlphaFull() {
  fullyOpaque_ = false;
  if (IsEmpty()) return;
  const auto n = size_t((int64_t(width_) * bitCount_ + 7) / 8);
  TIEAccessScope scope(*this, iedRead);
  for (int32_t y = 0; y < height_; ++y) {
    const auto* row = static_cast<const uint8_t*>(GetScanline(y));
    if (!row) return;
    if (std::any_of(row, row + n, [](uint8_t b) { return b != 255; })) return;
  }
  fullyOpaque_ = true;
}

bool TIEBitmap::IsAllZero() {
  if (IsEmpty()) return true;
  const auto n = size_t((int64_t(width_) * bitCount_ + 7) / 8);
  TIEAccessScope scope(*this, iedRead);
  for (int32_t y = 0; y < height_; ++y) {
    const auto* row = static_cast<const uint8_t*>(GetScanline(y));
    if (row && std::any_of(row, row + n, [](uint8_t b) { return b != 0; })) return false;
  }
  return true;
}
