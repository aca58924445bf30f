// Regions as band lists, the region API, and the shapes (ellipse, rounded
// rectangle, polygon) that regions and figures share so that a figure and the
// region of the same coordinates cover the same pixels.
#include "platform/gdi/region.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"

namespace win {

Region::Region(const TRect& r) { SetRect(r); }

void Region::SetRect(const TRect& r) {
  bands_.clear();
  if (r.IsEmpty()) return;
  bands_.push_back({r.Top, r.Bottom, {r.Left, r.Right}});
}

TRect Region::Bounds() const {
  if (bands_.empty()) return {};
  TRect r{INT32_MAX, bands_.front().Top, INT32_MIN, bands_.back().Bottom};
  for (const Band& b : bands_) {
    r.Left = std::min(r.Left, b.Xs.front());
    r.Right = std::max(r.Right, b.Xs.back());
  }
  return r;
}

int Region::Complexity() const {
  if (bands_.empty()) return NULLREGION;
  return IsRect() ? SIMPLEREGION : COMPLEXREGION;
}

const Region::Band* Region::FindBand(int32_t y) const {
  auto it = std::upper_bound(bands_.begin(), bands_.end(), y, [](int32_t v, const Band& b) { return v < b.Bottom; });
  if (it == bands_.end() || y < it->Top) return nullptr;
  return &*it;
}

bool Region::Contains(int32_t x, int32_t y) const {
  const Band* b = FindBand(y);
  if (!b) return false;
  for (size_t i = 0; i < b->Xs.size(); i += 2)
    if (x >= b->Xs[i] && x < b->Xs[i + 1]) return true;
  return false;
}

bool Region::Intersects(const TRect& r) const {
  if (r.IsEmpty()) return false;
  for (const Band& b : bands_) {
    if (b.Bottom <= r.Top) continue;
    if (b.Top >= r.Bottom) break;
    for (size_t i = 0; i < b.Xs.size(); i += 2)
      if (b.Xs[i] < r.Right && b.Xs[i + 1] > r.Left) return true;
  }
  return false;
}

void Region::Offset(int32_t dx, int32_t dy) {
  // Saturating, so that a far-out region cannot wrap around.
  auto add = [](int32_t v, int32_t d) { return int32_t(std::clamp<int64_t>(int64_t(v) + d, INT32_MIN, INT32_MAX)); };
  for (Band& b : bands_) {
    b.Top = add(b.Top, dy);
    b.Bottom = add(b.Bottom, dy);
    for (int32_t& x : b.Xs) x = add(x, dx);
  }
  if (dx || dy) Normalize();
}

void Region::Normalize() {
  std::vector<Band> out;
  out.reserve(bands_.size());
  for (Band& b : bands_) {
    if (b.Xs.empty() || b.Top >= b.Bottom) continue;
    if (!out.empty() && out.back().Bottom == b.Top && out.back().Xs == b.Xs) {
      out.back().Bottom = b.Bottom;
      continue;
    }
    out.push_back(std::move(b));
  }
  bands_ = std::move(out);
}

namespace {

// Combines two sorted span lists; spans that touch are joined.
void CombineSpans(const std::vector<int32_t>* a, const std::vector<int32_t>* b, Region::Op op,
                  std::vector<int32_t>& out) {
  static const std::vector<int32_t> kEmpty;
  const std::vector<int32_t>& A = a ? *a : kEmpty;
  const std::vector<int32_t>& B = b ? *b : kEmpty;
  size_t i = 0, j = 0;
  bool inA = false, inB = false, inOut = false;
  while (i < A.size() || j < B.size()) {
    int32_t x = INT32_MAX;
    if (i < A.size()) x = A[i];
    if (j < B.size()) x = std::min(x, B[j]);
    while (i < A.size() && A[i] == x) {
      inA = !inA;
      ++i;
    }
    while (j < B.size() && B[j] == x) {
      inB = !inB;
      ++j;
    }
    bool v = false;
    switch (op) {
      case Region::Op::And: v = inA && inB; break;
      case Region::Op::Or: v = inA || inB; break;
      case Region::Op::Xor: v = inA != inB; break;
      case Region::Op::Diff: v = inA && !inB; break;
    }
    if (v != inOut) {
      if (!v && !out.empty() && out.back() == x) out.pop_back();  // empty span
      else if (v && !out.empty() && out.back() == x) out.pop_back();  // touching: join
      else out.push_back(x);
      inOut = v;
    }
  }
}

}  // namespace

Region Region::Combine(const Region& a, const Region& b, Op op) {
  // Quick answers that keep common clip work cheap.
  if (op == Op::And && (a.IsEmpty() || b.IsEmpty())) return {};
  if (op == Op::Diff && (a.IsEmpty() || b.IsEmpty())) return a;
  if ((op == Op::Or || op == Op::Xor) && a.IsEmpty()) return b;
  if ((op == Op::Or || op == Op::Xor) && b.IsEmpty()) return a;

  std::vector<int32_t> ys;
  ys.reserve(2 * (a.bands_.size() + b.bands_.size()));
  for (const Band& x : a.bands_) ys.insert(ys.end(), {x.Top, x.Bottom});
  for (const Band& x : b.bands_) ys.insert(ys.end(), {x.Top, x.Bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  Region r;
  size_t ia = 0, ib = 0;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    int32_t y0 = ys[k], y1 = ys[k + 1];
    while (ia < a.bands_.size() && a.bands_[ia].Bottom <= y0) ++ia;
    while (ib < b.bands_.size() && b.bands_[ib].Bottom <= y0) ++ib;
    const std::vector<int32_t>* sa = (ia < a.bands_.size() && a.bands_[ia].Top <= y0) ? &a.bands_[ia].Xs : nullptr;
    const std::vector<int32_t>* sb = (ib < b.bands_.size() && b.bands_[ib].Top <= y0) ? &b.bands_[ib].Xs : nullptr;
    if (!sa && !sb) continue;
    Band band{y0, y1, {}};
    CombineSpans(sa, sb, op, band.Xs);
    if (!band.Xs.empty()) r.bands_.push_back(std::move(band));
  }
  r.Normalize();
  return r;
}

Region Region::Intersect(const TRect& rc) const {
  if (IsRect() && !rc.IsEmpty()) {
    TRect out;
    IntersectRect(out, Bounds(), rc);
    return Region(out);
  }
  return Combine(*this, Region(rc), Op::And);
}

Region Region::FromSpans(std::vector<Span> spans) {
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
    return a.Y != b.Y ? a.Y < b.Y : a.X0 < b.X0;
  });
  Region r;
  for (size_t i = 0; i < spans.size();) {
    int32_t y = spans[i].Y;
    Band band{y, y + 1, {}};
    for (; i < spans.size() && spans[i].Y == y; ++i) {
      const Span& s = spans[i];
      if (s.X0 >= s.X1) continue;
      if (!band.Xs.empty() && s.X0 <= band.Xs.back()) band.Xs.back() = std::max(band.Xs.back(), s.X1);
      else band.Xs.insert(band.Xs.end(), {s.X0, s.X1});
    }
    if (!band.Xs.empty()) r.bands_.push_back(std::move(band));
  }
  r.Normalize();
  return r;
}

