#include "shell/LvItems.h"

#include "platform/classes/streams.h"
#include "shell/LvColumns.h"
#include "shell/LvGroups.h"
#include "shell/LvStreamIO.h"

// ---------------------------------------------------------------- TLvItem

TLvItem::TLvItem(TLvCollection* collection) : TLvCollectionItem(collection) {}

TLvItems* TLvItem::OwnerItems() const { return dynamic_cast<TLvItems*>(Collection()); }

TLvGroup* TLvItem::OwnerGroup() const { return OwnerItems() ? OwnerItems()->OwnerGroup() : nullptr; }

TLvPaintInfoBasic* TLvItem::GetDefaultPaintInfo() {
  TLvOwnerListview* owner = OwnerListview();
  return owner ? owner->ItemPaintInfo() : nullptr;
}

TCustomImageList* TLvItem::StateImageList() {
  TLvOwnerListview* owner = OwnerListview();
  return owner ? owner->StateImageList() : nullptr;
}

void TLvItem::BeforeDestruction() {
  MarkDestroying();
  if (TLvOwnerListview* owner = OwnerListview()) {
    owner->ReleaseReferences(this);
    if (owner->AnchorItem() == this) owner->SetAnchorItem(nullptr);
    if (owner->FocusedItem() == this) owner->SetFocusedItem(nullptr);
  }
  SetVisible(false);
  TLvCollectionItem::BeforeDestruction();
  if (TLvOwnerListview* owner = OwnerListview()) owner->LeaveSelectionGroup(this);
}

bool TLvItem::MayChangeCheck(bool) { return Enabled() && AskOwner(lvnItemCheckChanging); }

bool TLvItem::MayChangeEnable(bool) { return AskOwner(lvnItemEnableChanging); }

bool TLvItem::MayChangeFocus(bool) { return AskOwner(lvnItemFocusChanging); }

bool TLvItem::MayChangeSelection(bool) { return AskOwner(lvnItemSelectionChanging); }

bool TLvItem::MayChangeVisibility(bool value) {
  TLvGroup* group = OwnerGroup();
  if (value && group && !group->Visible()) return false;
  return AskOwner(lvnItemVisibilityChanging);
}

void TLvItem::Freeing() { TellOwner(lvnItemFreeing); }

void TLvItem::GhostedGained() {
  if (!Destroying()) Invalidate(false);
}

void TLvItem::GhostedLost() {
  if (!Destroying()) Invalidate(false);
}

void TLvItem::CheckGained() {
  if (TLvOwnerListview* owner = OwnerListview()) {
    owner->ChangeCheckedCount(1);
    owner->Notify(lvnItemCheckChanged, this);
  }
  Invalidate(false);
}

void TLvItem::CheckLost() {
  if (TLvOwnerListview* owner = OwnerListview()) {
    owner->ChangeCheckedCount(-1);
    owner->Notify(lvnItemCheckChanged, this);
  }
  if (!Destroying()) Invalidate(false);
}

void TLvItem::EnableGained() {
  TellOwner(lvnItemEnableChanged);
  Invalidate(false);
}

void TLvItem::EnableLost() {
  TellOwner(lvnItemEnableChanged);
  Invalidate(false);
  if (TLvOwnerListview* owner = OwnerListview()) owner->LeaveSelectionGroup(this);
}

void TLvItem::FocusGained() {
  TLvOwnerListview* owner = OwnerListview();
  if (owner) {
    owner->Notify(lvnItemFocusChanged, this);
    owner->SetFocusedItem(this);
  }
  Invalidate(false);
  if (owner && owner->DrawsGroupSelections()) {
    owner->RebuildGroupSelections();
    owner->InvalidateWindow();
  }
}

void TLvItem::FocusLost() {
  TLvOwnerListview* owner = OwnerListview();
  if (owner) {
    if (owner->FocusedItem() == this) owner->SetFocusedItem(nullptr);
    owner->Notify(lvnItemFocusChanged, this);
  }
  if (Destroying()) return;
  // Painted once more as focused, so the old focus frame's area is repainted.
  Put(lsFocused, true);
  Invalidate(false);
  Put(lsFocused, false);
  if (owner && owner->DrawsGroupSelections()) owner->InvalidateWindow();
}

void TLvItem::HotTrackingGained(TPoint mousePos) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyHotTrack(lvnItemHotTrack, this, true, mousePos);
  Invalidate(true);
}

void TLvItem::HotTrackingLost(TPoint) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyHotTrack(lvnItemHotTrack, this, false, TPoint{0, 0});
  Invalidate(true);
}

void TLvItem::InvalidateSelection() {
  TLvOwnerListview* owner = OwnerListview();
  if (owner && owner->DrawsGroupSelections()) {
    owner->RebuildGroupSelections();
    owner->InvalidateWindow();
  } else {
    Invalidate(false);
  }
}

void TLvItem::SelectionGained() {
  if (TLvOwnerListview* owner = OwnerListview()) {
    owner->CountSelection(this, true);
    owner->Notify(lvnItemSelectionChanged, this);
  }
  InvalidateSelection();
}

void TLvItem::SelectionLost() {
  if (TLvOwnerListview* owner = OwnerListview()) {
    owner->CountSelection(this, false);
    owner->Notify(lvnItemSelectionChanged, this);
  }
  if (!Destroying()) InvalidateSelection();
}

