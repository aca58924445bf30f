#include "ui/lookandfeel/cxClasses.h"

#include <algorithm>
#include <limits>

#include "platform/rtl/intmath.h"
#include "platform/rtl/scopeexit.h"
#include "platform/rtl/sysutils.h"
#include "platform/win/winuser.h"

// ---- TcxComponent

TcxComponent::~TcxComponent() {
  if (!InState(csDestroying)) Destroying();
  ClearObjectLinks(this);
}

void TcxComponent::Loaded() {
  TComponent::Loaded();
  RefreshFakeComponentLinks();
}

void TcxComponent::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove)
    for (TComponent*& link : fakeLinks_)
      if (link == AComponent) link = nullptr;
}

void TcxComponent::ListFakeLinkComponents(TList*) {}

void TcxComponent::RefreshFakeComponentLinks() {
  if (!Designing() || InState(csDestroying) || !Owner()) return;
  // Holds TComponent pointers, as ListFakeLinkComponents adds them.
  TList list;
  ListFakeLinkComponents(&list);
  for (int32_t i = 0; i < 3; ++i)
    SetComponentReference(fakeLinks_[i], i < list.Count() ? static_cast<TComponent*>(list.Items(i)) : nullptr);
}

// ---- interfaced collection items and collections

TcxInterfacedCollectionItem::TcxInterfacedCollectionItem(TCollection* collection)
    : TCollectionItem(collection), ownerInterface_(dynamic_cast<TcxOwnedInterfacedCollection*>(collection)) {}

TcxOwnedInterfacedCollection::TcxOwnedInterfacedCollection(TPersistent* AOwner, TCollectionItemClass AItemClass)
    : TOwnedCollection(AOwner, std::move(AItemClass)) {}

TcxOwnedInterfacedCollection::~TcxOwnedInterfacedCollection() { destroying_ = true; }

int32_t TcxOwnedInterfacedCollection::DefaultCompare(TcxInterfacedCollectionItem* Item1,
                                                     TcxInterfacedCollectionItem* Item2) {
  const int32_t d = Item1->Index() - Item2->Index();
  return (d > 0) - (d < 0);
}

void TcxOwnedInterfacedCollection::Update(TCollectionItem* Item) {
  if (updating_) return;
  TValueScope<bool> updating(updating_, true);
  if (keepSorted_ && !Item) Sort();
  TOwnedCollection::Update(Item);
  if (!destroying_ && OnItemsUpdated) OnItemsUpdated(this, dynamic_cast<TcxInterfacedCollectionItem*>(Item));
}

void TcxOwnedInterfacedCollection::Sort() {
  if (UpdateCount() > 0 || sorting_) return;
  TValueScope<bool> sorting(sorting_, true);
  TcxStringList list;
  for (int32_t i = 0; i < Count(); ++i) list.AddObject(IntToStr(i), Items(i));
  list.OnCompareStrings = [this](TStringList* l, int32_t index1, int32_t index2) {
    auto* item1 = dynamic_cast<TcxInterfacedCollectionItem*>(l->Objects(index1));
    auto* item2 = dynamic_cast<TcxInterfacedCollectionItem*>(l->Objects(index2));
    return OnItemsCompare ? OnItemsCompare(this, item1, item2) : DefaultCompare(item1, item2);
  };
  list.Sort();
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  for (int32_t i = 0; i < list.Count(); ++i) static_cast<TCollectionItem*>(list.Objects(i))->SetIndex(i);
}

void TcxStringList::Sort() {
  if (OnCompareStrings) CustomSort(OnCompareStrings);
  else TStringList::Sort();
}

// ---- object lists and handlers

TcxObjectList::~TcxObjectList() { Clear(); }

void TcxObjectList::Clear() {
  if (ownsItems_)
    for (int32_t i = 0; i < Count(); ++i) delete Items(i);
  TList::Clear();
}

void TcxEventHandlerCollection::InvokeHandlers(TObject* Sender, const void* EventArgs) const {
  for (const TcxEventHandler& handler : handlers_)
    if (handler) handler(Sender, EventArgs);
}

