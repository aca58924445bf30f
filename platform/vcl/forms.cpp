// TCustomForm: border and window styles, showing and positioning, the modal
// loop, closing, activation and the focus bookkeeping of its controls.
#include <algorithm>

#include "platform/classes/formres.h"
#include "platform/classes/resstrings.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/controls_internal.h"
#include "platform/vcl/forms.h"

DX_RESOURCESTRING(SCannotShowModal, 0, "Cannot make a visible window modal");
DX_RESOURCESTRING(SCannotFocus, 0, "Cannot focus a disabled or invisible window");

// ---------------------------------------------------------------- construction
TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControl::SetVisible(false);
  SetParentColor(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  TControl::SetBounds(0, 0, 320, 240);
  icon_ = std::make_unique<TIcon>();
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
  modalAlive_ = std::make_shared<bool>(true);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  *modalAlive_ = false;
  BeforeDestruction();
  Destroying();
  // The window goes before the components, so that they see the WM_DESTROY of
  // their destroyed owner (a bar manager writes its layout then).
  DestroyHandle();
  // The controls die while the form is still a form: they reach it through
  // GetParentForm and the focus bookkeeping.
  DestroyComponents();
  canvas_->SetControl(nullptr);
  Screen->RemoveForm(this);
  if (Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TCustomForm::AfterConstruction() {
  if (created_) return;
  created_ = true;
  formState_.Include(fsCreating);
  try {
    InitInheritedComponent(this, TCustomForm::StaticClass());
  } catch (...) {
    formState_.Exclude(fsCreating);
    throw;
  }
  formState_.Exclude(fsCreating);
  DoCreate();
  if (formState_.Contains(fsVisible)) {
    formState_.Exclude(fsVisible);
    SetVisible(true);
  }
}

void TCustomForm::BeforeDestruction() {
  if (destroyFired_) return;
  destroyFired_ = true;
  try {
    DoDestroy();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}
void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}
void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}
void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  if (activeControl_ && !ContainsControl(activeControl_)) activeControl_ = nullptr;
}

void TCustomForm::Notification(TComponent* AComponent, TOperation operation) {
  TWinControl::Notification(AComponent, operation);
  if (operation != opRemove) return;
  if (AComponent == activeControl_) activeControl_ = nullptr;
  if (AComponent == focusedControl_) focusedControl_ = nullptr;
}

// ---------------------------------------------------------------- window styles
void TCustomForm::StyleFlags(win::DWORD& style, win::DWORD& ex) const {
  using namespace win;
  style = WS_CLIPCHILDREN;
  ex = 0;
  TBorderIcons icons = borderIcons_;
  switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; icons = {}; break;
    case bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      style |= WS_POPUP | WS_CAPTION;
      ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      icons = icons * TBorderIcons{biSystemMenu, biHelp};
      break;
    case bsToolWindow:
      style |= WS_CAPTION;
      ex |= WS_EX_TOOLWINDOW;
      icons = icons * TBorderIcons{biSystemMenu};
      break;
    case bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      ex |= WS_EX_TOOLWINDOW;
      icons = icons * TBorderIcons{biSystemMenu};
      break;
  }
  if (icons.Contains(biSystemMenu)) {
    style |= WS_SYSMENU;
    if (icons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
    if (icons.Contains(biHelp) && !icons.Contains(biMinimize) && !icons.Contains(biMaximize))
      ex |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == fsStayOnTop) ex |= WS_EX_TOPMOST;
  if (alphaBlend_) ex |= WS_EX_LAYERED;
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  StyleFlags(p.Style, p.ExStyle);
  if (!Enabled()) p.Style |= win::WS_DISABLED;
  p.WndParent = nullptr;
  if (Parent()) {
    p.Style = (p.Style & ~win::DWORD(win::WS_POPUP)) | win::WS_CHILD | win::WS_CLIPSIBLINGS;
    p.WndParent = Parent()->Handle();
  } else if (ParentWindow()) {
    p.WndParent = ParentWindow();
  } else if (TCustomForm* main = Application->MainForm(); main && main != this && main->HandleAllocated()) {
    // Secondary forms stay above the main form.
    p.WndParent = main->handle_;
  }
  p.WindowClassStyle = win::CS_DBLCLKS;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (alphaBlend_) win::SetLayeredWindowAttributes(handle_, 0, alphaBlendValue_, win::LWA_ALPHA);
}

