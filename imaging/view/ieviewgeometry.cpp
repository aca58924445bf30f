// The view's geometry: zoom, fit, scroll limits, the visible area and the
// client <-> bitmap conversions with their lookup tables.
#include "imaging/view/ieviewgeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Zooms below this are raised to it: 100 / zoom must stay a finite number.
constexpr double kMinZoom = 1e-6;

// A whole-image table longer than this is not built; the conversions then
// answer by formula. Legitimate tables stay far below it (the zoomed extent
// is capped at IEMaxZoomedExtent).
constexpr int64_t kMaxTableEntries = 2 * int64_t(IEMaxZoomedExtent) + 64;

// Conversions to int32_t saturate (NaN gives 0), so that extreme zooms can
// never overflow into undefined behaviour.
int32_t Saturate(double v) {
  if (std::isnan(v)) return 0;
  if (v >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (v <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return int32_t(v);
}

int32_t Trunc(double v) { return Saturate(std::trunc(v)); }

// Halves go to the even neighbour.
int32_t Round(double v) {
  double r = std::round(v);
  if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
  return Saturate(r);
}

int64_t Trunc64(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 9.0e18) return int64_t(9.0e18);
  if (v <= -9.0e18) return -int64_t(9.0e18);
  return int64_t(std::trunc(v));
}

// v x zoom / 100 and v x 100 / zoom, evaluated so that a product that is a
// whole number comes out as one (v x (100 / zoom) would not: 3 x (100 / 300)
// is just below 1).
double Zoomed(double v, double zoom) { return v * zoom / 100.0; }
double Unzoomed(double v, double zoom) { return v * 100.0 / zoom; }

double ZoomCap(int32_t extent) { return 100.0 * double(IEMaxZoomedExtent) / double(std::max(extent, 1)); }

// One axis of the whole-image tables.
struct AxisTables {
  std::vector<int32_t>& ZoomedToBitmap;
  std::vector<int32_t>& BitmapToZoomed;
  size_t& ZoomedFilled;
  size_t& BitmapFilled;
  int32_t& ClientToBitmapLen;
  int32_t& BitmapToClientLen;
};

struct AxisParams {
  int32_t Extent;  // W or H
  double Zoom;
  int32_t Painted, ZoomedExtent;
  int32_t LastColumn() const { return std::max(Extent - 1, 0); }

  // What the tables hold, by formula, for entries the build did not fill.
  int32_t ZoomedToBitmap(int64_t z) const {
    if (Zoom > 100) return std::min(Trunc(Unzoomed(double(z), Zoom)), LastColumn());
    // The first column whose zoomed position reaches z.
    int64_t k = std::max<int64_t>(Trunc64(std::ceil(Unzoomed(double(z), Zoom))) - 1, 0);
    for (int i = 0; i < 8 && Trunc64(Zoomed(double(k), Zoom)) < z; ++i) ++k;
    return int32_t(std::min<int64_t>(k, LastColumn()));
  }
  int32_t BitmapToZoomed(int64_t c) const {
    if (Zoom <= 100) return Trunc(Zoomed(double(c), Zoom));
    // The first zoomed position that shows column c.
    int64_t j = std::max<int64_t>(Trunc64(std::ceil(Zoomed(double(c), Zoom))) - 1, 0);
    for (int i = 0; i < 8 && Trunc64(Unzoomed(double(j), Zoom)) < c; ++i) ++j;
    return Saturate(double(j));
  }
};

void BuildAxis(const AxisParams& p, AxisTables t) {
  const int64_t j = int64_t(p.ZoomedExtent) + p.Painted;
  const int64_t k = Trunc64(Unzoomed(double(j + 1), p.Zoom));
  if (j + 2 > kMaxTableEntries || k + 2 > kMaxTableEntries || k < 0) return;
  t.ClientToBitmapLen = p.Painted;
  t.BitmapToClientLen = std::max(Trunc(Unzoomed(double(p.Painted), p.Zoom)), 0);
  t.ZoomedToBitmap.assign(size_t(j + 2), 0);
  t.BitmapToZoomed.assign(size_t(k + 2), 0);
  const int32_t last = p.LastColumn();
  if (p.Zoom > 100) {
    // Going down leaves each bitmap column with its first zoomed position.
    for (int64_t jj = j; jj >= 0; --jj) {
      const int64_t c = Trunc64(Unzoomed(double(jj), p.Zoom));
      if (c >= 0 && size_t(c) < t.BitmapToZoomed.size()) t.BitmapToZoomed[size_t(c)] = int32_t(jj);
      t.ZoomedToBitmap[size_t(jj)] = int32_t(std::min<int64_t>(c, last));
    }
    t.ZoomedFilled = size_t(j + 1);
    t.BitmapFilled = size_t(std::clamp<int64_t>(Trunc64(Unzoomed(double(j), p.Zoom)) + 1, 0, k + 2));
  } else {
    // Going down leaves each zoomed position with the first column mapped to it.
    for (int64_t kk = k; kk >= 0; --kk) {
      const int64_t z = Trunc64(Zoomed(double(kk), p.Zoom));
      t.BitmapToZoomed[size_t(kk)] = int32_t(z);
      if (z >= 0 && size_t(z) < t.ZoomedToBitmap.size())
        t.ZoomedToBitmap[size_t(z)] = int32_t(std::min<int64_t>(kk, last));
    }
    t.BitmapFilled = size_t(k + 1);
    t.ZoomedFilled = size_t(std::clamp<int64_t>(Trunc64(Zoomed(double(k), p.Zoom)) + 1, 0, j + 2));
  }
}

// The cursors of one axis: the tables read from the current origin.
void FillCursors(const AxisParams& p, const std::vector<int32_t>& z2b, size_t zFilled,
                 const std::vector<int32_t>& b2z, size_t bFilled, int32_t snappedOrigin, int32_t firstColumn,
                 int32_t c2bLen, int32_t b2cLen, std::vector<int32_t>& c2b, std::vector<int32_t>& b2c) {
  auto zoomedToBitmap = [&](int64_t z) {
    return z >= 0 && size_t(z) < zFilled ? z2b[size_t(z)] : p.ZoomedToBitmap(z);
  };
  auto bitmapToZoomed = [&](int64_t c) { return c >= 0 && size_t(c) < bFilled ? b2z[size_t(c)] : p.BitmapToZoomed(c); };
  c2b.resize(size_t(std::max(c2bLen, 0)));
  for (size_t u = 0; u < c2b.size(); ++u) c2b[u] = zoomedToBitmap(int64_t(snappedOrigin) + int64_t(u));
  const int64_t start = std::max<int64_t>(0, int64_t(zoomedToBitmap(snappedOrigin)) - firstColumn);
  b2c.resize(size_t(std::max(b2cLen, 0)));
  for (size_t d = 0; d < b2c.size(); ++d) b2c[d] = bitmapToZoomed(start + int64_t(d));
}

}  // namespace

