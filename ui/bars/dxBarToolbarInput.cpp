// The toolbar window's mouse, cursor, focus and keyboard mode, the double
// click that docks or floats the bar, and the drop target while customizing.
// The toolbar never keeps the keyboard focus: keyboard mode selects its
// links while the focus stays with the form.
#include <cstdint>
#include <utility>

#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarToolbarControl.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

using TWindowLink = TcxScopedObjectLink;

// The manager's cursor while an item control is dragged at design time.
constexpr TCursor kDesignDragCursor = 1044;

TPoint PointOf(win::LPARAM AParam) { return {int16_t(AParam & 0xFFFF), int16_t((AParam >> 16) & 0xFFFF)}; }

TWinControl* ManagerOwner(TdxBarManager* AManager) {
  return AManager ? dynamic_cast<TWinControl*>(AManager->Owner()) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------- messages

void TdxBarControl::WndProc(TMessage& m) {
  // While a menu chain is open, bars outside it get no mouse messages (the base drops them).
  const bool mouse = m.Msg >= win::WM_MOUSEMOVE && m.Msg <= win::WM_MOUSEWHEEL;
  if (mouse && !IsInActiveChain()) {
    TCustomdxBarControl::WndProc(m);
    return;
  }
  TWindowLink self(this);
  switch (m.Msg) {
    case win::WM_SETFOCUS: {
      // Swallowed: the focus goes back where it came from.
      const auto previous = reinterpret_cast<win::HWND>(m.WParam);
      if (previous && previous != Handle() && win::IsWindow(previous) && win::IsWindowVisible(previous))
        win::SetFocus(previous);
      else
        RestoreFocus();
      return;
    }
    case win::WM_CANCELMODE:
      CancelMDIButtons();
      if (!self.Alive()) return;
      break;
    case win::WM_TIMER:
      if (m.WParam == MarkHintTimerId) {
        MarkHintTimer();
        return;
      }
      break;
    case win::WM_LBUTTONDBLCLK:
      if (HitCode() == win::HTCAPTION) {
        TdxBarManager* manager = GetBarManager();
        if (!manager || !manager->InDesigner()) ToggleDocking();  // may free the window
        return;
      }
      // A double click in the mark toggles it once, here.
      if (!IgnoreNextButton && IsPointInMark(PointOf(m.LParam))) {
        SetMarkState(GetMarkState() == 2 ? 1 : 2);
        if (!self.Alive()) return;
      }
      inDoubleClick_ = true;
      TCustomdxBarControl::WndProc(m);
      if (self.Alive()) inDoubleClick_ = false;
      return;
    case win::WM_LBUTTONUP:
      if (IgnoreNextButton) break;  // the base swallows it
      if (DesignDragging) {
        DesignDragging = false;
        win::ReleaseCapture();
        return;
      }
      if (HandleMDIButtonUp(PointOf(m.LParam))) return;
      break;
    case win::WM_CAPTURECHANGED:
      DesignDragging = false;
      break;
    case win::WM_SETCURSOR: {
      if ((m.LParam & 0xFFFF) != win::HTCLIENT || reinterpret_cast<win::HWND>(m.WParam) != Handle()) break;
      win::POINT p{};
      win::GetCursorPos(&p);
      const TPoint client = ScreenToClient(p);
      TdxBarItemControl* designSelected = GetDesignSelectedControl();
      if (DesignDragging || (designSelected && ItemControlAtPos(client) == designSelected)) {
        win::SetCursor(Screen->Cursors(kDesignDragCursor));
        m.Result = 1;
        return;
      }
      TdxBars* bars = Bar() ? Bar()->GetBars() : nullptr;
      if (!(bars && bars->Moving && bars->MovingBarControl == this) && CanMove())
        SetCursorKind(GetGripRect().Contains(client));
      break;
    }
    default:
      break;
  }
  TCustomdxBarControl::WndProc(m);
}

TRect TdxBarControl::GetGripRect() {
  if (DockingStyle() == dsNone || !HasBorder()) return {};
  return IsVertical() ? TRect(-100, -100, 100, 0) : TRect(-100, -100, 0, 100);
}

// ---------------------------------------------------------------- mouse

void TdxBarControl::DoMouseDown(TMouseButton AButton, TShiftState AShift, bool AInside, TdxBarItemControl* AControl,
                                TPoint AClientPoint) {
  TdxBarManager* manager = GetBarManager();
  TWindowLink self(this);
  if (AButton == mbLeft) {
    if (DockingStyle() == dsNone && !IsInternal() && manager && !manager->HideFloatingBarsWhenInactive())
      if (TWinControl* owner = ManagerOwner(manager); owner && owner->HandleAllocated())
        win::SetActiveWindow(owner->Handle());
  } else if (AButton == mbRight) {
    win::ReleaseCapture();
  }
  if (!self.Alive()) return;
  TCustomdxBarControl::DoMouseDown(AButton, AShift, AInside, AControl, AClientPoint);
  if (!self.Alive() || AButton != mbLeft || !IsLiveBarControl(this)) return;
  if (HandleMDIButtonDown(AClientPoint)) return;
  if (HitCode() == win::HTCAPTION) {
    // Where the bar was grabbed; the drag keeps the cursor there.
    const TPoint cursor = ClientToScreen(AClientPoint);
    const TRect bounds = GetScreenBounds();
    GrabRatioX = bounds.Width() > 0 ? double(cursor.X - bounds.Left) / bounds.Width() : 0;
    GrabRatioY = bounds.Height() > 0 ? double(cursor.Y - bounds.Top) / bounds.Height() : 0;
    return;
  }
  // A double click in the mark toggled it already.
  if (!inDoubleClick_ && IsPointInMark(AClientPoint)) {
    SetMarkState(GetMarkState() == 2 ? 1 : 2);
    if (!self.Alive()) return;
  }
  // The close button and the caption buttons answer through the non-client path.
  const win::LRESULT code = HitCode();
  if (!IsCustomizing() && !inDoubleClick_ && code != 0 && code != win::HTCLIENT && HandleAllocated()) {
    const TPoint screen = ClientToScreen(AClientPoint);
    win::SendMessage(Handle(), win::WM_NCLBUTTONDOWN, win::WPARAM(code),
                     win::MAKELPARAM(win::WORD(screen.X), win::WORD(screen.Y)));
  }
}

void TdxBarControl::DoMouseMove(TShiftState AShift, TPoint AClientPoint, TdxBarItemControl* AControl) {
  TWindowLink self(this);
  HandleMDIButtonMove(AClientPoint);
  if (!self.Alive()) return;
  if (IgnoresMouse(true)) {
    TCustomdxBarControl::DoMouseMove(AShift, AClientPoint, AControl);
    return;
  }
  const bool markTracks = !CurrentBarControl() && HasMark() && GetMarkState() != 2;
  if (markTracks && IsPointInMark(AClientPoint)) {
    SetMarkState(1);
    if (!self.Alive()) return;
  }
  TCustomdxBarControl::DoMouseMove(AShift, AClientPoint, AControl);
  if (!self.Alive()) return;
  if (markTracks && !IsPointInMark(AClientPoint) && GetMarkState() == 1) SetMarkState(0);
}

// ---------------------------------------------------------------- docking toggle

void TdxBarControl::ToggleDocking() {
  TdxBar* bar = Bar();
  TdxBarManager* manager = GetBarManager();
  if (!bar || !manager) return;
  TdxBarDockingStyle side = dsNone;
  TdxDockControl* dock = nullptr;
  if (DockingStyle() == dsNone) {
    side = bar->GetDockedDockingStyle();
    dock = bar->DockedDockControl();
    if (side == dsNone) {
      side = dsTop;
      dock = nullptr;
    }
    if (!dock && manager->Bars()) dock = manager->Bars()->EdgeDock(side);
  }
  if (!manager->CanDockBar(bar, side, dock)) return;
  // Hiding frees this window: only locals from here on.
  bar->SetVisible(false);
  if (side == dsNone) {
    bar->SetDockingStyle(dsNone);
  } else {
    bar->SetDockingStyleAndControl(side, dock);
    if (bar->GetDockedDockingStyle() == dsNone) {
      TdxDockControl* real = bar->GetRealDockControl();
      bar->SetOneOnRow(true);
      bar->SetRow(real ? real->GetRowCount() : 0);
    }
  }
  bar->SetVisible(true);
}

// ---------------------------------------------------------------- focus and keyboard mode

TCustomdxBarControl* TdxBarControl::PreviousFocusedBar() const {
  auto* bar = previousFocusedBar_ ? static_cast<TCustomdxBarControl*>(previousFocusedBar_->Target) : nullptr;
  return bar && IsLiveBarControl(bar) ? bar : nullptr;
}

void TdxBarControl::ActivateKeyboard(TdxBarItemControl* AControl) {
  TWindowLink self(this);
  TdxBarManager* manager = GetBarManager();
  win::POINT cursor{};
  win::GetCursorPos(&cursor);
  if (auto* other = dynamic_cast<TCustomdxBarControl*>(FindControl(win::WindowFromPoint(cursor)));
      other && other != this && IsLiveBarControl(other)) {
    other->MouseLeave();
    if (!self.Alive()) return;
  }
  if (HandleAllocated()) win::UpdateWindow(Handle());
  focusedWindow_ = win::GetFocus();
  TWinControl* owner = ManagerOwner(manager);
  auto* focusedBar = dynamic_cast<TCustomdxBarControl*>(FindControl(focusedWindow_));
  const bool focusedPopup = focusedBar && focusedBar->IsPopupWindow();
  const bool insideOtherBar = HandleAllocated() && win::GetParent(Handle()) &&
                              dynamic_cast<TCustomdxBarControl*>(FindControl(win::GetParent(Handle())));
  if (!IsCustomizing() && !focusedPopup && !insideOtherBar && owner && owner->HandleAllocated()) {
    win::HWND top = owner->Handle();
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) top = form->HandleAllocated() ? form->Handle() : top;
    win::SetWindowPos(top, win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  }
  if (!AControl && ItemLinks()) {
    TdxBarItemLinks* links = ItemLinks();
    for (int32_t i = 0; i < links->GetVisibleItemCount() && !AControl; ++i) {
      TdxBarItemControl* c = links->VisibleItems(i)->Control();
      if (c && !c->ItemLink()->ItemRect().IsEmpty() && c->CanSelect()) AControl = c;
    }
  }
  TCustomdxBarControl::ActivateKeyboard(AControl);
  if (!self.Alive() || !manager) return;
  if (manager->FocusedBarControl() != this) {
    RemoveObjectLink(std::exchange(previousFocusedBar_, AddObjectLink(manager->FocusedBarControl())));
    manager->SetFocusedBarControl(this);
  }
}

void TdxBarControl::Deactivate() {
  TWindowLink self(this);
  TdxBarManager* manager = GetBarManager();
  TCustomdxBarControl* previous = PreviousFocusedBar();
  RemoveObjectLink(std::exchange(previousFocusedBar_, nullptr));
  if (manager && manager->FocusedBarControl() == this) manager->SetFocusedBarControl(previous);
  TCustomdxBarControl::Deactivate();
  if (!self.Alive()) return;
  MousePos = {-1, -1};
  const win::HWND focus = std::exchange(focusedWindow_, nullptr);
  TWinControl* owner = ManagerOwner(manager);
  if (dxBarAppActivation().Active && owner && owner->HandleAllocated() && win::GetActiveWindow() == owner->Handle() &&
      focus && win::IsWindow(focus) && win::IsWindowVisible(focus))
    win::SetFocus(focus);
}

bool TdxBarControl::IgnoresMouse(bool ACheckLastPos) {
  if (TCustomdxBarControl::IgnoresMouse(ACheckLastPos)) return true;
  TdxBarManager* manager = GetBarManager();
  if (DockingStyle() != dsNone) {
    TWinControl* owner = ManagerOwner(manager);
    if (owner && owner->HandleAllocated()) {
      const win::HWND active = win::GetActiveWindow();
      const bool ownerActive = active == owner->Handle();
      const bool insideOwner = active && (active == owner->Handle() || win::IsChild(owner->Handle(), active));
      if (!ownerActive && !insideOwner) return true;
    }
  }
  if (IdxBarControlDesigner* designer = dxBarControlDesigner())
    if (TCustomdxBarControl* quick = designer->QuickControl();
        quick && IsLiveBarControl(quick) && quick != this && !quick->IsAncestorOf(this))
      return true;
  return false;
}

// ---------------------------------------------------------------- customizing drop target

void TdxBarControl::GetDropTarget(TPoint APoint, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                  bool& AOnSeparator) {
  TCustomdxBarControl::GetDropTarget(APoint, ALink, AVertical, ABefore, AOnSeparator);
  TdxBarItemLinks* links = ItemLinks();
  if (ALink || !links || !ClientRect().Contains(APoint)) return;
  const bool vertical = IsVertical();
  const int32_t count = links->GetVisibleItemCount();
  // The row under the point, found by its last control.
  int32_t lastIndex = -1;
  for (int32_t i = 0; i < count && lastIndex < 0; ++i) {
    TdxBarItemControl* c = links->VisibleItems(i)->Control();
    if (!c || !c->LastInRow) continue;
    const TRect r = GetItemPaintRect(c);
    if (r.IsEmpty()) continue;
    if (vertical ? (APoint.X >= r.Left && APoint.X < r.Right) : (APoint.Y >= r.Top && APoint.Y < r.Bottom))
      lastIndex = i;
  }
  if (lastIndex < 0) return;
  TdxBarItemLink* last = links->VisibleItems(lastIndex);
  const TRect r = last->ItemRect();
  if ((vertical ? APoint.Y : APoint.X) >= (vertical ? r.Top : r.Left)) {
    ALink = last;
    return;
  }
  ABefore = true;
  const TdxBarItemAlign align = last->Control()->GetAlign();
  if (align == iaCenter || align == iaRight) {
    ALink = last;
    return;
  }
  int32_t first = lastIndex;
  while (first > 0) {
    TdxBarItemControl* c = links->VisibleItems(first - 1)->Control();
    if (!c || c->LastInRow) break;
    --first;
  }
  ALink = links->VisibleItems(first);
}
