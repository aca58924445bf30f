// Bitmaps and device-independent bitmaps: creation, colour tables, and moving
// rows between a bitmap and caller memory in any DIB format.
//
// DIB rows are padded to 4 bytes; a positive biHeight stores the bottom row
// first, a negative one the top row first. Scan lines are numbered from the
// bottom for bottom-up DIBs and from the top for top-down ones.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"

namespace win {

namespace {

// Larger bitmaps are refused rather than attempted.
constexpr int64_t kMaxBitmapBytes = int64_t(1) << 31;

std::vector<RGBQUAD> DefaultTable(int bitCount) {
  std::vector<RGBQUAD> t;
  auto add = [&](int r, int g, int b) { t.push_back({uint8_t(b), uint8_t(g), uint8_t(r), 0}); };
  if (bitCount == 1) {
    add(0, 0, 0);
    add(255, 255, 255);
  } else if (bitCount == 4) {
    static const int k[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                 {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                 {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                 {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (auto& c : k) add(c[0], c[1], c[2]);
  } else if (bitCount == 8) {
    PALETTEENTRY pe[20];
    GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, pe);
    for (int i = 0; i < 10; ++i) add(pe[i].peRed, pe[i].peGreen, pe[i].peBlue);
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) add(r * 51, g * 51, b * 51);
    for (int i = 0; i < 20; ++i) add(8 + i * 12, 8 + i * 12, 8 + i * 12);
    for (int i = 10; i < 20; ++i) add(pe[i].peRed, pe[i].peGreen, pe[i].peBlue);
  }
  return t;
}

bool ValidBitCount(int b) { return b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32; }

// Reads the format of a BITMAPINFO: bit count, masks and colour table.
struct DibFormat {
  int32_t Width = 0, Height = 0;  // Height > 0
  bool TopDown = false;
  uint16_t BitCount = 0;
  DWORD Compression = BI_RGB;
  uint32_t Masks[3] = {0, 0, 0};
  std::vector<RGBQUAD> Colors;
};

bool ReadFormat(const BITMAPINFO* bmi, UINT usage, HDC dc, DibFormat& f, bool needSize = true) {
  if (!bmi) return false;
  const BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (h.biSize < 40 || !ValidBitCount(h.biBitCount)) return false;
  if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32)))
    return false;
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return false;
  if (needSize && (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)) return false;
  if (needSize && (int64_t(h.biWidth) * h.biBitCount + 31) / 32 * 4 * std::abs(int64_t(h.biHeight)) > kMaxBitmapBytes)
    return false;
  f.Width = h.biWidth;
  f.TopDown = h.biHeight < 0;
  f.Height = f.TopDown ? -h.biHeight : h.biHeight;
  f.BitCount = h.biBitCount;
  f.Compression = h.biCompression;
  const uint8_t* after = reinterpret_cast<const uint8_t*>(bmi) + h.biSize;
  if (h.biCompression == BI_BITFIELDS) {
    const uint8_t* m = h.biSize >= 52 ? reinterpret_cast<const uint8_t*>(bmi) + 40 : after;
    std::memcpy(f.Masks, m, 12);
    if (!f.Masks[0] && !f.Masks[1] && !f.Masks[2]) return false;
  }
  if (f.BitCount <= 8) {
    size_t n = h.biClrUsed ? std::min<size_t>(h.biClrUsed, size_t(1) << f.BitCount) : (size_t(1) << f.BitCount);
    f.Colors.resize(n);
    if (usage == DIB_RGB_COLORS) {
      std::memcpy(f.Colors.data(), after, n * 4);
      for (RGBQUAD& q : f.Colors) q.rgbReserved = 0;
    } else {
      const DCState* st = GetDCState(dc);
      HPALETTE pal = st && st->Palette ? st->Palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
      std::vector<PALETTEENTRY> pe(GetPaletteEntries(pal, 0, 0, nullptr));
      GetPaletteEntries(pal, 0, UINT(pe.size()), pe.data());
      for (size_t i = 0; i < n; ++i) {
        uint16_t idx;
        std::memcpy(&idx, after + 2 * i, 2);
        PALETTEENTRY e = idx < pe.size() ? pe[idx] : PALETTEENTRY{};
        f.Colors[i] = {e.peBlue, e.peGreen, e.peRed, 0};
      }
    }
  }
  return true;
}

// A surface over caller memory holding rows of the format.
Surface FormatSurface(const DibFormat& f, const void* bits, int32_t rows) {
  Surface s;
  s.Width = f.Width;
  s.Height = rows;
  s.BitCount = f.BitCount;
  int32_t rb = DibRowBytes(f.Width, f.BitCount);
  auto* p = static_cast<uint8_t*>(const_cast<void*>(bits));
  if (f.TopDown) {
    s.Bits = p;
    s.Stride = rb;
  } else {
    s.Bits = p + size_t(rows - 1) * size_t(rb);
    s.Stride = -ptrdiff_t(rb);
  }
  if (f.BitCount <= 8) {
    s.Colors = f.Colors.data();
    s.ColorCount = int32_t(f.Colors.size());
  } else if (f.BitCount == 16) {
    if (f.Compression == BI_BITFIELDS) {
      s.RedMask = f.Masks[0];
      s.GreenMask = f.Masks[1];
      s.BlueMask = f.Masks[2];
    } else {
      s.RedMask = 0x7C00;
      s.GreenMask = 0x03E0;
      s.BlueMask = 0x001F;
    }
  } else if (f.BitCount == 32 && f.Compression == BI_BITFIELDS) {
    s.RedMask = f.Masks[0];
    s.GreenMask = f.Masks[1];
    s.BlueMask = f.Masks[2];
  }
  return s;
}

bool SameFormat(const Surface& a, const Surface& b) {
  if (a.BitCount != b.BitCount) return false;
  if (a.BitCount <= 8)
    return a.ColorCount == b.ColorCount && std::equal(a.Colors, a.Colors + a.ColorCount, b.Colors);
  if (a.BitCount == 24) return true;
  return a.RedMask == b.RedMask && a.GreenMask == b.GreenMask && a.BlueMask == b.BlueMask;
}

// Copies n pixels of row sy of src to row dy of dst, converting colours.
void CopyRow(const Surface& src, int32_t sy, const Surface& dst, int32_t dy, int32_t n, bool same) {
  if (same && (src.BitCount % 8) == 0) {
    std::memcpy(dst.Row(dy), src.Row(sy), size_t(n) * (src.BitCount / 8));
    return;
  }
  if (same) {
    for (int32_t x = 0; x < n; ++x) WriteRaw(dst, x, dy, ReadRaw(src, x, sy));
    return;
  }
  const bool keepAlpha = src.BitCount == 32 && dst.IsBGRA32();
  uint32_t lastIn = 0, lastOut = 0;
  bool have = false;
  for (int32_t x = 0; x < n; ++x) {
    uint32_t raw = ReadRaw(src, x, sy);
    if (!have || raw != lastIn) {
      lastIn = raw;
      lastOut = ColorToRaw(dst, RawToColor(src, raw));
      if (keepAlpha) lastOut |= raw & 0xFF000000u;
      have = true;
    }
    WriteRaw(dst, x, dy, lastOut);
  }
}

// Rows are DWORD-aligned for DIBs and WORD-aligned for device bitmaps.
HBITMAP NewBitmap(int32_t w, int32_t h, uint16_t bitCount, bool dib) {
  const int64_t align = dib ? 32 : 16;
  const int64_t rowBytes64 = (int64_t(w) * bitCount + align - 1) / align * (align / 8);
  if (w <= 0 || h <= 0 || rowBytes64 * h > kMaxBitmapBytes) return nullptr;
  const int32_t rowBytes = int32_t(rowBytes64);
  auto* b = new BitmapObject;
  try {
    b->Storage.assign(size_t(rowBytes) * size_t(h), 0);
  } catch (const std::bad_alloc&) {
    delete b;
    return nullptr;
  }
  b->Width = w;
  b->Height = h;
  b->BitCount = bitCount;
  b->IsDib = dib;
  b->RowBytes = rowBytes;
  return b;
}

// Scan lines start.. of a bitmap of the given height into DIB bits of format f;
// returns the number of lines copied.
int CopyScanLines(const Surface& src, int32_t height, const DibFormat& f, void* bits, UINT start, UINT lines) {
  const UINT n = start >= UINT(height) ? 0 : std::min<UINT>(lines, UINT(height) - start);
  if (n == 0) return 0;
  const Surface dst = FormatSurface(f, bits, int32_t(n));
  const bool same = SameFormat(src, dst);
  const int32_t w = std::min(f.Width, src.Width);
  for (UINT k = 0; k < n; ++k) {
    const int32_t scan = int32_t(start + k);
    const int32_t srow = f.TopDown ? scan : height - 1 - scan;
    const int32_t drow = f.TopDown ? int32_t(k) : int32_t(n - 1 - k);
    CopyRow(src, srow, dst, drow, w, same);
  }
  return int(n);
}

}  // namespace

