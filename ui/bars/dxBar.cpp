// The bar manager's life: construction with its owner checks, the lists and
// lookups, the categories, selection and tracking, streaming and Loaded, and
// the destruction order. Look, update lock and options: dxBarManagerLook.cpp.
#include "ui/bars/dxBar.h"

#include <algorithm>

#include "platform/classes/filer.h"
#include "platform/rtl/scopeexit.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBarHints.h"
#include "ui/bars/dxBarHooks.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxThemeManager.h"

// ---------------------------------------------------------------- manager list

TdxBarManagerList::~TdxBarManagerList() { RemoveToolbarHooks(); }

void TdxBarManagerList::Add(TdxBarManager* AManager) { managers_.push_back(AManager); }

void TdxBarManagerList::Remove(TdxBarManager* AManager) {
  auto it = std::find(managers_.begin(), managers_.end(), AManager);
  if (it == managers_.end()) return;
  managers_.erase(it);
}

TdxBarManager* TdxBarManagerList::FindManagerOfOwner(const TComponent* AOwner) const {
  for (TdxBarManager* m : managers_)
    if (m->Owner() == AOwner) return m;
  return nullptr;
}

TdxBarManager* TdxBarManagerList::CustomizingManager() const {
  for (TdxBarManager* m : managers_)
    if (m->IsCustomizing()) return m;
  return nullptr;
}

TdxBarManager* TdxBarManagerList::NextManagerOfForm(TdxBarManager* AManager, bool AForward) const {
  const auto it = std::find(managers_.begin(), managers_.end(), AManager);
  if (it == managers_.end()) return AManager;
  TCustomForm* form = AManager->GetMainForm();
  if (!form) return AManager;
  const int32_t start = int32_t(it - managers_.begin());
  int32_t n = start;
  do {
    n = AForward ? (n + 1) % Count() : (n + Count() - 1) % Count();
  } while (n != start && !IsManagerOfForm(managers_[size_t(n)], form));
  return managers_[size_t(n)];
}

bool IsBarManagerOwnerWindow(TdxBarManager* AManager, win::HWND AWnd) {
  TWinControl* owner = AManager->OwnerControl();
  if (!owner || !owner->HandleAllocated()) return false;
  win::HWND wnd = owner->Handle();
  while (wnd && wnd != AWnd && (win::GetWindowLong(wnd, win::GWL_STYLE) & win::WS_CHILD) != 0)
    wnd = win::GetParent(wnd);
  return wnd == AWnd;
}

bool IsManagerOfForm(TdxBarManager* AManager, TCustomForm* AForm) {
  if (!IsBarManagerOwnerWindow(AManager, AForm->Handle())) return false;
  const TdxBarManagerSlots& slots = dxBarManagerSlots();
  const win::HWND mdiChild = slots.MdiChildFormOfManager ? slots.MdiChildFormOfManager(AManager) : nullptr;
  if (!mdiChild) return true;
  return slots.ActiveMdiChildHandle && slots.ActiveMdiChildHandle() == mdiChild;
}

namespace {
TdxUnitSingleton<TdxBarManagerList>& ManagerListHolder() {
  static TdxUnitSingleton<TdxBarManagerList> holder;
  return holder;
}
}  // namespace

TdxBarManagerList* dxBarManagerList() { return ManagerListHolder().Get(); }

void FreeBarManagerList() { ManagerListHolder().Free(); }

TdxBarManagerSlots& dxBarManagerSlots() {
  static TdxBarManagerSlots slots;
  return slots;
}

// ---------------------------------------------------------------- construction

namespace {

// Steps 1 and 2 of the constructor, run before the component exists so that
// a refused owner leaves nothing behind: a null owner means the main form.
TComponent* CheckedOwner(TComponent* AOwner) {
  if (!AOwner && Application) AOwner = Application->MainForm();
  if (!dynamic_cast<TWinControl*>(AOwner))
    throw EdxException(GetResourceString(dxSBAR_BARMANAGERBADOWNER));
  if (TdxBarManagerList* managers = dxBarManagerList(); managers && managers->FindManagerOfOwner(AOwner))
    throw EdxException(GetResourceString(dxSBAR_BARMANAGERMORETHANONE));
  return AOwner;
}

}  // namespace

