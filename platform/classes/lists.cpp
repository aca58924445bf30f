#include "platform/classes/lists.h"

#include <algorithm>

namespace classes_detail {

std::vector<int32_t> StableOrder(int32_t n, const std::function<bool(int32_t, int32_t)>& less) {
  std::vector<int32_t> order(size_t(std::max(n, 0)));
  for (int32_t i = 0; i < n; ++i) order[size_t(i)] = i;
  std::vector<int32_t> scratch(order.size());
  // Bottom-up merge sort: every index stays inside its run whatever less says.
  for (size_t width = 1; width < order.size(); width *= 2) {
    for (size_t lo = 0; lo < order.size(); lo += 2 * width) {
      const size_t mid = std::min(lo + width, order.size());
      const size_t hi = std::min(lo + 2 * width, order.size());
      size_t a = lo, b = mid, out = lo;
      while (a < mid && b < hi) scratch[out++] = less(order[b], order[a]) ? order[b++] : order[a++];
      while (a < mid) scratch[out++] = order[a++];
      while (b < hi) scratch[out++] = order[b++];
    }
    order.swap(scratch);
  }
  return order;
}

}  // namespace classes_detail

void TList::Error(const std::string& msg, int64_t data) {
  std::string text = msg;
  const size_t p = text.find("%d");
  if (p != std::string::npos) text.replace(p, 2, std::to_string(data));
  throw EListError(text);
}

void TList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
}

int32_t TList::Add(void* item) {
  items_.push_back(item);
  if (item) Notify(item, lnAdded);
  return Count() - 1;
}

void TList::Insert(int32_t index, void* item) {
  if (index < 0 || index > Count()) Error("List index out of bounds (%d)", index);
  items_.insert(items_.begin() + index, item);
  if (item) Notify(item, lnAdded);
}

void TList::Delete(int32_t index) {
  CheckIndex(index);
  void* item = items_[size_t(index)];
  items_.erase(items_.begin() + index);
  if (item) Notify(item, lnDeleted);
}

int32_t TList::Remove(void* item) {
  const int32_t index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  const int32_t index = IndexOf(item);
  if (index < 0) return nullptr;
  items_.erase(items_.begin() + index);
  if (item) Notify(item, lnExtracted);
  return item;
}

int32_t TList::IndexOf(void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : int32_t(it - items_.begin());
}

void TList::Exchange(int32_t index1, int32_t index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[size_t(index1)], items_[size_t(index2)]);
}

void TList::Move(int32_t curIndex, int32_t newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(newIndex);
  CheckIndex(curIndex);
  void* item = items_[size_t(curIndex)];
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, item);
}

void TList::Sort(const TListSortCompare& compare) {
  if (Count() < 2) return;
  const std::vector<void*> old = items_;
  const auto order = classes_detail::StableOrder(
      Count(), [&](int32_t a, int32_t b) { return compare(old[size_t(a)], old[size_t(b)]) < 0; });
  for (size_t i = 0; i < order.size(); ++i) items_[i] = old[size_t(order[i])];
}

void TList::Pack() {
  items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}

void TList::Clear() {
  SetCount(0);
  items_.shrink_to_fit();
}

void TList::Assign(const TList& source, TListAssignOp op) {
  if (&source == this && op != laCopy && op != laAnd && op != laOr) {
    // Set difference or symmetric difference with itself: empty.
    Clear();
    return;
  }
  const std::vector<void*> src = source.items_;
  switch (op) {
    case laCopy:
      if (&source == this) return;
      Clear();
      SetCapacity(int32_t(src.size()));
      for (void* p : src) Add(p);
      break;
    case laAnd:
      for (int32_t i = Count() - 1; i >= 0; --i)
        if (std::find(src.begin(), src.end(), items_[size_t(i)]) == src.end()) Delete(i);
      break;
    case laOr:
      for (void* p : src)
        if (IndexOf(p) < 0) Add(p);
      break;
    case laXor: {
      std::vector<void*> onlySource;
      for (void* p : src)
        if (IndexOf(p) < 0) onlySource.push_back(p);
      for (int32_t i = Count() - 1; i >= 0; --i)
        if (std::find(src.begin(), src.end(), items_[size_t(i)]) != src.end()) Delete(i);
      for (void* p : onlySource) Add(p);
      break;
    }
    case laSrcUnique: {
      std::vector<void*> mine = items_;
      Clear();
      for (void* p : src)
        if (std::find(mine.begin(), mine.end(), p) == mine.end()) Add(p);
      break;
    }
    case laDestUnique:
      for (int32_t i = Count() - 1; i >= 0; --i)
        if (std::find(src.begin(), src.end(), items_[size_t(i)]) != src.end()) Delete(i);
      break;
  }
}

void TList::SetCount(int32_t newCount) {
  if (newCount < 0) Error("List count out of bounds (%d)", newCount);
  if (newCount > Count()) {
    items_.resize(size_t(newCount), nullptr);
    return;
  }
  for (int32_t i = Count() - 1; i >= newCount; --i) Delete(i);
}

void TList::SetCapacity(int32_t newCapacity) {
  if (newCapacity < Count()) Error("List capacity out of bounds (%d)", newCapacity);
  if (size_t(newCapacity) > items_.capacity()) items_.reserve(size_t(newCapacity));
  else if (size_t(newCapacity) < items_.capacity()) {
    std::vector<void*> copy;
    copy.reserve(size_t(newCapacity));
    copy.assign(items_.begin(), items_.end());
    items_.swap(copy);
  }
}

TList* TList::Expand() {
  if (Count() == Capacity()) SetCapacity(Capacity() < 4 ? 4 : Capacity() < 8 ? 8 : Capacity() + Capacity() / 4);
  return this;
}

void* TList::Items(int32_t index) const {
  CheckIndex(index);
  return items_[size_t(index)];
}

void TList::SetItems(int32_t index, void* item) {
  CheckIndex(index);
  void* old = items_[size_t(index)];
  if (old == item) return;
  items_[size_t(index)] = item;
  if (old) Notify(old, lnDeleted);
  if (item) Notify(item, lnAdded);
}

void TList::Notify(void*, TListNotification) {}

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* ptr, TListNotification action) {
  if (ownsObjects_ && action == lnDeleted) delete static_cast<TObject*>(ptr);
  TList::Notify(ptr, action);
}

int32_t TObjectList::FindInstanceOf(TClass c, bool exact, int32_t startAt) const {
  for (int32_t i = std::max(startAt, 0); i < Count(); ++i) {
    TObject* obj = Items(i);
    if (obj && (exact ? obj->ClassType() == c : obj->InheritsFrom(c))) return i;
  }
  return -1;
}

void TThreadList::Add(void* item) {
  std::lock_guard guard(lock_);
  if (duplicates_ == dupAccept || list_.IndexOf(item) < 0) list_.Add(item);
  else if (duplicates_ == dupError) throw EListError("List does not allow duplicates");
}

void TThreadList::Remove(void* item) {
  std::lock_guard guard(lock_);
  list_.Remove(item);
}

void TThreadList::Clear() {
  std::lock_guard guard(lock_);
  list_.Clear();
}

TList* TThreadList::LockList() {
  lock_.lock();
  return &list_;
}

void TThreadList::UnlockList() { lock_.unlock(); }
