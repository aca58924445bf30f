// The view's core: construction, the path from a change to pixels (Update,
// Paint, PaintRect), the locks, the image operations and the published
// settings, and the view unit's library hooks.
#include "imaging/view/voviderview.h"

#include <algorithm>

#include "imaging/core/ieinit.h"
#include "imaging/io/vovideriocomp.h"
#include "imaging/view/iecanvasdraw.h"
#include "imaging/view/iegdiplus.h"
#include "imaging/view/iescrollbars.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/timers.h"

TIEViewUnitState IEViewUnit;

// ---------------------------------------------------------------- construction

TVovidErView::TVovidErView(TComponent* owner) : TIEView(owner) {
  LockUpdate();
  // The image starts in a platform bitmap of the control's size, which the
  // buffer wraps without owning (layer 0 frees it).
  auto vcl = std::make_unique<TBitmap>();
  vcl->SetPixelFormat(pf24bit);
  vcl->SetSize(std::max(Width(), 0), std::max(Height(), 0));
  auto image = std::make_unique<TIEBitmap>();
  image->EncapsulateTBitmap(vcl.get(), false);
  legacyBitmap_ = vcl.release();
  bitmap_ = image.release();
  SetExtent(bitmap_->GetWidth(), bitmap_->GetHeight());
  layers_.push_back(std::make_unique<TIELayer>(this, bitmap_, true));
  layers_[0]->VisibleBox = false;
  layers_[0]->Locked = true;
  currentLayer_ = 0;
  StoreZoom(100, 100);
  storedCursor_ = shownCursor_ = crIEDefault;
  TControl::SetCursor(crIEDefault);
  LoadViewCursors();
  scrollBars_ = ssBoth;
  // The virtual members this constructor needs are named with their class: a
  // subclass is not built yet, so its overrides must not (and in C++ cannot)
  // be reached from here; the names say which code runs.
  TVovidErView::SetBounds(Left(), Top(), 105, 105);
  center_ = true;
  doubleBuffer_ = true;
  TIEView::SetDpi(300, 300);
  if (!Designing()) {
    backBuffer_ = std::make_unique<TIEBitmap>();
    backBuffer_->SetLocation(ieTBitmap);
    backBuffer_->Allocate(10, 10, ie24RGB);
  }
  hScrollParams_ = std::make_unique<TIEScrollBarParams>();
  vScrollParams_ = std::make_unique<TIEScrollBarParams>();
  wheelParams_ = std::make_unique<TIEMouseWheelParams>();
  mask_ = std::make_unique<TIEMask>();
  mask_->AllocateBits(bitmap_->GetWidth(), bitmap_->GetHeight(), maskBitDepth_);
  cachedBitmapWidth_ = bitmap_->GetWidth();
  cachedBitmapHeight_ = bitmap_->GetHeight();
  layerBoxPen_ = std::make_unique<TPen>();
  layerBoxPen_->SetStyle(psDot);
  layerBoxPen_->SetMode(pmNot);
  layerBoxPen_->SetWidth(1);
  enableInteractionHints_ = true;
  hasOwner_ = owner != nullptr;
  IEGDIPlusAddRef();
  UnlockUpdateNoRefresh();
  TVovidErView::Update();
}

TVovidErView::~TVovidErView() {
  Destroying();
  // The window goes first, while every part of the view still stands for its messages.
  if (HandleAllocated()) DestroyHandle();
  smoothTimer_.reset();
  transition_.reset();
  if (io_) {
    TVovidErIO* io = io_;
    io_ = nullptr;
    delete io;
  }
  backBuffer_.reset();
  animationTimer_.reset();
  hScrollParams_.reset();
  vScrollParams_.reset();
  wheelParams_.reset();
  mask_.reset();
  // The current image goes back into its layer before the layers go.
  if (currentLayer_ >= 0 && currentLayer_ < GetLayerCount()) layers_[size_t(currentLayer_)]->Bitmap = bitmap_;
  layers_.clear();
  bitmap_ = nullptr;
  legacyBitmap_ = nullptr;
  FreeCoordTables();
  layerBoxPen_.reset();
  wallPaper_.reset();
  IEGDIPlusRelease();
}

// ---------------------------------------------------------------- sizes and hooks

int32_t TVovidErView::GetViewWidth() {
  if (HasParentWindow() && HandleAllocated()) return ClientWidth();
  return 50;
}

