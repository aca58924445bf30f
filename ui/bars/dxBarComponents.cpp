#include "ui/bars/dxBarComponents.h"

#include <algorithm>

#include "platform/rtl/scopeexit.h"

#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarStrs.h"

// ---------------------------------------------------------------- groups and popup menus

namespace {
TComponentList* GroupsOf(TdxBarManager* m) { return m->GroupList(); }
}  // namespace

// ---- component lists

TdxBarComponentList::~TdxBarComponentList() {
  BeginUpdate();
  Clear();
}

void TdxBarComponentList::HandleNotification(TComponent* AComponent, TListNotification Action) {
  TObjectList* listeners = static_cast<TdxBarComponent*>(AComponent)->ChangeListeners();
  if (Action == lnAdded) listeners->Add(this);
  else if (!AComponent->InState(csDestroying)) listeners->Remove(this);
  TcxComponentList::HandleNotification(AComponent, Action);
}

// ---- groups

TdxBarGroup::TdxBarGroup(TComponent* AOwner)
    : TdxBarComponent(AOwner), members_(std::make_unique<TdxBarComponentList>()) {}

TdxBarGroup::~TdxBarGroup() {
  Destroying();
  LeaveManager(GroupsOf);
}

void TdxBarGroup::SetBarManager(TdxBarManager* Value) { MoveToManager(Value, GroupsOf); }

bool TdxBarGroup::Contains(const TdxBarGroup* AGroup) const {
  for (int32_t i = 0; i < GetCount(); ++i) {
    TdxBarComponent* member = GetItem(i);
    if (member == AGroup) return true;
    if (auto* group = dynamic_cast<TdxBarGroup*>(member); group && group->Contains(AGroup)) return true;
  }
  return false;
}

void TdxBarGroup::Add(TdxBarComponent* AComponent) {
  if (!AComponent || IndexOf(AComponent) >= 0) return;
  if (AComponent == this)
    throw EdxException(GetResourceString(dxSBAR_RECURSIVEGROUPS));
  if (auto* group = dynamic_cast<TdxBarGroup*>(AComponent); group && group->Contains(this))
    throw EdxException(GetResourceString(dxSBAR_RECURSIVEGROUPS));
  members_->Add(AComponent);
}

int32_t TdxBarGroup::GetIndex() const {
  return barManager_ ? barManager_->GroupList()->IndexOf(const_cast<TdxBarGroup*>(this)) : -1;
}

void TdxBarGroup::SetIndex(int32_t NewIndex) {
  if (!barManager_) return;
  const int32_t current = GetIndex();
  if (current >= 0 && NewIndex != current) barManager_->GroupList()->Move(current, NewIndex);
}

void TdxBarGroup::Switch(const std::function<void(TdxBarComponent*)>& ASwitch) {
  const bool locked = barManager_ && !Loading() && !InState(csDestroying);
  if (locked) barManager_->BeginBarsUpdate();
  TScopeExit unlock([&] {
    if (locked) barManager_->EndBarsUpdate(true);
  });
  for (int32_t i = 0; i < GetCount(); ++i) ASwitch(GetItem(i));
}

void TdxBarGroup::SetEnabled(bool Value) {
  enabled_ = Value;
  Switch([Value](TdxBarComponent* c) { c->SetEnabled(Value); });
}

void TdxBarGroup::SetVisible(TdxBarItemVisible Value) {
  visible_ = Value;
  Switch([Value](TdxBarComponent* c) { c->SetVisible(Value); });
}

void TdxBarGroup::SetName(const std::string& NewName) {
  TdxBarComponent::SetName(NewName);
  NotifyChangeListeners(false);
}

TComponent* TdxBarGroup::GetParentComponent() { return barManager_; }

void TdxBarGroup::SetParentComponent(TComponent* Value) {
  TdxBarComponent::SetParentComponent(Value);
  if (auto* manager = dynamic_cast<TdxBarManager*>(Value)) SetBarManager(manager);
}

// ---------------------------------------------------------------- categories

TdxBarCategoryData* TdxBarManagerCategories::Data(int32_t Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return static_cast<TdxBarCategoryData*>(Objects(Index));
}

TdxBarCategoryData* TdxBarManagerCategories::NeedData(int32_t Index) {
  TdxBarCategoryData* data = Data(Index);
  if (!data) {
    data = new TdxBarCategoryData;
    PutObject(Index, data);
  }
  return data;
}

TdxBarManagerCategories::TdxBarManagerCategories(TdxBarManager* ABarManager)
    : TStringList(true), barManager_(ABarManager) {
  if (!barManager_->InLoading()) AddDefault();
  OnChange = [this](TObject*) { barManager_->NotifyDesignerModified(); };
}

void TdxBarManagerCategories::AddDefault() { Add(GetResourceString(dxSBAR_DEFAULTCATEGORYNAME)); }

