#include "ui/lookandfeel/cxScrollBar.h"

#include <algorithm>

#include "platform/classes/resstrings.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/intmath.h"
#include "platform/vcl/graphics.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxThemeManager.h"

namespace {

DX_RESOURCESTRING(cxSScrollBarRange, 0, "Scrollbar property out of range");

constexpr win::UINT CN_CTLCOLORSCROLLBAR = CN_BASE + win::WM_CTLCOLORSCROLLBAR;

constexpr uint32_t cxFirstRepeatDelay = 400;
constexpr uint32_t cxRepeatInterval = 60;
// How far the mouse may stray from the bar while dragging the thumb before
// the thumb snaps back to where the drag began.
constexpr int32_t cxTrackingZoneAlong = 34;
constexpr int32_t cxTrackingZoneAcross = 136;

}  // namespace

// ---------------------------------------------------------------- view info

int32_t TcxScrollBarViewInfo::TrackStart() const {
  return ScrollBar->Kind() == sbHorizontal ? TopLeftArrowRect.Right : TopLeftArrowRect.Bottom;
}

int32_t TcxScrollBarViewInfo::TrackEnd() const {
  return ScrollBar->Kind() == sbHorizontal ? BottomRightArrowRect.Left : BottomRightArrowRect.Top;
}

int32_t TcxScrollBarViewInfo::TrackLength() const { return TrackEnd() - TrackStart(); }

void TcxScrollBarViewInfo::CalculateRects() {
  const int32_t w = ScrollBar->Width(), h = ScrollBar->Height();
  if (ScrollBar->Kind() == sbVertical) {
    // A bar shorter than two arrows gives each arrow half of it.
    const int32_t extent = std::min(win::GetSystemMetrics(win::SM_CXVSCROLL), h / 2);
    TopLeftArrowRect = TRect(0, 0, w, extent);
    BottomRightArrowRect = TRect(0, h - extent, w, h);
  } else {
    const int32_t extent = std::min(win::GetSystemMetrics(win::SM_CYHSCROLL), w / 2);
    TopLeftArrowRect = TRect(0, 0, extent, h);
    BottomRightArrowRect = TRect(w - extent, 0, w, h);
  }
  CalculateThumb();
}

void TcxScrollBarViewInfo::CalculateThumb() {
  ThumbnailRect = TRect();
  CalculatePageRects();
  if (!ScrollBar->Enabled()) return;
  const int32_t minV = ScrollBar->Min(), maxV = ScrollBar->Max(), page = ScrollBar->PageSize();
  const int32_t position = ScrollBar->Position();
  const int32_t track = TrackLength();
  int32_t size, start = TrackStart();
  if (page != 0) {
    if (track < MinThumbnailSize || maxV == minV) return;
    size = std::max(std::min(track, MulDiv(page, track, maxV - minV + 1)), MinThumbnailSize);
    // A page covering the whole range leaves no room to move; 1 keeps the
    // thumb at the track's start instead of dividing by zero or less.
    const int32_t d = std::max(maxV - minV - page + 1, 1);
    start += MulDiv(track - size, std::min(position - minV, d), d);
  } else {
    size = win::GetSystemMetrics(ScrollBar->Kind() == sbVertical ? win::SM_CYVTHUMB : win::SM_CXHTHUMB);
    if (track < size) return;
    if (track - size > 0 && maxV != minV) start += MulDiv(track - size, position - minV, maxV - minV);
  }
  if (ScrollBar->Kind() == sbHorizontal)
    ThumbnailRect = TRect(start, 0, start + size, ScrollBar->Height());
  else
    ThumbnailRect = TRect(0, start, ScrollBar->Width(), start + size);
  CalculatePageRects();
}

