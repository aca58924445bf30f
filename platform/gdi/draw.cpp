// Lines, figures, rectangle fills and region painting.
//
// Pixel conventions (as on the platform):
// - a line covers its start point and excludes its end point;
// - Rectangle/Ellipse/RoundRect cover [left, right) x [top, bottom): a one-pixel
//   pen draws on the outermost pixels and the brush fills what lies inside;
//   with a null pen the figure loses one pixel at right and bottom;
// - Polygon fills what its edges enclose with right and bottom edges excluded
//   and the pen then draws the closed outline through the vertices;
// - pens wider than one pixel are centred on the path with round ends and joins
//   (PS_INSIDEFRAME keeps figures inside their bounds).
#include <algorithm>
#include <cmath>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"

namespace win {

using detail::Ctx;
using detail::Ink;

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Pen {
  bool Null = true;
  int32_t Width = 1;
  bool InsideFrame = false;
  UINT EndCap = PS_ENDCAP_ROUND;
  Ink PenInk;
  Ink GapInk;                   // null when gaps are left alone
  std::vector<int32_t> Dashes;  // on, off, on, off ... ; empty = solid
};

Pen GetPen(const Ctx& c) {
  Pen p;
  PenObject* o = CheckedHandle<PenObject>(c.Dc->State.Pen, OBJ_PEN);
  if (!o || o->StyleKind() == PS_NULL) return p;
  p.Null = false;
  COLORREF color = o == GetStockObject(DC_PEN) ? c.Dc->State.DCPenColor : o->Color;
  p.PenInk = detail::SolidInk(c.S, color);
  p.Width = std::max(1, o->Width);
  p.InsideFrame = o->StyleKind() == PS_INSIDEFRAME;
  p.EndCap = o->Extended && (o->Style & PS_TYPE_MASK) == PS_GEOMETRIC ? (o->Style & PS_ENDCAP_MASK) : PS_ENDCAP_ROUND;
  if (p.Width == 1) {
    switch (o->StyleKind()) {
      case PS_DASH: p.Dashes = {18, 6}; break;
      case PS_DOT: p.Dashes = {3, 3}; break;
      case PS_DASHDOT: p.Dashes = {9, 6, 3, 6}; break;
      case PS_DASHDOTDOT: p.Dashes = {9, 3, 3, 3, 3, 3}; break;
      case PS_ALTERNATE: p.Dashes = {1, 1}; break;
      case PS_USERSTYLE:
        for (DWORD v : o->UserStyle) p.Dashes.push_back(int32_t(std::max<DWORD>(v, 1)));
        if (p.Dashes.size() % 2) p.Dashes.push_back(p.Dashes.back());
        break;
      default: break;
    }
    if (!p.Dashes.empty() && c.Dc->State.BkMode == OPAQUE) p.GapInk = detail::SolidInk(c.S, c.Dc->State.BkColor);
  }
  return p;
}

int32_t WidthOf(const Ctx& c) {
  PenObject* o = CheckedHandle<PenObject>(c.Dc->State.Pen, OBJ_PEN);
  return o ? std::max(1, o->Width) : 1;
}

uint8_t Rop(const Ctx& c) { return detail::Rop2ToRop3(c.Dc->State.Rop2); }

// One-pixel lines, Bresenham from a towards b, b excluded (surface coordinates).
class Stroker {
public:
  Stroker(const Ctx& c, const Pen& p) : c_(c), p_(p), code_(Rop(c)) {
    for (int32_t d : p.Dashes) total_ += d;
  }