int32_t TVovidErView::GetViewHeight() {
  if (HasParentWindow() && HandleAllocated()) return ClientHeight();
  return 50;
}

bool TVovidErView::HasParentWindow() { return GetParentForm() != nullptr || ParentWindow() != nullptr; }

bool TVovidErView::IsEmpty() { return !bitmap_ || (bitmap_->GetWidth() < 2 && bitmap_->GetHeight() < 2); }

bool TVovidErView::GeometryDesigning() { return Designing(); }

bool TVovidErView::GeometryBitmapEmpty() {
  return !bitmap_ || bitmap_->GetWidth() == 0 || bitmap_->GetHeight() == 0;
}

void TVovidErView::GetFitMargins(bool borderModeX, bool borderModeY, int32_t& mx, int32_t& my) {
  switch (backgroundStyle_) {
    case iebsCropped:
      mx = IEViewUnit.EdgeWidth;
      my = IEViewUnit.EdgeHeight;
      return;
    case iebsCropShadow:
      mx = my = 5;
      return;
    case iebsSoftShadow:
      mx = my = 9;
      return;
    default:
      break;
  }
  auto border = [this](int32_t edge, int32_t plain) {
    if (BorderStyle() == bsNone) return 0;
    return Ctl3D() ? edge : plain;
  };
  mx = borderModeX ? border(IEViewUnit.EdgeWidth, IEViewUnit.BorderWidth) : (Width() - GetViewWidth()) / 2;
  my = borderModeY ? border(IEViewUnit.EdgeHeight, IEViewUnit.BorderHeight) : (Height() - GetViewHeight()) / 2;
}

// ---------------------------------------------------------------- update and paint

void TVovidErView::Update() {
  if (updateLockCount_ > 0 || Designing()) return;
  // Loading, reading, destroying and the like: only the free-notification mark is harmless.
  if (!(ComponentState() - TComponentState{csFreeNotification} == TComponentState{})) return;
  TScopeExit exitGuard([this] {
    updateReason_ = 0;
    insideUpdate_ = false;
  });
  insideUpdate_ = true;

  // 1. Mask caches, and the current image back into its layer.
  if (refreshOnlyLayer_) {
    refreshOnlyLayer_->FreeMaskCache();
    refreshOnlyLayer_ = nullptr;
  } else {
    for (auto& layer : layers_) layer->FreeMaskCache();
  }
  SyncLayers();

  // 2. Auto-fit.
  if ((autoStretch_ || autoShrink_ || autoFit_) && ExtentWidth() > 0 && ExtentHeight() > 0) {
    DoViewChanging(2, ZoomPercentX());
    int32_t mx = 0, my = 0;
    GetFitMargins(false, false, mx, my);
    double zoom = 100;
    if (ExtentWidth() > 1 || ExtentHeight() > 1)
      zoom = GetAutoFitZoom(ExtentWidth(), ExtentHeight(), GetViewWidth() - 2 * mx, GetViewHeight() - 2 * my,
                            autoStretch_ || autoFit_, autoShrink_ || autoFit_);
    zoom = std::max(zoom, 1.0);
    StoreZoom(zoom, zoom);
    CalcVisibleArea();
    UpdateCoordTables();
    DoViewChange(1);
    filterDelayCounter_ = 0;
    settleCounter_ = 0;
  }

  // 3. The selection mask (and a stray alpha channel) follow the image's size.
  const int32_t w = bitmap_->GetWidth(), h = bitmap_->GetHeight();
  if (w != cachedBitmapWidth_ || h != cachedBitmapHeight_) {
    cachedBitmapWidth_ = w;
    cachedBitmapHeight_ = h;
    if (mask_->Width() != w || mask_->Height() != h) {
      // Without the selection unit there is never a selection to keep.
      mask_->AllocateBits(w, h, maskBitDepth_);
    }
    if (bitmap_->HasAlphaChannel()) {
      TIEBitmap* alpha = bitmap_->GetAlphaChannel();
      if (alpha->GetWidth() != w || alpha->GetHeight() != h) {
        alpha->Allocate(w, h, ie8g);
        alpha->Fill(255);
      }
    }
  }

  // 4. Origin, scroll bars, image rectangle, invalidation.
  if (!HandleAllocated()) return;
  if (!Designing() && HasParentWindow()) {
    const int32_t viewWidth = GetViewWidth(), viewHeight = GetViewHeight();
    int32_t maxX = 0, maxY = 0;
    GetMaxScroll(maxX, maxY);
    bool lowered = false;
    if (ScrollOriginX() > maxX) {
      DoViewChanging(0, maxX);
      ClampAndStoreOriginX(maxX);
      lowered = true;
    }
    if (ScrollOriginY() > maxY) {
      DoViewChanging(1, maxY);
      ClampAndStoreOriginY(maxY);
      lowered = true;
    }
    if (lowered) DoViewChange(0);
    try {
      ConfigureScrollBars(maxX, maxY);
    } catch (...) {
      // A scroll bar that cannot be configured leaves the view usable.
    }
    if ((GetViewWidth() != viewWidth || GetViewHeight() != viewHeight) && !nestedUpdate_) {
      // A bar appeared or vanished: lay out once more for the new client size.
      TValueScope nested(nestedUpdate_, true);
      TValueScope inside(insideUpdate_, true);
      const int32_t reason = updateReason_;
      Update();
      updateReason_ = reason;
    }
  }
  CalcImageRect();
  backBufferDirty_ = true;
  fullRepaint_ = true;
  if (HasParentWindow() && invalidateOnUpdate_) Invalidate();
}