Region Region::Erode(int32_t dx, int32_t dy) const {
  Region h;
  for (const Band& b : bands_) {
    Band nb{b.Top, b.Bottom, {}};
    for (size_t i = 0; i < b.Xs.size(); i += 2)
      if (b.Xs[i + 1] - b.Xs[i] > 2 * dx) nb.Xs.insert(nb.Xs.end(), {b.Xs[i] + dx, b.Xs[i + 1] - dx});
    h.bands_.push_back(std::move(nb));
  }
  h.Normalize();
  for (int32_t k = 1; k <= dy && !h.IsEmpty(); ++k) {
    Region up = *this, down = *this;
    up.Offset(0, -k);
    down.Offset(0, k);
    h = Combine(Combine(h, up, Op::And), down, Op::And);
  }
  return h;
}

// ---------------------------------------------------------------- shapes
namespace detail {

// Rows are sampled at pixel centres. With corner ellipses of w x h, a row
// whose centre lies level with the straight sides spans the full width; the
// others are cut by the corner ellipse. Left and right ends are computed once
// and mirrored, which keeps every shape exactly symmetric.
namespace {

TRect RowWindow(const TRect* within) {
  return within ? *within : TRect{INT32_MIN / 2, -kShapeRows, INT32_MAX / 2, kShapeRows};
}

}  // namespace

Region RoundRectShape(int32_t l, int32_t t, int32_t r, int32_t b, int32_t w, int32_t h, const TRect* within) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (r <= l || b <= t) return {};
  const int64_t width = int64_t(r) - l, height = int64_t(b) - t;
  const double ew = double(std::min<int64_t>(std::abs(int64_t(w)), width));
  const double eh = double(std::min<int64_t>(std::abs(int64_t(h)), height));
  const TRect win = RowWindow(within);
  const int32_t y0 = std::max(t, win.Top), y1 = std::min(b, win.Bottom);
  std::vector<Region::Span> spans;
  if (y0 >= y1) return {};
  spans.reserve(size_t(y1 - y0));
  const double ra = ew / 2.0, rb = eh / 2.0;
  // Doubled coordinates keep the row centres and the corner centres exact.
  const double top2 = 2.0 * t + eh, bot2 = 2.0 * b - eh;
  for (int32_t y = y0; y < y1; ++y) {
    double c2 = 2.0 * y + 1;
    double d2 = c2 < top2 ? top2 - c2 : (c2 > bot2 ? c2 - bot2 : 0);
    int64_t left;
    if (d2 == 0 || eh == 0 || ew == 0) {
      left = l;
    } else {
      double dy = d2 / 2.0;
      double k = 1.0 - (dy / rb) * (dy / rb);
      if (k < 0) continue;
      double half = ra * std::sqrt(k);
      left = std::max<int64_t>(l, int64_t(std::ceil(l + ra - 0.5 - half - 1e-9)));
    }
    int64_t right = int64_t(l) + r - 1 - left;  // inclusive, mirrored
    if (right < left) continue;
    int64_t a = std::max<int64_t>(left, win.Left), e = std::min<int64_t>(right + 1, win.Right);
    if (a < e) spans.push_back({y, int32_t(a), int32_t(e)});
  }
  return Region::FromSpans(std::move(spans));
}