  // Only the pixels whose major coordinate lies in the clip box are visited:
  // pixel i of the line has major coordinate a + i and minor coordinate
  // ceil((2 * dMinor * i - dMajor) / (2 * dMajor)) steps away, which is what
  // the incremental Bresenham loop produces (ties do not step).
  void Segment(TPoint a, TPoint b) {
    const int64_t dx = std::abs(int64_t(b.X) - a.X), dy = std::abs(int64_t(b.Y) - a.Y);
    const int64_t n = std::max(dx, dy);
    if (n == 0) return;
    const int32_t startPos = c_.Dc->StylePos;
    Advance(n);
    if (!c_.Drawable()) return;
    const TRect box = c_.Clip->Bounds();
    if (a.Y == b.Y && p_.Dashes.empty()) {  // the common case of painters: one span
      int64_t x0 = a.X < b.X ? a.X : int64_t(b.X) + 1, x1 = a.X < b.X ? b.X : int64_t(a.X) + 1;
      x0 = std::max<int64_t>(x0, box.Left);
      x1 = std::min<int64_t>(x1, box.Right);
      if (x0 < x1)
        c_.Clip->ClipSpan(a.Y, int32_t(x0), int32_t(x1),
                          [&](int32_t s, int32_t e) { detail::PaintSpan(c_.S, a.Y, s, e, p_.PenInk, code_); });
      return;
    }
    const bool xMajor = dx >= dy;
    const int64_t dMaj = xMajor ? dx : dy, dMin = xMajor ? dy : dx;
    const int64_t aMaj = xMajor ? a.X : a.Y, aMin = xMajor ? a.Y : a.X;
    const int64_t sMaj = (xMajor ? b.X > a.X : b.Y > a.Y) ? 1 : -1;
    const int64_t sMin = (xMajor ? b.Y > a.Y : b.X > a.X) ? 1 : -1;
    const int64_t lo = xMajor ? box.Left : box.Top, hi = xMajor ? box.Right : box.Bottom;
    int64_t i0 = 0, i1 = n;
    if (sMaj > 0) {
      i0 = std::max<int64_t>(0, lo - aMaj);
      i1 = std::min<int64_t>(n, hi - aMaj);
    } else {
      i0 = std::max<int64_t>(0, aMaj - (hi - 1));
      i1 = std::min<int64_t>(n, aMaj - lo + 1);
    }
    for (int64_t i = i0; i < i1; ++i) {
      __int128 num = __int128(2) * dMin * i - dMaj, den = __int128(2) * dMaj;
      __int128 k = num >= 0 ? (num + den - 1) / den : -((-num) / den);
      int64_t maj = aMaj + sMaj * i, mnr = aMin + sMin * int64_t(k);
      int64_t x = xMajor ? maj : mnr, y = xMajor ? mnr : maj;
      if (x < box.Left || x >= box.Right || y < box.Top || y >= box.Bottom) continue;
      Plot(int32_t(x), int32_t(y), total_ ? int32_t((startPos + i) % total_) : 0);
    }
  }

private:
  void Plot(int32_t x, int32_t y, int32_t pos) {
    bool on = true;
    if (total_) {
      int32_t acc = 0;
      for (size_t i = 0; i < p_.Dashes.size(); ++i) {
        acc += p_.Dashes[i];
        if (pos < acc) {
          on = (i % 2) == 0;
          break;
        }
      }
    }
    const Ink& ink = on ? p_.PenInk : p_.GapInk;
    if (ink.Null || !c_.Clip->Contains(x, y)) return;
    detail::PaintSpan(c_.S, y, x, x + 1, ink, code_);
  }
  void Advance(int64_t n) {
    if (total_) c_.Dc->StylePos = int32_t((int64_t(c_.Dc->StylePos) + n) % total_);
  }

  const Ctx& c_;
  const Pen& p_;
  uint8_t code_;
  int32_t total_ = 0;
};

// The rows and columns worth building shapes for: the clip box and a margin.
TRect Window(const Ctx& c, int32_t margin) {
  TRect b = c.Clip->Bounds();
  return {b.Left - margin, b.Top - margin, b.Right + margin, b.Bottom + margin};
}

// Scanline fill of a polygon with real vertices; pixel (x, y) is sampled at
// the point (x, y), as integer polygons are.
Region FillPolygonF(const std::vector<std::pair<double, double>>& v, const TRect& win) {
  std::vector<Region::Span> spans;
  if (v.size() < 3) return {};
  double ymin = v[0].second, ymax = v[0].second;
  for (auto& p : v) {
    ymin = std::min(ymin, p.second);
    ymax = std::max(ymax, p.second);
  }
  std::vector<std::pair<double, int>> xs;
  ymin = std::max<double>(ymin, win.Top);
  ymax = std::min<double>(ymax, win.Bottom);
  for (int32_t y = int32_t(std::ceil(ymin)); y < ymax; ++y) {
    xs.clear();
    for (size_t i = 0; i < v.size(); ++i) {
      auto a = v[i], b = v[(i + 1) % v.size()];
      if (a.second == b.second) continue;
      int dir = a.second < b.second ? 1 : -1;
      if (dir < 0) std::swap(a, b);
      if (y < a.second || y >= b.second) continue;
      xs.push_back({a.first + (y - a.second) * (b.first - a.first) / (b.second - a.second), dir});
    }
    std::sort(xs.begin(), xs.end());
    int wind = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
      wind += xs[i].second;
      if (wind != 0) {
        auto cut = [&](double x) { return int32_t(std::clamp<double>(std::ceil(x), win.Left, win.Right)); };
        int32_t x0 = cut(xs[i].first), x1 = cut(xs[i + 1].first);
        if (x0 < x1) spans.push_back({y, x0, x1});
      }
    }
  }
  return Region::FromSpans(std::move(spans));
}

