// The manager's own lists, options, groups, popup-menu links and the
// item-class registry.
#include "ui/bars/dxBarComponents.h"

#include <algorithm>

#include "platform/classes/filer.h"
#include "platform/classes/resstrings.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"
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

std::vector<std::string> TdxBarGroup::MemberNames() const {
  if (loadedNames_) return *loadedNames_;
  std::vector<std::string> names;
  for (int32_t i = 0; i < GetCount(); ++i) names.push_back(GetItem(i)->Name());
  return names;
}

void TdxBarGroup::DefineProperties(TFiler* Filer) {
  TdxBarComponent::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TdxBarGroup*>(Filer->Ancestor());
  Filer->DefineProperty(
      "Items", [this](TReader& r) { ReadItems(r); }, [this](TWriter& w) { WriteItems(w); },
      !ancestor || ancestor->MemberNames() != MemberNames());
}

// While loading the members may not exist yet: Loaded resolves the names.
void TdxBarGroup::ReadItems(TReader& Reader) {
  std::vector<std::string> names;
  Reader.ReadListBegin();
  while (!Reader.EndOfList()) names.push_back(Reader.ReadString());
  Reader.ReadListEnd();
  if (Loading()) {
    loadedNames_ = std::make_unique<std::vector<std::string>>(std::move(names));
    return;
  }
  members_->Clear();
  for (const std::string& name : names) AddByName(name);
}

void TdxBarGroup::WriteItems(TWriter& Writer) {
  Writer.WriteListBegin();
  for (const std::string& name : MemberNames()) Writer.WriteString(name);
  Writer.WriteListEnd();
}

void TdxBarGroup::AddByName(const std::string& AName) {
  TComponent* root = barManager_ ? barManager_->Owner() : nullptr;
  if (auto* member = root ? dynamic_cast<TdxBarComponent*>(root->FindComponent(AName)) : nullptr) Add(member);
}

void TdxBarGroup::Loaded() {
  TdxBarComponent::Loaded();
  const std::unique_ptr<std::vector<std::string>> names = std::move(loadedNames_);
  if (names)
    for (const std::string& name : *names) AddByName(name);
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

void TdxBarManagerCategories::DefineProperties(TFiler* Filer) {
  TStringList::DefineProperties(Filer);
  Filer->DefineProperty(
      "ItemsVisibles",
      [this](TReader& r) {
        ReadPerCategory(
            r,
            [](TReader& reader) {
              const int32_t v = reader.ReadInteger();
              if (v < ivNever || v > ivAlways) throw EReadError(LoadResString(SInvalidPropertyValue));
              return v;
            },
            [this](int32_t i, int32_t v) { barManager_->SetCategoryItemsVisible(i, TdxBarItemVisible(v)); });
      },
      [this](TWriter& w) {
        w.WriteListBegin();
        for (int32_t i = 0; i < Count(); ++i) w.WriteInteger(barManager_->GetCategoryItemsVisible(i));
        w.WriteListEnd();
      },
      true);
  Filer->DefineProperty(
      "Visibles",
      [this](TReader& r) {
        ReadPerCategory(
            r, [](TReader& reader) { return int32_t(reader.ReadBoolean()); },
            [this](int32_t i, int32_t v) { barManager_->SetCategoryVisible(i, v != 0); });
      },
      [this](TWriter& w) {
        w.WriteListBegin();
        for (int32_t i = 0; i < Count(); ++i) w.WriteBoolean(barManager_->GetCategoryVisible(i));
        w.WriteListEnd();
      },
      true);
}

void TdxBarManagerCategories::ReadPerCategory(TReader& Reader, const std::function<int32_t(TReader&)>& ARead,
                                              const std::function<void(int32_t, int32_t)>& ASet) {
  std::vector<int32_t> values;
  Reader.ReadListBegin();
  while (!Reader.EndOfList() && int32_t(values.size()) < Count()) values.push_back(ARead(Reader));
  Reader.ReadListEnd();
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  for (size_t i = 0; i < values.size(); ++i) ASet(int32_t(i), values[i]);
}

// ---------------------------------------------------------------- image options

TdxBarImageOptions::TdxBarImageOptions(TdxBarManager* AOwner)
    : TdxBarPersistent(AOwner), freeNotificator_(std::make_unique<TcxFreeNotificator>(nullptr)) {
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
  if (barManager_) barManager_->ImageOptionsChanged(Which);
}

int32_t TdxBarImageOptions::GlyphSize() const {
  if (!largeIcons_) return 16;
  if (UsesLargeImages()) return lists_[3]->Width();
  return 32;
}

// ---------------------------------------------------------------- persistent sub-objects

TPersistent* TdxBarPersistent::GetOwner() { return barManager_; }

TdxBarBackgrounds::TdxBarBackgrounds(TdxBarManager* AOwner)
    : TdxBarPersistent(AOwner), bar_(std::make_unique<TBitmap>()), subMenu_(std::make_unique<TBitmap>()) {
  bar_->OnChange = [this](TObject*) {
    if (!settingBar_) NotifyStyleChange();
  };
}

TdxBarBackgrounds::~TdxBarBackgrounds() = default;

// The copy's own change notice is held back: the setter restyles once.
void TdxBarBackgrounds::SetBar(TBitmap* Value) {
  const bool wasEmpty = bar_->Empty();
  {
    settingBar_ = true;
    TScopeExit done([this] { settingBar_ = false; });
    bar_->Assign(Value);
  }
  if (Value || !wasEmpty) NotifyStyleChange();
}

void TdxBarBackgrounds::SetSubMenu(TBitmap* Value) { subMenu_->Assign(Value); }

void TdxBarBackgrounds::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TdxBarBackgrounds*>(Source)) {
    SetBar(source->Bar());
    SetSubMenu(source->SubMenu());
  } else {
    TdxBarPersistent::Assign(Source);
  }
}