TdxBarManager::TdxBarManager(TComponent* AOwner) : TComponent(CheckedOwner(AOwner)) {
  RegisterManager(this);
  try {
    backgrounds_ = std::make_unique<TdxBarBackgrounds>(this);
    lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
    lookAndFeel_->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) {
      if (!InDestruction()) StyleChanged();
    };
    style_ = bmsStandard;  // so that the setter below sees a change
    SetStyle(bmsEnhanced);
    allowReset_ = true;
    autoDockColor_ = true;
    mdiSystemMenuItems_ = std::make_unique<TComponentList>(true);
    items_ = std::make_unique<TdxBarComponentList>();
    categories_ = std::make_unique<TdxBarManagerCategories>(this);
    popupMenus_ = std::make_unique<TComponentList>(false);
    bars_ = std::make_unique<TdxBars>(this);
    iniReadHandlers_ = std::make_unique<TcxEventHandlerCollection>();
    iniWriteHandlers_ = std::make_unique<TcxEventHandlerCollection>();
    mdiStateHandlers_ = std::make_unique<TcxEventHandlerCollection>();
    systemFontHandlers_ = std::make_unique<TcxEventHandlerCollection>();
    canCustomize_ = true;
    dockColor_ = clBtnFace;
    barCaptionFont_ = std::make_unique<TFont>();
    editFont_ = std::make_unique<TFont>();
    font_ = std::make_unique<TFont>();
    font_->OnChange = [this](TObject*) { FontChanged(); };
    groups_ = std::make_unique<TdxBarComponentList>();
    helpButtonGlyph_ = std::make_unique<TBitmap>();
    hideFloatingBarsWhenInactive_ = true;
    themeNotificator_ = std::make_unique<TdxThemeChangedNotificator>();
    themeNotificator_->OnThemeChanged = [this] { StyleChanged(); };
    buttonArrowWidth_ = 11;
    largeButtonArrowWidth_ = 13;
    menusShowRecentItemsFirst_ = true;
    mostRecentItemsPercents_ = 95;
    CalcInitialUseCount();
    popupMenuLinks_ = std::make_unique<TdxBarPopupMenuLinks>(this);
    scaled_ = showFullMenusAfterDelay_ = showHint_ = showHintForDisabledItems_ = useF10ForMenu_ = true;
    SetUseSystemFont(true);
    waitForDockingTime_ = 21;
    CreateColorResources();
    imageOptions_ = std::make_unique<TdxBarImageOptions>(this);
    if (!InDesigner()) initialLayout_ = std::make_unique<TMemIniFile>("");
  } catch (...) {
    UnregisterManager(this);
    throw;
  }
}

TdxBarManager::~TdxBarManager() {
  Destroying();
  ForgetHintManager(this);
  UnregisterManager(this);
  initialLayout_.reset();
  imageOptions_.reset();
  lookAndFeel_.reset();
  themeNotificator_.reset();
  customizing_ = false;
  ReleaseColorResources();
  // The lists own what is still registered with them from here on; a
  // component that dies leaves its list first, so each dies once.
  if (popupMenus_) {
    popupMenus_->SetOwnsObjects(true);
    popupMenus_.reset();
  }
  helpButtonGlyph_.reset();
  groups_->SetOwnsObjects(true);
  groups_.reset();
  font_.reset();
  editFont_.reset();
  barCaptionFont_.reset();
  {
    // RemoveDockControl, reached from the edge docks' destructors, finds no bars.
    std::unique_ptr<TdxBars> bars = std::move(bars_);
  }
  iniReadHandlers_.reset();
  iniWriteHandlers_.reset();
  mdiStateHandlers_.reset();
  systemFontHandlers_.reset();
  // Dock sites that outlive the manager forget it.
  for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_)) dock->SetBarManager(nullptr);
  dockControls_.clear();
  mdiSystemMenuItems_.reset();
  items_->SetOwnsObjects(true);
  items_.reset();
  categories_.reset();
  popupMenuLinks_.reset();
  backgrounds_.reset();
  painter_.reset();
}

// ---------------------------------------------------------------- streaming

void TdxBarManager::ReadState(TReader* Reader) {
  TComponent::ReadState(Reader);
  ++streamedCount_;
}

