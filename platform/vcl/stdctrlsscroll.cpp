#include "platform/vcl/stdctrlsscroll.h"

#include <algorithm>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"

using namespace win;

namespace {
constexpr int32_t kMinThumb = 8;
}

int32_t TScrollBarPart::MaxPosition() const {
  const int32_t top = PageSize > 0 ? Max - PageSize + 1 : Max;
  return std::max(Min, top);
}

int32_t TScrollBarPart::Clamp(int32_t pos) const { return std::clamp(pos, Min, MaxPosition()); }

int32_t TScrollBarPart::ArrowLength() const {
  const int32_t thickness = Vertical ? Bounds.Width() : Bounds.Height();
  return std::max(0, std::min(thickness, Length() / 2));
}

void TScrollBarPart::ThumbSpan(int32_t& start, int32_t& size) const {
  start = size = 0;
  const int32_t track = Length() - 2 * ArrowLength();
  if (!Scrollable() || track < kMinThumb) return;
  const int32_t thickness = Vertical ? Bounds.Width() : Bounds.Height();
  if (PageSize > 0) {
    const int64_t span = int64_t(Max) - Min + 1;
    size = int32_t(std::max<int64_t>(kMinThumb, int64_t(track) * PageSize / std::max<int64_t>(1, span)));
  } else {
    size = std::max(kMinThumb, thickness);
  }
  size = std::min(size, track);
  const int64_t range = int64_t(MaxPosition()) - Min;
  start = int32_t(int64_t(track - size) * (Clamp(Position) - Min) / range);
}

TRect TScrollBarPart::PartRect(TScrollPart part) const {
  const int32_t arrow = ArrowLength();
  const int32_t len = Length();
  int32_t thumbStart = 0, thumbSize = 0;
  ThumbSpan(thumbStart, thumbSize);
  int32_t a = 0, b = 0;
  switch (part) {
    case spNone: return {};
    case spLineUp: a = 0, b = arrow; break;
    case spLineDown: a = len - arrow, b = len; break;
    case spThumb:
      if (thumbSize == 0) return {};
      a = arrow + thumbStart, b = a + thumbSize;
      break;
    case spPageUp:
      a = arrow, b = thumbSize ? arrow + thumbStart : arrow;
      break;
    case spPageDown:
      a = thumbSize ? arrow + thumbStart + thumbSize : len - arrow, b = len - arrow;
      break;
  }
  if (b <= a) return {};
  return Vertical ? TRect{Bounds.Left, Bounds.Top + a, Bounds.Right, Bounds.Top + b}
                  : TRect{Bounds.Left + a, Bounds.Top, Bounds.Left + b, Bounds.Bottom};
}

TScrollPart TScrollBarPart::HitTest(TPoint p) const {
  if (!Bounds.Contains(p)) return spNone;
  for (TScrollPart part : {spLineUp, spLineDown, spThumb, spPageUp, spPageDown})
    if (PartRect(part).Contains(p)) return part;
  return spNone;
}

void TScrollBarPart::Paint(HDC dc) const {
  if (Bounds.IsEmpty()) return;
  const bool live = Scrollable();
  auto arrow = [&](TScrollPart part, UINT kind) {
    RECT r = PartRect(part);
    if (r.IsEmpty()) return;
    UINT state = kind;
    if (!live) state |= DFCS_INACTIVE;
    if (pressed_ == part && pressedInside_) state |= DFCS_PUSHED | DFCS_FLAT;
    DrawFrameControl(dc, &r, DFC_SCROLL, state);
  };
  arrow(spLineUp, Vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT);
  arrow(spLineDown, Vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
  for (TScrollPart part : {spPageUp, spPageDown}) {
    RECT r = PartRect(part);
    if (r.IsEmpty()) continue;
    const bool down = pressed_ == part && pressedInside_;
    FillRect(dc, &r, GetSysColorBrush(down ? COLOR_3DDKSHADOW : COLOR_SCROLLBAR));
  }
  RECT thumb = PartRect(spThumb);
  if (!thumb.IsEmpty()) {
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

void TScrollBarPart::Fire(TScrollCode code, int32_t pos) {
  if (OnScroll) OnScroll(code, Clamp(pos));
}

void TScrollBarPart::Step(TScrollPart part) {
  switch (part) {
    case spLineUp: Fire(scLineUp, Position - SmallChange); break;
    case spLineDown: Fire(scLineDown, Position + SmallChange); break;
    case spPageUp: Fire(scPageUp, Position - LargeChange); break;
    case spPageDown: Fire(scPageDown, Position + LargeChange); break;
    default: break;
  }
}

bool TScrollBarPart::MouseDown(TPoint p) {
  if (!Bounds.Contains(p)) return false;
  const TScrollPart part = HitTest(p);
  if (!Scrollable() || part == spNone) return true;  // a dead bar swallows the press
  pressed_ = part;
  pressedInside_ = true;
  lastMouse_ = p;
  if (part == spThumb) {
    const TRect t = PartRect(spThumb);
    dragGrab_ = Vertical ? p.Y - t.Top : p.X - t.Left;
    dragStartPos_ = Position;
  } else {
    Step(part);
  }
  return true;
}

void TScrollBarPart::MouseMove(TPoint p) {
  lastMouse_ = p;
  if (pressed_ == spNone) return;
  if (pressed_ != spThumb) {
    pressedInside_ = PartRect(pressed_).Contains(p) || HitTest(p) == pressed_;
    return;
  }
  const int32_t arrow = ArrowLength();
  int32_t thumbStart = 0, thumbSize = 0;
  ThumbSpan(thumbStart, thumbSize);
  const int32_t room = Length() - 2 * arrow - thumbSize;
  if (room <= 0) return;
  const int32_t along = (Vertical ? p.Y - Bounds.Top : p.X - Bounds.Left) - arrow - dragGrab_;
  const int64_t range = int64_t(MaxPosition()) - Min;
  const int32_t offset = std::clamp(along, 0, room);
  const int32_t pos = Min + int32_t((int64_t(offset) * range + room / 2) / room);
  if (pos != Position) Fire(scTrack, pos);
}

void TScrollBarPart::MouseUp(TPoint p) {
  if (pressed_ == spNone) return;
  MouseMove(p);
  const TScrollPart was = pressed_;
  pressed_ = spNone;
  pressedInside_ = false;
  if (was == spThumb) Fire(scPosition, Position);
  Fire(scEndScroll, Position);
}

void TScrollBarPart::Repeat() {
  if (pressed_ == spNone || pressed_ == spThumb || !pressedInside_) return;
  // A page area stops repeating once the thumb has reached the mouse.
  if ((pressed_ == spPageUp || pressed_ == spPageDown) && HitTest(lastMouse_) != pressed_) return;
  Step(pressed_);
}
