// TCollection: an ordered set of TCollectionItem objects of one class, which
// the collection owns. Each item has a position (Index) and an ID that stays
// with it when it moves and is never given to another item of the collection.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes/persistent.h"

class TCollection;
class TCollectionItem;

// The item class of a collection: its class info and how to make one.
struct TCollectionItemClass {
  TClass Class = nullptr;
  std::function<TCollectionItem*(TCollection*)> Create;
};
template <class T>
TCollectionItemClass CollectionItemClassOf() {
  return {T::StaticClass(), [](TCollection* c) -> TCollectionItem* { return new T(c); }};
}

enum TCollectionNotification : uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  DX_CLASS(TCollectionItem, TPersistent)
public:
  // Joins collection (when not null) at the end, with the next ID. The
  // collection is not told (Notify, Update) until Add / Insert, because the
  // item is not whole yet; make items with TCollection::Add.
  explicit TCollectionItem(TCollection* collection);
  // Leaves the collection (cnExtracting, Update). The derived parts are gone
  // by then; a descendant whose collection looks at them in Notify calls
  // SetCollection(nullptr) first in its own destructor. Delete(index) takes
  // an item out while it is whole.
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (null: out of any). The new
  // collection gives it a new ID; the old one no longer owns it.
  virtual void SetCollection(TCollection* value);
  int32_t ID() const { return id_; }
  // Position in the collection; -1 without one.
  int32_t Index() const;
  // Moves the item; EListError for a bad index.
  virtual void SetIndex(int32_t value);
  std::string DisplayName() { return GetDisplayName(); }
  virtual void SetDisplayName(const std::string& value);

  TPersistent* GetOwner() override;
  // "<collection's name path>[Index]".
  std::string GetNamePath() override;

protected:
  // Tells the collection that this item (allItems false) or all items changed.
  void Changed(bool allItems);
  // The class name at the base.
  virtual std::string GetDisplayName();

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int32_t id_ = 0;
};

class TCollection : public TPersistent {
  DX_CLASS(TCollection, TPersistent)
public:
  explicit TCollection(TCollectionItemClass itemClass = CollectionItemClassOf<TCollectionItem>());
  // Deletes the items without Update calls.
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItem* Add();
  // A new item at index (0..Count).
  TCollectionItem* Insert(int32_t index);
  void Delete(int32_t index);
  void Clear();
  void Exchange(int32_t index1, int32_t index2);
  // Copies source's items (Add, then item Assign) for a TCollection source.
  void Assign(TPersistent* source) override;

  int32_t Count() const { return int32_t(items_.size()); }
  int32_t Capacity() const { return int32_t(items_.capacity()); }
  void SetCapacity(int32_t v);
  // Bad index: EListError "List index out of bounds (%d)".
  TCollectionItem* Items(int32_t index) const;
  // Assigns value to the item at index.
  void SetItems(int32_t index, TCollectionItem* value);
  TCollectionItem* FindItemID(int32_t id) const;
  const TCollectionItemClass& ItemClass() const { return itemClass_; }
  int32_t NextID() const { return nextId_; }

  // Changes between BeginUpdate and the matching EndUpdate call Update(nullptr)
  // once at the end, and only when something changed.
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int32_t UpdateCount() const { return updateCount_; }

  TPersistent* Owner() { return GetOwner(); }
  // The owner's name path plus PropName ("Form1.Panels"), else the class name.
  std::string GetNamePath() override;
  // Name of the owner's property that holds this collection; streaming and
  // name paths use it.
  const std::string& PropName() const { return propName_; }
  void SetPropName(const std::string& v) { propName_ = v; }

protected:
  // Update(nullptr) now, or at EndUpdate while updating.
  void Changed();
  // item changed, or (null) the whole collection. Empty at the base.
  virtual void Update(TCollectionItem* item);
  virtual void Notify(TCollectionItem* item, TCollectionNotification action);
  // Lets a descendant name a new item; empty at the base.
  virtual void SetItemName(TCollectionItem* item);

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item, bool announce);
  void RemoveItem(TCollectionItem* item);
  void ItemChanged(TCollectionItem* item);

  TCollectionItemClass itemClass_;
  std::vector<TCollectionItem*> items_;
  int32_t nextId_ = 0;
  int32_t updateCount_ = 0;
  bool pendingUpdate_ = false;
  std::string propName_;
};

// A collection whose owner (for name paths and streaming) is given.
class TOwnedCollection : public TCollection {
  DX_CLASS(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* owner, TCollectionItemClass itemClass)
      : TCollection(std::move(itemClass)), owner_(owner) {}
  TPersistent* GetOwner() override { return owner_; }

private:
  TPersistent* owner_;
};
