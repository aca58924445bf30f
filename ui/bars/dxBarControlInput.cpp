// The bar window's input: activation (menu mode), the mouse in the order the
// window system delivers it, hot tracking and keyboard selection, the keys
// that move among the links, accelerators, design-time selection and the
// customizing drag. Handlers here may free the window (an item click, a
// hidden menu): each holds a weak link and stops once it is cleared.
#include <utility>

#include "platform/gdi/syscolors.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarNavigation.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

using TWindowLink = TcxScopedObjectLink;

// Raises the manager's selection-change counter while both an old and a new
// control take part; lowered again on every path.
class TSelectionChange {
public:
  TSelectionChange(TdxBarManager* AManager, bool ABoth) : manager_(ABoth ? AManager : nullptr) {
    if (manager_) ++manager_->SharedState.SelectionChangeCount;
  }
  ~TSelectionChange() {
    if (manager_) --manager_->SharedState.SelectionChangeCount;
  }
  TSelectionChange(const TSelectionChange&) = delete;
  TSelectionChange& operator=(const TSelectionChange&) = delete;

private:
  TdxBarManager* manager_;
};

// The long part of a hint: after the first '|', or all of it.
std::string LongHintOf(const std::string& AHint) {
  const size_t bar = AHint.find('|');
  return bar == std::string::npos ? AHint : AHint.substr(bar + 1);
}

bool IsToolbarWindow(const TCustomdxBarControl* ABar) { return ABar->GetBarKind() != 2; }
bool IsMenuWindow(const TCustomdxBarControl* ABar) { return ABar->GetBarKind() == 2; }

TdxBarItemControl* ControlOf(TdxBarItemLink* ALink) { return ALink ? ALink->Control() : nullptr; }

}  // namespace

IdxBarControlDesigner*& dxBarControlDesigner() {
  static IdxBarControlDesigner* designer = nullptr;
  return designer;
}

// ---------------------------------------------------------------- activation

void TCustomdxBarControl::SetActive(bool Value) {
  if (TdxBarManager* m = GetBarManager()) m->CancelHint();
  // The customizing bar keeps its state, but can always be made inactive.
  if ((Value == active_ || !CanActivate()) && (!IsCustomizing() || Value)) return;
  DoSetActive(Value);
}

void TCustomdxBarControl::DoSetActive(bool Value) {
  if (Value) {
    if (active_) return;
    active_ = true;
    PushActive();
    if (!IsCustomizing() && itemLinks_)
      for (int32_t i = 0; i < itemLinks_->Count(); ++i)
        if (TdxBarItem* item = itemLinks_->GetItem(i)->GetItem(); item && item->Action()) item->Action()->Update();
    return;
  }
  active_ = false;
  TWindowLink self(this);
  if (IsCustomizing())
    selected_ = nullptr;
  else
    SelectControl(nullptr);
  if (self.Alive()) PopActive();
}

void TCustomdxBarControl::ActivateKeyboard(TdxBarItemControl* AControl) {
  TWindowLink self(this);
  SelectControl(AControl);
  if (self.Alive()) SetActive(true);
}

void TCustomdxBarControl::Deactivate() {
  TWindowLink self(this);
  SelectControl(nullptr);
  if (self.Alive()) SetActive(false);
}

// ---------------------------------------------------------------- selection

void TCustomdxBarControl::SelectControl(TdxBarItemControl* AControl) {
  if (!HandleAllocated() || IsDestroying() || HasState(bcsDestructionStarted)) return;
  if (AControl == selected_) return;
  TSelectionChange counting(GetBarManager(), selected_ && AControl);
  TWindowLink self(this);
  if (selected_ && selected_->IsActive()) selected_->Deactivate();
  if (!self.Alive() || !IsLiveBarControl(this)) return;
  if (AControl) {
    // What the keyboard opens does not animate.
    if (AControl->OpensSubMenu()) AControl->ShowAnimation = false;
    AControl->SetSelectedByMouse(false);
  }
  SetSelectedControl(AControl);
  if (self.Alive() && AControl) SelectedControlChanged(AControl);
}

