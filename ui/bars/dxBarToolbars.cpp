// Toolbars: a bar's properties and their effects on its window, showing and
// hiding with the position kept across, the docking place, rows, the main
// menu, fonts, and the manager's collection of bars with its edge docks.
#include <algorithm>

#include "platform/classes/lists.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarToolbarControl.h"

namespace {

// The side a dock site docks on: an edge dock's own, else its alignment's.
TdxBarDockingStyle SideOf(const TdxDockControl* ADock) {
  if (ADock->IsEdgeDock()) return ADock->EdgeSide();
  switch (ADock->Align()) {
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    case alBottom: return dsBottom;
    default: return dsTop;
  }
}

int32_t RowIndexOf(const TdxDockRow* ARow) {
  TdxDockControl* dock = ARow->DockControl();
  for (int32_t i = 0; i < dock->GetRowCount(); ++i)
    if (dock->GetRow(i) == ARow) return i;
  return -1;
}

// A guard flag set for the lifetime of the scope.
class TFlagScope {
public:
  explicit TFlagScope(bool& AFlag) : flag_(AFlag), old_(AFlag) { flag_ = true; }
  ~TFlagScope() { flag_ = old_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
  bool old_;
};

}  // namespace

// ---------------------------------------------------------------- life

TdxBar::TdxBar(TComponent* AOwner)
    : TcxComponentCollectionItem(AOwner),
      backgroundBitmap_(std::make_unique<TBitmap>()),
      editFont_(std::make_unique<TFont>()),
      font_(std::make_unique<TFont>()),
      glyph_(std::make_unique<TBitmap>()) {
  backgroundBitmap_->OnChange = [this](TObject*) { RebuildFrame(); };
  font_->OnChange = [this](TObject*) { FontChanged(); };
  glyph_->OnChange = [this](TObject*) { RefreshCaption(); };
}

TdxBar::~TdxBar() {
  if (OnDestroy) OnDestroy(this);
  TdxBarManager* m = Manager();
  if (m && !ManagerDestroying() && m->OnBarDelete) m->OnBarDelete(m, this);
  SetVisible(false);
  // A window handed over directly (not made through the links) goes too.
  if (TCustomdxBarControl* c = std::exchange(control_, nullptr)) {
    c->SetBar(nullptr);
    if (itemLinks_ && itemLinks_->BarControl == c) itemLinks_->BarControl = nullptr;
    delete c;
  }
  SetDockRow(nullptr);
  for (TdxBarItem* item : std::exchange(freeNotifications_, {})) item->Notification(this, opRemove);
  if (m && m->GetMainMenuBar() == this) m->SetMainMenuBar(nullptr);
  // The change handlers would reach a half-destroyed bar.
  font_->OnChange = nullptr;
  glyph_->OnChange = nullptr;
  backgroundBitmap_->OnChange = nullptr;
}

TdxBarManager* TdxBar::Manager() const { return GetBars() ? GetBars()->BarManager() : nullptr; }

TdxBarManager* TdxBar::GetBarManager() { return Manager(); }

TdxBars* TdxBar::GetBars() const { return static_cast<TdxBars*>(Collection()); }

TcxComponentCollection* TdxBar::CollectionForParent(TComponent* AParent) {
  auto* m = dynamic_cast<TdxBarManager*>(AParent);
  return m ? m->Bars() : nullptr;
}

void TdxBar::SetCollection(TcxComponentCollection* Value) {
  TcxComponentCollectionItem::SetCollection(Value);
  TdxBarManager* m = Manager();
  if (!itemLinks_)
    itemLinks_ = std::make_unique<TdxBarControlItemLinks>(m, this);
  else
    itemLinks_->SetBarManager(m);
  if (!m) return;
  {
    TFlagScope internal(InternalFontChange);
    TNotifyEvent handler = std::move(font_->OnChange);
    font_->OnChange = nullptr;
    font_->Assign(m->Font());
    font_->OnChange = std::move(handler);
  }
  if (!m->InLoading() && m->OnBarAdd) m->OnBarAdd(m, this);
  Changed(false);
}

void TdxBar::SetName(const std::string& Value) {
  if (Restoring)
    oldName_ = Value;
  else
    TcxComponentCollectionItem::SetName(Value);
}

// Values read from the form wait for the manager's Loaded, which runs before
// the bars' own.
bool TdxBar::IsLoading() const {
  TdxBarManager* m = Manager();
  return m ? m->InLoading() : Loading();
}

bool TdxBar::ManagerDestroying() const {
  TdxBarManager* m = Manager();
  return m && m->InDestruction();
}

bool TdxBar::SameManager(TdxDockControl* ADock) const {
  return !ADock || !ADock->BarManager() || ADock->BarManager() == Manager();
}

// A bar window of the bar's dock site is going: rows and positions are in flux.
bool TdxBar::DockWindowBeingDestroyed() const {
  TdxBars* bars = GetBars();
  TdxDockControl* dock = GetRealDockControl();
  if (!bars || !dock) return false;
  for (int32_t i = 0; i < bars->Count(); ++i) {
    TdxBar* bar = bars->GetItem(i);
    TCustomdxBarControl* c = bar->GetControl();
    if (c && c->DockControl() == dock && c->HasState(TCustomdxBarControl::bcsDestructionStarted)) return true;
  }
  return false;
}

void TdxBar::MarkChanged() { Changed(true); }

void TdxBar::Updating() {
  TcxComponentCollectionItem::Updating();
  positionPending_ = false;
}

void TdxBar::Updated() {
  TcxComponentCollectionItem::Updated();
  if (std::exchange(positionPending_, false)) UpdateBarControlPosition();
}

// ---------------------------------------------------------------- window effects

void TdxBar::RebuildBarControl() {
  if (control_) control_->RebuildBar();
}

void TdxBar::RebuildFrame() {
  if (!control_) return;
  if (control_->HandleAllocated())
    win::SetWindowPos(control_->Handle(), nullptr, 0, 0, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE |
                          win::SWP_FRAMECHANGED);
  control_->RecalcNonClient();
  control_->RebuildBar();
}

// A floating window shows the caption, the close button and the glyph in its frame.
void TdxBar::RefreshCaption() {
  if (control_ && control_->DockingStyle() == dsNone) control_->RepaintBar();
}

void TdxBar::ApplyFontToControl() {
  if (!control_) return;
  control_->Font()->Assign(font_.get());
  control_->Perform(CM_FONTCHANGED, 0, 0);
}

// ---------------------------------------------------------------- properties

void TdxBar::SetAllowClose(bool Value) {
  if (allowClose_ == Value) return;
  allowClose_ = Value;
  RefreshCaption();
  Changed(false);
}

void TdxBar::SetAllowQuickCustomizing(bool Value) {
  if (allowQuickCustomizing_ == Value) return;
  allowQuickCustomizing_ = Value;
  if (!control_) return;
  TdxBarManager* m = Manager();
  if (control_->DockingStyle() == dsNone)
    RefreshCaption();
  else if (m && m->Style() != bmsStandard)
    RebuildBarControl();
}

void TdxBar::SetAlphaBlendValue(uint8_t Value) {
  if (alphaBlendValue_ == Value) return;
  alphaBlendValue_ = Value;
  if (IsFloating() && control_->HandleAllocated())
    control_->RecalcNonClient();
}

void TdxBar::SetBackgroundBitmap(TBitmap* Value) {
  if (!Value && backgroundBitmap_->Empty()) return;
  if (Value)
    backgroundBitmap_->Assign(Value);
  else
    backgroundBitmap_->Assign(nullptr);
}

void TdxBar::SetBorderStyle(TdxBarBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RebuildFrame();
}

void TdxBar::SetCaption(const std::string& Value) {
  if (caption_ == Value) return;
  if (TdxBarManager* m = Manager()) {
    TdxBar* other = m->FindBarByCaption(Value);
    if (other && other != this) return;
  }
  caption_ = Value;
  RefreshCaption();
  Changed(false);
}

void TdxBar::SetColor(TColor Value) {
  if (color_ == Value) return;
  color_ = Value;
  RebuildFrame();
}

void TdxBar::SetDockedDockControl(TdxDockControl* Value) {
  if (!SameManager(Value) || dockedDockControl_ == Value) return;
  dockedDockControl_ = Value;
  Changed(false);
}

TdxBarDockingStyle TdxBar::GetDockedDockingStyle() const {
  return dockedDockControl_ ? SideOf(dockedDockControl_) : dockedDockingStyle_;
}

void TdxBar::SetDockedValue(int32_t Index, int32_t Value) {
  int32_t& field = Index == 1 ? dockedLeft_ : dockedTop_;
  Value = std::max(Value, 0);
  if (field == Value) return;
  field = Value;
  if (InState(csUpdating))
    positionPending_ = true;
  else
    UpdateBarControlPosition();
  Changed(false);
}

void TdxBar::SetFloatValue(int32_t Index, int32_t Value) {
  int32_t* fields[4] = {&floatLeft_, &floatTop_, &floatClientWidth_, &floatClientHeight_};
  if (Index < 1 || Index > 4 || *fields[Index - 1] == Value) return;
  *fields[Index - 1] = Value;
  if (InState(csUpdating))
    positionPending_ = true;
  else
    UpdateBarControlPosition();
  Changed(false);
}

void TdxBar::SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }

