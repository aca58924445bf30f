// The coverage rasteriser of the smooth engine.
//
// Antialiased rows are built the way outline-font rasterisers do it: every
// edge adds, to the cells of each pixel row it crosses, the signed area it
// sweeps, split into what falls inside its cell and what lies to the right of
// it. A running sum along the row then gives each pixel the signed area of
// its square inside the outline (the winding number integrated over the
// square), which the fill rule maps to coverage. Rows are independent, so
// only the rows and columns of the drawing box are ever accumulated: edge
// parts left of the box add their whole height to its first cell, parts
// right of it are dropped.
//
//      cell i      cell i+1
//   +----------+----------+
//   |    /     |          |   a piece of height d at mean distance m from
//   |   /      |          |   the cell's left side adds d * (1 - m) to cell i
//   |  /       |          |   and d * m to cell i + 1: what the pixels from
//   +----------+----------+   i + 1 on receive in full.
#include "platform/gdi/smoothraster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace win::smooth {

namespace {

struct Edge {
  double x0, y0, x1, y1;  // y0 < y1
  double dxdy;
  int32_t dir;  // +1 where the contour runs down the screen, -1 up

  double XAt(double y) const {
    if (y <= y0) return x0;
    if (y >= y1) return x1;
    return x0 + (y - y0) * dxdy;
  }
};

constexpr double kLimit = double(1 << 30);

int32_t FloorClamped(double v) { return int32_t(std::floor(std::clamp(v, -kLimit, kLimit))); }
int32_t CeilClamped(double v) { return int32_t(std::ceil(std::clamp(v, -kLimit, kLimit))); }

// A piece of an edge within one row and within columns [0, width], spanning
// x from lo to hi (lo <= hi) with signed height dy.
void AddCells(std::vector<double>& acc, double lo, double hi, double dy) {
  const int32_t i0 = std::max<int32_t>(0, int32_t(std::floor(lo)));
  if (hi <= i0 + 1) {
    const double m = (lo + hi) * 0.5 - i0;
    acc[size_t(i0)] += dy * (1 - m);
    acc[size_t(i0) + 1] += dy * m;
    return;
  }
  const double perX = dy / (hi - lo);
  const int32_t i1 = int32_t(std::ceil(hi));
  for (int32_t i = i0; i < i1; ++i) {
    const double xs = std::max(lo, double(i)), xe = std::min(hi, double(i + 1));
    const double d = (xe - xs) * perX;
    const double m = (xs + xe) * 0.5 - i;
    acc[size_t(i)] += d * (1 - m);
    acc[size_t(i) + 1] += d * m;
  }
}

// A piece of an edge within one row, x relative to the box's left side.
// Only the set of points matters, not the direction along it.
void AddRowPiece(std::vector<double>& acc, int32_t width, double ua, double ub, double dy) {
  double lo = std::min(ua, ub), hi = std::max(ua, ub);
  if (hi <= 0) {
    acc[0] += dy;
    return;
  }
  if (lo >= width) return;
  if (hi == lo) {
    AddCells(acc, lo, hi, dy);
    return;
  }
  const double perX = dy / (hi - lo);
  if (lo < 0) {
    acc[0] += -lo * perX;
    lo = 0;
  }
  if (hi > width) hi = width;
  if (hi > lo) AddCells(acc, lo, hi, (hi - lo) * perX);
}

float Coverage(double signedArea, bool evenOdd) {
  double a = std::fabs(signedArea);
  if (evenOdd) {
    a = std::fmod(a, 2.0);
    if (a > 1) a = 2 - a;
  } else if (a > 1) {
    a = 1;
  }
  return a < 1e-7 ? 0.0f : float(a);
}

struct Crossing {
  double x;
  int32_t dir;
};

}  // namespace

