#include "platform/classes/collection.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"

namespace {

[[noreturn]] void IndexError(int32_t index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

// ---- TCollectionItem

TCollectionItem::TCollectionItem(TCollection* collection) {
  if (collection) collection->InsertItem(this, false);
}

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* value) {
  if (value == collection_) return;
  if (value && value->itemClass_.Class && !InheritsFrom(value->itemClass_.Class))
    throw EListError("Invalid property value");
  if (collection_) collection_->RemoveItem(this);
  if (value) value->InsertItem(this, true);
}

int32_t TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : int32_t(it - items.begin());
}

void TCollectionItem::SetIndex(int32_t value) {
  const int32_t current = Index();
  if (current < 0 || current == value) return;
  auto& items = collection_->items_;
  if (value < 0 || value >= int32_t(items.size())) IndexError(value);
  items.erase(items.begin() + current);
  items.insert(items.begin() + value, this);
  Changed(true);
}

void TCollectionItem::SetDisplayName(const std::string&) { Changed(false); }

std::string TCollectionItem::GetDisplayName() { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() { return collection_; }

std::string TCollectionItem::GetNamePath() {
  if (!collection_) return ClassName();
  return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_) collection_->ItemChanged(allItems ? nullptr : this);
}

// ---- TCollection

TCollection::TCollection(TCollectionItemClass itemClass) : itemClass_(std::move(itemClass)) {
  if (!itemClass_.Create) itemClass_ = CollectionItemClassOf<TCollectionItem>();
}

TCollection::~TCollection() {
  // No Update calls reach a collection that is going away.
  ++updateCount_;
  while (!items_.empty()) {
    TCollectionItem* item = items_.back();
    items_.pop_back();
    item->collection_ = nullptr;
    delete item;
  }
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = itemClass_.Create(this);
  if (item->collection_ != this) item->SetCollection(this);
  else {
    SetItemName(item);
    Notify(item, cnAdded);
    Changed();
  }
  return item;
}

TCollectionItem* TCollection::Insert(int32_t index) {
  if (index < 0 || index > Count()) IndexError(index);
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int32_t index) {
  TCollectionItem* item = Items(index);
  Notify(item, cnDeleting);
  // Take it out while it is still whole, so every notification sees a complete item.
  RemoveItem(item);
  delete item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  try {
    while (!items_.empty()) Delete(Count() - 1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Exchange(int32_t index1, int32_t index2) {
  if (index1 < 0 || index1 >= Count()) IndexError(index1);
  if (index2 < 0 || index2 >= Count()) IndexError(index2);
  if (index1 == index2) return;
  std::swap(items_[size_t(index1)], items_[size_t(index2)]);
  Changed();
}

void TCollection::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::SetCapacity(int32_t v) {
  if (v > Count()) items_.reserve(size_t(v));
}

TCollectionItem* TCollection::Items(int32_t index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return items_[size_t(index)];
}

void TCollection::SetItems(int32_t index, TCollectionItem* value) { Items(index)->Assign(value); }

TCollectionItem* TCollection::FindItemID(int32_t id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && pendingUpdate_) {
    pendingUpdate_ = false;
    Update(nullptr);
  }
}

std::string TCollection::GetNamePath() {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  const std::string ownerPath = owner->GetNamePath();
  if (ownerPath.empty() || propName_.empty()) return ClassName();
  return ownerPath + "." + propName_;
}

void TCollection::Changed() { ItemChanged(nullptr); }

void TCollection::ItemChanged(TCollectionItem* item) {
  if (updateCount_ > 0) {
    pendingUpdate_ = true;
    return;
  }
  Update(item);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::SetItemName(TCollectionItem*) {}

void TCollection::InsertItem(TCollectionItem* item, bool announce) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  if (!announce) return;
  SetItemName(item);
  Notify(item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  auto it = std::find(items_.rbegin(), items_.rend(), item);
  if (it == items_.rend()) return;
  Notify(item, cnExtracting);
  items_.erase(std::next(it).base());
  item->collection_ = nullptr;
  Changed();
}
