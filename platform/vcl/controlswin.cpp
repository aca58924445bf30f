// TWinControl: the window behind a control, its creation and destruction,
// child lists, showing, painting and the mapping of window messages to the
// control's handlers.
#include <algorithm>
#include <unordered_map>

#include "platform/classes/resstrings.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/controls_internal.h"
#include "platform/vcl/forms.h"

DX_RESOURCESTRING(SParentRequired, 0, "Control '%s' has no parent window");
DX_RESOURCESTRING(SWindowCreateFailed, 0, "Error creating window of class %s");

namespace vcl_detail {

TControl* CaptureControl = nullptr;

TControl* GetCaptureControl() {
  TWinControl* w = TWinControl::FindControl(win::GetCapture());
  if (w && CaptureControl && CaptureControl->Parent() == w) return CaptureControl;
  return w;
}

void SetCaptureControl(TControl* control) {
  win::ReleaseCapture();
  CaptureControl = nullptr;
  if (!control) return;
  if (!dynamic_cast<TWinControl*>(control)) {
    if (!control->Parent()) return;
    CaptureControl = control;
    control = control->Parent();
  }
  win::SetCapture(static_cast<TWinControl*>(control)->Handle());
}

bool KeyDown(int vk) { return win::GetKeyState(vk) < 0; }

namespace {
std::vector<std::string>& RegisteredClasses() {
  static std::vector<std::string> names;
  return names;
}
}  // namespace

void EnsureWindowClass(const TCreateParams& params, win::WNDPROC proc) {
  auto& names = RegisteredClasses();
  for (const std::string& n : names)
    if (SameText(n, params.WinClassName)) return;
  win::WNDCLASSEX wc;
  wc.style = params.WindowClassStyle;
  wc.lpfnWndProc = proc;
  wc.hCursor = params.WindowClassCursor;
  wc.hbrBackground = params.WindowClassBackground;
  wc.lpszClassName = params.WinClassName.c_str();
  win::WNDCLASS existing;
  if (!win::GetClassInfo(nullptr, wc.lpszClassName, &existing) && !win::RegisterClassEx(&wc))
    throw EOSError(Format(LoadResString(SWindowCreateFailed), params.WinClassName));
  names.push_back(params.WinClassName);
}

}  // namespace vcl_detail

using vcl_detail::CaptureControl;

namespace {

// Windows of this thread's controls. Windows are made and used on the
// thread that runs the message loop; other threads only send messages.
std::unordered_map<win::HWND, TWinControl*>& Bindings() {
  static std::unordered_map<win::HWND, TWinControl*> map;
  return map;
}

// The control whose window is being made: it is bound to the first message.
thread_local TWinControl* t_creating = nullptr;
// Nesting of InitWndProc; device contexts of canvases are given back when
// the outermost message is done.
thread_local int t_depth = 0;

}  // namespace

void vcl_FreeDeviceContexts();  // controlsmisc.cpp

TWinControl* TWinControl::FindControl(win::HWND hwnd) {
  if (!hwnd) return nullptr;
  auto it = Bindings().find(hwnd);
  return it == Bindings().end() ? nullptr : it->second;
}

TWinControl* FindControl(win::HWND hwnd) { return TWinControl::FindControl(hwnd); }

win::LRESULT TWinControl::InitWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  TWinControl* c = FindControl(hwnd);
  if (!c) {
    if (!t_creating) return win::DefWindowProc(hwnd, msg, wParam, lParam);
    c = t_creating;
    t_creating = nullptr;
    c->handle_ = hwnd;
    Bindings()[hwnd] = c;
  }
  TMessage m{msg, wParam, lParam, 0};
  auto alive = c->AliveToken();
  ++t_depth;
  try {
    if (c->WindowProc) c->WindowProc(m);
    else c->WndProc(m);
  } catch (...) {
    --t_depth;
    if (t_depth == 0) vcl_FreeDeviceContexts();
    if (Application) Application->HandleException(alive.expired() ? nullptr : c);
    return m.Result;
  }
  --t_depth;
  if (t_depth == 0) vcl_FreeDeviceContexts();
  return m.Result;
}

