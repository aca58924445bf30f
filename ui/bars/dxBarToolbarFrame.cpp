// The toolbar window's frame: how its window is made docked or floating,
// the non-client area (sizes, hit testing, the floating caption with its
// close button, the size grip of status-like bars), the limits on sizing
// and placing a floating bar, and the painting order of client and frame.
//
//   floating window (window coordinates)
//   +--------------------------------------+
//   | FrameHeight band                     |
//   |  +--------------------------[mark][x]|  caption: FloatingBarClientRect,
//   |  |                                   |  SmallCaptionHeight high; [x] the
//   |  |  client                           |  close button at its right end
//   |  +-----------------------------------+
//   +--------------------------------------+
//    FrameWidth bands left and right
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarToolbarControl.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxGraphics.h"

namespace {

// Behaviour flag: the default hit test stands (the window keeps no code of its own).
constexpr uint16_t kDefaultHitTest = 0x80;
// A floating bar's top may not be dragged further up than this.
constexpr int32_t kTopLimit = -15;
constexpr int32_t kMinTrackSize = 10;
constexpr int32_t kMaxTrackSize = 30000;
constexpr win::UINT kFrameChanged =
    win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE | win::SWP_FRAMECHANGED;

TPoint CursorPos() {
  win::POINT p{};
  win::GetCursorPos(&p);
  return {p.X, p.Y};
}

win::BOOL CollectWorkArea(win::HMONITOR AMonitor, win::HDC, win::RECT*, win::LPARAM AData) {
  win::MONITORINFO info;
  if (win::GetMonitorInfo(AMonitor, &info)) reinterpret_cast<std::vector<TRect>*>(AData)->push_back(info.rcWork);
  return win::TRUE;
}

std::vector<TRect> WorkAreas() {
  std::vector<TRect> areas;
  win::EnumDisplayMonitors(nullptr, nullptr, &CollectWorkArea, reinterpret_cast<win::LPARAM>(&areas));
  return areas;
}

}  // namespace

// ---------------------------------------------------------------- what the painter reads

bool TdxBarControl::CanMove() { return !Bar() || Bar()->IsMovable(); }
bool TdxBarControl::HasBorder() { return !Bar() || Bar()->BorderStyle() == bbsSingle; }

bool TdxBarControl::IsBorderlessBottomBar() { return Bar() && Bar()->IsStatusBar(); }

win::HBRUSH TdxBarControl::GetBackgroundBrush() { return Painter()->ToolbarBrushFor(this); }

bool TdxBarControl::PaintsNonClient() {
  return !HasState(bcsDestructionStarted) && !IsDestroying() && (ClientWidth() != Width() || ClientHeight() != Height());
}

TRect TdxBarControl::GetMarkRect() { return Painter()->BarMarkRectEx(this); }

TPoint TdxBarControl::GetCaptionOffset() { return HandleAllocated() ? ClientOrigin() : TPoint{}; }

void TdxBarControl::DrawBackground(win::HDC DC, const TRect& R, bool AFlag, TColor AColor, win::HBRUSH ABrush) {
  TRect source = R;
  if (AFlag) {
    const TPoint offset = GetCaptionOffset();
    source.Offset(offset.X, offset.Y);
  }
  const TColor color = AColor != clNone ? AColor : Bar() ? Bar()->Color() : clDefault;
  Painter()->BarDrawBackgroundBitmap(this, DC, R, source, ABrush, color);
}

// ---------------------------------------------------------------- window creation

void TdxBarControl::CreateParams(TCreateParams& Params) {
  TCustomdxBarControl::CreateParams(Params);
  Params.Style = win::WS_CLIPCHILDREN | win::WS_CLIPSIBLINGS;
  Params.ExStyle = 0;
  Params.WindowClassStyle = win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS;
  if (DockingStyle() != dsNone) {
    Params.Style |= win::WS_CHILD;
    if (TdxDockControl* dock = DockControl()) Params.WndParent = dock->Handle();
    return;
  }
  Params.Style |= win::WS_POPUP;
  TdxBarManager* m = GetBarManager();
  TWinControl* owner = m ? m->OwnerControl() : nullptr;
  Params.WndParent = owner ? owner->Handle() : nullptr;
}

