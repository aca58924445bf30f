// Curve flattening and the stroker of the smooth engine.
//
// A stroke is the area swept by a pen of width w centred on the path. Each
// figure becomes outlines whose non-zero fill is that area:
//   open figure    one contour: the left side forward, the right side back,
//                  joined by the flat ends;
//   closed figure  two contours: the left side forward and the right side
//                  backward, so that the ring between them winds once and the
//                  inside (or outside) of the figure not at all.
// On the outer side of a turn the pen's join fills the gap (round, miter,
// bevel); on the inner side the two offset lines meet at their intersection,
// or, when that lies beyond one of the segments, the side runs through the
// vertex itself so that the short segment's area stays covered.
#include <algorithm>
#include <cmath>

#include "platform/gdi/smooth.h"
#include "platform/gdi/smoothraster.h"

namespace win::smooth {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEps = 1e-9;

struct Vec {
  double x, y;
};
double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
Pt Along(Pt p, Vec v, double t) { return {p.x + v.x * t, p.y + v.y * t}; }

// Drops repeated points (and, for a closed figure, a last point equal to the first).
std::vector<Pt> Clean(const std::vector<Pt>& in, bool closed) {
  std::vector<Pt> out;
  out.reserve(in.size());
  for (const Pt& p : in)
    if (out.empty() || std::fabs(p.x - out.back().x) > kEps || std::fabs(p.y - out.back().y) > kEps)
      out.push_back(p);
  while (closed && out.size() > 1 && std::fabs(out.back().x - out.front().x) <= kEps &&
         std::fabs(out.back().y - out.front().y) <= kEps)
    out.pop_back();
  return out;
}

void AppendRoundJoin(Contour& out, Pt p, Vec v1, double h, double sweep) {
  const double a1 = std::atan2(v1.y, v1.x);
  const int32_t n = ArcSegments(h, std::fabs(sweep));
  for (int32_t k = 0; k <= n; ++k) {
    const double a = a1 + sweep * k / n;
    out.push_back({p.x + h * std::cos(a), p.y + h * std::sin(a)});
  }
}

// The points of one side (s = +1 left, -1 right, normals (-d.y, d.x)) at a
// vertex p where direction a turns into direction b.
void AppendJoin(Contour& out, Pt p, Vec a, Vec b, double lenIn, double lenOut, double s, double h,
                const StrokeStyle& st) {
  const Vec na{-a.y * s, a.x * s}, nb{-b.y * s, b.x * s};
  const Pt p1 = Along(p, na, h), p2 = Along(p, nb, h);
  const double cr = Cross(a, b), dt = Dot(a, b);
  if (std::fabs(cr) < kEps && dt > 0) {
    out.push_back(p1);
    return;
  }
  const bool reversal = std::fabs(cr) < kEps;
  const bool outer = reversal || s * cr < 0;
  const double cosHalf = std::sqrt(std::max(0.0, (1 + dt) / 2));
  Vec bis = reversal ? a : Vec{na.x + nb.x, na.y + nb.y};
  const double bl = std::hypot(bis.x, bis.y);
  if (bl > kEps) bis = {bis.x / bl, bis.y / bl};

  if (!outer) {
    const double sinHalf = std::sqrt(std::max(0.0, (1 - dt) / 2));
    const double reach = cosHalf > kEps ? h * sinHalf / cosHalf : HUGE_VAL;
    if (reach <= lenIn && reach <= lenOut) {
      out.push_back(Along(p, bis, h / cosHalf));
    } else {
      out.push_back(p1);
      out.push_back(p);
      out.push_back(p2);
    }
    return;
  }
  switch (st.join) {
    case SmoothJoinRound: {
      const Vec v1{p1.x - p.x, p1.y - p.y}, v2{p2.x - p.x, p2.y - p.y};
      double sweep = std::atan2(Cross(v1, v2), Dot(v1, v2));
      if (reversal) sweep = Cross(v1, a) > 0 ? kPi : -kPi;
      AppendRoundJoin(out, p, v1, h, sweep);
      return;
    }
    case SmoothJoinMiter:
    case SmoothJoinMiterClipped: {
      const double limit = std::max(1.0, st.miterLimit);
      if (!reversal && cosHalf > kEps && 1 / cosHalf <= limit) {
        out.push_back(Along(p, bis, h / cosHalf));
        return;
      }
      if (st.join == SmoothJoinMiterClipped) {
        // Both offset lines run on to the line across the bisector at limit * h.
        const double ab = Dot(a, bis), bb = Dot(b, bis);
        if (std::fabs(ab) > kEps && std::fabs(bb) > kEps) {
          const double d1 = Dot({p1.x - p.x, p1.y - p.y}, bis), d2 = Dot({p2.x - p.x, p2.y - p.y}, bis);
          out.push_back(Along(p1, a, (limit * h - d1) / ab));
          out.push_back(Along(p2, b, (limit * h - d2) / bb));
          return;
        }
      }
      break;
    }
    default: break;
  }
  out.push_back(p1);
  out.push_back(p2);
}

struct Segments {
  std::vector<Vec> dir;
  std::vector<double> len;
};

Segments Measure(const std::vector<Pt>& p, bool closed) {
  Segments s;
  const size_t n = p.size(), count = closed ? n : n - 1;
  for (size_t i = 0; i < count; ++i) {
    const Pt& a = p[i];
    const Pt& b = p[(i + 1) % n];
    const double l = std::hypot(b.x - a.x, b.y - a.y);
    s.dir.push_back({(b.x - a.x) / l, (b.y - a.y) / l});
    s.len.push_back(l);
  }
  return s;
}

void StrokeOpen(const std::vector<Pt>& p, double h, const StrokeStyle& st, std::vector<Contour>& out) {
  const size_t n = p.size();
  if (n < 2) return;
  const Segments seg = Measure(p, false);
  Contour sides[2];
  for (int side = 0; side < 2; ++side) {
    const double s = side == 0 ? 1.0 : -1.0;
    Contour& c = sides[side];
    c.push_back(Along(p[0], {-seg.dir[0].y * s, seg.dir[0].x * s}, h));
    for (size_t i = 1; i + 1 < n; ++i) AppendJoin(c, p[i], seg.dir[i - 1], seg.dir[i], seg.len[i - 1], seg.len[i], s, h, st);
    const Vec& d = seg.dir[n - 2];
    c.push_back(Along(p[n - 1], {-d.y * s, d.x * s}, h));
  }
  Contour outline = std::move(sides[0]);
  outline.insert(outline.end(), sides[1].rbegin(), sides[1].rend());
  out.push_back(std::move(outline));
}

void StrokeClosed(const std::vector<Pt>& p, double h, const StrokeStyle& st, std::vector<Contour>& out) {
  const size_t n = p.size();
  if (n < 2) return;
  const Segments seg = Measure(p, true);
  for (int side = 0; side < 2; ++side) {
    const double s = side == 0 ? 1.0 : -1.0;
    Contour c;
    for (size_t i = 0; i < n; ++i) {
      const size_t in = (i + n - 1) % n;
      AppendJoin(c, p[i], seg.dir[in], seg.dir[i], seg.len[in], seg.len[i], s, h, st);
    }
    if (side == 1) std::reverse(c.begin(), c.end());
    out.push_back(std::move(c));
  }
}

// Dash patterns in pen widths: on, off, on, off ...
struct DashPattern {
  int32_t count;
  double lengths[6];
};
constexpr DashPattern kDashes[] = {
    {0, {}}, {2, {3, 1}}, {2, {1, 1}}, {4, {3, 1, 1, 1}}, {6, {3, 1, 1, 1, 1, 1}},
};

// The dashes of a figure as open pieces.
std::vector<std::vector<Pt>> Dash(const std::vector<Pt>& p, bool closed, const DashPattern& pat, double unit) {
  std::vector<std::vector<Pt>> pieces;
  const size_t n = p.size(), count = closed ? n : n - 1;
  int32_t index = 0;
  double remain = pat.lengths[0] * unit;
  bool on = true;
  std::vector<Pt> cur{p[0]};
  for (size_t i = 0; i < count; ++i) {
    const Pt& a = p[i];
    const Pt& b = p[(i + 1) % n];
    const double l = std::hypot(b.x - a.x, b.y - a.y);
    double pos = 0;
    while (l - pos > remain) {
      pos += remain;
      const Pt q{a.x + (b.x - a.x) * pos / l, a.y + (b.y - a.y) * pos / l};
      if (on) {
        cur.push_back(q);
        pieces.push_back(std::move(cur));
        cur.clear();
      } else {
        cur = {q};
      }
      on = !on;
      index = (index + 1) % pat.count;
      remain = pat.lengths[index] * unit;
    }
    remain -= l - pos;
    if (on) cur.push_back(b);
  }
  if (on && cur.size() >= 2) pieces.push_back(std::move(cur));
  return pieces;
}

}  // namespace

