// The process-wide machinery under the library's controls: a component timer
// whose instances share one hidden window, mouse-leave tracking that polls
// the cursor for objects that must hear when the mouse leaves them, the
// middle-button auto-scroll loop, the hint window, the controllers that relay
// system changes, and free routines on windows, monitors, the mouse, the
// keyboard and popup menus; and TcxControl, the custom-drawn base control
// with its own scroll bars, drag and drop and popup menus.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes/component.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/cxScrollBar.h"

// A hidden window whose messages go to HandleMessage.
class TcxMessageWindow : public TObject {
public:
  TcxMessageWindow();
  ~TcxMessageWindow() override;
  win::HWND Handle() const { return handle_; }

protected:
  virtual void HandleMessage(TMessage& Message);

private:
  win::HWND handle_ = nullptr;
};

// Hands WM_TIMER to the running TcxTimer it names; a WM_TIMER naming no
// running timer (one killed after the message was queued) is dropped.
class TcxTimerWindow : public TcxMessageWindow {
protected:
  void HandleMessage(TMessage& Message) override;
};

class TcxTimer : public TComponent {
  DX_COMPONENT_CLASS(TcxTimer, TComponent)
public:
  explicit TcxTimer(TComponent* AOwner);
  ~TcxTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  // Milliseconds; 0 is ignored.
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t Value);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  // Always restarts the period; no system timer runs without a handler.
  void SetOnTimer(TNotifyEvent Handler);
  // A system timer is running.
  bool TimerOn() const { return timerOn_; }
  // The identifier the shared window's WM_TIMER carries for this timer.
  uintptr_t EventID() const { return reinterpret_cast<uintptr_t>(this); }

protected:
  virtual void Fire();

private:
  friend class TcxTimerWindow;
  void Restart();
  void StartSystemTimer();
  void StopSystemTimer();

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  bool timerOn_ = false;
};

// The shared window of all timers; null after the unit has shut down.
TcxTimerWindow* cxTimerWindow();

// An object that must hear when the mouse leaves it.
class IcxMouseTrackingCaller {
public:
  virtual ~IcxMouseTrackingCaller() = default;
  virtual void MouseLeave() = 0;
};
// A caller that decides itself whether the mouse is still inside (P in the
// tracked control's client coordinates).
class IcxMouseTrackingHitTest : public IcxMouseTrackingCaller {
public:
  virtual bool PtInCaller(TPoint P) = 0;
};

// Polls every 10 ms until the mouse has left Bounds (Control's client
// coordinates; screen coordinates without Control) or Control is disabled,
// then sends CM_MOUSELEAVE to Control when the mouse left its client area or
// it is disabled, calls Caller's MouseLeave and stops. One tracking per
// caller; the caller must stay alive while it is tracked.
void StartMouseLeaveTracking(TWinControl* Control, const TRect& Bounds, IcxMouseTrackingCaller* Caller);
void StopMouseLeaveTracking(IcxMouseTrackingCaller* Caller);
bool IsMouseLeaveTracked(IcxMouseTrackingCaller* Caller);

// A hint window that stays inside the work area of its monitor and animates
// like the system's tooltips.
class TcxBaseHintWindow : public THintWindow {
  DX_COMPONENT_CLASS(TcxBaseHintWindow, THintWindow)
public:
  explicit TcxBaseHintWindow(TComponent* AOwner);
  void ActivateHint(TRect R, const std::string& Hint) override;
  // Moved into the work area of the monitor nearest to (ALeft, ATop).
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

  // 0-7: one AnimateWindow direction or effect; 8: the system's tooltip
  // animation; 9: none.
  uint8_t AnimationStyle = 8;
  int32_t AnimationDelay = 100;  // milliseconds
  bool KeepBorder = false;
  bool EraseBackground = false;
  // Every override defers to the framework's hint window.
  bool StandardBehaviour = false;

  // The AnimateWindow flags the style gives now; 0 for no animation.
  win::DWORD AnimationFlags() const;
  // The flags of the last animated activation (0: shown without animation).
  win::DWORD LastAnimationFlags() const { return lastFlags_; }

protected:
  virtual void DisableRegion();
  virtual void EnableRegion() {}
  virtual void ShowHintWindow();
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

private:
  win::DWORD lastFlags_ = 0;
};