void TdxBarBackgrounds::NotifyStyleChange() {
  if (barManager_) barManager_->StyleChanged();
}

// ---------------------------------------------------------------- popup-menu links

namespace {

// The framework's text for a failed checked cast.
DX_RESOURCESTRING(SInvalidCast, 0, "Invalid class typecast");

// The manager of the nearest window around AManager's owner window that has one.
TdxBarManager* ParentManagerOf(TdxBarManager* AManager) {
  TWinControl* owner = AManager->OwnerControl();
  return owner && owner->HandleAllocated() ? BarManagerForComponent(NearestVclParentOfChild(owner->Handle())) : nullptr;
}

// The component of the source's name in ARoot, as a T; null for no source or
// no such name, EInvalidCast for another class.
template <class T>
T* Counterpart(TComponent* ARoot, const TComponent* ASource) {
  if (!ARoot || !ASource || ASource->Name().empty()) return nullptr;
  TComponent* found = ARoot->FindComponent(ASource->Name());
  if (!found) return nullptr;
  auto* cast = dynamic_cast<T*>(found);
  if (!cast) throw EInvalidCast(LoadResString(SInvalidCast));
  return cast;
}

}  // namespace

TdxBarPopupMenuLink::TdxBarPopupMenuLink(TCollection* ACollection) : TCollectionItem(ACollection) {}

TdxBarPopupMenuLink::~TdxBarPopupMenuLink() { ReleaseControl(); }

TdxBarManager* TdxBarPopupMenuLink::GetBarManager() const {
  auto* links = dynamic_cast<TdxBarPopupMenuLinks*>(Collection());
  return links ? links->BarManager() : nullptr;
}

TWinControl* TdxBarPopupMenuLink::GetWindowedControl() const { return dynamic_cast<TWinControl*>(control_); }

void TdxBarPopupMenuLink::ReleaseControl() {
  if (!control_) return;
  control_->WindowProc = std::move(previousWndProc_);
  previousWndProc_ = nullptr;
  control_ = nullptr;
}

void TdxBarPopupMenuLink::SetControl(TControl* Value) {
  TdxBarManager* manager = GetBarManager();
  if (Value && (!manager || !IsControlWithin(manager->OwnerControl(), Value))) Value = nullptr;
  if (Value == control_) return;
  ReleaseControl();
  if (!Value) return;
  Value->FreeNotification(manager);
  control_ = Value;
  previousWndProc_ = Value->WindowProc;
  // Once the link let go of the control (or died), its procedure only passes
  // messages on: a control that is being freed may still get some.
  Value->WindowProc = [this, control = Value, previous = previousWndProc_,
                       alive = std::weak_ptr<bool>(alive_)](TMessage& m) {
    if (!alive.expired() && control_ == control) {
      LinkWndProc(m);
      return;
    }
    const std::function<void(TMessage&)> previousCopy = previous;
    if (previousCopy)
      previousCopy(m);
    else
      control->WndProc(m);
  };
}