// ---------------------------------------------------------------- construction
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while this is still a windowed control to it.
  if (Parent()) Parent()->RemoveControl(this);
  if (Screen->ActiveControl() == this) Screen->SetActiveControl(nullptr);
  if (handle_) DestroyWindowHandle();
  // Children this control does not own live on without a parent; owned ones
  // are freed by TComponent afterwards.
  while (!controls_.empty() || !winControls_.empty()) {
    TControl* c = !controls_.empty() ? controls_.back() : winControls_.back();
    RemoveControl(c);
  }
}

// ---------------------------------------------------------------- window creation
void TWinControl::CreateParams(TCreateParams& p) {
  p = TCreateParams{};
  p.Caption = TextField();
  p.Style = win::WS_CHILD | win::WS_CLIPSIBLINGS | win::WS_CLIPCHILDREN;
  if (controlStyle_.Contains(csAcceptsControls)) p.ExStyle |= win::WS_EX_CONTROLPARENT;
  if (!Enabled()) p.Style |= win::WS_DISABLED;
  if (tabStop_) p.Style |= win::WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  if (Parent()) p.WndParent = Parent()->Handle();
  else p.WndParent = parentWindow_;
  p.WindowClassStyle = win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS;
  p.WindowClassCursor = win::LoadCursor(nullptr, win::IDC_ARROW);
  p.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & win::WS_CHILD) && !p.WndParent) throw EInvalidOperation(Format(LoadResString(SParentRequired), Name()));
  vcl_detail::EnsureWindowClass(p, &TWinControl::InitWndProc);
  CreateWindowHandle(p);
  if (!handle_) throw EOSError(Format(LoadResString(SWindowCreateFailed), p.WinClassName));
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  TWinControl* saved = t_creating;
  t_creating = this;
  win::HWND h = win::CreateWindowEx(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                                    p.Width, p.Height, p.WndParent, nullptr, nullptr, p.Param);
  t_creating = saved;
  if (h && !handle_) {
    handle_ = h;
    Bindings()[h] = this;
  }
  if (!h && handle_) {
    Bindings().erase(handle_);
    handle_ = nullptr;
  }
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  // Keep the window's z-position in line with the control list.
  if (Parent() && Parent()->HandleAllocated()) Parent()->PlaceWindowInZOrder(this);
  // The client area may differ from the bounds now that the window exists.
  for (TControl* c : controls_) c->UpdateAnchorRules();
  for (TWinControl* c : winControls_) c->UpdateAnchorRules();
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  CreateHandle();
}

win::HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::CreateChildHandles() {
  for (TWinControl* c : winControls_) c->HandleNeeded();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* c : winControls_) c->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() { DestroyWindowHandle(); }

void TWinControl::DestroyWindowHandle() {
  if (!handle_) return;
  controlState_.Include(csDestroyingHandle);
  win::HWND h = handle_;
  vcl_FreeDeviceContexts();
  win::DestroyWindow(h);
  controlState_.Exclude(csDestroyingHandle);
  Bindings().erase(h);
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  const bool wasFocused = Focused();
  controlState_.Include(csRecreating);
  try {
    DestroyHandle();
    UpdateShowing();
    // A control that is not showing gets its window back on demand.
    if (Parent() && Parent()->HandleAllocated() && !handle_) HandleNeeded();
    if (!Parent() && !handle_) HandleNeeded();
  } catch (...) {
    controlState_.Exclude(csRecreating);
    throw;
  }
  controlState_.Exclude(csRecreating);
  if (handle_ && wasFocused) win::SetFocus(handle_);
}

void TWinControl::SetParentWindow(win::HWND v) {
  if (parentWindow_ == v) return;
  if (handle_ && !Parent()) DestroyHandle();
  parentWindow_ = v;
  if (v && !Parent()) UpdateShowing();
}

