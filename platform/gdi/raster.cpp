// Inks and span painting: the one place where pens, brushes and raster
// operations meet pixels. Also the pixel helpers offered to the text code.
#include "platform/gdi/raster.h"

#include <algorithm>
#include <cstring>

namespace win {
namespace detail {

// The six hatch cells, 8 x 8, lines in the brush colour:
//   horizontal: row 7      vertical: column 7
//   fdiagonal "\": x == y  bdiagonal "/": x + y == 7
//   cross: row 7 and column 7      diagcross: both diagonals
bool HatchBit(int style, int x, int y) {
  switch (style) {
    case HS_HORIZONTAL: return y == 7;
    case HS_VERTICAL: return x == 7;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 7 || y == 7;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
  }
}

Ink SolidInk(const Surface& s, COLORREF color) {
  Ink k;
  k.Null = false;
  k.Solid = true;
  k.Raw = ColorToRaw(s, color);
  return k;
}

Ink BrushInk(const Ctx& c, HBRUSH brush) {
  Ink k;
  BrushObject* b = CheckedHandle<BrushObject>(brush, OBJ_BRUSH);
  if (!b) return k;
  const DCState& st = c.Dc->State;
  if (b == GetStockObject(DC_BRUSH)) return SolidInk(c.S, st.DCBrushColor);
  k.Org = c.DevToSurf(st.BrushOrg);
  switch (b->Style) {
    case BS_SOLID: return SolidInk(c.S, b->Color);
    case BS_HATCHED: {
      k.Null = false;
      k.W = k.H = 8;
      uint32_t fg = ColorToRaw(c.S, b->Color), bg = ColorToRaw(c.S, st.BkColor);
      bool transparent = st.BkMode == TRANSPARENT;
      k.Pattern.resize(64);
      k.Hole.resize(64);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          bool on = HatchBit(b->Hatch, x, y);
          k.Pattern[size_t(y * 8 + x)] = on ? fg : bg;
          k.Hole[size_t(y * 8 + x)] = !on && transparent;
        }
      k.HasHoles = transparent;
      return k;
    }
    case BS_PATTERN:
    case BS_DIBPATTERNPT: {
      if (b->PatternWidth <= 0 || b->PatternHeight <= 0) return k;
      k.Null = false;
      k.W = b->PatternWidth;
      k.H = b->PatternHeight;
      size_t n = size_t(k.W) * size_t(k.H);
      k.Pattern.resize(n);
      k.Hole.assign(n, 0);
      if (b->PatternMono) {
        uint32_t fg = ColorToRaw(c.S, st.TextColor), bg = ColorToRaw(c.S, st.BkColor);
        for (size_t i = 0; i < n; ++i) k.Pattern[i] = b->PatternBits[i] ? bg : fg;
      } else {
        for (size_t i = 0; i < n; ++i) k.Pattern[i] = ColorToRaw(c.S, b->PatternColors[i]);
      }
      return k;
    }
    default: return k;  // BS_NULL
  }
}

void PaintSpan(const Surface& s, int32_t y, int32_t x0, int32_t x1, const Ink& ink, uint8_t code) {
  if (x0 >= x1) return;
  const bool usesP = RopUsesPattern(code);
  if (usesP && ink.Null) return;
  const bool solid = !usesP || ink.Solid;
  const uint32_t p0 = solid ? ink.Raw : 0;
  const uint32_t mask = DepthMask(s.BitCount);
  if (s.BitCount == 32) {
    auto* row = reinterpret_cast<uint32_t*>(s.Row(y));  // rows of 32-bit surfaces are 4-aligned
    if (solid) {
      if (code == 0xF0) std::fill(row + x0, row + x1, p0);
      else if (code == 0x00) std::fill(row + x0, row + x1, 0u);
      else if (code == 0xFF) std::fill(row + x0, row + x1, ~0u);
      else
        for (int32_t x = x0; x < x1; ++x) row[x] = Rop3(code, p0, 0, row[x]);
      return;
    }
    int32_t base = ((y - ink.Org.Y) % ink.H + ink.H) % ink.H * ink.W;
    int32_t px = ((x0 - ink.Org.X) % ink.W + ink.W) % ink.W;
    for (int32_t x = x0; x < x1; ++x) {
      size_t i = size_t(base + px);
      if (!ink.HasHoles || !ink.Hole[i]) row[x] = Rop3(code, ink.Pattern[i], 0, row[x]);
      if (++px == ink.W) px = 0;
    }
    return;
  }
  for (int32_t x = x0; x < x1; ++x) {
    uint32_t p = p0;
    if (!solid) {
      size_t i = size_t(ink.Index(x, y));
      if (ink.HasHoles && ink.Hole[i]) continue;
      p = ink.Pattern[i];
    }
    uint32_t d = RopUsesDest(code) ? ReadRaw(s, x, y) : 0;
    WriteRaw(s, x, y, Rop3(code, p, 0, d) & mask);
  }
}

void PaintRect(const Ctx& c, const TRect& r, const Ink& ink, uint8_t code) {
  if (!c.Drawable() || r.IsEmpty()) return;
  for (const Region::Band& b : c.Clip->Bands()) {
    if (b.Bottom <= r.Top) continue;
    if (b.Top >= r.Bottom) break;
    int32_t y0 = std::max(b.Top, r.Top), y1 = std::min(b.Bottom, r.Bottom);
    for (size_t i = 0; i < b.Xs.size(); i += 2) {
      int32_t x0 = std::max(b.Xs[i], r.Left), x1 = std::min(b.Xs[i + 1], r.Right);
      if (x0 >= x1) continue;
      for (int32_t y = y0; y < y1; ++y) PaintSpan(c.S, y, x0, x1, ink, code);
    }
  }
}

void PaintRegion(const Ctx& c, const Region& rgn, const Ink& ink, uint8_t code) {
  if (!c.Drawable() || rgn.IsEmpty()) return;
  Region vis = Region::Combine(rgn, *c.Clip, Region::Op::And);
  for (const Region::Band& b : vis.Bands())
    for (int32_t y = b.Top; y < b.Bottom; ++y)
      for (size_t i = 0; i < b.Xs.size(); i += 2) PaintSpan(c.S, y, b.Xs[i], b.Xs[i + 1], ink, code);
}

}  // namespace detail

