// The bar window base: life cycle, metrics, item layout, painting order,
// window messages, the parent/child chain and the process-wide active-bar
// stack.
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/win/winuser.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarShadow.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxFading.h"

namespace {

using TWindowLink = TcxScopedObjectLink;

// The links the window shows now.
bool IsShowableLink(TdxBarItemLinks* ALinks, TdxBarItemLink* ALink) {
  return ALinks && ALink && ALinks->VisibleIndexOf(ALink) >= 0;
}

// An edit's change notice in WM_COMMAND.
constexpr uint32_t kEnChange = 0x0300;

// Where the active-bar stack began: whether customizing was on then.
bool activeStackBeganInCustomizing = false;


}  // namespace

// ---------------------------------------------------------------- life cycle

TCustomdxBarControl::TCustomdxBarControl(TComponent* AOwner)
    : TCustomControl(AOwner), canvasWrapper_(std::make_unique<TcxCanvas>(Canvas())) {
  RegisterBarControl(this);
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  SetControlStyle(style);
  UpdateControlStyle();
  SetColor(clBtnFace);
  lastMousePos_ = {-1, -1};
  shadow_ = std::make_unique<TdxBarShadow>(this);
  SetVisible(false);
  SetBounds(100, 100, 50, 30);
  backgroundCache_ = std::make_unique<TBitmap>();
  mouseInside_ = false;
}

void TCustomdxBarControl::BeforeDestruction() {
  SetState(bcsDestructionStarted, true);
  // A child that is already going, or that is up this window's own parent
  // chain (a cycle), is not freed from here.
  if (TCustomdxBarControl* child = std::exchange(childBar_, nullptr)) {
    if (child->parentBar_ == this) child->parentBar_ = nullptr;
    if (!child->HasState(bcsDestructionStarted) && !child->IsAncestorOf(this) && IsLiveBarControl(child))
      child->FreeWindow();
  }
  if (parentBar_ && parentBar_->childBar_ == this) parentBar_->childBar_ = nullptr;
}

TCustomdxBarControl::~TCustomdxBarControl() {
  Destroying();
  BeforeDestruction();
  // The helper hears that its window goes; it never touches it again.
  DetachAccessibilityHelper(accessibilityHelper_);
  accessibilityHelperObject_.reset();
  TdxBarManager* m = GetBarManager();
  if (m) m->StopMouseTracking(this);
  // A manager that is already going cannot stop it: no timer may outlive the window.
  StopMouseLeaveTracking(this);
  DoDestroyEvent();
  if (m) {
    if (m->FocusedBarControl() == this) m->SetFocusedBarControl(nullptr);
    if (m->SelectedItemControl() && m->SelectedItemControl()->Parent() == this) m->StoreSelectedItemControl(nullptr);
  }
  if (HandleAllocated())
    DestroyHandle();
  else
    DestroyControls();
  DetachItemLinks();
  if (bar_ && bar_->GetControl() == this) bar_->SetControl(nullptr);
  if (parentBar_ && parentBar_->childBar_ == this) parentBar_->childBar_ = nullptr;
  parentBar_ = nullptr;
  RemoveFromActiveStack();
  UnregisterBarControl(this);
  ClearObjectLinks(this);
  shadow_.reset();
  backgroundCache_.reset();
  viewInfo_.reset();
  canvasWrapper_.reset();
  screenCanvas_.reset();
  SetState(bcsDestroyed, true);
}

void TCustomdxBarControl::SetItemLinks(TdxBarItemLinks* Value) {
  if (itemLinks_ == Value) return;
  DetachItemLinks();
  itemLinks_ = Value;
  if (Value) Value->BarControl = this;
}

void TCustomdxBarControl::DetachItemLinks() {
  if (itemLinks_ && itemLinks_->BarControl == this) itemLinks_->BarControl = nullptr;
}

void TCustomdxBarControl::FreeWindow() { delete this; }

void TCustomdxBarControl::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateFont();
  CalcMetrics();
}

void TCustomdxBarControl::CreateHandle() {
  TCustomControl::CreateHandle();
  CreateControls();
  AfterCreateHandle();
}

void TCustomdxBarControl::DestroyWindowHandle() {
  if (HandleAllocated()) LeaveItems();
  DestroyControls();
  TCustomControl::DestroyWindowHandle();
}

void TCustomdxBarControl::LeaveItems() {
  if (!HasState(bcsDestructionStarted)) MouseLeave();
  if (!itemLinks_) return;
  for (int32_t i = 0; i < itemLinks_->Count(); ++i) {
    TdxBarItemLink* link = itemLinks_->GetItem(i);
    if (link && MouseLink == link) MouseLink = nullptr;
    if (IsShowableLink(itemLinks_, link) && link->Control() && link->Control()->Parent() == this)
      link->Control()->BeforeParentHandleDestroyed();
  }
}

// ---------------------------------------------------------------- item controls

void TCustomdxBarControl::CreateControls() {
  if (HasState(bcsCreatingControls | bcsDestroyingControls)) return;
  SetState(bcsCreatingControls, true);
  TScopeExit done([this] { SetState(bcsCreatingControls, false); });
  DoCreateControls();
}

void TCustomdxBarControl::DestroyControls() {
  if (HasState(bcsCreatingControls | bcsDestroyingControls)) return;
  SetState(bcsDestroyingControls, true);
  TScopeExit done([this] { SetState(bcsDestroyingControls, false); });
  DoDestroyControls();
}

