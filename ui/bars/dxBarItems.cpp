// The toolbar item and its action link.
#include "ui/bars/dxBarItems.h"

#include <algorithm>

#include "platform/classes/filer.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarItemStylesData.h"
#include "ui/bars/dxBarScreenTip.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxDrawImage.h"
#include "ui/lookandfeel/cxStyles.h"

namespace {

IdxBarItemDesigner* gDesigner = nullptr;

TComponentList* ItemsOf(TdxBarManager* m) { return m->ItemList(); }

TdxBarManager* ManagerForOwner(TComponent* AOwner) {
  if (auto* m = dynamic_cast<TdxBarManager*>(AOwner)) return m;
  TdxBarManagerList* list = dxBarManagerList();
  if (TdxBarManager* m = list->FindManagerOfOwner(AOwner)) return m;
  return list->Count() > 0 ? list->Items(0) : nullptr;
}

}  // namespace

IdxBarItemDesigner* dxBarItemDesigner() { return gDesigner; }
void SetdxBarItemDesigner(IdxBarItemDesigner* ADesigner) { gDesigner = ADesigner; }

bool SameEventCode(const TNotifyEvent& A, const TNotifyEvent& B) {
  if (!A || !B) return !A && !B;
  if (A.target_type() != B.target_type()) return false;
  using TBinding = typinfo_detail::TMethodBinding<void(TObject*)>;
  if (const auto* a = A.target<TBinding>()) {
    const auto* b = B.target<TBinding>();
    return SameText(a->Name, b->Name) && a->Data && b->Data && a->Data->ClassType() == b->Data->ClassType();
  }
  using TFunction = void (*)(TObject*);
  if (const auto* a = A.target<TFunction>()) return *a == *B.target<TFunction>();
  // One lambda or functor type is one piece of code.
  return true;
}

// ---------------------------------------------------------------- action link

TdxBarItemActionLink::~TdxBarItemActionLink() { SetAction(nullptr); }

void TdxBarItemActionLink::SetAction(TBasicAction* Value) {
  if (action_ == Value) return;
  if (action_) action_->UnRegisterLink(this);
  action_ = Value;
  if (action_) action_->RegisterLink(this);
}

TCustomAction* TdxBarItemActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(action_); }

bool TdxBarItemActionLink::Execute(TComponent* AComponent) {
  TBasicAction* action = action_;
  if (!action) return false;
  // The action may free the item (and this link) or itself.
  TcxObjectLink* item = AddObjectLink(client_);
  action->SetActionComponent(AComponent);
  TScopeExit done([&] {
    if (item->Target && action_ == action) action->SetActionComponent(nullptr);
    RemoveObjectLink(item);
  });
  return action->Execute();
}

bool TdxBarItemActionLink::IsCaptionLinked() const {
  TCustomAction* a = CustomAction();
  return a && client_->Caption() == a->Caption();
}

bool TdxBarItemActionLink::IsCheckedLinked() const {
  TCustomAction* a = CustomAction();
  auto* button = dynamic_cast<TdxBarButton*>(client_);
  return a && button && button->Down() == a->Checked();
}

bool TdxBarItemActionLink::IsEnabledLinked() const {
  TCustomAction* a = CustomAction();
  return a && client_->GetEnabled() == a->Enabled();
}

bool TdxBarItemActionLink::IsHelpContextLinked() const {
  TCustomAction* a = CustomAction();
  return a && client_->HelpContext() == a->HelpContext();
}

bool TdxBarItemActionLink::IsHintLinked() const {
  TCustomAction* a = CustomAction();
  return a && (client_->Hint() == a->Hint() || client_->IsHintFromCaption());
}

bool TdxBarItemActionLink::IsImageIndexLinked() const {
  TCustomAction* a = CustomAction();
  return a && client_->GetActionImageIndex() == a->ImageIndex();
}

bool TdxBarItemActionLink::IsShortCutLinked() const {
  TCustomAction* a = CustomAction();
  return a && client_->ShortCut() == a->ShortCut();
}

bool TdxBarItemActionLink::IsVisibleLinked() const {
  TCustomAction* a = CustomAction();
  if (!a) return false;
  const TdxBarItemVisible visible =
      client_->BarManager() && client_->BarManager()->InLoading() ? client_->LoadedVisible() : client_->Visible();
  return visible == (a->Visible() ? ivAlways : ivNever);
}