void TdxBarManager::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  TComponent::GetChildren(Proc, Root);
  for (int32_t i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->GetItem(i);
    if (bar->Owner() == Root) Proc(bar);
  }
}

void TdxBarManager::SetChildOrder(TComponent* Child, int32_t Order) {
  if (auto* bar = dynamic_cast<TdxBar*>(Child); bar && bar->Collection() == bars_.get()) bar->SetIndex(Order);
}

void TdxBarManager::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty("Bars", [this](TReader& r) { ReadBars(r); }, nullptr, false);
  Filer->DefineProperty(
      "DockControlHeights", [this](TReader& r) { ReadDockControlHeights(r); },
      [this](TWriter& w) { WriteDockControlHeights(w); }, true);
}

// A collection of property lists, one per bar (an item's optional [n] is
// read and dropped); entries past the bars add bars.
void TdxBarManager::ReadBars(TReader& Reader) {
  Reader.ReadValue();
  for (int32_t i = 0; !Reader.EndOfList(); ++i) {
    TdxBar* bar = i < bars_->Count() ? bars_->GetItem(i) : bars_->Add();
    Reader.ReadListBegin();
    bar->Restoring = true;
    TScopeExit clear([bar] { bar->Restoring = false; });
    while (!Reader.EndOfList()) Reader.ReadProperty(bar);
    Reader.ReadListEnd();
  }
  Reader.ReadListEnd();
}

namespace {
// Left, right, top, bottom: the order of the stored list.
constexpr TdxBarDockingStyle kHeightOrder[4] = {dsLeft, dsRight, dsTop, dsBottom};
}  // namespace

// Assigns what the list holds, in its order; entries past the fourth and
// values that are not integers are skipped.
void TdxBarManager::ReadDockControlHeights(TReader& Reader) {
  Reader.ReadListBegin();
  for (int32_t i = 0; !Reader.EndOfList(); ++i) {
    TValueType t = Reader.NextValue();
    if (t != vaInt8 && t != vaInt16 && t != vaInt32) {
      Reader.SkipValue();
      continue;
    }
    int32_t v = Reader.ReadInteger();
    if (i >= 4) continue;
    TdxBarDockingStyle side = kHeightOrder[i];
    if (TdxDockControl* dock = bars_->EdgeDock(side)) {
      if (IsVerticalDockingStyle(side))
        dock->SetWidth(v);
      else
        dock->SetHeight(v);
    }
  }
  Reader.ReadListEnd();
}

void TdxBarManager::WriteDockControlHeights(TWriter& Writer) {
  Writer.WriteListBegin();
  for (TdxBarDockingStyle side : kHeightOrder) {
    TdxDockControl* dock = bars_->EdgeDock(side);
    int32_t v = !dock ? 0 : IsVerticalDockingStyle(side) ? dock->Width() : dock->Height();
    Writer.WriteInteger(v);
  }
  Writer.WriteListEnd();
}

void TdxBarManager::Loaded() {
  TComponent::Loaded();
  if (IsBarsUpdateLocked()) return;
  SetState(bmsfLoadedProcessing, true);
  try {
    for (int32_t i = 0; i < GetItemCount(); ++i)
      if (TdxBarItemLinks* links = GetItem(i)->GetItemLinks()) links->ResolveItemNames();
    for (int32_t i = 0; i < bars_->Count(); ++i) bars_->GetItem(i)->GetItemLinks()->ResolveItemNames();
    if (InDesigner()) {
      // A stable sort by category: neighbours swap while a pass moves something.
      for (bool moved = true; moved;) {
        moved = false;
        for (int32_t i = 1; i < GetItemCount(); ++i)
          if (GetItem(i)->Category() < GetItem(i - 1)->Category()) {
            items_->Move(i, i - 1);
            moved = true;
          }
      }
    }
    SetState(bmsfRestoringBars, true);
    try {
      for (int32_t i = 0; i < GetItemCount(); ++i) GetItem(i)->SetVisible(GetItem(i)->LoadedVisible());
      for (int32_t i = 0; i < bars_->Count(); ++i) {
        TdxBar* bar = bars_->GetItem(i);
        bar->Predefined = true;
        bar->Restoring = true;
        bar->SetDockControl(bar->LoadedDockControl());
        if (!bar->LoadedDockControl()) bar->SetDockingStyle(bar->LoadedDockingStyle());
        bar->SetVisible(bar->LoadedVisible());
        bar->Restoring = false;
      }
      // Storing the initial layout and reading a stored one belong to the
      // layout persistence, which the viewer never switches on.
    } catch (...) {
      SetState(bmsfRestoringBars, false);
      throw;
    }
    SetState(bmsfRestoringBars, false);
    BeginBarsUpdate();
    try {
      for (int32_t i = 0; i < categories_->Count(); ++i)
        if (TdxBarCategoryData* data = categories_->Data(i)) SetCategoryItemsVisible(i, data->LoadedItemsVisible);
    } catch (...) {
      EndBarsUpdate(true);
      throw;
    }
    EndBarsUpdate(true);
    for (TdxDockControl* dock : std::vector<TdxDockControl*>(dockControls_)) dock->UpdateDock();
  } catch (...) {
    SetState(bmsfLoadedProcessing, false);
    throw;
  }
  SetState(bmsfLoadedProcessing, false);
}

