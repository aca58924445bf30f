// The toolbar window's mark with its quick-customization drop-down, and the
// minimize, restore and close buttons of a maximized MDI child on the
// main-menu bar. Closing the drop-down frees its window, and the mark of the
// bar that opened it goes back to normal.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/win/menu.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarStrs.h"
#include "ui/bars/dxBarToolbarControl.h"
#include "ui/bars/dxBarToolbarMark.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

using TWindowLink = TcxScopedObjectLink;

constexpr win::UINT kMarkHintInterval = 50;

// Shared by all toolbar windows: only one main-menu bar shows the buttons at a time.
struct TMDIButtonsState {
  bool Pressed = false;
  bool Hot = false;
  int32_t PressedIndex = -1;
  int32_t HotIndex = -1;
};
TMDIButtonsState& MDIButtons() {
  static TMDIButtonsState state;
  return state;
}

win::HWND ActiveMDIChild() {
  const TdxBarManagerSlots& slots = dxBarManagerSlots();
  return slots.ActiveMdiChildHandle ? slots.ActiveMdiChildHandle() : nullptr;
}

}  // namespace

// ---------------------------------------------------------------- the mark

TRect TdxBarControl::GetMarkScreenRect() {
  TRect r = GetMarkRect();
  if (DockingStyle() == dsNone) {
    // A floating bar's mark sits in the caption: window coordinates.
    const TRect bounds = GetScreenBounds();
    r.Offset(bounds.Left, bounds.Top);
    return r;
  }
  const TPoint origin = ClientOrigin();
  r.Offset(origin.X, origin.Y);
  return r;
}

std::string TdxBarControl::GetMarkHint() { return GetResourceString(dxSBAR_MOREBUTTONS); }

bool TdxBarControl::AllowsQuickCustomizing() { return Bar() && Bar()->AllowQuickCustomizing(); }

void TdxBarControl::SetMarkState(uint8_t Value) {
  if (IsCustomizing() || Value == GetMarkState()) return;
  const uint8_t old = GetMarkState();
  TCustomdxBarControl::SetMarkState(Value);
  StopMarkHintTimer();
  TWindowLink self(this);
  if (Value == 2) {
    OpenQuickPopup();
  } else if (old == 2) {
    CloseQuickPopup();
  }
  if (!self.Alive() || GetMarkState() != Value) return;
  TdxBarManager* m = GetBarManager();
  if (Value == 1) {
    if (DockingStyle() == dsNone && HandleAllocated())
      markHintTimer_ = win::SetTimer(Handle(), MarkHintTimerId, kMarkHintInterval, nullptr) != 0;
    if (m) m->SetHintState(true, GetMarkHint(), this);
  } else if (Value == 0 && !GetSelectedControl() && m) {
    m->CancelHint();
  }
  if (self.Alive()) RepaintMark();
}

void TdxBarControl::RepaintMark() {
  if (HandleAllocated()) Painter()->BarRepaintMark(this);
}

void TdxBarControl::StopMarkHintTimer() {
  if (!markHintTimer_) return;
  markHintTimer_ = false;
  if (HandleAllocated()) win::KillTimer(Handle(), MarkHintTimerId);
}

void TdxBarControl::MarkHintTimer() {
  if (HandleAllocated() && win::IsWindowVisible(Handle()) && IsMouseInMark()) return;
  StopMarkHintTimer();
  if (GetMarkState() == 1) SetMarkState(0);
}

void TdxBarControl::OpenQuickPopup() {
  // The quick-customization window comes from the design controller; without
  // one the mark drops and nothing opens.
  IdxBarControlDesigner* designer = dxBarControlDesigner();
  if (!designer) return;
  TCustomdxBarControl* popup = designer->CreateQuickPopup(this);
  if (!popup) return;
  quickPopup_ = popup;
  popup->SetParentBarControl(this);
  FillMarkPopup(popup->ItemLinks());
  if (auto* toolbar = dynamic_cast<TdxBarControl*>(popup)) toolbar->ShowAsPopup(GetMarkScreenRect());
}