int32_t IETrunc(double v) { return Trunc(v); }
int32_t IERoundEven(double v) { return Round(v); }

TIEViewGeometry::TIEViewGeometry() = default;
TIEViewGeometry::~TIEViewGeometry() = default;

// ---------------------------------------------------------------- zoom

void TIEViewGeometry::RecalcFactors() {
  fx_ = zoomX_ / 100.0;
  fy_ = zoomY_ / 100.0;
  ix_ = 100.0 / zoomX_;
  iy_ = 100.0 / zoomY_;
}

double TIEViewGeometry::MaxZoom() const { return std::min(ZoomCap(extentWidth_), ZoomCap(extentHeight_)); }

void TIEViewGeometry::StoreZoom(double zoomX, double zoomY) {
  // A zoom that is no number or not above 0 leaves that axis as it was.
  auto fit = [](double zoom, double current, int32_t extent) {
    if (std::isnan(zoom) || zoom <= 0) return current;
    return std::max(std::min(zoom, ZoomCap(extent)), kMinZoom);
  };
  zoomX_ = fit(zoomX, zoomX_, extentWidth_);
  zoomY_ = fit(zoomY, zoomY_, extentHeight_);
  RecalcFactors();
}

void TIEViewGeometry::ApplyZoom(double zoom) {
  if (std::isnan(zoom) || zoom <= 0) return;
  const int32_t hw = std::max(GetViewWidth(), 0) / 2, hh = std::max(GetViewHeight(), 0) / 2;
  const int32_t cx = Round(Unzoomed(double(originX_) + hw - offsetX_, zoomX_));
  const int32_t cy = Round(Unzoomed(double(originY_) + hh - offsetY_, zoomY_));
  StoreZoom(zoom, zoom);
  // The stored zoom, which is below zoom only when the cap lowered it.
  const int32_t newX = Trunc(Zoomed(cx, zoomX_) - hw), newY = Trunc(Zoomed(cy, zoomY_) - hh);
  int32_t maxX, maxY;
  GetMaxScroll(maxX, maxY);
  originX_ = std::max(std::min(newX, maxX), 0);
  originY_ = std::max(std::min(newY, maxY), 0);
}

