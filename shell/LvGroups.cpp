#include "shell/LvGroups.h"

#include "platform/classes/streams.h"
#include "platform/com/oleacc.h"
#include "platform/rtl/scopeexit.h"
#include "shell/LvStreamIO.h"

// ---------------------------------------------------------------- TLvGroup

TLvGroup::TLvGroup(TLvCollection* collection)
    : TLvCollectionItem(collection), items_(std::make_unique<TLvItems>(OwnerListview(), this)) {
  SetChecked(true);
}

TLvGroup::~TLvGroup() = default;

void TLvGroup::BeforeDestruction() {
  MarkDestroying();
  SetSelected(false);
  SetFocused(false);
  items_.reset();
  TLvCollectionItem::BeforeDestruction();
  visibleItems_.Clear();
}

TLvGroups* TLvGroup::OwnerGroups() const { return dynamic_cast<TLvGroups*>(Collection()); }

TLvPaintInfoBasic* TLvGroup::GetDefaultPaintInfo() {
  TLvOwnerListview* owner = OwnerListview();
  return owner ? owner->GroupPaintInfo() : nullptr;
}

TLvPaintInfoBaseGroup* TLvGroup::GroupPaintInfo() { return dynamic_cast<TLvPaintInfoBaseGroup*>(PaintInfo()); }

TCustomImageList* TLvGroup::GetDefaultImageList(int32_t) {
  TLvOwnerListview* owner = OwnerListview();
  return owner ? owner->GroupImageList() : nullptr;
}

TLvItem* TLvGroup::VisibleItem(int32_t index) const {
  return index >= 0 && index < visibleItems_.Count() ? static_cast<TLvItem*>(visibleItems_.Items(index)) : nullptr;
}

TLvItem* TLvGroup::ItemByPoint(TPoint viewPoint) const {
  if (!items_) return nullptr;
  for (int32_t i = 0; i < items_->Count(); ++i)
    if (items_->Items(i)->DisplayRect.Contains(viewPoint)) return items_->Items(i);
  return nullptr;
}

void TLvGroup::SetExpanded(bool value) {
  TLvPaintInfoBaseGroup* info = GroupPaintInfo();
  if (value == expanded_ || (info && !info->Expandable)) return;
  TLvOwnerListview* owner = OwnerListview();
  if (!owner) {
    expanded_ = value;
    return;
  }
  owner->BeginUpdate();
  TScopeExit done([&] { owner->EndUpdate(true); });
  if (owner->HandleAllocated())
    win::NotifyWinEvent(win::EVENT_OBJECT_STATECHANGE, owner->Handle(), win::OBJID_CLIENT, win::CHILDID_SELF);
  expanded_ = value;
  owner->Notify(value ? lvnGroupExpand : lvnGroupCollapse, this);
  owner->RebuildGroups(true);
}

bool TLvGroup::MayChangeSelection(bool) { return AskOwner(lvnGroupSelectionChanging); }

bool TLvGroup::MayChangeVisibility(bool) { return AskOwner(lvnGroupVisibilityChanging); }

void TLvGroup::Freeing() { TellOwner(lvnGroupFreeing); }

void TLvGroup::CheckGained() {
  if (items_)
    for (int32_t i = 0; i < items_->Count(); ++i)
      if (items_->Items(i)->Visible()) items_->Items(i)->SetChecked(true);
  Invalidate(false);
}

void TLvGroup::CheckLost() {
  if (items_)
    for (int32_t i = 0; i < items_->Count(); ++i) items_->Items(i)->SetChecked(false);
  Invalidate(false);
}

void TLvGroup::EnableGained() {
  if (items_)
    for (int32_t i = 0; i < items_->Count(); ++i) items_->Items(i)->SetEnabled(true);
  Invalidate(false);
}

void TLvGroup::EnableLost() {
  if (items_)
    for (int32_t i = 0; i < items_->Count(); ++i) items_->Items(i)->SetEnabled(false);
  Invalidate(false);
}

void TLvGroup::HotTrackingGained(TPoint mousePos) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyHotTrack(lvnGroupHotTrack, this, true, mousePos);
  Invalidate(true);
}

void TLvGroup::HotTrackingLost(TPoint) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyHotTrack(lvnGroupHotTrack, this, false, TPoint{0, 0});
  Invalidate(true);
}

void TLvGroup::SelectionGained() { TellOwner(lvnGroupSelectionChanged); }

void TLvGroup::SelectionLost() { TellOwner(lvnGroupSelectionChanged); }

void TLvGroup::VisibilityGained() {
  TellOwner(lvnGroupVisibilityChanged);
  if (items_)
    for (int32_t i = 0; i < items_->Count(); ++i) items_->Items(i)->SetVisible(true);
}

void TLvGroup::VisibilityLost() {
  if (items_)
    for (int32_t i = 0; i < items_->Count(); ++i) items_->Items(i)->SetVisible(false);
  TellOwner(lvnGroupVisibilityChanged);
}

void TLvGroup::Initialize() { TellOwner(lvnGroupInitialize); }

void TLvGroup::SaveToStream(TStream* stream, int32_t version) {
  TLvCollectionItem::SaveToStream(stream, version);
  items_->WriteItems(stream);
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyStream(lvnGroupSaveToStream, this, stream, version);
}

