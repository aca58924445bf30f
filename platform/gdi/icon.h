// Icon objects: a colour image with an AND mask (or a 32-bit image with
// per-pixel alpha), made from bitmaps and drawn with DrawIconEx.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/gdi.h"

namespace win {

struct ICONINFO {
  BOOL fIcon = TRUE;  // FALSE: a cursor with a hot spot
  DWORD xHotspot = 0;
  DWORD yHotspot = 0;
  HBITMAP hbmMask = nullptr;   // 1 keeps the destination; twice the height for monochrome icons
  HBITMAP hbmColor = nullptr;  // null for monochrome icons (the mask's lower half is the XOR image)
};

constexpr UINT DI_MASK = 0x0001, DI_IMAGE = 0x0002, DI_NORMAL = 0x0003, DI_COMPAT = 0x0004,
               DI_DEFAULTSIZE = 0x0008, DI_NOMIRROR = 0x0010;

// The object behind an HICON. Pixels are copies made at creation: the bitmaps
// passed to CreateIconIndirect stay the caller's.
struct IconObject : GdiObject {
  IconObject() : GdiObject(OBJ_ICON_INTERNAL) {}
  bool IsIcon = true;
  int32_t HotX = 0, HotY = 0;
  int32_t Width = 0, Height = 0;
  std::vector<uint32_t> Color;  // 0xAARRGGBB, top row first; for monochrome icons the XOR image in black/white
  std::vector<uint8_t> And;     // 1 = transparent (keep the destination), top row first
  bool HasAlpha = false;        // a 32-bit image with some non-zero alpha: drawn by blending
  bool Monochrome = false;
};

HICON CreateIconIndirect(const ICONINFO* info);
// An icon from 32-bit pixels (0xAARRGGBB, top row first) and an optional AND
// mask (one byte per pixel, non-zero = transparent); without a mask, pixels
// with alpha 0 are transparent when any alpha is set.
HICON CreateIconFromPixels(int width, int height, const uint32_t* bgra, const uint8_t* andMask);
HICON CopyIcon(HICON icon);
BOOL DestroyIcon(HICON icon);
inline BOOL DestroyCursor(HCURSOR cursor) { return DestroyIcon(cursor); }
// New bitmaps describing the icon (the caller deletes them): a 32-bit colour
// bitmap (none for monochrome icons) and a 1-bit mask.
BOOL GetIconInfo(HICON icon, ICONINFO* info);

// Draws the icon at (x, y) scaled (nearest pixel) to cx x cy; 0 takes the
// icon's size, or the system icon size with DI_DEFAULTSIZE. DI_NORMAL blends a
// 32-bit alpha image, or applies AND mask then XOR image; DI_MASK alone only
// the mask, DI_IMAGE alone copies the image. With a brush the area is first
// filled with it instead of taken from the destination.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flickerFree, UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

}  // namespace win
