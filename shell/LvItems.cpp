#include "shell/LvItems.h"

#include <algorithm>

#include "platform/classes/streams.h"
#include "platform/rtl/text.h"
#include "shell/LvColumns.h"
#include "shell/LvGroups.h"
#include "shell/LvStreamIO.h"

// ---------------------------------------------------------------- data helpers

int32_t TLvDynamicDataHelper::Get(const std::vector<int32_t>& a, int32_t index, int32_t fallback) {
  return index >= 0 && size_t(index) < a.size() ? a[size_t(index)] : fallback;
}

void TLvDynamicDataHelper::Put(std::vector<int32_t>& a, int32_t index, int32_t value, int32_t fill) {
  if (index < 0) return;
  if (size_t(index) >= a.size()) a.resize(size_t(index) + 1, fill);
  a[size_t(index)] = value;
}

std::string TLvDynamicDataHelper::Caption(int32_t index) const {
  return index >= 0 && size_t(index) < Captions.size() ? Captions[size_t(index)] : std::string();
}

void TLvDynamicDataHelper::SetCaption(int32_t index, const std::string& value) {
  if (index < 0) return;
  if (size_t(index) >= Captions.size()) Captions.resize(size_t(index) + 1);
  Captions[size_t(index)] = value;
}

void TLvDynamicDataHelper::ReadArray(TStream* stream, std::vector<int32_t>& a) {
  a.clear();
  const int32_t count = LvReadInteger(stream);
  LvCheckCount(stream, count, 4);
  a.resize(size_t(count));
  for (int32_t& v : a) v = LvReadInteger(stream);
}

void TLvDynamicDataHelper::WriteArray(TStream* stream, const std::vector<int32_t>& a) {
  LvWriteInteger(stream, int32_t(a.size()));
  for (int32_t v : a) LvWriteInteger(stream, v);
}

void TLvDynamicDataHelper::LoadFromStream(TStream* stream, int32_t /*version*/) {
  Captions.clear();
  const int32_t count = LvReadInteger(stream);
  LvCheckCount(stream, count, 4);
  Captions.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) {
    const int32_t length = LvReadInteger(stream);
    LvCheckCount(stream, length, 2);
    std::u16string units(size_t(length), u'\0');
    for (char16_t& u : units) u = char16_t(LvReadWord(stream));
    Captions.push_back(Utf16ToUtf8(units));
  }
  ReadArray(stream, Details);
  ReadArray(stream, ImageIndexes);
  ReadArray(stream, OverlayIndexes);
}

void TLvDynamicDataHelper::SaveToStream(TStream* stream, int32_t /*version*/) {
  LvWriteInteger(stream, int32_t(Captions.size()));
  for (const std::string& caption : Captions) {
    const std::u16string units = Utf8ToUtf16(caption);
    LvWriteInteger(stream, int32_t(units.size()));
    for (char16_t u : units) LvWriteWord(stream, uint16_t(u));
  }
  WriteArray(stream, Details);
  WriteArray(stream, ImageIndexes);
  WriteArray(stream, OverlayIndexes);
}

void TLvItemDynamicDataHelper::LoadFromStream(TStream* stream, int32_t version) {
  TLvDynamicDataHelper::LoadFromStream(stream, version);
  ReadArray(stream, GroupKeys);
  if (version > 2)
    ReadArray(stream, StateImageIndexes);
  else
    StateImageIndexes.clear();
}

void TLvItemDynamicDataHelper::SaveToStream(TStream* stream, int32_t version) {
  TLvDynamicDataHelper::SaveToStream(stream, version);
  WriteArray(stream, GroupKeys);
  WriteArray(stream, StateImageIndexes);
}

// ---------------------------------------------------------------- TLvItem

TLvItem::TLvItem(TLvCollection* collection) : TLvCollectionItem(collection) {}

TLvItems* TLvItem::OwnerItems() const { return static_cast<TLvItems*>(Collection()); }

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

bool TLvItem::MayChangeCheck(bool) {
  TLvOwnerListview* owner = OwnerListview();
  return Enabled() && (!owner || owner->NotifyChanging(lvnItemCheckChanging, this));
}

bool TLvItem::MayChangeEnable(bool) {
  TLvOwnerListview* owner = OwnerListview();
  return !owner || owner->NotifyChanging(lvnItemEnableChanging, this);
}

bool TLvItem::MayChangeFocus(bool) {
  TLvOwnerListview* owner = OwnerListview();
  return !owner || owner->NotifyChanging(lvnItemFocusChanging, this);
}

bool TLvItem::MayChangeSelection(bool) {
  TLvOwnerListview* owner = OwnerListview();
  return !owner || owner->NotifyChanging(lvnItemSelectionChanging, this);
}

