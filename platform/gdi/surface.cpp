// Raw pixel access and colour conversion for the DIB pixel formats.
#include <bit>
#include <cstring>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"

namespace win {

uint32_t ReadRaw(const Surface& s, int32_t x, int32_t y) {
  const uint8_t* row = s.Row(y);
  switch (s.BitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 8: return row[x];
    case 16: return uint32_t(row[2 * x]) | (uint32_t(row[2 * x + 1]) << 8);
    case 24: {
      const uint8_t* p = row + 3 * x;
      return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
    default: {
      uint32_t v;
      std::memcpy(&v, row + 4 * x, 4);
      return v;
    }
  }
}

void WriteRaw(const Surface& s, int32_t x, int32_t y, uint32_t raw) {
  uint8_t* row = s.Row(y);
  switch (s.BitCount) {
    case 1: {
      uint8_t bit = uint8_t(0x80 >> (x & 7));
      if (raw & 1) row[x >> 3] |= bit;
      else row[x >> 3] &= uint8_t(~bit);
      break;
    }
    case 4: {
      uint8_t& b = row[x >> 1];
      if (x & 1) b = uint8_t((b & 0xF0) | (raw & 0x0F));
      else b = uint8_t((b & 0x0F) | ((raw & 0x0F) << 4));
      break;
    }
    case 8: row[x] = uint8_t(raw); break;
    case 16:
      row[2 * x] = uint8_t(raw);
      row[2 * x + 1] = uint8_t(raw >> 8);
      break;
    case 24: {
      uint8_t* p = row + 3 * x;
      p[0] = uint8_t(raw);
      p[1] = uint8_t(raw >> 8);
      p[2] = uint8_t(raw >> 16);
      break;
    }
    default: std::memcpy(row + 4 * x, &raw, 4); break;
  }
}

namespace {

uint32_t PackChannel(uint8_t v, uint32_t mask) {
  if (!mask) return 0;
  int shift = std::countr_zero(mask);
  int bits = std::popcount(mask);
  uint32_t field = bits >= 8 ? (uint32_t(v) << (bits - 8)) : (uint32_t(v) >> (8 - bits));
  return (field << shift) & mask;
}

uint8_t UnpackChannel(uint32_t raw, uint32_t mask) {
  if (!mask) return 0;
  int shift = std::countr_zero(mask);
  int bits = std::popcount(mask);
  uint32_t field = (raw & mask) >> shift;
  if (bits >= 8) return uint8_t(field >> (bits - 8));
  uint32_t max = (1u << bits) - 1;
  return uint8_t((field * 255 + max / 2) / max);
}

}  // namespace

int NearestIndex(const RGBQUAD* colors, int count, COLORREF c) {
  int best = 0;
  int64_t bestD = INT64_MAX;
  int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  for (int i = 0; i < count; ++i) {
    int dr = colors[i].rgbRed - r, dg = colors[i].rgbGreen - g, db = colors[i].rgbBlue - b;
    int64_t d = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
    if (d < bestD) {
      bestD = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

uint32_t ColorToRaw(const Surface& s, COLORREF c) {
  if ((c >> 24) == 0x01) {  // PALETTEINDEX: an index on indexed surfaces
    if (s.BitCount <= 8) return c & detail::DepthMask(s.BitCount);
    c = 0;
  }
  c &= 0x00FFFFFF;
  switch (s.BitCount) {
    case 1:
    case 4:
    case 8:
      if (!s.Colors || s.ColorCount <= 0) return 0;
      return uint32_t(NearestIndex(s.Colors, s.ColorCount, c));
    case 24: return uint32_t(GetBValue(c)) | (uint32_t(GetGValue(c)) << 8) | (uint32_t(GetRValue(c)) << 16);
    default:
      return PackChannel(GetRValue(c), s.RedMask) | PackChannel(GetGValue(c), s.GreenMask) |
             PackChannel(GetBValue(c), s.BlueMask);
  }
}

COLORREF RawToColor(const Surface& s, uint32_t raw) {
  switch (s.BitCount) {
    case 1:
    case 4:
    case 8: {
      if (!s.Colors || int32_t(raw) >= s.ColorCount) return 0;
      const RGBQUAD& q = s.Colors[raw];
      return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    case 24: return RGB(uint8_t(raw >> 16), uint8_t(raw >> 8), uint8_t(raw));
    default:
      return RGB(UnpackChannel(raw, s.RedMask), UnpackChannel(raw, s.GreenMask), UnpackChannel(raw, s.BlueMask));
  }
}

Surface BitmapObject::GetSurface() {
  Surface s;
  if (Storage.empty() || Width <= 0 || Height <= 0) return s;
  s.Width = Width;
  s.Height = Height;
  s.BitCount = BitCount;
  if (TopDown || !IsDib) {
    s.Bits = Storage.data();
    s.Stride = RowBytes;
  } else {
    s.Bits = Storage.data() + size_t(Height - 1) * size_t(RowBytes);
    s.Stride = -ptrdiff_t(RowBytes);
  }
  if (BitCount <= 8) {
    s.Colors = ColorTable.data();
    s.ColorCount = int32_t(ColorTable.size());
    s.Monochrome = BitCount == 1 && !IsDib;
  } else if (BitCount == 16) {
    if (Compression == BI_BITFIELDS) {
      s.RedMask = Masks[0];
      s.GreenMask = Masks[1];
      s.BlueMask = Masks[2];
    } else {
      s.RedMask = 0x7C00;
      s.GreenMask = 0x03E0;
      s.BlueMask = 0x001F;
    }
  } else if (BitCount == 32 && Compression == BI_BITFIELDS) {
    s.RedMask = Masks[0];
    s.GreenMask = Masks[1];
    s.BlueMask = Masks[2];
  }
  return s;
}

}  // namespace win
