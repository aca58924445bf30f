// Item links and their collections: effective values, the derived lists a
// bar window draws from, recent-use bookkeeping, keyboard searches and merging.
#include <algorithm>
#include <functional>

#include "platform/classes/filer.h"
#include "platform/rtl/scopeexit.h"
#include "platform/rtl/text.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/lookandfeel/dxCore.h"

namespace {

TdxBar* mergingBar = nullptr;
TdxBarCreateItemControlProc createItemControl = nullptr;

// Item kinds that arrive with later units are recognised by class name.
bool InheritsFromClassNamed(const TObject* AObject, std::string_view AName) {
  for (TClass c = AObject ? AObject->ClassType() : nullptr; c; c = c->Parent)
    if (AName == c->Name) return true;
  return false;
}

bool IsSeparatorLink(const TdxBarItemLink* ALink) {
  return dynamic_cast<TdxBarSeparator*>(ALink->GetItem()) != nullptr;
}

template <class V, class T>
int32_t IndexIn(const std::vector<V>& AList, const T* AValue) {
  auto it = std::find(AList.begin(), AList.end(), AValue);
  return it == AList.end() ? -1 : int32_t(it - AList.begin());
}

template <class T>
T* ItemIn(const std::vector<T*>& AList, int32_t Index) {
  return Index >= 0 && Index < int32_t(AList.size()) ? AList[size_t(Index)] : nullptr;
}

template <class T>
void RemoveFrom(std::vector<T*>& AList, const T* AValue) {
  AList.erase(std::remove(AList.begin(), AList.end(), AValue), AList.end());
}

// The upper-case accelerator character of a caption: the character after a
// single "&"; 0 when none.
char32_t AcceleratorOf(const std::string& ACaption) {
  std::string caption = ACaption;
  const int32_t pos = FindAcceleratorPos(caption, false);
  if (pos <= 0 || size_t(pos) > caption.size()) return 0;
  const std::u32string text = Utf8ToUtf32(caption.substr(size_t(pos) - 1));
  return text.empty() ? 0 : CpUpperChar(text[0]);
}

// A link the keyboard may select: it has an item control and its item allows selection.
bool ControlCanBeSelected(const TdxBarItemLink* ALink) {
  return ALink->Control() && ALink->GetItem() && ALink->GetItem()->CanSelect;
}

// x / 100 rounded to nearest, a half to the even neighbour; x >= 0.
int32_t DivideBy100RoundHalfEven(int64_t x) {
  int64_t q = x / 100;
  const int64_t r = x % 100;
  if (r > 50 || (r == 50 && (q & 1) != 0)) ++q;
  return int32_t(q);
}

void RebuildBarControl(TdxBarItemLinks* ALinks) {
  if (ALinks && ALinks->BarControl) ALinks->BarControl->RebuildBar();
}

}  // namespace

std::string LayoutSectionDelimiter(TdxBarStoringKind AKind) { return AKind == skRegistry ? "\\" : "."; }

void SetdxBarCreateItemControlProc(TdxBarCreateItemControlProc AProc) { createItemControl = AProc; }
TdxBarCreateItemControlProc dxBarCreateItemControlProc() { return createItemControl; }

TdxBarItemControl* dxBarCreateItemControl(TClass AControlClass, TCustomdxBarControl* ABarControl,
                                          TdxBarItemLink* ALink) {
  if (!createItemControl) throw EdxException("dxBarCreateItemControl: no item-control maker installed");
  return createItemControl(AControlClass, ABarControl, ALink);
}

TdxBar* dxBarMergingBar() { return mergingBar; }
void SetdxBarMergingBar(TdxBar* ABar) { mergingBar = ABar; }

// ---------------------------------------------------------------- link: life

TdxBarItemLink::TdxBarItemLink(TCollection* ACollection)
    : TcxInterfacedCollectionItem(ACollection), userGlyph_(std::make_unique<TBitmap>()) {
  userGlyph_->OnChange = [this](TObject*) { UserGlyphChanged(); };
  if (TdxBarManager* m = GetBarManager()) UseCount = m->InitialUseCount();
}

TdxBarItemLink::~TdxBarItemLink() {
  TdxBarItemLinks* links = GetOwnerLinks() ? GetOwnerLinks() : recentOwner_;
  TdxBarManager* m = links ? links->BarManager() : nullptr;
  if (m && !m->InDestruction() && m->OnItemLinkDelete) m->OnItemLinkDelete(m, this);
  if (TCustomdxBarControl* window = links ? links->BarControl : nullptr;
      window && IsLiveBarControl(window) && !window->InState(csDestroying)) {
    if (control_ && window->GetSelectedControl() == control_) window->SetSelectedControl(nullptr);
    if (m && control_ && m->SelectedItemControl() == control_) m->StoreSelectedItemControl(nullptr);
    if (window->MouseLink == this) window->MouseLink = nullptr;
  }
  DestroyControl();
  if (IdxBarItemDesigner* d = dxBarItemDesigner(); d && d->LastSelectedElement() == this) d->DropStaleLastSelection();
  if (item_) std::exchange(item_, nullptr)->RemoveLink(this);
  // The collection looks at the whole link when it leaves.
  TdxBarItemLink::SetCollection(nullptr);
}

void TdxBarItemLink::SetCollection(TCollection* Value) {
  if (Value == Collection()) return;
  TcxInterfacedCollectionItem::SetCollection(Value);
  if (!Value) recentOwner_ = nullptr;
}

TdxBarItemLinks* TdxBarItemLink::GetOwnerLinks() const { return dynamic_cast<TdxBarItemLinks*>(Collection()); }

TdxBarManager* TdxBarItemLink::GetBarManager() const {
  TdxBarItemLinks* links = GetOwnerLinks();
  return links ? links->BarManager() : nullptr;
}

TdxBarManager* TdxBarItemLink::GetBarManager() { return std::as_const(*this).GetBarManager(); }

TCustomdxBarControl* TdxBarItemLink::GetBarControl() const {
  TdxBarItemLinks* links = GetOwnerLinks();
  return links ? links->BarControl : nullptr;
}