void TdxBarControl::CreateWnd() {
  TCustomdxBarControl::CreateWnd();
  if (!HandleAllocated()) return;
  win::SetWindowText(Handle(), (Bar() ? Bar()->Caption() : Caption()).c_str());
  win::SendMessage(Handle(), win::WM_NCACTIVATE, 1, 0);
}

void TdxBarControl::AfterCreateHandle() {
  TCustomdxBarControl::AfterCreateHandle();
  TdxBar* bar = Bar();
  TdxBars* bars = bar ? bar->GetBars() : nullptr;
  const bool dragged = bars && bars->Moving && bars->MovingBarControl == this;
  const bool floating = DockingStyle() == dsNone && !IsInternal();
  SetWindowAlpha(Handle(), bar && (dragged || floating) ? bar->AlphaBlendValue() : 255);
}

void TdxBarControl::RecalcNonClient() {
  if (HandleAllocated()) win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
}

// A visible bar whose window goes without the bar asking for it (its dock
// site's window goes) is recorded for restoring and hidden. Hiding frees the
// window, which may not happen inside its own destruction: a thread timer
// hides the bar once the message is over, unless the window has come back
// with its dock site by then.
void TdxBarControl::HandleDestroy(TMessage& m) {
  TcxScopedObjectLink self(this);
  TdxDockControl* dock = DockControl();
  TcxScopedObjectLink dockAlive(dock);
  if (dock) dock->BarDestroying = true;
  TScopeExit clear([&] {
    if (dockAlive.Alive()) dock->BarDestroying = false;
  });
  TCustomdxBarControl::Dispatch(m);
  if (!self.Alive() || HasState(bcsDestructionStarted) || IsDestroying()) return;
  TdxBar* bar = Bar();
  TdxBarManager* manager = GetBarManager();
  if (!bar || bar->GetControl() != this || UpdateCount() > 0 || IsInternal() || !bar->GetVisible() || !manager ||
      manager->InDestruction())
    return;
  manager->AddRestoringBar(bar);
  win::SetTimerWithContext(nullptr, 0, 0, &HideAfterDestroy, AddObjectLink(this));
}

uintptr_t TdxBarControl::HideAfterDestroy(void* AContext, uintptr_t, uintptr_t, uintptr_t AId, uintptr_t) {
  win::KillTimer(nullptr, win::UINT_PTR(AId));
  auto* link = static_cast<TcxObjectLink*>(AContext);
  auto* window = static_cast<TdxBarControl*>(link->Target);
  RemoveObjectLink(link);
  if (!window || window->HandleAllocated()) return 0;
  TdxBar* bar = window->Bar();
  if (bar && bar->GetControl() == window && bar->GetVisible()) bar->SetVisible(false);
  return 0;
}

// ---------------------------------------------------------------- non-client area

TRect TdxBarControl::GetCaptionRect() { return Painter()->FloatingBarClientRect(TRect(0, 0, Width(), Height())); }

TRect TdxBarControl::GetCloseButtonRect() {
  if (!HasCloseButton()) return {};
  TdxBarPainter* painter = Painter();
  const TRect caption = GetCaptionRect();
  const int32_t side = painter->SmallCaptionHeight();
  TRect r(caption.Right - side, caption.Top, caption.Right, caption.Top + side);
  const TSize button = painter->CloseButtonSize();
  const int32_t w = std::min(button.cx, side), h = std::min(button.cy, side);
  r.Left += (side - w) / 2;
  r.Top += (side - h) / 2;
  r.Right = r.Left + w;
  r.Bottom = r.Top + h;
  return r;
}

TRect TdxBarControl::GetSizeGripRect() {
  const TSize grip = Painter()->SizeGripSize();
  const int32_t w = ClientWidth(), h = ClientHeight();
  return TRect(w, h - grip.cy, w + grip.cx, h);
}