// ---------------------------------------------------------------- process-wide controllers

// Relays the system's change of non-client metrics (scroll-bar sizes) to the
// registered controls as CM_CXSETTINGSCHANGED; its window exists only while
// a control is registered.
class TcxSettingsController : public TObject {
public:
  ~TcxSettingsController() override;
  void Add(TWinControl* Control);
  void Remove(TWinControl* Control);
  win::HWND Handle() const { return handle_; }

private:
  void WndProc(TMessage& Message);
  std::vector<TWinControl*> controls_;
  win::HWND handle_ = nullptr;
};
// The process-wide instance, made on first use; null after shutdown (so a
// control freed late checks before removing itself).
TcxSettingsController* SettingsController();
// What a control of the library answers by checking the system's scroll-bar sizes.
constexpr win::UINT CM_CXSETTINGSCHANGED = 0x8065;

// A form being designed offers its designer's change notice through this;
// forms of the running program have none.
class IcxFormDesigner {
public:
  virtual ~IcxFormDesigner() = default;
  virtual void DesignerModified() = 0;
};

// Tells a form's designer that something changed, unless locked or already telling.
class TcxDesignController : public TObject {
public:
  void DesignerModified(TCustomForm* Form);
  void LockDesignerModified() { ++lockCount_; }
  void UnlockDesignerModified() { lockCount_ = std::max(lockCount_ - 1, 0); }
  // Set while DesignerModified notifies (and by a drag for its whole loop).
  bool Notifying() const { return notifying_; }
  void SetNotifying(bool Value) { notifying_ = Value; }

private:
  int32_t lockCount_ = 0;
  bool notifying_ = false;
};
TcxDesignController& DesignController();

// Relays other threads' requests for the main thread through its window in
// a library module; a program (this one) wakes its main thread itself, so
// nothing is replaced there.
class TcxSystemController : public TcxMessageWindow {
public:
  explicit TcxSystemController(bool IsLibrary);
  ~TcxSystemController() override;

protected:
  void HandleMessage(TMessage& Message) override;

private:
  bool relaying_ = false;
  std::function<void()> previousWake_;
};
constexpr win::UINT CM_CXSYNCHRONIZE = 0x8066;

// ---------------------------------------------------------------- auto-scroll

// What the middle-button auto-scroll loop asks of the control it scrolls.
class IcxAutoScrollControl {
public:
  virtual ~IcxAutoScrollControl() = default;
  virtual TWinControl* AutoScrollWindow() = 0;  // holds the capture
  virtual bool IsAutoScrollBarVisible(bool Horizontal) = 0;
  // Direction 1 left, 2 right, 3 up, 4 down: one line.
  virtual void ScrollInDirection(uint8_t Direction) = 0;
  virtual void SetScrollingContent(bool Value) = 0;
};
// Scrolls Control towards the mouse, faster the farther it is from the point
// where the loop began, until a click, the wheel, Esc or a lost capture. Does
// nothing when neither scroll bar is visible.
void cxRunAutoScroll(IcxAutoScrollControl& Control);
// The loop's ticks: a line every (13 - speed) ticks.
constexpr uint32_t cxAutoScrollTickInterval = 20;
constexpr int32_t cxAutoScrollMaxSpeed = 12;
// The auto-scroll marker of the named kind ("CX_FULLSCROLLBITMAP",
// "CX_HORSCROLLBITMAP", "CX_VERSCROLLBITMAP"); the caller frees it. Null for
// other names.
win::HBITMAP cxLoadAutoScrollBitmap(const char* Name);

// ---------------------------------------------------------------- windows and controls