Region Disc(TPoint p, int32_t w, const TRect& win) {
  int32_t l = p.X - w / 2, t = p.Y - w / 2;
  return detail::EllipseShape(l, t, l + w, t + w, &win);
}

// The pixels a wide pen covers along a polyline (surface coordinates).
Region WideStroke(const TPoint* pts, size_t n, const Pen& pen, bool closed, const TRect& win) {
  Region out;
  const double h = pen.Width / 2.0;
  size_t segs = closed ? n : n - 1;
  for (size_t i = 0; i < segs; ++i) {
    TPoint a = pts[i], b = pts[(i + 1) % n];
    double dx = b.X - a.X, dy = b.Y - a.Y, len = std::hypot(dx, dy);
    if (len == 0) continue;
    double ux = dx / len, uy = dy / len, nx = -uy * h, ny = ux * h;
    double ex0 = 0, ex1 = 0;
    bool first = i == 0 && !closed, last = i + 1 == segs && !closed;
    if (pen.EndCap == PS_ENDCAP_SQUARE) {
      if (first) ex0 = h;
      if (last) ex1 = h;
    }
    double ax = a.X - ux * ex0, ay = a.Y - uy * ex0, bx = b.X + ux * ex1, by = b.Y + uy * ex1;
    std::vector<std::pair<double, double>> quad = {
        {ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}};
    out = Region::Combine(out, FillPolygonF(quad, win), Region::Op::Or);
  }
  for (size_t i = 0; i < n; ++i) {
    bool end = !closed && (i == 0 || i + 1 == n);
    if (end && pen.EndCap != PS_ENDCAP_ROUND) continue;
    out = Region::Combine(out, Disc(pts[i], pen.Width, win), Region::Op::Or);
  }
  return out;
}

// Draws a polyline in surface coordinates with the DC's pen.
void StrokePolyline(const Ctx& c, const Pen& pen, const TPoint* pts, size_t n, bool closed) {
  if (pen.Null || n < 2) return;
  if (pen.Width <= 1) {
    Stroker s(c, pen);
    for (size_t i = 0; i + 1 < n; ++i) s.Segment(pts[i], pts[i + 1]);
    if (closed) s.Segment(pts[n - 1], pts[0]);
    return;
  }
  if (!c.Drawable()) return;
  detail::PaintRegion(c, WideStroke(pts, n, pen, closed, Window(c, pen.Width + 2)), pen.PenInk, Rop(c));
}

std::vector<TPoint> ToSurf(const Ctx& c, const POINT* pts, size_t n) {
  std::vector<TPoint> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = c.ToSurf(pts[i]);
  return v;
}

TRect NormalizedSurfRect(const Ctx& c, int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return c.ToSurf(TRect{l, t, r, b});
}

// Outline and interior of a curved figure given its shape function.
template <class Shape>
void DrawCurved(const Ctx& c, const TRect& r, Shape&& shape) {
  if (!c.Drawable()) return;
  Pen pen = GetPen(c);
  Ink brush = detail::BrushInk(c, c.Dc->State.Brush);
  uint8_t code = Rop(c);
  if (pen.Null) {
    detail::PaintRegion(c, shape(TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}), brush, code);
    return;
  }
  Region outer, inner;
  if (pen.Width <= 1) {
    outer = shape(r);
    inner = outer.Erode(1, 1);
  } else if (pen.InsideFrame) {
    outer = shape(r);
    inner = shape(TRect{r.Left + pen.Width, r.Top + pen.Width, r.Right - pen.Width, r.Bottom - pen.Width});
  } else {
    int32_t lo = pen.Width / 2, hi = pen.Width - lo;
    outer = shape(TRect{r.Left - lo, r.Top - lo, r.Right + lo, r.Bottom + lo});
    inner = shape(TRect{r.Left + hi, r.Top + hi, r.Right - hi, r.Bottom - hi});
  }
  detail::PaintRegion(c, inner, brush, code);
  detail::PaintRegion(c, Region::Combine(outer, inner, Region::Op::Diff), pen.PenInk, code);
}

