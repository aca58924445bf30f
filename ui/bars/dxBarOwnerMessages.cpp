// What a bar manager does with the messages of its owner window, which reach
// it through the call-window-procedure hook: activation of the form and of
// the application (floating bars follow), colour and setting changes, F1 over
// items, cancel mode, re-creation of the owner window (bars wait in the
// restoring list) and the layout write when the owner window goes away.
#include <algorithm>

#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarHooks.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

bool IsOwnerMessage(win::UINT Msg) {
  switch (Msg) {
    case win::WM_ACTIVATE: case win::WM_SYSCOLORCHANGE: case win::WM_SETTINGCHANGE: case win::WM_ACTIVATEAPP:
    case win::WM_CHILDACTIVATE: case win::WM_WINDOWPOSCHANGING: case win::WM_WINDOWPOSCHANGED:
    case win::WM_SYSCOMMAND: case win::WM_MDIACTIVATE:
      return true;
    default:
      return false;
  }
}

win::HWND FormWindow(TCustomForm* AForm) { return AForm && AForm->HandleAllocated() ? AForm->Handle() : nullptr; }

template <class F>
void ForFloatingBarWindows(TdxBarManager* AManager, F&& AFn) {
  TdxBars* bars = AManager->Bars();
  if (!bars) return;
  for (int32_t i = 0; i < bars->Count(); ++i)
    if (bars->GetItem(i)->IsFloating()) AFn(bars->GetItem(i), bars->GetItem(i)->GetControl());
}

// Closes the bar windows that hold the toolbar system's focus.
void CloseFocusedBarWindows() {
  TdxBarManagerList* list = dxBarManagerList();
  for (int32_t i = 0; i < list->Count(); ++i) list->Items(i)->CloseActiveBarWindow();
}

}  // namespace

// ---------------------------------------------------------------- dispatch from the hook

void DispatchOwnerMessage(win::UINT Msg, win::WPARAM wParam, win::LPARAM lParam, win::HWND Wnd) {
  if (Msg == win::WM_ACTIVATE) {
    auto other = reinterpret_cast<win::HWND>(lParam);
    if (other && (win::GetParent(Wnd) == other || win::GetParent(other) == Wnd) && !IsOtherProcessWindow(Wnd) &&
        !IsOtherProcessWindow(other))
      return;
  }
  TdxBarHookState& state = dxBarHookState();
  state.WindowLookup = true;
  TScopeExit clear([&] { state.WindowLookup = false; });
  if (Msg == win::WM_HELP) {
    if (TCustomdxBarControl* focused = FocusedBarControlOfAnyManager()) {
      TdxBarManager* fm = focused->GetBarManager();
      TCustomForm* formOfWnd = dynamic_cast<TCustomForm*>(FindControl(win::GetAncestor(Wnd, win::GA_ROOT)));
      const bool sameForm = fm && formOfWnd && fm->GetMainForm() == formOfWnd;
      if (!sameForm && fm && FormWindow(fm->GetMainForm())) Wnd = fm->GetMainForm()->Handle();
    }
  }
  TdxBarManager* m = BarManagerOfWindow(Wnd);
  if (!m && Msg == win::WM_ACTIVATE) {
    win::HWND parent = win::GetParent(Wnd);
    if (parent && win::IsWindowVisible(parent)) m = BarManagerOfWindow(parent);
  }
  if (m) m->HandleOwnerMessage(Wnd, Msg, wParam, lParam);
  if (!IsOwnerMessage(Msg)) return;
  TdxBarManagerList* list = dxBarManagerList();
  std::vector<TdxBarManager*> inside;
  for (int32_t i = 0; i < list->Count(); ++i) {
    TdxBarManager* other = list->Items(i);
    // An owner in destruction is no window control any more.
    if (other->InDestruction() || (other->Owner() && other->Owner()->InState(csDestroying))) continue;
    TWinControl* owner = other->OwnerControl();
    if (!owner || !owner->HandleAllocated() || owner->Handle() == Wnd) continue;
    if (win::IsChild(Wnd, owner->Handle()) && other->GetMainForm()) inside.push_back(other);
  }
  // A handler may free managers: only those still registered hear the message.
  for (TdxBarManager* other : inside) {
    bool live = false;
    for (int32_t i = 0; i < list->Count() && !live; ++i) live = list->Items(i) == other;
    if (live) other->HandleOwnerMessage(Wnd, Msg, wParam, lParam);
  }
}

