// Icon objects and DrawIconEx.
//
// Drawing composes the icon over a 32-bit copy of the destination area and
// blits the result back, so it works on any target format and through the
// destination's clip.
#include "platform/gdi/icon.h"

#include <algorithm>
#include <memory>

#include "platform/gdi/syscolors.h"

namespace win {

namespace {

struct DCDeleter {
  void operator()(DeviceContext* dc) const { DeleteDC(dc); }
};
using UniqueDC = std::unique_ptr<DeviceContext, DCDeleter>;

struct ObjDeleter {
  void operator()(GdiObject* o) const { DeleteObject(o); }
};

BITMAPINFOHEADER Header32(int w, int h) {
  BITMAPINFOHEADER bi;
  bi.biWidth = w;
  bi.biHeight = -h;  // top row first
  bi.biPlanes = 1;
  bi.biBitCount = 32;
  bi.biCompression = BI_RGB;
  return bi;
}

// The bitmap's pixels as 0xAARRGGBB, top row first; false when unreadable.
bool ReadPixels(HBITMAP bmp, int& w, int& h, std::vector<uint32_t>& out, uint16_t* bitCount = nullptr) {
  BITMAP bm;
  if (GetObject(bmp, sizeof(bm), &bm) != int(sizeof(bm)) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  w = bm.bmWidth;
  h = bm.bmHeight;
  if (bitCount) *bitCount = bm.bmBitsPixel;
  UniqueDC dc(CreateCompatibleDC(nullptr));
  if (!dc) return false;
  BITMAPINFO256 bmi;
  bmi.bmiHeader = Header32(w, h);
  out.assign(size_t(w) * size_t(h), 0);
  return GetDIBits(dc.get(), bmp, 0, UINT(h), out.data(), bmi.get(), DIB_RGB_COLORS) == h;
}

IconObject* AsIcon(HICON icon) { return CheckedHandle<IconObject>(icon, OBJ_ICON_INTERNAL); }

// Windows-style result ordering: white (1) for set mask bits.
bool IsWhite(uint32_t px) { return (px & 0x00FFFFFFu) != 0; }

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
  if (!info || !info->hbmMask) return nullptr;
  int mw = 0, mh = 0;
  std::vector<uint32_t> mask;
  if (!ReadPixels(info->hbmMask, mw, mh, mask)) return nullptr;
  auto icon = std::make_unique<IconObject>();
  icon->IsIcon = info->fIcon != FALSE;
  icon->HotX = int32_t(info->xHotspot);
  icon->HotY = int32_t(info->yHotspot);
  if (info->hbmColor) {
    int cw = 0, ch = 0;
    uint16_t bits = 0;
    if (!ReadPixels(info->hbmColor, cw, ch, icon->Color, &bits)) return nullptr;
    icon->Width = cw;
    icon->Height = ch;
    icon->And.assign(size_t(cw) * size_t(ch), 1);
    for (int y = 0; y < std::min(ch, mh); ++y)
      for (int x = 0; x < std::min(cw, mw); ++x)
        icon->And[size_t(y) * size_t(cw) + size_t(x)] = IsWhite(mask[size_t(y) * size_t(mw) + size_t(x)]) ? 1 : 0;
    if (bits == 32)
      icon->HasAlpha = std::any_of(icon->Color.begin(), icon->Color.end(), [](uint32_t p) { return (p >> 24) != 0; });
    if (!icon->HasAlpha)
      for (uint32_t& p : icon->Color) p &= 0x00FFFFFFu;
  } else {
    // Monochrome: the upper half is the AND mask, the lower half the XOR image.
    if (mh < 2) return nullptr;
    icon->Monochrome = true;
    icon->Width = mw;
    icon->Height = mh / 2;
    const size_t n = size_t(mw) * size_t(icon->Height);
    icon->And.resize(n);
    icon->Color.resize(n);
    for (size_t i = 0; i < n; ++i) {
      icon->And[i] = IsWhite(mask[i]) ? 1 : 0;
      icon->Color[i] = IsWhite(mask[i + n]) ? 0x00FFFFFFu : 0;
    }
  }
  return icon.release();
}

HICON CreateIconFromPixels(int width, int height, const uint32_t* bgra, const uint8_t* andMask) {
  if (width <= 0 || height <= 0 || !bgra) return nullptr;
  auto icon = std::make_unique<IconObject>();
  icon->Width = width;
  icon->Height = height;
  const size_t n = size_t(width) * size_t(height);
  icon->Color.assign(bgra, bgra + n);
  icon->HasAlpha = std::any_of(icon->Color.begin(), icon->Color.end(), [](uint32_t p) { return (p >> 24) != 0; });
  icon->And.resize(n);
  for (size_t i = 0; i < n; ++i)
    icon->And[i] = andMask ? (andMask[i] ? 1 : 0) : (icon->HasAlpha && (icon->Color[i] >> 24) == 0 ? 1 : 0);
  if (!icon->HasAlpha)
    for (uint32_t& p : icon->Color) p &= 0x00FFFFFFu;
  return icon.release();
}

HICON CopyIcon(HICON icon) {
  IconObject* src = AsIcon(icon);
  if (!src) return nullptr;
  auto copy = std::make_unique<IconObject>();
  copy->IsIcon = src->IsIcon;
  copy->HotX = src->HotX;
  copy->HotY = src->HotY;
  copy->Width = src->Width;
  copy->Height = src->Height;
  copy->Color = src->Color;
  copy->And = src->And;
  copy->HasAlpha = src->HasAlpha;
  copy->Monochrome = src->Monochrome;
  return copy.release();
}

BOOL DestroyIcon(HICON icon) {
  IconObject* ic = AsIcon(icon);
  if (!ic) return FALSE;
  delete ic;
  return TRUE;
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
  IconObject* ic = AsIcon(icon);
  if (!ic || !info) return FALSE;
  const int w = ic->Width, h = ic->Height;
  const int maskH = ic->Monochrome ? 2 * h : h;
  const int rowBytes = DdbRowBytes(w, 1);
  std::vector<uint8_t> mask(size_t(rowBytes) * size_t(maskH), 0);
  auto setBit = [&](int x, int y) { mask[size_t(y) * size_t(rowBytes) + size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7)); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t i = size_t(y) * size_t(w) + size_t(x);
      if (ic->And[i]) setBit(x, y);
      if (ic->Monochrome && IsWhite(ic->Color[i])) setBit(x, y + h);
    }
  std::unique_ptr<GdiObject, ObjDeleter> maskBmp(CreateBitmap(w, maskH, 1, 1, mask.data()));
  if (!maskBmp) return FALSE;
  HBITMAP color = nullptr;
  if (!ic->Monochrome) {
    color = CreateBitmap(w, h, 1, 32, ic->Color.data());
    if (!color) return FALSE;
  }
  info->fIcon = ic->IsIcon ? TRUE : FALSE;
  info->xHotspot = DWORD(ic->IsIcon ? w / 2 : ic->HotX);
  info->yHotspot = DWORD(ic->IsIcon ? h / 2 : ic->HotY);
  info->hbmMask = static_cast<HBITMAP>(maskBmp.release());
  info->hbmColor = color;
  return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT /*step*/, HBRUSH flickerFree, UINT flags) {
  IconObject* ic = AsIcon(icon);
  if (!ic || !GetDCState(dc) || !(flags & DI_NORMAL)) return FALSE;
  const int w = cx > 0 ? cx : ((flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : ic->Width);
  const int h = cy > 0 ? cy : ((flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : ic->Height);
  if (w <= 0 || h <= 0 || ic->Width <= 0 || ic->Height <= 0) return TRUE;

  UniqueDC mem(CreateCompatibleDC(dc));
  if (!mem) return FALSE;
  BITMAPINFO256 bmi;
  bmi.bmiHeader = Header32(w, h);
  void* bits = nullptr;
  std::unique_ptr<GdiObject, ObjDeleter> dib(CreateDIBSection(mem.get(), bmi.get(), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return FALSE;
  HGDIOBJ old = SelectObject(mem.get(), dib.get());
  if (flickerFree) {
    const RECT all{0, 0, w, h};
    FillRect(mem.get(), &all, flickerFree);
  } else {
    BitBlt(mem.get(), 0, 0, w, h, dc, x, y, SRCCOPY);
  }

  auto* px = static_cast<uint32_t*>(bits);
  const bool useMask = (flags & DI_MASK) != 0, useImage = (flags & DI_IMAGE) != 0;
  for (int j = 0; j < h; ++j) {
    const int sy = int(int64_t(j) * ic->Height / h);
    uint32_t* row = px + size_t(j) * size_t(w);
    for (int i = 0; i < w; ++i) {
      const int sx = int(int64_t(i) * ic->Width / w);
      const size_t s = size_t(sy) * size_t(ic->Width) + size_t(sx);
      const uint32_t src = ic->Color[s];
      uint32_t& d = row[i];
      if (useMask && useImage && ic->HasAlpha) {
        const uint32_t a = src >> 24;
        uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
          const uint32_t sc = (src >> shift) & 0xFF, dc8 = (d >> shift) & 0xFF;
          out |= ((sc * a + dc8 * (255 - a) + 127) / 255) << shift;
        }
        const uint32_t da = d >> 24;
        out |= (a + (da * (255 - a) + 127) / 255) << 24;
        d = out;
      } else if (useMask && useImage) {
        d = (ic->And[s] ? d : 0u) ^ src;
      } else if (useMask) {
        d = ic->And[s] ? d : 0u;
      } else {
        d = src;
      }
    }
  }
  BitBlt(dc, x, y, w, h, mem.get(), 0, 0, SRCCOPY);
  SelectObject(mem.get(), old);
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

}  // namespace win