void TdxBar::SetHidden(bool Value) {
  if (hidden_ == Value) return;
  hidden_ = Value;
  Changed(false);
}

void TdxBar::SetMultiLine(bool Value) {
  if (multiLine_ == Value || (!Value && isMainMenu_)) return;
  multiLine_ = Value;
  if (control_ && control_->DockingStyle() != dsNone) RebuildBarControl();
}

void TdxBar::SetNotDocking(TdxBarDockingStyles Value) {
  if (notDocking_ == Value) return;
  notDocking_ = Value;
  RebuildBarControl();
}

void TdxBar::SetOneOnRow(bool Value) {
  if (oneOnRow_ == Value || DockWindowBeingDestroyed()) return;
  oneOnRow_ = Value;
}

void TdxBar::SetRotateWhenVertical(bool Value) {
  if (rotateWhenVertical_ == Value) return;
  rotateWhenVertical_ = Value;
  if (control_) control_->Perform(CM_FONTCHANGED, 0, 0);
}

void TdxBar::SetShowMark(bool Value) {
  if (showMark_ == Value) return;
  showMark_ = Value;
  RebuildBarControl();
}

void TdxBar::SetSizeGrip(bool Value) {
  if (sizeGrip_ == Value) return;
  sizeGrip_ = Value;
  if (IsStatusBar()) RebuildFrame();
}

