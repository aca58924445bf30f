// TTimer over a window timer of a hidden window of its own.
#include "platform/vcl/timers.h"

#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"

namespace {
constexpr win::UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
  if (window_) DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t v) {
  if (interval_ == v) return;
  interval_ = v;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  OnTimer = std::move(handler);
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

// The window-system timer runs while the timer is enabled and has an
// interval (with or without a handler, so that OnTimer may be assigned at
// any moment); a change restarts it, as the framework does.
void TTimer::UpdateTimer() {
  if (running_ && window_) win::KillTimer(window_, kTimerId);
  running_ = false;
  if (!enabled_ || interval_ == 0 || Loading() || InState(csDestroying)) return;
  if (!window_)
    window_ = AllocateHWnd([this](TMessage& m) {
      if (m.Msg == win::WM_TIMER) {
        // An exception inside the handler reaches the application; the timer goes on.
        try {
          Timer();
        } catch (...) {
          Application->HandleException(this);
        }
        m.Result = 0;
        return;
      }
      m.Result = win::DefWindowProc(window_, m.Msg, m.WParam, m.LParam);
    });
  if (!window_) throw EOutOfMemory("Not enough timers available");
  if (!win::SetTimer(window_, kTimerId, interval_, nullptr)) throw EOutOfMemory("Not enough timers available");
  running_ = true;
}

void TTimer::Timer() {
  if (enabled_ && OnTimer) OnTimer(this);
}

void RegisterTimerClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    Published<TTimer>()
        .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Int("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
        .Event("OnTimer", &TTimer::OnTimer);
    RegisterClass(TTimer::StaticClass());
  });
}