void TdxBarPopupMenuLink::SetPopupMenu(TdxBarPopupMenu* Value) {
  if (Value == popupMenu_) return;
  popupMenu_ = Value;
  if (Value)
    if (TdxBarManager* manager = GetBarManager()) Value->FreeNotification(manager);
}

// Compared by address: the component is already past its own destructor and
// no longer answers to its class.
void TdxBarPopupMenuLink::ComponentFreed(TComponent* AComponent) {
  if (control_ && static_cast<TComponent*>(control_) == AComponent) {
    control_ = nullptr;
    previousWndProc_ = nullptr;
  }
  if (popupMenu_ && static_cast<TComponent*>(popupMenu_) == AComponent) popupMenu_ = nullptr;
}

// The saved procedure is copied first: the link may die while it runs.
void TdxBarPopupMenuLink::PassOn(TMessage& Message) {
  TControl* control = control_;
  std::function<void(TMessage&)> previous = previousWndProc_;
  if (previous)
    previous(Message);
  else
    control->WndProc(Message);
}

// For a context-menu request the link's handler stands in for the control's
// OnContextPopup while the control handles it, and the control's own handler
// is put back afterwards, also when the control or the link died meanwhile.
void TdxBarPopupMenuLink::LinkWndProc(TMessage& Message) {
  if (Message.Msg != win::WM_CONTEXTMENU || inContextMenu_ || control_->InState(csDesigning)) {
    PassOn(Message);
    return;
  }
  TControl* control = control_;
  std::weak_ptr<bool> linkAlive = alive_;
  std::weak_ptr<bool> controlAlive = control->AliveToken();
  TContextPopupEvent saved = control->OnContextPopup;
  previousContextPopup_ = saved;
  control->OnContextPopup = [this](TObject* Sender, TPoint MousePos, bool& Handled) {
    ContextPopup(Sender, MousePos, Handled);
  };
  inContextMenu_ = true;
  TScopeExit restore([&] {
    if (!controlAlive.expired()) control->OnContextPopup = std::move(saved);
    if (!linkAlive.expired()) {
      inContextMenu_ = false;
      previousContextPopup_ = nullptr;
    }
  });
  PassOn(Message);
}

void TdxBarPopupMenuLink::ContextPopup(TObject* Sender, TPoint MousePos, bool& Handled) {
  std::weak_ptr<bool> alive = alive_;
  if (TContextPopupEvent previous = previousContextPopup_) {
    previous(Sender, MousePos, Handled);
    if (alive.expired()) return;
  }
  if (Handled || !control_) return;
  TWinControl* windowed = GetWindowedControl();
  if (processChildren_ || !windowed || !windowed->ControlAtPos(MousePos, true, false)) Handled = ShowPopup(MousePos);
}

bool TdxBarPopupMenuLink::ShowPopup(TPoint Pos) {
  const bool clickedByMouse = !(Pos.X == -1 && Pos.Y == -1);
  bool allowPopup = popupMenu_ != nullptr;
  int32_t x = Pos.X, y = Pos.Y;
  if (OnAction) {
    std::weak_ptr<bool> alive = alive_;
    OnAction(this, x, y, clickedByMouse, allowPopup);
    if (alive.expired()) return allowPopup;
  }
  // The handler may have cleared the control or the menu.
  if (allowPopup && popupMenu_ && control_) {
    const TPoint screen = control_->ClientToScreen({x, y});
    popupMenu_->Popup(screen.X, screen.Y);
  }
  return allowPopup;
}

bool TdxBarPopupMenuLink::IsShortCut(TShortCut AShortCut) {
  bool result = popupMenu_ != nullptr;
  if (OnAction) {
    std::weak_ptr<bool> alive = alive_;
    int32_t x = -1, y = -1;
    OnAction(this, x, y, false, result);
    if (alive.expired()) return false;
  }
  if (result && popupMenu_) result = popupMenu_->ExecuteShortCut(AShortCut);
  return result;
}

void TdxBarPopupMenuLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarPopupMenuLink*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  TdxBarManager* manager = GetBarManager();
  TComponent* root = manager ? manager->Owner() : nullptr;
  SetControl(Counterpart<TWinControl>(root, source->Control()));
  SetPopupMenu(Counterpart<TdxBarPopupMenu>(root, source->PopupMenu()));
  processChildren_ = source->ProcessChildren();
}

TdxBarPopupMenuLinks::TdxBarPopupMenuLinks(TdxBarManager* ABarManager)
    : TCollection(CollectionItemClassOf<TdxBarPopupMenuLink>()), barManager_(ABarManager) {}

