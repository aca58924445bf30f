// One classic scroll bar as a part of a control: the geometry of its arrows,
// track and thumb, its painting, and the mouse behaviour (arrow and page
// clicks with auto-repeat, thumb dragging). TScrollBar is a window around one
// of these; TMemo, TListBox and the combo box's list embed them in their
// client areas.
//
//   vertical:  +---+  line-up arrow
//              |   |  page-up area
//              |###|  thumb
//              |   |  page-down area
//              +---+  line-down arrow
#pragma once

#include <cstdint>
#include <functional>

#include "platform/gdi/gdi.h"
#include "platform/rtl/types.h"

enum TScrollCode : uint8_t {
  scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll
};

enum TScrollPart : uint8_t { spNone, spLineUp, spPageUp, spThumb, spPageDown, spLineDown };

class TScrollBarPart {
public:
  // Bounds in the host's client coordinates.
  TRect Bounds;
  bool Vertical = true;
  bool Enabled = true;
  int32_t Min = 0;
  int32_t Max = 100;
  // The visible extent in position units (0: a square thumb, positions up to Max).
  int32_t PageSize = 0;
  int32_t Position = 0;
  int32_t SmallChange = 1;
  int32_t LargeChange = 1;

  // Asked for every step the user makes: code and the proposed position
  // (already clamped). The host moves its content and sets Position.
  std::function<void(TScrollCode code, int32_t pos)> OnScroll;

  // The highest position a thumb can reach: Max - PageSize + 1 with a page.
  int32_t MaxPosition() const;
  int32_t Clamp(int32_t pos) const;
  // Whether there is anything to scroll (otherwise arrows show disabled and no thumb).
  bool Scrollable() const { return Enabled && MaxPosition() > Min; }

  TRect PartRect(TScrollPart part) const;
  TScrollPart HitTest(TPoint p) const;

  void Paint(win::HDC dc) const;

  // Mouse in host client coordinates. MouseDown answers whether the bar took
  // the press (then the host captures the mouse and calls Repeat from a timer
  // of RepeatDelay / RepeatInterval milliseconds while pressed).
  bool MouseDown(TPoint p);
  void MouseMove(TPoint p);
  void MouseUp(TPoint p);
  // One auto-repeat step of the pressed arrow or page area (while the mouse is over it).
  void Repeat();
  bool Pressed() const { return pressed_ != spNone; }
  TScrollPart PressedPart() const { return pressed_; }

  static constexpr uint32_t RepeatDelay = 350;
  static constexpr uint32_t RepeatInterval = 50;

private:
  int32_t Length() const { return Vertical ? Bounds.Height() : Bounds.Width(); }
  int32_t ArrowLength() const;
  void ThumbSpan(int32_t& start, int32_t& size) const;  // along the bar, from the track start
  void Step(TScrollPart part);
  void Fire(TScrollCode code, int32_t pos);

  TScrollPart pressed_ = spNone;
  bool pressedInside_ = false;
  TPoint lastMouse_;
  int32_t dragGrab_ = 0;       // mouse offset into the thumb when the drag began
  int32_t dragStartPos_ = 0;
};