TdxBarItem* TdxBarItemLink::GetItem() const {
  if (!LoadedItemName.empty() && !item_) {
    TdxBarItemLinks* links = GetOwnerLinks();
    TComponent* owner = links ? links->OwnerComponent() : nullptr;
    TdxBarManager* m = links ? links->BarManager() : nullptr;
    if (m && owner && owner->InState(csLoading) && owner->InState(csAncestor) && !owner->InState(csReading))
      return m->FindItemByName(LoadedItemName);
  }
  return item_;
}

void TdxBarItemLink::SetItem(TdxBarItem* AItem) {
  if (item_ == AItem) return;
  TdxBarItemLinks* links = GetOwnerLinks();
  TdxBarManager* m = GetBarManager();
  if (links) links->BeginUpdate();
  TScopeExit endUpdate([links] {
    if (!links) return;
    links->EndUpdate();
    // The refresh inside the update kept its separators; the lists are pruned now.
    if (links->UpdateCount() == 0) links->Refresh();
  });
  DestroyControl();
  if (item_) std::exchange(item_, nullptr)->RemoveLink(this);
  if (!AItem) {
    delete this;
    return;
  }
  auto announce = [&] {
    if (links && links->UpdateCount() == 1 && m) m->DoItemLinkChange(this);
  };
  try {
    std::string refusal;
    if (links && !links->CanContainItem(AItem, refusal)) throw EdxException(refusal);
    item_ = AItem;
    AItem->AddLink(this);
    if (links) {
      links->Refresh();
      TComponent* owner = links->OwnerComponent();
      if (owner && !owner->InState(csLoading)) ApplyMostRecentlyUsed();
    }
  } catch (...) {
    announce();
    throw;
  }
  announce();
}

// ---------------------------------------------------------------- link: lists

int32_t TdxBarItemLink::GetVisibleIndex() const {
  TdxBarItemLinks* links = GetOwnerLinks();
  return links ? links->VisibleIndexOf(this) : -1;
}

int32_t TdxBarItemLink::GetCandidateIndex() const {
  TdxBarItemLinks* links = GetOwnerLinks();
  return links ? links->CandidateIndexOf(this) : -1;
}

bool TdxBarItemLink::IsVisibleAndAvailable() const {
  TdxBarItem* item = GetItem();
  return item && item->IsItemAvailable() && visible_;
}

// ---------------------------------------------------------------- link: effective values

std::string TdxBarItemLink::GetCaption() const {
  TdxBarItem* item = GetItem();
  return HasUserDefine(udCaption) || !item ? userCaption_ : item->GetCaption();
}

TBitmap* TdxBarItemLink::GetGlyph() const {
  TdxBarItem* item = GetItem();
  return HasUserDefine(udGlyph) || !item ? userGlyph_.get() : item->Glyph();
}

TdxBarPaintStyle TdxBarItemLink::GetPaintStyle() const {
  TdxBarItem* item = GetItem();
  return HasUserDefine(udPaintStyle) || !item ? userPaintStyle_ : item->PaintStyle();
}

int32_t TdxBarItemLink::GetWidth() const {
  if (HasUserDefine(udWidth)) return userWidth_;
  TdxBarItem* item = GetItem();
  return InheritsFromClassNamed(item, "TdxCustomBarEdit") ? item->Width() : 0;
}

bool TdxBarItemLink::GetBeginGroup() const {
  TdxBarItemLinks* links = GetOwnerLinks();
  if (!links) return beginGroup_;
  const int32_t v = GetVisibleIndex();
  if (beginGroup_ && v != 0) return v == -1 || !IsSeparatorLink(links->VisibleItems(v - 1));
  if (v <= 0) return false;
  // A centred or right-aligned control stands apart already: on a bar window
  // with option 0x10 no group start carries over to it.
  if (control_ && control_->Parent() && (control_->Parent()->GetBehaviorFlags() & 0x10) != 0) {
    const TdxBarItemAlign align = control_->GetAlign();
    if (align == iaCenter || align == iaRight) return false;
  }
  // A group start of hidden links between the previous visible link and this one carries over.
  for (int32_t i = links->IndexOf(links->VisibleItems(v - 1)) + 1; i < Index(); ++i)
    if (links->GetItem(i)->GetBeginGroup()) return true;
  return false;
}

// ---------------------------------------------------------------- link: setters

void TdxBarItemLink::ItemChanged() { Changed(false); }

void TdxBarItemLink::SetBeginGroup(bool Value) {
  if (beginGroup_ == Value) return;
  beginGroup_ = Value;
  RebuildBarControl(GetOwnerLinks());
  ItemChanged();
}

void TdxBarItemLink::SetButtonGroup(TdxBarButtonGroupPosition Value) {
  if (buttonGroup_ == Value) return;
  buttonGroup_ = Value;
  Changed(true);
}

void TdxBarItemLink::SetDistributed(bool Value) {
  if (distributed_ == Value) return;
  distributed_ = Value;
  if (TdxBarItemLinks* links = GetOwnerLinks()) {
    if (IndexIn(links->DistributedChangedLinks, this) < 0) links->DistributedChangedLinks.push_back(this);
  }
  Changed(true);
}

void TdxBarItemLink::SetPosition(TdxBarItemPosition Value) {
  if (position_ == Value) return;
  position_ = Value;
  Changed(true);
}

void TdxBarItemLink::SetViewLevels(TdxBarItemViewLevels Value) {
  Value &= AllViewLevels;
  if (viewLevels_ == Value) return;
  viewLevels_ = Value;
  Changed(true);
}

void TdxBarItemLink::SetVisible(bool Value) {
  TdxBarItemLinks* links = GetOwnerLinks();
  TdxBarManager* m = GetBarManager();
  if ((m && m->InLoading()) || (links && links->Assigning())) {
    LoadedVisible = Value;
    return;
  }
  ApplyVisible(Value);
}

void TdxBarItemLink::ApplyVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  TdxBarManager* m = GetBarManager();
  if (!(m && m->InDesigner())) VisibleChanged();
  ItemChanged();
}

void TdxBarItemLink::VisibleChanged() {
  TdxBarItemLinks* links = GetOwnerLinks();
  if (!links) return;
  links->Refresh();
  if (IsVisibleAndAvailable()) {
    MarkUsed(false);
    if (links->BarControl) {
      CreateControl();
      links->BarControl->RebuildBar();
    }
  } else {
    MoveToRecentEnd();
    if (control_) {
      if (links->BarControl) links->BarControl->RebuildBar();
      DestroyControl();
    }
  }
}