Region ShapeEllipse(const TRect& r, const TRect& win) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return {};
  return detail::EllipseShape(r.Left, r.Top, r.Right, r.Bottom, &win);
}

}  // namespace

// ---------------------------------------------------------------- lines
BOOL MoveToEx(HDC dc, int x, int y, POINT* old) {
  DeviceContext* d = detail::AsDC(dc);
  if (!d) return FALSE;
  if (old) *old = d->State.CurrentPos;
  d->State.CurrentPos = {x, y};
  d->StylePos = 0;
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC dc, POINT* pt) {
  DeviceContext* d = detail::AsDC(dc);
  if (!d || !pt) return FALSE;
  *pt = d->State.CurrentPos;
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  Ctx c;
  if (!c.Init(dc)) return FALSE;
  TPoint pts[2] = {c.ToSurf(c.Dc->State.CurrentPos), c.ToSurf({x, y})};
  StrokePolyline(c, GetPen(c), pts, 2, false);
  c.Dc->State.CurrentPos = {x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* pts, int count) {
  Ctx c;
  if (!c.Init(dc) || !pts || count < 2) return FALSE;
  c.Dc->StylePos = 0;
  auto v = ToSurf(c, pts, size_t(count));
  StrokePolyline(c, GetPen(c), v.data(), v.size(), false);
  return TRUE;
}

BOOL PolylineTo(HDC dc, const POINT* pts, DWORD count) {
  Ctx c;
  if (!c.Init(dc) || !pts || count == 0) return FALSE;
  std::vector<TPoint> v{c.ToSurf(c.Dc->State.CurrentPos)};
  for (DWORD i = 0; i < count; ++i) v.push_back(c.ToSurf(pts[i]));
  StrokePolyline(c, GetPen(c), v.data(), v.size(), false);
  c.Dc->State.CurrentPos = pts[count - 1];
  return TRUE;
}

BOOL PolyPolyline(HDC dc, const POINT* pts, const DWORD* counts, DWORD polyCount) {
  if (!pts || !counts || polyCount == 0) return FALSE;
  for (DWORD i = 0; i < polyCount; ++i)
    if (counts[i] < 2) return FALSE;
  if (!detail::AsDC(dc)) return FALSE;
  for (DWORD i = 0; i < polyCount; ++i) {
    Polyline(dc, pts, int(counts[i]));
    pts += counts[i];
  }
  return TRUE;
}

// ---------------------------------------------------------------- polygons
BOOL PolyPolygon(HDC dc, const POINT* pts, const INT* counts, int polyCount) {
  Ctx c;
  if (!c.Init(dc) || !pts || !counts || polyCount <= 0) return FALSE;
  size_t total = 0;
  for (int i = 0; i < polyCount; ++i) {
    if (counts[i] < 2) return FALSE;
    total += size_t(counts[i]);
  }
  auto v = ToSurf(c, pts, total);
  Ink brush = detail::BrushInk(c, c.Dc->State.Brush);
  if (!brush.Null && c.Drawable()) {
    const TRect win = Window(c, 1);
    detail::PaintRegion(c, detail::PolygonShape(v.data(), counts, polyCount, c.Dc->State.PolyFillMode, &win), brush,
                        Rop(c));
  }
  Pen pen = GetPen(c);
  size_t at = 0;
  for (int i = 0; i < polyCount; ++i) {
    c.Dc->StylePos = 0;
    StrokePolyline(c, pen, v.data() + at, size_t(counts[i]), true);
    at += size_t(counts[i]);
  }
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* pts, int count) { return PolyPolygon(dc, pts, &count, 1); }

// ---------------------------------------------------------------- figures
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  Ctx c;
  if (!c.Init(dc)) return FALSE;
  TRect r = NormalizedSurfRect(c, left, top, right, bottom);
  Pen pen = GetPen(c);
  Ink brush = detail::BrushInk(c, c.Dc->State.Brush);
  uint8_t code = Rop(c);
  if (pen.Null) {
    detail::PaintRect(c, {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, brush, code);
    return TRUE;
  }
  if (pen.Width <= 1) {
    detail::PaintRect(c, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, brush, code);
    if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1) return TRUE;
    TPoint p[4] = {{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}};
    c.Dc->StylePos = 0;
    if (r.Width() == 1 || r.Height() == 1) {  // degenerate: one line, each pixel once
      Stroker s(c, pen);
      s.Segment(p[0], {p[2].X + (r.Width() == 1 ? 0 : 1), p[2].Y + (r.Width() == 1 ? 1 : 0)});
      return TRUE;
    }
    StrokePolyline(c, pen, p, 4, true);
    return TRUE;
  }
  TRect outer = r, inner;
  if (pen.InsideFrame) {
    inner = {r.Left + pen.Width, r.Top + pen.Width, r.Right - pen.Width, r.Bottom - pen.Width};
  } else {
    int32_t lo = pen.Width / 2;
    outer = {r.Left - lo, r.Top - lo, r.Right - 1 - lo + pen.Width, r.Bottom - 1 - lo + pen.Width};
    inner = {outer.Left + pen.Width, outer.Top + pen.Width, outer.Right - pen.Width, outer.Bottom - pen.Width};
  }
  detail::PaintRect(c, inner, brush, code);
  Region frame = Region::Combine(Region(outer), Region(inner), Region::Op::Diff);
  detail::PaintRegion(c, frame, pen.PenInk, code);
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  Ctx c;
  if (!c.Init(dc)) return FALSE;
  if (!c.Drawable()) return TRUE;
  const TRect win = Window(c, WidthOf(c) + 2);
  DrawCurved(c, NormalizedSurfRect(c, left, top, right, bottom), [&win](const TRect& q) { return ShapeEllipse(q, win); });
  return TRUE;
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int w, int h) {
  Ctx c;
  if (!c.Init(dc)) return FALSE;
  if (!c.Drawable()) return TRUE;
  TRect r = NormalizedSurfRect(c, left, top, right, bottom);
  const TRect win = Window(c, WidthOf(c) + 2);
  DrawCurved(c, r, [w, h, &win](const TRect& q) {
    if (q.Right <= q.Left || q.Bottom <= q.Top) return Region();
    return detail::RoundRectShape(q.Left, q.Top, q.Right, q.Bottom, w, h, &win);
  });
  return TRUE;
}