// The control has, or can get, a window handle.
bool CanAllocateHandle(TWinControl* Control);
bool IsChildStyleWindow(win::HWND Wnd);
bool IsChildOrSameWindow(win::HWND Parent, win::HWND Wnd);
// Owner is found by following parents (and owners of top-level windows) up
// from Wnd's parent; a window is not its own ancestor.
bool IsAncestorWindow(win::HWND Owner, win::HWND Wnd);
// The window and all its parents are enabled.
bool IsWindowEnabledWithParents(win::HWND Handle);
bool IsMDIChildForm(TComponent* Component);
bool IsMDIForm(TControl* Control);
void ConvertClientPoint(win::HWND From, win::HWND To, TPoint& P);
void ConvertClientRect(win::HWND From, win::HWND To, TRect& R);
// The rectangle, or (0, 0, 0, 0) when the window has none.
TRect GetClientRectOrEmpty(win::HWND Wnd);
TRect GetWindowRectOrEmpty(win::HWND Wnd);
TRect GetControlWindowRect(TWinControl* Control);
// The innermost visible window under the screen point P; null for none.
win::HWND GetDeepestWindowFromPoint(TPoint P);
// Owner names down to the component's, joined with ".".
std::string GetFullComponentName(TComponent* Component);
// Tells the designer of the control's form that the control changed, while it is designed.
void NotifyDesignerModified(TControl* Control);

// ---------------------------------------------------------------- monitors

// The work area of the monitor nearest to P; the system's work area when
// there is no monitor or no monitor support.
TRect MonitorWorkAreaAt(TPoint P);
TRect GetWorkAreaOfMonitor(win::HMONITOR Monitor);

// ---------------------------------------------------------------- mouse and keyboard

// The cursor position; (-1, -1) when it cannot be read.
TPoint SafeCursorPos();
bool IsWithinDragThreshold(TPoint MouseDownPos, int32_t X, int32_t Y);
enum : int32_t { cxDragDetectClick = 0, cxDragDetectDrag = 1, cxDragDetectCancel = 2 };
// Holds the mouse for Wnd until the button is released (click), the mouse
// leaves the drag-threshold square (drag), or Esc or a lost capture cancels.
int32_t DetectDragOrClick(win::HWND Wnd);
// The MK_ flags of a shift state (Alt and double-click give none).
win::WPARAM ShiftStateToMouseKeys(TShiftState Shift);
// The one character the key types in the current keyboard state; 0 for none or several.
char16_t KeyCodeToChar(win::WORD Key);
bool IsCtrlPressed();
bool IsPrintableChar(char16_t Ch);
// S without its & accelerator marks; && gives one &. A trailing & is dropped,
// or shown as _ with ShowTrailingMark.
std::string RemoveAccelChars(const std::string& S, bool ShowTrailingMark = false);

// ---------------------------------------------------------------- popup menus

// A popup menu that is not the framework's TPopupMenu.
class IcxExternalPopupMenu {
public:
  virtual ~IcxExternalPopupMenu() = default;
  virtual bool IsShortCut(TWMKey& Message) = 0;
  virtual void Popup(int32_t X, int32_t Y) = 0;  // screen coordinates
};
bool IsPopupMenuShortCut(TComponent* Menu, TWMKey& Message);
// Shows Menu for Control at the screen point; false when it is no menu that can show.
bool ShowPopupMenuAt(TControl* Control, TComponent* Menu, int32_t X, int32_t Y);
// The framework drag object over one of the library's controls; null when none.
TObject* GetCurrentDragObject();
void SetCurrentDragObject(TObject* DragObject);

// The library's cursors in Screen's table, registered at unit start-up.
constexpr int32_t crcxDragCopy = 2100, crcxFullScroll = 2101, crcxHorScroll = 2102, crcxVerScroll = 2103,
                  crcxUpScroll = 2104, crcxRightScroll = 2105, crcxDownScroll = 2106, crcxLeftScroll = 2107,
                  crcxRemove = 2108, crcxVertSize = 2109, crcxHorzSize = 2110, crcxMultiDrag = 2111,
                  crcxNoDrop = 2112, crcxDrag = 2113, crcxHandPoint = -2099, crcxColorPicker = 2114,
                  crcxMultiDragCopy = 2115;

// ---------------------------------------------------------------- the base control

class TcxControl;
class TcxCanvas;