void TdxBarItemLink::SetMostRecentlyUsed(bool Value) {
  if (mostRecentlyUsed_ == Value) return;
  mostRecentlyUsed_ = Value;
  ApplyMostRecentlyUsed();
  RebuildBarControl(GetOwnerLinks());
  ItemChanged();
}

// ---------------------------------------------------------------- link: user values

void TdxBarItemLink::NotifyUserDefineChanged(TdxBarUserDefines AChanged) {
  if (!control_) return;
  if (AChanged & UserDefineBit(udCaption)) control_->CaptionChanged();
  if (AChanged & UserDefineBit(udGlyph)) control_->ImageChanged();
  if (AChanged & UserDefineBit(udPaintStyle)) control_->PaintStyleChanged();
  if (AChanged & UserDefineBit(udWidth)) control_->WidthChanged();
}

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines Value) {
  Value &= AllUserDefines;
  const TdxBarUserDefines changed = TdxBarUserDefines(userDefine_ ^ Value);
  if (!changed) return;
  for (TdxBarUserDefine flag : {udCaption, udGlyph, udPaintStyle, udWidth}) {
    if (!(changed & UserDefineBit(flag))) continue;
    if (Value & UserDefineBit(flag)) {
      userDefine_ |= UserDefineBit(flag);
      continue;
    }
    userDefine_ &= TdxBarUserDefines(~UserDefineBit(flag));
    switch (flag) {
      case udCaption: userCaption_.clear(); break;
      case udGlyph: {
        // Emptying the glyph must not switch its flag back on.
        TNotifyEvent onChange = std::exchange(userGlyph_->OnChange, nullptr);
        userGlyph_->SetSize(0, 0);
        userGlyph_->OnChange = std::move(onChange);
        break;
      }
      case udPaintStyle: userPaintStyle_ = psStandard; break;
      case udWidth: userWidth_ = 0; break;
    }
  }
  NotifyUserDefineChanged(changed);
  ItemChanged();
}

// Off, then on, so the control hears of the new value.
void TdxBarItemLink::SwitchUserDefineOn(TdxBarUserDefine AFlag) {
  const TdxBarUserDefines bit = UserDefineBit(AFlag);
  userDefine_ &= TdxBarUserDefines(~bit);
  SetUserDefine(TdxBarUserDefines(userDefine_ | bit));
}

void TdxBarItemLink::SetUserCaption(const std::string& Value) {
  if (userCaption_ == Value) return;
  userCaption_ = Value;
  SwitchUserDefineOn(udCaption);
}

void TdxBarItemLink::SetUserGlyph(TBitmap* Value) {
  if (Value == userGlyph_.get()) return;
  userGlyph_->Assign(Value);  // the glyph's change event switches udGlyph on
}

void TdxBarItemLink::UserGlyphChanged() { SwitchUserDefineOn(udGlyph); }

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle Value) {
  if (Value == GetPaintStyle()) return;
  userPaintStyle_ = Value;
  SwitchUserDefineOn(udPaintStyle);
}

void TdxBarItemLink::SetUserWidth(int32_t Value) {
  if (Value == GetWidth()) return;
  userWidth_ = Value;
  SwitchUserDefineOn(udWidth);
}

// ---------------------------------------------------------------- link: control

void TdxBarItemLink::CreateControl() {
  TCustomdxBarControl* window = GetBarControl();
  if (control_ || !item_ || !window || window->InState(csDestroying)) return;
  TClass controlClass = item_->GetControlClass(window->IsVertical());
  if (!controlClass) return;
  control_ = dxBarCreateItemControl(controlClass, window, this);
}

void TdxBarItemLink::DestroyControl() { delete std::exchange(control_, nullptr); }

void TdxBarItemLink::RecreateControl() {
  TdxBarManager* m = GetBarManager();
  if (m && m->IsBarsUpdateLocked()) return;
  DestroyControl();
  CreateControl();
}

// Layout runs inside painting, so the control only works out its parts
// again; repainting here would make every paint ask for the next one.
void TdxBarItemLink::SetItemRect(const TRect& Value) {
  if (itemRect_ == Value) return;
  itemRect_ = Value;
  if (control_) control_->CalcParts();
}

TPoint TdxBarItemLink::ScreenToItemPoint(const TPoint& P) const {
  TCustomdxBarControl* window = GetBarControl();
  TPoint p = window ? window->ScreenToClient(P) : P;
  return TPoint(p.X - itemRect_.Left, p.Y - itemRect_.Top);
}

// ---------------------------------------------------------------- link: recent use

int32_t TdxBarItemLink::GetRecentIndex() const {
  TdxBarItemLinks* links = GetOwnerLinks();
  return links ? links->RecentIndexOf(this) : SavedRecentIndex;
}

void TdxBarItemLink::SetRecentIndex(int32_t Value) {
  TdxBarItemLinks* links = GetOwnerLinks();
  if (!links) {
    SavedRecentIndex = Value;
    return;
  }
  std::vector<TdxBarItemLink*>& recent = links->recentLinks_;
  const int32_t current = IndexIn(recent, this);
  if (current < 0) return;
  Value = std::clamp(Value, 0, int32_t(recent.size()) - 1);
  if (Value == current) return;
  recent.erase(recent.begin() + current);
  recent.insert(recent.begin() + Value, this);
  links->Refresh();
}

void TdxBarItemLink::BringToFront(bool ACount) {
  TdxBarItemLinks* links = GetOwnerLinks();
  if (!links || !links->UsesRecentItems()) return;
  SetRecentIndex(0);
  if (ACount) ++UseCount;
}

void TdxBarItemLink::MarkUsed(bool ACount) {
  if (!IsVisibleAndAvailable()) return;
  TdxBarItemLinks* links = GetOwnerLinks();
  if (!links) return;
  const int32_t visibleBefore = GetVisibleIndex();
  BringToFront(ACount);
  if (GetCandidateIndex() < 0) return;
  if (visibleBefore < 0) RebuildBarControl(links);
  // A sub-item's link counts the use of its menu's commands too.
  TdxBarItem* upper = dynamic_cast<TdxBarItem*>(links->OwnerComponent());
  if (!upper && !dynamic_cast<TdxBar*>(links->OwnerComponent()) && links->BarControl &&
      links->BarControl->OpeningItemControl)
    upper = links->BarControl->OpeningItemControl->GetItem();
  if (!upper) return;
  if (TdxBarItemLink* active = upper->GetActiveLink()) active->GetSourceLink()->MarkUsed(ACount);
}