void TdxBarControl::CloseQuickPopup() {
  TCustomdxBarControl* popup = std::exchange(quickPopup_, nullptr);
  if (popup && IsLiveBarControl(popup)) popup->FreeWindow();
}

void TdxBarControl::FillMarkPopup(TdxBarItemLinks* ALinks) {
  TdxBarItemLinks* links = ItemLinks();
  if (!ALinks || !links) return;
  // The links the bar would show but does not: past the fitting limit, or
  // laid out without room.
  for (int32_t i = 0; i < links->CandidateItemCount(); ++i) {
    TdxBarItemLink* link = links->CandidateItems(i);
    if (link->GetVisibleIndex() >= 0 && !link->ItemRect().IsEmpty()) continue;
    TdxBarItemLink* copy = ALinks->Add();
    copy->Assign(link);
    copy->RepresentedLink = link;
  }
  if (AllowsQuickCustomizing()) AddQuickCustomizeItem(ALinks);
}

void TdxBarControl::AddQuickCustomizeItem(TdxBarItemLinks* ALinks) {
  if (!ALinks) return;
  // The popup window owns the entry: it goes with the drop-down.
  TComponent* owner = ALinks->BarControl ? static_cast<TComponent*>(ALinks->BarControl) : GetBarManager();
  auto* item = new TdxBarQuickAccessItem(owner);
  item->Toolbar = this;
  item->SetBarManager(GetBarManager());
  item->SetCaption(GetResourceString(dxSBAR_ADDREMOVEBUTTONS));
  TdxBarItemLink* link = ALinks->Add();
  link->SetItem(item);
  link->SetBeginGroup(true);
}

TSize TdxBarControl::GetPopupSize() {
  const TSize client = CalcSizeForWidth(dsNone, 0);
  const TSize frame = Bar() ? Bar()->FloatingNonClientSize() : TSize();
  return TSize(client.cx + frame.cx, client.cy + frame.cy);
}

void TdxBarControl::ShowAsPopup(const TRect& AMarkScreenRect) {
  const TSize size = GetPopupSize();
  const int32_t w = size.cx, h = size.cy;
  TCustomdxBarControl* parent = GetParentBarControl();
  const bool vertical = parent && parent->IsVertical();
  TPoint p = vertical ? TPoint(AMarkScreenRect.Right, AMarkScreenRect.Top)
                      : TPoint(AMarkScreenRect.Left, AMarkScreenRect.Bottom);
  const TRect area = MonitorWorkAreaAt(p);
  if (vertical) {
    if (p.X + w > area.Right) p.X = AMarkScreenRect.Left - w;
    p.Y = std::max(area.Top, std::min(p.Y, area.Bottom - h));
  } else {
    p.X = std::max(area.Left, std::min(p.X, area.Right - w));
    if (p.Y + h > area.Bottom) p.Y = AMarkScreenRect.Top - h;
  }
  HandleNeeded();
  win::SetWindowPos(Handle(), win::HWND_TOP, p.X, p.Y, w, h, win::SWP_NOACTIVATE);
  win::ShowWindow(Handle(), win::SW_SHOWNOACTIVATE);
}

void TdxBarControl::ResetParentMark() {
  auto* parent = dynamic_cast<TdxBarControl*>(GetParentBarControl());
  if (parent && IsLiveBarControl(parent) && parent->GetMarkState() == 2) parent->SetMarkState(0);
}

void TdxBarControl::DoHide() {
  TWindowLink self(this);
  auto* parent = dynamic_cast<TdxBarControl*>(GetParentBarControl());
  if (parent && parent->quickPopup_ == this) {
    // The click that closes the drop-down over the mark must not open it again.
    if (win::GetAsyncKeyState(win::VK_LBUTTON) < 0 && parent->IsMouseInMark()) parent->IgnoreNextButton = true;
    SetActive(false);
    // Frees this window.
    if (self.Alive()) ResetParentMark();
    return;
  }
  // A toolbar stays on screen when its menu mode ends.
  SetActive(false);
  if (self.Alive() && !CloseThisLevelOnly && GetParentBarControl()) GetParentBarControl()->Hide();
}