// ---------------------------------------------------------------- manager

void TdxBarManager::HandleOwnerMessage(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  // The Customize dialog has a manager of its own, which stays out of the dialog's activation and moves.
  const win::HWND dialog = CustomizeDialogWindow();
  TWinControl* owner = OwnerControl();
  const bool ownerIsDialog = dialog && owner && owner->HandleAllocated() && owner->Handle() == dialog;
  if ((!Owner() || !Owner()->InState(csDestroying)) && !ownerIsDialog) {
    if (!bars_) return;
    if (IsOwnerMessage(Msg))
      HandleOwnerNotice(Wnd, Msg, WParam, LParam);
    else
      HandleOtherMessage(Msg, LParam);
    return;
  }
  if (Msg != win::WM_DESTROY || InDesigner()) return;
  const TdxBarManagerSlots& slots = dxBarManagerSlots();
  if (StoreInRegistry()) {
    if (!slots.SaveToRegistry) throw EdxException("The toolbar layout saver SaveToRegistry is not installed");
    slots.SaveToRegistry(this, RegistryPath());
  }
  if (StoreInIniFile()) {
    if (!slots.SaveToIniFile) throw EdxException("The toolbar layout saver SaveToIniFile is not installed");
    slots.SaveToIniFile(this, IniFileName());
  }
}

void TdxBarManager::HandleOwnerNotice(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  switch (Msg) {
    case win::WM_ACTIVATE:
      HandleActivate(win::LOWORD(WParam), win::HIWORD(WParam), Wnd, reinterpret_cast<win::HWND>(LParam));
      break;
    case win::WM_SYSCOLORCHANGE:
      ReadScreenColorDepth();
      BuildDitherBrush();
      RefreshColorResources();
      ForFloatingBarWindows(this, [](TdxBar*, TCustomdxBarControl* c) { c->RefreshShadow(); });
      break;
    case win::WM_SETTINGCHANGE:
      if (WParam == win::SPI_SETNONCLIENTMETRICS) ApplySystemFont();
      if (WParam == win::SPI_SETWORKAREA) KeepFloatingBarsInWorkArea();
      break;
    case win::WM_ACTIVATEAPP:
      HandleActivateApp(WParam != 0);
      break;
    case win::WM_CHILDACTIVATE:
      SetActive(true, false, nullptr);
      break;
    case win::WM_WINDOWPOSCHANGING:
      if (auto* pos = reinterpret_cast<win::WINDOWPOS*>(LParam); pos && (pos->flags & win::SWP_HIDEWINDOW))
        SetActive(false, true, nullptr);
      break;
    case win::WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<win::WINDOWPOS*>(LParam);
      if (!pos) break;
      IdxBarHookCustomizing* dialog = dxBarHookPartners().Customizing;
      if (IsCustomizing() && dialog && dialog->DialogWindow()) {
        dialog->OwnerWindowPosChanged();
        if (win::HWND editor = dialog->SubMenuEditorWindow()) {
          if (pos->flags & win::SWP_SHOWWINDOW) win::ShowWindow(editor, win::SW_SHOWNA);
          if (pos->flags & win::SWP_HIDEWINDOW) win::ShowWindow(editor, win::SW_HIDE);
        }
      }
      if (!IsOwnerInMdiChild(true) && (pos->flags & win::SWP_SHOWWINDOW)) SetActive(true, true, nullptr);
      break;
    }
    case win::WM_SYSCOMMAND:
      if (InDesigner() && (WParam & 0xFFF0) == win::SC_CLOSE) CloseActiveBarWindow();
      break;
    case win::WM_MDIACTIVATE:
      SetActive(reinterpret_cast<win::HWND>(LParam) == Wnd, false, nullptr);
      break;
    default:
      break;
  }
}

void TdxBarManager::HandleOtherMessage(win::UINT Msg, win::LPARAM LParam) {
  switch (Msg) {
    case win::WM_CREATE:
      HandleOwnerCreated();
      break;
    case win::WM_CANCELMODE:
      HandleCancelMode();
      break;
    case win::WM_HELP:
      if (!InDesigner() && LParam) ShowItemHelp(*reinterpret_cast<const win::HELPINFO*>(LParam));
      break;
    case win::WM_DISPLAYCHANGE:
      KeepFloatingBarsInWorkArea();
      break;
    default:
      break;
  }
}

