// TList (a list of untyped pointers), TObjectList (a list that may own its
// objects) and TThreadList (a TList behind a lock).
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/object.h"

enum TListNotification : uint8_t { lnAdded, lnExtracted, lnDeleted };
enum TListAssignOp : uint8_t { laCopy, laAnd, laOr, laXor, laSrcUnique, laDestUnique };
enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

// Negative, zero or positive as item1 sorts before, with or after item2.
using TListSortCompare = std::function<int32_t(void* item1, void* item2)>;

class TList : public TObject {
  DX_CLASS(TList, TObject)
public:
  TList() = default;
  // Does not call Notify: a descendant that must hear about the items left
  // in it clears the list in its own destructor.
  ~TList() override = default;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  int32_t Add(void* item);
  void Insert(int32_t index, void* item);
  void Delete(int32_t index);
  // Deletes the first occurrence; returns its former index or -1.
  int32_t Remove(void* item);
  // Takes the first occurrence out without deleting it (lnExtracted); returns it or null.
  void* Extract(void* item);
  int32_t IndexOf(void* item) const;
  void Exchange(int32_t index1, int32_t index2);
  void Move(int32_t curIndex, int32_t newIndex);
  // Stable; a comparison that is not a consistent order cannot break memory.
  void Sort(const TListSortCompare& compare);
  // Removes the null entries.
  void Pack();
  virtual void Clear();
  // Copies (laCopy) or combines this list with source as a set operation.
  void Assign(const TList& source, TListAssignOp op = laCopy);

  int32_t Count() const { return int32_t(items_.size()); }
  // Growing adds nulls; shrinking deletes from the end (with notifications).
  void SetCount(int32_t newCount);
  int32_t Capacity() const { return int32_t(items_.capacity()); }
  void SetCapacity(int32_t newCapacity);
  TList* Expand();

  // Bad index: EListError "List index out of bounds (%d)".
  void* Items(int32_t index) const;
  void SetItems(int32_t index, void* item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  void** List() { return items_.data(); }

  std::vector<void*>::const_iterator begin() const { return items_.begin(); }
  std::vector<void*>::const_iterator end() const { return items_.end(); }

  // Raises EListError with msg, "%d" replaced by data.
  [[noreturn]] static void Error(const std::string& msg, int64_t data);

protected:
  // Told after an item joined (lnAdded) or left (lnExtracted, lnDeleted); never for null items.
  virtual void Notify(void* ptr, TListNotification action);

private:
  void CheckIndex(int32_t index) const;
  std::vector<void*> items_;
};

// A TList of objects that, when OwnsObjects is true (the default), deletes an
// object once it has been deleted from the list, replaced or cleared away.
// Extract hands an object back without deleting it.
class TObjectList : public TList {
  DX_CLASS(TObjectList, TList)
public:
  explicit TObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
  ~TObjectList() override;

  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool v) { ownsObjects_ = v; }

  int32_t Add(TObject* obj) { return TList::Add(obj); }
  void Insert(int32_t index, TObject* obj) { TList::Insert(index, obj); }
  int32_t Remove(TObject* obj) { return TList::Remove(obj); }
  TObject* Extract(TObject* obj) { return static_cast<TObject*>(TList::Extract(obj)); }
  int32_t IndexOf(TObject* obj) const { return TList::IndexOf(obj); }
  TObject* Items(int32_t index) const { return static_cast<TObject*>(TList::Items(index)); }
  void SetItems(int32_t index, TObject* obj) { TList::SetItems(index, obj); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  // Index of the first object of class c (exactly, or a descendant unless exact), from startAt.
  int32_t FindInstanceOf(TClass c, bool exact = true, int32_t startAt = 0) const;

protected:
  void Notify(void* ptr, TListNotification action) override;

private:
  bool ownsObjects_;
};

// TObjectList with typed access, for lists of one kind of object.
template <class T>
class TObjectListOf : public TObjectList {
public:
  explicit TObjectListOf(bool ownsObjects = true) : TObjectList(ownsObjects) {}
  int32_t Add(T* obj) { return TObjectList::Add(obj); }
  void Insert(int32_t index, T* obj) { TObjectList::Insert(index, obj); }
  int32_t Remove(T* obj) { return TObjectList::Remove(obj); }
  T* Extract(T* obj) { return static_cast<T*>(TObjectList::Extract(obj)); }
  int32_t IndexOf(T* obj) const { return TObjectList::IndexOf(obj); }
  T* Items(int32_t index) const { return static_cast<T*>(TObjectList::Items(index)); }
  void SetItems(int32_t index, T* obj) { TObjectList::SetItems(index, obj); }
  T* First() const { return static_cast<T*>(TObjectList::First()); }
  T* Last() const { return static_cast<T*>(TObjectList::Last()); }
};

// A TList shared between threads. LockList / UnlockList bracket direct use;
// the lock is recursive.
class TThreadList : public TObject {
  DX_CLASS(TThreadList, TObject)
public:
  TThreadList() = default;
  // dupIgnore (the default) skips an item already present; dupError raises EListError.
  void Add(void* item);
  void Remove(void* item);
  void Clear();
  TList* LockList();
  void UnlockList();
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates d) { duplicates_ = d; }

private:
  std::recursive_mutex lock_;
  TList list_;
  TDuplicates duplicates_ = dupIgnore;
};

namespace classes_detail {
// Stable merge sort of n positions; less(a, b) compares positions of the
// original order. Returns the sorted order of positions. Memory-safe whatever less answers.
std::vector<int32_t> StableOrder(int32_t n, const std::function<bool(int32_t, int32_t)>& less);
}  // namespace classes_detail
