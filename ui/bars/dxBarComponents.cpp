#include "ui/bars/dxBarComponents.h"

#include <algorithm>

#include "platform/rtl/scopeexit.h"

#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarStrs.h"

// ---------------------------------------------------------------- groups and popup menus

namespace {
TComponentList* GroupsOf(TdxBarManager* m) { return m->GroupList(); }
TComponentList* PopupMenusOf(TdxBarManager* m) { return m->PopupMenuList(); }
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

int32_t TdxBarGroup::GetIndex() const { return barManager_ ? barManager_->GroupList()->IndexOf(const_cast<TdxBarGroup*>(this)) : -1; }

void TdxBarGroup::SetIndex(int32_t NewIndex) {
  if (!barManager_) return;
  const int32_t current = GetIndex();
  if (current >= 0 && NewIndex != current) barManager_->GroupList()->Move(current, NewIndex);
}

void TdxBarGroup::Switch(bool ALocked, const std::function<void(TdxBarComponent*)>& ASwitch) {
  ALocked = ALocked && barManager_ && !Loading() && !InState(csDestroying);
  if (ALocked) barManager_->BeginBarsUpdate();
  TScopeExit unlock([&] {
    if (ALocked) barManager_->EndBarsUpdate(true);
  });
  for (int32_t i = 0; i < GetCount(); ++i) ASwitch(GetItem(i));
}

void TdxBarGroup::SetEnabled(bool Value) {
  enabled_ = Value;
  Switch(true, [Value](TdxBarComponent* c) { c->SetEnabled(Value); });
}

void TdxBarGroup::SetVisible(TdxBarItemVisible Value) {
  visible_ = Value;
  Switch(true, [Value](TdxBarComponent* c) { c->SetVisible(Value); });
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

TdxBarPopupMenu::~TdxBarPopupMenu() { LeaveManager(PopupMenusOf); }

void TdxBarPopupMenu::SetBarManager(TdxBarManager* Value) { MoveToManager(Value, PopupMenusOf); }

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

// ---------------------------------------------------------------- image options

TdxBarImageOptions::TdxBarImageOptions(TdxBarManager* AOwner)
    : owner_(AOwner), freeNotificator_(std::make_unique<TcxFreeNotificator>(nullptr)) {
  for (size_t i = 0; i < links_.size(); ++i) {
    links_[i] = std::make_unique<TChangeLink>();
    links_[i]->OnChange = [this, i](TObject*) { ListChanged(TdxBarImageOptionsChange(i)); };
  }
  // A freed image list leaves the options as if it had been set to null.
  freeNotificator_->OnComponentFreed = [this](TComponent* c) {
    for (size_t i = 0; i < lists_.size(); ++i)
      if (lists_[i] == c) {
        lists_[i] = nullptr;
        links_[i]->SetSender(nullptr);
        ListChanged(TdxBarImageOptionsChange(i));
      }
  };
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
  ListChanged(Which);
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

void TdxBarImageOptions::ListChanged(TdxBarImageOptionsChange Which) { Notify(Which); }

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