// ---- registered class list

TcxRegisteredClassList::~TcxRegisteredClassList() { RemoveAll(); }

bool TcxRegisteredClassList::Lookup(TClass AClass, int32_t& Index) const {
  if (!AClass) return false;
  for (int32_t i = Count() - 1; i >= 0; --i) {
    TClass key = items_[size_t(i)]->KeyClass;
    if (AClass->InheritsFrom(key)) {
      Index = i;
      return true;
    }
    if (key->InheritsFrom(AClass)) Index = i;
  }
  return false;
}

void TcxRegisteredClassList::RegisterPair(TClass AKeyClass, TClass AValueClass) {
  if (!AKeyClass) return;
  auto record = std::make_unique<TcxRegisteredClassListItemData>();
  record->KeyClass = AKeyClass;
  record->ValueClass = AValueClass;
  int32_t index = -1;
  if (Lookup(AKeyClass, index)) ++index;
  else if (index == -1) index = Count();
  items_.insert(items_.begin() + index, std::move(record));
}

void TcxRegisteredClassList::UnregisterPair(TClass AKeyClass, TClass AValueClass) {
  for (int32_t i = Count() - 1; i >= 0; --i)
    if (items_[size_t(i)]->KeyClass == AKeyClass && items_[size_t(i)]->ValueClass == AValueClass)
      items_.erase(items_.begin() + i);
}

TClass TcxRegisteredClassList::GetValueClass(TClass AClass) const {
  int32_t index = -1;
  return Lookup(AClass, index) ? items_[size_t(index)]->ValueClass : nullptr;
}

void TcxRegisteredClassList::RemoveAll() { items_.clear(); }

const TcxRegisteredClassListItemData& TcxRegisteredClassList::Items(int32_t index) const {
  if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
  return *items_[size_t(index)];
}

// ---- registered classes

// The object slots carry class references, never objects.
void TcxRegisteredClassesStringList::AddClass(const std::string& description, TClass c) {
  AddObject(description, reinterpret_cast<TObject*>(const_cast<TClassInfo*>(c)));
}

TClass TcxRegisteredClassesStringList::Classes(int32_t index) const {
  return reinterpret_cast<TClass>(Objects(index));
}

TcxRegisteredClasses::TcxRegisteredClasses(bool ARegisterForStreaming)
    : items_(std::make_unique<TcxRegisteredClassesStringList>(this)), registerForStreaming_(ARegisterForStreaming) {}

TcxRegisteredClasses::~TcxRegisteredClasses() = default;

void TcxRegisteredClasses::AddClass(TClass AClass, const std::string& ADescription) {
  if (!AClass || IndexOfClass(AClass) >= 0) return;
  items_->AddClass(ADescription, AClass);
  if (sortByDescription_) SortClasses();
  if (registerForStreaming_) RegisterClass(AClass);
}

void TcxRegisteredClasses::RemoveClass(TClass AClass) {
  const int32_t index = IndexOfClass(AClass);
  if (index >= 0) items_->Delete(index);
}

void TcxRegisteredClasses::Clear() { items_->Clear(); }
int32_t TcxRegisteredClasses::Count() const { return items_->Count(); }
std::string TcxRegisteredClasses::Descriptions(int32_t index) const { return TextBeforeBar(items_->Strings(index)); }
TClass TcxRegisteredClasses::Classes(int32_t index) const { return items_->Classes(index); }

int32_t TcxRegisteredClasses::IndexOfClass(TClass AClass) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (items_->Classes(i) == AClass) return i;
  return -1;
}

TClass TcxRegisteredClasses::FindClassByName(std::string_view Name) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (Name == items_->Classes(i)->Name) return items_->Classes(i);
  return nullptr;
}

void TcxRegisteredClasses::SetSortByDescription(bool v) {
  if (sortByDescription_ == v) return;
  sortByDescription_ = v;
  if (v) SortClasses();
}

