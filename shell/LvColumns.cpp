#include "shell/LvColumns.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/classes/streams.h"
#include "shell/LvGroups.h"
#include "shell/LvStreamIO.h"

// ---------------------------------------------------------------- TLvColumnDropDownButton

void TLvColumnDropDownButton::SetAlwaysShow(bool value) {
  if (value == alwaysShow_) return;
  alwaysShow_ = value;
  owner_->Invalidate(false);
}

void TLvColumnDropDownButton::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  owner_->Invalidate(false);
}

void TLvColumnDropDownButton::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  owner_->Invalidate(false);
}

void TLvColumnDropDownButton::SaveToStream(TStream* stream) {
  LvWriteByte(stream, alwaysShow_);
  LvWriteByte(stream, enabled_);
  LvWriteByte(stream, alwaysShow_);
  LvWriteByte(stream, State);
  LvWriteByte(stream, visible_);
}

void TLvColumnDropDownButton::LoadFromStream(TStream* stream) {
  // The third byte is AlwaysShow once more; the record has always been read so.
  alwaysShow_ = LvReadByte(stream) != 0;
  enabled_ = LvReadByte(stream) != 0;
  alwaysShow_ = LvReadByte(stream) != 0;
  State = LvReadByte(stream);
  visible_ = LvReadByte(stream) != 0;
}

// ---------------------------------------------------------------- TLvColumn

TLvColumn::TLvColumn(TLvCollection* collection) : TLvCollectionItem(collection) {
  position_ = collection ? collection->Count() : 0;
}

TLvColumn::~TLvColumn() = default;

TLvColumns* TLvColumn::OwnerColumns() const { return dynamic_cast<TLvColumns*>(Collection()); }

TLvHeader* TLvColumn::OwnerHeader() const { return OwnerColumns() ? OwnerColumns()->Header() : nullptr; }

void TLvColumn::BeforeDestruction() {
  MarkDestroying();
  TLvOwnerListview* owner = OwnerListview();
  if (owner && owner->FocusedColumn() == this) owner->SetFocusedColumn(nullptr);
  if (TLvHeader* header = OwnerHeader()) {
    if (header->HotTrackColumn() == this) header->SetHotTrackColumn(nullptr);
    if (header->PressedColumn == this) header->PressedColumn = nullptr;
    if (header->DropDownHoverColumn() == this) header->SetDropDownHoverColumn(nullptr);
  }
  if (owner) owner->ReleaseReferences(this);
  TLvCollectionItem::BeforeDestruction();
}

bool TLvColumn::MayChangeCheck(bool) { return AskOwner(lvnColumnCheckChanging); }

bool TLvColumn::MayChangeEnable(bool) { return AskOwner(lvnColumnEnableChanging); }

bool TLvColumn::MayChangeFocus(bool) { return AskOwner(lvnColumnFocusChanging); }

bool TLvColumn::MayChangeSelection(bool) { return AskOwner(lvnColumnSelectionChanging); }

bool TLvColumn::MayChangeVisibility(bool) { return AskOwner(lvnColumnVisibilityChanging); }

void TLvColumn::Freeing() { TellOwner(lvnColumnFreeing); }
void TLvColumn::CheckGained() { TellOwner(lvnColumnCheckChanged); }
void TLvColumn::CheckLost() { TellOwner(lvnColumnCheckChanged); }
void TLvColumn::EnableGained() { TellOwner(lvnColumnEnableChanged); }
void TLvColumn::EnableLost() { TellOwner(lvnColumnEnableChanged); }
void TLvColumn::FocusGained() { TellOwner(lvnColumnFocusChanged); }
void TLvColumn::FocusLost() { TellOwner(lvnColumnFocusChanged); }
void TLvColumn::SelectionGained() { TellOwner(lvnColumnSelectionChanged); }
void TLvColumn::SelectionLost() { TellOwner(lvnColumnSelectionChanged); }
void TLvColumn::Initialize() { TellOwner(lvnColumnInitialize); }

void TLvColumn::TellVisibility() {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner) return;
  owner->BeginUpdate();
  owner->Notify(lvnColumnVisibilityChanged, this);
  owner->EndUpdate(false);
}

void TLvColumn::VisibilityGained() { TellVisibility(); }
void TLvColumn::VisibilityLost() { TellVisibility(); }

TLvPaintInfoBasic* TLvColumn::GetDefaultPaintInfo() {
  TLvOwnerListview* owner = OwnerListview();
  return owner ? owner->ColumnPaintInfo() : nullptr;
}

