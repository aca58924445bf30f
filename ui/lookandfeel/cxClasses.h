// The small bases the look-and-feel layer and the toolbar library derive
// from: a component with design-time links, persistents, collection items and
// collections that take part in interfaces without counting references,
// object lists with change notices, a collection of items that are themselves
// components, two class registries, the spreading of a width over items, weak
// object links and a few routines (unique component names, thread hooks).
//
// Vocabulary: an interface of this library is an abstract class; an object
// supports it when it derives from it. Objects here never count references:
// their owner frees them, so _AddRef and _Release answer -1.
//
// Everything runs on the main thread and takes no lock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/collection.h"
#include "platform/classes/complist.h"
#include "platform/classes/component.h"
#include "platform/classes/resstrings.h"
#include "platform/classes/strings.h"

// The thread-hook types of platform/win/winuser.h, declared alike so that this
// header stays free of the window system's.
namespace win {
struct HHOOK__;
using HHOOK = HHOOK__*;
using HOOKPROC = intptr_t (*)(int, uintptr_t, intptr_t);
}  // namespace win

// The change kind of component collections and component lists.
enum TcxItemNotification : uint8_t { inAdded, inChanged, inExtracting, inExtracted, inDeleted };

// True, with out set, when obj supports the interface I.
template <class I, class T>
bool cxQueryInterface(T* obj, I*& out) {
  out = dynamic_cast<I*>(obj);
  return out != nullptr;
}

class TcxIUnknownObject : public TObject {
  DX_CLASS(TcxIUnknownObject, TObject)
public:
  template <class I>
  bool QueryInterface(I*& out) { return cxQueryInterface(this, out); }
  int32_t _AddRef() { return -1; }
  int32_t _Release() { return -1; }
};

class TcxInterfacedPersistent : public TPersistent {
  DX_CLASS(TcxInterfacedPersistent, TPersistent)
public:
  explicit TcxInterfacedPersistent(TPersistent* AOwner) : owner_(AOwner) {}
  TPersistent* Owner() const { return owner_; }
  TPersistent* GetOwner() override { return owner_; }
  template <class I>
  bool QueryInterface(I*& out) { return cxQueryInterface(this, out); }
  // The owner keeps this object alive.
  int32_t _AddRef() { return -1; }
  int32_t _Release() { return -1; }

private:
  TPersistent* owner_;
};

class TcxComponent : public TComponent {
  DX_COMPONENT_CLASS(TcxComponent, TComponent)
public:
  explicit TcxComponent(TComponent* AOwner) : TComponent(AOwner) {}
  // Marks itself destroying and clears the object links that point at it.
  ~TcxComponent() override;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Design-time links to the components ListFakeLinkComponents names; never stored.
  TComponent* FakeComponentLink1() const { return fakeLinks_[0]; }
  TComponent* FakeComponentLink2() const { return fakeLinks_[1]; }
  TComponent* FakeComponentLink3() const { return fakeLinks_[2]; }
  void SetFakeComponentLink1(TComponent* v) { SetComponentReference(fakeLinks_[0], v); }
  void SetFakeComponentLink2(TComponent* v) { SetComponentReference(fakeLinks_[1], v); }
  void SetFakeComponentLink3(TComponent* v) { SetComponentReference(fakeLinks_[2], v); }

protected:
  // Adds the components the links should show; nothing at this level.
  virtual void ListFakeLinkComponents(TList* List);
  // Only in the designer, not while destroying, and with an owner.
  void RefreshFakeComponentLinks();

private:
  TComponent* fakeLinks_[3] = {};
};

class TcxOwnedInterfacedCollection;

class TcxInterfacedCollectionItem : public TCollectionItem {
  DX_CLASS(TcxInterfacedCollectionItem, TCollectionItem)
public:
  explicit TcxInterfacedCollectionItem(TCollection* collection);
  template <class I>
  bool QueryInterface(I*& out) { return cxQueryInterface(this, out); }
  // Forwarded to the collection, which does not count either.
  int32_t _AddRef() { return -1; }
  int32_t _Release() { return -1; }
  // The collection's interface side when it has one, else null.
  TcxOwnedInterfacedCollection* OwnerInterface() const { return ownerInterface_; }

private:
  TcxOwnedInterfacedCollection* ownerInterface_ = nullptr;
};