namespace {

enum class ArcKind { Arc, Pie, Chord };

// Keeps the pixels of rgn that lie in the angular sector (or, for a chord, on
// the arc's side of the chord) from the radial through start to the radial
// through end, counter-clockwise on screen.
Region CutArc(const Region& rgn, const TRect& r, TPoint start, TPoint end, bool clockwise, ArcKind kind) {
  double cx = (double(r.Left) + r.Right) / 2.0, cy = (double(r.Top) + r.Bottom) / 2.0;
  double a0 = std::atan2(-(start.Y + 0.5 - cy), start.X + 0.5 - cx);
  double a1 = std::atan2(-(end.Y + 0.5 - cy), end.X + 0.5 - cx);
  if (clockwise) std::swap(a0, a1);
  double span = std::fmod(a1 - a0 + 4 * kPi, 2 * kPi);
  if (span == 0) return rgn;  // same radial: the whole figure
  double sx = std::cos(a0), sy = -std::sin(a0), ex = std::cos(a0 + span), ey = -std::sin(a0 + span);
  double mx = std::cos(a0 + span / 2), my = -std::sin(a0 + span / 2);
  double side = (ex - sx) * (my - sy) - (ey - sy) * (mx - sx);
  double rx = std::max(1.0, (double(r.Right) - r.Left) / 2.0), ry = std::max(1.0, (double(r.Bottom) - r.Top) / 2.0);
  std::vector<Region::Span> spans;
  for (const Region::Band& b : rgn.Bands())
    for (int32_t y = b.Top; y < b.Bottom; ++y)
      for (size_t i = 0; i < b.Xs.size(); i += 2) {
        int32_t run = INT32_MIN;
        for (int32_t x = b.Xs[i]; x <= b.Xs[i + 1]; ++x) {
          bool keep = false;
          if (x < b.Xs[i + 1]) {
            double px = (x + 0.5 - cx) / rx, py = (y + 0.5 - cy) / ry;
            if (kind == ArcKind::Chord) {
              keep = ((ex - sx) * (py - sy) - (ey - sy) * (px - sx)) * side >= 0;
            } else {
              double a = std::atan2(-py, px);
              keep = std::fmod(a - a0 + 4 * kPi, 2 * kPi) <= span;
            }
          }
          if (keep && run == INT32_MIN) run = x;
          if (!keep && run != INT32_MIN) {
            spans.push_back({y, run, x});
            run = INT32_MIN;
          }
        }
      }
  return Region::FromSpans(std::move(spans));
}

BOOL DrawArc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye, ArcKind kind) {
  Ctx c;
  if (!c.Init(dc)) return FALSE;
  if (!c.Drawable()) return TRUE;
  TRect rc = NormalizedSurfRect(c, l, t, r, b);
  TPoint s = c.ToSurf({xs, ys}), e = c.ToSurf({xe, ye});
  const TRect win = Window(c, WidthOf(c) + 2);
  bool cw = c.Dc->State.ArcDirection == AD_CLOCKWISE;
  Pen pen = GetPen(c);
  uint8_t code = Rop(c);
  if (kind == ArcKind::Arc) {
    if (pen.Null) return TRUE;
    Region f = ShapeEllipse(rc, win);
    Region ring = Region::Combine(f, f.Erode(std::max(1, pen.Width), std::max(1, pen.Width)), Region::Op::Diff);
    detail::PaintRegion(c, CutArc(ring, rc, s, e, cw, kind), pen.PenInk, code);
    return TRUE;
  }
  Ink brush = detail::BrushInk(c, c.Dc->State.Brush);
  TRect box = pen.Null ? TRect{rc.Left, rc.Top, rc.Right - 1, rc.Bottom - 1} : rc;
  Region figure = CutArc(ShapeEllipse(box, win), box, s, e, cw, kind);
  if (pen.Null) {
    detail::PaintRegion(c, figure, brush, code);
    return TRUE;
  }
  Region inner = figure.Erode(pen.Width, pen.Width);
  detail::PaintRegion(c, inner, brush, code);
  detail::PaintRegion(c, Region::Combine(figure, inner, Region::Op::Diff), pen.PenInk, code);
  return TRUE;
}

}  // namespace

