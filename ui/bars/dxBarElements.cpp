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
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarToolbarControl.h"

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

int32_t TdxBarSubMenuControl::GetGlyphAreaWidth() { return Painter()->SubMenuFieldMetric(FontRowHeight()); }

void TdxBarSubMenuControl::Close() {
  if (ItemLinks() && ItemLinks()->BarControl == this) ItemLinks()->BarControl = nullptr;
  std::function<void()> closed = std::move(OnCloseMenu);
  delete this;
  if (closed) closed();
}
