// Blits: PatBlt, BitBlt, StretchBlt, MaskBlt, TransparentBlt, AlphaBlend and
// GradientFill, all through one engine that maps destination columns and
// rows to source columns and rows by precomputed tables.
//
// Source pixels are first converted to the destination's raw format; then the
// ternary raster operation combines them with the brush pattern and the
// destination. Copies between equal formats with SRCCOPY skip all of that and
// move whole rows (memcpy) or gather through the column table.
//
// Monochrome device bitmaps follow the platform's colour rules: a 0 bit becomes
// the destination DC's text colour and a 1 bit its background colour; copying
// colour to monochrome gives 1 where the source pixel equals the source DC's
// background colour and 0 elsewhere.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"

namespace win {

using detail::Ctx;
using detail::Ink;

namespace detail {

struct Conv {
  enum Kind { Same, Pass24, Lut, ToMono, Generic } kind = Generic;
  const Surface* src = nullptr;
  const Surface* dst = nullptr;
  std::vector<uint32_t> lut;
  COLORREF srcBk = 0, monoFg = 0, monoBg = 0;

  void Init(const Surface& s, const Surface& d, COLORREF sourceBk, COLORREF dstText, COLORREF dstBk) {
    src = &s;
    dst = &d;
    srcBk = sourceBk & 0x00FFFFFF;
    monoFg = dstText;
    monoBg = dstBk;
    if (s.Monochrome && d.Monochrome) {
      kind = Same;
      return;
    }
    if (s.BitCount <= 8) {
      kind = Lut;
      lut.resize(size_t(1) << s.BitCount);
      for (size_t i = 0; i < lut.size(); ++i) lut[i] = ToDst(Color(uint32_t(i)));
      if (!d.Monochrome && s.BitCount == d.BitCount && !s.Monochrome && s.ColorCount == d.ColorCount &&
          std::equal(s.Colors, s.Colors + s.ColorCount, d.Colors))
        kind = Same;
      return;
    }
    if (d.Monochrome) kind = ToMono;
    else if (s.BitCount == d.BitCount && (s.BitCount == 24 || (s.RedMask == d.RedMask && s.GreenMask == d.GreenMask &&
                                                               s.BlueMask == d.BlueMask)))
      kind = Same;
    else if ((s.BitCount == 24 && d.IsBGRA32()) || (s.IsBGRA32() && d.BitCount == 24)) kind = Pass24;
    else kind = Generic;
  }

  // The colour a source pixel shows on the destination.
  COLORREF Color(uint32_t raw) const {
    if (src->Monochrome) return (raw & 1) ? monoBg : monoFg;
    return RawToColor(*src, raw);
  }
  uint32_t ToDst(COLORREF c) const {
    if (dst->Monochrome) {
      if (src->Monochrome) return c == monoBg ? 1 : 0;
      return (c & 0x00FFFFFF) == srcBk ? 1 : 0;
    }
    return ColorToRaw(*dst, c);
  }
  uint32_t Convert(uint32_t raw) const {
    switch (kind) {
      case Same:
      case Pass24: return raw;
      case Lut: return lut[raw];
      default: return ToDst(RawToColor(*src, raw));
    }
  }