void TCustomdxBarControl::DoCreateControls() {
  if (!itemLinks_) return;
  for (int32_t i = 0; i < itemLinks_->GetVisibleItemCount(); ++i) itemLinks_->VisibleItems(i)->CreateControl();
}

void TCustomdxBarControl::DoDestroyControls() {
  if (!itemLinks_) return;
  for (int32_t i = 0; i < itemLinks_->Count(); ++i) {
    TdxBarItemLink* link = itemLinks_->GetItem(i);
    if (!link || !link->Control() || link->Control()->Parent() != this) continue;
    TdxBarItemControl* control = link->Control();
    if (selected_ == control) selected_ = nullptr;
    if (CapturedControl == control) CapturedControl = nullptr;
    link->DestroyControl();
  }
}

void TCustomdxBarControl::RecreateControls() {
  DestroyControls();
  CreateControls();
  if (TdxBarManager* m = GetBarManager()) m->RefreshHotTrackAtCursor(this);
}

void TCustomdxBarControl::Rebuild(bool ARecreate) {
  if (ARecreate) RecreateControls();
}

void TCustomdxBarControl::RebuildItems(bool ARecreate) {
  if (HasState(bcsDestructionStarted) || !HandleAllocated() ||
      HasState(bcsCreatingControls | bcsDestroyingControls | bcsRebuilding) || IsPaintLocked())
    return;
  SetState(bcsRebuilding, true);
  TWindowLink self(this);
  TdxBarItemLink* remembered = nullptr;
  TdxBarManager* m = GetBarManager();
  if (IsCustomizing() && m && m->SelectedItemControl() && m->SelectedItemControl()->Parent() == this) {
    remembered = m->SelectedItemControl()->ItemLink();
    m->StoreSelectedItemControl(nullptr);
  }
  selected_ = nullptr;
  Rebuild(ARecreate);
  if (!self.Alive()) return;
  SetState(bcsRebuilding, false);
  if (remembered && itemLinks_ && itemLinks_->IndexOf(remembered) >= 0 && remembered->Control())
    SelectControl(remembered->Control());
}

void TCustomdxBarControl::ExpandContainerItems() {
  if (!itemLinks_) return;
  expandedContainerLinks_.clear();
  for (int32_t i = 0; i < itemLinks_->Count(); ++i) {
    TdxBarItemLink* link = itemLinks_->GetItem(i);
    if (!IsShowableLink(itemLinks_, link)) continue;
    if (int32_t(expandedContainerLinks_.size()) < i + 1) expandedContainerLinks_.resize(size_t(i) + 1, nullptr);
    expandedContainerLinks_[size_t(i)] = link;
  }
}

void TCustomdxBarControl::CollapseContainerItems() { expandedContainerLinks_.clear(); }

// ---------------------------------------------------------------- canvas and metrics

TcxCanvas* TCustomdxBarControl::GetCanvas() {
  if (HandleAllocated()) {
    if (screenCanvas_) {
      screenCanvas_.reset();
      UpdateCanvasFont();
    }
    return canvasWrapper_.get();
  }
  if (!screenCanvas_) {
    screenCanvas_ = std::make_unique<TcxScreenCanvas>();
    UpdateCanvasFont();
  }
  return screenCanvas_.get();
}

void TCustomdxBarControl::UpdateCanvasFont() {
  if (HasState(bcsUpdatingCanvasFont)) return;
  SetState(bcsUpdatingCanvasFont, true);
  TScopeExit done([this] { SetState(bcsUpdatingCanvasFont, false); });
  TcxCanvas* canvas = GetCanvas();
  TFont* font = GetFont();
  if (!canvas || !font) return;
  if (IsTextRotated()) {
    win::LOGFONT lf = font->LogFont();
    lf.lfEscapement = -900;
    lf.lfOrientation = -900;
    lf.lfOutPrecision = win::OUT_TT_ONLY_PRECIS;
    // The canvas font owns the created handle from now on.
    canvas->Font()->SetHandle(win::CreateFontIndirect(&lf));
    canvas->Font()->SetColor(font->Color());
  } else {
    canvas->SetFont(font);
  }
}

int32_t TCustomdxBarControl::GetDefaultItemHeight() { return Painter()->CaptionHeightOf(GetCanvas()); }
int32_t TCustomdxBarControl::GetMinItemHeight() { return Painter()->SubMenuItemMinHeight(); }
int32_t TCustomdxBarControl::GetRowHeight() {
  return Painter()->BarRowHeightByFont(itemLinks_ ? itemLinks_->GetItemSize() : 0, scaleFactor_, itemHeight_);
}
int32_t TCustomdxBarControl::GetItemBorderSize() { return Painter()->BarItemIndent(this); }

void TCustomdxBarControl::CalcMetrics() {
  // The sizes are those of the window font as it is now.
  UpdateCanvasFont();
  itemHeight_ = GetDefaultItemHeight();
  const int32_t minHeight = GetMinItemHeight();
  scaleFactor_ = minHeight > 0 ? std::max(double(itemHeight_) / double(minHeight), 1.0) : 1.0;
  smallStep_ = std::max(itemHeight_ / 5, 4);
  fontRowHeight_ = GetRowHeight();
  TcxCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  const TSize zero = canvas->MeasureText("0");
  UpdateCanvasFont();
  rowHeight_ = Painter()->BarRowHeightFull(zero.cy);
  comboButtonWidth_ = Painter()->ComboDropDownButtonWidth(zero.cx);
}

void TCustomdxBarControl::SetOrientation(uint8_t Value) {
  if (orientation_ == Value) return;
  orientation_ = Value;
  UpdateCanvasFont();
  CalcMetrics();
}