void TdxBarItemLink::MoveToRecentEnd() {
  TdxBarItemLinks* links = GetOwnerLinks();
  if (!links) return;
  const bool wasVisible = GetVisibleIndex() >= 0;
  SetRecentIndex(links->RecentItemCount() - 1);
  if (wasVisible) RebuildBarControl(links);
}

void TdxBarItemLink::ApplyMostRecentlyUsed() {
  if (mostRecentlyUsed_) {
    TdxBarManager* m = GetBarManager();
    UseCount = m ? m->InitialUseCount() : 0;
    MarkUsed(false);
  } else {
    UseCount = 0;
    MoveToRecentEnd();
  }
}

void TdxBarItemLink::CopyRecentData(TdxBarItemLink* ASource) {
  if (!ASource) return;
  UseCount = ASource->UseCount;
  SetRecentIndex(ASource->GetRecentIndex());
}

// ---------------------------------------------------------------- link: editing

void TdxBarItemLink::PassBeginGroupToNext() {
  TdxBarItemLinks* links = GetOwnerLinks();
  if (!item_ || !links) return;
  const int32_t c = GetCandidateIndex();
  if (c < 0 || c >= links->CandidateItemCount() - 1) return;
  TdxBarItemLink* next = links->CandidateItems(c + 1);
  if (c == 0) {
    if (next->GetBeginGroup()) next->SetBeginGroup(false);
  } else if (GetBeginGroup() && !next->GetBeginGroup()) {
    next->SetBeginGroup(true);
  }
}

bool TdxBarItemLink::MatchesAccelerator(win::WORD AKey, TShiftState AShift) {
  TdxBarItem* item = GetItem();
  if (!item || !item->CanUseAccelerator(this) || AShift.Contains(ssCtrl)) return false;
  const char32_t ch = AcceleratorOf(GetCaption());
  if (ch == 0) return false;
  if (ch >= U'0' && ch <= U'9') return AKey == ch && AShift.Empty();
  if (ch > 0xFFFF) return false;
  const win::SHORT scan = win::VkKeyScan(char16_t(ch));
  return scan != -1 && AKey == win::WORD(scan & 0xFF);
}

void TdxBarItemLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemLink*>(Source);
  if (!source) {
    TcxInterfacedCollectionItem::Assign(Source);
    return;
  }
  Data = source->Data;
  userCaption_ = source->userCaption_;
  {
    TNotifyEvent onChange = std::exchange(userGlyph_->OnChange, nullptr);
    userGlyph_->Assign(source->userGlyph_.get());
    userGlyph_->OnChange = std::move(onChange);
  }
  userPaintStyle_ = source->userPaintStyle_;
  userWidth_ = source->userWidth_;

  TdxBarManager* m = GetBarManager();
  TdxBarItem* sourceItem = source->GetItem();
  TdxBarItem* item = nullptr;
  TdxBar* merging = dxBarMergingBar();
  TdxBarItemLinks* links = GetOwnerLinks();
  TComponent* owner = links ? links->OwnerComponent() : nullptr;
  if (merging && sourceItem && m && merging->GetBarManager() != m) {
    // Bars of another form: the item of the same name on this manager's form.
    TWinControl* form = m->OwnerControl();
    item = form ? dynamic_cast<TdxBarItem*>(form->FindComponent(sourceItem->Name())) : nullptr;
  } else if (sourceItem && m && (m->InState(csUpdating) || (owner && owner->InState(csUpdating)))) {
    item = m->FindItemByName(sourceItem->Name());
  } else {
    item = sourceItem;
  }
  if (item) SetItem(item);

  SetUserDefine(source->userDefine_);
  SetBeginGroup(source->GetBeginGroup());
  SetButtonGroup(source->buttonGroup_);
  SetDistributed(source->distributed_);
  SetPosition(source->position_);
  SetViewLevels(source->viewLevels_);
  SetVisible(source->visible_);
  CreatedByMerging = merging;
}

void TdxBarItemLink::ApplyCustomizingValue(int32_t AKind) {
  IdxBarItemDesigner* d = dxBarItemDesigner();
  auto* source = d ? dynamic_cast<TdxBarItemLink*>(d->LastSelectedElement()) : nullptr;
  if (!source) return;
  switch (AKind) {
    case 0: SetUserDefine(0); break;
    case 4:
      if (item_) item_->SetCaption(source->GetCaption());
      break;
    case 5: SetUserPaintStyle(source->userPaintStyle_); break;
    case 6: SetPosition(source->position_); break;
    case 7: SetViewLevels(source->viewLevels_); break;
    case 8: SetButtonGroup(source->buttonGroup_); break;
    case 9: SetDistributed(source->distributed_); break;
    case 10: SetBeginGroup(source->GetBeginGroup()); break;
    case 11: SetVisible(source->visible_); break;
    case 12: SetMostRecentlyUsed(source->mostRecentlyUsed_); break;
    default: break;
  }
}

void TdxBarItemLink::DefineProperties(TFiler* Filer) {
  TcxInterfacedCollectionItem::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TdxBarItemLink*>(Filer->Ancestor());
  bool hasData = item_ != nullptr;
  if (ancestor) {
    TdxBarItem* other = ancestor->item_;
    hasData = (other == nullptr) != (item_ == nullptr) || (other && item_ && other->Name() != item_->Name());
  }
  Filer->DefineProperty(
      "ItemName", [this](TReader& Reader) { LoadedItemName = Reader.ReadString(); },
      [this](TWriter& Writer) { Writer.WriteString(item_ ? item_->Name() : std::string()); }, hasData);
}

// ---------------------------------------------------------------- link: selectable element

void TdxBarItemLink::DeleteIfAllowed(IdxBarSelectableItem*& AReference, bool) {
  AReference = nullptr;
  delete this;
}

void TdxBarItemLink::CollectOwners(TdxObjectList* AList) {
  if (TCustomdxBarControl* window = GetBarControl()) TdxObjectList::AddToListOnce(AList, window->Owner());
  TdxObjectList::AddToListOnce(AList, item_);
}

