// The toolbar system's thread hooks: their installation with the manager
// list, the keyboard routing (navigation keys, menu keys, shortcuts,
// accelerators), the mouse hook's outside clicks and wheel, and the
// call-window-procedure hook that hands owner-window messages to managers.
#include "ui/bars/dxBarHooks.h"

#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarHints.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

TdxBarHookState g_state;

bool KeyDown(int vk) { return win::GetKeyState(vk) < 0; }

TShiftState ShiftNow() {
  TShiftState s;
  if (KeyDown(win::VK_SHIFT)) s.Include(ssShift);
  if (KeyDown(win::VK_CONTROL)) s.Include(ssCtrl);
  if (KeyDown(win::VK_MENU)) s.Include(ssAlt);
  return s;
}

bool IsKeyDownMessage(win::LPARAM lParam) { return (uint32_t(lParam) & 0x80000000u) == 0; }

IdxBarHookNavigation* Navigation() { return dxBarHookPartners().Navigation; }
IdxBarHookDesigner* Designer() { return dxBarHookPartners().Designer; }

void EndAltHoldWait(bool AShowKeyTips) {
  g_state.MenuKeyPending = false;
  if (IdxBarHookNavigation* n = Navigation()) n->EndAltHoldWait(AShowKeyTips);
}

void RememberKey(win::WORD AKey) {
  g_state.HandledKeyKept = true;
  g_state.HandledKey = AKey;
}

void ForgetKey() {
  g_state.HandledKeyKept = false;
  g_state.HandledKey = 0;
}

bool IsRememberedKey(win::WORD AKey) { return g_state.HandledKeyKept && g_state.HandledKey == AKey; }

// A hook reports what a handler threw and goes on: the message loop it runs
// in must not be unwound by a toolbar fault.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
    if (Application) {
      try {
        Application->HandleException(nullptr);
      } catch (...) {
      }
    }
  }
}

// ---------------------------------------------------------------- keyboard

bool ActiveBarKeys(win::WORD key, win::LPARAM lParam) {
  const bool down = IsKeyDownMessage(lParam);
  if (IsRememberedKey(key) && !down) {
    ForgetKey();
    return true;
  }
  if (DesignController().Notifying()) return false;
  const TShiftState shift = ShiftNow();
  IdxBarHookNavigation* nav = Navigation();
  if (nav && nav->ClaimsKey(key, shift)) {
    if (down) {
      RememberKey(key);
      nav->ProcessNavigationKey(key, shift);
    }
    return true;
  }
  if (nav && IsKeyTipTextKey(key) && (nav->IsAltHoldWaiting() || nav->IsKeyTipScopeActive())) nav->EndKeyboardMode();
  TCustomdxBarControl* focused = FocusedBarControlOfAnyManager();
  if (!focused || focused->IgnoresHookKeys()) {
    IdxBarHookDesigner* designer = Designer();
    switch (key) {
      case win::VK_MENU:
        if (focused || !designer || !designer->QuickControl()) return false;
        RememberKey(key);
        designer->CloseQuickControl();
        if (!KeyDown(win::VK_MENU)) ForgetKey();
        return true;
      case win::VK_ESCAPE:
        if (focused && focused->HandleAllocated() && win::GetCapture() == focused->Handle()) {
          win::ReleaseCapture();
          return true;
        }
        return down && designer && designer->SelectParentOfSelection();
      case win::VK_DELETE:
        return down && designer && designer->DeleteSelection(KeyDown(win::VK_CONTROL), true);
      default:
        return false;
    }
  }
  TdxBarItemControl* selected = focused->GetSelectedControl();
  if (selected && selected->IsEditWindowActive()) return false;
  if (down) RememberKey(key);
  focused->Perform(down ? win::WM_KEYDOWN : win::WM_KEYUP, key, lParam);
  if (FocusedBarControlOfAnyManager() || !KeyDown(key)) ForgetKey();
  return true;
}

// The key-down of a key that is no menu key for AManager: its shortcut, or
// with Alt its accelerator.
bool DispatchKeyShortCut(TdxBarManager* AManager, win::WORD key, win::LPARAM lParam) {
  // With Ctrl held the key data carries no Alt bit: Ctrl+Alt+0 must not pass for Ctrl+0.
  TShortCut shortCut = ShortCutFromKey(uint8_t(key), int32_t(lParam));
  if (KeyDown(win::VK_MENU)) shortCut |= scAlt;
  if (AManager->IsShortCut(shortCut)) return true;
  TShiftState shift = ShiftNow();
  if (!shift.Contains(ssAlt)) return false;
  shift.Exclude(ssAlt);
  TdxBarItemLink* link = AManager->FindLinkByAccelerator(key, shift);
  if (!link || !link->GetItem() || !link->GetItem()->Enabled()) return false;
  TdxBarItemControl* control = link->Control();
  if (!control || !control->Parent()) return false;
  // A search from the link that finds another link: the accelerator is shared.
  TdxBarItemLink* next = link->GetOwnerLinks()->FindLinkByAccelerator(key, shift, link);
  if (!control->CanTriggerByAccelerator() || (next && next != link)) {
    control->Parent()->ActivateKeyboardMode(control);
  } else {
    if (control->OpensSubMenu()) control->Parent()->KeyboardOpened = true;
    control->ClickByKeyboard();
  }
  return true;
}

