// Platform bitmaps and canvas output of TIEBitmap.
#include "imaging/core/ievclbitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/core/iebits.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/ieresample.h"
#include "platform/gdi/gdi.h"
#include "platform/rtl/exceptions.h"
#include "platform/vcl/graphics.h"

namespace {

int32_t AbsRowBytes(TBitmap& bmp) { return std::abs(bmp.RowBytes()); }

void CopyRows(TIEBitmap& from, TBitmap& to) {
  const int32_t n = std::min(from.GetRowLen(), AbsRowBytes(to));
  for (int32_t y = 0; y < from.GetHeight(); ++y) {
    const void* src = from.GetScanline(y);
    void* dst = to.ScanLine(y);
    if (src && dst) std::memcpy(dst, src, size_t(n));
  }
}

void CopyRows(TBitmap& from, TIEBitmap& to) {
  const int32_t n = std::min(to.GetRowLen(), AbsRowBytes(from));
  for (int32_t y = 0; y < to.GetHeight(); ++y) {
    void* dst = to.GetScanline(y);
    const void* src = from.ScanLine(y);
    if (src && dst) std::memcpy(dst, src, size_t(n));
  }
}

std::vector<win::RGBQUAD> GrayTable() {
  std::vector<win::RGBQUAD> t(256);
  for (int i = 0; i < 256; ++i) t[size_t(i)] = win::RGBQUAD{uint8_t(i), uint8_t(i), uint8_t(i), 0};
  return t;
}

// ie16g and ie32f have no platform counterpart: they become 8-bit gray.
template <typename Sample, typename ToByte>
void CopyGrayPixels(TIEBitmap& source, TBitmap& dest, ToByte toByte) {
  for (int32_t y = 0; y < source.GetHeight(); ++y) {
    const auto* src = static_cast<const Sample*>(source.GetScanline(y));
    auto* dst = static_cast<uint8_t*>(dest.ScanLine(y));
    if (!src || !dst) continue;
    for (int32_t x = 0; x < source.GetWidth(); ++x) dst[x] = toByte(src[x]);
  }
}

void CopyPaletteFromTable(TIEBitmap& dest, const std::vector<win::RGBQUAD>& table, size_t count) {
  for (size_t i = 0; i < count && i < table.size() && int32_t(i) < dest.GetPaletteLen(); ++i)
    dest.SetPaletteColor(int32_t(i), TRGB{table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed});
}

void CopyFromTBitmapIntoVcl(TIEBitmap& dest, TBitmap& source) {
  if (!dest.VclBitmap()) dest.Allocate(1, 1, ie24RGB);
  TBitmap* own = dest.VclBitmap();
  if (!own) return;
  const TPixelFormat pf = source.PixelFormat();
  if (pf != pf1bit && pf != pf24bit && pf != pf32bit) source.SetPixelFormat(pf24bit);
  if (own != &source) own->Assign(&source);
  dest.SyncFromVclBitmap();
}

void PutLE16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
void PutLE32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
uint32_t GetLE32(const uint8_t* p) { return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

}  // namespace

void IECopyToTBitmap(TIEBitmap& source, TBitmap& dest) {
  dest.SetSize(1, 1);
  const TIEPixelFormat format = source.GetPixelFormat();
  switch (format) {
    case ie1g:
      dest.SetPixelFormat(pf1bit);
      dest.SetColorTable({win::RGBQUAD{0, 0, 0, 0}, win::RGBQUAD{255, 255, 255, 0}});
      dest.SetMonochrome(true);
      break;
    case ie8p: {
      dest.SetPixelFormat(pf8bit);
      std::vector<win::RGBQUAD> table(256);
      for (int32_t i = 0; i < 256 && i < source.GetPaletteLen(); ++i) {
        const TRGB c = source.GetPaletteColor(i);
        table[size_t(i)] = win::RGBQUAD{c.b, c.g, c.r, 0};
      }
      dest.SetColorTable(table);
      break;
    }
    case ie8g:
    case ie16g:
    case ie32f:
      dest.SetPixelFormat(pf8bit);
      dest.SetColorTable(GrayTable());
      break;
    case ie24RGB:
      dest.SetPixelFormat(pf24bit);
      break;
    case ie32RGB:
      dest.SetPixelFormat(pf32bit);
      break;
    case ieCMYK:
      throw Exception("CMYK to TBitmap not supported");
    case ieRGB48:
      throw Exception("RGB48 to TBitmap not supported");
    case ieCIELab:
      throw Exception("CIELab to TBitmap not supported");
    default:
      return;
  }
  dest.SetSize(source.GetWidth(), source.GetHeight());
  if (format == ie16g)
    CopyGrayPixels<uint16_t>(source, dest, [](uint16_t v) { return uint8_t(v >> 8); });
  else if (format == ie32f)
    // Out-of-range samples are clamped: trunc(v * 255) of them does not fit a byte.
    CopyGrayPixels<float>(source, dest, [](float v) {
      const double t = std::trunc(double(v) * 255.0);
      return uint8_t(std::isnan(t) ? 0 : std::clamp(t, 0.0, 255.0));
    });
  else
    CopyRows(source, dest);
}

void IECopyFromTBitmap(TIEBitmap& dest, TBitmap& source) {
  if (dest.Location() == ieTBitmap) {
    CopyFromTBitmapIntoVcl(dest, source);
    dest.SetFullyOpaque(false);
    return;
  }
  const int32_t w = source.Width(), h = source.Height();
  switch (source.PixelFormat()) {
    case pf1bit:
      if (source.Monochrome()) {
        if (dest.Allocate(w, h, ie1g)) CopyRows(source, dest);
      } else if (dest.Allocate(w, h, ie8p)) {
        CopyPaletteFromTable(dest, source.ColorTable(), 2);
        for (int32_t y = 0; y < h; ++y) {
          const auto* src = static_cast<const uint8_t*>(source.ScanLine(y));
          auto* dst = static_cast<uint8_t*>(dest.GetScanline(y));
          for (int32_t x = 0; x < w; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 1 : 0;
        }
      }
      break;
    case pf4bit:
      if (dest.Allocate(w, h, ie8p)) {
        CopyPaletteFromTable(dest, source.ColorTable(), 16);
        for (int32_t y = 0; y < h; ++y) {
          const auto* src = static_cast<const uint8_t*>(source.ScanLine(y));
          auto* dst = static_cast<uint8_t*>(dest.GetScanline(y));
          for (int32_t x = 0; x < w; ++x) dst[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
        }
      }
      break;
    case pf8bit:
      if (dest.Allocate(w, h, ie8p)) {
        CopyPaletteFromTable(dest, source.ColorTable(), 256);
        CopyRows(source, dest);
      }
      break;
    case pf15bit:
    case pf16bit: {
      const bool is565 = source.PixelFormat() == pf16bit;
      if (!dest.Allocate(w, h, ie24RGB)) break;
      for (int32_t y = 0; y < h; ++y) {
        const auto* src = static_cast<const uint8_t*>(source.ScanLine(y));
        auto* dst = static_cast<uint8_t*>(dest.GetScanline(y));
        for (int32_t x = 0; x < w; ++x) {
          const uint32_t word = src[2 * x] | uint32_t(src[2 * x + 1]) << 8;
          uint8_t* p = dst + 3 * x;
          p[0] = uint8_t((word & 31) * 8);
          if (is565) {
            p[1] = uint8_t(((word >> 5) & 63) * 4);
            p[2] = uint8_t((word >> 11) * 8);
          } else {
            p[1] = uint8_t(((word >> 5) & 31) * 8);
            p[2] = uint8_t(((word >> 10) & 31) * 8);
          }
        }
      }
      break;
    }
    case pf24bit:
      if (dest.Allocate(w, h, ie24RGB)) CopyRows(source, dest);
      break;
    case pf32bit:
      if (dest.Allocate(w, h, ie32RGB)) CopyRows(source, dest);
      break;
    default:
      break;
  }
  dest.SetFullyOpaque(false);
}

std::vector<uint8_t> IEBitmapToPackedDIB(TIEBitmap& bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                                         int32_t xPelsPerInch, int32_t yPelsPerInch) {
  const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int32_t x1 = std::min<int64_t>(int64_t(x) + w, bitmap.GetWidth());
  const int32_t y1 = std::min<int64_t>(int64_t(y) + h, bitmap.GetHeight());
  if (x1 <= x0 || y1 <= y0) return {};
  const int32_t dw = x1 - x0, dh = y1 - y0;

  TIEBitmap* src = &bitmap;
  std::unique_ptr<TIEBitmap> converted;
  const TIEPixelFormat format = bitmap.GetPixelFormat();
  if (format != ie1g && format != ie8p && format != ie8g && format != ie24RGB && format != ie32RGB) {
    converted = TIEBitmap::CreateCopy(&bitmap);
    if (!converted) return {};
    converted->ConvertToFormat(ie24RGB);
    if (converted->GetPixelFormat() != ie24RGB) return {};
    src = converted.get();
  }
  const int32_t bits = src->GetBitCount();
  const int32_t colors = bits <= 8 ? (1 << bits) : 0;
  const int64_t rowLen = IEBitmapRowLen(dw, bits, 32);
  const size_t headerLen = 40 + size_t(colors) * 4;
  std::vector<uint8_t> dib(headerLen + size_t(rowLen * dh), 0);
  uint8_t* p = dib.data();
  PutLE32(p, 40);
  PutLE32(p + 4, uint32_t(dw));
  PutLE32(p + 8, uint32_t(dh));
  PutLE16(p + 12, 1);
  PutLE16(p + 14, uint16_t(bits));
  PutLE32(p + 20, uint32_t(rowLen * dh));
  // Pixels per metre, rounded.
  PutLE32(p + 24, uint32_t(std::lround(xPelsPerInch / 0.0254)));
  PutLE32(p + 28, uint32_t(std::lround(yPelsPerInch / 0.0254)));
  PutLE32(p + 32, uint32_t(colors));
  for (int32_t i = 0; i < colors; ++i) {
    uint8_t* q = p + 40 + 4 * i;
    TRGB c{};
    if (src->GetPixelFormat() == ie1g)
      c = i ? TRGB{255, 255, 255} : TRGB{0, 0, 0};
    else if (src->GetPixelFormat() == ie8g)
      c = TRGB{uint8_t(i), uint8_t(i), uint8_t(i)};
    else if (i < src->GetPaletteLen())
      c = src->GetPaletteColor(i);
    q[0] = c.b;
    q[1] = c.g;
    q[2] = c.r;
  }
  for (int32_t row = 0; row < dh; ++row) {
    const auto* s = static_cast<const uint8_t*>(src->GetScanline(y0 + row));
    uint8_t* d = p + headerLen + size_t(rowLen * (dh - 1 - row));  // bottom-up
    if (!s) continue;
    if (bits == 1) {
      for (int32_t i = 0; i < dw; ++i)
        if (s[(x0 + i) >> 3] & (0x80 >> ((x0 + i) & 7))) d[i >> 3] |= uint8_t(0x80 >> (i & 7));
    } else {
      const int32_t bpp = bits / 8;
      std::memcpy(d, s + size_t(x0) * bpp, size_t(dw) * bpp);
    }
  }
  return dib;
}

void IEDIBDrawTo(TCanvas& canvas, const std::vector<uint8_t>& dib, int32_t xSrc, int32_t ySrc, int32_t wSrc,
                 int32_t hSrc, int32_t xDst, int32_t yDst, int32_t wDst, int32_t hDst) {
  if (dib.size() < 40) return;
  win::BITMAPINFO256 info{};
  auto& hdr = info.bmiHeader;
  hdr.biSize = GetLE32(dib.data());
  hdr.biWidth = int32_t(GetLE32(dib.data() + 4));
  hdr.biHeight = int32_t(GetLE32(dib.data() + 8));
  hdr.biPlanes = uint16_t(dib[12] | dib[13] << 8);
  hdr.biBitCount = uint16_t(dib[14] | dib[15] << 8);
  hdr.biCompression = GetLE32(dib.data() + 16);
  hdr.biSizeImage = GetLE32(dib.data() + 20);
  hdr.biClrUsed = GetLE32(dib.data() + 32);
  if (hdr.biSize != 40 || hdr.biWidth <= 0 || hdr.biHeight == 0 || hdr.biCompression != win::BI_RGB) return;
  const int32_t colors = hdr.biBitCount <= 8 ? (1 << hdr.biBitCount) : 0;
  const size_t headerLen = 40 + size_t(colors) * 4;
  const int64_t rowLen = IEBitmapRowLen(hdr.biWidth, hdr.biBitCount, 32);
  // The block must hold every row StretchDIBits may read.
  if (dib.size() < headerLen || int64_t(dib.size() - headerLen) < rowLen * std::abs(int64_t(hdr.biHeight))) return;
  for (int32_t i = 0; i < colors; ++i) {
    const uint8_t* q = dib.data() + 40 + 4 * i;
    info.bmiColors[i] = win::RGBQUAD{q[0], q[1], q[2], 0};
  }
  const win::HDC dc = canvas.Handle();
  const int oldMode = win::SetStretchBltMode(dc, win::COLORONCOLOR);
  win::StretchDIBits(dc, xDst, yDst, wDst, hDst, xSrc, ySrc, wSrc, hSrc, dib.data() + headerLen,
                     reinterpret_cast<const win::BITMAPINFO*>(&info), win::DIB_RGB_COLORS, win::SRCCOPY);
  win::SetStretchBltMode(dc, oldMode);
}

void IEPrintPict(TCanvas& canvas, int32_t xDst, int32_t yDst, TIEBitmap& bitmap, int32_t xSrc, int32_t ySrc,
                 int32_t w, int32_t h) {
  const std::vector<uint8_t> dib = IEBitmapToPackedDIB(bitmap, xSrc, ySrc, w, h, 200, 200);
  if (dib.empty()) return;
  const int32_t dw = GetLE32(dib.data() + 4), dh = GetLE32(dib.data() + 8);
  IEDIBDrawTo(canvas, dib, 0, 0, dw, dh, xDst, yDst, dw, dh);
}

std::vector<uint8_t> IEGammaTable(double gamma) {
  std::vector<uint8_t> table(256);
  for (int i = 0; i < 256; ++i) {
    const double v = std::nearbyint(std::pow(i / 255.0, 1.0 / gamma) * 255.0);  // default rounding: ties to even
    table[size_t(i)] = uint8_t(std::clamp(v, 0.0, 255.0));
  }
  return table;
}

int32_t IECanvasStripHeight(int32_t w, int32_t h, int64_t memoryThreshold) {
  const int64_t r = IEBitmapRowLen(w, 24, 32);
  if (r <= 0) return 1;
  int64_t s = std::max<int64_t>(1, std::min<int64_t>(h, (memoryThreshold / 4) / r));
  while (s > 1 && s * r > 41943040) --s;
  return int32_t(s);
}

namespace {

// The filtered path: one resampled temporary sent in horizontal strips.
void RenderFiltered(TIEBitmap& bitmap, TCanvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                    TResampleFilter filter, double gamma) {
  const TIEPixelFormat format = bitmap.GetPixelFormat();
  TIEPixelFormat tempFormat = format;
  if (format == ie1g) tempFormat = (filter == rfProjectBW || filter == rfProjectWB) ? ie1g : ie24RGB;
  if (w < 0 || h < 0) return;
  const int32_t strip = IECanvasStripHeight(w, h, bitmap.MemoryThreshold());
  auto temp = TIEBitmap::CreateSized(w, h, tempFormat);
  if (!temp || temp->GetWidth() != w) return;
  if (format == ie1g)
    _Resample1BitEx(bitmap, *temp, filter);
  else if (format == ie24RGB)
    _ResampleEx(bitmap, *temp, nullptr, {}, filter);
  else
    _IEBmpStretchEx(bitmap, *temp);
  canvas.SetCopyMode(cmSrcCopy);
  if (temp->GetPixelFormat() == ie24RGB && gamma != 1 && gamma > 0) {
    const std::vector<uint8_t> table = IEGammaTable(gamma);
    for (int32_t row = 0; row < h; ++row) {
      auto* p = static_cast<uint8_t*>(temp->GetScanline(row));
      for (int32_t i = 0; i < 3 * w; ++i) p[i] = table[p[i]];
    }
  }
  // Each strip is at most `strip` rows and the last one what remains, so the loop always ends.
  for (int32_t top = 0; top < h; top += strip)
    IEPrintPict(canvas, x, y + top, *temp, 0, top, w, std::min(strip, h - top));
}

}  // namespace

void IERenderToCanvas(TIEBitmap& bitmap, TCanvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                      TResampleFilter filter, double gamma) {
  if (bitmap.GetWidth() == 0 || bitmap.GetHeight() == 0 || w == 0 || h == 0) return;
  if (filter != rfNone) {
    RenderFiltered(bitmap, canvas, x, y, w, h, filter, gamma);
    return;
  }
  std::vector<uint8_t> dib = IEBitmapToPackedDIB(bitmap, 0, 0, bitmap.GetWidth(), bitmap.GetHeight(), 200, 200);
  if (dib.empty()) return;
  const int32_t bits = dib[14] | dib[15] << 8;
  const size_t headerLen = 40 + (bits <= 8 ? size_t(4) << bits : 0);
  if (gamma != 1 && gamma > 0) {
    const std::vector<uint8_t> table = IEGammaTable(gamma);
    if (bits <= 8) {
      // Paletted: the colour table carries the colours.
      for (size_t i = 40; i < headerLen; i += 4)
        for (size_t c = 0; c < 3; ++c) dib[i + c] = table[dib[i + c]];
    } else {
      for (size_t i = headerLen; i < dib.size(); ++i) dib[i] = table[dib[i]];
    }
  }
  IEDIBDrawTo(canvas, dib, 0, 0, bitmap.GetWidth(), bitmap.GetHeight(), x, y, w, h);
}

int32_t IEVclPixelFormatBitCount(TPixelFormat format) {
  switch (format) {
    case pf1bit:
      return 1;
    case pf4bit:
      return 4;
    case pf8bit:
      return 8;
    case pf15bit:
      return 15;
    case pf16bit:
      return 16;
    case pf24bit:
      return 24;
    case pf32bit:
      return 32;
    default:
      return 0;
  }
}

TIEPixelFormat IEVclPixelFormatToIE(TPixelFormat format) {
  switch (format) {
    case pf1bit:
      return ie1g;
    case pf4bit:
    case pf8bit:
      return ie8p;
    default:
      return ie24RGB;
  }
}

int64_t IEVclRowLen(int32_t width, TPixelFormat format) {
  return IEBitmapRowLen(width, IEVclPixelFormatBitCount(format), 32);
}