void TIEViewGeometry::ApplyZoomX(double zoom) {
  if (std::isnan(zoom) || zoom <= 0) return;
  const int32_t hw = std::max(GetViewWidth(), 0) / 2;
  const int32_t cx = Round(Unzoomed(double(originX_) + hw - offsetX_, zoomX_));
  StoreZoom(zoom, zoomY_);
  const int32_t newX = Trunc(Zoomed(cx, zoomX_) - hw);
  int32_t maxX, maxY;
  GetMaxScroll(maxX, maxY);
  originX_ = std::max(std::min(newX, maxX), 0);
}

void TIEViewGeometry::ApplyZoomY(double zoom) {
  if (std::isnan(zoom) || zoom <= 0) return;
  const int32_t hh = std::max(GetViewHeight(), 0) / 2;
  const int32_t cy = Round(Unzoomed(double(originY_) + hh - offsetY_, zoomY_));
  StoreZoom(zoomX_, zoom);
  const int32_t newY = Trunc(Zoomed(cy, zoomY_) - hh);
  int32_t maxX, maxY;
  GetMaxScroll(maxX, maxY);
  originY_ = std::max(std::min(newY, maxY), 0);
}

double TIEViewGeometry::GetFitZoomOfControl() {
  // An empty image has nothing to fit: 100 rather than a division by zero.
  if (extentWidth_ <= 0 || extentHeight_ <= 0) return 100;
  return std::min(GeometryControlHeight() / (extentHeight_ / 100.0), GeometryControlWidth() / (extentWidth_ / 100.0));
}

void TIEViewGeometry::GetFitZoomXY(double& fitX, double& fitY) {
  int32_t mx = 0, my = 0;
  GetFitMargins(true, true, mx, my);
  fitX = extentWidth_ > 0 ? (GeometryControlWidth() - 2.0 * mx) / (extentWidth_ / 100.0) : 100;
  fitY = extentHeight_ > 0 ? (GeometryControlHeight() - 2.0 * my) / (extentHeight_ / 100.0) : 100;
}

double TIEViewGeometry::GetFitZoom() {
  double fitX, fitY;
  GetFitZoomXY(fitX, fitY);
  return std::min(fitX, fitY);
}

double TIEViewGeometry::GetAutoFitZoom(int32_t width, int32_t height, int32_t availableWidth, int32_t availableHeight,
                                       bool mayStretch, bool mayShrink) {
  try {
    if (width <= 0 || height <= 0 || availableWidth <= 0 || availableHeight <= 0) return 100;
    double z;
    const bool widthLimits = double(width) / availableWidth > double(height) / availableHeight;
    const bool larger = widthLimits ? availableWidth < width : availableHeight < height;
    if (larger)
      z = mayShrink ? GetFitZoom() : 100;
    else
      z = mayStretch ? GetFitZoom() : 100;
    return std::isfinite(z) ? z : 100;
  } catch (...) {
    return 100;
  }
}