TCustomImageList* TLvColumn::GetDefaultImageList(int32_t) {
  TLvHeader* header = OwnerHeader();
  return header ? header->Images : nullptr;
}

void TLvColumn::Invalidate(bool immediateUpdate) {
  if (TLvHeader* header = OwnerHeader()) header->Invalidate(immediateUpdate);
}

void TLvColumn::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate(false);
}

void TLvColumn::SetBkGndColor(TColor value) {
  if (value == bkGndColor_) return;
  bkGndColor_ = value;
  if (TLvOwnerListview* owner = OwnerListview()) owner->InvalidateWindow();
}

void TLvColumn::SetPosition(int32_t value) {
  TLvColumns* columns = OwnerColumns();
  const int32_t count = columns ? columns->Count() : 1;
  value = std::clamp(value, 0, std::max(count - 1, 0));
  if (count <= 1) {
    position_ = 0;
    return;
  }
  if (value != position_) {
    const int32_t from = position_;
    // Positions read from a stream may lie anywhere; the shifts saturate.
    for (int32_t i = 0; i < count; ++i) {
      TLvColumn* c = columns->Columns(i);
      if (c == this) continue;
      if (from < value && c->position_ >= from && c->position_ <= value && c->position_ > INT32_MIN)
        --c->position_;
      else if (from > value && c->position_ >= value && c->position_ <= from && c->position_ < INT32_MAX)
        ++c->position_;
    }
    position_ = value;
  }
  columns->StructureChanged();
}

void TLvColumn::SetWidth(int32_t value) {
  value = std::max(value, 0);
  if (value == width_) return;
  width_ = value;
  TLvOwnerListview* owner = OwnerListview();
  TLvHeader* header = OwnerHeader();
  if (header) header->Invalidate();
  if (owner && header && owner->ViewKind() == lvkReport) owner->SetViewRight(header->TotalWidth());
}

void TLvColumn::SetSortDirection(TLvSortDirection value) {
  if (value == sortDirection_) return;
  sortDirection_ = value;
  if (TLvHeader* header = OwnerHeader()) header->Invalidate();
  TLvOwnerListview* owner = OwnerListview();
  if (value == esdNone || !owner) return;
  owner->SetFocusedColumn(this);
  if (owner->AutoSort() && AutoSortOnClick) owner->SortItems(true);
}

void TLvColumn::MakeVisible(int32_t position) {
  TLvOwnerListview* owner = OwnerListview();
  if (!owner || !Visible()) return;
  const int32_t left = DisplayRect.Left, right = DisplayRect.Right;
  const TRect view = LvClientRectInViewCoordinates(owner);
  if (left >= view.Left && right <= view.Right) return;
  switch (position) {
    case 0:
    case 3:
      if (left > view.Left) owner->SetOffsetX(left);
      break;
    case 1:
      if (right - left < view.Width()) owner->SetOffsetX(left - (view.Width() - (right - left)) / 2);
      break;
    case 2:
      owner->SetOffsetX(right - view.Width());
      break;
    default:
      break;
  }
}

void TLvColumn::SaveToStream(TStream* stream, int32_t version) {
  TLvCollectionItem::SaveToStream(stream, version);
  LvWriteByte(stream, alignment_);
  LvWriteByte(stream, AutoSizeOnDblClk);
  LvWriteByte(stream, AutoSortOnClick);
  LvWriteByte(stream, autoSpring_);
  LvWriteByte(stream, AutoToggleSortGlyph);
  LvWriteInteger(stream, position_);
  LvWriteByte(stream, sortDirection_);
  LvWriteByte(stream, StreamByte);
  LvWriteByte(stream, Clickable);
  LvWriteInteger(stream, width_);
  LvWriteInteger(stream, bkGndColor_);
  dropDown_.SaveToStream(stream);
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyStream(lvnColumnSaveToStream, this, stream, version);
}

void TLvColumn::LoadFromStream(TStream* stream, int32_t& version) {
  TLvCollectionItem::LoadFromStream(stream, version);
  // Enumerations outside their range read as their first value.
  const uint8_t alignment = LvReadByte(stream);
  alignment_ = alignment <= taCenter ? TAlignment(alignment) : taLeftJustify;
  AutoSizeOnDblClk = LvReadByte(stream) != 0;
  if (version > 1) AutoSortOnClick = LvReadByte(stream) != 0;
  autoSpring_ = LvReadByte(stream) != 0;
  AutoToggleSortGlyph = LvReadByte(stream) != 0;
  position_ = LvReadInteger(stream);
  const uint8_t sort = LvReadByte(stream);
  sortDirection_ = sort <= esdDescending ? TLvSortDirection(sort) : esdNone;
  StreamByte = LvReadByte(stream);
  Clickable = LvReadByte(stream) != 0;
  width_ = std::max(LvReadInteger(stream), 0);
  if (version > 5) {
    bkGndColor_ = LvReadInteger(stream);
    dropDown_.LoadFromStream(stream);
  }
  if (TLvOwnerListview* owner = OwnerListview()) owner->NotifyStream(lvnColumnLoadFromStream, this, stream, version);
}