void TdxBarItemLink::NextSelectable(IdxBarSelectableItem*& AElement) {
  TdxBarItemLinks* links = GetOwnerLinks();
  TdxBarItemLink* next = links ? links->GetItem(Index() + 1) : nullptr;
  if (!next && links) next = links->GetItem(Index() - 1);
  AElement = next;
}

TPersistent* TdxBarItemLink::SelectableParentObject() {
  TdxBarItemLinks* links = GetOwnerLinks();
  return links ? links->OwnerComponent() : nullptr;
}

int32_t TdxBarItemLink::GetDesignSelectionState() { return IsDesignSelected() ? 1 : 0; }

TdxBarCustomizationActions TdxBarItemLink::ElementActions() { return item_ ? item_->ElementActions() : 0; }

bool TdxBarItemLink::IsDesignSelected() {
  IdxBarItemDesigner* d = dxBarItemDesigner();
  return (d && d->LastSelectedElement() == this) || (item_ && item_->IsDesignSelected());
}

void TdxBarItemLink::DesignSelect(int32_t AOperation) {
  if (item_) item_->DesignSelect(AOperation);
}

bool TdxBarItemLink::SelectOwnParent() {
  IdxBarItemDesigner* d = dxBarItemDesigner();
  TCustomdxBarControl* window = GetBarControl();
  if (!d || !window) return false;
  d->SelectBarControl(window);
  return true;
}

// ---------------------------------------------------------------- item options

void TdxBarItemOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemOptions*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  assignedValues_ = source->assignedValues_;
  showDescriptions_ = source->showDescriptions_;
  showShortCuts_ = source->showShortCuts_;
  size_ = source->size_;
}

void TdxBarItemOptions::SetShowDescriptions(bool Value) {
  showDescriptions_ = Value;
  assignedValues_ |= ItemOptionBit(ioShowDescriptions);
}

void TdxBarItemOptions::SetShowShortCuts(bool Value) {
  showShortCuts_ = Value;
  assignedValues_ |= ItemOptionBit(ioShowShortCuts);
}

void TdxBarItemOptions::SetSize(TdxBarMenuItemSize Value) {
  size_ = Value;
  assignedValues_ |= ItemOptionBit(ioSize);
}

// ---------------------------------------------------------------- collection: life

TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* ABarManager, IdxBarLinksOwner* AOwner)
    : TCollection(CollectionItemClassOf<TdxBarItemLink>()),
      barManager_(ABarManager),
      owner_(AOwner),
      itemOptions_(std::make_unique<TdxBarItemOptions>(this)) {}

TdxBarItemLinks::~TdxBarItemLinks() {
  destroying_ = true;
  DistributedChangedLinks.clear();
  if (TCustomdxBarControl* window = std::exchange(BarControl, nullptr);
      window && IsLiveBarControl(window) && !window->InState(csDestroying))
    delete window;
  Clear();
}

TComponent* TdxBarItemLinks::OwnerComponent() const { return dynamic_cast<TComponent*>(owner_); }

void TdxBarItemLinks::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  TCollection::Notify(Item, Action);
  auto* link = static_cast<TdxBarItemLink*>(Item);
  if (Action == cnAdded) {
    link->recentOwner_ = this;
    if (IndexIn(recentLinks_, link) < 0) recentLinks_.push_back(link);
    if (barManager_ && !barManager_->InLoading() && barManager_->OnItemLinkAdd)
      barManager_->OnItemLinkAdd(barManager_, link);
  } else if (Action == cnExtracting) {
    RemoveFromLists(link);
  }
}

void TdxBarItemLinks::RemoveFromLists(TdxBarItemLink* ALink) {
  RemoveFrom(availableLinks_, ALink);
  RemoveFrom(candidateLinks_, ALink);
  RemoveFrom(visibleLinks_, ALink);
  RemoveFrom(recentLinks_, ALink);
  RemoveFrom(DistributedChangedLinks, ALink);
}

void TdxBarItemLinks::Update(TCollectionItem* Item) {
  if (destroying_) return;
  if (!Item) Refresh();
  if (TComponent* owner = OwnerComponent(); owner && owner->InState(csDestroying)) return;
  TCollection::Update(Item);
  if (Item) {
    if (barManager_) barManager_->DoItemLinkChange(static_cast<TdxBarItemLink*>(Item));
    return;
  }
  if (BarControl && BarControl->Enabled()) BarControl->RebuildBar();
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- collection: links

TdxBarItemLink* TdxBarItemLinks::Add() { return static_cast<TdxBarItemLink*>(TCollection::Add()); }

TdxBarItemLink* TdxBarItemLinks::Insert(int32_t Index) {
  return static_cast<TdxBarItemLink*>(TCollection::Insert(Index));
}

TdxBarItemLink* TdxBarItemLinks::AddItem(TClass AItemClass, TComponent* AOwner) {
  TdxBarItemLink* link = Add();
  TComponent* owner = AOwner ? AOwner : barManager_;
  TObject* made = nullptr;
  try {
    if (!AItemClass || !AItemClass->Create) throw EdxException("Cannot create an item of this class");
    made = AItemClass->Create(owner);
    auto* item = dynamic_cast<TdxBarItem*>(made);
    if (!item) throw EdxException("Cannot create an item of this class");
    if (barManager_ && item->BarManager() != barManager_) item->SetBarManager(barManager_);
    link->SetItem(item);
  } catch (...) {
    // The link leaves the freed item: it stays without one.
    if (link->item_) std::exchange(link->item_, nullptr)->RemoveLink(link);
    delete made;
    throw;
  }
  return link;
}

TdxBarItemLink* TdxBarItemLinks::AddExistingItem(TdxBarItem* AItem) {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  TdxBarItemLink* link = Add();
  try {
    link->SetItem(AItem);
  } catch (...) {
    delete link;
    throw;
  }
  return AItem ? link : nullptr;
}

TdxBarItemLink* TdxBarItemLinks::GetItem(int32_t Index) const {
  return Index >= 0 && Index < Count() ? static_cast<TdxBarItemLink*>(Items(Index)) : nullptr;
}

int32_t TdxBarItemLinks::IndexOf(const TdxBarItemLink* ALink) const {
  return ALink && ALink->Collection() == this ? ALink->Index() : -1;
}

int32_t TdxBarItemLinks::IndexOfItemName(const std::string& AName) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (TdxBarItem* item = GetItem(i)->GetItem(); item && item->Name() == AName) return i;
  return -1;
}

