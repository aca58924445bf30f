// A scroll bar drawn by the look-and-feel painters instead of the platform,
// with auto-repeat on the arrows and page areas, thumb tracking that snaps
// back when the mouse strays far across the bar, and hot tracking.
//
//   horizontal:  [<][ page before ][###][ page after ][>]
//                 ^ first arrow     thumb              ^ second arrow
//
// "Along" is the bar's long axis, "across" its short one. The track is the
// space between the two arrows.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/vcl/controls.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/stdctrlsscroll.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

class TBitmap;
class TcxCanvas;
class TcxLookAndFeel;
class TcxScrollBar;
class TcxTimer;
class TdxThemeChangedNotificator;

class TcxScrollBarViewInfo : public TObject {
  DX_CLASS(TcxScrollBarViewInfo, TObject)
public:
  explicit TcxScrollBarViewInfo(TcxScrollBar* AScrollBar) : ScrollBar(AScrollBar) {}

  // The arrows, then the thumb.
  virtual void CalculateRects();
  void Calculate() { CalculateRects(); }
  // The thumb and the page areas from the bar's range and position.
  void CalculateThumb();
  // The page areas around the current thumb (empty without a thumb).
  void CalculatePageRects();
  // The position the current thumb rectangle stands for.
  int32_t PositionFromThumb() const;
  // Space between the arrows along the bar.
  int32_t TrackLength() const;
  // Where the track begins and ends along the bar.
  int32_t TrackStart() const;
  int32_t TrackEnd() const;

  TRect BottomRightArrowRect;
  TRect PageDownRect;
  TRect PageUpRect;
  TcxScrollBar* ScrollBar;
  TRect ThumbnailRect;
  int32_t MinThumbnailSize = 0;
  TRect TopLeftArrowRect;
};

class TcxScrollBar : public TCustomControl {
  DX_COMPONENT_CLASS(TcxScrollBar, TCustomControl)
public:
  explicit TcxScrollBar(TComponent* AOwner);
  ~TcxScrollBar() override;

  // EInvalidOperation "Scrollbar property out of range" when AMax < AMin or AMax < APageSize;
  // nothing changes then. A new position enables the bar and fires OnChange.
  void SetScrollParams(int32_t AMin, int32_t AMax, int32_t APosition, int32_t APageSize, bool ARedraw = true);
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind Value);
  int32_t Min() const { return min_; }
  void SetMin(int32_t Value) { SetScrollParams(Value, max_, position_, pageSize_); }
  int32_t Max() const { return max_; }
  void SetMax(int32_t Value) { SetScrollParams(min_, Value, position_, pageSize_); }
  int32_t PageSize() const { return pageSize_; }
  void SetPageSize(int32_t Value) { SetScrollParams(min_, max_, position_, Value); }
  int32_t Position() const { return position_; }
  void SetPosition(int32_t Value) { SetScrollParams(min_, max_, Value, pageSize_); }
  uint16_t SmallChange() const { return smallChange_; }
  void SetSmallChange(uint16_t Value) { smallChange_ = Value; }
  uint16_t LargeChange() const { return largeChange_; }
  void SetLargeChange(uint16_t Value) { largeChange_ = Value; }
  bool UnlimitedTracking() const { return unlimitedTracking_; }
  void SetUnlimitedTracking(bool Value) { unlimitedTracking_ = Value; }
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value);

  TcxScrollBarViewInfo* ViewInfo() const { return viewInfo_.get(); }
  // 0 outside the bar, in a missing thumb's track, or nowhere in particular.
  TcxScrollBarPaintPart GetPartAt(TPoint P) const;
  TcxButtonPaintState GetPartState(TcxScrollBarPaintPart Part);
  TcxScrollBarPaintPart PressedPart() const { return pressedPart_; }
  TcxScrollBarPaintPart HotPart() const { return hotPart_; }
  // The painter that draws the bar: the visual style only while the
  // scroll-bar theme opens.
  TcxLookAndFeelPainterClass Painter() const;

  // Ends an arrow's auto-repeat or a thumb drag, reporting its end.
  void CancelTracking();
  // Applies a scroll code as the user gave it.
  void Scroll(TScrollCode ScrollCode);

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

protected:
  virtual void Change();
  virtual TcxScrollBarViewInfo* CreateViewInfo() { return new TcxScrollBarViewInfo(this); }
  virtual void DrawScrollBar(TcxCanvas* ACanvas);
  virtual void DrawBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawPartState(TcxCanvas* ACanvas, const TRect& R, TcxButtonPaintState AState,
                             TcxScrollBarPaintPart APart);
  virtual void DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarPaintPart APart);
  virtual bool IsHotTrackSupported();
  virtual void DoScroll(TScrollCode ScrollCode, int32_t& ScrollPos);
  virtual int32_t GetMinThumbSize();

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void Dispatch(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void WMCancelMode(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void WMEraseBkgnd(TMessage& Message) override { Message.Result = 1; }
  void Loaded() override;

private:
  friend class TcxScrollBarViewInfo;
  void LookAndFeelChanged();
  void ThemeChanged();
  void RecalculateViewInfo();
  void TimerTick(TObject* Sender);
  void ScrollForPart(TcxScrollBarPaintPart Part);
  void TrackThumb(TPoint P);
  void Ctl3DChanged();
  bool IsTrackingThumb() const { return pressedPart_ == sbpThumbnail; }
  bool IsRepeatPart(TcxScrollBarPaintPart Part) const { return Part != sbpNone && Part != sbpThumbnail; }

  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TcxCanvas> bitmapCanvas_;
  TPoint downMousePos_;
  TScrollBarKind kind_ = sbHorizontal;
  uint16_t largeChange_ = 1;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  int32_t max_ = 100;
  int32_t min_ = 0;
  int32_t pageSize_ = 0;
  int32_t position_ = 0;
  bool realCtl3D_ = true;
  bool switchingCtl3D_ = false;
  int32_t savePosition_ = 0;
  TPoint saveThumbPos_;
  uint16_t smallChange_ = 1;
  std::unique_ptr<TdxThemeChangedNotificator> themeNotificator_;
  TcxTimer* timer_ = nullptr;  // owned as a component
  bool unlimitedTracking_ = false;
  TcxScrollBarPaintPart pressedPart_ = sbpNone;
  TcxScrollBarPaintPart hotPart_ = sbpNone;
  std::unique_ptr<TcxScrollBarViewInfo> viewInfo_;
};