  // Converted source pixels for n destination columns from source row sy.
  void Row(int32_t sy, const int32_t* cols, int32_t n, uint32_t* out) const {
    const uint8_t* row = src->Row(sy);
    if (src->BitCount == 32) {
      const auto* p = reinterpret_cast<const uint32_t*>(row);
      if (kind == Same || kind == Pass24)
        for (int32_t i = 0; i < n; ++i) out[i] = p[cols[i]];
      else
        for (int32_t i = 0; i < n; ++i) out[i] = Convert(p[cols[i]]);
      return;
    }
    if (src->BitCount == 24 && (kind == Same || kind == Pass24)) {
      for (int32_t i = 0; i < n; ++i) {
        const uint8_t* q = row + 3 * cols[i];
        out[i] = uint32_t(q[0]) | (uint32_t(q[1]) << 8) | (uint32_t(q[2]) << 16);
      }
      return;
    }
    uint32_t lastIn = 0, lastOut = 0;
    bool have = false;
    for (int32_t i = 0; i < n; ++i) {
      uint32_t raw = ReadRaw(*src, cols[i], sy);
      if (kind == Generic || kind == ToMono) {
        if (!have || raw != lastIn) {
          lastIn = raw;
          lastOut = Convert(raw);
          have = true;
        }
        out[i] = lastOut;
      } else {
        out[i] = Convert(raw);
      }
    }
  }
};

namespace {

// Destination index i of n maps to source index of the pixel whose centre is
// nearest to where i's centre lands: floor((2i + 1) * sn / (2n)). Tables cover
// destination indices [from, to) only: the part that can be visible.
std::vector<int32_t> NearestTable(int32_t n, int32_t s0, int32_t sn, bool mirror, int32_t from, int32_t to) {
  std::vector<int32_t> t(static_cast<size_t>(to - from));
  for (int32_t i = from; i < to; ++i) {
    int64_t k = (int64_t(2 * int64_t(i) + 1) * sn) / (2 * int64_t(n));
    t[size_t(i - from)] = int32_t(mirror ? int64_t(s0) + sn - 1 - k : int64_t(s0) + k);
  }
  return t;
}

// Area weights for averaging: destination i covers source [f*sn/n, (f+1)*sn/n)
// with f = i, or n - 1 - i when mirrored.
struct Weights {
  std::vector<int32_t> first;  // first source index per destination index
  std::vector<std::vector<float>> w;
};
Weights AreaWeights(int32_t n, int32_t sn, bool mirror, int32_t from, int32_t to) {
  Weights r;
  r.first.resize(size_t(to - from));
  r.w.resize(size_t(to - from));
  double scale = double(sn) / n;
  for (int32_t i = from; i < to; ++i) {
    int32_t f = mirror ? n - 1 - i : i;
    double a = f * scale, b = (f + 1) * scale;
    int32_t k0 = int32_t(std::floor(a)), k1 = std::min(sn, int32_t(std::ceil(b)));
    r.first[size_t(i - from)] = k0;
    for (int32_t k = k0; k < k1; ++k) {
      double o = std::min<double>(k + 1, b) - std::max<double>(k, a);
      r.w[size_t(i - from)].push_back(float(std::max(0.0, o) / (b - a)));
    }
  }
  return r;
}

}  // namespace

// Everything one blit needs, in surface coordinates.
struct Job {
  Ctx* d = nullptr;
  TRect dr;                    // normalised destination rectangle
  const Surface* s = nullptr;  // null for pattern-only operations
  std::vector<int32_t> cols, rows;
  Conv conv;
  uint8_t code = 0xCC;
  uint8_t backCode = 0xCC;  // MaskBlt: where the mask is 0
  const Surface* mask = nullptr;
  TPoint maskOrg;           // mask pixel of destination (dr.Left, dr.Top)
  bool transparent = false;
  COLORREF transColor = 0;
  Ink pat;
};

namespace {

void RunJob(Job& j) {
  Ctx& c = *j.d;
  if (!c.Drawable() || j.dr.IsEmpty()) return;
  const Surface& D = c.S;
  const uint32_t depth = DepthMask(D.BitCount);
  const bool usesS = j.s && (RopUsesSource(j.code) || (j.mask && RopUsesSource(j.backCode)));
  const bool plainCopy = j.s && j.code == 0xCC && !j.mask && !j.transparent && D.BitCount == 32 &&
                         (j.conv.kind == Conv::Same || j.conv.kind == Conv::Pass24);
  std::vector<uint32_t> sbuf(size_t(j.dr.Width()));
  for (const Region::Band& b : c.Clip->Bands()) {
    if (b.Bottom <= j.dr.Top) continue;
    if (b.Top >= j.dr.Bottom) break;
    int32_t y0 = std::max(b.Top, j.dr.Top), y1 = std::min(b.Bottom, j.dr.Bottom);
    for (size_t k = 0; k < b.Xs.size(); k += 2) {
      int32_t x0 = std::max(b.Xs[k], j.dr.Left), x1 = std::min(b.Xs[k + 1], j.dr.Right);
      if (x0 >= x1) continue;
      const int32_t ci = x0 - j.dr.Left, n = x1 - x0;
      const int32_t* cols = j.s ? j.cols.data() + ci : nullptr;
      const bool contiguous = j.s && cols[n - 1] - cols[0] == n - 1;
      for (int32_t y = y0; y < y1; ++y) {
        const int32_t sy = j.s ? j.rows[size_t(y - j.dr.Top)] : 0;
        if (plainCopy) {
          auto* drow = reinterpret_cast<uint32_t*>(D.Row(y)) + x0;
          if (j.s->BitCount == 32 && contiguous) {
            std::memcpy(drow, reinterpret_cast<const uint32_t*>(j.s->Row(sy)) + cols[0], size_t(n) * 4);
          } else {
            j.conv.Row(sy, cols, n, drow);
          }
          continue;
        }
        if (usesS || j.transparent) j.conv.Row(sy, cols, n, sbuf.data());
        for (int32_t i = 0; i < n; ++i) {
          const int32_t x = x0 + i;
          uint8_t code = j.code;
          if (j.mask) {
            int32_t mx = j.maskOrg.X + (x - j.dr.Left), my = j.maskOrg.Y + (y - j.dr.Top);
            bool on = mx >= 0 && my >= 0 && mx < j.mask->Width && my < j.mask->Height && ReadRaw(*j.mask, mx, my);
            code = on ? j.code : j.backCode;
          }
          uint32_t sv = 0;
          if (usesS || j.transparent) {
            if (j.transparent) {
              uint32_t raw = ReadRaw(*j.s, cols[i], sy);
              if ((j.conv.Color(raw) & 0x00FFFFFF) == (j.transColor & 0x00FFFFFF)) continue;
            }
            sv = sbuf[size_t(i)];
          }
          uint32_t pv = 0;
          if (RopUsesPattern(code)) {
            if (j.pat.Null) continue;
            if (j.pat.Solid) {
              pv = j.pat.Raw;
            } else {
              size_t pi = size_t(j.pat.Index(x, y));
              if (j.pat.HasHoles && j.pat.Hole[pi]) continue;
              pv = j.pat.Pattern[pi];
            }
          }
          uint32_t dv = RopUsesDest(code) ? ReadRaw(D, x, y) : 0;
          WriteRaw(D, x, y, Rop3(code, pv, sv, dv) & depth);
        }
      }
    }
  }
}

// A private copy of a source rectangle, for blits whose source and
// destination share pixels.
struct Snapshot {
  std::vector<uint8_t> bytes;
  Surface s;
  TPoint org;  // source surface coordinates of the copy's (0,0)
};

void TakeSnapshot(const Surface& src, const TRect& r, Snapshot& out) {
  out.s = src;
  int32_t rowBytes = DibRowBytes(r.Width(), src.BitCount) + 4;
  out.bytes.assign(size_t(rowBytes) * size_t(r.Height()), 0);
  out.s.Bits = out.bytes.data();
  out.s.Stride = rowBytes;
  out.s.Width = r.Width();
  out.s.Height = r.Height();
  for (int32_t y = 0; y < r.Height(); ++y)
    for (int32_t x = 0; x < r.Width(); ++x) WriteRaw(out.s, x, y, ReadRaw(src, r.Left + x, r.Top + y));
  out.org = r.TopLeft();
}

}  // namespace

// Halftone: the source averaged over each destination pixel's footprint, as
// colours with alpha, into a 32-bit buffer covering destination columns
// [c0, c1) and rows [r0, r1) of a w x h stretch.
void HalftoneStretch(const Surface& src, const Conv& conv, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                     int32_t w, int32_t h, bool mirrorX, bool mirrorY, int32_t c0, int32_t c1, int32_t r0,
                     int32_t r1, std::vector<uint32_t>& out) {
  Weights wx = AreaWeights(w, sw, mirrorX, c0, c1), wy = AreaWeights(h, sh, mirrorY, r0, r1);
  const int32_t ow = c1 - c0, oh = r1 - r0;
  out.assign(size_t(ow) * size_t(oh), 0);
  std::vector<float> acc(size_t(ow) * 4), hrow(size_t(ow) * 4), srow(size_t(sw) * 4);
  auto loadRow = [&](int32_t k) {
    for (int32_t x = 0; x < sw; ++x) {
      uint32_t raw = ReadRaw(src, sx + x, sy + k);
      COLORREF c = conv.Color(raw);
      float* p = &srow[size_t(x) * 4];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
      p[3] = src.BitCount == 32 ? float(raw >> 24) : 0.f;
    }
    for (int32_t i = 0; i < ow; ++i) {
      float* q = &hrow[size_t(i) * 4];
      q[0] = q[1] = q[2] = q[3] = 0;
      const auto& ws = wx.w[size_t(i)];
      for (size_t t = 0; t < ws.size(); ++t) {
        const float* p = &srow[size_t(wx.first[size_t(i)] + int32_t(t)) * 4];
        for (int ch = 0; ch < 4; ++ch) q[ch] += p[ch] * ws[t];
      }
    }
  };
  int32_t loaded = -1;
  for (int32_t j = 0; j < oh; ++j) {
    std::fill(acc.begin(), acc.end(), 0.f);
    const auto& ws = wy.w[size_t(j)];
    for (size_t t = 0; t < ws.size(); ++t) {
      int32_t k = wy.first[size_t(j)] + int32_t(t);
      if (k != loaded) {
        loadRow(k);
        loaded = k;
      }
      for (size_t q = 0; q < acc.size(); ++q) acc[q] += hrow[q] * ws[t];
    }
    for (int32_t i = 0; i < ow; ++i) {
      const float* a = &acc[size_t(i) * 4];
      auto ch = [](float v) { return uint32_t(std::clamp(int(v + 0.5f), 0, 255)); };
      out[size_t(j) * size_t(ow) + size_t(i)] = ch(a[0]) | (ch(a[1]) << 8) | (ch(a[2]) << 16) | (ch(a[3]) << 24);
    }
  }
}

// The common blit: destination rectangle in surface coordinates (signs of w/h
// and sw/sh give mirroring), source rectangle in source surface coordinates.
BOOL StretchCore(Ctx& d, int32_t x, int32_t y, int32_t w, int32_t h, const Surface* src, COLORREF srcBk,
                 int32_t sx, int32_t sy, int32_t sw, int32_t sh, DWORD rop, const Surface* mask, TPoint maskOrg,
                 bool transparent, COLORREF transColor, bool halftoneAllowed) {
  Job j;
  j.d = &d;
  j.code = uint8_t(rop >> 16);
  j.backCode = uint8_t(rop >> 24);
  if (!mask) j.backCode = j.code;
  bool mirrorX = false, mirrorY = false;
  // Normalise in 64 bits: extents may be anything an int holds.
  auto normalise = [](int32_t& pos, int32_t& ext, bool& mirror) {
    int64_t p = pos, e = ext;
    if (e < 0) {
      p += e;
      e = -e;
      mirror = !mirror;
    }
    pos = Sat(p);
    ext = int32_t(Sat(p + e) - pos);
  };
  normalise(x, w, mirrorX);
  normalise(y, h, mirrorY);
  j.dr = {x, y, x + w, y + h};
  if (RopUsesPattern(j.code) || (mask && RopUsesPattern(j.backCode))) j.pat = BrushInk(d, d.Dc->State.Brush);
  TRect vis;
  if (!d.Drawable() || w == 0 || h == 0 || !IntersectRect(vis, j.dr, d.Clip->Bounds())) return TRUE;
  if (!src) {
    j.dr = vis;
    RunJob(j);
    return TRUE;
  }
  normalise(sx, sw, mirrorX);
  normalise(sy, sh, mirrorY);
  if (sw == 0 || sh == 0) return FALSE;
  Snapshot snap;
  if (src->Bits == d.S.Bits || (src->Bits && d.S.Bits && src->Row(0) == d.S.Row(0))) {
    TRect sr{sx, sy, Sat(int64_t(sx) + sw), Sat(int64_t(sy) + sh)};
    if (!IntersectRect(sr, sr, {0, 0, src->Width, src->Height})) return TRUE;
    TakeSnapshot(*src, sr, snap);
    // Source coordinates now count from the copy; pixels outside it are dropped below.
    sx -= snap.org.X;
    sy -= snap.org.Y;
    src = &snap.s;
  }
  j.conv.Init(*src, d.S, srcBk, d.Dc->State.TextColor, d.Dc->State.BkColor);
  j.s = src;
  j.mask = mask;
  j.transparent = transparent;
  j.transColor = transColor;
  // Only destination columns [c0, c1) and rows [r0, r1) can show.
  int32_t c0 = vis.Left - x, c1 = vis.Right - x, r0 = vis.Top - y, r1 = vis.Bottom - y;

  std::vector<uint32_t> halftone;
  Surface ht;
  const bool stretched = sw != w || sh != h;
  // Halftone averages only a source rectangle that lies wholly on its surface;
  // otherwise the nearest mapping below also serves.
  if (stretched && halftoneAllowed && d.Dc->State.StretchMode == HALFTONE && !mask && !transparent && sx >= 0 &&
      sy >= 0 && int64_t(sx) + sw <= src->Width && int64_t(sy) + sh <= src->Height) {
    HalftoneStretch(*src, j.conv, sx, sy, sw, sh, w, h, mirrorX, mirrorY, c0, c1, r0, r1, halftone);
    ht.Bits = reinterpret_cast<uint8_t*>(halftone.data());
    ht.Width = c1 - c0;
    ht.Height = r1 - r0;
    ht.Stride = ptrdiff_t(ht.Width) * 4;
    ht.BitCount = 32;
    j.conv = Conv{};
    j.conv.Init(ht, d.S, srcBk, d.Dc->State.TextColor, d.Dc->State.BkColor);
    j.s = &ht;
    j.cols = NearestTable(ht.Width, 0, ht.Width, false, 0, ht.Width);
    j.rows = NearestTable(ht.Height, 0, ht.Height, false, 0, ht.Height);
  } else {
    j.cols = NearestTable(w, sx, sw, mirrorX, c0, c1);
    j.rows = NearestTable(h, sy, sh, mirrorY, r0, r1);
  }
  // Destination columns and rows whose source lies outside the source surface
  // are left alone; the tables are monotonic, so what remains is one range.
  auto trim = [](std::vector<int32_t>& t, int32_t limit, int32_t& lo, int32_t& hi) {
    lo = 0;
    hi = int32_t(t.size());
    while (lo < hi && (t[size_t(lo)] < 0 || t[size_t(lo)] >= limit)) ++lo;
    while (hi > lo && (t[size_t(hi - 1)] < 0 || t[size_t(hi - 1)] >= limit)) --hi;
  };
  int32_t t0, t1, u0, u1;
  trim(j.cols, j.s->Width, t0, t1);
  trim(j.rows, j.s->Height, u0, u1);
  if (t0 >= t1 || u0 >= u1) return TRUE;
  j.cols = std::vector<int32_t>(j.cols.begin() + t0, j.cols.begin() + t1);
  j.rows = std::vector<int32_t>(j.rows.begin() + u0, j.rows.begin() + u1);
  j.dr = {vis.Left + t0, vis.Top + u0, vis.Left + t1, vis.Top + u1};
  j.maskOrg = {maskOrg.X + c0 + t0, maskOrg.Y + r0 + u0};
  RunJob(j);
  return TRUE;
}

}  // namespace detail

// ---------------------------------------------------------------- API
namespace {

constexpr bool UsesSource(DWORD rop) { return detail::RopUsesSource(uint8_t(rop >> 16)); }

}  // namespace

BOOL PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop) {
  Ctx c;
  if (!c.Init(dc) || UsesSource(rop)) return FALSE;
  TPoint p = c.ToSurf({x, y});
  return detail::StretchCore(c, p.X, p.Y, w, h, nullptr, 0, 0, 0, 0, 0, rop & 0x00FFFFFF, nullptr, {}, false, 0,
                             false);
}

BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
  Ctx d;
  if (!d.Init(dst)) return FALSE;
  if (!UsesSource(rop)) return PatBlt(dst, x, y, w, h, rop);
  Ctx s;
  if (!s.Init(src)) return FALSE;
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return FALSE;
  TPoint p = d.ToSurf({x, y}), q = s.ToSurf({sx, sy});
  if (!s.S.Valid()) return FALSE;
  return detail::StretchCore(d, p.X, p.Y, w, h, &s.S, s.Dc->State.BkColor, q.X, q.Y, sw, sh, rop & 0x00FFFFFF,
                             nullptr, {}, false, 0, true);
}

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
  if (w == 0 || h == 0) return detail::AsDC(dst) ? TRUE : FALSE;
  // Negative extents count from the other corner, for source and destination alike.
  auto flip = [](int& pos, int& spos, int& ext) {
    if (ext >= 0) return;
    int64_t e = -int64_t(ext);
    pos = detail::Sat(int64_t(pos) - e);
    spos = detail::Sat(int64_t(spos) - e);
    ext = int(std::min<int64_t>(e, INT32_MAX));
  };
  flip(x, sx, w);
  flip(y, sy, h);
  return StretchBlt(dst, x, y, w, h, src, sx, sy, w, h, rop);
}

BOOL MaskBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, HBITMAP mask, int mx, int my,
             DWORD rop4) {
  if (!mask) return BitBlt(dst, x, y, w, h, src, sx, sy, rop4 & 0x00FFFFFF);
  BitmapObject* m = CheckedHandle<BitmapObject>(mask, OBJ_BITMAP);
  if (!m || m->BitCount != 1) return FALSE;
  Ctx d;
  if (!d.Init(dst) || w <= 0 || h <= 0) return FALSE;
  uint8_t fore = uint8_t(rop4 >> 16), back = uint8_t(rop4 >> 24);
  Ctx s;
  const Surface* srcSurf = nullptr;
  COLORREF srcBk = 0;
  TPoint q;
  if (detail::RopUsesSource(fore) || detail::RopUsesSource(back)) {
    if (!s.Init(src) || !s.S.Valid()) return FALSE;
    srcSurf = &s.S;
    srcBk = s.Dc->State.BkColor;
    q = s.ToSurf({sx, sy});
  }
  Surface ms = m->GetSurface();
  TPoint p = d.ToSurf({x, y});
  if (!srcSurf) {
    // No source: a source-free pass over a 1 x 1 dummy keeps the engine's shape.
    static uint32_t dummyPixel = 0;
    static Surface dummy{reinterpret_cast<uint8_t*>(&dummyPixel), 1, 1, 4};
    return detail::StretchCore(d, p.X, p.Y, w, h, &dummy, 0, 0, 0, 1, 1, rop4, &ms, {mx, my}, false, 0, false);
  }
  return detail::StretchCore(d, p.X, p.Y, w, h, srcSurf, srcBk, q.X, q.Y, w, h, rop4, &ms, {mx, my}, false, 0,
                             false);
}