void TdxBarControl::SetCloseButtonState(uint8_t Value) {
  if (closeButtonState_ == Value) return;
  closeButtonState_ = Value;
  if (!HandleAllocated() || !HasCloseButton()) return;
  const win::HDC dc = win::GetWindowDC(Handle());
  Painter()->BarDrawCaptionCloseButton(this, dc, GetCloseButtonRect(), Value);
  win::ReleaseDC(Handle(), dc);
}

win::LRESULT TdxBarControl::NonClientHitTest(TPoint AScreenPoint, win::LRESULT ADefault) {
  if ((GetBehaviorFlags() & kDefaultHitTest) != 0) return hitCode_ = ADefault;
  hitCode_ = 0;
  const TPoint p = ScreenToClient(AScreenPoint);
  if (DockingStyle() != dsNone) {
    if (ADefault == win::HTCLIENT)
      if (TdxBarItemControl* c = ItemControlAtPos(p); c && (IsCustomizing() || c->AcceptsMouse()))
        return hitCode_ = win::HTCLIENT;
    const bool pastOrigin = IsVertical() ? p.Y >= 0 : p.X >= 0;
    if (pastOrigin && ((HasMark() && IsPointInMark(p)) || MDIButtonAt(p) >= 0)) return ADefault;
    if (sizeGrip_ && GetSizeGripRect().Contains(p)) return hitCode_ = win::HTBOTTOMRIGHT;
    hitCode_ = win::HTCAPTION;
    return win::HTCLIENT;
  }
  // The platform answers HTBORDER where a frame has no frame styles of its own.
  if (ADefault == win::HTNOWHERE || ADefault == win::HTBORDER) {
    win::RECT window{};
    win::GetWindowRect(Handle(), &window);
    const int32_t fw = Painter()->FrameWidth(), fh = Painter()->FrameHeight();
    const TPoint q = AScreenPoint;
    win::LRESULT band = win::HTNOWHERE;
    if (q.Y < window.Top + fh)
      band = win::HTTOP;
    else if (q.X >= window.Right - fw)
      band = win::HTRIGHT;
    else if (q.Y >= window.Bottom - fh)
      band = win::HTBOTTOM;
    else if (q.X < window.Left + fw)
      band = win::HTLEFT;
    if (band != win::HTNOWHERE) return hitCode_ = band;
    const TPoint w{q.X - window.Left, q.Y - window.Top};
    if (!IsCustomizing() && HasMark() && GetMarkRect().Contains(w)) {
      hitCode_ = win::HTCLIENT;
      return win::HTCLIENT;
    }
    if (GetCloseButtonRect().Contains(w)) {
      if (Painter()->StandardFloatingQuery()) {
        hitCode_ = win::HTCLIENT;
        return win::HTCLOSE;
      }
      hitCode_ = win::HTCLOSE;
      return win::HTCLIENT;
    }
    hitCode_ = win::HTCAPTION;
    return win::HTCLIENT;
  }
  if (ADefault == win::HTCLIENT) {
    if (TdxBarItemControl* c = ItemControlAtPos(p); c && c->AcceptsMouse()) return ADefault;
    if (MDIButtonAt(p) >= 0) return ADefault;
    hitCode_ = win::HTCAPTION;
    return win::HTCLIENT;
  }
  return hitCode_ = ADefault;
}

// Only widths (heights) that give a valid wrapped layout; a corner keeps the bounds.
void TdxBarControl::HandleSizing(win::WPARAM AEdge, win::RECT& R) {
  const int32_t fw = Width() - ClientWidth(), fh = Height() - ClientHeight();
  switch (AEdge) {
    case win::WMSZ_LEFT:
    case win::WMSZ_RIGHT: {
      const TSize size = CalcSizeForWidth(dsNone, R.Width() - fw);
      if (AEdge == win::WMSZ_LEFT)
        R.Left = R.Right - size.cx - fw;
      else
        R.Right = R.Left + size.cx + fw;
      R.Bottom = R.Top + size.cy + fh;
      break;
    }
    case win::WMSZ_TOP:
    case win::WMSZ_BOTTOM: {
      const TSize size = CalcSizeForHeight(dsNone, R.Height() - fh);
      R.Right = R.Left + size.cx + fw;
      if (AEdge == win::WMSZ_TOP)
        R.Top = R.Bottom - size.cy - fh;
      else
        R.Bottom = R.Top + size.cy + fh;
      break;
    }
    default:
      win::GetWindowRect(Handle(), &R);
      break;
  }
  if (R.Top < kTopLimit) R.Offset(0, kTopLimit - R.Top);
}