void TdxBarItemLinks::Move(int32_t ACurIndex, int32_t ANewIndex) {
  if (ACurIndex < 0 || ACurIndex >= Count() || ANewIndex < 0 || ANewIndex >= Count() || ACurIndex == ANewIndex)
    return;
  BeginUpdate();
  {
    TScopeExit end([this] { EndUpdate(); });
    GetItem(ACurIndex)->SetIndex(ANewIndex);
  }
  RebuildBarControl(this);
}

// ---------------------------------------------------------------- collection: derived lists

TdxBarItemLink* TdxBarItemLinks::AvailableItems(int32_t Index) const { return ItemIn(availableLinks_, Index); }
TdxBarItemLink* TdxBarItemLinks::CandidateItems(int32_t Index) const { return ItemIn(candidateLinks_, Index); }
TdxBarItemLink* TdxBarItemLinks::VisibleItems(int32_t Index) const { return ItemIn(visibleLinks_, Index); }
TdxBarItemLink* TdxBarItemLinks::RecentItems(int32_t Index) const { return ItemIn(recentLinks_, Index); }
int32_t TdxBarItemLinks::CandidateIndexOf(const TdxBarItemLink* ALink) const { return IndexIn(candidateLinks_, ALink); }
int32_t TdxBarItemLinks::VisibleIndexOf(const TdxBarItemLink* ALink) const { return IndexIn(visibleLinks_, ALink); }
int32_t TdxBarItemLinks::RecentIndexOf(const TdxBarItemLink* ALink) const { return IndexIn(recentLinks_, ALink); }

void TdxBarItemLinks::Refresh() {
  availableLinks_.clear();
  candidateLinks_.clear();
  visibleLinks_.clear();
  const bool designing = barManager_ && barManager_->InDesigner();
  for (int32_t i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = GetItem(i);
    TdxBarItem* item = link->GetItem();
    if (!item) continue;
    if (designing) {
      availableLinks_.push_back(link);
      candidateLinks_.push_back(link);
      visibleLinks_.push_back(link);
      continue;
    }
    if (!item->IsItemAvailable()) continue;
    availableLinks_.push_back(link);
    if (!link->Visible()) continue;
    candidateLinks_.push_back(link);
    if (recentCount_ == -1) visibleLinks_.push_back(link);
  }
  if (designing) return;
  if (recentCount_ > 0) {
    for (TdxBarItemLink* link : recentLinks_) {
      if (int32_t(visibleLinks_.size()) >= recentCount_) break;
      if (CandidateIndexOf(link) >= 0) visibleLinks_.push_back(link);
    }
    std::sort(visibleLinks_.begin(), visibleLinks_.end(),
              [this](TdxBarItemLink* a, TdxBarItemLink* b) { return CandidateIndexOf(a) < CandidateIndexOf(b); });
  }
  if ((barManager_ && barManager_->IsCustomizingOrDesigning()) || UpdateCount() > 0) return;
  // Trailing separators go; of a run of separators only the last stays.
  bool nextIsSeparator = true;
  for (int32_t i = int32_t(visibleLinks_.size()) - 1; i >= 0; --i) {
    TdxBarItemLink* link = visibleLinks_[size_t(i)];
    const bool separator = IsSeparatorLink(link);
    if (separator && nextIsSeparator) {
      visibleLinks_.erase(visibleLinks_.begin() + i);
      RemoveFrom(candidateLinks_, link);
    }
    nextIsSeparator = separator;
  }
}

int32_t TdxBarItemLinks::GetFittingCount() {
  if (ShowsAllVisibleLinks()) return GetVisibleItemCount();
  if (!BarControl) return 0;
  const TRect client = BarControl->ClientRect();
  int32_t n = 0;
  for (TdxBarItemLink* link : visibleLinks_) {
    const TRect& r = link->ItemRect();
    if (r.IsEmpty() || r.Left < client.Left || r.Top < client.Top || r.Right > client.Right ||
        r.Bottom > client.Bottom)
      break;
    ++n;
  }
  return n;
}

bool TdxBarItemLinks::ShowsAllVisibleLinks() { return !dynamic_cast<TdxBar*>(owner_); }

// ---------------------------------------------------------------- collection: recent items

bool TdxBarItemLinks::UsesRecentItems() const {
  if (!barManager_ || !barManager_->IsNonStandardStyle() || !UseRecentItems) return false;
  TCustomdxBarControl* parent = BarControl ? BarControl->GetParentBarControl() : nullptr;
  TdxBarItemLinks* parentLinks = parent ? parent->ItemLinks() : nullptr;
  return !parentLinks || parentLinks->UsesRecentItems();
}

void TdxBarItemLinks::SetRecentCount(int32_t Value) {
  if (!UsesRecentItems()) Value = -1;
  prevRecentCount_ = recentCount_;
  if (Value == recentCount_) return;
  recentCount_ = Value;
  Refresh();
}

void TdxBarItemLinks::RestoreRecentCount() {
  recentCount_ = prevRecentCount_;
  Refresh();
}

int32_t TdxBarItemLinks::ComputeRecentCount() const {
  if (!UsesRecentItems() || candidateLinks_.empty()) return -1;
  int32_t lo = candidateLinks_.front()->UseCount, hi = lo;
  for (const TdxBarItemLink* link : candidateLinks_) {
    lo = std::min(lo, link->UseCount);
    hi = std::max(hi, link->UseCount);
  }
  const int64_t spread = int64_t(hi) - lo;
  const int32_t threshold = lo + DivideBy100RoundHalfEven(spread * (100 - barManager_->MostRecentItemsPercents()));
  const int32_t candidates = CandidateItemCount();
  int32_t count = 0;
  for (int32_t pos = std::min(candidates, RecentItemCount()) - 1; pos >= 0; --pos)
    if (RecentItems(pos)->UseCount >= threshold) {
      count = pos + 1;
      break;
    }
  return count == candidates ? -1 : count;
}

void TdxBarItemLinks::CompactRecentList() {
  std::stable_partition(recentLinks_.begin(), recentLinks_.end(),
                        [this](TdxBarItemLink* link) { return CandidateIndexOf(link) >= 0; });
}

// ---------------------------------------------------------------- collection: loading

