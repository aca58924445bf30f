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

// The upper-case accelerator character of a caption: the character after a
// single "&"; 0 when none.
char32_t AcceleratorOf(const std::string& ACaption) {
  std::string caption = ACaption;
  const int32_t pos = FindAcceleratorPos(caption, false);
  if (pos <= 0 || size_t(pos) > caption.size()) return 0;
  const std::u32string text = Utf8ToUtf32(caption.substr(size_t(pos) - 1));
  return text.empty() ? 0 : CpUpperChar(text[0]);
}

}  // namespace

bool TdxBarItemLinks::DispatchShortCut(TShortCut AShortCut) {
  // Sub-items that hold each other must not send the search round in
  // circles; the walk keeps the lists it is in outside the lists themselves,
  // because a click may free them.
  static thread_local std::vector<const TdxBarItemLinks*> walking;
  if (AShortCut == scNone || std::find(walking.begin(), walking.end(), this) != walking.end()) return false;
  walking.push_back(this);
  TScopeExit leave([] { walking.pop_back(); });
  for (int32_t i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = GetItem(i);
    TdxBarItem* item = link->GetItem();
    if (link->Visible() && item && item->IsItemAvailable() && item->DispatchShortCut(AShortCut)) return true;
  }
  return false;
}

TdxBarItemLink* TdxBarItemLinks::FindLinkByAccelerator(win::WORD AKey, TShiftState AShift, TdxBarItemLink* AStartLink) {
  if (AShift.Contains(ssCtrl) || Count() == 0) return nullptr;
  const char32_t key = CpUpperChar(char32_t(win::MapVirtualKey(AKey, win::MAPVK_VK_TO_CHAR) & 0xFFFF));
  if (key == 0) return nullptr;
  const int32_t start = AStartLink ? IndexOf(AStartLink) : -1;
  for (int32_t n = 1; n <= Count(); ++n) {
    TdxBarItemLink* link = GetItem((start + n + Count()) % Count());
    TdxBarItem* item = link->GetItem();
    if (link->Visible() && item && item->IsItemAvailable() && AcceleratorOf(item->Caption()) == key) return link;
  }
  return nullptr;
}

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
