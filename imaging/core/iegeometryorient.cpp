// Mirroring and quarter turns of an image buffer, and the EXIF orientation
// (EXIF 2.3, tag 274) built on them. Pixels move as whole units of the
// buffer's bit count, so every pixel format is handled, 1-bit rows included.
#include <cstring>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iegeometry.h"

namespace {

inline bool GetBit(const uint8_t* row, int32_t x) { return (row[x >> 3] & (0x80 >> (x & 7))) != 0; }
inline void SetBit(uint8_t* row, int32_t x, bool on) {
  if (on)
    row[x >> 3] |= uint8_t(0x80 >> (x & 7));
  else
    row[x >> 3] &= uint8_t(~(0x80 >> (x & 7)));
}

// Copies pixel sx of one row to pixel dx of another.
inline void CopyPixel(const uint8_t* src, int32_t sx, uint8_t* dst, int32_t dx, int32_t bitCount) {
  if (bitCount == 1) {
    SetBit(dst, dx, GetBit(src, sx));
    return;
  }
  const size_t bytes = size_t(bitCount / 8);
  std::memcpy(dst + size_t(dx) * bytes, src + size_t(sx) * bytes, bytes);
}

bool Usable(TIEBitmap& b) {
  const int32_t bits = b.GetBitCount();
  return b.GetWidth() > 0 && b.GetHeight() > 0 && b.GetRowLen() > 0 && (bits == 1 || (bits >= 8 && bits % 8 == 0));
}

void FlipPixels(TIEBitmap& b, uint8_t direction) {
  if (!Usable(b)) return;
  const int32_t w = b.GetWidth(), h = b.GetHeight(), bits = b.GetBitCount();
  const size_t len = size_t(b.GetRowLen());
  std::vector<uint8_t> a(len), c(len);
  if (direction == 0) {
    for (int32_t y = 0; y < h; ++y) {
      auto* row = static_cast<uint8_t*>(b.GetScanline(y));
      std::memcpy(a.data(), row, len);
      for (int32_t x = 0; x < w; ++x) CopyPixel(a.data(), w - 1 - x, row, x, bits);
    }
    return;
  }
  // Each row view is used before the next is asked for: in a file-backed buffer only one is valid.
  for (int32_t top = 0, bottom = h - 1; top < bottom; ++top, --bottom) {
    std::memcpy(a.data(), b.GetScanline(top), len);
    std::memcpy(c.data(), b.GetScanline(bottom), len);
    std::memcpy(b.GetScanline(top), c.data(), len);
    std::memcpy(b.GetScanline(bottom), a.data(), len);
  }
}

void RotatePixels(TIEBitmap& b, bool clockwise) {
  if (!Usable(b)) return;
  const int32_t w = b.GetWidth(), h = b.GetHeight(), bits = b.GetBitCount();
  const size_t len = size_t(b.GetRowLen());
  std::vector<uint8_t> source(len * size_t(h));
  for (int32_t y = 0; y < h; ++y) std::memcpy(source.data() + len * size_t(y), b.GetScanline(y), len);

  TIEBitmap turned;
  turned.SetRowAlignment(b.RowAlignment());
  if (!turned.Allocate(h, w, b.GetPixelFormat())) return;
  b.CopyPaletteTo(&turned);
  for (int32_t r = 0; r < w; ++r) {
    auto* row = static_cast<uint8_t*>(turned.GetScanline(r));
    std::memset(row, 0, size_t(turned.GetRowLen()));
    for (int32_t c = 0; c < h; ++c) {
      // Clockwise, the left column read upward becomes the top row; counter-clockwise,
      // the right column read downward does.
      const int32_t sx = clockwise ? r : w - 1 - r;
      const int32_t sy = clockwise ? h - 1 - c : c;
      CopyPixel(source.data() + len * size_t(sy), sx, row, c, bits);
    }
  }
  const bool opaque = b.FullyOpaque();
  b.AssignImage(&turned);
  b.SetFullyOpaque(opaque);
}

}  // namespace

void IEFlipBitmap(TIEBitmap& bitmap, uint8_t direction) {
  FlipPixels(bitmap, direction);
  if (bitmap.HasAlphaChannel()) FlipPixels(*bitmap.GetAlphaChannel(), direction);
}

void IERotateBitmap90(TIEBitmap& bitmap, bool clockwise) {
  RotatePixels(bitmap, clockwise);
  if (bitmap.HasAlphaChannel()) RotatePixels(*bitmap.GetAlphaChannel(), clockwise);
}

void IEApplyExifOrientation(TIEBitmap& bitmap, int32_t orientation) {
  switch (orientation) {
    case 2:
      IEFlipBitmap(bitmap, 0);
      break;
    case 3:
      IEFlipBitmap(bitmap, 1);
      IEFlipBitmap(bitmap, 0);
      break;
    case 4:
      IEFlipBitmap(bitmap, 1);
      break;
    case 5:
      // Rows stored as the picture's columns: a turn and a mirror, in the order that transposes.
      IERotateBitmap90(bitmap, true);
      IEFlipBitmap(bitmap, 0);
      break;
    case 6:
      IERotateBitmap90(bitmap, true);
      break;
    case 7:
      IERotateBitmap90(bitmap, false);
      IEFlipBitmap(bitmap, 0);
      break;
    case 8:
      IERotateBitmap90(bitmap, false);
      break;
    default:
      break;
  }
}
