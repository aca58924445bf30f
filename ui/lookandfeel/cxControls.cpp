#include "ui/lookandfeel/cxControls.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/classes/threads.h"
#include "platform/gdi/icon.h"
#include "ui/lookandfeel/cxControlsInternal.h"
#include "ui/lookandfeel/dxCore.h"

namespace {

bool finalized = false;
TcxTimerWindow* timerWindow = nullptr;
// Identifiers of the timers whose system timer runs.
std::vector<uintptr_t>* activeTimers = nullptr;

std::vector<uintptr_t>& ActiveTimers() {
  if (!activeTimers) activeTimers = new std::vector<uintptr_t>;
  return *activeTimers;
}

}  // namespace

TcxMessageWindow::TcxMessageWindow() {
  handle_ = AllocateHWnd([this](TMessage& m) { HandleMessage(m); });
}

TcxMessageWindow::~TcxMessageWindow() { DeallocateHWnd(handle_); }

void TcxMessageWindow::HandleMessage(TMessage& Message) {
  Message.Result = win::DefWindowProc(handle_, Message.Msg, Message.WParam, Message.LParam);
}

void TcxTimerWindow::HandleMessage(TMessage& Message) {
  if (Message.Msg != win::WM_TIMER) {
    TcxMessageWindow::HandleMessage(Message);
    return;
  }
  if (!activeTimers) return;
  const auto& ids = *activeTimers;
  if (std::find(ids.begin(), ids.end(), uintptr_t(Message.WParam)) == ids.end()) return;
  // The handler may free the timer: nothing touches it afterwards.
  reinterpret_cast<TcxTimer*>(Message.WParam)->Fire();
}

TcxTimerWindow* cxTimerWindow() {
  if (!timerWindow && !finalized) timerWindow = new TcxTimerWindow;
  return timerWindow;
}

TcxTimer::TcxTimer(TComponent* AOwner) : TComponent(AOwner) {}

TcxTimer::~TcxTimer() { StopSystemTimer(); }

void TcxTimer::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  Restart();
}

void TcxTimer::SetInterval(uint32_t Value) {
  if (Value == 0 || interval_ == Value) return;
  interval_ = Value;
  Restart();
}

void TcxTimer::SetOnTimer(TNotifyEvent Handler) {
  onTimer_ = std::move(Handler);
  Restart();
}

void TcxTimer::Restart() {
  StopSystemTimer();
  StartSystemTimer();
}

void TcxTimer::StartSystemTimer() {
  if (!enabled_ || timerOn_ || !onTimer_) return;
  TcxTimerWindow* window = cxTimerWindow();
  if (!window) return;  // after shutdown
  timerOn_ = win::SetTimer(window->Handle(), EventID(), interval_, nullptr) != 0;
  if (timerOn_) ActiveTimers().push_back(EventID());
}

void TcxTimer::StopSystemTimer() {
  if (!timerOn_) return;
  if (timerWindow) win::KillTimer(timerWindow->Handle(), EventID());
  timerOn_ = false;
  if (activeTimers) std::erase(*activeTimers, EventID());
}

void TcxTimer::Fire() {
  // A copy: the handler may free this timer and with it the stored handler.
  if (TNotifyEvent handler = onTimer_) handler(this);
}

// ---------------------------------------------------------------- mouse-leave tracking

namespace {

class TMouseTrackingTimer : public TcxTimer {
public:
  TMouseTrackingTimer(TWinControl* control, const TRect& bounds, IcxMouseTrackingCaller* caller)
      : TcxTimer(nullptr), caller_(caller), control_(control), bounds_(bounds) {
    if (control) {
      controlAlive_ = control->AliveToken();
      bounds_ = TRect(control->ClientToScreen(bounds.TopLeft()), control->ClientToScreen(bounds.BottomRight()));
    }
    SetInterval(10);
    SetOnTimer([this](TObject*) { Tick(); });
  }
  IcxMouseTrackingCaller* Caller() const { return caller_; }

private:
  // A control freed while tracked counts as none.
  TWinControl* Control() const { return control_ && !controlAlive_.expired() ? control_ : nullptr; }
  void Tick();