// ---------------------------------------------------------------- helpers for the text code
namespace {

bool InExtra(const RECT* extra, int x, int y) {
  return !extra || (x >= extra->Left && x < extra->Right && y >= extra->Top && y < extra->Bottom);
}

// Clips device span [x, x + count) of row y against extraClip and the DC clip
// and calls f(surfaceX0, surfaceX1, surfaceY, offsetIntoSpan).
template <class F>
void ForVisible(const detail::Ctx& c, int x, int y, int count, const RECT* extra, F&& f) {
  if (!c.Drawable() || count <= 0) return;
  int x0 = x, x1 = x + count;
  if (extra) {
    if (y < extra->Top || y >= extra->Bottom) return;
    x0 = std::max(x0, extra->Left);
    x1 = std::min(x1, extra->Right);
    if (x0 >= x1) return;
  }
  TPoint o = c.Dc->Origin;
  c.Clip->ClipSpan(y + o.Y, x0 + o.X, x1 + o.X, [&](int32_t a, int32_t b) { f(a, b, y + o.Y, a - o.X - x); });
}

}  // namespace

BOOL DCPutPixel(HDC dc, int x, int y, COLORREF color, const RECT* extraClip) {
  detail::Ctx c;
  if (!c.Init(dc)) return FALSE;
  if (!InExtra(extraClip, x, y)) return TRUE;
  TPoint p = c.DevToSurf({x, y});
  if (!c.Drawable() || !c.Clip->Contains(p.X, p.Y)) return TRUE;
  uint8_t code = detail::Rop2ToRop3(c.Dc->State.Rop2);
  uint32_t d = ReadRaw(c.S, p.X, p.Y);
  WriteRaw(c.S, p.X, p.Y, detail::Rop3(code, ColorToRaw(c.S, color), 0, d) & detail::DepthMask(c.S.BitCount));
  return TRUE;
}

BOOL DCFillSolid(HDC dc, const RECT& r, COLORREF color, const RECT* extraClip) {
  detail::Ctx c;
  if (!c.Init(dc)) return FALSE;
  TRect box = r;
  if (extraClip && !IntersectRect(box, box, *extraClip)) return TRUE;
  box.Offset(c.Dc->Origin.X, c.Dc->Origin.Y);
  detail::PaintRect(c, box, detail::SolidInk(c.S, color), 0xF0);
  return TRUE;
}

BOOL DCBlendSpan(HDC dc, int x, int y, const uint8_t* coverage, int count, COLORREF color,
                 const RECT* extraClip) {
  detail::Ctx c;
  if (!c.Init(dc) || (!coverage && count > 0)) return FALSE;
  const int cr = GetRValue(color), cg = GetGValue(color), cb = GetBValue(color);
  const uint32_t solid = ColorToRaw(c.S, color);
  ForVisible(c, x, y, count, extraClip, [&](int32_t a, int32_t b, int32_t sy, int32_t off) {
    const uint8_t* cov = coverage + off;
    if (c.S.IsBGRA32()) {
      auto* row = reinterpret_cast<uint32_t*>(c.S.Row(sy));
      for (int32_t px = a; px < b; ++px, ++cov) {
        uint32_t k = *cov;
        if (!k) continue;
        if (k == 255) {
          row[px] = solid;
          continue;
        }
        uint32_t d = row[px];
        auto mix = [k](int dst, int src) { return uint32_t(dst + ((src - dst) * int(k) + (src > dst ? 127 : -127)) / 255); };
        row[px] = mix(int(d & 0xFF), cb) | (mix(int((d >> 8) & 0xFF), cg) << 8) | (mix(int((d >> 16) & 0xFF), cr) << 16);
      }
      return;
    }
    for (int32_t px = a; px < b; ++px, ++cov) {
      uint32_t k = *cov;
      if (!k) continue;
      if (c.S.BitCount == 1) {
        if (k >= 128) WriteRaw(c.S, px, sy, solid);
        continue;
      }
      COLORREF d = RawToColor(c.S, ReadRaw(c.S, px, sy));
      auto mix = [k](int dst, int src) { return uint8_t(dst + ((src - dst) * int(k) + (src > dst ? 127 : -127)) / 255); };
      COLORREF m = RGB(mix(GetRValue(d), cr), mix(GetGValue(d), cg), mix(GetBValue(d), cb));
      WriteRaw(c.S, px, sy, ColorToRaw(c.S, m));
    }
  });
  return TRUE;
}

BOOL DCBlendMask(HDC dc, int x, int y, const uint8_t* mask, int w, int h, ptrdiff_t pitch, COLORREF color,
                 const RECT* extraClip) {
  if (!detail::AsDC(dc) || w < 0 || h < 0 || (!mask && w > 0 && h > 0)) return FALSE;
  for (int j = 0; j < h; ++j) DCBlendSpan(dc, x, y + j, mask + j * pitch, w, color, extraClip);
  return TRUE;
}

}  // namespace win