class TcxOwnedInterfacedCollection : public TOwnedCollection {
  DX_CLASS(TcxOwnedInterfacedCollection, TOwnedCollection)
public:
  TcxOwnedInterfacedCollection(TPersistent* AOwner, TCollectionItemClass AItemClass);
  ~TcxOwnedInterfacedCollection() override;

  template <class I>
  bool QueryInterface(I*& out) { return cxQueryInterface(this, out); }
  int32_t _AddRef() { return -1; }
  int32_t _Release() { return -1; }

  // Sorted again whenever the whole collection changes.
  bool KeepSorted() const { return keepSorted_; }
  void SetKeepSorted(bool v) { keepSorted_ = v; }
  // Item is null for a change of the whole collection.
  std::function<void(TObject* Sender, TcxInterfacedCollectionItem* Item)> OnItemsUpdated;
  std::function<int32_t(TObject* Sender, TcxInterfacedCollectionItem* Item1, TcxInterfacedCollectionItem* Item2)>
      OnItemsCompare;

  // Sorts by OnItemsCompare, else DefaultCompare; not while updating or sorting already.
  void Sort();

protected:
  // The sign of the difference of the two indexes.
  virtual int32_t DefaultCompare(TcxInterfacedCollectionItem* Item1, TcxInterfacedCollectionItem* Item2);
  void Update(TCollectionItem* Item) override;

private:
  bool destroying_ = false, updating_ = false, sorting_ = false;
  bool keepSorted_ = false;
};

class TcxStringList : public TStringList {
  DX_CLASS(TcxStringList, TStringList)
public:
  using TStringList::TStringList;
  // Sorts with OnCompareStrings when it is assigned, else as TStringList does.
  void Sort() override;
  std::function<int32_t(TStringList* List, int32_t Index1, int32_t Index2)> OnCompareStrings;
};

// A list of objects that frees them on Clear and destruction when it owns them
// (first to last); Delete, Remove and Extract never free.
class TcxObjectList : public TList {
  DX_CLASS(TcxObjectList, TList)
public:
  explicit TcxObjectList(bool AOwnsItems = true) : ownsItems_(AOwnsItems) {}
  ~TcxObjectList() override;
  bool OwnsItems() const { return ownsItems_; }
  int32_t Add(TObject* obj) { return TList::Add(obj); }
  TObject* Items(int32_t index) const { return static_cast<TObject*>(TList::Items(index)); }
  void Clear() override;

private:
  bool ownsItems_;
};

using TcxEventHandler = std::function<void(TObject* Sender, const void* EventArgs)>;
class TcxEventHandlerCollection : public TObject {
  DX_CLASS(TcxEventHandlerCollection, TObject)
public:
  // Calls every handler in order, the first first.
  void InvokeHandlers(TObject* Sender, const void* EventArgs) const;
  int32_t Count() const { return int32_t(handlers_.size()); }

private:
  std::vector<TcxEventHandler> handlers_;
};

class TcxRegisteredClassListItemData : public TObject {
  DX_CLASS(TcxRegisteredClassListItemData, TObject)
public:
  TClass KeyClass = nullptr;
  TClass ValueClass = nullptr;
};

// Maps a key class to a value class; a lookup answers the value of the
// nearest registered ancestor. Ancestors stay before their descendants.
class TcxRegisteredClassList : public TObject {
  DX_CLASS(TcxRegisteredClassList, TObject)
public:
  TcxRegisteredClassList() = default;
  ~TcxRegisteredClassList() override;
  TcxRegisteredClassList(const TcxRegisteredClassList&) = delete;
  TcxRegisteredClassList& operator=(const TcxRegisteredClassList&) = delete;