// A floating bar that would lie on no work area is brought back onto the
// work area of the monitor under the cursor; each axis is corrected on its own.
void TdxBarControl::HandleWindowPosChanging(win::WINDOWPOS& AWindowPos) {
  const bool noMove = (AWindowPos.flags & win::SWP_NOMOVE) != 0, noSize = (AWindowPos.flags & win::SWP_NOSIZE) != 0;
  if (noMove && noSize) return;
  win::RECT current{};
  win::GetWindowRect(Handle(), &current);
  const int32_t x = noMove ? current.Left : AWindowPos.x, y = noMove ? current.Top : AWindowPos.y;
  const int32_t cx = noSize ? current.Width() : AWindowPos.cx, cy = noSize ? current.Height() : AWindowPos.cy;
  // A window without size still takes a pixel's room, so that it ends on a work area.
  const int32_t width = std::max(cx, 1), height = std::max(cy, 1);
  const TRect bounds(x, y, x + width, y + height);
  const std::vector<TRect> areas = WorkAreas();
  for (const TRect& area : areas) {
    TRect common;
    if (IntersectRect(common, bounds, area)) return;
  }
  const win::POINT cursor = CursorPos();
  win::MONITORINFO info;
  if (!win::GetMonitorInfo(win::MonitorFromPoint(cursor, win::MONITOR_DEFAULTTONEAREST), &info)) return;
  const TRect work = info.rcWork;
  int32_t left = x, top = y;
  if (bounds.Right <= work.Left) left = work.Left;
  if (bounds.Bottom <= work.Top) top = work.Top;
  if (bounds.Left >= work.Right) left = work.Right - width;
  if (bounds.Top >= work.Bottom) top = work.Bottom - height;
  if (left == x && top == y) return;
  AWindowPos.x = left;
  AWindowPos.y = top;
  AWindowPos.flags &= ~win::SWP_NOMOVE;
  if (noMove) {
    // The size the flags kept must stay what it is.
    AWindowPos.cx = cx;
    AWindowPos.cy = cy;
  }
}

// The press on the close button, held until the release: pressed while the
// cursor is over it, hot while it is not; only a release over it closes the bar.
void TdxBarControl::TrackCloseButton() {
  TdxBarManager* manager = GetBarManager();
  if (manager && !manager->HideFloatingBarsWhenInactive())
    if (TCustomForm* form = ::GetParentForm(manager->OwnerControl()); form && form->HandleAllocated())
      win::SetActiveWindow(form->Handle());
  TcxScopedObjectLink self(this);
  if (!self.Alive() || !HandleAllocated()) return;
  const win::HWND wnd = Handle();
  auto overButton = [this] {
    win::RECT window{};
    win::GetWindowRect(Handle(), &window);
    const TPoint p = CursorPos();
    return GetCloseButtonRect().Contains(TPoint{p.X - window.Left, p.Y - window.Top});
  };
  SetCloseButtonState(2);
  win::SetCapture(wnd);
  bool clicked = false;
  win::MSG msg;
  while (win::GetCapture() == wnd) {
    const win::BOOL got = win::GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The quit belongs to the loop that runs this one.
      win::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (msg.message == win::WM_MOUSEMOVE && msg.hwnd == wnd) {
      SetCloseButtonState(overButton() ? 2 : 1);
      continue;
    }
    if (msg.message == win::WM_LBUTTONUP || msg.message == win::WM_NCLBUTTONUP) {
      clicked = overButton();
      break;
    }
    win::TranslateMessage(&msg);
    win::DispatchMessage(&msg);
    if (!self.Alive()) return;
  }
  if (!self.Alive()) return;
  if (win::GetCapture() == wnd) win::ReleaseCapture();
  SetCloseButtonState(0);
  TdxBar* bar = Bar();
  if (!clicked || !bar || !manager) return;
  // Hiding the bar frees this window; only locals are used from here on.
  bar->SetVisible(false);
  manager->NotifyDesignerModified();
  manager->DoBarClose(bar);
}