// ---------------------------------------------------------------- layout

void TCustomdxBarControl::Recalculate() { CalcClientBounds(); }

void TCustomdxBarControl::CalcClientBounds() { layoutRect_ = ClientRect(); }

void TCustomdxBarControl::CalcLayout(int32_t AKind, int32_t AStartIndex) {
  layoutBounds_ = layoutRect_;
  BeforeCalcLayout();
  if (itemLinks_) itemLinks_->ClearItemRects();
  if (AKind == 1) {
    int32_t bottom = 0;
    CalcItemRectsVertical(AStartIndex, bottom);
  } else if (AKind == 0 || AKind == 2) {
    CalcItemRects();
  }
  AfterCalcLayout();
}

void TCustomdxBarControl::CalcItemRectsVertical(int32_t AStartIndex, int32_t& ABottom) {
  ABottom = layoutBounds_.Top;
  if (!itemLinks_) return;
  TdxBarItemLink* lastPlaced = nullptr;
  TdxBarItemLink* stoppedAt = nullptr;
  TRect stoppedRect;
  int32_t firstTop = ABottom;
  bool first = true;
  for (int32_t i = std::max(AStartIndex, 0); i < itemLinks_->GetVisibleItemCount(); ++i) {
    TdxBarItemLink* link = itemLinks_->VisibleItems(i);
    const int32_t top = ABottom + GetSeparatorSizeBefore(link);
    const int32_t next = top + GetItemHeight(link->Control());
    if (first) firstTop = top;
    first = false;
    const TRect r(layoutBounds_.Left, top, layoutBounds_.Right, next);
    if (next > layoutBounds_.Bottom) {
      stoppedAt = link;
      stoppedRect = r;
      break;
    }
    link->SetItemRect(r);
    ABottom = next;
    lastPlaced = link;
  }
  if (!stoppedAt) return;
  if (ShowsPartialItem(stoppedRect)) {
    stoppedAt->SetItemRect(stoppedRect);
    ABottom = layoutBounds_.Bottom;
  } else if (lastPlaced) {
    ABottom = lastPlaced->ItemRect().Bottom;
  } else {
    ABottom = firstTop;
  }
}

int32_t TCustomdxBarControl::GetSeparatorSizeBefore(TdxBarItemLink* ALink) {
  if (!ALink || !ALink->GetBeginGroup() || !itemLinks_ || itemLinks_->GetVisibleItemCount() == 0) return 0;
  return itemLinks_->VisibleItems(0) == ALink ? 0 : GetSeparatorSize();
}

int32_t TCustomdxBarControl::GetItemHeight(TdxBarItemControl* /*AControl*/) { return itemHeight_; }

TRect TCustomdxBarControl::GetItemRect(TdxBarItemControl* AControl) {
  if (!AControl) return {};
  if (TdxBarItemControlViewInfo* info = AControl->ViewInfo(); info && ViewInfo()->HasItemControl(AControl))
    return AControl->GetBounds();
  return AControl->ItemLink() ? AControl->ItemLink()->ItemRect() : TRect();
}

TRect TCustomdxBarControl::GetItemRectEx(TdxBarItemControl* AControl, bool AWithSeparator) {
  TRect r = GetItemRect(AControl);
  if (AWithSeparator && AControl) r.Top -= GetSeparatorSizeBefore(AControl->ItemLink());
  return r;
}

win::HRGN TCustomdxBarControl::CreateItemRegion(const TRect& R) {
  return win::CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
}

TCustomdxBarControlViewInfo* TCustomdxBarControl::ViewInfo() {
  if (!viewInfo_) {
    TClass cls = GetViewInfoClass();
    TObject* made = cls && cls->Create ? cls->Create(this) : nullptr;
    auto* info = dynamic_cast<TCustomdxBarControlViewInfo*>(made);
    if (!info) {
      delete made;
      info = new TCustomdxBarControlViewInfo(this);
    }
    viewInfo_.reset(info);
  }
  return viewInfo_.get();
}

TClass TCustomdxBarControl::GetViewInfoClass() { return TCustomdxBarControlViewInfo::StaticClass(); }

void TCustomdxBarControl::CalcViewInfo() { ViewInfo()->Calculate(); }

void TCustomdxBarControl::GetDropTarget(TPoint APoint, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                        bool& AOnSeparator) {
  ALink = nullptr;
  AVertical = IsVerticalLayout();
  ABefore = false;
  AOnSeparator = false;
  if (!itemLinks_) return;
  TdxBarManager* m = GetBarManager();
  for (int32_t i = 0; i < itemLinks_->GetVisibleItemCount(); ++i) {
    TdxBarItemLink* link = itemLinks_->VisibleItems(i);
    TdxBarItemControl* control = link->Control();
    if (!control || control->GetBarManager() != m) continue;
    TRect r = GetItemRectEx(control, true);
    win::HRGN region = CreateItemRegion(r);
    const bool hit = region && win::PtInRegion(region, APoint.X, APoint.Y);
    if (region) win::DeleteObject(region);
    if (!hit) continue;
    ALink = link;
    const TRect bare = GetItemRect(control);
    int32_t index = 0;
    if (!bare.Contains(APoint) && ViewInfo()->FindSeparatorOfControl(control, index)) {
      AOnSeparator = true;
      TdxBarSeparatorInfo info;
      ViewInfo()->SeparatorAt(index, info);
      if (APoint.Y < bare.Top) AVertical = true;
      r = info.Bounds;
    } else {
      r = bare;
    }
    ABefore = AVertical ? APoint.Y - r.Top < r.Bottom - APoint.Y : APoint.X - r.Left < r.Right - APoint.X;
    return;
  }
}

