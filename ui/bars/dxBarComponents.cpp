#include "ui/bars/dxBarComponents.h"

#include <algorithm>

#include "ui/bars/dxBar.h"

// ---------------------------------------------------------------- groups and popup menus

namespace {
TComponentList* GroupsOf(TdxBarManager* m) { return m->GroupList(); }
TComponentList* PopupMenusOf(TdxBarManager* m) { return m->PopupMenuList(); }
}  // namespace

TdxBarGroup::~TdxBarGroup() { LeaveManager(GroupsOf); }

void TdxBarGroup::SetBarManager(TdxBarManager* Value) { MoveToManager(Value, GroupsOf); }

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