void TdxBarManager::HandleActivate(win::WORD State, win::WORD Minimized, win::HWND Wnd, win::HWND OtherWnd) {
  SetState(bmsfActivating, true);
  TScopeExit clear([&] { SetState(bmsfActivating, false); });
  const TdxBarManagerSlots& slots = dxBarManagerSlots();
  if (win::HWND child = slots.MdiChildFormOfManager ? slots.MdiChildFormOfManager(this) : nullptr)
    if (!slots.ActiveMdiChildHandle || slots.ActiveMdiChildHandle() != child) return;
  const win::HWND formWnd = FormWindow(GetMainForm());
  const bool activeNow = State != win::WA_INACTIVE;
  if (!activeNow && OtherWnd) {
    auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(OtherWnd));
    TdxBarManager* barManager = bar ? bar->GetBarManager() : nullptr;
    if (barManager && barManager->GetMainForm() == GetMainForm()) return;
  }
  if (TCustomdxBarControl* focused = FocusedBarControlOfAnyManager())
    if (TdxBarItemControl* selected = focused->GetSelectedControl(); selected && selected->ClaimsWindow(OtherWnd))
      return;
  // A modal dialog of the form disables it: the bars stay active meanwhile.
  const bool keep = activeNow || (OtherWnd && OtherWnd == formWnd) ||
                    (active_ && formWnd && !win::IsWindowEnabled(formWnd) && !InDesigner());
  SetActive(keep, false, OtherWnd);
  // The form, disabled by the customizing, passes its activation on to the Customize dialog.
  const win::HWND dialog = CustomizeDialogWindow();
  if (!HasState(bmsfApplyingActivation) && activeNow && dialog && IsCustomizing() && formWnd &&
      !win::IsWindowEnabled(formWnd) && Wnd != dialog && !win::IsChild(dialog, Wnd))
    win::SendMessage(dialog, win::WM_ACTIVATE, win::MAKEWPARAM(State, Minimized), win::LPARAM(formWnd));
  if (!activeNow && OtherWnd != formWnd && trackedBarControl_) trackedBarControl_->MouseLeave();
}

void TdxBarManager::HandleActivateApp(bool AActive) {
  if (HasState(bmsfCancelMode)) return;
  if (!AActive) {
    const win::HWND formWnd = FormWindow(GetMainForm());
    if (active_ && formWnd && !win::IsWindowEnabled(formWnd)) SetState(bmsfDeactivatedWhileDisabled, true);
    SetActive(false, false, nullptr);
    CloseActiveBarWindow();
    if (selectedItemControl_ && selectedItemControl_->Parent())
      selectedItemControl_->Parent()->Perform(win::WM_MOUSELEAVE, 0, 0);
  } else if (HasState(bmsfDeactivatedWhileDisabled)) {
    SetActive(true, false, nullptr);
    SetState(bmsfDeactivatedWhileDisabled, false);
  }
}

void TdxBarManager::SetActive(bool AActive, bool AForce, win::HWND AOtherWnd) {
  if (!AForce && AActive == active_) return;
  active_ = AActive;
  ApplyActivation(AActive, AForce, AOtherWnd);
}

void TdxBarManager::ApplyActivation(bool AActive, bool AForce, win::HWND AOtherWnd) {
  if (HasState(bmsfApplyingActivation)) return;
  SetState(bmsfApplyingActivation, true);
  TScopeExit clear([&] { SetState(bmsfApplyingActivation, false); });
  const bool hide = HideFloatingBarsWhenInactive() || AForce;
  if (!hide) ForFloatingBarWindows(this, [](TdxBar*, TCustomdxBarControl* c) { c->RecalcNonClient(); });
  if (AActive) {
    if (IsOwnerShowing() || IsOwnerInMdiChild(true))
      ForFloatingBarWindows(this, [](TdxBar* b, TCustomdxBarControl* c) {
        if (b->GetVisible()) c->ShowFloating();
      });
    return;
  }
  const win::HWND formWnd = FormWindow(GetMainForm());
  // A window of the form itself (a floating bar) took the activation.
  if (AOtherWnd && formWnd &&
      (win::GetParent(AOtherWnd) == formWnd || win::GetWindow(AOtherWnd, win::GW_OWNER) == formWnd))
    return;
  if (TCustomdxBarControl* focused = FocusedBarControlOfAnyManager(); focused && focused->ClosesOnActivationOf(AOtherWnd)) {
    focused->GetBarManager()->CloseActiveBarWindow();
    if (IdxBarHookNavigation* nav = dxBarHookPartners().Navigation) nav->EndKeyboardMode();
  }
  if (!hide) {
    if (IdxBarHookDesigner* d = dxBarHookPartners().Designer; d && d->QuickControl()) d->CloseQuickControl();
    return;
  }
  const bool customizeDialog = IsCustomizing() && AOtherWnd == CustomizeDialogWindow();
  if (AOtherWnd && !IsOtherProcessWindow(AOtherWnd) &&
      (!dynamic_cast<TCustomForm*>(FindControl(AOtherWnd)) || customizeDialog) &&
      !(Application && AOtherWnd == Application->Handle()))
    return;
  ForFloatingBarWindows(this, [](TdxBar*, TCustomdxBarControl* c) {
    if (c->IsWindowShowing()) c->HideFloating();
  });
  if (!AForce && formWnd) win::SendMessage(formWnd, win::WM_NCACTIVATE, 0, 0);
}