TdxBarItemControl* TCustomdxBarControl::ItemControlAtPos(TPoint AClientPoint) {
  const bool customizing = IsCustomizing();
  if (customizing && !AllowsCustomizing()) return nullptr;
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int32_t i = 0; i < info->ItemControlInfoCount(); ++i) {
    TdxBarItemControl* control = info->ItemControlInfoAt(i)->Control();
    if (!control || !control->GetBounds().Contains(AClientPoint)) continue;
    if (customizing && control->IsActive()) return nullptr;
    return control;
  }
  return nullptr;
}

TdxBarItemControl* TCustomdxBarControl::GetControlUnderMouse() {
  win::POINT p{};
  win::GetCursorPos(&p);
  return ItemControlAtPos(ScreenToClient(p));
}

// ---------------------------------------------------------------- painting

bool TCustomdxBarControl::CanPaintItemControl(TdxBarItemControl* AControl) {
  if (HasState(bcsDestructionStarted) || IsDestroying() || !AControl) return false;
  TdxBarItemLink* link = AControl->ItemLink();
  if (!link || !link->Control()) return false;
  if (TdxBarItem* item = AControl->GetItem(); item && item->InState(csDestroying)) return false;
  if (HasState(bcsPaintingItem) || IsPaintLocked()) return false;
  return ViewInfo()->HasItemControl(AControl);
}

void TCustomdxBarControl::PaintItems() {
  TcxCanvas* canvas = GetCanvas();
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int32_t i = 0; i < info->ItemControlInfoCount(); ++i) {
    TdxBarItemControl* control = info->ItemControlInfoAt(i)->Control();
    if (!control) continue;
    if (CanPaintItemControl(control)) PaintItemControl(canvas, control);
    // The background painted afterwards must not cover the item.
    canvas->ExcludeClipRect(control->GetBounds());
  }
}

void TCustomdxBarControl::PaintItemControl(TcxCanvas* ACanvas, TdxBarItemControl* AControl) {
  SetState(bcsPaintingItem, true);
  TScopeExit done([this] { SetState(bcsPaintingItem, false); });
  itemBrush_ = GetBackgroundBrush();
  DrawItem(AControl, ACanvas, AControl->GetBounds());
}

void TCustomdxBarControl::DrawItem(TdxBarItemControl* AControl, TcxCanvas* ACanvas, const TRect& R) {
  if (!AControl || !ACanvas) return;
  ACanvas->PushClipRegion();
  {
    TScopeExit restore([ACanvas] { ACanvas->PopClipRegion(); });
    ACanvas->IntersectClipRect(AControl->GetBounds());
    AControl->Paint(ACanvas, R, TdxBarPaintType(GetPaintType()));
  }
  if (GetDesignSelectedControl() != AControl) return;
  IdxBarItemDesigner* designer = dxBarItemDesigner();
  const win::HDC dc = ACanvas->Handle();
  TRect frame = R;
  for (int pass = 0; pass < 2; ++pass) {
    if (designer && designer->ShouldSelectByDefault())
      win::FrameRect(dc, &frame, win::GetSysColorBrush(win::COLOR_WINDOWTEXT));
    else
      win::DrawFocusRect(dc, &frame);
    frame.Inflate(-1, -1);
  }
}

void TCustomdxBarControl::Paint() {
  Recalculate();
  PaintItems();
}

void TCustomdxBarControl::DrawBackgroundClipped(win::HDC DC, win::HRGN ARegion, bool AFlag, win::HBRUSH ABrush) {
  const int saved = win::SaveDC(DC);
  win::ExtSelectClipRgn(DC, ARegion, win::RGN_AND);
  DrawBackground(DC, TRect(0, 0, Width(), Height()), AFlag, clNone, ABrush);
  win::RestoreDC(DC, saved);
}

void TCustomdxBarControl::ResetCachedBackground() {
  if (backgroundCache_) backgroundCache_->SetSize(0, 0);
}

win::HBRUSH TCustomdxBarControl::GetBackgroundBrush() { return Painter()->ToolbarBrush(); }
win::HBRUSH TCustomdxBarControl::GetDownItemBrush() { return Painter()->DownItemBrush(); }
win::HBRUSH TCustomdxBarControl::GetDownSelectedItemBrush() { return Painter()->DownSelectedItemBrush(); }
win::HBRUSH TCustomdxBarControl::GetSelectedItemBrush() { return Painter()->SelectedItemBrush(); }

win::HDC TCustomdxBarControl::GetNonClientDC() { return win::GetWindowDC(Handle()); }
void TCustomdxBarControl::ReleaseNonClientDC(win::HDC DC) { win::ReleaseDC(Handle(), DC); }

void TCustomdxBarControl::UpdateDoubleBuffered() {
  TdxBarManager* m = GetBarManager();
  SetDoubleBuffered(NeedsDoubleBuffer() || (m && m->IsAnotherManagerActive()) || Painter()->NeedsDoubleBuffer());
}

void TCustomdxBarControl::SetDockControl(TdxDockControl* Value) {
  dockControl_ = Value;
  UpdateDoubleBuffered();
}

TdxBarPainter* TCustomdxBarControl::GetPainter() {
  if (painter_) return painter_;
  if (parentBar_ && parentBar_ != this) return parentBar_->GetPainter();
  if (dockControl_)
    if (TdxBarManager* m = dockControl_->BarManager()) return m->DefaultPainter();
  TdxBarManager* m = GetBarManager();
  return m ? m->DefaultPainter() : nullptr;
}