void TCustomdxBarControl::HotTrackControl(TdxBarItemControl* AControl) {
  if (!HandleAllocated() || IsDestroying() || HasState(bcsDestructionStarted)) return;
  if (GetBehaviorFlags() & 0x40)
    if (TdxBarNavigationController* nav = NavigationControllerInstance(); nav && nav->IsNavigatedBar(this)) return;
  if (AControl == selected_) return;
  if (selected_ && selected_->IsEditWindowActive()) return;
  TdxBarManager* m = GetBarManager();
  TSelectionChange counting(m, selected_ && AControl);
  TWindowLink self(this);
  if (selected_ && selected_->IsActive()) selected_->Deactivate();
  if (!self.Alive() || !IsLiveBarControl(this)) return;
  if (AControl) AControl->SetSelectedByMouse(true);
  SetSelectedControl(AControl);
  if (!self.Alive() || !IsLiveBarControl(this) || !selected_) return;
  // While an item is dragged in customizing, a drop-down opens only when the item may go into it.
  IdxBarControlDesigner* designer = dxBarControlDesigner();
  bool allow = !designer || !m || !designer->IsDragging(m) || !selected_->IsDropDown();
  if (!allow) {
    IdxBarLinksOwner* owner = nullptr;
    QueryLinksOwner(selected_->GetItem(), owner);
    allow = !owner || designer->CanDropInto(m, selected_->ItemLink());
  }
  if (!allow) return;
  selected_->ShowAnimation = true;
  selected_->Activate();
}

void TCustomdxBarControl::SetSelectedControl(TdxBarItemControl* AControl) {
  if (AControl == selected_) return;
  TdxBarManager* m = GetBarManager();
  if (IdxBarControlDesigner* designer = dxBarControlDesigner(); designer && AControl)
    if (TCustomdxBarControl* quick = designer->QuickControl(); quick && quick != this && !quick->IsActive())
      designer->StartQuickControlClosingTimer();
  TdxBarItemControl* old = std::exchange(selected_, AControl);
  if (GetBehaviorFlags() & 0x40) NavigationFlag = false;
  if (m) {
    if (IsCustomizing()) {
      TWindowLink self(this);
      m->ChangeSelectedItemControl(AControl);
      if (!self.Alive()) return;
    } else {
      m->StoreSelectedItemControl(AControl);
    }
  }
  if (old) RepaintItemControl(old);
  if (selected_)
    RepaintItemControl(selected_);
  else
    SetCursor(crDefault);
  if (m && (selected_ || IsMenuWindow(this) || markState_ == 0)) m->SetHintState(true, "", selected_);
  const bool showHint = selected_ && (selected_->GetEnabled() || (m && m->ShowHintForDisabledItems()));
  SetHint(showHint ? LongHintOf(selected_->GetHint()) : std::string());
}

void TCustomdxBarControl::SelectAndClick(TdxBarItemControl* AControl, bool ASelectOnly) {
  TWindowLink self(this);
  SelectControl(AControl);
  if (!ASelectOnly && self.Alive() && HandleAllocated()) win::SendMessage(Handle(), win::WM_KEYDOWN, win::VK_RETURN, 0);
}

void TCustomdxBarControl::PressItemControl(TdxBarItemControl* AControl) {
  if (!AControl || !AControl->GetEnabled() || !AControl->AcceptsMouse()) return;
  TWindowLink self(this);
  SelectControl(AControl);
  if (!self.Alive()) return;
  if (TdxBarManager* m = GetBarManager()) m->CancelHint();
  // What a pressed control opens shows with the menu animation.
  if (selected_) selected_->ShowAnimation = true;
  if (selected_ && selected_->AcceptsFocus()) MakeItemVisible(selected_);
  AControl->Press();
  if (self.Alive() && OwnsItemControl(AControl) && selected_) selected_->ShowAnimation = false;
}

// ---------------------------------------------------------------- mouse