void TcxScrollBarViewInfo::CalculatePageRects() {
  if (ThumbnailRect.IsEmpty()) {
    PageUpRect = PageDownRect = TRect();
    return;
  }
  if (ScrollBar->Kind() == sbHorizontal) {
    PageUpRect = TRect(TopLeftArrowRect.Right, 0, ThumbnailRect.Left, ScrollBar->Height());
    PageDownRect = TRect(ThumbnailRect.Right, 0, BottomRightArrowRect.Left, ScrollBar->Height());
  } else {
    PageUpRect = TRect(0, TopLeftArrowRect.Bottom, ScrollBar->Width(), ThumbnailRect.Top);
    PageDownRect = TRect(0, ThumbnailRect.Bottom, ScrollBar->Width(), BottomRightArrowRect.Top);
  }
}

int32_t TcxScrollBarViewInfo::PositionFromThumb() const {
  const bool horz = ScrollBar->Kind() == sbHorizontal;
  const int32_t thumbSize = horz ? ThumbnailRect.Width() : ThumbnailRect.Height();
  const int32_t thumbStart = horz ? ThumbnailRect.Left : ThumbnailRect.Top;
  const int32_t room = TrackLength() - thumbSize;
  const int32_t minV = ScrollBar->Min();
  // A thumb filling the track has only one place: the start of the range.
  if (room == 0) return minV;
  const int32_t page = ScrollBar->PageSize();
  const int32_t range = ScrollBar->Max() - minV + (page <= 0 ? 0 : 1 - page);
  return minV + MulDiv(range, thumbStart - TrackStart(), room);
}

// ---------------------------------------------------------------- the bar

TcxScrollBar::TcxScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  bitmap_ = std::make_unique<TBitmap>();
  bitmap_->SetPixelFormat(pfDevice);
  bitmapCanvas_ = std::make_unique<TcxCanvas>(bitmap_->Canvas());
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { LookAndFeelChanged(); };
  viewInfo_.reset(CreateViewInfo());
  TControlStyle style = ControlStyle();
  style.Include(csCaptureMouse);
  style.Include(csFramed);
  style.Include(csOpaque);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 121, win::GetSystemMetrics(win::SM_CYHSCROLL));
  themeNotificator_ = std::make_unique<TdxThemeChangedNotificator>();
  themeNotificator_->OnThemeChanged = [this] { ThemeChanged(); };
  timer_ = new TcxTimer(this);
  timer_->SetEnabled(false);
  timer_->SetInterval(cxFirstRepeatDelay);
  timer_->SetOnTimer([this](TObject* Sender) { TimerTick(Sender); });
  realCtl3D_ = Ctl3D();
  RecalculateViewInfo();
}

TcxScrollBar::~TcxScrollBar() {
  delete timer_;
  timer_ = nullptr;
  themeNotificator_.reset();
  viewInfo_.reset();
  lookAndFeel_.reset();
  bitmapCanvas_.reset();
  bitmap_.reset();
}

TcxLookAndFeelPainterClass TcxScrollBar::Painter() const { return lookAndFeel_->GetPainterClassForType(totScrollBar); }

void TcxScrollBar::SetScrollParams(int32_t AMin, int32_t AMax, int32_t APosition, int32_t APageSize, bool ARedraw) {
  if (AMax < AMin || AMax < APageSize) throw EInvalidOperation(LoadResString(cxSScrollBarRange));
  ARedraw = ARedraw && HandleAllocated();
  APosition = std::clamp(APosition, AMin, AMax);
  if (AMin == min_ && AMax == max_ && APageSize == pageSize_ && APosition == position_) {
    ARedraw = false;
  } else {
    min_ = AMin;
    max_ = AMax;
    pageSize_ = APageSize;
  }
  if (APosition == position_) {
    viewInfo_->CalculateThumb();
    if (ARedraw) Repaint();
    return;
  }
  SetEnabled(true);
  position_ = APosition;
  viewInfo_->CalculateThumb();
  if (ARedraw) Repaint();
  Change();
}

void TcxScrollBar::SetKind(TScrollBarKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  if (ComponentState().Contains(csLoading))
    viewInfo_->Calculate();
  else
    SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TcxScrollBar::SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }

void TcxScrollBar::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  const TRect before = BoundsRect();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (before == BoundsRect() || Width() <= 0 || Height() <= 0) return;
  bitmap_->SetSize(Width(), Height());
  // The constructor sets the first bounds before the view info exists.
  if (viewInfo_) viewInfo_->Calculate();
}

// The minimum thumb comes from the painter, so it is taken again whenever the painter may have changed.
void TcxScrollBar::RecalculateViewInfo() {
  viewInfo_->MinThumbnailSize = GetMinThumbSize();
  viewInfo_->Calculate();
}

void TcxScrollBar::Loaded() {
  TCustomControl::Loaded();
  viewInfo_->Calculate();
}

void TcxScrollBar::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

void TcxScrollBar::DrawScrollBar(TcxCanvas* ACanvas) {
  DrawBackground(ACanvas, ClientRect());
  TcxScrollBarViewInfo& vi = *viewInfo_;
  DrawPart(ACanvas, vi.TopLeftArrowRect, sbpLineUp);
  DrawPart(ACanvas, vi.BottomRightArrowRect, sbpLineDown);
  if (!vi.ThumbnailRect.IsEmpty()) DrawPart(ACanvas, vi.ThumbnailRect, sbpThumbnail);
  if (!vi.PageUpRect.IsEmpty()) DrawPart(ACanvas, vi.PageUpRect, sbpPageUp);
  if (!vi.PageDownRect.IsEmpty()) DrawPart(ACanvas, vi.PageDownRect, sbpPageDown);
}

void TcxScrollBar::DrawBackground(TcxCanvas* ACanvas, const TRect& R) {
  Painter()->PaintScrollBarBackground(ACanvas, R, kind_ == sbHorizontal);
}

void TcxScrollBar::DrawPartState(TcxCanvas* ACanvas, const TRect& R, TcxButtonPaintState AState,
                                 TcxScrollBarPaintPart APart) {
  Painter()->PaintScrollBarPart(ACanvas, kind_ == sbHorizontal, AState, APart, R);
}

void TcxScrollBar::DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarPaintPart APart) {
  DrawPartState(ACanvas, R, GetPartState(APart), APart);
}

bool TcxScrollBar::IsHotTrackSupported() { return Painter()->HotTrackButtons(); }

