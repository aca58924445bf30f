// The process-wide machinery under the library's controls: a component timer
// whose instances share one hidden window, and mouse-leave tracking that polls
// the cursor for objects that must hear when the mouse leaves them.
#pragma once

#include <cstdint>
#include <string>

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

// The cursor position; (-1, -1) when it cannot be read.
TPoint SafeCursorPos();
// The window and all its parents are enabled.
bool IsWindowEnabledWithParents(win::HWND Handle);

// The work area of the monitor nearest to P; the system's work area when
// there is no monitor.
TRect MonitorWorkAreaAt(TPoint P);
TRect GetWorkAreaOfMonitor(win::HMONITOR Monitor);
// The MK_ flags of a shift state (Alt and double-click give none).
win::WPARAM ShiftStateToMouseKeys(TShiftState Shift);
bool IsCtrlPressed();
// S without its & accelerator marks; && gives one &. A trailing & is dropped,
// or shown as _ with ShowTrailingMark.
std::string RemoveAccelChars(const std::string& S, bool ShowTrailingMark = false);

// The library's cursors in Screen's table, registered at unit start-up.
constexpr int32_t crcxDragCopy = 2100, crcxFullScroll = 2101, crcxHorScroll = 2102, crcxVerScroll = 2103,
                  crcxUpScroll = 2104, crcxRightScroll = 2105, crcxDownScroll = 2106, crcxLeftScroll = 2107,
                  crcxRemove = 2108, crcxVertSize = 2109, crcxHorzSize = 2110, crcxMultiDrag = 2111,
                  crcxNoDrop = 2112, crcxDrag = 2113, crcxHandPoint = -2099, crcxColorPicker = 2114,
                  crcxMultiDragCopy = 2115;

void cxControlsUnitStart();
// Frees tracking still running (reported on stderr) and the shared windows.
void cxControlsUnitStop();