// ---------------------------------------------------------------- creation
HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bitCount, const void* bits) {
  if (w < 0 || h < 0 || planes != 1) return nullptr;
  if (w == 0 || h == 0) return detail::StockBitmap();
  if (!ValidBitCount(int(bitCount))) return nullptr;
  HBITMAP b = NewBitmap(w, h, uint16_t(bitCount), false);
  if (!b) return nullptr;
  b->ColorTable = DefaultTable(int(bitCount));
  if (bits) std::memcpy(b->Storage.data(), bits, b->Storage.size());
  return b;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int w, int h) {
  DeviceContext* d = detail::AsDC(dc);
  if (!d || w < 0 || h < 0) return nullptr;
  if (w == 0 || h == 0) return detail::StockBitmap();
  BitmapObject* sel = d->IsMemory() ? d->State.Bitmap : nullptr;
  if (sel && sel->IsDib) {
    // A DC holding a DIB section makes DIB sections of the same format.
    BITMAPINFO256 bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biBitCount = sel->BitCount;
    bi.bmiHeader.biCompression = sel->Compression;
    if (sel->Compression == BI_BITFIELDS) std::memcpy(bi.bmiColors, sel->Masks, 12);
    bi.bmiHeader.biClrUsed = DWORD(sel->ColorTable.size());
    if (sel->BitCount <= 8) std::copy(sel->ColorTable.begin(), sel->ColorTable.end(), bi.bmiColors);
    return CreateDIBSection(dc, bi.get(), DIB_RGB_COLORS, nullptr, nullptr, 0);
  }
  UINT bpp = sel ? sel->BitCount : 32;
  return CreateBitmap(w, h, 1, bpp, nullptr);
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* bmi, UINT usage, void** bits, void* section, DWORD offset) {
  if (bits) *bits = nullptr;
  if (dc && !detail::AsDC(dc)) return nullptr;
  if (section || offset) return nullptr;  // file-mapping sections are not offered
  DibFormat f;
  if (!ReadFormat(bmi, usage, dc, f)) return nullptr;
  HBITMAP b = NewBitmap(f.Width, f.Height, f.BitCount, true);
  if (!b) return nullptr;
  b->TopDown = f.TopDown;
  b->Compression = f.Compression;
  std::copy(f.Masks, f.Masks + 3, b->Masks);
  b->ColorTable = f.Colors;
  if (bits) *bits = b->Storage.data();
  return b;
}

