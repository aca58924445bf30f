#include "shell/LvCollection.h"

#include <algorithm>

#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "platform/com/oleacc.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scopeexit.h"
#include "platform/rtl/text.h"
#include "shell/LvColumns.h"
#include "shell/LvGroups.h"
#include "shell/LvItems.h"
#include "shell/LvStreamIO.h"
#include "shell/ShCommonUtilities.h"

const char* LvNotifyName(TLvNotify n) {
  static const char* const names[LvNotifyCount] = {
      "ItemCheckChanging", "ItemCheckChanged", "ItemEnableChanging", "ItemEnableChanged", "ItemFocusChanging",
      "ItemFocusChanged", "ItemSelectionChanging", "ItemSelectionChanged", "ItemVisibilityChanging",
      "ItemVisibilityChanged", "ItemFreeing", "ItemInitialize", "ItemHotTrack", "ItemLoadFromStream",
      "ItemSaveToStream", "ItemCustomView", "ItemStructureChange", "ItemMeasure", "ItemFilter",
      "GroupSelectionChanging", "GroupSelectionChanged", "GroupVisibilityChanging", "GroupVisibilityChanged",
      "GroupFreeing", "GroupInitialize", "GroupHotTrack", "GroupLoadFromStream", "GroupSaveToStream",
      "GroupCustomView", "GroupCustomGrid", "GroupExpand", "GroupCollapse", "ColumnCheckChanging",
      "ColumnCheckChanged", "ColumnEnableChanging", "ColumnEnableChanged", "ColumnFocusChanging",
      "ColumnFocusChanged", "ColumnSelectionChanging", "ColumnSelectionChanged", "ColumnVisibilityChanging",
      "ColumnVisibilityChanged", "ColumnFreeing", "ColumnInitialize", "ColumnLoadFromStream",
      "ColumnSaveToStream", "ColumnCustomView", "SelectionChanged"};
  return int32_t(n) < LvNotifyCount ? names[n] : "";
}

// ---------------------------------------------------------------- coordinates

namespace {
int32_t HeaderLiveHeight(TLvOwnerListview* owner) {
  TLvHeader* header = owner->Header();
  return header ? header->LiveHeight() : 0;
}
}  // namespace

TRect LvViewRectToClient(TLvOwnerListview* owner, const TRect& r, bool belowHeader) {
  const int32_t dy = belowHeader ? HeaderLiveHeight(owner) : 0;
  TRect out = r;
  out.Offset(-owner->OffsetX(), -owner->OffsetY() + dy);
  return out;
}

TRect LvClientRectToView(TLvOwnerListview* owner, const TRect& r, bool belowHeader) {
  const int32_t dy = belowHeader ? HeaderLiveHeight(owner) : 0;
  TRect out = r;
  out.Offset(owner->OffsetX(), owner->OffsetY() - dy);
  return out;
}

TRect LvClientRectInViewCoordinates(TLvOwnerListview* owner) {
  TRect client = owner->ClientRect();
  client.Top += HeaderLiveHeight(owner);
  return LvClientRectToView(owner, client, true);
}

// ---------------------------------------------------------------- TLvCollectionItem

TLvCollectionItem::TLvCollectionItem(TLvCollection* collection) : collection_(collection) {}

TLvCollectionItem::~TLvCollectionItem() {
  if (ownsPaintInfo_) delete paintInfo_;
}

void TLvCollectionItem::Free(TLvCollectionItem* element) {
  if (!element) return;
  if (!element->tornDown_) {
    element->tornDown_ = true;
    element->BeforeDestruction();
  }
  delete element;
}

void TLvCollectionItem::BeforeDestruction() {
  MarkDestroying();
  SetDataInterface(nullptr);
  if (TLvOwnerListview* owner = OwnerListview()) {
    if (owner->HotTrackCheckElement() == this) {
      owner->ClearHotTrackCheckElement();
      Put(lsCheckHot, false);
    }
    if (owner->HotTrackElement() == this) owner->ClearHotTrackElement();
  }
  Freeing();
}

TLvOwnerListview* TLvCollectionItem::OwnerListview() const {
  return collection_ ? collection_->OwnerListview() : nullptr;
}

win::HRESULT TLvCollectionItem::QueryInterface(const win::IID&, void** out) {
  if (out) *out = nullptr;
  return win::E_NOINTERFACE;
}