bool TCustomdxBarControl::IgnoresMouse(bool ACheckLastPos) {
  if (IsCustomizing()) return true;
  win::POINT p{};
  win::GetCursorPos(&p);
  return (ACheckLastPos && p == lastMousePos_) || !GetScreenBounds().Contains(p);
}

void TCustomdxBarControl::SetMouseInside(bool Value) {
  if (mouseInside_ == Value || IsCustomizing()) return;
  const bool old = mouseInside_;
  mouseInside_ = Value;
  MouseInsideChanged(old);
}

void TCustomdxBarControl::HandleMouseMove(TShiftState /*AShift*/, TPoint AClientPoint) {
  if (IgnoresMouse(true)) {
    if (IgnoresMouse(false)) MouseLeave();
    return;
  }
  lastMousePos_ = ClientToScreen(AClientPoint);
}

void TCustomdxBarControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  TWindowLink self(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!self.Alive() || IsDestroying() || HasState(bcsDestructionStarted)) return;
  const TPoint p{X, Y};
  if (DragPending) {
    const int32_t cx = win::GetSystemMetrics(win::SM_CXDRAG), cy = win::GetSystemMetrics(win::SM_CYDRAG);
    const TRect still(DragStart.X - cx / 2, DragStart.Y - cy / 2, DragStart.X - cx / 2 + cx, DragStart.Y - cy / 2 + cy);
    if (still.Contains(p)) return;
    DragPending = false;
    win::ReleaseCapture();
    if (!self.Alive()) return;
    TdxBarManager* m = GetBarManager();
    IdxBarControlDesigner* designer = dxBarControlDesigner();
    if (!m || !designer) return;
    TdxBarItemLink* link = designer->DraggedItemLink(m);
    if (TdxBarItemControl* c = ControlOf(link); c && c->IsActive()) c->Deactivate();
    if (self.Alive() && link) designer->BeginItemDrag(m, link->GetItem(), link);
    return;
  }
  TdxBarItemControl* control = ItemControlAtPos(p);
  if (lastMousePos_ == TPoint{-1, -1} && !IgnoresMouse(true)) {
    MouseEnter(Shift, p, control);
    if (!self.Alive()) return;
    control = ItemControlAtPos(p);
  }
  DoMouseMove(Shift, p, control);
}

void TCustomdxBarControl::MouseEnter(TShiftState AShift, TPoint AClientPoint, TdxBarItemControl* AControl) {
  TWindowLink self(this);
  if (TdxBarManager* m = GetBarManager()) m->StartMouseTracking(this);
  if (!self.Alive()) return;
  ItemMouseMove(AControl ? AControl->ItemLink() : nullptr, AClientPoint, AShift);
  if (self.Alive()) SetMouseInside(true);
}

void TCustomdxBarControl::DoMouseLeave() {
  SetMouseInside(false);
  TWindowLink self(this);
  ItemMouseMove(nullptr, {-1, -1}, TShiftState());
  if (!self.Alive()) return;
  if (markState_ == 1) SetMarkState(0);
  if (!CapturedControl && selected_ && !selected_->IsDroppedDown() && !IsCustomizing()) HotTrackControl(nullptr);
}

void TCustomdxBarControl::ItemMouseMove(TdxBarItemLink* ALink, TPoint AClientPoint, TShiftState AShift) {
  TWindowLink self(this);
  if (ALink != MouseLink) {
    // The old link may have gone since; only a link the window still holds hears its leave.
    TdxBarItemLink* old = std::exchange(MouseLink, ALink);
    if (itemLinks_ && old && itemLinks_->IndexOf(old) >= 0)
      if (TdxBarItemControl* c = ControlOf(old); c && c->Parent() == this) c->MouseLeave();
    if (!self.Alive()) return;
    if (TdxBarItemControl* c = ControlOf(ALink)) c->MouseEnter(AShift, AClientPoint.X, AClientPoint.Y);
    if (!self.Alive() || MouseLink != ALink) return;
  }
  if (TdxBarItemControl* c = ControlOf(ALink)) c->MouseMove(AShift, AClientPoint.X, AClientPoint.Y);
}