bool TdxBarItemActionLink::IsOnExecuteLinked() const {
  return action_ && client_->OnClick && SameEventCode(client_->OnClick, action_->OnExecute);
}

void TdxBarItemActionLink::ActionChanged(TBasicAction* AAction) {
  if (OnChange) OnChange(AAction);
}

void TdxBarItemActionLink::ActionFreed(TBasicAction* AAction) {
  if (action_ == AAction) action_ = nullptr;
}

// ---------------------------------------------------------------- construction

TdxBarItem::TdxBarItem(TComponent* AOwner)
    : TdxBarComponent(AOwner), glyph_(std::make_unique<TBitmap>()), largeGlyph_(std::make_unique<TBitmap>()) {
  SetBarManager(ManagerForOwner(AOwner));
  glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
  largeGlyph_->OnChange = [this](TObject*) { LargeGlyphChanged(); };
}

TdxBarItem::~TdxBarItem() {
  CallNotifyEvent(this, OnDestroy);
  Destroying();
  TdxBarManager* m = barManager_;
  bool onToolbarWindow = false;
  for (TdxBarItemLink* link : links_)
    if (TdxBarItemLinks* owner = link->GetOwnerLinks())
      if (TCustomdxBarControl* window = owner->BarControl; window && window->GetBarKind() == 0) {
        TdxBarManager* wm = window->GetBarManager();
        onToolbarWindow = onToolbarWindow || (wm && !wm->IsBarsUpdateLocked());
      }
  if (m && !m->InDestruction() && onToolbarWindow) {
    m->BeginBarsUpdate();
    TScopeExit unlock([m] { m->EndBarsUpdate(); });
    DeleteAllLinks();
  } else {
    DeleteAllLinks();
  }
  SetAction(nullptr);
  // A hint waiting to show must not reach a freed item.
  if (barManager_) barManager_->ForgetHintObject(this);
  LeaveManager(ItemsOf);
}

void TdxBarItem::SetBarManager(TdxBarManager* Value) { MoveToManager(Value, ItemsOf); }

// The manager's Loaded applies the values read from the form; until its
// manager has finished loading (or, before it is known, the item itself) the
// item only keeps them.
bool TdxBarItem::IsLoading() const { return barManager_ ? barManager_->InLoading() : Loading(); }

// ---------------------------------------------------------------- framework overrides

void TdxBarItem::Loaded() {
  TdxBarComponent::Loaded();
  if (TBasicAction* a = Action()) ActionChange(a, true);
  CallNotifyEvent(this, OnCreate);
}

void TdxBarItem::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent) return;
  if (AComponent == Action()) SetAction(nullptr);
  if (AComponent == screenTip_) SetScreenTip(nullptr);
}

void TdxBarItem::ReadState(TReader* Reader) {
  TdxBarComponent::ReadState(Reader);
  if (auto* m = dynamic_cast<TdxBarManager*>(Reader->Parent())) {
    SetBarManager(m);
    BarManagerChanged();
  }
}

void TdxBarItem::SetName(const std::string& NewName) {
  TdxBarComponent::SetName(NewName);
  if (!(Designing() && NewName.empty())) NotifyChangeListeners(false);
}

TComponent* TdxBarItem::GetParentComponent() { return HasParent() ? barManager_ : nullptr; }

void TdxBarItem::SetParentComponent(TComponent* Value) {
  if (auto* m = dynamic_cast<TdxBarManager*>(Value)) SetBarManager(m);
}

void TdxBarItem::AssignTo(TPersistent* Dest) {
  auto* a = dynamic_cast<TCustomAction*>(Dest);
  if (!a) {
    TdxBarComponent::AssignTo(Dest);
    return;
  }
  a->SetCaption(Caption());
  if (auto* button = dynamic_cast<TdxBarButton*>(this)) a->SetChecked(button->Down());
  a->SetEnabled(GetEnabled());
  a->SetHelpContext(helpContext_);
  a->SetHint(hint_);
  a->SetImageIndex(imageIndex_);
  a->SetShortCut(shortCut_);
  if (Visible() == ivNever) a->SetVisible(false);
  else if (Visible() == ivAlways) a->SetVisible(true);
  a->OnExecute = OnClick;
}

void TdxBarItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TdxBarItem*>(Source);
  if (!s) {
    TdxBarComponent::Assign(Source);
    return;
  }
  SetAction(s->Action());
  SetAlign(s->Align());
  SetCaption(s->Caption());
  SetCategory(s->Category());
  SetDescription(s->Description());
  SetEnabled(s->Enabled());
  SetHelpContext(s->HelpContext());
  SetHint(s->Hint());
  SetKeyTip(s->KeyTip());
  SetMergeKind(s->MergeKind());
  SetMergeOrder(s->MergeOrder());
  SetStyle(s->Style());
  SetScreenTip(s->ScreenTip());
  SetVisible(s->Visible());
  Data = s->Data;
  SetGlyph(s->Glyph());
  SetImageIndex(s->ImageIndex());
  SetLargeGlyph(s->LargeGlyph());
  SetLargeImageIndex(s->LargeImageIndex());
  SetShortCut(s->ShortCut());
  OnClick = s->OnClick;
}

// ---------------------------------------------------------------- properties

void TdxBarItem::SetAction(TBasicAction* Value) {
  if (Action() == Value) return;
  if (!Value) {
    if (TBasicAction* old = Action()) {
      if (old->ActionComponent() == this) old->SetActionComponent(nullptr);
      old->RemoveFreeNotification(this);
    }
    actionLink_.reset();
    return;
  }
  const bool loading = Value->Loading();
  TdxBarManager* m = barManager_;
  const bool lock = loading && m;
  if (lock) m->LockDesignerNotifications(true);
  TScopeExit unlock([&] {
    if (lock) m->LockDesignerNotifications(false);
  });
  if (!actionLink_) actionLink_ = std::make_unique<TdxBarItemActionLink>(this);
  if (TBasicAction* old = actionLink_->Action()) old->RemoveFreeNotification(this);
  actionLink_->SetAction(Value);
  actionLink_->OnChange = [this](TObject* Sender) {
    if (Sender == Action()) ActionChange(Sender, false);
  };
  ActionChange(Value, loading);
  Value->FreeNotification(this);
}

void TdxBarItem::ActionChange(TObject* Sender, bool ACheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  if (!ACheckDefaults || Caption().empty()) {
    checkDefaults_ = true;
    TScopeExit done([this] { checkDefaults_ = false; });
    SetCaption(a->Caption());
  }
  if (auto* button = dynamic_cast<TdxBarButton*>(this))
    if (!ACheckDefaults || !button->Down()) button->SetDown(a->Checked());
  if (!ACheckDefaults || GetEnabled()) SetEnabled(a->Enabled());
  if (!ACheckDefaults || helpContext_ == 0) SetHelpContext(a->HelpContext());
  if (!ACheckDefaults || hint_.empty()) SetHint(a->Hint());
  if (!ACheckDefaults || GetActionImageIndex() == -1) SetActionImageIndex(a->ImageIndex());
  if (!ACheckDefaults || shortCut_ == scNone) SetShortCut(a->ShortCut());
  if (!ACheckDefaults || Visible() == ivAlways) SetVisible(a->Visible() ? ivAlways : ivNever);
  if (!ACheckDefaults || !OnClick) OnClick = a->OnExecute;
}

void TdxBarItem::SetAlign(TdxBarItemAlign Value) {
  if (align_ == Value) return;
  align_ = Value;
  UpdateBars();
}

namespace {

// Points AField at AValue and watches that one for destruction instead; false when nothing changed.
template <class T>
bool ReplaceWatchedReference(TComponent* AWatcher, T*& AField, T* AValue) {
  if (AField == AValue) return false;
  if (AField) AField->RemoveFreeNotification(AWatcher);
  AField = AValue;
  if (AField) AField->FreeNotification(AWatcher);
  return true;
}

}  // namespace

void TdxBarItem::SetScreenTip(TdxBarScreenTip* Value) { ReplaceWatchedReference(this, screenTip_, Value); }

TdxBarItemStylesData* TdxBarItem::StylesData() const {
  if (!stylesData_) {
    auto* self = const_cast<TdxBarItem*>(this);
    stylesData_ = std::make_unique<TdxBarItemStylesData>(self, GetStyleCount());
    stylesData_->OnChanged = [self](TdxBarItemStyleChangeKind AKind) { self->StylesChanged(AKind); };
  }
  return stylesData_.get();
}

