// TcxControl and its helpers: the scroll bars it owns, the size grip, child
// components, and the in-control drag and drop.
//
// The framework's own drag and drop (BeginDrag and drag objects) does not
// exist in this program's platform layer, so the roads that start it (an
// automatic drag mode, the designer's drag) are not taken here; the
// in-control protocol works on its own.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/menus.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxCore.h"

IcxPopupMenuHook* cxPopupMenuHook = nullptr;

namespace {

// The mouse position of a mouse message: its coordinates are 16 bits, so a
// control larger than that reads the cursor instead.
TPoint MessagePoint(TcxControl* Control, const TMessage& Message) {
  if (Control->Width() > 32768 || Control->Height() > 32768) {
    win::POINT p{};
    win::GetCursorPos(&p);
    return Control->ScreenToClient(p);
  }
  return {win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
}

bool IsPopupMenu(TComponent* Menu) {
  return dynamic_cast<TPopupMenu*>(Menu) || dynamic_cast<IcxExternalPopupMenu*>(Menu);
}

}  // namespace

// ---------------------------------------------------------------- the control's scroll bars

TcxControlScrollBar::TcxControlScrollBar(TComponent* AOwner) : TcxScrollBar(AOwner) {
  SetColor(clBtnFace);
  TControlStyle style = ControlStyle();
  style.Exclude(csFramed);
  style.Include(csNoDesignVisible);
  SetControlStyle(style);
  SetTabStop(false);
  SetVisible(false);
}

void TcxControlScrollBar::ApplyData() {
  if (Data.Visible) {
    SetScrollParams(Data.Min, Data.Max, Data.Position, Data.PageSize, true);
    SetSmallChange(Data.SmallChange);
    SetLargeChange(Data.LargeChange);
  }
  SetEnabled(Data.Enabled);
  if (Visible() != Data.Visible) {
    SetVisible(Data.Visible);
    Perform(CM_SHOWINGCHANGED);
  }
}

void TcxControlScrollBar::WMLButtonDown(TMessage& Message) {
  if (TWinControl* parent = Parent()) {
    auto* cxParent = dynamic_cast<TcxControl*>(parent);
    const bool focus = cxParent ? cxParent->FocusWhenChildIsClicked(this) : parent->CanFocus();
    if (focus) {
      auto alive = AliveToken();
      parent->SetFocus();
      if (alive.expired()) return;
    }
  }
  TcxScrollBar::WMLButtonDown(Message);
}

void TcxControlScrollBar::Dispatch(TMessage& Message) {
  // The designer lets the bar handle the mouse itself.
  if (Message.Msg == CM_DESIGNHITTEST) {
    Message.Result = 1;
    return;
  }
  TcxScrollBar::Dispatch(Message);
}

// ---------------------------------------------------------------- size grip

TcxSizeGrip::TcxSizeGrip(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  TControlStyle style = ControlStyle();
  style.Include(csNoDesignVisible);
  SetControlStyle(style);
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); };
}

TcxSizeGrip::~TcxSizeGrip() = default;

void TcxSizeGrip::Paint() {
  Canvas()->Brush()->SetColor(lookAndFeel_->GetPainter()->DefaultColor21());
  Canvas()->FillRect(ClientRect());
}

// ---------------------------------------------------------------- child components

TcxControlChildComponent::TcxControlChildComponent(TcxControl* AControl, bool AAssignOwner)
    : TcxComponent(AAssignOwner && AControl ? AControl->Owner() : nullptr) {
  SetControl(AControl);
}

TcxControlChildComponent::~TcxControlChildComponent() {
  if (control_) control_->RemoveChildComponent(this);
}

TComponent* TcxControlChildComponent::GetParentComponent() { return control_; }

void TcxControlChildComponent::SetParentComponent(TComponent* Value) {
  if (auto* control = dynamic_cast<TcxControl*>(Value)) control->AddChildComponent(this);
}

// ---------------------------------------------------------------- drag and drop object

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* AControl)
    : control_(AControl), canvas_(AControl ? AControl->cxCanvas() : nullptr) {}

void TcxDragAndDropObject::SetDirty(bool Value) {
  if (dirty_ == Value) return;
  dirty_ = Value;
  NotifyDirtyChanged();
}

TCursor TcxDragAndDropObject::GetDragAndDropCursor(bool Accepted) { return Accepted ? crDrag : crNoDrop; }

