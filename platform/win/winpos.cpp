// Geometry: window and client rectangles, coordinate mapping, hit testing,
// visible regions, SetWindowPos and ShowWindow, window regions and layered
// windows.
#include <algorithm>

#include "platform/gdi/syscolors.h"
#include "platform/win/internal.h"

namespace win {
namespace detail {

Window* TopLevelOf(Window* w) {
  while (w && w->IsChildWindow()) w = w->Parent;
  return w;
}

POINT ScreenOrigin(const Window* w) {
  POINT p{w->Rect.Left, w->Rect.Top};
  for (const Window* c = w; c->IsChildWindow(); c = c->Parent) {
    const Window* par = c->Parent;
    p.X += par->Rect.Left + par->Client.Left;
    p.Y += par->Rect.Top + par->Client.Top;
  }
  return p;
}

POINT ClientScreenOrigin(const Window* w) {
  POINT p = ScreenOrigin(w);
  return {p.X + w->Client.Left, p.Y + w->Client.Top};
}

POINT OriginInTop(const Window* w) {
  POINT p{0, 0};
  for (const Window* c = w; c->IsChildWindow(); c = c->Parent) {
    p.X += c->Rect.Left + c->Parent->Client.Left;
    p.Y += c->Rect.Top + c->Parent->Client.Top;
  }
  return p;
}

bool IsVisibleChain(const Window* w) {
  for (const Window* c = w; c && !c->IsDesktop; c = c->Parent) {
    if (!(c->Style & WS_VISIBLE)) return false;
    if (!c->IsChildWindow()) break;
  }
  return true;
}

bool IsEnabledWindow(const Window* w) { return !(w->Style & WS_DISABLED); }

bool IsDescendant(const Window* ancestor, const Window* w) {
  for (const Window* c = w; c && c->IsChildWindow(); c = c->Parent)
    if (c->Parent == ancestor) return true;
  return false;
}

RECT ClientRectLocal(const Window* w) { return {0, 0, w->Client.Width(), w->Client.Height()}; }

RECT WindowRectScreen(const Window* w) {
  POINT o = ScreenOrigin(w);
  return {o.X, o.Y, o.X + w->Rect.Width(), o.Y + w->Rect.Height()};
}

namespace {
Region WindowShape(const Window* w) {
  Region r(RECT{0, 0, w->Rect.Width(), w->Rect.Height()});
  if (w->WindowRgn) r = Region::Combine(r, *w->WindowRgn, Region::Op::And);
  return r;
}
}  // namespace

Region VisibleRegion(Window* w, bool client, bool clipChildren, bool clipSiblings) {
  if (!IsVisibleChain(w)) return {};
  Region r = client ? Region(w->Client) : Region(RECT{0, 0, w->Rect.Width(), w->Rect.Height()});
  if (w->WindowRgn) r = Region::Combine(r, *w->WindowRgn, Region::Op::And);
  POINT off{0, 0};  // from w's window coordinates to the current ancestor's
  for (Window* c = w; c->IsChildWindow(); c = c->Parent) {
    Window* p = c->Parent;
    off.X += p->Client.Left + c->Rect.Left;
    off.Y += p->Client.Top + c->Rect.Top;
    Region pc(p->Client);
    if (p->WindowRgn) pc = Region::Combine(pc, *p->WindowRgn, Region::Op::And);
    pc.Offset(-off.X, -off.Y);
    r = Region::Combine(r, pc, Region::Op::And);
    if (clipSiblings && (c->Style & WS_CLIPSIBLINGS)) {
      for (Window* s : p->Children) {
        if (s == c) break;
        if (!(s->Style & WS_VISIBLE)) continue;
        Region sr = WindowShape(s);
        sr.Offset(p->Client.Left + s->Rect.Left - off.X, p->Client.Top + s->Rect.Top - off.Y);
        r = Region::Combine(r, sr, Region::Op::Diff);
      }
    }
    if (r.IsEmpty()) return r;
  }
  if (clipChildren) {
    for (Window* ch : w->Children) {
      if (!(ch->Style & WS_VISIBLE)) continue;
      Region cr = WindowShape(ch);
      cr.Offset(w->Client.Left + ch->Rect.Left, w->Client.Top + ch->Rect.Top);
      r = Region::Combine(r, cr, Region::Op::Diff);
    }
  }
  if (client) r.Offset(-w->Client.Left, -w->Client.Top);
  return r;
}

RECT FrameMetrics(DWORD style, DWORD exStyle) {
  int b = 0;
  if (style & WS_THICKFRAME)
    b = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_CAPTION) == WS_DLGFRAME || (style & WS_CAPTION) == WS_CAPTION || (exStyle & WS_EX_DLGMODALFRAME))
    b = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    b = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += GetSystemMetrics(SM_CXBORDER);
  RECT m{b, b, b, b};
  if ((style & WS_CAPTION) == WS_CAPTION)
    m.Top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (style & WS_VSCROLL) m.Right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) m.Bottom += GetSystemMetrics(SM_CYHSCROLL);
  return m;
}