// ---------------------------------------------------------------- scrolling

void TIEViewGeometry::GetMaxScroll(int32_t& maxX, int32_t& maxY) {
  maxX = maxY = 0;
  const int64_t viewW = GetViewWidth(), viewH = GetViewHeight();
  const int64_t W = extentWidth_, H = extentHeight_;
  int64_t a = Trunc64(Zoomed(double(W), zoomX_)), b = Trunc64(Zoomed(double(H), zoomY_));
  // One bitmap column (row) more when the image is clearly larger than the view.
  if (zoomX_ != zoomY_) {
    if (a > viewW + 10) a = Trunc64(Zoomed(double(W + 1), zoomX_));
    if (b > viewH + 10) b = Trunc64(Zoomed(double(H + 1), zoomY_));
  } else if ((a > viewW + 10 || b > viewH + 10) && GeometryScrollBars() != ssNone) {
    a = Trunc64(Zoomed(double(W + 1), zoomX_));
    b = Trunc64(Zoomed(double(H + 1), zoomY_));
  }
  if (a < 1 || b < 1) return;
  int64_t mx = a - viewW, my = b - viewH;
  if (mx < 0 || (mx > 0 && ClientToBitmapX(int32_t(std::min<int64_t>(mx, INT32_MAX))) == 0)) mx = 0;
  if (my < 0 || (my > 0 && ClientToBitmapY(int32_t(std::min<int64_t>(my, INT32_MAX))) == 0)) my = 0;
  const int64_t controlW = GeometryControlWidth(), controlH = GeometryControlHeight();
  if (zoomX_ != zoomY_) {
    if (a <= controlW) mx = 0;
    if (b <= controlH) my = 0;
  } else if (!(a > controlW || b > controlH)) {
    mx = my = 0;
  }
  maxX = int32_t(std::min<int64_t>(mx, INT32_MAX));
  maxY = int32_t(std::min<int64_t>(my, INT32_MAX));
}

bool TIEViewGeometry::ClampAndStoreOrigin(int32_t x, int32_t y) {
  int32_t maxX, maxY;
  GetMaxScroll(maxX, maxY);
  const int32_t nx = std::clamp(x, 0, maxX), ny = std::clamp(y, 0, maxY);
  const bool changed = nx != originX_ || ny != originY_;
  originX_ = nx;
  originY_ = ny;
  return changed;
}

bool TIEViewGeometry::ClampAndStoreOriginX(int32_t x) { return ClampAndStoreOrigin(x, originY_); }
bool TIEViewGeometry::ClampAndStoreOriginY(int32_t y) { return ClampAndStoreOrigin(originX_, y); }

bool TIEViewGeometry::CanScroll() {
  int32_t maxX, maxY;
  GetMaxScroll(maxX, maxY);
  return maxX > 0 || maxY > 0;
}

int32_t TIEViewGeometry::ScrollCodeTarget(bool horizontal, int32_t code, int32_t position, int32_t lineStep,
                                          int32_t pageStep) {
  const int64_t origin = horizontal ? originX_ : originY_;
  int64_t line = std::max(Trunc(horizontal ? fx_ : fy_), 1);
  if (lineStep != -1) line *= lineStep;
  const int64_t page = pageStep == -1 ? int64_t(horizontal ? GetViewWidth() : GetViewHeight()) : line * pageStep;
  int64_t target;
  switch (code) {
    case 0: target = position; break;
    case 1: {
      int32_t maxX, maxY;
      GetMaxScroll(maxX, maxY);
      target = horizontal ? maxX : maxY;
      break;
    }
    case 3: target = origin + line; break;
    case 4: target = origin - line; break;
    case 5: target = origin + page; break;
    case 6: target = origin - page; break;
    default: target = 0; break;  // 2 (the start) and unknown codes
  }
  return int32_t(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX));
}