void TCustomdxBarControl::SetPainter(TdxBarPainter* Value) {
  if (painter_ == Value) return;
  painter_ = Value;
  PainterChanged();
}

// Brushes and sizes of the old painter are dropped with it.
void TCustomdxBarControl::PainterChanged() {
  itemBrush_ = nullptr;
  ResetCachedBackground();
  if (HandleAllocated()) {
    CalcMetrics();
    Invalidate();
  }
}

// ---------------------------------------------------------------- joining the owner item

bool TCustomdxBarControl::IsOwnerRectAdjacent() {
  const TRect o = ownerRect_;
  if (o.IsEmpty()) return false;
  const TRect w = GetScreenBounds();
  const bool horizontalOverlap = o.Left < w.Right && w.Left < o.Right;
  const bool verticalOverlap = o.Top < w.Bottom && w.Top < o.Bottom;
  return ((o.Bottom == w.Top || o.Top == w.Bottom) && horizontalOverlap) ||
         ((o.Right == w.Left || o.Left == w.Right) && verticalOverlap);
}

TRect TCustomdxBarControl::GetOwnerJoinRect(bool AScreen) {
  if (ownerRect_.IsEmpty() || !IsOwnerRectAdjacent()) return {};
  TRect o = ownerRect_;
  TRect w = GetScreenBounds();
  // The owner lies above or below the window unless their vertical ranges meet.
  const bool beside = o.Top < w.Bottom && w.Top < o.Bottom;
  auto swap = [](TRect& r) { r = TRect(r.Top, r.Left, r.Bottom, r.Right); };
  if (beside) {
    swap(o);
    swap(w);
  }
  TRect r;
  if (w.Top == o.Bottom) {
    r.Top = 0;
    if (AScreen) --r.Top;
  } else {
    r.Top = w.Height() - 1;
    if (AScreen) ++r.Top;
  }
  r.Bottom = r.Top + 1;
  r.Left = std::max(o.Left, w.Left) + 1 - w.Left;
  r.Right = std::min(o.Right, w.Right) - 1 - w.Left;
  if (beside) {
    swap(r);
    swap(w);
  }
  if (AScreen) r.Offset(w.Left, w.Top);
  return r;
}

win::HBRUSH TCustomdxBarControl::GetOwnerBrush() { return Painter()->BarOwnerBrush(GetBarManager()); }

void TCustomdxBarControl::UpdateShadow() {
  if (!shadow_) return;
  TRect ownerPart;
  if (IsOwnerRectAdjacent() && Painter()->BarShadowJoinsOwner(dockControl_ != nullptr, !parentBar_ || parentBar_->dockControl_))
    ownerPart = ownerRect_;
  shadow_->SetOwnerBounds(ownerPart, GetScreenBounds());
}

void TCustomdxBarControl::WindowPosChanged(const win::WINDOWPOS& AWindowPos) {
  if ((AWindowPos.flags & win::SWP_NOMOVE) == 0 || (AWindowPos.flags & win::SWP_NOSIZE) == 0) UpdateShadow();
  if (shadow_) shadow_->SetVisible(HasShadow());
  ResetCachedBackground();
}

bool TCustomdxBarControl::HasShadow() { return PainterGivesShadow() && HandleAllocated() && win::IsWindowVisible(Handle()); }
bool TCustomdxBarControl::PainterGivesShadow() { return Painter()->BarHasShadow(dockControl_ != nullptr); }
bool TCustomdxBarControl::ChildrenHaveShadows() { return Painter()->BarChildShadows(); }

void TCustomdxBarControl::Resize() {
  TCustomControl::Resize();
  if (IsPopupWindow() && HandleAllocated()) Painter()->BarResizeHook(this);
}

TRect TCustomdxBarControl::GetScreenBounds() {
  if (HandleAllocated()) {
    win::RECT r{};
    win::GetWindowRect(Handle(), &r);
    return r;
  }
  return BoundsRect();
}

TWinControl* TCustomdxBarControl::GetOwnerControl() { return ownerRect_.IsEmpty() ? nullptr : ownerControl_; }

// ---------------------------------------------------------------- messages