void TcxDragAndDropObject::DragAndDrop(TPoint, bool& Accepted) {
  SetDirty(false);
  Screen->SetCursor(GetDragAndDropCursor(Accepted));
}

void TcxDragAndDropObject::DoBeginDragAndDrop() {
  curMousePos_ = control_->ScreenToClient(SafeCursorPos());
  prevMousePos_ = curMousePos_;
  BeginDragAndDrop();
}

void TcxDragAndDropObject::DoDragAndDrop(TPoint P, bool& Accepted) {
  prevMousePos_ = curMousePos_;
  curMousePos_ = P;
  DragAndDrop(P, Accepted);
}

void TcxDragAndDropObject::DoEndDragAndDrop(bool Accepted) {
  BeforeEndDragAndDrop(Accepted);
  EndDragAndDrop(Accepted);
}

// ---------------------------------------------------------------- TcxControl: life

TcxControl::TcxControl(TComponent* AOwner) : TCustomControl(AOwner) {
  canvas_ = std::make_unique<TcxCanvas>(Canvas());
  defaultCursor_ = Cursor();
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues Values) {
    if (!ComponentState().Contains(csDestroying) && Application &&
        !Application->ComponentState().Contains(csDestroying))
      LookAndFeelChanged(Sender, Values);
  };
  // A constructor's virtual calls stay in this class: a descendant without
  // scroll bars loses them in CreateWnd, and one that may not take the focus
  // must clear TabStop in its own constructor.
  if (HasScrollBars()) CreateScrollBars();
  SetTabStop(MayFocus());
  TControlStyle style = ControlStyle();
  style.Include(csParentBackground);
  SetControlStyle(style);
  if (TdxResourceStringsRepository* repository = ResourceStringsRepository()) repository->AddListener(this);
}

TcxControl::~TcxControl() {
  if (TdxResourceStringsRepository* repository = ResourceStringsRepository()) repository->RemoveListener(this);
  FinishDragAndDrop(false);
  DestroyScrollBars();
  fontListeners_.clear();
  dragImages_.reset();
  canvas_.reset();
  lookAndFeel_.reset();
  ClearObjectLinks(this);
}

void TcxControl::CreateScrollBars() {
  hScrollBar_ = new TcxControlScrollBar(nullptr);
  hScrollBar_->SetKind(sbHorizontal);
  vScrollBar_ = new TcxControlScrollBar(nullptr);
  vScrollBar_->SetKind(sbVertical);
  hScrollBar_->OnScroll = [this](TObject*, TScrollCode Code, int32_t& Pos) { Scroll(sbHorizontal, Code, Pos); };
  vScrollBar_->OnScroll = [this](TObject*, TScrollCode Code, int32_t& Pos) { Scroll(sbVertical, Code, Pos); };
  sizeGrip_ = new TcxSizeGrip(nullptr);
  for (TControl* c : {static_cast<TControl*>(hScrollBar_), static_cast<TControl*>(vScrollBar_),
                      static_cast<TControl*>(sizeGrip_)}) {
    TControlStyle style = c->ControlStyle();
    style.Include(csReplicatable);
    c->SetControlStyle(style);
  }
  hScrollBar_->LookAndFeel()->SetParentLookAndFeel(lookAndFeel_.get());
  vScrollBar_->LookAndFeel()->SetParentLookAndFeel(lookAndFeel_.get());
  sizeGrip_->LookAndFeel()->SetParentLookAndFeel(lookAndFeel_.get());
  SettingsController()->Add(this);
}

void TcxControl::DestroyScrollBars() {
  if (!hScrollBar_) return;
  if (TcxSettingsController* controller = SettingsController()) controller->Remove(this);
  // Ownerless children: the control frees them whether or not they are parented.
  delete sizeGrip_;
  delete vScrollBar_;
  delete hScrollBar_;
  sizeGrip_ = nullptr;
  vScrollBar_ = hScrollBar_ = nullptr;
}

void TcxControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= win::WS_CLIPCHILDREN;
}

void TcxControl::CreateWnd() {
  TCustomControl::CreateWnd();
  if (HasScrollBars() != (hScrollBar_ != nullptr)) {
    if (HasScrollBars())
      CreateScrollBars();
    else
      DestroyScrollBars();
  }
  InitScrollBars();
}

void TcxControl::DestroyWindowHandle() {
  TControlState state = ControlState();
  state.Exclude(csClicked);
  SetControlState(state);
  TCustomControl::DestroyWindowHandle();
}