BOOL Arc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return DrawArc(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Arc);
}
BOOL Pie(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return DrawArc(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Pie);
}
BOOL Chord(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return DrawArc(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Chord);
}

// ---------------------------------------------------------------- rectangles
int FillRect(HDC dc, const RECT* r, HBRUSH brush) {
  Ctx c;
  HBRUSH b = detail::BrushFromArg(brush);
  if (!c.Init(dc) || !r || !b) return 0;
  detail::PaintRect(c, c.ToSurf(*r), detail::BrushInk(c, b), 0xF0);
  return 1;
}

int FrameRect(HDC dc, const RECT* r, HBRUSH brush) {
  Ctx c;
  HBRUSH b = detail::BrushFromArg(brush);
  if (!c.Init(dc) || !r || !b) return 0;
  if (r->IsEmpty()) return 1;
  TRect s = c.ToSurf(*r);
  Ink ink = detail::BrushInk(c, b);
  detail::PaintRect(c, {s.Left, s.Top, s.Right, s.Top + 1}, ink, 0xF0);
  if (s.Height() > 1) detail::PaintRect(c, {s.Left, s.Bottom - 1, s.Right, s.Bottom}, ink, 0xF0);
  detail::PaintRect(c, {s.Left, s.Top + 1, s.Left + 1, s.Bottom - 1}, ink, 0xF0);
  if (s.Width() > 1) detail::PaintRect(c, {s.Right - 1, s.Top + 1, s.Right, s.Bottom - 1}, ink, 0xF0);
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* r) {
  Ctx c;
  if (!c.Init(dc) || !r) return FALSE;
  detail::PaintRect(c, c.ToSurf(*r), Ink{}, 0x55);
  return TRUE;
}

