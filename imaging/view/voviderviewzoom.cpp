// The view's zoom and scrolling operations: the geometry (TIEViewGeometry)
// computes, these fire the events, lock painting and repaint.
#include <algorithm>
#include <cmath>

#include "imaging/view/iescrollbars.h"
#include "imaging/view/voviderview.h"
#include "platform/vcl/timers.h"

namespace {

int32_t ClampToInt(double v) {
  if (!(v > -2147483648.0)) return INT32_MIN;  // NaN too
  if (!(v < 2147483648.0)) return INT32_MAX;
  return int32_t(v);
}

int32_t TruncInt(double v) { return ClampToInt(std::trunc(v)); }

// Halves to even, as the view rounds every point it keeps in place.
int32_t RoundInt(double v) { return ClampToInt(std::nearbyint(v)); }

int32_t ClampSum(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

bool ShowsHorizontal(TScrollStyle s) { return s == ssHorizontal || s == ssBoth; }
bool ShowsVertical(TScrollStyle s) { return s == ssVertical || s == ssBoth; }

}  // namespace

// ---------------------------------------------------------------- events

void TVovidErView::DoViewChange(int32_t change) {
  if (OnViewChange) OnViewChange(this, change);
}

void TVovidErView::DoViewChanging(int32_t change, double newValue) {
  if (OnViewChanging) OnViewChanging(this, change, newValue);
}

void TVovidErView::StartFilterDelay(bool zoomNot100) {
  if (delayZoomFilter_ && zoomFilter_ != rfNone && zoomNot100) filterDelayCounter_ = filterDelayCount_;
  settleCounter_ = settleCount_;
}

// ---------------------------------------------------------------- zoom

// The tail of every zoom setter: apply under a paint lock, lay out twice (the
// second pass sees the scroll bars the first one showed or hid), repaint once.
void TVovidErView::ZoomAndRepaint(const std::function<void()>& apply) {
  LockPaint();
  try {
    apply();
    for (int pass = 0; pass < 2; ++pass) {
      updateReason_ = 2;
      Update();
    }
    CalcVisibleArea();
    UpdateCoordTables();
  } catch (...) {
    UnlockPaintNoRefresh();
    throw;
  }
  UnlockPaintNoRefresh();
  Paint();
  DoViewChange(1);
}

void TVovidErView::SetZoom(double zoom) {
  StopSmoothScroll();
  DoViewChanging(2, zoom);
  // Zooms of 0 or below (and NaN) are announced but not applied.
  if (!(zoom > 0) || (zoom == ZoomPercentX() && zoom == ZoomPercentY())) return;
  StartFilterDelay(ZoomPercentX() != 100 || ZoomPercentY() != 100);
  ZoomAndRepaint([&] { ApplyZoom(zoom); });
}

void TVovidErView::SetHorizontalZoom(double zoom) {
  StopSmoothScroll();
  DoViewChanging(2, zoom);
  if (!(zoom > 0) || zoom == ZoomPercentX()) return;
  StartFilterDelay(ZoomPercentX() != 100);
  ZoomAndRepaint([&] { ApplyZoomX(zoom); });
}

void TVovidErView::SetVerticalZoom(double zoom) {
  StopSmoothScroll();
  DoViewChanging(2, zoom);
  if (!(zoom > 0) || zoom == ZoomPercentY()) return;
  StartFilterDelay(ZoomPercentY() != 100);
  ZoomAndRepaint([&] { ApplyZoomY(zoom); });
}

void TVovidErView::FitToClient() {
  if (ExtentWidth() == 0 || ExtentHeight() == 0) return;
  HideHorizontalScrollBar();
  HideVerticalScrollBar();
  SetZoom(GetFitZoom());
}

void TVovidErView::ZoomAroundPoint(int32_t x, int32_t y, bool centre, double zoom) {
  DoViewChanging(2, x);
  DoViewChanging(2, y);
  LockPaint();
  int32_t nx = 0, ny = 0;
  try {
    const int32_t bx = ClientToBitmapX(x), by = ClientToBitmapY(y);
    SetZoom(zoom);
    const double f = ZoomPercentX() / 100;
    if (centre) {
      nx = TruncInt(bx * f - GetViewWidth() / 2);
      ny = TruncInt(by * f - GetViewHeight() / 2);
    } else {
      // The centring offset is left out: exact only while the image fills the view.
      nx = TruncInt(bx * f - x + f);
      ny = TruncInt(by * f - y + f);
    }
    ScrollTo(nx, ny);
  } catch (...) {
    UnlockPaintNoRefresh();
    throw;
  }
  UnlockPaint();
  CalcVisibleArea();
  UpdateCoordTables();
}

void TVovidErView::ZoomToRect(int32_t left, int32_t top, int32_t right, int32_t bottom, bool uniform, bool notify) {
  const int64_t w64 = int64_t(right) + 1 - left, h64 = int64_t(bottom) + 1 - top;
  if (left < 0 || top < 0 || w64 < 2 || h64 < 2) return;
  const double w = double(w64), h = double(h64);
  double z = std::min(Height() / (h / 100), Width() / (w / 100));
  if (notify && OnZoomIn) OnZoomIn(this, z);
  if (uniform) {
    SetZoom(z);
  } else {
    SetHorizontalZoom(Width() / (w / 100));
    SetVerticalZoom(Height() / (h / 100));
  }
  const double fx = ZoomFactorX(), fy = ZoomFactorY();
  ScrollTo(ClampSum(int64_t(TruncInt(left * fx)) - (GetViewWidth() - TruncInt(w * fx)) / 2),
           ClampSum(int64_t(TruncInt(top * fy)) - (GetViewHeight() - TruncInt(h * fy)) / 2));
}

void TVovidErView::ZoomToSelection(bool uniform, bool notify) {
  // The rectangle is the selection's bounds; without the selection unit
  // there is never one to zoom to.
  if (!hasSelection_) return;
  ZoomToRect(mask_->X1(), mask_->Y1(), mask_->X2(), mask_->Y2(), uniform, notify);
}

void TVovidErView::SetZoomFilter(TResampleFilter v) {
  savedZoomFilter_ = v;
  if (v == zoomFilter_) return;
  zoomFilter_ = v;
  Update();
}

// ---------------------------------------------------------------- scrolling

void TVovidErView::ScrollTo(int32_t x, int32_t y) {
  DoViewChanging(0, x);
  DoViewChanging(1, y);
  if (x == ScrollOriginX() && y == ScrollOriginY()) return;
  if (!ClampAndStoreOrigin(x, y)) return;
  StartFilterDelay(ZoomPercentX() != 100 || ZoomPercentY() != 100);
  backBufferDirty_ = true;
  fullRepaint_ = true;
  Paint();
  DoViewChange(0);
  if (!HandleAllocated()) return;
  if (ShowsHorizontal(scrollBars_) && hScrollScale_ > 0)
    IESetScrollPos(Handle(), win::SB_HORZ, TruncInt(ScrollOriginX() / hScrollScale_), win::TRUE, flatScrollBars_);
  if (ShowsVertical(scrollBars_) && vScrollScale_ > 0)
    IESetScrollPos(Handle(), win::SB_VERT, TruncInt(ScrollOriginY() / vScrollScale_), win::TRUE, flatScrollBars_);
}

void TVovidErView::ScrollToX(int32_t x) {
  DoViewChanging(0, x);
  if (x == ScrollOriginX()) return;
  if (!ClampAndStoreOriginX(x)) return;
  StartFilterDelay(ZoomPercentX() != 100 || ZoomPercentY() != 100);
  backBufferDirty_ = true;
  fullRepaint_ = true;
  Paint();
  DoViewChange(0);
  if (HandleAllocated() && ShowsHorizontal(scrollBars_) && hScrollScale_ > 0)
    IESetScrollPos(Handle(), win::SB_HORZ, TruncInt(ScrollOriginX() / hScrollScale_), win::TRUE, flatScrollBars_);
}

void TVovidErView::ScrollToY(int32_t y) {
  DoViewChanging(1, y);
  if (y == ScrollOriginY()) return;
  if (!ClampAndStoreOriginY(y)) return;
  StartFilterDelay(ZoomPercentX() != 100 || ZoomPercentY() != 100);
  backBufferDirty_ = true;
  fullRepaint_ = true;
  Paint();
  DoViewChange(0);
  if (HandleAllocated() && ShowsVertical(scrollBars_) && vScrollScale_ > 0)
    IESetScrollPos(Handle(), win::SB_VERT, TruncInt(ScrollOriginY() / vScrollScale_), win::TRUE, flatScrollBars_);
}

bool TVovidErView::SmoothScrollRunning() const { return smoothTimer_ && smoothTimer_->Enabled(); }

void TVovidErView::ScrollToSmooth(int32_t x, int32_t y) {
  if (smoothDivisor_ == 0) {
    ScrollTo(x, y);
    return;
  }
  smoothTargetX_ = x;
  smoothTargetY_ = y;
  // A running animation simply heads for the new target.
  if (SmoothScrollRunning()) return;
  if (!smoothTimer_) smoothTimer_ = std::make_unique<TTimer>(nullptr);
  smoothTimer_->SetInterval(30);
  smoothTimer_->OnTimer = [this](TObject* sender) { SmoothScrollStep(sender); };
  smoothTimer_->SetEnabled(true);
  SmoothScrollStep(this);
}

void TVovidErView::SmoothScrollStep(TObject*) {
  if (!SmoothScrollRunning() || smoothStepRunning_) return;
  const int32_t ox = ScrollOriginX(), oy = ScrollOriginY();
  const double d = smoothDivisor_;
  // The step may run inside the timer's own tick: the timer is only switched
  // off here and freed by the next stop from outside.
  smoothStepRunning_ = true;
  try {
    ScrollTo(RoundInt(ox - (ox - double(smoothTargetX_)) / d), RoundInt(oy - (oy - double(smoothTargetY_)) / d));
  } catch (...) {
    smoothStepRunning_ = false;
    throw;
  }
  smoothStepRunning_ = false;
  if ((ScrollOriginX() == ox && ScrollOriginY() == oy) || IEIsPrimaryMouseButtonDown())
    if (smoothTimer_) smoothTimer_->SetEnabled(false);
}

void TVovidErView::StopSmoothScroll() {
  if (!smoothTimer_) return;
  smoothTimer_->SetEnabled(false);
  if (!smoothStepRunning_) smoothTimer_.reset();
}

void TVovidErView::ScrollVertically(int32_t code, int32_t position) {
  const TIEScrollBarParams& p = *vScrollParams_;
  int64_t line = std::max(TruncInt(ZoomFactorY()), 1);
  if (p.LineStep() != -1) line *= p.LineStep();
  const int64_t page = p.PageStep() == -1 ? int64_t(GetViewHeight()) : line * p.PageStep();
  const int64_t origin = ScrollOriginY();
  int32_t maxX = 0, maxY = 0;
  switch (code) {
    case 0: ScrollToY(position); break;
    case 1:
      GetMaxScroll(maxX, maxY);
      ScrollToY(maxY);
      break;
    case 2: ScrollToY(0); break;
    case 3: ScrollToY(ClampSum(origin + line)); break;
    case 4: ScrollToY(ClampSum(origin - line)); break;
    case 5: ScrollToY(ClampSum(origin + page)); break;
    case 6: ScrollToY(ClampSum(origin - page)); break;
    default: ScrollToY(0); break;
  }
}

void TVovidErView::ScrollHorizontally(int32_t code, int32_t position) {
  const TIEScrollBarParams& p = *hScrollParams_;
  int64_t line = std::max(TruncInt(ZoomFactorX()), 1);
  if (p.LineStep() != -1) line *= p.LineStep();
  const int64_t page = p.PageStep() == -1 ? int64_t(GetViewWidth()) : line * p.PageStep();
  const int64_t origin = ScrollOriginX();
  int32_t maxX = 0, maxY = 0;
  switch (code) {
    case 0: ScrollToX(position); break;
    case 1:
      GetMaxScroll(maxX, maxY);
      ScrollToX(maxX);
      break;
    case 2: ScrollToX(0); break;
    case 3: ScrollToX(ClampSum(origin + line)); break;
    case 4: ScrollToX(ClampSum(origin - line)); break;
    case 5: ScrollToX(ClampSum(origin + page)); break;
    case 6: ScrollToX(ClampSum(origin - page)); break;
    default: ScrollToX(0); break;
  }
}

void TVovidErView::HandleMouseWheel(int32_t delta, int32_t x, int32_t y, bool horizontal) {
  const TIEMouseWheelParams& p = *wheelParams_;
  if (p.WheelAction() == 0 || autoFit_) return;
  int32_t d = delta > 0 ? -1 : 1;
  if (p.WheelInvertDirection()) d = -d;
  if (p.WheelAction() == 1) {
    int32_t maxX = 0, maxY = 0;
    GetMaxScroll(maxX, maxY);
    const bool useX = horizontal || (maxX > 0 && maxY == 0);
    int64_t step;
    if (p.WheelVariation() == 0)
      step = int64_t(d) * p.WheelValue() * std::max(TruncInt(ZoomFactorX()), 1);
    else if (p.WheelVariation() == 1)
      step = int64_t(d) *
             std::max(RoundInt(double(useX ? GetViewWidth() : GetViewHeight()) * p.WheelValue() / 100), 1);
    else
      return;
    if (useX)
      ScrollToX(ClampSum(ScrollOriginX() + step));
    else
      ScrollToY(ClampSum(ScrollOriginY() + step));
  } else if (p.WheelAction() == 2) {
    double z = IEWheelZoom(ZoomPercentX(), d, p.WheelVariation(), p.WheelValue());
    if (z > ZoomPercentX() && OnZoomIn) OnZoomIn(this, z);
    if (z < ZoomPercentX() && OnZoomOut) OnZoomOut(this, z);
    if (p.WheelZoomAtCursor())
      ZoomAroundPoint(x, y, false, z);
    else
      SetZoom(z);
  }
}

void TVovidErView::WMMouseWheel(TMessage& m) {
  TIEView::WMMouseWheel(m);
  TPoint p = ScreenToClient(TPoint{win::GET_X_LPARAM(m.LParam), win::GET_Y_LPARAM(m.LParam)});
  const bool ctrl = win::GetKeyState(win::VK_CONTROL) < 0;
  HandleMouseWheel(int32_t(int16_t(m.WParamHi())), p.X, p.Y, ctrl);
}

// ---------------------------------------------------------------- scroll bars

void TVovidErView::SetScrollBars(TScrollStyle v) {
  scrollBars_ = v;
  if (!ShowsVertical(v)) HideVerticalScrollBar();
  if (!ShowsHorizontal(v)) HideHorizontalScrollBar();
  updateReason_ = 4;
  Update();
}

void TVovidErView::SetFlatScrollBars(bool v) {
  if (flatScrollBars_ == v) return;
  flatScrollBars_ = v;
  if (!HandleAllocated()) return;  // CreateWnd applies it to the window when it comes
  win::HWND h = Handle();
  if (!v) {
    win::UninitializeFlatSB(h);
    return;
  }
  IESetScrollRange(h, win::SB_HORZ, 0, 65535, win::TRUE, true);
  IESetScrollRange(h, win::SB_VERT, 0, 65535, win::TRUE, true);
  win::InitializeFlatSB(h);
  // Hiding changes the client size, and the view lays itself out again at
  // once: each flag is cleared first, so that a bar shown again is marked so.
  hScrollShown_ = false;
  IEShowScrollBar(h, win::SB_HORZ, false, true);
  vScrollShown_ = false;
  IEShowScrollBar(h, win::SB_VERT, false, true);
}

void TVovidErView::HideHorizontalScrollBar() {
  if (!hScrollShown_) return;
  hScrollShown_ = false;
  if (HandleAllocated()) IEShowScrollBar(Handle(), win::SB_HORZ, false, flatScrollBars_);
}

void TVovidErView::HideVerticalScrollBar() {
  if (!vScrollShown_) return;
  vScrollShown_ = false;
  if (HandleAllocated()) IEShowScrollBar(Handle(), win::SB_VERT, false, flatScrollBars_);
}

void TVovidErView::ConfigureScrollBars(int32_t maxX, int32_t maxY) {
  if (!HandleAllocated()) return;
  const win::HWND h = Handle();
  const bool flat = flatScrollBars_;
  // The bars always span 0 .. 65535; the scale turns their positions into origins.
  auto configure = [&](int32_t bar, int32_t max, bool& shown, double& scale, bool vertical) {
    if (max < 1) {
      if (keepDisabledScrollBars_) {
        shown = true;
        IEEnableScrollBar(h, bar, win::ESB_DISABLE_BOTH, flat);
        IEShowScrollBar(h, bar, true, flat);
      } else if (shown) {
        shown = false;
        IEShowScrollBar(h, bar, false, flat);
      }
      return;
    }
    shown = true;
    const int32_t extent = vertical ? GetViewHeight() : GetViewWidth();
    const int32_t origin = vertical ? ScrollOriginY() : ScrollOriginX();
    scale = (double(extent) + max) / 65536;
    IESetScrollInfo(h, bar, 0, 65535, TruncInt(extent / scale), TruncInt(origin / scale), true, flat);
    IEEnableScrollBar(h, bar, win::ESB_ENABLE_BOTH, flat);
    IEShowScrollBar(h, bar, true, flat);
  };
  if (ShowsHorizontal(scrollBars_)) configure(win::SB_HORZ, maxX, hScrollShown_, hScrollScale_, false);
  if (ShowsVertical(scrollBars_)) configure(win::SB_VERT, maxY, vScrollShown_, vScrollScale_, true);
}
