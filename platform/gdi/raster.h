// Internal machinery shared by the drawing, blitting and DIB code: raster
// operation evaluation, inks (a pen's or brush's raw values on one surface),
// span painting through the clip, and figure shapes as regions.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/gdi.h"

namespace win {

int NearestIndex(const RGBQUAD* colors, int count, COLORREF c);

namespace detail {

// Whether pixel (x, y) of a hatch brush's 8 x 8 cell is on a line.
bool HatchBit(int style, int x, int y);

constexpr uint32_t DepthMask(int bitCount) {
  return bitCount >= 32 ? 0xFFFFFFFFu : ((1u << bitCount) - 1);
}

// Ternary raster operation on whole words: bit i of code is the result for
// pattern/source/dest bits (i >> 2, (i >> 1) & 1, i & 1).
inline uint32_t Rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
  switch (code) {
    case 0x00: return 0;
    case 0xFF: return ~0u;
    case 0xCC: return s;
    case 0xF0: return p;
    case 0xAA: return d;
    case 0x55: return ~d;
    case 0x33: return ~s;
    case 0x5A: return p ^ d;
    case 0x66: return s ^ d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    default: break;
  }
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i)
    if ((code >> i) & 1) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  return r;
}

// A binary raster operation as the ternary code that ignores the source.
constexpr uint8_t Rop2ToRop3(int rop2) {
  uint32_t t2 = uint32_t(rop2 - 1) & 0xF;
  uint8_t t3 = 0;
  for (int i = 0; i < 8; ++i)
    if ((t2 >> (((i >> 2) << 1) | (i & 1))) & 1) t3 |= uint8_t(1 << i);
  return t3;
}
constexpr bool RopUsesSource(uint8_t c) { return ((c >> 2) ^ c) & 0x33; }
constexpr bool RopUsesPattern(uint8_t c) { return ((c >> 4) ^ c) & 0x0F; }
constexpr bool RopUsesDest(uint8_t c) { return ((c >> 1) ^ c) & 0x55; }

DeviceContext* AsDC(HDC dc);
HBITMAP StockBitmap();  // the 1 x 1 monochrome bitmap of a fresh memory DC
HBRUSH BrushFromArg(HBRUSH b);  // resolves system colour index + 1
void Ref(GdiObject* o, DeviceContext* dc);
void Unref(GdiObject* o);
void RefState(const DCState& s, DeviceContext* dc);
void UnrefState(const DCState& s);

// What a pen or brush puts on one surface: a raw value per pattern pixel, with
// holes (hatch gaps or pen-style gaps in transparent mode) left untouched.
struct Ink {
  bool Null = true;
  bool Solid = false;
  uint32_t Raw = 0;
  int32_t W = 0, H = 0;
  std::vector<uint32_t> Pattern;
  std::vector<uint8_t> Hole;  // 1 = leave the pixel
  bool HasHoles = false;
  TPoint Org;  // surface coordinates of pattern pixel (0,0)

  int32_t Index(int32_t x, int32_t y) const {
    int32_t px = (x - Org.X) % W, py = (y - Org.Y) % H;
    if (px < 0) px += W;
    if (py < 0) py += H;
    return py * W + px;
  }
};

// Surface coordinates are kept within +-(2^30 - 1) so that sums and
// differences of two of them never overflow; anything that far out is off
// every surface anyway.
constexpr int32_t kCoordLimit = (1 << 30) - 1;
constexpr int32_t Sat(int64_t v) {
  return int32_t(v < -kCoordLimit ? -kCoordLimit : (v > kCoordLimit ? kCoordLimit : v));
}

// A drawing call's view of a DC: target surface, effective clip, transform.
struct Ctx {
  DeviceContext* Dc = nullptr;
  Surface S;
  const Region* Clip = nullptr;
  TPoint Off;  // logical + Off = surface

  bool Init(HDC dc);  // false for an invalid handle
  bool Drawable() const { return S.Valid() && Clip && !Clip->IsEmpty(); }
  TPoint ToSurf(TPoint p) const { return {Sat(int64_t(p.X) + Off.X), Sat(int64_t(p.Y) + Off.Y)}; }
  TRect ToSurf(const TRect& r) const {
    return {Sat(int64_t(r.Left) + Off.X), Sat(int64_t(r.Top) + Off.Y), Sat(int64_t(r.Right) + Off.X),
            Sat(int64_t(r.Bottom) + Off.Y)};
  }
  TPoint DevToSurf(TPoint p) const { return {Sat(int64_t(p.X) + Dc->Origin.X), Sat(int64_t(p.Y) + Dc->Origin.Y)}; }
};

Ink BrushInk(const Ctx& c, HBRUSH brush);
Ink SolidInk(const Surface& s, COLORREF color);

// Paints [x0, x1) of surface row y (already clipped) with ink under a ternary code.
void PaintSpan(const Surface& s, int32_t y, int32_t x0, int32_t x1, const Ink& ink, uint8_t rop3);
// Paints a region (surface coordinates) through the clip.
void PaintRegion(const Ctx& c, const Region& rgn, const Ink& ink, uint8_t rop3);
// Paints a rectangle (surface coordinates) through the clip.
void PaintRect(const Ctx& c, const TRect& r, const Ink& ink, uint8_t rop3);

// The blit engine. Destination in surface coordinates (negative w/h or sw/sh
// mirror), source in its surface's coordinates; src null for pattern-only
// operations; rop carries a MaskBlt background code in its top byte when mask
// is given.
BOOL StretchCore(Ctx& d, int32_t x, int32_t y, int32_t w, int32_t h, const Surface* src, COLORREF srcBk,
                 int32_t sx, int32_t sy, int32_t sw, int32_t sh, DWORD rop, const Surface* mask, TPoint maskOrg,
                 bool transparent, COLORREF transColor, bool halftoneAllowed);

// Shapes, in whatever coordinates the inputs are in. With within, only rows
// inside it are built and spans are cut at its sides: drawing code passes the
// clip box widened by a margin so that outlines found by erosion never see the
// cut. Without it rows are limited to +-kShapeRows.
constexpr int32_t kShapeRows = 1 << 16;
Region RoundRectShape(int32_t l, int32_t t, int32_t r, int32_t b, int32_t w, int32_t h,
                      const TRect* within = nullptr);
Region EllipseShape(int32_t l, int32_t t, int32_t r, int32_t b, const TRect* within = nullptr);
Region PolygonShape(const TPoint* pts, const int32_t* counts, int32_t polyCount, int fillMode,
                    const TRect* within = nullptr);

}  // namespace detail
}  // namespace win