Region EllipseShape(int32_t l, int32_t t, int32_t r, int32_t b, const TRect* within) {
  int64_t w = std::abs(int64_t(r) - l), h = std::abs(int64_t(b) - t);
  return RoundRectShape(l, t, r, b, int32_t(std::min<int64_t>(w, INT32_MAX)), int32_t(std::min<int64_t>(h, INT32_MAX)),
                        within);
}

// Scanline fill sampling each row at integer y and each pixel at its integer x
// (top-left rule): a polygon over (0,0)-(10,10) fills pixels 0..9, like a
// rectangle region of the same corners.
Region PolygonShape(const TPoint* pts, const int32_t* counts, int32_t polyCount, int fillMode, const TRect* within) {
  const TRect win = RowWindow(within);
  struct Edge {
    int64_t x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  int32_t ymin = INT32_MAX, ymax = INT32_MIN;
  const TPoint* p = pts;
  for (int32_t k = 0; k < polyCount; ++k) {
    int32_t n = counts[k];
    for (int32_t i = 0; i < n; ++i) {
      TPoint a{Sat(p[i].X), Sat(p[i].Y)}, b{Sat(p[(i + 1) % n].X), Sat(p[(i + 1) % n].Y)};
      ymin = std::min(ymin, a.Y);
      ymax = std::max(ymax, a.Y);
      if (a.Y == b.Y) continue;
      if (a.Y < b.Y) edges.push_back({a.X, a.Y, b.X, b.Y, 1});
      else edges.push_back({b.X, b.Y, a.X, a.Y, -1});
    }
    p += n;
  }
  if (edges.empty()) return {};
  std::vector<Region::Span> spans;
  struct Cross {
    int32_t x;  // first pixel at or right of the crossing
    int dir;
  };
  std::vector<Cross> xs;
  for (int32_t y = std::max(ymin, win.Top); y < std::min(ymax, win.Bottom); ++y) {
    xs.clear();
    for (const Edge& e : edges) {
      if (y < e.y0 || y >= e.y1) continue;
      // x = x0 + (y - y0) * (x1 - x0) / (y1 - y0), rounded up.
      int64_t num = (y - e.y0) * (e.x1 - e.x0), den = e.y1 - e.y0;
      int64_t q = num / den, rem = num % den;
      if (rem > 0) ++q;
      xs.push_back({int32_t(std::clamp<int64_t>(e.x0 + q, win.Left, win.Right)), e.dir});
    }
    std::sort(xs.begin(), xs.end(), [](const Cross& a, const Cross& b) { return a.x < b.x; });
    int wind = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
      wind += fillMode == WINDING ? xs[i].dir : 1;
      bool inside = fillMode == WINDING ? wind != 0 : (wind & 1);
      if (inside && xs[i].x < xs[i + 1].x) spans.push_back({y, xs[i].x, xs[i + 1].x});
    }
  }
  return Region::FromSpans(std::move(spans));
}

}  // namespace detail