// ---------------------------------------------------------------- moves and sizes

void TdxBarControl::WindowPosChanged(const win::WINDOWPOS& AWindowPos) {
  TCustomdxBarControl::WindowPosChanged(AWindowPos);
  TdxBar* bar = Bar();
  if (UpdateCount() > 0 || !bar || bar->GetControl() != this) return;
  bar->SetDockingStyleAndControl(DockingStyle(), DockControl());
  bar->StoreBarPosition();
  const bool sized = (AWindowPos.flags & win::SWP_NOSIZE) == 0, moved = (AWindowPos.flags & win::SWP_NOMOVE) == 0;
  if (sized && !moved && bar->HasSizeGrip() != sizeGrip_) RecalcNonClient();
}

// ---------------------------------------------------------------- painting

void TdxBarControl::FillBackground() { Painter()->BarFillClient(this, GetCanvas()->Handle(), ClientRect()); }

void TdxBarControl::DrawSeparator(const TRect& R, bool AHorizontal) {
  Painter()->BarDrawSeparator(this, GetCanvas()->Handle(), R, GetBackgroundBrush(), AHorizontal);
}

void TdxBarControl::DrawContent() {
  if (HasState(bcsDestructionStarted) || IsDestroying()) return;
  TcxCanvas* canvas = GetCanvas();
  TdxBarPainter* painter = Painter();
  const bool ownFrames = painter->PaintsOwnFrames();
  canvas->PushClipRegion();
  {
    TScopeExit restore([canvas] { canvas->PopClipRegion(); });
    if (ownFrames) FillBackground();
    PaintItems();
    TCustomdxBarControlViewInfo* info = ViewInfo();
    for (int32_t i = 0; i < info->SeparatorCount(); ++i) {
      TdxBarSeparatorInfo separator;
      info->SeparatorAt(i, separator);
      DrawSeparator(separator.Bounds, separator.Kind == 0);
      canvas->ExcludeClipRect(separator.Bounds);
    }
    if (HasMDIButtons()) {
      PaintMDIButtons(canvas->Handle());
      for (int32_t i = 0; i <= 2; ++i) canvas->ExcludeClipRect(GetMDIButtonRect(i));
    }
    if (DockingStyle() != dsNone && HasMark()) {
      const TRect mark = painter->BarMarkRect(this);
      painter->BarDrawMarkFaded(this, canvas->Handle(), mark);
      canvas->ExcludeClipRect(mark);
    }
    if (!ownFrames) FillBackground();
  }
  TdxBar* bar = Bar();
  if (!bar || !bar->IsDesignSelected()) return;
  IdxBarItemDesigner* designer = dxBarItemDesigner();
  if (designer && designer->ShouldSelectByDefault())
    DrawDoubleFrame(canvas->Handle(), ClientRect(), win::COLOR_WINDOWTEXT);
  else
    DrawDoubleFocusRect(canvas->Handle(), ClientRect());
}

// The base paint would lay the items out and paint them; here that is
// Recalculate and DrawContent, in the painting order.
void TdxBarControl::Paint() {
  TcxCanvas* canvas = GetCanvas();
  canvas->PushClipRegion();
  TScopeExit restore([canvas] { canvas->PopClipRegion(); });
  Recalculate();
  DrawContent();
  TdxBarManager* manager = GetBarManager();
  if (!manager || !manager->IsAnotherManagerActive()) return;
  canvas->PopClipRegion();
  canvas->PushClipRegion();
  HatchDisabledArea(canvas->Handle(), ClientRect());
}