void TLvCollectionItem::SetDataInterface(win::IUnknown* value) {
  if (value == dataInterface_.get()) return;
  if (auto registry = LvQuery<IListNotifierRegistry>(dataInterface_.get(), IID_IListNotifierRegistry))
    registry->UnregisterSink(this);
  if (value) value->AddRef();
  dataInterface_ = win::TComPtr<win::IUnknown>(value);
  if (auto registry = LvQuery<IListNotifierRegistry>(value, IID_IListNotifierRegistry))
    registry->RegisterSink(this);
}

void TLvCollectionItem::SetPaintInfo(TLvPaintInfoBasic* info, bool owns) {
  if (ownsPaintInfo_ && paintInfo_ != info) delete paintInfo_;
  paintInfo_ = info;
  ownsPaintInfo_ = info && owns;
}

TLvPaintInfoBasic* TLvCollectionItem::PaintInfo() { return paintInfo_ ? paintInfo_ : GetDefaultPaintInfo(); }

TCustomImageList* TLvCollectionItem::GetDefaultImageList(int32_t imageSize) {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner || imageSize < 0 || imageSize > 2) return nullptr;
  return owner->ItemImageList(imageSize);
}

std::string TLvCollectionItem::GetDisplayName() {
  std::string caption = Caption();
  return caption.empty() ? ClassName() : caption;
}

bool TLvCollectionItem::AskOwner(TLvNotify n) {
  TLvOwnerListview* owner = OwnerListview();
  return !owner || owner->NotifyChanging(n, this);
}

void TLvCollectionItem::TellOwner(TLvNotify n) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->Notify(n, this);
}

int32_t TLvCollectionItem::GetIndex() { return collection_ ? collection_->IndexOf(this) : -1; }

// ---- the flag protocol

bool TLvCollectionItem::MayChange(uint16_t flag, bool value, bool (TLvCollectionItem::*ask)(bool)) {
  if (Has(flag) == value) return false;
  return Destroying() ? !value : (this->*ask)(value);
}

void TLvCollectionItem::SetBold(bool value) {
  if (!MayChange(lsBold, value, &TLvCollectionItem::MayChangeBold)) return;
  Put(lsBold, value);
  value ? BoldGained() : BoldLost();
}

void TLvCollectionItem::SetChecked(bool value) {
  if (!MayChange(lsChecked, value, &TLvCollectionItem::MayChangeCheck)) return;
  if (TLvOwnerListview* owner = OwnerListview(); !Destroying() && owner && owner->HandleAllocated())
    win::NotifyWinEvent(win::EVENT_OBJECT_STATECHANGE, owner->Handle(), win::OBJID_CLIENT, win::CHILDID_SELF);
  Put(lsChecked, value);
  value ? CheckGained() : CheckLost();
}

void TLvCollectionItem::SetEnabled(bool value) {
  if (!MayChange(lsEnabled, value, &TLvCollectionItem::MayChangeEnable)) return;
  if (!value && !Destroying()) {
    SetFocused(false);
    SetSelected(false);
  }
  Put(lsEnabled, value);
  value ? EnableGained() : EnableLost();
}

void TLvCollectionItem::SetFocused(bool value) {
  if (!(Visible() && Enabled()) || !MayChange(lsFocused, value, &TLvCollectionItem::MayChangeFocus)) return;
  Put(lsFocused, value);
  value ? FocusGained() : FocusLost();
}

void TLvCollectionItem::SetGhosted(bool value) {
  if (Ghosted() == value || (value && Destroying())) return;
  Put(lsGhosted, value);
  value ? GhostedGained() : GhostedLost();
}

void TLvCollectionItem::SetHotTracking(TPoint mousePos, bool value) {
  if (!MayChange(lsHotTracking, value, &TLvCollectionItem::MayChangeHotTracking)) return;
  Put(lsHotTracking, value);
  value ? HotTrackingGained(mousePos) : HotTrackingLost(mousePos);
}

void TLvCollectionItem::SetSelected(bool value) {
  if (!(Visible() && Enabled()) || !MayChange(lsSelected, value, &TLvCollectionItem::MayChangeSelection)) return;
  Put(lsSelected, value);
  value ? SelectionGained() : SelectionLost();
}

void TLvCollectionItem::SetVisible(bool value) {
  if (!MayChange(lsVisible, value, &TLvCollectionItem::MayChangeVisibility)) return;
  if (!value && !Destroying()) {
    SetFocused(false);
    SetSelected(false);
    TLvOwnerListview* owner = OwnerListview();
    if (!owner || !owner->KeepHiddenItemsChecked()) SetChecked(false);
  }
  Put(lsVisible, value);
  value ? VisibilityGained() : VisibilityLost();
}