void TCustomForm::DestroyWnd() {
  active_ = false;
  TWinControl::DestroyWnd();
}

TRect TCustomForm::ClientRect() {
  if (HandleAllocated()) return TWinControl::ClientRect();
  // Without a window, what the styles would leave of the bounds.
  win::DWORD style, ex;
  StyleFlags(style, ex);
  if (Parent()) style = (style & ~win::DWORD(win::WS_POPUP)) | win::WS_CHILD;
  win::RECT frame{0, 0, 0, 0};
  win::AdjustWindowRectEx(&frame, style, win::FALSE, ex);
  return {0, 0, std::max(Width() - frame.Width(), 0), std::max(Height() - frame.Height(), 0)};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  if (!Loading()) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (borderIcons_ == v) return;
  borderIcons_ = v;
  if (!Loading()) RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  if (formStyle_ == v) return;
  formStyle_ = v;
  if (HandleAllocated())
    win::SetWindowPos(handle_, v == fsStayOnTop ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
}

void TCustomForm::SetAlphaBlend(bool v) {
  if (alphaBlend_ == v) return;
  alphaBlend_ = v;
  if (Loading() || !HandleAllocated()) return;
  win::LONG ex = win::GetWindowLong(handle_, win::GWL_EXSTYLE);
  win::SetWindowLong(handle_, win::GWL_EXSTYLE, v ? (ex | win::WS_EX_LAYERED) : (ex & ~win::LONG(win::WS_EX_LAYERED)));
  if (v) win::SetLayeredWindowAttributes(handle_, 0, alphaBlendValue_, win::LWA_ALPHA);
}

void TCustomForm::SetAlphaBlendValue(uint8_t v) {
  alphaBlendValue_ = v;
  if (alphaBlend_ && HandleAllocated()) win::SetLayeredWindowAttributes(handle_, 0, v, win::LWA_ALPHA);
}

// ---------------------------------------------------------------- window state
void TCustomForm::SetWindowState(TWindowState v) {
  if (windowState_ == v) return;
  windowState_ = v;
  if (HandleAllocated() && Showing()) ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
  static const int kCommands[] = {win::SW_SHOWNORMAL, win::SW_SHOWMINIMIZED, win::SW_SHOWMAXIMIZED};
  win::ShowWindow(handle_, kCommands[windowState_]);
}

void TCustomForm::SetFullScreen(bool v) {
  if (fullScreen_ == v) return;
  if (v) {
    beforeFullScreen_ = {borderStyle_, windowState_, BoundsRect()};
    fullScreen_ = true;
    if (windowState_ != wsNormal) SetWindowState(wsNormal);
    SetBorderStyle(bsNone);
    TMonitor* m = Monitor();
    TRect r = m ? m->BoundsRect() : TRect{0, 0, Screen->Width(), Screen->Height()};
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
  } else {
    fullScreen_ = false;
    SetBorderStyle(beforeFullScreen_.border);
    SetBoundsRect(beforeFullScreen_.bounds);
    SetWindowState(beforeFullScreen_.state);
  }
}

TMonitor* TCustomForm::Monitor() {
  if (HandleAllocated()) return Screen->MonitorFromWindow(handle_);
  return Screen->MonitorFromRect(BoundsRect());
}

void TCustomForm::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// ---------------------------------------------------------------- showing
void TCustomForm::SetVisible(bool v) {
  if (formState_.Contains(fsCreating)) {
    if (v) formState_.Include(fsVisible);
    else formState_.Exclude(fsVisible);
    return;
  }
  TWinControl::SetVisible(v);
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::BringToFront() {
  if (!HandleAllocated() || !Showing()) return;
  if (windowState_ == wsMinimized) SetWindowState(wsNormal);
  win::SetWindowPos(handle_, formStyle_ == fsStayOnTop ? win::HWND_TOPMOST : win::HWND_TOP, 0, 0, 0, 0,
                    win::SWP_NOMOVE | win::SWP_NOSIZE);
  win::SetForegroundWindow(handle_);
  win::SetActiveWindow(handle_);
}

void TCustomForm::CMVisibleChanged(TMessage& m) {
  if (Parent()) {
    TWinControl::CMVisibleChanged(m);
    return;
  }
  UpdateControlState();
}

TPoint TCustomForm::CenteredOn(const TRect& area) const {
  return {area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2};
}

// Centring positions are applied each time the form appears; the window is
// kept on its monitor's work area.
void TCustomForm::ApplyPosition() {
  if (Parent() || fullScreen_) return;
  TRect work = Screen->WorkAreaRect();
  if (TMonitor* m = Screen->MonitorFromRect(BoundsRect())) work = m->WorkareaRect();
  TPoint p{Left(), Top()};
  auto centreOver = [&](TCustomForm* f) {
    if (f && f != this && f->Visible()) p = CenteredOn(f->BoundsRect());
    else p = CenteredOn(work);
  };
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter: p = CenteredOn(work); break;
    case poMainFormCenter: centreOver(Application->MainForm()); break;
    case poOwnerFormCenter: {
      auto* owner = dynamic_cast<TCustomForm*>(Owner());
      centreOver(owner ? owner : Application->MainForm());
      break;
    }
    default: return;
  }
  p.X = std::max(work.Left, std::min(p.X, work.Right - Width()));
  p.Y = std::max(work.Top, std::min(p.Y, work.Bottom - Height()));
  SetBounds(p.X, p.Y, Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage& m) {
  if (Parent()) {
    TWinControl::CMShowingChanged(m);
    return;
  }
  if (Showing()) {
    formState_.Include(fsShowing);
    try {
      DoShow();
    } catch (...) {
      formState_.Exclude(fsShowing);
      Application->HandleException(this);
    }
    formState_.Exclude(fsShowing);
    if (!HandleAllocated()) return;
    ApplyPosition();
    if (formStyle_ == fsStayOnTop)
      win::SetWindowPos(handle_, win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    ApplyWindowState();
    if (windowState_ != wsMinimized) win::SetActiveWindow(handle_);
  } else {
    try {
      DoHide();
    } catch (...) {
      Application->HandleException(this);
    }
    if (!HandleAllocated()) return;
    if (Screen->ActiveForm() == this) Screen->SetActiveForm(nullptr);
    win::ShowWindow(handle_, win::SW_HIDE);
  }
}

// ---------------------------------------------------------------- closing
bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (formState_.Contains(fsModal)) {
    modalResult_ = mrCancel;
    return;
  }
  auto alive = AliveToken();
  if (!CloseQuery() || alive.expired()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (alive.expired() || action == caNone) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    default: Release(); break;
  }
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  auto alive = AliveToken();
  if (CloseQuery() && !alive.expired()) {
    action = caHide;
    DoClose(action);
  }
  if (alive.expired()) return;
  switch (action) {
    case caNone: modalResult_ = mrNone; break;
    case caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::Release() { win::PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::CMRelease(TMessage&) {
  BeforeDestruction();
  delete this;
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMSysCommand(TMessage& m) {
  const win::WPARAM cmd = m.WParam & 0xFFF0;
  if (cmd == win::SC_MINIMIZE && Application->MainForm() == this) {
    DefaultHandler(m);
    if (Application->OnMinimize) Application->OnMinimize(Application);
    return;
  }
  DefaultHandler(m);
}

void TCustomForm::WMShowWindow(TMessage& m) { DefaultHandler(m); }

void TCustomForm::WMActivateApp(TMessage& m) {
  Application->SetActive(m.WParam != 0);
  DefaultHandler(m);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& m) {
  DefaultHandler(m);
  auto* mmi = reinterpret_cast<win::MINMAXINFO*>(m.LParam);
  if (!mmi) return;
  TSizeConstraints* c = Constraints();
  if (c->MinWidth() > 0) mmi->ptMinTrackSize.X = c->MinWidth();
  if (c->MinHeight() > 0) mmi->ptMinTrackSize.Y = c->MinHeight();
  if (c->MaxWidth() > 0) mmi->ptMaxTrackSize.X = c->MaxWidth();
  if (c->MaxHeight() > 0) mmi->ptMaxTrackSize.Y = c->MaxHeight();
}

void TCustomForm::WMSize(TMessage& m) {
  if (!Parent()) {
    switch (m.WParam) {
      case win::SIZE_MINIMIZED: windowState_ = wsMinimized; break;
      case win::SIZE_MAXIMIZED: windowState_ = wsMaximized; break;
      default:
        if (win::IsWindowVisible(handle_)) windowState_ = wsNormal;
        break;
    }
  }
  TWinControl::WMSize(m);
}

// ---------------------------------------------------------------- modal runs
TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || formState_.Contains(fsModal)) throw EInvalidOperation(LoadResString(SCannotShowModal));
  win::ReleaseCapture();
  std::shared_ptr<bool> alive = modalAlive_;
  formState_.Include(fsModal);
  win::HWND previouslyActive = win::GetActiveWindow();

  // The other windows of the thread wait while the form runs.
  std::vector<win::HWND> disabled;
  struct Ctx {
    std::vector<win::HWND>* list;
    TCustomForm* self;
  } ctx{&disabled, this};
  win::EnumThreadWindows(
      win::GetCurrentThreadId(),
      [](win::HWND h, win::LPARAM l) -> win::BOOL {
        auto* c = reinterpret_cast<Ctx*>(l);
        if (h != c->self->handle_ && win::IsWindowVisible(h) && win::IsWindowEnabled(h)) c->list->push_back(h);
        return win::TRUE;
      },
      reinterpret_cast<win::LPARAM>(&ctx));
  for (win::HWND h : disabled) win::EnableWindow(h, win::FALSE);
  auto restoreWindows = [&] {
    for (win::HWND h : disabled)
      if (win::IsWindow(h)) win::EnableWindow(h, win::TRUE);
    if (previouslyActive && win::IsWindow(previouslyActive)) win::SetActiveWindow(previouslyActive);
  };

  TModalResult result = mrCancel;
  try {
    modalResult_ = mrNone;
    Show();
    for (;;) {
      if (!*alive) break;
      if (Application->Terminated()) modalResult_ = mrCancel;
      else if (modalResult_ != mrNone) CloseModal();
      if (!*alive) break;
      if (modalResult_ != mrNone) break;
      win::MSG msg;
      if (!win::PeekMessage(&msg, nullptr, 0, 0, win::PM_NOREMOVE)) Application->Idle(false);
      if (!*alive) break;
      if (!win::GetModalMessage(&msg)) {
        // WM_QUIT went back to the outer loop; the run ends as cancelled.
        modalResult_ = mrCancel;
        continue;
      }
      Application->DispatchOne(msg);
    }
    if (*alive) result = modalResult_;
  } catch (...) {
    if (*alive) {
      formState_.Exclude(fsModal);
      Hide();
    }
    restoreWindows();
    throw;
  }
  // Re-enable first so that activation can go back to the window that had it.
  if (*alive) {
    formState_.Exclude(fsModal);
    for (win::HWND h : disabled)
      if (win::IsWindow(h)) win::EnableWindow(h, win::TRUE);
    disabled.clear();
    Hide();
  }
  restoreWindows();
  return result;
}

// ---------------------------------------------------------------- activation and focus
void TCustomForm::WMActivate(TMessage& m) { SetActive(m.WParamLo() != win::WA_INACTIVE); }

void TCustomForm::SetActive(bool value) {
  active_ = value;
  if (value) {
    if (!activeControl_ && !Designing()) activeControl_ = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
  }
}

void TCustomForm::SetWindowFocus() {
  win::HWND h = activeControl_ && activeControl_->CanFocus() ? activeControl_->Handle() : Handle();
  if (h && win::GetFocus() != h) win::SetFocus(h);
}

void TCustomForm::SetFocus() {
  if (active_ && HandleAllocated() && win::GetActiveWindow() == handle_) return;
  if (!Visible() || !Enabled()) throw EInvalidOperation(LoadResString(SCannotFocus));
  if (HandleAllocated() && win::GetActiveWindow() != handle_) win::SetActiveWindow(handle_);
  SetWindowFocus();
}

void TCustomForm::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
  // The form hands the keyboard on to its active control.
  if (activeControl_ && activeControl_ != this && activeControl_->CanFocus() && active_)
    win::SetFocus(activeControl_->Handle());
}

namespace {

bool OfferToClients(TWinControl* container, TBasicAction* action) {
  if (!container->Showing()) return false;
  for (int32_t i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (c->Visible() && c->ExecuteAction(action)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && OfferToClients(w, action)) return true;
  }
  return false;
}

}  // namespace

bool TCustomForm::DispatchAction(TBasicAction* Action) {
  if (activeControl_ && activeControl_->ExecuteAction(Action)) return true;
  return ExecuteAction(Action) || OfferToClients(this, Action);
}

void TCustomForm::SetActiveControl(TWinControl* v) {
  if (activeControl_ == v) return;
  if (v && (v == this || v->GetParentForm() != this || (!Loading() && !v->CanFocus())))
    throw EInvalidOperation(LoadResString(SCannotFocus));
  activeControl_ = v;
  if (!Loading() && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
  const bool wasActive = active_;
  SetActiveControl(control);
  if (!wasActive) SetFocus();
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (removing && focusedControl_ && control->ContainsControl(focusedControl_)) focusedControl_ = control->Parent();
  if (activeControl_ && control->ContainsControl(activeControl_)) activeControl_ = nullptr;
}

// Records the control that received the keyboard focus and tells the
// controls on the way: CM_EXIT up from the old focus to the common parent,
// CM_ENTER down to the new one. A handler that moves the focus elsewhere
// ends the walk (the later SetFocusedControl call did the rest).
bool TCustomForm::SetFocusedControl(TWinControl* control) {
  static thread_local int focusCount = 0;
  const int count = ++focusCount;
  if (control != this) activeControl_ = control;
  else activeControl_ = nullptr;
  Screen->SetActiveControl(control);
  Screen->SetActiveForm(this);
  if (control->ControlState().Contains(csFocusing)) return true;
  control->SetControlState(control->ControlState() + TControlState{csFocusing});
  auto controlAlive = control->AliveToken();
  auto formAlive = AliveToken();
  auto unfocus = [&] {
    if (!controlAlive.expired()) control->SetControlState(control->ControlState() - TControlState{csFocusing});
  };
  auto send = [&](TWinControl* target, win::UINT msg) {
    target->Perform(msg, 0, 0);
    return count == focusCount && !formAlive.expired() && !controlAlive.expired();
  };
  try {
    if (Screen->FocusedForm() != this) {
      if (TCustomForm* old = Screen->FocusedForm()) {
        Screen->focusedForm_ = nullptr;
        if (!send(old, CM_DEACTIVATE)) {
          unfocus();
          return false;
        }
      }
      Screen->focusedForm_ = this;
      if (!send(this, CM_ACTIVATE)) {
        unfocus();
        return false;
      }
    }
    if (!focusedControl_) focusedControl_ = this;
    if (focusedControl_ != control) {
      while (focusedControl_ && !focusedControl_->ContainsControl(control)) {
        TWinControl* leaving = focusedControl_;
        focusedControl_ = focusedControl_->Parent();
        if (!send(leaving, CM_EXIT)) {
          unfocus();
          return false;
        }
      }
      while (focusedControl_ != control) {
        TWinControl* next = control;
        while (next->Parent() != focusedControl_) next = next->Parent();
        focusedControl_ = next;
        if (!send(next, CM_ENTER)) {
          unfocus();
          return false;
        }
      }
      Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<win::LPARAM>(control));
    }
  } catch (...) {
    unfocus();
    throw;
  }
  unfocus();
  return true;
}

void TCustomForm::SendCancelMode(TControl* sender) {
  if (active_ && activeControl_) activeControl_->Perform(CM_CANCELMODE, 0, reinterpret_cast<win::LPARAM>(sender));
}

void TCustomForm::CMActivate(TMessage&) { Activate(); }
void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

// ---------------------------------------------------------------- keys
void TCustomForm::CMDialogKey(TMessage& m) {
  if (!vcl_detail::KeyDown(win::VK_MENU)) {
    switch (m.WParam) {
      case win::VK_TAB:
        if (!vcl_detail::KeyDown(win::VK_CONTROL)) {
          SelectNext(activeControl_, !vcl_detail::KeyDown(win::VK_SHIFT), true);
          m.Result = 1;
          return;
        }
        break;
      case win::VK_LEFT: case win::VK_RIGHT: case win::VK_UP: case win::VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
          activeControl_->Parent()->SelectNext(activeControl_, m.WParam == win::VK_RIGHT || m.WParam == win::VK_DOWN,
                                               false);
          m.Result = 1;
          return;
        }
        break;
    }
  }
  TWinControl::CMDialogKey(m);
}

bool TCustomForm::IsShortCut(TWMKey& message) {
  bool handled = false;
  if (OnShortCut) OnShortCut(message, handled);
  if (handled) return true;
  for (int32_t i = 0; i < ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)))
      if (list->IsShortCut(message)) return true;
  return false;
}