void TCustomdxBarControl::DoMouseMove(TShiftState AShift, TPoint AClientPoint, TdxBarItemControl* AControl) {
  if (IgnoresMouse(true)) return;
  TWindowLink self(this);
  ItemMouseMove(AControl ? AControl->ItemLink() : nullptr, AClientPoint, AShift);
  if (!self.Alive()) return;
  // An edit that holds the focus keeps the selection.
  if (TdxBarManager* m = GetBarManager(); m && m->SelectedItemControl() && m->SelectedItemControl()->IsEditWindowActive())
    return;
  if (AControl && !AControl->CanFocus()) AControl = nullptr;
  if ((!IsToolbarWindow(this) || !IsActive() || AControl) && !CapturedControl && (AControl || !childBar_))
    HotTrackControl(AControl);
}

// A stored double click is the single click of the same button, unless the
// selected control handles double clicks.
void TCustomdxBarControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  const TPoint p{X, Y};
  TWindowLink self(this);
  TdxBarItemControl* control = ItemControlAtPos(p);
  if (lastMousePos_ == TPoint{-1, -1} && !IsCustomizing()) {
    MouseEnter(Shift, p, control);
    if (!self.Alive()) return;
    control = ItemControlAtPos(p);
  }
  if (Shift.Contains(ssDouble) && control && control == selected_ && control->HasDoubleClickHandling()) {
    ItemDblClick(control);
    return;
  }
  switch (CurrentMessage.Msg) {
    case win::WM_LBUTTONDBLCLK: CurrentMessage.Msg = win::WM_LBUTTONDOWN; break;
    case win::WM_RBUTTONDBLCLK: CurrentMessage.Msg = win::WM_RBUTTONDOWN; break;
    case win::WM_MBUTTONDBLCLK: CurrentMessage.Msg = win::WM_MBUTTONDOWN; break;
    default: break;
  }
  Shift.Exclude(ssDouble);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!self.Alive()) return;
  DoMouseDown(Button, Shift, ClientRect().Contains(p), ItemControlAtPos(p), p);
}

void TCustomdxBarControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  TWindowLink self(this);
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!self.Alive()) return;
  const TPoint p{X, Y};
  DoMouseUp(Button, Shift, ClientRect().Contains(p), ItemControlAtPos(p), p);
}

void TCustomdxBarControl::DoMouseDown(TMouseButton AButton, TShiftState AShift, bool /*AInside*/,
                                      TdxBarItemControl* AControl, TPoint AClientPoint) {
  if (IsCustomizing() && AControl && !AControl->BelongsToManager()) return;
  TWindowLink self(this);
  if (AControl && !IgnoresMouse(false)) {
    AControl->MouseDown(AButton, AShift, AClientPoint.X, AClientPoint.Y);
    if (!self.Alive()) return;
    AControl = ItemControlAtPos(AClientPoint);
  }
  TdxBarItemControl* designSelected = GetDesignSelectedControl();
  if (IsCustomizing()) {
    DesignSelect(AControl, AButton, AShift);
    if (!self.Alive()) return;
  }
  if (AButton == mbLeft) {
    if (IsCustomizing())
      PrepareItemDrag(AClientPoint, GetDesignSelectedControl() == designSelected);
    else
      PressItemControl(AControl);
  } else if (AButton == mbRight) {
    if (AControl != selected_) {
      DeactivateIfFocused();
      if (!self.Alive()) return;
    }
    if (CustomizingPopupOnButton(true)) ShowCustomizingPopup(AControl);
  }
}

void TCustomdxBarControl::DoMouseUp(TMouseButton AButton, TShiftState AShift, bool /*AInside*/,
                                    TdxBarItemControl* AControl, TPoint AClientPoint) {
  TWindowLink self(this);
  if (AControl && !IgnoresMouse(false)) {
    AControl->MouseUp(AButton, AShift, AClientPoint.X, AClientPoint.Y);
    if (!self.Alive()) return;
    AControl = ItemControlAtPos(AClientPoint);
  }
  if (AButton == mbRight && CustomizingPopupOnButton(false)) ShowCustomizingPopup(AControl);
}

