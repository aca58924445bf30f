// TTimer: OnTimer every Interval milliseconds while Enabled, delivered by
// the message loop of the thread that made the timer (through a hidden
// window of its own).
#pragma once

#include <cstdint>

#include "platform/classes/component.h"
#include "platform/win/winuser.h"

class TTimer : public TComponent {
  DX_COMPONENT_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // Milliseconds; 0 stops the timer without clearing Enabled.
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t v);
  // Sets the handler and restarts the interval.
  void SetOnTimer(TNotifyEvent handler);
  const TNotifyEvent& GetOnTimer() const { return OnTimer; }
  // True while the window system's timer runs.
  bool Running() const { return running_; }

  // May be assigned directly at any time: the timer ticks while it is
  // enabled with a non-zero interval and calls this when set.
  TNotifyEvent OnTimer;

protected:
  void Loaded() override;
  virtual void Timer();

private:
  void UpdateTimer();

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  bool running_ = false;
  win::HWND window_ = nullptr;
};

void RegisterTimerClasses();
