// The common controls: page controls with tab sheets, track bars, up-down
// buttons and progress bars, drawn in the classic style.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/vcl/controls.h"
#include "platform/vcl/stdctrls.h"

class TPageControl;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

enum TTabPosition : uint8_t { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle : uint8_t { tsTabs, tsButtons, tsFlatButtons };

// One page of a page control: a container shown while it is the active page.
class TTabSheet : public TCustomControl {
  DX_COMPONENT_CLASS(TTabSheet, TCustomControl)
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* v);
  // The position among the page control's pages.
  int32_t PageIndex() const;
  void SetPageIndex(int32_t v);
  // The position among the visible tabs; -1 while the tab is hidden.
  int32_t TabIndex() const;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  int32_t ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int32_t v);
  bool Highlighted() const { return highlighted_; }
  void SetHighlighted(bool v);

  // A page read from a description joins the page control it is placed on.
  void SetParent(TWinControl* AParent) override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

protected:
  friend class TPageControl;
  void Paint() override;
  void CMTextChanged(TMessage& m) override;
  void CMShowingChanged(TMessage& m) override;

private:
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
  int32_t imageIndex_ = -1;
  bool highlighted_ = false;
};

// Pages with a row of tabs above them. The user's tab changes ask
// OnChanging (which may refuse) and then fire OnChange; changes from code
// fire neither. Ctrl+Tab and Ctrl+Shift+Tab cycle the pages from anywhere
// inside the control; the arrow keys do while it has the focus.
class TPageControl : public TCustomControl {
  DX_COMPONENT_CLASS(TPageControl, TCustomControl)
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int32_t PageCount() const { return int32_t(pages_.size()); }
  TTabSheet* Pages(int32_t index) const;
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* v);
  int32_t ActivePageIndex() const;
  void SetActivePageIndex(int32_t v);
  // The active page's position among the visible tabs.
  int32_t TabIndex() const { return activePage_ ? activePage_->TabIndex() : -1; }
  // The next page after current with a visible tab (checkTabVisible), null when none.
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
  // Moves as the user does (OnChanging, OnChange).
  void SelectNextPage(bool goForward, bool checkTabVisible = true);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* v);
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition v);
  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle v) { style_ = v; Invalidate(); }
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool v) { hotTrack_ = v; }
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool v) { multiLine_ = v; }
  // Fixed tab size; 0 sizes each tab to its caption.
  int32_t TabHeight() const { return tabHeight_; }
  void SetTabHeight(int32_t v);
  int32_t TabWidth() const { return tabWidth_; }
  void SetTabWidth(int32_t v);

  // The rectangle of visible tab index (client coordinates), empty when none.
  TRect TabRect(int32_t tabIndex);
  // The visible tab index at a client point, -1 when none.
  int32_t IndexOfTabAt(int32_t X, int32_t Y);
  // Where the pages go.
  TRect DisplayRect();

  void AdjustClientRect(TRect& Rect) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Notification(TComponent* AComponent, TOperation operation) override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

protected:
  friend class TTabSheet;
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void CMDialogKey(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void Loaded() override;
  virtual bool CanChange();
  virtual void Change();
  // A change the user asked for: false when OnChanging refused.
  bool ChangeActivePage(TTabSheet* page);
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int32_t index);
  void PageTabChanged();
  void UpdateActivePage();
  std::vector<TTabSheet*> VisibleTabs() const;
  int32_t RowHeight();

private:
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
  TCustomImageList* images_ = nullptr;
  TTabPosition tabPosition_ = tpTop;
  TTabStyle style_ = tsTabs;
  bool hotTrack_ = false;
  bool multiLine_ = false;
  int32_t tabHeight_ = 0;
  int32_t tabWidth_ = 0;
};

// ---------------------------------------------------------------- track bar
enum TTrackBarOrientation : uint8_t { trHorizontal, trVertical };
enum TTickMark : uint8_t { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle : uint8_t { tsNone, tsAuto, tsManual };

// A slider: the thumb moves from Min to Max by LineSize (arrows), PageSize
// (page keys, clicks beside the thumb) or by dragging. Right and Down go
// towards Max.
class TTrackBar : public TCustomControl {
  DX_COMPONENT_CLASS(TTrackBar, TCustomControl)
public:
  explicit TTrackBar(TComponent* AOwner);

  int32_t Min() const { return min_; }
  void SetMin(int32_t v);
  int32_t Max() const { return max_; }
  void SetMax(int32_t v);
  int32_t Position() const { return position_; }
  void SetPosition(int32_t v);
  int32_t Frequency() const { return frequency_; }
  void SetFrequency(int32_t v);
  int32_t PageSize() const { return pageSize_; }
  void SetPageSize(int32_t v) { pageSize_ = v; }
  int32_t LineSize() const { return lineSize_; }
  void SetLineSize(int32_t v) { lineSize_ = v; }
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation v);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark v);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle v);
  int32_t ThumbLength() const { return thumbLength_; }
  void SetThumbLength(int32_t v);
  bool SliderVisible() const { return sliderVisible_; }
  void SetSliderVisible(bool v);
  // Ticks of tsManual.
  void SetTick(int32_t value);
  void ClearTicks() { ticks_.clear(); Invalidate(); }

  TRect ThumbRect();
  TRect ChannelRect();

  TNotifyEvent OnChange;

