// The collection of items that are components, and the component list with
// change notices.
#include <algorithm>

#include "platform/rtl/scopeexit.h"
#include "ui/lookandfeel/cxClasses.h"

// ---- TcxComponentCollectionItem

TcxComponentCollectionItem::~TcxComponentCollectionItem() { SetCollection(nullptr); }

void TcxComponentCollectionItem::SetCollection(TcxComponentCollection* Value) {
  if (Value == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int32_t TcxComponentCollectionItem::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

void TcxComponentCollectionItem::SetIndex(int32_t Value) {
  const int32_t current = Index();
  if (current < 0 || current == Value) return;
  collection_->MoveItem(this, Value);
  Changed(true);
}

std::string TcxComponentCollectionItem::GetDisplayName() { return Name(); }

TComponent* TcxComponentCollectionItem::GetParentComponent() {
  return collection_ ? collection_->HostComponent() : TComponent::GetParentComponent();
}

bool TcxComponentCollectionItem::HasParent() { return GetParentComponent() != nullptr; }

void TcxComponentCollectionItem::SetParentComponent(TComponent* Value) { SetCollection(CollectionForParent(Value)); }

void TcxComponentCollectionItem::Changed(bool AllItems) {
  if (InState(csDestroying) || !collection_) return;
  collection_->Changed(AllItems ? nullptr : this, inChanged);
}

// ---- TcxComponentCollection

TcxComponentCollection::TcxComponentCollection(TComponent* AHostComponent, TClass AItemClass)
    : itemClass_(AItemClass), hostComponent_(AHostComponent) {
  if (!AItemClass || !AItemClass->InheritsFrom(TcxComponentCollectionItem::StaticClass()))
    throw EInvalidOperation("The item class of a component collection must descend from TcxComponentCollectionItem");
}

TcxComponentCollection::~TcxComponentCollection() {
  // No notice reaches the host while the collection is torn down.
  updateCount_ = 1;
  while (!items_.empty()) delete items_.back();
}

TcxComponentCollectionItem* TcxComponentCollection::Add() {
  TObject* made = itemClass_->Create ? itemClass_->Create(hostComponent_ ? hostComponent_->Owner() : nullptr) : nullptr;
  auto* item = dynamic_cast<TcxComponentCollectionItem*>(made);
  if (!item) {
    delete made;
    throw EInvalidOperation(std::string("Cannot create an item of class ") + itemClass_->Name);
  }
  try {
    item->SetParentComponent(hostComponent_);
    AssignItemName(item);
  } catch (...) {
    delete item;
    throw;
  }
  return item;
}

void TcxComponentCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(true); });
  while (!items_.empty()) delete items_.back();
}

void TcxComponentCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxComponentCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(true); });
  Clear();
  for (TcxComponentCollectionItem* from : source->items_) Add()->Assign(from);
}

void TcxComponentCollection::BeginUpdate() { ++updateCount_; }

void TcxComponentCollection::EndUpdate(bool AForceUpdate) {
  // An unmatched call would silence the collection for good.
  if (updateCount_ > 0) --updateCount_;
  if (AForceUpdate) Changed(nullptr, inChanged);
}

TcxComponentCollectionItem* TcxComponentCollection::Items(int32_t index) const {
  if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
  return items_[size_t(index)];
}

int32_t TcxComponentCollection::IndexOf(const TcxComponentCollectionItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : int32_t(it - items_.begin());
}

void TcxComponentCollection::Notify(TcxComponentCollectionItem*, TcxItemNotification) {}
void TcxComponentCollection::AssignItemName(TcxComponentCollectionItem*) {}

void TcxComponentCollection::Update(TcxComponentCollectionItem* AItem, TcxItemNotification AAction) {
  if (OnCollectionChange) OnCollectionChange(this, AItem, AAction);
}

void TcxComponentCollection::Changed(TcxComponentCollectionItem* AItem, TcxItemNotification AAction) {
  if (updateCount_ == 0) Update(AItem, AAction);
}

void TcxComponentCollection::InsertItem(TcxComponentCollectionItem* AItem) {
  if (!AItem->InheritsFrom(itemClass_)) return;
  items_.push_back(AItem);
  AItem->collection_ = this;
  AItem->id_ = nextId_++;
  Notify(AItem, inAdded);
  Changed(AItem, inAdded);
}

void TcxComponentCollection::RemoveItem(TcxComponentCollectionItem* AItem) {
  Notify(AItem, inExtracting);
  items_.erase(std::remove(items_.begin(), items_.end(), AItem), items_.end());
  AItem->collection_ = nullptr;
  Notify(AItem, inExtracted);
  Changed(AItem, inExtracted);
}

void TcxComponentCollection::MoveItem(TcxComponentCollectionItem* AItem, int32_t AIndex) {
  if (AIndex < 0 || AIndex >= Count()) TList::Error("List index out of bounds (%d)", AIndex);
  items_.erase(items_.begin() + IndexOf(AItem));
  items_.insert(items_.begin() + AIndex, AItem);
}

// ---- TcxComponentList

TcxComponentList::~TcxComponentList() { updateCount_ = 1; }

void TcxComponentList::Notify(void* Ptr, TListNotification Action) {
  auto* component = static_cast<TComponent*>(static_cast<TObject*>(Ptr));
  if (component->InheritsFrom(AcceptedItemClass())) HandleNotification(component, Action);
  else if (Action == lnAdded) Extract(component);
}

void TcxComponentList::HandleNotification(TComponent* AComponent, TListNotification Action) {
  TComponentList::Notify(static_cast<TObject*>(AComponent), Action);
  if (OnNotify) OnNotify(this, AComponent, Action);
  static constexpr TcxItemNotification kinds[] = {inAdded, inExtracted, inDeleted};
  ListChanged(AComponent, kinds[Action]);
}

void TcxComponentList::ListChanged(TComponent* AComponent, TcxItemNotification AAction) {
  if (updateCount_ == 0 && OnListChanged) OnListChanged(this, AComponent, AAction);
}

void TcxComponentList::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  ListChanged(nullptr, inChanged);
}

void TcxComponentList::Clear() {
  if (Count() > 0) {
    BeginUpdate();
    TScopeExit end([this] { EndUpdate(); });
    while (Count() > 0) Delete(0);
  }
  TComponentList::Clear();
}