void TCustomdxBarControl::WMLButtonUp(TMessage& m) {
  TWindowLink self(this);
  TCustomControl::WMLButtonUp(m);
  if (!self.Alive()) return;
  if (DragPending) {
    // Released inside the drag rectangle: no drag, only the capture goes.
    win::ReleaseCapture();
    return;
  }
  const bool hadCapture = CapturedControl != nullptr;
  if (hadCapture) {
    win::ReleaseCapture();
    if (!self.Alive()) return;
  }
  const TPoint p{int16_t(m.LParam & 0xFFFF), int16_t((m.LParam >> 16) & 0xFFFF)};
  if (ClientRect().Contains(p) && IsActive() && !IsCustomizing()) {
    TdxBarItemControl* control = ItemControlAtPos(p);
    if (control && control->AcceptsMouse()) {
      if (control->GetEnabled() && control == selected_) {
        control->ControlClick(true);
        if (!self.Alive()) return;
      } else if (!control->GetEnabled() && control != selected_ && IsToolbarWindow(this) &&
                 !(selected_ && selected_->IsDroppedDown())) {
        Hide();
        if (!self.Alive()) return;
      }
    }
  }
  // A press and release on a control that captured the mouse ends menu mode.
  if (hadCapture && IsLiveBarControl(this)) Hide();
}

void TCustomdxBarControl::ItemDblClick(TdxBarItemControl* AControl) {
  if (!AControl) return;
  TdxBarManager* m = GetBarManager();
  if (m && m->InDesigner()) return;  // the item's designer belongs to the design controller
  if (AControl->OpensSubMenu()) {
    // A double click on a sub-item expands the menu it opened.
    if (childBar_ && IsLiveBarControl(childBar_) && childBar_->HasMark()) childBar_->SetMarkState(2);
    return;
  }
  AControl->DoubleClick();
}

void TCustomdxBarControl::PrepareItemDrag(TPoint AClientPoint, bool /*AUnchanged*/) {
  TdxBarItemControl* control = GetDesignSelectedControl();
  TdxBarManager* m = GetBarManager();
  IdxBarControlDesigner* designer = dxBarControlDesigner();
  if (!control || !m || !designer || !control->BelongsToManager()) return;
  DragStart = AClientPoint;
  designer->SetDraggedItem(m, control->GetItem(), control->ItemLink());
  DragPending = true;
  if (HandleAllocated()) win::SetCapture(Handle());
}

void TCustomdxBarControl::ShowCustomizingPopup(TdxBarItemControl* AControl) {
  if (IdxBarControlDesigner* designer = dxBarControlDesigner())
    designer->ShowCustomizingPopupFor(this, AControl ? AControl->ItemLink() : nullptr);
}

// ---------------------------------------------------------------- design-time selection

void TCustomdxBarControl::DesignSelect(TdxBarItemControl* AControl, TMouseButton AButton, TShiftState AShift) {
  TdxBarManager* m = GetBarManager();
  TWindowLink self(this);
  IdxBarSelectableItem* item = nullptr;
  if (AControl) {
    ActivateKeyboard(AControl);
    if (!self.Alive()) return;
    QuerySelectableItem(AControl->ItemLink(), item);
    if (AButton == mbLeft) {
      if (ViewInfo()->ItemControlInfoCount() == 0) return;
      if (AControl->BelongsToManager()) {
        if (AControl == selected_) {
          if (AControl->IsActive())
            AControl->Deactivate();
          else
            AControl->Activate();
          if (!self.Alive()) return;
          if (m) m->ChangeSelectedItemControl(AControl);
        }
        HotTrackControl(AControl);
        if (!self.Alive()) return;
      }
    } else if (AButton == mbRight) {
      if (AControl == selected_) {
        if (AControl->IsActive()) AControl->Deactivate();
        if (!self.Alive()) return;
        if (m) m->ChangeSelectedItemControl(AControl);
      }
      SelectControl(AControl);
      if (!self.Alive()) return;
    }
  } else {
    item = GetSelectableObject();
  }
  IdxBarControlDesigner* designer = dxBarControlDesigner();
  if (!item || !designer) return;
  int32_t operation = 2;
  const bool selected = designer->IsItemSelected(item);
  if ((AButton == mbLeft || AButton == mbMiddle) && AShift.Contains(ssShift) && !AShift.Contains(ssCtrl))
    operation = selected ? 1 : 0;
  else if (AButton == mbRight && selected)
    operation = designer->IsSelectionComplex(m) ? 2 : 0;
  designer->SelectItem(item, operation);
}

