#include "imaging/core/iepoints.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr long double kFar = 1000000.0L;
// Past this the squared differences of the original 32-bit arithmetic would overflow.
constexpr int64_t kNearLimit = 45001;

constexpr long double kTwoPi = 2.0L * std::numbers::pi_v<long double>;

// Round half to even, held inside 32 bits.
int32_t RoundToInt32(double v) {
  if (!std::isfinite(v)) return 0;
  const double r = std::nearbyint(v);
  if (r >= 2147483647.0) return INT32_MAX;
  if (r <= -2147483648.0) return INT32_MIN;
  return int32_t(r);
}

long double Hypot(int64_t dx, int64_t dy) {
  return std::sqrt(static_cast<long double>(dx) * dx + static_cast<long double>(dy) * dy);
}

}  // namespace

bool IEPointInRect(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return left <= x && x <= right && top <= y && y <= bottom;
}

bool IEPointInNormalizedRect(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  return IEPointInRect(x, y, x1, y1, x2, y2);
}

bool IESegmentBoxIntersectsRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t left, int32_t top,
                                int32_t right, int32_t bottom) {
  if (std::max(x1, x2) < left || right < std::min(x1, x2)) return false;
  if (std::max(y1, y2) < top || bottom < std::min(y1, y2)) return false;
  return true;
}

void IEExtendRectToPoint(TRect& rect, int32_t x, int32_t y) {
  rect.Left = std::min(rect.Left, x);
  rect.Right = std::max(rect.Right, x);
  rect.Top = std::min(rect.Top, y);
  rect.Bottom = std::max(rect.Bottom, y);
}

void IEFitKeepingAspect(int32_t width, int32_t height, int32_t boxWidth, int32_t boxHeight, int32_t& newWidth,
                        int32_t& newHeight) {
  if (width == 0 || height == 0) return;
  const double f = std::min(double(boxHeight) / height, double(boxWidth) / width);
  const double w = std::trunc(width * f), h = std::trunc(height * f);
  newWidth = int32_t(std::clamp(w, 1.0, 2147483647.0));
  newHeight = int32_t(std::clamp(h, 1.0, 2147483647.0));
}

long double IEPointDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return Hypot(int64_t(x2) - x1, int64_t(y2) - y1);
}

long double IEDistPointToLine(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const long double len = IEPointDistance(x1, y1, x2, y2);
  const long double num = static_cast<long double>(int64_t(y1) - y2) * x + static_cast<long double>(int64_t(x2) - x1) * y +
                          (static_cast<long double>(x1) * y2 - static_cast<long double>(x2) * y1);
  const long double d = std::fabs(num) / len;
  return std::isfinite(d) ? d : kFar;
}

long double IEDistPointToSegment(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 == x2 && y1 == y2) return IEPointDistance(x, y, x1, y1);
  const int64_t ex = int64_t(x2) - x1, ey = int64_t(y2) - y1;
  const long double t =
      (static_cast<long double>(int64_t(x) - x1) * ex + static_cast<long double>(int64_t(y) - y1) * ey) /
      (static_cast<long double>(ex) * ex + static_cast<long double>(ey) * ey);
  if (!std::isfinite(t)) return kFar;
  if (t > 1) {
    if (std::llabs(int64_t(x) - x2) < kNearLimit && std::llabs(int64_t(y) - y2) < kNearLimit)
      return IEPointDistance(x, y, x2, y2);
    return kFar;
  }
  if (t >= 0) return IEDistPointToLine(x, y, x1, y1, x2, y2);
  if (std::llabs(int64_t(x1) - x) < kNearLimit && std::llabs(int64_t(y1) - y) < kNearLimit)
    return IEPointDistance(x, y, x1, y1);
  return kFar;
}