bool MenuKeysAndShortcuts(win::WORD key, win::LPARAM lParam) {
  const bool menuKey = key == win::VK_F10 || key == win::VK_MENU;
  IdxBarAccessibilityHelper* accessible = nullptr;
  TdxBarManager* m = FindActiveBarManager(menuKey, accessible);
  if (!m) return false;
  const TShiftState shift = ShiftNow();
  const bool plainF10 = key == win::VK_F10 && m->UseF10ForMenu() && shift.Empty();
  const bool isMenuKey = (key == win::VK_MENU && !shift.Contains(ssCtrl)) || plainF10;
  IdxBarHookNavigation* nav = Navigation();
  if (IsKeyDownMessage(lParam)) {
    if (!isMenuKey || IsRememberedKey(key)) {
      EndAltHoldWait(false);
      if (!DispatchKeyShortCut(m, key, lParam)) return false;
      RememberKey(key);
      return true;
    }
    m->CancelHint();
    g_state.MenuKeyPending = true;
    if (nav && accessible && accessible->GetDefaultSelectableChild()) nav->BeginAltHoldWait(accessible);
    return false;
  }
  if ((key == win::VK_MENU && g_state.MenuKeyPending) || plainF10) {
    g_state.MenuKeyPending = false;
    if (nav) nav->SelectRootDefault(accessible);
    if (accessible && accessible->GetDefaultSelectableChild()) EndAltHoldWait(true);
    return true;
  }
  EndAltHoldWait(false);
  return false;
}

// ---------------------------------------------------------------- mouse

// The bar window under the screen point, when it is a live bar window.
TCustomdxBarControl* BarControlAt(win::POINT pt) {
  win::HWND w = win::WindowFromPoint(pt);
  return dynamic_cast<TCustomdxBarControl*>(FindVclControlUpwards(w));
}

// The focused bar window or one of its parent bar windows owns AWnd or takes a click on it.
bool InsideMenuChain(TCustomdxBarControl* focused, win::HWND AWnd, bool& taken) {
  taken = false;
  for (TCustomdxBarControl* c = focused; c; c = c->GetParentBarControl()) {
    if (c->TakesClickOn(AWnd)) {
      taken = true;
      return true;
    }
    if (c->OwnsWindow(AWnd)) return true;
  }
  return false;
}

bool CloseMenusOnClick(int Code, win::UINT msg, const win::MOUSEHOOKSTRUCT& mh) {
  if (g_state.MouseReentry || Code < 0 || !FocusedBarControlOfAnyManager()) return false;
  g_state.MouseReentry = true;
  struct Clear {
    ~Clear() { g_state.MouseReentry = false; }
  } clear;
  if (msg == win::WM_RBUTTONUP || msg == win::WM_NCRBUTTONUP || msg == win::WM_MBUTTONUP || msg == win::WM_NCMBUTTONUP) {
    TCustomdxBarControl* under = BarControlAt(mh.pt);
    bool taken = false;
    if (!(under && under->GetSelectedControl()) && !InsideMenuChain(FocusedBarControlOfAnyManager(), mh.hwnd, taken))
      return true;
  }
  if (!IsButtonDownMessage(msg)) return false;
  for (;;) {
    TCustomdxBarControl* focused = FocusedBarControlOfAnyManager();
    if (!focused) return false;
    TdxBarManager* m = focused->GetBarManager();
    bool taken = false;
    const bool inside = (!focused->ClosedByOutsideClicks() && !(m && m->IsCustomizing())) ||
                        InsideMenuChain(focused, mh.hwnd, taken);
    if (inside) {
      if (taken) focused->HandleOutsideMouseMessage(msg, mh.pt);
      return false;
    }
    if (m)
      m->CloseActiveBarWindow();
    else
      focused->CloseUp();
    if (!mh.hwnd || !win::IsWindowVisible(mh.hwnd)) return true;
  }
}

