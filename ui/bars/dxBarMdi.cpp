// MDI children: the main form's manager follows the active MDI child and
// its maximized state, decides whether the child's main menu merges into its
// own, and tells OnMerge, OnMenuMerge and the MDI-state handlers. No form of
// this platform is an MDI form, so only a program that installs the MDI
// slots of the manager reaches this code.
#include "platform/rtl/scopeexit.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"

void TdxBarManager::ActiveMdiChildChanged() {
  const TdxBarManagerSlots& slots = dxBarManagerSlots();
  const win::HWND active = slots.ActiveMdiChildHandle ? slots.ActiveMdiChildHandle() : nullptr;
  const bool wasMaximized = activeMdiChildMaximized_;
  activeMdiChildMaximized_ = active && win::IsZoomed(active);
  LockBarsUpdate(false);
  {
    TScopeExit unlock([&] {
      bool marked = false;
      for (int32_t i = 0; bars_ && i < bars_->Count() && !marked; ++i) marked = bars_->GetItem(i)->DeferredRecalc;
      if (marked)
        UnlockBarsUpdateAndRecalc(true, false);
      else
        UnlockBarsUpdate(false);
      TCustomdxBarControl* menu = GetMainMenuBarControl();
      if (activeMdiChildMaximized_ && menu && menu->HandleAllocated())
        win::PostMessage(menu->Handle(), win::WM_APP + 101, 0, 0);
    });
    if (active != lastActiveMdiChild_) {
      MdiStateChanged(1, lastActiveMdiChild_);
      MdiStateChanged(0, active);
    } else if (wasMaximized != activeMdiChildMaximized_) {
      MdiStateChanged(2, active);
    }
  }
  lastActiveMdiChild_ = active;
}

void TdxBarManager::MdiStateChanged(int32_t Kind, win::HWND ChildWnd) {
  enum { none, merge, unmerge } decision = none;
  if (Kind == 2 && AlwaysMerge())
    decision = none;
  else if (Kind != 1 && (AlwaysMerge() || activeMdiChildMaximized_))
    decision = merge;
  else if (Kind == 1 || (Kind == 2 && !activeMdiChildMaximized_))
    decision = unmerge;
  TdxBarManager* child = ChildWnd ? BarManagerOfWindow(ChildWnd) : nullptr;
  if (decision != none && mainMenuBar_ && child && child->GetMainMenuBar() && OnMenuMerge)
    OnMenuMerge(this, child, decision == merge);
  if (OnMerge && child && decision != none) OnMerge(this, child, decision == merge);
  struct {
    int32_t Kind;
    win::HWND ChildWnd;
  } data{Kind, ChildWnd};
  mdiStateHandlers_->InvokeHandlers(this, &data);
}