TdxBarControl::~TdxBarControl() {
  if (markHintTimer_ && HandleAllocated()) win::KillTimer(Handle(), MarkHintTimerId);
  CloseQuickPopup();
  RemoveObjectLink(std::exchange(previousFocusedBar_, nullptr));
  TMDIButtonsState& mdi = MDIButtons();
  if (mdi.Pressed && HandleAllocated() && win::GetCapture() == Handle()) mdi = TMDIButtonsState();
}

// ---------------------------------------------------------------- MDI buttons

win::WPARAM TdxBarControl::MDIButtonCommand(int32_t AIndex) {
  switch (AIndex) {
    case 0: return win::SC_MINIMIZE;
    case 1: return win::SC_RESTORE;
    default: return win::SC_CLOSE;
  }
}

TRect TdxBarControl::GetMDIButtonRect(int32_t AIndex) {
  if (!HasMDIButtons() || AIndex < 0 || AIndex > 2) return {};
  const bool all = AreMDIButtonsVisible();
  if (!all && AIndex != 2) return {};
  const bool vertical = IsVertical();
  const TRect client = ClientRect();
  const int32_t clientLength = vertical ? client.Height() : client.Width();
  const int32_t clientThickness = vertical ? client.Width() : client.Height();
  const int32_t buttonLength = vertical ? MDIButtonHeight() : MDIButtonWidth();
  const int32_t buttonThickness = vertical ? MDIButtonWidth() : MDIButtonHeight();
  const int32_t available = clientLength - (DockingStyle() != dsNone ? GetMarkSpace() : 0);
  int32_t along;
  if (all) {
    along = available + AIndex * buttonLength - (vertical ? GetMDIButtonsHeight() : GetMDIButtonsWidth());
    if (AIndex == 2) along += 2;
  } else {
    along = available - buttonLength;
  }
  int32_t across = (clientThickness - buttonThickness) / 2;
  if (IsMultiLine()) {
    // Flush with the far edge unless a control of the last row reaches there.
    across = clientThickness - buttonThickness;
    TdxBarItemLinks* links = ItemLinks();
    const int32_t count = links ? links->GetVisibleItemCount() : 0;
    TdxBarItemControl* last = count > 0 ? links->VisibleItems(count - 1)->Control() : nullptr;
    if (last) {
      const TRect lastRow = GetItemPaintRect(last);
      const int32_t rowStart = vertical ? clientThickness - lastRow.Right : lastRow.Top;
      const int32_t rowThickness = vertical ? lastRow.Width() : lastRow.Height();
      bool reaches = false;
      for (int32_t i = 0; i < count && !reaches; ++i) {
        TdxBarItemControl* c = links->VisibleItems(i)->Control();
        if (!c) continue;
        const TRect r = GetItemPaintRect(c);
        const int32_t start = vertical ? clientThickness - r.Right : r.Top;
        const int32_t end = vertical ? r.Bottom : r.Right;
        reaches = start == rowStart && end > along;
      }
      if (reaches) across = rowStart + (rowThickness - buttonThickness) / 2;
    }
  }
  if (vertical) {
    // Turned: along runs down, across is mirrored from the right edge.
    const int32_t left = clientThickness - across - buttonThickness;
    return TRect(left, along, left + buttonThickness, along + buttonLength);
  }
  return TRect(along, across, along + buttonLength, across + buttonThickness);
}

bool TdxBarControl::IsMDIButtonEnabled(int32_t AIndex, bool AForPressing) {
  if (AIndex == 1 || !AreMDIButtonsVisible()) return true;
  const win::HMENU menu = win::GetSystemMenu(ActiveMDIChild(), win::FALSE);
  if (!menu) return true;
  const win::UINT state = win::GetMenuState(menu, win::UINT(MDIButtonCommand(AIndex)), win::MF_BYCOMMAND);
  if (state == win::UINT(-1)) return true;
  const win::UINT mask = AForPressing ? (win::MF_GRAYED | win::MF_DISABLED) : win::MF_GRAYED;
  return (state & mask) == 0;
}