void TVovidErView::Paint() {
  if (!HandleAllocated() || !HasParentWindow()) return;
  const int32_t vw = GetViewWidth(), vh = GetViewHeight();
  if (vw == 0 || vh == 0) return;
  if (Designing()) {
    PaintViewBackground(*Canvas(), nullptr, wallPaperStyle_, wallPaper_.get(), gradientEndColor_,
                        chessboardBrushStyle_, chessboardSize_, 0, 0, 0, 0, Height(), Width(), 0, 0, Background(),
                        backgroundStyle_, true);
    return;
  }
  try {
    const TRect whole{0, 0, vw, vh};
    if (paintLockCount_ == 0) {
      TRect rect = whole;
      if (!fullRepaint_) {
        rect = Canvas()->ClipRect();
        if (rect.Width() <= 0 || rect.Height() <= 0) rect = whole;
      }
      PaintRect(rect);
      if (OnDrawCanvas) OnDrawCanvas(this, Canvas(), whole);
    }
    fullRepaint_ = false;
    SelectionPass(false);
    if (OnPaint) OnPaint(this);
  } catch (...) {
    // A failed paint leaves the window as it was; the next one tries again.
  }
  if (drawVersion_) DrawVersionText();
  if (!hintText_.empty() && enableInteractionHints_) {
    int32_t x = hintPos_.X, y = hintPos_.Y;
    IEDrawInteractionHint(*Canvas(), x, y, hintText_, hintTemplate_);
  }
  if (hasOwner_ && cursorPending_) {
    cursorPending_ = false;
    SetCursor(shownCursor_);
  }
}

void TVovidErView::PaintRect(const TRect& rect) {
  if (!HasParentWindow() || !backBuffer_) return;
  const int32_t vw = GetViewWidth(), vh = GetViewHeight();
  // A client without pixels has nothing to compose: never allocate an empty buffer.
  if (vw <= 0 || vh <= 0) return;
  if (backBuffer_->GetWidth() != vw || backBuffer_->GetHeight() != vh) {
    backBuffer_->Allocate(vw, vh, ie24RGB);
    backBufferDirty_ = true;
  }
  if (backBufferDirty_) {
    RenderLayers(*backBuffer_, &backBufferRows_, &rect, true, true);
    if (OnDrawBackBuffer) OnDrawBackBuffer(this);
    backBufferDirty_ = false;
  }
  const int32_t w = std::min(rect.Width(), vw), h = std::min(rect.Height(), vh);
  if (w > 0 && h > 0) CopyBackBufferToWindow(rect, w, h);
}