long double IEDistPointToPolyline(int32_t x, int32_t y, const TPoint* points, int32_t count, int32_t originX,
                                  int32_t originY, int32_t offsetX, int32_t offsetY, double zoomX, double zoomY,
                                  int32_t penWidth, bool closed) {
  if (count <= 0 || points == nullptr) return kFar;
  if (count == 1 && !closed) return kFar;
  auto map = [&](int32_t i) {
    return TPoint(RoundToInt32(zoomX * (double(points[i].X) - originX) + offsetX),
                  RoundToInt32(zoomY * (double(points[i].Y) - originY) + offsetY));
  };
  long double best = kFar;
  auto segment = [&](const TPoint& a, const TPoint& b) {
    best = std::min(best, IEDistPointToSegment(x, y, a.X, a.Y, b.X, b.Y));
    if (penWidth <= 1) return;
    const int32_t half = penWidth / 2;
    for (int32_t e = -half; e <= half; ++e)
      for (int32_t g = 2; g <= half; ++g)
        best = std::min(best, IEDistPointToSegment(x, y, a.X + e, a.Y + g, b.X + e, b.Y + g));
  };
  TPoint previous = map(0);
  for (int32_t i = 1; i < count; ++i) {
    const TPoint p = map(i);
    segment(previous, p);
    previous = p;
  }
  if (closed) segment(previous, map(0));
  return best;
}

long double IEArcTan2(long double y, long double x) { return std::atan2(y, x); }

long double IEArcCos(long double v) {
  if (v == 1 || v == -1) return 0;
  return std::atan2(std::sqrt(1 - v * v), v);
}

long double IESegmentsAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  const int64_t ax = int64_t(x2) - x1, ay = int64_t(y2) - y1;
  const int64_t bx = int64_t(x3) - x2, by = int64_t(y3) - y2;
  const long double la = Hypot(ax, ay), lb = Hypot(bx, by);
  if (la == 0 || lb == 0) return 0;
  const long double c = (static_cast<long double>(ax) * bx + static_cast<long double>(ay) * by) / (la * lb);
  if (!(c >= -1 && c <= 1)) return 0;
  return IEArcCos(c);
}

long double IELineAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const long double dx = static_cast<long double>(int64_t(x2) - x1);
  const long double dy = static_cast<long double>(int64_t(y1) - y2);  // screen y grows downward
  if (dx == 0 && dy == 0) return 0;
  long double a = std::atan2(dy, dx);
  if (a < 0) a += kTwoPi;
  return a >= kTwoPi ? 0 : a;
}

int32_t IEPointsOrientation(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  const int64_t d1x = int64_t(x2) - x1, d1y = int64_t(y2) - y1;
  const int64_t d2x = int64_t(x3) - x1, d2y = int64_t(y3) - y1;
  // Products of 33-bit differences need up to 66 bits.
  const __int128 a = static_cast<__int128>(d1x) * d2y, b = static_cast<__int128>(d1y) * d2x;
  if (a > b) return 1;
  if (a < b) return -1;
  if (static_cast<__int128>(d1x) * d2x < 0 || static_cast<__int128>(d1y) * d2y < 0) return -1;
  const __int128 l1 = static_cast<__int128>(d1x) * d1x + static_cast<__int128>(d1y) * d1y;
  const __int128 l2 = static_cast<__int128>(d2x) * d2x + static_cast<__int128>(d2y) * d2y;
  return l1 < l2 ? 1 : 0;
}

long double IEVertexAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  long double a = IEPointDistance(x2, y2, x3, y3);
  long double b = IEPointDistance(x1, y1, x3, y3);
  long double c = IEPointDistance(x1, y1, x2, y2);
  if (a == 0) a = 1;
  if (b == 0) b = 1;
  if (c == 0) c = 1;
  // The replaced zero lengths can push the cosine just outside its range.
  const long double cosine = std::clamp((a * a + c * c - b * b) / (2 * a * c), -1.0L, 1.0L);
  const long double alpha = IEArcCos(cosine);
  return IEPointsOrientation(x1, y1, x2, y2, x3, y3) == -1 ? kTwoPi - alpha : alpha;
}

void IESnapTo45Degrees(int32_t anchorX, int32_t anchorY, int32_t& x, int32_t& y) {
  const int64_t dx = std::llabs(int64_t(anchorX) - x), dy = std::llabs(int64_t(anchorY) - y);
  if (dy > dx + 30) {
    x = anchorX;
    return;
  }
  if (dx > dy + 30) {
    y = anchorY;
    return;
  }
  const int32_t k = int32_t(std::llabs(dx - dy));
  const bool wide = dx >= dy;
  if (x > anchorX && y > anchorY) {
    if (wide) y += k; else x += k;
  } else if (x < anchorX && y < anchorY) {
    if (wide) x += k; else y += k;
  } else if (x < anchorX && y >= anchorY) {
    if (wide) y += k; else x -= k;
  } else if (y < anchorY && x >= anchorX) {
    if (wide) y -= k; else x += k;
  }
}