void TcxControl::InitScrollBars() {
  if (!hScrollBar_) return;
  hScrollBar_->SetParent(this);
  vScrollBar_->SetParent(this);
  sizeGrip_->SetParent(this);
}

void TcxControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

// ---------------------------------------------------------------- properties

void TcxControl::SetBorderStyle(TcxControlBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  BoundsChanged();
  Invalidate();
}

void TcxControl::SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }

void TcxControl::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  UpdateScrollBars();
}

void TcxControl::SetPopupMenu(TComponent* Value) {
  if (!IsPopupMenu(Value)) Value = nullptr;
  if (popupMenu_ == Value) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = Value;
  if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TcxControl::AddFontListener(IcxFontListener* Listener) {
  if (Listener && std::find(fontListeners_.begin(), fontListeners_.end(), Listener) == fontListeners_.end())
    fontListeners_.push_back(Listener);
}

void TcxControl::RemoveFontListener(IcxFontListener* Listener) { std::erase(fontListeners_, Listener); }

TcxLookAndFeelPainterClass TcxControl::GetPainter() { return lookAndFeel_->GetPainter(); }

// ---------------------------------------------------------------- geometry

int32_t TcxControl::GetBorderSize() { return borderStyle_ == cxcbsNone ? 0 : GetPainter()->ControlFrameWidth(); }

void TcxControl::GetBounds(TRect& R) {
  if (!bounds_.IsEmpty())
    R = bounds_;
  else if (HandleAllocated())
    R = ClientRect();
  else
    R = TRect(0, 0, Width(), Height());
}

void TcxControl::GetClientBounds(TRect& R) {
  GetBounds(R);
  const int32_t border = GetBorderSize();
  R.Inflate(-border, -border);
  if (IsHScrollBarVisible()) R.Bottom -= hScrollBar_->Height();
  if (IsVScrollBarVisible()) R.Right -= vScrollBar_->Width();
}

void TcxControl::GetHScrollBarBounds(TRect& R) {
  GetClientBounds(R);
  R.Top = R.Bottom;
  R.Bottom = R.Top + hScrollBar_->Height();
}

void TcxControl::GetVScrollBarBounds(TRect& R) {
  GetClientBounds(R);
  R.Left = R.Right;
  R.Right = R.Left + vScrollBar_->Width();
}

void TcxControl::GetSizeGripBounds(TRect& R) {
  TRect h, v;
  GetHScrollBarBounds(h);
  GetVScrollBarBounds(v);
  R = TRect(v.Left, h.Top, v.Left + vScrollBar_->Width(), h.Top + hScrollBar_->Height());
}

bool TcxControl::IsInternalControl(TControl* AControl) {
  return AControl && (AControl == hScrollBar_ || AControl == vScrollBar_ || AControl == sizeGrip_);
}

void TcxControl::BringInternalControlsToFront() {
  if (!hScrollBar_) return;
  hScrollBar_->BringToFront();
  vScrollBar_->BringToFront();
  sizeGrip_->BringToFront();
}

void TcxControl::SetInternalControlsBounds() {
  if (!hScrollBar_) return;
  TRect r;
  if (hScrollBar_->Visible()) {
    GetHScrollBarBounds(r);
    hScrollBar_->SetBoundsRect(r);
  }
  if (vScrollBar_->Visible()) {
    GetVScrollBarBounds(r);
    vScrollBar_->SetBoundsRect(r);
  }
  if (sizeGrip_->Visible()) {
    GetSizeGripBounds(r);
    sizeGrip_->SetBoundsRect(r);
  }
}

void TcxControl::UpdateInternalControlsState() {
  if (!hScrollBar_) return;
  if (hScrollBar_->Visible()) hScrollBar_->UpdateControlState();
  if (vScrollBar_->Visible()) vScrollBar_->UpdateControlState();
  if (sizeGrip_->Visible()) sizeGrip_->UpdateControlState();
}

// ---------------------------------------------------------------- scroll model

TcxScrollBarData& TcxControl::PendingData(TScrollBarKind Kind) {
  return (Kind == sbHorizontal ? hScrollBar_ : vScrollBar_)->Data;
}

bool TcxControl::GetScrollBarVisibility(TcxControlScrollBar* Bar) {
  if (!Bar) return false;
  return calculatingScrollBarsParams_ ? Bar->Data.Visible : Bar->Visible();
}

bool TcxControl::IsHScrollBarVisible() { return GetScrollBarVisibility(hScrollBar_); }
bool TcxControl::IsVScrollBarVisible() { return GetScrollBarVisibility(vScrollBar_); }

void TcxControl::SetScrollBarInfo(TScrollBarKind Kind, int32_t Min, int32_t Max, int32_t Step, int32_t Page,
                                  int32_t Position, bool AllowShow, bool AllowHide) {
  if (!hScrollBar_) return;
  TcxScrollBarData& d = PendingData(Kind);
  const TScrollStyle own = Kind == sbHorizontal ? ssHorizontal : ssVertical;
  d.AllowShow = AllowShow && (scrollBars_ == own || scrollBars_ == ssBoth);
  d.AllowHide = AllowHide;
  d.Enabled = false;
  if (!d.AllowShow) {
    d.Visible = false;
  } else if (Min > Max || int64_t(Page) >= int64_t(Max) - Min + 1 || Position < Min) {
    // Not needed: gone when it may hide, else shown disabled.
    d.Visible = !AllowHide;
  } else {
    d.Min = Min;
    d.Max = Max;
    d.Position = Position;
    d.PageSize = Page;
    d.SmallChange = uint16_t(Step);
    d.LargeChange = uint16_t(Page);
    d.Enabled = true;
    d.Visible = true;
  }
}

void TcxControl::CalculateScrollBarsParameters() {
  if (calculatingScrollBarsParams_) return;
  calculatingScrollBarsParams_ = true;
  hScrollBar_->Data.Visible = vScrollBar_->Data.Visible = false;
  // Each bar narrows the other's room; repeat until neither visibility moves.
  // Two bars have four visibility pairs: a description still moving after
  // visiting them all cycles for ever and is cut off.
  for (int32_t pass = 0; pass < 5; ++pass) {
    const bool h = IsHScrollBarVisible(), v = IsVScrollBarVisible();
    InitScrollBarsParameters();
    if (h == IsHScrollBarVisible() && v == IsVScrollBarVisible()) break;
  }
  // Both bars there only because of each other: hide them together.
  const TcxScrollBarData& hd = hScrollBar_->Data;
  const TcxScrollBarData& vd = vScrollBar_->Data;
  auto coveredWith = [](const TcxScrollBarData& d, int32_t extra) {
    return int64_t(d.PageSize) + extra >= int64_t(d.Max) - d.Min + 1;
  };
  if (hd.Visible && vd.Visible && hd.Enabled && vd.Enabled && hd.AllowHide && vd.AllowHide &&
      CanHideScrollBarPair(sbHorizontal) && CanHideScrollBarPair(sbVertical) &&
      coveredWith(hd, vScrollBar_->Width()) && coveredWith(vd, hScrollBar_->Height())) {
    const TcxScrollBarData h = hd, v = vd;
    SetScrollBarInfo(sbHorizontal, h.Min, h.Max, h.SmallChange, h.PageSize + vScrollBar_->Width(), h.Position,
                     h.AllowShow, h.AllowHide);
    SetScrollBarInfo(sbVertical, v.Min, v.Max, v.SmallChange, v.PageSize + hScrollBar_->Height(), v.Position,
                     v.AllowShow, v.AllowHide);
  }
  calculatingScrollBarsParams_ = false;
}

void TcxControl::UpdateScrollBars() {
  if (!hScrollBar_) return;
  if (scrollBarsLockCount_ > 0) {
    scrollBarsUpdateNeeded_ = true;
    return;
  }
  const bool outermost = !updatingScrollBars_;
  if (outermost) {
    initialHScrollBarVisible_ = hScrollBar_->Visible();
    initialVScrollBarVisible_ = vScrollBar_->Visible();
  }
  updatingScrollBars_ = true;
  auto alive = AliveToken();
  const bool hBefore = hScrollBar_->Visible(), vBefore = vScrollBar_->Visible();
  if (!isInitialScrollBarsParams_) {
    CalculateScrollBarsParameters();
    // Back where the outermost call began: the bars would flip for ever.
    isInitialScrollBarsParams_ = !outermost && hScrollBar_->Data.Visible == initialHScrollBarVisible_ &&
                                 vScrollBar_->Data.Visible == initialVScrollBarVisible_;
    if (isInitialScrollBarsParams_) {
      for (TcxControlScrollBar* bar : {hScrollBar_, vScrollBar_}) {
        const bool initial = bar == hScrollBar_ ? initialHScrollBarVisible_ : initialVScrollBarVisible_;
        if (bar->Visible() != initial) {
          bar->SetEnabled(false);
          bar->SetVisible(true);
        }
      }
    } else {
      hScrollBar_->ApplyData();
      vScrollBar_->ApplyData();
    }
  }
  if (hBefore != hScrollBar_->Visible() || vBefore != vScrollBar_->Visible()) {
    BoundsChanged();
  } else {
    sizeGrip_->SetVisible(hScrollBar_->Visible() && vScrollBar_->Visible());
    SetInternalControlsBounds();
    if (NeedsInternalControlsOnTop()) BringInternalControlsToFront();
  }
  if (alive.expired()) return;
  updatingScrollBars_ = !outermost;
  if (outermost) isInitialScrollBarsParams_ = false;
}

void TcxControl::UnlockScrollBars() {
  scrollBarsLockCount_ = std::max(scrollBarsLockCount_ - 1, 0);
  if (scrollBarsLockCount_ == 0 && scrollBarsUpdateNeeded_) {
    scrollBarsUpdateNeeded_ = false;
    UpdateScrollBars();
  }
}

void TcxControl::BoundsChanged() {
  UpdateScrollBars();
  if (InvalidateChildrenToo()) Invalidate();
}

void TcxControl::Resize() {
  TCustomControl::Resize();
  BoundsChanged();
}

void TcxControl::SettingsChanged() {
  if (!hScrollBar_) return;
  const int32_t h = win::GetSystemMetrics(win::SM_CYHSCROLL), w = win::GetSystemMetrics(win::SM_CXVSCROLL);
  if (hScrollBar_->Height() == h && vScrollBar_->Width() == w) return;
  hScrollBar_->SetHeight(h);
  vScrollBar_->SetWidth(w);
  BoundsChanged();
}

void TcxControl::ScrollInDirection(uint8_t Direction) {
  if (Direction == dirNone) return;
  if (!hScrollBar_ && !CanScrollWithoutScrollBars(Direction)) return;
  const TScrollBarKind kind = Direction == dirLeft || Direction == dirRight ? sbHorizontal : sbVertical;
  const TScrollCode code = Direction == dirLeft || Direction == dirUp ? scLineUp : scLineDown;
  int32_t position = hScrollBar_ ? (kind == sbHorizontal ? hScrollBar_ : vScrollBar_)->Position() : 0;
  auto alive = AliveToken();
  Scroll(kind, code, position);
  if (!alive.expired()) Update();
}

bool TcxControl::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) {
  auto alive = AliveToken();
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (alive.expired()) return true;
  const TcxWheelScrollKind kind = GetWheelScrollKind();
  if (kind == wskNone) return false;
  const uint8_t direction = kind == wskVertical ? (WheelDelta > 0 ? dirUp : dirDown)
                                                : (WheelDelta > 0 ? dirLeft : dirRight);
  for (int32_t i = 0; i < Mouse->WheelScrollLines(); ++i) {
    ScrollInDirection(direction);
    if (alive.expired()) break;
  }
  return true;
}