// Caption buttons from the right: close, maximize, minimize (each SM_CXSIZE wide).
LRESULT CaptionButtonAt(const Window* w, const RECT& caption, POINT pt) {
  if (!(w->Style & WS_SYSMENU)) return HTCAPTION;
  const bool tool = (w->ExStyle & WS_EX_TOOLWINDOW) != 0;
  const int bw = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) / (tool ? 1 : 2);
  int right = caption.Right;
  if (pt.X >= right - bw) return HTCLOSE;
  right -= bw + 2;
  if (!tool && (w->Style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
    if (pt.X >= right - bw && pt.X < right) return HTMAXBUTTON;
    right -= bw;
    if (pt.X >= right - bw && pt.X < right) return HTMINBUTTON;
  }
  return HTCAPTION;
}

LRESULT DefaultHitTest(Window* w, POINT pt) {
  const RECT all{0, 0, w->Rect.Width(), w->Rect.Height()};
  if (!all.Contains(pt)) return HTNOWHERE;
  if (w->WindowRgn && !w->WindowRgn->Contains(pt.X, pt.Y)) return HTNOWHERE;
  if (w->Client.Contains(pt)) return HTCLIENT;
  if (w->Style & WS_MINIMIZE) return HTCAPTION;
  RECT inner = all;
  int b = 0;
  if (w->Style & WS_THICKFRAME) {
    b = GetSystemMetrics(SM_CXFRAME);
    const int corner = GetSystemMetrics(SM_CYCAPTION);
    const bool left = pt.X < b, right = pt.X >= all.Right - b, top = pt.Y < b, bottom = pt.Y >= all.Bottom - b;
    if (left || right || top || bottom) {
      const bool nearTop = pt.Y < corner, nearBottom = pt.Y >= all.Bottom - corner;
      const bool nearLeft = pt.X < corner, nearRight = pt.X >= all.Right - corner;
      if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
      if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
      if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
      if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
      if (left) return HTLEFT;
      if (right) return HTRIGHT;
      if (top) return HTTOP;
      return HTBOTTOM;
    }
  } else if ((w->Style & WS_CAPTION) == WS_DLGFRAME || (w->Style & WS_CAPTION) == WS_CAPTION ||
             (w->ExStyle & WS_EX_DLGMODALFRAME)) {
    b = GetSystemMetrics(SM_CXDLGFRAME);
  } else if (w->Style & WS_BORDER) {
    b = GetSystemMetrics(SM_CXBORDER);
  }
  inner.Inflate(-b, -b);
  if ((w->Style & WS_CAPTION) == WS_CAPTION) {
    const int ch = GetSystemMetrics((w->ExStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    RECT cap{inner.Left, inner.Top, inner.Right, inner.Top + ch};
    if (cap.Contains(pt)) return CaptionButtonAt(w, cap, pt);
  }
  if ((w->Style & WS_VSCROLL) && pt.X >= w->Client.Right && pt.Y >= w->Client.Top && pt.Y < w->Client.Bottom)
    return HTVSCROLL;
  if ((w->Style & WS_HSCROLL) && pt.Y >= w->Client.Bottom && pt.X >= w->Client.Left && pt.X < w->Client.Right)
    return HTHSCROLL;
  if ((w->Style & WS_VSCROLL) && (w->Style & WS_HSCROLL) && pt.X >= w->Client.Right && pt.Y >= w->Client.Bottom)
    return HTSIZE;
  return HTBORDER;
}

namespace {

// The rectangle a maximized window takes: the work area with the frame
// outside it, or the whole screen for a window without caption.
RECT MaximizedRect(Window* w) {
  SIZE s = ScreenSizeNow();
  if ((w->Style & WS_CAPTION) != WS_CAPTION) return {0, 0, s.cx, s.cy};
  RECT work = WorkAreaNow();
  RECT fm = FrameMetrics(w->Style, w->ExStyle);
  int b = fm.Left - ((w->ExStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0);
  return {work.Left - b, work.Top - b, work.Right + b, work.Bottom + b};
}

void PlaceOwnedAbove(Window* w) {
  if (!w->IsTopLevel()) return;
  Window* desk = w->Parent;
  std::vector<Window*> owned;
  for (Window* d : desk->Children)
    if (d->Owner == w) owned.push_back(d);
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    Window* o = *it;
    if ((o->ExStyle & WS_EX_TOPMOST) != (w->ExStyle & WS_EX_TOPMOST)) continue;
    auto& v = desk->Children;
    std::erase(v, o);
    auto pos = std::find(v.begin(), v.end(), w);
    v.insert(pos, o);
  }
}

void ApplyZOrder(Window* w, HWND after) {
  Window* p = w->Parent;
  if (!p) return;
  if (w->IsTopLevel()) {
    if (after == HWND_TOPMOST) {
      w->ExStyle |= WS_EX_TOPMOST;
      after = HWND_TOP;
    } else if (after == HWND_NOTOPMOST) {
      w->ExStyle &= ~WS_EX_TOPMOST;
      after = HWND_TOP;
    } else if (Window* a = FindRaw(after); a && a->Parent == p) {
      // Placed after a window of the other band: it joins that band.
      if ((a->ExStyle & WS_EX_TOPMOST) && !(w->ExStyle & WS_EX_TOPMOST)) after = HWND_TOP;
    }
  } else if (after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    after = HWND_TOP;
  }
  auto& v = p->Children;
  std::erase(v, w);
  size_t pos = 0;
  if (p->IsDesktop && !(w->ExStyle & WS_EX_TOPMOST))
    while (pos < v.size() && (v[pos]->ExStyle & WS_EX_TOPMOST)) ++pos;
  if (after == HWND_BOTTOM) {
    pos = v.size();
    if (p->IsDesktop && (w->ExStyle & WS_EX_TOPMOST)) {
      pos = 0;
      while (pos < v.size() && (v[pos]->ExStyle & WS_EX_TOPMOST)) ++pos;
    }
  } else if (after && after != HWND_TOP) {
    for (size_t i = 0; i < v.size(); ++i)
      if (v[i]->Handle == after) {
        pos = std::max(pos, i + 1);
        break;
      }
  }
  v.insert(v.begin() + ptrdiff_t(std::min(pos, v.size())), w);
  PlaceOwnedAbove(w);
}

BOOL SetWindowPosOwnThread(const WindowPtr& w, HWND after, int x, int y, int cx, int cy, UINT flags) {
  HWND hwnd = w->Handle;
  if (w->Style & WS_VISIBLE)
    flags &= ~SWP_SHOWWINDOW;
  else
    flags &= ~SWP_HIDEWINDOW;
  if (!w->IsTopLevel()) flags |= SWP_NOACTIVATE;
  if (flags & SWP_NOMOVE) {
    x = w->Rect.Left;
    y = w->Rect.Top;
  }
  if (flags & SWP_NOSIZE) {
    cx = w->Rect.Width();
    cy = w->Rect.Height();
  }
  WINDOWPOS wp{hwnd, after, x, y, cx, cy, flags};
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (w->Dead) return FALSE;
  }
  flags = wp.flags;
  const RECT oldRect = w->Rect, oldClient = w->Client;
  RECT newRect = oldRect;
  if (!(flags & SWP_NOMOVE)) newRect = {wp.x, wp.y, wp.x + oldRect.Width(), wp.y + oldRect.Height()};
  if (!(flags & SWP_NOSIZE)) {
    newRect.Right = newRect.Left + std::max(wp.cx, 0);
    newRect.Bottom = newRect.Top + std::max(wp.cy, 0);
  }
  const bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
  const bool moved = newRect.Left != oldRect.Left || newRect.Top != oldRect.Top;
  RECT newClient = oldClient;
  if (sized || (flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newRect;
    p.rgrc[1] = oldRect;
    p.rgrc[2] = oldClient;
    p.rgrc[2].Offset(oldRect.Left, oldRect.Top);
    p.lppos = &wp;
    SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
    if (w->Dead) return FALSE;
    RECT c = p.rgrc[0];
    c.Offset(-newRect.Left, -newRect.Top);
    c.Left = std::clamp(c.Left, 0, newRect.Width());
    c.Top = std::clamp(c.Top, 0, newRect.Height());
    c.Right = std::clamp(c.Right, c.Left, newRect.Width());
    c.Bottom = std::clamp(c.Bottom, c.Top, newRect.Height());
    newClient = c;
  }
  Window* parent = w->Parent;
  const bool wasVisible = IsVisibleChain(w.get());
  Region oldArea;
  if (wasVisible && w->IsChildWindow()) {
    oldArea = WindowShape(w.get());
    oldArea.Offset(parent->Client.Left + oldRect.Left, parent->Client.Top + oldRect.Top);
  }
  std::vector<Window*> oldOrder = parent ? parent->Children : std::vector<Window*>{};

  w->Rect = newRect;
  w->Client = newClient;
  if (!(flags & SWP_NOZORDER)) ApplyZOrder(w.get(), after);
  const bool zChanged = parent && parent->Children != oldOrder;
  if (flags & SWP_SHOWWINDOW) w->Style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->Style &= ~WS_VISIBLE;
  const bool nowVisible = IsVisibleChain(w.get());
  const bool clientChanged = newClient != oldClient || sized;

  if (w->IsTopLevel()) {
    if (sized) EnsureSurface(w.get());
    NativeStateChanged(w.get());
  }
  if (!(flags & SWP_NOREDRAW)) {
    if (w->IsChildWindow() && wasVisible && (moved || sized || (flags & SWP_HIDEWINDOW) || zChanged))
      InvalidateWindow(parent, oldArea, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    const bool exposed = (flags & SWP_SHOWWINDOW) || sized || (w->IsChildWindow() && (moved || zChanged)) ||
                         (flags & SWP_FRAMECHANGED) || clientChanged;
    if (nowVisible && exposed)
      InvalidateWindow(w.get(), Region(RECT{0, 0, newRect.Width(), newRect.Height()}),
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  } else if (flags & SWP_FRAMECHANGED) {
    w->NcPaint = true;
  }

  // Activation and focus follow visibility.
  InputState& in = Input();
  if (flags & SWP_HIDEWINDOW) {
    if (Window* f = FindRaw(in.Focus); f && w->IsChildWindow() && (f == w.get() || IsDescendant(w.get(), f)))
      SetFocus(parent->Handle);
    if (w->IsTopLevel() && in.Active == hwnd) ActivateOther(hwnd);
    if (w->Dead) return TRUE;
  } else if (!(flags & SWP_NOACTIVATE) && nowVisible && w->IsTopLevel() && !(w->ExStyle & WS_EX_NOACTIVATE)) {
    SetActiveInternal(hwnd, false, false);
    if (w->Dead) return TRUE;
  }

  wp.hwnd = hwnd;
  wp.x = newRect.Left;
  wp.y = newRect.Top;
  wp.cx = newRect.Width();
  wp.cy = newRect.Height();
  wp.flags = flags;
  if (!moved) wp.flags |= SWP_NOMOVE;
  if (!sized) wp.flags |= SWP_NOSIZE;
  if (!(flags & SWP_FRAMECHANGED)) {
    if (!clientChanged) wp.flags |= SWP_NOCLIENTSIZE;
    if (!moved && newClient.Left == oldClient.Left && newClient.Top == oldClient.Top) wp.flags |= SWP_NOCLIENTMOVE;
  }
  SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  return TRUE;
}

}  // namespace

}  // namespace detail

using namespace detail;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || w->IsDesktop) return FALSE;
  if (w->Thread != TThread::CurrentThreadID()) {
    LRESULT r = 0;
    if (!RunOnWindowThread(hwnd, [=] { return LRESULT(SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags)); }, &r))
      return FALSE;
    return BOOL(r);
  }
  return SetWindowPosOwnThread(w, insertAfter, x, y, cx, cy, flags);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int cmd) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || w->IsDesktop) return FALSE;
  if (w->Thread != TThread::CurrentThreadID()) {
    LRESULT r = 0;
    RunOnWindowThread(hwnd, [=] { return LRESULT(ShowWindow(hwnd, cmd)); }, &r);
    return BOOL(r);
  }
  const BOOL wasVisible = (w->Style & WS_VISIBLE) ? TRUE : FALSE;
  UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
  RECT target = w->Rect;
  bool show = true;
  auto saveRestore = [&] {
    if (!(w->Style & (WS_MAXIMIZE | WS_MINIMIZE))) w->RestoreRect = w->Rect;
  };
  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      show = false;
      flags |= SWP_HIDEWINDOW | SWP_NOACTIVATE;
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      saveRestore();
      w->Style = (w->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
      flags |= SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE;
      if (Input().Active == hwnd) ActivateOther(hwnd);
      break;
    case SW_SHOWMAXIMIZED:
      saveRestore();
      w->Style = (w->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
      target = MaximizedRect(w.get());
      flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | (w->IsTopLevel() ? 0u : SWP_NOZORDER);
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE:
      if (w->Style & (WS_MAXIMIZE | WS_MINIMIZE)) {
        w->Style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        target = w->RestoreRect;
        flags = SWP_NOZORDER | SWP_FRAMECHANGED;
      }
      flags |= SWP_SHOWWINDOW;
      if (cmd == SW_SHOWNOACTIVATE) flags |= SWP_NOACTIVATE;
      break;
    case SW_SHOW: flags |= SWP_SHOWWINDOW; break;
    case SW_SHOWNA: flags |= SWP_SHOWWINDOW | SWP_NOACTIVATE; break;
    default: return wasVisible;
  }
  if (w->IsChildWindow()) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  if (bool(wasVisible) != show) {
    SendMessage(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (w->Dead) return wasVisible;
  }
  if (!(flags & SWP_NOACTIVATE) && (w->ExStyle & WS_EX_NOACTIVATE)) flags |= SWP_NOACTIVATE;
  SetWindowPosOwnThread(w, HWND_TOP, target.Left, target.Top, target.Width(), target.Height(), flags);
  return wasVisible;
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL AnimateWindow(HWND hwnd, DWORD, DWORD flags) {
  if (!IsWindow(hwnd)) return FALSE;
  if (flags & AW_HIDE) {
    ShowWindow(hwnd, SW_HIDE);
  } else {
    ShowWindow(hwnd, (flags & AW_ACTIVATE) ? SW_SHOW : SW_SHOWNA);
    UpdateWindow(hwnd);
  }
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* r) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !r) return FALSE;
  *r = w->IsDesktop ? w->Rect : WindowRectScreen(w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* r) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !r) return FALSE;
  *r = ClientRectLocal(w);
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !pt) return FALSE;
  if (w->IsDesktop) return TRUE;
  POINT o = ClientScreenOrigin(w);
  pt->X += o.X;
  pt->Y += o.Y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !pt) return FALSE;
  if (w->IsDesktop) return TRUE;
  POINT o = ClientScreenOrigin(w);
  pt->X -= o.X;
  pt->Y -= o.Y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count) {
  Lock lock;
  POINT a{0, 0}, b{0, 0};
  if (from) {
    Window* w = FindRaw(from);
    if (!w) return 0;
    if (!w->IsDesktop) a = ClientScreenOrigin(w);
  }
  if (to) {
    Window* w = FindRaw(to);
    if (!w) return 0;
    if (!w->IsDesktop) b = ClientScreenOrigin(w);
  }
  const int dx = a.X - b.X, dy = a.Y - b.Y;
  for (UINT i = 0; pts && i < count; ++i) {
    pts[i].X += dx;
    pts[i].Y += dy;
  }
  return int(MAKELONG(WORD(dx), WORD(dy)));
}