// ---------------------------------------------------------------- keyboard

bool TCustomdxBarControl::SendKeyToSelectedControl(win::WORD& AKey) {
  if (!selected_ || !selected_->GetEnabled() || !selected_->WantsKey(AKey)) return false;
  selected_->KeyDown(AKey, TShiftState());
  return true;
}

bool TCustomdxBarControl::DoKeyDown(win::WORD& AKey, TShiftState /*AShift*/) {
  if (AKey != win::VK_RETURN || !selected_) return false;
  if (TdxBarNavigationController* nav = NavigationControllerInstance();
      nav && (nav->IsAltHoldWaiting() || nav->IsKeyTipScopeActive() || nav->NavigationMode()))
    nav->EndKeyboardMode();
  if (selected_) selected_->ClickByKeyboard();
  return true;
}

TdxBarItemLink* TCustomdxBarControl::FindAccelLink(win::WORD AKey, TShiftState AShift, TdxBarItemLink* AAfter) {
  return itemLinks_ ? itemLinks_->FindLinkByAccelerator(AKey, AShift, AAfter) : nullptr;
}

TdxBarItemLink* TCustomdxBarControl::FindAccelLinkEx(win::WORD AKey, TShiftState AShift, bool& AAnother,
                                                     TdxBarItemLink* AAfter) {
  AAnother = false;
  TdxBarItemLink* found = FindAccelLink(AKey, AShift, AAfter);
  if (!found || (found->GetItem() && !found->GetItem()->Enabled())) return nullptr;
  TdxBarItemLink* next = FindAccelLink(AKey, AShift, found);
  AAnother = next && next != found;
  return found;
}

void TCustomdxBarControl::WMKeyDown(TMessage& m) {
  TWindowLink self(this);
  TCustomControl::WMKeyDown(m);
  if (!self.Alive() || !CurrentBarControl()) return;
  win::WORD key = win::WORD(m.WParam);
  const TShiftState shift = KeyboardStateToShiftState();
  if (!NavigateByKey(key, shift)) return;
  m.WParam = key;
  if (!self.Alive() || !CurrentBarControl()) return;
  if (!SendKeyToSelectedControl(key) && self.Alive()) DoKeyDown(key, shift);
}