void Rasterize(const std::vector<Contour>& contours, bool evenOdd, bool antialias, const TRect& box,
               const CoverageRow& row) {
  std::vector<Edge> edges;
  double minX = std::numeric_limits<double>::infinity(), maxX = -minX, minY = minX, maxY = -minX;
  for (const Contour& c : contours) {
    const size_t n = c.size();
    if (n < 2) continue;
    for (size_t i = 0; i < n; ++i) {
      const Pt& p = c[i];
      const Pt& q = c[(i + 1) % n];
      minX = std::min(minX, p.x);
      maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
      if (p.y == q.y) continue;  // horizontal edges bound nothing
      Edge e = p.y < q.y ? Edge{p.x, p.y, q.x, q.y, 0, 1} : Edge{q.x, q.y, p.x, p.y, 0, -1};
      e.dxdy = (e.x1 - e.x0) / (e.y1 - e.y0);
      edges.push_back(e);
    }
  }
  if (edges.empty()) return;

  const int32_t top = std::max(box.Top, FloorClamped(minY)), bottom = std::min(box.Bottom, CeilClamped(maxY));
  const int32_t left = std::max(box.Left, FloorClamped(minX)), right = std::min(box.Right, CeilClamped(maxX));
  if (top >= bottom || left >= right) return;
  const int32_t width = right - left;

  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  std::vector<const Edge*> active;
  size_t next = 0;
  std::vector<double> acc(size_t(width) + 2);
  std::vector<float> cov(static_cast<size_t>(width));
  std::vector<Crossing> crossings;

  for (int32_t y = top; y < bottom; ++y) {
    while (next < edges.size() && edges[next].y0 < y + 1) active.push_back(&edges[next++]);
    std::erase_if(active, [y](const Edge* e) { return e->y1 <= y; });
    if (active.empty()) {
      if (next == edges.size()) break;
      continue;
    }
    int32_t first = -1, last = -1;
    if (antialias) {
      std::fill(acc.begin(), acc.end(), 0.0);
      for (const Edge* e : active) {
        const double ya = std::max(e->y0, double(y)), yb = std::min(e->y1, double(y) + 1);
        if (yb <= ya) continue;
        AddRowPiece(acc, width, e->XAt(ya) - left, e->XAt(yb) - left, (yb - ya) * e->dir);
      }
      double sum = 0;
      for (int32_t c = 0; c < width; ++c) {
        sum += acc[size_t(c)];
        cov[size_t(c)] = Coverage(sum, evenOdd);
        if (cov[size_t(c)] > 0) {
          if (first < 0) first = c;
          last = c;
        }
      }
    } else {
      // Centres on the right or bottom edge count as inside: an edge is
      // crossed when y0 < centre <= y1, a centre is past a crossing when x < centre.
      const double ys = y + 0.5;
      crossings.clear();
      for (const Edge* e : active)
        if (e->y0 < ys && ys <= e->y1) crossings.push_back({e->XAt(ys), e->dir});
      std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
      std::fill(cov.begin(), cov.end(), 0.0f);
      int32_t winding = 0;
      for (size_t k = 0; k + 1 < crossings.size(); ++k) {
        winding += crossings[k].dir;
        if (evenOdd ? (winding & 1) == 0 : winding == 0) continue;
        // Pixels c with crossings[k].x < c + 0.5 <= crossings[k + 1].x.
        const double a = std::clamp(crossings[k].x - left - 0.5, -2.0, double(width) + 1);
        const double b = std::clamp(crossings[k + 1].x - left - 0.5, -2.0, double(width) + 1);
        const int32_t c0 = std::max<int32_t>(0, int32_t(std::floor(a)) + 1);
        const int32_t c1 = std::min<int32_t>(width - 1, int32_t(std::floor(b)));
        for (int32_t c = c0; c <= c1; ++c) cov[size_t(c)] = 1.0f;
        if (c0 <= c1) {
          if (first < 0 || c0 < first) first = c0;
          last = std::max(last, c1);
        }
      }
    }
    if (first >= 0) row(y, left + first, cov.data() + first, last - first + 1);
  }
}

}  // namespace win::smooth
