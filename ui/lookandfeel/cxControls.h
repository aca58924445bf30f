// The process-wide machinery under the library's controls: a component timer
// whose instances share one hidden window, mouse-leave tracking that polls
// the cursor for objects that must hear when the mouse leaves them, the
// middle-button auto-scroll loop, the hint window, the controllers that relay
// system changes, and free routines on windows, monitors, the mouse, the
// keyboard and popup menus.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes/component.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"

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

void cxControlsUnitStart();
// Frees tracking still running (reported on stderr), the controllers and the shared windows.
void cxControlsUnitStop();