void TdxBarManagerCategories::ItemsOf(int32_t ACategory, TList* AList) const {
  barManager_->GetItemsOfCategory(ACategory, AList);
}

void TdxBarManagerCategories::SetCategoryOfItems(int32_t AFrom, int32_t ATo) {
  if (!IsValidCategory(AFrom) || ATo < 0) return;
  TList items;
  ItemsOf(AFrom, &items);
  for (void* item : items) static_cast<TdxBarItem*>(item)->WriteCategory(ATo);
}

void TdxBarManagerCategories::Delete(int32_t Index) {
  if (moving_) {
    TStringList::Delete(Index);
  } else if (IsValidCategory(Index)) {
    {
      TObjectList doomed(true);
      ItemsOf(Index, &doomed);
    }
    for (int32_t j = Index + 1; j < Count(); ++j) SetCategoryOfItems(j, j - 1);
    TStringList::Delete(Index);
  }
  if (Count() == 0) AddDefault();
}

void TdxBarManagerCategories::InsertObject(int32_t Index, const std::string& S, TObject* AObject) {
  if (!moving_ && IsValidCategory(Index))
    for (int32_t j = Count() - 1; j >= Index; --j) SetCategoryOfItems(j, j + 1);
  TStringList::InsertObject(Index, S, AObject);
}

void TdxBarManagerCategories::Exchange(int32_t Index1, int32_t Index2) {
  if (!IsValidCategory(Index1) || !IsValidCategory(Index2)) return;
  TList first, second;
  ItemsOf(Index1, &first);
  ItemsOf(Index2, &second);
  for (void* item : first) static_cast<TdxBarItem*>(item)->SetCategory(Index2);
  for (void* item : second) static_cast<TdxBarItem*>(item)->SetCategory(Index1);
  TStringList::Exchange(Index1, Index2);
}

void TdxBarManagerCategories::Move(int32_t CurIndex, int32_t NewIndex) {
  if (!IsValidCategory(CurIndex) || !IsValidCategory(NewIndex) || CurIndex == NewIndex) return;
  // Parked out of the way while the others shift.
  constexpr int32_t kParked = -1000;
  TList moved;
  ItemsOf(CurIndex, &moved);
  for (void* item : moved) static_cast<TdxBarItem*>(item)->WriteCategory(kParked);
  if (CurIndex < NewIndex)
    for (int32_t j = CurIndex; j < NewIndex; ++j) SetCategoryOfItems(j + 1, j);
  else
    for (int32_t j = CurIndex; j > NewIndex; --j) SetCategoryOfItems(j - 1, j);
  for (void* item : moved) static_cast<TdxBarItem*>(item)->WriteCategory(NewIndex);
  moving_ = true;
  TScopeExit done([this] { moving_ = false; });
  TStringList::Move(CurIndex, NewIndex);
}

// ---------------------------------------------------------------- image options

TdxBarImageOptions::TdxBarImageOptions(TdxBarManager* AOwner)
    : owner_(AOwner), freeNotificator_(std::make_unique<TcxFreeNotificator>(nullptr)) {
  for (size_t i = 0; i < links_.size(); ++i) {
    links_[i] = std::make_unique<TChangeLink>();
    links_[i]->OnChange = [this, i](TObject*) { Notify(TdxBarImageOptionsChange(i)); };
  }
  freeNotificator_->OnComponentFreed = [this](TComponent* c) { ImageListFreed(c); };
}

// The list is being destroyed: it is neither asked to drop the change link
// nor watched any longer, only forgotten.
void TdxBarImageOptions::ImageListFreed(TComponent* AComponent) {
  for (TdxBarImageOptionsChange i : {icDisabledLargeImages, icDisabledImages, icHotImages, icImages, icLargeImages})
    if (lists_[i] && lists_[i] == AComponent) {
      lists_[i] = nullptr;
      links_[i]->SetSender(nullptr);
      Notify(i);
    }
}

bool TdxBarImageOptions::IsLoading() const {
  return std::any_of(lists_.begin(), lists_.end(), [](TCustomImageList* l) { return l && l->Loading(); });
}

void TdxBarImageOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarImageOptions*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  SetDisabledImages(source->DisabledImages());
  SetDisabledLargeImages(source->DisabledLargeImages());
  SetHotImages(source->HotImages());
  SetImageListBkColor(source->ImageListBkColor());
  SetImages(source->Images());
  SetLargeImages(source->LargeImages());
  SetLargeIcons(source->LargeIcons());
  SetMakeDisabledImagesFaded(source->MakeDisabledImagesFaded());
  SmoothGlyphs = source->SmoothGlyphs;
  StretchGlyphs = source->StretchGlyphs;
  SetUseLargeImagesForLargeIcons(source->UseLargeImagesForLargeIcons());
  SetUseLeftBottomPixelAsTransparent(source->UseLeftBottomPixelAsTransparent());
}