void TcxScrollBar::DoScroll(TScrollCode ScrollCode, int32_t& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

int32_t TcxScrollBar::GetMinThumbSize() { return Painter()->ScrollThumbMinSize(kind_ == sbVertical); }

void TcxScrollBar::Paint() {
  DrawScrollBar(bitmapCanvas_.get());
  win::BitBlt(Canvas()->Handle(), 0, 0, bitmap_->Width(), bitmap_->Height(), bitmap_->Canvas()->Handle(), 0, 0,
              win::SRCCOPY);
}

TcxScrollBarPaintPart TcxScrollBar::GetPartAt(TPoint P) const {
  const TRect client(0, 0, Width(), Height());
  if (!client.Contains(P)) return sbpNone;
  const TcxScrollBarViewInfo& vi = *viewInfo_;
  if (vi.TopLeftArrowRect.Contains(P)) return sbpLineUp;
  if (vi.BottomRightArrowRect.Contains(P)) return sbpLineDown;
  if (vi.ThumbnailRect.IsEmpty()) return sbpNone;
  if (vi.ThumbnailRect.Contains(P)) return sbpThumbnail;
  if (vi.PageUpRect.Contains(P)) return sbpPageUp;
  if (vi.PageDownRect.Contains(P)) return sbpPageDown;
  return sbpNone;
}

TcxButtonPaintState TcxScrollBar::GetPartState(TcxScrollBarPaintPart Part) {
  if (!Enabled()) return bpsDisabled;
  if ((Part == sbpThumbnail && !IsHotTrackSupported()) || Part != hotPart_) return bpsNormal;
  if (pressedPart_ == sbpNone) return ComponentState().Contains(csDesigning) ? bpsNormal : bpsHot;
  return Part == pressedPart_ ? bpsPressed : bpsNormal;
}

void TcxScrollBar::Scroll(TScrollCode ScrollCode) {
  int32_t newPos = position_;
  switch (ScrollCode) {
    case scLineUp: newPos -= smallChange_; break;
    case scLineDown: newPos += smallChange_; break;
    case scPageUp: newPos -= largeChange_; break;
    case scPageDown: newPos += largeChange_; break;
    case scTop: newPos = min_; break;
    case scBottom: newPos = max_; break;
    default: break;
  }
  newPos = std::clamp(newPos, min_, max_);
  auto alive = AliveToken();
  DoScroll(ScrollCode, newPos);
  if (alive.expired()) return;  // a handler freed the bar
  newPos = std::clamp(newPos, min_, max_);
  if (newPos == position_) return;
  if (ScrollCode == scTrack) {
    // While dragging, the thumb follows the mouse; OnChange waits for the release.
    position_ = newPos;
    Repaint();
  } else {
    SetPosition(newPos);
  }
}

void TcxScrollBar::ScrollForPart(TcxScrollBarPaintPart Part) {
  static constexpr TScrollCode codes[] = {scEndScroll, scLineUp, scLineDown, scTrack, scPageUp, scPageDown};
  if (Part != sbpNone) Scroll(codes[Part]);
}

void TcxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  const TcxScrollBarPaintPart part = GetPartAt({X, Y});
  if (part == sbpNone) return;
  if (part == sbpThumbnail) {
    downMousePos_ = {X, Y};
    savePosition_ = position_;
    saveThumbPos_ = viewInfo_->ThumbnailRect.TopLeft();
    Scroll(scTrack);
    if (alive.expired()) return;
  }
  pressedPart_ = hotPart_ = part;
  if (IsRepeatPart(part)) {
    ScrollForPart(part);
    if (alive.expired()) return;
    timer_->SetInterval(cxFirstRepeatDelay);
    timer_->SetEnabled(true);
  }
  Repaint();
}

void TcxScrollBar::TimerTick(TObject*) {
  if (win::GetCapture() != Handle() || !IsRepeatPart(pressedPart_)) {
    CancelTracking();
    return;
  }
  if (timer_->Interval() == cxFirstRepeatDelay) timer_->SetInterval(cxRepeatInterval);
  auto alive = AliveToken();
  ScrollForPart(pressedPart_);
  if (alive.expired()) return;
  win::POINT cursor{};
  win::GetCursorPos(&cursor);
  timer_->SetEnabled(GetPartAt(ScreenToClient(cursor)) == pressedPart_);
}

void TcxScrollBar::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  TCustomControl::MouseMove(Shift, X, Y);
  if (alive.expired()) return;
  const TcxScrollBarPaintPart part = GetPartAt({X, Y});
  if (IsTrackingThumb()) {
    TrackThumb({X, Y});
    return;
  }
  if (pressedPart_ != sbpNone) timer_->SetEnabled(part == pressedPart_);
  if (part != hotPart_ && IsHotTrackSupported()) {
    hotPart_ = part;
    Repaint();
  } else {
    hotPart_ = part;
  }
}