// ---------------------------------------------------------------- variants

void TLvColumnStored::SetDetailCount(int32_t value) {
  if (TLvPaintInfoBasic* info = GetDefaultPaintInfo()) info->DetailCount = value;
}

// ---------------------------------------------------------------- TLvColumns, TLvHeader

TLvColumns::TLvColumns(TLvOwnerListview* owner, TLvHeader* header) : TLvCollection(owner), header_(header) {
  SetElementClass(TLvColumnStored::StaticClass());
}

TClass TLvColumns::ElementBaseClass() const { return TLvColumn::StaticClass(); }

TLvColumn* TLvHeader::FirstColumn() const { return columns_.Count() ? columns_.Columns(0) : nullptr; }

TLvColumn* TLvHeader::FirstVisibleColumn() const {
  for (int32_t i = 0; i < columns_.Count(); ++i)
    if (columns_.Columns(i)->Visible()) return columns_.Columns(i);
  return nullptr;
}

TLvColumn* TLvHeader::NextColumn(TLvColumn* column) const {
  const int32_t i = column ? columns_.IndexOf(column) : -1;
  return i >= 0 && i + 1 < columns_.Count() ? columns_.Columns(i + 1) : nullptr;
}

std::vector<TLvColumn*> TLvHeader::PositionList() const {
  std::vector<TLvColumn*> list;
  for (int32_t i = 0; i < columns_.Count(); ++i) list.push_back(columns_.Columns(i));
  std::stable_sort(list.begin(), list.end(),
                   [](TLvColumn* a, TLvColumn* b) { return a->Position() < b->Position(); });
  return list;
}

TLvColumn* TLvHeader::LastColumnByPosition() const {
  const std::vector<TLvColumn*> list = PositionList();
  return list.empty() ? nullptr : list.back();
}

int32_t TLvHeader::CalculatedHeight() const {
  return AutoSizeHeight ? std::max(Height, FontTextHeight + SizeMargin) : Height;
}

int32_t TLvHeader::LiveHeight() const {
  if (!visible_ || !owner_) return 0;
  const int32_t kind = owner_->ViewKind();
  const bool shown = kind == lvkReport || kind == lvkGrid || showInAllViews_;
  return shown ? CalculatedHeight() : 0;
}

TRect TLvHeader::ViewRect() const { return TRect(0, 0, owner_ ? owner_->ClientWidth() : 0, LiveHeight()); }

int32_t TLvHeader::TotalWidth() const {
  int32_t total = 0;
  for (int32_t i = 0; i < columns_.Count(); ++i)
    if (columns_.Columns(i)->Visible()) total += columns_.Columns(i)->Width();
  return total;
}

void TLvHeader::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  if (owner_) owner_->RebuildGroups(false);
}

bool TLvHeader::ShowInAllViews() {
  if (showInAllViews_) visible_ = true;
  return showInAllViews_;
}

void TLvHeader::SetHotTrackColumn(TLvColumn* column) {
  if (column == hotTrack_) return;
  TLvColumn* old = std::exchange(hotTrack_, column);
  if (old) old->SetHotTracking(TPoint{0, 0}, false);
  if (column) column->SetHotTracking(TPoint{0, 0}, true);
}

void TLvHeader::SetDropDownHoverColumn(TLvColumn* column) {
  if (column == dropDownHover_) return;
  TLvColumn* old = std::exchange(dropDownHover_, column);
  if (old) {
    old->DropDownButton().State &= uint8_t(~0x07);
    old->Invalidate(true);
  }
  if (column) {
    column->DropDownButton().State |= 0x01;
    column->Invalidate(true);
  }
}

void TLvHeader::Invalidate(bool immediateUpdate) {
  if (!owner_ || !owner_->CanInvalidate()) return;
  owner_->InvalidateRect(TRect(0, 0, owner_->ClientWidth(), CalculatedHeight()), immediateUpdate);
}