void TCustomForm::UpdateActions() {
  for (int32_t i = 0; i < ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TCustomActionList*>(Components(i))) list->UpdateActions();
}

// ---------------------------------------------------------------- painting
void TCustomForm::PaintWindow(win::HDC dc) {
  vcl_detail::PaintOnCanvas(*canvas_, dc, [this] { Paint(); });
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::WMEraseBkgnd(TMessage& m) { TWinControl::WMEraseBkgnd(m); }

// ---------------------------------------------------------------- dispatch
void TCustomForm::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case win::WM_ACTIVATE: WMActivate(m); return;
    case win::WM_CLOSE: WMClose(m); return;
    case win::WM_SYSCOMMAND: WMSysCommand(m); return;
    case win::WM_SHOWWINDOW: WMShowWindow(m); return;
    case win::WM_GETMINMAXINFO: WMGetMinMaxInfo(m); return;
    case win::WM_ACTIVATEAPP: WMActivateApp(m); return;
    case CM_ACTIVATE: CMActivate(m); return;
    case CM_DEACTIVATE: CMDeactivate(m); return;
    case CM_RELEASE: CMRelease(m); return;
  }
  TWinControl::Dispatch(m);
}

// ---------------------------------------------------------------- data modules
TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) { Screen->dataModules_.push_back(this); }

TDataModule::~TDataModule() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      Application->HandleException(this);
    }
  }
  Destroying();
  DestroyComponents();
  auto& list = Screen->dataModules_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TDataModule::AfterConstruction() {
  if (created_) return;
  created_ = true;
  InitInheritedComponent(this, TDataModule::StaticClass());
  if (OnCreate) OnCreate(this);
}