bool TdxBar::UseRecentItems() const { return !itemLinks_ || itemLinks_->UseRecentItems; }

void TdxBar::SetUseRecentItems(bool Value) {
  if (!itemLinks_ || itemLinks_->UseRecentItems == Value) return;
  itemLinks_->UseRecentItems = Value;
  RebuildBarControl();
}

void TdxBar::SetUseRestSpace(bool Value) {
  if (useRestSpace_ == Value) return;
  useRestSpace_ = Value;
  RebuildBarControl();
}

void TdxBar::SetWholeRow(bool Value) {
  if (wholeRow_ == Value) return;
  wholeRow_ = Value;
  if (control_ && control_->DockingStyle() != dsNone) {
    SetVisible(false);
    SetVisible(true);
  }
}

// ---------------------------------------------------------------- fonts

void TdxBar::FontChanged() {
  if (!InternalFontChange) useOwnFont_ = true;
  if (useOwnFont_) RefreshOwnFont();
  ApplyFontToControl();
}

void TdxBar::RefreshOwnFont() {
  TdxBarManager* m = Manager();
  CopyFontWithSystemSize(font_.get(), editFont_.get(), m && m->Scaled());
}

void TdxBar::SetFont(TFont* Value) { font_->Assign(Value); }

void TdxBar::SetUseOwnFont(bool Value) {
  if (useOwnFont_ == Value) return;
  useOwnFont_ = Value;
  TFlagScope internal(InternalFontChange);
  if (Value) {
    FontChanged();
  } else if (TdxBarManager* m = Manager()) {
    font_->Assign(m->Font());
  }
}

// ---------------------------------------------------------------- visibility

bool TdxBar::GetVisible() const { return visible_; }