bool TLvItem::MayChangeVisibility(bool value) {
  TLvGroup* group = OwnerGroup();
  if (value && group && !group->Visible()) return false;
  TLvOwnerListview* owner = OwnerListview();
  return !owner || owner->NotifyChanging(lvnItemVisibilityChanging, this);
}

void TLvItem::Freeing() {
  if (TLvOwnerListview* owner = OwnerListview()) owner->Notify(lvnItemFreeing, this);
}

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
  if (TLvOwnerListview* owner = OwnerListview()) owner->Notify(lvnItemEnableChanged, this);
  Invalidate(false);
}

void TLvItem::EnableLost() {
  if (TLvOwnerListview* owner = OwnerListview()) owner->Notify(lvnItemEnableChanged, this);
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
  if (TLvOwnerListview* owner = OwnerListview()) owner->Notify(lvnItemInitialize, this);
  Put(lsInitialized, true);
}

void TLvItem::Invalidate(bool immediateUpdate) {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner || owner->Updating() || !owner->HandleAllocated()) return;
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
  TLvHeader* header = owner->Header();
  const int32_t headerHeight = header ? header->LiveHeight() : 0;
  const int32_t clientWidth = owner->ClientWidth(), clientHeight = owner->ClientHeight();
  switch (position) {
    case 0:
      owner->SetOffsetY(bounds.Top);
      owner->SetOffsetX(bounds.Left);
      break;
    case 1:
      // The item's centre on the centre of the area below the header.
      owner->SetOffsetY((bounds.Top + bounds.Bottom) / 2 - (clientHeight - headerHeight) / 2);
      owner->SetOffsetX((bounds.Left + bounds.Right) / 2 - clientWidth / 2);
      break;
    case 2:
      owner->SetOffsetY(bounds.Bottom - clientHeight + headerHeight);
      owner->SetOffsetX(bounds.Right - clientWidth);
      break;
    case 3:
      if (bounds.Bottom > view.Bottom)
        owner->SetOffsetY(bounds.Bottom - clientHeight + headerHeight);
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

void TLvItem::ImageDraw(int32_t column, TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataImageDraw(this, column, canvas, rect, blender);
}

void TLvItem::ImageDrawGetSize(int32_t column, int32_t& width, int32_t& height) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataImageGetSize(this, column, width, height);
}

void TLvItem::ImageDrawIsCustom(int32_t column, bool& isCustom) {
  isCustom = false;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataImageIsCustom(this, column, isCustom);
}

void TLvItem::ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender, bool& doDefault) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataThumbnailDraw(this, canvas, rect, blender, doDefault);
}

// ---------------------------------------------------------------- TLvItemStored

TObject* TLvItemStored::Make(TObject* collection) {
  return new TLvItemStored(dynamic_cast<TLvCollection*>(collection));
}

void TLvItemStored::SetCaptions(int32_t column, const std::string& value) {
  helper_.SetCaption(column, value);
  Invalidate(false);
}

void TLvItemStored::SetImageIndexes(int32_t column, int32_t value) {
  helper_.SetImageIndex(column, value);
  Invalidate(false);
}

void TLvItemStored::SetImageOverlayIndexes(int32_t column, int32_t value) {
  helper_.SetOverlayIndex(column, value);
  Invalidate(false);
}

void TLvItemStored::SetStateImageIndexes(int32_t column, int32_t value) {
  helper_.SetStateImageIndex(column, value);
  Invalidate(false);
}

TCustomImageList* TLvItemStored::GetStateImageList(int32_t) { return StateImageList(); }

int32_t TLvItemStored::GetDetailCount() {
  TLvPaintInfoBasic* info = GetDefaultPaintInfo();
  return info ? info->DetailCount : 0;
}

void TLvItemStored::SetDetailCount(int32_t value) {
  TLvPaintInfoBasic* info = GetDefaultPaintInfo();
  if (!info || info->DetailCount == value) return;
  info->DetailCount = value;
  if (TLvOwnerListview* owner = OwnerListview()) owner->InvalidateWindow();
}

void TLvItemStored::SetDetails(int32_t index, int32_t value) {
  helper_.SetDetail(index, value);
  Invalidate(false);
}

void TLvItemStored::LoadFromStream(TStream* stream, int32_t& version) {
  TLvItem::LoadFromStream(stream, version);
  helper_.LoadFromStream(stream, version);
}

void TLvItemStored::SaveToStream(TStream* stream, int32_t version) {
  TLvItem::SaveToStream(stream, version);
  helper_.SaveToStream(stream, version);
}

// ---------------------------------------------------------------- TLvItemVirtual

TObject* TLvItemVirtual::Make(TObject* collection) {
  return new TLvItemVirtual(dynamic_cast<TLvCollection*>(collection));
}

std::string TLvItemVirtual::GetCaptions(int32_t column) {
  std::string caption;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataGetCaption(this, column, caption);
  return caption;
}

