// TApplication: the message loop with the framework's pre-processing, idle
// work, exception reporting, the control under the mouse and hints.
#include <unistd.h>

#include <climits>
#include <cstring>

#include "platform/display/display.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/controls_internal.h"
#include "platform/vcl/forms.h"

namespace {
constexpr win::UINT_PTR kHintTimer = 1;
enum : int { kHintNone = 0, kHintShow = 1, kHintHide = 2 };

std::string ShortHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}
std::string LongHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}
}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) { icon_ = std::make_unique<TIcon>(); }

TApplication::~TApplication() {
  Destroying();
  CancelHint();
  delete hintWindow_;
  hintWindow_ = nullptr;
  for (int32_t i = ComponentCount() - 1; i >= 0; --i)
    if (auto* f = dynamic_cast<TCustomForm*>(Components(i))) f->BeforeDestruction();
  DestroyComponents();
  if (handle_) DeallocateHWnd(handle_);
}

void TApplication::Initialize() {
  if (initialized_) return;
  initialized_ = true;
  if (!win::GetDisplayBackend()) display::InitDisplay();
  RegisterControlsClasses();
  if (TInitProc proc = InitProc()) proc();
}

TInitProc& InitProc() {
  static TInitProc head = nullptr;
  return head;
}

std::string TApplication::ExeName() const {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  if (n <= 0) return {};
  return std::string(buf, size_t(n));
}

win::HWND TApplication::Handle() {
  if (!handle_) handle_ = AllocateHWnd([this](TMessage& m) { AppWndProc(m); });
  return handle_;
}

void TApplication::AppWndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_APPKEYDOWN: {
      TWMKey k = TWMKey::From(m);
      m.Result = IsShortCut(k) ? 1 : 0;
      return;
    }
    case win::WM_TIMER:
      if (m.WParam == kHintTimer) {
        HintTimerExpired();
        return;
      }
      break;
  }
  m.Result = win::DefWindowProc(handle_, m.Msg, m.WParam, m.LParam);
}

bool TApplication::IsShortCut(TWMKey& msg) {
  bool handled = false;
  if (OnShortCut) OnShortCut(msg, handled);
  if (handled) return true;
  // The main form's shortcuts work from its other (non-modal) forms too.
  TCustomForm* main = mainForm_;
  if (main && main->HandleAllocated() && win::IsWindowEnabled(main->Handle())) {
    TCustomForm* focused = Screen->FocusedForm();
    if (focused != main) return main->IsShortCut(msg);
  }
  return false;
}

// ---------------------------------------------------------------- the loop
void TApplication::Run() {
  if (mainForm_ && showMainForm_) {
    if (mainForm_->WindowState() == wsMinimized) Minimize();
    mainForm_->SetVisible(true);
  }
  do {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  } while (!terminated_);
}

void TApplication::Terminate() { win::PostQuitMessage(0); }

void TApplication::HandleMessage() {
  win::MSG msg;
  if (!ProcessMessage(msg)) Idle(true);
}

void TApplication::ProcessMessages() {
  win::MSG msg;
  while (ProcessMessage(msg)) {
  }
}

bool TApplication::ProcessMessage(win::MSG& msg) {
  if (!win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) return false;
  if (msg.message == win::WM_QUIT) {
    terminated_ = true;
    return true;
  }
  DispatchOne(msg);
  return true;
}

void TApplication::DispatchOne(win::MSG& msg) {
  try {
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && !IsHintMsg(msg) && !IsKeyMsg(msg)) {
      win::TranslateMessage(&msg);
      win::DispatchMessage(&msg);
    }
    if (msg.message >= win::WM_MOUSEFIRST && msg.message <= win::WM_MOUSELAST) TrackMouse(msg.hwnd, msg.pt);
  } catch (...) {
    HandleException(this);
  }
}