// The pending description of one of a control's own scroll bars, computed
// before it is applied.
struct TcxScrollBarData {
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Position = 0;
  int32_t PageSize = 0;
  uint16_t SmallChange = 1;
  uint16_t LargeChange = 1;
  bool Enabled = false;
  bool Visible = false;
  bool AllowShow = false;
  bool AllowHide = false;
};

// A scroll bar that a TcxControl places and shows itself.
class TcxControlScrollBar : public TcxScrollBar {
  DX_COMPONENT_CLASS(TcxControlScrollBar, TcxScrollBar)
public:
  explicit TcxControlScrollBar(TComponent* AOwner);
  // Range, position and page (when the pending data is visible), enabled
  // state and visibility from Data.
  void ApplyData();
  TcxScrollBarData Data;
  // The framework's showing state follows Visible.
  using TWinControl::UpdateControlState;

protected:
  void WMLButtonDown(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
};

// The square between the two bars of a TcxControl.
class TcxSizeGrip : public TCustomControl {
  DX_COMPONENT_CLASS(TcxSizeGrip, TCustomControl)
public:
  explicit TcxSizeGrip(TComponent* AOwner);
  ~TcxSizeGrip() override;
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  using TWinControl::UpdateControlState;

protected:
  void Paint() override;
  void WMEraseBkgnd(TMessage& Message) override { Message.Result = 1; }

private:
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
};

// A component that belongs to a TcxControl (its parent component) while
// being owned, for streaming, by the control's owner.
class TcxControlChildComponent : public TcxComponent {
  DX_COMPONENT_CLASS(TcxControlChildComponent, TcxComponent)
public:
  explicit TcxControlChildComponent(TComponent* AOwner) : TcxComponent(AOwner) { Initialize(); }
  TcxControlChildComponent(TcxControl* AControl, bool AAssignOwner);
  ~TcxControlChildComponent() override;

  TcxControl* Control() const { return control_; }
  bool HasParent() override { return control_ != nullptr; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;

protected:
  friend class TcxControl;
  virtual bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  virtual void Initialize() {}
  virtual void SetControl(TcxControl* Value) { control_ = Value; }

private:
  TcxControl* control_ = nullptr;
};

// One drag and drop inside a control: the control creates it when a drag
// may start and frees it when the drag ends.
class TcxDragAndDropObject : public TObject {
  DX_CLASS(TcxDragAndDropObject, TObject)
public:
  explicit TcxDragAndDropObject(TcxControl* AControl);

  TcxControl* Control() const { return control_; }
  TcxCanvas* Canvas() const { return canvas_; }
  TPoint CurMousePos() const { return curMousePos_; }
  TPoint PrevMousePos() const { return prevMousePos_; }
  bool Dirty() const { return dirty_; }
  void SetDirty(bool Value);

  void DoBeginDragAndDrop();
  void DoDragAndDrop(TPoint P, bool& Accepted);
  void DoEndDragAndDrop(bool Accepted);