bool TIEViewGeometry::WheelScrollTarget(int32_t direction, bool horizontal, int32_t variation, int32_t value,
                                        bool& onX, int32_t& origin) {
  int32_t maxX, maxY;
  GetMaxScroll(maxX, maxY);
  onX = horizontal || (maxX > 0 && maxY == 0);
  int64_t step;
  if (variation == 0)
    step = int64_t(value) * std::max(Trunc(fx_), 1);
  else if (variation == 1)
    step = std::max(Round(double(onX ? GetViewWidth() : GetViewHeight()) * value / 100.0), 1);
  else
    return false;
  const int64_t target = int64_t(onX ? originX_ : originY_) + int64_t(direction) * step;
  origin = int32_t(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX));
  return true;
}

// ---------------------------------------------------------------- coordinates

void TIEViewGeometry::CalcImageRect() {
  zoomedWidth_ = Round(Zoomed(extentWidth_, zoomX_));
  zoomedHeight_ = Round(Zoomed(extentHeight_, zoomY_));
  offsetX_ = offsetY_ = 0;
  if (GeometryDesigning()) {
    drawnWidth_ = std::min(zoomedWidth_, std::max(GeometryControlWidth(), 0));
    drawnHeight_ = std::min(zoomedHeight_, std::max(GeometryControlHeight(), 0));
    return;
  }
  const int32_t viewW = std::max(GetViewWidth(), 0), viewH = std::max(GetViewHeight(), 0);
  drawnWidth_ = std::min(zoomedWidth_, viewW);
  drawnHeight_ = std::min(zoomedHeight_, viewH);
  if (GeometryCenter()) {
    if (drawnWidth_ < viewW) offsetX_ = (viewW - drawnWidth_) / 2;
    if (drawnHeight_ < viewH) offsetY_ = (viewH - drawnHeight_) / 2;
  }
}

namespace {
// Tables built for another zoom or image would snap to columns that are no
// longer there, so until they are rebuilt the same lookup is done by formula.
int32_t Snap(int32_t v, const AxisParams& p, bool tablesCurrent, const std::vector<int32_t>& z2b,
             const std::vector<int32_t>& b2z) {
  if (v < 0) v = 0;
  if (v >= p.ZoomedExtent) return v;
  if (tablesCurrent && size_t(v) < z2b.size()) {
    const int32_t c = z2b[size_t(v)];
    if (c >= 0 && size_t(c) < b2z.size()) return b2z[size_t(c)];
    return v;
  }
  if (p.Extent <= 0) return v;
  return p.BitmapToZoomed(p.ZoomedToBitmap(v));
}

// First visible column (row), visible count and painted extent of one axis.
void VisibleAxis(int32_t extent, int32_t zoomed, int32_t drawn, double zoom, int32_t snapped,
                 int32_t& first, int32_t& count, int32_t& painted) {
  if (zoomed <= 0 || extent <= 0) {
    first = count = 0;
  } else {
    first = Round(double(snapped) * extent / zoomed);
    count = Round(double(extent) / zoomed * drawn);
    if (int64_t(first) + count > extent) --count;
    // Far beyond the image (a view narrower than one zoomed column) the
    // rounding can overshoot by more than one: keep both inside the image.
    first = std::clamp(first, 0, extent);
    count = std::clamp(count, 0, extent - first);
  }
  if (zoom > 100) {
    painted = Trunc(Zoomed(count, zoom));
    if (painted < drawn && int64_t(first) + count + 1 <= extent) {
      ++count;
      painted = Trunc(Zoomed(count, zoom));
    }
    // Whole columns may reach past the drawn area (by up to one zoomed
    // column, millions of pixels at the largest zooms); nothing there is
    // seen, so the painted extent stops at it.
    painted = std::clamp(painted, 0, std::max(drawn, 0));
  } else {
    painted = std::max(drawn, 0);
  }
}
}  // namespace