int32_t TcxRegisteredClasses::CompareDescriptions(int32_t Index1, int32_t Index2) const {
  return AnsiCompareText(items_->Strings(Index1), items_->Strings(Index2));
}

void TcxRegisteredClasses::SortClasses() {
  items_->CustomSort([this](TStringList*, int32_t i1, int32_t i2) { return CompareDescriptions(i1, i2); });
}

// ---- width distribution

namespace {

int32_t SaturatedAdd(int32_t a, int64_t b) {
  return int32_t(std::clamp<int64_t>(int64_t(a) + b, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

}  // namespace

TcxAutoWidthObject::TcxAutoWidthObject(int32_t ACount) { items_.reserve(size_t(std::max(ACount, 0))); }

TcxAutoWidthObject::~TcxAutoWidthObject() {
  while (!items_.empty()) {
    delete items_.back();
    items_.pop_back();
  }
}

TcxAutoWidthItem* TcxAutoWidthObject::NewItem() {
  auto item = std::make_unique<TcxAutoWidthItem>();
  items_.push_back(item.get());
  return item.release();
}

TcxAutoWidthItem* TcxAutoWidthObject::Items(int32_t index) const {
  if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
  return items_[size_t(index)];
}

int32_t TcxAutoWidthObject::TotalPreferredWidth() const {
  int32_t total = 0;
  for (const TcxAutoWidthItem* item : items_) total = SaturatedAdd(total, item->PreferredWidth);
  return total;
}

// Each free item gets the rounded end of its span minus the rounded start, so
// the shares of one pass add up to the available width exactly. A pass that
// pins items to their minimum is followed by one over the rest with the width
// that is left; a pass without pins by one that hands out every share.
void TcxAutoWidthObject::DistributeWidth() {
  int32_t newAvailable = WidthToFill;
  int32_t newTotal = TotalPreferredWidth();
  for (TcxAutoWidthItem* item : items_)
    if (item->IsFixed) {
      item->CalculatedWidth = item->PreferredWidth;
      newAvailable = SaturatedAdd(newAvailable, -int64_t(item->PreferredWidth));
      newTotal = SaturatedAdd(newTotal, -int64_t(item->PreferredWidth));
    }
  bool assignAll = false;
  bool minimumHit = false;
  do {
    const int32_t available = newAvailable;
    const int32_t total = newTotal;
    int32_t offset = 0;
    minimumHit = false;
    for (TcxAutoWidthItem* item : items_) {
      if (item->CalculatedWidth != -1) continue;
      const int32_t end = SaturatedAdd(offset, item->PreferredWidth);
      const int32_t share = MulDiv(end, available, total) - MulDiv(offset, available, total);
      // A negative minimum means none: a width is never below 0 because of it.
      const int32_t minimum = std::max(item->MinimumWidth, 0);
      if (assignAll) {
        item->CalculatedWidth = share;
      } else if (minimum >= share) {
        item->CalculatedWidth = minimum;
        newAvailable = SaturatedAdd(newAvailable, -int64_t(minimum));
        newTotal = SaturatedAdd(newTotal, -int64_t(item->PreferredWidth));
        minimumHit = true;
      }
      offset = end;
    }
    if (!minimumHit) assignAll = !assignAll;
  } while (newTotal != 0 && (minimumHit || assignAll));
  // Preferred widths that cancel out can end the loop early; no item stays undecided.
  for (TcxAutoWidthItem* item : items_)
    if (item->CalculatedWidth == -1) item->CalculatedWidth = std::max(item->MinimumWidth, 0);
}

// ---- object links

namespace {
TcxObjectLinkController* linkController = nullptr;
}  // namespace

TcxObjectLinkController* cxObjectLinkController() { return linkController; }

TcxObjectLink* AddObjectLink(TObject* AObject) {
  if (!AObject) return nullptr;
  auto link = std::make_unique<TcxObjectLink>();
  link->Target = AObject;
  if (!linkController) linkController = new TcxObjectLinkController;
  linkController->Links.push_back(link.get());
  ++linkController->RefCount;
  return link.release();
}

void RemoveObjectLink(TcxObjectLink* ALink) {
  if (!ALink) return;
  if (linkController) {
    auto& links = linkController->Links;
    if (ALink->Target) links.erase(std::remove(links.begin(), links.end(), ALink), links.end());
    if (--linkController->RefCount <= 0) {
      delete linkController;
      linkController = nullptr;
    }
  }
  delete ALink;
}

void ClearObjectLinks(TObject* AObject) {
  if (!linkController) return;
  auto& links = linkController->Links;
  for (size_t i = links.size(); i > 0; --i)
    if (links[i - 1]->Target == AObject) {
      links[i - 1]->Target = nullptr;
      links.erase(links.begin() + std::ptrdiff_t(i - 1));
    }
}

// ---- free notificator

void TcxFreeNotificator::Watch(TComponent* AComponent) {
  if (AComponent) AComponent->FreeNotification(this);
}

void TcxFreeNotificator::Unwatch(TComponent* AComponent) {
  if (AComponent) AComponent->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && OnComponentFreed) OnComponentFreed(AComponent);
}

// ---- routines

std::string GetResourceString(PResStringRec AResString) { return LoadResString(AResString); }

void CallNotifyEvent(TObject* Sender, const TNotifyEvent& AEvent) {
  if (AEvent) AEvent(Sender);
}

bool SameMethod(const TcxMethodPointer& AMethod1, const TcxMethodPointer& AMethod2) {
  return AMethod1.Code == AMethod2.Code && AMethod1.Data == AMethod2.Data;
}

TSize MakeSizeValue(int32_t cx, int32_t cy) { return {cx, cy}; }

int32_t RangeCenter(int32_t A, int32_t B) {
  const int64_t sum = int64_t(A) + B;
  return int32_t(sum > 0 ? sum >> 1 : (sum - 1) / 2);
}

std::string BuildComponentName(TComponent* AParent, const std::string& AClassName, const std::string& APrefix,
                               int32_t N, const std::string& ASuffix) {
  // Only identifier characters survive; every byte of a multi-byte character goes.
  std::string s;
  for (char c : ASuffix)
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z')) s += c;
  if ((s.empty() || (s[0] >= '0' && s[0] <= '9')) && !AClassName.empty()) {
    if (!APrefix.empty() && AClassName.size() >= APrefix.size() &&
        SameText(std::string_view(AClassName).substr(0, APrefix.size()), APrefix))
      s = AClassName.substr(APrefix.size()) + s;
    else
      s = (AClassName[0] == 'T' ? AClassName.substr(1) : AClassName) + s;
  }
  std::string name = AParent ? AParent->Name() + s : s;
  if (N > 0) name += IntToStr(N);
  return name;
}

void MakeUniqueComponentName(TComponent* AOwner, TComponent* AParent, TComponent* AItem, std::string& AName,
                             const std::string& ASuffix, const std::string& APrefix) {
  const std::string className = AItem ? AItem->ClassName() : std::string();
  auto taken = [&](const std::string& name) {
    if (!AOwner) return false;
    for (int32_t i = 0; i < AOwner->ComponentCount(); ++i) {
      TComponent* c = AOwner->Components(i);
      if (c != AItem && SameText(c->Name(), name)) return true;
    }
    return false;
  };
  for (int32_t n = ASuffix.empty() ? 1 : 0;; ++n) {
    AName = BuildComponentName(AParent, className, APrefix, n, ASuffix);
    if (!taken(AName) || n == std::numeric_limits<int32_t>::max()) return;
  }
}

void SetThreadHook(win::HHOOK& AHook, int AHookKind, win::HOOKPROC AHookProc) {
  AHook = win::SetWindowsHookEx(AHookKind, AHookProc, nullptr, win::GetCurrentThreadId());
}

void ReleaseThreadHook(win::HHOOK& AHook) {
  if (!AHook) return;
  win::UnhookWindowsHookEx(AHook);
  AHook = nullptr;
}

std::string TextBeforeBar(const std::string& S) { return S.substr(0, S.find('|')); }