  virtual TCursor GetDragAndDropCursor(bool Accepted);
  virtual bool GetImmediateStart() { return false; }

protected:
  virtual void NotifyDirtyChanged() {}
  virtual void EndDragAndDrop(bool /*Accepted*/) {}
  virtual void BeginDragAndDrop() { NotifyDirtyChanged(); }
  virtual void DragAndDrop(TPoint P, bool& Accepted);
  virtual void BeforeEndDragAndDrop(bool /*Accepted*/) { SetDirty(true); }

private:
  TcxControl* control_;
  TcxCanvas* canvas_;
  TPoint curMousePos_{-1, -1};
  TPoint prevMousePos_{-1, -1};
  bool dirty_ = false;
};
// Makes the drag-and-drop object of a control.
using TcxDragAndDropObjectClass = std::function<TcxDragAndDropObject*(TcxControl* Control)>;

class TcxDragImageList : public TDragImageList {
  DX_COMPONENT_CLASS(TcxDragImageList, TDragImageList)
public:
  using TDragImageList::TDragImageList;
};

// Told when another object takes the mouse capture from it.
class IcxMouseCaptureObject {
public:
  virtual ~IcxMouseCaptureObject() = default;
  virtual void DoCancelMode() = 0;
};

// Hears of font changes of the control it is registered with.
class IcxFontListener {
public:
  virtual ~IcxFontListener() = default;
  virtual void FontChanged(TObject* Sender, TFont* Font) = 0;
};

// A process-wide replacement for showing a control's popup menu; nothing in
// this program installs one.
class IcxPopupMenuHook {
public:
  virtual ~IcxPopupMenuHook() = default;
  virtual bool Popup(TComponent* Menu, TPoint ScreenPos) = 0;
};
extern IcxPopupMenuHook* cxPopupMenuHook;

enum TcxControlBorderStyle : uint8_t { cxcbsNone, cxcbsDefault };
enum TcxDragAndDropState : uint8_t { ddsNone, ddsStarting, ddsInProcess };
enum TcxKey : uint8_t { kAll, kArrows, kChars, kTab };
using TcxKeys = TSmallSet<TcxKey>;
// Directions of ScrollInDirection (as the auto-scroll loop names them).
enum TcxDirection : uint8_t { dirNone, dirLeft, dirRight, dirUp, dirDown };
enum TcxWheelScrollKind : uint8_t { wskNone, wskHorizontal, wskVertical };

// The custom-drawn control the library's windowed controls descend from:
// its own canvas wrapper and look-and-feel, a painted border, its own scroll
// bars with a size grip, mouse handling with focus on click, an in-control
// drag and drop, middle-button auto-scroll, the wheel and popup menus.
class TcxControl : public TCustomControl, public IcxAutoScrollControl {
  DX_COMPONENT_CLASS(TcxControl, TCustomControl)
public:
  explicit TcxControl(TComponent* AOwner);
  ~TcxControl() override;

  TcxControlBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TcxControlBorderStyle Value);
  TcxCanvas* cxCanvas() const { return canvas_.get(); }
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value);
  TcxKeys Keys() const { return keys_; }
  void SetKeys(TcxKeys Value) { keys_ = Value; }
  bool FocusOnClick() const { return focusOnClick_; }
  void SetFocusOnClick(bool Value) { focusOnClick_ = Value; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  // A TPopupMenu or a component with IcxExternalPopupMenu; anything else becomes null.
  TComponent* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TComponent* Value);
  TRect BoundsField() const { return bounds_; }
  void SetBoundsField(const TRect& Value) { bounds_ = Value; }

  TcxControlScrollBar* HScrollBar() const { return hScrollBar_; }
  TcxControlScrollBar* VScrollBar() const { return vScrollBar_; }
  TcxSizeGrip* SizeGrip() const { return sizeGrip_; }
  bool IsHScrollBarVisible();
  bool IsVScrollBarVisible();
  void LockScrollBars() { ++scrollBarsLockCount_; }
  // Updates once if an update was asked for while locked.
  void UnlockScrollBars();

  TcxDragAndDropState DragAndDropState() const { return dragAndDropState_; }
  TcxDragAndDropObject* DragAndDropObject();
  void SetDragAndDropObjectClass(TcxDragAndDropObjectClass Value) { dragAndDropObjectClass_ = std::move(Value); }
  void FinishDragAndDrop(bool Accepted);
  TObject* MouseCaptureObject() const { return mouseCaptureObject_; }
  void SetMouseCaptureObject(TObject* Value);
  bool IsMouseButtonPressed() const { return mouseButtonPressed_; }
  TPoint MouseDownPos() const { return mouseDownPos_; }
  bool IsScrollingContent() const { return scrollingContent_; }
  bool IsRightButtonReleasing() const { return rightButtonReleasing_; }

  void AddFontListener(IcxFontListener* Listener);
  void RemoveFontListener(IcxFontListener* Listener);

  // One line in a direction, then an immediate repaint.
  void ScrollInDirection(uint8_t Direction) override;
  void SetScrollBarInfo(TScrollBarKind Kind, int32_t Min, int32_t Max, int32_t Step, int32_t Page, int32_t Position,
                        bool AllowShow, bool AllowHide);
  void RunAutoScroll() { cxRunAutoScroll(*this); }

  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnFocusChanged;