void TdxBarManager::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && popupMenuLinks_) popupMenuLinks_->ComponentFreed(AComponent);
}

// ---------------------------------------------------------------- virtual operations and events

void TdxBarManager::DoClickItem(TdxBarItem* AItem) {
  if (OnClickItem) OnClickItem(this, AItem);
}

void TdxBarManager::DoBarAfterReset(TdxBar* ABar) {
  if (OnBarAfterReset) OnBarAfterReset(this, ABar);
}
void TdxBarManager::DoBarBeforeReset(TdxBar* ABar) {
  if (OnBarBeforeReset) OnBarBeforeReset(this, ABar);
}
void TdxBarManager::DoBarClose(TdxBar* ABar) {
  if (OnBarClose) OnBarClose(this, ABar);
}
void TdxBarManager::DoBarDockingStyleChange(TdxBar* ABar) {
  if (IsRestoringBars()) return;
  if (OnBarDockingStyleChange) OnBarDockingStyleChange(this, ABar);
  if (ABar) ABar->MarkChanged();
}
void TdxBarManager::DoCloseButtonClick() { CallNotifyEvent(this, OnCloseButtonClick); }
void TdxBarManager::DoHelpButtonClick() { CallNotifyEvent(this, OnHelpButtonClick); }
void TdxBarManager::DoShowCustomizingPopup(TdxBarItemLinks* PopupItemLinks) {
  if (OnShowCustomizingPopup) OnShowCustomizingPopup(this, PopupItemLinks);
}
void TdxBarManager::DoShowToolbarsPopup(TdxBarItemLinks* PopupItemLinks) {
  if (OnShowToolbarsPopup) OnShowToolbarsPopup(this, PopupItemLinks);
}
void TdxBarManager::DoItemLinkChange(TdxBarItemLink* AItemLink) {
  if (!InLoading() && OnItemLinkChange) OnItemLinkChange(this, AItemLink);
}
void TdxBarManager::DoMergeItemLink(TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks,
                                    TdxBarItemLink* ASrcItemLink, TdxBarItemMergeKind& AMergeKind,
                                    int32_t& AMergeIndex) {
  if (OnMergeItemLink) OnMergeItemLink(this, ADstItemLinks, ASrcItemLinks, ASrcItemLink, AMergeKind, AMergeIndex);
}

void TdxBarManager::NotifyDesignerModified() {
  // The designer of design-time support marks its form; at run time there is none.
  if (InDesigner() && designerNotificationLock_ == 0) designerChangePending_ = true;
}

void TdxBarManager::LockDesignerNotifications(bool ALock, bool ANotify) {
  if (ALock) {
    ++designerNotificationLock_;
  } else if (designerNotificationLock_ > 0 && --designerNotificationLock_ == 0 && ANotify) {
    NotifyDesignerModified();
  }
}

// ---------------------------------------------------------------- lists and lookups

TdxBarItem* TdxBarManager::GetItem(int32_t Index) const {
  if (Index < 0 || Index >= GetItemCount()) return nullptr;
  return static_cast<TdxBarItem*>(items_->Items(Index));
}