int32_t TdxBarControl::GetMDIButtonState(int32_t AIndex) {
  if (!IsMDIButtonEnabled(AIndex, false)) return 1;
  const TMDIButtonsState& mdi = MDIButtons();
  if (mdi.Pressed && mdi.PressedIndex == AIndex) return mdi.Hot ? 4 : 3;
  if (!mdi.Pressed && mdi.Hot && mdi.HotIndex == AIndex) return 2;
  return 0;
}

void TdxBarControl::PaintMDIButtons(win::HDC DC) {
  if (!HasMDIButtons()) return;
  for (int32_t i = AreMDIButtonsVisible() ? 0 : 2; i <= 2; ++i)
    Painter()->BarPaintMDIButton(this, DC, GetMDIButtonRect(i), i, GetMDIButtonState(i));
}

int32_t TdxBarControl::MDIButtonAt(TPoint AClientPoint) {
  if (!HasMDIButtons()) return -1;
  for (int32_t i = AreMDIButtonsVisible() ? 0 : 2; i <= 2; ++i)
    if (GetMDIButtonRect(i).Contains(AClientPoint)) return i;
  return -1;
}

void TdxBarControl::RepaintMDIButtons() {
  if (!HandleAllocated() || !HasMDIButtons()) return;
  for (int32_t i = 0; i <= 2; ++i) {
    const TRect r = GetMDIButtonRect(i);
    if (!r.IsEmpty()) win::InvalidateRect(Handle(), &r, win::TRUE);
  }
}

bool TdxBarControl::HandleMDIButtonDown(TPoint AClientPoint) {
  const int32_t index = MDIButtonAt(AClientPoint);
  if (index < 0 || IsCustomizing() || !IsMDIButtonEnabled(index, true)) return false;
  TMDIButtonsState& mdi = MDIButtons();
  mdi.Pressed = true;
  mdi.Hot = true;
  mdi.PressedIndex = index;
  RepaintMDIButtons();
  if (HandleAllocated()) win::SetCapture(Handle());
  return true;
}

void TdxBarControl::HandleMDIButtonMove(TPoint AClientPoint) {
  TMDIButtonsState& mdi = MDIButtons();
  const int32_t index = MDIButtonAt(AClientPoint);
  if (mdi.Pressed) {
    const bool hot = index == mdi.PressedIndex;
    if (hot == mdi.Hot) return;
    mdi.Hot = hot;
  } else {
    const int32_t hotIndex = index >= 0 && IsMDIButtonEnabled(index, false) ? index : -1;
    if (hotIndex == mdi.HotIndex && mdi.Hot == (hotIndex >= 0)) return;
    mdi.HotIndex = hotIndex;
    mdi.Hot = hotIndex >= 0;
  }
  RepaintMDIButtons();
}

bool TdxBarControl::HandleMDIButtonUp(TPoint AClientPoint) {
  TMDIButtonsState& mdi = MDIButtons();
  if (!mdi.Pressed) return false;
  const int32_t pressed = mdi.PressedIndex;
  const bool over = MDIButtonAt(AClientPoint) == pressed;
  mdi = TMDIButtonsState();
  TWindowLink self(this);
  win::ReleaseCapture();
  if (!self.Alive()) return true;
  RepaintMDIButtons();
  if (!over) return true;
  if (AreMDIButtonsVisible()) {
    if (const win::HWND child = ActiveMDIChild()) win::SendMessage(child, win::WM_SYSCOMMAND, MDIButtonCommand(pressed), 0);
  } else if (TdxBarManager* m = GetBarManager()) {
    m->DoCloseButtonClick();
  }
  return true;
}

void TdxBarControl::CancelMDIButtons() {
  TMDIButtonsState& mdi = MDIButtons();
  if (!mdi.Pressed && !mdi.Hot) return;
  const bool pressed = mdi.Pressed;
  mdi = TMDIButtonsState();
  TWindowLink self(this);
  if (pressed) win::ReleaseCapture();
  if (self.Alive()) RepaintMDIButtons();
}