void TVovidErView::CopyBackBufferToWindow(const TRect& rect, int32_t width, int32_t height) {
  TBitmap* source = backBuffer_->VclBitmap();
  if (!source) return;
  win::HDC dc = Canvas()->Handle();
  const int32_t bpp = IEViewUnit.ScreenBitsPerPixel;
  if (bpp <= 8 && !IEViewUnit.RemoteSession) {
    // Palette displays: the rows go out through a device-independent header
    // and the system maps them (there is no DrawDib here).
    // Header and palette in one buffer: a 1-bit picture needs two colour entries.
    win::BITMAPINFO256 info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = backBuffer_->GetWidth();
    info.bmiHeader.biHeight = backBuffer_->GetHeight();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = backBuffer_->GetBitCount() == 1 ? 1 : 24;
    info.bmiHeader.biCompression = win::BI_RGB;
    if (info.bmiHeader.biBitCount == 1) info.bmiColors[1] = win::RGBQUAD{255, 255, 255, 0};
    const int32_t bottom = backBuffer_->GetHeight() - 1;
    void* bits = backBuffer_->GetScanline(bottom);  // rows are stored bottom-up from here
    win::StretchDIBits(dc, rect.Left, rect.Top, width, height, rect.Left, backBuffer_->GetHeight() - rect.Top - height,
                       width, height, bits, info.get(), win::DIB_RGB_COLORS, win::SRCCOPY);
  } else if (bpp < 24 && !IEViewUnit.RemoteSession) {
    // High-colour displays: a stretch of equal size lets the system dither.
    win::SetStretchBltMode(dc, win::HALFTONE);
    win::StretchBlt(dc, rect.Left, rect.Top, width, height, source->Canvas()->Handle(), rect.Left, rect.Top, width,
                    height, win::SRCCOPY);
  } else {
    win::BitBlt(dc, rect.Left, rect.Top, width, height, source->Canvas()->Handle(), rect.Left, rect.Top,
                win::SRCCOPY);
  }
}

void TVovidErView::InvalidateArea(const TRect& rect) {
  backBufferDirty_ = true;
  if (!HandleAllocated()) return;
  win::RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  win::InvalidateRect(Handle(), &r, win::FALSE);
}

TBitmap* TVovidErView::GetBackBuffer() { return backBuffer_ ? backBuffer_->VclBitmap() : nullptr; }

void TVovidErView::PaintBackgroundTo(TCanvas& canvas, int32_t width, int32_t height) {
  if (width == -1 && height == -1) {
    width = Width();
    height = Height();
  }
  PaintViewBackground(canvas, nullptr, wallPaperStyle_, wallPaper_.get(), gradientEndColor_, chessboardBrushStyle_,
                      chessboardSize_, 0, 0, 0, 0, height, width, 0, 0, Background(), backgroundStyle_, Designing());
}

// ---------------------------------------------------------------- locks

void TVovidErView::UnlockUpdate() {
  if (updateLockCount_ > 0) --updateLockCount_;
  if (updateLockCount_ == 0) Update();
}

void TVovidErView::UnlockUpdateNoRefresh() {
  if (updateLockCount_ > 0) --updateLockCount_;
}

void TVovidErView::LockPaint() { ++paintLockCount_; }

int32_t TVovidErView::UnlockPaint() {
  if (paintLockCount_ > 0) --paintLockCount_;
  if (paintLockCount_ == 0) Update();
  return paintLockCount_;
}

int32_t TVovidErView::UnlockPaintNoRefresh() {
  if (paintLockCount_ > 0) --paintLockCount_;
  return paintLockCount_;
}

// ---------------------------------------------------------------- image operations

void TVovidErView::ClearImage() {
  bitmap_->Fill(double(uint32_t(Background())));
  RemoveAlphaChannel(false);
  Update();
}

void TVovidErView::MakeEmpty() {
  if (transition_ && transition_->Running()) transition_->Stop();
  const TIEPixelFormat format = bitmap_->GetPixelFormat() == ieNoFormat ? ie24RGB : bitmap_->GetPixelFormat();
  bitmap_->Allocate(1, 1, format);
  ClearImage();
}

TIEBitmap* TVovidErView::GetAlphaChannel() { return bitmap_->GetAlphaChannel(); }

bool TVovidErView::HasAlphaChannel() { return bitmap_->HasAlphaChannel(); }

void TVovidErView::RemoveAlphaChannel(bool merge) { bitmap_->RemoveAlphaChannel(merge, Background()); }

void TVovidErView::SetBackground(TColor v) {
  TIEView::SetBackground(v);
  if (Designing()) ClearImage();
  updateReason_ = 4;
  Update();
  DoImageChange();
  if (Designing()) Paint();
}