  // True with Index at the nearest record whose key AClass descends from.
  // False otherwise; Index then holds the lowest record whose key descends
  // from AClass, or keeps its entry value.
  virtual bool Lookup(TClass AClass, int32_t& Index) const;
  virtual void RegisterPair(TClass AKeyClass, TClass AValueClass);
  // Removes every record with exactly this pair.
  virtual void UnregisterPair(TClass AKeyClass, TClass AValueClass);
  // Null when no registered key is AClass or one of its ancestors.
  TClass GetValueClass(TClass AClass) const;
  void RemoveAll();
  int32_t Count() const { return int32_t(items_.size()); }
  const TcxRegisteredClassListItemData& Items(int32_t index) const;

private:
  std::vector<std::unique_ptr<TcxRegisteredClassListItemData>> items_;
};

class TcxRegisteredClasses;

// Descriptions with their classes, for TcxRegisteredClasses.
class TcxRegisteredClassesStringList : public TStringList {
  DX_CLASS(TcxRegisteredClassesStringList, TStringList)
public:
  explicit TcxRegisteredClassesStringList(TcxRegisteredClasses* owner) : ownerRegistry_(owner) {}
  TcxRegisteredClasses* OwnerRegistry() const { return ownerRegistry_; }
  void AddClass(const std::string& description, TClass c);
  TClass Classes(int32_t index) const;

private:
  TcxRegisteredClasses* ownerRegistry_;
};

class TcxRegisteredClasses : public TObject {
  DX_CLASS(TcxRegisteredClasses, TObject)
public:
  explicit TcxRegisteredClasses(bool ARegisterForStreaming = false);
  ~TcxRegisteredClasses() override;

  // Nothing when AClass is already there (the first description stays).
  void AddClass(TClass AClass, const std::string& ADescription);
  // A streaming registration made by AddClass stays.
  void RemoveClass(TClass AClass);
  void Clear();
  int32_t Count() const;
  // The description up to its first "|".
  std::string Descriptions(int32_t index) const;
  TClass Classes(int32_t index) const;
  int32_t IndexOfClass(TClass AClass) const;
  // The first class, in list order, of exactly that name; null when none.
  TClass FindClassByName(std::string_view Name) const;

  bool RegisterForStreaming() const { return registerForStreaming_; }
  bool SortByDescription() const { return sortByDescription_; }
  void SetSortByDescription(bool v);

protected:
  virtual int32_t CompareDescriptions(int32_t Index1, int32_t Index2) const;
  virtual void SortClasses();

private:
  std::unique_ptr<TcxRegisteredClassesStringList> items_;
  bool registerForStreaming_;
  bool sortByDescription_ = false;
};

class TcxAutoWidthItem : public TObject {
  DX_CLASS(TcxAutoWidthItem, TObject)
public:
  int32_t MinimumWidth = 0;
  int32_t PreferredWidth = 0;
  bool IsFixed = false;
  int32_t CalculatedWidth = -1;  // -1: not decided yet
};

// Spreads WidthToFill over items in proportion to their preferred widths,
// never giving a free item less than its minimum.
class TcxAutoWidthObject : public TObject {
  DX_CLASS(TcxAutoWidthObject, TObject)
public:
  explicit TcxAutoWidthObject(int32_t ACount = 0);
  ~TcxAutoWidthObject() override;
  TcxAutoWidthObject(const TcxAutoWidthObject&) = delete;
  TcxAutoWidthObject& operator=(const TcxAutoWidthObject&) = delete;

  TcxAutoWidthItem* NewItem();
  int32_t Count() const { return int32_t(items_.size()); }
  TcxAutoWidthItem* Items(int32_t index) const;
  // Saturates at the Integer range.
  int32_t TotalPreferredWidth() const;
  void DistributeWidth();

  int32_t WidthToFill = 0;

private:
  std::vector<TcxAutoWidthItem*> items_;
};

// A weak reference: Target turns null when its object is destroyed.
class TcxObjectLink : public TObject {
  DX_CLASS(TcxObjectLink, TObject)
public:
  TObject* Target = nullptr;
};

// The process-wide list of links; it lives while at least one link is held.
class TcxObjectLinkController : public TObject {
  DX_CLASS(TcxObjectLinkController, TObject)
public:
  std::vector<TcxObjectLink*> Links;  // not owned
  int32_t RefCount = 0;
};