// ---------------------------------------------------------------- region API
namespace {

HRGN NewRegion(Region r) {
  auto* o = new RegionObject;
  o->Rgn = std::move(r);
  return o;
}
RegionObject* R(HRGN h) { return CheckedHandle<RegionObject>(h, OBJ_REGION); }
TRect Normalized(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return {l, t, r, b};
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return NewRegion(Region(Normalized(left, top, right, bottom)));
}
HRGN CreateRectRgnIndirect(const RECT* r) {
  return r ? CreateRectRgn(r->Left, r->Top, r->Right, r->Bottom) : nullptr;
}
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h) {
  return NewRegion(detail::RoundRectShape(left, top, right, bottom, w, h));
}
HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  return NewRegion(detail::EllipseShape(left, top, right, bottom));
}
HRGN CreateEllipticRgnIndirect(const RECT* r) {
  return r ? CreateEllipticRgn(r->Left, r->Top, r->Right, r->Bottom) : nullptr;
}
HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode) {
  if (!pts || count < 2 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  int32_t n = count;
  return NewRegion(detail::PolygonShape(pts, &n, 1, fillMode));
}
HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polyCount, int fillMode) {
  if (!pts || !counts || polyCount <= 0 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  for (int i = 0; i < polyCount; ++i)
    if (counts[i] < 2) return nullptr;
  return NewRegion(detail::PolygonShape(pts, counts, polyCount, fillMode));
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  RegionObject *d = R(dst), *a = R(src1);
  if (!d || !a) return ERROR;
  if (mode == RGN_COPY) {
    d->Rgn = a->Rgn;
    return d->Rgn.Complexity();
  }
  RegionObject* b = R(src2);
  if (!b) return ERROR;
  Region::Op op;
  switch (mode) {
    case RGN_AND: op = Region::Op::And; break;
    case RGN_OR: op = Region::Op::Or; break;
    case RGN_XOR: op = Region::Op::Xor; break;
    case RGN_DIFF: op = Region::Op::Diff; break;
    default: return ERROR;
  }
  d->Rgn = Region::Combine(a->Rgn, b->Rgn, op);
  return d->Rgn.Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  RegionObject* o = R(rgn);
  if (!o) return ERROR;
  o->Rgn.Offset(dx, dy);
  return o->Rgn.Complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  RegionObject* o = R(rgn);
  return o && o->Rgn.Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* r) {
  RegionObject* o = R(rgn);
  if (!o || !r) return FALSE;
  return o->Rgn.Intersects(Normalized(r->Left, r->Top, r->Right, r->Bottom)) ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, RECT* r) {
  RegionObject* o = R(rgn);
  if (!o || !r) return ERROR;
  *r = o->Rgn.Bounds();
  return o->Rgn.Complexity();
}

BOOL EqualRgn(HRGN a, HRGN b) {
  RegionObject *x = R(a), *y = R(b);
  if (!x || !y) return ERROR;
  return x->Rgn == y->Rgn ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  RegionObject* o = R(rgn);
  if (!o) return FALSE;
  o->Rgn.SetRect(Normalized(left, top, right, bottom));
  return TRUE;
}

}  // namespace win