int32_t ArcSegments(double radius, double sweep) {
  const double r = std::fabs(radius);
  const double step = r > kFlatness ? 2 * std::acos(1 - kFlatness / r) : kPi / 2;
  const double n = std::ceil(std::fabs(sweep) / std::max(step, 1e-6));
  return int32_t(std::clamp(n, 1.0, double(1 << 16)));
}

void AppendArc(std::vector<Pt>& out, double cx, double cy, double rx, double ry, double startDeg, double sweepDeg) {
  rx = std::fabs(rx);
  ry = std::fabs(ry);
  sweepDeg = std::clamp(sweepDeg, -360.0, 360.0);
  const double ts0 = startDeg * kPi / 180, te0 = (startDeg + sweepDeg) * kPi / 180;
  // The curve parameter of the point that lies in direction t from the centre.
  auto param = [rx, ry](double t) { return std::atan2(rx * std::sin(t), ry * std::cos(t)); };
  const double ts = param(ts0);
  double dt;
  if (std::fabs(sweepDeg) >= 360) {
    dt = sweepDeg > 0 ? 2 * kPi : -2 * kPi;
  } else {
    dt = std::remainder(param(te0) - ts, 2 * kPi);  // in [-pi, pi]
    if (sweepDeg > 0 && dt < 0) dt += 2 * kPi;
    if (sweepDeg < 0 && dt > 0) dt -= 2 * kPi;
    if (sweepDeg == 0) dt = 0;
  }
  const int32_t n = dt == 0 ? 0 : ArcSegments(std::max(rx, ry), dt);
  for (int32_t k = 0; k <= n; ++k) {
    const double t = n ? ts + dt * k / n : ts;
    out.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
  }
}

void StrokeFigure(const std::vector<Pt>& points, bool closed, const StrokeStyle& style, std::vector<Contour>& out) {
  const std::vector<Pt> p = Clean(points, closed);
  if (p.size() < 2) return;
  const double width = std::max(1.0, style.width), h = width / 2;
  if (style.dash > SmoothDashSolid && style.dash <= SmoothDashDashDotDot) {
    for (const std::vector<Pt>& piece : Dash(p, closed, kDashes[style.dash], width))
      StrokeOpen(Clean(piece, false), h, style, out);
    return;
  }
  if (closed) StrokeClosed(p, h, style, out);
  else StrokeOpen(p, h, style, out);
}

}  // namespace win::smooth