// ---------------------------------------------------------------- children
TControl* TWinControl::Controls(int32_t index) const {
  if (index < 0 || index >= ControlCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  if (size_t(index) < controls_.size()) return controls_[size_t(index)];
  return winControls_[size_t(index) - controls_.size()];
}

bool TWinControl::ContainsControl(TControl* control) const {
  while (control && control != this) control = control->Parent();
  return control != nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  if (!control || control->parent_ == this) return;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<win::WPARAM>(control), 1);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    winControls_.push_back(w);
    tabList_.push_back(w);
  } else {
    controls_.push_back(control);
  }
  control->parent_ = this;
  if (!control->InState(csReading)) {
    control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    control->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
      w->UpdateControlState();
    } else if (HandleAllocated()) {
      control->Invalidate();
    }
    control->UpdateAnchorRules();
    AlignControl(control);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<win::WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
  if (!control || control->parent_ != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<win::WPARAM>(control), 0);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    w->RemoveFocus(true);
    w->DestroyHandle();
    winControls_.erase(std::remove(winControls_.begin(), winControls_.end(), w), winControls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
  } else {
    if (HandleAllocated()) control->InvalidateControl(control->Visible(), false);
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (CaptureControl == control) CaptureControl = nullptr;
  }
  control->parent_ = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<win::WPARAM>(control), 0);
  if (!InState(csDestroying)) Realign();
}

void TWinControl::MoveControl(TControl* control, int32_t position) {
  auto move = [](auto& list, auto* item, int32_t pos) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return false;
    list.erase(it);
    size_t p = pos < 0 ? 0 : std::min(size_t(pos), list.size());
    list.insert(list.begin() + ptrdiff_t(p), item);
    return true;
  };
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    // Positions count the graphic controls first.
    int32_t pos = position == INT32_MAX ? INT32_MAX : std::max(position - int32_t(controls_.size()), 0);
    if (!move(winControls_, w, pos)) return;
    PlaceWindowInZOrder(w);
  } else {
    if (!move(controls_, control, position)) return;
  }
  Realign();
}

// The list runs from the bottom up: a window goes just below the first
// window above it in the list, or on top.
void TWinControl::PlaceWindowInZOrder(TWinControl* w) {
  if (!w->handle_) return;
  auto it = std::find(winControls_.begin(), winControls_.end(), w);
  win::HWND after = win::HWND_TOP;
  if (it != winControls_.end())
    for (auto j = it + 1; j != winControls_.end(); ++j)
      if ((*j)->handle_) {
        after = (*j)->handle_;
        break;
      }
  win::SetWindowPos(w->handle_, after, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) {
  auto hit = [&](TControl* c) {
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) return false;
    TRect r = c->BoundsRect();
    if (!r.Contains(pos)) return false;
    return c->Perform(CM_HITTEST, 0, win::MAKELPARAM(pos.X - r.Left, pos.Y - r.Top)) != 0;
  };
  if (allowWinControls)
    for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->WindowProc) c->WindowProc(message);
    else c->WndProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(win::UINT msg) {
  TMessage m{msg, 0, 0, 0};
  Broadcast(m);
}

// ---------------------------------------------------------------- showing
bool TWinControl::Showing() { return showing_; }

void TWinControl::UpdateShowing() {
  const bool show = Visible() && !controlState_.Contains(csReadingState);
  if (show) {
    if (!handle_) CreateHandle();
    for (size_t i = 0; i < winControls_.size(); ++i) winControls_[i]->UpdateShowing();
  }
  if (handle_ && showing_ != show) {
    showing_ = show;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      showing_ = !show;
      throw;
    }
    if (!showing_)
      for (size_t i = 0; i < winControls_.size(); ++i) winControls_[i]->UpdateShowing();
  }
}

void TWinControl::UpdateControlState() {
  TWinControl* c = this;
  while (c->Parent()) {
    c = c->Parent();
    if (!c->Showing()) return;
  }
  if (dynamic_cast<TCustomForm*>(c) || c->parentWindow_) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  const win::UINT flags = win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE |
                          (showing_ ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW);
  win::SetWindowPos(handle_, nullptr, 0, 0, 0, 0, flags);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!Visible() && Parent()) RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& m) {
  if (!Enabled() && Parent()) RemoveFocus(false);
  if (handle_) win::EnableWindow(handle_, Enabled());
  TControl::CMEnabledChanged(m);
}