bool TCustomdxBarControl::NavigateByKey(win::WORD& AKey, TShiftState AShift) {
  TWindowLink self(this);
  // Menus move up and down and leave Left and Right to DoKeyDown; vertical
  // toolbars turn their arrows, in the message too.
  win::WORD nav = AKey;
  if (IsMenuWindow(this)) {
    switch (AKey) {
      case win::VK_LEFT:
      case win::VK_RIGHT: nav = 0; break;
      case win::VK_UP: nav = win::VK_LEFT; break;
      case win::VK_DOWN: nav = win::VK_RIGHT; break;
      default: break;
    }
  } else if (IsVertical()) {
    switch (AKey) {
      case win::VK_LEFT: AKey = win::VK_UP; break;
      case win::VK_UP: AKey = win::VK_LEFT; break;
      case win::VK_RIGHT: AKey = win::VK_DOWN; break;
      case win::VK_DOWN: AKey = win::VK_RIGHT; break;
      default: break;
    }
    nav = AKey;
  }
  bool tabMove = false;
  if (nav == win::VK_TAB) {
    if (AShift.Contains(ssCtrl)) {
      ActivateOtherBar(!AShift.Contains(ssShift));
      return self.Alive();
    }
    nav = AShift.Contains(ssShift) ? win::VK_LEFT : win::VK_RIGHT;
    tabMove = true;
  }
  TdxBarItemLink* current = selected_ ? selected_->ItemLink() : nullptr;
  TdxBarItemLink* target = nullptr;
  bool move = true;
  switch (nav) {
    case win::VK_END: target = itemLinks_ ? itemLinks_->GetLastSelectableLink() : nullptr; break;
    case win::VK_HOME: target = itemLinks_ ? itemLinks_->GetFirstSelectableLink() : nullptr; break;
    case win::VK_LEFT:
      if (itemLinks_) target = current ? itemLinks_->GetPrevSelectableLink(current, false) : itemLinks_->GetFirstSelectableLink();
      break;
    case win::VK_RIGHT:
      if (itemLinks_) target = current ? itemLinks_->GetNextSelectableLink(current, false) : itemLinks_->GetFirstSelectableLink();
      break;
    default: move = false; break;
  }
  if (move) {
    SelectControl(ControlOf(target));
    if (!self.Alive()) return false;
    if (tabMove && selected_ && selected_->AcceptsFocus()) {
      // A Tab onto an edit enters it.
      selected_->PressAndClick();
      if (!self.Alive()) return false;
    }
    return true;
  }
  TdxBarManager* manager = GetBarManager();
  if ((AKey == win::VK_F10 && manager && manager->UseF10ForMenu()) || AKey == win::VK_MENU) {
    AKey = 0;
    Hide();
    return self.Alive();
  }
  const std::string ch = KeyCharText(AKey);
  if (ch.empty() || ch == " ") return true;
  bool another = false;
  if (TdxBarItemLink* link = FindAccelLinkEx(AKey, AShift, another, current))
    if (TdxBarItemControl* control = ControlOf(link)) {
      SelectAndClick(control, another);
      return self.Alive();
    }
  return true;
}

void TCustomdxBarControl::ActivateOtherBar(bool AForward) {
  TCustomdxBarControl* root = this;
  for (int32_t steps = 0; root->GetParentBarControl() && steps < 1000; ++steps) root = root->GetParentBarControl();
  TdxBar* start = root->Bar();
  TdxBarManager* manager = start ? start->GetBarManager() : nullptr;
  TdxBarManagerList* managers = dxBarManagerList();
  if (!manager || !managers) return;
  int32_t index = start->Index();
  // Bounded by every bar of every manager once, so that no cycle can hang the walk.
  int32_t budget = 1;
  for (int32_t i = 0; i < managers->Count(); ++i) budget += managers->Items(i)->Bars()->Count();
  for (; budget > 0; --budget) {
    index += AForward ? 1 : -1;
    if (index < 0 || index >= manager->Bars()->Count()) {
      // Into the next (or previous) manager of the form that has bars.
      TdxBarManager* next = manager;
      for (int32_t k = 0; k <= managers->Count(); ++k) {
        next = managers->NextManagerOfForm(next, AForward);
        if (!next || next->Bars()->Count() > 0) break;
      }
      if (!next || next->Bars()->Count() == 0) return;
      manager = next;
      index = AForward ? 0 : manager->Bars()->Count() - 1;
    }
    TdxBar* bar = manager->Bars()->GetItem(index);
    if (bar == start) return;
    TCustomdxBarControl* window = bar->GetControl();
    if (!window || !IsLiveBarControl(window) || !window->HandleAllocated() || !bar->GetItemLinks()) continue;
    TdxBarItemLink* first = bar->GetItemLinks()->GetFirstSelectableLink();
    if (!first || !ControlOf(first)) continue;
    TWindowLink target(window);
    root->DeactivateIfFocused();
    if (!target.Alive()) return;
    window->ActivateKeyboardMode(ControlOf(first));
    if (target.Alive()) window->ActivateKeyboard(ControlOf(first));
    return;
  }
}