TdxBarImageOptions::~TdxBarImageOptions() {
  for (size_t i = 0; i < lists_.size(); ++i)
    if (lists_[i]) lists_[i]->UnRegisterChanges(links_[i].get());
}

TPersistent* TdxBarImageOptions::GetOwner() { return owner_; }

void TdxBarImageOptions::SetList(TdxBarImageOptionsChange Which, TCustomImageList* Value) {
  TCustomImageList*& list = lists_[Which];
  if (list == Value) return;
  if (TCustomImageList* old = list) {
    old->UnRegisterChanges(links_[Which].get());
    list = nullptr;
    // One list may serve several slots; it stays watched while one holds it.
    if (std::find(lists_.begin(), lists_.end(), old) == lists_.end()) freeNotificator_->Unwatch(old);
  }
  list = Value;
  if (list) {
    list->RegisterChanges(links_[Which].get());
    freeNotificator_->Watch(list);
  }
  Notify(Which);
}

void TdxBarImageOptions::SetFlag(bool& Field, bool Value, TdxBarImageOptionsChange Which) {
  if (Field == Value) return;
  Field = Value;
  Notify(Which);
}

void TdxBarImageOptions::SetImageListBkColor(TColor Value) {
  if (imageListBkColor_ == Value) return;
  imageListBkColor_ = Value;
  Notify(icImageListBkColor);
}

void TdxBarImageOptions::Notify(TdxBarImageOptionsChange Which) {
  if (owner_) owner_->ImageOptionsChanged(Which);
}

int32_t TdxBarImageOptions::GlyphSize() const {
  if (!largeIcons_) return 16;
  if (UsesLargeImages()) return lists_[3]->Width();
  return 32;
}

// ---------------------------------------------------------------- backgrounds and popup-menu links

TPersistent* TdxBarBackgrounds::GetOwner() { return owner_; }

void TdxBarBackgrounds::Changed() {
  if (owner_) owner_->StyleChanged();
}

TPersistent* TdxBarPopupMenuLinks::GetOwner() { return owner_; }

TdxBarPopupMenuLink* TdxBarPopupMenuLinks::Add() {
  links_.push_back(std::make_unique<TdxBarPopupMenuLink>());
  return links_.back().get();
}

// ---------------------------------------------------------------- item-class registry

TdxBarItemList::~TdxBarItemList() {
  for (int32_t i = Count() - 1; i >= 0; --i) RemoveRegistration(i);
}

void TdxBarItemList::AddRegistration(TClass AItemClass, TClass AItemControlClass, bool AVisible) {
  auto record = std::make_unique<TRegItemRecord>(AItemClass, AItemControlClass, AVisible);
  Add(record.get());
  record.release();
  RegisterClass(AItemClass);
}

void TdxBarItemList::RemoveRegistration(int32_t AIndex) {
  std::unique_ptr<TRegItemRecord> record(RecordAt(AIndex));
  Delete(AIndex);
  // A class registered twice stays known while a record still names it.
  for (int32_t i = 0; i < Count(); ++i)
    if (ItemClassAt(i) == record->ItemClass) return;
  UnRegisterClass(record->ItemClass);
}

int32_t TdxBarItemList::VisibleItemCount() const {
  int32_t n = 0;
  for (int32_t i = 0; i < Count(); ++i) n += RecordAt(i)->Visible ? 1 : 0;
  return n;
}

TClass TdxBarItemList::VisibleItemClass(int32_t AIndex) const {
  if (AIndex < 0) return nullptr;
  for (int32_t i = 0; i < Count(); ++i)
    if (RecordAt(i)->Visible && AIndex-- == 0) return ItemClassAt(i);
  return nullptr;
}

TClass TdxBarItemList::ItemControlClassOf(TClass AItemClass) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (ItemClassAt(i) == AItemClass) return RecordAt(i)->ItemControlClass;
  return nullptr;
}

namespace {
struct TRegistryHolder {
  std::unique_ptr<TdxBarItemList> list;
  bool freed = false;
};
TRegistryHolder& RegistryHolder() {
  static TRegistryHolder holder;
  return holder;
}
}  // namespace

TdxBarItemList* ItemClassRegistry() {
  TRegistryHolder& h = RegistryHolder();
  if (!h.list && !h.freed) h.list = std::make_unique<TdxBarItemList>();
  return h.list.get();
}

void FreeItemClassRegistry() {
  TRegistryHolder& h = RegistryHolder();
  h.freed = true;
  h.list.reset();
}

void RegisterBarItemClass(TClass AItemClass, TClass AItemControlClass, bool AVisible) {
  if (TdxBarItemList* registry = ItemClassRegistry())
    registry->AddRegistration(AItemClass, AItemControlClass, AVisible);
}
