// The least behaviour of the toolbar elements that the bar manager relies on.
#include "ui/bars/dxBarElements.h"

#include <algorithm>
#include <utility>

#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarItems.h"

// ---------------------------------------------------------------- object lists

void TdxObjectList::AddToListOnce(TList* AList, TObject* AObject) {
  if (AObject && AList->IndexOf(AObject) < 0) AList->Add(AObject);
}

TObject* TdxObjectList::GetItem(int32_t Index) const {
  return Index >= 0 && Index < Count() ? Items(Index) : nullptr;
}

void TdxObjectList::CopyTo(TList* ADest) const {
  ADest->Clear();
  ADest->SetCapacity(Capacity());
  const bool once = ADest->InheritsFrom(TdxObjectList::StaticClass());
  for (void* p : *this) {
    if (once) AddToListOnce(ADest, static_cast<TObject*>(p));
    else ADest->Add(p);
  }
}

// ---------------------------------------------------------------- components

TdxBarComponent::TdxBarComponent(TComponent* AOwner)
    : TcxComponent(AOwner), changeListeners_(std::make_unique<TObjectList>(false)) {}

TdxBarComponent::~TdxBarComponent() {
  Destroying();
  while (changeListeners_->Count() > 0) {
    auto* list = static_cast<TComponentList*>(changeListeners_->Last());
    changeListeners_->Delete(changeListeners_->Count() - 1);
    list->Extract(this);
  }
}

void TdxBarComponent::NotifyChangeListeners(bool ADestroying) {
  if (InState(csDestroying)) return;
  for (int32_t i = 0; i < changeListeners_->Count(); ++i)
    static_cast<TdxBarComponentList*>(changeListeners_->Items(i))->ComponentChanged(ADestroying ? nullptr : this);
}

void TdxBarComponent::CollectOwners(TdxObjectList* AList) { TdxObjectList::AddToListOnce(AList, Owner()); }

bool TdxBarComponent::CanBeDeleted(bool) { return !barManager_ || barManager_->MayDeleteComponent(this); }

void TdxBarComponent::DeleteIfAllowed(IdxBarSelectableItem*& AReference, bool Destruction) {
  if (!CanBeDeleted(Destruction)) return;
  AReference = nullptr;
  delete this;
}

int32_t TdxBarComponent::GetDesignSelectionState() {
  return barManager_ ? barManager_->GetDesignSelectionState(this) : 0;
}

bool TdxBarComponent::IsDesignSelected() { return barManager_ && barManager_->IsDesignSelected(this); }

void TdxBarComponent::DesignSelect(int32_t AOperation) {
  if (barManager_) barManager_->DesignSelect(this, AOperation);
}

// ---------------------------------------------------------------- manager lists

void TdxBarComponent::MoveToManager(TdxBarManager* Value, TManagerListOf ListOf) {
  if (barManager_ == Value) return;
  LeaveManager(ListOf);
  TdxBarComponent::SetBarManager(Value);
  if (Value) ListOf(Value)->Add(this);
}

void TdxBarComponent::LeaveManager(TManagerListOf ListOf) {
  if (!barManager_) return;
  if (TComponentList* list = ListOf(barManager_)) list->Remove(this);
}

// ---------------------------------------------------------------- windows

TdxBarSubMenuControl::~TdxBarSubMenuControl() {
  if (ItemLinks() && ItemLinks()->BarControl == this) ItemLinks()->BarControl = nullptr;
}

void TdxBarSubMenuControl::ShowAnimated() {
  if (OnShowMenu) OnShowMenu();
}

void TdxBarSubMenuControl::Close() {
  if (ItemLinks() && ItemLinks()->BarControl == this) ItemLinks()->BarControl = nullptr;
  std::function<void()> closed = std::move(OnCloseMenu);
  delete this;
  if (closed) closed();
}

// ---------------------------------------------------------------- bars

TdxBar::TdxBar(TComponent* AOwner)
    : TcxComponentCollectionItem(AOwner), font_(std::make_unique<TFont>()) {}

// The bar's window goes with the bar.
TdxBar::~TdxBar() {
  if (TCustomdxBarControl* c = control_) {
    control_ = nullptr;
    c->SetBar(nullptr);
    delete c;
  }
  if (TdxBarManager* m = GetBarManager(); m && m->GetMainMenuBar() == this) m->SetMainMenuBar(nullptr);
}

TdxBarManager* TdxBar::GetBarManager() const { return Bars() ? Bars()->BarManager() : nullptr; }