TcxStyle* TdxBarItem::Style() const { return stylesData_ ? stylesData_->GetStyle(0) : nullptr; }

void TdxBarItem::SetStyle(TcxStyle* Value) { StylesData()->SetStyle(0, Value); }

TcxStyleViewParams TdxBarItem::GetStyleViewParams(int32_t AIndex) const {
  TcxStyleViewParams params;
  if (stylesData_) TcxStyle::ApplyTo(stylesData_->GetStyle(AIndex), params);
  return params;
}

void TdxBarItem::StylesChanged(uint8_t AKind) {
  if (InState(csDestroying)) return;
  if (AKind == sckStructure) {
    TdxBarManager* m = barManager_;
    if (!(m && m->IsBarsUpdateLocked()))
      for (TdxBarItemLink* link : std::vector<TdxBarItemLink*>(links_))
        if (link->Control()) link->RecreateControl();
    UpdateBars();
  } else {
    ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) { c->Invalidate(); });
    RefreshControls();
  }
}

void TdxBarItem::SetCaption(const std::string& Value) {
  if (caption_ == Value) return;
  const bool hintFollows = !checkDefaults_ && CaptionSetsHint() && (hint_.empty() || IsHintFromCaption());
  caption_ = Value;
  if (IsLoading()) return;
  if (hintFollows) {
    const std::string shortHint = GetCleanCaption();
    const size_t bar = hint_.find('|');
    hint_ = bar == std::string::npos ? shortHint : shortHint + hint_.substr(bar);
  }
  CaptionChanged();
}

bool TdxBarItem::IsCaptionStored() const { return !(actionLink_ && actionLink_->IsCaptionLinked()); }

void TdxBarItem::SetCategory(int32_t Value) {
  if (IsLoading()) {
    category_ = Value;
    return;
  }
  TdxBarManager* m = barManager_;
  if (!m || !m->Categories()->IsValidCategory(Value) || Value == category_) return;
  TList items;
  if (m->GetItemsOfCategory(Value, &items) > 0) {
    auto* last = static_cast<TdxBarItem*>(items.Last());
    const int32_t lastIndex = m->ItemList()->IndexOf(last);
    const int32_t index = m->ItemList()->IndexOf(this);
    if (lastIndex < index) m->MoveItem(index, lastIndex + 1);
    else m->MoveItem(index, lastIndex);
  }
  category_ = Value;
  NotifyChangeListeners(true);
}

bool TdxBarItem::GetEnabled() const {
  if (barManager_ && barManager_->IsCustomizing() && !barManager_->InDesigner() && category_ >= 0) return true;
  return enabled_;
}

void TdxBarItem::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  if (!IsLoading()) EnabledChanged();
}

void TdxBarItem::SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }
void TdxBarItem::SetLargeGlyph(TBitmap* Value) { largeGlyph_->Assign(Value); }

void TdxBarItem::SetImageIndex(int32_t Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  GlyphChanged();
}

void TdxBarItem::SetLargeImageIndex(int32_t Value) {
  if (largeImageIndex_ == Value) return;
  largeImageIndex_ = Value;
  LargeGlyphChanged();
}

void TdxBarItem::SetShortCut(TShortCut Value) {
  if (shortCut_ == Value) return;
  shortCut_ = Value;
  if (!IsLoading()) ShortCutChanged();
}

void TdxBarItem::SetShowCaption(bool Value) {
  if (showCaption_ == Value) return;
  showCaption_ = Value;
  if (!IsLoading()) UpdateBars();
}

void TdxBarItem::SetWidth(int32_t Value) {
  if (Value < 0 || width_ == Value) return;
  width_ = Value;
  WidthChanged();
}

void TdxBarItem::SetVisible(TdxBarItemVisible Value) {
  if (IsLoading()) {
    loadedVisible_ = Value;
    return;
  }
  if (Visible() == Value) return;
  visible_ = Value;
  if (!Designing()) VisibleChanged();
}

void TdxBarItem::VisibleChanged() {
  TScopeExit notify([this] { NotifyChangeListeners(false); });
  TdxBarManager* m = barManager_;
  if (m) m->BeginBarsUpdate();
  TScopeExit unlock([m] {
    if (m) m->EndBarsUpdate();
  });
  for (TdxBarItemLink* link : std::vector<TdxBarItemLink*>(links_)) link->VisibleChanged();
}