bool TdxBarManager::IsOwnerShowing() const {
  TWinControl* owner = OwnerControl();
  if (!owner || !owner->HandleAllocated() || !win::IsWindowVisible(owner->Handle())) return false;
  win::HWND w = owner->Handle();
  while (!win::IsIconic(w) && HasChildStyle(w) && win::GetParent(w)) w = win::GetParent(w);
  return !win::IsIconic(w);
}

bool TdxBarManager::IsOwnerInMdiChild(bool AFormLevel) const {
  const TdxBarManagerSlots& slots = dxBarManagerSlots();
  const win::HWND child = slots.MdiChildFormOfManager ? slots.MdiChildFormOfManager(const_cast<TdxBarManager*>(this)) : nullptr;
  if (!child) return false;
  if (AFormLevel) return true;
  TWinControl* owner = OwnerControl();
  return dynamic_cast<TCustomForm*>(owner) && owner->HandleAllocated() && owner->Handle() == child;
}

void TdxBarManager::KeepFloatingBarsInWorkArea() {
  TWinControl* owner = OwnerControl();
  if (!owner || !bars_) return;
  TRect ob = owner->BoundsRect();
  if (owner->Parent() && owner->HandleAllocated()) {
    win::GetWindowRect(owner->Handle(), &ob);
  }
  win::MONITORINFO mi;
  mi.cbSize = sizeof mi;
  const TPoint centre(ob.Left + ob.Width() / 2, ob.Top + ob.Height() / 2);
  if (!win::GetMonitorInfo(win::MonitorFromPoint(centre, win::MONITOR_DEFAULTTONEAREST), &mi)) return;
  const TRect work = mi.rcWork;
  for (int32_t i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->GetItem(i);
    if (bar->GetDockingStyle() != dsNone) continue;
    TCustomdxBarControl* window = bar->GetControl();
    TRect r;
    if (window) {
      r = window->BoundsRect();
    } else {
      r = TRect(bar->FloatLeft(), bar->FloatTop(), bar->FloatLeft() + bar->FloatClientWidth(),
                bar->FloatTop() + bar->FloatClientHeight());
      const TSize frame = bar->FloatingNonClientSize();
      r.Right += frame.cx;
      r.Bottom += frame.cy;
    }
    // Bottom and right first, so a bar larger than the area keeps its top-left corner in it.
    if (r.Bottom > work.Bottom) r.Offset(0, work.Bottom - r.Bottom);
    if (r.Top < work.Top) r.Offset(0, work.Top - r.Top);
    if (r.Right > work.Right) r.Offset(work.Right - r.Right, 0);
    if (r.Left < work.Left) r.Offset(work.Left - r.Left, 0);
    if (window) {
      window->SetBoundsRect(r);
    } else {
      ++designerNotificationLock_;
      TScopeExit unlock([&] { --designerNotificationLock_; });
      bar->SetFloatLeft(r.Left);
      bar->SetFloatTop(r.Top);
    }
  }
}