  IcxMouseTrackingCaller* caller_;
  TWinControl* control_;
  std::weak_ptr<bool> controlAlive_;
  TRect bounds_;
};

std::vector<TMouseTrackingTimer*>* trackingTimers = nullptr;

TMouseTrackingTimer* FindMouseTrackingTimer(IcxMouseTrackingCaller* caller) {
  if (!trackingTimers) return nullptr;
  for (TMouseTrackingTimer* t : *trackingTimers)
    if (t->Caller() == caller) return t;
  return nullptr;
}

void TMouseTrackingTimer::Tick() {
  TWinControl* control = Control();
  const bool hasHandle = control && control->HandleAllocated();
  const TPoint cursor = SafeCursorPos();
  bool inside;
  if (auto* hitTest = dynamic_cast<IcxMouseTrackingHitTest*>(caller_))
    inside = hasHandle && hitTest->PtInCaller(control->ScreenToClient(cursor));
  else
    inside = bounds_.Contains(cursor);
  const bool disabled = !hasHandle || !IsWindowEnabledWithParents(control->Handle());
  if (inside && !disabled) return;

  IcxMouseTrackingCaller* caller = caller_;  // this timer is freed below
  if (hasHandle && (disabled || !control->ClientRect().Contains(control->ScreenToClient(cursor))))
    control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<win::LPARAM>(control));
  caller->MouseLeave();
  StopMouseLeaveTracking(caller);
}

}  // namespace

void StartMouseLeaveTracking(TWinControl* Control, const TRect& Bounds, IcxMouseTrackingCaller* Caller) {
  if (finalized || !Caller || FindMouseTrackingTimer(Caller)) return;
  if (!trackingTimers) trackingTimers = new std::vector<TMouseTrackingTimer*>;
  trackingTimers->push_back(new TMouseTrackingTimer(Control, Bounds, Caller));
}

void StopMouseLeaveTracking(IcxMouseTrackingCaller* Caller) {
  TMouseTrackingTimer* timer = FindMouseTrackingTimer(Caller);
  if (!timer) return;
  std::erase(*trackingTimers, timer);
  delete timer;
}

bool IsMouseLeaveTracked(IcxMouseTrackingCaller* Caller) {
  return !finalized && FindMouseTrackingTimer(Caller) != nullptr;
}

// ---------------------------------------------------------------- hint window

namespace {

bool SystemFlag(win::UINT action) {
  win::BOOL on = win::FALSE;
  return win::SystemParametersInfo(action, 0, &on, 0) && on;
}

}  // namespace

TcxBaseHintWindow::TcxBaseHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

win::DWORD TcxBaseHintWindow::AnimationFlags() const {
  static constexpr win::DWORD kStyleFlags[] = {win::AW_HOR_POSITIVE, win::AW_HOR_NEGATIVE, win::AW_VER_POSITIVE,
                                               win::AW_VER_NEGATIVE, win::AW_CENTER,        win::AW_HIDE,
                                               win::AW_ACTIVATE,     win::AW_BLEND};
  if (AnimationStyle > 8 || !SystemFlag(win::SPI_GETTOOLTIPANIMATION)) return 0;
  uint8_t style = AnimationStyle;
  if (style == 8) style = SystemFlag(win::SPI_GETTOOLTIPFADE) ? 7 : 2;
  return kStyleFlags[style] | win::AW_SLIDE;
}

void TcxBaseHintWindow::ActivateHint(TRect R, const std::string& Hint) {
  if (StandardBehaviour) {
    THintWindow::ActivateHint(R, Hint);
    return;
  }
  SetCaption(Hint);
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
  UpdateBoundsRect(R);
  win::SetWindowPos(Handle(), win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  if (IsWindowsXP) EnableRegion();
  lastFlags_ = 0;
  if (Hint.size() < 100) {
    lastFlags_ = AnimationFlags();
    if (lastFlags_ != 0) {
      if (!IsWindowsXP) DisableRegion();
      win::AnimateWindow(Handle(), win::DWORD(AnimationDelay), lastFlags_);
    }
  }
  if (!IsWindowsXP) EnableRegion();
  ShowHintWindow();
  Invalidate();
}

void TcxBaseHintWindow::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  if (!StandardBehaviour) {
    const TRect work = MonitorWorkAreaAt({ALeft, ATop});
    ALeft = std::max(std::min(ALeft, work.Right - AWidth), work.Left);
    ATop = std::max(std::min(ATop, work.Bottom - AHeight), work.Top);
  }
  THintWindow::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TcxBaseHintWindow::DisableRegion() { win::SetWindowRgn(Handle(), nullptr, win::TRUE); }

void TcxBaseHintWindow::ShowHintWindow() { win::ShowWindow(Handle(), win::SW_SHOWNOACTIVATE); }

void TcxBaseHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  if (StandardBehaviour) return;
  if (!KeepBorder) Params.Style &= ~win::WS_BORDER;
  Params.ExStyle |= win::WS_EX_TOPMOST;
}

void TcxBaseHintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_ERASEBKGND && !StandardBehaviour && !EraseBackground) {
    Message.Result = 1;
    return;
  }
  THintWindow::Dispatch(Message);
}

// ---------------------------------------------------------------- controllers

namespace {

TcxSettingsController* settingsController = nullptr;
TcxSystemController* systemController = nullptr;
win::HMODULE user32 = nullptr;

}  // namespace

TcxSettingsController::~TcxSettingsController() {
  if (handle_) DeallocateHWnd(handle_);
}

void TcxSettingsController::Add(TWinControl* Control) {
  if (std::find(controls_.begin(), controls_.end(), Control) != controls_.end()) return;
  controls_.push_back(Control);
  if (!handle_) handle_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

void TcxSettingsController::Remove(TWinControl* Control) {
  std::erase(controls_, Control);
  if (controls_.empty() && handle_) {
    DeallocateHWnd(handle_);
    handle_ = nullptr;
  }
}

void TcxSettingsController::WndProc(TMessage& Message) {
  try {
    if (Message.Msg == win::WM_SETTINGCHANGE && Message.WParam == win::SPI_SETNONCLIENTMETRICS) {
      // A control may unregister while it hears the change.
      const std::vector<TWinControl*> controls = controls_;
      for (TWinControl* c : controls)
        if (c->HandleAllocated()) win::SendNotifyMessage(c->Handle(), CM_CXSETTINGSCHANGED, 0, 0);
      Message.Result = 0;
      return;
    }
    Message.Result = win::DefWindowProc(handle_, Message.Msg, Message.WParam, Message.LParam);
  } catch (...) {
    Application->HandleException(this);
  }
}

TcxSettingsController* SettingsController() {
  if (!settingsController && !finalized) settingsController = new TcxSettingsController;
  return settingsController;
}

void TcxDesignController::DesignerModified(TCustomForm* Form) {
  if (lockCount_ > 0 || notifying_) return;
  auto* designer = dynamic_cast<IcxFormDesigner*>(Form);
  if (!designer) return;
  notifying_ = true;
  try {
    designer->DesignerModified();
  } catch (...) {
    notifying_ = false;
    throw;
  }
  notifying_ = false;
}

TcxDesignController& DesignController() {
  static TcxDesignController controller;
  return controller;
}

TcxSystemController::TcxSystemController(bool IsLibrary) {
  if (!IsLibrary) return;
  relaying_ = true;
  previousWake_ = WakeMainThread();
  const win::HWND window = Handle();
  SetWakeMainThread([window] { win::PostMessage(window, CM_CXSYNCHRONIZE, 0, 0); });
}

TcxSystemController::~TcxSystemController() {
  if (relaying_) SetWakeMainThread(previousWake_);
}

void TcxSystemController::HandleMessage(TMessage& Message) {
  if (Message.Msg == CM_CXSYNCHRONIZE) {
    CheckSynchronize(0);
    return;
  }
  TcxMessageWindow::HandleMessage(Message);
}

win::HMODULE cxUser32Module() { return user32; }

// ---------------------------------------------------------------- unit

namespace {

// The library's cursors. Their pictures are placeholders of our own: each is
// a black cross at its centre (the hot spot) with a white outline; the name
// says what the cursor stands for.
//   CX_DRAGCOPYCURSOR       dragging that copies
//   CX_FULLSCROLLCURSOR     auto-scroll in all directions, at rest
//   CX_HORSCROLLCURSOR      auto-scroll left/right, at rest
//   CX_VERSCROLLCURSOR      auto-scroll up/down, at rest
//   CX_UP/RIGHT/DOWN/LEFTSCROLLCURSOR  auto-scroll moving that way
//   CX_REMOVECURSOR         dropping removes the item
//   CX_VERTSIZECURSOR, CX_HORZSIZECURSOR  sizing rows, columns
//   CX_MULTIDRAGCURSOR, CX_MULTIDRAGCOPYCURSOR  dragging several items (copying)
//   CX_NODROPCURSOR, CX_DRAGCURSOR  dragging where no drop is allowed, dragging
//   CX_COLORPICKERCURSOR    picking a colour from the screen
struct TCursorRow {
  int32_t Id;
  const char* Name;
};
constexpr TCursorRow kCursors[] = {
    {2100, "CX_DRAGCOPYCURSOR"},   {2101, "CX_FULLSCROLLCURSOR"},  {2102, "CX_HORSCROLLCURSOR"},
    {2103, "CX_VERSCROLLCURSOR"},  {2104, "CX_UPSCROLLCURSOR"},    {2105, "CX_RIGHTSCROLLCURSOR"},
    {2106, "CX_DOWNSCROLLCURSOR"}, {2107, "CX_LEFTSCROLLCURSOR"},  {2108, "CX_REMOVECURSOR"},
    {2109, "CX_VERTSIZECURSOR"},   {2110, "CX_HORZSIZECURSOR"},    {2111, "CX_MULTIDRAGCURSOR"},
    {2112, "CX_NODROPCURSOR"},     {2113, "CX_DRAGCURSOR"},        {2114, "CX_COLORPICKERCURSOR"},
    {2115, "CX_MULTIDRAGCOPYCURSOR"},
};

win::HCURSOR DrawPlaceholderCursor() {
  constexpr int size = 32, centre = 16;
  std::vector<uint32_t> px(size * size, 0);
  std::vector<uint8_t> mask(size * size, 1);  // 1: transparent
  for (int i = -6; i <= 6; ++i)
    for (int w = -1; w <= 1; ++w) {
      const size_t h = size_t((centre + w) * size + centre + i), v = size_t((centre + i) * size + centre + w);
      const uint32_t colour = w == 0 ? 0xFF000000u : 0xFFFFFFFFu;
      px[h] = px[v] = colour;
      mask[h] = mask[v] = 0;
    }
  win::HCURSOR c = win::CreateIconFromPixels(size, size, px.data(), mask.data());
  if (c) {
    c->IsIcon = false;
    c->HotX = c->HotY = centre;
  }
  return c;
}

void RegisterCursors() {
  const win::HINSTANCE module = win::GetModuleHandle(nullptr);
  for (const TCursorRow& row : kCursors) {
    if (!win::LoadCursorW(module, row.Name)) win::RegisterModuleCursor(module, row.Name, DrawPlaceholderCursor());
    Screen->SetCursors(row.Id, win::LoadCursorW(module, row.Name));
  }
  Screen->SetCursors(crcxHandPoint, win::LoadCursorW(nullptr, win::IDC_HAND));
}

}  // namespace

void cxControlsUnitStart() {
  finalized = false;
  RegisterCursors();
  user32 = win::LoadLibraryW("user32.dll");
  // No designer here to group TcxControlChildComponent for.
  systemController = new TcxSystemController(false);  // a program, never a library module
}

void cxControlsUnitStop() {
  finalized = true;
  delete systemController;
  systemController = nullptr;
  if (trackingTimers) {
    // Tracking left running is a fault of its caller; shutdown still
    // completes and frees it rather than aborting.
    if (!trackingTimers->empty())
      std::fprintf(stderr, "cxControls: %zu mouse tracking timer(s) still running at shutdown\n",
                   trackingTimers->size());
    for (TMouseTrackingTimer* t : *trackingTimers) delete t;
    delete trackingTimers;
    trackingTimers = nullptr;
  }
  if (user32) win::FreeLibrary(user32);
  user32 = nullptr;
  delete settingsController;
  settingsController = nullptr;
  delete timerWindow;
  timerWindow = nullptr;
  delete activeTimers;
  activeTimers = nullptr;
}