TPersistent* TdxBarPopupMenuLinks::GetOwner() { return barManager_; }

void TdxBarPopupMenuLinks::ComponentFreed(TComponent* AComponent) {
  for (int32_t i = 0; i < Count(); ++i) GetItem(i)->ComponentFreed(AComponent);
}

bool TdxBarPopupMenuLinks::ProcessShortCut(TWinControl* AControl, TShortCut AShortCut) {
  for (TdxBarPopupMenuLinks* links = this; links;) {
    for (int32_t i = 0; i < links->Count(); ++i) {
      TdxBarPopupMenuLink* link = links->GetItem(i);
      if (link->Control() && link->Control() == AControl && link->IsShortCut(AShortCut)) return true;
    }
    for (int32_t i = 0; i < links->Count(); ++i) {
      TdxBarPopupMenuLink* link = links->GetItem(i);
      TWinControl* windowed = link->GetWindowedControl();
      if (link->ProcessChildren() && windowed && windowed != AControl && IsControlWithin(windowed, AControl) &&
          link->IsShortCut(AShortCut))
        return true;
    }
    TdxBarManager* parent = links->barManager_ ? ParentManagerOf(links->barManager_) : nullptr;
    links = parent ? parent->PopupMenuLinks() : nullptr;
  }
  return false;
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
TdxUnitSingleton<TdxBarItemList>& RegistryHolder() {
  static TdxUnitSingleton<TdxBarItemList> holder;
  return holder;
}
}  // namespace

TdxBarItemList* ItemClassRegistry() { return RegistryHolder().Get(); }

void FreeItemClassRegistry() { RegistryHolder().Free(); }

void RegisterBarItemClass(TClass AItemClass, TClass AItemControlClass, bool AVisible) {
  if (TdxBarItemList* registry = ItemClassRegistry())
    registry->AddRegistration(AItemClass, AItemControlClass, AVisible);
}

// ---------------------------------------------------------------- published properties

void dxBarComponentsRegisterProperties() {
  PTypeInfo color = DefineIntegerType("TColor", otSLong, IdentToColor, ColorToIdent);

  using O = TdxBarImageOptions;
  Published<O>()
      .Bool("CacheGlyphs", &O::CacheGlyphs, &O::CacheGlyphs, true)
      .Obj("DisabledImages", &O::DisabledImages, &O::SetDisabledImages)
      .Obj("DisabledLargeImages", &O::DisabledLargeImages, &O::SetDisabledLargeImages)
      .Obj("HotImages", &O::HotImages, &O::SetHotImages)
      .Int("ImageListBkColor", &O::ImageListBkColor, &O::SetImageListBkColor, clFuchsia)
      .Type(color)
      .Obj("Images", &O::Images, &O::SetImages)
      .Obj("LargeImages", &O::LargeImages, &O::SetLargeImages)
      .Bool("LargeIcons", &O::LargeIcons, &O::SetLargeIcons, false)
      .Bool("MakeDisabledImagesFaded", &O::MakeDisabledImagesFaded, &O::SetMakeDisabledImagesFaded, false)
      .Bool("SmoothGlyphs", &O::SmoothGlyphs, &O::SmoothGlyphs, false)
      .Bool("StretchGlyphs", &O::StretchGlyphs, &O::StretchGlyphs, true)
      .Bool("UseLargeImagesForLargeIcons", &O::UseLargeImagesForLargeIcons, &O::SetUseLargeImagesForLargeIcons, false)
      .Bool("UseLeftBottomPixelAsTransparent", &O::UseLeftBottomPixelAsTransparent,
            &O::SetUseLeftBottomPixelAsTransparent, true);

  using B = TdxBarBackgrounds;
  Published<B>().Obj("Bar", &B::Bar, &B::SetBar).Obj("SubMenu", &B::SubMenu, &B::SetSubMenu);

  using L = TdxBarPopupMenuLink;
  Published<L>()
      .Obj("Control", &L::Control, &L::SetControl)
      .Obj("PopupMenu", &L::PopupMenu, &L::SetPopupMenu)
      .Bool("ProcessChildren", &L::ProcessChildren, &L::SetProcessChildren, true)
      .Event("OnAction", &L::OnAction, "TdxBarPopupMenuLinkActionEvent");

  using G = TdxBarGroup;
  Published<G>()
      .Bool("Enabled", &G::Enabled, &G::SetEnabled, true)
      .Enum("Visible", &G::Visible, &G::SetVisible, ivAlways);

  RegisterClass(TdxBarGroup::StaticClass());
}