// Every other pixel of the one-pixel frame, starting at the top-left corner,
// is inverted (colour bits only), so drawing it twice restores the picture.
BOOL DrawFocusRect(HDC dc, const RECT* r) {
  Ctx c;
  if (!c.Init(dc) || !r) return FALSE;
  if (r->IsEmpty()) return TRUE;
  TRect s = c.ToSurf(*r);
  Ink dots;
  dots.Null = false;
  dots.W = dots.H = 2;
  uint32_t inv = ColorToRaw(c.S, RGB(255, 255, 255)) ^ ColorToRaw(c.S, RGB(0, 0, 0));
  dots.Pattern = {inv, 0, 0, inv};
  dots.Hole = {0, 1, 1, 0};
  dots.HasHoles = true;
  dots.Org = {s.Left, s.Top};
  detail::PaintRect(c, {s.Left, s.Top, s.Right, s.Top + 1}, dots, 0x5A);
  if (s.Height() > 1) detail::PaintRect(c, {s.Left, s.Bottom - 1, s.Right, s.Bottom}, dots, 0x5A);
  detail::PaintRect(c, {s.Left, s.Top + 1, s.Left + 1, s.Bottom - 1}, dots, 0x5A);
  if (s.Width() > 1) detail::PaintRect(c, {s.Right - 1, s.Top + 1, s.Right, s.Bottom - 1}, dots, 0x5A);
  return TRUE;
}

// ---------------------------------------------------------------- pixels
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  Ctx c;
  if (!c.Init(dc)) return CLR_INVALID;
  TPoint p = c.ToSurf({x, y});
  if (!c.Drawable() || !c.Clip->Contains(p.X, p.Y)) return CLR_INVALID;
  uint32_t raw = ColorToRaw(c.S, color);
  WriteRaw(c.S, p.X, p.Y, raw);
  return RawToColor(c.S, raw);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) { return SetPixel(dc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC dc, int x, int y) {
  Ctx c;
  if (!c.Init(dc)) return CLR_INVALID;
  TPoint p = c.ToSurf({x, y});
  if (!c.Drawable() || !c.Clip->Contains(p.X, p.Y)) return CLR_INVALID;
  return RawToColor(c.S, ReadRaw(c.S, p.X, p.Y));
}

// ---------------------------------------------------------------- regions
namespace {

bool RegionToSurf(const Ctx& c, HRGN rgn, Region& out) {
  RegionObject* r = CheckedHandle<RegionObject>(rgn, OBJ_REGION);
  if (!r) return false;
  out = r->Rgn;
  out.Offset(c.Off.X, c.Off.Y);
  // Keep the offset region on this side of the coordinate limit.
  if (!out.IsEmpty()) out = out.Intersect({-detail::kCoordLimit, -detail::kCoordLimit, detail::kCoordLimit, detail::kCoordLimit});
  return true;
}

}  // namespace

BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
  Ctx c;
  Region r;
  HBRUSH b = detail::BrushFromArg(brush);
  if (!c.Init(dc) || !b || !RegionToSurf(c, rgn, r)) return FALSE;
  detail::PaintRegion(c, r, detail::BrushInk(c, b), 0xF0);
  return TRUE;
}

BOOL PaintRgn(HDC dc, HRGN rgn) {
  Ctx c;
  Region r;
  if (!c.Init(dc) || !RegionToSurf(c, rgn, r)) return FALSE;
  detail::PaintRegion(c, r, detail::BrushInk(c, c.Dc->State.Brush), Rop(c));
  return TRUE;
}

BOOL InvertRgn(HDC dc, HRGN rgn) {
  Ctx c;
  Region r;
  if (!c.Init(dc) || !RegionToSurf(c, rgn, r)) return FALSE;
  detail::PaintRegion(c, r, Ink{}, 0x55);
  return TRUE;
}

BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h) {
  Ctx c;
  Region r;
  HBRUSH b = detail::BrushFromArg(brush);
  if (!c.Init(dc) || !b || w < 0 || h < 0 || !RegionToSurf(c, rgn, r)) return FALSE;
  Region frame = Region::Combine(r, r.Erode(w, h), Region::Op::Diff);
  detail::PaintRegion(c, frame, detail::BrushInk(c, b), 0xF0);
  return TRUE;
}

}  // namespace win