int32_t TdxBarManager::ShowItemHelp(const win::HELPINFO& AInfo) {
  if (AInfo.iContextType != win::HELPINFO_WINDOW) return 0;
  TCustomForm* form = GetMainForm();
  const bool helpIcon = form && form->BorderIcons().Contains(biHelp);
  TdxBarItemControl* control = nullptr;
  auto contextOf = [](TdxBarItemControl* c) { return c && c->GetItem() ? c->GetItem()->HelpContext() : 0; };
  if (TCustomdxBarControl* focused = FocusedBarControlOfAnyManager()) {
    control = focused->GetSelectedControl();
    if (contextOf(control) == 0) {
      // Up the menu chain: the item that opened each level, else the last window's own context.
      TCustomdxBarControl* level = focused;
      control = nullptr;
      while (TdxBarItemControl* opener = level->OpeningItemControl) {
        if (contextOf(opener) != 0) {
          control = opener;
          break;
        }
        if (!opener->Parent()) break;
        level = opener->Parent();
      }
      if (!control) {
        const int32_t context = level->HelpContext;
        CloseFocusedBarWindows();
        if (context == 0) return 0;
        if (helpIcon)
          Application->HelpCommand(int32_t(win::HELP_CONTEXTPOPUP), context);
        else
          Application->HelpContext(context);
        return context;
      }
    }
  } else if (auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(static_cast<win::HWND>(AInfo.hItemHandle)))) {
    win::POINT p = AInfo.MousePos;
    if (bar->HandleAllocated()) win::ScreenToClient(bar->Handle(), &p);
    control = bar->ItemControlAtPos(p);
  }
  if (!control) return 0;
  const TRect r = control->GetBounds();
  TPoint p((r.Left + r.Right) / 2, r.Bottom);
  if (control->Parent() && control->Parent()->HandleAllocated()) p = control->Parent()->ClientToScreen(p);
  const int32_t context = contextOf(control);
  CloseFocusedBarWindows();
  if (context == 0) return 0;
  if (helpIcon) {
    Application->HelpCommand(int32_t(win::HELP_SETPOPUP_POS), intptr_t(win::MAKELPARAM(p.X, p.Y)));
    Application->HelpCommand(int32_t(win::HELP_CONTEXTPOPUP), context);
  } else {
    Application->HelpContext(context);
  }
  return context;
}

void TdxBarManager::HandleCancelMode() {
  if (IdxBarHookNavigation* nav = dxBarHookPartners().Navigation; nav && nav->IsAltHoldWaiting())
    nav->EndAltHoldWait(false);
  SetState(bmsfCancelMode, true);
  TScopeExit clear([&] { SetState(bmsfCancelMode, false); });
  if (focusedBarControl_ && focusedBarControl_->ClosesOnCancelMode()) CloseActiveBarWindow();
}

void TdxBarManager::HandleOwnerCreated() {
  if (!restoringBars_) return;
  SetState(bmsfRecreatingHandles, true);
  TScopeExit clear([&] { SetState(bmsfRecreatingHandles, false); });
  for (TdxDockControl* dock : dockControls_)
    if (CanAllocateHandle(dock)) dock->HandleNeeded();
  RestoreBarsOfDock(nullptr);
  if (restoringBars_ && restoringBars_->empty()) restoringBars_.reset();
}

// ---------------------------------------------------------------- restoring list

void TdxBarManager::BeginRestoringBars() {
  if (!restoringBars_) restoringBars_ = std::make_unique<std::vector<TdxBar*>>();
}

void TdxBarManager::AddRestoringBar(TdxBar* ABar) {
  if (restoringBars_ && ABar && IndexOfRestoringBar(ABar) < 0) restoringBars_->push_back(ABar);
}

void TdxBarManager::ForgetRestoringBar(TdxBar* ABar) {
  if (restoringBars_) std::erase(*restoringBars_, ABar);
}

int32_t TdxBarManager::IndexOfRestoringBar(TdxBar* ABar) const {
  if (!restoringBars_) return -1;
  auto it = std::find(restoringBars_->begin(), restoringBars_->end(), ABar);
  return it == restoringBars_->end() ? -1 : int32_t(it - restoringBars_->begin());
}

void TdxBarManager::RestoreBarsOfDock(TdxDockControl* ADock) {
  if (!restoringBars_) return;
  for (int32_t i = int32_t(restoringBars_->size()) - 1; i >= 0; --i) {
    if (!restoringBars_ || i >= int32_t(restoringBars_->size())) continue;
    TdxBar* bar = (*restoringBars_)[size_t(i)];
    bool restore;
    if (ADock) {
      restore = bar->GetDockControl() == ADock && bar->GetDockingStyle() != dsNone;
    } else {
      TdxDockControl* site = bar->GetRealDockControl();
      restore = !site || site->HandleAllocated();
    }
    if (!restore) continue;
    bar->SetVisible(true);
    ForgetRestoringBar(bar);
  }
}