  // ---- hooks descendants override
  virtual bool ShowPopupMenu(TComponent* Menu, int32_t X, int32_t Y);
  virtual void NotifyDesigner();
  virtual void BeforeMouseDown(TMouseButton Button, int32_t X, int32_t Y);
  virtual void InternalMouseDown(TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t /*X*/, int32_t /*Y*/) {}
  virtual void BringInternalControlsToFront();
  virtual void EndMouseOperation();
  virtual int32_t GetBorderSize();
  virtual void GetBounds(TRect& R);
  virtual void GetClientBounds(TRect& R);
  virtual TCursor GetCursorAt(int32_t /*X*/, int32_t /*Y*/) { return defaultCursor_; }
  virtual bool IsDesigning() { return ComponentState().Contains(csDesigning); }
  virtual bool HasFocus() { return Focused(); }
  virtual TcxWheelScrollKind GetWheelScrollKind() { return IsVScrollBarVisible() ? wskVertical : wskNone; }
  virtual void InitScrollBars();
  virtual bool CanFocusOnClick();
  virtual bool CanFocusOnClickAt(int32_t /*X*/, int32_t /*Y*/) { return CanFocusOnClick(); }
  virtual bool FocusWhenChildIsClicked(TControl* /*Child*/) { return CanFocusOnClick(); }
  virtual bool HasBackground() { return false; }
  virtual bool IsInternalControl(TControl* AControl);
  virtual bool InvalidateChildrenToo() { return false; }
  virtual bool FollowMoveOnFocus() { return true; }
  virtual void ParentBackgroundChanged() {}
  virtual TcxLookAndFeel* GetLookAndFeel() { return lookAndFeel_.get(); }
  virtual TcxLookAndFeelPainterClass GetPainter();
  virtual void LookAndFeelChanged(TcxLookAndFeel* /*Sender*/, TcxLookAndFeelValues /*ChangedValues*/) {}
  virtual bool CanScrollWithoutScrollBars(uint8_t /*Direction*/) { return false; }
  virtual void GetHScrollBarBounds(TRect& R);
  virtual void GetSizeGripBounds(TRect& R);
  virtual void GetVScrollBarBounds(TRect& R);
  virtual void InitScrollBarsParameters() {}
  virtual bool CanHideScrollBarPair(TScrollBarKind /*Kind*/) { return false; }
  virtual bool HasScrollBars() { return true; }
  virtual bool NeedsInternalControlsOnTop() { return !IsDesigning(); }
  virtual void Scroll(TScrollBarKind /*Kind*/, TScrollCode /*Code*/, int32_t& /*Position*/) {}
  virtual void SetInternalControlsBounds();
  virtual void UpdateInternalControlsState();
  virtual void UpdateScrollBars();
  virtual bool CanDragAtDesignTime(int32_t /*X*/, int32_t /*Y*/, TShiftState /*Shift*/) { return true; }
  virtual TcxDragAndDropObjectClass GetDragAndDropObjectClass();
  virtual void DrawDragImage(TcxCanvas* /*ACanvas*/, const TRect& /*R*/) {}
  virtual bool HasDragImages() { return false; }
  virtual TcxDragImageList* CreateDragImages() { return new TcxDragImageList(nullptr); }
  virtual void GetDragImagesSize(TPoint& P) { P = {0, 0}; }
  // Sizes List and adds the image DrawDragImage draws, when the size is not empty.
  virtual void InitDragImages(TcxDragImageList* List);
  // Null without drag images or when the list stays empty; made and filled on first use.
  TcxDragImageList* GetDragImages();
  virtual bool IsCopyDragDrop();
  virtual bool CanFocusEx();
  virtual bool IsNearMouseDownPoint(int32_t X, int32_t Y);
  virtual void ResourceStringsChanged() {}