// ---------------------------------------------------------------- links

TdxBarItemLink* TdxBarItem::GetLink(int32_t Index) const {
  return Index >= 0 && Index < GetLinkCount() ? links_[size_t(Index)] : nullptr;
}

TdxBarItemLink* TdxBarItem::GetActiveLink() const {
  for (TdxBarItemLink* link : links_)
    if (link->Control() && link->Control()->IsActive()) return link;
  return nullptr;
}

void TdxBarItem::RemoveLink(TdxBarItemLink* ALink) {
  auto it = std::find(links_.begin(), links_.end(), ALink);
  if (it != links_.end()) links_.erase(it);
}

void TdxBarItem::DeleteAllLinks() {
  while (!links_.empty()) {
    TdxBarItemLink* link = links_.back();
    TdxBarItemLinks* owner = link->GetOwnerLinks();
    const int32_t index = owner ? owner->IndexOf(link) : -1;
    if (index >= 0) owner->Delete(index);  // the link leaves this list as it dies
    else link->SetItem(nullptr);
  }
}

// ---------------------------------------------------------------- clicks

void TdxBarItem::PerformClick() {
  if (CanClick()) Click();
}

void TdxBarItem::Click() {
  if (!GetEnabled()) return;
  TcxObjectLink* self = AddObjectLink(this);
  TScopeExit release([self] { RemoveObjectLink(self); });
  try {
    if (barManager_) barManager_->DoClickItem(this);
    if (self->Target) DoClick();
  } catch (...) {
    if (!Application) throw;
    Application->HandleException(self->Target);
  }
}

void TdxBarItem::DoClick() {
  TBasicAction* action = Action();
  if (OnClick && (!action || !SameEventCode(OnClick, action->OnExecute))) {
    // A copy: the handler may free the item and its OnClick with it.
    const TNotifyEvent handler = OnClick;
    handler(this);
    return;
  }
  if (action && !Designing()) actionLink_->Execute(this);
}

bool TdxBarItem::DispatchShortCut(TShortCut AShortCut) {
  if (!GetEnabled()) return false;
  if (CanClick() && AShortCut != scNone && AShortCut == shortCut_) {
    PerformClick();
    return true;
  }
  if (TdxBarItemLinks* links = GetItemLinks()) return links->DispatchShortCut(AShortCut);
  return false;
}

// ---------------------------------------------------------------- availability and texts

bool TdxBarItem::IsItemAvailable() const {
  const bool customizing = barManager_ && barManager_->IsCustomizingOrDesigning();
  switch (Visible()) {
    case ivAlways: return IsAvailable() || customizing;
    case ivInCustomizing: return customizing;
    default: return false;
  }
}

std::string TdxBarItem::GetCleanCaption() const {
  std::string s = Caption();
  if (size_t p = s.find('&'); p != std::string::npos) s.erase(p, 1);
  if (size_t p = s.find("..."); p != std::string::npos) s.erase(p, 3);
  return s;
}

bool TdxBarItem::IsHintFromCaption() const { return TextBeforeBar(hint_) == GetCleanCaption(); }

std::string TdxBarItem::GetDefaultCaption() const { return GetResourceString(dxSBAR_NEWITEMCAPTION); }

// ---------------------------------------------------------------- images, placement, controls

TCustomImageList* TdxBarItem::GetImages() const { return barManager_ ? barManager_->Images() : nullptr; }

bool TdxBarItem::IsImageAssigned() const {
  return IsValidImageIndex(GetImages(), imageIndex_);
}

bool TdxBarItem::CanPlaceOn(int32_t AContainerKind, TObject* ATarget, std::string* AMessage) {
  (void)AContainerKind;
  (void)ATarget;
  if (AMessage) AMessage->clear();
  return true;
}

TClass TdxBarItem::GetControlClass(bool AIsRotated) {
  (void)AIsRotated;
  TdxBarItemList* registry = ItemClassRegistry();
  return registry ? registry->ItemControlClassOf(ClassType()) : nullptr;
}

// ---------------------------------------------------------------- notices