// ---------------------------------------------------------------- focus and mouse

bool TcxControl::CanFocusOnClick() { return !IsDesigning() && focusOnClick_ && MayFocus() && CanFocus(); }

bool TcxControl::CanFocusEx() {
  if (!CanFocus()) return false;
  TCustomForm* form = GetParentForm();
  return !form || (form->CanFocus() && form->Enabled() && form->Visible());
}

bool TcxControl::IsNearMouseDownPoint(int32_t X, int32_t Y) {
  return DragMode() == dmManual || IsWithinDragThreshold(mouseDownPos_, X, Y);
}

bool TcxControl::IsCopyDragDrop() { return IsCtrlPressed(); }

void TcxControl::BeforeMouseDown(TMouseButton Button, int32_t, int32_t) {
  // An automatic drag mode would start the framework's drag here, which this
  // platform does not have.
  if (Button == mbMiddle) RunAutoScroll();
}

void TcxControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  mouseDownPos_ = {X, Y};
  auto alive = AliveToken();
  if (CanFocusOnClickAt(X, Y) && !Shift.Contains(ssDouble)) {
    const TRect before = BoundsRect();
    SetFocus();
    if (alive.expired()) return;
    TCustomForm* form = GetParentForm();
    if (form && form->ActiveControl() == this && !Focused()) win::SetFocus(Handle());
    if (!Focused() && !AllowMouseDownWithoutFocus()) {
      SetMouseCapture(false);
      return;
    }
    if (FollowMoveOnFocus()) {
      X += before.Left - Left();
      Y += before.Top - Top();
    }
  }
  if (Button == mbLeft && !Shift.Contains(ssDouble) && StartDragAndDrop({X, Y})) {
    if (alive.expired()) return;
    if (DragAndDropObject()->GetImmediateStart())
      BeginDragAndDrop();
    else
      SetDragAndDropState(ddsStarting);
  } else {
    if (alive.expired()) return;
    FinishDragAndDrop(false);
  }
  if (alive.expired()) return;
  InternalMouseDown(Button, Shift, X, Y);
  if (alive.expired()) return;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!alive.expired() && MouseCapture()) mouseButtonPressed_ = true;
}

void TcxControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  // The hook's cursor shows without becoming the default.
  const TCursor keep = defaultCursor_;
  SetCursor(GetCursorAt(X, Y));
  defaultCursor_ = keep;
  auto alive = AliveToken();
  TCustomControl::MouseMove(Shift, X, Y);
  if (alive.expired()) return;
  if (dragAndDropState_ == ddsStarting && !IsWithinDragThreshold(mouseDownPos_, X, Y)) BeginDragAndDrop();
  if (alive.expired()) return;
  if (dragAndDropState_ == ddsInProcess) {
    bool accepted = false;
    DragAndDrop({X, Y}, accepted);
  }
}

void TcxControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  mouseButtonPressed_ = false;
  auto alive = AliveToken();
  EndMouseOperation();
  if (alive.expired()) return;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxControl::EndMouseOperation() {
  FinishDragAndDrop(true);
  SetMouseCaptureObject(nullptr);
}

void TcxControl::CancelMouseOperations() {
  mouseButtonPressed_ = false;
  SetMouseCaptureObject(nullptr);
}

void TcxControl::SetMouseCaptureObject(TObject* Value) {
  if (mouseCaptureObject_ == Value) return;
  if (auto* previous = dynamic_cast<IcxMouseCaptureObject*>(mouseCaptureObject_)) previous->DoCancelMode();
  mouseCaptureObject_ = Value;
  const bool wasCaptured = MouseCapture();
  SetMouseCapture(Value != nullptr);
  if (wasCaptured && !MouseCapture() && dragAndDropState_ == ddsStarting) Perform(win::WM_CANCELMODE);
}