void TdxBar::SetVisible(bool Value) {
  TdxBarManager* m = Manager();
  if (Value && ManagerDestroying()) return;
  if (!visible_ && !Value && m) m->ForgetRestoringBar(this);
  if (IsLoading()) {
    if (loadedVisible_ != Value) InternallyHidden = false;
    loadedVisible_ = Value;
    return;
  }
  if (visible_ == Value) return;
  InternallyHidden = false;
  if (!Value && control_) StoreBarPosition();
  visible_ = Value;
  if (itemLinks_) {
    if (Value) {
      if (itemLinks_->CreateBarControl()) ShowBarControl();
    } else {
      // Only the bar's own window: the links may show one handed to them.
      if (control_ && itemLinks_->BarControl == control_) itemLinks_->FreeBarControl();
      if (dockRow_) {
        row_ = GetRow();
        TdxDockControl* dock = dockRow_->DockControl();
        for (TdxBar* mate : dockRow_->Bars)
          if (mate != this) mate->SetRowMateHidden(true);
        SetDockRow(nullptr);
        dock->UpdateDock();
      }
    }
  }
  Changed(false);
  if (m && !ManagerDestroying() && m->OnBarVisibleChange) m->OnBarVisibleChange(m, this);
}

TClass TdxBar::GetBarControlClass() { return TdxBarControl::StaticClass(); }

TCustomdxBarControl* TdxBar::CreateBarControl() {
  TClass cls = GetBarControlClass();
  TObject* made = cls && cls->Create ? cls->Create(Manager()) : nullptr;
  auto* window = dynamic_cast<TCustomdxBarControl*>(made);
  if (!window) {
    delete made;
    return nullptr;
  }
  SetControl(window);
  ApplyFontToControl();
  return window;
}

void TdxBar::SetControl(TCustomdxBarControl* Value) {
  TCustomdxBarControl* old = std::exchange(control_, Value);
  if (Value) Value->SetBar(this);
  if (!Value || !old || old == Value) return;
  // A replaced window no longer shows the bar; one the links made for the
  // bar would outlive them.
  if (old->Bar() == this) old->SetBar(nullptr);
  if (itemLinks_ && itemLinks_->BarControl == old) {
    itemLinks_->BarControl = Value;
    if (IsLiveBarControl(old)) delete old;
  }
}

void TdxBar::StoreBarPosition() {
  TCustomdxBarControl* w = control_;
  TdxBarManager* m = Manager();
  TdxBars* bars = GetBars();
  if (!w || !visible_ || !m || ManagerDestroying()) return;
  if (bars && bars->Moving && bars->MovingBarControl == w) return;
  TFlagScope storing(storingPosition_);
  m->LockDesignerNotifications(true);
  TScopeExit unlock([m] { m->LockDesignerNotifications(false); });
  if (w->DockingStyle() != dsNone) {
    if (DockWindowBeingDestroyed() || m->IsRecreatingBarHandles()) return;
    TdxDockControl* dock = w->DockControl();
    dockedDockingStyle_ = w->DockingStyle();
    SetDockedDockControl(dock && !dock->IsEdgeDock() ? dock : nullptr);
    if (dockRow_ && dockRow_->DockControl() == dock) {
      SetOneOnRow(dockRow_->Bars.size() == 1 && !rowMateHidden_);
      SetDockedValue(1, w->Left());
      SetDockedValue(2, w->Top());
    }
  } else {
    SetFloatValue(1, w->Left());
    SetFloatValue(2, w->Top());
    SetFloatValue(3, w->ClientWidth());
    SetFloatValue(4, w->ClientHeight());
  }
}

// Under the window's update lock the dock site takes it as placed by the
// program: at (DockedLeft, DockedTop) in the bar's stored row.
void TdxBar::DockWindow() {
  TCustomdxBarControl* w = control_;
  TdxDockControl* dock = GetRealDockControl();
  w->BeginUpdate();
  TScopeExit unlock([w] { w->EndUpdate(); });
  w->SetDockingStyle(GetDockingStyle());
  w->SetDockControl(dock);
  if (!dock) return;
  w->SetParent(dock);
  // The window measures itself with the metrics of its own handle.
  if (dock->HandleAllocated()) w->HandleNeeded();
  if (auto* window = dynamic_cast<TdxBarControl*>(w))
    dock->DockBar(window, dock->ClientToScreen(TPoint(dockedLeft_, dockedTop_)), true);
}