// Null for a null object; otherwise a new link to AObject.
TcxObjectLink* AddObjectLink(TObject* AObject);
// Frees the link (null is ignored); the controller goes with the last link.
void RemoveObjectLink(TcxObjectLink* ALink);
// Every link to AObject gets Target null; the links stay with their holders.
void ClearObjectLinks(TObject* AObject);
// The controller while links exist, else null.
TcxObjectLinkController* cxObjectLinkController();

// A weak link held for the length of a call that may free its object.
class TcxScopedObjectLink {
public:
  explicit TcxScopedObjectLink(TObject* AObject) : link_(AddObjectLink(AObject)) {}
  ~TcxScopedObjectLink() { RemoveObjectLink(link_); }
  TcxScopedObjectLink(const TcxScopedObjectLink&) = delete;
  TcxScopedObjectLink& operator=(const TcxScopedObjectLink&) = delete;
  bool Alive() const { return link_ && link_->Target; }

private:
  TcxObjectLink* link_;
};

// Tells OnComponentFreed about each watched component that is freed.
class TcxFreeNotificator : public TComponent {
  DX_COMPONENT_CLASS(TcxFreeNotificator, TComponent)
public:
  explicit TcxFreeNotificator(TComponent* AOwner) : TComponent(AOwner) {}
  void Watch(TComponent* AComponent);
  void Unwatch(TComponent* AComponent);
  std::function<void(TComponent* AComponent)> OnComponentFreed;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

class TcxComponentCollection;

// An item of a TcxComponentCollection that is itself a named, streamed component.
// Its destructor leaves the collection; by then the derived parts are gone.
class TcxComponentCollectionItem : public TComponent {
  DX_CLASS(TcxComponentCollectionItem, TComponent)
public:
  explicit TcxComponentCollectionItem(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxComponentCollectionItem() override;

  TcxComponentCollection* Collection() const { return collection_; }
  virtual void SetCollection(TcxComponentCollection* Value);
  int32_t ID() const { return id_; }
  // Position in the collection; -1 without one.
  int32_t Index() const;
  virtual void SetIndex(int32_t Value);
  virtual std::string GetDisplayName();

  TComponent* GetParentComponent() override;
  bool HasParent() override;
  void SetParentComponent(TComponent* Value) override;

protected:
  // The collection of AParent that holds items of this kind.
  virtual TcxComponentCollection* CollectionForParent(TComponent* AParent) = 0;
  // Tells the collection about a change of this item, or of all items.
  void Changed(bool AllItems);

private:
  friend class TcxComponentCollection;
  TcxComponentCollection* collection_ = nullptr;
  int32_t id_ = 0;
};

using TcxComponentCollectionChangeEvent =
    std::function<void(TObject* Sender, TcxComponentCollectionItem* AItem, TcxItemNotification AAction)>;

class TcxComponentCollection : public TPersistent {
  DX_CLASS(TcxComponentCollection, TPersistent)
public:
  // AItemClass must descend from TcxComponentCollectionItem and be creatable by name.
  TcxComponentCollection(TComponent* AHostComponent, TClass AItemClass);
  // Frees the items, last first, without telling the host.
  ~TcxComponentCollection() override;
  TcxComponentCollection(const TcxComponentCollection&) = delete;
  TcxComponentCollection& operator=(const TcxComponentCollection&) = delete;

  // A new item owned by the host's owner, placed through its SetParentComponent.
  TcxComponentCollectionItem* Add();
  // Frees every item; the host hears one inChanged at the end.
  void Clear();
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return hostComponent_; }

  virtual void BeginUpdate();
  virtual void EndUpdate(bool AForceUpdate = true);
  int32_t UpdateCount() const { return updateCount_; }
  int32_t Count() const { return int32_t(items_.size()); }
  // Bad index: EListError.
  TcxComponentCollectionItem* Items(int32_t index) const;
  int32_t IndexOf(const TcxComponentCollectionItem* item) const;
  TComponent* HostComponent() const { return hostComponent_; }
  TClass ItemClass() const { return itemClass_; }
  int32_t NextID() const { return nextId_; }