void TdxBarControl::DrawFrame(win::HDC DC) {
  TdxBarPainter* painter = Painter();
  if (painter->PaintsOwnFrames()) {
    painter->BarPaintOwnFrame(this, DC);
    return;
  }
  win::RECT window{};
  win::GetWindowRect(Handle(), &window);
  const TPoint origin = ClientOrigin();
  const TRect whole(0, 0, window.Width(), window.Height());
  TRect client = ClientRect();
  client.Offset(origin.X - window.Left, origin.Y - window.Top);
  const bool floating = DockingStyle() == dsNone;
  if (floating || HasBorder()) {
    if (!floating) {
      const TRect m = painter->BarContentMargins();
      const TRect inner(whole.Left + m.Left, whole.Top + m.Top, whole.Right - m.Right, whole.Bottom - m.Bottom);
      win::HRGN region = win::CreateRectRgn(inner.Left, inner.Top, inner.Right, inner.Bottom);
      win::HRGN content = win::CreateRectRgn(client.Left, client.Top, client.Right, client.Bottom);
      win::CombineRgn(region, region, content, win::RGN_DIFF);
      DrawBackgroundClipped(DC, region, false, GetBackgroundBrush());
      win::DeleteObject(content);
      win::DeleteObject(region);
    } else {
      painter->BarDrawFloatingBorder(this, DC, whole);
      TRect inner = whole;
      inner.Inflate(-painter->FrameWidth(), -painter->FrameHeight());
      if (HasFloatingCaption()) {
        const int32_t ew = painter->FloatingFrameExtraWidth();
        const TRect content(inner.Left + ew, inner.Top + painter->FloatingFrameExtraTop(), inner.Right - ew,
                            inner.Bottom - painter->FloatingFrameExtraBottom());
        win::HRGN region = win::CreateRectRgn(inner.Left, inner.Top, inner.Right, inner.Bottom);
        win::HRGN rest = win::CreateRectRgn(content.Left, content.Top, content.Right, content.Bottom);
        win::CombineRgn(region, region, rest, win::RGN_DIFF);
        DrawBackgroundClipped(DC, region, false, GetBackgroundBrush());
        win::DeleteObject(rest);
        win::DeleteObject(region);
      }
    }
    if (!floating)
      painter->BarDrawDockedBorder(this, DC, whole);
    else if (HasFloatingCaption())
      painter->BarDrawFloatingCaption(this, DC, GetCaptionRect(), GetBackgroundBrush());
    return;
  }
  if (!IsBorderlessBottomBar()) return;
  painter->BarDrawSizeGripGap(this, DC, TRect(whole.Left, whole.Top, whole.Right, client.Top));
  if (sizeGrip_) painter->BarDrawSizeGripArea(this, DC, TRect(client.Right, client.Top, whole.Right, client.Bottom));
}

win::HDC TdxBarControl::GetNonClientDC() {
  TdxBarManager* manager = GetBarManager();
  if (!manager || !manager->IsAnotherManagerActive() || inactiveDC_) return TCustomdxBarControl::GetNonClientDC();
  const int32_t w = Width(), h = Height();
  const win::HDC windowDC = win::GetWindowDC(Handle());
  inactiveDC_ = win::CreateCompatibleDC(windowDC);
  inactiveBitmap_ = win::CreateCompatibleBitmap(windowDC, w, h);
  win::ReleaseDC(Handle(), windowDC);
  inactivePrevious_ = win::SelectObject(inactiveDC_, inactiveBitmap_);
  win::RECT window{};
  win::GetWindowRect(Handle(), &window);
  const TPoint origin = ClientOrigin();
  const int32_t cl = origin.X - window.Left, ct = origin.Y - window.Top;
  inactiveRegion_ = win::CreateRectRgn(0, 0, w, h);
  win::HRGN client = win::CreateRectRgn(cl, ct, cl + ClientWidth(), ct + ClientHeight());
  win::CombineRgn(inactiveRegion_, inactiveRegion_, client, win::RGN_DIFF);
  win::DeleteObject(client);
  win::SelectClipRgn(inactiveDC_, inactiveRegion_);
  return inactiveDC_;
}