void TdxBar::FloatWindow() {
  TCustomdxBarControl* w = control_;
  w->BeginUpdate();
  TScopeExit unlock([w] { w->EndUpdate(); });
  SetDockRow(nullptr);
  w->SetDockingStyle(dsNone);
  w->SetDockControl(nullptr);
  w->SetParent(nullptr);
  TSize size(floatClientWidth_ + GetNonClientWidth(dsNone), floatClientHeight_ + GetNonClientHeight(dsNone));
  if (auto* window = dynamic_cast<TdxBarControl*>(w)) size = window->CalcBarSize(dsNone);
  w->SetBounds(floatLeft_, floatTop_, size.cx, size.cy);
}

void TdxBar::ShowBarControl() {
  TCustomdxBarControl* w = control_;
  TdxBarManager* m = Manager();
  if (!w || !m) return;
  const bool docked = GetDockingStyle() != dsNone;
  if (docked)
    DockWindow();
  else
    FloatWindow();
  bool show = docked;
  if (!docked && m->IsOwnerShowing()) {
    TCustomForm* form = GetParentForm(m->OwnerControl());
    show = !m->HideFloatingBarsWhenInactive() || m->IsCustomizing() || (form && form->Active());
  }
  if (show) {
    // Shown as a control too, so a window docked before its form had a handle
    // gets one, on screen, with its dock site's.
    w->SetVisible(true);
    if (w->HandleAllocated()) win::ShowWindow(w->Handle(), win::SW_SHOWNA);
  }
  m->ForgetRestoringBar(this);
}

void TdxBar::UpdateBarControlPosition() {
  TdxBars* bars = GetBars();
  if (!control_ || (bars && bars->Moving) || storingPosition_) return;
  if (control_->DockingStyle() != dsNone)
    DockWindow();
  else
    FloatWindow();
}

// ---------------------------------------------------------------- docking place

TdxBarDockControl* TdxBar::GetDockControl() const { return dockControl_; }

TdxBarDockingStyle TdxBar::GetDockingStyle() const {
  return dockControl_ ? SideOf(dockControl_) : dockingStyle_;
}