void CloseQuickControlOnClick(win::UINT msg, const win::MOUSEHOOKSTRUCT& mh) {
  IdxBarHookDesigner* designer = Designer();
  TCustomdxBarControl* quick = designer ? designer->QuickControl() : nullptr;
  if (!quick || !IsButtonDownMessage(msg) || quick->OwnsWindow(mh.hwnd)) return;
  if (msg != win::WM_RBUTTONDOWN && msg != win::WM_NCRBUTTONDOWN) {
    if (TCustomdxBarControl* owner = quick->GetParentBarControl()) {
      if (owner->HandleAllocated()) {
        win::POINT p = mh.pt;
        win::ScreenToClient(owner->Handle(), &p);
        if (owner->ItemControlAtPos(p)) return;
      }
    }
  }
  designer->CloseQuickControl();
}

}  // namespace

TdxBarHookPartners& dxBarHookPartners() {
  static TdxBarHookPartners partners;
  return partners;
}

TdxBarHookState& dxBarHookState() { return g_state; }

bool HasChildStyle(win::HWND AWnd) { return (win::GetWindowLong(AWnd, win::GWL_STYLE) & win::WS_CHILD) != 0; }

TCustomdxBarControl* FocusedBarControlOfAnyManager() {
  TdxBarManagerList* list = dxBarManagerList();
  for (int32_t i = 0; i < list->Count(); ++i)
    if (TCustomdxBarControl* c = list->Items(i)->FocusedBarControl()) return c;
  return nullptr;
}

void InstallToolbarHooks() {
  if (g_state.KeyboardHook) return;
  SetThreadHook(g_state.KeyboardHook, win::WH_KEYBOARD, &DxBarKeyboardHook);
  SetThreadHook(g_state.MouseHook, win::WH_MOUSE, &DxBarMouseHook);
  SetThreadHook(g_state.CallWndProcHook, win::WH_CALLWNDPROC, &DxBarCallWndProcHook);
}

void RemoveToolbarHooks() {
  ReleaseThreadHook(g_state.CallWndProcHook);
  ReleaseThreadHook(g_state.MouseHook);
  ReleaseThreadHook(g_state.KeyboardHook);
  FreeBarHintWindow();
}

void TdxBarManager::RegisterManager(TdxBarManager* AManager) {
  TdxBarManagerList* list = dxBarManagerList();
  if (!list) return;  // the toolbar unit has shut down
  for (int32_t i = 0; i < list->Count(); ++i)
    if (list->Items(i) == AManager) return;
  if (list->Count() == 0) InstallToolbarHooks();
  list->Add(AManager);
  if (!AManager->InDesigner()) CreateBarHintWindow();
}

void TdxBarManager::UnregisterManager(TdxBarManager* AManager) {
  TdxBarManagerList* list = dxBarManagerList();
  if (!list) return;
  list->Remove(AManager);
  if (list->Count() == 0) RemoveToolbarHooks();
}

// ---------------------------------------------------------------- finding the manager

namespace {

// From AWnd up through its parents while they are child windows.
TdxBarManager* ManagerUpFrom(win::HWND AWnd, bool AMenuKey, IdxBarAccessibilityHelper*& AAccessible) {
  for (win::HWND w = AWnd; w; w = win::GetParent(w)) {
    TdxBarManager* m = nullptr;
    if (AMenuKey) {
      IdxBarAccessibilityHelper* h = nullptr;
      RootAccessibleOfWindow(w, h);
      if (h) {
        m = h->GetBarManager();
        AAccessible = h;
      }
    } else {
      m = BarManagerOfWindow(w);
    }
    if (m) return m;
    if (!HasChildStyle(w)) break;
  }
  return nullptr;
}

}  // namespace

