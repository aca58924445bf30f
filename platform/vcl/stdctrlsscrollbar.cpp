// TScrollBar: a window around one scroll bar part, with the keys of a
// focused scroll bar and the OnScroll / OnChange events.
#include <algorithm>

#include "platform/gdi/syscolors.h"
#include "platform/vcl/stdctrls.h"

using namespace win;

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
}

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csFramed, csDoubleClicks, csCaptureMouse};
  bar_.Vertical = false;
  bar_.OnScroll = [this](TScrollCode code, int32_t pos) { UserScroll(code, pos); };
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind v) {
  if (kind_ == v) return;
  kind_ = v;
  bar_.Vertical = v == sbVertical;
  // Turning the bar swaps its width and height, as the framework does.
  if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TScrollBar::SetParams(int32_t APosition, int32_t AMin, int32_t AMax) {
  if (AMax < AMin) throw EInvalidOperation("Scroll bar property out of range");
  bar_.Min = AMin;
  bar_.Max = AMax;
  if (bar_.PageSize > AMax - AMin + 1) bar_.PageSize = AMax - AMin + 1;
  const int32_t pos = bar_.Clamp(APosition);
  const bool moved = pos != bar_.Position;
  bar_.Position = pos;
  Invalidate();
  if (moved) Change();
}

void TScrollBar::SetPageSize(int32_t v) {
  if (v < 0 || v > bar_.Max - bar_.Min + 1) throw EInvalidOperation("Scroll bar property out of range");
  bar_.PageSize = v;
  SetParams(bar_.Position, bar_.Min, bar_.Max);
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int32_t& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::UserScroll(TScrollCode code, int32_t pos) {
  int32_t scrollPos = code == scEndScroll ? bar_.Position : pos;
  auto alive = AliveToken();
  Scroll(code, scrollPos);
  if (alive.expired() || code == scEndScroll) return;
  SetPosition(scrollPos);
}

void TScrollBar::Resize() {
  TCustomControl::Resize();
  Invalidate();
}

void TScrollBar::Paint() {
  bar_.Bounds = ClientRect();
  bar_.Enabled = Enabled();
  bar_.Paint(Canvas()->Handle());
  if (Focused()) {
    // A focused bar shows it by inverting its thumb, as the classic style does.
    TRect thumb = bar_.PartRect(spThumb);
    if (!thumb.IsEmpty()) InvertRect(Canvas()->Handle(), &thumb);
  }
}

void TScrollBar::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case WM_TIMER:
      if (message.WParam == kRepeatTimer) {
        if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, TScrollBarPart::RepeatInterval, nullptr);
        bar_.Repeat();
        Invalidate();
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

void TScrollBar::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  TScrollCode code;
  int32_t pos;
  const bool back = kind_ == sbHorizontal ? Key == VK_LEFT : Key == VK_UP;
  const bool fwd = kind_ == sbHorizontal ? Key == VK_RIGHT : Key == VK_DOWN;
  if (back) code = scLineUp, pos = Position() - SmallChange();
  else if (fwd) code = scLineDown, pos = Position() + SmallChange();
  else if (Key == VK_PRIOR) code = scPageUp, pos = Position() - LargeChange();
  else if (Key == VK_NEXT) code = scPageDown, pos = Position() + LargeChange();
  else if (Key == VK_HOME) code = scTop, pos = Min();
  else if (Key == VK_END) code = scBottom, pos = bar_.MaxPosition();
  else return;
  UserScroll(code, bar_.Clamp(pos));
  UserScroll(scEndScroll, Position());
  Key = 0;
}

void TScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft && Enabled()) {
    if (!Focused() && CanFocus()) SetFocus();
    bar_.Bounds = ClientRect();
    bar_.MouseDown({X, Y});
    if (bar_.Pressed() && HandleAllocated()) SetTimer(Handle(), kRepeatTimer, TScrollBarPart::RepeatDelay, nullptr);
    Invalidate();
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TScrollBar::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (bar_.Pressed()) {
    bar_.MouseMove({X, Y});
    Invalidate();
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft && bar_.Pressed()) {
    if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
    bar_.MouseUp({X, Y});
    Invalidate();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}