TdxDockControl* TdxBar::GetRealDockControl() const {
  if (dockControl_) return dockControl_;
  return GetBars() ? GetBars()->EdgeDock(dockingStyle_) : nullptr;
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
  if (IsLoading()) {
    loadedDockingStyle_ = Value;
    return;
  }
  if (dockingStyle_ == Value) return;
  const bool inProgress = changingDockingStyle_;
  const bool reshow = control_ && !inProgress && control_->DockingStyle() != Value;
  if (reshow) SetVisible(false);
  dockingStyle_ = Value;
  if (!inProgress) {
    TFlagScope guard(changingDockingStyle_);
    SetDockControl(nullptr);
  }
  if (reshow) SetVisible(true);
  if (!inProgress)
    if (TdxBarManager* m = Manager()) m->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockControl(TdxBarDockControl* Value) {
  if (!SameManager(Value)) return;
  if (IsLoading()) {
    loadedDockControl_ = Value;
    return;
  }
  if (dockControl_ == Value) return;
  const bool inProgress = changingDockingStyle_;
  const TdxBarDockingStyle before = GetDockingStyle();
  bool reshow = false;
  if (control_ && !inProgress) {
    TdxDockControl* current = control_->DockControl();
    reshow = Value ? Value != current : before != dsNone && (!current || !current->IsEdgeDock());
  }
  if (reshow) SetVisible(false);
  dockControl_ = Value;
  if (!inProgress) {
    TFlagScope guard(changingDockingStyle_);
    SetDockingStyle(Value ? SideOf(Value) : before);
  }
  if (reshow) {
    SetVisible(true);
    if (control_) control_->SetDockControl(GetRealDockControl());
  }
  if (!inProgress)
    if (TdxBarManager* m = Manager()) m->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockingStyleAndControl(TdxBarDockingStyle Style, TdxDockControl* Dock) {
  auto* formDock = Dock && !Dock->IsEdgeDock() ? dynamic_cast<TdxBarDockControl*>(Dock) : nullptr;
  if (Style == GetDockingStyle() || (formDock && formDock != dockControl_))
    SetDockControl(formDock);
  else
    SetDockingStyle(Style);
}

bool TdxBar::IsFloating() const { return control_ && GetDockingStyle() == dsNone; }

// ---------------------------------------------------------------- rows

int32_t TdxBar::GetRow() const {
  const int32_t index = dockRow_ ? RowIndexOf(dockRow_) : -1;
  return index >= 0 ? index : row_;
}

void TdxBar::SetRow(int32_t Value) {
  Value = std::max(Value, 0);
  if (dockRow_ && Value == GetRow()) return;
  row_ = Value;
  TdxDockControl* dock = GetRealDockControl();
  TdxBarManager* m = Manager();
  if (dock) {
    TdxDockRow* target = nullptr;
    if (Value >= dock->GetRowCount()) {
      if (m && (m->IsBarsUpdateLocked() || m->IsRestoringBars()))
        while (dock->GetRowCount() <= Value) target = dock->AddRow();
      else
        target = dock->AddRow();
    } else {
      target = dock->GetRow(Value);
    }
    SetDockRow(target);
  }
  Changed(false);
  if (dock) dock->UpdateDock();
}

void TdxBar::SetDockRow(TdxDockRow* ARow) {
  if (ARow == dockRow_ || (ARow && ManagerDestroying())) return;
  if (TdxDockRow* old = std::exchange(dockRow_, nullptr)) old->RemoveBar(this, true);
  rowMateHidden_ = false;
  dockRow_ = ARow;
  if (ARow) ARow->AddBar(this);
}

// ---------------------------------------------------------------- main menu

void TdxBar::SetIsMainMenu(bool Value) {
  if (isMainMenu_ == Value) return;
  TdxBarManager* m = Manager();
  if (m) m->BeginBarsUpdate();
  TScopeExit end([m] {
    if (m) m->EndBarsUpdate();
  });
  if (Value && m)
    if (TdxBar* old = m->GetMainMenuBar(); old && old != this) old->SetIsMainMenu(false);
  isMainMenu_ = Value;
  if (Value) {
    if (m) m->SetMainMenuBar(this);
    SetWholeRow(true);
    SetMultiLine(true);
  } else {
    if (m && m->GetMainMenuBar() == this) m->SetMainMenuBar(nullptr);
    SetMultiLine(false);
    SetWholeRow(false);
  }
  if (IsLoading()) return;
  if (control_ && control_->DockingStyle() != dsNone)
    RebuildBarControl();
  else
    RefreshCaption();
  Changed(false);
}

// ---------------------------------------------------------------- queries

bool TdxBar::CanClose() const { return allowClose_ && !isMainMenu_; }

bool TdxBar::IsMovable() const {
  constexpr TdxBarDockingStyles all = DockingStyleBit(dsNone) | DockingStyleBit(dsLeft) | DockingStyleBit(dsTop) |
                                      DockingStyleBit(dsRight) | DockingStyleBit(dsBottom);
  TdxBarManager* m = Manager();
  return (notDocking_ & all) != all && (!m || (m->NotDocking() & all) != all);
}

bool TdxBar::IsStatusBar() const {
  return borderStyle_ == bbsNone && GetDockingStyle() == dsBottom && wholeRow_;
}

bool TdxBar::HasSizeGrip() const {
  TdxBarManager* m = Manager();
  if (!IsStatusBar() || !sizeGrip_ || !m) return false;
  if (auto* form = dynamic_cast<TCustomForm*>(m->OwnerControl()); form && form->WindowState() == wsMaximized)
    return false;
  if (!control_) return true;
  for (TControl* c = control_;;) {
    if (auto* form = dynamic_cast<TCustomForm*>(c); form && form->FormStyle() == fsMDIChild) return true;
    TWinControl* parent = c->Parent();
    if (!parent) return true;
    if (c->Top() + c->Height() != parent->ClientHeight()) return false;
    c = parent;
  }
}

TdxBarPainter* TdxBar::GetPainter() const {
  TdxBarManager* m = Manager();
  return m ? m->DefaultPainter() : nullptr;
}

namespace {
// The painter measures the frame on the window; it answers only for the side
// the window is on (an empty frame otherwise).
TdxBarControl* WindowOnSide(TCustomdxBarControl* AControl, TdxBarDockingStyle Style) {
  auto* w = dynamic_cast<TdxBarControl*>(AControl);
  return w && w->DockingStyle() == Style ? w : nullptr;
}
}  // namespace

int32_t TdxBar::GetNonClientWidth(TdxBarDockingStyle Style) const {
  TdxBarPainter* p = GetPainter();
  if (!p) return 0;
  const TRect r = p->BarCalcNonClient(WindowOnSide(control_, Style), Style == dsNone, HasSizeGrip());
  return r.Left + r.Right;
}

int32_t TdxBar::GetNonClientHeight(TdxBarDockingStyle Style) const {
  TdxBarPainter* p = GetPainter();
  if (!p) return 0;
  const TRect r = p->BarCalcNonClient(WindowOnSide(control_, Style), Style == dsNone, HasSizeGrip());
  return r.Top + r.Bottom;
}

TSize TdxBar::FloatingNonClientSize() const {
  return TSize(GetNonClientWidth(dsNone), GetNonClientHeight(dsNone));
}

bool TdxBar::IsShortCut(TShortCut AKey) { return itemLinks_ && itemLinks_->DispatchShortCut(AKey); }

void TdxBar::AddFreeNotification(TdxBarItem* AItem) {
  if (AItem && std::find(freeNotifications_.begin(), freeNotifications_.end(), AItem) == freeNotifications_.end())
    freeNotifications_.push_back(AItem);
}

void TdxBar::RemoveFreeNotification(TdxBarItem* AItem) { std::erase(freeNotifications_, AItem); }

// ---------------------------------------------------------------- assignment

void TdxBar::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TdxBar*>(Source);
  if (!src) {
    TcxComponentCollectionItem::Assign(Source);
    return;
  }
  SetAllowClose(src->AllowClose());
  SetAllowCustomizing(src->AllowCustomizing());
  SetAllowQuickCustomizing(src->AllowQuickCustomizing());
  SetAllowReset(src->AllowReset());
  SetBorderStyle(src->BorderStyle());
  SetCaption(src->Caption());
  SetDockedDockControl(src->DockedDockControl());
  SetDockedDockingStyle(src->dockedDockingStyle_);
  SetDockedLeft(src->DockedLeft());
  SetDockedTop(src->DockedTop());
  SetFloatLeft(src->FloatLeft());
  SetFloatTop(src->FloatTop());
  SetFloatClientWidth(src->FloatClientWidth());
  SetFloatClientHeight(src->FloatClientHeight());
  SetHidden(src->Hidden());
  SetIsMainMenu(src->IsMainMenu());
  if (itemLinks_ && src->GetItemLinks()) itemLinks_->Assign(src->GetItemLinks());
  SetNotDocking(src->GetNotDocking());
  SetOldName(src->OldName());
  SetOneOnRow(src->OneOnRow());
  SetRotateWhenVertical(src->RotateWhenVertical());
  SetRow(src->GetRow());
  SetShowMark(src->ShowMark());
  SetSizeGrip(src->SizeGrip());
  SetWholeRow(src->WholeRow());
  SetDockingStyleAndControl(src->GetDockingStyle(), src->GetDockControl());
  SetUseRecentItems(src->UseRecentItems());
  SetUseRestSpace(src->UseRestSpace());
  SetColor(src->Color());
  SetFont(src->Font());
  SetUseOwnFont(src->UseOwnFont());
  SetVisible(src->GetVisible());
}

// ---------------------------------------------------------------- selection

bool TdxBar::CanBeDeleted(bool) {
  TdxBarManager* m = Manager();
  const bool designing = m && m->InDesigner();
  return (designing || (!Predefined && CanClose())) && (!m || m->MayDeleteComponent(this));
}

void TdxBar::DeleteIfAllowed(IdxBarSelectableItem*& AReference, bool Destruction) {
  if (!CanBeDeleted(Destruction)) return;
  AReference = nullptr;
  delete this;
}

void TdxBar::CollectOwners(TdxObjectList* AList) {
  if (TdxBarManager* m = Manager()) TdxObjectList::AddToListOnce(AList, m->OwnerControl());
}

void TdxBar::NextSelectable(IdxBarSelectableItem*& AElement) {
  TdxBars* bars = GetBars();
  const int32_t index = Index();
  AElement = nullptr;
  if (!bars || index < 0) return;
  if (index + 1 < bars->Count())
    AElement = bars->GetItem(index + 1);
  else if (index > 0)
    AElement = bars->GetItem(0);
}

// The nearest parent of the dock site that the streaming system knows, else
// the manager's owner control.
TPersistent* TdxBar::SelectableParentObject() {
  for (TControl* c = dockControl_ ? dockControl_->Parent() : nullptr; c; c = c->Parent())
    if (GetClass(c->ClassType()->Name)) return c;
  TdxBarManager* m = Manager();
  return m ? m->OwnerControl() : nullptr;
}

int32_t TdxBar::GetDesignSelectionState() {
  TdxBarManager* m = Manager();
  return m ? m->GetDesignSelectionState(this) : 0;
}

bool TdxBar::IsDesignSelected() {
  TdxBarManager* m = Manager();
  return m && m->IsDesignSelected(this);
}

void TdxBar::DesignSelect(int32_t AOperation) {
  if (TdxBarManager* m = Manager()) m->DesignSelect(this, AOperation);
}

bool TdxBar::SelectOwnParent() {
  TdxBarManager* m = Manager();
  if (!m) return false;
  m->DesignSelect(SelectableParentObject(), 2);
  return true;
}

void TdxBar::RefreshSelectionMark() {
  if (control_) control_->Invalidate();
}

// ---------------------------------------------------------------- bar collection

namespace {

TAlign EdgeAlign(TdxBarDockingStyle side) {
  switch (side) {
    case dsLeft: return alLeft;
    case dsRight: return alRight;
    case dsBottom: return alBottom;
    default: return alTop;
  }
}

}  // namespace

TdxBars::TdxBars(TdxBarManager* ABarManager)
    : TcxComponentCollection(ABarManager, TdxBar::StaticClass()), barManager_(ABarManager) {
  auto* parent = dynamic_cast<TWinControl*>(ABarManager->Owner());
  for (TdxBarDockingStyle side : {dsLeft, dsTop, dsRight, dsBottom}) {
    auto* dock = new TdxDockControl(nullptr);
    dock->SetEdgeSide(side);
    dock->SetAlign(EdgeAlign(side));
    if (IsVerticalDockingStyle(side))
      dock->SetWidth(0);
    else
      dock->SetHeight(0);
    dock->SetParent(parent);
    dock->SetBarManager(ABarManager);
    edgeDocks_[side - dsLeft] = dock;
  }
}

TdxBars::~TdxBars() {
  Clear();
  for (TdxDockControl*& dock : edgeDocks_) {
    TdxDockControl* d = dock;
    dock = nullptr;
    delete d;
  }
}

TdxDockControl* TdxBars::EdgeDock(TdxBarDockingStyle Side) const {
  return Side >= dsLeft && Side <= dsBottom ? edgeDocks_[Side - dsLeft] : nullptr;
}

void TdxBars::ForgetEdgeDock(TdxDockControl* ADock) {
  for (TdxDockControl*& dock : edgeDocks_)
    if (dock == ADock) dock = nullptr;
}

void TdxBars::RebuildBarControls() {
  for (int32_t i = 0; i < Count(); ++i)
    if (TCustomdxBarControl* c = GetItem(i)->GetControl()) c->RebuildBar();
}

void TdxBars::AssignItemName(TcxComponentCollectionItem* AItem) {
  std::string name;
  barManager_->MakeBarName(barManager_->Name() + "Bar", name);
  AItem->SetName(name);
}

void TdxBars::Update(TcxComponentCollectionItem* AItem, TcxItemNotification AAction) {
  TcxComponentCollection::Update(AItem, AAction);
  if (AAction == inChanged) barManager_->NotifyDesignerModified();
}
