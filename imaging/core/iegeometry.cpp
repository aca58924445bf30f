#include "imaging/core/iegeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "imaging/core/iepoints.h"

namespace {

int32_t ClampToInt32(double v) {
  if (!(v > -2147483648.0)) return v != v ? 0 : INT32_MIN;
  if (v >= 2147483647.0) return INT32_MAX;
  return int32_t(v);
}

int32_t Nearest(double v) { return ClampToInt32(std::nearbyint(v)); }
int32_t Trunc(double v) { return ClampToInt32(std::trunc(v)); }

// A walk of more steps than this finds nothing a hit test could tell apart,
// and an absurd ellipse must not turn a mouse move into a hang.
constexpr int64_t kMaxEllipseSteps = 1 << 20;

}  // namespace

void IEFitRect(int32_t srcWidth, int32_t srcHeight, int32_t boxWidth, int32_t boxHeight, int32_t x, int32_t y,
               bool enlarge, bool shrink, bool centerHorz, bool centerVert, double cropPercentage, bool invert,
               TRect& rect) {
  if (srcWidth == 0 || srcHeight == 0 || boxWidth == 0 || boxHeight == 0) {
    rect = TRect(x, y, 0, 0);
    return;
  }
  bool wide = double(srcWidth) / boxWidth > double(srcHeight) / boxHeight;
  if (invert) wide = !wide;
  const bool fit = wide ? (srcWidth > boxWidth ? shrink : enlarge) : (srcHeight > boxHeight ? shrink : enlarge);
  int32_t w = srcWidth, h = srcHeight;
  if (fit && wide) {
    double f = double(boxWidth) / srcWidth;
    if (cropPercentage > 0) {
      f = boxWidth / ((100 - cropPercentage) * srcWidth / 100);
      if (Nearest(srcHeight * f) > boxHeight) f = double(boxHeight) / srcHeight;
    }
    h = Nearest(srcHeight * f);
    w = Nearest(srcWidth * f);
  } else if (fit) {
    double f = double(boxHeight) / srcHeight;
    if (cropPercentage > 0) {
      f = boxHeight / ((100 - cropPercentage) * srcHeight / 100);
      if (Nearest(srcWidth * f) > boxWidth) f = double(boxWidth) / srcWidth;
    }
    w = Nearest(srcWidth * f);
    h = Nearest(srcHeight * f);
  }
  rect.Left = x;
  rect.Top = y;
  if (centerHorz) rect.Left = x + Trunc(boxWidth / 2.0 - w / 2.0);
  if (centerVert) rect.Top = y + Trunc(boxHeight / 2.0 - h / 2.0);
  rect.Right = rect.Left + w;
  rect.Bottom = rect.Top + h;
}

void IEFitSize(int32_t srcWidth, int32_t srcHeight, int32_t boxWidth, int32_t boxHeight, bool enlarge, bool invert,
               TSize& size) {
  TRect r;
  IEFitRect(srcWidth, srcHeight, boxWidth, boxHeight, 0, 0, enlarge, true, false, false, 0, invert, r);
  size = TSize(r.Right, r.Bottom);
}

void IERotatePoints(std::vector<TPoint>& points, int32_t cx, int32_t cy, double angle) {
  const double a = -angle * std::numbers::pi / 180;
  const double c = std::cos(a), s = std::sin(a);
  for (TPoint& p : points) {
    const double dx = double(p.X) - cx, dy = double(p.Y) - cy;
    p = TPoint(Trunc(cx + std::trunc(c * dx - s * dy)), Trunc(cy + std::trunc(s * dx + c * dy)));
  }
}