BOOL GetBitmapDimensionEx(HBITMAP bmp, SIZE* size) {
  if (!CheckedHandle<BitmapObject>(bmp, OBJ_BITMAP) || !size) return FALSE;
  *size = {0, 0};
  return TRUE;
}

// ---------------------------------------------------------------- rows in and out
int GetDIBits(HDC dc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* bmi, UINT usage) {
  BitmapObject* b = CheckedHandle<BitmapObject>(bmp, OBJ_BITMAP);
  if (!detail::AsDC(dc) || !b || !bmi || bmi->bmiHeader.biSize < 40) return 0;
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return 0;
  BITMAPINFOHEADER& h = bmi->bmiHeader;
  auto* colorArea = reinterpret_cast<uint8_t*>(bmi) + h.biSize;
  if (h.biBitCount == 0) {
    if (bits) return 0;
    // Describe the bitmap itself; no colour table is written.
    h.biWidth = b->Width;
    h.biHeight = b->TopDown ? -b->Height : b->Height;
    h.biPlanes = 1;
    h.biBitCount = b->BitCount;
    h.biCompression = b->BitCount == 16 || b->Compression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
    h.biSizeImage = DWORD(DibRowBytes(b->Width, b->BitCount)) * DWORD(b->Height);
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    if (h.biCompression == BI_BITFIELDS) {
      Surface s = b->GetSurface();
      uint32_t m[3] = {s.RedMask, s.GreenMask, s.BlueMask};
      std::memcpy(colorArea, m, 12);
    }
    return b->Height;
  }
  if (!ValidBitCount(h.biBitCount)) return 0;
  if (h.biWidth <= 0) h.biWidth = b->Width;
  if (h.biHeight == 0) h.biHeight = b->Height;
  if (h.biHeight == INT32_MIN ||
      (int64_t(h.biWidth) * h.biBitCount + 31) / 32 * 4 * std::abs(int64_t(h.biHeight)) > kMaxBitmapBytes)
    return 0;
  h.biPlanes = 1;
  h.biSizeImage = DWORD(DibRowBytes(h.biWidth, h.biBitCount)) * DWORD(h.biHeight < 0 ? -h.biHeight : h.biHeight);
  Surface src = b->GetSurface();
  // The colour table of the result: the bitmap's own when formats match, else the default one.
  if (h.biBitCount <= 8) {
    std::vector<RGBQUAD> table = (b->BitCount == h.biBitCount && !b->ColorTable.empty())
                                     ? b->ColorTable
                                     : DefaultTable(h.biBitCount);
    table.resize(size_t(1) << h.biBitCount);
    h.biClrUsed = 0;
    if (usage == DIB_RGB_COLORS) {
      std::memcpy(colorArea, table.data(), table.size() * 4);
    } else {
      for (size_t i = 0; i < table.size(); ++i) {
        uint16_t idx = uint16_t(i);
        std::memcpy(colorArea + 2 * i, &idx, 2);
      }
    }
    if (!bits) return b->Height;
    DibFormat f;
    f.Width = h.biWidth;
    f.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    f.TopDown = h.biHeight < 0;
    f.BitCount = h.biBitCount;
    f.Colors = table;
    return CopyScanLines(src, b->Height, f, bits, start, lines);
  }
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return 0;
  if (h.biCompression == BI_BITFIELDS && h.biBitCount != 16 && h.biBitCount != 32) return 0;
  if (!bits) return b->Height;
  DibFormat f;
  if (!ReadFormat(bmi, usage, dc, f)) return 0;
  return CopyScanLines(src, b->Height, f, bits, start, lines);
}