void TCustomdxBarControl::WndProc(TMessage& m) {
  // While a menu chain is open, bars outside it get no mouse messages.
  if (((m.Msg >= win::WM_NCMOUSEMOVE && m.Msg <= win::WM_NCMBUTTONDBLCLK) ||
       (m.Msg >= win::WM_MOUSEMOVE && m.Msg <= win::WM_MOUSEWHEEL)) &&
      !IsInActiveChain())
    return;
  switch (m.Msg) {
    case win::WM_SETFOCUS:
      if (selected_ && selected_->IsEditWindowActive()) break;
      RestoreFocus();
      return;
    case win::WM_KILLFOCUS: {
      TCustomControl::WndProc(m);
      if (m.WParam == 0) Hide();
      return;
    }
    case win::WM_NCACTIVATE:
      // The owner form keeps its active caption; the bar always draws as active.
      if (m.WParam != 0 && !IsCustomizing() && HandleAllocated())
        if (win::HWND parent = win::GetParent(Handle())) win::SendMessage(parent, win::WM_NCACTIVATE, 1, 0);
      m.WParam = 1;
      break;
    case win::WM_CTLCOLOREDIT:
    case win::WM_CTLCOLORSTATIC:
      if (AnswerEditColors(reinterpret_cast<win::HDC>(m.WParam), reinterpret_cast<win::HWND>(m.LParam), m.Result))
        return;
      break;
    case win::WM_COMMAND: {
      TCustomControl::WndProc(m);
      const win::HWND source = reinterpret_cast<win::HWND>(m.LParam);
      // An item edit's change notice goes back to the edit itself.
      if (m.Result == 0 && ((m.WParam >> 16) & 0xFFFF) == kEnChange && source && source != Handle())
        m.Result = win::SendMessage(source, win::WM_COMMAND, m.WParam, m.LParam);
      return;
    }
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

bool TCustomdxBarControl::AnswerEditColors(win::HDC DC, win::HWND AEditWnd, win::LRESULT& AResult) {
  TdxBarPainter* painter = Painter();
  if (!AEditWnd || !itemLinks_ || !painter) return false;
  for (int32_t i = 0; i < itemLinks_->Count(); ++i) {
    TdxBarItemControl* control = itemLinks_->GetItem(i)->Control();
    auto* edit = control && control->Parent() == this ? dynamic_cast<IdxBarEditWindowControl*>(control) : nullptr;
    if (!edit || edit->GetEditWindow() != AEditWnd) continue;
    bool enabled = true;
    TColor styleText = clDefault, styleColor = clDefault, barColor = clBtnFace;
    edit->GetEditColorInputs(enabled, styleText, styleColor, barColor);
    TColor text = clDefault, back = clDefault;
    painter->EditColors(enabled, styleText, styleColor, barColor, text, back);
    win::SetBkColor(DC, win::COLORREF(ColorToRGB(back)));
    win::SetTextColor(DC, win::COLORREF(ColorToRGB(text)));
    AResult = reinterpret_cast<win::LRESULT>(edit->GetEditBackgroundBrush());
    if (IsOnGlass() && !edit->GlassRepaintPosted) {
      edit->GlassRepaintPosted = true;
      win::PostMessage(AEditWnd, EditGlassRepaintMessage, 0, 0);
    }
    return true;
  }
  return false;
}

void TCustomdxBarControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case win::WM_DESTROY:
      if (!HasState(bcsDestructionStarted)) {
        SetMarkState(0);
        LeaveItems();
      }
      break;
    case win::WM_ERASEBKGND:
      m.Result = 1;
      return;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
      if (IgnoreNextButton) return;
      CurrentMessage = m;
      break;
    case win::WM_LBUTTONUP:
      if (IgnoreNextButton) {
        IgnoreNextButton = false;
        return;
      }
      break;
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONDBLCLK:
    case win::WM_MBUTTONDOWN:
    case win::WM_MBUTTONDBLCLK:
      CurrentMessage = m;
      break;
    case win::WM_MOUSEACTIVATE:
      TCustomControl::Dispatch(m);
      m.Result = win::MA_NOACTIVATE;
      return;
    case win::WM_MOUSEMOVE: {
      TWindowLink self(this);
      TCustomControl::Dispatch(m);
      if (self.Alive()) {
        const TPoint p{int16_t(m.LParam & 0xFFFF), int16_t((m.LParam >> 16) & 0xFFFF)};
        HandleMouseMove(KeysToShiftState(uint16_t(m.WParam)), p);
      }
      return;
    }
    case win::WM_NCPAINT:
      if (PaintsNonClient() && HandleAllocated()) {
        const win::HDC dc = GetNonClientDC();
        TScopeExit release([this, dc] { ReleaseNonClientDC(dc); });
        TCustomControl::Dispatch(m);
        DrawNonClient(dc);
        return;
      }
      break;
    case win::WM_PAINT:
      if (HasState(bcsDestructionStarted)) {
        win::ValidateRect(Handle(), nullptr);
        return;
      }
      break;
    case win::WM_PRINT:
      TCustomControl::Dispatch(m);
      DrawNonClient(reinterpret_cast<win::HDC>(m.WParam));
      return;
    case BarRebuildMessage:
      RebuildNow();
      return;
    case win::WM_SETCURSOR:
      if ((m.LParam & 0xFFFF) == win::HTCLIENT && reinterpret_cast<win::HWND>(m.WParam) == Handle()) {
        win::SetCursor(Screen->Cursors(Cursor()));
        m.Result = 1;
        return;
      }
      break;
    case win::WM_WINDOWPOSCHANGED:
      TCustomControl::Dispatch(m);
      if (!HasState(bcsDestructionStarted) && m.LParam)
        WindowPosChanged(*reinterpret_cast<const win::WINDOWPOS*>(m.LParam));
      return;
    case win::WM_CAPTURECHANGED:
      TCustomControl::Dispatch(m);
      DragPending = false;
      CapturedControl = nullptr;
      return;
    default:
      break;
  }
  TCustomControl::Dispatch(m);
}

void TCustomdxBarControl::MouseLeave() {
  lastMousePos_ = {-1, -1};
  SetMouseInside(false);
  TdxBarManager* m = GetBarManager();
  if (m && m->IsTrackedBarControl(this) && !IgnoresMouseLeave()) {
    m->StopMouseTracking(this);
    DoMouseLeave();
  }
}

// ---------------------------------------------------------------- chains and the active-bar stack

void TCustomdxBarControl::SetParentBarControl(TCustomdxBarControl* Value) {
  if (parentBar_ == Value) return;
  if (parentBar_ && parentBar_->childBar_ == this) parentBar_->childBar_ = nullptr;
  parentBar_ = Value;
  if (Value && Value->childBar_ != this) Value->SetChildBar(this);
}

