// TTrackBar, TUpDown and TProgressBar.
#include <algorithm>
#include <cmath>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr uint32_t kRepeatDelay = 350, kRepeatInterval = 50;
constexpr int32_t kChannelMargin = 8;  // from the control's ends to the channel's ends
}  // namespace

// ---------------------------------------------------------------- TTrackBar
TTrackBar::TTrackBar(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::SetMin(int32_t v) {
  if (min_ == v) return;
  min_ = v;
  if (max_ < min_) max_ = min_;
  SetPosition(position_);
  Invalidate();
}

void TTrackBar::SetMax(int32_t v) {
  if (max_ == v) return;
  max_ = v;
  if (min_ > max_) min_ = max_;
  SetPosition(position_);
  Invalidate();
}

void TTrackBar::SetPosition(int32_t v) {
  v = std::clamp(v, min_, max_);
  if (v == position_) return;
  position_ = v;
  Invalidate();
  Changed();
}

void TTrackBar::SetFrequency(int32_t v) {
  frequency_ = std::max(v, 0);
  Invalidate();
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (orientation_ == v) return;
  orientation_ = v;
  if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TTrackBar::SetTickMarks(TTickMark v) {
  tickMarks_ = v;
  Invalidate();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
  tickStyle_ = v;
  Invalidate();
}

void TTrackBar::SetThumbLength(int32_t v) {
  thumbLength_ = std::max(v, 4);
  Invalidate();
}

void TTrackBar::SetSliderVisible(bool v) {
  sliderVisible_ = v;
  Invalidate();
}

void TTrackBar::SetTick(int32_t value) {
  if (value < min_ || value > max_) return;
  if (std::find(ticks_.begin(), ticks_.end(), value) == ticks_.end()) ticks_.push_back(value);
  Invalidate();
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

// Geometry along the bar: "along" runs left to right, or top to bottom.
TRect TTrackBar::ChannelRect() {
  const TRect c = ClientRect();
  const bool h = orientation_ == trHorizontal;
  const int32_t len = h ? c.Width() : c.Height();
  const int32_t across = (tickMarks_ == tmTopLeft || tickMarks_ == tmBoth ? 8 : 4) + thumbLength_ / 2 - 2;
  if (h) return {kChannelMargin, across, len - kChannelMargin, across + 4};
  return {across, kChannelMargin, across + 4, len - kChannelMargin};
}

int32_t TTrackBar::PixelOf(int32_t position) {
  const TRect ch = ChannelRect();
  const bool h = orientation_ == trHorizontal;
  const int32_t a = (h ? ch.Left : ch.Top) + 3, b = (h ? ch.Right : ch.Bottom) - 3;
  if (max_ <= min_) return a;
  return a + int32_t(int64_t(b - a) * (position - min_) / (int64_t(max_) - min_));
}

int32_t TTrackBar::PositionAt(int32_t along) {
  const TRect ch = ChannelRect();
  const bool h = orientation_ == trHorizontal;
  const int32_t a = (h ? ch.Left : ch.Top) + 3, b = (h ? ch.Right : ch.Bottom) - 3;
  if (b <= a || max_ <= min_) return min_;
  const double f = double(std::clamp(along, a, b) - a) / double(b - a);
  return min_ + int32_t(std::lround(f * (double(max_) - min_)));
}

TRect TTrackBar::ThumbRect() {
  const TRect ch = ChannelRect();
  const int32_t p = PixelOf(position_);
  const int32_t half = thumbLength_ / 4 + 1;  // the thumb is half as wide as it is long
  if (orientation_ == trHorizontal) {
    const int32_t top = ch.Top + 2 - thumbLength_ / 2;
    return {p - half, top, p + half + 1, top + thumbLength_};
  }
  const int32_t left = ch.Left + 2 - thumbLength_ / 2;
  return {left, p - half, left + thumbLength_, p + half + 1};
}

void TTrackBar::Paint() {
  HDC dc = Canvas()->Handle();
  const TRect client = ClientRect();
  FillColorRect(dc, client, Color());
  TRect ch = ChannelRect();
  DrawEdge(dc, &ch, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
  const bool h = orientation_ == trHorizontal;
  const TRect thumb = ThumbRect();
  // Ticks beside the thumb's travel.
  if (tickStyle_ != tsNone) {
    std::vector<int32_t> at;
    if (tickStyle_ == tsAuto && frequency_ > 0) {
      for (int64_t v = min_; v <= max_; v += frequency_) at.push_back(int32_t(v));
      if (at.empty() || at.back() != max_) at.push_back(max_);
    } else {
      at = ticks_;
      at.push_back(min_);
      at.push_back(max_);
    }
    for (int32_t v : at) {
      const int32_t p = PixelOf(v);
      if (tickMarks_ == tmBottomRight || tickMarks_ == tmBoth) {
        const TRect t = h ? TRect{p, thumb.Bottom + 2, p + 1, thumb.Bottom + 5}
                          : TRect{thumb.Right + 2, p, thumb.Right + 5, p + 1};
        FillColorRect(dc, t, clBtnText);
      }
      if (tickMarks_ == tmTopLeft || tickMarks_ == tmBoth) {
        const TRect t = h ? TRect{p, thumb.Top - 5, p + 1, thumb.Top - 2} : TRect{thumb.Left - 5, p, thumb.Left - 2, p + 1};
        FillColorRect(dc, t, clBtnText);
      }
    }
  }
  if (sliderVisible_) {
    TRect t = thumb;
    DrawEdge(dc, &t, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
  if (Focused()) {
    TRect fr = client;
    fr.Inflate(-1, -1);
    DrawFocusRectangle(dc, fr);
  }
}

void TTrackBar::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case WM_TIMER:
      if (message.WParam == kRepeatTimer) {
        if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, kRepeatInterval, nullptr);
        PageStep();
        return;
      }
      break;
    case WM_SETFOCUS: case WM_KILLFOCUS:
      TCustomControl::Dispatch(message);
      Invalidate();
      return;
  }
  TCustomControl::Dispatch(message);
}

void TTrackBar::UserMove(int32_t position) { SetPosition(position); }

void TTrackBar::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT: case VK_UP: UserMove(position_ - lineSize_); break;
    case VK_RIGHT: case VK_DOWN: UserMove(position_ + lineSize_); break;
    case VK_PRIOR: UserMove(position_ - pageSize_); break;
    case VK_NEXT: UserMove(position_ + pageSize_); break;
    case VK_HOME: UserMove(min_); break;
    case VK_END: UserMove(max_); break;
    default: return;
  }
  Key = 0;
}

void TTrackBar::PageStep() {
  if (pageDir_ == 0) return;
  const TRect thumb = ThumbRect();
  const int32_t m = orientation_ == trHorizontal ? lastMouse_.X : lastMouse_.Y;
  const int32_t t0 = orientation_ == trHorizontal ? thumb.Left : thumb.Top;
  const int32_t t1 = orientation_ == trHorizontal ? thumb.Right : thumb.Bottom;
  // Stop once the thumb has reached the mouse.
  if ((pageDir_ < 0 && m >= t0) || (pageDir_ > 0 && m < t1)) return;
  UserMove(position_ + pageDir_ * pageSize_);
}

void TTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft && Enabled()) {
    if (!Focused() && CanFocus()) SetFocus();
    lastMouse_ = {X, Y};
    const TRect thumb = ThumbRect();
    const bool h = orientation_ == trHorizontal;
    if (sliderVisible_ && thumb.Contains({X, Y})) {
      dragging_ = true;
      dragGrab_ = (h ? X : Y) - PixelOf(position_);
    } else {
      const int32_t m = h ? X : Y;
      pageDir_ = m < (h ? thumb.Left : thumb.Top) ? -1 : 1;
      UserMove(position_ + pageDir_ * pageSize_);
      if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, kRepeatDelay, nullptr);
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TTrackBar::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  lastMouse_ = {X, Y};
  if (dragging_) UserMove(PositionAt((orientation_ == trHorizontal ? X : Y) - dragGrab_));
  TCustomControl::MouseMove(Shift, X, Y);
}

void TTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft) {
    dragging_ = false;
    pageDir_ = 0;
    if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------- TUpDown
TUpDown::TUpDown(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), 25);
}

TUpDown::~TUpDown() { Unhook(); }

void TUpDown::Notification(TComponent* AComponent, TOperation operation) {
  TCustomControl::Notification(AComponent, operation);
  if (operation == opRemove && AComponent == associate_) {
    // The associate is dying: its window procedure goes with it.
    associate_ = nullptr;
    savedWindowProc_ = nullptr;
  }
}

void TUpDown::Hook(TWinControl* control) {
  savedWindowProc_ = control->WindowProc;
  control->WindowProc = [this, control](TMessage& m) {
    if (arrowKeys_ && m.Msg == WM_KEYDOWN && (m.WParam == VK_UP || m.WParam == VK_DOWN)) {
      Step(m.WParam == VK_UP ? btNext : btPrev);
      m.Result = 0;
      return;
    }
    if (savedWindowProc_) savedWindowProc_(m);
    else control->WndProc(m);
  };
}

void TUpDown::Unhook() {
  if (!associate_) return;
  associate_->WindowProc = savedWindowProc_;
  savedWindowProc_ = nullptr;
  associate_->RemoveFreeNotification(this);
}

void TUpDown::SetAssociate(TWinControl* v) {
  if (v == associate_) return;
  if (v == this) return;
  Unhook();
  associate_ = v;
  if (!v) return;
  v->FreeNotification(this);
  Hook(v);
  if (!Loading()) {
    PlaceBesideAssociate();
    UpdateAssociate();
  }
}