void TdxBarItemLinks::ResolveItemNames() {
  for (int32_t i = Count() - 1; i >= 0; --i) {
    TdxBarItemLink* link = GetItem(i);
    if (link->LoadedItemName.empty()) continue;
    const std::string name = std::exchange(link->LoadedItemName, std::string());
    // A name that matches no item leaves the link without one; it never shows.
    if (TdxBarItem* item = barManager_ ? barManager_->FindItemByName(name) : nullptr) link->SetItem(item);
  }
  ApplyLoadedData(true);
}

void TdxBarItemLinks::ApplyLoadedData(bool AApplyVisible) {
  for (int32_t i = Count() - 1; i >= 0; --i)
    if (GetItem(i)->GetItem()) GetItem(i)->ApplyMostRecentlyUsed();
  if (AApplyVisible)
    for (int32_t i = Count() - 1; i >= 0; --i) GetItem(i)->ApplyVisible(GetItem(i)->LoadedVisible);
  for (int32_t pos = 0; pos < Count(); ++pos)
    for (int32_t i = 0; i < Count(); ++i) {
      TdxBarItemLink* link = GetItem(i);
      if (link->LoadedRecentIndex != pos) continue;
      link->UseCount = link->LoadedUseCount;
      link->SetRecentIndex(pos);
      link->LoadedRecentIndex = -1;
      break;
    }
  RebuildBarControl(this);
}

// ---------------------------------------------------------------- collection: keyboard

bool TdxBarItemLinks::DispatchShortCut(TShortCut AShortCut) {
  // Sub-items that hold each other must not send the search round in
  // circles; the walk keeps the lists it is in outside the lists themselves,
  // because a click may free them.
  static thread_local std::vector<const TdxBarItemLinks*> walking;
  if (AShortCut == scNone || IndexIn(walking, this) >= 0) return false;
  walking.push_back(this);
  TScopeExit leave([] { walking.pop_back(); });
  // Action update handlers run first: they may enable an item.
  for (int32_t i = 0; i < Count(); ++i)
    if (TdxBarItem* item = GetItem(i)->GetItem(); item && item->Action()) item->Action()->Update();
  // Links hidden by their own Visible take part: their items are available.
  for (int32_t i = 0; i < Count(); ++i) {
    TdxBarItem* item = GetItem(i)->GetItem();
    if (item && item->IsItemAvailable() && item->DispatchShortCut(AShortCut)) return true;
  }
  return false;
}

TdxBarItemLink* TdxBarItemLinks::FindLinkByAccelerator(win::WORD AKey, TShiftState AShift,
                                                       TdxBarItemLink* AStartLink) {
  AShift.Exclude(ssAlt);
  return DoFindLinkByAccelerator(AKey, AShift, AStartLink);
}

TdxBarItemLink* TdxBarItemLinks::DoFindLinkByAccelerator(win::WORD, TShiftState, TdxBarItemLink*) { return nullptr; }