int SetDIBits(HDC dc, HBITMAP bmp, UINT start, UINT lines, const void* bits, const BITMAPINFO* bmi, UINT usage) {
  BitmapObject* b = CheckedHandle<BitmapObject>(bmp, OBJ_BITMAP);
  if ((dc && !detail::AsDC(dc)) || !b || !bits || b->Stock) return 0;
  DibFormat f;
  if (!ReadFormat(bmi, usage, dc, f)) return 0;
  UINT avail = std::min<UINT>(UINT(f.Height), UINT(b->Height));
  UINT n = start >= avail ? 0 : std::min<UINT>(lines, avail - start);
  if (n == 0) return 0;
  Surface src = FormatSurface(f, bits, int32_t(n));
  Surface dst = b->GetSurface();
  bool same = SameFormat(src, dst) && !dst.Monochrome;
  int32_t w = std::min(f.Width, b->Width);
  for (UINT k = 0; k < n; ++k) {
    int32_t scan = int32_t(start + k);
    int32_t drow = f.TopDown ? scan : b->Height - 1 - scan;
    int32_t srow = f.TopDown ? int32_t(k) : int32_t(n - 1 - k);
    CopyRow(src, srow, dst, drow, w, same);
  }
  return int(n);
}

int StretchDIBits(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* bmi, UINT usage, DWORD rop) {
  detail::Ctx c;
  if (!c.Init(dc)) return 0;
  const uint8_t code = uint8_t(rop >> 16);
  if (!detail::RopUsesSource(code)) return PatBlt(dc, x, y, w, h, rop) ? std::abs(sh) : 0;
  DibFormat f;
  if (!bits || !ReadFormat(bmi, usage, dc, f) || w == 0 || h == 0 || sw == 0 || sh == 0) return 0;
  Surface src = FormatSurface(f, bits, f.Height);
  if (sh < 0) {  // keep the source rectangle upright; mirror through the destination instead
    sy += sh;
    sh = -sh;
    y += h;
    h = -h;
  }
  // Bottom-up DIBs count source rows from the bottom edge.
  int32_t top = f.TopDown ? sy : f.Height - sy - sh;
  TPoint p = c.ToSurf({x, y});
  if (!detail::StretchCore(c, p.X, p.Y, w, h, &src, c.Dc->State.BkColor, sx, top, sw, sh, rop & 0x00FFFFFF, nullptr,
                           {}, false, 0, true))
    return 0;
  return sh;
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD w, DWORD h, int sx, int sy, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* bmi, UINT usage) {
  detail::Ctx c;
  if (!c.Init(dc) || !bits || lines == 0) return 0;
  DibFormat f;
  if (!ReadFormat(bmi, usage, dc, f)) return 0;
  if (w > 0x7FFFFFFF || h > 0x7FFFFFFF) return 0;
  UINT n = std::min<UINT>(lines, UINT(f.Height));
  Surface src = FormatSurface(f, bits, int32_t(n));
  int32_t top = f.TopDown ? sy - int32_t(startScan) : int32_t(startScan + n) - sy - int32_t(h);
  TPoint p = c.ToSurf({x, y});
  if (w == 0 || h == 0) return int(n);
  detail::StretchCore(c, p.X, p.Y, int32_t(w), int32_t(h), &src, c.Dc->State.BkColor, sx, top, int32_t(w),
                      int32_t(h), SRCCOPY, nullptr, {}, false, 0, false);
  return int(n);
}

// ---------------------------------------------------------------- colour tables
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* out) {
  DeviceContext* d = detail::AsDC(dc);
  if (!d || !out || !d->IsMemory()) return 0;
  BitmapObject* b = d->State.Bitmap;
  if (!b || !b->IsDib || b->BitCount > 8 || start >= b->ColorTable.size()) return 0;
  UINT n = std::min<UINT>(count, UINT(b->ColorTable.size()) - start);
  std::copy_n(b->ColorTable.begin() + start, n, out);
  return n;
}

UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* in) {
  DeviceContext* d = detail::AsDC(dc);
  if (!d || !in || !d->IsMemory()) return 0;
  BitmapObject* b = d->State.Bitmap;
  if (!b || !b->IsDib || b->BitCount > 8 || start >= (1u << b->BitCount)) return 0;
  UINT n = std::min<UINT>(count, (1u << b->BitCount) - start);
  if (b->ColorTable.size() < start + n) b->ColorTable.resize(start + n);
  std::copy_n(in, n, b->ColorTable.begin() + start);
  return n;
}

}  // namespace win