// Keys go first to the focused control as CN_ messages (shortcuts, dialog
// keys); only what it leaves becomes WM_KEYDOWN and WM_CHAR.
bool TApplication::IsKeyMsg(win::MSG& msg) {
  if (msg.message < win::WM_KEYFIRST || msg.message > win::WM_KEYLAST) return false;
  win::HWND wnd = win::GetCapture();
  if (!wnd) wnd = msg.hwnd;
  TWinControl* c = nullptr;
  while (wnd && !(c = TWinControl::FindControl(wnd))) wnd = win::GetParent(wnd);
  if (!c) return false;
  return c->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::IsHintMsg(win::MSG& msg) {
  if (!hintActive_ && hintTimerKind_ == kHintNone) return false;
  switch (msg.message) {
    case win::WM_KEYDOWN: case win::WM_SYSKEYDOWN:
    case win::WM_LBUTTONDOWN: case win::WM_RBUTTONDOWN: case win::WM_MBUTTONDOWN:
    case win::WM_NCLBUTTONDOWN: case win::WM_NCRBUTTONDOWN:
    case win::WM_MOUSEWHEEL: case win::WM_ACTIVATE: case win::WM_ACTIVATEAPP:
      CancelHint();
      break;
  }
  return false;
}

void TApplication::Idle(bool wait) {
  win::POINT p;
  win::GetCursorPos(&p);
  TrackMouse(nullptr, p);
  bool done = true;
  try {
    if (OnIdle) OnIdle(this, done);
    if (done)
      for (int32_t i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->Visible()) f->UpdateActions();
      }
  } catch (...) {
    HandleException(this);
  }
  if (done && wait) win::WaitMessage();
}