TBitmap* TVovidErView::GetLegacyBitmap() { return legacyBitmap_; }

TIEBitmap* TVovidErView::GetIEBitmap() { return bitmap_; }

void TVovidErView::Assign(TPersistent* source) {
  if (!source) {
    ClearImage();
    return;
  }
  if (auto* view = dynamic_cast<TVovidErView*>(source)) {
    if (view == this) return;
    bitmap_->Assign(view->bitmap_);
    TIEView::SetBackground(view->Background());
    SetDpi(view->DpiX(), view->DpiY());
    Update();
    DoImageChange();
    return;
  }
  if (auto* vcl = dynamic_cast<TBitmap*>(source)) {
    bitmap_->Assign(vcl);
    const TIEPixelFormat f = bitmap_->GetPixelFormat();
    if (f != ie1g && f != ie24RGB && bitmap_->GetWidth() > 0 && bitmap_->GetHeight() > 0)
      bitmap_->SetPixelFormat(ie24RGB);
    Update();
    DoImageChange();
    return;
  }
  TIEView::Assign(source);
}

void TVovidErView::DoImageChange() {
  if (OnImageChange) OnImageChange(this);
}

// ---------------------------------------------------------------- on-demand components

TVovidErIO* TVovidErView::GetIO() {
  if (!io_) {
    io_ = new TVovidErIO(this);
    io_->SetAttachedBitmap(bitmap_);
    if (HandleAllocated()) io_->SetNotifyWindow(Handle());
    io_->OnProgress = onProgress_;
    io_->OnFinishWork = onFinishWork_;
  } else if (io_->IEBitmap() != bitmap_ && io_->GetAsyncPendingCount() == 0) {
    // The current layer changed since: the component follows it, unless a worker still writes.
    io_->SetAttachedBitmap(bitmap_);
  }
  return io_;
}

void TVovidErView::SetOnProgress(TIEViewProgressEvent v) {
  onProgress_ = std::move(v);
  if (io_) io_->OnProgress = onProgress_;
}

void TVovidErView::SetOnFinishWork(TNotifyEvent v) {
  onFinishWork_ = std::move(v);
  if (io_) io_->OnFinishWork = onFinishWork_;
}

TIETransitionEffects* TVovidErView::GetTransitionEffects() {
  if (!transition_) transition_ = std::make_unique<TIETransitionEffects>(this);
  return transition_.get();
}

void TVovidErView::StopTransitionAndUpdate() {
  if (transition_ && transition_->Running()) transition_->Stop();
  updateReason_ = 4;
  Update();
}

TNotifyEvent TVovidErView::OnTransitionStop() const {
  return transition_ ? transition_->OnTransitionStop : TNotifyEvent{};
}

void TVovidErView::SetOnTransitionStop(TNotifyEvent v) { GetTransitionEffects()->OnTransitionStop = std::move(v); }

TIETransitionStepEvent TVovidErView::OnTransitionStep() const {
  return transition_ ? transition_->OnTransitionStep : TIETransitionStepEvent{};
}

void TVovidErView::SetOnTransitionStep(TIETransitionStepEvent v) {
  GetTransitionEffects()->OnTransitionStep = std::move(v);
}

TIETransitionPaintEvent TVovidErView::OnTransitionPaint() const {
  return transition_ ? transition_->OnTransitionPaint() : TIETransitionPaintEvent{};
}

void TVovidErView::SetOnTransitionPaint(TIETransitionPaintEvent v) {
  GetTransitionEffects()->SetOnTransitionPaint(std::move(v));
}

void TVovidErView::CreateWnd() {
  TIEView::CreateWnd();
  // A new window has no bars yet; the next Update shows those it needs.
  hScrollShown_ = false;
  vScrollShown_ = false;
  if (flatScrollBars_) win::InitializeFlatSB(handle_);
  if (io_) io_->SetNotifyWindow(handle_);
}

void TVovidErView::DestroyWnd() {
  if (io_) io_->SetNotifyWindow(nullptr);
  TIEView::DestroyWnd();
}

void TVovidErView::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  TIEView::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!bitmap_) return;
  if (InState(csReading) || InState(csLoading) || Designing()) {
    const TIEPixelFormat format = bitmap_->GetPixelFormat() == ieNoFormat ? ie24RGB : bitmap_->GetPixelFormat();
    bitmap_->Allocate(std::max(Width(), 0), std::max(Height(), 0), format);
    ClearImage();
  }
}

