// Packed device-independent bitmaps as image marks carry them (the Windows
// BITMAPINFOHEADER layout: 40-byte header, RGBQUAD colour table, rows bottom-up
// padded to 32 bits, all integers little-endian).
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "imaging/metadata/ieannot.h"

namespace {

constexpr int64_t kInfoHeaderSize = 40;
// Inches per metre, the header's resolution unit.
constexpr double kInchesPerMetre = 39.3700787;

uint32_t U32LE(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t U16LE(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

void PutU32LE(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

int64_t DIBRowBytes(int64_t width, int32_t bits) { return (width * bits + 31) / 32 * 4; }

int32_t Brightness(const uint8_t* quad) { return quad[0] + quad[1] + quad[2]; }

uint8_t Expand5(uint32_t v) { return uint8_t((v << 3) | (v >> 2)); }

}  // namespace

std::unique_ptr<TIEBitmap> IEPackedDIBToBitmap(const uint8_t* data, int32_t size) {
  if (!data || size < kInfoHeaderSize) return nullptr;
  const int64_t headerSize = U32LE(data);
  const int32_t width = int32_t(U32LE(data + 4));
  const int32_t height = int32_t(U32LE(data + 8));
  const int32_t bits = U16LE(data + 14);
  const uint32_t compression = U32LE(data + 16);
  const int64_t colorsUsed = U32LE(data + 32);
  if (headerSize < kInfoHeaderSize || headerSize > size) return nullptr;
  if (width <= 0 || height == 0 || height == std::numeric_limits<int32_t>::min()) return nullptr;
  if (compression != 0) return nullptr;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return nullptr;
  int64_t tableEntries = colorsUsed;
  if (bits <= 8) {
    if (colorsUsed > (int64_t(1) << bits)) return nullptr;
    if (colorsUsed == 0) tableEntries = int64_t(1) << bits;
  }
  const int64_t rowsOffset = headerSize + tableEntries * 4;
  const int64_t rowBytes = DIBRowBytes(width, bits);
  const int64_t rows = height < 0 ? -int64_t(height) : height;
  if (rowsOffset > size || rows > (size - rowsOffset) / rowBytes) return nullptr;

  const uint8_t* table = data + headerSize;
  auto bitmap = TIEBitmap::CreateSized(width, int32_t(rows), bits == 1 ? ie1g : ie24RGB);
  if (bitmap->GetWidth() != width || bitmap->GetHeight() != rows) return nullptr;
  static const uint8_t kBlack[4] = {0, 0, 0, 0};
  auto color = [&](uint32_t index) { return int64_t(index) < tableEntries ? table + index * 4 : kBlack; };
  // ie1g's 1 is white: the brighter colour of the table gets the 1 bits.
  const bool invert = bits == 1 && Brightness(color(0)) > Brightness(color(1));
  for (int64_t y = 0; y < rows; ++y) {
    const int64_t stored = height > 0 ? rows - 1 - y : y;
    const uint8_t* src = data + rowsOffset + stored * rowBytes;
    auto* dst = static_cast<uint8_t*>(bitmap->GetScanline(int32_t(y)));
    if (bits == 1) {
      const size_t n = (size_t(width) + 7) / 8;
      for (size_t i = 0; i < n; ++i) dst[i] = invert ? uint8_t(~src[i]) : src[i];
      continue;
    }
    for (int64_t x = 0; x < width; ++x) {
      uint8_t* px = dst + x * 3;
      switch (bits) {
        case 4:
        case 8: {
          const uint32_t index = bits == 8 ? src[x] : (src[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
          std::memcpy(px, color(index), 3);
          break;
        }
        case 16: {
          const uint32_t v = U16LE(src + x * 2);
          px[0] = Expand5(v & 31);
          px[1] = Expand5((v >> 5) & 31);
          px[2] = Expand5((v >> 10) & 31);
          break;
        }
        case 24:
          std::memcpy(px, src + x * 3, 3);
          break;
        default:
          std::memcpy(px, src + x * 4, 3);
          break;
      }
    }
  }
  return bitmap;
}

std::vector<uint8_t> IEBitmapToPackedDIB(TIEBitmap& bitmap, int32_t dpiX, int32_t dpiY) {
  if (bitmap.IsEmpty()) return {};
  TIEBitmap* source = &bitmap;
  std::unique_ptr<TIEBitmap> converted;
  const TIEPixelFormat format = bitmap.GetPixelFormat();
  int32_t bits = 24;
  if (format == ie1g) {
    bits = 1;
  } else if (format == ie8g || format == ie8p) {
    bits = 8;
  } else if (format != ie24RGB) {
    converted = TIEBitmap::CreateCopy(&bitmap);
    converted->ConvertToFormat(ie24RGB);
    if (converted->GetPixelFormat() != ie24RGB || converted->IsEmpty()) return {};
    source = converted.get();
  }
  const int32_t width = source->GetWidth(), height = source->GetHeight();
  const int64_t tableEntries = bits <= 8 ? int64_t(1) << bits : 0;
  const int64_t rowBytes = DIBRowBytes(width, bits);
  const int64_t total = kInfoHeaderSize + tableEntries * 4 + rowBytes * height;
  // The block travels with a 32-bit length.
  if (total > std::numeric_limits<int32_t>::max()) return {};

  std::vector<uint8_t> out(size_t(total), 0);
  uint8_t* h = out.data();
  auto ppm = [](int32_t dpi) { return uint32_t(int64_t(std::nearbyint(double(dpi) * kInchesPerMetre))); };
  PutU32LE(h, uint32_t(kInfoHeaderSize));
  PutU32LE(h + 4, uint32_t(width));
  PutU32LE(h + 8, uint32_t(height));
  h[12] = 1;  // planes
  h[14] = uint8_t(bits);
  PutU32LE(h + 20, uint32_t(rowBytes * height));
  PutU32LE(h + 24, ppm(dpiX));
  PutU32LE(h + 28, ppm(dpiY));
  uint8_t* table = h + kInfoHeaderSize;
  for (int64_t i = 0; i < tableEntries; ++i) {
    uint8_t* q = table + i * 4;
    if (format == ie1g) {
      q[0] = q[1] = q[2] = i ? 255 : 0;
    } else if (format == ie8g) {
      q[0] = q[1] = q[2] = uint8_t(i);
    } else {
      const TRGB c = source->GetPaletteColor(int32_t(i));
      q[0] = c.b;
      q[1] = c.g;
      q[2] = c.r;
    }
  }
  uint8_t* rows = table + tableEntries * 4;
  const size_t used = bits == 1 ? (size_t(width) + 7) / 8 : size_t(width) * size_t(bits / 8);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* dst = rows + int64_t(height - 1 - y) * rowBytes;
    std::memcpy(dst, source->GetScanline(y), used);
    if (bits == 1 && width % 8) dst[used - 1] &= uint8_t(0xFF << (8 - width % 8));
  }
  return out;
}