// ---------------------------------------------------------------- exceptions
void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr ex = std::current_exception();
  if (!ex) return;
  auto report = [&](Exception& e) {
    if (OnException) {
      try {
        OnException(Sender, e);
      } catch (const std::exception& inner) {
        ShowException(inner);
      }
    } else {
      ShowException(e);
    }
  };
  try {
    std::rethrow_exception(ex);
  } catch (EAbort&) {
  } catch (Exception& e) {
    report(e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    report(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    report(wrapped);
  }
}

void TApplication::ShowException(const Exception& E) { ShowException(static_cast<const std::exception&>(E)); }

void TApplication::ShowException(const std::exception& E) {
  std::string text = E.what();
  // The framework ends the message with a full stop unless it has one.
  if (!text.empty() && uint8_t(text.back()) > '.') text += '.';
  MessageBox(text, Title(), win::MB_OK | win::MB_ICONSTOP);
}

void TApplication::Guard(TObject* Sender, const std::function<void()>& fn) {
  try {
    fn();
  } catch (...) {
    HandleException(Sender);
  }
}

int32_t TApplication::MessageBox(const std::string& text, const std::string& caption, win::UINT flags) {
  win::HWND owner = win::GetActiveWindow();
  if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
  return win::MessageBox(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  if (!active) CancelHint();
  if (active && OnActivate) OnActivate(this);
  if (!active && OnDeactivate) OnDeactivate(this);
}

// ---------------------------------------------------------------- window state
void TApplication::Minimize() {
  if (mainForm_ && mainForm_->HandleAllocated()) win::ShowWindow(mainForm_->Handle(), win::SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (mainForm_ && mainForm_->HandleAllocated() && win::IsIconic(mainForm_->Handle()))
    win::ShowWindow(mainForm_->Handle(), win::SW_RESTORE);
  if (OnRestore) OnRestore(this);
}

void TApplication::BringToFront() {
  if (mainForm_) mainForm_->BringToFront();
}

// ---------------------------------------------------------------- the control under the mouse
void TApplication::ControlDestroyed(TControl* control) {
  if (control == mouseControl_) {
    mouseControl_ = nullptr;
    mouseControlAlive_.reset();
  }
  if (control == hintControl_) {
    hintControl_ = nullptr;
    HideHint();
    StopHintTimer();
  }
  if (control == hintWindow_) hintWindow_ = nullptr;
}

// CM_MOUSELEAVE to the control the mouse left and CM_MOUSEENTER to the one
// it is over now; while a control holds the mouse only that one hears them.
void TApplication::TrackMouse(win::HWND, TPoint screenPos) {
  TControl* control = FindDragTarget(screenPos, true);
  if (control && control == hintWindow_) control = nullptr;
  TControl* old = mouseControlAlive_.expired() ? nullptr : mouseControl_;
  if (control == old) return;
  TControl* capture = vcl_detail::GetCaptureControl();
  mouseControl_ = control;
  mouseControlAlive_ = control ? control->AliveToken() : std::weak_ptr<bool>();
  auto alive = mouseControlAlive_;
  if (old && (!capture || old == capture)) old->Perform(CM_MOUSELEAVE, 0, 0);
  // A handler may have freed the control or moved the tracking on.
  if (!control || alive.expired() || mouseControl_ != control) {
    if (!control) {
      SetHint({});
      if (hintActive_) HideHint();
      StopHintTimer();
    }
    return;
  }
  if (!capture || control == capture) control->Perform(CM_MOUSEENTER, 0, 0);
  if (alive.expired() || mouseControl_ != control) return;
  SetHint(LongHint(control->Hint()));
  const bool wants = showHint_ && control->ShowHint() && !ShortHint(control->Hint()).empty();
  if (hintActive_) {
    HideHint();
    if (wants) StartHintTimer(hintShortPause_, kHintShow);
    else StopHintTimer();
  } else if (wants) {
    StartHintTimer(hintPause_, kHintShow);
  } else {
    StopHintTimer();
  }
}

// ---------------------------------------------------------------- hints
void TApplication::SetShowHint(bool v) {
  if (showHint_ == v) return;
  showHint_ = v;
  if (!v) CancelHint();
}

void TApplication::SetHint(const std::string& v) {
  if (hint_ == v) return;
  hint_ = v;
  if (OnHint) {
    OnHint(this);
    return;
  }
  THintAction action(nullptr);
  action.SetHint(v);
  action.Execute();
}

bool TApplication::DispatchAction(TBasicAction* Action) {
  TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
  if (active && active->DispatchAction(Action)) return true;
  return mainForm_ && mainForm_ != active && mainForm_->DispatchAction(Action);
}

void TApplication::StartHintTimer(int32_t ms, int kind) {
  hintTimerKind_ = kind;
  win::SetTimer(Handle(), kHintTimer, win::UINT(std::max(ms, int32_t(win::USER_TIMER_MINIMUM))), nullptr);
}

void TApplication::StopHintTimer() {
  if (hintTimerKind_ == kHintNone) return;
  hintTimerKind_ = kHintNone;
  if (handle_) win::KillTimer(handle_, kHintTimer);
}

void TApplication::HintTimerExpired() {
  const int kind = hintTimerKind_;
  StopHintTimer();
  if (kind == kHintShow) {
    win::POINT p;
    win::GetCursorPos(&p);
    ActivateHint(p);
  } else if (kind == kHintHide) {
    HideHint();
  }
}

void TApplication::ActivateHint(TPoint cursorPos) {
  TControl* control = mouseControlAlive_.expired() ? nullptr : mouseControl_;
  if (!control || !showHint_) return;
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = hintWindowClass_;
  info.HintPos = {cursorPos.X, cursorPos.Y + win::GetSystemMetrics(win::SM_CYCURSOR) * 3 / 4};
  info.HintMaxWidth = Screen->Width();
  info.HintColor = hintColor_;
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(cursorPos);
  info.HintStr = ShortHint(control->Hint());
  info.HideTimeout = hintHidePause_;
  auto alive = control->AliveToken();
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<win::LPARAM>(&info)) == 0;
  if (alive.expired()) return;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  if (!canShow || info.HintStr.empty() || alive.expired()) return;
  TClass cls = info.HintWindowClass ? info.HintWindowClass : THintWindow::StaticClass();
  if (hintWindow_ && hintWindow_->ClassType() != cls) {
    delete hintWindow_;
    hintWindow_ = nullptr;
  }
  if (!hintWindow_) {
    TObject* made = cls->Create ? cls->Create(nullptr) : nullptr;
    hintWindow_ = dynamic_cast<THintWindow*>(made);
    if (!hintWindow_) {
      delete made;
      hintWindow_ = new THintWindow(nullptr);
    }
  }
  hintWindow_->SetColor(info.HintColor);
  TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  r.Offset(info.HintPos.X, info.HintPos.Y);
  hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
  hintActive_ = true;
  hintControl_ = control;
  hintCursorRect_ = info.CursorRect;
  if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, kHintHide);
}

void TApplication::HideHint() {
  if (hintWindow_ && hintWindow_->HandleAllocated()) hintWindow_->ReleaseHandle();
  hintActive_ = false;
}

void TApplication::CancelHint() {
  HideHint();
  StopHintTimer();
  hintControl_ = nullptr;
}