void TcxControl::MouseEnter(TControl*) {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TcxControl::MouseLeave(TControl*) {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TcxControl::FocusChanged() {
  if (OnFocusChanged) OnFocusChanged(this);
}

void TcxControl::FontChanged() {
  // A listener may unregister itself while hearing of the change.
  const std::vector<IcxFontListener*> listeners = fontListeners_;
  for (IcxFontListener* l : listeners)
    if (std::find(fontListeners_.begin(), fontListeners_.end(), l) != fontListeners_.end()) l->FontChanged(this, Font());
  Invalidate();
}

// ---------------------------------------------------------------- drag and drop

TcxDragAndDropObjectClass TcxControl::GetDragAndDropObjectClass() {
  if (dragAndDropObjectClass_) return dragAndDropObjectClass_;
  return [](TcxControl* Control) { return new TcxDragAndDropObject(Control); };
}

TcxDragAndDropObject* TcxControl::DragAndDropObject() {
  if (!dragAndDropObject_) dragAndDropObject_.reset(GetDragAndDropObjectClass()(this));
  return dragAndDropObject_.get();
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState Value) {
  if (dragAndDropState_ == Value) return;
  dragAndDropState_ = Value;
  if (Value == ddsNone && !finishingDragAndDrop_) CancelMouseOperations();
}

void TcxControl::BeginDragAndDrop() {
  DragAndDropObject()->DoBeginDragAndDrop();
  SetMouseCapture(true);
  dragAndDropPrevCursor_ = Screen->Cursor();
  SetDragAndDropState(ddsInProcess);
}

void TcxControl::DragAndDrop(TPoint P, bool& Accepted) { DragAndDropObject()->DoDragAndDrop(P, Accepted); }

void TcxControl::EndDragAndDrop(bool Accepted) {
  SetDragAndDropState(ddsNone);
  Screen->SetCursor(dragAndDropPrevCursor_);
  SetMouseCapture(false);
  SetMouseCaptureObject(nullptr);
  DragAndDropObject()->DoEndDragAndDrop(Accepted);
}

void TcxControl::FinishDragAndDrop(bool Accepted) {
  if (finishingDragAndDrop_) return;
  finishingDragAndDrop_ = true;
  auto alive = AliveToken();
  if (dragAndDropState_ == ddsInProcess)
    EndDragAndDrop(Accepted);
  else
    SetDragAndDropState(ddsNone);
  if (alive.expired()) return;
  dragAndDropObject_.reset();
  finishingDragAndDrop_ = false;
}

void TcxControl::InitDragImages(TcxDragImageList* List) {
  TPoint size;
  GetDragImagesSize(size);
  List->SetSize(size.X, size.Y);
  if (size.X == 0 || size.Y == 0) return;
  TBitmap bitmap;
  bitmap.SetSize(size.X, size.Y);
  TcxCanvas canvas(bitmap.Canvas());
  DrawDragImage(&canvas, TRect(0, 0, size.X, size.Y));
  List->AddMasked(&bitmap, bitmap.TransparentColor());
}

TcxDragImageList* TcxControl::GetDragImages() {
  if (!HasDragImages()) return nullptr;
  if (!dragImages_) {
    dragImages_.reset(CreateDragImages());
    InitDragImages(dragImages_.get());
  }
  return dragImages_->Count() > 0 ? dragImages_.get() : nullptr;
}

// ---------------------------------------------------------------- popup menus

bool TcxControl::ShowPopupMenu(TComponent* Menu, int32_t X, int32_t Y) { return ShowPopupMenuAt(this, Menu, X, Y); }

void TcxControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  auto alive = AliveToken();
  TCustomControl::DoContextPopup(MousePos, Handled);
  if (Handled || alive.expired()) return;
  // A keyboard request opens at the client origin.
  if (MousePos.X == -1 && MousePos.Y == -1) MousePos = {0, 0};
  const TPoint p = ClientToScreen(MousePos);
  Handled = (cxPopupMenuHook && cxPopupMenuHook->Popup(popupMenu_, p)) || ShowPopupMenu(popupMenu_, p.X, p.Y);
}

void TcxControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint p{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
  if (!(p.X == -1 && p.Y == -1)) {
    p = ScreenToClient(p);
    if (!ClientRect().Contains(p)) {
      DefaultHandler(Message);
      return;
    }
  }
  bool handled = false;
  auto alive = AliveToken();
  DoContextPopup(p, handled);
  if (alive.expired()) return;
  Message.Result = handled ? 1 : 0;
  // The framework's handler would ask DoContextPopup again; the window's
  // default passes the request on to the parent.
  if (!handled) DefaultHandler(Message);
}

bool TcxControl::IsPopupMenuKey(TMessage& Message) {
  if (IsDesigning()) return false;
  TWMKey key = TWMKey::From(Message);
  for (TControl* c = this; c; c = c->Parent()) {
    auto* cx = dynamic_cast<TcxControl*>(c);
    if (cx && cx->popupMenu_ && IsPopupMenuShortCut(cx->popupMenu_, key)) return true;
  }
  return false;
}

// ---------------------------------------------------------------- painting

void TcxControl::Paint() {
  if (borderStyle_ != cxcbsNone) {
    TRect r;
    GetBounds(r);
    GetPainter()->PaintControlFrame(canvas_.get(), r);
    TRect client;
    GetClientBounds(client);
    win::IntersectClipRect(Canvas()->Handle(), client.Left, client.Top, client.Right, client.Bottom);
  }
  TCustomControl::Paint();
  UpdateInternalControlsState();
}

void TcxControl::InvalidateWithChildren(TMessage& Message) {
  if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
  if (Parent()) Parent()->Perform(CM_INVALIDATE, 1, 0);
  if (Message.WParam != 0) return;
  win::InvalidateRect(Handle(), nullptr, !ControlStyle().Contains(csOpaque));
  if (!InvalidateChildrenToo()) return;
  for (int32_t i = 0; i < ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(Controls(i));
    if (child && (!child->ControlStyle().Contains(csOpaque) || child->ParentBackground())) child->Invalidate();
  }
}

// ---------------------------------------------------------------- messages

void TcxControl::WndProc(TMessage& Message) {
  auto alive = AliveToken();
  TPoint p;
  const win::UINT msg = Message.Msg;
  if (msg == win::WM_LBUTTONDOWN || msg == win::WM_RBUTTONDOWN || msg == win::WM_MBUTTONDOWN)
    p = MessagePoint(this, Message);
  if (msg == win::WM_RBUTTONUP) rightButtonReleasing_ = true;
  TCustomControl::WndProc(Message);
  if (alive.expired() || ComponentState().Contains(csDestroying)) return;
  switch (msg) {
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS: FocusChanged(); break;
    case win::WM_PAINT:
      if (ParentBackground() != lastParentBackground_) {
        lastParentBackground_ = ParentBackground();
        ParentBackgroundChanged();
      }
      break;
    case win::WM_RBUTTONUP: rightButtonReleasing_ = false; break;
    case win::WM_LBUTTONDOWN: BeforeMouseDown(mbLeft, p.X, p.Y); break;
    case win::WM_RBUTTONDOWN: BeforeMouseDown(mbRight, p.X, p.Y); break;
    case win::WM_MBUTTONDOWN: BeforeMouseDown(mbMiddle, p.X, p.Y); break;
    default: break;
  }
}

void TcxControl::WMCancelMode(TMessage& Message) {
  auto alive = AliveToken();
  TCustomControl::WMCancelMode(Message);
  if (alive.expired()) return;
  FinishDragAndDrop(false);
  if (alive.expired()) return;
  CancelMouseOperations();
}

void TcxControl::Dispatch(TMessage& Message) {
  auto alive = AliveToken();
  switch (Message.Msg) {
    case win::WM_ERASEBKGND:
      if (HasBackground())
        TCustomControl::Dispatch(Message);
      else
        Message.Result = 0;
      return;
    case win::WM_GETDLGCODE: {
      win::LRESULT code = 0;
      if (keys_.Contains(kAll)) code += win::DLGC_WANTALLKEYS;
      if (keys_.Contains(kArrows)) code += win::DLGC_WANTARROWS;
      if (keys_.Contains(kChars)) code += win::DLGC_WANTCHARS;
      if (keys_.Contains(kTab) && !IsCtrlPressed()) code += win::DLGC_WANTTAB;
      Message.Result = code;
      return;
    }
    case win::WM_NCCALCSIZE:
      TCustomControl::Dispatch(Message);
      if (!alive.expired() && HandleAllocated()) win::PostMessage(Handle(), CM_CXSETTINGSCHANGED, 0, 0);
      return;
    case win::WM_SETCURSOR:
      if (IsDesigning() && dragAndDropState_ == ddsNone) {
        const TPoint p = ScreenToClient(SafeCursorPos());
        if (GetDesignHitTest(p.X, p.Y, {ssLeft})) {
          Screen->SetCursor(GetCursorAt(p.X, p.Y));
          Message.Result = 1;
          return;
        }
      }
      break;
    case CM_COLORCHANGED:
      ColorChanged();
      break;
    case CM_CURSORCHANGED:
      CursorChanged();
      break;
    case CM_DESIGNHITTEST:
      TCustomControl::Dispatch(Message);
      if (!alive.expired() && Message.Result == 0)
        Message.Result = GetDesignHitTest(win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam),
                                          KeysToShiftState(win::WORD(Message.WParam)));
      return;
    case CM_FONTCHANGED:
      TCustomControl::Dispatch(Message);
      if (!alive.expired()) FontChanged();
      return;
    case CM_INVALIDATE: InvalidateWithChildren(Message); return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      TCustomControl::Dispatch(Message);
      if (alive.expired()) return;
      TControl* c = Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this;
      if (Message.Msg == CM_MOUSEENTER)
        MouseEnter(c);
      else
        MouseLeave(c);
      return;
    }
    case CM_CXSETTINGSCHANGED: SettingsChanged(); return;
    case CM_TEXTCHANGED:
      TCustomControl::Dispatch(Message);
      if (!alive.expired()) TextChanged();
      return;
    case CM_VISIBLECHANGED:
      TCustomControl::Dispatch(Message);
      if (!alive.expired()) VisibleChanged();
      return;
    case CN_KEYDOWN:
      if (IsPopupMenuKey(Message)) {
        Message.Result = 1;
        return;
      }
      if (dragAndDropState_ != ddsNone) {
        FinishDragAndDrop(false);
        Message.Result = 1;
        return;
      }
      break;
    case CN_SYSKEYDOWN:
      if (IsPopupMenuKey(Message)) {
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

// Designers are not part of this program; a control being designed has no
// form designer to tell.
void TcxControl::NotifyDesigner() {
  if (!IsDesigning()) return;
  for (TControl* c = this; c; c = c->Parent())
    if (c->ComponentState().Contains(csLoading) || c->ComponentState().Contains(csWriting) ||
        c->ComponentState().Contains(csDestroying))
      return;
  NotifyDesignerModified(this);
}