BOOL AdjustWindowRectEx(RECT* r, DWORD style, BOOL menu, DWORD exStyle) {
  if (!r) return FALSE;
  RECT m = FrameMetrics(style & ~(WS_VSCROLL | WS_HSCROLL), exStyle);
  r->Left -= m.Left;
  r->Top -= m.Top;
  r->Right += m.Right;
  r->Bottom += m.Bottom;
  if (menu) r->Top -= GetSystemMetrics(SM_CYMENU);
  return TRUE;
}

namespace detail {
// Deepest window under a screen point among the children of p (client origin at porg).
Window* DeepestAt(Window* p, POINT porg, POINT pt, bool throughTransparent, TThreadID me, int depth) {
  std::vector<Window*> kids = p->Children;
  for (Window* c : kids) {
    if (c->MessageOnly || !(c->Style & WS_VISIBLE)) continue;
    POINT o{porg.X + c->Rect.Left, porg.Y + c->Rect.Top};
    POINT local{pt.X - o.X, pt.Y - o.Y};
    if (local.X < 0 || local.Y < 0 || local.X >= c->Rect.Width() || local.Y >= c->Rect.Height()) continue;
    if (c->WindowRgn && !c->WindowRgn->Contains(local.X, local.Y)) continue;
    if (c->IsChildWindow() && (c->Style & WS_DISABLED)) return p->IsDesktop ? nullptr : p;
    if (throughTransparent && c->Thread == me) {
      WindowPtr keep = Ref(c);
      LRESULT ht = SendMessage(c->Handle, WM_NCHITTEST, 0, MAKELPARAM(pt.X, pt.Y));
      if (keep->Dead) continue;
      if (ht == HTTRANSPARENT) continue;
    }
    if (c->Client.Contains(local) && depth < 64) {
      POINT corg{o.X + c->Client.Left, o.Y + c->Client.Top};
      if (Window* d = DeepestAt(c, corg, pt, throughTransparent, me, depth + 1)) return d;
    }
    return c;
  }
  return nullptr;
}
}  // namespace detail