void TcxScrollBar::TrackThumb(TPoint P) {
  const bool horz = kind_ == sbHorizontal;
  TRect zone(0, 0, Width(), Height());
  if (horz)
    zone.Inflate(cxTrackingZoneAlong, cxTrackingZoneAcross);
  else
    zone.Inflate(cxTrackingZoneAcross, cxTrackingZoneAlong);
  auto alive = AliveToken();
  if (unlimitedTracking_ || zone.Contains(P)) {
    int32_t delta = horz ? P.X - downMousePos_.X : P.Y - downMousePos_.Y;
    if (delta == 0) return;
    TcxScrollBarViewInfo& vi = *viewInfo_;
    const int32_t thumbSize = horz ? vi.ThumbnailRect.Width() : vi.ThumbnailRect.Height();
    const int32_t saved = horz ? saveThumbPos_.X : saveThumbPos_.Y;
    const int32_t start = std::clamp(saved + delta, vi.TrackStart(), std::max(vi.TrackStart(), vi.TrackEnd() - thumbSize));
    if (horz)
      vi.ThumbnailRect = TRect(start, 0, start + thumbSize, Height());
    else
      vi.ThumbnailRect = TRect(0, start, Width(), start + thumbSize);
    vi.CalculatePageRects();
    Repaint();
    const int32_t newPos = vi.PositionFromThumb();
    if (newPos != position_) {
      position_ = newPos;
      Scroll(scTrack);
    }
  } else if (position_ != savePosition_) {
    SetPosition(savePosition_);
    if (alive.expired()) return;
    Scroll(scTrack);
  }
}

void TcxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  CancelTracking();
  if (alive.expired()) return;
  hotPart_ = GetPartAt({X, Y});
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxScrollBar::CancelTracking() {
  if (pressedPart_ == sbpNone) return;
  auto alive = AliveToken();
  if (IsTrackingThumb()) {
    SetPosition(viewInfo_->PositionFromThumb());
    if (alive.expired()) return;
    Scroll(scPosition);
    if (alive.expired()) return;
  }
  timer_->SetEnabled(false);
  pressedPart_ = hotPart_ = sbpNone;
  Scroll(scEndScroll);
  if (alive.expired()) return;
  viewInfo_->CalculateThumb();
  Invalidate();
}

void TcxScrollBar::LookAndFeelChanged() {
  // Skins draw their own frame; the real Ctl3D comes back with another painter.
  switchingCtl3D_ = true;
  if (lookAndFeel_->SkinPainter()) {
    if (Ctl3D()) {
      realCtl3D_ = true;
      SetCtl3D(false);
    }
  } else {
    SetCtl3D(realCtl3D_);
  }
  switchingCtl3D_ = false;
  RecalculateViewInfo();
  Invalidate();
}

void TcxScrollBar::Ctl3DChanged() {
  if (switchingCtl3D_) return;
  realCtl3D_ = Ctl3D();
  LookAndFeelChanged();
}

void TcxScrollBar::ThemeChanged() {
  RecalculateViewInfo();
  cxLookAndFeelPaintersSystemColorsChanged();
  Invalidate();
  if (Parent()) Parent()->Realign();
}

void TcxScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: Scroll(TScrollCode(Message.WParamLo())); return;
    case CM_CTL3DCHANGED:
      TCustomControl::Dispatch(Message);
      Ctl3DChanged();
      return;
    case CM_SYSCOLORCHANGE:
      cxLookAndFeelPaintersSystemColorsChanged();
      break;
    case CN_CTLCOLORSCROLLBAR:
      cxLookAndFeelPaintersSystemColorsChanged();
      DefaultHandler(Message);
      return;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

void TcxScrollBar::CMEnabledChanged(TMessage& Message) {
  TCustomControl::CMEnabledChanged(Message);
  viewInfo_->Calculate();
  if (!Enabled()) CancelTracking();
  Invalidate();
}

void TcxScrollBar::CMVisibleChanged(TMessage& Message) {
  if (!Visible()) CancelTracking();
  TCustomControl::CMVisibleChanged(Message);
}

void TcxScrollBar::WMCancelMode(TMessage& Message) {
  CancelTracking();
  TCustomControl::WMCancelMode(Message);
}

void TcxScrollBar::CMMouseEnter(TMessage& Message) {
  TCustomControl::CMMouseEnter(Message);
  if (IsHotTrackSupported() || IsRepeatPart(pressedPart_)) Repaint();
}

void TcxScrollBar::CMMouseLeave(TMessage& Message) {
  TCustomControl::CMMouseLeave(Message);
  if (!IsTrackingThumb()) hotPart_ = sbpNone;
  if (IsHotTrackSupported() || IsRepeatPart(pressedPart_)) Invalidate();
}