  TcxComponentCollectionChangeEvent OnCollectionChange;

protected:
  virtual void Notify(TcxComponentCollectionItem* AItem, TcxItemNotification AAction);
  virtual void AssignItemName(TcxComponentCollectionItem* AItem);
  virtual void Update(TcxComponentCollectionItem* AItem, TcxItemNotification AAction);
  // Update, unless an update is in progress.
  void Changed(TcxComponentCollectionItem* AItem = nullptr, TcxItemNotification AAction = inChanged);

private:
  friend class TcxComponentCollectionItem;
  void InsertItem(TcxComponentCollectionItem* AItem);
  void RemoveItem(TcxComponentCollectionItem* AItem);
  void MoveItem(TcxComponentCollectionItem* AItem, int32_t AIndex);

  TClass itemClass_;
  std::vector<TcxComponentCollectionItem*> items_;
  int32_t nextId_ = 0;
  TComponent* hostComponent_;
  int32_t updateCount_ = 0;
};

using TcxComponentListChangeEvent =
    std::function<void(TObject* Sender, TComponent* AComponent, TcxItemNotification AAction)>;
using TcxComponentListNotifyEvent =
    std::function<void(TObject* Sender, TComponent* AComponent, TListNotification AAction)>;

// A list of components it does not own; it accepts only AcceptedItemClass.
class TcxComponentList : public TComponentList {
  DX_CLASS(TcxComponentList, TComponentList)
public:
  TcxComponentList() : TComponentList(false) {}
  ~TcxComponentList() override;

  void Clear() override;
  void BeginUpdate() { ++updateCount_; }
  // Ends an update and announces inChanged with a null component.
  void EndUpdate();
  // Ends an update without a notice.
  void CancelUpdate() { --updateCount_; }
  int32_t UpdateCount() const { return updateCount_; }

  TcxComponentListChangeEvent OnListChanged;
  TcxComponentListNotifyEvent OnNotify;

protected:
  void Notify(void* Ptr, TListNotification Action) override;
  virtual void HandleNotification(TComponent* AComponent, TListNotification Action);
  virtual TClass AcceptedItemClass() const { return TComponent::StaticClass(); }
  void ListChanged(TComponent* AComponent, TcxItemNotification AAction);

private:
  int32_t updateCount_ = 0;
};

// ---- routines

// A method pointer as its two halves, for comparison. Not TMethod: that name
// is the streaming system's bound handler (platform/classes/typinfo.h), and
// code that streams must see both headers.
struct TcxMethodPointer {
  const void* Code = nullptr;
  const void* Data = nullptr;
};

// Every user-interface text of the toolbar library is read through this, so
// the resource-string loader (and a translation in it) sees each one.
std::string GetResourceString(PResStringRec AResString);
inline std::string GetResourceString(const TResStringRec& AResString) { return GetResourceString(&AResString); }

void CallNotifyEvent(TObject* Sender, const TNotifyEvent& AEvent);
bool SameMethod(const TcxMethodPointer& AMethod1, const TcxMethodPointer& AMethod2);
TSize MakeSizeValue(int32_t cx, int32_t cy);
// floor((A + B) / 2).
int32_t RangeCenter(int32_t A, int32_t B);
// The name a new component gets from its class name, prefix, suffix and number.
std::string BuildComponentName(TComponent* AParent, const std::string& AClassName, const std::string& APrefix,
                               int32_t N, const std::string& ASuffix);
// A name no other component of AOwner carries: AParent's name, the suffix (or
// the class name without APrefix or "T") and the first free number.
void MakeUniqueComponentName(TComponent* AOwner, TComponent* AParent, TComponent* AItem, std::string& AName,
                             const std::string& ASuffix = "", const std::string& APrefix = "");
// A hook of the calling thread only.
void SetThreadHook(win::HHOOK& AHook, int AHookKind, win::HOOKPROC AHookProc);
void ReleaseThreadHook(win::HHOOK& AHook);
// S up to its first "|".
std::string TextBeforeBar(const std::string& S);