void TVovidErView::Notification(TComponent* AComponent, TOperation Operation) {
  TIEView::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == io_) io_ = nullptr;
}

// ---------------------------------------------------------------- published settings

void TVovidErView::SetSelectionOptions(TIESelectionOptions v) {
  selectionOptions_ = v;
  updateReason_ = 3;
  Update();
}

void TVovidErView::SetCenter(bool v) {
  if (center_ == v) return;
  center_ = v;
  updateReason_ = 1;
  Update();
}

void TVovidErView::SetBackgroundStyle(TIEBackgroundStyle v) {
  backgroundStyle_ = v;
  Invalidate();
  updateReason_ = 4;
  Update();
}

void TVovidErView::SetEnableAlphaChannel(bool v) {
  enableAlphaChannel_ = v;
  Update();
}

void TVovidErView::SetDrawVersion(bool v) {
  drawVersion_ = v;
  Paint();
}

void TVovidErView::SetWallPaper(TPicture* v) {
  if (!wallPaper_) wallPaper_ = std::make_unique<TPicture>();
  wallPaper_->Assign(v);
  updateReason_ = 4;
  Update();
}

void TVovidErView::SetWallPaperStyle(TIEWallPaperStyle v) {
  if (wallPaperStyle_ == v) return;
  wallPaperStyle_ = v;
  updateReason_ = 4;
  Update();
}

// ---------------------------------------------------------------- library hooks

namespace {

// IEParamsOwnerHooks.SetViewDpi: a component created by a view (GetIO) is
// owned by it; any other owner is not a view and takes nothing.
void SetOwnerViewDpi(TVovidErIO* io, bool vertical, int32_t dpi) {
  auto* view = io ? dynamic_cast<TVovidErView*>(io->Owner()) : nullptr;
  if (!view) return;
  view->LockUpdate();
  if (vertical)
    view->SetDpiY(dpi);
  else
    view->SetDpiX(dpi);
  view->UnlockUpdateNoRefresh();
}

}  // namespace

void VovidErViewInitialize() {
  IEParamsOwnerHooks.SetViewDpi = &SetOwnerViewDpi;
  win::HDC screen = win::GetDC(nullptr);
  if (screen) {
    IEViewUnit.ScreenBitsPerPixel = win::GetDeviceCaps(screen, win::BITSPIXEL);
    IEViewUnit.ScreenDpiX = win::GetDeviceCaps(screen, win::LOGPIXELSX);
    IEViewUnit.ScreenDpiY = win::GetDeviceCaps(screen, win::LOGPIXELSY);
    win::ReleaseDC(nullptr, screen);
  }
  IEViewUnit.RemoteSession = IEIsRemoteSession();
  IEViewUnit.PrintDpiX = 300;
  IEViewUnit.PrintDpiY = 300;
  IEViewUnit.HasMMX = IEHasMMX();
  IEViewUnit.EdgeWidth = win::GetSystemMetrics(win::SM_CXEDGE);
  IEViewUnit.EdgeHeight = win::GetSystemMetrics(win::SM_CYEDGE);
  IEViewUnit.BorderWidth = win::GetSystemMetrics(win::SM_CXBORDER);
  IEViewUnit.BorderHeight = win::GetSystemMetrics(win::SM_CYBORDER);
  IEViewUnit.HScrollHeight = win::GetSystemMetrics(win::SM_CYHSCROLL);
  IEViewUnit.VScrollWidth = win::GetSystemMetrics(win::SM_CXVSCROLL);
  IEViewUnit.GridMinZoom = 400;
  auto pen = std::make_unique<TPen>();
  pen->SetMode(pmNot);
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  IEViewUnit.GridPen = std::move(pen);
}

void VovidErViewFinalize() {
  IEParamsOwnerHooks.SetViewDpi = nullptr;
  IEViewUnit.GridPen.reset();
  try {
    IEFreeGradientFill();
  } catch (...) {
    // Shutting down: a module that will not let go changes nothing now.
  }
}

void IEViewBindLibrary() {
  IEGDIPlusBindLibrary();
  IEBindLibraryUnit(ieluView, &VovidErViewInitialize, &VovidErViewFinalize);
}