HWND WindowFromPoint(POINT pt) {
  Lock lock;
  Window* w = DeepestAt(Desktop(), {0, 0}, pt, true, TThread::CurrentThreadID());
  return w ? w->Handle : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  Lock lock;
  Window* p = FindRaw(parent);
  if (!p) return nullptr;
  if (!ClientRectLocal(p).Contains(pt) && !p->IsDesktop) return nullptr;
  std::vector<Window*> kids = p->Children;
  for (Window* c : kids) {
    if (c->MessageOnly) continue;
    if (!c->Rect.Contains(pt)) continue;
    POINT local{pt.X - c->Rect.Left, pt.Y - c->Rect.Top};
    if (c->WindowRgn && !c->WindowRgn->Contains(local.X, local.Y)) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !(c->Style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (c->Style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (c->ExStyle & WS_EX_TRANSPARENT)) continue;
    return c->Handle;
  }
  return p->Handle;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w || w->IsDesktop) return 0;
  RegionObject* ro = rgn ? CheckedHandle<RegionObject>(rgn, OBJ_REGION) : nullptr;
  if (rgn && !ro) return 0;
  Region before = WindowShape(w.get());
  if (ro) {
    w->WindowRgn = ro->Rgn;
    DeleteObject(rgn);
  } else {
    w->WindowRgn.reset();
  }
  if (w->IsChildWindow() && IsVisibleChain(w.get())) {
    before.Offset(w->Parent->Client.Left + w->Rect.Left, w->Parent->Client.Top + w->Rect.Top);
    InvalidateWindow(w->Parent, before, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  if (redraw) InvalidateWindow(w.get(), WindowShape(w.get()), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  if (w->IsTopLevel()) NativeStateChanged(w.get());
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  RegionObject* ro = CheckedHandle<RegionObject>(rgn, OBJ_REGION);
  if (!w || !ro || !w->WindowRgn) return ERROR;
  ro->Rgn = *w->WindowRgn;
  return ro->Rgn.Complexity();
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !(w->ExStyle & WS_EX_LAYERED)) return FALSE;
  w->LayeredKey = key;
  w->LayeredFlags = flags;
  w->LayeredAlpha = (flags & LWA_ALPHA) ? alpha : 255;
  w->LayeredPerPixel = false;  // back to a window painted the usual way
  if (w->IsTopLevel()) NativeStateChanged(w);
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || !(w->ExStyle & WS_EX_LAYERED)) return FALSE;
  if (key) *key = w->LayeredKey;
  if (alpha) *alpha = w->LayeredAlpha;
  if (flags) *flags = w->LayeredFlags;
  return TRUE;
}

namespace {
// Whether src holds a bitmap covering size pixels from sp on.
bool SourceCovers(HDC src, POINT sp, SIZE size) {
  BITMAP bm;
  HGDIOBJ bmp = GetCurrentObject(src, OBJ_BITMAP);
  if (!bmp || GetObject(bmp, sizeof bm, &bm) != int(sizeof bm)) return false;
  const int64_t bh = bm.bmHeight < 0 ? -int64_t(bm.bmHeight) : bm.bmHeight;
  return sp.X >= 0 && sp.Y >= 0 && size.cx >= 0 && size.cy >= 0 && int64_t(sp.X) + size.cx <= bm.bmWidth &&
         int64_t(sp.Y) + size.cy <= bh;
}
}  // namespace

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const POINT* pos, const SIZE* size, HDC src, const POINT* srcPos, COLORREF,
                         const BLENDFUNCTION* blend, DWORD flags) {
  const POINT sp = srcPos ? *srcPos : POINT{0, 0};
  {
    Lock lock;
    Window* w = FindRaw(hwnd);
    if (!w || !w->IsTopLevel() || !(w->ExStyle & WS_EX_LAYERED)) return FALSE;
    // Checked before anything moves: a source that cannot fill the window
    // would leave it half updated.
    const SIZE target = size ? *size : SIZE{w->Rect.Width(), w->Rect.Height()};
    if (src && !CallOut([&] { return SourceCovers(src, sp, target); })) return FALSE;
    if (!src && size && (size->cx != w->Rect.Width() || size->cy != w->Rect.Height())) return FALSE;
  }
  UINT swp = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  if (!pos) swp |= SWP_NOMOVE;
  if (!size) swp |= SWP_NOSIZE;
  if (pos || size) {
    RECT r;
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, pos ? pos->X : r.Left, pos ? pos->Y : r.Top, size ? size->cx : r.Width(),
                 size ? size->cy : r.Height(), swp);
  }
  Lock lock;
  WindowPtr w = Find(hwnd);
  if (!w) return FALSE;
  w->LayeredAlpha = (blend && !(flags & ULW_OPAQUE)) ? blend->SourceConstantAlpha : 255;
  w->LayeredPerPixel = (flags & ULW_ALPHA) && !(flags & ULW_OPAQUE) && blend && (blend->AlphaFormat & AC_SRC_ALPHA);
  if (src) {
    // The new image replaces the surface outright, alpha included.
    EnsureSurface(w.get());
    std::shared_ptr<SurfaceBuffer> buf = w->Buffer;
    HDC mem = CreateSurfaceDC(buf->Get(), {0, 0}, nullptr);
    CallOut([&] { return BitBlt(mem, 0, 0, buf->Width, buf->Height, src, sp.X, sp.Y, SRCCOPY); });
    DeleteDC(mem);
    MarkDirty(w.get(), {0, 0, w->Rect.Width(), w->Rect.Height()});
    w->Update.Clear();
    w->Erase = w->NcPaint = false;
  }
  NativeStateChanged(w.get());
  return TRUE;
}

}  // namespace win
