// Input: routing the backend's mouse and keyboard events to windows, key
// state, capture, mouse tracking, focus and activation.
#include <algorithm>
#include <cstdlib>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/text.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

constexpr UINT kButtonDown[5] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_XBUTTONDOWN, WM_XBUTTONDOWN};
constexpr UINT kButtonVk[5] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2};

bool IsMouseMessage(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK);
}
bool IsButtonDown(UINT m) {
  switch (m) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: case WM_XBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN: case WM_NCXBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDBLCLK: case WM_NCXBUTTONDBLCLK:
      return true;
    default: return false;
  }
}

UINT GenericVk(UINT vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

void SetKey(BYTE* keys, UINT vk, bool down) {
  vk &= 0xFF;
  if (down) {
    if (!(keys[vk] & 0x80)) keys[vk] ^= 0x01;  // the toggle flips on each new press
    keys[vk] |= 0x80;
  } else {
    keys[vk] &= 0x7F;
  }
}

// Updates a key and, for sided modifiers, the generic key from both sides.
void SetKeyBoth(BYTE* keys, UINT vk, bool down) {
  SetKey(keys, vk, down);
  UINT g = GenericVk(vk);
  if (g == vk) return;
  UINT l = g == VK_SHIFT ? VK_LSHIFT : g == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
  bool any = (keys[l] & 0x80) || (keys[l + 1] & 0x80);
  SetKey(keys, g, any);
}

WPARAM FlagsFrom(const BYTE* keys) {
  WPARAM f = 0;
  if (keys[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
  if (keys[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
  if (keys[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
  if (keys[VK_XBUTTON1] & 0x80) f |= MK_XBUTTON1;
  if (keys[VK_XBUTTON2] & 0x80) f |= MK_XBUTTON2;
  if (keys[VK_SHIFT] & 0x80) f |= MK_SHIFT;
  if (keys[VK_CONTROL] & 0x80) f |= MK_CONTROL;
  return f;
}

// Alt rides along with the MK_ flags of a key event (as seen when it happened).
constexpr WPARAM kAltFlag = 0x10000;

TThreadID g_displayThread = 0;

QueuePtr QueueForWindow(HWND hwnd) {
  if (Window* w = FindRaw(hwnd)) {
    if (QueuePtr q = QueueOf(w->Thread)) return q;
  }
  TThreadID t = g_displayThread ? g_displayThread : TThread::MainThreadID();
  if (QueuePtr q = QueueOf(t)) return q;
  return CurrentQueue();
}

void Enqueue(const QueuePtr& q, RawInput r) {
  {
    std::lock_guard lk(q->M);
    if (r.What == RawInput::MouseMove && !q->Raw.empty() && q->Raw.back().What == RawInput::MouseMove)
      q->Raw.back() = r;  // moves coalesce, as on the platform
    else if (q->Raw.size() < MESSAGE_QUEUE_LIMIT)
      q->Raw.push_back(std::move(r));
  }
  q->Wake();
}

HWND KeyTarget() {
  InputState& in = Input();
  if (FindRaw(in.Focus)) return in.Focus;
  if (FindRaw(in.Active)) return in.Active;
  return nullptr;
}

void PushCooked(const QueuePtr& q, const MSG& m) {
  Window* w = FindRaw(m.hwnd);
  if (w && w->Thread != q->Id) {
    PostToQueue(QueueOf(w->Thread), m);
    return;
  }
  q->Cooked.push_back(m);
}

void LeaveTracking(HWND now, LRESULT hit) {
  InputState& in = Input();
  if (!in.TrackHwnd || !(in.TrackFlags & TME_LEAVE)) return;
  const bool nc = (in.TrackFlags & TME_NONCLIENT) != 0;
  const bool inside = now == in.TrackHwnd && (nc ? hit != HTCLIENT && hit != HTNOWHERE : hit == HTCLIENT);
  if (inside) return;
  HWND h = in.TrackHwnd;
  in.TrackHwnd = nullptr;
  in.TrackFlags = 0;
  in.HoverArmed = false;
  PostMessage(h, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

void CookMouse(const QueuePtr& q, const RawInput& r) {
  InputState& in = Input();
  const POINT pt = r.Pt;
  MSG m;
  m.time = r.Time;
  m.pt = pt;
  if (r.What == RawInput::Wheel) {
    HWND t = KeyTarget();
    if (!t) return;
    m.hwnd = t;
    m.message = r.Horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
    m.wParam = MAKEWPARAM(WORD(r.KeyFlags), WORD(SHORT(r.Delta)));
    m.lParam = MAKELPARAM(pt.X, pt.Y);
    m.lPrivate = DWORD(HTCLIENT);
    PushCooked(q, m);
    return;
  }
  WindowPtr target;
  LRESULT hit = HTCLIENT;
  if (WindowPtr cap = Find(in.Capture)) {
    target = cap;
  } else {
    Window* w = DeepestAt(Desktop(), {0, 0}, pt, true, q->Id);
    if (w) {
      target = Ref(w);
      hit = w->Thread == q->Id ? SendMessage(w->Handle, WM_NCHITTEST, 0, MAKELPARAM(pt.X, pt.Y))
                               : DefaultHitTest(w, {pt.X - ScreenOrigin(w).X, pt.Y - ScreenOrigin(w).Y});
      if (target->Dead) return;
      if (!IsEnabledWindow(TopLevelOf(target.get()))) hit = HTERROR;
    }
  }
  LeaveTracking(target ? target->Handle : nullptr, hit);
  if (!target || hit == HTNOWHERE) {
    in.MouseWindow = nullptr;
    return;
  }
  in.MouseWindow = target->Handle;
  in.MouseHit = hit;
  if (in.HoverArmed && (std::abs(pt.X - in.HoverPt.X) > 2 || std::abs(pt.Y - in.HoverPt.Y) > 2)) {
    in.HoverPt = pt;
    in.HoverStart = Now();
  }
  const bool client = hit == HTCLIENT;
  m.hwnd = target->Handle;
  m.lPrivate = DWORD(hit);
  if (r.What == RawInput::MouseMove) {
    m.message = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
  } else {
    const int b = std::clamp(r.Button, 0, 4);
    UINT msg = kButtonDown[b] + (r.Down ? 0 : 1);
    if (r.Down) {
      const bool dblAllowed = !client || (target->Class && (target->Class->Style & CS_DBLCLKS));
      const int cx = GetSystemMetrics(SM_CXDOUBLECLK), cy = GetSystemMetrics(SM_CYDOUBLECLK);
      const bool dbl = !in.LastWasDouble && in.LastClickHwnd == target->Handle && in.LastClickMsg == msg &&
                       r.Time - in.LastClickTime <= GetDoubleClickTime() &&
                       std::abs(pt.X - in.LastClickPt.X) <= cx / 2 && std::abs(pt.Y - in.LastClickPt.Y) <= cy / 2;
      in.LastClickHwnd = target->Handle;
      in.LastClickMsg = msg;
      in.LastClickTime = r.Time;
      in.LastClickPt = pt;
      in.LastWasDouble = dbl && dblAllowed;
      if (dbl && dblAllowed) msg += 2;
    }
    if (!client) msg = msg - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
    m.message = msg;
  }
  if (client) {
    POINT o = ClientScreenOrigin(target.get());
    WPARAM flags = r.KeyFlags;
    if (r.What == RawInput::MouseButton && r.Button >= 3) flags |= WPARAM(r.Button == 3 ? 1 : 2) << 16;
    m.wParam = flags;
    m.lParam = MAKELPARAM(pt.X - o.X, pt.Y - o.Y);
  } else {
    m.wParam = WPARAM(hit);
    if (r.What == RawInput::MouseButton && r.Button >= 3) m.wParam |= WPARAM(r.Button == 3 ? 1 : 2) << 16;
    m.lParam = MAKELPARAM(pt.X, pt.Y);
  }
  PushCooked(q, m);
}

void CookKey(const QueuePtr& q, const RawInput& r) {
  InputState& in = Input();
  const UINT vk = GenericVk(r.Vk);
  HWND target = KeyTarget();
  const bool alt = (r.KeyFlags & kAltFlag) || (vk == VK_MENU && r.Down);
  const bool ctrl = (r.KeyFlags & MK_CONTROL) != 0;
  bool sys = (alt && !ctrl) || vk == VK_F10 || (vk == VK_MENU && !r.Down && !ctrl);
  if (!FindRaw(in.Focus) && target) sys = true;
  MSG m;
  m.hwnd = target;
  m.message = r.Down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  m.wParam = vk;
  LPARAM l = 1 | LPARAM((r.Scan & 0xFF) << 16);
  if (r.Extended) l |= LPARAM(1) << 24;
  if (sys && alt) l |= LPARAM(1) << 29;
  if (r.WasDown || !r.Down) l |= LPARAM(1) << 30;
  if (!r.Down) l |= LPARAM(1u) << 31;
  m.lParam = LPARAM(int32_t(uint32_t(l)));
  m.time = r.Time;
  m.pt = in.Cursor;
  m.lPrivate = DWORD(r.Ch);
  PushCooked(q, m);
}

UINT SidedVk(const MSG& m) {
  const UINT scan = (UINT(m.lParam) >> 16) & 0xFF;
  const bool ext = (UINT(m.lParam) >> 24) & 1;
  switch (m.wParam) {
    case VK_SHIFT: return scan == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL: return ext ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU: return ext ? VK_RMENU : VK_LMENU;
    default: return UINT(m.wParam);
  }
}

void SendActivateApp(bool active, HWND except) {
  std::vector<HWND> tops;
  for (Window* t : Desktop()->Children)
    if (!t->MessageOnly && t->Handle != except) tops.push_back(t->Handle);
  for (HWND h : tops) SendMessage(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

}  // namespace

bool IsDisplayThreadId(TThreadID id) { return g_displayThread != 0 && id == g_displayThread; }
bool IsDisplayThread() { return IsDisplayThreadId(TThread::CurrentThreadID()); }
void SetDisplayThread(TThreadID id) { g_displayThread = id; }

DWORD KeyFlagsNow() { return DWORD(FlagsFrom(Input().AsyncKeys)); }

bool CookRawInput(const QueuePtr& q, const std::function<bool(const MSG&)>& wanted) {
  bool cooked = false;
  for (;; cooked = true) {
    // One event at a time, and only until something the caller can take is
    // there: the messages it handles first (a press that starts a drag loop
    // and takes the capture) decide where the later events go.
    if (wanted && std::any_of(q->Cooked.begin(), q->Cooked.end(), wanted)) return cooked;
    RawInput r;
    {
      std::lock_guard lk(q->M);
      if (q->Raw.empty()) return cooked;
      r = std::move(q->Raw.front());
      q->Raw.pop_front();
    }
    switch (r.What) {
      case RawInput::MouseMove:
      case RawInput::MouseButton:
      case RawInput::Wheel: CookMouse(q, r); break;
      case RawInput::Key: CookKey(q, r); break;
      case RawInput::Text: {
        HWND t = KeyTarget();
        for (char16_t u : Utf8ToUtf16(r.Chars)) {
          MSG m;
          m.hwnd = t;
          m.message = WM_CHAR;
          m.wParam = u;
          m.lParam = 1;
          m.time = r.Time;
          m.pt = Input().Cursor;
          PushCooked(q, m);
        }
        break;
      }
      case RawInput::WindowMoved:
      case RawInput::WindowResized: {
        WindowPtr w = Find(r.Hwnd);
        if (!w || !w->IsTopLevel()) break;
        NativeWindowState st;
        if (!GetNativeWindowState(r.Hwnd, st)) break;
        const bool decorated = st.Decorated;
        RECT nc{w->Client.Left, w->Client.Top, w->Rect.Width() - w->Client.Right,
                w->Rect.Height() - w->Client.Bottom};
        if (r.What == RawInput::WindowMoved) {
          POINT o = r.Pt;
          if (decorated) o = {o.X - nc.Left, o.Y - nc.Top};
          w->NativeApplied.Bounds.Offset(r.Pt.X - w->NativeApplied.Bounds.Left, r.Pt.Y - w->NativeApplied.Bounds.Top);
          if (o == w->Rect.TopLeft()) break;
          SetWindowPos(r.Hwnd, nullptr, o.X, o.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
          SIZE s = r.Size;
          if (decorated) s = {s.cx + nc.Left + nc.Right, s.cy + nc.Top + nc.Bottom};
          w->NativeApplied.Bounds.Right = w->NativeApplied.Bounds.Left + r.Size.cx;
          w->NativeApplied.Bounds.Bottom = w->NativeApplied.Bounds.Top + r.Size.cy;
          if (s.cx == w->Rect.Width() && s.cy == w->Rect.Height()) break;
          SetWindowPos(r.Hwnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
      }
      case RawInput::Close:
        if (FindRaw(r.Hwnd)) PostMessage(r.Hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
      case RawInput::Focus: {
        InputState& in = Input();
        if (r.Down) {
          Window* w = FindRaw(r.Hwnd);
          if (w && !(w->ExStyle & WS_EX_NOACTIVATE) && IsEnabledWindow(w)) {
            if (!in.AppActive || in.Active != r.Hwnd) SetActiveInternal(r.Hwnd, false, true);
          }
        } else if (in.AppActive) {
          SetActiveInternal(nullptr, false, true);
        }
        break;
      }
      case RawInput::Screen: {
        SetScreenSize(r.Size.cx, r.Size.cy);
        SetBackendWorkArea(r.Work);
        // A single monitor is the screen; a list of several stays until the backend replaces it.
        if (MonitorsNow().size() <= 1) SetMonitorsNow(std::nullopt);
        std::vector<HWND> tops;
        for (Window* t : Desktop()->Children) tops.push_back(t->Handle);
        for (HWND h : tops) SendMessage(h, WM_DISPLAYCHANGE, 32, MAKELPARAM(r.Size.cx, r.Size.cy));
        break;
      }
    }
  }
}

bool PrepareInputMessage(MSG& m, bool remove) {
  InputState& in = Input();
  if (IsMouseMessage(m.message)) {
    const LRESULT hit = LRESULT(int32_t(m.lPrivate));
    m.lPrivate = 0;
    if (HasHooks(WH_MOUSE)) {
      MOUSEHOOKSTRUCT mh{m.pt, m.hwnd, UINT(hit), 0};
      LRESULT r = CallHooks(WH_MOUSE, remove ? HC_ACTION : HC_NOREMOVE, m.message, reinterpret_cast<LPARAM>(&mh));
      if (r && remove) return false;
    }
    if (!remove) return true;
    for (int b = 0; b < 5; ++b) {
      const UINT base = kButtonDown[b];
      UINT rel = m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCXBUTTONDBLCLK
                     ? m.message - WM_NCLBUTTONDOWN + WM_LBUTTONDOWN
                     : m.message;
      if (b >= 3) {
        const int which = int(HIWORD(m.wParam));
        if ((b == 3 && which != 1) || (b == 4 && which != 2)) continue;
      }
      if (rel == base || rel == base + 2) SetKey(in.Keys, kButtonVk[b], true);
      if (rel == base + 1) SetKey(in.Keys, kButtonVk[b], false);
    }
    WindowPtr w = Find(m.hwnd);
    if (!w) return false;
    if (m.message == WM_MOUSEWHEEL || m.message == WM_MOUSEHWHEEL) return true;
    if (hit == HTERROR) {
      if (IsButtonDown(m.message)) SendMessage(m.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd),
                                               MAKELPARAM(int(HTERROR), int(m.message)));
      return false;
    }
    if (!in.Capture) {
      if (IsButtonDown(m.message)) {
        Window* top = TopLevelOf(w.get());
        if (top && top->Handle != in.Active) {
          LRESULT ma = SendMessage(m.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->Handle),
                                   MAKELPARAM(int(hit), int(m.message)));
          if (w->Dead) return false;
          if ((ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0) && !(top->ExStyle & WS_EX_NOACTIVATE) &&
              !top->Dead && IsEnabledWindow(top))
            SetActiveInternal(top->Handle, true, false);
          if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) return false;
          if (w->Dead) return false;
        }
      }
      SendMessage(m.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd), MAKELPARAM(int(hit), int(m.message)));
      if (w->Dead) return false;
    }
    return true;
  }
  if (m.message >= WM_KEYDOWN && m.message <= WM_SYSKEYUP && m.message != WM_CHAR && m.message != WM_SYSCHAR &&
      m.message != WM_DEADCHAR) {
    if (HasHooks(WH_KEYBOARD)) {
      LRESULT r = CallHooks(WH_KEYBOARD, remove ? HC_ACTION : HC_NOREMOVE, m.wParam, m.lParam);
      if (r && remove) {
        const bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
        SetKeyBoth(in.Keys, SidedVk(m), down);
        return false;
      }
    }
    if (!remove) return true;
    const bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
    SetKeyBoth(in.Keys, SidedVk(m), down);
    return true;
  }
  return true;
}

void OnWindowGone(Window* w, bool notify) {
  InputState& in = Input();
  auto inside = [&](HWND h) {
    Window* x = FindRaw(h);
    return x && (x == w || IsDescendant(w, x));
  };
  if (inside(in.Capture)) {
    HWND c = in.Capture;
    in.Capture = nullptr;
    if (notify) SendMessage(c, WM_CAPTURECHANGED, 0, 0);
  }
  if (inside(in.Focus)) {
    if (notify && w->IsChildWindow() && !w->Parent->Destroying)
      SetFocus(w->Parent->Handle);
    else
      in.Focus = nullptr;
  }
  if (in.Active == w->Handle) {
    if (notify)
      ActivateOther(w->Handle);
    if (in.Active == w->Handle) in.Active = nullptr;
  }
  if (inside(in.TrackHwnd)) {
    in.TrackHwnd = nullptr;
    in.TrackFlags = 0;
    in.HoverArmed = false;
  }
  if (inside(in.MouseWindow)) in.MouseWindow = nullptr;
  if (inside(in.LastClickHwnd)) in.LastClickHwnd = nullptr;
}

void SetActiveInternal(HWND hwnd, bool mouse, bool fromBackend) {
  InputState& in = Input();
  Window* w = FindRaw(hwnd);
  if (w) w = TopLevelOf(w);
  const HWND newA = w ? w->Handle : nullptr;
  const HWND old = FindRaw(in.Active) ? in.Active : nullptr;
  if (newA == old && in.AppActive == (newA != nullptr)) return;
  if (newA) {
    CBTACTIVATESTRUCT cs{mouse ? TRUE : FALSE, old};
    if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(newA), reinterpret_cast<LPARAM>(&cs)) != 0) return;
  }
  if (old && old != newA) {
    SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(newA));
  }
  if (newA && !FindRaw(newA)) return;
  in.Active = newA;
  const bool appWas = in.AppActive;
  in.AppActive = newA != nullptr;
  if (appWas != in.AppActive) SendActivateApp(in.AppActive, nullptr);
  if (!newA) {
    if (HWND f = in.Focus; FindRaw(f)) {
      in.Focus = nullptr;
      SendMessage(f, WM_KILLFOCUS, 0, 0);
    }
    return;
  }
  if (in.Active != newA) return;
  if (Window* a = FindRaw(newA); a && a->Parent && !a->Parent->Children.empty() && a->Parent->Children.front() != a)
    SetWindowPos(newA, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (in.Active != newA) return;
  SendMessage(newA, WM_NCACTIVATE, TRUE, 0);
  SendMessage(newA, WM_ACTIVATE, MAKEWPARAM(mouse ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(newA) ? 1 : 0),
              reinterpret_cast<LPARAM>(old));
  if (!fromBackend) {
    if (Window* a = FindRaw(newA)) NativeStateChanged(a);
    ActivateNative(newA);
  }
}

void ActivateOther(HWND leaving) {
  Window* l = FindRaw(leaving);
  Window* next = nullptr;
  auto usable = [&](Window* c) {
    return c && c != l && !c->MessageOnly && !c->Dead && !c->Destroying && (c->Style & WS_VISIBLE) &&
           !(c->Style & WS_MINIMIZE) && IsEnabledWindow(c) && !(c->ExStyle & WS_EX_NOACTIVATE);
  };
  if (l && usable(l->Owner)) next = l->Owner;
  if (!next)
    for (Window* c : Desktop()->Children)
      if (usable(c) && (!l || c->Thread == l->Thread)) {
        next = c;
        break;
      }
  SetActiveInternal(next ? next->Handle : nullptr, false, false);
}

}  // namespace detail

using namespace detail;

// ---------------------------------------------------------------- backend input
namespace {
RawInput MakeRaw(RawInput::Kind k) {
  RawInput r;
  r.What = k;
  r.Time = Now();
  return r;
}
}  // namespace

void InputMouseMove(POINT screen) {
  Lock lock;
  InputState& in = Input();
  in.Cursor = screen;
  RawInput r = MakeRaw(RawInput::MouseMove);
  r.Pt = screen;
  r.KeyFlags = FlagsFrom(in.AsyncKeys);
  HWND target = in.Capture;
  if (!FindRaw(target))
    if (Window* w = DeepestAt(Desktop(), {0, 0}, screen, false, 0)) target = w->Handle;
  Enqueue(QueueForWindow(target), r);
}

void InputMouseButton(int button, bool down, POINT screen) {
  Lock lock;
  InputState& in = Input();
  button = std::clamp(button, 0, 4);
  if (in.SwapButtons && button < 2) button ^= 1;
  in.Cursor = screen;
  SetKey(in.AsyncKeys, kButtonVk[button], down);
  RawInput r = MakeRaw(RawInput::MouseButton);
  r.Pt = screen;
  r.Button = button;
  r.Down = down;
  r.KeyFlags = FlagsFrom(in.AsyncKeys);
  HWND target = in.Capture;
  if (!FindRaw(target))
    if (Window* w = DeepestAt(Desktop(), {0, 0}, screen, false, 0)) target = w->Handle;
  Enqueue(QueueForWindow(target), r);
}

void InputMouseWheel(int delta, POINT screen, bool horizontal) {
  Lock lock;
  InputState& in = Input();
  in.Cursor = screen;
  RawInput r = MakeRaw(RawInput::Wheel);
  r.Pt = screen;
  r.Delta = delta;
  r.Horizontal = horizontal;
  r.KeyFlags = FlagsFrom(in.AsyncKeys);
  Enqueue(QueueForWindow(KeyTarget()), r);
}

void InputKey(UINT vk, UINT scanCode, bool extended, bool down, char32_t ch) {
  Lock lock;
  InputState& in = Input();
  RawInput r = MakeRaw(RawInput::Key);
  r.Vk = vk;
  r.Scan = scanCode;
  r.Extended = extended;
  r.Down = down;
  r.Ch = ch;
  r.WasDown = (in.AsyncKeys[vk & 0xFF] & 0x80) != 0;
  SetKeyBoth(in.AsyncKeys, vk, down);
  r.KeyFlags = FlagsFrom(in.AsyncKeys) | ((in.AsyncKeys[VK_MENU] & 0x80) ? kAltFlag : 0);
  Enqueue(QueueForWindow(KeyTarget()), r);
}

void InputText(const std::string& utf8) {
  if (utf8.empty()) return;
  Lock lock;
  RawInput r = MakeRaw(RawInput::Text);
  r.Chars = utf8;
  Enqueue(QueueForWindow(KeyTarget()), r);
}

void InputWindowMoved(HWND hwnd, POINT nativeOrigin) {
  Lock lock;
  if (!FindRaw(hwnd)) return;
  RawInput r = MakeRaw(RawInput::WindowMoved);
  r.Hwnd = hwnd;
  r.Pt = nativeOrigin;
  Enqueue(QueueForWindow(hwnd), r);
}

void InputWindowResized(HWND hwnd, SIZE nativeSize) {
  Lock lock;
  if (!FindRaw(hwnd)) return;
  RawInput r = MakeRaw(RawInput::WindowResized);
  r.Hwnd = hwnd;
  r.Size = nativeSize;
  Enqueue(QueueForWindow(hwnd), r);
}

void InputCloseRequest(HWND hwnd) {
  Lock lock;
  if (!FindRaw(hwnd)) return;
  RawInput r = MakeRaw(RawInput::Close);
  r.Hwnd = hwnd;
  Enqueue(QueueForWindow(hwnd), r);
}

void InputFocusChanged(HWND hwnd, bool focused) {
  Lock lock;
  RawInput r = MakeRaw(RawInput::Focus);
  r.Hwnd = hwnd;
  r.Down = focused;
  Enqueue(QueueForWindow(hwnd ? hwnd : Input().Active), r);
}

void InputScreenChanged(SIZE screen, RECT workArea) {
  Lock lock;
  RawInput r = MakeRaw(RawInput::Screen);
  r.Size = screen;
  r.Work = workArea;
  Enqueue(QueueForWindow(nullptr), r);
}

// ---------------------------------------------------------------- key state
SHORT GetKeyState(int vk) {
  Lock lock;
  BYTE k = Input().Keys[vk & 0xFF];
  return SHORT(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  Lock lock;
  // The mouse buttons answer for the physical buttons, as on the platform:
  // with swapped buttons the left one is what the messages call right.
  if (Input().SwapButtons && (vk == VK_LBUTTON || vk == VK_RBUTTON)) vk ^= VK_LBUTTON | VK_RBUTTON;
  BYTE k = Input().AsyncKeys[vk & 0xFF];
  return SHORT((k & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* keys256) {
  if (!keys256) return FALSE;
  Lock lock;
  std::copy(Input().Keys, Input().Keys + 256, keys256);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* keys256) {
  if (!keys256) return FALSE;
  Lock lock;
  std::copy(keys256, keys256 + 256, Input().Keys);
  return TRUE;
}

// ---------------------------------------------------------------- capture and tracking
HWND SetCapture(HWND hwnd) {
  Lock lock;
  InputState& in = Input();
  Window* w = FindRaw(hwnd);
  HWND old = FindRaw(in.Capture) ? in.Capture : nullptr;
  if (!w || w->Thread != TThread::CurrentThreadID()) return old;
  in.Capture = hwnd;
  if (old && old != hwnd) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  Lock lock;
  InputState& in = Input();
  HWND old = in.Capture;
  in.Capture = nullptr;
  if (FindRaw(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  Lock lock;
  return FindRaw(Input().Capture) ? Input().Capture : nullptr;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
  if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT)) return FALSE;
  Lock lock;
  InputState& in = Input();
  if (tme->dwFlags & TME_QUERY) {
    tme->dwFlags = in.TrackHwnd ? (in.TrackFlags | (in.HoverArmed ? TME_HOVER : 0)) : 0;
    tme->hwndTrack = in.TrackHwnd;
    tme->dwHoverTime = in.HoverTime;
    return TRUE;
  }
  if (!FindRaw(tme->hwndTrack)) return FALSE;
  if (tme->dwFlags & TME_CANCEL) {
    if (in.TrackHwnd == tme->hwndTrack) {
      if (tme->dwFlags & TME_LEAVE) in.TrackFlags &= ~TME_LEAVE;
      if (tme->dwFlags & TME_HOVER) in.HoverArmed = false;
      if (!(in.TrackFlags & TME_LEAVE) && !in.HoverArmed) in.TrackHwnd = nullptr;
    }
    return TRUE;
  }
  const bool nc = (tme->dwFlags & TME_NONCLIENT) != 0;
  const bool inside = in.MouseWindow == tme->hwndTrack &&
                      (nc ? in.MouseHit != HTCLIENT : in.MouseHit == HTCLIENT);
  if (!inside) {
    // The mouse is elsewhere already: the leave comes at once, as on the platform.
    if (tme->dwFlags & TME_LEAVE) PostMessage(tme->hwndTrack, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  in.TrackHwnd = tme->hwndTrack;
  in.TrackFlags = tme->dwFlags & (TME_LEAVE | TME_NONCLIENT);
  if (tme->dwFlags & TME_HOVER) {
    in.HoverTime = tme->dwHoverTime == HOVER_DEFAULT ? 400 : std::max<DWORD>(tme->dwHoverTime, 1);
    in.HoverArmed = true;
    in.HoverStart = Now();
    in.HoverPt = in.Cursor;
    HWND h = tme->hwndTrack;
    auto id = std::make_shared<UINT_PTR>(0);
    *id = SetInternalTimer(h, std::min<DWORD>(in.HoverTime, 50), [h, id, nc] {
      InputState& s = Input();
      if (!s.HoverArmed || s.TrackHwnd != h) {
        KillInternalTimer(*id);
        return;
      }
      if (Now() - s.HoverStart < s.HoverTime) return;
      s.HoverArmed = false;
      KillInternalTimer(*id);
      POINT p = s.Cursor;
      if (nc) {
        PostMessage(h, WM_NCMOUSEHOVER, WPARAM(s.MouseHit), MAKELPARAM(p.X, p.Y));
      } else {
        ScreenToClient(h, &p);
        PostMessage(h, WM_MOUSEHOVER, FlagsFrom(s.Keys), MAKELPARAM(p.X, p.Y));
      }
    });
  }
  return TRUE;
}

BOOL GetCursorPos(POINT* pt) {
  if (!pt) return FALSE;
  if (const DisplayBackend* b = GetDisplayBackend(); b && !b->InputDesktopActive()) return FALSE;
  Lock lock;
  *pt = Input().Cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  InputMouseMove({x, y});
  if (IsDisplayThread())
    if (DisplayBackend* b = GetDisplayBackend()) b->WarpCursor({x, y});
  return TRUE;
}

BOOL SwapMouseButton(BOOL swap) {
  Lock lock;
  BOOL old = Input().SwapButtons ? TRUE : FALSE;
  Input().SwapButtons = swap != FALSE;
  SetSwapButtonMetric(swap != FALSE);
  return old;
}

BOOL DragDetect(HWND hwnd, POINT pt) {
  if (!IsWindow(hwnd)) return FALSE;
  const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  RECT r{pt.X - cx, pt.Y - cy, pt.X + cx + 1, pt.Y + cy + 1};
  SetCapture(hwnd);
  BOOL result = FALSE;
  MSG m;
  while (GetCapture() == hwnd) {
    if (!GetModalMessage(&m)) break;
    if (m.message == WM_MOUSEMOVE && m.hwnd == hwnd) {
      POINT p = MAKEPOINT(m.lParam);
      ClientToScreen(hwnd, &p);
      if (!r.Contains(p)) {
        result = TRUE;
        break;
      }
      continue;
    }
    if (m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP || m.message == WM_MBUTTONUP) break;
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) break;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  return result;
}

// ---------------------------------------------------------------- focus and activation
HWND SetFocus(HWND hwnd) {
  Lock lock;
  InputState& in = Input();
  HWND old = FindRaw(in.Focus) ? in.Focus : nullptr;
  if (!hwnd) {
    if (!old) return nullptr;
    if (CallHooks(WH_CBT, HCBT_SETFOCUS, 0, reinterpret_cast<LPARAM>(old)) != 0) return nullptr;
    in.Focus = nullptr;
    SendMessage(old, WM_KILLFOCUS, 0, 0);
    return old;
  }
  Window* w = FindRaw(hwnd);
  if (!w || w->IsDesktop || w->Thread != TThread::CurrentThreadID()) return nullptr;
  if (hwnd == old) return old;
  if (CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(old)) != 0)
    return nullptr;
  w = FindRaw(hwnd);
  if (!w) return nullptr;
  Window* top = TopLevelOf(w);
  if (top->Handle != in.Active || !in.AppActive) {
    SetActiveInternal(top->Handle, false, false);
    if (in.Active != top->Handle || !FindRaw(hwnd)) return nullptr;
  }
  old = FindRaw(in.Focus) ? in.Focus : nullptr;
  if (old == hwnd) return old;
  in.Focus = hwnd;
  if (old) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (in.Focus != hwnd || !FindRaw(hwnd)) return old;
  SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() {
  Lock lock;
  return FindRaw(Input().Focus) ? Input().Focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd) {
  Lock lock;
  InputState& in = Input();
  HWND old = FindRaw(in.Active) ? in.Active : nullptr;
  if (hwnd) {
    Window* w = FindRaw(hwnd);
    if (!w || !w->IsTopLevel() || w->Thread != TThread::CurrentThreadID()) return nullptr;
  }
  SetActiveInternal(hwnd, false, false);
  return old;
}

HWND GetActiveWindow() {
  Lock lock;
  return FindRaw(Input().Active) ? Input().Active : nullptr;
}

HWND GetForegroundWindow() {
  Lock lock;
  return Input().AppActive && FindRaw(Input().Active) ? Input().Active : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w) return FALSE;
  w = TopLevelOf(w);
  if (w->Thread != TThread::CurrentThreadID()) return FALSE;
  SetActiveInternal(w->Handle, false, false);
  return Input().Active == w->Handle ? TRUE : FALSE;
}

}  // namespace win