void TUpDown::Loaded() {
  TCustomControl::Loaded();
  if (associate_) {
    PlaceBesideAssociate();
    UpdateAssociate();
  }
}

void TUpDown::PlaceBesideAssociate() {
  if (!associate_ || !associate_->Parent()) return;
  if (Parent() != associate_->Parent()) SetParent(associate_->Parent());
  const TRect a = associate_->BoundsRect();
  const int32_t w = Width();
  // The associate gives up the room the buttons take, as the platform does.
  if (alignButton_ == udRight) {
    associate_->SetBounds(a.Left, a.Top, std::max(0, a.Width() - w), a.Height());
    SetBounds(a.Left + std::max(0, a.Width() - w), a.Top, w, a.Height());
  } else {
    associate_->SetBounds(a.Left + w, a.Top, std::max(0, a.Width() - w), a.Height());
    SetBounds(a.Left, a.Top, w, a.Height());
  }
}

std::string TUpDown::FormatPosition(int32_t v) const {
  std::string digits = IntToStr(v < 0 ? -int64_t(v) : int64_t(v));
  if (thousands_)
    for (int32_t i = int32_t(digits.size()) - 3; i > 0; i -= 3)
      digits.insert(size_t(i), 1, FormatSettings().ThousandSeparator);
  return v < 0 ? "-" + digits : digits;
}

void TUpDown::UpdateAssociate() {
  if (associate_) associate_->SetText(FormatPosition(position_));
}

void TUpDown::ReadAssociate() {
  if (!associate_) return;
  std::string text = associate_->Text();
  text.erase(std::remove(text.begin(), text.end(), FormatSettings().ThousandSeparator), text.end());
  int32_t v;
  if (TryStrToInt(Trim(text), v)) position_ = std::clamp(v, min_, max_);
}

int32_t TUpDown::Position() {
  ReadAssociate();
  return position_;
}

void TUpDown::SetPosition(int32_t v) {
  v = std::clamp(v, min_, max_);
  position_ = v;
  UpdateAssociate();
  Invalidate();
}

void TUpDown::SetMin(int32_t v) {
  min_ = v;
  if (position_ < min_) SetPosition(min_);
}

void TUpDown::SetMax(int32_t v) {
  max_ = v;
  if (position_ > max_) SetPosition(max_);
}

void TUpDown::SetThousands(bool v) {
  if (thousands_ == v) return;
  thousands_ = v;
  if (!Loading()) UpdateAssociate();
}

void TUpDown::SetAlignButton(TUDAlignButton v) {
  if (alignButton_ == v) return;
  alignButton_ = v;
  if (!Loading()) PlaceBesideAssociate();
}