TdxBars* TdxBar::Bars() const { return static_cast<TdxBars*>(Collection()); }

TcxComponentCollection* TdxBar::CollectionForParent(TComponent* AParent) {
  auto* m = dynamic_cast<TdxBarManager*>(AParent);
  return m ? m->Bars() : nullptr;
}

void TdxBar::SetCollection(TcxComponentCollection* Value) {
  TcxComponentCollectionItem::SetCollection(Value);
  TdxBarManager* m = GetBarManager();
  if (!itemLinks_)
    itemLinks_ = std::make_unique<TdxBarControlItemLinks>(m, this);
  else
    itemLinks_->SetBarManager(m);
}

// Values read from the form wait for the manager's Loaded, which runs before
// the bars' own.
bool TdxBar::IsLoading() const {
  TdxBarManager* m = GetBarManager();
  return m ? m->InLoading() : Loading();
}

void TdxBar::SetVisible(bool Value) {
  if (IsLoading() || Restoring) loadedVisible_ = Value;
  if (IsLoading()) return;
  TdxBarManager* m = GetBarManager();
  if (Value && m && m->InDestruction()) return;
  visible_ = Value;
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
  if (IsLoading()) {
    loadedDockingStyle_ = Value;
    return;
  }
  if (dockingStyle_ == Value) return;
  dockingStyle_ = Value;
  if (TdxBarManager* m = GetBarManager()) m->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockControl(TdxBarDockControl* ADock) {
  if (IsLoading()) {
    loadedDockControl_ = ADock;
    return;
  }
  dockControl_ = ADock;
}

TdxDockControl* TdxBar::GetRealDockControl() const {
  if (dockControl_) return dockControl_;
  return Bars() ? Bars()->EdgeDock(dockingStyle_) : nullptr;
}

void TdxBar::SetIsMainMenu(bool Value) {
  if (isMainMenu_ == Value) return;
  TdxBarManager* m = GetBarManager();
  if (Value && m) {
    // At most one main-menu bar per manager.
    if (TdxBar* old = m->GetMainMenuBar(); old && old != this) old->isMainMenu_ = false;
    m->SetMainMenuBar(this);
  } else if (m && m->GetMainMenuBar() == this) {
    m->SetMainMenuBar(nullptr);
  }
  isMainMenu_ = Value;
}

void TdxBar::SetControl(TCustomdxBarControl* Value) {
  control_ = Value;
  if (Value) Value->SetBar(this);
}

void TdxBar::SetFont(TFont* AFont) { font_->Assign(AFont); }

void TdxBar::MarkChanged() { Changed(true); }

// ---------------------------------------------------------------- bar collection

namespace {

TAlign EdgeAlign(TdxBarDockingStyle side) {
  switch (side) {
    case dsLeft: return alLeft;
    case dsRight: return alRight;
    case dsBottom: return alBottom;
    default: return alTop;
  }
}

}  // namespace

TdxBars::TdxBars(TdxBarManager* ABarManager)
    : TcxComponentCollection(ABarManager, TdxBar::StaticClass()), barManager_(ABarManager) {
  auto* parent = dynamic_cast<TWinControl*>(ABarManager->Owner());
  for (TdxBarDockingStyle side : {dsLeft, dsTop, dsRight, dsBottom}) {
    auto* dock = new TdxDockControl(nullptr);
    dock->SetEdgeSide(side);
    dock->SetAlign(EdgeAlign(side));
    if (IsVerticalDockingStyle(side))
      dock->SetWidth(0);
    else
      dock->SetHeight(0);
    dock->SetParent(parent);
    dock->SetBarManager(ABarManager);
    edgeDocks_[side - dsLeft] = dock;
  }
}

TdxBars::~TdxBars() {
  Clear();
  for (TdxDockControl*& dock : edgeDocks_) {
    TdxDockControl* d = dock;
    dock = nullptr;
    delete d;
  }
}

TdxDockControl* TdxBars::EdgeDock(TdxBarDockingStyle Side) const {
  return Side >= dsLeft && Side <= dsBottom ? edgeDocks_[Side - dsLeft] : nullptr;
}

void TdxBars::ForgetEdgeDock(TdxDockControl* ADock) {
  for (TdxDockControl*& dock : edgeDocks_)
    if (dock == ADock) dock = nullptr;
}

void TdxBars::RebuildBarControls() {
  for (int32_t i = 0; i < Count(); ++i)
    if (TCustomdxBarControl* c = GetItem(i)->GetControl()) c->RebuildBar();
}