void TdxBarControl::ReleaseNonClientDC(win::HDC DC) {
  if (!DC || DC != inactiveDC_) {
    TCustomdxBarControl::ReleaseNonClientDC(DC);
    return;
  }
  win::SelectObject(inactiveDC_, inactivePrevious_);
  win::DeleteObject(inactiveBitmap_);
  win::DeleteDC(inactiveDC_);
  win::DeleteObject(inactiveRegion_);
  inactiveDC_ = nullptr;
  inactiveBitmap_ = nullptr;
  inactivePrevious_ = nullptr;
  inactiveRegion_ = nullptr;
}

void TdxBarControl::DrawNonClient(win::HDC DC) {
  if (!DC) return;
  DrawFrame(DC);
  if (DC != inactiveDC_) return;
  HatchDisabledArea(DC, TRect(0, 0, Width(), Height()));
  const win::HDC windowDC = win::GetWindowDC(Handle());
  win::SelectClipRgn(windowDC, inactiveRegion_);
  win::BitBlt(windowDC, 0, 0, Width(), Height(), DC, 0, 0, win::SRCCOPY);
  win::ReleaseDC(Handle(), windowDC);
}

// ---------------------------------------------------------------- messages

void TdxBarControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case win::WM_NCCALCSIZE: {
      if (!HasState(bcsRebuilding)) sizeGrip_ = Bar() && Bar()->HasSizeGrip();
      win::RECT* r = m.WParam ? &reinterpret_cast<win::NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                              : reinterpret_cast<win::RECT*>(m.LParam);
      if (r) {
        const TRect frame = Painter()->BarCalcNonClient(this, HasFloatingCaption(), sizeGrip_);
        r->Left += frame.Left;
        r->Top += frame.Top;
        r->Right = std::max(r->Left, r->Right - frame.Right);
        r->Bottom = std::max(r->Top, r->Bottom - frame.Bottom);
      }
      m.Result = 0;
      return;
    }
    case win::WM_NCHITTEST: {
      TCustomdxBarControl::Dispatch(m);
      m.Result = NonClientHitTest(TPoint{win::GET_X_LPARAM(m.LParam), win::GET_Y_LPARAM(m.LParam)}, m.Result);
      return;
    }
    case win::WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<win::MINMAXINFO*>(m.LParam);
      if (info) {
        info->ptMinTrackSize = {kMinTrackSize, kMinTrackSize};
        info->ptMaxTrackSize = {kMaxTrackSize, kMaxTrackSize};
        info->ptMaxSize = {kMaxTrackSize, kMaxTrackSize};
        info->ptMaxPosition = {kMaxTrackSize, kMaxTrackSize};
      }
      m.Result = 0;
      return;
    }
    case win::WM_SIZING:
      if (DockingStyle() != dsNone || !m.LParam) break;
      HandleSizing(m.WParam, *reinterpret_cast<win::RECT*>(m.LParam));
      m.Result = 1;
      return;
    case win::WM_WINDOWPOSCHANGING:
      TCustomdxBarControl::Dispatch(m);
      if (DockingStyle() == dsNone && m.LParam && HandleAllocated())
        HandleWindowPosChanging(*reinterpret_cast<win::WINDOWPOS*>(m.LParam));
      return;
    case win::WM_NCLBUTTONDOWN: {
      win::RECT window{};
      win::GetWindowRect(Handle(), &window);
      const TPoint p = CursorPos();
      if (HasCloseButton() && GetCloseButtonRect().Contains(TPoint{p.X - window.Left, p.Y - window.Top})) {
        TrackCloseButton();
        m.Result = 0;
        return;
      }
      break;
    }
    case win::WM_MOUSEACTIVATE: {
      TcxScopedObjectLink self(this);
      TCustomdxBarControl::Dispatch(m);
      if (self.Alive() && DockingStyle() == dsNone && HandleAllocated() && win::GetActiveWindow() != Handle())
        win::SetWindowPos(Handle(), win::HWND_TOP, 0, 0, 0, 0,
                          win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
      return;
    }
    case win::WM_DESTROY:
      HandleDestroy(m);
      return;
    default:
      break;
  }
  TCustomdxBarControl::Dispatch(m);
}