namespace {

// The even-odd test shared by both polygon routines, on points already in view coordinates.
template <class PointAt>
bool EvenOdd(double x, double y, int32_t count, PointAt at) {
  bool inside = false;
  for (int32_t i = 0, j = count - 1; i < count; j = i++) {
    const auto [xi, yi] = at(i);
    const auto [xj, yj] = at(j);
    if (((yi <= y && y < yj) || (yj <= y && y < yi)) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

}  // namespace

bool IEPointInPolygon(int32_t x, int32_t y, const std::vector<TPoint>& points) {
  // The product is exact in 64 bits; only the division is done in floating point.
  bool inside = false;
  const int32_t n = int32_t(points.size());
  for (int32_t i = 0, j = n - 1; i < n; j = i++) {
    const TPoint& pi = points[size_t(i)];
    const TPoint& pj = points[size_t(j)];
    if ((pi.Y <= y && y < pj.Y) || (pj.Y <= y && y < pi.Y)) {
      const int64_t product = (int64_t(pj.X) - pi.X) * (int64_t(y) - pi.Y);
      if (x < double(product) / (int64_t(pj.Y) - pi.Y) + pi.X) inside = !inside;
    }
  }
  return inside;
}

bool IEPointInScaledPolygon(int32_t x, int32_t y, const TPoint* points, int32_t count, int32_t originX,
                            int32_t originY, int32_t offsetX, int32_t offsetY, double scaleX, double scaleY) {
  if (count <= 0 || points == nullptr) return false;
  return EvenOdd(x, y, count, [&](int32_t i) {
    return std::pair<double, double>((double(points[i].X) - originX) * scaleX + offsetX,
                                     (double(points[i].Y) - originY) * scaleY + offsetY);
  });
}

double IEDistToEllipseOutline(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool filled,
                              int32_t penWidth) {
  double result = 2147483647.0;
  const int32_t half = penWidth / 2;
  const int32_t halfW = int32_t((int64_t(x2) - x1) / 2), halfH = int32_t((int64_t(y2) - y1) / 2);
  const int32_t dx = Trunc(double(x) - (double(x1) + halfW)), dy = Trunc(double(y) - (double(y1) + halfH));
  for (int32_t k = -half; k <= half; ++k) {
    const int32_t rx = Trunc(double(halfW) + k), ry = Trunc(double(halfH) + k);
    int64_t n = int64_t(std::trunc(double(std::min(rx, ry)) * 2 * std::numbers::pi));
    if (!filled) n >>= 3;
    n = std::clamp<int64_t>(n, 2, kMaxEllipseSteps);
    TPoint previous(rx, 0);
    for (int64_t j = 1; j <= n; ++j) {
      const double t = 2 * std::numbers::pi * double(j) / double(n);
      const TPoint p(Trunc(std::cos(t) * rx), Trunc(std::sin(t) * ry));
      double d;
      if (filled)
        d = std::trunc(double(IEDistPointToSegment(dx, dy, 0, 0, p.X, p.Y)));
      else
        d = double(IEDistPointToSegment(dx, dy, previous.X, previous.Y, p.X, p.Y));
      result = std::min(result, d);
      previous = p;
    }
  }
  return result;
}

double IEDistToRectOutline(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool filled,
                           int32_t penWidth) {
  double result = 2147483647.0;
  const int32_t half = penWidth / 2;
  for (int32_t k = -half; k <= half; ++k) {
    const int32_t l = Trunc(double(x1) + k), t = Trunc(double(y1) + k);
    const int32_t r = Trunc(double(x2) + k), b = Trunc(double(y2) + k);
    if (filled && IEPointInRect(x, y, l, t, r, b)) return 0;
    result = std::min({result, double(IEDistPointToSegment(x, y, l, t, r, t)),
                       double(IEDistPointToSegment(x, y, r, t, r, b)), double(IEDistPointToSegment(x, y, l, b, r, b)),
                       double(IEDistPointToSegment(x, y, l, t, l, b))});
  }
  return result;
}

void IEQuickSortByCallbacks(int32_t low, int32_t high, const TIECompareCallback& compare,
                            const TIEExchangeCallback& exchange) {
  int32_t l = low;
  int32_t i;
  do {
    i = l;
    int32_t j = high;
    int32_t p = l + ((high - l) >> 1);
    do {
      // The bounds only matter for a comparison that is not a consistent order.
      while (i < high && compare(i, p) < 0) ++i;
      while (j > l && compare(j, p) > 0) --j;
      if (i <= j) {
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        exchange(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (l < j) IEQuickSortByCallbacks(l, j, compare, exchange);
    l = i;
  } while (i < high);
}

void IESortByCallbacks(int32_t count, const TIECompareCallback& compare, const TIEExchangeCallback& exchange) {
  if (count > 0) IEQuickSortByCallbacks(0, count - 1, compare, exchange);
}