protected:
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void Changed() override;
  // The position of a pixel along the channel.
  int32_t PositionAt(int32_t along);
  int32_t PixelOf(int32_t position);
  void UserMove(int32_t position);

private:
  void PageStep();
  int32_t min_ = 0;
  int32_t max_ = 10;
  int32_t position_ = 0;
  int32_t frequency_ = 1;
  int32_t pageSize_ = 2;
  int32_t lineSize_ = 1;
  TTrackBarOrientation orientation_ = trHorizontal;
  TTickMark tickMarks_ = tmBottomRight;
  TTickStyle tickStyle_ = tsAuto;
  int32_t thumbLength_ = 20;
  bool sliderVisible_ = true;
  std::vector<int32_t> ticks_;
  bool dragging_ = false;
  int32_t dragGrab_ = 0;
  int32_t pageDir_ = 0;  // a page click repeating: -1 or 1
  TPoint lastMouse_;
};

// ---------------------------------------------------------------- up-down
enum TUDAlignButton : uint8_t { udLeft, udRight };
enum TUDOrientation : uint8_t { udHorizontal, udVertical };
enum TUDBtnType : uint8_t { btNext, btPrev };
enum TUpDownDirection : uint8_t { updNone, updUp, updDown };

using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TUDChangingEventEx =
    std::function<void(TObject* Sender, bool& AllowChange, int32_t NewValue, TUpDownDirection Direction)>;

// Two arrow buttons that step Position by Increment between Min and Max
// (wrapping round with Wrap). An associated edit shows the position, is read
// back before each step, and passes its Up and Down keys to the buttons.
class TUpDown : public TCustomControl {
  DX_COMPONENT_CLASS(TUpDown, TCustomControl)
public:
  explicit TUpDown(TComponent* AOwner);
  ~TUpDown() override;

  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* v);
  int32_t Min() const { return min_; }
  void SetMin(int32_t v);
  int32_t Max() const { return max_; }
  void SetMax(int32_t v);
  int32_t Position();
  void SetPosition(int32_t v);
  int32_t Increment() const { return increment_; }
  void SetIncrement(int32_t v) { increment_ = v; }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool v) { wrap_ = v; }
  bool ArrowKeys() const { return arrowKeys_; }
  void SetArrowKeys(bool v) { arrowKeys_ = v; }
  // Thousands separators in the associate's text.
  bool Thousands() const { return thousands_; }
  void SetThousands(bool v);
  TUDAlignButton AlignButton() const { return alignButton_; }
  void SetAlignButton(TUDAlignButton v);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation v);

  // One step as a click on a button does.
  void Step(TUDBtnType button);

  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;
  TUDChangingEventEx OnChangingEx;

  void Notification(TComponent* AComponent, TOperation operation) override;

protected:
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void Loaded() override;
  virtual bool CanChange(int32_t newValue, TUpDownDirection direction);
  virtual void DoClick(TUDBtnType button);
  // The button under a client point.
  bool ButtonAt(TPoint p, TUDBtnType& button);
  TRect ButtonRect(TUDBtnType button);
  void UpdateAssociate();
  void PlaceBesideAssociate();
  // Reads the associate's text into Position (when it holds a number).
  void ReadAssociate();

private:
  void Hook(TWinControl* control);
  void Unhook();
  std::string FormatPosition(int32_t v) const;

  TWinControl* associate_ = nullptr;
  std::function<void(TMessage&)> savedWindowProc_;
  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t position_ = 0;
  int32_t increment_ = 1;
  bool wrap_ = false;
  bool arrowKeys_ = true;
  bool thousands_ = true;
  TUDAlignButton alignButton_ = udRight;
  TUDOrientation orientation_ = udVertical;
  bool pressed_ = false;
  TUDBtnType pressedButton_ = btNext;
  bool pressedInside_ = false;
};

// ---------------------------------------------------------------- progress bar
enum TProgressBarOrientation : uint8_t { pbHorizontal, pbVertical };

class TProgressBar : public TCustomControl {
  DX_COMPONENT_CLASS(TProgressBar, TCustomControl)
public:
  explicit TProgressBar(TComponent* AOwner);

  int32_t Min() const { return min_; }
  void SetMin(int32_t v);
  int32_t Max() const { return max_; }
  void SetMax(int32_t v);
  int32_t Position() const { return position_; }
  void SetPosition(int32_t v);
  int32_t Step() const { return step_; }
  void SetStep(int32_t v) { step_ = v; }
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation v);
  // A continuous bar instead of blocks.
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v);
  // Position += Step, wrapping to Min past Max as the platform's bar does.
  void StepIt();
  void StepBy(int32_t delta);
  // The filled part of the bar (client coordinates).
  TRect FilledRect();

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

private:
  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t position_ = 0;
  int32_t step_ = 10;
  TProgressBarOrientation orientation_ = pbHorizontal;
  bool smooth_ = false;
};

void RegisterComCtrlsClasses();