void TLvCollectionItem::SetInitialized(bool value) {
  if (value) {
    Put(lsInitialized, true);
    Initialize();
  } else {
    Put(lsInitialized, false);
  }
}

void TLvCollectionItem::SetCut(bool value) {
  Put(lsCut, value);
  Invalidate(false);
}

void TLvCollectionItem::SetCheckHot(bool value) {
  Put(lsCheckHot, value);
  Invalidate(false);
}

void TLvCollectionItem::SetHighlighted(bool value) {
  if (Highlighted() == value) return;
  Put(lsHighlighted, value);
  value ? HighlightGained() : HighlightLost();
}

void TLvCollectionItem::Invalidate(bool immediateUpdate) {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner || !owner->CanInvalidate()) return;
  TRect r;
  if (IntersectRect(r, LvViewRectToClient(owner, DisplayRect, true), owner->ClientRect()))
    owner->InvalidateRect(r, immediateUpdate);
}

// ---- the element record

void TLvCollectionItem::LoadFromStream(TStream* stream, int32_t& version) {
  if (uint32_t(LvReadInteger(stream)) == LvStreamMarker) {
    version = LvReadInteger(stream);
  } else {
    // Written before the marker existed: the record starts with the state.
    stream->Seek(-4, soCurrent);
    version = 2;
  }
  const uint16_t state = LvReadWord(stream);
  SetSelected(state & lsSelected);
  SetEnabled(state & lsEnabled);
  SetVisible(state & lsVisible);
  SetChecked(state & lsChecked);
  SetBold(state & lsBold);
}

void TLvCollectionItem::SaveToStream(TStream* stream, int32_t version) {
  LvWriteInteger(stream, int32_t(LvStreamMarker));
  LvWriteInteger(stream, version);
  LvWriteWord(stream, uint16_t(state_ & LvStreamStateMask));
}

// ---------------------------------------------------------------- TLvCollection

TLvCollection::TLvCollection(TLvOwnerListview* owner)
    : TLvOwnedPersistent(owner), elementClass_(TLvCollectionItem::StaticClass()) {}

TLvCollection::~TLvCollection() { TLvCollection::Clear(true); }

TClass TLvCollection::ElementBaseClass() const { return TLvCollectionItem::StaticClass(); }

TLvCollectionItem* TLvCollection::Add(TObject* data) {
  if (!elementClass_ || !elementClass_->Create) return nullptr;
  auto* element = static_cast<TLvCollectionItem*>(elementClass_->Create(this));
  if (!element) return nullptr;
  list_.Add(element);
  RenumberItems(false);
  ItemAdded(element, Count() - 1);
  element->SetData(data);
  StructureChanged();
  return element;
}

void TLvCollection::RenumberItems(bool force) {
  TLvOwnerListview* owner = OwnerListview();
  TLvGroups* groups = owner ? owner->Groups() : nullptr;
  if (!force && groups && groups->ReIndexLock > 0) return;
  for (int32_t i = 0; i < Count(); ++i) Items(i)->index_ = i;
}

TLvCollectionItem* TLvCollection::FirstVisible() {
  return visibleList_.Count() ? static_cast<TLvCollectionItem*>(visibleList_.First()) : nullptr;
}

TLvCollectionItem* TLvCollection::LastVisible() {
  return visibleList_.Count() ? static_cast<TLvCollectionItem*>(visibleList_.Last()) : nullptr;
}

TLvCollectionItem* TLvCollection::NextVisible(TLvCollectionItem* element) {
  if (!element) return nullptr;
  for (int32_t i = element->Index() + 1; i >= 1 && i < Count(); ++i)
    if (Items(i)->Visible()) return Items(i);
  return nullptr;
}

TLvCollectionItem* TLvCollection::PrevVisible(TLvCollectionItem* element) {
  if (!element) return nullptr;
  for (int32_t i = std::min(element->Index(), Count()) - 1; i >= 0; --i)
    if (Items(i)->Visible()) return Items(i);
  return nullptr;
}

void TLvCollection::BeginUpdate() {
  if (TLvOwnerListview* owner = OwnerListview()) owner->BeginUpdate();
}

void TLvCollection::EndUpdate(bool invalidate) {
  if (TLvOwnerListview* owner = OwnerListview()) owner->EndUpdate(invalidate);
}