void TLvItemVirtual::SetCaptions(int32_t column, const std::string& value) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataSetCaption(this, column, value);
  Invalidate(false);
}

int32_t TLvItemVirtual::AskImage(int32_t column, int32_t kind) {
  int32_t index = -1;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataGetImageIndex(this, column, kind, index);
  return index;
}

void TLvItemVirtual::TellImage(int32_t column, int32_t kind, int32_t value) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataSetImageIndex(this, column, kind, value);
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

TCustomImageList* TLvItemVirtual::GetImageList(int32_t column, int32_t imageSize) {
  TCustomImageList* list = nullptr;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataGetImageList(this, column, imageSize, list);
  return list ? list : GetDefaultImageList(imageSize);
}

TCustomImageList* TLvItemVirtual::GetStateImageList(int32_t column) {
  TCustomImageList* list = nullptr;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataGetStateImageList(this, column, list);
  return list ? list : StateImageList();
}

int32_t TLvItemVirtual::GetDetailCount() {
  int32_t count = 0;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataGetDetailCount(this, count);
  return count;
}

void TLvItemVirtual::SetDetailCount(int32_t value) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataSetDetailCount(this, value);
  Invalidate(false);
}

int32_t TLvItemVirtual::GetDetails(int32_t index) {
  int32_t value = 0;
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataGetDetail(this, index, value);
  return value;
}

void TLvItemVirtual::SetDetails(int32_t index, int32_t value) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->DataSetDetail(this, index, value);
  Invalidate(false);
}

// ---------------------------------------------------------------- TLvItemInterfaced

TObject* TLvItemInterfaced::Make(TObject* collection) {
  return new TLvItemInterfaced(dynamic_cast<TLvCollection*>(collection));
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

std::string TLvItemInterfaced::GetCaptions(int32_t column) { return LvSourceCaption(DataInterface(), column); }

void TLvItemInterfaced::SetCaptions(int32_t column, const std::string& value) {
  if (LvSourceSetCaption(DataInterface(), column, value)) Invalidate(false);
}

int32_t TLvItemInterfaced::AskImage(int32_t column, int32_t kind) {
  return LvSourceImageIndex(DataInterface(), column, kind);
}

void TLvItemInterfaced::TellImage(int32_t column, int32_t kind, int32_t value) {
  LvSourceSetImageIndex(DataInterface(), column, kind, value);
}

int32_t TLvItemInterfaced::GetGroupKey(int32_t column) {
  auto source = LvQuery<IListGroupKeySource>(DataInterface(), IID_IListGroupKeySource);
  return source ? int32_t(source->GetGroupKey(column)) : 0;
}

void TLvItemInterfaced::SetGroupKey(int32_t column, int32_t value) {
  if (auto target = LvQuery<IListGroupKeyTarget>(DataInterface(), IID_IListGroupKeyTarget))
    target->SetGroupKey(column, uint32_t(value));
}

TCustomImageList* TLvItemInterfaced::GetImageList(int32_t column, int32_t imageSize) {
  TCustomImageList* list = LvSourceImageList(DataInterface(), column, imageSize);
  return list ? list : GetDefaultImageList(imageSize);
}

TCustomImageList* TLvItemInterfaced::GetStateImageList(int32_t column) {
  auto source = LvQuery<IListStateImageListSource>(DataInterface(), IID_IListStateImageListSource);
  TCustomImageList* list = source ? source->GetStateImageList(column) : nullptr;
  return list ? list : StateImageList();
}

int32_t TLvItemInterfaced::GetDetailCount() { return LvSourceDetailCount(DataInterface(), 1); }

void TLvItemInterfaced::SetDetailCount(int32_t value) {
  if (LvSourceSetDetailCount(DataInterface(), value)) Invalidate(false);
}

int32_t TLvItemInterfaced::GetDetails(int32_t index) { return LvSourceDetail(DataInterface(), index); }

void TLvItemInterfaced::SetDetails(int32_t index, int32_t value) {
  if (LvSourceSetDetail(DataInterface(), index, value)) Invalidate(false);
}

void TLvItemInterfaced::ImageDraw(int32_t column, TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender) {
  LvSourceImageDraw(DataInterface(), column, canvas, rect, blender);
}

void TLvItemInterfaced::ImageDrawGetSize(int32_t column, int32_t& width, int32_t& height) {
  LvSourceImageDrawGetSize(DataInterface(), column, width, height);
}

void TLvItemInterfaced::ImageDrawIsCustom(int32_t column, bool& isCustom) {
  LvSourceImageDrawIsCustom(DataInterface(), column, isCustom);
}

void TLvItemInterfaced::ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender,
                                      bool& doDefault) {
  if (auto source = LvQuery<IListThumbnailSource>(DataInterface(), IID_IListThumbnailSource))
    source->ThumbnailDraw(canvas, rect, blender, doDefault);
}