void TLvItem::VisibilityGained() {
  if (TLvOwnerListview* owner = OwnerListview()) {
    owner->RebuildGroups(false);
    owner->Notify(lvnItemVisibilityChanged, this);
  }
}

void TLvItem::VisibilityLost() {
  if (TLvOwnerListview* owner = OwnerListview()) {
    owner->RebuildGroups(false);
    owner->Notify(lvnItemVisibilityChanged, this);
    owner->LeaveSelectionGroup(this);
  }
}

void TLvItem::Initialize() {
  TellOwner(lvnItemInitialize);
  Put(lsInitialized, true);
}

void TLvItem::Invalidate(bool immediateUpdate) {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner || !owner->CanInvalidate()) return;
  TRect meet;
  if (!IntersectRect(meet, LvClientRectToView(owner, owner->ClientRect(), true), DisplayRect)) return;
  owner->InvalidateRect(LvViewRectToClient(owner, DisplayRect, true), immediateUpdate);
}

void TLvItem::MakeVisible(int32_t position) {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner || !Visible()) return;
  const TRect bounds = DisplayRect;
  const TRect view = LvClientRectInViewCoordinates(owner);
  if (bounds.Left >= view.Left && bounds.Right <= view.Right && bounds.Top >= view.Top &&
      bounds.Bottom <= view.Bottom)
    return;
  switch (position) {
    case 0:
      owner->SetOffsetY(bounds.Top);
      owner->SetOffsetX(bounds.Left);
      break;
    case 1:
      // The item's centre on the centre of the area below the header.
      owner->SetOffsetY((bounds.Top + bounds.Bottom) / 2 - view.Height() / 2);
      owner->SetOffsetX((bounds.Left + bounds.Right) / 2 - view.Width() / 2);
      break;
    case 2:
      owner->SetOffsetY(bounds.Bottom - view.Height());
      owner->SetOffsetX(bounds.Right - view.Width());
      break;
    case 3:
      if (bounds.Bottom > view.Bottom)
        owner->SetOffsetY(bounds.Bottom - view.Height());
      else if (bounds.Top < view.Top)
        owner->SetOffsetY(bounds.Top);
      if (bounds.Right > view.Right || bounds.Left < view.Left) owner->SetOffsetX(bounds.Left);
      break;
    default:
      break;
  }
}

void TLvItem::LoadFromStream(TStream* stream, int32_t& version) {
  TLvCollectionItem::LoadFromStream(stream, version);
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyStream(lvnItemLoadFromStream, this, stream, version);
}

void TLvItem::SaveToStream(TStream* stream, int32_t version) {
  TLvCollectionItem::SaveToStream(stream, version);
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyStream(lvnItemSaveToStream, this, stream, version);
}

void TLvItem::ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender, bool& doDefault) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataThumbnailDraw(this, canvas, rect, blender, doDefault);
}

// ---------------------------------------------------------------- variants

void TLvItemStored::SetStateImageIndexes(int32_t column, int32_t value) {
  helper_.SetStateImageIndex(column, value);
  Invalidate(false);
}

int32_t TLvItemVirtual::GetGroupKey(int32_t column) {
  int32_t key = 0;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataGetGroupKey(this, column, key);
  return key;
}

void TLvItemVirtual::SetGroupKey(int32_t column, int32_t value) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataSetGroupKey(this, column, value);
}

TCustomImageList* TLvItemVirtual::GetStateImageList(int32_t column) {
  TCustomImageList* list = nullptr;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataGetStateImageList(this, column, list);
  return list ? list : StateImageList();
}

bool TLvItemInterfaced::GetChecked() {
  auto source = LvQuery<IListChecksSource>(DataInterface(), IID_IListChecksSource);
  return source && source->GetChecked(0);
}

void TLvItemInterfaced::SetChecked(bool value) {
  auto source = LvQuery<IListChecksSource>(DataInterface(), IID_IListChecksSource);
  if (!source) return;
  source->SetChecked(0, value);
  Invalidate(false);
}

int32_t TLvItemInterfaced::GetGroupKey(int32_t column) {
  auto source = LvQuery<IListGroupKeySource>(DataInterface(), IID_IListGroupKeySource);
  return source ? int32_t(source->GetGroupKey(column)) : 0;
}

void TLvItemInterfaced::SetGroupKey(int32_t column, int32_t value) {
  if (auto target = LvQuery<IListGroupKeyTarget>(DataInterface(), IID_IListGroupKeyTarget))
    target->SetGroupKey(column, uint32_t(value));
}

TCustomImageList* TLvItemInterfaced::GetStateImageList(int32_t column) {
  auto source = LvQuery<IListStateImageListSource>(DataInterface(), IID_IListStateImageListSource);
  TCustomImageList* list = source ? source->GetStateImageList(column) : nullptr;
  return list ? list : StateImageList();
}

void TLvItemInterfaced::ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender,
                                      bool& doDefault) {
  if (auto source = LvQuery<IListThumbnailSource>(DataInterface(), IID_IListThumbnailSource))
    source->ThumbnailDraw(canvas, rect, blender, doDefault);
}
