// Shortcuts and accelerators of bar items: the manager's search through the
// managers of a form, the item links' own search, and the bar windows' and
// item controls' basic answers to keyboard routing.
#include <algorithm>
#include <vector>

#include "ui/bars/dxBar.h"
#include "platform/rtl/scopeexit.h"
#include "ui/bars/dxBarHooks.h"
#include "platform/rtl/text.h"
#include "ui/bars/dxBarRoutines.h"

namespace {

// The managers from AManager's owner window up through its parents, then the
// other managers of its form, cyclically after AManager; AFn answers True to stop.
template <class F>
bool ForManagersOfOwnerAndForm(TdxBarManager* AManager, F&& AFn) {
  TWinControl* owner = AManager->OwnerControl();
  if (owner && owner->HandleAllocated()) {
    for (win::HWND w = owner->Handle(); w; w = win::GetParent(w)) {
      if (TdxBarManager* m = BarManagerOfWindow(w))
        if (AFn(m)) return true;
      if (!HasChildStyle(w)) break;
    }
  }
  TdxBarManagerList* list = dxBarManagerList();
  for (TdxBarManager* m = list->NextManagerOfForm(AManager, true); m != AManager;
       m = list->NextManagerOfForm(m, true))
    if (AFn(m)) return true;
  return false;
}

}  // namespace

void TdxBarItemControl::ClickByKeyboard() {
  if (TdxBarItem* item = GetItem()) item->Click();
}

bool TCustomdxBarControl::OwnsWindow(win::HWND AWnd) {
  return AWnd && HandleAllocated() && (AWnd == Handle() || win::IsChild(Handle(), AWnd));
}

void TCustomdxBarControl::ActivateKeyboardMode(TdxBarItemControl* AItemControl) {
  if (TdxBarManager* m = GetBarManager()) m->SetFocusedBarControl(this);
  SetSelectedControl(AItemControl);
}

// ---------------------------------------------------------------- manager

bool TdxBarManager::IsShortCut(TShortCut AShortCut) {
  if (AShortCut == scNone) return false;
  // The popup menus linked to the focused control come before any bar.
  if (TWinControl* focused = FindVclControlUpwards(win::GetFocus()))
    if (TdxBarManager* m = BarManagerForComponent(focused))
      if (m->PopupMenuLinks()->ProcessShortCut(focused, AShortCut)) return true;
  return ForManagersOfOwnerAndForm(this, [&](TdxBarManager* m) { return ManagerShortCut(m, AShortCut); });
}

bool TdxBarManager::ManagerShortCut(TdxBarManager* M, TShortCut AShortCut) {
  TdxBar* mainMenu = M->GetMainMenuBar();
  if (mainMenu && mainMenu->GetItemLinks()->DispatchShortCut(AShortCut)) return true;
  for (int32_t i = 0; i < M->Bars()->Count(); ++i) {
    TdxBar* bar = M->Bars()->GetItem(i);
    if (bar == mainMenu) continue;
    TCustomdxBarControl* window = bar->GetControl();
    const bool takes = (bar->GetVisible() && window && window->AcceptsShortCuts()) || IndexOfRestoringBar(bar) >= 0;
    if (takes && bar->GetItemLinks()->DispatchShortCut(AShortCut)) return true;
  }
  for (int32_t i = 0; i < M->PopupMenuList()->Count(); ++i)
    if (auto* owner = dynamic_cast<IdxBarLinksOwner*>(M->PopupMenuList()->Items(i)))
      if (owner->GetItemLinks() && owner->GetItemLinks()->DispatchShortCut(AShortCut)) return true;
  return false;
}

TdxBarItemLink* TdxBarManager::FindLinkByAccelerator(win::WORD AKey, TShiftState AShift) {
  TdxBarItemLink* found = nullptr;
  ForManagersOfOwnerAndForm(this, [&](TdxBarManager* m) {
    TdxBar* mainMenu = m->GetMainMenuBar();
    if (mainMenu && mainMenu->GetControl())
      found = mainMenu->GetItemLinks()->FindLinkByAccelerator(AKey, AShift, nullptr);
    for (int32_t i = 0; i < m->Bars()->Count() && !found; ++i) {
      TdxBar* bar = m->Bars()->GetItem(i);
      if (bar != mainMenu && bar->GetVisible() && bar->GetControl())
        found = bar->GetItemLinks()->FindLinkByAccelerator(AKey, AShift, nullptr);
    }
    return found != nullptr;
  });
  return found;
}