void TCustomdxBarControl::SetChildBar(TCustomdxBarControl* Value) {
  if (childBar_ == Value) return;
  if (childBar_ && childBar_->parentBar_ == this) childBar_->parentBar_ = nullptr;
  childBar_ = Value;
  if (Value && Value->parentBar_ != this) Value->SetParentBarControl(this);
}

TCustomdxBarControl* TCustomdxBarControl::NextInActiveChain() {
  if (!parentBar_ || (IsInternal() && !parentBar_->IsInternal())) return nullptr;
  return parentBar_;
}

bool TCustomdxBarControl::IsAncestorOf(TCustomdxBarControl* ABar) {
  // Bounded, so that a parent cycle cannot hang the walk.
  for (int32_t steps = 0; ABar && steps < 1000; ++steps) {
    ABar = ABar->parentBar_;
    if (ABar == this) return true;
  }
  return false;
}

bool TCustomdxBarControl::IsInActiveChain() {
  TCustomdxBarControl* bar = CurrentBarControl();
  if (!bar) return true;
  for (int32_t steps = 0; bar && steps < 1000; ++steps) {
    if (bar == this) return true;
    bar = bar->NextInActiveChain();
  }
  return false;
}

bool TCustomdxBarControl::ActiveStackBeganInCustomizing() { return activeStackBeganInCustomizing; }

void TCustomdxBarControl::PushActive() {
  TCustomdxBarControl* top = CurrentBarControl();
  if (top == this) return;
  if (!top) activeStackBeganInCustomizing = IsCustomizing();
  prevActiveBar_ = top;
  SetCurrentBarControl(this);
}

void TCustomdxBarControl::PopActive() {
  if (CurrentBarControl() != this) return;
  TCustomdxBarControl* next = std::exchange(prevActiveBar_, nullptr);
  SetCurrentBarControl(next);
  if (next && !(IsLiveBarControl(next) && next->IsActive())) {
    // The rest of the stack is stale: drop it whole.
    for (TCustomdxBarControl* bar = next; bar && IsLiveBarControl(bar);)
      bar = std::exchange(bar->prevActiveBar_, nullptr);
    SetCurrentBarControl(nullptr);
  }
}

// A window destroyed on the stack leaves it; the windows above it skip it.
void TCustomdxBarControl::RemoveFromActiveStack() {
  if (CurrentBarControl() == this) {
    active_ = false;
    PopActive();
    return;
  }
  for (TCustomdxBarControl* bar = CurrentBarControl(); bar && IsLiveBarControl(bar); bar = bar->prevActiveBar_)
    if (bar->prevActiveBar_ == this) {
      bar->prevActiveBar_ = prevActiveBar_;
      break;
    }
  prevActiveBar_ = nullptr;
}

uint16_t TCustomdxBarControl::GetBehaviorFlags() {
  if (parentBar_ && parentBar_ != this && !parentBar_->IsAncestorOf(parentBar_)) return parentBar_->GetBehaviorFlags();
  return 0x13;
}

// ---------------------------------------------------------------- hiding and focus

void TCustomdxBarControl::Hide() {
  if (HasState(bcsHiding)) return;
  SetState(bcsHiding, true);
  TWindowLink self(this);
  DoHide();
  if (self.Alive()) SetState(bcsHiding, false);
}

// Hiding ends menu mode; the window itself stays (a toolbar after a click).
void TCustomdxBarControl::DoHide() {
  TWindowLink self(this);
  SetActive(false);
  if (!self.Alive()) return;
  if (!CloseThisLevelOnly && parentBar_) parentBar_->Hide();
}

void TCustomdxBarControl::CloseThisLevel() {
  TWindowLink self(this);
  const bool saved = CloseThisLevelOnly;
  CloseThisLevelOnly = true;
  Hide();
  if (self.Alive()) CloseThisLevelOnly = saved;
}

void TCustomdxBarControl::SelectOrCloseLevel(TdxBarItemControl* AControl) {
  if (GetBehaviorFlags() & 0x2)
    SelectControl(AControl);
  else
    CloseThisLevel();
}

void TCustomdxBarControl::RestoreFocus() {
  TdxBarManager* m = GetBarManager();
  auto* owner = m ? dynamic_cast<TWinControl*>(m->Owner()) : nullptr;
  if (owner && owner->Showing() && owner->HandleAllocated())
    win::SetFocus(owner->Handle());
  else if (HandleAllocated())
    win::SetFocus(win::GetWindow(Handle(), win::GW_HWNDNEXT));
}

bool TCustomdxBarControl::CanActivate() {
  return dxBarAppActivation().Active || IsEnabledWindow() || IsCustomizing();
}

bool TCustomdxBarControl::IsEnabledWindow() {
  if (!HandleAllocated()) return false;
  for (win::HWND w = Handle(); w; w = win::GetParent(w))
    if (!win::IsWindowEnabled(w)) return false;
  return true;
}

// The Customize dialog, whose own bars stay active while the focus moves
// inside it, does not exist in this program.
bool TCustomdxBarControl::CanKeepActive(TdxBarManager* /*AManager*/, win::HWND /*AFocusWnd*/) {
  return !selected_ || selected_->CanVisit();
}

bool TCustomdxBarControl::CanKeepActiveChain() {
  // Bounded, so that a child cycle cannot hang the walk.
  TCustomdxBarControl* bar = this;
  for (int32_t steps = 0; bar && steps < 1000; ++steps, bar = bar->childBar_)
    if (bar->selected_ && !bar->selected_->CanVisitDefault()) return false;
  return true;
}