TdxBarManager* FindActiveBarManager(bool AMenuKey, IdxBarAccessibilityHelper*& AAccessible) {
  AAccessible = nullptr;
  TdxBarManager* m = nullptr;
  if (win::HWND focus = win::GetFocus()) m = ManagerUpFrom(focus, AMenuKey, AAccessible);
  if (!m && Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    m = ManagerUpFrom(Screen->ActiveForm()->Handle(), AMenuKey, AAccessible);
  if (!m && Application && Application->MainForm() && Application->MainForm()->HandleAllocated() &&
      win::IsWindowEnabled(Application->MainForm()->Handle())) {
    IdxBarAccessibilityHelper* h = nullptr;
    TdxBarManager* main = ManagerUpFrom(Application->MainForm()->Handle(), AMenuKey, h);
    if (main && main->AllowCallFromAnotherForm()) {
      m = main;
      AAccessible = h;
    }
  }
  if (!m && !AMenuKey) {
    win::HWND active = win::GetActiveWindow();
    TWinControl* c = active && win::IsWindowEnabled(active) ? FindControl(active) : nullptr;
    if (auto* form = dynamic_cast<TCustomForm*>(c)) {
      TdxBarManagerList* list = dxBarManagerList();
      for (int32_t i = 0; i < list->Count() && !m; ++i)
        if (list->Items(i)->GetMainForm() == form) m = list->Items(i);
    }
  }
  if (m && (m->IsCustomizingOrDesigning() || FocusedBarControlOfAnyManager())) m = nullptr;
  if (!m) AAccessible = nullptr;
  return m;
}

// ---------------------------------------------------------------- hooks

win::LRESULT DxBarKeyboardHook(int Code, win::WPARAM wParam, win::LPARAM lParam) {
  bool consumed = false;
  if (Code != win::HC_NOREMOVE && Code >= 0 && wParam != win::VK_PROCESSKEY) {
    Guarded([&] {
      const auto key = win::WORD(wParam);
      if (g_state.KeySwallow) {
        consumed = true;
        return;
      }
      consumed = ActiveBarKeys(key, lParam);
      if (!consumed && !win::GetCapture()) consumed = MenuKeysAndShortcuts(key, lParam);
    });
  }
  // An in-place editor asking: the answer says whether the toolbars took the key.
  if (g_state.KeyTest) return consumed ? 1 : 0;
  const win::LRESULT next = win::CallNextHookEx(g_state.KeyboardHook, Code, wParam, lParam);
  return consumed ? 1 : next;
}

win::LRESULT DxBarMouseHook(int Code, win::WPARAM wParam, win::LPARAM lParam) {
  win::LRESULT result = 0;
  Guarded([&] {
    const auto msg = win::UINT(wParam);
    auto* mh = reinterpret_cast<win::MOUSEHOOKSTRUCT*>(lParam);
    if (!mh) return;
    IdxBarHookNavigation* nav = Navigation();
    if (Code == win::HC_ACTION && IsButtonDownMessage(msg) && nav) nav->ClearNavigationMode();
    TCustomdxBarControl* focused = FocusedBarControlOfAnyManager();
    if (msg == win::WM_MOUSEWHEEL && Code >= 0 && focused) {
      TdxBarItemControl* selected = focused->GetSelectedControl();
      if (!(selected && selected->IsEditWindowActive()) && !focused->WantsMouseWheel()) {
        result = 1;
        return;
      }
    }
    if (win::GetCapture() == mh->hwnd && msg != win::WM_RBUTTONUP) return;
    if (CloseMenusOnClick(Code, msg, *mh)) {
      result = 1;
      return;
    }
    CloseQuickControlOnClick(msg, *mh);
    if (nav && IsButtonDownMessage(msg) && (nav->HasSelectedElement() || nav->IsAltHoldWaiting() || nav->IsKeyTipScopeActive()))
      nav->EndKeyboardMode();
    if (msg == win::WM_MOUSEMOVE) {
      auto* bar = dynamic_cast<TCustomdxBarControl*>(FindVclControlUpwards(mh->hwnd));
      if (bar && bar->HandleAllocated() && bar->Handle() != mh->hwnd) {
        win::POINT p = mh->pt;
        win::ScreenToClient(bar->Handle(), &p);
        bar->MouseMoveMessage(p);
      }
    }
  });
  const win::LRESULT next = win::CallNextHookEx(g_state.MouseHook, Code, wParam, lParam);
  return result ? result : next;
}

win::LRESULT DxBarCallWndProcHook(int Code, win::WPARAM wParam, win::LPARAM lParam) {
  auto* cwp = reinterpret_cast<win::CWPSTRUCT*>(lParam);
  if (Code >= 0 && cwp) {
    Guarded([&] {
      TdxBarAppActivation& app = dxBarAppActivation();
      if (cwp->message == win::WM_ACTIVATE && win::LOWORD(cwp->wParam) == win::WA_INACTIVE &&
          IsOtherProcessWindow(reinterpret_cast<win::HWND>(cwp->lParam)))
        app.DeactivatedByOtherApp = true;
      if (cwp->message == win::WM_ACTIVATEAPP) {
        app.DeactivatedByOtherApp = false;
        app.Active = cwp->wParam != 0;
        if (IdxBarHookDesigner* d = Designer()) d->DropStaleLastSelection();
      }
      if (!g_state.WindowLookup) DispatchOwnerMessage(cwp->message, cwp->wParam, cwp->lParam, cwp->hwnd);
    });
  }
  const win::LRESULT next = win::CallNextHookEx(g_state.CallWndProcHook, Code, wParam, lParam);
  if (Code >= 0 && cwp) {
    Guarded([&] {
      if (cwp->message != win::WM_DESTROY && cwp->message != win::WM_CHILDACTIVATE &&
          cwp->message != win::WM_MDIACTIVATE)
        return;
      win::HWND parent = win::GetParent(cwp->hwnd);
      if (!parent || !SameText(win::GetClassNameStr(parent), "MDICLIENT")) return;
      TCustomForm* main = Application ? Application->MainForm() : nullptr;
      if (!main || !main->HandleAllocated()) return;
      TdxBarManager* m = BarManagerOfWindow(main->Handle());
      if (m && !m->InDestruction()) m->ActiveMdiChildChanged();
    });
  }
  return next;
}