void TLvCollection::Clear(bool freeItems) {
  if (Count() == 0) return;
  BeginUpdate();
  TScopeExit done([&] {
    list_.Clear();
    visibleList_.Clear();
    TLvOwnerListview* owner = OwnerListview();
    if (owner && owner->HandleAllocated()) {
      owner->SetOffsetX(0);
      owner->SetOffsetY(0);
    }
    EndUpdate(true);
  });
  for (int32_t i = 0; i < Count(); ++i) {
    TLvCollectionItem* element = Items(i);
    element->MarkDestroying();
    element->SetFocused(false);
    element->SetSelected(false);
  }
  if (freeItems) {
    // Taken out of the list one by one, so that a failing tear-down never
    // leaves a freed element behind in it.
    while (Count() > 0) {
      auto* element = Items(Count() - 1);
      list_.Delete(Count() - 1);
      visibleList_.Remove(element);
      TLvCollectionItem::Free(element);
    }
  }
}

void TLvCollection::MakeAllVisible() {
  for (int32_t i = 0; i < Count(); ++i) Items(i)->SetVisible(true);
}

void TLvCollection::WriteItems(TStream* stream) {
  LvWriteInteger(stream, LvStreamVersion);
  LvWriteInteger(stream, Count());
  for (int32_t i = 0; i < Count(); ++i) {
    TLvCollectionItem* element = Items(i);
    const std::string name = Utf8ToCodePage(element->ClassName(), CP_ACP);
    LvWriteInteger(stream, int32_t(name.size()));
    if (!name.empty()) stream->WriteBuffer(name.data(), int64_t(name.size()));
    element->SaveToStream(stream, LvStreamVersion);
  }
}

void TLvCollection::ReadItems(TStream* stream) {
  Clear(true);
  const int32_t version = LvReadInteger(stream);
  const int32_t count = LvReadInteger(stream);
  // Every element takes at least its 2-byte state, and from version 5 on a
  // 4-byte class-name length too.
  LvCheckCount(stream, count, version < 5 ? 2 : 6);
  for (int32_t i = 0; i < count; ++i) {
    if (version >= 5) {
      const int32_t length = LvReadInteger(stream);
      LvCheckCount(stream, length, 1);
      std::string name(size_t(length), '\0');
      if (length) stream->ReadBuffer(name.data(), length);
      TClass cls = GetClass(CodePageToUtf8(name, CP_ACP));
      if (!cls)
        throw EAssertionFailed(
            "If using custom item types for Item, Groups or Columns you must register them with the streaming "
            "system with RegisterClass(TMyLvClassItemType)");
      // Only an element of this collection's kind can live in it.
      if (!cls->InheritsFrom(ElementBaseClass()) || !cls->Create)
        throw EReadError("Class " + std::string(cls->Name) + " cannot be read into this collection");
      elementClass_ = cls;
    }
    TLvCollectionItem* element = Add(nullptr);
    if (!element) throw EReadError("Stream read error");
    int32_t elementVersion = 0;
    element->LoadFromStream(stream, elementVersion);
  }
}

void TLvCollection::DefineProperties(TFiler* filer) {
  TLvOwnedPersistent::DefineProperties(filer);
  filer->DefineBinaryProperty(
      "Items", [this](TStream& s) { ReadItems(&s); }, [this](TStream& s) { WriteItems(&s); },
      Count() > 0 && !HideFromFormFile);
}

// ---------------------------------------------------------------- TLvItems

TLvItems::TLvItems(TLvOwnerListview* owner, TLvGroup* group) : TLvCollection(owner), group_(group) {
  SetElementClass(TLvItemStored::StaticClass());
}

TLvItems::~TLvItems() { TLvItems::Clear(true); }

TClass TLvItems::ElementBaseClass() const { return TLvItem::StaticClass(); }

TLvItem* TLvItems::Items(int32_t index) const { return static_cast<TLvItem*>(TLvCollection::Items(index)); }

void TLvItems::Clear(bool freeItems) {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner) return TLvCollection::Clear(freeItems);
  owner->BeginSelectionUpdate();
  TScopeExit done([&] { owner->EndSelectionUpdate(); });
  TLvCollection::Clear(freeItems);
}

void TLvItems::StructureChanged() {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner) return;
  owner->ResetIncrementalSearch();
  owner->RebuildGroups(false);
  if (owner->AutoSort()) owner->SortItems(false);
  if (owner->Updating())
    owner->MarkItemStructureChanged();
  else
    owner->Notify(lvnItemStructureChange, nullptr);
}