BOOL TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                    UINT transparent) {
  Ctx d, s;
  if (!d.Init(dst) || !s.Init(src) || w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || !s.S.Valid()) return FALSE;
  TPoint p = d.ToSurf({x, y}), q = s.ToSurf({sx, sy});
  return detail::StretchCore(d, p.X, p.Y, w, h, &s.S, s.Dc->State.BkColor, q.X, q.Y, sw, sh, SRCCOPY, nullptr, {},
                             true, transparent, false);
}

// dst = src * SCA/255 + dst * (1 - srcAlpha * SCA / 255 / 255) for premultiplied
// sources (AC_SRC_ALPHA), dst = src * SCA/255 + dst * (1 - SCA/255) otherwise;
// every channel, alpha included, rounded to nearest.
BOOL AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, BLENDFUNCTION bf) {
  Ctx d, s;
  if (!d.Init(dst) || !s.Init(src)) return FALSE;
  if (w < 0 || h < 0 || sw < 0 || sh < 0 || bf.BlendOp != AC_SRC_OVER || bf.BlendFlags != 0) return FALSE;
  if ((bf.AlphaFormat & ~AC_SRC_ALPHA) != 0) return FALSE;
  if (!s.S.Valid()) return FALSE;
  TPoint p = d.ToSurf({x, y}), q = s.ToSurf({sx, sy});
  if (q.X < 0 || q.Y < 0 || q.X + sw > s.S.Width || q.Y + sh > s.S.Height) return FALSE;
  const bool perPixel = bf.AlphaFormat & AC_SRC_ALPHA;
  if (perPixel && s.S.BitCount != 32) return FALSE;
  if (w == 0 || h == 0 || sw == 0 || sh == 0 || !d.Drawable()) return TRUE;
  const uint32_t sca = bf.SourceConstantAlpha;
  const TRect full{p.X, p.Y, detail::Sat(int64_t(p.X) + w), detail::Sat(int64_t(p.Y) + h)};
  TRect dr;
  if (!IntersectRect(dr, full, d.Clip->Bounds())) return TRUE;
  // Nearest source pixel for each visible destination column and row.
  std::vector<int32_t> cols = detail::NearestTable(w, q.X, sw, false, dr.Left - full.Left, dr.Right - full.Left);
  std::vector<int32_t> rows = detail::NearestTable(h, q.Y, sh, false, dr.Top - full.Top, dr.Bottom - full.Top);
  detail::Conv conv;
  conv.Init(s.S, s.S, s.Dc->State.BkColor, d.Dc->State.TextColor, d.Dc->State.BkColor);
  const bool dst32 = d.S.BitCount == 32;
  for (const Region::Band& b : d.Clip->Bands()) {
    if (b.Bottom <= dr.Top) continue;
    if (b.Top >= dr.Bottom) break;
    for (int32_t yy = std::max(b.Top, dr.Top); yy < std::min(b.Bottom, dr.Bottom); ++yy) {
      const int32_t sy2 = rows[size_t(yy - dr.Top)];
      for (size_t k = 0; k < b.Xs.size(); k += 2) {
        for (int32_t xx = std::max(b.Xs[k], dr.Left); xx < std::min(b.Xs[k + 1], dr.Right); ++xx) {
          const int32_t sx2 = cols[size_t(xx - dr.Left)];
          uint32_t sp;
          if (s.S.BitCount == 32) {
            sp = ReadRaw(s.S, sx2, sy2);
            if (!s.S.IsBGRA32()) {
              COLORREF c = RawToColor(s.S, sp);
              sp = (sp & 0xFF000000u) | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
            }
          } else {
            COLORREF c = conv.Color(ReadRaw(s.S, sx2, sy2));
            sp = (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
          }
          uint32_t dp;
          if (d.S.IsBGRA32()) {
            dp = ReadRaw(d.S, xx, yy);
          } else {
            COLORREF c = RawToColor(d.S, ReadRaw(d.S, xx, yy));
            dp = (dst32 ? (ReadRaw(d.S, xx, yy) & 0xFF000000u) : 0) | (uint32_t(GetRValue(c)) << 16) |
                 (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
          }
          const uint32_t sa = sp >> 24;
          uint32_t out = 0;
          for (int ch = 0; ch < 32; ch += 8) {
            uint32_t sc = (sp >> ch) & 0xFF, dc = (dp >> ch) & 0xFF, v;
            if (perPixel) v = (sc * sca * 255 + dc * (65025 - sa * sca) + 32512) / 65025;
            else v = (sc * sca + dc * (255 - sca) + 127) / 255;
            out |= std::min<uint32_t>(v, 255) << ch;
          }
          if (d.S.IsBGRA32()) {
            WriteRaw(d.S, xx, yy, out);
          } else {
            uint32_t raw = ColorToRaw(d.S, RGB(uint8_t(out >> 16), uint8_t(out >> 8), uint8_t(out)));
            if (dst32) raw = (raw & 0x00FFFFFFu) | (out & 0xFF000000u);
            WriteRaw(d.S, xx, yy, raw);
          }
        }
      }
    }
  }
  return TRUE;
}

// Rectangles: each channel runs linearly from the first vertex's value at the
// first column (row) to the second's, reaching it one pixel past the end:
// c(i) = c0 + (c1 - c0) * i / n with 16-bit channels, truncated, high byte
// written. Triangles interpolate barycentrically at each pixel's point.
BOOL GradientFill(HDC dc, const TRIVERTEX* v, ULONG nv, const void* mesh, ULONG nm, ULONG mode) {
  Ctx c;
  if (!c.Init(dc) || !v || !mesh || nv == 0 || nm == 0) return FALSE;
  if (mode > GRADIENT_FILL_TRIANGLE) return FALSE;
  auto put = [&](int32_t x, int32_t y, int64_t r, int64_t g, int64_t b, int64_t a) {
    auto hi = [](int64_t v16) { return uint32_t(std::clamp<int64_t>(v16, 0, 0xFFFF) >> 8); };
    uint32_t raw;
    if (c.S.IsBGRA32()) raw = hi(b) | (hi(g) << 8) | (hi(r) << 16) | (hi(a) << 24);
    else raw = ColorToRaw(c.S, RGB(uint8_t(hi(r)), uint8_t(hi(g)), uint8_t(hi(b))));
    WriteRaw(c.S, x, y, raw);
  };
  if (mode == GRADIENT_FILL_TRIANGLE) {
    const auto* tri = static_cast<const GRADIENT_TRIANGLE*>(mesh);
    for (ULONG i = 0; i < nm; ++i)
      if (tri[i].Vertex1 >= nv || tri[i].Vertex2 >= nv || tri[i].Vertex3 >= nv) return FALSE;
    if (!c.Drawable()) return TRUE;
    for (ULONG i = 0; i < nm; ++i) {
      const TRIVERTEX* t[3] = {&v[tri[i].Vertex1], &v[tri[i].Vertex2], &v[tri[i].Vertex3]};
      TPoint pts[3];
      for (int k = 0; k < 3; ++k) pts[k] = c.ToSurf({t[k]->x, t[k]->y});
      int32_t three = 3;
      Region area = Region::Combine(detail::PolygonShape(pts, &three, 1, ALTERNATE), *c.Clip, Region::Op::And);
      double den = double(pts[1].Y - pts[2].Y) * (pts[0].X - pts[2].X) + double(pts[2].X - pts[1].X) * (pts[0].Y - pts[2].Y);
      if (den == 0) continue;
      for (const Region::Band& b : area.Bands())
        for (int32_t y = b.Top; y < b.Bottom; ++y)
          for (size_t k = 0; k < b.Xs.size(); k += 2)
            for (int32_t x = b.Xs[k]; x < b.Xs[k + 1]; ++x) {
              double l0 = (double(pts[1].Y - pts[2].Y) * (x - pts[2].X) + double(pts[2].X - pts[1].X) * (y - pts[2].Y)) / den;
              double l1 = (double(pts[2].Y - pts[0].Y) * (x - pts[2].X) + double(pts[0].X - pts[2].X) * (y - pts[2].Y)) / den;
              double l2 = 1 - l0 - l1;
              auto mix = [&](COLOR16 TRIVERTEX::*ch) {
                return int64_t(l0 * (t[0]->*ch) + l1 * (t[1]->*ch) + l2 * (t[2]->*ch));
              };
              put(x, y, mix(&TRIVERTEX::Red), mix(&TRIVERTEX::Green), mix(&TRIVERTEX::Blue), mix(&TRIVERTEX::Alpha));
            }
    }
    return TRUE;
  }
  const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
  for (ULONG i = 0; i < nm; ++i)
    if (rects[i].UpperLeft >= nv || rects[i].LowerRight >= nv) return FALSE;
  if (!c.Drawable()) return TRUE;
  const bool horizontal = mode == GRADIENT_FILL_RECT_H;
  for (ULONG i = 0; i < nm; ++i) {
    const TRIVERTEX* a = &v[rects[i].UpperLeft];
    const TRIVERTEX* b = &v[rects[i].LowerRight];
    if ((horizontal ? a->x > b->x : a->y > b->y)) std::swap(a, b);
    TPoint pa = c.ToSurf({a->x, a->y}), pb = c.ToSurf({b->x, b->y});
    TRect r{std::min(pa.X, pb.X), std::min(pa.Y, pb.Y), std::max(pa.X, pb.X), std::max(pa.Y, pb.Y)};
    const int64_t n = horizontal ? r.Width() : r.Height();
    if (n <= 0 || r.IsEmpty()) continue;
    for (const Region::Band& band : c.Clip->Bands()) {
      if (band.Bottom <= r.Top) continue;
      if (band.Top >= r.Bottom) break;
      for (int32_t y = std::max(band.Top, r.Top); y < std::min(band.Bottom, r.Bottom); ++y)
        for (size_t k = 0; k < band.Xs.size(); k += 2)
          for (int32_t x = std::max(band.Xs[k], r.Left); x < std::min(band.Xs[k + 1], r.Right); ++x) {
            int64_t t = horizontal ? x - r.Left : y - r.Top;
            auto lerp = [&](COLOR16 TRIVERTEX::*ch) {
              return int64_t(a->*ch) + (int64_t(b->*ch) - int64_t(a->*ch)) * t / n;
            };
            put(x, y, lerp(&TRIVERTEX::Red), lerp(&TRIVERTEX::Green), lerp(&TRIVERTEX::Blue), lerp(&TRIVERTEX::Alpha));
          }
    }
  }
  return TRUE;
}

}  // namespace win