void TUpDown::SetOrientation(TUDOrientation v) {
  if (orientation_ == v) return;
  orientation_ = v;
  if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

bool TUpDown::CanChange(int32_t newValue, TUpDownDirection direction) {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (OnChangingEx) OnChangingEx(this, allow, newValue, direction);
  return allow;
}

void TUpDown::DoClick(TUDBtnType button) {
  if (OnClick) OnClick(this, button);
}

void TUpDown::Step(TUDBtnType button) {
  ReadAssociate();
  int64_t nv = int64_t(position_) + (button == btNext ? increment_ : -int64_t(increment_));
  if (nv > max_) nv = wrap_ ? min_ : max_;
  if (nv < min_) nv = wrap_ ? max_ : min_;
  auto alive = AliveToken();
  if (nv != position_ && CanChange(int32_t(nv), button == btNext ? updUp : updDown)) {
    if (alive.expired()) return;
    position_ = int32_t(nv);
    UpdateAssociate();
    Invalidate();
  }
  if (alive.expired()) return;
  DoClick(button);
}

TRect TUpDown::ButtonRect(TUDBtnType button) {
  const TRect c = ClientRect();
  if (orientation_ == udVertical) {
    const int32_t mid = c.Height() / 2;
    return button == btNext ? TRect{0, 0, c.Right, mid} : TRect{0, mid, c.Right, c.Bottom};
  }
  const int32_t mid = c.Width() / 2;
  return button == btPrev ? TRect{0, 0, mid, c.Bottom} : TRect{mid, 0, c.Right, c.Bottom};
}

bool TUpDown::ButtonAt(TPoint p, TUDBtnType& button) {
  for (TUDBtnType b : {btNext, btPrev})
    if (ButtonRect(b).Contains(p)) {
      button = b;
      return true;
    }
  return false;
}

void TUpDown::Paint() {
  HDC dc = Canvas()->Handle();
  for (TUDBtnType b : {btNext, btPrev}) {
    TRect r = ButtonRect(b);
    UINT kind = orientation_ == udVertical ? (b == btNext ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                           : (b == btNext ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT);
    if (pressed_ && pressedInside_ && pressedButton_ == b) kind |= DFCS_PUSHED;
    if (!Enabled()) kind |= DFCS_INACTIVE;
    DrawFrameControl(dc, &r, DFC_SCROLL, kind);
  }
}

void TUpDown::Dispatch(TMessage& message) {
  if (message.Msg == WM_TIMER && message.WParam == kRepeatTimer) {
    if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, kRepeatInterval, nullptr);
    if (pressed_ && pressedInside_) Step(pressedButton_);
    return;
  }
  TCustomControl::Dispatch(message);
}

void TUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  TUDBtnType b;
  if (Button == mbLeft && Enabled() && ButtonAt({X, Y}, b)) {
    // The associate keeps (or takes) the focus.
    if (associate_ && associate_->CanFocus() && !associate_->Focused()) associate_->SetFocus();
    pressed_ = true;
    pressedInside_ = true;
    pressedButton_ = b;
    Invalidate();
    Step(b);
    if (alive.expired()) return;
    if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, kRepeatDelay, nullptr);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TUpDown::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (pressed_) {
    const bool inside = ButtonRect(pressedButton_).Contains({X, Y});
    if (inside != pressedInside_) {
      pressedInside_ = inside;
      Invalidate();
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft && pressed_) {
    pressed_ = false;
    if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
    Invalidate();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------- TProgressBar
TProgressBar::TProgressBar(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {};
  SetBounds(0, 0, 150, 17);
}

void TProgressBar::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.ExStyle |= WS_EX_STATICEDGE;
}

void TProgressBar::SetMin(int32_t v) {
  min_ = v;
  if (max_ < min_) max_ = min_;
  position_ = std::clamp(position_, min_, max_);
  Invalidate();
}

void TProgressBar::SetMax(int32_t v) {
  max_ = v;
  if (min_ > max_) min_ = max_;
  position_ = std::clamp(position_, min_, max_);
  Invalidate();
}

void TProgressBar::SetPosition(int32_t v) {
  v = std::clamp(v, min_, max_);
  if (v == position_) return;
  position_ = v;
  Invalidate();
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
  if (orientation_ == v) return;
  orientation_ = v;
  if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TProgressBar::SetSmooth(bool v) {
  smooth_ = v;
  Invalidate();
}

void TProgressBar::StepIt() {
  int64_t v = int64_t(position_) + step_;
  if (v > max_) v = min_;  // starts over from the beginning
  if (v < min_) v = min_;
  SetPosition(int32_t(v));
}

void TProgressBar::StepBy(int32_t delta) { SetPosition(int32_t(std::clamp<int64_t>(int64_t(position_) + delta, min_, max_))); }

TRect TProgressBar::FilledRect() {
  TRect r = ClientRect();
  r.Inflate(-1, -1);
  if (max_ <= min_) return {r.Left, r.Top, r.Left, r.Bottom};
  const double f = double(position_ - min_) / (double(max_) - min_);
  if (orientation_ == pbHorizontal) r.Right = r.Left + int32_t(std::lround(f * r.Width()));
  else r.Top = r.Bottom - int32_t(std::lround(f * r.Height()));
  return r;
}

void TProgressBar::Paint() {
  HDC dc = Canvas()->Handle();
  const TRect client = ClientRect();
  FillColorRect(dc, client, clBtnFace);
  const TRect fill = FilledRect();
  if (fill.IsEmpty()) return;
  if (smooth_) {
    FillColorRect(dc, fill, clHighlight);
    return;
  }
  // Blocks two thirds as wide as the bar is thick, two pixels apart.
  const bool h = orientation_ == pbHorizontal;
  const int32_t thick = h ? fill.Height() : fill.Width();
  const int32_t block = std::max(2, thick * 2 / 3);
  if (h) {
    for (int32_t x = fill.Left; x < fill.Right; x += block + 2)
      FillColorRect(dc, {x, fill.Top, std::min(x + block, fill.Right), fill.Bottom}, clHighlight);
  } else {
    for (int32_t y = fill.Bottom; y > fill.Top; y -= block + 2)
      FillColorRect(dc, {fill.Left, std::max(y - block, fill.Top), fill.Right, y}, clHighlight);
  }
}