void TdxBarItem::UpdateBars(TdxBarKinds AKinds) {
  std::vector<TCustomdxBarControl*> done;
  for (TdxBarItemLink* link : std::vector<TdxBarItemLink*>(links_)) {
    TdxBarItemLinks* owner = link->GetOwnerLinks();
    TCustomdxBarControl* window = owner ? owner->BarControl : nullptr;
    if (!window || (AKinds & BarKindBit(window->GetBarKind())) == 0) continue;
    if (window->IsActive() && link->Control() && window->GetSelectedControl() == link->Control()) continue;
    if (std::find(done.begin(), done.end(), window) != done.end()) continue;
    done.push_back(window);
    window->RebuildBar();
  }
}

void TdxBarItem::RefreshControls() {
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) {
    TCustomdxBarControl* window = c->Parent();
    if (window && window->IsActive() && window->GetSelectedControl() == c) return;
    c->Invalidate();
  });
}

void TdxBarItem::RefreshControlLayouts() {
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) { c->Refresh(); });
}

void TdxBarItem::CaptionChanged() {
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* c) {
    if (!link->HasUserDefine(udCaption)) c->CaptionChanged();
  });
  NotifyChangeListeners(false);
}

void TdxBarItem::EnabledChanged() {
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) {
    c->ClearGlyphCache(false);
    c->EnabledChanged();
  });
}

void TdxBarItem::GlyphChanged() {
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* c) {
    if (!link->HasUserDefine(udGlyph)) c->ClearGlyphCache(true);
  });
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* c) {
    if (!link->HasUserDefine(udGlyph)) c->ImageChanged();
  });
  NotifyChangeListeners(false);
}

void TdxBarItem::HotGlyphChanged() {
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) {
    c->ClearGlyphCache(false);
    c->SecondaryImageChanged();
  });
}

void TdxBarItem::LargeGlyphChanged() {
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) { c->ClearGlyphCache(true); });
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) { c->LargeImageChanged(); });
  NotifyChangeListeners(false);
}

void TdxBarItem::ShortCutChanged() {
  UpdateBars(BarKindBit(2));
  NotifyChangeListeners(false);
}

void TdxBarItem::WidthChanged() {
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* c) {
    if (!link->HasUserDefine(udWidth)) c->WidthChanged();
  });
}

// ---------------------------------------------------------------- design time

uint32_t TdxBarItem::GetDesignActions() const {
  if (!barManager_ || !barManager_->InDesigner()) return 1049;
  IdxBarItemDesigner* d = dxBarItemDesigner();
  return d && d->IsItemLinkCustomized() ? 7903 : 2;
}

bool TdxBarItem::CanBeDeleted(bool ADestruction) {
  if (!links_.empty() && !ADestruction) return true;
  return !barManager_ || barManager_->MayDeleteComponent(this);
}

bool TdxBarItem::DeleteIfAllowed(bool ADestruction) {
  if (!ADestruction && !links_.empty()) {
    DeleteAllLinks();
    return false;
  }
  if (!CanBeDeleted(ADestruction)) return false;
  delete this;
  return true;
}

void TdxBarItem::CollectOwners(TdxObjectList* AList) {
  if (barManager_) TdxObjectList::AddToListOnce(AList, barManager_->OwnerControl());
}

bool TdxBarItem::SelectDesignLink() {
  if (links_.empty()) return false;
  TdxBarItemLinks* owner = links_.front()->GetOwnerLinks();
  IdxBarItemDesigner* d = dxBarItemDesigner();
  if (d && owner && owner->BarControl) d->SelectBarControl(owner->BarControl);
  return true;
}

void TdxBarItem::SynchronizeDesignSelection() {
  if (IdxBarItemDesigner* d = dxBarItemDesigner()) d->DropStaleLastSelection();
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* c) { c->RefreshDesignState(); });
}

void TdxBarItem::ApplyCustomizingValue(int32_t AKind) {
  if (links_.size() != 1) return;
  IdxBarItemDesigner* d = dxBarItemDesigner();
  if (d && d->LastSelectedElement() == links_.front()) return;
  links_.front()->ApplyCustomizingValue(AKind);
}

void TdxBarItem::ShowDefaultEventHandler() {
  if (IdxBarItemDesigner* d = dxBarItemDesigner()) d->ShowDefaultEventHandler(this);
}