TdxBarItemLink* TdxBarControlItemLinks::DoFindLinkByAccelerator(win::WORD AKey, TShiftState AShift,
                                                                TdxBarItemLink* AStartLink) {
  if (!BarControl || !BarControl->Visible()) return nullptr;
  TdxBarItemLink* stop = AStartLink && AStartLink->GetVisibleIndex() >= 0 ? AStartLink : nullptr;
  TdxBarItemLink* link = AStartLink;
  for (int32_t guard = 0; guard <= GetVisibleItemCount(); ++guard) {
    link = GetNextSelectableLink(link, false);
    if (!link || link == stop) return nullptr;
    if (!stop) stop = link;
    if (link->MatchesAccelerator(AKey, AShift)) return link;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarSubMenuControlItemLinks::DoFindLinkByAccelerator(win::WORD AKey, TShiftState AShift,
                                                                       TdxBarItemLink* AStartLink) {
  const int32_t n = CandidateItemCount();
  if (n == 0) return nullptr;
  int32_t first, steps;
  const int32_t start = AStartLink ? CandidateIndexOf(AStartLink) : -1;
  if (!AStartLink) {
    first = 1 % n;  // the first candidate comes last
    steps = n;
  } else if (start >= 0) {
    first = (start + 1) % n;
    steps = n - 1;
  } else {
    // A start that is not a candidate: the candidates after it, one full round.
    const int32_t at = AStartLink->Index();
    first = 0;
    while (first < n && CandidateItems(first)->Index() < at) ++first;
    first %= n;
    steps = n;
  }
  for (int32_t k = 0; k < steps; ++k) {
    TdxBarItemLink* link = CandidateItems((first + k) % n);
    if (link->MatchesAccelerator(AKey, AShift)) return link;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::GetFirstSelectableLink() {
  const int32_t fit = GetFittingCount();
  for (int32_t i = 0; i < fit; ++i)
    if (ControlCanBeSelected(VisibleItems(i))) return VisibleItems(i);
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::GetLastSelectableLink() {
  for (int32_t i = GetFittingCount() - 1; i >= 0; --i)
    if (ControlCanBeSelected(VisibleItems(i))) return VisibleItems(i);
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::GetNextSelectableLink(TdxBarItemLink* ALink, bool AAny) {
  if (!ALink) return GetFirstSelectableLink();
  const int32_t fit = GetFittingCount();
  if (fit == 0) return nullptr;
  int32_t pos = ALink->GetVisibleIndex();
  if (pos < 0 || pos >= fit) pos = -1;
  for (int32_t k = 1; k <= fit; ++k) {
    TdxBarItemLink* link = VisibleItems((pos + k + fit) % fit);
    if (AAny || ControlCanBeSelected(link)) return link;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::GetPrevSelectableLink(TdxBarItemLink* ALink, bool AAny) {
  if (!ALink) return GetLastSelectableLink();
  const int32_t fit = GetFittingCount();
  if (fit == 0) return nullptr;
  int32_t pos = ALink->GetVisibleIndex();
  if (pos < 0 || pos >= fit) pos = fit;
  for (int32_t k = 1; k <= fit; ++k) {
    TdxBarItemLink* link = VisibleItems(((pos - k) % fit + fit) % fit);
    if (AAny || ControlCanBeSelected(link)) return link;
  }
  return nullptr;
}

// ---------------------------------------------------------------- collection: bar window

TCustomdxBarControl* TdxBarItemLinks::CreateBarControl() {
  if (!owner_) return nullptr;
  BarControl = owner_->CreateBarControl();
  if (BarControl) BarControl->SetItemLinks(this);
  return BarControl;
}

void TdxBarItemLinks::FreeBarControl() {
  TCustomdxBarControl* window = std::exchange(BarControl, nullptr);
  if (window && IsLiveBarControl(window)) delete window;
}

bool TdxBarItemLinks::HasControl(TdxBarItemControl* AControl) const {
  if (!AControl) return false;
  for (int32_t i = 0; i < Count(); ++i)
    if (GetItem(i)->Control() == AControl) return true;
  return false;
}

void TdxBarItemLinks::ClearItemRects() {
  for (int32_t i = 0; i < Count(); ++i) GetItem(i)->itemRect_ = TRect();
}

bool TdxBarItemLinks::CanContainItem(TdxBarItem* AItem, std::string& AErrorText) {
  AErrorText.clear();
  return !owner_ || owner_->CanContainItem(AItem, AErrorText);
}

bool TdxBarItemLinks::ContainsLinksOwner(IdxBarLinksOwner* AOwner) {
  // Sub-items that hold each other must not send the walk round in circles.
  std::vector<const TdxBarItemLinks*> seen;
  std::function<bool(const TdxBarItemLinks*)> walk = [&](const TdxBarItemLinks* links) {
    if (IndexIn(seen, links) >= 0) return false;
    seen.push_back(links);
    if (AOwner->GetItemLinks() == links) return true;
    for (int32_t i = 0; i < links->Count(); ++i) {
      TdxBarItem* item = links->GetItem(i)->GetItem();
      if (!item) continue;
      if (dynamic_cast<IdxBarLinksOwner*>(item) == AOwner) return true;
      if (TdxBarItemLinks* own = item->GetItemLinks(); own && walk(own)) return true;
    }
    return false;
  };
  return AOwner && walk(this);
}

// ---------------------------------------------------------------- collection: options

int32_t TdxBarItemLinks::GetDefaultOptionValue(TdxBarItemOptionValue AOption) {
  switch (AOption) {
    case ioShowDescriptions: return 0;
    case ioShowShortCuts: return 1;
    default: return misNormal;
  }
}

int32_t TdxBarItemLinks::GetOptionValue(TdxBarItemOptionValue AOption) {
  TCustomdxBarControl* parent = BarControl ? BarControl->GetParentBarControl() : nullptr;
  TdxBarItemLinks* parentLinks = parent ? parent->ItemLinks() : nullptr;
  if (!itemOptions_->IsAssigned(AOption)) {
    if (parentLinks && parentLinks != this) return parentLinks->GetOptionValue(AOption);
    return GetDefaultOptionValue(AOption);
  }
  switch (AOption) {
    case ioShowDescriptions: return itemOptions_->ShowDescriptions();
    case ioShowShortCuts: return itemOptions_->ShowShortCuts();
    default: return itemOptions_->Size();
  }
}

// ---------------------------------------------------------------- collection: copying and merging

void TdxBarItemLinks::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemLinks*>(Source);
  if (!source) {
    TCollection::Assign(Source);
    return;
  }
  TdxBarItem* systemMenu = nullptr;
  if (TdxBarItemLink* first = GetItem(0); first && InheritsFromClassNamed(first->GetItem(), "TSystemMenuSubItem"))
    systemMenu = first->GetItem();
  assigning_ = true;
  TScopeExit finish([this, systemMenu] {
    assigning_ = false;
    for (int32_t i = 0; i < Count(); ++i) GetItem(i)->ApplyVisible(GetItem(i)->LoadedVisible);
    if (systemMenu) Insert(0)->SetItem(systemMenu);
  });
  TCollection::Assign(source);
}

void TdxBarItemLinks::Merge(TdxBarItemLinks* ASourceItemLinks) {
  if (!ASourceItemLinks || ASourceItemLinks == this) return;
  for (int32_t s = 0; s < ASourceItemLinks->Count(); ++s) {
    TdxBarItemLink* sourceLink = ASourceItemLinks->GetItem(s);
    TdxBarItem* sourceItem = sourceLink->GetItem();
    if (!sourceItem || sourceItem->MergeKind() == mkNone) continue;
    auto compatible = [sourceItem](TdxBarItem* own) {
      return own && own->IsMergeCompatible(sourceItem) && sourceItem->IsMergeCompatible(own);
    };
    TdxBarItemMergeKind kind = mkAdd;
    int32_t position = -1;
    if (sourceItem->MergeKind() == mkMergeByCaption) {
      const std::string caption = sourceLink->GetCaption();
      for (int32_t i = Count() - 1; i >= 0 && position < 0; --i) {
        TdxBarItem* own = GetItem(i)->GetItem();
        if (own && own->MergeKind() == mkMergeByCaption && GetItem(i)->GetCaption() == caption && compatible(own)) {
          position = i;
          kind = mkMergeByCaption;
        }
      }
    }
    if (position < 0) {
      int32_t after = -1;
      for (int32_t i = 0; i < Count(); ++i) {
        TdxBarItem* own = GetItem(i)->GetItem();
        if (!own || own->MergeOrder() > sourceItem->MergeOrder()) continue;
        if (after < 0 || own->MergeOrder() >= GetItem(after)->GetItem()->MergeOrder()) after = i;
      }
      position = after + 1;
    }
    if (barManager_) barManager_->DoMergeItemLink(this, ASourceItemLinks, sourceLink, kind, position);
    if (position < 0) continue;
    if (kind == mkMergeByCaption) {
      if (position >= Count()) continue;
      TdxBarItem* own = GetItem(position)->GetItem();
      if (!compatible(own)) continue;
      TdxBarItemLinks* target = own->GetItemLinks();
      TdxBarItemLinks* from = sourceItem->GetItemLinks();
      if (target && from) target->Merge(from);
    } else {
      if (position > Count()) continue;
      Insert(position)->Assign(sourceLink);
    }
  }
}

void TdxBarItemLinks::Unmerge(TdxBar* ABar) {
  for (int32_t i = Count() - 1; i >= 0; --i) {
    TdxBarItemLink* link = GetItem(i);
    if (link->CreatedByMerging && (!ABar || link->CreatedByMerging == ABar)) {
      Delete(i);
      continue;
    }
    if (TdxBarItem* item = link->GetItem())
      if (TdxBarItemLinks* own = item->GetItemLinks(); own && own != this) own->Unmerge(ABar);
  }
}