void TLvGroup::LoadFromStream(TStream* stream, int32_t& version) {
  TLvCollectionItem::LoadFromStream(stream, version);
  // Reading the items clears the old ones first.
  if (!items_) items_ = std::make_unique<TLvItems>(OwnerListview(), this);
  items_->ReadItems(stream);
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyStream(lvnGroupLoadFromStream, this, stream, version);
}

// ---------------------------------------------------------------- variants

void TLvGroupTaskPanel::SetExpanded(bool value) {
  TLvBaseGroupStored::SetExpanded(value);
  if (TaskPanel && OnSizeControl) OnSizeControl(TaskPanel, Expanded() ? height_ : 0);
}

void TLvGroupTaskPanel::SetHeight(int32_t value) {
  if (value == height_) return;
  height_ = value;
  if (TLvOwnerListview* owner = OwnerListview()) owner->RebuildGroups(true);
}

void TLvGroupTaskPanel::LoadFromStream(TStream* stream, int32_t& version) {
  TLvBaseGroupStored::LoadFromStream(stream, version);
  height_ = LvReadInteger(stream);
}

void TLvGroupTaskPanel::SaveToStream(TStream* stream, int32_t version) {
  TLvBaseGroupStored::SaveToStream(stream, version);
  LvWriteInteger(stream, height_);
}

// ---------------------------------------------------------------- TLvGroups

TLvGroups::TLvGroups(TLvOwnerListview* owner) : TLvCollection(owner) {
  SetElementClass(TLvGroupStored::StaticClass());
}

TClass TLvGroups::ElementBaseClass() const { return TLvGroup::StaticClass(); }

TLvGroup* TLvGroups::FirstGroup(bool visibleOnly) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (!visibleOnly || Groups(i)->Visible()) return Groups(i);
  return nullptr;
}

TLvGroup* TLvGroups::LastGroup(bool visibleOnly) const {
  for (int32_t i = Count() - 1; i >= 0; --i)
    if (!visibleOnly || Groups(i)->Visible()) return Groups(i);
  return nullptr;
}

bool TLvGroups::Matches(TLvItem* item, int32_t searchType) const {
  switch (searchType) {
    case LvSearchVisible:
      return item->Visible();
    case LvSearchInitialized:
      return item->Initialized();
    case LvSearchFiltered: {
      TLvOwnerListview* owner = OwnerListview();
      return item->Visible() && (!owner || owner->ItemFilter(item));
    }
    default:
      return true;
  }
}

TLvItem* TLvGroups::FirstItem(int32_t searchType) const {
  for (int32_t g = 0; g < Count(); ++g) {
    TLvItems* items = Groups(g)->Items();
    for (int32_t i = 0; items && i < items->Count(); ++i)
      if (Matches(items->Items(i), searchType)) return items->Items(i);
  }
  return nullptr;
}

TLvItem* TLvGroups::LastItem(int32_t searchType) const {
  for (int32_t g = Count() - 1; g >= 0; --g) {
    TLvItems* items = Groups(g)->Items();
    for (int32_t i = items ? items->Count() - 1 : -1; i >= 0; --i)
      if (Matches(items->Items(i), searchType)) return items->Items(i);
  }
  return nullptr;
}

TLvItem* TLvGroups::NavigateItem(TLvItem* item, int32_t searchType, bool backwards) const {
  if (!item || !item->OwnerGroup()) return nullptr;
  const int32_t step = backwards ? -1 : 1;
  int32_t g = IndexOf(item->OwnerGroup());
  int32_t i = item->Index() + step;
  while (g >= 0 && g < Count()) {
    TLvGroup* group = Groups(g);
    TLvItems* items = group->Items();
    if (group->Expanded() && group->Enabled() && items) {
      for (; i >= 0 && i < items->Count(); i += step)
        if (Matches(items->Items(i), searchType)) return items->Items(i);
    }
    g += step;
    if (g >= 0 && g < Count()) {
      TLvItems* next = Groups(g)->Items();
      i = backwards ? (next ? next->Count() - 1 : -1) : 0;
    }
  }
  return nullptr;
}

TLvGroup* TLvGroups::GroupByPoint(TPoint viewPoint) const {
  for (int32_t g = 0; g < Count(); ++g)
    if (Groups(g)->Visible() && Groups(g)->Enabled() && Groups(g)->DisplayRect.Contains(viewPoint))
      return Groups(g);
  return nullptr;
}

TLvGroup* TLvGroups::GroupAtPoint(TPoint viewPoint) const {
  for (int32_t g = 0; g < Count(); ++g)
    if (Groups(g)->DisplayRect.Contains(viewPoint)) return Groups(g);
  return nullptr;
}

TLvItem* TLvGroups::ItemByPoint(TPoint viewPoint) const {
  TLvGroup* group = GroupByPoint(viewPoint);
  return group ? group->ItemByPoint(viewPoint) : nullptr;
}

int32_t TLvGroups::ItemCount() const {
  int32_t n = 0;
  for (int32_t g = 0; g < Count(); ++g) n += Groups(g)->Items() ? Groups(g)->Items()->Count() : 0;
  return n;
}

TRect TLvGroups::ViewRect() {
  auto* last = static_cast<TLvGroup*>(LastVisible());
  return last ? TRect(0, 0, last->DisplayRect.Right, last->DisplayRect.Bottom) : TRect();
}

TLvGroup* TLvGroups::VisibleGroups(int32_t index) {
  return index >= 0 && index < VisibleCount() ? static_cast<TLvGroup*>(VisibleList().Items(index)) : nullptr;
}