  virtual void AddChildComponent(TcxControlChildComponent* AComponent) { AComponent->SetControl(this); }
  virtual void RemoveChildComponent(TcxControlChildComponent* AComponent) { AComponent->SetControl(nullptr); }
  virtual void CancelMouseOperations();
  virtual bool GetDesignHitTest(int32_t /*X*/, int32_t /*Y*/, TShiftState /*Shift*/) {
    return dragAndDropState_ != ddsNone || mouseButtonPressed_;
  }
  virtual void MouseEnter(TControl* AControl);
  virtual void MouseLeave(TControl* AControl);
  virtual bool MayFocus() { return true; }
  virtual void BoundsChanged();
  virtual void ColorChanged() {}
  virtual void CursorChanged() { defaultCursor_ = Cursor(); }
  virtual void FocusChanged();
  virtual void FontChanged();
  virtual void TextChanged() {}
  virtual void VisibleChanged() {}
  virtual bool AllowMouseDownWithoutFocus() { return false; }
  virtual void DragAndDrop(TPoint P, bool& Accepted);
  virtual void EndDragAndDrop(bool Accepted);
  virtual bool StartDragAndDrop(TPoint /*P*/) { return false; }
  virtual bool CanDrag(int32_t /*X*/, int32_t /*Y*/) { return dragAndDropState_ == ddsNone; }
  virtual void BeginDragAndDrop();

protected:
  // IcxAutoScrollControl
  TWinControl* AutoScrollWindow() override { return this; }
  bool IsAutoScrollBarVisible(bool Horizontal) override {
    return Horizontal ? IsHScrollBarVisible() : IsVScrollBarVisible();
  }
  void SetScrollingContent(bool Value) override { scrollingContent_ = Value; }

  void SetDragAndDropState(TcxDragAndDropState Value);

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Resize() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  TComponent* GetPopupMenu() override { return popupMenu_; }
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void WMContextMenu(TMessage& Message) override;
  void WMCancelMode(TMessage& Message) override;

private:
  void CreateScrollBars();
  void DestroyScrollBars();
  TcxScrollBarData& PendingData(TScrollBarKind Kind);
  bool IsPopupMenuKey(TMessage& Message);
  void InvalidateWithChildren(TMessage& Message);
  void SettingsChanged();
  bool GetScrollBarVisibility(TcxControlScrollBar* Bar);
  void CalculateScrollBarsParameters();

  TcxControlBorderStyle borderStyle_ = cxcbsNone;
  bool calculatingScrollBarsParams_ = false;
  std::unique_ptr<TcxCanvas> canvas_;
  TCursor defaultCursor_ = crDefault;
  std::unique_ptr<TcxDragAndDropObject> dragAndDropObject_;
  TcxDragAndDropObjectClass dragAndDropObjectClass_;
  TCursor dragAndDropPrevCursor_ = crDefault;
  TcxDragAndDropState dragAndDropState_ = ddsNone;
  std::unique_ptr<TcxDragImageList> dragImages_;
  bool finishingDragAndDrop_ = false;
  bool focusOnClick_ = true;
  std::vector<IcxFontListener*> fontListeners_;
  TcxControlScrollBar* hScrollBar_ = nullptr;  // owned unless parented and freed with the window tree
  bool initialHScrollBarVisible_ = false;
  bool initialVScrollBarVisible_ = false;
  bool isInitialScrollBarsParams_ = false;
  TcxKeys keys_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  bool mouseButtonPressed_ = false;
  TObject* mouseCaptureObject_ = nullptr;
  TPoint mouseDownPos_;
  bool rightButtonReleasing_ = false;
  TComponent* popupMenu_ = nullptr;
  TScrollStyle scrollBars_ = ssBoth;
  int32_t scrollBarsLockCount_ = 0;
  bool scrollBarsUpdateNeeded_ = false;
  TcxSizeGrip* sizeGrip_ = nullptr;
  bool updatingScrollBars_ = false;
  TcxControlScrollBar* vScrollBar_ = nullptr;
  bool scrollingContent_ = false;
  bool lastParentBackground_ = true;
  TRect bounds_;
};

void cxControlsUnitStart();
// Frees tracking still running (reported on stderr), the controllers and the shared windows.
void cxControlsUnitStop();