TdxBarItem* TdxBarManager::FindItemByName(const std::string& AName) const {
  for (int32_t i = 0; i < GetItemCount(); ++i)
    if (CompareText(GetItem(i)->Name(), AName) == 0) return GetItem(i);
  return nullptr;
}

void TdxBarManager::MoveItem(int32_t CurIndex, int32_t NewIndex) {
  items_->Move(CurIndex, NewIndex);
  NotifyDesignerModified();
}

int32_t TdxBarManager::GetItemsOfCategory(int32_t ACategory, TList* AList) const {
  AList->Clear();
  if (ACategory >= 0 && ACategory < categories_->Count())
    for (int32_t i = 0; i < GetItemCount(); ++i)
      if (GetItem(i)->Category() == ACategory) AList->Add(GetItem(i));
  return AList->Count();
}

int32_t TdxBarManager::GetShownItemsOfCategory(int32_t ACategory, TList* AList) const {
  if (InDesigner()) return GetItemsOfCategory(ACategory, AList);
  AList->Clear();
  if (ACategory >= 0 && ACategory < categories_->Count())
    for (int32_t i = 0; i < GetItemCount(); ++i) {
      TdxBarItem* item = GetItem(i);
      if (item->Category() == ACategory && item->IsItemAvailable() && !item->IsHiddenFromCustomization()) AList->Add(item);
    }
  return AList->Count();
}

TdxBarGroup* TdxBarManager::AddGroup() {
  auto* group = new TdxBarGroup(Owner());
  group->SetBarManager(this);
  return group;
}

void TdxBarManager::AddDockControl(TdxDockControl* ADock) {
  dockControls_.push_back(ADock);
}

TdxBar* TdxBarManager::FindBarByName(const std::string& AName) const {
  for (int32_t i = 0; i < bars_->Count(); ++i)
    if (bars_->GetItem(i)->Name() == AName) return bars_->GetItem(i);
  return nullptr;
}

TdxBar* TdxBarManager::FindBarByCaption(const std::string& ACaption) const {
  for (int32_t i = 0; i < bars_->Count(); ++i)
    if (bars_->GetItem(i)->Caption() == ACaption) return bars_->GetItem(i);
  return nullptr;
}

namespace {
// APrefix followed by the first number from 1 on that Taken refuses.
template <class F>
std::string FirstFreeName(const std::string& APrefix, F Taken) {
  for (int32_t n = 1;; ++n)
    if (std::string name = APrefix + std::to_string(n); !Taken(name)) return name;
}
}  // namespace

void TdxBarManager::MakeBarCaption(const std::string& APrefix, std::string& ACaption) const {
  ACaption = FirstFreeName(APrefix, [this](const std::string& s) { return FindBarByCaption(s) != nullptr; });
}

void TdxBarManager::MakeBarName(const std::string& APrefix, std::string& AName) const {
  AName = FirstFreeName(APrefix, [this](const std::string& s) { return FindBarByName(s) != nullptr; });
}

void TdxBarManager::MakeItemName(TClass AItemClass, std::string& AName) const {
  AName = FirstFreeName(std::string(AItemClass->Name).substr(1),
                        [this](const std::string& s) { return FindItemByName(s) != nullptr; });
}

TCustomdxBarControl* TdxBarManager::GetMainMenuBarControl() const {
  return mainMenuBar_ ? mainMenuBar_->GetControl() : nullptr;
}

TWinControl* TdxBarManager::OwnerControl() const { return static_cast<TWinControl*>(Owner()); }

TCustomForm* TdxBarManager::GetMainForm() const {
  TCustomForm* form = nullptr;
  for (TWinControl* c = dynamic_cast<TWinControl*>(Owner()); c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) form = f;
  return form;
}

// ---------------------------------------------------------------- categories

TdxBarItemVisible TdxBarManager::GetCategoryItemsVisible(int32_t Index) const {
  TdxBarCategoryData* data = categories_->Data(Index);
  return data ? data->ItemsVisible : ivAlways;
}

bool TdxBarManager::GetCategoryVisible(int32_t Index) const {
  TdxBarCategoryData* data = categories_->Data(Index);
  return data ? data->Visible : true;
}