int32_t TIEViewGeometry::SnapX(int32_t v) const {
  const bool current = !zoomedToBitmapX_.empty() && cacheZoomX_ == zoomX_ && cacheExtentWidth_ == extentWidth_;
  return Snap(v, {extentWidth_, zoomX_, paintedWidth_, zoomedWidth_}, current, zoomedToBitmapX_, bitmapToZoomedX_);
}

int32_t TIEViewGeometry::SnapY(int32_t v) const {
  const bool current = !zoomedToBitmapY_.empty() && cacheZoomY_ == zoomY_ && cacheExtentHeight_ == extentHeight_;
  return Snap(v, {extentHeight_, zoomY_, paintedHeight_, zoomedHeight_}, current, zoomedToBitmapY_,
              bitmapToZoomedY_);
}

void TIEViewGeometry::CalcVisibleArea() {
  VisibleAxis(extentWidth_, zoomedWidth_, drawnWidth_, zoomX_, SnapX(originX_), firstColumn_, visibleColumns_,
              paintedWidth_);
  VisibleAxis(extentHeight_, zoomedHeight_, drawnHeight_, zoomY_, SnapY(originY_), firstRow_, visibleRows_,
              paintedHeight_);
}

void TIEViewGeometry::FreeCoordTables() {
  zoomedToBitmapX_.clear();
  bitmapToZoomedX_.clear();
  zoomedToBitmapY_.clear();
  bitmapToZoomedY_.clear();
  clientToBitmapX_.clear();
  clientToBitmapY_.clear();
  bitmapToClientX_.clear();
  bitmapToClientY_.clear();
  clientToBitmapLenX_ = clientToBitmapLenY_ = bitmapToClientLenX_ = bitmapToClientLenY_ = 0;
  zoomedToBitmapFilledX_ = zoomedToBitmapFilledY_ = bitmapToZoomedFilledX_ = bitmapToZoomedFilledY_ = 0;
  cacheZoomX_ = cacheZoomY_ = -1;
  cachePaintedWidth_ = cachePaintedHeight_ = -1;
  cacheExtentWidth_ = cacheExtentHeight_ = -1;
}

void TIEViewGeometry::UpdateCoordTables() {
  const AxisParams px{extentWidth_, zoomX_, paintedWidth_, zoomedWidth_};
  const AxisParams py{extentHeight_, zoomY_, paintedHeight_, zoomedHeight_};
  if (cacheZoomX_ != zoomX_ || cacheZoomY_ != zoomY_ || cachePaintedWidth_ != paintedWidth_ ||
      cachePaintedHeight_ != paintedHeight_ || cacheExtentWidth_ != extentWidth_ ||
      cacheExtentHeight_ != extentHeight_) {
    FreeCoordTables();
    if (paintedWidth_ > 0 && paintedHeight_ > 0 && !GeometryBitmapEmpty()) {
      BuildAxis(px, {zoomedToBitmapX_, bitmapToZoomedX_, zoomedToBitmapFilledX_, bitmapToZoomedFilledX_,
                     clientToBitmapLenX_, bitmapToClientLenX_});
      BuildAxis(py, {zoomedToBitmapY_, bitmapToZoomedY_, zoomedToBitmapFilledY_, bitmapToZoomedFilledY_,
                     clientToBitmapLenY_, bitmapToClientLenY_});
      cacheZoomX_ = zoomX_;
      cacheZoomY_ = zoomY_;
      cachePaintedWidth_ = paintedWidth_;
      cachePaintedHeight_ = paintedHeight_;
      cacheExtentWidth_ = extentWidth_;
      cacheExtentHeight_ = extentHeight_;
    }
  }
  clientToBitmapX_.clear();
  bitmapToClientX_.clear();
  clientToBitmapY_.clear();
  bitmapToClientY_.clear();
  if (clientToBitmapLenX_ > 0)
    FillCursors(px, zoomedToBitmapX_, zoomedToBitmapFilledX_, bitmapToZoomedX_, bitmapToZoomedFilledX_,
                SnapX(originX_), firstColumn_, clientToBitmapLenX_, bitmapToClientLenX_, clientToBitmapX_,
                bitmapToClientX_);
  if (clientToBitmapLenY_ > 0)
    FillCursors(py, zoomedToBitmapY_, zoomedToBitmapFilledY_, bitmapToZoomedY_, bitmapToZoomedFilledY_,
                SnapY(originY_), firstRow_, clientToBitmapLenY_, bitmapToClientLenY_, clientToBitmapY_,
                bitmapToClientY_);
}