void TWinControl::RemoveFocus(bool removing) {
  if (TCustomForm* f = GetParentForm()) f->DefocusControl(this, removing);
}

// ---------------------------------------------------------------- bounds
void TWinControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (!Loading()) ApplyConstraints(AWidth, AHeight);
  if ((AWidth != Width() || AHeight != Height()) && !CanResize(AWidth, AHeight)) {
    AWidth = Width();
    AHeight = Height();
  }
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  const bool sized = AWidth != Width() || AHeight != Height();
  if (handle_ && !win::IsIconic(handle_)) {
    // WM_MOVE and WM_SIZE read back what the window took (it may refuse part).
    win::SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, win::SWP_NOZORDER | win::SWP_NOACTIVATE);
  } else {
    // A minimised window keeps these bounds for when it is restored.
    UpdateBoundsRect(Bounds(ALeft, ATop, AWidth, AHeight));
    if (sized) {
      Realign();
      if (!Loading()) Resize();
    }
  }
  if (!anchoring_) UpdateAnchorRules();
  RequestAlign();
}

TRect TWinControl::CurrentWindowBounds() {
  win::RECT r;
  win::GetWindowRect(handle_, &r);
  if (win::GetWindowLong(handle_, win::GWL_STYLE) & win::WS_CHILD) {
    win::HWND parent = win::GetParent(handle_);
    win::POINT pts[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
    win::MapWindowPoints(nullptr, parent, pts, 2);
    return {pts[0].X, pts[0].Y, pts[1].X, pts[1].Y};
  }
  return r;
}

void TWinControl::UpdateBounds() {
  if (!handle_ || win::IsIconic(handle_)) return;
  TRect r = CurrentWindowBounds();
  if (r != BoundsRect()) UpdateBoundsRect(r);
}

TRect TWinControl::ClientRect() {
  if (handle_) {
    win::RECT r;
    win::GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() {
  if (handle_) {
    win::POINT p{0, 0};
    win::ClientToScreen(handle_, &p);
    return p;
  }
  return TControl::ClientOrigin();
}

void TWinControl::WMSize(TMessage& m) {
  UpdateBounds();
  DefaultHandler(m);
  Realign();
  if (!Loading()) Resize();
}

void TWinControl::WMMove(TMessage& m) {
  UpdateBounds();
  DefaultHandler(m);
}

void TWinControl::Resize() { TControl::Resize(); }

// ---------------------------------------------------------------- painting
void TWinControl::Invalidate() {
  if (handle_) win::InvalidateRect(handle_, nullptr, !controlStyle_.Contains(csOpaque));
}

void TWinControl::Update() {
  if (handle_) win::UpdateWindow(handle_);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::WMPaint(TMessage& m) {
  if (!doubleBuffered_ || m.WParam != 0) {
    PaintHandler(m);
    return;
  }
  // Paint everything into a bitmap first so the window never shows a half-drawn state.
  TRect cr = ClientRect();
  win::PAINTSTRUCT ps;
  win::HDC dc = win::BeginPaint(handle_, &ps);
  if (!dc) return;
  win::HDC screen = win::GetDC(nullptr);
  win::HBITMAP bmp = win::CreateCompatibleBitmap(screen, std::max(cr.Right, 1), std::max(cr.Bottom, 1));
  win::ReleaseDC(nullptr, screen);
  win::HDC mem = win::CreateCompatibleDC(nullptr);
  win::HGDIOBJ old = win::SelectObject(mem, bmp);
  auto cleanup = [&] {
    win::SelectObject(mem, old);
    win::DeleteDC(mem);
    win::DeleteObject(bmp);
    win::EndPaint(handle_, &ps);
  };
  try {
    // The window's own clip (the update region) applies to the final copy only.
    Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(mem), reinterpret_cast<win::LPARAM>(mem));
    TMessage inner{win::WM_PAINT, reinterpret_cast<win::WPARAM>(mem), 0, 0};
    PaintHandler(inner);
    win::BitBlt(dc, 0, 0, cr.Right, cr.Bottom, mem, 0, 0, win::SRCCOPY);
  } catch (...) {
    cleanup();
    throw;
  }
  cleanup();
}

void TWinControl::PaintHandler(TMessage& m) {
  win::PAINTSTRUCT ps;
  win::HDC dc = reinterpret_cast<win::HDC>(m.WParam);
  const bool own = dc == nullptr;
  if (own) {
    dc = win::BeginPaint(handle_, &ps);
    if (!dc) return;
  }
  try {
    if (controls_.empty()) {
      PaintWindow(dc);
    } else {
      // Opaque graphic children cover their part: the window need not paint it.
      int saved = win::SaveDC(dc);
      int clip = win::SIMPLEREGION;
      for (TControl* c : controls_)
        if (c->Visible() && c->ControlStyle().Contains(csOpaque)) {
          clip = win::ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
          if (clip == win::NULLREGION) break;
        }
      if (clip != win::NULLREGION) PaintWindow(dc);
      win::RestoreDC(dc, saved);
    }
    PaintControls(dc, nullptr);
  } catch (...) {
    if (own) win::EndPaint(handle_, &ps);
    throw;
  }
  if (own) win::EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(win::HDC dc) {
  TMessage m{win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(win::HDC dc, TControl* first) {
  size_t start = 0;
  if (first) {
    auto it = std::find(controls_.begin(), controls_.end(), first);
    start = it == controls_.end() ? 0 : size_t(it - controls_.begin());
  }
  for (size_t i = start; i < controls_.size(); ++i) {
    TControl* c = controls_[i];
    if (!c->Visible()) continue;
    TRect r = c->BoundsRect();
    if (!win::RectVisible(dc, &r)) continue;
    int saved = win::SaveDC(dc);
    win::POINT org;
    win::GetWindowOrgEx(dc, &org);
    win::SetWindowOrgEx(dc, org.X - r.Left, org.Y - r.Top, nullptr);
    win::IntersectClipRect(dc, 0, 0, r.Width(), r.Height());
    try {
      c->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
    } catch (...) {
      win::RestoreDC(dc, saved);
      throw;
    }
    win::RestoreDC(dc, saved);
  }
}

void TWinControl::EraseBackground(win::HDC dc) {
  TColor color = Color();
  if (controlStyle_.Contains(csParentBackground) && Parent()) color = Parent()->Color();
  win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(ColorToRGB(color)));
  TRect r = ClientRect();
  win::FillRect(dc, &r, brush);
  win::DeleteObject(brush);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  EraseBackground(reinterpret_cast<win::HDC>(m.WParam));
  m.Result = 1;
}

void TWinControl::WMPrintClient(TMessage& m) {
  win::HDC dc = reinterpret_cast<win::HDC>(m.WParam);
  if (!dc) return;
  if (m.LParam & win::PRF_ERASEBKGND) Perform(win::WM_ERASEBKGND, m.WParam, 0);
  controlState_.Include(csPrintClient);
  TMessage p{win::WM_PAINT, m.WParam, 0, 0};
  try {
    PaintHandler(p);
  } catch (...) {
    controlState_.Exclude(csPrintClient);
    throw;
  }
  controlState_.Exclude(csPrintClient);
}

void TWinControl::PaintTo(win::HDC dc, int32_t X, int32_t Y) {
  int saved = win::SaveDC(dc);
  win::POINT org;
  win::GetWindowOrgEx(dc, &org);
  win::SetWindowOrgEx(dc, org.X - X, org.Y - Y, nullptr);
  TRect cr = ClientRect();
  win::IntersectClipRect(dc, 0, 0, cr.Width(), cr.Height());
  Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), 0);
  TMessage p{win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0, 0};
  PaintHandler(p);
  for (TWinControl* c : winControls_)
    if (c->Visible()) c->PaintTo(dc, c->Left(), c->Top());
  win::RestoreDC(dc, saved);
}

void TWinControl::ScrollBy(int32_t DeltaX, int32_t DeltaY) {
  if (handle_) win::ScrollWindowEx(handle_, DeltaX, DeltaY, nullptr, nullptr, nullptr, nullptr,
                                   win::SW_SCROLLCHILDREN | win::SW_INVALIDATE | win::SW_ERASE);
  for (TControl* c : controls_) c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  if (!handle_)
    for (TWinControl* c : winControls_) c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  else
    for (TWinControl* c : winControls_) c->UpdateBounds();
  Realign();
}

// ---------------------------------------------------------------- properties
void TWinControl::SetParentBackground(bool v) {
  if (ParentBackground() == v) return;
  if (v) controlStyle_.Include(csParentBackground);
  else controlStyle_.Exclude(csParentBackground);
  Invalidate();
}

void TWinControl::SetCtl3D(bool v) {
  if (ctl3D_ == v) return;
  ctl3D_ = v;
  parentCtl3D_ = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::CMColorChanged(TMessage& m) {
  TControl::CMColorChanged(m);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& m) {
  TControl::CMFontChanged(m);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMParentFontChanged(TMessage& m) { TControl::CMParentFontChanged(m); }

void TWinControl::CMSysColorChange(TMessage& m) {
  TControl::CMSysColorChange(m);
  NotifyControls(CM_SYSCOLORCHANGE);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMTextChanged(TMessage&) {}

void TWinControl::CMInvalidate(TMessage&) { Invalidate(); }

void TWinControl::CMCursorChanged(TMessage&) {
  if (!handle_) return;
  win::POINT p;
  win::GetCursorPos(&p);
  if (win::WindowFromPoint(p) == handle_)
    win::SendMessage(handle_, win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(handle_), win::HTCLIENT);
}

// ---------------------------------------------------------------- text
void TWinControl::WMSetText(TMessage& m) {
  TextMessage(m);
  if (handle_) DefaultHandler(m);
  m.Result = 1;
}
void TWinControl::WMGetText(TMessage& m) { TextMessage(m); }
void TWinControl::WMGetTextLength(TMessage& m) { TextMessage(m); }

// ---------------------------------------------------------------- cursor
void TWinControl::WMSetCursor(TMessage& m) {
  if (reinterpret_cast<win::HWND>(m.WParam) == handle_ && m.LParamLo() == win::HTCLIENT) {
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      win::POINT p;
      win::GetCursorPos(&p);
      TPoint client = ScreenToClient(p);
      TControl* c = ControlAtPos(client, false);
      cursor = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
      // The parent's answer comes first only when it sets a cursor of its own choosing.
      if (c == nullptr && cursor == crDefault) {
        DefaultHandler(m);
        return;
      }
    }
    if (cursor != crDefault && Screen) {
      win::SetCursor(Screen->Cursors(cursor));
      m.Result = 1;
      return;
    }
  }
  DefaultHandler(m);
}

// ---------------------------------------------------------------- reflection
void TWinControl::WMCommand(TMessage& m) {
  if (TWinControl* c = FindControl(reinterpret_cast<win::HWND>(m.LParam)); c && c != this) {
    m.Result = c->Perform(CN_COMMAND, m.WParam, m.LParam);
    return;
  }
  DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMNCDestroy(TMessage& m) {
  DefaultHandler(m);
  if (handle_) Bindings().erase(handle_);
  handle_ = nullptr;
  showing_ = false;
}

// ---------------------------------------------------------------- dispatch
void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_) m.Result = win::DefWindowProc(handle_, m.Msg, m.WParam, m.LParam);
  else TControl::DefaultHandler(m);
}

// Mouse messages over a graphic child (or while one holds the mouse) go to it.
static bool IsControlMouseMsg(TWinControl* self, std::vector<TControl*>& controls, TMessage& m) {
  if (m.Msg == win::WM_MOUSEWHEEL || m.Msg == win::WM_MOUSEHWHEEL) return false;
  TControl* control = nullptr;
  TPoint pos{win::GET_X_LPARAM(m.LParam), win::GET_Y_LPARAM(m.LParam)};
  if (self->HandleAllocated() && win::GetCapture() == self->Handle()) {
    if (CaptureControl && CaptureControl->Parent() == self) control = CaptureControl;
  } else if (!controls.empty()) {
    control = self->ControlAtPos(pos, false);
  }
  if (!control) return false;
  m.Result = control->Perform(m.Msg, m.WParam, win::MAKELPARAM(pos.X - control->Left(), pos.Y - control->Top()));
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case win::WM_SETFOCUS: {
      TCustomForm* form = GetParentForm();
      if (form && form != this && !form->SetFocusedControl(this)) return;
      if (form == this && !form->SetFocusedControl(this)) return;
      break;
    }
    case win::WM_KILLFOCUS:
      if (controlState_.Contains(csFocusing)) return;
      break;
    case win::WM_CANCELMODE:
      if (handle_ && win::GetCapture() == handle_ && CaptureControl && CaptureControl->Parent() == this)
        CaptureControl->Perform(win::WM_CANCELMODE, 0, 0);
      break;
    default:
      if (m.Msg >= win::WM_MOUSEFIRST && m.Msg <= win::WM_MOUSELAST && IsControlMouseMsg(this, controls_, m)) {
        if (m.Result == 0 && handle_) win::DefWindowProc(handle_, m.Msg, m.WParam, m.LParam);
        return;
      }
  }
  TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case win::WM_PAINT: WMPaint(m); return;
    case win::WM_ERASEBKGND: WMEraseBkgnd(m); return;
    case win::WM_SIZE: WMSize(m); return;
    case win::WM_MOVE: WMMove(m); return;
    case win::WM_SETFOCUS: WMSetFocus(m); return;
    case win::WM_KILLFOCUS: WMKillFocus(m); return;
    case win::WM_SETCURSOR: WMSetCursor(m); return;
    case win::WM_KEYDOWN: WMKeyDown(m); return;
    case win::WM_SYSKEYDOWN: WMSysKeyDown(m); return;
    case win::WM_KEYUP: WMKeyUp(m); return;
    case win::WM_SYSKEYUP: WMSysKeyUp(m); return;
    case win::WM_CHAR: WMChar(m); return;
    case win::WM_SYSCHAR: WMSysChar(m); return;
    case win::WM_NCDESTROY: WMNCDestroy(m); return;
    case win::WM_PRINTCLIENT: WMPrintClient(m); return;
    case win::WM_COMMAND: WMCommand(m); return;
    case win::WM_NOTIFY: WMNotify(m); return;
    case win::WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case win::WM_TIMER: WMTimer(m); return;
    case win::WM_CAPTURECHANGED: WMCaptureChanged(m); return;
    case win::WM_SETTEXT: WMSetText(m); return;
    case win::WM_GETTEXT: WMGetText(m); return;
    case win::WM_GETTEXTLENGTH: WMGetTextLength(m); return;
    case CN_KEYDOWN: CNKeyDown(m); return;
    case CN_KEYUP: CNKeyUp(m); return;
    case CN_CHAR: CNChar(m); return;
    case CN_SYSKEYDOWN: CNSysKeyDown(m); return;
    case CN_SYSCHAR: CNSysChar(m); return;
    case CM_DIALOGKEY: CMDialogKey(m); return;
    case CM_DIALOGCHAR: CMDialogChar(m); return;
    case CM_CHILDKEY: CMChildKey(m); return;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(m); return;
    case CM_FOCUSCHANGED: CMFocusChanged(m); return;
    case CM_ENTER: CMEnter(m); return;
    case CM_EXIT: CMExit(m); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_COLORCHANGED: CMColorChanged(m); return;
    case CM_FONTCHANGED: CMFontChanged(m); return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(m); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case CM_RECREATEWND: CMRecreateWnd(m); return;
    case CM_INVALIDATE: CMInvalidate(m); return;
    case CM_CURSORCHANGED: CMCursorChanged(m); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(m); return;
    case CM_BIDIMODECHANGED: NotifyControls(CM_PARENTBIDIMODECHANGED); return;
    case CM_TABSTOPCHANGED: CMTabStopChanged(m); return;
    case CM_CONTROLLISTCHANGE: CMControlListChange(m); return;
    case CM_CONTROLCHANGE: CMControlChange(m); return;
  }
  TControl::Dispatch(m);
}