void TdxBarManager::SetCategoryVisible(int32_t Index, bool Value) {
  if (Index < 0 || Index >= categories_->Count() || GetCategoryVisible(Index) == Value) return;
  categories_->NeedData(Index)->Visible = Value;
  NotifyDesignerModified();
}

int32_t TdxBarManager::GetRealCategoryIndex(int32_t VisibleIndex) const {
  if (InDesigner()) return VisibleIndex;
  for (int32_t i = 0, seen = 0; i < categories_->Count(); ++i)
    if (GetCategoryVisible(i) && seen++ == VisibleIndex) return i;
  return -1;
}

// ---------------------------------------------------------------- selection and tracking

void TdxBarManager::ChangeSelectedItemControl(TdxBarItemControl* AControl) {
  if (AControl == selectedItemControl_) return;
  if (IsCustomizingOrDesigning() && selectedItemControl_) {
    TCustomdxBarControl* stored = selectedItemControl_->Parent();
    TCustomdxBarControl* next = AControl ? AControl->Parent() : nullptr;
    // Climbs to the window that is not a menu (the toolbar the chain opened from).
    auto root = [](TCustomdxBarControl* c) {
      while (c && c->GetParentBarControl()) c = c->GetParentBarControl();
      return c;
    };
    if (!AControl || root(next) != root(stored))
      if (TCustomdxBarControl* r = root(stored)) r->HideAll();
  }
  selectedItemControl_ = AControl;
}

void TdxBarManager::StartMouseTracking(TCustomdxBarControl* ABarControl) {
  if (trackedBarControl_ == ABarControl) return;
  if (TCustomdxBarControl* old = trackedBarControl_) {
    StopMouseLeaveTracking(old);
    old->MouseLeave();
  }
  trackedBarControl_ = ABarControl;
  if (ABarControl) StartMouseLeaveTracking(ABarControl, ABarControl->ClientRect(), ABarControl);
}

void TdxBarManager::StopMouseTracking(TCustomdxBarControl* ABarControl) {
  if (!ABarControl || trackedBarControl_ != ABarControl) return;
  trackedBarControl_ = nullptr;
  StopMouseLeaveTracking(ABarControl);
}

void TdxBarManager::RefreshHotTrackAtCursor(TCustomdxBarControl* ABarControl) {
  win::POINT cursor{};
  win::GetCursorPos(&cursor);
  auto* c = dynamic_cast<TCustomdxBarControl*>(FindControl(win::WindowFromPoint(cursor)));
  if (!c || (ABarControl && c != ABarControl)) return;
  c->MousePos = TPoint{-1, -1};
  const TPoint p = c->ScreenToClient(cursor);
  win::PostMessage(c->Handle(), win::WM_MOUSEMOVE, 0, win::MAKELPARAM(uint16_t(p.X), uint16_t(p.Y)));
}

void TdxBarManager::CloseActiveBarWindow() {
  TCustomdxBarControl* closing = focusedBarControl_;
  if (!closing) return;
  closing->CloseUp();
  // A closed window holds no focus, whether or not it gave it up itself.
  if (focusedBarControl_ == closing) focusedBarControl_ = nullptr;
}

win::HWND TdxBarManager::GetCaptureWindow() const {
  // The Customize dialog takes the capture while customizing; it comes later.
  if (Application && Application->Handle() && win::IsWindowVisible(Application->Handle()))
    return Application->Handle();
  return OwnerControl()->Handle();
}

void TdxBarManager::ForEachItem(const std::function<void(TdxBarManager*, TdxBarItem*)>& Callback) {
  if (InLoading() || InDestruction()) return;
  BeginBarsUpdate();
  try {
    for (int32_t i = 0; i < GetItemCount(); ++i) Callback(this, GetItem(i));
  } catch (...) {
    EndBarsUpdate(true);
    throw;
  }
  EndBarsUpdate(true);
}

bool TdxBarManager::IsAnotherManagerActive() const {
  const TdxBarManagerList* list = dxBarManagerList();
  if (!list) return false;
  for (int32_t i = 0; i < list->Count(); ++i)
    if (list->Items(i) != this && list->Items(i)->IsCustomizing()) return true;
  return false;
}

bool TdxBarManager::IsHintShowing() const {
  TdxBarHintWindow* hint = dxBarHintWindow();
  return hint && hint->IsShowing();
}