// ---------------------------------------------------------------- other answers

bool TCustomdxBarControl::IsCustomizing() {
  TdxBarManager* m = GetBarManager();
  return m && m->IsCustomizingOrDesigning();
}

bool TCustomdxBarControl::AllowsCustomizing() {
  TdxBarManager* m = GetBarManager();
  return m && m->InDesigner();
}

bool TCustomdxBarControl::CustomizingPopupOnButton(bool ADown) {
  const bool upFlag = (GetBehaviorFlags() & 0x100) != 0;
  if (ADown) return (!upFlag && !IsInternal()) || IsCustomizing();
  return upFlag && !IsCustomizing();
}

bool TCustomdxBarControl::IsPaintLocked() {
  TdxBarManager* m = GetBarManager();
  return m && m->IsBarsUpdateLocked();
}

TdxFader* TCustomdxBarControl::GetFader() { return dxFader(); }

bool TCustomdxBarControl::OwnsItemControl(TdxBarItemControl* AControl) {
  if (!AControl || !itemLinks_) return false;
  for (int32_t i = 0; i < itemLinks_->Count(); ++i)
    if (itemLinks_->GetItem(i)->Control() == AControl) return true;
  return false;
}

void TCustomdxBarControl::DoDestroyEvent() {
  if (OnDestroy) OnDestroy(this);
}

TPoint TCustomdxBarControl::CalcHintWindowPosition(TPoint APoint, int32_t AHintHeight) {
  TPoint p = APoint;
  p.Y += int32_t(std::lround(20.0 * Screen->PixelsPerInch() / 96.0));
  TRect work;
  WorkAreaAtPoint(APoint, work);
  if (p.Y + AHintHeight > work.Bottom) p.Y = ClientOrigin().Y - AHintHeight;
  return p;
}

void TCustomdxBarControl::UpdateControlStyle() {
  TdxBarManager* m = GetBarManager();
  TControlStyle style = ControlStyle();
  if ((m && m->GetEffectiveStyle() != bmsStandard) || IsCustomizing())
    style.Include(csDoubleClicks);
  else
    style.Exclude(csDoubleClicks);
  SetControlStyle(style);
}

void TCustomdxBarControl::ShowNoActivate() {
  if (HandleAllocated()) win::ShowWindow(Handle(), win::SW_SHOWNOACTIVATE);
}

void TCustomdxBarControl::RefreshFrame() {
  if (HandleAllocated()) win::SendMessage(Handle(), win::WM_NCPAINT, 1, 0);
  Invalidate();
}

void TCustomdxBarControl::RefreshAll() {
  RefreshFrame();
  Update();
}

bool TCustomdxBarControl::ContainsWindow(win::HWND AWnd) {
  if (!AWnd) return false;
  if (HandleAllocated() && (AWnd == Handle() || win::IsChild(Handle(), AWnd))) return true;
  return selected_ && selected_->ClaimsWindow(AWnd);
}

bool TCustomdxBarControl::IsUnderMouse() {
  if (!HandleAllocated()) return false;
  win::POINT p{};
  win::GetCursorPos(&p);
  win::HWND w = win::WindowFromPoint(p);
  return w == Handle();
}

bool TCustomdxBarControl::IsFocusedBar() {
  TdxBarManager* m = GetBarManager();
  return m && m->FocusedBarControl() == this;
}

void TCustomdxBarControl::DeactivateIfFocused() {
  if (IsFocusedBar()) Deactivate();
}

bool TCustomdxBarControl::IsMouseInMark() {
  win::POINT p{};
  win::GetCursorPos(&p);
  return IsPointInMark(ScreenToClient(p));
}

void TCustomdxBarControl::SetHintState(bool AShow, const std::string& AText, TObject* AObject) {
  if (TdxBarManager* m = GetBarManager()) m->SetHintState(AShow, AText, AObject);
}

TdxBarItemControl* TCustomdxBarControl::GetDesignSelectedControl() {
  IdxBarItemDesigner* designer = dxBarItemDesigner();
  if (!designer || !itemLinks_) return nullptr;
  auto* link = dynamic_cast<TdxBarItemLink*>(designer->LastSelectedElement());
  if (!link || link->GetOwnerLinks() != itemLinks_ || link->GetBarManager() != GetBarManager()) return nullptr;
  TdxBarItemControl* control = link->Control();
  return control && control->Parent() == this ? control : nullptr;
}

IdxBarAccessibilityHelper* TCustomdxBarControl::GetIAccessibilityHelper() {
  if (accessibilityHelper_ || accessibilityHelperObject_ || HasState(bcsDestructionStarted)) return accessibilityHelper_;
  TClass cls = GetAccessibilityHelperClass();
  if (!cls || !cls->Create) return nullptr;
  accessibilityHelperObject_.reset(cls->Create(this));
  QueryBarAccessibilityHelper(accessibilityHelperObject_.get(), accessibilityHelper_);
  if (!accessibilityHelper_) accessibilityHelperObject_.reset();
  return accessibilityHelper_;
}

TdxBarManager* TCustomdxBarControl::GetBarManager() const { return dynamic_cast<TdxBarManager*>(Owner()); }

void TCustomdxBarControl::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) RepaintBar();
}

void TCustomdxBarControl::RecalcSize() {
  TdxBarManager* m = GetBarManager();
  if (m && m->IsBarsUpdateLocked() && bar_) bar_->DeferredRecalc = true;
}