int32_t TIEViewGeometry::ClientToBitmapX(int32_t x) const {
  const int64_t u = int64_t(x) - offsetX_;
  if (u >= 0 && u < paintedWidth_ && size_t(u) < clientToBitmapX_.size()) return clientToBitmapX_[size_t(u)];
  return Trunc(Unzoomed(double(u), zoomX_) + firstColumn_);
}

int32_t TIEViewGeometry::ClientToBitmapY(int32_t y) const {
  const int64_t u = int64_t(y) - offsetY_;
  if (u >= 0 && u < paintedHeight_ && size_t(u) < clientToBitmapY_.size()) return clientToBitmapY_[size_t(u)];
  return Trunc(Unzoomed(double(u), zoomY_) + firstRow_);
}

int32_t TIEViewGeometry::BitmapToClientX(int32_t bx) const {
  const int64_t d = int64_t(bx) - firstColumn_;
  if (d >= 0 && size_t(d) < bitmapToClientX_.size()) return Saturate(double(bitmapToClientX_[size_t(d)]) + offsetX_);
  return Round(Zoomed(double(bx) + Round(Unzoomed(-double(SnapX(originX_)), zoomX_)), zoomX_) + offsetX_);
}

int32_t TIEViewGeometry::BitmapToClientY(int32_t by) const {
  const int64_t d = int64_t(by) - firstRow_;
  if (d >= 0 && size_t(d) < bitmapToClientY_.size()) return Saturate(double(bitmapToClientY_[size_t(d)]) + offsetY_);
  return Round(Zoomed(double(by) + Round(Unzoomed(-double(SnapY(originY_)), zoomY_)), zoomY_) + offsetY_);
}

// ---------------------------------------------------------------- mouse zoom proposals

double IEWheelZoom(double zoom, int32_t direction, int32_t variation, int32_t value) {
  switch (variation) {
    case 0: return zoom + double(direction) * value;
    case 1: return zoom + double(direction) * std::max(Round(double(value) * zoom / 100.0), 1);
    default: return zoom;
  }
}

namespace {
constexpr double kZoomSteps[] = {2, 5, 10, 25, 33, 50, 75, 100};
}

double IEClickZoomIn(double zoom) {
  if (zoom >= 100) return zoom + 100;
  for (double s : kZoomSteps)
    if (s > zoom) return s;
  return 100;
}

double IEClickZoomOut(double zoom) {
  if (zoom >= 200) return zoom - 100;
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
    if (*it < zoom) return *it;
  return 2;
}

// ---------------------------------------------------------------- scroll-bar units

TIEScrollBarSetup IEScrollBarSetup(int32_t viewExtent, int32_t maxScroll, int32_t origin) {
  TIEScrollBarSetup s;
  s.Scale = (double(viewExtent) + maxScroll) / 65536.0;
  if (s.Scale > 0) {
    s.Page = Trunc(viewExtent / s.Scale);
    s.Position = Trunc(origin / s.Scale);
  }
  return s;
}

int32_t IEScrollThumbToOrigin(int32_t thumb, double scale) { return Round(thumb * scale); }
